// The code stresses of small lines analysed and opened through the
// program, against hand calculations from the codes' formulas:
//  - a cantilever under its weight, pressure and wind: the sustained
//    stress (B31.1 104.8.1: i M / Z + P D / 4t; B31.3 320.2 with the wall
//    less corrosion) and the occasional one (the wind moment added, against
//    1.2 SH and 1.33 S);
//  - a frame held at both ends heated by 230 F: the reaction from the
//    complementary energy of its legs, then SE (B31.1: M / Z; B31.3
//    319.4.4 with the axial term) against SA = f (1.25 Sc + 0.25 Sh);
//  - an elbow line of ASME Class 2 under pressure and a tip force: the
//    stress-index stress 2 B1 P D / 4t + B2 M / Z with the bend's B1 =
//    0.4 h - 0.1 and B2 = 1.30 / h^(2/3), against 1.5 SH.
// The records are checked tightly, the cells of the compliance table as
// they show.
#include <gtest/gtest.h>

#include <cmath>

#include "elements/Bend.h"
#include "results/CodeComplianceTable.h"
#include "results/CodeResultsTesting.h"
#include "results/SortedStressesTable.h"
#include "services/Units.h"

namespace {

using namespace code_testing;
using analysis_testing::Cross3;
using analysis_testing::kAlpha;
using analysis_testing::kDensity;
using analysis_testing::kOd;
using analysis_testing::kWall;
using analysis_testing::Sub;
using analysis_testing::Within;

constexpr double kTolerance = 2e-4;
constexpr double kS = 20000.0;  // the steel's allowable at every temperature

// The number a cell shows.
double Number(const std::string& text) { return std::stod(text); }

class CodeStressHandTest : public CodeResultsFixture, public ::testing::WithParamInterface<int> {};

// Weight w L^2 / 2 and wind p D L^2 / 2 (the wind load lumped at the
// element's two ends gives the same root moment) at the anchor.
TEST_P(CodeStressHandTest, ACantileversSustainedAndOccasionalStresses) {
  const int code = GetParam();
  BuildCantilever(code, {1, 13});
  const std::vector<std::string> names = OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(names[0], "&Sorted stresses");
  EXPECT_EQ(names[1], "&Code compliance");
  const double L = 120.0, P = 150.0, c = 0.05;
  const PipeSectionValues nominal = SectionOf(kOd, kWall);
  const double weight = kDensity * nominal.A * L * L / 2.0, wind = 0.1 * kOd * L * L / 2.0;
  // B31.3 takes the wall less its corrosion for both terms; B31.1 the wall.
  const double t = code == 3 ? kWall - c : kWall;
  const PipeSectionValues s = code == 3 ? PipeSectionValues{0.0, SectionOf(kOd, t).Z} : nominal;
  const double pressure = P * kOd / (4.0 * t);
  const double sustainedRoot = pressure + weight / s.Z, sustainedTip = pressure;
  const double occasionalRoot = sustainedRoot + wind / s.Z;
  const double occasionalAllowable = code == 3 ? 1.33 * kS : 1.2 * kS;

  const CodeStressResults& r = TheCodeStresses();
  ASSERT_EQ(r.RecordCount(), 1);
  const CodeStressRecord& record = r.Record(1);
  EXPECT_TRUE(Within(record.SL[0], sustainedRoot, kTolerance));
  EXPECT_TRUE(Within(record.SL[1], sustainedTip, kTolerance));
  EXPECT_FLOAT_EQ(record.SH[0], kS);
  EXPECT_TRUE(Within(record.occasional[0].stress, occasionalRoot, kTolerance));
  EXPECT_TRUE(Within(record.occasional[0].allowable, occasionalAllowable, 1e-6));
  EXPECT_TRUE(Within(record.occasional[0].ratio, occasionalRoot / occasionalAllowable, kTolerance));
  EXPECT_TRUE(Within(record.occasional[1].stress, sustainedTip, kTolerance));
  // The table: the anchor's line first, then the free end's.
  ResultTableWindow& table = Shown();
  ASSERT_EQ(&table, &CodeComplianceTable());
  EXPECT_EQ(table.CellText(1, 1, 0), "10");
  EXPECT_EQ(table.CellText(1, 1, 1), "20");
  EXPECT_NEAR(Number(table.CellText(1, 2, 0)), 150.0, 0.5);
  EXPECT_NEAR(Number(table.CellText(1, 3, 0)), sustainedRoot, 0.51);
  EXPECT_NEAR(Number(table.CellText(1, 4, 0)), kS, 0.51);
  EXPECT_NEAR(Number(table.CellText(1, 5, 0)), sustainedRoot / kS, 0.0051);
  EXPECT_NEAR(Number(table.CellText(1, 12, 0)), occasionalRoot, 0.51);
  EXPECT_NEAR(Number(table.CellText(1, 13, 0)), occasionalAllowable, 0.51);
  EXPECT_NEAR(Number(table.CellText(1, 14, 0)), occasionalRoot / occasionalAllowable, 0.0051);
  EXPECT_NEAR(Number(table.CellText(1, 3, 1)), sustainedTip, 0.51);
  // No expansion case: its columns take no room.
  EXPECT_EQ(table.widths[6], 0);
  EXPECT_GT(table.widths[12], 0);
  EXPECT_EQ(table.HeadingText(13, 1), code == 3 ? "SHO" : "1.2SH");
}

TEST_P(CodeStressHandTest, AFrameHeldAtBothEndsUnderATemperatureRise) {
  const int code = GetParam();
  BuildFrame(code);
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  // The reaction at 30 closes the gap that free growth would open.
  const V3 p10 = At(10), p20 = At(20), p30 = At(30);
  const std::vector<analysis_testing::PathSegment> path{analysis_testing::Straight(p10, p20),
                                                        analysis_testing::Straight(p20, p30)};
  const double S = 200.0, growth = kAlpha * 230.0;
  const V3 chord = Sub(p30, p10);
  std::array<std::array<double, 6>, 6> F{};
  std::array<double, 6> gap{};
  for (std::size_t i = 0; i < 6; ++i) {
    for (std::size_t j = 0; j < 6; ++j)
      F[i][j] = analysis_testing::PathFlexibility(path, S, static_cast<int>(i), S, static_cast<int>(j));
    gap[i] = i < 3 ? -growth * chord[i] : 0.0;
  }
  const std::array<double, 6> R = Solve6(F, gap);
  const V3 force{R[0], R[1], R[2]}, moment{R[3], R[4], R[5]};
  const PipeSectionValues s = SectionOf(kOd, kWall);
  // SE at a point of a leg of direction `axis`.
  auto expansion = [&](const V3& point, const V3& axis) {
    const SectionLoad load = LoadAtPoint(point, p30, force, moment);
    const double torsion = analysis_testing::Dot3(load.moment, axis);
    const double bending = std::sqrt(std::max(analysis_testing::Dot3(load.moment, load.moment) - torsion * torsion, 0.0));
    if (code == 1) return Length(load.moment) / s.Z;
    const double axial = std::fabs(analysis_testing::Dot3(load.force, axis)) / s.A;
    return std::hypot(axial + bending / s.Z, torsion / s.Z);
  };
  const V3 x{1, 0, 0}, z{0, 0, 1};
  const int first = RecordBetweenIds(10, 20), second = RecordBetweenIds(20, 30);
  ASSERT_NE(first, 0);
  ASSERT_NE(second, 0);
  const CodeStressResults& r = TheCodeStresses();
  const double sa = 1.0 * (1.25 * kS + 0.25 * kS);
  const double expected[4] = {expansion(p10, x), expansion(p20, x), expansion(p20, z), expansion(p30, z)};
  const StressCheck* checks[4] = {&r.Record(first).expansion[0], &r.Record(first).expansion[1],
                                  &r.Record(second).expansion[0], &r.Record(second).expansion[1]};
  for (int k = 0; k < 4; ++k) {
    EXPECT_TRUE(Within(checks[k]->stress, expected[k], kTolerance)) << k;
    EXPECT_TRUE(Within(checks[k]->allowable, sa, 1e-6)) << k;
    EXPECT_TRUE(Within(checks[k]->ratio, expected[k] / sa, kTolerance)) << k;
  }
  EXPECT_GT(expected[0], 2000.0);  // a real thermal stress, not a trivial zero
  // The sustained stress of the weightless frame is its pressure stress.
  EXPECT_TRUE(Within(r.Record(first).SL[0], 150.0 * kOd / (4.0 * kWall), kTolerance));
  ResultTableWindow& table = Shown();
  EXPECT_NEAR(Number(table.CellText(first, 6, 0)), expected[0], 0.51);
  EXPECT_NEAR(Number(table.CellText(first, 7, 0)), sa, 0.51);
  EXPECT_NEAR(Number(table.CellText(first, 8, 0)), expected[0] / sa, 0.0051);
  // B31.1 and B31.3 have no combined check and no occasional case here.
  EXPECT_EQ(table.widths[9], 0);
  EXPECT_EQ(table.widths[12], 0);
}

INSTANTIATE_TEST_SUITE_P(B311AndB313, CodeStressHandTest, ::testing::Values(1, 3),
                         [](const ::testing::TestParamInfo<int>& info) { return info.param == 1 ? "B311" : "B313"; });

class UncodedStressTest : public CodeResultsFixture {};

// Code None and its "Static analysis" case: at each end the hoop stress on
// the wall less mill tolerance and corrosion, the longitudinal one P D / 4t
// with the bending stress added and taken away, and from them the maximum
// and minimum principal stresses and the equivalent (von Mises) stress.
TEST_F(UncodedStressTest, TheVonMisesTableShowsThePrincipalAndEquivalentStresses) {
  using namespace analysis_testing;
  Model& model = StartLine(0, kDensity, 150.0);
  model.sections[1].corrosionAllowance = 0.05f;
  model.sections[1].millTolerance = 12.5f;
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 120.0f);
  Finish(model, {32});
  const std::vector<std::string> names = OpenChoosing("&Element forces");
  ASSERT_TRUE(InResultsMode());
  EXPECT_EQ(names.front(), "&Sorted stresses");
  EXPECT_EQ(std::find(names.begin(), names.end(), "&Code compliance"), names.end());
  const double L = 120.0, P = 150.0, c = 0.05;
  const PipeSectionValues nominal = SectionOf(kOd, kWall), corroded = SectionOf(kOd, kWall - c);
  const double M = kDensity * nominal.A * L * L / 2.0;
  const double hoop = kOd * P / (2.0 * (0.875 * kWall - c)), longitudinal = P * kOd / (4.0 * kWall);
  auto equivalent = [](double a, double b) { return std::sqrt(a * a - a * b + b * b); };
  const double bending[2] = {M / corroded.Z, 0.0};
  ResultTableWindow& table = Shown();
  EXPECT_EQ(table.HeadingText(10, 1), "Von Mises");
  EXPECT_EQ(table.HeadingText(8, 1), "Inplane");
  const CodeStressRecord& record = TheCodeStresses().Record(1);
  for (int end = 0; end < 2; ++end) {
    const double up = longitudinal + bending[end], down = longitudinal - bending[end];
    const double maximum = std::max(hoop, up), minimum = std::min(hoop, down);
    const double vonMises = std::max(equivalent(hoop, up), equivalent(hoop, down));
    const auto& values = record.uncoded[static_cast<std::size_t>(end)];
    EXPECT_TRUE(Within(values[0], maximum, kTolerance)) << end;
    EXPECT_TRUE(Within(values[1], minimum, kTolerance)) << end;
    EXPECT_TRUE(Within(values[2], vonMises, kTolerance)) << end;
    EXPECT_NEAR(Number(table.CellText(1, 10, end)), vonMises, 0.51);
    EXPECT_NEAR(Number(table.CellText(1, 11, end)), maximum, 0.51);
    EXPECT_NEAR(Number(table.CellText(1, 12, end)), minimum, 0.51);
  }
  // The sorted stresses of code None: the von Mises block first, worst node
  // the anchor, against the hot allowable.
  OpenSortedStressesTable();
  ResultTableWindow& sorted = Shown();
  EXPECT_NE(ResultsTitle().find("Sorted stresses"), std::string::npos);
  EXPECT_EQ(SortedSectionTitle(0, false), "Von Mises stress");
  EXPECT_EQ(sorted.CellText(1, 1, 0), "10");
  EXPECT_NEAR(Number(sorted.CellText(1, 2, 0)), record.uncoded[0][2], 0.51);
  EXPECT_NEAR(Number(sorted.CellText(1, 4, 0)), record.uncoded[0][2] / kS, 0.0051);
}

class Class2StressTest : public CodeResultsFixture {};

// Weightless, P 1000 psi, a tip force: the moment at an end is (tip - end)
// x F; B1 and B2 are 0.5 and 1.0 on the straight pipes.
TEST_F(Class2StressTest, TheStressIndexStressesOfAnElbowLine) {
  const V3 force{300.0, -1000.0, 0.0};
  BuildElbowLine(9, 1000.0, force, {1});
  OpenChoosing("&Code compliance");
  ASSERT_TRUE(InResultsMode());
  const CodeStressResults& r = TheCodeStresses();
  const PipeSectionValues s = SectionOf(kOd, kWall);
  const double pressure = 1000.0 * kOd / (4.0 * kWall);
  const V3 tip = At(40);
  const Bend& bend = static_cast<const Bend&>(*TheModel().row(3).element);
  const double r2 = (kOd - kWall) / 2.0, h = bend.radius * kWall / (r2 * r2);
  const double bendB1 = std::clamp(0.4 * h - 0.1, 0.0, 0.5), bendB2 = std::max(1.3 / std::pow(h, 2.0 / 3.0), 1.0);
  int bends = 0;
  for (int row = 1; row <= r.RecordCount(); ++row) {
    const CodeStressRecord& record = r.Record(row);
    const AnalysisElement& e = r.cm->Element(record.element);
    const bool isBend = e.kind == 4;
    bends += isBend ? 1 : 0;
    const double B1 = isBend ? bendB1 : 0.5, B2 = isBend ? bendB2 : 1.0;
    for (int end = 0; end < 2; ++end) {
      const V3 at = AtIndex(end == 0 ? e.node1 : e.node2);
      const double M = Length(Cross3(Sub(tip, at), force));
      const double expected = 2.0 * B1 * pressure + B2 * M / s.Z;
      EXPECT_TRUE(Within(record.SI[static_cast<std::size_t>(end)], expected, kTolerance)) << row << "," << end;
      EXPECT_TRUE(Within(record.SH[static_cast<std::size_t>(end)], 1.5 * kS, 1e-6));
      // The sustained stress of equation 8 is kept beside it.
      if (!isBend) {
        EXPECT_TRUE(Within(record.SL[static_cast<std::size_t>(end)], pressure + M / s.Z, kTolerance));
      }
    }
  }
  EXPECT_EQ(bends, 1);
  EXPECT_GT(bendB2, 1.5);
  // The table's sustained group shows the stress-index stress against 1.5 SH.
  ResultTableWindow& table = Shown();
  EXPECT_EQ(table.HeadingText(3, 1), "SL");
  EXPECT_EQ(table.HeadingText(4, 1), "1.5SH");
  EXPECT_EQ(ComplianceTitle(), "ASME Class 2 (1986) Code Compliance");
  const CodeStressRecord& first = r.Record(1);
  EXPECT_NEAR(Number(table.CellText(1, 3, 0)), first.SI[0], 0.51);
  EXPECT_NEAR(Number(table.CellText(1, 5, 0)), first.SI[0] / (1.5 * kS), 0.0051);
}

}  // namespace
