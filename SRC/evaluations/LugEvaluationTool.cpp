// The lug evaluation tool's window, its file commands and its menu (see
// LugEvaluationTool.h).
#include "evaluations/LugEvaluationTool.h"

#include "evaluations/EvaluationFrame.h"
#include "evaluations/LugEvaluationDialog.h"
#include "evaluations/LugEvaluationFile.h"
#include "evaluations/LugEvaluationModel.h"
#include "evaluations/LugEvaluationReport.h"
#include "files/FileCommands.h"
#include "graphics/DialogHook.h"
#include "graphics/PrintSheet.h"
#include "graphics/ReportOutput.h"
#include "model/ListWindow.h"
#include "model/NewDocument.h"
#include "platform/CommonDialog.h"
#include "platform/Window.h"
#include "shell/AppFonts.h"
#include "shell/Application.h"
#include "shell/FileDialogs.h"
#include "shell/Frame.h"
#include "shell/MainWindow.h"
#include "shell/Message.h"
#include "shell/Settings.h"
#include "shell/UnitsDialog.h"

namespace {

constexpr int kCloseDialogsCommand = 301;

enum class SaveResult { Saved, Cancelled, Failed };

bool OnCommand(HWND window, int commandId) {
  LugToolCommand(window, commandId);
  return true;
}
void OnClose(HWND window);

ListFrameTool& LugFrameHook() {
  static ListFrameTool tool;
  tool.command = OnCommand;
  tool.close = OnClose;
  tool.leave = LeaveLugTool;
  tool.toolTip = EvaluationToolTipText;
  return tool;
}

EvaluationFrameTool FrameTool() {
  return {"LUG_EVALUATION", "LUG_ACCEL", kPlacementLugEvaluation, &LugFrameHook()};
}

bool SaveCheck(HWND owner) { return !LugModified() || AskSaveLugChanges(owner) != IDCANCEL; }

// New and Open ask the save question before their chooser; the document
// then picked leaves the tool without asking again.
bool& SaveQuestionAnswered() {
  static bool answered = false;
  return answered;
}
struct AskedBefore {
  AskedBefore() { SaveQuestionAnswered() = true; }
  ~AskedBefore() { SaveQuestionAnswered() = false; }
  AskedBefore(const AskedBefore&) = delete;
  AskedBefore& operator=(const AskedBefore&) = delete;
};

// The document's file; the report file proposed follows it while the
// tool is open (closing leaves the proposal to the next document).
void SetPath(const std::string& path, bool closing = false) {
  LugDocument& document = TheLugDocument();
  SetEvaluationDocumentPath(document.file, path);
  if (!closing) g_OutputFileName = document.file.reportName;
  if (path.empty())
    ClearReportDocumentPath();
  else
    SetReportDocumentPath(path);
}

SaveResult SaveAs(HWND owner) {
  LugDocument& document = TheLugDocument();
  FilePathQuestion question;
  question.title = "Save Data As";
  question.filter = "Lug Evaluation files (*.lug)\0*.lug\0";
  question.defaultExtension = "lug";
  question.name = document.file.path.empty() ? std::string() : EvaluationDocumentName(document.file);
  question.folder = document.file.path.empty() ? ModelDialogFolder().folder : document.file.folder;
  question.save = true;
  question.hook = FileDialogHookProc;
  const std::string path = AskFilePath(owner, question);
  if (path.empty()) return SaveResult::Cancelled;
  // An evaluation under another extension could not be opened again.
  if (LowerExtension(path) != "lug") {
    ShowErrorMessage(owner, "File extension must be : lug");
    return SaveResult::Failed;
  }
  const std::string previous = document.file.path;
  SetPath(path);
  if (!SaveLug(owner)) {
    SetPath(previous);
    return SaveResult::Failed;
  }
  RefreshLugWindow();  // the title names the new file
  return SaveResult::Saved;
}

void OnClose(HWND window) {
  if (!SaveCheck(window)) return;
  CloseLugWindow();
  if (MainFrame().window != nullptr) PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
}

}  // namespace

bool LugToolHoldsListFrame() { return TheLugDocument().windowOpen; }

bool LeaveLugTool(HWND owner) {
  if (!LugToolHoldsListFrame()) return true;
  if (!SaveQuestionAnswered() && !SaveCheck(owner)) return false;
  CloseLugWindow();
  return true;
}

void NewLugEvaluationDocument(HWND owner) {
  if (!LeaveListFrameTool(owner)) return;
  CloseModel();
  SetPath("");
  ResetLugInputs();
  OpenLugWindow();
}

bool OpenLugEvaluationFile(HWND owner, const std::string& path) {
  LugInputs data = TheLugDocument().data;
  UnitsSettings units = g_UnitsSettings;
  try {
    ReadLugFileInto(path, data, units);
  } catch (const std::string& text) {
    ShowErrorMessage(owner, text);
    return false;
  }
  if (!LeaveListFrameTool(owner)) return false;
  CloseModel();
  LugDocument& document = TheLugDocument();
  document.data = data;
  g_UnitsSettings = units;
  SetPath(path);
  SetFolderFromPath(path, ModelDialogFolder());
  document.analysed = false;
  SetLugModified(false);
  OpenLugWindow();
  return true;
}

void OpenLugWindow() {
  LugDocument& document = TheLugDocument();
  if (!document.windowOpen && ListFrame().window != nullptr) {
    TakeListFrameForEvaluation(FrameTool());
    document.windowOpen = true;
  }
  RefreshLugWindow();
}

void CloseLugWindow() {
  LugDocument& document = TheLugDocument();
  if (!document.windowOpen) return;
  document.windowOpen = false;
  SetPath("", true);
  document.analysed = false;
  SetLugModified(false);
  GiveBackListFrameFromEvaluation(FrameTool());
}

int AskSaveLugChanges(HWND owner) {
  const LugDocument& document = TheLugDocument();
  const int answer = AskSaveChanges(owner, EvaluationDocumentName(document.file));
  if (answer != IDYES) return answer;
  if (!document.file.path.empty()) return SaveLug(owner) ? IDYES : IDCANCEL;
  return SaveAs(owner) == SaveResult::Saved ? IDYES : IDCANCEL;
}

bool SaveLug(HWND owner) {
  try {
    WriteLugFile();
  } catch (const std::string& text) {
    ShowErrorMessage(owner, text);
    return false;
  }
  ShowNotice(owner, "Input data saved");
  return true;
}

bool SaveLugAs(HWND owner) { return SaveAs(owner) == SaveResult::Saved; }

void AnalyzeLugEvaluation(HWND owner) {
  if (LugModified() && AskSaveLugChanges(owner) != IDYES) return;
  LugDocument& document = TheLugDocument();
  const std::string refusal = LugInputRefusal(document.data);
  if (!refusal.empty()) {
    ShowErrorMessage(owner, refusal);
    return;
  }
  document.analysed = true;
  OpenLugWindow();
}

void LugToolCommand(HWND window, int commandId) {
  switch (commandId) {
    case 101:
      if (SaveCheck(window)) {
        const AskedBefore asked;
        NewDocumentDialog(window);
      }
      return;
    case 102:
      if (SaveCheck(window)) {
        const AskedBefore asked;
        OpenModelDialog(window);
      }
      return;
    case 103:
      if (LeaveLugTool(window)) ShowMainWindow();
      return;
    case 104:
      if (TheLugDocument().file.path.empty())
        SaveLugAs(window);
      else
        SaveLug(window);
      return;
    case 105: SaveLugAs(window); return;
    case 40082: AnalyzeLugEvaluation(window); return;
    case 106: ShowPrintSheet(window); return;
    case 110: SendMessage(window, WM_CLOSE, 0, 0); return;
    case 40052:
    case 40083:
      if (EditLugEvaluation(window)) OpenLugWindow();
      return;
    case 431:
      ChooseUnits(window);
      OpenLugWindow();
      return;
    case 411: ChooseTextFont(window); return;
    case 900: ShowInfoMessage(window, "There is no help viewer on this system."); return;
    case 903: DialogBox(InstanceHandle, "ABOUT_DIALOG", window, AboutDialogProc); return;
    case kCloseDialogsCommand: FrameCancelPopups(ListFrame()); return;
    default: return;  // Insert and Delete: nothing in the report to act on
  }
}
