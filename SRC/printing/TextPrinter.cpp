// The text printer (see TextPrinter.h): its defaults, the preview's page
// stepping and bar, the print range, page playing and copying a page.
#include "printing/TextPrinter.h"

#include <cstring>

#include "platform/Clipboard.h"
#include "platform/Controls.h"
#include "platform/Menu.h"
#include "platform/Printer.h"
#include "printing/PrintPreview.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kNextPage = 369;
constexpr int kPreviousPage = 370;
constexpr int kFirstPage = 371;
constexpr int kLastPage = 372;

struct PagePlay {
  int page = 0;         // the page being played
  int lastComment = 0;  // the page of the last comment seen
};

int PlayPageRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int objects, LPARAM data) {
  auto* play = reinterpret_cast<PagePlay*>(data);
  if (record->iType == EMR_GDICOMMENT && record->nSize >= 16 && record->dParm[0] >= 4)
    play->lastComment = static_cast<int>(record->dParm[1]);
  if (play->lastComment < play->page) return 1;
  if (play->lastComment > play->page) return 0;
  PlayEnhMetaFileRecord(dc, table, record, static_cast<UINT>(objects));
  return 1;
}

void EnableButton(HWND bar, int id, bool enable) {
  if (bar != nullptr) EnableWindow(GetDlgItem(bar, id), enable ? TRUE : FALSE);
}

}  // namespace

void PlayDocumentPage(HDC dc, HENHMETAFILE document, int page, const RECT& rect) {
  PagePlay play{page, 0};
  EnumEnhMetaFile(dc, document, PlayPageRecord, &play, &rect);
}

std::vector<int> PrintedPageOrder(const PrinterSettings& printer) {
  std::vector<int> order;
  const int contents = g_ContentsFirstPage;
  if (!g_CollectContents || contents == 0 || printer.lastPage <= contents) {
    for (int page = printer.firstPage; page <= printer.lastPage; ++page) order.push_back(page);
    return order;
  }
  int body = 1;
  if (g_QaCoverPrinted) order.push_back(body++);
  if (g_RevisionPagesPrinted)
    for (int i = 0; i < g_RevisionPageCount; ++i) order.push_back(body++);
  for (int page = contents + 1; page <= printer.lastPage; ++page) order.push_back(page);
  for (int page = body; page <= contents; ++page) order.push_back(page);
  return order;
}

void TextPrinterSettings::Record(HDC dc, float width, float height) { CreateTextPrinterPage(*this, dc, width, height); }

void TextPrinterSettings::InitDefaults() {
  SetCommonDefaults(RECT{750, 500, 500, 500}, false);
  RECT area = WorkArea();
  LONG height = area.bottom - area.top;
  LONG width = height * 850 / 1100;
  previewPlacement.rcNormalPosition = RECT{(area.right - width - area.left) / 2, 0, 0, height};
  previewPlacement.rcNormalPosition.right = previewPlacement.rcNormalPosition.left + width;
}

void TextPrinterSettings::UpdatePreviewTitle() {
  if (previewFrame == nullptr) return;
  std::string caption = "Quorvel : Print Preview";
  if (pageCount > 1)
    caption += ", Page " + std::to_string(currentPage) + " (of " + std::to_string(pageCount) + ")";
  SetWindowText(previewFrame, caption.c_str());
}

void TextPrinterSettings::PreviousPage() {
  if (currentPage < 2) return;
  --currentPage;
  InvalidateRect(previewClient, nullptr, TRUE);
  UpdatePreviewTitle();
  EnableButton(previewBar, kPreviousPage, currentPage > 1);
  EnableButton(previewBar, kNextPage, currentPage < pageCount);
}

void TextPrinterSettings::NextPage() {
  if (currentPage >= pageCount) return;
  ++currentPage;
  UpdatePreviewTitle();
  InvalidateRect(previewClient, nullptr, TRUE);
  EnableButton(previewBar, kNextPage, currentPage < pageCount);
  EnableButton(previewBar, kPreviousPage, currentPage > 1);
}

void TextPrinterSettings::FirstPage() {
  if (pageCount < 2 || currentPage == 1) return;
  currentPage = 1;
  InvalidateRect(previewClient, nullptr, TRUE);
  UpdatePreviewTitle();
  EnableButton(previewBar, kPreviousPage, false);
  EnableButton(previewBar, kNextPage, true);
}

void TextPrinterSettings::LastPage() {
  if (pageCount < 2 || currentPage == pageCount) return;
  currentPage = pageCount;
  InvalidateRect(previewClient, nullptr, TRUE);
  UpdatePreviewTitle();
  EnableButton(previewBar, kPreviousPage, true);
  EnableButton(previewBar, kNextPage, false);
}

void TextPrinterSettings::CopyPage(HWND ownerWindow) {
  try {
    if (!OpenClipboard(ownerWindow)) throw std::string("Unable to copy");
    EmptyClipboard();
    HDC printer = nullptr;
    try {
      printer = CreatePrinterDc();
    } catch (...) {
      CloseClipboard();
      throw;
    }
    HDC recorder = CreateEnhMetaFile(printer, nullptr, nullptr, "Quorvel\0\0");
    HENHMETAFILE copy = nullptr;
    if (recorder != nullptr) {
      RECT rect{0, 0, static_cast<LONG>(GetDeviceCaps(printer, LOGPIXELSX) * printableWidth + 0.5f),
                static_cast<LONG>(GetDeviceCaps(printer, LOGPIXELSY) * printableHeight + 0.5f)};
      PlayDocumentPage(recorder, document, currentPage, rect);
      copy = CloseEnhMetaFile(recorder);
    }
    if (copy != nullptr) SetClipboardData(CF_ENHMETAFILE, copy);
    CloseClipboard();
    DeleteDC(printer);
    if (copy == nullptr) throw std::string("Unable to copy");
  } catch (const std::string& text) {
    ShowErrorMessage(ownerWindow, text);
  }
}

void TextPrinterSettings::UpdatePreviewMenu(HMENU menu, int position) {
  if (position != 1 || menu == nullptr) return;
  auto state = [](bool enabled) { return MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED); };
  EnableMenuItem(menu, kNextPage, state(currentPage < pageCount));
  EnableMenuItem(menu, kLastPage, state(currentPage < pageCount));
  EnableMenuItem(menu, kPreviousPage, state(currentPage > 1));
  EnableMenuItem(menu, kFirstPage, state(currentPage > 1));
}

void TextPrinterSettings::InitPreviewBar() {
  AssertPreviewWindows(previewBar, previewFrame);
  EnableButton(previewBar, kPreviousPage, false);
  EnableButton(previewBar, kNextPage, pageCount > 1);
  HMENU menu = GetMenu(previewFrame);
  if (menu != nullptr) {
    EnableMenuItem(menu, 1, MF_BYPOSITION | (pageCount < 2 ? MF_GRAYED : MF_ENABLED));
    DrawMenuBar(previewFrame);
  }
  UpdatePreviewTitle();
}

void TextPrinterSettings::SetupPrintRange(PRINTDLG& record) {
  if (pageCount >= 2) {
    record.nFromPage = 1;
    record.nToPage = static_cast<WORD>(pageCount);
    record.nMinPage = 1;
    record.nMaxPage = static_cast<WORD>(pageCount);
  } else {
    record.Flags |= PD_NOPAGENUMS;
  }
}

void TextPrinterSettings::TakePrintRange(const PRINTDLG& record) {
  if (pageCount <= 1) return;
  if (record.Flags & PD_PAGENUMS) {
    firstPage = record.nFromPage;
    lastPage = record.nToPage;
  } else {
    firstPage = 1;
    lastPage = pageCount;
  }
}

void TextPrinterSettings::ActivatePreview() {
  ActiveWindow = previewFrame;
  ActiveAccelerators = PreviewAccelerators();
}

void TextPrinterSettings::DrawPage(HDC dc, const RECT& rect) {
  if (document == nullptr) return;
  if (GetDeviceCaps(dc, TECHNOLOGY) != DT_RASPRINTER) {
    PlayDocumentPage(dc, document, currentPage, rect);
    return;
  }
  std::vector<int> order = PrintedPageOrder(*this);
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i > 0) {
      EndPage(dc);
      StartPage(dc);
    }
    PlayDocumentPage(dc, document, order[i], rect);
  }
}
