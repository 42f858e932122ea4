// The text printer: the printer object through which every report and
// table is printed and previewed. A report is recorded once into one
// picture holding all its pages (PrinterReport.h); the picture is then
// played page by page to the printer, into the preview window or onto the
// clipboard. A page starts at the comment record holding its number;
// records before the first comment are never played.
//
// On a printer the pages first to last are played in order with a page
// break between them; when a table of contents was collected (it is recorded
// after the body), the contents pages are printed right after the QA cover
// and the revision record pages instead.
#pragma once

#include <vector>

#include "printing/PrinterSettings.h"

class TextPrinterSettings : public PrinterSettings {
 public:
  void Record(HDC dc, float width, float height) override;
  const char* RegistryKeyName() const override { return "Text Printer"; }
  void InitDefaults() override;
  void UpdatePreviewTitle() override;
  void PreviousPage() override;
  void NextPage() override;
  void FirstPage() override;
  void LastPage() override;
  void CopyPage(HWND owner) override;
  void UpdatePreviewMenu(HMENU menu, int position) override;
  void InitPreviewBar() override;
  void SetupPrintRange(PRINTDLG& record) override;
  void TakePrintRange(const PRINTDLG& record) override;
  void ActivatePreview() override;
  void DrawPage(HDC dc, const RECT& rect) override;
};

// The order a printer plays the pages of the recorded document in.
std::vector<int> PrintedPageOrder(const PrinterSettings& printer);
// Plays one page of a recorded document into the rectangle of `dc`.
void PlayDocumentPage(HDC dc, HENHMETAFILE document, int page, const RECT& rect);
