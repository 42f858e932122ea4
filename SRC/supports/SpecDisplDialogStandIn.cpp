// Stands in for the specified-displacement set dialog until the loads work
// brings it: opening it says so and changes nothing.
#include "supports/SpecDisplDialog.h"

#include "platform/Dialog.h"
#include "platform/Window.h"
#include "shell/Message.h"
#include "shell/StandIn.h"

std::uint8_t g_SpecDisplStored = 0;

const char* SpecDisplDialogTemplate() { return "INFO_DIALOG"; }

INT_PTR SpecDisplDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  STAND_IN("the specified displacements dialog");
  if (message != WM_INITDIALOG) return FALSE;
  g_SpecDisplStored = 0;
  ShowInfoMessage(GetParent(dialog), "The Specified Displacements dialog is not available yet.");
  EndDialog(dialog, 0);
  return TRUE;
}
