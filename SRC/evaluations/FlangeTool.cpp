// The flange qualification tool's window, its files and its commands (see
// FlangeTool.h).
#include "evaluations/FlangeTool.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "evaluations/EvaluationFrame.h"
#include "evaluations/FlangeCalculation.h"
#include "evaluations/FlangeFile.h"
#include "evaluations/FlangeModel.h"
#include "evaluations/FlangeSheet.h"
#include "evaluations/FlangeStressesReport.h"
#include "files/FileCommands.h"
#include "graphics/DialogHook.h"
#include "graphics/PrintSheet.h"
#include "graphics/ReportOutput.h"
#include "model/ListWindow.h"
#include "model/NewDocument.h"
#include "platform/CommonDialog.h"
#include "platform/Menu.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "shell/AppFonts.h"
#include "shell/Application.h"
#include "shell/Frame.h"
#include "shell/MainWindow.h"
#include "shell/Message.h"
#include "shell/Settings.h"
#include "shell/TableWindow.h"
#include "shell/UnitsDialog.h"

namespace {

constexpr int kCloseDialogsCommand = 301;
constexpr std::size_t kFileBufferLength = 260;

enum class SaveResult { Saved, Cancelled, Failed };

bool OnCommand(HWND window, int commandId) {
  FlangeToolCommand(window, commandId);
  return true;  // the tool's frame runs no List window command
}
void OnClose(HWND window);

// The List frame's hook while the tool holds it; its accelerators are the
// tool's table, loaded when it takes the frame.
ListFrameTool& FlangeFrameTool() {
  static ListFrameTool tool;
  tool.command = OnCommand;
  tool.close = OnClose;
  tool.leave = LeaveFlangeTool;
  tool.toolTip = FlangeToolTipText;
  return tool;
}

EvaluationFrameTool FrameTool() {
  return {"FLANGE_ANALYSIS", "FLANGE_ACCEL", kPlacementFlangeQualification, &FlangeFrameTool()};
}

std::string FileName() {
  const FlangeDocument& document = TheFlangeDocument();
  return document.path.empty() ? "Untitled" : document.path.substr(document.folder.size());
}

// The save question's road: true when the command may go on.
bool SaveCheck(HWND owner) { return !FlangeModified() || FlangeWindowIsOpen(owner) != IDCANCEL; }

// New and Open ask the save question before their chooser; the document
// that the user then picks leaves the tool without asking it again (a No
// leaves the document modified).
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

SaveResult SaveAs(HWND owner) {
  FlangeDocument& document = TheFlangeDocument();
  std::vector<char> buffer(kFileBufferLength, '\0');
  const std::string name = document.path.empty() ? std::string() : FileName();
  std::copy_n(name.begin(), std::min(name.size(), buffer.size() - 1), buffer.begin());
  const std::string folder = document.path.empty() ? ModelDialogFolder().folder : document.folder;
  OPENFILENAME record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = owner;
  record.hInstance = InstanceHandle;
  record.lpstrFilter = "Flange Qualification files (*.flg)\0*.flg\0";
  record.nFilterIndex = 1;
  record.lpstrFile = buffer.data();
  record.nMaxFile = static_cast<DWORD>(buffer.size());
  record.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  record.lpstrTitle = "Save As";
  record.lpstrDefExt = "flg";
  record.lpfnHook = FileDialogHookProc;
  record.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY |
                 OFN_ENABLEHOOK;
  if (!GetSaveFileName(&record)) return SaveResult::Cancelled;
  const std::string path = buffer.data();
  // A document under another extension could not be opened again.
  if (LowerExtension(path) != "flg") {
    ShowErrorMessage(owner, "File extension must be : flg");
    return SaveResult::Failed;
  }
  const std::string previous = document.path;
  SetFlangeFilePath(path);
  if (!SaveFlangeFile(owner)) {
    SetFlangeFilePath(previous);
    return SaveResult::Failed;
  }
  g_OutputFileName = document.reportName;  // the report file it proposes
  SetReportDocumentPath(path);                // and the name its pages carry
  ShowFlangeStressesReport();                 // the title names the new file
  return SaveResult::Saved;
}

void OnClose(HWND window) {
  if (!SaveCheck(window)) return;
  CloseFlangeWindow();
  if (MainFrame().window != nullptr) PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
}

void EditCommand(HWND window) {
  FlangeQualificationSheet(window);
  ShowFlangeStressesReport();
}

void AnalyzeCommand(HWND window) {
  if (FlangeModified() && FlangeWindowIsOpen(window) != IDYES) return;
  FlangeStressCalculation(window);
}

}  // namespace

bool FlangeToolHoldsListFrame() { return TheFlangeDocument().windowOpen; }

bool LeaveFlangeTool(HWND owner) {
  if (!FlangeToolHoldsListFrame()) return true;
  if (!SaveQuestionAnswered() && !SaveCheck(owner)) return false;
  CloseFlangeWindow();
  return true;
}

void NewFlangeQualification(HWND owner) {
  if (!LeaveListFrameTool(owner)) return;
  CloseModel();
  SetFlangeFilePath("");
  ResetFlangeData();
  OpenFlangeWindow();
}

bool OpenFlangeQualificationFile(HWND owner, const std::string& path) {
  FlangeQualificationData data;
  UnitsSettings units = g_UnitsSettings;
  try {
    ReadFlangeFileInto(path, data, units);
  } catch (const std::string& text) {
    ShowErrorMessage(owner, text);
    return false;
  }
  // Whatever holds the List frame (this tool too) is left after its save
  // question; Cancel keeps it and the file is not opened.
  if (!LeaveListFrameTool(owner)) return false;
  CloseModel();
  FlangeDocument& document = TheFlangeDocument();
  document.data = data;
  g_UnitsSettings = units;
  SetFlangeFilePath(path);
  SetFolderFromPath(path, ModelDialogFolder());
  g_OutputFileName = document.reportName;
  document.analysed = false;
  SetFlangeModified(false);
  OpenFlangeWindow();
  return true;
}

void OpenFlangeWindow() {
  FlangeDocument& document = TheFlangeDocument();
  SetReportDocumentPath(document.path);  // the printed pages name the document, not the closed model
  Frame& frame = ListFrame();
  if (document.windowOpen || frame.window == nullptr) {
    ShowFlangeStressesReport();
    return;
  }
  TakeListFrameForEvaluation(FrameTool());
  document.windowOpen = true;
  ShowFlangeStressesReport();
}

void CloseFlangeWindow() {
  FlangeDocument& document = TheFlangeDocument();
  if (!document.windowOpen) return;
  document.windowOpen = false;
  ClearReportDocumentPath();
  SetFlangeFilePath("");
  document.analysed = false;
  SetFlangeModified(false);
  GiveBackListFrameFromEvaluation(FrameTool());
}

int FlangeWindowIsOpen(HWND owner) {
  const int answer = AskSaveChanges(owner, FileName());
  if (answer != IDYES) return answer;
  if (!TheFlangeDocument().path.empty()) return SaveFlangeFile(owner) ? IDYES : IDCANCEL;
  return SaveAs(owner) == SaveResult::Saved ? IDYES : IDCANCEL;
}

bool SaveFlangeFile(HWND owner) {
  try {
    WriteFlangeFile();
  } catch (const std::string& text) {
    ShowErrorMessage(owner, text);
    return false;
  }
  ShowNotice(owner, "Flange Qualification file saved");
  return true;
}

bool SaveFlangeFileAs(HWND owner) { return SaveAs(owner) != SaveResult::Failed; }

void FlangeStressCalculation(HWND owner) {
  FlangeDocument& document = TheFlangeDocument();
  const std::string refusal = FlangeInputRefusal(document.data);
  if (!refusal.empty()) {
    ShowErrorMessage(owner, refusal);
    return;
  }
  document.analysed = true;
  document.results = CalculateFlange(document.data);
  WriteFlangeDebugLines(document.results);
  ShowFlangeStressesReport();
  ShowNotice(owner, "Flange Analyzed");
}

void FlangeToolCommand(HWND window, int commandId) {
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
      if (LeaveFlangeTool(window)) ShowMainWindow();
      return;
    case 104:
      if (TheFlangeDocument().path.empty())
        SaveFlangeFileAs(window);
      else
        SaveFlangeFile(window);
      return;
    case 105: SaveFlangeFileAs(window); return;
    case 40040: AnalyzeCommand(window); return;
    case 106: ShowPrintSheet(window); return;
    case 110: SendMessage(window, WM_CLOSE, 0, 0); return;
    case 40039: EditCommand(window); return;
    case 431:
      ChooseUnits(window);
      ShowFlangeStressesReport();
      return;
    case 411: ChooseTextFont(window); return;
    case 900: ShowInfoMessage(window, "There is no help viewer on this system."); return;
    case 903: DialogBox(InstanceHandle, "ABOUT_DIALOG", window, AboutDialogProc); return;
    case kCloseDialogsCommand: FrameCancelPopups(ListFrame()); return;
    default: return;  // Insert and Delete: nothing in the report to act on
  }
}

std::string FlangeToolTipText(int commandId) { return EvaluationToolTipText(commandId); }
