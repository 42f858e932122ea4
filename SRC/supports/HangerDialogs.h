// The four dialogs of a hanger, chosen by its kind: HANGER_DIALOG for a
// spring hanger designed from a catalogue, USER_HANGER_DIALOG,
// ROD_HANGER_DIALOG and CONSTANT_SUPPORT_DIALOG. A row is edited in the
// dialog of the kind it carries, or of the kind the data-type chooser
// asked for (subtype 1 user, 2 rod, 3 constant support, 0 designed).
#pragma once

#include <cstdint>

#include "platform/Dialog.h"
#include "platform/Types.h"

struct HangerDialogChoice {
  const char* templateName;
  DLGPROC procedure;
};
HangerDialogChoice ChooseHangerDialog(int row, std::int32_t subtype);

INT_PTR HangerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR UserHangerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR RodHangerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR ConstantSupportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The number of hangers of a dialog field or a list cell (g_EditFieldText):
// empty is 1; not an integer or below 1 throws "Number of Hangers" invalid.
std::int32_t ParseNumberOfHangers(const char* label);
// The load variation: an integer of 0 or more, 0 giving 25.
std::int32_t ParseLoadVariation();
