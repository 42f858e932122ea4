// Test support: drive the layer headless and deterministically from a test.
//
// Under test the layer's clock is virtual: it stands still until a test
// advances it, and timers, the caret blink and double clicks follow it, so no
// test sleeps. RunUntilIdle serves the calling thread's queue and waits for
// every other thread with a queue to be idle in its own loop, until nothing is
// pending anywhere (posted, sent, paint, due timer).
//
// Modal windows are answered by a script: before the action that raises one,
// the test says what kind and name it expects and what to do with it. Every
// modal loop calls ModalLoopStarting when its window exists and ModalLoopIdle
// whenever it has nothing to do; an unexpected window fails the test and ends
// its loop, a window whose action left it open fails and ends too, and an
// expected one that never came fails in CheckModalScript. Nothing here
// depends on the test framework: failures go to the handler the test main
// installs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Messages.h"
#include "platform/Types.h"

namespace platform {

// Turns the virtual clock and beep counting on (or off); resets the clock to
// a fixed start, the beep count and the modal script.
void EnableTestMode(bool enable);
bool InTestMode();

using FailureHandler = std::function<void(const std::string& message)>;
void SetFailureHandler(FailureHandler handler);
void ReportTestFailure(const std::string& message);

// Returns false (after reporting a failure) when some thread did not settle.
bool RunUntilIdle();
// Moves the virtual clock on, stopping at each timer or blink that falls due
// on the way and running until idle there.
void AdvanceClock(DWORD milliseconds);
// Moves the virtual clock on without serving anything, so that a test can
// line up due timers with messages that wait.
void MoveClock(DWORD milliseconds);

// Serves the calling thread's queue (waiting on it, up to `limitMs` of real
// time) until `done` is true. For input that comes from outside the process
// (an X server); true when `done` became true. What `done` looks at may
// change with no message to this thread (where the server has the focus), so
// it is looked at again every few milliseconds while the queue is quiet.
// `takeFirst`, when given, sees each message before it is dispatched and
// may take it, as a program's loop takes the keys of its accelerators.
bool PumpUntil(const std::function<bool()>& done, int limitMs,
               const std::function<bool(MSG* message)>& takeFirst = nullptr);

// Waits until everything the presenter was asked (windows, titles, frames,
// focus) has reached the display.
void SyncPresenter();
// Runs `meanwhile` on this thread while the presenter's thread is held (see
// Presenter::Hold); `meanwhile` must not wait for the presenter. Once
// released, the presenter reads what the display sent meanwhile first, or,
// with `requestsFirst`, does what `meanwhile` asked of it first.
void HoldPresenter(const std::function<void()>& meanwhile, bool requestsFirst = false);
// Runs `meanwhile` once, on the presenter's thread, the next time a
// presenter hands the layer a key (PresenterKey): after the window that
// takes the key was chosen, before the key is queued for that window's
// thread. A test's way to have the window go in between (a dialog its own
// thread closes as it reads the key typed before).
void HoldNextKeyRoute(std::function<void()> meanwhile);
// How many activations the layer has told the presenter of (the `choice`
// of Presenter::Activate), so that a test can stand in for a presenter
// that had or had not taken up the latest.
std::uint64_t ActivationsTold();

// The modal-window script.
enum class ModalKind { Dialog, MessageBox, PopupMenu, CommonDialog, PropertySheet };
const char* ModalKindName(ModalKind kind);
using ModalAction = std::function<void(HWND modal)>;
void ExpectModal(ModalKind kind, const std::string& name, ModalAction action);
// For modal loops: true when the loop may run (an expected window; its action
// has been run), false when it must end at once (unexpected; failure reported).
// Outside test mode it always returns true.
bool ModalLoopStarting(ModalKind kind, const std::string& name, HWND window);
// For modal loops with nothing to do: true when the loop must end (under
// test, a modal window that is still open after its action has failed).
bool ModalLoopIdle(HWND window);
// Reports every expected modal window that never appeared, and clears the script.
void CheckModalScript();
// A test that cannot know beforehand which modal windows an action raises
// (a seeded random run of edits) answers the ones its script does not name
// here: `start` gets each such window as its loop starts and returns false
// to leave it unexpected; `stillOpen` gets any window, scripted or not,
// whose action left it open (a refused OK), once, to close it as a user
// would. Cleared by EnableTestMode and by an empty answerer.
struct ModalAnswerer {
  std::function<bool(ModalKind kind, const std::string& name, HWND modal)> start;
  std::function<void(HWND modal)> stillOpen;
};
void SetModalAnswerer(ModalAnswerer answerer);

// Whether EndDialog has ended the dialog: a modal dialog's window stays
// (IsWindow is true) until its loop has returned, after its script's action.
bool DialogEnded(HWND dialog);

// Pixels: client coordinates of the window, read from its top-level surface.
COLORREF GetWindowPixel(HWND window, int x, int y);
// The whole window (frame included) as a PNG file.
bool WriteWindowPng(HWND window, const std::string& path);

int BeepCount();

// The cursor the layer last showed over a top-level window (SetCursor while
// the pointer was over it); null before any.
HCURSOR ShownCursor(HWND topLevel);

// Input as a presenter delivers it, for tests: keys go to the focus window of
// the foreground thread; pointer events are at client coordinates of `window`
// and are routed as real ones (capture, hit test, double clicks).
void TestKeyDown(UINT virtualKey);
void TestKeyUp(UINT virtualKey);
void TestKeyPress(UINT virtualKey);
void TestTypeText(const std::string& text);
void TestMouse(HWND window, UINT message, int x, int y);
void TestMouseWheel(HWND window, int delta, int x, int y);

}  // namespace platform
