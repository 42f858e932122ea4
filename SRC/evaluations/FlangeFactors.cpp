// Table 2-7.1 of ASME VIII Div. 1 Appendix 2 (see FlangeFactors.h). The
// constants keep the table's names; both minus signs (in F and in FL) are
// the table's, since E6 and the bracket of FL are negative.
#include "evaluations/FlangeFactors.h"

#include <algorithm>
#include <cmath>

#include "evaluations/FlangeModel.h"

HubFactors ComputeHubFactors(double g0, double g1, double h, double h0) {
  const double A = g1 / g0 - 1.0;
  const double C = 43.68 * std::pow(h / h0, 4.0);
  const double A2 = A * A, A3 = A2 * A;

  const double C1 = 1.0 / 3.0 + A / 12.0;
  const double C2 = 5.0 / 42.0 + 17.0 * A / 336.0;
  const double C3 = 1.0 / 210.0 + A / 360.0;
  const double C4 = 11.0 / 360.0 + 59.0 * A / 5040.0 + (1.0 + 3.0 * A) / C;
  const double C5 = 1.0 / 90.0 + 5.0 * A / 1008.0 - std::pow(1.0 + A, 3.0) / C;
  const double C6 = 1.0 / 120.0 + 17.0 * A / 5040.0 + 1.0 / C;
  const double C7 =
      215.0 / 2772.0 + 51.0 * A / 1232.0 + (60.0 / 7.0 + 225.0 * A / 14.0 + 75.0 * A2 / 7.0 + 5.0 * A3 / 2.0) / C;
  const double C8 =
      31.0 / 6930.0 + 128.0 * A / 45045.0 + (6.0 / 7.0 + 15.0 * A / 7.0 + 12.0 * A2 / 7.0 + 5.0 * A3 / 11.0) / C;
  const double C9 =
      533.0 / 30240.0 + 653.0 * A / 73920.0 + (0.5 + 33.0 * A / 14.0 + 39.0 * A2 / 28.0 + 25.0 * A3 / 84.0) / C;
  const double C10 =
      29.0 / 3780.0 + 3.0 * A / 704.0 - (0.5 + 33.0 * A / 14.0 + 81.0 * A2 / 28.0 + 13.0 * A3 / 12.0) / C;
  const double C11 =
      31.0 / 6048.0 + 1763.0 * A / 665280.0 + (0.5 + 6.0 * A / 7.0 + 15.0 * A2 / 28.0 + 5.0 * A3 / 42.0) / C;
  const double C12 = 1.0 / 2925.0 + 71.0 * A / 300300.0 +
                     (8.0 / 35.0 + 18.0 * A / 35.0 + 156.0 * A2 / 385.0 + 6.0 * A3 / 55.0) / C;
  const double C13 = 761.0 / 831600.0 + 937.0 * A / 1663200.0 +
                     (1.0 / 35.0 + 6.0 * A / 35.0 + 11.0 * A2 / 70.0 + 3.0 * A3 / 70.0) / C;
  const double C14 = 197.0 / 415800.0 + 103.0 * A / 332640.0 -
                     (1.0 / 35.0 + 6.0 * A / 35.0 + 17.0 * A2 / 70.0 + A3 / 10.0) / C;
  const double C15 = 233.0 / 831600.0 + 97.0 * A / 554400.0 +
                     (1.0 / 35.0 + 3.0 * A / 35.0 + A2 / 14.0 + 2.0 * A3 / 105.0) / C;

  const double C16 = C1 * C7 * C12 + C2 * C8 * C3 + C3 * C8 * C2 - (C3 * C3 * C7 + C8 * C8 * C1 + C2 * C2 * C12);
  const double C17 =
      (C4 * C7 * C12 + C2 * C8 * C13 + C3 * C8 * C9 - (C13 * C7 * C3 + C8 * C8 * C4 + C12 * C2 * C9)) / C16;
  const double C18 =
      (C5 * C7 * C12 + C2 * C8 * C14 + C3 * C8 * C10 - (C14 * C7 * C3 + C8 * C8 * C5 + C12 * C2 * C10)) / C16;
  const double C19 =
      (C6 * C7 * C12 + C2 * C8 * C15 + C3 * C8 * C11 - (C15 * C7 * C3 + C8 * C8 * C6 + C12 * C2 * C11)) / C16;
  const double C20 =
      (C1 * C9 * C12 + C4 * C8 * C3 + C3 * C13 * C2 - (C3 * C3 * C9 + C13 * C8 * C1 + C12 * C4 * C2)) / C16;
  const double C21 =
      (C1 * C10 * C12 + C5 * C8 * C3 + C3 * C14 * C2 - (C3 * C3 * C10 + C14 * C8 * C1 + C12 * C5 * C2)) / C16;
  const double C22 =
      (C1 * C11 * C12 + C6 * C8 * C3 + C3 * C15 * C2 - (C3 * C3 * C11 + C15 * C8 * C1 + C12 * C6 * C2)) / C16;
  const double C23 =
      (C1 * C7 * C13 + C2 * C9 * C3 + C4 * C8 * C2 - (C3 * C7 * C4 + C8 * C9 * C1 + C2 * C2 * C13)) / C16;
  const double C24 =
      (C1 * C7 * C14 + C2 * C10 * C3 + C5 * C8 * C2 - (C3 * C7 * C5 + C8 * C10 * C1 + C2 * C2 * C14)) / C16;
  const double C25 =
      (C1 * C7 * C15 + C2 * C11 * C3 + C6 * C8 * C2 - (C3 * C7 * C6 + C8 * C11 * C1 + C2 * C2 * C15)) / C16;

  const double quarterC = C / 4.0;
  const double C26 = -std::pow(quarterC, 0.25);
  const double C27 = C20 - C17 - 5.0 / 12.0 + C17 * C26;
  const double C28 = C22 - C19 - 1.0 / 12.0 + C19 * C26;
  const double C29 = -std::pow(quarterC, 0.5);
  const double C30 = -std::pow(quarterC, 0.75);
  const double C31 = 3.0 * A / 2.0 - C17 * C30;
  const double C32 = 0.5 - C19 * C30;
  const double C33 = 0.5 * C26 * C32 + C28 * C31 * C29 - (0.5 * C30 * C28 + C32 * C27 * C29);
  const double C34 = 1.0 / 12.0 + C18 - C21 - C18 * C26;
  const double C35 = -C18 * std::pow(quarterC, 0.75);
  const double C36 = (C28 * C35 * C29 - C32 * C34 * C29) / C33;
  const double C37 = (0.5 * C26 * C35 + C34 * C31 * C29 - (0.5 * C30 * C34 + C35 * C27 * C29)) / C33;

  const double E1 = C17 * C36 + C18 + C19 * C37;
  const double E2 = C20 * C36 + C21 + C22 * C37;
  const double E3 = C23 * C36 + C24 + C25 * C37;
  const double E4 = 0.25 + C37 / 12.0 + C36 / 4.0 - E3 / 5.0 - 3.0 * E2 / 2.0 - E1;
  const double E5 = E1 * (0.5 + A / 6.0) + E2 * (0.25 + 11.0 * A / 84.0) + E3 * (1.0 / 70.0 + A / 105.0);
  const double E6 = E5 - C36 * (7.0 / 120.0 + A / 36.0 + 3.0 * A / C) - 1.0 / 40.0 - A / 72.0 -
                    C37 * (1.0 / 60.0 + A / 120.0 + 1.0 / C);

  const double cube = std::pow(1.0 + A, 3.0);
  const double DF = std::pow(C / 2.73, 0.25) * cube / C;  // denominator of F and FL
  const double DV = std::pow(2.73 / C, 0.25) * cube;      // denominator of V and VL

  HubFactors factors;
  factors.F = -E6 / DF;
  factors.V = E4 / DV;
  factors.f = C36 / (1.0 + A);
  factors.FL = -(C18 * (0.5 + A / 6.0) + C21 * (0.25 + 11.0 * A / 84.0) + C24 * (1.0 / 70.0 + A / 105.0) -
                 (1.0 / 40.0 + A / 72.0)) /
               DF;
  factors.VL = (0.25 - C24 / 5.0 - 3.0 * C21 / 2.0 - C18) / DV;
  return factors;
}

FlangeTypeFactors ComputeFlangeFactors(int type, double g0, double g1, double h, double h0) {
  FlangeTypeFactors out;
  const HubFactors hub = ComputeHubFactors(g0, g1, h, h0);
  if (type == kIntegralFlange || type == kReverseFlange) {
    out.F = hub.F;
    out.V = hub.V;
    out.f = std::max(1.0, hub.f);
    out.KI = 0.3;
  } else {
    out.F = hub.FL;
    out.V = hub.VL;
    out.f = 1.0;
    out.KI = 0.2;
  }
  return out;
}
