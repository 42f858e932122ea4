// Renumbering nodes (see RenumberNodes.h).
#include "editing/RenumberNodes.h"

#include <algorithm>
#include <set>
#include <vector>
#include <string>

#include "elements/Bend.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowOperations.h"
#include "model/RowRangeFields.h"
#include "platform/Dialog.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/Settings.h"
#include "services/WindowUtilities.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/SkewedRestraint.h"

namespace {

constexpr int kFromField = 1301, kToField = 1302, kStartField = 1303, kIncrementField = 1304;
constexpr std::int32_t kSuffixUnit = 100000;
constexpr const char* kTooLarge = "New node number > 99999";

// The values of the last use, proposed again when the dialog opens on row 1.
struct RenumberWork {
  int from = 0, to = 0;
  std::int32_t start = 0, increment = 0;
};
RenumberWork& Work() {
  static RenumberWork work;
  return work;
}

std::int32_t IncrementSetting(const Model& model) { return model.nodeIncrement > 0 ? model.nodeIncrement : 10; }

Bend* BendOf(LayoutRow& row) {
  if (row.elementType != ElementType::Bend && row.elementType != ElementType::JacketedBend) return nullptr;
  return dynamic_cast<Bend*>(row.element.get());
}
const Bend* BendOf(const LayoutRow& row) { return BendOf(const_cast<LayoutRow&>(row)); }

bool IsPlainNumber(std::int32_t n) { return n >= 1 && n < kSuffixUnit; }

std::int32_t* ConnectedNodeOf(LayoutRow& row) {
  if (auto* item = dynamic_cast<SkewedRestraint*>(row.item.get())) return &item->connectedNode;
  if (auto* item = dynamic_cast<Hanger*>(row.item.get())) return &item->connectedNode;
  if (auto* item = dynamic_cast<Guide*>(row.item.get())) return &item->connectedNode;
  if (auto* item = dynamic_cast<LimitStop*>(row.item.get())) return &item->connectedNode;
  return nullptr;
}

bool Map(const NodeNumberMap& map, std::int32_t& n) {
  const std::int32_t mapped = MapNodeNumber(map, n);
  if (mapped == n) return false;
  n = mapped;
  return true;
}

// --- the dialog --------------------------------------------------------------------

struct RenumberDialogState {
  DialogHelper helper;
  int currentRow = 0;
  Model* merged = nullptr;  // the model being merged, whose rows are renumbered
};

// The merge's use: every merged row, the start proposed after the open
// model's current row.
void OnInitMerged(HWND dialog, RenumberDialogState& state) {
  DialogHelper& helper = state.helper;
  const Model& open = TheModel();
  const std::int32_t increment = IncrementSetting(open);
  helper.DialogSetItemText(kFromField, IntegerToText(1));
  helper.DialogSetItemText(kToField, IntegerToText(state.merged->rowCount));
  EnableWindow(GetDlgItem(dialog, kFromField), FALSE);
  EnableWindow(GetDlgItem(dialog, kToField), FALSE);
  helper.DialogSetItemText(kIncrementField, IntegerToText(increment));
  const int current = std::min(std::max(open.currentRow, 1), std::max(open.rowCount, 1));
  const int previous = open.rowCount > 0 ? PreviousElementRow(open, current + 1) : 0;
  const NodeId after = previous > 0 ? open.row(previous).node : 0;
  helper.DialogSetItemText(kStartField, NodeNumberText(NextNodeNumber(open.nodes, after, increment)));
  helper.DialogFocusItem(kStartField);
  CenterWindowOnParent(dialog, IDOK);
}

void OnInit(HWND dialog, RenumberDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  if (state.merged != nullptr) {
    OnInitMerged(dialog, state);
    return;
  }
  const Model& model = TheModel();
  const RenumberWork& work = Work();
  const int from = state.currentRow;
  if (from >= 1 && from <= model.rowCount) helper.DialogSetItemText(kFromField, IntegerToText(from));
  if (from == 1) {
    if (work.to > 0 && work.to <= model.rowCount) helper.DialogSetItemText(kToField, IntegerToText(work.to));
    if (work.start > 0) helper.DialogSetItemText(kStartField, IntegerToText(work.start));
    if (work.increment > 0) helper.DialogSetItemText(kIncrementField, IntegerToText(work.increment));
  }
  helper.DialogFocusItem(kToField);
  CenterWindowOnParent(dialog, IDOK);
}

RenumberWork ReadFields(DialogHelper& helper) {
  const Model& model = TheModel();
  RenumberWork values;
  values.from = ReadFromRowField(helper, kFromField, model.rowCount);
  values.to = ReadToRowField(helper, kToField, values.from, model.rowCount, 0);
  helper.DialogGetItemText(kStartField);
  if (g_EditFieldText.empty()) ThrowRequiredField("Starting node number");
  std::int32_t plain = 0;
  const bool above = ParseFieldInteger(plain) == 0 && plain > kSuffixUnit;
  int code = ReadNodeNumberField(values.start);
  if (above || (code == kNodeOk && values.start > kSuffixUnit)) code = kNodeHasSuffix;
  if (code != kNodeOk) ThrowNodeError(code);
  helper.DialogGetItemText(kIncrementField);
  if (g_EditFieldText.empty()) ThrowRequiredField("Node increment");
  if (ParseFieldInteger(values.increment) != 0 || values.increment < 1) ThrowInvalidField("Node increment");
  return values;
}

// Start and increment, as the Layout use reads them.
void ReadStartAndIncrement(DialogHelper& helper, RenumberWork& values) {
  helper.DialogGetItemText(kStartField);
  if (g_EditFieldText.empty()) ThrowRequiredField("Starting node number");
  std::int32_t plain = 0;
  const bool above = ParseFieldInteger(plain) == 0 && plain > kSuffixUnit;
  int code = ReadNodeNumberField(values.start);
  if (above || (code == kNodeOk && values.start > kSuffixUnit)) code = kNodeHasSuffix;
  if (code != kNodeOk) ThrowNodeError(code);
  helper.DialogGetItemText(kIncrementField);
  if (g_EditFieldText.empty()) ThrowRequiredField("Node increment");
  if (ParseFieldInteger(values.increment) != 0 || values.increment < 1) ThrowInvalidField("Node increment");
}

void OnOkMerged(HWND dialog, RenumberDialogState& state) {
  RenumberWork values;
  NodeNumberMap map;
  try {
    ReadStartAndIncrement(state.helper, values);
    map = AssignMergedNodeNumbers(TheModel(), *state.merged, values.start, values.increment);
  } catch (const std::string& message) {
    state.helper.DialogFocusInvalid(message);
    return;
  }
  ApplyNodeNumberMap(*state.merged, map);
  EndDialog(dialog, 1);
}

void OnOk(HWND dialog, RenumberDialogState& state) {
  if (state.merged != nullptr) {
    OnOkMerged(dialog, state);
    return;
  }
  RenumberWork values;
  NodeNumberMap map;
  try {
    values = ReadFields(state.helper);
    map = AssignNewNodeNumbers(TheModel(), values.from, values.to, values.start, values.increment);
  } catch (const std::string& message) {
    state.helper.DialogFocusInvalid(message);
    return;
  }
  Work() = values;
  Model& model = TheModel();
  const bool changed = ApplyNodeNumberMap(model, map);
  if (changed) RefreshAfterModelEdit(model);
  EndDialog(dialog, changed ? 1 : 0);
}

INT_PTR RenumberProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      OnInit(dialog, *reinterpret_cast<RenumberDialogState*>(lParam));
      return FALSE;
    case WM_COMMAND: {
      auto& state = *reinterpret_cast<RenumberDialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
      if (LOWORD(wParam) == IDOK) OnOk(dialog, state);
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
      return TRUE;
    }
    default: return FALSE;
  }
}

int RunDialog(HWND owner, int currentRow) {
  RenumberDialogState state;
  state.currentRow = currentRow;
  const INT_PTR result =
      DialogBoxParam(InstanceHandle, "RENUMBER_NODES", owner, RenumberProc, reinterpret_cast<LPARAM>(&state));
  return result == 1 ? 1 : 0;
}

}  // namespace

NodeNumberMap AssignNewNodeNumbers(const Model& model, int from, int to, std::int32_t start, std::int32_t increment) {
  std::set<std::int32_t> range, kept;
  auto numbersOf = [](const LayoutRow& row, auto visit) {
    visit(row.node);
    if (const Bend* bend = BendOf(row)) {
      visit(bend->intermediateNode1);
      visit(bend->intermediateNode2);
    }
  };
  for (int r = from; r <= to; ++r)
    numbersOf(model.row(r), [&](std::int32_t n) {
      if (IsPlainNumber(n)) range.insert(n);
    });
  for (int r = 1; r <= model.rowCount; ++r) {
    if (r >= from && r <= to) continue;
    numbersOf(model.row(r), [&](std::int32_t n) {
      if (IsPlainNumber(n) && range.count(n) == 0) kept.insert(n);
    });
  }
  if (increment < 1) increment = 1;
  std::int64_t next = start;
  auto skipKept = [&] {
    while (next <= kMaxNodeNumber && kept.count(static_cast<std::int32_t>(next)) != 0) next += increment;
    if (next > kMaxNodeNumber) throw std::string(kTooLarge);
  };
  NodeNumberMap map;
  auto assign = [&](std::int32_t n) {
    if (!IsPlainNumber(n) || map.count(n) != 0) return;
    skipKept();
    map[n] = static_cast<std::int32_t>(next);
    next += increment;
  };
  for (int r = from; r <= to; ++r) numbersOf(model.row(r), assign);
  return map;
}

std::int32_t MapNodeNumber(const NodeNumberMap& map, std::int32_t n) {
  if (n == 0) return 0;
  const std::int32_t m = n % kSuffixUnit;
  const auto found = map.find(m);
  return found == map.end() ? n : found->second + (n - m);
}

bool ApplyNodeNumberMap(Model& model, const NodeNumberMap& map) {
  bool changed = false;
  for (int r = 1; r <= model.rowCount; ++r) {
    LayoutRow& row = model.row(r);
    changed |= Map(map, row.node);
    if (Bend* bend = BendOf(row)) {
      changed |= Map(map, bend->intermediateNode1);
      changed |= Map(map, bend->intermediateNode2);
    }
    if (std::int32_t* connected = ConnectedNodeOf(row)) changed |= Map(map, *connected);
  }
  for (int i = 1; i <= model.allowables.count; ++i) changed |= Map(map, model.allowables[i].node);
  for (int i = 1; i <= model.pumps.count; ++i) {
    changed |= Map(map, model.pumps[i].suctionNode);
    changed |= Map(map, model.pumps[i].dischargeNode);
  }
  for (auto* table : {&model.compressors, &model.turbines})
    for (int i = 1; i <= table->count; ++i) {
      RotatingEquipment& e = (*table)[i];
      for (std::int32_t* n : {&e.inletNode, &e.exhaustNode, &e.extractionNode1, &e.extractionNode2})
        changed |= Map(map, *n);
    }
  return changed;
}

bool RenumberRows(Model& model, int from, int to, std::int32_t start, std::int32_t increment) {
  const NodeNumberMap map = AssignNewNodeNumbers(model, from, to, start, increment);
  if (!ApplyNodeNumberMap(model, map)) return false;
  RefreshAfterModelEdit(model);
  return true;
}

NodeNumberMap AssignMergedNodeNumbers(const Model& open, const Model& merged, std::int32_t start,
                                      std::int32_t increment) {
  const NodeNumberMap map = AssignNewNodeNumbers(merged, 1, merged.rowCount, start, increment);
  // Every number the open model uses: its nodes (a derived node's number
  // included) and its bends' intermediate nodes.
  std::set<std::int32_t> used;
  for (int index = 1; index <= open.nodes.count; ++index) used.insert(open.nodes[index].id % kSuffixUnit);
  for (int r = 1; r <= open.rowCount; ++r)
    if (const Bend* bend = BendOf(open.row(r))) {
      used.insert(bend->intermediateNode1);
      used.insert(bend->intermediateNode2);
    }
  // In the order the numbers are handed out, so the message names the
  // first clash.
  std::vector<std::pair<std::int32_t, std::int32_t>> assigned(map.begin(), map.end());
  std::sort(assigned.begin(), assigned.end(),
            [](const auto& a, const auto& b) { return a.second < b.second; });
  for (const auto& [from, to] : assigned) {
    if (used.count(to) == 0) continue;
    std::string text = "New node number " + std::to_string(to) + "  generated out of node ";
    text += NodeNumberText(from);
    throw text + "\nalready exists";
  }
  return map;
}

int RenumberMergedNodes(HWND owner, Model& merged) {
  RenumberDialogState state;
  state.merged = &merged;
  const INT_PTR result =
      DialogBoxParam(InstanceHandle, "RENUMBER_NODES", owner, RenumberProc, reinterpret_cast<LPARAM>(&state));
  return result == 1 ? 1 : 0;
}

int RenumberNodesFromLayout(HWND owner, int currentRow) { return RunDialog(owner, currentRow); }

int RenumberNodesDialog(HWND owner) {
  RenumberWork& work = Work();
  const Model& model = TheModel();
  work.to = model.rowCount;
  work.start = 10;
  work.increment = IncrementSetting(model);
  return RunDialog(owner, 1);
}

bool AutoRenumberNodes(HWND owner) {
  Model& model = TheModel();
  Preferences& preferences = ProgramPreferences();
  if (preferences.startingNodeNumber == 0) preferences.startingNodeNumber = 10;
  const std::int32_t start = preferences.startingNodeNumber;
  const std::int32_t increment = IncrementSetting(model);
  // The row an Insert left empty keeps no node until it is typed: numbered,
  // it would be an element of no length, which no model may hold.
  NodeNumberMap map;
  try {
    map = AssignNewNodeNumbers(model, 1, model.rowCount, start, increment);
  } catch (const std::string&) {
    ShowInfoMessage(owner, "New node number > 99999. \nRenumbering skipped.");
    return false;
  }
  if (!ApplyNodeNumberMap(model, map)) return false;
  RefreshAfterModelEdit(model);
  return true;
}
