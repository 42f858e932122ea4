// The one door of an edit: a change of the model made from a cell, a list,
// a table, a command or a dialog, as a piece of the action of the user that
// makes it (UndoFiles.h): one undo step and one question to the rules of the
// whole model for the whole action, whichever window it was made from. The
// settling of the snapshot is where a refused edit is shown: the model is
// already put back, the windows that show it (the Layout table, the List
// window) show it again through the door the application sets, and the
// rule's message is shown, or thrown for a cell to show as its own.
//
// The action itself is bracketed where its input arrives: the platform calls
// BeginUserAction and EndUserAction around the handling of each message its
// loops hand out from the top (InstallUserActionEdits, at start-up).
#pragma once

#include <string>

#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/Types.h"
#include "services/ErrorRecords.h"

// The windows that show the model show it again after a refused edit put it
// back; unset, nothing is shown again.
void SetEditRefusalDoor(void (*showModelAgain)());

// Brackets every action of the user on the calling thread (the thread that
// edits the model): an edit the action opened is settled when its handling
// returns, and a refusal that no piece showed is shown then.
void InstallUserActionEdits();

// Settles what the action under way has changed so far (SettleActionEdit);
// a refusal is shown over `owner`. True when it stands.
bool SettleActionSoFar(HWND owner);

// Settles the snapshot `token` of an edit; a refusal is shown over `owner`
// (the active window when null). True when the edit stands.
bool SettleEdit(HWND owner, SnapshotToken token);

// What a message (a thrown text, or one of the records of ErrorRecords.h,
// which always go on) of an edit does: go on to the caller, as a
// cell's message, with the model as it was before the edit; or refuse the
// edit whole, as a command's: the model is put back as the snapshot holds
// it, with its mark, shown again, and the message shown over the owner.
enum class EditMessage { GoesOn, Refuses };
// Where the rules' refusal of a change goes: shown over the owner, or thrown
// for the cell that made the change to show as its own message.
enum class EditRefusal { Shown, Thrown };

// A refused edit of `token`, taken when the model's mark was `modified`.
void RefuseEdit(HWND owner, SnapshotToken token, bool modified, const std::string& message);
// An edit that threw: the model is put back as it was before it, unless the
// edit only joined a larger one that it leaves to decide (a message), or
// whatever it joined goes back too (any other throw, which the program did
// not foresee, or a refusal of the command the edit is part of).
void PutBackFailedEdit(SnapshotToken token, bool message);
// The rules' refusal of a change, as `refusal` asks; false when refused.
bool SettleChange(HWND owner, SnapshotToken token, EditRefusal refusal);

// Runs `edit`, which returns whether it changed the model, as one edit: a
// change marks the model modified and is settled; no change leaves the
// decision to the bytes (no step when they are as they were); a throw puts
// the model back as it was before the edit. True when a change stands.
template <typename Edit>
bool RunEdit(HWND owner, Edit edit, EditMessage onMessage = EditMessage::GoesOn,
             EditRefusal refusal = EditRefusal::Shown) {
  const bool modified = TheModel().modified;
  const SnapshotToken token = TakeUndoSnapshot(owner);
  bool changed = false;
  try {
    changed = edit();
  } catch (const std::string& message) {
    if (onMessage == EditMessage::Refuses) {
      RefuseEdit(owner, token, modified, message);
      return false;
    }
    PutBackFailedEdit(token, true);
    throw;
  } catch (const CI&) {
    PutBackFailedEdit(token, true);
    throw;
  } catch (const MsgCmd&) {
    PutBackFailedEdit(token, true);
    throw;
  } catch (const MsgColCmd&) {
    PutBackFailedEdit(token, true);
    throw;
  } catch (...) {
    PutBackFailedEdit(token, false);
    throw;
  }
  if (!changed) {
    PopTempFile(token);
    return false;
  }
  TheModel().modified = true;
  return SettleChange(owner, token, refusal);
}
