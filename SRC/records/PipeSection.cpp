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

}  // namespace

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
