// The program's own cursor on a real X server: a window that sets the hand
// cursor in WM_SETCURSOR makes the presenter define it on the X window, and
// the server then shows exactly that image and hot spot under the pointer
// (read back through XFixes).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Presenter.h"
#include "platform/ResourceInternal.h"
#include "platform/ResourceTemplates.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"
#include "resources/QuorvelResources.h"
#include "x11/XvfbServer.h"

// X11 last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

namespace {

HCURSOR handCursor = nullptr;

LRESULT LinkProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR) {
    SetCursor(handCursor);
    return TRUE;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

// What the server shows now under the pointer.
struct ShownImage {
  int width = 0, height = 0, xhot = -1, yhot = -1;
  std::vector<std::uint32_t> pixels;  // premultiplied 0xAARRGGBB
};

ShownImage ServerCursor(Display* display) {
  ShownImage shown;
  XFixesCursorImage* image = XFixesGetCursorImage(display);
  if (image == nullptr) return shown;
  shown.width = image->width;
  shown.height = image->height;
  shown.xhot = image->xhot;
  shown.yhot = image->yhot;
  for (int index = 0; index < shown.width * shown.height; ++index)
    shown.pixels.push_back(static_cast<std::uint32_t>(image->pixels[index]));
  XFree(image);
  return shown;
}

TEST(CursorX11Test, HandCursorFromResourcesIsTheXCursorOverTheWindow) {
  XvfbServer server;
  std::string name = server.Start();
  ASSERT_FALSE(name.empty()) << "Xvfb did not start";
  setenv("DISPLAY", name.c_str(), 1);
  unsetenv("QUORVEL_DISPLAY");
  platform::EnableTestMode(true);
  platform::SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
  std::span<const platform::ResourceEntry> table = QuorvelResources();
  platform::RegisterResources(table.data(), table.size());
  Display* x = XOpenDisplay(name.c_str());
  ASSERT_NE(x, nullptr);
  int eventBase = 0, errorBase = 0;
  ASSERT_TRUE(XFixesQueryExtension(x, &eventBase, &errorBase));

  handCursor = LoadCursor(reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x400000)), "HAND_CURSOR");
  ASSERT_NE(handCursor, nullptr);
  std::shared_ptr<const platform::CursorImage> hand = platform::CursorImageOf(handCursor);
  ASSERT_NE(hand, nullptr);
  WNDCLASS windowClass{};
  windowClass.lpfnWndProc = LinkProcedure;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_WINDOW + 1));
  windowClass.lpszClassName = "CursorLink";
  ASSERT_NE(RegisterClass(&windowClass), 0);
  HWND window = CreateWindowEx(0, "CursorLink", "Link", WS_POPUP, 100, 100, 120, 80, nullptr, nullptr, nullptr,
                               nullptr);
  ShowWindow(window, SW_SHOW);
  platform::RunUntilIdle();
  platform::SyncPresenter();

  XTestFakeMotionEvent(x, -1, 150, 130, CurrentTime);
  XSync(x, False);
  // The presenter defines the cursor on its own connection, which tells ours
  // nothing: serve the layer's queue in short turns and look after each one.
  ShownImage shown;
  auto arrivedNow = [&] {
    shown = ServerCursor(x);
    return shown.width == hand->width && shown.height == hand->height;
  };
  bool arrived = false;
  for (int turn = 0; turn < 100 && !arrived; ++turn) arrived = platform::PumpUntil(arrivedNow, 100);
  ASSERT_TRUE(arrived) << "the server shows a " << shown.width << " x " << shown.height << " cursor";
  EXPECT_EQ(platform::ShownCursor(window), handCursor);
  EXPECT_EQ(shown.xhot, hand->hotSpot.x);
  EXPECT_EQ(shown.yhot, hand->hotSpot.y);
  // Premultiplying changes nothing where the image is fully opaque or fully
  // clear; there, and in the alpha of every pixel, the server's image is ours.
  int differences = 0, opaque = 0;
  for (std::size_t index = 0; index < hand->pixels.size(); ++index) {
    std::uint32_t ours = hand->pixels[index], theirs = shown.pixels[index];
    unsigned alpha = ours >> 24;
    opaque += alpha == 255;
    bool same = (alpha == 255 || alpha == 0) ? (alpha == 0 ? theirs == 0 : theirs == ours) : (theirs >> 24) == alpha;
    differences += !same;
  }
  EXPECT_EQ(differences, 0);
  EXPECT_GT(opaque, 200);  // a real drawing, not a blank image

  DestroyWindow(window);
  platform::RunUntilIdle();
  platform::Shutdown();
  XCloseDisplay(x);
  platform::RegisterResources(nullptr, 0);
  platform::EnableTestMode(false);
  platform::SetFailureHandler(nullptr);
  setenv("QUORVEL_DISPLAY", "headless", 1);
}

}  // namespace
