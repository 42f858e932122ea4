// Undo and redo of model edits through the snapshot stacks of UndoFiles.h.
//
// Undo writes the open model onto the redo stack and reads the newest undo
// snapshot back; redo does the reverse. A snapshot is read into a fresh
// model and swapped in only when the whole file was read, so a damaged or
// vanished snapshot is reported and leaves the open model as it was (and
// the snapshot just written for the other stack is taken back). The model's
// path, the window titles and the recent-models list stay as they were; the
// view stays where the user has it; the restored model is marked modified,
// since it differs from the file on disk.
#pragma once

#include "model/UndoFiles.h"
#include "platform/Types.h"

// Each returns true when a snapshot was restored; nothing happens on an
// empty stack. Messages are shown over `owner`.
bool UndoEdit(HWND owner);
bool RedoEdit(HWND owner);

// The end of an edit that took the undo snapshot `token`: the rules of the
// whole model are asked (UndoFiles.h). A refused edit (the model already put
// back) is shown again in the Layout table and the List window and its
// rule's message over `owner`; false then. True when the edit stands.
bool SettleLayoutEdit(HWND owner, SnapshotToken token);
// The Layout table and the List window shown again after a refused edit put
// the model back (the door of EditSteps.h).
void ShowModelAfterRefusedEdit();
