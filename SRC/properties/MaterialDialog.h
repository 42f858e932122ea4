// The material dialog (MATERIAL1_DIALOG for most piping codes,
// MATERIAL2_DIALOG for the Swedish and Norwegian codes with their two joint
// factors and tensile strength, MATERIAL3_DIALOG for the codes that need a
// yield or tensile strength): the fields of one record of the model's
// material table, its type, and through "&Properties" its table against
// temperature, edited in a copy (the edit buffer) that OK stores. A new name
// that no record holds renames the material everywhere after one question.
// "&Library" fills every field and the table from a material picked from
// the material library (MaterialLibraryDialogs.h); the name stays. In the
// library window the name is disabled (a library's materials have none)
// and "&Library" is hidden.
#pragma once

#include "model/UndoFiles.h"
#include "platform/Types.h"

// The template of the model's piping code.
const char* MaterialDialogName(int pipingCode);
// Edits material `record` of the open model; `token` is the undo snapshot
// taken for the edit, discarded when nothing was stored. 1 after OK.
int MaterialDialog(HWND owner, int record, SnapshotToken token);
INT_PTR MaterialDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
