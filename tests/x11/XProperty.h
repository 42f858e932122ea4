// Reads a window's text property (a title, a class) as the X server holds it,
// so tests check titles by name rather than by pixels.
#pragma once

#include <string>

#include <X11/Xlib.h>

inline std::string WindowProperty(Display* display, ::Window id, const char* name) {
  Atom property = XInternAtom(display, name, False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string value;
  if (XGetWindowProperty(display, id, property, 0, 1024, False, AnyPropertyType, &type, &format, &count, &after,
                         &data) == Success && data != nullptr) {
    value.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  return value;
}

// The close button, as a window manager sends it to the window.
inline void SendCloseButton(Display* display, ::Window id) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = id;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  XSendEvent(display, id, False, NoEventMask, &event);
  XSync(display, False);
}
