// Allowable stresses; see Allowables.h. The rules follow the codes' own
// allowable tables: B31.1/B31.3 (SH, SA = f (1.25 Sc + 0.25 Sh) and the
// liberal allowable of B31.3 302.3.5(d)), B31.4 and B31.8 (fractions of
// SMYS with the B31.8 temperature derating), the ASME Class 2/3 service
// levels, the Canadian pipeline codes, the Nordic codes, Stoomwezen and
// EN 13480 (with its creep range).
#include "codes/Allowables.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "codes/CodeModel.h"
#include "codes/CodeStressRecord.h"
#include "elements/DerivedElementData.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "records/AnalysisOptions.h"
#include "records/Material.h"
#include "services/Assert.h"
#include "services/Units.h"

namespace {

constexpr double kPsiPerMpa = 145.0376807894691;

int RowCount(const Material& m) { return std::min(m.numtemps, static_cast<int>(m.temps.size()) - 1); }
double Row(const Material& m, int row, int column) {
  return m.temps[static_cast<std::size_t>(row)].values[static_cast<std::size_t>(column)];
}

// Linear between the points (x ascending), the end values outside.
double Piecewise(const double* x, const double* y, int n, double at) {
  if (at <= x[0]) return y[0];
  for (int i = 1; i < n; ++i)
    if (at <= x[i]) return y[i - 1] + (at - x[i - 1]) / (x[i] - x[i - 1]) * (y[i] - y[i - 1]);
  return y[n - 1];
}

const Material& MaterialOrThrow(const CodeModel& cm, const AnalysisElement& e) {
  const Material* m = cm.MaterialOf(e);
  if (m == nullptr) throw std::string("Row ") + std::to_string(e.row) + ": the element has no material";
  return *m;
}

double AtLeastOne(double value) { return std::max(value, 1.0); }

bool TypeContains(const Material& m, const char* code) { return m.type.find(code) != std::string::npos; }

}  // namespace

double AllowableAtTemperature(const Material& m, double t) {
  return MaterialColumnAtTemp(m, kMatAllowable, static_cast<float>(t));
}
double YieldAtTemperature(const Material& m, double t) { return MaterialColumnAtTemp(m, kMatYield, static_cast<float>(t)); }
double CreepStressAtTemperature(const Material& m, double t) {
  return MaterialColumnAtTemp(m, kMatRupture, static_cast<float>(t));
}

double CreepTemperature(const Material& m) {
  for (int row = 1; row <= RowCount(m); ++row)
    if (Row(m, row, kMatRupture) != 0.0) return Row(m, row, kMatTemperature);
  return 0.0;
}

void RequireCreepStress(const Material& m, int row) {
  if (Row(m, row, kMatRupture) != 0.0) return;
  std::string temperature = FormatTemperature(static_cast<float>(Row(m, row, kMatTemperature)));
  if (temperature.empty()) temperature = "0";
  throw "For material " + m.name + " at temperature " + temperature + " " + UnitLabel(kUnitTemperature) +
      "\nCreep stress (fCR) is required";
}

double CreepAllowableAtTemperature(const Material& m, double t) {
  const double creepTemperature = CreepTemperature(m);
  if (creepTemperature == 0.0 || t < creepTemperature) return 0.0;
  const int n = RowCount(m);
  if (n == 1 || t <= Row(m, 1, kMatTemperature)) return Row(m, 1, kMatRupture);
  if (t > Row(m, n, kMatTemperature)) {
    RequireCreepStress(m, n);
    return Row(m, n, kMatRupture);
  }
  int i = 2;
  while (i < n && t > Row(m, i, kMatTemperature)) ++i;
  // At a row's own temperature that row alone gives the value.
  if (t == Row(m, i, kMatTemperature)) {
    RequireCreepStress(m, i);
    return Row(m, i, kMatRupture);
  }
  RequireCreepStress(m, i - 1);
  RequireCreepStress(m, i);
  const double t0 = Row(m, i - 1, kMatTemperature), t1 = Row(m, i, kMatTemperature);
  const double v0 = Row(m, i - 1, kMatRupture), v1 = Row(m, i, kMatRupture);
  return t1 == t0 ? v1 : v0 + (t - t0) / (t1 - t0) * (v1 - v0);
}

double B318TemperatureFactor(double t) {
  static const double x[] = {250.0, 300.0, 350.0, 400.0, 450.0};
  static const double y[] = {1.000, 0.967, 0.933, 0.900, 0.867};
  return Piecewise(x, y, 5, t);
}

double CsaTemperatureFactor(double t) {
  static const double x[] = {120.0, 150.0, 180.0, 200.0, 230.0};
  static const double y[] = {1.00, 0.97, 0.93, 0.91, 0.87};
  return Piecewise(x, y, 5, (t - 32.0) * 5.0 / 9.0);
}

namespace {

// SH at temperature t by code (the rules of the design and the hot
// allowable are the same).
double AllowableByCode(const CodeModel& cm, const AnalysisElement& e, double t) {
  const Material& m = MaterialOrThrow(cm, e);
  const CodeSettings& s = cm.settings;
  double sh = 0.0;
  switch (s.code) {
    case 19: {
      const double k = s.z183LocationFactorIndex != 0 ? 0.8 : 1.0;
      sh = CsaTemperatureFactor(t) * m.strength * MaterialJointFactor(m) * k * 0.8;
      break;
    }
    case 20:
    case 22:
      sh = CsaTemperatureFactor(t) * Z184LocationFactor(s.z184ClassLocation, s.z184SourService) * m.strength * 0.8;
      break;
    case 4: sh = (ElementIsBuried(cm, e) ? 0.675 : 0.54) * YieldAtTemperature(m, t); break;
    case 6: sh = B318TemperatureFactor(t) * YieldAtTemperature(m, t); break;
    case 17: {
      // Each limit only where its source value is given.
      const double sy = YieldAtTemperature(m, t), fcr = CreepStressAtTemperature(m, t);
      double smallest = 0.0;
      for (double limit : {sy != 0.0 ? 0.67 * sy : 0.0, m.strength != 0.0 ? 0.44 * m.strength : 0.0,
                           fcr != 0.0 ? 0.67 * fcr : 0.0})
        if (limit != 0.0 && (smallest == 0.0 || limit < smallest)) smallest = limit;
      sh = smallest;
      break;
    }
    case 21: {
      sh = AllowableAtTemperature(m, t);
      const double creep = CreepAllowableAtTemperature(m, t);
      if (creep > 0.0 && creep < sh) sh = creep;
      break;
    }
    default: sh = AllowableAtTemperature(m, t); break;
  }
  return AtLeastOne(sh);
}

}  // namespace

double DesignTemperatureAllowable(const CodeModel& cm, const AnalysisElement& e) {
  return AllowableByCode(cm, e, ElementDesignTemp(cm.model, e));
}

double HotAllowable(const CodeModel& cm, const AnalysisElement& e) {
  return AllowableByCode(cm, e, ElementMaxTemp(cm.model, e));
}

double YieldAtOperatingTemperature(const CodeModel& cm, const AnalysisElement& e) {
  const Material& m = MaterialOrThrow(cm, e);
  const double t = ElementMaxTemp(cm.model, e);
  double sy = YieldAtTemperature(m, t);
  switch (cm.settings.code) {
    case 6: sy *= B318TemperatureFactor(t); break;
    case 21: sy = m.strength; break;
    case 22: sy = CsaTemperatureFactor(t) * m.strength; break;
    default: break;
  }
  return AtLeastOne(sy);
}

namespace {

// Code 14 (Norwegian 1990): the range limit by material type.
double Norwegian1990Allowable(const Material& m, double sc, double sh, double th, double f) {
  struct Limit {
    const char* type;
    double mpa, celsius;
  };
  static const Limit limits[] = {{"AS", 400.0, 425.0}, {"CA", 150.0, -273.0}, {"CC", 100.0, -273.0},
                                 {"AL", 130.0, -273.0}, {"TI", 290.0, -273.0}};
  double mpa = 290.0, celsius = 370.0;
  for (const Limit& limit : limits)
    if (TypeContains(m, limit.type)) {
      mpa = limit.mpa;
      celsius = limit.celsius;
      break;
    }
  const double stressLimit = mpa * kPsiPerMpa, temperatureLimit = celsius * 1.8 + 32.0;
  const bool creepRange = th > temperatureLimit;
  if (creepRange) f = std::min(f, 1.0);
  double sa = std::min(1.25 * sc + 0.25 * sh, stressLimit * f - sh);
  if (creepRange) {
    double scCut = sc, shCut = sh;
    if (m.strength != 0.0) {
      scCut = std::min(sc, 0.25 * m.strength);
      shCut = std::min(sh, 0.25 * m.strength);
    }
    sa = std::min(sa, f * (1.25 * scCut + 0.25 * shCut));
  }
  return sa;
}

// Codes 13 and 18 (Norwegian 1983, Swedish).
double NordicAllowable(const Material& m, double sc, double sh, double th, double f) {
  double scCut = sc, shCut = sh;
  if (m.strength != 0.0) {
    scCut = std::min(sc, 0.267 * m.strength);
    shCut = std::min(sh, 0.367 * m.strength);
  }
  double sa = (1.17 * scCut + 0.17 * shCut) * f;
  if ((TypeContains(m, "CS") && th < 698.0) || (TypeContains(m, "AS") && th < 797.0))
    sa = std::max(sa, std::min(1.17 * sc + 0.2 * sh, f * 42062.0 - sh));
  return sa;
}

// EN 13480 (and Stoomwezen without a yield value): Sc at the reference
// temperature, Sh at the cold one, each cut to Rm / 3; then the smaller of
// that, S at the hot temperature and the creep allowable there.
void En13480RangeStresses(const CodeModel& cm, const Material& m, double th, double tc, double& sc, double& sh) {
  sc = AllowableAtTemperature(m, cm.settings.referenceTemperature);
  sh = AllowableAtTemperature(m, tc);
  if (m.strength != 0.0) {
    sc = std::min(sc, m.strength / 3.0);
    sh = std::min(sh, m.strength / 3.0);
  }
  sh = std::min(sh, AllowableAtTemperature(m, th));
  const double creep = CreepAllowableAtTemperature(m, th);
  if (creep > 0.0 && creep < sh) sh = creep;
}

}  // namespace

EndPair ExpansionAllowables(const CodeModel& cm, const CodeStressRecord& record, double th, double tc, double f,
                            bool sustainedPresent) {
  const AnalysisElement& e = cm.Element(record.element);
  const Material& m = MaterialOrThrow(cm, e);
  const int code = cm.settings.code;
  double sh = AllowableAtTemperature(m, th), sc = AllowableAtTemperature(m, tc);
  EndPair sa;
  auto both = [&sa](double value) { sa.end1 = sa.end2 = value; };
  // Adds f (S - SL) at an end whose sustained stress is below S.
  auto addUnusedSustained = [&sa, &record, f](double s) {
    if (s > record.SL[0]) sa.end1 += f * (s - record.SL[0]);
    if (s > record.SL[1]) sa.end2 += f * (s - record.SL[1]);
  };
  if (code == 19 || code == 20 || code == 22) {
    both(0.72 * CsaTemperatureFactor(th) * m.strength);
  } else if (code == 14) {
    both(Norwegian1990Allowable(m, sc, sh, th, f));
  } else if (code == 13 || code == 18) {
    both(NordicAllowable(m, sc, sh, th, f));
  } else if (code == 17 && YieldAtTemperature(m, th) != 0.0) {
    double b = 0.13 * YieldAtTemperature(m, th);
    const double fcr = CreepStressAtTemperature(m, ElementMaxTemp(cm.model, e));
    if (fcr != 0.0) b = std::min(b, 0.134 * fcr);
    both((0.8 * YieldAtTemperature(m, tc) + b) * f);
  } else if (code == 6 || code == 4) {
    auto s = [&](double t) {
      const double sy = YieldAtTemperature(m, t);
      return code == 6 ? 0.495 * B318TemperatureFactor(t) * sy : 2.0 / 3.0 * sy;
    };
    both(f * (1.25 * s(tc) + 0.25 * s(th)));
    addUnusedSustained(s(th));
  } else {
    if (code == 21 || code == 17) En13480RangeStresses(cm, m, th, tc, sc, sh);
    both(f * (1.25 * sc + 0.25 * sh));
    if (code == 21 || code == 16) {
      const double ratio = MaterialValueAtTemp(m, static_cast<float>(th)) / MaterialValueAtTemp(m, static_cast<float>(tc));
      if (std::isfinite(ratio)) {
        sa.end1 *= ratio;
        sa.end2 *= ratio;
      }
    } else if (sustainedPresent && cm.settings.liberalAllowable) {
      addUnusedSustained(HotAllowable(cm, e));
    }
  }
  sa.end1 = AtLeastOne(sa.end1);
  sa.end2 = AtLeastOne(sa.end2);
  return sa;
}

EndPair OperatingAllowables(const CodeModel& cm, const AnalysisElement& e, double t1, double reference) {
  const Material& m = MaterialOrThrow(cm, e);
  const double sh = AllowableAtTemperature(m, t1), sc = AllowableAtTemperature(m, reference);
  double a = 0.0;
  if (cm.settings.code == 5) {
    a = 0.35 * sh;
  } else {
    const double f = OperatingRangeFactor(cm.settings.thermalCycles);
    a = f * (1.25 * sc + 0.25 * sh) + sh;
  }
  a = AtLeastOne(a);
  return {a, a};
}

namespace {

// The ASME Class 2/3 occasional limit: k SH, or the yield limit where it is
// given and smaller.
double Class2Occasional(double sh, double sy, int level) {
  static const double shFactor[] = {1.8, 2.25, 3.0}, syFactor[] = {1.5, 1.8, 2.0}, floor[] = {1.6, 1.9, 2.1};
  QV_ASSERT(level >= 0 && level <= 2);
  const auto i = static_cast<std::size_t>(level);
  double limit = shFactor[i] * sh;
  const double yieldLimit = syFactor[i] * sy;
  if (yieldLimit > floor[i] && yieldLimit < limit) limit = yieldLimit;
  return limit;
}

}  // namespace

double OccasionalAllowable(const CodeModel& cm, const AnalysisElement& e) {
  const int code = cm.settings.code;
  const double sh = HotAllowable(cm, e);
  switch (code) {
    case 1: case 2: case 12: case 13: case 14: case 16: case 17: case 18: return 1.2 * sh;
    case 3: {
      const Material& m = MaterialOrThrow(cm, e);
      const double t = ElementMaxTemp(cm.model, e);
      if (t > 800.0) return AtLeastOne((m.type == "AS" ? 0.9 : 0.72) * m.strength);
      return AtLeastOne(1.33 * AllowableAtTemperature(m, t));
    }
    case 4: return 0.8 * YieldAtOperatingTemperature(cm, e);
    case 5: case 7: return 1.33 * sh;
    case 6: return 0.75 * YieldAtOperatingTemperature(cm, e);
    case 8: case 15: {
      static const double factor[] = {1.2, 1.8, 2.4};
      QV_ASSERT(cm.settings.serviceLevel >= 0 && cm.settings.serviceLevel <= 2);
      return factor[cm.settings.serviceLevel] * sh;
    }
    case 9: case 10: case 11: case 101: case 201:
      return Class2Occasional(sh, YieldAtOperatingTemperature(cm, e), cm.settings.serviceLevel);
    case 19: case 20: case 22: return sh;
    case 21: return AtLeastOne(cm.settings.seismicCoefficient * sh);
    default: break;
  }
  AssertFailed("occasional allowable of a known piping code", AssertSourcePath(__FILE__), __LINE__);
}

bool ElementIsBuried(const CodeModel& cm, const AnalysisElement& e) {
  const Model& model = cm.model;
  if (model.soils.count == 0) return false;
  const PipeSection* section = cm.SectionOf(e);
  if (section == nullptr || section->soil.empty()) return false;
  const int soil = FindSoilByName(model.soils, section->soil);
  if (soil == 0) return false;
  const float ground = model.soils[soil].groundLevel;
  const bool z = cm.settings.zVertical;
  for (int node : {e.node1, e.node2}) {
    const NodeRecord& n = model.nodes[node];
    if ((z ? n.z : n.y) > ground) return false;
  }
  return true;
}
