// The results file reader (*.res) and what opening results does with a
// file it accepts: the first byte of an input chooses the model the rest
// is read against (ResultsFuzzModels.h), and the rest is read as the
// results file beside it. A file is refused with its message, leaving no
// results behind, or read; results read are numbered, their code stresses
// computed, and every block of every case and the first modes' shapes are
// loaded as the result tables load them, so damaged values (not numbers,
// infinities) go all the way through. The process aborts when a refused
// file leaves results behind. Seeds: the files the analysis writes for two
// of the models, and for the third (a modal block and a response spectrum
// case between result cases, soil restraints, a hanger record) one laid
// out from the format.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "analysis/AnalysisDriver.h"
#include "files/ByteEmitter.h"
#include "fuzz/FuzzTarget.h"
#include "fuzz/ResultsFuzzModels.h"
#include "model/AnalysisElements.h"
#include "model/Regenerate.h"
#include "numeric/RunState.h"
#include "results/CodeStressResults.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultsFile.h"
#include "services/BinaryFile.h"

namespace {

std::string ModelPath() { return FuzzWriteFile("line.mod", nullptr, 0); }

// The model last built into the program's model; -1 after anything that
// may have changed it.
int& Built() {
  static int built = -1;
  return built;
}

// The model of `kind` in the program's model, made as opening results makes
// it; built again only when another one is asked for.
Model& ModelOf(ResultsFuzzModel kind) {
  int& built = Built();
  Model& model = TheModel();
  if (built != static_cast<int>(kind)) {
    BuildResultsFuzzModel(model, kind, ModelPath());
    RegenerateModel(model);
    built = static_cast<int>(kind);
  }
  return model;
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Every block the result tables load, case by case and mode by mode.
void LoadEveryBlock(Model& model) {
  ResultsFileContents& results = TheResults();
  ResetResultsCache(model);
  OrderResultCases(results, model.options.PipingCode, false, 0);
  try {
    PrepareResultCodeStresses(model);
  } catch (const std::string&) {
  }
  const ResultCaseTable& cases = TheResultCases();
  for (int k = 1; k <= cases.count; ++k) {
    g_ResultCase = k;
    LoadCaseDisplacements(model);
    LoadCaseElementForces();
    LoadCaseSupportLoads(model);
    if (CurrentResultCaseType() == 31) LoadResponseAccelerations(model);
  }
  const int modes = std::min<int>(3, static_cast<int>(results.modal.frequencies.size()));
  for (int mode = 1; mode <= modes; ++mode) {
    g_CurrentMode = mode;
    LoadModeShape(model);
  }
  g_ResultCase = cases.count > 0 ? 1 : 0;
  g_CurrentMode = 1;
}

// The results of kEveryBlock as the format lays them out: the analysis
// does not write a modal block between result cases, soil records or
// hanger records.
std::string EveryBlockFile(const Model& model) {
  AnalysisElementList elements;
  GenerateAnalysisElements(model, elements);
  const auto N = static_cast<std::size_t>(ResultNodeCount(model));
  const auto E = static_cast<std::size_t>(elements.count);
  const auto SB = static_cast<std::size_t>(SupportLoadsBlockBytes(model));
  ByteEmitter out;
  out.Fixed("QUORVELWRES", 11);
  out.Fixed("900", 3);
  out.Zeros(2);
  out.Int(elements.count);
  for (int e = 1; e <= elements.count; ++e) {
    const AnalysisElement& element = elements[e];
    for (std::int32_t field : {element.kind, element.row, element.node1, element.node2, element.material,
                               element.section, element.load, element.hydrotestRow})
      out.Int(field);
  }
  out.Int(1);
  out.Int(2);
  out.Floats({1.0e3f, 50.0f, 2.0e3f, 80.0f, 4.0e3f, 120.0f, 1.0e3f, 30.0f});
  out.Zeros(4);
  // Displacements, forces and support loads of small made-up values.
  auto resultBlock = [&](std::size_t nodeSets) {
    const std::size_t floats = (24 * N * nodeSets + 48 * E + SB) / 4;
    for (std::size_t i = 0; i < floats; ++i) out.Float(0.001f * static_cast<float>(i % 97) - 0.03f);
  };
  resultBlock(1);
  const int modes = 2;
  out.Int(modes);
  out.Floats({2.5f, 7.0f});
  for (std::size_t i = 0; i < 6 * N * modes; ++i) out.Float(i % 6 == 1 ? 1.0f : 0.0f);
  out.Floats({3.0f, 4.0f, 0.0f, 0.0f, 1.0f, 0.0f});
  out.Float(10.0f);
  resultBlock(2);
  resultBlock(1);
  out.Fixed("B-268", 6);
  out.Fixed("12", 6);
  out.Floats({150.0f, 1.0f, 2.0f, 3.0f, 4.0f});
  return out.bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  Model& model = ModelOf(static_cast<ResultsFuzzModel>(data[0] % kResultsFuzzModelCount));
  const std::string path = FuzzWriteFile("line.res", data + 1, size - 1);
  BinaryFile& file = ResultsReadFile();
  BinaryFileClose(file);
  if (!BinaryFileOpenRead(file, path)) return 0;
  ClearResultCases();
  bool read = true;
  try {
    ReadResultsFile(file, path, model, TheResults());
  } catch (const std::string&) {
    read = false;
  }
  if (!read) {
    const ResultsFileContents& left = TheResults();
    if (left.elementCount != 0 || left.cases.size() != 1 || left.modal.present || !left.hangers.empty()) {
      std::fprintf(stderr, "a refused results file left results behind\n");
      std::abort();
    }
  } else {
    LoadEveryBlock(model);
  }
  BinaryFileClose(file);
  return 0;
}

std::vector<std::string> FuzzSeeds() {
  std::vector<std::string> seeds;
  for (ResultsFuzzModel kind : {ResultsFuzzModel::kStaticLine, ResultsFuzzModel::kEveryBlock,
                                ResultsFuzzModel::kTimeHistory}) {
    Model& model = ModelOf(kind);
    std::string file;
    if (kind == ResultsFuzzModel::kEveryBlock) {
      file = EveryBlockFile(model);
    } else {
      try {
        RunAnalysis(model, SilentProgress());
      } catch (const std::string& message) {
        std::fprintf(stderr, "the analysis of a seed model failed: %s\n", message.c_str());
        std::abort();
      }
      file = Bytes(ResultsPathOf(model.path));
      Built() = -1;  // read against the model as built, not as the run left it
    }
    seeds.push_back(std::string(1, static_cast<char>(kind)) + file);
  }
  return seeds;
}
