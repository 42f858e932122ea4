// Private to the dialog modules (Dialog*, MessageBox*, PropertySheet*,
// CommonDialog*): the state each dialog window keeps, its creation from a
// parsed template and the modal loop every modal kind shares.
#pragma once

#include <string>

#include "platform/Dialog.h"
#include "platform/TestSupport.h"

namespace platform {

struct DialogState {
  std::string templateName;
  HFONT font = nullptr;
  bool ownsFont = false;
  int baseX = 0;  // pixels per 4 horizontal dialog units
  int baseY = 0;  // pixels per 8 vertical dialog units
  int defaultId = IDOK;
  HWND savedFocus = nullptr;
  bool modal = false;
  bool ended = false;
  bool identified = false;  // SetModalIdentity was called
  bool propertySheet = false;  // the dialog of a property sheet (PropertySheet.cpp)
  ModalKind kind = ModalKind::Dialog;
  std::string name;
  INT_PTR result = 0;
};

// The state of a dialog of the layer's class, or null. Valid while the
// dialog exists and only on its thread.
DialogState* FindDialogState(HWND dialog);

// Makes the dialog window and its controls, sends WM_INITDIALOG and, for a
// modal dialog or a template with WS_VISIBLE, shows it and sets the focus.
// Null when a control cannot be made (a failure is reported under test).
HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& dialog, HWND owner,
                              DLGPROC procedure, LPARAM parameter, bool modal);
// Runs the modal loop of a dialog made by CreateDialogFromTemplate with
// modal set: disables the owner, asks the modal script (kind and name),
// serves the thread until EndDialog, then enables the owner, destroys the
// dialog and returns its result (IDCANCEL when the script refused it). The
// dialog's own SetModalIdentity wins over `kind` and `name`.
INT_PTR RunModalDialog(HWND dialog, HWND owner, ModalKind kind, std::string name);

// Pixels of dialog units for a font's base units.
int DialogUnitsToPixelsX(int units, int baseX);
int DialogUnitsToPixelsY(int units, int baseY);
// The base units of a font (average character width, character height).
void MeasureDialogFont(HFONT font, int* baseX, int* baseY);
// The dialog font for a point size (the stock GUI font at 8 points); the
// caller owns it when `owned` comes back true.
HFONT DialogFont(int pointSize, bool* owned);

// True for a control that takes the focus through Tab: visible, enabled, with
// WS_TABSTOP.
bool IsTabStop(HWND control);
// Focuses a control as the dialog keys do (selecting an edit's whole text).
void FocusDialogControl(HWND control);
// Sends WM_HELP for the focused control (or the dialog) to the dialog.
void SendDialogHelp(HWND dialog);
// Records why the last common dialog of the thread returned FALSE.
void SetCommonDialogError(DWORD error);
// Runs a common dialog built from `dialog` modally (kind CommonDialog, named
// by its caption); -1 when it could not be made.
INT_PTR RunCommonDialog(const DialogTemplate& dialog, HWND owner, DLGPROC procedure, LPARAM parameter);

// Ctrl+Tab and Ctrl+Page Down (forward), Ctrl+Shift+Tab and Ctrl+Page Up
// in a property sheet: the next or previous page, wrapping round, as a
// click on its tab gives it. False when `sheet` is no property sheet.
bool StepPropertySheetPage(HWND sheet, bool forward);

// Class names compare without regard to case, as the window classes do.
bool EqualClassName(const std::string& a, const char* b);
// The top-level dialog of a window inside nested control-parent dialogs.
HWND OuterDialogOf(HWND window);

}  // namespace platform
