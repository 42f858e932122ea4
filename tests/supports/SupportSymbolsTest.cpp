// Anchors and restraints in the graphics window, through the program: in
// lines the anchor sign outside the pipe's end (or one spring per
// stiffness), the restraint's arrows along the held axis, the T1 arrows
// while specified displacements are shown; rendered, the anchor's box and
// the restraint's cones in orange, grey while stresses colour the picture,
// larger by the symbol size command; none while their kind is hidden; and
// a click on a symbol making its row current with its dialog.
#include <gtest/gtest.h>

#include "graphics/GraphicsTesting.h"
#include "model/DrawingColours.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "records/GraphicsSettings.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "supports/Anchor.h"
#include "supports/Restraint.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class SupportSymbolsTest : public GraphicsFixture {
 protected:
  static constexpr int kFirstAnchorRow = 1, kRestraintRow = 2, kLastAnchorRow = 4;

  // From 10 at the origin (an anchor), pipes of 8 in to 20 (100 in along X,
  // restrained vertically), 30 (100 in further) and 40 (100 in up, an
  // anchor); seen along Z.
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
  static void Redraw() {
    RequestGraphicsRedraw();
    platform::RunUntilIdle();
  }
  static void ShowKinds(bool anchors, bool restraints) {
    TheModel().graphics.show[kShowAnchors] = anchors ? 1 : 0;
    TheModel().graphics.show[kShowRestraints] = restraints ? 1 : 0;
    Redraw();
  }
  // The pixel (dx, dy) pixels from a model point (z = 0).
  static COLORREF At(float x, float y, int dx = 0, int dy = 0) {
    const POINT p = PixelOf(x, y, 0.0f);
    return Pixel(p.x + dx, p.y + dy);
  }
  static void ClickAt(float x, float y, int dx, int dy, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
    const POINT p = PixelOf(x, y, 0.0f);
    platform::AdvanceClock(GetDoubleClickTime() + 1);
    Click(p.x + dx, p.y + dy, down, up);
  }
};

TEST_F(SupportSymbolsTest, InLinesTheSignsSpringsAndArrowsStandAtTheirNodes) {
  ShowSupports();
  const COLORREF support = CurrentDrawingStyle().support;
  // The first anchor's bar across the pipe, its ticks behind the pipe's
  // start; the last one's ticks above the riser's end.
  EXPECT_EQ(At(0, 0, 0, -9), support);
  EXPECT_EQ(At(0, 0, 0, 9), support);
  EXPECT_EQ(At(0, 0, -5, -6), support);
  EXPECT_EQ(At(0, 0, 5, -6), kWhite);
  EXPECT_EQ(At(200, 100, -9, 0), support);
  EXPECT_EQ(At(200, 100, 6, -5), support);
  EXPECT_EQ(At(200, 100, 6, 5), kWhite);
  // The restraint: an arrow from above and one from below, nothing beside.
  EXPECT_EQ(At(100, 0, 0, -18), support);
  EXPECT_EQ(At(100, 0, 0, 18), support);
  EXPECT_EQ(At(100, 0, 18, -10), kWhite);
  ShowKinds(false, true);
  EXPECT_EQ(At(0, 0, 0, -9), kWhite);
  EXPECT_EQ(At(100, 0, 0, -18), support);
  ShowKinds(true, false);
  EXPECT_EQ(At(0, 0, 0, -9), support);
  EXPECT_EQ(At(100, 0, 0, -18), kWhite);

  // Stiff along X only: no sign, one spring ending at the node from the
  // left; a T1 displacement up shows only with displacements shown.
  auto& anchor = dynamic_cast<Anchor&>(*TheModel().row(kLastAnchorRow).item);
  anchor.stiffness = {1.0e12f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
  anchor.displacements.flags[0] = 1;
  anchor.displacements.sets = std::make_unique<DisplacementSets>();
  anchor.displacements.sets->values[2] = 0.5f;
  Redraw();
  int left = 0, right = 0;
  for (int d = 2; d <= 14; ++d)
    for (int dy = -6; dy <= 6; ++dy) {
      left += At(200, 100, -d, dy) == support ? 1 : 0;
      right += At(200, 100, d, dy) == support ? 1 : 0;
    }
  EXPECT_GE(left, 10);
  EXPECT_EQ(right, 0);
  EXPECT_EQ(At(200, 100, 0, -20), kWhite);
  TheModel().graphics.show[kShowDisplacements] = 1;
  Redraw();
  EXPECT_EQ(At(200, 100, 0, -20), support);

  // In local axes at a node no pipe gives a direction to: the sign without
  // arrows, and the anchor left as it was (the picture never changes it).
  const int lone = AddRow(TheModel(), 90, ElementType::From, 300.0f, 0.0f, 0.0f);
  PutItem(TheModel(), lone, DataType::Anchor);
  auto& local = dynamic_cast<Anchor&>(*TheModel().row(lone).item);
  CopyDisplacements(local.displacements, anchor.displacements);
  local.DisplacementsInPipeLcs = 1;
  MakeModel(TheModel());
  Redraw();
  Command(131);
  EXPECT_EQ(At(300, 0, 0, -9), support);
  for (int d = 14; d <= 30; d += 4) EXPECT_EQ(At(300, 0, 0, -d), kWhite);
  EXPECT_EQ(local.DisplacementsInPipeLcs, 1);
}

TEST_F(SupportSymbolsTest, RenderedSymbolsAndThePickOfEverySymbol) {
  ShowSupports();
  auto cancel = [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); };
  platform::ExpectModal(platform::ModalKind::Dialog, "RESTRAINT_DIALOG", cancel);
  ClickAt(100, 0, 0, -20);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().currentRow, kRestraintRow);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightDataItem);
  EXPECT_EQ(CurrentHighlight().index, kRestraintRow);
  EXPECT_NE(At(100, 0, 0, -18), CurrentDrawingStyle().support);  // in the highlight's colours
  EXPECT_NE(At(100, 0, 0, -18), kWhite);
  // The middle button picks the anchor for its popup.
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Hide from Graphics",
                        [](HWND popup) { PostMessage(popup, WM_KEYDOWN, VK_ESCAPE, 0); });
  ClickAt(0, 0, -5, 6, WM_MBUTTONDOWN, WM_MBUTTONUP);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().currentRow, kFirstAnchorRow);

  // The box 3 x 4.3 in square at the pipe's start, the cones 4.3 to 12.9 in
  // above and below the restrained node.
  Command(130);
  EXPECT_TRUE(IsOrange(At(0, 5.5f))) << std::hex << At(0, 5.5f);
  EXPECT_TRUE(IsOrange(At(100, 9)));
  EXPECT_TRUE(IsOrange(At(100, -9)));
  EXPECT_EQ(At(0, 9), kWhite);
  for (int step = 0; step < 5; ++step) Command(40080);  // half as large again
  EXPECT_TRUE(IsOrange(At(0, 9)));
  for (int step = 0; step < 5; ++step) Command(40081);
  RunOnGraphicsThread([] { g_ResultsHidePipes = true; });
  Redraw();
  EXPECT_TRUE(IsGrey(At(0, 5.5f)));
  EXPECT_TRUE(IsGrey(At(100, 9)));
  RunOnGraphicsThread([] { g_ResultsHidePipes = false; });
  Redraw();
  platform::ExpectModal(platform::ModalKind::Dialog, "ANCHOR_DIALOG", cancel);
  ClickAt(0, 5.5f, 0, 0);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().currentRow, kFirstAnchorRow);
  // Hidden: not drawn, not picked.
  ShowKinds(true, false);
  EXPECT_EQ(At(100, 9), kWhite);
  ClickAt(100, 9, 0, 0);
  EXPECT_EQ(TheModel().currentRow, kFirstAnchorRow);
}

}  // namespace
