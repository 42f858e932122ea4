// The fibre-reinforced plastic results through the Results window: a
// cantilever of 6.625 x 0.25 inch FRP pipe (mill tolerance 12.5 %,
// corrosion 0.05 inch) under P1 = 150 psi and a tip load, weightless, in
// B31.3 and B31.1: every stress field and ratio of both ends against the
// formulas worked by hand; the sustained case taking the pressure of
// largest magnitude with its sign; the sorted view ordered by ratio with
// the ends without allowables last; the FRP forces table with its SIF
// columns; the F6 switch between the two stress tables; the reports.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>

#include "codes/CodeStressDriver.h"
#include "loads/Force.h"
#include "model/LcsTriad.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "printing/ReportOutput.h"
#include "results/FrpForcesTable.h"
#include "results/FrpStresses.h"
#include "results/OtherSelectors.h"
#include "results/PrintSelection.h"
#include "results/ResultPicture.h"
#include "results/ResultViewItems.h"
#include "results/ResultsTesting.h"
#include "resultsfile/ResultCases.h"
#include "services/Units.h"

namespace {

using analysis_testing::Within;

constexpr double kD = 6.625, kT = 0.25, kMill = 12.5, kCorrosion = 0.05, kP = 150.0;
constexpr double kFx = 200.0, kFy = 100.0, kLength = 100.0;
constexpr double kHoopAllowable = 5000.0, kTorsionAllowable = 3000.0, kAxialAllowable = 4000.0;

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class FrpResultsTest : public ResultsFixture {
 protected:
  void TearDown() override {
    g_ShowGlobalForces = false;
    ResultsFixture::TearDown();
  }
  // The material "CS" made FRP with the three allowables (0: none given).
  static void MakeFrp(Material& material, double hoop, double torsion, double axial) {
    material.isFrp = 1;
    for (std::size_t t = 1; t < material.temps.size(); ++t) {
      auto& v = material.temps[t].values;
      v[3] = static_cast<float>(hoop);
      v[4] = static_cast<float>(torsion);
      v[5] = static_cast<float>(axial);
      v[6] = v[1];                          // hoop modulus
      v[7] = static_cast<float>(v[1] / 2.6);  // shear modulus
    }
  }
  // Anchor 10, a pipe of 100 inch along X to 20 with the tip load
  // (200, 100, 0) lb; weightless; the section and pressure above.
  void OpenCantilever(int code, const std::vector<int>& cases, float p2 = 0.0f) {
    using namespace analysis_testing;
    Model& model = TheModel();
    StartModel(model, 70.0, 0.0, ModelPath());
    model.options.PipingCode = code;
    MakeFrp(model.materials[1], kHoopAllowable, kTorsionAllowable, kAxialAllowable);
    PipeSection& section = model.sections[1];
    section.outsideDiameter = static_cast<float>(kD);
    section.thickness = static_cast<float>(kT);
    section.millTolerance = static_cast<float>(kMill);
    section.corrosionAllowance = static_cast<float>(kCorrosion);
    model.pipeLoads[1].operating[0].pressure = static_cast<float>(kP);
    if (p2 != 0.0f) {
      model.options.ThermalLoadCount = 2;
      model.pipeLoads[1].operating[0].pressure = 100.0f;
      model.pipeLoads[1].operating[1].temperature = 70.0f;
      model.pipeLoads[1].operating[1].pressure = p2;
    }
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, static_cast<float>(kLength));
    PutItem(model, 2, DataType::Force);
    auto& force = static_cast<NodalForce&>(*model.row(2).item);
    force.FX = static_cast<float>(kFx);
    force.FY = static_cast<float>(kFy);
    MakeModel(model);
    SetCases(model, cases);
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    Analyse();
    OpenResults();
    platform::RunUntilIdle();
    ASSERT_TRUE(InResultsMode());
    g_ResultCase = 1;
  }
  // The result chooser that comes up with the results, cancelled.
  static void ExpectChooserCancelled() {
    platform::ExpectModal(platform::ModalKind::Dialog, "RESULTS6_DIALOG",
                          [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  }
  static double Area() { return std::numbers::pi / 4.0 * (kD * kD - std::pow(kD - 2.0 * kT, 2)); }
  static double Modulus() { return std::numbers::pi * (std::pow(kD, 4) - std::pow(kD - 2.0 * kT, 4)) / (32.0 * kD); }
  static double Cell(ResultTableWindow& table, int row, int column, int line) {
    return std::stod(table.CellText(row, column, line));
  }
};

class FrpStressHandTest : public FrpResultsTest, public ::testing::WithParamInterface<int> {};

TEST_P(FrpStressHandTest, EveryFieldAndRatioOfBothEndsByHand) {
  const int code = GetParam();
  ExpectChooserCancelled();
  OpenCantilever(code, {1});
  ASSERT_EQ(TheResults().frpElements.size(), 1u);
  EXPECT_TRUE(TheResults().stressElements.empty());
  const int e = TheResults().frpElements[0];
  FrpStressRecord record;
  ASSERT_TRUE(ComputeFrpStresses(e, record));
  const double te = (1.0 - kMill / 100.0) * kT - kCorrosion;  // 0.16875
  const double hoop = kD * kP / (2.0 * te);
  EXPECT_TRUE(Within(hoop, 2944.44, 1.0e-5));
  // The longitudinal pressure stress of the code: B31.3 on the wall less
  // corrosion, B31.1 on the nominal wall.
  const double sp = code == 3 ? kP * kD / (4.0 * (kT - kCorrosion)) : kP * kD / (4.0 * kT);
  EXPECT_TRUE(Within(sp, code == 3 ? 1242.19 : 993.75, 1.0e-5));
  const double A = Area(), Z = Modulus();
  const double bending[2] = {kFy * kLength / Z, 0.0};
  for (int end = 0; end < 2; ++end) {
    const FrpEndStresses& s = record.ends[static_cast<std::size_t>(end)];
    EXPECT_TRUE(Within(s.hoop, hoop, 1.0e-3)) << end;
    EXPECT_TRUE(Within(s.axial, kFx / A + sp, 1.0e-3)) << end << ": " << s.axial;
    EXPECT_TRUE(Within(s.bending, bending[end], 1.0e-3, 1.0e-3)) << end << ": " << s.bending;
    EXPECT_NEAR(s.torsion, 0.0, 1.0e-3);
  }
  EXPECT_EQ(record.hoopAllowable, kHoopAllowable);
  EXPECT_EQ(record.torsionAllowable, kTorsionAllowable);
  EXPECT_EQ(record.axialAllowable, kAxialAllowable);
  // The table through the chooser entry.
  OpenFrpStressesTable();
  EXPECT_NE(ResultsTitle().find("FRP stresses"), std::string::npos);
  ResultTableWindow& table = Shown();
  ASSERT_EQ(table.rowCount, 1);
  // Whole psi on the screen.
  EXPECT_NEAR(Cell(table, 1, 2, 0), hoop, 0.5);
  EXPECT_NEAR(Cell(table, 1, 5, 0), kFx / A + sp + bending[0], 0.5);
  EXPECT_NEAR(Cell(table, 1, 6, 0), kFx / A + sp - bending[0], 0.5);
  EXPECT_NEAR(Cell(table, 1, 5, 1), kFx / A + sp, 0.5);
  EXPECT_EQ(table.HeadingText(5, 0), "Longitudinal");
  EXPECT_EQ(table.HeadingText(5, 1), std::string("Max ") + UnitLabel(kUnitStress));
  // The sorted view: every ratio of both ends.
  ResultsCommandNow(287);
  ASSERT_EQ(ResultsReopenCommand(), OpenSortedFrpStressesTable);
  ASSERT_EQ(FrpEntryCount(), 2);
  const double ratios[4][2] = {{hoop / kHoopAllowable, hoop / kHoopAllowable},
                               {(kFx / A + sp + bending[0]) / kAxialAllowable, (kFx / A + sp) / kAxialAllowable},
                               {std::fabs(kFx / A + sp - bending[0]) / kAxialAllowable, (kFx / A + sp) / kAxialAllowable},
                               {0.0, 0.0}};
  ResultTableWindow& sorted = Shown();
  for (int group = 0; group < 4; ++group) {
    for (int row = 1; row <= 2; ++row) {
      const int entry = std::stoi(sorted.CellText(row, 4 * group + 1, 0)) == 10 ? 1 : 2;
      const double expected = ratios[group][entry - 1];
      EXPECT_NEAR(Cell(sorted, row, 4 * group + 4, 0), expected, 0.005 + 0.001 * expected) << group << " " << row;
    }
    // Largest first.
    EXPECT_GE(Cell(sorted, 1, 4 * group + 4, 0), Cell(sorted, 2, 4 * group + 4, 0));
  }
  ResultsCommandNow(287);
  EXPECT_EQ(ResultsReopenCommand(), OpenFrpStressesTable);
}

INSTANTIATE_TEST_SUITE_P(B313AndB311, FrpStressHandTest, ::testing::Values(3, 1),
                         [](const ::testing::TestParamInfo<int>& info) { return info.param == 3 ? "B313" : "B311"; });

TEST_F(FrpResultsTest, TheSustainedCaseTakesThePressureOfLargestMagnitudeWithItsSign) {
  ExpectChooserCancelled();
  OpenCantilever(3, {1}, -150.0f);
  FrpStressRecord record;
  ASSERT_TRUE(ComputeFrpStresses(TheResults().frpElements[0], record));
  const double te = (1.0 - kMill / 100.0) * kT - kCorrosion;
  EXPECT_TRUE(Within(record.ends[0].hoop, kD * -150.0 / (2.0 * te), 1.0e-3)) << record.ends[0].hoop;
  EXPECT_LT(record.ends[1].hoop, 0.0);
  // A corrosion allowance beyond the wall leaves no wall to carry the hoop
  // stress: no value, a blank cell and no ratio, never an infinity.
  TheModel().sections[1].corrosionAllowance = 0.3f;
  ASSERT_TRUE(ComputeFrpStresses(TheResults().frpElements[0], record));
  EXPECT_FALSE(record.ends[0].hoopFormed);
  EXPECT_TRUE(record.ends[0].axialFormed);
  OpenFrpStressesTable();
  EXPECT_EQ(Shown().CellText(1, 2, 0), "");
  EXPECT_NE(Shown().CellText(1, 3, 0), "");
  OpenSortedFrpStressesTable();
  TheCodeStresses().sorted.currentSection = 0;
  EXPECT_EQ(FrpStressComponent(1).ratio, -1.0f);
  EXPECT_EQ(Shown().CellText(1, 2, 0), "");
}

TEST_F(FrpResultsTest, EndsWithoutAllowablesSortLastAndTheForcesAndReportsShowTheElements) {
  using namespace analysis_testing;
  ExpectChooserCancelled();
  // The cantilever of two pipes, the first (at the anchor, the larger
  // stresses) of an FRP material without allowables.
  Model& model = TheModel();
  StartModel(model, 70.0, 0.0, ModelPath());
  model.options.PipingCode = 3;
  Material bare = model.materials[1];
  bare.name = "BARE";
  MakeFrp(bare, 0.0, 0.0, 0.0);
  AppendMaterial(model.materials, bare);
  MakeFrp(model.materials[1], kHoopAllowable, kTorsionAllowable, kAxialAllowable);
  model.pipeLoads[1].operating[0].pressure = static_cast<float>(kP);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  model.row(PipeRow(model, 20, ElementType::Pipe, 50.0f)).material = "BARE";
  PipeRow(model, 30, ElementType::Pipe, 50.0f);
  PutItem(model, 3, DataType::Force);
  static_cast<NodalForce&>(*model.row(3).item).FY = static_cast<float>(kFy);
  MakeModel(model);
  SetCases(model, {1});
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  Analyse();
  OpenResults();
  platform::RunUntilIdle();
  ASSERT_TRUE(InResultsMode());
  g_ResultCase = 1;
  std::vector<std::string> chooser;
  for (const ResultChooserEntry& entry : ResultChooserList()) chooser.push_back(entry.name);
  EXPECT_NE(std::find(chooser.begin(), chooser.end(), "&FRP stresses"), chooser.end());
  EXPECT_NE(std::find(chooser.begin(), chooser.end(), "&Sorted FRP stresses"), chooser.end());
  OpenSortedFrpStressesTable();
  ASSERT_EQ(FrpEntryCount(), 4);
  // In every group the ends of the second pipe (entries 3, 4) come first:
  // the first pipe has no allowable, whatever its stresses.
  for (int group = 0; group < 4; ++group) {
    Shown().KeyDown(VK_RIGHT);  // the case (one only) again
    const int section = TheCodeStresses().sorted.currentSection;
    TheCodeStresses().sorted.currentSection = group;
    EXPECT_GE(FrpSortedEntry(1), 3) << group;
    EXPECT_GE(FrpSortedEntry(2), 3) << group;
    EXPECT_LE(FrpSortedEntry(3), 2) << group;
    EXPECT_EQ(FrpStressComponent(FrpSortedEntry(3)).ratio, -1.0f);
    EXPECT_EQ(Shown().CellText(3, 4 * group + 4, 0), "") << group;
    EXPECT_EQ(Shown().CellText(3, 4 * group + 3, 0), "") << group;
    TheCodeStresses().sorted.currentSection = section;
  }
  // The entries without allowables keep their order among themselves.
  EXPECT_EQ(FrpSortedEntry(3), 1);
  EXPECT_EQ(FrpSortedEntry(4), 2);

  // The forces: the "&FRP" kind, nine columns for B31.3 with their groups.
  std::vector<std::string> kinds;
  for (const ResultKind& kind : ForceFamily().kinds) kinds.push_back(kind.name);
  EXPECT_EQ(kinds, std::vector<std::string>{"&FRP"});
  OpenFrpForcesTable();
  ResultTableWindow& forces = Shown();
  EXPECT_EQ(forces.columnCount, 9);
  EXPECT_EQ(forces.HeadingText(2, 1), "Axial");
  EXPECT_EQ(forces.HeadingText(6, 2), "Moment");
  EXPECT_NE(ResultsTitle().find("FRP forces in local coordinates"), std::string::npos);
  // The anchor end of the first pipe carries the tip load's moment about Z.
  EXPECT_TRUE(Within(std::fabs(Cell(forces, 1, 6, 0)), kFy * 100.0 / 12.0, 1.0e-3)) << forces.CellText(1, 6, 0);
  ResultsCommandNow(288);
  ResultTableWindow& global = Shown();
  EXPECT_EQ(global.columnCount, 7);
  EXPECT_EQ(global.HeadingText(3, 0), "FY");
  EXPECT_TRUE(Within(Cell(global, 2, 3, 1), kFy, 1.0e-3));

  // The stresses' text report and the sorted CSV.
  OpenFrpStressesTable();
  ResultTableWindow& stresses = Shown();
  const std::string text = folder_ + "/frp.txt";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, text));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> lines = FileLines(text);
  const auto heading = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.find("FRP element stresses " + std::string(UnitLabel(kUnitStress)) + ": " + CurrentCaseTitle()) !=
           std::string::npos;
  });
  ASSERT_NE(heading, lines.end());
  EXPECT_EQ((heading + 3)->substr(12, 4), "Hoop");
  const std::string first = *(heading + 5);
  EXPECT_EQ(first.substr(5, 2), "10");
  const std::string hoop = stresses.CellText(1, 2, 0);
  EXPECT_EQ(first.substr(16 - hoop.size(), hoop.size()), hoop) << first;
  const std::string torsion = stresses.CellText(1, 7, 0);
  EXPECT_EQ(first.substr(70 - torsion.size(), torsion.size()), torsion) << first;
  OpenSortedFrpStressesTable();
  // Show Stresses colours the FRP elements by the current group's ends.
  ResultsCommandNow(332);
  const std::shared_ptr<const ResultPicture> picture = ShownResultPicture();
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->elements.size(), 2u);
  EXPECT_EQ(picture->elements[1].value1, FrpStressComponent(3).stress);
  EXPECT_EQ(picture->elements[1].value2, FrpStressComponent(4).stress);
  EXPECT_EQ(picture->labels.size(), 4u);
  ResultsCommandNow(332);
  EXPECT_EQ(ShownResultPicture(), nullptr);
  const std::string csv = folder_ + "/sorted-frp.csv";
  ASSERT_TRUE(ReportOpenFile(ResultsFrame().window, csv));
  TableWindowPrint(ResultsTableWindow());
  ASSERT_TRUE(ReportCloseFile());
  const std::vector<std::string> rows = FileLines(csv);
  const auto title = std::find(rows.begin(), rows.end(),
                               "Sorted FRP stresses " + std::string(UnitLabel(kUnitStress)) + ": " + CurrentCaseTitle() + ",");
  ASSERT_NE(title, rows.end());
  EXPECT_EQ(*(title + 1), "Node,Hoop,Node,Max.Longitdnl,Node,Min.Longitdnl,Node,Torsional,");
  EXPECT_EQ((title + 3)->substr(0, 3), Shown().CellText(1, 1, 0) + ",");
}

// The load-case report of the model report carries the FRP sub-sections
// of both element force sections and the two FRP stress sections.
// The cantilever runs along X: its element axes are X along it, and the
// local-axes display (327) shows them at the anchor node 10 from the FRP
// forces table in local axes and from the FRP stresses table.
TEST_F(FrpResultsTest, TheLocalAxesItemShowsTheCurrentFrpElementsAxes) {
  ExpectChooserCancelled();
  OpenCantilever(3, {1});
  platform::CheckModalScript();
  g_ShowGlobalForces = false;
  OpenFrpForcesTable();
  ASSERT_EQ(&Shown(), &FrpForcesTable());
  EXPECT_TRUE(ResultsMenuHas(327));
  EXPECT_EQ(ViewItemText(327), "&Show LCS");
  ASSERT_FALSE(TheLcsTriad().shown);
  ResultsCommandNow(327);
  const LcsTriad& triad = TheLcsTriad();
  EXPECT_TRUE(triad.shown);
  EXPECT_EQ(ViewItemText(327), "&Hide LCS");
  ASSERT_GE(triad.node, 1);
  EXPECT_EQ(TheModel().nodes[triad.node].id, 10);
  EXPECT_NEAR(triad.axes[0][0], 1.0f, 1.0e-5f);
  EXPECT_NEAR(triad.axes[0][1], 0.0f, 1.0e-5f);
  EXPECT_NEAR(triad.axes[0][2], 0.0f, 1.0e-5f);
  ResultsCommandNow(327);
  EXPECT_FALSE(TheLcsTriad().shown);
  EXPECT_EQ(ViewItemText(327), "&Show LCS");
  ResultsCommandNow(327);
  // Global axes have no local-axes item, and leaving the local form takes
  // the axes away.
  ResultsCommandNow(288);
  ASSERT_TRUE(g_ShowGlobalForces);
  EXPECT_FALSE(ResultsMenuHas(327));
  EXPECT_FALSE(TheLcsTriad().shown);
  ResultsCommandNow(327);
  EXPECT_FALSE(TheLcsTriad().shown);
  ResultsCommandNow(288);

  // The FRP stresses table: the View item, and the popup's second item.
  OpenFrpStressesTable();
  ASSERT_EQ(ResultsReopenCommand(), OpenFrpStressesTable);
  EXPECT_EQ(ViewItemText(327), "&Show LCS");
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Sorted Stresses", [](HWND) {
    platform::TestKeyPress(VK_DOWN);
    platform::TestKeyPress(VK_DOWN);
    platform::TestKeyPress(VK_RETURN);
  });
  Shown().ContextMenu();
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_TRUE(TheLcsTriad().shown);
  EXPECT_EQ(TheModel().nodes[TheLcsTriad().node].id, 10);
  EXPECT_EQ(ViewItemText(327), "&Hide LCS");
  // The sorted table (F6) has no such item; the axes go with the table.
  ResultsCommandNow(287);
  ASSERT_EQ(ResultsReopenCommand(), OpenSortedFrpStressesTable);
  EXPECT_FALSE(ResultsMenuHas(327));
  EXPECT_FALSE(TheLcsTriad().shown);
}

TEST_F(FrpResultsTest, TheModelReportPrintsTheFrpSections) {
  ExpectChooserCancelled();
  OpenCantilever(3, {1});
  const PrintChoices saved = ThePrintChoices();
  ThePrintChoices() = PrintChoices{};
  ThePrintChoices().section.fill(1);
  const std::string path = folder_ + "/report.txt";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results",
                        [](HWND sheet) { SendMessage(sheet, WM_COMMAND, 1002, 0); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
    SetDlgItemText(dialog, edt1, path.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ThePrintChoices() = saved;
  const std::vector<std::string> lines = FileLines(path);
  const std::string title = CurrentCaseTitle();
  for (const std::string& heading :
       {"FRP forces in local coordinates: " + title, "FRP forces in global coordinates: " + title,
        "FRP element stresses " + std::string(UnitLabel(kUnitStress)) + ": " + title,
        "Sorted FRP stresses " + std::string(UnitLabel(kUnitStress)) + ": " + title}) {
    const bool found = std::any_of(lines.begin(), lines.end(),
                                   [&heading](const std::string& l) { return l.find(heading) != std::string::npos; });
    EXPECT_TRUE(found) << heading;
  }
  // The local sub-section's row of B31.3's in-plane/out-of-plane layout:
  // the anchor end's in-plane moment (100 lb x 100 inch = 833 ft-lb) ends
  // at column 50, the out-of-plane moment at 65, and the SIF columns (56,
  // 71) stay empty: a straight pipe's SIF is 1.
  const auto local = std::find_if(lines.begin(), lines.end(), [&title](const std::string& l) {
    return l.find("FRP forces in local coordinates: " + title) != std::string::npos;
  });
  ASSERT_NE(local, lines.end());
  const std::string row = *(local + 5);
  EXPECT_EQ(row.substr(5, 2), "10") << row;
  EXPECT_EQ(row.substr(47, 3), "833") << row;
  EXPECT_EQ(row.size(), 65u) << row;
}

}  // namespace
