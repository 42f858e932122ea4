// Pipe sections: record, lookup, growth and the file section; see the header.
#include "records/PipeSection.h"

#include "records/TableFileFields.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kSection = "Pipe sections";
constexpr std::size_t kNominalSizeWidth = 8;
constexpr std::size_t kScheduleWidth = 4;
constexpr std::size_t kSoilWidth = 4;

// Files above version 501 carry the soil name.
bool HasSoilName(int version) { return version > 501; }

void ReadDimensions(BinaryFile& file, PipeSection& record) {
  float* const fields[] = {&record.outsideDiameter,   &record.thickness,          &record.corrosionAllowance,
                           &record.millTolerance,     &record.insulationDensity,  &record.insulationThickness,
                           &record.liningDensity,     &record.liningThickness};
  for (float* field : fields) BinaryFileReadFloat(file, *field);
}

// Some wall must be left for the stresses once corrosion and the mill
// tolerance are taken.
bool LeavesWall(float thickness, float millTolerance, float corrosion) {
  return (1.0f - millTolerance * 0.01f) * thickness - corrosion >= 0.0001f;
}

FieldRefusal DiameterRefusal(float value, const PipeSection&) {
  if (value < kLeastOutsideDiameter) return {"below 0.001 in"};
  return {};
}

FieldRefusal WallRefusal(float value, const PipeSection& section) {
  if (value < kLeastWall) return {"below 0.0001 in"};
  if (section.outsideDiameter / 2.0f < value) return {"Thickness is greater than radius", RefusalShow::kMessage};
  return {};
}

FieldRefusal CorrosionRefusal(float value, const PipeSection& section) {
  if (value < 0.0f) return {"below 0"};
  if (section.thickness <= value) return {"Corrosion allowance >= Thickness", RefusalShow::kMessage};
  if (!LeavesWall(section.thickness, section.millTolerance, value))
    return {"Corrosion allowance + mill tolerance is too large", RefusalShow::kMessage};
  return {};
}

FieldRefusal MillRefusal(float value, const PipeSection& section) {
  if (value < 0.0f || value > kLargestMillTolerance) return {"not from 0 to 75 %"};
  if (!LeavesWall(section.thickness, value, section.corrosionAllowance))
    return {"Corrosion allowance + mill tolerance is too large", RefusalShow::kMessage};
  return {};
}

FieldRefusal LiningRefusal(float value, const PipeSection& section) {
  if (value < 0.0f) return {"below 0"};
  if (section.outsideDiameter / 2.0f - section.thickness < value) return {"Lining thickness > radius", RefusalShow::kMessage};
  return {};
}

FieldRefusal NotNegative(float value, const PipeSection&) { return NotNegativeRefusal(value); }

bool WithoutWall(const PipeSection& section) { return section.thickness == 0.0f; }

}  // namespace

const FieldRule<PipeSection> kSectionRules[kSectionRuleCount] = {
    {"outside diameter", "Outside diameter", [](const PipeSection& s) { return s.outsideDiameter; }, DiameterRefusal,
     ZeroIsNotGiven<PipeSection>},
    {"wall thickness", "Thickness", [](const PipeSection& s) { return s.thickness; }, WallRefusal,
     ZeroIsNotGiven<PipeSection>},
    {"corrosion allowance", "Corrosion allowance", [](const PipeSection& s) { return s.corrosionAllowance; },
     CorrosionRefusal, WithoutWall},
    {"mill tolerance (%)", "Mill tolerance", [](const PipeSection& s) { return s.millTolerance; }, MillRefusal,
     WithoutWall},
    {"insulation density", "Insulation density", [](const PipeSection& s) { return s.insulationDensity; },
     NotNegative},
    {"insulation thickness", "Insulation thickness", [](const PipeSection& s) { return s.insulationThickness; },
     NotNegative},
    {"lining density", "Lining density", [](const PipeSection& s) { return s.liningDensity; }, NotNegative},
    {"lining thickness", "Lining thickness", [](const PipeSection& s) { return s.liningThickness; }, LiningRefusal},
};

void InitSection(PipeSection& record) { record = PipeSection{}; }

int FindSectionByName(const ModelRecordTable<PipeSection>& table, const std::string& name) {
  return FindRecordByName(table, name);
}

int AppendSection(ModelRecordTable<PipeSection>& table, const PipeSection& record) {
  const int index = ModelRecordTableAppend(table, 4);
  table[index] = record;
  return index;
}

void SectionRead(BinaryFile& file, int version, PipeSection& record) {
  ReadFixedField(file, record.name, ShortNameWidth(version), kShortNameRoom, kSection);
  BinaryFileReadInt(file, record.standard);
  ReadFixedField(file, record.nominalSize, kNominalSizeWidth, kNominalSizeWidth, kSection);
  ReadFixedField(file, record.schedule, kScheduleWidth, kScheduleWidth, kSection);
  ReadDimensions(file, record);
  CheckSectionRead(file, kSection);
  // The standard picks the size table of the section dialog.
  if (record.standard < kStandardAnsi || record.standard > kStandardIso)
    ThrowDamagedSection(kSection, "section " + record.name + " has an unknown dimension standard");
  if (HasSoilName(version))
    ReadFixedField(file, record.soil, kSoilWidth, kSoilWidth, kSection);
  else
    record.soil.clear();
}

void SectionWrite(BinaryFile& file, const PipeSection& record) {
  WriteFixedField(file, record.name, kShortNameRoom);
  BinaryFileWriteInt(file, record.standard);
  WriteFixedField(file, record.nominalSize, kNominalSizeWidth);
  WriteFixedField(file, record.schedule, kScheduleWidth);
  const float fields[] = {record.outsideDiameter,   record.thickness,          record.corrosionAllowance,
                          record.millTolerance,     record.insulationDensity,  record.insulationThickness,
                          record.liningDensity,     record.liningThickness};
  BinaryFileWriteFloats(file, fields, 8);
  WriteFixedField(file, record.soil, kSoilWidth);
}

void ReadSections(BinaryFile& file, int version, ModelRecordTable<PipeSection>& table) {
  const std::int64_t minimum = static_cast<std::int64_t>(ShortNameWidth(version)) + 4 + 8 + 4 + 32 +
                               (HasSoilName(version) ? 4 : 0);
  ReadTableSection(file, kSection, minimum, table,
                   [version](BinaryFile& in, PipeSection& record) { SectionRead(in, version, record); });
}

void WriteSections(BinaryFile& file, const ModelRecordTable<PipeSection>& table) {
  WriteTableSection(file, table, SectionWrite);
}
