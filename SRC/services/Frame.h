// Frame windows: every top-level window of the program is a Frame, a window
// with a menu, an optional client window under the toolbar, two toolbars
// (small and large buttons) of which one is active, a title, a saved
// placement and a link to the frame it was opened from. Five frames live for
// the whole process: Main, Layout, List, Results and Graphics (the last is
// made and used on the graphics thread). Their window procedures belong to
// their own modules and call the operations here for sizing, toolbars,
// titles and the chain of frames.
//
// A frame's placement is its record in the placement store
// (FramePlacements.h), which the settings load and save; FrameCreate,
// FrameSetPlacement and loading keep the normal rectangle inside the desktop
// work area. Two preferences drive every frame's toolbars: "Show toolbar"
// and "Large toolbar buttons" (Settings.h).
#pragma once

#include <string>

#include "platform/Window.h"
#include "services/FramePlacements.h"

class Frame {
 public:
  explicit Frame(int placementIndex = kPlacementMain) : placementIndex_(placementIndex) {}
  virtual ~Frame() = default;
  Frame(const Frame&) = default;
  Frame& operator=(const Frame&) = default;

  // Moves the client window to the rectangle and repaints it.
  virtual void MoveClient(int x, int y, int width, int height);

  WINDOWPLACEMENT& Placement() const { return FramePlacement(placementIndex_); }

  HWND window = nullptr;
  HMENU menu = nullptr;
  HACCEL accelerators = nullptr;
  HWND activeToolbar = nullptr;
  HWND smallToolbar = nullptr;
  HWND largeToolbar = nullptr;
  HWND client = nullptr;
  Frame* previous_frame = nullptr;
  bool visible = false;  // whether it was visible when FrameHideRemember hid it

 private:
  int placementIndex_;
};

Frame& MainFrame();
Frame& LayoutFrame();
Frame& ListFrame();
Frame& ResultsFrame();
Frame& GraphicsFrame();

// Registers the frame class (and "<class>Client" when a client procedure is
// given) and creates the frame hidden at its normal rectangle, with its client
// window. Throws "Unable to register frame class : <class>", "Unable to
// register client class : <class>Client", "Unable to create frame window :
// <class>" or "Unable to create client window : <class>Client".
void FrameCreate(Frame& frame, const char* className, const char* title, WNDPROC frameProcedure,
                 const char* menuName, HWND parent, WNDPROC clientProcedure, DWORD clientExStyle,
                 UINT clientClassStyle, HBRUSH clientBrush, HICON icon);

void FrameSetDefaultPlacement(Frame& frame, LONG left, LONG top, LONG right, LONG bottom);
// Keeps the normal rectangle in the work area, clears the maximised position,
// applies every show command but 3 (maximised) as 1 (normal).
void FrameSetPlacement(Frame& frame, const WINDOWPLACEMENT& placement);
// The record's normal rectangle inside the work area and its maximised
// position cleared (what loading does for the five frames).
void FitPlacementToWorkArea(WINDOWPLACEMENT& placement);
void FrameRecordPlacement(Frame& frame);
bool FrameIsMaximized(Frame& frame);
void FrameShow(Frame& frame);
void FrameHideRemember(Frame& frame);
void FrameSetMenu(Frame& frame, HMENU menu);
// "Quorvel : <name> -  [<file> (<folder>)]" (SetWindowTitle); FrameTitleText
// renews the part in brackets after the file was saved under another name.
void FrameSetTitle(Frame& frame, const std::string& name);
void FrameTitleText(Frame& frame);
// The name and extension of the open file ("Untitled" when it has none).
std::string CurrentFileName();

void FrameSetSmallToolbar(Frame& frame, HWND toolbar);
void FrameSetLargeToolbar(Frame& frame, HWND toolbar);
void FrameSetToolbars(Frame& frame, HWND small, HWND large);
void FrameUseToolbar(Frame& frame, HWND toolbar);
void FrameShowToolbar(Frame& frame);
void FrameChooseToolbar(Frame& frame);
void FrameResendSize(Frame& frame);
// 0 with toolbars off, else 32 (large) or 16 (small).
int FrameToolbarHeight();
void ToggleToolbars();
void ToggleLargeToolbarButtons();
// The frame's reaction to WM_SIZE: the client window goes under the active
// toolbar (its height + 2) and takes the rest.
void FrameResize(Frame& frame);
// The minimum tracking size: width 100, height twice the caption, menu,
// toolbar and horizontal scroll bar heights.
POINT FrameMinTrackSize();
// The base MoveClient: the client takes the rectangle; a table window
// client is then fitted to it by its table (it follows the frame's size).
void FrameMoveClient(Frame& frame, int x, int y, int width, int height);
void EnableToolbarButton(HWND toolbar, int id);
void DisableToolbarButton(HWND toolbar, int id);
void FrameCursorToToolbarButton(Frame& frame, int index);
void FrameCancelPopups(Frame& frame);
Frame* FrameFromWindow(HWND window);
// Whether the frame's window exists and is visible.
bool FrameVisible(const Frame& frame);
// Opens `frame` from `from`, which becomes its previous frame. The List
// frame, when it is not visible, is shown only with a list picked in the
// list dialog over `from`; the Layout frame opens its table again at the
// current row when the table window is not visible.
void FrameOpenFrom(Frame& frame, Frame& from);
// Back to the previous frame: a previous List frame that is not visible
// asks for a list over this frame first (none picked: nothing happens);
// with `moveCursor`, the pointer goes to the Layout (6), List (1) or Results
// (3) frame's toolbar button.
void FrameGoBack(Frame& frame, bool moveCursor);

// Procedure of the preferences page "TOOLBAR_DIALOG".
INT_PTR ToolbarPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
