// See XInput.h.
#include "x11/XInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "x11/XProperty.h"

struct XInput::State {
  Display* x = nullptr;
  int focusIns = 0;
  std::vector<Window> focused;  // the windows that got the focus, in order
  std::map<unsigned long, KeyCode> symbolKeys;  // the keys given to keysyms
};

XInput::XInput(const std::string& display) : state_(std::make_unique<State>()) {
  state_->x = XOpenDisplay(display.c_str());
}

XInput::~XInput() {
  if (state_->x != nullptr) XCloseDisplay(state_->x);
}

bool XInput::ok() const { return state_->x != nullptr; }

void XInput::Click(int x, int y) {
  Display* d = state_->x;
  XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
  XTestFakeButtonEvent(d, 1, True, CurrentTime);
  XTestFakeButtonEvent(d, 1, False, CurrentTime);
  XSync(d, False);
}

void XInput::Move(int x, int y) {
  XTestFakeMotionEvent(state_->x, -1, x, y, CurrentTime);
  XSync(state_->x, False);
}

void XInput::Wheel(int x, int y, bool forward) {
  Display* d = state_->x;
  const unsigned int button = forward ? 4 : 5;
  XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
  XTestFakeButtonEvent(d, button, True, CurrentTime);
  XTestFakeButtonEvent(d, button, False, CurrentTime);
  XSync(d, False);
}

void XInput::Key(const char* name) {
  Display* d = state_->x;
  const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(name));
  XTestFakeKeyEvent(d, code, True, CurrentTime);
  XTestFakeKeyEvent(d, code, False, CurrentTime);
  XSync(d, False);
}

void XInput::Symbol(unsigned long keysym) {
  Display* d = state_->x;
  KeyCode& code = state_->symbolKeys[keysym];
  if (code == 0) {
    // A key once given a keysym keeps it, so that no key is read with a
    // layout other than the one it was typed with.
    int low = 0, high = 0;
    XDisplayKeycodes(d, &low, &high);
    for (int candidate = high; candidate >= low && code == 0; --candidate) {
      int perCode = 0;
      KeySym* symbols = XGetKeyboardMapping(d, static_cast<KeyCode>(candidate), 1, &perCode);
      bool empty = true;
      for (int i = 0; i < perCode; ++i) empty = empty && symbols[i] == NoSymbol;
      XFree(symbols);
      if (empty) code = static_cast<KeyCode>(candidate);
    }
    KeySym symbol = keysym;
    XChangeKeyboardMapping(d, code, 1, &symbol, 1);
  }
  XTestFakeKeyEvent(d, code, True, CurrentTime);
  XTestFakeKeyEvent(d, code, False, CurrentTime);
  XSync(d, False);
}

void XInput::Chord(const char* modifier, const char* key) {
  Display* d = state_->x;
  const KeyCode held = XKeysymToKeycode(d, XStringToKeysym(modifier));
  const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(key));
  XTestFakeKeyEvent(d, held, True, CurrentTime);
  XTestFakeKeyEvent(d, code, True, CurrentTime);
  XTestFakeKeyEvent(d, code, False, CurrentTime);
  XTestFakeKeyEvent(d, held, False, CurrentTime);
  XSync(d, False);
}

void XInput::ShortcutTakenByManager(const char* modifier, const char* key) {
  Display* d = state_->x;
  const KeyCode held = XKeysymToKeycode(d, XStringToKeysym(modifier));
  const KeyCode taken = XKeysymToKeycode(d, XStringToKeysym(key));
  XTestFakeKeyEvent(d, held, True, CurrentTime);
  XSync(d, False);
  XGrabKeyboard(d, DefaultRootWindow(d), False, GrabModeAsync, GrabModeAsync, CurrentTime);
  XTestFakeKeyEvent(d, taken, True, CurrentTime);
  XTestFakeKeyEvent(d, taken, False, CurrentTime);
  XTestFakeKeyEvent(d, held, False, CurrentTime);
  XSync(d, False);
  XUngrabKeyboard(d, CurrentTime);
  XSync(d, False);
}

namespace {

// Watches the program's windows (class "Quorvel") at any depth: under a
// window manager they sit inside the manager's frames, whose own focus
// events would count each change twice.
void WatchProgramWindows(Display* d, Window window) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(d, window, &root, &parent, &children, &count)) return;
  for (unsigned index = 0; index < count; ++index) {
    XClassHint hint{};
    bool ours = false;
    if (XGetClassHint(d, children[index], &hint)) {
      ours = hint.res_class != nullptr && std::string(hint.res_class) == "Quorvel";
      if (hint.res_name != nullptr) XFree(hint.res_name);
      if (hint.res_class != nullptr) XFree(hint.res_class);
    }
    if (ours) XSelectInput(d, children[index], FocusChangeMask);
    else WatchProgramWindows(d, children[index]);
  }
  if (children != nullptr) XFree(children);
}

// The program's window titled `title`, at any depth; 0 when none.
Window ProgramWindowTitled(Display* d, Window window, const std::string& title) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(d, window, &root, &parent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned index = 0; index < count && found == 0; ++index) {
    if (WindowProperty(d, children[index], "_NET_WM_NAME") == title) found = children[index];
    else found = ProgramWindowTitled(d, children[index], title);
  }
  if (children != nullptr) XFree(children);
  return found;
}

}  // namespace

bool XInput::PlaceOf(const std::string& title, int* x, int* y) {
  Display* d = state_->x;
  const Window window = ProgramWindowTitled(d, DefaultRootWindow(d), title);
  Window child = 0;
  return window != 0 && XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, x, y, &child);
}

bool XInput::HasFocus(const std::string& title) {
  Display* d = state_->x;
  const Window window = ProgramWindowTitled(d, DefaultRootWindow(d), title);
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(d, &focus, &revert);
  if (window == 0 || focus <= PointerRoot) return false;
  // A window manager may give the focus to its frame: keys then go to the
  // window under the pointer inside it.
  for (Window at = window; at != 0 && at != DefaultRootWindow(d);) {
    if (at == focus) return true;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, at, &root, &parent, &children, &count)) return false;
    if (children != nullptr) XFree(children);
    at = parent;
  }
  return false;
}

void XInput::ClickThenFocusGivenTo(int x, int y, const std::string& title) {
  Display* d = state_->x;
  const Window window = ProgramWindowTitled(d, DefaultRootWindow(d), title);
  if (window == 0) return;
  XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
  XTestFakeButtonEvent(d, 1, True, CurrentTime);
  XSetInputFocus(d, window, RevertToParent, CurrentTime);
  XTestFakeButtonEvent(d, 1, False, CurrentTime);
  XSync(d, False);
}

void XInput::WatchFocus() {
  Display* d = state_->x;
  WatchProgramWindows(d, DefaultRootWindow(d));
  XSync(d, False);
  state_->focusIns = 0;
  state_->focused.clear();
  while (XPending(d) > 0) {
    XEvent event;
    XNextEvent(d, &event);
  }
}

int XInput::FocusChanges() {
  Display* d = state_->x;
  XSync(d, False);
  while (XPending(d) > 0) {
    XEvent event;
    XNextEvent(d, &event);
    if (event.type == FocusIn && event.xfocus.mode == NotifyNormal && event.xfocus.detail != NotifyPointer &&
        event.xfocus.detail != NotifyInferior) {
      ++state_->focusIns;
      state_->focused.push_back(event.xfocus.window);
    }
  }
  return state_->focusIns;
}

bool XInput::GotFocus(const std::string& title) {
  FocusChanges();
  Display* d = state_->x;
  const Window window = ProgramWindowTitled(d, DefaultRootWindow(d), title);
  return window != 0 && std::find(state_->focused.begin(), state_->focused.end(), window) != state_->focused.end();
}
