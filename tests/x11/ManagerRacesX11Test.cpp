// A window manager works in its own time: it reads the program's requests
// (a map, a move) after the server has passed them on, and meanwhile tells
// the program of the state it had before. Here the test plays the manager,
// one event at a time, so that each race happens in the order that loses:
// a place the manager reports before it has read the program's move does
// not undo the move; a window shown again while the manager is still
// mapping it for the show before its withdrawal comes back on the screen;
// a focus the manager moves on its own right after a key the program's
// window took is the manager's guess, not the user's choice.
#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"
#include "x11/XProperty.h"
#include "x11/XvfbServer.h"

// X11 last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

// A window manager that does only what a test tells it, on its own
// connection: it takes the screen (the redirection of the root's children
// and the manager selection), maps what it is asked to map, moves what it
// is asked to move and reports the place, withdraws a window the program
// withdraws, and answers the question of a window's frame extents.
class StandInManager {
 public:
  explicit StandInManager(const std::string& display) {
    x_ = XOpenDisplay(display.c_str());
    if (x_ == nullptr) return;
    const Window root = DefaultRootWindow(x_);
    XSelectInput(x_, root, SubstructureRedirectMask | SubstructureNotifyMask);
    self_ = XCreateSimpleWindow(x_, root, 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(x_, XInternAtom(x_, "WM_S0", False), self_, CurrentTime);
    request_ = XInternAtom(x_, "_NET_REQUEST_FRAME_EXTENTS", False);
    extents_ = XInternAtom(x_, "_NET_FRAME_EXTENTS", False);
    const Atom supported[2] = {request_, extents_};
    XChangeProperty(x_, root, XInternAtom(x_, "_NET_SUPPORTED", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(supported), 2);
    XSync(x_, False);
  }
  ~StandInManager() {
    if (x_ == nullptr) return;
    XDeleteProperty(x_, DefaultRootWindow(x_), XInternAtom(x_, "_NET_SUPPORTED", False));
    XDestroyWindow(x_, self_);
    XCloseDisplay(x_);
  }
  StandInManager(const StandInManager&) = delete;
  StandInManager& operator=(const StandInManager&) = delete;
  bool ok() const { return x_ != nullptr; }

  // Handles the events that have come, in order, up to and including the
  // first one of `type`; what came after it waits. False when none of that
  // type comes within 10 s.
  bool HandleUpTo(int type) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    pollfd source{ConnectionNumber(x_), POLLIN, 0};
    for (;;) {
      while (XPending(x_) > 0) {
        XEvent event;
        XNextEvent(x_, &event);
        Handle(event);
        if (event.type == type) {
          XSync(x_, False);
          return true;
        }
      }
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
      if (left <= 0 || poll(&source, 1, static_cast<int>(left)) <= 0) return false;
    }
  }
  // Handles whatever has come; never waits.
  void HandleAll() {
    XSync(x_, False);
    while (XPending(x_) > 0) {
      XEvent event;
      XNextEvent(x_, &event);
      Handle(event);
    }
    XSync(x_, False);
  }
  // Tells the window it stands at x, y, as a manager does of a place it
  // chose (with the window's present size).
  void ReportPlace(Window window, int x, int y) {
    Window root = 0;
    int ignoredX = 0, ignoredY = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(x_, window, &root, &ignoredX, &ignoredY, &width, &height, &border, &depth);
    Notify(window, x, y, static_cast<int>(width), static_cast<int>(height));
    XSync(x_, False);
  }
  // From now on a place asked for is that of a frame around the window,
  // as a manager that draws a title and a border takes it: the window
  // stands `dx`, `dy` further right and down.
  void FrameBy(int dx, int dy) {
    frameX_ = dx;
    frameY_ = dy;
  }
  bool Mapped(Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(x_, window, &attributes) && attributes.map_state == IsViewable;
  }

 private:
  void Handle(XEvent& event) {
    switch (event.type) {
      case MapRequest: XMapWindow(x_, event.xmaprequest.window); break;
      case ConfigureRequest: {
        const XConfigureRequestEvent& request = event.xconfigurerequest;
        XWindowChanges changes{};
        changes.x = request.x + frameX_;
        changes.y = request.y + frameY_;
        changes.width = request.width;
        changes.height = request.height;
        const unsigned mask = request.value_mask & (CWX | CWY | CWWidth | CWHeight);
        XConfigureWindow(x_, request.window, mask, &changes);
        Window root = 0;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        if (XGetGeometry(x_, request.window, &root, &x, &y, &width, &height, &border, &depth))
          Notify(request.window, x, y, static_cast<int>(width), static_cast<int>(height));
        break;
      }
      // The program's withdrawal (the synthetic notice sent to the root).
      case UnmapNotify:
        if (event.xunmap.send_event) XUnmapWindow(x_, event.xunmap.window);
        break;
      case ClientMessage:
        if (event.xclient.message_type == request_) {
          const long none[4] = {0, 0, 0, 0};
          XChangeProperty(x_, event.xclient.window, extents_, XA_CARDINAL, 32, PropModeReplace,
                          reinterpret_cast<const unsigned char*>(none), 4);
        }
        break;
      default: break;
    }
  }
  void Notify(Window window, int x, int y, int width, int height) {
    XEvent notice{};
    notice.xconfigure.type = ConfigureNotify;
    notice.xconfigure.event = window;
    notice.xconfigure.window = window;
    notice.xconfigure.x = x;
    notice.xconfigure.y = y;
    notice.xconfigure.width = width;
    notice.xconfigure.height = height;
    XSendEvent(x_, window, False, StructureNotifyMask, &notice);
  }

  Display* x_ = nullptr;
  Window self_ = 0;
  Atom request_ = 0, extents_ = 0;
  int frameX_ = 0, frameY_ = 0;
};

// Where the layer put each window each time it moved, and which window
// became active, in order.
struct Place {
  HWND window;
  RECT rect;
};
std::vector<Place> places;
std::vector<HWND> activated;

LRESULT RaceProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MOVE) {
    RECT rect{};
    GetWindowRect(window, &rect);
    places.push_back(Place{window, rect});
  }
  if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) activated.push_back(window);
  return DefWindowProc(window, message, wParam, lParam);
}

class ManagerRacesX11Test : public OnXvfb<testing::Test> {
 protected:
  void SetUp() override {
    OnXvfb::SetUp();
    if (HasFatalFailure()) return;
    platform::EnableTestMode(true);
    platform::SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
    x_ = XOpenDisplay(display_.c_str());
    ASSERT_NE(x_, nullptr);
    places.clear();
    activated.clear();
    WNDCLASS windowClass{};
    windowClass.lpfnWndProc = RaceProcedure;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "ManagerRaces";
    ASSERT_NE(RegisterClass(&windowClass), 0);
  }
  void TearDown() override {
    platform::RunUntilIdle();
    platform::Shutdown();
    platform::EnableTestMode(false);
    platform::SetFailureHandler(nullptr);
    if (x_ != nullptr) XCloseDisplay(x_);
    OnXvfb::TearDown();
  }

  static HWND MakeWindow(const char* title, int x, int y) {
    return CreateWindowEx(0, "ManagerRaces", title, WS_OVERLAPPEDWINDOW, x, y, 200, 120, nullptr, nullptr, nullptr,
                          nullptr);
  }
  // Until the presenter has handled every event the server had sent it
  // when this was called, and the windows' threads what it passed on: the
  // first sync's round trip comes back behind those events, the second
  // runs once the presenter has dealt with them.
  static void CatchUp() {
    platform::SyncPresenter();
    platform::SyncPresenter();
    platform::RunUntilIdle();
  }
  Window FindByName(const std::string& name) { return TopLevelWindowNamed(x_, name); }

  // Shows `other`, then `active` with the keyboard, waits until the server
  // has given it the keyboard and the program has heard all of it, and
  // forgets the activations so far. The X windows of both, or 0.
  std::pair<Window, Window> ShowWithTheKeyboard(HWND active, const char* activeName, HWND other,
                                                const char* otherName) {
    ShowWindow(other, SW_SHOW);
    ShowWindow(active, SW_SHOW);
    SetForegroundWindow(active);
    platform::RunUntilIdle();
    platform::SyncPresenter();
    const Window activeId = FindByName(activeName), otherId = FindByName(otherName);
    if (activeId == 0 || otherId == 0 || !WaitForInputFocus(x_, activeId)) return {0, 0};
    CatchUp();
    activated.clear();
    return {activeId, otherId};
  }
  // The window named `name` has the keyboard (within 10 s), `chosen` is
  // the program's active window, and `other` never became it meanwhile.
  void ExpectTheKeyboardIn(const char* name, HWND chosen, HWND other) {
    const bool has = platform::PumpUntil(
        [&] {
          const Window id = FindByName(name);
          Window focus = 0;
          int revert = 0;
          XGetInputFocus(x_, &focus, &revert);
          return id != 0 && focus == id;
        },
        10000);
    EXPECT_TRUE(has) << "the chosen window does not have the keyboard";
    CatchUp();
    EXPECT_EQ(GetActiveWindow(), chosen);
    for (HWND window : activated)
      EXPECT_NE(window, other) << "the program took the manager's guess for the user's choice";
  }

  Display* x_ = nullptr;
};

// The manager placed the window when it mapped it; the program then moves
// it, and the manager, before it reads that move, reports its own place
// again. That report reaches the program after the move reached the
// server, yet it is older than the move: taken, it puts the window back
// where the manager had it, and a later change of size sends that place to
// the server. The program's place stands, and the manager's answer to the
// move is taken.
TEST_F(ManagerRacesX11Test, APlaceTheManagerReportsBeforeReadingTheProgramsMoveDoesNotUndoIt) {
  StandInManager manager(display_);
  ASSERT_TRUE(manager.ok());
  HWND window = MakeWindow("Moved", 30, 40);
  ShowWindow(window, SW_SHOW);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  ASSERT_TRUE(manager.HandleUpTo(MapRequest)) << "the window was never mapped";
  const Window id = FindByName("Moved");
  ASSERT_NE(id, 0u);
  manager.HandleAll();
  CatchUp();
  places.clear();
  SetWindowPos(window, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  manager.ReportPlace(id, 30, 40);
  manager.HandleAll();  // the move, answered at 300, 200
  CatchUp();
  RECT rect{};
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 300);
  EXPECT_EQ(rect.top, 200);
  for (const Place& place : places)
    EXPECT_FALSE(place.rect.left == 30 && place.rect.top == 40) << "the layer took the manager's old place";
}

// A manager that frames a window places the frame where the program asks,
// and the window inside it further right and down; the program hears of
// the window's place. A change of the window's size alone leaves it where
// it is: sent with that place, it would move the frame there, and the
// window down and right by the frame's title and border at every change.
TEST_F(ManagerRacesX11Test, AChangeOfSizeAloneLeavesAFramedWindowInItsPlace) {
  StandInManager manager(display_);
  ASSERT_TRUE(manager.ok());
  manager.FrameBy(1, 20);
  HWND window = MakeWindow("Framed", 30, 40);
  ShowWindow(window, SW_SHOW);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  ASSERT_TRUE(manager.HandleUpTo(MapRequest)) << "the window was never mapped";
  SetWindowPos(window, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  manager.HandleAll();
  CatchUp();
  RECT placed{};
  GetWindowRect(window, &placed);
  ASSERT_EQ(placed.left, 101);
  ASSERT_EQ(placed.top, 120);
  for (int width = 220; width <= 260; width += 20) {
    SetWindowPos(window, nullptr, 0, 0, width, 120, SWP_NOMOVE | SWP_NOZORDER);
    platform::RunUntilIdle();
    platform::SyncPresenter();
    manager.HandleAll();
    CatchUp();
  }
  RECT rect{};
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 101);
  EXPECT_EQ(rect.top, 120);
  EXPECT_EQ(rect.right - rect.left, 260);
}

// The program shows a window, hides it and shows it again before the
// manager has read any of it. The manager maps the window for the first
// show; the second show reaches the server while the window is mapped and
// asks for nothing; then the manager reads the withdrawal and takes the
// window off the screen. The program waits until the manager has withdrawn
// the window before it maps it again, so the window ends on the screen.
TEST_F(ManagerRacesX11Test, AWindowShownAgainWhileTheManagerStillMapsItEndsOnTheScreen) {
  StandInManager manager(display_);
  ASSERT_TRUE(manager.ok());
  HWND window = MakeWindow("Shown again", 30, 40);
  ShowWindow(window, SW_SHOW);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  ShowWindow(window, SW_HIDE);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  ASSERT_TRUE(manager.HandleUpTo(MapRequest)) << "the window was never mapped";
  const Window id = FindByName("Shown again");
  ASSERT_NE(id, 0u);
  ShowWindow(window, SW_SHOW);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  const bool shown = platform::PumpUntil(
      [&] {
        manager.HandleAll();
        return manager.Mapped(id);
      },
      10000);
  EXPECT_TRUE(shown) << "the window did not come back on the screen";
  EXPECT_TRUE(IsWindowVisible(window));
}

// The program's window has the keyboard; the user types a key into it, and
// the manager (played by the test), before the program has answered the
// key, gives the focus to another window of the program's on its own, as
// it does when a window of the program's goes away. The key reached the
// program, not the manager, so the focus is the manager's guess: the
// program's window takes it back and stays the active one.
TEST_F(ManagerRacesX11Test, AFocusTheManagerMovesRightAfterAKeyTheProgramTookIsItsGuess) {
  HWND chosen = MakeWindow("Chosen", 30, 40);
  HWND other = MakeWindow("Other", 300, 40);
  const auto [chosenId, otherId] = ShowWithTheKeyboard(chosen, "Chosen", other, "Other");
  ASSERT_NE(chosenId, 0u) << "the chosen window never had the keyboard";
  const KeyCode code = XKeysymToKeycode(x_, XK_Down);
  XTestFakeKeyEvent(x_, code, True, CurrentTime);
  XTestFakeKeyEvent(x_, code, False, CurrentTime);
  XSetInputFocus(x_, otherId, RevertToParent, CurrentTime);
  XSync(x_, False);
  ExpectTheKeyboardIn("Chosen", chosen, other);
}

// The program closes the window that has the keyboard and shows another
// one, which it activates (Results given up for the Layout); the manager,
// meanwhile, gives the focus to a window of the program's that was already
// on the screen (its fallback, or its guess at a window it maps). The
// presenter reads the manager's focus before it hears of the program's new
// window: the focus is still the manager's guess, not the user's choice,
// and the program's window takes the keyboard.
TEST_F(ManagerRacesX11Test, AFocusTheManagerGivesBeforeThePresenterHearsOfTheChosenWindowIsItsGuess) {
  HWND closing = MakeWindow("Closing", 30, 40);
  HWND other = MakeWindow("Other", 300, 40);
  HWND chosen = MakeWindow("Chosen", 30, 300);
  // Named variables, not a structured binding: the lambda below takes it.
  Window closingId = 0, otherId = 0;
  std::tie(closingId, otherId) = ShowWithTheKeyboard(closing, "Closing", other, "Other");
  ASSERT_NE(closingId, 0u) << "the first window never had the keyboard";
  platform::HoldPresenter([&] {
    XSetInputFocus(x_, otherId, RevertToParent, CurrentTime);
    XSync(x_, False);
    ShowWindow(chosen, SW_SHOW);
    SetForegroundWindow(chosen);
    ShowWindow(closing, SW_HIDE);
  });
  ExpectTheKeyboardIn("Chosen", chosen, other);
}

}  // namespace
