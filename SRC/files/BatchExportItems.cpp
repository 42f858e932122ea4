// The data items of the LAYOUT section of the model batch file writer (see
// BatchExport.h): one writer per item kind the reader takes, which gives the
// item's code and attributes to its row's line, and the checks that name an
// item the reader would refuse instead of writing it. The rows' lines are
// BatchExportLayout.cpp's.
#include <algorithm>
#include <string>

#include "elements/BranchSif.h"
#include "elements/ConcentratedMass.h"
#include "elements/Flange.h"
#include "elements/UserSif.h"
#include "elements/Weld.h"
#include "files/BatchExportWriter.h"
#include "loads/Force.h"
#include "loads/HarmonicLoad.h"
#include "model/RowObjects.h"
#include "services/NameTables.h"
#include "supports/Anchor.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/NozzleDialog.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace batch_export {
namespace {

// --- LAYOUT: data items --------------------------------------------------------------

constexpr float kRigid = 1.0e12f;
constexpr float kNoLimit = 1.0e29f;

using ItemWriter = void (*)(Writer& w, const LayoutRow& row, RowText& out);

// The values of a set of specified displacements, which a line named.
void NameDisplacements(Writer& w, int slot) {
  for (int component = 0; component < 6; ++component) w.Named(DisplacementFieldName(slot, component));
}

void WriteAnchor(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& anchor = static_cast<const Anchor&>(*row.item);
  const auto& k = anchor.stiffness;
  if (k[0] < kRigid || k[1] < kRigid || k[2] < kRigid)
    out.Attribute("TRAK" + w.Triple(k[0], k[1], k[2], FormatStiffnessOrRigid));
  if (k[3] < kRigid || k[4] < kRigid || k[5] < kRigid)
    out.Attribute("ROTK" + w.Triple(k[3], k[4], k[5], FormatRotStiffnessOrRigid));
  struct SetWords {
    int slot;
    const char* displacement;
    const char* rotation;
  };
  static constexpr SetWords kSets[] = {{0, "DIS", "ROT"},
                                       {1, "DIS2", "ROT2"},
                                       {2, "DIS3", "ROT3"},
                                       {kSeismicSlot, "SEIS", "SERO"},
                                       {kSettlementSlot, "SETT", "STRO"}};
  const SpecifiedDisplacements& d = anchor.displacements;
  if (d.sets) {
    const auto& v = d.sets->values;
    for (const SetWords& set : kSets) {
      if (d.flags[static_cast<std::size_t>(set.slot)] == 0) continue;
      const std::size_t first = static_cast<std::size_t>(6 * set.slot + 1);
      // Every set switched on is written, a zero one included: the set's
      // flag is what the analysis looks at.
      if (AnyNonZero(v[first], v[first + 1], v[first + 2]) ||
          !AnyNonZero(v[first + 3], v[first + 4], v[first + 5]))
        out.Attribute(std::string(set.displacement) +
                      w.Triple(v[first], v[first + 1], v[first + 2], FormatDisplacement));
      if (AnyNonZero(v[first + 3], v[first + 4], v[first + 5]))
        out.Attribute(std::string(set.rotation) + w.Triple(v[first + 3], v[first + 4], v[first + 5], FormatDegrees));
    }
    for (int slot = 3; slot < kSeismicSlot; ++slot)
      if (d.flags[static_cast<std::size_t>(slot)] != 0) {
        w.LeftOut("specified displacement set " + std::to_string(slot + 1) + " was not written",
                  {"specified displacement sets"});
        NameDisplacements(w, slot);
      }
  }
  const auto& r = anchor.releases;
  if (r[0] && r[1] && r[2] && r[3] && r[4] && r[5]) {
    out.Attribute("FREE");
  } else {
    static constexpr const char* kFree[6] = {"FREEX", "FREEY", "FREEZ", "FREEXX", "FREEYY", "FREEZZ"};
    for (std::size_t i = 0; i < 6; ++i)
      if (r[i]) out.Attribute(kFree[i]);
  }
  if (anchor.AnchorInPipeLcs != 0 || anchor.DisplacementsInPipeLcs != 0)
    w.LeftOut("the anchor's pipe axes have no batch keyword; its values were written as global",
              {"stiffnesses in pipe axes", "displacements in pipe axes"});
  if (!anchor.tag.empty()) w.LeftOut("the anchor tag was not written", {"tag"});
}

void WriteRestraint(Writer&, const LayoutRow& row, RowText& out) {
  const auto& r = static_cast<const Restraint&>(*row.item);
  out.Attribute(std::string("FIXD(") + (r.restrainX ? "1" : "0") + "," + (r.restrainY ? "1" : "0") + "," +
                (r.restrainZ ? "1" : "0") + ")");
}

void WriteSkewedRestraint(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& r = static_cast<const SkewedRestraint&>(*row.item);
  if (r.rotational != 0)
    out.Attribute("KR=" + w.Num(r.stiffness, FormatRotStiffnessOrRigid));
  else
    out.Attribute("K=" + w.Num(r.stiffness, FormatStiffnessOrRigid));
  out.Attribute("DV" + w.Direction(r.dirX, r.dirY, r.dirZ));
  if (r.connectedNode != 0) out.Attribute("CNOD=" + NodeText(r.connectedNode));
}

// A friction below 0 (files of older versions hold them) is none: the
// reader refuses a negative MU, and the importers keep no friction for it.
std::string FrictionText(Writer& w, float friction) {
  if (friction > 0.0f) return ",MU=" + w.Fixed(friction, 10, 3);
  if (friction < 0.0f)
    w.LeftOut("the negative friction coefficient was not written; it reads back as no friction",
              {"friction coefficient"});
  return {};
}

void WriteGuide(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& g = static_cast<const Guide&>(*row.item);
  std::string text = "G";
  text += FrictionText(w, g.frictionCoefficient);
  if (g.stiffness != 0.0f) text += ",STIFF=" + w.Num(g.stiffness, FormatStiffnessOrRigid);
  if (g.gap != 0.0f) text += ",GGAP=" + w.Num(g.gap, FormatDisplacement);
  if (g.connectedNode != 0) text += ",CNOD=" + NodeText(g.connectedNode);
  out.Attribute(text);
}

void WriteLimitStop(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& s = static_cast<const LimitStop&>(*row.item);
  const bool lower = s.lowerLimit >= -kNoLimit;
  const bool upper = s.upperLimit <= kNoLimit;
  std::string text = "LS(" + (lower ? w.Num(s.lowerLimit, FormatDisplacement) : std::string("None")) + "," +
                     (upper ? w.Num(s.upperLimit, FormatDisplacement) : std::string("None")) + ")";
  if (s.connectedNode == 0) text += ",DV" + w.Direction(s.dirX, s.dirY, s.dirZ);
  text += FrictionText(w, s.frictionCoefficient);
  if (s.stiffness != 0.0f) text += ",STIFF=" + w.Num(s.stiffness, FormatStiffnessOrRigid);
  if (s.connectedNode != 0) text += ",CNOD=" + NodeText(s.connectedNode);
  out.Attribute(text);
}

void WriteSnubber(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& s = static_cast<const Snubber&>(*row.item);
  std::string text = "SNUBBER";
  if (s.stiffness != 0.0f) text += ",STIFF=" + w.Num(s.stiffness, FormatStiffnessOrRigid);
  if (AnyNonZero(s.dirX, s.dirY, s.dirZ)) text += ",DV" + w.Direction(s.dirX, s.dirY, s.dirZ);
  out.Attribute(text);
}

void WriteBranchSif(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& sif = static_cast<const BranchSif&>(*row.item);
  switch (sif.type) {
    // KF is the unreinforced tee unless a pad makes it the reinforced one.
    case 2:
      if (sif.dimension1 > 0.0f)
        out.Attribute("PAD=" + w.Num(sif.dimension1, FormatDimension));
      else
        w.LeftOut(
            "the reinforced tee has no pad thickness, without which the batch file cannot tell it from an "
            "unreinforced tee; it reads back as an unreinforced tee",
            {"branch type"});
      break;
    // The B31.1 and B31.9 extruded tee keeps no crotch radius, and the
    // reader refuses CRTCH=0; a branch connection may have no radius.
    case 4:
      if (sif.dimension1 > 0.0f) out.Attribute("CRTCH=" + w.Num(sif.dimension1, FormatDimension));
      break;
    case 7:
      out.Attribute("R=" + w.Num(sif.dimension1, FormatDimension));
      out.Attribute("THK=" + w.Num(sif.dimension2, FormatDimension));
      break;
    case 8:
      out.Attribute("THK=" + w.Num(sif.dimension1, FormatDimension));
      out.Attribute("LEN=" + w.Num(sif.dimension2, FormatDimension));
      break;
    case 9:
      if (sif.dimension1 > 0.0f) out.Attribute("R=" + w.Num(sif.dimension1, FormatDimension));
      break;
    default: break;
  }
  if (sif.flanges != 0) w.LeftOut("the branch's flanged ends were not written", {"flanged ends"});
}

void WriteForce(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& f = static_cast<const NodalForce&>(*row.item);
  const bool forces = AnyNonZero(f.FX, f.FY, f.FZ);
  const bool moments = AnyNonZero(f.MX, f.MY, f.MZ);
  // A force of nothing at all still is a force item.
  if (forces || !moments) out.Attribute("FOR" + w.Triple(f.FX, f.FY, f.FZ, FormatForceTrim));
  if (moments) out.Attribute("MOM" + w.Triple(f.MX, f.MY, f.MZ, FormatMomentTrim));
}

void WriteHarmonicLoad(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& h = static_cast<const HarmonicLoad&>(*row.item);
  std::string text = "FRE=" + w.Fixed(h.Frequency, 10, 3);
  if (h.Phase != 0.0f) text += ",PH=" + w.Num(h.Phase, FormatDegrees);
  text += ",FOR" + w.Triple(h.FX, h.FY, h.FZ, FormatForceTrim);
  out.Attribute(text);
}

void WriteSpider(Writer&, const LayoutRow&, RowText& out) { out.Attribute("SPIDER"); }
void WriteJacketEndCap(Writer&, const LayoutRow&, RowText& out) { out.Attribute("JCAP"); }
void WriteThreadedJoint(Writer&, const LayoutRow&, RowText& out) { out.Attribute("TJOINT"); }

std::string HangerCountText(const char* word, std::int32_t count) {
  return std::string(word) + "=" + std::to_string(count);
}

void WriteHanger(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& h = static_cast<const Hanger&>(*row.item);
  if (h.kind == kUserHanger) {
    out.Attribute("US(" + std::to_string(h.numberOfHangers) + "," + w.Num(h.springRate, FormatStiffnessOrRigid) + "," +
                  w.Num(h.load, FormatForceTrim) + ")");
    if (h.loadType != 0) out.Attribute("CLD=" + std::to_string(h.loadType));
  } else if (h.kind == kRodHanger) {
    out.Attribute(HangerCountText("RH", h.numberOfHangers));
  } else if (h.kind == kConstantSupport) {
    out.Attribute(HangerCountText("CS", h.numberOfHangers));
  } else {
    // VS gives the count, HTYP after it the catalogue.
    out.Attribute(HangerCountText("VS", h.numberOfHangers));
    out.Attribute("HTYP=" + std::to_string(h.kind));
  }
  if (IsDesignedHanger(h.kind)) {
    if (h.shortRange != 0) out.Attribute("SR");
    if (h.maximumLoadVariation != 25) out.Attribute("MLV=" + std::to_string(h.maximumLoadVariation));
  }
  if (h.connectedNode != 0) out.Attribute("CNOD=" + NodeText(h.connectedNode));
  if (h.above == 0) w.LeftOut("the hanger below the pipe has no batch keyword; it reads back as above", {"above flag"});
  if (!h.tag.empty()) w.LeftOut("the hanger tag was not written", {"tag"});
}

void WriteNozzle(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& n = static_cast<const Nozzle&>(*row.item);
  out.Attribute(n.flatBottom != 0 ? "NOZZLE=650" : "NOZZLE=297");
  if (n.flatBottom != 0 && n.reinforcingPad != 0) out.Attribute("RPAD=1");
  out.Attribute("NOD=" + w.Num(n.nozzleOd, FormatDimension));
  out.Attribute("NTHK=" + w.Num(n.nozzleThickness, FormatDimension));
  out.Attribute("VOD=" + w.Num(n.vesselOd, FormatDimension));
  out.Attribute("VTHK=" + w.Num(n.vesselThickness, FormatDimension));
  if (n.l1 != 0.0f) out.Attribute("L1=" + w.Num(n.l1, FormatLength));
  // The reader gives L2 to a cylindrical vessel's nozzle only.
  if (n.l2 != 0.0f && n.flatBottom == 0)
    out.Attribute("L2=" + w.Num(n.l2, FormatLength));
  else if (n.l2 != 0.0f)
    w.LeftOut(
        "the flat-bottom tank nozzle's L2 was not written (the batch file gives L2 to a cylindrical vessel's "
        "nozzle only)",
        {"L2"});
  if (n.elasticModulus != 0.0f) out.Attribute("E=" + w.Num(n.elasticModulus, FormatModulus));
  const auto& axis = n.vesselAxis;
  if (AnyNonZero(axis[0], axis[1], axis[2])) out.Attribute("DV" + w.Direction(axis[0], axis[1], axis[2]));
  if (!n.tag.empty()) w.LeftOut("the nozzle tag was not written", {"tag"});
  if (std::any_of(n.displacements.flags.begin(), n.displacements.flags.end(), [](auto flag) { return flag != 0; })) {
    w.LeftOut("the nozzle's specified displacements have no batch keyword and were not written",
              {"specified displacement sets"});
    for (int slot = 0; slot < kDisplacementSlots; ++slot) NameDisplacements(w, slot);
  }
}

void WriteFlange(Writer& w, const LayoutRow& row, RowText& out) {
  static constexpr const char* kCodes[] = {"WN", "DW", "SO", "FW", "SW", "LJ", "TH"};
  const auto& f = static_cast<const Flange&>(*row.item);
  const bool typed = f.type >= 1 && f.type <= 7;
  if (!typed) w.LeftOut("the flange has no type; it reads back as a weld neck flange", {"flange type"});
  out.Attribute(std::string("FLANGE=") + kCodes[typed ? f.type - 1 : 0]);
  if (f.weight != 0.0f) out.Attribute("WGT=" + w.Num(f.weight, FormatWeight));
  if (f.gasketDiameter != 0.0f) out.Attribute("GDIA=" + w.Num(f.gasketDiameter, FormatDimension));
  if (f.allowablePressure != 0.0f) out.Attribute("AP=" + w.Num(f.allowablePressure, FormatPressure));
}

void WriteUserSif(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& s = static_cast<const UserSif&>(*row.item);
  if (s.inPlaneSif == s.outPlaneSif)
    out.Attribute("SIF=" + w.Fixed(s.inPlaneSif, 10, 3));
  else
    out.Attribute("SIF(" + w.Fixed(s.inPlaneSif, 10, 3) + "," + w.Fixed(s.outPlaneSif, 10, 3) + ")");
  if (s.axialSif != 0.0f || s.torsionSif != 0.0f)
    w.LeftOut("the axial and torsional SIFs have no batch keyword and were not written",
              {"axial SIF", "torsional SIF"});
}

void WriteWeld(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& weld = static_cast<const Weld&>(*row.item);
  out.Attribute("WTYPE=" + std::to_string(weld.type));
  if ((weld.type == 1 || weld.type == 4) && weld.mismatch != 0.0f)
    out.Attribute("DELTA=" + w.Num(weld.mismatch, FormatDimension));
}

void WriteConcentratedMass(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& m = static_cast<const ConcentratedMass&>(*row.item);
  out.Attribute("CWGT=" + w.Num(m.weight, FormatWeight));
  if (AnyNonZero(m.dx, m.dy, m.dz)) out.Attribute("OFFSET" + w.Triple(m.dx, m.dy, m.dz, FormatDimension));
}

// The branch dimensions the reader takes: at least 0.001 inch where given,
// and the two of a radiused branch or a branch on thickened pipe required.
constexpr float kSmallestBranchDimension = 0.001f;  // inch

std::string BranchSifRefusal(const BranchSif& sif) {
  const auto given = [](float value) { return value >= kSmallestBranchDimension; };
  switch (sif.type) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6: return {};
    case 7:
      return given(sif.dimension1) && given(sif.dimension2)
                 ? std::string()
                 : "the radiused branch's fillet radius or wall thickness is below 0.001 inch, which the batch file "
                   "refuses";
    case 8:
      return given(sif.dimension1) && given(sif.dimension2)
                 ? std::string()
                 : "the thickened pipe's thickness or length is below 0.001 inch, which the batch file refuses";
    case 9:
      return sif.dimension1 <= 0.0f || given(sif.dimension1)
                 ? std::string()
                 : "the branch radius is below 0.001 inch, which the batch file refuses";
    default: return "the branch SIF has no type the batch file knows";
  }
}

// Why the reader would refuse an item as it stands; empty when it reads back.
std::string ItemRefusal(const LayoutRow& row) {
  switch (row.dataType) {
    case DataType::HarmonicLoad:
      return static_cast<const HarmonicLoad&>(*row.item).Frequency > 0.0f
                 ? std::string()
                 : "the harmonic load has no frequency, which the batch file refuses";
    case DataType::LimitStop: {
      const auto& s = static_cast<const LimitStop&>(*row.item);
      return s.lowerLimit < -kNoLimit && s.upperLimit > kNoLimit
                 ? "the limit stop has no limits, which the batch file refuses"
                 : std::string();
    }
    case DataType::SkewedRestraint:
      return static_cast<const SkewedRestraint&>(*row.item).stiffness > 0.0f
                 ? std::string()
                 : "the skewed restraint has no stiffness, which the batch file refuses";
    case DataType::ConcentratedMass:
      return static_cast<const ConcentratedMass&>(*row.item).weight != 0.0f
                 ? std::string()
                 : "the concentrated mass has no weight, which the batch file cannot carry";
    case DataType::UserSif: {
      const auto& s = static_cast<const UserSif&>(*row.item);
      return s.inPlaneSif >= 1.0f && s.outPlaneSif >= 1.0f ? std::string()
                                                           : "the user SIF is below 1, which the batch file refuses";
    }
    case DataType::Hanger: {
      const auto& h = static_cast<const Hanger&>(*row.item);
      const bool kind = (h.kind >= 1 && h.kind <= kHangerCatalogueCount) || h.kind == kUserHanger ||
                        h.kind == kRodHanger || h.kind == kConstantSupport;
      if (!kind || h.numberOfHangers < 1 || h.numberOfHangers > 8)
        return "the hanger's kind or number of hangers is one the batch file refuses";
      if (IsDesignedHanger(h.kind) && (h.maximumLoadVariation < 1 || h.maximumLoadVariation > 99))
        return "the hanger's load variation is one the batch file refuses";
      return {};
    }
    case DataType::Nozzle: {
      // The reader puts a nozzle through the dialog's checks, as the file
      // carries it: a vessel the file cannot call spherical is a cylinder.
      Nozzle carried;
      carried.CopyFrom(*row.item);
      carried.spherical = 0;
      const NozzleFault fault = CheckNozzleGeometry(carried);
      return fault.message.empty() ? std::string() : "the nozzle is refused (" + fault.message + ")";
    }
    case DataType::BranchSif: return BranchSifRefusal(static_cast<const BranchSif&>(*row.item));
    case DataType::Weld: {
      const auto type = static_cast<const Weld&>(*row.item).type;
      return type >= 0 && type <= kWeldTypeLast ? std::string() : "the weld type is one the batch file refuses";
    }
    default: return {};
  }
}

struct ItemEntry {
  DataType type;
  const char* code;  // of the line's main part
  ItemWriter write;
};
// The data-item kinds the reader takes. A kind joins the file by a line here.
constexpr ItemEntry kItemWriters[] = {
    {DataType::Anchor, ",KA", WriteAnchor},
    {DataType::Restraint, "", WriteRestraint},
    {DataType::SkewedRestraint, "", WriteSkewedRestraint},
    {DataType::Guide, "", WriteGuide},
    {DataType::LimitStop, "", WriteLimitStop},
    {DataType::Snubber, "", WriteSnubber},
    {DataType::Spider, "", WriteSpider},
    {DataType::JacketEndCap, "", WriteJacketEndCap},
    {DataType::BranchSif, nullptr, WriteBranchSif},
    {DataType::Force, "", WriteForce},
    {DataType::HarmonicLoad, "", WriteHarmonicLoad},
    {DataType::Hanger, "", WriteHanger},
    {DataType::Nozzle, "", WriteNozzle},
    {DataType::Flange, "", WriteFlange},
    {DataType::UserSif, "", WriteUserSif},
    {DataType::Weld, "", WriteWeld},
    {DataType::ThreadedJoint, "", WriteThreadedJoint},
    {DataType::ConcentratedMass, "", WriteConcentratedMass},
};

const ItemEntry* FindItemWriter(DataType type) {
  for (const ItemEntry& entry : kItemWriters)
    if (entry.type == type) return &entry;
  return nullptr;
}

std::string BranchSifCode(std::int32_t type) {
  switch (type) {
    case 1: return ",KT";
    case 2:
    case 3: return ",KF";
    case 4: return ",KE";
    case 5: return ",KS";
    case 6: return ",KW";
    case 7: return ",KR";
    case 8: return ",KP";
    case 9: return ",KB";
    default: return "";
  }
}

}  // namespace

bool WriteItem(Writer& w, const LayoutRow& row, RowText& out) {
  const ItemEntry* entry = FindItemWriter(row.dataType);
  if (entry == nullptr) {
    w.LeftOut(std::string(DataTypeName(static_cast<int>(row.dataType))) +
                  " was not written (the batch file does not carry it)",
              {"data item"});
    return false;
  }
  if (const std::string refusal = ItemRefusal(row); !refusal.empty()) {
    w.LeftOut(refusal + "; it was not written", {"data item"});
    return false;
  }
  out.main += entry->code != nullptr ? std::string(entry->code)
                                     : BranchSifCode(static_cast<const BranchSif&>(*row.item).type);
  entry->write(w, row, out);
  return true;
}

}  // namespace batch_export
