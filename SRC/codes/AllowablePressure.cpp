// Element allowable pressure; see AllowablePressure.h.
#include "codes/AllowablePressure.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "codes/Allowables.h"
#include "codes/Bs806Stress.h"
#include "codes/CodeModel.h"
#include "codes/ElementCodeStress.h"
#include "elements/DerivedElementData.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "records/AnalysisOptions.h"
#include "records/Material.h"
#include "services/Units.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;

double Piecewise(const double* x, const double* y, int n, double at) {
  if (at <= x[0]) return y[0];
  for (int i = 1; i < n; ++i)
    if (at <= x[i]) return y[i - 1] + (at - x[i - 1]) / (x[i] - x[i - 1]) * (y[i] - y[i - 1]);
  return y[n - 1];
}

// The "AS" column of B31.3 Table 302.3.5 (also B31.1's "AS" and "FS").
double AlloyColumn(double t) {
  static const double x[] = {950, 1000, 1050, 1100, 1150, 1200, 1250, 1300, 1350, 1400, 1450, 1500};
  static const double y[] = {1.0, 0.95, 0.91, 0.86, 0.82, 0.77, 0.73, 0.68, 0.64, 0.59, 0.55, 0.5};
  return Piecewise(x, y, 12, t);
}

double CarbonColumn(double t) {
  static const double x[] = {800, 850, 900, 950, 1000, 1050, 1100, 1150, 1200};
  static const double y[] = {1.0, 0.95, 0.91, 0.86, 0.82, 0.77, 0.73, 0.68, 0.64};
  return Piecewise(x, y, 9, t);
}

bool ContainsN06690(const std::string& description) {
  std::string lower = description;
  for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return lower.find("n06690") != std::string::npos;
}

}  // namespace

double WeldStrengthFactorB313(const std::string& type, double t) {
  if (type == "CS") return CarbonColumn(t);
  if (type == "AS" || type == "NA") return AlloyColumn(t);
  if (type == "FS") return t <= 900.0 ? 1.0 : 0.5;
  if (type == "SS" && t <= 1500.0) return 1.0;
  return t <= 800.0 ? 1.0 : 1.0 - 0.000909 * (t - 800.0);
}

double WeldStrengthFactorB311(const std::string& type, double t, const std::string& material) {
  if (type == "FS") {
    // The factors of ferritic steels end at 1200 F; above there is no value.
    if (t > 1200.0) {
      // The formatter's text is shared: each is copied before the next call.
      const std::string unit = UnitLabel(kUnitTemperature);
      const std::string at = FormatTemperature(static_cast<float>(t));
      const std::string end = FormatTemperature(1200.0f);
      throw "For material " + material + " at temperature " + at + " " + unit +
          "\nthe weld strength reduction factor is given up to " + end + " " + unit + " only";
    }
    return AlloyColumn(t);
  }
  if (type == "AS") return AlloyColumn(t);
  return 1.0;
}

double PressureCoefficientY(int code, const std::string& type, bool n06690, double t, double D, double wall) {
  const double d = D - 2.0 * wall;
  const double ratio = D / wall, thick = d / (d + D);
  if (code == 8 || code == 15 || IsClass2Or3Code(code)) return ratio < 6.0 ? thick : 0.4;
  if (code == 5) {
    if (ratio >= 4.0 && ratio < 6.0) return thick;
    return type == "CI" ? 0.0 : 0.4;
  }
  const bool ferriticOrAustenitic = type == "FS" || type == "AS";
  if (ratio < 6.0 && (code == 3 || !ferriticOrAustenitic)) return thick;
  if (type == "CI") return 0.0;
  if (type == "FS") {
    static const double x[] = {900, 950, 1000}, y[] = {0.4, 0.5, 0.7};
    return Piecewise(x, y, 3, t);
  }
  if (type == "AS" || n06690) {
    static const double x[] = {1050, 1100, 1150}, y[] = {0.4, 0.5, 0.7};
    return Piecewise(x, y, 3, t);
  }
  if (type == "NA") {
    static const double x[] = {1150, 1200, 1250}, y[] = {0.4, 0.5, 0.7};
    return Piecewise(x, y, 3, t);
  }
  return 0.4;
}

namespace {

// B31.3 304.2.3: a miter's pressure from its equivalent radius R and the
// mean radius r2; `single` for eq. (4c).
double MiterPressure(double se, double t, double r2, double R, bool single) {
  if (single) return se * t * (R - r2) / (r2 * (R - r2 / 2.0));
  double theta = std::atan(1.0 / (2.0 * R / r2 - 1.0));
  if (theta > 22.5 * kDeg) theta = 22.49 * kDeg;
  return se * t * t / (r2 * (t + 1.25 * std::tan(theta) * std::sqrt(r2 * t)));
}

}  // namespace

double ElementAllowablePressure(const CodeModel& cm, int index) {
  const AnalysisElement& e = cm.Element(index);
  const int code = cm.settings.code;
  if (code == 12) return Bs806AllowablePressure(cm, index);
  if (code == 17 || e.kind == 9) return 0.0;
  const Material* material = cm.MaterialOf(e);
  const PipeSection* section = cm.SectionOf(e);
  if (material == nullptr || section == nullptr) return 0.0;
  const double S = DesignTemperatureAllowable(cm, e);
  if (S < 1.1) return 0.0;
  const double E = MaterialJointFactor(*material);
  double se = S * E;
  const double designT = ElementDesignTemp(cm.model, e);
  if (code == 1) se *= WeldStrengthFactorB311(material->type, designT, material->name);
  if (code == 3) se *= WeldStrengthFactorB313(material->type, designT);
  const double D = section->outsideDiameter, tn = ElementEndDimensions(cm, e).t[0];
  double t = (1.0 - section->millTolerance * 0.01) * tn - section->corrosionAllowance;
  if (t < 0.0 || !(D > 0.0)) return 0.0;
  const bool miter = e.kind == 5;
  const double R = ElementBendRadius(cm.model, e), r2 = (D - tn) / 2.0;
  switch (code) {
    case 19: return 2.0 * S * t / D;
    case 20: case 22: return 2.0 * S * E * t / D;
    case 4: {
      const double sy = YieldAtOperatingTemperature(cm, e);
      return sy < 1.1 ? 0.0 : 1.44 * sy * E * t / D;
    }
    case 6: {
      const int f = std::clamp(cm.settings.designFactorIndex, 0, kDesignFactorCount - 1);
      return 2.0 * DesignFactorTable[f] * tn * se / D;
    }
    case 13: case 14: case 18: {
      const double b = D / (D - 2.0 * t);
      const double k = b > 1.6 ? 0.25 * b + 0.6 : 1.0;
      return 2.0 * t * se / (k * D - t);
    }
    case 21: case 16: {
      if (miter) {
        // EN 13480-3 6.3: the angle of a miter from its equivalent radius.
        const double theta = std::atan(1.0 / (2.0 * R / r2 - 1.0));
        const double a = se * t / r2;
        double p = 0.0;
        if (theta > 22.5 * kDeg) p = a * t / (t + 1.25 * std::tan(theta) * std::sqrt(r2 * t));
        else p = std::min(a * t / (t + 0.643 * std::tan(theta) * std::sqrt(r2 * t)), a * (R - r2) / (R - r2 / 2.0));
        return code == 21 ? std::min(p, 290.0754) : p;
      }
      if (e.kind == 4 || e.kind == 7) {
        const double rd = R / D;
        if (rd > 0.5) t /= (rd - 0.25) / (rd - 0.5);
      }
      if (D / (D - 2.0 * tn) <= 1.7 || code == 16) return 2.0 * t * se / (D - t);
      const double u = std::pow(1.0 - 2.0 * t / D, 2);
      return (1.0 - u) * se / (1.0 + u);
    }
    default: break;
  }
  if (miter && (code == 1 || code == 3 || code == 7)) {
    // No single-miter flag is recorded: every miter is a multiple miter.
    const double multiple = MiterPressure(se, t, r2, R, false);
    if (code == 7) return std::min(multiple, MiterPressure(se, t, r2, R, true));
    return multiple;
  }
  const double y = PressureCoefficientY(code, material->type, ContainsN06690(material->description),
                                        ElementMaxTemp(cm.model, e), D, t);
  return 2.0 * t * se / (D - 2.0 * y * t);
}
