// Picking a library valve by diameter; see ValveLibraryPick.h.
#include "properties/ValveLibraryPick.h"

#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "platform/FileNames.h"
#include "platform/Paint.h"
#include "platform/Rect.h"
#include "platform/Window.h"
#include "properties/DialogTable.h"
#include "properties/PropertyTables.h"
#include "properties/ValveLibraryWindow.h"
#include "records/PipeDimensions.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/Settings.h"
#include "services/Units.h"

namespace {

constexpr int kSizeText = 1501, kLibraryButton = 1001;
constexpr int kColumns = 5;
constexpr int kVisibleRows = 8;

std::string Trimmed(const char* text) {
  std::string result = text;
  TrimBlanks(result);
  return result;
}

std::string LibraryTitle(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  std::string text = separator == std::string::npos ? path : path.substr(separator + 1);
  if (separator != std::string::npos) AppendFolderInParens(text, path.substr(0, separator + 1));
  return "Valve Library - [" + text + "]";
}

// The nominal size with the inch mark (the table's names carry it) and the
// Dimension unit label.
std::string SizeText(float diameter) {
  std::string size = NominalSizeOfDiameter(diameter);
  if (size.empty() || size.back() != '"') size += '"';
  return size + " " + UnitLabel(kUnitDimension);
}

struct PickRun {
  float diameter = 0.0f;
  std::vector<ValveLibraryEntry> valves;
};

class PickTable : public DialogTableWindow {
 public:
  explicit PickTable(const PickRun& run) : run_(run) {}
  void DefineColumns() override {
    HDC dc = Dc();
    for (int column = 1; column <= kColumns; ++column) {
      int width = DcTextWidth(dc, HeadingText(column, 0));
      for (int row = 1; row <= rowCount; ++row) width = std::max(width, DcTextWidth(dc, CellText(row, column, 0)));
      widths[static_cast<std::size_t>(column)] = width;
    }
  }
  std::string HeadingText(int column, int) override {
    static const char* const kHeadings[kColumns + 1] = {"", "Valves Description", "Weight", "Length", "Ctype",
                                                         "Rating"};
    return column >= 1 && column <= kColumns ? kHeadings[column] : "";
  }
  std::string CellText(int row, int column, int) override {
    if (row < 1 || row > static_cast<int>(run_.valves.size())) return {};
    const ValveLibraryEntry& valve = run_.valves[static_cast<std::size_t>(row) - 1];
    switch (column) {
      case 1: return valve.description;
      case 2: return valve.weight != 0.0f ? Trimmed(FormatWeight(valve.weight)) : std::string();
      case 3: return valve.length != 0.0f ? Trimmed(FormatLength(valve.length)) : std::string();
      case 4: return valve.connectionType;
      case 5: return valve.rating;
      default: return {};
    }
  }
  void DoubleClick() override {
    if (HWND dialog = GetParent(Window())) PostMessage(dialog, WM_COMMAND, IDOK, 0);
  }

 private:
  const PickRun& run_;
};

struct DialogState {
  PickRun* run = nullptr;
  PickTable* table = nullptr;
};

// Lays the table out under the size line and the buttons under the table.
void LayOut(HWND dialog, PickTable& table, int rows) {
  LayoutDialogTable(dialog, table, rows, 1, 1, kVisibleRows, {{IDOK, 8}, {IDCANCEL, 56}, {kLibraryButton, 104}});
  RECT line{};
  GetWindowRect(GetDlgItem(dialog, kSizeText), &line);
  const int shift = (line.bottom - line.top) + 6;
  OffsetRect(&table.place, 0, shift);
  TableFitWindow(table);
  for (int item : {IDOK, IDCANCEL, kLibraryButton}) {
    HWND button = GetDlgItem(dialog, item);
    RECT box{};
    GetWindowRect(button, &box);
    POINT at{box.left, box.top};
    ScreenToClient(dialog, &at);
    SetWindowPos(button, nullptr, at.x, at.y + shift, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  RECT frame{};
  GetWindowRect(dialog, &frame);
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + shift,
               SWP_NOMOVE | SWP_NOZORDER);
  InvalidateRect(dialog, nullptr, TRUE);
}

void ShowLibrary(HWND dialog, DialogState& state) {
  SetWindowText(dialog, LibraryTitle(TheValveLibrary().path).c_str());
  SetDlgItemText(dialog, kSizeText, ("Size = " + SizeText(state.run->diameter)).c_str());
  LayOut(dialog, *state.table, static_cast<int>(state.run->valves.size()));
}

void NoValvesMessage(HWND owner, float diameter) {
  ShowErrorMessage(owner, " Valve data not available for this diameter: " + SizeText(diameter));
}

INT_PTR PickProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      auto& state = *reinterpret_cast<DialogState*>(lParam);
      CreateDialogTable(dialog, *state.table, kColumns, 1);
      ShowLibrary(dialog, state);
      return FALSE;
    }
    case WM_COMMAND: {
      auto& state = *reinterpret_cast<DialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
      switch (LOWORD(wParam)) {
        case IDOK: EndDialog(dialog, state.table->currentRow); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case kLibraryButton: {
          if (!OpenValveLibraryFile(dialog)) return TRUE;
          std::vector<ValveLibraryEntry> valves = ValvesOfDiameter(TheValveLibrary(), state.run->diameter);
          if (valves.empty()) {
            NoValvesMessage(dialog, state.run->diameter);
            return TRUE;
          }
          state.run->valves = std::move(valves);
          ShowLibrary(dialog, state);
          return TRUE;
        }
        default: return FALSE;
      }
    }
    default: return FALSE;
  }
}

// A library in memory, else the preference's file, else one the user opens.
bool LoadLibrary(HWND owner) {
  const ValveLibrary& library = TheValveLibrary();
  if (!library.path.empty() || library.entries.count > 0) return true;
  const std::string& path = ProgramPreferences().valveLibraryPath;
  if (!path.empty() && platform::IsRegularFile(path)) return ReadValveLibrary(owner);
  return OpenValveLibraryFile(owner);
}

}  // namespace

std::vector<ValveLibraryEntry> ValvesOfDiameter(const ValveLibrary& library, float outsideDiameter) {
  std::vector<ValveLibraryEntry> valves;
  for (int index = 1; index <= library.entries.count; ++index)
    if (ValveDiameterMatches(library.entries[index].outsideDiameter, outsideDiameter))
      valves.push_back(library.entries[index]);
  return valves;
}

std::string NominalSizeOfDiameter(float outsideDiameter) {
  const PipeDimensionStandard& table = DimensionStandard(0);
  for (int row = 1; row < table.RowCount(); ++row) {
    const PipeSizeRow& size = table.rows[static_cast<std::size_t>(row)];
    if (ValveDiameterMatches(size.outsideDiameter, outsideDiameter)) return size.name;
  }
  return Trimmed(FormatDimension(outsideDiameter));
}

std::optional<ValveLibraryEntry> PickValveByDiameter(HWND owner, float outsideDiameter) {
  if (!LoadLibrary(owner)) return std::nullopt;
  ValveLibrary& library = TheValveLibrary();
  if (library.entries.count == 0) {
    ShowErrorMessage(owner, "There are no valves in \n" + library.path);
    ProgramPreferences().valveLibraryPath.clear();
    ClearValveLibrary(library);
    return std::nullopt;
  }
  PickRun run;
  run.diameter = outsideDiameter;
  run.valves = ValvesOfDiameter(library, outsideDiameter);
  if (run.valves.empty()) {
    NoValvesMessage(owner, outsideDiameter);
    return std::nullopt;
  }
  PickTable table(run);
  DialogState state{&run, &table};
  const INT_PTR chosen = DialogBoxParam(InstanceHandle, "VALVE_LIBRARY_USE_DIALOG", owner, PickProc,
                                        reinterpret_cast<LPARAM>(&state));
  if (chosen < 1 || chosen > static_cast<INT_PTR>(run.valves.size())) return std::nullopt;
  return run.valves[static_cast<std::size_t>(chosen) - 1];
}
