// The loads table and the load summary of a support kind; see
// SupportResultTables.h.
#include "supports/SupportResultTables.h"

#include "supports/HangerResults.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/TextMeasure.h"
#include "services/Frame.h"
#include "services/ListFrameState.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/ViewRequests.h"
#include "supports/SupportKindList.h"
#include "supports/SupportLoadSummary.h"

std::uint8_t g_SupportLoadsGlobal = 0;

namespace {

constexpr float kAbsent = 5.0e29f;

int LoadUnit(int component) { return component < 3 ? kUnitForce : kUnitMoment; }

std::string LoadText(float value, int component) {
  return component < 3 ? FormatForce(value) : FormatMoment(value);
}

std::string KindTableTitle(const SupportResultKind& kind) {
  return kind.tableTitle != nullptr ? kind.tableTitle() : std::string("Loads on ") + kind.plural;
}

std::string ItemLoadText(const SupportResultKind& kind, const DataItem& item, float value, int component) {
  if (kind.moment != nullptr) return kind.moment(item, component) ? FormatMoment(value) : FormatForce(value);
  return LoadText(value, component);
}

std::string KindLoadHeading(const SupportResultKind& kind, int component) {
  if (kind.loadHeading != nullptr) return kind.loadHeading(component);
  return ValueWithUnitLabel(kind.loadNames[component], LoadUnit(component));
}

std::string NodeTextOfRow(int row) { return NodeNumberText(TheModel().row(row).node); }

const DataItem* ItemOfRow(const SupportResultKind& kind, int row) {
  if (row < 1 || row > TheModel().rowCount) return nullptr;
  const LayoutRow& layout = TheModel().row(row);
  return layout.dataType == kind.type ? layout.item.get() : nullptr;
}

int KindRowCount(const SupportResultKind& kind) { return TheModel().lists[kind.list].count; }
int KindLayoutRow(const SupportResultKind& kind, int index) {
  const RowIndexList& list = TheModel().lists[kind.list];
  return index >= 1 && index <= list.count ? RowListEntry(list, index) : 0;
}

HMENU SupportPopup(bool withOther, bool withCases) {
  HMENU popup = CreatePopupMenu();
  if (withOther) {
    AppendMenu(popup, MF_STRING, 287, "&Other supports...");
    AppendMenu(popup, MF_STRING, 330, "Next support");
    AppendMenu(popup, MF_STRING, 331, "Previous support");
    AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
  }
  if (withCases && TheResultCases().count > 1) {
    AppendLoadCaseMenuItems(popup);
    AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
  }
  AppendResultsMenuItems(popup);
  return popup;
}

// --- the loads table of a kind ---------------------------------------------------------

class SupportLoadsTable : public ResultTableWindow {
 public:
  const SupportResultKind* kind = nullptr;

  void Load() {
    LoadCaseSupportLoads(TheModel());
    if (kind != nullptr)
      ShowResultsTitle(KindTableTitle(*kind));
  }
  void Reload() override {
    Load();
    RefreshShownTable(*this);
  }
  std::string PrintName() override { return kind != nullptr ? std::string("Loads on ") + kind->plural : ""; }
  int Columns() const { return kind != nullptr ? 2 + kind->leading + kind->loads + kind->extras : 2; }
  void DefineColumns() override {
    widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    if (kind != nullptr) SpreadMaxWidth(widths, 3 + kind->leading, 2 + kind->leading + kind->loads);
  }
  std::string HeadingText(int column, int line) override {
    if (kind == nullptr) return {};
    if (column == 1) return line == 0 ? "Node" : "";
    if (column == 2) return line == 0 ? "Tag" : "";
    if (column - 3 < kind->leading) return kind->leadingHeading(column - 3, line);
    if (line != 0) return {};
    const int c = column - 3 - kind->leading;
    if (c >= kind->loads) return c - kind->loads < kind->extras ? kind->extraHeading(c - kind->loads) : "";
    return KindLoadHeading(*kind, c);
  }
  std::string CellText(int row, int column, int /*line*/) override { return Cell(row, column, false); }
  // `all`: every load, held or not (the comma-separated lines).
  std::string Cell(int row, int column, bool all) const {
    if (kind == nullptr) return {};
    const int layoutRow = KindLayoutRow(*kind, row);
    const DataItem* item = ItemOfRow(*kind, layoutRow);
    if (item == nullptr) return {};
    if (column == 1) return NodeTextOfRow(layoutRow);
    if (column == 2) return kind->tag(*item);
    if (column - 3 < kind->leading) return kind->leadingCell(*item, layoutRow, column - 3);
    const int c = column - 3 - kind->leading;
    if (c >= kind->loads) return c - kind->loads < kind->extras ? kind->extraCell(*item, layoutRow, c - kind->loads) : "";
    if (c < 0 || (!all && !kind->held(*item, c))) return {};
    return ItemLoadText(*kind, *item, kind->caseLoads(*item)[c], c);
  }
  std::int32_t RowNode(int row) override {
    const int layoutRow = kind != nullptr ? KindLayoutRow(*kind, row) : 0;
    return layoutRow != 0 ? TheModel().row(layoutRow).node : 0;
  }
  void KeyDown(UINT key) override {
    if (!ResultTableKey(*this, key)) TableKeyDown(*this, key);
  }
  void CurrentRowChanged() override {
    if (kind == nullptr) return;
    const int layoutRow = KindLayoutRow(*kind, currentRow);
    if (layoutRow == 0) return;
    HighlightRowDataItem(layoutRow);
    // The kind's list in the List window follows the row.
    if (kind->listOpener != nullptr && CurrentListOpener() == kind->listOpener)
      if (HWND list = ListTableWindow(0); list != nullptr && IsWindowVisible(list)) TableWindowGoTo(list, currentRow);
  }
  void Prepare() override {
    AddSupportNavigationMenu(MultipleSupportKinds());
    if (kind != nullptr && kind->globalLocal) AddSupportAxesMenu(g_SupportLoadsGlobal != 0);
  }
  void Close() override {
    RemoveSupportNavigationMenu();
    RemoveSupportAxesMenu();
    HideHighlight();
  }
  void ContextMenu() override { TrackResultTablePopup(*this, SupportPopup(MultipleSupportKinds(), true)); }
  void WriteText() override {
    if (kind != nullptr) PrintSupportKindLoads(*kind);
  }
};

SupportLoadsTable& TheLoadsTable() {
  static SupportLoadsTable table;
  return table;
}

// --- the summary of one support ----------------------------------------------------------

class SupportSummaryTable : public ResultTableWindow {
 public:
  const SupportResultKind* kind = nullptr;
  int layoutRow = 0;

  std::string PrintName() override { return "Support load summary"; }
  std::string SummaryLoadText(float value, int component) const {
    const DataItem* item = kind != nullptr ? ItemOfRow(*kind, layoutRow) : nullptr;
    return item != nullptr ? ItemLoadText(*kind, *item, value, component) : LoadText(value, component);
  }
  int DisplacementColumn() const { return kind != nullptr ? 2 + kind->loads : 0; }
  const SummaryRecord* Record(int row) const {
    const DataItem* item = kind != nullptr ? ItemOfRow(*kind, layoutRow) : nullptr;
    const std::vector<SummaryRecord>* rows = item != nullptr ? kind->summary(*item) : nullptr;
    if (rows == nullptr || row < 1 || row >= static_cast<int>(rows->size())) return nullptr;
    return &(*rows)[static_cast<std::size_t>(row)];
  }
  bool Held(int component) const {
    const DataItem* item = kind != nullptr ? ItemOfRow(*kind, layoutRow) : nullptr;
    return item != nullptr && (kind->summaryShown == nullptr || kind->summaryShown(*item, component));
  }
  // The name of load c in the summary.
  const char* LoadName(int component) const {
    return (kind->summaryNames != nullptr ? kind->summaryNames : kind->loadNames)[component];
  }
  // The value of a cell, false when it shows nothing.
  bool Value(int row, int column, float& value) const {
    if (WithoutAllowables(row)) return false;
    const SummaryRecord* record = Record(row);
    if (record == nullptr || column < 2) return false;
    const int d = DisplacementColumn();
    if (column < d) {
      if (!Held(column - 2)) return false;
      value = (*record)[static_cast<std::size_t>(column - 2)];
    } else if (column < d + 3) {
      value = (*record)[static_cast<std::size_t>(6 + column - d)];
    } else {
      return false;
    }
    return std::fabs(value) < kAbsent;
  }
  void DefineColumns() override {
    widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    Equalize(widths);
  }
  // The Allowables row of a kind that has no allowable loads.
  bool WithoutAllowables(int row) const {
    return kind != nullptr && kind->noAllowables && row == SummaryRowCount();
  }
  void Equalize(std::vector<int>& w) const {
    const int d = DisplacementColumn();
    SpreadMaxWidth(w, 2, d - 1);
    SpreadMaxWidth(w, d, d + 2);
  }
  std::string HeadingText(int column, int line) override {
    if (line != 1 || kind == nullptr) return {};
    if (column == 1) return "Load combination";
    const int d = DisplacementColumn();
    static const char* const kAxes[3] = {"X", "Y", "Z"};
    if (column < d) {
      const DataItem* item = ItemOfRow(*kind, layoutRow);
      const bool moment = kind->moment != nullptr && item != nullptr ? kind->moment(*item, column - 2) : column - 2 >= 3;
      return ValueWithUnitLabel(LoadName(column - 2), moment ? kUnitMoment : kUnitForce);
    }
    if (column < d + 3) return ValueWithUnitLabel(kAxes[column - d], kUnitDisplacement);
    return {};
  }
  std::string CellText(int row, int column, int /*line*/) override {
    if (column == 1)
      return row >= 1 && row <= SummaryRowCount() && !WithoutAllowables(row)
                 ? SummaryRowLabels()[static_cast<std::size_t>(row)]
                 : "";
    float value = 0.0f;
    if (!Value(row, column, value)) return {};
    if (column < DisplacementColumn()) return SummaryLoadText(value, column - 2);
    return FormatDisplacementOrNone(value);
  }
  // Maximum, Minimum and Allowables: a load beyond a nonzero allowable.
  bool Exceeded(int row, int column) const {
    const int n = SummaryRowCount();
    if (row < n - 2 || row > n || column < 2 || column >= DisplacementColumn()) return false;
    float value = 0.0f;
    const SummaryRecord* allowables = WithoutAllowables(n) ? nullptr : Record(n);
    if (allowables == nullptr || !Value(row, column, value)) return false;
    const float allowable = (*allowables)[static_cast<std::size_t>(column - 2)];
    return allowable != 0.0f && std::fabs(allowable) < std::fabs(value);
  }
  void DrawCellCustom(int row, int column, int /*line*/, int& /*x*/, int& /*y*/, const std::string& /*text*/) override {
    if (!Exceeded(row, column)) return;
    SetTextColor(Dc(), RGB(255, 0, 0));
    textColourChanged = true;
  }
  void SelectRowPen(int row) override {
    if (row == SummaryFirstExtremeRow())
      SelectObject(Dc(), TableDrawing().black);
    else
      ResultTableWindow::SelectRowPen(row);
  }
  std::vector<HeadingGroup> Groups() const {
    const int d = DisplacementColumn();
    return {{d, d + 2, "Displacements (global)"}};
  }
  void PaintExtra() override { PaintHeadingGroups(*this, Groups()); }
  void DrawColumnRule(int column) override {
    if (!DrawGroupColumnRule(*this, Groups(), column)) ResultTableWindow::DrawColumnRule(column);
  }
  std::int32_t RowNode(int /*row*/) override { return layoutRow != 0 ? TheModel().row(layoutRow).node : 0; }
  void KeyDown(UINT key) override {
    if (key == VK_TAB) {
      CycleResultTable(GetKeyState(VK_SHIFT) < 0);
    } else if ((key == VK_LEFT || key == VK_RIGHT) && MultipleSupports()) {
      if (key == VK_LEFT)
        SupportSummaryPrevious();
      else
        SupportSummaryNext();
    } else {
      TableKeyDown(*this, key);
    }
  }
  void Prepare() override { AddSupportNavigationMenu(MultipleSupports(), false); }
  void Close() override {
    SummaryRememberedRow() = currentRow;
    RemoveSupportNavigationMenu();
    HideHighlight();
  }
  void ContextMenu() override { TrackResultTablePopup(*this, SupportPopup(MultipleSupports(), false)); }
  void WriteText() override {
    if (kind == nullptr) return;
    BeginReportSection(CFormatNode(kind->summarySection, layoutRow), 0);
    PrintSupportSummary(*kind, layoutRow);
  }
  static std::string CFormatNode(const char* format, int row) {
    char text[128];
    std::snprintf(text, sizeof text, format, NodeTextOfRow(row).c_str());
    return text;
  }
};

SupportSummaryTable& TheSummaryTable() {
  static SupportSummaryTable table;
  return table;
}

// --- report forms of the loads table ------------------------------------------------------

std::string LoadHeadingText(const SupportResultKind& kind, int c, bool withBlank) {
  const std::string name = kind.loadNames[c];
  return name + (withBlank ? " " : "") + UnitLabel(LoadUnit(c));
}

void LoadsTextHeading(const SupportResultKind& kind, const std::string& caseTitle) {
  ReportPutCentred((kind.textTitle != nullptr ? kind.textTitle : KindTableTitle(kind)) + ": " + caseTitle, 6, 78);
  ReportNewLine();
  ReportRule();
  if (kind.textHeadings != nullptr) {
    kind.textHeadings();
    ReportRule();
    return;
  }
  ReportPutText("Node", 6);
  for (int c = 0; c < kind.loads; ++c) {
    const bool blank = !(c >= 3 && kind.momentHeadingsWithoutBlank);
    const TextSpan span = kind.loadHeadings[static_cast<std::size_t>(c)];
    ReportPutCentred(LoadHeadingText(kind, c, blank), span.first, span.last);
  }
  ReportNewLine();
  ReportRule();
}

void WriteLoadsText(const SupportResultKind& kind, SupportLoadsTable& table, int rows, bool listed) {
  const std::string caseTitle = CurrentCaseTitle();
  if (ReportLinesLeft() < 5)
    ReportNewPage();
  else
    LoadsTextHeading(kind, caseTitle);
  if (listed) ReportSetTitle(caseTitle + ": Loads on " + kind.pluralLower);
  for (int row = 1; row <= rows; ++row) {
    if (g_ReportLine == kReportBodyLine) LoadsTextHeading(kind, caseTitle);
    ReportPutText(table.Cell(row, 1, false), 6);
    const int layoutRow = KindLayoutRow(kind, row);
    const DataItem* item = ItemOfRow(kind, layoutRow);
    if (kind.textRow != nullptr && item != nullptr)
      kind.textRow(*item, layoutRow);
    else
      for (int c = 0; c < kind.loads; ++c)
        ReportPutTextRight(table.Cell(row, c + 3 + kind.leading, false), kind.loadEnds[static_cast<std::size_t>(c)]);
    ReportNewLine();
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

void WriteLoadsCsv(const SupportResultKind& kind, SupportLoadsTable& table, int rows) {
  ReportAppendLine(CsvQuoted(kind.tableTitle != nullptr ? KindTableTitle(kind) + ": " + CurrentCaseTitle()
                                                     : CurrentCaseTitle() + ": Loads on " + kind.pluralLower));
  ReportNewLine();
  if (kind.csvHeadings != nullptr) {
    for (const std::vector<std::string>& line : kind.csvHeadings()) WriteCsvCells(line);
  } else {
    std::vector<std::string> heading{"Node", "Tag"};
    for (int l = 0; l < kind.leading; ++l) heading.push_back(kind.leadingHeading(l, 0) + kind.leadingHeading(l, 1));
    for (int c = 0; c < kind.loads; ++c) heading.push_back(LoadHeadingText(kind, c, true));
    for (int e = 0; e < kind.extras; ++e) heading.push_back(kind.extraHeading(e));
    WriteCsvCells(heading);
  }
  for (int row = 1; row <= rows; ++row) {
    const int layoutRow = KindLayoutRow(kind, row);
    const DataItem* item = ItemOfRow(kind, layoutRow);
    if (kind.csvRow != nullptr && item != nullptr) {
      WriteCsvCells(kind.csvRow(*item, layoutRow));
      continue;
    }
    std::vector<std::string> cells;
    for (int column = 1; column <= table.Columns(); ++column) cells.push_back(table.Cell(row, column, true));
    WriteCsvCells(cells);
  }
}

// --- report forms of the summary ------------------------------------------------------------

void SummaryTextHeading(const SupportResultKind& kind, SupportSummaryTable& table, int row) {
  const std::string title = SupportSummaryTitle(kind, row);
  if (kind.summaryTitleSpan.first == 0)
    ReportPutTextCentredLine(title);
  else
    ReportPutCentred(title, kind.summaryTitleSpan.first, kind.summaryTitleSpan.last);
  ReportNewLine();
  ReportRule();
  if (kind.summaryTextHeadings != nullptr) {
    kind.summaryTextHeadings();
  } else {
    ReportPutText("Load combination", 4);
    for (int c = 0; c < kind.loads; ++c)
      ReportPutTextRight(table.LoadName(c) + std::string(UnitLabel(LoadUnit(c))),
                         kind.summaryEnds[static_cast<std::size_t>(c)]);
    ReportNewLine();
  }
  ReportRule();
}

void WriteSummaryText(const SupportResultKind& kind, SupportSummaryTable& table, int row) {
  const int rows = SummaryRowCount();
  if (ReportLinesLeft() < 5) ReportNewPage();
  // Listed once in the contents, on the page where it begins.
  ReportSetTitle(SupportSummaryTable::CFormatNode((std::string("    ") + kind.singular + " at Node %s").c_str(), row));
  if (g_ReportLine != kReportBodyLine) SummaryTextHeading(kind, table, row);
  for (int r = 1; r <= rows; ++r) {
    if (table.WithoutAllowables(r)) continue;
    if (g_ReportLine == kReportBodyLine) SummaryTextHeading(kind, table, row);
    ReportPutText(table.CellText(r, 1, 0), 4);
    for (int c = 0; c < kind.loads; ++c) {
      float value = 0.0f;
      if (table.Value(r, c + 2, value) && value != 0.0f)
        ReportPutTextRight(table.SummaryLoadText(value, c), kind.summaryEnds[static_cast<std::size_t>(c)]);
    }
    ReportNewLine();
  }
  if (g_ReportLine != kReportBodyLine) ReportRule();
}

void WriteSummaryCsv(const SupportResultKind& kind, SupportSummaryTable& table, int row) {
  WriteCsvCells({SupportSummaryTitle(kind, row)});
  if (kind.summaryCsvHeadings != nullptr) {
    for (const std::vector<std::string>& line : kind.summaryCsvHeadings()) WriteCsvCells(line);
  } else {
    std::vector<std::string> heading;
    for (int column = 1; column <= table.columnCount; ++column) heading.push_back(table.HeadingText(column, 1));
    WriteCsvCells(heading);
  }
  for (int r = 1; r <= SummaryRowCount(); ++r) {
    if (table.WithoutAllowables(r)) continue;
    std::vector<std::string> cells{table.CellText(r, 1, 0)};
    for (int column = 2; column <= table.columnCount; ++column) {
      float value = 0.0f;
      // Every value is written, free directions too.
      const SummaryRecord* record = table.Record(r);
      const int d = table.DisplacementColumn();
      if (record != nullptr) value = (*record)[static_cast<std::size_t>(column < d ? column - 2 : 6 + column - d)];
      if (record == nullptr || std::fabs(value) >= kAbsent)
        cells.emplace_back();
      else
        cells.push_back(column < d ? table.SummaryLoadText(value, column - 2) : FormatDisplacementOrNone(value));
    }
    WriteCsvCells(cells);
  }
}

// Points the summary table at a support, laid out for its kind, for the
// length of a print.
struct SummaryTarget {
  SupportSummaryTable& table;
  const SupportResultKind* kind;
  int row;
  LentTableShape lent;
  SummaryTarget(SupportSummaryTable& t, const SupportResultKind& k, int r)
      : table(t), kind(t.kind), row(t.layoutRow), lent(t, {4 + k.loads, 2, 1}, SummaryRowCount()) {
    t.kind = &k;
    t.layoutRow = r;
  }
  ~SummaryTarget() {
    table.kind = kind;
    table.layoutRow = row;
  }
  SummaryTarget(const SummaryTarget&) = delete;
  SummaryTarget& operator=(const SummaryTarget&) = delete;
};

}  // namespace

void ReportFieldRight(const std::string& text, int end) {
  if (!text.empty()) ReportPutTextRight(text, end);
}

void ReportFieldAt(const std::string& text, int column) {
  if (!text.empty()) ReportPutText(text, column);
}

std::string ReportComponent(double value) { return value == 0.0 ? "" : FormatFixedWidth(value, 10, 3); }

std::string SupportSummaryTitle(const SupportResultKind& kind, int row) {
  std::string title = SupportSummaryTable::CFormatNode(
      (std::string("Support load summary for ") + kind.singularLower + " at node %s").c_str(), row);
  const DataItem* item = ItemOfRow(kind, row);
  const std::string tag = item != nullptr ? kind.tag(*item) : "";
  if (!tag.empty()) title += " (Tag: " + tag + ")";
  return title;
}

const SupportResultKind* FindSupportResultKind(DataType type) {
  switch (type) {
    case DataType::Anchor: return &AnchorResultKind();
    case DataType::Restraint: return &RestraintResultKind();
    case DataType::Guide: return &GuideResultKind();
    case DataType::LimitStop: return &LimitStopResultKind();
    case DataType::SkewedRestraint: return &SkewedRestraintResultKind();
    case DataType::Snubber: return &SnubberResultKind();
    case DataType::GenericSupport: return &GenericSupportResultKind();
    case DataType::Nozzle: return &NozzleResultKind();
    case DataType::Hanger: return &HangerResultKind();
    default: return nullptr;
  }
}

void OpenSupportKindLoadsTable(const SupportResultKind& kind) {
  const int rows = KindRowCount(kind);
  if (rows == 0) return;
  EnterSupportKind(kind.openLoads);
  SupportLoadsTable& table = TheLoadsTable();
  table.kind = &kind;
  const int headingLines = kind.leading > 0 ? 2 : 1;
  if (!BindResultsTable(table, table.Columns(), headingLines)) return;
  table.nodeSearch = true;
  TableSetRows(table, rows);
  table.Load();
  TableShowFocus(table);
  table.CurrentRowChanged();
}

void ToggleSupportLoadsAxes() {
  SupportLoadsTable& table = TheLoadsTable();
  if (table.kind == nullptr || !table.kind->globalLocal) return;
  g_SupportLoadsGlobal = g_SupportLoadsGlobal != 0 ? 0 : 1;
  RemoveSupportAxesMenu();
  AddSupportAxesMenu(g_SupportLoadsGlobal != 0);
  OpenSupportKindLoadsTable(*table.kind);
}

void PrintSupportKindLoads(const SupportResultKind& kind) {
  const int rows = KindRowCount(kind);
  if (rows == 0) return;
  if (kind.shownInCase != nullptr && !kind.shownInCase()) return;
  if (kind.printLoads != nullptr) {
    kind.printLoads();
    return;
  }
  PrintSupportKindLoadsBlock(kind);
}

void PrintSupportKindLoadsBlock(const SupportResultKind& kind, bool listed) {
  const int rows = KindRowCount(kind);
  LoadCaseSupportLoads(TheModel());
  SupportLoadsTable table;
  table.kind = &kind;
  TableSetColumns(table, nullptr, nullptr, table.Columns(), kind.leading > 0 ? 2 : 1, nullptr);
  if (!g_ReportFileOpen) {
    ResultPrintTable grid(table, rows);
    grid.equalize = [&kind](std::vector<int>& w) { SpreadMaxWidth(w, 3 + kind.leading, 2 + kind.leading + kind.loads); };
    PrintResultGrid(grid, listed ? std::string("Loads on ") + kind.pluralLower : std::string(),
                    KindTableTitle(kind) + ": " + CurrentCaseTitle(), rows);
    return;
  }
  if (g_ReportToFile)
    WriteLoadsCsv(kind, table, rows);
  else
    WriteLoadsText(kind, table, rows, listed);
}

void OpenSupportSummaryWindow(const SupportResultKind& kind, int row) {
  SupportSummaryTable& table = TheSummaryTable();
  // The summary shown closes first, so that it keeps its row for the next.
  if (ShownResultTable() == &table) TableWindowClose(ResultsTableWindow());
  if (!BindResultsTable(table, 4 + kind.loads, 2)) return;
  table.kind = &kind;
  table.layoutRow = row;
  table.gapAfterHeading1 = true;
  table.nodeSearch = false;
  TableSetRows(table, SummaryRowCount());
  table.currentRow = std::clamp(SummaryRememberedRow(), 1, std::max(SummaryRowCount(), 1));
  FrameSetTitle(ResultsFrame(), SupportSummaryTable::CFormatNode(
                                    (std::string("Support load summary for ") + kind.singularLower + " at node %s").c_str(), row));
  TableShowFocus(table);
  TableGoTo(table, table.currentRow);
  HighlightRowDataItem(row);
}

void PrintSupportSummary(const SupportResultKind& kind, int row) {
  SupportSummaryTable& table = TheSummaryTable();
  SummaryTarget target(table, kind, row);
  const int rows = SummaryRowCount();
  if (rows == 0) return;
  if (!g_ReportFileOpen) {
    ResultPrintTable grid(table, rows, table.Groups());
    grid.equalize = [&table](std::vector<int>& w) { table.Equalize(w); };
    grid.flagged = [&table](int r, int column, int) { return table.Exceeded(r, column); };
    // Listed under the load summary, as the text report lists it.
    BeginReportSection(SupportSummaryTable::CFormatNode((std::string(kind.singular) + " at Node %s").c_str(), row), 1);
    PrintResultGrid(grid, "", SupportSummaryTitle(kind, row), rows);
    return;
  }
  if (g_ReportToFile)
    WriteSummaryCsv(kind, table, row);
  else
    WriteSummaryText(kind, table, row);
}

ResultTableWindow& SupportLoadsTableWindow() { return TheLoadsTable(); }
ResultTableWindow& SupportSummaryTableWindow() { return TheSummaryTable(); }

void RegisterSupportResultTables() {
  RegisterResultTableView(TheLoadsTable());
  RegisterResultTableView(TheSummaryTable());
  RegisterResultTableView(HangerReportTable());
}
