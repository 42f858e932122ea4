// Assembly of the global system of a step; see Assembly.h.
#include "analysis/Assembly.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "analysis/ElementCaseInput.h"
#include "analysis/NonlinearIteration.h"
#include "analysis/SoilSprings.h"
#include "elements/BallJoint.h"
#include "elements/BeamAnalysis.h"
#include "elements/BendAnalysis.h"
#include "elements/ElasticAnalysis.h"
#include "elements/HingeJoint.h"
#include "elements/JacketConnections.h"
#include "elements/StraightAnalysis.h"
#include "elements/TieRod.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/ElementInputs.h"
#include "kindbase/GlobalSystem.h"
#include "kindbase/LoadCaseKinds.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "services/NumberFormat.h"

namespace {

// Every row's item, in row order.
template <typename Operation>
void ForEachItem(const Model& model, Operation operation) {
  for (int row = 1; row <= model.rowCount; ++row)
    if (DataItem* item = model.row(row).item.get()) operation(*item, row);
}

// Makes a term log current for a scope, whatever way the scope is left.
class TermLogScope {
 public:
  explicit TermLogScope(SystemTermLog* log) { g_SystemTermLog = log; }
  ~TermLogScope() { g_SystemTermLog = nullptr; }
  TermLogScope(const TermLogScope&) = delete;
  TermLogScope& operator=(const TermLogScope&) = delete;
};

// The support assembly of a whole pass; with a log, what the items that
// do not iterate add is logged under their rows.
void AssembleSupportsLogged(const Model& model, SystemTermLog* log, AnalysisProgress& progress) {
  ProgressBegin(progress, "Assembling supports", ProgressArea::Phase);
  {
    TermLogScope scope(nullptr);
    const std::vector<IteratingRow>& iterating = IteratingRows();
    std::size_t next = 0;
    ForEachItem(model, [&](DataItem& item, int row) {
      if (log != nullptr) {
        while (next < iterating.size() && iterating[next].row < row) ++next;
        const bool iterates = next < iterating.size() && iterating[next].row == row && iterating[next].item != nullptr;
        log->row = row;
        g_SystemTermLog = iterates ? nullptr : log;
      }
      item.AddStiffness(row);
    });
  }
  AddSoilSpringStiffness(model);
  ProgressEnd(progress, ProgressArea::Phase);
}

// Adds the logged terms tagged before `row`, from the cursors on.
void AddLoggedTermsBefore(const SystemTermLog& log, std::int32_t row, std::size_t& stiffness, std::size_t& loads) {
  double* A = StiffnessValues.data();
  double* V = g_DisplacementVector.data();
  for (; stiffness < log.stiffness.size() && log.stiffness[stiffness].row < row; ++stiffness)
    A[log.stiffness[stiffness].position] += log.stiffness[stiffness].value;
  for (; loads < log.loads.size() && log.loads[loads].row < row; ++loads)
    V[log.loads[loads].position] += log.loads[loads].value;
}

// A later pass: the kept part, then the supports and loads of the log with
// the iterating items and the soil springs in their places.
void AssembleFromKeptPart(const Model& model, const AnalysisElementList& elements, const LinearAssemblyCache& cache,
                          AnalysisProgress& progress) {
  if (cache.keepElements) {
    std::copy(cache.stiffness.begin(), cache.stiffness.end(), StiffnessValues.begin());
    std::copy(cache.loads.begin(), cache.loads.end(), g_DisplacementVector.begin());
  } else {
    std::fill(g_DisplacementVector.begin(), g_DisplacementVector.end(), 0.0);
    ClearStiffnessMatrix();
    AssembleElements(model, elements, progress);
  }
  ProgressBegin(progress, "Assembling supports", ProgressArea::Phase);
  std::size_t stiffness = 0, loads = 0;
  for (const IteratingRow& entry : IteratingRows()) {
    if (entry.item == nullptr) continue;
    AddLoggedTermsBefore(cache.terms, entry.row, stiffness, loads);
    entry.item->AddStiffness(entry.row);
  }
  AddLoggedTermsBefore(cache.terms, model.rowCount + 1, stiffness, loads);
  AddSoilSpringStiffness(model);
  ProgressEnd(progress, ProgressArea::Phase);
  AddLoggedTermsBefore(cache.terms, std::numeric_limits<std::int32_t>::max(), stiffness, loads);
}

void AddElementStiffnessByKind(const AnalysisElementInput& input) {
  switch (input.kind) {
    case ElementType::Pipe:
    case ElementType::JacketedPipe:
    case ElementType::Reducer:
    case ElementType::Bellows:
    case ElementType::SlipJoint:
    case ElementType::Rigid: AssembleStraightElement(input); return;
    case ElementType::Valve: AddAttachedWeightLoads(input); return;
    case ElementType::Bend:
    case ElementType::Miter:
    case ElementType::JacketedBend: AssembleBendElement(input); return;
    case ElementType::Beam: AssembleBeam(input); return;
    case ElementType::Elastic: AssembleElasticElement(input); return;
    case ElementType::TieRod: AssembleTieRod(input); return;
    case ElementType::HingeJoint: AssembleHingeJoint(input); return;
    case ElementType::BallJoint: AssembleBallJoint(input); return;
    default: throw CFormat("Invalid element type %d in assemble elems", static_cast<int>(input.kind));
  }
}

}  // namespace

void ClearStiffnessMatrix() { std::fill(StiffnessValues.begin(), StiffnessValues.end(), 0.0); }

void AssembleElements(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress) {
  ProgressBegin(progress, "Assembling elements", ProgressArea::Phase);
  ProgressCounter counter;
  ProgressCounterStart(counter, elements.count);
  const CaseLoadSet loads = CurrentCaseLoadSet(model);
  for (int e = 1; e <= elements.count; ++e) {
    ProgressCounterStep(progress, counter, e);
    AddElementStiffnessByKind(MakeElementInput(model, elements[e], e, loads));
  }
  for (const auto& [a, b] : elements.mergedNodes) AssembleRigidLink(model, a, b);
  AssembleJacketCouplings(model, elements.jacketCouplings);
  ProgressAreaClear(progress, counter);
  ProgressEnd(progress, ProgressArea::Phase);
}

void AssembleLoads(const Model& model, AnalysisProgress& progress) {
  ProgressBegin(progress, "Assembling loads", ProgressArea::Phase);
  ForEachItem(model, [](DataItem& item, int row) { item.AddLoads(row); });
  ProgressEnd(progress, ProgressArea::Phase);
}

void AssembleCaseLoads(const Model& model, int loadCase, AnalysisProgress& progress) {
  ForEachItem(model, [loadCase](DataItem& item, int row) { item.AddCaseLoads(row, loadCase); });
  ProgressEnd(progress, ProgressArea::Phase);
}

void AssembleInertiaLoads(const Model& model, AnalysisProgress& progress) {
  ProgressBegin(progress, "Assembling loads", ProgressArea::Phase);
  ForEachItem(model, [](DataItem& item, int row) { item.AddInertiaLoads(row); });
  ProgressEnd(progress, ProgressArea::Phase);
}

void AssembleMasses(const Model& model, AnalysisProgress& progress) {
  ProgressBegin(progress, "Assembling masses", ProgressArea::Phase);
  ForEachItem(model, [](DataItem& item, int row) { item.AddMasses(row); });
  ProgressEnd(progress, ProgressArea::Phase);
}

void AssembleCurrentCase(const Model& model, const AnalysisElementList& elements, const LoadCaseStep& step,
                         AnalysisProgress& progress, LinearAssemblyCache* cache) {
  // The hangers' loads of a step with its hanger-load flag come with the
  // hanger design; until then hanger rows are refused before a run, so the
  // flag finds no hanger to apply.
  (void)step;
  if (cache != nullptr && cache->filled) {
    AssembleFromKeptPart(model, elements, *cache, progress);
    return;
  }
  std::fill(g_MassVector.begin(), g_MassVector.end(), 0.0);
  std::fill(g_DisplacementVector.begin(), g_DisplacementVector.end(), 0.0);
  ClearStiffnessMatrix();
  AssembleElements(model, elements, progress);
  SystemTermLog* log = cache != nullptr ? &cache->terms : nullptr;
  if (cache != nullptr) {
    if (cache->keepElements) {
      cache->stiffness = StiffnessValues;
      cache->loads = g_DisplacementVector;
    }
    log->stiffness.clear();
    log->loads.clear();
  }
  AssembleSupportsLogged(model, log, progress);
  if (CaseIsModal()) {
    AssembleMasses(model, progress);
    return;
  }
  {
    // The loads follow every support's terms.
    if (log != nullptr) log->row = model.rowCount + 1;
    TermLogScope scope(log);
    if (CaseHasSustainedLoads()) AssembleLoads(model, progress);
    for (int k = 1; k <= 10; ++k)
      if (CaseIncludesTk(k)) AssembleCaseLoads(model, k + 1, progress);
    if (CaseSetSeismicDirections()) AssembleInertiaLoads(model, progress);
  }
  if (cache != nullptr) cache->filled = true;
}
