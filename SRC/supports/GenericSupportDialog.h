// GENERIC_SUPPORT_DIALOG ("6x6 Stiffness Matrix"): the 21 terms of the
// upper triangle, the group B unit they are shown in, and the tag.
#pragma once

#include "platform/Types.h"

INT_PTR GenericSupportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
