// Private to the common dialogs: the printer blocks they hand out and the
// interactive print and page-setup dialogs (CommonDialogPrintPages.cpp).
#pragma once

#include <string>

#include "platform/CommonDialog.h"

namespace platform {

HGLOBAL DefaultDevMode(bool landscape);
HGLOBAL DefaultDevNames();
HGLOBAL MakeDevNames(const std::string& driver, const std::string& device, const std::string& output);
BOOL RunPrintDialog(PRINTDLG* record);
BOOL RunPageSetupDialog(PAGESETUPDLG* record);

}  // namespace platform
