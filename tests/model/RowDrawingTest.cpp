// The model side of the drawing: the radii that size symbols, the kind
// switches of the node-number filter, which nodes get numbers, the record
// that colours a row, and the copy of the model the graphics thread draws.
#include <gtest/gtest.h>

#include "editing/DrawnModel.h"
#include "elements/Bend.h"
#include "model/GraphicsState.h"
#include "model/MakeModel.h"
#include "model/ModelBuilder.h"
#include "model/NodeDrawing.h"
#include "model/RowDrawing.h"
#include "records/BeamSection.h"
#include "supports/Anchor.h"

namespace {

class RowDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEmptyModel(model, AnalysisOptions{});
    AddTestProperties(model);  // S4: 4.5 in outside
    g_SymbolScale = 1.0f;
    g_RenderedMode = false;
  }
  void TearDown() override { g_SymbolScale = 1.0f; }

  int Pipe(NodeId node, float dx, const char* section = "S4") {
    const int row = AddRow(model, node, ElementType::Pipe, dx, 0.0f, 0.0f);
    model.row(row).material = "CS";
    model.row(row).section = section;
    model.row(row).load = "L1";
    return row;
  }

  Model model;
};

TEST_F(RowDrawingTest, RadiiFollowTheSectionsTheNextElementAndTheSymbolScale) {
  AddRow(model, 10, ElementType::From);
  const int pipe = Pipe(20, 50.0f);
  const int hinge = AddRow(model, 30, ElementType::HingeJoint);
  const int location = AddRow(model, 20, ElementType::Location);
  const int next = Pipe(40, 50.0f);
  BeamSection beam;
  InitBeamSection(beam);
  beam.name = "W10";
  beam.depth = 10.0f;
  beam.width = 6.0f;
  AppendBeamSection(model.beamSections, beam);
  BeamSection thin = beam;
  thin.name = "B1";
  thin.depth = thin.width = 0.0f;
  thin.A = 4.0f;
  AppendBeamSection(model.beamSections, thin);
  const int beamRow = AddRow(model, 50, ElementType::Beam, 0.0f, 40.0f);
  model.row(beamRow).section = "W10";
  const int thinRow = AddRow(model, 60, ElementType::Beam, 0.0f, 40.0f);
  model.row(thinRow).section = "B1";
  MakeModel(model);

  EXPECT_FLOAT_EQ(SectionOuterRadius(model, pipe), 2.25f);
  EXPECT_FLOAT_EQ(SectionOuterRadius(model, beamRow), 5.0f);  // half the larger dimension
  EXPECT_FLOAT_EQ(SectionOuterRadius(model, thinRow), 1.0f);  // the root of the area
  EXPECT_FLOAT_EQ(PipeRadiusAtRow(model, pipe), 2.25f);
  // A hinge takes the radius of the element after it; a Location that of the
  // row that made its node.
  EXPECT_FLOAT_EQ(PipeRadiusAtRow(model, hinge), 2.25f);
  EXPECT_FLOAT_EQ(PipeRadiusAtRow(model, location), 2.25f);
  EXPECT_FLOAT_EQ(PipeRadiusAtNode(model, 20), 2.25f);
  EXPECT_FLOAT_EQ(PipeRadiusAtNode(model, 999), 6.0f);  // no such node: the default
  g_SymbolScale = 1.5f;
  EXPECT_FLOAT_EQ(PipeRadiusAtRow(model, next), 2.25f * 1.5f);
  EXPECT_FLOAT_EQ(PipeRadiusAtNode(model, 999), 9.0f);
  EXPECT_EQ(PipeRadiusAtRow(model, 99), 0.0f);
}

TEST_F(RowDrawingTest, NodeNumbersGoToTheNodesOfTheKindsSwitchedOn) {
  AddRow(model, 10, ElementType::From);
  const int anchored = Pipe(20, 50.0f);
  PutItem(model, anchored, DataType::Anchor);
  const int valve = AddRow(model, 30, ElementType::Valve, 50.0f);
  AddRow(model, 40, ElementType::Pipe, 0.0f, 50.0f);
  MakeModel(model);
  const int pipeNode = FindNodeIndex(model.nodes, 20);
  const int valveNode = FindNodeIndex(model.nodes, 30);
  const int endNode = FindNodeIndex(model.nodes, 40);
  NodeRecord derived = model.nodes[pipeNode];
  derived.id = 100020;  // a bend's arc end, say
  const int arcNode = AppendNode(model.nodes, derived);

  EXPECT_FALSE(NodeLabelVisible(model, pipeNode));  // numbers are off
  model.graphics.show[kShowNodeNumbers] = 1;
  EXPECT_TRUE(NodeLabelVisible(model, pipeNode));   // at every node
  EXPECT_FALSE(NodeLabelVisible(model, arcNode));   // derived nodes never
  model.graphics.numbersAtAllNodes = 0;
  EXPECT_FALSE(NodeLabelVisible(model, pipeNode));
  model.graphics.numberKinds[kNumberAnchors] = 1;
  EXPECT_TRUE(NodeLabelVisible(model, pipeNode));
  EXPECT_FALSE(NodeLabelVisible(model, valveNode));
  EXPECT_FALSE(NodeLabelVisible(model, endNode));
  model.graphics.numberKinds[kNumberValves] = 1;
  EXPECT_TRUE(NodeLabelVisible(model, valveNode));
  EXPECT_TRUE(RowKindShown(model, valve));
  // The release switch counts an anchor with a release even when anchors
  // are off.
  model.graphics.numberKinds[kNumberAnchors] = 0;
  EXPECT_FALSE(RowKindShown(model, anchored));
  model.graphics.numberKinds[kNumberAnchorReleases] = 1;
  EXPECT_FALSE(RowKindShown(model, anchored));
  dynamic_cast<Anchor*>(model.row(anchored).item.get())->releases[2] = 1;
  EXPECT_TRUE(RowKindShown(model, anchored));
  // The render-mode switch decides in render mode.
  g_RenderedMode = true;
  EXPECT_FALSE(NodeLabelVisible(model, valveNode));
  model.graphics.showNodeNumbersGl = 1;
  EXPECT_TRUE(NodeLabelVisible(model, valveNode));
  g_RenderedMode = false;
}

TEST_F(RowDrawingTest, TheColouringRecordFollowsTheListShownAndTheGravityGrouping) {
  AddRow(model, 10, ElementType::From);
  const int row = Pipe(20, 50.0f);
  for (const char* name : {"L2", "L3"}) {
    PipeLoad load;
    InitPipeLoad(load, 70.0f);
    load.name = name;
    AppendPipeLoad(model.pipeLoads, load);
  }
  model.pipeLoads[2].specificGravity = 1.0f;
  model.pipeLoads[3].specificGravity = 1.0f;
  model.row(row).load = "L3";
  EXPECT_EQ(RowPropertyColourNumber(model, row), 0);  // no property list shown
  model.listName = "&Sections";
  EXPECT_EQ(RowPropertyColourNumber(model, row), 1);
  model.listName = "&Loads";
  EXPECT_EQ(RowPropertyColourNumber(model, row), 3);
  g_GroupBySpecificGravity = true;
  EXPECT_EQ(RowPropertyColourNumber(model, row), 2);  // the first load of that gravity
  g_GroupBySpecificGravity = false;
  model.row(row).load = "XX";
  EXPECT_EQ(RowPropertyColourNumber(model, row), 0);
}

TEST_F(RowDrawingTest, TheDrawnCopyKeepsWhatMakingTheModelComputed) {
  AddRow(model, 10, ElementType::From);
  Pipe(20, 50.0f);
  const int bend = AddRow(model, 30, ElementType::Bend, 50.0f);
  auto& input = dynamic_cast<Bend&>(*model.row(bend).element);
  input.radiusType = kBendRadiusUser;
  input.radius = 10.0f;
  Pipe(40, 0.0f);
  model.row(4).dy = 50.0f;
  PutItem(model, 2, DataType::Anchor);
  model.listName = "&Materials";
  MakeModel(model);
  const auto& made = dynamic_cast<const Bend&>(*model.row(bend).element);
  ASSERT_TRUE(made.BendGeometryValid);

  Model copy;
  CopyModelForDrawing(model, copy);
  ASSERT_EQ(copy.rowCount, model.rowCount);
  EXPECT_EQ(copy.nodes.count, model.nodes.count);
  EXPECT_EQ(copy.listName, "&Materials");
  EXPECT_EQ(copy.sections.count, model.sections.count);
  const auto& copied = dynamic_cast<const Bend&>(*copy.row(bend).element);
  EXPECT_EQ(copied.BendGeometryValid, made.BendGeometryValid);
  EXPECT_EQ(copied.farNode, made.farNode);
  EXPECT_EQ(copied.bendAngle, made.bendAngle);
  EXPECT_EQ(copy.row(4).runStart, model.row(4).runStart);
  EXPECT_NE(copy.row(2).item.get(), model.row(2).item.get());  // objects of its own
  EXPECT_EQ(copy.row(2).dataType, DataType::Anchor);
}

}  // namespace
