// Compressors and turbines: record, growth and the two file sections; see the
// header.
#include "records/Compressor.h"

#include "records/TableFileFields.h"
#include "services/BinaryFile.h"

namespace {

constexpr std::size_t kDescriptionWidth = 16;
constexpr std::int64_t kRecordBytes = 16 + 4 * 4 + 3 * 4;

void ReadRecord(BinaryFile& file, const char* section, RotatingEquipment& record) {
  ReadFixedField(file, record.description, kDescriptionWidth, kDescriptionWidth, section);
  BinaryFileReadInt(file, record.inletNode);
  BinaryFileReadInt(file, record.exhaustNode);
  BinaryFileReadInt(file, record.extractionNode1);
  BinaryFileReadInt(file, record.extractionNode2);
  BinaryFileReadFloats(file, record.shaftAxis.data(), 3);
}

void ReadEquipment(BinaryFile& file, const char* section, ModelRecordTable<RotatingEquipment>& table) {
  ReadTableSection(file, section, kRecordBytes, table,
                   [section](BinaryFile& in, RotatingEquipment& record) { ReadRecord(in, section, record); });
}

}  // namespace

int AppendRotatingEquipment(ModelRecordTable<RotatingEquipment>& table, const RotatingEquipment& record) {
  const int index = ModelRecordTableAppend(table, 4);
  table[index] = record;
  return index;
}

void RotatingEquipmentRead(BinaryFile& file, RotatingEquipment& record) {
  ReadRecord(file, "Compressors and turbines", record);
}

void RotatingEquipmentWrite(BinaryFile& file, const RotatingEquipment& record) {
  WriteFixedField(file, record.description, kDescriptionWidth);
  BinaryFileWriteInt(file, record.inletNode);
  BinaryFileWriteInt(file, record.exhaustNode);
  BinaryFileWriteInt(file, record.extractionNode1);
  BinaryFileWriteInt(file, record.extractionNode2);
  BinaryFileWriteFloats(file, record.shaftAxis.data(), 3);
}

void ReadCompressors(BinaryFile& file, int /*version*/, ModelRecordTable<RotatingEquipment>& table) {
  ReadEquipment(file, "Compressors", table);
}

void WriteCompressors(BinaryFile& file, const ModelRecordTable<RotatingEquipment>& table) {
  WriteTableSection(file, table, RotatingEquipmentWrite);
}

void ReadTurbines(BinaryFile& file, int /*version*/, ModelRecordTable<RotatingEquipment>& table) {
  ReadEquipment(file, "Turbines", table);
}

void WriteTurbines(BinaryFile& file, const ModelRecordTable<RotatingEquipment>& table) {
  WriteTableSection(file, table, RotatingEquipmentWrite);
}
