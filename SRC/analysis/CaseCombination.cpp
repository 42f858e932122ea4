// The combination cases; see CaseCombination.h.
#include "analysis/CaseCombination.h"

#include <vector>

#include "kindbase/GlobalSystem.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "records/LoadCaseList.h"
#include "resultsfile/ResultsFile.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"
#include "services/LoadCaseTypes.h"
#include "services/NameTables.h"

std::array<std::int64_t, kLastLoadCaseType + 1> g_CaseBlockPositions{};

namespace {

// A seek flushes what was written before it, so a full disk shows here: the
// stream is marked failed and the run ends with the driver's write message.
void SeekResults(BinaryFile& file, std::int64_t at) {
  if (BinaryFileSeek(file, at)) return;
  file.failed = true;
  throw std::string("Unable to write the results file");
}

// Node and element records of one block, and every support's loads read
// into the items (case loads for C, combined loads for B).
void ReadBlock(const Model& model, std::int64_t at, std::vector<float>& nodes, std::vector<float>& forces, bool sum) {
  BinaryFile& file = *g_ResultsFile;
  SeekResults(file, at);
  BinaryFileReadFloats(file, nodes.data(), nodes.size());
  BinaryFileReadFloats(file, forces.data(), forces.size());
  for (int row = 1; row <= model.rowCount; ++row) {
    DataItem* item = model.row(row).item.get();
    if (item == nullptr) continue;
    if (sum) item->ReadSumLoads();
    else item->ReadCaseLoads();
  }
  if (BinaryFileReadFailed(file)) {
    file.failed = true;
    throw std::string("Unable to write the results file");
  }
}

}  // namespace

void ClearCaseBlockPositions() { g_CaseBlockPositions.fill(0); }

void RecordCaseBlockPosition(int type) {
  QV_ASSERT(g_ResultsFile != nullptr && type >= 1 && type <= kLastLoadCaseType);
  g_CaseBlockPositions[static_cast<std::size_t>(type)] = BinaryFileTell(*g_ResultsFile);
}

bool CombinationSources(int type, int& b, int& c) {
  if (const int k = ThermalIndexOfSingle(type); k != 0) {
    b = OperatingCase(k);
    c = kCaseIdSustained;
    return true;
  }
  int i = 0, j = 0;
  if (!ThermalRangeOf(type, i, j)) return false;
  b = SingleThermalCase(i);
  c = SingleThermalCase(j);
  return true;
}

bool IsCombinationCase(int type, bool solveThermalCase) {
  if (ThermalIndexOfSingle(type) != 0) return !solveThermalCase;
  int i = 0, j = 0;
  return ThermalRangeOf(type, i, j);
}

void CombineCaseResults(const Model& model, int elementCount, std::int64_t a, std::int64_t b, std::int64_t c) {
  QV_ASSERT(a && b && c);
  QV_ASSERT(g_ResultsFile != nullptr);
  const auto nodeValues = static_cast<std::size_t>(6 * ResultNodeCount(model));
  const auto forceValues = static_cast<std::size_t>(12 * elementCount);
  std::vector<float> nodesC(nodeValues), forcesC(forceValues), nodesB(nodeValues), forcesB(forceValues);
  ReadBlock(model, c, nodesC, forcesC, false);
  ReadBlock(model, b, nodesB, forcesB, true);
  for (std::size_t i = 0; i < nodeValues; ++i) nodesB[i] -= nodesC[i];
  for (std::size_t i = 0; i < forceValues; ++i) forcesB[i] -= forcesC[i];
  for (int row = 1; row <= model.rowCount; ++row)
    if (DataItem* item = model.row(row).item.get()) item->SubtractCaseFromSum();
  BinaryFile& file = *g_ResultsFile;
  SeekResults(file, a);
  BinaryFileWriteFloats(file, nodesB.data(), nodesB.size());
  BinaryFileWriteFloats(file, forcesB.data(), forcesB.size());
  for (int row = 1; row <= model.rowCount; ++row)
    if (DataItem* item = model.row(row).item.get()) item->WriteSumLoads();
}

void FormCombinationBlock(const Model& model, int elementCount, int type) {
  int b = 0, c = 0;
  QV_ASSERT(CombinationSources(type, b, c));
  for (int source : {b, c})
    if (g_CaseBlockPositions[static_cast<std::size_t>(source)] == 0)
      throw std::string("The load case \"") + LoadCaseTitle(type) + "\" needs \"" + LoadCaseTitle(source) +
          "\" analysed before it.";
  CombineCaseResults(model, elementCount, g_CaseBlockPositions[static_cast<std::size_t>(type)],
                     g_CaseBlockPositions[static_cast<std::size_t>(b)], g_CaseBlockPositions[static_cast<std::size_t>(c)]);
}
