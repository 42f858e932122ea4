// Reads a window's text property (a title, a class) as the X server holds it,
// so tests check titles by name rather than by pixels; finds a top-level
// window by its title, and waits until the server gives a window the
// keyboard.
#pragma once

#include <poll.h>

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

// The top-level X window whose _NET_WM_NAME is `name` (a window without a
// window manager's frame); 0 if none.
inline ::Window TopLevelWindowNamed(Display* display, const std::string& name) {
  ::Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
  unsigned count = 0;
  ::Window found = 0;
  if (XQueryTree(display, root, &root, &parent, &children, &count) != 0) {
    for (unsigned i = 0; i < count && found == 0; ++i)
      if (WindowProperty(display, children[i], "_NET_WM_NAME") == name) found = children[i];
    if (children != nullptr) XFree(children);
  }
  return found;
}

// Waits until the server has given the keyboard to `id`. The program takes
// the focus as it shows a window, but its presenter asks the server for it
// on a thread of its own, and only once the window is mapped: a key sent
// before then goes wherever the focus was. False when the focus has not
// come within 10 s of the last event.
inline bool WaitForInputFocus(Display* display, ::Window id) {
  if (id == 0) return false;
  XSelectInput(display, id, FocusChangeMask);
  pollfd source{ConnectionNumber(display), POLLIN, 0};
  for (;;) {
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    if (focus == id) return true;
    // A focus event read meanwhile is in the queue already, not on the socket.
    if (XEventsQueued(display, QueuedAlready) == 0 && poll(&source, 1, 10000) <= 0) return false;
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
  }
}
