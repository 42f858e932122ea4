// The pump report on the screen road, from evaluations set up by hand: the
// API 610 vertical inline report (twice the side table, the F.2 stress
// check failing, its allowable in psi and in MPa), a horizontal nozzle
// whose ratio passes 2 (F.1.2.a, no F.1.2.c), a nozzle that is not an
// anchor, the ANSI/HI reports: B73.1 with its T1 at 150 F, the
// not-available line for a row the program has not, the signed Eq.3 sum,
// an axial split pump failing Eq.1 at ratios of 0.5 and a vertical turbine
// pump without a discharge nozzle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "evaluations/EvaluationReport.h"
#include "evaluations/PumpEvaluation.h"
#include "evaluations/RotatingEquipmentData.h"
#include "evaluations/RotatingEquipmentReports.h"
#include "model/Model.h"
#include "services/Units.h"

namespace {

NozzleAttachment At(std::int32_t node, Vec3f position, float size, bool anchored = true) {
  NozzleAttachment at;
  at.node = node;
  at.defined = true;
  at.position = position;
  at.anchored = anchored;
  at.nominalSize = size;
  return at;
}

class PumpReportTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ModelRecordTableReset(TheModel().pumps);
    TheRotatingEquipmentData() = RotatingEquipmentData{};
    g_UnitsSettings = UnitsSettings{};
    EvaluationReportClearLines();
  }
  // The pump as the only one, evaluated for one case with these global
  // anchor loads; its report's lines.
  static std::vector<std::string> Report(const Pump& pump, const NozzleAttachment& s, const NozzleAttachment& d,
                                         const Load6& suction, const Load6& discharge) {
    Model& model = TheModel();
    ModelRecordTableReset(model.pumps);
    AppendPump(model.pumps, pump);
    RotatingEquipmentData& data = TheRotatingEquipmentData();
    data = RotatingEquipmentData{};
    data.available = true;
    data.caseTypes = {8};
    data.caseTitles = {"Operating (W+P1+T1)"};
    data.pumpEvaluations.resize(1);
    ResolvePumpNozzles(pump, s, d, false, data.pumpEvaluations[0]);
    SetUpPumpEvaluation(pump, 0, suction, discharge, data.pumpEvaluations[0]);
    PumpNozzleReport(1, 1);
    std::vector<std::string> lines;
    for (int i = 0; i < EvaluationReportLineCount(); ++i) {
      std::string text = EvaluationReportLineAt(i).text;
      for (char& c : text)
        if (c == '!') c = ' ';
      lines.push_back(text);
    }
    return lines;
  }
  static std::string Starting(const std::vector<std::string>& lines, const std::string& start) {
    for (const std::string& line : lines)
      if (line.rfind(start, 0) == 0) return line;
    return {};
  }
  static bool Has(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines)
      if (line == text) return true;
    return false;
  }
  static std::vector<double> Numbers(const std::string& line) {
    std::vector<double> values;
    std::istringstream in(line);
    std::string word;
    while (in >> word) {
      std::string digits;
      for (char c : word)
        if (c != ',') digits += c;
      char* end = nullptr;
      const double v = std::strtod(digits.c_str(), &end);
      if (end != digits.c_str() && *end == '\0') values.push_back(v);
    }
    return values;
  }
  static Pump Named(int standard) {
    Pump p;
    InitPumpRecord(p);
    p.name = "P-7";
    p.standard = standard;
    p.shaftAxis = {1, 0, 0};
    p.centre = {10, 0, 0};
    return p;
  }
};

}  // namespace

TEST_F(PumpReportTest, VerticalInlineTakesTwiceTheSideTableAndFailsTheF2StressCheck) {
  Pump p = Named(kPumpVerticalInlineApi610);
  p.vertical = 1;
  // Local Y runs from the suction to the discharge along global Z; local X
  // is then -X and local Z is Y: local (500, -400, 300) lb and (2000, 1000,
  // 1500) ft-lb are these global loads.
  const Load6 loads{-500, 300, -400, -24000, 18000, 12000};
  auto lines = Report(p, At(10, {0, 0, 0}, 4.0f), At(20, {0, 0, 24}, 4.0f), loads, {});
  EXPECT_EQ(lines.at(0), "API 610 (11th ed.), Sep 2010 / ISO 13709 report for vertical inline pump : P-7");
  EXPECT_EQ(Starting(lines, "Y axis:"), "Y axis: Xcomp = 0.000, Ycomp = 0.000, Zcomp = 1.000");
  const std::vector<double> mx = Numbers(Starting(lines, "MX (ft-lb)"));
  ASSERT_GE(mx.size(), 3u);
  EXPECT_NEAR(mx[1], 1960.0, 0.5);
  EXPECT_NEAR(mx[2], 1.020, 0.0005);
  EXPECT_NE(Starting(lines, "MX (ft-lb)").find("----"), std::string::npos);
  EXPECT_FALSE(Starting(lines, "Check of condition F.2 for suction node 10:").empty());
  const std::string stress = Starting(lines, "S = ");
  const std::vector<double> s = Numbers(stress);
  ASSERT_GE(s.size(), 2u) << stress;
  EXPECT_NEAR(s[0], 9868.0, 10.0) << stress;
  EXPECT_NEAR(s[1], 5950.0, 0.5) << stress;
  EXPECT_EQ(stress.substr(stress.rfind(' ') + 1), "Failed");
  // In MPa the allowable is 41 MPa.
  g_UnitsSettings.unit[kUnitStress] = 1;
  lines = Report(p, At(10, {0, 0, 0}, 4.0f), At(20, {0, 0, 24}, 4.0f), loads, {});
  const std::vector<double> mpa = Numbers(Starting(lines, "S = "));
  ASSERT_GE(mpa.size(), 2u);
  EXPECT_NEAR(mpa[1], 41.0, 0.01);
  EXPECT_NEAR(mpa[0], 9868.0 * 0.00689476, 0.1);
}

TEST_F(PumpReportTest, HorizontalRatioAbove2FailsF12aAndANozzleWithoutAnchorSkipsF12c) {
  Pump p = Named(kPumpHorizontalApi610);
  p.suctionLocation = kNozzleEnd;
  auto lines = Report(p, At(10, {0, 0, 0}, 6.0f), At(20, {10, 12, 0}, 4.0f), {1500, 0, 0, 0, 0, 0}, {});
  EXPECT_TRUE(Has(lines, "Condition F.1.2.a for suction node 10 failed ***"));
  EXPECT_TRUE(Starting(lines, "(FR/1.5FRT4)").empty());
  EXPECT_TRUE(Starting(lines, "Check of Condition F.1.2.c").empty());
  lines = Report(p, At(10, {0, 0, 0}, 6.0f), At(20, {10, 12, 0}, 4.0f, false), {100, 0, 0, 0, 0, 0}, {});
  EXPECT_TRUE(Has(lines, "*** Discharge node: 20 is not an anchor ***"));
  EXPECT_TRUE(Has(lines, "Condition F.1.1 for suction node 10 passed"));
  EXPECT_TRUE(Starting(lines, "Check of Condition F.1.2.c").empty());
  // A failed interaction fails the nozzle and the combined check is not
  // made: every ratio below 2 (FX 1.857, MX, MY, MZ 1.9) but FR/1.5FRT4 +
  // MR/1.5MRT4 = 0.858 + 1.267.
  lines = Report(p, At(10, {0, 0, 0}, 6.0f), At(20, {10, 12, 0}, 4.0f), {1300, 0, 0, 38760, 29640, -19836}, {});
  EXPECT_TRUE(Starting(lines, "Condition F.1.2.a").empty());
  EXPECT_NE(Starting(lines, "(FR/1.5FRT4) + (MR/1.5MRT4) =").find("Failed"), std::string::npos);
  EXPECT_TRUE(Has(lines, "Condition F.1.2.b for suction node 10 failed ***"));
  EXPECT_TRUE(Starting(lines, "Check of Condition F.1.2.c").empty());
}

TEST_F(PumpReportTest, AnsiHiEndSuctionAndTheNotAvailableLine) {
  Pump p = Named(kPumpAnsiHi962);
  p.category = 0;
  p.size = 0;
  p.materialGroup = 1;
  p.temperature = 150.0f;
  // Suction loads within T1 but signed against T3: FY = -700 lb.
  auto lines = Report(p, At(10, {0, 0, 0}, 1.5f), At(20, {10, 12, 0}, 1.0f), {0, 0, 700, 0, 0, 0}, {});
  EXPECT_EQ(lines.at(0), "ANSI/HI 9.6.2-2011 report for pump : P-7");
  EXPECT_EQ(lines.at(1), "Horizontal end suction single stage pump");
  const std::vector<double> fy = Numbers(Starting(lines, "FY (lb)"));
  ASSERT_GE(fy.size(), 3u);
  EXPECT_NEAR(fy[1], 645.0, 0.5);
  EXPECT_TRUE(Has(lines, "Condition 9.6.2.1.4a Eq.1 for suction node 10 failed ***"));
  EXPECT_TRUE(Starting(lines, "Assessment of Nozzle stress").empty());  // the report ends there
  lines = Report(p, At(10, {0, 0, 0}, 1.5f), At(20, {10, 12, 0}, 1.0f), {0, 0, 200, 0, 0, 0}, {});
  EXPECT_TRUE(Has(lines, "Condition 9.6.2.1.4a Eq.1 for suction node 10 passed"));
  // Eq.3 keeps the sign: FY -200 against -2000 gives +0.10; Eq.2 = 0.5 x 200/645.
  EXPECT_FALSE(Starting(lines, "Eq.2 = 0.16 <= 1.00. Condition passed").empty());
  EXPECT_TRUE(Has(lines, "Eq.3 = 0.10; which is >= -1.0 and <= 1.00. Condition passed"));
  EXPECT_FALSE(Starting(lines, "Eq.5 = ").empty());
  p.size = 1;
  lines = Report(p, At(10, {0, 0, 0}, 1.5f), At(20, {10, 12, 0}, 1.0f), {0, 0, 200, 0, 0, 0}, {});
  EXPECT_EQ(lines.back(), "ANSI/HI 9.6.2 allowable loads for B73.1 size \"3 x 1.5 x 6\" are not available");
  EXPECT_TRUE(Starting(lines, "Condition").empty());
}

TEST_F(PumpReportTest, AxialSplitEq1AndAVerticalTurbineWithoutDischarge) {
  Pump p = Named(kPumpAnsiHi962);
  p.category = 4;
  p.size = 0;
  p.boltOrMounting = 3;  // 1.00 in bolts: the 2 in row stands
  // Ratios of 0.5 on all six components of both nozzles against 1800,
  // 1400, 1800 lb, 600, 720, 600 ft-lb; local X = global X, Y = -Z, Z = Y.
  const Load6 half{900, 900, -700, 3600, 3600, -4320};
  auto lines = Report(p, At(10, {0, 0, 0}, 2.0f), At(20, {10, 12, 0}, 2.0f), half, half);
  EXPECT_TRUE(Has(lines, "Eq.1 = 1.73 > 1.00. Condition failed ***")) << lines.back();
  Pump t = Named(kPumpAnsiHi962);
  t.category = 5;
  t.size = 0;
  t.dischargeNode = 0;
  NozzleAttachment none;
  lines = Report(t, At(10, {0, 0, 0}, 2.0f), At(20, {10, 0, 0}, 2.0f), {20, 0, 0, 0, 0, 0}, {});
  EXPECT_EQ(lines.at(1), "Vertical Turbine pump Assessment of applied nozzle loads");
  EXPECT_TRUE(Has(lines, "Eq.1 = 0.00 <= 1.00. Discharge condition passed"));
  EXPECT_FALSE(Starting(lines, "Check of condition 9.6.2.4.2a for suction node 10:").empty());
  (void)none;
}

TEST_F(PumpReportTest, AnsiHiSignedEq3AndANozzleWithoutAnchorOutOfTheSums) {
  Pump p = Named(kPumpAnsiHi962);
  p.category = 0;
  p.size = 0;
  p.materialGroup = 1;
  p.temperature = 150.0f;
  // Local FY +200 lb (global Z -200) against T3 -2000: a ratio of -0.100, "OK".
  auto lines = Report(p, At(10, {0, 0, 0}, 1.5f), At(20, {10, 12, 0}, 1.0f), {0, 0, -200, 0, 0, 0}, {});
  bool negativeRow = false;
  for (const std::string& line : lines)
    if (line.rfind("FY (lb)", 0) == 0 && line.find("-0.100") != std::string::npos) {
      negativeRow = true;
      EXPECT_EQ(line.substr(line.rfind(' ') + 1), "OK");
    }
  EXPECT_TRUE(negativeRow);
  EXPECT_TRUE(Has(lines, "Eq.3 = -0.10; which is >= -1.0 and <= 1.00. Condition passed"));
  // FY +645 lb and MX -720 ft-lb pass Eq.1 and Eq.2, but Eq.3 = -0.3225 - 0.8 fails.
  lines = Report(p, At(10, {0, 0, 0}, 1.5f), At(20, {10, 12, 0}, 1.0f), {0, 0, -645, -8640, 0, 0}, {});
  EXPECT_TRUE(Has(lines, "Eq.2 = 0.73 <= 1.00. Condition passed"));
  EXPECT_TRUE(Has(lines, "Eq.3 = -1.12. Condition failed ***"));
  EXPECT_TRUE(Starting(lines, "Assessment of z-axis").empty());
  // A discharge node without an anchor is in the Eq.1 rows, not in Eq.2.
  lines = Report(p, At(10, {0, 0, 0}, 1.5f), At(20, {10, 12, 0}, 1.0f, false), {0, 0, -200, 0, 0, 0}, {});
  EXPECT_TRUE(Has(lines, "Condition 9.6.2.1.4a Eq.1 for discharge node 20 passed"));
  int headings = 0;
  for (int i = 0; i < EvaluationReportLineCount(); ++i)
    if (EvaluationReportLineAt(i).kind == kEvaluationHeadingRow) ++headings;
  // Eq.1: two nozzles; Eq.2, Eq.3 and Eq.4: the suction only.
  EXPECT_EQ(headings, 5);
}
