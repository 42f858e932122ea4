// What the loads' lists share: a change of the model bracketed by an undo
// snapshot that is discarded when the change reports that nothing changed
// (or throws) or changed only what no model file keeps (the spare row
// behind the last record), and the pixel width of a cell text on a table's
// device context.
#pragma once

#include <string>

#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/Gdi.h"

// `change` returns whether it changed the model; a change marks it modified.
template <typename Change>
void ChangeWithSnapshot(HWND owner, Change change) {
  const SnapshotToken token = TakeUndoSnapshot(owner);
  bool changed = false;
  try {
    changed = change();
  } catch (...) {
    PopTempFile(token);
    throw;
  }
  if (!changed) {
    PopTempFile(token);
    return;
  }
  TheModel().modified = true;
  // What no file keeps leaves no undo step and no mark; a change that
  // breaks a rule of the whole model is refused with the model put back.
  if (std::string refusal = SettleEditSnapshot(token); !refusal.empty()) throw refusal;
}

// 0 for an empty text or without a device context.
inline int CellTextWidth(HDC dc, const std::string& text) {
  if (dc == nullptr || text.empty()) return 0;
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  return static_cast<int>(size.cx);
}
