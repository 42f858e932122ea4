// Beam loads: record, defaults, lookup, growth and the file section; see the
// header.
#include "records/BeamLoad.h"

#include "records/TableFileFields.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kSection = "Beam loads";

// Files above version 690 carry T4 to T10.
bool HasTenTemperatures(int version) { return version > 690; }

template <int Index>
float Temperature(const BeamLoad& record) {
  return record.temperature[Index];
}

FieldRefusal TemperatureRefusal(float value, const BeamLoad&) { return LoadTemperatureRefusal(value); }

template <int Index>
constexpr FieldRule<BeamLoad> TemperatureRule(const char* name) {
  return {name, "Temperature", Temperature<Index>, TemperatureRefusal};
}

}  // namespace

const FieldRule<BeamLoad> kBeamLoadRules[kBeamLoadRuleCount] = {
    TemperatureRule<0>("T1"),
    TemperatureRule<1>("T2"),
    TemperatureRule<2>("T3"),
    TemperatureRule<3>("T4"),
    TemperatureRule<4>("T5"),
    TemperatureRule<5>("T6"),
    TemperatureRule<6>("T7"),
    TemperatureRule<7>("T8"),
    TemperatureRule<8>("T9"),
    TemperatureRule<9>("T10"),
    {"additional weight", "Additional weight", [](const BeamLoad& l) { return l.additionalWeight; },
     [](float value, const BeamLoad&) { return NotNegativeRefusal(value); }},
};

void InitBeamLoad(BeamLoad& record, float referenceTemperature) {
  record = BeamLoad{};
  record.temperature.fill(referenceTemperature);
  record.wind = 1;
}

int FindBeamLoadByName(const ModelRecordTable<BeamLoad>& table, const std::string& name) {
  return FindRecordByName(table, name);
}

int AppendBeamLoad(ModelRecordTable<BeamLoad>& table, const BeamLoad& record) {
  const int index = ModelRecordTableAppend(table, 4);
  table[index] = record;
  return index;
}

// The temperatures an older file lacks keep what the record held.
void BeamLoadRead(BinaryFile& file, int version, BeamLoad& record) {
  ReadFixedField(file, record.name, ShortNameWidth(version), kShortNameRoom, kSection);
  BinaryFileReadFloats(file, record.temperature.data(), HasTenTemperatures(version) ? 10 : 3);
  BinaryFileReadFloat(file, record.additionalWeight);
  BinaryFileReadByte(file, record.wind);
}

void BeamLoadWrite(BinaryFile& file, const BeamLoad& record) {
  WriteFixedField(file, record.name, kShortNameRoom);
  BinaryFileWriteFloats(file, record.temperature.data(), 10);
  BinaryFileWriteFloat(file, record.additionalWeight);
  BinaryFileWriteByte(file, record.wind);
}

void ReadBeamLoads(BinaryFile& file, int version, float referenceTemperature,
                   ModelRecordTable<BeamLoad>& table) {
  const std::int64_t minimum = static_cast<std::int64_t>(ShortNameWidth(version)) +
                               (HasTenTemperatures(version) ? 40 : 12) + 4 + 1;
  ReadTableSection(file, kSection, minimum, table,
                   [version, referenceTemperature](BinaryFile& in, BeamLoad& record) {
                     InitBeamLoad(record, referenceTemperature);
                     BeamLoadRead(in, version, record);
                   });
}

void WriteBeamLoads(BinaryFile& file, const ModelRecordTable<BeamLoad>& table) {
  WriteTableSection(file, table, BeamLoadWrite);
}
