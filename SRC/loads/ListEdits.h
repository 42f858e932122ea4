// What the loads' lists share: a change of the model bracketed by an undo
// snapshot that is discarded when the change reports that nothing changed
// (or throws) or changed only what no model file keeps (the spare row
// behind the last record), and the pixel width of a cell text on a table's
// device context.
#pragma once

#include <string>

#include "model/EditSteps.h"
#include "model/KeyUndoStep.h"
#include "model/Model.h"
#include "services/TableWindow.h"
#include "platform/Gdi.h"

// `change` returns whether it changed the model; a change marks it modified
// and is settled as one edit (EditSteps.h).
template <typename Change>
void ChangeWithSnapshot(HWND owner, Change change) {
  RunEdit(owner, change);
}
// The same for an edit of a list table: the pieces of one key (the typed
// cell stored, then the row entered) are one undo step.
template <typename Change>
void ChangeWithSnapshot(TableWindow& table, Change change) {
  ChangeInKeyStep(&table, table.frame, change);
}

// 0 for an empty text or without a device context.
inline int CellTextWidth(HDC dc, const std::string& text) {
  if (dc == nullptr || text.empty()) return 0;
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  return static_cast<int>(size.cx);
}
