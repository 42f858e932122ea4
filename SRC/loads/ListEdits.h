// What the loads' lists share: the one door of an edit (EditSteps.h), and
// the pixel width of a cell text on a table's device context.
#pragma once

#include <string>

#include "model/EditSteps.h"
#include "model/Model.h"
#include "services/TableWindow.h"
#include "platform/Gdi.h"

// 0 for an empty text or without a device context.
inline int CellTextWidth(HDC dc, const std::string& text) {
  if (dc == nullptr || text.empty()) return 0;
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  return static_cast<int>(size.cx);
}
