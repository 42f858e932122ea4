// The menu loop: popup windows, the menu bar's highlight, and the keys and
// mouse input that move through them until a command is chosen or the menu
// is cancelled.
//
// A Session is one loop on the calling thread: the owner, the bar (for
// menu-bar loops) and a stack of open popups (Level), each a window of the
// "#32768" class that paints its menu from the session. The loop holds the
// mouse capture on the owner's root window, so every press and move comes
// back to it; keys are read before anything else sees them. Other messages
// (paints, timers, the program's posts) are dispatched as usual. Popups take
// no activation (they answer WM_MOUSEACTIVATE with MA_NOACTIVATE) and never
// the focus, so the owner stays active with its focus throughout.
//
// The menu ends when its window stops being the active one (another frame
// activated by a click on its title, by a pager, by a dialog): a menu left
// on the screen would no longer answer, and the next menu would open beside
// it. The end is seen by the loop before it reads another message, which
// belongs to the window activated now.
//
// Start reading at RunLoop.
#include <algorithm>
#include <cctype>

#include "platform/ControlSupport.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/MenuInternal.h"
#include "platform/Paint.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "platform/WindowCore.h"

namespace platform::menus {
namespace {

constexpr LPCSTR kPopupClass = "#32768";
constexpr int kCheckArea = 20;
constexpr int kArrowArea = 16;
constexpr int kShortcutGap = 24;
constexpr int kSeparatorHeight = 8;
constexpr int kBarItemPadding = 8;
constexpr int kPopupMargin = 2;  // between a popup's border and its rows, so a highlight never touches it

struct Level {
  HMENU menu = nullptr;
  HWND window = nullptr;
  int hot = -1;
  PopupLayout layout;
};

struct Session {
  HWND owner = nullptr;
  HWND root = nullptr;
  UINT flags = 0;
  HMENU bar = nullptr;  // menu-bar loops only
  int barHot = -1;
  std::vector<Level> levels;
  bool done = false;
  bool chose = false;
  UINT_PTR command = 0;
};

thread_local Session* current = nullptr;

bool Enabled(const MenuItem& item) { return (item.flags & (MF_GRAYED | MF_DISABLED)) == 0; }
bool Separator(const MenuItem& item) { return (item.flags & MF_SEPARATOR) != 0; }
bool Popup(const MenuItem& item) { return (item.flags & MF_POPUP) != 0; }

void Notify(const Session& s, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((s.flags & TPM_NONOTIFY) == 0 && IsWindow(s.owner)) SendMessage(s.owner, message, wParam, lParam);
}

int ItemHeight() { return controls::LineHeight(nullptr) + 6; }

int LabelWidth(HDC dc, const std::string& label) {
  RECT box{0, 0, 0, 0};
  DrawText(dc, label.c_str(), static_cast<int>(label.size()), &box, DT_SINGLELINE | DT_CALCRECT);
  return box.right - box.left;
}

// --- popups --------------------------------------------------------------------------------

void CloseFrom(Session& s, std::size_t level) {
  while (s.levels.size() > level) {
    HWND window = s.levels.back().window;
    s.levels.pop_back();
    if (window != nullptr) DestroyWindow(window);
  }
}

void SetHot(Session& s, std::size_t level, int hot) {
  Level& entry = s.levels[level];
  if (entry.hot == hot) return;
  entry.hot = hot;
  InvalidateRect(entry.window, nullptr, FALSE);
  std::vector<MenuItem> items = ItemsOf(entry.menu);
  if (hot < 0 || hot >= static_cast<int>(items.size())) return;
  const MenuItem& item = items[static_cast<std::size_t>(hot)];
  UINT flags = (item.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR)) | MF_HILITE;
  UINT key = Popup(item) ? static_cast<UINT>(hot) : static_cast<UINT>(item.id);
  Notify(s, WM_MENUSELECT, MAKEWPARAM(key, flags), reinterpret_cast<LPARAM>(entry.menu));
}

POINT Placed(const Session& s, SIZE size, POINT at, UINT flags) {
  (void)s;
  if ((flags & TPM_RIGHTALIGN) != 0) at.x -= size.cx;
  else if ((flags & TPM_CENTERALIGN) != 0) at.x -= size.cx / 2;
  if ((flags & TPM_BOTTOMALIGN) != 0) at.y -= size.cy;
  else if ((flags & TPM_VCENTERALIGN) != 0) at.y -= size.cy / 2;
  at.x = std::clamp<LONG>(at.x, 0, std::max<LONG>(GetSystemMetrics(SM_CXSCREEN) - size.cx, 0));
  at.y = std::clamp<LONG>(at.y, 0, std::max<LONG>(GetSystemMetrics(SM_CYSCREEN) - size.cy, 0));
  return at;
}

// Opens `menu` as the next level at a screen point (its window's top-left,
// after alignment); `parentIndex` is its position in the menu above.
void Open(Session& s, HMENU menu, int parentIndex, POINT at, UINT align) {
  Notify(s, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(static_cast<unsigned>(parentIndex), 0));
  if (!Exists(menu) || s.done) return;
  Level level;
  level.menu = menu;
  level.layout = LayoutPopup(menu);
  SIZE outer{level.layout.size.cx + 2, level.layout.size.cy + 2};
  POINT placed = Placed(s, outer, at, align);
  level.window = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPopupClass, "", WS_POPUP | WS_BORDER, placed.x,
                                placed.y, outer.cx, outer.cy, s.root, nullptr, nullptr, nullptr);
  if (level.window == nullptr) return;
  s.levels.push_back(level);
  ShowWindow(level.window, SW_SHOWNA);
}

int FirstSelectable(const std::vector<MenuItem>& items) {
  for (std::size_t i = 0; i < items.size(); ++i)
    if (!Separator(items[i])) return static_cast<int>(i);
  return -1;
}

// Opens the popup of item `index` of the top level (to its right).
void OpenSubmenu(Session& s, int index, bool keyboard) {
  std::size_t depth = s.levels.size() - 1;
  std::vector<MenuItem> items = ItemsOf(s.levels[depth].menu);
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  const MenuItem& item = items[static_cast<std::size_t>(index)];
  if (!Popup(item) || !Enabled(item)) return;
  RECT frame{};
  GetWindowRect(s.levels[depth].window, &frame);
  const RECT& row = s.levels[depth].layout.rows[static_cast<std::size_t>(index)];
  POINT at{frame.right - 2, frame.top + row.top};
  SIZE size = LayoutPopup(item.popup).size;
  if (at.x + size.cx + 2 > GetSystemMetrics(SM_CXSCREEN)) at.x = frame.left - size.cx;
  Open(s, item.popup, index, at, TPM_LEFTALIGN);
  if (keyboard && s.levels.size() > depth + 1) SetHot(s, depth + 1, FirstSelectable(ItemsOf(item.popup)));
}

// --- the bar ----------------------------------------------------------------------------------

void InvalidateBar(const Session& s) {
  if (s.bar != nullptr) DrawMenuBar(s.root);
}

void OpenBarItem(Session& s, int index, bool keyboard) {
  std::vector<MenuItem> items = ItemsOf(s.bar);
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  CloseFrom(s, 0);
  s.barHot = index;
  InvalidateBar(s);
  const MenuItem& item = items[static_cast<std::size_t>(index)];
  UINT key = Popup(item) ? static_cast<UINT>(index) : static_cast<UINT>(item.id);
  Notify(s, WM_MENUSELECT, MAKEWPARAM(key, (item.flags & (MF_GRAYED | MF_POPUP)) | MF_HILITE),
         reinterpret_cast<LPARAM>(s.bar));
  if (!Popup(item) || !Enabled(item)) return;
  RECT bar = BarScreenRect(s.root);
  std::vector<RECT> rects = LayoutBar(s.root, s.bar);
  const RECT& r = rects[static_cast<std::size_t>(index)];
  Open(s, item.popup, index, POINT{bar.left + r.left, bar.top + r.bottom}, TPM_LEFTALIGN);
  if (keyboard && !s.levels.empty()) SetHot(s, 0, FirstSelectable(ItemsOf(item.popup)));
}

void MoveBar(Session& s, int step) {
  int count = static_cast<int>(ItemsOf(s.bar).size());
  if (count == 0) return;
  bool wasOpen = !s.levels.empty();
  int next = ((s.barHot < 0 ? 0 : s.barHot) + step + count) % count;
  if (wasOpen) OpenBarItem(s, next, true);
  else {
    s.barHot = next;
    InvalidateBar(s);
  }
}

// --- choosing ----------------------------------------------------------------------------------

void Execute(Session& s, std::size_t level, int index, bool keyboard) {
  std::vector<MenuItem> items = ItemsOf(s.levels[level].menu);
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  const MenuItem& item = items[static_cast<std::size_t>(index)];
  if (Separator(item) || !Enabled(item)) return;
  if (Popup(item)) {
    CloseFrom(s, level + 1);
    OpenSubmenu(s, index, keyboard);
    return;
  }
  s.command = item.id;
  s.chose = true;
  s.done = true;
}

void ExecuteBarItem(Session& s, int index) {
  std::vector<MenuItem> items = ItemsOf(s.bar);
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  const MenuItem& item = items[static_cast<std::size_t>(index)];
  if (Popup(item)) {
    OpenBarItem(s, index, true);
  } else if (Enabled(item) && !Separator(item)) {
    s.command = item.id;
    s.chose = true;
    s.done = true;
  }
}

int MoveInLevel(const std::vector<MenuItem>& items, int from, int step) {
  int count = static_cast<int>(items.size());
  for (int i = 1; i <= count; ++i) {
    int candidate = ((from < 0 ? (step > 0 ? -1 : 0) : from) + step * i + count * 2) % count;
    if (!Separator(items[static_cast<std::size_t>(candidate)])) return candidate;
  }
  return -1;
}

// The items of `items` whose access letter is `letter`, in menu order.
std::vector<int> ItemsWithLetter(const std::vector<MenuItem>& items, char letter) {
  std::vector<int> found;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (!Separator(items[i]) && MnemonicOf(items[i].text) == letter) found.push_back(static_cast<int>(i));
  return found;
}

// A letter that one item owns chooses that item. A letter that several
// items share only moves to the next of them after the highlighted one
// (round to the first), so that each can be reached; Enter chooses.
void OnMnemonic(Session& s, char letter) {
  letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  bool inBar = s.levels.empty();
  std::vector<MenuItem> items = inBar ? ItemsOf(s.bar) : ItemsOf(s.levels.back().menu);
  const std::vector<int> found = ItemsWithLetter(items, letter);
  if (found.empty()) {
    MessageBeep(0);
    return;
  }
  const int hot = inBar ? s.barHot : s.levels.back().hot;
  int next = found.front();
  for (int index : found)
    if (index > hot) {
      next = index;
      break;
    }
  if (inBar) {
    if (found.size() > 1 && !Popup(items[static_cast<std::size_t>(next)])) {
      s.barHot = next;
      InvalidateBar(s);
      return;
    }
    ExecuteBarItem(s, next);
  } else if (found.size() > 1) {
    SetHot(s, s.levels.size() - 1, next);
  } else {
    SetHot(s, s.levels.size() - 1, next);
    Execute(s, s.levels.size() - 1, next, true);
  }
}

void OnKey(Session& s, UINT key) {
  bool inBar = s.levels.empty();
  std::size_t top = s.levels.size() - 1;
  switch (key) {
    case VK_MENU: case VK_F10: s.done = true; return;
    case VK_ESCAPE:
      // Escape closes the submenu it is pressed in; on the first popup (or
      // the bar) it ends the menu. Left in the bar, the keyboard would stay
      // with the menu and the letters typed next would choose its commands.
      if (s.levels.size() > 1) CloseFrom(s, top);
      else s.done = true;
      return;
    case VK_UP: case VK_DOWN:
      if (inBar) {
        if (s.bar != nullptr) OpenBarItem(s, std::max(s.barHot, 0), true);
        return;
      }
      SetHot(s, top, MoveInLevel(ItemsOf(s.levels[top].menu), s.levels[top].hot, key == VK_DOWN ? 1 : -1));
      return;
    case VK_RIGHT: {
      if (!inBar) {
        std::vector<MenuItem> items = ItemsOf(s.levels[top].menu);
        int hot = s.levels[top].hot;
        if (hot >= 0 && hot < static_cast<int>(items.size()) && Popup(items[static_cast<std::size_t>(hot)]) &&
            Enabled(items[static_cast<std::size_t>(hot)])) {
          OpenSubmenu(s, hot, true);
          return;
        }
      }
      if (s.bar != nullptr) MoveBar(s, 1);
      return;
    }
    case VK_LEFT:
      if (s.levels.size() > 1) CloseFrom(s, top);
      else if (s.bar != nullptr) MoveBar(s, -1);
      return;
    case VK_RETURN:
      if (inBar) ExecuteBarItem(s, std::max(s.barHot, 0));
      else Execute(s, top, s.levels[top].hot, true);
      return;
    default: return;
  }
}

// --- mouse -------------------------------------------------------------------------------------

struct Spot {
  int level = -1;  // -1: not on a popup
  int row = -1;
  int barItem = -1;
};

Spot SpotAt(const Session& s, POINT screen) {
  Spot spot;
  for (int i = static_cast<int>(s.levels.size()) - 1; i >= 0; --i) {
    const Level& level = s.levels[static_cast<std::size_t>(i)];
    RECT frame{};
    GetWindowRect(level.window, &frame);
    if (screen.x < frame.left || screen.x >= frame.right || screen.y < frame.top || screen.y >= frame.bottom) continue;
    spot.level = i;
    POINT client = screen;
    ScreenToClient(level.window, &client);
    for (std::size_t row = 0; row < level.layout.rows.size(); ++row) {
      const RECT& r = level.layout.rows[row];
      if (client.y >= r.top && client.y < r.bottom && client.x >= r.left && client.x < r.right) spot.row = static_cast<int>(row);
    }
    return spot;
  }
  if (s.bar != nullptr) {
    RECT bar = BarScreenRect(s.root);
    std::vector<RECT> rects = LayoutBar(s.root, s.bar);
    for (std::size_t i = 0; i < rects.size(); ++i) {
      RECT r{bar.left + rects[i].left, bar.top + rects[i].top, bar.left + rects[i].right, bar.top + rects[i].bottom};
      if (screen.x >= r.left && screen.x < r.right && screen.y >= r.top && screen.y < r.bottom) spot.barItem = static_cast<int>(i);
    }
  }
  return spot;
}

void OnMouse(Session& s, const MSG& message) {
  POINT screen{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
  ClientToScreen(message.hwnd, &screen);
  Spot spot = SpotAt(s, screen);
  bool press = message.message == WM_LBUTTONDOWN || message.message == WM_RBUTTONDOWN;
  bool release = message.message == WM_LBUTTONUP || message.message == WM_RBUTTONUP;
  if (spot.barItem >= 0) {
    bool open = !s.levels.empty() && s.barHot == spot.barItem;
    if (press && open) s.done = true;
    else if (press || (message.message == WM_MOUSEMOVE && !s.levels.empty() && s.barHot != spot.barItem))
      OpenBarItem(s, spot.barItem, false);
    else if (release && ItemsOf(s.bar).size() > static_cast<std::size_t>(spot.barItem) &&
             !Popup(ItemsOf(s.bar)[static_cast<std::size_t>(spot.barItem)]))
      ExecuteBarItem(s, spot.barItem);
    return;
  }
  if (spot.level < 0) {
    if (press) s.done = true;
    return;
  }
  auto level = static_cast<std::size_t>(spot.level);
  if (message.message == WM_MOUSEMOVE && spot.row >= 0 && spot.row != s.levels[level].hot) {
    CloseFrom(s, level + 1);
    SetHot(s, level, spot.row);
    std::vector<MenuItem> items = ItemsOf(s.levels[level].menu);
    if (Popup(items[static_cast<std::size_t>(spot.row)])) OpenSubmenu(s, spot.row, false);
  } else if (press && spot.row >= 0) {
    SetHot(s, level, spot.row);
  } else if (release && spot.row >= 0) {
    std::vector<MenuItem> items = ItemsOf(s.levels[level].menu);
    if (!Popup(items[static_cast<std::size_t>(spot.row)])) Execute(s, level, spot.row, false);
  }
}

// --- the loop -------------------------------------------------------------------------------------

bool IsKey(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }
bool IsMouse(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEWHEEL; }

void Handle(Session& s, const MSG& message) {
  if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) OnKey(s, static_cast<UINT>(message.wParam));
  else if (message.message == WM_CHAR || message.message == WM_SYSCHAR) {
    auto character = static_cast<unsigned char>(message.wParam);
    if (character > ' ') OnMnemonic(s, static_cast<char>(character));
  } else if (IsMouse(message.message)) OnMouse(s, message);
}

std::string ModalName(const Session& s, HMENU menu) {
  if (s.bar != nullptr) return "menu bar";
  std::vector<MenuItem> items = ItemsOf(menu);
  return items.empty() || Separator(items.front()) ? std::string() : PlainLabel(items.front().text);
}

void RunLoop(Session& s, HMENU first) {
  Session* outer = current;
  current = &s;
  SetCapture(s.root);
  HWND modal = s.levels.empty() ? s.root : s.levels.back().window;
  if (!ModalLoopStarting(ModalKind::PopupMenu, ModalName(s, first), modal)) s.done = true;
  while (!s.done) {
    MSG message;
    if (!Retrieve(&message, nullptr, 0, 0, true, false, -1, &s.done)) {
      if (s.done || ModalLoopIdle(s.levels.empty() ? s.root : s.levels.back().window)) break;
      Retrieve(&message, nullptr, 0, 0, false, true, -1, &s.done);
      continue;
    }
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (IsKey(message.message)) {
      // Only letters become characters (mnemonics); Enter and Escape must
      // not leave a character behind for the window under the menu.
      auto key = static_cast<UINT>(message.wParam);
      if (key != VK_RETURN && key != VK_ESCAPE && key != VK_TAB && key != VK_BACK) TranslateMessage(&message);
      Handle(s, message);
    } else if (IsMouse(message.message)) {
      Handle(s, message);
    } else {
      DispatchMessage(&message);
    }
    if (!IsWindow(s.owner)) break;
  }
  CloseFrom(s, 0);
  s.barHot = -1;
  InvalidateBar(s);
  if (GetCapture() == s.root) ReleaseCapture();
  current = outer;
  Notify(s, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  Notify(s, WM_EXITMENULOOP, s.bar == nullptr ? TRUE : FALSE, 0);
}

// The popup class is registered here too, so that a menu opens in a program
// that never called InitCommonControls.
void Begin(Session& s) {
  controls::RegisterMenuClasses();
  Notify(s, WM_ENTERMENULOOP, s.bar == nullptr ? TRUE : FALSE, 0);
  if (s.bar != nullptr) Notify(s, WM_INITMENU, reinterpret_cast<WPARAM>(s.bar), 0);
}

// --- popup windows ----------------------------------------------------------------------------------

const Level* LevelOf(HWND window) {
  if (current == nullptr) return nullptr;
  for (const Level& level : current->levels)
    if (level.window == window) return &level;
  return nullptr;
}

void PaintItem(HDC dc, const RECT& row, const MenuItem& item, bool hot) {
  if (Separator(item)) {
    int y = (row.top + row.bottom) / 2;
    controls::Fill(dc, RECT{row.left + 2, y - 1, row.right - 2, y}, GetSysColor(COLOR_BTNSHADOW));
    controls::Fill(dc, RECT{row.left + 2, y, row.right - 2, y + 1}, GetSysColor(COLOR_BTNHIGHLIGHT));
    return;
  }
  if (hot) controls::Fill(dc, row, GetSysColor(COLOR_HIGHLIGHT));
  COLORREF text = !Enabled(item) ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  SetTextColor(dc, text);
  RECT check{row.left, row.top, row.left + kCheckArea, row.bottom};
  if ((item.flags & MF_CHECKED) != 0) {
    if ((item.flags & MFT_RADIOCHECK) != 0) {
      int cx = (check.left + check.right) / 2, cy = (check.top + check.bottom) / 2;
      controls::Fill(dc, RECT{cx - 2, cy - 3, cx + 2, cy + 3}, text);
      controls::Fill(dc, RECT{cx - 3, cy - 2, cx + 3, cy + 2}, text);
    } else {
      controls::DrawCheckMark(dc, check, text);
    }
  }
  std::string label = LabelOf(item.text), shortcut = ShortcutOf(item.text);
  RECT labelBox{row.left + kCheckArea, row.top, row.right - kArrowArea, row.bottom};
  DrawText(dc, label.c_str(), static_cast<int>(label.size()), &labelBox, DT_SINGLELINE | DT_VCENTER);
  if (!shortcut.empty())
    DrawText(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &labelBox,
             DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
  if (Popup(item))
    controls::DrawArrow(dc, RECT{row.right - kArrowArea, row.top, row.right, row.bottom}, controls::Arrow::Right, text);
}

LRESULT OnPopupPaint(HWND window) {
  controls::ControlPaint paint(window, nullptr);
  HDC dc = paint.Dc();
  const Level* level = LevelOf(window);
  if (dc == nullptr) return 0;
  controls::Fill(dc, paint.Client(), GetSysColor(COLOR_MENU));
  if (level == nullptr) return 0;
  SetBkMode(dc, TRANSPARENT);
  std::vector<MenuItem> items = ItemsOf(level->menu);
  for (std::size_t i = 0; i < items.size() && i < level->layout.rows.size(); ++i)
    PaintItem(dc, level->layout.rows[i], items[i], static_cast<int>(i) == level->hot);
  return 0;
}

LRESULT PopupProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: return OnPopupPaint(window);
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return 3;  // MA_NOACTIVATE
    case WM_ACTIVATE: return 0;       // never takes the focus
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

// --- layouts ------------------------------------------------------------------------------------

PopupLayout LayoutPopup(HMENU menu) {
  PopupLayout layout;
  std::vector<MenuItem> items = ItemsOf(menu);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, controls::FontOr(nullptr));
  int width = 80, y = kPopupMargin;
  for (const MenuItem& item : items) {
    int height = Separator(item) ? kSeparatorHeight : ItemHeight();
    if (!Separator(item)) {
      int shortcut = ShortcutOf(item.text).empty() ? 0 : kShortcutGap + controls::TextWidth(dc, ShortcutOf(item.text));
      width = std::max(width, kCheckArea + LabelWidth(dc, LabelOf(item.text)) + shortcut + kArrowArea);
    }
    layout.rows.push_back(RECT{kPopupMargin, y, 0, y + height});
    y += height;
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  for (RECT& row : layout.rows) row.right = kPopupMargin + width;
  layout.size = SIZE{width + 2 * kPopupMargin, std::max(y + kPopupMargin, 4)};
  return layout;
}

int MenuBarHeight() { return GetSystemMetrics(SM_CYMENU); }

std::vector<RECT> LayoutBar(HWND window, HMENU bar) {
  std::vector<RECT> rects;
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, controls::FontOr(nullptr));
  int x = 0;
  for (const MenuItem& item : ItemsOf(bar)) {
    int width = LabelWidth(dc, LabelOf(item.text)) + 2 * kBarItemPadding;
    rects.push_back(RECT{x, 0, x + width, MenuBarHeight()});
    x += width;
  }
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return rects;
}

RECT BarScreenRect(HWND window) {
  if (GetMenu(window) == nullptr) return RECT{};
  RECT bounds{};
  GetWindowRect(window, &bounds);
  RECT bar = FramePartsOf(window).menuBar;
  return RECT{bounds.left + bar.left, bounds.top + bar.top, bounds.left + bar.right, bounds.top + bar.bottom};
}

bool OpenPopupItemRect(HMENU menu, UINT position, RECT* rect) {
  if (current == nullptr) return false;
  for (const Level& level : current->levels) {
    if (level.menu != menu || position >= level.layout.rows.size()) continue;
    POINT origin{0, 0};
    ClientToScreen(level.window, &origin);
    const RECT& row = level.layout.rows[position];
    *rect = RECT{origin.x + row.left, origin.y + row.top, origin.x + row.right, origin.y + row.bottom};
    return true;
  }
  return false;
}

int HotBarItem(HWND window) {
  return current != nullptr && current->bar != nullptr && current->root == window ? current->barHot : -1;
}

void TrackMenuBar(HWND window, int barIndex, bool keyboard) {
  HWND root = GetAncestor(window, GA_ROOT);
  HMENU bar = GetMenu(root);
  if (bar == nullptr || current != nullptr) return;
  Session s;
  s.owner = s.root = root;
  s.bar = bar;
  s.barHot = std::max(barIndex, 0);
  Begin(s);
  if (barIndex >= 0) OpenBarItem(s, barIndex, keyboard);
  else InvalidateBar(s);
  RunLoop(s, bar);
  if (s.chose) PostMessage(root, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(s.command), 0), 0);
}

}  // namespace platform::menus

namespace platform::controls {
void RegisterMenuClasses() {
  RegisterControlClass(menus::kPopupClass, menus::PopupProcedure, CS_SAVEBITS, IDC_ARROW);
}
}  // namespace platform::controls

// --- the frame hooks --------------------------------------------------------------------------------

namespace platform {

void EndMenuOf(HWND window) {
  if (menus::current != nullptr && menus::current->root == window) menus::current->done = true;
}

int MenuBarHeightOf(HWND window) { return GetMenu(window) != nullptr ? menus::MenuBarHeight() : 0; }

void PaintMenuBar(HWND window, HDC dc, const RECT& barRect) {
  HMENU bar = GetMenu(window);
  controls::Fill(dc, barRect, GetSysColor(COLOR_MENU));
  if (bar == nullptr) return;
  std::vector<menus::MenuItem> items = menus::ItemsOf(bar);
  std::vector<RECT> rects = menus::LayoutBar(window, bar);
  int hot = menus::HotBarItem(window);
  HGDIOBJ old = SelectObject(dc, controls::FontOr(nullptr));
  SetBkMode(dc, TRANSPARENT);
  for (std::size_t i = 0; i < items.size() && i < rects.size(); ++i) {
    RECT r{barRect.left + rects[i].left, barRect.top + rects[i].top, barRect.left + rects[i].right,
           barRect.top + rects[i].bottom};
    bool isHot = static_cast<int>(i) == hot;
    if (isHot) controls::Fill(dc, r, GetSysColor(COLOR_HIGHLIGHT));
    bool enabled = (items[i].flags & (MF_GRAYED | MF_DISABLED)) == 0;
    SetTextColor(dc, GetSysColor(!enabled ? COLOR_GRAYTEXT : isHot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    std::string label = menus::LabelOf(items[i].text);
    DrawText(dc, label.c_str(), static_cast<int>(label.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
  SelectObject(dc, old);
}

void MenuBarMouseDown(HWND window, POINT point, const RECT& barRect) {
  HMENU bar = GetMenu(window);
  if (bar == nullptr) return;
  std::vector<RECT> rects = menus::LayoutBar(window, bar);
  for (std::size_t i = 0; i < rects.size(); ++i) {
    int x = point.x - barRect.left, y = point.y - barRect.top;
    if (x >= rects[i].left && x < rects[i].right && y >= rects[i].top && y < rects[i].bottom) {
      menus::TrackMenuBar(window, static_cast<int>(i), false);
      return;
    }
  }
}

namespace {
thread_local bool altAlone = false;
}

bool MenuBarKey(HWND window, UINT message, WPARAM wParam, LPARAM) {
  HWND root = GetAncestor(window, GA_ROOT);
  HMENU bar = GetMenu(root);
  if (message == WM_SYSKEYDOWN) {
    altAlone = wParam == VK_MENU;
    if (wParam != VK_F10 || bar == nullptr) return false;
    menus::TrackMenuBar(root, -1, true);
    return true;
  }
  if (message == WM_SYSKEYUP) {
    bool open = altAlone && wParam == VK_MENU && bar != nullptr;
    altAlone = false;
    if (open) menus::TrackMenuBar(root, -1, true);
    return open;
  }
  if (message != WM_SYSCHAR || bar == nullptr) return false;
  altAlone = false;
  auto letter = static_cast<char>(std::tolower(static_cast<int>(wParam & 0xFF)));
  std::vector<menus::MenuItem> items = menus::ItemsOf(bar);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (menus::MnemonicOf(items[i].text) == letter) {
      menus::TrackMenuBar(root, static_cast<int>(i), true);
      return true;
    }
  return false;
}

}  // namespace platform

using namespace platform::menus;

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  if (!Exists(menu) || !IsWindow(owner) || current != nullptr) return FALSE;
  Session s;
  s.owner = owner;
  s.root = GetAncestor(owner, GA_ROOT);
  s.flags = flags;
  Begin(s);
  Open(s, menu, 0, POINT{x, y}, flags);
  RunLoop(s, menu);
  if ((flags & TPM_RETURNCMD) != 0) return s.chose ? static_cast<BOOL>(s.command) : 0;
  if (s.chose) PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(s.command), 0), 0);
  return TRUE;
}
