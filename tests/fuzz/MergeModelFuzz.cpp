// Merge, as File > Merge takes a file into the open model: the model reader
// reads any file into a model of its own or refuses it, and a merge the
// command goes through with leaves a model the program can show and save
// (AcceptedModelCheck.h). The open model holds every kind of row; the
// command's refusals and its edit's gate are asked as it asks them, and its
// question on clashing node numbers is answered No (the numbers are kept).
// Seeds: that model itself, and an empty one.
#include <fstream>
#include <iterator>

#include "files/AllKindsModel.h"
#include "files/MergeModel.h"
#include "files/ModelIntake.h"
#include "files/ModelFile.h"
#include "fuzz/AcceptedModelCheck.h"
#include "fuzz/FuzzTarget.h"
#include "model/LayoutRow.h"
#include "model/Model.h"
#include "model/ModelRules.h"
#include "services/Units.h"

namespace {

// The open model's file, written once.
const std::string& OpenModelPath() {
  static const std::string path = [] {
    Model model;
    BuildAllKindsModel(model);
    const std::string written = FuzzWriteFile("open.mod", nullptr, 0);
    if (!WriteModelFileFrom(model, written).empty()) __builtin_trap();
    return written;
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = FuzzWriteFile("fuzz.mod", data, size);
  g_UnitsSettings = UnitsSettings{};
  Model merged;
  std::string fault;
  std::vector<std::string> notes;
  if (!CatchModelRead(path, [&] { ReadModelFileInto(path, merged, &notes, fault); }).empty()) return 0;
  // A number of the file out of range: the command refuses it at once.
  if (!fault.empty()) return 0;
  Model open, before;
  ReadModelFileInto(OpenModelPath(), open);
  ReadModelFileInto(OpenModelPath(), before);
  // What the command refuses before it changes anything.
  if ((merged.options.ZVertical != 0) != (open.options.ZVertical != 0)) return 0;
  if (open.rowCount + merged.rowCount > kMaxLayoutRows) return 0;
  open.droppedOffsets.clear();
  try {
    AppendMergedModel(open, merged);
  } catch (const std::string&) {
    return 0;
  }
  // The gate every edit ends at puts back a merge that adds a broken rule
  // or drops offsets.
  if (!open.droppedOffsets.empty()) return 0;
  if (!AddedRuleMessage(BrokenModelRules(before, before), BrokenModelRules(open, before)).empty()) return 0;
  if (!ModelWriteFault(open).empty()) return 0;
  // Then the merge's one check of the model, as MergeModelFile asks it.
  if (!ModelIntakeRefusal(open, IntakeRoad::kMerge).empty()) return 0;
  CheckAcceptedModel(open, "merge", RoadRules::kWholeModel);
  return 0;
}

std::size_t FuzzSeedBudget() { return kAcceptedModelSeedBudget; }

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
