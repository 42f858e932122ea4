// Input and focus on a real X server for tests whose own sources cannot
// take X11's headers: XTest clicks and keys as a user's, where the server
// shows a window of the program's and whether it has the keyboard, and a
// count of the keyboard focus changes the server makes among the program's
// windows (inside a window manager's frames too).
#pragma once

#include <memory>
#include <string>

class XInput {
 public:
  // Opens its own connection to `display`; ok() says whether it could.
  explicit XInput(const std::string& display);
  ~XInput();
  XInput(const XInput&) = delete;
  XInput& operator=(const XInput&) = delete;
  bool ok() const;

  // A left click at a screen point; the pointer moved there alone.
  void Click(int x, int y);
  void Move(int x, int y);
  // One notch of the wheel at a screen point, forward (away from the user)
  // or back.
  void Wheel(int x, int y, bool forward);
  // A press and release of the key with the given keysym name ("Down").
  void Key(const char* name);
  // A press and release of a key that types the keysym, as a user's
  // keyboard layout gives it: the first time, the keysym is put on a key
  // that has nothing, for good. Character types a code point's keysym.
  void Symbol(unsigned long keysym);
  void Character(unsigned codePoint) { Symbol(0x01000000 + codePoint); }
  // The key pressed and released while the modifier is held ("Control_L", "i").
  void Chord(const char* modifier, const char* key);
  // A shortcut a window manager keeps for itself: the program sees the
  // modifier go down, then the manager's grab of the keyboard (held by
  // this connection) takes the key and the modifier's release.
  void ShortcutTakenByManager(const char* modifier, const char* key);
  // Where the server shows the program's window titled `title` (inside a
  // window manager's frame too): the screen point of its top left corner,
  // and whether it has the keyboard focus (it or the manager's frame around
  // it). False when there is no such window.
  bool PlaceOf(const std::string& title, int* x, int* y);
  bool HasFocus(const std::string& title);
  // A click at a screen point outside the program's windows, then the
  // keyboard focus given to the program's window titled `title`: what a
  // window manager does when the user clicks the title of its frame.
  void ClickThenFocusGivenTo(int x, int y, const std::string& title);
  // Starts counting: every window of the program's that exists now is watched.
  void WatchFocus();
  // FocusIn events seen since WatchFocus (reads what has arrived).
  int FocusChanges();
  // Whether the program's window titled `title` got the focus since
  // WatchFocus (reads what has arrived).
  bool GotFocus(const std::string& title);

 private:
  struct State;
  std::unique_ptr<State> state_;
};
