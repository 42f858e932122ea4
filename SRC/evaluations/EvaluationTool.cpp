// The evaluation tools' shared window, file and command road (see
// EvaluationTool.h).
#include "evaluations/EvaluationTool.h"

#include "platform/CommonDialog.h"
#include "platform/Window.h"
#include "printing/PrintSheet.h"
#include "printing/ReportOutput.h"
#include "services/AboutDialog.h"
#include "services/AppFonts.h"
#include "services/DialogHook.h"
#include "services/FileDialogs.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/Settings.h"

namespace {

constexpr int kCloseDialogsCommand = 301;

}  // namespace

bool EvaluationTool::Leave(HWND owner) {
  if (!WindowOpen()) return true;
  if (!saveQuestionAnswered_ && !SaveCheck(owner)) return false;
  Close();
  return true;
}

void EvaluationTool::OnClose(HWND window) {
  if (!SaveCheck(window)) return;
  Close();
  if (MainFrame().window != nullptr) PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
}

void EvaluationTool::New(HWND owner) {
  if (!LeaveListFrameTool(owner)) return;
  ProgramCommands().closeModel();
  StartNew();
  OpenWindow();
}

bool EvaluationTool::Open(HWND owner, const std::string& path) {
  try {
    ReadCopies(path);
  } catch (const std::string& text) {
    ShowErrorMessage(owner, text);
    return false;
  }
  // Whatever holds the List frame (this tool too) is left after its save
  // question; Cancel keeps it and the file is not opened.
  if (!LeaveListFrameTool(owner)) return false;
  ProgramCommands().closeModel();
  TakeRead(path);
  SetFolderFromPath(path, ModelDialogFolder());
  SetModified(false);
  OpenWindow();
  return true;
}

void EvaluationTool::OpenWindow() {
  BeforeShow();
  if (!WindowOpen() && ListFrame().window != nullptr) {
    TakeListFrameForEvaluation(FrameTool());
    WindowOpen() = true;
  }
  ShowDocument();
}

void EvaluationTool::Close() {
  if (!WindowOpen()) return;
  WindowOpen() = false;
  ClearReportDocumentPath();
  ForgetDocument();
  SetModified(false);
  GiveBackListFrameFromEvaluation(FrameTool());
}

int EvaluationTool::AskSave(HWND owner) {
  const int answer = AskSaveChanges(owner, Name());
  if (answer != IDYES) return answer;
  if (!Path().empty()) return SaveFile(owner) ? IDYES : IDCANCEL;
  return SaveAs(owner) == SaveResult::Saved ? IDYES : IDCANCEL;
}

bool EvaluationTool::SaveFile(HWND owner) {
  try {
    Write();
  } catch (const std::string& text) {
    ShowErrorMessage(owner, text);
    return false;
  }
  ShowNotice(owner, SavedNotice());
  return true;
}

EvaluationTool::SaveResult EvaluationTool::SaveAs(HWND owner) {
  FilePathQuestion question;
  question.title = SaveAsTitle();
  question.filter = Filter();
  question.defaultExtension = Extension();
  question.name = Path().empty() ? std::string() : Name();
  question.folder = Path().empty() ? ModelDialogFolder().folder : Folder();
  question.save = true;
  question.hook = FileDialogHookProc;
  const std::string path = AskFilePath(owner, question);
  if (path.empty()) return SaveResult::Cancelled;
  // A document under another extension could not be opened again.
  if (LowerExtension(path) != Extension()) {
    ShowErrorMessage(owner, std::string("File extension must be : ") + Extension());
    return SaveResult::Failed;
  }
  return SaveUnder(owner, path) ? SaveResult::Saved : SaveResult::Failed;
}

void EvaluationTool::AfterSaveQuestion(HWND window, void (*chooser)(HWND)) {
  if (!SaveCheck(window)) return;
  saveQuestionAnswered_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{saveQuestionAnswered_};
  chooser(window);
}

void EvaluationTool::Command(HWND window, int commandId) {
  switch (commandId) {
    case 101: AfterSaveQuestion(window, ProgramCommands().newDocumentDialog); return;
    case 102: AfterSaveQuestion(window, ProgramCommands().openModelDialog); return;
    case 103:
      if (Leave(window)) ProgramCommands().showMainWindow();
      return;
    case 104:
      if (Path().empty())
        SaveAs(window);
      else
        SaveFile(window);
      return;
    case 105: SaveAs(window); return;
    case 106: ShowPrintSheet(window); return;
    case 110: SendMessage(window, WM_CLOSE, 0, 0); return;
    case 431:
      ProgramCommands().chooseUnits(window);
      ShowDocument();
      return;
    case 411: ChooseTextFont(window); return;
    case 900: ShowInfoMessage(window, "There is no help viewer on this system."); return;
    case 903: DialogBox(InstanceHandle, "ABOUT_DIALOG", window, AboutDialogProc); return;
    case kCloseDialogsCommand: FrameCancelPopups(ListFrame()); return;
    default: break;
  }
  if (commandId == AnalyzeCommand()) {
    if (Modified() && AskSave(window) != IDYES) return;
    Analyze(window);
  } else if (IsEditCommand(commandId)) {
    Edit(window);
  }
  // Insert and Delete: nothing in the report to act on
}

void EvaluationFileTool::SetPath(const std::string& path) {
  EvaluationDocumentPath& file = File();
  SetEvaluationDocumentPath(file, path);
  g_OutputFileName = file.reportName;
  if (path.empty())
    ClearReportDocumentPath();
  else
    SetReportDocumentPath(path);
}

bool EvaluationFileTool::SaveUnder(HWND owner, const std::string& path) {
  const std::string previous = File().path;
  SetPath(path);
  if (!SaveFile(owner)) {
    SetPath(previous);
    return false;
  }
  ShowDocument();  // the title names the new file
  return true;
}
