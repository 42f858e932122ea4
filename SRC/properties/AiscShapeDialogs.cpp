// The AISC family chooser and shape dialogs; see AiscShapeDialogs.h.
#include "properties/AiscShapeDialogs.h"

#include <array>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "properties/AiscShapes.h"
#include "records/BeamSection.h"
#include "services/Assert.h"
#include "services/ProgramContext.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kFirstGroupButton = 1400;
constexpr int kShapeList = 1701;
constexpr int kDoubleAngles = 8;
constexpr std::size_t kDescriptionLength = 15;

// What the dialogs remember while the program runs.
struct AiscChoices {
  int family = 1;
  std::array<int, kAiscFamilyCount + 1> group{};            // per family, 0-based
  std::array<std::vector<int>, kAiscFamilyCount + 1> shape;  // per family and group, 0-based in the group
};

AiscChoices& Choices() {
  static AiscChoices choices;
  return choices;
}

BeamSection& Work() {
  static BeamSection work;
  return work;
}

int& RememberedShape(int family, int group) {
  std::vector<int>& shapes = Choices().shape[static_cast<std::size_t>(family)];
  if (shapes.size() < static_cast<std::size_t>(AiscFamilyShapes(family).groupCount))
    shapes.resize(static_cast<std::size_t>(AiscFamilyShapes(family).groupCount), 0);
  return shapes[static_cast<std::size_t>(group)];
}

// --- the family chooser ---------------------------------------------------------

int FamilyOfButton(int id) {
  for (int family = 1; family <= kAiscFamilyCount; ++family)
    if (AiscFamily(family).radioButton == id) return family;
  return 0;
}

void InitFamilies(HWND dialog) {
  if (HWND doubleAngles = GetDlgItem(dialog, AiscFamily(kDoubleAngles).radioButton))
    ShowWindow(doubleAngles, SW_HIDE);
  const int family = Choices().family;
  CheckRadioButton(dialog, 1401, 1413, AiscFamily(family).radioButton);
  if (HWND button = GetDlgItem(dialog, AiscFamily(family).radioButton)) SetFocus(button);
  CenterWindowOnParent(dialog, IDOK);
}

// --- the shape dialogs -------------------------------------------------------------

struct ShapeDialogState {
  int family = 0;
  int shownGroup = -1;
};

ShapeDialogState& ShapeStateOf(HWND dialog) {
  return *reinterpret_cast<ShapeDialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
}

const AiscGroup& GroupOf(int family, int group) { return AiscFamilyShapes(family).groups[group]; }

// The list's selection becomes the remembered shape of the group shown.
void StoreSelection(HWND dialog, ShapeDialogState& state) {
  if (state.shownGroup < 0) return;
  const LRESULT selected = SendDlgItemMessage(dialog, kShapeList, LB_GETCURSEL, 0, 0);
  if (selected >= 0) RememberedShape(state.family, state.shownGroup) = static_cast<int>(selected);
}

void FillGroup(HWND dialog, ShapeDialogState& state, int group) {
  if (group == state.shownGroup) return;
  const AiscFamilyTable& table = AiscFamilyShapes(state.family);
  HWND list = GetDlgItem(dialog, kShapeList);
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  CheckRadioButton(dialog, kFirstGroupButton, kFirstGroupButton + table.groupCount - 1, kFirstGroupButton + group);
  const AiscGroup& g = GroupOf(state.family, group);
  for (int i = 0; i < g.count; ++i)
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(table.shapes[g.first + i].designation));
  if (g.count > 0) {
    const int remembered = RememberedShape(state.family, group);
    SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(remembered < g.count ? remembered : 0), 0);
  }
  state.shownGroup = group;
  Choices().group[static_cast<std::size_t>(state.family)] = group;
}

void InitShapes(HWND dialog, ShapeDialogState& state) {
  const AiscFamilyTable& table = AiscFamilyShapes(state.family);
  for (int group = 0; group < table.groupCount; ++group)
    if (table.groups[group].count == 0) EnableWindow(GetDlgItem(dialog, kFirstGroupButton + group), FALSE);
  int group = Choices().group[static_cast<std::size_t>(state.family)];
  if (group < 0 || group >= table.groupCount || table.groups[group].count == 0) group = 0;
  while (group < table.groupCount - 1 && table.groups[group].count == 0) ++group;
  FillGroup(dialog, state, group);
  SetFocus(GetDlgItem(dialog, kShapeList));
  CenterWindowOnParent(dialog, IDOK);
}

// The selected shape into the work record; false when none is selected.
bool TakeSelection(HWND dialog, const ShapeDialogState& state) {
  if (state.shownGroup < 0) return false;
  const LRESULT selected = SendDlgItemMessage(dialog, kShapeList, LB_GETCURSEL, 0, 0);
  const AiscGroup& group = GroupOf(state.family, state.shownGroup);
  if (selected < 0 || selected >= group.count) return false;
  const AiscShape& shape = AiscFamilyShapes(state.family).shapes[group.first + static_cast<int>(selected)];
  BeamSection& work = Work();
  work = BeamSection{};
  work.description = std::string(shape.designation).substr(0, kDescriptionLength);
  float* const fields[] = {&work.A, &work.Imaj, &work.Imin, &work.J, &work.Asmaj, &work.Asmin, &work.depth, &work.width};
  for (int i = 0; i < 8; ++i) *fields[i] = shape.values[i];
  return true;
}

void EndShapes(HWND dialog, ShapeDialogState& state, bool take) {
  StoreSelection(dialog, state);
  EndDialog(dialog, take && TakeSelection(dialog, state) ? 1 : 0);
}

}  // namespace

INT_PTR AiscFamilyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: InitFamilies(dialog); return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (const int family = FamilyOfButton(id); family != 0) {
        if (code != BN_SETFOCUS && code != BN_CLICKED) return FALSE;
        Choices().family = family;
        CheckRadioButton(dialog, 1401, 1413, id);
        if (code == BN_CLICKED) PostMessage(dialog, WM_COMMAND, IDOK, 0);
        return TRUE;
      }
      if (id == IDOK) {
        EndDialog(dialog, Choices().family);
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

INT_PTR AiscShapeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      InitShapes(dialog, *reinterpret_cast<ShapeDialogState*>(lParam));
      return FALSE;
    case WM_COMMAND: {
      ShapeDialogState& state = ShapeStateOf(dialog);
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      const int groups = AiscFamilyShapes(state.family).groupCount;
      if (id >= kFirstGroupButton && id < kFirstGroupButton + groups) {
        if (code != BN_SETFOCUS && code != BN_CLICKED) return FALSE;
        if (GroupOf(state.family, id - kFirstGroupButton).count == 0) return TRUE;
        StoreSelection(dialog, state);
        FillGroup(dialog, state, id - kFirstGroupButton);
        return TRUE;
      }
      if (id == kShapeList && code == LBN_DBLCLK) {
        EndShapes(dialog, state, true);
        return TRUE;
      }
      if (id == IDOK || id == IDCANCEL) {
        EndShapes(dialog, state, id == IDOK);
        return TRUE;
      }
      return FALSE;
    }
    default: return FALSE;
  }
}

bool AiscShapeTableSelect(HWND parent, int family) {
  QV_ASSERT(family >= 1 && family <= kAiscFamilyCount);
  ShapeDialogState state;
  state.family = family;
  return DialogBoxParam(InstanceHandle, AiscFamily(family).dialogTemplate, parent, AiscShapeDialogProc,
                        reinterpret_cast<LPARAM>(&state)) == 1;
}

bool AiscShapeFamilyDialog(HWND parent) {
  const INT_PTR family = DialogBoxParam(InstanceHandle, "AISC_SECTIONS_DIALOG", parent, AiscFamilyDialogProc, 0);
  if (family <= 0) return false;
  QV_ASSERT(family >= 1 && family <= kAiscFamilyCount);
  return AiscShapeTableSelect(parent, static_cast<int>(family));
}

const BeamSection& AiscWorkRecord() { return Work(); }

void ResetAiscShapeChoices() { Choices() = AiscChoices{}; }
