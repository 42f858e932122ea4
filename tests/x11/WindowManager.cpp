// See WindowManager.h.
#include "x11/WindowManager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

namespace {

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

// Whether the window's atom list `property` holds `value`.
bool ListsAtom(Display* x, Window window, const char* property, const char* value) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool found = false;
  if (XGetWindowProperty(x, window, XInternAtom(x, property, False), 0, 64, False, XA_ATOM, &type, &format, &count,
                         &after, &data) == Success &&
      data != nullptr && format == 32) {
    const Atom wanted = XInternAtom(x, value, False);
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long index = 0; index < count; ++index) found = found || atoms[index] == wanted;
  }
  if (data != nullptr) XFree(data);
  return found;
}

// True once a window manager holds the screen's manager selection and has
// published its check window.
bool ManagerRunning(Display* x) {
  if (XGetSelectionOwner(x, XInternAtom(x, "WM_S0", False)) == 0) return false;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool found = XGetWindowProperty(x, DefaultRootWindow(x), XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", False), 0, 1,
                                  False, XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
               count == 1;
  if (data != nullptr) XFree(data);
  return found;
}

// Asks the manager a question only its main loop answers (the frame
// extents of a window of this connection's, `asking`), and waits at most
// `limitMs` for the answer.
bool ManagerAnswers(Display* x, Window asking, int limitMs) {
  const Atom extents = XInternAtom(x, "_NET_FRAME_EXTENTS", False);
  XDeleteProperty(x, asking, extents);
  XSync(x, False);
  while (XPending(x) > 0) {
    XEvent event;
    XNextEvent(x, &event);
  }
  XEvent question{};
  question.xclient.type = ClientMessage;
  question.xclient.window = asking;
  question.xclient.message_type = XInternAtom(x, "_NET_REQUEST_FRAME_EXTENTS", False);
  question.xclient.format = 32;
  XSendEvent(x, DefaultRootWindow(x), False, SubstructureRedirectMask | SubstructureNotifyMask, &question);
  XFlush(x);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  pollfd source{ConnectionNumber(x), POLLIN, 0};
  for (;;) {
    while (XPending(x) > 0) {
      XEvent event;
      XNextEvent(x, &event);
      if (event.type == PropertyNotify && event.xproperty.window == asking && event.xproperty.atom == extents &&
          event.xproperty.state == PropertyNewValue)
        return true;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || poll(&source, 1, static_cast<int>(left.count())) <= 0) return false;
  }
}

// The child of the root window that holds `window` (its manager's frame, or
// the window itself when it is not framed); 0 when none.
Window TopOf(Display* x, Window window) {
  Window root = DefaultRootWindow(x);
  while (window != 0) {
    Window rootReturn = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(x, window, &rootReturn, &parent, &children, &count)) return 0;
    if (children != nullptr) XFree(children);
    if (parent == root) return window;
    window = parent;
  }
  return 0;
}

std::string TitleOf(Display* x, Window window) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(x, window, XInternAtom(x, "_NET_WM_NAME", False), 0, 256, False, AnyPropertyType, &type,
                         &format, &count, &after, &data) == Success && data != nullptr)
    title.assign(reinterpret_cast<char*>(data), count);
  if (data != nullptr) XFree(data);
  return title;
}

// The program's windows: those whose class is "Quorvel", at any depth
// under the root (a manager reparents them into its frames).
void CollectProgramWindows(Display* x, Window window, std::vector<unsigned long>& found) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(x, window, &root, &parent, &children, &count)) return;
  for (unsigned index = 0; index < count; ++index) {
    XClassHint hint{};
    if (XGetClassHint(x, children[index], &hint)) {
      const bool ours = hint.res_class != nullptr && std::string(hint.res_class) == "Quorvel";
      if (hint.res_name != nullptr) XFree(hint.res_name);
      if (hint.res_class != nullptr) XFree(hint.res_class);
      if (ours) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(x, children[index], &attributes) && attributes.map_state == IsViewable)
          found.push_back(children[index]);
        continue;
      }
    }
    CollectProgramWindows(x, children[index], found);
  }
  if (children != nullptr) XFree(children);
}

// Asks the manager, as the root window's client message `message` about
// `window` with `first` as its first value.
void AskManager(Display* x, unsigned long window, const char* message, long first) {
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = window;
  request.xclient.message_type = XInternAtom(x, message, False);
  request.xclient.format = 32;
  request.xclient.data.l[0] = first;
  XSendEvent(x, DefaultRootWindow(x), False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
  XSync(x, False);
}

}  // namespace

std::string WindowManager::Start(const std::string& display, bool followMouse) {
  std::vector<std::string> command{"openbox", "--sm-disable"};
  if (followMouse) {  // at once, not after a delay: the manager has moved it when it answers
    const std::string path = std::string(std::getenv("TMPDIR")) + "/openbox-follow-mouse.xml";
    std::ofstream(path) << "<openbox_config xmlns=\"http://openbox.org/3.4/rc\"><focus><followMouse>yes</followMouse>"
                           "<focusDelay>0</focusDelay></focus></openbox_config>\n";
    command.insert(command.end(), {"--config-file", path});
  }
  Display* x = XOpenDisplay(display.c_str());
  if (x == nullptr) return "cannot open " + display;
  XSelectInput(x, DefaultRootWindow(x), PropertyChangeMask | SubstructureNotifyMask);
  XSync(x, False);
  ChildOptions options;
  options.environment = {{"DISPLAY", display}};
  if (!process_.Start(command, options)) {
    XCloseDisplay(x);
    return "cannot start openbox";
  }
  // Each property change or new window on the root wakes the wait; the
  // manager's start is a burst of them.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  bool running = ManagerRunning(x);
  int status = 0;
  bool ended = false;
  while (!running && std::chrono::steady_clock::now() < deadline && !(ended = process_.WaitFor(0, &status))) {
    pollfd source{ConnectionNumber(x), POLLIN, 0};
    poll(&source, 1, 100);
    while (XPending(x) > 0) {
      XEvent event;
      XNextEvent(x, &event);
    }
    running = ManagerRunning(x);
  }
  // The manager takes the screen before it has read its settings, and what
  // reaches it meanwhile (a window that appears, a question) may wait until
  // something else wakes it: it has started once it answers, asked again
  // and again.
  bool answers = false;
  if (running) {
    const Window asking = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(x, asking, PropertyChangeMask);
    while (!answers && std::chrono::steady_clock::now() < deadline) answers = ManagerAnswers(x, asking, 200);
    XDestroyWindow(x, asking);
  }
  XCloseDisplay(x);
  if (answers) return "";
  return ended     ? "openbox ended at its start (is it installed? tools/install-deps installs it)"
         : running ? "openbox took the screen but did not answer within 30 s"
                   : "openbox did not take the screen within 30 s";
}

struct ManagedWindows::State {
  Display* x = nullptr;
  Window asking = 0;  // a window of the test's own, never shown, that asks the manager
};

ManagedWindows::ManagedWindows(const std::string& display) : state_(std::make_unique<State>()) {
  state_->x = XOpenDisplay(display.c_str());
  if (state_->x != nullptr) XSetErrorHandler(IgnoreErrors);
}

ManagedWindows::~ManagedWindows() {
  if (state_->x == nullptr) return;
  if (state_->asking != 0) XDestroyWindow(state_->x, state_->asking);
  XCloseDisplay(state_->x);
}

bool ManagedWindows::ok() const { return state_->x != nullptr; }

std::vector<unsigned long> ManagedWindows::ShownProgramWindows() {
  std::vector<unsigned long> found;
  XSync(state_->x, False);
  CollectProgramWindows(state_->x, DefaultRootWindow(state_->x), found);
  return found;
}

// The question is the frame extents of a window that is not mapped yet
// (a program asks them to place its window before showing it): the manager
// answers with a property on the window, after what it had to do before.
bool ManagedWindows::SyncWithManager() {
  Display* x = state_->x;
  if (!ManagerRunning(x)) return true;  // nothing to wait for
  if (state_->asking == 0) {
    state_->asking = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(x, state_->asking, PropertyChangeMask);
  }
  return ManagerAnswers(x, state_->asking, 10000);
}

unsigned long ManagedWindows::ShownWindowTitled(const std::string& title) {
  for (unsigned long window : ShownProgramWindows())
    if (TitleOf(state_->x, window) == title) return window;
  return 0;
}

unsigned long ManagedWindows::ShownTransientOf(unsigned long owner) {
  for (unsigned long window : ShownProgramWindows())
    if (TransientFor(window) == owner) return window;
  return 0;
}

int ManagedWindows::StackingPlace(unsigned long window) {
  Display* x = state_->x;
  XSync(x, False);
  const Window top = TopOf(x, window);
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  int place = -1;
  if (top != 0 && XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count))
    for (unsigned index = 0; index < count; ++index)
      if (children[index] == top) place = static_cast<int>(index);
  if (children != nullptr) XFree(children);
  return place;
}

unsigned long ManagedWindows::TransientFor(unsigned long window) {
  Window target = 0;
  return XGetTransientForHint(state_->x, window, &target) ? target : 0;
}

bool ManagedWindows::TypedAsDialog(unsigned long window) {
  return ListsAtom(state_->x, window, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DIALOG");
}

bool ManagedWindows::MarkedModal(unsigned long window) {
  return ListsAtom(state_->x, window, "_NET_WM_STATE", "_NET_WM_STATE_MODAL");
}

unsigned long ManagedWindows::ManagersActiveWindow() {
  Display* x = state_->x;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  unsigned long active = 0;
  if (XGetWindowProperty(x, DefaultRootWindow(x), XInternAtom(x, "_NET_ACTIVE_WINDOW", False), 0, 1, False, XA_WINDOW,
                         &type, &format, &count, &after, &data) == Success &&
      data != nullptr && format == 32 && count == 1)
    active = *reinterpret_cast<const unsigned long*>(data);
  if (data != nullptr) XFree(data);
  return active;
}

void ManagedWindows::Minimise(unsigned long window) { AskManager(state_->x, window, "WM_CHANGE_STATE", IconicState); }

bool ManagedWindows::Allows(unsigned long window, const char* action) {
  return ListsAtom(state_->x, window, "_NET_WM_ALLOWED_ACTIONS", action);
}

void ManagedWindows::ActivateAsPager(unsigned long window) {
  AskManager(state_->x, window, "_NET_ACTIVE_WINDOW", 2);  // a pager's request
}

unsigned long ManagedWindows::FocusWindow() {
  Window focus = 0;
  int revert = 0;
  XSync(state_->x, False);
  XGetInputFocus(state_->x, &focus, &revert);
  if (focus <= PointerRoot) return 0;
  for (unsigned long window : ShownProgramWindows()) {
    if (window == focus) return window;
    // The focus may sit on the frame of a program window.
    if (TopOf(state_->x, window) == focus) return window;
  }
  return focus;
}
