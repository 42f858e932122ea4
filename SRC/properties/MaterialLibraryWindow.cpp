// The material library window and its file commands; see
// MaterialLibraryWindow.h.
#include "properties/MaterialLibraryWindow.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <vector>

#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/UndoFiles.h"
#include "platform/CommonDialog.h"
#include "platform/Dialog.h"
#include "platform/FileNames.h"
#include "platform/Menu.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "properties/MaterialLibrary.h"
#include "properties/MaterialLibraryBatch.h"
#include "properties/MaterialLibraryDialogs.h"
#include "properties/MaterialLibraryOld.h"
#include "properties/MaterialsTable.h"
#include "services/DialogHook.h"
#include "services/FileDialogs.h"
#include "services/Frame.h"
#include "services/FramePlacements.h"
#include "services/FrameWindow.h"
#include "services/General.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/Settings.h"
#include "services/TableWindow.h"

namespace {

constexpr const char* kTitle = "Material Library";
constexpr int kSmallToolToolbar = 103, kLargeToolToolbar = 104;
constexpr int kImageNew = 0, kImageOpen = 1, kImageSave = 2;

// What the window took from the List frame, given back when it closes.
struct TakenFrame {
  bool open = false;
  HMENU listMenu = nullptr;
  HMENU libraryMenu = nullptr;
  HACCEL accelerators = nullptr;
  WINDOWPLACEMENT listPlacement{};
  HWND listSmallToolbar = nullptr, listLargeToolbar = nullptr;
  HWND toolSmallToolbar = nullptr, toolLargeToolbar = nullptr;
};
TakenFrame& Taken() {
  static TakenFrame taken;
  return taken;
}

// Set while a command that asked the save question itself runs the
// program's New or Open, which must not ask it again.
bool g_QuestionAsked = false;
struct QuestionAsked {
  QuestionAsked() { g_QuestionAsked = true; }
  ~QuestionAsked() { g_QuestionAsked = false; }
  QuestionAsked(const QuestionAsked&) = delete;
  QuestionAsked& operator=(const QuestionAsked&) = delete;
};

bool HasExtension(const std::string& path, const char* extension) { return LowerExtension(path) == extension; }

WINDOWPLACEMENT& LibraryPlacement() {
  WINDOWPLACEMENT& placement = FramePlacement(kPlacementMaterialLibrary);
  if (placement.length == 0)
    InitWindowPlacement(placement, LibraryWindowRect.left, LibraryWindowRect.top, LibraryWindowRect.right,
                        LibraryWindowRect.bottom);
  return placement;
}

// The tool toolbar of the library: New, Open and Save.
HWND CreateToolToolbar(HWND window, int id, int strip, int cell) {
  TBBUTTON buttons[] = {
      {kImageNew, 101, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {kImageOpen, 102, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {kImageSave, 104, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
  };
  return CreateFrameToolbar(window, id, strip, cell, buttons, sizeof buttons / sizeof buttons[0], 3);
}

// The library's file from a file dialog; empty when cancelled.
std::string AskLibraryPath(HWND owner, const char* title, const char* filter, bool save) {
  FilePathQuestion question;
  question.title = title;
  question.filter = filter;
  question.defaultExtension = "mat";
  question.name = FileNameOf(MaterialLibraryPath());
  question.folder = MaterialLibraryDialogFolder().folder;
  question.save = save;
  question.hook = FileDialogHookProc;
  return AskFilePath(owner, question);
}

// Reads the library file at `path` (an old one converted) into the loaded
// library; the file that holds it from now on, or empty when it was not
// read (the message shown).
std::string ReadLibraryFile(HWND owner, const std::string& path) {
  try {
    if (HasExtension(path, "mdb")) return ReadOldMaterialLibrary(owner, path);
    ReadMaterialLibraryFile(path, LoadedMaterialLibrary());
    return path;
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);  // an empty text (a declined question) shows nothing
    return {};
  }
}

bool Ask(HWND window) {
  if (!CommitMaterialLibraryEdit()) return false;
  return QuerySaveMaterialLibrary(window) != IDCANCEL;
}

bool LibraryCommand(HWND window, int id) {
  switch (id) {
    case 101:
      if (Ask(window)) {
        QuestionAsked asked;
        ProgramCommands().newDocumentDialog(window);
      }
      return true;
    case 102:
      if (Ask(window)) {
        QuestionAsked asked;
        ProgramCommands().openModelDialog(window);
      }
      return true;
    case 103: LeaveMaterialLibraryWindow(window); return true;
    case 104: SaveMaterialLibrary(window); return true;
    case 105: SaveMaterialLibraryAs(window); return true;
    case 110:
      if (LeaveMaterialLibraryWindow(window)) ProgramCommands().exitProgram(window);
      return true;
    case 305:
      if (!CommitMaterialLibraryEdit()) return true;
      if (MatlibCodeDialog(window) == 1) ReopenMaterialLibraryTable();
      return true;
    case 431:
      if (!CommitMaterialLibraryEdit()) return true;
      if (MatlibUnitsDialog(window) == 1) ReopenMaterialLibraryTable();
      return true;
    case 40070: ExportMaterialBatchFile(window); return true;
    case 40071: ImportMaterialBatchFile(window); return true;
    // Print, Edit, Insert, Delete, Copy, Paste, Font, Help and About are the
    // List frame's own, on the list this window shows.
    case 106:
    case 113:
    case 126:
    case 128:
    case 363:
    case 364:
    case 411:
    case 900:
    case 903: return false;
    default: return true;  // nothing else belongs to the library
  }
}

// Closing the frame leaves the library and ends the program.
void CloseCommand(HWND window) { LibraryCommand(window, 110); }

// Another document takes the program over: its windows come next, so the
// main window stays hidden (the opener shows it when that document could
// not be had).
bool LeaveForAnotherDocument(HWND owner) { return LeaveMaterialLibraryWindow(owner, false); }

ListFrameTool& Tool() {
  static ListFrameTool tool;
  tool.command = LibraryCommand;
  tool.close = CloseCommand;
  tool.leave = LeaveForAnotherDocument;
  tool.accelerators = Taken().accelerators;
  return tool;
}

void TakeListFrame(Frame& frame) {
  TakenFrame& taken = Taken();
  FrameRecordPlacement(frame);
  taken.listPlacement = frame.Placement();
  taken.listMenu = frame.menu;
  taken.libraryMenu = LoadMenu(InstanceHandle, "MATLIB_MENU");
  taken.accelerators = LoadAccelerators(InstanceHandle, "MATLIB_ACCEL");
  taken.listSmallToolbar = frame.smallToolbar;
  taken.listLargeToolbar = frame.largeToolbar;
  if (taken.toolSmallToolbar == nullptr || !IsWindow(taken.toolSmallToolbar)) {
    taken.toolSmallToolbar = CreateToolToolbar(frame.window, kSmallToolToolbar, 1801, 16);
    taken.toolLargeToolbar = CreateToolToolbar(frame.window, kLargeToolToolbar, 1802, 32);
  }
  taken.open = true;
  FrameSetMenu(frame, taken.libraryMenu);
  for (HWND toolbar : {taken.listSmallToolbar, taken.listLargeToolbar})
    if (toolbar != nullptr) ShowWindow(toolbar, SW_HIDE);
  FrameSetToolbars(frame, taken.toolSmallToolbar, taken.toolLargeToolbar);
  SetListFrameTool(&Tool());
  SetMaterialLibraryWindowFlag(true);
  if (HWND main = MainFrame().window) {
    FrameRecordPlacement(MainFrame());
    ShowWindow(main, SW_HIDE);
  }
  FrameSetPlacement(frame, LibraryPlacement());
}

// The loaded library into the model's material table with its code and
// units; the loaded library is then empty.
void LoadLibraryIntoMaterials() {
  Model& model = TheModel();
  MaterialLibrary& loaded = LoadedMaterialLibrary();
  model.materials = std::move(loaded.materials);
  model.options.PipingCode = loaded.pipingCode;
  ApplyLibraryUnits(loaded.units);
  model.unitChoices = ProgramUnitChoices();
  ClearMaterialLibrary(loaded);
}

}  // namespace

bool OpenMaterialLibraryDocument(HWND owner, const std::string& path) {
  MaterialLibrary read;
  std::string converted;
  try {
    if (HasExtension(path, "mdb"))
      converted = AskAndReadOldMaterialLibrary(owner, path, read);
    else
      ReadMaterialLibraryFile(path, read);
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);  // an empty text (a declined question) shows nothing
    return false;
  }
  // Read whole: now the window holding the list frame may give way, and
  // only then is a converted library written (an open library of the same
  // name has been saved by then, if the user wished).
  if (!LeaveListFrameTool(owner)) return false;
  if (!converted.empty()) {
    try {
      WriteConvertedMaterialLibrary(owner, converted, read);
    } catch (const std::string& message) {
      ShowErrorMessage(owner, message);
      return false;
    }
  }
  ProgramCommands().closeModel();
  LoadedMaterialLibrary() = std::move(read);
  OpenMaterialLibraryWindow(converted.empty() ? path : converted);
  return true;
}

void OpenMaterialLibraryWindow(const std::string& path) {
  Frame& frame = ListFrame();
  if (frame.window == nullptr) return;
  if (!Taken().open) TakeListFrame(frame);
  LoadLibraryIntoMaterials();
  Model& model = TheModel();
  model.title = kTitle;  // the printed pages' heading
  model.modified = false;
  SetMaterialLibraryPath(path);
  if (path.empty()) model.path.clear();
  MaterialsTable& table = TheMaterialsTable();
  TableReset(table);
  table.currentRow = 1;
  FrameShow(frame);
  OpenMaterialsTable();
  ActiveWindow = frame.window;
  ActiveAccelerators = Taken().accelerators;
}

void NewMaterialLibrary() {
  MaterialLibrary& loaded = LoadedMaterialLibrary();
  ClearMaterialLibrary(loaded);
  loaded.pipingCode = TheModel().options.PipingCode;
  loaded.units = CurrentLibraryUnits();
  OpenMaterialLibraryWindow(std::string());
}

void CloseMaterialLibraryWindow(bool showMainWindow) {
  TakenFrame& taken = Taken();
  if (!taken.open) return;
  Frame& frame = ListFrame();
  ForgetMaterialLibraryPath();
  TableWindowClose(ListTableWindow(0));
  if (frame.window != nullptr) {
    FrameRecordPlacement(frame);
    LibraryPlacement() = frame.Placement();
    ShowWindow(frame.window, SW_HIDE);
    FrameSetMenu(frame, taken.listMenu);
    // The List frame's own place comes back while it stays hidden: a window
    // shown and hidden at once may be shown by a window manager that sees
    // the first request late.
    frame.Placement() = taken.listPlacement;
    WINDOWPLACEMENT hidden = taken.listPlacement;
    hidden.showCmd = SW_HIDE;
    SetWindowPlacement(frame.window, &hidden);
    for (HWND toolbar : {taken.toolSmallToolbar, taken.toolLargeToolbar})
      if (toolbar != nullptr) ShowWindow(toolbar, SW_HIDE);
    FrameSetToolbars(frame, taken.listSmallToolbar, taken.listLargeToolbar);
  }
  SetListFrameTool(nullptr);
  if (taken.libraryMenu != nullptr) DestroyMenu(taken.libraryMenu);
  if (taken.accelerators != nullptr) DestroyAcceleratorTable(taken.accelerators);
  taken.open = false;
  taken.libraryMenu = nullptr;
  taken.accelerators = nullptr;
  taken.listMenu = nullptr;
  SetMaterialLibraryWindowFlag(false);
  Model& model = TheModel();
  ModelRecordTableReset(model.materials);
  model.modified = false;
  model.title.clear();
  model.path.clear();
  TableReset(TheMaterialsTable());
  ResetListWindow();
  // The library's edits cannot be undone into a model.
  DeleteUndoRedoFiles();
  if (showMainWindow && MainFrame().window != nullptr) {
    ProgramCommands().showMainWindow();
    SetForegroundWindow(MainFrame().window);
  }
}

bool LeaveMaterialLibraryWindow(HWND owner, bool showMainWindow) {
  if (!Taken().open) return true;
  if (!g_QuestionAsked && !Ask(owner)) return false;
  CloseMaterialLibraryWindow(showMainWindow);
  return true;
}

int QuerySaveMaterialLibrary(HWND owner) {
  if (!MaterialLibraryWindowOpen() || !TheModel().modified) return IDNO;
  std::string name = FileNameOf(MaterialLibraryPath());
  if (name.empty()) name = "Untitled";
  const int answer = AskSaveChanges(owner, name);
  if (answer != IDYES) return answer;
  const bool saved = MaterialLibraryPath().empty() ? SaveMaterialLibraryAs(owner) : SaveMaterialLibrary(owner);
  return saved ? IDYES : IDCANCEL;
}

bool SaveMaterialLibrary(HWND owner) {
  if (!CommitMaterialLibraryEdit()) return false;
  const std::string path = MaterialLibraryPath();
  if (path.empty()) return SaveMaterialLibraryAs(owner);
  Model& model = TheModel();
  try {
    WriteMaterialLibraryFile(path, model.materials, model.options.PipingCode, CurrentLibraryUnits());
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);
    return false;
  }
  model.modified = false;
  ShowNotice(owner, "Material Library saved");
  return true;
}

bool SaveMaterialLibraryAs(HWND owner) {
  if (!CommitMaterialLibraryEdit()) return false;
  std::string path =
      AskLibraryPath(owner, "Save Material Library As", "Material Library files (*.mat)\0*.mat\0", true);
  if (path.empty()) return false;
  // A library under another extension could not be opened again.
  if (!HasExtension(path, "mat")) path += ".mat";
  Model& model = TheModel();
  try {
    WriteMaterialLibraryFile(path, model.materials, model.options.PipingCode, CurrentLibraryUnits());
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);
    return false;
  }
  model.modified = false;
  SetMaterialLibraryPath(path);
  ShowNotice(owner, "Material Library saved");
  if (Taken().open) FrameTitleText(ListFrame());
  return true;
}

bool OpenMaterialLibraryDialog(HWND parent) {
  const std::string path =
      AskLibraryPath(parent, "Open Material Library",
                     "Material Library files (*.mat)\0*.mat\0Material Library files (*.mdb)\0*.mdb\0", false);
  if (path.empty()) return false;
  if (!HasExtension(path, "mat") && !HasExtension(path, "mdb")) {
    ShowErrorMessage(parent, "File extension must be : mat or mdb");
    return false;
  }
  const std::string libraryPath = ReadLibraryFile(parent, path);
  if (libraryPath.empty()) return false;
  SetMaterialLibraryPath(libraryPath);
  return true;
}

bool EnsureMaterialLibraryLoaded(HWND parent, bool storedPath) {
  if (LoadedMaterialLibrary().materials.count > 0) return true;
  const std::string stored = MaterialLibraryPath();
  if (storedPath && !stored.empty() && platform::IsRegularFile(stored)) {
    if (ReadLibraryFile(parent, stored).empty()) return false;
  } else if (!OpenMaterialLibraryDialog(parent)) {
    return false;
  }
  if (LoadedMaterialLibrary().materials.count > 0) return true;
  ShowErrorMessage(parent, "There are no materials in \n" + MaterialLibraryPath());
  ForgetMaterialLibraryPath();
  return false;
}

bool CommitMaterialLibraryEdit() {
  MaterialsTable& table = TheMaterialsTable();
  return table.windowRecord == nullptr || !TableCommitEdit(table);
}

void ReopenMaterialLibraryTable() {
  if (!Taken().open) return;
  OpenMaterialsTable();
}
