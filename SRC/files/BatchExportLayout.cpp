// The LAYOUT section of the model batch file writer (see BatchExport.h): one
// line per row with its node, offsets and the names that change on it, the
// element kind's codes and attributes from a table of one writer per kind
// the reader takes, and what waits for a line to carry it (the spectrum
// load, the reference temperature). A row's data item is written by
// BatchExportItems.cpp; the Writer is shared through BatchExportWriter.h.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "elements/BallJoint.h"
#include "elements/BeamElement.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/CommentData.h"
#include "elements/CutPipe.h"
#include "elements/ElasticElement.h"
#include "elements/HingeJoint.h"
#include "elements/HydrotestLoad.h"
#include "elements/JacketDialogs.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/MiterBend.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/SlipJoint.h"
#include "elements/TieRod.h"
#include "elements/Valve.h"
#include "files/BatchExportWriter.h"
#include "files/BatchInlineKinds.h"
#include "files/BatchLayout.h"
#include "model/LayoutKeywords.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "records/Spectrum.h"

namespace batch_export {
namespace {

// --- LAYOUT: the attribute part ---------------------------------------------------

// The name the file gives the record a row names, when the model holds
// one: a name of no record would make the line refused, so it is named
// instead (`field` is the row's field that holds it).
std::optional<std::string> Reference(Writer& w, NameTable table, const std::string& name, const char* what,
                                     const char* field) {
  const Model& m = w.model();
  int found = 0;
  switch (table) {
    case NameTable::kMaterial: found = FindRecordByName(m.materials, name); break;
    case NameTable::kSection: found = FindRecordByName(m.sections, name); break;
    case NameTable::kPipeLoad: found = FindRecordByName(m.pipeLoads, name); break;
    case NameTable::kBeamMaterial: found = FindRecordByName(m.beamMaterials, name); break;
    case NameTable::kBeamSection: found = FindRecordByName(m.beamSections, name); break;
    case NameTable::kBeamLoad: found = FindRecordByName(m.beamLoads, name); break;
    case NameTable::kSoil: found = FindRecordByName(m.soils, name); break;
    case NameTable::kNone: break;
  }
  if (found != 0) return w.Written(table, name);
  w.LeftOut("the " + std::string(what) + " " + name + " is not in the model and was not written", {field});
  return std::nullopt;
}

// KEY=name of a record the row names, when the model holds it.
void NameAttribute(Writer& w, const char* key, NameTable table, const std::string& name, const char* what,
                   const char* field, RowText& out) {
  if (const std::optional<std::string> written = Reference(w, table, name, what, field)) out.Attribute(key + *written);
}

using ElementWriter = void (*)(Writer& w, const LayoutRow& row, RowText& out);

// The reader takes an intermediate node of a plain number and an angle of
// 0 or more; other ones (a derived node of an old model, 29A) are named.
void IntermediateNode(Writer& w, const char* word, std::int32_t node, float angle, RowText& out) {
  if (node == 0) return;
  const std::string name = "the bend's intermediate node " + NodeText(node);
  const std::string field = std::string("intermediate node ") + word[2];
  if (node < 0 || node > kMaxNodeNumber)
    w.LeftOut(name + " is a derived node, which the batch file refuses; it was not written", {field, field + " angle"});
  else if (!(angle >= 0.0f))
    w.LeftOut(name + " has a negative angle, which the batch file refuses; it was not written",
              {field, field + " angle"});
  else
    out.Attribute(std::string(word) + "(" + NodeText(node) + "," + w.Num(angle, FormatAngle) + ")");
}

void IntermediateNodes(Writer& w, const Bend& bend, RowText& out) {
  IntermediateNode(w, "IN1", bend.intermediateNode1, bend.angle1, out);
  IntermediateNode(w, "IN2", bend.intermediateNode2, bend.angle2, out);
}

constexpr float kSmallestBendRadius = 0.01f;  // inch: the bend's least
constexpr float kSmallestUserRadius = 0.1f;   // inch: the jacketed bend's and the miter's least

// Every bend's radius, whatever its kind: the reader takes the standard
// long or short radius of the row's section back as that kind. A radius the
// model was not made with (no section) has none to write.
void BendRadius(Writer& w, const Bend& bend, float least, RowText& out) {
  if (bend.radius >= least) {
    out.main += ",B" + w.Num(bend.radius, FormatDimension);
  } else if (bend.radiusType != kBendRadiusLong) {
    w.LeftOut("the bend has no radius to write; it reads back as a long-radius bend", {"bend radius kind"});
  }
}

void WriteBend(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& bend = static_cast<const Bend&>(*row.element);
  out.main += ",KI";
  BendRadius(w, bend, kSmallestBendRadius, out);
  if (bend.thickness != 0.0f) out.Attribute("BTHK=" + w.Num(bend.thickness, FormatDimension));
  if (!bend.material.empty())
    NameAttribute(w, "BMAT=", NameTable::kMaterial, bend.material, "bend material", "bend material", out);
  if (bend.flexibilityFactor > 0.0f) out.Attribute("FF=" + w.Fixed(bend.flexibilityFactor, 10, 4));
  IntermediateNodes(w, bend, out);
  if (bend.inPlaneSif > 1.0f || bend.outPlaneSif > 1.0f)
    out.Attribute("BSIF(" + w.Fixed(std::max(bend.inPlaneSif, 1.0f), 10, 3) + "," +
                  w.Fixed(std::max(bend.outPlaneSif, 1.0f), 10, 3) + ")");
}

void WriteMiter(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& miter = static_cast<const MiterBend&>(*row.element);
  out.main += ",KM,B" + w.Num(miter.radius, FormatDimension);
  if (miter.thickness != 0.0f) out.Attribute("BTHK=" + w.Num(miter.thickness, FormatDimension));
  if (!miter.material.empty())
    NameAttribute(w, "BMAT=", NameTable::kMaterial, miter.material, "bend material", "bend material", out);
  if (miter.flexibilityFactor > 0.0f) out.Attribute("FF=" + w.Fixed(miter.flexibilityFactor, 10, 4));
  if (miter.spacing == kMiterWidely) out.Attribute("WS");
}

template <typename Jacket>
void JacketNames(Writer& w, const Jacket& jacket, RowText& out) {
  if (!jacket.jacketMaterial.empty())
    NameAttribute(w, "JMAT=", NameTable::kMaterial, jacket.jacketMaterial, "jacket material", "jacket material", out);
  if (!jacket.jacketSection.empty())
    NameAttribute(w, "JSEC=", NameTable::kSection, jacket.jacketSection, "jacket section", "jacket section", out);
  if (!jacket.jacketLoad.empty())
    NameAttribute(w, "JLOAD=", NameTable::kPipeLoad, jacket.jacketLoad, "jacket load", "jacket load", out);
}

void WriteJacketedPipe(Writer& w, const LayoutRow& row, RowText& out) {
  out.main += ",JP";
  JacketNames(w, static_cast<const JacketedPipe&>(*row.element), out);
}

void WriteJacketedBend(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& bend = static_cast<const JacketedBend&>(*row.element);
  out.main += ",JI";
  BendRadius(w, bend, kSmallestUserRadius, out);
  JacketNames(w, bend, out);
  IntermediateNodes(w, bend, out);
  if (bend.jacketThickness != 0.0f) out.Attribute("JTHK=" + w.Num(bend.jacketThickness, FormatDimension));
  if (bend.thickness != 0.0f) out.Attribute("BTHK=" + w.Num(bend.thickness, FormatDimension));
  // A jacket without JR is a long-radius one; a short one is its section's
  // standard short radius, which the reader takes back as that kind.
  if (bend.jacketRadiusType != kBendRadiusLong) {
    if (bend.jacketRadius >= kSmallestUserRadius)
      out.Attribute("JR=" + w.Num(bend.jacketRadius, FormatDimension));
    else
      w.LeftOut("the jacket has no radius to write; it reads back as a long-radius jacket", {"jacket radius kind"});
  }
}

void WriteValve(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& valve = static_cast<const Valve&>(*row.element);
  out.main += ",JV";
  if (valve.weight != 0.0f) out.Attribute("VWGT=" + w.Num(valve.weight, FormatWeight));
  if (valve.additionalWeight != 0.0f) {
    out.Attribute("AWGT=" + w.Num(valve.additionalWeight, FormatWeight));
    out.Attribute("OFFSET" + w.Triple(valve.dx, valve.dy, valve.dz, FormatDimension));
  }
  if (valve.thicknessMultiplier != 0.0f) out.Attribute("THKF=" + w.Fixed(valve.thicknessMultiplier, 10, 4));
  if (valve.insulationWeightMultiplier != 0.0f)
    out.Attribute("INSF=" + w.Fixed(valve.insulationWeightMultiplier, 10, 4));
  if (valve.length != 0.0f) w.LeftOut("the valve length has no batch keyword and was not written", {"valve length"});
}

void WriteReducer(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& reducer = static_cast<const Reducer&>(*row.element);
  out.main += ",JD";
  out.Attribute("OD1=" + w.Num(reducer.od1, FormatDimension));
  out.Attribute("THK1=" + w.Num(reducer.thk1, FormatDimension));
  out.Attribute("OD2=" + w.Num(reducer.od2, FormatDimension));
  out.Attribute("THK2=" + w.Num(reducer.thk2, FormatDimension));
  if (reducer.coneAngle != 0.0f) out.Attribute("CONE=" + w.Num(reducer.coneAngle, FormatDegrees));
}

void WriteRigid(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& rigid = static_cast<const RigidElement&>(*row.element);
  out.main += ",JR";
  if (rigid.weight != 0.0f) out.Attribute("WGT=" + w.Num(rigid.weight, FormatWeight));
}

void WriteElastic(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& e = static_cast<const ElasticElement&>(*row.element);
  out.main += ",JL";
  if (AnyNonZero(e.kx, e.ky, e.kz)) out.Attribute("TRAK" + w.Triple(e.kx, e.ky, e.kz, FormatStiffnessOrRigid));
  if (AnyNonZero(e.kxx, e.kyy, e.kzz))
    out.Attribute("ROTK" + w.Triple(e.kxx, e.kyy, e.kzz, FormatRotStiffnessOrRigid));
  if (AnyNonZero(e.localX[0], e.localX[1], e.localX[2]))
    out.Attribute("LXAX" + w.Direction(e.localX[0], e.localX[1], e.localX[2]));
  if (AnyNonZero(e.localY[0], e.localY[1], e.localY[2]))
    out.Attribute("LYAX" + w.Direction(e.localY[0], e.localY[1], e.localY[2]));
}

void WriteCutPipe(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& cut = static_cast<const CutPipe&>(*row.element);
  out.main += ",JC";
  out.Attribute((cut.cut < 0.0f ? "LONG=" : "SHORT=") + w.Num(std::fabs(cut.cut), FormatDimension));
}

void WriteBeam(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& beam = static_cast<const Beam&>(*row.element);
  out.main += ",JM";
  if (!row.material.empty())
    NameAttribute(w, "MAT=", NameTable::kBeamMaterial, row.material, "beam material", "beam material", out);
  if (!row.section.empty())
    NameAttribute(w, "SEC=", NameTable::kBeamSection, row.section, "beam section", "beam section", out);
  if (!row.load.empty()) NameAttribute(w, "LOAD=", NameTable::kBeamLoad, row.load, "beam load", "beam load", out);
  if (beam.beta != 0.0f) out.Attribute("BETA=" + w.Num(beam.beta, FormatDegrees));
}

void WriteHydrotest(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& load = static_cast<const HydrotestLoad&>(*row.element);
  if (load.specificGravity != 0.0f) out.Attribute("HSG=" + w.ThreeDecimals(load.specificGravity));
  if (load.pressure > kExplicitZero) out.Attribute("HPRES=" + w.Num(load.pressure, FormatPressure));
}

// --- LAYOUT: expansion joints and tie rods ------------------------------------------------

constexpr float kRigidBending = 1.0e12f;  // the reader's bellows bending stiffness unless BK
constexpr float kNoneLimit = 5.0e29f;     // a rotation limit at or above it is none

std::string LimitText(Writer& w, float limit) {
  return limit >= kNoneLimit ? std::string("NONE") : w.Num(limit, FormatAngle);
}

void JointWeight(Writer& w, float weight, RowText& out) {
  if (weight != 0.0f) out.Attribute("WGT=" + w.Num(weight, FormatWeight));
}

void WriteBellows(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& b = static_cast<const Bellows&>(*row.element);
  out.main += ",JE";
  if (AnyNonZero(b.axialStiffness, b.lateralStiffness, b.torsionalStiffness)) {
    // The reader takes a stiffness below 1 as 1.
    if (b.axialStiffness < 1.0f || b.lateralStiffness < 1.0f || b.torsionalStiffness < 1.0f)
      w.LeftOut("a bellows stiffness below 1 reads back as 1",
                {"axial stiffness", "lateral stiffness", "torsional stiffness"});
    out.Attribute("ES(" + w.Num(b.axialStiffness, FormatStiffnessOrRigid) + "," +
                  w.Num(b.lateralStiffness, FormatStiffnessOrRigid) + "," +
                  w.Num(b.torsionalStiffness, FormatRotStiffnessOrRigid) + ")");
  }
  if (b.bendingStiffness != kRigidBending) out.Attribute("BK=" + w.Num(b.bendingStiffness, FormatRotStiffnessOrRigid));
  if (b.pressureThrustArea != 0.0f) out.Attribute("TA=" + w.Num(b.pressureThrustArea, FormatArea));
  JointWeight(w, b.weight, out);
  if (b.meanDiameter != 0.0f)
    w.LeftOut("the bellows mean diameter has no batch keyword and was not written", {"mean diameter"});
}

void WriteSlipJoint(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& j = static_cast<const SlipJoint&>(*row.element);
  out.main += ",JS";
  if (j.frictionForce != 0.0f) out.Attribute("FFOR=" + w.Num(j.frictionForce, FormatForceTrim));
  if (j.frictionTorque != 0.0f) out.Attribute("FTOR=" + w.Num(j.frictionTorque, FormatMomentTrim));
  if (j.pressureThrustArea != 0.0f) out.Attribute("TA=" + w.Num(j.pressureThrustArea, FormatArea));
  JointWeight(w, j.weight, out);
}

void WriteHingeJoint(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& h = static_cast<const HingeJoint&>(*row.element);
  out.main += ",KH";
  out.Attribute("HS=" + w.Num(h.stiffness, FormatRotStiffnessOrRigid));
  if (h.rotationLimit < kNoneLimit) out.Attribute("RLIM=" + LimitText(w, h.rotationLimit));
  if (h.frictionTorque != 0.0f) out.Attribute("FTOR=" + w.Num(h.frictionTorque, FormatMomentTrim));
  JointWeight(w, h.weight, out);
  if (AnyNonZero(h.axis[0], h.axis[1], h.axis[2])) out.Attribute("DV" + w.Direction(h.axis[0], h.axis[1], h.axis[2]));
}

void WriteBallJoint(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& b = static_cast<const BallJoint&>(*row.element);
  out.main += ",JB";
  out.Attribute("RK(" + w.Num(b.bendingStiffness, FormatRotStiffnessOrRigid) + "," +
                w.Num(b.torsionalStiffness, FormatRotStiffnessOrRigid) + ")");
  if (b.bendingRotationLimit < kNoneLimit || b.torsionalRotationLimit < kNoneLimit)
    out.Attribute("ROTL(" + LimitText(w, b.bendingRotationLimit) + "," + LimitText(w, b.torsionalRotationLimit) + ")");
  if (b.bendingFrictionTorque != 0.0f || b.torsionalFrictionTorque != 0.0f)
    out.Attribute("FRCT(" + w.Num(b.bendingFrictionTorque, FormatMomentTrim) + "," +
                  w.Num(b.torsionalFrictionTorque, FormatMomentTrim) + ")");
  JointWeight(w, b.weight, out);
}

void WriteTieRod(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& t = static_cast<const TieRod&>(*row.element);
  out.main += ",JT";
  out.Attribute("KTIE(" + w.Num(t.tensionStiffness, FormatStiffnessOrRigid) + "," +
                w.Num(t.compressionStiffness, FormatStiffnessOrRigid) + ")");
  if (t.tensionGap != 0.0f || t.compressionGap != 0.0f)
    out.Attribute("GAP(" + w.Num(t.tensionGap, FormatDimension) + "," + w.Num(t.compressionGap, FormatDimension) + ")");
}

void WriteNothing(Writer&, const LayoutRow&, RowText&) {}

// Why the reader would refuse a row of this kind as it stands (a record the
// dialogs never leave, or one from an old file); empty when it reads back.
std::string ElementRefusal(const Model& model, const LayoutRow& row, const std::string& core) {
  switch (row.elementType) {
    case ElementType::Reducer: {
      const auto& r = static_cast<const Reducer&>(*row.element);
      if (!(r.od1 > 0.0f && r.thk1 > 0.0f && r.od2 > 0.0f && r.thk2 > 0.0f) || r.thk1 > 0.5f * r.od1 ||
          r.thk2 > 0.5f * r.od2)
        return "the reducer's end diameters and walls are incomplete";
      return {};
    }
    case ElementType::JacketedPipe:
    case ElementType::JacketedBend: {
      const auto* pipe = dynamic_cast<const JacketedPipe*>(row.element.get());
      const auto* bend = dynamic_cast<const JacketedBend*>(row.element.get());
      if (pipe == nullptr && bend == nullptr) return {};
      const std::string& material = pipe != nullptr ? pipe->jacketMaterial : bend->jacketMaterial;
      const std::string& jacket = pipe != nullptr ? pipe->jacketSection : bend->jacketSection;
      const std::string& load = pipe != nullptr ? pipe->jacketLoad : bend->jacketLoad;
      // The reader requires all three, of records the file holds.
      if (FindRecordByName(model.materials, material) == 0 || FindRecordByName(model.sections, jacket) == 0 ||
          FindRecordByName(model.pipeLoads, load) == 0)
        return "the jacket's material, section or load is not named, or not in the model";
      const float bendWall = bend != nullptr ? bend->jacketThickness : 0.0f;
      return JacketClearsCore(model, jacket, core, bendWall) ? std::string()
                                                             : "the jacket's section does not clear the core's";
    }
    case ElementType::Elastic: {
      const auto& e = static_cast<const ElasticElement&>(*row.element);
      // The reader takes the global axis for an axis not written.
      const float globalX[3] = {1.0f, 0.0f, 0.0f}, globalY[3] = {0.0f, 1.0f, 0.0f};
      const float* x = AnyNonZero(e.localX[0], e.localX[1], e.localX[2]) ? e.localX : globalX;
      const float* y = AnyNonZero(e.localY[0], e.localY[1], e.localY[2]) ? e.localY : globalY;
      return BatchAxesPerpendicular(x, y) ? std::string() : "the elastic element's axes are not square";
    }
    case ElementType::CutPipe:
      return static_cast<const CutPipe&>(*row.element).cut == 0.0f ? "the cut pipe has no cut" : std::string();
    case ElementType::Miter:
      return static_cast<const MiterBend&>(*row.element).radius < kSmallestUserRadius ? "the miter has no radius"
                                                                                      : std::string();
    case ElementType::TieRod: {
      const auto& t = static_cast<const TieRod&>(*row.element);
      return !(t.tensionStiffness > 0.0f || t.compressionStiffness > 0.0f) ? "the tie rod has no stiffness"
                                                                           : std::string();
    }
    default: return {};
  }
}

struct ElementEntry {
  ElementType type;
  ElementWriter write;
};
// The element kinds the reader takes. A kind joins the file by a line here.
constexpr ElementEntry kElementWriters[] = {
    {ElementType::From, WriteNothing},          {ElementType::Location, WriteNothing},
    {ElementType::Pipe, WriteNothing},          {ElementType::Comment, WriteNothing},
    {ElementType::Bend, WriteBend},             {ElementType::Miter, WriteMiter},
    {ElementType::JacketedPipe, WriteJacketedPipe}, {ElementType::JacketedBend, WriteJacketedBend},
    {ElementType::Valve, WriteValve},           {ElementType::Reducer, WriteReducer},
    {ElementType::Rigid, WriteRigid},           {ElementType::Elastic, WriteElastic},
    {ElementType::CutPipe, WriteCutPipe},       {ElementType::Beam, WriteBeam},
    {ElementType::HydrotestLoad, WriteHydrotest},
    {ElementType::Bellows, WriteBellows},       {ElementType::SlipJoint, WriteSlipJoint},
    {ElementType::HingeJoint, WriteHingeJoint}, {ElementType::BallJoint, WriteBallJoint},
    {ElementType::TieRod, WriteTieRod},
};

const ElementEntry* FindElementWriter(ElementType type) {
  for (const ElementEntry& entry : kElementWriters)
    if (entry.type == type) return &entry;
  return nullptr;
}

// --- LAYOUT: the rows ----------------------------------------------------------------

std::string KindName(ElementType type) { return ElementTypeMessageName(type); }

// The names in force in the LAYOUT section, as the reader keeps them, and
// whether the model's spectrum load still waits for a line to carry it.
struct NamesInForce {
  std::string material, section, load;
  // The section the reader has in force: the last one a line wrote.
  std::string sectionInFile;
  bool spectrumPending = false;
  bool ambientPending = false;
  // Per pipe section, in the order met: the long- and short-radius bends
  // that read back as bends of user radius.
  std::vector<std::pair<std::string, std::array<int, 2>>> bendsOfUserRadius;
};

// A long or short bend is written with its radius, which the reader gives
// back that kind only when it is the standard radius of the row's section
// as the file carries it (Non Std, without its nominal size): any other is
// counted for its section.
void NoteBendRadiusKind(Writer& w, const Bend& bend, float least, NamesInForce& names) {
  const Model& model = w.model();
  if (bend.radiusType == kBendRadiusUser || bend.radius < least) return;
  const int record = FindSectionByName(model.sections, names.section);
  if (BatchBendRadiusKindAsRead(record == 0 ? nullptr : &model.sections[record], bend.radius) == bend.radiusType)
    return;
  w.Named("bend radius kind");
  auto& list = names.bendsOfUserRadius;
  auto at = std::find_if(list.begin(), list.end(),
                         [&names](const auto& entry) { return entry.first == names.section; });
  if (at == list.end()) at = list.insert(list.end(), {names.section, {0, 0}});
  ++at->second[bend.radiusType == kBendRadiusShort ? 1 : 0];
}

void ListBendsOfUserRadius(Writer& w, const NamesInForce& names) {
  for (const auto& [section, counts] : names.bendsOfUserRadius) {
    const bool one = counts[0] + counts[1] == 1;
    std::string bends = "its ";
    if (counts[0] > 0) bends += (one ? "" : std::to_string(counts[0]) + " ") + "long-radius";
    if (counts[1] > 0)
      bends += (counts[0] > 0 ? " and " : "") + (one ? "" : std::to_string(counts[1]) + " ") + "short-radius";
    w.At("Pipe section " + section);
    w.LeftOut(bends + (one ? " bend reads back as a bend" : " bends read back as bends") +
              " of user radius, with the same radius: the batch file gives the section back as Non Std, whose "
              "standard radius is another");
  }
  w.At("");
}

// The reader starts from the program's default reference temperature (70 F
// unless the user's default options say otherwise) and takes AMB from any
// line: AMB is written unless the model's value is the one a reader starts
// from anyway.
bool AmbientToWrite(const Model& model) {
  const float reference = model.options.ReferenceTemperature;
  return reference != AnalysisOptions{}.ReferenceTemperature ||
         reference != ProgramAnalysisOptions().ReferenceTemperature;
}

// AMB= of the model's reference temperature.
void AmbientAttribute(Writer& w, RowText& out) {
  out.Attribute("AMB=" + w.Temperature(w.model().options.ReferenceTemperature));
}

// A spectrum name the reader gives back as it is: upper case, no blank,
// comma or parenthesis, at most 32 characters.
bool IsBatchSpectrumName(const std::string& name) {
  if (name.empty() || name.size() > 32) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u > ' ' && u < 0x7F && c != ',' && c != '(' && c != ')' && c != '=' && !(c >= 'a' && c <= 'z');
  });
}

// SPECX=, FACX= ... of the model's spectrum load, on the first line that
// can take attributes.
void SpectrumLoadAttributes(Writer& w, RowText& out) {
  static constexpr const char* kAxes[3] = {"X", "Y", "Z"};
  const SpectrumLoad& load = w.model().spectrumLoad;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const std::string& name = load.name[axis];
    if (name.empty()) continue;
    if (!IsBatchSpectrumName(name)) {
      w.LeftOut("the " + std::string(kAxes[axis]) + " spectrum of the spectrum load, " + name +
                ", has a name the batch file cannot carry; it was not written");
      continue;
    }
    out.Attribute("SPEC" + std::string(kAxes[axis]) + "=" + name);
    out.Attribute("FAC" + std::string(kAxes[axis]) + "=" + w.Fixed(load.factor[axis], 10, 4));
  }
}

void WriteLayoutRow(Writer& w, const LayoutRow& row, int number, NamesInForce& names) {
  using Part = BatchFileRecords::Part;
  w.At("Row " + std::to_string(number));
  RowText out;
  ElementType type = row.elementType;
  const ElementEntry* element = FindElementWriter(type);
  if (element == nullptr) {
    w.LeftOut(KindName(type) + " was written as a pipe (the batch file does not carry it yet)", {"element kind"});
    type = ElementType::Pipe;
  } else if (const std::string refusal = ElementRefusal(
                 w.model(), row,
                 FindRecordByName(w.model().sections, row.section) != 0 ? row.section : names.sectionInFile);
             !refusal.empty()) {
    w.LeftOut(refusal + "; the row was written as a pipe", {"element kind"});
    type = ElementType::Pipe;
    element = FindElementWriter(type);
  }
  if (type == ElementType::Comment) {
    const auto* comment = dynamic_cast<const CommentData*>(row.element.get());
    w.RowLine("*" + WithoutControls(comment != nullptr ? comment->Text() : std::string()), number);
    return;
  }
  switch (type) {
    case ElementType::From: out.main = "F"; break;
    case ElementType::Location: out.main = "L"; break;
    case ElementType::HydrotestLoad: out.main = "H"; break;
    default: out.main = "T"; break;
  }
  if (type != ElementType::HydrotestLoad) out.main += NodeText(row.node);
  if (row.absolute) out.main += "*";
  // A bend row's node is off the pipe, a hinge's K code and axis leave no
  // room for an item's, and an element's own WGT, OFFSET or TRAK would be
  // taken for a flange's, a mass's or an anchor's: such an item goes on a
  // Location line of its own, which the reader takes.
  const bool bend = IsBendElementType(type) || BatchItemNeedsOwnLine(type, row.dataType);
  const bool item = row.dataType != DataType::None && row.item != nullptr;
  RowText itemText;
  bool itemWritten = false;
  if (item && !bend) {
    itemWritten = WriteItem(w, row, itemText);
    // A Location row is there for its item: without it the line would read
    // back as an empty row.
    if (!itemWritten && type == ElementType::Location) return;
    out.main += itemText.main;
  }
  // The pipe load in force first: "L=" where it changes.
  if (type != ElementType::Beam && ElementTypeHasProperties(type) && !row.load.empty() && row.load != names.load) {
    names.load = row.load;
    if (const auto load = Reference(w, NameTable::kPipeLoad, row.load, "pipe load", "pipe load"))
      out.Attribute("L=" + *load);
  }
  if (element != nullptr && type != ElementType::Beam) element->write(w, row, out);
  if (type == ElementType::Beam) {
    out.main += ",JM";
  } else if (ElementTypeHasProperties(type)) {
    if (!row.material.empty() && row.material != names.material) {
      names.material = row.material;
      if (const auto material = Reference(w, NameTable::kMaterial, row.material, "material", "material"))
        out.main += ",M" + *material;
    }
    if (!row.section.empty() && row.section != names.section) {
      names.section = row.section;
      if (const auto section = Reference(w, NameTable::kSection, row.section, "pipe section", "pipe section")) {
        out.main += ",P" + *section;
        names.sectionInFile = row.section;
      }
    }
    if (type == ElementType::Bend || type == ElementType::JacketedBend)
      NoteBendRadiusKind(w, static_cast<const Bend&>(*row.element),
                         type == ElementType::Bend ? kSmallestBendRadius : kSmallestUserRadius, names);
  }
  if (row.dx != 0.0f) out.main += ",X" + w.Num(row.dx, FormatLength);
  if (row.dy != 0.0f) out.main += ",Y" + w.Num(row.dy, FormatLength);
  if (row.dz != 0.0f) out.main += ",Z" + w.Num(row.dz, FormatLength);
  if (names.ambientPending && type != ElementType::HydrotestLoad) {
    names.ambientPending = false;
    AmbientAttribute(w, out);
  }
  if (names.spectrumPending && type != ElementType::HydrotestLoad) {
    names.spectrumPending = false;
    SpectrumLoadAttributes(w, out);
  }
  if (type == ElementType::Beam) {
    RowText beam;
    WriteBeam(w, row, beam);
    out.attributes += beam.attributes;
  }
  if (itemWritten) {
    if (out.attributes.empty())
      out.attributes = itemText.attributes;
    else if (!itemText.attributes.empty())
      out.attributes += "," + itemText.attributes.substr(2);
  }
  // The reader gives the item of a Location line of its own to the row
  // before it, except a bend's, whose Location line is a row of its own.
  const bool itemRow = item && bend && !BatchItemNeedsOwnLine(type, row.dataType);
  w.RowLine(out.main + out.attributes, number, itemRow ? Part::kElement : Part::kWhole);
  if (item && bend) {
    RowText location;
    location.main = "L" + NodeText(row.node);
    if (WriteItem(w, row, location)) {
      if (itemRow)
        w.RowLine(location.main + location.attributes, number, Part::kItem);
      else
        w.Line(location.main + location.attributes);
    }
  }
}

// Whether row 1 is the comment the reader makes of the title line.
bool IsTitleRow(const Model& model) {
  if (model.rowCount < 1 || model.row(1).elementType != ElementType::Comment) return false;
  const auto* comment = dynamic_cast<const CommentData*>(model.row(1).element.get());
  return comment != nullptr && comment->Text() == "Title = " + model.title;
}

}  // namespace

// The rows, one line each (an item that cannot share its row's line on a
// line of its own). The reader makes row 1 the title's comment when the
// file's first line holds a title (`titleRow`): a model whose row 1 is
// that comment leaves it to the title, any other row 1 is written as the
// others are, and reads back as row 2 (the list names rows that move). A
// blank title gives no row, so every row is written.
void WriteLayout(Writer& w, bool titleRow) {
  w.Line("LAYOUT");
  const Model& model = w.model();
  NamesInForce names;
  const auto& spectra = model.spectrumLoad.name;
  names.spectrumPending = !spectra[0].empty() || !spectra[1].empty() || !spectra[2].empty();
  names.ambientPending = AmbientToWrite(model);
  const bool leftToTitle = titleRow && IsTitleRow(model);
  if (titleRow) w.records.rows.emplace_back(leftToTitle ? 1 : 0, BatchFileRecords::Part::kWhole);
  for (int number = leftToTitle ? 2 : 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (row.elementType == ElementType::None) continue;
    WriteLayoutRow(w, row, number, names);
  }
  if (names.spectrumPending) {
    w.At("Spectrum load");
    w.LeftOut("the model has no row to carry it; it was not written");
  }
  if (names.ambientPending) {
    w.At("Reference temperature");
    w.LeftOut("the model has no row to carry it; it was not written");
    w.At("Analysis options");
    w.Named("reference temperature");
  }
  ListBendsOfUserRadius(w, names);
  w.At("");
}

}  // namespace batch_export
