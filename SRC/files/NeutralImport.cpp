// Reading a piping neutral file (see NeutralImport.h): the line grammar,
// the section lines, the element and support records of the first pass,
// the in-line records of the second pass and the finishing of the model.
#include "files/NeutralImport.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <memory>
#include <optional>

#include "elements/BallJoint.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "elements/CommentData.h"
#include "elements/ConcentratedMass.h"
#include "elements/CutPipe.h"
#include "elements/Flange.h"
#include "elements/Reducer.h"
#include "elements/UserSif.h"
#include "elements/Valve.h"
#include "files/BatchImport.h"
#include "files/BatchSections.h"
#include "loads/Force.h"
#include "model/LayoutRow.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "model/RowObjects.h"
#include "model/RowRules.h"
#include "records/AnalysisOptions.h"
#include "records/Material.h"
#include "records/ModelBatchFile.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"
#include "records/PointTables.h"
#include "records/RecordTable.h"
#include "services/NumberText.h"
#include "services/TextFileEncoding.h"
#include "services/Units.h"
#include "supports/Anchor.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

constexpr std::size_t kPnfNameWidth = 5;
constexpr std::size_t kDescriptionWidth = 31;
constexpr std::size_t kTitleWidth = 48;
constexpr float kRigid = 1.0e12f;
constexpr float kNoLimit = 1.0e30f;
constexpr float kUsedPairTemperature = 70.0f;
constexpr NodeId kDefaultIncrement = 10;

enum PnfSystem { kEnglish = 0, kMetric = 1, kSi = 2 };

using Parser = int (*)(std::string_view, float&);

struct PnfLine {
  int number = 0;
  std::string raw;   // as read
  std::string work;  // upper case unless a "*" comment
};

struct PnfReader {
  Model* model = nullptr;
  std::vector<std::string>* log = nullptr;
  const PnfLine* line = nullptr;
  std::vector<std::string> tokens;
  std::size_t next = 0;
  int system = kEnglish;
  std::map<std::string, NodeId> nodes;
  NodeId lastNode = 0;
  NodeId increment = kDefaultIncrement;
  std::string fromSection, fromMaterial, fromLoad;  // given by the last FROM
  bool middleNodes = false;  // some bend took a point on its arc
  bool secondPass = false;   // some line is a second-pass record
  bool undirected = false;   // some skewed restraint has no direction
  std::int32_t thermalLoads = 1;  // thermal loads in use by the LOAD lines read
  std::vector<const PnfLine*> rowLines;  // the line of each row, from row 1
};

[[noreturn]] void Fail(const PnfReader& reader, const std::string& message) {
  throw BatchLineErrorText(reader.line->number, reader.line->raw, message);
}
[[noreturn]] void Fail(const PnfReader& reader, const std::string& message, const std::string& detail) {
  throw BatchLineErrorText(reader.line->number, reader.line->raw, message) + " :  " + detail;
}

void Log(PnfReader& reader, const std::string& text) {
  reader.log->push_back("Line " + std::to_string(reader.line->number) + ": " + text);
}

// White space splits tokens except inside a parenthesised group.
std::vector<std::string> SplitTokens(const std::string& text) {
  std::vector<std::string> tokens;
  std::string token;
  int depth = 0;
  for (char c : text) {
    const bool blank = std::isspace(static_cast<unsigned char>(c)) != 0;
    if (blank && depth == 0) {
      if (!token.empty()) tokens.push_back(token);
      token.clear();
      continue;
    }
    if (c == '(') ++depth;
    if (c == ')' && depth > 0) --depth;
    token += c;
  }
  if (!token.empty()) tokens.push_back(token);
  return tokens;
}

std::optional<std::string> Next(PnfReader& reader) {
  if (reader.next >= reader.tokens.size()) return std::nullopt;
  return reader.tokens[reader.next++];
}

bool Given(const std::optional<std::string>& token) { return token && *token != "*"; }

// A value through a unit parser, after the Metric file's centimetres (or
// square centimetres) became millimetres.
float ReadValue(const PnfReader& reader, const std::string& token, Parser parser, const std::string& message,
                float metricScale = 1.0f) {
  std::string text = token;
  if (metricScale != 1.0f && reader.system == kMetric) {
    float plain = 0.0f;
    if (ParseReal(token, plain) != 0) Fail(reader, message, token);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(plain * metricScale));
    text = buffer;
  }
  float value = 0.0f;
  if (parser(text, value) != 0 || !std::isfinite(value)) Fail(reader, message, token);
  return value;
}

float ReadNumber(const PnfReader& reader, const std::string& token, const std::string& message) {
  return ReadValue(reader, token, ParseReal, message);
}

// `value`, read from `token`, by the rule of its field in `record`
// (RuledImportValue, BatchSections.h): a refusal fails the line with
// `message` and the token, or with `relation` alone.
template <typename Record>
float Ruled(const PnfReader& reader, const std::string& token, float value, const FieldRule<Record>& rule,
            const Record& record, const std::string& message, const char* relation = nullptr) {
  return RuledImportValue(value, rule, record, relation, [&](const char* alone) {
    if (alone != nullptr) Fail(reader, alone);
    Fail(reader, message, token);
  });
}

// The number of a node name: consecutive numbers by the node increment,
// the names kept whole.
NodeId NodeByName(PnfReader& reader, const std::string& name) {
  if (const auto found = reader.nodes.find(name); found != reader.nodes.end()) return found->second;
  const NodeId number = reader.lastNode + reader.increment;
  if (number > kLastFreeNodeNumber) Fail(reader, "Too many nodes", name);
  reader.nodes.emplace(name, number);
  reader.lastNode = number;
  return number;
}

int UnitIndex(int kind, const char* label) {
  for (int index = 0; index < UnitCount(kind); ++index)
    if (std::string_view(UnitLabelAt(kind, index)) == label) return index;
  return 0;
}

// The units settings of a system; Angle keeps its choice.
void ApplySystem(PnfReader& reader, int system) {
  struct Choice {
    int kind;
    const char* labels[3];
  };
  static const Choice kChoices[] = {
      {kUnitLength, {"(ft'in\")", "(mm)", "(mm)"}},
      {kUnitDimension, {"(inch)", "(mm)", "(mm)"}},
      {kUnitDisplacement, {"(inch)", "(mm)", "(mm)"}},
      {kUnitForce, {"(lb)", "(kg)", "(N)"}},
      {kUnitMoment, {"(in-lb)", "(kg-m)", "(Nm)"}},
      {kUnitAdditionalWeight, {"(lb/ft)", "(kg/m)", "(kg/m)"}},
      {kUnitWeight, {"(lb)", "(kg)", "(kg)"}},
      {kUnitDensity, {"(lb/in3)", "(kg/m3)", "(kg/m3)"}},
      {kUnitInsulationDensity, {"(lb/ft3)", "(kg/m3)", "(kg/m3)"}},
      {kUnitTemperature, {"(F)", "(C)", "(C)"}},
      {kUnitThermalExpansion, {"(in/in/F)", "(mm/mm/C)", "(mm/mm/C)"}},
      {kUnitPressure, {"(psi)", "(kg/cm2)", "(bar)"}},
      {kUnitStress, {"(psi)", "(kg/cm2)", "(MPa)"}},
      {kUnitModulus, {"(psi)", "(kg/cm2)", "(MPa)"}},
      {kUnitStiffness, {"(lb/inch)", "(kg/cm)", "(N/mm)"}},
      {kUnitRotStiffness, {"(in-lb/deg)", "(kg-m/deg)", "(Nm/deg)"}},
      {kUnitArea, {"(in2)", "(mm2)", "(mm2)"}},
      {kUnitMomentOfInertia, {"(in4)", "(mm4)", "(mm4)"}},
      {kUnitVelocity, {"(mph)", "(m/s)", "(m/s)"}},
  };
  reader.system = system;
  for (const Choice& choice : kChoices)
    g_UnitsSettings.unit[choice.kind] = UnitIndex(choice.kind, choice.labels[system]);
}

void ReadUnit(PnfReader& reader) {
  const auto token = Next(reader);
  if (!token) Fail(reader, "Unit is required");
  if (*token == "ENGLISH") ApplySystem(reader, kEnglish);
  else if (*token == "METRIC") ApplySystem(reader, kMetric);
  else if (*token == "SI") ApplySystem(reader, kSi);
  else Fail(reader, "Invalid UNIT Type", *token);
}

void ReadTitle(PnfReader& reader) {
  Model& model = *reader.model;
  if (model.rowCount != 0 || reader.next >= reader.tokens.size()) {
    Log(reader, "TITLE after the first row or without text: not taken");
    return;
  }
  std::string text = "Title = ";
  while (const auto word = Next(reader)) text += *word + " ";
  if (text.size() > kTitleWidth) {
    Log(reader, "the title is cut to " + std::to_string(kTitleWidth) + " characters");
    text = CutImportedText(text, kTitleWidth);
  }
  model.rowCount = 1;
  reader.rowLines.assign(1, reader.line);
  LayoutRow& row = model.row(1);
  row.elementType = ElementType::Comment;
  row.element = CreateElementData(ElementType::Comment);
  static_cast<CommentData&>(*row.element).SetText(text);
  model.title = text.substr(8);
}

float ReadLoadTemperature(const PnfReader& reader, const std::string& token, const std::string& message) {
  const float value = ReadValue(reader, token, ParseTemperature, message);
  if (LoadTemperatureRefusal(value)) Fail(reader, message, token);
  return value;
}

void ReadGlobal(PnfReader& reader) {
  AnalysisOptions& options = reader.model->options;
  options.ZVertical = 0;
  const auto code = Next(reader);
  if (!code) Fail(reader, "Piping code is required");
  const std::int32_t before = options.PipingCode;
  std::int32_t chosen = 1;
  bool known = true;
  if (*code == "B31.1" || *code == "CLASS3-1977" || *code == "CLASS3-2001") chosen = 1;
  else if (*code == "B31.3") chosen = 3;
  else if (*code == "B31.4") chosen = 4;
  else if (*code == "B31.8") chosen = 6;
  else if (*code == "CLASS2-1997" || *code == "CLASS2-2001") chosen = 10;
  else if (*code == "BS806") chosen = 12;
  else if (*code == "13480") chosen = 21;
  else if (*code == "BS") {
    auto word = Next(reader);
    if (word && *word == "EN") word = Next(reader);
    if (!word || *word != "13480") Fail(reader, "Invalid piping code", word ? *word : *code);
    chosen = 21;
  } else {
    known = false;
  }
  if (!known) Log(reader, "piping code " + *code + " is not known: B31.1 taken in its place");
  else if (chosen != 1 && *code != "B31.1" && (code->rfind("CLASS", 0) == 0))
    Log(reader, "piping code " + *code + " is taken as the code of number " + std::to_string(chosen));
  else if (code->rfind("CLASS3", 0) == 0)
    Log(reader, "piping code " + *code + " is taken as B31.1");
  SetPipingCode(options, chosen, ProgramAnalysisOptions());
  (void)before;
  if (const auto t = Next(reader); Given(t))
    options.ReferenceTemperature = ReadLoadTemperature(reader, *t, "Invalid temperature");
  if (const auto f = Next(reader); Given(f)) {
    ReadNumber(reader, *f, "Invalid F factor");
    Log(reader, "the F factor " + *f + " is not taken");
  }
  if (const auto e = Next(reader); Given(e)) options.PeakPressureFactor = ReadNumber(reader, *e, "Invalid E factor");
  if (const auto d = Next(reader); Given(d)) {
    std::int32_t count = 0;
    if (ParseInteger(*d, count) != 0) Fail(reader, "Invalid No. of dynamic loads", *d);
    Log(reader, "the number of dynamic loads " + *d + " is not taken");
  }
  if (const auto c = Next(reader); Given(c)) {
    // The modal analysis keeps the modes up to it: a model file holds one
    // of 1 Hz or more, so 0 would make a model that could not be opened.
    std::int32_t hz = 0;
    if (ParseInteger(*c, hz) != 0 || hz < 1) Fail(reader, "Invalid cut-off frequency", *c);
    options.CutOffFrequency = hz;
  }
  for (int extra = 0; extra < 3; ++extra)
    if (const auto t = Next(reader); Given(t)) Log(reader, "the GLOBAL value " + *t + " is not taken");
}

void CheckName(const PnfReader& reader, const std::optional<std::string>& name, const std::string& kind) {
  if (!Given(name)) Fail(reader, kind + " name is required");
  // A "(" in the name opens a group that takes the rest of the line into
  // its token: the name the file meant stands before the first blank, and
  // the "(" is what no name may hold.
  if (const std::string meant = name->substr(0, name->find_first_of(" \t")); meant.find('(') != std::string::npos)
    Fail(reader, kind + " name should be alpha-numeric", meant);
  if (name->size() > kPnfNameWidth) Fail(reader, kind + " name should be <= 5 characters", *name);
  // A zero byte would end the message where it stands: it is shown.
  if (!IsNameText(*name)) Fail(reader, kind + " name should be alpha-numeric", VisibleText(*name));
}

void ReadMaterial(PnfReader& reader) {
  Model& model = *reader.model;
  const auto name = Next(reader);
  CheckName(reader, name, "Material");
  Material material;
  material.name = *name;
  material.nu = 0.3f;
  material.jointFactor = 1.0f;
  material.circJointFactor = 1.0f;
  if (const auto d = Next(reader); Given(d)) {
    material.description = CutImportedText(*d, kDescriptionWidth);
    if (d->size() > kDescriptionWidth) Log(reader, "the material description is cut to 31 characters");
  }
  if (const auto d = Next(reader); Given(d))
    material.density = Ruled(reader, *d, ReadValue(reader, *d, ParseDensity, "Invalid density"),
                             kMaterialRules[kMaterialDensityRule], material, "Invalid density");
  if (const auto p = Next(reader); Given(p))
    material.nu = Ruled(reader, *p, ReadNumber(reader, *p, "Invalid Poisson's ratio"), kMaterialRules[kMaterialNuRule],
                        material, "Invalid Poisson's ratio");
  // The file gives no temperature table: the placeholder carbon-steel-like
  // rows let the model analyse, and the log says the values are not the
  // file's.
  material.temps.resize(3);
  material.temps[1].values[kMatTemperature] = 70.0f;
  material.temps[1].values[kMatModulus] = 3.0e7f;
  material.temps[1].values[kMatAlpha] = 6.0e-6f;
  material.temps[1].values[kMatAllowable] = 20000.0f;
  material.temps[2].values[kMatTemperature] = 1200.0f;
  material.temps[2].values[kMatModulus] = 2.0e7f;
  material.temps[2].values[kMatAlpha] = 8.0e-6f;
  material.temps[2].values[kMatAllowable] = 1000.0f;
  material.numtemps = 2;
  // Rows reach only the first record of a name.
  if (FindRecordByName(model.materials, material.name) != 0) {
    Log(reader, "material " + material.name + " is defined again: the line is not taken");
    return;
  }
  AppendMaterial(model.materials, material);
  Log(reader, "material " + material.name +
                  " takes a placeholder temperature table (70 F: E 3.0e7 psi, 6.0e-6 in/in/F, 20000 psi; "
                  "1200 F: 2.0e7 psi, 8.0e-6 in/in/F, 1000 psi): enter its own");
}

void ReadAllowable(PnfReader& reader) {
  const auto name = Next(reader);
  if (!name) {
    Log(reader, "ALLOWABLE without a material: not taken");
    return;
  }
  if (FindRecordByName(reader.model->materials, *name) == 0) {
    Log(reader, "ALLOWABLE of material " + *name + ", which is not defined: not taken");
    return;
  }
  for (int pair = 0; pair < 8; ++pair) {
    const auto t = Next(reader);
    if (!t) break;
    if (Given(t)) ReadValue(reader, *t, ParseTemperature, "Invalid temperature");
    const auto s = Next(reader);
    if (!s) break;
    if (Given(s)) {
      std::string text = *s;
      if (reader.system == kSi) {
        const float plain = ReadNumber(reader, *s, "Invalid allowable stress");
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(plain * 0.001f));
        text = buffer;
      }
      ReadValue(reader, text, ParseStress, "Invalid allowable stress");
    }
  }
  Log(reader, "the allowable stresses of material " + *name + " are checked and not taken");
}

void ReadLoad(PnfReader& reader) {
  Model& model = *reader.model;
  const auto name = Next(reader);
  CheckName(reader, name, "Load");
  PipeLoad load;
  InitPipeLoad(load, model.options.ReferenceTemperature);
  load.name = *name;
  for (auto& pair : load.operating) pair = {kUsedPairTemperature, 0.0f};
  const auto t1 = Next(reader);
  if (!Given(t1)) Fail(reader, "T1 is required");
  load.operating[0].temperature = ReadLoadTemperature(reader, *t1, "Invalid T1");
  const auto p1 = Next(reader);
  if (!Given(p1)) Fail(reader, "P1 is required");
  load.operating[0].pressure = ReadValue(reader, *p1, ParsePressure, "Invalid P1");
  static const char* const kMessages[2][2] = {{"Invalid T2", "Invalid P2"}, {"Invalid T3", "Invalid P3"}};
  // A T2 or T3 given on either side of 70 F puts its pair in use, as in a
  // batch file: a cold operating temperature is a thermal load too.
  std::int32_t inUse = 1;
  for (std::size_t pair = 1; pair <= 2; ++pair) {
    if (const auto t = Next(reader); Given(t)) {
      load.operating[pair].temperature = ReadLoadTemperature(reader, *t, kMessages[pair - 1][0]);
      if (IsBatchTemperatureInUse(*t, load.operating[pair].temperature)) inUse = static_cast<std::int32_t>(pair) + 1;
    }
    if (const auto p = Next(reader); Given(p))
      load.operating[pair].pressure = ReadValue(reader, *p, ParsePressure, kMessages[pair - 1][1]);
  }
  load.specificGravity = 0.0f;
  load.additionalWeight = 0.0f;
  load.wind = 1;
  if (FindRecordByName(model.pipeLoads, load.name) != 0) {
    Log(reader, "load " + load.name + " is defined again: the line is not taken");
    return;
  }
  AppendPipeLoad(model.pipeLoads, load);
  reader.thermalLoads = std::max(reader.thermalLoads, inUse);
  model.options.ThermalLoadCount = reader.thermalLoads;
}

void ReadPipe(PnfReader& reader) {
  Model& model = *reader.model;
  const auto name = Next(reader);
  CheckName(reader, name, "Section");
  if (!Given(Next(reader))) Fail(reader, "Pipe nominal size is required");
  if (!Given(Next(reader))) Fail(reader, "Pipe schedule size is required");
  PipeSection section;
  InitSection(section);
  section.name = *name;
  section.nominalSize = "Non Std";
  section.schedule = " ";
  const auto od = Next(reader);
  if (!Given(od)) Fail(reader, "Pipe diameter is required");
  // Each dimension by the rule of its field, in millimetres in a metric file.
  const auto dimension = [&reader, &section](const std::string& token, SectionRuled which, const char* message,
                                             const char* relation = nullptr) {
    return Ruled(reader, token, ReadValue(reader, token, ParseNonNegativeDimension, message, 10.0f),
                 kSectionRules[which], section, message, relation);
  };
  section.outsideDiameter = dimension(*od, kSectionDiameterRule, "Invalid pipe diameter");
  const auto wall = Next(reader);
  if (!Given(wall)) Fail(reader, "Pipe thickness is required");
  section.thickness = ReadValue(reader, *wall, ParseNonNegativeDimension, "Invalid pipe thickness", 10.0f);
  if (section.thickness < kLeastImportedDimension) Fail(reader, "Invalid pipe thickness", *wall);
  Ruled(reader, *wall, section.thickness, kSectionRules[kSectionWallRule], section, "Invalid pipe thickness",
        "Thickness is greater than radius");
  if (const auto c = Next(reader); Given(c)) {
    const float value = ReadValue(reader, *c, ParseNonNegativeDimension, "Invalid corrosion allowance", 10.0f);
    section.corrosionAllowance = Ruled(reader, *c, value, kSectionRules[kSectionCorrosionRule], section,
                                       "Invalid corrosion allowance", CorrosionRelation(section, value));
  }
  if (const auto t = Next(reader); Given(t)) {
    section.insulationThickness = dimension(*t, kSectionInsulationThicknessRule, "Invalid insulation thickness");
    if (const auto d = Next(reader); Given(d))
      section.insulationDensity =
          Ruled(reader, *d, ReadValue(reader, *d, ParseInsulationDensity, "Invalid insulation density"),
                kSectionRules[kSectionInsulationDensityRule], section, "Invalid insulation density");
  }
  if (FindRecordByName(model.sections, section.name) != 0) {
    Log(reader, "section " + section.name + " is defined again: the line is not taken");
    return;
  }
  AppendSection(model.sections, section);
}

// --- Element and support records -------------------------------------------

struct RecordKind {
  const char* keyword;
  ElementType element;
  DataType item;
};

constexpr RecordKind kRecordKinds[] = {
    {"FROM", ElementType::From, DataType::None},
    {"TO", ElementType::Pipe, DataType::None},
    {"BSJ", ElementType::BallJoint, DataType::None},
    {"COMMENT", ElementType::Comment, DataType::None},
    {"RIGID", ElementType::Location, DataType::Restraint},
    {"SPRING", ElementType::Location, DataType::Hanger},
    {"CONSTANT", ElementType::Location, DataType::Hanger},
    {"HANGER", ElementType::Location, DataType::Hanger},
    {"LINESTOP", ElementType::Location, DataType::SkewedRestraint},
    {"ROTATIONAL", ElementType::Location, DataType::SkewedRestraint},
    {"INCLINED", ElementType::Location, DataType::SkewedRestraint},
    {"SNUBBER", ElementType::Location, DataType::Snubber},
    {"GUIDE", ElementType::Location, DataType::Guide},
    {"ONEWAY", ElementType::Location, DataType::LimitStop},
    {"LIMITSTOP", ElementType::Location, DataType::LimitStop},
    {"ANCHOR", ElementType::Location, DataType::Anchor},
    {"SIF", ElementType::Location, DataType::UserSif},
    {"WEIGHT", ElementType::Location, DataType::ConcentratedMass},
    {"MASS", ElementType::Location, DataType::ConcentratedMass},
    {"FORCE", ElementType::Location, DataType::Force},
    {"FLANGE", ElementType::Location, DataType::Flange},
    {"TEE", ElementType::Location, DataType::BranchSif},
};

constexpr const char* kSecondPassKinds[] = {"VALVE", "CUT", "REDUCER", "BELLOW"};

LayoutRow* RowEndingAt(Model& model, NodeId node) {
  for (int number = 1; number <= model.rowCount; ++number) {
    LayoutRow& row = model.row(number);
    if (row.node == node && row.elementType != ElementType::Location && row.elementType != ElementType::Comment)
      return &row;
  }
  return nullptr;
}

// The stiffness of a support: "*" keeps the kind's rigid default, "FREE"
// gives 1.0 (next to nothing), a number its value.
float ReadSupportStiffness(PnfReader& reader, const std::optional<std::string>& token, float fallback,
                           const std::string& message) {
  if (!Given(token)) return fallback;
  if (*token == "FREE") return 1.0f;
  const float value = ReadValue(reader, *token, ParseStiffness, message);
  return value == 0.0f ? 1.0f : value;
}

void ReadAnchor(PnfReader& reader, Anchor& anchor) {
  static const char* const kMessages[6] = {"Invalid stiffness kx", "Invalid stiffness ky", "Invalid stiffness kz",
                                           "Invalid rotational stiffness kxx", "Invalid rotational stiffness kyy",
                                           "Invalid rotational stiffness kzz"};
  anchor.stiffness.fill(kRigid);
  for (std::size_t axis = 0; axis < 6; ++axis) {
    const auto token = Next(reader);
    if (!token) return;
    if (!Given(token)) continue;
    if (*token == "FREE") {
      anchor.stiffness[axis] = axis < 3 ? 1.0f : ReadValue(reader, "1", ParseRotStiffness, kMessages[axis]);
      continue;
    }
    const float value = ReadValue(reader, *token, axis < 3 ? ParseStiffness : ParseRotStiffness, kMessages[axis]);
    anchor.stiffness[axis] = value == 0.0f ? kRigid : value;
  }
  // Up to three sets of imposed movements, T1 to T3; a set is given as soon
  // as its dx is, and reading stops at the first missing value.
  static const char* const kDisplacementMessages[6] = {
      "Invalid displacement x",      "Invalid displacement y",      "Invalid displacement z",
      "Invalid rot. displacement x", "Invalid rot. displacement y", "Invalid rot. displacement z"};
  SpecifiedDisplacements& displacements = anchor.displacements;
  for (std::size_t set = 0; set < 3; ++set) {
    for (std::size_t value = 0; value < 6; ++value) {
      const auto token = Next(reader);
      if (!token) return;
      if (value == 0) {
        displacements.flags[set] = 1;
        if (!displacements.sets) displacements.sets = std::make_unique<DisplacementSets>();
      }
      if (!Given(token)) continue;
      float number = 0.0f;
      if (value < 3) {
        number = ReadValue(reader, *token, ParseDimension, kDisplacementMessages[value], 10.0f);
      } else {
        // The sets hold rotations in degrees: typed in degrees, a value is
        // kept as typed; the parser gives radians.
        number = ChosenUnit(kUnitAngle) == 0
                     ? ReadNumber(reader, *token, kDisplacementMessages[value])
                     : static_cast<float>(ReadValue(reader, *token, ParseAngle, kDisplacementMessages[value]) *
                                          180.0 / std::numbers::pi);
      }
      displacements.sets->values[6 * set + value + 1] = number;
    }
  }
}

// SPRING (a user hanger of the given rate and cold load), CONSTANT (a
// constant support) and HANGER (a spring hanger designed against the
// default catalogue).
void ReadHanger(PnfReader& reader, const std::string& keyword, Hanger& hanger) {
  hanger.kind = keyword == "SPRING" ? kUserHanger : keyword == "CONSTANT" ? kConstantSupport : kGrinnellCatalogue;
  hanger.numberOfHangers = 1;
  hanger.maximumLoadVariation = 0;
  if (hanger.kind == kGrinnellCatalogue) {
    hanger.maximumLoadVariation = 25;
    return;
  }
  float rate = 0.0f;
  if (const auto token = Next(reader); hanger.kind == kUserHanger) {
    if (Given(token) && *token != "FREE") rate = ReadValue(reader, *token, ParseStiffness, "Invalid spring rate");
  } else if (Given(token)) {
    Log(reader, "the constant support's value " + *token + " is not taken");
  }
  float load = 0.0f;
  const auto cold = Next(reader);
  if (Given(cold)) load = ReadValue(reader, *cold, ParseForce, "Invalid cold load");
  if (hanger.kind == kUserHanger) {
    hanger.loadType = 1;
    hanger.springRate = rate == 0.0f ? 1.0f : rate;
    hanger.load = load;
  } else if (Given(cold)) {
    Log(reader, "the constant support's cold load " + *cold + " is not taken: the run finds its load");
  }
}

// LINESTOP (translational, along the pipe), ROTATIONAL (about a given
// direction) and INCLINED (translational, its two angles not taken); a
// direction not given is the pipe's, set once the nodes are made.
void ReadSkewedRestraint(PnfReader& reader, const std::string& keyword, SkewedRestraint& restraint) {
  const bool rotational = keyword == "ROTATIONAL";
  restraint.rotational = rotational ? 1 : 0;
  restraint.stiffness = kRigid;
  if (const auto k = Next(reader); Given(k)) {
    if (*k == "FREE") {
      restraint.stiffness = rotational ? ReadValue(reader, "1", ParseRotStiffness, "Invalid rotational stiffness") : 1.0f;
    } else {
      const float value = rotational ? ReadValue(reader, *k, ParseRotStiffness, "Invalid rotational stiffness")
                                     : ReadValue(reader, *k, ParseStiffness, "Invalid translational stiffness");
      restraint.stiffness = value == 0.0f ? kRigid : value;
    }
  }
  if (keyword == "INCLINED") {
    for (int skipped = 0; skipped < 2; ++skipped)
      if (const auto t = Next(reader); Given(t)) Log(reader, "the INCLINED value " + *t + " is not taken");
  } else if (rotational) {
    if (const auto x = Next(reader); Given(x)) restraint.dirX = ReadNumber(reader, *x, "Invalid xcomp");
    if (const auto y = Next(reader); Given(y)) restraint.dirY = ReadNumber(reader, *y, "Invalid ycomp");
    if (const auto z = Next(reader); Given(z)) restraint.dirZ = ReadNumber(reader, *z, "Invalid zcomp");
  }
}

// BSJ: the first value is passed over; the stiffness holds for bending and
// torsion alike ("*" free, "FREE" next to nothing).
void ReadBallJoint(PnfReader& reader, BallJoint& joint) {
  if (const auto skipped = Next(reader); Given(skipped)) Log(reader, "the BSJ value " + *skipped + " is not taken");
  float stiffness = 0.0f;
  if (const auto k = Next(reader); Given(k))
    stiffness = ReadValue(reader, *k == "FREE" ? std::string("1") : *k, ParseRotStiffness, "Invalid stiffness ky");
  joint.bendingStiffness = stiffness;
  joint.torsionalStiffness = stiffness;
  joint.bendingRotationLimit = kNoLimit;
  joint.torsionalRotationLimit = kNoLimit;
  joint.bendingFrictionTorque = 0.0f;
  joint.torsionalFrictionTorque = 0.0f;
  joint.weight = 0.0f;
}

// A friction coefficient at least 0, as the batch file and the dialogs hold
// it: a negative one would push the pipe along its movement. Not taken
// (none) and said in the log.
float ReadFriction(PnfReader& reader, const std::string& token) {
  const float mu = ReadNumber(reader, token, "Invalid friction coefficient");
  if (mu >= 0.0f) return mu;
  Log(reader, "the friction coefficient " + token + " is not taken: a friction coefficient is at least 0");
  return 0.0f;
}

void ReadLimitStop(PnfReader& reader, LimitStop& stop, bool oneWay) {
  stop.lowerLimit = 0.0f;
  stop.upperLimit = 0.0f;
  stop.stiffness = kRigid;
  if (oneWay) {
    struct Way {
      const char* token;
      float x, y, z;
    };
    static const Way kWays[] = {{"+X", -1, 0, 0}, {"-X", 1, 0, 0}, {"+Y", 0, -1, 0},
                                {"-Y", 0, 1, 0},  {"+Z", 0, 0, -1}, {"-Z", 0, 0, 1}};
    const auto token = Next(reader);
    bool found = false;
    for (const Way& way : kWays)
      if (token && *token == way.token) {
        stop.dirX = way.x;
        stop.dirY = way.y;
        stop.dirZ = way.z;
        stop.upperLimit = kNoLimit;
        stop.lowerLimit = 0.0f;
        found = true;
      }
    if (!found) Fail(reader, "Invalid direction", token ? *token : std::string());
    if (const auto mu = Next(reader); Given(mu)) stop.frictionCoefficient = ReadFriction(reader, *mu);
  } else {
    stop.stiffness = ReadSupportStiffness(reader, Next(reader), kRigid, "Invalid stiffness");
    if (const auto upper = Next(reader); Given(upper)) {
      stop.upperLimit = ReadValue(reader, *upper, ParseNonNegativeDimension, "Invalid upper limit", 10.0f);
    }
    if (const auto lower = Next(reader); Given(lower))
      stop.lowerLimit = -std::fabs(ReadValue(reader, *lower, ParseDimension, "Invalid lower limit", 10.0f));
    if (const auto mu = Next(reader); Given(mu)) stop.frictionCoefficient = ReadFriction(reader, *mu);
    if (const auto x = Next(reader); Given(x)) stop.dirX = ReadNumber(reader, *x, "Invalid xcomp");
    if (const auto y = Next(reader); Given(y)) stop.dirY = ReadNumber(reader, *y, "Invalid ycomp");
    if (const auto z = Next(reader); Given(z)) stop.dirZ = ReadNumber(reader, *z, "Invalid zcomp");
  }
  if (stop.dirX == 0.0f && stop.dirY == 0.0f && stop.dirZ == 0.0f) stop.dirY = 1.0f;
}

void ReadTee(PnfReader& reader, BranchSif& sif) {
  const auto type = Next(reader);
  sif.type = kBranchSifWeldingTee;
  if (type && *type == "REINFORCED") sif.type = 2;
  else if (type && *type == "UNREINFORCED") sif.type = kBranchSifUnreinforced;
  else if (type && *type == "EXTRUDED") sif.type = 4;
  else if (type && *type == "BRANCH") Fail(reader, "For Branch Connection, radius is required");
  else if (Given(type) && *type != "WELDING") Log(reader, "tee type " + *type + " is taken as a welding tee");
  float pad = 0.0f, crotch = 0.0f;
  if (const auto p = Next(reader); Given(p))
    pad = ReadValue(reader, *p, ParseNonNegativeDimension, "Invalid pad thickness", 10.0f);
  if (const auto c = Next(reader); Given(c))
    crotch = ReadValue(reader, *c, ParseNonNegativeDimension, "Invalid crotch radius", 10.0f);
  if (sif.type == kBranchSifUnreinforced && pad > 0.0f) {
    sif.type = 2;
    sif.dimension1 = pad;
  }
  if (sif.type == 4) {
    if (crotch < 0.001f) Fail(reader, "For Extruded Tee, crotch radius is required");
    sif.dimension1 = crotch;
  }
}

void FillItem(PnfReader& reader, const std::string& keyword, LayoutRow& row) {
  DataItem* item = row.item.get();
  if (auto* restraint = dynamic_cast<Restraint*>(item)) {
    restraint->restrainY = 1;
  } else if (auto* anchor = dynamic_cast<Anchor*>(item)) {
    ReadAnchor(reader, *anchor);
  } else if (auto* hanger = dynamic_cast<Hanger*>(item)) {
    ReadHanger(reader, keyword, *hanger);
  } else if (auto* skewed = dynamic_cast<SkewedRestraint*>(item)) {
    ReadSkewedRestraint(reader, keyword, *skewed);
    if (skewed->dirX == 0.0f && skewed->dirY == 0.0f && skewed->dirZ == 0.0f) reader.undirected = true;
  } else if (auto* guide = dynamic_cast<Guide*>(item)) {
    guide->stiffness = ReadSupportStiffness(reader, Next(reader), kRigid, "Invalid spring rate");
  } else if (auto* snubber = dynamic_cast<Snubber*>(item)) {
    snubber->stiffness = ReadSupportStiffness(reader, Next(reader), kRigid, "Invalid spring rate");
    if (const auto x = Next(reader); Given(x)) snubber->dirX = ReadNumber(reader, *x, "Invalid xcomp");
    if (const auto y = Next(reader); Given(y)) snubber->dirY = ReadNumber(reader, *y, "Invalid ycomp");
    if (const auto z = Next(reader); Given(z)) snubber->dirZ = ReadNumber(reader, *z, "Invalid zcomp");
  } else if (auto* stop = dynamic_cast<LimitStop*>(item)) {
    ReadLimitStop(reader, *stop, keyword == "ONEWAY");
  } else if (auto* sif = dynamic_cast<UserSif*>(item)) {
    if (const auto in = Next(reader); Given(in)) {
      sif->inPlaneSif = ReadNumber(reader, *in, "Invalid inplane SIF");
      if (sif->inPlaneSif < 1.0f) Fail(reader, "Invalid inplane SIF", *in);
    }
    if (const auto out = Next(reader); Given(out)) {
      sif->outPlaneSif = ReadNumber(reader, *out, "Invalid out of plane SIF");
      if (sif->outPlaneSif < 1.0f) Fail(reader, "Invalid out of plane SIF", *out);
    }
  } else if (auto* mass = dynamic_cast<ConcentratedMass*>(item)) {
    if (const auto w = Next(reader); Given(w)) mass->weight = ReadValue(reader, *w, ParseWeight, "Invalid mass or weight");
  } else if (auto* force = dynamic_cast<NodalForce*>(item)) {
    static const char* const kMessages[6] = {"Invalid fx", "Invalid fy", "Invalid fz",
                                             "Invalid mx", "Invalid my", "Invalid mz"};
    for (int axis = 0; axis < 6; ++axis)
      if (const auto v = Next(reader); Given(v))
        force->Component(axis) = ReadValue(reader, *v, axis < 3 ? ParseForce : ParseMoment, kMessages[axis]);
  } else if (auto* flange = dynamic_cast<Flange*>(item)) {
    const auto type = Next(reader);
    flange->type = 1;
    if (type && *type == "DOUBLE") flange->type = 2;
    else if (type && *type == "SOCKET") flange->type = 5;
    else if (type && *type == "LAP") flange->type = 6;
    else if (type && *type == "SCREWED") flange->type = 7;
    else if (Given(type) && *type != "WELD") Log(reader, "flange type " + *type + " is taken as a weld neck flange");
    if (const auto skipped = Next(reader); Given(skipped)) Log(reader, "the flange value " + *skipped + " is not taken");
    if (const auto w = Next(reader); Given(w)) flange->weight = ReadValue(reader, *w, ParseWeight, "Invalid flange weight");
    if (const auto g = Next(reader); Given(g))
      flange->gasketDiameter = ReadValue(reader, *g, ParseNonNegativeDimension, "Invalid gasket dia", 10.0f);
  } else if (auto* tee = dynamic_cast<BranchSif*>(item)) {
    ReadTee(reader, *tee);
  }
}

// A section, material or load name of a FROM or TO record: the name a
// PIPE, MATERIAL or LOAD line gave, by their rules (CheckName), and one an
// earlier line defined; a name the model file cannot keep, or that names
// no record, would make a row no save takes or that takes no properties.
std::string RecordName(const PnfReader& reader, const std::optional<std::string>& name, std::size_t which) {
  static const char* const kKinds[3] = {"Section", "Material", "Load"};
  CheckName(reader, name, kKinds[which]);
  const Model& model = *reader.model;
  const int found = which == 0   ? FindRecordByName(model.sections, *name)
                    : which == 1 ? FindRecordByName(model.materials, *name)
                                 : FindRecordByName(model.pipeLoads, *name);
  if (found == 0) Fail(reader, std::string(kKinds[which]) + " name is not defined", *name);
  return *name;
}

void ReadGeometry(PnfReader& reader, LayoutRow& row, bool to) {
  static const char* const kMessages[3] = {"Invalid DX", "Invalid DY", "Invalid DZ"};
  float* offsets[3] = {&row.dx, &row.dy, &row.dz};
  for (int axis = 0; axis < 3; ++axis)
    if (const auto v = Next(reader); Given(v)) *offsets[axis] = ReadValue(reader, *v, ParseLength, kMessages[axis], 10.0f);
  if (to) {
    if (const auto bend = Next(reader); Given(bend)) {
      row.elementType = ElementType::Bend;
      row.element = CreateElementData(ElementType::Bend);
      auto& data = static_cast<Bend&>(*row.element);
      if (*bend == "LONG") {
        data.radiusType = kBendRadiusLong;
      } else if (*bend == "SHORT") {
        data.radiusType = kBendRadiusShort;
      } else {
        data.radiusType = kBendRadiusUser;
        data.radius = ReadValue(reader, *bend, ParseNonNegativeDimension, "Invalid bend_radius", 10.0f);
      }
    }
  }
  std::string* names[3] = {&row.section, &row.material, &row.load};
  for (std::size_t i = 0; i < 3; ++i)
    if (const auto v = Next(reader); Given(v)) *names[i] = RecordName(reader, v, i);
  // A From row has no properties: the names it gives go to the next
  // element that gives none of its own, else no row would take them.
  std::string* carried[3] = {&reader.fromSection, &reader.fromMaterial, &reader.fromLoad};
  for (std::size_t i = 0; i < 3; ++i) {
    if (row.elementType == ElementType::From) {
      *carried[i] = *names[i];
      names[i]->clear();
    } else if (names[i]->empty()) {
      *names[i] = *carried[i];
      carried[i]->clear();
    } else {
      carried[i]->clear();
    }
  }
}

// The node on a bend's arc that a support names by a position: the bend's
// node + 5, which becomes its first intermediate node.
NodeId BendMiddleNode(PnfReader& reader, Bend& bend, NodeId node) {
  const NodeId middle = node + 5;
  if (bend.intermediateNode1 == middle) return middle;
  for (const auto& [name, number] : reader.nodes)
    if (number == middle) Fail(reader, "The point on the bend would take the number of node", name);
  bend.intermediateNode1 = middle;
  bend.angle1 = 0.0f;
  reader.middleNodes = true;
  return middle;
}

void ReadFirstPassRecord(PnfReader& reader) {
  const std::string keyword = *Next(reader);
  const RecordKind* kind = nullptr;
  for (const RecordKind& candidate : kRecordKinds)
    if (keyword == candidate.keyword) kind = &candidate;
  if (kind == nullptr) {
    if (keyword[0] == '*') return;
    for (const char* second : kSecondPassKinds)
      if (keyword == second) {
        reader.secondPass = true;
        return;
      }
    Log(reader, "unknown record " + keyword + ": not taken");
    return;
  }
  Model& model = *reader.model;
  if (model.rowCount >= kMaxLayoutRows) Fail(reader, "Maximum number of rows exceeded");
  LayoutRow row;
  row.elementType = kind->element;
  row.element = CreateElementData(kind->element);
  row.dataType = kind->item;
  row.item = CreateDataItem(kind->item);
  if (kind->element == ElementType::Comment) {
    std::string text;
    while (const auto word = Next(reader)) text += *word + " ";
    if (text.size() > kCommentBytes - 1) {
      Log(reader, "the comment is cut to " + std::to_string(kCommentBytes - 1) + " characters");
      text = CutImportedText(text, kCommentBytes - 1);
    }
    static_cast<CommentData&>(*row.element).SetText(text);
  } else if (kind->element == ElementType::Location) {
    const auto name = Next(reader);
    if (!Given(name)) Fail(reader, keyword + " needs a node");
    NodeId node = reader.nodes.count(*name) != 0 ? reader.nodes[*name] : 0;
    LayoutRow* owner = node != 0 ? RowEndingAt(model, node) : nullptr;
    if (owner == nullptr) Fail(reader, "No element ends at node", *name);
    const bool bend = owner->elementType == ElementType::Bend;
    if (kind->item == DataType::UserSif || kind->item == DataType::BranchSif) {
      if (bend) node += kArcNearOffset;
    } else if (const auto position = Next(reader); Given(position)) {
      // NEAR and FAR name the ends of a bend's arc; any other row has no
      // such nodes, and a support there would stand at no node at all.
      if (bend && *position == "NEAR") {
        node += kArcNearOffset;
      } else if (bend && *position == "FAR") {
        node += kArcFarOffset;
      } else if (bend) {
        // A point on the arc: the bend's first intermediate node, placed at
        // half the bend's angle once the nodes are made.
        node = BendMiddleNode(reader, static_cast<Bend&>(*owner->element), node);
      } else {
        Log(reader, "position " + *position + " is not taken: the support is at node " + *name);
      }
    }
    row.node = node;
    FillItem(reader, keyword, row);
  } else if (kind->element == ElementType::BallJoint) {
    // The joint's own node: a key no name of the file can be (no token
    // holds a line break), so it never meets one of the file's nodes.
    row.node = NodeByName(reader, "\nBA" + std::to_string(model.rowCount + 1));
    ReadBallJoint(reader, static_cast<BallJoint&>(*row.element));
  } else {
    const auto name = Next(reader);
    if (!Given(name)) Fail(reader, keyword + " needs a node");
    row.node = NodeByName(reader, *name);
    ReadGeometry(reader, row, keyword == "TO");
  }
  if (row.elementType == ElementType::Location) {
    row.material.clear();
    row.section.clear();
    row.load.clear();
  }
  if (reader.next < reader.tokens.size())
    Log(reader, std::to_string(reader.tokens.size() - reader.next) + " further values are not taken");
  model.rowCount += 1;
  model.row(model.rowCount) = std::move(row);
  reader.rowLines.push_back(reader.line);
}

// The first pass line by line; section lines and records.
void ReadFirstPassLine(PnfReader& reader) {
  const std::string& keyword = reader.tokens[0];
  reader.next = 1;
  if (keyword == "TITLE") ReadTitle(reader);
  else if (keyword == "UNIT") ReadUnit(reader);
  else if (keyword == "GLOBAL") ReadGlobal(reader);
  else if (keyword == "MATERIAL") ReadMaterial(reader);
  else if (keyword == "ALLOWABLE") ReadAllowable(reader);
  else if (keyword == "LOAD") ReadLoad(reader);
  else if (keyword == "PIPE") ReadPipe(reader);
  else {
    reader.next = 0;
    ReadFirstPassRecord(reader);
  }
}

// --- Second pass: in-line elements over rows the first pass made ---------

bool IsElementRow(const LayoutRow& row) {
  return row.elementType != ElementType::None && row.elementType != ElementType::Location &&
         row.elementType != ElementType::Comment && row.elementType != ElementType::HydrotestLoad &&
         row.elementType != ElementType::From;
}

// The row of the element that starts at `node` (the nodes are made): a
// From row at the node stands for the element that follows it.
int RowStartingAt(const Model& model, NodeId node) {
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (row.elementType == ElementType::From && row.node == node) {
      for (int next = number + 1; next <= model.rowCount; ++next) {
        const LayoutRow& candidate = model.row(next);
        if (candidate.elementType == ElementType::From) return 0;
        if (IsElementRow(candidate)) return next;
      }
      return 0;
    }
    if (IsElementRow(row) && row.startNode > 0 && row.startNode <= model.nodes.count &&
        model.nodes[row.startNode].id == node)
      return number;
  }
  return 0;
}

void ReadValve(PnfReader& reader, LayoutRow& row) {
  auto valve = std::make_unique<Valve>();
  if (const auto skipped = Next(reader); Given(skipped)) Log(reader, "the VALVE value " + *skipped + " is not taken");
  if (const auto w = Next(reader); Given(w)) valve->weight = ReadValue(reader, *w, ParseWeight, "Invalid Valve weight");
  valve->thicknessMultiplier = 3.0f;
  valve->insulationWeightMultiplier = 1.75f;
  if (const auto m = Next(reader); Given(m))
    valve->insulationWeightMultiplier = ReadNumber(reader, *m, "Invalid insulation factor");
  row.elementType = ElementType::Valve;
  row.element = std::move(valve);
}

void ReadCut(PnfReader& reader, LayoutRow& row) {
  const auto token = Next(reader);
  if (!token) {
    Log(reader, "CUT without a length: the record is not taken");
    return;
  }
  float cut = 0.0f;
  std::string text = *token;
  if (reader.system == kMetric) {
    float plain = 0.0f;
    if (ParseReal(*token, plain) != 0) Fail(reader, "Cut value required");
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(plain * 10.0f));
    text = buffer;
  }
  if (ParseNonNegativeDimension(text, cut) != 0 || !std::isfinite(cut) || cut == 0.0f) Fail(reader, "Cut value required");
  auto pipe = std::make_unique<CutPipe>();
  pipe->cut = cut;
  row.elementType = ElementType::CutPipe;
  row.element = std::move(pipe);
}

void ReadReducer(PnfReader& reader, int target) {
  Model& model = *reader.model;
  LayoutRow& row = model.row(target);
  const NodeRecord& start = model.nodes[row.startNode];
  const std::string before = start.row > 0 && start.row <= model.rowCount ? model.row(start.row).section : std::string();
  const int first = FindRecordByName(model.sections, before);
  if (first == 0)
    Fail(reader, "The element before the reducer has no pipe section", before.empty() ? std::string("*") : before);
  const int second = FindRecordByName(model.sections, row.section);
  if (second == 0) Fail(reader, "The reducer has no pipe section", row.section.empty() ? std::string("*") : row.section);
  auto reducer = std::make_unique<Reducer>();
  reducer->od1 = model.sections[first].outsideDiameter;
  reducer->thk1 = model.sections[first].thickness;
  reducer->od2 = model.sections[second].outsideDiameter;
  reducer->thk2 = model.sections[second].thickness;
  row.elementType = ElementType::Reducer;
  row.element = std::move(reducer);
}

// The joint's stiffness: "*" keeps `fallback`, "FREE" next to nothing.
float ReadJointStiffness(PnfReader& reader, const std::optional<std::string>& token, float fallback, Parser parser,
                         const std::string& message) {
  if (!Given(token)) return fallback;
  if (*token == "FREE") return parser == ParseStiffness ? 1.0f : ReadValue(reader, "1", parser, message);
  return ReadValue(reader, *token, parser, message);
}

void ReadBellows(PnfReader& reader, LayoutRow& row) {
  auto bellows = std::make_unique<Bellows>();
  bellows->bendingStiffness = kRigid;
  // A missing value ends the record; the rest keep their defaults.
  [&] {
    auto token = Next(reader);
    if (!token) return;
    if (Given(token)) bellows->weight = ReadValue(reader, *token, ParseWeight, "Invalid Valve weight");
    if (!(token = Next(reader))) return;
    if (Given(token)) {
      bellows->pressureThrustArea = ReadValue(reader, *token, ParseArea, "Invalid insulation factor", 100.0f);
      if (bellows->pressureThrustArea < 0.0f) Fail(reader, "Invalid insulation factor", *token);
    }
    if (!(token = Next(reader))) return;
    bellows->axialStiffness = ReadJointStiffness(reader, token, 0.0f, ParseStiffness, "Invalid axial stiffness");
    if (!(token = Next(reader))) return;
    bellows->lateralStiffness = ReadJointStiffness(reader, token, 0.0f, ParseStiffness, "Invalid lateral stiffness");
    if (!(token = Next(reader))) return;
    if (Given(token)) Log(reader, "the BELLOW value " + *token + " is not taken");
    if (!(token = Next(reader))) return;
    bellows->bendingStiffness =
        ReadJointStiffness(reader, token, kRigid, ParseRotStiffness, "Invalid bending stiffness");
    if (!(token = Next(reader))) return;
    if (Given(token)) Log(reader, "the BELLOW value " + *token + " is not taken");
    if (!(token = Next(reader))) return;
    bellows->torsionalStiffness =
        ReadJointStiffness(reader, token, 0.0f, ParseRotStiffness, "Invalid torsional stiffness");
  }();
  row.elementType = ElementType::Bellows;
  row.element = std::move(bellows);
}

void ReadSecondPassLine(PnfReader& reader) {
  const std::string keyword = reader.tokens[0];
  bool second = false;
  for (const char* kind : kSecondPassKinds) second = second || keyword == kind;
  if (!second) return;
  reader.next = 1;
  Model& model = *reader.model;
  const auto name = Next(reader);
  if (!Given(name)) Fail(reader, keyword + " needs a node");
  const auto found = reader.nodes.find(*name);
  const int target = found == reader.nodes.end() ? 0 : RowStartingAt(model, found->second);
  if (target == 0) {
    Log(reader, keyword + " at node " + *name + ", where no element starts: not taken");
    return;
  }
  LayoutRow& row = model.row(target);
  // Only a straight pipe becomes an in-line element: a bend, joint or
  // another in-line element would lose what makes it one.
  if (row.elementType != ElementType::Pipe) {
    Log(reader, keyword + " at node " + *name + ": the element starting there is no straight pipe: not taken");
    return;
  }
  if (keyword == "VALVE") ReadValve(reader, row);
  else if (keyword == "CUT") ReadCut(reader, row);
  else if (keyword == "REDUCER") ReadReducer(reader, target);
  else ReadBellows(reader, row);
  if (reader.next < reader.tokens.size())
    Log(reader, std::to_string(reader.tokens.size() - reader.next) + " further values are not taken");
}

// The last pass, over the made model: points on bends at half the bend's
// angle, and skewed restraints without a direction along the pipe.
void FinishPnfRows(Model& model, std::vector<std::string>& log, bool middleNodes) {
  if (middleNodes) {
    for (int number = 1; number <= model.rowCount; ++number)
      if (auto* bend = dynamic_cast<Bend*>(model.row(number).element.get()); bend && bend->intermediateNode1 != 0)
        bend->angle1 = 0.5f * bend->bendAngle;
    // The points move to their places before a direction is taken there.
    MakeModel(model);
  }
  for (int number = 1; number <= model.rowCount; ++number) {
    LayoutRow& row = model.row(number);
    if (row.elementType == ElementType::Location && row.dataType == DataType::SkewedRestraint) {
      auto& restraint = static_cast<SkewedRestraint&>(*row.item);
      if (restraint.dirX == 0.0f && restraint.dirY == 0.0f && restraint.dirZ == 0.0f) {
        Vector3 direction{};
        if (row.endNode != 0 && PipeDirectionAtNode(model, row.endNode, direction, false) == 0) {
          restraint.dirX = direction[0];
          restraint.dirY = direction[1];
          restraint.dirZ = direction[2];
        } else {
          log.push_back("Row " + std::to_string(number) + ": the skewed restraint at node " +
                        NodeNumberText(row.node) + " finds no pipe direction: enter its direction");
        }
      }
    }
  }
}

std::vector<PnfLine> ReadLines(std::istream& input, std::vector<std::string>& log) {
  std::vector<PnfLine> lines;
  int number = 0;
  for (const std::string& text : ReadImportedLines(input, log)) {
    ++number;
    PnfLine line;
    line.number = number;
    line.raw = text;
    line.work = text;
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos || text[first] != '*')
      for (char& c : line.work) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace

std::string CutImportedText(const std::string& text, std::size_t width) { return text.substr(0, width); }

std::vector<std::string> ReadImportedLines(std::istream& input, std::vector<std::string>& log) {
  std::vector<std::string> lines;
  std::string text;
  while (std::getline(input, text)) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    std::size_t lacking = 0;
    lines.push_back(ProgramTextFromTextFile(text, &lacking));
    if (lacking != 0) log.push_back("Line " + std::to_string(lines.size()) + ": " + LackingCharactersText(lacking));
  }
  return lines;
}

void ReadPnfFile(std::istream& input, Model& model, std::vector<std::string>& log) {
  const UnitsSettings userUnits = g_UnitsSettings;
  try {
    InitEmptyModel(model, ProgramAnalysisOptions());
    model.options.ZVertical = 0;
    g_UnitsSettings = UnitsSettings{};
    PnfReader reader;
    reader.model = &model;
    reader.log = &log;
    if (model.nodeIncrement > 0) reader.increment = model.nodeIncrement;
    // A file without a UNIT line is an English file, whatever the last
    // import read.
    ApplySystem(reader, kEnglish);
    const std::vector<PnfLine> lines = ReadLines(input, log);
    std::size_t end = lines.size();
    for (std::size_t index = 0; index < lines.size(); ++index) {
      reader.line = &lines[index];
      reader.tokens = SplitTokens(lines[index].work);
      if (reader.tokens.empty()) continue;
      if (reader.tokens[0] == "COD") {
        end = index;
        if (index + 1 < lines.size())
          Log(reader, std::to_string(lines.size() - index - 1) + " lines after COD are not read");
        break;
      }
      ReadFirstPassLine(reader);
    }
    if (model.rowCount == 0) throw std::string("The file holds no TITLE, element or support record:\nit is not a neutral file.");
    // The second pass finds rows by the nodes their elements start at, and
    // the last pass needs the nodes; changing a pipe's kind moves none.
    if (reader.secondPass || reader.middleNodes || reader.undirected) MakeModel(model);
    if (reader.secondPass)
      for (std::size_t index = 0; index < end; ++index) {
        reader.line = &lines[index];
        reader.tokens = SplitTokens(lines[index].work);
        if (!reader.tokens.empty()) ReadSecondPassLine(reader);
      }
    if (reader.middleNodes || reader.undirected) FinishPnfRows(model, log, reader.middleNodes);
    FinishImportedModel(model);
    // The rules every road keeps, asked of the made model; a row that breaks
    // one (an element of no length) is refused with the line it came from.
    for (int number = 1; number <= model.rowCount; ++number)
      if (const std::string refusal = RowRuleRefusal(model, number); !refusal.empty()) {
        reader.line = reader.rowLines[static_cast<std::size_t>(number - 1)];
        Fail(reader, refusal);
      }
  } catch (...) {
    g_UnitsSettings = userUnits;
    throw;
  }
}
