// The attribute keywords of LAYOUT lines (see BatchLayout.h): the list
// reader with its continuation lines, the entry splitter, and one reader per
// keyword of the built kinds (the model and pipe-load values, bends,
// beams, anchors, restraints, branch SIFs, guides, limit stops, skewed
// restraints, snubbers, forces, harmonic loads and the spectrum load; the
// in-line kinds' are BatchInlineKinds.cpp's). The keywords of kinds that are
// not built yet are known by name and refused as not available; any other
// word is an "Unknown comment".
#include <algorithm>
#include <cmath>
#include <utility>

#include "files/BatchLayout.h"
#include "files/BatchSections.h"
#include "model/Model.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr std::size_t kNameWidth = 5;
constexpr float kSmallestDimension = 0.001f;  // inch

using Attributes = BatchLayoutAttributes;
using KeywordReader = void (*)(BatchReader& reader, Attributes& attributes, const BatchEntry& entry);

struct Keyword {
  const char* name;
  KeywordReader read;
};

// --- Forms and values ------------------------------------------------------------

[[noreturn]] void DirectionalFormError(const BatchReader& reader, const BatchEntry& entry, const char* what,
                                       const char* example) {
  BatchLineError(reader, std::string("Invalid ") + what + " : " + entry.entry + "\nDirectional entry such as " +
                             entry.keyword + example + " is required");
}

[[noreturn]] void ScalarFormError(const BatchReader& reader, const BatchEntry& entry, const char* what,
                                  const char* example) {
  BatchLineError(reader, std::string("Invalid ") + what + " : " + entry.entry + "\nScalar entry such as " +
                             entry.keyword + "=" + example + " is required");
}

void RequireDirectional(const BatchReader& reader, const BatchEntry& entry, const char* message) {
  if (!entry.directional) BatchLineError(reader, message, entry.entry);
}

float Value(const BatchReader& reader, const std::string& text, BatchParser parser, const char* message) {
  return ParseBatchValue(reader, text, parser, message);
}

// The loads' rule of a temperature (no lower than absolute zero), which the
// reference temperature keeps here too.
float Temperature(const BatchReader& reader, const std::string& text, const char* message) {
  return ParseBatchLoadTemperature(reader, text, message);
}

float NonNegative(const BatchReader& reader, const std::string& text, BatchParser parser, const char* message) {
  const float value = Value(reader, text, parser, message);
  if (value < 0.0f) BatchLineError(reader, message, text);
  return value;
}

// --- Model and pipe-load values --------------------------------------------------

// The conditions in force are read and checked; rows take theirs from the
// pipe load they name, so the log says the values do not reach the model.
void NoteConditions(BatchReader& reader) {
  if (reader.conditionsNoted) return;
  reader.conditionsNoted = true;
  LogBatchWarning(reader,
                  "T, P, SG and U were checked but not applied: rows take their conditions from the "
                  "pipe load named by L");
}

void ReadAmbient(BatchReader& reader, Attributes&, const BatchEntry& entry) {
  const std::string& text = entry.components[0];
  if (text.empty()) BatchLineError(reader, "Reference temperature (AMB) not specified");
  reader.model->options.ReferenceTemperature = Temperature(reader, text, "Invalid temperature: (AMB)");
}

void ReadTemperature(BatchReader& reader, Attributes&, const BatchEntry& entry) {
  reader.names.temperature = Temperature(reader, entry.components[0], "Invalid temperature");
  NoteConditions(reader);
}

void ReadPressure(BatchReader& reader, Attributes&, const BatchEntry& entry) {
  reader.names.pressure = Value(reader, entry.components[0], ParsePressure, "Invalid pressure");
  NoteConditions(reader);
}

void ReadSpecificGravity(BatchReader& reader, Attributes&, const BatchEntry& entry) {
  reader.names.specificGravity = NonNegative(reader, entry.components[0], ParseReal, "Invalid specific gravity");
  NoteConditions(reader);
}

void ReadUniformLoad(BatchReader& reader, Attributes&, const BatchEntry& entry) {
  reader.names.uniformLoad = Value(reader, entry.components[0], ParseAdditionalWeight, "Invalid uniform load");
  NoteConditions(reader);
}

void ReadLoadName(BatchReader& reader, Attributes&, const BatchEntry& entry) {
  const std::string& name = entry.components[0];
  if (FindPipeLoadByName(reader.model->pipeLoads, name) == 0) BatchLineError(reader, "Load not defined", name);
  reader.names.load = name;
}

// --- Beams -----------------------------------------------------------------------

// MAT=, SEC= and LOAD=: a record of the model's beam tables.
void ReadBeamName(BatchReader& reader, std::string& field, const BatchEntry& entry, int kind) {
  if (entry.directional) BatchLineError(reader, "Invalid Beam information", entry.entry);
  const std::string& name = entry.components[0];
  if (name.empty()) BatchLineError(reader, "Reference cannot be NULL", entry.entry);
  if (name.size() > kNameWidth) BatchLineError(reader, "Max char > 5 ", name);
  const Model& model = *reader.model;
  static const char* const kMissing[3] = {"Beam Material not defined", "Beam Section not defined",
                                          "Beam Load not defined"};
  const int found = kind == 0   ? FindBeamMaterialByName(model.beamMaterials, name)
                    : kind == 1 ? FindBeamSectionByName(model.beamSections, name)
                                : FindBeamLoadByName(model.beamLoads, name);
  if (found == 0) BatchLineError(reader, kMissing[kind], name);
  field = name;
}

// An angle held in degrees, which keep the rule of a stored value.
float Degrees(const BatchReader& reader, const std::string& text, const char* message) {
  const double degrees = Value(reader, text, ParseAngle, message) * kDegreesPerRadian;
  if (!StoredValueAcceptable(degrees)) BatchLineError(reader, message, text);
  return static_cast<float>(degrees);
}

void ReadBeta(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  a.beta = Degrees(reader, entry.components[0], "Invalid Beta value");
}

// --- Bends -----------------------------------------------------------------------

void ReadBendThickness(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  a.bendThickness = Value(reader, entry.components[0], ParseNonNegativeDimension, "Invalid Bend thickness");
}

void ReadBendMaterial(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  if (entry.directional) BatchLineError(reader, "Invalid Bend Material", entry.entry);
  const std::string& name = entry.components[0];
  if (name.empty() || name.size() > kNameWidth) BatchLineError(reader, "Invalid bend material name", name);
  if (FindMaterialByName(reader.model->materials, name) == 0) BatchLineError(reader, "Bend Material not defined", name);
  a.bendMaterial = name;
}

// A factor of 0 would make the bend's in-plane flexibility singular; the
// computed factor is asked for by leaving the keyword out.
void ReadFlexibilityFactor(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  const float factor = Value(reader, entry.components[0], ParseReal, "Invalid flexibility factor");
  if (factor <= 0.0f) BatchLineError(reader, "Invalid flexibility factor", entry.components[0]);
  a.flexibilityFactor = factor;
}

void ReadIntermediateNode(BatchReader& reader, Attributes& a, const BatchEntry& entry, std::size_t which) {
  RequireDirectional(reader, entry, "Invalid Intermediate Bend Node");
  const std::string label = "Invalid intermediate node" + std::to_string(which + 1);
  NodeId node = 0;
  if (ParseNodeNumber(entry.components[0], node) != kNodeOk || node > kMaxNodeNumber)
    BatchLineError(reader, label, entry.components[0]);
  const float angle = NonNegative(reader, entry.components[1], ParseAngle, (label + " angle").c_str());
  a.intermediateNodes[which] = node;
  a.intermediateAngles[which] = angle;
}

void ReadBendSif(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  RequireDirectional(reader, entry, "Invalid Bend SIF");
  const char* messages[2] = {"Invalid inplane SIF", "Invalid outplane SIF"};
  float sif[2] = {};
  for (std::size_t i = 0; i < 2; ++i) {
    sif[i] = Value(reader, entry.components[i], ParseReal, messages[i]);
    if (sif[i] < 1.0f) BatchLineError(reader, messages[i], entry.components[i]);
  }
  a.inPlaneSif = sif[0];
  a.outPlaneSif = sif[1];
}

// --- Branch SIFs ------------------------------------------------------------------

// A dimension of a branch connection, in inch, at least `least` (or above
// it when `strictly`).
float BranchDimension(const BatchReader& reader, const BatchEntry& entry, float least, bool strictly,
                      const char* message) {
  const std::string& text = entry.components[0];
  const float value = Value(reader, text, ParseDimension, message);
  if (value < least || (strictly && value == least)) BatchLineError(reader, message, text);
  return value;
}

// --- Anchors ---------------------------------------------------------------------

float& DisplacementValue(Attributes& a, int slot, int direction) {
  return a.displacements.values[static_cast<std::size_t>(6 * slot + direction + 1)];
}

float RotationInDegrees(const BatchReader& reader, const std::string& text) {
  return Degrees(reader, text, "Invalid rotation");
}

// Only an anchor takes a specified movement from the file: on any other
// line it would be read and then lost, and the run would go without it.
void RequireAnchor(const BatchReader& reader, const Attributes& a, const BatchEntry& entry) {
  if (a.item != DataType::Anchor)
    BatchLineError(reader, "Specified displacements and rotations are given to anchors (KA) only", entry.entry);
}

void ReadDisplacementSet(BatchReader& reader, Attributes& a, const BatchEntry& entry, int slot) {
  RequireAnchor(reader, a, entry);
  if (!entry.directional) DirectionalFormError(reader, entry, "specified displacement", "(0.1,0,-0.2)");
  for (int axis = 0; axis < 3; ++axis)
    DisplacementValue(a, slot, axis) =
        Value(reader, entry.components[static_cast<std::size_t>(axis)], ParseDisplacement, "Invalid displacement");
  a.displacementFlags[static_cast<std::size_t>(slot)] = 1;
}

void ReadRotationSet(BatchReader& reader, Attributes& a, const BatchEntry& entry, int slot) {
  RequireAnchor(reader, a, entry);
  if (!entry.directional) DirectionalFormError(reader, entry, "specified rotation", "(0.1,0,-0.2)");
  for (int axis = 0; axis < 3; ++axis)
    DisplacementValue(a, slot, 3 + axis) = RotationInDegrees(reader, entry.components[static_cast<std::size_t>(axis)]);
  a.displacementFlags[static_cast<std::size_t>(slot)] = 1;
}

void ReadDisplacementComponent(BatchReader& reader, Attributes& a, const BatchEntry& entry, int axis) {
  RequireAnchor(reader, a, entry);
  if (entry.directional) ScalarFormError(reader, entry, "specified displacement", "0.1");
  DisplacementValue(a, 0, axis) = Value(reader, entry.components[0], ParseDisplacement, "Invalid displacement");
  a.displacementFlags[0] = 1;
}

void ReadRotationComponent(BatchReader& reader, Attributes& a, const BatchEntry& entry, int axis) {
  RequireAnchor(reader, a, entry);
  DisplacementValue(a, 0, 3 + axis) = RotationInDegrees(reader, entry.components[0]);
  a.displacementFlags[0] = 1;
}

// A stiffness of 0 leaves that direction free, as an anchor dialog's empty
// field does; RIGID is the rigid stiffness.
void ReadAnchorStiffness(BatchReader& reader, Attributes& a, const BatchEntry& entry, bool rotational) {
  RequireDirectional(reader, entry, rotational ? "Invalid Rotational Stiffness" : "Invalid Translational Stiffness");
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const std::size_t at = axis + (rotational ? 3 : 0);
    a.anchorStiffness[at] = Value(reader, entry.components[axis], rotational ? ParseRotStiffness : ParseStiffness,
                                  rotational ? "Invalid Rot.stiffness" : "Invalid stiffness");
    // The same springs are an elastic element's (JL).
    a.inlineKinds.springs[at] = a.anchorStiffness[at];
  }
}

void Release(Attributes& a, int direction) { a.releases[static_cast<std::size_t>(direction)] = 1; }

// --- Restraints ------------------------------------------------------------------

void ReadRestraintVector(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  if (!entry.directional) DirectionalFormError(reader, entry, "restraint", "(1,0,1)");
  for (std::size_t axis = 0; axis < 3; ++axis) {
    float value = 0.0f;
    if (ParseReal(entry.components[axis], value) != 0) BatchLineError(reader, "Invalid restraint");
    a.fixedByVector[axis] = value != 0.0f;
  }
}

void ReadRestraintDirection(BatchReader& reader, Attributes& a, const BatchEntry& entry, std::size_t axis) {
  if (entry.directional) BatchLineError(reader, "Invalid restraint", entry.entry);
  const std::string& text = entry.components[0];
  float value = 0.0f;
  if (ParseReal(text, value) != 0) BatchLineError(reader, "Invalid restraint", text);
  if (text.empty() || value != 0.0f) a.fixedByFlag[axis] = true;
}

// --- Forces, harmonic loads and the spectrum load -----------------------------------

// FOR(x,y,z) and MOM(x,y,z): the three components; FORX= .. MOMZ=: one.
void ReadForceVector(BatchReader& reader, Attributes& a, const BatchEntry& entry, bool moment) {
  if (!entry.directional) DirectionalFormError(reader, entry, moment ? "moment" : "force", "(100,0,-50)");
  for (std::size_t axis = 0; axis < 3; ++axis)
    (moment ? a.moment : a.force)[axis] = Value(reader, entry.components[axis], moment ? ParseMoment : ParseForce,
                                                moment ? "Invalid moment" : "Invalid force");
  (moment ? a.momentGiven : a.forceGiven) = true;
}

void ReadForceComponent(BatchReader& reader, Attributes& a, const BatchEntry& entry, std::size_t axis, bool moment) {
  if (entry.directional) ScalarFormError(reader, entry, moment ? "moment" : "force", "100");
  (moment ? a.moment : a.force)[axis] = Value(reader, entry.components[0], moment ? ParseMoment : ParseForce,
                                              moment ? "Invalid moment" : "Invalid force");
  (moment ? a.momentGiven : a.forceGiven) = true;
}

void ReadFrequency(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  const float frequency = Value(reader, entry.components[0], ParseReal, "Invalid frequency");
  if (!(frequency > 0.0f)) BatchLineError(reader, "Invalid frequency", entry.components[0]);
  a.frequency = frequency;
  a.frequencyGiven = true;
}

void ReadPhase(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  a.phase = static_cast<float>(Value(reader, entry.components[0], ParseAngle, "Invalid phase") * kDegreesPerRadian);
}

void ReadSpectrumName(BatchReader& reader, Attributes& a, const BatchEntry& entry, std::size_t axis) {
  // The model file keeps 31 characters of a spectrum's name (32 bytes with
  // the terminator).
  constexpr std::size_t kLongestSpectrumName = 31;
  const std::string& name = entry.components[0];
  if (name.empty()) BatchLineError(reader, "Invalid spectrum name", name);
  if (name.size() > kLongestSpectrumName)
    BatchLineError(reader, "Spectrum name should be <= " + std::to_string(kLongestSpectrumName) + " characters",
                   entry.entry);
  a.spectrumName[axis] = name;
  a.spectrumGiven[axis] = true;
}

void ReadSpectrumFactor(BatchReader& reader, Attributes& a, const BatchEntry& entry, std::size_t axis) {
  static const char* const kMessages[3] = {"Invalid x spectrum factor", "Invalid y spectrum factor",
                                           "Invalid z spectrum factor"};
  a.spectrumFactor[axis] = NonNegative(reader, entry.components[0], ParseReal, kMessages[axis]);
  a.spectrumFactorGiven[axis] = true;
}

// --- Guides, limit stops, skewed restraints, snubbers -----------------------------

void ReadGuide(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  if (entry.hasValue) BatchLineError(reader, "Invalid guide: " + entry.entry);
  a.guide = true;
}

void ReadFriction(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  a.frictionCoefficient = NonNegative(reader, entry.components[0], ParseReal, "Invalid friction coefficient (MU)");
}

// A support given STIFF=0 would hold nothing; a kind whose STIFF is left out
// keeps its rigid stiffness.
void ReadSupportStiffness(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  const std::string& text = entry.components[0];
  if (text.empty()) BatchLineError(reader, "Stiffness (k) is not specified");
  const float value = Value(reader, text, ParseStiffness, "Invalid stiffness");
  if (value == 0.0f) BatchLineError(reader, "Invalid stiffness", text);
  a.supportStiffness = value;
  a.supportStiffnessGiven = true;
}

void ReadGuideGap(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  a.guideGap = NonNegative(reader, entry.components[0], ParseDisplacement, "Invalid gap");
}

// One limit: empty or NONE is none (the sentinel given).
float Limit(const BatchReader& reader, const std::string& text, float none, const char* message) {
  if (text.empty() || text == "NONE") return none;
  return Value(reader, text, ParseDisplacement, message);
}

// A lower limit above the upper one leaves no position free, whatever the
// values: a limit of 0 is refused like any other.
void ReadLimitStop(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  if (!entry.directional) DirectionalFormError(reader, entry, "limit stop", "(-1.0,1.50)");
  const float lower = Limit(reader, entry.components[0], -1.0e30f, "Invalid lower limit");
  const float upper = Limit(reader, entry.components[1], 1.0e30f, "Invalid upper limit");
  if (lower <= -5.0e29f && upper >= 5.0e29f) BatchLineError(reader, "No limits are specified\n");
  if (lower > upper)
    BatchLineError(reader,
                   "Invalid limit stop: " + entry.entry + "\nUpper limit should be greater than the lower limit");
  a.lowerLimit = lower;
  a.upperLimit = upper;
  a.limitStop = true;
}

// A skewed restraint of stiffness 0 would hold nothing, and the line would
// choose no item at all (or blame another keyword of it): refused as STIFF=0.
float SkewedStiffness(BatchReader& reader, const BatchEntry& entry, BatchParser parser, const char* missing,
                      const char* invalid) {
  const std::string& text = entry.components[0];
  if (text.empty()) BatchLineError(reader, missing);
  const float value = Value(reader, text, parser, invalid);
  if (value == 0.0f) BatchLineError(reader, invalid, text);
  return value;
}

void ReadDirectionVector(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  if (!entry.directional) DirectionalFormError(reader, entry, "direction vector", "(0.5,0,-1.0)");
  static const char* const kMessages[3] = {"Invalid xcomp", "Invalid ycomp", "Invalid zcomp"};
  for (std::size_t axis = 0; axis < 3; ++axis)
    a.direction[axis] = Value(reader, entry.components[axis], ParseReal, kMessages[axis]);
}

void ReadConnectedNode(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  NodeId node = 0;
  if (ParseNodeNumber(entry.components[0], node) != kNodeOk || node == 0)
    BatchLineError(reader, "Invalid connected node number");
  a.connectedNode = node;
}

// --- Nozzles ----------------------------------------------------------------------

// A value at least `least` inch after conversion; a text that is not a
// number gives the same message.
float AtLeast(const BatchReader& reader, const std::string& text, BatchParser parser, float least, const char* message) {
  const float value = Value(reader, text, parser, message);
  if (!(value >= least)) BatchLineError(reader, message, text);
  return value;
}

// 297: a cylindrical vessel; 650: a flat-bottom tank.
void ReadNozzleType(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  const std::string& text = entry.components[0];
  std::int32_t type = 0;
  if (ParseInteger(text, type) != 0 || (type != 297 && type != 650)) BatchLineError(reader, "Invalid Nozzle type", text);
  a.nozzle = true;
  a.nozzleFlatBottom = type == 650;
}

void ReadReinforcingPad(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  std::int32_t pad = 0;
  if (ParseInteger(entry.components[0], pad) != 0 || (pad != 0 && pad != 1))
    BatchLineError(reader, "Invalid Reinforcing pad input");
  a.nozzlePad = pad == 1;
}

// --- Hangers and threaded joints ----------------------------------------------------

// 1 to 8 hangers; empty keeps 1.
std::int32_t HangerCount(const BatchReader& reader, const std::string& text) {
  if (text.empty()) return 1;
  std::int32_t count = 0;
  if (ParseInteger(text, count) != 0 || count < 1 || count > 8) BatchLineError(reader, "Invalid number of hangers", text);
  return count;
}

// CS, RH and VS: a flag or =number of hangers.
void ReadHangerKind(BatchReader& reader, Attributes& a, const BatchEntry& entry, std::int32_t kind, const char* what) {
  if (entry.directional) BatchLineError(reader, what, entry.entry);
  a.hangerCount = HangerCount(reader, entry.components[0]);
  a.hangerKind = kind;
}

void ReadUserHanger(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  if (!entry.directional) BatchLineError(reader, "Invalid user defined hanger", entry.entry);
  a.hangerCount = HangerCount(reader, entry.components[0]);
  a.userHangerRate = Value(reader, entry.components[1], ParseStiffness, "Invalid spring rate for user defined hanger");
  a.userHangerLoad = Value(reader, entry.components[2], ParseForce, "Invalid load for user defined hanger");
  a.hangerKind = 101;
}

// Hot (0) or cold (1) only: any other value would be saved as a load type
// the model file refuses.
void ReadUserLoadType(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  std::int32_t type = 0;
  if (ParseInteger(entry.components[0], type) != 0 || (type != 0 && type != 1))
    BatchLineError(reader, "Invalid load type for user defined hanger", entry.components[0]);
  a.userHangerLoadType = type;
}

void ReadHangerType(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  std::int32_t type = 0;
  if (ParseInteger(entry.components[0], type) != 0 || type < 1 || type > 34)
    BatchLineError(reader, "Invalid hanger type", entry.components[0]);
  a.hangerKind = type;
}

void ReadLoadVariation(BatchReader& reader, Attributes& a, const BatchEntry& entry) {
  float value = 0.0f;
  const std::string& text = entry.components[0];
  if (ParseReal(text, value) != 0) BatchLineError(reader, "Invalid load variation (MLV)", text);
  const auto variation = static_cast<std::int32_t>(value);
  if (variation < 1 || variation > 99) BatchLineError(reader, "Invalid load variation (MLV)", text);
  a.hangerVariation = variation;
}

// --- The vocabulary --------------------------------------------------------------

#define KEYWORD(name, body)                                                        \
  {                                                                                \
    name, []([[maybe_unused]] BatchReader& reader, [[maybe_unused]] Attributes& a, \
             [[maybe_unused]] const BatchEntry& entry) { body; }                   \
  }

const Keyword kKeywords[] = {
    {"AMB", ReadAmbient},
    {"T", ReadTemperature},
    {"TEMP", ReadTemperature},
    {"P", ReadPressure},
    {"PRES", ReadPressure},
    {"SG", ReadSpecificGravity},
    {"U", ReadUniformLoad},
    {"UNIF", ReadUniformLoad},
    {"L", ReadLoadName},

    {"BTHK", ReadBendThickness},
    {"BMAT", ReadBendMaterial},
    KEYWORD("MAT", ReadBeamName(reader, a.beamMaterial, entry, 0)),
    KEYWORD("SEC", ReadBeamName(reader, a.beamSection, entry, 1)),
    KEYWORD("LOAD", ReadBeamName(reader, a.beamLoad, entry, 2)),
    {"BETA", ReadBeta},
    {"FF", ReadFlexibilityFactor},
    KEYWORD("IN1", ReadIntermediateNode(reader, a, entry, 0)),
    KEYWORD("IN2", ReadIntermediateNode(reader, a, entry, 1)),
    {"BSIF", ReadBendSif},

    KEYWORD("D", ReadDisplacementSet(reader, a, entry, 0)),
    KEYWORD("DIS", ReadDisplacementSet(reader, a, entry, 0)),
    KEYWORD("D2", ReadDisplacementSet(reader, a, entry, 1)),
    KEYWORD("DIS2", ReadDisplacementSet(reader, a, entry, 1)),
    KEYWORD("D3", ReadDisplacementSet(reader, a, entry, 2)),
    KEYWORD("DIS3", ReadDisplacementSet(reader, a, entry, 2)),
    KEYWORD("D4", ReadDisplacementSet(reader, a, entry, kSeismicSlot)),
    KEYWORD("SEIS", ReadDisplacementSet(reader, a, entry, kSeismicSlot)),
    KEYWORD("D5", ReadDisplacementSet(reader, a, entry, kSettlementSlot)),
    KEYWORD("SETT", ReadDisplacementSet(reader, a, entry, kSettlementSlot)),
    KEYWORD("DX", ReadDisplacementComponent(reader, a, entry, 0)),
    KEYWORD("DISX", ReadDisplacementComponent(reader, a, entry, 0)),
    KEYWORD("DY", ReadDisplacementComponent(reader, a, entry, 1)),
    KEYWORD("DISY", ReadDisplacementComponent(reader, a, entry, 1)),
    KEYWORD("DZ", ReadDisplacementComponent(reader, a, entry, 2)),
    KEYWORD("DISZ", ReadDisplacementComponent(reader, a, entry, 2)),
    KEYWORD("ROT", ReadRotationSet(reader, a, entry, 0)),
    KEYWORD("ROT2", ReadRotationSet(reader, a, entry, 1)),
    KEYWORD("ROT3", ReadRotationSet(reader, a, entry, 2)),
    KEYWORD("SERO", ReadRotationSet(reader, a, entry, kSeismicSlot)),
    KEYWORD("STRO", ReadRotationSet(reader, a, entry, kSettlementSlot)),
    KEYWORD("ROTX", ReadRotationComponent(reader, a, entry, 0)),
    KEYWORD("ROTY", ReadRotationComponent(reader, a, entry, 1)),
    KEYWORD("ROTZ", ReadRotationComponent(reader, a, entry, 2)),
    KEYWORD("TRAK", ReadAnchorStiffness(reader, a, entry, false)),
    KEYWORD("ROTK", ReadAnchorStiffness(reader, a, entry, true)),
    KEYWORD("FREE", for (int d = 0; d < 6; ++d) Release(a, d)),
    KEYWORD("FREEX", Release(a, 0)),
    KEYWORD("FREEY", Release(a, 1)),
    KEYWORD("FREEZ", Release(a, 2)),
    KEYWORD("FREEXX", Release(a, 3)),
    KEYWORD("FREEYY", Release(a, 4)),
    KEYWORD("FREEZZ", Release(a, 5)),
    KEYWORD("FIXR", BatchLineError(reader, "FIXR is not available")),
    KEYWORD("FIXRX", BatchLineError(reader, "FIXRX is not available")),
    KEYWORD("FIXRY", BatchLineError(reader, "FIXRY is not available")),
    KEYWORD("FIXRZ", BatchLineError(reader, "FIXRZ is not available")),

    KEYWORD("THK", a.branchThickness = BranchDimension(reader, entry, kSmallestDimension, false, "Invalid Thickness")),
    KEYWORD("LEN", a.branchLength = BranchDimension(reader, entry, kSmallestDimension, false, "Invalid Length")),
    KEYWORD("CRTCH", a.crotchRadius = BranchDimension(reader, entry, 0.0f, true, "Invalid crotch radius: (CRTCH)")),
    KEYWORD("PAD", a.padThickness = BranchDimension(reader, entry, 0.0f, false, "Invalid pad thickness")),
    KEYWORD("R",
            a.branchRadius = BranchDimension(reader, entry, kSmallestDimension, false, "Invalid Fillet/Branch Radius")),

    {"F", ReadRestraintVector},
    {"FIXD", ReadRestraintVector},
    KEYWORD("FX", ReadRestraintDirection(reader, a, entry, 0)),
    KEYWORD("FIXDX", ReadRestraintDirection(reader, a, entry, 0)),
    KEYWORD("FY", ReadRestraintDirection(reader, a, entry, 1)),
    KEYWORD("FIXDY", ReadRestraintDirection(reader, a, entry, 1)),
    KEYWORD("FZ", ReadRestraintDirection(reader, a, entry, 2)),
    KEYWORD("FIXDZ", ReadRestraintDirection(reader, a, entry, 2)),

    KEYWORD("FOR", ReadForceVector(reader, a, entry, false)),
    KEYWORD("FORX", ReadForceComponent(reader, a, entry, 0, false)),
    KEYWORD("FORY", ReadForceComponent(reader, a, entry, 1, false)),
    KEYWORD("FORZ", ReadForceComponent(reader, a, entry, 2, false)),
    KEYWORD("MOM", ReadForceVector(reader, a, entry, true)),
    KEYWORD("MOMX", ReadForceComponent(reader, a, entry, 0, true)),
    KEYWORD("MOMY", ReadForceComponent(reader, a, entry, 1, true)),
    KEYWORD("MOMZ", ReadForceComponent(reader, a, entry, 2, true)),
    {"FRE", ReadFrequency},
    {"PH", ReadPhase},
    KEYWORD("SPECX", ReadSpectrumName(reader, a, entry, 0)),
    KEYWORD("SPECY", ReadSpectrumName(reader, a, entry, 1)),
    KEYWORD("SPECZ", ReadSpectrumName(reader, a, entry, 2)),
    KEYWORD("FACX", ReadSpectrumFactor(reader, a, entry, 0)),
    KEYWORD("FACY", ReadSpectrumFactor(reader, a, entry, 1)),
    KEYWORD("FACZ", ReadSpectrumFactor(reader, a, entry, 2)),
    {"G", ReadGuide},
    {"MU", ReadFriction},
    {"STIFF", ReadSupportStiffness},
    {"GGAP", ReadGuideGap},
    {"LS", ReadLimitStop},
    KEYWORD("K", a.skewedStiffness = SkewedStiffness(reader, entry, ParseStiffness, "Stiffness (k) is not specified",
                                                      "Invalid stiffness")),
    KEYWORD("KR", a.skewedRotStiffness =
                      SkewedStiffness(reader, entry, ParseRotStiffness, "Rotational stiffness (kr) is not specified",
                                      "Invalid rotational stiffness")),
    {"DV", ReadDirectionVector},
    {"CNOD", ReadConnectedNode},
    KEYWORD("SNUBBER", a.snubber = true),
    KEYWORD("CS", ReadHangerKind(reader, a, entry, 103, "Invalid constant support")),
    KEYWORD("RH", ReadHangerKind(reader, a, entry, 102, "Invalid rod hanger")),
    KEYWORD("VS", ReadHangerKind(reader, a, entry, reader.defaultHangerType, "Invalid hanger")),
    {"US", ReadUserHanger},
    {"CLD", ReadUserLoadType},
    {"HTYP", ReadHangerType},
    KEYWORD("SR", a.hangerShortRange = true),
    {"MLV", ReadLoadVariation},
    KEYWORD("TJOINT", a.threadedJoint = true),
    {"NOZZLE", ReadNozzleType},
    {"RPAD", ReadReinforcingPad},
    KEYWORD("NOD", a.nozzleOd = AtLeast(reader, entry.components[0], ParseDimension, 0.001f, "Invalid nozzle od")),
    KEYWORD("NTHK", a.nozzleThickness =
                        AtLeast(reader, entry.components[0], ParseDimension, 0.0001f, "Invalid nozzle thickness")),
    KEYWORD("VOD", a.vesselOd = AtLeast(reader, entry.components[0], ParseDimension, 0.001f, "Invalid vessel od")),
    KEYWORD("VTHK", a.vesselThickness =
                        AtLeast(reader, entry.components[0], ParseDimension, 0.0001f, "Invalid vessel thickness")),
    KEYWORD("L1", a.nozzleL1 = AtLeast(reader, entry.components[0], ParseLength, 0.001f, "Invalid length 1")),
    KEYWORD("L2", a.nozzleL2 = AtLeast(reader, entry.components[0], ParseLength, 0.001f, "Invalid length 2")),
    KEYWORD("E", a.modulus = Value(reader, entry.components[0], ParseModulus, "Invalid modulus")),
};

#undef KEYWORD

void ReadEntry(BatchReader& reader, Attributes& attributes, const std::string& text) {
  // A line cut inside its last entry would read as far as it goes.
  if (HasUnclosedGroup(text)) BatchLineError(reader, "Unclosed parenthesis", text);
  const BatchEntry entry = SplitBatchAttribute(text);
  bool known = false;
  for (const Keyword& keyword : kKeywords) {
    if (entry.keyword != keyword.name) continue;
    keyword.read(reader, attributes, entry);
    known = true;
    break;
  }
  if (!known && !ReadBatchInlineKeyword(reader, attributes, entry) && !ReadBatchJointKeyword(reader, attributes, entry))
    BatchLineError(reader, "Unknown comment", entry.entry);
  BatchGivenEntry given{entry.keyword, entry.entry, reader.lineNumber, reader.rawLine};
  CheckBatchKeywordConflict(attributes, given);
  // Whether the row takes it is known only once the line chose its item.
  attributes.given.push_back(std::move(given));
}

}  // namespace

bool HasUnclosedGroup(std::string_view field) {
  // Groups do not nest: "(" opens one, the next ")" closes it.
  bool grouped = false;
  for (char c : field) {
    if (c == '(')
      grouped = true;
    else if (c == ')')
      grouped = false;
  }
  return grouped;
}

BatchEntry SplitBatchAttribute(std::string_view text) {
  BatchEntry entry;
  entry.entry.assign(text);
  const std::size_t mark = text.find_first_of("=(");
  if (mark == std::string_view::npos) {
    entry.keyword.assign(text);
    return entry;
  }
  entry.keyword.assign(text.substr(0, mark));
  entry.directional = text[mark] == '(';
  entry.hasValue = true;
  std::string_view value = text.substr(mark + 1);
  value = value.substr(0, value.find(')'));
  for (std::size_t component = 0; component < entry.components.size(); ++component) {
    const std::size_t comma = value.find(',');
    std::string_view part = value.substr(0, comma);
    const std::size_t first = part.find_first_not_of(" \t");
    entry.components[component].assign(first == std::string_view::npos ? std::string_view() : part.substr(first));
    if (comma == std::string_view::npos) break;
    value.remove_prefix(comma + 1);
  }
  return entry;
}

void ParseBatchAttributes(BatchReader& reader, BatchLayoutAttributes& attributes, std::string text) {
  for (;;) {
    BatchFieldCursor cursor;
    StartBatchFields(cursor, text);
    while (const std::optional<std::string> entry = NextBatchField(cursor)) ReadEntry(reader, attributes, *entry);
    if (text.empty() || text.back() != ',') return;
    // The list goes on in the next line; a header met there ends it, and a
    // data line of the new section waits for its reader. The end of the data
    // there is a file cut short.
    const int headers = reader.headersRead;
    const int commaLine = reader.lineNumber;
    const std::string commaText = reader.rawLine;
    ReadBatchSectionHeader(reader);
    if (reader.section == kBatchEnd)
      throw BatchLineErrorText(commaLine, commaText, "The attribute list goes on after the last line");
    if (reader.headersRead != headers) {
      reader.lineWaiting = true;
      return;
    }
    text = reader.line;
  }
}
