// Making the model: nodes from rows, bend arc nodes at hand-computed
// positions, jacket companions, name inheritance and the node limit; the
// rules of rows that cannot be made leave the node table they had.
#include <gtest/gtest.h>

#include <cmath>

#include "elements/Bend.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "model/AnalysisElements.h"
#include "model/MakeModel.h"
#include "model/ModelBuilder.h"
#include "model/ModelRules.h"
#include "model/RowRules.h"
#include "records/PipeSection.h"

namespace {

constexpr float kTolerance = 1.0e-3f;

void ExpectAt(const Model& model, NodeId id, float x, float y, float z) {
  const int index = FindNodeIndex(model.nodes, id);
  ASSERT_NE(index, 0) << "node " << id;
  EXPECT_NEAR(model.nodes[index].x, x, kTolerance) << "node " << id;
  EXPECT_NEAR(model.nodes[index].y, y, kTolerance) << "node " << id;
  EXPECT_NEAR(model.nodes[index].z, z, kTolerance) << "node " << id;
}

Model NewModel() {
  Model model;
  InitEmptyModel(model, AnalysisOptions{});
  return model;
}

Bend& BendOf(Model& model, int row) { return dynamic_cast<Bend&>(*model.row(row).element); }

// From 10 at the origin, pipe to 20 (100, 0, 0), bend at 30 (200, 0, 0),
// pipe to 40 (200, 100, 0): a 90-degree bend of user radius 20.
struct NinetyDegreeBend {
  Model model = NewModel();
  int bendRow = 0;
  int pipeAfter = 0;
  NinetyDegreeBend() {
    AddRow(model, 10, ElementType::From);
    AddRow(model, 20, ElementType::Pipe, 100.0f);
    bendRow = AddRow(model, 30, ElementType::Bend, 100.0f);
    Bend& bend = BendOf(model, bendRow);
    bend.radiusType = kBendRadiusUser;
    bend.radius = 20.0f;
    bend.intermediateNode1 = 35;
    bend.angle1 = static_cast<float>(M_PI / 4.0);
    pipeAfter = AddRow(model, 40, ElementType::Pipe, 0.0f, 100.0f);
  }
};

TEST(MakeModel, PipesAndUserRadiusBendGiveTangentAndArcNodes) {
  NinetyDegreeBend built;
  Model& model = built.model;
  MakeModel(model);
  // T = R tan(45) = 20: A and B lie 20 from the tangent intersection.
  ExpectAt(model, 10, 0, 0, 0);
  ExpectAt(model, 20, 100, 0, 0);
  ExpectAt(model, 30, 200, 0, 0);
  ExpectAt(model, 100030, 180, 0, 0);
  ExpectAt(model, 200030, 200, 20, 0);
  ExpectAt(model, 40, 200, 100, 0);
  // The intermediate node at 45 degrees: A + R sin45 u + R (1 - cos45) v,
  // u = (1, 0, 0), v = (0, 1, 0): (180 + 14.1421, 5.8579, 0).
  ExpectAt(model, 35, 194.1421f, 5.8579f, 0);
  EXPECT_EQ(model.nodes.count, 7);

  Bend& bend = BendOf(model, built.bendRow);
  EXPECT_EQ(bend.BendGeometryValid, 1);
  EXPECT_NEAR(bend.bendAngle, M_PI / 2.0, 1.0e-5);
  // The centre lies R sqrt(2) from the intersection, on the bisector.
  EXPECT_NEAR(bend.centre[0], 180.0f, kTolerance);
  EXPECT_NEAR(bend.centre[1], 20.0f, kTolerance);
  EXPECT_EQ(NodeById(model, 30).nodeKind, kBendNode);
  EXPECT_EQ(NodeById(model, 35).nodeKind, kBendIntermediateNode);
  // The bend's straight body ends at A; the next pipe starts its run at B.
  EXPECT_EQ(model.row(built.bendRow).runEnd, FindNodeIndex(model.nodes, 100030));
  EXPECT_EQ(bend.farNode, FindNodeIndex(model.nodes, 200030));
  EXPECT_EQ(model.row(built.pipeAfter).runStart, FindNodeIndex(model.nodes, 200030));
  EXPECT_EQ(model.row(built.pipeAfter).startNode, FindNodeIndex(model.nodes, 30));
}

TEST(MakeModel, TangentLongerThanLegByOnePercentEndsAtLegButThreePercentIsInvalid) {
  for (const auto& [radius, valid] : {std::pair{101.0f, true}, std::pair{103.0f, false}}) {
    NinetyDegreeBend built;
    Model& model = built.model;
    model.row(2).node = 0;  // the first leg runs from 10 (0,0,0) to the bend at (100, 0, 0)
    model.row(3).dx = 100.0f;
    model.row(4).dy = 500.0f;
    BendOf(model, built.bendRow).radius = radius;  // 90 degrees: T = R
    BendOf(model, built.bendRow).intermediateNode1 = 0;
    MakeModel(model);
    EXPECT_EQ(BendOf(model, built.bendRow).BendGeometryValid, valid ? 1 : 0) << radius;
    if (valid) {
      ExpectAt(model, 100030, 0, 0, 0);  // T became the leg's length
      ExpectAt(model, 200030, 100, 100, 0);
    } else {
      ExpectAt(model, 100030, 100, 0, 0);  // left at the tangent intersection
      EXPECT_EQ(model.row(4).runStart, FindNodeIndex(model.nodes, 30));
    }
  }
}

TEST(MakeModel, IntermediateAngleBeyondDeflectionLeavesBendInvalidWithArcEndsPlaced) {
  NinetyDegreeBend built;
  BendOf(built.model, built.bendRow).angle1 = 2.0f;  // more than 90 degrees
  MakeModel(built.model);
  EXPECT_EQ(BendOf(built.model, built.bendRow).BendGeometryValid, 0);
  ExpectAt(built.model, 100030, 180, 0, 0);
  ExpectAt(built.model, 200030, 200, 20, 0);
}

// 4E7 in out a float coordinate moves in steps of 4 (2^25 <= 4E7 < 2^26):
// arc ends 20 from the corner lie five steps off it, short of eight (3E7,
// steps of 2, holds it). Not placed, the bend is refused by the analysis.
TEST(MakeModel, ABendTooFarFromTheOriginForItsArcIsNotPlacedAndItsOffsetIsNamed) {
  for (const float far : {3.0e7f, 4.0e7f}) {
    NinetyDegreeBend built;
    built.model.row(1).dx = far;
    MakeModel(built.model);
    const bool held = far == 3.0e7f;
    EXPECT_EQ(BendOf(built.model, built.bendRow).BendGeometryValid, held ? 1 : 0) << far;
    EXPECT_EQ(RowRuleRefusal(built.model, built.bendRow),
              held ? "" : "Row 1: DX is too large:\nso far from the origin the node coordinates cannot hold the arc of "
                          "the bend at node 30.");
    AnalysisElementList list;
    EXPECT_ANY_THROW(GenerateRowElements(built.model, list, built.bendRow));  // no material, or the bend
    EXPECT_EQ(list.invalidBendRow, held ? 0 : built.bendRow);
  }
}

TEST(MakeModel, FromLocationClosingLoopAndUntypedRows) {
  Model model = NewModel();
  AddRow(model, 10, ElementType::From, 100.0f, 5.0f, 0.0f);
  AddRow(model, 10, ElementType::From, 7.0f, 7.0f, 7.0f);  // names a known node
  AddRow(model, 20, ElementType::None, 0.0f, 0.0f, 50.0f);
  AddRow(model, 10, ElementType::Pipe, 1.0f, 2.0f, 3.0f);  // closes the loop
  const int location = AddRow(model, 20, ElementType::Location, 4.0f, 4.0f, 4.0f);
  MakeModel(model);
  ExpectAt(model, 10, 100, 5, 0);
  ExpectAt(model, 20, 100, 5, 50);
  EXPECT_EQ(model.nodes.count, 2);
  EXPECT_EQ(model.row(3).elementType, ElementType::Pipe);
  ASSERT_NE(model.row(3).element, nullptr);
  EXPECT_EQ(model.row(4).dx, 0.0f);
  EXPECT_EQ(model.row(4).dz, 0.0f);
  EXPECT_EQ(model.row(location).dx, 0.0f);
  EXPECT_EQ(model.row(location).endNode, FindNodeIndex(model.nodes, 20));
}

TEST(MakeModel, AbsoluteRowsAndRowsWithoutNode) {
  Model model = NewModel();
  AddRow(model, 10, ElementType::From, 1.0f, 1.0f, 1.0f);
  const int absolute = AddRow(model, 20, ElementType::Pipe, 50.0f, 60.0f, 70.0f);
  model.row(absolute).absolute = true;
  const int empty = AddRow(model, 0, ElementType::Valve, 9.0f, 9.0f, 9.0f);
  model.row(empty).endNode = 777;  // a stale index from a file
  MakeModel(model);
  ExpectAt(model, 20, 50, 60, 70);
  EXPECT_EQ(model.row(empty).elementType, ElementType::None);
  EXPECT_EQ(model.row(empty).dx, 0.0f);
  EXPECT_EQ(model.row(empty).endNode, 0);
}

TEST(MakeModel, NamesInheritFromEarlierRowsButNeverFromRowOne) {
  Model model = NewModel();
  const int first = AddRow(model, 10, ElementType::Pipe, 0, 0, 0);
  model.row(first).material = "A106";
  const int second = AddRow(model, 20, ElementType::Pipe, 10.0f);
  const int third = AddRow(model, 30, ElementType::Pipe, 10.0f);
  model.row(third).section = "S1";
  const int fourth = AddRow(model, 40, ElementType::Valve, 10.0f);
  const int beam = AddRow(model, 50, ElementType::Beam, 10.0f);
  const int fifth = AddRow(model, 60, ElementType::Pipe, 10.0f);
  MakeModel(model);
  EXPECT_EQ(model.row(second).material, "");  // row 1 is never a source
  EXPECT_EQ(model.row(fourth).section, "S1");
  EXPECT_EQ(model.row(beam).section, "");  // a beam names beam tables only
  EXPECT_EQ(model.row(fifth).section, "S1");
}

TEST(MakeModel, JacketedPipeGetsCompanionNodesAtBothEnds) {
  Model model = NewModel();
  AddRow(model, 10, ElementType::From);
  const int jacketed = AddRow(model, 20, ElementType::JacketedPipe, 0.0f, 0.0f, 30.0f);
  MakeModel(model);
  auto& pipe = dynamic_cast<JacketedPipe&>(*model.row(jacketed).element);
  EXPECT_EQ(pipe.jacketStartNode, FindNodeIndex(model.nodes, 500010));
  EXPECT_EQ(pipe.jacketEndNode, FindNodeIndex(model.nodes, 500020));
  ExpectAt(model, 500010, 0, 0, 0);
  ExpectAt(model, 500020, 0, 0, 30);
}

TEST(MakeModel, LongRadiusBendTakesItsSectionsRadiusEveryTime) {
  NinetyDegreeBend built;
  Model& model = built.model;
  const int section = AppendSection(model.sections, PipeSection{});
  model.sections[section].name = "S8";
  model.sections[section].outsideDiameter = 8.625f;
  model.row(2).section = "S8";
  Bend& bend = BendOf(model, built.bendRow);
  bend.radiusType = kBendRadiusLong;
  bend.radius = 3.0f;
  bend.intermediateNode1 = 0;
  MakeModel(model);
  EXPECT_EQ(bend.BendGeometryValid, 1);
  // A size no standard row lists takes 1.5 x O.D. for a long radius.
  EXPECT_NEAR(bend.radius, 1.5f * 8.625f, 1.0e-4);
}

// Every row with a node ends at the first node of its id, as a search of
// the node table finds it: rows naming a node made before (a From row, a
// loop closed, a Location row, a bend's arc node), bends with their arc
// and intermediate nodes, jackets with their companions, a Location row at
// a node no row makes, comment rows and rows without a node; and again
// when the model is made a second time.
TEST(MakeModel, EveryRowEndsAtTheFirstNodeOfItsId) {
  Model model = NewModel();
  AddRow(model, 10, ElementType::From, 5.0f, 0.0f, 0.0f);
  AddRow(model, 20, ElementType::Pipe, 100.0f);
  const int bend = AddRow(model, 30, ElementType::Bend, 100.0f);
  BendOf(model, bend).radiusType = kBendRadiusUser;
  BendOf(model, bend).radius = 20.0f;
  BendOf(model, bend).intermediateNode1 = 35;
  BendOf(model, bend).angle1 = 0.5f;
  AddRow(model, 40, ElementType::Pipe, 0.0f, 100.0f);
  AddRow(model, 0, ElementType::Pipe, 0.0f, 0.0f, 10.0f);  // no node
  AddRow(model, 50, ElementType::JacketedPipe, 0.0f, 0.0f, 50.0f);
  const int jacketBend = AddRow(model, 60, ElementType::JacketedBend, 0.0f, 0.0f, 50.0f);
  dynamic_cast<JacketedBend&>(*model.row(jacketBend).element).radius = 15.0f;
  AddRow(model, 70, ElementType::JacketedPipe, 50.0f);
  AddRow(model, 20, ElementType::From);
  AddRow(model, 10, ElementType::Pipe, 0.0f, 0.0f, 0.0f);  // closes a loop
  const int arcNode = AddRow(model, 200030, ElementType::Location);  // the bend's far arc node
  const int nowhere = AddRow(model, 99, ElementType::Location);      // made by no row
  AddRow(model, 80, ElementType::Comment);
  AddRow(model, 40, ElementType::From);
  AddRow(model, 90, ElementType::Pipe, 30.0f);
  for (int pass = 1; pass <= 2; ++pass) {
    MakeModel(model);
    ASSERT_GT(model.nodes.count, 15) << pass;
    for (int number = 1; number <= model.rowCount; ++number) {
      const LayoutRow& row = model.row(number);
      if (row.node == 0) continue;
      EXPECT_EQ(row.endNode, FindNodeIndex(model.nodes, row.node)) << "row " << number << ", pass " << pass;
    }
    EXPECT_EQ(model.row(nowhere).endNode, 0);
    EXPECT_EQ(model.row(arcNode).endNode, FindNodeIndex(model.nodes, 200030));
    EXPECT_NE(model.row(arcNode).endNode, 0);
  }
}

TEST(MakeModel, MoreThanTheNodeLimitIsRefusedWithAMessage) {
  Model model = NewModel();
  AddRow(model, 1, ElementType::From);
  // Each bend row makes three nodes: 3400 bends need more than 9990.
  for (int number = 2; number <= 3401; ++number)
    AddRow(model, number, ElementType::Bend, 10.0f, (number % 2) ? 10.0f : 0.0f);
  try {
    MakeModel(model);
    FAIL() << "no message";
  } catch (const std::string& message) {
    EXPECT_EQ(message, NodeLimitMessage());
    EXPECT_FALSE(message.empty());
  }
}

// Rows that cannot be made (a coordinate past the largest the picture
// holds) break the one rule of their making; asking so leaves the node
// table the model had, from which the edit's road puts the model back.
TEST(ModelRules, AskingTheRulesOfAModelThatCannotBeMadeLeavesItsNodeTable) {
  Model model = NewModel();
  AddRow(model, 10, ElementType::From);
  const int pipe = AddRow(model, 20, ElementType::Pipe, 100.0f);
  MakeModel(model);
  model.row(pipe).dx = 3.0e38f;
  const std::vector<BrokenRule> broken = BrokenRowRules(model);
  ASSERT_EQ(broken.size(), 1u);
  EXPECT_EQ(broken[0].kind, "made");
  EXPECT_EQ(broken[0].message, "Row 2: DX is too large:\nthe picture of the model made from it would not be finite.");
  ASSERT_EQ(model.nodes.count, 2);
  ExpectAt(model, 20, 100.0f, 0.0f, 0.0f);
}

}  // namespace

namespace {

TEST(MakeModel, JacketedBendPlacesTheJacketsArcFromItsOwnRadius) {
  Model model = NewModel();
  AddRow(model, 10, ElementType::From);
  AddRow(model, 20, ElementType::JacketedPipe, 100.0f);
  const int bendRow = AddRow(model, 30, ElementType::JacketedBend, 100.0f);
  auto& bend = dynamic_cast<JacketedBend&>(*model.row(bendRow).element);
  bend.radiusType = kBendRadiusUser;
  bend.radius = 20.0f;
  bend.jacketRadiusType = kBendRadiusUser;
  bend.jacketRadius = 30.0f;
  const int after = AddRow(model, 40, ElementType::JacketedPipe, 0.0f, 100.0f);
  MakeModel(model);
  EXPECT_EQ(bend.BendGeometryValid, 1);
  // Pipe arc: T = 20; jacket arc: T' = 30 tan(45) = 30.
  ExpectAt(model, 100030, 180, 0, 0);
  ExpectAt(model, 200030, 200, 20, 0);
  ExpectAt(model, 300030, 170, 0, 0);
  ExpectAt(model, 400030, 200, 30, 0);
  EXPECT_NEAR(bend.jacketCentre[0], 170.0f, kTolerance);
  EXPECT_NEAR(bend.jacketCentre[1], 30.0f, kTolerance);
  EXPECT_EQ(bend.jacketStartNode, FindNodeIndex(model.nodes, 500020));
  auto& pipe = dynamic_cast<JacketedPipe&>(*model.row(after).element);
  EXPECT_EQ(pipe.jacketStartNode, FindNodeIndex(model.nodes, 400030));
  EXPECT_EQ(pipe.jacketEndNode, FindNodeIndex(model.nodes, 500040));
  EXPECT_EQ(model.row(after).runStart, FindNodeIndex(model.nodes, 200030));
}

}  // namespace

#include "model/ModelGeometry.h"
#include "supports/Hanger.h"

namespace {

TEST(PipeDirection, ArcEndsFollowTheTangentsAndAHangersConnectedNodePointsDown) {
  NinetyDegreeBend built;
  Model& model = built.model;
  const int hangerRow = AddRow(model, 50, ElementType::Pipe, 0.0f, 50.0f);
  PutItem(model, hangerRow, DataType::Hanger);
  dynamic_cast<Hanger&>(*model.row(hangerRow).item).connectedNode = 35;
  MakeModel(model);
  Vector3 direction;
  EXPECT_EQ(PipeDirectionAtNode(model, FindNodeIndex(model.nodes, 100030), direction, false), 0);
  EXPECT_NEAR(direction[0], 1.0f, 1.0e-6);  // from A to the bend's node
  EXPECT_EQ(PipeDirectionAtNode(model, FindNodeIndex(model.nodes, 200030), direction, false), 0);
  EXPECT_NEAR(direction[1], 1.0f, 1.0e-6);  // from the bend's node to B
  // Node 35 lies on the arc: no element ends there, but a hanger names it.
  EXPECT_EQ(PipeDirectionAtNode(model, FindNodeIndex(model.nodes, 35), direction, true), 0);
  EXPECT_NEAR(direction[1], -1.0f, 1.0e-6);
  // Otherwise a point on the arc takes the arc's tangent: 45 degrees round
  // from +X to +Y, (1, 1, 0) / sqrt 2.
  EXPECT_EQ(PipeDirectionAtNode(model, FindNodeIndex(model.nodes, 35), direction, false), 0);
  EXPECT_NEAR(direction[0], std::sqrt(0.5f), 1.0e-6);
  EXPECT_NEAR(direction[1], std::sqrt(0.5f), 1.0e-6);
  EXPECT_NEAR(direction[2], 0.0f, 1.0e-6);
}

}  // namespace
