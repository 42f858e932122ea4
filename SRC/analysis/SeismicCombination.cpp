// The static seismic directions and their combination; see
// SeismicCombination.h.
#include "analysis/SeismicCombination.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "analysis/GlobalSystem.h"
#include "analysis/RunState.h"
#include "analysis/StepResults.h"
#include "loads/StaticSeismic.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "results/ResultsFile.h"
#include "shell/BinaryFile.h"

namespace {

constexpr WorkFile kDirectionFiles[3] = {WorkFile::XSeismic, WorkFile::YSeismic, WorkFile::ZSeismic};
constexpr const char* kOpenFailures[3] = {"X Seismic file could not be opened", "Y Seismic file could not be opened",
                                          "Z Seismic file could not be opened"};

// The three blocks of each direction that ran, one after another.
std::array<std::vector<float>, 3> g_Blocks;
std::array<bool, 3> g_Present{};

}  // namespace

double CombineSeismicValue(std::span<const double> values, std::span<const bool> present, int method) {
  double sum = 0.0;
  for (std::size_t d = 0; d < values.size(); ++d) {
    if (!present[d]) continue;
    if (method == kSeismicAbsoluteSum) sum += std::fabs(values[d]);
    else if (method == kSeismicSrss) sum += values[d] * values[d];
    else sum += values[d];
  }
  return method == kSeismicSrss ? std::sqrt(sum) : sum;
}

void KeepSeismicDirectionBlocks(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress,
                                int direction) {
  const auto d = static_cast<std::size_t>(direction);
  const std::string& name = MakeWorkFileName(kDirectionFiles[d]);
  BinaryFile file;
  if (!BinaryFileOpenUpdate(file, name)) throw std::string(kOpenFailures[d]);
  BinaryFile* results = g_ResultsFile;
  struct Restore {
    BinaryFile* results;
    ~Restore() { g_ResultsFile = results; }
  } restore{results};
  g_ResultsFile = &file;
  WriteDisplacements(model, progress);
  CalculateElementForces(model, elements, progress);
  CalculateSupportLoads(model, progress);
  const std::int64_t size = BinaryFileTell(file);
  std::vector<float>& block = g_Blocks[d];
  block.assign(static_cast<std::size_t>(size / 4), 0.0f);
  BinaryFileSeek(file, 0);
  BinaryFileReadFloats(file, block.data(), block.size());
  const bool failed = BinaryFileHasError(file) || BinaryFileReadFailed(file);
  BinaryFileClose(file);
  DeleteWorkFile(kDirectionFiles[d]);
  if (failed) throw std::string(kOpenFailures[d]);
  g_Present[d] = true;
}

void CombineSeismicResults(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress) {
  ProgressBegin(progress, "Combining acceleration results", ProgressArea::Phase);
  // The blocks of a direction that did not run are zeros of the same size
  // as the case's (all three directions at 0 give a zero case).
  std::size_t count = 0;
  for (std::size_t d = 0; d < 3; ++d)
    if (g_Present[d]) count = g_Blocks[d].size();
  if (count == 0) {
    // No direction to combine: the case's blocks are zeros.
    const std::int64_t bytes = kNodeRecordBytes * ResultNodeCount(model) + kForceRecordBytes * elements.count +
                               SupportLoadsBlockBytes(model);
    const std::vector<float> zeros(static_cast<std::size_t>(bytes / 4), 0.0f);
    BinaryFileWriteFloats(*g_ResultsFile, zeros.data(), zeros.size());
    ProgressEnd(progress, ProgressArea::Phase);
    return;
  }
  std::vector<float> combined(count, 0.0f);
  std::array<double, 3> values{};
  std::array<bool, 3> present = g_Present;
  for (std::size_t k = 0; k < count; ++k) {
    for (std::size_t d = 0; d < 3; ++d) values[d] = g_Present[d] ? g_Blocks[d][k] : 0.0;
    combined[k] = static_cast<float>(CombineSeismicValue(values, present, model.seismic.combination));
  }
  if (count != 0) BinaryFileWriteFloats(*g_ResultsFile, combined.data(), combined.size());
  ReleaseSeismicDirectionBlocks();
  ProgressEnd(progress, ProgressArea::Phase);
}

void ReleaseSeismicDirectionBlocks() {
  for (auto& block : g_Blocks) std::vector<float>().swap(block);
  g_Present = {};
}
