// The Layout table's editors, checks and popup menus (see LayoutEditors.h).
//
// A popup menu is built from LayoutPopupMenuItems, so what the menu offers
// and what a caller may inspect are one rule. Editors that open a kind's
// dialog take an undo snapshot and discard exactly it when the dialog
// changed nothing.
#include "editing/LayoutEditors.h"

#include <algorithm>
#include <cstdio>

#include "editing/LayoutTable.h"
#include "editing/RowDialogs.h"
#include "editing/TypePickers.h"
#include "editing/UndoRedo.h"
#include "elements/Bend.h"
#include "loads/PipeLoadDialog.h"
#include "model/EditSteps.h"
#include "model/ListWindow.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "model/UndoFiles.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "properties/BeamLoadDialog.h"
#include "properties/BeamMaterialDialog.h"
#include "properties/BeamSectionDialog.h"
#include "properties/ListPickers.h"
#include "properties/MaterialDialog.h"
#include "properties/SectionDialog.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NameTables.h"
#include "services/TableWindowSupport.h"

namespace {

Model& M() { return TheModel(); }
bool InResults() { return TableResultsShown(); }

bool IsWideRowType(ElementType type) { return type == ElementType::Comment || type == ElementType::HydrotestLoad; }

HWND Owner(const LayoutTable& table) { return table.frame != nullptr ? table.frame : LayoutFrame().window; }

void SendCommand(const LayoutTable& table, int command) {
  HWND owner = Owner(table);
  if (owner != nullptr) SendMessage(owner, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

template <typename Table>
bool HasRecordNamed(const Table& table, const std::string& name) {
  if (name.empty()) return false;
  for (int index = 1; index <= table.count; ++index)
    if (table[index].name == name) return true;
  return false;
}

// The three property columns (6 material, 7 section, 8 load).
struct PropertyColumn {
  const char* noun;  // "Material", "Section", "Load"
  int select, edit, list, beamList;
};
constexpr PropertyColumn kPropertyColumns[3] = {
    {"Material", 280, 283, 188, 307}, {"Section", 281, 284, 189, 308}, {"Load", 282, 285, 190, 309}};

const std::string& RowName(const LayoutRow& row, int column) {
  return column == 6 ? row.material : column == 7 ? row.section : row.load;
}

// Whether the table the row's name picks from has records, and whether the
// row's own name is among them.
void PropertyState(const Model& model, const LayoutRow& row, int column, bool& any, bool& named) {
  const std::string& name = RowName(row, column);
  if (row.elementType == ElementType::Beam) {
    if (column == 6) any = model.beamMaterials.count > 0, named = HasRecordNamed(model.beamMaterials, name);
    if (column == 7) any = model.beamSections.count > 0, named = HasRecordNamed(model.beamSections, name);
    if (column == 8) any = model.beamLoads.count > 0, named = HasRecordNamed(model.beamLoads, name);
    return;
  }
  if (column == 6) any = model.materials.count > 0, named = HasRecordNamed(model.materials, name);
  if (column == 7) any = model.sections.count > 0, named = HasRecordNamed(model.sections, name);
  if (column == 8) any = model.pipeLoads.count > 0, named = HasRecordNamed(model.pipeLoads, name);
}

std::vector<LayoutMenuItem> PropertyItems(const Model& model, const LayoutRow& row, int column) {
  if (!ElementTypeHasProperties(row.elementType)) return {};
  const PropertyColumn& p = kPropertyColumns[column - 6];
  const bool beam = row.elementType == ElementType::Beam;
  const std::string noun = std::string(beam ? "Beam " : "") + p.noun;
  bool any = false, named = false;
  PropertyState(model, row, column, any, named);
  std::vector<LayoutMenuItem> items;
  if (any) items.push_back({p.select, "&Select " + noun});
  if (named) items.push_back({p.edit, "&Edit " + noun});
  items.push_back({beam ? p.beamList : p.list, "&List " + noun + "s"});
  return items;
}

std::string ElementKindName(ElementType type) {
  switch (type) {
    case ElementType::JacketedPipe: return "Jacketed pipe";
    case ElementType::JacketedBend: return "Jacketed bend";
    case ElementType::Miter: return "Miter bend";
    case ElementType::Rigid: return "Rigid Element";
    case ElementType::HingeJoint:
    case ElementType::BallJoint:
    case ElementType::SlipJoint: return std::string(ElementTypeName(static_cast<int>(type))) + " Joint";
    default: return ElementTypeName(static_cast<int>(type));
  }
}

std::vector<LayoutMenuItem> ElementItems(const LayoutRow& row) {
  const ElementType type = row.elementType;
  const std::string name = ElementKindName(type);
  std::vector<LayoutMenuItem> items{{201, (InResults() ? "&Show " : "&Edit ") + name}};
  if (type == ElementType::JacketedPipe || type == ElementType::JacketedBend)
    items.push_back({236, "&List Jacketed pipes"});
  else
    items.push_back({236, "&List " + name + (type == ElementType::Bellows ? "" : "s")});
  return items;
}

std::string DataKindName(DataType type) {
  if (type == DataType::TimeVaryingLoad) return "Time Varying Load";
  if (type == DataType::SkewedRestraint) return "Skewed restraint";
  return DataTypeName(static_cast<int>(type));
}

bool HasSpecifiedDisplacements(const Model& model) {
  return model.lists[RowListKind::DisplacedAnchors].count > 0;
}

std::vector<LayoutMenuItem> DataItems(const Model& model, const LayoutRow& row) {
  const DataType type = row.dataType;
  const std::string name = DataKindName(type);
  const bool noEditor = type == DataType::Spider || type == DataType::JacketEndCap || type == DataType::ThreadedJoint;
  std::vector<LayoutMenuItem> items;
  if (!noEditor) items.push_back({202, (InResults() ? "&Show " : "&Edit ") + name});
  if (!InResults()) items.push_back({238, "&Delete " + name});
  const bool jacket = type == DataType::Spider || type == DataType::JacketEndCap;
  items.push_back(
      {237, "&List " + (jacket ? std::string("Jacket connection") : name) +
                (type == DataType::ConcentratedMass ? "e" : "") + "s"});
  if ((type == DataType::Anchor || type == DataType::Nozzle) && HasSpecifiedDisplacements(model))
    items.push_back({286, "List specified displ"});
  return items;
}

std::vector<LayoutMenuItem> OffsetItems(const Model& model, int row) {
  std::vector<LayoutMenuItem> items{{40027, "&Edit..."}, {128, "&Insert"}, {279, "&Delete..."}};
  if (IsComponentLayoutRow(model, row)) items.push_back({129, "&Split..."});
  if (CanCombineLayoutRow(model, row)) items.push_back({40048, "Com&bine..."});
  if (HasEditableLayoutElement(model, row)) items.push_back({385, "&Slope..."});
  return items;
}

// The beam records' editors are the beam tables' dialogs, unless a module
// registered its own editor for the column.
PropertyEditor g_PropertyEditors[2][3] = {};

bool RunRecordEditor(HWND owner, bool beam, int column, int record, SnapshotToken token) {
  if (!beam && column == 6) return MaterialDialog(owner, record, token) == 1;
  if (!beam && column == 7) return SectionDialog(owner, record, token) == 1;
  if (!beam && column == 8) return PipeLoadDialog(owner, record, token) == 1;
  if (PropertyEditor editor = g_PropertyEditors[1][column - 6]) {
    const bool stored = editor(owner, record);
    if (!stored) PopTempFile(token);
    return stored;
  }
  if (column == 6) return BeamMaterialDialog(owner, record, token) == 1;
  if (column == 7) return BeamSectionDialog(owner, record, token) == 1;
  return BeamLoadDialog(owner, record, token) == 1;
}

int RecordOfRow(const Model& model, const LayoutRow& row, int column) {
  const std::string& name = RowName(row, column);
  if (row.elementType == ElementType::Beam) {
    if (column == 6) return FindRecordByName(model.beamMaterials, name);
    if (column == 7) return FindRecordByName(model.beamSections, name);
    return FindRecordByName(model.beamLoads, name);
  }
  if (column == 6) return FindMaterialByName(model.materials, name);
  if (column == 7) return FindSectionByName(model.sections, name);
  return FindPipeLoadByName(model.pipeLoads, name);
}

// The list command of the column's table (the materials, sections or loads
// list, or the beam twin).
int ListCommandOf(const LayoutRow& row, int column) {
  const PropertyColumn& p = kPropertyColumns[column - 6];
  return row.elementType == ElementType::Beam ? p.beamList : p.list;
}

void EditRowProperty(LayoutTable& table, int column) {
  if (TableEndEdit(table)) return;
  const LayoutRow& row = M().row(table.currentRow);
  const int record = RecordOfRow(M(), row, column);
  if (record == 0) return;  // a name without a record opens nothing
  HWND owner = Owner(table);
  const SnapshotToken token = TakeUndoSnapshot(owner);
  const bool stored = RunRecordEditor(owner, row.elementType == ElementType::Beam, column, record, token);
  if (!SettleLayoutEdit(owner, token) || !stored) return;
  TableFitRow(table, table.currentRow);
  RefreshListWindow();
}

int PickRecord(HWND owner, const LayoutRow& row, int column) {
  const std::string& name = RowName(row, column);
  if (row.elementType == ElementType::Beam) {
    if (column == 6) return SelectBeamMaterial(owner, name);
    if (column == 7) return SelectBeamSection(owner, name);
    return SelectBeamLoad(owner, name);
  }
  if (column == 6) return SelectMaterial(owner, name);
  if (column == 7) return SelectSection(owner, name);
  return SelectPipeLoad(owner, name);
}

std::string RecordName(const Model& model, const LayoutRow& row, int column, int record) {
  if (row.elementType == ElementType::Beam) {
    if (column == 6) return model.beamMaterials[record].name;
    if (column == 7) return model.beamSections[record].name;
    return model.beamLoads[record].name;
  }
  if (column == 6) return model.materials[record].name;
  if (column == 7) return model.sections[record].name;
  return model.pipeLoads[record].name;
}

bool SelectRowProperty(LayoutTable& table, int column) {
  if (TableEndEdit(table)) return false;
  LayoutRow& row = M().row(table.currentRow);
  bool any = false, named = false;
  PropertyState(M(), row, column, any, named);
  if (!any) return false;  // nothing to pick from
  HWND owner = Owner(table);
  int record = 0;
  bool changed = false;
  const bool stands = RunEdit(owner, [&] {
    record = PickRecord(owner, row, column);
    if (record == 0) return false;
    const std::string name = RecordName(M(), row, column, record);
    std::string& field = column == 6 ? row.material : column == 7 ? row.section : row.load;
    if (name == field) return false;
    field = name;
    changed = true;
    return true;
  });
  if (record == 0 || (changed && !stands)) return false;
  if (changed) TableFitRow(table, table.currentRow);
  TableSetColumn(table, column);
  if (table.editing) TableLoadEditBuffer(table);
  if (column < 9) TableSetColumn(table, column + 1);
  return true;
}

// The List menu's label of the list of an element kind or data kind; empty
// for the kinds without a list.
std::string ElementListLabel(ElementType type) {
  switch (type) {
    case ElementType::Bend: return "&Bends";
    case ElementType::Miter: return "&Miter bends";
    case ElementType::JacketedPipe:
    case ElementType::JacketedBend: return "&Jacketed pipes";
    case ElementType::Valve: return "&Valves";
    case ElementType::Reducer: return "&Reducers";
    case ElementType::Bellows: return "&Bellows";
    case ElementType::SlipJoint: return "&Slip joints";
    case ElementType::HingeJoint: return "&Hinge joints";
    case ElementType::BallJoint: return "&Ball joints";
    case ElementType::Rigid: return "&Rigid elements";
    case ElementType::Elastic: return "&Elastic elements";
    case ElementType::CutPipe: return "&Cut pipes";
    case ElementType::Beam: return "&Beams";
    case ElementType::TieRod: return "&Tie rods";
    default: return {};
  }
}

std::string DataListLabel(DataType type) {
  switch (type) {
    case DataType::Anchor: return "&Anchors";
    case DataType::Restraint: return "&Restraints";
    case DataType::SkewedRestraint: return "&Skewed restraints";
    case DataType::Hanger: return "&Hangers";
    case DataType::Guide: return "&Guides";
    case DataType::LimitStop: return "&Limit stops";
    case DataType::Nozzle: return "&Nozzles";
    case DataType::Snubber: return "&Snubbers";
    case DataType::Spider:
    case DataType::JacketEndCap: return "&Jacket connections";
    case DataType::Flange: return "&Flanges";
    case DataType::BranchSif: return "&Branch SIFs";
    case DataType::UserSif: return "&User SIFs";
    case DataType::Weld: return "&Welds";
    case DataType::ThreadedJoint: return "&Threaded joints";
    case DataType::Force: return "&Forces";
    case DataType::ConcentratedMass: return "&Concen. masses";
    case DataType::TimeVaryingLoad: return "&Time Varying Loads";
    case DataType::HarmonicLoad: return "&Harmonic loads";
    case DataType::ForceSpectrumLoad: return "&Force sp loads";
    case DataType::GenericSupport: return "&Generic supports";
    default: return {};
  }
}

}  // namespace

bool IsComponentLayoutRow(const Model& model, int row) {
  const ElementType type = model.row(row).elementType;
  return row != 1 && row <= model.rowCount && type != ElementType::None && type != ElementType::From &&
         type != ElementType::Location && !IsWideRowType(type);
}

bool CanCombineLayoutRow(const Model& model, int row) {
  if (row == 1 || row > model.rowCount) return false;
  const ElementType type = model.row(row).elementType;
  if (type != ElementType::Pipe && type != ElementType::Bend && type != ElementType::JacketedPipe &&
      type != ElementType::JacketedBend)
    return false;
  const int previous = PreviousElementRow(model, row);
  if (previous == 0) return false;
  const ElementType before = model.row(previous).elementType;
  return before == ElementType::Pipe || before == ElementType::JacketedPipe;
}

bool HasEditableLayoutElement(const Model& model, int row) {
  const ElementType type = model.row(row).elementType;
  return row != 1 && model.row(row).node != 0 && type != ElementType::From && type != ElementType::Location &&
         !IsWideRowType(type);
}

bool SetCurrentLayoutRow(int row) {
  Model& model = M();
  const int current = std::clamp(row, 1, model.rowCount + 1);
  LayoutTable& layout = TheLayoutTable();
  const bool moves = layout.Window() != nullptr && IsWindowVisible(layout.Window()) && layout.currentRow != current;
  if (moves && TableEndEdit(layout)) return false;
  model.currentRow = current;
  if (moves && layout.currentRow != current) TableGoTo(layout, current);
  RefreshListWindow();
  return true;
}

int CheckBends(HWND owner) {
  Model& model = M();
  try {
    MakeModel(model);
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);
    return 0;
  }
  if (LayoutFrame().window != nullptr) FrameShow(LayoutFrame());
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (!IsBendElementType(row.elementType)) continue;
    const auto* bend = dynamic_cast<const Bend*>(row.element.get());
    if (bend == nullptr || bend->BendGeometryValid) continue;
    SetCurrentLayoutRow(number);
    char text[64];
    std::snprintf(text, sizeof text, "Bend at Row #  %d  is invalid.", number);
    ShowErrorMessage(owner, text);
    return number;
  }
  ShowInfoMessage(owner, "All bends are OK.");
  return 0;
}

int CheckBranchSifs(HWND owner) {
  Model& model = M();
  const RowIndexList& points = model.lists[RowListKind::BranchNodes];
  if (points.count == 0) {
    ShowInfoMessage(owner, "No Branch Points to check");
    return 0;
  }
  int missing = 0;
  for (int place = 1; place <= points.count; ++place) {
    if (model.lists.branchSifRows[static_cast<std::size_t>(place)] != 0) continue;
    const NodeRecord& node = model.nodes[RowListEntry(points, place)];
    ++missing;
    SetCurrentLayoutRow(node.row);
    ShowInfoMessage(owner, std::string("Branch SIF not defined at Node ") + NodeNumberText(node.id));
  }
  if (missing == 0) ShowInfoMessage(owner, "All Branch Points are defined with SIF.");
  return missing;
}

std::vector<LayoutMenuItem> LayoutPopupMenuItems(const LayoutTable& table, int column) {
  const Model& model = M();
  const LayoutRow& row = model.row(table.currentRow);
  if (IsWideRowType(row.elementType)) return {};
  switch (column) {
    case 1:
      if (model.nodes.count == 0) return {};
      return {{187, "&List coordinates"}};
    case 2:
      if (row.elementType == ElementType::None || row.elementType == ElementType::Pipe ||
          row.elementType == ElementType::From || row.elementType == ElementType::Location)
        return {};
      return ElementItems(row);
    case 3:
    case 4:
    case 5:
      if (InResults()) return {};
      return OffsetItems(model, table.currentRow);
    case 6:
    case 7:
    case 8: return PropertyItems(model, row, column);
    case 9:
      if (IsBendElementType(row.elementType) || row.dataType == DataType::None) return {};
      return DataItems(model, row);
    default: return {};
  }
}

void ShowLayoutPopupMenu(LayoutTable& table, int column) {
  const LayoutRow& row = M().row(table.currentRow);
  if (IsWideRowType(row.elementType)) return;
  if (column == 2 && (row.elementType == ElementType::None || row.elementType == ElementType::Pipe)) {
    if (!InResults()) PickRowElementType(table);
    return;
  }
  if (column == 9 && IsBendElementType(row.elementType)) {
    ErrorBeep();
    return;
  }
  if (column == 9 && row.dataType == DataType::None) {
    if (!InResults()) PickRowDataType(table);
    return;
  }
  const std::vector<LayoutMenuItem> items = LayoutPopupMenuItems(table, column);
  if (items.empty()) return;
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  for (const LayoutMenuItem& item : items)
    AppendMenu(menu, MF_STRING, static_cast<UINT_PTR>(item.command), item.text.c_str());
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, table.popupPoint.x, table.popupPoint.y, 0, Owner(table),
                 nullptr);
  DestroyMenu(menu);
}

void ShowRowKindList(LayoutTable& table, bool dataKind) {
  const LayoutRow& row = M().row(table.currentRow);
  const std::string label = dataKind ? DataListLabel(row.dataType) : ElementListLabel(row.elementType);
  if (label.empty()) return;
  // The row carries the kind, so its list is offered. While results are
  // shown the menu built last holds.
  if (!InResults()) BuildListMenu();
  for (const ListMenuEntry& entry : ListMenuEntries()) {
    if (entry.label != label) continue;
    ShowListByOpener(entry.opener);
    return;
  }
}

void LayoutDoubleClick(LayoutTable& table) {
  const int column = table.currentColumn;
  if (IsWideRowType(M().row(table.currentRow).elementType) || column == 2) {
    EditRowElementType(table);
    return;
  }
  switch (column) {
    case 3:
    case 4:
    case 5: EditRowOffsets(table); return;
    case 6: EditRowMaterial(table); return;
    case 7: EditRowSection(table); return;
    case 8: EditRowLoad(table); return;
    case 9: EditRowDataType(table); return;
    default: return;
  }
}

void LayoutHeadingClicked(LayoutTable& table, int column) {
  const LayoutRow& row = M().row(table.currentRow);
  switch (column) {
    case 1:
      if (M().nodes.count == 0) ErrorBeep();
      else SendCommand(table, 187);
      return;
    case 2: PickRowElementType(table); return;
    case 3:
    case 4:
    case 5:
      // A left click stores no popup point (only a right click does): the
      // menu opens where the mouse is.
      GetCursorPos(&table.popupPoint);
      ShowLayoutPopupMenu(table, column);
      return;
    case 6:
    case 7:
    case 8: SendCommand(table, ListCommandOf(row, column)); return;
    case 9:
      if (IsBendElementType(row.elementType) || IsWideRowType(row.elementType)) ErrorBeep();
      else PickRowDataType(table);
      return;
    default: return;
  }
}

void EditRowElementType(LayoutTable& table) {
  if (TableEndEdit(table)) return;
  const int number = table.currentRow;
  LayoutRow& row = M().row(number);
  HWND owner = Owner(table);
  // Already in the column (a wide row has only one), the user stays where
  // he was typing.
  const int column = IsWideRowType(row.elementType) ? 1 : 2;
  if (table.currentColumn != column) TableSetColumn(table, column);
  if (row.elementType == ElementType::Comment && number != 1) {
    const SnapshotToken token = TakeUndoSnapshot(owner);
    if (CommentDialog(owner, number, token) == 1 && SettleLayoutEdit(owner, token)) {
      TableReloadEditCell(table);
      TableFitRow(table, number);
      TablePlaceCaret(table);
    }
    return;
  }
  const ElementType type = row.elementType;
  if (number == 1 || row.element == nullptr || type == ElementType::From || type == ElementType::Location ||
      type == ElementType::Pipe || type == ElementType::Comment)
    return;
  if (RunEdit(owner, [&] { return row.element->EditDialog(number, 0, 0); })) TableFitRow(table, number);
}

void EditRowDataType(LayoutTable& table) {
  const int number = table.currentRow;
  LayoutRow& row = M().row(number);
  if (IsBendElementType(row.elementType) || IsWideRowType(row.elementType)) return;
  if (TableEndEdit(table)) return;
  TableSetColumn(table, 9);
  const DataType type = row.dataType;
  if (row.item == nullptr || type == DataType::Spider || type == DataType::JacketEndCap ||
      type == DataType::ThreadedJoint)
    return;
  HWND owner = Owner(table);
  if (RunEdit(owner, [&] { return row.item->EditDialog(number, 0, 0); })) {
    TableFitRow(table, number);
    RefreshListWindow();
  }
}

bool EditRowOffsets(LayoutTable& table) {
  if (TableEndEdit(table)) return false;
  HWND owner = Owner(table);
  const SnapshotToken token = TakeUndoSnapshot(owner);
  if (DxDyDzDialog(owner, table.currentRow, token) != 1 || !SettleLayoutEdit(owner, token)) return false;
  TableLoadEditBuffer(table);
  TableFitRow(table, table.currentRow);
  RefreshListWindow();
  return true;
}

bool EditRowSlope(LayoutTable& table) {
  if (TableEndEdit(table)) return false;
  // The menu greys the command on such rows; a command sent past the menu
  // must not get further.
  if (!HasEditableLayoutElement(M(), table.currentRow)) return false;
  HWND owner = Owner(table);
  const SnapshotToken token = TakeUndoSnapshot(owner);
  if (SlopeDialog(owner, table.currentRow, token) != 1 || !SettleLayoutEdit(owner, token)) return false;
  TableLoadEditBuffer(table);
  TableFitRow(table, table.currentRow);
  RefreshListWindow();
  return true;
}

void SetPropertyEditor(bool beam, int column, PropertyEditor editor) {
  if (column >= 6 && column <= 8) g_PropertyEditors[beam ? 1 : 0][column - 6] = editor;
}

void EditRowMaterial(LayoutTable& table) { EditRowProperty(table, 6); }
void EditRowSection(LayoutTable& table) { EditRowProperty(table, 7); }
void EditRowLoad(LayoutTable& table) { EditRowProperty(table, 8); }
bool SelectMaterialDialog(LayoutTable& table) { return SelectRowProperty(table, 6); }
bool SelectSectionDialog(LayoutTable& table) { return SelectRowProperty(table, 7); }
bool SelectLoadDialog(LayoutTable& table) { return SelectRowProperty(table, 8); }

