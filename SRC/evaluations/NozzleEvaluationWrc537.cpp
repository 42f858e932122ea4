// WRC 537 local stresses (see NozzleEvaluationWrc537.h).
#include "evaluations/NozzleEvaluationWrc537.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "services/NumberFormat.h"
#include "services/NumberText.h"

namespace {

using Signs = std::array<int, 8>;  // Au Al Bu Bl Cu Cl Du Dl

// What each family gives, for the message naming a missing curve.
const char* const kQuantity[kWrc537FamilyCount] = {
    "radial membrane, Nx*T/P", "radial bending, Mx/P", "tangential membrane, Ny*T/P", "tangential bending, My/P",
    "radial membrane, Nx*T*sqrt(Rm*T)/M", "radial bending, Mx*sqrt(Rm*T)/M",
    "tangential membrane, Ny*T*sqrt(Rm*T)/M", "tangential bending, My*sqrt(Rm*T)/M",
    "Nphi/(P/Rm)", "Nx/(P/Rm)", "Mphi/P", "Mphi/P", "Mx/P", "Mx/P",
    "Nphi/(MC/(Rm^2*beta))", "Nx/(MC/(Rm^2*beta))", "Mphi/(MC/(Rm*beta))", "Mx/(MC/(Rm*beta))",
    "Nphi/(ML/(Rm^2*beta))", "Nx/(ML/(Rm^2*beta))", "Mphi/(ML/(Rm*beta))", "Mx/(ML/(Rm*beta))"};
const char* const kCylinderFigure[kWrc537FamilyCount] = {
    "", "", "", "", "", "", "", "", "3C", "4C", "1C", "2C-1", "1C-1", "2C", "3A", "4A", "1A", "2A",
    "3B", "4B", "1B-1", "2B-1"};

bool IsSphereFamily(Wrc537Family family) { return family <= kSmTangentialBending; }

Wrc537Curve Record(Wrc537Family family, float key, const char* name, std::array<float, 10> c) {
  Wrc537Curve curve{family, key, {}};
  std::copy_n(name, std::min<std::size_t>(std::char_traits<char>::length(name), 7), curve.record.figure);
  std::copy(c.begin(), c.end(), curve.record.c);
  return curve;
}

const std::vector<Wrc537Curve>*& TableOverride() {
  static const std::vector<Wrc537Curve>* table = nullptr;
  return table;
}

const Wrc537CurveRecord* FindCurve(Wrc537Family family, float key) {
  for (const Wrc537Curve& curve : Wrc537CurveTable())
    if (curve.family == family && curve.key == key) return &curve.record;
  return nullptr;
}

std::string FigureName(Wrc537Family family, float key) {
  if (IsSphereFamily(family))
    return CFormat("%s-%d", family <= kSpTangentialBending ? "SP" : "SM", static_cast<int>(key));
  return kCylinderFigure[family];
}

std::string MissingCurveLine(Wrc537Family family, float key) {
  std::string quantity = kQuantity[family];
  if (!IsSphereFamily(family)) quantity += CFormat(", Rm/T %g", static_cast<double>(key));
  return CFormat("WRC 537 curve %s (%s) is not available", FigureName(family, key).c_str(), quantity.c_str());
}

Wrc537Row Row(const char* label, const std::string& figure, double sigma, const Signs& signs) {
  Wrc537Row row{label, figure, {}};
  const float value = static_cast<float>(sigma);
  for (std::size_t i = 0; i < 8; ++i) row.s[i] = signs[i] == 0 ? 0.0f : (signs[i] > 0 ? value : -value);
  return row;
}

Wrc537Row Sum(const char* label, const std::vector<Wrc537Row>& rows) {
  Wrc537Row sum{label, "-", {}};
  for (const Wrc537Row& row : rows)
    for (std::size_t i = 0; i < 8; ++i) sum.s[i] += row.s[i];
  return sum;
}

// A block of rows, then its sum between two empty lines.
void Block(Wrc537Result& r, const std::vector<Wrc537Row>& rows, const char* sumLabel, bool emptyAfter) {
  for (const Wrc537Row& row : rows) r.lines.push_back({Wrc537Line::kRow, row});
  r.lines.push_back({});
  r.lines.push_back({Wrc537Line::kRow, Sum(sumLabel, rows)});
  if (emptyAfter) r.lines.push_back({});
}

const Signs kAllMinus{-1, -1, -1, -1, -1, -1, -1, -1};
const Signs kAllPlus{1, 1, 1, 1, 1, 1, 1, 1};
const Signs kAlternate{-1, 1, -1, 1, -1, 1, -1, 1};
const Signs kAlternateAB{-1, 1, -1, 1, 0, 0, 0, 0};
const Signs kAlternateCD{0, 0, 0, 0, -1, 1, -1, 1};
const Signs kMembraneCD{0, 0, 0, 0, -1, -1, 1, 1};
const Signs kBendingCD{0, 0, 0, 0, -1, 1, 1, -1};
const Signs kMembraneAB{-1, -1, 1, 1, 0, 0, 0, 0};
const Signs kBendingAB{-1, 1, 1, -1, 0, 0, 0, 0};
const Signs kShearAB{1, 1, -1, -1, 0, 0, 0, 0};

// The eight rows of one direction and their sum; bending rows zero in the
// sustained cases.
struct RowRule {
  const char* label;
  Wrc537Family family;
  double sigma;
  const Signs* signs;
  bool bending;
};

std::vector<Wrc537Row> Rows(const std::vector<RowRule>& rules, const NozzleEvaluation& d,
                            const std::array<float, kWrc537FamilyCount>& keys, double x) {
  std::vector<Wrc537Row> rows;
  const bool sustained = d.loadCase != kNozzleOperating;
  for (const RowRule& rule : rules) {
    const float key = keys[rule.family];
    const double c = Wrc537CurveValue(*FindCurve(rule.family, key), x);
    const double sigma = rule.bending && sustained ? 0.0 : c * rule.sigma;
    rows.push_back(Row(rule.label, FigureName(rule.family, key), sigma, *rule.signs));
  }
  return rows;
}

void Finish(Wrc537Result& r, const Wrc537Row& first, const Wrc537Row& second, const Wrc537Row& shear,
            const NozzleEvaluation& d) {
  for (std::size_t i = 0; i < 8; ++i)
    r.intensity[i] = static_cast<float>(Wrc537StressIntensity(first.s[i], second.s[i], shear.s[i]));
  r.Smax = *std::max_element(r.intensity.begin(), r.intensity.end());
  r.calculated = d.Pb + d.Pm + r.Smax;
  r.hasRatio = d.All >= 1.0f;
  r.ratio = r.hasRatio ? std::fabs(static_cast<double>(r.calculated) / d.All) : 0.0;
  r.complete = true;
}

void Shear(Wrc537Result& r, const NozzleEvaluation& d, const Signs& first, const Signs& second) {
  const double pi = std::numbers::pi;
  std::vector<Wrc537Row> rows = {Row("Shear Stress (V1)", "-", d.V1 / (pi * d.ro * d.T), first),
                                 Row("Shear Stress (V2)", "-", d.V2 / (pi * d.ro * d.T), second),
                                 Row("Shear Stress (MT)", "-", d.MT / (2.0 * pi * d.ro * d.ro * d.T), kAllPlus)};
  for (const Wrc537Row& row : rows) r.lines.push_back({Wrc537Line::kRow, row});
  r.lines.push_back({});
  r.lines.push_back({Wrc537Line::kRow, Sum("Shear Stresses (Z)", rows)});
}

void Factors(Wrc537Result& r, const NozzleEvaluation& d) {
  const double x = static_cast<double>(d.r) / d.T;
  r.knComputed = d.Kn == 0.0f;
  r.kbComputed = d.Kb == 0.0f;
  r.Kn = r.knComputed ? static_cast<float>(StressConcentrationKn(x)) : d.Kn;
  r.Kb = r.kbComputed ? static_cast<float>(StressConcentrationKb(x)) : d.Kb;
}

void Sphere(Wrc537Result& r, const NozzleEvaluation& d) {
  const double gamma = static_cast<double>(d.rm) / d.eb, rho = static_cast<double>(d.T) / d.eb;
  const int figure = Wrc537SphericalFigure(gamma, rho);
  if (figure == 0) {
    // The formatter's text is overwritten by its next call.
    const std::string r5 = FormatFixedWidth(gamma, 5, 0);
    const std::string p5 = FormatFixedWidth(rho, 5, 0);
    r.foreground = "Not able to determine Figure Number for Spherical Shells with r = " + r5 + " and p = " + p5 +
                   ". Analysis aborted";
    return;
  }
  std::array<float, kWrc537FamilyCount> keys{};
  for (int family = 0; family <= kSmTangentialBending; ++family) {
    keys[static_cast<std::size_t>(family)] = static_cast<float>(figure);
    if (FindCurve(static_cast<Wrc537Family>(family), static_cast<float>(figure)) == nullptr) {
      r.missingCurve = MissingCurveLine(static_cast<Wrc537Family>(family), static_cast<float>(figure));
      return;
    }
  }
  Factors(r, d);
  r.startWritten = true;
  const double T = d.T, U = d.ro / std::sqrt(static_cast<double>(d.Rm) * T);
  const double s = d.P / (T * T), root = T * T * std::sqrt(static_cast<double>(d.Rm) * T);
  const double m1 = d.M1 / root, m2 = d.M2 / root;
  const double kn = r.Kn, kb = r.Kb;
  auto direction = [&](bool radial) {
    const char* names[6];
    if (radial) {
      const char* n[6] = {"Radial Membrane (P)", "Radial Bending (P)", "Radial Membrane (M1)",
                          "Radial Bending (M1)", "Radial Membrane (M2)", "Radial Bending (M2)"};
      std::copy(n, n + 6, names);
    } else {
      const char* n[6] = {"Tangential Membrane (P)", "Tangential Bending (P)", "Tangential Membrane (M1)",
                          "Tangential Bending (M1)", "Tangential Membrane (M2)", "Tangential Bending (M2)"};
      std::copy(n, n + 6, names);
    }
    const Wrc537Family pm = radial ? kSpRadialMembrane : kSpTangentialMembrane;
    const Wrc537Family pb = radial ? kSpRadialBending : kSpTangentialBending;
    const Wrc537Family mm = radial ? kSmRadialMembrane : kSmTangentialMembrane;
    const Wrc537Family mb = radial ? kSmRadialBending : kSmTangentialBending;
    return Rows({{names[0], pm, kn * s, &kAllMinus, false},
                 {names[1], pb, kb * 6.0 * s, &kAlternate, true},
                 {names[2], mm, kn * m1, &kMembraneCD, false},
                 {names[3], mb, kb * 6.0 * m1, &kBendingCD, true},
                 {names[4], mm, kn * m2, &kMembraneAB, false},
                 {names[5], mb, kb * 6.0 * m2, &kBendingAB, true}},
                d, keys, U);
  };
  const std::vector<Wrc537Row> radial = direction(true), tangential = direction(false);
  Block(r, radial, "Radial Stresses (Sx)", true);
  Block(r, tangential, "Tangential Stresses (Sy)", true);
  Shear(r, d, kMembraneCD, kShearAB);
  Finish(r, Sum("", radial), Sum("", tangential), r.lines.back().row, d);
}

void Cylinder(Wrc537Result& r, const NozzleEvaluation& d) {
  const double gamma = static_cast<double>(d.Rm) / d.T;
  Factors(r, d);
  std::array<float, kWrc537FamilyCount> keys{};
  // Families in the order of the rows, circumferential first.
  const Wrc537Family order[] = {kFig3C, kFig2C1, kFig1C, kFig3A, kFig1A, kFig3B, kFig1B1,
                                kFig4C, kFig1C1, kFig2C, kFig4A, kFig2A, kFig4B, kFig2B1};
  for (Wrc537Family family : order) {
    keys[family] = Wrc537CylindricalKey(family, gamma);
    if (keys[family] == 0.0f) {
      r.startWritten = true;
      r.foreground = std::string("No curve available for Fig. ") + kCylinderFigure[family] +
                     " with Rm/T = " + FormatFixedWidth(gamma, 5, 0);
      return;
    }
  }
  for (Wrc537Family family : order)
    if (FindCurve(family, keys[family]) == nullptr) {
      r.missingCurve = MissingCurveLine(family, keys[family]);
      return;
    }
  r.startWritten = true;
  const double T = d.T, Rm = d.Rm, beta = 0.875 * d.ro / Rm;
  const double p = d.P / (Rm * T), b = 6.0 * d.P / (T * T);
  const double mmC = d.M1 / (Rm * Rm * beta * T), mbC = 6.0 * d.M1 / (Rm * beta * T * T);
  const double mmL = d.M2 / (Rm * Rm * beta * T), mbL = 6.0 * d.M2 / (Rm * beta * T * T);
  const double kn = r.Kn, kb = r.Kb;
  const std::vector<Wrc537Row> circumferential =
      Rows({{"Circumferential Membrane (P)", kFig3C, kn * p, &kAllMinus, false},
            {"Circumferential Bending (P)", kFig2C1, kb * b, &kAlternateAB, true},
            {"Circumferential Bending (P)", kFig1C, kb * b, &kAlternateCD, true},
            {"Circumferential Membrane (MC)", kFig3A, kn * mmC, &kMembraneCD, false},
            {"Circumferential Bending (MC)", kFig1A, kb * mbC, &kBendingCD, true},
            {"Circumferential Membrane (ML)", kFig3B, kn * mmL, &kMembraneAB, false},
            {"Circumferential Bending (ML)", kFig1B1, kb * mbL, &kBendingAB, true}},
           d, keys, beta);
  const std::vector<Wrc537Row> longitudinal =
      Rows({{"Longitudinal Membrane (P)", kFig4C, kn * p, &kAllMinus, false},
            {"Longitudinal Bending (P)", kFig1C1, kb * b, &kAlternateAB, true},
            {"Longitudinal Bending (P)", kFig2C, kb * b, &kAlternateCD, true},
            {"Longitudinal Membrane (MC)", kFig4A, kn * mmC, &kMembraneCD, false},
            {"Longitudinal Bending (MC)", kFig2A, kb * mbC, &kBendingCD, true},
            {"Longitudinal Membrane (ML)", kFig4B, kn * mmL, &kMembraneAB, false},
            {"Longitudinal Bending (ML)", kFig2B1, kb * mbL, &kBendingAB, true}},
           d, keys, beta);
  Block(r, circumferential, "Circumferential Stresses (Sp)", true);
  Block(r, longitudinal, "Longitudinal Stresses (Sx)", true);
  Shear(r, d, kShearAB, kMembraneCD);
  Finish(r, Sum("", circumferential), Sum("", longitudinal), r.lines.back().row, d);
}

double FigureB2(double x, const double (&k)[14]) {
  static const double xs[14] = {0.05, 0.1, 0.15, 0.2, 0.25, 0.3, 0.35, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5};
  if (x <= 0.0) return 5.0;
  if (x > 3.5) return 1.0;
  if (x <= 0.05) return k[0];
  for (int i = 1; i < 14; ++i)
    if (x <= xs[i]) return k[i - 1] + (k[i] - k[i - 1]) * (x - xs[i - 1]) / (xs[i] - xs[i - 1]);
  return k[13];
}

}  // namespace

double Wrc537CurveValue(const Wrc537CurveRecord& q, double x) {
  const double c[10] = {q.c[0], q.c[1], q.c[2], q.c[3], q.c[4], q.c[5], q.c[6], q.c[7], q.c[8], q.c[9]};
  const double numerator = c[0] + x * (c[2] + x * (c[4] + x * (c[6] + x * c[8])));
  const double denominator = 1.0 + x * (c[1] + x * (c[3] + x * (c[5] + x * (c[7] + x * c[9]))));
  return numerator / denominator;
}

const std::vector<Wrc537Curve>& Wrc537ShippedCurves() {
  static const std::vector<Wrc537Curve> table = {
      Record(kSpRadialMembrane, 1.0f, "SP-1",
             {0.213228f, 4.20504f, 0.10917f, 5.4914f, 1.40801f, 24.927f, -0.244019f, 0.0f, 0.0f, 0.0f}),
      Record(kFig3C, 5.0f, "3C",
             {1.06682f, 7.91408f, 8.11023f, -11.292f, -17.9458f, 25.026f, 29.9773f, 30.4393f, 0.0f, 0.0f}),
  };
  return table;
}

const std::vector<Wrc537Curve>& Wrc537CurveTable() {
  return TableOverride() != nullptr ? *TableOverride() : Wrc537ShippedCurves();
}

void SetWrc537CurveTable(const std::vector<Wrc537Curve>* table) { TableOverride() = table; }

double StressConcentrationKn(double x) {
  static const double k[14] = {4.8, 3.4, 2.8, 2.5, 2.3, 2.2, 2.1, 1.9, 1.5, 1.45, 1.4, 1.38, 1.35, 1.3};
  return FigureB2(x, k);
}

double StressConcentrationKb(double x) {
  static const double k[14] = {4.4, 2.9, 2.35, 2.0, 1.9, 1.8, 1.7, 1.6, 1.35, 1.25, 1.2, 1.15, 1.13, 1.1};
  return FigureB2(x, k);
}

int Wrc537SphericalFigure(double gamma, double rho) {
  if (gamma <= 5.0) {
    if (rho <= 0.25) return 1;
    if (rho <= 1.0) return 2;
    if (rho <= 2.0) return 3;
    if (rho <= 4.0) return 4;
  }
  // A thicker vessel falls to the next band of nozzles.
  if (gamma <= 15.0) {
    if (rho <= 1.0) return 5;
    if (rho <= 2.0) return 6;
    if (rho <= 4.0) return 7;
    if (rho <= 10.0) return 8;
  }
  if (gamma <= 50.0) {
    if (rho <= 4.0) return 9;
    if (rho <= 10.0) return 10;
  }
  return 0;
}

float Wrc537CylindricalKey(Wrc537Family family, double rmT) {
  static const float five[] = {5, 15, 50, 100, 300};
  static const float twelve[] = {5, 7.5f, 10, 15, 25, 35, 50, 75, 100, 150, 200, 300};
  if (family == kFig3C || family == kFig1A) {
    for (float key : five)
      if (key >= rmT) return key;
    return 0.0f;
  }
  for (float key : twelve)
    if (key >= rmT) return key;
  return 0.0f;
}

double Wrc537StressIntensity(double a, double b, double t) {
  if (t == 0.0) return std::max({std::fabs(a), std::fabs(b), std::fabs(a - b)});
  const double R = std::sqrt((a - b) * (a - b) + 4.0 * t * t);
  return std::max({std::fabs((a + b + R) / 2.0), std::fabs((a + b - R) / 2.0), R});
}

const char* Wrc537Status(double ratio) { return ratio >= 1.0 ? "Fail" : "Pass"; }

Wrc537Result Wrc537StressesOf(const NozzleEvaluation& d) {
  Wrc537Result r;
  if (d.spherical)
    Sphere(r, d);
  else
    Cylinder(r, d);
  return r;
}
