// The mode shape drawn over the model in the graphics window, headless: the
// line analysed for its modes and opened in the Results window, then the
// shape switched from the graphics window's own command 216 (which belongs
// to the Results window): the overlay appears in the overlay colour of the
// background at the default magnification, 5 % of the largest, and goes
// again; stepping the mode keeps it shown on the new mode; the deflected
// shape of a static case from the displacements table carries its
// magnification in the title. Under a shape the model is drawn in grey, and
// an animation leaves out the node numbers; both come back with the shape
// hidden. The rendered picture animates over the model's lines in grey.
#include <gtest/gtest.h>

#include <algorithm>

#include "editing/ModelWindows.h"
#include "graphics/GraphicsThread.h"
#include "model/DrawingColours.h"
#include "platform/TestSupport.h"
#include "results/DisplacementTables.h"
#include "results/ModalTables.h"
#include "results/ResultsTesting.h"
#include "results/ShapeDisplay.h"
#include "results/ShapeOverlay.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "services/ViewRequests.h"

namespace {

class ModeShapeDisplayTest : public ResultsFixture {
 protected:
  void TearDown() override {
    HideShapeDisplays();
    ResultsFixture::TearDown();
  }
  void OpenLineResults(const std::vector<int>& cases, const std::string& chooser) {
    Model& model = BuildLine(cases);
    model.options.ModeCount = 3;
    model.options.CutOffFrequency = 1000;
    EXPECT_EQ(WriteModelFile(ModelPath()), "");
    ShowModelWindows();
    platform::RunUntilIdle();
    Analyse();
    OpenCancelled(chooser);
    ASSERT_TRUE(InResultsMode());
    ASSERT_NE(PaintingWindowHandle(), nullptr);
  }
  // Every pixel of the painting window.
  static std::vector<COLORREF> Picture() {
    platform::RunUntilIdle();
    RECT client{};
    GetClientRect(PaintingWindowHandle(), &client);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x) pixels.push_back(platform::GetWindowPixel(PaintingWindowHandle(), x, y));
    return pixels;
  }
  static int Differences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    int count = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) count += a[i] != b[i] ? 1 : 0;
    return count;
  }
  static int Count(const std::vector<COLORREF>& picture, COLORREF colour) {
    return static_cast<int>(std::count(picture.begin(), picture.end(), colour));
  }
  static void GraphicsCommand(int id) {
    PostMessage(GraphicsWindowHandle(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
};

TEST_F(ModeShapeDisplayTest, TheGraphicsWindowDrawsTheModeShapeAndStepsIt) {
  OpenLineResults({30}, "RESULTS3_DIALOG");
  OpenFrequenciesTable();
  const std::vector<COLORREF> before = Picture();
  GraphicsCommand(216);
  ASSERT_TRUE(ModeShapeShown());
  EXPECT_GT(Differences(Picture(), before), 50);
  EXPECT_GT(g_MaxMagnification, 0.0f);
  EXPECT_FLOAT_EQ(g_Magnification, 0.05f * g_MaxMagnification);
  EXPECT_FLOAT_EQ(ShapeOverlayScale(), g_Magnification);
  char title[256] = {};
  GetWindowText(GraphicsWindowHandle(), title, sizeof title);
  EXPECT_NE(std::string(title).find(CurrentModeTitle()), std::string::npos) << title;
  // Leaving the table hides it; the Mode shapes table shows it again and
  // steps to the next mode with it shown.
  OpenModeShapeTable();
  EXPECT_FALSE(ModeShapeShown());
  GraphicsCommand(216);
  ASSERT_TRUE(ModeShapeShown());
  GraphicsCommand(228);
  EXPECT_EQ(g_CurrentMode, 2);
  EXPECT_TRUE(ModeShapeShown());
  EXPECT_TRUE(ShapeOverlayShown());
  GraphicsCommand(216);
  EXPECT_FALSE(ShapeOverlayShown());
  EXPECT_EQ(Differences(Picture(), before), 0);
}

TEST_F(ModeShapeDisplayTest, TheModelIsGreyUnderTheShapeAndTheAnimationLeavesOutTheNodeNumbers) {
  OpenLineResults({30}, "RESULTS3_DIALOG");
  OpenFrequenciesTable();
  const COLORREF grey = RGB(128, 128, 128);
  COLORREF element = 0, support = 0, nodeNumber = 0, dot = 0;
  TheModel().graphics.show[kShowNodeDots] = 1;
  TheModel().graphics.show[kShowNodeNumbers] = 1;
  RunOnGraphicsThread([&] {
    dot = CurrentDrawingStyle().dot;
    element = CurrentDrawingStyle().element;
    support = CurrentDrawingStyle().support;
    nodeNumber = CurrentDrawingStyle().nodeNumber;
  });
  RequestGraphicsRedraw();
  const std::vector<COLORREF> before = Picture();
  ASSERT_GT(Count(before, element), 50);
  ASSERT_GT(Count(before, dot), 50);
  ASSERT_GT(Count(before, support), 10);
  ASSERT_GT(Count(before, nodeNumber), 10);
  EXPECT_EQ(Count(before, grey), 0);
  GraphicsCommand(216);
  ASSERT_TRUE(ModeShapeShown());
  const std::vector<COLORREF> still = Picture();
  EXPECT_EQ(Count(still, element), 0);
  EXPECT_EQ(Count(still, support), 0);
  EXPECT_GT(Count(still, grey), Count(before, element));
  EXPECT_GT(Count(still, nodeNumber), 10);
  GraphicsCommand(221);
  ASSERT_TRUE(AnimationRunning());
  const std::vector<COLORREF> moving = Picture();
  EXPECT_EQ(Count(moving, element), 0);
  EXPECT_GT(Count(moving, grey), 50);
  EXPECT_EQ(Count(moving, nodeNumber), 0);
  EXPECT_EQ(Count(moving, dot), 0);
  GraphicsCommand(221);
  ASSERT_FALSE(AnimationRunning());
  EXPECT_FALSE(ShapeOverlayShown());
  EXPECT_EQ(Differences(Picture(), before), 0);
}

TEST_F(ModeShapeDisplayTest, TheRenderedPictureAnimatesOverTheModelsLinesInGrey) {
  OpenLineResults({30}, "RESULTS3_DIALOG");
  OpenFrequenciesTable();
  GraphicsCommand(130);  // Render
  ASSERT_TRUE(RenderMode());
  const COLORREF grey = RGB(128, 128, 128), red = RGB(255, 0, 0);
  const std::vector<COLORREF> rendered = Picture();
  EXPECT_EQ(Count(rendered, red), 0);
  GraphicsCommand(221);
  ASSERT_TRUE(AnimationRunning());
  const std::vector<COLORREF> moving = Picture();
  EXPECT_GT(Count(moving, grey), 50);
  EXPECT_GT(Count(moving, red), 20);
  const auto others = [&](const std::vector<COLORREF>& picture) {
    int n = 0;
    for (COLORREF c : picture) n += c != grey && c != red && c != RGB(255, 255, 255) ? 1 : 0;
    return n;
  };
  // The shaded solids are gone while the shape moves: only the grey lines
  // and the red shape are drawn on the background.
  EXPECT_GT(others(rendered), 1000);
  EXPECT_EQ(others(moving), 0);
  GraphicsCommand(221);
  ASSERT_FALSE(AnimationRunning());
  EXPECT_TRUE(RenderMode());
  EXPECT_EQ(Differences(Picture(), rendered), 0);
}

TEST_F(ModeShapeDisplayTest, TheDeflectedShapeOfAStaticCase) {
  OpenLineResults({1, 8, 2}, "RESULTS6_DIALOG");
  g_ResultCase = ResultCaseOfType(8);
  OpenDisplacementsTable();
  GraphicsCommand(216);
  ASSERT_TRUE(DeflectedShapeShown());
  EXPECT_TRUE(ShapeOverlayShown());
  char title[256] = {};
  GetWindowText(GraphicsWindowHandle(), title, sizeof title);
  EXPECT_NE(std::string(title).find("Deflected shape: Operating (W+P1+T1), Magnification factor = "), std::string::npos)
      << title;
  EXPECT_EQ(ShapeItemText(), "&Hide Deflected Shape\t Ctrl+D");
  GraphicsCommand(216);
  EXPECT_FALSE(DeflectedShapeShown());
  EXPECT_FALSE(ShapeOverlayShown());
}

}  // namespace
