// The printer road (see PrinterReport.h): recording a report, the page
// heading and footer, the line advance with its page break, text placement,
// the heading bar and the table of contents.
#include "printing/PrinterReport.h"

#include <cstring>

#include "model/Drawing2D.h"
#include "model/Model.h"
#include "platform/Input.h"
#include "platform/Metafile.h"
#include "printing/PrinterSettings.h"
#include "printing/ReportOutput.h"
#include "services/Assert.h"
#include "services/Frame.h"
#include "services/ListFrameState.h"
#include "services/ProgramContext.h"
#include "services/StartupSwitches.h"
#include "services/TableWindow.h"

std::int32_t g_PrinterPage = 0;
bool g_Recording = false;
bool g_QaCoverPrinted = false;
bool g_RevisionPagesPrinted = false;
std::int32_t g_RevisionPageCount = 0;
bool g_SuppressPageNumber = false;

namespace {

constexpr std::int32_t kEndMark = 999999;

PrinterPageObjects& Objects() {
  static PrinterPageObjects objects;
  return objects;
}

void ReleasePageObjects() {
  PrinterPageObjects& objects = Objects();
  if (g_PrinterDc != nullptr) {
    SelectObject(g_PrinterDc, GetStockObject(SYSTEM_FONT));
    SelectObject(g_PrinterDc, GetStockObject(BLACK_PEN));
    SelectObject(g_PrinterDc, GetStockObject(HOLLOW_BRUSH));
  }
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(objects.font), static_cast<HGDIOBJ>(objects.framePen),
                         static_cast<HGDIOBJ>(objects.whitePen), static_cast<HGDIOBJ>(objects.thinPen),
                         static_cast<HGDIOBJ>(objects.pointPen), static_cast<HGDIOBJ>(objects.dottedPen),
                         static_cast<HGDIOBJ>(objects.barBrush), static_cast<HGDIOBJ>(objects.lightBrush),
                         static_cast<HGDIOBJ>(objects.clip)})
    if (object != nullptr) DeleteObject(object);
  objects = PrinterPageObjects{};
}

HPEN GeometricPen(int width, COLORREF colour) {
  LOGBRUSH brush{BS_SOLID, colour, 0};
  return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE, static_cast<DWORD>(std::max(width, 1)), &brush, 0,
                      nullptr);
}

void MakePageObjects() {
  PrinterPageObjects& objects = Objects();
  PrinterPageGeometry& page = PrinterPage();
  int pixelsPerInch = GetDeviceCaps(g_PrinterDc, LOGPIXELSY);
  LOGFONT font = TextPrinter().font;
  font.lfHeight = -(TextPrinter().fontSize * pixelsPerInch / 720);
  font.lfWidth = 0;
  objects.font = CreateFontIndirect(&font);
  objects.framePen = GeometricPen(6 * pixelsPerInch / 720, RGB(0, 0, 0));
  objects.whitePen = GeometricPen(6 * pixelsPerInch / 720, RGB(255, 255, 255));
  objects.thinPen = CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
  objects.pointPen = GeometricPen(pixelsPerInch / 72, RGB(0, 0, 0));
  objects.dottedPen = CreatePen(PS_DOT, 0, RGB(0, 0, 0));
  objects.barBrush = CreateSolidBrush(RGB(232, 232, 232));
  objects.lightBrush = CreateSolidBrush(RGB(244, 244, 244));
  objects.clip = CreateRectRgn(0, 0, page.width + 1, page.height + 1);
  SelectObject(g_PrinterDc, objects.font);
  SetBkMode(g_PrinterDc, TRANSPARENT);
  SetTextAlign(g_PrinterDc, TA_BASELINE | TA_LEFT);
  SetTextColor(g_PrinterDc, RGB(0, 0, 0));
  TEXTMETRIC metrics{};
  GetTextMetrics(g_PrinterDc, &metrics);
  page.textHeight = metrics.tmAscent - metrics.tmInternalLeading;
  page.descent = metrics.tmDescent;
  page.unit = page.textHeight / 3;
  page.gap = page.textHeight / 5;
  page.lineHeight = page.textHeight + page.gap + page.descent;
  page.barHeight = page.lineHeight + 4 * page.gap;
}

std::string HeadingCentreText() { return TheModel().title; }

// The report the owner window of the text printer writes.
void WriteOwnersReport(HWND owner) {
  if (OwnerPrintsModelReport(owner)) {
    ModelReportHooksOf().write();
    return;
  }
  if (owner != nullptr && owner == ListFrame().window) {
    TableWindowPrint(ListTableWindow(0));
    return;
  }
  // The Results window prints the result table in its client.
  if (owner != nullptr && owner == ResultsFrame().window) {
    TableWindowPrint(GetWindow(ResultsFrame().client, GW_CHILD));
    return;
  }
  throw std::string("Unknown caller in create emf on text printer");
}

void PageMark(std::int32_t number) {
  BYTE data[4];
  std::memcpy(data, &number, sizeof data);
  GdiComment(g_PrinterDc, sizeof data, data);
}

}  // namespace

PrinterPageGeometry& PrinterPage() {
  static PrinterPageGeometry page;
  return page;
}

const PrinterPageObjects& PrinterObjects() { return Objects(); }

std::vector<ContentsEntry>& ContentsEntries() {
  static std::vector<ContentsEntry> entries;
  return entries;
}

namespace {

// The contents entries recorded since the last text was drawn: a section
// whose table finds no room at the foot of the page starts on the next
// one, so its entry takes the page its first text lands on.
struct PendingEntries {
  bool waiting = false;
  std::size_t first = 0;
};
PendingEntries& Pending() {
  static PendingEntries pending;
  return pending;
}

void TextDrawn() { Pending().waiting = false; }

}  // namespace

int PrintedPageNumber() {
  int number = g_PrinterPage;
  if (g_QaCoverPrinted) number -= 1;
  if (g_RevisionPagesPrinted) number -= g_RevisionPageCount;
  return number;
}

int PrinterTextWidth(const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32(g_PrinterDc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void PrinterTextAtXY(int x, int y, const std::string& text) {
  TextDrawn();
  TextOut(g_PrinterDc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void PrinterTextAt(int x, const std::string& text) { PrinterTextAtXY(x, PrinterPage().y, text); }

void PrinterTextLeft(const std::string& text) {
  PrinterPageGeometry& page = PrinterPage();
  page.y = std::max(page.y, page.bodyTop + page.lineHeight);
  PrinterTextAt(page.unit, text);
}

void PrinterTextRight(int x, const std::string& text) { PrinterTextAt(x - PrinterTextWidth(text), text); }

void PrinterTextCentred(int x, const std::string& text) { PrinterTextAt(x - PrinterTextWidth(text) / 2, text); }

void PrinterStringAt(int x, const char* text, int length) {
  if (text == nullptr || length < 0) length = 0;
  TextDrawn();
  TextOut(g_PrinterDc, x, PrinterPage().y, text != nullptr ? text : "", length);
}

void PrinterNewLine() {
  PrinterPageGeometry& page = PrinterPage();
  page.y += page.lineHeight;
  if (page.y > page.bodyBottom) PrinterPageHeading();
}

void PrinterHalfLine() { PrinterPage().y += PrinterPage().lineHeight / 2; }
void PrinterQuarterLine() { PrinterPage().y += PrinterPage().lineHeight / 4; }

int PrinterLinesLeft() {
  const PrinterPageGeometry& page = PrinterPage();
  return page.lineHeight > 0 ? (page.bodyBottom - page.y) / page.lineHeight : 0;
}

void PrinterHeadingBar(const std::string& title) {
  PrinterPageGeometry& page = PrinterPage();
  SelectObject(g_PrinterDc, Objects().barBrush);
  Rectangle(g_PrinterDc, 0, page.y, page.width, page.y + page.barHeight);
  SelectObject(g_PrinterDc, GetStockObject(HOLLOW_BRUSH));
  PrinterTextAtXY(page.width / 2 - PrinterTextWidth(title) / 2, page.y + page.lineHeight, title);
  page.y += page.barHeight;
}

void PrinterPageHeading() {
  PrinterPageGeometry& page = PrinterPage();
  ++g_PrinterPage;
  // Entries of sections that drew nothing yet move to this page; the
  // heading's own texts are not theirs.
  const PendingEntries moved = Pending();
  if (moved.waiting)
    for (std::size_t i = moved.first; i < ContentsEntries().size(); ++i) ContentsEntries()[i].page = PrintedPageNumber();
  PageMark(g_PrinterPage);
  ReleasePageObjects();
  MakePageObjects();
  page.y = 0;
  const int baseline = page.textHeight;
  PrinterTextAtXY(page.unit, baseline, "Quorvel");
  std::string centre = HeadingCentreText();
  PrinterTextAtXY(page.width / 2 - PrinterTextWidth(centre) / 2, baseline, centre);
  std::string number;
  if (g_RomanPageNumbers) number = "Page " + RomanPageNumber(g_PrinterPage - g_ContentsFirstPage);
  else if (!g_SuppressPageNumber) number = "Page " + std::to_string(PrintedPageNumber());
  if (!number.empty()) PrinterTextAtXY(page.width - page.unit - PrinterTextWidth(number), baseline, number);
  page.bodyTop = page.textHeight + 2 * page.gap;
  page.y = page.bodyTop;
  if (!ManualMode) {
    int footer = page.height - page.descent;
    PrinterTextAtXY(page.unit, footer, std::string("Version ") + kVersionText);
    PrinterTextAtXY(page.width / 2 - PrinterTextWidth(g_ReportTitle) / 2, footer, g_ReportTitle);
    PrinterTextAtXY(page.width - page.unit - PrinterTextWidth(g_ReportDate), footer, g_ReportDate);
    page.bodyBottom = page.height - page.descent - 2 * page.gap - page.textHeight;
  } else {
    page.bodyBottom = page.height;
  }
  SelectObject(g_PrinterDc, Objects().framePen);
  SelectObject(g_PrinterDc, GetStockObject(HOLLOW_BRUSH));
  Rectangle(g_PrinterDc, 0, page.bodyTop, page.width, page.bodyBottom);
  SelectClipRgn(g_PrinterDc, Objects().clip);
  Pending() = moved;
}

void BeginReportSection(const std::string& title, int level) {
  // The unnumbered front pages (revision record) are not listed.
  if (!g_CollectContents || g_SuppressPageNumber) return;
  if (!Pending().waiting || Pending().first > ContentsEntries().size()) Pending() = {true, ContentsEntries().size()};
  ContentsEntries().push_back(ContentsEntry{title, level, PrintedPageNumber()});
}

namespace {

void StartContentsPage() {
  PrinterPageGeometry& page = PrinterPage();
  if (page.y > page.bodyTop + page.gap) PrinterPageHeading();
  PrinterHeadingBar("Table of Contents");
  PrinterQuarterLine();
  PrinterHalfLine();
}

}  // namespace

void PrintTableOfContents() {
  if (!g_CollectContents) return;
  Pending() = {};
  PrinterPageGeometry& page = PrinterPage();
  g_RomanPageNumbers = true;
  // An empty page the body ended on becomes the first contents page, so
  // the body pages before it and the contents after it keep their order.
  g_ContentsFirstPage = page.y <= page.bodyTop + page.gap ? g_PrinterPage - 1 : g_PrinterPage;
  StartContentsPage();
  const int threeAs = PrinterTextWidth("AAA");
  const int numberRight = page.width - 12 * page.unit;
  for (const ContentsEntry& entry : ContentsEntries()) {
    if (page.y + page.lineHeight > page.bodyBottom) {
      PrinterPageHeading();
      StartContentsPage();
    }
    if (entry.level == 0) PrinterQuarterLine();
    int x = 6 * page.unit + std::clamp(entry.level, 0, 2) * threeAs;
    PrinterStringAt(x, entry.title.c_str(), static_cast<int>(entry.title.size()));
    std::string number = std::to_string(entry.page);
    int numberLeft = numberRight - PrinterTextWidth(number);
    PrinterTextAt(numberLeft, number);
    int leaderStart = x + PrinterTextWidth(entry.title) + page.unit;
    int leaderEnd = numberLeft - page.unit;
    if (leaderEnd > leaderStart) {
      SelectObject(g_PrinterDc, Objects().dottedPen);
      MoveToEx(g_PrinterDc, leaderStart, page.y, nullptr);
      LineTo(g_PrinterDc, leaderEnd, page.y);
    }
    page.y += page.lineHeight;
  }
  ContentsEntries().clear();
  g_RomanPageNumbers = false;
}

void CreateTextPrinterPage(PrinterSettings& printer, HDC reference, float width, float height) {
  HCURSOR previousCursor = SetCursor(WaitCursor);
  printer.DeleteDocument();
  RECT frame{0, 0, static_cast<LONG>(width * 2540 + 25), static_cast<LONG>(height * 2540 + 25)};
  g_PrinterDc = CreateEnhMetaFile(reference, nullptr, &frame, "Quorvel\0Text\0");
  if (g_PrinterDc == nullptr) {
    SetCursor(previousCursor);
    throw std::string("Unable to create page on text printer");
  }
  PrinterPageGeometry& page = PrinterPage();
  page = PrinterPageGeometry{};
  page.width = static_cast<int>(width * GetDeviceCaps(reference, LOGPIXELSX));
  page.height = static_cast<int>(height * GetDeviceCaps(reference, LOGPIXELSY));
  g_Recording = true;
  g_PrinterPage = 0;
  Pending() = {};
  PrepareReportTitle();
  auto finish = [&] {
    ReleasePageObjects();
    HENHMETAFILE recorded = CloseEnhMetaFile(g_PrinterDc);
    g_PrinterDc = nullptr;
    g_Recording = false;
    SetCursor(previousCursor);
    return recorded;
  };
  // Only the model report starts with unnumbered cover and record pages.
  g_QaCoverPrinted = g_RevisionPagesPrinted = false;
  g_RevisionPageCount = 0;
  g_RomanPageNumbers = false;
  g_ContentsFirstPage = 0;
  if (OwnerPrintsModelReport(printer.owner)) ModelReportHooksOf().preparePages();
  try {
    g_SuppressPageNumber = g_QaCoverPrinted || g_RevisionPagesPrinted;
    PrinterPageHeading();
    g_SuppressPageNumber = false;
    WriteOwnersReport(printer.owner);
  } catch (...) {
    g_SuppressPageNumber = false;
    DeleteEnhMetaFile(finish());
    ContentsEntries().clear();
    throw;
  }
  std::int32_t pages = g_PrinterPage;
  PageMark(kEndMark);
  HENHMETAFILE recorded = finish();
  if (recorded == nullptr) throw std::string("Unable to create page on text printer");
  printer.document = recorded;
  printer.pageCount = pages;
  printer.firstPage = 1;
  printer.lastPage = pages;
  printer.currentPage = 1;
}

namespace {

ModelReportHooks& Hooks() {
  static ModelReportHooks hooks;
  return hooks;
}

}  // namespace

void SetModelReportHooks(const ModelReportHooks& hooks) {
  QV_ASSERT(hooks.showSheet && hooks.preparePages && hooks.write);
  Hooks() = hooks;
}

const ModelReportHooks& ModelReportHooksOf() { return Hooks(); }

bool OwnerPrintsModelReport(HWND owner) {
  if (owner == nullptr) return false;
  if (owner == MainFrame().window || owner == LayoutFrame().window) return true;
  return owner == ResultsFrame().window && TableWindowPrintObject(GetWindow(ResultsFrame().client, GW_CHILD)).empty();
}
