// Private to the controls: the per-window state store, the look they share
// (face colours, 3D edges, focus frames, check marks), colours asked from the
// parent, and the notifications sent to it.
//
// A control keeps its state in a ControlStates<State> keyed by its handle,
// created on WM_NCCREATE and dropped on WM_NCDESTROY. Handlers hold the state
// by shared_ptr, so a parent that destroys the control while answering one of
// its notifications leaves the handler a live (if orphaned) state. Windows
// removed without messages (at shutdown) are pruned when the next state is
// made.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/Controls.h"
#include "platform/Paint.h"
#include "platform/Window.h"

namespace platform::controls {

template <class State>
class ControlStates {
 public:
  std::shared_ptr<State> Find(HWND window) {
    std::lock_guard guard(lock_);
    auto found = states_.find(window);
    return found != states_.end() ? found->second : nullptr;
  }
  std::shared_ptr<State> Create(HWND window) {
    std::lock_guard guard(lock_);
    for (auto it = states_.begin(); it != states_.end();)
      it = IsWindow(it->first) ? std::next(it) : states_.erase(it);
    auto state = std::make_shared<State>();
    states_[window] = state;
    return state;
  }
  void Remove(HWND window) {
    std::shared_ptr<State> keep;  // destroyed outside the lock
    std::lock_guard guard(lock_);
    auto found = states_.find(window);
    if (found == states_.end()) return;
    keep = found->second;
    states_.erase(found);
  }

 private:
  std::mutex lock_;
  std::unordered_map<HWND, std::shared_ptr<State>> states_;
};

template <class State>
ControlStates<State>& StatesOf() {
  static ControlStates<State> states;
  return states;
}

// Registers one control class (a no-op when it exists); the cursor is one
// of the IDC_ system cursors.
void RegisterControlClass(LPCSTR name, WNDPROC procedure, UINT style, LPCSTR cursor);

// Each control module's registration, called by InitCommonControls.
void RegisterStaticClass();
void RegisterButtonClass();
void RegisterEditClass();
void RegisterListBoxClass();
void RegisterComboBoxClasses();
void RegisterScrollBarClass();
void RegisterProgressClass();
void RegisterTabControlClass();
void RegisterToolbarClasses();
void RegisterMenuClasses();

// --- text and fonts -----------------------------------------------------------------
std::string TextOf(HWND window);
HFONT FontOr(HFONT font);  // the default GUI font for null
// Height of a line of text in the font.
int LineHeight(HFONT font);
int TextWidth(HDC dc, const std::string& text);

// --- notifications ------------------------------------------------------------------
void NotifyCommand(HWND control, UINT code);
LRESULT NotifyParent(HWND control, UINT code, NMHDR* header);
bool HasStyle(HWND window, DWORD style);
DWORD StyleOf(HWND window);

// --- drawing ------------------------------------------------------------------------
void Fill(HDC dc, const RECT& rect, COLORREF colour);
// Two-pixel 3D edge: raised (buttons) or sunken (edits, lists, check boxes).
void DrawEdge3D(HDC dc, const RECT& rect, bool sunken);
void DrawFlatFrame(HDC dc, const RECT& rect, COLORREF colour);
// A dotted rectangle around a focused control's caption.
void DrawFocusFrame(HDC dc, const RECT& rect);
// A tick for check boxes and checked menu items, centred in `box`.
void DrawCheckMark(HDC dc, const RECT& box, COLORREF colour);
// A solid triangle pointing down/up/left/right, centred in `box`.
enum class Arrow { Up, Down, Left, Right };
void DrawArrow(HDC dc, const RECT& box, Arrow direction, COLORREF colour);

// The colours a control paints with, asked from its parent by WM_CTLCOLOR*:
// the parent may change the text colour and background mode of `dc` and
// answer a brush; without an answer the control's own defaults hold.
class PaintColours {
 public:
  PaintColours(HWND control, HDC dc, UINT message);
  ~PaintColours();
  PaintColours(const PaintColours&) = delete;
  PaintColours& operator=(const PaintColours&) = delete;
  HBRUSH Brush() const { return brush_; }

 private:
  HBRUSH brush_ = nullptr;
  HBRUSH owned_ = nullptr;
};

// A paint scope: BeginPaint/EndPaint with the control's font selected.
class ControlPaint {
 public:
  ControlPaint(HWND window, HFONT font);
  ~ControlPaint();
  ControlPaint(const ControlPaint&) = delete;
  ControlPaint& operator=(const ControlPaint&) = delete;
  HDC Dc() const { return dc_; }
  const RECT& Client() const { return client_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
  RECT client_{};
};

}  // namespace platform::controls
