// The element force sections of the load-case report; see
// ElementForceReports.h.
#include "results/ElementForceReports.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "codes/CodeSettings.h"
#include "codes/CodeStressDriver.h"
#include "codes/CodeStressRecord.h"
#include "codes/StressIndices.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "records/LoadCaseList.h"
#include "results/BeamForcesTable.h"
#include "results/Bs806ForceReport.h"
#include "results/CodeStressResults.h"
#include "results/ElementForceRows.h"
#include "results/FrpForcesTable.h"
#include "results/OtherForcesTable.h"
#include "results/PipeForcesTable.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "services/LoadCaseTypes.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableWindow.h"
#include "services/Units.h"

namespace {

bool InTypes(int type, std::initializer_list<int> types) {
  for (int t : types)
    if (t == type) return true;
  return false;
}

bool IsExpansion(int caseType) { return IsExpansionOrRangeCase(caseType); }
bool IsOccasional(int caseType) {
  return InTypes(caseType, {kCaseIdStaticSeismic, kCaseIdWind, kCaseIdResponseSpectrum, kCaseIdTimeHistory,
                            kCaseIdHarmonic, kCaseIdForceSpectrum, kCaseIdWind2, kCaseIdWind3, kCaseIdWind4});
}
bool IsPrimaryCase(int caseType) {
  return caseType == kCaseIdSustained || caseType == kCaseIdHydrotest || IsOccasional(caseType);
}

enum class Layout { Plain, InOutPlane, StressIndex, Bs806 };

Layout LocalLayout() {
  const AnalysisOptions& options = TheModel().options;
  const int code = options.PipingCode;
  if (code == 12) return Layout::Bs806;
  if (IsClass2Or3Code(code) && IsPrimaryCase(CurrentResultCaseType())) return Layout::StressIndex;
  if (InTypes(code, {2, 3, 4, 5, 6, 16, 21}) || options.UseB31J != 0) return Layout::InOutPlane;
  return Layout::Plain;
}

// The stress column's label for the case; empty when the case has none
// (and always without a piping code, whose stresses are not coded).
std::string StressLabel() {
  const int type = CurrentResultCaseType();
  if (TheModel().options.PipingCode == 0 || TheCodeStresses().cm == nullptr) return {};
  if (type == kCaseIdSustained || type == kCaseIdHydrotest) return "SL";
  if (IsExpansion(type)) return "SE";
  if (type == kCaseIdOperating) return "Sopr";
  if (type == kCaseIdSettlement) return "SS";
  if (IsOccasional(type)) return "SL+SO";
  return {};
}

std::string StressText(int row, int end, bool indices) {
  double stress = 0.0;
  if (!CurrentCaseEndStress(row, end, indices, stress)) return {};
  if (IsFlaggedStress(std::fabs(stress)) || !std::isfinite(stress)) return kNotFiniteText;
  return FormatStress(static_cast<float>(stress));
}

// A SIF is written only above 1.
std::string SifText(double sif) { return sif > 1.0 ? FormatFixedWidth(sif, 6, 2) : ""; }

const EndSifs* SifsOf(int e, int end) {
  const SifTables& sifs = TheCodeStresses().sifs;
  if (e < 1 || e >= static_cast<int>(sifs.elements.size())) return nullptr;
  return &sifs.elements[static_cast<std::size_t>(e)].ends[static_cast<std::size_t>(end)];
}

// The texts of one end of a stress element in the local layout, in the
// order of the text columns.
std::vector<std::string> LocalEndTexts(Layout layout, int row, int e, int end, const std::string& label) {
  const std::array<float, 12>& f = g_CaseElementForces[static_cast<std::size_t>(e)];
  const std::size_t base = end == 0 ? 0 : 6;
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < 3; ++i) texts.push_back(FormatForce(f[base + i]));
  const EndSifs* sif = SifsOf(e, end);
  const bool none = TheModel().options.PipingCode == 0;
  switch (layout) {
    case Layout::Plain:
      for (std::size_t i = 3; i < 6; ++i) texts.push_back(FormatMoment(f[base + i]));
      texts.push_back(sif != nullptr ? SifText(sif->inPlane) : "");
      if (none) texts.push_back(sif != nullptr ? SifText(sif->outPlane) : "");
      else texts.push_back(label.empty() ? "" : StressText(row, end, false));
      break;
    case Layout::InOutPlane: {
      double inPlane = 0.0, outPlane = 0.0;
      EndBendingMoments(e, end, inPlane, outPlane);
      texts.push_back(FormatMoment(f[base + 3]));
      texts.push_back(FormatMoment(static_cast<float>(inPlane)));
      texts.push_back(sif != nullptr ? SifText(sif->inPlane) : "");
      texts.push_back(FormatMoment(static_cast<float>(outPlane)));
      texts.push_back(sif != nullptr ? SifText(sif->outPlane) : "");
      texts.push_back(label.empty() ? "" : StressText(row, end, false));
      break;
    }
    default: {
      for (std::size_t i = 3; i < 6; ++i) texts.push_back(FormatMoment(f[base + i]));
      const CodeStressResults& r = TheCodeStresses();
      StressIndices indices;
      if (r.cm != nullptr) indices = ElementEndStressIndices(*r.cm, r.sifs, e);
      texts.push_back(FormatFixedWidth(indices.B1[end], 7, 2));
      texts.push_back(FormatFixedWidth(indices.B2[end], 7, 2));
      texts.push_back(StressText(row, end, CurrentResultCaseType() != kCaseIdHydrotest));
      break;
    }
  }
  return texts;
}

// The end columns of the value texts, by layout.
std::vector<int> ValueEnds(Layout layout) {
  const bool none = TheModel().options.PipingCode == 0;
  switch (layout) {
    case Layout::Plain: return none ? std::vector<int>{18, 26, 34, 44, 53, 62, 70, 77} : std::vector<int>{18, 26, 34, 44, 53, 62, 70, 78};
    case Layout::InOutPlane: return {18, 26, 34, 42, 50, 56, 65, 71, 78};
    default: return {17, 24, 32, 40, 48, 56, 64, 70, 78};
  }
}

void LocalTextHeading(Layout layout, const std::string& label) {
  ReportPutCentred("Pipe element forces in local coordinates: " + CurrentCaseTitle(), 6, 78);
  ReportNewLine();
  const std::string force = UnitLabel(kUnitForce), moment = UnitLabel(kUnitMoment), stress = UnitLabel(kUnitStress);
  const bool none = TheModel().options.PipingCode == 0;
  auto putLabel = [&label] {
    if (!label.empty()) ReportPutText(label, label.size() > 2 ? 74 : 75);
  };
  auto putUnit = [&label, &stress] {
    if (!label.empty()) ReportPutTextRight(stress, 78);
  };
  switch (layout) {
    case Layout::Plain:
      ReportRule();
      ReportPutText(none ? "fx      fy      fz       mx       my       mz  Inplane Outplane"
                         : "fx      fy      fz       mx       my       mz",
                    16);
      putLabel();
      ReportNewLine();
      ReportPutText("Node", 6);
      for (const auto& [a, b] : {std::pair{15, 18}, {23, 26}, {31, 34}}) ReportPutCentred(force, a, b);
      for (const auto& [a, b] : {std::pair{39, 45}, {48, 54}, {57, 63}}) ReportPutCentred(moment, a, b);
      ReportPutText("SIF", 67);
      if (none) ReportPutTextRight("SIF", 78);
      putUnit();
      break;
    case Layout::InOutPlane:
      ReportPutText("---------------------------------------...In plane... .Out of plane..------", 4);
      ReportNewLine();
      ReportPutText("Axial  y shear z shear Torque  Bend.Moment    Bend.Moment", 14);
      putLabel();
      ReportNewLine();
      ReportPutText("Node", 6);
      for (const auto& [a, b] : {std::pair{15, 18}, {23, 26}, {31, 34}}) ReportPutCentred(force, a, b);
      for (const auto& [a, b] : {std::pair{37, 43}, {45, 51}, {60, 66}}) ReportPutCentred(moment, a, b);
      ReportPutText("SIF", 54);
      ReportPutText("SIF", 69);
      putUnit();
      break;
    default:
      ReportRule();
      ReportPutText("fx     fy      fz     mx      my      mz", 16);
      ReportPutText(label == "SL" ? "SL" : "SL+SO", label == "SL" ? 75 : 74);
      ReportNewLine();
      ReportPutText("Node", 6);
      for (const auto& [a, b] : {std::pair{15, 18}, {22, 25}, {30, 33}}) ReportPutCentred(force, a, b);
      for (const auto& [a, b] : {std::pair{36, 42}, {44, 50}, {52, 58}}) ReportPutCentred(moment, a, b);
      ReportPutText("B1", 62);
      ReportPutText("B2", 68);
      ReportPutTextRight(stress, 78);
      break;
  }
  ReportNewLine();
  ReportRule();
}

void LocalCsvHeading(Layout layout, const std::string& label) {
  ReportAppendLine(CsvQuoted(CurrentCaseTitle() + ": Pipe element forces (local)"));
  ReportNewLine();
  const std::string force = UnitLabel(kUnitForce), moment = UnitLabel(kUnitMoment);
  const std::string stress = label.empty() ? "" : UnitLabel(kUnitStress);
  const bool none = TheModel().options.PipingCode == 0;
  switch (layout) {
    case Layout::Plain:
      if (none) {
        WriteCsvCells({"", "fx", "fy", "fz", "mx", "my", "mz", "Inplane", "Outplane"});
        WriteCsvCells({"Node", force, force, force, moment, moment, moment, "SIF", "SIF"});
      } else {
        WriteCsvCells({"", "fx", "fy", "fz", "mx", "my", "mz", "SIF", label});
        WriteCsvCells({"Node", force, force, force, moment, moment, moment, "", stress});
      }
      break;
    case Layout::InOutPlane:
      WriteCsvCells({"", "", "", "", "", "In plane", "Out of plane", "In plane", "Out of plane", "Torsion"});
      WriteCsvCells({"", "Axial", "y shear", "z shear", "Torque", "Bend.Moment", "Bend.Moment", "SIF", "SIF", "SIF", label});
      WriteCsvCells({"Node", force, force, force, moment, moment, moment, "", "", "", stress});
      break;
    default:
      WriteCsvCells({"", "fx", "fy", "fz", "mx", "my", "mz", "B1", "B2", label == "SL" ? "SL" : "SL+SO"});
      WriteCsvCells({"Node", force, force, force, moment, moment, moment, "", "", UnitLabel(kUnitStress)});
      break;
  }
}

std::string NodeText(int e, int end) {
  const AnalysisElement& element = TheResults().elements[static_cast<std::size_t>(e)];
  return NodeNumberText(TheModel().nodes[end == 0 ? element.node1 : element.node2].id);
}

// The pipe sub-section of the local section in a text or CSV file.
void WritePipeLocalFile() {
  const Layout layout = LocalLayout();
  if (layout == Layout::Bs806) {
    WriteBs806PipeForcesLocal();
    return;
  }
  const std::string label = StressLabel();
  const std::vector<int>& elements = TheResults().stressElements;
  const int rows = static_cast<int>(elements.size());
  if (g_ReportToFile) {
    LocalCsvHeading(layout, label);
    for (int row = 1; row <= rows; ++row) {
      const int e = elements[static_cast<std::size_t>(row) - 1];
      for (int end = 0; end < 2; ++end) {
        std::vector<std::string> cells{NodeText(e, end)};
        std::vector<std::string> texts = LocalEndTexts(layout, row, e, end, label);
        if (layout == Layout::InOutPlane) {
          // Forces, torque, both moments, then the three SIFs.
          const EndSifs* sif = SifsOf(e, end);
          texts = {texts[0], texts[1], texts[2], texts[3], texts[4], texts[6], texts[5], texts[7],
                   sif != nullptr ? SifText(sif->torsion) : "", texts[8]};
        }
        cells.insert(cells.end(), texts.begin(), texts.end());
        WriteCsvCells(cells);
      }
      if (layout != Layout::StressIndex) ReportNewLine();
    }
    ReportNewLine();
    return;
  }
  if (ReportLinesLeft() < 8) ReportNewPage();
  ReportSetTitle(CurrentCaseTitle() + ": Pipe element forces (local)");
  const std::vector<int> ends = ValueEnds(layout);
  for (int row = 1; row <= rows; ++row) {
    if (row == 1 || g_ReportLine == kReportBodyLine) LocalTextHeading(layout, label);
    const int e = elements[static_cast<std::size_t>(row) - 1];
    for (int end = 0; end < 2; ++end) {
      ReportPutText(NodeText(e, end), 6);
      const std::vector<std::string> texts = LocalEndTexts(layout, row, e, end, label);
      for (std::size_t i = 0; i < texts.size() && i < ends.size(); ++i) ReportPutTextRight(texts[i], ends[i]);
      ReportNewLine();
    }
    ReportNewLine();
    if (row < rows && ReportLinesLeft() < 3) ReportNewPage();
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

void GlobalTextHeading() {
  ReportPutCentred("Element forces in global coordinates: " + CurrentCaseTitle(), 4, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText("Node", 5);
  const std::string force = UnitLabel(kUnitForce), moment = UnitLabel(kUnitMoment);
  ReportPutCentred("FX " + force, 13, 19);
  ReportPutCentred("FY " + force, 23, 29);
  ReportPutCentred("FZ " + force, 33, 39);
  ReportPutCentred("MX " + moment, 44, 52);
  ReportPutCentred("MY " + moment, 56, 64);
  ReportPutCentred("MZ " + moment, 68, 76);
  ReportNewLine();
  ReportRule();
}

void WritePipeGlobalFile() {
  const std::vector<int>& elements = TheResults().stressElements;
  const int rows = static_cast<int>(elements.size());
  if (g_ReportToFile) {
    ReportAppendLine(CsvQuoted(CurrentCaseTitle() + ": Element forces (global)"));
    ReportNewLine();
    const std::string force = UnitLabel(kUnitForce), moment = UnitLabel(kUnitMoment);
    WriteCsvCells({"Node", "FX " + force, "FY " + force, "FZ " + force, "MX " + moment, "MY " + moment, "MZ " + moment});
    for (int e : elements) WriteGlobalForceCsvRow(e, false);
    ReportNewLine();
    return;
  }
  if (ReportLinesLeft() < 6) ReportNewPage();
  ReportSetTitle(CurrentCaseTitle() + ": Element forces (global)");
  for (int row = 1; row <= rows; ++row) {
    if (row == 1 || g_ReportLine == kReportBodyLine) GlobalTextHeading();
    WriteGlobalForceTextRow(elements[static_cast<std::size_t>(row) - 1], false);
    if (row < rows && ReportLinesLeft() < 3) ReportNewPage();
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

void PrintSections(bool global) {
  const bool shown = g_ShowGlobalForces;
  g_ShowGlobalForces = global;
  const ResultsFileContents& results = TheResults();
  if (!results.stressElements.empty()) {
    LoadCaseElementForces();
    if (!g_ReportFileOpen) {
      // On the printer the pipe forces print through their table, which
      // picks its member by the piping code.
      OpenPipeForcesTable();
      if (ShownResultTable() != nullptr) TableWindowPrint(ResultsTableWindow());
    } else if (global) {
      WritePipeGlobalFile();
    } else {
      WritePipeLocalFile();
    }
  }
  if (global)
    FrpGlobalForcesText();
  else
    PrintFrpForces();
  PrintBeamForces();
  PrintOtherForces();
  g_ShowGlobalForces = shown;
}

}  // namespace

void PrintPipeElementForcesLocal() { PrintSections(false); }
void PrintElementForcesGlobal() { PrintSections(true); }

bool ElementForceSectionsOffered() {
  const ResultsFileContents& r = TheResults();
  return !r.stressElements.empty() || !r.frpElements.empty() || !r.beamElements.empty() || !r.otherElements.empty();
}
