// Input and focus on a real X server for tests whose own sources cannot
// take X11's headers: XTest clicks and keys as a user's, and a count of the
// keyboard focus changes the server makes among the program's windows
// (inside a window manager's frames too).
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

  // A left click at a screen point.
  void Click(int x, int y);
  // One notch of the wheel at a screen point, forward (away from the user)
  // or back.
  void Wheel(int x, int y, bool forward);
  // A press and release of the key with the given keysym name ("Down").
  void Key(const char* name);
  // The key pressed and released while the modifier is held ("Control_L", "i").
  void Chord(const char* modifier, const char* key);
  // A shortcut a window manager keeps for itself: the program sees the
  // modifier go down, then the manager's grab of the keyboard (held by
  // this connection) takes the key and the modifier's release.
  void ShortcutTakenByManager(const char* modifier, const char* key);
  // Starts counting: every window of the program's that exists now is watched.
  void WatchFocus();
  // FocusIn events seen since WatchFocus (reads what has arrived).
  int FocusChanges();

 private:
  struct State;
  std::unique_ptr<State> state_;
};
