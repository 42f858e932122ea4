// Materials against temperature: values at and between table rows and at
// both ends, a single-row table, an empty table's message, the type codes
// and the FRP flag that follows the type.
#include <gtest/gtest.h>

#include "records/Material.h"

namespace {

// A106 B with the B31.3 allowables and the modulus of carbon steel.
Material A106() {
  Material m;
  m.name = "A106";
  m.numtemps = 3;
  m.temps.resize(4);
  m.temps[1].values = {70.0f, 29.5e6f, 6.07e-6f, 20000.0f, 35000.0f, 60000.0f, 0.0f, 0.0f};
  m.temps[2].values = {400.0f, 27.7e6f, 6.82e-6f, 20000.0f, 28800.0f, 60000.0f, 0.0f, 0.0f};
  m.temps[3].values = {700.0f, 25.5e6f, 7.44e-6f, 16500.0f, 25300.0f, 60000.0f, 1.0f, 2.0f};
  return m;
}

TEST(MaterialValues, InterpolatesBetweenRowsAndHoldsTheEndValues) {
  const Material m = A106();
  // At the rows themselves.
  EXPECT_DOUBLE_EQ(MaterialValueAtTemp(m, 70.0f), 29.5e6f);
  EXPECT_DOUBLE_EQ(MaterialValueAtTemp(m, 400.0f), 27.7e6f);
  EXPECT_DOUBLE_EQ(MaterialValueAtTemp(m, 700.0f), 25.5e6f);
  // Halfway between 400 and 700: (27.7 + 25.5) / 2 = 26.6 Mpsi.
  EXPECT_NEAR(MaterialValueAtTemp(m, 550.0f), 26.6e6, 1.0);
  // 235 F is half-way from 70 to 400: alpha (6.07 + 6.82) / 2 = 6.445e-6.
  EXPECT_NEAR(MaterialValueAtTemp2(m, 235.0f), 6.445e-6, 1e-12);
  // A third of the way from 400 to 500 of the allowable 20000 -> 16500.
  EXPECT_NEAR(MaterialColumnAtTemp(m, kMatAllowable, 500.0f), 20000.0 - 3500.0 / 3.0, 1e-3);
  // No extrapolation below the first row or above the last.
  EXPECT_DOUBLE_EQ(MaterialValueAtTemp(m, -20.0f), 29.5e6f);
  EXPECT_DOUBLE_EQ(MaterialValueAtTemp(m, 1000.0f), 25.5e6f);
  EXPECT_DOUBLE_EQ(MaterialHoopModulusAtTemp(m, 900.0f), 1.0);
  EXPECT_DOUBLE_EQ(MaterialShearModulusAtTemp(m, 900.0f), 2.0);
  EXPECT_FLOAT_EQ(MaterialMaxTemp(m), 700.0f);
}

TEST(MaterialValues, OneRowGivesItsValuesEverywhereAndNoRowsGiveAMessage) {
  Material m = A106();
  m.numtemps = 1;
  for (float t : {-100.0f, 70.0f, 650.0f}) EXPECT_DOUBLE_EQ(MaterialValueAtTemp(m, t), 29.5e6f);
  m.numtemps = 0;
  try {
    MaterialValueAtTemp(m, 70.0f);
    FAIL() << "an empty table must refuse";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Material A106 does not have properties");
  }
  EXPECT_FLOAT_EQ(MaterialMaxTemp(m), 0.0f);
  // A count larger than the rows held reads only the rows held.
  m.numtemps = 9;
  EXPECT_DOUBLE_EQ(MaterialValueAtTemp(m, 5000.0f), 25.5e6f);
}

TEST(MaterialValues, TypesAndTheirFrpFlag) {
  EXPECT_EQ(FindMaterialTypeIndex(""), 0);
  EXPECT_EQ(FindMaterialTypeIndex("AL"), 1);
  EXPECT_EQ(FindMaterialTypeIndex("CS"), 5);
  EXPECT_EQ(FindMaterialTypeIndex("CI"), 11);
  EXPECT_EQ(FindMaterialTypeIndex("cs"), -1);
  EXPECT_EQ(FindMaterialTypeIndex("XX"), -1);
  EXPECT_STREQ(MaterialTypeName(6), "FR : Fiber Reinf. Plastic (FRP)");
  EXPECT_STREQ(MaterialTypeCode(11), "CI");
  Material m;
  SetMaterialType(m, "FR");
  EXPECT_EQ(m.isFrp, 1);
  SetMaterialType(m, "SS");
  EXPECT_EQ(m.isFrp, 0);
  FillMaterialDefaults(m);
  EXPECT_FLOAT_EQ(m.nu, 0.3f);
  EXPECT_FLOAT_EQ(m.density, 1.0e-36f);
  EXPECT_FLOAT_EQ(m.jointFactor, 1.0f);
  EXPECT_FLOAT_EQ(m.circJointFactor, 1.0f);
}

}  // namespace
