// The expansion-joint kinds and the flange and mass items in a real X window
// on a private Xvfb server: a line through a bellows, a slip joint, a tie
// rod, a hinge joint and a ball joint, with a flange pair and an offset
// concentrated mass, in lines and rendered. What the server shows must be
// what the layer drew, pixel for pixel; the pictures are kept in the build
// folder (x11-joint-symbols-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "elements/ConcentratedMass.h"
#include "elements/HingeJoint.h"
#include "graphics/GraphicsTesting.h"
#include "graphics/PlantModel.h"
#include "model/DrawingColours.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "records/GraphicsSettings.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class JointSymbolsX11Test : public OnXvfb<GraphicsFixture> {
 protected:
  // From 10 along X, 8-inch pipe between the kinds; seen from above and aside.
  void ShowJointLine() {
    Model& model = TheModel();
    PlantModelBuilder::AddPlantProperties(model);
    struct Line {
      NodeId node;
      ElementType type;
      float dx;
    };
    const Line rows[] = {
        {10, ElementType::From, 0},       {20, ElementType::Pipe, 40},      {30, ElementType::Bellows, 20},
        {40, ElementType::Pipe, 40},      {50, ElementType::SlipJoint, 24}, {60, ElementType::Pipe, 40},
        {70, ElementType::TieRod, 30},    {80, ElementType::Pipe, 40},      {90, ElementType::HingeJoint, 0},
        {100, ElementType::Pipe, 40},     {110, ElementType::BallJoint, 0}, {120, ElementType::Pipe, 40},
    };
    for (const Line& line : rows) {
      const int row = AddRow(model, line.node, line.type, line.dx, 0.0f, 0.0f);
      model.row(row).material = "CS";
      model.row(row).section = "S8";
      model.row(row).load = "L1";
    }
    PutItem(model, 1, DataType::Anchor);
    PutItem(model, 12, DataType::Anchor);
    static_cast<HingeJoint&>(*model.row(9).element).axis[2] = 1.0f;
    PutItem(model, 2, DataType::Flange);
    PutItem(model, 4, DataType::ConcentratedMass);
    static_cast<ConcentratedMass&>(*model.row(4).item).dz = -30.0f;
    model.graphics.viewDirection = {1.0f, 0.6f, 1.4f};
    ShowModel();
    ShowWindow(LayoutFrame().window, SW_HIDE);
    SetWindowPos(Frame(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SizeClient(900, 620);
    Command(131);
  }
  void ExpectOnScreen(const std::string& name) {
    platform::RunUntilIdle();
    EXPECT_EQ(
        CompareWindowWithScreen(display_, Frame(), std::string(QUORVEL_BINARY_DIR) + "/x11-joint-symbols-" + name), 0)
        << name;
  }
  template <typename Test>
  static int Count(Test test) {
    RECT client{};
    GetClientRect(Painting(), &client);
    int count = 0;
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x) count += test(Pixel(x, y)) ? 1 : 0;
    return count;
  }
};

TEST_F(JointSymbolsX11Test, EveryJointKindFlangeAndMassIsDrawnInLinesAndRendered) {
  ShowJointLine();
  // The flange's faces and the mass's line and square in the items' colour,
  // beside the two anchors.
  const COLORREF support = CurrentDrawingStyle().support;
  EXPECT_GT(Count([support](COLORREF c) { return c == support; }), 40);
  ExpectOnScreen("lines");
  Command(130);
  ASSERT_TRUE(RenderMode());
  // Orange joints, the hinge's teal axis, the flange's green discs, the plum mass.
  EXPECT_GT(Count([](COLORREF c) { return GetRValue(c) > GetGValue(c) + 40 && GetGValue(c) > GetBValue(c) + 40; }),
            300);
  EXPECT_GT(Count([](COLORREF c) { return GetGValue(c) > GetRValue(c) + 40 && GetBValue(c) > GetRValue(c) + 40; }),
            10);
  auto isGreen = [](COLORREF c) { return GetGValue(c) > GetRValue(c) + 30 && GetGValue(c) > GetBValue(c) + 30; };
  auto isPlum = [](COLORREF c) { return GetRValue(c) > GetGValue(c) + 40 && GetBValue(c) > GetGValue(c) + 10; };
  EXPECT_GT(Count(isGreen), 30);
  EXPECT_GT(Count(isPlum), 50);
  ExpectOnScreen("rendered");
  // Their show switches off: the flange and the mass go, the joints stay.
  TheModel().graphics.show[kShowFlanges] = 0;
  TheModel().graphics.show[kShowConcentratedMasses] = 0;
  RequestGraphicsRedraw();
  platform::RunUntilIdle();
  EXPECT_EQ(Count(isGreen), 0);
  EXPECT_EQ(Count(isPlum), 0);
  EXPECT_GT(Count([](COLORREF c) { return GetRValue(c) > GetGValue(c) + 40 && GetGValue(c) > GetBValue(c) + 40; }),
            300);
}

}  // namespace
