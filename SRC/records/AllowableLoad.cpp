// Allowable loads per node: record, lookup, growth and the file section; see
// the header.
#include "records/AllowableLoad.h"

#include "records/TableFileFields.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kSection = "Allowables";
constexpr std::int64_t kRecordBytes = 28;

}  // namespace

int FindAllowableByNode(const ModelRecordTable<Allowable>& table, std::int32_t node) {
  if (node == 0) return 0;
  for (int index = 1; index <= table.count; ++index)
    if (table[index].node == node) return index;
  return 0;
}

int AppendAllowable(ModelRecordTable<Allowable>& table, const Allowable& record) {
  const int index = ModelRecordTableAppend(table, 4);
  table[index] = record;
  return index;
}

void ReadAllowable(BinaryFile& file, Allowable& record) {
  BinaryFileReadInt(file, record.node);
  BinaryFileReadFloats(file, record.values.data(), 6);
}

void WriteAllowable(BinaryFile& file, const Allowable& record) {
  BinaryFileWriteInt(file, record.node);
  BinaryFileWriteFloats(file, record.values.data(), 6);
}

void ReadAllowables(BinaryFile& file, int version, ModelRecordTable<Allowable>& table) {
  // Files up to version 690 have no allowables section.
  if (version <= 690) return;
  ReadTableSection(file, kSection, kRecordBytes, table, ReadAllowable);
}

void WriteAllowables(BinaryFile& file, const ModelRecordTable<Allowable>& table) {
  WriteTableSection(file, table, WriteAllowable);
}
