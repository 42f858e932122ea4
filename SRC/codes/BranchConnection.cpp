// The branch connection records and their stresses per case; see
// BranchConnection.h. The run's and the branch's section moduli are those
// of NC-3653.3: Zr = pi Rm^2 Tr, Zb = pi rm^2 Tb, with the mean radii of
// each element's end at the node.
#include "codes/BranchConnection.h"

#include <algorithm>
#include <cmath>

#include "codes/Allowables.h"
#include "codes/CodeModel.h"
#include "codes/SortedStresses.h"
#include "codes/StressIndices.h"
#include "elements/BranchSif.h"
#include "elements/DerivedElementData.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "services/LoadCaseTypes.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

using Vec = std::array<double, 3>;

double Dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The angle between two unit vectors; 0 when either is zero.
double Angle(const Vec& a, const Vec& b) {
  if (Dot(a, a) == 0.0 || Dot(b, b) == 0.0) return 0.0;
  return std::acos(std::clamp(Dot(a, b), -1.0, 1.0));
}

bool Between(double angle, double low, double high) { return angle >= low && angle <= high; }

// What one element gives the record at its end at the node.
struct EndAtNode {
  double D = 0.0, T = 0.0, B1 = 0.5, B2 = 1.0;
  bool start = false;
};

EndAtNode EndOf(const CodeModel& cm, const SifTables& sifs, int element, int node) {
  const AnalysisElement& e = cm.Element(element);
  const EndDimensions d = ElementEndDimensions(cm, e);
  const StressIndices s = ElementEndStressIndices(cm, sifs, element);
  const int end = e.node1 == node ? 0 : 1;
  return {d.D[end], d.t[end], s.B1[end], s.B2[end], end == 0};
}

// The pressure term of a run leg: P D B1 / 2T, or with the pressure stress
// option 2 B1 P d^2 / (D^2 - d^2); 0 where the wall gives none.
double RunPressureTerm(const CodeModel& cm, int element, const EndAtNode& end) {
  const double P = ElementMaxPressure(cm.model, cm.Element(element));
  if (!(end.T > 0.0)) return 0.0;
  if (!cm.settings.pressureStressOption) return P * end.D * end.B1 / (2.0 * end.T);
  const double d = end.D - 2.0 * end.T;
  const double area = end.D * end.D - d * d;
  return area > 0.0 ? 2.0 * end.B1 * P * d * d / area : 0.0;
}

double MeanRadiusModulus(double D, double T) {
  const double rm = (D - T) / 2.0;
  return kPi * rm * rm * T;
}

std::array<double, 3> EndMoments(const std::vector<ElementForces>& forces, int element, bool start) {
  if (element < 1 || static_cast<std::size_t>(element) >= forces.size()) return {0.0, 0.0, 0.0};
  const auto& f = forces[static_cast<std::size_t>(element)].values;
  const std::size_t base = start ? 3 : 9;
  const double sign = start ? -1.0 : 1.0;
  return {sign * f[base], sign * f[base + 1], sign * f[base + 2]};
}

double Length(const std::array<double, 3>& v) { return std::sqrt(Dot(v, v)); }

}  // namespace

std::array<double, 3> BranchElementDirection(const CodeModel& cm, int node, int element) {
  const AnalysisElement& e = cm.Element(element);
  int other = 0;
  if (e.node1 == node) other = e.node2;
  else if (e.node2 == node) other = e.node1;
  else throw -1;
  const NodeRecord& a = cm.model.nodes[node];
  const NodeRecord& b = cm.model.nodes[other];
  Vec u{double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
  const double length = Length(u);
  if (length > 0.0)
    for (double& c : u) c /= length;
  return u;
}

void BranchConnectionAllowables(const CodeModel& cm, int element, double& sh, double& limit) {
  const AnalysisElement& e = cm.Element(element);
  sh = HotAllowable(cm, e);
  // The occasional allowable of these codes is the service-level limit.
  limit = std::max(OccasionalAllowable(cm, e), 1.0);
}

void BCstressSetup(const CodeModel& cm, const SifTables& sifs, BCstress& r) {
  auto fail = [&r] { r.type = -1; };
  const std::vector<int>& ends = cm.EndsAt(r.node);
  if (ends.size() < 3) return fail();
  const int e[3] = {ends[0], ends[1], ends[2]};
  Vec u[3];
  try {
    for (int i = 0; i < 3; ++i) u[i] = BranchElementDirection(cm, r.node, e[i]);
  } catch (int) {
    return fail();
  }
  const double a12 = Angle(u[0], u[1]), a23 = Angle(u[1], u[2]), a31 = Angle(u[2], u[0]);
  const double straight = 0.95 * kPi, low = 0.45 * kPi, high = 0.55 * kPi;
  if (a12 > straight && Between(a23, low, high) && Between(a31, low, high)) {
    r.run1 = e[0], r.run2 = e[1], r.branch = e[2];
  } else if (!(a12 > straight) && a23 > straight && Between(a12, low, high) && Between(a31, low, high)) {
    r.run1 = e[1], r.run2 = e[2], r.branch = e[0];
  } else if (!(a12 > straight) && !(a23 > straight) && a31 > straight && Between(a12, low, high) &&
             Between(a23, low, high)) {
    r.run1 = e[2], r.run2 = e[0], r.branch = e[1];
  } else {
    return fail();
  }
  const EndAtNode run1 = EndOf(cm, sifs, r.run1, r.node), run2 = EndOf(cm, sifs, r.run2, r.node);
  const EndAtNode branch = EndOf(cm, sifs, r.branch, r.node);
  r.startsAtNode = {run1.start, run2.start, branch.start};
  const double p1 = RunPressureTerm(cm, r.run1, run1), p2 = RunPressureTerm(cm, r.run2, run2);
  // The second leg on a tie.
  const bool firstGivesPressure = p1 > p2;
  r.B1 = static_cast<float>(firstGivesPressure ? run1.B1 : run2.B1);
  r.pressure = static_cast<float>(firstGivesPressure ? p1 : p2);
  const double z1 = MeanRadiusModulus(run1.D, run1.T), z2 = MeanRadiusModulus(run2.D, run2.T);
  const double q1 = z1 > 0.0 ? run1.B2 / z1 : 0.0, q2 = z2 > 0.0 ? run2.B2 / z2 : 0.0;
  const bool firstGivesBending = q1 > q2;
  r.B2r = static_cast<float>(firstGivesBending ? run1.B2 : run2.B2);
  r.Zr = static_cast<float>(firstGivesBending ? z1 : z2);
  r.B2b = static_cast<float>(branch.B2);
  r.Zb = static_cast<float>(MeanRadiusModulus(branch.D, branch.T));
  double sh = 0.0, limit = 0.0, leastSh = 0.0, leastLimit = 0.0;
  for (int i = 0; i < 3; ++i) {
    BranchConnectionAllowables(cm, i == 0 ? r.run1 : i == 1 ? r.run2 : r.branch, sh, limit);
    leastSh = i == 0 ? sh : std::min(leastSh, sh);
    leastLimit = i == 0 ? limit : std::min(leastLimit, limit);
  }
  r.SH = static_cast<float>(std::max(leastSh, 1.0));
  r.limit = static_cast<float>(std::max(leastLimit, 1.0));
  r.peakPressureFactor = cm.settings.peakPressureFactor;
  // A section without a wall cannot carry the check.
  if (!(r.Zr > 0.0f) || !(r.Zb > 0.0f)) fail();
}

void SetUpBranchConnections(const CodeModel& cm, const SifTables& sifs, BranchConnectionStresses& stresses) {
  stresses = BranchConnectionStresses{};
  const Model& model = cm.model;
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& r = model.row(row);
    if (r.dataType != DataType::BranchSif || r.item == nullptr) continue;
    BCstress record;
    record.row = row;
    record.node = cm.NodeOfRow(row);
    record.type = static_cast<const BranchSif&>(*r.item).type;
    if (record.node < 1) record.type = -1;
    else BCstressSetup(cm, sifs, record);
    stresses.records.push_back(record);
  }
  stresses.ready = true;
}

bool IsSignedBranchCase(int caseType) {
  return caseType == kCaseIdSustained || caseType == kCaseIdWind || caseType == kCaseIdWind2 || caseType == kCaseIdWind3 ||
         caseType == kCaseIdWind4;
}

void BranchConnectionCaseStress(BCstress& r, const std::vector<ElementForces>& forces, int caseType, int slot) {
  if (r.type == -1 || r.run1 == -1) return;
  if (static_cast<int>(r.cases.size()) <= slot) r.cases.resize(static_cast<std::size_t>(slot) + 1);
  const bool signedCase = IsSignedBranchCase(caseType);
  std::array<double, 3> m1 = EndMoments(forces, r.run1, r.startsAtNode[0]);
  std::array<double, 3> m2 = EndMoments(forces, r.run2, r.startsAtNode[1]);
  std::array<double, 3> run{};
  for (std::size_t k = 0; k < 3; ++k) {
    const double a = m1[k], b = m2[k];
    const bool carried = !signedCase || a == 0.0 || b == 0.0 || (a < 0.0) != (b < 0.0);
    run[k] = carried ? std::min(std::fabs(a), std::fabs(b)) : 0.0;
  }
  BranchConCaseStresses& out = r.cases[static_cast<std::size_t>(slot)];
  const bool sustained = caseType == kCaseIdSustained;
  double runMoment = Length(run);
  double branchMoment = Length(EndMoments(forces, r.branch, r.startsAtNode[2]));
  if (!sustained && !r.cases.empty()) {
    runMoment += r.cases[0].runMoment;
    branchMoment += r.cases[0].branchMoment;
  }
  const double pressure = sustained ? r.pressure : r.pressure * r.peakPressureFactor;
  const double runStress = r.B2r * runMoment / r.Zr, branchStress = r.B2b * branchMoment / r.Zb;
  const double total = pressure + runStress + branchStress;
  const double allowable = sustained ? 1.5 * r.SH : r.limit;
  out.pressureStress = static_cast<float>(pressure);
  out.runMoment = static_cast<float>(runMoment);
  out.runStress = static_cast<float>(runStress);
  out.branchMoment = static_cast<float>(branchMoment);
  out.branchStress = static_cast<float>(branchStress);
  out.totalStress = static_cast<float>(total);
  out.ratio = static_cast<float>(total / allowable);
}

void BranchConnectionCaseStresses(BranchConnectionStresses& stresses, const std::vector<ElementForces>& forces,
                                  int caseType, std::vector<GoverningStress>& nodeTable) {
  stresses.caseTypes.push_back(caseType);
  const int slot = stresses.CaseCount() - 1;
  for (BCstress& record : stresses.records) {
    if (record.type == -1) continue;
    BranchConnectionCaseStress(record, forces, caseType, slot);
    const BranchConCaseStresses& out = record.cases[static_cast<std::size_t>(slot)];
    const double allowable = caseType == kCaseIdSustained ? 1.5 * record.SH : record.limit;
    if (record.node >= 0 && static_cast<std::size_t>(record.node) < nodeTable.size())
      StressRatio(nodeTable[static_cast<std::size_t>(record.node)], out.totalStress, allowable);
  }
  stresses.caseIndex = 1;
}
