// The table window: the spreadsheet-like grid behind every input list and
// result table. A TableWindow object is a program-wide object of a subclass
// that gives its columns, headings and cells through the virtual operations
// below; it is shown in a window of the class "QuorvelTable", which shows
// one table at a time (showing another one first closes the one shown).
//
// The object holds its layout (heading height, row height, column left
// positions, visible rows), its scroll state (top row offset, horizontal
// pixel position), the current row and column, and the in-place editor of
// the current cell (edit buffer, caret, protected prefix). There is no edit
// control: the cell text lives in the edit buffer and is drawn by the table.
//
// The work is split by concern: TableWindow.cpp (object, binding, showing,
// finding), TableWindowPaint.cpp (painting), TableWindowScroll.cpp (fitting
// the window, scrolling, going to rows), TableWindowKeys.cpp (keys and
// characters), TableWindowEdit.cpp (edit buffer, caret, committing and the
// thrown input errors), TableWindowMouse.cpp (the window procedure, clicks
// and the context menu). Layout arithmetic shared with printing lives in
// services/TableMetrics.h; fonts, pens, brushes and message display reach
// their modules through services/TableWindowSupport.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"
#include "services/TableMetrics.h"

// The record of one table window: its handle, the font it draws in, its own
// device context (the class has CS_OWNDC) with that font selected, and the
// font's measures. Created with the window and released with it.
struct TableWindowRecord {
  HWND window = nullptr;
  HFONT font = nullptr;
  HDC dc = nullptr;
  TableFontMetrics metrics{};
};

class TableWindow {
 public:
  TableWindow();
  virtual ~TableWindow() = default;
  TableWindow(const TableWindow&) = delete;
  TableWindow& operator=(const TableWindow&) = delete;

  // --- virtual operations, in the order of their slots -------------------------
  virtual void UpdateMenu() {}
  virtual void Close() {}
  virtual void EditCurrentItem() {}
  virtual void InsertRow() {}
  virtual void DeleteRow() {}
  virtual void EnterRow(bool control);
  virtual void AfterEnter();
  virtual void DoubleClick() { EditCurrentItem(); }
  virtual void KeyDown(UINT virtualKey);
  virtual void CurrentRowChanged() {}
  virtual void WriteText() {}
  virtual bool ShowHelp() { return false; }
  virtual void Prepare() {}
  virtual void DefineColumns() = 0;
  virtual void SelectRowPen(int row);
  virtual void SelectColumnPen(int column);
  virtual void DrawRowRule(int visibleRow);
  virtual void DrawColumnRule(int column);
  virtual void AdjustClientRect(RECT& /*rect*/) {}
  virtual void SetColours();
  virtual void PaintExtra() {}
  virtual std::string HeadingText(int /*column*/, int /*line*/) { return {}; }
  virtual std::string CellText(int /*row*/, int /*column*/, int /*line*/) { return {}; }
  virtual int FirstDrawnColumn() { return 1; }
  virtual int LastDrawnColumn() { return columnCount; }
  virtual bool IsWideRow(int /*row*/) { return false; }
  virtual int WideRowPrefixLength() { return 0; }
  virtual void HeadingClicked(int /*column*/) {}
  virtual void BeforeColumnMove(int /*step*/) {}
  virtual void RowColour(int /*row*/) {}
  virtual void DrawCellCustom(int /*row*/, int /*column*/, int /*line*/, int& /*x*/, int& /*y*/,
                              const std::string& /*text*/) {}
  virtual void GotFocus() {}
  virtual void LostFocus() {}
  virtual bool IsCellEditable(int /*row*/, int /*column*/) { return false; }
  virtual bool IsRowEditable(int /*row*/) { return true; }
  virtual void ColumnClicked() {}
  virtual void CharNotEditing(int /*character*/) {}
  virtual int FilterChar(int character) { return character; }
  virtual void StoreCell() {}
  virtual void EditFinished() {}
  virtual bool MustKeepFocus() { return false; }
  virtual void ContextMenu() {}
  virtual void HeadingContextMenu(int /*column*/) { ContextMenu(); }
  virtual void CellContextMenu(int /*column*/) { ContextMenu(); }
  virtual std::int32_t RowNode(int /*row*/) { return 0; }
  virtual void RowNodes(int /*row*/, std::int32_t& from, std::int32_t& to) { from = to = 0; }

  // --- data ------------------------------------------------------------------------------
  TableWindowRecord* windowRecord = nullptr;
  HWND frame = nullptr;  // owning frame window; titles and cell-error commands go there
  TableWindow* followingTable = nullptr;
  TableWindow* partnerTable = nullptr;
  bool editable = true;
  int linesPerRow = 1;
  bool rowNumbers = true;
  bool gapAfterHeading1 = false;
  bool gapAfterHeading2 = false;
  bool wideRows = false;
  bool alwaysScroll = false;
  // Shown with its headings and no rows when it has none, its frame keeping
  // the title its opener gave; other tables hide then (the List window's
  // lists: the list the user chose stays the one shown when it empties).
  bool shownWhenEmpty = false;
  bool nodeSearch = false;
  bool nodePair = false;
  bool nameSearch = false;
  int caret = 0;  // character index in the edit buffer
  HBRUSH headingBrush = nullptr;
  HBRUSH wideRowBrush = nullptr;
  HBRUSH noFocusBrush = nullptr;
  HPEN gridPen = nullptr;
  int rowCount = 0;
  int currentRow = 1;  // 1-based; 0 with no rows
  int currentColumn = 1;
  int clientWidth = 0;
  int clientHeight = 0;
  bool editChanged = false;
  int returnColumn = 0;
  std::string editBuffer;  // at most kMaxEditBuffer characters
  POINT popupPoint{0, 0};
  HMENU frameMenu = nullptr;
  int menuMode = 0;
  int headingLines = 1;
  int columnCount = 0;
  int topRow = 0;     // rows scrolled off the top
  int hPosition = 0;  // horizontal scroll position in pixels
  std::vector<int> widths;       // [1..columns]; 0 hides a column
  std::vector<int> x;            // [0..columns+1]: x[1] is the row-number column's width
  std::vector<int> editLengths;  // [1..columns]; empty: not editable
  int headingHeight = 0;
  int rowHeight = 0;
  int visibleRows = 1;
  int totalWidth = 0;
  bool hScrollShown = false;
  bool vScrollShown = false;
  bool hDragging = false;
  bool vDragging = false;
  bool notifyWhileDragging = false;
  bool editing = false;
  int prefixLength = 0;
  int maxEditLength = 0;
  // While the message of a refused cell or row is up (it borrows the focus).
  bool showingRefusal = false;
  bool textColourChanged = false;

  static constexpr int kMaxEditBuffer = 127;
  static constexpr int kWideRowEditLength = 71;

  const TableFontMetrics& Metrics() const;
  HDC Dc() const;
  HWND Window() const;
  int EditLength() const { return static_cast<int>(editBuffer.size()); }
};

// Result tables add, after the base operations, the reload after another
// load case was picked and the name text that captions the print sheet.
class ResultTableWindow : public TableWindow {
 public:
  virtual void Reload() {}
  virtual std::string PrintName() { return {}; }
};

// Item lists of the List window add the entries' layout rows, the name text
// and whether Insert and Delete are offered.
struct ItemListEntries {
  std::string title;
  int count = 0;
  std::vector<int> layoutRows;
};
class ItemListTableWindow : public TableWindow {
 public:
  virtual bool RowOfCurrentLayoutRow(ItemListEntries& /*entries*/) { return false; }
  virtual std::string PrintName() { return {}; }
  virtual bool CanInsert() { return true; }
  virtual bool CanDelete() { return true; }
};

// --- binding, filling and showing (TableWindow.cpp) --------------------------------
// Columns, heading lines and edit lengths ([1..columns]; none: not editable).
void TableSetColumns(TableWindow& table, TableWindowRecord* record, HWND frame, int columns,
                     int headingLines, const std::vector<int>* editLengths);
void TableReset(TableWindow& table);
void TableShow(TableWindow& table);
void TableShowFocus(TableWindow& table);
void TableSetRows(TableWindow& table, int rows);
void TableSetCountTitle(TableWindow& table, const std::string& title, int count);
void TableSetRowsTitled(TableWindow& table, const std::string& title, int count);
void TableRefreshCounted(TableWindow& table, const std::string& title, int count, int row);
void TableRefresh(TableWindow& table, const std::string& title, int rows, int row);
void TableOpenAt(TableWindow& table, const std::string& title, int count, int row, int top);
void TableGoToRow(TableWindow& table, int row);
void TableWindowSetMenu(TableWindow& table, HMENU menu, int mode);
// 0 while not editing; asserts that an editable row has an editable column.
int TableFirstEditableColumn(TableWindow& table);
int TableLastEditableColumn(TableWindow& table);
void TableFindRow(TableWindow& table, std::int32_t node, const std::string& nodeText);
void TableFindName(TableWindow& table, const std::string& text);
// Whether a layout row's comment text contains `text` (any case); supplied by
// the layout table, false until one is registered.
using TableNameMatcher = bool (*)(int row, const std::string& text);
void SetTableNameMatcher(TableNameMatcher matcher);

// Operations on a table window (the bound table is in its extra bytes).
TableWindow* TableOfWindow(HWND window);
TableWindowRecord* RecordOfWindow(HWND window);
void TableWindowClose(HWND window);
void TableWindowPrint(HWND window);
std::string TableWindowPrintObject(HWND window);
void TableWindowReselectFont(HWND window);
// Every table window of the frames takes the text font again (after it was
// chosen or zoomed), whether or not it shows a table.
void TableWindowsReselectTextFont();
void TableWindowGoTo(HWND window, int row);
void TableWindowFocus(HWND window);
void TableWindowFit(HWND window);
bool TableWindowHasNodes(HWND window);
void TableWindowFindRow(HWND window, std::int32_t node, const std::string& nodeText);
void TableWindowFindName(HWND window, const std::string& text);
void TableWindowInsertRow(HWND window);
void TableWindowDeleteRow(HWND window);
void TableWindowNotifyRow(HWND window);
void TableWindowEditItem(HWND window);
void TableWindowSelectRow(HWND window);
void TableWindowRedrawEdit(HWND window);
bool TableWindowShowHelp(HWND window);
void TableWindowMenu(HWND window, HMENU menu, int mode);

// --- painting (TableWindowPaint.cpp) ---------------------------------------------------
void TablePaint(TableWindow& table, HDC dc);
void TableDrawRow(TableWindow& table, int row);  // redraws one row if visible
void TableDrawCellFrame(TableWindow& table, bool draw);
void TableRedrawEditCell(TableWindow& table);
// Drawing primitives for a table's PaintExtra: lines at table x positions
// (shifted by the horizontal scroll), a heading text centred over columns
// first..last on heading line 0, 1 or 2, and the rule under the first one
// or two lines of a two- or three-line heading block over those columns.
void TableVerticalLine(TableWindow& table, int x, int top, int bottom);
void TableHorizontalLine(TableWindow& table, int left, int right, int y);
void TableHeadingCentred(TableWindow& table, int firstColumn, int lastColumn, int line, const std::string& text);
void TableHeadingRule(TableWindow& table, int firstColumn, int lastColumn, int lines);
// Number of rows drawn: whole visible rows below the top row plus one
// partly visible row when there is room and a row.
int TableDrawnRows(const TableWindow& table);
// Counts every CellText call made by painting, for the tests and the
// benchmark that check a paint touches only the visible rows.
long TableCellTextCalls();

// --- layout, fitting and scrolling (TableWindowScroll.cpp) -------------------------------
// What a fit does with the caret of the table being edited when it falls
// out of view: when the view moved under it (a resized parent, the scroll
// bar) it follows the view to the nearest visible character; when the text
// under it changed (typing widened its column) it stays and the view
// scrolls to it, so the next character goes where the caret is.
enum class FitCaret { FollowsView, Stays };
void TableFitWindow(TableWindow& table, FitCaret caret = FitCaret::FollowsView);
void TableVScroll(TableWindow& table, UINT code, int thumb);
void TableHScroll(TableWindow& table, UINT code, int thumb);
void TableScrollHorizontally(TableWindow& table, int newPosition);
void TableGoTo(TableWindow& table, int row, int offset = 0);
void TableGoToLast(TableWindow& table);
void TableSelectRow(TableWindow& table);
// Whether every text of `row` fits its column (a wide row: the columns).
bool TableRowFits(TableWindow& table, int row);
// After a change of `row`: when a text of it no longer fits its column,
// the columns are measured again and the window fitted to them, the
// current row, column and edit staying as they are; else only the row is
// redrawn.
void TableFitRow(TableWindow& table, int row);
void TableScrollColumnIntoView(TableWindow& table, int column);
// Brings the caret into view by moving it (see FitCaret::FollowsView).
void TableKeepCaretVisible(TableWindow& table);
bool TableHasFocus(const TableWindow& table);

// --- keys (TableWindowKeys.cpp) --------------------------------------------------------
void TableKeyDown(TableWindow& table, UINT virtualKey);
void TableNavigateKey(TableWindow& table, UINT virtualKey);
void TableEditKey(TableWindow& table, UINT virtualKey);
void TableChar(TableWindow& table, int character);
void TableNextColumn(TableWindow& table, int step);
// Undo over text typed in the current cell and not stored takes back the
// typing, as Escape does, and nothing else: true when there was typing.
bool TableUndoTyping(TableWindow& table);
// The program-wide insert (true) / overwrite mode of every table.
bool TableInsertMode();
void SetTableInsertMode(bool insert);

// --- cell editing (TableWindowEdit.cpp) -----------------------------------------------------
void TableLoadEditBuffer(TableWindow& table);
// Loads the edit buffer again from the stored cell; when the current cell
// is still the same one the caret stays where it was (at the end when it
// was at the end), else it goes to the protected prefix as on any load.
void TableReloadEditCell(TableWindow& table);
void TableSetColumn(TableWindow& table, int column);
void TablePlaceCaret(TableWindow& table);
void TableCaretToX(TableWindow& table, int x);
// True when an error was reported (the edit stays).
bool TableCommitEdit(TableWindow& table);
bool TableEndEdit(TableWindow& table);
bool TableCommitCell(TableWindow& table, bool control);
// The text each commit stored since ForgetStoredTypedText (the start of an
// action of the user), kept with its cell: an action that a refusal put
// back whole gives it back to its cell as typed, the cell still editing,
// for the user to mend or drop (PutBackStoredTypedText at the action's
// end). A cell that still shows what its store left keeps that.
void ForgetStoredTypedText();
void PutBackStoredTypedText();
// Text typed in a table's current cell and not stored yet, held over a
// reload of the table (a list shown again as the model or the Layout's row
// moves, which loads its cells afresh): given back to its cell as typed,
// still being edited, while the table has that row. Nothing is held (a null
// table) when nothing was typed.
struct HeldTypedText {
  TableWindow* table = nullptr;
  HWND window = nullptr;
  int row = 0;
  int column = 0;
  std::string text;
  int caret = 0;
};
HeldTypedText TableHoldTypedText(TableWindow& table);
void TableGiveBackTypedText(const HeldTypedText& held);
void TableCommitInPlace(TableWindow& table);
void TableWidenColumnForEdit(TableWindow& table);
int TableCaretWidth(TableWindow& table);
[[noreturn]] void ThrowCellError(const std::string& message, int column);
[[noreturn]] void TableFieldRequired(const std::string& columnName, int column);
[[noreturn]] void ThrowCellCommand(int command);
[[noreturn]] void ThrowCellCommandError(const std::string& message, int column, int command);

// --- window class and mouse (TableWindowMouse.cpp) -------------------------------------
constexpr const char* kTableWindowClass = "QuorvelTable";
void RegisterTableWindowClass();
LRESULT TableWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A table window inside a dialog's item 1500, drawn in the small font.
HWND TableWindowCreate(HWND dialog);
TableWindowRecord& DialogTableWindowRecord();
bool TableClick(TableWindow& table, int x, int y);
void TableContextMenu(TableWindow& table, int x, int y);
// Which of the List window's two table windows had the focus last (0 or 1);
// the List window names its two windows here.
extern int g_ListTableFocus;
extern HWND g_ListTableWindows[2];
