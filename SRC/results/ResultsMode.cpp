// Entering and leaving results mode; see ResultsMode.h. Start at
// OpenResults.
#include "results/ResultsMode.h"
#include "results/RotatingEquipmentReport.h"

#include <cstdlib>

#include "codes/CodeStressDriver.h"
#include "editing/LayoutEditors.h"
#include "editing/LayoutTable.h"
#include "editing/ModelWindows.h"
#include "editing/WeightAndCg.h"
#include "evaluations/FlangeReport.h"
#include "model/AnalysisElements.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "model/Regenerate.h"
#include "model/RowObjects.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "results/CodeStressResults.h"
#include "results/DynamicStresses.h"
#include "results/JointDisplacementTables.h"
#include "results/OtherSelectors.h"
#include "results/PrintSelection.h"
#include "results/ResultChooser.h"
#include "results/ResultsWindow.h"
#include "results/ShapeDisplay.h"
#include "results/TimeHistoryTables.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultsFile.h"
#include "services/BinaryFile.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"
#include "services/ViewRequests.h"
#include "supports/SupportKindList.h"
#include "supports/SupportLoadSummary.h"

int g_FaultRow = 0;

namespace {

constexpr int kResultChooserCommand = 174;
// The Misc menus' property-table entries, grayed in results mode while
// their table is empty.
constexpr int kMiscTables[] = {188, 189, 190, 307, 308, 309, 193, 194, 195, 251};

struct ModeState {
  bool inResults = false;
  bool batch = false;
};

ModeState& Mode() {
  static ModeState state;
  return state;
}

// The messages of the checked reader and of the post-read steps that do not
// say so themselves begin with the reader's own refusal.
std::string RefusalText(const std::string& message) {
  constexpr const char* kUnreadable = "Unable to read results file";
  if (message.find(kUnreadable) != std::string::npos || message.rfind("Program version", 0) == 0) return message;
  return std::string(kUnreadable) + "\n" + message;
}

int BranchSifRows(const Model& model) { return model.lists[RowListKind::BranchSifs].count; }

void ShowFailure(const std::string& message) {
  HWND owner = GetForegroundWindow();
  if (owner == nullptr) owner = LayoutFrame().window;
  ShowErrorMessage(owner, message);
}

// Results mode was left (or never entered) after a refusal: the model stays
// as it was and its windows come back, on the row in fault when a step named
// one.
void BackToTheModel(bool batch) {
  if (batch) return;
  ShowModelWindows();
  if (g_FaultRow != 0) SetCurrentLayoutRow(g_FaultRow);
}

// The support items keep their case loads of the last case shown; leaving
// results clears them with the rest of what the results built.
void FreeResultArrays(Model& model) {
  FreeDynamicStressResults();
  HideHighlight();
  FreeSupportLoadSummary(model);
  FreeCodeStresses();
  FreeFlangeReport();
  FreeResultBuffers();
  TheResults() = ResultsFileContents{};
  ClearResultCases();
  ResultChooserList().clear();
  ForgetSupportKinds();
  DisplacementFamily().kinds.clear();
  ForceFamily().kinds.clear();
}

// The window titles name the results file while results are shown, and the
// model file again after.
void NameResultsInTitles(bool results) {
  TitlesNameResults(results);
  for (Frame* frame : {&LayoutFrame(), &ListFrame(), &GraphicsFrame(), &ResultsFrame()})
    if (frame->window != nullptr) FrameTitleText(*frame);
}

void SetF3Partners(bool results) {
  LayoutFrame().previous_frame = results ? &ResultsFrame() : &ListFrame();
  ListFrame().previous_frame = results ? &ResultsFrame() : &LayoutFrame();
  GraphicsFrame().previous_frame = results ? &ResultsFrame() : &LayoutFrame();
  ResultsFrame().previous_frame = &ListFrame();
}

void EnableLayoutSave(bool enabled) {
  for (HWND toolbar : {LayoutFrame().smallToolbar, LayoutFrame().largeToolbar})
    if (toolbar != nullptr) SendMessage(toolbar, TB_ENABLEBUTTON, 104, enabled ? TRUE : FALSE);
}

void EnableMenuBarEdit(Frame& frame, bool enabled) {
  if (frame.menu == nullptr) return;
  EnableMenuItem(frame.menu, 1, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  if (frame.window != nullptr) DrawMenuBar(frame.window);
}

void EnableItems(Frame& frame, std::initializer_list<int> ids, bool enabled) {
  if (frame.menu == nullptr) return;
  for (int id : ids) EnableMenuItem(frame.menu, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

bool InResultsMode() { return Mode().inResults; }
bool ResultsBatchMode() { return Mode().batch; }

void EnterResultsMenus() {
  EnableMenuBarEdit(LayoutFrame(), false);
  EnableMenuBarEdit(ListFrame(), false);
  EnableLayoutSave(false);
  EnableItems(LayoutFrame(), {182, 183, 337}, false);
  const Model& model = TheModel();
  for (int id : kMiscTables)
    if (!MiscTableHasRecords(model, id)) EnableItems(LayoutFrame(), {id}, false), EnableItems(ListFrame(), {id}, false);
  SetF3Partners(true);
}

void LeaveResultsMenus() {
  EnableMenuBarEdit(LayoutFrame(), true);
  EnableMenuBarEdit(ListFrame(), true);
  EnableLayoutSave(true);
  EnableItems(LayoutFrame(), {182, 183, 337}, true);
  for (int id : kMiscTables) {
    EnableItems(LayoutFrame(), {id}, true);
    EnableItems(ListFrame(), {id}, true);
  }
  SetF3Partners(false);
}

// The weight summary of the model whose results were read; a model whose
// elements cannot be made (it was analysed, so it can) keeps no summary.
static void ComputeResultsWeight(const Model& model) {
  TheWeightSummary() = WeightSummary();
  AnalysisElementList elements;
  try {
    GenerateAnalysisElements(model, elements);
  } catch (const std::string&) {
    return;
  }
  ComputeWeightAndCg(model, elements);
}

void PrepareResultsAfterRead(Model& model) {
  Mode().inResults = true;
  SetTableResultsShown(true);
  ResetAllResultTableViews();
  RegenerateModel(model);
  ClearResultCases();
  BinaryFile& file = ResultsReadFile();
  ReadResultsFile(file, ResultsPathOf(model.path), model, TheResults(), ResultsFrame().window);
  ComputeResultsWeight(model);
  ResetResultsCache(model);
  const int code = model.options.PipingCode;
  OrderResultCases(TheResults(), code, ModelHasBuriedPipe(model), BranchSifRows(model));
  ResultCaseTable& cases = TheResultCases();
  if (TheResults().stressElements.empty()) cases.flags.codeStress = false;
  if (code == 21 && ModelHasBuriedPipe(model)) cases.flags.buried = true;
  try {
    PrepareResultCodeStresses(model);
  } catch (const std::string& message) {
    throw ResultsStepMessage{message};
  }
  cases.flags.creep = TheCodeStresses().presence.creep;
  ReadDynamicStressFile(model, ResultsFrame().window);
  ResetTimeHistoryResults();
  FlangeElementsReport(model, GetForegroundWindow());
  BuildSupportLoadSummary(model);
  PrepareRotatingEquipmentReport(model);
  EnterResultsMenus();
  BuildSupportKindList(model);
  BuildOtherForcesList(model);
  BuildOtherDisplacementsList(model);
  g_JointResultsGlobal = false;
  BuildResultChooserList(model);
  PrintResultsChoices();
  BuildListMenu();
  g_ResultCase = cases.count > 0 ? 1 : 0;
  // The mode most susceptible to vibration comes first when it is known.
  g_CurrentMode = TheDynamicStresses().available ? TheDynamicStresses().order[1] : 1;
}

void OpenResults(bool batch) {
  Model& model = TheModel();
  if (model.path.empty()) {
    ShowErrorMessage(LayoutFrame().window, "The model has no file, so it has no results.");
    return;
  }
  if (InResultsMode()) LeaveResultsMode();
  const std::string path = ResultsPathOf(model.path);
  BinaryFile& file = ResultsReadFile();
  BinaryFileClose(file);
  if (!BinaryFileOpenRead(file, path)) {
    ShowErrorMessage(LayoutFrame().window, "Results file: " + path + "\nDoes not exist.");
    return;
  }
  Mode().batch = batch;
  HCURSOR previous = SetCursor(WaitCursor);
  g_FaultRow = 0;
  if (!batch) TableReset(TheLayoutTable());
  try {
    NameResultsInTitles(true);
    if (ResultsFrame().window != nullptr) FrameSetTitle(ResultsFrame(), "Results");
    PrepareResultsAfterRead(model);
    if (MainFrame().window != nullptr) ShowWindow(MainFrame().window, SW_HIDE);
    if (!batch) {
      ShowResultsWindow();
      if (GraphicsFrame().window != nullptr) FrameOpenFrom(GraphicsFrame(), ResultsFrame());
      ShowResultsWindow();
    }
    if (ResultsFrame().window != nullptr) PostMessage(ResultsFrame().window, WM_COMMAND, kResultChooserCommand, 0);
  } catch (const std::string& message) {
    SetCursor(previous);
    ShowFailure(RefusalText(message));
    if (InResultsMode()) LeaveResultsMode();
    NameResultsInTitles(false);
    BinaryFileClose(file);
    BackToTheModel(batch);
    Mode().batch = false;
    return;
  } catch (const ResultsStepMessage& message) {
    SetCursor(previous);
    ShowFailure(message.text);
    if (InResultsMode()) LeaveResultsMode();
    BinaryFileClose(file);
    BackToTheModel(batch);
    Mode().batch = false;
    return;
  }
  SetCursor(previous);
}

void LeaveResultsMode() {
  if (!InResultsMode()) return;
  HideShapeDisplays();
  g_Magnification = g_MaxMagnification = 0.0f;
  Model& model = TheModel();
  BinaryFileClose(ResultsReadFile());
  if (HWND table = ResultsTableWindow()) TableWindowClose(table);
  HideResultsWindow();
  FreeResultArrays(model);
  LeaveResultsMenus();
  SetResultsReopenCommand(nullptr);
  SetTableResultsShown(false);
  Mode() = ModeState{};
  NameResultsInTitles(false);
  // The support items forget the loads of the last case shown.
  for (int row = 1; row <= model.rowCount; ++row)
    if (DataItem* item = model.row(row).item.get()) item->ClearCaseLoads();
}
