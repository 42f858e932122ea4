// The row record's own operations: construction, moves, deep copies and
// clearing. The kind-changing and text operations of rows are in
// RowOperations.cpp; the file section in files/LayoutRowsFile.cpp.
#include "model/LayoutRow.h"

#include "model/RowObjects.h"

LayoutRow::LayoutRow() = default;
LayoutRow::~LayoutRow() = default;
LayoutRow::LayoutRow(LayoutRow&&) noexcept = default;
LayoutRow& LayoutRow::operator=(LayoutRow&&) noexcept = default;

bool IsValidElementType(std::int32_t code) { return code >= 0 && code <= kElementTypeLast; }
bool IsValidDataType(std::int32_t code) { return code >= 0 && code <= kDataTypeLast; }

void CopyLayoutRow(LayoutRow& destination, const LayoutRow& source) {
  if (&destination == &source) return;
  destination.node = source.node;
  destination.absolute = source.absolute;
  destination.elementType = source.elementType;
  destination.dataType = source.dataType;
  destination.dx = source.dx;
  destination.dy = source.dy;
  destination.dz = source.dz;
  destination.material = source.material;
  destination.section = source.section;
  destination.load = source.load;
  destination.startNode = source.startNode;
  destination.endNode = source.endNode;
  destination.runStart = source.runStart;
  destination.runEnd = source.runEnd;
  destination.drawn = source.drawn;
  destination.dimmed = source.dimmed;
  destination.bounds2d = source.bounds2d;
  destination.boundsGl = source.boundsGl;
  destination.element.reset();
  destination.item.reset();
  // An object that a row keeps after its type was cleared (the making of the
  // model leaves it) has no kind to be made from and is not copied.
  if (source.element) {
    destination.element = CreateElementData(source.elementType);
    if (destination.element) destination.element->CopyFrom(*source.element);
  }
  if (source.item) {
    destination.item = CreateDataItem(source.dataType);
    if (destination.item) destination.item->CopyFrom(*source.item);
  }
}

void ClearLayoutRow(LayoutRow& row) { row = LayoutRow(); }
