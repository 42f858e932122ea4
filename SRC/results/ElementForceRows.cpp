// The shared rows of the element force reports; see ElementForceRows.h.
#include "results/ElementForceRows.h"

#include <vector>

#include "model/LayoutKeywords.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "results/ElementForceValues.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"

namespace {

const AnalysisElement& ElementAt(int e) { return TheResults().elements[static_cast<std::size_t>(e)]; }

std::string NodeText(int e, int line) {
  const AnalysisElement& element = ElementAt(e);
  return NodeNumberText(TheModel().nodes[line == 0 ? element.node1 : element.node2].id);
}

}  // namespace

std::array<double, 12> ElementGlobalForces(int e) {
  if (e < 1 || e >= static_cast<int>(g_CaseElementForces.size()) || e > TheResults().elementCount) return {};
  return PipeForceValues(TheModel(), ElementAt(e), g_CaseElementForces[static_cast<std::size_t>(e)]);
}

std::string GlobalForceText(const std::array<double, 12>& global, int index, int line) {
  return FormatPipeForce(global, index + 2, line, 0, IsDynamicLoadCase());
}

void WriteGlobalForceTextRow(int e, bool withType) {
  const std::array<double, 12> global = ElementGlobalForces(e);
  static constexpr int kPlainEnds[6] = {18, 28, 38, 50, 62, 74};
  static constexpr int kTypeEnds[6] = {27, 35, 43, 53, 63, 73};
  for (int line = 0; line < 2; ++line) {
    ReportPutText(NodeText(e, line), withType ? 6 : 4);
    if (withType && line == 0) ReportPutText(ElementTypeMessageName(static_cast<ElementType>(ElementAt(e).kind)), 16);
    for (int i = 0; i < 6; ++i) ReportPutTextRight(GlobalForceText(global, i, line), (withType ? kTypeEnds : kPlainEnds)[i]);
    ReportNewLine();
  }
  ReportNewLine();
}

void WriteGlobalForceCsvRow(int e, bool withType) {
  const std::array<double, 12> global = ElementGlobalForces(e);
  for (int line = 0; line < 2; ++line) {
    std::vector<std::string> cells{NodeText(e, line)};
    if (withType) cells.push_back(line == 0 ? ElementTypeMessageName(static_cast<ElementType>(ElementAt(e).kind)) : "");
    for (int i = 0; i < 6; ++i) cells.push_back(GlobalForceText(global, i, line));
    WriteCsvCells(cells);
  }
}
