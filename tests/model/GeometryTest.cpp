// Local axes of horizontal and vertical pipes, node distances, the pipe
// direction at a node, and the row operations that change kinds.
#include <gtest/gtest.h>

#include <cmath>

#include "elements/Bend.h"
#include "model/MakeModel.h"
#include "model/ModelBuilder.h"
#include "model/ModelGeometry.h"
#include "model/RowOperations.h"

namespace {

constexpr float kTolerance = 1.0e-6f;

void ExpectVector(const Vector3& actual, float x, float y, float z) {
  EXPECT_NEAR(actual[0], x, kTolerance);
  EXPECT_NEAR(actual[1], y, kTolerance);
  EXPECT_NEAR(actual[2], z, kTolerance);
}

Model PipeModel(float dx, float dy, float dz) {
  Model model;
  InitEmptyModel(model, AnalysisOptions{});
  AddRow(model, 10, ElementType::From);
  AddRow(model, 20, ElementType::Pipe, dx, dy, dz);
  MakeModel(model);
  return model;
}

TEST(LocalAxes, HorizontalPipeAlongXWithYVertical) {
  Model model = PipeModel(50.0f, 0.0f, 0.0f);
  LocalFrame frame;
  SetAxisFromNodes(frame, model.nodes, 1, 2, false);
  ExpectVector(frame.x, 1, 0, 0);
  ExpectVector(frame.y, 0, 1, 0);  // upwards in the vertical plane through x
  ExpectVector(frame.z, 0, 0, 1);  // x cross y
}

TEST(LocalAxes, HorizontalPipeAlongZWithYVertical) {
  Model model = PipeModel(0.0f, 0.0f, -30.0f);
  LocalFrame frame;
  SetAxisFromNodes(frame, model.nodes, 1, 2, false);
  ExpectVector(frame.x, 0, 0, -1);
  ExpectVector(frame.y, 0, 1, 0);
  ExpectVector(frame.z, 1, 0, 0);  // (0,0,-1) x (0,1,0)
}

TEST(LocalAxes, VerticalPipeTakesMinusXAsLocalY) {
  Model model = PipeModel(0.0f, 40.0f, 0.0f);
  LocalFrame frame;
  SetAxisFromNodes(frame, model.nodes, 1, 2, false);
  ExpectVector(frame.x, 0, 1, 0);
  ExpectVector(frame.y, -1, 0, 0);
  ExpectVector(frame.z, 0, 0, 1);  // (0,1,0) x (-1,0,0)
}

TEST(LocalAxes, ZVerticalHorizontalAndVerticalPipes) {
  LocalFrame frame;
  frame.x = {1.0f, 0.0f, 0.0f};
  BuildLocalFrame(frame, true);
  ExpectVector(frame.z, 0, 0, 1);
  ExpectVector(frame.y, 0, 1, 0);  // z cross x
  frame.x = {0.0f, 0.0f, 1.0f};
  BuildLocalFrame(frame, true);
  ExpectVector(frame.z, -1, 0, 0);
  ExpectVector(frame.y, 0, 1, 0);  // (-1,0,0) x (0,0,1)
}

TEST(LocalAxes, SlightlyTiltedElementUsesTheGeneralFormula) {
  // Horizontal part 0.0006 of the length: above the 0.0005 tolerance.
  LocalFrame frame;
  const float h = 0.0006f;
  frame.x = {h, std::sqrt(1.0f - h * h), 0.0f};
  BuildLocalFrame(frame, false);
  // y = (-x1 x2 / h, h, -x3 x2 / h) = (-x2, h, 0)
  EXPECT_NEAR(frame.y[0], -frame.x[1], 1.0e-6);
  EXPECT_NEAR(frame.y[1], h, 1.0e-6);
}

TEST(ModelGeometry, NodeDistanceIsZeroForIndexZero) {
  Model model = PipeModel(3.0f, 4.0f, 0.0f);
  EXPECT_FLOAT_EQ(NodeDistance(model.nodes, 1, 2), 5.0f);
  EXPECT_EQ(NodeDistance(model.nodes, 0, 2), 0.0f);
  EXPECT_EQ(NodeDistance(model.nodes, 1, 0), 0.0f);
}

TEST(ModelGeometry, PipeDirectionAtEndsAndReversed) {
  Model model = PipeModel(0.0f, 0.0f, 20.0f);
  Vector3 direction;
  EXPECT_EQ(PipeDirectionAtNode(model, 2, direction, false), 0);
  ExpectVector(direction, 0, 0, 1);
  EXPECT_EQ(PipeDirectionAtNode(model, 2, direction, true), 0);
  ExpectVector(direction, 0, 0, -1);
  EXPECT_EQ(PipeDirectionAtNode(model, 0, direction, false), -1);
  ExpectVector(direction, 1, 0, 0);
}

TEST(RowOperations, NewBendCopiesThePreviousBendButNeverFromRowOne) {
  Model model;
  InitEmptyModel(model, AnalysisOptions{});
  AddRow(model, 10, ElementType::Bend);
  auto& first = dynamic_cast<Bend&>(*model.row(1).element);
  first.radius = 99.0f;
  AddRow(model, 20, ElementType::Pipe, 10.0f);
  const int hangerRow = AddRow(model, 30, ElementType::Pipe, 10.0f);
  PutItem(model, hangerRow, DataType::Hanger);
  auto* made = dynamic_cast<Bend*>(SetElementType(model, hangerRow, ElementType::Bend));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->radius, Bend().radius);  // row 1 is not a source
  EXPECT_EQ(model.row(hangerRow).dataType, DataType::None);  // a bend carries no item
  EXPECT_EQ(model.row(hangerRow).item, nullptr);
  EXPECT_TRUE(model.modified);

  made->radiusType = kBendRadiusUser;
  made->radius = 12.5f;
  made->thickness = 0.5f;
  made->material = "M2";
  made->flexibilityFactor = 3.0f;
  made->angle1 = 1.0f;
  const int fourth = AddRow(model, 40, ElementType::Pipe, 10.0f);
  auto* copied = dynamic_cast<Bend*>(SetElementType(model, fourth, ElementType::Bend));
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(copied->radiusType, kBendRadiusUser);
  EXPECT_EQ(copied->radius, 12.5f);
  EXPECT_EQ(copied->thickness, 0.5f);
  EXPECT_EQ(copied->material, "M2");
  EXPECT_EQ(copied->flexibilityFactor, 3.0f);
  EXPECT_EQ(copied->angle1, 0.0f);  // nothing else is copied
}

TEST(RowOperations, PreviousAndNextElementRows) {
  Model model;
  InitEmptyModel(model, AnalysisOptions{});
  AddRow(model, 10, ElementType::From);
  const int comment = AddRow(model, 0, ElementType::Comment);
  AddRow(model, 20, ElementType::Pipe, 5.0f);
  AddRow(model, 20, ElementType::Location);
  AddRow(model, 30, ElementType::Rigid, 5.0f);
  MakeModel(model);
  EXPECT_EQ(PreviousElementRow(model, 1), 0);
  EXPECT_EQ(PreviousElementRow(model, 3), 1);
  EXPECT_EQ(PreviousElementRow(model, 5), 3);  // Location rows are skipped
  EXPECT_EQ(PreviousElementRow(model, comment), 0);
  EXPECT_EQ(NextElementRow(model, 3), 5);
  EXPECT_EQ(NextElementRow(model, 5), 0);
  EXPECT_TRUE(IsRowAtRunEnd(model, 3));  // the next element is rigid
  EXPECT_TRUE(IsRowAtRunEnd(model, 5));  // the last row
}

}  // namespace

namespace {

TEST(ModelGeometry, BendArcFrameOfAQuarterBend) {
  // The 90-degree arc from A (180, 0, 0) to B (200, 20, 0) about C (180, 20, 0).
  NodeTable nodes;
  NodeRecord a;
  a.id = 100030;
  a.x = 180.0f;
  NodeRecord b;
  b.id = 200030;
  b.x = 200.0f;
  b.y = 20.0f;
  AppendNode(nodes, a);
  AppendNode(nodes, b);
  const float centre[3] = {180.0f, 20.0f, 0.0f};
  LocalFrame frame;
  const float angle = BendArcGeometry(frame, nodes, 1, 2, centre, 20.0f);
  EXPECT_NEAR(angle, M_PI / 2.0, 1.0e-6);
  ExpectVector(frame.y, 0, 1, 0);   // towards the centre
  // w = (C - B) / R = (-1, 0, 0); z = y x w = (0, 0, 1), normal to the plane.
  ExpectVector(frame.z, 0, 0, 1);
  ExpectVector(frame.x, 1, 0, 0);  // y x z: the tangent at A, along the first leg
}

}  // namespace
