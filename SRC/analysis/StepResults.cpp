// Writing the results of a solved step; see StepResults.h.
#include "analysis/StepResults.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "analysis/ElementCaseInput.h"
#include "elements/BendAnalysis.h"
#include "elements/ElementForces.h"
#include "elements/StraightAnalysis.h"
#include "kindbase/ElementInputs.h"
#include "kindbase/GlobalSystem.h"
#include "kindbase/LoadCaseKinds.h"
#include "model/AnalysisElements.h"
#include "model/LayoutKeywords.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "platform/FileNames.h"
#include "records/LoadCaseList.h"
#include "numeric/EquationNumbers.h"
#include "numeric/RunState.h"
#include "resultsfile/ResultsFile.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/NameTables.h"

namespace {

constexpr double kSmallDisplacement = 1.0e-6;

bool IsStraightKind(ElementType kind) {
  switch (kind) {
    case ElementType::Pipe:
    case ElementType::JacketedPipe:
    case ElementType::Valve:
    case ElementType::Reducer:
    case ElementType::Bellows:
    case ElementType::SlipJoint:
    case ElementType::Rigid: return true;
    default: return false;
  }
}

bool IsCurvedKind(ElementType kind) {
  return kind == ElementType::Bend || kind == ElementType::Miter || kind == ElementType::JacketedBend;
}

// The element's local stiffness as its kind builds it for the case.
bool ElementStiffness(const Model& model, const AnalysisElementInput& input, Matrix12d& stiffness) {
  if (IsStraightKind(input.kind)) {
    stiffness = BuildStraightElement(model, input).stiffness;
    return true;
  }
  if (IsCurvedKind(input.kind)) {
    stiffness = BuildBendElement(model, input).stiffness.local;
    return true;
  }
  return false;
}

// A heading line, then one line of twelve comma-separated terms per row.
void ExportStiffness(std::FILE* file, const Model& model, const AnalysisElementInput& input) {
  Matrix12d K{};
  if (!ElementStiffness(model, input, K)) return;
  std::string first = NodeNumberText(model.nodes[input.node1].id);
  std::fprintf(file, "Element: %s - ", first.c_str());
  std::fprintf(file, "%s,", NodeNumberText(model.nodes[input.node2].id));
  std::fprintf(file, "Type :%s\r\n", ElementTypeMessageName(input.kind));
  for (const auto& row : K) {
    for (double term : row) std::fprintf(file, "%lf,", term);
    std::fprintf(file, "%s,\r\n", "");
  }
}

std::string NodeOfIndexText(const Model& model, int node) {
  return node >= 1 && node <= model.nodes.count ? std::string(NodeNumberText(model.nodes[node].id)) : std::string("?");
}

[[noreturn]] void ThrowUnfitResults(const std::string& where) {
  throw std::string("The results of the load case \"") + LoadCaseTitle(CurrentCaseType()) +
      "\" are not finite numbers.\n" + where + "\nCheck the lengths, loads and stiffnesses of the model.";
}

[[noreturn]] void ThrowUnfitElement(const Model& model, const AnalysisElementList& elements, int element) {
  const AnalysisElement& e = elements[element];
  ThrowUnfitResults("In the element from node " + NodeOfIndexText(model, e.node1) + " to node " +
                    NodeOfIndexText(model, e.node2));
}

template <class Value>
void CheckForceValues(const Model& model, const AnalysisElementList& elements, std::span<const Value> values) {
  const std::size_t forces = 12 * static_cast<std::size_t>(elements.count);
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (FitsResultsFile(static_cast<double>(values[k]))) continue;
    if (k < forces) ThrowUnfitElement(model, elements, static_cast<int>(k / 12) + 1);
    ThrowUnfitResults("In the support loads");
  }
}

}  // namespace

void CheckSolutionFits(const Model& model, std::span<const double> values) {
  for (std::size_t k = 1; k < values.size(); ++k) {
    if (FitsResultsFile(values[k])) continue;
    const std::int32_t position = EquationPosition(static_cast<std::int64_t>(k));
    int node = 1;
    while (node <= model.nodes.count && model.nodes[node].equation != position) ++node;
    ThrowUnfitResults("At node " + NodeOfIndexText(model, node) +
                      ", Direction = " + DirectionName(EquationDirection(static_cast<std::int64_t>(k))));
  }
}

void CheckForceBlockFits(const Model& model, const AnalysisElementList& elements, std::span<const double> values) {
  CheckForceValues(model, elements, values);
}
void CheckForceBlockFits(const Model& model, const AnalysisElementList& elements, std::span<const float> values) {
  CheckForceValues(model, elements, values);
}

std::string StiffnessExportPath(const std::string& modelPath) {
  const std::size_t slash = modelPath.find_last_of("/\\");
  const std::size_t dot = modelPath.find_last_of('.');
  const bool hasDot = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasDot ? modelPath.substr(0, dot) : modelPath) + "_K.csv";
}

void WriteDisplacements(const Model& model, AnalysisProgress& progress) {
  ProgressBegin(progress, "Writing displacements", ProgressArea::Phase);
  QV_ASSERT(g_ResultsFile != nullptr);
  const int count = ResultNodeCount(model);
  std::vector<float> values(static_cast<std::size_t>(6 * count), 0.0f);
  for (int node = 1; node <= count; ++node) {
    const LocationVector vector = NodeLocationVector(model.nodes, node);
    for (int i = 0; i < 6; ++i) {
      const double value = SolvedValue(vector.equation[static_cast<std::size_t>(i)]);
      values[static_cast<std::size_t>(6 * (node - 1) + i)] =
          std::fabs(value) < kSmallDisplacement ? 0.0f : static_cast<float>(value);
    }
  }
  BinaryFileWriteFloats(*g_ResultsFile, values.data(), values.size());
  ProgressEnd(progress, ProgressArea::Phase);
}

void WriteHangerDisplacements(const Model& model) {
  const std::string& path = MakeWorkFileName(WorkFile::HangerDisplacements);
  BinaryFile file;
  if (!BinaryFileOpenWrite(file, path)) throw "Unable to write the work file\n" + path;
  const int count = ResultNodeCount(model);
  BinaryFileWriteInt(file, count);
  for (int node = 1; node <= count; ++node) {
    BinaryFileWriteInt(file, model.nodes[node].id);
    const LocationVector vector = NodeLocationVector(model.nodes, node);
    float values[6];
    for (int i = 0; i < 6; ++i) {
      const double value = SolvedValue(vector.equation[static_cast<std::size_t>(i)]);
      values[i] = std::fabs(value) < kSmallDisplacement ? 0.0f : static_cast<float>(value);
    }
    BinaryFileWriteFloats(file, values, 6);
  }
  if (!BinaryFileClose(file) || BinaryFileHasError(file)) throw "Unable to write the work file\n" + path;
}

void CalculateElementForces(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress,
                            ElementForceBuilds* kept) {
  if (CurrentCaseType() == SingleThermalCase(1) && model.options.SolveThermalCase == 0) return;
  ProgressBegin(progress, "Calculating forces", ProgressArea::Phase);
  std::FILE* exportFile = nullptr;
  if (std::getenv("export_K") != nullptr) {
    const std::string name = StiffnessExportPath(model.path);
    exportFile = platform::OpenFile(name, "wb");
    if (exportFile == nullptr)
      ShowInfoMessage(MainFrame().window, "Not able to open file " + name + ".\nExport of stiffness aborted.");
  }
  const bool reuse = kept != nullptr && !kept->inputs.empty();
  if (kept != nullptr && !reuse) {
    kept->inputs.resize(static_cast<std::size_t>(elements.count) + 1);
    kept->builds.resize(static_cast<std::size_t>(elements.count) + 1);
  }
  const CaseLoadSet loads = CurrentCaseLoadSet(model);
  g_ElementForceRun.unfitElement = 0;
  ProgressCounter counter;
  ProgressCounterStart(counter, elements.count);
  try {
    for (int e = 1; e <= elements.count; ++e) {
      ProgressCounterStep(progress, counter, e);
      const auto at = static_cast<std::size_t>(e);
      if (reuse) {
        TransformElementForces(e, kept->inputs[at], kept->builds[at]);
        if (exportFile != nullptr) ExportStiffness(exportFile, model, kept->inputs[at]);
        continue;
      }
      const AnalysisElementInput input = MakeElementInput(model, elements[e], e, loads);
      const ElementForceBuild build = BuildElementForce(input);
      TransformElementForces(e, input, build);
      if (kept != nullptr) {
        kept->inputs[at] = input;
        kept->builds[at] = build;
      }
      if (exportFile != nullptr) ExportStiffness(exportFile, model, input);
    }
  } catch (...) {
    if (exportFile != nullptr) std::fclose(exportFile);
    // A half-filled record would be taken for whole by the next block.
    if (kept != nullptr && !reuse) *kept = ElementForceBuilds{};
    throw;
  }
  if (exportFile != nullptr) std::fclose(exportFile);
  if (const int unfit = std::exchange(g_ElementForceRun.unfitElement, 0); unfit != 0)
    ThrowUnfitElement(model, elements, unfit);
  ProgressAreaClear(progress, counter);
  ProgressEnd(progress, ProgressArea::Phase);
}

void CalculateSupportLoads(const Model& model, AnalysisProgress& progress) {
  ProgressBegin(progress, "Calculating support loads", ProgressArea::Phase);
  for (int row = 1; row <= model.rowCount; ++row)
    if (DataItem* item = model.row(row).item.get()) item->ComputeSupportLoads(row);
  ProgressEnd(progress, ProgressArea::Phase);
}
