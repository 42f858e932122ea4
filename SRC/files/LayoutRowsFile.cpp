// The layout-row section of the model file and the two small trailing
// sections (Layout position, List window state). A merge reads the other
// model whole through the model reader.
//
// A row record is its fixed fields followed by the element's own record and
// the data item's own record, each present only when its type is nonzero and
// read by the object the factory makes for the type. Type codes are checked
// before a factory sees them, so a damaged file gives a message rather than
// an assertion. The stored node indexes are kept as read (the making of the
// model recomputes them before anything uses them).
#include <cstdio>
#include <string>

#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowObjects.h"
#include "records/TableFileFields.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kRowsSection = "Layout rows";
constexpr std::size_t kNameRoom = kShortNameLength + 1;
constexpr std::size_t kListNameRoom = 64;

std::string Format(const char* format, int first, int second) {
  char text[160];
  std::snprintf(text, sizeof text, format, first, second);
  return text;
}

// Bytes of a row record without its objects' records.
std::int64_t FixedRowBytes(int version) {
  return 4 + 1 + 4 + 4 + 12 + 3 * static_cast<std::int64_t>(ShortNameWidth(version)) + 16;
}

bool IsStorableNodeId(std::int32_t id) {
  return id == 0 || (id > 0 && id < 1000000 && id % 100000 != 0);
}

void ReadRowObjects(BinaryFile& file, LayoutRow& row) {
  if (row.elementType != ElementType::None) {
    row.element = CreateElementData(row.elementType);
    if (row.element) row.element->Read(file);
    CheckSectionRead(file, kRowsSection);
  }
  if (row.dataType != DataType::None) {
    row.item = CreateDataItem(row.dataType);
    if (row.item) row.item->Read(file);
    CheckSectionRead(file, kRowsSection);
  }
}

// Reads the row count of a rows section.
std::int32_t ReadRowCount(BinaryFile& file, int version) {
  std::int32_t count = 0;
  BinaryFileReadInt(file, count);
  CheckSectionRead(file, kRowsSection);
  if (count > kMaxLayoutRows) throw Format("*** Number of rows = %d > maximum = %d ***", count, kMaxLayoutRows);
  if (count < 0) ThrowDamagedSection(kRowsSection, Format("count = %d", count, 0));
  const std::int64_t left = BinaryFileBytesLeft(file);
  if (left >= 0 && count * FixedRowBytes(version) > left)
    ThrowDamagedSection(kRowsSection, Format("count = %d, more than the file holds", count, 0));
  return count;
}

}  // namespace

void ReadLayoutRow(BinaryFile& file, int version, int rowNumber, LayoutRow& row) {
  row = LayoutRow();
  std::int32_t node = 0;
  std::uint8_t absolute = 0;
  std::int32_t elementType = 0;
  std::int32_t dataType = 0;
  BinaryFileReadInt(file, node);
  BinaryFileReadByte(file, absolute);
  BinaryFileReadInt(file, elementType);
  BinaryFileReadInt(file, dataType);
  BinaryFileReadFloat(file, row.dx);
  BinaryFileReadFloat(file, row.dy);
  BinaryFileReadFloat(file, row.dz);
  CheckSectionRead(file, kRowsSection);
  row.node = RecodeOldNodeId(node, version);
  if (!IsStorableNodeId(row.node))
    ThrowDamagedSection(kRowsSection, Format("row %d: node = %d", rowNumber, row.node));
  if (!IsValidElementType(elementType))
    throw Format("*** Invalid etype = %d, at row %d ***", elementType, rowNumber);
  if (!IsValidDataType(dataType))
    throw Format("*** Invalid dtype = %d, at row %d ***", dataType, rowNumber);
  row.absolute = absolute != 0;
  row.elementType = static_cast<ElementType>(elementType);
  row.dataType = static_cast<DataType>(dataType);
  const std::size_t width = ShortNameWidth(version);
  ReadFixedField(file, row.material, width, kNameRoom, kRowsSection);
  ReadFixedField(file, row.section, width, kNameRoom, kRowsSection);
  ReadFixedField(file, row.load, width, kNameRoom, kRowsSection);
  BinaryFileReadInt(file, row.startNode);
  BinaryFileReadInt(file, row.endNode);
  BinaryFileReadInt(file, row.runStart);
  BinaryFileReadInt(file, row.runEnd);
  CheckSectionRead(file, kRowsSection);
  row.dimmed = false;
  row.drawn = true;
  ReadRowObjects(file, row);
}

void WriteLayoutRow(BinaryFile& file, const LayoutRow& row) {
  BinaryFileWriteInt(file, row.node);
  BinaryFileWriteByte(file, row.absolute ? 1 : 0);
  BinaryFileWriteInt(file, static_cast<std::int32_t>(row.elementType));
  BinaryFileWriteInt(file, static_cast<std::int32_t>(row.dataType));
  BinaryFileWriteFloat(file, row.dx);
  BinaryFileWriteFloat(file, row.dy);
  BinaryFileWriteFloat(file, row.dz);
  BinaryFileWriteFixedText(file, row.material, kNameRoom);
  BinaryFileWriteFixedText(file, row.section, kNameRoom);
  BinaryFileWriteFixedText(file, row.load, kNameRoom);
  BinaryFileWriteInt(file, row.startNode);
  BinaryFileWriteInt(file, row.endNode);
  BinaryFileWriteInt(file, row.runStart);
  BinaryFileWriteInt(file, row.runEnd);
  // A reader expects a record for every nonzero type: a row that lacks its
  // object writes the record of a new object of its kind.
  if (row.elementType != ElementType::None) {
    if (row.element)
      row.element->Write(file);
    else if (auto fresh = CreateElementData(row.elementType))
      fresh->Write(file);
  }
  if (row.dataType != DataType::None) {
    if (row.item)
      row.item->Write(file);
    else if (auto fresh = CreateDataItem(row.dataType))
      fresh->Write(file);
  }
}

void ReadLayoutRows(BinaryFile& file, int version, Model& model) {
  model.rowCount = 0;
  const std::int32_t count = ReadRowCount(file, version);
  for (int number = 1; number <= count; ++number)
    ReadLayoutRow(file, version, number, model.row(number));
  model.rowCount = count;
}

void WriteLayoutRows(BinaryFile& file, const Model& model) {
  BinaryFileWriteInt(file, model.rowCount);
  for (int number = 1; number <= model.rowCount; ++number) {
    BinaryFileNextRecord(file);
    WriteLayoutRow(file, model.row(number));
  }
}

void ReadLayoutPosition(BinaryFile& file, int version, Model& model) {
  model.currentRow = 1;
  model.layoutTopRow = 1;
  if (version <= 502) return;  // not kept before version 503
  std::int32_t current = 0;
  std::int32_t top = 0;
  BinaryFileReadInt(file, current);
  BinaryFileReadInt(file, top);
  CheckSectionRead(file, kRowsSection);
  // Only where the Layout table opens: a position past the rows opens at the
  // nearest row rather than refusing the model.
  const int last = model.rowCount + 1;
  model.currentRow = current < 1 ? 1 : (current > last ? last : current);
  model.layoutTopRow = top < 1 ? 1 : (top > last ? last : top);
}

void WriteLayoutPosition(BinaryFile& file, const Model& model) {
  BinaryFileWriteInt(file, model.currentRow);
  BinaryFileWriteInt(file, model.layoutTopRow);
}

void ReadListWindowState(BinaryFile& file, int version, std::string& listName) {
  listName.clear();
  if (version <= 502) return;  // not kept before version 503
  std::string read;
  BinaryFileReadText(file, read);
  CheckSectionRead(file, "List window");
  if (read.size() >= kListNameRoom) ThrowDamagedSection("List window", "list name too long");
  listName = read;
}

void WriteListWindowState(BinaryFile& file, const std::string& listName) {
  BinaryFileWriteText(file, listName);
}
