// The page keys of a property sheet pressed in a test's script of the
// sheet: Ctrl (and Shift) held with a key, served through the sheet's
// dialog keys as its modal loop serves them; and the sheet's current page
// and what it shows.
#pragma once

#include <vector>

#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/PropertySheet.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"

inline void PressSheetKey(HWND sheet, UINT key, bool shift = false) {
  platform::TestKeyDown(VK_CONTROL);
  if (shift) platform::TestKeyDown(VK_SHIFT);
  platform::TestKeyPress(key);
  if (shift) platform::TestKeyUp(VK_SHIFT);
  platform::TestKeyUp(VK_CONTROL);
  MSG message;
  while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (IsDialogMessage(sheet, &message)) continue;
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
}

// The index of the sheet's page shown (its tab), from 0.
inline int SheetPageIndex(HWND sheet) {
  return static_cast<int>(SendDlgItemMessage(sheet, ID_PROPSHEET_TABS, TCM_GETCURSEL, 0, 0));
}

inline HWND SheetPage(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// The page's pixels every `step` from (`first`, `first`), as the sheet last
// drew them.
inline std::vector<COLORREF> SheetPagePixels(HWND page, int first, int step) {
  RECT box{};
  GetClientRect(page, &box);
  std::vector<COLORREF> pixels;
  for (int y = first; y < box.bottom; y += step)
    for (int x = first; x < box.right; x += step) pixels.push_back(platform::GetWindowPixel(page, x, y));
  return pixels;
}

// Whether the keyboard is in the page shown: its first control that Tab
// stops at has it.
inline bool FirstControlOfPageHasTheKeyboard(HWND sheet) {
  HWND page = SheetPage(sheet);
  return page != nullptr && IsWindowVisible(page) && GetFocus() != nullptr &&
         GetFocus() == GetNextDlgTabItem(page, nullptr, FALSE);
}

// Page keys pressed in turn: the page each one leaves shown, and whether the
// keyboard went to the first control of every one.
struct SheetPageWalk {
  std::vector<int> pages;
  bool keyboardInPages = true;
  void Press(HWND sheet, UINT key, bool shift = false) {
    PressSheetKey(sheet, key, shift);
    pages.push_back(SheetPageIndex(sheet));
    keyboardInPages = keyboardInPages && FirstControlOfPageHasTheKeyboard(sheet);
  }
  // On a sheet of three pages, from the first: on twice (Ctrl+Tab, Ctrl+Page
  // Down), on round to the first, back round to the last (Ctrl+Shift+Tab),
  // and back one (Ctrl+Page Up).
  void RoundAndBack(HWND sheet) {
    for (UINT key : {VK_TAB, VK_NEXT, VK_TAB}) Press(sheet, key);
    Press(sheet, VK_TAB, true);
    Press(sheet, VK_PRIOR);
  }
};
