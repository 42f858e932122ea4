// The file commands (see FileCommands.h). Start reading at
// OpenFileByExtension: every open path ends there.
#include "files/FileCommands.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "editing/ModelWindows.h"
#include "evaluations/FlangeTool.h"
#include "evaluations/LugEvaluationTool.h"
#include "evaluations/NozzleEvaluationTool.h"
#include "files/BackupCopy.h"
#include "files/BatchImport.h"
#include "files/ImportLog.h"
#include "files/ModelFile.h"
#include "files/OldModelFile.h"
#include "loads/SpectrumLibraryWindow.h"
#include "editing/LayoutRowEdits.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/NodeDrawing.h"
#include "model/UndoFiles.h"
#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/Paint.h"
#include "properties/BeamLibraryWindow.h"
#include "properties/MaterialLibrary.h"
#include "properties/MaterialLibraryWindow.h"
#include "properties/ValveLibraryWindow.h"
#include "services/DialogHook.h"
#include "services/FileDialogs.h"
#include "services/Frame.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/ProgramSample.h"
#include "services/RecentModels.h"
#include "services/Settings.h"
#include "services/StartupSwitches.h"
#include "services/TableViews.h"

namespace {

std::size_t NameOffset(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? 0 : separator + 1;
}

// The replaced model's snapshots, copied rows, table positions and result
// label thresholds go with it.
void ForgetModelSession() {
  DeleteUndoRedoFiles();
  ForgetCopiedRows();
  ResetAllInputTableViews();
  ResetAllResultTableViews();
  ResetLabelThresholds();
  ForgetConvertedModel();
}

// The model a results file belongs to: the same name with "mod".
std::string ResultsModelPath(const std::string& resultsPath) {
  const std::size_t dot = resultsPath.find_last_of('.');
  return resultsPath.substr(0, dot) + ".mod";
}

bool OpenModelFile(HWND owner, const std::string& path) {
  // A file of the old format is converted only when the user agrees.
  const int oldVersion = OldModelFileVersion(path);
  if (oldVersion != 0 && !AskConvertOldModel(owner, path, oldVersion)) return false;
  std::vector<std::string> notes;
  const std::string failure = ReadModelFile(path, &notes);
  if (!failure.empty()) {
    ShowErrorMessage(owner, failure);
    return false;
  }
  ForgetModelSession();
  if (oldVersion != 0) RememberConvertedModel(path, oldVersion);
  ChooseModelFile(path);
  // The sample is the program's own file, by whichever road it was opened:
  // the user's work on it is saved where the user says.
  if (UntitledMode || IsProgramSample(path)) ResetModelTitle();
  ShowModelWindows();
  // What an old model's conversion took in place of values out of range,
  // and the load cases dropped for temperatures out of use.
  ShowImportLog(owner, notes, oldVersion != 0 ? "conversion" : "model file");
  return true;
}

bool OpenRecentPath(HWND window, const std::string& path) { return OpenFileByExtension(window, path); }

// A valve library read whole replaces the model's windows with its own.
bool OpenValveLibraryFromFile(HWND owner, const std::string& path) {
  if (!ReadValveLibraryIntoMemory(owner, path)) return false;
  CloseModel();
  OpenValveLibraryWindow(owner);
  return true;
}

// The file dialog record shared by Open and Save As; its hook centres the
// dialog and the questions it asks.
OPENFILENAME FileDialogRecord(HWND owner, std::vector<char>& buffer, const char* filter, const char* title) {
  OPENFILENAME record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = owner;
  record.hInstance = InstanceHandle;
  record.lpstrFilter = filter;
  record.nFilterIndex = 1;
  record.lpstrFile = buffer.data();
  record.nMaxFile = static_cast<DWORD>(buffer.size());
  const std::string& folder = ModelDialogFolder().folder;
  record.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  record.lpstrTitle = title;
  record.lpstrDefExt = "mod";
  record.lpfnHook = FileDialogHookProc;
  return record;
}

// The model's own file name, the start of the dialogs' name field.
std::vector<char> NameBuffer() {
  const std::string& path = TheModel().path;
  return FileNameBuffer(path.substr(NameOffset(path)));
}

bool OpenDocumentByKind(HWND owner, const std::string& path) {
  const std::string extension = LowerExtension(path);
  // A material or spectrum library or a flange qualification file is read
  // whole before anything gives way to it: a damaged one leaves the open
  // document as it was.
  if (extension == "mat" || extension == "mdb") return OpenMaterialLibraryDocument(owner, path);
  if (extension == "flg") return OpenFlangeQualificationFile(owner, path);
  if (extension == "noz") return OpenNozzleEvaluationFile(owner, path);
  if (extension == "lug") return OpenLugEvaluationFile(owner, path);
  if (extension == "spe") return OpenSpectrumLibraryFromFile(owner, path);
  const bool knownKind = extension == "mod" || extension == "res" || extension == "bli" || extension == "val";
  // A library open in its window is left first, after its save question.
  if (knownKind && !LeaveListFrameTool(owner)) return false;
  // The results shown belong to the model that is about to be replaced.
  if ((extension == "mod" || extension == "res") && ProgramCommands().inResultsMode()) ProgramCommands().leaveResultsMode();
  if (extension == "mod") return OpenModelFile(owner, path);
  if (extension == "res") {
    // The model of the same name first; its results only when it was read.
    if (!OpenModelFile(owner, ResultsModelPath(path))) return false;
    ProgramCommands().openResults(false);
    return true;
  }
  if (extension == "bli") {
    // A beam section library read whole replaces the model's windows.
    if (!ReadBeamLibraryForWindow(owner, path)) return false;
    CloseModel();
    OpenBeamLibraryWindow();
    return true;
  }
  if (extension == "val") return OpenValveLibraryFromFile(owner, path);
  ShowErrorMessage(owner, "Invalid file extension");
  return false;
}

}  // namespace

bool OpenFileByExtension(HWND owner, const std::string& path) {
  const bool toolHeld = CurrentListFrameTool() != nullptr;
  const bool opened = OpenDocumentByKind(owner, path);
  // A library window left for a file that then could not be read leaves no
  // window on the screen unless the main window comes back.
  HWND main = MainFrame().window;
  if (!opened && toolHeld && CurrentListFrameTool() == nullptr && main != nullptr && !IsWindowVisible(main) &&
      !IsWindowVisible(LayoutFrame().window))
    ProgramCommands().showMainWindow();
  return opened;
}

void ChooseModelFile(const std::string& path) {
  TheModel().path = path;
  // The user's work on the program's sample is saved among the user's own
  // files, never among the program's: the dialogs stay in the folder they
  // had, or start in the user's home folder.
  if (IsProgramSample(path)) {
    const std::string home = platform::FolderFromEnvironment("HOME");
    const std::string& folder = ModelDialogFolder().folder;
    if ((folder.empty() || folder == ProgramFolder) && !home.empty()) SetFolderFromPath(home + "/", ModelDialogFolder());
    return;
  }
  SetFolderFromPath(path, ModelDialogFolder());
}

void ResetModelTitle() {
  TheModel().path.clear();
  TheModel().modified = false;
}

void CloseModel() {
  // The windows of what replaces the model come next.
  CloseMaterialLibraryWindow(false);
  if (ProgramCommands().inResultsMode()) ProgramCommands().leaveResultsMode();
  CloseSpectrumLibrary();
  HideModelWindows();
  ResetListWindow();
  ResetModelTitle();
  InitEmptyModel(TheModel(), ProgramAnalysisOptions());
  TheModel().title.clear();
  ForgetModelSession();
}

// The first save over a converted old file copies that file aside first:
// the save must not destroy the only copy of the user's original.
namespace {
std::optional<std::string> SaveKeepingOldFile(HWND owner, const std::string& path) {
  const int oldVersion = ConvertedModelVersion(path);
  if (oldVersion != 0 && !BackupOldModelFile(path, oldVersion))
    return "Model file: " + path + "\nThe original model could not be copied to\n" +
           OldModelBackupPath(path, oldVersion) + "\nThe model was not saved.";
  std::optional<std::string> failure = SaveModelFileWithBackup(owner, path);
  if (oldVersion != 0 && failure && failure->empty()) {
    ForgetConvertedModel();
    ReportModelConversion(owner);
  }
  return failure;
}
}  // namespace

bool SaveModel(HWND owner) {
  const std::string path = TheModel().path;
  if (path.empty()) return SaveModelAs(owner);
  const std::optional<std::string> failure = SaveKeepingOldFile(owner, path);
  if (failure && failure->empty()) return true;
  if (failure) ShowErrorMessage(owner, *failure);
  return false;
}

bool SaveModelAs(HWND owner) {
  std::vector<char> buffer = NameBuffer();
  OPENFILENAME record = FileDialogRecord(owner, buffer, "Model files (*.mod)\0*.mod\0", "Save As");
  record.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY |
                 OFN_ENABLEHOOK;
  if (!RunFileDialog(record, true)) return false;
  const std::string path = buffer.data();
  // A model under another extension could not be opened again.
  if (LowerExtension(path) != "mod") {
    ShowErrorMessage(owner, "File extension must be : mod");
    return false;
  }
  const std::optional<std::string> failure = SaveKeepingOldFile(owner, path);
  if (!failure || !failure->empty()) {
    if (failure) ShowErrorMessage(owner, *failure);
    return false;
  }
  ChooseModelFile(path);
  AddRecentModel(path);
  for (Frame* frame : {&LayoutFrame(), &ListFrame(), &GraphicsFrame()})
    if (frame->window != nullptr) FrameTitleText(*frame);
  return true;
}

void OpenModelDialog(HWND owner) {
  if (owner != nullptr) UpdateWindow(owner);
  std::vector<char> buffer = NameBuffer();
  static const char kFilter[] =
      "Model files (*.mod)\0*.mod\0Results files (*.res)\0*.res\0"
      "Material Library files (*.mat)\0*.mat\0Beam Section Library files (*.bli)\0*.bli\0"
      "Material Library files (*.mdb)\0*.mdb\0Spectrum Library files (*.spe)\0*.spe\0"
      "Valve Library files (*.val)\0*.val\0Flange Qualification files (*.flg)\0*.flg\0"
      "Nozzle Evaluation files (*.noz)\0*.noz\0Lug Evaluation files (*.lug)\0*.lug\0";
  OPENFILENAME record = FileDialogRecord(owner, buffer, kFilter, "Open");
  // The library window opens libraries first, where its own file lies.
  std::string libraryFolder;
  if (MaterialLibraryWindowOpen()) {
    record.nFilterIndex = 3;
    record.lpstrDefExt = "mat";
    libraryFolder = MaterialLibraryDialogFolder().folder;
    record.lpstrInitialDir = libraryFolder.empty() ? nullptr : libraryFolder.c_str();
  }
  record.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_ENABLEHOOK;
  if (RunFileDialog(record, false)) OpenFileByExtension(owner, buffer.data());
}

std::string StartupFilePath(const std::string& name) {
  std::string path;
  std::copy_if(name.begin(), name.end(), std::back_inserter(path), [](char c) { return c != '"'; });
  // Blanks around the name are the command line's, not the file's.
  const std::size_t first = path.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  path = path.substr(first, path.find_last_not_of(" \t") - first + 1);
  if (path.find_first_of("/\\") == std::string::npos) {
    const std::string current = platform::CurrentFolder();
    if (!current.empty()) path = current + "/" + path;
  }
  return path;
}

bool OpenStartupFile(HWND mainWindow, const std::string& name) {
  SetRecentModelOpener(OpenRecentPath);
  const std::string path = StartupFilePath(name);
  if (path.empty()) return false;
  return OpenFileByExtension(mainWindow, path);
}

void ImportBatchFileFromCommandLine(HWND mainWindow, const std::string& name) {
  SetRecentModelOpener(OpenRecentPath);
  const std::string path = StartupFilePath(name);
  if (path.empty()) return;
  RunBatchFileFromCommandLine(mainWindow, path);
}

void OpenSampleModelFirstRun(HWND mainWindow) {
  const std::string path = ProgramSamplePath();
  if (!platform::FileExists(path)) return;
  if (!OpenStartupFile(mainWindow, path)) {
    ResetModelTitle();
    InitEmptyModel(TheModel(), ProgramAnalysisOptions());
  }
}

void OpenResultsDialog(HWND owner) {
  std::vector<char> buffer = FileNameBuffer(LastResultsPath());
  OPENFILENAME record = FileDialogRecord(owner, buffer, "Results files (*.res)\0*.res\0", "Open Results");
  record.lpstrDefExt = "res";
  record.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_ENABLEHOOK;
  if (!RunFileDialog(record, false)) return;
  const std::string path = buffer.data();
  if (LowerExtension(path) != "res") {
    ShowErrorMessage(owner, "File extension must be : res");
    return;
  }
  LastResultsPath() = path;
  OpenFileByExtension(owner, path);
}
