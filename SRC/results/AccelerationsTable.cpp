// The response spectrum accelerations table; see AccelerationsTable.h.
#include "results/AccelerationsTable.h"

#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "printing/ReportOutput.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "resultsfile/TextMeasure.h"
#include "services/Frame.h"
#include "services/LoadCaseTypes.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/ViewRequests.h"

namespace {

constexpr double kG = 386.4;
constexpr const char* kTitle = "Response spectrum accelerations";

int ResultNodeOfRow(int row) {
  const auto& nodes = TheResults().resultNodes;
  return row >= 1 && row <= static_cast<int>(nodes.size()) ? nodes[static_cast<std::size_t>(row) - 1] : 0;
}

std::string InG(int node, int axis) {
  const float value = node >= 1 && node < static_cast<int>(g_CaseDisplacements.size())
                          ? g_CaseDisplacements[static_cast<std::size_t>(node)][static_cast<std::size_t>(axis)]
                          : 0.0f;
  return FormatFixedWidth(value / kG, 10, 3);
}

void TextHeading() {
  ReportPutCentred(kTitle, 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText("(g's)", 27);
  ReportNewLine();
  ReportPutText("Node", 6);
  ReportPutText("X", 18);
  ReportPutText("Y", 29);
  ReportPutText("Z", 40);
  ReportNewLine();
  ReportRule();
}

class AccelerationsTableWindow : public ResultTableWindow {
 public:
  std::string PrintName() override { return kTitle; }
  void DefineColumns() override {
    std::vector<int> w = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    SpreadMaxWidth(w, 2, 4);
    widths = w;
  }
  std::string HeadingText(int column, int /*line*/) override {
    static const char* const kHeadings[5] = {"", "Node", "X(g's)", "Y(g's)", "Z(g's)"};
    return column >= 1 && column <= 4 ? kHeadings[column] : "";
  }
  std::string CellText(int row, int column, int /*line*/) override {
    const int node = ResultNodeOfRow(row);
    if (node == 0) return {};
    if (column == 1) return NodeNumberText(TheModel().nodes[node].id);
    if (column >= 2 && column <= 4) return InG(node, column - 2);
    return {};
  }
  std::int32_t RowNode(int row) override {
    const int node = ResultNodeOfRow(row);
    return node != 0 ? TheModel().nodes[node].id : 0;
  }
  void KeyDown(UINT key) override {
    if (key == VK_TAB) {
      CycleResultTable(GetKeyState(VK_SHIFT) < 0);
      return;
    }
    TableKeyDown(*this, key);
  }
  void CurrentRowChanged() override {
    const int node = ResultNodeOfRow(currentRow);
    if (node != 0 && !PaintInProgress()) HighlightNode(node);
  }
  void Close() override { HideHighlight(); }
  void ContextMenu() override {
    HMENU popup = CreatePopupMenu();
    AppendResultsMenuItems(popup);
    TrackResultTablePopup(*this, popup);
  }
  void WriteText() override {
    const int rows = static_cast<int>(TheResults().resultNodes.size());
    if (rows == 0) return;
    LoadResponseAccelerations(TheModel());
    if (!g_ReportFileOpen) {
      ResultPrintTable grid(*this, rows);
      grid.equalize = [](std::vector<int>& w) { SpreadMaxWidth(w, 2, 4); };
      PrintResultGrid(grid, "", kTitle, rows);
      return;
    }
    if (g_ReportToFile) {
      for (int row = 1; row <= rows; ++row) {
        WriteCsvCells({kTitle});
        WriteCsvCells({"", "", "(g's)"});
        WriteCsvCells({"Node", "X", "Y", "Z"});
        WriteCsvCells({CellText(row, 1, 0), CellText(row, 2, 0), CellText(row, 3, 0), CellText(row, 4, 0)});
      }
      return;
    }
    if (ReportLinesLeft() < 6) ReportNewPage();
    else TextHeading();
    ReportSetTitle(kTitle);
    for (int row = 1; row <= rows; ++row) {
      if (g_ReportLine == kReportBodyLine) TextHeading();
      ReportPutText(CellText(row, 1, 0), 6);
      for (int c = 0; c < 3; ++c) ReportPutTextRight(CellText(row, c + 2, 0), 21 + 11 * c);
      ReportNewLine();
    }
    ReportRule();
  }
};

AccelerationsTableWindow& TheTable() {
  static AccelerationsTableWindow table;
  return table;
}

}  // namespace

void OpenResponseAccelerationsTable() {
  const int rows = static_cast<int>(TheResults().resultNodes.size());
  if (rows == 0 || ResultCaseOfType(kCaseIdResponseSpectrum) == 0) return;
  SetResultsReopenCommand(OpenResponseAccelerationsTable);
  AccelerationsTableWindow& table = TheTable();
  if (!BindResultsTable(table, 4, 1)) return;
  table.nodeSearch = true;
  TableSetRows(table, rows);
  LoadResponseAccelerations(TheModel());
  if (ResultsFrame().window != nullptr) FrameSetTitle(ResultsFrame(), "Accelerations: Response spectrum");
  TableShowFocus(table);
  table.CurrentRowChanged();
}

ResultTableWindow& ResponseAccelerationsTable() { return TheTable(); }

void RegisterAccelerationsTable() { RegisterResultTableView(TheTable()); }
