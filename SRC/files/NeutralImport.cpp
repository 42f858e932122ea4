// Reading a piping neutral file (see NeutralImport.h): the line grammar,
// the section lines, the element and support records of the first pass,
// the in-line records of the second pass and the finishing of the model.
#include "files/NeutralImport.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>

#include "analysis/AnalysisOptions.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "elements/CommentData.h"
#include "elements/ConcentratedMass.h"
#include "elements/Flange.h"
#include "elements/UserSif.h"
#include "files/BatchImport.h"
#include "files/BatchSections.h"
#include "files/ModelBatchFile.h"
#include "loads/Force.h"
#include "loads/PipeLoad.h"
#include "model/LayoutRow.h"
#include "model/Model.h"
#include "model/MakeModel.h"
#include "model/Nodes.h"
#include "model/RecordTable.h"
#include "model/RowObjects.h"
#include "properties/Material.h"
#include "properties/PipeSection.h"
#include "shell/NumberText.h"
#include "shell/Units.h"
#include "supports/Anchor.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"
#include "supports/Restraint.h"
#include "supports/Snubber.h"

namespace {

constexpr std::size_t kPnfNameWidth = 5;
constexpr std::size_t kDescriptionWidth = 31;
constexpr std::size_t kTitleWidth = 48;
constexpr float kRigid = 1.0e12f;
constexpr float kNoLimit = 1.0e30f;
constexpr float kLowestTemperature = -460.0f;  // degrees F
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
    text.resize(kTitleWidth);
  }
  model.rowCount = 1;
  LayoutRow& row = model.row(1);
  row.elementType = ElementType::Comment;
  row.element = CreateElementData(ElementType::Comment);
  static_cast<CommentData&>(*row.element).SetText(text);
  model.title = text.substr(8);
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
  options.PipingCode = chosen;
  (void)before;
  if (const auto t = Next(reader); Given(t))
    options.ReferenceTemperature = ReadValue(reader, *t, ParseTemperature, "Invalid temperature");
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
    std::int32_t hz = 0;
    if (ParseInteger(*c, hz) != 0 || hz < 0) Fail(reader, "Invalid cut-off frequency", *c);
    options.CutOffFrequency = hz;
  }
  for (int extra = 0; extra < 3; ++extra)
    if (const auto t = Next(reader); Given(t)) Log(reader, "the GLOBAL value " + *t + " is not taken");
}

void CheckName(const PnfReader& reader, const std::optional<std::string>& name, const std::string& kind) {
  if (!Given(name)) Fail(reader, kind + " name is required");
  if (name->size() > kPnfNameWidth) Fail(reader, kind + " name should be <= 5 characters", *name);
  if (!IsNameText(*name)) Fail(reader, kind + " name should be alpha-numeric", *name);
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
    material.description = d->substr(0, kDescriptionWidth);
    if (d->size() > kDescriptionWidth) Log(reader, "the material description is cut to 31 characters");
  }
  if (const auto d = Next(reader); Given(d)) {
    material.density = ReadValue(reader, *d, ParseDensity, "Invalid density");
    if (material.density < 0.0f) Fail(reader, "Invalid density", *d);
  }
  if (const auto p = Next(reader); Given(p)) {
    material.nu = ReadNumber(reader, *p, "Invalid Poisson's ratio");
    if (material.nu < 0.0f || material.nu >= 0.5f) Fail(reader, "Invalid Poisson's ratio", *p);
  }
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
  if (FindRecordByName(model.materials, material.name) != 0)
    Log(reader, "material " + material.name + " is defined again; rows use the first");
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

float ReadLoadTemperature(const PnfReader& reader, const std::string& token, const std::string& message) {
  const float value = ReadValue(reader, token, ParseTemperature, message);
  if (value < kLowestTemperature) Fail(reader, message, token);
  return value;
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
  for (std::size_t pair = 1; pair <= 2; ++pair) {
    if (const auto t = Next(reader); Given(t))
      load.operating[pair].temperature = ReadLoadTemperature(reader, *t, kMessages[pair - 1][0]);
    if (const auto p = Next(reader); Given(p))
      load.operating[pair].pressure = ReadValue(reader, *p, ParsePressure, kMessages[pair - 1][1]);
  }
  load.specificGravity = 0.0f;
  load.additionalWeight = 0.0f;
  load.wind = 1;
  if (FindRecordByName(model.pipeLoads, load.name) != 0)
    Log(reader, "load " + load.name + " is defined again; rows use the first");
  AppendPipeLoad(model.pipeLoads, load);
  CountBatchTemperatures(model);
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
  section.outsideDiameter = ReadValue(reader, *od, ParseNonNegativeDimension, "Invalid pipe diameter", 10.0f);
  if (section.outsideDiameter < 0.001f) Fail(reader, "Invalid pipe diameter", *od);
  const auto wall = Next(reader);
  if (!Given(wall)) Fail(reader, "Pipe thickness is required");
  section.thickness = ReadValue(reader, *wall, ParseNonNegativeDimension, "Invalid pipe thickness", 10.0f);
  if (section.thickness < 0.001f) Fail(reader, "Invalid pipe thickness", *wall);
  if (section.thickness > 0.5f * section.outsideDiameter) Fail(reader, "Thickness is greater than radius");
  if (const auto c = Next(reader); Given(c)) {
    section.corrosionAllowance =
        ReadValue(reader, *c, ParseNonNegativeDimension, "Invalid corrosion allowance", 10.0f);
    if (section.corrosionAllowance >= section.thickness) Fail(reader, "Corrosion allowance is >= wall thickness");
  }
  if (const auto t = Next(reader); Given(t)) {
    section.insulationThickness =
        ReadValue(reader, *t, ParseNonNegativeDimension, "Invalid insulation thickness", 10.0f);
    if (const auto d = Next(reader); Given(d))
      section.insulationDensity = ReadValue(reader, *d, ParseInsulationDensity, "Invalid insulation density");
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
    {"COMMENT", ElementType::Comment, DataType::None},
    {"RIGID", ElementType::Location, DataType::Restraint},
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

// Record kinds this reader does not convert yet: passed over with a log
// entry, never silently.
constexpr const char* kNotYetKinds[] = {"BSJ",      "SPRING",  "CONSTANT", "HANGER", "LINESTOP",
                                        "ROTATIONAL", "INCLINED"};
constexpr const char* kSecondPassKinds[] = {"VALVE", "CUT", "REDUCER", "BELLOW"};

const LayoutRow* RowEndingAt(const Model& model, NodeId node) {
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
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
  if (reader.next < reader.tokens.size())
    Log(reader, "the anchor's displacements are not taken (" +
                    std::to_string(reader.tokens.size() - reader.next) + " values)");
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
    if (const auto mu = Next(reader); Given(mu))
      stop.frictionCoefficient = ReadNumber(reader, *mu, "Invalid friction coefficient");
  } else {
    stop.stiffness = ReadSupportStiffness(reader, Next(reader), kRigid, "Invalid stiffness");
    if (const auto upper = Next(reader); Given(upper)) {
      stop.upperLimit = ReadValue(reader, *upper, ParseNonNegativeDimension, "Invalid upper limit", 10.0f);
    }
    if (const auto lower = Next(reader); Given(lower))
      stop.lowerLimit = -std::fabs(ReadValue(reader, *lower, ParseDimension, "Invalid lower limit", 10.0f));
    if (const auto mu = Next(reader); Given(mu))
      stop.frictionCoefficient = ReadNumber(reader, *mu, "Invalid friction coefficient");
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
  for (std::string* name : names)
    if (const auto v = Next(reader); Given(v)) *name = *v;
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

void ReadFirstPassRecord(PnfReader& reader) {
  const std::string keyword = *Next(reader);
  const RecordKind* kind = nullptr;
  for (const RecordKind& candidate : kRecordKinds)
    if (keyword == candidate.keyword) kind = &candidate;
  if (kind == nullptr) {
    if (keyword[0] == '*') return;
    for (const char* second : kSecondPassKinds)
      if (keyword == second) return;
    for (const char* later : kNotYetKinds)
      if (keyword == later) {
        Log(reader, keyword + " records are not imported yet: the record is not taken");
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
      text.resize(kCommentBytes - 1);
    }
    static_cast<CommentData&>(*row.element).SetText(text);
  } else if (kind->element == ElementType::Location) {
    const auto name = Next(reader);
    if (!Given(name)) Fail(reader, keyword + " needs a node");
    NodeId node = reader.nodes.count(*name) != 0 ? reader.nodes[*name] : 0;
    const LayoutRow* owner = node != 0 ? RowEndingAt(model, node) : nullptr;
    if (owner == nullptr) Fail(reader, "No element ends at node", *name);
    const bool bend = owner->elementType == ElementType::Bend;
    if (kind->item == DataType::UserSif || kind->item == DataType::BranchSif) {
      if (bend) node += kArcNearOffset;
    } else if (const auto position = Next(reader); Given(position)) {
      if (*position == "NEAR") node += kArcNearOffset;
      else if (*position == "FAR") node += kArcFarOffset;
      else Log(reader, "position " + *position + " is not taken: the support is at node " + *name);
    }
    row.node = node;
    FillItem(reader, keyword, row);
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

void ReadSecondPassLine(PnfReader& reader) {
  const std::string& keyword = reader.tokens[0];
  for (const char* second : kSecondPassKinds)
    if (keyword == second) Log(reader, keyword + " records are not imported yet: the record is not taken");
}

std::vector<PnfLine> ReadLines(std::istream& input) {
  std::vector<PnfLine> lines;
  std::string text;
  int number = 0;
  while (std::getline(input, text)) {
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
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
    const std::vector<PnfLine> lines = ReadLines(input);
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
    for (std::size_t index = 0; index < end; ++index) {
      reader.line = &lines[index];
      reader.tokens = SplitTokens(lines[index].work);
      if (!reader.tokens.empty()) ReadSecondPassLine(reader);
    }
    if (model.rowCount == 0) throw std::string("The file holds no TITLE, element or support record:\nit is not a neutral file.");
    FinishImportedModel(model);
  } catch (...) {
    g_UnitsSettings = userUnits;
    throw;
  }
}
