// The edit control: single-line (scrolling sideways with ES_AUTOHSCROLL,
// else refusing text wider than the box) and multi-line (lines end in CR LF,
// no word wrap; it scrolls to keep the caret in view). Text is Windows-1252
// bytes; positions are byte offsets.
//
// State: the text, the selection as an anchor and a caret end, the limit,
// the scroll offsets and one level of undo. Typing, Backspace, Delete,
// arrows/Home/End (with Shift to select), mouse selection with capture, and
// the clipboard keys (Ctrl+C/V/X, Ctrl+Insert, Shift+Insert, Shift+Delete)
// act on it. A file name's character held escaped (Windows1252.h) is one
// character there: the caret steps over it whole, and no cut or selection
// splits it.
// A change by the user or the program sends EN_UPDATE then EN_CHANGE; WM_SETTEXT of a multi-line edit sends neither. A refused key
// beeps: read-only, limit reached (also EN_MAXTEXT), a non-digit in an
// ES_NUMBER edit.
#include <algorithm>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/ControlSupport.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/System.h"
#include "platform/Windows1252.h"

namespace platform::controls {
namespace {

constexpr int kMargin = 2;
constexpr std::size_t kDefaultLimit = 30000;

struct EditState {
  HFONT font = nullptr;
  std::string text;
  std::size_t anchor = 0;
  std::size_t caret = 0;
  std::size_t limit = kDefaultLimit;
  int scrollX = 0;       // pixels
  int firstLine = 0;     // multi-line: the top line shown
  bool focused = false;
  bool selecting = false;  // mouse drag with capture
  bool modified = false;
  bool canUndo = false;
  std::string undoText;
  std::size_t undoCaret = 0;
};

std::shared_ptr<EditState> StateOf(HWND window) { return StatesOf<EditState>().Find(window); }

bool Multi(HWND window) { return (StyleOf(window) & ES_MULTILINE) != 0; }

std::size_t SelStart(const EditState& s) { return std::min(s.anchor, s.caret); }
std::size_t SelEnd(const EditState& s) { return std::max(s.anchor, s.caret); }

// --- lines -------------------------------------------------------------------------------

struct Line {
  std::size_t start;
  std::size_t end;  // before the CR LF
};

std::vector<Line> LinesOf(const std::string& text, bool multi) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (multi) {
    std::size_t found = text.find("\r\n", start);
    if (found == std::string::npos) break;
    lines.push_back(Line{start, found});
    start = found + 2;
  }
  lines.push_back(Line{start, text.size()});
  return lines;
}

int LineOf(const std::vector<Line>& lines, std::size_t position) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (position <= lines[i].end) return static_cast<int>(i);
  return static_cast<int>(lines.size()) - 1;
}

// The text as shown: stars for passwords.
std::string Shown(HWND window, const std::string& text) {
  if ((StyleOf(window) & ES_PASSWORD) != 0) return std::string(text.size(), '*');
  return text;
}

// --- measuring -----------------------------------------------------------------------------

struct Measure {
  HDC dc;
  HGDIOBJ old;
  HWND window;
  int lineHeight;
  Measure(HWND w, HFONT font) : dc(GetDC(w)), old(SelectObject(dc, FontOr(font))), window(w) {
    TEXTMETRIC metrics{};
    GetTextMetrics(dc, &metrics);
    lineHeight = std::max<int>(metrics.tmHeight, 1);
  }
  ~Measure() {
    SelectObject(dc, old);
    ReleaseDC(window, dc);
  }
  int Width(const std::string& text, std::size_t from, std::size_t to) const {
    return TextWidth(dc, text.substr(from, to - from));
  }
};

POINT CaretPoint(HWND window, const EditState& s, const Measure& m) {
  std::string shown = Shown(window, s.text);
  auto lines = LinesOf(shown, Multi(window));
  int line = LineOf(lines, s.caret);
  int x = kMargin + m.Width(shown, lines[line].start, s.caret) - s.scrollX;
  int y = 1 + (line - s.firstLine) * m.lineHeight;
  return POINT{x, y};
}

std::size_t PositionAt(HWND window, const EditState& s, const Measure& m, int x, int y) {
  std::string shown = Shown(window, s.text);
  auto lines = LinesOf(shown, Multi(window));
  int line = std::clamp((y - 1) / std::max(m.lineHeight, 1) + s.firstLine, 0, static_cast<int>(lines.size()) - 1);
  if (y < 0 && Multi(window)) line = std::max(s.firstLine - 1, 0);
  int target = x - kMargin + s.scrollX;
  std::size_t best = lines[line].start;
  for (std::size_t p = lines[line].start; p <= lines[line].end; ++p) {
    int width = m.Width(shown, lines[line].start, p);
    if (p > lines[line].start) {
      int previous = m.Width(shown, lines[line].start, p - 1);
      if (target < (previous + width) / 2) break;
    }
    best = p;
  }
  return best;
}

// Scrolls so that the caret is in view and puts the caret there.
void ShowCaretAt(HWND window, EditState& s) {
  Measure m(window, s.font);
  RECT client{};
  GetClientRect(window, &client);
  std::string shown = Shown(window, s.text);
  auto lines = LinesOf(shown, Multi(window));
  int line = LineOf(lines, s.caret);
  int x = kMargin + m.Width(shown, lines[line].start, s.caret);
  int visibleWidth = std::max<int>(client.right - 2 * kMargin, 1);
  int oldX = s.scrollX, oldLine = s.firstLine;
  if (x - s.scrollX > kMargin + visibleWidth) s.scrollX = x - kMargin - visibleWidth + visibleWidth / 4;
  if (x - s.scrollX < kMargin) s.scrollX = std::max(0, x - kMargin - visibleWidth / 4);
  int visibleLines = std::max<int>((client.bottom - 2) / m.lineHeight, 1);
  if (line < s.firstLine) s.firstLine = line;
  if (line >= s.firstLine + visibleLines) s.firstLine = line - visibleLines + 1;
  if (oldX != s.scrollX || oldLine != s.firstLine) InvalidateRect(window, nullptr, FALSE);
  if (s.focused) {
    POINT point = CaretPoint(window, s, m);
    SetCaretPos(point.x, point.y);
  }
}

// --- changing the text ------------------------------------------------------------------------

void Changed(HWND window, EditState& s, bool notify) {
  s.modified = true;
  // The window core keeps a copy of the text for those who read it directly.
  DefWindowProc(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.text.c_str()));
  InvalidateRect(window, nullptr, FALSE);
  ShowCaretAt(window, s);
  if (!notify) return;
  NotifyCommand(window, EN_UPDATE);
  NotifyCommand(window, EN_CHANGE);
}

std::string Filtered(HWND window, std::string text) {
  DWORD style = StyleOf(window);
  for (char& c : text) {
    if ((style & ES_UPPERCASE) != 0 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if ((style & ES_LOWERCASE) != 0 && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if ((style & ES_MULTILINE) == 0) {
    std::size_t end = text.find_first_of("\r\n");
    if (end != std::string::npos) text.erase(end);
  }
  return text;
}

bool FitsWidth(HWND window, const EditState& s, const std::string& candidate) {
  DWORD style = StyleOf(window);
  if ((style & (ES_AUTOHSCROLL | ES_MULTILINE)) != 0) return true;
  RECT client{};
  GetClientRect(window, &client);
  Measure m(window, s.font);
  std::string shown = Shown(window, candidate);
  return m.Width(shown, 0, shown.size()) <= client.right - 2 * kMargin;
}

// Replaces the selection by `inserted` (cut to the limit); false when
// nothing could be inserted and the selection was empty.
bool ReplaceSelection(HWND window, EditState& s, std::string inserted, bool user) {
  inserted = Filtered(window, std::move(inserted));
  std::size_t start = SelStart(s), end = SelEnd(s);
  std::size_t room = s.limit - std::min(s.limit, s.text.size() - (end - start));
  bool cut = inserted.size() > room;
  if (cut) inserted.resize(OutsideEscapedCharacter(inserted, room, false));
  std::string candidate = s.text.substr(0, start) + inserted + s.text.substr(end);
  if (user && !FitsWidth(window, s, candidate)) {
    MessageBeep(0);
    return false;
  }
  if (cut) {
    NotifyCommand(window, EN_MAXTEXT);
    if (inserted.empty() && start == end) {
      if (user) MessageBeep(0);
      return false;
    }
  }
  if (inserted.empty() && start == end) return false;
  s.undoText = s.text;
  s.undoCaret = s.caret;
  s.canUndo = true;
  s.text = std::move(candidate);
  s.anchor = s.caret = start + inserted.size();
  Changed(window, s, true);
  return true;
}

void SetSelection(HWND window, EditState& s, std::size_t anchor, std::size_t caret) {
  anchor = std::min(anchor, s.text.size());
  caret = std::min(caret, s.text.size());
  // Never leave a position between CR and LF, or inside an escaped byte.
  auto fix = [&](std::size_t p) {
    p = OutsideEscapedCharacter(s.text, p, true);
    return p > 0 && p < s.text.size() && s.text[p - 1] == '\r' && s.text[p] == '\n' ? p + 1 : p;
  };
  anchor = fix(anchor);
  caret = fix(caret);
  if (s.anchor == anchor && s.caret == caret) return;
  s.anchor = anchor;
  s.caret = caret;
  InvalidateRect(window, nullptr, FALSE);
  ShowCaretAt(window, s);
}

bool ReadOnly(HWND window) { return (StyleOf(window) & ES_READONLY) != 0; }

// --- clipboard ---------------------------------------------------------------------------------

void Copy(HWND window, const EditState& s) {
  if (SelStart(s) == SelEnd(s) || (StyleOf(window) & ES_PASSWORD) != 0) return;
  SetClipboardText(window, s.text.substr(SelStart(s), SelEnd(s) - SelStart(s)));
}

void Cut(HWND window, EditState& s) {
  if (ReadOnly(window)) {
    MessageBeep(0);
    return;
  }
  Copy(window, s);
  ReplaceSelection(window, s, "", true);
}

void Paste(HWND window, EditState& s) {
  if (ReadOnly(window)) {
    MessageBeep(0);
    return;
  }
  std::string text;
  if (GetClipboardText(window, &text)) ReplaceSelection(window, s, text, true);
}

// --- keys ------------------------------------------------------------------------------------

std::size_t MoveVertically(HWND window, const EditState& s, int lines) {
  Measure m(window, s.font);
  POINT point = CaretPoint(window, s, m);
  return PositionAt(window, s, m, point.x, point.y + lines * m.lineHeight + m.lineHeight / 2);
}

std::size_t Step(const EditState& s, std::size_t p, bool forward) {
  if (forward) {
    if (p >= s.text.size()) return p;
    if (const std::size_t escaped = EscapedCharacterLength(s.text, p); escaped != 0) return p + escaped;
    return s.text.compare(p, 2, "\r\n") == 0 ? p + 2 : p + 1;
  }
  if (p == 0) return 0;
  if (const std::size_t start = OutsideEscapedCharacter(s.text, p - 1, false); start != p - 1) return start;
  return p >= 2 && s.text.compare(p - 2, 2, "\r\n") == 0 ? p - 2 : p - 1;
}

LRESULT OnKeyDown(HWND window, WPARAM key) {
  auto s = StateOf(window);
  if (!s) return 0;
  bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  auto lines = LinesOf(s->text, Multi(window));
  int line = LineOf(lines, s->caret);
  std::size_t target = s->caret;
  bool collapse = !shift && SelStart(*s) != SelEnd(*s);
  switch (key) {
    case VK_LEFT: target = collapse ? SelStart(*s) : Step(*s, s->caret, false); break;
    case VK_RIGHT: target = collapse ? SelEnd(*s) : Step(*s, s->caret, true); break;
    case VK_HOME: target = control ? 0 : lines[line].start; break;
    case VK_END: target = control ? s->text.size() : lines[line].end; break;
    case VK_UP: if (!Multi(window)) return 0; target = MoveVertically(window, *s, -1); break;
    case VK_DOWN: if (!Multi(window)) return 0; target = MoveVertically(window, *s, 1); break;
    case VK_DELETE:
      if (shift) Cut(window, *s);
      else if (ReadOnly(window)) MessageBeep(0);
      else {
        if (SelStart(*s) == SelEnd(*s)) s->caret = Step(*s, s->caret, true);
        ReplaceSelection(window, *s, "", true);
      }
      return 0;
    case VK_INSERT:
      if (control) Copy(window, *s);
      else if (shift) Paste(window, *s);
      return 0;
    default: return 0;
  }
  SetSelection(window, *s, shift ? s->anchor : target, target);
  return 0;
}

LRESULT OnChar(HWND window, WPARAM wParam) {
  auto s = StateOf(window);
  if (!s) return 0;
  auto character = static_cast<unsigned char>(wParam);
  switch (character) {
    case 0x01: SetSelection(window, *s, 0, s->text.size()); return 0;  // Ctrl+A
    case 0x03: Copy(window, *s); return 0;
    case 0x16: Paste(window, *s); return 0;
    case 0x18: Cut(window, *s); return 0;
    case 0x1A: SendMessage(window, EM_UNDO, 0, 0); return 0;
    default: break;
  }
  if (character == '\r' && Multi(window)) {
    if (ReadOnly(window)) MessageBeep(0);
    else ReplaceSelection(window, *s, "\r\n", true);
    return 0;
  }
  if (character < 0x20 && character != '\b') return 0;
  if (ReadOnly(window)) {
    MessageBeep(0);
    return 0;
  }
  if (character == '\b') {
    if (SelStart(*s) == SelEnd(*s)) s->anchor = Step(*s, s->caret, false);
    ReplaceSelection(window, *s, "", true);
    return 0;
  }
  if ((StyleOf(window) & ES_NUMBER) != 0 && (character < '0' || character > '9')) {
    MessageBeep(0);
    return 0;
  }
  ReplaceSelection(window, *s, std::string(1, static_cast<char>(character)), true);
  return 0;
}

// --- mouse ---------------------------------------------------------------------------------

LRESULT OnLButtonDown(HWND window, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return 0;
  if (GetFocus() != window) SetFocus(window);
  std::size_t position = 0;
  {
    Measure m(window, s->font);
    position = PositionAt(window, *s, m, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  }
  bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  SetSelection(window, *s, shift ? s->anchor : position, position);
  s->selecting = true;
  SetCapture(window);
  return 0;
}

LRESULT OnMouseMove(HWND window, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s || !s->selecting) return 0;
  std::size_t position = 0;
  {
    Measure m(window, s->font);
    position = PositionAt(window, *s, m, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  }
  SetSelection(window, *s, s->anchor, position);
  return 0;
}

LRESULT OnLButtonUp(HWND window) {
  auto s = StateOf(window);
  if (!s || !s->selecting) return 0;
  s->selecting = false;
  if (GetCapture() == window) ReleaseCapture();
  return 0;
}

// --- focus ---------------------------------------------------------------------------------

LRESULT OnSetFocus(HWND window) {
  auto s = StateOf(window);
  if (!s) return 0;
  s->focused = true;
  CreateCaret(window, nullptr, 1, LineHeight(s->font));
  ShowCaretAt(window, *s);
  ShowCaret(window);
  InvalidateRect(window, nullptr, FALSE);
  NotifyCommand(window, EN_SETFOCUS);
  return 0;
}

LRESULT OnKillFocus(HWND window) {
  auto s = StateOf(window);
  if (!s) return 0;
  s->focused = false;
  s->selecting = false;
  DestroyCaret();
  InvalidateRect(window, nullptr, FALSE);
  NotifyCommand(window, EN_KILLFOCUS);
  return 0;
}

// --- painting ------------------------------------------------------------------------------

void PaintLine(HDC dc, const std::string& shown, const Line& line, int y, const EditState& s, bool showSelection) {
  std::size_t from = std::clamp(SelStart(s), line.start, line.end);
  std::size_t to = std::clamp(SelEnd(s), line.start, line.end);
  if (!showSelection) from = to = line.start;
  int x = kMargin - s.scrollX;
  auto segment = [&](std::size_t a, std::size_t b, bool selected) {
    if (a >= b) return;
    COLORREF oldText = 0, oldBack = 0;
    int oldMode = 0;
    if (selected) {
      oldText = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      oldBack = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
      oldMode = SetBkMode(dc, OPAQUE);
    }
    TextOut(dc, x, y, shown.c_str() + a, static_cast<int>(b - a));
    x += TextWidth(dc, shown.substr(a, b - a));
    if (selected) {
      SetTextColor(dc, oldText);
      SetBkColor(dc, oldBack);
      SetBkMode(dc, oldMode);
    }
  };
  segment(line.start, from, false);
  segment(from, to, true);
  segment(to, line.end, false);
}

LRESULT OnPaint(HWND window) {
  auto s = StateOf(window);
  if (!s) return 0;
  ControlPaint paint(window, s->font);
  HDC dc = paint.Dc();
  if (dc == nullptr) return 0;
  bool plain = ReadOnly(window) || !IsWindowEnabled(window);
  PaintColours colours(window, dc, plain ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  FillRect(dc, &paint.Client(), colours.Brush());
  SetBkMode(dc, TRANSPARENT);
  std::string shown = Shown(window, s->text);
  auto lines = LinesOf(shown, Multi(window));
  int lineHeight = LineHeight(s->font);
  bool showSelection = s->focused || (StyleOf(window) & ES_NOHIDESEL) != 0;
  for (int i = s->firstLine; i < static_cast<int>(lines.size()); ++i) {
    int y = 1 + (i - s->firstLine) * lineHeight;
    if (y > paint.Client().bottom) break;
    PaintLine(dc, shown, lines[static_cast<std::size_t>(i)], y, *s, showSelection);
  }
  return 0;
}

// --- messages ------------------------------------------------------------------------------

LRESULT OnSetText(HWND window, LPARAM lParam, bool notify) {
  auto s = StateOf(window);
  if (!s) return FALSE;
  const char* text = reinterpret_cast<const char*>(lParam);
  s->text = Filtered(window, text != nullptr ? text : "");
  if (s->text.size() > s->limit) s->text.resize(OutsideEscapedCharacter(s->text, s->limit, false));
  s->anchor = s->caret = 0;
  s->scrollX = 0;
  s->firstLine = 0;
  s->canUndo = false;
  Changed(window, *s, notify && !Multi(window));
  s->modified = false;
  return TRUE;
}

// The creation text arrives without notifications: nobody changed it yet.
LRESULT OnCreate(HWND window, const CREATESTRUCT* create) {
  return OnSetText(window, reinterpret_cast<LPARAM>(create->lpszName), false) ? 0 : -1;
}

LRESULT OnGetText(HWND window, WPARAM size, LPARAM buffer) {
  auto s = StateOf(window);
  auto* out = reinterpret_cast<char*>(buffer);
  if (!s || out == nullptr || size == 0) return 0;
  std::size_t count = std::min<std::size_t>(s->text.size(), size - 1);
  s->text.copy(out, count);
  out[count] = '\0';
  return static_cast<LRESULT>(count);
}

LRESULT OnGetTextLength(HWND window) {
  auto s = StateOf(window);
  return s ? static_cast<LRESULT>(s->text.size()) : 0;
}

LRESULT OnSetSel(HWND window, WPARAM start, LPARAM end) {
  auto s = StateOf(window);
  if (!s) return 0;
  auto first = static_cast<LONG_PTR>(static_cast<int>(start));
  auto last = static_cast<LONG_PTR>(static_cast<int>(end));
  if (first < 0) {
    SetSelection(window, *s, s->caret, s->caret);
    return 0;
  }
  std::size_t size = s->text.size();
  std::size_t a = static_cast<std::size_t>(first);
  std::size_t b = last < 0 ? size : static_cast<std::size_t>(last);
  SetSelection(window, *s, std::min(a, b), std::max(a, b));
  return 0;
}

LRESULT OnGetSel(HWND window, WPARAM startOut, LPARAM endOut) {
  auto s = StateOf(window);
  if (!s) return 0;
  auto start = static_cast<DWORD>(SelStart(*s)), end = static_cast<DWORD>(SelEnd(*s));
  if (auto* out = reinterpret_cast<DWORD*>(startOut)) *out = start;
  if (auto* out = reinterpret_cast<DWORD*>(endOut)) *out = end;
  return static_cast<LRESULT>(MAKELPARAM(start, end));
}

LRESULT OnReplaceSel(HWND window, LPARAM text) {
  auto s = StateOf(window);
  if (s) ReplaceSelection(window, *s, text != 0 ? reinterpret_cast<const char*>(text) : "", false);
  return 0;
}

LRESULT OnLimitText(HWND window, WPARAM limit) {
  if (auto s = StateOf(window)) s->limit = limit == 0 ? 0x7FFFFFFE : static_cast<std::size_t>(limit);
  return 0;
}

LRESULT OnGetLimitText(HWND window) {
  auto s = StateOf(window);
  return s ? static_cast<LRESULT>(s->limit) : 0;
}

LRESULT OnUndo(HWND window) {
  auto s = StateOf(window);
  if (!s || !s->canUndo) return FALSE;
  std::swap(s->text, s->undoText);
  std::swap(s->caret, s->undoCaret);
  s->caret = std::min(s->caret, s->text.size());
  s->anchor = s->caret;
  Changed(window, *s, true);
  return TRUE;
}

LRESULT OnLineMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto s = StateOf(window);
  if (!s) return 0;
  auto lines = LinesOf(s->text, Multi(window));
  auto count = static_cast<int>(lines.size());
  int index = static_cast<int>(static_cast<LONG_PTR>(static_cast<int>(wParam)));
  switch (message) {
    case EM_GETLINECOUNT: return count;
    case EM_LINEFROMCHAR: return LineOf(lines, index < 0 ? s->caret : static_cast<std::size_t>(index));
    case EM_LINEINDEX:
      if (index < 0) index = LineOf(lines, s->caret);
      return index < count ? static_cast<LRESULT>(lines[static_cast<std::size_t>(index)].start) : -1;
    case EM_LINELENGTH: {
      int line = index < 0 ? LineOf(lines, s->caret) : LineOf(lines, static_cast<std::size_t>(index));
      return static_cast<LRESULT>(lines[static_cast<std::size_t>(line)].end - lines[static_cast<std::size_t>(line)].start);
    }
    case EM_GETLINE: {
      if (index < 0 || index >= count || lParam == 0) return 0;
      auto* buffer = reinterpret_cast<char*>(lParam);
      std::size_t room = *reinterpret_cast<WORD*>(buffer);
      const Line& line = lines[static_cast<std::size_t>(index)];
      std::size_t copied = std::min(room, line.end - line.start);
      s->text.copy(buffer, copied, line.start);
      return static_cast<LRESULT>(copied);
    }
    default: return 0;
  }
}

LRESULT OnSetReadOnly(HWND window, WPARAM readOnly) {
  DWORD style = StyleOf(window);
  style = readOnly != 0 ? (style | ES_READONLY) : (style & ~ES_READONLY);
  SetWindowLongPtr(window, GWL_STYLE, static_cast<LONG_PTR>(style));
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

LRESULT OnClipboardMessage(HWND window, UINT message) {
  auto s = StateOf(window);
  if (!s) return 0;
  switch (message) {
    case WM_COPY: Copy(window, *s); break;
    case WM_CUT: Cut(window, *s); break;
    case WM_PASTE: Paste(window, *s); break;
    case WM_CLEAR: if (!ReadOnly(window)) ReplaceSelection(window, *s, "", false); break;
    default: break;
  }
  return 0;
}

LRESULT OnGetDlgCode(HWND window) {
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if (Multi(window)) code |= DLGC_WANTALLKEYS;
  return code;
}

LRESULT OnSetFont(HWND window, WPARAM font, LPARAM redraw) {
  auto s = StateOf(window);
  if (!s) return 0;
  s->font = reinterpret_cast<HFONT>(font);
  if (s->focused) {
    CreateCaret(window, nullptr, 1, LineHeight(s->font));
    ShowCaretAt(window, *s);
    ShowCaret(window);
  }
  if (redraw != 0) InvalidateRect(window, nullptr, TRUE);
  return 0;
}

LRESULT OnGetFont(HWND window) {
  auto s = StateOf(window);
  return s ? reinterpret_cast<LRESULT>(s->font) : 0;
}

LRESULT OnModify(HWND window, UINT message, WPARAM value) {
  auto s = StateOf(window);
  if (!s) return 0;
  if (message == EM_SETMODIFY) s->modified = value != 0;
  return s->modified ? TRUE : FALSE;
}

LRESULT OnCanUndo(HWND window) {
  auto s = StateOf(window);
  return s && s->canUndo ? TRUE : FALSE;
}

LRESULT OnScrollCaret(HWND window) {
  if (auto s = StateOf(window)) ShowCaretAt(window, *s);
  return TRUE;
}

LRESULT EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: StatesOf<EditState>().Create(window); return DefWindowProc(window, message, wParam, lParam);
    case WM_CREATE: return OnCreate(window, reinterpret_cast<const CREATESTRUCT*>(lParam));
    case WM_NCDESTROY: StatesOf<EditState>().Remove(window); return 0;
    case WM_PAINT: return OnPaint(window);
    case WM_ERASEBKGND: return 1;
    case WM_SETTEXT: return OnSetText(window, lParam, true);
    case WM_GETTEXT: return OnGetText(window, wParam, lParam);
    case WM_GETTEXTLENGTH: return OnGetTextLength(window);
    case WM_KEYDOWN: return OnKeyDown(window, wParam);
    case WM_CHAR: return OnChar(window, wParam);
    case WM_LBUTTONDOWN: return OnLButtonDown(window, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(window, lParam);
    case WM_LBUTTONUP: return OnLButtonUp(window);
    case WM_SETFOCUS: return OnSetFocus(window);
    case WM_KILLFOCUS: return OnKillFocus(window);
    case WM_ENABLE: InvalidateRect(window, nullptr, TRUE); return 0;
    case WM_SETFONT: return OnSetFont(window, wParam, lParam);
    case WM_GETFONT: return OnGetFont(window);
    case WM_GETDLGCODE: return OnGetDlgCode(window);
    case WM_COPY: case WM_CUT: case WM_PASTE: case WM_CLEAR: return OnClipboardMessage(window, message);
    case WM_UNDO: case EM_UNDO: return OnUndo(window);
    case EM_SETSEL: return OnSetSel(window, wParam, lParam);
    case EM_GETSEL: return OnGetSel(window, wParam, lParam);
    case EM_REPLACESEL: return OnReplaceSel(window, lParam);
    case EM_LIMITTEXT: return OnLimitText(window, wParam);
    case EM_GETLIMITTEXT: return OnGetLimitText(window);
    case EM_SETREADONLY: return OnSetReadOnly(window, wParam);
    case EM_GETMODIFY: case EM_SETMODIFY: return OnModify(window, message, wParam);
    case EM_CANUNDO: return OnCanUndo(window);
    case EM_SCROLLCARET: return OnScrollCaret(window);
    case EM_GETLINECOUNT: case EM_LINEFROMCHAR: case EM_LINEINDEX: case EM_LINELENGTH: case EM_GETLINE:
      return OnLineMessage(window, message, wParam, lParam);
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterEditClass() { RegisterControlClass(WC_EDIT, EditProcedure, 0, IDC_IBEAM); }

}  // namespace platform::controls
