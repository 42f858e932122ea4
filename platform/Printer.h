// Printers: device contexts whose pages become pages of a PDF document.
//
// The layer always offers the PDF printer ("PDF", driver "quorvel-pdf"):
// a print job writes one PDF file, named by the output text of the printer's
// device names (or of StartDoc); "FILE:" or an empty text means
// "Quorvel.pdf" in the home folder. When the CUPS command `lpstat` lists
// printers, each one is offered too (driver "cups"): its job is written to a
// PDF in the temporary folder and handed to `lp`, then the file is removed.
//
// A printer context records each page (MetafileInternal.h) and EndPage
// draws the page as vectors on the PDF surface, so text stays text. Pages
// are Letter, Legal, A4 or A3 in either orientation at the device mode's
// resolution (600 dots per inch when it names none). The PDF is written
// beside its target under a temporary name and renamed at EndDoc, so a
// failed job never leaves half a file where the user looks for one.
#pragma once

#include <string>
#include <vector>

#include "platform/CommonDialog.h"
#include "platform/Gdi.h"
#include "platform/Types.h"

struct DOCINFO {
  int cbSize;
  LPCSTR lpszDocName;
  LPCSTR lpszOutput;  // a file name to print to, or null
  LPCSTR lpszDatatype;
  DWORD fwType;
};

constexpr int SP_ERROR = -1;
constexpr short DMPAPER_LEGAL = 5;
constexpr short DMPAPER_A3 = 8;
constexpr DWORD DM_PRINTQUALITY = 0x00000400;
constexpr DWORD DM_YRESOLUTION = 0x00002000;

// Null when the driver or device is unknown.
HDC CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODE* mode);
int StartDoc(HDC dc, const DOCINFO* info);  // a job number above 0, or SP_ERROR
int StartPage(HDC dc);
int EndPage(HDC dc);
int EndDoc(HDC dc);
int AbortDoc(HDC dc);

namespace platform {

constexpr char kPdfDriver[] = "quorvel-pdf";
constexpr char kPdfPrinter[] = "PDF";
constexpr char kCupsDriver[] = "cups";

struct PrinterInfo {
  std::string name;
  std::string driver;
};
// The PDF printer first, then CUPS printers in the order `lpstat` gives.
std::vector<PrinterInfo> Printers();
// Asks CUPS again (the list is taken once per process otherwise).
void RefreshPrinters();
// Where the PDF printer writes when no file is named.
std::string DefaultPdfOutput();

struct PaperSize {
  short id;  // DMPAPER_
  const char* name;
  double width;  // inches, portrait
  double height;
};
const std::vector<PaperSize>& PaperSizes();
// Letter for an unknown paper.
const PaperSize& PaperOf(short id);

// Why the last StartDoc or EndDoc of this thread failed ("" when it did not).
std::string LastPrintError();

}  // namespace platform
