// BEAM_DIALOG1 ("Beam from N to M"): the orientation angle beta of a beam's
// cross-section, its twelve end releases and, read only, its local axes
// (recomputed from the row). Opened through the kind table with the layout
// row as the parameter; OK makes the row a beam when it is not one. While
// results are shown nothing can be changed. Ends with 1 when the model
// changed.
#pragma once

#include "platform/Types.h"

const char* BeamDialogName();
INT_PTR BeamDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
