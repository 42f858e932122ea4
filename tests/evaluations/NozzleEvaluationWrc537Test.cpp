// WRC 537 local stresses: the shipped curve table refuses every real case
// with its one line; a test table of constant curves (radial and
// circumferential 0.1, the others 0.05) checked against hand calculations
// for a sphere (operating and sustained) and a cylinder; the two published
// curve records at their published points; Fig. B-2; the sphere's figure
// bands; the cylinder's curve of the next tabulated Rm/T; the stress
// intensity; no allowable gives no ratio and no status.
#include <gtest/gtest.h>

#include <cmath>

#include "evaluations/NozzleEvaluationWrc537.h"

namespace {

// Every curve of every family, constant: 0.1 for the radial and the
// circumferential families, 0.05 for the others.
std::vector<Wrc537Curve> ConstantTable() {
  std::vector<Wrc537Curve> table;
  auto add = [&table](Wrc537Family family, float key, double value) {
    Wrc537Curve curve{family, key, {}};
    curve.record.figure[0] = 'T';
    curve.record.c[0] = static_cast<float>(value);
    table.push_back(curve);
  };
  for (int family = 0; family < kWrc537FamilyCount; ++family) {
    const auto f = static_cast<Wrc537Family>(family);
    const bool first = f == kSpRadialMembrane || f == kSpRadialBending || f == kSmRadialMembrane ||
                       f == kSmRadialBending || f == kFig3C || f == kFig2C1 || f == kFig1C || f == kFig3A ||
                       f == kFig1A || f == kFig3B || f == kFig1B1;
    const double value = first ? 0.1 : 0.05;
    if (family <= kSmTangentialBending) {
      for (int figure = 1; figure <= 10; ++figure) add(f, static_cast<float>(figure), value);
    } else {
      for (float key : {5.0f, 7.5f, 10.0f, 15.0f, 25.0f, 35.0f, 50.0f, 75.0f, 100.0f, 150.0f, 200.0f, 300.0f})
        add(f, key, value);
    }
  }
  return table;
}

class Wrc537Test : public ::testing::Test {
 protected:
  void TearDown() override { SetWrc537CurveTable(nullptr); }
  void UseConstantTable() {
    table_ = ConstantTable();
    SetWrc537CurveTable(&table_);
  }
  static NozzleEvaluation Sphere() {
    NozzleEvaluation d;
    d.analysis = kNozzleWrc537;
    d.spherical = true;
    d.T = 0.5f;
    d.Rm = 50.0f;
    d.ro = 5.0f;
    d.eb = 0.5f;  // t
    d.rm = 4.75f;
    d.r = 0.25f;
    d.P = 1000.0f;
    d.V1 = 2000.0f;
    d.M1 = 10000.0f;
    d.Pm = 5000.0f;
    d.Pb = 2000.0f;
    d.All = 30000.0f;
    return d;
  }
  static NozzleEvaluation Cylinder() {
    NozzleEvaluation d;
    d.analysis = kNozzleWrc537;
    d.spherical = false;
    d.Rm = 20.0f;
    d.T = 0.5f;
    d.ro = 4.0f;
    d.r = 0.25f;
    d.P = 1000.0f;
    d.M1 = 10000.0f;  // MC
    return d;
  }
  static const Wrc537Row* FindRow(const Wrc537Result& r, const std::string& label) {
    for (const Wrc537Line& line : r.lines)
      if (line.kind == Wrc537Line::kRow && line.row.label == label) return &line.row;
    return nullptr;
  }
  static constexpr std::size_t kCu = 4;

  std::vector<Wrc537Curve> table_;
};

TEST_F(Wrc537Test, TheShippedTableRefusesBothShellsWithOneLine) {
  const Wrc537Result sphere = Wrc537StressesOf(Sphere());
  EXPECT_EQ(sphere.missingCurve, "WRC 537 curve SP-5 (radial membrane, Nx*T/P) is not available");
  EXPECT_TRUE(sphere.lines.empty());
  EXPECT_FALSE(sphere.complete);
  EXPECT_FALSE(sphere.startWritten);
  const Wrc537Result cylinder = Wrc537StressesOf(Cylinder());
  // Rm/T 40: the 3C curve of 50 is not in the table.
  EXPECT_EQ(cylinder.missingCurve, "WRC 537 curve 3C (Nphi/(P/Rm), Rm/T 50) is not available");
  EXPECT_TRUE(cylinder.lines.empty());
  // With the published 3C curve the next family is the one missing.
  NozzleEvaluation thick = Cylinder();
  thick.T = 4.0f;  // Rm/T 5
  EXPECT_EQ(Wrc537StressesOf(thick).missingCurve, "WRC 537 curve 2C-1 (Mphi/P, Rm/T 5) is not available");
}

TEST_F(Wrc537Test, ThePublishedRecordsGiveTheirPublishedValues) {
  const std::vector<Wrc537Curve>& shipped = Wrc537ShippedCurves();
  ASSERT_EQ(shipped.size(), 2u);
  EXPECT_STREQ(shipped[0].record.figure, "SP-1");
  EXPECT_NEAR(Wrc537CurveValue(shipped[0].record, 0.5), 0.0776, 0.0001);
  EXPECT_STREQ(shipped[1].record.figure, "3C");
  EXPECT_NEAR(Wrc537CurveValue(shipped[1].record, 0.1), 1.013, 0.001);
}

TEST_F(Wrc537Test, ASphereWithConstantCurvesMatchesTheHandCalculation) {
  UseConstantTable();
  const Wrc537Result r = Wrc537StressesOf(Sphere());
  ASSERT_TRUE(r.complete) << r.missingCurve << r.foreground;
  EXPECT_TRUE(r.knComputed);
  EXPECT_TRUE(r.kbComputed);
  EXPECT_NEAR(r.Kn, 1.9, 1e-6);  // r/T 0.5
  EXPECT_NEAR(r.Kb, 1.6, 1e-6);
  const Wrc537Row* sx = FindRow(r, "Radial Stresses (Sx)");
  const Wrc537Row* sy = FindRow(r, "Tangential Stresses (Sy)");
  const Wrc537Row* z = FindRow(r, "Shear Stresses (Z)");
  ASSERT_TRUE(sx && sy && z);
  // s = P/T^2 = 4000, m = M1/(T^2 sqrt(Rm T)) = 8000: -1.9(0.1)4000 -
  // 1.6(0.1)6(4000) - 1.9(0.1)8000 - 1.6(0.1)6(8000).
  EXPECT_NEAR(sx->s[kCu], -13800.0, 0.05);
  EXPECT_NEAR(sy->s[kCu], -6900.0, 0.05);
  EXPECT_NEAR(z->s[kCu], -254.6, 0.05);  // -V1/(pi ro T)
  EXPECT_EQ(FindRow(r, "Radial Membrane (P)")->figure, "SP-5");
  EXPECT_EQ(FindRow(r, "Radial Bending (M1)")->figure, "SM-5");
  EXPECT_NEAR(r.intensity[kCu], 13809.0, 1.0);
  EXPECT_NEAR(r.Smax, 13809.0, 1.0);
  EXPECT_NEAR(r.calculated, 20809.0, 1.0);
  ASSERT_TRUE(r.hasRatio);
  EXPECT_NEAR(r.ratio, 0.694, 0.0005);
  EXPECT_STREQ(Wrc537Status(r.ratio), "Pass");
  // Sustained: the bending rows are zeros.
  NozzleEvaluation sustained = Sphere();
  sustained.loadCase = kNozzleSustained;
  const Wrc537Result s = Wrc537StressesOf(sustained);
  for (float value : FindRow(s, "Radial Bending (P)")->s) EXPECT_EQ(value, 0.0f);
  EXPECT_NEAR(s.Smax, 2334.0, 1.0);
  // No allowable: no ratio, no pass.
  NozzleEvaluation none = Sphere();
  none.All = 0.5f;
  EXPECT_FALSE(Wrc537StressesOf(none).hasRatio);
}

TEST_F(Wrc537Test, ACylinderWithConstantCurvesMatchesTheHandCalculation) {
  UseConstantTable();
  const Wrc537Result r = Wrc537StressesOf(Cylinder());
  ASSERT_TRUE(r.complete) << r.missingCurve << r.foreground;
  const Wrc537Row* sp = FindRow(r, "Circumferential Stresses (Sp)");
  ASSERT_NE(sp, nullptr);
  // -19 - 3840 - 54.29 - 10971.43 (p 100, b 24000, mm 285.71, mb 68571.4).
  EXPECT_NEAR(sp->s[kCu], -14885.0, 1.0);
  EXPECT_EQ(FindRow(r, "Circumferential Membrane (P)")->figure, "3C");
  // Rm/T 301: no 3C curve, shown over the window.
  NozzleEvaluation thin = Cylinder();
  thin.T = 20.0f / 301.0f;
  const Wrc537Result stopped = Wrc537StressesOf(thin);
  EXPECT_EQ(stopped.foreground, "No curve available for Fig. 3C with Rm/T = 301");
  EXPECT_FALSE(stopped.complete);
}

TEST_F(Wrc537Test, FiguresCurvesFactorsAndIntensity) {
  EXPECT_NEAR(StressConcentrationKn(0.75), 1.7, 1e-9);
  EXPECT_NEAR(StressConcentrationKb(0.75), 1.475, 1e-9);
  EXPECT_EQ(StressConcentrationKn(3.6), 1.0);
  EXPECT_EQ(StressConcentrationKb(0.0), 5.0);
  EXPECT_EQ(StressConcentrationKn(0.03), 4.8);
  EXPECT_EQ(Wrc537SphericalFigure(5.0, 0.25), 1);
  EXPECT_EQ(Wrc537SphericalFigure(5.0, 0.26), 2);
  EXPECT_EQ(Wrc537SphericalFigure(12.0, 6.0), 8);
  EXPECT_EQ(Wrc537SphericalFigure(5.0, 6.0), 8);
  EXPECT_EQ(Wrc537SphericalFigure(60.0, 1.0), 0);
  EXPECT_EQ(Wrc537CylindricalKey(kFig4C, 20.0), 25.0f);
  EXPECT_EQ(Wrc537CylindricalKey(kFig3C, 20.0), 50.0f);
  EXPECT_EQ(Wrc537CylindricalKey(kFig1A, 20.0), 50.0f);
  EXPECT_EQ(Wrc537CylindricalKey(kFig3C, 301.0), 0.0f);
  EXPECT_EQ(Wrc537StressIntensity(100.0, -50.0, 0.0), 150.0);
  EXPECT_EQ(Wrc537StressIntensity(100.0, 60.0, 0.0), 100.0);
  // Pure shear: R = 2t.
  EXPECT_NEAR(Wrc537StressIntensity(0.0, 0.0, 10.0), 20.0, 1e-12);
  // The missing figure's message.
  UseConstantTable();
  NozzleEvaluation d;
  d.analysis = kNozzleWrc537;
  d.eb = 0.1f;
  d.rm = 6.0f;  // gamma 60
  d.T = 0.1f;
  d.Rm = 10.0f;
  d.ro = 1.0f;
  d.r = 0.1f;
  EXPECT_EQ(Wrc537StressesOf(d).foreground,
            "Not able to determine Figure Number for Spherical Shells with r = 60 and p = 1. Analysis aborted");
}

}  // namespace
