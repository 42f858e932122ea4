// The section dialog (SECTION_DIALOG, "Section # %d"): one record of the
// model's pipe section table. The dimension standard's nominal sizes and
// schedules fill the outside diameter and the wall ("Non Std" lets the user
// type them); "&Insulation" offers the insulation materials' densities
// (INSULATION_DIALOG). OK runs the section checks in order and, for a new
// name that no record holds, renames the section everywhere after one
// question. A changed diameter makes the model again.
#pragma once

#include "model/UndoFiles.h"
#include "platform/Types.h"

// Edits section `record`; `token` is the edit's undo snapshot, discarded
// when nothing was stored. 1 after OK stored (or found nothing changed).
int SectionDialog(HWND owner, int record, SnapshotToken token);
INT_PTR SectionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The insulation list: ends with the chosen material 1..12, or 0.
int InsulationDialog(HWND owner);
INT_PTR InsulationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
