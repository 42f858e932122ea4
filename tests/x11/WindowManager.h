// A window manager (openbox) on a test's own X server, for the tests that
// check what a user with a desktop sees: where a new window is stacked, who
// gets the focus, what the manager reads from a window's properties. It is
// a child of the test (ChildProcess.h), so it ends with the test however the
// test ends; Start returns once the manager has taken the screen.
//
// The manager's view of a window: it frames each managed window in a window
// of its own, so the stacking order of the screen is that of the frames.
// These helpers take and give the program's own X window ids.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "x11/ChildProcess.h"

class WindowManager {
 public:
  WindowManager() = default;
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

  // Starts openbox on `display` and waits (at most 30 s) until it manages
  // the screen. An empty text when it did, else why not. `followMouse`:
  // the focus follows the pointer (its rc.xml's followMouse).
  std::string Start(const std::string& display, bool followMouse = false);

 private:
  ChildProcess process_;
};

// What a test asks the server about windows managed by a window manager;
// its own connection.
class ManagedWindows {
 public:
  explicit ManagedWindows(const std::string& display);
  ~ManagedWindows();
  ManagedWindows(const ManagedWindows&) = delete;
  ManagedWindows& operator=(const ManagedWindows&) = delete;
  bool ok() const;

  // The program's X window whose title (_NET_WM_NAME) is `title` and that
  // the server shows; 0 when none.
  unsigned long ShownWindowTitled(const std::string& title);
  // The shown program window that is transient for `owner`; 0 when none.
  unsigned long ShownTransientOf(unsigned long owner);
  // The place of the window's frame in the screen's stacking order, from
  // the bottom (0); -1 when it is not on the screen.
  int StackingPlace(unsigned long window);
  // The window WM_TRANSIENT_FOR names (0 for none) and whether the window
  // type is the dialog type.
  unsigned long TransientFor(unsigned long window);
  bool TypedAsDialog(unsigned long window);
  // Whether the window tells the manager it is modal (_NET_WM_STATE_MODAL).
  bool MarkedModal(unsigned long window);
  // The window that has the keyboard focus, or the program's window that
  // contains it; 0 when none.
  unsigned long FocusWindow();
  // The window the manager names as the active one (_NET_ACTIVE_WINDOW on
  // the root); 0 when none.
  unsigned long ManagersActiveWindow();
  // Asks the manager to minimise the window to an icon, as its title's
  // minimise button or a taskbar does (WM_CHANGE_STATE).
  void Minimise(unsigned long window);
  // Whether the manager lets the user do `action` to the window
  // ("_NET_WM_ACTION_MINIMIZE"), by its _NET_WM_ALLOWED_ACTIONS.
  bool Allows(unsigned long window, const char* action);
  // Asks the manager to activate the window, as a pager or a taskbar does
  // (_NET_ACTIVE_WINDOW from a client that is not the window's), with no key
  // or button pressed.
  void ActivateAsPager(unsigned long window);
  // The program's windows (not the manager's frames) that the server shows.
  std::vector<unsigned long> ShownProgramWindows();
  // Waits until the manager has dealt with everything the server told it
  // so far (a window that appeared, a click): it answers a question of
  // this connection's, and it answers in turn. What the manager did then
  // (a focus it gave, a window it raised) is on the server when this
  // returns; what the program does about it may still be on its way. True
  // at once when no manager runs; false when no answer came within 10 s.
  bool SyncWithManager();

 private:
  struct State;
  std::unique_ptr<State> state_;
};
