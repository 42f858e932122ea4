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
constexpr float kMissingPairTemperature = 70.0f;  // degrees F, a T2 or T3 not written

std::optional<std::string> Next(BatchReader& reader) { return NextBatchField(reader.fields); }
std::optional<std::string> NextComma(BatchReader& reader) { return NextBatchCommaField(reader.commaFields); }

// The first field of the line through the blank-and-comma splitter.
std::optional<std::string> FirstField(BatchReader& reader) {
  StartBatchFields(reader.fields, reader.line);
  return Next(reader);
}

// `field` through `parser`, then by `rule` in `record` (RuledBatchValue).
template <typename Record>
float ParseRuled(const BatchReader& reader, const std::string& field, BatchParser parser, const FieldRule<Record>& rule,
                 const Record& record, const char* message, const char* relation = nullptr) {
  return RuledBatchValue(reader, field, ParseBatchValue(reader, field, parser, message), rule, record, message,
                         relation);
}

// An optional field of `record`: read when given, by the rule of its field
// when it has one, else the value keeps its default.
template <typename Record>
void ReadOptionalValue(BatchReader& reader, float& value, BatchParser parser, const char* message, Record& record,
                       const FieldRule<Record>* rule = nullptr, const char* relation = nullptr) {
  const auto field = Next(reader);
  if (!IsGivenField(field)) return;
  value = rule != nullptr ? ParseRuled(reader, *field, parser, *rule, record, message, relation)
                           : ParseBatchValue(reader, *field, parser, message);
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
  ReadOptionalValue(reader, v[kMatAlpha], ParseThermalExpansion, "Invalid alpha", row);
  ReadOptionalValue(reader, v[kMatAllowable], ParseStress, "Invalid allowable stress", row,
                    MaterialColumnRule(kMatAllowable));
  ReadOptionalValue(reader, v[kMatYield], ParseStress, "Invalid yield stress", row, MaterialColumnRule(kMatYield));
  ReadOptionalValue(reader, v[kMatRupture], ParseStress, "Invalid rupture stress", row,
                    MaterialColumnRule(kMatRupture));
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

float ParseBatchLoadTemperature(const BatchReader& reader, const std::string& field, const std::string& message) {
  const float value = ParseBatchValue(reader, field, ParseTemperature, message);
  if (LoadTemperatureRefusal(value)) BatchLineError(reader, message, field);
  return value;
}

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
  // Each value by the rule of its field; Poisson's ratio, whose rule asks
  // the type, once the type later on the line is read (0.5 and more is a
  // fibre-reinforced plastic's).
  const auto ruled = [&reader, &material](const std::string& field, BatchParser parser, MaterialRuled which,
                                          const char* message) {
    return ParseRuled(reader, field, parser, kMaterialRules[which], material, message);
  };
  if (const auto field = NextComma(reader); IsGivenField(field))
    material.density = ruled(*field, ParseDensity, kMaterialDensityRule, "Invalid density");
  std::optional<std::string> nu = NextComma(reader);
  if (IsGivenField(nu)) material.nu = ParseBatchValue(reader, *nu, ParseReal, "Invalid Poisson's ratio");
  if (const auto field = NextComma(reader); IsGivenField(field))
    material.jointFactor = ruled(*field, ParseReal, kMaterialJointRule, "Invalid joint factor");
  if (const auto field = NextComma(reader); IsGivenField(field))
    material.circJointFactor = ruled(*field, ParseReal, kMaterialCircJointRule, "Invalid circ joint factor");
  if (const auto field = NextComma(reader); IsGivenField(field)) {
    // An unknown code would reach the code tables that key on it; a longer
    // text is no code, and cut to the model file's two characters it would
    // become another material's.
    if (field->size() > kMaterialTypeWidth || FindMaterialTypeIndex(*field) < 0)
      BatchLineError(reader, "Invalid material type", *field);
    SetMaterialType(material, *field);
  }
  if (IsGivenField(nu)) material.nu = ruled(*nu, ParseReal, kMaterialNuRule, "Invalid Poisson's ratio");
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
      ParseBatchLoadTemperature(reader, RequiredField(reader, Next(reader), "T1 is required"), "Invalid T1");
  pairs[0].pressure =
      ParseBatchValue(reader, RequiredField(reader, Next(reader), "P1 is required"), ParsePressure, "Invalid P1");
  // The fields from here on are read even when empty: an empty field is 0,
  // a missing one keeps the default.
  if (const auto field = Next(reader))
    load.specificGravity = ParseRuled(reader, *field, ParseReal, kPipeLoadRules[kPipeLoadSpecificGravityRule], load,
                                      "Invalid Specific Gravity");
  static const char* const kMessages[2][2] = {{"Invalid T2", "Invalid P2"}, {"Invalid T3", "Invalid P3"}};
  std::int32_t inUse = 1;
  for (std::size_t pair = 1; pair <= 2; ++pair) {
    pairs[pair] = {kMissingPairTemperature, 0.0f};
    if (const auto field = Next(reader)) {
      pairs[pair].temperature = ParseBatchLoadTemperature(reader, *field, kMessages[pair - 1][0]);
      if (IsBatchTemperatureInUse(*field, pairs[pair].temperature)) inUse = static_cast<std::int32_t>(pair) + 1;
    }
    if (const auto field = Next(reader))
      pairs[pair].pressure = ParseBatchValue(reader, *field, ParsePressure, kMessages[pair - 1][1]);
  }
  if (const auto field = Next(reader))
    load.additionalWeight = ParseRuled(reader, *field, ParseAdditionalWeight,
                                       kPipeLoadRules[kPipeLoadAdditionalWeightRule], load, "Invalid additional weight");
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
  const auto ruled = [&reader, &soil](const std::string& text, BatchParser parser, SoilRuled which,
                                      const char* message) {
    return ParseRuled(reader, text, parser, kSoilRules[which], soil, message);
  };
  soil.density = ruled(required("Soil density is required"), ParseInsulationDensity, kSoilDensityRule,
                       "Invalid density");
  soil.groundLevel =
      ParseBatchValue(reader, required("Ground level required"), ParseLength, "Invalid ground level", false);
  if (soil.type == kSoilCohesive) {
    soil.strength = ruled(required("Strength required"), ParseStress, kSoilStrengthRule, "Invalid cohesive strength");
  } else {
    soil.delta = ruled(required("Delta required"), ParseAngle, kSoilDeltaRule, "Invalid delta value");
    soil.Ks = ruled(required("ks required"), ParseReal, kSoilKsRule, "Invalid KS");
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
  const auto rule = [](SectionRuled which) { return &kSectionRules[which]; };
  section.outsideDiameter = ParseRuled(reader, RequiredField(reader, Next(reader), "Pipe diameter is required"),
                                       ParseDimension, *rule(kSectionDiameterRule), section, "Invalid pipe diameter");
  const std::string wall = RequiredField(reader, Next(reader), "Pipe thickness is required");
  section.thickness = ParseBatchValue(reader, wall, ParseDimension, "Invalid pipe thickness");
  if (section.thickness < kLeastImportedDimension) BatchLineError(reader, "Invalid pipe thickness", wall);
  RuledBatchValue(reader, wall, section.thickness, *rule(kSectionWallRule), section, "Invalid pipe thickness",
                  "Thickness is greater than radius");
  if (const auto field = Next(reader); IsGivenField(field)) {
    const float value = ParseBatchValue(reader, *field, ParseNonNegativeDimension, "Invalid corrosion allowance");
    section.corrosionAllowance = RuledBatchValue(reader, *field, value, *rule(kSectionCorrosionRule), section,
                                                 "Invalid corrosion allowance", CorrosionRelation(section, value));
  }
  ReadOptionalValue(reader, section.millTolerance, ParseReal, "Invalid mill tolerance", section,
                    rule(kSectionMillRule), "Corrosion allowance + mill tolerance is too large");
  ReadOptionalValue(reader, section.insulationDensity, ParseInsulationDensity, "Invalid insulation density", section,
                    rule(kSectionInsulationDensityRule));
  ReadOptionalValue(reader, section.insulationThickness, ParseNonNegativeDimension, "Invalid insulation thickness",
                    section, rule(kSectionInsulationThicknessRule));
  ReadOptionalValue(reader, section.liningDensity, ParseInsulationDensity, "Invalid lining density", section,
                    rule(kSectionLiningDensityRule));
  ReadOptionalValue(reader, section.liningThickness, ParseNonNegativeDimension, "Invalid lining thickness", section,
                    rule(kSectionLiningThicknessRule));
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
  ReadOptionalValue(reader, material.E, ParseModulus, "Invalid youngs modulus", material,
                    &kBeamMaterialRules[kBeamMaterialModulusRule]);
  // A written 0 is the ratio not given, as an empty field is.
  if (const auto field = Next(reader); IsGivenField(field)) {
    const FieldRule<BeamMaterial>& rule = kBeamMaterialRules[kBeamMaterialNuRule];
    material.nu = ParseBatchValue(reader, *field, ParseReal, "Invalid Poisson's ratio");
    if (material.nu != 0.0f || !rule.zeroNotGiven(material))
      material.nu = RuledBatchValue(reader, *field, material.nu, rule, material, "Invalid Poisson's ratio");
  }
  ReadOptionalValue(reader, material.density, ParseDensity, "Invalid density", material,
                    &kBeamMaterialRules[kBeamMaterialDensityRule]);
  ReadOptionalValue(reader, material.alpha, ParseThermalExpansion, "Invalid alpha", material);
  if (!name.repeated) AppendBeamMaterial(model.beamMaterials, material);
}

void ParseBatchBeamSection(BatchReader& reader) {
  Model& model = *reader.model;
  const RecordName name = ReadRecordName(reader, model.beamSections, "Beam Section", kNameWidth);
  BeamSection section;
  InitBeamSection(section);
  section.name = name.text;
  // A 0 is a value not given, as the format has it and the section table
  // keeps an emptied cell; any other keeps the rule of its field.
  const auto required = [&reader, &section](const char* missing, BatchParser parser, BeamSectionRuled which,
                                            const char* message) {
    const std::string field = RequiredField(reader, Next(reader), missing);
    const float value = ParseBatchValue(reader, field, parser, message);
    return value == 0.0f ? value : RuledBatchValue(reader, field, value, kBeamSectionRules[which], section, message);
  };
  section.A = required("Axial area is required", ParseArea, kBeamSectionAreaRule, "Invalid axial area");
  section.Imaj = required("Major MOI is required", ParseMomentOfInertia, kBeamSectionMajorRule, "Invalid Major MOI");
  section.Imin = required("Minor MOI is required", ParseMomentOfInertia, kBeamSectionMinorRule, "Invalid Minor MOI");
  const auto rule = [](BeamSectionRuled which) { return &kBeamSectionRules[which]; };
  ReadOptionalValue(reader, section.J, ParseMomentOfInertia, "Invalid torsional inertia", section,
                    rule(kBeamSectionTorsionRule));
  ReadOptionalValue(reader, section.Asmaj, ParseArea, "Invalid major shear", section, rule(kBeamSectionMajorShearRule));
  ReadOptionalValue(reader, section.Asmin, ParseArea, "Invalid minor shear", section, rule(kBeamSectionMinorShearRule));
  ReadOptionalValue(reader, section.depth, ParseNonNegativeDimension, "Invalid depth", section,
                    rule(kBeamSectionDepthRule));
  ReadOptionalValue(reader, section.width, ParseNonNegativeDimension, "Invalid width", section,
                    rule(kBeamSectionWidthRule));
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
      ParseBatchLoadTemperature(reader, RequiredField(reader, Next(reader), "T1 is required"), "Invalid T1");
  int given = 1;
  for (std::size_t t = 1; t <= 2; ++t) {
    const auto field = Next(reader);
    if (!field) break;
    load.temperature[t] = ParseBatchLoadTemperature(reader, *field, t == 1 ? "Invalid T2" : "Invalid T3");
    ++given;
  }
  if (given == 3)
    if (const auto field = Next(reader))
      // A weight per length, as the beam loads table and dialog show it
      // and as LOADS reads a pipe's.
      load.additionalWeight = ParseRuled(reader, *field, ParseAdditionalWeight,
                                         kBeamLoadRules[kBeamLoadAdditionalWeightRule], load,
                                         "Invalid additional weight");
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
