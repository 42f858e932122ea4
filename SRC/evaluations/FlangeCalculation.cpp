// The flange joint calculation (see FlangeCalculation.h). Symbols follow
// ASME VIII Div. 1 Appendix 2; the paragraphs are cited where a step takes
// a rule of its own.
#include "evaluations/FlangeCalculation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "evaluations/EvaluationInputLimits.h"
#include "evaluations/FlangeFactors.h"
#include "services/General.h"
#include "services/NumberText.h"

namespace {

constexpr double kPi = std::numbers::pi;

// The checks of one value, in the order of the sheet's fields; each returns
// the refusal or the empty text.
// A value from the limit of a typed number up is one the sheet cannot
// show or take back.
std::string BelowLimit(float value, const char* label) {
  return NumberBelowLimit(value) ? std::string() : std::string(label) + " must be less than 1E38";
}
std::string Positive(float value, const char* label) {
  return value > 0.0f && std::isfinite(value) ? BelowLimit(value, label) : std::string(label) + " must be greater than 0";
}
std::string NotNegative(float value, const char* label) {
  return value >= 0.0f && std::isfinite(value) ? BelowLimit(value, label) : std::string(label) + " must not be negative";
}
std::string Greater(float value, float than, const char* label, const char* thanLabel) {
  return value > than ? std::string() : std::string(label) + " must be greater than " + thanLabel;
}

// Basic gasket seating width b0 of the facing sketch and column (the
// sketches of Table 2-5.2 as the tool numbers them), with w = N/2.
double SeatingWidth(double N, int sketch, int column) {
  const bool second = column == 2;
  switch (sketch) {
    case 2: return second ? (3.0 * N + N / 2.0) / 8.0 : (N / 2.0 + N) / 4.0;
    case 3: return second ? 3.0 * N / 8.0 : N / 4.0;
    case 4: return second ? 7.0 * N / 16.0 : 3.0 * N / 8.0;
    case 5: return second ? 3.0 * N / 8.0 : N / 4.0;
    default: return N / 2.0;
  }
}

// The stresses of one moment M (2-7 and the reverse flange forms of 2-13;
// the loose flange without hub of 2-14 has only the tangential stress).
FlangeConditionStresses Stresses(const FlangeQualificationData& data, const FlangeResults& r, double M) {
  const double t = data.thickness, g1 = data.hubLargeEnd;
  const int type = data.type;
  const double B = type == kReverseFlange ? data.reverseInsideDiameter : data.insideDiameter;
  FlangeConditionStresses s;
  if (type == kLooseFlangeWithoutHub) {
    s.ST = r.Y * M / (t * t * B);
  } else {
    s.SH = r.f * M / (r.L * g1 * g1 * B);
    s.SR = (1.33 * t * r.e + 1.0) * M / (r.L * t * t * B);
    if (type == kReverseFlange)
      s.ST = r.Yr * M / (t * t * B) - r.Z * s.SR * (0.67 * t * r.e + 1.0) / (1.33 * t * r.e + 1.0);
    else
      s.ST = r.Y * M / (t * t * B) - r.Z * s.SR;
  }
  s.SH = std::fabs(s.SH);
  s.SR = std::fabs(s.SR);
  s.ST = std::fabs(s.ST);
  s.SHR = 0.5 * (s.SH + s.SR);
  s.SHT = 0.5 * (s.SH + s.ST);
  return s;
}

// Rigidity index J of Appendix S: 2-14 for the loose flange without hub,
// else the hub form with its V, L, g0 and h0.
double Rigidity(const FlangeQualificationData& data, const FlangeResults& r, double M, double E) {
  if (data.type == kLooseFlangeWithoutHub) {
    const double t = data.thickness;
    return std::fabs(109.4 * M / (E * t * t * t * r.KI * std::log(r.K)));
  }
  const double g0 = data.hubSmallEnd;
  return std::fabs(52.14 * r.V * M / (r.L * E * g0 * g0 * r.KI * r.h0));
}

// As the report shows them: 32-bit floats.
bool AllFinite(const FlangeResults& r) {
  return ResultsFinite({r.G,  r.Pe, r.Wm1, r.Wm2, r.W, r.Mo, r.Mg, r.K, r.T, r.U, r.Y, r.Z, r.F, r.V, r.L,
                           r.operating.SH, r.operating.SR, r.operating.ST, r.operating.bolt,
                           r.seating.SH, r.seating.SR, r.seating.ST, r.seating.bolt, r.Joperating, r.Jseating});
}

}  // namespace

std::string FlangeInputRefusal(const FlangeQualificationData& d) {
  const bool reverse = d.type == kReverseFlange;
  const bool hub = d.type != kLooseFlangeWithoutHub;
  if (d.type < kIntegralFlange || d.type > kReverseFlange) return "Flange Type is invalid";
  std::string refusal;
  auto check = [&refusal](const std::string& text) {
    if (refusal.empty()) refusal = text;
  };
  check(Positive(d.outsideDiameter, "Flange Outside Diameter [A]"));
  check(Positive(d.insideDiameter, "Flange Inside Diameter [B]"));
  if (reverse) {
    check(Positive(d.reverseInsideDiameter, "Inside Dia of Reverse Flange [B']"));
    check(Greater(d.outsideDiameter, d.reverseInsideDiameter, "Flange Outside Diameter [A]",
                  "Inside Dia of Reverse Flange [B']"));
  } else {
    check(Greater(d.outsideDiameter, d.insideDiameter, "Flange Outside Diameter [A]", "Flange Inside Diameter [B]"));
  }
  check(Positive(d.thickness, "Flange Thickness [t]"));
  check(Positive(d.hubSmallEnd, "Small End Hub Thickness [g0]"));
  check(Positive(d.hubLargeEnd, "Large End Hub Thickness [g1]"));
  // The hub factors are charted, and their equations hold, for a hub that
  // thickens towards the flange.
  if (hub && d.hubLargeEnd < d.hubSmallEnd)
    check("Large End Hub Thickness [g1] must not be less than Small End Hub Thickness [g0]");
  // C = 43.68 (h/h0)^4 divides the hub factors' equations.
  check(hub ? Positive(d.hubLength, "Hub Length [h]") : NotNegative(d.hubLength, "Hub Length [h]"));
  check(Positive(d.flangeAllowableDesign, "Flange Allowable Stress @ Design Temp"));
  check(Positive(d.flangeAllowableReference, "Flange Allowable Stress @ Ref. Temp"));
  check(Positive(d.modulusDesign, "Modulus @ Design Temp"));
  check(Positive(d.modulusReference, "Modulus @ Ref. Temp"));
  check(Positive(d.boltCircle, "Bolt Circle Diameter"));
  check(Greater(d.outsideDiameter, d.boltCircle, "Flange Outside Diameter [A]", "Bolt Circle Diameter"));
  if (d.boltCount < 1) check("Number of Bolts must be at least 1");
  if (d.boltSize < 0 || d.boltSize >= kBoltSizeCount) check("Bolt Diameter is invalid");
  check(Positive(d.boltAllowableDesign, "Bolt Allowable Stress @ Design Temp"));
  check(Positive(d.boltAllowableReference, "Bolt Allowable Stress @ Ref. Temp"));
  check(Positive(d.gasketInside, "Gasket Inner Diameter"));
  check(Greater(d.gasketOutside, d.gasketInside, "Gasket Outer Diameter", "Gasket Inner Diameter"));
  check(Greater(d.boltCircle, d.gasketOutside, "Bolt Circle Diameter", "Gasket Outer Diameter"));
  check(NotNegative(d.gasketFactor, "Leak Pressure Ratio [m]"));
  check(NotNegative(d.seatingStress, "Gasket Seating Stress [y]"));
  if (d.facingSketch < 1 || d.facingSketch > 5) check("Facing Sketch should be > 0 and < 6");
  if (d.facingColumn < 1 || d.facingColumn > 2) check("Facing Column should be > 0 and <= 2");
  check(NotNegative(d.designPressure, "Design Pressure"));
  check(NotNegative(d.axialForce, "Axial Force"));
  check(NotNegative(d.bendingMoment, "Bending Moment"));
  check(Positive(d.allowablePressure, "Allowable Pressure"));
  if (!refusal.empty()) return refusal;
  if (!AllFinite(CalculateFlange(d))) return "The flange data give no finite stresses: check the dimensions";
  return {};
}

FlangeResults CalculateFlange(const FlangeQualificationData& d) {
  FlangeResults r;
  const int type = d.type;
  const double A = d.outsideDiameter, B = d.insideDiameter, Bprime = d.reverseInsideDiameter;
  const double t = d.thickness, g0 = d.hubSmallEnd, g1 = d.hubLargeEnd, h = d.hubLength;
  const double C = d.boltCircle, P = d.designPressure;
  const double GOD = d.gasketOutside, GID = d.gasketInside;

  // Gasket (2-5): seating widths and the load reaction diameter G.
  r.N = (GOD - GID) / 2.0;
  r.b0 = SeatingWidth(r.N, d.facingSketch, d.facingColumn);
  if (r.b0 <= 0.25) {
    r.b = r.b0;
    r.G = (GOD + GID) / 2.0;
  } else {
    r.b = std::sqrt(r.b0) / 2.0;
    r.G = GOD - 2.0 * r.b;
  }
  const double G = r.G, b = r.b;

  // NC-3658.1: the external loads as an equivalent pressure.
  r.Pe = 16.0 * d.bendingMoment / (kPi * G * G * G) + 4.0 * d.axialForce / (kPi * G * G) + P;

  // Bolt loads (2-5) and bolt areas.
  r.H = 0.785 * G * G * P;
  r.Hp = 2.0 * b * kPi * G * d.gasketFactor * P;
  r.Wm1 = r.H + r.Hp;
  r.Wm2 = kPi * b * G * d.seatingStress;
  r.HD = 0.785 * B * B * P;
  r.HT = r.H - r.HD;
  r.HG = r.Wm1 - r.H;
  r.Am = std::max(r.Wm1 / d.boltAllowableDesign, r.Wm2 / d.boltAllowableReference);
  r.Ab = d.boltCount * static_cast<double>(g_BoltSizes[static_cast<std::size_t>(d.boltSize)].rootArea);
  r.W = (r.Am + r.Ab) * d.boltAllowableReference / 2.0;

  // Lever arms (Table 2-6; 2-13 for reverse flanges) and moments.
  r.hG = (C - G) / 2.0;
  const double R = (C - B) / 2.0 - g1;
  if (type == kIntegralFlange) {
    r.hD = R + g1 / 2.0;
    r.hT = (R + g1 + r.hG) / 2.0;
  } else if (type == kReverseFlange) {
    r.hD = (C + g1 - 2.0 * g0 - B) / 2.0;
    r.hT = (C - (B + G) / 2.0) / 2.0;
  } else {
    r.hD = (C - B) / 2.0;
    r.hT = (r.hD + r.hG) / 2.0;
  }
  r.Mo = r.HD * r.hD + r.HT * r.hT + r.HG * r.hG;
  if (type == kReverseFlange) r.Mo = std::fabs(r.Mo);
  r.Mg = r.W * r.hG;

  // Shape constants (Figure 2-7.1).
  r.K = type == kReverseFlange ? A / Bprime : A / B;
  const double K = r.K, K2 = K * K;
  const double logK = std::log10(K);
  r.T = (K2 * (1.0 + 8.55246 * logK) - 1.0) / ((1.0472 + 1.9448 * K2) * (K - 1.0));
  r.U = (K2 * (1.0 + 8.55246 * logK) - 1.0) / (1.36136 * (K2 - 1.0) * (K - 1.0));
  r.Y = (1.0 / (K - 1.0)) * (0.66845 + 5.7169 * K2 * logK / (K2 - 1.0));
  r.Z = (K2 + 1.0) / (K2 - 1.0);

  // Hub factors and the flange parameters. A reverse flange's hub joins it
  // at its outside diameter: h0 = sqrt(A g0) (2-13), for the factors too.
  r.h0 = std::sqrt((type == kReverseFlange ? A : B) * g0);
  if (type == kLooseFlangeWithoutHub) {
    r.F = r.V = 0.0;
    r.f = 1.0;
    r.KI = 0.2;
  } else {
    const FlangeTypeFactors factors = ComputeFlangeFactors(type, g0, g1, h, r.h0);
    r.F = factors.F;
    r.V = factors.V;
    r.f = factors.f;
    r.KI = factors.KI;
    r.e = r.F / r.h0;
    if (type == kReverseFlange) {
      r.alphaR = (1.0 + 0.668 * (K + 1.0) / r.Y) / K2;
      r.Ur = r.alphaR * r.U;
      r.Yr = r.alphaR * r.Y;
      r.Tr = ((r.Z + 0.3) / (r.Z - 0.3)) * r.alphaR * r.T;
      r.d = (r.Ur / r.V) * r.h0 * g0 * g0;
      r.L = (t * r.e + 1.0) / r.Tr + t * t * t / r.d;
    } else {
      r.d = (r.U / r.V) * r.h0 * g0 * g0;
      r.L = (t * r.e + 1.0) / r.T + t * t * t / r.d;
    }
  }

  // Stresses (2-7), each condition with its own moment.
  r.operating = Stresses(d, r, r.Mo);
  r.operating.bolt = std::fabs(r.Wm1 / r.Ab);
  r.seating = Stresses(d, r, r.Mg);
  r.seating.bolt = std::fabs(r.Wm2 / r.Ab);

  r.Joperating = Rigidity(d, r, r.Mo, d.modulusDesign);
  r.Jseating = Rigidity(d, r, r.Mg, d.modulusReference);
  return r;
}

void WriteFlangeDebugLines(const FlangeResults& r) {
  DebugPrintf("G = %f, wm1 = %f, wm2 = %f\n", r.G, r.Wm1, r.Wm2);
  DebugPrintf("Am = %f, Ab = %f, Ws = %f\n", r.Am, r.Ab, r.W);
  DebugPrintf("HD = %f, HT = %f, HG = %f\n", r.HD, r.HT, r.HG);
  DebugPrintf("hD = %f, hT = %f, hG = %f\n", r.hD, r.hT, r.hG);
  DebugPrintf("Mo = %f, GMo = %f\n", r.Mo, r.Mg);
  DebugPrintf("K = %f, T = %f, U = %f, Y = %f, Z = %f\n", r.K, r.T, r.U, r.Y, r.Z);
  DebugPrintf("F = %f, V = %f, f = %f, ho = %f\n", r.F, r.V, r.f, r.h0);
  DebugPrintf("Ur = %f, Yr = %f, Tr = %f, dr = %f\n", r.Ur, r.Yr, r.Tr, r.d);
  DebugPrintf("d = %f, e = %f, L = %f, AlfR = %f\n", r.d, r.e, r.L, r.alphaR);
  DebugPrintf("SH = %f ,SR = %f,ST = %f\n", r.operating.SH, r.operating.SR, r.operating.ST);
  DebugPrintf("GSH = %f ,GSR = %f,GST = %f\n", r.seating.SH, r.seating.SR, r.seating.ST);
  DebugPrintf("Ki = %f\n", r.KI);
  DebugPrintf("J(Oper) = %f ,J(Gask) = %f\n", r.Joperating, r.Jseating);
}

std::array<FlangeStressRow, 6> FlangeStressRows(const FlangeQualificationData& d, const FlangeConditionStresses& s,
                                                bool seating) {
  const double flange = seating ? d.flangeAllowableReference : d.flangeAllowableDesign;
  const double bolt = seating ? d.boltAllowableReference : d.boltAllowableDesign;
  return {{{"Longitudinal Hub (SH)", s.SH, 1.5 * flange},
           {"Radial Flange (SR)", s.SR, flange},
           {"Tangential Flange (ST)", s.ST, flange},
           {"0.5(SH + SR)", s.SHR, flange},
           {"0.5(SH + ST)", s.SHT, flange},
           {"Bolt Stress", s.bolt, bolt}}};
}

double FlangeStressRatio(const FlangeStressRow& row) { return std::fabs(row.calculated / row.allowable); }
