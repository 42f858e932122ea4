// The List window: the frame (class "QuorvelList", menu "LIST_MENU",
// accelerators LIST_ACCEL) that shows one list of the model at a time: the
// list of an element or data kind or of a property table. Each list is an
// item-list table opened by its own opener, in the module that owns the
// kind; the List window holds the two table windows the lists are shown in,
// the list menu that chooses among the lists, and the frame's commands,
// tooltips and menu states.
//
// The list menu has a fixed order of labels. A kind's module registers its
// label with a condition (when the list is offered) and its opener; a label
// nobody registered is never offered, so a list appears in the menu once
// the work that builds it registers it. The lists that are always offered
// but whose tables later work builds (loads, materials, sections) are
// registered as pending: choosing one says so and leaves the List frame as
// it is. The list shown stays in the menu even when its condition no longer
// holds, so emptying a list does not make it vanish under the user.
//
// The model records the label of the list shown (saved with it); opening a
// model shows that list again, closing the model or the List frame forgets
// it.
//
// The work is split: ListWindow.cpp (the list menu, its dialog and showing
// lists), ListFrame.cpp (the frame and client procedures, commands, menu
// states and tooltips).
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"
#include "platform/Window.h"

struct Model;
class TableWindow;

using ListOpener = void (*)();
using ListCondition = bool (*)(const Model& model);

struct ListMenuEntry {
  std::string label;
  ListOpener opener = nullptr;
};

// Registers the list of `label` (one of the fixed labels; others are
// refused with false).
bool RegisterListKind(const std::string& label, ListCondition condition, ListOpener opener);
// Forgets every registration (start-up registers again; tests start clean).
void ForgetListKinds();

// Recounts the model and builds the entries; returns their number.
int BuildListMenu();
const std::vector<ListMenuEntry>& ListMenuEntries();
// The template of the list dialog for n entries ("LIST_DIALOG3" ... "52").
std::string ListDialogTemplateName(int entries);
// The template chosen by the last BuildListMenu.
const std::string& ListDialogTemplate();

ListOpener CurrentListOpener();
// Openers call this once their table is shown.
void SetCurrentListOpener(ListOpener opener);
// The label of the list shown, or the empty text.
std::string CurrentListLabel();

INT_PTR ListDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Builds the menu (unless results are shown) and runs the list dialog over
// `owner`: the chosen entry number, 0 on Cancel.
int OpenListMenuDialog(HWND owner);
void ShowList(int entry);
void ShowListByOpener(ListOpener opener);
void ShowNextList();
void ShowPreviousList();
void SwitchListWindow(ListOpener opener);
void RefreshListWindow();
// After a model was read: shows the list saved with it, if it is offered;
// true when it is shown.
bool RestoreListWindow();
// A new or closed model: no list shown (the List frame is hidden with its
// tables closed), no saved name.
void ResetListWindow();
// The List frame was closed: the model no longer records a list shown.
void ForgetShownListName();

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

void RegisterListWindow();
LRESULT ListWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ListCommand(HWND window, int commandId);
std::string ListToolTipText(int commandId);
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
// Applies the menu states to a popup of the List menu at `position`
// (File 0, Edit 1, View 2, Options 3, Misc 4, Window 5, Help 6).
void UpdateListMenuPopup(HMENU popup, int position);
