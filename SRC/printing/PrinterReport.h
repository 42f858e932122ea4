// The printer road of reports: a report is drawn with text calls into one
// recorded picture (a metafile on the text printer's context), which the
// text printer then plays page by page to the printer, the preview or the
// clipboard. Each page starts with a comment record holding its page number
// (4 bytes); the report ends with a comment holding 999999.
//
// The page geometry comes from the report font on the printer: text height
// T (ascent less internal leading), descent D, unit U = T/3 (left margin and
// indentation), gap G = T/5, line height L = T + G + D and bar height
// B = L + 4G, all in printer pixels. Every page has a heading line (program,
// model title, page number), a framed body and, unless the manual mode is
// on, a footer (version, report title, date). y is the baseline of the
// current line.
//
// Start reading at CreateTextPrinterPage; report writers call the text,
// line and section routines while g_ReportFileOpen is clear.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Gdi.h"

class PrinterSettings;

extern std::int32_t g_PrinterPage;
extern bool g_Recording;
extern bool g_QaCoverPrinted;
extern bool g_RevisionPagesPrinted;
extern std::int32_t g_RevisionPageCount;
extern bool g_SuppressPageNumber;

struct PrinterPageGeometry {
  int width = 0;   // W
  int height = 0;  // H
  int textHeight = 0;
  int descent = 0;
  int unit = 0;
  int gap = 0;
  int lineHeight = 0;
  int barHeight = 0;
  int y = 0;
  int bodyTop = 0;
  int bodyBottom = 0;
};
PrinterPageGeometry& PrinterPage();

// The page's drawing objects, made at each page start.
struct PrinterPageObjects {
  HFONT font = nullptr;
  HPEN framePen = nullptr;
  HPEN whitePen = nullptr;
  HPEN thinPen = nullptr;
  HPEN pointPen = nullptr;
  HPEN dottedPen = nullptr;
  HBRUSH barBrush = nullptr;
  HBRUSH lightBrush = nullptr;
  HRGN clip = nullptr;
};
const PrinterPageObjects& PrinterObjects();

struct ContentsEntry {
  std::string title;
  int level = 0;
  int page = 0;
};
std::vector<ContentsEntry>& ContentsEntries();

void PrinterTextLeft(const std::string& text);
void PrinterTextAt(int x, const std::string& text);
void PrinterTextAtXY(int x, int y, const std::string& text);
void PrinterTextRight(int x, const std::string& text);
void PrinterTextCentred(int x, const std::string& text);
void PrinterStringAt(int x, const char* text, int length);
int PrinterTextWidth(const std::string& text);

void PrinterNewLine();
void PrinterHalfLine();
void PrinterQuarterLine();
int PrinterLinesLeft();
void PrinterHeadingBar(const std::string& title);
void PrinterPageHeading();
void BeginReportSection(const std::string& title, int level);
void PrintTableOfContents();

// The text printer's recording: records the report of the printer's owner
// window for a printable area of width x height inches on the reference
// context. Throws a message text when it cannot.
void CreateTextPrinterPage(PrinterSettings& printer, HDC reference, float width, float height);
// The page number a page shows (the QA cover and revision pages not counted).
int PrintedPageNumber();

// The model report (results/PrintSelection.h), which the Layout and Main
// windows print (and the Results window that shows no table): its sheet
// over the owner (the "Print Model" sheet, or "Print Results" while results
// are shown), its first pages before the printer road records it (cover and
// revision record), and its text. Installed at start-up.
struct ModelReportHooks {
  void (*showSheet)(HWND owner) = nullptr;
  void (*preparePages)() = nullptr;
  void (*write)() = nullptr;
};
void SetModelReportHooks(const ModelReportHooks& hooks);
const ModelReportHooks& ModelReportHooksOf();

// Whether `owner` prints the model report: the Layout and Main windows, and
// the Results window while it shows no result table (the report of the
// results is then what it has to print); the other windows print the
// table they show.
bool OwnerPrintsModelReport(HWND owner);
