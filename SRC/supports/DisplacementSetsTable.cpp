// The "Specified Displacements" list of the List window (see
// DisplacementSets.h): one entry per anchor or nozzle with sets, one line
// per set of the set list. The list is not edited in place: Edit opens the
// dialog of the entry, Delete releases every set of the entry.
#include <algorithm>
#include <string>

#include "loads/ListEdits.h"

#include "model/ContextMenus.h"
#include "model/EditSteps.h"
#include "model/ListWindow.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/Regenerate.h"
#include "model/UndoFiles.h"
#include "platform/Gdi.h"
#include "services/ListFrameState.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "supports/Anchor.h"
#include "supports/DisplacementSets.h"

namespace {

constexpr int kColumns = 10;

Model& M() { return TheModel(); }
const RowIndexList& Entries() { return M().lists[RowListKind::DisplacedAnchors]; }

int LayoutRowOf(int entry) {
  return entry >= 1 && entry <= Entries().count ? RowListEntry(Entries(), entry) : 0;
}

class SpecifiedDisplacementsTable : public ItemListTableWindow {
 public:
  void DefineColumns() override {
    HDC dc = Dc();
    for (int column = 1; column <= kColumns && column < static_cast<int>(widths.size()); ++column)
      widths[static_cast<std::size_t>(column)] = SpecifiedDisplacementsColumnWidth(
          column, linesPerRow, [dc](const std::string& text) { return CellTextWidth(dc, text); });
  }
  std::string HeadingText(int column, int line) override {
    return line == 0 ? SpecifiedDisplacementsHeading(column) : std::string();
  }
  std::string CellText(int row, int column, int line) override {
    return SpecifiedDisplacementsCellText(row, column, line);
  }
  std::int32_t RowNode(int row) override {
    const int layoutRow = LayoutRowOf(row);
    return layoutRow != 0 ? M().row(layoutRow).node : 0;
  }
  void EditCurrentItem() override;
  void DeleteRow() override;
  void WriteText() override { PrintSpecifiedDisplacements(); }
  void HeadingContextMenu(int /*column*/) override { TablePopupListMenu(*this); }
  void CellContextMenu(int /*column*/) override { TablePopupEditDeleteMenu(*this, "Specified displacement"); }
  void ContextMenu() override { TablePopupListMenu(*this); }
  void UpdateMenu() override { UpdateTableEditMenu(*this); }
  bool CanInsert() override { return false; }
  bool CanDelete() override { return !TableResultsShown() && Entries().count > 0; }
  bool RowOfCurrentLayoutRow(ItemListEntries& entries) override {
    RegenerateModel(M());
    entries.title = "Specified Displacements";
    entries.count = Entries().count;
    entries.layoutRows.clear();
    for (int entry = 1; entry <= Entries().count; ++entry) entries.layoutRows.push_back(RowListEntry(Entries(), entry));
    return true;
  }
  std::string PrintName() override { return "Specified Displacements"; }
};

SpecifiedDisplacementsTable& TheTable() {
  static SpecifiedDisplacementsTable table;
  return table;
}

void DeleteSpecifiedDisplacementRow() {
  SpecifiedDisplacementsTable& table = TheTable();
  const int layoutRow = LayoutRowOf(table.currentRow);
  if (layoutRow == 0 || TableResultsShown()) return;
  RunEdit(table.frame, [&] {
    LayoutRow& row = M().row(layoutRow);
    if (SpecifiedDisplacements* displacements = RowDisplacements(row)) {
      displacements->sets.reset();
      displacements->flags.fill(0);
    }
    if (auto* anchor = dynamic_cast<Anchor*>(row.item.get())) anchor->DisplacementsInPipeLcs = 0;
    RefreshAfterDataItemEdit(M(), layoutRow);
    return true;
  });
  OpenSpecifiedDisplacementsTable();
}

void SpecifiedDisplacementsTable::EditCurrentItem() {
  const int layoutRow = LayoutRowOf(currentRow);
  if (layoutRow == 0) return;
  const SnapshotToken token = TableResultsShown() ? 0 : TakeUndoSnapshot(frame);
  g_SpecDisplStored = 0;
  if (RunSpecDisplDialog(frame, layoutRow) != 1) {
    PopTempFile(token);
    return;
  }
  if (g_SpecDisplStored == 0) PopTempFile(token);
  if (!SettleEdit(frame, token)) return;
  const SpecifiedDisplacements* displacements = RowDisplacements(M().row(layoutRow));
  if (displacements == nullptr || !displacements->HasAny()) {
    OpenSpecifiedDisplacementsTable();
    return;
  }
  TableShowFocus(*this);
}

void SpecifiedDisplacementsTable::DeleteRow() { DeleteSpecifiedDisplacementRow(); }

std::string Value(const DisplacementSets* sets, int slot, int value) {
  if (sets == nullptr) return {};
  const float v = sets->values[static_cast<std::size_t>(6 * slot + value + 1)];
  if (v == 0.0f) return {};
  return value < 3 ? std::string(FormatDisplacement(v)) : RotationText(v);
}

}  // namespace

std::string SpecifiedDisplacementsCellText(int entry, int column, int line) {
  const int layoutRow = LayoutRowOf(entry);
  if (layoutRow == 0) return {};
  const LayoutRow& row = M().row(layoutRow);
  const DisplacementSetList& sets = BuildSpecDisplSets();
  if (line < 0 || line >= static_cast<int>(sets.entries.size())) return {};
  const DisplacementSetEntry& set = sets.entries[static_cast<std::size_t>(line)];
  const SpecifiedDisplacements* displacements = RowDisplacements(row);
  const DisplacementSets* values =
      displacements != nullptr && displacements->HasAny() ? displacements->sets.get() : nullptr;
  switch (column) {
    case 1: return line == 0 ? NodeNumberText(row.node) : "";
    case 2: return line == 0 ? (row.dataType == DataType::Anchor ? "Anchor" : "Nozzle") : "";
    case 3: return set.label;
    case 10: return RowDisplacementsInPipeLcs(row) ? "Pipe LCS" : "GCS";
    default:
      if (column >= 4 && column <= 9) return Value(values, set.slot, column - 4);
      return {};
  }
}

std::string SpecifiedDisplacementsHeading(int column) {
  static const char* const kHeadings[kColumns] = {"Node",   "Type",   "Load",   "X/x ",   "Y/y ",
                                                  "Z/z ",   "XX/xx ", "YY/yy ", "ZZ/zz ", "Disp. in"};
  if (column < 1 || column > kColumns) return {};
  std::string text = kHeadings[column - 1];
  if (column >= 4 && column <= 6) text += UnitLabel(kUnitDisplacement);
  if (column >= 7 && column <= 9) text += UnitLabel(kUnitAngle);
  return text;
}

int SpecifiedDisplacementsColumnWidth(int column, int lines, const std::function<int(const std::string&)>& measure) {
  int width = measure(SpecifiedDisplacementsHeading(column));
  for (int entry = 1; entry <= Entries().count; ++entry)
    for (int line = 0; line < lines; ++line)
      width = std::max(width, measure(SpecifiedDisplacementsCellText(entry, column, line)));
  return width;
}

bool SpecifiedDisplacementsOffered(const Model& model) {
  return model.lists[RowListKind::DisplacedAnchors].count > 0;
}

void OpenSpecifiedDisplacementsTable() {
  SpecifiedDisplacementsTable& table = TheTable();
  if (!BindFirstListTable(table, kColumns)) return;
  SetCurrentListOpener(OpenSpecifiedDisplacementsTable);
  table.linesPerRow = SpecifiedDisplacementSetCount();
  table.nodeSearch = true;
  OpenTableAtCurrentRow(table);
}

void ListSpecifiedDisplacements() {
  RegenerateModel(M());
  if (!SpecifiedDisplacementsOffered(M())) return;
  ShowListByOpener(OpenSpecifiedDisplacementsTable);
}
