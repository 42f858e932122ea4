// Property sheets: a modal dialog with a tab per page, the pages made from
// their templates with their own procedures, and OK and Cancel (there is no
// Apply button; Help only with PSH_HASHELP).
//
// The pages hear what happens through WM_NOTIFY with a PSHNOTIFY record:
// PSN_SETACTIVE when a page is shown, PSN_KILLACTIVE before it is left (a
// page refuses by setting DWLP_MSGRESULT to TRUE; it shows its own message),
// PSN_APPLY to every page made so far when OK is pressed (after the current
// page agreed to be left), PSN_QUERYCANCEL and PSN_RESET on Cancel, PSN_HELP
// for the Help button. The sheet callback gets PSCB_INITIALIZED once the
// sheet window exists (a program may subclass it then); the sheet then sends
// itself DM_REPOSITION, shows the start page and is shown.
//
// Under test the sheet is answered by the modal script: kind PropertySheet,
// named by its caption.
#pragma once

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Types.h"

struct PROPSHEETPAGE;
using LPFNPSPCALLBACK = UINT (*)(HWND window, UINT message, PROPSHEETPAGE* page);
using PFNPROPSHEETCALLBACK = int (*)(HWND sheet, UINT message, LPARAM parameter);
struct HPROPSHEETPAGE__;
using HPROPSHEETPAGE = HPROPSHEETPAGE__*;

constexpr DWORD PSP_DEFAULT = 0x0000;
constexpr DWORD PSP_DLGINDIRECT = 0x0001;
constexpr DWORD PSP_USETITLE = 0x0008;
constexpr DWORD PSP_HASHELP = 0x0020;
constexpr DWORD PSP_USECALLBACK = 0x0080;

struct PROPSHEETPAGE {
  DWORD dwSize;
  DWORD dwFlags;
  HINSTANCE hInstance;
  LPCSTR pszTemplate;  // the page's dialog template by name
  HICON hIcon;
  LPCSTR pszTitle;  // with PSP_USETITLE; otherwise the template's caption
  DLGPROC pfnDlgProc;
  LPARAM lParam;
  LPFNPSPCALLBACK pfnCallback;
  UINT* pcRefParent;
};

constexpr DWORD PSH_DEFAULT = 0x0000;
constexpr DWORD PSH_PROPTITLE = 0x0001;
constexpr DWORD PSH_USEHICON = 0x0002;
constexpr DWORD PSH_PROPSHEETPAGE = 0x0008;
constexpr DWORD PSH_NOAPPLYNOW = 0x0080;
constexpr DWORD PSH_USECALLBACK = 0x0100;
constexpr DWORD PSH_HASHELP = 0x0200;
constexpr DWORD PSH_MODELESS = 0x0400;
constexpr DWORD PSH_USEPSTARTPAGE = 0x0800;

struct PROPSHEETHEADER {
  DWORD dwSize;
  DWORD dwFlags;
  HWND hwndParent;
  HINSTANCE hInstance;
  HICON hIcon;
  LPCSTR pszCaption;
  UINT nPages;
  UINT nStartPage;  // index of the page shown first
  const PROPSHEETPAGE* ppsp;  // nPages records (PSH_PROPSHEETPAGE)
  PFNPROPSHEETCALLBACK pfnCallback;  // with PSH_USECALLBACK
};

// Sheet callback messages.
constexpr UINT PSCB_INITIALIZED = 1;
constexpr UINT PSCB_PRECREATE = 2;

// Notifications to the pages (WM_NOTIFY, lParam points to a PSHNOTIFY).
constexpr UINT PSN_FIRST = static_cast<UINT>(-200);
constexpr UINT PSN_SETACTIVE = PSN_FIRST - 0;
constexpr UINT PSN_KILLACTIVE = PSN_FIRST - 1;
constexpr UINT PSN_APPLY = PSN_FIRST - 2;
constexpr UINT PSN_RESET = PSN_FIRST - 3;
constexpr UINT PSN_HELP = PSN_FIRST - 5;
constexpr UINT PSN_QUERYCANCEL = PSN_FIRST - 9;
struct PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam;  // PSN_APPLY and PSN_RESET: TRUE for OK or Cancel pressed
};
// PSN_APPLY answers.
constexpr LRESULT PSNRET_NOERROR = 0;
constexpr LRESULT PSNRET_INVALID = 1;
constexpr LRESULT PSNRET_INVALID_NOCHANGEPAGE = 2;

// Messages to the sheet.
constexpr UINT PSM_SETCURSEL = WM_USER + 101;
constexpr UINT PSM_CHANGED = WM_USER + 104;
constexpr UINT PSM_CANCELTOCLOSE = WM_USER + 107;
constexpr UINT PSM_SETTITLE = WM_USER + 111;
constexpr UINT PSM_PRESSBUTTON = WM_USER + 113;
constexpr UINT PSM_GETTABCONTROL = WM_USER + 116;
constexpr UINT PSM_GETCURRENTPAGEHWND = WM_USER + 118;
constexpr WPARAM PSBTN_OK = 3;
constexpr WPARAM PSBTN_CANCEL = 5;
constexpr WPARAM PSBTN_HELP = 6;
// The sheet's tab control.
constexpr int ID_PROPSHEET_TABS = 0x3020;

// Runs the sheet modally: 1 when it was closed with OK, 0 with Cancel, -1
// when it could not be made (a page template is missing).
INT_PTR PropertySheet(const PROPSHEETHEADER* header);
