// The hub factors of ASME VIII Div. 1 Appendix 2, Table 2-7.1 (the equation
// form of Figures 2-7.2 to 2-7.6): F and V of integral flanges, FL and VL
// of loose flanges, and the hub stress correction f, from the hub's small
// and large end thicknesses g0 and g1, its length h and h0 = sqrt(B g0).
//
// The equations are the closed form of the Waters-Rossheim-Wesstrom-
// Williams plate and shell analysis: A = g1/g0 - 1, C = 43.68 (h/h0)^4,
// the constants C1 to C37 and E1 to E6, then F = -E6/DF, V = E4/DV,
// f = C36/(1 + A), FL and VL. They divide by C, so they need h > 0 (a hub),
// and they are charted for g1 >= g0. Computed in double precision.
#pragma once

struct HubFactors {
  double F = 0, V = 0;    // integral flanges (Figures 2-7.2, 2-7.3)
  double f = 0;           // C36/(1 + A), not yet bounded below by 1 (Figure 2-7.6)
  double FL = 0, VL = 0;  // loose flanges (Figures 2-7.4, 2-7.5)
};

// The factors for h > 0, h0 > 0 and g0 > 0.
HubFactors ComputeHubFactors(double g0, double g1, double h, double h0);

// The factors a flange type takes (ComputeFlangeFactors of the tool):
// integral and reverse flanges F, V and f (at least 1) with KI = 0.3; the
// loose types FL and VL in F and V, f = 1 and KI = 0.2.
struct FlangeTypeFactors {
  double F = 0, V = 0, f = 1, KI = 0;
};
FlangeTypeFactors ComputeFlangeFactors(int type, double g0, double g1, double h, double h0);
