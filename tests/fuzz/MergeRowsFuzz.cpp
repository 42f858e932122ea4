// The rows of a model being merged: the first byte chooses the file version
// the rows are read as, the rest is the rows section. Seeds: the rows of a
// model holding every kind of row, as version 900 writes them.
#include <fstream>
#include <iterator>

#include "files/AllKindsModel.h"
#include "files/ModelFile.h"
#include "files/ModelFileSections.h"
#include "fuzz/FuzzTarget.h"
#include "model/LayoutRow.h"
#include "model/Model.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"

namespace {

// The versions whose row layouts differ, the current one last.
constexpr int kVersions[] = {500, 502, 503, 600, 681, 682, 690, 691, 720, 721, 800, 900};
constexpr std::size_t kVersionCount = sizeof kVersions / sizeof kVersions[0];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int version = kVersions[data[0] % kVersionCount];
  const std::string path = FuzzWriteFile("fuzz.rows", data + 1, size - 1);
  BinaryFile file;
  if (!BinaryFileOpenRead(file, path)) return 0;
  g_ModelFileVersion = version;
  std::vector<LayoutRow> rows;
  int count = 0;
  // What the program's roads catch of the model reader, and no more.
  CatchModelRead(path, [&] { ReadMergeRows(file, version, rows, count); });
  BinaryFileClose(file);
  return 0;
}

std::vector<std::string> FuzzSeeds() {
  Model model;
  BuildAllKindsModel(model);
  const std::string path = FuzzWriteFile("seed.rows", nullptr, 0);
  BinaryFile file;
  if (!BinaryFileOpenWrite(file, path)) return {};
  WriteLayoutRows(file, model);
  BinaryFileClose(file);
  std::ifstream in(path, std::ios::binary);
  std::string rows((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return {std::string(1, static_cast<char>(kVersionCount - 1)) + rows};
}
