// The nozzle evaluation tool's window, its file commands and its menu (see
// NozzleEvaluationTool.h).
#include "evaluations/NozzleEvaluationTool.h"

#include "evaluations/EvaluationFrame.h"
#include "evaluations/NozzleEvaluationDialog.h"
#include "evaluations/NozzleEvaluationFile.h"
#include "evaluations/NozzleEvaluationModel.h"
#include "evaluations/NozzleEvaluationReport.h"
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
  NozzleToolCommand(window, commandId);
  return true;
}
void OnClose(HWND window);

ListFrameTool& NozzleFrameHook() {
  static ListFrameTool tool;
  tool.command = OnCommand;
  tool.close = OnClose;
  tool.leave = LeaveNozzleTool;
  tool.toolTip = EvaluationToolTipText;
  return tool;
}

EvaluationFrameTool FrameTool() {
  return {"NOZZLE_QUALIFICATION", "NOZZLE_ACCEL", kPlacementNozzleAllowableLoads, &NozzleFrameHook()};
}

bool SaveCheck(HWND owner) { return !NozzleModified() || SaveNozzleEvaluation(owner) != IDCANCEL; }

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
  NozzleDocument& document = TheNozzleDocument();
  SetEvaluationDocumentPath(document.file, path);
  if (!closing) g_OutputFileName = document.file.reportName;
  if (path.empty())
    ClearReportDocumentPath();
  else
    SetReportDocumentPath(path);
}

SaveResult SaveAs(HWND owner) {
  NozzleDocument& document = TheNozzleDocument();
  FilePathQuestion question;
  question.title = "Save Data As";
  question.filter = "Nozzle Evaluation files (*.noz)\0*.noz\0";
  question.defaultExtension = "noz";
  question.name = document.file.path.empty() ? std::string() : EvaluationDocumentName(document.file);
  question.folder = document.file.path.empty() ? ModelDialogFolder().folder : document.file.folder;
  question.save = true;
  question.hook = FileDialogHookProc;
  const std::string path = AskFilePath(owner, question);
  if (path.empty()) return SaveResult::Cancelled;
  // An evaluation under another extension could not be opened again.
  if (LowerExtension(path) != "noz") {
    ShowErrorMessage(owner, "File extension must be : noz");
    return SaveResult::Failed;
  }
  const std::string previous = document.file.path;
  SetPath(path);
  if (!SaveNozzleEvaluationFile(owner)) {
    SetPath(previous);
    return SaveResult::Failed;
  }
  RefreshNozzleEvaluationWindow();  // the title names the new file
  return SaveResult::Saved;
}

void OnClose(HWND window) {
  if (!SaveCheck(window)) return;
  CloseNozzleEvaluation();
  if (MainFrame().window != nullptr) PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
}

}  // namespace

bool NozzleToolHoldsListFrame() { return TheNozzleDocument().windowOpen; }

bool LeaveNozzleTool(HWND owner) {
  if (!NozzleToolHoldsListFrame()) return true;
  if (!SaveQuestionAnswered() && !SaveCheck(owner)) return false;
  CloseNozzleEvaluation();
  return true;
}

void NewNozzleEvaluationDocument(HWND owner) {
  if (!LeaveListFrameTool(owner)) return;
  CloseModel();
  SetPath("");
  NewNozzleEvaluation();
  OpenNozzleEvaluationWindow();
}

bool OpenNozzleEvaluationFile(HWND owner, const std::string& path) {
  NozzleEvaluation data = TheNozzleDocument().data;
  UnitsSettings units = g_UnitsSettings;
  try {
    ReadNozzleFileInto(path, data, units);
  } catch (const std::string& text) {
    ShowErrorMessage(owner, text);
    return false;
  }
  if (!LeaveListFrameTool(owner)) return false;
  CloseModel();
  NozzleDocument& document = TheNozzleDocument();
  document.data = data;
  g_UnitsSettings = units;
  SetPath(path);
  SetFolderFromPath(path, ModelDialogFolder());
  document.analysed = false;
  SetNozzleModified(false);
  OpenNozzleEvaluationWindow();
  return true;
}

void OpenNozzleEvaluationWindow() {
  NozzleDocument& document = TheNozzleDocument();
  if (!document.windowOpen && ListFrame().window != nullptr) {
    TakeListFrameForEvaluation(FrameTool());
    document.windowOpen = true;
  }
  RefreshNozzleEvaluationWindow();
}

void CloseNozzleEvaluation() {
  NozzleDocument& document = TheNozzleDocument();
  if (!document.windowOpen) return;
  document.windowOpen = false;
  SetPath("", true);
  document.analysed = false;
  SetNozzleModified(false);
  GiveBackListFrameFromEvaluation(FrameTool());
}

int SaveNozzleEvaluation(HWND owner) {
  const NozzleDocument& document = TheNozzleDocument();
  const int answer = AskSaveChanges(owner, EvaluationDocumentName(document.file));
  if (answer != IDYES) return answer;
  if (!document.file.path.empty()) return SaveNozzleEvaluationFile(owner) ? IDYES : IDCANCEL;
  return SaveAs(owner) == SaveResult::Saved ? IDYES : IDCANCEL;
}

bool SaveNozzleEvaluationFile(HWND owner) {
  try {
    WriteNozzleEvaluationFile();
  } catch (const std::string& text) {
    ShowErrorMessage(owner, text);
    return false;
  }
  ShowNotice(owner, "Input data saved");
  return true;
}

bool SaveNozzleEvaluationAs(HWND owner) { return SaveAs(owner) != SaveResult::Failed; }

void AnalyzeNozzleEvaluation(HWND owner) {
  if (NozzleModified() && SaveNozzleEvaluation(owner) != IDYES) return;
  NozzleDocument& document = TheNozzleDocument();
  const std::string refusal = NozzleInputRefusal(document.data);
  if (!refusal.empty()) {
    ShowErrorMessage(owner, refusal);
    return;
  }
  document.analysed = true;
  OpenNozzleEvaluationWindow();
  const std::string foreground = NozzleReportForegroundMessage();
  if (!foreground.empty()) ShowErrorOnForeground(foreground);
}

void NozzleToolCommand(HWND window, int commandId) {
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
      if (LeaveNozzleTool(window)) ShowMainWindow();
      return;
    case 104:
      if (TheNozzleDocument().file.path.empty())
        SaveNozzleEvaluationAs(window);
      else
        SaveNozzleEvaluationFile(window);
      return;
    case 105: SaveNozzleEvaluationAs(window); return;
    case 40053: AnalyzeNozzleEvaluation(window); return;
    case 106: ShowPrintSheet(window); return;
    case 110: SendMessage(window, WM_CLOSE, 0, 0); return;
    case 40052:
      if (EditNozzleEvaluation(window)) OpenNozzleEvaluationWindow();
      return;
    case 431:
      ChooseUnits(window);
      OpenNozzleEvaluationWindow();
      return;
    case 411: ChooseTextFont(window); return;
    case 900: ShowInfoMessage(window, "There is no help viewer on this system."); return;
    case 903: DialogBox(InstanceHandle, "ABOUT_DIALOG", window, AboutDialogProc); return;
    case kCloseDialogsCommand: FrameCancelPopups(ListFrame()); return;
    default: return;  // Insert and Delete: nothing in the report to act on
  }
}
