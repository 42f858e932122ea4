// The time-history results reader (*.rth): the results of the time-history
// model of ResultsFuzzModels.h are read once, and each input is read as the
// time-history file beside them. A file is refused (its message on the
// standard error stream: no one answers a dialog here) and the results
// keep no part of it, or it is read and the series the time-history tables
// show (a node's displacements, an element end's forces, the support loads)
// are read from it. The process aborts when a refused file leaves a part of
// itself in the results. Seeds: the file the time-history analysis writes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "analysis/AnalysisDriver.h"
#include "fuzz/FuzzTarget.h"
#include "fuzz/ResultsFuzzModels.h"
#include "model/Regenerate.h"
#include "numeric/RunState.h"
#include "results/TimeHistoryTables.h"
#include "resultsfile/ResultsFile.h"
#include "services/BinaryFile.h"
#include "services/Message.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

[[noreturn]] void Fault(const std::string& what) {
  std::fprintf(stderr, "time history file: %s\n", what.c_str());
  std::abort();
}

// The model analysed (its results and time-history files written beside
// it) and its results read without the time history; the analysed file's
// bytes are kept for the seeds.
struct Analysed {
  ResultsFileContents results;
  std::string resultsPath;
  std::string timeHistoryBytes;
};

const Analysed& TheAnalysed() {
  static const Analysed analysed = [] {
    MessagesToStandardError = true;
    Analysed made;
    Model& model = TheModel();
    const std::string modelPath = FuzzWriteFile("history.mod", nullptr, 0);
    BuildResultsFuzzModel(model, ResultsFuzzModel::kTimeHistory, modelPath);
    try {
      RunAnalysis(model, SilentProgress());
    } catch (const std::string& message) {
      Fault("the analysis failed: " + message);
    }
    made.timeHistoryBytes = Bytes(TimeHistoryPathOf(model.path));
    // Read against the model as built, as opening the results makes it.
    BuildResultsFuzzModel(model, ResultsFuzzModel::kTimeHistory, modelPath);
    RegenerateModel(model);
    made.resultsPath = ResultsPathOf(model.path);
    BinaryFile file;
    if (!BinaryFileOpenRead(file, made.resultsPath)) Fault("no results were written");
    try {
      ReadResultsFile(file, made.resultsPath, model, made.results);
    } catch (const std::string& message) {
      Fault("the results written were refused: " + message);
    }
    BinaryFileClose(file);
    return made;
  }();
  return analysed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Analysed& analysed = TheAnalysed();
  const std::string path = TimeHistoryPathOf(analysed.resultsPath);
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                 static_cast<std::streamsize>(size));
  ResultsFileContents& results = TheResults();
  results = analysed.results;
  ReadTimeHistoryResults(analysed.resultsPath, TheModel(), results, nullptr);
  if (!results.timeHistoryOpen) {
    if (results.timeSteps != 0 || results.timeStep != 0.0f || !results.timeHistoryPath.empty() ||
        results.timeHistoryStepBytes != 0)
      Fault("a refused file left a part of itself in the results");
    return 0;
  }
  const std::int64_t nodes = 24 * static_cast<std::int64_t>(ResultNodeCount(TheModel()));
  const int supportValues = static_cast<int>(std::min<std::int64_t>(6, results.supportBlockBytes / 4));
  try {
    ReadTimeHistorySeries(0, 6);
    ReadTimeHistorySeries(nodes + 24, 6);
    if (supportValues > 0) ReadTimeHistorySeries(TimeHistorySupportOffset(), supportValues);
  } catch (const std::string& message) {
    Fault("a file read could not give its series: " + message);
  }
  (void)TimeHistoryTimeText(results.timeSteps);
  return 0;
}

std::vector<std::string> FuzzSeeds() { return {TheAnalysed().timeHistoryBytes}; }
