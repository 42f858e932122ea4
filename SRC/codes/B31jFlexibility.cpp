// B31J flexibility factors of branch connections; see B31jFlexibility.h.
#include "codes/B31jFlexibility.h"

#include <algorithm>
#include <cmath>

#include "codes/CodeModel.h"
#include "elements/BranchSif.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "records/Material.h"
#include "records/PipeSection.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// P(a, b, c) = a beta^3 + b beta - c beta^2.
double P(double beta, double a, double b, double c) { return a * beta * beta * beta + b * beta - c * beta * beta; }

// rho of the reinforced tee: R over the wall with half the pad (at most 1.5 T).
double PadRho(const BranchGeometry& g, double R) { return R / (g.T + std::min(g.dimension1, 1.5 * g.T) / 2.0); }

}  // namespace

FlexibilityFactors B31jRunFlexibility(const BranchGeometry& g) {
  FlexibilityFactors k{1.0, 1.0, 1.0001};
  if (!B31jGeometryInRange(g)) return k;
  const BranchRatios q = RatiosOf(g);
  const double b = q.beta, gm = q.gamma, tau = q.tau;
  const double c1 = 1.23 * std::pow(b, 5.3) * std::pow(gm, 0.47) * std::pow(tau, -0.47);
  const double c3 = std::pow(b, 7.8) * std::pow(gm, 0.78) * std::pow(tau, -0.8);
  double k1 = 0.0, k3 = 0.0;
  switch (g.type) {
    case 1:
    case 4:
      if (tau > 1.2) return k;
      k1 = 0.18 * std::pow(gm, 0.8) * std::pow(b, 5.0);
      k3 = 0.08 * std::pow(gm, 0.91) * std::pow(b, 5.7);
      break;
    case 2: {
      const double rho = PadRho(g, q.R);
      k1 = 0.21 * std::pow(rho, 0.97) * std::pow(tau, -0.65) * std::pow(b, 6.2);
      k3 = 0.12 * std::pow(rho, 1.39) * std::pow(b, 8.5) * std::pow(tau, -0.74);
      break;
    }
    case 3:
      k1 = c1;
      k3 = c3;
      break;
    case 5:
      if (tau > 1.2) return k;
      k1 = 0.18 * std::pow(gm, 0.84) * std::pow(b, 5.0);
      k3 = 0.1 * std::pow(gm, 0.91) * std::pow(b, 5.7);
      break;
    case 6:
      k1 = 0.5 * std::pow(gm, 0.5) * std::pow(b, 5.0);
      k3 = 0.1 * gm * std::pow(b, 5.7);
      break;
    default: return k;
  }
  k.k1 = std::max(std::min(k1, c1), 1.0);
  k.k2 = 1.0;
  k.k3 = std::max(std::min(k3, c3), 1.0);
  return k;
}

FlexibilityFactors B31jBranchFlexibility(const BranchGeometry& g, int reductionCount) {
  FlexibilityFactors k;
  if (!B31jGeometryInRange(g)) return k;
  const BranchRatios q = RatiosOf(g);
  const double b = q.beta, gm = q.gamma, tau = q.tau;
  const double c1 = std::pow(gm, 0.83) * std::pow(b, -0.2) * std::pow(tau, 0.49) * P(b, 4.0, 3.15, 6.4);
  const double c2 = std::pow(gm, 1.4) * std::pow(b, 0.12) * std::pow(tau, 0.6) * P(b, 1.1, 2.05, 2.94);
  const double c3 = 0.95 * std::pow(gm, 0.83) * std::pow(b, 5.42);
  double k1 = 0.0, k2 = 0.0, k3 = 0.0;
  switch (g.type) {
    case 1:
    case 4:
      if (tau > 1.2) return k;
      k1 = std::pow(gm, 0.77) * std::pow(b, 0.47) * P(b, 2.7, 1.91, 4.32) * tau;
      k2 = std::pow(gm, 1.46) * P(b, 0.18, 0.34, 0.49) * tau;
      k3 = std::pow(gm, 0.77) * std::pow(b, g.type == 1 ? 1.61 : 1.79) * P(b, 1.52, 1.08, 2.44) * tau;
      break;
    case 2: {
      const double rho = PadRho(g, q.R);
      k1 = std::pow(rho, 1.2) * std::pow(tau, 0.56) * std::pow(b, 0.33) * P(b, 1.62, 1.29, 2.73);
      k2 = std::pow(rho, 1.69) * std::pow(tau, 0.68) * std::pow(b, 0.21) * P(b, 0.5, 0.84, 1.27);
      k3 = 1.1 * std::pow(b, 5.42) * std::pow(rho, 0.5);
      break;
    }
    case 3:
      k1 = c1;
      k2 = c2;
      k3 = c3;
      break;
    case 5:
      if (tau > 1.2) return k;
      k1 = std::pow(gm, 0.77) * std::pow(b, 0.47) * P(b, 3.33, 2.36, 5.33) * tau;
      k2 = std::pow(gm, 1.46) * P(b, 0.36, 0.67, 0.97) * tau;
      k3 = std::pow(gm, 0.77) * std::pow(b, 1.61) * P(b, 1.49, 1.05, 2.36) * tau;
      break;
    case 6:
      k1 = gm * P(b, 0.69, 0.55, 1.13) * tau;
      k2 = std::pow(gm, 1.4) * std::pow(b, 0.33) * P(b, 0.59, 1.03, 1.55) * tau;
      k3 = gm * std::pow(b, 1.2) * P(b, 0.46, 0.37, 0.75) * tau;
      break;
    default: return k;
  }
  k1 = std::min(k1, c1);
  k2 = std::min(k2, c2);
  k3 = std::min(k3, c3);
  if (reductionCount != 0) {
    const double delta = 2.0 * q.R / g.T, n = reductionCount;
    k1 *= 1.0 - 0.032 * std::pow(delta, 0.431) * std::pow(n, 1.345) * std::pow(b, 0.903);
    k2 *= 1.0 - 0.07 * std::pow(delta, 0.44) * std::pow(n, 0.61) * std::pow(b, 0.339);
    k3 *= 1.0 - 0.003 * std::pow(n, 3.962) * std::pow(delta, 0.548) * std::pow(b, 0.693);
  }
  k.k1 = std::max(k1, 1.0);
  k.k2 = std::max(k2, 1.0);
  k.k3 = std::max(k3, 1.0);
  return k;
}

namespace {

// The connection at the node: false when the node has no branch item or
// no header or branch section.
bool NodeBranchGeometry(const CodeModel& cm, int node, BranchGeometry& g, int& reductionCount) {
  const BranchSif* item = FindBranchItemAtNode(cm, node);
  const int header = LargestSectionAtNode(cm, node), branch = SmallestSectionAtNode(cm, node);
  if (item == nullptr || header == 0 || branch == 0) return false;
  const PipeSection& h = cm.model.sections[header];
  const PipeSection& b = cm.model.sections[branch];
  g = {h.thickness, h.outsideDiameter, b.thickness, b.outsideDiameter, item->type, item->dimension1};
  reductionCount = item->flanges;
  return true;
}

}  // namespace

FlexibilityFactors B31JBranchFlexibilityFactors(const CodeModel& cm, int node) {
  BranchGeometry g;
  int reductionCount = 0;
  if (!NodeBranchGeometry(cm, node, g, reductionCount)) return {};
  return B31jBranchFlexibility(g, reductionCount);
}

FlexibilityFactors B31JRunFlexibilityFactors(const CodeModel& cm, int node) {
  BranchGeometry g;
  int reductionCount = 0;
  if (!NodeBranchGeometry(cm, node, g, reductionCount)) return {1.0, 1.0, 1.0001};
  return B31jRunFlexibility(g);
}

int HeaderMaterialAtNode(const CodeModel& cm, int node) {
  int found = 0;
  float largest = 0.0f;
  for (int index : cm.EndsAt(node)) {
    const AnalysisElement& e = cm.Element(index);
    const PipeSection* section = cm.SectionOf(e);
    if (section == nullptr) continue;
    if (found == 0 || section->outsideDiameter > largest) {
      found = e.material;
      largest = section->outsideDiameter;
    }
  }
  return found;
}

bool B31jElementFlexibility(const CodeModel& cm, int element, double outsideDiameter, BranchFlexibility& out) {
  out = BranchFlexibility{};
  if (!cm.settings.useB31J) return false;
  const AnalysisElement& e = cm.Element(element);
  bool found = false;
  for (int node : {e.node1, e.node2}) {
    if (!NodeHasCodeBranchSif(cm, node)) continue;
    found = true;
    const int smallest = SmallestSectionAtNode(cm, node);
    const double smallestOd = smallest != 0 ? cm.model.sections[smallest].outsideDiameter : 0.0;
    FlexibilityFactors k;
    if (outsideDiameter <= smallestOd + 0.0001) {
      out.branch = true;
      k = B31JBranchFlexibilityFactors(cm, node);
      const FlexibilityFactors run = B31JRunFlexibilityFactors(cm, node);
      const int header = LargestSectionAtNode(cm, node), material = HeaderMaterialAtNode(cm, node);
      double headerTerm = 0.0;  // Rh / (2 Ih Eh)
      if (header != 0 && material >= 1 && material <= cm.model.materials.count) {
        const PipeSection& h = cm.model.sections[header];
        const double dh = h.outsideDiameter, th = h.thickness;
        const double ih = kPi / 64.0 * (std::pow(dh, 4) - std::pow(dh - 2.0 * th, 4));
        const double eh = MaterialValueAtTemp(cm.model.materials[material], cm.settings.referenceTemperature);
        if (ih > 0.0 && eh > 0.0) headerTerm = (dh / 2.0) * 0.5 / (ih * eh);
      }
      out.headerTerm1 = run.k1 * headerTerm;
      out.headerTerm2 = run.k2 * headerTerm;
    } else {
      k = B31JRunFlexibilityFactors(cm, node);
    }
    out.k1 = k.k1;
    out.k2 = k.k2;
    out.k3 = k.k3;
  }
  return found;
}

RotationalFlexibilities B31jRotationalFlexibilities(const CodeModel& cm, int element, double outsideDiameter,
                                                    double fb, double ft) {
  BranchFlexibility k;
  if (!B31jElementFlexibility(cm, element, outsideDiameter, k)) return {fb, fb, ft};
  return BranchRotationalFlexibilities(k, fb, ft);
}
