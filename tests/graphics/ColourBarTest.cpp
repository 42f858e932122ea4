// The colour bar of a coloured result picture over the rendered model: it
// keeps its place when the view is zoomed, and its labels stay readable
// when the zoomed model runs under them (they stand on a card of the
// background's colour, never on the picture).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/GraphicsTesting.h"
#include "graphics/GraphicsWindow.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "records/DrawingGeometry.h"
#include "records/PipeSection.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"

namespace {

const std::array<std::string, 5> kScaleTexts = {"21000 psi", "16000 psi", "11000 psi", "6000 psi", "1000 psi"};

class ColourBarTest : public GraphicsFixture {
 protected:
  void TearDown() override {
    ClearResultPicture();
    platform::RunUntilIdle();
    if (RenderMode()) Command(130);
    GraphicsFixture::TearDown();
  }
  // A pipe of 10 in diameter 100 in along X, then 100 in up Y, seen along
  // Z, rendered and coloured from 1000 psi to 11000 psi along each pipe.
  void ShowColouredPipes() {
    Model& model = TheModel();
    PipeSection section;
    InitSection(section);
    section.name = "S10";
    section.outsideDiameter = 10.0f;
    AppendSection(model.sections, section);
    AddRows({{10, ElementType::From, 0, 0, ""}, {20, ElementType::Pipe, 100, 0, "S10"}, {30, ElementType::Pipe, 0, 100, "S10"}});
    ShowModel();
    SizeClient(640, 480);
    Command(124);  // View Z: X to the right, Y up
    Command(130);  // Render
    ShowStressPicture(1000.0f, 21000.0f, 1000.0f, 11000.0f, kScaleTexts);
  }
  // The five labels' text boxes (the text's extent from its ascent to its
  // descent), as the window's font places them beside the bar.
  static std::vector<RECT> LabelBoxes() {
    std::vector<RECT> boxes;
    RunOnGraphicsThread([&] {
      HDC dc = PaintingDc();
      const float r = static_cast<float>(GetDeviceCaps(dc, LOGPIXELSY)) / 96.0f;
      TEXTMETRIC metrics{};
      GetTextMetrics(dc, &metrics);
      const int top = static_cast<int>(20.0f * r), bottom = static_cast<int>(212.0f * r);
      const int x = static_cast<int>(45.0f * r) + metrics.tmAveCharWidth;
      const int raise = (metrics.tmAscent - metrics.tmInternalLeading) / 2;
      for (int i = 0; i < 5; ++i) {
        const std::string& text = kScaleTexts[static_cast<std::size_t>(i)];
        SIZE extent{};
        GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        const int baseline = top + (bottom - top) * i / 4 + raise;
        boxes.push_back(RECT{x, baseline - metrics.tmAscent, x + extent.cx, baseline + metrics.tmDescent});
      }
    });
    return boxes;
  }
  static int ScalePixelsIn(const RECT& box) {
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x) count += ScaleColour(Pixel(x, y));
    return count;
  }
  static int DarkPixelsIn(const RECT& box) {
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x) {
        const COLORREF c = Pixel(x, y);
        count += GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
      }
    return count;
  }
  // The bar's two edge columns, top to bottom.
  static std::vector<COLORREF> BarEdges() {
    const float r = OnGraphics([] {
      HDC dc = PaintingDc();
      return static_cast<float>(GetDeviceCaps(dc, LOGPIXELSY)) / 96.0f;
    });
    std::vector<COLORREF> pixels;
    for (int x : {static_cast<int>(20.0f * r), static_cast<int>(45.0f * r) - 1})
      for (int y = static_cast<int>(20.0f * r); y <= static_cast<int>(212.0f * r); ++y) pixels.push_back(Pixel(x, y));
    return pixels;
  }
};

TEST_F(ColourBarTest, TheBarKeepsItsPlaceAndItsLabelsStayReadableOverTheZoomedModel) {
  ShowColouredPipes();
  ASSERT_TRUE(RenderMode());
  const std::vector<COLORREF> edges = BarEdges();
  // Red at the top (the largest value), blue at the bottom.
  EXPECT_EQ(edges.front(), RGB(255, 0, 0));
  EXPECT_EQ(edges[edges.size() / 2 - 1], RGB(0, 0, 255));
  // One zoom to a band around the first pipe near its start: the pipe, 10 in
  // through, now crosses the whole window behind the lower labels.
  DragBand(PixelOf(5.0f, -8.0f, 0.0f), PixelOf(35.0f, 8.0f, 0.0f), 0, 0);
  const POINT start = PixelOf(0.0f, 0.0f, 0.0f);
  ASSERT_LT(start.x, 0);  // the pipe's start lies beyond the window's left edge
  const std::vector<RECT> boxes = LabelBoxes();
  ASSERT_EQ(boxes.size(), 5u);
  // The pipe runs behind the bottom label's row on both sides of the scale.
  const int row = (boxes[4].top + boxes[4].bottom) / 2;
  ASSERT_TRUE(ScaleColour(Pixel(4, row))) << std::hex << Pixel(4, row);
  ASSERT_TRUE(ScaleColour(Pixel(boxes[4].right + 60, row))) << std::hex << Pixel(boxes[4].right + 60, row);
  // The bar is where it was, pixel for pixel.
  EXPECT_EQ(BarEdges(), edges);
  // Each label is written dark on a plain ground: no picture colour under it.
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_EQ(ScalePixelsIn(boxes[i]), 0) << kScaleTexts[i];
    EXPECT_GT(DarkPixelsIn(boxes[i]), 10) << kScaleTexts[i];
  }
  platform::WriteWindowPng(Painting(), std::string(QUORVEL_BINARY_DIR) + "/colour-bar-zoomed.png");
}

}  // namespace
