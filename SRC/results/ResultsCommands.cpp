// The commands of the Results window (RESULTS_MENU, its toolbars and
// accelerators); see ResultsWindow.h. The navigation commands act on the
// current result table, known by the opener it recorded.
#include <string>

#include "editing/ModelWindows.h"
#include "editing/NewDocument.h"
#include "editing/UnitsDialog.h"
#include "editing/WeightAndCg.h"
#include "files/FileCommands.h"
#include "model/DistanceDialog.h"
#include "model/FindNodeDialog.h"
#include "model/ListWindow.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "printing/PrintSheet.h"
#include "results/BranchConnectionTable.h"
#include "results/CodeComplianceTable.h"
#include "results/DisplacementTables.h"
#include "results/FrpForcesTable.h"
#include "results/FrpStresses.h"
#include "results/JointDisplacementTables.h"
#include "results/LoadCaseChooser.h"
#include "results/OtherSelectors.h"
#include "results/PipeForcesTable.h"
#include "results/QaBlock.h"
#include "results/ResultChooser.h"
#include "results/ResultsMode.h"
#include "results/RotatingEquipmentReport.h"
#include "results/ShapeDisplay.h"
#include "results/SortedStressesTable.h"
#include "results/StressDisplays.h"
#include "results/Thresholds.h"
#include "results/TimeHistoryTables.h"
#include "resultsfile/ResultNavigation.h"
#include "services/AboutDialog.h"
#include "services/AppFonts.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/RecentModels.h"
#include "services/TableWindow.h"
#include "services/ViewRequests.h"
#include "supports/HangerResults.h"
#include "supports/SupportKindList.h"
#include "supports/SupportLoadSummary.h"
#include "supports/SupportResultTables.h"

namespace {

constexpr int kDistanceCommand = 315;

bool Current(ResultOpener table) { return ResultsReopenCommand() == table && table != nullptr; }

void OtherItem(HWND window) {
  if (Current(OpenRotatingEquipmentReport)) ChooseOtherEquipment(window);
  else if (TimeHistoryTableShown()) SelectTimeHistoryResults();
  else if (Current(OpenSupportLoadsTable)) ChooseOtherSupportKind(window);
  else if (Current(OpenSupportLoadSummary)) {
    if (MultipleSupports()) ChooseSupportForSummary(window);
  } else if (Current(OpenOtherForcesTable)) ChooseOtherForces(window);
  else if (Current(OpenChosenDisplacementsTable)) ChooseOtherDisplacements(window);
  else if (Current(OpenFrpStressesTable)) OpenSortedFrpStressesTable();
  else if (Current(OpenSortedFrpStressesTable)) OpenFrpStressesTable();
}

void StepItem(bool next) {
  if (Current(OpenRotatingEquipmentReport)) next ? NextEquipment() : PreviousEquipment();
  else if (Current(OpenSupportLoadsTable)) next ? NextSupportKind() : PreviousSupportKind();
  else if (Current(OpenSupportLoadSummary)) {
    if (MultipleSupports()) next ? SupportSummaryNext() : SupportSummaryPrevious();
  } else if (Current(OpenOtherForcesTable)) next ? NextForceKind() : PreviousForceKind();
  else if (Current(OpenChosenDisplacementsTable)) next ? NextDisplacementKind() : PreviousDisplacementKind();
}

// F7: the force tables switch between local and global axes; the other
// tables have one set of axes.
void GlobalLocal() {
  if (TimeHistoryTableShown()) {
    ToggleTimeHistoryForceAxes();
    return;
  }
  if (Current(OpenSupportLoadsTable)) {
    ToggleSupportLoadsAxes();
    return;
  }
  if (Current(OpenChosenDisplacementsTable)) {
    ToggleJointResultsAxes();
    return;
  }
  if (!Current(OpenOtherForcesTable)) return;
  g_ShowGlobalForces = !g_ShowGlobalForces;
  SetGlobalLocalImage(!g_ShowGlobalForces);
  ReopenResultTable();
}

void CaseKey(UINT key) {
  if (ResultTableWindow* table = ShownResultTable()) table->KeyDown(key);
}

// Back to the input: the model's windows come back editable.
void Input() {
  HideGraphicsWindow();
  for (Frame* frame : {&ListFrame(), &LayoutFrame()})
    if (frame->window != nullptr) ShowWindow(frame->window, SW_HIDE);
  LeaveResultsMode();
  ShowModelWindows();
}

void Forward(Frame& frame, int command) {
  if (frame.window != nullptr) PostMessage(frame.window, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

void FindNode(HWND window) {
  HWND table = ResultsTableWindow();
  if (table == nullptr || !IsWindowVisible(table) || !TableWindowHasNodes(table)) return;
  if (AskFindNode(window) != 1) return;
  TableWindowFindRow(table, g_LastFoundNode, FoundNodeText());
}

}  // namespace

void ResultsCommand(HWND window, int command) {
  if (command >= kFirstRecentModelCommand && command < kFirstRecentModelCommand + kRecentModelSlots) {
    OpenRecentModel(window, command);
    return;
  }
  switch (command) {
    case 101: NewDocumentDialog(window); return;
    case 102: OpenModelDialog(window); return;
    case 103:
      CloseModel();
      ProgramCommands().showMainWindow();
      return;
    case 106: ShowPrintSheet(window); return;
    case 110: SendMessage(window, WM_CLOSE, 0, 0); return;
    case 127: Input(); return;
    case 121: ViewpointDialog(window); return;
    case 131:
    case 267: Forward(GraphicsFrame(), command); return;
    case 174: ChooseResultTable(window); return;
    case 216: ToggleShape(); return;
    case 221: ToggleAnimation(); return;
    case 217:
      if (Current(OpenChosenDisplacementsTable)) ToggleDeformedCoordinates();
      return;
    case 218:
      if (Current(OpenChosenDisplacementsTable)) ShowHangerSelectionDisplacements();
      return;
    case 226: NextResultTable(); return;
    case 227: PreviousResultTable(); return;
    case 228: CaseKey(VK_RIGHT); return;
    case 229: CaseKey(VK_LEFT); return;
    case 231:
      if (Current(OpenBranchConnectionStressesTable)) ChooseBranchConnectionCase(window);
      else if (Current(OpenRotatingEquipmentReport) && ReportCaseCount() > 1) ChooseReportLoadCase(window);
      else ChooseResultLoadCases(window);
      return;
    case 253:
    case 254:
      if (GraphicsFrame().window != nullptr) FrameOpenFrom(GraphicsFrame(), ResultsFrame());
      return;
    case 255: FrameGoBack(ResultsFrame(), false); return;
    case 256: FrameGoBack(ResultsFrame(), true); return;
    case 257:
      ResultsFrame().previous_frame = ResultsFrame().previous_frame == &ListFrame() ? &LayoutFrame() : &ListFrame();
      FrameGoBack(ResultsFrame(), false);
      return;
    case 287: OtherItem(window); return;
    case 288: GlobalLocal(); return;
    case 293: OpenResultsDialog(window); return;
    case 300: MagnificationDialog(window); return;
    case 301: FrameCancelPopups(ResultsFrame()); return;
    case 302: ShowList(OpenListMenuDialog(window)); return;
    case kDistanceCommand: ShowDistanceDialog(window); return;
    case 316: QaBlockDialog(window); return;
    case 378: WeightAndCgDialog(window); return;
    case 327:  // each table acts only while it is the one shown
      TogglePipeForcesLcs();
      ToggleFrpForcesLcs();
      ToggleFrpStressesLcs();
      return;
    case 330: StepItem(true); return;
    case 331: StepItem(false); return;
    case 332:
      if (!Current(OpenSortedStressesTable) && !Current(OpenSortedFrpStressesTable)) return;
      StressDisplayShown() ? HideStresses() : ShowStresses();
      return;
    case 333:
      if (!Current(OpenSortedStressesTable) && !Current(OpenSortedFrpStressesTable)) return;
      RatioDisplayShown() ? HideStressRatios() : ShowStressRatios();
      return;
    case 383: ToggleColourCoding(); return;
    case 338:
      if (Current(OpenSortedStressesTable)) ToggleOperatingStressSection();
      return;
    case 334: ThresholdsDialog(window); return;
    case 336: FindNode(window); return;
    case 374:
      if (Current(OpenCodeComplianceTable)) ToggleComplianceRatios();
      else if (Current(OpenSortedStressesTable)) ToggleSortedAllowables();
      return;
    case 351:
      if (Current(OpenHangerReport)) ExportLicadFile(window);
      else if (TimeHistoryTableShown()) ExportTimeHistoryTable(window);
      return;
    case 411: ChooseTextFont(window); return;
    case 431:
      if (ChooseUnits(window)) ReopenResultTable();
      return;
    case 900: ShowInfoMessage(window, "There is no help viewer on this system."); return;
    case 903: DialogBox(InstanceHandle, "ABOUT_DIALOG", window, AboutDialogProc); return;
    case 40029: ApplyStressSection(); return;  // the display on is made again with or without the jackets
    default: return;
  }
}
