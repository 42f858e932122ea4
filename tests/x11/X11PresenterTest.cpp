// Real X11 windows under a private Xvfb server: what was painted is on the
// screen pixel for pixel, a resize by the server gives WM_SIZE and a repaint
// of the new area, an XTest key press arrives as WM_KEYDOWN and WM_CHAR, the
// title is the window's name property, a key whose character Windows-1252
// lacks beeps, a click lands at its client point, a captionless popup is left
// alone by the window manager, the close button closes, and the
// program itself starts with its "Quorvel" window and ends with exit code 0.
// Of two activations told to the presenter out of their order, the later
// one keeps the keyboard.
#include <gtest/gtest.h>
#include <sys/syscall.h>

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Paint.h"
#include "platform/Presenter.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"
#include "x11/XInput.h"
#include "x11/XProperty.h"
#include "x11/XvfbServer.h"

// X11 last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Seen> seen;
std::vector<RECT> painted;

LRESULT TestProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  seen.push_back(Seen{message, wParam, lParam});
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    painted.push_back(paint.rcPaint);
    RECT client;
    GetClientRect(window, &client);
    RECT block{10, 10, 50, 30};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &block, red);
    DeleteObject(red);
    RECT stripe{client.right - 5, 0, client.right, client.bottom};  // follows the right edge
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &stripe, blue);
    DeleteObject(blue);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

class X11Test : public OnXvfb<testing::Test> {
 protected:
  void SetUp() override {
    OnXvfb::SetUp();
    if (HasFatalFailure()) return;
    platform::EnableTestMode(true);
    platform::SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
    x_ = XOpenDisplay(display_.c_str());
    ASSERT_NE(x_, nullptr);
    seen.clear();
    painted.clear();
    background_ = CreateSolidBrush(RGB(0, 160, 0));
    WNDCLASS windowClass{};
    windowClass.lpfnWndProc = TestProcedure;
    windowClass.hbrBackground = background_;
    windowClass.lpszClassName = "X11Test";
    ASSERT_NE(RegisterClass(&windowClass), 0);
  }
  void TearDown() override {
    platform::RunUntilIdle();
    platform::Shutdown();
    platform::EnableTestMode(false);
    platform::SetFailureHandler(nullptr);
    DeleteObject(background_);
    if (x_ != nullptr) XCloseDisplay(x_);
    OnXvfb::TearDown();
  }

  HWND ShowTestWindow(const char* title, int width, int height) {
    HWND window = CreateWindowEx(0, "X11Test", title, WS_OVERLAPPEDWINDOW, 30, 40, width, height, nullptr,
                                 nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOW);
    platform::RunUntilIdle();
    platform::SyncPresenter();
    return window;
  }

  std::string Property(Window id, const char* name) { return WindowProperty(x_, id, name); }

  // The top-level X window whose _NET_WM_NAME is `name`; 0 if none.
  Window FindByName(const std::string& name) { return TopLevelWindowNamed(x_, name); }

  // Every pixel of the X window equals the window's own surface.
  void ExpectScreenEqualsSurface(HWND window, Window id, int width, int height) {
    XImage* image = XGetImage(x_, id, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes,
                              ZPixmap);
    ASSERT_NE(image, nullptr);
    int differences = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        unsigned long pixel = XGetPixel(image, x, y);
        COLORREF screen = RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
        if (screen != platform::GetWindowPixel(window, x, y) && differences++ < 5)
          ADD_FAILURE() << "pixel " << x << "," << y << " differs";
      }
    XDestroyImage(image);
    EXPECT_EQ(differences, 0);
  }

  Display* x_ = nullptr;
  HBRUSH background_ = nullptr;
};

TEST_F(X11Test, WindowShowsWhatWasPainted) {
  HWND window = ShowTestWindow("Painted", 120, 80);
  Window id = FindByName("Painted");
  ASSERT_NE(id, 0u);
  EXPECT_EQ(platform::GetWindowPixel(window, 20, 20), RGB(255, 0, 0));
  EXPECT_EQ(platform::GetWindowPixel(window, 0, 0), RGB(0, 160, 0));
  EXPECT_EQ(platform::GetWindowPixel(window, 119, 0), RGB(0, 0, 255));
  ExpectScreenEqualsSurface(window, id, 120, 80);
}

TEST_F(X11Test, TitleIsTheWindowsNameProperty) {
  HWND window = ShowTestWindow("First", 60, 40);
  SetWindowText(window, "Quorvel : Pipe \xE9 \x80");  // e acute and the euro sign in Windows-1252
  platform::SyncPresenter();
  Window id = FindByName("Quorvel : Pipe \xC3\xA9 \xE2\x82\xAC");
  ASSERT_NE(id, 0u);
  EXPECT_EQ(Property(id, "WM_NAME"), "Quorvel : Pipe \xC3\xA9 \xE2\x82\xAC");
}

TEST_F(X11Test, ResizeByTheServerGivesSizeAndARepaintOfTheNewArea) {
  HWND window = ShowTestWindow("Resized", 120, 80);
  Window id = FindByName("Resized");
  ASSERT_NE(id, 0u);
  seen.clear();
  painted.clear();
  XResizeWindow(x_, id, 160, 80);
  XSync(x_, False);
  bool sized = platform::PumpUntil([] {
    for (const Seen& message : seen)
      if (message.message == WM_SIZE && message.lParam == MAKELPARAM(160, 80)) return true;
    return false;
  }, 10000);
  ASSERT_TRUE(sized);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  ASSERT_EQ(painted.size(), 1u);
  EXPECT_EQ(painted[0].left, 120);
  EXPECT_EQ(painted[0].top, 0);
  EXPECT_EQ(painted[0].right, 160);
  EXPECT_EQ(painted[0].bottom, 80);
  EXPECT_EQ(platform::GetWindowPixel(window, 159, 0), RGB(0, 0, 255));
  ExpectScreenEqualsSurface(window, id, 160, 80);
}

TEST_F(X11Test, XTestKeyPressArrivesAsKeyDownAndCharacter) {
  HWND window = ShowTestWindow("Keys", 80, 60);
  ASSERT_EQ(GetFocus(), window);
  ASSERT_TRUE(WaitForInputFocus(x_, FindByName("Keys"))) << "the server never gave the window the keyboard";
  KeyCode code = XKeysymToKeycode(x_, XK_a);
  ASSERT_NE(code, 0);
  seen.clear();
  XTestFakeKeyEvent(x_, code, True, CurrentTime);
  XTestFakeKeyEvent(x_, code, False, CurrentTime);
  XSync(x_, False);
  bool typed = platform::PumpUntil([] {
    for (const Seen& message : seen)
      if (message.message == WM_KEYUP) return true;
    return false;
  }, 10000);
  ASSERT_TRUE(typed);
  std::vector<Seen> keys;
  for (const Seen& message : seen)
    if (message.message == WM_KEYDOWN || message.message == WM_CHAR || message.message == WM_KEYUP)
      keys.push_back(message);
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].message, WM_KEYDOWN);
  EXPECT_EQ(keys[0].wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(keys[1].message, WM_CHAR);
  EXPECT_EQ(keys[1].wParam, static_cast<WPARAM>('a'));
  EXPECT_EQ(keys[2].message, WM_KEYUP);
}

TEST_F(X11Test, KeyWithoutAWindows1252CharacterBeeps) {
  HWND window = ShowTestWindow("Greek", 80, 60);
  ASSERT_EQ(GetFocus(), window);
  ASSERT_TRUE(WaitForInputFocus(x_, FindByName("Greek"))) << "the server never gave the window the keyboard";
  seen.clear();
  XInput input(display_);
  input.Symbol(XK_Greek_alpha);
  EXPECT_TRUE(platform::PumpUntil([] { return platform::BeepCount() == 1; }, 10000));
  platform::RunUntilIdle();
  for (const Seen& message : seen) EXPECT_NE(message.message, WM_CHAR);
  EXPECT_EQ(platform::BeepCount(), 1);
}

TEST_F(X11Test, XTestClickArrivesAtTheClientPoint) {
  ShowTestWindow("Clicks", 80, 60);
  seen.clear();
  XTestFakeMotionEvent(x_, -1, 30 + 25, 40 + 15, CurrentTime);
  XTestFakeButtonEvent(x_, 1, True, CurrentTime);
  XTestFakeButtonEvent(x_, 1, False, CurrentTime);
  XSync(x_, False);
  bool clicked = platform::PumpUntil([] {
    for (const Seen& message : seen)
      if (message.message == WM_LBUTTONUP) return true;
    return false;
  }, 10000);
  ASSERT_TRUE(clicked);
  std::vector<Seen> buttons;
  for (const Seen& message : seen)
    if (message.message == WM_LBUTTONDOWN || message.message == WM_LBUTTONUP) buttons.push_back(message);
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0].message, WM_LBUTTONDOWN);
  EXPECT_EQ(buttons[0].lParam, MAKELPARAM(25, 15));
  EXPECT_EQ(buttons[0].wParam, 1u);  // MK_LBUTTON
  EXPECT_EQ(buttons[1].lParam, MAKELPARAM(25, 15));
}

TEST_F(X11Test, CaptionlessPopupIsLeftAloneByTheWindowManager) {
  HWND owner = ShowTestWindow("Owner", 120, 80);
  HWND dialog = CreateWindowEx(0, "X11Test", "Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, 60, 60, 80, 60, owner,
                               nullptr, nullptr, nullptr);
  HWND popup = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "X11Test", "Dropped", WS_POPUP | WS_BORDER, 40, 90,
                              60, 40, owner, nullptr, nullptr, nullptr);
  ShowWindow(dialog, SW_SHOWNA);
  ShowWindow(popup, SW_SHOWNA);
  platform::RunUntilIdle();
  platform::SyncPresenter();
  // A window manager neither frames nor focuses an override-redirect window;
  // windows with a caption stay its to manage.
  for (auto [name, unmanaged] : {std::pair{"Owner", false}, std::pair{"Dialog", false}, std::pair{"Dropped", true}}) {
    Window id = FindByName(name);
    ASSERT_NE(id, 0u) << name;
    XWindowAttributes attributes{};
    ASSERT_NE(XGetWindowAttributes(x_, id, &attributes), 0) << name;
    EXPECT_EQ(attributes.override_redirect != 0, unmanaged) << name;
  }
}

TEST_F(X11Test, CloseButtonClosesTheWindow) {
  HWND window = ShowTestWindow("Closing", 80, 60);
  Window id = FindByName("Closing");
  ASSERT_NE(id, 0u);
  SendCloseButton(x_, id);
  EXPECT_TRUE(platform::PumpUntil([window] { return !IsWindow(window); }, 10000));
}

TEST_F(X11Test, ProgramShowsItsWindowAndEndsWhenClosed) {
  Window root = DefaultRootWindow(x_);
  XSelectInput(x_, root, SubstructureNotifyMask);
  XSync(x_, False);
  ChildProcess program;
  ASSERT_TRUE(program.Start({QUORVEL_BINARY_DIR "/quorvel"}));
  Window shown = 0;
  pollfd source{ConnectionNumber(x_), POLLIN, 0};
  while (shown == 0) {
    while (shown == 0 && XPending(x_) > 0) {
      XEvent event;
      XNextEvent(x_, &event);
      if (event.type == MapNotify) shown = event.xmap.window;
    }
    if (shown == 0 && poll(&source, 1, 30000) <= 0) break;
  }
  ASSERT_NE(shown, 0u) << "the program showed no window";
  EXPECT_EQ(Property(shown, "_NET_WM_NAME"), "Quorvel");
  SendCloseButton(x_, shown);
  int status = 0;
  ASSERT_TRUE(program.WaitFor(30000, &status));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

// The layer numbers its activations as it makes them, under the window
// tree's lock, and each thread tells the presenter of its own once it runs
// out of work, after letting go of the lock: when two threads do so at
// once (the GUI thread and the graphics thread), the later activation can
// be told first. Here the test stands in for those two threads, on a
// presenter of its own whose thread is held while both are told: the
// earlier activation, taken up after the later one, is out of date and
// leaves the keyboard where the later one put it; an activation told after
// them both is taken up.
class ActivationOrderX11Test : public OnXvfb<testing::Test> {
 protected:
  void SetUp() override {
    OnXvfb::SetUp();
    if (HasFatalFailure()) return;
    x_ = XOpenDisplay(display_.c_str());
    ASSERT_NE(x_, nullptr);
    presenter_ = platform::MakeX11Presenter();
  }
  void TearDown() override {
    presenter_.reset();
    if (x_ != nullptr) XCloseDisplay(x_);
    OnXvfb::TearDown();
  }
  // A window of the presenter's alone: its handle names no window of the
  // layer, so what the presenter reports of it goes nowhere.
  HWND Show(int index, const char* title, int x) {
    HWND handle = reinterpret_cast<HWND>(&handles_[index]);
    presenter_->WindowCreated(handle, RECT{x, 40, x + 200, 160}, title, platform::WindowRole{});
    presenter_->WindowShown(handle, true);
    return handle;
  }
  // Until the presenter has dealt with every event the server had sent it
  // when this was called (the first round trip comes back behind them).
  void CatchUp() {
    presenter_->Sync();
    presenter_->Sync();
  }
  Window Focus() {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(x_, &focus, &revert);
    return focus;
  }

  Display* x_ = nullptr;
  std::unique_ptr<platform::Presenter> presenter_;
  char handles_[2] = {};
};

TEST_F(ActivationOrderX11Test, AnActivationToldAfterALaterOneLeavesTheKeyboardWithTheLaterOne) {
  HWND earlier = Show(0, "Earlier", 30);
  HWND later = Show(1, "Later", 300);
  presenter_->Activate(earlier, 1);
  presenter_->Sync();
  const Window earlierId = TopLevelWindowNamed(x_, "Earlier"), laterId = TopLevelWindowNamed(x_, "Later");
  ASSERT_NE(laterId, 0u);
  ASSERT_TRUE(WaitForInputFocus(x_, earlierId)) << "the first activation never reached the server";
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(x_, laterId, &attributes) && attributes.map_state == IsViewable);
  CatchUp();  // the presenter knows both windows are on the screen
  presenter_->Hold([&] {
    presenter_->Activate(later, 3);
    presenter_->Activate(earlier, 2);
  }, false);
  presenter_->Sync();  // both taken up, and every request they made reached the server
  EXPECT_EQ(Focus(), laterId) << "the out-of-date activation took the keyboard";
  presenter_->Activate(earlier, 4);
  presenter_->Sync();
  EXPECT_EQ(Focus(), earlierId) << "an activation told after the others was dropped";
}

// A dialog of ours that goes while it has the keyboard hands it to the
// window it belongs to before it goes, read from the server at once (no
// manager runs here to choose another): destroyed without being hidden
// first, and hidden while its own owner is hidden, when the keyboard goes
// past that owner to the shown window that owns it.
class HandOverX11Test : public ActivationOrderX11Test {
 protected:
  HWND Make(int index, const char* title, int x, HWND owner) {
    HWND handle = reinterpret_cast<HWND>(&dialogs_[index]);
    platform::WindowRole role;
    role.dialog = owner != nullptr;
    role.owner = owner;
    presenter_->WindowCreated(handle, RECT{x, 40, x + 200, 160}, title, role);
    presenter_->WindowShown(handle, true);
    return handle;
  }
  // `window`, named `title`, shown and given the keyboard.
  Window Focused(HWND window, const char* title, std::uint64_t choice) {
    presenter_->Activate(window, choice);
    presenter_->Sync();
    const Window id = TopLevelWindowNamed(x_, title);
    if (id == 0 || !WaitForInputFocus(x_, id)) return 0;
    CatchUp();  // the presenter has heard that it is on the screen
    return id;
  }
  char dialogs_[3] = {};
};

TEST_F(HandOverX11Test, ADialogDestroyedWithTheKeyboardHandsItToItsOwner) {
  HWND owner = Make(0, "Owner", 30, nullptr);
  HWND dialog = Make(1, "Dialog", 300, owner);
  const Window ownerId = Focused(owner, "Owner", 1);
  ASSERT_NE(ownerId, 0u) << "the owner never had the keyboard";
  ASSERT_NE(Focused(dialog, "Dialog", 2), 0u) << "the dialog never had the keyboard";
  presenter_->WindowDestroyed(dialog);
  presenter_->Sync();
  EXPECT_EQ(Focus(), ownerId) << "the keyboard went nowhere with the dialog";
}

TEST_F(HandOverX11Test, ADialogOfAHiddenDialogHandsTheKeyboardToTheShownWindowAboveThem) {
  HWND owner = Make(0, "Owner", 30, nullptr);
  HWND middle = Make(1, "Middle", 300, owner);
  HWND inner = Make(2, "Inner", 300, middle);
  const Window ownerId = Focused(owner, "Owner", 1);
  ASSERT_NE(ownerId, 0u) << "the owner never had the keyboard";
  ASSERT_NE(Focused(inner, "Inner", 2), 0u) << "the inner dialog never had the keyboard";
  presenter_->WindowShown(middle, false);
  CatchUp();
  ASSERT_EQ(Focus(), TopLevelWindowNamed(x_, "Inner"));
  presenter_->WindowShown(inner, false);
  presenter_->Sync();
  EXPECT_EQ(Focus(), ownerId) << "the keyboard stopped at the hidden dialog";
}

TEST(X11SetUp, ProgramWithAnUnreachableDisplaySaysWhyAndStops) {
  int output[2];
  ASSERT_EQ(pipe(output), 0);
  ChildProcess program;
  ChildOptions options;
  options.environment = {{"DISPLAY", ":9876"}, {"QUORVEL_DISPLAY", ""}};
  options.stderrFd = output[1];
  ASSERT_TRUE(program.Start({QUORVEL_BINARY_DIR "/quorvel"}, options));
  close(output[1]);
  std::string text;
  char buffer[256];
  for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(got));
  close(output[0]);
  int status = 0;
  ASSERT_TRUE(program.WaitFor(30000, &status));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(text.find("cannot open the X display \":9876\""), std::string::npos) << text;
}

}  // namespace
