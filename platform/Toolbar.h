// The toolbar control, its tooltips and image lists.
//
// A toolbar is a row of buttons (TBBUTTON records) drawing images from
// strips added with TB_ADDBITMAP or from an image list; separators are gaps
// with an etched line. A click sends WM_COMMAND (id, BN_CLICKED) to the
// parent; check buttons toggle first, check-group buttons uncheck the others
// of their group. Holding a button down is told by TBN_BEGINDRAG,
// TBN_DRAGOUT and TBN_ENDDRAG, for buttons that act while held. With TBSTYLE_TOOLTIPS, resting the pointer on a button for
// the tooltip delay (on the layer's clock) asks the parent for the text by
// WM_NOTIFY TTN_GETDISPINFO (the same code as TTN_NEEDTEXT) and shows it in a
// tooltip window (TB_GETTOOLTIPS; its window text is the tip).
//
// Image lists keep copies of the images they are given, cut from strips of
// equal-width images.
#pragma once

#include "platform/Controls.h"
#include "platform/Types.h"

constexpr LPCSTR TOOLBARCLASSNAME = "ToolbarWindow32";
constexpr LPCSTR TOOLTIPS_CLASS = "tooltips_class32";

// Common control styles (low bits of the window style).
constexpr DWORD CCS_TOP = 0x0001;
constexpr DWORD CCS_NOMOVEY = 0x0002;
constexpr DWORD CCS_BOTTOM = 0x0003;
constexpr DWORD CCS_NORESIZE = 0x0004;
constexpr DWORD CCS_NOPARENTALIGN = 0x0008;
constexpr DWORD CCS_ADJUSTABLE = 0x0020;
constexpr DWORD CCS_NODIVIDER = 0x0040;

constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100;
constexpr DWORD TBSTYLE_WRAPABLE = 0x0200;
constexpr DWORD TBSTYLE_FLAT = 0x0800;
constexpr DWORD TBSTYLE_LIST = 0x1000;

// Button styles (fsStyle).
constexpr BYTE TBSTYLE_BUTTON = 0x00;
constexpr BYTE TBSTYLE_SEP = 0x01;
constexpr BYTE TBSTYLE_CHECK = 0x02;
constexpr BYTE TBSTYLE_GROUP = 0x04;
constexpr BYTE TBSTYLE_CHECKGROUP = TBSTYLE_GROUP | TBSTYLE_CHECK;
constexpr BYTE BTNS_BUTTON = TBSTYLE_BUTTON;
constexpr BYTE BTNS_SEP = TBSTYLE_SEP;
constexpr BYTE BTNS_CHECK = TBSTYLE_CHECK;
constexpr BYTE BTNS_GROUP = TBSTYLE_GROUP;
constexpr BYTE BTNS_CHECKGROUP = TBSTYLE_CHECKGROUP;

// Button states (fsState).
constexpr BYTE TBSTATE_CHECKED = 0x01;
constexpr BYTE TBSTATE_PRESSED = 0x02;
constexpr BYTE TBSTATE_ENABLED = 0x04;
constexpr BYTE TBSTATE_HIDDEN = 0x08;
constexpr BYTE TBSTATE_INDETERMINATE = 0x10;
constexpr BYTE TBSTATE_WRAP = 0x20;

constexpr UINT TB_ENABLEBUTTON = 0x0401;
constexpr UINT TB_CHECKBUTTON = 0x0402;
constexpr UINT TB_PRESSBUTTON = 0x0403;
constexpr UINT TB_HIDEBUTTON = 0x0404;
constexpr UINT TB_INDETERMINATE = 0x0405;
constexpr UINT TB_ISBUTTONENABLED = 0x0409;
constexpr UINT TB_ISBUTTONCHECKED = 0x040A;
constexpr UINT TB_ISBUTTONPRESSED = 0x040B;
constexpr UINT TB_ISBUTTONHIDDEN = 0x040C;
constexpr UINT TB_SETSTATE = 0x0411;
constexpr UINT TB_GETSTATE = 0x0412;
constexpr UINT TB_ADDBITMAP = 0x0413;
constexpr UINT TB_ADDBUTTONS = 0x0414;
constexpr UINT TB_INSERTBUTTON = 0x0415;
constexpr UINT TB_DELETEBUTTON = 0x0416;
constexpr UINT TB_GETBUTTON = 0x0417;
constexpr UINT TB_BUTTONCOUNT = 0x0418;
constexpr UINT TB_COMMANDTOINDEX = 0x0419;
constexpr UINT TB_GETITEMRECT = 0x041D;
constexpr UINT TB_BUTTONSTRUCTSIZE = 0x041E;
constexpr UINT TB_SETBUTTONSIZE = 0x041F;
constexpr UINT TB_SETBITMAPSIZE = 0x0420;
constexpr UINT TB_AUTOSIZE = 0x0421;
constexpr UINT TB_GETTOOLTIPS = 0x0423;
constexpr UINT TB_SETTOOLTIPS = 0x0424;
constexpr UINT TB_SETPARENT = 0x0425;
constexpr UINT TB_CHANGEBITMAP = 0x042B;
constexpr UINT TB_GETBITMAP = 0x042C;
constexpr UINT TB_SETIMAGELIST = 0x0430;
constexpr UINT TB_GETIMAGELIST = 0x0431;
constexpr UINT TB_GETRECT = 0x0433;
constexpr UINT TB_SETSTYLE = 0x0438;
constexpr UINT TB_GETSTYLE = 0x0439;
constexpr UINT TB_GETBUTTONSIZE = 0x043A;

struct TBBUTTON {
  int iBitmap;
  int idCommand;
  BYTE fsState;
  BYTE fsStyle;
  BYTE bReserved[6];
  UINT_PTR dwData;
  INT_PTR iString;
};

// With a null hInst, nID is an HBITMAP (which stays the caller's); else a
// bitmap resource number of that instance.
struct TBADDBITMAP {
  HINSTANCE hInst;
  UINT_PTR nID;
};

// Drag notifications (WM_NOTIFY with an NMTOOLBAR, iItem = the command id):
// a press on a button begins a drag, moving off the held button drags out,
// the release ends it (before the click's WM_COMMAND).
constexpr UINT TBN_BEGINDRAG = static_cast<UINT>(-701);
constexpr UINT TBN_ENDDRAG = static_cast<UINT>(-702);
constexpr UINT TBN_DRAGOUT = static_cast<UINT>(-714);

struct NMTOOLBAR {
  NMHDR hdr;
  int iItem;
  TBBUTTON tbButton;
  int cchText;
  LPSTR pszText;
  RECT rcButton;
};

// --- tooltips -----------------------------------------------------------------------------
constexpr UINT TTN_GETDISPINFO = static_cast<UINT>(-520);
constexpr UINT TTN_NEEDTEXT = TTN_GETDISPINFO;
constexpr UINT TTN_SHOW = static_cast<UINT>(-521);
constexpr UINT TTN_POP = static_cast<UINT>(-522);
constexpr UINT TTF_IDISHWND = 0x0001;
// The time the pointer must rest on a button before its tip shows.
constexpr UINT kToolTipDelay = 500;

// hdr.idFrom is the button's command id; the owner answers with lpszText
// (a text of its own) or by filling szText.
struct NMTTDISPINFO {
  NMHDR hdr;
  LPSTR lpszText;
  char szText[80];
  HINSTANCE hinst;
  UINT uFlags;
  LPARAM lParam;
};
using TOOLTIPTEXT = NMTTDISPINFO;

// --- image lists ------------------------------------------------------------------------
struct HIMAGELIST__;
using HIMAGELIST = HIMAGELIST__*;
constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;
constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
// Adds every image of the strip (its width / the list's width); returns the
// index of the first, or -1. The bitmap stays the caller's.
int ImageList_Add(HIMAGELIST list, HBITMAP strip, HBITMAP mask);
// As ImageList_Add; pixels of `maskColour` are laid on the button face colour.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP strip, COLORREF maskColour);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
