// The common dialogs, built by the layer from its own controls: open and save
// file, folder browse, font choice, and the print and page-setup records.
//
// Open/save: a folder list, a file-name field and a file-type list from the
// filter pairs; the typed name gets the default extension when it has none;
// must-exist, path-must-exist and overwrite prompts ask as the flags say.
// With OFN_ENABLEHOOK the hook procedure runs as a child dialog of the file
// dialog: it gets WM_INITDIALOG (lParam the OPENFILENAME), and WM_NOTIFY with
// an OFNOTIFY for CDN_INITDONE (the dialog is ready, not yet shown),
// CDN_TYPECHANGE (nFilterIndex already holds the new type) and CDN_FILEOK
// (a nonzero DWLP_MSGRESULT keeps the dialog open); it drives the dialog with
// CDM_ messages sent to its parent.
//
// Print ("Print", or "Print Setup" with PD_PRINTSETUP) and page set-up
// ("Page Setup"): with PD_RETURNDEFAULT / PSD_RETURNDEFAULT they return the
// layer's default printer (the PDF printer) without a window. Otherwise
// they show the printers (Printer.h), the PDF file the PDF printer writes,
// the page range, the paper, the orientation and the margins, and on OK
// hand back new DevMode and DevNames blocks (freeing the ones given) and,
// with PD_RETURNDC, the printer's context. The print hook and page-setup
// hook get WM_INITDIALOG (lParam the record).
//
// Under test each dialog is answered by the modal script: kind CommonDialog,
// named by its title ("Open", "Save As", the caller's title, "Browse for
// Folder", "Font").
#pragma once

#include "platform/Controls.h"  // NMHDR
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/GlobalMemory.h"
#include "platform/Types.h"

using LPOFNHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPCCHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPCFHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPPRINTHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPSETUPHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPPAGESETUPHOOK = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPPAGEPAINTHOOK = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// Why the last common dialog returned FALSE (0: the user cancelled).
DWORD CommDlgExtendedError();
constexpr DWORD CDERR_DIALOGFAILURE = 0xFFFF;
constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
constexpr DWORD CDERR_INITIALIZATION = 0x0002;
constexpr DWORD PDERR_NODEFAULTPRN = 0x1008;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;
constexpr DWORD CFERR_NOFONTS = 0x2001;

// --- open and save -------------------------------------------------------------
constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_SHOWHELP = 0x00000010;
constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
constexpr DWORD OFN_NOVALIDATE = 0x00000100;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;
constexpr DWORD OFN_EXPLORER = 0x00080000;
constexpr DWORD OFN_ENABLESIZING = 0x00800000;

struct OPENFILENAME {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCSTR lpstrFilter;  // "description\0pattern\0...\0\0"; patterns may list "*.a;*.b"
  LPSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;  // 1-based, in and out
  LPSTR lpstrFile;     // initial name or path in, chosen path out
  DWORD nMaxFile;
  LPSTR lpstrFileTitle;  // the chosen name and extension out (optional)
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;
  LPCSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;     // of the name in lpstrFile
  WORD nFileExtension;  // of the extension (after the dot); 0 when none
  LPCSTR lpstrDefExt;   // without the dot
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
};

struct OFNOTIFY {
  NMHDR hdr;
  OPENFILENAME* lpOFN;
  LPSTR pszFile;
};

constexpr UINT CDN_FIRST = static_cast<UINT>(-601);
constexpr UINT CDN_INITDONE = CDN_FIRST - 0;
constexpr UINT CDN_SELCHANGE = CDN_FIRST - 1;
constexpr UINT CDN_FOLDERCHANGE = CDN_FIRST - 2;
constexpr UINT CDN_HELP = CDN_FIRST - 4;
constexpr UINT CDN_FILEOK = CDN_FIRST - 5;
constexpr UINT CDN_TYPECHANGE = CDN_FIRST - 6;

constexpr UINT CDM_FIRST = WM_USER + 100;
constexpr UINT CDM_GETSPEC = CDM_FIRST + 0;
constexpr UINT CDM_GETFILEPATH = CDM_FIRST + 1;
constexpr UINT CDM_GETFOLDERPATH = CDM_FIRST + 2;
constexpr UINT CDM_SETCONTROLTEXT = CDM_FIRST + 4;
constexpr UINT CDM_HIDECONTROL = CDM_FIRST + 5;
constexpr UINT CDM_SETDEFEXT = CDM_FIRST + 6;

// Control ids of the file dialog.
constexpr int chx1 = 0x0410;
constexpr int stc2 = 0x0441;  // "Files of type" label
constexpr int stc3 = 0x0442;  // "File name" label
constexpr int stc4 = 0x0443;  // "Look in" label
constexpr int lst1 = 0x0460;  // the folder's list
constexpr int cmb1 = 0x0470;  // file types
constexpr int cmb2 = 0x0471;  // the folder shown
constexpr int cmb13 = 0x047C;  // the file name (newer id; the same control as edt1)
constexpr int edt1 = 0x0480;  // the file name

BOOL GetOpenFileName(OPENFILENAME* record);
BOOL GetSaveFileName(OPENFILENAME* record);

// --- folder browse -----------------------------------------------------------------
struct ITEMIDLIST;  // a chosen folder; free it with CoTaskMemFree
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;
using BFFCALLBACK = int (*)(HWND dialog, UINT message, LPARAM parameter, LPARAM data);

constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
constexpr UINT BIF_EDITBOX = 0x0010;
constexpr UINT BIF_NEWDIALOGSTYLE = 0x0040;
constexpr UINT BIF_USENEWUI = BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
constexpr UINT BFFM_INITIALIZED = 1;
constexpr UINT BFFM_SELCHANGED = 2;
constexpr UINT BFFM_SETSELECTION = WM_USER + 103;  // wParam TRUE: lParam is a path

struct BROWSEINFO {
  HWND hwndOwner;
  PCIDLIST_ABSOLUTE pidlRoot;
  LPSTR pszDisplayName;  // receives the chosen folder's name (MAX_PATH)
  LPCSTR lpszTitle;      // the text above the list
  UINT ulFlags;
  BFFCALLBACK lpfn;
  LPARAM lParam;
  int iImage;
};

// Null when cancelled.
PIDLIST_ABSOLUTE SHBrowseForFolder(BROWSEINFO* info);
BOOL SHGetPathFromIDList(PCIDLIST_ABSOLUTE folder, LPSTR path);  // path: MAX_PATH bytes
void CoTaskMemFree(void* memory);
constexpr int MAX_PATH = 260;

// --- font choice ------------------------------------------------------------------------
constexpr DWORD CF_SCREENFONTS = 0x00000001;
constexpr DWORD CF_PRINTERFONTS = 0x00000002;
constexpr DWORD CF_BOTH = CF_SCREENFONTS | CF_PRINTERFONTS;
constexpr DWORD CF_SHOWHELP = 0x00000004;
constexpr DWORD CF_ENABLEHOOK = 0x00000008;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x00000040;
constexpr DWORD CF_EFFECTS = 0x00000100;
constexpr DWORD CF_ANSIONLY = 0x00000400;
constexpr DWORD CF_NOSCRIPTSEL = 0x00800000;
constexpr DWORD CF_LIMITSIZE = 0x00002000;
constexpr DWORD CF_FORCEFONTEXIST = 0x00010000;

struct CHOOSEFONT {
  DWORD lStructSize;
  HWND hwndOwner;
  HDC hDC;
  LOGFONT* lpLogFont;  // in (CF_INITTOLOGFONTSTRUCT) and out
  int iPointSize;      // out: tenths of a point
  DWORD Flags;
  COLORREF rgbColors;
  LPARAM lCustData;
  LPCFHOOKPROC lpfnHook;  // with CF_ENABLEHOOK: gets WM_INITDIALOG (lParam the record)
  LPCSTR lpTemplateName;
  HINSTANCE hInstance;
  LPSTR lpszStyle;
  WORD nFontType;
  int nSizeMin;  // points, with CF_LIMITSIZE
  int nSizeMax;
};

BOOL ChooseFont(CHOOSEFONT* record);

// --- printer records --------------------------------------------------------------------
constexpr int CCHDEVICENAME = 32;
constexpr int CCHFORMNAME = 32;
constexpr DWORD DM_ORIENTATION = 0x00000001;
constexpr DWORD DM_PAPERSIZE = 0x00000002;
constexpr DWORD DM_COPIES = 0x00000100;
constexpr short DMORIENT_PORTRAIT = 1;
constexpr short DMORIENT_LANDSCAPE = 2;
constexpr short DMPAPER_LETTER = 1;
constexpr short DMPAPER_A4 = 9;

// The public part of the device mode (148 bytes), as the program stores it.
struct DEVMODE {
  char dmDeviceName[CCHDEVICENAME];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  short dmOrientation;
  short dmPaperSize;
  short dmPaperLength;
  short dmPaperWidth;
  short dmScale;
  short dmCopies;
  short dmDefaultSource;
  short dmPrintQuality;
  short dmColor;
  short dmDuplex;
  short dmYResolution;
  short dmTTOption;
  short dmCollate;
  char dmFormName[CCHFORMNAME];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmDisplayFlags;
  DWORD dmDisplayFrequency;
  DWORD dmICMMethod;
  DWORD dmICMIntent;
  DWORD dmMediaType;
  DWORD dmDitherType;
  DWORD dmReserved1;
  DWORD dmReserved2;
};
static_assert(sizeof(DEVMODE) == 148, "the stored device mode is 148 bytes");

// Followed in its block by the driver, device and output names.
struct DEVNAMES {
  WORD wDriverOffset;
  WORD wDeviceOffset;
  WORD wOutputOffset;
  WORD wDefault;
};
static_assert(sizeof(DEVNAMES) == 8);
constexpr WORD DN_DEFAULTPRN = 0x0001;

constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_COLLATE = 0x00000010;
constexpr DWORD PD_PRINTTOFILE = 0x00000020;
constexpr DWORD PD_PRINTSETUP = 0x00000040;
constexpr DWORD PD_NOWARNING = 0x00000080;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_RETURNIC = 0x00000200;
constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
constexpr DWORD PD_SHOWHELP = 0x00000800;
constexpr DWORD PD_ENABLEPRINTHOOK = 0x00001000;
constexpr DWORD PD_ENABLESETUPHOOK = 0x00002000;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;

struct PRINTDLG {
  DWORD lStructSize;
  HWND hwndOwner;
  HGLOBAL hDevMode;   // a DEVMODE block, in and out
  HGLOBAL hDevNames;  // a DEVNAMES block, in and out
  HDC hDC;
  DWORD Flags;
  WORD nFromPage;
  WORD nToPage;
  WORD nMinPage;
  WORD nMaxPage;
  WORD nCopies;
  HINSTANCE hInstance;
  LPARAM lCustData;
  LPPRINTHOOKPROC lpfnPrintHook;
  LPSETUPHOOKPROC lpfnSetupHook;
  LPCSTR lpPrintTemplateName;
  LPCSTR lpSetupTemplateName;
  HGLOBAL hPrintTemplate;
  HGLOBAL hSetupTemplate;
};

constexpr DWORD PSD_DEFAULTMINMARGINS = 0x00000000;
constexpr DWORD PSD_MINMARGINS = 0x00000001;
constexpr DWORD PSD_MARGINS = 0x00000002;
constexpr DWORD PSD_INTHOUSANDTHSOFINCHES = 0x00000004;
constexpr DWORD PSD_INHUNDREDTHSOFMILLIMETERS = 0x00000008;
constexpr DWORD PSD_DISABLEMARGINS = 0x00000010;
constexpr DWORD PSD_DISABLEPRINTER = 0x00000020;
constexpr DWORD PSD_NOWARNING = 0x00000080;
constexpr DWORD PSD_DISABLEORIENTATION = 0x00000100;
constexpr DWORD PSD_DISABLEPAPER = 0x00000200;
constexpr DWORD PSD_RETURNDEFAULT = 0x00000400;
constexpr DWORD PSD_SHOWHELP = 0x00000800;
constexpr DWORD PSD_ENABLEPAGESETUPHOOK = 0x00002000;

struct PAGESETUPDLG {
  DWORD lStructSize;
  HWND hwndOwner;
  HGLOBAL hDevMode;
  HGLOBAL hDevNames;
  DWORD Flags;
  POINT ptPaperSize;  // out, in the unit of the flags
  RECT rtMinMargin;
  RECT rtMargin;  // in and out
  HINSTANCE hInstance;
  LPARAM lCustData;
  LPPAGESETUPHOOK lpfnPageSetupHook;
  LPPAGEPAINTHOOK lpfnPagePaintHook;
  LPCSTR lpPageSetupTemplateName;
  HGLOBAL hPageSetupTemplate;
};

// Controls of the print and page-setup dialogs.
constexpr int cmb4 = 0x0473;  // printer
constexpr int rad1 = 0x0420;  // all pages; portrait
constexpr int rad2 = 0x0421;  // landscape
constexpr int rad3 = 0x0422;  // page range
constexpr int edt2 = 0x0481;  // to page (edt1: from page)
constexpr int edt3 = 0x0482;  // the PDF file
constexpr int edt4 = 0x0483;  // left margin
constexpr int edt5 = 0x0484;  // top margin
constexpr int edt6 = 0x0485;  // right margin
constexpr int edt7 = 0x0486;  // bottom margin
// cmb2 is the paper size.

BOOL PrintDlg(PRINTDLG* record);
BOOL PageSetupDlg(PAGESETUPDLG* record);
