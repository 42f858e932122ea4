// The rendered picture: tessellation by size on the screen and by the
// quality option, a single pipe rendered through the Render command (its
// colour at its middle, the background at the corners, the right way up),
// the colour-by-property palette, and a window too large to render.
#include <gtest/gtest.h>

#include <cmath>

#include "graphics/GraphicsTesting.h"
#include "model/DrawingColours.h"
#include "model/GlSolids.h"
#include "model/RowDrawing.h"
#include "platform/Clipboard.h"
#include "platform/GlContext.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"

namespace {

TEST(GlTessellation, FacetsAndBendSegmentsFollowTheirThresholds) {
  SetGraphicsScale(2.0f);
  SetRenderQuality(0);
  EXPECT_EQ(CircleFacetCount(0.2f), 0);   // 0.4 pixels: nothing
  EXPECT_EQ(CircleFacetCount(0.25f), 4);  // half a pixel
  EXPECT_EQ(CircleFacetCount(1.5f), 6);   // 3 pixels
  EXPECT_EQ(CircleFacetCount(2.5f), 8);   // 5
  EXPECT_EQ(CircleFacetCount(6.4f), 12);  // 12.8
  EXPECT_EQ(CircleFacetCount(8.0f), 16);  // 16 pixels
  EXPECT_EQ(CircleFacetCount(8.5f), 24);  // 17
  EXPECT_EQ(CircleFacetCount(100.0f), 24);
  SetRenderQuality(2);
  EXPECT_EQ(CircleFacetCount(0.25f), 48);  // High: 48 even for a tiny tube
  SetRenderQuality(1);
  EXPECT_EQ(CircleFacetCount(0.25f), 24);
  SetRenderQuality(1);
  SetGraphicsScale(1.0f);

  SelectFacetTable(5);
  EXPECT_EQ(SelectedFacetCount(), 4);
  SelectFacetTable(16);
  EXPECT_EQ(SelectedFacetCount(), 16);

  EXPECT_EQ(BendSegmentCount(3.9f), 1);
  EXPECT_EQ(BendSegmentCount(4.0f), 2);
  EXPECT_EQ(BendSegmentCount(9.9f), 3);
  EXPECT_EQ(BendSegmentCount(19.9f), 5);
  EXPECT_EQ(BendSegmentCount(49.9f), 6);
  EXPECT_EQ(BendSegmentCount(50.0f), 6);   // 0.1 x 50 + 0.5, truncated, + 1
  EXPECT_EQ(BendSegmentCount(99.0f), 11);
  EXPECT_EQ(BendSegmentCount(100.0f), 10);
  EXPECT_EQ(BendSegmentCount(1000.0f), 28);
}

TEST(PropertyPalette, RecordsBeyondThePaletteWrapAndNoRecordIsGrey) {
  EXPECT_EQ(PropertyPaletteColour(0), RGB(192, 192, 192));
  EXPECT_EQ(PropertyPaletteColour(1), RGB(76, 0, 0));
  EXPECT_EQ(PropertyPaletteColour(30), RGB(38, 47, 76));
  EXPECT_EQ(PropertyPaletteColour(31), PropertyPaletteColour(1));
  EXPECT_EQ(PropertyPaletteColour(65), PropertyPaletteColour(5));
  EXPECT_EQ(PropertyPaletteColour(-3), PropertyPaletteColour(0));
}

class RenderTest : public GraphicsFixture {
 protected:
  // A pipe of 10 in diameter 100 in along X from the origin, then 100 in up.
  void ShowTwoPipes() {
    Model& model = TheModel();
    PipeSection section;
    InitSection(section);
    section.name = "S10";
    section.outsideDiameter = 10.0f;
    AppendSection(model.sections, section);
    AddRows({{10, ElementType::From, 0, 0, ""}, {20, ElementType::Pipe, 100, 0, "S10"}, {30, ElementType::Pipe, 0, 100, "S10"}});
    ShowModel();
    SizeClient(400, 300);
    Command(124);  // View Z: X to the right, Y up
  }
  static bool IsBackground(COLORREF colour) { return colour == RGB(255, 255, 255); }
};

TEST_F(RenderTest, APipeIsRenderedInItsColourTheRightWayUp) {
  ShowTwoPipes();
  Command(130);  // Render
  ASSERT_TRUE(RenderMode());
  const POINT middle = PixelOf(50.0f, 0.0f, 0.0f);
  EXPECT_TRUE(IsGrey(Pixel(middle.x, middle.y))) << std::hex << Pixel(middle.x, middle.y);
  EXPECT_TRUE(IsBackground(Pixel(1, 1)));
  EXPECT_TRUE(IsBackground(Pixel(398, 1)));
  EXPECT_TRUE(IsBackground(Pixel(1, 298)));
  EXPECT_TRUE(IsBackground(Pixel(398, 298)));
  // The riser goes up the screen from the pipe's end: rendered above it, not
  // below (an upside-down picture would have it below).
  const POINT riser = PixelOf(100.0f, 50.0f, 0.0f);
  const POINT beside = PixelOf(50.0f, 50.0f, 0.0f);
  EXPECT_LT(riser.y, middle.y);
  EXPECT_TRUE(IsGrey(Pixel(riser.x, riser.y)));
  EXPECT_TRUE(IsBackground(Pixel(beside.x, beside.y)));
  // Lit from the upper right: the pipe's upper edge is brighter than its lower.
  const int radius = static_cast<int>(5.0f * OnGraphics([] { return GraphicsScale; }));
  EXPECT_GT(GetRValue(Pixel(middle.x, middle.y - radius + 2)), GetRValue(Pixel(middle.x, middle.y + radius - 2)));
  // Back to lines: the pipe is a line of the element colour, the tube gone.
  Command(130);
  EXPECT_FALSE(RenderMode());
  EXPECT_TRUE(IsBackground(Pixel(middle.x, middle.y - radius + 2)));
  EXPECT_FALSE(IsBackground(Pixel(middle.x, middle.y)));
}

TEST_F(RenderTest, CopyPutsTheRenderedPictureOnTheClipboard) {
  ShowTwoPipes();
  Command(130);
  Command(363);  // Ctrl+C
  ASSERT_TRUE(OpenClipboard(MainFrame().window));
  auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  GetObject(bitmap, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 400);
  EXPECT_EQ(info.bmHeight, 300);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const POINT middle = PixelOf(50.0f, 0.0f, 0.0f);
  EXPECT_EQ(GetPixel(dc, middle.x, middle.y), Pixel(middle.x, middle.y));
  EXPECT_TRUE(IsBackground(GetPixel(dc, 1, 1)));
  SelectObject(dc, old);
  DeleteDC(dc);
  CloseClipboard();
}

TEST_F(RenderTest, ColouredByPropertyThePipesTakeThePaletteColourOfTheirSection) {
  ShowTwoPipes();
  TheModel().listName = "&Sections";
  RequestGraphicsRedraw();
  Command(130);
  SetColourByProperty(true, false);
  platform::RunUntilIdle();
  const POINT middle = PixelOf(50.0f, 0.0f, 0.0f);
  const COLORREF colour = Pixel(middle.x, middle.y);
  // Section 1 is dark red (76, 0, 0), lit: red only.
  EXPECT_GT(GetRValue(colour), 40);
  EXPECT_EQ(GetGValue(colour), GetBValue(colour));
  EXPECT_LT(GetGValue(colour), GetRValue(colour) / 2);
  SetColourByProperty(false, false);
  platform::RunUntilIdle();
  EXPECT_TRUE(IsGrey(Pixel(middle.x, middle.y)));
}

TEST_F(RenderTest, AWindowLargerThanOpenGlCanRenderIsRefusedCleanly) {
  ShowTwoPipes();
  const SIZE largest = platform::GlMaximumPictureSize();
  SizeClient(largest.cx + 8, 120);
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog).at(0), "The graphics window is too large to be rendered.");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(130);
  EXPECT_FALSE(RenderMode());
  // The line picture goes on as before.
  const POINT middle = PixelOf(50.0f, 0.0f, 0.0f);
  EXPECT_EQ(Pixel(middle.x, middle.y), CurrentDrawingStyle().element);
  // Rendering at a size it can draw, then growing past it, leaves render mode.
  SizeClient(400, 300);
  Command(130);
  ASSERT_TRUE(RenderMode());
  SizeClient(largest.cx + 8, 120);
  EXPECT_FALSE(RenderMode());
}

}  // namespace
