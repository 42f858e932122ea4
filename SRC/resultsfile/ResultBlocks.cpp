// The on-demand loading of the current case's blocks; see ResultBlocks.h.
#include "resultsfile/ResultBlocks.h"

#include <algorithm>

#include "kindbase/GlobalSystem.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultsFile.h"
#include "services/BinaryFile.h"
#include "services/LoadCaseTypes.h"

std::vector<std::array<float, 6>> g_CaseDisplacements;
std::vector<std::array<float, 12>> g_CaseElementForces;
int g_ForceCaseType = 0;
float g_Magnification = 0.0f;
std::array<DisplacementExtreme, 6> g_DisplacementExtremes{};

static_assert(sizeof(std::array<float, 6>) == 24 && sizeof(std::array<float, 12>) == 48,
              "the buffers are read as runs of floats");

namespace {

struct CacheState {
  int modeInBuffer = 0;
  bool accelerationsInBuffer = false;
  int forceCase = 0;
};

CacheState& Cache() {
  static CacheState state;
  return state;
}

const ResultCase* CurrentCase() {
  const ResultCaseTable& table = TheResultCases();
  if (g_ResultCase < 1 || g_ResultCase > table.count) return nullptr;
  return &table.cases[static_cast<std::size_t>(g_ResultCase)];
}

// Reads `count` records of `width` floats at `offset` into records 1 .. count
// of `records`; a failed read leaves zeros.
template <std::size_t Width>
void ReadRecords(std::vector<std::array<float, Width>>& records, std::int64_t offset, std::size_t count) {
  if (records.size() < count + 1) records.resize(count + 1);
  BinaryFile& file = ResultsReadFile();
  if (count == 0) return;
  if (!BinaryFileIsOpen(file) || !BinaryFileSeek(file, offset)) {
    std::fill(records.begin() + 1, records.begin() + 1 + static_cast<std::ptrdiff_t>(count), std::array<float, Width>{});
    return;
  }
  BinaryFileReadFloats(file, records[1].data(), Width * count);
  if (BinaryFileReadFailed(file))
    std::fill(records.begin() + 1, records.begin() + 1 + static_cast<std::ptrdiff_t>(count), std::array<float, Width>{});
}

std::size_t NodeCount(const Model& model) { return static_cast<std::size_t>(ResultNodeCount(model)); }

}  // namespace

BinaryFile& ResultsReadFile() {
  static BinaryFile file;
  return file;
}

ResultReadCounts& TheResultReadCounts() {
  static ResultReadCounts counts;
  return counts;
}

void ResetResultsCache(const Model& model) {
  Cache() = CacheState{};
  g_ForceCaseType = 0;
  g_Magnification = 0.0f;
  g_CaseDisplacements.assign(NodeCount(model) + 1, {});
  g_CaseElementForces.assign(static_cast<std::size_t>(TheResults().elementCount) + 1, {});
  g_DisplacementExtremes = {};
}

void FreeResultBuffers() {
  Cache() = CacheState{};
  g_ForceCaseType = 0;
  std::vector<std::array<float, 6>>().swap(g_CaseDisplacements);
  std::vector<std::array<float, 12>>().swap(g_CaseElementForces);
  g_DisplacementExtremes = {};
}

void LoadCaseDisplacements(const Model& model) {
  const ResultCase* at = CurrentCase();
  if (at == nullptr) return;
  ReadRecords(g_CaseDisplacements, at->displacements, NodeCount(model));
  ++TheResultReadCounts().displacements;
  Cache().modeInBuffer = 0;
  Cache().accelerationsInBuffer = false;
  g_Magnification = 0.0f;
  ComputeMinMaxDisplacements();
}

void LoadResponseAccelerations(const Model& model) {
  if (Cache().accelerationsInBuffer) return;
  const int k = ResultCaseOfType(kCaseIdResponseSpectrum);
  if (k == 0) return;
  ReadRecords(g_CaseDisplacements, TheResultCases().cases[static_cast<std::size_t>(k)].accelerations, NodeCount(model));
  ++TheResultReadCounts().accelerations;
  Cache().accelerationsInBuffer = true;
  Cache().modeInBuffer = 0;
}

void LoadModeShape(const Model& model) {
  const ModalSummary& modal = TheResults().modal;
  const int modes = static_cast<int>(modal.frequencies.size());
  if (!modal.present || g_CurrentMode < 1 || g_CurrentMode > modes || Cache().modeInBuffer == g_CurrentMode) return;
  const std::size_t N = NodeCount(model);
  ReadRecords(g_CaseDisplacements, modal.shapes + (g_CurrentMode - 1) * kNodeRecordBytes * static_cast<std::int64_t>(N),
              N);
  ++TheResultReadCounts().modeShapes;
  Cache().modeInBuffer = g_CurrentMode;
  Cache().accelerationsInBuffer = false;
  g_Magnification = 0.0f;
}

void LoadCaseElementForces() {
  const ResultCase* at = CurrentCase();
  if (at == nullptr || Cache().forceCase == g_ResultCase) return;
  ReadRecords(g_CaseElementForces, at->forces, static_cast<std::size_t>(TheResults().elementCount));
  ++TheResultReadCounts().forces;
  Cache().forceCase = g_ResultCase;
  g_ForceCaseType = at->type;
}

void LoadCaseSupportLoads(Model& model) {
  const ResultCase* at = CurrentCase();
  if (at == nullptr) return;
  const ResultsFileContents& results = TheResults();
  BinaryFile& file = ResultsReadFile();
  // Each support reads its own values where the block keeps them, so a kind
  // that reads fewer values than it was given room for never shifts the rest.
  BinaryFile* writing = g_ResultsFile;
  g_ResultsFile = &file;
  for (int row = 1; row <= model.rowCount && row < static_cast<int>(results.supportValueCount.size()); ++row) {
    if (results.supportValueCount[static_cast<std::size_t>(row)] == 0) continue;
    DataItem* item = model.row(row).item.get();
    if (item == nullptr) continue;
    item->ClearCaseLoads();
    if (!BinaryFileSeek(file, at->supportLoads + results.supportOffset[static_cast<std::size_t>(row)])) continue;
    item->ReadCaseLoads();
    if (BinaryFileReadFailed(file)) item->ClearCaseLoads();
  }
  g_ResultsFile = writing;
  ++TheResultReadCounts().supportLoads;
}

void ComputeMinMaxDisplacements() {
  g_DisplacementExtremes = {};
  for (int node : TheResults().resultNodes) {
    if (node < 1 || node >= static_cast<int>(g_CaseDisplacements.size())) continue;
    const auto& values = g_CaseDisplacements[static_cast<std::size_t>(node)];
    for (std::size_t c = 0; c < 6; ++c) {
      DisplacementExtreme& extreme = g_DisplacementExtremes[c];
      if (values[c] < extreme.minimum) extreme.minimum = values[c], extreme.minimumNode = node;
      if (values[c] > extreme.maximum) extreme.maximum = values[c], extreme.maximumNode = node;
    }
  }
}
