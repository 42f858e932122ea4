// How a run ends when it cannot finish: a results file that cannot be
// written (the file size limit of the process stands in for a full disk),
// a singular system, and every refusal before the first step (kinds whose
// analysis is not built, cases that cannot run yet, a load off the pipe, a
// combination without its sources, an untitled model), and results that
// are not finite numbers. Each names its
// cause, leaves the previous results file byte for byte, and leaves no new
// file, temporary or work file behind; the model is not changed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <fstream>
#include <iterator>
#include <set>

#include "analysis/AnalysisTesting.h"
#include "kindbase/GlobalSystem.h"
#include "loads/TimeVaryingLoad.h"
#include "model/MakeModel.h"
#include "services/NameTables.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"

namespace {

using namespace analysis_testing;
namespace fs = std::filesystem;

class AnalysisRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_);
    liveTemps_ = CountLiveTempFiles();
  }
  void TearDown() override {
    fs::remove_all(folder_);
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // From 10 (anchor), pipe 20 (+80 X), bend 30 (+80 X), pipe 40 (+80 Z, anchor).
  Model& Build() {
    Model& model = TheModel();
    StartModel(model, 400.0, kDensity, folder_ + "/line.mod");
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 80.0f);
    PipeRow(model, 30, ElementType::Bend, 80.0f);
    PipeRow(model, 40, ElementType::Pipe, 0.0f, 0.0f, 80.0f);
    PutItem(model, 4, DataType::Anchor);
    MakeModel(model);
    SetCases(model, {1, 8, 2});
    model.modified = false;
    return model;
  }
  std::string ResultsPath() const { return folder_ + "/line.res"; }
  void WriteOldResults() {
    std::ofstream out(ResultsPath(), std::ios::binary);
    out << oldBytes_;
  }
  std::set<std::string> Files() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.insert(entry.path().filename().string());
    return names;
  }
  // The run's message; then the old results are intact and nothing new is left.
  std::string FailedRun() {
    WriteOldResults();
    const std::set<std::string> before = Files();
    std::string message;
    try {
      RunAnalysis(TheModel(), SilentProgress());
    } catch (const std::string& text) {
      message = text;
    }
    std::ifstream in(ResultsPath(), std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), oldBytes_);
    EXPECT_EQ(Files(), before);
    EXPECT_EQ(CountLiveTempFiles(), liveTemps_);
    EXPECT_FALSE(TheModel().modified);
    EXPECT_EQ(g_ResultsFile, nullptr);
    return message;
  }

  std::string folder_ = TempFolder() + "/analysis-run";
  std::string oldBytes_ = std::string("QUORVELWRES900\0\0 the results of an earlier run", 47);
  int liveTemps_ = 0;
};

TEST_F(AnalysisRunTest, AWriteFailureNamesTheFileAndKeepsTheOldResults) {
  Build();
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  sighandler_t previous = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 700;  // the header and elements fit, the first block does not
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string message = FailedRun();
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previous);
  EXPECT_EQ(message, "Unable to write the results file\n" + ResultsPath());
  // The same model writes its file once the disk has room again.
  RunAnalysis(TheModel(), SilentProgress());
  EXPECT_GT(fs::file_size(ResultsPath()), 700u);
}

TEST_F(AnalysisRunTest, ASingularSystemNamesTheNodeAndDirection) {
  Model& model = Build();
  model.row(1).dataType = DataType::None;
  model.row(1).item.reset();
  // Only the far anchor holds the line; released in X, nothing holds it
  // there, and the factorisation meets the first X equation (the
  // renumbering starts at the far end).
  static_cast<Anchor&>(*model.row(4).item).stiffness[0] = 0.0f;
  EXPECT_EQ(FailedRun(), "Stiffness matrix is not positive definite\nAt node 40, Direction = X");
}

TEST_F(AnalysisRunTest, WhatCannotBeAnalysedYetIsRefusedBeforeTheFirstStep) {
  Model& model = Build();
  // A time history without a time step would divide by it.
  SetCases(model, {1, 30, 35});
  EXPECT_EQ(FailedRun(), "The time step of the time history analysis must be greater than 0.");
  // A force on the bend's row sits where the tangents meet, off the pipe.
  Build();
  PutItem(model, 3, DataType::Force);
  EXPECT_EQ(FailedRun(), "Row 3: the Force at node 30 is not on the pipe");
  // An expansion formed by combination needs its operating case first.
  Build();
  SetCases(model, {1, 2, 8});
  EXPECT_EQ(FailedRun(), "The load case \"Expansion (T1)\" needs \"Operating (W+P1+T1)\" analysed before it.");
  Build();
  model.path.clear();
  EXPECT_EQ(FailedRun(), "The model must be saved before it is analyzed.");
}

// A pipe of 5E36 inches between two anchors (about the longest whose node
// the making of the model still places): its weight's end moment,
// wL²/12, is far beyond what the results file's f32 holds (the run used to
// write zeros, from an element axis lost to the square of its length, and
// report a success). The anchor's rotation is the first value that does
// not fit: the run ends naming the first case and that node and direction.
// At 1E20 inches the rotations still fit, the pipe's end moments do not:
// the run names the element. Either way no results are left.
TEST_F(AnalysisRunTest, ResultsThatAreNotFiniteEndTheRunNamingTheLoadCase) {
  for (const auto& [length, where] :
       {std::pair{5.0e36f, std::string("At node 10, Direction = ZZ")},
        std::pair{1.0e20f, std::string("In the element from node 10 to node 20")}}) {
    SCOPED_TRACE(length);
    Model& model = TheModel();
    StartModel(model, 400.0, kDensity, folder_ + "/line.mod");
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, length);
    PutItem(model, 2, DataType::Anchor);
    MakeModel(model);
    SetCases(model, {1, 8, 2});
    model.modified = false;
    EXPECT_EQ(FailedRun(), "The results of the load case \"Sustained (W+P)\" are not finite numbers.\n" + where +
                               "\nCheck the lengths, loads and stiffnesses of the model.");
  }
  // A sane length runs.
  const RunResults run = AnalyseAndRead(Build());
  EXPECT_EQ(run.cases.size(), 3u);
}

// The same for a dynamic case: a time varying load scaled beyond what any
// displacement can follow ends the time history naming its case.
TEST_F(AnalysisRunTest, ADynamicCaseWhoseResultsAreNotFiniteEndsTheRun) {
  Model& model = Build();
  model.timeFunctions.back() = {"STEP", {{0.0f, 1.0f}, {10.0f, 1.0f}}};
  model.timeFunctions.emplace_back();
  const int row = PipeRow(model, 20, ElementType::From, 0.0f);
  PutItem(model, row, DataType::TimeVaryingLoad);
  auto& load = static_cast<TimeVaryingLoad&>(*model.row(row).item);
  load.Direction = 2;
  load.TimeFunctionName = "STEP";
  load.ScaleFactor = 3.0e38f;
  load.UnitFactor = 1.0f;
  MakeModel(model);
  model.options.ModeCount = 3;
  model.timeHistory = TimeHistorySettings{0.001f, 11, 1, 0, 5.0f};
  SetCases(model, {1, 30, 35});
  const std::string message = FailedRun();
  EXPECT_EQ(message.substr(0, message.find('\n')),
            "The results of the load case \"" + std::string(LoadCaseTitle(35)) + "\" are not finite numbers.");
  // Within what a displacement can be, the same load runs.
  load.ScaleFactor = 1000.0f;
  RunAnalysis(model, SilentProgress());
  EXPECT_TRUE(fs::exists(ResultsPath()));
}

TEST_F(AnalysisRunTest, ARunChangesNothingOfTheModelAndSolvedOrCombinedExpansionAgree) {
  Model& model = Build();
  model.options.IncludeMissingMass = 1;
  model.wind.loads[0].direction = {3.0f, 0.0f, 4.0f};
  const RunResults combined = AnalyseAndRead(model);
  EXPECT_FALSE(model.modified);
  EXPECT_EQ(model.options.IncludeMissingMass, 1);
  EXPECT_EQ(model.wind.loads[0].unitDirection, (std::array<float, 3>{}));
  EXPECT_EQ(model.options.SolveThermalCase, 0);
  // Solved instead of combined: the same expansion within round-off.
  model.options.SolveThermalCase = 1;
  const RunResults solved = AnalyseAndRead(model);
  EXPECT_EQ(model.options.SolveThermalCase, 1);
  const std::vector<double> a = SupportValues(combined, combined.cases[2], 1);
  const std::vector<double> b = SupportValues(solved, solved.cases[2], 1);
  for (std::size_t i = 0; i < 6; ++i) EXPECT_TRUE(Within(b[i], a[i], 1e-4, 1e-2)) << i;
  EXPECT_GT(std::fabs(a[0]), 100.0);
}

// With "export_K" set, every element's local stiffness goes beside the
// model, twelve comma-separated rows of twelve under a heading naming its
// nodes and kind; the file holds the run's last element-force block.
TEST_F(AnalysisRunTest, TheStiffnessExportHoldsEveryElementOfTheLastBlock) {
  Build();
  setenv("export_K", "", 1);
  RunAnalysis(TheModel(), SilentProgress());
  unsetenv("export_K");
  std::ifstream in(folder_ + "/line_K.csv", std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 4u * 13u);  // four elements, one operating and one sustained block
  EXPECT_EQ(lines[0], "Element: 10 - 20,Type :Pipe\r");
  EXPECT_EQ(lines[26], "Element: 30A - 30B,Type :Bend\r");
  // Row 1 of a straight pipe: AE/L on the axial terms, nothing else.
  const double axial = kE * Pipe4().A / 80.0;
  EXPECT_TRUE(Within(std::stod(lines[1]), axial, 1e-6));
  std::size_t fields = 0;
  for (char c : lines[1]) fields += c == ',' ? 1 : 0;
  EXPECT_EQ(fields, 13u);
}

}  // namespace
