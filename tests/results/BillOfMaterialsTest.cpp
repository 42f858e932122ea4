// The bill of materials against weights worked by hand (A106 B, 0.2836
// lb/in3; the metal of a pipe is pi/4 (OD^2 - ID^2) per inch): a 6 in
// sch 40 line of three 120 in legs with two 90 degree bends of radius 9 in,
// then 4 in sch 40 over 100 in and 6 in sch 80 over 60 in; grouping of like
// valves and reducers; the text page and the CSV rows as written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

#include "elements/Bend.h"
#include "elements/Reducer.h"
#include "elements/Valve.h"
#include "graphics/GraphicsTesting.h"
#include "model/AnalysisElements.h"
#include "model/LayoutRow.h"
#include "model/SymbolFrames.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Types.h"
#include "printing/ReportOutput.h"
#include "records/DrawingGeometry.h"
#include "results/BillOfMaterials.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/TempFiles.h"
#include "services/ViewRequests.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class BillOfMaterialsTest : public GraphicsFixture {
 protected:
  void SetUp() override {
    GraphicsFixture::SetUp();
    folder_ = fs::path(TempFolder()) / "bill-of-materials";
    fs::create_directories(folder_);
    Model& model = TheModel();
    Material a106;
    a106.name = "A106";
    a106.description = "A106 B";
    a106.density = 0.2836f;
    a106.jointFactor = 1.0f;
    a106.numtemps = 1;
    a106.temps.resize(2);
    a106.temps[1].values = {70.0f, 2.9e7f, 0.0f, 2.0e4f, 3.5e4f, 6.0e4f, 0.0f, 0.0f};
    AppendMaterial(model.materials, a106);
    AddSection("S6", 6.625f, 0.280f);
    AddSection("S4", 4.5f, 0.237f);
    AddSection("S6X", 6.625f, 0.432f);
    PipeLoad load;
    InitPipeLoad(load, 70.0f);
    load.name = "L1";
    AppendPipeLoad(model.pipeLoads, load);
  }
  void TearDown() override {
    g_ReportToFile = false;
    g_ReportFileOpen = false;
    fs::remove_all(folder_);
    GraphicsFixture::TearDown();
  }
  static void AddSection(const char* name, float od, float thk) {
    PipeSection section;
    InitSection(section);
    section.name = name;
    section.outsideDiameter = od;
    section.thickness = thk;
    AppendSection(TheModel().sections, section);
  }
  static int Row(NodeId node, ElementType type, float dx, float dy, float dz, const char* section) {
    Model& model = TheModel();
    const int number = AddRow(model, node, type, dx, dy, dz);
    LayoutRow& row = model.row(number);
    row.material = "A106";
    row.section = section;
    row.load = "L1";
    if (auto* bend = dynamic_cast<Bend*>(row.element.get())) {
      bend->radiusType = kBendRadiusUser;
      bend->radius = 9.0f;
    }
    return number;
  }
  // The line of the issue: three 120 in legs of 6 in sch 40 turning at two
  // bends, then 4 in sch 40 and 6 in sch 80.
  static void BuildLine() {
    Model& model = TheModel();
    AddRow(model, 10, ElementType::From);
    Row(20, ElementType::Bend, 120.0f, 0.0f, 0.0f, "S6");
    Row(30, ElementType::Bend, 0.0f, 120.0f, 0.0f, "S6");
    Row(40, ElementType::Pipe, 0.0f, 0.0f, 120.0f, "S6");
    Row(50, ElementType::Pipe, 0.0f, 0.0f, 100.0f, "S4");
    Row(60, ElementType::Pipe, 0.0f, 0.0f, 60.0f, "S6X");
  }
  static BomLists Lists() {
    MakeModel(TheModel());
    GenerateAnalysisElements(TheModel(), TheAnalysisElements());
    return BuildBomLists(TheModel(), TheAnalysisElements());
  }
  fs::path folder_;
};

TEST_F(BillOfMaterialsTest, PipesAndBendsWeighWhatTheHandCalculationGives) {
  BuildLine();
  const BomLists lists = Lists();
  const Model& model = TheModel();
  // Sorted by material, OD, thickness.
  ASSERT_EQ(lists.pipes.size(), 3u);
  EXPECT_FLOAT_EQ(lists.pipes[0].od, 4.5f);
  EXPECT_NEAR(lists.pipes[0].length, 100.0f, 1e-3f);
  EXPECT_NEAR(BomPipeWeight(model, lists.pipes[0]), 90.02, 0.01);
  // Each bend end takes R tan 45 = 9 in off its leg: 360 - 4 x 9.
  EXPECT_FLOAT_EQ(lists.pipes[1].thk, 0.280f);
  EXPECT_NEAR(lists.pipes[1].length, 324.0f, 1e-3f);
  EXPECT_NEAR(BomPipeWeight(model, lists.pipes[1]), 512.85, 0.01);
  EXPECT_FLOAT_EQ(lists.pipes[2].thk, 0.432f);
  EXPECT_NEAR(lists.pipes[2].length, 60.0f, 1e-3f);
  EXPECT_NEAR(BomPipeWeight(model, lists.pipes[2]), 143.02, 0.01);
  // Both bends alike: one entry of two, pi/2 x 9 in of arc each.
  ASSERT_EQ(lists.bends.size(), 1u);
  EXPECT_EQ(lists.bends[0].count, 2);
  EXPECT_NEAR(lists.bends[0].angle, std::numbers::pi / 2.0, 1e-5);
  EXPECT_NEAR(BomBendWeight(model, lists.bends[0]), 44.75, 0.0005 * 44.75);
  EXPECT_TRUE(lists.valves.empty());
  EXPECT_TRUE(lists.reducers.empty());
  // Itemized: every element with its empty weight; the arcs' lengths.
  double empty = 0.0;
  for (const BomItem& item : lists.items) empty += item.empty;
  EXPECT_NEAR(empty, 90.02 + 512.85 + 143.02 + 44.75, 0.1);
}

TEST_F(BillOfMaterialsTest, LikeValvesCountTogetherAndAReducerListsItsLargerEndFirst) {
  Model& model = TheModel();
  AddRow(model, 10, ElementType::From);
  Row(20, ElementType::Pipe, 50.0f, 0.0f, 0.0f, "S4");
  for (NodeId node : {30, 50}) {
    const int row = Row(node, ElementType::Valve, 18.0f, 0.0f, 0.0f, "S4");
    auto& valve = static_cast<Valve&>(*model.row(row).element);
    valve.weight = 250.0f;
    valve.additionalWeight = 40.0f;
    if (node == 30) Row(40, ElementType::Pipe, 20.0f, 0.0f, 0.0f, "S4");
  }
  // Small end first: 4.5 x 0.237 at the start, 6.625 x 0.280 at the end.
  const int reducer = Row(60, ElementType::Reducer, 8.0f, 0.0f, 0.0f, "S4");
  auto& cone = static_cast<Reducer&>(*model.row(reducer).element);
  cone.od1 = 4.5f;
  cone.thk1 = 0.237f;
  cone.od2 = 6.625f;
  cone.thk2 = 0.280f;
  const BomLists lists = Lists();
  ASSERT_EQ(lists.valves.size(), 1u);
  EXPECT_EQ(lists.valves[0].count, 2);
  EXPECT_DOUBLE_EQ(BomValveWeight(lists.valves[0]), 2 * (250.0 + 40.0));
  ASSERT_EQ(lists.reducers.size(), 1u);
  EXPECT_FLOAT_EQ(lists.reducers[0].od1, 6.625f);
  EXPECT_FLOAT_EQ(lists.reducers[0].thk1, 0.280f);
  EXPECT_FLOAT_EQ(lists.reducers[0].od2, 4.5f);
  // Mean radius (6.625 + 4.5) / 4, mean wall 0.2585, over 8 in.
  const double r = (6.625 + 4.5) / 4.0, t = (0.280 + 0.237) / 2.0;
  EXPECT_NEAR(BomReducerWeight(model, lists.reducers[0]),
              std::numbers::pi * (r * r - (r - t) * (r - t)) * 0.2836 * 8.0, 1e-3);
  // The pipe of 4.5 in and the valve's 36 in of pipe on either side: one entry.
  ASSERT_EQ(lists.pipes.size(), 1u);
  EXPECT_NEAR(lists.pipes[0].length, 70.0f, 1e-3f);
}

TEST_F(BillOfMaterialsTest, TheTextPageListsEachKindAndCsvAddsTheItemizedWeights) {
  BuildLine();
  MakeModel(TheModel());
  const fs::path text = folder_ / "bom.txt";
  ASSERT_TRUE(ReportOpenFile(nullptr, text.string()));
  PrintBillOfMaterials();
  ASSERT_TRUE(ReportCloseFile());
  const std::string page = ReadAll(text);
  EXPECT_NE(page.find("Bill of Materials"), std::string::npos);
  for (const char* heading : {"    Materials\n", "    Pipes\n", "    Bends\n",
                              "    Material      OD       Thk     Total length    Total weight\n"})
    EXPECT_NE(page.find(heading), std::string::npos) << heading;
  EXPECT_NE(page.find("       A106     A106 B\n"), std::string::npos) << page;
  // Lengths in feet and inches, weights in pounds, at their columns.
  EXPECT_NE(page.find("       A106     4.5        0.237      8'4\"            90.016\n"), std::string::npos);
  EXPECT_NE(page.find("       A106     6.625      0.28       27'0\"           512.85\n"), std::string::npos);
  EXPECT_NE(page.find("       A106     6.625      0.432      5'0\"            143.02\n"), std::string::npos);
  EXPECT_NE(page.find("       A106     6.625      0.28     9         90.00     2        44.755\n"), std::string::npos);
  EXPECT_EQ(page.find("Valves"), std::string::npos);  // none in the model: no list
  EXPECT_EQ(page.find("Itemized"), std::string::npos);
  const fs::path csv = folder_ / "bom.csv";
  ASSERT_TRUE(ReportOpenFile(nullptr, csv.string()));
  PrintBillOfMaterials();
  ASSERT_TRUE(ReportCloseFile());
  const std::string rows = ReadAll(csv);
  EXPECT_NE(rows.find("Bill of materials,\r\n"), std::string::npos) << rows;
  EXPECT_NE(rows.find("Material,OD,Thk,Total length,Total weight,\r\n,(inch),(inch),\"(ft'in\"\")\",(lb),\r\n"
                      "A106,4.5,0.237,\"8'4\"\"\",90.016,\r\n"),
            std::string::npos);
  EXPECT_NE(rows.find("A106,6.625,0.28,9,90.00,2,44.755,\r\n"), std::string::npos) << rows;
  EXPECT_NE(rows.find("Itemized Element Weights,\r\n"), std::string::npos);
  // An arc of 9 in x pi/2 and its metal; the last pipe of 60 in.
  EXPECT_NE(rows.find("20A,20B,Bend,14.137,6.625,0.28,0.2836,,,,,,22.377,,,,,\r\n"), std::string::npos);
  EXPECT_NE(rows.find("50,60,,60,6.625,0.432,0.2836,,,,,,143.02,,,,,\r\n"), std::string::npos);
  EXPECT_NE(rows.find("From,To,Type,Length,OD,Thk,Mat.Den"), std::string::npos);
  EXPECT_EQ(rows.find("Valves"), std::string::npos);
}

}  // namespace
