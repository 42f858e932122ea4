// The static seismic directions and their combination; see
// SeismicCombination.h.
#include "analysis/SeismicCombination.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "analysis/StepResults.h"
#include "kindbase/GlobalSystem.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "numeric/RunState.h"
#include "records/StaticSeismic.h"
#include "resultsfile/ResultsFile.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"
#include "services/LoadCaseTypes.h"
#include "supports/DisplacementSets.h"

// The codes with seismic anchor movements (model/ModelGeometry.h, whose
// frame type clashes with the assembly's).
bool CodeGroupG(int code);

namespace {

constexpr WorkFile kDirectionFiles[3] = {WorkFile::XSeismic, WorkFile::YSeismic, WorkFile::ZSeismic};
constexpr const char* kOpenFailures[3] = {"X Seismic file could not be opened", "Y Seismic file could not be opened",
                                          "Z Seismic file could not be opened"};

// The three blocks of each direction that ran, one after another.
std::array<std::vector<float>, 3> g_Blocks;
std::array<bool, 3> g_Present{};
// The seismic anchor movement step's blocks.
std::vector<float> g_AnchorMovements;

// The step's three blocks through `workFile` into `block`.
void KeepStepBlocks(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress,
                    WorkFile workFile, const char* openFailure, const char* readFailure, std::vector<float>& block) {
  const std::string& name = MakeWorkFileName(workFile);
  BinaryFile file;
  if (!BinaryFileOpenUpdate(file, name)) throw std::string(openFailure);
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
  block.assign(static_cast<std::size_t>(size / 4), 0.0f);
  BinaryFileSeek(file, 0);
  BinaryFileReadFloats(file, block.data(), block.size());
  const bool failed = BinaryFileHasError(file) || BinaryFileReadFailed(file);
  BinaryFileClose(file);
  DeleteWorkFile(workFile);
  if (failed) throw std::string(readFailure);
}

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
  KeepStepBlocks(model, elements, progress, kDirectionFiles[d], kOpenFailures[d], kOpenFailures[d], g_Blocks[d]);
  g_Present[d] = true;
}

bool HasSeismicAnchorMovements(const Model& model) {
  if (!CodeGroupG(model.options.PipingCode)) return false;
  if (!LoadCaseListHas(model.loadCases, kCaseIdStaticSeismic) &&
      !LoadCaseListHas(model.loadCases, kCaseIdResponseSpectrum))
    return false;
  for (int row = 1; row <= model.rowCount; ++row) {
    const SpecifiedDisplacements* displacements = RowDisplacements(model.row(row));
    if (displacements != nullptr && displacements->flags[static_cast<std::size_t>(kSeismicSlot)] != 0) return true;
  }
  return false;
}

void KeepSeismicAnchorMovementBlocks(const Model& model, const AnalysisElementList& elements,
                                     AnalysisProgress& progress) {
  KeepStepBlocks(model, elements, progress, WorkFile::SeismicDisplacement, "Seismic file could not be opened",
                 "Seismic displacements file could not be opened", g_AnchorMovements);
}

std::span<const float> SeismicAnchorMovementBlocks() { return g_AnchorMovements; }

void AddSeismicAnchorMovements(std::span<float> values, std::size_t first) {
  if (g_AnchorMovements.empty()) return;
  QV_ASSERT(first + values.size() <= g_AnchorMovements.size());
  for (std::size_t k = 0; k < values.size(); ++k) values[k] += std::fabs(g_AnchorMovements[first + k]);
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
    std::vector<float> zeros(static_cast<std::size_t>(bytes / 4), 0.0f);
    AddSeismicAnchorMovements(zeros, 0);
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
  // The anchor movements add after the directions' combination.
  AddSeismicAnchorMovements(combined, 0);
  BinaryFileWriteFloats(*g_ResultsFile, combined.data(), combined.size());
  for (auto& block : g_Blocks) std::vector<float>().swap(block);
  g_Present = {};
  ProgressEnd(progress, ProgressArea::Phase);
}

void ReleaseSeismicDirectionBlocks() {
  for (auto& block : g_Blocks) std::vector<float>().swap(block);
  g_Present = {};
  std::vector<float>().swap(g_AnchorMovements);
}
