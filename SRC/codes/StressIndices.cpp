// Stress indices B1 and B2; see StressIndices.h. Bends: B1 = 0.4 h - 0.1
// (0 .. 0.5), B2 = 1.30 / h^(2/3) (NC-3673.2 Table); reducers B1 = 1.0
// (0.5 for cones of 30 degrees or less in the later editions).
#include "codes/StressIndices.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "codes/CodeModel.h"
#include "codes/Sif.h"
#include "elements/BranchSif.h"
#include "elements/DerivedElementData.h"
#include "elements/Flange.h"
#include "elements/Reducer.h"
#include "elements/Weld.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"

namespace {

constexpr double kTwoThirds = 0.66666667;

template <typename Test>
bool AnyItemAt(const CodeModel& cm, int node, DataType type, Test test) {
  for (int row : cm.ItemRowsAt(node)) {
    const LayoutRow& r = cm.model.row(row);
    if (r.dataType == type && test(*r.item)) return true;
  }
  return false;
}

struct Branch {
  double T = 0.0, R = 0.0, t = 0.0, r = 0.0, d = 0.0, D = 0.0;
  bool run = false;  // the element is on the run side
};

// False when the header or the branch section is missing.
bool BranchAt(const CodeModel& cm, int node, const PipeSection& element, Branch& b) {
  const int header = LargestSectionAtNode(cm, node), branch = SmallestSectionAtNode(cm, node);
  if (header == 0 || branch == 0) return false;
  const PipeSection& h = cm.model.sections[header];
  const PipeSection& s = cm.model.sections[branch];
  b.T = h.thickness;
  b.D = h.outsideDiameter;
  b.R = (h.outsideDiameter - h.thickness) / 2.0;
  b.t = s.thickness;
  b.d = s.outsideDiameter;
  b.r = (s.outsideDiameter - s.thickness) / 2.0;
  b.run = h.outsideDiameter <= element.outsideDiameter;
  return b.T > 0.0 && b.t > 0.0 && b.R > 0.0 && b.r > 0.0;
}

}  // namespace

bool NodeHasFilletWeld(const CodeModel& cm, int node) {
  return AnyItemAt(cm, node, DataType::Weld, [](const DataItem& item) {
    const int type = static_cast<const Weld&>(item).type;
    return type == 2 || type == 3;
  });
}

bool NodeHasWeldedFlange(const CodeModel& cm, int node) {
  return AnyItemAt(cm, node, DataType::Flange, [](const DataItem& item) {
    const int type = static_cast<const Flange&>(item).type;
    return type >= 2 && type <= 5;
  });
}

bool NodeHasThreadedJoint(const CodeModel& cm, int node) {
  return AnyItemAt(cm, node, DataType::ThreadedJoint, [](const DataItem&) { return true; });
}

bool NodeHasThreadedFlange(const CodeModel& cm, int node) {
  return AnyItemAt(cm, node, DataType::Flange,
                   [](const DataItem& item) { return static_cast<const Flange&>(item).type == 7; });
}

double WeldingTeeB2(const CodeModel& cm, int node, const PipeSection& element) {
  Branch b;
  if (!BranchAt(cm, node, element, b)) return 1.0;
  return std::max((b.run ? 0.5 : 0.4) * std::pow(b.R / b.T, kTwoThirds), 1.0);
}

double BranchConnectionB2(const CodeModel& cm, int node, const PipeSection& element, double rp) {
  Branch b;
  if (!BranchAt(cm, node, element, b)) return 1.0;
  if (rp == 0.0) rp = b.d / 2.0;
  if (rp < b.d / 2.0)
    throw std::string("For branch connection at node ") + NodeNumberText(cm.model.nodes[node].id) +
        ":\nrp < 0.5*branch od";
  const bool later = IsClass2Or3Edition2015(cm.settings.code);
  const double rt = std::pow(b.R / b.T, kTwoThirds);
  double b2 = 0.0;
  if (b.run) {
    if (later) b2 = b.r / b.R > 0.5 ? 0.9 * std::pow(b.r / b.t, 0.25) : 0.75 * std::pow(b.r / b.t, 0.3);
    else b2 = 0.75 * std::max(1.15 * std::pow(b.r / b.t, 0.25), 1.5);
  } else if (later) {
    const double beta = b.r / b.R;
    const double b1 = 0.75 * (b.t / b.T) * std::sqrt(beta) * rt * (b.r / rp);
    const double b2Full = 0.45 * rt * (b.r / rp);
    b2 = beta <= 0.9 ? b1 : beta >= 1.0 ? b2Full : b1 + (beta - 0.9) * (b2Full - b1) / 0.1;
  } else {
    b2 = 0.5 * std::max(3.0 * (b.t / b.T) * std::sqrt(b.r / b.R) * rt * (b.r / rp), 1.5);
  }
  return std::max(b2, 1.0);
}

double ReinforcedTeeB2(const CodeModel& cm, int node, const PipeSection& element, double pad) {
  Branch b;
  if (!BranchAt(cm, node, element, b)) return 1.0;
  const double rt = std::pow(b.R / b.T, kTwoThirds);
  double b2 = 0.0;
  if (b.run) {
    const double tr = std::min(pad, b.T);
    b2 = 0.675 * rt / std::pow(1.0 + tr / (2.0 * b.T), 5.0 / 3.0);
  } else {
    double rPrime = pad >= 0.8 * b.T ? 1.5 * b.r : b.r + b.t / 2.0;
    if (b.r / rPrime < 0.5) rPrime = 2.0 * b.r;
    b2 = 0.75 * (b.t / b.T) * (b.r / rPrime) * std::sqrt(b.r / b.R) * rt;
  }
  return std::max(b2, 1.0);
}

StressIndices ElementEndStressIndices(const CodeModel& cm, const SifTables& sifs, int index) {
  const AnalysisElement& e = cm.Element(index);
  const Model& model = cm.model;
  const bool later = IsClass2Or3Edition2015(cm.settings.code);
  StressIndices s;
  const PipeSection* section = cm.SectionOf(e);
  if (section == nullptr) return s;
  if (e.kind == 4 || e.kind == 5 || e.kind == 7) {
    const double T = ElementWallThickness(model, e), R = ElementBendRadius(model, e);
    const double r2 = (section->outsideDiameter - T) / 2.0;
    const double h = R * T / (r2 * r2);
    if (h > 0.0 && std::isfinite(h)) {
      const double b1 = e.kind == 5 ? 0.5 : std::clamp(0.4 * h - 0.1, 0.0, 0.5);
      const double b2 = std::max(1.3 / std::pow(h, kTwoThirds), 1.0);
      s.B1[0] = s.B1[1] = b1;
      s.B2[0] = s.B2[1] = b2;
    }
  } else if (e.kind == 9) {
    const auto* reducer = dynamic_cast<const Reducer*>(model.row(e.row).element.get());
    const double b1 = later && reducer != nullptr && reducer->coneAngle <= 30.0f ? 0.5 : 1.0;
    s.B1[0] = s.B1[1] = b1;
  }
  const ElementSifRecord& elementSifs = sifs.elements[static_cast<std::size_t>(index)];
  for (int end = 0; end < 2; ++end) {
    const int node = end == 0 ? e.node1 : e.node2;
    double& b1 = s.B1[end];
    double& b2 = s.B2[end];
    if (NodeHasFilletWeld(cm, node) || NodeHasWeldedFlange(cm, node)) {
      b1 = std::max(b1, 0.75);
      b2 = std::max(b2, 1.5);
    }
    if (later && (NodeHasThreadedJoint(cm, node) || NodeHasThreadedFlange(cm, node))) {
      b1 = 0.75;
      b2 = 1.7;
    }
    const BranchSif* item = FindBranchItemAtNode(cm, node);
    if (item == nullptr) continue;
    const double outPlane = elementSifs.ends[static_cast<std::size_t>(end)].outPlane;
    double b = outPlane;
    switch (item->type) {
      case 1: b = WeldingTeeB2(cm, node, *section); break;
      case 2: b = later ? ReinforcedTeeB2(cm, node, *section, item->dimension1) : outPlane; break;
      case 3:
      case 9: b = BranchConnectionB2(cm, node, *section, item->dimension1); break;
      default: break;
    }
    b2 = std::max(b2, b);
  }
  return s;
}
