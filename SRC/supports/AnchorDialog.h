// ANCHOR_DIALOG: the anchor's stiffnesses, tag, releases and axes, with the
// "&Displacements" button that opens the specified-displacement set dialog
// of the row's anchor. Opened through the kind table with the layout row as
// the parameter; ends with 1 when the model changed.
#pragma once

#include "platform/Types.h"

INT_PTR AnchorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

constexpr int kAnchorHelpContext = 5;
