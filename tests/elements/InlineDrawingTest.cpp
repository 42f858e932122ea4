// The in-line kinds in the graphics window, through the program: each
// kind's symbol where its geometry puts it, in lines and rendered, in its
// own colour, and a click on the symbol opening the kind's dialog for its
// row.
#include <gtest/gtest.h>

#include <cstdlib>

#include "editing/LayoutTable.h"
#include "elements/Bellows.h"
#include "elements/ConcentratedMass.h"
#include "elements/ElasticElement.h"
#include "elements/HingeJoint.h"
#include "elements/JacketedPipe.h"
#include "elements/Reducer.h"
#include "elements/Valve.h"
#include "graphics/GraphicsTesting.h"
#include "model/DrawingColours.h"
#include "model/SymbolFrames.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"

namespace {

class InlineDrawingTest : public GraphicsFixture {
 protected:
  // From 10, a pipe of 100 in along X, the row of `type` 60 in further,
  // a pipe 100 in on; seen along Z in a 400 by 300 picture.
  void ShowLine(ElementType type, const std::function<void(Model&)>& prepare = nullptr) {
    Model& model = TheModel();
    PlantModelBuilder::AddPlantProperties(model);
    AddRows({{10, ElementType::From, 0, 0, ""}, {20, ElementType::Pipe, 100, 0, "S8"}, {30, type, 60, 0, ""},
             {40, ElementType::Pipe, 100, 0, "S8"}});
    if (prepare) prepare(model);
    model.graphics.viewDirection = {0.0f, 0.0f, 1.0f};
    ShowModel();
    SizeClient(400, 300);
    Command(131);
    // Fitted to the line: no symbol reaches far beyond its row.
    EXPECT_GT(At(320.0f, 0.0f).x - At(0.0f, 0.0f).x, 250);
  }
  // A joint at node 30 between two 20 in pipes, seen along Z: near enough
  // that its symbol spans tens of pixels.
  void ShowJoint(ElementType type, const std::function<void(Model&)>& prepare = nullptr) {
    Model& model = TheModel();
    PlantModelBuilder::AddPlantProperties(model);
    AddRows({{10, ElementType::From, 0, 0, ""}, {20, ElementType::Pipe, 20, 0, "S8"}, {30, type, 0, 0, ""},
             {40, ElementType::Pipe, 20, 0, "S8"}});
    if (prepare) prepare(model);
    model.graphics.viewDirection = {0.0f, 0.0f, 1.0f};
    ShowModel();
    SizeClient(400, 300);
    Command(131);
    EXPECT_GT(At(40.0f, 0.0f).x - At(0.0f, 0.0f).x, 250);
  }
  // A data item of `type` at node 20, between two 20 in pipes, seen along Z.
  void ShowItem(DataType type, const std::function<void(Model&)>& prepare = nullptr) {
    Model& model = TheModel();
    PlantModelBuilder::AddPlantProperties(model);
    AddRows({{10, ElementType::From, 0, 0, ""}, {20, ElementType::Pipe, 20, 0, "S8"},
             {30, ElementType::Pipe, 20, 0, "S8"}});
    SetDataType(model, 2, type);
    if (prepare) prepare(model);
    model.graphics.viewDirection = {0.0f, 0.0f, 1.0f};
    ShowModel();
    SizeClient(400, 300);
    Command(131);
  }
  static POINT At(float x, float y, float z = 0.0f) { return PixelOf(x, y, z); }
  static int CountNear(POINT at, int reach, const std::function<bool(COLORREF)>& test) {
    int count = 0;
    for (int dy = -reach; dy <= reach; ++dy)
      for (int dx = -reach; dx <= reach; ++dx) count += test(Pixel(at.x + dx, at.y + dy)) ? 1 : 0;
    return count;
  }
  static bool Is(COLORREF colour, COLORREF c) { return c == colour; }
  // The pixels of the picture's column through (x, 0) that pass `test`, 40 either side.
  static int ColumnCount(float x, const std::function<bool(COLORREF)>& test) {
    const POINT p = At(x, 0.0f);
    int count = 0;
    for (int dy = -40; dy <= 40; ++dy) count += test(Pixel(p.x, p.y + dy)) ? 1 : 0;
    return count;
  }

  // A lit solid of the valve's brown: red well above green above blue.
  static bool IsBrown(COLORREF c) { return GetRValue(c) > GetGValue(c) + 25 && GetGValue(c) > GetBValue(c) + 10; }
  // A click at `at` answered by `templateName`'s Cancel; the row is then current.
  static void ClickOpens(POINT at, const char* templateName, int row) {
    platform::ExpectModal(platform::ModalKind::Dialog, templateName,
                          [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
    platform::AdvanceClock(GetDoubleClickTime() + 1);
    Click(at.x, at.y);
    platform::CheckModalScript();
    EXPECT_EQ(TheModel().currentRow, row) << templateName;
  }
  static void Keep(const std::string& name) {
    if (const char* folder = std::getenv("QUORVEL_KEEP_PICTURES"))
      platform::WriteWindowPng(Frame(), std::string(folder) + "/" + name + ".png");
  }
};

TEST_F(InlineDrawingTest, AValveIsABowTieInLinesAndABodyWithAWheelRendered) {
  ShowLine(ElementType::Valve, [](Model& model) {
    model.row(3).section = "S8";
    auto& valve = static_cast<Valve&>(*model.row(3).element);
    valve.additionalWeight = 50.0f;
    valve.dy = -40.0f;
  });
  const COLORREF element = CurrentDrawingStyle().element;
  const float r = 8.625f / 2.0f;
  // The bow tie: the two bases across the pipe at the valve's ends, the
  // apexes meeting at its centre.
  EXPECT_GT(CountNear(At(100.0f, r * 0.8f), 1, [&](COLORREF c) { return c == element; }), 0);
  EXPECT_GT(CountNear(At(160.0f, -r * 0.8f), 1, [&](COLORREF c) { return c == element; }), 0);
  EXPECT_GT(CountNear(At(130.0f, 0.0f), 1, [&](COLORREF c) { return c == element; }), 0);
  // The weight's line down to its box 40 in below the centre.
  EXPECT_GT(CountNear(At(130.0f, -20.0f), 1, [&](COLORREF c) { return c == element; }), 0);
  Keep("inline-valve-lines");
  ClickOpens(At(101.0f, r * 0.5f), "VALVE_DIALOG", 3);

  Command(130);
  ASSERT_TRUE(RenderMode());
  Keep("inline-valve-rendered");
  EXPECT_TRUE(IsBrown(Pixel(At(130.0f, 0.0f).x, At(130.0f, 0.0f).y)));
  // The stem runs to the additional weight.
  EXPECT_GT(CountNear(At(130.0f, -25.0f), 2, IsBrown), 0);
  EXPECT_GT(CountNear(At(130.0f, -40.0f), 4, IsBrown), 0);
  TableGoTo(TheLayoutTable(), 1);
  ClickOpens(At(130.0f, 0.0f), "VALVE_DIALOG", 3);
}

TEST_F(InlineDrawingTest, AReducerIsATrapezoidInLinesAndAConeRendered) {
  ShowLine(ElementType::Reducer, [](Model& model) {
    auto& reducer = static_cast<Reducer&>(*model.row(3).element);
    reducer.od1 = 12.75f;
    reducer.thk1 = 0.375f;
    reducer.od2 = 8.625f;
    reducer.thk2 = 0.375f;
  });
  const COLORREF element = CurrentDrawingStyle().element;
  auto isElement = [element](COLORREF c) { return c == element; };
  // The wide end at the start node, the narrow one at the end node.
  EXPECT_GT(CountNear(At(100.0f, 12.75f / 2.0f * 0.7f), 1, isElement), 0);
  EXPECT_GT(CountNear(At(160.0f, 8.625f / 2.0f * 0.7f), 1, isElement), 0);
  EXPECT_GT(CountNear(At(130.0f, (12.75f + 8.625f) / 4.0f), 1, isElement), 0);
  EXPECT_EQ(CountNear(At(160.0f, 12.75f / 2.0f), 0, isElement), 0);
  Keep("inline-reducer-lines");
  ClickOpens(At(110.0f, 2.0f), "REDUCER_DIALOG", 3);
  Command(130);
  ASSERT_TRUE(RenderMode());
  Keep("inline-reducer-rendered");
  // The cone is wider than the pipe after it near its start.
  EXPECT_TRUE(IsGrey(Pixel(At(102.0f, 5.6f).x, At(102.0f, 5.6f).y)));
  EXPECT_FALSE(IsGrey(Pixel(At(158.0f, 5.6f).x, At(158.0f, 5.6f).y)));
}

TEST_F(InlineDrawingTest, ARigidElementIsANarrowBoxInLinesAndAnOchreBoxRendered) {
  ShowLine(ElementType::Rigid, [](Model& model) { model.row(3).section = "S8"; });
  const COLORREF element = CurrentDrawingStyle().element;
  // Hollow, its sides 3 pixels off the span.
  const POINT middle = At(130.0f, 0.0f);
  EXPECT_NE(Pixel(middle.x, middle.y), element);
  EXPECT_EQ(Pixel(middle.x, middle.y - 3), element);
  EXPECT_EQ(Pixel(middle.x, middle.y + 3), element);
  Keep("inline-rigid-lines");
  ClickOpens(At(130.0f, 0.0f), "RIGID_DIALOG", 3);
  Command(130);
  ASSERT_TRUE(RenderMode());
  Keep("inline-rigid-rendered");
  // The box is wider than the pipe: ochre above the pipe's edge.
  const POINT above = At(130.0f, 8.625f / 2.0f + 0.5f);
  const COLORREF c = Pixel(above.x, above.y);
  EXPECT_TRUE(GetRValue(c) > GetGValue(c) + 20 && GetGValue(c) > GetBValue(c) + 20) << std::hex << c;
}

TEST_F(InlineDrawingTest, AnElasticElementIsASpringInLinesAndABlueBoxRendered) {
  ShowLine(ElementType::Elastic, [](Model& model) {
    auto& elastic = static_cast<ElasticElement&>(*model.row(3).element);
    elastic.localX[0] = 1.0f;
    elastic.localY[1] = 1.0f;
  });
  const COLORREF element = CurrentDrawingStyle().element;
  // Straight near its ends, zigzag off the span in its middle.
  EXPECT_EQ(Pixel(At(105.0f, 0.0f).x, At(105.0f, 0.0f).y), element);
  int off = 0;
  for (float x = 120.0f; x <= 140.0f; x += 1.0f) {
    const POINT p = At(x, 0.0f);
    off += CountNear({p.x, p.y - 3}, 0, [element](COLORREF c) { return c == element; }) +
           CountNear({p.x, p.y + 3}, 0, [element](COLORREF c) { return c == element; });
  }
  EXPECT_GT(off, 2);
  Keep("inline-elastic-lines");
  ClickOpens(At(130.0f, 0.0f), "ELASTIC_DIALOG", 3);
  Keep("inline-elastic-clicked");
  Command(130);
  ASSERT_TRUE(RenderMode());
  Keep("inline-elastic-rendered");
  const COLORREF c = Pixel(At(130.0f, 1.0f).x, At(130.0f, 1.0f).y);
  EXPECT_TRUE(GetBValue(c) > GetRValue(c) + 30 && GetBValue(c) > GetGValue(c) + 30) << std::hex << c;
}

TEST_F(InlineDrawingTest, AJacketedPipeShowsItsCoreThroughItsJacketAndItsConnections) {
  ShowLine(ElementType::JacketedPipe, [](Model& model) {
    model.row(3).section = "S8";
    auto& pipe = static_cast<JacketedPipe&>(*model.row(3).element);
    pipe.jacketMaterial = "CS";
    pipe.jacketSection = "S12";
    pipe.jacketLoad = "L1";
    PutItem(model, 3, DataType::Spider);
    AddRow(model, 20, ElementType::Location);
    PutItem(model, 5, DataType::JacketEndCap);
    model.graphics.show[kShowJacketConnections] = 1;
  });
  const COLORREF support = CurrentDrawingStyle().support;
  // The end cap's line across the pipe at 20.
  EXPECT_GT(CountNear(At(100.0f, 3.0f), 1, [support](COLORREF c) { return c == support; }), 0);
  // The spider's spokes across the core at 30.
  EXPECT_GT(CountNear(At(160.0f, -1.5f), 1, [support](COLORREF c) { return c == support; }), 0);
  // The jacket's side lines 3 pixels off its line.
  const COLORREF element = CurrentDrawingStyle().element;
  const POINT middle = At(130.0f, 0.0f);
  EXPECT_GT(CountNear({middle.x, middle.y - 3}, 0, [element](COLORREF c) { return c == element; }), 0);
  EXPECT_GT(CountNear({middle.x, middle.y + 3}, 0, [element](COLORREF c) { return c == element; }), 0);
  EXPECT_EQ(CountNear({middle.x, middle.y + 6}, 0, [element](COLORREF c) { return c == element; }), 0);
  Keep("inline-jacket-lines");
  ClickOpens(At(130.0f, 0.0f), "JPIPE_DIALOG", 3);
  Command(130);
  ASSERT_TRUE(RenderMode());
  Keep("inline-jacket-rendered");
  // Within the jacket's 12.75 in, beyond the 8.625 in core: the jacket's
  // blue-grey over the white background.
  const POINT jacket = At(130.0f, 5.5f);
  const COLORREF c = Pixel(jacket.x, jacket.y);
  EXPECT_TRUE(GetBValue(c) > GetRValue(c) + 20) << std::hex << c;
  // The core shows through it, darker.
  const COLORREF through = Pixel(At(130.0f, 0.0f).x, At(130.0f, 0.0f).y);
  EXPECT_LT(GetRValue(through) + GetGValue(through), GetRValue(c) + GetGValue(c));
}

}  // namespace

TEST_F(InlineDrawingTest, ABellowsIsABarredRectangleInLinesAndOrangeConvolutionsRendered) {
  ShowLine(ElementType::Bellows, [](Model& model) { model.row(3).section = "S8"; });
  const COLORREF element = CurrentDrawingStyle().element;
  auto isElement = [element](COLORREF c) { return c == element; };
  const float r = 8.625f / 2.0f;
  // The long sides at the section's radius, the bars across at 115, 130, 145.
  EXPECT_GT(CountNear(At(122.0f, r), 1, isElement), 0);
  EXPECT_GT(CountNear(At(122.0f, -r), 1, isElement), 0);
  for (const float x : {115.0f, 130.0f, 145.0f}) EXPECT_GT(CountNear(At(x, r * 0.5f), 1, isElement), 0) << x;
  // Between the bars the inside is empty.
  EXPECT_EQ(CountNear(At(122.5f, r * 0.5f), 1, isElement), 0);
  Keep("inline-bellows-lines");
  ClickOpens(At(122.0f, 1.0f), "BELLOWS_DIALOG", 3);
  Command(130);
  ASSERT_TRUE(RenderMode());
  Keep("inline-bellows-rendered");
  // Orange, and wider than the pipe: the crests stand out beyond its radius.
  EXPECT_TRUE(IsOrange(Pixel(At(130.0f, 0.0f).x, At(130.0f, 0.0f).y)));
  int widest = 0;
  for (float x = 101.0f; x <= 159.0f; x += 0.5f) widest = std::max(widest, ColumnCount(x, IsOrange));
  EXPECT_GT(widest, ColumnCount(80.0f, IsGrey));
  EXPECT_EQ(ColumnCount(80.0f, IsOrange), 0);
  TableGoTo(TheLayoutTable(), 1);
  ClickOpens(At(130.0f, r * 1.1f), "BELLOWS_DIALOG", 3);
}

TEST(BellowsConvolutions, LengthOverHalfTheRadiusWholeAndAtLeastOne) {
  // 60 in of 8.625 OD: 60 / 2.156 = 27.8, so 27.
  EXPECT_EQ(BellowsConvolutionCount(60.0f, 8.625f / 2.0f), 27);
  EXPECT_EQ(BellowsConvolutionCount(1.0f, 4.0f), 1);
  EXPECT_EQ(BellowsConvolutionCount(0.0f, 4.0f), 1);
  EXPECT_EQ(BellowsConvolutionCount(10.0f, 0.0f), 1);
  EXPECT_EQ(BellowsConvolutionCount(1.0e6f, 0.01f), 500);
}

TEST_F(InlineDrawingTest, ATieRodIsALineInLinesAndAThinOrangeRodRendered) {
  ShowLine(ElementType::TieRod);
  const COLORREF element = CurrentDrawingStyle().element;
  auto isElement = [element](COLORREF c) { return c == element; };
  EXPECT_GT(CountNear(At(130.0f, 0.0f), 0, isElement), 0);
  EXPECT_EQ(CountNear(At(130.0f, 3.0f), 1, isElement), 0);
  Keep("inline-tierod-lines");
  // Picked within the symbol size (the pipe's radius carried on from the
  // row before) of the line, not beyond: no dialog opens.
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(At(130.0f, 6.5f).x, At(130.0f, 6.5f).y);
  ClickOpens(At(130.0f, 3.0f), "TIE_ROD_DIALOG", 3);
  Command(130);
  ASSERT_TRUE(RenderMode());
  Keep("inline-tierod-rendered");
  // Orange, half as wide as the pipe.
  const int rodWidth = ColumnCount(130.0f, IsOrange), pipeWidth = ColumnCount(80.0f, IsGrey);
  EXPECT_GT(rodWidth, 0);
  EXPECT_LT(rodWidth, pipeWidth * 3 / 4);
  TableGoTo(TheLayoutTable(), 1);
  ClickOpens(At(130.0f, 1.0f), "TIE_ROD_DIALOG", 3);
}

TEST_F(InlineDrawingTest, ASlipJointIsATwiceBarredRectangleInLinesAndASleeveWithGlandsRendered) {
  ShowLine(ElementType::SlipJoint);
  const COLORREF element = CurrentDrawingStyle().element;
  auto isElement = [element](COLORREF c) { return c == element; };
  const float r = 8.625f / 2.0f;
  EXPECT_GT(CountNear(At(122.0f, r), 1, isElement), 0);
  EXPECT_GT(CountNear(At(122.0f, -r), 1, isElement), 0);
  for (const float x : {115.0f, 145.0f}) EXPECT_GT(CountNear(At(x, r * 0.5f), 1, isElement), 0) << x;
  EXPECT_EQ(CountNear(At(130.0f, r * 0.5f), 1, isElement), 0);
  Keep("inline-slip-lines");
  ClickOpens(At(130.0f, r * 0.5f), "SLIP_DIALOG", 3);
  Command(130);
  ASSERT_TRUE(RenderMode());
  Keep("inline-slip-rendered");
  // The sleeve is wider than the pipe, the glands wider still.
  const int sleeve = ColumnCount(130.0f, IsOrange);
  EXPECT_GT(sleeve, ColumnCount(80.0f, IsGrey));
  EXPECT_GT(ColumnCount(108.0f, IsOrange), sleeve);
  EXPECT_GT(ColumnCount(152.0f, IsOrange), sleeve);
  TableGoTo(TheLayoutTable(), 1);
  ClickOpens(At(130.0f, 0.0f), "SLIP_DIALOG", 3);
}

TEST_F(InlineDrawingTest, ABallJointIsACircleInLinesAndAnOrangeSphereRendered) {
  ShowJoint(ElementType::BallJoint);
  const COLORREF element = CurrentDrawingStyle().element;
  auto isElement = [element](COLORREF c) { return c == element; };
  // Half again the pipe's radius.
  const float r = 1.5f * 8.625f / 2.0f;
  EXPECT_GT(CountNear(At(20.0f, r), 1, isElement), 0);
  EXPECT_GT(CountNear(At(20.0f, -r), 1, isElement), 0);
  EXPECT_EQ(CountNear(At(20.0f, r * 0.55f), 1, isElement), 0);
  EXPECT_EQ(CountNear(At(20.0f, r * 1.5f), 1, isElement), 0);
  Keep("inline-ball-lines");
  ClickOpens(At(20.0f, r * 0.7f), "BALL_DIALOG", 3);
  Command(130);
  ASSERT_TRUE(RenderMode());
  Keep("inline-ball-rendered");
  // Orange beyond the pipe, on which it sits.
  EXPECT_TRUE(IsOrange(Pixel(At(20.0f, r * 0.8f).x, At(20.0f, r * 0.8f).y)));
  EXPECT_TRUE(IsOrange(Pixel(At(20.0f, -r * 0.8f).x, At(20.0f, -r * 0.8f).y)));
  auto isSolid = [](COLORREF c) { return IsOrange(c) || IsGrey(c); };
  EXPECT_GT(ColumnCount(20.0f, isSolid), ColumnCount(10.0f, IsGrey));
  EXPECT_EQ(ColumnCount(10.0f, IsOrange), 0);
  TableGoTo(TheLayoutTable(), 1);
  ClickOpens(At(20.0f, r * 0.8f), "BALL_DIALOG", 3);
}

TEST_F(InlineDrawingTest, AHingeJointIsTwoCirclesInLinesAndASphereOnItsAxisRendered) {
  ShowJoint(ElementType::HingeJoint, [](Model& model) {
    auto& hinge = static_cast<HingeJoint&>(*model.row(3).element);
    hinge.axis[1] = 2.0f;  // not a unit vector: the drawing makes it one
  });
  const COLORREF element = CurrentDrawingStyle().element;
  auto isElement = [element](COLORREF c) { return c == element; };
  const float r = 1.5f * 8.625f / 2.0f;
  for (const float y : {r, -r, r / 2.0f, -r / 2.0f}) EXPECT_GT(CountNear(At(20.0f, y), 1, isElement), 0) << y;
  EXPECT_EQ(CountNear(At(20.0f, r * 0.75f), 0, isElement), 0);
  Keep("inline-hinge-lines");
  ClickOpens(At(20.0f, r * 0.75f), "HINGE_DIALOG", 3);
  Command(130);
  ASSERT_TRUE(RenderMode());
  Keep("inline-hinge-rendered");
  EXPECT_TRUE(IsOrange(Pixel(At(20.0f + r * 0.5f, r * 0.75f).x, At(20.0f + r * 0.5f, r * 0.75f).y)));
  // The teal rod runs along Y beyond the sphere, to 1.5 radii, no further.
  auto isTeal = [](COLORREF c) { return GetGValue(c) > GetRValue(c) + 40 && GetBValue(c) > GetRValue(c) + 40; };
  const POINT onRod = At(20.0f, r * 1.3f);
  EXPECT_TRUE(isTeal(Pixel(onRod.x, onRod.y)));
  EXPECT_GT(CountNear(At(20.0f, -r * 1.3f), 1, isTeal), 0);
  EXPECT_EQ(CountNear(At(20.0f, r * 1.8f), 1, isTeal), 0);
  // The rod alone picks the hinge.
  TableGoTo(TheLayoutTable(), 1);
  ClickOpens(onRod, "HINGE_DIALOG", 3);
}

TEST_F(InlineDrawingTest, AFlangeIsItsTwoFacesInLinesAndTwoGreenDiscsRendered) {
  ShowItem(DataType::Flange);
  const COLORREF support = CurrentDrawingStyle().support;
  auto isItem = [support](COLORREF c) { return c == support; };
  // R = 1.75 times the pipe's radius; the faces a quarter of R either side of the node.
  const float r = 1.75f * 8.625f / 2.0f, face = 0.25f * r;
  for (const float x : {20.0f - face, 20.0f + face})
    for (const float y : {r * 0.8f, -r * 0.8f}) EXPECT_GT(CountNear(At(x, y), 1, isItem), 0) << x << " " << y;
  EXPECT_EQ(CountNear(At(20.0f, r * 0.8f), 1, isItem), 0);
  EXPECT_EQ(CountNear(At(20.0f - face, r * 1.2f), 1, isItem), 0);
  Keep("inline-flange-lines");
  ClickOpens(At(20.0f, r * 0.8f), "FLANGE_DIALOG", 2);
  Command(130);
  ASSERT_TRUE(RenderMode());
  Keep("inline-flange-rendered");
  auto isGreen = [](COLORREF c) { return GetGValue(c) > GetRValue(c) + 30 && GetGValue(c) > GetBValue(c) + 30; };
  EXPECT_TRUE(isGreen(Pixel(At(20.0f - face * 0.5f, r * 0.8f).x, At(20.0f - face * 0.5f, r * 0.8f).y)));
  EXPECT_TRUE(isGreen(Pixel(At(20.0f + face * 0.5f, -r * 0.8f).x, At(20.0f + face * 0.5f, -r * 0.8f).y)));
  EXPECT_EQ(CountNear(At(20.0f, r * 1.15f), 1, isGreen), 0);
  EXPECT_EQ(CountNear(At(20.0f - face * 1.5f, r * 0.8f), 1, isGreen), 0);
  TableGoTo(TheLayoutTable(), 1);
  ClickOpens(At(20.0f + face * 0.5f, r * 0.8f), "FLANGE_DIALOG", 2);
}

TEST_F(InlineDrawingTest, AConcentratedMassIsACrossedSquareOnItsOffsetAndAPlumSphereOnARodRendered) {
  ShowItem(DataType::ConcentratedMass, [](Model& model) {
    auto& mass = static_cast<ConcentratedMass&>(*model.row(2).item);
    mass.weight = 500.0f;
    mass.dy = -25.0f;
  });
  const COLORREF support = CurrentDrawingStyle().support;
  auto isItem = [support](COLORREF c) { return c == support; };
  // The line from the node down to the centre of gravity, the square there.
  EXPECT_GT(CountNear(At(20.0f, -12.0f), 1, isItem), 0);
  EXPECT_GT(CountNear(At(20.0f, -25.0f), 6, isItem), 0);
  EXPECT_EQ(CountNear(At(24.0f, -12.0f), 1, isItem), 0);
  Keep("inline-cmass-lines");
  ClickOpens(At(20.0f, -25.0f), "CMASS_DIALOG", 2);
  Command(130);
  ASSERT_TRUE(RenderMode());
  Keep("inline-cmass-rendered");
  auto isPlum = [](COLORREF c) { return GetRValue(c) > GetGValue(c) + 40 && GetBValue(c) > GetGValue(c) + 10; };
  const float r = 1.75f * 8.625f / 2.0f;
  // The sphere at the centre of gravity; the rod, a fifth of its radius, above it.
  EXPECT_TRUE(isPlum(Pixel(At(20.0f + r * 0.7f, -25.0f).x, At(20.0f + r * 0.7f, -25.0f).y)));
  EXPECT_TRUE(isPlum(Pixel(At(20.0f, -12.0f).x, At(20.0f, -12.0f).y)));
  EXPECT_FALSE(isPlum(Pixel(At(20.0f + r * 0.4f, -12.0f).x, At(20.0f + r * 0.4f, -12.0f).y)));
  TableGoTo(TheLayoutTable(), 1);
  ClickOpens(At(20.0f, -12.0f), "CMASS_DIALOG", 2);
}

TEST_F(InlineDrawingTest, HiddenFlangesAndMassesDrawNothingAndCannotBePicked) {
  ShowItem(DataType::Flange, [](Model& model) {
    model.graphics.show[kShowFlanges] = 0;
    SetDataType(model, 3, DataType::ConcentratedMass);
    static_cast<ConcentratedMass&>(*model.row(3).item).dy = -15.0f;
    model.graphics.show[kShowConcentratedMasses] = 0;
  });
  const COLORREF support = CurrentDrawingStyle().support;
  auto isItem = [support](COLORREF c) { return c == support; };
  const float r = 1.75f * 8.625f / 2.0f;
  EXPECT_EQ(CountNear(At(20.0f - 0.25f * r, r * 0.8f), 2, isItem), 0);
  EXPECT_EQ(CountNear(At(40.0f, -15.0f), 6, isItem), 0);
  // Clicks there open no dialog.
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(At(20.0f, r * 0.8f).x, At(20.0f, r * 0.8f).y);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(At(40.0f, -15.0f).x, At(40.0f, -15.0f).y);
}
