// What the List frame holds that its lists and the tools that take it over
// use: its two table windows (made by its client window), the library or
// evaluation tool that holds the frame, and the highlight toggle with the
// graphics buttons of the property lists. The frame's window procedure,
// commands and menus stand above every list (application/ListFrame.cpp).
#include "services/ListFrameState.h"

#include <array>
#include <cstdint>

#include "platform/Menu.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "services/Frame.h"
#include "services/ProgramContext.h"
#include "services/TableWindow.h"
#include "services/ViewRequests.h"

namespace {

// The library or evaluation tool that has the frame, if any.
const ListFrameTool* g_ListFrameTool = nullptr;

std::array<TableWindowRecord, 2>& Records() {
  static std::array<TableWindowRecord, 2> records;
  return records;
}

bool g_ListHighlight = false;
bool g_ListGraphicsButtons = false;

void CheckHighlightButtons() {
  for (HWND toolbar : {ListFrame().smallToolbar, ListFrame().largeToolbar})
    if (toolbar != nullptr) SendMessage(toolbar, TB_CHECKBUTTON, 432, g_ListHighlight ? TRUE : FALSE);
}

}  // namespace

LRESULT ListClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      // A record left from an earlier run of the window layer (tests start
      // the program again) would hand the new windows its stale handles.
      for (std::size_t i = 0; i < Records().size(); ++i) {
        Records()[i] = TableWindowRecord{};
        g_ListTableWindows[i] = CreateWindowEx(0, kTableWindowClass, "", WS_CHILD | WS_HSCROLL | WS_VSCROLL, 0, 0, 0,
                                               0, window, nullptr, InstanceHandle, &Records()[i]);
      }
      g_ListTableFocus = 0;
      return 0;
    case WM_SIZE:
      if (Records()[0].window != nullptr) TableWindowFit(Records()[0].window);
      return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

HWND FirstListTable() { return Records()[0].window; }

bool ListTableShown(HWND window) {
  return window != nullptr && IsWindowVisible(window) && TableOfWindow(window) != nullptr;
}

HWND ListTableWindow(int which) { return which == 0 || which == 1 ? Records()[static_cast<std::size_t>(which)].window : nullptr; }

HWND FocusedListTable() {
  HWND focus = GetFocus();
  for (const TableWindowRecord& record : Records())
    if (record.window != nullptr && record.window == focus) return focus;
  return nullptr;
}

bool CommitListWindowEdits() {
  HWND focused = FocusedListTable();
  TableWindow* table = focused != nullptr ? TableOfWindow(focused) : nullptr;
  if (table == nullptr) return true;
  if (TableCommitEdit(*table) || table->MustKeepFocus()) return false;
  table->LostFocus();
  return true;
}

bool BindFirstListTable(TableWindow& table, int columns, int headingLines) {
  Frame& frame = ListFrame();
  if (frame.window == nullptr || Records()[0].window == nullptr) return false;
  TableWindowClose(Records()[0].window);
  TableSetColumns(table, &Records()[0], frame.window, columns, headingLines, nullptr);
  // The list the user chose stays shown when it empties (its entry stays
  // in the list menu too): its headings under its own title, not an empty
  // frame.
  table.shownWhenEmpty = true;
  return true;
}

void ToggleListHighlight(HWND table) {
  if (!g_ListGraphicsButtons) return;
  HideHighlight();
  g_ListHighlight = !g_ListHighlight;
  CheckHighlightButtons();
  if (ListTableShown(table)) TableWindowNotifyRow(table);
}

bool ListHighlightOn() { return g_ListHighlight; }
bool ListGraphicsButtonsShown() { return g_ListGraphicsButtons; }

void ShowListGraphicsButtons(bool shown) {
  if (!shown && g_ListHighlight) HideHighlight();
  g_ListHighlight = false;
  g_ListGraphicsButtons = shown;
  for (HWND toolbar : {ListFrame().smallToolbar, ListFrame().largeToolbar}) {
    if (toolbar == nullptr) continue;
    for (int button : {432, 245}) {
      SendMessage(toolbar, TB_HIDEBUTTON, button, shown ? FALSE : TRUE);
      SendMessage(toolbar, TB_ENABLEBUTTON, button, shown ? TRUE : FALSE);
    }
    SendMessage(toolbar, TB_CHECKBUTTON, 432, FALSE);
    SendMessage(toolbar, TB_CHECKBUTTON, 245, shown && ColourByProperty() ? TRUE : FALSE);
  }
}

void HighlightListRecord(void (*highlight)(int record), int record, int count) {
  if (g_ListHighlight && record >= 1 && record <= count)
    highlight(record);
  else
    HideHighlight();
}

void SetListFrameTool(const ListFrameTool* tool) { g_ListFrameTool = tool; }
const ListFrameTool* CurrentListFrameTool() { return g_ListFrameTool; }

void TakeListFrame(TakenListFrame& taken, const char* menu, const char* accelerators, ListFrameTool& tool,
                   const WINDOWPLACEMENT& toolPlacement) {
  Frame& frame = ListFrame();
  if (frame.window == nullptr || taken.open) return;
  FrameRecordPlacement(frame);
  taken.listPlacement = frame.Placement();
  taken.listMenu = frame.menu;
  taken.toolMenu = LoadMenu(InstanceHandle, menu);
  taken.accelerators = LoadAccelerators(InstanceHandle, accelerators);
  taken.open = true;
  tool.accelerators = taken.accelerators;
  FrameSetMenu(frame, taken.toolMenu);
  SetListFrameTool(&tool);
  if (HWND main = MainFrame().window) {
    FrameRecordPlacement(MainFrame());
    ShowWindow(main, SW_HIDE);
  }
  FrameSetPlacement(frame, toolPlacement);
}

void ReleaseListFrame(TakenListFrame& taken, WINDOWPLACEMENT& toolPlacement) {
  if (!taken.open) return;
  TableWindowClose(ListTableWindow(0));
  if (Frame& frame = ListFrame(); frame.window != nullptr) {
    FrameRecordPlacement(frame);
    toolPlacement = frame.Placement();
    ShowWindow(frame.window, SW_HIDE);
    FrameSetMenu(frame, taken.listMenu);
    FrameSetPlacement(frame, taken.listPlacement);
    ShowWindow(frame.window, SW_HIDE);
  }
  SetListFrameTool(nullptr);
  if (taken.toolMenu != nullptr) DestroyMenu(taken.toolMenu);
  if (taken.accelerators != nullptr) DestroyAcceleratorTable(taken.accelerators);
  taken = TakenListFrame{};
}

bool LeaveListFrameTool(HWND owner) {
  if (g_ListFrameTool == nullptr || g_ListFrameTool->leave == nullptr) return true;
  return g_ListFrameTool->leave(owner);
}
