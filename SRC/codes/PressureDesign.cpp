// EN 13480-3 internal and external pressure design; see PressureDesign.h.
#include "codes/PressureDesign.h"

#include <algorithm>
#include <cmath>

#include "codes/Allowables.h"
#include "elements/Bend.h"
#include "elements/Reducer.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "records/Material.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;
constexpr float kShortestLength = 3.937008e-05f;  // 0.001 mm

bool Formed(double value) { return std::isfinite(value) && !IsNotFormed(value); }
float Stored(double value) { return Formed(value) ? static_cast<float>(value) : kNotFormed; }

// The design type of a qualifying row's own record; 0 for other kinds.
int DesignTypeOf(ElementType type) {
  switch (type) {
    case ElementType::Pipe: return kDesignPipe;
    case ElementType::Bend: return kDesignBend;
    case ElementType::Miter: return kDesignMiter;
    case ElementType::JacketedPipe: return kDesignJacketedPipe;
    case ElementType::JacketedBend: return kDesignJacketedBend;
    case ElementType::Reducer: return kDesignReducer;
    default: return 0;
  }
}

bool IsBendRow(ElementType type) {
  return type == ElementType::Bend || type == ElementType::Miter || type == ElementType::JacketedBend;
}

// What a row's design takes from the model; `problem` says what it lacks.
struct RowProperties {
  const PipeSection* section = nullptr;
  const Material* material = nullptr;
  const PipeLoad* load = nullptr;
  std::string problem;
};

RowProperties PropertiesOf(const Model& model, int row) {
  const LayoutRow& r = model.row(row);
  RowProperties p;
  std::string material = r.material;
  if (const auto* bend = dynamic_cast<const Bend*>(r.element.get()); bend != nullptr && !bend->material.empty())
    material = bend->material;
  const int load = FindPipeLoadByName(model.pipeLoads, r.load);
  const int section = FindSectionByName(model.sections, r.section);
  const int m = FindMaterialByName(model.materials, material);
  if (load == 0) p.problem = "Row " + std::to_string(row) + ": no pipe load";
  else if (section == 0) p.problem = "Row " + std::to_string(row) + ": no pipe section";
  else if (m == 0) p.problem = "Row " + std::to_string(row) + ": no material";
  else if (model.materials[m].numtemps < 1) p.problem = "Row " + std::to_string(row) + ": material " + material + " has no properties";
  if (!p.problem.empty()) return p;
  p.load = &model.pipeLoads[load];
  p.section = &model.sections[section];
  p.material = &model.materials[m];
  return p;
}

std::int32_t NodeIdAt(const Model& model, int index) {
  return index >= 1 && index <= model.nodes.count ? model.nodes[index].id : 0;
}

// The bend radius of a Bend, Miter or Jacketed bend row (the core's).
float RowBendRadius(const Model& model, int row) {
  const auto* bend = dynamic_cast<const Bend*>(model.row(row).element.get());
  return bend != nullptr ? bend->radius : 0.0f;
}

// The analysis thickness: the wall less corrosion and mill tolerance.
double AnalysisThickness(double t, double c, double tolerance) { return t - c - t * tolerance / 100.0; }

// The cone's half angle (radians): the stored angle in degrees, else the
// half angle of the cone between the two diameters over its length.
double ConeAngle(double stored, double D1, double D2, double L) {
  if (stored != 0.0) return stored * kDegree;
  if (!(L > 0.0)) return kNotFormed;
  return std::atan(std::fabs(D1 - D2) / (2.0 * L));
}

// The root of g on (0, infinity) that lies first past `start` going up,
// bracketed and bisected; 0 when g is not negative at the smallest wall;
// false when g is not finite.
template <typename G>
bool SolveWall(G g, double& root) {
  double low = 1.0e-9;
  double gLow = g(low);
  if (!std::isfinite(gLow)) return false;
  if (gLow >= 0.0) {
    root = 0.0;
    return true;
  }
  double high = low;
  double gHigh = gLow;
  for (int i = 0; i < 200 && gHigh < 0.0; ++i) {
    low = high;
    high *= 2.0;
    gHigh = g(high);
    if (!std::isfinite(gHigh)) return false;
  }
  if (gHigh < 0.0) return false;
  for (int i = 0; i < 200 && high - low > 1.0e-12 * high; ++i) {
    const double middle = 0.5 * (low + high);
    const double value = g(middle);
    if (!std::isfinite(value)) return false;
    if (value < 0.0) low = middle;
    else high = middle;
  }
  root = 0.5 * (low + high);
  return true;
}

}  // namespace

const char* PressureDesignTypeName(int type) {
  static const char* const names[] = {"", "Pipe", "Elbow", "Bend", "Miter", "Jpipe", "Jbend", "Reducer"};
  return type >= 1 && type <= 7 ? names[type] : "";
}

// --- the rules -------------------------------------------------------------------------

double StraightPipeThickness(double D, double p, double fz, double ratio) {
  if (!(fz > 0.0) || !(p < fz) || !(D > 0.0) || !std::isfinite(ratio)) return kNotFormed;
  if (ratio >= 1.7 || ratio < 0.0) return D / 2.0 * (1.0 - std::sqrt((fz - p) / (fz + p)));
  return p * D / (2.0 * fz + p);
}

double ElbowThickness(double D, double R, double e) {
  if (!Formed(e) || !(e > 0.0) || !(R > D / 2.0)) return kNotFormed;
  const double u = D / (2.0 * e), v = R / e;
  const double root = (u - v) * (u - v) + 2.0 * v - u;
  if (root < 0.0) return kNotFormed;
  return e * ((u - v) + std::sqrt(root));
}

void BendThicknesses(double D, double R, double e, double& intrados, double& extrados) {
  intrados = extrados = kNotFormed;
  if (!Formed(e) || !(e > 0.0) || !(R > D / 2.0)) return;
  const double u = D / (2.0 * e), v = R / e;
  const double below = v * v - (u - 1.0) * u;
  const double q2 = (v * v - u * u) / below;
  if (!(below > 0.0) || q2 < 0.0) return;
  const double q = std::sqrt(q2);
  intrados = e * ((v + u) - (v + u - 1.0) * q);
  extrados = e * ((u - v) - (u - v - 1.0) * q);
}

bool ConeThicknesses(double D1, double t1, double D2, double t2, double alpha, double p, double fz, double& ep1,
                     double& ep2) {
  ep1 = ep2 = kNotFormed;
  if (!(fz > 0.0) || !(p < fz) || !(alpha >= 0.0) || !(alpha < kPi / 2.0)) return true;
  const double cosine = std::cos(alpha), tangent = std::tan(alpha);
  const double large = D1 - t1, small = D2 - t2;
  if (!(large > 0.0) || !(small > 0.0)) return true;
  // Large end: e = (D1 - t1) p ((1/3) sqrt((D1 - t1)/e) tan a / (1 + 1/sqrt(cos a)) - 0.15) / 2fz.
  double e1 = 0.0;
  const bool settledLarge = SolveWall(
      [&](double e) {
        return e - large * p * (std::sqrt(large / e) * tangent / (3.0 * (1.0 + 1.0 / std::sqrt(cosine))) - 0.15) /
                       (2.0 * fz);
      },
      e1);
  if (!settledLarge) return false;
  ep1 = std::max(e1, D1 * p / (2.0 * fz + p));
  const double ec = std::max(e1, D1 * p / ((2.0 * fz + p) * cosine));
  // Small end: e = (D2 - t2) p (0.4 sqrt((D2 - t2)/e) tan a / tau + 0.5) / 2fz, tau of s = ec / e.
  double e2 = 0.0;
  const bool settledSmall = SolveWall(
      [&](double e) {
        const double s = ec / e;
        const double tau = s >= 1.0 ? 1.0 + std::sqrt(s * (1.0 + s * s) / (2.0 * cosine))
                                    : s * std::sqrt(s / cosine) + std::sqrt((1.0 + s * s) / 2.0);
        return e - small * p * (0.4 * std::sqrt(small / e) * tangent / tau + 0.5) / (2.0 * fz);
      },
      e2);
  if (!settledSmall) {
    ep1 = kNotFormed;
    return false;
  }
  ep2 = std::max(e2, D2 * p / (2.0 * fz + p));
  return true;
}

double CollapseCurve(double x) {
  static const double points[27][2] = {
      {0.5, 0.2505},  {0.75, 0.375},  {1, 0.4995},    {1.25, 0.6045}, {1.5, 0.6795}, {1.75, 0.72},  {2, 0.7545},
      {2.25, 0.78},   {2.5, 0.8025},  {2.75, 0.822},  {3, 0.8355},    {3.25, 0.849}, {3.5, 0.861},  {3.75, 0.87},
      {4, 0.879},     {4.25, 0.8865}, {4.5, 0.8955},  {4.75, 0.9045}, {5, 0.9135},   {5.25, 0.9165}, {5.5, 0.9225},
      {5.75, 0.9285}, {6, 0.9345},    {6.25, 0.9405}, {6.5, 0.9465},  {6.75, 0.9525}, {7, 0.9585}};
  if (!(x > 0.0)) return 0.0;
  if (x > 7.0) return 0.9585;
  // Below the first point the curve runs straight to the origin.
  if (x <= 0.5) return points[0][1] / points[0][0] * x;
  int i = 1;
  while (points[i][0] < x) ++i;
  const double x0 = points[i - 1][0], y0 = points[i - 1][1], x1 = points[i][0], y1 = points[i][1];
  return y0 + (x - x0) / (x1 - x0) * (y1 - y0);
}

double InstabilityPressureWithWaves(double E, double ea, double R, double L, double nu, int n) {
  const double Z = kPi * R / L, Z2 = Z * Z, n2 = static_cast<double>(n) * n;
  const double first = 1.0 / std::pow(n2 / Z2 + 1.0, 2);
  const double second = ea * ea * std::pow(n2 - 1.0 + Z2, 2) / (12.0 * R * R * (1.0 - nu * nu));
  const double epsilon = (first + second) / (n2 - 1.0 + Z2 / 2.0);
  return E * ea * epsilon / R;
}

double ElasticInstabilityPressure(double E, double ea, double R, double L, double nu, int* waves) {
  double least = InstabilityPressureWithWaves(E, ea, R, L, nu, 2);
  int at = 2;
  // The pressure falls to its least and then rises with n; the search runs
  // well past the least so that a shallow valley is not cut short.
  for (int n = 3; n <= 400 && n <= at + 50; ++n) {
    const double pm = InstabilityPressureWithWaves(E, ea, R, L, nu, n);
    if (pm < least) {
      least = pm;
      at = n;
    }
  }
  if (waves != nullptr) *waves = at;
  return least;
}

// --- the records ------------------------------------------------------------------------

bool ComputeInternalDesignRecord(InternalDesignRecord& r) {
  const double fz = static_cast<double>(r.f) * r.z, p = r.p;
  const double D = r.OD1, t = r.t1;
  const double ea = AnalysisThickness(t, r.c, r.millTolerance);
  r.ep1 = r.ep2 = r.Uf1 = r.Uf2 = 0.0f;
  auto utilisation = [](double ep, double ea) { return Formed(ep) && ea > 0.0 ? ep / ea : kNotFormed; };
  switch (r.type) {
    case kDesignPipe:
    case kDesignJacketedPipe: {
      r.ea1 = r.ea2 = static_cast<float>(ea);
      const double e = ea > 0.0 ? StraightPipeThickness(D, p, fz, D / (D - 2.0 * ea)) : kNotFormed;
      r.ep1 = r.ep2 = Stored(e);
      r.Uf1 = r.Uf2 = Stored(utilisation(e, ea));
      return true;
    }
    case kDesignElbow: {
      r.ea1 = r.ea2 = static_cast<float>(ea);
      const double e = StraightPipeThickness(D, p, fz, D / (D - 2.0 * t));
      const double ep = ElbowThickness(D, r.R, e);
      r.ep1 = Stored(ep);
      r.Uf1 = Stored(utilisation(ep, ea));
      return true;
    }
    case kDesignBend:
    case kDesignMiter:
    case kDesignJacketedBend: {
      r.ea1 = r.ea2 = static_cast<float>(ea);
      const double e = StraightPipeThickness(D, p, fz, D / (D - 2.0 * t));
      double intrados = 0.0, extrados = 0.0;
      BendThicknesses(D, r.R, e, intrados, extrados);
      r.ep1 = Stored(intrados);
      r.ep2 = Stored(extrados);
      r.Uf1 = Stored(utilisation(intrados, ea));
      r.Uf2 = Stored(utilisation(extrados, ea));
      return true;
    }
    case kDesignReducer: {
      const double ea1 = AnalysisThickness(r.t1, r.c, r.millTolerance), ea2 = AnalysisThickness(r.t2, r.c, r.millTolerance);
      r.ea1 = static_cast<float>(ea1);
      r.ea2 = static_cast<float>(ea2);
      const double alpha = ConeAngle(r.coneAngle, r.OD1, r.OD2, r.length);
      double ep1 = kNotFormed, ep2 = kNotFormed;
      const bool settled = !Formed(alpha) || ConeThicknesses(r.OD1, r.t1, r.OD2, r.t2, alpha, p, fz, ep1, ep2);
      r.ep1 = Stored(ep1);
      r.ep2 = Stored(ep2);
      r.Uf1 = Stored(utilisation(ep1, ea1));
      r.Uf2 = Stored(utilisation(ep2, ea2));
      return settled;
    }
    default: return true;
  }
}

namespace {

// Pr of a cylinder of mean radius R and wall ea; kNotFormed when the
// inputs give none. `pmPy` gets Pm / Py.
double CollapsePressure(double sigmaE, double E, double ea, double R, double L, double nu, double& pmPy) {
  pmPy = kNotFormed;
  if (!(ea > 0.0) || !(R > 0.0) || !(E > 0.0) || !(sigmaE > 0.0) || !(L > 0.0) || !(nu < 1.0)) return kNotFormed;
  const double py = sigmaE * ea / R, pm = ElasticInstabilityPressure(E, ea, R, L, nu);
  if (!Formed(pm) || !(py > 0.0)) return kNotFormed;
  pmPy = pm / py;
  return CollapseCurve(pmPy) * py;
}

}  // namespace

void ComputeExternalDesignRecord(ExternalDesignRecord& r) {
  r.KPc = 1.5f * r.Pc;
  double pmPy = kNotFormed, pr = kNotFormed;
  if (r.type != kDesignReducer) {
    const double ea = AnalysisThickness(r.t1, r.c, r.millTolerance);
    r.ea1 = r.ea2 = static_cast<float>(ea);
    const double R = (r.OD1 + (r.OD1 - 2.0 * r.t1)) * 0.25;
    if (r.L == 0.0f) r.L = kShortestLength;
    pr = CollapsePressure(r.sigmaE, r.E, ea, R, r.L, r.nu, pmPy);
  } else {
    const double ea1 = AnalysisThickness(r.t1, r.c, r.millTolerance), ea2 = AnalysisThickness(r.t2, r.c, r.millTolerance);
    r.ea1 = static_cast<float>(ea1);
    r.ea2 = static_cast<float>(ea2);
    if (r.L == 0.0f) r.L = kShortestLength;
    const double D1 = r.OD1, D2 = r.OD2, L = r.L;
    const double alpha = ConeAngle(r.coneAngle, D1, D2, L);
    r.Ix = r.Ixa = r.IxRatio = kNotFormed;
    if (Formed(alpha) && alpha < kPi / 2.0 && ea1 > 0.0 && ea2 > 0.0) {
      const double Dm = ((D1 + D2) / 2.0) / std::cos(alpha);
      const double Re = D1 / 2.0 - (D1 - Dm);
      pr = CollapsePressure(r.sigmaE, r.E, ea1, Re, L, r.nu, pmPy);
      const double A1 = std::sqrt(Dm * ea1) * std::pow((D1 - ea1) / 2.0, 2) * ea1;
      const double A2 = std::sqrt(Dm * ea2) * std::pow((D2 - ea2) / 2.0, 2) * ea2;
      const double B1 = std::sqrt(Dm * ea1) * ea1, B2 = std::sqrt(Dm * ea2) * ea2;
      const double s = std::sqrt((A1 + A2) / (B1 + B2));
      if (r.E > 0.0f && std::isfinite(s)) {
        const double ix = 0.18 * r.Pc * (2.0 * s) * (2.0 * s) * Dm * L / r.E;
        r.Ix = Stored(ix);
        r.Ixa = Stored(A2);
        r.IxRatio = A2 > 0.0 ? Stored(ix / A2) : kNotFormed;
      }
    }
  }
  r.Pr = Stored(pr);
  r.PmPy = Stored(pmPy);
  r.PrRatio = Formed(pr) && r.KPc > 0.0f ? Stored(pr / r.KPc) : kNotFormed;
}

// --- the designs over the model ------------------------------------------------------------

namespace {

bool Qualifies(const LayoutRow& row) { return DesignTypeOf(row.elementType) != 0; }

const char* const kNoPressure = ": no positive design pressure";

// The most negative operating pressure of a pipe load over the pairs in use.
double MostNegativePressure(const PipeLoad& load, int thermalLoadCount) {
  double least = load.operating[0].pressure;
  for (int i = 1; i < PipeLoadPairsInUse(thermalLoadCount); ++i)
    least = std::min<double>(least, load.operating[static_cast<std::size_t>(i)].pressure);
  return least;
}

double DesignAllowable(const Material& m, double temperature) { return AllowableAtTemperature(m, temperature); }

// The yield of the external design: the yield at the design temperature,
// else 1.5 f there; 0.8 of it for an austenitic steel.
double CollapseYield(const Material& m, double temperature) {
  double sigma = YieldAtTemperature(m, temperature);
  if (!(sigma > 0.0)) sigma = 1.5 * DesignAllowable(m, temperature);
  if (m.type == "AS") sigma *= 0.8;
  return sigma;
}

// The reducer's two ends with the larger diameter first.
void ReducerEnds(const Reducer& reducer, float& D1, float& t1, float& D2, float& t2) {
  const bool firstLarger = reducer.od1 >= reducer.od2;
  D1 = firstLarger ? reducer.od1 : reducer.od2;
  t1 = firstLarger ? reducer.thk1 : reducer.thk2;
  D2 = firstLarger ? reducer.od2 : reducer.od1;
  t2 = firstLarger ? reducer.thk2 : reducer.thk1;
}

}  // namespace

int CountInternalDesignRecords(const Model& model) {
  int count = 0;
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& r = model.row(row);
    if (!Qualifies(r)) continue;
    count += r.elementType == ElementType::Bend || r.elementType == ElementType::JacketedBend ? 2 : 1;
  }
  return count;
}

InternalDesignRun InternalPressureDesign(const Model& model) {
  InternalDesignRun run;
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& r = model.row(row);
    if (!Qualifies(r)) continue;
    const RowProperties props = PropertiesOf(model, row);
    if (!props.problem.empty()) {
      run.problems.push_back(props.problem);
      continue;
    }
    const PipeLoad& load = *props.load;
    if (!(load.designPressure > 1.0e-30f)) {
      run.problems.push_back("Row " + std::to_string(row) + kNoPressure);
      continue;
    }
    const Material& m = *props.material;
    const PipeSection& s = *props.section;
    InternalDesignRecord base;
    base.fromNode = NodeIdAt(model, r.startNode);
    base.toNode = NodeIdAt(model, r.endNode);
    base.row = row;
    base.designTemperature = load.designTemperature;
    base.p = load.designPressure;
    base.f = static_cast<float>(DesignAllowable(m, load.designTemperature));
    base.z = MaterialJointFactor(m);
    base.OD1 = base.OD2 = s.outsideDiameter;
    base.t1 = base.t2 = s.thickness;
    base.c = s.corrosionAllowance;
    base.millTolerance = s.millTolerance;
    if (const auto* reducer = dynamic_cast<const Reducer*>(r.element.get())) {
      ReducerEnds(*reducer, base.OD1, base.t1, base.OD2, base.t2);
      base.coneAngle = reducer->coneAngle;
      base.length = static_cast<float>(NodeDistanceDouble(model.nodes, r.startNode, r.endNode));
    }
    if (IsBendRow(r.elementType)) base.R = RowBendRadius(model, row);
    if (r.elementType == ElementType::Bend || r.elementType == ElementType::JacketedBend) {
      InternalDesignRecord elbow = base;
      elbow.type = kDesignElbow;
      ComputeInternalDesignRecord(elbow);
      run.records.push_back(elbow);
    }
    base.type = DesignTypeOf(r.elementType);
    if (!ComputeInternalDesignRecord(base))
      run.problems.push_back("Row " + std::to_string(row) + ": the cone's wall thickness does not settle");
    run.records.push_back(base);
  }
  return run;
}

int CountExternalDesignRecords(const Model& model) {
  int count = 0;
  const int pairs = model.options.ThermalLoadCount;
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& r = model.row(row);
    if (!Qualifies(r)) continue;
    const int load = FindPipeLoadByName(model.pipeLoads, r.load);
    if (load == 0 || !(MostNegativePressure(model.pipeLoads[load], pairs) < 0.0)) continue;
    ++count;
    if (IsBendRow(r.elementType) && NodeDistance(model.nodes, r.startNode, r.endNode) != 0.0f) ++count;
  }
  return count;
}

ExternalDesignRun ExternalPressureDesign(const Model& model) {
  ExternalDesignRun run;
  const int pairs = model.options.ThermalLoadCount;
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& r = model.row(row);
    if (!Qualifies(r)) continue;
    const int loadIndex = FindPipeLoadByName(model.pipeLoads, r.load);
    if (loadIndex != 0 && !(MostNegativePressure(model.pipeLoads[loadIndex], pairs) < 0.0)) continue;
    const RowProperties props = PropertiesOf(model, row);
    if (!props.problem.empty()) {
      run.problems.push_back(props.problem);
      continue;
    }
    const PipeLoad& load = *props.load;
    const Material& m = *props.material;
    const PipeSection& s = *props.section;
    const double temperature = load.designTemperature;
    ExternalDesignRecord base;
    base.row = row;
    base.designTemperature = load.designTemperature;
    base.Pc = static_cast<float>(-MostNegativePressure(load, pairs));
    base.f = static_cast<float>(DesignAllowable(m, temperature));
    base.sigmaE = static_cast<float>(CollapseYield(m, temperature));
    base.E = static_cast<float>(MaterialValueAtTemp(m, static_cast<float>(temperature)));
    base.nu = m.nu > 0.0f ? m.nu : 0.3f;
    base.OD1 = base.OD2 = s.outsideDiameter;
    base.t1 = base.t2 = s.thickness;
    base.c = s.corrosionAllowance;
    base.millTolerance = s.millTolerance;
    auto add = [&run, &model](ExternalDesignRecord record, int type, int from, int to) {
      record.type = type;
      record.fromIndex = from;
      record.toIndex = to;
      record.fromNode = NodeIdAt(model, from);
      record.toNode = NodeIdAt(model, to);
      if (type == kDesignPipe || type == kDesignJacketedPipe || type == kDesignReducer)
        record.L = static_cast<float>(NodeDistanceDouble(model.nodes, from, to));
      ComputeExternalDesignRecord(record);
      run.records.push_back(record);
    };
    if (IsBendRow(r.elementType)) {
      const auto* bend = dynamic_cast<const Bend*>(r.element.get());
      if (NodeDistance(model.nodes, r.startNode, r.endNode) != 0.0f) add(base, kDesignPipe, r.startNode, r.endNode);
      ExternalDesignRecord arc = base;
      arc.Rb = RowBendRadius(model, row);
      arc.theta = bend != nullptr ? bend->bendAngle : 0.0f;
      arc.L = static_cast<float>((arc.OD1 / 2.0 + arc.Rb) * arc.theta);
      const int type = r.elementType == ElementType::Bend ? kDesignElbow
                       : r.elementType == ElementType::Miter ? kDesignMiter : kDesignJacketedBend;
      add(arc, type, r.endNode, bend != nullptr ? bend->farNode : r.endNode);
      continue;
    }
    if (const auto* reducer = dynamic_cast<const Reducer*>(r.element.get())) {
      ReducerEnds(*reducer, base.OD1, base.t1, base.OD2, base.t2);
      base.coneAngle = reducer->coneAngle;
      add(base, kDesignReducer, r.startNode, r.endNode);
      continue;
    }
    add(base, kDesignPipe, r.startNode, r.endNode);
  }
  return run;
}

std::vector<InternalDesignRecord>& InternalDesignRecords() {
  static std::vector<InternalDesignRecord> records;
  return records;
}

std::vector<ExternalDesignRecord>& ExternalDesignRecords() {
  static std::vector<ExternalDesignRecord> records;
  return records;
}

void FreePressureDesignRecords() {
  InternalDesignRecords().clear();
  ExternalDesignRecords().clear();
}
