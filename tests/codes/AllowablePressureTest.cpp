// Element allowable pressure against hand calculations of the pressure
// design formulas: B31.3 304.1.2 P = 2 t S E W / (D - 2 Y t) with mill
// tolerance and corrosion, its weld strength reduction factor W and the
// coefficient Y of thick walls; B31.8 and B31.4; and the cases with no
// value (reducers, a wall used up) or a refusal (a ferritic weld factor
// beyond its table).
#include "codes/CodeTesting.h"

#include "codes/AllowablePressure.h"
#include "codes/CodeModel.h"

namespace {

class AllowablePressureTest : public CodeModelFixture {
 protected:
  double Pressure(int code, int element) {
    model.options.PipingCode = code;
    return ElementAllowablePressure(CodeModel(model, elements), element);
  }
};

TEST_F(AllowablePressureTest, PipeByB313B318AndB314) {
  BuildElbow();
  Make();
  const int pipe = ElementBetween(10, 20);
  // Design temperature 70 F: S = 20000, E = 1, W = 1, Y = 0.4 (D/t = 23.7):
  // 2 x 0.28 x 20000 / (6.625 - 2 x 0.4 x 0.28) = 1749.727.
  EXPECT_NEAR(Pressure(3, pipe), 1749.727, 0.01);
  // 12.5 % mill tolerance and 0.0625 corrosion: t = 0.1825, 1126.717.
  model.sections[1].millTolerance = 12.5f;
  model.sections[1].corrosionAllowance = 0.0625f;
  EXPECT_NEAR(Pressure(3, pipe), 1126.717, 0.01);
  // A wall used up by them has no allowable pressure.
  model.sections[1].corrosionAllowance = 0.3f;
  EXPECT_DOUBLE_EQ(Pressure(3, pipe), 0.0);
  model.sections[1].millTolerance = 0.0f;
  model.sections[1].corrosionAllowance = 0.0f;
  // At 825 F carbon steel welds take W = 0.975 and S = 16500: 1407.436.
  model.pipeLoads[1].designTemperature = 825.0f;
  EXPECT_NEAR(Pressure(3, pipe), 1407.436, 0.01);
  model.pipeLoads[1].designTemperature = 70.0f;
  // B31.8: 2 F tn S / D with F = 0.8 and S = SY at 70 F: 2366.792. B31.4:
  // 1.44 SY E t / D with SY at the highest temperature (31333.3): 1906.958.
  EXPECT_NEAR(Pressure(6, pipe), 2366.792, 0.01);
  EXPECT_NEAR(Pressure(4, pipe), 1906.958, 0.01);
  // Stoomwezen has no value here.
  EXPECT_DOUBLE_EQ(Pressure(17, pipe), 0.0);
}

// A stored joint factor of 0 is one not given: E = 1.0, as in the first
// figure above; 0.85 scales it.
TEST_F(AllowablePressureTest, AStoredJointFactorOfZeroIsOne) {
  BuildElbow();
  model.materials[1].jointFactor = 0.0f;
  Make();
  const int pipe = ElementBetween(10, 20);
  EXPECT_NEAR(Pressure(3, pipe), 1749.727, 0.01);
  model.materials[1].jointFactor = 0.85f;
  EXPECT_NEAR(Pressure(3, pipe), 0.85 * 1749.727, 0.01);
}

TEST(WeldAndWallFactorsTest, TablesAndTheirEnds) {
  EXPECT_NEAR(WeldStrengthFactorB313("CS", 825.0), 0.975, 1e-12);
  EXPECT_DOUBLE_EQ(WeldStrengthFactorB313("CS", 1300.0), 0.64);
  EXPECT_DOUBLE_EQ(WeldStrengthFactorB313("FS", 901.0), 0.5);
  EXPECT_NEAR(WeldStrengthFactorB313("CI", 900.0), 1.0 - 0.0909, 1e-12);
  EXPECT_DOUBLE_EQ(WeldStrengthFactorB311("CS", 1100.0, "C"), 1.0);
  EXPECT_NEAR(WeldStrengthFactorB311("FS", 1175.0, "F9"), 0.795, 1e-12);
  // Beyond the end of the ferritic table: a message naming it, never an
  // assertion.
  try {
    WeldStrengthFactorB311("FS", 1250.0, "F9");
    ADD_FAILURE() << "no message above 1200 F";
  } catch (const std::string& message) {
    EXPECT_EQ(message,
              "For material F9 at temperature 1250 (F)\nthe weld strength reduction factor is given up to 1200 (F) only");
  }
  // Y: 0.4, the ferritic and austenitic steps, and d / (d + D) for D / t < 6.
  EXPECT_DOUBLE_EQ(PressureCoefficientY(3, "CS", false, 600.0, 6.625, 0.28), 0.4);
  EXPECT_DOUBLE_EQ(PressureCoefficientY(1, "FS", false, 950.0, 6.625, 0.28), 0.5);
  EXPECT_DOUBLE_EQ(PressureCoefficientY(1, "SS", true, 1100.0, 6.625, 0.28), 0.5);
  EXPECT_DOUBLE_EQ(PressureCoefficientY(1, "NA", false, 1300.0, 6.625, 0.28), 0.7);
  EXPECT_NEAR(PressureCoefficientY(3, "AS", false, 1200.0, 6.625, 1.2), 4.225 / 10.85, 1e-12);
  EXPECT_DOUBLE_EQ(PressureCoefficientY(5, "CI", false, 100.0, 6.625, 0.28), 0.0);
}

}  // namespace
