// The List frame (see ListFrame.h): creation with the toolbars, focus,
// closing, tooltips, the menu states and the LIST_MENU commands. Its client
// window and the two list table windows are services/ListFrameState.cpp.
//
// Commands whose windows, dialogs or lists later work builds (the
// libraries, the beam and equipment lists) say so in a message and change
// nothing. The commands that a list brings to the menu (the node list's
// Distance, the spectra's options) do nothing while their list is not
// shown: only a key can send them then.
// Print opens the print sheet for the list shown. While a library or
// evaluation tool holds the frame (ListFrameTool), its commands, closing,
// accelerators and toolbar tips are the tool's.
#include "application/ListFrame.h"

#include <string>

#include "application/LoadCommands.h"
#include "editing/ModelWindows.h"
#include "editing/NodeList.h"
#include "editing/UndoRedo.h"
#include "editing/UnitsDialog.h"
#include "elements/KindTable.h"
#include "evaluations/EquipmentLists.h"
#include "model/ContextMenus.h"
#include "model/DistanceDialog.h"
#include "model/FindNodeDialog.h"
#include "model/LcsTriad.h"
#include "model/ListWindow.h"
#include "model/Model.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "printing/PrintSheet.h"
#include "printing/TablePrint.h"
#include "properties/BeamLists.h"
#include "properties/PropertyLists.h"
#include "services/AboutDialog.h"
#include "services/AppFonts.h"
#include "services/Frame.h"
#include "services/FrameWindow.h"
#include "services/ListFrameState.h"
#include "services/Message.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kNextListCommand = 40042;
constexpr int kPreviousListCommand = 40043;
enum Position { kFile = 0, kEdit = 1, kView = 2, kOptions = 3, kMisc = 4, kWindow = 5 };

// Images by their place in the toolbar strips.
constexpr int kImageWindow = 4, kImageZoomAll = 6, kImageViewpoint = 9, kImageList = 11, kImageGraphics = 14;
constexpr int kImageAiscLibrary = 5, kImageHighlight = 10, kImageLibrary = 12, kImageColourGraphics = 27;
constexpr int kImagePreviousList = 41, kImageNextList = 42;

TBBUTTON Button(int image, int command, bool hidden = false) {
  return {image, command, static_cast<BYTE>(TBSTATE_ENABLED | (hidden ? TBSTATE_HIDDEN : 0)), TBSTYLE_BUTTON, {}, 0, 0};
}

// The buttons 244, 432, 270 and 245 stay hidden until a list or tool that
// uses them is built.
HWND CreateListToolbar(HWND window, int id, int strip, int cell) {
  TBBUTTON buttons[] = {
      Button(kImageGraphics, 254),
      Button(kImageWindow, 256),
      Button(kImageList, 302),
      ToolbarSeparator(),
      Button(kImageViewpoint, 121),
      Button(kImageZoomAll, 131),
      ToolbarSeparator(),
      Button(kImageAiscLibrary, 244, true),
      Button(kImageHighlight, 432, true),
      Button(kImageLibrary, 270, true),
      Button(kImageColourGraphics, 245, true),
      Button(kImagePreviousList, kPreviousListCommand),
      Button(kImageNextList, kNextListCommand),
  };
  return CreateFrameToolbar(window, id, strip, cell, buttons, sizeof buttons / sizeof buttons[0], kFrameToolbarImages);
}

LRESULT OnSetFocus(HWND window) {
  if (TableResultsShown()) FrameCloseDialogs(ResultsFrame());
  FrameCloseDialogs(GraphicsFrame());
  FrameCloseDialogs(LayoutFrame());
  ActiveWindow = window;
  ActiveAccelerators = CurrentListFrameTool() != nullptr ? CurrentListFrameTool()->accelerators : ListAccelerators;
  HWND last = g_ListTableWindows[g_ListTableFocus == 1 ? 1 : 0];
  HWND target = last != nullptr && IsWindowVisible(last) ? last : FirstListTable();
  if (target != nullptr && IsWindowVisible(target)) SetFocus(target);
  return 0;
}

LRESULT OnClose() {
  Frame& frame = ListFrame();
  if (CurrentListFrameTool() != nullptr) {
    CurrentListFrameTool()->close(frame.window);
    return 0;
  }
  ShowWindow(frame.window, SW_HIDE);
  ForgetShownListName();
  FrameGoBack(frame, false);
  return 0;
}

std::string ListFrameToolTip(int command) {
  const bool own = CurrentListFrameTool() != nullptr && CurrentListFrameTool()->toolTip != nullptr;
  return own ? CurrentListFrameTool()->toolTip(command) : ListToolTipText(command);
}

// A tool that holds the frame has its own menu with its own states.
void ListMenuPopup(HMENU popup, int position) {
  if (CurrentListFrameTool() == nullptr) UpdateListMenuPopup(popup, position);
}

void FindNodeInList(HWND window) {
  HWND table = FirstListTable();
  if (!ListTableShown(table) || !TableWindowHasNodes(table)) return;
  if (AskFindNode(window) != 1) return;
  TableWindowFindRow(table, g_LastFoundNode, FoundNodeText());
}

void UndoRedo(HWND window, bool undo) {
  if (TableResultsShown()) return;
  TableWindow* typing = TableOfWindow(FocusedListTable());
  if (undo && typing != nullptr && TableUndoTyping(*typing)) return;
  if (undo) UndoEdit(window);
  else RedoEdit(window);
}

}  // namespace

void RegisterListWindow() {
  SetListFrameTool(nullptr);  // a new frame is the List window's own
  ForgetListKinds();
  RegisterListKind("&Coordinates", NodeListOffered, OpenNodeList);
  RegisterPropertyLists();
  RegisterBeamLists();
  RegisterLoadLists();
  RegisterInputTableView(TheNodeList());
  RegisterKindLists();
  RegisterEquipmentLists();
  FrameCreate(ListFrame(), "QuorvelList", "Quorvel", ListWindowProc, "LIST_MENU", nullptr, ListClientProc,
              WS_EX_CLIENTEDGE, 0, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)), ProgramIcon);
  Frame& frame = ListFrame();
  frame.accelerators = ListAccelerators;
  frame.previous_frame = &LayoutFrame();
  FrameResize(frame);
}


std::string ListToolTipText(int commandId) {
  // The tool toolbar of a library or evaluation tool that has the frame.
  if (CurrentListFrameTool() != nullptr) {
    switch (commandId) {
      case 101: return "New";
      case 102: return "Open";
      case 104: return "Save";
      default: break;
    }
  }
  switch (commandId) {
    case 121: return "Viewpoint";
    case 131: return "Zoom All";
    case 244: return "AISC Beam Library";
    case 245: return "Colour Graphics";
    case 254: return "Graphics Window";
    case 256:
      if (ListFrame().previous_frame == &ResultsFrame()) return "Results Window";
      if (ListFrame().previous_frame == &LayoutFrame()) return "Layout Window";
      return "??? Window";
    case 270: return BeamSectionsListShown() ? "Beam library" : "Material library";
    case 302: return "List";
    case 432: return ListHighlightOn() ? "Do not Highlight" : "Highlight";
    case kNextListCommand: return "Next List";
    case kPreviousListCommand: return "Previous List";
    default: return "Unknown";
  }
}

namespace {

void Rename(HMENU popup, int id, const char* text) {
  ModifyMenu(popup, static_cast<UINT>(id), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(id), text);
}

// While results are shown, F3 goes back to the window the List was opened
// from (Layout or Results) and 257 opens the other one.
void UpdateWindowMenu(HMENU popup) {
  const bool results = TableResultsShown();
  const bool fromResults = results && ListFrame().previous_frame == &ResultsFrame();
  Rename(popup, 255, fromResults ? "&Results\tF3" : "L&ayout\tF3");
  Rename(popup, 257, fromResults ? "L&ayout" : "&Results");
  // After the renames, which give an item back its enabled state.
  EnableMenuItem(popup, 257, MF_BYCOMMAND | (results ? MF_ENABLED : MF_GRAYED));
}

// 257 in results mode: the other of the Layout and Results windows comes up
// and becomes the one F3 goes back to.
void OpenOtherModelWindow() {
  Frame& list = ListFrame();
  list.previous_frame = list.previous_frame == &LayoutFrame() ? &ResultsFrame() : &LayoutFrame();
  FrameGoBack(list, false);
}

}  // namespace

void UpdateListMenuPopup(HMENU popup, int position) {
  const bool shown = ListTableShown(FirstListTable());
  TableWindow* table = shown ? TableOfWindow(FirstListTable()) : nullptr;
  switch (position) {
    case kFile: EnableMenuItem(popup, 106, MF_BYCOMMAND | (shown ? MF_ENABLED : MF_GRAYED)); break;
    case kEdit:
      EnableMenuItem(popup, 363, MF_BYCOMMAND | (PropertyListCanCopy() || EquipmentListCanCopy() ? MF_ENABLED : MF_GRAYED));
      EnableMenuItem(popup, 364, MF_BYCOMMAND | (PropertyListCanPaste() || EquipmentListCanPaste() ? MF_ENABLED : MF_GRAYED));
      if (table != nullptr) {
        // The values grid beside a list has the Edit states of its own.
        HWND focused = FocusedListTable();
        HWND target = focused != nullptr && ListTableShown(focused) ? focused : FirstListTable();
        TableWindowMenu(target, popup, 1);
      } else {
        EnableMenuItem(popup, kInsertItemCommand, MF_BYCOMMAND | MF_GRAYED);
        EnableMenuItem(popup, kDeleteItemCommand, MF_BYCOMMAND | MF_GRAYED);
      }
      break;
    case kView:
      EnableMenuItem(popup, 267, MF_BYCOMMAND | (GraphicsPreviousViewExists() ? MF_ENABLED : MF_GRAYED));
      EnableMenuItem(popup, 336, MF_BYCOMMAND | (shown && TableWindowHasNodes(FirstListTable()) ? MF_ENABLED : MF_GRAYED));
      EnableMenuItem(popup, kLcsCommand, MF_BYCOMMAND | (LcsMenuApplies() ? MF_ENABLED : MF_GRAYED));
      EnableMenuItem(popup, 432, MF_BYCOMMAND | (ListGraphicsButtonsShown() ? MF_ENABLED : MF_GRAYED));
      CheckMenuItem(popup, 432, MF_BYCOMMAND | (ListHighlightOn() ? MF_CHECKED : MF_UNCHECKED));
      ModifyMenu(popup, kLcsCommand, MF_BYCOMMAND | MF_STRING, kLcsCommand, LcsMenuText().c_str());
      break;
    case kMisc: {
      const Model& model = TheModel();
      const bool code = model.options.PipingCode > 0;
      for (int id : {193, 194, 195, 251, 376, 252, 354}) {
        const bool offered = code && (!TableResultsShown() || MiscTableHasRecords(model, id));
        EnableMenuItem(popup, static_cast<UINT>(id), MF_BYCOMMAND | (offered ? MF_ENABLED : MF_GRAYED));
      }
      break;
    }
    case kWindow: UpdateWindowMenu(popup); break;
    default: break;
  }
}


void ListCommand(HWND window, int commandId) {
  if (CurrentListFrameTool() != nullptr && CurrentListFrameTool()->command(window, commandId)) return;
  HWND table = FirstListTable();
  switch (commandId) {
    case 113:
      if (HWND focused = FocusedListTable(); focused != nullptr) TableWindowEditItem(focused);
      return;
    case 126:
    case 128: {
      // The values grid beside a list takes its own rows when it has the focus.
      HWND target = FocusedListTable() != nullptr ? FocusedListTable() : table;
      if (!ListTableShown(target) || TableResultsShown()) return;
      if (commandId == 126) TableWindowDeleteRow(target);
      else TableWindowInsertRow(target);
      return;
    }
    case 253:
      if (GraphicsFrame().window != nullptr) FrameOpenFrom(GraphicsFrame(), ListFrame());
      return;
    case 267:
      if (GraphicsFrame().window != nullptr) PostMessage(GraphicsFrame().window, WM_COMMAND, 267, 0);
      return;
    case 255: FrameGoBack(ListFrame(), false); return;
    case 256: FrameGoBack(ListFrame(), true); return;
    case 257:
      if (TableResultsShown()) OpenOtherModelWindow();
      return;
    case kCloseDialogsCommand: FrameCancelPopups(ListFrame()); return;
    case 302: ShowList(OpenListMenuDialog(window)); return;
    case 106: ShowPrintSheet(window); return;
    case kNextListCommand: ShowNextList(); return;
    case kPreviousListCommand: ShowPreviousList(); return;
    case 336: FindNodeInList(window); return;
    case kDistanceCommand:
      if (CurrentListOpener() == &OpenNodeList && ListTableShown(table)) ShowDistanceDialog(window);
      return;
    case 431: ChooseUnits(window); return;
    case 187:
      if (NodeListOffered(TheModel())) ShowListByOpener(OpenNodeList);
      return;
    case 245:
    case 40077: {
      // Colour graphics on or off; by pipe loads or by specific gravity.
      const bool on = commandId == 245 ? !ColourByProperty() : ColourByProperty();
      const bool gravity = commandId == 40077 ? !ColourBySpecificGravity() : ColourBySpecificGravity();
      SetColourByProperty(on, gravity);
      for (HWND toolbar : {ListFrame().smallToolbar, ListFrame().largeToolbar})
        if (toolbar != nullptr) SendMessage(toolbar, TB_CHECKBUTTON, 245, on ? TRUE : FALSE);
      return;
    }
    case 432: ToggleListHighlight(table); return;
    case kLcsCommand:
      ToggleLcsTriad(TheLcsTriad());
      if (ListTableShown(table)) TableWindowNotifyRow(table);
      return;
    case 40050: UndoRedo(window, true); return;
    case 40051: UndoRedo(window, false); return;
    case 101: if (ProgramCommands().modelSaveCheck(window)) ProgramCommands().newDocumentDialog(window); return;
    case 102: if (ProgramCommands().modelSaveCheck(window)) ProgramCommands().openModelDialog(window); return;
    case 110: ProgramCommands().exitProgram(window); return;
    case 411: ChooseTextFont(window); return;
    case 900:
      if (!(ListTableShown(table) && TableWindowShowHelp(table)))
        ShowInfoMessage(window, "There is no help viewer on this system.");
      return;
    case 903: DialogBox(InstanceHandle, "ABOUT_DIALOG", window, AboutDialogProc); return;
    case 40062: ProgramCommands().openTutorialDocument(window, "basic_pipe_stress_analysis.pdf"); return;
    case 40065: ProgramCommands().openTutorialDocument(window, "Tutorial_1.pdf"); return;
    case 40066: ProgramCommands().openTutorialDocument(window, "Tutorial_2.pdf"); return;
    default: break;
  }
  if (PropertyListCommand(window, commandId)) return;
  if (BeamListCommand(window, commandId)) return;
  if (LoadsListCommand(window, commandId)) return;
  // What is left (Copy or Paste of a list that holds no clipboard entry, a
  // library command while no library list is shown) is greyed in the menu
  // and does nothing when its key is pressed.
  EquipmentListCommand(window, commandId);
}

LRESULT ListWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const FrameWindowOperations operations{CreateListToolbar, OnSetFocus,  OnClose,    ListFrameToolTip,
                                                ListMenuPopup,     kWindow + 1, ListCommand};
  switch (message) {
    case kPrintToFileMessage:
      if (CurrentListFrameTool() != nullptr && CurrentListFrameTool()->printToFile != nullptr) CurrentListFrameTool()->printToFile(window);
      else PrintTableWindowToFile(ListTableWindow(0));
      return 0;
    case kPrintOutputMessage:
    case kPrintPreviewMessage: CarryOutPrintOutput(window, message, nullptr); return 0;
    default: return FrameWindowProcedure(ListFrame(), operations, window, message, wParam, lParam);
  }
}
