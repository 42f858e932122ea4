// Beam materials: record, lookup, growth and the file section; see the header.
#include "records/BeamMaterial.h"

#include "records/TableFileFields.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kSection = "Beam materials";
constexpr std::size_t kDescriptionWidth = 28;

FieldRefusal NotNegative(float value, const BeamMaterial&) { return NotNegativeRefusal(value); }

// The shear modulus E / 2 / (1 + Nu) of a ratio outside these would be no
// steel's (and infinite at -1).
FieldRefusal NuRefusal(float value, const BeamMaterial&) {
  if (value >= 0.5f) return {"Nu should be < 0.5", RefusalShow::kMessage};
  if (value < 0.01f) return {"Nu should be > 0.01", RefusalShow::kMessage};
  return {};
}

}  // namespace

const FieldRule<BeamMaterial> kBeamMaterialRules[kBeamMaterialRuleCount] = {
    {"Young's modulus", "E", [](const BeamMaterial& m) { return m.E; }, NotNegative},
    {"Poisson's ratio", "Nu", [](const BeamMaterial& m) { return m.nu; }, NuRefusal, ZeroIsNotGiven<BeamMaterial>},
    {"density", "Density", [](const BeamMaterial& m) { return m.density; }, NotNegative},
};

void InitBeamMaterial(BeamMaterial& record) { record = BeamMaterial{}; }

int FindBeamMaterialByName(const ModelRecordTable<BeamMaterial>& table, const std::string& name) {
  return FindRecordByName(table, name);
}

int AppendBeamMaterial(ModelRecordTable<BeamMaterial>& table, const BeamMaterial& record) {
  const int index = ModelRecordTableAppend(table, 4);
  table[index] = record;
  return index;
}

void BeamMaterialRead(BinaryFile& file, int version, BeamMaterial& record) {
  ReadFixedField(file, record.name, ShortNameWidth(version), kShortNameRoom, kSection);
  ReadFixedField(file, record.description, kDescriptionWidth, kDescriptionWidth, kSection);
  BinaryFileReadFloat(file, record.E);
  BinaryFileReadFloat(file, record.nu);
  BinaryFileReadFloat(file, record.density);
  BinaryFileReadFloat(file, record.alpha);
}

void BeamMaterialWrite(BinaryFile& file, const BeamMaterial& record) {
  WriteFixedField(file, record.name, kShortNameRoom);
  WriteFixedField(file, record.description, kDescriptionWidth);
  const float values[] = {record.E, record.nu, record.density, record.alpha};
  BinaryFileWriteFloats(file, values, 4);
}

void ReadBeamMaterials(BinaryFile& file, int version, ModelRecordTable<BeamMaterial>& table) {
  const std::int64_t minimum = static_cast<std::int64_t>(ShortNameWidth(version)) + kDescriptionWidth + 16;
  ReadTableSection(file, kSection, minimum, table,
                   [version](BinaryFile& in, BeamMaterial& record) { BeamMaterialRead(in, version, record); });
}

void WriteBeamMaterials(BinaryFile& file, const ModelRecordTable<BeamMaterial>& table) {
  WriteTableSection(file, table, BeamMaterialWrite);
}
