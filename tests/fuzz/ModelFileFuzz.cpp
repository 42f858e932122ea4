// The model file reader: any file is read into a fresh model or refused with
// its message, and a model read keeps the rules of its point tables (below).
// Seeds: an empty model and a model holding every kind of row, written by
// the program's own writer.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "files/AllKindsModel.h"
#include "files/ModelFile.h"
#include "fuzz/FuzzTarget.h"
#include "model/Model.h"
#include "records/Spectrum.h"

namespace {

[[noreturn]] void Fault(const char* what) {
  std::fprintf(stderr, "model file: %s\n", what);
  std::abort();
}

// A model read holds numbers in its point tables, the force spectra's and
// time functions' abscissas ascending from 0 on, and a lookup of each
// response spectrum gives a finite number or the lookup's own message.
void CheckPointTables(const Model& model) {
  for (const NamedPointsList* list : {&model.forceSpectra, &model.timeFunctions})
    for (const NamedPoints& table : *list)
      for (std::size_t k = 0; k < table.points.size(); ++k) {
        const FloatPair& point = table.points[k];
        if (!std::isfinite(point.x) || !std::isfinite(point.y)) Fault("a point that is not a number");
        if (point.x < 0.0f || (k > 0 && !(point.x > table.points[k - 1].x))) Fault("abscissas that do not ascend");
      }
  for (const ResponseSpectrum& spectrum : model.spectra) {
    SpectrumLoad load;
    load.name[0] = spectrum.name;
    for (double omega : {0.5, 20.0, 600.0}) try {
        if (!std::isfinite(SpectrumValue(model.spectra, load, omega, 0, true))) Fault("a lookup that is not a number");
      } catch (const std::string&) {
      }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = FuzzWriteFile("fuzz.mod", data, size);
  Model model;
  // What the program's roads catch, and no more: anything else ends the run.
  if (CatchModelRead(path, [&] { ReadModelFileInto(path, model); }).empty()) CheckPointTables(model);
  return 0;
}

std::vector<std::string> FuzzSeeds() {
  std::vector<std::string> seeds;
  for (bool full : {false, true}) {
    Model model;
    if (full) BuildAllKindsModel(model);
    const std::string path = FuzzWriteFile("seed.mod", nullptr, 0);
    if (!WriteModelFileFrom(model, path).empty()) continue;
    std::ifstream in(path, std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return seeds;
}
