// The branch points list; see BranchPointsList.h.
#include "elements/BranchPointsList.h"

#include <algorithm>

#include "elements/BranchSif.h"
#include "model/ContextMenus.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/Regenerate.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "printing/TablePrint.h"
#include "services/Frame.h"
#include "services/ListFrameState.h"
#include "services/ReportMode.h"
#include "services/TableMetrics.h"
#include "services/TableViews.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kColumns = 2;
constexpr const char* kTitle = "Branch Points";

const RowIndexList& BranchNodes(const Model& model) { return model.lists[RowListKind::BranchNodes]; }

int NodeOfLine(const Model& model, int row) {
  const RowIndexList& nodes = BranchNodes(model);
  return row >= 1 && row <= nodes.count ? RowListEntry(nodes, row) : 0;
}

// The Branch SIF row found at the line's node, 0 when none.
int SifRowOfLine(const Model& model, int row) {
  const auto& rows = model.lists.branchSifRows;
  return row >= 1 && row < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(row)] : 0;
}

// The first two menus of the List window (File and Edit) are off while the
// list is shown: nothing in them acts on branch nodes.
void EnableListMenus(bool enabled) {
  HMENU menu = ListFrame().menu;
  if (menu == nullptr) return;
  for (UINT position : {0u, 1u}) EnableMenuItem(menu, position, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  if (ListFrame().window != nullptr) DrawMenuBar(ListFrame().window);
}

int TextWidth(HDC dc, const std::string& text) {
  SIZE size{0, 0};
  if (dc != nullptr && !text.empty()) GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  return static_cast<int>(size.cx);
}

class BranchPointsPrintTable : public PrintTable {
 public:
  void DefineColumns() override {
    SetColumns(kColumns);
    const Model& model = TheModel();
    widths[1] = TextWidth("0000A");
    widths[2] = TextWidth("SIF Type ");
    for (int row = 1; row <= BranchNodes(model).count; ++row)
      widths[2] = std::max(widths[2], TextWidth(BranchPointCellText(model, row, 2)));
  }
  std::string HeadingText(int column, int line) override { return TheBranchPointsTable().HeadingText(column, line); }
  std::string CellText(int row, int column, int /*line*/) override {
    return BranchPointCellText(TheModel(), row, column);
  }
};

}  // namespace

BranchPointsTable& TheBranchPointsTable() {
  static BranchPointsTable table;
  return table;
}

std::string BranchPointCellText(const Model& model, int row, int column) {
  const int node = NodeOfLine(model, row);
  if (node == 0) return {};
  if (column == 1) return NodeNumberText(model.nodes[node].id);
  if (column != 2) return {};
  const int sifRow = SifRowOfLine(model, row);
  if (sifRow < 1 || sifRow > model.rowCount || model.row(sifRow).item == nullptr) return {};
  const auto* item = dynamic_cast<const BranchSif*>(model.row(sifRow).item.get());
  if (item == nullptr) return {};
  return BranchSifText(*item, model.options.PipingCode, model.options.UseB31J != 0);
}

void BranchPointsTable::DefineColumns() {
  const Model& model = TheModel();
  HDC dc = Dc();
  widths[1] = NodeColumnWidth(*this);
  widths[2] = TextWidth(dc, "SIF Type ");
  for (int row = 1; row <= BranchNodes(model).count; ++row)
    widths[2] = std::max(widths[2], TextWidth(dc, BranchPointCellText(model, row, 2)));
}

std::string BranchPointsTable::HeadingText(int column, int line) {
  if (line != 0) return {};
  return column == 1 ? "Node" : column == 2 ? "SIF Type" : "";
}

std::string BranchPointsTable::CellText(int row, int column, int /*line*/) {
  return BranchPointCellText(TheModel(), row, column);
}

std::int32_t BranchPointsTable::RowNode(int row) {
  const int node = NodeOfLine(TheModel(), row);
  return node != 0 ? TheModel().nodes[node].id : 0;
}

void BranchPointsTable::CurrentRowChanged() {
  const int node = NodeOfLine(TheModel(), currentRow);
  if (node != 0) HighlightNode(node);
}

void BranchPointsTable::Close() {
  EnableListMenus(true);
  HideHighlight();
}

void BranchPointsTable::ContextMenu() { TablePopupListMenu(*this); }

// A line's layout row is its Branch SIF row, else the row that made the node.
bool BranchPointsTable::RowOfCurrentLayoutRow(ItemListEntries& entries) {
  Model& model = TheModel();
  RegenerateModel(model);
  const RowIndexList& nodes = BranchNodes(model);
  entries.title = kTitle;
  entries.count = nodes.count;
  entries.layoutRows.clear();
  for (int row = 1; row <= nodes.count; ++row) {
    const int sifRow = SifRowOfLine(model, row);
    entries.layoutRows.push_back(sifRow != 0 ? sifRow : model.nodes[NodeOfLine(model, row)].row);
  }
  return true;
}

void BranchPointsTable::WriteText() { PrintBranchPoints(); }

bool BranchPointsListOffered(const Model& model) { return BranchNodes(model).count > 0; }

void OpenBranchPointsList() {
  BranchPointsTable& table = TheBranchPointsTable();
  if (!BindFirstListTable(table, kColumns)) return;
  table.editable = false;
  table.nodeSearch = true;
  SetCurrentListOpener(OpenBranchPointsList);
  // The list opens on the node the current Layout row names, whichever row
  // made the node.
  Model& model = TheModel();
  ItemListEntries entries;
  table.RowOfCurrentLayoutRow(entries);
  const int current = model.currentRow;
  const NodeId node = current >= 1 && current <= model.rowCount ? model.row(current).node : 0;
  int line = 0;
  for (int row = 1; row <= entries.count && line == 0 && node != 0; ++row)
    if (model.nodes[NodeOfLine(model, row)].id == node) line = row;
  if (line != 0)
    TableRefreshCounted(table, entries.title, entries.count, line);
  else
    OpenTableAtCurrentRow(table);
  EnableListMenus(false);
}

void RegisterBranchPointsList() {
  RegisterListKind("&Branch points", BranchPointsListOffered, OpenBranchPointsList);
  RegisterInputTableView(TheBranchPointsTable());
}

void PrintBranchPoints() {
  Model& model = TheModel();
  RegenerateModel(model);
  const int count = BranchNodes(model).count;
  if (count == 0) return;
  if (!g_ReportFileOpen) {
    BeginReportSection(kTitle, 0);
    BranchPointsPrintTable table;
    table.countInTitle = true;
    TablePrint(table, kTitle, count);
    return;
  }
  if (g_ReportToFile) {
    ReportAppendLine(kTitle);
    ReportNewLine();
    ReportAppendLine("Node,SIF Type");
    ReportNewLine();
    for (int row = 1; row <= count; ++row) {
      g_LineText.clear();
      ReportPutCell(BranchPointCellText(model, row, 1));
      ReportPutCell(BranchPointCellText(model, row, 2));
      ReportAppendLine(g_LineText.substr(0, g_LineText.size() - 1));
      ReportNewLine();
    }
    return;
  }
  if (ReportLinesLeft() < 6) ReportNewPage();
  ReportSetTitle(kTitle);
  for (int row = 1; row <= count; ++row) {
    if (row == 1 || g_ReportLine == kReportBodyLine) {
      ReportPutCentred(std::string(kTitle) + " (" + std::to_string(count) + ")", 6, 78);
      ReportNewLine();
      ReportPutText("Node", 6);
      ReportPutText("SIF Type", 13);
      ReportNewLine();
      ReportRule();
    }
    ReportPutText(BranchPointCellText(model, row, 1), 6);
    ReportPutText(BranchPointCellText(model, row, 2), 13);
    ReportNewLine();
  }
  ReportRule();
}
