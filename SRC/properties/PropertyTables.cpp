// Shared helpers of the property tables (see PropertyTables.h).
#include "properties/PropertyTables.h"

#include "platform/Gdi.h"

int DcTextWidth(HDC dc, const std::string& text) {
  if (dc == nullptr || text.empty()) return 0;
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}
