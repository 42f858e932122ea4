// The presenter shows the top-level windows' backing surfaces and brings
// input back. The window core calls it with the window tree's lock not held;
// a presenter calls back into the layer only through the functions below,
// which hand the work to the thread that owns the window.
//
// headless shows nothing; X11 (X11Presenter.cpp) makes a real X window per
// top-level window. QUORVEL_DISPLAY=headless forces headless; otherwise X11
// is used when DISPLAY is set.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace platform {

enum class PointerShape { Arrow, IBeam, Wait, Cross, Hand, SizeAll };

// A cursor drawn from a resource image; the layer keeps each one for the life
// of the process, so a presenter may key what it made of it by its address.
struct CursorImage {
  int width = 0;
  int height = 0;
  POINT hotSpot{};
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, not premultiplied, top row first
};

// A copy of a top-level window's pixels (0x00RRGGBB, rows of `width`).
struct Frame {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// What a new top-level window is to a window manager.
struct WindowRole {
  // A popup without a caption (a menu, a drop-down list, a tooltip): no
  // window manager may frame or focus it.
  bool unmanaged = false;
  // A popup with a caption (a dialog, a message box, a property sheet): it
  // belongs above its owner, or above the program's windows when it has
  // none that is shown.
  bool dialog = false;
  // A dialog that keeps its owner disabled while it is up (a modal dialog,
  // a message box): a window manager gives the keyboard to it, not to the
  // owner.
  bool modal = false;
  HWND owner = nullptr;  // the top-level window that owns it, if any
  // What the user may do to the window through a window manager: its
  // style's sizing border and minimise and maximise boxes.
  bool sizable = false;
  bool minimizable = false;
  bool maximizable = false;
};

// What the clipboard can give other programs (bits of OfferClipboard).
enum ClipboardOffer : unsigned { kOfferText = 1u, kOfferImage = 2u };

class Presenter {
 public:
  virtual ~Presenter() = default;
  virtual bool WantsFrames() const = 0;
  virtual SIZE ScreenSize() const = 0;
  // Titles are Windows-1252.
  virtual void WindowCreated(HWND window, RECT screenRect, const std::string& title, const WindowRole& role) = 0;
  virtual void WindowDestroyed(HWND window) = 0;
  virtual void WindowShown(HWND window, bool shown) = 0;
  virtual void WindowMoved(HWND window, RECT screenRect) = 0;
  virtual void TitleChanged(HWND window, const std::string& title) = 0;
  // The window became the active one: give it the display's input focus.
  // `choice` counts the activations the layer has told (this one included):
  // a report of the display's made before the presenter took up the
  // latest of them is older than the program's choice (PresenterActivated).
  virtual void Activate(HWND window, std::uint64_t choice) = 0;
  virtual void Present(HWND window, std::shared_ptr<const Frame> frame) = 0;
  virtual void SetPointerShape(HWND window, PointerShape shape) = 0;
  virtual void SetPointerImage(HWND window, std::shared_ptr<const CursorImage> image) = 0;
  virtual void WarpPointer(POINT screenPoint) = 0;
  // Puts the pointer at `offset` from the top-left corner of the top-level
  // window, where the screen shows the window: a window manager moves a
  // window it frames, in its own time, so a window it has yet to place gets
  // the pointer once it has placed it. A later warp replaces one not made.
  virtual void WarpPointerInto(HWND window, POINT offset) = 0;
  virtual void Beep() = 0;
  // The program changed its clipboard, which now holds `kinds` (ClipboardOffer
  // bits; 0 withdraws the offer). X11 owns the CLIPBOARD selection meanwhile
  // and reads the data only when another program asks, through
  // ClipboardTextForOthers and ClipboardPngForOthers.
  virtual void OfferClipboard(unsigned kinds) = 0;
  // Waits until everything asked so far has reached the display.
  virtual void Sync() = 0;
  // Runs `meanwhile` while the presenter's thread stands still between two
  // of its requests, then lets it read what the display sent meanwhile
  // before it takes up what `meanwhile` asked of it: a test's way to make
  // the display's news and the program's requests meet in the order that
  // loses. `requestsFirst` turns the order round: what `meanwhile` asked is
  // done before the presenter reads anything the display sent meanwhile.
  virtual void Hold(const std::function<void()>& meanwhile, bool requestsFirst) {
    (void)requestsFirst;
    meanwhile();
  }
  virtual void Stop() = 0;
};

std::unique_ptr<Presenter> MakeHeadlessPresenter();
// Stops the process with the reason when the display cannot be used.
std::unique_ptr<Presenter> MakeX11Presenter();

// Calls from a presenter (any thread).
// `movesTold`: how many moves of the window (WindowMoved) the presenter had
// handled when the screen made the report; -1 when it does not count them.
void PresenterResized(HWND window, RECT screenRect, long long movesTold = -1);
void PresenterClosed(HWND window);
// `choicesHeard`: how many of the layer's activations (Activate's `choice`)
// the presenter had taken up when the display made the report; a report
// made before the latest one is old news, which that activation replaces.
inline constexpr std::uint64_t kEveryChoiceHeard = ~std::uint64_t{0};
void PresenterActivated(HWND window, bool active, std::uint64_t choicesHeard = kEveryChoiceHeard);
// A window manager minimised the top-level window to an icon (`iconic`),
// whatever the program asked, or shows it again.
void PresenterIconified(HWND window, bool iconic);
// The modifier keys a display reports held with a key event (bits of
// PresenterKey's `modifiers`; kModifiersReported says it reported them).
enum HeldModifiers : unsigned { kShiftHeld = 1u, kControlHeld = 2u, kAltHeld = 4u, kModifiersReported = 8u };

// `character` is the Windows-1252 character of the key (0 for none);
// `unheld` the code point of a character the key gave that Windows-1252
// lacks (0 for none).
// `modifiers` (HeldModifiers) are the modifier keys held as the key went
// down or up, before it: the key is read with those, whatever the layer
// heard of the modifiers before (a release may have gone to another
// thread's window, or to a window manager). 0 when the presenter cannot
// tell: the layer's own record stands.
// `choicesHeard` as for PresenterActivated: a key that reached a window
// while the program's later choice of another was on its way goes to that
// one. A key for a window the program has destroyed since goes to the
// foreground window.
void PresenterKey(HWND window, UINT virtualKey, bool down, BYTE character, unsigned unheld, unsigned modifiers = 0,
                  std::uint64_t choicesHeard = kEveryChoiceHeard);
// message: WM_MOUSEMOVE or a WM_xBUTTONDOWN/UP; x and y are relative to the
// top-left corner of the top-level window (its frame included).
void PresenterMouse(HWND window, UINT message, int x, int y);
void PresenterWheel(HWND window, int delta, int x, int y);
// The clipboard's contents as of now: its text (Windows-1252, without the
// terminating zero) and its bitmap encoded as PNG. False when it holds none.
bool ClipboardTextForOthers(std::string* windows1252);
bool ClipboardPngForOthers(std::string* png);

}  // namespace platform
