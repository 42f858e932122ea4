// What the picture writes beside the pipes: node dots and numbers, lengths
// and row numbers at the middle of an element, the local-axes triad shown
// and hidden from the List window in XOR, and the legend of the picture
// coloured by section in the colours its pipes are drawn with.
#include <gtest/gtest.h>

#include "graphics/GraphicsTesting.h"
#include "model/LcsTriad.h"
#include "model/RowDrawing.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"

namespace {

class LabelsTest : public GraphicsFixture {
 protected:
  // From 10, a pipe of 100 in along X to 20, seen along Z in a 400 x 300 window.
  void ShowOnePipe() {
    PlantModelBuilder::AddPlantProperties(TheModel());
    AddRows({{10, ElementType::From, 0, 0, ""}, {20, ElementType::Pipe, 100, 0, "S4"}});
    TheModel().graphics.viewDirection = {0.0f, 0.0f, 1.0f};
    ShowModel();
    SizeClient(400, 300);
    Command(131);
  }
  // Whether anything but the background is drawn in the box around a point.
  static bool Written(POINT at, int left, int right, int up, int down) {
    for (int y = at.y - up; y <= at.y + down; ++y)
      for (int x = at.x + left; x <= at.x + right; ++x)
        if (Pixel(x, y) != RGB(255, 255, 255)) return true;
    return false;
  }
};

TEST_F(LabelsTest, NumbersLengthsAndRowNumbersStandWhereTheySay) {
  ShowOnePipe();
  const POINT end = PixelOf(100.0f, 0.0f, 0.0f);
  const POINT middle = PixelOf(50.0f, 0.0f, 0.0f);
  // The dot: a 4-pixel square on the node.
  EXPECT_EQ(Pixel(end.x - 2, end.y - 2), RGB(0, 0, 0));
  EXPECT_EQ(Pixel(end.x + 1, end.y + 1), RGB(0, 0, 0));
  EXPECT_FALSE(Written(end, 6, 30, 14, -2));  // no number yet, right of and above the node
  TheModel().graphics.show[kShowNodeNumbers] = 1;
  TheModel().graphics.showLengths = 1;
  RequestGraphicsRedraw();
  platform::RunUntilIdle();
  EXPECT_TRUE(Written(end, 6, 30, 14, -2));
  EXPECT_TRUE(Written(middle, 6, 60, 14, -2));  // the length, 8'4"
  TheModel().graphics.show[kShowNodeDots] = 0;
  TheModel().graphics.showLengths = 0;
  TheModel().graphics.showRowNumbers = 1;
  RequestGraphicsRedraw();
  platform::RunUntilIdle();
  EXPECT_EQ(Pixel(end.x - 2, end.y - 2), RGB(255, 255, 255));
  EXPECT_TRUE(Written(middle, 6, 20, 14, -2));  // "2", the row's number
  EXPECT_FALSE(Written(middle, 22, 60, 14, -2));
}

TEST_F(LabelsTest, TheLocalAxesTriadIsDrawnAndErasedInXor) {
  ShowOnePipe();
  const POINT node = PixelOf(100.0f, 0.0f, 0.0f);
  LcsTriad& triad = TheLcsTriad();
  StoreLcsFrame(triad, 2, {{{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}}});
  const POINT up{node.x, node.y - 20};  // on the local y axis, 40 pixels long
  ASSERT_EQ(Pixel(up.x, up.y), RGB(255, 255, 255));
  PostMessage(ListFrame().window, WM_COMMAND, 327, 0);  // Show LCS
  platform::RunUntilIdle();
  EXPECT_TRUE(triad.shown);
  EXPECT_EQ(Pixel(up.x, up.y), RGB(0, 0, 0));  // white inverted
  PostMessage(ListFrame().window, WM_COMMAND, 327, 0);  // Hide LCS
  platform::RunUntilIdle();
  EXPECT_FALSE(triad.shown);
  EXPECT_EQ(Pixel(up.x, up.y), RGB(255, 255, 255));
  // A frame without a first axis is never drawn.
  StoreLcsFrame(triad, 2, {});
  ToggleLcsTriad(triad);
  EXPECT_FALSE(triad.shown);
  triad = LcsTriad{};
}

TEST_F(LabelsTest, TheLegendShowsTheColoursThePipesAreDrawnWith) {
  ShowOnePipe();
  TheModel().listName = "&Sections";
  RequestGraphicsRedraw();
  Command(130);
  PostMessage(ListFrame().window, WM_COMMAND, 245, 0);  // Colour graphics
  platform::RunUntilIdle();
  ASSERT_TRUE(ColourByProperty());
  // Section "S4" is the first record: its colour on the first legend line,
  // and the pipe rendered in it (lit: red alone).
  EXPECT_EQ(Pixel(30, 20), PropertyPaletteColour(1));
  const POINT middle = PixelOf(50.0f, 0.0f, 0.0f);
  const COLORREF pipe = Pixel(middle.x, middle.y);
  EXPECT_GT(GetRValue(pipe), 40);
  EXPECT_EQ(GetGValue(pipe), 0);
  EXPECT_EQ(GetBValue(pipe), 0);
  PostMessage(ListFrame().window, WM_COMMAND, 245, 0);
  platform::RunUntilIdle();
  EXPECT_FALSE(ColourByProperty());
  EXPECT_EQ(Pixel(30, 20), RGB(255, 255, 255));
}

}  // namespace
