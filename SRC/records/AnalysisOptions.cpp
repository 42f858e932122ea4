// The analysis options record: its file fields with their version branches,
// and its registry values. Both readers check every value that the program
// later uses as an index, a count or a code; the file reader refuses a
// damaged section, the registry reader keeps the value it had.
#include "records/AnalysisOptions.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "records/TableFileFields.h"
#include "services/BinaryFile.h"
#include "services/Settings.h"
#include "services/Units.h"

namespace {

constexpr const char* kSection = "Analysis options";

bool InRange(std::int32_t value, std::int32_t low, std::int32_t high) { return value >= low && value <= high; }

bool InCodeGroup(std::int32_t code, std::initializer_list<std::int32_t> group) {
  return std::find(group.begin(), group.end(), code) != group.end();
}

// A field that the model file holds only within a range: its name for the
// messages, the range as the messages give it, and how it is read, tested
// and taken from another record.
struct FieldRange {
  const char* field;
  const char* range;
  long long (*value)(const AnalysisOptions&);
  bool (*inside)(long long);
  void (*take)(AnalysisOptions& to, const AnalysisOptions& from);
};

template <auto Member>
long long ValueOf(const AnalysisOptions& o) {
  return o.*Member;
}
template <auto Member>
void TakeFrom(AnalysisOptions& to, const AnalysisOptions& from) {
  to.*Member = from.*Member;
}
template <long long Low, long long High>
bool Between(long long value) {
  return value >= Low && value <= High;
}
bool KnownCode(long long code) { return Between<0, 22>(code) || code == 101 || code == 201; }
bool ThermalLoadCountValue(long long count) { return count == 1 || count == 2 || count == 3 || count == 10; }

constexpr long long kLargest = 2147483647LL;

// Every field that selects a table entry, a code or a count, in record
// order: a value outside means nothing to the code that uses it.
using O = AnalysisOptions;
constexpr FieldRange kFieldRanges[] = {
    {"piping code", "0 to 22, 101 or 201", ValueOf<&O::PipingCode>, KnownCode, TakeFrom<&O::PipingCode>},
    {"service level", "0 to 2", ValueOf<&O::ServiceLevel>, Between<0, 2>, TakeFrom<&O::ServiceLevel>},
    {"design factor index", "0 to 4", ValueOf<&O::DesignFactorIndex>, Between<0, kDesignFactorCount - 1>,
     TakeFrom<&O::DesignFactorIndex>},
    {"Z183 location factor index", "0 to 1", ValueOf<&O::Z183LocationFactorIndex>, Between<0, 1>,
     TakeFrom<&O::Z183LocationFactorIndex>},
    {"Z184 class location", "1 to 4", ValueOf<&O::Z184ClassLocation>, Between<1, 4>,
     TakeFrom<&O::Z184ClassLocation>},
    {"number of thermal loads", "1, 2, 3 or 10", ValueOf<&O::ThermalLoadCount>, ThermalLoadCountValue,
     TakeFrom<&O::ThermalLoadCount>},
    {"number of thermal cycles", "0 to 2147483647", ValueOf<&O::ThermalCycles>, Between<0, kLargest>,
     TakeFrom<&O::ThermalCycles>},
    {"pressure stress option", "0 to 1", ValueOf<&O::PressureStressOption>, Between<0, 1>,
     TakeFrom<&O::PressureStressOption>},
    {"cut off frequency", "1 to 2147483647", ValueOf<&O::CutOffFrequency>, Between<1, kLargest>,
     TakeFrom<&O::CutOffFrequency>},
    {"number of modes", "1 to 2147483647", ValueOf<&O::ModeCount>, Between<1, kLargest>, TakeFrom<&O::ModeCount>},
};

std::string OutOfRange(const FieldRange& range, long long value) {
  return std::string(range.field) + " " + std::to_string(value) + " out of range " + range.range;
}

// Registry reading: a value replaces its field only when it is acceptable.
void QueryIndex(HKEY key, const char* name, std::int32_t& field, bool (*acceptable)(std::int32_t)) {
  std::int32_t value = field;
  if (RegQueryInt(key, name, value) && acceptable(value)) field = value;
}

bool ForcesAxialForce(std::int32_t code) { return code == kCodeB31_3 || code == kCodeB31_4 || code == kCodeB31_8; }

}  // namespace

bool IsKnownPipingCode(std::int32_t code) { return KnownCode(code); }

std::string AnalysisOptionsRangeFault(const AnalysisOptions& options) {
  for (const FieldRange& range : kFieldRanges)
    if (const long long value = range.value(options); !range.inside(value)) return OutOfRange(range, value);
  return {};
}

std::vector<std::string> TakeDefaultsOutOfRange(AnalysisOptions& options, const AnalysisOptions& defaults) {
  std::vector<std::string> notes;
  for (const FieldRange& range : kFieldRanges) {
    const long long value = range.value(options);
    if (range.inside(value)) continue;
    range.take(options, defaults);
    notes.push_back(OutOfRange(range, value) + ": " + std::to_string(range.value(options)) + " taken");
  }
  return notes;
}

std::int32_t RenumberStoredPipingCode(std::int32_t stored, int version) {
  std::int32_t code = stored;
  // Version 502 and older listed one code at 18 that later moved to 9.
  if (version <= 502) {
    if (code == 18)
      code = 9;
    else if (code >= 9 && code <= 17)
      code += 1;
  }
  // A code was inserted at 7 in version 640, and another at 11 in 780.
  if (version < 640 && code >= 7) code += 1;
  if (version < 780 && code >= 11) code += 1;
  return code;
}

void ApplyCodeForcedOptions(AnalysisOptions& options) {
  if (options.PipingCode == kCodeB31_8) options.LiberalAllowable = 1;
  if (ForcesAxialForce(options.PipingCode)) options.IncludeAxialForce = 1;
}

namespace {

void ReleaseCodeForcedOptions(AnalysisOptions& options, const AnalysisOptions& choice) {
  if (options.PipingCode == kCodeB31_8) options.LiberalAllowable = choice.LiberalAllowable;
  if (ForcesAxialForce(options.PipingCode)) options.IncludeAxialForce = choice.IncludeAxialForce;
}

}  // namespace

void SetPipingCode(AnalysisOptions& options, std::int32_t code, const AnalysisOptions& choice) {
  ReleaseCodeForcedOptions(options, choice);
  options.PipingCode = code;
  ApplyCodeForcedOptions(options);
}

AnalysisOptions ProgramChoiceOf(const AnalysisOptions& options, const AnalysisOptions& program) {
  AnalysisOptions kept = options;
  ReleaseCodeForcedOptions(kept, program);
  return kept;
}

void ApplyCodeRules(AnalysisOptions& options) {
  ApplyCodeForcedOptions(options);
  if (options.PipingCode == kCodeNone) {
    options.IncludeAxialForce = 1;
    options.UseB31J = 0;
    options.ThermalLoadCount = 1;
    options.PeakPressureFactor = 1.0f;
  }
  if (!CodeAllowsB31J(options.PipingCode)) options.UseB31J = 0;
}

void ApplyTemperatureCodeRules(AnalysisOptions& options) {
  const std::int32_t code = options.PipingCode;
  if (code == kCodeB31_3 || code == kCodeB31_4 || code == kCodeB31_5 || code == kCodeB31_8)
    options.UseColdModulus = 1;
  else if (code == kCodeEn13480)
    options.UseColdModulus = 0;
}

void ApplyPressureCodeRules(AnalysisOptions& options) {
  if (options.PipingCode == kCodeB31_8) options.PressureStressOption = 0;
}

bool CodeAllowsLiberal(std::int32_t code) { return InCodeGroup(code, {1, 2, 3, 5, 6, 7}); }
bool CodeAllowsB31J(std::int32_t code) { return InCodeGroup(code, {1, 3, 4, 5, 6, 7}); }
bool CodeUsesServiceLevel(std::int32_t code) { return InCodeGroup(code, {8, 9, 10, 11, 101, 201, 15}); }

const char* ServiceLevelLabel(std::int32_t code) {
  return code == 8 || code == 15 ? "Equation 10 Level" : "Equation 9 Level";
}

char ServiceLevelLetter(std::int32_t serviceLevel) { return static_cast<char>('B' + serviceLevel); }

float Z184LocationFactor(std::int32_t classLocation, bool sourService) {
  static constexpr float kNonsour[4] = {1.000f, 0.900f, 0.700f, 0.550f};
  static constexpr float kSour[4] = {0.900f, 0.750f, 0.625f, 0.500f};
  if (!InRange(classLocation, 1, 4)) return 0.0f;
  return (sourService ? kSour : kNonsour)[classLocation - 1];
}

void ReadAnalysisOptions(BinaryFile& file, int version, AnalysisOptions& options) {
  AnalysisOptions o = options;
  std::int32_t storedCode = 0;
  BinaryFileReadInt(file, storedCode);
  BinaryFileReadInt(file, o.ServiceLevel);
  BinaryFileReadInt(file, o.DesignFactorIndex);
  BinaryFileReadInt(file, o.Z183LocationFactorIndex);
  BinaryFileReadInt(file, o.Z184ClassLocation);
  BinaryFileReadByte(file, o.Z184SourService);
  BinaryFileReadByte(file, o.LiberalAllowable);
  // The occasional load factor came with version 670.
  if (version >= 670)
    BinaryFileReadFloat(file, o.OccasionalLoadFactor);
  else
    o.OccasionalLoadFactor = 1.2f;
  BinaryFileReadByte(file, o.IncludeAxialForce);
  // B31J came after version 780; older files keep the new model's value.
  if (version > 780) BinaryFileReadByte(file, o.UseB31J);
  BinaryFileReadFloat(file, o.ReferenceTemperature);
  BinaryFileReadInt(file, o.ThermalCycles);
  BinaryFileReadInt(file, o.ThermalLoadCount);
  // Before version 503 the thermal case was always solved.
  if (version > 502)
    BinaryFileReadByte(file, o.SolveThermalCase);
  else
    o.SolveThermalCase = 1;
  BinaryFileReadByte(file, o.UseColdModulus);
  BinaryFileReadByte(file, o.IncludeHangerStiffness);
  BinaryFileReadByte(file, o.BourdonEffect);
  BinaryFileReadByte(file, o.PressureCorrection);
  BinaryFileReadByte(file, o.PressureStressOption);
  BinaryFileReadFloat(file, o.PeakPressureFactor);
  // Buried piping's yield displacement came after version 520.
  if (version > 520)
    BinaryFileReadFloat(file, o.YieldDisplacementFactor);
  else
    o.YieldDisplacementFactor = 0.04f;
  BinaryFileReadInt(file, o.CutOffFrequency);
  BinaryFileReadInt(file, o.ModeCount);
  BinaryFileReadByte(file, o.IncludeMissingMass);
  BinaryFileReadByte(file, o.FrictionInDynamics);
  CheckSectionRead(file, kSection);
  o.PipingCode = RenumberStoredPipingCode(storedCode, version);
  if (const std::string fault = AnalysisOptionsRangeFault(o); !fault.empty()) ThrowDamagedSection(kSection, fault);
  ApplyCodeForcedOptions(o);
  options = o;
}

void WriteAnalysisOptions(BinaryFile& file, const AnalysisOptions& o) {
  BinaryFileWriteInt(file, o.PipingCode);
  BinaryFileWriteInt(file, o.ServiceLevel);
  BinaryFileWriteInt(file, o.DesignFactorIndex);
  BinaryFileWriteInt(file, o.Z183LocationFactorIndex);
  BinaryFileWriteInt(file, o.Z184ClassLocation);
  BinaryFileWriteByte(file, o.Z184SourService);
  BinaryFileWriteByte(file, o.LiberalAllowable);
  BinaryFileWriteFloat(file, o.OccasionalLoadFactor);
  BinaryFileWriteByte(file, o.IncludeAxialForce);
  BinaryFileWriteByte(file, o.UseB31J);
  BinaryFileWriteFloat(file, o.ReferenceTemperature);
  BinaryFileWriteInt(file, o.ThermalCycles);
  BinaryFileWriteInt(file, o.ThermalLoadCount);
  BinaryFileWriteByte(file, o.SolveThermalCase);
  BinaryFileWriteByte(file, o.UseColdModulus);
  BinaryFileWriteByte(file, o.IncludeHangerStiffness);
  BinaryFileWriteByte(file, o.BourdonEffect);
  BinaryFileWriteByte(file, o.PressureCorrection);
  BinaryFileWriteByte(file, o.PressureStressOption);
  BinaryFileWriteFloat(file, o.PeakPressureFactor);
  BinaryFileWriteFloat(file, o.YieldDisplacementFactor);
  BinaryFileWriteInt(file, o.CutOffFrequency);
  BinaryFileWriteInt(file, o.ModeCount);
  BinaryFileWriteByte(file, o.IncludeMissingMass);
  BinaryFileWriteByte(file, o.FrictionInDynamics);
}

void ReadAnalysisOptionsVerticalAxis(BinaryFile& file, AnalysisOptions& options) {
  std::uint8_t vertical = options.ZVertical;
  BinaryFileReadByte(file, vertical);
  CheckSectionRead(file, kSection);
  options.ZVertical = vertical;
}

void WriteAnalysisOptionsVerticalAxis(BinaryFile& file, const AnalysisOptions& options) {
  BinaryFileWriteByte(file, options.ZVertical);
}

void ReadAnalysisOptions(HKEY settingsKey, AnalysisOptions& o, UnitsSettings& units,
                         OptionsGraphicsSettings& graphics) {
  HKEY key = RegOpenKeyChecked(settingsKey, "Options");
  if (key == nullptr) return;
  UnitsSettings storedUnits = units;
  if (RegQueryValueChecked(key, "Units", &storedUnits, sizeof storedUnits) > 0 && UnitsSettingsValid(storedUnits))
    units = storedUnits;
  QueryIndex(key, "Piping code", o.PipingCode, IsKnownPipingCode);
  QueryIndex(key, "Service level", o.ServiceLevel, [](std::int32_t v) { return InRange(v, 0, 2); });
  QueryIndex(key, "B31.8 design factor index", o.DesignFactorIndex,
             [](std::int32_t v) { return InRange(v, 0, kDesignFactorCount - 1); });
  QueryIndex(key, "Z183 location factor index", o.Z183LocationFactorIndex,
             [](std::int32_t v) { return InRange(v, 0, 1); });
  QueryIndex(key, "Z184 class location", o.Z184ClassLocation, [](std::int32_t v) { return InRange(v, 1, 4); });
  float factor = o.OccasionalLoadFactor;
  if (RegQueryFloat(key, "Seismic coefficient", factor) && std::isfinite(factor) && factor >= 1.0f)
    o.OccasionalLoadFactor = factor;
  RegQueryFlag(key, "Z184 sour service", o.Z184SourService);
  RegQueryFlag(key, "Liberal allowable", o.LiberalAllowable);
  RegQueryFlag(key, "Include axial force", o.IncludeAxialForce);
  RegQueryFlag(key, "Use B31J", o.UseB31J);
  RegQueryFlag(key, "Solve thermal case", o.SolveThermalCase);
  RegQueryFlag(key, "Use cold modulus", o.UseColdModulus);
  RegQueryFlag(key, "Include hanger stiffness", o.IncludeHangerStiffness);
  RegQueryFlag(key, "Bourdon effect", o.BourdonEffect);
  RegQueryFlag(key, "Pressure correction", o.PressureCorrection);
  std::uint8_t option = o.PressureStressOption;
  if (RegQueryFlag(key, "Pressure stress option", option) && option <= 1) o.PressureStressOption = option;
  RegQueryFlag(key, "Include missing mass", o.IncludeMissingMass);
  RegQueryFlag(key, "Friction in dynamics", o.FrictionInDynamics);
  RegQueryFlag(key, "Z vertical", o.ZVertical);
  QueryIndex(key, "OpenGL resolution", graphics.OpenGlResolution, [](std::int32_t v) { return InRange(v, 0, 3); });
  RegQueryFlag(key, "OpenGL white background", graphics.OpenGlWhiteBackground);
  QueryIndex(key, "Rendering Quality", graphics.RenderingQuality, [](std::int32_t v) { return InRange(v, 0, 2); });
  RegCloseKey(key);
}

void WriteAnalysisOptions(HKEY settingsKey, const AnalysisOptions& o, const UnitsSettings& units,
                          const OptionsGraphicsSettings& graphics) {
  HKEY key = RegCreateKeyChecked(settingsKey, "Options");
  if (key == nullptr) return;
  RegSetBinaryValue(key, "Units", &units, sizeof units);
  RegSetInt(key, "Piping code", o.PipingCode);
  RegSetInt(key, "Service level", o.ServiceLevel);
  RegSetInt(key, "B31.8 design factor index", o.DesignFactorIndex);
  RegSetInt(key, "Z183 location factor index", o.Z183LocationFactorIndex);
  RegSetInt(key, "Z184 class location", o.Z184ClassLocation);
  RegSetFlag(key, "Z184 sour service", o.Z184SourService);
  RegSetFloat(key, "Seismic Coefficient", o.OccasionalLoadFactor);
  RegSetFlag(key, "Liberal allowable", o.LiberalAllowable);
  RegSetFlag(key, "Include axial force", o.IncludeAxialForce);
  RegSetFlag(key, "Use B31J", o.UseB31J);
  RegSetFlag(key, "Solve thermal case", o.SolveThermalCase);
  RegSetFlag(key, "Use cold modulus", o.UseColdModulus);
  RegSetFlag(key, "Include hanger stiffness", o.IncludeHangerStiffness);
  RegSetFlag(key, "Bourdon effect", o.BourdonEffect);
  RegSetFlag(key, "Pressure correction", o.PressureCorrection);
  RegSetFlag(key, "Pressure stress option", o.PressureStressOption);
  RegSetFlag(key, "Include missing mass", o.IncludeMissingMass);
  RegSetFlag(key, "Friction in dynamics", o.FrictionInDynamics);
  RegSetFlag(key, "Z vertical", o.ZVertical);
  RegSetInt(key, "OpenGL resolution", graphics.OpenGlResolution);
  RegSetFlag(key, "OpenGL white background", graphics.OpenGlWhiteBackground);
  RegSetInt(key, "Rendering Quality", graphics.RenderingQuality);
  RegCloseKey(key);
}

OptionsGraphicsSettings& ProgramOptionsGraphicsSettings() {
  static OptionsGraphicsSettings settings;
  return settings;
}
