// The soil springs of buried pipe; see SoilSprings.h.
//
// The capacities are the usual ones of buried pipeline practice: axial
// friction of the overburden on the pipe wall (cohesionless) or adhesion of
// the undrained strength (cohesive), passive earth pressure across the
// pipe, bearing capacity below it and the weight of the soil column (plus
// the shear of the cohesive soil) above it. A cohesive soil's adhesion
// factor is a fit in kPa, so the strength is turned into kPa for it.
#include "analysis/SoilSprings.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "kindbase/LoadCaseKinds.h"
#include "kindbase/NonlinearConvergence.h"
#include "kindbase/NonlinearSupports.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "records/LoadCaseList.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"
#include "services/LoadCaseTypes.h"
#include "services/NumberFormat.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180.0;
constexpr double kShortest = 0.01;
constexpr double kKpaPerPsi = 6.89476;
constexpr double kSmallDelta = 0.17453292;  // 10 degrees
constexpr int kBuriedRestraintKind = 101;

int VerticalAxis(const Model& model) { return model.options.ZVertical != 0 ? 2 : 1; }

double Elevation(const Model& model, int node) {
  const NodeRecord& n = model.nodes[node];
  return model.options.ZVertical != 0 ? n.z : n.y;
}

// The element's axial and transverse unit vectors and lengths.
struct ElementGeometry {
  double length = 0.0, horizontal = 0.0;
  Direction3 axial{}, across{};
};

ElementGeometry GeometryOf(const Model& model, const AnalysisElement& element) {
  const NodeRecord& a = model.nodes[element.node1];
  const NodeRecord& b = model.nodes[element.node2];
  const double dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y,
               dz = static_cast<double>(b.z) - a.z;
  ElementGeometry g;
  g.length = std::sqrt(dx * dx + dy * dy + dz * dz);
  if (g.length < kShortest) return g;
  g.axial = {dx / g.length, dy / g.length, dz / g.length};
  const bool zVertical = model.options.ZVertical != 0;
  g.horizontal = zVertical ? std::hypot(dx, dy) : std::hypot(dx, dz);
  const double ex = g.axial[0], ey = g.axial[1], ez = g.axial[2];
  const double h = zVertical ? std::hypot(ex, ey) : std::hypot(ex, ez);
  if (g.horizontal < kShortest)
    g.across = zVertical ? Direction3{1.0, 0.0, 0.0} : Direction3{0.0, 0.0, 1.0};
  else
    g.across = zVertical ? Direction3{ey / h, -ex / h, 0.0} : Direction3{-ez / h, 0.0, ex / h};
  return g;
}

bool BuriedKind(const AnalysisElement& element) { return element.kind == 3 || element.kind == 6; }

// The element's soil (null: not buried), or a throw for a soil that is gone.
const Soil* SoilOf(const Model& model, const AnalysisElement& element) {
  if (element.section < 1 || element.section > model.sections.count) return nullptr;
  const PipeSection& section = model.sections[element.section];
  if (section.soil.empty()) return nullptr;
  const int soil = FindSoilByName(model.soils, section.soil);
  if (soil == 0) throw CFormat("Soil %s is not defined", section.soil.c_str());
  return &model.soils[soil];
}

DirectionalSoilSpring Directional(int node, double k, double load, const Direction3& c) {
  DirectionalSoilSpring spring;
  spring.node = node;
  spring.initialStiffness = static_cast<float>(k);
  spring.maximumLoad = static_cast<float>(load);
  spring.direction = {static_cast<float>(c[0]), static_cast<float>(c[1]), static_cast<float>(c[2])};
  spring.current = spring.initialStiffness;
  spring.saved.fill(spring.initialStiffness);
  return spring;
}

VerticalSoilSpring Vertical(int node, const SoilSpringValues& v) {
  VerticalSoilSpring spring;
  spring.node = node;
  spring.downStiffness = static_cast<float>(v.downStiffness / 2.0);
  spring.downLoad = static_cast<float>(v.downLoad / 2.0);
  spring.upStiffness = static_cast<float>(v.upStiffness / 2.0);
  spring.upLoad = static_cast<float>(v.upLoad / 2.0);
  spring.current = spring.downStiffness;
  spring.saved.fill(spring.downStiffness);
  return spring;
}

// Walks the buried elements: `each(element number, element, values, geometry)`.
template <typename Each>
void ForEachBuriedElement(const Model& model, const AnalysisElementList& elements, Each each) {
  const double factor = model.options.YieldDisplacementFactor;
  for (int e = 1; e <= elements.count; ++e) {
    const AnalysisElement& element = elements[e];
    if (!BuriedKind(element)) continue;
    const ElementGeometry g = GeometryOf(model, element);
    if (g.length < kShortest) continue;
    const Soil* soil = SoilOf(model, element);
    if (soil == nullptr) continue;
    const double D = model.sections[element.section].outsideDiameter;
    const double H = soil->groundLevel - (Elevation(model, element.node1) + Elevation(model, element.node2)) / 2.0;
    if (H <= 0.0) continue;
    each(e, element, ElementSoilSpringValues(*soil, D, g.length, g.horizontal, H, factor), g);
  }
}

SoilRestraintRecord SummaryOf(int e, const SoilSpringValues& v) {
  SoilRestraintRecord record;
  record.element = e;
  const double values[8] = {v.axialStiffness, v.axialLoad, v.transverseStiffness, v.transverseLoad,
                            v.downStiffness,  v.downLoad,  v.upStiffness,         v.upLoad};
  for (std::size_t i = 0; i < 8; ++i) record.values[i] = static_cast<float>(values[i]);
  return record;
}

// The stiffness the spring takes into the current assembly.
template <typename Spring>
float StiffnessForCase(Spring& spring) {
  bool iterated = false;
  const int slot = SoilSpringSlot(CurrentCaseType(), iterated);
  QV_ASSERT(slot != 0);
  float& saved = spring.saved[static_cast<std::size_t>(slot - 1)];
  if (iterated) saved = spring.current;
  return saved;
}

bool IteratedCase() {
  bool iterated = false;
  return SoilSpringSlot(CurrentCaseType(), iterated) != 0 && iterated;
}

void Converged(double d, double previous, int node) {
  if (!NonlinearConverged(d, previous, 0, kBuriedRestraintKind, node)) CountNonlinearChange();
}

}  // namespace

SoilSpringValues ElementSoilSpringValues(const Soil& soil, double D, double L, double Lh, double H, double factor) {
  SoilSpringValues v;
  const double density = soil.density, strength = soil.strength, delta = soil.delta;
  const bool cohesive = soil.type == kSoilCohesive;
  const double phi = delta + 5.0 * kDegree;
  if (cohesive) {
    const double alpha = std::min(1.7012775 * std::exp(-0.00833699 * kKpaPerPsi * strength), 1.0);
    v.axialLoad = kPi * alpha * strength * D * L;
    v.transverseLoad = (2.0 * strength + 1.5 * strength * H / D + density * H) * D * L;
  } else {
    v.axialLoad = kPi * D * L * (density * H) * soil.Ks * std::tan(delta);
    const double kp = (1.0 + std::sin(phi)) / (1.0 - std::sin(phi));
    v.transverseLoad = kp * kp * (density * H) * D * L;
  }
  const double hb = H + D / 2.0;
  if (cohesive) {
    v.downLoad = (hb * density + 5.7182 * strength) * Lh * D;
  } else {
    const double nq = 0.98414 * std::exp(0.107311 * phi / kDegree);
    const double ngamma = (nq - 1.0) * std::tan(1.4 * phi);
    // The stored delta is a float: 10 degrees entered is the float of
    // 0.17453292, which compared in double would lie just above it.
    const double depth = soil.delta <= static_cast<float>(kSmallDelta) ? 1.0 : 1.0 + 0.1 * (H / D) * std::tan(45.0 * kDegree + phi / 2.0);
    v.downLoad = (depth * nq * hb * density + depth * ngamma * D * density * 0.5) * Lh * D;
  }
  const double hc = H - D / 2.0;
  if (hc > 0.0) {
    v.upLoad = hc * Lh * D * density;
    if (cohesive) v.upLoad += 2.0 * hc * strength * Lh;
  }
  const double yield = factor * D;
  v.axialStiffness = v.axialLoad / yield;
  v.transverseStiffness = v.transverseLoad / yield;
  v.downStiffness = v.downLoad / yield;
  v.upStiffness = v.upLoad / yield;
  return v;
}

SoilSpringSet& TheSoilSprings() {
  static SoilSpringSet set;
  return set;
}

void SetBuriedFlag(const Model& model) { TheSoilSprings().buried = ModelHasBuriedPipe(model); }

std::vector<SoilRestraintRecord> SoilRestraintRecords(const Model& model, const AnalysisElementList& elements) {
  std::vector<SoilRestraintRecord> records;
  ForEachBuriedElement(model, elements,
                       [&](int e, const AnalysisElement&, const SoilSpringValues& v, const ElementGeometry&) {
                         records.push_back(SummaryOf(e, v));
                       });
  return records;
}

void ComputeSoilSprings(const Model& model, const AnalysisElementList& elements, BinaryFile& file) {
  SoilSpringSet& set = TheSoilSprings();
  set.directional.clear();
  set.vertical.clear();
  std::vector<SoilRestraintRecord> summary;
  ForEachBuriedElement(model, elements, [&](int e, const AnalysisElement& element, const SoilSpringValues& v,
                                            const ElementGeometry& g) {
    for (int node : {element.node1, element.node2})
      set.directional.push_back(Directional(node, v.axialStiffness / 2.0, v.axialLoad / 2.0, g.axial));
    for (int node : {element.node1, element.node2})
      set.directional.push_back(Directional(node, v.transverseStiffness / 2.0, v.transverseLoad / 2.0, g.across));
    // A riser has no one horizontal direction across it: with a single
    // spring it would be free across in the other, so it gets both.
    if (g.horizontal < kShortest) {
      const Direction3 other = model.options.ZVertical != 0 ? Direction3{0.0, 1.0, 0.0} : Direction3{1.0, 0.0, 0.0};
      for (int node : {element.node1, element.node2})
        set.directional.push_back(Directional(node, v.transverseStiffness / 2.0, v.transverseLoad / 2.0, other));
    }
    for (int node : {element.node1, element.node2}) set.vertical.push_back(Vertical(node, v));
    summary.push_back(SummaryOf(e, v));
  });
  BinaryFileWriteInt(file, static_cast<std::int32_t>(summary.size()));
  for (const SoilRestraintRecord& record : summary) {
    BinaryFileWriteInt(file, record.element);
    BinaryFileWriteFloats(file, record.values.data(), record.values.size());
    BinaryFileWriteBytes(file, record.spare.data(), record.spare.size());
  }
}

void ClearSoilSprings() {
  SoilSpringSet& set = TheSoilSprings();
  set.directional.clear();
  set.vertical.clear();
  set.buried = false;
}

int SoilSpringSlot(int caseType, bool& iterated) {
  iterated = false;
  // The hanger load step and the buried steps settle the soil of their
  // thermal state; the cases after them take what was settled.
  if (caseType == kCaseIdHangerLoads) return iterated = true, 1;
  for (int k = 1; k <= 10; ++k)
    if (caseType == BuriedCase(k)) return iterated = true, k;
  for (int k = 1; k <= 10; ++k)
    if (caseType == SingleThermalCase(k) || caseType == OperatingCase(k) || caseType == ColdSpringCase(k) ||
        caseType == SustainedPressureCase(k))
      return k;
  // The cases of no thermal state of their own take T1's soil.
  static constexpr int kFirstSlotCases[] = {
      kCaseIdSustained,           kCaseIdSettlement,    kCaseIdStaticSeismic,
      kCaseIdWind,                kCaseIdColdSpringSustained,
      kCaseIdHydrotest,           kCaseIdHangerTravel,  kCaseIdRecalculatingHangerLoads,
      kCaseIdRecalculatingHangerTravel,                 kCaseIdDesigningHangers,
      kCaseIdHangerColdLoads,     kCaseIdXAcceleration, kCaseIdYAcceleration,
      kCaseIdZAcceleration,       kCaseIdModal,         kCaseIdResponseSpectrum,
      kCaseIdStaticAnalysis,      kCaseIdSeismicDisplacement,
      kCaseIdMissingMass,         kCaseIdTimeHistory,   kCaseIdHarmonic,
      kCaseIdForceSpectrum,       kCaseIdWind2,         kCaseIdWind3,
      kCaseIdWind4,               kCaseIdEmptyWeight};
  const bool firstSlot =
      std::find(std::begin(kFirstSlotCases), std::end(kFirstSlotCases), caseType) != std::end(kFirstSlotCases);
  return firstSlot ? 1 : 0;
}

void AddSoilSpringStiffness(const Model& model) {
  SoilSpringSet& set = TheSoilSprings();
  if (!set.buried) return;
  for (DirectionalSoilSpring& spring : set.directional) {
    const double k = StiffnessForCase(spring);
    if (!SupportNodeHasEquations(model, spring.node)) continue;
    const Direction3 c{spring.direction[0], spring.direction[1], spring.direction[2]};
    AddSpringBlock(model, spring.node, 0, DyadicBlock(c, k), 0);
  }
  const auto axis = static_cast<std::size_t>(VerticalAxis(model));
  for (VerticalSoilSpring& spring : set.vertical) {
    const double k = StiffnessForCase(spring);
    if (!SupportNodeHasEquations(model, spring.node)) continue;
    Block3 block{};
    block[axis][axis] = k;
    AddSpringBlock(model, spring.node, 0, block, 0);
  }
}

void ResetSoilSprings() {
  SoilSpringSet& set = TheSoilSprings();
  if (!set.buried || !IteratedCase()) return;
  for (DirectionalSoilSpring& spring : set.directional) {
    spring.current = spring.initialStiffness;
    spring.previous = 0.0;
  }
  for (VerticalSoilSpring& spring : set.vertical) {
    spring.current = spring.downStiffness;
    spring.previous = 0.0;
  }
}

void UpdateSoilSprings(const Model& model) {
  SoilSpringSet& set = TheSoilSprings();
  if (!set.buried || !IteratedCase()) return;
  for (DirectionalSoilSpring& spring : set.directional) {
    const Direction3 u = RelativeSolved(model, spring.node, 0, 0);
    const double d = spring.direction[0] * u[0] + spring.direction[1] * u[1] + spring.direction[2] * u[2];
    Converged(d, spring.previous, spring.node);
    // Judged with the initial stiffness: judged with the secant, a spring
    // past its load that moved back a little would take k0 and carry more
    // than its load, and the passes would swing between the two.
    spring.current = std::fabs(d) * spring.initialStiffness <= spring.maximumLoad
                         ? spring.initialStiffness
                         : static_cast<float>(spring.maximumLoad / std::fabs(d));
    spring.previous = d;
  }
  const auto axis = static_cast<std::size_t>(VerticalAxis(model));
  for (VerticalSoilSpring& spring : set.vertical) {
    const double d = RelativeSolved(model, spring.node, 0, 0)[axis];
    Converged(d, spring.previous, spring.node);
    const bool down = d <= 0.0;
    const float k = down ? spring.downStiffness : spring.upStiffness;
    const float load = down ? spring.downLoad : spring.upLoad;
    const bool reversed = down ? spring.previous > 0.0 : spring.previous <= 0.0;
    if (reversed) CountNonlinearChange();
    spring.current = std::fabs(d) * k > load ? static_cast<float>(load / std::fabs(d)) : k;
    spring.previous = d;
  }
}
