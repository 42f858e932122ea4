// The SIF pass and the node fittings; see Sif.h. The node rules are those
// of B31.1 Table D-1 and B31.3 Appendix D (flexibility characteristic h of
// tees, io = 0.9 / h^(2/3), ii = 0.75 io + 0.25 where the code separates
// them), the ASME Class 2/3 and Nordic tables for welds and the B31J
// girth weld and threaded joint factors.
#include "codes/Sif.h"

#include <algorithm>
#include <cmath>

#include "codes/CodeModel.h"
#include "elements/BranchSif.h"
#include "elements/Flange.h"
#include "elements/UserSif.h"
#include "elements/Weld.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "records/Material.h"

namespace {

void Raise(float& value, double to) {
  if (value < to) value = static_cast<float>(to);
}

bool InCodes(int code, std::initializer_list<int> codes) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// Flange types 1 .. 7 (weld neck .. threaded); an untyped flange adds nothing.
void FlangeSifAtNode(const CodeModel& cm, NodeSifRecord& node, const Flange& flange) {
  static const double factors[] = {0.0, 1.0001, 1.2, 1.3, 1.3, 1.3, 1.6, 2.3};
  if (flange.type < 1 || flange.type > 7) return;
  double f = factors[flange.type];
  if (flange.type == 2 && cm.settings.code == 17) f = 1.3;
  Raise(node.inPlane, f);
  Raise(node.outPlane, f);
  if (node.torsion < f) node.torsion = cm.settings.useB31J ? static_cast<float>(f) : 1.0f;
}

// The flexibility characteristic h of the tee types at the node's header;
// 0 when the type has its rule at the element ends, or no header.
double TeeCharacteristic(const CodeModel& cm, int node, const BranchSif& item) {
  const int header = LargestSectionAtNode(cm, node);
  if (header == 0) return 0.0;
  const int code = cm.settings.code;
  const double D = cm.model.sections[header].outsideDiameter, T = cm.model.sections[header].thickness;
  const double r2 = (D - T) / 2.0;
  switch (item.type) {
    case 1:
    case 5: return (InCodes(code, {1, 3, 6, 7}) ? 3.1 : 4.4) * T / r2;
    case 2: {
      const double tr = item.dimension1;
      const double m = InCodes(code, {13, 14, 18}) ? 2.5 : InCodes(code, {19, 20, 22}) ? 1.0e6 : 1.5;
      if (m * T < tr) return 4.05 * T / r2;
      return std::pow(T + tr / 2.0, 2.5) / (std::pow(T, 1.5) * r2);
    }
    case 3: return IsClass2Or3Edition2015(code) ? 0.0 : T / r2;
    case 4: return (code == 1 || code == 7) ? T / r2 : (1.0 + item.dimension1 / r2) * T / r2;
    case 6: return 3.3 * T / r2;
    case 7: {
      const double r = item.dimension1, se = item.dimension2;
      return (r2 + r) * std::pow(se / T, 1.5) * se / (r2 * r2);
    }
    case 8: {
      const int branch = SmallestSectionAtNode(cm, node);
      if (branch == 0) return 0.0;
      const double d = cm.model.sections[branch].outsideDiameter, length = item.dimension2;
      double sf = item.dimension1;
      if (length < 0.5 * d + 1.8 * std::sqrt(D * sf)) sf = (T + sf) / 2.0;
      return (std::pow(sf, 2.5) / r2) / std::pow(T, 1.5);
    }
    default: return 0.0;
  }
}

void BranchSifAtNode(const CodeModel& cm, NodeSifRecord& node, int nodeIndex, const BranchSif& item) {
  // With B31J the branch is taken at the element ends.
  if (cm.settings.useB31J) return;
  const int code = cm.settings.code;
  const double h = TeeCharacteristic(cm, nodeIndex, item);
  if (!(h > 0.0) || !std::isfinite(h)) return;
  double io = std::max(0.9 / std::pow(h, 0.66666667), 1.0001);
  if ((code == 9 || code == 10) && (item.type == 2 || item.type == 3)) io = std::max(io, 2.1);
  double ii = io;
  if (InCodes(code, {0, 2, 3, 4, 5, 6, 16, 21}) && item.type != 6) ii = 0.75 * io + 0.25;
  ii = std::max(ii, 1.0001);
  Raise(node.inPlane, ii);
  Raise(node.outPlane, io);
}

double Limited(double value, double low, double high) { return std::min(std::max(value, low), high); }

void WeldSifAtNode(const CodeModel& cm, NodeSifRecord& node, int nodeIndex, const Weld& weld) {
  const int code = cm.settings.code;
  const bool b31j = cm.settings.useB31J;
  const int thinnest = ThinnestSectionAtNode(cm, nodeIndex);
  const double T = thinnest != 0 ? cm.model.sections[thinnest].thickness : 0.0;
  const double D = thinnest != 0 ? cm.model.sections[thinnest].outsideDiameter : 0.0;
  const double delta = weld.mismatch;
  const bool haveWall = T > 0.0;
  double w = 0.0, wt = 1.0;
  switch (weld.type) {
    case 1:
      if (!haveWall) return;
      if (b31j) {
        const bool smallMismatch = (T >= 0.237 && delta <= 0.125) || (T < 0.237 && delta <= 0.0625 && delta / T <= 0.33);
        w = smallMismatch ? Limited(0.9 + 2.7 * delta / T, 1.0001, 1.9) : 1.0001;
        wt = smallMismatch ? std::max(0.45 + 1.35 * delta / T, 1.0001) : 1.0001;
      } else if (InCodes(code, {2, 3, 4, 5, 16, 21, 17, 19, 20, 22}) || IsClass2Or3Edition2015(code)) {
        w = 1.0001;
      } else if (InCodes(code, {1, 6, 7})) {
        w = Limited(0.9 + 2.7 * delta / T, 1.0001, 1.9);
      } else if (code == 9 || code == 10) {
        w = T < 0.237 ? Limited(0.9 * (1.0 + (code == 9 ? 3.0 * delta / T : 0.094 / T)), 1.0001, 1.9) : 1.0001;
      } else {
        w = (T <= 0.187 || delta / T > 0.1) ? 1.8 : 1.0001;
      }
      break;
    case 2:
      if (b31j) {
        w = wt = 1.3;
      } else {
        w = InCodes(code, {1, 2, 3, 4, 5, 6, 7, 16, 19, 20, 22}) ? 1.3 : 2.1;
      }
      break;
    case 3: w = 1.3; break;
    case 4:
      if (!haveWall) return;
      if (InCodes(code, {10, 11, 101, 201})) {
        w = 1.3 + 0.0036 * D / T + (T < 0.237 ? 0.113 / T : 0.0);
      } else {
        w = 1.3 + 3.6 * delta / T + 0.0036 * D / T;
      }
      w = std::min(w, 1.9);
      if (b31j) wt = 1.3;
      break;
    default: return;  // an untyped weld adds nothing
  }
  Raise(node.inPlane, w);
  Raise(node.outPlane, w);
  Raise(node.torsion, wt);
}

void ThreadedJointSifAtNode(const CodeModel& cm, NodeSifRecord& node) {
  Raise(node.inPlane, 2.3);
  Raise(node.outPlane, 2.3);
  if (cm.settings.useB31J) Raise(node.torsion, 2.3);
  else node.torsion = 1.0f;
}

// A given user value (above 0) replaces; not given keeps the computed one.
void ReplaceGiven(float& value, float user) {
  if (user > 0.0f) value = std::max(user, 1.0f);
}

void UserSifAtNode(const CodeModel& cm, SifTables& tables, int node, const UserSif& user) {
  for (int index : cm.EndsAt(node)) {
    const AnalysisElement& e = cm.Element(index);
    ElementSifRecord& record = tables.elements[static_cast<std::size_t>(index)];
    for (int end = 0; end < 2; ++end) {
      if ((end == 0 ? e.node1 : e.node2) != node) continue;
      EndSifs& sifs = record.ends[static_cast<std::size_t>(end)];
      ReplaceGiven(sifs.inPlane, user.inPlaneSif);
      ReplaceGiven(sifs.outPlane, user.outPlaneSif);
      ReplaceGiven(sifs.torsion, user.torsionSif);
    }
  }
}

bool IsBendKind(int kind) { return kind == 4 || kind == 5 || kind == 7; }

ElementSifRecord ElementSifs(const CodeModel& cm, const SifTables& tables, int index) {
  const AnalysisElement& e = cm.Element(index);
  ElementSifRecord record;
  if (IsBendKind(e.kind)) {
    const EndSifs bend = BendSifs(cm, index);
    record.ends = {bend, bend};
  } else if (e.kind == 9) {
    record.ends = ReducerSifs(cm, index);
  }
  const PipeSection* section = cm.SectionOf(e);
  const Material* material = cm.MaterialOf(e);
  for (int end = 0; end < 2; ++end) {
    const int node = end == 0 ? e.node1 : e.node2;
    EndSifs& sifs = record.ends[static_cast<std::size_t>(end)];
    if (section != nullptr && NodeHasCodeBranchSif(cm, node)) {
      SifTriple triple{sifs.inPlane, sifs.outPlane, sifs.torsion};
      const int smallest = SmallestSectionAtNode(cm, node);
      const double smallestOd = smallest != 0 ? cm.model.sections[smallest].outsideDiameter : 0.0;
      if (section->outsideDiameter <= smallestOd + 0.0001) BranchConnectionSif(cm, tables, node, triple);
      else BranchRunSif(cm, tables, node, triple);
      sifs.inPlane = static_cast<float>(triple.inPlane);
      sifs.outPlane = static_cast<float>(triple.outPlane);
      sifs.torsion = static_cast<float>(triple.torsion);
      if (material != nullptr && material->isFrp != 0) sifs.inPlane = sifs.outPlane = 2.3f;
    }
    if (node >= 0 && static_cast<std::size_t>(node) < tables.nodes.size()) {
      const NodeSifRecord& at = tables.nodes[static_cast<std::size_t>(node)];
      Raise(sifs.inPlane, at.inPlane);
      Raise(sifs.outPlane, at.outPlane);
      Raise(sifs.torsion, at.torsion);
    }
  }
  return record;
}

}  // namespace

SifTables ComputeSifs(const CodeModel& cm) {
  const Model& model = cm.model;
  SifTables tables;
  tables.nodes.assign(static_cast<std::size_t>(model.nodes.count) + 1, NodeSifRecord{});
  tables.elements.assign(static_cast<std::size_t>(cm.ElementCount()) + 1, ElementSifRecord{});
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& r = model.row(row);
    const int node = cm.NodeOfRow(row);
    if (node == 0 || r.item == nullptr) continue;
    NodeSifRecord& sifs = tables.nodes[static_cast<std::size_t>(node)];
    switch (r.dataType) {
      case DataType::Flange: FlangeSifAtNode(cm, sifs, static_cast<const Flange&>(*r.item)); break;
      case DataType::BranchSif: BranchSifAtNode(cm, sifs, node, static_cast<const BranchSif&>(*r.item)); break;
      case DataType::Weld: WeldSifAtNode(cm, sifs, node, static_cast<const Weld&>(*r.item)); break;
      case DataType::ThreadedJoint: ThreadedJointSifAtNode(cm, sifs); break;
      default: break;
    }
  }
  for (int index = 1; index <= cm.ElementCount(); ++index)
    tables.elements[static_cast<std::size_t>(index)] = ElementSifs(cm, tables, index);
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& r = model.row(row);
    if (r.dataType != DataType::UserSif || r.item == nullptr) continue;
    const int node = cm.NodeOfRow(row);
    if (node != 0) UserSifAtNode(cm, tables, node, static_cast<const UserSif&>(*r.item));
  }
  return tables;
}
