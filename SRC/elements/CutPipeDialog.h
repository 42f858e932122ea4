// CUTPIPE_DIALOG, the cut pipe's edit dialog: the cut and whether the pipe
// is cut short or long, on the element kinds' dialog protocol.
#pragma once

#include "platform/Types.h"

INT_PTR CutPipeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
