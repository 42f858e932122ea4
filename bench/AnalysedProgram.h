// The program of the results benchmarks: started headless with settings
// in a folder of its own, the generated serpentine model of `rows` rows
// built, saved and (unless the benchmark edits it instead) analysed once
// before any timing; shut down and its folder removed when it goes.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "SerpentineModel.h"
#include "analysis/AnalysisDriver.h"
#include "application/Application.h"
#include "files/ModelFile.h"
#include "graphics/GraphicsThread.h"
#include "numeric/RunState.h"
#include "platform/Messages.h"
#include "platform/ResourceTemplates.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "resources/QuorvelResources.h"
#include "results/ResultsMode.h"
#include "services/Frame.h"
#include "services/ProgramContext.h"

namespace bench_models {

inline char g_BenchModuleTag;

class AnalysedProgram {
 public:
  explicit AnalysedProgram(int rows, bool analyse = true) {
    folder_ = std::filesystem::temp_directory_path() / ("quorvel-results-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_ / "config" / "quorvel");
    setenv("QUORVEL_DISPLAY", "headless", 1);
    setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
    setenv("HOME", folder_.c_str(), 1);
    std::ofstream(FirstRunMarkerPath()).put('\n');
    const auto resources = QuorvelResources();
    platform::RegisterResources(resources.data(), resources.size());
    InstanceHandle = reinterpret_cast<HINSTANCE>(&g_BenchModuleTag);
    InitApplication("");
    Model& model = TheModel();
    bench_models::BuildSerpentine(model, rows, (folder_ / "serpentine.mod").string());
    WriteModelFile(model.path);
    model.modified = false;
    if (!analyse) return;
    try {
      RunAnalysis(model, SilentProgress());
    } catch (const std::string& message) {
      std::fprintf(stderr, "analysis refused: %s\n", message.c_str());
      throw;
    }
  }
  ~AnalysedProgram() {
    LeaveResultsMode();
    TheModel().modified = false;
    PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
    RunMessageLoop();
    EndGraphicsThread();
    ExitApplication();
    platform::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  AnalysedProgram(const AnalysedProgram&) = delete;
  AnalysedProgram& operator=(const AnalysedProgram&) = delete;

 private:
  std::filesystem::path folder_;
};

}  // namespace bench_models
