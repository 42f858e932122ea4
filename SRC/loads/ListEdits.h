// What the loads' lists share: a change of the model bracketed by an undo
// snapshot that is discarded when the change reports that nothing changed
// (or throws), and the pixel width of a cell text on a table's device
// context.
#pragma once

#include <string>

#include "model/EditSteps.h"
#include "model/Model.h"
#include "platform/Gdi.h"

// `change` returns whether it changed the model; a change marks it modified
// and is settled as one edit (EditSteps.h).
template <typename Change>
void ChangeWithSnapshot(HWND owner, Change change) {
  RunEdit(owner, change);
}

// 0 for an empty text or without a device context.
inline int CellTextWidth(HDC dc, const std::string& text) {
  if (dc == nullptr || text.empty()) return 0;
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  return static_cast<int>(size.cx);
}
