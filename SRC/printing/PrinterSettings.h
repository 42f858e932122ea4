// The printer objects: every printout goes through one of two, the text
// printer (reports and tables, TextPrinter.h) and the graphics printer (the
// graphics window). Each holds the chosen printer with its device mode and
// device names, the margins, the report font and the placement of the print
// preview, keeps them in the registry subkey named by RegistryKeyName
// between runs, offers the printer-setup, page-setup and font dialogs,
// computes the printable area of a page and runs a print job.
//
// Registry values are validated when read: a device mode of another size
// than 148 bytes, or device names whose offsets leave the record, leave the
// default printer in place (with a note on standard error); each other value
// of a wrong size or out of range is skipped the same way. The subkey is
// one record: a change of any value stores all six. A subkey that holds only
// one of the two blocks (as earlier runs stored a change of one) is read
// with the default block in place of the other. A stored printer that no
// longer exists falls back to the default printer when a context is made.
//
// Failures of the dialogs and of printing are thrown as message texts
// ("Unable to setup printer", "Unable to print", followed by the reason a
// job failed) and shown by the command that started them.
#pragma once

#include <cstdint>
#include <string>

#include "platform/CommonDialog.h"
#include "platform/Gdi.h"
#include "platform/Metafile.h"
#include "platform/Window.h"

class PrinterSettings {
 public:
  PrinterSettings();
  virtual ~PrinterSettings();
  PrinterSettings(const PrinterSettings&) = delete;
  PrinterSettings& operator=(const PrinterSettings&) = delete;

  // --- virtual operations, in their order ----------------------------------------
  // Records the document for a printable area of width x height inches.
  virtual void Record(HDC dc, float width, float height) = 0;
  virtual const char* RegistryKeyName() const = 0;
  virtual void InitDefaults() = 0;
  virtual void UpdatePreviewTitle() {}
  virtual void PreviousPage() {}
  virtual void NextPage() {}
  virtual void FirstPage() {}
  virtual void LastPage() {}
  virtual void CopyPage(HWND /*owner*/) {}
  virtual void UpdatePreviewMenu(HMENU /*menu*/, int /*position*/) {}
  virtual void InitPreviewBar() {}
  virtual void SetupPrintRange(PRINTDLG& /*record*/) {}
  virtual void TakePrintRange(const PRINTDLG& /*record*/) {}
  virtual void ActivatePreview() {}
  virtual void DrawPage(HDC /*dc*/, const RECT& /*rect*/) {}

  // --- dialogs, texts and printing --------------------------------------------------
  bool PrinterSetupDialog(HWND owner);
  bool PageSetupDialog(HWND owner);
  bool FontDialog(HWND owner);
  std::string PrinterNameText() const;
  std::string OrientationText();
  std::string FontText() const;
  HDC CreatePrinterDc();
  HDC RunPrintDialog(HWND owner);
  void ComputePrintArea(HDC dc);
  void PrintPages(HDC dc);
  void PrintDocument(HWND owner, bool rendered);
  void DeleteDocument();
  void FreeBlocks();

  void Load(HKEY parentKey);
  void Save(HKEY parentKey) const;

  // --- data ---------------------------------------------------------------------------
  HWND previewFrame = nullptr;
  HWND previewBar = nullptr;
  HWND previewClient = nullptr;
  HWND owner = nullptr;
  LOGFONT font{};
  std::int32_t fontSize = 100;  // tenths of a point
  WINDOWPLACEMENT previewPlacement{};
  HENHMETAFILE document = nullptr;
  PAGESETUPDLG pageSetup{};
  float paperWidth = 8.5f, paperHeight = 11.0f;
  float leftMargin = 0, rightMargin = 0, topMargin = 0, bottomMargin = 0;
  float printableWidth = 0, printableHeight = 0;
  std::int32_t pageCount = 0;
  std::int32_t firstPage = 1, lastPage = 1;
  std::int32_t currentPage = 1;

 protected:
  // The defaults both printers share; margins in thousandths of an inch.
  void SetCommonDefaults(const RECT& margins, bool landscape);
};

PrinterSettings& TextPrinter();
PrinterSettings& GraphicsPrinter();
// What the graphics printer records on its page: the graphics window's
// picture (graphics/GraphicsPrinter.h), installed at start-up.
void SetGraphicsPageRecorder(void (*recorder)(HDC dc, float width, float height));
// The printer object of the open preview, or null.
PrinterSettings*& PreviewPrinter();

void LoadPrinterSettings(HKEY parentKey);
void SavePrinterSettings(HKEY parentKey);
// The PDF file the Print dialog proposes for a model: its folder and name
// with the extension "pdf" ("/x/y/Plant.mod" gives "/x/y/Plant.pdf"); empty
// for an untitled model, which leaves the printer's own default.
std::string PdfFileForModel(const std::string& modelPath);
// Copies a global memory block (null for null or an unlockable block).
HGLOBAL CopyGlobalBlock(HGLOBAL block);
