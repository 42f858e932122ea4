// The analysis driver; see AnalysisDriver.h.
#include "analysis/AnalysisDriver.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "analysis/Assembly.h"
#include "analysis/BranchFlexibilities.h"
#include "analysis/CaseCombination.h"
#include "analysis/ModalResponse.h"
#include "analysis/ModalStep.h"
#include "analysis/NonlinearIteration.h"
#include "analysis/ResponseSpectrum.h"
#include "analysis/SeismicCombination.h"
#include "analysis/SoilSprings.h"
#include "analysis/StepResults.h"
#include "kindbase/EndForces.h"
#include "kindbase/GlobalSystem.h"
#include "kindbase/LoadCaseKinds.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/Regenerate.h"
#include "model/RowObjects.h"
#include "numeric/Renumber.h"
#include "platform/FileNames.h"
#include "platform/SiblingTemporary.h"
#include "records/LoadCaseList.h"
#include "resultsfile/ResultsFile.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"
#include "services/General.h"
#include "services/LoadCaseTypes.h"
#include "services/NameTables.h"
#include "services/NumberFormat.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/HangerAnalysis.h"
#include "supports/LimitStop.h"
#include "supports/SkewedRestraint.h"
#include "supports/SupportLoads.h"

namespace {

AnalysisPhaseTimes g_PhaseTimes;

// Adds the time between construction and destruction to one phase.
class PhaseClock {
 public:
  explicit PhaseClock(double& phase) : phase_(phase), start_(std::chrono::steady_clock::now()) {}
  ~PhaseClock() { phase_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count(); }
  PhaseClock(const PhaseClock&) = delete;
  PhaseClock& operator=(const PhaseClock&) = delete;

 private:
  double& phase_;
  std::chrono::steady_clock::time_point start_;
};

// The missing mass acts on the response spectrum cases only.
bool MissingMassWanted(const Model& model) {
  return model.options.IncludeMissingMass != 0 && LoadCaseListHas(model.loadCases, kCaseIdResponseSpectrum);
}

bool IsDynamicCase(int type) {
  return type == kCaseIdModal || type == kCaseIdResponseSpectrum || type == kCaseIdTimeHistory ||
         type == kCaseIdHarmonic || type == kCaseIdForceSpectrum;
}

bool RecordsBlockFirst(int caseType) {
  if (caseType == kCaseIdEmptyWeight || caseType == kCaseIdSustained) return true;
  for (int k = 1; k <= 10; ++k)
    if (caseType == SustainedPressureCase(k) || caseType == OperatingCase(k)) return true;
  return false;
}

std::string NodeText(const Model& model, std::int32_t nodeIndex) {
  if (nodeIndex < 1 || nodeIndex > model.nodes.count) return "?";
  return NodeNumberText(model.nodes[nodeIndex].id);
}

std::vector<std::int32_t> NodePositions(const Model& model) {
  std::vector<std::int32_t> positions(static_cast<std::size_t>(model.nodes.count) + 1, 0);
  for (int node = 1; node <= model.nodes.count; ++node) positions[static_cast<std::size_t>(node)] = model.nodes[node].equation;
  return positions;
}

void ThrowIfWriteFailed(const BinaryFile& file, const std::string& path) {
  if (BinaryFileHasError(file)) throw "Unable to write the results file\n" + path;
}

// Assembles, factorises and solves the current step.
void SolveStaticStep(Model& model, const AnalysisElementList& elements, AnalysisProgress& progress,
                     LinearAssemblyCache* cache = nullptr) {
  {
    PhaseClock clock(g_PhaseTimes.assembly);
    AssembleCurrentCase(model, elements, CurrentLoadCaseStep(), progress, cache);
  }
  SolverStatus status;
  {
    PhaseClock clock(g_PhaseTimes.factorisation);
    status = TriangulariseStiffness(StiffnessValues, g_StiffnessProfile, progress);
  }
  if (status.Ok()) {
    PhaseClock clock(g_PhaseTimes.solves);
    status = SolveDisplacements(StiffnessValues, g_StiffnessProfile, g_DisplacementVector, progress);
  }
  if (!status.Ok()) {
    const std::vector<std::int32_t> positions = NodePositions(model);
    throw NotPositiveDefiniteMessage(status.equation, positions,
                                     [&model](std::int32_t node) { return NodeText(model, node); });
  }
  CheckSolutionFits(model, g_DisplacementVector);
}

void WriteStepOutput(Model& model, const AnalysisElementList& elements, AnalysisProgress& progress) {
  PhaseClock clock(g_PhaseTimes.writing);
  const LoadCaseStep& step = CurrentLoadCaseStep();
  if (step.writeDisplacements != 0) WriteDisplacements(model, progress);
  if (step.elementForces != 0) CalculateElementForces(model, elements, progress);
  if (step.supportLoads != 0) CalculateSupportLoads(model, progress);
}

// What the run changes of the model and puts back at its end.
struct ModelStateKeeper {
  Model& model;
  AnalysisOptions options;
  WindData wind;
  bool modified;
  explicit ModelStateKeeper(Model& m) : model(m), options(m.options), wind(m.wind), modified(m.modified) {}
  ~ModelStateKeeper() {
    model.options = options;
    model.wind = wind;
    model.modified = modified;
  }
  ModelStateKeeper(const ModelStateKeeper&) = delete;
  ModelStateKeeper& operator=(const ModelStateKeeper&) = delete;
};

// What every end of a run releases, failed or not.
struct RunCleanup {
  ~RunCleanup() {
    g_ResultsFile = nullptr;
    ReleaseGlobalSystem();
    ClearIteratingRows();
    ReleaseBranchFlexibilities();
    ClearSoilSprings();
    DeleteAllWorkFiles();
    g_CurrentStep = 0;
    g_ElementForceRun = ElementForceRun{};
    ClearModalResults();
    ReleaseSeismicDirectionBlocks();
    AnalysisRunning = false;
  }
};

// A support or load at a node that no element reaches (the corner of a
// bend, where the tangents meet) would hold or carry nothing: refused.
void CheckItemsOnThePipe(const Model& model) {
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& layout = model.row(row);
    if (layout.dataType == DataType::None) continue;
    const int node = layout.endNode;
    if (node >= 1 && node <= model.nodes.count && model.nodes[node].equation != 0) continue;
    throw CFormat("Row %d: the %s at node %s is not on the pipe", row, DataTypeName(static_cast<int>(layout.dataType)),
                  NodeText(model, node).c_str());
  }
}

// The connected node a row's support names (skewed restraint, guide, limit
// stop); 0 for none.
std::int32_t ConnectedNodeOfRow(const LayoutRow& layout) {
  if (!layout.item || !layout.item->HasConnectedNode()) return 0;
  if (const auto* stop = dynamic_cast<const LimitStop*>(layout.item.get())) return stop->connectedNode;
  if (const auto* guide = dynamic_cast<const Guide*>(layout.item.get())) return guide->connectedNode;
  if (const auto* skewed = dynamic_cast<const SkewedRestraint*>(layout.item.get())) return skewed->connectedNode;
  if (const auto* hanger = dynamic_cast<const Hanger*>(layout.item.get())) return hanger->connectedNode;
  return 0;
}

}  // namespace

const AnalysisPhaseTimes& LastAnalysisPhaseTimes() { return g_PhaseTimes; }

bool ElementsAreLinear(const Model& model) {
  if (ModelHasBuriedPipe(model)) return false;
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& layout = model.row(row);
    if (layout.element && layout.element->IsNonlinear()) return false;
  }
  return true;
}

bool ModelIsNonlinear(const Model& model) {
  if (ModelHasBuriedPipe(model)) return true;
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& layout = model.row(row);
    if ((layout.element && layout.element->IsNonlinear()) || (layout.item && layout.item->IsNonlinear())) return true;
  }
  return false;
}

void GenerateElementsPhase(Model& model, AnalysisElementList& elements, AnalysisProgress& progress) {
  PhaseClock clock(g_PhaseTimes.generation);
  ProgressBegin(progress, "Generating elements", ProgressArea::Phase);
  SetBuriedFlag(model);
  const bool modified = model.modified;
  RegenerateModel(model);
  model.modified = modified;
  GenerateAnalysisElements(model, elements);
  if (elements.count == 0) throw std::string("There are no elements");
  for (int node = 1; node <= model.nodes.count; ++node) model.nodes[node].connected = 0;
  BinaryFile& file = *g_ResultsFile;
  BinaryFileWriteInt(file, elements.count);
  for (int e = 1; e <= elements.count; ++e) {
    const AnalysisElement& element = elements[e];
    model.nodes[element.node1].connected = model.nodes[element.node2].connected = 1;
    const std::int32_t fields[8] = {element.kind,     element.row,     element.node1, element.node2,
                                    element.material, element.section, element.load,  element.hydrotestRow};
    BinaryFileWriteInts(file, fields, 8);
  }
  if (TheSoilSprings().buried)
    ComputeSoilSprings(model, elements, file);
  else
    BinaryFileWriteInt(file, 0);  // no soil restraints
  ProgressEnd(progress, ProgressArea::Phase);
}

void RenumberAndAllocate(Model& model, const AnalysisElementList& elements, AnalysisProgress& progress) {
  RenumberInput input;
  input.nodeCount = model.nodes.count;
  std::vector<LocationVector> connections;
  {
    PhaseClock clock(g_PhaseTimes.renumbering);
    for (int e = 1; e <= elements.count; ++e) input.elements.push_back({elements[e].node1, elements[e].node2});
    for (const auto& [a, b] : elements.mergedNodes) input.zeroLengthLinks.push_back({a, b});
    for (const JacketCoupling& tie : elements.jacketCouplings) input.zeroLengthLinks.push_back({tie.core, tie.jacket});
    for (int row = 1; row <= model.rowCount; ++row) {
      const LayoutRow& layout = model.row(row);
      if (layout.dataType == DataType::None) continue;
      SupportConnection support;
      support.dataType = static_cast<std::int32_t>(layout.dataType);
      support.node = layout.endNode;
      // Skewed restraints, guides and limit stops may act between two nodes:
      // both take part and their equations are coupled in the profile.
      const std::int32_t connected = ConnectedNodeOfRow(layout);
      if (connected != 0) {
        support.connectedGiven = true;
        support.connectedNumber = connected;
        support.connectedNode = FindNodeIndex(model.nodes, connected);
      }
      input.supports.push_back(support);
    }
    const RenumberResult result = RenumberNodesForBandwidth(input, progress);
    if (result.fault != RenumberFault::None)
      throw RenumberFaultMessage(
          result, input, [&model](std::int32_t node) { return NodeText(model, node); },
          [](std::int32_t number) { return std::string(NodeNumberText(number)); });
    for (int node = 1; node <= model.nodes.count; ++node)
      model.nodes[node].equation = result.positions[static_cast<std::size_t>(node)];
    CheckItemsOnThePipe(model);
    const std::span<const std::int32_t> positions(result.positions);
    for (int e = 1; e <= elements.count; ++e)
      connections.push_back(ElementLocationVector(positions, elements[e].node1, elements[e].node2));
    for (const auto& [a, b] : elements.mergedNodes) connections.push_back(ElementLocationVector(positions, a, b));
    for (const SupportConnection& support : input.supports)
      if (support.connectedNode != 0)
        connections.push_back(ElementLocationVector(positions, support.node, support.connectedNode));
    for (const JacketCoupling& tie : elements.jacketCouplings)
      connections.push_back(ElementLocationVector(positions, tie.core, tie.jacket));
    SkylineProfile profile = BuildSkylineProfile(result.equationCount, connections);
    ShowProfileSize(progress, profile, false, 0);
    AllocateGlobalSystem(std::move(profile));
  }
}

void ResetStepTable(Model& model) {
  ResetRunState();
  ClearCaseBlockPositions();
  g_AnalysisFlags.modelNonlinear = ModelIsNonlinear(model) ? 1 : 0;
  g_AnalysisFlags.seismicAnchorMovements = HasSeismicAnchorMovements(model) ? 1 : 0;
  PrepareWindDirections(model.wind);
}

void BuildStepTable(const Model& model) {
  ClearStepTable();
  g_AnalysisFlags.dynamicSusceptibility = 0;
  const AnalysisFlags& flags = g_AnalysisFlags;
  auto withoutOutput = [](LoadCaseStep& step) { step.writeDisplacements = step.elementForces = step.supportLoads = 0; };
  if (flags.hangerLoadsRequested != 0) withoutOutput(AppendLoadCaseStep(kCaseIdHangerLoads));
  if (flags.hangerTravelRequested != 0) {
    LoadCaseStep& step = AppendLoadCaseStep(kCaseIdHangerTravel);
    step.hangerLoads = 1;
    withoutOutput(step);
  }
  if (flags.hangerLoadsRequested != 0 && flags.modelNonlinear != 0) {
    withoutOutput(AppendLoadCaseStep(kCaseIdRecalculatingHangerLoads));
    if (flags.hangerTravelRequested != 0) {
      LoadCaseStep& step = AppendLoadCaseStep(kCaseIdRecalculatingHangerTravel);
      step.hangerLoads = 1;
      withoutOutput(step);
    }
  }
  if (flags.hangerDesignRequested != 0) AppendLoadCaseStep(kCaseIdDesigningHangers);
  if (flags.hangerRecalculationRequested != 0) AppendLoadCaseStep(kCaseIdHangerColdLoads);
  if (flags.seismicAnchorMovements != 0) AppendLoadCaseStep(kCaseIdSeismicDisplacement);
  if (ModelHasBuriedPipe(model)) {
    // The soil's operating state of each temperature in use, settled before
    // the cases that assemble it.
    auto buried = [&](int type) {
      LoadCaseStep& step = AppendLoadCaseStep(type);
      withoutOutput(step);
      step.hangerLoads = 1;
    };
    const int temperatures = model.options.ThermalLoadCount;
    const int last = temperatures > 3 ? 10 : temperatures > 1 ? temperatures : 1;
    for (int k = 1; k <= last; ++k) buried(BuriedCase(k));
  }
  bool staticCaseBefore = false;
  const int staticCase = model.options.PipingCode == 0 ? kCaseIdStaticAnalysis : kCaseIdOperating;
  for (int entry = 1; entry <= model.loadCases.count; ++entry) {
    const int type = model.loadCases.cases[static_cast<std::size_t>(entry)];
    if (type == 0) continue;
    if (type == staticCase) staticCaseBefore = true;
    // The supports of a nonlinear model take into a dynamic case the state
    // their static case left: that case must have run before it, or the
    // dynamic case would see every gap open.
    if (IsDynamicCase(type) && flags.modelNonlinear != 0 && !staticCaseBefore)
      throw std::string(staticCase == kCaseIdStaticAnalysis
                            ? "Dynamic analysis with nonlinearities must have Static load case analyzed."
                                         : "Dynamic analysis with nonlinearities must have (W+P1+T1) analyzed.");
    if (type == kCaseIdStaticSeismic) {
      for (int d = 0; d < 3; ++d)
        if (model.seismic.g[static_cast<std::size_t>(d)] != 0.0f) AppendLoadCaseStep(kCaseIdXAcceleration + d);
      AppendLoadCaseStep(kCaseIdCombiningAccelerations);
      continue;
    }
    LoadCaseStep& step = AppendLoadCaseStep(type);
    if (IsDynamicCase(type)) withoutOutput(step);
    g_CurrentStep = g_StepCount;
    step.hangerLoads = CaseHasSustainedLoads() ? 1 : 0;
  }
  g_CurrentStep = 0;
}

void RunLoadCaseStep(Model& model, const AnalysisElementList& elements, AnalysisProgress& progress) {
  const int type = CurrentCaseType();
  if (type == 0) return;
  if (RunHangerComputationStep(model, type)) return;
  if (type == kCaseIdTimeHistory || type == kCaseIdHarmonic || type == kCaseIdForceSpectrum) {
    PhaseClock clock(g_PhaseTimes.response);
    if (type == kCaseIdTimeHistory) RunTimeHistoryStep(model, elements, progress);
    else if (type == kCaseIdHarmonic) RunHarmonicStep(model, elements, progress);
    else RunForceSpectrumStep(model, elements, progress);
    return;
  }
  if (type == kCaseIdModal) {
    // The supports keep the state the operating case left them in.
    {
      PhaseClock clock(g_PhaseTimes.assembly);
      AssembleCurrentCase(model, elements, CurrentLoadCaseStep(), progress, nullptr);
    }
    PhaseClock clock(g_PhaseTimes.modes);
    RunModalStep(model, progress, MissingMassWanted(model));
    // An older file would describe modes these results do not hold.
    if (std::getenv("VORSTEL") != nullptr) WriteDynamicSusceptibilityFile(model, elements, progress);
    else platform::RemoveFile(SusceptibilityPathOf(model.path));
    return;
  }
  if (type == kCaseIdCombiningAccelerations) {
    PhaseClock clock(g_PhaseTimes.writing);
    CombineSeismicResults(model, elements, progress);
    return;
  }
  if (type == kCaseIdResponseSpectrum) {
    PhaseClock clock(g_PhaseTimes.spectrum);
    RunResponseSpectrumStep(model, elements, progress);
    return;
  }
  if (RecordsBlockFirst(type)) RecordCaseBlockPosition(type);
  const bool solveThermal = model.options.SolveThermalCase != 0;
  int b = 0, c = 0;
  if (CombinationSources(type, b, c)) {
    RecordCaseBlockPosition(type);
    if (IsCombinationCase(type, solveThermal)) {
      PhaseClock clock(g_PhaseTimes.writing);
      FormCombinationBlock(model, elements.count, type);
      return;
    }
  }
  if (g_AnalysisFlags.modelNonlinear != 0 && !CaseIsModal() && !CaseIsRecalculatingHangerLoads()) {
    // Elements whose own state changes between passes are assembled anew
    // in each.
    LinearAssemblyCache cache;
    cache.keepElements = ElementsAreLinear(model);
    IterateNonlinearSupports(model, [&] { SolveStaticStep(model, elements, progress, &cache); }, progress);
  } else
    SolveStaticStep(model, elements, progress);
  StoreHangerStepResults(model, type);
  if (type == kCaseIdHangerLoads || type == kCaseIdRecalculatingHangerLoads) WriteHangerDisplacements(model);
  if (type >= kCaseIdXAcceleration && type < kCaseIdCombiningAccelerations) {
    PhaseClock clock(g_PhaseTimes.writing);
    KeepSeismicDirectionBlocks(model, elements, progress, type - kCaseIdXAcceleration);
    return;
  }
  if (type == kCaseIdSeismicDisplacement) {
    PhaseClock clock(g_PhaseTimes.writing);
    KeepSeismicAnchorMovementBlocks(model, elements, progress);
    return;
  }
  WriteStepOutput(model, elements, progress);
}

void RunStepLoop(Model& model, const AnalysisElementList& elements, AnalysisProgress& progress) {
  ResetStepTable(model);
  RequestHangerSteps(model);
  BuildStepTable(model);
  for (int step = 1; step <= g_StepCount; ++step) {
    g_CurrentStep = step;
    ProgressBegin(progress, LoadCaseTitle(CurrentCaseType()), ProgressArea::StepTitle);
    RunLoadCaseStep(model, elements, progress);
    ThrowIfWriteFailed(*g_ResultsFile, ResultsPathOf(model.path));
    ProgressEnd(progress, ProgressArea::StepTitle);
  }
}

void RunAnalysis(Model& model, AnalysisProgress& progress) {
  if (model.path.empty()) throw std::string("The model must be saved before it is analyzed.");
  CheckModelAnalysable(model);
  g_PhaseTimes = AnalysisPhaseTimes{};
  ClearUnconvergedCases();
  const std::string resultsPath = ResultsPathOf(model.path);
  platform::RemoveStaleTemporaries(resultsPath);
  // Time histories of an earlier run would not belong to these results.
  RemoveTimeHistoryFile(model.path);
  struct TimeHistoryGuard {
    ~TimeHistoryGuard() { DiscardTimeHistoryFile(); }
  } timeHistoryGuard;
  platform::SiblingTemporary temporary(resultsPath, 0644);
  if (!temporary.ok()) throw "Unable to create the results file\n" + resultsPath;
  ModelStateKeeper keeper(model);
  BinaryFile file;
  if (!BinaryFileOpenUpdate(file, temporary.path())) throw "Unable to create the results file\n" + resultsPath;
  try {
    RunCleanup cleanup;
    AnalysisRunning = true;
    g_ResultsFile = &file;
    g_ElementForceRun = ElementForceRun{};
    g_SupportLoadsPeakMode = g_SupportLoadsSquareMode = 0;
    g_SupportLoadsNoWrite = 0;
    WriteResultsFileHeader(file);
    AnalysisElementList& elements = TheAnalysisElements();
    GenerateElementsPhase(model, elements, progress);
    PrepareBranchFlexibilities(model, elements);
    RenumberAndAllocate(model, elements, progress);
    PrepareSupportsForRun(model);
    RunStepLoop(model, elements, progress);
    WriteHangerDesignRecords(model, file);
    ThrowIfWriteFailed(file, resultsPath);
  } catch (const std::string&) {
    // A failed write may surface as another failure first (a short read
    // back, a refused seek): the file is the cause the user can act on.
    ThrowIfWriteFailed(file, resultsPath);
    throw;
  }
  if (!BinaryFileClose(file)) throw "Unable to write the results file\n" + resultsPath;
  // Read back as the results reader will: the elements must be the model's,
  // every block must lie where the model says, and the file must end where
  // the last block ends.
  BinaryFile written;
  ResultsFileContents contents;
  if (!BinaryFileOpenRead(written, temporary.path())) throw "Unable to read back the results file\n" + resultsPath;
  try {
    ReadResultsFile(written, temporary.path(), model, contents);
  } catch (const std::string& message) {
    throw message + "\n" + resultsPath;
  }
  BinaryFileClose(written);
  if (!CommitTimeHistoryFile()) throw "Unable to write the time history file\n" + TimeHistoryPathOf(model.path);
  if (!temporary.Commit()) {
    RemoveTimeHistoryFile(model.path);
    throw "Unable to write the results file\n" + resultsPath;
  }
  HoldHangerDisplacements(resultsPath);
}
