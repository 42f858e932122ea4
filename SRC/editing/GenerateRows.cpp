// Generate Rows (see GenerateRows.h).
#include "editing/GenerateRows.h"

#include <cstdio>
#include <set>

#include "elements/Bend.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowObjects.h"
#include "model/RowRules.h"
#include "platform/Dialog.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

enum Item : int { kFrom = 1301, kTo = 1302, kSets = 1303, kIncrement = 1304, kDx = 1305, kDy = 1306, kDz = 1307, kNoCheck = 1102 };

bool StartsALine(const Model& model, const GenerateRowsRequest& r, int row) {
  const ElementType type = model.row(row).elementType;
  return row == r.from && r.from != r.to && type != ElementType::Location && type != ElementType::From &&
         type != ElementType::Comment && type != ElementType::HydrotestLoad;
}

// The node numbers a row makes: its node, the start node of a run's first
// row, and a bend's two arc ends and intermediate nodes (counted for the
// limit, their numbers derived from the row's).
std::string NodeRefusal(const GenerateRowsRequest& r, std::int32_t node,
                        const std::set<std::int32_t>& existing) {
  if (node == 0 || node > 100000) return {};
  char text[160];
  const std::int32_t last = node + r.sets * r.nodeIncrement;
  if (last > 99999) {
    std::snprintf(text, sizeof text, "Node number = %d  >  99999\nGenerated from node %s\n", last, NodeNumberText(node));
    return text;
  }
  if (r.skipDuplicateCheck) return {};
  for (int k = 1; k <= r.sets; ++k) {
    const std::int32_t generated = node + k * r.nodeIncrement;
    if (existing.count(generated) != 0) {
      std::snprintf(text, sizeof text, "New node number %d  generated out of node %s\nalready exists", generated,
                    NodeNumberText(node));
      return text;
    }
  }
  return {};
}

struct GenerateState {
  DialogHelper helper;
  bool refused = false;  // the generation was refused, its message shown
};

// The dialog's end after a generation it refused and none since.
constexpr INT_PTR kCancelledAfterRefusal = 2;

int ReadRow(DialogHelper& helper, int item, const char* label, const char* small, const char* beyond, int rows) {
  helper.DialogGetItemText(item);
  if (g_EditFieldText.empty()) ThrowRequiredField(label);
  std::int32_t value = 0;
  if (ParseFieldInteger(value) != 0) ThrowInvalidField(label);
  if (value < 2) throw std::string(small);
  if (value > rows) throw std::string(beyond);
  return value;
}

int ReadCount(DialogHelper& helper, int item, const char* label) {
  helper.DialogGetItemText(item);
  if (g_EditFieldText.empty()) ThrowRequiredField(label);
  std::int32_t value = 0;
  if (ParseFieldInteger(value) != 0 || value < 1) ThrowInvalidField(label);
  return value;
}

float ReadLength(DialogHelper& helper, int item, const char* label) {
  helper.DialogGetItemText(item);
  float value = 0.0f;
  if (ParseFieldLength(value) != 0) ThrowInvalidField(label);
  return value;
}

void OnOk(HWND dialog, GenerateState& state) {
  DialogHelper& helper = state.helper;
  Model& model = TheModel();
  GenerateRowsRequest request;
  try {
    request.from = ReadRow(helper, kFrom, "From  #", "From  #  must be > 1", "From  #  > number of rows", model.rowCount);
    request.to = ReadRow(helper, kTo, "To  #", "To  #  must be > 1", "To  #  > number of rows", model.rowCount);
    if (request.from > request.to) throw std::string("From  #  > To  #");
    request.sets = ReadCount(helper, kSets, "Number of additional sets");
    request.nodeIncrement = ReadCount(helper, kIncrement, "Node increment");
    request.dx = ReadLength(helper, kDx, "X increment");
    request.dy = ReadLength(helper, kDy, "Y increment");
    request.dz = ReadLength(helper, kDz, "Z increment");
    request.skipDuplicateCheck = helper.DialogIsChecked(kNoCheck);
    helper.errorItem = kSets;
    state.refused = true;
    const std::string refusal = GenerateRowsRefusal(model, request);
    if (!refusal.empty()) throw refusal;
    GenerateRows(model, request);
  } catch (const std::string& message) {
    helper.DialogFocusInvalid(message);
    return;
  }
  EndDialog(dialog, 1);
}

}  // namespace

std::string GenerateRowsRefusal(const Model& model, const GenerateRowsRequest& r) {
  std::set<std::int32_t> existing;
  for (int i = 1; i <= model.nodes.count; ++i) existing.insert(model.nodes[i].id);
  long rows = 0, nodes = 0;
  for (int k = 1; k <= r.sets; ++k) {
    for (int row = r.from; row <= r.to; ++row) {
      const LayoutRow& source = model.row(row);
      ++rows;
      ++nodes;
      if (k == 1) {
        const std::string refusal = NodeRefusal(r, source.node, existing);
        if (!refusal.empty()) return refusal;
      }
      if (StartsALine(model, r, row)) {
        ++rows;
        ++nodes;
        const NodeRecord* start = source.startNode >= 1 && source.startNode <= model.nodes.count
                                      ? &model.nodes[source.startNode]
                                      : nullptr;
        if (k == 1 && start != nullptr) {
          const std::string refusal = NodeRefusal(r, start->id, existing);
          if (!refusal.empty()) return refusal;
        }
      }
      if (source.elementType == ElementType::Bend) {
        nodes += 2;
        if (const auto* bend = dynamic_cast<const Bend*>(source.element.get()))
          for (const std::int32_t arcNode : {bend->intermediateNode1, bend->intermediateNode2}) {
            if (arcNode == 0) continue;
            ++nodes;
            if (k > 1) continue;
            const std::string refusal = NodeRefusal(r, arcNode, existing);
            if (!refusal.empty()) return refusal;
          }
      }
    }
  }
  if (model.rowCount + rows > kMaxLayoutRows) return "Maximum number of rows exceeded";
  if (model.nodes.count + nodes >= 9991) return "Maximum number of nodes exceeded";
  return {};
}

namespace {

void AppendSets(Model& model, const GenerateRowsRequest& r) {
  for (int k = 1; k <= r.sets; ++k) {
    const std::int32_t shift = k * r.nodeIncrement;
    const struct {
      float x, y, z;
    } offset{static_cast<float>(k) * r.dx, static_cast<float>(k) * r.dy, static_cast<float>(k) * r.dz};
    for (int row = r.from; row <= r.to; ++row) {
      const LayoutRow& source = model.row(row);
      if (StartsALine(model, r, row) && source.startNode >= 1 && source.startNode <= model.nodes.count) {
        const NodeRecord& start = model.nodes[source.startNode];
        LayoutRow& added = model.row(++model.rowCount);
        added = LayoutRow();
        added.node = start.id + shift;
        added.absolute = source.absolute;
        added.elementType = ElementType::From;
        added.element = CreateElementData(ElementType::From);
        added.dx = start.x + offset.x;
        added.dy = start.y + offset.y;
        added.dz = start.z + offset.z;
        added.material = source.material;
        added.section = source.section;
        added.load = source.load;
      }
      LayoutRow& copy = model.row(++model.rowCount);
      CopyLayoutRow(copy, model.row(row));
      const LayoutRow& original = model.row(row);
      if (copy.node != 0) copy.node = original.node + shift;
      // A bend's arc nodes are generated nodes too: shifted as its own.
      if (BendRecord* bend = copy.element != nullptr ? copy.element->AsBend() : nullptr)
        for (std::int32_t* arcNode : {&bend->intermediateNode1, &bend->intermediateNode2})
          if (*arcNode != 0) *arcNode += shift;
      if (original.elementType == ElementType::From && original.endNode >= 1 && original.endNode <= model.nodes.count) {
        const NodeRecord& node = model.nodes[original.endNode];
        copy.dx = node.x + offset.x;
        copy.dy = node.y + offset.y;
        copy.dz = node.z + offset.z;
      }
      copy.startNode = copy.endNode = copy.runStart = copy.runEnd = 0;
    }
  }
}

}  // namespace

void GenerateRows(Model& model, const GenerateRowsRequest& r) {
  const int rows = model.rowCount;
  const bool modified = model.modified;
  try {
    AppendSets(model, r);
    RefreshAfterModelEdit(model);
    RefuseRowsBreakingRules(model, rows + 1, model.rowCount);
  } catch (const std::string&) {
    // Refused: the sets go again, so the dialog stays open on the model as
    // it was.
    for (int row = rows + 1; row <= model.rowCount; ++row) ClearLayoutRow(model.row(row));
    model.rowCount = rows;
    MakeModel(model);
    model.modified = modified;
    throw;
  }
}

INT_PTR GenerateRowsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      auto& state = *reinterpret_cast<GenerateState*>(lParam);
      state.helper.DialogBind(dialog);
      for (int item : {1605, 1606, 1607}) state.helper.DialogSetUnitLabel(item, kUnitLength);
      state.helper.DialogFocusItem(kFrom);
      CenterWindowOnParent(dialog, IDOK);
      return FALSE;
    }
    case WM_COMMAND: {
      auto& state = *reinterpret_cast<GenerateState*>(GetWindowLongPtr(dialog, DWLP_USER));
      if (LOWORD(wParam) == IDOK) OnOk(dialog, state);
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, state.refused ? kCancelledAfterRefusal : 0);
      return TRUE;
    }
    default: return FALSE;
  }
}

int GenerateRowsDialog(HWND owner) {
  GenerateState state;
  const INT_PTR result =
      DialogBoxParam(InstanceHandle, "GENERATE_DIALOG", owner, GenerateRowsDialogProc, reinterpret_cast<LPARAM>(&state));
  if (result == kCancelledAfterRefusal) return -1;
  return result == 1 ? 1 : 0;
}
