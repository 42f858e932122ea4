// Dialogs: modal and modeless dialogs from templates (ResourceTemplates.h),
// the dialog procedure protocol, keyboard navigation, dialog units and the
// operations on dialog items.
//
// A dialog is a top-level window (or, with WS_CHILD, a page inside another
// window) of the layer's dialog class "#32770", whose window procedure is
// DefDlgProc: it calls the dialog procedure first and does the default work
// for whatever that procedure leaves (returns FALSE for). Its controls are
// made by class name through CreateWindowEx, so any registered class can be
// in a template; they get the dialog font, whose average character gives the
// dialog base units (4 horizontal units are one average character width, 8
// vertical units one character height).
//
// DialogBoxParam runs a modal loop: the owner is disabled, the loop serves
// every window of the thread (so other windows keep painting, and modal
// loops nest), and under test the modal-window script answers the dialog
// (TestSupport.h: kind Dialog, named by its template). IsDialogMessage gives
// Tab and Shift+Tab, arrows within a group, Enter (the default button),
// Escape (IDCANCEL), Alt+mnemonic and F1 (WM_HELP) to modeless dialogs too.
#pragma once

#include <string>

#include "platform/Messages.h"
#include "platform/TestSupport.h"
#include "platform/Types.h"

namespace platform {
struct DialogTemplate;
}

using DLGPROC = INT_PTR (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The dialog window class (its atom in the program's eyes is 32770).
constexpr LPCSTR WC_DIALOG = "#32770";

// Command ids of the standard buttons.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDCLOSE = 8;
constexpr int IDHELP = 9;
constexpr int IDC_STATIC = -1;

// Dialog styles.
constexpr DWORD DS_ABSALIGN = 0x01;
constexpr DWORD DS_SYSMODAL = 0x02;
constexpr DWORD DS_3DLOOK = 0x04;
constexpr DWORD DS_FIXEDSYS = 0x08;
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_MODALFRAME = 0x80;
constexpr DWORD DS_SETFOREGROUND = 0x200;
constexpr DWORD DS_CONTROL = 0x400;
constexpr DWORD DS_CENTER = 0x800;
constexpr DWORD DS_CENTERMOUSE = 0x1000;
constexpr DWORD DS_CONTEXTHELP = 0x2000;
constexpr DWORD WS_EX_CONTEXTHELP = 0x00000400;

// Dialog messages.
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr UINT DM_REPOSITION = WM_USER + 2;
constexpr WORD DC_HASDEFID = 0x534B;

// Window extra bytes of a dialog (Get/SetWindowLongPtr).
constexpr int DWLP_MSGRESULT = 0;
constexpr int DWLP_DLGPROC = DWLP_MSGRESULT + static_cast<int>(sizeof(LRESULT));
constexpr int DWLP_USER = DWLP_DLGPROC + static_cast<int>(sizeof(DLGPROC));
constexpr int DLGWINDOWEXTRA = DWLP_USER + static_cast<int>(sizeof(LONG_PTR));

// WM_HELP carries a pointer to this record in lParam.
constexpr int HELPINFO_WINDOW = 1;
constexpr int HELPINFO_MENUITEM = 2;
struct HELPINFO {
  UINT cbSize;
  int iContextType;
  int iCtrlId;
  HWND hItemHandle;
  UINT_PTR dwContextId;
  POINT MousePos;
};

// --- creating and ending -------------------------------------------------------
// The template is named by text or by MAKEINTRESOURCE number. A template that
// is missing, does not parse or names a control class that is not registered
// gives -1 (modal) or null (modeless).
INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure,
                       LPARAM parameter);
inline INT_PTR DialogBox(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure) {
  return DialogBoxParam(instance, templateName, owner, procedure, 0);
}
HWND CreateDialogParam(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure,
                       LPARAM parameter);
inline HWND CreateDialog(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure) {
  return CreateDialogParam(instance, templateName, owner, procedure, 0);
}
// From a template record built in code (message boxes, property sheets and
// common dialogs of the layer use these).
INT_PTR DialogBoxIndirectParam(HINSTANCE instance, const platform::DialogTemplate* dialog,
                               HWND owner, DLGPROC procedure, LPARAM parameter);
HWND CreateDialogIndirectParam(HINSTANCE instance, const platform::DialogTemplate* dialog,
                               HWND owner, DLGPROC procedure, LPARAM parameter);
// Ends a modal dialog with `result` once its procedure returns; a modeless
// dialog is only hidden (its owner destroys it).
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Handles `message` when it is for the dialog or one of its controls: the
// dialog keys, and otherwise translates and dispatches it. FALSE when the
// message is for some other window (the caller dispatches it).
BOOL IsDialogMessage(HWND dialog, MSG* message);

// --- dialog units ----------------------------------------------------------------
// Dialog units to pixels with the dialog's own font.
BOOL MapDialogRect(HWND dialog, RECT* rect);
// The base units of the default dialog font: x low word, y high word.
LONG GetDialogBaseUnits();

// --- items -------------------------------------------------------------------------
HWND GetDlgItem(HWND dialog, int id);
BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int size);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
// Reads a whole number (blanks around it allowed); `translated` says whether
// the text was one (0 is returned when not).
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
// The next (or previous) control with WS_TABSTOP that is visible and enabled,
// wrapping around; controls of child dialogs marked WS_EX_CONTROLPARENT (the
// pages of a property sheet) count as the dialog's own.
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// The next (or previous) control of the control's group (WS_GROUP starts one).
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

namespace platform {
// The template name a dialog was made from ("" for one built in code).
std::string DialogTemplateName(HWND dialog);
// How the modal script knows a modal dialog, said by its procedure while it
// handles WM_INITDIALOG: the program's own message dialogs, made from
// templates, are message boxes named by their text.
void SetModalIdentity(HWND dialog, ModalKind kind, const std::string& name);
// The program's watcher of dialogs being filled: called with `filled` false
// just before a dialog's WM_INITDIALOG and true just after it returned.
using DialogFillWatcher = void (*)(HWND dialog, bool filled);
void SetDialogFillWatcher(DialogFillWatcher watcher);
}  // namespace platform
