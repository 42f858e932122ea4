// Soils: record, lookup, growth and the file section; see the header.
#include "records/Soil.h"

#include "records/TableFileFields.h"
#include "services/BinaryFile.h"
#include "services/NumberText.h"

namespace {

constexpr const char* kSection = "Soils";
constexpr std::size_t kNameWidth = 4;
constexpr std::int64_t kRecordBytes = 4 + 1 + 5 * 4;

FieldRefusal Positive(float value, const Soil&) {
  if (!(value >= kZeroThreshold)) return {"not above 0"};
  return {};
}

FieldRefusal DeltaRefusal(float value, const Soil&) {
  if (value < 0.0f || value > kLargestSoilDelta) return {"not from 0 to 75 degrees"};
  return {};
}

}  // namespace

const FieldRule<Soil> kSoilRules[kSoilRuleCount] = {
    {"density", "Density", [](const Soil& s) { return s.density; }, Positive, ZeroIsNotGiven<Soil>},
    {"strength", "Strength", [](const Soil& s) { return s.strength; }, Positive, ZeroIsNotGiven<Soil>},
    {"delta", "Delta", [](const Soil& s) { return s.delta; }, DeltaRefusal},
    {"ks", "Ks", [](const Soil& s) { return s.Ks; }, Positive, ZeroIsNotGiven<Soil>},
};

int FindSoilByName(const ModelRecordTable<Soil>& table, const std::string& name) {
  return FindRecordByName(table, name);
}

int AppendSoil(ModelRecordTable<Soil>& table, const Soil& record) {
  const int index = ModelRecordTableAppend(table, 4);
  table[index] = record;
  return index;
}

void SoilRead(BinaryFile& file, Soil& record) {
  ReadFixedField(file, record.name, kNameWidth, kNameWidth, kSection);
  BinaryFileReadByte(file, record.type);
  BinaryFileReadFloat(file, record.density);
  BinaryFileReadFloat(file, record.strength);
  BinaryFileReadFloat(file, record.delta);
  BinaryFileReadFloat(file, record.Ks);
  BinaryFileReadFloat(file, record.groundLevel);
  CheckSectionRead(file, kSection);
  if (record.type != kSoilCohesionless && record.type != kSoilCohesive)
    ThrowDamagedSection(kSection, "soil " + record.name + " has an unknown type");
}

void SoilWrite(BinaryFile& file, const Soil& record) {
  WriteFixedField(file, record.name, kNameWidth);
  BinaryFileWriteByte(file, record.type);
  const float values[] = {record.density, record.strength, record.delta, record.Ks, record.groundLevel};
  BinaryFileWriteFloats(file, values, 5);
}

void ReadSoils(BinaryFile& file, int version, ModelRecordTable<Soil>& table) {
  // Files up to version 501 have no soils section.
  if (version <= 501) return;
  ReadTableSection(file, kSection, kRecordBytes, table, SoilRead);
}

void WriteSoils(BinaryFile& file, const ModelRecordTable<Soil>& table) {
  WriteTableSection(file, table, SoilWrite);
}
