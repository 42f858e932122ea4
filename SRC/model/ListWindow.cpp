// The list menu, its dialog and the showing of lists (see ListWindow.h).
#include "model/ListWindow.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "model/Model.h"
#include "model/Regenerate.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/Frame.h"
#include "services/ListFrameState.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"
#include "services/WindowUtilities.h"

namespace {

// Every list in menu order.
constexpr const char* kListLabels[] = {
    "&Anchors", "&Allowables", "&Ball joints", "&Beam loads", "&Beam materials", "&Beam sections",
    "&Beams", "&Bellows", "&Bends", "&Branch points", "&Branch SIFs", "&Compressors",
    "&Concen. masses", "&Coordinates", "&Cut pipes", "&Elastic elements", "&Flanges", "&Forces",
    "&Force spectrums", "&Force sp loads", "&Guides", "&Hangers", "&Harmonic loads", "&Hinge joints",
    "&Jacket connections", "&Jacketed pipes", "&Limit stops", "&Loads", "&Materials", "&Miter bends",
    "&Nozzles", "&Nozzle stiffnesses", "&Pumps", "&Reducers", "&Restraints", "&Rigid elements",
    "&Sections", "&Skewed restraints", "&Slip joints", "&Snubbers", "&Soils", "&Specified displ",
    "&Spectrums", "&Threaded joints", "&Tie rods", "&Time Functions", "&Time Varying Loads", "&Turbines",
    "&User SIFs", "&Valves", "&Welds", "&Valve Library", "&Generic supports",
};
constexpr int kLabelCount = static_cast<int>(std::size(kListLabels));

struct ListKind {
  ListCondition condition = nullptr;
  ListOpener opener = nullptr;
};

struct ListMenuState {
  std::array<ListKind, kLabelCount> kinds{};
  std::vector<ListMenuEntry> entries;
  std::string templateName = "LIST_DIALOG3";
  ListOpener current = nullptr;
};

ListMenuState& State() {
  static ListMenuState state;
  return state;
}

constexpr int kFirstListButton = 1401;

void SetKind(const std::string& label, const ListKind& kind, bool& found) {
  found = false;
  for (int i = 0; i < kLabelCount; ++i) {
    if (label != kListLabels[i]) continue;
    State().kinds[static_cast<std::size_t>(i)] = kind;
    found = true;
    return;
  }
}

int EntryOfOpener(ListOpener opener) {
  const auto& entries = State().entries;
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].opener == opener) return static_cast<int>(i) + 1;
  return 0;
}

void ListDialogInit(HWND dialog) {
  const auto& entries = State().entries;
  const int count = static_cast<int>(entries.size());
  for (int i = 0; i < count; ++i) {
    HWND button = GetDlgItem(dialog, kFirstListButton + i);
    if (button == nullptr) break;
    SetWindowText(button, entries[static_cast<std::size_t>(i)].label.c_str());
    ShowWindow(button, SW_SHOW);
  }
  const int shown = std::max(EntryOfOpener(State().current), 1);
  CheckRadioButton(dialog, kFirstListButton, kFirstListButton + std::max(count, 1) - 1, kFirstListButton + shown - 1);
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner != nullptr) CenterWindowOnWindow(dialog, owner);
  if (HWND button = GetDlgItem(dialog, kFirstListButton + shown - 1)) SetFocus(button);
}

int CheckedEntry(HWND dialog) {
  const int count = static_cast<int>(State().entries.size());
  for (int i = 0; i < count; ++i)
    if (IsDlgButtonChecked(dialog, kFirstListButton + i) == BST_CHECKED) return i + 1;
  return 0;
}

// Opens the list of `opener`. The list shown opened again loads its cells
// afresh: what the user typed in one and has not stored yet stays in its
// cell, as typed, for him to store or drop.
void OpenAgain(ListOpener opener) {
  std::array<HeldTypedText, 2> typed{};
  if (opener == State().current)
    for (int which = 0; which < 2; ++which)
      if (TableWindow* table = TableOfWindow(ListTableWindow(which)))
        typed[static_cast<std::size_t>(which)] = TableHoldTypedText(*table);
  opener();
  for (const HeldTypedText& held : typed) TableGiveBackTypedText(held);
}

}  // namespace

bool RegisterListKind(const std::string& label, ListCondition condition, ListOpener opener) {
  bool found = false;
  SetKind(label, {condition, opener}, found);
  return found;
}

void ForgetListKinds() {
  State() = ListMenuState{};
}

std::string ListDialogTemplateName(int n) {
  static const std::array<std::pair<int, int>, 11> kSteps{
      {{40, 52}, {30, 40}, {24, 30}, {21, 24}, {18, 21}, {14, 18}, {12, 14}, {10, 12}, {8, 10}, {6, 8}, {3, 6}}};
  for (const auto& [above, size] : kSteps)
    if (n > above) return "LIST_DIALOG" + std::to_string(size);
  return "LIST_DIALOG3";
}

int BuildListMenu() {
  Model& model = TheModel();
  RecountModelItems(model);
  ListMenuState& state = State();
  state.entries.clear();
  for (int i = 0; i < kLabelCount; ++i) {
    const ListKind& kind = state.kinds[static_cast<std::size_t>(i)];
    if (kind.opener == nullptr) continue;
    const bool offered = kind.condition == nullptr || kind.condition(model);
    if (offered || kind.opener == state.current) state.entries.push_back({kListLabels[i], kind.opener});
  }
  state.templateName = ListDialogTemplateName(static_cast<int>(state.entries.size()));
  return static_cast<int>(state.entries.size());
}

const std::vector<ListMenuEntry>& ListMenuEntries() { return State().entries; }
const std::string& ListDialogTemplate() { return State().templateName; }
ListOpener CurrentListOpener() { return State().current; }
void SetCurrentListOpener(ListOpener opener) {
  State().current = opener;
  TheModel().listName = CurrentListLabel();
}

std::string CurrentListLabel() {
  const ListMenuState& state = State();
  if (state.current == nullptr) return {};
  for (int i = 0; i < kLabelCount; ++i)
    if (state.kinds[static_cast<std::size_t>(i)].opener == state.current) return kListLabels[i];
  return {};
}

INT_PTR ListDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: ListDialogInit(dialog); return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      const int count = static_cast<int>(State().entries.size());
      if (id >= kFirstListButton && id < kFirstListButton + count) {
        if (code != BN_SETFOCUS && code != BN_CLICKED) return FALSE;
        CheckRadioButton(dialog, kFirstListButton, kFirstListButton + count - 1, id);
        if (code == BN_CLICKED) EndDialog(dialog, id - kFirstListButton + 1);
        return TRUE;
      }
      if (id == IDOK) {
        EndDialog(dialog, CheckedEntry(dialog));
        return TRUE;
      }
      if (id == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    }
    default: return FALSE;
  }
}

int OpenListMenuDialog(HWND owner) {
  if (!TableResultsShown()) BuildListMenu();
  if (State().entries.empty()) return 0;
  const INT_PTR result = DialogBoxParam(nullptr, State().templateName.c_str(), owner, ListDialogProc, 0);
  return result > 0 ? static_cast<int>(result) : 0;
}

void ShowListByOpener(ListOpener opener) {
  if (opener == nullptr) return;
  // The list's own menu and accelerators come back before it shows.
  if (opener != State().current && !LeaveListFrameTool(ListFrame().window)) return;
  Frame& frame = ListFrame();
  if (frame.window != nullptr) FrameShow(frame);
  OpenAgain(opener);
}

void ShowList(int entry) {
  const auto& entries = State().entries;
  if (entry < 1 || entry > static_cast<int>(entries.size())) return;
  ShowListByOpener(entries[static_cast<std::size_t>(entry) - 1].opener);
}

void ShowNextList() {
  const int count = BuildListMenu();
  if (count == 0) return;
  const int at = EntryOfOpener(State().current);
  ShowList(at >= count ? 1 : at + 1);
}

void ShowPreviousList() {
  const int count = BuildListMenu();
  if (count == 0) return;
  const int at = EntryOfOpener(State().current);
  ShowList(at <= 1 ? count : at - 1);
}

void SwitchListWindow(ListOpener opener) {
  HWND window = ListFrame().window;
  if (window == nullptr || !IsWindowVisible(window) || State().current != opener || opener == nullptr) return;
  HWND focus = GetFocus();
  OpenAgain(opener);
  if (focus != nullptr && IsWindow(focus)) SetFocus(focus);
}

void RefreshListWindow() { SwitchListWindow(State().current); }

bool RestoreListWindow() {
  const std::string saved = TheModel().listName;
  if (saved.empty()) return false;
  BuildListMenu();
  for (const ListMenuEntry& entry : State().entries) {
    if (entry.label != saved) continue;
    ShowListByOpener(entry.opener);
    return CurrentListOpener() == entry.opener;
  }
  return false;
}

void ResetListWindow() {
  for (int which = 0; which < 2; ++which)
    if (HWND table = ListTableWindow(which)) TableWindowClose(table);
  if (ListFrame().window != nullptr) ShowWindow(ListFrame().window, SW_HIDE);
  State().current = nullptr;
  TheModel().listName.clear();
}

void ForgetShownListName() { TheModel().listName.clear(); }

