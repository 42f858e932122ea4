// See ScreenCompare.h.
#include "x11/ScreenCompare.h"

#include "platform/TestSupport.h"
#include "platform/Window.h"

#include "x11/Screenshots.h"

#include <X11/Xlib.h>

int CompareWindowWithScreen(const std::string& display, HWND window, const std::string& prefix) {
  Display* x = XOpenDisplay(display.c_str());
  if (x == nullptr) return -1;
  const Picture layer = LayerPicture(window, prefix + "-layer.png");
  RECT r{};
  GetWindowRect(window, &r);
  Picture screen;
  int differences = -1;
  platform::PumpUntil(
      [&] {
        platform::SyncPresenter();
        screen = ServerPicture(x, DefaultRootWindow(x), r.left, r.top, r.right - r.left, r.bottom - r.top);
        differences = Differences(layer, screen);
        return differences == 0;
      },
      10000);
  WritePicture(prefix + "-screen.png", screen);
  XCloseDisplay(x);
  return differences;
}
