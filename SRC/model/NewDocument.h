// The New chooser (NEW_DIALOG): a new model, library or evaluation. Until it
// is built, New says so in a message and changes nothing.
#pragma once

#include "platform/Types.h"

void NewDocumentDialog(HWND parent);
