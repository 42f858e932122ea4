// Picking and the highlight through the program: a click on a pipe makes its
// row the current Layout row and highlights it; moving in the Layout table
// highlights the row's element, which blinks between the highlight colour
// and the contrast colour with its node-number label; comment rows, render
// mode and a frozen view; saving and restoring; an edit typed in the Layout
// table redrawn in the picture.
#include <gtest/gtest.h>

#include <vector>

#include "editing/LayoutTable.h"
#include "editing/NodeList.h"
#include "model/UndoFiles.h"
#include "graphics/GraphicsTesting.h"
#include "model/DrawingColours.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "services/ProgramContext.h"
#include "services/TableWindow.h"
#include "services/ViewRequests.h"

namespace {

class HighlightTest : public GraphicsFixture {
 protected:
  // A comment row, then From 10 at the origin, pipes to 20 (100 in along X),
  // 30 (100 in up) and 40 (100 in back along X), seen along Z.
  void ShowPipes() {
    Model& model = TheModel();
    PlantModelBuilder::AddPlantProperties(model);
    AddRows({{0, ElementType::Comment, 0, 0, ""},
             {10, ElementType::From, 0, 0, ""},
             {20, ElementType::Pipe, 100, 0, "S12"},
             {30, ElementType::Pipe, 0, 100, "S12"},
             {40, ElementType::Pipe, -100, 0, "S12"}});
    model.graphics.show[kShowNodeNumbers] = 1;
    model.graphics.viewDirection = {0.0f, 0.0f, 1.0f};
    model.currentRow = 2;
    ShowModel();
    SizeClient(400, 300);
    Command(131);
  }
  static LayoutTable& Table() { return TheLayoutTable(); }
  static void GoToRow(int row) {
    TableGoTo(Table(), row);
    platform::RunUntilIdle();
  }
  static COLORREF Element() { return CurrentDrawingStyle().element; }
};

TEST_F(HighlightTest, ClickingAPipeMakesItsRowCurrentAndHighlightsIt) {
  ShowPipes();
  const POINT riser = PixelOf(100.0f, 50.0f, 0.0f);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(riser.x + 2, riser.y);  // within the pick outline, 2 pixels off the line
  EXPECT_EQ(TheModel().currentRow, 4);
  EXPECT_EQ(Table().currentRow, 4);
  HighlightStatus status = CurrentHighlight();
  EXPECT_EQ(status.kind, kHighlightElementRow);
  EXPECT_EQ(status.index, 4);
  // A click on empty space picks nothing and changes nothing.
  const POINT empty = PixelOf(50.0f, 50.0f, 0.0f);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(empty.x, empty.y);
  EXPECT_EQ(TheModel().currentRow, 4);
  // With graphics editing disabled a click picks nothing.
  ProgramPreferences().disableGraphicEditing = 1;
  const POINT first = PixelOf(50.0f, 0.0f, 0.0f);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(first.x, first.y);
  EXPECT_EQ(TheModel().currentRow, 4);
  ProgramPreferences().disableGraphicEditing = 0;
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(first.x, first.y);
  EXPECT_EQ(TheModel().currentRow, 3);
}

// A pick in the picture moves the Layout as a click on another row does:
// the text typed in the cell left is stored first, one undo step; a store
// refused keeps the user in that cell, on its row, with its message.
TEST_F(HighlightTest, APickStoresTheTextTypedInTheLayoutFirst) {
  g_UnitsSettings.unit[kUnitLength] = kLengthInch;
  ShowPipes();
  auto typeDx = [this](int row, const char* text) {
    SetForegroundWindow(LayoutFrame().window);
    GoToRow(row);
    TableSetColumn(Table(), 3);
    Key(VK_END);
    for (int n = Table().EditLength(); n > 0; --n) Key(VK_BACK);
    Type(text);
  };
  typeDx(3, "12.5");
  const POINT riser = PixelOf(100.0f, 50.0f, 0.0f);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(riser.x + 2, riser.y);
  EXPECT_FLOAT_EQ(TheModel().row(3).dx, 12.5f);
  EXPECT_EQ(UndoDepth(), 1);
  EXPECT_EQ(Table().currentRow, 4);
  EXPECT_EQ(CurrentHighlight().index, 4);
  // DX typed beyond what a float holds is refused: the pick moves nothing.
  typeDx(5, "1E39");
  messages.clear();
  const POINT first = PixelOf(6.0f, 0.0f, 0.0f);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(first.x, first.y + 2);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages.front().rfind("DX", 0), 0u) << messages.front();
  EXPECT_EQ(Table().currentRow, 5);
  EXPECT_EQ(TheModel().currentRow, 5);
  EXPECT_EQ(Table().editBuffer, "1E39");
  EXPECT_EQ(CurrentHighlight().index, 5);
  EXPECT_EQ(UndoDepth(), 1);
  // DX 0 on a pipe with no other offset, refused by the rules of the whole
  // model: the picture still shows the row the Layout stays on.
  Key(VK_ESCAPE);
  typeDx(3, "0");
  messages.clear();
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(riser.x + 2, riser.y);
  EXPECT_FLOAT_EQ(TheModel().row(3).dx, 12.5f);
  EXPECT_EQ(Table().currentRow, 3);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightElementRow);
  EXPECT_EQ(CurrentHighlight().index, 3);
  EXPECT_EQ(UndoDepth(), 1);
}

TEST_F(HighlightTest, TheMiddleButtonPicksForItsPopupAndTheRightButtonOpensTheViewPopup) {
  ShowPipes();
  auto closePopup = [](HWND popup) { PostMessage(popup, WM_KEYDOWN, VK_ESCAPE, 0); };
  const POINT riser = PixelOf(100.0f, 50.0f, 0.0f);
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Hide from Graphics", closePopup);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(riser.x, riser.y, WM_MBUTTONDOWN, WM_MBUTTONUP);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().currentRow, 4);
  EXPECT_EQ(CurrentHighlight().index, 4);
  const POINT empty = PixelOf(50.0f, 50.0f, 0.0f);
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Hide CE", closePopup);
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  Click(empty.x, empty.y, WM_MBUTTONDOWN, WM_MBUTTONUP);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().currentRow, 4);
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Viewpoint...", closePopup);
  platform::TestMouse(Painting(), WM_RBUTTONDOWN, empty.x, empty.y);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  // The wheel zooms about the middle of the window.
  const float scale = OnGraphics([] { return GraphicsScale; });
  platform::TestMouseWheel(Painting(), WHEEL_DELTA, 200, 150);
  platform::RunUntilIdle();
  EXPECT_NEAR(OnGraphics([] { return GraphicsScale; }), scale * 1.05f, scale * 1.0e-4f);
}

TEST_F(HighlightTest, TheCurrentRowBlinksWithItsNodeNumberLabel) {
  ShowPipes();
  GoToRow(3);
  const POINT middle = PixelOf(50.0f, 0.0f, 0.0f);
  HighlightStatus status = CurrentHighlight();
  ASSERT_EQ(status.kind, kHighlightElementRow);
  EXPECT_EQ(status.index, 3);
  // Phase 1 first: the contrast colour (dark on white) and the label of the
  // row's node, boxed.
  EXPECT_TRUE(status.blinkPhase);
  EXPECT_TRUE(status.labelShown);
  EXPECT_EQ(status.labelText, "20");
  EXPECT_EQ(Pixel(middle.x, middle.y), RGB(0, 0, 0));
  const RECT box = status.labelBox;
  EXPECT_NE(Pixel(box.left, (box.top + box.bottom) / 2), RGB(255, 255, 255));
  // The blink timer: the highlight colour, no label; then back.
  platform::AdvanceClock(GetCaretBlinkTime());
  status = CurrentHighlight();
  EXPECT_FALSE(status.blinkPhase);
  EXPECT_FALSE(status.labelShown);
  EXPECT_EQ(Pixel(middle.x, middle.y), HighlightColour());
  EXPECT_EQ(Pixel(box.left, (box.top + box.bottom) / 2), RGB(255, 255, 255));  // the XOR box is gone
  platform::AdvanceClock(GetCaretBlinkTime());
  EXPECT_EQ(Pixel(middle.x, middle.y), RGB(0, 0, 0));
  // Another row: the first goes back to the element colour.
  GoToRow(5);
  EXPECT_EQ(Pixel(middle.x, middle.y), Element());
  EXPECT_EQ(CurrentHighlight().index, 5);
  // A comment row hides the highlight and highlights nothing.
  GoToRow(1);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightNone);
}

TEST_F(HighlightTest, MovingInTheNodeListHighlightsTheNodeWithItsNumber) {
  ShowPipes();
  PostMessage(ListFrame().window, WM_COMMAND, 187, 0);  // List > Coordinates
  platform::RunUntilIdle();
  ASSERT_TRUE(IsWindowVisible(ListFrame().window));
  TableGoTo(TheNodeList(), 3);  // node 30
  platform::RunUntilIdle();
  const HighlightStatus status = CurrentHighlight();
  EXPECT_EQ(status.kind, kHighlightNode);
  EXPECT_EQ(status.index, 3);
  EXPECT_EQ(status.labelText, "30");
  EXPECT_TRUE(status.labelShown);
}

TEST_F(HighlightTest, SavingNestsWithNothingAndRenderModeHighlightsNothing) {
  ShowPipes();
  GoToRow(3);
  SaveHighlight();
  SaveHighlight();
  EXPECT_TRUE(CurrentHighlight().saved);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightNone);
  const POINT middle = PixelOf(50.0f, 0.0f, 0.0f);
  EXPECT_EQ(Pixel(middle.x, middle.y), Element());  // hidden while saved
  RestoreSavedHighlight();
  HighlightStatus status = CurrentHighlight();
  EXPECT_FALSE(status.saved);
  EXPECT_EQ(status.kind, kHighlightElementRow);
  EXPECT_EQ(status.index, 3);
  RestoreSavedHighlight();  // nothing saved: nothing changes
  EXPECT_EQ(CurrentHighlight().index, 3);
  // A row chosen while it is set aside is the one that comes back.
  SaveHighlight();
  GoToRow(5);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightNone);
  RestoreSavedHighlight();
  EXPECT_EQ(CurrentHighlight().index, 5);

  Command(130);  // Render
  ASSERT_TRUE(RenderMode());
  EXPECT_EQ(CurrentHighlight().kind, kHighlightNone);
  GoToRow(4);
  EXPECT_EQ(CurrentHighlight().kind, kHighlightNone);
  platform::AdvanceClock(GetCaretBlinkTime());
  EXPECT_FALSE(CurrentHighlight().labelShown);
}

TEST_F(HighlightTest, AFrozenViewStaysPutWhenTheHighlightedItemIsOutside) {
  ShowPipes();
  // Zoom onto the first pipe's start; the riser is then out of view.
  platform::AdvanceClock(GetDoubleClickTime() + 1);
  const POINT origin = PixelOf(0.0f, 0.0f, 0.0f);
  platform::TestMouse(Painting(), WM_LBUTTONDOWN, origin.x - 20, origin.y - 20);
  platform::TestMouse(Painting(), WM_LBUTTONUP, origin.x + 20, origin.y + 20);
  platform::RunUntilIdle();
  const ViewLimits zoomed = OnGraphics([] { return ViewWindow; });
  ASSERT_LT(zoomed.right, 100.0f);
  Command(40023);  // Freeze View
  GoToRow(4);
  EXPECT_EQ(CurrentHighlight().index, 4);
  EXPECT_EQ(OnGraphics([] { return ViewWindow.left; }), zoomed.left);
  Command(40023);
  GoToRow(3);
  GoToRow(4);
  // Unfrozen, the view moves to show the riser.
  EXPECT_GT(OnGraphics([] { return ViewWindow.right; }), 100.0f);
}

TEST_F(HighlightTest, ARowTypedInTheLayoutTableIsDrawnAtOnce) {
  ShowPipes();
  const POINT newPipe = PixelOf(-10.0f, 100.0f, 0.0f);
  EXPECT_EQ(Pixel(newPipe.x, newPipe.y), RGB(255, 255, 255));
  // Another 20 in back along X from node 40: a new row on the spare line.
  GoToRow(6);
  SetFocus(LayoutTableWindow());
  for (const char* cell : {"50", "", "-20"}) {
    platform::TestTypeText(cell);
    platform::TestKeyPress(VK_TAB);
  }
  platform::TestKeyPress(VK_RETURN);
  platform::RunUntilIdle();
  ASSERT_EQ(TheModel().rowCount, 6);
  EXPECT_EQ(Pixel(newPipe.x, newPipe.y), Element());
}

}  // namespace

namespace {

// Moving down the Layout highlights one pipe after another; each hidden
// highlight leaves the picture as it was, pixel for pixel, so nothing of
// the earlier ones stays on the screen.
TEST_F(HighlightTest, AHiddenHighlightLeavesNoTraceInThePicture) {
  ShowPipes();
  HideHighlight();
  platform::RunUntilIdle();
  auto picture = [] {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 400; ++x) pixels.push_back(Pixel(x, y));
    return pixels;
  };
  const std::vector<COLORREF> plain = picture();
  for (int row : {3, 4, 5}) {
    GoToRow(row);
    EXPECT_EQ(CurrentHighlight().kind, kHighlightElementRow);
    EXPECT_NE(picture(), plain) << row;  // the pipe in the highlight's colour
  }
  HideHighlight();
  platform::RunUntilIdle();
  EXPECT_EQ(picture(), plain);
}

// Closing a model takes its highlight with it, also one set aside for a
// dialog: the next model comes up with nothing highlighted.
TEST_F(HighlightTest, TheNextModelComesUpWithNothingOfTheLastOnesHighlight) {
  ShowPipes();
  GoToRow(3);
  ASSERT_EQ(CurrentHighlight().kind, kHighlightElementRow);
  SaveHighlight();  // as a dialog over the picture does
  ASSERT_TRUE(CurrentHighlight().saved);
  HideModelWindows();
  platform::RunUntilIdle();
  ShowModelWindows();
  platform::RunUntilIdle();
  const HighlightStatus status = CurrentHighlight();
  EXPECT_EQ(status.kind, kHighlightNone);
  EXPECT_FALSE(status.saved);
  EXPECT_FALSE(status.pending);
}

}  // namespace
