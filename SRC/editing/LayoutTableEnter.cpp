// Entering a Layout row: the checks a whole row must pass before the caret
// leaves it, the defaults it takes on the way (the next node number, From
// for the first element row, Pipe for a row without a type, the names of
// the nearest earlier row), Ctrl+Enter repeating the previous pipe, and
// appending the spare row to the model.
//
// Each check throws with the column to make current; an empty message moves
// the caret there without a word, which is how Enter on a fresh row walks
// the user from the node to the type to the offsets.
#include <cmath>

#include "editing/LayoutTable.h"
#include "elements/Valve.h"
#include "model/LayoutRow.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "model/RowRules.h"
#include "model/UndoFiles.h"
#include "platform/Dialog.h"
#include "services/ErrorRecords.h"
#include "services/Message.h"
#include "services/TableWindowSupport.h"

namespace {

bool IsSpareRow(const LayoutTable& table) { return table.currentRow > TheModel().rowCount; }

bool IsRowEmpty(const LayoutRow& row) {
  return row.node == 0 && row.elementType == ElementType::None && row.dataType == DataType::None && row.dx == 0.0f &&
         row.dy == 0.0f && row.dz == 0.0f;
}

NodeId NextNodeAfterPrevious(const Model& model, int row) {
  const int previous = PreviousElementRow(model, row);
  return NextNodeNumber(model.nodes, previous != 0 ? model.row(previous).node : 0, model.nodeIncrement);
}

void ClearWideRow(LayoutRow& row) {
  row.item.reset();
  row.dataType = DataType::None;
  row.node = 0;
  row.absolute = false;
  row.dx = row.dy = row.dz = 0.0f;
  row.material.clear();
  row.section.clear();
  row.load.clear();
  row.startNode = row.endNode = row.runStart = row.runEnd = 0;
}

void CheckRowNode(const Model& model, int row) {
  const LayoutRow& target = model.row(row);
  const int index = FindNodeIndex(model.nodes, target.node);
  if (IsBendElementType(target.elementType)) {
    if (target.node > kArcNearOffset) throw CI{"Bend node should not have a suffix", 1};
    if (index != 0 && (model.nodes[index].nodeKind == kBendIntermediateNode || model.nodes[index].row != row))
      throw CI{FormatFieldError("Node", NodeNumberText(target.node), NodeCheckReason(kNodeAlreadyDefined)), 1};
  } else if (index != 0 && model.nodes[index].nodeKind == kBendNode && model.nodes[index].row != row) {
    throw CI{FormatFieldError("Node", NodeNumberText(target.node), "is bend node"), 1};
  }
  if (target.elementType == ElementType::Location && index == 0)
    throw CI{kLocationNodeMessage, 1};
  if (target.elementType != ElementType::From && target.elementType != ElementType::Location) {
    const int previous = PreviousElementRow(model, row);
    if (previous != 0 && model.row(previous).node == target.node) throw CI{"Node is same as previous node", 1};
  }
}

void RepeatPreviousRow(Model& model, int row) {
  LayoutRow& target = model.row(row);
  const int previous = PreviousElementRow(model, row);
  if (previous == 0) return;
  const LayoutRow& source = model.row(previous);
  if (source.elementType != ElementType::Pipe && source.elementType != ElementType::JacketedPipe &&
      source.elementType != ElementType::Beam)
    return;
  SetElementType(model, row, source.elementType);
  if (source.element && target.element) target.element->CopyFrom(*source.element);
  target.dx = source.dx;
  target.dy = source.dy;
  target.dz = source.dz;
  if (source.item && ItemWithoutConnectedNode(source)) {
    SetDataType(model, row, source.dataType);
    if (target.item) target.item->CopyFrom(*source.item);
  }
}

struct NameRule {
  int column;
  int pickCommand;
  int pipeList;
  int beamList;
  const char* pipeNone;
  const char* beamNone;
  const char* pipeRequired;
  const char* beamRequired;
};

constexpr NameRule kNameRules[] = {
    {6, 280, 188, 307, "There are no materials", "There are no beam materials", "Material is required",
     "Beam material is required"},
    {7, 281, 189, 308, "There are no sections", "There are no beam sections", "Section is required",
     "Beam section is required"},
    {8, 282, 190, 309, "There are no loads", "There are no beam loads", "Load is required", "Beam load is required"},
};

std::string& NameOf(LayoutRow& row, int column) {
  return column == 6 ? row.material : column == 7 ? row.section : row.load;
}

int TableCount(const Model& model, int column, bool beam) {
  if (beam)
    return column == 6 ? model.beamMaterials.count : column == 7 ? model.beamSections.count : model.beamLoads.count;
  return column == 6 ? model.materials.count : column == 7 ? model.sections.count : model.pipeLoads.count;
}

void Inherit(Model& model, int row, int column, bool beam) {
  if (beam) {
    if (column == 6) InheritBeamMaterial(model, row);
    if (column == 7) InheritBeamSection(model, row);
    if (column == 8) InheritBeamLoad(model, row);
  } else {
    if (column == 6) InheritRowMaterial(model, row);
    if (column == 7) InheritRowSection(model, row);
    if (column == 8) InheritRowLoad(model, row);
  }
}

void CheckRowNames(LayoutTable& table, Model& model, int row) {
  LayoutRow& target = model.row(row);
  if (!ElementTypeHasProperties(target.elementType) && target.elementType != ElementType::Beam) {
    target.material.clear();
    target.section.clear();
    target.load.clear();
    return;
  }
  const bool beam = target.elementType == ElementType::Beam;
  for (const NameRule& rule : kNameRules) {
    if (!NameOf(target, rule.column).empty()) continue;
    if (TableCount(model, rule.column, beam) == 0)
      throw MsgColCmd{beam ? rule.beamNone : rule.pipeNone, rule.column, beam ? rule.beamList : rule.pipeList};
    const int previous = PreviousElementRow(model, row);
    const bool afterFrom = previous != 0 && model.row(previous).elementType == ElementType::From;
    const bool askSection = rule.column == 7 && (target.elementType == ElementType::Reducer || afterFrom);
    if (askSection && MessageBoxDialog(table.frame, "Do you want to change section ?", IDYES))
      throw MsgColCmd{"", 7, rule.pickCommand};
    if (row > FirstElementRow(model)) Inherit(model, row, rule.column, beam);
    if (!NameOf(target, rule.column).empty()) continue;
    if (table.currentColumn <= rule.column) throw MsgColCmd{"", rule.column, rule.pickCommand};
    throw CI{beam ? rule.beamRequired : rule.pipeRequired, rule.column};
  }
}

// Entering an existing row may change it (a type that takes no names
// loses them, the first element row becomes From): one undo step, kept only
// when the model changed, and then marked, or refused at the rules' gate.
void SettleEnteredRow(LayoutTable& table, SnapshotToken token) {
  if (token == 0) return;
  if (std::string refusal = SettleEditSnapshot(token); !refusal.empty()) {
    TableDrawRow(table, table.currentRow);
    throw CI{refusal, 1};
  }
}

}  // namespace

void ValidateLayoutRow(LayoutTable& table, bool ctrl) {
  Model& model = TheModel();
  const int row = table.currentRow;
  LayoutRow& target = model.row(row);
  if (target.elementType == ElementType::Comment || target.elementType == ElementType::HydrotestLoad) {
    ClearWideRow(target);
    return;
  }
  if (target.node == 0 && IsSpareRow(table)) {
    target.node = NextNodeAfterPrevious(model, row);
    TableDrawRow(table, row);
    if (target.node != 0 && !ctrl) throw CI{"", 2};
  }
  if (target.node == 0) throw CI{"Node is required", 1};
  CheckRowNode(model, row);
  const int index = FindNodeIndex(model.nodes, target.node);
  if (index != 0 && model.nodes[index].nodeKind == kBendNode && model.nodes[index].row == row &&
      !IsBendElementType(target.elementType))
    model.nodes[index].nodeKind = kOrdinaryNode;
  if (row == FirstElementRow(model) && target.elementType != ElementType::From) {
    SetElementType(model, row, ElementType::From);
    TableDrawRow(table, row);
  }
  if (ctrl && IsSpareRow(table) && target.elementType == ElementType::None && target.dataType == DataType::None &&
      target.dx == 0.0f && target.dy == 0.0f && target.dz == 0.0f)
    RepeatPreviousRow(model, row);
  if (IsZeroLengthCandidate(target) && RowMakesItsNode(model, row)) {
    target.runStart = target.runEnd = target.startNode;
    throw CI{table.currentColumn < 3 ? "" : kZeroLengthMessage, 3};
  }
  if (target.elementType == ElementType::None) SetElementType(model, row, ElementType::Pipe);
  CheckRowNames(table, model, row);
  if (target.elementType == ElementType::Bend && target.dataType != DataType::None) {
    ClearDataType(model, row);
    model.layoutChanged = true;
  }
}

void LayoutEnterRow(LayoutTable& table, bool ctrl) {
  Model& model = TheModel();
  const int row = table.currentRow;
  if (row > kMaxLayoutRows) throw CI{"Maximum number of rows exceeded", 1};
  LayoutRow& target = model.row(row);
  if (!IsSpareRow(table) && IsRowEmpty(target)) {
    TableGoTo(table, row + 1);
    return;
  }
  const SnapshotToken entered = IsSpareRow(table) ? 0 : TakeUndoSnapshot(table.frame);
  try {
    ValidateLayoutRow(table, ctrl);
    if (model.layoutChanged || table.rowInserted) {
      ValveLengthFollowsOffsets(target);
      if (!IsSpareRow(table)) RefreshAfterModelEdit(model);
      table.rowInserted = false;
    }
  } catch (...) {
    SettleEnteredRow(table, entered);  // the gate's refusal, if any, goes instead
    throw;
  }
  SettleEnteredRow(table, entered);
  if (!IsSpareRow(table)) {
    TableGoTo(table, row + 1);
    return;
  }
  LayoutRow typed;  // as it stands on the spare line, for a refusal below
  CopyLayoutRow(typed, target);
  const bool modified = model.modified;
  const SnapshotToken token = TakeUndoSnapshot(table.frame);
  ++model.rowCount;
  try {
    RefreshAfterModelEdit(model);
  } catch (...) {
    // The row cannot be made (the node table is full, an offset too large):
    // it stays the spare row, and the model goes back as it was before, what
    // the failed making derived on the rows before it (a bend's data)
    // included.
    --model.rowCount;
    if (RestoreUndoSnapshot(token, modified)) CopyLayoutRow(TheModel().row(row), typed);
    MakeModel(TheModel());
    DiscardEditSnapshot(token);
    throw;
  }
  // The row's own checks ran above; the whole model's rules (a jacket
  // narrower than the core it took from the row before) refuse the row as
  // its cells would. The model comes back from a snapshot taken before the
  // row was part of it, and no file keeps the spare row, so what the user
  // typed is put back there to be mended rather than typed again.
  if (std::string refusal = SettleEditSnapshot(token); !refusal.empty()) {
    Model& restored = TheModel();
    CopyLayoutRow(restored.row(row), typed);
    TableSetRowsTitled(table, "Layout", restored.rowCount);
    TableDrawRow(table, row);
    throw CI{refusal, 1};
  }
  TableSetRowsTitled(table, "Layout", model.rowCount);
  TableGoTo(table, row + 1);
  if (model.row(row + 1).node != 0) TableSetColumn(table, 2);
}

void LayoutBeforeColumnMove(LayoutTable& table, int step) {
  if (step < 0 || table.currentColumn != 1 || !IsSpareRow(table)) return;
  Model& model = TheModel();
  LayoutRow& target = model.row(table.currentRow);
  if (target.node != 0 || target.elementType == ElementType::Comment) return;
  target.node = NextNodeAfterPrevious(model, table.currentRow);
  TableDrawRow(table, table.currentRow);
}

bool CommitLayoutTable() {
  LayoutTable& table = TheLayoutTable();
  HWND window = table.Window();
  if (window == nullptr || TableOfWindow(window) != &table || !table.editing) return true;
  if (TableEndEdit(table)) return false;
  Model& model = TheModel();
  const int row = table.currentRow;
  LayoutRow& target = model.row(row);
  if (row <= model.rowCount || IsRowEmpty(target)) return true;
  // The row is entered as Enter would enter it, with each check saying what
  // is missing instead of walking the caret on to the next cell: the node
  // is filled in first and the checks see the caret past the last column.
  if (target.node == 0 && target.elementType != ElementType::Comment &&
      target.elementType != ElementType::HydrotestLoad) {
    target.node = NextNodeAfterPrevious(model, row);
    if (target.node == 0) {
      ShowTableMessage(window, "Node is required", TableMessageKind::Error);
      TableSetColumn(table, 1);
      TablePlaceCaret(table);
      return false;
    }
  }
  table.currentColumn = table.columnCount;
  const int before = model.rowCount;
  if (!TableCommitCell(table, false)) return false;
  return model.rowCount > before;
}
