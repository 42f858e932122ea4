// The one object through which every dialog procedure works on its
// controls. Bound to the dialog at WM_INITDIALOG, it reads fields into the
// shared edit-field text (g_EditFieldText) for the parsers, remembers the
// field being read so that an input error puts the focus back on it, maps
// dialog units to pixels, fills combo and list boxes and lays out rows of
// buttons. Each dialog procedure keeps its own helper.
//
// Reads are cut to 39 characters (79 for the long read). Numbers are read
// with every blank removed and upper-cased; names and titles with only
// leading and trailing blanks removed.
//
// The two shared input checks (a direction of three components, a connected
// node) throw message texts (std::string) that the dialog's OK handler
// catches and hands to DialogFocusInvalid.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Dialog.h"
#include "services/Units.h"

struct DialogHelper {
  HWND dialog = nullptr;
  HWND currentItem = nullptr;
  int errorItem = 0;
  int unitsX = 0;  // pixels per 4 horizontal dialog units
  int unitsY = 0;  // pixels per 8 vertical dialog units
  int buttonTop = 0, buttonWidth = 0, buttonHeight = 0;

  void DialogBind(HWND dialogWindow);
  HWND DialogGetItem(int item);
  void DialogSetItemText(int item, const std::string& text);
  void DialogLimitItemText(int item, int limit);
  void DialogSetItemTextAndLimit(int item, const std::string& text, int limit);
  void DialogSetItemTextAt(int item, const std::string& text, int x, int y, int w, int h);
  void DialogSetUnitLabel(int item, UnitKind kind);
  void DialogSetPressureText(int item, float value);
  void DialogSetItemEmpty(int item);
  void DialogSelectAndFocus(int item);
  void DialogSetReadOnly(int item);
  void DialogClearReadOnly(int item);
  void DialogFocusItem(int item);
  // Reads into g_EditFieldText (see the head comment).
  void DialogGetItemText(int item);
  void DialogReadFieldTrimmed(int item);
  void DialogReadLongFieldTrimmed(int item);
  std::string DialogReadItemText(int item);
  // Shows the message with the error icon and, while the dialog is visible,
  // selects the error item's first 40 characters and focuses it.
  void DialogFocusInvalid(const std::string& message);
  [[noreturn]] void DialogThrowItemError(int item, const std::string& message);
  void DialogSetCheck(int item, bool state);
  bool DialogIsChecked(int item);
  void DialogCheckRadio(int first, int last, int item);
  // Index from 0 of the first button of first..last that is on; 0 when none.
  int DialogCheckedRadio(int first, int last);
  void DialogEnableItem(int item, bool enable);
  void DialogDisableItem(int item);
  bool DialogIsItemEnabled(int item);
  void DialogShowItem(int item);
  void DialogHideItem(int item);
  void DialogComboReset(int item);
  void DialogComboAddString(const std::string& text);
  void DialogCurrentComboSetSel(int index);
  void DialogComboSetSel(int item, int index);
  int DialogComboGetSel(int item);
  void DialogListReset(int item);
  void DialogCurrentListAddString(const std::string& text);
  void DialogListSetSel(int item, int index);
  int DialogListGetSel(int item);
  void DialogSetItemIcon(int item, HICON icon);
  void DialogSetItemBitmap(int item, HBITMAP bitmap);
  void DialogPlaceItem(int item, int x, int y);
  // x in quarter horizontal dialog units, y in pixels.
  void DialogMoveItem(int item, int x, int y);
  void DialogSizeForClient(int w, int h);
  void DialogSubclassEdit(int item, HWND target);
  void PlaceCursorOnItem(int item);
  void DialogBeginButtonRow(HWND dialogWindow, int width);
  void DialogPlaceInButtonRow(int item, int x);
  void DialogAddButtonInRow(int id, const std::string& text, int x);
};

// Reads items first .. first + 2 as a direction; throws "X comp is invalid"
// (and Y, Z) for a component that does not parse and "Direction is invalid"
// (error item `first`) when all three are 0.
void CheckDirectionInput(DialogHelper& helper, int first, float& x, float& y, float& z);
