// The X11 presenter: each top-level window is a real X window that shows a
// copy of the window's backing surface.
//
// One thread of the layer owns the X connection. Other threads talk to it
// through a queue of requests (create, map, move, title, frame, cursor,
// focus, sync) and a wake-up pipe; it never waits for them, so it cannot
// deadlock with a window thread. X events come back through one switch on
// the event type (any type a server may send, extension and generic events
// included, falls to its default and is dropped) and reach the program as
// messages on the queue of
// the thread that owns the window (through the Presenter* calls of
// Presenter.h): expose redraws from the last frame, a resize by the server
// gives WM_SIZE and a repaint, the close button WM_SYSCOMMAND/SC_CLOSE, focus
// changes activation, keys (keysym to virtual key and Windows-1252
// character; a character that Windows-1252 lacks beeps) and the pointer.
// Under a window manager every managed window belongs to one window group
// (led by an unmapped window of the presenter's). A dialog or message box
// carries the dialog window type and is transient for its owner (for the
// group when its owner is not shown), so it opens, and stays, above the
// windows it belongs to; a modal one says so (_NET_WM_STATE_MODAL), and the
// manager gives the keyboard to it rather than to its owner. What the user
// may do to a window through the manager follows its style, in the hints X
// toolkits set: a dialog offers no minimise or maximise, and one without a
// sizing border keeps its size. A window the manager unmaps while the
// program shows it has become an icon (a manager may minimise a dialog
// with its owner all the same), which the layer hears of; a dialog left an
// icon when its owner is mapped again is asked back.
//
// The keyboard focus: the window manager decides, the program asks. A
// window appears without the focus (user time 0); the program's choice is
// asked of the manager once the window is mapped (_NET_ACTIVE_WINDOW, with
// the time of the user's last key or button), and without a manager set
// with that time (never CurrentTime). What the server then reports is the
// truth, which the layer follows as the user's activation (OnFocus). The
// one exception is the program's own exchange: from its request until the
// manager answers a question asked after it (AskQuestion), a focus the
// manager gives elsewhere was decided before it read the request (or in
// answer to the program's own showing and hiding of windows); it is not
// passed on, keys that reach it go to the chosen window (OnKey), and when
// the answer finds the focus elsewhere the program asks once more
// (SettleChoice). A window of ours that goes while it has the keyboard
// hands it to its owner first (RemoveHandingOverFocus), and a key sent to
// a window destroyed before its event was read still reaches the layer,
// which gives it to the window that has the keyboard. The user's time
// follows each key and button press to the window that took it
// (_NET_WM_USER_TIME). A key comes with the modifiers its event's state
// reports, not those the presenter heard go down and up.
// A manager moves and withdraws a window it manages when it gets to our
// request: a question asked of it after the request tells when it has
// (AskManager); until then what it reports of the window's place is not
// passed on, and a window withdrawn is not mapped again.
// System cursors are the server's cursor font; a cursor from the program's
// resources becomes an ARGB cursor (Xcursor), made once and kept.
// The program's clipboard is offered to other clients through the CLIPBOARD
// selection (X11Clipboard.cpp), on this thread too.
//
// Set-up failures (no display, a visual other than 24-bit TrueColor) say why
// on standard error and end the process with exit code 1. No locale is set:
// keys are decoded from keysyms, titles are encoded by hand.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xcursor/Xcursor.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#define XK_PUBLISHING  // the typographic keysyms
#include <X11/keysym.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Presenter.h"
#include "platform/Window.h"
#include "platform/Windows1252.h"
#include "platform/X11Clipboard.h"

namespace platform {

namespace {

// Legacy keysyms of the Windows-1252 characters of 0x80..0x9F (the others
// are Latin-1 or Unicode keysyms).
constexpr struct {
  KeySym keysym;
  unsigned codePoint;
} legacyKeysyms[] = {{XK_EuroSign, 0x20AC}, {XK_Scaron, 0x0160}, {XK_scaron, 0x0161},
                     {XK_Zcaron, 0x017D},   {XK_zcaron, 0x017E}, {XK_OE, 0x0152},
                     {XK_oe, 0x0153},       {XK_Ydiaeresis, 0x0178}, {XK_emdash, 0x2014},
                     {XK_endash, 0x2013},   {XK_ellipsis, 0x2026}, {XK_trademark, 0x2122},
                     {XK_leftsinglequotemark, 0x2018}, {XK_rightsinglequotemark, 0x2019},
                     {XK_leftdoublequotemark, 0x201C}, {XK_rightdoublequotemark, 0x201D},
                     {XK_dagger, 0x2020},   {XK_doubledagger, 0x2021}, {XK_enfilledcircbullet, 0x2022}};

// The code point a printable keysym stands for, or 0.
unsigned CodePointOf(KeySym keysym) {
  if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF)) return static_cast<unsigned>(keysym);
  if (keysym >= 0x01000000 && keysym <= 0x0110FFFF) return static_cast<unsigned>(keysym - 0x01000000);
  for (const auto& entry : legacyKeysyms)
    if (entry.keysym == keysym) return entry.codePoint;
  return keysym < 0xFF00 && keysym > 0xFF ? 0xFFFF : 0;  // printable, but not known here
}

UINT VirtualKeyOf(KeySym keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return static_cast<UINT>('A' + (keysym - XK_a));
  if (keysym >= XK_A && keysym <= XK_Z) return static_cast<UINT>(keysym);
  if (keysym >= XK_0 && keysym <= XK_9) return static_cast<UINT>(keysym);
  if (keysym >= XK_F1 && keysym <= XK_F12) return VK_F1 + static_cast<UINT>(keysym - XK_F1);
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return VK_NUMPAD0 + static_cast<UINT>(keysym - XK_KP_0);
  switch (keysym) {
    case XK_BackSpace: return VK_BACK;
    case XK_Tab: case XK_ISO_Left_Tab: return VK_TAB;
    case XK_Return: case XK_KP_Enter: return VK_RETURN;
    case XK_Escape: return VK_ESCAPE;
    case XK_space: return VK_SPACE;
    case XK_Delete: case XK_KP_Delete: return VK_DELETE;
    case XK_Insert: case XK_KP_Insert: return VK_INSERT;
    case XK_Home: case XK_KP_Home: return VK_HOME;
    case XK_End: case XK_KP_End: return VK_END;
    case XK_Prior: case XK_KP_Prior: return VK_PRIOR;
    case XK_Next: case XK_KP_Next: return VK_NEXT;
    case XK_Left: case XK_KP_Left: return VK_LEFT;
    case XK_Right: case XK_KP_Right: return VK_RIGHT;
    case XK_Up: case XK_KP_Up: return VK_UP;
    case XK_Down: case XK_KP_Down: return VK_DOWN;
    case XK_Shift_L: return VK_LSHIFT;
    case XK_Shift_R: return VK_RSHIFT;
    case XK_Control_L: return VK_LCONTROL;
    case XK_Control_R: return VK_RCONTROL;
    case XK_Alt_L: case XK_Meta_L: return VK_LMENU;
    case XK_Alt_R: case XK_Meta_R: case XK_ISO_Level3_Shift: return VK_RMENU;
    case XK_Caps_Lock: return VK_CAPITAL;
    case XK_Num_Lock: return VK_NUMLOCK;
    case XK_Scroll_Lock: return VK_SCROLL;
    case XK_Pause: return VK_PAUSE;
    case XK_Print: return VK_SNAPSHOT;
    case XK_KP_Multiply: return VK_MULTIPLY;
    case XK_KP_Add: return VK_ADD;
    case XK_KP_Subtract: return VK_SUBTRACT;
    case XK_KP_Decimal: return VK_DECIMAL;
    case XK_KP_Divide: return VK_DIVIDE;
    case XK_semicolon: return VK_OEM_1;
    case XK_equal: return VK_OEM_PLUS;
    case XK_comma: return VK_OEM_COMMA;
    case XK_minus: return VK_OEM_MINUS;
    case XK_period: return VK_OEM_PERIOD;
    case XK_slash: return VK_OEM_2;
    case XK_grave: return VK_OEM_3;
    case XK_bracketleft: return VK_OEM_4;
    case XK_backslash: return VK_OEM_5;
    case XK_bracketright: return VK_OEM_6;
    case XK_apostrophe: return VK_OEM_7;
    default: return 0;
  }
}

// The modifier keys a key event's state says were held (HeldModifiers).
unsigned HeldModifiersOf(unsigned state) {
  unsigned held = kModifiersReported;
  if ((state & ShiftMask) != 0) held |= kShiftHeld;
  if ((state & ControlMask) != 0) held |= kControlHeld;
  if ((state & (Mod1Mask | Mod5Mask)) != 0) held |= kAltHeld;  // Alt, and AltGr (ISO_Level3_Shift)
  return held;
}

[[noreturn]] void SetUpFailed(const char* reason) {
  std::fprintf(stderr, "Quorvel: %s\n", reason);
  std::exit(1);
}

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

struct XWindowState {
  ::Window id = 0;
  RECT rect{};
  bool shown = false;
  std::shared_ptr<const Frame> frame;
  unsigned long moveSerial = 0;  // the request of our last move or resize
  bool dialog = false;
  bool modal = false;      // a modal dialog: its owner takes no keyboard
  HWND owner = nullptr;
  bool managed = false;    // a window manager frames it (not override-redirect)
  bool viewable = false;   // the server has mapped it (the manager, when one runs)
  bool framed = false;     // a manager has put it into a frame of its own
  long long moves = 0;     // the moves the layer asked for so far
  // The question asked of the manager after our last move or withdrawal of
  // the window (see AskManager), and the latest place the server reported
  // while it was unanswered.
  unsigned long long question = 0;
  bool held = false;
  RECT heldRect{};
  bool mapDeferred = false;  // shown while the manager had yet to withdraw it
  bool sizable = true;   // the user may size it (else its size is fixed)
  bool iconic = false;   // shown, but the manager has made it an icon
};

class X11Presenter final : public Presenter {
 public:
  X11Presenter();
  ~X11Presenter() override { Stop(); }

  bool WantsFrames() const override { return true; }
  SIZE ScreenSize() const override { return screenSize_; }
  void WindowCreated(HWND window, RECT rect, const std::string& title, const WindowRole& role) override {
    Ask([=, this] { Create(window, rect, title, role); });
  }
  void WindowDestroyed(HWND window) override { Ask([=, this] { Destroy(window); }); }
  void WindowShown(HWND window, bool shown) override { Ask([=, this] { Show(window, shown); }); }
  void WindowMoved(HWND window, RECT rect) override { Ask([=, this] { Move(window, rect); }); }
  void TitleChanged(HWND window, const std::string& title) override {
    Ask([=, this] { SetTitle(window, title); });
  }
  void Activate(HWND window, std::uint64_t choice) override { Ask([=, this] { Focus(window, choice); }); }
  void Present(HWND window, std::shared_ptr<const Frame> frame) override {
    Ask([=, this] { Draw(window, frame); });
  }
  void SetPointerShape(HWND window, PointerShape shape) override {
    Ask([=, this] {
      if (XWindowState* state = StateOf(window)) XDefineCursor(display_, state->id, cursors_[static_cast<int>(shape)]);
    });
  }
  void SetPointerImage(HWND window, std::shared_ptr<const CursorImage> image) override {
    Ask([=, this] {
      if (XWindowState* state = StateOf(window)) XDefineCursor(display_, state->id, CursorFor(image));
    });
  }
  void WarpPointer(POINT point) override {
    Ask([=, this] {
      owedWarp_ = OwedWarp{};
      XWarpPointer(display_, 0, root_, 0, 0, 0, 0, point.x, point.y);
    });
  }
  void WarpPointerInto(HWND window, POINT offset) override {
    Ask([=, this] {
      owedWarp_ = OwedWarp{window, offset};
      PayWarp();
    });
  }
  void Beep() override { Ask([this] { XBell(display_, 0); }); }
  void OfferClipboard(unsigned kinds) override { Ask([=, this] { clipboard_->Offer(kinds); }); }
  void Sync() override;
  void Hold(const std::function<void()>& meanwhile, bool requestsFirst) override;
  void Stop() override;

 private:
  // False when the presenter is stopping and the request was dropped.
  bool Ask(std::function<void()> request);
  void Run();
  bool RunRequests();
  void Dispatch(XEvent& event);
  XWindowState* StateOf(HWND window);
  HWND HandleOf(::Window id);
  void Create(HWND window, RECT rect, const std::string& title, const WindowRole& role);
  void SetManagerHints(::Window id, const WindowRole& role);
  void SetSizeHints(::Window id, RECT rect, bool sizable);
  void SetTransientFor(const XWindowState& state);
  void Destroy(HWND window);
  bool RemoveHandingOverFocus(const XWindowState& state, bool onScreen, const std::function<void()>& remove);
  HWND DepartedWindow(::Window id);
  void Show(HWND window, bool shown);
  void Map(XWindowState& state);
  void Move(HWND window, RECT rect);
  void AskManager(XWindowState& state);
  void PayWarp();
  unsigned long long AskQuestion();
  bool ManagerRunning();
  bool ManagerSupports(Atom feature);
  std::vector<unsigned long> ReadLongs(::Window window, Atom property, Atom type, long most);
  bool ManagerActivates();
  void OnAnswer(XEvent& event);
  void Report(HWND window, XWindowState& state, RECT rect);
  void SetTitle(HWND window, const std::string& title);
  void Focus(HWND window, std::uint64_t choice);
  void RequestFocus(XWindowState& state);
  bool ExchangeOpen() const;
  void SettleChoice();
  void ForgetChoice(HWND window);
  void ReopenExchange(HWND shownOrHidden, unsigned long long question);
  Time ServerTime();
  void NoteUserTime(Time time, HWND window);
  void Raise(const XWindowState& state);
  void Draw(HWND window, std::shared_ptr<const Frame> frame);
  void Put(const XWindowState& state, int x, int y, int width, int height);
  Cursor CursorFor(const std::shared_ptr<const CursorImage>& image);

  void OnExpose(XEvent& event);
  void OnConfigure(XEvent& event);
  void OnClientMessage(XEvent& event);
  void OnFocus(XEvent& event);
  void OnKey(XEvent& event);
  void OnButton(XEvent& event);
  void OnMotion(XEvent& event);
  void OnMap(XEvent& event);
  void OnUnmap(XEvent& event);
  void Deiconify(XWindowState& state);
  void OnMapping(XEvent& event);
  void OnSelection(XEvent& event) { clipboard_->Handle(event); }

  Display* display_ = nullptr;
  ::Window root_ = 0;
  Visual* visual_ = nullptr;
  GC gc_ = nullptr;
  SIZE screenSize_{};
  Atom protocols_ = 0, deleteWindow_ = 0, netWmName_ = 0, utf8String_ = 0;
  Atom windowType_ = 0, typeDialog_ = 0, typeNormal_ = 0, clientLeader_ = 0, netWmUserTime_ = 0;
  Atom managerSelection_ = 0, supported_ = 0, requestExtents_ = 0, frameExtents_ = 0;
  Atom activeWindow_ = 0, supportingCheck_ = 0, windowState_ = 0, stateModal_ = 0, timeProbe_ = 0;
  Atom motifHints_ = 0;
  // Leads the window group of the managed windows; never mapped. Its
  // property changes give the server's time (ServerTime).
  ::Window leader_ = 0;
  // The questions asked of the manager (AskManager) and not answered yet,
  // oldest first: each is about a window of its own, never mapped, on which
  // the manager answers; an answer to one answers those before it too. The
  // number of the last question asked and of the last answered.
  std::deque<std::pair<::Window, unsigned long long>> questions_;
  unsigned long long asked_ = 0, answered_ = 0;
  Cursor cursors_[6]{};
  // Cursors made from resource images, by image (the images live as long as
  // the process; the pointers held here only make that explicit).
  std::unordered_map<const CursorImage*, std::pair<std::shared_ptr<const CursorImage>, Cursor>> imageCursors_;
  int wake_[2]{-1, -1};
  std::unique_ptr<X11Clipboard> clipboard_;

  std::mutex lock_;  // guards requests_ and stopping_
  std::deque<std::function<void()>> requests_;
  bool stopping_ = false;
  std::thread thread_;

  // Owned by the presenter thread.
  std::unordered_map<HWND, XWindowState> windows_;
  std::unordered_map<::Window, HWND> byId_;
  // The program's latest choice of the window with the keyboard, and how
  // far its request has gone: not yet sent (the window waits to be mapped),
  // or sent, with the question asked after it (0: none could be asked).
  // While the question is unanswered the manager has not read the request;
  // a window the program shows or hides meanwhile, or later, asks a
  // question that reopens the exchange until the manager has read that too.
  struct Choice {
    HWND window = nullptr;
    bool sent = false;
    unsigned long long question = 0;
    bool managerMoved = false;  // the manager gave the focus elsewhere meanwhile
    bool askedAgain = false;
  } choice_;
  // The pointer asked into a window (WarpPointerInto) that the manager has
  // yet to place; no window when none is owed.
  struct OwedWarp {
    HWND window = nullptr;
    POINT offset{};
  } owedWarp_;
  // The activations the layer has told (Activate's `choice`) that the
  // presenter has taken up.
  std::uint64_t choicesHeard_ = 0;
  // Our window that has the server's focus, as its latest focus event says.
  HWND focused_ = nullptr;
  // Windows destroyed whose events may still be on their way, by X window:
  // the layer's window and the serial of the destruction, after which the
  // server sends nothing more of it.
  struct Departed {
    HWND window = nullptr;
    unsigned long serial = 0;
  };
  std::unordered_map<::Window, Departed> departed_;
  // Without a manager: the serial of our last focus request; focus events
  // the server made before it are old news, and keys that reached another
  // window before it took effect belong to the chosen window.
  unsigned long focusSerial_ = 0;
  // The time of the user's last key or button press on our windows (0:
  // none yet).
  Time userTime_ = 0;
};

X11Presenter::X11Presenter() {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) {
    static char reason[512];
    const char* name = std::getenv("DISPLAY");
    std::snprintf(reason, sizeof reason,
                  "cannot open the X display \"%s\"; set QUORVEL_DISPLAY=headless to run without one.",
                  name != nullptr ? name : "");
    SetUpFailed(reason);
  }
  int screen = DefaultScreen(display_);
  root_ = RootWindow(display_, screen);
  XVisualInfo wanted{};
  wanted.screen = screen;
  wanted.visualid = XVisualIDFromVisual(DefaultVisual(display_, screen));
  int count = 0;
  XVisualInfo* info = XGetVisualInfo(display_, VisualScreenMask | VisualIDMask, &wanted, &count);
  bool usable = info != nullptr && info->c_class == TrueColor && info->depth >= 24 &&
                info->red_mask == 0xFF0000 && info->green_mask == 0xFF00 && info->blue_mask == 0xFF;
  if (info != nullptr) XFree(info);
  if (!usable) SetUpFailed("the X display's default visual is not 24-bit TrueColor.");
  visual_ = DefaultVisual(display_, screen);
  gc_ = DefaultGC(display_, screen);
  screenSize_ = SIZE{DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
  protocols_ = XInternAtom(display_, "WM_PROTOCOLS", False);
  deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  netWmName_ = XInternAtom(display_, "_NET_WM_NAME", False);
  utf8String_ = XInternAtom(display_, "UTF8_STRING", False);
  windowType_ = XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False);
  typeDialog_ = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  typeNormal_ = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_NORMAL", False);
  clientLeader_ = XInternAtom(display_, "WM_CLIENT_LEADER", False);
  netWmUserTime_ = XInternAtom(display_, "_NET_WM_USER_TIME", False);
  const std::string selection = "WM_S" + std::to_string(screen);
  managerSelection_ = XInternAtom(display_, selection.c_str(), False);
  supported_ = XInternAtom(display_, "_NET_SUPPORTED", False);
  requestExtents_ = XInternAtom(display_, "_NET_REQUEST_FRAME_EXTENTS", False);
  frameExtents_ = XInternAtom(display_, "_NET_FRAME_EXTENTS", False);
  activeWindow_ = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
  supportingCheck_ = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
  windowState_ = XInternAtom(display_, "_NET_WM_STATE", False);
  stateModal_ = XInternAtom(display_, "_NET_WM_STATE_MODAL", False);
  timeProbe_ = XInternAtom(display_, "_QUORVEL_TIME", False);
  motifHints_ = XInternAtom(display_, "_MOTIF_WM_HINTS", False);
  leader_ = XCreateSimpleWindow(display_, root_, 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(display_, leader_, PropertyChangeMask);
  XClassHint leaderClass{const_cast<char*>("quorvel"), const_cast<char*>("Quorvel")};
  XSetClassHint(display_, leader_, &leaderClass);
  const unsigned shapes[6] = {XC_left_ptr, XC_xterm, XC_watch, XC_crosshair, XC_hand2, XC_fleur};
  for (int i = 0; i < 6; ++i) cursors_[i] = XCreateFontCursor(display_, shapes[i]);
  Bool detectable = False;
  XkbSetDetectableAutoRepeat(display_, True, &detectable);  // repeats without releases
  XSetErrorHandler(IgnoreXError);
  clipboard_ = std::make_unique<X11Clipboard>(display_);
  if (pipe(wake_) != 0) SetUpFailed("cannot make the X presenter's wake-up pipe.");
  thread_ = std::thread([this] { Run(); });
}

bool X11Presenter::Ask(std::function<void()> request) {
  {
    std::lock_guard guard(lock_);
    if (stopping_) return false;
    requests_.push_back(std::move(request));
  }
  char byte = 1;
  ssize_t written = write(wake_[1], &byte, 1);
  (void)written;  // a full pipe already wakes the thread
  return true;
}

void X11Presenter::Sync() {
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> finished = done->get_future();
  bool asked = Ask([this, done] {
    XSync(display_, False);
    done->set_value();
  });
  if (asked) finished.wait();
}

void X11Presenter::Hold(const std::function<void()>& meanwhile, bool requestsFirst) {
  auto held = std::make_shared<std::promise<void>>();
  auto release = std::make_shared<std::promise<void>>();
  std::future<void> holding = held->get_future();
  std::shared_future<void> released = release->get_future().share();
  const bool asked = Ask([this, held, released, requestsFirst] {
    held->set_value();
    released.wait();
    // The events of the server come in on the round trips of the requests
    // too, but wait in the queue until the loop reads them after this batch.
    if (requestsFirst) RunRequests();
    XSync(display_, False);
  });
  if (asked) holding.wait();
  struct Release {
    std::shared_ptr<std::promise<void>> promise;
    bool armed;
    ~Release() {
      if (armed) promise->set_value();
    }
  } releasing{release, asked};
  meanwhile();
}

void X11Presenter::Stop() {
  {
    std::lock_guard guard(lock_);
    if (stopping_) return;
    stopping_ = true;
  }
  char byte = 0;
  ssize_t written = write(wake_[1], &byte, 1);
  (void)written;
  if (thread_.joinable()) thread_.join();
  for (auto& [handle, state] : windows_) XDestroyWindow(display_, state.id);
  XDestroyWindow(display_, leader_);
  for (auto& [asking, number] : questions_) XDestroyWindow(display_, asking);
  for (Cursor cursor : cursors_) XFreeCursor(display_, cursor);
  for (auto& [image, made] : imageCursors_) XFreeCursor(display_, made.second);
  imageCursors_.clear();
  clipboard_.reset();
  XCloseDisplay(display_);
  close(wake_[0]);
  close(wake_[1]);
}

bool X11Presenter::RunRequests() {
  std::deque<std::function<void()>> work;
  bool stop = false;
  {
    std::lock_guard guard(lock_);
    work.swap(requests_);
    stop = stopping_;
  }
  for (auto& request : work) request();
  return !stop;
}

// The loop: requests, then events, then wait for either.
void X11Presenter::Run() {
  pollfd sources[2] = {{ConnectionNumber(display_), POLLIN, 0}, {wake_[0], POLLIN, 0}};
  while (RunRequests()) {
    XFlush(display_);
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      Dispatch(event);
    }
    poll(sources, 2, -1);
    if (sources[1].revents & POLLIN) {
      char drain[64];
      ssize_t got = read(wake_[0], drain, sizeof drain);
      (void)got;
    }
  }
}

// A switch, not a table indexed by the type: the type is whatever the server
// sent (extension events run past LASTEvent, GenericEvent carries cookies),
// and every value must land somewhere harmless.
void X11Presenter::Dispatch(XEvent& event) {
  std::erase_if(departed_, [&](const auto& entry) {
    return static_cast<long>(event.xany.serial - entry.second.serial) > 0;
  });
  switch (event.type) {
    case Expose: OnExpose(event); break;
    case ConfigureNotify: OnConfigure(event); break;
    case ClientMessage: OnClientMessage(event); break;
    case FocusIn: case FocusOut: OnFocus(event); break;
    case KeyPress: case KeyRelease: OnKey(event); break;
    case ButtonPress: case ButtonRelease: OnButton(event); break;
    case MotionNotify: OnMotion(event); break;
    case MapNotify: OnMap(event); break;
    case UnmapNotify: OnUnmap(event); break;
    case ReparentNotify:
      if (XWindowState* state = StateOf(HandleOf(event.xreparent.window)))
        state->framed = event.xreparent.parent != root_;
      break;
    case MappingNotify: OnMapping(event); break;
    case SelectionRequest: case SelectionClear: OnSelection(event); break;
    case PropertyNotify: OnAnswer(event); break;
    case GenericEvent:  // an extension's; its cookie is freed unread
      if (XGetEventData(display_, &event.xcookie)) XFreeEventData(display_, &event.xcookie);
      break;
    default: break;
  }
}

// Xcursor wants premultiplied alpha; the arrow stands in if the server
// cannot make the cursor.
Cursor X11Presenter::CursorFor(const std::shared_ptr<const CursorImage>& image) {
  auto found = imageCursors_.find(image.get());
  if (found != imageCursors_.end()) return found->second.second;
  XcursorImage* made = XcursorImageCreate(image->width, image->height);
  if (made == nullptr) return cursors_[0];
  made->xhot = static_cast<XcursorDim>(image->hotSpot.x);
  made->yhot = static_cast<XcursorDim>(image->hotSpot.y);
  for (std::size_t index = 0; index < image->pixels.size(); ++index) {
    std::uint32_t pixel = image->pixels[index], alpha = pixel >> 24;
    auto channel = [&](int shift) { return ((((pixel >> shift) & 0xFF) * alpha + 127) / 255) << shift; };
    made->pixels[index] = (alpha << 24) | channel(16) | channel(8) | channel(0);
  }
  Cursor cursor = XcursorImageLoadCursor(display_, made);
  XcursorImageDestroy(made);
  if (cursor == 0) return cursors_[0];
  imageCursors_.emplace(image.get(), std::make_pair(image, cursor));
  return cursor;
}

XWindowState* X11Presenter::StateOf(HWND window) {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

HWND X11Presenter::HandleOf(::Window id) {
  auto found = byId_.find(id);
  return found == byId_.end() ? nullptr : found->second;
}

// An unmanaged window (a menu, a drop-down list, a tooltip) bypasses the
// window manager, which would otherwise frame it and give it the focus on a
// click, taking the activation from the window it belongs to.
void X11Presenter::Create(HWND window, RECT rect, const std::string& title, const WindowRole& role) {
  const bool unmanaged = role.unmanaged;
  int width = std::max<int>(rect.right - rect.left, 1), height = std::max<int>(rect.bottom - rect.top, 1);
  XSetWindowAttributes attributes{};
  attributes.background_pixmap = None;
  attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                          ButtonReleaseMask | PointerMotionMask | StructureNotifyMask | FocusChangeMask;
  attributes.cursor = cursors_[0];
  attributes.override_redirect = unmanaged ? True : False;
  ::Window id = XCreateWindow(display_, root_, rect.left, rect.top, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                              CWBackPixmap | CWEventMask | CWCursor | CWOverrideRedirect, &attributes);
  Atom protocols[1] = {deleteWindow_};
  XSetWMProtocols(display_, id, protocols, 1);
  SetSizeHints(id, rect, role.sizable || unmanaged);
  XClassHint classHint{const_cast<char*>("quorvel"), const_cast<char*>("Quorvel")};
  XSetClassHint(display_, id, &classHint);
  if (!unmanaged) SetManagerHints(id, role);
  XWindowState state{};
  state.id = id;
  state.rect = rect;
  state.dialog = role.dialog && !unmanaged;
  state.modal = state.dialog && role.modal;
  state.owner = role.owner;
  state.managed = !unmanaged;
  state.sizable = role.sizable || unmanaged;
  windows_[window] = state;
  byId_[id] = window;
  SetTitle(window, title);
}

// What a user may do to the window through the manager, in the hints X
// toolkits set (the Motif ones, which the usual managers read): a window
// without a minimise box, a modal dialog above all, offers no minimise,
// since the manager would take its owner down with it, and one without a
// sizing border keeps its size (its size hints say so too).
void X11Presenter::SetManagerHints(::Window id, const WindowRole& role) {
  enum : unsigned long { kFunctions = 1, kDecorations = 2 };
  enum : unsigned long { kResize = 2, kMove = 4, kMinimize = 8, kMaximize = 16, kClose = 32 };
  enum : unsigned long { kBorder = 2, kResizeHandles = 4, kTitle = 8, kMenu = 16, kMinimizeBox = 32, kMaximizeBox = 64 };
  unsigned long motif[5] = {kFunctions | kDecorations, kMove | kClose, kBorder | kTitle | kMenu, 0, 0};
  if (role.sizable) {
    motif[1] |= kResize;
    motif[2] |= kResizeHandles;
  }
  if (role.minimizable) {
    motif[1] |= kMinimize;
    motif[2] |= kMinimizeBox;
  }
  if (role.maximizable) {
    motif[1] |= kMaximize;
    motif[2] |= kMaximizeBox;
  }
  XChangeProperty(display_, id, motifHints_, motifHints_, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(motif), 5);
  const bool dialog = role.dialog;
  XWMHints hints{};
  hints.flags = InputHint | WindowGroupHint;
  hints.input = True;
  hints.window_group = leader_;
  XSetWMHints(display_, id, &hints);
  XChangeProperty(display_, id, clientLeader_, XA_WINDOW, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&leader_), 1);
  Atom type = dialog ? typeDialog_ : typeNormal_;
  XChangeProperty(display_, id, windowType_, XA_ATOM, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&type),
                  1);
}

// Decided as the dialog is mapped, when it is known whether its owner is
// on the screen: a manager keeps a transient above the window it names,
// and a transient for the root window above every window of its group. A
// modal dialog says so only with an owner on the screen: modal for the
// whole group, it would keep the keyboard from windows it does not disable.
void X11Presenter::SetTransientFor(const XWindowState& state) {
  const XWindowState* owner = StateOf(state.owner);
  const bool owned = owner != nullptr && owner->shown;
  XSetTransientForHint(display_, state.id, owned ? owner->id : root_);
  if (state.modal && owned)
    XChangeProperty(display_, state.id, windowState_, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&stateModal_), 1);
  else
    XDeleteProperty(display_, state.id, windowState_);
}

// A window of ours that goes while it has the keyboard gives it to the
// window it belongs to first, as toolkits do for a transient window: left
// to the server, the focus would revert to the root (or a window manager's
// own window) until the manager or the program chose another, and keys
// typed meanwhile would reach no window of ours. It only ever moves from
// our window to our window, never from another client's. Unless the
// program has chosen another window, the owner stands as the program's
// choice until the program tells its own, and as for any choice, what a
// manager does with the focus before it has read the window's going (its
// fallback) is not the user's doing: the caller asks the question after
// the going. `remove` withdraws or destroys the window:
// the server is held from the look at the focus to the removal, since the
// manager may give the window the focus in between (as it reads the
// program's own request for it). Only a managed window on the screen
// (`onScreen`) can have the keyboard; any other is removed at once. True
// when the keyboard was handed over.
bool X11Presenter::RemoveHandingOverFocus(const XWindowState& state, bool onScreen,
                                          const std::function<void()>& remove) {
  if (!state.managed || !onScreen) {
    remove();
    return false;
  }
  XGrabServer(display_);
  ::Window focus = 0;
  int revert = 0;
  XGetInputFocus(display_, &focus, &revert);
  HWND heir = state.owner;
  const XWindowState* owner = focus == state.id ? StateOf(heir) : nullptr;
  for (int depth = 0; owner != nullptr && !(owner->shown && owner->viewable) && depth < 8; ++depth)
    owner = StateOf(heir = owner->owner);
  const bool handed = owner != nullptr && owner->shown && owner->viewable;
  if (handed) {
    Time time = ServerTime();
    if (userTime_ != 0 && static_cast<long>(userTime_ - time) > 0) time = userTime_;
    XSetInputFocus(display_, owner->id, RevertToParent, time);
    // A choice of another window, on its way to the manager, stands: the
    // owner only keeps the keys typed meanwhile for a window of ours.
    const XWindowState* chosen = StateOf(choice_.window);
    if (chosen == nullptr || chosen == &state) choice_ = Choice{heir, true};
  }
  remove();
  XUngrabServer(display_);
  return handed;
}

// The layer's window of an X window destroyed since the server sent its
// event (a key typed into it before the destruction reached the server,
// which the layer hands on); none for a window not of ours.
HWND X11Presenter::DepartedWindow(::Window id) {
  auto found = departed_.find(id);
  return found != departed_.end() ? found->second.window : nullptr;
}

void X11Presenter::Destroy(HWND window) {
  XWindowState* state = StateOf(window);
  if (state == nullptr) return;
  const bool handedOver = RemoveHandingOverFocus(*state, state->shown && state->viewable, [&] {
    departed_[state->id] = Departed{window, NextRequest(display_)};
    XDestroyWindow(display_, state->id);
  });
  if (handedOver) ReopenExchange(window, AskQuestion());
  byId_.erase(state->id);
  windows_.erase(window);
  ForgetChoice(window);
  if (owedWarp_.window == window) owedWarp_ = OwedWarp{};
  if (focused_ == window) focused_ = nullptr;
}

void X11Presenter::Show(HWND window, bool shown) {
  XWindowState* state = StateOf(window);
  if (state == nullptr || state->shown == shown) return;
  state->shown = shown;
  if (shown) {
    // A window shown again must wait until the manager has withdrawn it:
    // the manager may still map it on the request before, and a map
    // request for a window it has mapped is none; the withdrawal that
    // follows would take it off the screen for good.
    if (state->question > answered_ && ManagerRunning()) {
      state->mapDeferred = true;
      return;
    }
    Map(*state);
    if (state->managed) {
      AskManager(*state);
      ReopenExchange(window, state->question);
    }
    PayWarp();
  } else {
    const bool viewable = state->viewable;
    state->viewable = false;
    ForgetChoice(window);
    if (owedWarp_.window == window) owedWarp_ = OwedWarp{};
    if (state->mapDeferred) {  // never mapped again since it was withdrawn
      state->mapDeferred = false;
      return;
    }
    // Withdrawn rather than only unmapped: a window whose map request the
    // window manager has not handled yet is not mapped, so an unmap alone
    // would be lost and the manager would map the window afterwards. The
    // synthetic unmap notice sent to the root reaches the manager in order.
    RemoveHandingOverFocus(*state, viewable, [&] { XWithdrawWindow(display_, state->id, DefaultScreen(display_)); });
    if (state->managed) {
      AskManager(*state);
      ReopenExchange(window, state->question);
    }
  }
}

void X11Presenter::Map(XWindowState& state) {
  state.mapDeferred = false;
  if (state.dialog) SetTransientFor(state);
  // A user time of 0 asks a manager not to focus the window because it
  // appears: it gets the focus when the program activates it.
  if (state.managed) {
    const long never = 0;
    XChangeProperty(display_, state.id, netWmUserTime_, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&never), 1);
  }
  XMapRaised(display_, state.id);
  if (state.frame) Put(state, 0, 0, state.frame->width, state.frame->height);
}

// A change of size alone leaves the place to the server: under a manager,
// the place we last heard of is the window's own, while the place we ask
// for is that of the manager's frame, which it would move down and right
// by its title and border at every change of size.
void X11Presenter::Move(HWND window, RECT rect) {
  XWindowState* state = StateOf(window);
  if (state == nullptr) return;
  // A fixed size the manager holds it to changes first, or the manager
  // would hold the window to the old one.
  if (!state->sizable) SetSizeHints(state->id, rect, false);
  const bool moved = rect.left != state->rect.left || rect.top != state->rect.top;
  state->rect = rect;
  ++state->moves;
  state->moveSerial = NextRequest(display_);
  const auto width = static_cast<unsigned>(std::max<int>(rect.right - rect.left, 1));
  const auto height = static_cast<unsigned>(std::max<int>(rect.bottom - rect.top, 1));
  if (moved || !state->managed)
    XMoveResizeWindow(display_, state->id, rect.left, rect.top, width, height);
  else
    XResizeWindow(display_, state->id, width, height);
  if (state->managed) AskManager(*state);
}

// The place and size the program gives the window; a window without a
// sizing border keeps its size (the smallest and largest the same).
void X11Presenter::SetSizeHints(::Window id, RECT rect, bool sizable) {
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = rect.left;
  hints.y = rect.top;
  hints.width = std::max<int>(rect.right - rect.left, 1);
  hints.height = std::max<int>(rect.bottom - rect.top, 1);
  if (!sizable) {
    hints.flags |= PMinSize | PMaxSize;
    hints.min_width = hints.max_width = hints.width;
    hints.min_height = hints.max_height = hints.height;
  }
  XSetWMNormalHints(display_, id, &hints);
}

// A manager handles our move of a window it manages in its own time, and
// what it tells of the window before then (its own placement of a new
// window, made after our move reached the server but before it read it)
// comes with a serial as recent as the move's. It answers questions in
// the order it reads them, so once it has answered the one asked after
// the move it has done the move, and every report it made of it arrived
// before the answer: the place reported last is the one that stands.
void X11Presenter::AskManager(XWindowState& state) { state.question = AskQuestion(); }

// The pointer goes into the window once the manager has answered the
// question asked after the window was last shown or moved: it has placed
// the window by then. Relative to the window, the server puts it where the
// window is, whatever the layer last heard of its place.
void X11Presenter::PayWarp() {
  if (owedWarp_.window == nullptr) return;
  XWindowState* state = StateOf(owedWarp_.window);
  if (state == nullptr) {
    owedWarp_ = OwedWarp{};
    return;
  }
  if (state->managed && (!state->shown || state->mapDeferred || state->question > answered_) && ManagerRunning())
    return;
  XWarpPointer(display_, 0, state->id, 0, 0, 0, 0, owedWarp_.offset.x, owedWarp_.offset.y);
  owedWarp_ = OwedWarp{};
}

// A question the manager answers in the order it reads its requests: the
// frame extents of a window of ours that is never mapped. Its number, or 0
// when no manager runs that answers it.
unsigned long long X11Presenter::AskQuestion() {
  if (!ManagerRunning() || !ManagerSupports(requestExtents_)) return 0;
  const ::Window asking = XCreateSimpleWindow(display_, root_, 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(display_, asking, PropertyChangeMask);
  XEvent question{};
  question.xclient.type = ClientMessage;
  question.xclient.window = asking;
  question.xclient.message_type = requestExtents_;
  question.xclient.format = 32;
  XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &question);
  questions_.emplace_back(asking, ++asked_);
  return asked_;
}

// The 32-bit items of a property (at most `most`); none when the window or
// the property is not there or is of another type.
std::vector<unsigned long> X11Presenter::ReadLongs(::Window window, Atom property, Atom type, long most) {
  Atom actual = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> items;
  if (XGetWindowProperty(display_, window, property, 0, most, False, type, &actual, &format, &count, &after, &data) ==
          Success &&
      data != nullptr && format == 32) {
    const auto* longs = reinterpret_cast<const unsigned long*>(data);
    items.assign(longs, longs + count);
  }
  if (data != nullptr) XFree(data);
  return items;
}

bool X11Presenter::ManagerSupports(Atom feature) {
  const std::vector<unsigned long> atoms = ReadLongs(root_, supported_, XA_ATOM, 1024);
  return std::find(atoms.begin(), atoms.end(), feature) != atoms.end();
}

// A manager that follows the extended hints names a window of its own on
// the root (_NET_SUPPORTING_WM_CHECK), which names itself; one that lists
// _NET_ACTIVE_WINDOW gives the focus when asked.
bool X11Presenter::ManagerActivates() {
  const std::vector<unsigned long> check = ReadLongs(root_, supportingCheck_, XA_WINDOW, 1);
  if (check.size() != 1 || check[0] == 0) return false;
  const std::vector<unsigned long> named = ReadLongs(check[0], supportingCheck_, XA_WINDOW, 1);
  return named.size() == 1 && named[0] == check[0] && ManagerSupports(activeWindow_);
}

bool X11Presenter::ManagerRunning() { return XGetSelectionOwner(display_, managerSelection_) != None; }

void X11Presenter::OnAnswer(XEvent& event) {
  if (event.xproperty.atom != frameExtents_ || event.xproperty.state != PropertyNewValue) return;
  auto answered = std::find_if(questions_.begin(), questions_.end(),
                               [&](const auto& question) { return question.first == event.xproperty.window; });
  if (answered == questions_.end()) return;
  answered_ = answered->second;
  for (auto question = questions_.begin(); question <= answered; ++question) XDestroyWindow(display_, question->first);
  questions_.erase(questions_.begin(), answered + 1);
  for (auto& [window, state] : windows_) {
    if (state.question > answered_) continue;
    if (state.held) {
      state.held = false;
      Report(window, state, state.heldRect);
    }
    if (state.mapDeferred) Map(state);
  }
  SettleChoice();
  PayWarp();
}

void X11Presenter::Report(HWND window, XWindowState& state, RECT rect) {
  if (std::memcmp(&rect, &state.rect, sizeof rect) == 0) return;
  state.rect = rect;
  PresenterResized(window, rect, state.moves);
}

void X11Presenter::SetTitle(HWND window, const std::string& title) {
  XWindowState* state = StateOf(window);
  if (state == nullptr) return;
  std::string utf8 = Utf8From1252(title);
  auto bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  int length = static_cast<int>(utf8.size());
  XChangeProperty(display_, state->id, XA_WM_NAME, utf8String_, 8, PropModeReplace, bytes, length);
  XChangeProperty(display_, state->id, netWmName_, utf8String_, 8, PropModeReplace, bytes, length);
}

// The program chose the window that has the keyboard. It is asked for once
// the server (under a manager, the manager) has mapped it; only the latest
// choice counts. Threads tell their activations as they run out of work,
// each in its own time, so a request can come after a later one: it is
// out of date. (The layer's foreground is no judge: it may stand for a
// moment on a window the program passes through.)
void X11Presenter::Focus(HWND window, std::uint64_t choice) {
  if (choice < choicesHeard_) return;
  choicesHeard_ = choice;
  XWindowState* state = StateOf(window);
  if (state == nullptr) return;
  choice_ = Choice{window};
  if (state->shown && state->viewable) RequestFocus(*state);
  else Deiconify(*state);  // the keyboard is asked for once the manager shows it
}

// A manager raises the window it activates, above its owners and with its
// own dialogs above it; without one the presenter does both itself.
void X11Presenter::RequestFocus(XWindowState& state) {
  choice_.sent = true;
  choice_.question = 0;
  if (ManagerActivates()) {
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = state.id;
    request.xclient.message_type = activeWindow_;
    request.xclient.format = 32;
    request.xclient.data.l[0] = 1;  // asked by an application
    request.xclient.data.l[1] = static_cast<long>(userTime_);
    const XWindowState* focused = StateOf(focused_);
    request.xclient.data.l[2] = focused != nullptr ? static_cast<long>(focused->id) : 0;
    XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    choice_.question = AskQuestion();
    focusSerial_ = 0;
    return;
  }
  Raise(state);
  // The server ignores a request older than its last change of the focus,
  // which another client may have made since the user's last key: the
  // program's choice is made now.
  Time time = ServerTime();
  if (userTime_ != 0 && static_cast<long>(userTime_ - time) > 0) time = userTime_;
  focusSerial_ = NextRequest(display_);
  XSetInputFocus(display_, state.id, RevertToParent, time);
}

// From the program's choice until the manager has read its request.
bool X11Presenter::ExchangeOpen() const {
  return choice_.window != nullptr && (!choice_.sent || choice_.question > answered_);
}

// The manager has read the program's request. If the focus is elsewhere
// although the manager moved it meanwhile (its fallback when a window of
// ours went, decided as it read the program's own hiding of it), the
// program asks once more; otherwise what the server shows is the truth,
// and the layer hears of it.
void X11Presenter::SettleChoice() {
  if (choice_.window == nullptr || !choice_.sent || choice_.question == 0 || choice_.question > answered_) return;
  const HWND chosen = choice_.window;
  choice_.question = 0;
  if (focused_ == chosen) {
    choice_.managerMoved = false;
    return;
  }
  XWindowState* state = StateOf(chosen);
  if (choice_.managerMoved && !choice_.askedAgain && state != nullptr && state->shown && state->viewable) {
    choice_.askedAgain = true;
    choice_.managerMoved = false;
    RequestFocus(*state);
    return;
  }
  choice_ = Choice{};
  if (focused_ != nullptr)
    PresenterActivated(focused_, true, choicesHeard_);
  else
    PresenterActivated(chosen, false, choicesHeard_);
}

// The chosen window went (hidden or destroyed): the program chooses anew.
void X11Presenter::ForgetChoice(HWND window) {
  if (choice_.window == window) choice_ = Choice{};
}

// The program showed or hid another window while its choice stands: what
// the manager does with the focus as it reads that (its fallback when the
// focused window goes) answers the program's own request, not the user.
void X11Presenter::ReopenExchange(HWND shownOrHidden, unsigned long long question) {
  if (choice_.window == nullptr || choice_.window == shownOrHidden || !choice_.sent || question == 0) return;
  if (choice_.question <= answered_) choice_.askedAgain = false;
  choice_.question = std::max(choice_.question, question);
}

// The server's time now: the time of a change of a property of ours, read
// back from its notice (the other events wait in the queue meanwhile).
Time X11Presenter::ServerTime() {
  XChangeProperty(display_, leader_, timeProbe_, XA_CARDINAL, 32, PropModeReplace, nullptr, 0);
  XEvent notice{};
  XIfEvent(
      display_, &notice,
      [](Display*, XEvent* event, XPointer leader) {
        return static_cast<Bool>(event->type == PropertyNotify &&
                                 event->xproperty.window == *reinterpret_cast<::Window*>(leader));
      },
      reinterpret_cast<XPointer>(&leader_));
  return notice.xproperty.time;
}

// The user pressed a key or a button in `window`: the time of the user's
// last input, and of that window's (for a manager's choice of focus).
void X11Presenter::NoteUserTime(Time time, HWND window) {
  if (time == CurrentTime) return;
  if (userTime_ == 0 || static_cast<long>(time - userTime_) > 0) userTime_ = time;
  // A menu or a drop-down list is no window of the manager's: its owner is.
  const XWindowState* state = StateOf(window);
  for (int depth = 0; state != nullptr && !state->managed && depth < 8; ++depth) state = StateOf(state->owner);
  if (state == nullptr || !state->managed) return;
  const long value = static_cast<long>(time);
  XChangeProperty(display_, state->id, netWmUserTime_, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&value), 1);
}

// A window raised for the focus brings up the windows that own it first,
// so that a dialog never stands in front of other windows while its owner
// stays behind them (a message box over a dialog over a frame: all three).
void X11Presenter::Raise(const XWindowState& state) {
  const XWindowState* chain[8] = {&state};
  int count = 1;
  for (const XWindowState* owner = StateOf(state.owner); owner != nullptr && owner->shown && count < 8;
       owner = StateOf(owner->owner))
    chain[count++] = owner;
  while (count > 0) XRaiseWindow(display_, chain[--count]->id);
}

void X11Presenter::Draw(HWND window, std::shared_ptr<const Frame> frame) {
  XWindowState* state = StateOf(window);
  if (state == nullptr) return;
  state->frame = std::move(frame);
  if (state->shown) Put(*state, 0, 0, state->frame->width, state->frame->height);
}

void X11Presenter::Put(const XWindowState& state, int x, int y, int width, int height) {
  const Frame& frame = *state.frame;
  width = std::min(width, frame.width - x);
  height = std::min(height, frame.height - y);
  if (width <= 0 || height <= 0) return;
  XImage* image = XCreateImage(display_, visual_, 24, ZPixmap, 0,
                               reinterpret_cast<char*>(const_cast<std::uint32_t*>(frame.pixels.data())),
                               static_cast<unsigned>(frame.width), static_cast<unsigned>(frame.height), 32,
                               frame.width * 4);
  if (image == nullptr) return;
  image->byte_order = LSBFirst;  // the frame holds native 32-bit pixels
  XPutImage(display_, state.id, gc_, image, x, y, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height));
  image->data = nullptr;  // the frame keeps its pixels
  XDestroyImage(image);
}

void X11Presenter::OnExpose(XEvent& event) {
  HWND window = HandleOf(event.xexpose.window);
  XWindowState* state = StateOf(window);
  if (state == nullptr || !state->frame) return;
  Put(*state, event.xexpose.x, event.xexpose.y, event.xexpose.width, event.xexpose.height);
}

// A configure event made before our last move of the window reports a
// place that move has replaced: passed on, it would put the layer's window
// where the server's no longer is, and the later event of the move, equal
// to what we asked, would never correct it.
void X11Presenter::OnConfigure(XEvent& event) {
  HWND window = HandleOf(event.xconfigure.window);
  XWindowState* state = StateOf(window);
  if (state == nullptr) return;
  if (static_cast<long>(event.xconfigure.serial - state->moveSerial) < 0) return;
  // A real event of a framed window places it in the frame: where that is
  // on the screen is asked now. The manager's own (synthetic) events, and
  // real ones of a window on the root, place it on the screen.
  int x = event.xconfigure.x, y = event.xconfigure.y;
  if (!event.xconfigure.send_event && state->framed) {
    ::Window child = 0;
    XTranslateCoordinates(display_, state->id, root_, 0, 0, &x, &y, &child);
  }
  RECT rect{x, y, x + event.xconfigure.width, y + event.xconfigure.height};
  if (state->question > answered_) {
    // Unless the manager has gone without answering.
    if (ManagerRunning()) {
      state->held = true;
      state->heldRect = rect;
      return;
    }
    state->question = 0;
    state->held = false;
  }
  Report(window, *state, rect);
}

void X11Presenter::OnClientMessage(XEvent& event) {
  HWND window = HandleOf(event.xclient.window);
  if (window != nullptr && event.xclient.message_type == protocols_ &&
      static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_)
    PresenterClosed(window);
}

// The server's focus is the truth, which the layer follows: a window of
// ours that gains it has been activated by the user (a click, the manager's
// keys, a pager or taskbar, a pointer that the focus follows), one that
// loses it to no window of ours is no longer active. Two kinds of report
// are older than the program's choice and are not passed on: without a
// manager, one the server made before our latest focus request (the event
// carries the serial of the last request of ours the server had handled);
// with one, one made while the manager has yet to read our request (its
// fallback as a window of ours goes, or anything else it decided before).
// A loss followed at once by a gain of another window of ours is told by
// the gain alone.
void X11Presenter::OnFocus(XEvent& event) {
  if (event.xfocus.mode == NotifyGrab || event.xfocus.mode == NotifyUngrab ||
      event.xfocus.detail == NotifyPointer || event.xfocus.detail == NotifyInferior)
    return;
  const HWND window = HandleOf(event.xfocus.window);
  if (window == nullptr) return;
  const bool gained = event.type == FocusIn;
  if (gained) focused_ = window;
  else if (focused_ == window) focused_ = nullptr;
  if (static_cast<long>(event.xfocus.serial - focusSerial_) < 0) return;
  if (ExchangeOpen()) {
    if (window != choice_.window) choice_.managerMoved = true;
    if (!gained || window != choice_.window) return;
  } else if (gained && window != choice_.window) {
    choice_ = Choice{};
  }
  if (!gained && XEventsQueued(display_, QueuedAfterReading) > 0) {
    XEvent next;
    XPeekEvent(display_, &next);
    if (next.type == FocusIn && HandleOf(next.xfocus.window) != nullptr && next.xfocus.detail != NotifyPointer &&
        next.xfocus.detail != NotifyInferior)
      return;
  }
  PresenterActivated(window, gained, choicesHeard_);
}

// A key that reaches another window of ours while the program's request for
// the chosen one is on its way belongs to the chosen window, which the
// program believes has the keyboard (on another thread's window it would be
// lost to the user's work).
void X11Presenter::OnKey(XEvent& event) {
  HWND window = HandleOf(event.xkey.window);
  if (window == nullptr) window = DepartedWindow(event.xkey.window);
  if (window == nullptr) return;
  const bool down = event.type == KeyPress;
  if (down) NoteUserTime(event.xkey.time, window);
  const bool beforeRequest = static_cast<long>(event.xkey.serial - focusSerial_) < 0;
  if (choice_.window != nullptr && choice_.window != window && (ExchangeOpen() || beforeRequest))
    if (const XWindowState* chosen = StateOf(choice_.window); chosen != nullptr && chosen->shown) window = choice_.window;
  char text[8] = {};
  KeySym keysym = NoSymbol;
  int length = XLookupString(&event.xkey, text, sizeof text, &keysym, nullptr);
  const KeySym unshifted = XLookupKeysym(&event.xkey, 0);
  UINT key = VirtualKeyOf(unshifted);
  BYTE character = 0;
  unsigned unheld = 0;
  if (length == 1) {
    character = static_cast<BYTE>(text[0]);  // Latin-1, or a control character
  } else if (unsigned codePoint = CodePointOf(keysym)) {
    character = ByteOf1252(codePoint);
    if (character == 0) unheld = codePoint;  // 0xFFFF when not known here
  }
  if (key == 0 && character == 0 && unheld == 0) return;
  PresenterKey(window, key, down, down ? character : 0, down ? unheld : 0, HeldModifiersOf(event.xkey.state),
               choicesHeard_);
}

void X11Presenter::OnButton(XEvent& event) {
  HWND window = HandleOf(event.xbutton.window);
  if (window == nullptr) return;
  bool down = event.type == ButtonPress;
  if (down) NoteUserTime(event.xbutton.time, window);
  int x = event.xbutton.x, y = event.xbutton.y;
  switch (event.xbutton.button) {
    case Button1: PresenterMouse(window, down ? WM_LBUTTONDOWN : WM_LBUTTONUP, x, y); break;
    case Button2: PresenterMouse(window, down ? WM_MBUTTONDOWN : WM_MBUTTONUP, x, y); break;
    case Button3: PresenterMouse(window, down ? WM_RBUTTONDOWN : WM_RBUTTONUP, x, y); break;
    case Button4: if (down) PresenterWheel(window, WHEEL_DELTA, x, y); break;
    case Button5: if (down) PresenterWheel(window, -WHEEL_DELTA, x, y); break;
    default: break;
  }
}

void X11Presenter::OnMotion(XEvent& event) {
  // Only the latest position of a burst matters.
  while (XCheckTypedWindowEvent(display_, event.xmotion.window, MotionNotify, &event)) {
  }
  if (HWND window = HandleOf(event.xmotion.window))
    PresenterMouse(window, WM_MOUSEMOVE, event.xmotion.x, event.xmotion.y);
}

void X11Presenter::OnMap(XEvent& event) {
  HWND window = HandleOf(event.xmap.window);
  XWindowState* state = StateOf(window);
  // The map of a show the program has taken back since (hidden, or shown
  // again and waiting for the manager's withdrawal): the manager unmaps
  // the window again.
  if (state == nullptr || !state->shown || state->mapDeferred) return;
  state->viewable = true;
  if (state->iconic) {
    state->iconic = false;
    PresenterIconified(window, false);
  }
  // A dialog the manager made an icon with its owner comes back with it,
  // should the manager leave it behind.
  for (auto& [owned, ownedState] : windows_)
    if (ownedState.owner == window && ownedState.iconic) Deiconify(ownedState);
  if (window == choice_.window && !choice_.sent) {
    RequestFocus(*state);
    return;
  }
  const HWND foreground = GetForegroundWindow();
  // A manager puts a window it maps without the focus on top, over the
  // active window too (the windows of two threads appear in either order):
  // the active window goes back on top, unless the new window is one of its
  // own, which belongs above it.
  const XWindowState* active = foreground != window ? StateOf(foreground) : nullptr;
  if (!state->managed || active == nullptr || !active->shown || !active->viewable || !active->managed) return;
  int depth = 0;
  for (const XWindowState* owner = StateOf(state->owner); owner != nullptr && depth < 8; owner = StateOf(owner->owner), ++depth)
    if (owner == active) return;
  Raise(*active);
}

// The manager unmapped a window the program shows: it made it an icon (or
// took it off the screen with a desktop of its own), and the window takes
// no keys until the manager maps it again. A window the program hides or
// withdraws is no longer shown when its unmap comes.
void X11Presenter::OnUnmap(XEvent& event) {
  const HWND window = HandleOf(event.xunmap.window);
  XWindowState* state = StateOf(window);
  if (state == nullptr || event.xunmap.send_event) return;
  const bool byManager = state->shown && state->viewable && state->managed && !state->mapDeferred;
  state->viewable = false;
  if (!byManager || state->iconic) return;
  state->iconic = true;
  PresenterIconified(window, true);
}

// Asks the manager to show an icon as a window again (ICCCM: a map
// request for a window in the iconic state); it decides.
void X11Presenter::Deiconify(XWindowState& state) {
  if (state.shown && state.iconic && !state.mapDeferred) XMapWindow(display_, state.id);
}

// The keyboard layout changed: keys must be decoded with the new one.
void X11Presenter::OnMapping(XEvent& event) { XRefreshKeyboardMapping(&event.xmapping); }

}  // namespace

std::unique_ptr<Presenter> MakeX11Presenter() { return std::make_unique<X11Presenter>(); }

}  // namespace platform
