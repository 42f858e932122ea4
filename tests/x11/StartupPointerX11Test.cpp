// The program started with a model on its command line, under a window
// manager (openbox) that frames the Layout window and so moves it down and
// right of where the program put it: the pointer ends in the middle of the
// Layout's client window as the server shows the window, not where the
// window stood before the manager placed it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "application/Application.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "services/AppTesting.h"
#include "services/Frame.h"
#include "services/TempFiles.h"
#include "x11/XvfbServer.h"

// Xlib's Screen record would clash with the program's screen metrics.
#define Screen X11Screen
#include <X11/Xlib.h>
#undef Screen

namespace {

class StartupFixture : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    std::filesystem::create_directories(std::filesystem::path(FirstRunMarkerPath()).parent_path());
    std::ofstream(FirstRunMarkerPath()).put('\n');
    model_ = TempFolder() + "/StartupPointer.mod";
    std::filesystem::copy_file(std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod", model_,
                               std::filesystem::copy_options::overwrite_existing);
  }
  void TearDown() override {
    HWND main = MainFrame().window;
    if (main != nullptr && IsWindow(main)) {
      TheModel().modified = false;
      PostMessage(main, WM_CLOSE, 0, 0);
      RunMessageLoop();
    }
    DeleteUndoRedoFiles();
    std::filesystem::remove(model_);
    AppFixture::TearDown();
  }
  std::string model_;
};

class StartupPointerX11Test : public OnXvfbWithWindowManager<StartupFixture> {};

TEST_F(StartupPointerX11Test, AModelOnTheCommandLinePutsThePointerInTheLayoutsMiddle) {
  InitApplication("\"" + model_ + "\"");
  HWND frame = LayoutFrame().window;
  ASSERT_TRUE(frame != nullptr && IsWindowVisible(frame));
  char title[256] = {};
  GetWindowText(frame, title, sizeof title);
  Display* x = XOpenDisplay(display_.c_str());
  ASSERT_NE(x, nullptr);
  ManagedWindows windows(display_);
  const ::Window root = DefaultRootWindow(x);
  // Until the manager has framed the Layout window and the layer has heard
  // where it put it.
  int shownX = 0, shownY = 0;
  auto placed = [&] {
    const ::Window id = windows.ShownWindowTitled(title);
    ::Window rootReturn = 0, parent = 0, *children = nullptr, child = 0;
    unsigned count = 0;
    if (id == 0 || !XQueryTree(x, id, &rootReturn, &parent, &children, &count)) return false;
    if (children != nullptr) XFree(children);
    XTranslateCoordinates(x, id, root, 0, 0, &shownX, &shownY, &child);
    RECT rect{};
    GetWindowRect(frame, &rect);
    return parent != root && rect.left == shownX && rect.top == shownY;
  };
  ASSERT_TRUE(platform::PumpUntil(placed, 30000)) << "the manager did not frame the Layout window";
  platform::SyncPresenter();

  RECT layout{}, client{};
  GetWindowRect(frame, &layout);
  GetWindowRect(LayoutFrame().client, &client);
  ::Window rootReturn = 0, child = 0;
  int pointerX = 0, pointerY = 0, inX = 0, inY = 0;
  unsigned buttons = 0;
  XQueryPointer(x, root, &rootReturn, &child, &pointerX, &pointerY, &inX, &inY, &buttons);
  XCloseDisplay(x);
  EXPECT_EQ(pointerX, shownX + client.left - layout.left + (client.right - client.left) / 2);
  EXPECT_EQ(pointerY, shownY + client.top - layout.top + (client.bottom - client.top) / 2);
}

}  // namespace
