// The element flexibility factors of the force tables against hand values.
// A B31.3 bend of 6.625 x 0.280 in at R 9.9375 in: r = (6.625 - 0.280)/2 =
// 3.1725, h = t R / r^2 = 0.27646, k = 1.65 / h = 5.968. With the pressure
// correction, P 600 psi and E 27.9e6 psi (the modulus at 322 F between the
// material's 29.5e6 at 70 F and 25.5e6 at 700 F):
//   k / (1 + 6 (P/E) (r/t)^(7/3) (R/r)^(1/3)) = 5.968 / 1.05449 = 5.660.
#include "codes/CodeTesting.h"

#include <cmath>

#include "codes/CodeModel.h"
#include "codes/FlexibilityFactors.h"

namespace {

class FlexibilityFactorsTest : public CodeModelFixture {
 protected:
  void SetUp() override {
    CodeModelFixture::SetUp();
    model.pipeLoads[1].operating[0] = {322.0f, 600.0f};
    model.pipeLoads[1].operating[1] = {250.0f, 100.0f};
    Bend& bend = BuildElbow();
    bend.radius = 9.9375f;
    Make();
  }
  int BendElement() const { return ElementOfKind(static_cast<int>(ElementType::Bend)); }
};

TEST_F(FlexibilityFactorsTest, ABendsFactorWithAndWithoutThePressureCorrection) {
  ASSERT_NE(BendElement(), 0);
  {
    const CodeModel cm(model, elements);
    const ElementFlexFactors k = ComputeElementFlexibilityFactors(cm, BendElement(), 1);
    EXPECT_NEAR(k.inPlane, 5.968, 0.001 * 5.968);
    EXPECT_DOUBLE_EQ(k.outPlane, k.inPlane);
    EXPECT_DOUBLE_EQ(k.torsion, 1.0);
  }
  // The modulus of the case's temperature, not the cold one.
  model.options.PressureCorrection = 1;
  model.options.UseColdModulus = 0;
  const CodeModel cm(model, elements);
  const CaseModulusPressure v = ElementCaseModulusAndPressure(cm, BendElement(), 1);
  EXPECT_NEAR(v.E, 27.9e6, 1.0e3);
  EXPECT_DOUBLE_EQ(v.P, 600.0);
  const ElementFlexFactors k = ComputeElementFlexibilityFactors(cm, BendElement(), 1);  // sustained
  EXPECT_NEAR(k.inPlane, 5.660, 0.001 * 5.660);
  // The operating case of the second state (type 9): P2 100 psi at the
  // modulus of T2 (250 F).
  const double E2 = 29.5e6 - (250.0 - 70.0) / 630.0 * 4.0e6;
  const double r = (6.625 - 0.280) / 2.0, t = 0.280, R = 9.9375;
  const double k0 = 1.65 / (t * R / (r * r));
  const double k2 = k0 / (1.0 + 6.0 * (100.0 / E2) * std::pow(r / t, 7.0 / 3.0) * std::cbrt(R / r));
  EXPECT_NEAR(ComputeElementFlexibilityFactors(cm, BendElement(), 9).inPlane, k2, 0.001 * k2);
  // A case type with neither temperature nor pressure has no correction to
  // make, whatever case came before.
  EXPECT_NEAR(ComputeElementFlexibilityFactors(cm, BendElement(), 5).inPlane, k0, 0.001 * k0);
  // Straight pipes and every element at once.
  const std::vector<ElementFlexFactors> all = ComputeAllElementFlexibilityFactors(cm, 1);
  ASSERT_EQ(static_cast<int>(all.size()), elements.count + 1);
  for (int e = 1; e <= elements.count; ++e) {
    if (e == BendElement()) continue;
    EXPECT_DOUBLE_EQ(all[static_cast<std::size_t>(e)].inPlane, 1.0) << e;
    EXPECT_DOUBLE_EQ(all[static_cast<std::size_t>(e)].torsion, 1.0) << e;
  }
}

}  // namespace
