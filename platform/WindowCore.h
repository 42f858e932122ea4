// The layer's internal state: window objects, thread queues and the one lock.
// Not for the program; only platform/*.cpp include it.
//
// One mutex (Core::lock) guards everything here: the handle table, the tree,
// every queue, the timers and the key state. It is never held while a window
// procedure, a timer procedure or the presenter runs. Code that leaves the
// lock keeps only handles (HWND), never Window pointers, and looks the window
// up again afterwards.
//
// Windows live in the handle table as shared_ptr; the tree links are raw
// pointers valid while the lock is held. A thread's queue lives as long as
// the thread (a thread_local keeps it) and is marked ended when it exits.
#pragma once

#include <cairo.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Messages.h"
#include "platform/Presenter.h"
#include "platform/Types.h"
#include "platform/Window.h"

namespace platform {

struct ThreadQueue;

struct WindowClass {
  std::string name;
  UINT style = 0;
  WNDPROC procedure = nullptr;
  int windowExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  std::string menuName;
};

enum class ShowState { Normal, Minimized, Maximized };

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClass> windowClass;
  WNDPROC procedure = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  std::string text;
  LONG_PTR id = 0;
  HINSTANCE instance = nullptr;
  LONG_PTR userData = 0;
  std::vector<LONG_PTR> extra;  // one slot per 4-byte offset
  std::vector<std::pair<std::string, void*>> properties;

  Window* parent = nullptr;  // children only
  Window* owner = nullptr;   // top-level windows only
  std::vector<Window*> children;  // z-order, top first
  std::shared_ptr<ThreadQueue> queue;

  RECT rect{};  // screen for top-level windows, parent client for children
  ShowState showState = ShowState::Normal;
  RECT normalRect{};
  bool restoreToMaximized = false;
  // Moves and sizes of a top-level window the program made (which the
  // presenter is told of): a report of the screen's made before the latest
  // of them is out of date.
  std::uint64_t programMoves = 0;
  POINT minPosition{-1, -1};
  POINT maxPosition{-1, -1};

  RECT update{};  // client coordinates; empty = nothing to paint
  bool erase = false;
  bool frameDirty = false;
  bool validatedInPaint = false;

  int menuBar = 0;  // height of the menu bar (top-level windows with a menu)
  bool creating = true;  // until WM_CREATE has been answered
  bool destroying = false;  // WM_DESTROY sent
  cairo_surface_t* surface = nullptr;  // top-level windows: the backing surface
  HDC ownDc = nullptr;
  bool presentDirty = false;
  std::shared_ptr<const Frame> lastFrame;
  HCURSOR pointer = nullptr;  // top-level windows: the cursor last shown over it
  // The screen shows the top-level window only as an icon (a window manager
  // minimised it, whatever the program asked): it takes no keys meanwhile.
  bool iconic = false;

  bool IsChild() const { return (style & WS_CHILD) != 0 && parent != nullptr; }
};

struct SentMessage {
  HWND window = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
  bool done = false;
  std::shared_ptr<ThreadQueue> sender;
  std::function<void()> call;  // layer work to run on the owner thread instead
};

struct Timer {
  HWND window = nullptr;
  UINT_PTR id = 0;
  UINT interval = 0;
  std::uint64_t due = 0;
  TIMERPROC procedure = nullptr;
  std::function<void()> internal;  // layer timers (the caret blink) run here
};

struct Caret {
  HWND window = nullptr;
  int width = 0;
  int height = 0;
  POINT position{};
  int hideCount = 1;  // shown at 0
  bool drawn = false;  // inverted on the surface now
  bool removed = false;  // taken off for a paint, to be put back after it
};

// A posted message; one of a key from the display also holds the modifier
// keys the display reported held with it (HeldModifiers of Presenter.h; 0
// when it reported none), and one of the pointer says it came from the
// display (not from the program). A key from the keyboard goes to the
// window that has the focus when it is read, as typed-ahead keys must: a
// key typed before the one that moves the focus is read goes where that
// one moved it.
struct PostedMessage : MSG {
  PostedMessage(const MSG& message, unsigned reported = 0) : MSG(message), modifiers(reported) {}
  unsigned modifiers;
  bool pointer = false;
  bool keyboard = false;
};

struct ThreadQueue {
  DWORD threadId = 0;
  bool alive = true;
  std::condition_variable wake;
  std::deque<PostedMessage> posted;
  std::deque<std::shared_ptr<SentMessage>> sent;
  std::deque<std::function<void()>> tasks;  // work handed over by a presenter
  bool quit = false;
  int quitCode = 0;
  std::vector<Timer> timers;
  UINT_PTR nextThreadTimerId = 0x7F00;
  int serving = 0;   // depth of incoming sends being served
  bool idleWaiting = false;  // blocked with nothing to hand out
  bool runsLoop = false;     // waits for messages (until it reads WM_QUIT)
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND toldActive = nullptr;  // the active window as the presenter last heard it
  HWND capture = nullptr;
  HCURSOR cursor = nullptr;
  HWND scrollTracking = nullptr;  // a frame scroll bar follows the pointer
  int scrollTrackingBar = 0;
  Caret caret;
  BYTE keyState[256]{};
  DWORD messageTime = 0;
  POINT messagePos{};
  cairo_surface_t* screenSurface = nullptr;
};

struct Core {
  std::mutex lock;
  std::unordered_map<std::uintptr_t, std::shared_ptr<Window>> windows;
  std::uintptr_t nextHandle = 1;
  std::vector<std::shared_ptr<WindowClass>> classes;
  std::vector<Window*> topLevels;  // z-order, top first
  std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>> queues;
  HWND foreground = nullptr;
  // The activations told to the presenter so far (Presenter::Activate).
  std::uint64_t choicesTold = 0;
  std::unique_ptr<Presenter> presenter;
  bool started = false;
  std::condition_variable idleChanged;  // a queue went idle or got work

  // Virtual clock and test state.
  bool testMode = false;
  std::uint64_t virtualNow = 0;
  int beeps = 0;
  BYTE asyncKeys[256]{};
  POINT cursorPos{};
  // Double clicks: the last button press.
  HWND lastClickWindow = nullptr;
  UINT lastClickMessage = 0;
  std::uint64_t lastClickTime = 0;
  POINT lastClickPoint{};

  // The dialogs whose modal loops run, on every thread, oldest first.
  std::vector<HWND> modalLoops;
};

Core& TheCore();
// The windows this thread creates from now on are modal dialogs (a window
// manager keeps their owners from the keyboard), until it is called with
// false; the dialog manager brackets a modal dialog's creation with it.
void CreateModalWindows(bool modal);
// Starts the presenter on first use. Call without the lock.
void EnsureStarted();
Presenter* ThePresenter();

// With the lock held:
Window* Find(HWND handle);
std::shared_ptr<Window> FindShared(HWND handle);
std::shared_ptr<ThreadQueue> CurrentQueueLocked();
std::uint64_t NowLocked();
void NotifyQueue(ThreadQueue& queue);
// The window that takes what the screen gives `window` (an activation, a
// key): the window itself, or, while a modal window it owns keeps it
// disabled, that modal window (down the chain: a message box over a dialog
// over a frame); null when a disabled window owns no shown window.
Window* UsableWindowLocked(Window* window);
// The program's foreground window while the screen has yet to carry it
// out: its thread has not told the presenter of it, or the presenter had
// taken up fewer than the activations told (`choicesHeard`) when it made
// its report; null otherwise.
Window* ChoiceOnItsWayLocked(std::uint64_t choicesHeard);
// The modal dialog that keeps the top-level window `window` from input:
// the dialog of the program's latest modal loop, for a window of another
// thread, or of the loop's own that the loop disabled; never for the
// dialog or a window it owns. Null when none.
Window* HoldingDialogLocked(const Window& window);
// Whether the screen shows the window (and its top-level window), not
// only the program: shown and not minimised to an icon by a manager.
bool OnScreenLocked(const Window& window);
// The window that takes a key meant for `window`: itself, or the dialog
// that holds its top-level window (HoldingDialogLocked) when the screen
// shows that dialog; null when the key goes to no window, as none the
// screen does not show may take it.
Window* KeyTakerLocked(Window* window);

// ModalHold.cpp, without the lock: a modal loop of `dialog` begins or ends
// (RunModalDialog brackets its loop with them).
void ModalLoopBegins(HWND dialog);
void ModalLoopEnds(HWND dialog);
// On the window's thread: the screen activated `window`, which a modal
// dialog holds (HoldingDialogLocked). The activation goes to that dialog,
// which asks the screen for the keyboard once more unless the screen does
// not show it. False when no dialog holds the window.
bool PassActivationToHolder(HWND window);
// On the window's thread: the user pressed a mouse button in `window`,
// which a modal dialog holds; a dialog a manager has made an icon asks
// the screen to show it again, with the keyboard.
void PressInHeldWindow(HWND window);

// The calling thread's queue (made on first use). Call without the lock.
std::shared_ptr<ThreadQueue> CurrentQueue();
std::uint64_t Now();

// Geometry (lock held).
RECT NonClientInsets(const Window& window);
RECT ClientRectOf(const Window& window);  // 0,0-based
Window* TopLevelOf(Window* window);
POINT ClientOriginOnSurface(const Window& window);  // in top-level surface pixels
POINT WindowOriginOnSurface(const Window& window);
POINT ClientOriginOnScreen(const Window& window);
RECT ClientClipOnSurface(const Window& window);  // visible part of the client area
bool IsShownLocked(const Window& window);  // it and all its ancestors visible
// A window the pointer passes through to what lies under it: a group box,
// which comes before its controls among its siblings and covers them.
bool PassesPointerThrough(const Window& window);
// The deepest visible, enabled window under a screen point, from `window`
// down; `window` itself when none of its children is there.
Window* DeepestTargetAt(Window* window, POINT screenPoint);
RECT Intersect(const RECT& a, const RECT& b);
RECT Union(const RECT& a, const RECT& b);
bool IsEmpty(const RECT& rect);
RECT Offset(RECT rect, int dx, int dy);

// The parts of a window's frame, in window coordinates (0,0 = its top-left
// corner); empty rectangles for parts it lacks.
struct FrameParts {
  RECT client;
  RECT menuBar;
  RECT vertical;
  RECT horizontal;
  RECT corner;
};
FrameParts FramePartsLocked(const Window& window);
FrameParts FramePartsOf(HWND window);  // takes the lock
// Asks the menu code for the bar's height again and lays the frame out anew
// (no lock held).
void RefreshFrame(HWND window);

// Painting (lock held).
void InvalidateLocked(Window& window, const RECT* clientRect, bool erase, bool frame);
void EnsureSurfaceLocked(Window& topLevel);
// Finds a window of the queue that waits for WM_PAINT (parents first).
Window* FindPaintWindowLocked(ThreadQueue& queue, HWND filter);
// Without the lock: copies changed top-level surfaces of the queue's thread
// to the presenter.
void PresentDirtyWindows(ThreadQueue& queue);

// Calls a window procedure without the lock, on the thread that owns the
// window (a send when that is another thread); 0 for a window that is gone.
LRESULT CallProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// When the window belongs to another thread, runs `work` there and waits for
// it (serving our own incoming sends meanwhile) and returns true; false when
// the calling thread owns the window, which then does the work itself.
bool ForwardToOwner(HWND window, const std::function<void()>& work);
// Runs `task` on the thread that owns the window (now, when that is the
// calling thread). Used by presenters and test input.
void RunOnOwnerThread(HWND window, std::function<void()> task);
// Runs `task` on the thread of `queue` (now, when that is the calling
// thread); nothing once that thread has ended.
void RunOnThread(const std::shared_ptr<ThreadQueue>& queue, std::function<void()> task);

// Window state changes used across modules (no lock held). Moving, sizing,
// showing, enabling and scrolling another thread's window run on its thread.
void ActivateWindow(HWND window, WORD how);
void DestroyThreadWindows(ThreadQueue& queue);

// Input (no lock held; on the owner thread).
// `modifiers`: HeldModifiers of Presenter.h, or 0 when not reported.
void RouteKey(HWND topLevel, UINT virtualKey, bool down, BYTE character, unsigned unheld, unsigned modifiers = 0);
// x, y relative to the top-level window's top-left corner.
void RouteMouse(HWND topLevel, UINT message, int x, int y, int wheelDelta);
BYTE CharacterForKey(UINT virtualKey, bool shift);
// The hold a test set for the next key a presenter hands over
// (HoldNextKeyRoute); empty when none, and cleared once taken.
std::function<void()> TakeKeyRouteHold();
// A frame scroll bar of `window` follows the pointer of the calling thread
// (bar: 1 vertical, 0 horizontal) until StopScrollTracking.
void StartScrollTracking(HWND window, int bar);
void StopScrollTracking();
void NoteInputMessageLocked(ThreadQueue& queue, const PostedMessage& message);

// Caret (lock held).
void CaretRemoveLocked(ThreadQueue& queue, HWND window);
void CaretRestoreLocked(ThreadQueue& queue, HWND window);
void InvertSurfaceRectLocked(Window& window, RECT clientRect);

// Timers (lock held).
void AddTimerLocked(ThreadQueue& queue, Timer timer);
std::uint64_t NextDueLocked();

// True when the queue holds work: a task, a send, a posted message, a paint
// or a due timer (lock held).
bool HasPendingLocked(ThreadQueue& queue);

// Core queue operation: hands out the next message (see Messages.h).
// `stop`, when given, is looked at whenever work done on the way (a task,
// a send) may have set it: set, nothing more is handed out (false), so that
// a modal loop that such work ended reads none of the messages that follow.
bool Retrieve(MSG* message, HWND filter, UINT first, UINT last, bool remove, bool wait,
              int waitLimitMs = -1, const bool* stop = nullptr);

// Window text behind WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH (no lock held).
BOOL StoreWindowText(HWND window, const char* text);
LRESULT CopyWindowText(HWND window, WPARAM size, char* buffer);
LRESULT WindowTextLength(HWND window);

// System colours without the lock.
COLORREF SystemColour(int index);

}  // namespace platform
