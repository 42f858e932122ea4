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

// What a message (a thrown text) of an edit does: go on to the caller, as a
// cell's message, the edit's snapshot discarded; or refuse the edit whole,
// as a command's: the model is put back as the snapshot holds it, with its
// mark, shown again, and the message shown over the owner.
enum class EditMessage { GoesOn, Refuses };

// A refused edit of `token`, taken when the model's mark was `modified`.
void RefuseEdit(HWND owner, SnapshotToken token, bool modified, const std::string& message);

// Runs `edit`, which returns whether it changed the model, as one edit: a
// change marks the model modified and is settled; no change, or a throw,
// discards the snapshot. True when a change stands (an undo step kept).
template <typename Edit>
bool RunEdit(HWND owner, Edit edit, EditMessage onMessage = EditMessage::GoesOn) {
  const bool modified = TheModel().modified;
  const SnapshotToken token = TakeUndoSnapshot(owner);
  bool changed = false;
  try {
    changed = edit();
  } catch (const std::string& message) {
    if (onMessage == EditMessage::GoesOn) {
      PopTempFile(token);
      throw;
    }
    RefuseEdit(owner, token, modified, message);
    return false;
  } catch (...) {
    PopTempFile(token);
    throw;
  }
  if (!changed) {
    PopTempFile(token);
    return false;
  }
  TheModel().modified = true;
  // What stands but leaves the bytes as they were is no change either.
  return SettleEdit(owner, token) && (token == 0 || !UndoSnapshotPath(token).empty());
}
