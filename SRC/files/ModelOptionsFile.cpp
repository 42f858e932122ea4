// The three sections of the model file that the file module owns: the
// analysis options (with the fields of the seismic, wind, spectrum, time
// history, harmonic, node numbering and units modules that the section
// carries between them), the load-case list and the graphics settings.
//
// Each older version branch is commented where it is taken. Enumerations and
// indexes that later code uses to index tables are checked here, so a damaged
// file is refused with a message instead of indexing out of range later.
#include <cstdio>
#include <string>
#include <vector>

#include "files/ModelFileSections.h"
#include "model/Model.h"
#include "records/AnalysisOptions.h"
#include "records/GraphicsSettings.h"
#include "records/LoadCaseList.h"
#include "records/TableFileFields.h"
#include "services/BinaryFile.h"
#include "services/Units.h"

namespace {

constexpr const char* kOptionsSection = "Analysis options";
constexpr const char* kLoadCaseSection = "Load-case list";
constexpr const char* kGraphicsSection = "Graphics settings";

std::int32_t ReadInt(BinaryFile& file) {
  std::int32_t value = 0;
  BinaryFileReadInt(file, value);
  return value;
}

float ReadFloat(BinaryFile& file) {
  float value = 0.0f;
  BinaryFileReadFloat(file, value);
  return value;
}

std::uint8_t ReadByte(BinaryFile& file) {
  std::uint8_t value = 0;
  BinaryFileReadByte(file, value);
  return value;
}

// Refuses a value outside [low, high] with the field's name, the value and
// the range.
void CheckRange(const char* section, const char* field, long long value, long long low,
                long long high) {
  if (value >= low && value <= high) return;
  char detail[160];
  std::snprintf(detail, sizeof detail, "%s %lld out of range %lld to %lld", field, value, low, high);
  ThrowDamagedSection(section, detail);
}

// The fields of the section beside those of the analysis options record
// that later code uses as an index or a count, with the range the reader
// takes.
struct SectionField {
  const char* name;
  long long low, high;
  std::int32_t& (*field)(Model& model);
};
constexpr long long kLargest = 2147483647LL;
constexpr SectionField kSectionFields[] = {
    {"acceleration load combination", 0, 2, [](Model& m) -> std::int32_t& { return m.seismic.combination; }},
    {"mode sum method", 0, 4, [](Model& m) -> std::int32_t& { return m.spectrumLoad.modeSum; }},
    {"direction sum method", 0, 4, [](Model& m) -> std::int32_t& { return m.spectrumLoad.directionSum; }},
    {"number of time steps", 0, kLargest, [](Model& m) -> std::int32_t& { return m.timeHistory.stepCount; }},
    {"output interval", 0, kLargest, [](Model& m) -> std::int32_t& { return m.timeHistory.outputInterval; }},
    {"harmonic combination", 0, 1, [](Model& m) -> std::int32_t& { return m.harmonic.combination; }},
};

std::int32_t& UnitChoice(Model& model, int kind) { return model.unitChoices[static_cast<std::size_t>(kind - 1)]; }

std::string OutOfRangeText(const char* field, long long value, long long low, long long high) {
  char text[160];
  std::snprintf(text, sizeof text, "%s %lld out of range %lld to %lld", field, value, low, high);
  return text;
}

void ReadSeismicAndWind(BinaryFile& file, int version, Model& model) {
  for (float& g : model.seismic.g) g = ReadFloat(file);
  model.seismic.combination = ReadInt(file);
  CheckSectionRead(file, kOptionsSection);
  ReadWindBlock(file, version, model.wind);
  CheckSectionRead(file, kOptionsSection);
}

void ReadDynamicRuns(BinaryFile& file, Model& model) {
  model.spectrumLoad.modeSum = ReadInt(file);
  model.spectrumLoad.directionSum = ReadInt(file);
  TimeHistorySettings& history = model.timeHistory;
  history.timeStep = ReadFloat(file);
  history.stepCount = ReadInt(file);
  history.outputInterval = ReadInt(file);
  history.writeResults = ReadByte(file);
  history.damping = ReadFloat(file);
  model.harmonic.combination = ReadInt(file);
  model.harmonic.damping = ReadFloat(file);
  CheckSectionRead(file, kOptionsSection);
  for (const SectionField& field : kSectionFields)
    CheckRange(kOptionsSection, field.name, field.field(model), field.low, field.high);
}

void ReadAxisNumberingAndUnits(BinaryFile& file, int version, Model& model) {
  ReadAnalysisOptionsVerticalAxis(file, model.options);
  // Files up to version 502 had no node increment.
  model.nodeIncrement = version > 502 ? ReadInt(file) : 10;
  for (std::int32_t& unit : model.unitChoices) unit = ReadInt(file);
  CheckSectionRead(file, kOptionsSection);
  // Version 501 files may hold an "Additional weight" choice past the two
  // units that kind has.
  if (version == 501 && model.unitChoices[6] > 1) model.unitChoices[6] = 1;
  for (int kind = 1; kind <= kUnitKindCount; ++kind)
    CheckRange(kOptionsSection, "unit choice", UnitChoice(model, kind), 0, UnitCount(kind) - 1);
}

}  // namespace

void ReadModelOptions(BinaryFile& file, int version, Model& model) {
  // The options record's own fields come first; its vertical axis comes last.
  ReadAnalysisOptions(file, version, model.options);
  CheckSectionRead(file, kOptionsSection);
  ReadSeismicAndWind(file, version, model);
  ReadDynamicRuns(file, model);
  ReadAxisNumberingAndUnits(file, version, model);
}

std::vector<std::string> TakeOptionsSectionDefaults(Model& model, const Model& defaults) {
  std::vector<std::string> notes = TakeDefaultsOutOfRange(model.options, defaults.options);
  Model& fresh = const_cast<Model&>(defaults);  // read only
  for (const SectionField& field : kSectionFields) {
    std::int32_t& value = field.field(model);
    if (value >= field.low && value <= field.high) continue;
    notes.push_back(OutOfRangeText(field.name, value, field.low, field.high) + ": " +
                    std::to_string(field.field(fresh)) + " taken");
    value = field.field(fresh);
  }
  for (int kind = 1; kind <= kUnitKindCount; ++kind) {
    std::int32_t& choice = UnitChoice(model, kind);
    if (choice >= 0 && choice < UnitCount(kind)) continue;
    const std::string of = "unit choice of unit kind " + std::to_string(kind);
    notes.push_back(OutOfRangeText(of.c_str(), choice, 0, UnitCount(kind) - 1) + ": " +
                    std::to_string(UnitChoice(fresh, kind)) + " taken");
    choice = UnitChoice(fresh, kind);
  }
  return notes;
}

void WriteModelOptions(BinaryFile& file, const Model& model) {
  WriteAnalysisOptions(file, model.options);
  for (float g : model.seismic.g) BinaryFileWriteFloat(file, g);
  BinaryFileWriteInt(file, model.seismic.combination);
  WriteWindBlock(file, model.wind);
  BinaryFileWriteInt(file, model.spectrumLoad.modeSum);
  BinaryFileWriteInt(file, model.spectrumLoad.directionSum);
  BinaryFileWriteFloat(file, model.timeHistory.timeStep);
  BinaryFileWriteInt(file, model.timeHistory.stepCount);
  BinaryFileWriteInt(file, model.timeHistory.outputInterval);
  BinaryFileWriteByte(file, model.timeHistory.writeResults);
  BinaryFileWriteFloat(file, model.timeHistory.damping);
  BinaryFileWriteInt(file, model.harmonic.combination);
  BinaryFileWriteFloat(file, model.harmonic.damping);
  WriteAnalysisOptionsVerticalAxis(file, model.options);
  BinaryFileWriteInt(file, model.nodeIncrement);
  for (std::int32_t unit : model.unitChoices) BinaryFileWriteInt(file, unit);
}

void ReadLoadCaseList(BinaryFile& file, int, LoadCaseList& list) {
  const std::int32_t count = ReadSectionCount(file, kLoadCaseSection, kLoadCaseListRoom, 4);
  LoadCaseList read = list;
  read.cases.fill(0);
  read.count = count;
  for (std::int32_t index = 1; index <= count; ++index) {
    read.cases[static_cast<std::size_t>(index)] = ReadInt(file);
    CheckSectionRead(file, kLoadCaseSection);
    CheckRange(kLoadCaseSection, "load case", read.cases[static_cast<std::size_t>(index)], 0,
               kLoadCaseTypeCount - 1);
  }
  LoadCaseFlagsFromList(read);
  list = read;
}

std::vector<std::string> DropLoadCasesBeyondThermalCount(Model& model) {
  const int count = model.options.ThermalLoadCount;
  std::vector<std::string> notes;
  for (int id : DropCasesBeyondThermalCount(model.loadCases, count))
    notes.push_back("Load cases: " + CaseBeyondThermalCountText(id, count) + ": the case was dropped");
  return notes;
}

void WriteLoadCaseList(BinaryFile& file, const LoadCaseList& list) {
  BinaryFileWriteInt(file, list.count);
  for (int index = 1; index <= list.count; ++index)
    BinaryFileWriteInt(file, list.cases[static_cast<std::size_t>(index)]);
}

void ReadGraphicsSettings(BinaryFile& file, int version, GraphicsSettings& settings) {
  for (float& value : settings.viewDirection) value = ReadFloat(file);
  settings.viewLeft = ReadFloat(file);
  settings.viewBottom = ReadFloat(file);
  if (version > 501) {
    settings.viewRight = ReadFloat(file);
    settings.viewTop = ReadFloat(file);
  } else {
    // Version 501 and older kept a drawing scale (pixels per unit) instead.
    const float scale = ReadFloat(file);
    CheckSectionRead(file, kGraphicsSection);
    if (!(scale > 0.0f) || scale > 1.0e30f) ThrowDamagedSection(kGraphicsSection, "drawing scale");
    int width = 0;
    int height = 0;
    GraphicsWindowPixelSize(width, height);
    settings.viewRight = settings.viewLeft + static_cast<float>(width) / scale;
    settings.viewTop = settings.viewBottom + static_cast<float>(height) / scale;
  }
  // Up to version 502 the model extents were stored; they are recomputed.
  if (version <= 502) {
    settings.extentLeft = ReadFloat(file);
    settings.extentBottom = ReadFloat(file);
    settings.extentRight = ReadFloat(file);
    settings.extentTop = ReadFloat(file);
  }
  settings.axesTriad = ReadInt(file);
  for (std::uint8_t& flag : settings.show) flag = ReadByte(file);
  settings.showNodeNumbersGl = ReadByte(file);
  settings.showNodeDotsGl = ReadByte(file);
  settings.hiddenShowFlag = ReadByte(file);
  // Generic supports arrived after version 640.
  if (version > 640) settings.showGenericSupports = ReadByte(file);
  CheckSectionRead(file, kGraphicsSection);
  CheckRange(kGraphicsSection, "axes triad", settings.axesTriad, 0, 4);
}

void WriteGraphicsSettings(BinaryFile& file, const GraphicsSettings& settings) {
  for (float value : settings.viewDirection) BinaryFileWriteFloat(file, value);
  BinaryFileWriteFloat(file, settings.viewLeft);
  BinaryFileWriteFloat(file, settings.viewBottom);
  BinaryFileWriteFloat(file, settings.viewRight);
  BinaryFileWriteFloat(file, settings.viewTop);
  BinaryFileWriteInt(file, settings.axesTriad);
  for (std::uint8_t flag : settings.show) BinaryFileWriteByte(file, flag);
  BinaryFileWriteByte(file, settings.showNodeNumbersGl);
  BinaryFileWriteByte(file, settings.showNodeDotsGl);
  BinaryFileWriteByte(file, settings.hiddenShowFlag);
  BinaryFileWriteByte(file, settings.showGenericSupports);
}
