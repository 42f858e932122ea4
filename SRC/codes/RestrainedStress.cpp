// Restrained pipeline stresses; see RestrainedStress.h.
#include "codes/RestrainedStress.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "codes/CodeModel.h"
#include "codes/CodeStressRecord.h"
#include "codes/Sif.h"
#include "elements/DerivedElementData.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "records/Material.h"

namespace {

constexpr double kPoisson = 0.3;

struct Components {
  double SLa = 0.0, Sb = 0.0, St = 0.0, Sh = 0.0;
};

Components Stored(const CodeStressRecord& record, int first, int end) {
  const auto& f = record.restrained;
  const auto at = [&](int k) { return static_cast<double>(f[static_cast<std::size_t>(first + 4 * end + k)]); };
  return {at(0), at(1), at(2), at(3)};
}

void Store(CodeStressRecord& record, int first, int end, const Components& c) {
  auto& f = record.restrained;
  const double values[4] = {c.SLa, c.Sb, c.St, c.Sh};
  for (int k = 0; k < 4; ++k) f[static_cast<std::size_t>(first + 4 * end + k)] = static_cast<float>(values[k]);
}

double Combine(int code, double SL, double St, double Sh, bool equivalent) {
  if (code == 4)
    return equivalent ? std::sqrt(SL * SL - SL * Sh + Sh * Sh + 3.0 * St * St)
                      : 2.0 * std::sqrt((SL - Sh) / 2.0 * (SL - Sh) / 2.0 + St * St);
  if (equivalent) return std::sqrt(SL * SL - SL * Sh + Sh * Sh);
  return std::max({std::fabs(Sh - SL), std::fabs(Sh), std::fabs(SL)});
}

// The element's temperature Ti (1 .. 10) of its pipe load.
double Temperature(const CodeModel& cm, const AnalysisElement& e, int i) {
  const Model& model = cm.model;
  if (e.load < 1 || e.load > model.pipeLoads.count || i < 1 || i > 10) return cm.settings.referenceTemperature;
  return model.pipeLoads[e.load].operating[static_cast<std::size_t>(i - 1)].temperature;
}

}  // namespace

bool RestrainedUsesEquivalentStress(int code) {
  if (code == 4) return std::getenv("DET_314") != nullptr;
  if (code == 6) return std::getenv("DET_318") != nullptr;
  return false;
}

double RestrainedCombinedStress(int code, double SLa, double Sb, double St, double Sh, bool equivalent) {
  // The bending adds to the longitudinal stress on one fibre and takes from
  // it on the other; the check is on the fibre further from the hoop stress.
  if (code == 22) return std::max(std::fabs(Sh - (SLa + Sb)), std::fabs(Sh - (SLa - Sb)));
  return std::max(std::fabs(Combine(code, SLa + Sb, St, Sh, equivalent)),
                  std::fabs(Combine(code, SLa - Sb, St, Sh, equivalent)));
}

double RestrainedThermalStress(const CodeStressCase& c, const AnalysisElement& e, int i, int j) {
  const Material* m = c.cm.MaterialOf(e);
  if (m == nullptr) return 0.0;
  const auto reference = static_cast<float>(c.cm.settings.referenceTemperature);
  const double E = MaterialValueAtTemp(*m, reference);
  auto part = [&](int k) {
    const auto t = static_cast<float>(Temperature(c.cm, e, k));
    return (reference - t) * MaterialValueAtTemp2(*m, t) * E;
  };
  const double stress = j == 0 ? part(i) : part(i) - part(j);
  return c.cm.settings.code == 22 ? -stress : stress;
}

EndPair RestrainedPipelineStresses(const CodeStressCase& c, CodeStressRecord& record, bool occasional) {
  const CodeModel& cm = c.cm;
  const int index = record.element;
  const AnalysisElement& e = cm.Element(index);
  const int code = cm.settings.code;
  const bool equivalent = RestrainedUsesEquivalentStress(code);
  const EndDimensions dimensions = ElementEndDimensions(cm, e);
  const EndSection section = ElementEndSectionProperties(c, index, false);
  const double P = ElementCaseDesignPressure(c, e);
  const double increment = occasional ? cm.settings.peakPressureFactor - 1.0 : 1.0;
  double out[2] = {0.0, 0.0};
  for (int end = 0; end < 2; ++end) {
    const double D = dimensions.D[end], t = dimensions.t[end], A = section.A[end], Z = section.Z[end];
    if (!(t > 0.0 && A > 0.0 && Z > 0.0)) {
      out[end] = kFlaggedStress;
      continue;
    }
    Components s;
    s.Sh = P * D / (2.0 * t) * increment;
    const ElementEndLoads l = ElementEndCodeLoads(c, index, end);
    s.SLa = code == 22 ? kPoisson * s.Sh : l.Fx / A + kPoisson * s.Sh;
    const EndSifs& i = ElementEndSifs(c, index, end);
    const double ii = std::max(0.75 * i.inPlane, 1.0), io = std::max(0.75 * i.outPlane, 1.0);
    switch (code) {
      case 6: {
        const bool plainBend = e.kind == 4 && !B318BendKeepsItsSifs(cm, e);
        const double bi = plainBend ? 1.0 : ii, bo = plainBend ? 1.0 : io;
        s.Sb = std::sqrt(bi * l.Mi * bi * l.Mi + bo * l.Mo * bo * l.Mo + l.Mt * l.Mt) / Z;
        break;
      }
      case 4:
        s.Sb = std::sqrt(ii * l.Mi * ii * l.Mi + io * l.Mo * io * l.Mo) / Z;
        s.St = l.Mt / Z;
        break;
      default: {
        const double fi = std::max<double>(i.inPlane, 1.0), fo = std::max<double>(i.outPlane, 1.0);
        s.Sb = std::sqrt(fi * l.Mi * fi * l.Mi + fo * l.Mo * fo * l.Mo) / Z;
        s.St = l.Mt / Z;
        break;
      }
    }
    if (!occasional) {
      Store(record, kRestrainedSustained, end, s);
    } else {
      const Components sustained = Stored(record, kRestrainedSustained, end);
      s.SLa += sustained.SLa;
      s.Sb += sustained.Sb;
      s.St += sustained.St;
      s.Sh += sustained.Sh;
    }
    const double S = RestrainedCombinedStress(code, s.SLa, s.Sb, s.St, s.Sh, equivalent);
    float& kept = record.restrained[static_cast<std::size_t>(
        (occasional ? kRestrainedOccasionalStress : kRestrainedSustainedStress) + end)];
    if (!occasional) {
      kept = static_cast<float>(S);
    } else if (S > kept) {
      kept = static_cast<float>(S);
      Store(record, kRestrainedOccasional, end, s);
    }
    out[end] = S;
  }
  return {out[0], out[1]};
}

EndPair RestrainedPipelineThermalStresses(const CodeStressCase& c, const CodeStressRecord& record, int i, int j,
                                          bool occasionalPresent) {
  const CodeModel& cm = c.cm;
  const AnalysisElement& e = cm.Element(record.element);
  const int code = cm.settings.code;
  const double ST = RestrainedThermalStress(c, e, i, j);
  double out[2] = {0.0, 0.0};
  if (code == 21) {
    const Material* m = cm.MaterialOf(e);
    const EndDimensions dimensions = ElementEndDimensions(cm, e);
    const double P = ElementMaxPressure(cm.model, e), nu = m != nullptr ? MaterialNu(*m) : 0.0;
    for (int end = 0; end < 2; ++end)
      out[end] = dimensions.t[end] > 0.0 ? nu * P * dimensions.D[end] / (2.0 * dimensions.t[end]) - ST : kFlaggedStress;
    return {out[0], out[1]};
  }
  for (int end = 0; end < 2; ++end) {
    const Components s = Stored(record, occasionalPresent ? kRestrainedOccasional : kRestrainedSustained, end);
    if (code == 22) {
      // ST is positive for a line hotter than laid; a colder line is pulled,
      // which raises its longitudinal stress rather than lowering it.
      out[end] = RestrainedCombinedStress(code, s.SLa - ST, s.Sb, s.St, s.Sh, false);
      continue;
    }
    out[end] = RestrainedCombinedStress(code, s.SLa + ST, s.Sb, s.St, s.Sh, RestrainedUsesEquivalentStress(code));
  }
  return {out[0], out[1]};
}
