// An edit made from a list, a table or a dialog as one action of the user:
// one undo step and one question to the rules of the whole model
// (UndoFiles.h), whichever window it was made from. The settling of the
// snapshot is where a refused edit is shown: the model is already put back,
// the windows that show it (the Layout table, the List window) show it again
// through the door the application sets, and the rule's message is shown.
//
// A piece of a larger action (an editor opened inside a table's Edit) takes
// its snapshot and settles it the same way: it joined the action's own, so
// its settling stands and shows nothing; the action's settling asks.
#pragma once

#include <string>

#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/Types.h"

// The windows that show the model show it again after a refused edit put it
// back; unset, nothing is shown again.
void SetEditRefusalDoor(void (*showModelAgain)());

// Settles the snapshot `token` of an edit; a refusal is shown over `owner`
// (the active window when null). True when the edit stands.
bool SettleEdit(HWND owner, SnapshotToken token);

// Runs `edit`, which returns whether it changed the model, as one edit: a
// change marks the model modified and is settled; no change, or a throw
// (which goes on), discards the snapshot. True when a change stands.
template <typename Edit>
bool RunEdit(HWND owner, Edit edit) {
  const SnapshotToken token = TakeUndoSnapshot(owner);
  bool changed = false;
  try {
    changed = edit();
  } catch (...) {
    PopTempFile(token);
    throw;
  }
  if (!changed) {
    PopTempFile(token);
    return false;
  }
  TheModel().modified = true;
  return SettleEdit(owner, token);
}
