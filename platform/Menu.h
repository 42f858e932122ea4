// Menus and accelerator tables.
//
// A menu is a list of items (command strings, separators, popups holding
// another menu) under an HMENU; a menu bar is a menu set on a top-level
// window with SetMenu. Item texts carry their '&' mnemonic and, after a tab,
// the shortcut text shown at the right. Items are named by command id
// (MF_BYCOMMAND, searched through popups too) or by position (MF_BYPOSITION).
//
// Menus open in a modal loop of their own (TrackPopupMenu, or the menu bar
// by mouse or keyboard): before a popup opens its owner gets
// WM_INITMENUPOPUP, each highlight WM_MENUSELECT, and a chosen command is
// posted to the owner as WM_COMMAND (or returned with TPM_RETURNCMD). Keys:
// arrows, Enter, Escape, the mnemonic letters, Alt/F10 to leave. Under test,
// each loop is a modal window of the script: kind PopupMenu, named by the
// first item's label (mnemonic marks and shortcut text removed) for
// TrackPopupMenu and "menu bar" for the bar; GetMenuItemRect tells a script
// where to click.
//
// Accelerators: TranslateAccelerator turns a key matching an entry of the
// table into WM_COMMAND (high word 1) sent to the window, unless the command
// is a greyed item of the window's menu.
#pragma once

#include "platform/Messages.h"
#include "platform/Types.h"

// Item flags.
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_BITMAP = 0x0004;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MFT_RADIOCHECK = 0x0200;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_DEFAULT = 0x1000;
constexpr UINT MF_SYSMENU = 0x2000;
constexpr UINT MF_RIGHTJUSTIFY = 0x4000;
constexpr UINT MF_MOUSESELECT = 0x8000;

// TrackPopupMenu flags.
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and the popups it holds.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// With MF_POPUP, `idOrPopup` is the popup's HMENU.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
// DeleteMenu destroys a popup it removes; RemoveMenu keeps it.
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
// Both return the previous state (MF_GRAYED|MF_DISABLED, or MF_CHECKED),
// or -1 (as UINT) for no such item.
UINT EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
// The item's flags (a popup also has its item count in bits 8-15), or -1.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuItemCount(HMENU menu);
// -1 for a popup or a position past the end.
UINT GetMenuItemID(HMENU menu, int position);
int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags);
HMENU GetSubMenu(HMENU menu, int position);

// The item record of Get/SetMenuItemInfo; fMask says which fields count.
// cbSize is not checked (programs pass the size of their own declaration).
constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_CHECKMARKS = 0x0008;
constexpr UINT MIIM_TYPE = 0x0010;
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_BITMAP = 0x0080;
constexpr UINT MIIM_FTYPE = 0x0100;
constexpr UINT MFT_STRING = 0x0000;
constexpr UINT MFT_BITMAP = 0x0004;
constexpr UINT MFT_SEPARATOR = 0x0800;
constexpr UINT MFS_ENABLED = 0x0000;
constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = 0x0008;
constexpr UINT MFS_DEFAULT = 0x1000;

struct MENUITEMINFO {
  UINT cbSize;
  UINT fMask;
  UINT fType;
  UINT fState;
  UINT wID;
  HMENU hSubMenu;
  HBITMAP hbmpChecked;
  HBITMAP hbmpUnchecked;
  UINT_PTR dwItemData;
  LPSTR dwTypeData;  // the text (MIIM_TYPE with MFT_STRING, or MIIM_STRING)
  UINT cch;          // its buffer size for Get, its length after
  HBITMAP hbmpItem;
};
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info);
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info);

BOOL SetMenu(HWND window, HMENU menu);
HMENU GetMenu(HWND window);
BOOL DrawMenuBar(HWND window);
// Screen rectangle of an item of the window's menu bar or of a popup that is
// open now.
BOOL GetMenuItemRect(HWND window, HMENU menu, UINT position, RECT* rect);

// Returns the command with TPM_RETURNCMD (0 when nothing was chosen), else
// whether it ran; the command is then posted to `owner` as WM_COMMAND.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* ignored);

// Menus of the program's resources, by name (or MAKEINTRESOURCE number).
HMENU LoadMenu(HINSTANCE instance, LPCSTR name);

// --- accelerators ----------------------------------------------------------------------
constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct ACCEL {
  BYTE fVirt;
  WORD key;
  WORD cmd;
};

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
HACCEL LoadAccelerators(HINSTANCE instance, LPCSTR name);
int CopyAcceleratorTable(HACCEL table, ACCEL* entries, int count);
int TranslateAccelerator(HWND window, HACCEL table, MSG* message);
