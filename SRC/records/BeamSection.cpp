// Beam sections: record, lookup, growth and the file section; see the header.
#include "records/BeamSection.h"

#include "records/TableFileFields.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kSection = "Beam sections";
constexpr std::size_t kDescriptionWidth = 16;

FieldRefusal NotNegative(float value, const BeamSection&) { return NotNegativeRefusal(value); }
FieldRefusal Positive(float value, const BeamSection&) {
  if (!(value > 0.0f)) return {"not above 0"};
  return {};
}

}  // namespace

const FieldRule<BeamSection> kBeamSectionRules[kBeamSectionRuleCount] = {
    {"axial area", "Area", [](const BeamSection& s) { return s.A; }, Positive, ZeroIsNotGiven<BeamSection>},
    {"major moment of inertia", "Moment of inertia", [](const BeamSection& s) { return s.Imaj; }, Positive,
     ZeroIsNotGiven<BeamSection>},
    {"minor moment of inertia", "Moment of inertia", [](const BeamSection& s) { return s.Imin; }, Positive,
     ZeroIsNotGiven<BeamSection>},
    {"torsional inertia", "Torsional constant", [](const BeamSection& s) { return s.J; }, NotNegative},
    {"major shear area", "Area", [](const BeamSection& s) { return s.Asmaj; }, NotNegative},
    {"minor shear area", "Area", [](const BeamSection& s) { return s.Asmin; }, NotNegative},
    {"depth", "Depth", [](const BeamSection& s) { return s.depth; }, NotNegative},
    {"width", "Width", [](const BeamSection& s) { return s.width; }, NotNegative},
};

void InitBeamSection(BeamSection& record) { record = BeamSection{}; }

int FindBeamSectionByName(const ModelRecordTable<BeamSection>& table, const std::string& name) {
  return FindRecordByName(table, name);
}

int AppendBeamSection(ModelRecordTable<BeamSection>& table, const BeamSection& record) {
  const int index = ModelRecordTableAppend(table, 4);
  table[index] = record;
  return index;
}

void BeamSectionRead(BinaryFile& file, std::size_t nameWidth, BeamSection& record) {
  ReadFixedField(file, record.name, nameWidth, kShortNameRoom, kSection);
  ReadFixedField(file, record.description, kDescriptionWidth, kDescriptionWidth, kSection);
  float* const fields[] = {&record.A,     &record.Imaj,  &record.Imin,  &record.J,
                           &record.Asmaj, &record.Asmin, &record.depth, &record.width};
  for (float* field : fields) BinaryFileReadFloat(file, *field);
}

void BeamSectionWrite(BinaryFile& file, const BeamSection& record) {
  WriteFixedField(file, record.name, kShortNameRoom);
  WriteFixedField(file, record.description, kDescriptionWidth);
  const float values[] = {record.A,     record.Imaj,  record.Imin,  record.J,
                          record.Asmaj, record.Asmin, record.depth, record.width};
  BinaryFileWriteFloats(file, values, 8);
}

void ReadBeamSections(BinaryFile& file, int version, ModelRecordTable<BeamSection>& table) {
  const std::size_t nameWidth = ShortNameWidth(version);
  const std::int64_t minimum = static_cast<std::int64_t>(nameWidth) + kDescriptionWidth + 32;
  ReadTableSection(file, kSection, minimum, table,
                   [nameWidth](BinaryFile& in, BeamSection& record) { BeamSectionRead(in, nameWidth, record); });
}

void WriteBeamSections(BinaryFile& file, const ModelRecordTable<BeamSection>& table) {
  WriteTableSection(file, table, BeamSectionWrite);
}
