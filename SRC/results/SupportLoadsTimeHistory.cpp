// The loads on one support over time; see SupportLoadsTimeHistory.h.
#include "results/SupportLoadsTimeHistory.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "printing/ReportOutput.h"
#include "results/TimeHistoryTables.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "services/Assert.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/Units.h"
#include "services/ViewRequests.h"
#include "supports/SkewedRestraint.h"
#include "supports/SupportLoadSummary.h"

namespace {

// What a kind shows: its title word, export word, the shown columns (the
// value index, the screen heading, the export heading and whether it is a
// moment).
struct Column {
  int value;
  const char* heading;
  const char* exportHeading;
  bool moment;
};
struct TimeKind {
  const char* word;        // "Anchor": "Loads on Anchor at Node %s"
  const char* exportWord;  // "Anchor": "Anchor10.csv"
  std::vector<Column> columns;
};

const TimeKind* KindOf(DataType type) {
  static const std::vector<Column> kSix = {{0, "X", "X", false},  {1, "Y", "Y", false},  {2, "Z", "Z", false},
                                          {3, "XX", "XX", true},  {4, "YY", "YY", true}, {5, "ZZ", "ZZ", true}};
  static const std::vector<Column> kLoad = {{0, "Load", "Load", false}};
  static const TimeKind kAnchor{"Anchor", "Anchor", kSix};
  static const TimeKind kGeneric{"Generic support", "Generic_Support", kSix};
  static const TimeKind kRestraint{"Restraint", "Restraint", {{0, "FX", "X", false}, {1, "FY", "Y", false}, {2, "FZ", "Z", false}}};
  static const TimeKind kGuide{"Guide", "Guide", {{0, "fx", "fx", false}, {1, "fy", "fy", false}, {2, "fz", "fz", false}}};
  static const TimeKind kNozzle{"Nozzle",
                                "Nozzle",
                                {{0, "Axial", "Axial", false},
                                 {1, "y Shear", "yShear", false},
                                 {2, "z Shear", "zShear", false},
                                 {3, "Torque", "Torque", true},
                                 {4, "Circ. Mom", "Circ.Moment", true},
                                 {5, "Long. Mom", "Long.Moment", true}}};
  static const TimeKind kHanger{"Hanger", "Hanger", kLoad};
  static const TimeKind kLimitStop{"Limit stop", "LimitStop", kLoad};
  static const TimeKind kSkewed{"Skewed Restraint", "SkewedRestraint", kLoad};
  static const TimeKind kSnubber{"Snubber", "Snubber", kLoad};
  switch (type) {
    case DataType::Anchor: return &kAnchor;
    case DataType::Restraint: return &kRestraint;
    case DataType::SkewedRestraint: return &kSkewed;
    case DataType::Hanger: return &kHanger;
    case DataType::Guide: return &kGuide;
    case DataType::LimitStop: return &kLimitStop;
    case DataType::Nozzle: return &kNozzle;
    case DataType::Snubber: return &kSnubber;
    case DataType::GenericSupport: return &kGeneric;
    default: return nullptr;
  }
}

struct SupportSeries {
  int row = 0;       // layout row of the support shown
  int position = 1;  // in the results' support list
  std::vector<TimeHistoryRecord> series;
  int currentRow = 1, topRow = 0;
};

SupportSeries& Shown() {
  static SupportSeries shown;
  return shown;
}

bool IsMoment(int row, const Column& column) {
  const LayoutRow& layout = TheModel().row(row);
  if (layout.dataType == DataType::SkewedRestraint && layout.item != nullptr)
    return static_cast<const SkewedRestraint&>(*layout.item).rotational != 0;
  return column.moment;
}

std::string Value(float value, bool moment) { return moment ? FormatMoment(value) : FormatForce(value); }

// The column's signed value of largest magnitude, the earlier on a tie.
float PeakOf(const std::vector<TimeHistoryRecord>& series, int value) {
  float peak = 0.0f;
  for (const TimeHistoryRecord& record : series)
    if (std::fabs(record[static_cast<std::size_t>(value)]) > std::fabs(peak)) peak = record[static_cast<std::size_t>(value)];
  return peak;
}

class SupportTimeTable : public ResultTableWindow {
 public:
  std::string PrintName() override { return title; }
  const TimeKind* Kind() const { return KindOf(TheModel().row(Shown().row).dataType); }
  int Columns() const {
    const TimeKind* kind = Kind();
    return kind != nullptr ? static_cast<int>(kind->columns.size()) : 0;
  }
  void DefineColumns() override {
    // At least the room of nine digits or the widest heading, and as wide as
    // the widest value, so that none runs into the next column.
    const TextWidthFunction width = ScreenTextWidth(*this);
    widths = MeasureTableColumns(*this, rowCount, width);
    widths.resize(static_cast<std::size_t>(Columns()) + 2, 0);
    widths[1] = std::max(widths[1], width("Max. Abs (Signed)"));
    const int values = std::max(width("123456789"), width("ZZ (kg-m) "));
    for (int c = 2; c <= Columns() + 1; ++c) widths[static_cast<std::size_t>(c)] = std::max(values, widths[static_cast<std::size_t>(c)]);
  }
  std::string HeadingText(int column, int /*line*/) override {
    if (column == 1) return "Time (Sec)";
    const TimeKind* kind = Kind();
    if (kind == nullptr || column < 2 || column > Columns() + 1) return {};
    const Column& c = kind->columns[static_cast<std::size_t>(column) - 2];
    return ValueWithUnitLabel(c.heading, IsMoment(Shown().row, c) ? kUnitMoment : kUnitForce);
  }
  std::string CellText(int row, int column, int /*line*/) override {
    const auto& series = Shown().series;
    const int records = static_cast<int>(series.size());
    if (row < 1 || row > records + 1) return {};
    if (column == 1) return row <= records ? TimeHistoryTimeText(row - 1) : "Max.Abs [Signed]";
    const TimeKind* kind = Kind();
    if (kind == nullptr || column < 2 || column > Columns() + 1) return {};
    const Column& c = kind->columns[static_cast<std::size_t>(column) - 2];
    const float value = row <= records ? series[static_cast<std::size_t>(row) - 1][static_cast<std::size_t>(c.value)]
                                       : PeakOf(series, c.value);
    return Value(value, IsMoment(Shown().row, c));
  }
  std::int32_t RowNode(int /*row*/) override { return TheModel().row(Shown().row).node; }
  void KeyDown(UINT key) override {
    if (key == VK_TAB) {
      CycleResultTable(GetKeyState(VK_SHIFT) < 0);
      return;
    }
    TableKeyDown(*this, key);
  }
  void CurrentRowChanged() override {
    Shown().currentRow = currentRow;
    Shown().topRow = topRow;
  }
  void Prepare() override { AddTimeHistoryMenu(false, false); }
  void Close() override {
    HideHighlight();
    RemoveTimeHistoryMenu();
  }
  void ContextMenu() override {
    HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_STRING, 287, "&Other Time History...");
    AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    AppendResultsMenuItems(popup);
    TrackResultTablePopup(*this, popup);
  }
  void WriteText() override {
    const int rows = static_cast<int>(Shown().series.size()) + 1;
    if (rows < 2) return;
    if (!g_ReportFileOpen) {
      ResultPrintTable grid(*this, rows);
      PrintResultGrid(grid, "", title, rows);
      return;
    }
    if (g_ReportToFile) {
      WriteCsvCells({title});
      std::vector<std::string> headings;
      for (int c = 1; c <= Columns() + 1; ++c) headings.push_back(HeadingText(c, 0));
      WriteCsvCells(headings);
      for (int row = 1; row <= rows; ++row) {
        std::vector<std::string> cells;
        for (int c = 1; c <= Columns() + 1; ++c) cells.push_back(CellText(row, c, 0));
        WriteCsvCells(cells);
      }
      return;
    }
    ReportSetTitle(title);
    auto heading = [this] {
      ReportPutCentred(title, 6, 78);
      ReportNewLine();
      ReportRule();
      ReportPutText("Time (Sec)", 6);
      for (int c = 2; c <= Columns() + 1; ++c) ReportPutTextRight(HeadingText(c, 0), 18 + 10 * c);
      ReportNewLine();
      ReportRule();
    };
    if (ReportLinesLeft() < 6) ReportNewPage();
    else heading();
    for (int row = 1; row <= rows; ++row) {
      if (g_ReportLine == kReportBodyLine) heading();
      ReportPutText(CellText(row, 1, 0), 6);
      for (int c = 2; c <= Columns() + 1; ++c) ReportPutTextRight(CellText(row, c, 0), 18 + 10 * c);
      ReportNewLine();
    }
    ReportRule();
  }

  std::string title;
};

SupportTimeTable& Table() {
  static SupportTimeTable table;
  return table;
}

std::string Csv() { return SupportTimeHistoryCsv(); }

void OpenSupportLoadsTimeWindow() {
  SupportSeries& shown = Shown();
  const TimeKind* kind = KindOf(TheModel().row(shown.row).dataType);
  if (kind == nullptr || shown.series.empty()) return;
  SupportTimeTable& table = Table();
  if (!BindResultsTable(table, static_cast<int>(kind->columns.size()) + 1, 1)) return;
  table.title = SupportTimeHistoryTitle(shown.row);
  SetResultsReopenCommand(OpenSupportLoadsTimeWindow);
  SetShownTimeHistoryTable(OpenSupportLoadsTimeWindow, Csv,
                           std::string(kind->exportWord) + NodeNumberText(TheModel().row(shown.row).node) + ".csv");
  LastTimeHistoryKind() = 1;
  TableOpenAt(table, table.title, static_cast<int>(shown.series.size()) + 1, shown.currentRow, shown.topRow);
  if (ResultsFrame().window != nullptr) FrameSetTitle(ResultsFrame(), table.title);
  TableShowFocus(table);
  if (!PaintInProgress()) HighlightRowDataItem(shown.row);
}

}  // namespace

int ChooseTimeHistorySupport(HWND owner) {
  return ChooseSupportPosition(owner, "Support Loads Time History", Shown().position);
}

void ReadSupportLoadsTimeHistory(int position) {
  const ResultsFileContents& results = TheResults();
  if (position < 1 || position > static_cast<int>(results.supportList.size())) return;
  const int row = results.supportList[static_cast<std::size_t>(position) - 1];
  QV_ASSERT(KindOf(TheModel().row(row).dataType) != nullptr);
  const int count = std::min(results.supportValueCount.at(static_cast<std::size_t>(row)), 6);
  std::vector<TimeHistoryRecord> series;
  try {
    series = ReadTimeHistorySeries(TimeHistorySupportOffset() + results.supportOffset.at(static_cast<std::size_t>(row)), count);
  } catch (const std::string& message) {
    ShowErrorMessage(ResultsFrame().window, message);
    return;
  }
  SupportSeries& shown = Shown();
  if (shown.row != row) shown.currentRow = 1, shown.topRow = 0;
  shown.row = row;
  shown.position = position;
  shown.series = std::move(series);
  OpenSupportLoadsTimeWindow();
}

std::string SupportTimeHistoryTitle(int layoutRow) {
  const LayoutRow& layout = TheModel().row(layoutRow);
  const TimeKind* kind = KindOf(layout.dataType);
  if (kind == nullptr) return {};
  std::string title = std::string("Loads on ") + kind->word + " at Node " + NodeNumberText(layout.node);
  if (layout.dataType == DataType::SkewedRestraint && layout.item != nullptr) {
    const auto& skewed = static_cast<const SkewedRestraint&>(*layout.item);
    title += CFormat(" (%.3f %.3f %.3f)", skewed.dirX, skewed.dirY, skewed.dirZ);
  }
  return title;
}

std::string SupportTimeHistoryCsv() {
  const SupportSeries& shown = Shown();
  const TimeKind* kind = KindOf(TheModel().row(shown.row).dataType);
  if (kind == nullptr) return {};
  std::string text = TimeHistoryTitleLine(SupportTimeHistoryTitle(shown.row));
  text += "Time(sec),";
  for (std::size_t c = 0; c < kind->columns.size(); ++c) {
    text += kind->columns[c].exportHeading;
    text += UnitLabel(IsMoment(shown.row, kind->columns[c]) ? kUnitMoment : kUnitForce);
    text += c + 1 < kind->columns.size() ? "," : "\r\n";
  }
  for (std::size_t k = 0; k < shown.series.size(); ++k) {
    text += TimeHistoryTimeText(static_cast<int>(k));
    for (const Column& c : kind->columns) {
      text += ",";
      text += Value(shown.series[k][static_cast<std::size_t>(c.value)], IsMoment(shown.row, c));
    }
    text += "\r\n";
  }
  return text;
}

ResultTableWindow& SupportTimeHistoryTable() { return Table(); }

void RegisterSupportTimeHistoryTable() { RegisterResultTableView(Table()); }
