// The code stress formulas of one element end by piping code; see
// ElementCodeStress.h. Sustained SIFs are 0.75 i, at least 1.0.
#include "codes/ElementCodeStress.h"

#include <algorithm>
#include <cmath>

#include "codes/Allowables.h"
#include "codes/CodeModel.h"
#include "codes/CodeStressRecord.h"
#include "codes/Sif.h"
#include "codes/StressIndices.h"
#include "elements/Bend.h"
#include "elements/DerivedElementData.h"
#include "elements/HydrotestLoad.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "services/Assert.h"
#include "services/LoadCaseTypes.h"

namespace {

// The loads of one end in code terms.
struct EndLoads {
  double Fx = 0.0, Mt = 0.0, Mo = 0.0, Mi = 0.0;
  double Resultant() const { return std::sqrt(Mt * Mt + Mo * Mo + Mi * Mi); }
};

bool IsStraightKind(int kind) { return kind == 3 || kind == 6 || kind == 9; }
bool IsBendKind(int kind) { return kind == 4 || kind == 5 || kind == 7; }

// The end's loads; where a code has separate in-plane and out-of-plane
// factors (and for code 16), a straight element's moments at a branch node
// are those in the branch plane, whatever way the element's own axes lie.
EndLoads LoadsAt(const CodeStressCase& c, int index, int end, bool resolveAtBranch) {
  const AnalysisElement& e = c.cm.Element(index);
  const auto& f = c.forces[static_cast<std::size_t>(index)].values;
  const std::size_t base = end == 0 ? 0 : 6;
  EndLoads loads{f[base], f[base + 3], f[base + 4], f[base + 5]};
  const int code = c.cm.settings.code;
  const int node = end == 0 ? e.node1 : e.node2;
  const bool planeCodes = code == 2 || code == 3 || code == 4 || code == 5 || code == 6 || code == 16 ||
                          code == 19 || code == 20 || code == 21 || code == 22 ||
                          ((code == 1 || code == 7) && c.cm.settings.useB31J);
  if (resolveAtBranch && planeCodes && IsStraightKind(e.kind) && c.cm.IsBranchPoint(node)) {
    const BranchMoments m = ResolveBranchMomentsInSifPlane(c, index, node);
    loads.Mi = m.inPlane;
    loads.Mo = m.outPlane;
  }
  return loads;
}

const EndSifs& SifsAt(const CodeStressCase& c, int index, int end) {
  return c.sifs.elements[static_cast<std::size_t>(index)].ends[static_cast<std::size_t>(end)];
}

// The sustained SIF: 0.75 i, at least 1.0.
double Sustained(double i) {
  const double cut = std::max(0.75 * i, 1.0);
  QV_ASSERT(cut >= 1.0);
  return cut;
}

// The design pressure of the sustained formulas: the element's hydrotest
// pressure in the "Hydrotest" case (0 without one), else the largest
// operating pressure with its sign.
double SustainedPressure(const CodeStressCase& c, const AnalysisElement& e) {
  if (c.caseType == kCaseIdHydrotest) {
    if (e.hydrotestRow < 1 || e.hydrotestRow > c.cm.model.rowCount) return 0.0;
    const auto* test = dynamic_cast<const HydrotestLoad*>(c.cm.model.row(e.hydrotestRow).element.get());
    return test != nullptr ? test->pressure : 0.0;
  }
  return ElementMaxPressure(c.cm.model, e);
}

bool BuriedPipeline(const CodeStressCase& c, const AnalysisElement& e) {
  return IsPipelineCode(c.cm.settings.code) && ElementIsBuried(c.cm, e);
}

// B31.8 sustained SIFs of a bend are 1.0 but for a short-radius bend whose
// radius is at most its OD.
bool B318BendKeepsSifs(const CodeModel& cm, const AnalysisElement& e) {
  const auto* bend = dynamic_cast<const Bend*>(cm.model.row(e.row).element.get());
  const PipeSection* section = cm.SectionOf(e);
  if (bend == nullptr || section == nullptr || section->outsideDiameter <= 0.0f) return false;
  return bend->radiusType == kBendRadiusShort && ElementBendRadius(cm.model, e) / section->outsideDiameter <= 1.0;
}

double Hypot(double a, double b) { return std::sqrt(a * a + b * b); }
double Hypot(double a, double b, double c) { return std::sqrt(a * a + b * b + c * c); }

double Small(double value) { return std::fabs(value) < 1.0e-6 ? 0.0 : value; }

}  // namespace

EndPair ElementSustainedStresses(const CodeStressCase& c, const CodeStressRecord& record, bool occasional) {
  const CodeModel& cm = c.cm;
  const int index = record.element;
  const AnalysisElement& e = cm.Element(index);
  const int code = cm.settings.code;
  const EndSection section = ElementEndSectionProperties(c, index, code == 3 || code == 5);
  const EndPair slp = ElementPressureStresses(cm, index, SustainedPressure(c, e));
  const double increment = occasional ? cm.settings.peakPressureFactor - 1.0 : 1.0;
  const bool axial = cm.settings.includeAxialForce || code == 3 || code == 4 || code == 6;
  double out[2] = {0.0, 0.0};
  for (int end = 0; end < 2; ++end) {
    const double A = section.A[end], Z = section.Z[end];
    const double pressure = (end == 0 ? slp.end1 : slp.end2);
    if (!(A > 0.0 && Z > 0.0) || IsFlaggedStress(pressure)) {
      out[end] = kFlaggedStress;
      continue;
    }
    const double p = pressure * increment;
    const EndLoads l = LoadsAt(c, index, end, true);
    const EndSifs& i = SifsAt(c, index, end);
    const double a = axial ? std::fabs(l.Fx / A + p) : std::fabs(p);
    double ii = Sustained(i.inPlane), io = Sustained(i.outPlane), it = Sustained(i.torsion);
    double s = 0.0;
    switch (code) {
      case 3: s = Hypot(Sustained(i.axial) * a + Hypot(ii * l.Mi, io * l.Mo) / Z, it * l.Mt / Z); break;
      case 1: case 7: case 8: case 9: case 10: case 11: case 101: case 201:
      case 13: case 14: case 15: case 16: case 17: case 18:
        if ((code == 1 || code == 7) && cm.settings.useB31J) s = Hypot(it * l.Mt, io * l.Mo, ii * l.Mi) / Z + a;
        else s = ii * l.Resultant() / Z + a;
        break;
      case 21: s = Hypot(ii * l.Mi, io * l.Mo, l.Mt) / Z + a; break;
      case 6:
        if (e.kind == 4 && !B318BendKeepsSifs(cm, e)) ii = io = it = 1.0;
        [[fallthrough]];
      case 4: s = std::sqrt((ii * l.Mi * ii * l.Mi + io * l.Mo * io * l.Mo) / (Z * Z) + (it * l.Mt / Z) * (it * l.Mt / Z)) + a; break;
      case 2: case 5: case 19: case 20: case 22: s = Hypot(i.inPlane * l.Mi, i.outPlane * l.Mo) / Z + a; break;
      default: AssertFailed("sustained stress of a known piping code", AssertSourcePath(__FILE__), __LINE__);
    }
    if (occasional) s += record.SL[static_cast<std::size_t>(end)];
    out[end] = s;
  }
  if (BuriedPipeline(c, e)) out[0] = out[1] = -1.0;
  return {out[0], out[1]};
}

EndPair ElementExpansionStresses(const CodeStressCase& c, const CodeStressRecord& record) {
  const CodeModel& cm = c.cm;
  const int index = record.element;
  const AnalysisElement& e = cm.Element(index);
  const int code = cm.settings.code;
  const EndSection section = ElementEndSectionProperties(c, index, false);
  double out[2] = {0.0, 0.0};
  for (int end = 0; end < 2; ++end) {
    const double A = section.A[end], Z = section.Z[end];
    if (!(A > 0.0 && Z > 0.0)) {
      out[end] = kFlaggedStress;
      continue;
    }
    const EndLoads l = LoadsAt(c, index, end, true);
    const EndSifs& i = SifsAt(c, index, end);
    double s = 0.0;
    switch (code) {
      case 1: case 7: case 8: case 9: case 10: case 11: case 101: case 201:
      case 13: case 14: case 15: case 16: case 17: case 18:
        if ((code == 1 || code == 7) && cm.settings.useB31J)
          s = Hypot(i.torsion * l.Mt, i.outPlane * l.Mo, i.inPlane * l.Mi) / Z;
        else s = i.inPlane * l.Resultant() / Z;
        break;
      case 21: s = Hypot(i.inPlane * l.Mi, i.outPlane * l.Mo, l.Mt) / Z; break;
      case 2: case 4: case 5: case 6: case 19: case 20: case 22:
        s = std::sqrt((std::pow(i.inPlane * l.Mi, 2) + std::pow(i.outPlane * l.Mo, 2)) / (Z * Z) +
                      std::pow(i.torsion * l.Mt / Z, 2));
        break;
      case 3: {
        // B31.3 (319.4.4): Ia = 1 for bends and miters, io for other fittings.
        const double ia = IsBendKind(e.kind) ? 1.0 : i.outPlane;
        s = Hypot(ia * std::fabs(l.Fx) / A + Hypot(i.inPlane * l.Mi, i.outPlane * l.Mo) / Z, i.torsion * l.Mt / Z);
        break;
      }
      default: AssertFailed("expansion stress of a known piping code", AssertSourcePath(__FILE__), __LINE__);
    }
    if (cm.settings.includeAxialForce && code != 3 && code != 4 && code != 6) s += std::fabs(l.Fx) / A;
    out[end] = Small(s);
  }
  if (BuriedPipeline(c, e)) out[0] = out[1] = -1.0;
  return {out[0], out[1]};
}

EndPair ElementOperatingStresses(const CodeStressCase& c, const CodeStressRecord& record) {
  const CodeModel& cm = c.cm;
  const int index = record.element;
  const AnalysisElement& e = cm.Element(index);
  const EndSection section = ElementEndSectionProperties(c, index, false);
  const EndDimensions d = ElementEndDimensions(cm, e);
  const double p = ElementPressure(cm.model, e, 1);
  double out[2] = {0.0, 0.0};
  for (int end = 0; end < 2; ++end) {
    const double A = section.A[end], Z = section.Z[end], D = d.D[end], t = d.t[end], di = D - 2.0 * t;
    const bool pressureDefined = cm.settings.pressureStressOption ? (t > 0.0 && D * D - di * di > 0.0) : t > 0.0;
    if (!(A > 0.0 && Z > 0.0) || !pressureDefined) {
      out[end] = kFlaggedStress;
      continue;
    }
    const double slp = cm.settings.pressureStressOption ? p * di * di / (D * D - di * di) : p * D / (4.0 * t);
    const EndLoads l = LoadsAt(c, index, end, true);
    const EndSifs& i = SifsAt(c, index, end);
    const double bending = std::sqrt((std::pow(i.inPlane * l.Mi, 2) + std::pow(i.outPlane * l.Mo, 2)) / (Z * Z) +
                                     std::pow(i.torsion * l.Mt / Z, 2));
    // The bending adds to the axial stress on one fibre and takes from it on
    // the other: the larger is the membrane stress's size plus the bending,
    // whatever the sign of the axial force.
    out[end] = Small(std::fabs(l.Fx / A + slp) + bending);
  }
  return {out[0], out[1]};
}

EndPair ElementClass2Stresses(const CodeStressCase& c, const CodeStressRecord& record, const StressIndices& indices,
                              bool occasional) {
  const CodeModel& cm = c.cm;
  const int index = record.element;
  const AnalysisElement& e = cm.Element(index);
  const EndSection section = ElementEndSectionProperties(c, index, false);
  const EndPair slp = ElementPressureStresses(cm, index, SustainedPressure(c, e));
  const double increment = occasional ? cm.settings.peakPressureFactor - 1.0 : 1.0;
  double out[2] = {0.0, 0.0};
  for (int end = 0; end < 2; ++end) {
    const double A = section.A[end], Z = section.Z[end];
    const double pressure = end == 0 ? slp.end1 : slp.end2;
    if (!(A > 0.0 && Z > 0.0) || IsFlaggedStress(pressure)) {
      out[end] = kFlaggedStress;
      continue;
    }
    const double p = pressure * increment;
    const EndLoads l = LoadsAt(c, index, end, false);
    const double a = cm.settings.includeAxialForce ? std::fabs(l.Fx / A + p) : std::fabs(p);
    double b = 2.0 * indices.B1[end] * a + indices.B2[end] * l.Resultant() / Z;
    if (occasional) b += record.SI[static_cast<std::size_t>(end)];
    out[end] = b;
  }
  return {out[0], out[1]};
}

EndPair ElementCreepStresses(const CodeStressCase& c, const CodeStressRecord& record) {
  const CodeModel& cm = c.cm;
  const int index = record.element;
  const AnalysisElement& e = cm.Element(index);
  const int code = cm.settings.code;
  if (code == 21 && ElementIsBuried(cm, e)) return {-1.0, -1.0};
  const EndSection section = ElementEndSectionProperties(c, index, false);
  double out[2] = {0.0, 0.0};
  for (int end = 0; end < 2; ++end) {
    const double Z = section.Z[end];
    if (!(Z > 0.0)) {
      out[end] = kFlaggedStress;
      continue;
    }
    const EndLoads l = LoadsAt(c, index, end, false);
    const EndSifs& i = SifsAt(c, index, end);
    const double ii = Sustained(i.inPlane), io = Sustained(i.outPlane);
    const double s = code == 21 ? Hypot(ii * l.Mi, io * l.Mo, l.Mt) / (3.0 * Z) : ii * l.Resultant() / (3.0 * Z);
    out[end] = Small(s);
  }
  return {out[0], out[1]};
}

PrincipalStressValues PrincipalStresses(double h, double l, double v) {
  const double r = std::sqrt(v * v + std::pow((h - l) / 2.0, 2));
  PrincipalStressValues p;
  p.maximum = (h + l) / 2.0 + r;
  p.minimum = (h + l) / 2.0 - r;
  p.equivalent = std::sqrt(p.maximum * p.maximum - p.maximum * p.minimum + p.minimum * p.minimum);
  return p;
}

void UncodedElementStresses(const CodeStressCase& c, CodeStressRecord& record) {
  const CodeModel& cm = c.cm;
  const int index = record.element;
  const AnalysisElement& e = cm.Element(index);
  const PipeSection* pipe = cm.SectionOf(e);
  const double corrosion = pipe != nullptr ? pipe->corrosionAllowance : 0.0f;
  const double millTolerance = pipe != nullptr ? pipe->millTolerance : 0.0f;
  const double p = ElementPressure(cm.model, e, 1);
  const EndSection section = ElementEndSectionProperties(c, index, true);
  const EndDimensions d = ElementEndDimensions(cm, e);
  const EndPair slp = ElementPressureStresses(cm, index, p);
  for (int end = 0; end < 2; ++end) {
    auto& out = record.uncoded[static_cast<std::size_t>(end)];
    const double A = section.A[end], Z = section.Z[end];
    const double t = (1.0 - millTolerance * 0.01) * d.t[end] - corrosion;
    const double pressure = end == 0 ? slp.end1 : slp.end2;
    if (!(A > 0.0 && Z > 0.0 && t > 0.0) || IsFlaggedStress(pressure)) {
      out = {kFlaggedStress, kFlaggedStress, kFlaggedStress};
      continue;
    }
    const EndLoads l = LoadsAt(c, index, end, false);
    const EndSifs& i = SifsAt(c, index, end);
    const double hoop = d.D[end] * p / (2.0 * t), longitudinal = l.Fx / A + pressure;
    const double bending = Hypot(i.inPlane * l.Mi, i.outPlane * l.Mo) / Z, shear = std::fabs(l.Mt) / (2.0 * Z);
    const PrincipalStressValues plus = PrincipalStresses(hoop, longitudinal + bending, shear);
    const PrincipalStressValues minus = PrincipalStresses(hoop, longitudinal - bending, shear);
    out = {static_cast<float>(std::max(plus.maximum, minus.maximum)), static_cast<float>(std::min(plus.minimum, minus.minimum)),
           static_cast<float>(std::max(plus.equivalent, minus.equivalent))};
  }
}

ElementEndLoads ElementEndCodeLoads(const CodeStressCase& c, int element, int end) {
  const EndLoads l = LoadsAt(c, element, end, true);
  return {l.Fx, l.Mt, l.Mo, l.Mi};
}

const EndSifs& ElementEndSifs(const CodeStressCase& c, int element, int end) { return SifsAt(c, element, end); }

double ElementCaseDesignPressure(const CodeStressCase& c, const AnalysisElement& element) {
  return SustainedPressure(c, element);
}

bool B318BendKeepsItsSifs(const CodeModel& cm, const AnalysisElement& element) { return B318BendKeepsSifs(cm, element); }
