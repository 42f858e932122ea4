// The main window (see MainWindow.h). MainWindowProc is a switch with one
// line per message; MainCommand the File and Help commands.
#include "application/MainWindow.h"

#include <cstdio>

#include "application/PreferencesSheet.h"
#include "editing/NewDocument.h"
#include "files/FileCommands.h"
#include "platform/Controls.h"
#include "platform/FileNames.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "platform/Toolbar.h"
#include "services/AboutDialog.h"
#include "services/DialogHelper.h"
#include "services/Frame.h"
#include "services/FrameWindow.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/RecentModels.h"
#include "services/RecentModelsMenu.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kNewCommand = 101;
constexpr int kOpenCommand = 102;
constexpr int kExitCommand = 110;
constexpr int kOpenResultsCommand = 293;
constexpr int kOpenLastCommand = 340;
constexpr int kPreferencesCommand = 348;
constexpr int kImportCommand = 350;
constexpr int kHelpCommand = 900;
constexpr int kAboutCommand = 903;
constexpr int kTutorialBasic = 40062;
constexpr int kTutorial1 = 40065;
constexpr int kTutorial2 = 40066;
constexpr int kFileMenuPosition = 0;
constexpr int kRecentMenuPosition = 2;

HMENU g_MainFileMenu = nullptr;

HWND CreateMainToolbar(HWND window, int id, int strip, int cell) {
  TBBUTTON buttons[4] = {
      {0, kNewCommand, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {1, kOpenCommand, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {31, kOpenLastCommand, TBSTATE_HIDDEN, TBSTYLE_BUTTON, {}, 0, 0},
      {32, kOpenResultsCommand, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
  };
  return CreateFrameToolbar(window, id, strip, cell, buttons, 4, 33);
}

LRESULT OnCreate(HWND window) {
  MainFrame().window = window;
  HWND small = CreateMainToolbar(window, kSmallToolbarId, 1801, 16);
  HWND large = CreateMainToolbar(window, kLargeToolbarId, 1802, 32);
  FrameSetToolbars(MainFrame(), small, large);
  return 0;
}

LRESULT OnDestroy() {
  FrameRecordPlacement(MainFrame());
  PostQuitMessage(0);
  return 0;
}

LRESULT OnSize(WPARAM kind) {
  if (kind != SIZE_MINIMIZED) FrameResize(MainFrame());
  return 0;
}

LRESULT OnSetFocus(HWND window) {
  ActiveWindow = window;
  ActiveAccelerators = MainAccelerators;
  return 0;
}

void DestroyFrameWindow(Frame& frame) {
  if (frame.window != nullptr && IsWindow(frame.window)) DestroyWindow(frame.window);
  frame.window = nullptr;
}

// The client window covers everything but the two pixels under the toolbar;
// those are filled, so that a toolbar switched away leaves nothing behind.
LRESULT OnEraseBackground(HWND window, HDC dc) {
  Frame& frame = MainFrame();
  if (frame.client == nullptr || dc == nullptr) return 1;
  RECT client{}, below{};
  GetClientRect(window, &client);
  GetWindowRect(frame.client, &below);
  POINT top{below.left, below.top};
  ScreenToClient(window, &top);
  const RECT gap{0, top.y > 2 ? top.y - 2 : 0, client.right, top.y};
  if (gap.bottom <= gap.top) return 1;
  HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  FillRect(dc, &gap, face);
  DeleteObject(face);
  return 1;
}

LRESULT OnClose(HWND window) {
  ShowWindow(window, SW_HIDE);
  DestroyFrameWindow(ResultsFrame());
  // The graphics window belongs to the graphics thread: it is told, never
  // destroyed from here.
  HWND graphics = GraphicsWindowHandle();
  if (graphics != nullptr && IsWindow(graphics)) SendMessage(graphics, WM_DESTROY, 0, 0);
  DestroyFrameWindow(ListFrame());
  DestroyFrameWindow(LayoutFrame());
  DestroyWindow(window);
  return 0;
}

LRESULT OnNotify(LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->code != TTN_GETDISPINFO) return 0;
  auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
  const std::string text = MainToolTipText(static_cast<int>(header->idFrom));
  if (header->idFrom == static_cast<UINT_PTR>(kOpenLastCommand) && !HasRecentModels()) return 0;
  std::snprintf(info->szText, sizeof info->szText, "%s", text.c_str());
  info->lpszText = info->szText;
  return 0;
}

LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(static_cast<std::uintptr_t>(lParam)) != 0) return 0;  // the system menu
  HMENU popup = reinterpret_cast<HMENU>(wParam);
  if (g_MainFileMenu != nullptr && popup == GetSubMenu(g_MainFileMenu, kRecentMenuPosition)) {
    RebuildRecentModelsMenu(popup);
  } else if (popup == g_MainFileMenu) {
    EnableMenuItem(popup, kOpenLastCommand, MF_BYCOMMAND | (HasRecentModels() ? MF_ENABLED : MF_GRAYED));
    EnableRecentModelsMenu(popup);
  }
  return 0;
}

void SetOpenLastButton(bool shown) {
  for (HWND toolbar : {MainFrame().smallToolbar, MainFrame().largeToolbar}) {
    if (toolbar == nullptr) continue;
    SendMessage(toolbar, TB_HIDEBUTTON, kOpenLastCommand, shown ? FALSE : TRUE);
    SendMessage(toolbar, TB_ENABLEBUTTON, kOpenLastCommand, shown ? TRUE : FALSE);
  }
}

void OpenTutorial(HWND window, const char* file) {
  const std::string path = ProgramFolder + file;
  if (platform::FileExists(path)) {
    ShellOpen(path);
    return;
  }
  DialogBox(InstanceHandle, "TUTORIAL_DIALOG", window, OkCancelDialogProc);
}

}  // namespace

void RegisterMainWindow() {
  FrameCreate(MainFrame(), "Quorvel", "Quorvel", MainWindowProc, "MAIN_MENU", nullptr, DefWindowProc,
              WS_EX_CLIENTEDGE, 0, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)), ProgramIcon);
  MainFrame().accelerators = MainAccelerators;
  g_MainFileMenu = MainFrame().menu != nullptr ? GetSubMenu(MainFrame().menu, kFileMenuPosition) : nullptr;
  FrameResize(MainFrame());
  ShowMainWindow();
}

HMENU MainFileMenu() { return g_MainFileMenu; }

void ShowMainWindow() {
  HWND window = MainFrame().window;
  ActiveWindow = window;
  ActiveAccelerators = MainAccelerators;
  const bool recent = HasRecentModels();
  SetOpenLastButton(recent);
  FrameCursorToToolbarButton(MainFrame(), recent ? 2 : 0);
  SetWindowText(window, ProgramTitle.c_str());
  ShowWindow(window, SW_SHOWNORMAL);
}

std::string MainToolTipText(int commandId) {
  switch (commandId) {
    case kNewCommand: return "New";
    case kOpenCommand: return "Open";
    case kOpenResultsCommand: return "Open Results";
    case kOpenLastCommand: return HasRecentModels() ? "Open Last Model: " + NewestRecentModel() + " " : "";
    default: return "???";
  }
}

LRESULT MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY: return OnDestroy();
    case WM_SIZE: return OnSize(wParam);
    case WM_SETFOCUS: return OnSetFocus(window);
    case WM_CLOSE: return OnClose(window);
    case WM_ERASEBKGND: return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_NOTIFY: return OnNotify(lParam);
    case WM_INITMENUPOPUP: return OnInitMenuPopup(wParam, lParam);
    case WM_COMMAND: MainCommand(window, LOWORD(wParam)); return 0;
    case kFirstRunMessage: OpenSampleModelFirstRun(window); return 0;
    case kIgnoredUserMessage: return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

void MainCommand(HWND window, int commandId) {
  if (commandId >= kFirstRecentModelCommand && commandId < kFirstRecentModelCommand + kRecentModelSlots) {
    OpenRecentModel(window, commandId);
    return;
  }
  switch (commandId) {
    case kNewCommand: NewDocumentDialog(window); break;
    case kOpenCommand: OpenModelDialog(window); break;
    case kExitCommand: SendMessage(window, WM_CLOSE, 0, 0); break;
    case kOpenResultsCommand: OpenResultsDialog(window); break;
    case kOpenLastCommand:
      if (!OpenLastModel(window) && !HasRecentModels()) SetOpenLastButton(false);
      break;
    case kPreferencesCommand: PreferencesSheet(window); break;
    // The import asks about unsaved changes itself before it replaces the
    // model; closing here first would throw a modified model away.
    case kImportCommand: ImportModel(window); break;
    case kHelpCommand: ShowInfoMessage(window, "There is no help viewer on this system."); break;
    case kAboutCommand: DialogBox(InstanceHandle, "ABOUT_DIALOG", window, AboutDialogProc); break;
    case kTutorialBasic: OpenTutorial(window, "basic_pipe_stress_analysis.pdf"); break;
    case kTutorial1: OpenTutorial(window, "Tutorial_1.pdf"); break;
    case kTutorial2: OpenTutorial(window, "Tutorial_2.pdf"); break;
    default: break;
  }
}
