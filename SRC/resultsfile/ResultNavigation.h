// What every result table shares with the Results window: the one table
// window of the Results frame the tables are shown in, the opener of the
// table shown (ResultsReopenCommand, which each opener records so that a
// command can reopen it), the result chooser list that Next and Previous
// Result step through, the window's caption, the navigation items and
// buttons a table adds while it is shown, the axes flags of the force
// tables and the keys every result table handles alike.
//
// Navigation items go into the Results popup before "&Results..." (174),
// each group followed by its separator; their toolbar buttons are shown
// with them on both Results toolbars and hidden again when the table goes.
// Start at BindResultsTable.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

class TableWindow;
class ResultTableWindow;
struct TableWindowRecord;

using ResultOpener = void (*)();

// --- the table window -----------------------------------------------------------------
TableWindowRecord& ResultsTableRecord();
HWND ResultsTableWindow();
// Binds `table` to the Results table window (read-only); false without it.
bool BindResultsTable(TableWindow& table, int columns, int headingLines);
// The result table shown, or null.
ResultTableWindow* ShownResultTable();

// --- the current table --------------------------------------------------------------
ResultOpener ResultsReopenCommand();
void SetResultsReopenCommand(ResultOpener opener);
// Reopens the current table (after a case, kind or axes change).
void ReopenResultTable();
// After the table's data changed (another case): when it is the table shown,
// laid out and shown again on the same row and scroll position.
void RefreshShownTable(ResultTableWindow& table);
// "<text>: <case title>" as the Results window's caption.
void ShowResultsTitle(const std::string& text);

// --- the result chooser list ------------------------------------------------------
struct ResultChooserEntry {
  std::string name;  // with its "&" mnemonic
  ResultOpener opener = nullptr;
};
std::vector<ResultChooserEntry>& ResultChooserList();
// The entry whose opener is the current table's, 1 when none is.
int CurrentResultIndex();
// While `shown` is the table shown (the results mode on), the chooser's
// current entry is `entry`: the time-history tables stand for the entry
// that chose them.
void SetChooserEntryOf(ResultOpener shown, ResultOpener entry);
void OpenResultByIndex(int index);
void NextResultTable();
void PreviousResultTable();
void CycleResultTable(bool backwards);

// --- axes of the force tables ---------------------------------------------------------
// The force tables show global axes (else each element's local axes).
extern bool g_ShowGlobalForces;

// --- navigation items and buttons -------------------------------------------------
void ShowResultsButtons(const std::vector<int>& ids, bool shown);
// Presses or releases a button on both Results toolbars.
void SetResultsButtonPressed(int id, bool pressed);
// Image 24 (local) or 25 (global) on button 288 of both toolbars.
void SetGlobalLocalImage(bool local);
// The load-case items when there are two or more cases: the result cases,
// or the `cases` of a table that steps through its own list.
void AddLoadCaseMenu(int cases = -1);
void RemoveLoadCaseMenu();
// The support items when `multiple`; the load-case items when `withCases`.
void AddSupportNavigationMenu(bool multiple, bool withCases = true);
void RemoveSupportNavigationMenu();
// The rotating-equipment report's items: the equipment items when
// `multiple`, the load-case items for its `cases` report cases (removed by
// RemoveSupportNavigationMenu).
void AddEquipmentNavigationMenu(bool multiple, int cases);
// The global/local item and button of a support loads table shown in
// either axes (the guides'): "Global &loads\tF7" while local.
void AddSupportAxesMenu(bool global);
void RemoveSupportAxesMenu();
void AddForceNavigationMenu(bool multipleKinds);
void RemoveForceNavigationMenu();
// One item of a table that switches to its partner table (the FRP stresses
// and their sorted view: F6, command 287) with its separator.
void AddTableSwitchItem(int id, const char* text);
void RemoveTableSwitchItem(int id);
void AddDisplacementNavigationMenu();
void RemoveDisplacementNavigationMenu();
// The time-history tables' items: "&Other Time History...\tF6" (287), and
// "Global &Forces\tF7" or "Local &Forces\tF7" (288) on the element force
// table; with their buttons.
void AddTimeHistoryMenu(bool forces, bool global);
void RemoveTimeHistoryMenu();
// Whether the Results menu holds a command now (for the tests and tooltips).
bool ResultsMenuHas(int id);

// --- popups of the tables -------------------------------------------------------------
void AppendResultsMenuItems(HMENU popup);
void AppendLoadCaseMenuItems(HMENU popup);
void AppendDisplacementMenuItems(HMENU popup);
// Tracks `popup` at the table's popup point for the Results frame, then
// destroys it.
void TrackResultTablePopup(TableWindow& table, HMENU popup);

// --- keys -----------------------------------------------------------------------------------
// Tab (Shift+Tab) cycles the result tables; Left and Right change the case
// and reload the table. False for other keys.
bool ResultTableKey(ResultTableWindow& table, UINT virtualKey);
