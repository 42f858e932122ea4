// BS 806 stresses; see Bs806Stress.h. The charts are those of BS 806
// (1986) Figures 5 to 8, the branch factors those of its Appendix for
// equal-tee, reinforced and unreinforced branch connections.
#include "codes/Bs806Stress.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "codes/Allowables.h"
#include "codes/CodeCategories.h"
#include "codes/CodeModel.h"
#include "codes/CodeStressDriver.h"
#include "codes/CodeStressRecord.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "elements/DerivedElementData.h"
#include "elements/HydrotestLoad.h"
#include "elements/MiterBend.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "records/LoadCaseList.h"
#include "records/Material.h"
#include "records/PipeLoad.h"
#include "services/LoadCaseTypes.h"

namespace {

constexpr double kPiOver64 = 0.049087385;
constexpr double kPi = 3.14159265358979323846;
enum Section { kSustainedSection = 0, kExpansionSection = 1, kHotSection = 2 };

// --- the charts ------------------------------------------------------------------

constexpr double kRadiusRatios[4] = {2.0, 3.0, 6.0, 10.0};

struct Chart {
  double lambda[7];
  double factor[4][7];  // rows by R/r
};

constexpr Chart kCharts[4] = {
    // ca, circumferential
    {{0.01, 0.032, 0.1, 0.32, 1.0, 3.2, 10.0},
     {{45, 20, 9.6, 4.6, 2.5, 1.5, 1.0},
      {45, 19.5, 9.2, 4.4, 2.05, 1.2, 0.7},
      {45, 19, 8.7, 4.0, 1.7, 0.8, 0.5},
      {45, 18.5, 8.7, 3.9, 1.6, 0.63, 0.38}}},
    // cb, circumferential
    {{0.01, 0.032, 0.1, 0.32, 1.0, 3.2, 10.0},
     {{40, 18, 9.0, 4.8, 2.9, 1.9, 1.2},
      {40, 17.3, 8.5, 4.2, 2.2, 1.3, 0.8},
      {40, 16, 7.5, 3.7, 1.8, 0.8, 0.55},
      {40, 16, 7.5, 3.5, 1.6, 0.65, 0.4}}},
    // la, longitudinal
    {{0.01, 0.032, 0.1, 0.5, 0.7, 1.0, 10.0},
     {{21, 11, 6.0, 2.6, 2.3, 2.2, 2.2},
      {20, 11, 5.1, 2.0, 1.8, 1.7, 1.7},
      {19, 10.5, 5.1, 1.65, 1.5, 1.4, 1.4},
      {19, 10.5, 5.1, 1.6, 1.4, 1.3, 1.3}}},
    // lb, longitudinal
    {{0.01, 0.032, 0.1, 0.5, 1.0, 2.0, 10.0},
     {{26, 15, 7.5, 3.0, 2.2, 2.0, 2.0},
      {24, 13.5, 7.0, 2.6, 1.9, 1.7, 1.7},
      {22.5, 12.5, 6.2, 2.25, 1.6, 1.4, 1.4},
      {22, 12, 5.9, 2.1, 1.5, 1.3, 1.3}}},
};

// The interval of `x` in the ascending points (the first or last one
// outside them) and the fraction of the way through it.
void Interval(const double* points, int n, double x, int& i, double& fraction) {
  i = 0;
  while (i < n - 2 && x > points[i + 1]) ++i;
  fraction = (x - points[i]) / (points[i + 1] - points[i]);
}

// --- element data ----------------------------------------------------------------

bool IsBendKind(int kind) { return kind == 4 || kind == 5 || kind == 7; }

double Temperature(const CodeModel& cm, const AnalysisElement& e, int i) {
  const Model& model = cm.model;
  if (e.load < 1 || e.load > model.pipeLoads.count || i < 1 || i > 10) return cm.settings.referenceTemperature;
  return model.pipeLoads[e.load].operating[static_cast<std::size_t>(i - 1)].temperature;
}

// Pi of the element; 0 beyond the pairs in use.
double Pressure(const CodeModel& cm, const AnalysisElement& e, int i) {
  if (i < 1 || i > PipeLoadPairsInUse(cm.model.options.ThermalLoadCount) || e.load < 1) return 0.0;
  return ElementPressure(cm.model, e, i);
}

const Material* MaterialOf(const CodeModel& cm, const AnalysisElement& e) { return cm.MaterialOf(e); }

double Proof(const Material& m, double t) { return YieldAtTemperature(m, t); }
double Rupture(const Material& m, double t) { return CreepStressAtTemperature(m, t); }

// The first Branch SIF item of type 1, 2 or 3 at the node.
const BranchSif* Bs806BranchItem(const CodeModel& cm, int node) {
  for (int row : cm.BranchSifRowsAt(node)) {
    const auto* item = dynamic_cast<const BranchSif*>(cm.model.row(row).item.get());
    if (item != nullptr && item->type >= 1 && item->type <= 3) return item;
  }
  return nullptr;
}

constexpr double kFlagged = kFlaggedStress;

void Flag(Bs806EndStress& s) { s.sigma = s.tau = s.S = kFlagged; }

// The branch stress of an end at a branch connection node: the moments
// already in the branch plane.
void Bs806BranchStress(const CodeStressCase& c, int node, double D, double d, double I, double P, double axial,
                       Bs806EndStress& s) {
  const CodeModel& cm = c.cm;
  const int runSection = LargestSectionAtNode(cm, node), branchSection = SmallestSectionAtNode(cm, node);
  const BranchSif* item = Bs806BranchItem(cm, node);
  s.branch = true;
  if (runSection == 0 || branchSection == 0 || item == nullptr) return Flag(s);
  const PipeSection& run = cm.model.sections[runSection];
  const PipeSection& branch = cm.model.sections[branchSection];
  const double T = run.thickness, rm = (run.outsideDiameter - T) / 2.0;
  const double tb = branch.thickness, rb = (branch.outsideDiameter - tb) / 2.0;
  const double Te = T * (1.0 - run.millTolerance / 100.0) - run.corrosionAllowance;
  if (!(T > 0.0 && rm > 0.0 && tb > 0.0 && rb > 0.0 && Te > 0.0)) return Flag(s);
  double h = 0.0;
  switch (item->type) {
    case 1: h = 4.4 * T / rm; break;
    case 2: h = std::pow(T + item->dimension1 / 2.0, 2.5) / (std::pow(T, 1.5) * rm); break;
    default: h = (T / rm) * (1.0 + tb / rm); break;
  }
  if (!(h > 0.0) || !std::isfinite(h)) return Flag(s);
  s.io = std::max(1.8 / std::pow(h, 2.0 / 3.0), 1.0);
  s.ii = std::max(0.75 * s.io + 0.5, 1.0);
  if (rb / rm > 0.3 || tb / T > 0.3) {
    const double e = rb / rm > 0.7 ? 0.2415 : 0.2042;
    s.m = 2.5 * std::pow((rb / tb) * (rb / tb) * T / rm, e);
  } else {
    s.m = 1.8 + 2.8 * std::sqrt(rm / T) * (rb / rm);
  }
  double pressureTerm = 0.0;
  if (c.caseType == kCaseIdSustained) s.m = s.ii = s.io = 1.0;
  else pressureTerm = s.m * P * (2.0 * rm + Te) / (2.0 * Te);
  const double bending = std::sqrt(std::pow(s.Ma * s.ii, 2) + std::pow(s.Mb * s.io, 2));
  // The branch's own end (its OD is the branch's) takes the branch's
  // effective section; the run's ends the run's.
  if (std::fabs(D - (2.0 * rb + tb)) < 0.05) {
    const double ts = std::min(T, tb * s.io);
    s.sigma = pressureTerm + bending * rb / (kPi * rb * rb * rb * ts);
  } else {
    s.sigma = pressureTerm + (rm / I) * bending;
  }
  if (cm.settings.includeAxialForce) s.sigma += std::fabs(axial) / (kPi * (D * D - d * d) / 4.0);
  s.tau = std::fabs(D * s.Mt / (4.0 * I));
  s.S = std::sqrt(s.sigma * s.sigma + 4.0 * s.tau * s.tau);
}

}  // namespace

double Bs806ChartFactor(int chart, double lambda, double radiusRatio) {
  const Chart& c = kCharts[std::clamp(chart, 0, 3)];
  double lnLambda[7];
  for (int k = 0; k < 7; ++k) lnLambda[k] = std::log(c.lambda[k]);
  int i = 0, j = 0;
  double u = 0.0, v = 0.0;
  Interval(lnLambda, 7, std::log(lambda), i, u);
  Interval(kRadiusRatios, 4, std::min(radiusRatio, kRadiusRatios[3]), j, v);
  auto at = [&c](int row, int column) { return std::log(c.factor[row][column]); };
  const double lower = at(j, i) + u * (at(j, i + 1) - at(j, i));
  const double upper = at(j + 1, i) + u * (at(j + 1, i + 1) - at(j + 1, i));
  return std::exp(lower + v * (upper - lower));
}

bool IsBs806BranchNode(const CodeModel& cm, int node) { return Bs806BranchItem(cm, node) != nullptr; }

double Bs806CasePressure(const CodeModel& cm, const AnalysisElement& e, int caseType) {
  const double largest = e.load >= 1 ? std::fabs(ElementMaxPressure(cm.model, e)) : 0.0;
  // The hanger travel steps take T1's pressure.
  if (caseType == kCaseIdHangerTravel || caseType == kCaseIdRecalculatingHangerTravel) return Pressure(cm, e, 1);
  for (int k = 1; k <= 10; ++k)
    if (caseType == SingleThermalCase(k) || caseType == OperatingCase(k) || caseType == ColdSpringCase(k))
      return Pressure(cm, e, k);
  if (caseType == kCaseIdSettlement) return 0.0;
  if (caseType == kCaseIdHydrotest) {
    if (e.hydrotestRow < 1 || e.hydrotestRow > cm.model.rowCount) return 0.0;
    const auto* test = dynamic_cast<const HydrotestLoad*>(cm.model.row(e.hydrotestRow).element.get());
    return test != nullptr ? test->pressure : 0.0;
  }
  // An expansion range takes the larger of its two pressures.
  int i = 0, j = 0;
  if (ExpansionCaseTemperatures(caseType, i, j) && j != 0)
    return std::max(std::fabs(Pressure(cm, e, i)), std::fabs(Pressure(cm, e, j)));
  return largest;
}

std::array<Bs806EndStress, 2> ComputeBs806Stresses(const CodeStressCase& c, int element) {
  const CodeModel& cm = c.cm;
  const AnalysisElement& e = cm.Element(element);
  std::array<Bs806EndStress, 2> out{};
  const EndDimensions dims = ElementEndDimensions(cm, e);
  const auto& f = c.forces[static_cast<std::size_t>(element)].values;
  const double P = Bs806CasePressure(cm, e, c.caseType);
  const bool bend = IsBendKind(e.kind);
  double R = 0.0;
  int flanges = 0, spacing = 0;
  if (bend) {
    R = ElementBendRadius(cm.model, e);
    flanges = ElementBendFlanges(cm.model, e);
    const auto* b = dynamic_cast<const Bend*>(cm.model.row(e.row).element.get());
    const auto* miter = e.kind == 5 ? dynamic_cast<const MiterBend*>(b) : nullptr;
    spacing = miter != nullptr ? miter->spacing : 0;
  }
  for (int end = 0; end < 2; ++end) {
    Bs806EndStress& s = out[static_cast<std::size_t>(end)];
    const std::size_t base = end == 0 ? 0 : 6;
    const double axial = f[base];
    s.Mt = f[base + 3];
    s.Mb = f[base + 4];
    s.Ma = f[base + 5];
    s.bend = bend;
    const double D = dims.D[end], t = dims.t[end], d = D - 2.0 * t;
    const double r = (d + D) / 4.0, I = kPiOver64 * (std::pow(D, 4) - std::pow(d, 4));
    if (!(D > 0.0 && t > 0.0 && d > 0.0 && I > 0.0)) {
      Flag(s);
      continue;
    }
    const int node = end == 0 ? e.node1 : e.node2;
    if (IsBs806BranchNode(cm, node)) {
      const BranchMoments m = ResolveBranchMomentsInSifPlane(c, element, node);
      s.Ma = m.inPlane;
      s.Mb = m.outPlane;
      Bs806BranchStress(c, node, D, d, I, P, axial, s);
      continue;
    }
    double hoop = P * (d / t + 1.0) / 2.0;
    double longitudinal = P * d * d / (4.0 * t * (d + t));
    if (cm.settings.includeAxialForce) longitudinal += std::fabs(axial) / (kPi * (D * D - d * d) / 4.0);
    s.pressure = longitudinal;
    if (!bend) {
      s.sigma = std::max(hoop, longitudinal + (D / 2.0) * std::sqrt(s.Ma * s.Ma + s.Mb * s.Mb) / I);
    } else {
      const double lambda = R * t / (r * r);
      if (!(lambda > 0.0) || !std::isfinite(lambda) || !(2.0 * R - r > 0.0)) {
        Flag(s);
        continue;
      }
      double k = 1.0;
      if (lambda < 1.0 && flanges == 1) k = std::pow(lambda, 1.0 / 6.0);
      if (lambda < 1.0 && flanges == 2) k = std::pow(lambda, 1.0 / 3.0);
      if (spacing != 0) {
        hoop *= 1.0 + 0.6427 * (r / (2.0 * R - r)) * std::sqrt(r / t);
        const double l23 = std::pow(lambda, 2.0 / 3.0);
        s.ca = s.cb = std::max(k * 1.8 / l23, 1.0);
        s.la = s.lb = std::max(k * 1.35 / l23, 1.0);
      } else {
        const double ratio = R / r;
        s.ca = std::max(k * Bs806ChartFactor(0, lambda, ratio), 1.0);
        s.cb = std::max(k * Bs806ChartFactor(1, lambda, ratio), 1.0);
        s.la = std::max(k * Bs806ChartFactor(2, lambda, ratio), 1.0);
        s.lb = std::max(k * Bs806ChartFactor(3, lambda, ratio), 1.0);
      }
      s.circumferential = hoop + (r / I) * std::hypot(s.Mb * s.cb, s.ca * s.Ma);
      s.longitudinal = longitudinal + (r / I) * std::hypot(s.Mb * s.lb, s.la * s.Ma);
      s.sigma = std::max(s.circumferential, s.longitudinal);
    }
    s.hoop = hoop;
    s.tau = std::fabs(D * s.Mt / (4.0 * I));
    s.S = std::sqrt(s.sigma * s.sigma + 4.0 * s.tau * s.tau);
  }
  return out;
}

double Bs806SustainedAllowable(const CodeModel& cm, const AnalysisElement& e, int node) {
  const Material* m = MaterialOf(cm, e);
  if (m == nullptr) return 1.0;
  const double tmax = ElementMaxTemp(cm.model, e);
  double a = 0.0;
  if (IsBs806BranchNode(cm, node)) {
    a = 0.15 * AllowableAtTemperature(*m, tmax);
  } else {
    const double proof = Proof(*m, tmax), rupture = Rupture(*m, tmax);
    a = 0.8 * (rupture > 0.0 && rupture < proof ? rupture : proof);
  }
  return std::max(a, 1.0);
}

double Bs806ExpansionAllowable(const CodeModel& cm, const AnalysisElement& e, double hot, double cold) {
  const Material* m = MaterialOf(cm, e);
  if (m == nullptr) return 1.0;
  double hotValue = Proof(*m, hot);
  const double rupture = Rupture(*m, hot);
  if (rupture > 0.0) hotValue = std::min(hotValue, rupture);
  return std::max(0.9 * (hotValue + Proof(*m, cold)), 1.0);
}

double Bs806HotAllowable(const CodeModel& cm, const AnalysisElement& e, double temperature) {
  const Material* m = MaterialOf(cm, e);
  return m == nullptr ? 1.0 : std::max(Rupture(*m, temperature), 1.0);
}

double Bs806AllowablePressure(const CodeModel& cm, int element) {
  const AnalysisElement& e = cm.Element(element);
  if (e.kind == 9) return 0.0;
  const Material* m = MaterialOf(cm, e);
  const PipeSection* section = cm.SectionOf(e);
  if (m == nullptr || section == nullptr) return 0.0;
  const double f = AllowableAtTemperature(*m, ElementMaxTemp(cm.model, e));
  if (f < 1.1) return 0.0;
  const double fe = f * MaterialJointFactor(*m);
  const double D = section->outsideDiameter, t = ElementWallThickness(cm.model, e);
  const double te = (1.0 - section->millTolerance / 100.0) * t - section->corrosionAllowance;
  if (te < 0.0 || !(D - te > 0.0)) return 0.0;
  if (e.kind != 5) return 2.0 * te * fe / (D - te);
  const double q = (D - te) / (2.0 * te), r = (D - t) / 2.0, R = ElementBendRadius(cm.model, e);
  if (!(te > 0.0) || !(2.0 * R - r > 0.0)) return 0.0;
  return (fe / q) / (1.0 + 0.6427 * std::sqrt(q) * r / (2.0 * R - r));
}

int Bs806HotCaseType(const std::vector<int>& caseTypes, int i) {
  auto has = [&caseTypes](int type) { return std::find(caseTypes.begin(), caseTypes.end(), type) != caseTypes.end(); };
  if (i < 1 || i > 10) return 0;
  if (has(ColdSpringCase(i))) return ColdSpringCase(i);
  if (has(OperatingCase(i))) return OperatingCase(i);
  return 0;
}

namespace {

struct Pass {
  CodeStressResults& r;
  std::vector<ElementForces> forces;
  int caseType = 0;
};

Pass Load(CodeStressResults& r, int caseType, const std::function<void(int, std::vector<ElementForces>&)>& load) {
  Pass pass{r, {}, caseType};
  pass.forces.assign(static_cast<std::size_t>(r.elements.count) + 1, ElementForces{});
  load(caseType, pass.forces);
  pass.forces.resize(static_cast<std::size_t>(r.elements.count) + 1);
  return pass;
}

GoverningStress& Entry(CodeStressResults& r, int section, int node) {
  return r.sorted.sections[static_cast<std::size_t>(section)].entries[static_cast<std::size_t>(node)];
}

int Sort(CodeStressResults& r, int section) {
  return SortStressSection(r.sorted.sections[static_cast<std::size_t>(section)]);
}

void TakeSmallerCount(CodeStressResults& r, int count) {
  if (r.sorted.rowCount == 0 || r.sorted.rowCount > count) r.sorted.rowCount = count;
}

// Every record under the pass's case: `keep` gets each end's stress.
template <typename Keep>
void EachEnd(Pass& pass, Keep keep) {
  const CodeStressCase c{*pass.r.cm, pass.r.sifs, pass.forces, pass.caseType};
  for (int row = 1; row <= pass.r.RecordCount(); ++row) {
    CodeStressRecord& record = pass.r.records[static_cast<std::size_t>(row)];
    const AnalysisElement& e = pass.r.cm->Element(record.element);
    const std::array<Bs806EndStress, 2> s = ComputeBs806Stresses(c, record.element);
    for (int end = 0; end < 2; ++end) keep(record, e, end, end == 0 ? e.node1 : e.node2, s[static_cast<std::size_t>(end)].S);
  }
}

void Bs806SustainedStresses(CodeStressResults& r, const std::function<void(int, std::vector<ElementForces>&)>& load) {
  Pass pass = Load(r, kCaseIdSustained, load);
  EachEnd(pass, [&r](CodeStressRecord& record, const AnalysisElement& e, int end, int node, double S) {
    const double allowable = Bs806SustainedAllowable(*r.cm, e, node);
    record.SL[static_cast<std::size_t>(end)] = static_cast<float>(S);
    record.SH[static_cast<std::size_t>(end)] = static_cast<float>(allowable);
    StressRatio(Entry(r, kSustainedSection, node), S, allowable);
  });
  r.sorted.rowCount = Sort(r, kSustainedSection);
}

void KeepLargerAt(CodeStressResults& r, StressCheck& check, int section, int node, double S, double allowable) {
  if (KeepLargerStress(check, S, allowable)) StressRatio(Entry(r, section, node), S, allowable);
}

void Bs806ExpansionStresses(CodeStressResults& r, const std::vector<int>& caseTypes,
                            const std::function<void(int, std::vector<ElementForces>&)>& load) {
  const CodeModel& cm = *r.cm;
  for (int type : ExpansionCaseOrder()) {
    int i = 0, j = 0;
    if (std::find(caseTypes.begin(), caseTypes.end(), type) == caseTypes.end() || !ExpansionCaseTemperatures(type, i, j))
      continue;
    Pass pass = Load(r, type, load);
    EachEnd(pass, [&](CodeStressRecord& record, const AnalysisElement& e, int end, int node, double S) {
      double hot = Temperature(cm, e, i), cold = cm.settings.referenceTemperature;
      if (j != 0) {
        const double other = Temperature(cm, e, j);
        cold = std::min(hot, other);
        hot = std::max(hot, other);
      }
      KeepLargerAt(r, record.expansion[static_cast<std::size_t>(end)], kExpansionSection, node, S,
                   Bs806ExpansionAllowable(cm, e, hot, cold));
    });
  }
  TakeSmallerCount(r, Sort(r, kExpansionSection));
}

void Bs806HotStresses(CodeStressResults& r, const std::vector<int>& caseTypes,
                      const std::function<void(int, std::vector<ElementForces>&)>& load) {
  const CodeModel& cm = *r.cm;
  for (int i = 1; i <= 10; ++i) {
    const int type = Bs806HotCaseType(caseTypes, i);
    if (type == 0) continue;
    Pass pass = Load(r, type, load);
    EachEnd(pass, [&](CodeStressRecord& record, const AnalysisElement& e, int end, int node, double S) {
      KeepLargerAt(r, record.combined[static_cast<std::size_t>(end)], kHotSection, node, S,
                   Bs806HotAllowable(cm, e, Temperature(cm, e, i)));
    });
  }
  TakeSmallerCount(r, Sort(r, kHotSection));
}

}  // namespace

void Bs806CodeStresses(CodeStressResults& r, const std::vector<int>& caseTypes,
                       const std::function<void(int, std::vector<ElementForces>&)>& load) {
  const CategoryPresence& p = r.presence;
  if (p.sustained) Bs806SustainedStresses(r, load);
  if (p.expansion) Bs806ExpansionStresses(r, caseTypes, load);
  if (p.combined) Bs806HotStresses(r, caseTypes, load);
}
