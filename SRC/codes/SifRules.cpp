// The SIFs of one component: bends and miters (B31.3 Table D300 and B31.1
// Table D-1: h = T R / r2^2, i = 0.9 / h^(2/3), the flange correction h^(1/6)
// or h^(1/3) and the pressure correction 1 + 3.25 (P/E)(r2/T)^(5/2)(R/r2)^(2/3)),
// reducers (B31.1 0.5 + 0.01 alpha (D/t)^0.5, the Nordic rules and B31J)
// and the branch and run sides of a branch connection (B31.1 and the ASME
// Class 2/3 NC-3673 branch connection, or B31J).
#include <algorithm>
#include <cmath>
#include <string>

#include "codes/CodeModel.h"
#include "codes/Sif.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "elements/DerivedElementData.h"
#include "elements/MiterBend.h"
#include "elements/Reducer.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "records/Material.h"

namespace {

constexpr double kTwoThirds = 0.66666667;
constexpr double kPi = 3.14159265358979323846;
constexpr float kFitting = 1.0001f;

double Limited(double value, double low, double high) { return std::min(std::max(value, low), high); }

// The modulus of the bend's pressure correction: at the reference
// temperature with the cold modulus and for B31.1 and B31.9, else at the
// highest operating temperature.
double BendPressureModulus(const CodeModel& cm, const AnalysisElement& e, const Material& m) {
  const int code = cm.settings.code;
  const bool cold = cm.settings.useColdModulus || code == 1 || code == 7;
  return MaterialValueAtTemp(m, cold ? cm.settings.referenceTemperature : ElementMaxTemp(cm.model, e));
}

// Code None: the in-plane SIF scaled by the bend angle.
double AngleScaledInPlane(double ii, double h, double theta) {
  const double a = 1.75 / std::pow(h, 0.56), c = 1.95 / std::pow(h, kTwoThirds);
  const double b = 1.0 + (a - 1.0) * 30.0 / 45.0;
  const double deg = theta * 180.0 / kPi;
  if (theta == 0.0) return ii / c;
  if (deg <= 30.0) return b * ii / c;
  if (deg <= 45.0) return ((deg - 30.0) * (a - b) / 15.0 + b) * ii / c;
  if (deg <= 90.0) return ((c - a) * (deg - 45.0) / 45.0 + a) * ii / c;
  return ii;
}

}  // namespace

EndSifs BendSifs(const CodeModel& cm, int index) {
  const AnalysisElement& e = cm.Element(index);
  const Model& model = cm.model;
  const int code = cm.settings.code;
  const bool b31j = cm.settings.useB31J;
  EndSifs out;
  const auto* bend = dynamic_cast<const Bend*>(model.row(e.row).element.get());
  const PipeSection* section = cm.SectionOf(e);
  const Material* material = cm.MaterialOf(e);
  if (bend == nullptr || section == nullptr || material == nullptr) return out;
  const auto* miter = dynamic_cast<const MiterBend*>(bend);
  const int spacing = (e.kind == 5 && miter != nullptr) ? miter->spacing : 0;
  const bool isMiter = spacing != 0;
  const bool frp = material->isFrp != 0;

  const double T = ElementWallThickness(model, e), R = ElementBendRadius(model, e);
  const double r2 = (section->outsideDiameter - T) / 2.0;
  const double h = T * R / (r2 * r2);
  if (!(h > 0.0) || !std::isfinite(h)) return out;
  double c = 1.0;
  if (h < 1.0 && spacing != kMiterWidely) {
    const int flanges = ElementBendFlanges(model, e);
    if (flanges == 1) c = std::pow(h, 1.0 / 6.0);
    if (flanges == 2) c = std::pow(h, 1.0 / 3.0);
  }
  double x = 1.0;
  if (cm.settings.pressureCorrection) {
    const double p = ElementMaxPressure(model, e), modulus = BendPressureModulus(cm, e, *material);
    if (modulus > 0.0) x = 1.0 + 3.25 * (p / modulus) * std::pow(r2 / T, 2.5) * std::pow(R / r2, kTwoThirds);
  }
  const double h23 = std::pow(h, kTwoThirds);
  // The out-of-plane SIF of the codes that separate it: 0.75 / h^(2/3).
  auto outPlaneRule = [&]() {
    double io = frp ? 2.3 : c * 0.75 / h23 / x;
    if (bend->outPlaneSif != 0.0f) io = bend->outPlaneSif;
    return std::max(io, 1.0001);
  };
  double ii = c * 0.9 / h23 / x, io = 1.0;
  if (code == 0) {
    io = outPlaneRule();
    ii = AngleScaledInPlane(ii, h, bend->bendAngle);
  }
  if (isMiter && code == 17) ii = c * 0.72 / h23;
  if (frp) ii = 2.3;
  if (bend->inPlaneSif != 0.0f) ii = bend->inPlaneSif;
  ii = std::max(ii, 1.0001);
  if (code != 0) {
    io = ii;
    if (bend->outPlaneSif != 0.0f) io = bend->outPlaneSif;
  }
  const bool separate = code == 4 || code == 21 || ((code == 3 || code == 5 || code == 6 || code == 16 || b31j) && !isMiter);
  if (separate) io = outPlaneRule();
  out.axial = kFitting;
  out.inPlane = static_cast<float>(ii);
  out.outPlane = static_cast<float>(io);
  if (b31j) out.torsion = kFitting;
  return out;
}

std::array<EndSifs, 2> ReducerSifs(const CodeModel& cm, int index) {
  const AnalysisElement& e = cm.Element(index);
  std::array<EndSifs, 2> out{};
  const auto* reducer = dynamic_cast<const Reducer*>(cm.model.row(e.row).element.get());
  if (reducer == nullptr) return out;
  const int code = cm.settings.code;
  // End 1 is the larger when the ODs are equal.
  const bool firstLarger = reducer->od1 >= reducer->od2;
  const double D1 = firstLarger ? reducer->od1 : reducer->od2, T1 = firstLarger ? reducer->thk1 : reducer->thk2;
  const double D2 = firstLarger ? reducer->od2 : reducer->od1, T2 = firstLarger ? reducer->thk2 : reducer->thk1;
  double alpha = reducer->coneAngle;  // degrees
  auto setBoth = [&out](double i, double it) {
    for (EndSifs& end : out) {
      end.inPlane = end.outPlane = static_cast<float>(i);
      if (it != 0.0) {
        end.axial = kFitting;
        end.torsion = static_cast<float>(it);
      }
    }
  };
  if (cm.settings.useB31J) {
    for (EndSifs& end : out) end = {kFitting, kFitting, kFitting, kFitting};
    if (alpha == 0.0 && D2 > 0.0) alpha = std::min((D1 / D2 - 1.0) * 60.0, 60.0);
    if (!(T1 > 0.0 && T2 > 0.0 && D1 > 0.0 && D2 > 0.0)) return out;
    const bool inRange = alpha >= 5.0 && alpha <= 60.0 && D2 / T2 >= 5.0 && D2 / T2 <= 80.0 && T1 >= T2 &&
                         0.1 * D1 / D2 >= 0.08 && 0.1 * D1 / D2 <= 0.7 && T1 / T2 >= 1.0 && T1 / T2 <= 2.12;
    if (!inRange) return out;
    const double q = std::pow(alpha * T2 / T1, 0.8) * std::pow(D2 / T2, 0.25) * D2 / (0.1 * D1);
    double i = 0.6 + 0.003 * q, it = 0.3 + 0.0015 * q;
    const double root = std::sqrt(T2 * D2);
    if (root > 0.1 * D2) {
      i *= 2.0 - 0.1 * D2 / root;
      it *= 2.0 - 0.1 * D2 / root;
    }
    setBoth(Limited(i, 1.0001, 2.0), Limited(it, 1.0001, 2.0));
    return out;
  }
  if (code == 2 || code == 3 || code == 4 || code == 5 || code == 6 || code == 12 || code == 16 || code == 19 ||
      code == 20 || code == 21 || code == 22) {
    setBoth(kFitting, 0.0);
    return out;
  }
  if (alpha == 0.0) {
    setBoth(2.0, 0.0);
    return out;
  }
  // The smaller end (end 1 when the ODs are equal) and the other end.
  const bool firstSmaller = reducer->od1 <= reducer->od2;
  const double D = firstSmaller ? reducer->od1 : reducer->od2, T = firstSmaller ? reducer->thk1 : reducer->thk2;
  const double otherT = firstSmaller ? reducer->thk2 : reducer->thk1;
  if (!(T > 0.0)) return out;
  const double root = std::sqrt(D / T);
  double i = 0.0;
  if ((code == 13 || code == 14 || code == 18) && reducer->knuckles == 0) {
    if (T <= 0.17717 || (otherT > 0.0 && reducer->delta / otherT > 0.1)) i = std::max(1.25 + 0.023 * alpha * root, 1.8);
    else i = std::max(0.9 + 0.017 * alpha * root, 1.0001);
  } else {
    i = Limited(0.5 + 0.01 * alpha * root, 1.0001, 2.0);
  }
  setBoth(i, 0.0);
  return out;
}

namespace {

struct NodeConnection {
  const BranchSif* item = nullptr;
  BranchGeometry g;
  double R = 0.0, r = 0.0;  // mean radii of header and branch
};

bool ConnectionAt(const CodeModel& cm, int node, NodeConnection& c) {
  c.item = FindBranchItemAtNode(cm, node);
  const int header = LargestSectionAtNode(cm, node), branch = SmallestSectionAtNode(cm, node);
  if (c.item == nullptr || header == 0 || branch == 0) return false;
  const PipeSection& h = cm.model.sections[header];
  const PipeSection& b = cm.model.sections[branch];
  c.g = {h.thickness, h.outsideDiameter, b.thickness, b.outsideDiameter, c.item->type, c.item->dimension1};
  c.R = (c.g.D - c.g.T) / 2.0;
  c.r = (c.g.d - c.g.t) / 2.0;
  return c.g.T > 0.0 && c.g.t > 0.0 && c.R > 0.0 && c.r > 0.0;
}

// The branch radius rp of a branch connection (half the branch OD when not
// given); throws when it is below half the branch OD.
double BranchRadius(const CodeModel& cm, int node, const NodeConnection& c) {
  double rp = c.item->dimension1;
  if (rp < 0.0001) rp = c.g.d / 2.0;
  if (rp < c.g.d / 2.0)
    throw std::string("For branch connection at node ") + NodeNumberText(cm.model.nodes[node].id) +
        ":\nrp < 0.5*branch od";
  return rp;
}

float NodeOutPlane(const SifTables& tables, int node) {
  return node >= 0 && static_cast<std::size_t>(node) < tables.nodes.size() ? tables.nodes[static_cast<std::size_t>(node)].outPlane
                                                                           : 1.0f;
}

bool TeeEditionRule(int code, int type) {
  return (code == 11 && (type == 1 || type == 2)) || code == 101 || code == 201;
}

// B31.1 branch connection (Table D-1) and its Class 2/3 counterpart.
double BranchRule(const CodeModel& cm, int node, const NodeConnection& c) {
  const double rp = BranchRadius(cm, node, c);
  const double T = c.g.T, t = c.g.t, R = c.R, r = c.r;
  const double rt = std::pow(R / T, kTwoThirds);
  if (cm.settings.code == 11 && (c.item->type == 9 || c.item->type == 3)) {
    const double beta = r / R;
    const double i1 = 1.5 * (t / T) * rt * std::sqrt(beta) * (r / rp);
    const double i2 = 0.9 * rt * (r / rp);
    double i = beta <= 0.9 ? i1 : beta >= 1.0 ? i2 : i1 + (beta - 0.9) * (i2 - i1) / 0.1;
    return std::max(i, 1.5);
  }
  return std::max(1.5 * rt * std::sqrt(r / R) * (t / T) * (r / rp), 1.0001);
}

}  // namespace

void BranchConnectionSif(const CodeModel& cm, const SifTables& tables, int node, SifTriple& sif) {
  NodeConnection c;
  if (!ConnectionAt(cm, node, c)) return;
  if (cm.settings.useB31J) {
    B31jBranchSif(c.g, sif);
    return;
  }
  const int code = cm.settings.code, type = c.item->type;
  double i = 0.0;
  if (TeeEditionRule(code, type)) {
    i = NodeOutPlane(tables, node) * c.g.t / c.g.T;
    if (type == 2) i = std::max(i, 2.1);
  } else {
    i = BranchRule(cm, node, c);
  }
  sif.inPlane = sif.outPlane = i;
}

void BranchRunSif(const CodeModel& cm, const SifTables& tables, int node, SifTriple& sif) {
  sif.torsion = kFitting;
  NodeConnection c;
  if (!ConnectionAt(cm, node, c)) return;
  if (cm.settings.useB31J) {
    B31jRunSif(c.g, sif);
    return;
  }
  const int code = cm.settings.code, type = c.item->type;
  const double T = c.g.T, t = c.g.t, R = c.R, r = c.r;
  double i = 0.0;
  if (code == 1 || code == 7) {
    i = BranchRule(cm, node, c);
  } else if (TeeEditionRule(code, type)) {
    i = NodeOutPlane(tables, node);
    if (type == 2) i = std::max(i, 2.1);
  } else if (code == 11 && (type == 9 || type == 3)) {
    const double x = std::min(0.5 * (t / T) * std::sqrt(t / (c.g.D - 2.0 * T)), 0.5);
    const double beta = r / R;
    if (beta > 0.5) {
      i = std::max(0.8 * std::pow(R / T, kTwoThirds) * beta, 2.1);
    } else {
      // 1.5 (1 - x) where it exceeds 1.0, never below 0.8 (R/t)^0.3.
      const double floor = 0.8 * std::pow(R / t, 0.3);
      i = 1.5 * (1.0 - x) > 1.0 ? std::max(1.5 * (1.0 - x), floor) : floor;
    }
  } else {
    i = std::max(0.4 * std::pow(R / T, kTwoThirds) * (r / R), 1.5);
  }
  sif.inPlane = sif.outPlane = i;
}
