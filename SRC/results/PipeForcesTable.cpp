// The pipe forces tables; see PipeForcesTable.h.
#include "results/PipeForcesTable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>

#include "codes/CodeStressDriver.h"
#include "codes/StressIndices.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "records/LoadCaseList.h"
#include "results/Bs806ForceReport.h"
#include "results/CodeStressResults.h"
#include "results/ElementForceValues.h"
#include "results/ElementForcesTable.h"
#include "results/ElementLcs.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "resultsfile/TextMeasure.h"
#include "services/LoadCaseTypes.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/Units.h"

namespace {


bool InTypes(int type, std::initializer_list<int> types) {
  for (int t : types)
    if (t == type) return true;
  return false;
}

int Code() { return TheModel().options.PipingCode; }

bool IsExpansionType(int caseType) { return IsExpansionOrRangeCase(caseType); }
bool IsOccasionalType(int caseType) {
  return InTypes(caseType, {kCaseIdStaticSeismic, kCaseIdWind, kCaseIdResponseSpectrum, kCaseIdTimeHistory,
                            kCaseIdHarmonic, kCaseIdForceSpectrum, kCaseIdWind2, kCaseIdWind3, kCaseIdWind4});
}

// The columns and heading lines of a member in the axes shown; a first
// heading line of three holds the group captions.
TableShape ShapeOf(PipeForcesMember member) {
  if (g_ShowGlobalForces) return {7, 2, 2};
  switch (member) {
    case PipeForcesMember::FlexibilityFactor: return {14, 3, 2};
    case PipeForcesMember::VonMises: return {12, 3, 2};
    case PipeForcesMember::Bs806: return {11, 2, 2};
    default: return {10, 2, 2};
  }
}

std::string ForceText(float value) { return FormatForce(value); }
std::string MomentText(double value) { return FormatMoment(static_cast<float>(value)); }
std::string StressText(double value) {
  if (IsFlaggedStress(std::fabs(value)) || !std::isfinite(value)) return kNotFiniteText;
  return FormatStress(static_cast<float>(value));
}

class PipeForcesTableWindow : public ElementForcesTableWindow {
 public:
  PipeForcesMember member = PipeForcesMember::Plain;
  std::string stressHeading;
  bool b1b2 = false;

  // Rows are the code stress records in element order.
  const std::vector<int>& RowElements() const override { return TheResults().stressElements; }
  TableShape Shape() const override { return ShapeOf(member); }
  bool StressShown() const { return !stressHeading.empty() && TheCodeStresses().cm != nullptr; }

  std::string Title() const {
    if (member == PipeForcesMember::Bs806 && !g_ShowGlobalForces) return "Pipe Forces in Local Coordinates";
    return std::string("Pipe forces in ") + (g_ShowGlobalForces ? "global" : "local") + " coordinates";
  }

  void Load() override {
    LoadCaseElementForces();
    stressHeading = member == PipeForcesMember::Bs806 ? std::string() : PipeForcesStressHeading();
    b1b2 = member == PipeForcesMember::Plain && PipeForcesShowB1B2();
    ForgetGlobalForces();
    bs806Element_ = 0;
    // The flexibility factors are those of the case shown, made for it.
    if (member == PipeForcesMember::FlexibilityFactor) flexFactors_ = CurrentCaseFlexibilityFactors();
    ShowResultsTitle(Title());
  }
  std::string PrintName() override { return "Pipe forces"; }
  void DefineColumns() override {
    widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    Equalize(widths, ScreenTextWidth(*this));
  }

  // The width rules of the printed table, applied on screen too.
  void Equalize(std::vector<int>& w, const TextWidthFunction& width) const {
    if (g_ShowGlobalForces) {
      SpreadMaxWidth(w, 2, 7);
      return;
    }
    switch (member) {
      case PipeForcesMember::FlexibilityFactor: {
        SpreadMaxWidth(w, 2, 4);
        EqualizePairWidth(w, 5, 6);
        EqualizePairWidth(w, 7, 8);
        EqualizePairWidth(w, 9, 10);
        EqualizePairWidth(w, 11, 13);
        const int outplane = width(std::string("Outpln") + UnitLabel(kUnitMoment));
        if (outplane > w[6] + w[7]) {
          w[6] += outplane - (w[6] + w[7]);
          w[8] = w[6];
        }
        if (!StressShown()) w[14] = 0;
        break;
      }
      case PipeForcesMember::VonMises: SpreadMaxWidth(w, 2, 7); break;
      case PipeForcesMember::Bs806:
        SpreadMaxWidth(w, 2, 4);
        EqualizePairWidth(w, 5, 8);
        EqualizePairWidth(w, 9, 11);
        break;
      default:
        SpreadMaxWidth(w, 2, 7);
        if (b1b2)
          EqualizePairWidth(w, 8, 9);
        else
          w[9] = 0;
        if (!StressShown()) w[10] = 0;
        break;
    }
  }

  std::vector<HeadingGroup> Groups() const {
    if (g_ShowGlobalForces) return {};
    const std::string moment = UnitLabel(kUnitMoment);
    if (member == PipeForcesMember::FlexibilityFactor)
      return {{5, 6, "Torsion" + moment}, {7, 8, "Inplane" + moment}, {9, 10, "Outplane" + moment},
              {11, 13, "Flex. Factors"}};
    if (member == PipeForcesMember::VonMises) return {{10, 12, std::string("Stress ") + UnitLabel(kUnitStress)}};
    return {};
  }

  std::string HeadingText(int column, int line) override {
    // Three-line headings keep their first line for the group captions.
    if (Shape().headingLines == 3) {
      if (line == 0) return {};
      --line;
    }
    if (column == 1) return line == 0 ? "Node" : "";
    if (g_ShowGlobalForces) {
      return ForceValueHeading(column - 2, line, true);
    }
    switch (member) {
      case PipeForcesMember::FlexibilityFactor: return FlexibilityHeading(column, line);
      case PipeForcesMember::VonMises: return VonMisesHeading(column, line);
      case PipeForcesMember::Bs806: return Bs806Heading(column, line);
      default: return PlainHeading(column, line);
    }
  }
  std::string CellText(int row, int column, int line) override {
    const int e = ElementOfRow(row);
    if (e == 0 || e >= static_cast<int>(g_CaseElementForces.size()) || line < 0 || line > 1) return {};
    if (column == 1) return NodeCell(e, line);
    const std::array<float, 12>& record = g_CaseElementForces[static_cast<std::size_t>(e)];
    if (g_ShowGlobalForces) return GlobalCell(e, record, column, line, 0);
    switch (member) {
      case PipeForcesMember::FlexibilityFactor: return FlexibilityCell(row, e, record, column, line);
      case PipeForcesMember::VonMises: return VonMisesCell(row, e, record, column, line);
      case PipeForcesMember::Bs806: return Bs806Cell(e, column, line);
      default: return PlainCell(row, e, record, column, line);
    }
  }
  void CurrentRowChanged() override {
    if (ElementOfRow(currentRow) == 0) return;
    ElementForcesTableWindow::CurrentRowChanged();
    StoreFrameOfRow();
  }
  void Prepare() override {
    ElementForcesTableWindow::Prepare();
    if (!g_ShowGlobalForces) AddElementLcsItem();
  }
  void Close() override {
    ElementForcesTableWindow::Close();
    CloseElementLcs();
  }
  void PaintExtra() override { PaintHeadingGroups(*this, Groups()); }
  void DrawColumnRule(int column) override {
    if (!DrawGroupColumnRule(*this, Groups(), column)) ResultTableWindow::DrawColumnRule(column);
  }
  void WriteText() override;

  // The end-1 frame of the current row's element, for the LCS display.
  void StoreFrameOfRow() {
    if (!g_ShowGlobalForces) StoreElementLcs(ElementOfRow(currentRow));
  }

 private:
  std::string PlainHeading(int column, int line) const {
    if (column >= 2 && column <= 7) return ForceValueHeading(column - 2, line, false);
    if (column == 8) return line == 0 ? (b1b2 ? "B1" : "SIF") : "";
    if (column == 9) return line == 0 && b1b2 ? "B2" : "";
    if (column == 10) return line == 0 ? stressHeading : StressShown() ? UnitLabel(kUnitStress) : "";
    return {};
  }
  std::string FlexibilityHeading(int column, int line) const {
    static const char* const names[] = {"", "Node", "Axial", "y Shear", "z Shear", "Moment", "SIF", "Moment",
                                        "SIF", "Moment", "SIF", "FFi", "FFo", "FFt"};
    if (column >= 2 && column <= 4) return line == 0 ? names[column] : UnitLabel(kUnitForce);
    if (column >= 5 && column <= 13) return line == 0 ? names[column] : "";
    if (column == 14) return line == 0 ? stressHeading : StressShown() ? UnitLabel(kUnitStress) : "";
    return {};
  }
  std::string VonMisesHeading(int column, int line) const {
    if (column >= 2 && column <= 7) return ForceValueHeading(column - 2, line, false);
    switch (column) {
      case 8: return line == 0 ? "Inplane" : "SIF";
      case 9: return line == 0 ? "Outplane" : "SIF";
      case 10: return line == 0 ? "Von Mises" : "";
      case 11: return line == 0 ? "Maximum" : "";
      case 12: return line == 0 ? "Minimum" : "";
      default: return {};
    }
  }

  static const EndSifs* SifsOf(int e, int line) {
    const SifTables& sifs = TheCodeStresses().sifs;
    if (e < 1 || e >= static_cast<int>(sifs.elements.size())) return nullptr;
    return &sifs.elements[static_cast<std::size_t>(e)].ends[static_cast<std::size_t>(line)];
  }
  std::string StressCell(int row, int line) const {
    double stress = 0.0;
    if (!StressShown() || !CurrentCaseEndStress(row, line, b1b2, stress)) return {};
    return StressText(stress);
  }
  std::string PlainCell(int row, int e, const std::array<float, 12>& record, int column, int line) const {
    if (column >= 2 && column <= 7) return FormatLocalForce(record, column, line, 2);
    if (column == 8 || column == 9) {
      if (b1b2) {
        const CodeStressResults& r = TheCodeStresses();
        if (r.cm == nullptr) return {};
        const StressIndices indices = ElementEndStressIndices(*r.cm, r.sifs, e);
        return FormatFixedWidth(column == 8 ? indices.B1[line] : indices.B2[line], 7, 2);
      }
      const EndSifs* s = SifsOf(e, line);
      return column == 8 && s != nullptr ? std::string(FormatSif(s->inPlane)) : std::string();
    }
    if (column == 10) return StressCell(row, line);
    return {};
  }
  std::string FlexibilityCell(int row, int e, const std::array<float, 12>& record, int column, int line) const {
    const std::size_t base = line == 0 ? 0 : 6;
    const EndSifs* s = SifsOf(e, line);
    switch (column) {
      case 2: case 3: case 4: return ForceText(record[base + static_cast<std::size_t>(column - 2)]);
      case 5: return MomentText(record[base + 3]);
      case 6: return s != nullptr ? FormatSif(s->torsion) : "";
      case 7: case 9: {
        double inPlane = record[base + 5], outPlane = record[base + 4];
        ResolvedAtBranch(e, line, inPlane, outPlane);
        return MomentText(column == 7 ? inPlane : outPlane);
      }
      case 8: return s != nullptr ? FormatSif(s->inPlane) : "";
      case 10: return s != nullptr ? FormatSif(s->outPlane) : "";
      case 11: case 12: case 13: return FactorCell(e, column);
      case 14: return StressCell(row, line);
      default: return {};
    }
  }
  std::string FactorCell(int e, int column) const {
    if (e < 1 || e >= static_cast<int>(flexFactors_.size())) return {};
    const ElementFlexFactors& k = flexFactors_[static_cast<std::size_t>(e)];
    const double value = column == 11 ? k.inPlane : column == 12 ? k.outPlane : k.torsion;
    if (!std::isfinite(value)) return kNotFiniteText;
    return FormatFixedWidth(value, 6, 2);
  }
  std::string Bs806Heading(int column, int line) const {
    static const char* const first[] = {"", "Node", "Mi", "Mo", "Mt", "FTi", "FTo", "FLi", "FLo", "F,fB", "fs", "fc"};
    static const char* const second[] = {"", "", "", "", "", "Br.J", "m", "Bi", "Bo", "", "", ""};
    if (column < 1 || column > 11) return {};
    if (line == 0) return first[column];
    if (column >= 2 && column <= 4) return UnitLabel(kUnitMoment);
    if (column >= 9) return UnitLabel(kUnitStress);
    return second[column];
  }
  std::string Bs806Cell(int e, int column, int line) {
    if (bs806Element_ != e || bs806Case_ != g_ResultCase) {
      bs806Valid_ = CurrentCaseBs806Stresses(e, bs806_);
      bs806Element_ = e;
      bs806Case_ = g_ResultCase;
    }
    if (!bs806Valid_) return column >= 9 ? kNotFiniteText : "";
    const Bs806EndStress& s = bs806_[static_cast<std::size_t>(line)];
    auto factor = [](double value) { return std::string(FormatFixedWidth(value, 6, 2)); };
    switch (column) {
      case 2: return MomentText(s.Ma);
      case 3: return MomentText(s.Mb);
      case 4: return MomentText(s.Mt);
      case 5: return s.branch ? "Br.J" : s.bend ? factor(s.ca) : "";
      case 6: return s.branch ? factor(s.m) : s.bend ? factor(s.cb) : "";
      case 7: return s.branch ? factor(s.ii) : s.bend ? factor(s.la) : "";
      case 8: return s.branch ? factor(s.io) : s.bend ? factor(s.lb) : "";
      case 9: return StressText(s.sigma);
      case 10: return StressText(s.tau);
      case 11: return StressText(s.S);
      default: return {};
    }
  }
  std::string VonMisesCell(int row, int e, const std::array<float, 12>& record, int column, int line) const {
    if (column >= 2 && column <= 7) return FormatLocalForce(record, column, line, 2);
    const EndSifs* s = SifsOf(e, line);
    if (column == 8) return s != nullptr ? FormatSif(s->inPlane) : "";
    if (column == 9) return s != nullptr ? FormatSif(s->outPlane) : "";
    const CodeStressResults& r = TheCodeStresses();
    if (column < 10 || column > 12 || row > r.RecordCount()) return {};
    // Von Mises (the equivalent stress), maximum and minimum principal.
    static constexpr std::size_t kValue[3] = {2, 0, 1};
    return StressText(r.Record(row).uncoded[static_cast<std::size_t>(line)][kValue[column - 10]]);
  }
  // At a branch junction the in-plane and out-of-plane moments of a pipe,
  // jacketed pipe or reducer end are those in the plane of the branch SIF.
  static void ResolvedAtBranch(int e, int line, double& inPlane, double& outPlane) {
    const CodeStressResults& r = TheCodeStresses();
    const int code = Code();
    if (r.cm == nullptr || !InTypes(code, {2, 3, 4, 5, 6, 16})) return;
    const AnalysisElement& element = r.cm->Element(e);
    if (!InTypes(element.kind, {3, 6, 9})) return;
    const int node = line == 0 ? element.node1 : element.node2;
    if (!r.cm->IsBranchPoint(node)) return;
    double mi = 0.0, mo = 0.0;
    if (CurrentCaseBranchMoments(e, node, mi, mo)) {
      inPlane = mi;
      outPlane = mo;
    }
  }

  std::vector<ElementFlexFactors> flexFactors_;
  std::array<Bs806EndStress, 2> bs806_{};
  int bs806Element_ = 0, bs806Case_ = 0;
  bool bs806Valid_ = false;
};

PipeForcesTableWindow& TheTable() {
  static PipeForcesTableWindow table;
  return table;
}

// --- printing ---------------------------------------------------------------------------

// The file road writes the table as it stands: a title, the heading lines
// (the first line of three carrying the group captions, as the printed
// grid has them) and two lines per element, each column right-aligned at
// the end of its widest text, or comma-separated with each caption over
// the first column of its group.
void WriteForcesReport(PipeForcesTableWindow& t, int rows) {
  const TableShape shape = t.Shape();
  LentTableShape lent(t, shape, rows);
  const std::string caseTitle = CurrentCaseTitle();
  const int columns = shape.columns;
  const auto characters = [](const std::string& text) { return static_cast<int>(text.size()); };
  std::vector<int> measured = MeasureTableColumns(t, rows, characters);
  t.Equalize(measured, characters);
  std::vector<bool> shown(static_cast<std::size_t>(columns) + 1, false);
  for (int c = 1; c <= columns; ++c) shown[static_cast<std::size_t>(c)] = measured[static_cast<std::size_t>(c)] > 0;
  const std::vector<HeadingGroup> groups = t.Groups();
  // A heading text, the caption of a group standing over its first column
  // shown on the captions' line.
  auto headingText = [&](int column, int line) {
    if (line == 0 && shape.headingLines == 3)
      for (const HeadingGroup& group : groups) {
        int first = group.first;
        while (first < group.last && !shown[static_cast<std::size_t>(first)]) ++first;
        if (column == first) return group.text;
      }
    return t.HeadingText(column, line);
  };
  if (g_ReportToFile) {
    ReportAppendLine(CsvQuoted(caseTitle + ": Pipe forces (" + ForceAxesName() + " coordinates)"));
    ReportNewLine();
    auto line = [&](const std::function<std::string(int)>& text) {
      std::vector<std::string> cells;
      for (int c = 1; c <= columns; ++c)
        if (shown[static_cast<std::size_t>(c)]) cells.push_back(text(c));
      WriteCsvCells(cells);
    };
    for (int l = 0; l < shape.headingLines; ++l) line([&](int c) { return headingText(c, l); });
    for (int row = 1; row <= rows; ++row)
      for (int l = 0; l < 2; ++l) line([&](int c) { return t.CellText(row, c, l); });
    return;
  }
  std::vector<int> starts(static_cast<std::size_t>(columns) + 1, 0), ends(starts);
  int at = 5;
  for (int c = 1; c <= columns; ++c) {
    if (!shown[static_cast<std::size_t>(c)]) continue;
    const int width = std::max(measured[static_cast<std::size_t>(c)], c == 1 ? 5 : 8);
    starts[static_cast<std::size_t>(c)] = at + 3;
    at += width + 2;
    ends[static_cast<std::size_t>(c)] = at;
  }
  const int last = std::min(at, kReportPageColumns);
  auto heading = [&] {
    ReportPutCentred("Pipe forces in " + ForceAxesName() + " coordinates: " + caseTitle, 6, std::max(last, 78));
    ReportNewLine();
    ReportRule();
    for (int line = 0; line < shape.headingLines; ++line) {
      if (line == 0 && shape.headingLines == 3) {
        // Each caption centred over its group's columns.
        for (const HeadingGroup& group : groups) {
          int first = group.first, end = group.last;
          while (first < end && !shown[static_cast<std::size_t>(first)]) ++first;
          while (end > first && !shown[static_cast<std::size_t>(end)]) --end;
          if (shown[static_cast<std::size_t>(first)])
            ReportPutCentred(group.text, starts[static_cast<std::size_t>(first)], ends[static_cast<std::size_t>(end)]);
        }
      } else {
        for (int c = 1; c <= columns; ++c)
          if (shown[static_cast<std::size_t>(c)]) ReportPutTextRight(t.HeadingText(c, line), ends[static_cast<std::size_t>(c)]);
      }
      ReportNewLine();
    }
    ReportRule();
  };
  if (ReportLinesLeft() < 8) ReportNewPage();
  ReportSetTitle(caseTitle + ": Pipe forces (" + ForceAxesName() + " coordinates)");
  heading();
  for (int row = 1; row <= rows; ++row) {
    if (ReportLinesLeft() < 3) ReportNewPage();
    if (g_ReportLine == kReportBodyLine) heading();
    for (int line = 0; line < 2; ++line) {
      for (int c = 1; c <= columns; ++c)
        if (shown[static_cast<std::size_t>(c)]) ReportPutTextRight(t.CellText(row, c, line), ends[static_cast<std::size_t>(c)]);
      ReportNewLine();
    }
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

void PipeForcesTableWindow::WriteText() {
  const int rows = static_cast<int>(TheResults().stressElements.size());
  if (rows == 0) return;
  // The member is the piping code's whether or not the table was opened.
  member = ChosenPipeForcesMember();
  Load();
  if (!g_ReportFileOpen) {
    PrintForcesGrid(
        *this, rows, "Pipe forces",
        [this](std::vector<int>& w) { Equalize(w, [](const std::string& text) { return PrintTable::TextWidth(text); }); },
        Groups());
    return;
  }
  // BS 806 has its own report layout of the local forces.
  if (member == PipeForcesMember::Bs806 && !g_ShowGlobalForces) {
    WriteBs806PipeForcesLocal();
    return;
  }
  WriteForcesReport(*this, rows);
}

}  // namespace

PipeForcesMember ChosenPipeForcesMember() {
  const AnalysisOptions& options = TheModel().options;
  const int code = options.PipingCode;
  if (code == 0) return PipeForcesMember::VonMises;
  if (code == 12) return PipeForcesMember::Bs806;
  const bool separateSifs = InTypes(code, {2, 3, 4, 5, 6, 16});
  if (!separateSifs && options.UseB31J == 0 && code != 21) return PipeForcesMember::Plain;
  return PipeForcesMember::FlexibilityFactor;
}

std::string PipeForcesStressHeading() {
  const int type = CurrentResultCaseType(), code = Code();
  const PipeForcesMember member = ChosenPipeForcesMember();
  const bool en = member == PipeForcesMember::Plain && (code == 21 || code == 16);
  if (type == kCaseIdSustained || type == kCaseIdHydrotest) return en ? "S1" : "SL";
  if (IsExpansionType(type)) return en ? "S3" : "SE";
  if (type == kCaseIdOperating) return "Sopr";
  if (type == kCaseIdSettlement) return en ? (code == 21 ? "S6" : "SS") : "SS";
  if (IsOccasionalType(type)) return en ? "S2" : "SL+SO";
  return {};
}

bool PipeForcesShowB1B2() {
  const int caseType = CurrentResultCaseType();
  return IsClass2Or3Code(Code()) &&
         (caseType == kCaseIdSustained || caseType == kCaseIdHydrotest || IsOccasionalType(caseType));
}

void OpenPipeForcesTable() {
  PipeForcesTableWindow& table = TheTable();
  if (table.RowElements().empty()) return;
  table.member = ChosenPipeForcesMember();
  table.gapAfterHeading1 = table.Shape().headingLines == 3;
  OpenElementForcesTable(table, OpenPipeForcesTable);
}

ResultTableWindow& PipeForcesTable() { return TheTable(); }
void RegisterPipeForcesTable() { RegisterResultTableView(TheTable()); }

void TogglePipeForcesLcs() {
  if (ShownResultTable() != &TheTable() || g_ShowGlobalForces) return;
  ToggleElementLcs(TheTable().ElementOfRow(TheTable().currentRow));
}
