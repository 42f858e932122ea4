// What the property lists (Materials, Pipe Sections) and the tables in the
// properties' dialogs share: measuring a text in a table's font, the one
// door of an edit (EditSteps.h), and inserting or removing a record in the
// middle of a model table.
#pragma once

#include <string>
#include <utility>

#include "model/EditSteps.h"
#include "model/Model.h"
#include "services/TableWindow.h"
#include "platform/Types.h"
#include "records/RecordTable.h"

// The width of `text` in the font selected into `dc`; 0 without a DC.
int DcTextWidth(HDC dc, const std::string& text);

// Stores `value` in `field`; true when it differed.
inline bool StoreFloat(float& field, float value) {
  if (field == value) return false;
  field = value;
  return true;
}

// A fresh record at `row` (1..count), the records from it moved down; the
// table grows by 4 when full.
template <typename T>
void InsertRecordAt(ModelRecordTable<T>& table, int row) {
  if (table.count >= table.capacity) ModelRecordTableGrow(table, table.capacity + 4);
  for (int r = table.count; r >= row; --r) table[r + 1] = std::move(table[r]);
  table[row] = T{};
  ++table.count;
}

// Record `row` removed, the records behind it moved up.
template <typename T>
void RemoveRecordAt(ModelRecordTable<T>& table, int row) {
  for (int r = row; r < table.count; ++r) table[r] = std::move(table[r + 1]);
  table[table.count] = T{};
  --table.count;
}
