// Pipe materials: record, lookup, growth and the file section; see the header.
#include "properties/Material.h"

#include <cstdio>

#include "properties/TableFileFields.h"
#include "shell/BinaryFile.h"

namespace {

constexpr const char* kSection = "Materials";
constexpr std::size_t kTypeWidth = 3;
constexpr std::size_t kDescriptionWidth = 32;
constexpr std::int64_t kFixedBytesAfterName = 3 + 1 + 32 + 5 * 4 + 4;
constexpr std::int64_t kTempRowBytes = 8 * 4;

void ReadTemperatureRows(BinaryFile& file, Material& record) {
  std::int32_t rows = 0;
  BinaryFileReadInt(file, rows);
  CheckSectionRead(file, kSection);
  const std::int64_t left = BinaryFileBytesLeft(file);
  if (rows < 0 || rows > kMaxMaterialTemps || (left >= 0 && rows * kTempRowBytes > left)) {
    char detail[80];
    std::snprintf(detail, sizeof detail, "material %s has %d temperature rows", record.name.c_str(),
                  static_cast<int>(rows));
    ThrowDamagedSection(kSection, detail);
  }
  record.numtemps = rows;
  record.temps.assign(static_cast<std::size_t>(rows) + 1, MaterialTempRow{});
  for (int row = 1; row <= rows; ++row)
    BinaryFileReadFloats(file, record.temps[static_cast<std::size_t>(row)].values.data(), 8);
}

}  // namespace

int FindMaterialByName(const ModelRecordTable<Material>& table, const std::string& name) {
  return FindRecordByName(table, name);
}

int AppendMaterial(ModelRecordTable<Material>& table, const Material& record) {
  const int index = ModelRecordTableAppend(table, 4);
  table[index] = record;
  return index;
}

void MaterialRead(BinaryFile& file, int version, Material& record) {
  ReadFixedField(file, record.name, ShortNameWidth(version), kShortNameRoom, kSection);
  ReadFixedField(file, record.type, kTypeWidth, kTypeWidth, kSection);
  BinaryFileReadByte(file, record.isFrp);
  ReadFixedField(file, record.description, kDescriptionWidth, kDescriptionWidth, kSection);
  BinaryFileReadFloat(file, record.nu);
  BinaryFileReadFloat(file, record.density);
  BinaryFileReadFloat(file, record.jointFactor);
  BinaryFileReadFloat(file, record.circJointFactor);
  BinaryFileReadFloat(file, record.strength);
  ReadTemperatureRows(file, record);
}

void MaterialWrite(BinaryFile& file, const Material& record) {
  WriteFixedField(file, record.name, kShortNameRoom);
  WriteFixedField(file, record.type, kTypeWidth);
  BinaryFileWriteByte(file, record.isFrp);
  WriteFixedField(file, record.description, kDescriptionWidth);
  BinaryFileWriteFloat(file, record.nu);
  BinaryFileWriteFloat(file, record.density);
  BinaryFileWriteFloat(file, record.jointFactor);
  BinaryFileWriteFloat(file, record.circJointFactor);
  BinaryFileWriteFloat(file, record.strength);
  BinaryFileWriteInt(file, record.numtemps);
  // A record made in memory may hold fewer rows than it counts; the file
  // then gets zero rows for them rather than bytes from beyond the array.
  for (int row = 1; row <= record.numtemps; ++row) {
    const std::size_t at = static_cast<std::size_t>(row);
    const MaterialTempRow blank{};
    const MaterialTempRow& values = at < record.temps.size() ? record.temps[at] : blank;
    BinaryFileWriteFloats(file, values.values.data(), 8);
  }
}

void ReadMaterials(BinaryFile& file, int version, ModelRecordTable<Material>& table) {
  const std::int64_t minimum = static_cast<std::int64_t>(ShortNameWidth(version)) + kFixedBytesAfterName;
  ReadTableSection(file, kSection, minimum, table,
                   [version](BinaryFile& in, Material& record) { MaterialRead(in, version, record); });
}

void WriteMaterials(BinaryFile& file, const ModelRecordTable<Material>& table) {
  WriteTableSection(file, table, MaterialWrite);
}
