// Menu objects and the calls that build, change and query them. Menus live
// in one table under a mutex, keyed by never-reused handles; the menu set on
// a window is remembered beside them. Nothing here sends a message: the
// menu loop (MenuTrack.cpp) reads the items by copy and tells the owner.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/MenuInternal.h"
#include "platform/Paint.h"
#include "platform/ResourceTemplates.h"
#include "platform/Window.h"

namespace platform::menus {
namespace {

struct MenuObject {
  bool bar = false;
  std::vector<MenuItem> items;
};

struct MenuTable {
  std::mutex lock;
  std::map<std::uintptr_t, MenuObject> menus;
  std::map<HWND, HMENU> windowMenus;
  std::uintptr_t next = 0x20000;
};

MenuTable& Table() {
  static MenuTable table;
  return table;
}

MenuObject* FindLocked(HMENU menu) {
  auto found = Table().menus.find(reinterpret_cast<std::uintptr_t>(menu));
  return found != Table().menus.end() ? &found->second : nullptr;
}

HMENU MakeMenu(bool bar) {
  std::lock_guard guard(Table().lock);
  std::uintptr_t handle = Table().next;
  Table().next += 16;
  Table().menus[handle].bar = bar;
  return reinterpret_cast<HMENU>(handle);
}

bool LocateLocked(HMENU menu, UINT item, UINT flags, HMENU* holder, int* position) {
  MenuObject* object = FindLocked(menu);
  if (object == nullptr) return false;
  if ((flags & MF_BYPOSITION) != 0) {
    if (item >= object->items.size()) return false;
    *holder = menu;
    *position = static_cast<int>(item);
    return true;
  }
  for (std::size_t i = 0; i < object->items.size(); ++i) {
    const MenuItem& entry = object->items[i];
    if ((entry.flags & MF_POPUP) == 0 && (entry.flags & MF_SEPARATOR) == 0 && entry.id == item) {
      *holder = menu;
      *position = static_cast<int>(i);
      return true;
    }
  }
  for (const MenuItem& entry : object->items)
    if ((entry.flags & MF_POPUP) != 0 && LocateLocked(entry.popup, item, flags, holder, position)) return true;
  return false;
}

MenuItem* ItemLocked(HMENU menu, UINT item, UINT flags) {
  HMENU holder = nullptr;
  int position = 0;
  if (!LocateLocked(menu, item, flags, &holder, &position)) return nullptr;
  return &FindLocked(holder)->items[static_cast<std::size_t>(position)];
}

void DestroyLocked(HMENU menu) {
  MenuObject* object = FindLocked(menu);
  if (object == nullptr) return;
  std::vector<HMENU> popups;
  for (const MenuItem& item : object->items)
    if ((item.flags & MF_POPUP) != 0) popups.push_back(item.popup);
  Table().menus.erase(reinterpret_cast<std::uintptr_t>(menu));
  for (HMENU popup : popups) DestroyLocked(popup);
}

// Kind and state bits that an item keeps; MF_BYPOSITION is a lookup flag.
constexpr UINT kStoredFlags = MF_GRAYED | MF_DISABLED | MF_BITMAP | MF_CHECKED | MF_POPUP | MF_MENUBARBREAK |
                              MF_MENUBREAK | MF_OWNERDRAW | MFT_RADIOCHECK | MF_SEPARATOR | MF_DEFAULT |
                              MF_RIGHTJUSTIFY;

bool MakeItem(UINT flags, UINT_PTR idOrPopup, LPCSTR text, MenuItem* item) {
  item->flags = flags & kStoredFlags;
  if ((flags & MF_POPUP) != 0) {
    item->popup = reinterpret_cast<HMENU>(idOrPopup);
    if (FindLocked(item->popup) == nullptr) return false;
  } else {
    item->id = idOrPopup & 0xFFFF;
  }
  if ((flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) == 0) item->text = text != nullptr ? text : "";
  return true;
}

void RedrawBarOf(HMENU menu) {
  HWND window = WindowOfMenu(menu);
  if (window != nullptr) DrawMenuBar(window);
}

HMENU BuildFromTemplate(const std::vector<MenuItemTemplate>& items, bool bar) {
  HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
  for (const MenuItemTemplate& item : items) {
    UINT flags = (item.grayed ? MF_GRAYED : 0) | (item.checked ? MF_CHECKED : 0);
    if (item.separator) AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    else if (item.popup)
      AppendMenu(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(BuildFromTemplate(item.items, false)),
                 item.text.c_str());
    else AppendMenu(menu, flags, item.id, item.text.c_str());
  }
  return menu;
}

}  // namespace

std::vector<MenuItem> ItemsOf(HMENU menu) {
  std::lock_guard guard(Table().lock);
  MenuObject* object = FindLocked(menu);
  return object != nullptr ? object->items : std::vector<MenuItem>{};
}

bool Exists(HMENU menu) {
  std::lock_guard guard(Table().lock);
  return FindLocked(menu) != nullptr;
}

bool Locate(HMENU menu, UINT item, UINT flags, HMENU* holder, int* position) {
  std::lock_guard guard(Table().lock);
  return LocateLocked(menu, item, flags, holder, position);
}

HWND WindowOfMenu(HMENU bar) {
  std::lock_guard guard(Table().lock);
  for (auto it = Table().windowMenus.begin(); it != Table().windowMenus.end();) {
    if (!IsWindow(it->first)) {
      it = Table().windowMenus.erase(it);
      continue;
    }
    if (it->second == bar) return it->first;
    ++it;
  }
  return nullptr;
}

std::string LabelOf(const std::string& text) { return text.substr(0, text.find('\t')); }

std::string ShortcutOf(const std::string& text) {
  std::size_t tab = text.find('\t');
  return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

std::string PlainLabel(const std::string& text) {
  std::string label = LabelOf(text), plain;
  for (std::size_t i = 0; i < label.size(); ++i) {
    if (label[i] == '&' && i + 1 < label.size()) ++i;
    plain += label[i];
  }
  return plain;
}

char MnemonicOf(const std::string& text) {
  std::string label = LabelOf(text);
  for (std::size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != '&') continue;
    if (label[i + 1] != '&') return static_cast<char>(std::tolower(static_cast<unsigned char>(label[i + 1])));
    ++i;
  }
  return 0;
}

}  // namespace platform::menus

using namespace platform::menus;

HMENU CreateMenu() { return MakeMenu(true); }
HMENU CreatePopupMenu() { return MakeMenu(false); }

BOOL DestroyMenu(HMENU menu) {
  std::lock_guard guard(Table().lock);
  if (FindLocked(menu) == nullptr) return FALSE;
  DestroyLocked(menu);
  return TRUE;
}

BOOL IsMenu(HMENU menu) { return Exists(menu) ? TRUE : FALSE; }

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
  return InsertMenu(menu, static_cast<UINT>(-1), flags | MF_BYPOSITION, idOrPopup, text);
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
  {
    std::lock_guard guard(Table().lock);
    MenuObject* object = FindLocked(menu);
    MenuItem item;
    if (object == nullptr || !MakeItem(flags, idOrPopup, text, &item)) return FALSE;
    HMENU holder = menu;
    int at = static_cast<int>(object->items.size());
    if ((flags & MF_BYPOSITION) != 0) {
      if (position < object->items.size()) at = static_cast<int>(position);
    } else if (!LocateLocked(menu, position, flags, &holder, &at)) {
      at = static_cast<int>(object->items.size());  // unknown command: appended
      holder = menu;
    }
    auto& items = FindLocked(holder)->items;
    items.insert(items.begin() + at, item);
  }
  RedrawBarOf(menu);
  return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
  {
    std::lock_guard guard(Table().lock);
    MenuItem* existing = ItemLocked(menu, position, flags);
    MenuItem item;
    if (existing == nullptr || !MakeItem(flags, idOrPopup, text, &item)) return FALSE;
    *existing = item;
  }
  RedrawBarOf(menu);
  return TRUE;
}

namespace {

BOOL Remove(HMENU menu, UINT position, UINT flags, bool destroyPopup) {
  {
    std::lock_guard guard(Table().lock);
    HMENU holder = nullptr;
    int at = 0;
    if (!LocateLocked(menu, position, flags, &holder, &at)) return FALSE;
    auto& items = FindLocked(holder)->items;
    MenuItem removed = items[static_cast<std::size_t>(at)];
    items.erase(items.begin() + at);
    if (destroyPopup && (removed.flags & MF_POPUP) != 0) DestroyLocked(removed.popup);
  }
  RedrawBarOf(menu);
  return TRUE;
}

}  // namespace

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) { return Remove(menu, position, flags, true); }
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) { return Remove(menu, position, flags, false); }

UINT EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  std::lock_guard guard(Table().lock);
  MenuItem* entry = ItemLocked(menu, item, flags);
  if (entry == nullptr) return static_cast<UINT>(-1);
  UINT old = entry->flags & (MF_GRAYED | MF_DISABLED);
  entry->flags = (entry->flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return old;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
  std::lock_guard guard(Table().lock);
  MenuItem* entry = ItemLocked(menu, item, flags);
  if (entry == nullptr) return static_cast<DWORD>(-1);
  DWORD old = entry->flags & MF_CHECKED;
  entry->flags = (entry->flags & ~MF_CHECKED) | (flags & MF_CHECKED);
  return old;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  std::lock_guard guard(Table().lock);
  HMENU holder = nullptr;
  int at = 0;
  if (!LocateLocked(menu, check, flags, &holder, &at)) return FALSE;
  auto& items = FindLocked(holder)->items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    MenuItem& entry = items[i];
    UINT key = (flags & MF_BYPOSITION) != 0 ? static_cast<UINT>(i) : static_cast<UINT>(entry.id);
    if ((entry.flags & (MF_POPUP | MF_SEPARATOR)) != 0 || key < first || key > last) continue;
    if (static_cast<int>(i) == at) entry.flags |= MF_CHECKED | MFT_RADIOCHECK;
    else entry.flags &= ~(MF_CHECKED | MFT_RADIOCHECK);
  }
  return TRUE;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  std::lock_guard guard(Table().lock);
  MenuItem* entry = ItemLocked(menu, item, flags);
  if (entry == nullptr) return static_cast<UINT>(-1);
  UINT state = entry->flags;
  if ((state & MF_POPUP) != 0)
    if (MenuObject* popup = FindLocked(entry->popup))
      state |= static_cast<UINT>(std::min<std::size_t>(popup->items.size(), 255)) << 8;
  return state;
}

int GetMenuItemCount(HMENU menu) {
  std::lock_guard guard(Table().lock);
  MenuObject* object = FindLocked(menu);
  return object != nullptr ? static_cast<int>(object->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  std::lock_guard guard(Table().lock);
  MenuObject* object = FindLocked(menu);
  if (object == nullptr || position < 0 || position >= static_cast<int>(object->items.size()))
    return static_cast<UINT>(-1);
  const MenuItem& item = object->items[static_cast<std::size_t>(position)];
  if ((item.flags & MF_POPUP) != 0) return static_cast<UINT>(-1);
  return (item.flags & MF_SEPARATOR) != 0 ? 0 : static_cast<UINT>(item.id);
}

int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags) {
  std::lock_guard guard(Table().lock);
  MenuItem* entry = ItemLocked(menu, item, flags);
  if (entry == nullptr) return 0;
  if (buffer == nullptr || size <= 0) return static_cast<int>(entry->text.size());
  std::size_t count = std::min<std::size_t>(entry->text.size(), static_cast<std::size_t>(size - 1));
  entry->text.copy(buffer, count);
  buffer[count] = '\0';
  return static_cast<int>(count);
}

HMENU GetSubMenu(HMENU menu, int position) {
  std::lock_guard guard(Table().lock);
  MenuObject* object = FindLocked(menu);
  if (object == nullptr || position < 0 || position >= static_cast<int>(object->items.size())) return nullptr;
  const MenuItem& item = object->items[static_cast<std::size_t>(position)];
  return (item.flags & MF_POPUP) != 0 ? item.popup : nullptr;
}

BOOL SetMenu(HWND window, HMENU menu) {
  if (!IsWindow(window) || (GetWindowLongPtr(window, GWL_STYLE) & WS_CHILD) != 0) return FALSE;
  {
    std::lock_guard guard(Table().lock);
    if (menu != nullptr && FindLocked(menu) == nullptr) return FALSE;
    if (menu == nullptr) Table().windowMenus.erase(window);
    else Table().windowMenus[window] = menu;
  }
  // The bar changes the frame: the core recomputes the client area.
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return TRUE;
}

HMENU GetMenu(HWND window) {
  std::lock_guard guard(Table().lock);
  auto found = Table().windowMenus.find(window);
  if (found == Table().windowMenus.end()) return nullptr;
  return FindLocked(found->second) != nullptr ? found->second : nullptr;
}

BOOL DrawMenuBar(HWND window) {
  if (!IsWindow(window)) return FALSE;
  RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  return TRUE;
}

BOOL GetMenuItemRect(HWND window, HMENU menu, UINT position, RECT* rect) {
  if (rect == nullptr) return FALSE;
  if (OpenPopupItemRect(menu, position, rect)) return TRUE;
  if (window == nullptr || GetMenu(window) != menu) return FALSE;
  std::vector<RECT> items = LayoutBar(window, menu);
  if (position >= items.size()) return FALSE;
  RECT bar = BarScreenRect(window);
  const RECT& item = items[position];
  *rect = RECT{bar.left + item.left, bar.top + item.top, bar.left + item.right, bar.top + item.bottom};
  return TRUE;
}

HMENU LoadMenu(HINSTANCE, LPCSTR name) {
  const platform::MenuTemplate* found = platform::FindMenuTemplate(platform::ResourceNameText(name));
  if (found == nullptr) return nullptr;
  return BuildFromTemplate(found->items, true);
}

namespace {

void ApplyInfo(MenuItem& item, const MENUITEMINFO& info) {
  constexpr UINT kTypeBits = MF_SEPARATOR | MFT_RADIOCHECK | MF_BITMAP | MF_OWNERDRAW | MF_MENUBREAK | MF_MENUBARBREAK;
  if ((info.fMask & (MIIM_TYPE | MIIM_FTYPE)) != 0) item.flags = (item.flags & ~kTypeBits) | (info.fType & kTypeBits);
  bool textGiven = (info.fMask & MIIM_STRING) != 0 ||
                   ((info.fMask & MIIM_TYPE) != 0 && (info.fType & (MFT_SEPARATOR | MFT_BITMAP)) == 0);
  if (textGiven) item.text = info.dwTypeData != nullptr ? info.dwTypeData : "";
  if ((item.flags & MF_SEPARATOR) != 0) item.text.clear();
  if ((info.fMask & MIIM_STATE) != 0)
    item.flags = (item.flags & ~(MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT)) |
                 (info.fState & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT));
  if ((info.fMask & MIIM_ID) != 0) item.id = info.wID & 0xFFFF;
  if ((info.fMask & MIIM_DATA) != 0) item.data = info.dwItemData;
}

}  // namespace

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info) {
  if (info == nullptr) return FALSE;
  {
    std::lock_guard guard(Table().lock);
    MenuItem* entry = ItemLocked(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (entry == nullptr) return FALSE;
    if ((info->fMask & MIIM_SUBMENU) != 0) {
      if (info->hSubMenu != nullptr && FindLocked(info->hSubMenu) == nullptr) return FALSE;
      entry->popup = info->hSubMenu;
      entry->flags = info->hSubMenu != nullptr ? (entry->flags | MF_POPUP) : (entry->flags & ~MF_POPUP);
    }
    ApplyInfo(*entry, *info);
  }
  RedrawBarOf(menu);
  return TRUE;
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info) {
  if (info == nullptr) return FALSE;
  std::lock_guard guard(Table().lock);
  MenuItem* entry = ItemLocked(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
  if (entry == nullptr) return FALSE;
  if ((info->fMask & (MIIM_TYPE | MIIM_FTYPE)) != 0)
    info->fType = entry->flags & (MF_SEPARATOR | MFT_RADIOCHECK | MF_BITMAP | MF_OWNERDRAW | MF_MENUBREAK | MF_MENUBARBREAK);
  if ((info->fMask & MIIM_STATE) != 0) info->fState = entry->flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT);
  if ((info->fMask & MIIM_ID) != 0) info->wID = static_cast<UINT>(entry->id);
  if ((info->fMask & MIIM_SUBMENU) != 0) info->hSubMenu = (entry->flags & MF_POPUP) != 0 ? entry->popup : nullptr;
  if ((info->fMask & MIIM_DATA) != 0) info->dwItemData = entry->data;
  if ((info->fMask & (MIIM_TYPE | MIIM_STRING)) != 0) {
    if (info->dwTypeData != nullptr && info->cch > 0) {
      std::size_t count = std::min<std::size_t>(entry->text.size(), info->cch - 1);
      entry->text.copy(info->dwTypeData, count);
      info->dwTypeData[count] = '\0';
    }
    info->cch = static_cast<UINT>(entry->text.size());
  }
  return TRUE;
}
