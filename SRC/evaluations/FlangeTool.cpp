// The flange qualification tool's window, its files and its commands (see
// FlangeTool.h).
#include "evaluations/FlangeTool.h"

#include <algorithm>
#include <cstdint>
#include <vector>

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

constexpr int kSmallToolbar = 103;
constexpr int kLargeToolbar = 104;
constexpr int kToolbarImages = 43;
constexpr int kImageNew = 0, kImageOpen = 1, kImageSave = 2, kImagePrint = 3;
constexpr int kCloseDialogsCommand = 301;
constexpr std::size_t kFileBufferLength = 260;

// What the List frame had before the tool took it.
struct BorrowedFrame {
  WINDOWPLACEMENT placement{};
  HMENU menu = nullptr;
  HACCEL accelerators = nullptr;
  HWND smallToolbar = nullptr, largeToolbar = nullptr;
  // The tool's own, made when it takes the frame and destroyed when it
  // gives it back.
  HMENU toolMenu = nullptr;
  HACCEL toolAccelerators = nullptr;
  HWND toolSmall = nullptr, toolLarge = nullptr;
};

BorrowedFrame& Borrowed() {
  static BorrowedFrame borrowed;
  return borrowed;
}

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

HWND CreateToolbar(HWND window, int id, int strip, int cell) {
  HWND toolbar = CreateWindowEx(0, TOOLBARCLASSNAME, nullptr, WS_CHILD | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT, 0, 0, 0, 0,
                                window, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), InstanceHandle,
                                nullptr);
  if (toolbar == nullptr) return nullptr;
  SendMessage(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessage(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(cell, cell));
  TBADDBITMAP bitmap{InstanceHandle, static_cast<UINT_PTR>(strip)};
  SendMessage(toolbar, TB_ADDBITMAP, kToolbarImages, reinterpret_cast<LPARAM>(&bitmap));
  TBBUTTON buttons[] = {
      {kImageNew, 101, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {kImageOpen, 102, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {kImageSave, 104, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
      {kImagePrint, 106, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
  };
  SendMessage(toolbar, TB_ADDBUTTONS, sizeof buttons / sizeof buttons[0], reinterpret_cast<LPARAM>(buttons));
  return toolbar;
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
  if (MainFrame().window != nullptr) ShowWindow(MainFrame().window, SW_HIDE);
  BorrowedFrame& borrowed = Borrowed();
  borrowed.placement = frame.Placement();
  borrowed.menu = frame.menu;
  borrowed.accelerators = frame.accelerators;
  borrowed.smallToolbar = frame.smallToolbar;
  borrowed.largeToolbar = frame.largeToolbar;
  WINDOWPLACEMENT placement = FramePlacement(kPlacementFlangeQualification);
  if (placement.length == 0) placement = borrowed.placement;  // never placed: where the List window is
  FrameSetPlacement(frame, placement);
  borrowed.toolMenu = LoadMenu(InstanceHandle, "FLANGE_ANALYSIS");
  FrameSetMenu(frame, borrowed.toolMenu);
  borrowed.toolAccelerators = LoadAccelerators(InstanceHandle, "FLANGE_ACCEL");
  frame.accelerators = borrowed.toolAccelerators;
  ActiveAccelerators = borrowed.toolAccelerators;
  ActiveWindow = frame.window;
  borrowed.toolSmall = CreateToolbar(frame.window, kSmallToolbar, 1801, 16);
  borrowed.toolLarge = CreateToolbar(frame.window, kLargeToolbar, 1802, 32);
  FrameSetToolbars(frame, borrowed.toolSmall, borrowed.toolLarge);
  FlangeFrameTool().accelerators = borrowed.toolAccelerators;
  SetListFrameTool(&FlangeFrameTool());
  document.windowOpen = true;
  FrameShow(frame);
  ShowFlangeStressesReport();
}

void CloseFlangeWindow() {
  FlangeDocument& document = TheFlangeDocument();
  if (!document.windowOpen) return;
  document.windowOpen = false;
  SetListFrameTool(nullptr);
  ClearReportDocumentPath();
  SetFlangeFilePath("");
  document.analysed = false;
  SetFlangeModified(false);
  Frame& frame = ListFrame();
  BorrowedFrame& borrowed = Borrowed();
  if (frame.window != nullptr && IsWindow(frame.window)) {
    FrameRecordPlacement(frame);
    FramePlacement(kPlacementFlangeQualification) = frame.Placement();
    if (HWND table = ListTableWindow(0)) TableWindowClose(table);
    ShowWindow(frame.window, SW_HIDE);
    SetWindowText(frame.window, ProgramTitle.c_str());
    frame.Placement() = borrowed.placement;
    WINDOWPLACEMENT hidden = borrowed.placement;
    hidden.showCmd = SW_HIDE;
    SetWindowPlacement(frame.window, &hidden);
    FrameSetMenu(frame, borrowed.menu);
    frame.accelerators = borrowed.accelerators;
    FrameSetToolbars(frame, borrowed.smallToolbar, borrowed.largeToolbar);
    for (HWND toolbar : {borrowed.toolSmall, borrowed.toolLarge})
      if (toolbar != nullptr && IsWindow(toolbar)) DestroyWindow(toolbar);
  }
  if (borrowed.toolMenu != nullptr) DestroyMenu(borrowed.toolMenu);
  if (borrowed.toolAccelerators != nullptr) DestroyAcceleratorTable(borrowed.toolAccelerators);
  borrowed = BorrowedFrame{};
  ActiveWindow = MainFrame().window;
  ActiveAccelerators = MainAccelerators;
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

std::string FlangeToolTipText(int commandId) {
  switch (commandId) {
    case 101: return "New";
    case 102: return "Open";
    case 104: return "Save";
    case 106: return "Print";
    default: return "Unknown";
  }
}
