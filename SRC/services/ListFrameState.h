// What the List frame holds that its lists and the tools that take it over
// use (see ListFrameState.cpp and model/ListWindow.h).
#pragma once

#include <string>

#include "platform/Types.h"
#include "platform/Window.h"

class TableWindow;

// The client window of the List frame: it makes the two table windows.
LRESULT ListClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The first of the two, and whether a table window shows a table.
HWND FirstListTable();
bool ListTableShown(HWND window);

// The two table windows of the List frame (0 first, 1 second); null before
// the frame exists.
HWND ListTableWindow(int which);
// The list table among the two that has the focus, or null.
HWND FocusedListTable();
// Before the model is saved, closed, replaced or analysed (a menu command
// takes no focus from a table): the focused list table stores what it
// holds as leaving it would, the cell being edited and a values grid's
// points. False when the table refused (its message was shown) and the
// action must stop.
bool CommitListWindowEdits();
// Binds `table` to the first List table window with `columns` columns and
// no editing; false when the List frame has no window.
bool BindFirstListTable(TableWindow& table, int columns, int headingLines = 1);


// A library or evaluation tool that has taken over the List frame (its
// menu, accelerators and table window): while one is set, the frame's
// commands go to it first, closing the frame is its close and the frame's
// menu states are its own.
struct ListFrameTool {
  bool (*command)(HWND window, int commandId) = nullptr;  // true when handled
  void (*close)(HWND window) = nullptr;
  // Leaves the tool after its save question; false when the user cancels.
  bool (*leave)(HWND owner) = nullptr;
  HACCEL accelerators = nullptr;
  // The tips of the tool's own toolbar buttons; null: the List window's.
  std::string (*toolTip)(int commandId) = nullptr;
  // The tool's own print to file; the first table's when null.
  void (*printToFile)(HWND owner) = nullptr;
};
void SetListFrameTool(const ListFrameTool* tool);
const ListFrameTool* CurrentListFrameTool();
// Leaves whatever tool holds the list frame before another document takes
// the program over, or before another list shows in the frame: true when
// none does or it was left.
bool LeaveListFrameTool(HWND owner);
// What a tool took from the List frame while it holds it.
struct TakenListFrame {
  bool open = false;
  HMENU listMenu = nullptr;
  HMENU toolMenu = nullptr;
  HACCEL accelerators = nullptr;
  WINDOWPLACEMENT listPlacement{};
};
// The tool takes the List frame, unless it holds it already: the frame's
// menu and place are kept in `taken`, the tool's menu and accelerators
// loaded from resources `menu` and `accelerators` (the latter also into
// `tool`), `tool` set as the frame's tool, the Main window hidden and the
// frame put at `toolPlacement`. The caller shows the frame.
void TakeListFrame(TakenListFrame& taken, const char* menu, const char* accelerators, ListFrameTool& tool,
                   const WINDOWPLACEMENT& toolPlacement);
// The tool gives the List frame back, hidden, its first table closed: the
// tool's own placement is stored in `toolPlacement`, the frame gets its
// menu and place again, the tool's menu and accelerators are destroyed and
// `taken` is cleared. Nothing when the tool does not hold the frame.
void ReleaseListFrame(TakenListFrame& taken, WINDOWPLACEMENT& toolPlacement);

// The highlight toggle (command 432) of the lists whose lines stand for
// property records (materials, sections, pipe loads): while it is on,
// moving in such a list highlights the record's rows in the graphics. Such
// a list shows the toggle's and the colour graphics' buttons (432, 245)
// while it is shown: ShowListGraphicsButtons(true) when it is prepared,
// (false) when it closes, which also turns the toggle off and hides the
// highlight.
void ShowListGraphicsButtons(bool shown);
// A property list's current line changed: `highlight` of the record (1 to
// `count`) while the toggle is on, else the highlight hidden.
void HighlightListRecord(void (*highlight)(int record), int record, int count);
// The highlight toggle (command 432) turned over, `table` told to notify
// its current row again; and the states of the toggle and its buttons.
void ToggleListHighlight(HWND table);
bool ListHighlightOn();
bool ListGraphicsButtonsShown();
