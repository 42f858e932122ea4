// Pumps: record, defaults, growth and the file section; see the header.
#include "records/Pump.h"

#include <cstdio>

#include "records/TableFileFields.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kSection = "Pumps";
constexpr std::size_t kNameWidth = 16;

// Files above version 700 carry the standard and the ANSI/HI fields.
bool HasStandardFields(int version) { return version > 700; }

// Bytes of a record by its fields: 16 + 4 x 4 + 6 x 4 + 1, and 5 x 4 + 4 more
// from version 701.
std::int64_t RecordBytes(int version) { return HasStandardFields(version) ? 81 : 57; }

// The standard, category and material group index the dialog's lists and the
// evaluation's tables; size and bolt or mounting depend on the category and
// are checked where they are used.
void CheckEnumerations(const Pump& record) {
  const bool standardOk = record.standard >= 0 && record.standard <= kPumpAnsiHi962;
  const bool categoryOk = record.category >= 0 && record.category <= 5;
  const bool groupOk = record.materialGroup >= 0 && record.materialGroup <= 17;
  const bool locationsOk = record.suctionLocation >= kNozzleTop && record.suctionLocation <= kNozzleEnd &&
                           record.dischargeLocation >= kNozzleTop && record.dischargeLocation <= kNozzleEnd;
  if (standardOk && categoryOk && groupOk && locationsOk) return;
  ThrowDamagedSection(kSection, "pump " + record.name + " has an unknown standard, category, material "
                                "group or nozzle location");
}

}  // namespace

void InitPumpRecord(Pump& record) {
  record = Pump{};
  record.standard = kPumpHorizontalApi610;
}

std::int32_t EffectivePumpStandard(const Pump& record) {
  return record.standard == 0 ? kPumpHorizontalApi610 : record.standard;
}

int AppendPump(ModelRecordTable<Pump>& table, const Pump& record) {
  const int index = ModelRecordTableAppend(table, 4);
  table[index] = record;
  return index;
}

void ReadPumpRecord(BinaryFile& file, int version, Pump& record) {
  ReadFixedField(file, record.name, kNameWidth, kNameWidth, kSection);
  BinaryFileReadInt(file, record.suctionNode);
  BinaryFileReadInt(file, record.suctionLocation);
  BinaryFileReadInt(file, record.dischargeNode);
  BinaryFileReadInt(file, record.dischargeLocation);
  BinaryFileReadFloats(file, record.shaftAxis.data(), 3);
  BinaryFileReadFloats(file, record.centre.data(), 3);
  BinaryFileReadByte(file, record.vertical);
  if (HasStandardFields(version)) {
    BinaryFileReadInt(file, record.standard);
    BinaryFileReadInt(file, record.category);
    BinaryFileReadInt(file, record.size);
    BinaryFileReadInt(file, record.materialGroup);
    BinaryFileReadInt(file, record.boltOrMounting);
    BinaryFileReadFloat(file, record.temperature);
  }
  CheckSectionRead(file, kSection);
  CheckEnumerations(record);
}

void WritePumpRecord(BinaryFile& file, const Pump& record) {
  WriteFixedField(file, record.name, kNameWidth);
  BinaryFileWriteInt(file, record.suctionNode);
  BinaryFileWriteInt(file, record.suctionLocation);
  BinaryFileWriteInt(file, record.dischargeNode);
  BinaryFileWriteInt(file, record.dischargeLocation);
  BinaryFileWriteFloats(file, record.shaftAxis.data(), 3);
  BinaryFileWriteFloats(file, record.centre.data(), 3);
  BinaryFileWriteByte(file, record.vertical);
  BinaryFileWriteInt(file, record.standard);
  BinaryFileWriteInt(file, record.category);
  BinaryFileWriteInt(file, record.size);
  BinaryFileWriteInt(file, record.materialGroup);
  BinaryFileWriteInt(file, record.boltOrMounting);
  BinaryFileWriteFloat(file, record.temperature);
}

void ReadPumps(BinaryFile& file, int version, ModelRecordTable<Pump>& table) {
  ReadTableSection(file, kSection, RecordBytes(version), table,
                   [version](BinaryFile& in, Pump& record) { ReadPumpRecord(in, version, record); });
}

void WritePumps(BinaryFile& file, const ModelRecordTable<Pump>& table) {
  WriteTableSection(file, table, WritePumpRecord);
}
