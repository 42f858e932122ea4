// Insert, copy, paste and combine (see LayoutRowEdits.h). Rows move as
// values (each owns its objects), so shifting rows never copies an object.
#include "editing/LayoutRowEdits.h"

#include <utility>
#include <vector>

#include "editing/DeleteRows.h"
#include "editing/LayoutTable.h"
#include "model/KindRecords.h"
#include "model/LayoutRow.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "model/RowRules.h"
#include "platform/Dialog.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NumberText.h"

const char* const kMaxRowsMessage = "Maximum number of rows exceeded";

namespace {

struct CopyState {
  int from = 0;
  int to = 0;
  bool single = false;          // refers to row `from` of the open model
  std::vector<LayoutRow> rows;  // several rows: their deep copies
};

CopyState& Copied() {
  static CopyState state;
  return state;
}

// The copy the last paste took, until the next copy: a paste that is
// refused gives it back.
CopyState& Spent() {
  static CopyState state;
  return state;
}

// Moves rows first..count down by one and leaves row `first` empty.
void OpenRowGap(Model& model, int first) {
  for (int number = model.rowCount; number >= first; --number)
    model.row(number + 1) = std::move(model.row(number));
  model.row(first) = LayoutRow();
  ++model.rowCount;
}

int ParseRowField(const std::string& text, const char* label) {
  g_EditFieldText = text;
  std::int32_t value = 0;
  if (ParseInteger(text, value) != 0 || value < 1) ThrowInvalidField(label);
  return value;
}

// The node a pasted or copied row takes: the next free number after the
// node of its previous element row (or after the last node of the model).
NodeId NodeAfterPreviousElement(const Model& model, int row) {
  const int previous = PreviousElementRow(model, row);
  const NodeId after = previous != 0 ? model.row(previous).node : 0;
  return NextNodeNumber(model.nodes, after, model.nodeIncrement);
}

void CopyElement(LayoutRow& target, const LayoutRow& source) {
  target.elementType = source.elementType;
  target.element = CreateElementData(source.elementType);
  if (target.element && source.element) target.element->CopyFrom(*source.element);
}

// A bend copied to another row names the arc nodes of its source: the
// copy gets free numbers of its own after its node, so no number is made
// twice and the source's arc keeps its nodes.
void RenumberCopiedArcNodes(const Model& model, LayoutRow& target) {
  BendRecord* bend = target.element != nullptr ? target.element->AsBend() : nullptr;
  if (bend == nullptr || (bend->intermediateNode1 == 0 && bend->intermediateNode2 == 0)) return;
  std::vector<bool> used = UsedNodeNumbers(model.nodes);
  if (target.node >= 1 && target.node <= kLastFreeNodeNumber) used[static_cast<std::size_t>(target.node)] = true;
  for (std::int32_t* node : {&bend->intermediateNode1, &bend->intermediateNode2}) {
    if (*node == 0) continue;
    *node = NextFreeNodeNumber(used, target.node, 1);
    if (*node == 0) throw NodeLimitMessage();
    used[static_cast<std::size_t>(*node)] = true;
  }
}

void CopyOffsetsAndNames(LayoutRow& target, const LayoutRow& source) {
  target.dx = source.dx;
  target.dy = source.dy;
  target.dz = source.dz;
  target.material = source.material;
  target.section = source.section;
  target.load = source.load;
}

void CopyItem(LayoutRow& target, const LayoutRow& source) {
  target.dataType = source.dataType;
  target.item = CreateDataItem(source.dataType);
  if (target.item && source.item) target.item->CopyFrom(*source.item);
}

bool PasteSeveral(Model& model, const std::vector<LayoutRow>& rows) {
  if (model.rowCount + static_cast<int>(rows.size()) > kMaxLayoutRows) throw std::string(kMaxRowsMessage);
  NodeId lastNode = 0;
  for (const LayoutRow& source : rows) {
    const int number = model.rowCount + 1;
    model.rowCount = number;
    LayoutRow& target = model.row(number);
    target = LayoutRow();
    CopyElement(target, source);
    // A Location names a node already made: the one given just before.
    const bool location = source.elementType == ElementType::Location && lastNode != 0;
    target.node = location ? lastNode : NodeAfterPreviousElement(model, number);
    lastNode = target.node;
    RenumberCopiedArcNodes(model, target);
    target.absolute = source.absolute;
    CopyOffsetsAndNames(target, source);
    CopyItem(target, source);
    RefreshAfterModelEdit(model);
  }
  RefuseRowsBreakingRules(model, model.rowCount - static_cast<int>(rows.size()) + 1, model.rowCount);
  return true;
}

// A Location row only names a node an earlier row made, so a paste of the
// Type column is refused where the Type cell refuses it: a Location stays
// one (an element ending at its node would have no length), and only a row
// of no kind or a Pipe without offsets at such a node becomes one.
void RefuseLocationChange(const Model& model, int row, ElementType type) {
  const LayoutRow& target = model.row(row);
  const ElementType old = target.elementType;
  if (old == type) return;
  const bool changesKind = old != ElementType::None && old != ElementType::Pipe;
  if (changesKind && old == ElementType::Location) throw std::string("Type = Location  cannot be changed");
  if (type != ElementType::Location) return;
  if (changesKind) throw std::string("Type cannot be changed to Location");
  RefuseOffsetsWithoutLength(model, row, type, target.dx, target.dy, target.dz);
  if (!LocationNodeIsMade(model, row)) throw std::string(kLocationNodeMessage);
}

// A paste goes where typing goes: not into a cell the Layout table keeps
// out of editing, and a whole row only where its type may be typed.
bool PasteTargetEditable(const Model& model, int row, int column) {
  if (row < 1 || row > model.rowCount || !IsLayoutCellEditable(model, row, column)) return false;
  return column != 1 || IsLayoutCellEditable(model, row, 2);
}

bool PasteColumn(Model& model, const LayoutRow& source, int row, int column) {
  if (row < 1 || row > model.rowCount) return false;
  LayoutRow& target = model.row(row);
  switch (column) {
    case 1: {
      // The row's node goes: refused where Delete would refuse the row.
      const std::string refusal = RowDeletionRefusal(model, row, row);
      if (!refusal.empty()) throw refusal;
      CopyElement(target, source);
      target.node = NodeAfterPreviousElement(model, row);
      RenumberCopiedArcNodes(model, target);
      CopyOffsetsAndNames(target, source);
      CopyItem(target, source);
      break;
    }
    case 2: {
      if (source.elementType == ElementType::None) return false;
      RefuseLocationChange(model, row, source.elementType);
      // As typed: a Bend row loses its data item, a new Bend takes the
      // previous bend's radius, then the copied element's values.
      ElementData* element = SetElementType(model, row, source.elementType);
      if (element != nullptr && source.element) element->CopyFrom(*source.element);
      RenumberCopiedArcNodes(model, target);
      break;
    }
    case 3:
    case 4:
    case 5: {
      // One offset of the source, the row's other two kept.
      const int axis = column - 3;
      float offsets[3] = {target.dx, target.dy, target.dz};
      offsets[axis] = axis == 0 ? source.dx : axis == 1 ? source.dy : source.dz;
      if (offsets[0] == target.dx && offsets[1] == target.dy && offsets[2] == target.dz) return false;
      RefuseOffsetsWithoutLength(model, row, target.elementType, offsets[0], offsets[1], offsets[2]);
      target.dx = offsets[0];
      target.dy = offsets[1];
      target.dz = offsets[2];
      break;
    }
    case 6:
    case 7:
    case 8: {
      // A row whose type carries no properties ignores a name, as typed.
      if (!RowTypeTakesNames(target.elementType)) return false;
      std::string& name = column == 6 ? target.material : column == 7 ? target.section : target.load;
      const std::string& pasted = column == 6 ? source.material : column == 7 ? source.section : source.load;
      if (name == pasted) return false;
      name = pasted;
      break;
    }
    case 9:
      if (source.dataType == DataType::None) {
        if (target.dataType == DataType::None) return false;
        target.item.reset();
        target.dataType = DataType::None;
      } else {
        CopyItem(target, source);
      }
      break;
    default: return false;
  }
  RefreshAfterModelEdit(model);
  RefuseRowsBreakingRules(model, {row});
  return true;
}

}  // namespace

bool InsertLayoutRow(Model& model, int row) {
  if (row <= 1 || row > model.rowCount) return false;
  if (model.rowCount >= kMaxLayoutRows) throw std::string(kMaxRowsMessage);
  OpenRowGap(model, row);
  RefreshAfterModelEdit(model);
  return true;
}

void ReadCopyRange(const std::string& fromText, const std::string& toText, int rowCount, int& from, int& to) {
  if (fromText.empty()) ThrowRequiredField("From  # ");
  from = ParseRowField(fromText, "From  #");
  if (from > rowCount) throw std::string("From  #  > number of rows");
  to = toText.empty() ? from : ParseRowField(toText, "To  #");
  if (to < from) throw std::string("From  #  > To  #");
  if (to > rowCount) to = rowCount;
}

void CopyLayoutRows(const Model& model, int from, int to) {
  Spent() = CopyState();
  CopyState& state = Copied();
  state = CopyState();
  state.from = from;
  state.to = to;
  state.single = from == to;
  if (state.single) return;
  state.rows.resize(static_cast<std::size_t>(to - from + 1));
  for (int number = from; number <= to; ++number)
    CopyLayoutRow(state.rows[static_cast<std::size_t>(number - from)], model.row(number));
}

void CopyCurrentRow(int row) {
  Spent() = CopyState();
  CopyState& state = Copied();
  state = CopyState();
  state.from = state.to = row;
  state.single = true;
}

bool HasCopiedRows() { return Copied().single || !Copied().rows.empty(); }

void ForgetCopiedRows() {
  Copied() = CopyState();
  Spent() = CopyState();
}

void GiveBackRefusedPaste() {
  if (!HasCopiedRows()) Copied() = std::exchange(Spent(), CopyState());
}

bool PasteRows(Model& model, int row, int column) {
  if (Copied().single && !PasteTargetEditable(model, row, column)) {
    ErrorBeep();
    return false;
  }
  Spent() = std::exchange(Copied(), CopyState());
  const CopyState& state = Spent();
  if (!state.rows.empty()) return PasteSeveral(model, state.rows);
  if (!state.single || state.from < 1 || state.from > model.rowCount || state.from == row) return false;
  // The source is read before the target changes, in case both are one row.
  LayoutRow source;
  CopyLayoutRow(source, model.row(state.from));
  return PasteColumn(model, source, row, column);
}

int CombineWithPreviousRow(Model& model, int row, HWND owner) {
  if (row <= 1 || row > model.rowCount) return 0;
  const ElementType own = model.row(row).elementType;
  if (own != ElementType::Pipe && own != ElementType::Bend && own != ElementType::JacketedPipe &&
      own != ElementType::JacketedBend)
    return 0;
  const int previous = PreviousElementRow(model, row);
  if (previous <= 1) return 0;
  const LayoutRow& merged = model.row(previous);
  if (merged.elementType != ElementType::Pipe && merged.elementType != ElementType::JacketedPipe) return 0;
  // Coordinates of an absolute row are no offset to add.
  if (merged.absolute) return 0;
  // The previous row goes as Delete takes a row: with its checks first.
  if (std::string refusal = RowDeletionRefusal(model, previous, previous); !refusal.empty()) throw refusal;
  if (merged.dataType != DataType::None &&
      !MessageBoxDialog(owner, "Element has data type defined. Combining element will remove data!", IDNO))
    return 0;
  const float added[3] = {merged.dx, merged.dy, merged.dz};
  if (!DeleteLayoutRows(model, previous, previous, owner)) return 0;
  LayoutRow& target = model.row(row - 1);
  if (!target.absolute) {
    target.dx += added[0];
    target.dy += added[1];
    target.dz += added[2];
  }
  RefreshAfterModelEdit(model);
  RefuseRowsBreakingRules(model, {row - 1});
  return row - 1;
}
