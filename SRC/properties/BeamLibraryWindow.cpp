// The beam section library window; see BeamLibraryWindow.h.
#include "properties/BeamLibraryWindow.h"
#include "properties/LibraryWindows.h"

#include <algorithm>
#include <vector>

#include "model/Model.h"
#include "platform/CommonDialog.h"
#include "platform/Window.h"
#include "properties/BeamLibrary.h"
#include "properties/BeamSectionsTable.h"
#include "services/Assert.h"
#include "services/FileDialogs.h"
#include "services/Frame.h"
#include "services/FramePlacements.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/TableWindow.h"
#include "services/Units.h"

namespace {

constexpr const char* kFilter = "Beam Section Library files (*.bli)\0*.bli\0";
constexpr int kUnitKinds[3] = {kUnitDimension, kUnitArea, kUnitMomentOfInertia};

bool IsBliExtension(const std::string& path) { return LowerExtension(path) == "bli"; }

TakenListFrame& Taken() {
  static TakenListFrame taken;
  return taken;
}

WINDOWPLACEMENT& LibraryPlacement() {
  static WINDOWPLACEMENT placement{};
  return LibraryWindowPlacement(placement);
}

void SetTitleFromLibrary() {
  Frame& frame = ListFrame();
  if (frame.window == nullptr) return;
  const std::string& path = BeamLibraryPath();
  std::string file = FileNameOf(path);
  if (file.empty()) file = "Untitled";
  else AppendFolderInParens(file, path.substr(0, path.size() - FileNameOf(path).size()));
  const std::string title = ProgramTitle + " : Beam Section Library  (" +
                            std::to_string(TheModel().beamSections.count) + ") -  [" + file + "]";
  SetWindowText(frame.window, title.c_str());
}

// The library read into the table the window edits, with the file's units.
void LoadBeamLibraryIntoEditor() {
  BeamLibraryContents& library = BeamLibraryTable();
  Model& model = TheModel();
  model.beamSections = std::move(library.sections);
  library.sections = ModelRecordTable<BeamSection>{};
  for (std::size_t i = 0; i < 3; ++i) g_UnitsSettings.unit[kUnitKinds[i]] = library.units[i];
  model.modified = false;
}

std::string AskLibraryPath(HWND owner, const char* title, bool save) {
  FilePathQuestion question;
  question.title = title;
  question.filter = kFilter;
  question.defaultExtension = "bli";
  question.name = FileNameOf(BeamLibraryPath());
  question.save = save;
  return AskFilePath(owner, question);
}

void RefreshWindow(int row) {
  BeamSectionsTable& table = TheBeamSectionsTable();
  if (!Taken().open) return;
  OpenBeamSectionsTable();
  TableGoTo(table, std::clamp(row, 1, TheModel().beamSections.count + 1));
  SetTitleFromLibrary();
}

// Open from inside the window: another library in its place.
void OpenAnother(HWND window) {
  if (QuerySaveBeamLibrary(window) == IDCANCEL) return;
  const std::string path = AskLibraryPath(window, "Open Beam Library", false);
  if (path.empty()) return;
  if (!IsBliExtension(path)) {
    ShowErrorMessage(window, "File extension must be : bli");
    return;
  }
  const std::string old = BeamLibraryPath();
  SetBeamLibraryPath(path);
  if (!BeamLibraryOpen(window)) {
    SetBeamLibraryPath(old);
    return;
  }
  LoadBeamLibraryIntoEditor();
  RefreshWindow(1);
}

void CloseCommand(HWND window) { LeaveBeamLibraryWindow(window); }

bool LibraryCommand(HWND window, int id) {
  switch (id) {
    case 101: return false;  // the New chooser, which leaves the library first
    case 102: OpenAnother(window); return true;
    case 103: LeaveBeamLibraryWindow(window); return true;
    case 104: SaveBeamLibrary(window); return true;
    case 105: SaveBeamLibraryAs(window); return true;
    case 110:
      ExitFromLibrary(window, LeaveBeamLibraryWindow);
      return true;
    // The table's own commands and the AISC and library imports of its rows.
    case 106:
    case 113:
    case 126:
    case 128:
    case 244:
    case 270:
    case 411:
    case 900:
    case 903: return false;
    case 431:
      ProgramCommands().chooseUnits(window);
      RefreshWindow(TheBeamSectionsTable().currentRow);
      return true;
    default: return true;  // nothing else belongs to the library
  }
}

ListFrameTool& Tool() {
  static ListFrameTool tool;
  tool.command = LibraryCommand;
  tool.close = CloseCommand;
  tool.leave = LeaveBeamLibraryWindow;
  return tool;
}

void OpenWindow() {
  Frame& frame = ListFrame();
  if (frame.window == nullptr) return;
  TakenListFrame& taken = Taken();
  if (!taken.open) {
    TakeListFrame(taken, "BEAMLIB_MENU", "BEAMLIB_ACCEL", Tool(), LibraryPlacement());
  }
  SetBeamLibraryMode(true);
  FrameShow(frame);
  RefreshWindow(1);
  ActiveWindow = frame.window;
  ActiveAccelerators = taken.accelerators;
}

void CloseWindow() {
  TakenListFrame& taken = Taken();
  if (!taken.open) return;
  ReleaseListFrame(taken, LibraryPlacement());
  SetBeamLibraryMode(false);
  ForgetBeamLibrary();
  Model& model = TheModel();
  ModelRecordTableReset(model.beamSections);
  model.modified = false;
  ShowMainWindowAgain();
}

}  // namespace

bool BeamLibraryWindowOpen() { return Taken().open; }

bool ReadBeamLibraryForWindow(HWND owner, const std::string& path) {
  const std::string old = BeamLibraryPath();
  SetBeamLibraryPath(path);
  if (BeamLibraryOpen(owner)) return true;
  SetBeamLibraryPath(old);
  return false;
}

void OpenBeamLibraryWindow() {
  LoadBeamLibraryIntoEditor();
  OpenWindow();
}

void NewBeamLibrary() {
  ForgetBeamLibrary();
  ModelRecordTableReset(TheModel().beamSections);
  TheModel().modified = false;
  OpenWindow();
}

bool LeaveBeamLibraryWindow(HWND owner) {
  return LeaveLibraryWindow(owner, Taken().open, TheBeamSectionsTable(), QuerySaveBeamLibrary, CloseWindow);
}

int QuerySaveBeamLibrary(HWND owner) {
  return QuerySaveLibrary(owner, TheModel().modified, BeamLibraryPath(), SaveBeamLibrary, SaveBeamLibraryAs);
}

bool SaveBeamLibrary(HWND owner) {
  if (TableCommitEdit(TheBeamSectionsTable())) return false;
  if (BeamLibraryPath().empty()) return SaveBeamLibraryAs(owner);
  if (!WriteLibraryShowingFault(owner, [] { WriteBeamLibraryFile(BeamLibraryPath(), TheModel().beamSections); }))
    return false;
  TheModel().modified = false;
  ShowInfoMessage(owner, "Beam Library saved");
  return true;
}

bool SaveBeamLibraryAs(HWND owner) {
  if (TableCommitEdit(TheBeamSectionsTable())) return false;
  std::string path = AskLibraryPath(owner, "Save Beam Library As", true);
  if (path.empty()) return false;
  if (!IsBliExtension(path)) path += ".bli";
  if (!WriteLibraryShowingFault(owner, [&] { WriteBeamLibraryFile(path, TheModel().beamSections); })) return false;
  SetBeamLibraryPath(path);
  TheModel().modified = false;
  ShowInfoMessage(owner, "Beam Library saved");
  SetTitleFromLibrary();
  return true;
}
