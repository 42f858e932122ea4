// The spectrum library's window and its use from a model; see
// SpectrumLibraryWindow.h.
#include "loads/SpectrumLibraryWindow.h"

#include <algorithm>

#include "loads/ListEdits.h"
#include "loads/SpectraTable.h"
#include "loads/SpectrumFiles.h"
#include "loads/SpectrumLibrary.h"
#include "loads/SpectrumValuesGrid.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "platform/FileNames.h"
#include "platform/Window.h"
#include "properties/DialogTable.h"
#include "services/FileDialogs.h"
#include "services/Frame.h"
#include "services/FramePlacements.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/Settings.h"

namespace {

constexpr int kLibraryButton = 1001;
constexpr int kTableFrame = 1500;

TakenListFrame& Taken() {
  static TakenListFrame taken;
  return taken;
}

Model& M() { return TheModel(); }

void CloseCommand(HWND window) { LeaveSpectrumLibraryWindow(window); }

// The library's own commands; the others go on to the List frame (the
// spectra list's Read, Export and options, Insert, Delete, Print, Font, Help).
bool LibraryCommand(HWND window, int id) {
  switch (id) {
    // The document chosen leaves the library first, after the save
    // question; a chooser cancelled leaves it as it is, its changes still
    // to be saved.
    case 101: ProgramCommands().newDocumentDialog(window); return true;
    case 102: ProgramCommands().openModelDialog(window); return true;
    case 103: CloseCommand(window); return true;
    case 104: SaveSpectrumLibrary(window); return true;
    case 105: SaveSpectrumLibraryAs(window); return true;
    case 110:
      if (LeaveSpectrumLibraryWindow(window) && MainFrame().window != nullptr)
        PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
      return true;
    case 106:
    case 113:
    case 126:
    case 128:
    case 250:
    case 306:
    case 351:
    case 411:
    case 900:
    case 903: return false;
    default: return true;  // nothing else belongs to the library
  }
}

// Where the window stands: where it was left, or at first the library
// windows' centred rectangle rather than wherever the List frame stood.
const WINDOWPLACEMENT& LibraryPlacement() {
  WINDOWPLACEMENT& placement = FramePlacement(kPlacementSpectrumLibrary);
  if (placement.length == 0)
    InitWindowPlacement(placement, LibraryWindowRect.left, LibraryWindowRect.top, LibraryWindowRect.right,
                        LibraryWindowRect.bottom);
  return placement;
}

ListFrameTool& Tool() {
  static ListFrameTool tool;
  tool.command = LibraryCommand;
  tool.close = CloseCommand;
  tool.leave = LeaveSpectrumLibraryWindow;
  return tool;
}

void OpenWindow() {
  Frame& frame = ListFrame();
  if (frame.window == nullptr) return;
  TakenListFrame& taken = Taken();
  if (!taken.open) {
    ResetListWindow();
    TheSpectrumLibrary().editing = true;
    TakeListFrame(taken, "RESPONSELIB_MENU", "RESPONSELIB_ACCEL", Tool(), LibraryPlacement());
  }
  FrameShow(frame);
  TheSpectraTable().currentRow = 1;
  OpenSpectraTable();
  ShowSpectrumLibraryTitle();
  ActiveWindow = frame.window;
  ActiveAccelerators = taken.accelerators;
}

// The spectra of the loaded library become the list the window edits.
void MoveLibraryIntoSpectra() {
  SpectrumLibraryState& library = TheSpectrumLibrary();
  SpectrumList& spectra = M().spectra;
  spectra = std::move(library.spectra);
  library.spectra.clear();
  AppendBlankSpectrum(spectra);
  M().modified = false;
}

bool WriteTo(HWND owner, const std::string& path) {
  try {
    WriteSpectrumLibraryFile(path, M().spectra);
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);
    return false;
  }
  M().modified = false;
  ShowInfoMessage(owner, "Spectrum Library saved");
  return true;
}

// --- the library picker (LIBRARY_USE_DIALOG) ---------------------------------------------

class PickTable : public DialogTableWindow {
 public:
  void DefineColumns() override {
    HDC dc = Dc();
    int width = CellTextWidth(dc, "Spectrum Name");
    for (const ResponseSpectrum& spectrum : TheSpectrumLibrary().spectra)
      width = std::max(width, CellTextWidth(dc, spectrum.name));
    if (widths.size() > 1) widths[1] = width;
  }
  std::string HeadingText(int column, int line) override { return column == 1 && line == 0 ? "Spectrum Name" : ""; }
  std::string CellText(int row, int column, int /*line*/) override {
    const SpectrumList& spectra = TheSpectrumLibrary().spectra;
    return column == 1 && row >= 1 && row <= static_cast<int>(spectra.size()) ? spectra[static_cast<std::size_t>(row - 1)].name
                                                                             : std::string();
  }
  void DoubleClick() override { PostMessage(dialog, WM_COMMAND, IDOK, 0); }
  HWND dialog = nullptr;
};

std::string LibraryPathText(const std::string& path) { return path.empty() ? std::string("(none)") : path; }

void ShowPicked(HWND dialog, PickTable& table) {
  const std::string title = "Spectrum Library - [" + SpectrumLibraryDisplayName() + "]";
  SetWindowText(dialog, title.c_str());
  LayoutDialogTable(dialog, table, static_cast<int>(TheSpectrumLibrary().spectra.size()), 1, 4, 10,
                    {{IDOK, 8}, {IDCANCEL, 56}, {kLibraryButton, 104}});
}

INT_PTR PickProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      auto& table = *reinterpret_cast<PickTable*>(lParam);
      table.dialog = dialog;
      // The table stands where the template's frame is, made in the dialog
      // itself: a table made inside the frame would go with it.
      if (HWND frame = GetDlgItem(dialog, kTableFrame)) DestroyWindow(frame);
      CreateDialogTable(dialog, table, 1, 1);
      ShowPicked(dialog, table);
      return FALSE;
    }
    case WM_COMMAND: {
      auto& table = *reinterpret_cast<PickTable*>(GetWindowLongPtr(dialog, DWLP_USER));
      switch (LOWORD(wParam)) {
        case IDOK: EndDialog(dialog, table.currentRow); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case kLibraryButton: {
          if (!OpenSpectrumLibraryDialog(dialog)) return TRUE;
          SpectrumLibraryState& library = TheSpectrumLibrary();
          if (library.spectra.empty()) {
            ShowErrorMessage(dialog, "There are no spectrums in \n" + LibraryPathText(library.path));
            library.path.clear();
            PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
          }
          ShowPicked(dialog, table);
          return TRUE;
        }
        default: return FALSE;
      }
    }
    default: return FALSE;
  }
}

}  // namespace

bool OpenSpectrumLibraryFromFile(HWND owner, const std::string& path) {
  SpectrumList read;
  try {
    read = ReadSpectrumLibraryFile(path);
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);
    TheSpectrumLibrary().spectra.clear();
    return false;
  }
  // Read whole: only now does a window holding the List frame (this
  // library's too) give way, after its save question; Cancel keeps it.
  if (!LeaveListFrameTool(owner)) return false;
  ProgramCommands().closeModel();
  SpectrumLibraryState& library = TheSpectrumLibrary();
  library.spectra = std::move(read);
  library.path = path;
  ProgramPreferences().spectrumLibraryPath = path;
  SetFolderFromPath(path, SpectrumLibraryDialogFolder());
  MoveLibraryIntoSpectra();
  OpenWindow();
  return true;
}

void NewSpectrumLibrary(HWND /*owner*/) {
  ProgramCommands().closeModel();
  SpectrumLibraryState& library = TheSpectrumLibrary();
  library.spectra.clear();
  library.path.clear();
  MoveLibraryIntoSpectra();
  OpenWindow();
}

bool SpectrumLibraryWindowOpen() { return Taken().open; }

bool LeaveSpectrumLibraryWindow(HWND owner) {
  if (!Taken().open) return true;
  // What was typed and not yet stored is a change to save too: a cell still
  // being edited, and the values grid's points, which go into their
  // spectrum only as the grid is left (a menu takes no focus from it).
  if (TableCommitEdit(TheSpectraTable()) || TableCommitEdit(TheSpectrumValuesGrid())) return false;
  if (TheSpectrumValuesGrid().MustKeepFocus()) return false;
  TheSpectrumValuesGrid().Commit();
  if (AskSaveSpectrumLibrary(owner) == IDCANCEL) return false;
  CloseSpectrumLibrary();
  return true;
}

void CloseSpectrumLibrary() {
  TakenListFrame& taken = Taken();
  if (!taken.open) return;
  ReleaseListFrame(taken, FramePlacement(kPlacementSpectrumLibrary));
  SpectrumLibraryState& library = TheSpectrumLibrary();
  library.editing = false;
  library.path.clear();
  ClearSpectra(M().spectra, M().spectrumLoad);
  M().modified = false;
  // The main window again, whatever comes next: a document that then fails
  // to open must not leave the program without a window.
  if (MainFrame().window != nullptr) ProgramCommands().showMainWindow();
}

int AskSaveSpectrumLibrary(HWND owner) {
  if (!M().modified) return IDNO;
  const int answer = AskSaveChanges(owner, SpectrumLibraryDisplayName());
  if (answer != IDYES) return answer;
  const bool saved = TheSpectrumLibrary().path.empty() ? SaveSpectrumLibraryAs(owner) : SaveSpectrumLibrary(owner);
  return saved ? IDYES : IDCANCEL;
}

bool SaveSpectrumLibrary(HWND owner) {
  const std::string& path = TheSpectrumLibrary().path;
  if (path.empty()) return SaveSpectrumLibraryAs(owner);
  TheSpectraTable().Close();  // the grid's changes first
  const bool saved = WriteTo(owner, path);
  OpenSpectraTable();
  ShowSpectrumLibraryTitle();
  return saved;
}

bool SaveSpectrumLibraryAs(HWND owner) {
  const std::string path = AskSpectrumLibrarySavePath(owner);
  if (path.empty()) return false;
  if (LowerExtension(path) != "spe") {
    ShowErrorMessage(owner, "File extension must be : spe");
    return false;
  }
  TheSpectraTable().Close();
  const bool saved = WriteTo(owner, path);
  if (saved) {
    TheSpectrumLibrary().path = path;
    ProgramPreferences().spectrumLibraryPath = path;
    SetFolderFromPath(path, SpectrumLibraryDialogFolder());
  }
  if (Taken().open) {
    OpenSpectraTable();
    ShowSpectrumLibraryTitle();
  }
  return saved;
}

void ShowSpectrumLibraryTitle() {
  Frame& frame = ListFrame();
  if (!Taken().open || frame.window == nullptr) return;
  const std::size_t count = M().spectra.empty() ? 0 : M().spectra.size() - 1;
  const std::string title =
      ProgramTitle + " : Spectrum Library  (" + std::to_string(count) + ") -  [" + SpectrumLibraryDisplayName() + "]";
  SetWindowText(frame.window, title.c_str());
}

bool UseLibrarySpectrum(HWND owner, std::size_t row) {
  SpectrumLibraryState& library = TheSpectrumLibrary();
  if (library.spectra.empty()) {
    const std::string& remembered = ProgramPreferences().spectrumLibraryPath;
    const bool read = !remembered.empty() && platform::IsRegularFile(remembered)
                          ? ReadSpectrumLibrary(owner, remembered)
                          : OpenSpectrumLibraryDialog(owner);
    if (!read && library.path.empty()) return false;
  }
  if (library.spectra.empty()) {
    ShowErrorMessage(owner, "There are no spectrums in \n" + LibraryPathText(library.path));
    library.path.clear();
    ProgramPreferences().spectrumLibraryPath.clear();
    return false;
  }
  PickTable table;
  const INT_PTR picked = DialogBoxParam(InstanceHandle, "LIBRARY_USE_DIALOG", owner, PickProc, reinterpret_cast<LPARAM>(&table));
  if (picked < 1 || picked > static_cast<INT_PTR>(library.spectra.size())) return false;
  const ResponseSpectrum chosen = library.spectra[static_cast<std::size_t>(picked - 1)];
  Model& model = M();
  // A spectrum of that name would be replaced: asked as the text import asks.
  if (FindSpectrum(model.spectra, chosen.name) >= 0 &&
      !MessageBoxDialog(owner,
                        "The spectrum in the file:  \"" + chosen.name +
                            "\"  is already defined.\nDo you want to overwrite the spectrum ?",
                        IDNO))
    return false;
  bool taken = false;
  RunEdit(owner, [&] {
    if (model.spectra.empty()) AppendBlankSpectrum(model.spectra);
    const std::size_t at = PlaceSpectrum(model.spectra, chosen, row);
    model.spectra[at] = chosen;  // whole: its interpolations too
    taken = true;
    return true;
  });
  return taken;
}
