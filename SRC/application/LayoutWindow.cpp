// The Layout window (see LayoutWindow.h): the frame procedure with one line
// per message, the toolbars and their tooltips, the menu rules, and the
// command switch.
#include "application/LayoutWindow.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>

#include "editing/LayoutEditors.h"
#include "editing/LayoutTable.h"
#include "editing/ModelWindows.h"
#include "editing/LayoutRowEdits.h"
#include "model/Model.h"
#include "model/ModelLoadCases.h"
#include "model/RowOperations.h"
#include "model/UndoFiles.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "printing/PrintSheet.h"
#include "records/LoadCaseList.h"
#include "records/Spectrum.h"
#include "records/StaticSeismic.h"
#include "records/TimeFunction.h"
#include "records/Wind.h"
#include "results/PrintSelection.h"
#include "services/Frame.h"
#include "services/FrameWindow.h"
#include "services/ProgramContext.h"
#include "services/RecentModelsMenu.h"
#include "services/TableViews.h"
#include "services/TableWindowSupport.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kSmallToolbar = 101;
constexpr int kLargeToolbar = 102;
constexpr int kToolbarImages = 15;
constexpr int kRecentMenuPosition = 20;
constexpr int kCloseDialogsCommand = 301;

enum Position { kFile = 0, kEdit = 1, kView = 2, kOptions = 3, kLoads = 4, kMisc = 5, kWindow = 6 };

TableWindowRecord& LayoutRecord() {
  static TableWindowRecord record;
  return record;
}

HMENU g_FileMenu = nullptr;

bool InResults() { return TableResultsShown(); }
Model& M() { return TheModel(); }
LayoutTable& Table() { return TheLayoutTable(); }

HWND CreateLayoutToolbar(HWND window, int id, int strip, int cell) {
  TBBUTTON buttons[11] = {
      {0, 101, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},  {1, 102, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {2, 104, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},  {3, 106, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},       {14, 254, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {4, 256, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},  {11, 302, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},       {9, 121, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {6, 131, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
  };
  return CreateFrameToolbar(window, id, strip, cell, buttons, 11, kToolbarImages);
}

// The table window is the frame's client; the frame's sizing fits it under
// the active toolbar.
void CreateTableWindow(HWND window) {
  Frame& frame = LayoutFrame();
  frame.client = CreateWindowEx(WS_EX_CLIENTEDGE, kTableWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                0, 0, 0, window, nullptr, InstanceHandle, &LayoutRecord());
  static const std::vector<int> editLengths{0, 8, 12, 12, 12, 12, kShortNameLength, kShortNameLength,
                                            kShortNameLength, 17};
  TableSetColumns(Table(), &LayoutRecord(), window, kLayoutColumns, 1, &editLengths);
  Table().wideRows = true;
  Table().nodeSearch = true;
  Table().nameSearch = true;
  RegisterInputTableView(Table());
}

LRESULT OnCreate(HWND window) {
  LayoutFrame().window = window;
  HWND small = CreateLayoutToolbar(window, kSmallToolbar, 1801, 16);
  HWND large = CreateLayoutToolbar(window, kLargeToolbar, 1802, 32);
  FrameSetToolbars(LayoutFrame(), small, large);
  CreateTableWindow(window);
  return 0;
}

void SendCloseDialogs(Frame& frame) {
  if (frame.window != nullptr && IsWindow(frame.window))
    SendMessage(frame.window, WM_COMMAND, kCloseDialogsCommand, 0);
}

LRESULT OnSetFocus(HWND window) {
  if (InResults()) SendCloseDialogs(ResultsFrame());
  SendCloseDialogs(GraphicsFrame());
  SendCloseDialogs(ListFrame());
  ActiveWindow = window;
  ActiveAccelerators = LayoutAccelerators;
  HWND table = LayoutTableWindow();
  if (table != nullptr && IsWindowVisible(table)) SetFocus(table);
  return 0;
}

// The table is only as wide as its columns: the rest of the frame is gray.
LRESULT OnEraseBackground(HWND window, HDC dc) {
  if (dc == nullptr) return 1;
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  return 1;
}

LRESULT OnClose(HWND window) {
  if (InResults()) {
    ShowWindow(window, SW_HIDE);
    return 0;
  }
  ExitProgram(window);
  return 0;
}

LRESULT OnNotify(LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->code != TTN_GETDISPINFO) return 0;
  auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
  std::snprintf(info->szText, sizeof info->szText, "%s",
                LayoutToolTipText(static_cast<int>(header->idFrom)).c_str());
  info->lpszText = info->szText;
  return 0;
}

LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(static_cast<std::uintptr_t>(lParam)) != 0) return 0;  // the system menu
  HMENU popup = reinterpret_cast<HMENU>(wParam);
  if (g_FileMenu != nullptr && popup == GetSubMenu(g_FileMenu, kRecentMenuPosition)) {
    RebuildRecentModelsMenu(popup);
    return 0;
  }
  HMENU bar = LayoutFrame().menu;
  for (int position = 0; bar != nullptr && position < GetMenuItemCount(bar); ++position)
    if (GetSubMenu(bar, position) == popup) UpdateLayoutMenuPopup(popup, position);
  return 0;
}

void Enable(HMENU popup, int id, bool enabled) {
  EnableMenuItem(popup, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Check(HMENU popup, int id, bool checked) {
  CheckMenuItem(popup, static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Rename(HMENU popup, int id, const std::string& text) {
  ModifyMenu(popup, static_cast<UINT>(id), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(id), text.c_str());
}

bool CanDuplicateLastRow(const Model& model, int row) {
  if (row != model.rowCount + 1) return false;
  const LayoutRow& spare = model.row(row);
  if (spare.node != 0 || spare.elementType != ElementType::None || spare.dataType != DataType::None) return false;
  const int previous = PreviousElementRow(model, row);
  if (previous == 0) return false;
  const ElementType type = model.row(previous).elementType;
  return type == ElementType::Pipe || type == ElementType::JacketedPipe;
}

void UpdateEditMenu(HMENU popup) {
  const Model& model = M();
  const int row = Table().currentRow;
  const ElementType type = model.row(row).elementType;
  const bool twoRows = model.rowCount >= 2;
  Enable(popup, 201, row >= 3);
  Enable(popup, 202, !IsBendElementType(type) && type != ElementType::Comment && type != ElementType::HydrotestLoad);
  Enable(popup, 364, HasCopiedRows());
  Enable(popup, 128, row != 1 && row <= model.rowCount);
  Enable(popup, 279, twoRows);
  Enable(popup, 129, IsComponentLayoutRow(model, row));
  Enable(popup, 40049, IsComponentLayoutRow(model, row));
  Enable(popup, 385, HasEditableLayoutElement(model, row));
  for (int id : {40012, 116, 40010, 117, 118}) Enable(popup, id, twoRows);
  Enable(popup, 40048, CanCombineLayoutRow(model, row));
  Enable(popup, 40078, model.options.UseB31J != 0);
  Enable(popup, 384, CanDuplicateLastRow(model, row));
  Enable(popup, 40050, CanUndo());
  Enable(popup, 40051, CanRedo());
}

bool HasDataType(const Model& model, DataType type) {
  for (int row = 1; row <= model.rowCount; ++row)
    if (model.row(row).dataType == type) return true;
  return false;
}

void UpdateLoadsMenu(HMENU popup) {
  BuildLoadCases(M());
  const Model& model = M();
  const bool results = InResults();
  const bool code = model.options.PipingCode != 0;
  char text[64];
  std::snprintf(text, sizeof text, "&Load cases (%d) ...", static_cast<int>(model.loadCases.count));
  Rename(popup, 231, text);
  const bool seismic = HasStaticSeismicLoad(model.seismic);
  Enable(popup, 232, !results || seismic);
  Check(popup, 232, seismic);
  const int winds[4] = {233, 40044, 40045, 40046};
  for (int i = 0; i < 4; ++i) {
    const bool defined = IsWindDefined(model.wind, i);
    Enable(popup, winds[i], (i == 0 || code) && (!results || defined));
    Check(popup, winds[i], defined);
  }
  const bool spectra = HasSpectra(model.spectra);
  const bool spectrumLoad = !model.spectrumLoad.name[0].empty() || !model.spectrumLoad.name[1].empty() ||
                            !model.spectrumLoad.name[2].empty();
  Enable(popup, 234, code && (!results || spectra));
  Check(popup, 234, spectrumLoad);
  const bool timeFunctions = HasTimeFunctions(model.timeFunctions);
  const bool timeLoads = HasDataType(model, DataType::TimeVaryingLoad);
  Enable(popup, 223, code && (!results || timeFunctions));
  Check(popup, 223, timeLoads);
  const bool harmonic = HasDataType(model, DataType::HarmonicLoad);
  Enable(popup, 235, code && (!results || harmonic));
  Check(popup, 235, harmonic);
}

void UpdateFileMenu(HMENU popup) {
  const bool results = InResults();
  Rename(popup, 108, results ? "&Input\t F12" : "Analy&ze\t F12");
  Enable(popup, 104, !results);
  Enable(popup, 105, !results);
  EnableRecentModelsMenu(popup);
}

void UpdateWindowMenu(HMENU popup) {
  const bool results = InResults();
  Enable(popup, 257, results);
  if (!results) return;
  const bool fromList = LayoutFrame().previous_frame == &ListFrame();
  Rename(popup, 255, fromList ? "&List\tF3" : "&Results\tF3");
  Rename(popup, 257, fromList ? "&Results" : "&List");
}

}  // namespace

HWND LayoutTableWindow() { return LayoutRecord().window; }

void UpdateLayoutMenuPopup(HMENU popup, int position) {
  switch (position) {
    case kFile: UpdateFileMenu(popup); break;
    case kEdit: UpdateEditMenu(popup); break;
    case kView:
      Enable(popup, 267, GraphicsPreviousViewExists());
      Enable(popup, 336, TableWindowHasNodes(LayoutTableWindow()));
      break;
    case kLoads: UpdateLoadsMenu(popup); break;
    case kMisc:
      for (int id : {193, 194, 195, 251, 376, 252, 397, 354, 40047})
        Enable(popup, id, M().options.PipingCode != 0 && (!InResults() || MiscTableHasRecords(M(), id)));
      break;
    case kWindow: UpdateWindowMenu(popup); break;
    default: break;
  }
}

void RegisterLayoutWindow() {
  FrameCreate(LayoutFrame(), "QuorvelLayout", "Quorvel", LayoutWindowProc, "LAYOUT_MENU", nullptr, nullptr, 0, 0,
              static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)), ProgramIcon);
  Frame& frame = LayoutFrame();
  frame.accelerators = LayoutAccelerators;
  frame.previous_frame = &ListFrame();
  g_FileMenu = frame.menu != nullptr ? GetSubMenu(frame.menu, kFile) : nullptr;
  FrameResize(frame);
}

std::string LayoutToolTipText(int commandId) {
  switch (commandId) {
    case 101: return "New";
    case 102: return "Open";
    case 104: return "Save";
    case 106: return "Print";
    case 121: return "Viewpoint";
    case 131: return "Zoom All";
    case 254: return "Graphics Window";
    case 256:
      if (LayoutFrame().previous_frame == &ResultsFrame()) return "Results Window";
      if (LayoutFrame().previous_frame == &ListFrame()) return "List Window";
      return "??? Window";
    case 293: return "Open Results";
    case 302: return "List";
    default: return "Unknown";
  }
}

void UpdateLayoutTitle() {
  LayoutTable& table = Table();
  if (table.Window() == nullptr || LayoutFrame().window == nullptr) return;
  FrameShow(LayoutFrame());
  const Model& model = M();
  const int rows = model.rowCount + 1;
  TableOpenAt(table, "Layout", model.rowCount, std::clamp(model.currentRow, 1, rows),
              std::clamp(model.layoutTopRow - 1, 0, rows - 1));
}

LRESULT LayoutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY: FrameRecordPlacement(LayoutFrame()); return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) FrameResize(LayoutFrame());
      return 0;
    case WM_ERASEBKGND: return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_SETFOCUS: return OnSetFocus(window);
    case WM_CLOSE: return OnClose(window);
    case WM_NOTIFY: return OnNotify(lParam);
    case WM_INITMENUPOPUP: return OnInitMenuPopup(wParam, lParam);
    case WM_COMMAND: LayoutCommand(window, LOWORD(wParam)); return 0;
    case kPrintOutputMessage:
    case kPrintToFileMessage:
    case kPrintPreviewMessage: CarryOutPrintOutput(window, message, PrintLayoutReport); return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}
