// The branch connection stresses table; see BranchConnectionTable.h.
// Column numbers of the text report are character columns of the page; a
// value "ending at" a column is right-aligned there.
#include "results/BranchConnectionTable.h"

#include <cmath>
#include <vector>

#include "codes/CodeStressDriver.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "printing/ReportOutput.h"
#include "results/LoadCaseChooser.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "services/LoadCaseTypes.h"
#include "services/NameTables.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

// The layout shown and printed: three heading lines, two lines per record.
constexpr TableShape kShape{9, 3, 2};
constexpr const char* kTitle = "Branch Connection Stresses: ";

BranchConnectionStresses& Branches() { return TheCodeStresses().branches; }
int Code() { return TheCodeStresses().cm != nullptr ? TheCodeStresses().cm->settings.code : 0; }
int ServiceLevel() { return TheCodeStresses().cm != nullptr ? TheCodeStresses().cm->settings.serviceLevel : 0; }

int CaseCount() { return Branches().CaseCount(); }
// The position of the case shown in the case list, 0 before any case.
int Slot() {
  const BranchConnectionStresses& b = Branches();
  return b.caseIndex >= 1 && b.caseIndex <= b.CaseCount() ? b.caseIndex - 1 : -1;
}
int CaseType() { return Slot() >= 0 ? Branches().caseTypes[static_cast<std::size_t>(Slot())] : 0; }
bool SustainedShown() { return CaseType() == kCaseIdSustained; }

const BCstress* RecordOf(int row) {
  const auto& records = Branches().records;
  return row >= 1 && row <= static_cast<int>(records.size()) ? &records[static_cast<std::size_t>(row) - 1] : nullptr;
}

const BranchConCaseStresses* CaseOf(const BCstress& record) {
  const int slot = Slot();
  if (record.type == -1 || slot < 0 || slot >= static_cast<int>(record.cases.size())) return nullptr;
  return &record.cases[static_cast<std::size_t>(slot)];
}

// The denominator of the ratio for the case shown.
std::string LimitLabel(bool report) {
  if (SustainedShown()) return report ? "/1.5SH" : "1.5SH";
  static const char* const labels[] = {"1.8SH", "2.25SH", "3.0SH"};
  const int level = ServiceLevel();
  if (level < 0 || level > 2) return report ? "???" : "";
  return report ? std::string("/") + labels[level] : labels[level];
}

std::string TypeText(const BCstress& record) {
  if (record.type == -1) return "* Invalid *";
  const int code = Code();
  return code == 13 || code == 14 || code == 18 ? NordicBranchTypeName(record.type) : BranchTypeName(record.type);
}

std::string Index(double value) { return FormatFixedWidth(value, 7, 3); }
std::string Stress(double value) {
  if (!std::isfinite(value)) return kNotFiniteText;
  return FormatStress(static_cast<float>(value));
}
std::string Moment(double value) { return FormatMoment(static_cast<float>(value)); }

std::vector<HeadingGroup> Groups() { return {{5, 7, "Run / Branch"}}; }

// --- the table window ----------------------------------------------------------------

class BranchConnectionTableWindow : public ResultTableWindow {
 public:
  BranchConnectionTableWindow() {
    linesPerRow = 2;
    gapAfterHeading1 = true;
  }

  std::string PrintName() override { return "Branch connection stresses"; }
  void DefineColumns() override { widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this)); }
  std::string HeadingText(int column, int line) override { return BranchConnectionHeadingText(column, line); }
  std::string CellText(int row, int column, int line) override {
    bool marked = false;
    return BranchConnectionCellText(row, column, line, marked);
  }
  void DrawCellCustom(int row, int column, int line, int& /*x*/, int& /*y*/, const std::string& /*text*/) override {
    bool marked = false;
    BranchConnectionCellText(row, column, line, marked);
    if (!marked) return;
    SetTextColor(Dc(), RGB(255, 0, 0));
    textColourChanged = true;
  }
  std::int32_t RowNode(int row) override {
    const BCstress* record = RecordOf(row);
    return record != nullptr && record->node >= 1 ? TheModel().nodes[record->node].id : 0;
  }
  void KeyDown(UINT key) override {
    switch (key) {
      case VK_TAB: CycleResultTable(GetKeyState(VK_SHIFT) < 0); return;
      case VK_RIGHT: Step(1); return;
      case VK_LEFT: Step(-1); return;
      default: TableKeyDown(*this, key); return;
    }
  }
  void CurrentRowChanged() override {
    const BCstress* record = RecordOf(currentRow);
    if (record != nullptr && record->node >= 1) HighlightNode(record->node);
  }
  void Reload() override { OpenBranchConnectionStressesTable(); }
  void Prepare() override { AddLoadCaseMenu(CaseCount()); }
  void Close() override {
    RemoveLoadCaseMenu();
    HideHighlight();
  }
  void PaintExtra() override { PaintHeadingGroups(*this, Groups()); }
  void DrawColumnRule(int column) override {
    if (!DrawGroupColumnRule(*this, Groups(), column)) ResultTableWindow::DrawColumnRule(column);
  }
  void ContextMenu() override {
    HMENU popup = CreatePopupMenu();
    if (CaseCount() >= 2) {
      AppendLoadCaseMenuItems(popup);
      AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    }
    AppendResultsMenuItems(popup);
    TrackResultTablePopup(*this, popup);
  }
  void WriteText() override { PrintBranchConStresses(); }

 private:
  void Step(int step) {
    const int count = CaseCount();
    if (count < 2) return;
    BranchConnectionStresses& b = Branches();
    b.caseIndex = (b.caseIndex - 1 + step + count) % count + 1;
    OpenBranchConnectionStressesTable();
  }
};

BranchConnectionTableWindow& TheTable() {
  static BranchConnectionTableWindow table;
  return table;
}

// --- the report --------------------------------------------------------------------------

void TextHeading() {
  ReportPutCentred(BranchConnectionTitle(), 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText("Pressure   --- Run / Branch ---    Total    Total", 28);
  ReportNewLine();
  ReportPutText("Node    Type       B1    stress    B2    Moment   Stress   stress   stress", 4);
  ReportNewLine();
  const std::string stress = UnitLabel(kUnitStress);
  ReportPutCentred(stress, 28, 35);
  ReportPutCentred(UnitLabel(kUnitMoment), 45, 51);
  ReportPutCentred(stress, 53, 60);
  ReportPutCentred(stress, 62, 69);
  ReportPutText(LimitLabel(true), 72);
  ReportNewLine();
  ReportRule();
}

void CsvHeading() {
  const std::string stress = UnitLabel(kUnitStress);
  WriteCsvCells({BranchConnectionTitle()});
  WriteCsvCells({"", "", "", "Pressure", "Run / Branch", "", "", "Total", "Total"});
  WriteCsvCells({"Node", "Type", "B1", "stress", "B2", "Moment", "Stress", "stress", "stress"});
  WriteCsvCells({"", "", "", stress, "", UnitLabel(kUnitMoment), stress, stress, LimitLabel(true)});
}

void WriteRecordText(const BCstress& record) {
  const std::string node = record.node >= 1 ? NodeNumberText(TheModel().nodes[record.node].id) : "";
  ReportPutText(node, 4);
  ReportPutText(TypeText(record), 10);
  const BranchConCaseStresses* s = CaseOf(record);
  if (s == nullptr) {
    ReportNewLine();
    ReportNewLine();
    return;
  }
  ReportPutTextRight(Index(record.B1), 26);
  ReportPutTextRight(Stress(s->pressureStress), 33);
  ReportPutTextRight(Index(record.B2r), 42);
  ReportPutTextRight(Moment(s->runMoment), 50);
  ReportPutTextRight(Stress(s->runStress), 59);
  ReportPutTextRight(Stress(s->totalStress), 68);
  ReportPutTextRight(FormatRatio(s->ratio), 76);
  ReportNewLine();
  ReportPutTextRight(Index(record.B2b), 42);
  ReportPutTextRight(Moment(s->branchMoment), 50);
  ReportPutTextRight(Stress(s->branchStress), 59);
  ReportNewLine();
}

void WriteRecordCsv(const BCstress& record) {
  const std::string node = record.node >= 1 ? NodeNumberText(TheModel().nodes[record.node].id) : "";
  const BranchConCaseStresses* s = CaseOf(record);
  if (s == nullptr) {
    WriteCsvCells({node, TypeText(record)});
    WriteCsvCells({});
    return;
  }
  WriteCsvCells({node, TypeText(record), Index(record.B1), Stress(s->pressureStress), Index(record.B2r),
                 Moment(s->runMoment), Stress(s->runStress), Stress(s->totalStress), FormatRatio(s->ratio)});
  WriteCsvCells({"", "", "", "", Index(record.B2b), Moment(s->branchMoment), Stress(s->branchStress)});
}

// One case into the report file.
void PrintBranchConStressCase() {
  const auto& records = Branches().records;
  if (g_ReportToFile) {
    CsvHeading();
    for (const BCstress& record : records) WriteRecordCsv(record);
    ReportNewLine();
    return;
  }
  if (ReportLinesLeft() < 5) ReportNewPage();
  else TextHeading();
  for (const BCstress& record : records) {
    if (g_ReportLine == kReportBodyLine) TextHeading();
    if (ReportLinesLeft() < 2) {
      ReportNewPage();
      TextHeading();
    }
    WriteRecordText(record);
  }
  if (g_ReportLine != kReportBodyLine) {
    ReportPutText(std::string(83, '-'), 4);
    ReportNewLine();
  }
}

class BranchConnectionPrintout : public ResultPrintTable {
 public:
  explicit BranchConnectionPrintout(int rows) : ResultPrintTable(TheTable(), kShape, rows, Groups()) {
    flagged = [](int row, int column, int line) {
      bool marked = false;
      BranchConnectionCellText(row, column, line, marked);
      return marked;
    };
  }
};

}  // namespace

bool BranchConnectionStressesOffered() {
  const CodeStressResults& r = TheCodeStresses();
  return r.computed && r.branches.ready && !r.branches.records.empty() && r.branches.CaseCount() > 0;
}

std::string BranchConnectionTitle() { return std::string(kTitle) + (CaseType() != 0 ? LoadCaseTitle(CaseType()) : ""); }

std::string BranchConnectionHeadingText(int column, int line) {
  switch (column) {
    case 1: return line == 1 ? "Node" : "";
    case 2: return line == 1 ? "Type" : "";
    case 3: return line == 1 ? "B1" : "";
    case 4: return line == 0 ? "Pressure" : line == 1 ? "stress" : UnitLabel(kUnitStress);
    case 5: return line == 1 ? "B2" : "";
    case 6: return line == 1 ? "Moment" : line == 2 ? UnitLabel(kUnitMoment) : "";
    case 7: return line == 1 ? "Stress" : line == 2 ? UnitLabel(kUnitStress) : "";
    case 8: return line == 0 ? "Total" : line == 1 ? "Stress" : UnitLabel(kUnitStress);
    case 9: return line == 0 ? "Total" : line == 1 ? "Stress" : LimitLabel(false);
    default: return {};
  }
}

std::string BranchConnectionCellText(int row, int column, int line, bool& marked) {
  marked = false;
  const BCstress* record = RecordOf(row);
  if (record == nullptr || line < 0 || line > 1) return {};
  if (line == 0 && column == 1) return record->node >= 1 ? NodeNumberText(TheModel().nodes[record->node].id) : "";
  if (line == 0 && column == 2) return TypeText(*record);
  const BranchConCaseStresses* s = CaseOf(*record);
  if (s == nullptr) return {};
  const bool over = s->ratio > 1.0f;
  if (line == 1) {
    switch (column) {
      case 5: return Index(record->B2b);
      case 6: return Moment(s->branchMoment);
      case 7: return Stress(s->branchStress);
      default: return {};
    }
  }
  switch (column) {
    case 3: return Index(record->B1);
    case 4: return Stress(s->pressureStress);
    case 5: return Index(record->B2r);
    case 6: return Moment(s->runMoment);
    case 7: return Stress(s->runStress);
    case 8:
      marked = over;
      return Stress(s->totalStress);
    case 9:
      marked = over;
      return FormatRatio(s->ratio);
    default: return {};
  }
}

void OpenBranchConnectionStressesTable() {
  BranchConnectionStresses& b = Branches();
  if (b.caseIndex == 0 || b.records.empty()) return;
  BranchConnectionTableWindow& table = TheTable();
  const bool shown = ShownResultTable() == &table;
  const int row = shown ? table.currentRow : 1;
  if (!BindResultsTable(table, kShape.columns, kShape.headingLines)) return;
  SetResultsReopenCommand(OpenBranchConnectionStressesTable);
  TableRefresh(table, BranchConnectionTitle(), static_cast<int>(b.records.size()), row);
  table.CurrentRowChanged();
}

ResultTableWindow& BranchConnectionStressesTable() { return TheTable(); }
void RegisterBranchConnectionStressesTable() { RegisterResultTableView(TheTable()); }

void ChooseBranchConnectionCase(HWND owner) {
  BranchConnectionStresses& b = Branches();
  const int chosen = ChooseBranchStressLoadCases(owner, b.caseTypes, b.caseIndex);
  if (chosen == 0) return;
  b.caseIndex = chosen;
  OpenBranchConnectionStressesTable();
}

void PrintBranchConStresses() {
  BranchConnectionStresses& b = Branches();
  if (b.records.empty() || b.CaseCount() == 0) return;
  const int shown = b.caseIndex;
  for (int k = 1; k <= b.CaseCount(); ++k) {
    b.caseIndex = k;
    if (!g_ReportFileOpen) {
      BranchConnectionPrintout grid(static_cast<int>(b.records.size()));
      PrintResultGrid(grid, k == 1 ? "Branch Connection Stresses" : "", BranchConnectionTitle(),
                      static_cast<int>(b.records.size()));
    } else {
      PrintBranchConStressCase();
    }
  }
  b.caseIndex = shown;
}
