// The storage of every property and equipment table of the model: materials,
// pipe sections, pipe loads, beam tables, pumps, compressors, turbines,
// allowable loads, soils ... Records are numbered from 1; slot 0 holds no
// record, so index 0 means "none" in every cross-reference.
//
// A table keeps a capacity and a count beside its records. A new model gives
// each table two zeroed slots with capacity and count 0, so the first record
// added grows it; how far a table grows is the business of the record's own
// module (ModelRecordTableGrow takes the new capacity). A section reader sizes
// the table to the count it read (ModelRecordTableSizeForRead). The slots
// hold value-initialised records; the array always has room for capacity + 1
// slots and at least two.
//
// Lookup by name returns the record number, or 0 when the name is empty or no
// record carries it; the record type only needs a `name` member that converts
// to std::string_view (a std::string or a zero-terminated char array). A name
// that several records hold (older files may hold such repeats) reaches only
// the first of them, and a rename keeps it so (RenameRecordAt).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "services/Assert.h"

template <typename T>
struct ModelRecordTable {
  std::vector<T> records = std::vector<T>(2);  // slot 0 unused; room >= capacity + 1
  int capacity = 0;
  int count = 0;

  T& operator[](int index) {
    QV_ASSERT(index >= 0 && static_cast<std::size_t>(index) < records.size());
    return records[static_cast<std::size_t>(index)];
  }
  const T& operator[](int index) const {
    QV_ASSERT(index >= 0 && static_cast<std::size_t>(index) < records.size());
    return records[static_cast<std::size_t>(index)];
  }
};

// The table of a new model: two zeroed slots, capacity and count 0.
template <typename T>
void ModelRecordTableReset(ModelRecordTable<T>& table) {
  table.records.assign(2, T{});
  table.capacity = 0;
  table.count = 0;
}

// Before a section reader fills records 1 to count: count + 2 fresh slots,
// capacity and count both become the count read.
template <typename T>
void ModelRecordTableSizeForRead(ModelRecordTable<T>& table, int count) {
  QV_ASSERT(count >= 0);
  table.records.assign(static_cast<std::size_t>(count) + 2, T{});
  table.capacity = count;
  table.count = count;
}

// Grows the room to newCapacity records, keeping the records there are; new
// slots are fresh records. Never shrinks.
template <typename T>
void ModelRecordTableGrow(ModelRecordTable<T>& table, int newCapacity) {
  if (newCapacity <= table.capacity) return;
  const std::size_t room = static_cast<std::size_t>(newCapacity) + 1;
  if (table.records.size() < room) table.records.resize(room);
  table.capacity = newCapacity;
}

// Appends a fresh record, growing by `growBy` records when the table is full;
// returns its number.
template <typename T>
int ModelRecordTableAppend(ModelRecordTable<T>& table, int growBy) {
  QV_ASSERT(growBy > 0);
  if (table.count >= table.capacity) ModelRecordTableGrow(table, table.capacity + growBy);
  ++table.count;
  table[table.count] = T{};
  return table.count;
}

template <typename T>
int FindRecordByName(const ModelRecordTable<T>& table, std::string_view name) {
  if (name.empty()) return 0;
  for (int index = 1; index <= table.count; ++index)
    if (std::string_view(table[index].name) == name) return index;
  return 0;
}

// Renames record `index` to `newName`, the one way every property record is
// renamed. The references to its old name follow, through
// `renameReferences(oldName, newName)`, only when they reach this record,
// the first of its name: a later record of a repeated name is renamed alone.
// So a rename changes the record that was edited and never the record a
// reference reaches. Both names are copies: either may be a field that the
// renaming changes.
template <typename T, typename RenameReferences>
void RenameRecordAt(ModelRecordTable<T>& table, int index, const std::string newName,
                    RenameReferences renameReferences) {
  const std::string oldName = table[index].name;
  if (FindRecordByName(table, oldName) == index) renameReferences(oldName, newName);
  table[index].name = newName;
}
