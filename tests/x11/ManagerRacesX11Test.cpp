// A window manager works in its own time: it reads the program's requests
// (a map, a move, an activation) after the server has passed them on, and
// meanwhile tells the program of the state it had before. Here the test
// plays the manager, one event at a time, so that each race happens in the
// order that loses: a place the manager reports before it has read the
// program's move does not undo the move; a window shown again while the
// manager is still mapping it for the show before its withdrawal comes
// back on the screen. The focus is the manager's to give: the program asks
// for it and leaves it where it is until the manager has read the request;
// a key typed meanwhile goes to the window the program chose; a focus the
// manager moves as it reads the program's own hiding of a window is asked
// for again, as is one it moves as it reads the destruction of a dialog
// that had the keyboard; a dialog that goes with the keyboard after the
// program chose another window hands it on without undoing the choice; a
// key the server sent to a dialog destroyed before the key was read
// reaches the owner; and a focus given without the program asking (a
// pager, the user) is followed, never taken back.
#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Presenter.h"
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
  // `activates`: it also follows the extended hints' focus protocol: it
  // names a window of its own as the manager's (_NET_SUPPORTING_WM_CHECK)
  // and gives the focus to a window it is asked to activate.
  explicit StandInManager(const std::string& display, bool activates = false) {
    x_ = XOpenDisplay(display.c_str());
    if (x_ == nullptr) return;
    const Window root = DefaultRootWindow(x_);
    XSelectInput(x_, root, SubstructureRedirectMask | SubstructureNotifyMask);
    self_ = XCreateSimpleWindow(x_, root, 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(x_, XInternAtom(x_, "WM_S0", False), self_, CurrentTime);
    request_ = XInternAtom(x_, "_NET_REQUEST_FRAME_EXTENTS", False);
    extents_ = XInternAtom(x_, "_NET_FRAME_EXTENTS", False);
    activate_ = XInternAtom(x_, "_NET_ACTIVE_WINDOW", False);
    check_ = XInternAtom(x_, "_NET_SUPPORTING_WM_CHECK", False);
    const Atom supported[3] = {request_, extents_, activate_};
    XChangeProperty(x_, root, XInternAtom(x_, "_NET_SUPPORTED", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(supported), activates ? 3 : 2);
    if (activates) {
      // Where it puts the focus while it has no window focused, as a real
      // manager does (a window of its own, mapped off the screen).
      XSetWindowAttributes attributes{};
      attributes.override_redirect = True;
      nothing_ = XCreateWindow(x_, root, -10, -10, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent,
                               CWOverrideRedirect, &attributes);
      XMapWindow(x_, nothing_);
      XChangeProperty(x_, root, check_, XA_WINDOW, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&self_),
                      1);
      XChangeProperty(x_, self_, check_, XA_WINDOW, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&self_),
                      1);
    }
    XSync(x_, False);
  }
  ~StandInManager() {
    if (x_ == nullptr) return;
    XDeleteProperty(x_, DefaultRootWindow(x_), check_);
    XDeleteProperty(x_, DefaultRootWindow(x_), XInternAtom(x_, "_NET_SUPPORTED", False));
    if (nothing_ != 0) XDestroyWindow(x_, nothing_);
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
  // Handles the events that have come, in order, up to and including the
  // program's withdrawal of a window (the notice it sends the root). False
  // when none comes within 10 s.
  bool HandleUpToWithdrawal() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    pollfd source{ConnectionNumber(x_), POLLIN, 0};
    for (;;) {
      while (XPending(x_) > 0) {
        XEvent event;
        XNextEvent(x_, &event);
        Handle(event);
        if (event.type == UnmapNotify && event.xunmap.send_event) {
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
  // As it reads the program's withdrawal of a window, it gives the focus to
  // `fallback` (a manager's fallback when the focused window goes, decided
  // from its own record of the focus, which may lag behind the server's).
  // `inTwoSteps`: it first takes the focus to a window of its own, and gives
  // it to `fallback` only when FallBackNow is called.
  void FallBackTo(Window fallback, bool inTwoSteps = false) {
    fallback_ = fallback;
    twoSteps_ = inTwoSteps;
  }
  // As it reads the destruction of `window`, it gives the focus to
  // `fallback`, from its own record of the focus, which lags behind the
  // server's.
  void FallBackAsItIsDestroyed(Window window, Window fallback) {
    destroyed_ = window;
    destroyFallback_ = fallback;
  }
  // From now on it notes the activations it is asked for but grants none.
  void GrantNoActivation() { grants_ = false; }
  void FallBackNow() {
    XSetInputFocus(x_, fallback_, RevertToPointerRoot, CurrentTime);
    XSync(x_, False);
  }
  // The activations it was asked for: the window and the source (1: an
  // application, 2: a pager or the user).
  const std::vector<std::pair<Window, long>>& Activations() const { return activations_; }

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
        if (event.xunmap.send_event) {
          XUnmapWindow(x_, event.xunmap.window);
          if (fallback_ != 0) XSetInputFocus(x_, twoSteps_ ? nothing_ : fallback_, RevertToPointerRoot, CurrentTime);
        }
        break;
      case DestroyNotify:
        if (event.xdestroywindow.window == destroyed_)
          XSetInputFocus(x_, destroyFallback_, RevertToPointerRoot, CurrentTime);
        break;
      case ClientMessage:
        if (event.xclient.message_type == activate_) {
          activations_.emplace_back(event.xclient.window, event.xclient.data.l[0]);
          if (grants_) {
            XRaiseWindow(x_, event.xclient.window);
            XSetInputFocus(x_, event.xclient.window, RevertToPointerRoot, CurrentTime);
          }
        }
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
  Atom request_ = 0, extents_ = 0, activate_ = 0, check_ = 0;
  int frameX_ = 0, frameY_ = 0;
  Window nothing_ = 0;
  Window fallback_ = 0, destroyed_ = 0, destroyFallback_ = 0;
  bool twoSteps_ = false;
  bool grants_ = true;
  std::vector<std::pair<Window, long>> activations_;
};

// Where the layer put each window each time it moved, and which window
// became active, in order.
struct Place {
  HWND window;
  RECT rect;
};
std::vector<Place> places;
std::vector<HWND> activated;
std::vector<HWND> keyed;  // the windows that took a key, in order

LRESULT RaceProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN) keyed.push_back(window);
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
    keyed.clear();
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
  // A dialog's window: a popup with a caption, owned by `owner`.
  static HWND MakeDialog(const char* title, HWND owner) {
    return CreateWindowEx(0, "ManagerRaces", title, WS_POPUP | WS_CAPTION | WS_SYSMENU, 80, 200, 180, 100, owner,
                          nullptr, nullptr, nullptr);
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
  // Shows the windows, brings the first one forward, and lets `manager`
  // deal with it all until the first one has the keyboard. Their X windows,
  // in order; empty when that does not happen within 10 s.
  std::vector<Window> SettleUnder(StandInManager& manager, const std::vector<std::pair<HWND, const char*>>& shown) {
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) ShowWindow(it->first, SW_SHOW);
    SetForegroundWindow(shown.front().first);
    platform::RunUntilIdle();
    std::vector<Window> ids(shown.size(), 0);
    const bool settled = platform::PumpUntil(
        [&] {
          platform::SyncPresenter();
          manager.HandleAll();
          for (std::size_t i = 0; i < shown.size(); ++i) ids[i] = FindByName(shown[i].second);
          Window focus = 0;
          int revert = 0;
          XGetInputFocus(x_, &focus, &revert);
          return std::find(ids.begin(), ids.end(), Window{0}) == ids.end() && focus == ids.front();
        },
        10000);
    if (!settled) return {};
    CatchUp();
    activated.clear();
    keyed.clear();
    return ids;
  }
  // The manager's fallback to `fallback` as it reads the withdrawal of
  // `closing`, which has the keyboard, reaches the presenter before the
  // program's next steps (`next`: the windows it opens as `closing` goes):
  // the presenter is held until the program has told it of its choice. The
  // program's own activations on the way are forgotten.
  void FallBackBeforeThePresenterHearsOfTheNext(Window fallback, HWND closing, const std::function<void()>& next) {
    platform::HoldPresenter([&] {
      XSetInputFocus(x_, fallback, RevertToParent, CurrentTime);
      XSync(x_, False);
      ShowWindow(closing, SW_HIDE);
      DestroyWindow(closing);
      next();
      platform::RunUntilIdle();  // the program tells the held presenter of its choice
      activated.clear();
    });
  }
  // The window named `name` has the keyboard (within 10 s), `chosen` is
  // the program's active window, and `other` never became it meanwhile.
  void ExpectTheKeyboardIn(const char* name, HWND chosen, HWND other, StandInManager* manager = nullptr) {
    const bool has = platform::PumpUntil(
        [&] {
          if (manager != nullptr) manager->HandleAll();
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

// The program's window has the keyboard, and the focus moves to another
// window of the program's without the program asking: a pager, a taskbar,
// the user through the manager (here the test, as such a client). The
// server's focus is the truth: the program follows it, never takes it
// back, and the next key goes to the window that has it.
TEST_F(ManagerRacesX11Test, AFocusGivenWithoutTheProgramAskingIsFollowed) {
  HWND chosen = MakeWindow("Chosen", 30, 40);
  HWND other = MakeWindow("Other", 300, 40);
  const auto [chosenId, otherId] = ShowWithTheKeyboard(chosen, "Chosen", other, "Other");
  ASSERT_NE(chosenId, 0u) << "the chosen window never had the keyboard";
  XSetInputFocus(x_, otherId, RevertToParent, CurrentTime);
  XSync(x_, False);
  EXPECT_TRUE(platform::PumpUntil([&] { return GetActiveWindow() == other; }, 10000))
      << "the program did not follow the focus";
  CatchUp();
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(x_, &focus, &revert);
  EXPECT_EQ(focus, otherId) << "the program took the focus back";
  const KeyCode code = XKeysymToKeycode(x_, XK_Down);
  XTestFakeKeyEvent(x_, code, True, CurrentTime);
  XTestFakeKeyEvent(x_, code, False, CurrentTime);
  XSync(x_, False);
  EXPECT_TRUE(platform::PumpUntil([] { return !keyed.empty(); }, 10000)) << "the key was lost";
  EXPECT_EQ(keyed, std::vector<HWND>{other});
  EXPECT_EQ(GetActiveWindow(), other);
}

// Under a manager that gives the focus when asked, the program asks for
// the window it activates and leaves the focus where it is until the
// manager has read the request. A key the user types meanwhile reaches the
// window that still has the focus, and goes to the one the program chose.
TEST_F(ManagerRacesX11Test, AKeyTypedBeforeTheManagerReadsTheProgramsRequestGoesToTheChosenWindow) {
  StandInManager manager(display_, true);
  ASSERT_TRUE(manager.ok());
  HWND first = MakeWindow("First", 30, 40);
  HWND chosen = MakeWindow("Chosen", 300, 40);
  const std::vector<Window> ids = SettleUnder(manager, {{first, "First"}, {chosen, "Chosen"}});
  ASSERT_EQ(ids.size(), 2u) << "the manager never gave the first window the focus";
  const Window firstId = ids[0], chosenId = ids[1];
  SetForegroundWindow(chosen);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(x_, &focus, &revert);
  EXPECT_EQ(focus, firstId) << "the program moved the focus itself";
  const KeyCode code = XKeysymToKeycode(x_, XK_Down);
  XTestFakeKeyEvent(x_, code, True, CurrentTime);
  XTestFakeKeyEvent(x_, code, False, CurrentTime);
  XSync(x_, False);
  CatchUp();
  ExpectTheKeyboardIn("Chosen", chosen, first, &manager);
  EXPECT_EQ(keyed, std::vector<HWND>{chosen});
  ASSERT_FALSE(manager.Activations().empty());
  EXPECT_EQ(manager.Activations().back(), std::make_pair(chosenId, 1L)) << "not asked as an application";
}

// The program activates a window, then hides the one the manager still
// counts as focused; as the manager reads the hiding it gives the focus to
// a third window (its fallback, from a record of the focus that lags behind
// the server's). That focus answers the program's own request, not the
// user: the program asks for its window again, and the third window never
// becomes the active one.
TEST_F(ManagerRacesX11Test, AFocusTheManagerMovesAsItReadsTheProgramsHidingIsAskedForAgain) {
  StandInManager manager(display_, true);
  ASSERT_TRUE(manager.ok());
  HWND hidden = MakeWindow("Hidden", 30, 40);
  HWND third = MakeWindow("Third", 300, 40);
  HWND chosen = MakeWindow("Chosen", 30, 300);
  const std::vector<Window> ids = SettleUnder(manager, {{hidden, "Hidden"}, {third, "Third"}, {chosen, "Chosen"}});
  ASSERT_EQ(ids.size(), 3u) << "the manager never gave the first window the focus";
  const Window thirdId = ids[1];
  manager.FallBackTo(thirdId);
  SetForegroundWindow(chosen);
  platform::RunUntilIdle();
  ShowWindow(hidden, SW_HIDE);
  platform::RunUntilIdle();
  ExpectTheKeyboardIn("Chosen", chosen, third, &manager);
  EXPECT_GE(manager.Activations().size(), 2u) << "the program did not ask again";
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

// A dialog closes and the program opens the next one at once, owned by the
// same window (a chooser whose choice opens a picker). The manager, as it
// reads the first dialog's withdrawal, gives the focus to another window of
// the program's (its fallback), and the presenter reads that before it has
// even made the new dialog's window. The focus is older than the program's
// choice: the other window never becomes the active one (a frame of the
// program's closes the dialogs of the others when it is activated, and
// would close the new dialog), and the new dialog gets the keyboard.
TEST_F(ManagerRacesX11Test, AFocusTheManagerGivesBeforeThePresenterHasMadeTheNextDialogIsOlderThanIt) {
  HWND owner = MakeWindow("Owner", 30, 40);
  HWND other = MakeWindow("Other", 300, 40);
  HWND first = MakeDialog("First", owner);
  ShowWindow(owner, SW_SHOW);
  // Named variables, not a structured binding: the lambda below takes it.
  Window firstId = 0, otherId = 0;
  std::tie(firstId, otherId) = ShowWithTheKeyboard(first, "First", other, "Other");
  ASSERT_NE(firstId, 0u) << "the first dialog never had the keyboard";
  HWND next = nullptr;
  FallBackBeforeThePresenterHearsOfTheNext(otherId, first, [&] {
    next = MakeDialog("Next", owner);
    ShowWindow(next, SW_SHOW);
  });
  ExpectTheKeyboardIn("Next", next, other);
}

// Escape closes a chooser over the Results window, and the program gives
// the keyboard back to the Results window. The manager, as it reads the
// chooser's withdrawal, first takes the focus to a window of its own (for
// a moment nothing of the program's is focused) and then gives it to the
// Layout, its fallback; only after that does it read the program's
// request. Neither the moment without the focus nor the fallback is the
// user's doing: the Results window ends with the keyboard, and the Layout
// never becomes the active one.
TEST_F(ManagerRacesX11Test, TheManagersFallbackAsADialogClosesLeavesTheKeyboardToTheWindowTheProgramChose) {
  StandInManager manager(display_, true);
  ASSERT_TRUE(manager.ok());
  HWND layout = MakeWindow("Layout", 300, 40);
  HWND results = MakeWindow("Results", 30, 40);
  HWND chooser = MakeDialog("Chooser", results);
  const std::vector<Window> ids = SettleUnder(manager, {{chooser, "Chooser"}, {results, "Results"}, {layout, "Layout"}});
  ASSERT_EQ(ids.size(), 3u) << "the manager never gave the chooser the focus";
  const Window layoutId = ids[2];
  manager.FallBackTo(layoutId, true);
  ShowWindow(chooser, SW_HIDE);
  DestroyWindow(chooser);
  SetForegroundWindow(results);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  ASSERT_TRUE(manager.HandleUpToWithdrawal()) << "the chooser was never withdrawn";
  CatchUp();
  manager.FallBackNow();
  CatchUp();
  ExpectTheKeyboardIn("Results", results, layout, &manager);
}

// An analysis window closes on Yes, and the program shows the Results
// window and a chooser over it at once. The manager's fallback gives the
// focus to the Layout as it reads the analysis window's withdrawal, and
// the presenter reads that before it has made either new window. The
// focus is older than the program's choice: the Layout never becomes the
// active one (its activation would close the chooser), and the chooser
// gets the keyboard.
TEST_F(ManagerRacesX11Test, AFocusTheManagerGivesBeforeThePresenterHasMadeTheNewWindowsIsOlderThanThem) {
  HWND layout = MakeWindow("Layout", 300, 40);
  HWND analysis = MakeDialog("Analysis", layout);
  Window analysisId = 0, layoutId = 0;
  std::tie(analysisId, layoutId) = ShowWithTheKeyboard(analysis, "Analysis", layout, "Layout");
  ASSERT_NE(analysisId, 0u) << "the analysis window never had the keyboard";
  HWND chooser = nullptr;
  FallBackBeforeThePresenterHearsOfTheNext(layoutId, analysis, [&] {
    HWND results = MakeWindow("Results", 30, 300);
    ShowWindow(results, SW_SHOW);
    chooser = MakeDialog("Chooser", results);
    ShowWindow(chooser, SW_SHOW);
  });
  ExpectTheKeyboardIn("Chooser", chooser, layout);
}

// The manager reads the program's request and does not grant it (as a
// manager may refuse a window it will not focus). Once it has answered the
// question asked after the request, what the server shows is the truth:
// the program follows the window that kept the keyboard and asks no more.
TEST_F(ManagerRacesX11Test, ARequestTheManagerDoesNotGrantLeavesTheProgramWithTheWindowThatHasTheKeyboard) {
  StandInManager manager(display_, true);
  ASSERT_TRUE(manager.ok());
  HWND first = MakeWindow("First", 30, 40);
  HWND chosen = MakeWindow("Chosen", 300, 40);
  const std::vector<Window> ids = SettleUnder(manager, {{first, "First"}, {chosen, "Chosen"}});
  ASSERT_EQ(ids.size(), 2u) << "the manager never gave the first window the focus";
  manager.GrantNoActivation();
  const std::size_t asked = manager.Activations().size();
  SetForegroundWindow(chosen);
  platform::RunUntilIdle();
  EXPECT_TRUE(platform::PumpUntil(
      [&] {
        platform::SyncPresenter();
        manager.HandleAll();
        return GetActiveWindow() == first;
      },
      10000))
      << "the program did not follow the window that kept the keyboard";
  CatchUp();
  manager.HandleAll();
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(x_, &focus, &revert);
  EXPECT_EQ(focus, ids[0]);
  EXPECT_EQ(manager.Activations().size(), asked + 1) << "the program did not ask, or asked again";
}

// A dialog with the keyboard is destroyed directly after the key typed
// into it has reached the server but before the presenter has read it:
// the presenter has forgotten the dialog's X window by then, and the key
// still belongs to the program, which hands it to the window that now has
// the keyboard, the dialog's owner, once.
TEST_F(ManagerRacesX11Test, AKeyForADialogDestroyedBeforeThePresenterReadItReachesTheOwner) {
  HWND owner = MakeWindow("Owner", 30, 40);
  HWND dialog = MakeDialog("Dialog", owner);
  Window dialogId = 0, ownerId = 0;
  std::tie(dialogId, ownerId) = ShowWithTheKeyboard(dialog, "Dialog", owner, "Owner");
  ASSERT_NE(dialogId, 0u) << "the dialog never had the keyboard";
  keyed.clear();
  const KeyCode code = XKeysymToKeycode(x_, XK_Down);
  platform::HoldPresenter(
      [&] {
        XTestFakeKeyEvent(x_, code, True, CurrentTime);
        XTestFakeKeyEvent(x_, code, False, CurrentTime);
        XSync(x_, False);  // the server sent the key to the dialog's window
        DestroyWindow(dialog);
      },
      true);
  CatchUp();
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(keyed, std::vector<HWND>{owner}) << "the key of the destroyed dialog was lost or went astray";
  EXPECT_EQ(GetActiveWindow(), owner);
}

// The program activates another window while a dialog still has the
// keyboard, and hides the dialog before the manager has read the request.
// The dialog hands the keyboard to its owner as it goes, so that keys
// typed meanwhile reach a window of ours; the owner is no choice of the
// program's, which stands: the owner never becomes the active window, and
// the chosen window ends with the keyboard.
TEST_F(ManagerRacesX11Test, ADialogThatGoesAfterTheProgramChoseAnotherWindowLeavesTheKeyboardToTheChosenOne) {
  StandInManager manager(display_, true);
  ASSERT_TRUE(manager.ok());
  HWND owner = MakeWindow("Owner", 30, 40);
  HWND chosen = MakeWindow("Chosen", 300, 40);
  HWND dialog = MakeDialog("Dialog", owner);
  const std::vector<Window> ids = SettleUnder(manager, {{dialog, "Dialog"}, {owner, "Owner"}, {chosen, "Chosen"}});
  ASSERT_EQ(ids.size(), 3u) << "the manager never gave the dialog the focus";
  SetForegroundWindow(chosen);
  platform::RunUntilIdle();
  platform::SyncPresenter();  // the program's request waits for the manager
  ShowWindow(dialog, SW_HIDE);
  platform::RunUntilIdle();
  CatchUp();
  ExpectTheKeyboardIn("Chosen", chosen, owner, &manager);
}

// The program activates another window while a dialog still has the
// keyboard, and the dialog goes before the manager has read the request,
// destroyed without being hidden first (as a thread's windows go when the
// thread ends): it hands the keyboard to its owner as it goes. The manager
// grants the request, and then, as it reads the destruction, gives the
// focus to a fourth window (its fallback, from a record of the focus that
// lags). That focus answers the program's own destruction, not the user:
// the presenter asks for the chosen window again. Its windows here are
// its own, so what it reports goes nowhere; the server shows its answer.
TEST_F(ManagerRacesX11Test, AFocusTheManagerMovesAsItReadsADialogsDestructionIsAskedForAgain) {
  StandInManager manager(display_, true);
  ASSERT_TRUE(manager.ok());
  std::unique_ptr<platform::Presenter> presenter = platform::MakeX11Presenter();
  char handles[4] = {};
  const char* titles[4] = {"Owner", "Chosen", "Other", "Dialog"};
  for (int i = 0; i < 4; ++i) {
    platform::WindowRole role;
    role.dialog = role.modal = i == 3;
    role.owner = i == 3 ? reinterpret_cast<HWND>(&handles[0]) : nullptr;
    presenter->WindowCreated(reinterpret_cast<HWND>(&handles[i]), RECT{30 + 270 * (i % 3), 40, 230 + 270 * (i % 3), 160},
                             titles[i], role);
    presenter->WindowShown(reinterpret_cast<HWND>(&handles[i]), true);
  }
  auto keyboardIn = [&](const char* name) {  // within 10 s, the manager doing what it is asked meanwhile
    return platform::PumpUntil(
        [&] {
          presenter->Sync();
          manager.HandleAll();
          presenter->Sync();
          Window focus = 0;
          int revert = 0;
          XGetInputFocus(x_, &focus, &revert);
          return focus != 0 && focus == FindByName(name);
        },
        10000);
  };
  presenter->Activate(reinterpret_cast<HWND>(&handles[3]), 1);
  ASSERT_TRUE(keyboardIn("Dialog")) << "the manager never gave the dialog the focus";
  manager.FallBackAsItIsDestroyed(FindByName("Dialog"), FindByName("Other"));
  const std::size_t asked = manager.Activations().size();
  presenter->Activate(reinterpret_cast<HWND>(&handles[1]), 2);
  presenter->Sync();  // the program's request waits for the manager
  presenter->WindowDestroyed(reinterpret_cast<HWND>(&handles[3]));
  EXPECT_TRUE(keyboardIn("Chosen")) << "the program took the manager's fallback for the user's choice";
  EXPECT_EQ(manager.Activations().size(), asked + 2) << "the program did not ask again, or asked more";
  presenter.reset();
}

}  // namespace
