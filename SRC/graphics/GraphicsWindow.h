// Inside the graphics thread: the messages and commands of the graphics
// frame and its painting window, and the operations the thread's modules
// share (GraphicsThread.cpp, GraphicsWindow.cpp, Painting*.cpp, Zoom.cpp,
// Highlight.cpp). Nothing outside subsystem 11 includes this header; the
// program reaches the window through GraphicsThread.h and Highlight.h.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Messages.h"
#include "platform/Types.h"

struct GraphicsSettings;
struct Model;
struct NodeRecord;
enum class DataType : std::int32_t;

// Commands of the painting window and the frame (WM_COMMAND ids).
constexpr int kRedrawCommand = 436;
constexpr int kShowHighlightCommand = 432;
constexpr int kHideHighlightCommand = 441;
constexpr int kOverlayCommand = 442;
constexpr int kZoomButtonsCommand = 136;
constexpr int kRenderCommand = 130;
constexpr int kZoomInButton = 133;
constexpr int kZoomOutButton = 135;
constexpr int kTurnCommand = 271;

// Messages of the painting window from other threads (sent unless said).
constexpr UINT kShowModelMessage = WM_APP + 1;       // the graphics window comes up with the model
constexpr UINT kHighlightMessage = WM_APP + 2;       // wParam entry, lParam index (Highlight.cpp)
constexpr UINT kStoreViewMessage = WM_APP + 3;       // lParam GraphicsSettings*
constexpr UINT kRenderModeMessage = WM_APP + 4;      // wParam 1 on, 0 off (posted)
constexpr UINT kFitViewMessage = WM_APP + 5;         // fit the whole model and redraw (posted)
constexpr UINT kColourByPropertyMessage = WM_APP + 6;  // wParam on/off, lParam by specific gravity
constexpr UINT kHideWindowMessage = WM_APP + 7;      // hide the frame
constexpr UINT kRunWorkMessage = WM_APP + 8;         // lParam const std::function<void()>*

// Requests of the graphics thread to the GUI thread (posted to its hidden
// window).
enum class GuiRequest : int {
  PickRowElement = 1,  // wParam row: make it current and highlight its element
  PickRowDataItem,     // the same with its data item
  Command,             // wParam command id, run for the graphics window on the GUI thread
  EditRowElement,      // wParam row: current, highlighted, and its element's dialog opened
  EditRowDataItem,     // the same with its data item
  Work,                // the work queued with PostGuiWork
};
void PostGuiRequest(GuiRequest request, WPARAM parameter);

// The frame (GraphicsWindow.cpp).
LRESULT GraphicsFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void GraphicsCommand(int id);
void SetRenderModeOnNow();
void SetRenderModeOffNow();
// The toolbar buttons 133 and 135 by the zoom limits (command 136).
void UpdateZoomButtons();
void PressToolbarButton(int command, bool pressed);
void EnableToolbarButtonBoth(int command, bool enabled);
// Runs a GUI-thread command (GuiRequest::Command) on the GUI thread.
void RunGraphicsGuiCommand(int id);

// The painting window (Painting.cpp and its siblings).
LRESULT GraphicsPaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Takes up the model copy that the GUI thread handed over, if any, and
// projects it; true when there was one.
bool AdoptPendingModel();
// The same, then the copy projected for the view and the extents computed.
bool AdoptAndProject();
// Whether a copy waits to be taken up.
bool ModelCopyPending();
// The view of the drawn model's settings (viewpoint, window, axes triad),
// fitted to the window when its view window cannot be shown.
void TakeViewFromModel();
void StoreView(GraphicsSettings& settings);
void DrawModelGl();
void DrawModelWireframe();
void UpdateScrollRanges();
void FitViewToClient();
void InvalidatePicture(bool updateNow);
void RedrawPicture();  // command 436
void StartCaretTimer();
void StopCaretTimer();
// The rendered model drawn with the current OpenGL context on a picture
// of width x height pixels (the window's, or an off-screen render's).
void DrawModelGlScene(int width, int height);
void DrawAxesTriad();
// Whether a data kind's symbols are shown by the model's switches (kinds
// without a switch always), and whether the row that made a node is drawn.
bool DataItemShown(const GraphicsSettings& settings, DataType type);
bool CreatingRowDrawn(const Model& model, const NodeRecord& node);
// The node dots (when shown) and the node numbers of the line picture.
void DrawNodeDots(Model& model, bool shown);
void DrawNodeNumbers(Model& model);
// What the rendered picture carries over the render, on the screen and on
// a printed page alike: the axes triad, the node dots and numbers as the
// render flags ask, the legend of the picture coloured by property and the
// colour scale of a result picture. `dc` is the device the 2D layer draws
// on (the window's, or the page's while PrintingOutput is set).
void DrawRenderOverlays(HDC dc);
void PickAtClick();
bool PickRowAtClick();
// The rendered picture as a bitmap on the clipboard; throws "Unable to copy".
void CopyPictureToClipboard();
// The legend of the picture coloured by property, on a screen or printer
// device context (sizes follow its pixels per inch).
void DrawLegend(HDC dc);
// Scroll handling (PaintingScroll.cpp).
void OnScroll(bool vertical, int code, int thumb);
void SetTurnScrollBars();
// Mouse, keys and popups (PaintingInput.cpp).
bool HandlePaintingInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
void DisarmCenterCursor();
bool CenterCursorArmed();
void ArmCenterCursor();
// The client size of the painting window into ViewWidthPx and ViewHeightPx.
void ReadClientSize();
// The painting window's own device context made ready for drawing outside a
// paint (whole client, graphics font, baseline text, hollow brush); it is
// also the 2D layer's GDI device. Null without the window.
HDC PaintingDc();
// Ends the graphics thread's loop (the frame's WM_DESTROY).
void EndGraphicsLoop();
// The posted redraw command was served: the next request posts again.
void RedrawRequestServed();
// The painting event and flag around a paint or an OpenGL drawing.
void BeginPaintingWork();
void EndPaintingWork();

// The OpenGL context of the painting window (GlContext.cpp).
bool GlCreateContext(HWND window);
// Makes the context current on the painting window at its present size;
// false when there is no context or the window is larger than OpenGL can
// render, which leaves render mode.
bool GlBindWindow();
void GlPresent();
void GlDeleteContext();
bool GlWindowTooLarge();
