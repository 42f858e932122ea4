// Private to the menu modules: the menu objects behind HMENU handles, the
// menu set on each window, the measures of items, and the menu loop's entry
// points.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Menu.h"

namespace platform::menus {

struct MenuItem {
  UINT flags = 0;  // MF_ state and kind bits
  UINT_PTR id = 0;
  HMENU popup = nullptr;
  std::string text;
  UINT_PTR data = 0;  // MIIM_DATA
};

// A copy of a menu's items (menus are read by copy so that no lock is held
// while the owner is told anything).
std::vector<MenuItem> ItemsOf(HMENU menu);
bool Exists(HMENU menu);
// Finds an item by id (depth first through popups) or position; fills the
// menu that holds it and its position there.
bool Locate(HMENU menu, UINT item, UINT flags, HMENU* holder, int* position);
HWND WindowOfMenu(HMENU bar);

// Labels: the text before the tab, the shortcut after it, the mnemonic.
std::string LabelOf(const std::string& text);
std::string ShortcutOf(const std::string& text);
std::string PlainLabel(const std::string& text);  // without '&' marks
char MnemonicOf(const std::string& text);         // lower case, 0 for none

// Rows of a popup (client coordinates) and its size.
struct PopupLayout {
  std::vector<RECT> rows;
  SIZE size{};
};
PopupLayout LayoutPopup(HMENU menu);
// Items of a menu bar, in window coordinates from the bar's top-left.
std::vector<RECT> LayoutBar(HWND window, HMENU bar);
int MenuBarHeight();
// Screen rectangle of the menu bar of `window` (empty without a menu).
RECT BarScreenRect(HWND window);

// The menu loop: `barIndex` >= 0 opens that bar item's popup at once;
// `keyboard` starts with the bar highlighted and nothing open.
void TrackMenuBar(HWND window, int barIndex, bool keyboard);
// Screen rectangle of an item of an open popup.
bool OpenPopupItemRect(HMENU menu, UINT position, RECT* rect);
// The bar item highlighted by an active loop on `window`, or -1.
int HotBarItem(HWND window);

}  // namespace platform::menus
