// Anchors and restraints in the graphics window, through the program: in
// lines the anchor sign standing outside the pipe's end (or one spring per
// stiffness), the restraint's arrows along the held axis, the T1
// displacement arrows while specified displacements are shown; rendered,
// the anchor's box and the restraint's cones in orange, grey while the
// stresses colour the picture; none of them while their kind is hidden;
// and a click on a symbol making its row current with its dialog.
#include <gtest/gtest.h>

#include <cmath>

#include "GraphicsTesting.h"
#include "graphics/DrawingColours.h"
#include "graphics/GraphicsSettings.h"
#include "model/LayoutTable.h"
#include "supports/Anchor.h"
#include "supports/Restraint.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class SupportSymbolsTest : public GraphicsFixture {
 protected:
  static constexpr int kFirstAnchorRow = 1, kRestraintRow = 2, kLastAnchorRow = 4;

  // From 10 at the origin with an anchor, pipes of 8 in to 20 (100 in along
  // X, restrained vertically), 30 (100 in further) and 40 (100 in up, with
  // an anchor); seen along Z.
  void ShowSupports() {
    Model& model = TheModel();
    PlantModelBuilder::AddPlantProperties(model);
    AddRows({{10, ElementType::From, 0, 0, ""},
             {20, ElementType::Pipe, 100, 0, "S8"},
             {30, ElementType::Pipe, 100, 0, "S8"},
             {40, ElementType::Pipe, 0, 100, "S8"}});
    PutItem(model, kFirstAnchorRow, DataType::Anchor);
    PutItem(model, kRestraintRow, DataType::Restraint);
    dynamic_cast<Restraint&>(*model.row(kRestraintRow).item).restrainY = 1;
    PutItem(model, kLastAnchorRow, DataType::Anchor);
    model.graphics.viewDirection = {0.0f, 0.0f, 1.0f};
    ShowModel();
    SizeClient(400, 300);
    Command(131);
  }
  static Anchor& LastAnchor() { return dynamic_cast<Anchor&>(*TheModel().row(kLastAnchorRow).item); }
  static float Scale() { return OnGraphics([] { return GraphicsScale; }); }
  static COLORREF Support() { return CurrentDrawingStyle().support; }
  static void Redraw() {
    RequestGraphicsRedraw();
    platform::RunUntilIdle();
  }
  static void ShowKinds(bool anchors, bool restraints) {
    TheModel().graphics.show[kShowAnchors] = anchors ? 1 : 0;
    TheModel().graphics.show[kShowRestraints] = restraints ? 1 : 0;
    Redraw();
  }
  static POINT Offset(POINT p, int dx, int dy) { return POINT{p.x + dx, p.y + dy}; }
  static COLORREF At(POINT p) { return Pixel(p.x, p.y); }
};

TEST_F(SupportSymbolsTest, InLinesTheAnchorSignAndTheRestraintArrowsStandAtTheirNodes) {
  ShowSupports();
  platform::WriteWindowPng(Frame(), "/tmp/sym-lines.png");
  const POINT first = PixelOf(0.0f, 0.0f, 0.0f), restrained = PixelOf(100.0f, 0.0f, 0.0f);
  const POINT last = PixelOf(200.0f, 100.0f, 0.0f);
  // The first anchor's bar across the pipe, its ticks behind the pipe's
  // start (the pipe runs to the right); the last one's ticks above the
  // riser's end.
  EXPECT_EQ(At(Offset(first, 0, -9)), Support());
  EXPECT_EQ(At(Offset(first, 0, 9)), Support());
  EXPECT_EQ(At(Offset(first, -5, -6)), Support());
  EXPECT_EQ(At(Offset(first, 5, -6)), kWhite);
  EXPECT_EQ(At(Offset(last, -9, 0)), Support());
  EXPECT_EQ(At(Offset(last, 6, -5)), Support());
  EXPECT_EQ(At(Offset(last, 6, 5)), kWhite);
  // The restraint: an arrow from above and one from below, nothing beside.
  EXPECT_EQ(At(Offset(restrained, 0, -18)), Support());
  EXPECT_EQ(At(Offset(restrained, 0, 18)), Support());
  EXPECT_EQ(At(Offset(restrained, 18, -10)), kWhite);

  ShowKinds(false, true);
  EXPECT_EQ(At(Offset(first, 0, -9)), kWhite);
  EXPECT_EQ(At(Offset(restrained, 0, -18)), Support());
  ShowKinds(true, false);
  EXPECT_EQ(At(Offset(first, 0, -9)), Support());
  EXPECT_EQ(At(Offset(restrained, 0, -18)), kWhite);
}

TEST_F(SupportSymbolsTest, APartlyStiffAnchorShowsItsSpringsAndT1ArrowsShowWhenAsked) {
  ShowSupports();
  Anchor& anchor = LastAnchor();
  anchor.stiffness = {1.0e12f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};  // X only
  anchor.displacements.flags[0] = 1;
  anchor.displacements.sets = std::make_unique<DisplacementSets>();
  anchor.displacements.sets->values[2] = 0.5f;  // T1: Y up half an inch
  Redraw();
  const POINT last = PixelOf(200.0f, 100.0f, 0.0f);
  // No sign: one spring along X, left of the node (ending there), none right.
  EXPECT_EQ(At(Offset(last, -9, -9)), kWhite);
  auto springPixels = [&last](int from, int to) {
    int count = 0;
    for (int dx = from; dx <= to; ++dx)
      for (int dy = -6; dy <= 6; ++dy) count += At(Offset(last, dx, dy)) == Support() ? 1 : 0;
    return count;
  };
  EXPECT_GE(springPixels(-14, -2), 10);
  EXPECT_EQ(springPixels(2, 14), 0);
  // T1 arrows only with specified displacements shown.
  EXPECT_EQ(At(Offset(last, 0, -20)), kWhite);
  TheModel().graphics.show[kShowDisplacements] = 1;
  Redraw();
  EXPECT_EQ(At(Offset(last, 0, -20)), Support());
  // The arrow's label lies in the symbol's bounds.
  const Rect2 bounds = OnGraphics([] { return TheModel().row(kLastAnchorRow).item->symbolBounds; });
  EXPECT_GT(bounds.ymax - 100.0f, 36.0f / Scale());
}

TEST_F(SupportSymbolsTest, RenderedTheBoxAndTheConesAreOrangeGreyUnderStressesAndGoneWhenHidden) {
  ShowSupports();
  Command(130);
  ASSERT_TRUE(RenderMode());
  platform::WriteWindowPng(Frame(), "/tmp/sym-render.png");
  // The box: 3 x 4.3125 in square across the pipe at its start; the cones
  // 4.3 to 12.9 in above and below the restrained node.
  const POINT box = PixelOf(0.0f, 5.5f, 0.0f), cone = PixelOf(100.0f, 9.0f, 0.0f);
  const POINT coneBelow = PixelOf(100.0f, -9.0f, 0.0f), beside = PixelOf(0.0f, 9.0f, 0.0f);
  EXPECT_TRUE(IsOrange(At(box))) << std::hex << At(box);
  EXPECT_TRUE(IsOrange(At(cone))) << std::hex << At(cone);
  EXPECT_TRUE(IsOrange(At(coneBelow)));
  EXPECT_EQ(At(beside), kWhite);
  RunOnGraphicsThread([] { g_ResultsHidePipes = true; });
  Redraw();
  EXPECT_TRUE(IsGrey(At(box))) << std::hex << At(box);
  EXPECT_TRUE(IsGrey(At(cone)));
  RunOnGraphicsThread([] { g_ResultsHidePipes = false; });
  // Half as large again by the symbol size command: the box reaches 9 in.
  EXPECT_EQ(At(beside), kWhite);
  for (int step = 0; step < 5; ++step) Command(40080);
  EXPECT_TRUE(IsOrange(At(beside))) << std::hex << At(beside);
  for (int step = 0; step < 5; ++step) Command(40081);
  EXPECT_EQ(At(beside), kWhite);
  ShowKinds(false, false);
  EXPECT_EQ(At(box), kWhite);
  EXPECT_EQ(At(cone), kWhite);
}

TEST_F(SupportSymbolsTest, ClickingASymbolMakesItsRowCurrentWithItsDialog) {
  ShowSupports();
  auto cancel = [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); };
  const POINT restrained = PixelOf(100.0f, 0.0f, 0.0f), first = PixelOf(0.0f, 0.0f, 0.0f);
  platform::ExpectModal(platform::ModalKind::Dialog, "RESTRAINT_DIALOG", cancel);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(restrained.x, restrained.y - 20);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().currentRow, kRestraintRow);
  EXPECT_EQ(TheLayoutTable().currentRow, kRestraintRow);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightDataItem);
  EXPECT_EQ(CurrentHighlight().index, kRestraintRow);
  // Highlighted, its arrows are drawn in the highlight's colours.
  const COLORREF arrow = At(Offset(restrained, 0, -18));
  EXPECT_NE(arrow, Support());
  EXPECT_NE(arrow, kWhite);

  // The middle button picks the anchor for its popup.
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Hide from Graphics",
                        [](HWND popup) { PostMessage(popup, WM_KEYDOWN, VK_ESCAPE, 0); });
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(first.x - 5, first.y + 6, WM_MBUTTONDOWN, WM_MBUTTONUP);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().currentRow, kFirstAnchorRow);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightDataItem);

  // Rendered, the box's faces are picked; hidden, nothing is.
  Command(130);
  const POINT box = PixelOf(0.0f, 5.5f, 0.0f);
  platform::ExpectModal(platform::ModalKind::Dialog, "ANCHOR_DIALOG", cancel);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(box.x, box.y);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().currentRow, kFirstAnchorRow);
  const POINT cone = PixelOf(100.0f, 9.0f, 0.0f);
  ShowKinds(true, false);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(cone.x, cone.y);
  EXPECT_EQ(TheModel().currentRow, kFirstAnchorRow);
}

}  // namespace
