// Frame windows (see Frame.h). Start reading at FrameCreate and FrameResize.
#include "services/Frame.h"

#include <algorithm>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/System.h"
#include "platform/Toolbar.h"
#include "services/Assert.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/Settings.h"
#include "services/TableWindow.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kShowNormal = 1;
constexpr int kShowMaximized = 3;

void ThrowFrameError(const std::string& what, const std::string& name) { throw what + " : " + name; }

ATOM RegisterFrameClass(const char* className, WNDPROC procedure, const char* menuName, HICON icon) {
  WNDCLASSEX windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = InstanceHandle;
  windowClass.hIcon = icon;
  windowClass.hIconSm = icon;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  windowClass.lpszMenuName = menuName;
  windowClass.lpszClassName = className;
  return RegisterClassEx(&windowClass);
}

ATOM RegisterClientClass(const std::string& className, WNDPROC procedure, UINT style, HBRUSH brush,
                         const char* menuName, HICON icon) {
  WNDCLASSEX windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = style;
  windowClass.lpfnWndProc = procedure;
  windowClass.cbWndExtra = 4;
  windowClass.hInstance = InstanceHandle;
  windowClass.hIcon = icon;
  windowClass.hIconSm = icon;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = brush;
  windowClass.lpszMenuName = menuName;
  windowClass.lpszClassName = className.c_str();
  return RegisterClassEx(&windowClass);
}

bool ToolbarsOn() { return ProgramPreferences().showToolbar != 0; }
bool LargeButtons() { return ProgramPreferences().largeToolbarButtons != 0; }

// The toolbar the large-buttons setting selects.
HWND SelectedToolbar(const Frame& frame) { return LargeButtons() ? frame.largeToolbar : frame.smallToolbar; }

// The frames in the order the toolbar switches visit them.
Frame* const* ToolbarOrder() {
  static Frame* const order[5] = {&LayoutFrame(), &ListFrame(), &ResultsFrame(), &GraphicsFrame(), &MainFrame()};
  return order;
}

}  // namespace

void Frame::MoveClient(int x, int y, int width, int height) { FrameMoveClient(*this, x, y, width, height); }

Frame& MainFrame() {
  static Frame frame(kPlacementMain);
  return frame;
}
Frame& LayoutFrame() {
  static Frame frame(kPlacementLayout);
  return frame;
}
Frame& ListFrame() {
  static Frame frame(kPlacementList);
  return frame;
}
Frame& ResultsFrame() {
  static Frame frame(kPlacementResults);
  return frame;
}
Frame& GraphicsFrame() {
  static Frame frame(kPlacementGraphics);
  return frame;
}

void FrameCreate(Frame& frame, const char* className, const char* title, WNDPROC frameProcedure,
                 const char* menuName, HWND parent, WNDPROC clientProcedure, DWORD clientExStyle,
                 UINT clientClassStyle, HBRUSH clientBrush, HICON icon) {
  if (RegisterFrameClass(className, frameProcedure, menuName, icon) == 0)
    ThrowFrameError("Unable to register frame class", className);
  const std::string clientClass = std::string(className) + "Client";
  if (clientProcedure != nullptr &&
      RegisterClientClass(clientClass, clientProcedure, clientClassStyle, clientBrush, menuName, icon) == 0)
    ThrowFrameError("Unable to register client class", clientClass);
  WINDOWPLACEMENT& placement = frame.Placement();
  FitPlacementToWorkArea(placement);
  const RECT& r = placement.rcNormalPosition;
  frame.window = CreateWindowEx(0, className, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, parent, nullptr, InstanceHandle, nullptr);
  if (frame.window == nullptr) ThrowFrameError("Unable to create frame window", className);
  frame.menu = GetMenu(frame.window);
  if (clientProcedure == nullptr) return;
  RECT client{};
  GetClientRect(frame.window, &client);
  frame.client = CreateWindowEx(clientExStyle, clientClass.c_str(), nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                0, 0, client.right, client.bottom, frame.window, nullptr, InstanceHandle, nullptr);
  if (frame.client == nullptr) ThrowFrameError("Unable to create client window", clientClass);
}

void FrameSetDefaultPlacement(Frame& frame, LONG left, LONG top, LONG right, LONG bottom) {
  InitWindowPlacement(frame.Placement(), left, top, right, bottom);
}

void FitPlacementToWorkArea(WINDOWPLACEMENT& placement) {
  placement.rcNormalPosition = ClampRectToScreen(placement.rcNormalPosition);
  placement.ptMaxPosition = POINT{0, 0};
}

void FrameSetPlacement(Frame& frame, const WINDOWPLACEMENT& placement) {
  WINDOWPLACEMENT& own = frame.Placement();
  own = placement;
  FitPlacementToWorkArea(own);
  if (own.showCmd != kShowMaximized) own.showCmd = kShowNormal;
  if (frame.window != nullptr) SetWindowPlacement(frame.window, &own);
}

void FrameRecordPlacement(Frame& frame) {
  if (frame.window == nullptr || !IsWindow(frame.window)) return;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (GetWindowPlacement(frame.window, &placement)) frame.Placement() = placement;
}

bool FrameIsMaximized(Frame& frame) {
  FrameRecordPlacement(frame);
  return frame.Placement().showCmd == kShowMaximized;
}

void FrameShow(Frame& frame) {
  const bool maximised = (frame.Placement().flags & WPF_RESTORETOMAXIMIZED) != 0;
  ShowWindow(frame.window, maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  SetForegroundWindow(frame.window);
}

void FrameHideRemember(Frame& frame) {
  frame.visible = frame.window != nullptr && IsWindowVisible(frame.window);
  if (!frame.visible) return;
  FrameRecordPlacement(frame);
  ShowWindow(frame.window, SW_HIDE);
}

void FrameSetMenu(Frame& frame, HMENU menu) {
  frame.menu = menu;
  SetMenu(frame.window, menu);
}

std::string CurrentFileName() {
  const std::string& path = ProgramCommands().openModelPath();
  const std::size_t separator = path.find_last_of("/\\");
  const std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
  return name.empty() ? "Untitled" : name;
}

void FrameSetTitle(Frame& frame, const std::string& name) { SetWindowTitle(frame.window, name); }

void FrameTitleText(Frame& frame) {
  char title[512] = {};
  GetWindowText(frame.window, title, sizeof title);
  std::string text = title;
  const std::size_t bracket = text.find('[');
  if (bracket == std::string::npos) return;
  text = text.substr(0, bracket + 1) + CurrentFileTitle() + "]";
  SetWindowText(frame.window, text.c_str());
}

void FrameSetSmallToolbar(Frame& frame, HWND toolbar) {
  frame.smallToolbar = toolbar;
  if (!LargeButtons()) frame.activeToolbar = toolbar;
}

void FrameSetLargeToolbar(Frame& frame, HWND toolbar) {
  frame.largeToolbar = toolbar;
  if (LargeButtons()) frame.activeToolbar = toolbar;
}

void FrameSetToolbars(Frame& frame, HWND small, HWND large) {
  frame.smallToolbar = small;
  frame.largeToolbar = large;
  FrameUseToolbar(frame, SelectedToolbar(frame));
}

void FrameUseToolbar(Frame& frame, HWND toolbar) {
  if (frame.activeToolbar != nullptr && frame.activeToolbar != toolbar) ShowWindow(frame.activeToolbar, SW_HIDE);
  frame.activeToolbar = toolbar;
  if (toolbar != nullptr) ShowWindow(toolbar, ToolbarsOn() ? SW_SHOW : SW_HIDE);
  FrameResendSize(frame);
}

void FrameShowToolbar(Frame& frame) {
  if (frame.activeToolbar != nullptr) ShowWindow(frame.activeToolbar, ToolbarsOn() ? SW_SHOW : SW_HIDE);
  FrameResendSize(frame);
}

void FrameChooseToolbar(Frame& frame) { FrameUseToolbar(frame, SelectedToolbar(frame)); }

void FrameResendSize(Frame& frame) {
  if (frame.window != nullptr && IsWindow(frame.window)) SendMessage(frame.window, WM_SIZE, 0, 0);
}

int FrameToolbarHeight() {
  if (!ToolbarsOn()) return 0;
  return LargeButtons() ? 32 : 16;
}

void ToggleToolbars() {
  ProgramPreferences().showToolbar = ToolbarsOn() ? 0 : 1;
  for (int i = 0; i < 5; ++i) FrameShowToolbar(*ToolbarOrder()[i]);
}

void ToggleLargeToolbarButtons() {
  ProgramPreferences().largeToolbarButtons = LargeButtons() ? 0 : 1;
  for (int i = 0; i < 5; ++i) FrameChooseToolbar(*ToolbarOrder()[i]);
}

void FrameResize(Frame& frame) {
  if (frame.window == nullptr) return;
  if (IsWindowVisible(frame.window)) FrameRecordPlacement(frame);
  RECT client{};
  GetClientRect(frame.window, &client);
  if (client.right < 1 || client.bottom < 1) return;
  int top = 0;
  if (ToolbarsOn() && frame.activeToolbar != nullptr) {
    SendMessage(frame.activeToolbar, TB_AUTOSIZE, 0, 0);
    RECT bar{};
    GetClientRect(frame.activeToolbar, &bar);
    top = bar.bottom + 2;
  }
  frame.MoveClient(0, top, client.right, client.bottom - top);
}

POINT FrameMinTrackSize() {
  const int height = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) + FrameToolbarHeight() +
                     GetSystemMetrics(SM_CYHSCROLL);
  return POINT{100, 2 * height};
}

// A table window as the client is fitted by the table's own rule (the full
// height, as wide as its columns); a table window without a table, or any
// other client, takes the rectangle.
void FrameMoveClient(Frame& frame, int x, int y, int width, int height) {
  if (frame.client == nullptr) return;
  MoveWindow(frame.client, x, y, width, height, TRUE);
  if (TableOfWindow(frame.client) != nullptr) TableWindowFit(frame.client);
}

bool FrameVisible(const Frame& frame) { return frame.window != nullptr && IsWindowVisible(frame.window); }

void EnableToolbarButton(HWND toolbar, int id) { SendMessage(toolbar, TB_ENABLEBUTTON, id, TRUE); }
void DisableToolbarButton(HWND toolbar, int id) { SendMessage(toolbar, TB_ENABLEBUTTON, id, FALSE); }

void FrameCursorToToolbarButton(Frame& frame, int index) {
  if (frame.activeToolbar == nullptr) return;
  RECT button{};
  if (!SendMessage(frame.activeToolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&button))) return;
  POINT point{button.left + 5 * (button.right - button.left) / 8, button.top + 5 * (button.bottom - button.top) / 8};
  ClientToScreen(frame.activeToolbar, &point);
  SetCursorPos(point.x, point.y);
}

void FrameCancelPopups(Frame& frame) {
  if (frame.window == nullptr || !IsWindowVisible(frame.window)) return;
  HWND popup = GetWindow(frame.window, GW_ENABLEDPOPUP);
  if (popup == nullptr || popup == frame.window) return;
  if (MessageDialogOpen())
    CloseCurrentDialogAndRefresh();
  else
    SendMessage(popup, WM_COMMAND, IDCANCEL, 0);
  HWND parent = GetParent(popup);
  for (int level = 0; level < 2 && parent != nullptr && parent != frame.window; ++level) {
    HWND next = GetParent(parent);
    SendMessage(parent, WM_COMMAND, IDCANCEL, 0);
    parent = next;
  }
}

Frame* FrameFromWindow(HWND window) {
  for (Frame* frame : {&MainFrame(), &LayoutFrame(), &ListFrame(), &ResultsFrame(), &GraphicsFrame()})
    if (frame->window == window && window != nullptr) return frame;
  return nullptr;
}

void FrameOpenFrom(Frame& frame, Frame& from) {
  frame.previous_frame = &from;
  QV_ASSERT(&frame != frame.previous_frame);
  // A List frame showing no list would be an empty window: the user picks
  // the list first, and nothing is shown when none is picked.
  if (&frame == &ListFrame() && !FrameVisible(frame)) {
    ProgramCommands().showList(ProgramCommands().openListMenuDialog(from.window));
    return;
  }
  FrameShow(frame);
  HWND layoutTable = &frame == &LayoutFrame() ? ProgramCommands().layoutTableWindow() : nullptr;
  if (layoutTable != nullptr && !IsWindowVisible(layoutTable)) ProgramCommands().updateLayoutTitle();
}

void FrameGoBack(Frame& frame, bool moveCursor) {
  QV_ASSERT(frame.previous_frame);
  Frame& previous = *frame.previous_frame;
  if (&previous == &ListFrame() && !FrameVisible(previous)) {
    const int entry = ProgramCommands().openListMenuDialog(frame.window);
    if (entry == 0) return;
    previous.previous_frame = &frame;
    ProgramCommands().showList(entry);
  } else {
    FrameOpenFrom(previous, frame);
  }
  if (!moveCursor) return;
  if (&previous == &LayoutFrame()) FrameCursorToToolbarButton(previous, 6);
  else if (&previous == &ListFrame()) FrameCursorToToolbarButton(previous, 1);
  else if (&previous == &ResultsFrame()) FrameCursorToToolbarButton(previous, 3);
}

INT_PTR ToolbarPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CheckDlgButton(page, 1101, ToolbarsOn() ? BST_CHECKED : 0);
      CheckDlgButton(page, 1102, LargeButtons() ? BST_CHECKED : 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == 1101) ToggleToolbars();
      if (LOWORD(wParam) == 1102) ToggleLargeToolbarButtons();
      return TRUE;
    default:
      return FALSE;
  }
}
