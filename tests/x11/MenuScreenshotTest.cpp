// A frame window with a menu bar whose View popup is opened by Alt+V, drawn
// once headless and once on a private Xvfb server, where the keys go through
// XTest and the presenter like a user's. What the server shows of the frame
// and of the popup (a top-level window of its own, left alone by any window
// manager) must be the headless surfaces, pixel for pixel. The pictures are
// kept in the build folder (x11-menu-*.png) to be looked at.
//
// The popup is open only inside the menu loop, so both runs look at it from
// the loop's scripted action, then leave with Escape twice (popup, then bar).
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Paint.h"
#include "platform/Rect.h"
#include "platform/ResourceTemplates.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"
#include "x11/XvfbServer.h"

// They bring X11 in too: after the layer's headers.
#include "x11/Screenshots.h"
#include "x11/XProperty.h"

// X11 last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

constexpr char kMenu[] = R"(popup "&File"
  item "&New\tCtrl+N" 101
  item "&Open...\tCtrl+O" 102
  separator
  item "E&xit" 103
end
popup "&View"
  item "&Toolbar" 201 checked
  item "&Status bar\tCtrl+B" 202
  item "&Grid" 203 grayed
  separator
  popup "&Zoom"
    item "Zoom &in\tCtrl+Add" 211
    item "Zoom &out" 212
  end
  item "&Refresh\tF5" 204
end
popup "&Help"
  item "&About..." 301
end
)";

const platform::ResourceEntry kResources[] = {
    {platform::ResourceType::Menu, "SAMPLE_MENU", reinterpret_cast<const unsigned char*>(kMenu), sizeof kMenu - 1},
};

HWND ShowFrame() {
  platform::RegisterResources(kResources, std::size(kResources));
  WNDCLASS windowClass{};
  windowClass.lpfnWndProc = DefWindowProc;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_WINDOW + 1));
  windowClass.lpszClassName = "MenuSample";
  RegisterClass(&windowClass);
  HMENU bar = LoadMenu(nullptr, "SAMPLE_MENU");
  EXPECT_NE(bar, nullptr);
  HWND frame = CreateWindowEx(0, "MenuSample", "Menu sample", WS_OVERLAPPEDWINDOW, 40, 40, 360, 260, nullptr, bar,
                              nullptr, nullptr);
  EXPECT_NE(frame, nullptr);
  ShowWindow(frame, SW_SHOW);
  UpdateWindow(frame);
  platform::RunUntilIdle();
  return frame;
}

// Runs `press` (which opens the View popup), calls `look` with the open
// popup inside the menu loop, and closes the menu.
void WithViewMenuOpen(const std::function<void()>& press, const std::function<void(HWND popup)>& look) {
  bool looked = false;
  platform::ExpectModal(platform::ModalKind::PopupMenu, "menu bar", [&](HWND popup) {
    look(popup);
    looked = true;
    platform::TestKeyPress(VK_ESCAPE);
    platform::TestKeyPress(VK_ESCAPE);
  });
  press();
  for (int turn = 0; turn < 100 && !looked; ++turn) platform::PumpUntil([&] { return looked; }, 100);
  platform::RunUntilIdle();
  EXPECT_TRUE(looked) << "the View popup did not open";
  platform::CheckModalScript();
}

RECT WindowRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

TEST(MenuScreenshotTest, XWindowsShowTheHeadlessSurfacesOfFrameAndPopup) {
  const std::string folder = std::string(QUORVEL_BINARY_DIR) + "/x11-menu-";
  platform::EnableTestMode(true);
  platform::SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });

  // Headless first.
  setenv("QUORVEL_DISPLAY", "headless", 1);
  HWND frame = ShowFrame();
  Picture frameHeadless, popupHeadless;
  RECT popupRect{};
  WithViewMenuOpen(
      [] {
        platform::TestKeyDown(VK_MENU);
        platform::TestKeyPress('V');
        platform::TestKeyUp(VK_MENU);
        platform::RunUntilIdle();
      },
      [&](HWND popup) {
        platform::RunUntilIdle();
        popupRect = WindowRectOf(popup);
        frameHeadless = LayerPicture(frame, folder + "frame-headless.png");
        popupHeadless = LayerPicture(popup, folder + "popup-headless.png");
      });
  ASSERT_GT(frameHeadless.width, 0);
  ASSERT_GT(popupHeadless.width, 0);
  RECT frameRect = WindowRectOf(frame);
  DestroyWindow(frame);
  platform::Shutdown();

  // Then on a real X server, the keys coming through XTest.
  XvfbServer server;
  std::string name = server.Start();
  ASSERT_FALSE(name.empty()) << "Xvfb did not start";
  std::string oldDisplay = std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "";
  setenv("DISPLAY", name.c_str(), 1);
  unsetenv("QUORVEL_DISPLAY");
  Display* x = XOpenDisplay(name.c_str());
  ASSERT_NE(x, nullptr);
  frame = ShowFrame();
  platform::SyncPresenter();
  // The keys below go where the server has the focus.
  ASSERT_TRUE(WaitForInputFocus(x, TopLevelWindowNamed(x, "Menu sample"))) << "the frame never had the keyboard";
  EXPECT_EQ(WindowRectOf(frame).left, frameRect.left);
  ::Window root = DefaultRootWindow(x);
  Picture frameShown, popupShown;
  RECT overlap{};
  bool same = false;
  WithViewMenuOpen(
      [&] {
        KeyCode alt = XKeysymToKeycode(x, XK_Alt_L), v = XKeysymToKeycode(x, XK_v);
        XTestFakeKeyEvent(x, alt, True, CurrentTime);
        XTestFakeKeyEvent(x, v, True, CurrentTime);
        XTestFakeKeyEvent(x, v, False, CurrentTime);
        XTestFakeKeyEvent(x, alt, False, CurrentTime);
        XSync(x, False);
      },
      [&](HWND popup) {
        RECT shownRect = WindowRectOf(popup);
        EXPECT_EQ(shownRect.left, popupRect.left);
        EXPECT_EQ(shownRect.top, popupRect.top);
        // The popup covers part of the frame: that part is the popup's.
        IntersectRect(&overlap, &frameRect, &popupRect);
        OffsetRect(&overlap, -frameRect.left, -frameRect.top);
        // The presenter draws on its own connection, which tells ours
        // nothing: serve the layer's queue in short turns, look after each.
        auto arrived = [&] {
          XSync(x, False);
          frameShown = ServerPicture(x, root, frameRect.left, frameRect.top, frameHeadless.width, frameHeadless.height);
          popupShown = ServerPicture(x, root, popupRect.left, popupRect.top, popupHeadless.width, popupHeadless.height);
          return Differences(frameShown, frameHeadless, overlap) == 0 && Differences(popupShown, popupHeadless) == 0;
        };
        for (int turn = 0; turn < 100 && !same; ++turn) same = platform::PumpUntil(arrived, 100);
        RECT all{};
        UnionRect(&all, &frameRect, &popupRect);
        WritePicture(folder + "screen-x11.png", ServerPicture(x, root, all.left, all.top, all.right - all.left,
                                                              all.bottom - all.top));
      });
  if (!frameShown.pixels.empty()) WritePicture(folder + "frame-x11.png", frameShown);
  if (!popupShown.pixels.empty()) WritePicture(folder + "popup-x11.png", popupShown);
  EXPECT_TRUE(same) << Differences(frameShown, frameHeadless, overlap) << " frame and "
                    << Differences(popupShown, popupHeadless) << " popup pixels differ from the headless surfaces";
  DestroyWindow(frame);
  platform::RunUntilIdle();
  XCloseDisplay(x);
  platform::Shutdown();
  platform::RegisterResources(nullptr, 0);
  if (oldDisplay.empty()) unsetenv("DISPLAY"); else setenv("DISPLAY", oldDisplay.c_str(), 1);
  setenv("QUORVEL_DISPLAY", "headless", 1);
  platform::EnableTestMode(false);
  platform::SetFailureHandler(nullptr);
}

}  // namespace
