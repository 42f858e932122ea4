// Deleting rows (see DeleteRows.h). Node numbers are compared as plain
// numbers: a derived node (numbers above 100000) counts as the node it was
// derived from.
#include "editing/DeleteRows.h"

#include <cstdio>

#include "editing/LayoutTable.h"
#include "editing/TypePickers.h"
#include "elements/Bend.h"
#include "elements/CommentData.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowOperations.h"
#include "platform/Dialog.h"
#include "services/DialogHelper.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/WindowUtilities.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/SkewedRestraint.h"

namespace {

constexpr int kFromField = 1301;
constexpr int kToField = 1302;

std::int32_t Plain(std::int32_t node) { return node > 100000 ? node % 100000 : node; }

bool IsBendRow(const LayoutRow& row) {
  return row.elementType == ElementType::Bend || row.elementType == ElementType::JacketedBend;
}

std::int32_t ConnectedNodeOf(const LayoutRow& row) {
  if (const auto* item = dynamic_cast<const SkewedRestraint*>(row.item.get())) return item->connectedNode;
  if (const auto* item = dynamic_cast<const Hanger*>(row.item.get())) return item->connectedNode;
  if (const auto* item = dynamic_cast<const Guide*>(row.item.get())) return item->connectedNode;
  if (const auto* item = dynamic_cast<const LimitStop*>(row.item.get())) return item->connectedNode;
  return 0;
}

// The node numbers a deleted row takes with it: its node and, for a bend,
// its intermediate nodes.
std::vector<std::int32_t> NodesOfRow(const LayoutRow& row) {
  std::vector<std::int32_t> nodes{row.node};
  if (IsBendRow(row))
    if (const auto* bend = dynamic_cast<const Bend*>(row.element.get()))
      for (std::int32_t id : {bend->intermediateNode1, bend->intermediateNode2})
        if (id != 0) nodes.push_back(id);
  return nodes;
}

std::string ConnectedItemRefusal(const Model& model, int from, int to, int r) {
  const std::vector<std::int32_t> nodes = NodesOfRow(model.row(r));
  for (int j = 1; j <= model.rowCount; ++j) {
    if (j >= from && j <= to) continue;
    const std::int32_t connected = Plain(ConnectedNodeOf(model.row(j)));
    if (connected == 0) continue;
    for (std::int32_t node : nodes)
      if (Plain(node) == connected) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "Deletion is not possible. LimitStop/Hanger/etc. at row %d \nis connected to this element (row %d).",
                      j, r);
        return text;
      }
  }
  return {};
}

// A Location row outside the range at a node the deleted row `r` made: the
// Location would name a node that no longer exists.
std::string LocationRefusal(const Model& model, int from, int to, int r) {
  for (std::int32_t node : NodesOfRow(model.row(r))) {
    const int index = FindNodeIndex(model.nodes, node);
    if (node == 0 || index == 0 || model.nodes[index].row != r) continue;
    for (int j = 1; j <= model.rowCount; ++j) {
      if (j >= from && j <= to) continue;
      const LayoutRow& location = model.row(j);
      if (location.elementType != ElementType::Location || location.node != node) continue;
      char text[160];
      std::snprintf(text, sizeof text, "Element at Node %d is referred by Location at row %d. \nHence cannot be deleted.",
                    model.row(r).node, j);
      return text;
    }
  }
  return {};
}

std::string NodeReferenceRefusal(const Model& model, std::int32_t node, std::int32_t shown) {
  const std::int32_t n = Plain(node);
  if (n == 0) return {};
  char text[200];
  for (int i = 1; i <= model.allowables.count; ++i)
    if (Plain(model.allowables[i].node) == n) {
      std::snprintf(text, sizeof text, "Element at Node %d is referred by Allowable at '%d'. \nHence cannot be deleted.",
                    shown, model.allowables[i].node);
      return text;
    }
  for (int i = 1; i <= model.pumps.count; ++i) {
    const Pump& pump = model.pumps[i];
    if (Plain(pump.suctionNode) == n || Plain(pump.dischargeNode) == n) {
      std::snprintf(text, sizeof text, "Element at Node %d is referred by Pump '%s'. \nHence cannot be deleted.", shown,
                    pump.name.c_str());
      return text;
    }
  }
  auto holds = [n](const RotatingEquipment& e) {
    for (std::int32_t id : {e.inletNode, e.exhaustNode, e.extractionNode1, e.extractionNode2})
      if (Plain(id) == n) return true;
    return false;
  };
  for (int i = 1; i <= model.compressors.count; ++i)
    if (holds(model.compressors[i])) {
      std::snprintf(text, sizeof text, "Element at Node %d is referred by Compressor '%s'. \nHence cannot be deleted.",
                    shown, model.compressors[i].description.c_str());
      return text;
    }
  for (int i = 1; i <= model.turbines.count; ++i)
    if (holds(model.turbines[i])) {
      std::snprintf(text, sizeof text, "Element at Node %d is referred by Turbine '%s'. Hence cannot be deleted.",
                    shown, model.turbines[i].description.c_str());
      return text;
    }
  return {};
}

// Whether `model` makes node `id` (0 names none); a derived node counts as
// the node it was derived from, as the deletion checks compare them.
bool NodeIsMade(const Model& model, std::int32_t id) {
  return id == 0 || FindNodeIndex(model.nodes, id) != 0 || FindNodeIndex(model.nodes, Plain(id)) != 0;
}

// The question before rows go that make the node a branch starts "From"
// further on: the branch would lose its start and stand at (0, 0, 0),
// joined to nothing. Empty when no branch starts at such a node.
std::string BranchStartQuestion(const Model& model, int from, int to) {
  for (int j = 1; j <= model.rowCount; ++j) {
    if (j >= from && j <= to) continue;
    const LayoutRow& row = model.row(j);
    if (row.elementType != ElementType::From) continue;
    const int index = FindNodeIndex(model.nodes, row.node);
    if (index == 0 || model.nodes[index].row < from || model.nodes[index].row > to) continue;
    char text[200];
    std::snprintf(text, sizeof text,
                  "The branch \"From\" node %s at row %d starts at a node these rows make; it will lose "
                  "its position.\nDelete the rows anyway?",
                  NodeNumberText(row.node), j);
    return text;
  }
  return {};
}

// --- the dialog ---------------------------------------------------------------

struct DeleteDialogState {
  DialogHelper helper;
  int currentRow = 0;
  bool refused = false;  // a deletion was refused, its message shown
};

// The dialog's end after a deletion it refused and none since.
constexpr INT_PTR kCancelledAfterRefusal = 2;

DeleteDialogState& StateOf(HWND dialog) {
  return *reinterpret_cast<DeleteDialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
}

void OnInit(HWND dialog, DeleteDialogState& state) {
  state.helper.DialogBind(dialog);
  const int row = state.currentRow;
  if (row >= 2 && row <= TheModel().rowCount) {
    state.helper.DialogSetItemText(kFromField, IntegerToText(row));
    state.helper.DialogSetItemText(kToField, IntegerToText(row));
    state.helper.DialogSelectAndFocus(kToField);
  } else {
    state.helper.DialogFocusItem(kFromField);
  }
  CenterWindowOnParent(dialog, IDOK);
}

// Reads a row field: empty gives `empty` (0 = required), otherwise a whole
// number of at least 1.
int ReadRowField(DialogHelper& helper, int item, const char* label, int empty) {
  helper.DialogGetItemText(item);
  if (g_EditFieldText.empty()) {
    if (empty == 0) ThrowRequiredField(std::string(label) + " ");
    return empty;
  }
  std::int32_t value = 0;
  if (ParseFieldInteger(value) != 0 || value < 1) ThrowInvalidField(label);
  return value;
}

void OnOk(HWND dialog, DeleteDialogState& state) {
  Model& model = TheModel();
  DialogHelper& helper = state.helper;
  int from = 0, to = 0;
  try {
    const int first = FirstFromRow(model);
    from = ReadRowField(helper, kFromField, "From  #", 0);
    if (from == 1) throw std::string("Title cannot be deleted");
    if (from == first) throw std::string("First \"From\" row cannot be deleted");
    if (from > model.rowCount) throw std::string("From  #  > number of rows");
    to = ReadRowField(helper, kToField, "To  #", from);
    if (to == first) throw std::string("First \"From\" row cannot be deleted");
    if (from > to) throw std::string("From  #  > To  #");
  } catch (const std::string& message) {
    helper.DialogFocusInvalid(message);
    return;
  }
  if (to > model.rowCount) to = model.rowCount;
  state.refused = !DeleteLayoutRows(model, from, to, dialog);
  if (!state.refused) EndDialog(dialog, 1);
}

}  // namespace

std::string RowDeletionRefusal(const Model& model, int from, int to) {
  for (int r = from; r <= to; ++r) {
    std::string refusal = ConnectedItemRefusal(model, from, to, r);
    if (!refusal.empty()) return refusal;
    const LayoutRow& row = model.row(r);
    for (std::int32_t node : NodesOfRow(row)) {
      refusal = NodeReferenceRefusal(model, node, row.node);
      if (!refusal.empty()) return refusal;
    }
    refusal = LocationRefusal(model, from, to, r);
    if (!refusal.empty()) return refusal;
  }
  return {};
}

// A record that names a node no row makes is broken at that node: no row
// moves it, and a renumbering that leaves it unmade leaves its number.
void UnmadeNodeReferences(const Model& model, const Model& maker, std::vector<BrokenRule>& broken) {
  const std::string kind = "node reference";
  auto refuse = [&](const char* record, std::int32_t node) {
    // The deletion's message for the row that made the node: it names the
    // first of the records that refer to it.
    if (std::string refusal = NodeReferenceRefusal(model, node, Plain(node)); !refusal.empty())
      broken.push_back({kind, std::string(record) + " names " + std::to_string(node), std::move(refusal)});
  };
  for (int i = 1; i <= model.allowables.count; ++i)
    if (!NodeIsMade(model, model.allowables[i].node)) refuse("allowable", model.allowables[i].node);
  for (int i = 1; i <= model.pumps.count; ++i)
    for (std::int32_t node : {model.pumps[i].suctionNode, model.pumps[i].dischargeNode})
      if (!NodeIsMade(model, node)) refuse("pump", node);
  for (const auto* table : {&model.compressors, &model.turbines})
    for (int i = 1; i <= table->count; ++i) {
      const RotatingEquipment& e = (*table)[i];
      for (std::int32_t node : {e.inletNode, e.exhaustNode, e.extractionNode1, e.extractionNode2})
        if (!NodeIsMade(model, node)) refuse(table == &model.compressors ? "compressor" : "turbine", node);
    }
  for (int j = 1; j <= model.rowCount; ++j) {
    const std::int32_t connected = Plain(ConnectedNodeOf(model.row(j)));
    if (NodeIsMade(model, connected)) continue;
    const int index = FindNodeIndex(maker.nodes, connected);
    char text[160];
    std::snprintf(text, sizeof text,
                  "Deletion is not possible. LimitStop/Hanger/etc. at row %d \nis connected to this element (row %d).", j,
                  index != 0 ? maker.nodes[index].row : j);
    broken.push_back({kind, RowPlace(model, j), text});
  }
}

bool DeleteLayoutRows(Model& model, int from, int to, HWND owner) {
  if (from < 1 || to > model.rowCount || from > to) return false;
  const std::string refusal = RowDeletionRefusal(model, from, to);
  if (!refusal.empty()) {
    ShowErrorMessage(owner, refusal);
    return false;
  }
  if (const std::string question = BranchStartQuestion(model, from, to);
      !question.empty() && !MessageBoxDialog(owner, question, IDNO))
    return false;
  const int removed = to - from + 1;
  for (int r = from; r <= to; ++r) FreeRowObjects(model.row(r));
  for (int r = from; r + removed <= model.rowCount + 1; ++r) model.row(r) = std::move(model.row(r + removed));
  for (int r = model.rowCount - removed + 2; r <= model.rowCount + 1; ++r) model.row(r) = LayoutRow();
  model.rowCount -= removed;
  if (model.currentRow > model.rowCount + 1) model.currentRow = model.rowCount + 1;
  RefreshAfterModelEdit(model);
  return true;
}

bool DeleteCurrentRow(LayoutTable& table, HWND owner) {
  Model& model = TheModel();
  const int row = table.currentRow;
  if (row > model.rowCount) {
    ClearLayoutRow(model.row(row));
    TableDrawRow(table, row);
    return false;
  }
  if (row == 1) {
    if (auto* comment = dynamic_cast<CommentData*>(model.row(1).element.get())) comment->SetText("Title = ");
    model.title.clear();
    model.modified = true;
    TableDrawRow(table, 1);
    return true;
  }
  if (row == FirstFromRow(model)) {
    ErrorBeep();
    throw std::string("First \"From\" row cannot be deleted");
  }
  if (std::string refusal = RowDeletionRefusal(model, row, row); !refusal.empty()) throw refusal;
  return DeleteLayoutRows(model, row, row, owner);
}

INT_PTR DeleteRowsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      OnInit(dialog, *reinterpret_cast<DeleteDialogState*>(lParam));
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) OnOk(dialog, StateOf(dialog));
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, StateOf(dialog).refused ? kCancelledAfterRefusal : 0);
      return TRUE;
    default: return FALSE;
  }
}

int DeleteRowsDialog(HWND owner, int currentRow) {
  DeleteDialogState state;
  state.currentRow = currentRow;
  const INT_PTR result =
      DialogBoxParam(InstanceHandle, "DELETE_ELEMENTS_DIALOG", owner, DeleteRowsDialogProc, reinterpret_cast<LPARAM>(&state));
  if (result == kCancelledAfterRefusal) return -1;
  return result == 1 ? 1 : 0;
}
