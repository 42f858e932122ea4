// The graphics frame on the graphics thread: its toolbars and tooltips, its
// window procedure, the menu states (GraphicsInitMenu) and the command
// switch of GRAPHICS_MENU (GraphicsCommand). Commands whose dialogs, prints,
// exports and result displays later work builds say so and change nothing;
// commands that change the model or the text windows are run on the GUI
// thread (PostGuiRequest), which owns them.
#include "graphics/GraphicsWindow.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "graphics/GraphicsExport.h"
#include "graphics/GraphicsPrinter.h"
#include "graphics/GraphicsThread.h"
#include "graphics/HideElements.h"
#include "graphics/Highlight.h"
#include "graphics/Show.h"
#include "graphics/ViewCommands.h"
#include "graphics/ViewExtents.h"
#include "graphics/Zoom.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/GraphicsState.h"
#include "model/ViewProjection.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/FileNames.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Paint.h"
#include "platform/System.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "printing/PrintPreview.h"
#include "printing/PrintSheet.h"
#include "printing/PrinterSettings.h"
#include "results/Thresholds.h"
#include "services/AboutDialog.h"
#include "services/AppFonts.h"
#include "services/Frame.h"
#include "services/FrameWindow.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kSmallToolbar = 101;
constexpr int kLargeToolbar = 102;
constexpr int kToolbarImages = 41;
constexpr int kRenderImage = 13;
constexpr int kNoRenderImage = 14;
enum MenuPosition { kViewMenu = 1, kOptionsMenu = 2, kWindowMenu = 3 };
constexpr int kSwitchToTextWindow = 438;
constexpr int kSwitchToTextWindowButton = 439;
constexpr int kRedrawNow = 258;
constexpr int kPreviousView = 267;
constexpr int kFreezeView = 40023;

TBBUTTON Button(int image, int command) {
  return {image, command, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0};
}

TBBUTTON Separator() { return {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0}; }

HWND CreateGraphicsToolbar(HWND window, int id, int strip, int cell) {
  TBBUTTON buttons[] = {Button(3, 106),      Separator(),          Button(kRenderImage, kRenderCommand),
                        Button(4, kSwitchToTextWindowButton), Separator(), Button(9, 121),
                        Button(6, 131),      Button(7, kZoomInButton), Button(8, kZoomOutButton),
                        Button(34, kTurnCommand), Button(39, 40080), Button(40, 40081)};
  return CreateFrameToolbar(window, id, strip, cell, buttons, sizeof buttons / sizeof buttons[0], kToolbarImages);
}

Frame& TextTarget();

std::string TooltipText(int id) {
  switch (id) {
    case 106: return "Print";
    case kRenderCommand: return g_RenderedMode ? "Do not render" : "Render";
    case kSwitchToTextWindowButton: {
      Frame& target = TextTarget();
      if (&target == &ResultsFrame()) return "Results Window";
      if (&target == &ListFrame()) return "List Window";
      if (&target == &LayoutFrame()) return "Layout Window";
      return "Text Window";
    }
    case 121: return "Viewpoint";
    case 131: return "Zoom all";
    case kZoomInButton: return "Zoom in";
    case kZoomOutButton: return "Zoom out";
    case kTurnCommand: return g_TurnMode ? "Do not turn" : "Turn";
    case 40080: return "Increase Symbol Size";
    case 40081: return "Decrease Symbol Size";
    case kFreezeView: return g_FreezeView ? "Unfreeze View" : "Freeze View";
    case 40029: return g_JacketStresses ? "Hide Jacket Stresses/Ratios" : "Show Jacket Stresses/Ratios";
    default: return "Unknown";
  }
}

// The text window F2 leads to: the graphics frame's previous frame, chosen
// once when none is remembered.
Frame& TextTarget() {
  Frame& graphics = GraphicsFrame();
  if (graphics.previous_frame != nullptr && graphics.previous_frame != &graphics) return *graphics.previous_frame;
  if (ResultsFrame().window != nullptr && IsWindowVisible(ResultsFrame().window)) return ResultsFrame();
  if (ListFrame().window != nullptr && IsWindowVisible(ListFrame().window)) return ListFrame();
  return LayoutFrame();
}

const char* TextWindowMenuText() {
  Frame& target = TextTarget();
  if (&target == &ResultsFrame()) return "&Results\tF2";
  if (&target == &ListFrame()) return "&List\tF2";
  return "&Layout\tF2";
}

void SetMenuText(HMENU menu, int id, const char* text) {
  if (menu != nullptr) ModifyMenu(menu, static_cast<UINT>(id), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(id), text);
}

LRESULT OnCreate(HWND window) {
  Frame& frame = GraphicsFrame();
  frame.window = window;
  HWND small = CreateGraphicsToolbar(window, kSmallToolbar, 1801, 16);
  HWND large = CreateGraphicsToolbar(window, kLargeToolbar, 1802, 32);
  FrameSetSmallToolbar(frame, small);
  FrameSetLargeToolbar(frame, large);
  FrameChooseToolbar(frame);
  SetBackgroundColours();
  return 0;
}

LRESULT OnSize(WPARAM wParam) {
  if (wParam == SIZE_MINIMIZED) {
    HideHighlight();
    g_Minimised = true;
    return 0;
  }
  g_Minimised = false;
  SaveHighlight();
  FrameResize(GraphicsFrame());
  RestoreSavedHighlight();
  return 0;
}

// The focus closes no dialog of the other windows: a dialog keeps what the
// user typed until its own OK or Cancel, and while one is open the
// graphics window takes no input (the layer holds it for the dialog).
LRESULT OnSetFocus() {
  if (HWND painting = PaintingWindowHandle()) SetFocus(painting);
  return 0;
}

LRESULT OnNotify(LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->code == TTN_GETDISPINFO) {
    auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
    std::snprintf(info->szText, sizeof info->szText, "%s", TooltipText(static_cast<int>(header->idFrom)).c_str());
    info->lpszText = info->szText;
    return 0;
  }
  const auto* toolbar = reinterpret_cast<NMTOOLBAR*>(lParam);
  if (header->code == TBN_BEGINDRAG && toolbar->iItem == kZoomInButton) ZoomInContinuous();
  if (header->code == TBN_BEGINDRAG && toolbar->iItem == kZoomOutButton) ZoomOutContinuous();
  if (header->code == TBN_DRAGOUT) StopContinuousZoom();
  return 0;
}

void GraphicsInitMenu(HMENU popup, int position) {
  HMENU menu = GraphicsFrame().menu;
  if (menu == nullptr || GetSubMenu(menu, position) != popup) return;
  switch (position) {
    case kViewMenu:
      EnableMenuItem(popup, kRedrawNow, MF_BYCOMMAND | (g_RenderedMode ? MF_GRAYED : MF_ENABLED));
      EnableMenuItem(popup, kPreviousView, MF_BYCOMMAND | (PreviousViewExists() ? MF_ENABLED : MF_GRAYED));
      SetMenuText(popup, kTurnCommand, g_TurnMode ? "Do not &Turn\tCtrl+T" : "&Turn\tCtrl+T");
      SetMenuText(popup, kFreezeView, g_FreezeView ? "Unfree&ze View\tF8" : "Free&ze View\tF8");
      return;
    case kOptionsMenu:
      CheckMenuRadioItem(GetSubMenu(popup, 0), 0, 4, static_cast<UINT>(g_AxesPosition), MF_BYPOSITION);
      CheckMenuRadioItem(GetSubMenu(popup, 1), 0, 1, WhiteBackground() ? 1 : 0, MF_BYPOSITION);
      CheckMenuRadioItem(GetSubMenu(popup, 2), 0, 2, static_cast<UINT>(RenderQuality()), MF_BYPOSITION);
      return;
    case kWindowMenu: SetMenuText(popup, kSwitchToTextWindow, TextWindowMenuText()); return;
    default: return;
  }
}

LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(static_cast<std::uintptr_t>(lParam)) != 0) return 0;
  GraphicsInitMenu(reinterpret_cast<HMENU>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)));
  return 0;
}

LRESULT OnClose(HWND window) {
  ShowWindow(window, SW_HIDE);
  PostGuiRequest(GuiRequest::Command, kSwitchToTextWindow);
  return 0;
}

LRESULT OnDestroy() {
  StopPainting();
  EndGraphicsLoop();
  return 0;
}

LRESULT OnEnterSizeMove() {
  SaveHighlight();
  if (g_RenderedMode) {
    g_ResizeRender = true;
    SetRenderModeOffNow();
  }
  return 0;
}

LRESULT OnExitSizeMove() {
  if (g_ResizeRender) {
    g_ResizeRender = false;
    SetRenderModeOnNow();
  }
  RestoreSavedHighlight();
  return 0;
}

void SetRenderButtonImage(int image) {
  for (HWND toolbar : {GraphicsFrame().smallToolbar, GraphicsFrame().largeToolbar})
    if (toolbar != nullptr) SendMessage(toolbar, TB_CHANGEBITMAP, kRenderCommand, image);
}

void StepSymbolScale(float step) {
  const float scale = std::round((g_SymbolScale + step) * 10.0f) / 10.0f;
  g_SymbolScale = std::clamp(scale, kSymbolScaleMin, kSymbolScaleMax);
  // The symbols are sized anew for the view; the model itself is unchanged.
  ProjectModelToView();
  ComputeViewExtents();
  RequestGraphicsRedraw();
}

void ChangeBackground(bool white) {
  if (WhiteBackground() == white) return;
  SetWhiteBackground(white);
  SetBackgroundColours();
  if (g_RenderedMode) DrawModelGl();
  InvalidatePicture(true);
}

void ChooseFontForGraphics(HWND window) {
  SaveHighlight();
  if (ChooseGraphicsFont(window)) {
    if (HWND painting = PaintingWindowHandle()) {
      HDC dc = GetDC(painting);
      SelectObject(dc, GraphicsFont().handle);
      TEXTMETRIC metrics{};
      GetTextMetrics(dc, &metrics);
      SetGraphicsTextMetrics({metrics.tmAveCharWidth, metrics.tmAscent, metrics.tmInternalLeading});
    }
    ProjectModelToView();
    ComputeViewExtents();
    InvalidatePicture(true);
  }
  RestoreSavedHighlight();
}

void ToggleTurnMode() {
  g_TurnMode = !g_TurnMode;
  PressToolbarButton(kTurnCommand, g_TurnMode);
  if (g_TurnMode)
    SetTurnScrollBars();
  else
    UpdateScrollRanges();
}

// The result commands of the graphics window belong to the Results window.
void ForwardToResults(int id) {
  if (HWND results = ResultsFrame().window) PostMessage(results, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void RunTutorial(HWND window) {
  const std::string path = ProgramFolder + "Tutorial_1.pdf";
  if (platform::FileExists(path) && ShellOpen(path)) return;
  DialogBox(InstanceHandle, "TUTORIAL_DIALOG", window, OkCancelDialogProc);
}

}  // namespace

LRESULT GraphicsFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY: return OnDestroy();
    case WM_SIZE: return OnSize(wParam);
    case WM_SETFOCUS: return OnSetFocus();
    case WM_ERASEBKGND: return 1;
    case WM_SHOWWINDOW:
      if (wParam != 0 && lParam == 0)
        if (HWND painting = PaintingWindowHandle()) ShowWindow(painting, SW_SHOW);
      return DefWindowProc(window, message, wParam, lParam);
    case WM_CLOSE: return OnClose(window);
    case WM_NOTIFY: return OnNotify(lParam);
    case WM_INITMENUPOPUP: return OnInitMenuPopup(wParam, lParam);
    case WM_ENTERMENULOOP: SaveHighlight(); return 0;
    case WM_EXITMENULOOP: RestoreSavedHighlight(); return 0;
    case WM_ENTERSIZEMOVE: return OnEnterSizeMove();
    case WM_EXITSIZEMOVE: return OnExitSizeMove();
    case WM_COMMAND: GraphicsCommand(LOWORD(wParam)); return 0;
    case kPrintToFileMessage: PrintGraphicsToFile(window); return 0;
    case kPrintOutputMessage:
      AdoptAndProject();
      GraphicsPrinter().PrintDocument(window, g_RenderedMode);
      return 0;
    case kPrintPreviewMessage:
      AdoptAndProject();
      ShowPrintPreview(GraphicsPrinter(), window);
      return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

void GraphicsCommand(int id) {
  HWND window = GraphicsFrame().window;
  switch (id) {
    case 110: PostMessage(window, WM_CLOSE, 0, 0); return;
    case 106:
      // The sheet runs where the other windows' sheets run; its answer
      // comes back to this window as a message.
      // Rendered, the picture prints through "Print OpenGL Graphics".
      if (g_RenderedMode) PostGuiWork([window] { PrintOpenGlDialog(window); });
      else PostGuiWork([window] { ShowPrintSheet(window); });
      return;
    case 121: ViewpointDialog(window); return;
    case 342: PlotTitleDialog(window); return;
    case 347: DrawingSizeDialog(window); return;
    case 122: ViewAlongDirection(1.0f, 0.0f, 0.0f); return;
    case 123: ViewAlongDirection(0.0f, 1.0f, 0.0f); return;
    case 124: ViewAlongDirection(0.0f, 0.0f, 1.0f); return;
    case 125: ViewAlongDirection(1.0f, 1.0f, 1.0f); return;
    case kRenderCommand:
      g_ColourByProperty = false;
      if (!g_RenderAvailable) return;
      if (g_RenderedMode)
        SetRenderModeOffNow();
      else
        SetRenderModeOnNow();
      return;
    case 131: RedrawAll(); return;
    case 132:
      ZoomIn(false);
      PostMessage(window, WM_COMMAND, kZoomButtonsCommand, 0);
      return;
    case 134:
      ZoomOut(false);
      PostMessage(window, WM_COMMAND, kZoomButtonsCommand, 0);
      return;
    case kZoomButtonsCommand: UpdateZoomButtons(); return;
    case kRedrawNow:
      SaveHighlight();
      InvalidatePicture(true);
      RestoreSavedHighlight();
      return;
    case kPreviousView:
      if (PreviousViewExists()) SwapWithPreviousView();
      return;
    case kTurnCommand: ToggleTurnMode(); return;
    case 301: FrameCancelPopups(GraphicsFrame()); return;
    case 310:
    case 311:
    case 312:
    case 313:
    case 314:
      if (g_AxesPosition == id - 310) return;
      g_AxesPosition = id - 310;
      InvalidatePicture(false);
      return;
    case 352: ChangeBackground(false); return;
    case 353: ChangeBackground(true); return;
    case 363:
      // Rendered, the picture's bitmap; else the line picture, recorded.
      if (!g_RenderedMode) {
        AdoptAndProject();
        CopyGraphicsAsMetafile(window);
        return;
      }
      try {
        CopyPictureToClipboard();
      } catch (const std::string& message) {
        ShowErrorMessage(window, message);
      }
      return;
    case 411: ChooseFontForGraphics(window); return;
    case 433: ShowOptionsDialog(window); return;
    case 434: ShowGraphicsWindow(); return;
    case 437: ShowNodeNumbersDialog(window); return;
    case 40028: ToggleDotsAndNumbers(); return;
    case 239:
    case 240:
    case 241:
    case 242:
    case 243:
      g_ColourByProperty = false;
      PostGuiRequest(GuiRequest::Command, static_cast<WPARAM>(id));
      return;
    case 40024:
      g_ColourByProperty = false;
      HideElementsDialog(window);
      return;
    case 435: DestroyWindow(window); return;
    case kSwitchToTextWindow:
    case kSwitchToTextWindowButton:
      if (g_RenderedMode) SetRenderModeOffNow();
      PostGuiRequest(GuiRequest::Command, static_cast<WPARAM>(id));
      return;
    case 440: ArmCenterCursor(); return;
    case 217:
      if (g_RenderedMode) SetRenderModeOffNow();
      ForwardToResults(id);
      return;
    case 338:
    // The stress displays, the shapes, their magnification and the mode
    // stepping belong to the result table shown.
    case 332:
    case 333:
    case 216:
    case 221:
    case 228:
    case 229:
    case 300: ForwardToResults(id); return;
    case 334: ThresholdsDialog(window); return;
    case 40029:
      g_JacketStresses = !g_JacketStresses;
      ForwardToResults(id);
      return;
    case 900: ShowInfoMessage(window, "There is no help viewer on this system."); return;
    case 902: RunTutorial(window); return;
    case 903: DialogBox(InstanceHandle, "ABOUT_DIALOG", window, AboutDialogProc); return;
    case 40018:
    case 40019:
    case 40020:
      SetRenderQuality(id - 40018);
      if (g_RenderedMode) RequestGraphicsRedraw();
      return;
    case kFreezeView: g_FreezeView = !g_FreezeView; return;
    case 40037: RecoverGraphics(); return;
    case 40050:
    case 40051:
      if (LayoutFrame().window != nullptr) PostMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
      return;
    case 40080: StepSymbolScale(kSymbolScaleStep); return;
    case 40081: StepSymbolScale(-kSymbolScaleStep); return;
    default: return;
  }
}

void RunGraphicsGuiCommand(int id) {
  if (RowVisibilityCommand(id)) return;
  if (id != kSwitchToTextWindow && id != kSwitchToTextWindowButton) return;
  Frame& target = TextTarget();
  GraphicsFrame().previous_frame = &target;
  if (target.window == nullptr) return;
  FrameShow(target);
  if (id != kSwitchToTextWindowButton) return;
  if (&target == &ListFrame()) FrameCursorToToolbarButton(target, 0);
  else if (&target == &ResultsFrame()) FrameCursorToToolbarButton(target, 2);
  else FrameCursorToToolbarButton(target, 5);
}

void SetRenderModeOnNow() {
  if (!g_RenderAvailable) {
    MessageBeep(0);
    return;
  }
  if (GlWindowTooLarge()) {
    ShowErrorMessage(GraphicsFrame().window,
                     "The graphics window is too large to be rendered.\nMake it smaller, then choose Render again.");
    return;
  }
  SetMenuText(GraphicsFrame().menu, kRenderCommand, "Do not &render\tCtrl+R");
  SetRenderButtonImage(kNoRenderImage);
  HideHighlight();
  g_RenderedMode = true;
  RequestGraphicsRedraw();
}

void SetRenderModeOffNow() {
  if (!g_RenderedMode) return;
  if (CenterCursorArmed()) DisarmCenterCursor();
  SetMenuText(GraphicsFrame().menu, kRenderCommand, "&Render\tCtrl+R");
  SetRenderButtonImage(kRenderImage);
  g_RenderedMode = false;
  RequestGraphicsRedraw();
}

void PressToolbarButton(int command, bool pressed) {
  for (HWND toolbar : {GraphicsFrame().smallToolbar, GraphicsFrame().largeToolbar})
    if (toolbar != nullptr) SendMessage(toolbar, TB_CHECKBUTTON, static_cast<WPARAM>(command), pressed ? TRUE : FALSE);
}

void EnableToolbarButtonBoth(int command, bool enabled) {
  for (HWND toolbar : {GraphicsFrame().smallToolbar, GraphicsFrame().largeToolbar})
    if (toolbar != nullptr) SendMessage(toolbar, TB_ENABLEBUTTON, static_cast<WPARAM>(command), enabled ? TRUE : FALSE);
}

void UpdateZoomButtons() {
  EnableToolbarButtonBoth(kZoomInButton, CanZoomIn());
  EnableToolbarButtonBoth(kZoomOutButton, CanZoomOut());
}
