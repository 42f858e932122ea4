// The page keys of a property sheet pressed in a test's script of the
// sheet: Ctrl (and Shift) held with a key, served through the sheet's
// dialog keys as its modal loop serves them; and the sheet's current page.
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
};
