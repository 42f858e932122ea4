// Vibration susceptibility: the per-node maxima, stresses m/Z and SIF·m/Z
// and the ranking by hand; the file the modal case writes with "VORSTEL"
// set (header, 16 bytes per pipe element and mode) read back into the
// Dynamic stresses table, whose nominal stress is the file's moment over
// the pipe's section modulus; a file of the wrong length refused with its
// message, the other results untouched; no file without "VORSTEL". Both
// dynamic tables put the shape items into the View menu while current, the
// stresses table the mode stepping items into the Results menu too, and
// both take them out when left.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "results/DisplacementTables.h"
#include "results/DynamicStresses.h"
#include "results/PipeForcesTable.h"
#include "results/ResultsTesting.h"
#include "results/ResultsWindow.h"
#include "results/ShapeDisplay.h"
#include "results/ShapeOverlay.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"

namespace {

TEST(DynamicStressComputationTest, MaximaStressesAndRankingByHand) {
  // Nodes 1-2-3: a pipe 1-2 (Z 2, SIF 1) and a bend 2-3 (Z 4, SIF 2.5).
  const std::vector<SusceptibilityElement> elements{{1, 2, 2.0, 2.0, 1.0, 1.0}, {2, 3, 4.0, 4.0, 2.5, 2.5}};
  // Mode 1 moves node 2 most; mode 2 not at all; mode 3 stresses node 3.
  const std::vector<std::vector<std::array<float, 4>>> records{
      {{0.0f, 100.0f, 0.5f, 60.0f}, {0.4f, 80.0f, 0.1f, 20.0f}},
      {{0.0f, 10.0f, 0.0f, 10.0f}, {0.0f, 10.0f, 0.0f, 10.0f}},
      {{0.0f, 0.0f, 0.01f, 0.0f}, {0.01f, 0.0f, 0.02f, 400.0f}}};
  const std::vector<float> frequencies{2.0f, 5.0f, 10.0f};
  const DynamicStressResults r = ComputeDynamicStresses(elements, records, frequencies, 4);
  ASSERT_TRUE(r.available);
  ASSERT_EQ(r.positionNode, (std::vector<int>{0, 1, 2, 3}));  // node 4 is on no pipe
  const ModeSusceptibility& one = r.modes[1];
  // Node 2: displacement max(0.5, 0.4); nominal max(60/2, 80/4); SIF
  // max(1, 2.5); intensified max(1·30, 2.5·20), each from its own element.
  EXPECT_FLOAT_EQ(one.nodes[2].displacement, 0.5f);
  EXPECT_FLOAT_EQ(one.nodes[2].nominal, 30.0f);
  EXPECT_FLOAT_EQ(one.nodes[2].sif, 2.5f);
  EXPECT_FLOAT_EQ(one.nodes[2].intensified, 50.0f);
  EXPECT_FLOAT_EQ(one.nodes[1].intensified, 50.0f);  // 100 / 2: the tie keeps the lower position
  EXPECT_EQ(one.maxDisplacement, 2);
  EXPECT_EQ(one.maxStress, 1);
  EXPECT_NEAR(one.susceptibility, 50.0 / (2.0 * 3.1415927 * 2.0 * 0.5), 1e-3);
  EXPECT_EQ(r.modes[2].susceptibility, 0.0f);  // nothing moves
  EXPECT_NEAR(r.modes[3].susceptibility, 2.5 * 400.0 / 4.0 / (2.0 * 3.1415927 * 10.0 * 0.02), 1e-2);
  EXPECT_EQ(r.order, (std::vector<int>{0, 3, 1, 2}));
  // A zero section modulus gives no stress.
  const DynamicStressResults flat = ComputeDynamicStresses({{1, 2, 0.0, 0.0, 1.0, 1.0}}, {{{1.0f, 5.0f, 1.0f, 5.0f}}}, {1.0f}, 2);
  EXPECT_EQ(flat.modes[1].nodes[1].nominal, 0.0f);
  EXPECT_TRUE(std::isfinite(flat.modes[1].susceptibility));
  EXPECT_EQ(FormatScientific(12345.678), "1.2346E+04");
  EXPECT_EQ(FormatScientific(-0.00012), "-1.2000E-04");
}

class DynamicStressesTest : public ResultsFixture {
 protected:
  void SetUp() override {
    ResultsFixture::SetUp();
    setenv("VORSTEL", "1", 1);
  }
  void TearDown() override {
    unsetenv("VORSTEL");
    ResultsFixture::TearDown();
  }
  std::string RdsPath() const { return folder_ + "/line.rds"; }
  void BuildAndAnalyse() {
    Model& model = BuildLine({1, 30});
    model.options.ModeCount = 3;
    model.options.CutOffFrequency = 1000;
    EXPECT_EQ(WriteModelFile(ModelPath()), "");
    Analyse();
  }
};

TEST_F(DynamicStressesTest, TheModalCaseWritesTheFileAndTheTablesReadIt) {
  BuildAndAnalyse();
  ASSERT_TRUE(std::filesystem::exists(RdsPath()));
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, RdsPath()));
  char header[16];
  BinaryFileReadBytes(file, header, 16);
  EXPECT_EQ(std::string(header), "QUORVELWRDS5100");
  float first[4];
  BinaryFileReadFloats(file, first, 4);  // mode 1, element 1 (the pipe 10-20)
  const std::vector<std::string> names = OpenCancelled("RESULTS10_DIALOG");
  ASSERT_TRUE(InResultsMode());
  EXPECT_NE(std::find(names.begin(), names.end(), "&Dynamic susceptibility"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "&Dynamic stresses"), names.end());
  const DynamicStressResults& dynamic = TheDynamicStresses();
  ASSERT_TRUE(dynamic.available);
  // Every element of the line is of a pipe kind (pipes and the bend's
  // pieces): 16 bytes each for each of the three modes.
  const ResultsFileContents& results = TheResults();
  EXPECT_EQ(std::filesystem::file_size(RdsPath()), 16u + 16u * static_cast<unsigned>(results.elementCount) * 3u);
  ASSERT_EQ(TheModel().nodes[results.elements[1].node1].id, 10);
  EXPECT_EQ(g_CurrentMode, dynamic.order[1]);
  OpenDynamicSusceptibilityTable();
  ResultTableWindow& ranking = Shown();
  ASSERT_EQ(ranking.rowCount, 3);
  EXPECT_GE(std::stod(ranking.CellText(1, 5, 0)), std::stod(ranking.CellText(2, 5, 0)));
  // Mode 1 in the stresses table: node 10's nominal stress is the file's
  // moment over Z = I / (D / 2) of the 4.5-inch pipe.
  g_CurrentMode = 1;
  OpenDynamicStressesTable();
  ResultTableWindow& stresses = Shown();
  const analysis_testing::SectionValues s = analysis_testing::Pipe4();
  const double Z = s.I / (analysis_testing::kOd / 2.0);
  int row10 = 0;
  for (int row = 1; row <= stresses.rowCount; ++row)
    if (stresses.CellText(row, 1, 0) == "10") row10 = row;
  ASSERT_NE(row10, 0);
  EXPECT_NEAR(std::stod(stresses.CellText(row10, 3, 0)), first[1] / Z, 1e-3 * first[1] / Z + 1e-9);
  EXPECT_EQ(stresses.HeadingText(5, 1), "Intensified Stress");
  EXPECT_EQ(stresses.HeadingText(1, 0).rfind("Susceptibility = ", 0), 0u);
  // The mode shape of this view circles the largest stress (and the
  // largest movement when it lies elsewhere).
  ResultsCommandNow(216);
  ASSERT_TRUE(ModeShapeShown());
  const ModeSusceptibility& shown = dynamic.modes[1];
  EXPECT_EQ(ShapeOverlayMarkCount(), shown.maxStress == shown.maxDisplacement ? 1u : 2u);
  ResultsCommandNow(216);
  // Right steps along the ranking and wraps.
  const int before = g_CurrentMode;
  for (int i = 0; i < 3; ++i) stresses.KeyDown(VK_RIGHT);
  EXPECT_EQ(g_CurrentMode, before);
}

TEST_F(DynamicStressesTest, TheDynamicTablesPutTheirItemsIntoTheMenusWhileCurrent) {
  BuildAndAnalyse();
  OpenCancelled("RESULTS10_DIALOG");
  ASSERT_TRUE(InResultsMode());
  const auto text = [](int id) {
    char buffer[128] = {};
    GetMenuString(ResultsFrame().menu, static_cast<UINT>(id), buffer, sizeof buffer, MF_BYCOMMAND);
    return std::string(buffer);
  };
  OpenDynamicSusceptibilityTable();
  for (const int id : {216, 221, 300}) EXPECT_TRUE(ResultsMenuHas(id)) << id;
  EXPECT_EQ(text(216), "&Show Mode Shape");
  EXPECT_EQ(text(221), "&Show animated mode shape\t Ctrl+Shift+A");
  EXPECT_EQ(text(300), "&Magnification...");
  EXPECT_FALSE(ResultsMenuHas(228));
  // The magnification is offered while a shape is shown; the View menu's
  // item switches the shape of the table's current mode.
  HMENU view = GetSubMenu(ResultsFrame().menu, 2);
  const auto magnification = [view] {
    InitResultsMenuPopup(view, 2);
    return (GetMenuState(view, 300, MF_BYCOMMAND) & MF_GRAYED) == 0;
  };
  EXPECT_FALSE(magnification());
  ResultsCommandNow(216);
  EXPECT_TRUE(ModeShapeShown());
  EXPECT_EQ(text(216), "&Hide Mode Shape");
  EXPECT_TRUE(magnification());
  OpenDynamicStressesTable();
  EXPECT_FALSE(ModeShapeShown());
  for (const int id : {216, 221, 300, 228, 229}) EXPECT_TRUE(ResultsMenuHas(id)) << id;
  EXPECT_EQ(text(228), "Next mode\tRight Arrow");
  EXPECT_EQ(text(229), "Previous mode\tLeft Arrow");
  const int before = g_CurrentMode;
  ResultsCommandNow(228);
  EXPECT_NE(g_CurrentMode, before);
  // The displacements have a deflected shape of their own and no modes to
  // step; the pipe forces neither.
  g_ResultCase = ResultCaseOfType(1);
  OpenDisplacementsTable();
  for (const int id : {228, 229}) EXPECT_FALSE(ResultsMenuHas(id)) << id;
  EXPECT_EQ(text(221), "&Show animated deflected shape\t Ctrl+Shift+A");
  OpenPipeForcesTable();
  for (const int id : {216, 221, 300, 228, 229}) EXPECT_FALSE(ResultsMenuHas(id)) << id;
}

TEST_F(DynamicStressesTest, AFileOfTheWrongLengthIsRefusedAndTheRestOfTheResultsWork) {
  BuildAndAnalyse();
  std::filesystem::resize_file(RdsPath(), std::filesystem::file_size(RdsPath()) - 4);
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND box) {
    EXPECT_EQ(LinesOfDialog(box).at(0), "Unable to read rds file");
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  const std::vector<std::string> names = OpenCancelled("RESULTS8_DIALOG");
  ASSERT_TRUE(InResultsMode());
  EXPECT_FALSE(TheDynamicStresses().available);
  EXPECT_EQ(std::find(names.begin(), names.end(), "&Dynamic stresses"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "&Frequencies"), names.end());
}

TEST_F(DynamicStressesTest, WithoutTheSwitchNoFileIsWrittenAndAnOldOneGoes) {
  std::filesystem::create_directories(folder_);
  { std::ofstream old(RdsPath()); old << "an earlier run's file"; }
  unsetenv("VORSTEL");
  BuildAndAnalyse();
  EXPECT_FALSE(std::filesystem::exists(RdsPath()));
}

}  // namespace
