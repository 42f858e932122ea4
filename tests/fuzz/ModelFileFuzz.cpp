// The model file reader, as File > Open reads a file: any file is read into
// a fresh model or refused with its message, and a model read is one the
// program can show and save (AcceptedModelCheck.h). Seeds: an empty model,
// a model holding every kind of row, written by the program's own writer,
// the example models (CMakeLists.txt), and models written past the save's
// check whose point tables hold values no grid takes, or a material a
// density no cell takes.
#include <fstream>
#include <iterator>

#include "files/AllKindsModel.h"
#include "files/ModelFile.h"
#include "files/ModelIntake.h"
#include "fuzz/AcceptedModelCheck.h"
#include "fuzz/FuzzTarget.h"
#include "model/Model.h"
#include "records/Spectrum.h"
#include "services/BinaryFile.h"
#include "services/Units.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = FuzzWriteFile("fuzz.mod", data, size);
  g_UnitsSettings = UnitsSettings{};
  Model model;
  std::vector<std::string> notes;
  std::string fault;
  // What the program's roads catch, and no more: anything else ends the
  // run. Open then asks its one check of the model, as ReadModelFile does.
  if (CatchModelRead(path, [&] { ReadModelFileInto(path, model, &notes, fault); }).empty() &&
      ModelIntakeRefusal(model, IntakeRoad::kModelFile, fault).empty())
    CheckAcceptedModel(model, "model file", RoadRules::kMaking, notes);
  return 0;
}

namespace {

// The bytes of `model` as the writer writes them, without the save's own
// check, which would refuse what these seeds hold.
std::string StreamBytes(const Model& model) {
  const std::string path = FuzzWriteFile("seed.mod", nullptr, 0);
  BinaryFile file;
  if (!BinaryFileOpenWrite(file, path)) return {};
  WriteModelStream(file, model);
  BinaryFileClose(file);
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::size_t FuzzSeedBudget() { return kAcceptedModelSeedBudget; }

std::vector<std::string> FuzzSeeds() {
  std::vector<std::string> seeds;
  for (bool full : {false, true}) {
    Model model;
    if (full) BuildAllKindsModel(model);
    seeds.push_back(StreamBytes(model));
  }
  // Point sections holding values from 1E38 up to a float's limit and near
  // zero, which no grid cell takes: a time function's 2E38, a force
  // spectrum's 1E-40, a response spectrum's 1E-45.
  Model points;
  BuildAllKindsModel(points);
  points.timeFunctions.front().points = {{0.0f, 1.0f}, {1.0f, 2.0e38f}};
  points.forceSpectra.front().points = {{0.0f, 1.0f}, {1.0f, 1.0e-40f}};
  points.spectra.front().points = {{1.0f, 1.0e-45f}, {10.0f, 300.0f}};
  seeds.push_back(StreamBytes(points));
  // A field its cell refuses, which Open refuses by record and field.
  Model fields;
  BuildAllKindsModel(fields);
  fields.materials[1].density = -460.0f;
  seeds.push_back(StreamBytes(fields));
  return seeds;
}
