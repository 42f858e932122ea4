// Importing neutral files near the largest model the program allows: a
// .pnf of 6300 elements and a .cii of 6900 elements, each with a support
// every tenth node, and a quick smoke size. The import reads every line,
// fills the rows, places the supports and makes the model.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "files/CiiImport.h"
#include "files/NeutralImport.h"
#include "model/Model.h"
#include "services/Units.h"
#include "tests/files/CiiSample.h"

namespace {

std::string GeneratePnf(int elements) {
  std::string text =
      "TITLE generated\nUNIT ENGLISH\nGLOBAL B31.3 70\nMATERIAL CS\nLOAD L1 300 150\n"
      "PIPE S1 8 40 8.625 0.322\nFROM N0 0 0 0 S1 CS L1\nANCHOR N0\n";
  for (int element = 1; element <= elements; ++element) {
    const std::string node = "N" + std::to_string(element);
    text += "TO " + node + (element % 2 ? " 10 0 0" : " 0 0 10") + (element % 10 == 5 ? " LONG\n" : "\n");
    if (element % 10 == 0) text += "RIGID " + node + "\n";
  }
  return text;
}

std::string GenerateCii(int elements) {
  CiiSample sample;
  for (int element = 1; element <= elements; ++element) {
    CiiSampleElement e;
    e.from = element;
    e.to = element + 1;
    (element % 2 ? e.dx : e.dz) = 120;
    sample.elements.push_back(e);
    if (element % 10 == 0) sample.restraints.push_back({double(element), 3});
  }
  return sample.Text();
}

template <void (*Reader)(std::istream&, Model&, std::vector<std::string>&)>
void ImportBench(benchmark::State& state, const std::string& text) {
  const UnitsSettings units = g_UnitsSettings;
  for (auto _ : state) {
    std::istringstream input(text);
    Model model;
    std::vector<std::string> log;
    Reader(input, model, log);
    benchmark::DoNotOptimize(model.nodes.count);
  }
  g_UnitsSettings = units;
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void PnfBench(benchmark::State& state) {
  ImportBench<ReadPnfFile>(state, GeneratePnf(static_cast<int>(state.range(0))));
}
void CiiBench(benchmark::State& state) {
  ImportBench<ReadCiiFile>(state, GenerateCii(static_cast<int>(state.range(0))));
}
BENCHMARK(PnfBench)->Name("BM_PnfSmokeImport")->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(PnfBench)->Name("BM_PnfImport")->Arg(6300)->Unit(benchmark::kMillisecond);
BENCHMARK(CiiBench)->Name("BM_CiiSmokeImport")->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(CiiBench)->Name("BM_CiiImport")->Arg(6900)->Unit(benchmark::kMillisecond);

}  // namespace
