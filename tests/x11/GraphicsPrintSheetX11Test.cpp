// The graphics window's print sheet under a window manager (openbox), as a
// user opens it: Ctrl+P typed on the server into the graphics window brings
// up "Print Graphics" above the window with the keyboard, and the sheet
// stays up, answering nothing, until the user chooses. "Print to File",
// clicked on the server, goes on to the save dialog, and the file is
// written. A screenshot of the open sheet is kept in the build folder
// (graphics-print-sheet.png) to be looked at.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "graphics/GraphicsTesting.h"
#include "platform/CommonDialog.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "services/ProgramContext.h"
#include "services/TempFiles.h"
#include "services/ViewRequests.h"
#include "x11/XInput.h"
#include "x11/XvfbServer.h"

#define Screen X11Screen
#include "x11/Screenshots.h"
#undef Screen

namespace {

namespace fs = std::filesystem;

class GraphicsPrintSheetX11Test : public OnXvfbWithWindowManager<GraphicsFixture> {
 protected:
  void SaveScreen(const std::string& path) {
    Display* x = XOpenDisplay(display_.c_str());
    if (x == nullptr) return;
    const int width = DisplayWidth(x, DefaultScreen(x)), height = DisplayHeight(x, DefaultScreen(x));
    WritePicture(path, ServerPicture(x, DefaultRootWindow(x), 0, 0, width, height));
    XCloseDisplay(x);
  }
};

// The sheet's commands as they arrive, before the sheet's own handling.
struct SheetWatch {
  WNDPROC original = nullptr;
  bool toFile = false;
};
SheetWatch g_Watch;

LRESULT WatchSheet(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == 1002) g_Watch.toFile = true;
  return CallWindowProc(g_Watch.original, sheet, message, wParam, lParam);
}

TEST_F(GraphicsPrintSheetX11Test, CtrlPOpensTheSheetThatStaysUntilTheUserChooses) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  const fs::path path = fs::path(TempFolder()) / "graphics-print-sheet.dxf";
  fs::remove(path);
  ShowPlant(20);
  ShowWindow(LayoutFrame().window, SW_HIDE);
  SetWindowPos(Frame(), nullptr, 20, 20, 820, 640, SWP_NOZORDER);
  SetForegroundWindow(Frame());
  platform::RunUntilIdle();
  platform::SyncPresenter();
  unsigned long frame = 0;
  const std::string frameTitle = TextOf(Frame());
  ASSERT_TRUE(windows.SyncWithManager()) << "the manager did not answer";
  ASSERT_TRUE(platform::PumpUntil(
      [&] {
        frame = windows.ShownWindowTitled(frameTitle);
        return frame != 0 && windows.FocusWindow() == frame;
      },
      10000))
      << "the graphics window never had the keyboard";

  bool settled = false, stayed = false;
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Graphics", [&](HWND sheet) {
    platform::SyncPresenter();
    unsigned long shown = 0;
    settled = platform::PumpUntil(
        [&] {
          shown = windows.ShownWindowTitled("Print Graphics");
          return shown != 0 && windows.FocusWindow() == shown;
        },
        10000);
    // Whatever the opening set going runs its course; the sheet is still
    // there, shown, and was not answered.
    platform::PumpUntil([] { return false; }, 1000);
    stayed = IsWindow(sheet) && IsWindowVisible(sheet) && windows.ShownWindowTitled("Print Graphics") != 0;
    SaveScreen("graphics-print-sheet.png");
    g_Watch = SheetWatch{};
    g_Watch.original = reinterpret_cast<WNDPROC>(GetWindowLongPtr(sheet, GWLP_WNDPROC));
    SetWindowLongPtr(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchSheet));
    RECT button{};
    GetWindowRect(GetDlgItem(sheet, 1002), &button);
    input.Click((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    platform::PumpUntil([] { return g_Watch.toFile; }, 10000);
  });
  bool asked = false;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print Graphics to File", [&](HWND dialog) {
    asked = true;
    SetDlgItemText(dialog, edt1, path.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  std::string notice;
  std::atomic<bool> noticed = false;
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [&](HWND dialog) {
    char shown[64] = {};
    GetDlgItemText(dialog, 1501, shown, sizeof shown);
    notice = shown;
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    noticed = true;
  });
  input.Chord("Control_L", "p");
  // The export ends on the graphics window's thread: this one looks now
  // and then.
  for (int turn = 0; turn < 200 && !noticed; ++turn) platform::PumpUntil([&] { return noticed.load(); }, 100);
  ASSERT_TRUE(noticed) << "the file was never written";
  EXPECT_TRUE(settled) << "the sheet is not shown with the keyboard";
  EXPECT_TRUE(stayed) << "the sheet did not stay up";
  EXPECT_TRUE(g_Watch.toFile) << "the click on Print to File did not reach the sheet";
  EXPECT_TRUE(asked);
  EXPECT_EQ(notice, "dxf written.");
  EXPECT_TRUE(fs::exists(path));
  fs::remove(path);
}

}  // namespace
