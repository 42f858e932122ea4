// The time-history selection, readers and tables; see TimeHistoryTables.h.
#include "results/TimeHistoryTables.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "elements/ElementForces.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Windows1252.h"
#include "printing/ReportOutput.h"
#include "properties/TableChooser.h"
#include "results/ResultsMode.h"
#include "results/SupportLoadsTimeHistory.h"
#include "resultsfile/RadioChooser.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "services/BinaryFile.h"
#include "services/DialogHook.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NameTables.h"
#include "services/NumberFormat.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

constexpr const char* kReadError = "There was an error while reading time history";

struct TimeHistoryState {
  int lastKind = 3;
  void (*shownOpener)() = nullptr;
  TimeHistoryCsvWriter writer = nullptr;
  std::string csvName;
  // The series of the node or element end shown, and what it belongs to.
  std::vector<TimeHistoryRecord> series;
  int node = 0;  // node index of the displacement table
  int end = 0;   // end index of the force table
  ElementAxes axes;
  bool global = false;
  int forceRow = 1, forceTop = 0;
};

TimeHistoryState& State() {
  static TimeHistoryState state;
  return state;
}


std::string Cell(const TimeHistoryRecord& record, int c, bool moments) {
  const float value = record[static_cast<std::size_t>(c)];
  return c < 3 ? (moments ? FormatForce(value) : FormatDisplacement(value)) : (moments ? FormatMoment(value) : FormatAngle(value));
}

// --- the tables -------------------------------------------------------------

class SeriesTable : public ResultTableWindow {
 public:
  explicit SeriesTable(bool forces) : forces_(forces) {}
  std::string PrintName() override { return title; }
  void DefineColumns() override {
    // The values' room is at least that of nine digits or the widest
    // heading, and as wide as the widest value: a small value in "%.5g"
    // ("-1.1651e-006") is wider than nine digits and would run into the
    // next column.
    const TextWidthFunction width = ScreenTextWidth(*this);
    widths = MeasureTableColumns(*this, rowCount, width);
    widths[1] = std::max(widths[1], width("Time (Sec)"));
    const int values = std::max(width("123456789"), width("ZZ (kg-m) "));
    for (int c = 2; c <= 7; ++c) widths[static_cast<std::size_t>(c)] = std::max(values, widths[static_cast<std::size_t>(c)]);
  }
  std::string Name(int c) const {
    static const char* const kDisplacement[6] = {"X", "Y", "Z", "XX", "YY", "ZZ"};
    static const char* const kGlobal[6] = {"FX", "FY", "FZ", "MX", "MY", "MZ"};
    static const char* const kLocal[6] = {"fx", "fy", "fz", "mx", "my", "mz"};
    const char* const* names = !forces_ ? kDisplacement : State().global ? kGlobal : kLocal;
    return names[c];
  }
  int Unit(int c) const { return forces_ ? (c < 3 ? kUnitForce : kUnitMoment) : (c < 3 ? kUnitDisplacement : kUnitAngle); }
  std::string HeadingText(int column, int /*line*/) override {
    if (column == 1) return "Time (Sec)";
    if (column >= 2 && column <= 7) return ValueWithUnitLabel(Name(column - 2), Unit(column - 2));
    return {};
  }
  TimeHistoryRecord Record(int row) const {
    const auto& series = State().series;
    if (row < 1 || row > static_cast<int>(series.size())) return {};
    TimeHistoryRecord record = series[static_cast<std::size_t>(row) - 1];
    if (forces_ && State().global) {
      const ElementAxes& a = State().axes;
      TimeHistoryRecord turned{};
      for (int triple = 0; triple < 2; ++triple)
        for (int i = 0; i < 3; ++i) {
          const auto k = static_cast<std::size_t>(i);
          const std::size_t at = static_cast<std::size_t>(3 * triple);
          turned[at + k] = static_cast<float>(record[at] * a.x[k] + record[at + 1] * a.y[k] + record[at + 2] * a.z[k]);
        }
      record = turned;
    }
    return record;
  }
  std::string CellText(int row, int column, int /*line*/) override {
    if (row < 1 || row > static_cast<int>(State().series.size())) return {};
    if (column == 1) return TimeHistoryTimeText(row - 1);
    if (column >= 2 && column <= 7) return Cell(Record(row), column - 2, forces_);
    return {};
  }
  std::int32_t RowNode(int /*row*/) override {
    const int node = HighlightedNode();
    return node >= 1 && node <= TheModel().nodes.count ? TheModel().nodes[node].id : 0;
  }
  int HighlightedNode() const {
    if (!forces_) return State().node;
    const int end = State().end;
    const auto element = static_cast<std::size_t>((end - 1) / 2 + 1);
    if (end < 1 || element >= TheResults().elements.size()) return 0;
    const AnalysisElement& e = TheResults().elements[element];
    return end % 2 == 1 ? e.node1 : e.node2;
  }
  void KeyDown(UINT key) override {
    if (key == VK_TAB) {
      CycleResultTable(GetKeyState(VK_SHIFT) < 0);
      return;
    }
    TableKeyDown(*this, key);
  }
  void CurrentRowChanged() override {
    if (forces_) {
      State().forceRow = currentRow;
      State().forceTop = topRow;
    }
  }
  void Prepare() override { AddTimeHistoryMenu(forces_, forces_ && State().global); }
  void Close() override {
    HideHighlight();
    RemoveTimeHistoryMenu();
  }
  void ContextMenu() override {
    HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_STRING, 287, "&Other Time History...");
    if (forces_) AppendMenu(popup, MF_STRING, 288, State().global ? "Local &Forces" : "Global &Forces");
    AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    AppendResultsMenuItems(popup);
    TrackResultTablePopup(*this, popup);
  }
  void WriteText() override {
    const int rows = static_cast<int>(State().series.size());
    if (rows == 0) return;
    if (!g_ReportFileOpen) {
      ResultPrintTable grid(*this, rows);
      PrintResultGrid(grid, "", title, rows);
      return;
    }
    if (g_ReportToFile) {
      WriteCsvCells({title});
      std::vector<std::string> headings{"Time (Sec)"};
      for (int c = 2; c <= 7; ++c) headings.push_back(HeadingText(c, 0));
      WriteCsvCells(headings);
      for (int row = 1; row <= rows; ++row) {
        std::vector<std::string> cells;
        for (int c = 1; c <= 7; ++c) cells.push_back(CellText(row, c, 0));
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
      for (int c = 0; c < 6; ++c) ReportPutTextRight(HeadingText(c + 2, 0), 28 + 10 * c);
      ReportNewLine();
      ReportRule();
    };
    if (ReportLinesLeft() < 6) ReportNewPage();
    else heading();
    for (int row = 1; row <= rows; ++row) {
      if (g_ReportLine == kReportBodyLine) heading();
      ReportPutText(CellText(row, 1, 0), 6);
      for (int c = 0; c < 6; ++c) ReportPutTextRight(CellText(row, c + 2, 0), 28 + 10 * c);
      ReportNewLine();
    }
    ReportRule();
  }
  // The comma-separated export of the table.
  std::string Csv() {
    std::string text = TimeHistoryTitleLine(title);
    text += "Time(sec),";
    for (int c = 0; c < 6; ++c) {
      text += Name(c);
      text += UnitLabel(Unit(c));
      text += c < 5 ? "," : "\r\n";
    }
    for (int row = 1; row <= static_cast<int>(State().series.size()); ++row) {
      text += CellText(row, 1, 0);
      for (int c = 2; c <= 7; ++c) {
        text += ",";
        text += CellText(row, c, 0);
      }
      text += "\r\n";
    }
    return text;
  }

  std::string title;

 private:
  bool forces_;
};

SeriesTable& DisplacementTable() {
  static SeriesTable table(false);
  return table;
}
SeriesTable& ForceTable() {
  static SeriesTable table(true);
  return table;
}

std::string DisplacementCsv() { return DisplacementTable().Csv(); }
std::string ForceCsv() { return ForceTable().Csv(); }

void OpenDisplacementTimeHistory() {
  TimeHistoryState& state = State();
  if (state.series.empty() || state.node < 1) return;
  SeriesTable& table = DisplacementTable();
  if (!BindResultsTable(table, 7, 1)) return;
  const std::string node = NodeNumberText(TheModel().nodes[state.node].id);
  table.title = "Displacements at Node " + node;
  SetResultsReopenCommand(OpenDisplacementTimeHistory);
  SetShownTimeHistoryTable(OpenDisplacementTimeHistory, DisplacementCsv, "Displ" + node + ".csv");
  LastTimeHistoryKind() = 3;
  TableSetRows(table, static_cast<int>(state.series.size()));
  if (ResultsFrame().window != nullptr) FrameSetTitle(ResultsFrame(), table.title);
  TableShowFocus(table);
  if (!PaintInProgress()) HighlightNode(state.node);
}

void OpenElementForceTimeHistory() {
  TimeHistoryState& state = State();
  if (state.series.empty() || state.end < 1) return;
  SeriesTable& table = ForceTable();
  if (!BindResultsTable(table, 7, 1)) return;
  const auto element = static_cast<std::size_t>((state.end - 1) / 2 + 1);
  const AnalysisElement& e = TheResults().elements.at(element);
  const int node = state.end % 2 == 1 ? e.node1 : e.node2;
  const std::string kind = e.kind == 3 ? "Pipe" : ElementTypeName(e.kind);
  const std::string number = NodeNumberText(TheModel().nodes[node].id);
  table.title = kind + " Forces at Node " + number + (state.global ? " in Global" : " in Local") + " coordinates";
  SetResultsReopenCommand(OpenElementForceTimeHistory);
  SetShownTimeHistoryTable(OpenElementForceTimeHistory, ForceCsv, kind + number + ".csv");
  LastTimeHistoryKind() = 2;
  TableOpenAt(table, table.title, static_cast<int>(state.series.size()), state.forceRow, state.forceTop);
  if (ResultsFrame().window != nullptr) FrameSetTitle(ResultsFrame(), table.title);
  TableShowFocus(table);
  if (!PaintInProgress()) HighlightNode(node);
}

// --- the item choosers (SELECT_DIALOG) ---------------------------------------------

class ItemChooserTable : public TableChooser {
 public:
  ItemChooserTable(std::vector<std::string> headings, std::function<std::string(int, int)> cell, int rows)
      : headings_(std::move(headings)), cell_(std::move(cell)), rows_(rows) {
    columns = static_cast<int>(headings_.size());
    maxRows = 12;
  }
  void DefineColumns() override {
    const TextWidthFunction width = ScreenTextWidth(*this);
    for (int c = 1; c <= columnCount; ++c) {
      int widest = width(headings_[static_cast<std::size_t>(c) - 1]);
      for (int row = 1; row <= rows_; ++row) widest = std::max(widest, width(cell_(row, c)));
      widths[static_cast<std::size_t>(c)] = widest;
    }
  }
  std::string HeadingText(int column, int line) override {
    return line == 0 && column >= 1 && column <= static_cast<int>(headings_.size()) ? headings_[static_cast<std::size_t>(column) - 1] : "";
  }
  std::string CellText(int row, int column, int /*line*/) override { return cell_(row, column); }
  std::vector<std::string> headings_;
  std::function<std::string(int, int)> cell_;
  int rows_;
  int current = 1;

 protected:
  int ItemCount() const override { return rows_; }
  int CurrentItem() const override { return current; }
};

int RunItemChooser(HWND owner, ItemChooserTable& table) {
  if (table.rows_ < 1) return 0;
  const INT_PTR chosen = RunTableChooser(owner, table);
  return chosen > 0 && chosen <= table.rows_ ? static_cast<int>(chosen) : 0;
}

std::string NodeText(int node) {
  return node >= 1 && node <= TheModel().nodes.count ? std::string(NodeNumberText(TheModel().nodes[node].id)) : "";
}

int ChooseElementEnd(HWND owner) {
  const ResultsFileContents& results = TheResults();
  ItemChooserTable table(
      {"Node", "Element", "From", "To"},
      [&results](int row, int column) -> std::string {
        const auto element = static_cast<std::size_t>((row - 1) / 2 + 1);
        if (element >= results.elements.size()) return {};
        const AnalysisElement& e = results.elements[element];
        switch (column) {
          case 1: return NodeText(row % 2 == 1 ? e.node1 : e.node2);
          case 2: return e.kind == 3 ? "Pipe" : ElementTypeName(e.kind);
          case 3: return NodeText(e.node1);
          case 4: return NodeText(e.node2);
          default: return {};
        }
      },
      2 * results.elementCount);
  table.caption = "Element Forces Time History";
  table.current = State().end;
  return RunItemChooser(owner, table);
}

int ChooseNode(HWND owner) {
  const std::vector<int>& nodes = TheResults().resultNodes;
  ItemChooserTable table(
      {"Node"},
      [&nodes](int row, int /*column*/) -> std::string {
        return row >= 1 && row <= static_cast<int>(nodes.size()) ? NodeText(nodes[static_cast<std::size_t>(row) - 1]) : "";
      },
      static_cast<int>(nodes.size()));
  table.caption = "Displacements Time History";
  const auto at = std::find(nodes.begin(), nodes.end(), State().node);
  table.current = at == nodes.end() ? 1 : static_cast<int>(at - nodes.begin()) + 1;
  const int chosen = RunItemChooser(owner, table);
  return chosen == 0 ? 0 : nodes[static_cast<std::size_t>(chosen) - 1];
}

}  // namespace

bool TimeHistoryAvailable() { return TheResults().timeHistoryOpen; }

std::int64_t TimeHistorySupportOffset() {
  // The supports' block follows the nodes' and the element ends' records.
  return TimeHistoryStepBytes(ResultNodeCount(TheModel()), TheResults().elementCount, 0);
}

std::vector<TimeHistoryRecord> ReadTimeHistorySeries(std::int64_t offset, int count) {
  const ResultsFileContents& results = TheResults();
  if (!results.timeHistoryOpen || count < 0 || count > 6) throw std::string(kReadError);
  std::vector<TimeHistoryRecord> series(static_cast<std::size_t>(results.timeSteps) + 1, TimeHistoryRecord{});
  BinaryFile file;
  if (!BinaryFileOpenRead(file, results.timeHistoryPath)) throw std::string(kReadError);
  HCURSOR previous = SetCursor(WaitCursor);
  std::int64_t at = 24 + offset;
  for (int k = 1; k <= results.timeSteps; ++k) {
    BinaryFileSeek(file, at);
    BinaryFileReadFloats(file, series[static_cast<std::size_t>(k)].data(), static_cast<std::size_t>(count));
    if (BinaryFileReadFailed(file)) {
      SetCursor(previous);
      throw std::string(kReadError);
    }
    at += results.timeHistoryStepBytes;
  }
  SetCursor(previous);
  return series;
}

int& LastTimeHistoryKind() { return State().lastKind; }

void ShowDisplacementTimeHistory(int node) {
  if (node < 1 || node > ResultNodeCount(TheModel())) return;
  try {
    std::vector<TimeHistoryRecord> series = ReadTimeHistorySeries(24 * static_cast<std::int64_t>(node - 1), 6);
    State().series = std::move(series);
  } catch (const std::string& message) {
    ShowErrorMessage(ResultsFrame().window, message);
    return;
  }
  State().node = node;
  State().end = 0;
  OpenDisplacementTimeHistory();
}

void ShowElementForceTimeHistory(int end) {
  const ResultsFileContents& results = TheResults();
  if (end < 1 || end > 2 * results.elementCount) return;
  try {
    std::vector<TimeHistoryRecord> series = ReadTimeHistorySeries(
        24 * static_cast<std::int64_t>(ResultNodeCount(TheModel())) + 24 * static_cast<std::int64_t>(end - 1), 6);
    State().series = std::move(series);
  } catch (const std::string& message) {
    ShowErrorMessage(ResultsFrame().window, message);
    return;
  }
  const AnalysisElement& e = results.elements.at(static_cast<std::size_t>((end - 1) / 2 + 1));
  const ElementEndFrames frames = ComputeElementEndFrames(TheModel(), static_cast<ElementType>(e.kind), e.row, e.node1, e.node2);
  State().axes = end % 2 == 1 ? frames.end1 : frames.end2;
  State().end = end;
  State().node = 0;
  OpenElementForceTimeHistory();
}

void ToggleTimeHistoryForceAxes() {
  if (ResultsReopenCommand() != OpenElementForceTimeHistory) return;
  State().global = !State().global;
  OpenElementForceTimeHistory();
}

void SelectTimeHistoryResults() {
  if (!TimeHistoryAvailable()) return;
  HWND owner = ResultsFrame().window;
  RadioChooserRequest request;
  request.templateName = "TIME_HISTORY_RESULTS_DIALOG";
  request.names = {"&Support Loads", "&Element Forces", "&Displacements"};
  request.current = LastTimeHistoryKind();
  const int kind = RunRadioChooser(owner, request);
  if (kind == 1) {
    const int position = ChooseTimeHistorySupport(owner);
    if (position != 0) ReadSupportLoadsTimeHistory(position);
  } else if (kind == 2) {
    const int end = ChooseElementEnd(owner);
    if (end != 0) ShowElementForceTimeHistory(end);
  } else if (kind == 3) {
    const int node = ChooseNode(owner);
    if (node != 0) ShowDisplacementTimeHistory(node);
  }
}

void SetShownTimeHistoryTable(void (*opener)(), TimeHistoryCsvWriter writer, const std::string& csvName) {
  TimeHistoryState& state = State();
  state.shownOpener = opener;
  SetChooserEntryOf(opener, SelectTimeHistoryResults);
  state.writer = writer;
  state.csvName = csvName;
}

bool TimeHistoryTableShown() {
  return State().shownOpener != nullptr && ResultsReopenCommand() == State().shownOpener && InResultsMode();
}

void ExportTimeHistoryTable(HWND owner) {
  if (!TimeHistoryTableShown() || State().writer == nullptr) return;
  g_CsvExportDefaultName = State().csvName;
  if (!ExportCsvDialog(owner)) return;
  const std::string text = platform::Utf8From1252(State().writer());
  const bool written = std::fwrite(text.data(), 1, text.size(), g_CsvExportFile) == text.size();
  const bool closed = std::fclose(g_CsvExportFile) == 0;
  g_CsvExportFile = nullptr;
  if (!written || !closed) {
    ShowErrorMessage(owner, "Unable to write the comma separated values file.");
    return;
  }
  ShowNotice(owner, "csv written.");
}

void ResetTimeHistoryResults() {
  TimeHistoryState& state = State();
  const bool global = state.global;
  state = TimeHistoryState{};
  state.global = global;
  SetChooserEntryOf(nullptr, nullptr);
}

std::string TimeHistoryTimeText(int record) {
  return CFormat("%.6g", static_cast<double>(record) * static_cast<double>(TheResults().timeStep));
}

std::string TimeHistoryTitleLine(const std::string& title) {
  std::string line = title;
  MakeTitleSuffix(line);
  return line + "\r\n";
}

ResultTableWindow& DisplacementTimeHistoryTable() { return DisplacementTable(); }
ResultTableWindow& ElementForceTimeHistoryTable() { return ForceTable(); }

void RegisterTimeHistoryTables() {
  RegisterResultTableView(DisplacementTable());
  RegisterResultTableView(ForceTable());
}
