// See RootPicture.h.
#include "x11/RootPicture.h"

#include "x11/Screenshots.h"

#include <X11/Xlib.h>

bool SaveRootPicture(const std::string& display, const std::string& path) {
  Display* x = XOpenDisplay(display.c_str());
  if (x == nullptr) return false;
  const int width = DisplayWidth(x, DefaultScreen(x)), height = DisplayHeight(x, DefaultScreen(x));
  WritePicture(path, ServerPicture(x, DefaultRootWindow(x), 0, 0, width, height));
  XCloseDisplay(x);
  return true;
}
