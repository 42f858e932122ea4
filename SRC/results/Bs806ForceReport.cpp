// The BS 806 local force report; see Bs806ForceReport.h. Column numbers are
// character columns of the text page; a value "to" a column ends there.
#include "results/Bs806ForceReport.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "codes/Bs806Stress.h"
#include "codes/CodeStressRecord.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "results/CodeStressResults.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

std::string Stress(double value) {
  if (IsFlaggedStress(value) || !std::isfinite(value)) return kNotFiniteText;
  return FormatStress(static_cast<float>(value));
}
std::string Moment(double value) { return FormatMoment(static_cast<float>(value)); }
std::string Factor(double value) { return FormatFixedWidth(value, 5, 2); }

void Heading() {
  ReportPutCentred("Pipe element forces in local coordinates: " + CurrentCaseTitle(), 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText("Mi      Mo      Mt    FTi   FTo   FLi   FLo   F,fB    fs     fc", 14);
  ReportNewLine();
  const std::string moment = UnitLabel(kUnitMoment), stress = UnitLabel(kUnitStress);
  ReportPutText("Node", 5);
  ReportPutCentred(moment, 11, 18);
  ReportPutCentred(moment, 19, 26);
  ReportPutCentred(moment, 27, 34);
  ReportPutText("BrJnc   m    Bi    Bo", 35);
  ReportPutCentred(stress, 59, 65);
  ReportPutCentred(stress, 66, 72);
  ReportPutCentred(stress, 73, 79);
  ReportNewLine();
  ReportRule();
}

void CsvHeading() {
  const std::string moment = UnitLabel(kUnitMoment), stress = UnitLabel(kUnitStress);
  ReportAppendLine(",Mi,Mo,Mt,FTi,FTo,FLi,FLo,F.fB,fs,fc");
  ReportNewLine();
  WriteCsvCells({"Node", moment, moment, moment, "BrJnc", "m", "Bi", "Bo", stress, stress, stress});
}

// The four factor cells of an end: the branch's, the bend's, or none.
std::array<std::string, 4> Factors(const Bs806EndStress& s) {
  if (s.branch) return {"BrJnc", Factor(s.m), Factor(s.ii), Factor(s.io)};
  if (s.bend) return {Factor(s.ca), Factor(s.cb), Factor(s.la), Factor(s.lb)};
  return {};
}

void WriteEnd(const std::string& node, const Bs806EndStress& s, bool valid) {
  const std::array<std::string, 4> f = valid ? Factors(s) : std::array<std::string, 4>{};
  const std::string sigma = valid ? Stress(s.sigma) : kNotFiniteText, tau = valid ? Stress(s.tau) : kNotFiniteText,
                    combined = valid ? Stress(s.S) : kNotFiniteText;
  if (g_ReportToFile) {
    WriteCsvCells({node, Moment(s.Ma), Moment(s.Mb), Moment(s.Mt), f[0], f[1], f[2], f[3], sigma, tau, combined});
    return;
  }
  ReportPutText(node, 5);
  ReportPutTextRight(Moment(s.Ma), 16);
  ReportPutTextRight(Moment(s.Mb), 24);
  ReportPutTextRight(Moment(s.Mt), 32);
  if (s.branch && valid) {
    ReportPutText(f[0], 35);
  } else if (!f[0].empty()) {
    ReportPutTextRight(f[0], 39);
  }
  if (!f[1].empty()) ReportPutTextRight(f[1], 45);
  if (!f[2].empty()) ReportPutTextRight(f[2], 51);
  if (!f[3].empty()) ReportPutTextRight(f[3], 57);
  ReportPutTextRight(sigma, 64);
  ReportPutTextRight(tau, 71);
  ReportPutTextRight(combined, 78);
  ReportNewLine();
}

}  // namespace

void WriteBs806PipeForcesLocal() {
  const ResultsFileContents& results = TheResults();
  const std::vector<int>& elements = results.stressElements;
  if (elements.empty()) return;
  const std::string title = CurrentCaseTitle() + ": Pipe element forces (local)";
  if (g_ReportToFile) {
    WriteCsvCells({title});
    CsvHeading();
  } else {
    if (ReportLinesLeft() < 8) ReportNewPage();
    else Heading();
    ReportSetTitle(title);
  }
  const Model& model = TheModel();
  for (std::size_t k = 0; k < elements.size(); ++k) {
    const int e = elements[k];
    const AnalysisElement& element = results.elements[static_cast<std::size_t>(e)];
    std::array<Bs806EndStress, 2> s{};
    const bool valid = CurrentCaseBs806Stresses(e, s);
    if (!g_ReportToFile && g_ReportLine == kReportBodyLine) Heading();
    WriteEnd(NodeNumberText(model.nodes[element.node1].id), s[0], valid);
    WriteEnd(NodeNumberText(model.nodes[element.node2].id), s[1], valid);
    ReportNewLine();
    if (!g_ReportToFile && k + 1 < elements.size() && ReportLinesLeft() < 3) ReportNewPage();
  }
  if (g_ReportToFile || g_ReportLine != kReportBodyLine) ReportRule();
}
