// The specified-displacement dialogs SPEC_DISPL<n>_DIALOG (see
// DisplacementSets.h): one row of six fields per set of the set list,
// filled from the anchor's or nozzle's sets and stored back into them. The
// sets the list hides (a thermal load beyond the count, the seismic or
// settlement set of another code) are kept by the store as they are, so
// that lowering the count or changing the code for a while loses nothing.
// Start reading at StoreDialog.
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

#include "model/ListWindow.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/Regenerate.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/Assert.h"
#include "services/DialogHelper.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"
#include "supports/Anchor.h"
#include "supports/DisplacementSets.h"

std::uint8_t g_SpecDisplStored = 0;

namespace {

constexpr int kLcsCheck = 1101;
constexpr int kFirstHeading = 1113;
constexpr int kFirstRowLabel = 1501;
constexpr int kFirstUnitLabel = 1601;
constexpr int kFirstField = 1301;
constexpr std::array<const char*, 6> kGlobalHeadings{"X", "Y", "Z", "XX", "YY", "ZZ"};
constexpr std::array<const char*, 6> kLocalHeadings{"x", "y", "z", "xx", "yy", "zz"};

struct SpecDisplState {
  DialogHelper helper;
  HWND owner = nullptr;
  int row = 0;
  bool anchor = false;
  DisplacementSetList sets;
  DisplacementSets working;
  std::array<std::uint8_t, kDisplacementSlots> flags{};
  std::uint8_t inPipeLcs = 0;
};

SpecDisplState& State() {
  static SpecDisplState state;
  return state;
}

Model& M() { return TheModel(); }

int FieldOf(int position, int value) { return kFirstField + 6 * position + value; }

void ShowHeadings(DialogHelper& h, bool local) {
  for (int column = 0; column < 6; ++column)
    h.DialogSetItemText(kFirstHeading + column, (local ? kLocalHeadings : kGlobalHeadings)[static_cast<std::size_t>(column)]);
}

void Fill(HWND dialog, SpecDisplState& state) {
  DialogHelper& h = state.helper;
  QV_ASSERT(state.row != 0);
  h.DialogBind(dialog);
  state.sets = BuildSpecDisplSets();
  state.working = DisplacementSets{};
  state.flags.fill(0);
  state.inPipeLcs = 0;
  LayoutRow& row = M().row(state.row);
  const SpecifiedDisplacements* displacements = RowDisplacements(row);
  QV_ASSERT(displacements != nullptr);
  state.anchor = row.dataType == DataType::Anchor;
  const int count = static_cast<int>(state.sets.entries.size());
  for (int position = 1; position < count; ++position)
    h.DialogSetItemText(kFirstRowLabel + position,
                        DisplacementSetDialogLabel(state.sets.entries[static_cast<std::size_t>(position)].label));
  const std::string title = std::string("Specified Displacements for ") + (state.anchor ? "Anchor" : "Nozzle") +
                            " at node " + NodeNumberText(row.node);
  SetWindowText(dialog, title.c_str());
  if (state.anchor) {
    state.inPipeLcs = RowDisplacementsInPipeLcs(row) ? 1 : 0;
    h.DialogShowItem(kLcsCheck);
    h.DialogSetCheck(kLcsCheck, state.inPipeLcs != 0);
  }
  ShowHeadings(h, state.inPipeLcs != 0);
  state.flags = displacements->flags;
  if (displacements->HasAny() && displacements->sets) state.working = *displacements->sets;
  for (int position = 0; position < count; ++position) {
    const int first = state.sets.entries[static_cast<std::size_t>(position)].firstValue;
    for (int value = 0; value < 6; ++value) {
      const float v = state.working.values[static_cast<std::size_t>(first + value + 1)];
      if (v == 0.0f) continue;
      h.DialogSetItemText(FieldOf(position, value), value < 3 ? std::string(FormatDisplacement(v)) : RotationText(v));
    }
  }
  for (int unit = 0; unit < 6; ++unit)
    h.DialogSetUnitLabel(kFirstUnitLabel + unit, unit < 3 ? kUnitDisplacement : kUnitAngle);
  if (TableResultsShown()) {
    for (int position = 0; position < count; ++position)
      for (int value = 0; value < 6; ++value) h.DialogSetReadOnly(FieldOf(position, value));
    h.DialogDisableItem(kLcsCheck);
    h.DialogFocusItem(IDOK);
  } else {
    h.DialogSelectAndFocus(kFirstField);
  }
  CenterWindowOnParent(dialog, IDOK);
}

// Whether `window` is a frame's window or lies in it.
bool LiesIn(HWND window, HWND frame) {
  for (HWND at = window; at != nullptr && frame != nullptr; at = GetParent(at) ? GetParent(at) : GetWindow(at, GW_OWNER))
    if (at == frame) return true;
  return false;
}

bool Differs(const SpecDisplState& state, const SpecifiedDisplacements& stored, bool storedLcs) {
  const DisplacementSets none;
  const DisplacementSets& before = stored.HasAny() && stored.sets ? *stored.sets : none;
  for (const DisplacementSetEntry& entry : state.sets.entries)
    for (int value = 1; value <= 6; ++value) {
      const auto at = static_cast<std::size_t>(entry.firstValue + value);
      if (state.working.values[at] != before.values[at]) return true;
    }
  return state.anchor && (state.inPipeLcs != 0) != storedLcs;
}

void SetAnchorLcs(LayoutRow& row, std::uint8_t flag) {
  if (auto* anchor = dynamic_cast<Anchor*>(row.item.get())) anchor->DisplacementsInPipeLcs = flag;
}

// Reads every field; true when the dialog may close with 1.
bool StoreDialog(SpecDisplState& state) {
  DialogHelper& h = state.helper;
  // The sets the list does not show keep what they hold; the rows shown
  // are read over them.
  const SpecifiedDisplacements& held = *RowDisplacements(M().row(state.row));
  state.working = held.HasAny() && held.sets ? *held.sets : DisplacementSets{};
  state.flags.fill(0);
  for (std::size_t position = 0; position < state.sets.entries.size(); ++position) {
    const int first = state.sets.entries[position].firstValue;
    for (int value = 0; value < 6; ++value) {
      h.DialogGetItemText(FieldOf(static_cast<int>(position), value));
      float& target = state.working.values[static_cast<std::size_t>(first + value + 1)];
      const int bad = value < 3 ? ParseFieldDisplacement(target) : ParseFieldRotation(target);
      if (bad != 0) ThrowInvalidField("Displacement");
    }
  }
  state.inPipeLcs = state.anchor && h.DialogIsChecked(kLcsCheck) ? 1 : 0;
  LayoutRow& row = M().row(state.row);
  SpecifiedDisplacements& stored = *RowDisplacements(row);
  if (!Differs(state, stored, RowDisplacementsInPipeLcs(row))) return true;
  for (int slot = 0; slot < kDisplacementSlots; ++slot)
    for (int value = 1; value <= 6; ++value)
      if (state.working.values[static_cast<std::size_t>(6 * slot + value)] != 0.0f)
        state.flags[static_cast<std::size_t>(slot)] = 1;
  const bool any = std::any_of(state.flags.begin(), state.flags.end(), [](std::uint8_t f) { return f != 0; });
  if (any) {
    stored.flags = state.flags;
    if (state.anchor) SetAnchorLcs(row, state.inPipeLcs);
    if (!stored.sets) stored.sets = std::make_unique<DisplacementSets>();
    *stored.sets = state.working;
  } else if (stored.HasAny()) {
    stored.sets.reset();
    stored.flags.fill(0);
    if (state.anchor) SetAnchorLcs(row, 0);
  } else {
    // Only the axes of an anchor without sets changed: nothing to keep.
    return true;
  }
  RegenerateModel(M());
  RefreshAfterDataItemEdit(M(), state.row);
  if (LiesIn(state.owner, LayoutFrame().window) || LiesIn(state.owner, GraphicsFrame().window))
    SwitchListWindow(OpenSpecifiedDisplacementsTable);
  M().modified = true;
  g_SpecDisplStored = 1;
  return true;
}

void OnOk(HWND dialog, SpecDisplState& state) {
  if (TableResultsShown()) {
    EndDialog(dialog, 0);
    return;
  }
  try {
    if (StoreDialog(state)) EndDialog(dialog, 1);
  } catch (const std::string& message) {
    state.helper.DialogFocusInvalid(message);
  }
}

}  // namespace

INT_PTR SpecDisplDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  SpecDisplState& state = State();
  switch (message) {
    case WM_INITDIALOG:
      state.row = static_cast<int>(lParam);
      state.owner = GetWindow(dialog, GW_OWNER);
      Fill(dialog, state);
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog, state); return TRUE;
        case IDCANCEL:
          g_SpecDisplStored = 0;
          EndDialog(dialog, 0);
          return TRUE;
        case kLcsCheck:
          if (HIWORD(wParam) == BN_CLICKED) ShowHeadings(state.helper, state.helper.DialogIsChecked(kLcsCheck));
          return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

int RunSpecDisplDialog(HWND owner, int row) {
  const std::string name = SpecDisplDialogTemplate();
  return DialogBoxParam(InstanceHandle, name.c_str(), owner, SpecDisplDialogProc, row) == 1 ? 1 : 0;
}
