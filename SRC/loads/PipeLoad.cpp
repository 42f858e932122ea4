// Pipe loads: record, defaults, lookup, growth and the file section; see the
// header.
#include "loads/PipeLoad.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "model/Model.h"
#include "properties/TableFileFields.h"
#include "shell/Assert.h"
#include "shell/BinaryFile.h"
#include "shell/NumberText.h"
#include "shell/Units.h"

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

}  // namespace

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

namespace {

// The jacket load name of a jacketed pipe or bend row, else null.
std::string* JacketLoad(LayoutRow& row) {
  if (row.elementType == ElementType::JacketedPipe)
    if (auto* pipe = dynamic_cast<JacketedPipe*>(row.element.get())) return &pipe->jacketLoad;
  if (row.elementType == ElementType::JacketedBend)
    if (auto* bend = dynamic_cast<JacketedBend*>(row.element.get())) return &bend->jacketLoad;
  return nullptr;
}

const std::string* JacketLoad(const LayoutRow& row) { return JacketLoad(const_cast<LayoutRow&>(row)); }

bool NameTaken(const Model& model, const std::string& name) {
  return FindRecordByName(model.pipeLoads, name) != 0 || FindRecordByName(model.beamLoads, name) != 0;
}

}  // namespace

bool IsPipeLoadInUse(const Model& model, int record) {
  if (record < 1 || record > model.pipeLoads.count) return false;
  const std::string& name = model.pipeLoads[record].name;
  if (name.empty() || model.rowCount == 0) return false;
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (row.load == name) return true;
    const std::string* jacket = JacketLoad(row);
    if (jacket != nullptr && *jacket == name) return true;
  }
  return false;
}

void RenamePipeLoad(Model& model, const std::string& oldName, const std::string& newName) {
  // Copies: either name may be a field this renaming changes.
  const std::string from = oldName;
  const std::string to = newName;
  for (int number = 1; number <= model.rowCount; ++number) {
    LayoutRow& row = model.row(number);
    if (row.load == from) row.load = to;
    if (std::string* jacket = JacketLoad(row); jacket != nullptr && *jacket == from) *jacket = to;
  }
  if (const int record = FindPipeLoadByName(model.pipeLoads, from); record != 0) model.pipeLoads[record].name = to;
  model.modified = true;
}

void ReadMergePipeLoads(BinaryFile& file, int version, int thermalLoadCount, ModelRecordTable<PipeLoad>& merged) {
  ReadPipeLoads(file, version, thermalLoadCount, merged);
}

void MergePipeLoads(Model& model, const ModelRecordTable<PipeLoad>& merged, std::vector<LayoutRow>& mergedRows,
                    int mergedRowCount) {
  // Every new name is chosen before anything changes, from the original
  // names, so that a load renamed to "1" is never renamed again by a merged
  // load that was called "1" itself.
  std::map<std::string, std::string> renamed;
  std::vector<std::string> finalNames;
  for (int index = 1; index <= merged.count; ++index) finalNames.push_back(merged[index].name);
  auto used = [&](const std::string& name) {
    return NameTaken(model, name) || std::find(finalNames.begin(), finalNames.end(), name) != finalNames.end();
  };
  for (int index = 1; index <= merged.count; ++index) {
    const std::string& name = merged[index].name;
    if (name.empty() || !NameTaken(model, name)) continue;
    std::string free;
    for (int number = 1; number <= 999 && free.empty(); ++number)
      if (!used(std::to_string(number))) free = std::to_string(number);
    if (free.empty()) throw "Unable to merge: no free name for the pipe load " + name;
    renamed[name] = free;
    finalNames[static_cast<std::size_t>(index - 1)] = free;
  }
  const int last = std::min(mergedRowCount, static_cast<int>(mergedRows.size()) - 1);
  for (int number = 1; number <= last; ++number) {
    LayoutRow& row = mergedRows[static_cast<std::size_t>(number)];
    // A beam row's load is a beam load's name.
    if (auto found = renamed.find(row.load); found != renamed.end() && row.elementType != ElementType::Beam)
      row.load = found->second;
    if (std::string* jacket = JacketLoad(row); jacket != nullptr)
      if (auto found = renamed.find(*jacket); found != renamed.end()) *jacket = found->second;
  }
  ModelRecordTable<PipeLoad>& table = model.pipeLoads;
  const int count = table.count + merged.count;
  table.records.resize(static_cast<std::size_t>(count) + 3);
  for (int index = 1; index <= merged.count; ++index) {
    table.records[static_cast<std::size_t>(table.count + index)] = merged[index];
    table.records[static_cast<std::size_t>(table.count + index)].name = finalNames[static_cast<std::size_t>(index - 1)];
  }
  table.count = count;
  table.capacity = count;
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
