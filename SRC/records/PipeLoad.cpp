// Pipe loads: record, defaults, lookup, growth and the file section; see the
// header.
#include "records/PipeLoad.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "records/TableFileFields.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr const char* kSection = "Pipe loads";

// Version thresholds of the record.
bool HasTenPairs(int version) { return version > 690; }
bool HasDesignValues(int version) { return version > 780; }

void ReadPairs(BinaryFile& file, PipeLoad& record, int first, int last) {
  for (int pair = first; pair < last; ++pair) {
    BinaryFileReadFloat(file, record.operating[static_cast<std::size_t>(pair)].temperature);
    BinaryFileReadFloat(file, record.operating[static_cast<std::size_t>(pair)].pressure);
  }
}

std::int64_t RecordBytes(int version) {
  return static_cast<std::int64_t>(ShortNameWidth(version)) + (HasTenPairs(version) ? 80 : 24) +
         (HasDesignValues(version) ? 8 : 0) + 8 + 1;
}

template <int Pair>
float OperatingTemperature(const PipeLoad& record) {
  return record.operating[Pair].temperature;
}

FieldRefusal Temperature(float value, const PipeLoad&) { return LoadTemperatureRefusal(value); }
FieldRefusal NotNegative(float value, const PipeLoad&) { return NotNegativeRefusal(value); }
FieldRefusal SpecificGravity(float value, const PipeLoad&) {
  if (value < 0.0f) return {"should not be negative", RefusalShow::kReason};
  return {};
}

template <int Pair>
constexpr FieldRule<PipeLoad> OperatingRule(const char* name) {
  return {name, "Temperature", OperatingTemperature<Pair>, Temperature};
}

}  // namespace

const FieldRule<PipeLoad> kPipeLoadRules[kPipeLoadRuleCount] = {
    OperatingRule<0>("T1"),
    OperatingRule<1>("T2"),
    OperatingRule<2>("T3"),
    OperatingRule<3>("T4"),
    OperatingRule<4>("T5"),
    OperatingRule<5>("T6"),
    OperatingRule<6>("T7"),
    OperatingRule<7>("T8"),
    OperatingRule<8>("T9"),
    OperatingRule<9>("T10"),
    {"design temperature", "Temperature", [](const PipeLoad& l) { return l.designTemperature; }, Temperature},
    {"specific gravity", "Specific gravity", [](const PipeLoad& l) { return l.specificGravity; }, SpecificGravity},
    {"additional weight", "Additional weight", [](const PipeLoad& l) { return l.additionalWeight; }, NotNegative},
};

int PipeLoadPairsInUse(int thermalLoadCount) {
  if (thermalLoadCount >= 4) return 10;
  return std::max(thermalLoadCount, 1);
}

void InitPipeLoad(PipeLoad& record, float referenceTemperature) {
  record = PipeLoad{};
  for (TemperaturePressure& pair : record.operating) pair = {referenceTemperature, kExplicitZero};
  record.designTemperature = referenceTemperature;
  record.designPressure = kExplicitZero;
  record.wind = 1;
}

int FindPipeLoadByName(const ModelRecordTable<PipeLoad>& table, const std::string& name) {
  return FindRecordByName(table, name);
}

int AppendPipeLoad(ModelRecordTable<PipeLoad>& table, const PipeLoad& record) {
  const int index = ModelRecordTableAppend(table, 4);
  table[index] = record;
  return index;
}

PipeLoad& PipeLoadSlot(ModelRecordTable<PipeLoad>& table, int index) {
  QV_ASSERT(index >= 1 && index <= table.count + 1);
  if (table.records.size() < static_cast<std::size_t>(index) + 1) table.records.resize(static_cast<std::size_t>(index) + 1);
  return table[index];
}

float PipeLoadMaxTemp(const PipeLoad& record, int thermalLoadCount) {
  float highest = record.operating[0].temperature;
  for (int pair = 1; pair < PipeLoadPairsInUse(thermalLoadCount); ++pair)
    highest = std::max(highest, record.operating[static_cast<std::size_t>(pair)].temperature);
  return highest;
}

float PipeLoadMaxPressure(const PipeLoad& record, int thermalLoadCount) {
  float highest = record.operating[0].pressure;
  for (int pair = 1; pair < PipeLoadPairsInUse(thermalLoadCount); ++pair)
    highest = std::max(highest, record.operating[static_cast<std::size_t>(pair)].pressure);
  return highest;
}

bool DesignTemperatureCoversOperating(const PipeLoad& record, int thermalLoadCount) {
  return PipeLoadMaxTemp(record, thermalLoadCount) <= record.designTemperature;
}

bool DesignPressureCoversOperating(const PipeLoad& record, int thermalLoadCount) {
  return PipeLoadMaxPressure(record, thermalLoadCount) <= record.designPressure;
}

// Fields an older file lacks stay 0, except the design values of files
// before 781, which take the highest operating values in use.
void PipeLoadRead(BinaryFile& file, int version, int thermalLoadCount, PipeLoad& record) {
  ReadFixedField(file, record.name, ShortNameWidth(version), kShortNameRoom, kSection);
  ReadPairs(file, record, 0, 3);
  if (HasTenPairs(version)) ReadPairs(file, record, 3, 10);
  if (HasDesignValues(version)) {
    BinaryFileReadFloat(file, record.designTemperature);
    BinaryFileReadFloat(file, record.designPressure);
  }
  BinaryFileReadFloat(file, record.specificGravity);
  BinaryFileReadFloat(file, record.additionalWeight);
  BinaryFileReadByte(file, record.wind);
  if (!HasDesignValues(version)) {
    record.designTemperature = PipeLoadMaxTemp(record, thermalLoadCount);
    record.designPressure = PipeLoadMaxPressure(record, thermalLoadCount);
  }
}

void PipeLoadWrite(BinaryFile& file, const PipeLoad& record) {
  WriteFixedField(file, record.name, kShortNameRoom);
  for (const TemperaturePressure& pair : record.operating) {
    BinaryFileWriteFloat(file, pair.temperature);
    BinaryFileWriteFloat(file, pair.pressure);
  }
  const float tail[] = {record.designTemperature, record.designPressure, record.specificGravity,
                        record.additionalWeight};
  BinaryFileWriteFloats(file, tail, 4);
  BinaryFileWriteByte(file, record.wind);
}

void ReadPipeLoads(BinaryFile& file, int version, int thermalLoadCount, ModelRecordTable<PipeLoad>& table) {
  ReadTableSection(file, kSection, RecordBytes(version), table,
                   [version, thermalLoadCount](BinaryFile& in, PipeLoad& record) {
                     PipeLoadRead(in, version, thermalLoadCount, record);
                   });
}

void WritePipeLoads(BinaryFile& file, const ModelRecordTable<PipeLoad>& table) {
  WriteTableSection(file, table, PipeLoadWrite);
}

void ReadMergePipeLoads(BinaryFile& file, int version, int thermalLoadCount, ModelRecordTable<PipeLoad>& merged) {
  ReadPipeLoads(file, version, thermalLoadCount, merged);
}

std::string SpecificGravityText(float value) { return value == 0.0f ? std::string() : FormatThreeDecimals(value); }

std::string PipeLoadCellText(const PipeLoad& record, int column, int thermalLoadCount) {
  if (column == 1) return record.name;
  if (column >= 2 && column <= 21) {
    const int pair = (column - 2) / 2;
    if (pair >= PipeLoadPairsInUse(thermalLoadCount)) return {};
    const TemperaturePressure& tp = record.operating[static_cast<std::size_t>(pair)];
    return column % 2 == 0 ? FormatTemperature(tp.temperature) : FormatPressure(tp.pressure);
  }
  switch (column) {
    case 22: return FormatTemperature(record.designTemperature);
    case 23: return FormatPressure(record.designPressure);
    case 24: return SpecificGravityText(record.specificGravity);
    case 25: return FormatAdditionalWeight(record.additionalWeight);
    case 26: return record.wind != 0 ? "Y" : "";
    default: return {};
  }
}

std::string PipeLoadHeadingText(int column, int line) {
  if (column >= 2 && column <= 21) {
    const int pair = (column - 2) / 2 + 1;
    if (line == 1) return UnitLabel(column % 2 == 0 ? kUnitTemperature : kUnitPressure);
    return (column % 2 == 0 ? "T" : "P") + std::to_string(pair);
  }
  switch (column) {
    case 1: return line == 0 ? "Name" : "";
    case 22: return line == 0 ? "Desg.T" : UnitLabel(kUnitTemperature);
    case 23: return line == 0 ? "Desg.Pr." : UnitLabel(kUnitPressure);
    case 24: return line == 0 ? "Specific" : "gravity";
    case 25: return line == 0 ? "Add.Wgt." : UnitLabel(kUnitAdditionalWeight);
    case 26: return line == 0 ? "Wind" : "Load";
    default: return {};
  }
}
