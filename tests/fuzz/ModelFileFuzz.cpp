// The model file reader: any file is read into a fresh model or refused with
// its message. Seeds: an empty model and a model holding every kind of row,
// written by the program's own writer.
#include <fstream>
#include <iterator>

#include "files/AllKindsModel.h"
#include "files/ModelFile.h"
#include "fuzz/FuzzTarget.h"
#include "model/Model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = FuzzWriteFile("fuzz.mod", data, size);
  Model model;
  // What the program's roads catch, and no more: anything else ends the run.
  CatchModelRead(path, [&] { ReadModelFileInto(path, model); });
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
