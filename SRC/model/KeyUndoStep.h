// One key, one undo step, for the cell edits of a table. A key may store
// the cell being typed and then act on its row (Enter stores the cell and
// enters the row, which may fill the values the row lacks or make the
// entry row a record): the pieces after the first add their changes to the
// undo step the first one kept, instead of taking a second one.
//
// The table keeps that step (TableWindow::keyStore) with the undo depth it
// left; the next key clears it, and it is joined only while it is still the
// newest step. An edit that changed what no model file keeps, or nothing
// in the end, leaves no step and no mark; one that breaks a rule of the
// whole model is refused, the model put back as it was before the key.
#pragma once

#include <string>

#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/Types.h"

class TableWindow;

// The snapshot a piece of an edit of `table` settles: the step the key's
// earlier piece kept (`joined` true), or a new one over `owner`. Without a
// table always a new one.
SnapshotToken TakeKeyStepSnapshot(TableWindow* table, HWND owner, bool& joined);
// After the piece settled `token`: a step still on the undo stack is the
// one the key's later pieces join.
void KeepKeyStep(TableWindow* table, SnapshotToken token);

// A piece that changed nothing, or stopped, ends: a step it joined keeps
// what the key's earlier piece stored (settled again), a new one goes.
inline void EndUnchangedPiece(SnapshotToken token, bool joined) {
  if (joined)
    (void)SettleEditSnapshot(token);
  else
    PopTempFile(token);
}

// Runs `change` (returning whether it changed the model) as one piece of
// the key's undo step; a change marks the model modified. A thrown refusal
// leaves the step as it was before the piece (a new one discarded) and
// goes on.
template <typename Change>
void ChangeInKeyStep(TableWindow* table, HWND owner, Change change) {
  bool joined = false;
  const SnapshotToken token = TakeKeyStepSnapshot(table, owner, joined);
  bool changed = false;
  try {
    changed = change();
  } catch (...) {
    EndUnchangedPiece(token, joined);
    throw;
  }
  if (!changed) {
    EndUnchangedPiece(token, joined);
    if (joined) KeepKeyStep(table, token);
    return;
  }
  TheModel().modified = true;
  if (std::string refusal = SettleEditSnapshot(token); !refusal.empty()) throw refusal;
  KeepKeyStep(table, token);
}
