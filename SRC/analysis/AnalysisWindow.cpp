// The analysis window and AnalyzeModel; see AnalysisWindow.h.
#include "analysis/AnalysisWindow.h"

#include <new>
#include <string>

#include "analysis/AnalysisDriver.h"
#include "analysis/NonlinearIteration.h"
#include "analysis/ProgressWindow.h"
#include "editing/LayoutEditors.h"
#include "elements/DerivedElementData.h"
#include "files/FileCommands.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "platform/Messages.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "services/Message.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"

namespace {

constexpr UINT kStartRun = WM_USER + 20;
constexpr int kAbortButton = 1001;
constexpr int kTimeField = 1507;
constexpr int kQuestion = 1508;
constexpr int kProgressAreas = 1601;
// Where ANALYZE_DIALOG keeps room for the areas (its hidden static 1600),
// in dialog units.
constexpr int kAreasLeft = 7, kAreasTop = 66, kAreasWidth = 262, kAreasHeight = 50;
// The template's margin around its items, in dialog units.
constexpr int kMargin = 7;
constexpr UINT_PTR kClockTimer = 1;
constexpr UINT kClockPeriod = 1000;
constexpr const char* kAborted = "Analysis aborted.";

// Results of the dialog.
constexpr INT_PTR kRunFailed = 0;
constexpr INT_PTR kRunDone = 1;
constexpr INT_PTR kShowResults = 2;
// A batch run whose nonlinear supports were accepted unconverged.
constexpr INT_PTR kRunAccepted = 3;

struct AnalysisWindowState {
  HWND dialog = nullptr;
  bool batch = false;
  bool running = false;
  bool abortRequested = false;
  int seconds = 0;
};
AnalysisWindowState g_Window;

void Show(HWND dialog, int item, bool visible) { ShowWindow(GetDlgItem(dialog, item), visible ? SW_SHOW : SW_HIDE); }

// Serves every message waiting, so the window repaints, its clock runs and
// Abort is heard; a pressed Abort ends the run here.
void PumpMessages() {
  MSG message;
  while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      g_Window.abortRequested = true;
      break;
    }
    if (g_Window.dialog != nullptr && IsDialogMessage(g_Window.dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
  if (g_Window.abortRequested) throw std::string(kAborted);
}

// The run's progress drawn into the window's areas and value fields.
class WindowProgress : public AnalysisProgress {
 public:
  explicit WindowProgress(HWND dialog) : dialog_(dialog), areas_(GetDlgItem(dialog, kProgressAreas)) {}
  void ShowText(ProgressArea area, const std::string& text) override {
    SetProgressAreaText(areas_, area, text);
    PumpMessages();
  }
  void ClearArea(ProgressArea area) override {
    SetProgressAreaText(areas_, area, std::string());
    PumpMessages();
  }
  void SetField(int field, const std::string& text) override { SetDlgItemText(dialog_, field, text.c_str()); }

 private:
  HWND dialog_;
  HWND areas_;
};

// The progress window over the place the template keeps for it (a hidden
// static, whose dialog-unit rectangle is mapped here).
void CreateProgressAreas(HWND dialog) {
  RECT rect{kAreasLeft, kAreasTop, kAreasLeft + kAreasWidth, kAreasTop + kAreasHeight};
  MapDialogRect(dialog, &rect);
  CreateWindowEx(0, kProgressWindowClass, "", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                 rect.right - rect.left, rect.bottom - rect.top, dialog,
                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProgressAreas)), InstanceHandle, nullptr);
  InvalidateRect(GetDlgItem(dialog, kProgressAreas), nullptr, TRUE);
}

// The question takes the place of the areas and of Abort: the window ends
// a margin under its buttons, as it ended under Abort while it ran.
void FitWindowToQuestion(HWND dialog) {
  RECT buttons{};
  GetWindowRect(GetDlgItem(dialog, IDYES), &buttons);
  POINT bottom{buttons.left, buttons.bottom};
  ScreenToClient(dialog, &bottom);
  RECT margin{0, 0, 0, kMargin};
  MapDialogRect(dialog, &margin);
  RECT client{};
  GetClientRect(dialog, &client);
  RECT frame{0, 0, client.right, bottom.y + margin.bottom};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLong(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLong(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER);
}

void AskToSeeResults(HWND dialog) {
  Show(dialog, kAbortButton, false);
  Show(dialog, kProgressAreas, false);
  Show(dialog, kQuestion, true);
  Show(dialog, IDYES, true);
  Show(dialog, IDNO, true);
  FitWindowToQuestion(dialog);
  SetFocus(GetDlgItem(dialog, IDYES));
}

void OnStartRun(HWND dialog) {
  // The window paints its own background over the areas when it first
  // shows; the areas are painted again on top before the run begins.
  UpdateWindow(dialog);
  HWND areas = GetDlgItem(dialog, kProgressAreas);
  InvalidateRect(areas, nullptr, TRUE);
  UpdateWindow(areas);
  std::string failure;
  g_Window.running = true;
  g_NonlinearAutoAccept = g_Window.batch;
  g_NonlinearDialogOwner = dialog;
  try {
    WindowProgress progress(dialog);
    RunAnalysis(TheModel(), progress);
  } catch (const std::string& message) {
    failure = message;
  } catch (const std::bad_alloc&) {
    failure = "Not enough memory to analyze the model.";
  }
  g_Window.running = false;
  g_NonlinearAutoAccept = false;
  g_NonlinearDialogOwner = nullptr;
  KillTimer(dialog, kClockTimer);
  if (!failure.empty()) {
    // Abort was the user's own choice: nothing to tell.
    if (!(g_Window.abortRequested && failure == kAborted)) ShowErrorMessage(dialog, failure);
    EndDialog(dialog, kRunFailed);
    return;
  }
  // Results accepted before the supports settled are written, but the run
  // is no success: the warning names each such case, and a batch run ends
  // as a failure.
  const std::string unconverged = UnconvergedWarning(TheModel());
  if (!unconverged.empty()) ShowWarningMessage(dialog, unconverged);
  if (g_Window.batch) {
    EndDialog(dialog, unconverged.empty() ? kRunDone : kRunAccepted);
    return;
  }
  AskToSeeResults(dialog);
}

BOOL OnInitDialog(HWND dialog, LPARAM batch) {
  g_Window = AnalysisWindowState{};
  CreateProgressAreas(dialog);
  g_Window.dialog = dialog;
  g_Window.batch = batch != 0;
  SetDlgItemText(dialog, kTimeField, "0");
  SetTimer(dialog, kClockTimer, kClockPeriod, nullptr);
  PostMessage(dialog, kStartRun, 0, 0);
  return TRUE;
}

void OnClock(HWND dialog) {
  ++g_Window.seconds;
  SetDlgItemText(dialog, kTimeField, std::to_string(g_Window.seconds).c_str());
}

BOOL OnCommand(HWND dialog, int id) {
  switch (id) {
    case kAbortButton:
      if (g_Window.running) g_Window.abortRequested = true;
      return TRUE;
    case IDCANCEL:
      if (g_Window.running) g_Window.abortRequested = true;
      else EndDialog(dialog, kRunDone);
      return TRUE;
    case IDYES:
      if (!g_Window.running) EndDialog(dialog, kShowResults);
      return TRUE;
    case IDNO:
      if (!g_Window.running) EndDialog(dialog, kRunDone);
      return TRUE;
    default: return FALSE;
  }
}

INT_PTR AnalysisDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case kStartRun: OnStartRun(dialog); return TRUE;
    case WM_TIMER: OnClock(dialog); return TRUE;
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    case WM_CLOSE: return OnCommand(dialog, IDCANCEL);
    case WM_DESTROY: g_Window.dialog = nullptr; return FALSE;
    default: return FALSE;
  }
}

}  // namespace

bool AnalyzeModel(HWND owner, bool batch) {
  Model& model = TheModel();
  int refusedRow = 0;
  if (!CheckAnalysisElements(model, owner)) return false;
  try {
    CheckModelAnalysable(model, &refusedRow);
  } catch (const std::string& message) {
    if (refusedRow != 0) SetCurrentLayoutRow(refusedRow);
    ShowErrorMessage(owner, message);
    return false;
  }
  // The results go beside the model file: an untitled model is named first.
  if (model.path.empty()) {
    if (batch) {
      ShowErrorMessage(owner, "The model must be saved before it is analyzed.");
      return false;
    }
    if (!SaveModelAs(owner)) return false;
  }
  const INT_PTR result = DialogBoxParam(InstanceHandle, "ANALYZE_DIALOG", owner, AnalysisDialogProc, batch ? 1 : 0);
  // The results just written open through the one entry every road takes.
  if (result == kShowResults) ProgramCommands().openResults(batch);
  return result != kRunFailed && result != kRunAccepted;
}
