// The stress displays through the Results window's commands over the
// sorted stresses table: the picture handed to the graphics window (every
// stress element's end values from the current section, the range, the
// colour bar's texts, the labels), the caption, the menu texts, the
// exclusion of the two displays, colour coding switched off (labels only),
// the jackets of jacketed pipes coloured on request from the view popup,
// and the displays ending with the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "graphics/GraphicsThread.h"
#include "graphics/ViewCommands.h"
#include "model/Drawing2D.h"
#include "model/GraphicsState.h"
#include "model/Nodes.h"
#include "model/ViewProjection.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Paint.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"
#include "results/CodeResultsTesting.h"
#include "results/ResultPicture.h"
#include "results/ResultViewItems.h"
#include "results/SortedStressesTable.h"
#include "results/StressDisplays.h"
#include "services/Units.h"

namespace {

class StressDisplaysTest : public code_testing::CodeResultsFixture {
 protected:
  void TearDown() override {
    if (ColourCodingOff()) ToggleColourCoding();
    code_testing::CodeResultsFixture::TearDown();
  }
  // An anchored line of two pipes and a bend, B31.1, sustained, operating and expansion.
  void OpenSorted() {
    using namespace analysis_testing;
    Model& model = StartLine(1, kDensity, 150.0);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 100.0f);
    PipeRow(model, 30, ElementType::Bend, 100.0f);
    PipeRow(model, 40, ElementType::Pipe, 0.0f, 0.0f, 100.0f);
    PutItem(model, 4, DataType::Anchor);
    Finish(model, {1, 8, 2});
    OpenChoosing("&Sorted stresses");
    ASSERT_TRUE(InResultsMode());
    ASSERT_EQ(ResultsReopenCommand(), OpenSortedStressesTable);
  }
  // Two jacketed pipes of 100 in along X from 10 (anchor) to 30 (anchor):
  // a 4.5-inch core in an 8.625-inch jacket closed by end caps at both ends.
  // With `bend`, 30 is a jacketed bend (both radii 12 in) and a jacketed
  // pipe runs 100 in up Y to 40, the anchor.
  void OpenJacketedSorted(bool bend = false) {
    using namespace analysis_testing;
    Model& model = StartLine(1, kDensity, 150.0);
    PipeSection jacket;
    InitSection(jacket);
    jacket.name = "S8";
    jacket.outsideDiameter = 8.625f;
    jacket.thickness = 0.322f;
    AppendSection(model.sections, jacket);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    auto jacketed = [&model](NodeId node, ElementType type, float dx, float dy) {
      const int row = PipeRow(model, node, type, dx, dy);
      if (type == ElementType::JacketedBend) {
        auto& jacketBend = static_cast<JacketedBend&>(*model.row(row).element);
        jacketBend.radiusType = kBendRadiusUser;
        jacketBend.radius = 12.0f;
        jacketBend.jacketRadiusType = kBendRadiusUser;
        jacketBend.jacketRadius = 12.0f;
        jacketBend.jacketMaterial = "CS";
        jacketBend.jacketSection = "S8";
        jacketBend.jacketLoad = "L1";
        return row;
      }
      auto& pipe = static_cast<JacketedPipe&>(*model.row(row).element);
      pipe.jacketMaterial = "CS";
      pipe.jacketSection = "S8";
      pipe.jacketLoad = "L1";
      return row;
    };
    jacketed(20, ElementType::JacketedPipe, 100.0f, 0.0f);
    jacketed(30, bend ? ElementType::JacketedBend : ElementType::JacketedPipe, 100.0f, 0.0f);
    const NodeId last = bend ? 40 : 30;
    if (bend) jacketed(40, ElementType::JacketedPipe, 0.0f, 100.0f);
    PutItem(model, model.rowCount, DataType::Anchor);
    AddRow(model, 10, ElementType::Location);
    PutItem(model, model.rowCount, DataType::JacketEndCap);
    AddRow(model, last, ElementType::Location);
    PutItem(model, model.rowCount, DataType::JacketEndCap);
    Finish(model, {1, 8, 2});
    OpenChoosing("&Sorted stresses");
    ASSERT_TRUE(InResultsMode());
    ASSERT_EQ(ResultsReopenCommand(), OpenSortedStressesTable);
  }
  static POINT PixelOf(float x, float y, float z) {
    POINT point{};
    RunOnGraphicsThread([&] {
      float vx = 0.0f, vy = 0.0f;
      ProjectPointToView(x, y, z, vx, vy);
      point = POINT{PixelX(vx), PixelY(vy)};
    });
    return point;
  }
  // A colour of the scale: one channel full, another empty; the ordinary
  // rendering and the see-through jackets never make one.
  static bool ScaleColour(COLORREF c) {
    const int high = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
    const int low = std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
    return high > 200 && low < 60;
  }
  // The name the graphics frame is given, without the program's decoration
  // ("Quorvel : <name> -  [<file>]").
  static std::string GraphicsCaption() {
    const std::string title = TextOf(GraphicsFrame().window);
    const std::string head = "Quorvel : ";
    const std::size_t end = title.find(" -  [");
    if (title.rfind(head, 0) != 0 || end == std::string::npos) return title;
    return title.substr(head.size(), end - head.size());
  }
};

TEST_F(StressDisplaysTest, ShowStressesColoursEveryStressElementByItsNodesStresses) {
  OpenSorted();
  ASSERT_EQ(CurrentStressSection(), 0);
  ResultsCommandNow(332);
  EXPECT_TRUE(StressDisplayShown());
  EXPECT_EQ(ViewItemText(332), "&Hide Stresses");
  const std::shared_ptr<const ResultPicture> picture = ShownResultPicture();
  ASSERT_NE(picture, nullptr);
  EXPECT_FALSE(picture->ratios);
  EXPECT_TRUE(picture->coloured);
  const ResultsFileContents& results = TheResults();
  ASSERT_EQ(picture->elements.size(), results.stressElements.size());
  float low = 1.0e30f, high = -1.0e30f;
  for (std::size_t i = 0; i < picture->elements.size(); ++i) {
    const AnalysisElement& element = results.elements[static_cast<std::size_t>(results.stressElements[i])];
    const ResultPictureElement& shown = picture->elements[i];
    EXPECT_EQ(shown.kind, element.kind);
    EXPECT_EQ(shown.node1, element.node1);
    float stress = 0.0f, ratio = 0.0f;
    ASSERT_TRUE(SectionNodeValues(element.node1, stress, ratio));
    EXPECT_EQ(shown.value1, stress);
    ASSERT_TRUE(SectionNodeValues(element.node2, stress, ratio));
    EXPECT_EQ(shown.value2, stress);
    for (float v : {shown.value1, shown.value2}) {
      low = std::min(low, v);
      high = std::max(high, v);
    }
  }
  // The range runs over the sorted rows: every node of the line.
  EXPECT_EQ(picture->minimum, low);
  EXPECT_EQ(picture->maximum, high);
  EXPECT_LT(low, high);
  EXPECT_EQ(picture->scaleTexts[0], std::string(FormatStress(high)) + " " + UnitLabel(kUnitStress));
  EXPECT_EQ(picture->scaleTexts[2], std::string(FormatStress((high + low) / 2.0f)) + " " + UnitLabel(kUnitStress));
  EXPECT_EQ(picture->scaleTexts[4], std::string(FormatStress(low)) + " " + UnitLabel(kUnitStress));
  EXPECT_EQ(picture->labels.size(), static_cast<std::size_t>(TheCodeStresses().sorted.rowCount));
  EXPECT_EQ(picture->labels.front().node, SortedRowNode(1));
  EXPECT_EQ(GraphicsCaption(), "SL " + std::string(UnitLabel(kUnitStress)) + " - Code:" + PipingCodeTitle(1));
  // The expansion section: the picture follows it.
  Shown().KeyDown(VK_RIGHT);
  ASSERT_EQ(CurrentStressSection(), 1);
  const std::shared_ptr<const ResultPicture> expansion = ShownResultPicture();
  ASSERT_NE(expansion, nullptr);
  EXPECT_NE(expansion, picture);
  float stress = 0.0f, ratio = 0.0f;
  ASSERT_TRUE(SectionNodeValues(expansion->elements[0].node1, stress, ratio));
  EXPECT_EQ(expansion->elements[0].value1, stress);
  EXPECT_EQ(GraphicsCaption().rfind("SE ", 0), 0u) << GraphicsCaption();
  // Hidden again by the same command.
  ResultsCommandNow(332);
  EXPECT_FALSE(StressDisplayShown());
  EXPECT_EQ(ShownResultPicture(), nullptr);
  EXPECT_EQ(ViewItemText(332), "&Show Stresses");
  EXPECT_EQ(GraphicsCaption(), "Graphics");
}

TEST_F(StressDisplaysTest, RatiosRunFromZeroToOneAndExcludeTheStresses) {
  OpenSorted();
  ResultsCommandNow(332);
  ResultsCommandNow(333);
  EXPECT_FALSE(StressDisplayShown());
  EXPECT_TRUE(RatioDisplayShown());
  EXPECT_EQ(ViewItemText(332), "&Show Stresses");
  EXPECT_EQ(ViewItemText(333), "&Hide Stress Ratios");
  const std::shared_ptr<const ResultPicture> picture = ShownResultPicture();
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(picture->ratios);
  EXPECT_EQ(picture->minimum, 0.0f);
  EXPECT_EQ(picture->maximum, 1.0f);
  EXPECT_EQ(picture->scaleTexts[1], FormatRatio(0.75));
  float stress = 0.0f, ratio = 0.0f;
  ASSERT_TRUE(SectionNodeValues(picture->elements[0].node1, stress, ratio));
  EXPECT_EQ(picture->elements[0].value1, ratio);
  EXPECT_EQ(GraphicsCaption(), "SL / SH - Code:" + PipingCodeTitle(1));
  // Leaving the table ends the display.
  ResultsCommandNow(226);
  EXPECT_FALSE(RatioDisplayShown());
  EXPECT_EQ(ShownResultPicture(), nullptr);
}

TEST_F(StressDisplaysTest, WithoutColourCodingThePictureOnlyLabelsTheNodes) {
  OpenSorted();
  ResultsCommandNow(332);
  ResultsCommandNow(383);  // the display shown goes off with the switch
  EXPECT_TRUE(ColourCodingOff());
  EXPECT_FALSE(StressDisplayShown());
  EXPECT_EQ(ShownResultPicture(), nullptr);
  ResultsCommandNow(332);
  const std::shared_ptr<const ResultPicture> picture = ShownResultPicture();
  ASSERT_NE(picture, nullptr);
  EXPECT_FALSE(picture->coloured);
  EXPECT_FALSE(RowDrawnByResultPicture(TheModel(), 2));
  // Labels of every sorted row, in red where the ratio passes 1.
  for (const ResultPictureLabel& label : picture->labels) {
    float stress = 0.0f, ratio = 0.0f;
    ASSERT_TRUE(SectionNodeValues(label.node, stress, ratio));
    EXPECT_EQ(label.value, stress);
    EXPECT_EQ(label.over, ratio > 1.0f);
  }
  ResultsCommandNow(383);
  EXPECT_FALSE(ColourCodingOff());
  // Outside the sorted stresses table the commands do nothing.
  ResultsCommandNow(226);
  ResultsCommandNow(332);
  EXPECT_FALSE(StressDisplayShown());
}

TEST_F(StressDisplaysTest, TheRenderedPictureShowsTheColourBarAndColouredPipes) {
  OpenSorted();
  ASSERT_NE(PaintingWindowHandle(), nullptr);
  ResultsCommandNow(332);
  ResultsCommandNow(131);  // the whole model in view
  platform::RunUntilIdle();
  ASSERT_TRUE(RenderMode());
  HWND painting = PaintingWindowHandle();
  UpdateWindow(painting);
  platform::RunUntilIdle();
  platform::WriteWindowPng(GraphicsFrame().window, std::string(QUORVEL_BINARY_DIR) + "/results-stress-display.png");
  // The bar: red at the top (the largest stress), green half way, blue at
  // the bottom, 20 to 45 pixels from the left (at 96 pixels per inch).
  HDC dc = GetDC(painting);
  const float r = static_cast<float>(GetDeviceCaps(dc, LOGPIXELSY)) / 96.0f;
  ReleaseDC(painting, dc);
  const int x = static_cast<int>(32.0f * r);
  auto near = [](COLORREF c, int red, int green, int blue) {
    return std::abs(GetRValue(c) - red) < 40 && std::abs(GetGValue(c) - green) < 40 && std::abs(GetBValue(c) - blue) < 40;
  };
  const COLORREF top = platform::GetWindowPixel(painting, x, static_cast<int>(21.0f * r));
  const COLORREF middle = platform::GetWindowPixel(painting, x, static_cast<int>(116.0f * r));
  const COLORREF bottom = platform::GetWindowPixel(painting, x, static_cast<int>(211.0f * r));
  EXPECT_TRUE(near(top, 255, 0, 0)) << std::hex << top;
  EXPECT_TRUE(near(middle, 0, 255, 0)) << std::hex << middle;
  EXPECT_TRUE(near(bottom, 0, 0, 255)) << std::hex << bottom;
  // Somewhere in the picture right of the bar the pipes show scale
  // colours: saturated pixels the ordinary rendering never makes.
  RECT client{};
  GetClientRect(painting, &client);
  int saturated = 0;
  for (int py = 0; py < client.bottom; py += 2)
    for (int px = static_cast<int>(120.0f * r); px < client.right; px += 2) {
      const COLORREF c = platform::GetWindowPixel(painting, px, py);
      const int high = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
      const int low = std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
      if (high > 200 && low < 60) ++saturated;
    }
  EXPECT_GT(saturated, 20);
  // The graphics window's own command goes to the Results window.
  PostMessage(GraphicsFrame().window, WM_COMMAND, 332, 0);
  platform::RunUntilIdle();
  EXPECT_FALSE(StressDisplayShown());
  EXPECT_FALSE(RenderMode());
}

TEST_F(StressDisplaysTest, JacketsAreColouredByTheirOwnStressesWhenTheViewPopupShowsThem) {
  OpenJacketedSorted();
  g_JacketStresses = false;  // a program-wide flag other tests may have left on
  ResultsCommandNow(332);
  ResultsCommandNow(131);
  platform::RunUntilIdle();
  ASSERT_TRUE(RenderMode());
  const std::shared_ptr<const ResultPicture> cores = ShownResultPicture();
  ASSERT_NE(cores, nullptr);
  EXPECT_FALSE(cores->jackets);
  // The jacket elements are in the picture with their own nodes' stresses.
  int jacketElements = 0;
  for (const ResultPictureElement& element : cores->elements) {
    if (element.kind != 6) continue;
    ++jacketElements;
    EXPECT_GE(TheModel().nodes[element.node1].id, kJacketNodeOffset);
    float stress = 0.0f, ratio = 0.0f;
    ASSERT_TRUE(SectionNodeValues(element.node2, stress, ratio));
    EXPECT_EQ(element.value2, stress);
  }
  EXPECT_EQ(jacketElements, 2);
  EXPECT_TRUE(RowDrawnByResultPicture(TheModel(), 2));
  HWND painting = PaintingWindowHandle();
  // A point inside the jacket's wall, outside the core: the see-through
  // jacket only, while the core's axis shows its colours.
  const POINT wall = PixelOf(50.0f, 3.4f, 0.0f);
  const POINT axis = PixelOf(150.0f, 0.0f, 0.0f);
  ASSERT_NE(wall.y, axis.y);
  UpdateWindow(painting);
  platform::RunUntilIdle();
  EXPECT_FALSE(ScaleColour(platform::GetWindowPixel(painting, wall.x, wall.y))) << std::hex
      << platform::GetWindowPixel(painting, wall.x, wall.y);
  EXPECT_TRUE(ScaleColour(platform::GetWindowPixel(painting, axis.x, axis.y))) << std::hex
      << platform::GetWindowPixel(painting, axis.x, axis.y);
  // The view popup offers the jackets while a display is on; choosing the
  // item shows the jackets in their colours.
  const bool previous = [] {
    bool exists = false;
    RunOnGraphicsThread([&] { exists = PreviousViewExists(); });
    return exists;
  }();
  const int downs = previous ? 7 : 6;
  // The popup runs on the graphics thread: its keys are posted to it.
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Viewpoint...", [downs](HWND popup) {
    for (int i = 0; i < downs; ++i) PostMessage(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessage(popup, WM_KEYDOWN, VK_RETURN, 0);
  });
  const POINT empty = PixelOf(100.0f, 60.0f, 0.0f);
  platform::TestMouse(painting, WM_RBUTTONDOWN, empty.x, empty.y);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_TRUE(g_JacketStresses);
  const std::shared_ptr<const ResultPicture> jackets = ShownResultPicture();
  ASSERT_NE(jackets, nullptr);
  EXPECT_NE(jackets, cores);
  EXPECT_TRUE(jackets->jackets);
  EXPECT_FALSE(jackets->ratios);
  UpdateWindow(painting);
  platform::RunUntilIdle();
  platform::WriteWindowPng(GraphicsFrame().window, std::string(QUORVEL_BINARY_DIR) + "/results-jacket-stresses.png");
  EXPECT_TRUE(ScaleColour(platform::GetWindowPixel(painting, wall.x, wall.y))) << std::hex
      << platform::GetWindowPixel(painting, wall.x, wall.y);
  // The ratios follow the flag too; the graphics window's command turns it off again.
  ResultsCommandNow(333);
  ASSERT_NE(ShownResultPicture(), nullptr);
  EXPECT_TRUE(ShownResultPicture()->jackets);
  PostMessage(GraphicsFrame().window, WM_COMMAND, 40029, 0);
  platform::RunUntilIdle();
  EXPECT_FALSE(g_JacketStresses);
  ASSERT_NE(ShownResultPicture(), nullptr);
  EXPECT_FALSE(ShownResultPicture()->jackets);
  EXPECT_TRUE(ShownResultPicture()->ratios);
}

// The jacketed bend: its jacket's arc pieces are in the picture, and with
// the jackets shown a point in the jacket's wall half way round the arc
// takes the scale's colours.
TEST_F(StressDisplaysTest, AJacketedBendsJacketArcIsColouredWithTheJackets) {
  OpenJacketedSorted(true);
  g_JacketStresses = true;
  ResultsCommandNow(332);
  ResultsCommandNow(131);
  platform::RunUntilIdle();
  const std::shared_ptr<const ResultPicture> picture = ShownResultPicture();
  ASSERT_NE(picture, nullptr);
  ASSERT_TRUE(picture->jackets);
  int arcs = 0;
  for (const ResultPictureElement& element : picture->elements)
    if (element.kind == 7) ++arcs;
  EXPECT_GE(arcs, 1);
  // The corner at (200, 0, 0); the jacket's arc from (188, 0, 0) to
  // (200, 12, 0) about (188, 12, 0); 4 in out from its middle.
  const float c = std::sqrt(0.5f), out = 12.0f + 4.0f;
  const POINT wall = PixelOf(188.0f + out * c, 12.0f - out * c, 0.0f);
  HWND painting = PaintingWindowHandle();
  UpdateWindow(painting);
  platform::RunUntilIdle();
  platform::WriteWindowPng(GraphicsFrame().window, std::string(QUORVEL_BINARY_DIR) + "/results-jacket-bend.png");
  EXPECT_TRUE(ScaleColour(platform::GetWindowPixel(painting, wall.x, wall.y))) << std::hex
      << platform::GetWindowPixel(painting, wall.x, wall.y);
  // The Results window's own 40029 makes the picture again by the flag.
  g_JacketStresses = false;
  ResultsCommandNow(40029);
  ASSERT_NE(ShownResultPicture(), nullptr);
  EXPECT_FALSE(ShownResultPicture()->jackets);
  UpdateWindow(painting);
  platform::RunUntilIdle();
  EXPECT_FALSE(ScaleColour(platform::GetWindowPixel(painting, wall.x, wall.y))) << std::hex
      << platform::GetWindowPixel(painting, wall.x, wall.y);
}

}  // namespace
