// The node list (see NodeList.h). Columns 2 to 4 share the widest of their
// widths so the three coordinates line up as one block. The row of a node
// is its index in the node table, which stays valid until the model is
// made again; the List window reopens the list after every remake.
#include "editing/NodeList.h"

#include "services/ViewRequests.h"

#include <algorithm>

#include "model/ContextMenus.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "services/Frame.h"
#include "services/ListFrameState.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"

namespace {

constexpr int kNodeColumns = 4;
constexpr int kEditPosition = 1;
constexpr int kViewPosition = 2;

int CellWidth(HDC dc, const std::string& text) {
  if (dc == nullptr || text.empty()) return 0;
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

std::string AxisTitle(const char* axis) { return std::string(axis) + " " + UnitLabel(kUnitLength); }

// The node list adds the Distance item to View and greys Edit.
void SetListMenuForNodes(bool shown) {
  HMENU menu = ListFrame().menu;
  if (menu == nullptr) return;
  HMENU view = GetSubMenu(menu, kViewPosition);
  if (view != nullptr) {
    DeleteMenu(view, kDistanceCommand, MF_BYCOMMAND);
    if (shown) AppendMenu(view, MF_STRING, kDistanceCommand, "&Distance...\tCtrl+D");
  }
  const bool greyEdit = shown && !TableResultsShown();
  EnableMenuItem(menu, kEditPosition, MF_BYPOSITION | (greyEdit ? MF_GRAYED : MF_ENABLED));
  if (ListFrame().window != nullptr) DrawMenuBar(ListFrame().window);
}

}  // namespace

NodeListTable& TheNodeList() {
  static NodeListTable table;
  return table;
}

std::string NodeListCellText(const Model& model, int index, int column) {
  if (index < 1 || index > model.nodes.count) return {};
  const NodeRecord& node = model.nodes[index];
  switch (column) {
    case 1: return NodeNumberText(node.id);
    case 2: return FormatLength(node.x);
    case 3: return FormatLength(node.y);
    case 4: return FormatLength(node.z);
    default: return {};
  }
}

bool NodeListOffered(const Model& model) { return model.nodes.count > 0; }

void NodeListTable::DefineColumns() {
  const Model& model = TheModel();
  HDC dc = Dc();
  for (int column = 1; column <= kNodeColumns && column < static_cast<int>(widths.size()); ++column) {
    int width = CellWidth(dc, HeadingText(column, 0));
    for (int index = 1; index <= model.nodes.count; ++index)
      width = std::max(width, CellWidth(dc, NodeListCellText(model, index, column)));
    widths[static_cast<std::size_t>(column)] = width;
  }
  if (widths.size() > kNodeColumns) {
    const int shared = std::max({widths[2], widths[3], widths[4]});
    widths[2] = widths[3] = widths[4] = shared;
  }
}

std::string NodeListTable::HeadingText(int column, int line) {
  if (line != 0) return {};
  switch (column) {
    case 1: return "Node";
    case 2: return AxisTitle("X");
    case 3: return AxisTitle("Y");
    case 4: return AxisTitle("Z");
    default: return {};
  }
}

std::string NodeListTable::CellText(int row, int column, int /*line*/) {
  return NodeListCellText(TheModel(), row, column);
}

void NodeListTable::CurrentRowChanged() { HighlightNode(currentRow); }

std::int32_t NodeListTable::RowNode(int row) {
  const Model& model = TheModel();
  return row >= 1 && row <= model.nodes.count ? model.nodes[row].id : 0;
}

void NodeListTable::Prepare() { SetListMenuForNodes(true); }

void NodeListTable::Close() { SetListMenuForNodes(false); }

void NodeListTable::UpdateMenu() { UpdateTableEditMenu(*this); }

void NodeListTable::ContextMenu() { TablePopupListMenu(*this); }

// The entries are the nodes; a node's layout row is the row that made it.
bool NodeListTable::RowOfCurrentLayoutRow(ItemListEntries& entries) {
  const Model& model = TheModel();
  entries.title = "Coordinates";
  entries.count = model.nodes.count;
  entries.layoutRows.clear();
  for (int index = 1; index <= model.nodes.count; ++index) entries.layoutRows.push_back(model.nodes[index].row);
  return true;
}

// The list opens on the node the current row names (a bend row's own node,
// not the arc end its row made first); a row that names no node in the
// table falls back to the first node the row made.
void OpenNodeList() {
  NodeListTable& table = TheNodeList();
  if (!BindFirstListTable(table, kNodeColumns)) return;
  table.editable = false;
  table.nodeSearch = true;
  SetCurrentListOpener(OpenNodeList);
  const Model& model = TheModel();
  const int current = model.currentRow;
  const int own = current >= 1 && current <= model.rowCount ? FindNodeIndex(model.nodes, model.row(current).node) : 0;
  if (own != 0)
    TableRefreshCounted(table, "Coordinates", model.nodes.count, own);
  else
    OpenTableAtCurrentRow(table);
}

std::string NodeListFileText(const Model& model) {
  std::string text = "Coordinates\r\nNode," + AxisTitle("X") + "," + AxisTitle("Y") + "," + AxisTitle("Z") + "\r\n";
  for (int index = 1; index <= model.nodes.count; ++index) {
    text += NodeListCellText(model, index, 1);
    for (int column = 2; column <= kNodeColumns; ++column) text += "," + NodeListCellText(model, index, column);
    text += "\r\n";
  }
  return text;
}
