// The material library's dialogs; see MaterialLibraryDialogs.h.
#include "properties/MaterialLibraryDialogs.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "model/EditSteps.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Paint.h"
#include "platform/Rect.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "properties/DialogTable.h"
#include "properties/MaterialLibrary.h"
#include "properties/MaterialLibraryWindow.h"
#include "properties/PropertyTables.h"
#include "services/DialogHelper.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NameTables.h"
#include "services/ProgramContext.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kCombo = 1201;
constexpr int kAllEnglish = 1001, kAllSi = 1002, kAllMetric = 1003;
constexpr int kCodeText = 1501, kTablePlace = 1500, kLibraryButton = 1001;
constexpr int kVisibleRows = 12;
// The units each kind offers here, and those of the system buttons, in the
// order of the library's kinds (density, temperature, modulus, expansion,
// stress).
constexpr int kOffered[kLibraryUnitCount] = {4, 2, 4, 2, 4};
constexpr int kSiUnits[kLibraryUnitCount] = {2, 1, 1, 1, 1};
constexpr int kMetricUnits[kLibraryUnitCount] = {2, 1, 3, 1, 3};

// --- piping code ---------------------------------------------------------------

INT_PTR CodeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  static DialogHelper helper;
  switch (message) {
    case WM_INITDIALOG:
      helper.DialogBind(dialog);
      helper.DialogComboReset(kCombo);
      for (int position = 0; position < kPipingCodePositions; ++position)
        helper.DialogComboAddString(PipingCodeLongName(position));
      helper.DialogComboSetSel(kCombo, std::max(CodeListPosition(TheModel().options.PipingCode), 0));
      CenterWindowOnParent(dialog, IDOK);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        Model& model = TheModel();
        const int position = helper.DialogComboGetSel(kCombo);
        const std::int32_t code = CodeAtListPosition(position);
        if (position < 0 || code == model.options.PipingCode) {
          EndDialog(dialog, 0);
          return TRUE;
        }
        model.options.PipingCode = code;
        model.modified = true;
        EndDialog(dialog, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

// --- units ---------------------------------------------------------------------

void SelectSystem(DialogHelper& helper, const int* units) {
  for (int i = 0; i < kLibraryUnitCount; ++i) helper.DialogComboSetSel(kCombo + i, units == nullptr ? 0 : units[i]);
}

INT_PTR UnitsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  static DialogHelper helper;
  switch (message) {
    case WM_INITDIALOG:
      helper.DialogBind(dialog);
      for (int i = 0; i < kLibraryUnitCount; ++i) {
        const int kind = kLibraryUnitKinds[i];
        const int current = ChosenUnit(kind);
        // A unit beyond this list (another window may choose one) is offered
        // while it is the current one, so OK keeps it.
        const int count = std::min(std::max(kOffered[i], current + 1), UnitCount(kind));
        helper.DialogComboReset(kCombo + i);
        for (int index = 0; index < count; ++index) helper.DialogComboAddString(UnitLabelAt(kind, index));
        helper.DialogCurrentComboSetSel(current);
      }
      CenterWindowOnParent(dialog, IDOK);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kAllEnglish: SelectSystem(helper, nullptr); return TRUE;
        case kAllSi: SelectSystem(helper, kSiUnits); return TRUE;
        case kAllMetric: SelectSystem(helper, kMetricUnits); return TRUE;
        case IDOK: {
          for (int i = 0; i < kLibraryUnitCount; ++i) {
            const int selected = helper.DialogComboGetSel(kCombo + i);
            if (selected >= 0 && selected < UnitCount(kLibraryUnitKinds[i]))
              g_UnitsSettings.unit[kLibraryUnitKinds[i]] = selected;
          }
          Model& model = TheModel();
          model.unitChoices = ProgramUnitChoices();
          model.modified = true;
          EndDialog(dialog, 1);
          return TRUE;
        }
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

// --- the picker ----------------------------------------------------------------

std::string LibraryTitle() {
  const std::string& path = MaterialLibraryPath();
  std::string text;
  if (!path.empty()) {
    const std::size_t separator = path.find_last_of("/\\");
    text = separator == std::string::npos ? path : path.substr(separator + 1);
    if (separator != std::string::npos) AppendFolderInParens(text, path.substr(0, separator + 1));
  }
  return "Material Library - [" + text + "]";
}

std::string CodeText() {
  return std::string("Piping code : ") +
         PipingCodeShortName(std::max(CodeListPosition(LoadedMaterialLibrary().pipingCode), 0));
}

class PickTable : public DialogTableWindow {
 public:
  void DefineColumns() override {
    HDC dc = Dc();
    int width = DcTextWidth(dc, HeadingText(1, 0));
    const MaterialLibrary& library = LoadedMaterialLibrary();
    for (int row = 1; row <= library.materials.count; ++row)
      width = std::max(width, DcTextWidth(dc, library.materials[row].description));
    // The column fills the room the code line takes.
    widths[1] = std::max(width, minimumWidth);
  }
  std::string HeadingText(int column, int) override { return column == 1 ? "Material Description" : ""; }
  std::string CellText(int row, int column, int) override {
    const MaterialLibrary& library = LoadedMaterialLibrary();
    if (column != 1 || row < 1 || row > library.materials.count) return {};
    return library.materials[row].description;
  }
  void DoubleClick() override {
    if (HWND dialog = GetParent(Window())) PostMessage(dialog, WM_COMMAND, IDOK, 0);
  }
  int minimumWidth = 0;
  POINT origin{0, 0};  // where the table's top left belongs in the dialog
};

// The table where static 1500 stood (under the code line), the buttons in
// a row under the table, the dialog around them.
void LayOut(HWND dialog, PickTable& table) {
  SetWindowText(dialog, LibraryTitle().c_str());
  SetDlgItemText(dialog, kCodeText, CodeText().c_str());
  ShowWindow(GetDlgItem(dialog, kCodeText), SW_SHOW);
  HDC dc = GetDC(dialog);
  table.minimumWidth = DcTextWidth(dc, CodeText());
  ReleaseDC(dialog, dc);
  const int rows = LoadedMaterialLibrary().materials.count;
  const std::vector<std::pair<int, int>> buttons{{IDOK, 8}, {IDCANCEL, 56}, {kLibraryButton, 104}};
  LayoutDialogTable(dialog, table, rows, 1, 1, kVisibleRows, buttons);
  // The column fills the dialog's width (which its caption and buttons may
  // have set), less the frame edges and the scroll bar.
  RECT inside{};
  GetClientRect(dialog, &inside);
  const int fill = inside.right - 2 * table.place.left - 2 * GetSystemMetrics(SM_CXEDGE) -
                   (rows > kVisibleRows ? GetSystemMetrics(SM_CXVSCROLL) : 1);
  if (fill > table.widths[1]) {
    table.minimumWidth = fill;
    LayoutDialogTable(dialog, table, rows, 1, 1, kVisibleRows, buttons);
  }
  // The layout puts the table at the top left; it moves down to its place,
  // and the buttons and the dialog's bottom with it.
  const int shift = std::max(table.origin.y - table.place.top, 0);
  if (shift == 0) return;
  OffsetRect(&table.place, 0, shift);
  TableFitWindow(table);
  for (int item : {IDOK, IDCANCEL, kLibraryButton}) {
    HWND button = GetDlgItem(dialog, item);
    if (button == nullptr) continue;
    RECT box{};
    GetWindowRect(button, &box);
    POINT at{box.left, box.top};
    ScreenToClient(dialog, &at);
    SetWindowPos(button, nullptr, at.x, at.y + shift, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  RECT client{};
  GetClientRect(dialog, &client);
  RECT frame{0, 0, client.right, client.bottom + shift};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLong(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLong(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
  CenterWindowOnParent(dialog, 0);
}

// The table takes the place of static 1500, as a child of the dialog
// itself, so that it lies in the dialog's coordinates with the buttons.
void CreateTable(HWND dialog, PickTable& table) {
  if (HWND frame = GetDlgItem(dialog, kTablePlace)) {
    RECT box{};
    GetWindowRect(frame, &box);
    table.origin = POINT{box.left, box.top};
    ScreenToClient(dialog, &table.origin);
    DestroyWindow(frame);
  }
  CreateDialogTable(dialog, table, 1, 1);
}

// "There are no materials in \n<path>": the path is forgotten.
void NoMaterials(HWND owner) {
  ShowErrorMessage(owner, "There are no materials in \n" + MaterialLibraryPath());
  ForgetMaterialLibraryPath();
}

INT_PTR PickProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      auto& table = *reinterpret_cast<PickTable*>(lParam);
      CreateTable(dialog, table);
      LayOut(dialog, table);
      return FALSE;
    }
    case WM_COMMAND: {
      auto& table = *reinterpret_cast<PickTable*>(GetWindowLongPtr(dialog, DWLP_USER));
      switch (LOWORD(wParam)) {
        case IDOK: EndDialog(dialog, table.currentRow); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case kLibraryButton:
          if (!OpenMaterialLibraryDialog(dialog)) return TRUE;
          if (LoadedMaterialLibrary().materials.count == 0) {
            NoMaterials(dialog);
            EndDialog(dialog, 0);
            return TRUE;
          }
          LayOut(dialog, table);
          return TRUE;
        default: return FALSE;
      }
    }
    default: return FALSE;
  }
}

}  // namespace

int MatlibCodeDialog(HWND owner) {
  return DialogBox(InstanceHandle, "MATLIB_CODE_DIALOG", owner, CodeProc) == 1 ? 1 : 0;
}

int MatlibUnitsDialog(HWND owner) {
  return DialogBox(InstanceHandle, "MATLIB_UNITS_DIALOG", owner, UnitsProc) == 1 ? 1 : 0;
}

int PickLibraryMaterial(HWND owner) {
  QV_ASSERT(LoadedMaterialLibrary().materials.count > 0 && "numlibmats");
  PickTable table;
  const INT_PTR chosen =
      DialogBoxParam(InstanceHandle, "LIBRARY_USE_DIALOG", owner, PickProc, reinterpret_cast<LPARAM>(&table));
  const int count = LoadedMaterialLibrary().materials.count;
  return chosen >= 1 && chosen <= count ? static_cast<int>(chosen) : 0;
}

bool CopyMaterialFromLibrary(HWND parent, int record) {
  Model& model = TheModel();
  if (record < 1 || record > model.materials.count + 1) return false;
  if (!EnsureMaterialLibraryLoaded(parent, true)) return false;
  const int picked = PickLibraryMaterial(parent);
  if (picked == 0) return false;
  const Material& chosen = LoadedMaterialLibrary().materials[picked];
  if (record > model.materials.capacity) ModelRecordTableGrow(model.materials, model.materials.capacity + 4);
  Material& current = model.materials[record];
  if (!current.description.empty() && current.description != chosen.description &&
      !ConfirmChange(parent, "Material", current.description, chosen.description))
    return false;
  return RunEdit(parent, [&] {
    const std::string name = current.name;
    current = chosen;
    current.name = name;
    return true;
  });
}
