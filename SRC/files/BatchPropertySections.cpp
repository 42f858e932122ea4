// The property sections of a model batch file (see BatchSections.h):
// MATERIAL with its temperature rows, LOADS, SOILS, PIPE, BMATERIALS,
// BSECTIONS and BLOADS, each line appending one record to its table (which
// grows by 4 records when full), and the field helpers every section shares.
#include <algorithm>
#include <cmath>

#include "files/BatchSections.h"
#include "model/Model.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr std::size_t kNameWidth = 5;
constexpr std::size_t kSoilNameWidth = 3;
constexpr std::size_t kMaterialTypeWidth = 2;
constexpr std::size_t kMaterialDescriptionWidth = 31;
constexpr float kSmallestDimension = 0.001f;                               // inch
constexpr double kLargestSoilDelta = 5.0 * 3.14159265358979323846 / 12.0;  // 75 degrees
constexpr float kMissingPairTemperature = 70.0f;                           // degrees F, a T2 or T3 not written

std::optional<std::string> Next(BatchReader& reader) { return NextBatchField(reader.fields); }
std::optional<std::string> NextComma(BatchReader& reader) { return NextBatchCommaField(reader.commaFields); }

// The first field of the line through the blank-and-comma splitter.
std::optional<std::string> FirstField(BatchReader& reader) {
  StartBatchFields(reader.fields, reader.line);
  return Next(reader);
}

float ParseTemperatureField(const BatchReader& reader, const std::string& field, const std::string& message) {
  return ParseBatchValue(reader, field, ParseLoadTemperature, message);
}

// A plain number in [low, high) (or [low, high] when `highIncluded`).
float ParseRangeField(const BatchReader& reader, const std::string& field, float low, float high, bool highIncluded,
                      const std::string& message) {
  const float value = ParseBatchValue(reader, field, ParseReal, message);
  if (value < low || value > high || (!highIncluded && value == high)) BatchLineError(reader, message, field);
  return value;
}

// An optional field: read when given, else the value keeps its default.
void ReadOptionalValue(BatchReader& reader, float& value, BatchParser parser, const char* message) {
  if (const auto field = Next(reader); IsGivenField(field)) value = ParseBatchValue(reader, *field, parser, message);
}

// A required field: missing or empty ends the line with `required`.
std::string RequiredField(const BatchReader& reader, const std::optional<std::string>& field,
                          const std::string& required) {
  if (!IsGivenField(field)) BatchLineError(reader, required);
  return *field;
}

// Lookups by name reach only the first record of a name: a record of a name
// given again would be one that no row uses and that the tables could not
// tell apart. The line is read and checked as any other, then left out of
// the model, and the log says so.
template <typename Record>
bool IsRepeatedName(BatchReader& reader, const ModelRecordTable<Record>& table, const std::string& name,
                    const std::string& kind, const char* leftOut = "the line is") {
  if (FindRecordByName(table, name) == 0) return false;
  LogBatchWarning(reader, kind + " " + name + " is defined again: " + leftOut + " left out; rows use the first");
  return true;
}

// The record name of the line by the name rule, from the first field, and
// whether the line is to be left out for a repeated name.
struct RecordName {
  std::string text;
  bool repeated = false;
};

template <typename Record>
RecordName ReadRecordName(BatchReader& reader, const ModelRecordTable<Record>& table, const std::string& kind,
                          std::size_t width) {
  const std::optional<std::string> name = FirstField(reader);
  CheckBatchName(reader, name, kind, width);
  return {*name, IsRepeatedName(reader, table, *name, kind)};
}

void ParseBatchMaterialTemperature(BatchReader& reader, Material& material) {
  FirstField(reader);  // the material's name
  MaterialTempRow row;
  auto& v = row.values;
  v[kMatTemperature] = ParseBatchValue(reader, RequiredField(reader, Next(reader), "Temperature is required"),
                                       ParseTemperature, "Invalid temperature");
  v[kMatModulus] = ParseBatchValue(reader, RequiredField(reader, Next(reader), "Elastic modulus is required"),
                                   ParseModulus, "Invalid elastic modulus");
  ReadOptionalValue(reader, v[kMatAlpha], ParseThermalExpansion, "Invalid alpha");
  ReadOptionalValue(reader, v[kMatAllowable], ParseStress, "Invalid allowable stress");
  ReadOptionalValue(reader, v[kMatYield], ParseStress, "Invalid yield stress");
  ReadOptionalValue(reader, v[kMatRupture], ParseStress, "Invalid rupture stress");
  if (material.numtemps >= kMaxMaterialTemps)
    BatchLineError(reader,
                   "Maximum " + std::to_string(kMaxMaterialTemps) + " temperature dependent properties are allowed");
  if (material.numtemps > 0 &&
      v[kMatTemperature] <= material.temps[static_cast<std::size_t>(material.numtemps)].values[kMatTemperature])
    BatchLineError(reader, "Temperatures are not in ascending order");
  material.temps.resize(static_cast<std::size_t>(material.numtemps) + 1);
  material.temps.push_back(row);
  ++material.numtemps;
}

}  // namespace

float ParseBatchValue(const BatchReader& reader, const std::string& field, BatchParser parser,
                      const std::string& message, bool withField) {
  float value = 0.0f;
  if (parser(field, value) != 0 || !std::isfinite(value)) {
    if (withField) BatchLineError(reader, message, field);
    BatchLineError(reader, message);
  }
  return value;
}

void CheckBatchName(const BatchReader& reader, const std::optional<std::string>& name, const std::string& kind,
                    std::size_t width) {
  if (!IsGivenField(name)) BatchLineError(reader, kind + " name is required");
  if (name->size() > width)
    BatchLineError(reader, kind + " name should be <= " + std::to_string(width) + " characters", *name);
  if (!IsNameText(*name)) BatchLineError(reader, kind + " name should be alpha-numeric", *name);
}

bool IsPositiveValue(float value) { return value >= kZeroThreshold; }

void ParseBatchMaterial(BatchReader& reader) {
  Model& model = *reader.model;
  StartBatchFields(reader.commaFields, reader.line);
  const std::optional<std::string> name = NextComma(reader);
  Material* last = reader.leftOutMaterial ? &*reader.leftOutMaterial
                   : reader.lastMaterial > 0 ? &model.materials[reader.lastMaterial]
                                             : nullptr;
  if (last != nullptr && name && *name == last->name) {
    ParseBatchMaterialTemperature(reader, *last);
    return;
  }
  CheckBatchName(reader, name, "Material", kNameWidth);
  const bool repeated =
      IsRepeatedName(reader, model.materials, *name, "Material", "the line and its temperature rows are");
  Material material;
  material.name = *name;
  material.nu = 0.3f;
  material.jointFactor = 1.0f;
  material.circJointFactor = 1.0f;
  material.temps.resize(1);
  if (const auto field = NextComma(reader); IsGivenField(field))
    material.density = ParseBatchValue(reader, *field, ParseDensity, "Invalid density");
  if (const auto field = NextComma(reader); IsGivenField(field))
    material.nu = ParseRangeField(reader, *field, 0.0f, 0.5f, false, "Invalid Poisson's ratio");
  if (const auto field = NextComma(reader); IsGivenField(field)) {
    material.jointFactor = ParseRangeField(reader, *field, 0.0f, 1.0f, true, "Invalid joint factor");
    if (material.jointFactor <= 0.0f) BatchLineError(reader, "Invalid joint factor", *field);
  }
  if (const auto field = NextComma(reader); IsGivenField(field)) {
    material.circJointFactor = ParseRangeField(reader, *field, 0.0f, 1.0f, true, "Invalid circ joint factor");
    if (material.circJointFactor <= 0.0f) BatchLineError(reader, "Invalid circ joint factor", *field);
  }
  if (const auto field = NextComma(reader); IsGivenField(field)) {
    // An unknown code would reach the code tables that key on it; a longer
    // text is no code, and cut to the model file's two characters it would
    // become another material's.
    if (field->size() > kMaterialTypeWidth || FindMaterialTypeIndex(*field) < 0)
      BatchLineError(reader, "Invalid material type", *field);
    SetMaterialType(material, *field);
  }
  if (const auto field = NextComma(reader); IsGivenField(field))
    material.description = CutBatchText(reader, *field, kMaterialDescriptionWidth, "Material description");
  reader.leftOutMaterial.reset();
  if (repeated) reader.leftOutMaterial = std::move(material);
  else reader.lastMaterial = AppendMaterial(model.materials, material);
}

void ParseBatchPipeLoad(BatchReader& reader) {
  Model& model = *reader.model;
  const RecordName name = ReadRecordName(reader, model.pipeLoads, "Load", kNameWidth);
  PipeLoad load;
  InitPipeLoad(load, model.options.ReferenceTemperature);
  load.name = name.text;
  auto& pairs = load.operating;
  pairs[0].temperature =
      ParseTemperatureField(reader, RequiredField(reader, Next(reader), "T1 is required"), "Invalid T1");
  pairs[0].pressure =
      ParseBatchValue(reader, RequiredField(reader, Next(reader), "P1 is required"), ParsePressure, "Invalid P1");
  // The fields from here on are read even when empty: an empty field is 0,
  // a missing one keeps the default.
  if (const auto field = Next(reader)) {
    load.specificGravity = ParseBatchValue(reader, *field, ParseReal, "Invalid Specific Gravity");
    if (load.specificGravity < 0.0f) BatchLineError(reader, "Invalid Specific Gravity", *field);
  }
  static const char* const kMessages[2][2] = {{"Invalid T2", "Invalid P2"}, {"Invalid T3", "Invalid P3"}};
  std::int32_t inUse = 1;
  for (std::size_t pair = 1; pair <= 2; ++pair) {
    pairs[pair] = {kMissingPairTemperature, 0.0f};
    if (const auto field = Next(reader)) {
      pairs[pair].temperature = ParseTemperatureField(reader, *field, kMessages[pair - 1][0]);
      if (IsBatchTemperatureInUse(*field, pairs[pair].temperature)) inUse = static_cast<std::int32_t>(pair) + 1;
    }
    if (const auto field = Next(reader))
      pairs[pair].pressure = ParseBatchValue(reader, *field, ParsePressure, kMessages[pair - 1][1]);
  }
  if (const auto field = Next(reader))
    load.additionalWeight = ParseBatchValue(reader, *field, ParseAdditionalWeight, "Invalid additional weight");
  load.wind = 1;
  if (name.repeated) return;
  AppendPipeLoad(model.pipeLoads, load);
  reader.thermalLoads = std::max(reader.thermalLoads, inUse);
  model.options.ThermalLoadCount = reader.thermalLoads;
}

bool IsBatchTemperatureInUse(std::string_view text, float temperature) {
  float typed = 0.0f;
  if (text.empty() || ParseReal(text, typed) != 0 || std::fabs(typed) < kZeroThreshold) return false;
  return temperature != kMissingPairTemperature;
}

void FinishBatchPipeLoads(Model& model) {
  const int inUse = model.options.ThermalLoadCount;
  for (int index = 1; index <= model.pipeLoads.count; ++index) {
    PipeLoad& load = model.pipeLoads[index];
    for (std::size_t pair = 3; pair < load.operating.size(); ++pair)
      load.operating[pair] = {model.options.ReferenceTemperature, kExplicitZero};
    load.designTemperature = PipeLoadMaxTemp(load, inUse);
    load.designPressure = PipeLoadMaxPressure(load, inUse);
  }
}

void ParseBatchSoil(BatchReader& reader) {
  Model& model = *reader.model;
  const RecordName name = ReadRecordName(reader, model.soils, "Soil", kSoilNameWidth);
  Soil soil;
  soil.name = name.text;
  // Only a missing field is "required" here; an empty one reads as 0.
  auto required = [&reader](const char* message) {
    const std::optional<std::string> field = Next(reader);
    if (!field) BatchLineError(reader, message);
    return *field;
  };
  const std::string typeText = required("Soil type is required");
  std::int32_t type = 0;
  if (ParseInteger(typeText, type) != 0 || (type != 0 && type != 1))
    BatchLineError(reader, "Invalid Cohesive/Cohesiveless", typeText);
  soil.type = type == 1 ? kSoilCohesive : kSoilCohesionless;
  const std::string densityText = required("Soil density is required");
  soil.density = ParseBatchValue(reader, densityText, ParseInsulationDensity, "Invalid density");
  if (!IsPositiveValue(soil.density)) BatchLineError(reader, "Invalid density", densityText);
  soil.groundLevel =
      ParseBatchValue(reader, required("Ground level required"), ParseLength, "Invalid ground level", false);
  if (soil.type == kSoilCohesive) {
    const std::string text = required("Strength required");
    soil.strength = ParseBatchValue(reader, text, ParseStress, "Invalid cohesive strength");
    if (!IsPositiveValue(soil.strength)) BatchLineError(reader, "Invalid cohesive strength", text);
  } else {
    const std::string deltaText = required("Delta required");
    soil.delta = ParseBatchValue(reader, deltaText, ParseAngle, "Invalid delta value");
    if (soil.delta < 0.0f || soil.delta > kLargestSoilDelta) BatchLineError(reader, "Invalid delta value", deltaText);
    const std::string ksText = required("ks required");
    soil.Ks = ParseBatchValue(reader, ksText, ParseReal, "Invalid KS");
    if (!IsPositiveValue(soil.Ks)) BatchLineError(reader, "Invalid KS", ksText);
  }
  if (!name.repeated) AppendSoil(model.soils, soil);
}

void ParseBatchPipeSection(BatchReader& reader) {
  Model& model = *reader.model;
  const RecordName name = ReadRecordName(reader, model.sections, "Section", kNameWidth);
  PipeSection section;
  InitSection(section);
  section.name = name.text;
  section.nominalSize = kBatchSectionSize;
  section.schedule = " ";
  const std::string odText = RequiredField(reader, Next(reader), "Pipe diameter is required");
  section.outsideDiameter = ParseBatchValue(reader, odText, ParseDimension, "Invalid pipe diameter");
  if (section.outsideDiameter < kSmallestDimension) BatchLineError(reader, "Invalid pipe diameter", odText);
  const std::string wallText = RequiredField(reader, Next(reader), "Pipe thickness is required");
  section.thickness = ParseBatchValue(reader, wallText, ParseDimension, "Invalid pipe thickness");
  if (section.thickness < kSmallestDimension) BatchLineError(reader, "Invalid pipe thickness", wallText);
  if (section.thickness > 0.5f * section.outsideDiameter) BatchLineError(reader, "Thickness is greater than radius");
  if (const auto field = Next(reader); IsGivenField(field)) {
    section.corrosionAllowance =
        ParseBatchValue(reader, *field, ParseNonNegativeDimension, "Invalid corrosion allowance");
    if (section.corrosionAllowance >= section.thickness)
      BatchLineError(reader, "Corrosion allowance is >= wall thickness");
  }
  if (const auto field = Next(reader); IsGivenField(field))
    section.millTolerance = ParseRangeField(reader, *field, 0.0f, 75.0f, true, "Invalid mill tolerance");
  // As the section dialog checks: some wall must be left for the stresses.
  if ((1.0f - 0.01f * section.millTolerance) * section.thickness - section.corrosionAllowance < 0.0001f)
    BatchLineError(reader, "Corrosion allowance + mill tolerance is too large");
  ReadOptionalValue(reader, section.insulationDensity, ParseInsulationDensity, "Invalid insulation density");
  ReadOptionalValue(reader, section.insulationThickness, ParseNonNegativeDimension, "Invalid insulation thickness");
  ReadOptionalValue(reader, section.liningDensity, ParseInsulationDensity, "Invalid lining density");
  ReadOptionalValue(reader, section.liningThickness, ParseNonNegativeDimension, "Invalid lining thickness");
  // A soil field is checked even when empty: a buried pipe needs its soil.
  if (const auto soil = Next(reader)) {
    if (soil->size() > kSoilNameWidth) BatchLineError(reader, "Soil name should be <= 3 characters", *soil);
    if (FindSoilByName(model.soils, *soil) == 0) BatchLineError(reader, "Soil not defined", *soil);
    if (!IsNameText(*soil)) BatchLineError(reader, "Soil name should be alpha-numeric", *soil);
    section.soil = *soil;
  }
  if (!name.repeated) AppendSection(model.sections, section);
}

void ParseBatchBeamMaterial(BatchReader& reader) {
  Model& model = *reader.model;
  const RecordName name = ReadRecordName(reader, model.beamMaterials, "Beam Material", kNameWidth);
  BeamMaterial material;
  InitBeamMaterial(material);
  material.name = name.text;
  ReadOptionalValue(reader, material.E, ParseModulus, "Invalid youngs modulus");
  if (const auto field = Next(reader); IsGivenField(field))
    material.nu = ParseRangeField(reader, *field, 0.0f, 0.5f, false, "Invalid Poisson's ratio");
  ReadOptionalValue(reader, material.density, ParseDensity, "Invalid density");
  ReadOptionalValue(reader, material.alpha, ParseThermalExpansion, "Invalid alpha");
  if (!name.repeated) AppendBeamMaterial(model.beamMaterials, material);
}

void ParseBatchBeamSection(BatchReader& reader) {
  Model& model = *reader.model;
  const RecordName name = ReadRecordName(reader, model.beamSections, "Beam Section", kNameWidth);
  BeamSection section;
  InitBeamSection(section);
  section.name = name.text;
  section.A = ParseBatchValue(reader, RequiredField(reader, Next(reader), "Axial area is required"), ParseArea,
                              "Invalid axial area");
  section.Imaj = ParseBatchValue(reader, RequiredField(reader, Next(reader), "Major MOI is required"),
                                 ParseMomentOfInertia, "Invalid Major MOI");
  section.Imin = ParseBatchValue(reader, RequiredField(reader, Next(reader), "Minor MOI is required"),
                                 ParseMomentOfInertia, "Invalid Minor MOI");
  ReadOptionalValue(reader, section.J, ParseMomentOfInertia, "Invalid torsional inertia");
  ReadOptionalValue(reader, section.Asmaj, ParseArea, "Invalid major shear");
  ReadOptionalValue(reader, section.Asmin, ParseArea, "Invalid minor shear");
  ReadOptionalValue(reader, section.depth, ParseNonNegativeDimension, "Invalid depth");
  ReadOptionalValue(reader, section.width, ParseNonNegativeDimension, "Invalid width");
  if (!name.repeated) AppendBeamSection(model.beamSections, section);
}

void ParseBatchBeamLoad(BatchReader& reader) {
  Model& model = *reader.model;
  const RecordName name = ReadRecordName(reader, model.beamLoads, "Beam Load", kNameWidth);
  // A temperature the line does not give is the reference temperature, as
  // a new beam load's: 0 F would contract every beam in that case. AMB may
  // come later in the file: FinishBatchBeamLoads gives them its value.
  BeamLoad load;
  InitBeamLoad(load, model.options.ReferenceTemperature);
  load.name = name.text;
  load.temperature[0] =
      ParseTemperatureField(reader, RequiredField(reader, Next(reader), "T1 is required"), "Invalid T1");
  int given = 1;
  for (std::size_t t = 1; t <= 2; ++t) {
    const auto field = Next(reader);
    if (!field) break;
    load.temperature[t] = ParseTemperatureField(reader, *field, t == 1 ? "Invalid T2" : "Invalid T3");
    ++given;
  }
  if (given == 3)
    if (const auto field = Next(reader))
      load.additionalWeight = ParseBatchValue(reader, *field, ParseWeight, "Invalid additional weight");
  load.wind = 1;
  if (name.repeated) return;
  const int index = AppendBeamLoad(model.beamLoads, load);
  reader.beamTemperaturesGiven.resize(static_cast<std::size_t>(index) + 1, 0);
  reader.beamTemperaturesGiven[static_cast<std::size_t>(index)] = given;
}

void FinishBatchBeamLoads(const BatchReader& reader, Model& model) {
  for (int index = 1; index <= model.beamLoads.count; ++index) {
    const std::size_t at = static_cast<std::size_t>(index);
    const int given = at < reader.beamTemperaturesGiven.size() ? reader.beamTemperaturesGiven[at] : 0;
    auto& temperatures = model.beamLoads[index].temperature;
    for (std::size_t t = static_cast<std::size_t>(given); t < temperatures.size(); ++t)
      temperatures[t] = model.options.ReferenceTemperature;
  }
}
