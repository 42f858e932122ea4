// The lug stress checks (see LugEvaluationChecks.h).
#include "evaluations/LugEvaluationChecks.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "services/NumberText.h"

namespace {

constexpr double kDeg40 = 0.6981317007977318;
constexpr double kDeg50 = 0.8726646259971648;
constexpr float kTwoThirds = 0.6666667f;

using Loads = std::array<float, kLugLoadCount>;

// The base of an index fit, -u - v^2/c, at shifted logarithms (x, y)
// turned by theta.
double FitBase(double x, double y, double theta, double c) {
  const double u = x * std::cos(theta) + y * std::sin(theta);
  const double v = x * std::sin(theta) - y * std::cos(theta);
  return -u - v * v / c;
}

struct RectangularGeometry {
  double Ro, gamma, beta1, beta2, a, b, A, ZL, ZN, T, L1, L2;
  double base1, base2, base3;
};

RectangularGeometry Rectangle(const LugInputs& d) {
  RectangularGeometry g{};
  g.T = d.Thk;
  g.L1 = d.L1;
  g.L2 = d.L2;
  g.Ro = (static_cast<double>(d.OD) - d.Thk) * 0.5;
  g.gamma = g.Ro / g.T;
  g.beta1 = g.L1 / g.Ro;
  g.beta2 = g.L2 / g.Ro;
  g.a = std::max(g.L1, g.L2);
  g.b = std::min(g.L1, g.L2);
  g.A = 4.0 * g.L1 * g.L2;
  g.ZL = 4.0 / 3.0 * g.L1 * g.L2 * g.L2;
  g.ZN = 4.0 / 3.0 * g.L1 * g.L1 * g.L2;
  const double l1 = std::log10(g.beta1), l2 = std::log10(g.beta2);
  g.base1 = FitBase(l1, l2 + 0.05, kDeg40, 2.2);
  g.base2 = FitBase(l1 - 0.45, l2 - 0.55, kDeg50, 2.0);
  g.base3 = FitBase(l1 - 0.75, l2 - 0.6, kDeg40, 1.8);
  return g;
}

double Torsion(const RectangularGeometry& g, double MT) {
  const double first = MT / ((1.0 + g.b / g.a) * g.T * g.a * g.b);
  const double second = MT / ((0.8 + 0.05 * g.a / g.b) * g.a * g.b * g.b);
  return std::fabs(first) >= std::fabs(second) ? first : second;
}

double Tau1(const RectangularGeometry& g, double Q1) { return Q1 / (2.0 * g.L1 * std::min(g.L2, g.T)); }
double Tau2(const RectangularGeometry& g, double Q2) { return Q2 / (2.0 * g.L2 * std::min(g.L1, g.T)); }

double RectangularP(const RectangularGeometry& g, const Loads& l, const float (&I)[4]) {
  return std::fabs(Tau2(g, l[kLugQ2])) + std::fabs(Tau1(g, l[kLugQ1])) + std::fabs(l[kLugMN] * I[2] / g.ZN) +
         std::fabs(l[kLugML] * I[1] / g.ZL) + std::fabs(l[kLugW] * I[0] / g.A) + std::fabs(Torsion(g, l[kLugMT]));
}

float AtLeastOne(double value) { return std::max(1.0f, static_cast<float>(value)); }

struct CircularGeometry {
  double A, Z, As, Zt;
};

CircularGeometry Circle(const LugInputs& d) {
  const double pi = std::numbers::pi;
  const double od = d.od, di = od - 2.0 * d.thk;
  CircularGeometry g{};
  g.A = pi / 4.0 * (od * od - di * di);
  g.Z = 2.0 * pi / 4.0 * (std::pow(od / 2.0, 4) - std::pow(di / 2.0, 4)) / od;
  g.As = g.A / 2.0;
  g.Zt = std::max(pi * (od / 2.0) * (od / 2.0) * d.thk, g.Z);
  return g;
}

double CircularP(const CircularGeometry& g, const Loads& l, const float (&I)[4]) {
  return std::fabs(l[kLugMT] * I[3] / g.Zt) + std::fabs(l[kLugMN] * I[2] / g.Z) + std::fabs(l[kLugML] * I[1] / g.Z) +
         std::fabs(l[kLugW] * I[0] / g.A) + std::fabs(l[kLugQ2] / g.As) + std::fabs(l[kLugQ1] / g.As);
}

// The five rows of the run-pipe check (ASME: Ssl, Sol, Se, Sd, Ste; EN:
// S1, S2a, S3, S4, S5).
void PipeRows(LugCheckResult& r, const LugInputs& d, double halfWeld) {
  const double Psus = r.P[kLugSustained], Pocc = r.P[kLugOccasional];
  const double Pth = r.P[kLugThermal], Pset = r.P[kLugSettlement];
  auto row = [&r](const char* label, double calculated, double allowed) {
    r.rows.push_back({label, static_cast<float>(calculated), static_cast<float>(allowed)});
  };
  if (LugIsAsme(d)) {
    const double levelFactor = d.level <= 1 ? 1.5 : (d.level == 2 ? 1.8 : 2.0);
    row("Sustained Stress (Ssl) [Eq. 8]:", d.s1 + Psus, 1.5 * d.sh);
    row("Sustained + Occasional (Sol) [Eq. 9]:", d.s3 + Pocc + Psus, levelFactor * d.sy);
    row("Thermal Exp. Stress (Se) [Eq. 10]:", d.s2 + halfWeld * Pth, d.sa);
    row("Settlement Stress (Sd) [Eq. 10a]:", d.s4 + halfWeld * Pset, 3.0 * d.sh);
    row("Sustained + Thermal Exp. Stress (Ste) [Eq. 11]:", d.s5 + Psus + halfWeld * Pth,
        static_cast<double>(d.sa) + d.sh);
    return;
  }
  row("Sustained Stress (S1) [Eq. 11.6-1]:", d.s1 + Psus, 1.5 * d.fh);
  row("Sustained + Occasional (S2a) [Eq. 11.6-2]:", d.s3 + Pocc + Psus, 1.8 * d.fh);
  row("Restrained Thermal Exp. Stress (S3) [Eq. 11.6-4]:", d.s2 + halfWeld * Pth, d.fa);
  row("Sustained + Thermal Exp. Stress (S4) [Eq. 11.6-5]:", d.s5 + Psus + halfWeld * Pth,
      static_cast<double>(d.fa) + d.fh);
  row("Creep Stress (S5) [Eq. 11.6-5a]:", d.s4 + Psus + halfWeld * Pth, 1.25 * d.fcr);
}

void Rectangular(LugCheckResult& r, const LugInputs& d) {
  const RectangularGeometry g = Rectangle(d);
  r.K[0] = AtLeastOne(3.82 * g.beta1 * g.beta2 * std::pow(g.gamma, 1.64) * std::pow(g.base1, 1.54));
  r.K[1] = AtLeastOne(0.26 * g.beta1 * g.beta2 * g.beta2 * std::pow(g.gamma, 1.74) * std::pow(g.base2, 4.74));
  r.K[2] = AtLeastOne(0.38 * g.beta1 * g.beta1 * g.beta2 * std::pow(g.gamma, 1.9) * std::pow(g.base3, 3.4));
  for (int i = 0; i < 3; ++i) r.B[i] = std::max(1.0f, kTwoThirds * r.K[i]);
  const float(&B)[4] = r.B;
  const float(&K)[4] = r.K;
  for (int set = 0; set < kLugLoadSetCount - 1; ++set)
    r.P[set] = RectangularP(g, d.loads[static_cast<std::size_t>(set)], set <= kLugOccasional ? B : K);
  const Loads& sus = d.loads[kLugSustained];
  r.tau1 = Tau1(g, sus[kLugQ1]);
  r.tau2 = Tau2(g, sus[kLugQ2]);
  r.tauT = Torsion(g, sus[kLugMT]);
  r.sectionTitle = LugIsAsme(d) ? "Section Y-3410: Pipe Stresses at Attachment" : "Clause 11.6: Pipe Stresses at Attachment";
  PipeRows(r, d, d.weldType == 2 ? 1.8 : 1.0);
  const Loads& m = d.loads[kLugAbsMax];
  const double t1 = Tau1(g, m[kLugQ1]), t2 = Tau2(g, m[kLugQ2]), tT = Torsion(g, m[kLugMT]);
  const double S = m[kLugW] * K[0] / g.A + m[kLugML] * K[1] / g.ZL + m[kLugMN] * K[2] / g.ZN + t1 + t2 + tT;
  static const char* const kTitles[3] = {"Additional check for Full Penetration Weld",
                                         "Additional check for Fillet or Partial Penetration Weld (4 Sides)",
                                         "Additional check for Fillet or Partial Penetration Weld (<= 3 Sides)"};
  r.weldTitle = kTitles[std::clamp(d.weldType, 0, 2)];
  if (LugIsAsme(d)) {
    r.weldRows.push_back({"Stress (SNT**) as per Y-3410 Eq. 5:", static_cast<float>(std::fabs(S)), 2.0f * d.sy});
    r.weldRows.push_back({"Shear Stress as per Y-3410 Eq. 6:",
                          static_cast<float>(std::fabs(t2) + std::fabs(t1) + std::fabs(tT)), d.sy});
  } else {
    r.weldRows.push_back({"Stress (SNT**) as per Eq. 11.6-6:", static_cast<float>(S), 2.0f * d.ReHt});
    r.weldRows.push_back({"Shear Stress as per Eq. 11.7.2-1:",
                          static_cast<float>(std::sqrt(t1 * t1 + t2 * t2) + std::fabs(tT)), d.ReHt});
  }
}

void HollowCircular(LugCheckResult& r, const LugInputs& d) {
  const CircularGeometry g = Circle(d);
  const double gamma = d.OD / (2.0 * d.Thk), tr = static_cast<double>(d.thk) / d.Thk;
  const double beta = static_cast<double>(d.od) / d.OD, G = 2.0 * gamma;
  const double b3 = beta * beta * beta;
  r.K[0] = AtLeastOne(std::max(1.4 * std::pow(tr, 1.33) * std::pow(G, 0.81) * std::exp(-1.2 * b3),
                               4.0 * tr * std::pow(G, 0.55) * std::exp(-1.35 * b3)));
  r.K[1] = AtLeastOne(std::max(0.46 * std::pow(G, 0.6) * std::pow(tr, 0.86) * std::pow(beta, -0.04),
                               1.1 * std::pow(G, 0.23) * std::pow(beta, -0.38) * std::pow(tr, 0.38)));
  if (beta <= 0.55) {
    r.K[2] = AtLeastOne(std::max(0.51 * std::pow(G, 1.01) * std::pow(tr, 0.89) * std::pow(beta, 0.79),
                                 0.84 * std::pow(G, 0.85) * std::pow(beta, 0.8) * std::pow(tr, 0.54)));
    r.K[3] = 1.0f;
  } else {
    r.K[2] = AtLeastOne(std::max(0.23 * std::pow(G, 1.01) * std::pow(tr, 0.89) * std::pow(beta, -0.62),
                                 0.44 * std::pow(G, 0.85) * std::pow(beta, -0.28) * std::pow(tr, 0.54)));
    r.K[3] = static_cast<float>((r.K[2] - 1.0) * (beta - 0.55) * 2.2222223 + 1.0);
  }
  for (int i = 0; i < 4; ++i) r.B[i] = std::max(1.0f, 0.5f * r.K[i]);
  for (int set = 0; set < kLugLoadSetCount - 1; ++set)
    r.P[set] = CircularP(g, d.loads[static_cast<std::size_t>(set)], set <= kLugOccasional ? r.B : r.K);
  r.sectionTitle = LugIsAsme(d) ? "Section Y-5410: Pipe Stresses at Attachment" : "Clause 11.6: Pipe Stresses at Attachment";
  PipeRows(r, d, d.weldType == 1 ? 0.9 : 1.0);
  const Loads& m = d.loads[kLugAbsMax];
  const float(&K)[4] = r.K;
  const double S = m[kLugQ1] / g.As + m[kLugQ2] / g.As + m[kLugW] * K[0] / g.A + m[kLugML] * K[1] / g.Z +
                   m[kLugMN] * K[2] / g.Z + m[kLugMT] * K[3] / g.Zt;
  r.weldTitle = d.weldType == 1 ? "Additional check for Fillet or Partial Penetration Weld"
                                : "Additional check for Full Penetration Weld";
  if (LugIsAsme(d)) {
    r.weldRows.push_back({"Stress (SNT**) as per Y-5410 Eq. 5:", static_cast<float>(std::fabs(S)), 2.0f * d.sy});
    r.weldRows.push_back(
        {"Shear Stress as per Y-5410 Eq. 6:",
         static_cast<float>(std::fabs(m[kLugMT] / g.Zt + std::fabs(m[kLugQ1] / g.As) + std::fabs(m[kLugQ2] / g.As))),
         d.sy});
  } else {
    r.weldRows.push_back({"Stress (SNT**) as per Eq. 11.4.3-4:", static_cast<float>(std::fabs(S)), 2.0f * d.ReHt});
    r.weldRows.push_back({"Shear Stress as per Eq. 11.7.1-1:",
                          static_cast<float>(std::fabs(m[kLugMT] / g.Zt +
                                                       std::hypot(m[kLugQ1], m[kLugQ2]) / g.As)),
                          d.ReHt});
  }
}

}  // namespace

std::string LugFitRefusal(const LugInputs& d) {
  if (d.lugType != kLugRectangular) return {};
  const RectangularGeometry g = Rectangle(d);
  if (g.base1 > 0.0 && g.base2 > 0.0 && g.base3 > 0.0) return {};
  const std::string b1 = FormatFixedWidth(g.beta1, 8, 4);
  const std::string b2 = FormatFixedWidth(g.beta2, 8, 4);
  return "The stress index fits do not cover L1/Ro = " + b1 + " with L2/Ro = " + b2 +
         ": the attachment is too slender";
}

LugCheckResult CheckLug(const LugInputs& d) {
  LugCheckResult r;
  r.refusal = LugFitRefusal(d);
  if (!r.refusal.empty()) return r;
  if (d.lugType == kLugRectangular)
    Rectangular(r, d);
  else
    HollowCircular(r, d);
  return r;
}
