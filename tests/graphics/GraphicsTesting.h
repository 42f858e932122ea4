// The fixture of the graphics window tests: the program started in-process
// (so the graphics thread and its windows exist, headless), a model built in
// code and shown as an opened model is, and helpers that read the picture
// and drive the painting window as a user would.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "PlantModel.h"
#include "graphics/Drawing2D.h"
#include "graphics/GraphicsState.h"
#include "graphics/GraphicsThread.h"
#include "graphics/Highlight.h"
#include "graphics/ViewProjection.h"
#include "model/LayoutWindow.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/ModelWindows.h"
#include "platform/Input.h"
#include "platform/Paint.h"
#include "platform/TestSupport.h"
#include "shell/AppTesting.h"
#include "shell/UndoFiles.h"

class GraphicsFixture : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    // Not a first run: that would open the sample model over ours.
    std::filesystem::create_directories(std::filesystem::path(FirstRunMarkerPath()).parent_path());
    std::ofstream(FirstRunMarkerPath()).put('\n');
    InitApplication("");
    platform::RunUntilIdle();
    DeleteUndoRedoFiles();
    Model& model = TheModel();
    ClearModel(model);
    InitEmptyModel(model, ProgramAnalysisOptions());
  }
  void TearDown() override {
    HWND main = MainFrame().window;
    if (main != nullptr && IsWindow(main)) {
      TheModel().modified = false;
      PostMessage(main, WM_CLOSE, 0, 0);
      RunMessageLoop();
    }
    DeleteUndoRedoFiles();
    AppFixture::TearDown();
  }

  // The model made and brought up as an opened model is.
  void ShowModel() {
    MakeModel(TheModel());
    ShowModelWindows();
    platform::RunUntilIdle();
  }
  void ShowPlant(int rows) {
    PlantModelBuilder(TheModel()).Build(rows);
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

  static void Click(int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
    platform::TestMouse(Painting(), down, x, y);
    platform::TestMouse(Painting(), up, x, y);
    platform::RunUntilIdle();
  }
};
