// Guides, limit stops, snubbers, skewed restraints and generic supports in
// the graphics window, through the program: in lines the guide's rails on
// both sides of the pipe, a +Y stop's mark under the pipe (and over it for
// an upper limit), the snubber's dash-pot and the skewed restraint's spring
// under the pipe, the generic support's square round the node, a line to a
// connected node, a ring for a direction that points at the viewer; none
// while their kind is hidden; rendered, each in its colour (rust, blue,
// orange) where its solid stands, grey while stresses colour the picture;
// and a click on any symbol, in lines or rendered, making its row current
// with its dialog.
#include <gtest/gtest.h>

#include <cmath>

#include "graphics/GraphicsTesting.h"
#include "model/DrawingColours.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "records/GraphicsSettings.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class NonlinearSupportSymbolsTest : public GraphicsFixture {
 protected:
  static constexpr int kGuideRow = 2, kStopRow = 3, kSnubberRow = 4, kSkewedRow = 5, kGenericRow = 6;

  // From 10 at the origin, pipes of 8 in along X every 50 in to 20 (a
  // guide), 30 (a +Y stop, lower limit 0), 40 (a +Y snubber), 50 (a +Y
  // skewed restraint) and 60 (a generic support); seen along Z, 600 pixels
  // wide.
  void ShowSupports() {
    Model& model = TheModel();
    PlantModelBuilder::AddPlantProperties(model);
    AddRows({{10, ElementType::From, 0, 0, ""},
             {20, ElementType::Pipe, 50, 0, "S8"},
             {30, ElementType::Pipe, 50, 0, "S8"},
             {40, ElementType::Pipe, 50, 0, "S8"},
             {50, ElementType::Pipe, 50, 0, "S8"},
             {60, ElementType::Pipe, 50, 0, "S8"}});
    PutItem(model, kGuideRow, DataType::Guide);
    PutItem(model, kStopRow, DataType::LimitStop);
    auto& stop = Item<LimitStop>(kStopRow);
    stop.lowerLimit = 0.0f;
    stop.dirY = 1.0f;
    PutItem(model, kSnubberRow, DataType::Snubber);
    Item<Snubber>(kSnubberRow).dirY = 1.0f;
    PutItem(model, kSkewedRow, DataType::SkewedRestraint);
    Item<SkewedRestraint>(kSkewedRow).dirY = 1.0f;
    Item<SkewedRestraint>(kSkewedRow).stiffness = 1.0e12f;
    PutItem(model, kGenericRow, DataType::GenericSupport);
    model.graphics.viewDirection = {0.0f, 0.0f, 1.0f};
    ShowModel();
    SizeClient(600, 300);
    Command(131);
  }
  template <typename Kind>
  static Kind& Item(int row) {
    return dynamic_cast<Kind&>(*TheModel().row(row).item);
  }
  static void Redraw() {
    RequestGraphicsRedraw();
    platform::RunUntilIdle();
  }
  static COLORREF At(float x, float y, int dx = 0, int dy = 0) {
    const POINT p = PixelOf(x, y, 0.0f);
    return Pixel(p.x + dx, p.y + dy);
  }
  // Pixels of the support pen in the box (dx0..dx1, dy0..dy1) round a
  // model point, pixels to the right and down.
  static int SupportPixels(float x, float y, int dx0, int dx1, int dy0, int dy1) {
    const COLORREF support = CurrentDrawingStyle().support;
    const POINT p = PixelOf(x, y, 0.0f);
    int count = 0;
    for (int dy = dy0; dy <= dy1; ++dy)
      for (int dx = dx0; dx <= dx1; ++dx) count += Pixel(p.x + dx, p.y + dy) == support ? 1 : 0;
    return count;
  }
  // Pixels per inch of the picture.
  static float Scale() { return static_cast<float>(PixelOf(50, 0, 0).x - PixelOf(0, 0, 0).x) / 50.0f; }
  static void ClickAt(float x, float y, int dx, int dy) {
    const POINT p = PixelOf(x, y, 0.0f);
    platform::AdvanceClock(GetDoubleClickTime() + 1);
    Click(p.x + dx, p.y + dy);
  }
  // A click there opens the dialog, which is cancelled; its row is current.
  void ExpectPick(float x, float y, int dx, int dy, const char* dialog, int row) {
    platform::ExpectModal(platform::ModalKind::Dialog, dialog,
                          [](HWND box) { SendMessage(box, WM_COMMAND, IDCANCEL, 0); });
    ClickAt(x, y, dx, dy);
    platform::CheckModalScript();
    EXPECT_EQ(TheModel().currentRow, row) << dialog;
    if (RenderMode()) return;  // the rendered picture has no highlight
    EXPECT_EQ(CurrentHighlight().kind, kHighlightDataItem) << dialog;
    EXPECT_EQ(CurrentHighlight().index, row) << dialog;
  }
};

TEST_F(NonlinearSupportSymbolsTest, InLinesEachKindDrawsItsSignWhereItActs) {
  ShowSupports();
  const float scale = Scale();
  ASSERT_GT(scale, 1.5f);
  // The guide's rails 1.2 pipe radii (5.2 in) above and below the pipe,
  // 2.5 of that long, and nothing beyond them.
  const int rail = static_cast<int>(std::lround(1.2f * 4.3125f * scale));
  EXPECT_GE(SupportPixels(50, 0, -rail, rail, -rail - 1, -rail + 1), rail);
  EXPECT_GE(SupportPixels(50, 0, -rail, rail, rail - 1, rail + 1), rail);
  EXPECT_EQ(SupportPixels(50, 0, -3 * rail, 3 * rail, -3 * rail, -rail - 3), 0);
  // The stop's mark, the snubber and the skewed restraint's spring under
  // their pipes (screen y grows downwards), nothing above.
  for (float x : {100.0f, 150.0f, 200.0f}) {
    EXPECT_GE(SupportPixels(x, 0, -6, 6, 8, 30), 8) << x;
    EXPECT_EQ(SupportPixels(x, 0, -12, 12, -40, -3), 0) << x;
  }
  // The generic support's square round its node.
  EXPECT_GE(SupportPixels(250, 0, -30, 30, -30, -3), 10);
  EXPECT_GE(SupportPixels(250, 0, -30, 30, 3, 30), 10);

  // An upper limit adds the mark above; hidden kinds are not drawn.
  Item<LimitStop>(kStopRow).upperLimit = 2.0f;
  Redraw();
  EXPECT_GE(SupportPixels(100, 0, -6, 6, -30, -8), 8);
  auto& show = TheModel().graphics.show;
  for (int kind : {kShowGuides, kShowLimitStops, kShowSnubbers, kShowSkewedRestraints}) show[kind] = 0;
  TheModel().graphics.showGenericSupports = 0;
  Redraw();
  EXPECT_EQ(SupportPixels(50, 0, -3 * rail, 3 * rail, -3 * rail, 3 * rail), 0);
  for (float x : {100.0f, 150.0f, 200.0f, 250.0f}) EXPECT_EQ(SupportPixels(x, 0, -12, 12, -40, 40), 0) << x;
  for (int kind : {kShowGuides, kShowLimitStops, kShowSnubbers, kShowSkewedRestraints}) show[kind] = 1;
  TheModel().graphics.showGenericSupports = 1;

  // A direction along the view shows as a ring round the node; a connected
  // node turns the stop and the skewed restraint into lines between nodes.
  Item<Snubber>(kSnubberRow).dirY = 0.0f;
  Item<Snubber>(kSnubberRow).dirZ = 1.0f;
  Item<LimitStop>(kStopRow).connectedNode = 40;
  Item<SkewedRestraint>(kSkewedRow).connectedNode = 60;
  Redraw();
  EXPECT_EQ(SupportPixels(150, 0, -4, 4, 8, 30), 0);
  EXPECT_GE(SupportPixels(150, 0, -8, 8, -8, 8), 8);
  EXPECT_EQ(SupportPixels(100, 0, -6, 6, 8, 30), 0);
  EXPECT_EQ(SupportPixels(100, 0, -6, 6, -30, -8), 0);
  EXPECT_GE(SupportPixels(125, 0, -10, 10, 0, 0), 15);  // the line 30 - 40 on the pipe
  EXPECT_GE(SupportPixels(225, 0, -10, 10, 0, 0), 15);
}

TEST_F(NonlinearSupportSymbolsTest, RenderedSolidsTakeTheirColoursAndGoGreyUnderStresses) {
  ShowSupports();
  Command(130);
  ASSERT_TRUE(RenderMode());
  auto rust = [](COLORREF c) { return IsOrange(c); };
  auto blue = [](COLORREF c) { return GetBValue(c) > GetRValue(c) + 40 && GetBValue(c) > GetGValue(c); };
  // The guide's block round the pipe, the stop's disc under the pipe (its
  // face 4.3 in below the axis, 1.6 in thick), the snubber's cylinder and
  // the restraint's plate under theirs, the generic support's box.
  // (The node's own mark stands at its centre.)
  EXPECT_TRUE(rust(At(50, 3))) << std::hex << At(50, 3);
  EXPECT_TRUE(rust(At(100, -5.2f))) << std::hex << At(100, -5.2f);
  EXPECT_TRUE(blue(At(150, -10))) << std::hex << At(150, -10);
  EXPECT_TRUE(IsOrange(At(200, -16.0f))) << std::hex << At(200, -16.0f);
  EXPECT_TRUE(IsOrange(At(250, 3))) << std::hex << At(250, 3);
  EXPECT_EQ(At(100, 12), kWhite);  // no upper limit: nothing above
  RunOnGraphicsThread([] { g_ResultsHidePipes = true; });
  Redraw();
  for (float x : {50.0f, 250.0f}) EXPECT_TRUE(IsGrey(At(x, 3))) << x;
  EXPECT_TRUE(IsGrey(At(150, -10)));
  RunOnGraphicsThread([] { g_ResultsHidePipes = false; });
  Redraw();
  // A connected guide's rod reaches its node, 60 in above.
  AddRow(TheModel(), 70, ElementType::From, 50.0f, 60.0f, 0.0f);
  Item<Guide>(kGuideRow).connectedNode = 70;
  MakeModel(TheModel());
  Redraw();
  EXPECT_TRUE(rust(At(50, 30))) << std::hex << At(50, 30);
  EXPECT_EQ(At(55, 30), kWhite);
}

TEST_F(NonlinearSupportSymbolsTest, AClickOnASymbolOpensItsDialog) {
  ShowSupports();
  const int rail = static_cast<int>(std::lround(1.2f * 4.3125f * Scale()));
  ExpectPick(50, 0, 4, -rail, "GUIDE_DIALOG", kGuideRow);
  ExpectPick(100, 0, 0, 15, "LIMIT_STOP_DIALOG", kStopRow);
  ExpectPick(150, 0, 0, 15, "SNUBBER_DIALOG", kSnubberRow);
  ExpectPick(200, 0, 0, 15, "SKEWED_RESTRAINT_DIALOG", kSkewedRow);
  ExpectPick(250, 0, 6, -6, "GENERIC_SUPPORT_DIALOG", kGenericRow);
  Command(130);
  ExpectPick(50, 3, 0, 0, "GUIDE_DIALOG", kGuideRow);
  ExpectPick(100, -5.2f, 0, 0, "LIMIT_STOP_DIALOG", kStopRow);
  ExpectPick(150, -10, 0, 0, "SNUBBER_DIALOG", kSnubberRow);
  ExpectPick(250, 3, 0, 0, "GENERIC_SUPPORT_DIALOG", kGenericRow);
  // Hidden: neither drawn nor picked.
  TheModel().graphics.show[kShowSnubbers] = 0;
  Redraw();
  ClickAt(150, -10, 0, 0);
  EXPECT_EQ(TheModel().currentRow, kGenericRow);
}

}  // namespace
