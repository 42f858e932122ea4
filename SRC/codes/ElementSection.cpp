// The element's end dimensions, section properties and longitudinal
// pressure stress, and the branch moments resolved in the branch plane; see
// ElementCodeStress.h. The effective section modulus of a branch is
// pi r2^2 Ts with Ts the smaller of the header wall and i times the branch
// wall (B31.1 104.8.4, B31.3 319.4.4(c)); the ASME Class 2/3 branch takes
// pi r^2 t (NC-3653.3).
#include <algorithm>
#include <cmath>
#include <string>

#include "codes/CodeModel.h"
#include "codes/CodeStressRecord.h"
#include "codes/ElementCodeStress.h"
#include "codes/Sif.h"
#include "elements/BranchSif.h"
#include "elements/DerivedElementData.h"
#include "elements/Reducer.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "records/Material.h"
#include "services/Assert.h"
#include "services/LoadCaseTypes.h"

namespace {

constexpr double kPi = 3.1415927;

// The case types whose loads the ASME Class 2/3 branch takes with pi r^2 t:
// the sustained and the occasional cases.
bool IsSustainedOrOccasionalType(int caseType) {
  for (int t : {kCaseIdSustained, kCaseIdStaticSeismic, kCaseIdWind, kCaseIdWind2, kCaseIdWind3, kCaseIdWind4,
                kCaseIdResponseSpectrum, kCaseIdForceSpectrum, kCaseIdTimeHistory, kCaseIdHarmonic})
    if (caseType == t) return true;
  return false;
}

// Z of an end at a branch node, or `z` when no branch rule applies.
double BranchSectionModulus(const CodeStressCase& c, int index, int end, double D, double t, double z,
                            bool removeCorrosion) {
  const CodeModel& cm = c.cm;
  const AnalysisElement& e = cm.Element(index);
  const int code = cm.settings.code;
  const int node = end == 0 ? e.node1 : e.node2;
  const double ro = D / 2.0, ri = ro - t;
  const bool sustainedOrOccasional = IsSustainedOrOccasionalType(c.caseType);
  if ((IsClass2Or3Code(code) && sustainedOrOccasional) || NodeHasCodeBranchSif(cm, node)) {
    const double r = (D - t) / 2.0;
    if (code != 1 && code != 7) return kPi * r * r * t;
    const int smallest = SmallestSectionAtNode(cm, node);
    const double smallestOd = smallest != 0 ? cm.model.sections[smallest].outsideDiameter : 0.0;
    if (!(D < smallestOd + 0.0001)) return z;
    double tb = t;
    const BranchSif* item = FindBranchItemAtNode(cm, node);
    if (item != nullptr && item->type == 9 && item->dimension1 > 0.0001) tb = item->dimension1 - ri;
    return kPi * r * r * tb;
  }
  const int header = LargestSectionAtNode(cm, node);
  if (header == 0) return z;
  const PipeSection& h = cm.model.sections[header];
  const double th = h.thickness - (removeCorrosion ? h.corrosionAllowance : 0.0f);
  const double rh = (h.outsideDiameter - th) / 2.0, rb = (ri + ro) / 2.0;
  // Only the branch, the smaller pipe, takes the effective modulus.
  if (!(rb < rh - 0.0001)) return z;
  const EndSifs& sifs = c.sifs.elements[static_cast<std::size_t>(index)].ends[static_cast<std::size_t>(end)];
  const double i = code == 16 ? sifs.outPlane : sifs.inPlane;
  double ts = i * t;
  if ((code == 1 || code == 7) && sustainedOrOccasional && 0.75 * i >= 1.0) ts *= 0.75;
  ts = std::min(ts, th);
  return kPi * rb * rb * ts;
}

}  // namespace

EndDimensions ElementEndDimensions(const CodeModel& cm, const AnalysisElement& e) {
  EndDimensions d;
  if (e.kind == 9) {
    const auto* reducer = dynamic_cast<const Reducer*>(cm.model.row(e.row).element.get());
    QV_ASSERT(reducer != nullptr);
    d.D[0] = reducer->od1;
    d.t[0] = reducer->thk1;
    d.D[1] = reducer->od2;
    d.t[1] = reducer->thk2;
    return d;
  }
  const PipeSection* section = cm.SectionOf(e);
  QV_ASSERT(section != nullptr);  // every stress element names a section
  d.D[0] = d.D[1] = section->outsideDiameter;
  d.t[0] = d.t[1] = ElementWallThickness(cm.model, e);
  return d;
}

EndSection ElementEndSectionProperties(const CodeStressCase& c, int index, bool removeCorrosion) {
  const CodeModel& cm = c.cm;
  const AnalysisElement& e = cm.Element(index);
  const EndDimensions d = ElementEndDimensions(cm, e);
  const PipeSection* section = cm.SectionOf(e);
  const double corrosion = removeCorrosion && section != nullptr ? section->corrosionAllowance : 0.0f;
  const int code = cm.settings.code;
  const bool branchRules = !cm.settings.useB31J && code != 19 && code != 20 && code != 22;
  EndSection s;
  for (int end = 0; end < 2; ++end) {
    const double D = d.D[end], t = d.t[end] - corrosion;
    const double ro = D / 2.0, ri = ro - t;
    if (!(t > 0.0 && ri >= 0.0 && D > 0.0)) continue;  // A and Z stay 0: no stress can be formed
    s.A[end] = kPi * (ro * ro - ri * ri);
    s.Z[end] = 2.0 * (kPi / 4.0 * (std::pow(ro, 4) - std::pow(ri, 4))) / D;
    const int node = end == 0 ? e.node1 : e.node2;
    if (branchRules && cm.IsBranchPoint(node))
      s.Z[end] = BranchSectionModulus(c, index, end, D, t, s.Z[end], removeCorrosion);
  }
  return s;
}

EndPair ElementPressureStresses(const CodeModel& cm, int index, double p) {
  const AnalysisElement& e = cm.Element(index);
  const EndDimensions d = ElementEndDimensions(cm, e);
  const PipeSection* section = cm.SectionOf(e);
  const Material* material = cm.MaterialOf(e);
  const double corrosion = section != nullptr ? section->corrosionAllowance : 0.0f;
  const double millTolerance = section != nullptr ? section->millTolerance : 0.0f;
  const int code = cm.settings.code;
  double out[2] = {0.0, 0.0};
  for (int end = 0; end < 2; ++end) {
    const double D = d.D[end];
    double t = d.t[end];
    if (code == 3 || code == 5) t -= corrosion;
    if (code == 13 || code == 14 || code == 16 || code == 18) t = (1.0 - millTolerance * 0.01) * t - corrosion;
    double slp = kFlaggedStress;
    if (code == 17) {
      if (t > 0.0) slp = (D - t) * p / (4.0 * t);
    } else if (cm.settings.pressureStressOption) {
      const double di = D - 2.0 * t;
      if (t > 0.0 && D * D - di * di > 0.0) {
        slp = p * di * di / (D * D - di * di);
        if (code == 21) slp += 0.5 * p;
      }
    } else if (t > 0.0) {
      slp = p * D / (4.0 * t);
    }
    if (!IsFlaggedStress(slp) && (code == 13 || code == 14 || code == 18) && material != nullptr)
      slp /= MaterialCircJointFactor(*material);
    out[end] = slp;
  }
  return {out[0], out[1]};
}

BranchMoments ResolveBranchMomentsInSifPlane(const CodeStressCase& c, int index, int node) {
  const CodeModel& cm = c.cm;
  const AnalysisElement& e = cm.Element(index);
  const NodeTable& nodes = cm.model.nodes;
  QV_ASSERT(node == e.node1 || node == e.node2);
  LocalFrame frame;
  SetAxisFromNodes(frame, nodes, e.node1, e.node2, cm.settings.zVertical);
  // The first other element at the node that leaves at an angle defines
  // the plane; a nearly parallel one (the run's other leg) gives none.
  Vector3 normal{};
  bool found = false;
  for (int other : cm.EndsAt(node)) {
    if (other == index) continue;
    const AnalysisElement& o = cm.Element(other);
    LocalFrame d;
    SetAxisFromNodes(d, nodes, o.node1, o.node2, cm.settings.zVertical);
    const Vector3 n = {frame.x[1] * d.x[2] - frame.x[2] * d.x[1], frame.x[2] * d.x[0] - frame.x[0] * d.x[2],
                       frame.x[0] * d.x[1] - frame.x[1] * d.x[0]};
    const double length = std::sqrt(double(n[0]) * n[0] + double(n[1]) * n[1] + double(n[2]) * n[2]);
    if (length < 0.01) continue;
    for (int k = 0; k < 3; ++k) normal[static_cast<std::size_t>(k)] = static_cast<float>(n[static_cast<std::size_t>(k)] / length);
    found = true;
    break;
  }
  if (!found) throw std::string("Unable to find plane of branch SIF at node ") + NodeNumberText(nodes[node].id);
  const Vector3& x = frame.x;
  const Vector3 w = {normal[1] * x[2] - normal[2] * x[1], normal[2] * x[0] - normal[0] * x[2],
                     normal[0] * x[1] - normal[1] * x[0]};
  const auto& f = c.forces[static_cast<std::size_t>(index)].values;
  const std::size_t base = node == e.node1 ? 0 : 6;
  const double my = f[base + 4], mz = f[base + 5];
  BranchMoments m;
  for (std::size_t k = 0; k < 3; ++k) {
    const double moment = my * frame.y[k] + mz * frame.z[k];
    m.inPlane += moment * normal[k];
    m.outPlane += moment * w[k];
  }
  return m;
}
