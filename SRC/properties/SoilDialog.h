// SOIL_DIALOG ("Soil # %d"): one record of the model's soil table, its name,
// type, density, strength (cohesive), delta and Ks (cohesionless) and ground
// level. The type radios enable the fields of their type and empty the
// others. OK checks the fields in order and stores 0 in the fields of the
// other type; a delta of exactly 0 is kept as 1.0e-36 so that it reads as
// given rather than as missing. A named soil given a name no soil holds is
// renamed in the sections after one question; No there puts the old name
// back and keeps the dialog open.
#pragma once

#include "model/UndoFiles.h"
#include "platform/Types.h"

// Edits soil `record` (1..count) of the open model; `token` is the edit's
// undo snapshot, dropped when nothing was stored. 1 after OK.
int SoilDialog(HWND owner, int record, SnapshotToken token);
INT_PTR SoilDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
