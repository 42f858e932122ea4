// One key, one undo step (see KeyUndoStep.h).
#include "model/KeyUndoStep.h"

#include <utility>

#include "services/TableWindow.h"

SnapshotToken TakeKeyStepSnapshot(TableWindow* table, HWND owner, bool& joined) {
  joined = false;
  if (table != nullptr) {
    const SnapshotToken kept = std::exchange(table->keyStore, 0);
    if (kept != 0 && UndoDepth() == table->keyStoreDepth && ReopenEdit(kept)) {
      joined = true;
      return kept;
    }
  }
  return TakeUndoSnapshot(owner);
}

void KeepKeyStep(TableWindow* table, SnapshotToken token) {
  if (table == nullptr || UndoSnapshotPath(token).empty()) return;
  table->keyStore = token;
  table->keyStoreDepth = UndoDepth();
}
