// The report output core: every table and report writes its lines through
// these routines, which take one of two roads. On the printer road
// (g_ReportFileOpen clear) a report draws on the text printer's page
// (PrinterReport.h). On the file road it is laid out on an in-memory page of
// 59 lines by 151 columns and written to a text file page by page (a form
// feed after each), or, in CSV mode (g_ReportToFile), as comma-separated
// lines.
//
// Lines and columns count from 1. Every write is clipped to the page: a
// line outside 1..59 or a column outside 1..151 is never written (in CSV mode
// a line may run past column 151, so a long row stays whole). Text is the
// program's Windows-1252; files are written in UTF-8, text files with LF
// line ends, CSV files with CR LF (spreadsheets read them).
//
// A value never runs into the next one: every text the line routines place
// on a text page is followed by at least one blank, however wide it is
// (see PutValueInLine), and a rule is as wide as the table it rules.
//
// A report on the file road: ReportPrintToFile (the "Print to File" dialog),
// the report's writer, ReportWrittenMessage. The table of contents of a text
// report is collected in a work file in the temporary folder while
// g_CollectContents is set, and printed as the last pages.
//
// Start reading at ReportPrintToFile; ReportPage.cpp holds the page and the
// line routines, ReportOutput.cpp the files, dialogs and contents.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "platform/Types.h"

constexpr int kReportPageLines = 59;
constexpr int kReportPageColumns = 151;
constexpr int kReportBodyLine = 4;

extern std::int32_t g_ReportLine;  // 1..59
extern std::int32_t g_ReportPage;  // the page whose header was made last; 0 before the first
extern std::string g_ReportTitle;  // at most 51 characters
extern std::string g_ReportDate;
// The shared row buffer of the CSV cell routines (AppendCsvValue builds in
// the shared edit-field text, g_EditFieldText of services/NumberText.h).
extern std::string g_LineText;
// The document last opened or printed to: the dialog proposes it.
extern std::string g_OutputFileName;
// The program runs a batch file: reports go to a CSV file without dialogs.
extern bool g_BatchRun;
extern std::string g_CsvExportDefaultName;
extern std::FILE* g_CsvExportFile;
// Section titles are collected for a table of contents.
extern bool g_CollectContents;
extern bool g_RomanPageNumbers;
extern std::int32_t g_ContentsFirstPage;
// The first pages of a model report (its cover, its revision record) carry
// no page number and the body counts from 1: pages up to this count, and
// every page begun while g_ReportPageNumberOff is set, are not numbered.
extern std::int32_t g_ReportUnnumberedPages;
extern bool g_ReportPageNumberOff;
// The page number a page of the text road shows.
std::int32_t ReportShownPageNumber();

// --- lines and columns (text road; the same placement plus "," in CSV mode) ---
std::int32_t ReportLinesLeft();
void ReportAppendLine(const std::string& text);
void ReportPutTextAtLine(const std::string& text, int line, int column);
void ReportPutText(const std::string& text, int column);
void ReportPutTextRightAt(const std::string& text, int line, int column);
void ReportPutTextRight(const std::string& text, int column);
void ReportPutDecimalAlignedAtLine(const std::string& text, int line, int column);
void ReportPutDecimalAligned(const std::string& text, int column);
void ReportPutCentredAtLine(const std::string& text, int line, int firstColumn, int lastColumn);
void ReportPutCentred(const std::string& text, int firstColumn, int lastColumn);
void ReportPutTextCentredAtLine(const std::string& text, int line);
void ReportPutTextCentredLine(const std::string& text);
void ReportPutCharAtLine(char character, int line, int column);
void ReportPutChar(char character, int column);
void ReportNewLine();
// A rule spans columns 4 to 86, and on to the last column of a wider table
// it rules: the lines above and below it, each run ending at a blank line
// or another rule. Its length is settled when the page is written out,
// once the table's rows are on the page.
void ReportRuleAtLine(int line);
void ReportRule();
void ReportRuleBetween(int firstColumn, int lastColumn);
void ReportNewPage();

// --- values in columns ------------------------------------------------------------
// Puts `text` on a text line (columns from 1) asked to start at `column`.
// A value wider than its column would overwrite or touch its neighbour and
// two values would read as one ("B-2685" for series B-268 size 5): a text
// that would do so starts further right instead, one blank past what the
// line already holds, and a text that would end right before a value
// already there pushes that value one column right. A text that fits where
// it is asked stays there. The blanks that pad a text at either end cover
// nothing. Text before column 1 is dropped. The line routines place every
// text of a text page through this; a line built apart from the page and
// placed whole (a kind's line of details) is built through it too.
void PutValueInLine(std::string& line, const std::string& text, int column);
// Sees each text the line routines place (the text, its line and the column
// asked), so that a report can be checked whole against what its writer
// placed; an empty function stops it.
void WatchReportPlacements(std::function<void(const std::string& text, int line, int column)> watcher);

// --- CSV cells -----------------------------------------------------------------------
// Texts holding a comma, a quote or a line break are quoted, quotes doubled.
void ReportPutField(const std::string& text);    // "" and "0" give an empty cell
void ReportPutCell(const std::string& text);     // "" gives an empty cell
void ReportPutUnits(int unitKind);               // the unit label of kind 1..20
void ReportPutCsvCell(const std::string& text);  // the text or one blank; no comma
void AppendCsvValue(const std::string& text);    // ReportPutField into g_EditFieldText
// The text as one CSV cell (quoted when it must be).
std::string CsvQuoted(const std::string& text);

// --- the page -------------------------------------------------------------------------
void ReportTrimPage();
void ReportPageHeader();
// The text of a page line as it stands (for tests and the page writer).
std::string ReportPageLine(int line);
// i..xii, else decimal.
std::string RomanPageNumber(int number);

// --- files, dialogs and contents ---------------------------------------------------
bool ReportPrintToFile(HWND owner);
bool PrintToFileDialog(HWND owner);
UINT_PTR PrintToFileHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Ends a file-road report; false (after saying so) when the file could not be written.
bool ReportWrittenMessage(HWND owner);
// The writing part of ReportWrittenMessage: the last page out and the file
// closed; false when anything of it failed. Nothing is shown.
bool ReportCloseFile();
// Ends a file-road report that failed half-way: the file is closed and
// removed, and nothing is announced.
void ReportAbandonFile();
// The page title of a report: the name of the document it is made for,
// without its extension; "Untitled" for a document without a file.
void PrepareReportTitle();
// The document the reports are made for when a tool has taken the model's
// place (its file path; "" for an untitled one); cleared, the model's file.
void SetReportDocumentPath(const std::string& path);
void ClearReportDocumentPath();
void ReportSetTitle(const std::string& title);
void OpenContentsFile();
void ReportTableOfContents();
bool ExportCsvDialog(HWND owner);
// Opens `path` as the print file without a dialog (CSV mode by its
// extension) and starts page 1; false with the error shown when it cannot.
bool ReportOpenFile(HWND owner, const std::string& path);
// The file of a batch run's report: beside the model, never an existing file.
std::string BatchReportFileName(const std::string& modelPath);
