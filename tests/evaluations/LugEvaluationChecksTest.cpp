// The lug stress checks against hand calculations: a rectangular lug under
// ASME NC level A with full penetration (indices, shear and torsion, the
// four attachment terms, the five rows, the weld check), a negative
// torsional moment giving the same sustained term, levels C and D, a
// fillet weld on three sides, EN's rows, a lug outside the index fits
// refused by name, and a hollow circular attachment's torsion index at
// the band edge.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "evaluations/LugEvaluationChecks.h"

namespace {

LugInputs Rectangular() {
  LugInputs d;
  d.OD = 10.75f;
  d.Thk = 0.5f;
  d.L1 = 1.5f;
  d.L2 = 1.0f;
  d.loads[kLugSustained] = {1000, 500, 300, 2000, 3000, 4000};
  d.loads[kLugOccasional] = {2000, 0, 0, 0, 0, 6000};
  d.loads[kLugThermal] = {0, 800, 0, 0, 5000, 0};
  d.loads[kLugAbsMax] = {3000, 1300, 300, 2000, 8000, 10000};
  d.s1 = 5000;
  d.s2 = 8000;
  d.s3 = 7000;
  d.s4 = 1000;
  d.s5 = 12000;
  d.sh = 20000;
  d.sa = 30000;
  d.sy = 35000;
  return d;
}

TEST(LugEvaluationChecksTest, ARectangularLugMatchesTheHandCalculation) {
  const LugCheckResult r = CheckLug(Rectangular());
  ASSERT_TRUE(r.refusal.empty()) << r.refusal;
  EXPECT_NEAR(r.K[0], 7.3164, 0.0001);
  EXPECT_NEAR(r.K[1], 1.5225, 0.0001);
  EXPECT_NEAR(r.K[2], 3.9567, 0.0001);
  EXPECT_NEAR(r.tau1, 333.33, 0.01);
  EXPECT_NEAR(r.tau2, 300.0, 1e-9);
  EXPECT_NEAR(r.tauT, 1600.0, 1e-9);
  EXPECT_NEAR(r.P[kLugSustained], 7714.1, 0.1);
  EXPECT_NEAR(r.P[kLugOccasional], 4670.9, 0.1);
  EXPECT_NEAR(r.P[kLugThermal], 7127.8, 0.1);
  ASSERT_EQ(r.rows.size(), 5u);
  EXPECT_EQ(r.sectionTitle, "Section Y-3410: Pipe Stresses at Attachment");
  EXPECT_EQ(r.rows[0].label, "Sustained Stress (Ssl) [Eq. 8]:");
  EXPECT_NEAR(r.rows[0].calculated, 12714.0, 1.0);
  EXPECT_EQ(r.rows[0].allowed, 30000.0f);
  EXPECT_NEAR(r.rows[1].calculated, 19385.0, 1.0);
  EXPECT_EQ(r.rows[1].allowed, 52500.0f);  // 1.5 sy at level A
  EXPECT_NEAR(r.rows[2].calculated, 15128.0, 1.0);
  EXPECT_NEAR(r.rows[3].calculated, 1000.0, 1e-3);
  EXPECT_NEAR(r.rows[4].calculated, 26842.0, 1.0);
  EXPECT_EQ(r.rows[4].allowed, 50000.0f);
  EXPECT_EQ(r.weldTitle, "Additional check for Full Penetration Weld");
  ASSERT_EQ(r.weldRows.size(), 2u);
  EXPECT_NEAR(r.weldRows[0].calculated, 24589.0, 1.0);
  EXPECT_EQ(r.weldRows[0].allowed, 70000.0f);
  EXPECT_NEAR(r.weldRows[1].calculated, 2766.7, 0.1);
  // The torsion's sign kept, its magnitude the same.
  LugInputs negative = Rectangular();
  negative.loads[kLugSustained][kLugMT] = -2000;
  const LugCheckResult n = CheckLug(negative);
  EXPECT_NEAR(n.tauT, -1600.0, 1e-9);
  EXPECT_NEAR(n.P[kLugSustained], r.P[kLugSustained], 1e-6);
}

TEST(LugEvaluationChecksTest, LevelsWeldsAndTheEnRows) {
  LugInputs d = Rectangular();
  d.level = 2;
  EXPECT_EQ(CheckLug(d).rows[1].allowed, 63000.0f);  // 1.8 sy
  d.level = 3;
  EXPECT_EQ(CheckLug(d).rows[1].allowed, 70000.0f);  // 2.0 sy
  d.weldType = 2;  // fillet on three sides: 1.8 on the thermal term
  const LugCheckResult fillet = CheckLug(d);
  EXPECT_NEAR(fillet.rows[2].calculated, 8000.0 + 1.8 * 7127.8, 0.5);
  EXPECT_EQ(fillet.weldTitle, "Additional check for Fillet or Partial Penetration Weld (<= 3 Sides)");
  LugInputs en = Rectangular();
  en.code = kLugEn13480;
  en.fh = 20000;
  en.fa = 30000;
  en.ReHt = 35000;
  en.fcr = 10000;
  en.level = 3;  // ignored
  const LugCheckResult e = CheckLug(en);
  EXPECT_EQ(e.sectionTitle, "Clause 11.6: Pipe Stresses at Attachment");
  ASSERT_EQ(e.rows.size(), 5u);
  EXPECT_EQ(e.rows[1].allowed, 36000.0f);  // 1.8 fh
  EXPECT_EQ(e.rows[4].label, "Creep Stress (S5) [Eq. 11.6-5a]:");
  EXPECT_NEAR(e.rows[4].calculated, 1000.0 + 7714.1 + 7127.8, 0.5);
  EXPECT_EQ(e.rows[4].allowed, 12500.0f);
  // sqrt(866.67^2 + 300^2) + 1600
  EXPECT_NEAR(e.weldRows[1].calculated, std::hypot(1300.0 / 1.5, 300.0) + 1600.0, 0.05);
}

TEST(LugEvaluationChecksTest, ALugOutsideTheFitsIsRefusedByName) {
  LugInputs d = Rectangular();
  d.L1 = 0.001f;  // the longitudinal moment's fit turns negative
  d.L2 = 2.5f;
  const LugCheckResult r = CheckLug(d);
  EXPECT_EQ(r.refusal, "The stress index fits do not cover L1/Ro = 0.0002 with L2/Ro = 0.4878: the attachment is too slender");
  EXPECT_TRUE(r.rows.empty());
}

TEST(LugEvaluationChecksTest, AHollowCircularAttachmentsTorsionIndexStartsAtTheBandEdge) {
  LugInputs d;
  d.lugType = kLugHollowCircular;
  d.OD = 10.0f;
  d.Thk = 0.5f;
  d.thk = 0.25f;
  d.od = 5.5f;  // beta 0.55: lower band
  d.loads[kLugSustained] = {1000, 0, 0, 0, 0, 0};
  const LugCheckResult low = CheckLug(d);
  EXPECT_EQ(low.K[3], 1.0f);
  // W KN-primary / A, A = pi/4 (5.5^2 - 5^2)
  const double A = std::numbers::pi / 4.0 * (5.5 * 5.5 - 5.0 * 5.0);
  EXPECT_NEAR(low.P[kLugSustained], 1000.0 * low.B[0] / A, 1e-3);
  d.od = 10.0f;  // beta 1.0: KT = KC
  const LugCheckResult high = CheckLug(d);
  EXPECT_NEAR(high.K[3], high.K[2], 1e-5);
  EXPECT_EQ(high.sectionTitle, "Section Y-5410: Pipe Stresses at Attachment");
  d.weldType = 1;
  EXPECT_EQ(CheckLug(d).weldTitle, "Additional check for Fillet or Partial Penetration Weld");
}

}  // namespace
