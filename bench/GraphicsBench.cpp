// The graphics window on a model of the largest size the program allows
// (7000 rows of branched pipe racks), headless: one full wireframe paint, and
// one full rendered paint (the OpenGL picture drawn into the back buffer and
// presented with its overlays), both of the whole model fitted to an 800 x
// 600 window, and a rendered working view closer in at high quality (the
// picture it draws is written where QUORVEL_BENCH_PICTURE names). The
// program runs as it does for a user, on
// its own graphics thread, with settings in a folder of the benchmark's own.
// Also the copy of the model that every edit hands to the graphics thread.
// Smoke sizes of 300 rows run in CI.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "application/Application.h"
#include "editing/DrawnModel.h"
#include "editing/ModelWindows.h"
#include "graphics/GraphicsThread.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/Zoom.h"
#include "model/GlSolids.h"
#include "model/Model.h"
#include "platform/ResourceTemplates.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"
#include "resources/QuorvelResources.h"
#include "services/Frame.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "tests/graphics/PlantModel.h"

namespace {

char g_BenchModuleTag;

// The program started headless with a plant model of `rows` rows shown in an
// 800 x 600 graphics window; shut down again at the end.
class RunningProgram {
 public:
  explicit RunningProgram(int rows) {
    folder_ = std::filesystem::temp_directory_path() / ("quorvel-graphics-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_ / "config" / "quorvel");
    setenv("QUORVEL_DISPLAY", "headless", 1);
    setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
    setenv("HOME", folder_.c_str(), 1);
    std::ofstream(FirstRunMarkerPath()).put('\n');
    const auto resources = QuorvelResources();
    platform::RegisterResources(resources.data(), resources.size());
    InstanceHandle = reinterpret_cast<HINSTANCE>(&g_BenchModuleTag);
    InitApplication("");
    InitEmptyModel(TheModel(), ProgramAnalysisOptions());
    PlantModelBuilder(TheModel()).Build(rows);
    ShowModelWindows();
    RunOnGraphicsThread([] {
      Frame& frame = GraphicsFrame();
      RECT client{}, window{};
      GetClientRect(frame.client, &client);
      GetWindowRect(frame.window, &window);
      SetWindowPos(frame.window, nullptr, 0, 0, window.right - window.left + 800 - client.right,
                   window.bottom - window.top + 600 - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    });
    Pump();
  }
  ~RunningProgram() {
    TheModel().modified = false;
    PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
    RunMessageLoop();
    EndGraphicsThread();
    ExitApplication();
    platform::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // Serves what the start-up and the hand-over posted, on both threads.
  static void Pump() {
    MSG message;
    for (int round = 0; round < 4; ++round) {
      while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessage(&message);
      }
      RunOnGraphicsThread([] {
        MSG inner;
        while (PeekMessage(&inner, nullptr, 0, 0, PM_REMOVE)) {
          TranslateMessage(&inner);
          DispatchMessage(&inner);
        }
      });
    }
  }

 private:
  std::filesystem::path folder_;
};

void PaintWireframe(benchmark::State& state, int rows) {
  RunningProgram program(rows);
  for (auto _ : state) {
    RunOnGraphicsThread([] {
      InvalidatePicture(true);
    });
  }
  state.counters["rows"] = static_cast<double>(TheModel().rowCount);
}

// Rendered paints after `view` set the view up on the graphics thread.
template <typename View>
void PaintRendered(benchmark::State& state, int rows, View view) {
  RunningProgram program(rows);
  SetRenderModeOn();
  RunOnGraphicsThread(view);
  RunningProgram::Pump();
  if (!RenderMode()) state.SkipWithError("no OpenGL context");
  for (auto _ : state) {
    RunOnGraphicsThread([] {
      DrawModelGl();
      InvalidatePicture(true);
    });
  }
  if (const char* picture = std::getenv("QUORVEL_BENCH_PICTURE"))
    platform::WriteWindowPng(GraphicsWindowHandle(), picture);
  RunOnGraphicsThread([] { SetRenderQuality(1); });
  state.counters["rows"] = static_cast<double>(TheModel().rowCount);
}

void PaintRendered(benchmark::State& state, int rows) { PaintRendered(state, rows, [] {}); }

// A working view: rendered at high quality, zoomed in ten times on the
// middle of the model, where the tubes have their facets (fitted, a model
// of this size has pipes thinner than a pixel, drawn as lines).
void PaintRenderedClose(benchmark::State& state, int rows) {
  PaintRendered(state, rows, [] {
    SetRenderQuality(2);
    for (int step = 0; step < 48; ++step) ZoomIn(false);  // 1.05^48 = 10.4
  });
}

// The copy of the model handed to the graphics thread after every edit.
void BM_GraphicsModelHandOver7000Rows(benchmark::State& state) {
  Model model;
  InitEmptyModel(model, AnalysisOptions{});
  PlantModelBuilder(model).Build(7000);
  for (auto _ : state) {
    Model copy;
    CopyModelForDrawing(model, copy);
    benchmark::DoNotOptimize(copy.rowCount);
  }
}
BENCHMARK(BM_GraphicsModelHandOver7000Rows)->Unit(benchmark::kMillisecond);

void BM_GraphicsWireframePaint7000Rows(benchmark::State& state) { PaintWireframe(state, 7000); }
void BM_GraphicsRenderedPaint7000Rows(benchmark::State& state) { PaintRendered(state, 7000); }
void BM_GraphicsRenderedCloseView7000Rows(benchmark::State& state) { PaintRenderedClose(state, 7000); }
void BM_GraphicsSmokeWireframePaint(benchmark::State& state) { PaintWireframe(state, 300); }
void BM_GraphicsSmokeRenderedPaint(benchmark::State& state) { PaintRendered(state, 300); }

BENCHMARK(BM_GraphicsWireframePaint7000Rows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GraphicsRenderedPaint7000Rows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GraphicsRenderedCloseView7000Rows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GraphicsSmokeWireframePaint)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GraphicsSmokeRenderedPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
