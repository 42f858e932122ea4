// The Results frame, its client, toolbars, tooltips and menu states; see
// ResultsWindow.h.
#include "results/ResultsWindow.h"

#include "platform/Controls.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "printing/PrintSheet.h"
#include "printing/PrinterReport.h"
#include "printing/TablePrint.h"
#include "results/AccelerationsTable.h"
#include "results/BeamForcesTable.h"
#include "results/BranchConnectionTable.h"
#include "results/CodeComplianceTable.h"
#include "results/DisplacementTables.h"
#include "results/DynamicStresses.h"
#include "results/FrpForcesTable.h"
#include "results/FrpStresses.h"
#include "results/JointDisplacementTables.h"
#include "results/ModalTables.h"
#include "results/OtherForcesTable.h"
#include "results/OtherSelectors.h"
#include "results/PipeForcesTable.h"
#include "results/PrintSelection.h"
#include "results/ShapeDisplay.h"
#include "results/SortedStressesTable.h"
#include "results/StressDisplays.h"
#include "results/SupportLoadsTimeHistory.h"
#include "results/TimeHistoryTables.h"
#include "resultsfile/ResultNavigation.h"
#include "services/Frame.h"
#include "services/FrameWindow.h"
#include "services/ProgramContext.h"
#include "services/RecentModelsMenu.h"
#include "services/TableWindow.h"
#include "services/ViewRequests.h"
#include "supports/HangerResults.h"
#include "supports/SupportKindList.h"
#include "supports/SupportLoadSummary.h"
#include "supports/SupportResultTables.h"

namespace {

enum Position { kFile = 0, kResults = 1, kView = 2, kOptions = 3, kWindow = 4 };

// Images by their place in the toolbar strips.
constexpr int kImagePrint = 3, kImageWindow = 4, kImageZoomAll = 6, kImageViewpoint = 9, kImageList = 11,
              kImageGraphics = 14, kImageLoadCases = 15, kImagePreviousCase = 16, kImageNextCase = 17,
              kImageOther = 18, kImagePreviousItem = 19, kImageNextItem = 20, kImageShape = 21,
              kImageAnimation = 22, kImageStresses = 23, kImageGlobal = 25, kImageRatios = 26,
              kImagePreviousResult = 28, kImageNextResult = 29, kImageResults = 32;

TBBUTTON Button(int image, int command, bool hidden = false) {
  return {image, command, static_cast<BYTE>(hidden ? TBSTATE_HIDDEN : TBSTATE_ENABLED), TBSTYLE_BUTTON, {}, 0, 0};
}

// The 26 buttons; those of the navigation stay hidden until a table shows them.
HWND CreateResultsToolbar(HWND window, int id, int strip, int cell) {
  TBBUTTON buttons[] = {
      Button(kImagePrint, 106),
      ToolbarSeparator(),
      Button(kImageGraphics, 254),
      Button(kImageWindow, 256),
      Button(kImageList, 302),
      ToolbarSeparator(),
      Button(kImageViewpoint, 121),
      Button(kImageZoomAll, 131),
      ToolbarSeparator(294),
      Button(kImageResults, 174),
      Button(kImagePreviousResult, 227),
      Button(kImageNextResult, 226),
      ToolbarSeparator(295, true),
      Button(kImageLoadCases, 231, true),
      Button(kImagePreviousCase, 229, true),
      Button(kImageNextCase, 228, true),
      ToolbarSeparator(296, true),
      Button(kImageOther, 287, true),
      Button(kImagePreviousItem, 331, true),
      Button(kImageNextItem, 330, true),
      ToolbarSeparator(297, true),
      Button(kImageGlobal, 288, true),
      Button(kImageShape, 216, true),
      Button(kImageAnimation, 221, true),
      Button(kImageStresses, 332, true),
      Button(kImageRatios, 333, true),
  };
  return CreateFrameToolbar(window, id, strip, cell, buttons, sizeof buttons / sizeof buttons[0], kFrameToolbarImages);
}

LRESULT ResultsClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      // A record left from an earlier run of the window layer would hand the
      // new window its stale handles.
      ResultsTableRecord() = TableWindowRecord{};
      CreateWindowEx(0, kTableWindowClass, "", WS_CHILD | WS_HSCROLL | WS_VSCROLL, 0, 0, 0, 0, window, nullptr,
                     InstanceHandle, &ResultsTableRecord());
      return 0;
    case WM_SIZE:
      if (ResultsTableWindow() != nullptr) TableWindowFit(ResultsTableWindow());
      return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

LRESULT OnSetFocus(HWND window) {
  // No stress display exists yet that would keep the rendered picture.
  if (RenderMode()) SetRenderModeOff();
  FrameCloseDialogs(LayoutFrame());
  FrameCloseDialogs(ListFrame());
  FrameCloseDialogs(GraphicsFrame());
  ActiveWindow = window;
  ActiveAccelerators = ResultsAccelerators;
  HWND table = ResultsTableWindow();
  if (table != nullptr && IsWindowVisible(table)) SetFocus(table);
  return 0;
}

// Closing the Results window ends the session, as closing the model does.
LRESULT OnClose() {
  ResultsCommand(ResultsFrame().window, 103);
  HWND main = MainFrame().window;
  if (main != nullptr && IsWindow(main)) PostMessage(main, WM_CLOSE, 0, 0);
  return 0;
}

const char* ItemWord(ResultOpener table, bool next) {
  if (table == OpenSupportLoadsTable || table == OpenSupportLoadSummary) return next ? "Next support" : "Previous support";
  if (table == OpenOtherForcesTable) return next ? "Next force" : "Previous force";
  if (table == OpenChosenDisplacementsTable) return next ? "Next displacement" : "Previous displacement";
  return "???";
}

void Rename(HMENU popup, int id, const char* text) {
  ModifyMenu(popup, static_cast<UINT>(id), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(id), text);
}

}  // namespace

std::string ResultsToolTipText(int command) {
  const ResultOpener table = ResultsReopenCommand();
  switch (command) {
    case 106: return "Print";
    case 121: return "Viewpoint";
    case 131: return "Zoom All";
    case 174: return "Results";
    case 216: return "Show deflected shape";
    case 221: return "Show animated deflected shape";
    case 226: return "Next result";
    case 227: return "Previous result";
    case 228: return "Next load case";
    case 229: return "Previous load case";
    case 231: return "Load cases";
    case 254: return "Graphics Window";
    case 256:
      if (ResultsFrame().previous_frame == &ListFrame()) return "List Window";
      if (ResultsFrame().previous_frame == &LayoutFrame()) return "Layout Window";
      return "??? Window";
    case 287:
      if (table == OpenSupportLoadsTable || table == OpenSupportLoadSummary) return "Other supports";
      if (table == OpenOtherForcesTable) return "Other forces";
      if (table == OpenChosenDisplacementsTable) return "Other displacements";
      if (table == OpenFrpStressesTable) return "Sorted stresses";
      if (table == OpenSortedFrpStressesTable) return "Unsorted stresses";
      return "???";
    case 288:
      if (table == OpenOtherForcesTable) return g_ShowGlobalForces ? "Local Forces" : "Global Forces";
      if (table == OpenSupportLoadsTable) return g_SupportLoadsGlobal != 0 ? "Local Loads" : "Global Loads";
      if (table == OpenChosenDisplacementsTable) return g_JointResultsGlobal ? "Local Displacements" : "Global Displacements";
      return "???";
    case 302: return "List";
    case 330: return ItemWord(table, true);
    case 331: return ItemWord(table, false);
    case 332: return StressDisplayShown() ? "Hide stresses" : "Show stresses";
    case 333: return RatioDisplayShown() ? "Hide stress ratios" : "Show stress ratios";
    default: return "???";
  }
}

void InitResultsMenuPopup(HMENU popup, int position) {
  switch (position) {
    case kFile: {
      if (HMENU recent = GetSubMenu(popup, 2)) RebuildRecentModelsMenu(recent);
      EnableRecentModelsMenu(popup);
      // Only the time-history tables and the hanger report export.
      EnableMenuItem(popup, 351,
                     MF_BYCOMMAND | (ResultsReopenCommand() == OpenHangerReport || TimeHistoryTableShown() ? MF_ENABLED : MF_GRAYED));
      break;
    }
    case kView: {
      EnableMenuItem(popup, 267, MF_BYCOMMAND | (GraphicsPreviousViewExists() ? MF_ENABLED : MF_GRAYED));
      // The magnification is that of the shape shown: without one there is
      // nothing to magnify.
      EnableMenuItem(popup, 300, MF_BYCOMMAND | (DeflectedShapeShown() || ModeShapeShown() || AnimationRunning() ? MF_ENABLED : MF_GRAYED));
      HWND table = ResultsTableWindow();
      const bool nodes = table != nullptr && IsWindowVisible(table) && TableWindowHasNodes(table);
      EnableMenuItem(popup, 336, MF_BYCOMMAND | (nodes ? MF_ENABLED : MF_GRAYED));
      if (ResultsMenuHas(217))
        Rename(popup, 217, g_ShowDeformedCoordinates ? "Hide deformed state coordinates" : "Show deformed state coordinates");
      if (ResultsMenuHas(383)) {
        Rename(popup, 383, ColourCodingOff() ? "No color coding" : "Color code stresses");
        // The thresholds choose the labels of the line picture, which only
        // an uncoloured display writes.
        EnableMenuItem(popup, 334, MF_BYCOMMAND | (ColourCodingOff() ? MF_ENABLED : MF_GRAYED));
      }
      break;
    }
    case kWindow:
      if (ResultsFrame().previous_frame == &ListFrame()) {
        Rename(popup, 255, "&List\tF3");
        Rename(popup, 257, "L&ayout");
      } else {
        Rename(popup, 255, "L&ayout\tF3");
        Rename(popup, 257, "&List");
      }
      break;
    default: break;
  }
}

LRESULT ResultsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const FrameWindowOperations operations{CreateResultsToolbar, OnSetFocus, OnClose,       ResultsToolTipText,
                                                InitResultsMenuPopup, kWindow,    ResultsCommand};
  switch (message) {
    case kPrintToFileMessage:
      if (OwnerPrintsModelReport(window))
        CarryOutPrintOutput(window, message, PrintLayoutReport);
      else
        PrintTableWindowToFile(ResultsTableWindow());
      return 0;
    case kPrintOutputMessage:
    case kPrintPreviewMessage: CarryOutPrintOutput(window, message, nullptr); return 0;
    default: return FrameWindowProcedure(ResultsFrame(), operations, window, message, wParam, lParam);
  }
}

void RegisterResultsWindowClass() {
  RegisterDisplacementTables();
  RegisterJointDisplacementTables();
  RegisterModalTables();
  RegisterAccelerationsTable();
  RegisterTimeHistoryTables();
  RegisterSupportTimeHistoryTable();
  RegisterDynamicStressTables();
  RegisterPipeForcesTable();
  RegisterBeamForcesTable();
  RegisterOtherForcesTable();
  RegisterFrpForcesTable();
  RegisterFrpStressTables();
  RegisterCodeComplianceTable();
  RegisterBranchConnectionStressesTable();
  RegisterSortedStressesTable();
  RegisterSupportResultTables();
  FrameCreate(ResultsFrame(), "QuorvelResults", "Quorvel", ResultsWindowProc, "RESULTS_MENU", nullptr,
              ResultsClientProc, WS_EX_CLIENTEDGE, 0, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)), ProgramIcon);
  Frame& frame = ResultsFrame();
  frame.accelerators = ResultsAccelerators;
  frame.previous_frame = &ListFrame();
  FrameResize(frame);
}

void ShowResultsWindow() {
  if (ResultsFrame().window != nullptr) FrameShow(ResultsFrame());
}

void HideResultsWindow() {
  if (ResultsFrame().window != nullptr) ShowWindow(ResultsFrame().window, SW_HIDE);
}
