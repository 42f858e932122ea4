// BEAM_MATERIAL_DIALOG ("Beam material # %d"): one record of the model's
// beam material table, its name, description, modulus, Poisson's ratio,
// density and thermal expansion. OK checks the fields in order (the name's
// checks, the modulus required, 0.01 < Nu < 0.5) and, when a named record
// gets a name no record holds, renames the material in the Beam rows after
// one question; No there puts the old name back and keeps the dialog open.
#pragma once

#include "model/UndoFiles.h"
#include "platform/Types.h"

// Edits beam material `record` (1..count) of the open model; `token` is
// the edit's undo snapshot, dropped when nothing was stored. 1 after OK.
int BeamMaterialDialog(HWND owner, int record, SnapshotToken token);
INT_PTR BeamMaterialDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
