// The named fields of the model file's records; see the header. Each table
// below lists a record's fields in the order its model-file writer writes
// them; a record whose writer repeats a group (a material's temperature
// rows, an anchor's displacement sets) names the group's fields once.
#include "files/BatchExportFields.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "files/ModelFileSections.h"
#include "model/LayoutKeywords.h"
#include "model/MakeModel.h"
#include "model/Nodes.h"
#include "model/Model.h"
#include "model/RevisionRecord.h"
#include "model/RowObjects.h"
#include "records/AllowableLoad.h"
#include "records/AnalysisOptions.h"
#include "records/BeamLoad.h"
#include "records/BeamMaterial.h"
#include "records/BeamSection.h"
#include "records/Compressor.h"
#include "records/Material.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"
#include "records/Pump.h"
#include "records/Soil.h"
#include "records/Wind.h"
#include "services/NameTables.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

using S = FieldShow;
using T = NameTable;

constexpr FieldEntry Value(const char* name, int unit = 0) { return {name, S::kValue, unit}; }
constexpr FieldEntry Show(const char* name, S show) { return {name, show}; }
constexpr FieldEntry Name(const char* name, T table) { return {name, S::kText, 0, table}; }
constexpr FieldEntry Made(const char* name) { return {name, S::kMade}; }
constexpr FieldEntry Uncarried(FieldEntry entry) {
  entry.uncarried = true;
  return entry;
}

// --- Options -----------------------------------------------------------------

bool IsB318(std::int32_t code) { return code == 6; }
bool IsZ183(std::int32_t code) { return code == 19; }
bool IsZ184OrZ662(std::int32_t code) { return code == 20 || code == 22; }
bool IsEn13480(std::int32_t code) { return code == 21; }

constexpr const char* kOptions = "Analysis options";
constexpr const char* kDynamic = "Dynamic analysis settings";
constexpr const char* kSeismic = "Seismic";
constexpr const char* kWind = "Wind";
constexpr const char* kUnits = "Units";

constexpr FieldEntry Option(const char* name, S show, bool (*applies)(std::int32_t) = nullptr, int unit = 0,
                           const char* group = kOptions) {
  return {name, show, unit, T::kNone, group, applies};
}

// The options section (WriteModelOptions) up to the wind profiles; the
// names of the settings the list has always named are its own.
const FieldEntry kOptionsHead[] = {
    Option("piping code", S::kInteger),
    Option("service level", S::kServiceLevel, CodeUsesServiceLevel),
    Option("B31.8 design factor index", S::kInteger, IsB318),
    Option("Z183 location factor index", S::kInteger, IsZ183),
    Option("Z184 class location", S::kInteger, IsZ184OrZ662),
    Option("\"Sour service\" option", S::kFlag, IsZ184OrZ662),
    Option("\"Liberal allowable\" option", S::kFlag, CodeAllowsLiberal),
    Option("occasional load factor", S::kValue, IsEn13480),
    Option("\"Include axial force\" option", S::kFlag),
    Option("\"Use B31J\" option", S::kFlag, CodeAllowsB31J),
    Option("reference temperature", S::kValue, nullptr, kUnitTemperature),
    Option("number of thermal cycles", S::kInteger),
    Option("number of thermal loads", S::kInteger),
    Option("\"Solve thermal case\" option", S::kFlag),
    Option("\"Use cold modulus\" option", S::kFlag),
    Option("\"Include hanger stiffness\" option", S::kFlag),
    Option("\"Bourdon effect\" option", S::kFlag),
    Option("\"Pressure correction\" option", S::kFlag),
    Option("pressure stress option", S::kInteger),
    Option("peak pressure factor", S::kValue),
    Option("yield displacement factor", S::kValue),
    Option("cut off frequency (Hz)", S::kInteger, nullptr, 0, kDynamic),
    Option("number of modes", S::kInteger, nullptr, 0, kDynamic),
    Option("\"Include missing mass\" option", S::kFlag, nullptr, 0, kDynamic),
    Option("\"Friction in dynamics\" option", S::kFlag, nullptr, 0, kDynamic),
    Option("X coefficient", S::kValue, nullptr, 0, kSeismic),
    Option("Y coefficient", S::kValue, nullptr, 0, kSeismic),
    Option("Z coefficient", S::kValue, nullptr, 0, kSeismic),
    Option("combination", S::kInteger, nullptr, 0, kSeismic),
};
const FieldEntry kWindLoad[] = {
    Option("shape factor", S::kValue, nullptr, 0, kWind),
    Option("direction X", S::kValue, nullptr, 0, kWind),
    Option("direction Y", S::kValue, nullptr, 0, kWind),
    Option("direction Z", S::kValue, nullptr, 0, kWind),
};
const FieldEntry kWindUnits[] = {
    Option("wind profile elevation", S::kWindUnit, nullptr, 0, kUnits),
    Option("wind profile pressure", S::kWindUnit, nullptr, 1, kUnits),
    Option("wind profile velocity", S::kWindUnit, nullptr, 2, kUnits),
    Option("profiles of velocity", S::kFlag, nullptr, 0, kWind),
};
const FieldEntry kOptionsTail[] = {
    Option("spectrum mode sum", S::kInteger, nullptr, 0, kDynamic),
    Option("spectrum direction sum", S::kInteger, nullptr, 0, kDynamic),
    Option("time history time step (s)", S::kValue, nullptr, 0, kDynamic),
    Option("time history number of steps", S::kInteger, nullptr, 0, kDynamic),
    Option("time history output interval", S::kInteger, nullptr, 0, kDynamic),
    Option("\"Write time history results\" option", S::kFlag, nullptr, 0, kDynamic),
    Option("time history damping (%)", S::kValue, nullptr, 0, kDynamic),
    Option("harmonic combination", S::kInteger, nullptr, 0, kDynamic),
    Option("harmonic damping (%)", S::kValue, nullptr, 0, kDynamic),
    Option("vertical axis Z", S::kFlag),
    Option("node number increment", S::kInteger),
};
constexpr const char* kUnitKindNames[kUnitKindCount] = {
    "length",        "dimension",          "displacement",      "angle",     "force",
    "moment",        "additional weight",  "weight",            "density",   "insulation density",
    "temperature",   "thermal expansion",  "pressure",          "stress",    "modulus",
    "stiffness",     "rotational stiffness", "area",            "moment of inertia", "velocity"};

// --- Tables ------------------------------------------------------------------

const FieldEntry kMaterial[] = {
    Name("name", T::kMaterial),        Show("type", S::kText),
    Show("FRP flag", S::kFlag),        Show("description", S::kText),
    Value("Poisson's ratio"),          Value("density", kUnitDensity),
    Value("joint factor"),             Value("circumferential joint factor"),
    Value("strength", kUnitStress),    Show("number of temperature rows", S::kInteger),
};
const FieldEntry kMaterialRow[] = {
    Value("temperature", kUnitTemperature), Value("elastic modulus", kUnitModulus),
    Value("expansion", kUnitThermalExpansion), Value("allowable stress", kUnitStress),
    Value("yield stress", kUnitStress),     Value("rupture stress", kUnitStress),
    Value("hoop modulus", kUnitModulus),    Value("shear modulus", kUnitModulus),
};
const FieldEntry kSection[] = {
    Name("name", T::kSection),
    Show("standard", S::kInteger),
    Show("nominal size", S::kText),
    Show("schedule", S::kText),
    Value("outside diameter", kUnitDimension),
    Value("wall thickness", kUnitDimension),
    Value("corrosion allowance", kUnitDimension),
    Value("mill tolerance (%)"),
    Value("insulation density", kUnitInsulationDensity),
    Value("insulation thickness", kUnitDimension),
    Value("lining density", kUnitInsulationDensity),
    Value("lining thickness", kUnitDimension),
    Name("soil", T::kSoil),
};
const FieldEntry kPipeLoad[] = {
    Name("name", T::kPipeLoad),
    Value("T1", kUnitTemperature), Value("P1", kUnitPressure), Value("T2", kUnitTemperature),
    Value("P2", kUnitPressure),    Value("T3", kUnitTemperature), Value("P3", kUnitPressure),
    Value("T4", kUnitTemperature), Value("P4", kUnitPressure),    Value("T5", kUnitTemperature),
    Value("P5", kUnitPressure),    Value("T6", kUnitTemperature), Value("P6", kUnitPressure),
    Value("T7", kUnitTemperature), Value("P7", kUnitPressure),    Value("T8", kUnitTemperature),
    Value("P8", kUnitPressure),    Value("T9", kUnitTemperature), Value("P9", kUnitPressure),
    Value("T10", kUnitTemperature), Value("P10", kUnitPressure),
    Value("design temperature", kUnitTemperature),
    Value("design pressure", kUnitPressure),
    Value("specific gravity"),
    Value("additional weight", kUnitAdditionalWeight),
    Uncarried(Show("wind flag", S::kFlag)),
};
const FieldEntry kBeamMaterial[] = {
    Name("name", T::kBeamMaterial), Show("description", S::kText), Value("Young's modulus", kUnitModulus),
    Value("Poisson's ratio"),       Value("density", kUnitDensity), Value("expansion", kUnitThermalExpansion),
};
const FieldEntry kBeamSection[] = {
    Name("name", T::kBeamSection),
    Show("description", S::kText),
    Value("axial area", kUnitArea),
    Value("major moment of inertia", kUnitMomentOfInertia),
    Value("minor moment of inertia", kUnitMomentOfInertia),
    Value("torsional inertia", kUnitMomentOfInertia),
    Value("major shear area", kUnitArea),
    Value("minor shear area", kUnitArea),
    Value("depth", kUnitDimension),
    Value("width", kUnitDimension),
};
const FieldEntry kBeamLoad[] = {
    Name("name", T::kBeamLoad),
    Value("T1", kUnitTemperature),
    Value("T2", kUnitTemperature),
    Value("T3", kUnitTemperature),
    Uncarried(Value("T4", kUnitTemperature)),
    Uncarried(Value("T5", kUnitTemperature)),
    Uncarried(Value("T6", kUnitTemperature)),
    Uncarried(Value("T7", kUnitTemperature)),
    Uncarried(Value("T8", kUnitTemperature)),
    Uncarried(Value("T9", kUnitTemperature)),
    Uncarried(Value("T10", kUnitTemperature)),
    Value("additional weight", kUnitWeight),
    Uncarried(Show("wind flag", S::kFlag)),
};
const FieldEntry kPump[] = {
    Show("name", S::kText),
    Show("suction node", S::kNode),
    Show("suction location", S::kInteger),
    Show("discharge node", S::kNode),
    Show("discharge location", S::kInteger),
    Value("shaft axis X"),
    Value("shaft axis Y"),
    Value("shaft axis Z"),
    Value("centre X", kUnitLength),
    Value("centre Y", kUnitLength),
    Value("centre Z", kUnitLength),
    Show("vertical flag", S::kFlag),
    Show("standard", S::kInteger),
    Show("category", S::kInteger),
    Show("size", S::kInteger),
    Show("material group", S::kInteger),
    Show("bolts or mounting", S::kInteger),
    Value("temperature", kUnitTemperature),
};
const FieldEntry kRotating[] = {
    Show("description", S::kText),       Show("inlet node", S::kNode), Show("exhaust node", S::kNode),
    Show("extraction 1 node", S::kNode), Show("extraction 2 node", S::kNode), Value("shaft axis X"),
    Value("shaft axis Y"),               Value("shaft axis Z"),
};
const FieldEntry kSoil[] = {
    Name("name", T::kSoil),         Show("type", S::kInteger),       Value("density", kUnitInsulationDensity),
    Value("strength", kUnitStress), Value("delta", kUnitAngle),      Value("ks"),
    Value("ground level", kUnitLength),
};
const FieldEntry kAllowable[] = {
    Show("node", S::kNode),        Value("FX", kUnitForce),  Value("FY", kUnitForce), Value("FZ", kUnitForce),
    Value("MX", kUnitMoment),      Value("MY", kUnitMoment), Value("MZ", kUnitMoment),
};
const FieldEntry kQaBlock[] = {Show("client", S::kText),        Show("project", S::kText),
                               Show("file number", S::kText),   Show("report number", S::kText),
                               Show("prepared by", S::kText),   Show("checked by", S::kText)};
const FieldEntry kRevisionHead[] = {Show("number of revisions", S::kInteger)};
const FieldEntry kRevisionRow[] = {Show("mark", S::kText), Show("date", S::kText), Show("remarks", S::kText)};

// --- Rows --------------------------------------------------------------------

const FieldEntry kRowHeader[] = {
    Show("node", S::kNode),
    Show("absolute coordinates flag", S::kFlag),
    Show("element kind", S::kElementKind),
    Show("data item", S::kDataKind),
    Value("DX", kUnitLength),
    Value("DY", kUnitLength),
    Value("DZ", kUnitLength),
    Name("material", T::kMaterial),
    Name("pipe section", T::kSection),
    Name("pipe load", T::kPipeLoad),
    Made("start node index"),
    Made("end node index"),
    Made("run start"),
    Made("run end"),
};
// A beam row names the beam tables.
const FieldEntry kBeamNames[] = {Name("beam material", T::kBeamMaterial), Name("beam section", T::kBeamSection),
                                 Name("beam load", T::kBeamLoad)};
constexpr std::size_t kRowNamesAt = 7;

#define BEND_RECORD                                                                                     \
  Value("bend radius", kUnitDimension), Value("bend thickness", kUnitDimension),                       \
      Name("bend material", T::kMaterial), Value("flexibility factor"),                                 \
      Value("out-of-plane flexibility factor"), Value("in-plane SIF"), Value("out-of-plane SIF"),      \
      Value("axial SIF"), Value("torsional SIF"), Show("intermediate node 1", S::kNode),               \
      Show("intermediate node 2", S::kNode), Value("intermediate node 1 angle", kUnitAngle),           \
      Value("intermediate node 2 angle", kUnitAngle), Show("bend radius kind", S::kInteger),           \
      Show("flanged ends", S::kInteger), Made("geometry"), Made("bend angle"), Made("centre X"),        \
      Made("centre Y"), Made("centre Z"), Made("far node")
#define JACKET_NAMES \
  Name("jacket material", T::kMaterial), Name("jacket section", T::kSection), Name("jacket load", T::kPipeLoad)

const FieldEntry kBend[] = {BEND_RECORD};
const FieldEntry kMiter[] = {BEND_RECORD, Show("miter spacing", S::kInteger)};
const FieldEntry kJacketedPipe[] = {JACKET_NAMES, Made("jacket start node"), Made("jacket end node")};
const FieldEntry kJacketedBend[] = {BEND_RECORD,
                                    JACKET_NAMES,
                                    Made("jacket start node"),
                                    Made("jacket near node"),
                                    Value("jacket radius", kUnitDimension),
                                    Value("jacket thickness", kUnitDimension),
                                    Show("jacket radius kind", S::kInteger),
                                    Show("jacket mark", S::kInteger),
                                    Made("jacket centre X"),
                                    Made("jacket centre Y"),
                                    Made("jacket centre Z"),
                                    Made("jacket far node")};
#undef BEND_RECORD
#undef JACKET_NAMES
const FieldEntry kValve[] = {
    Value("valve weight", kUnitWeight),      Value("valve length", kUnitDimension),
    Value("thickness multiplier"),           Value("insulation weight multiplier"),
    Value("additional weight", kUnitWeight), Value("additional weight offset X", kUnitDimension),
    Value("additional weight offset Y", kUnitDimension), Value("additional weight offset Z", kUnitDimension),
    Show("valve type", S::kInteger),
};
const FieldEntry kReducer[] = {
    Value("OD1", kUnitDimension),   Value("THK1", kUnitDimension), Value("OD2", kUnitDimension),
    Value("THK2", kUnitDimension),  Show("cone angle", S::kDegrees), Show("knuckles flag", S::kFlag),
    Value("knuckle dimension", kUnitDimension),
};
const FieldEntry kBellows[] = {
    Value("axial stiffness", kUnitStiffness),       Value("bending stiffness", kUnitRotStiffness),
    Value("torsional stiffness", kUnitRotStiffness), Value("lateral stiffness", kUnitStiffness),
    Value("pressure thrust area", kUnitArea),       Value("weight", kUnitWeight),
    Value("mean diameter", kUnitDimension),
};
const FieldEntry kSlipJoint[] = {Value("friction force", kUnitForce), Value("friction torque", kUnitMoment),
                                 Value("pressure thrust area", kUnitArea), Value("weight", kUnitWeight)};
const FieldEntry kHingeJoint[] = {Value("hinge stiffness", kUnitRotStiffness), Value("rotation limit", kUnitAngle),
                                  Value("friction torque", kUnitMoment), Value("weight", kUnitWeight),
                                  Value("axis X"), Value("axis Y"), Value("axis Z")};
const FieldEntry kBallJoint[] = {
    Value("bending stiffness", kUnitRotStiffness),   Value("torsional stiffness", kUnitRotStiffness),
    Value("bending rotation limit", kUnitAngle),     Value("torsional rotation limit", kUnitAngle),
    Value("bending friction torque", kUnitMoment),   Value("torsional friction torque", kUnitMoment),
    Value("weight", kUnitWeight),
};
const FieldEntry kRigid[] = {Value("rigid weight", kUnitWeight), Show("insulation and lining flag", S::kFlag)};
const FieldEntry kElastic[] = {
    Value("KX", kUnitStiffness),     Value("KY", kUnitStiffness),     Value("KZ", kUnitStiffness),
    Value("KXX", kUnitRotStiffness), Value("KYY", kUnitRotStiffness), Value("KZZ", kUnitRotStiffness),
    Value("local x axis X"),         Value("local x axis Y"),         Value("local x axis Z"),
    Value("local y axis X"),         Value("local y axis Y"),         Value("local y axis Z"),
};
const FieldEntry kCutPipe[] = {Value("cut", kUnitDimension)};
const FieldEntry kBeam[] = {Show("beta", S::kDegrees), Show("end releases", S::kFlags)};
const FieldEntry kComment[] = {Show("comment", S::kText)};
const FieldEntry kTieRod[] = {Value("tension stiffness", kUnitStiffness),
                              Value("compression stiffness", kUnitStiffness), Value("tension gap", kUnitDimension),
                              Value("compression gap", kUnitDimension)};
const FieldEntry kHydrotest[] = {Value("hydrotest specific gravity"), Value("hydrotest pressure", kUnitPressure),
                                 Show("exclude insulation flag", S::kFlag)};

// Data items.
const FieldEntry kTag = Show("tag", S::kText);
const FieldEntry kAnchor[] = {
    kTag,
    Value("KX", kUnitStiffness),     Value("KY", kUnitStiffness),     Value("KZ", kUnitStiffness),
    Value("KXX", kUnitRotStiffness), Value("KYY", kUnitRotStiffness), Value("KZZ", kUnitRotStiffness),
    Show("free directions", S::kFlags),
    Show("specified displacement sets", S::kFlags),
    Show("stiffnesses in pipe axes", S::kFlag),
    Show("displacements in pipe axes", S::kFlag),
};
const FieldEntry kDisplacementSet[] = {
    Value("DX", kUnitDisplacement), Value("DY", kUnitDisplacement), Value("DZ", kUnitDisplacement),
    Show("RX", S::kDegrees),        Show("RY", S::kDegrees),        Show("RZ", S::kDegrees),
};
const FieldEntry kRestraint[] = {kTag, Show("X restrained", S::kFlag), Show("Y restrained", S::kFlag),
                                 Show("Z restrained", S::kFlag)};
const FieldEntry kSkewed[] = {kTag,
                              Show("rotational flag", S::kFlag),
                              Value("stiffness"),
                              Value("direction X"),
                              Value("direction Y"),
                              Value("direction Z"),
                              Show("connected node", S::kNode)};
const FieldEntry kHanger[] = {
    kTag,
    Show("hanger kind", S::kInteger),
    Show("number of hangers", S::kInteger),
    Show("load variation (%)", S::kInteger),
    Show("short range flag", S::kFlag),
    Show("above flag", S::kFlag),
    Show("connected node", S::kNode),
    Show("load type", S::kInteger),
    Value("spring rate", kUnitStiffness),
    Value("hanger load", kUnitForce),
};
const FieldEntry kGuide[] = {kTag, Value("friction coefficient"), Value("stiffness", kUnitStiffness),
                             Value("gap", kUnitDisplacement), Show("connected node", S::kNode)};
const FieldEntry kLimitStop[] = {kTag,
                                 Value("lower limit", kUnitDisplacement),
                                 Value("upper limit", kUnitDisplacement),
                                 Value("direction X"),
                                 Value("direction Y"),
                                 Value("direction Z"),
                                 Value("friction coefficient"),
                                 Value("stiffness", kUnitStiffness),
                                 Show("connected node", S::kNode)};
const FieldEntry kNozzle[] = {
    kTag,
    Show("flat-bottom tank flag", S::kFlag),
    Show("reinforcing pad flag", S::kFlag),
    Value("nozzle OD", kUnitDimension),
    Value("nozzle thickness", kUnitDimension),
    Value("vessel OD", kUnitDimension),
    Value("vessel thickness", kUnitDimension),
    Value("L1", kUnitLength),
    Value("L2", kUnitLength),
    Value("vessel modulus", kUnitModulus),
    Value("vessel axis X"),
    Value("vessel axis Y"),
    Value("vessel axis Z"),
    Value("axial stiffness", kUnitStiffness),
    Value("circumferential stiffness", kUnitRotStiffness),
    Value("longitudinal stiffness", kUnitRotStiffness),
    Show("specified displacement sets", S::kFlags),
    Show("spherical vessel flag", S::kFlag),
};
const FieldEntry kSnubber[] = {kTag, Value("stiffness", kUnitStiffness), Value("direction X"), Value("direction Y"),
                               Value("direction Z")};
const FieldEntry kFlange[] = {Show("flange type", S::kInteger), Value("flange weight", kUnitWeight),
                              Value("gasket diameter", kUnitDimension), Value("allowable pressure", kUnitPressure)};
const FieldEntry kBranchSif[] = {Show("branch type", S::kInteger), Value("dimension 1", kUnitDimension),
                                 Value("dimension 2", kUnitDimension), Show("flanged ends", S::kInteger)};
const FieldEntry kUserSif[] = {Value("in-plane SIF"), Value("out-of-plane SIF"), Value("axial SIF"),
                               Value("torsional SIF")};
const FieldEntry kWeld[] = {Show("weld type", S::kInteger), Value("mismatch", kUnitDimension)};
const FieldEntry kForce[] = {Value("FX", kUnitForce),  Value("FY", kUnitForce),  Value("FZ", kUnitForce),
                             Value("MX", kUnitMoment), Value("MY", kUnitMoment), Value("MZ", kUnitMoment),
                             Show("added to", S::kInteger)};
const FieldEntry kMass[] = {Value("weight", kUnitWeight), Value("offset X", kUnitDimension),
                            Value("offset Y", kUnitDimension), Value("offset Z", kUnitDimension)};
const FieldEntry kDirectionalLoad[] = {Show("direction", S::kInteger), Show("units", S::kInteger),
                                       Show("table", S::kText), Value("scale factor"), Value("unit factor")};
const FieldEntry kHarmonic[] = {Value("frequency (Hz)"), Show("phase", S::kDegrees), Value("FX", kUnitForce),
                                Value("FY", kUnitForce), Value("FZ", kUnitForce)};
const FieldEntry kGenericSupport[] = {kTag, Show("group B unit", S::kInteger)};

// A record's fields: those named in order, then a group named once and
// repeated (its copies named by `groupName`).
struct Layout {
  const FieldEntry* fields = nullptr;
  std::size_t count = 0;
  const FieldEntry* group = nullptr;
  std::size_t groupCount = 0;
  std::function<std::string(std::size_t copy)> groupName;
};

template <std::size_t N>
Layout Fixed(const FieldEntry (&fields)[N]) {
  return {fields, N, nullptr, 0, nullptr};
}

template <std::size_t N, std::size_t M>
Layout Grouped(const FieldEntry (&fields)[N], const FieldEntry (&group)[M],
               std::function<std::string(std::size_t)> name) {
  return {fields, N, group, M, std::move(name)};
}

std::vector<RecordField> Named(std::vector<BinaryFileValue> values, const Layout& layout,
                               RowPart part = RowPart::kHeader) {
  std::vector<RecordField> fields;
  fields.reserve(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    RecordField field;
    field.value = std::move(values[i]);
    field.part = part;
    if (i < layout.count) {
      field.entry = layout.fields[i];
      field.name = field.entry.name;
    } else if (layout.groupCount > 0) {
      const std::size_t at = i - layout.count;
      field.entry = layout.group[at % layout.groupCount];
      field.name = layout.groupName(at / layout.groupCount) + " " + field.entry.name;
    } else {
      field.name = "field " + std::to_string(i + 1);
    }
    fields.push_back(std::move(field));
  }
  return fields;
}

template <typename Write>
std::vector<BinaryFileValue> Recorded(Write write) {
  std::vector<BinaryFileValue> values;
  BinaryFile file;
  BinaryFileOpenRecorder(file, values);
  write(file);
  return values;
}

// A table record of fixed fields as its model-file writer writes it.
template <typename Record, std::size_t N>
std::vector<RecordField> Written(const Record& record, void (*write)(BinaryFile&, const Record&),
                                 const FieldEntry (&fields)[N]) {
  return Named(Recorded([&record, write](BinaryFile& file) { write(file, record); }), Fixed(fields));
}

std::string Counted(const char* what, std::size_t copy) { return std::string(what) + " " + std::to_string(copy + 1); }

// The twelve sets of specified displacements: T1 .. T10, seismic, settlement.
std::string DisplacementSetName(std::size_t copy) {
  if (copy == 10) return "seismic displacements";
  if (copy == 11) return "settlement displacements";
  return "T" + std::to_string(copy + 1) + " displacements";
}

Layout ElementLayout(ElementType type) {
  switch (type) {
    case ElementType::Bend: return Fixed(kBend);
    case ElementType::Miter: return Fixed(kMiter);
    case ElementType::JacketedPipe: return Fixed(kJacketedPipe);
    case ElementType::JacketedBend: return Fixed(kJacketedBend);
    case ElementType::Valve: return Fixed(kValve);
    case ElementType::Reducer: return Fixed(kReducer);
    case ElementType::Bellows: return Fixed(kBellows);
    case ElementType::SlipJoint: return Fixed(kSlipJoint);
    case ElementType::HingeJoint: return Fixed(kHingeJoint);
    case ElementType::BallJoint: return Fixed(kBallJoint);
    case ElementType::Rigid: return Fixed(kRigid);
    case ElementType::Elastic: return Fixed(kElastic);
    case ElementType::CutPipe: return Fixed(kCutPipe);
    case ElementType::Beam: return Fixed(kBeam);
    case ElementType::Comment: return Fixed(kComment);
    case ElementType::TieRod: return Fixed(kTieRod);
    case ElementType::HydrotestLoad: return Fixed(kHydrotest);
    default: return {};
  }
}

Layout ItemLayout(DataType type) {
  switch (type) {
    case DataType::Anchor: return Grouped(kAnchor, kDisplacementSet, DisplacementSetName);
    case DataType::Restraint: return Fixed(kRestraint);
    case DataType::SkewedRestraint: return Fixed(kSkewed);
    case DataType::Hanger: return Fixed(kHanger);
    case DataType::Guide: return Fixed(kGuide);
    case DataType::LimitStop: return Fixed(kLimitStop);
    case DataType::Nozzle: return Grouped(kNozzle, kDisplacementSet, DisplacementSetName);
    case DataType::Snubber: return Fixed(kSnubber);
    case DataType::Flange: return Fixed(kFlange);
    case DataType::BranchSif: return Fixed(kBranchSif);
    case DataType::UserSif: return Fixed(kUserSif);
    case DataType::Weld: return Fixed(kWeld);
    case DataType::Force: return Fixed(kForce);
    case DataType::ConcentratedMass: return Fixed(kMass);
    case DataType::TimeVaryingLoad:
    case DataType::ForceSpectrumLoad: return Fixed(kDirectionalLoad);
    case DataType::HarmonicLoad: return Fixed(kHarmonic);
    case DataType::GenericSupport: {
      static const FieldEntry kTerm[] = {Value("")};
      return Grouped(kGenericSupport, kTerm, [](std::size_t copy) { return Counted("stiffness term", copy); });
    }
    default: return {};
  }
}

// A float in the unit now chosen for its kind.
double InUnitNow(float value, int unit) {
  if (unit == kUnitTemperature && ChosenUnit(kUnitTemperature) == kTemperatureCelsius)
    return (static_cast<double>(value) - 32.0) * 5.0 / 9.0;
  return static_cast<double>(value) * static_cast<double>(UnitFactor(unit));
}

std::string Label(const char* label) {
  std::string text = label;
  std::erase_if(text, [](char c) { return c == '(' || c == ')'; });
  return text;
}

std::string FloatText(const FieldEntry& entry, float value, int digits) {
  if (std::fabs(value) >= 5.0e29f) return value > 0.0f ? "none" : "-none";
  if (entry.show == S::kDegrees) return std::string(FormatSignificant(value, digits)) + " deg";
  if (entry.unit == 0) return FormatSignificant(value, digits);
  // Feet and inches are a text of their own, with their marks.
  if (entry.unit == kUnitLength && ChosenUnit(kUnitLength) == kLengthFeetInches)
    return FeetInchesShown(FormatLength(value));
  return std::string(FormatSignificant(InUnitNow(value, entry.unit), digits)) + " " + Label(UnitLabel(entry.unit));
}

std::string QuotedText(const std::string& bytes) {
  return "\"" + bytes.substr(0, bytes.find('\0')) + "\"";
}

// A float that is zero as a value: 0 (nothing given) or the typed zero.
bool IsZeroValue(float value) { return std::fabs(value) < 1.0e-30f; }

// What a value read back may differ by and be the same: a few of a float's
// last digits, where no text of the value's unit reads back as the value
// itself (lb/inch divided back from N/mm).
constexpr double kFloatRounding = 1.0e-6;

// `unit`: the kind of the values, which are compared in the unit now
// chosen for it. A factor leaves the digits of a value as they are, but an
// offset does not: 0.518 F is -17.49 C, whose last float digit is some
// fifty times the last one of 0.518 in Fahrenheit.
bool SameFloat(float held, float read, int unit) {
  if (held == read || (IsZeroValue(held) && IsZeroValue(read))) return true;
  if (!std::isfinite(held) || !std::isfinite(read)) return false;
  const double was = unit == kUnitTemperature ? InUnitNow(held, unit) : held;
  const double is = unit == kUnitTemperature ? InUnitNow(read, unit) : read;
  return std::fabs(was - is) <= kFloatRounding * std::fabs(was);
}

}  // namespace

std::vector<RecordField> OptionsFields(const Model& model) {
  std::vector<BinaryFileValue> values = Recorded([&model](BinaryFile& file) { WriteModelOptions(file, model); });
  // The names in the writer's order: the head, four wind loads, the wind
  // units, four profiles, the tail, the unit choices.
  std::vector<FieldEntry> entries(std::begin(kOptionsHead), std::end(kOptionsHead));
  std::vector<std::string> names;
  for (const FieldEntry& entry : entries) names.push_back(entry.name);
  for (int load = 1; load <= kWindLoadCount; ++load)
    for (const FieldEntry& entry : kWindLoad) {
      entries.push_back(entry);
      names.push_back("wind load " + std::to_string(load) + " " + entry.name);
    }
  for (const FieldEntry& entry : kWindUnits) {
    entries.push_back(entry);
    names.push_back(entry.name);
  }
  for (int load = 1; load <= kWindLoadCount; ++load) {
    entries.push_back(Option("", S::kPoints, nullptr, 0, kWind));
    names.push_back("wind load " + std::to_string(load) + " profile");
  }
  for (const FieldEntry& entry : kOptionsTail) {
    entries.push_back(entry);
    names.push_back(entry.name);
  }
  for (int kind = 1; kind <= kUnitKindCount; ++kind) {
    entries.push_back(Option("", S::kUnitChoice, nullptr, kind, kUnits));
    names.push_back(kUnitKindNames[kind - 1]);
  }
  std::vector<RecordField> fields = Named(std::move(values), {entries.data(), entries.size(), nullptr, 0, nullptr});
  for (std::size_t i = 0; i < fields.size() && i < names.size(); ++i) fields[i].name = names[i];
  return fields;
}

std::vector<RecordField> QaBlockFields(const Model& model) {
  const QualityAssuranceBlock& qa = model.qa;
  std::vector<BinaryFileValue> values;
  for (const std::string* text : {&qa.client, &qa.project, &qa.fileNumber, &qa.reportNumber, &qa.preparedBy,
                                  &qa.checkedBy}) {
    BinaryFileValue value;
    value.kind = BinaryFileValue::kText;
    value.bytes = *text;
    values.push_back(std::move(value));
  }
  return Named(std::move(values), Fixed(kQaBlock));
}

std::vector<RecordField> RevisionFields(const Model& model) {
  return Named(Recorded([&model](BinaryFile& file) { WriteRevisionRecord(file, model.revisions); }),
               Grouped(kRevisionHead, kRevisionRow, [](std::size_t copy) { return Counted("revision", copy); }));
}

std::vector<RecordField> MaterialFields(const Material& record) {
  return Named(Recorded([&record](BinaryFile& file) { MaterialWrite(file, record); }),
               Grouped(kMaterial, kMaterialRow, [](std::size_t copy) { return Counted("temperature row", copy); }));
}

std::vector<RecordField> SectionFields(const PipeSection& record) { return Written(record, SectionWrite, kSection); }
std::vector<RecordField> PipeLoadFields(const PipeLoad& record) { return Written(record, PipeLoadWrite, kPipeLoad); }
std::vector<RecordField> BeamMaterialFields(const BeamMaterial& record) {
  return Written(record, BeamMaterialWrite, kBeamMaterial);
}
std::vector<RecordField> BeamSectionFields(const BeamSection& record) {
  return Written(record, BeamSectionWrite, kBeamSection);
}
std::vector<RecordField> BeamLoadFields(const BeamLoad& record) { return Written(record, BeamLoadWrite, kBeamLoad); }
std::vector<RecordField> PumpFields(const Pump& record) { return Written(record, WritePumpRecord, kPump); }
std::vector<RecordField> RotatingEquipmentFields(const RotatingEquipment& record) {
  return Written(record, RotatingEquipmentWrite, kRotating);
}
std::vector<RecordField> SoilFields(const Soil& record) { return Written(record, SoilWrite, kSoil); }
std::vector<RecordField> AllowableFields(const Allowable& record) {
  return Written(record, WriteAllowable, kAllowable);
}

std::vector<RecordField> RowFields(const LayoutRow& row) {
  // A row without its object is written with a new one of its kind.
  std::unique_ptr<ElementData> freshElement;
  std::unique_ptr<DataItem> freshItem;
  const ElementData* element = row.element.get();
  const DataItem* item = row.item.get();
  if (element == nullptr && row.elementType != ElementType::None)
    element = (freshElement = CreateElementData(row.elementType)).get();
  if (item == nullptr && row.dataType != DataType::None) item = (freshItem = CreateDataItem(row.dataType)).get();
  std::vector<BinaryFileValue> whole = Recorded([&row](BinaryFile& file) { WriteLayoutRow(file, row); });
  std::vector<BinaryFileValue> elementValues, itemValues;
  if (element != nullptr) elementValues = Recorded([element](BinaryFile& file) { element->Write(file); });
  if (item != nullptr) itemValues = Recorded([item](BinaryFile& file) { item->Write(file); });
  whole.resize(whole.size() - std::min(whole.size(), elementValues.size() + itemValues.size()));
  std::vector<RecordField> fields = Named(std::move(whole), Fixed(kRowHeader));
  // A beam names the beam tables; a row of a kind without properties
  // (a From, a hinge, a comment) names nothing, whatever it holds.
  for (std::size_t i = 0; i < std::size(kBeamNames) && kRowNamesAt + i < fields.size(); ++i) {
    RecordField& field = fields[kRowNamesAt + i];
    if (row.elementType == ElementType::Beam) {
      field.entry = kBeamNames[i];
      field.name = kBeamNames[i].name;
    } else if (!ElementTypeHasProperties(row.elementType)) {
      field.entry.show = S::kMade;
    }
  }
  for (RecordField& field : Named(std::move(elementValues), ElementLayout(row.elementType), RowPart::kElement))
    fields.push_back(std::move(field));
  for (RecordField& field : Named(std::move(itemValues), ItemLayout(row.dataType), RowPart::kItem))
    fields.push_back(std::move(field));
  return fields;
}

std::string DisplacementFieldName(int slot, int component) {
  return DisplacementSetName(static_cast<std::size_t>(slot)) + " " +
         kDisplacementSet[static_cast<std::size_t>(component)].name;
}

bool SameFieldValue(const RecordField& field, const BinaryFileValue& read) {
  const BinaryFileValue& held = field.value;
  if (field.entry.show == S::kMade) return true;
  if (held.kind != read.kind) return false;
  switch (held.kind) {
    case BinaryFileValue::kInt:
    case BinaryFileValue::kByte: return held.integer == read.integer;
    case BinaryFileValue::kText: return held.bytes == read.bytes;
    case BinaryFileValue::kBytes:
      // A text field padded with zeros: what stands before its first zero.
      return field.entry.show == S::kText ? held.bytes.substr(0, held.bytes.find('\0')) ==
                                               read.bytes.substr(0, read.bytes.find('\0'))
                                         : held.bytes == read.bytes;
    case BinaryFileValue::kPairs: {
      if (held.pairs.size() != read.pairs.size()) return false;
      for (std::size_t i = 0; i < held.pairs.size(); ++i)
        if (!SameFloat(held.pairs[i].x, read.pairs[i].x, 0) || !SameFloat(held.pairs[i].y, read.pairs[i].y, 0))
          return false;
      return true;
    }
    case BinaryFileValue::kFloat:
      return SameFloat(held.real, read.real, field.entry.show == S::kValue ? field.entry.unit : 0);
  }
  return false;
}

std::string FeetInchesShown(const std::string& text) {
  return text.find_first_of("'\"") == std::string::npos ? text + " ft" : text;
}

std::string FieldValueText(const FieldEntry& entry, const BinaryFileValue& value, int digits) {
  switch (value.kind) {
    case BinaryFileValue::kFloat: return FloatText(entry, value.real, digits);
    case BinaryFileValue::kText:
    case BinaryFileValue::kBytes:
      if (entry.show == S::kFlags) {
        std::string flags;
        for (const char c : value.bytes) flags += c != 0 ? '1' : '0';
        return flags;
      }
      return QuotedText(value.bytes);
    case BinaryFileValue::kPairs:
      return std::to_string(value.pairs.size()) + (value.pairs.size() == 1 ? " point" : " points");
    case BinaryFileValue::kInt:
    case BinaryFileValue::kByte: break;
  }
  const std::int32_t n = value.integer;
  switch (entry.show) {
    case S::kFlag: return n != 0 ? "on" : "off";
    case S::kNode: return n == 0 ? "none" : std::string(NodeNumberText(n));
    case S::kElementKind: return ElementTypeMessageName(static_cast<ElementType>(n));
    case S::kDataKind: return n == 0 ? "none" : DataTypeName(n);
    case S::kServiceLevel: return std::string(1, ServiceLevelLetter(n));
    case S::kUnitChoice:
      return n >= 0 && n < UnitCount(entry.unit) ? Label(UnitLabelAt(entry.unit, n)) : std::to_string(n);
    case S::kWindUnit: {
      const char* label = entry.unit == 0   ? WindElevationUnitLabel(n)
                          : entry.unit == 1 ? WindPressureUnitLabel(n)
                                           : WindVelocityUnitLabel(n);
      return label != nullptr ? Label(label) : std::to_string(n);
    }
    default: return std::to_string(n);
  }
}
