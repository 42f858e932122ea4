// The fixture of the graphics window tests: the program started in-process
// (so the graphics thread and its windows exist, headless), a model built in
// code and shown as an opened model is, and helpers that read the picture
// and drive the painting window as a user would.
#pragma once

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "application/LayoutWindow.h"
#include "editing/ModelWindows.h"
#include "graphics/GraphicsThread.h"
#include "graphics/Highlight.h"
#include "graphics/PlantModel.h"
#include "model/Drawing2D.h"
#include "model/GraphicsState.h"
#include "model/LayoutTesting.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "model/ViewProjection.h"
#include "platform/Input.h"
#include "platform/Paint.h"
#include "platform/TestSupport.h"
#include "results/ResultPicture.h"
#include "services/AppTesting.h"
#include "services/ViewRequests.h"
#include "tests/model/ModelBuilder.h"

// A colour of the result scale: one channel full, another empty; the grey
// of lit pipes, the text and the background never make one.
inline bool ScaleColour(COLORREF c) {
  const int high = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
  const int low = std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
  return high > 200 && low < 60;
}

class GraphicsFixture : public LayoutFixture {
 protected:
  // The program as the Layout tests start it, with a new empty model and
  // lengths in inches.
  void SetUp() override {
    LayoutFixture::SetUp();
    g_UnitsSettings = UnitsSettings{};
    Model& model = TheModel();
    // A new model, as after the last one was closed: nothing highlighted
    // in an earlier test's picture comes back over this one.
    ForgetHighlight();
    ClearModel(model);
    InitEmptyModel(model, ProgramAnalysisOptions());
  }

  struct RowLine {
    NodeId node;
    ElementType type;
    float dx, dy;
    const char* section;
  };
  // Rows after the model's last one; pipes name "CS", the section, "L1".
  static void AddRows(std::initializer_list<RowLine> rows) {
    Model& model = TheModel();
    for (const RowLine& line : rows) {
      const int number = AddRow(model, line.node, line.type, line.dx, line.dy, 0.0f);
      if (line.type != ElementType::Pipe) continue;
      model.row(number).material = "CS";
      model.row(number).section = line.section;
      model.row(number).load = "L1";
    }
  }

  // The model made and brought up as an opened model is.
  void ShowModel() {
    MakeModel(TheModel());
    ShowModelWindows();
    platform::RunUntilIdle();
  }
  void ShowPlant(int rows, bool withBends = false) {
    PlantModelBuilder(TheModel()).Build(rows, withBends);
    ShowModelWindows();
    platform::RunUntilIdle();
  }

  static HWND Frame() { return GraphicsWindowHandle(); }
  static HWND Painting() { return PaintingWindowHandle(); }

  // The painting window's client size made (width, height).
  static void SizeClient(int width, int height) {
    RECT client{}, window{};
    GetClientRect(Painting(), &client);
    GetWindowRect(Frame(), &window);
    SetWindowPos(Frame(), nullptr, 0, 0, window.right - window.left + width - client.right,
                 window.bottom - window.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    platform::RunUntilIdle();
  }

  static void Command(int id) {
    PostMessage(Frame(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }

  static COLORREF Pixel(int x, int y) { return platform::GetWindowPixel(Painting(), x, y); }

  // Reads a value of the graphics thread's state there.
  template <typename Reader>
  static auto OnGraphics(Reader reader) {
    decltype(reader()) value{};
    RunOnGraphicsThread([&] { value = reader(); });
    return value;
  }

  // The pixel of a model point in the painting window.
  static POINT PixelOf(float x, float y, float z) {
    return OnGraphics([=] {
      float vx = 0.0f, vy = 0.0f;
      ProjectPointToView(x, y, z, vx, vy);
      return POINT{PixelX(vx), PixelY(vy)};
    });
  }

  // A lit solid's colours: grey (the pipes and bends), orange (supports).
  static bool IsGrey(COLORREF c) {
    return c != RGB(255, 255, 255) && std::abs(GetRValue(c) - GetGValue(c)) <= 2 &&
           std::abs(GetGValue(c) - GetBValue(c)) <= 2;
  }
  static bool IsOrange(COLORREF c) { return GetRValue(c) > GetGValue(c) + 30 && GetGValue(c) > GetBValue(c) + 30; }

  // A coloured stress picture as the Results window hands it over: every
  // pipe row of the model from `low` at its start to `high` at its end,
  // on the scale `minimum` to `maximum` with the bar's five texts.
  static void ShowStressPicture(float minimum, float maximum, float low, float high,
                                const std::array<std::string, 5>& texts) {
    auto picture = std::make_shared<ResultPicture>();
    picture->coloured = true;
    picture->minimum = minimum;
    picture->maximum = maximum;
    picture->scaleTexts = texts;
    const Model& model = TheModel();
    for (int number = 1; number <= model.rowCount; ++number) {
      const LayoutRow& row = model.row(number);
      if (row.elementType == ElementType::Pipe && row.startNode != 0 && row.endNode != 0)
        picture->elements.push_back({static_cast<int>(ElementType::Pipe), number, row.startNode, row.endNode, low, high});
    }
    SetResultPicture(picture);
    platform::RunUntilIdle();
  }
  // A rubber band dragged from `a` to `b`, widened by the margins given,
  // as a user zooms to a part of the picture.
  static void DragBand(POINT a, POINT b, int marginAbove, int marginBelow) {
    platform::AdvanceClock(GetDoubleClickTime() + 1);
    platform::TestMouse(Painting(), WM_LBUTTONDOWN, std::min(a.x, b.x), std::min(a.y, b.y) - marginAbove);
    platform::TestMouse(Painting(), WM_LBUTTONUP, std::max(a.x, b.x), std::max(a.y, b.y) + marginBelow);
    platform::RunUntilIdle();
  }

  static void Click(int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
    platform::TestMouse(Painting(), down, x, y);
    platform::TestMouse(Painting(), up, x, y);
    platform::RunUntilIdle();
  }
};
