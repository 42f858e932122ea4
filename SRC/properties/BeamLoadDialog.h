// BEAM_LOAD_DIALOG ("Beam load # %d"): one record of the model's beam load
// table: its name, the temperatures T1..T10 of the thermal states the load
// cases use (the others are hidden and kept), the additional weight per
// length and the wind flag (ticked for a load without a name yet). An empty
// temperature is the model's reference temperature, as for a new load.
// OK checks the fields in order and renames a named load in the Beam rows
// after one question.
#pragma once

#include "model/UndoFiles.h"
#include "platform/Types.h"

int BeamLoadDialog(HWND owner, int record, SnapshotToken token);
INT_PTR BeamLoadDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
