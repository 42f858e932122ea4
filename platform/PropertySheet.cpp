// PropertySheet: the sheet dialog laid out in code around the largest page,
// its tab control, the pages made on first showing, and the page-leave and
// OK/Cancel protocol.
//
// Layout, in dialog units: the tab control at (7, 7) holds the page area
// (each page at (11, 24), as large as the largest page template); the row of
// 50 x 14 buttons sits 7 units under the tab control, right-aligned. A
// sheet made wider after it is laid out (for a longer row of buttons) keeps
// its tab control and its pages filling its width.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/DialogInternal.h"
#include "platform/PropertySheet.h"
#include "platform/ResourceTemplates.h"
#include "platform/Window.h"

namespace platform {

namespace {

constexpr int kPageX = 11;
constexpr int kPageY = 24;

struct SheetPage {
  PROPSHEETPAGE record;  // the copy the page's WM_INITDIALOG points to
  const DialogTemplate* dialog = nullptr;
  HWND window = nullptr;
};

struct SheetState {
  const PROPSHEETHEADER* header = nullptr;
  std::vector<SheetPage> pages;
  int current = -1;
  RECT pageRect{};  // pixels, in the sheet's client area
  RECT tabRect{};   // the tab control, likewise
  int laidOutTabRight = 0;  // its right edge as laid out around the pages
  bool accepted = false;  // OK went through every page's apply
};

SheetState* StateOf(HWND sheet) { return reinterpret_cast<SheetState*>(GetWindowLongPtr(sheet, DWLP_USER)); }

// Sends a page a notification and returns its DWLP_MSGRESULT answer.
LRESULT NotifyPage(HWND sheet, HWND page, UINT code, LPARAM parameter = 0) {
  PSHNOTIFY notify{{sheet, 0, code}, parameter};
  return SendMessage(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
}

DialogTemplate PageTemplate(const DialogTemplate& page) {
  DialogTemplate child = page;
  child.style = (page.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME)) | WS_CHILD;
  child.exStyle |= WS_EX_CONTROLPARENT;
  child.x = child.y = 0;
  return child;
}

bool MakePage(HWND sheet, SheetState* state, int index) {
  SheetPage& page = state->pages[static_cast<std::size_t>(index)];
  if (page.window != nullptr) return true;
  DialogTemplate child = PageTemplate(*page.dialog);
  page.window = CreateDialogFromTemplate(page.record.hInstance, child, sheet, page.record.pfnDlgProc,
                                         reinterpret_cast<LPARAM>(&page.record), false);
  if (page.window == nullptr) return false;
  // Above the tab control, which would otherwise paint over it.
  const RECT& area = state->pageRect;
  SetWindowPos(page.window, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOACTIVATE);
  return true;
}

// Shows page `index` (made on first use) and tells it so. The page's first
// control takes the keyboard, unless the tab strip has it: a user changing
// pages from the strip stays on it.
void ShowPage(HWND sheet, SheetState* state, int index) {
  if (!MakePage(sheet, state, index)) return;
  HWND page = state->pages[static_cast<std::size_t>(index)].window;
  int previous = state->current;
  state->current = index;
  const bool onTabs = previous >= 0 && GetFocus() == GetDlgItem(sheet, ID_PROPSHEET_TABS);
  SendDlgItemMessage(sheet, ID_PROPSHEET_TABS, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  NotifyPage(sheet, page, PSN_SETACTIVE);
  ShowWindow(page, SW_SHOW);
  if (previous >= 0 && previous != index)
    ShowWindow(state->pages[static_cast<std::size_t>(previous)].window, SW_HIDE);
  if (onTabs) return;
  if (HWND first = GetNextDlgTabItem(page, nullptr, FALSE)) FocusDialogControl(first);
}

// A sheet made wider than its pages (to hold a longer row of buttons) keeps
// its tab control filling its width, with the margin it has on the left,
// and every page filling the tab control; never narrower than laid out.
void FollowSheetWidth(HWND sheet, SheetState* state) {
  HWND tabs = GetDlgItem(sheet, ID_PROPSHEET_TABS);
  if (tabs == nullptr || state->laidOutTabRight == 0) return;
  RECT client{};
  GetClientRect(sheet, &client);
  const int right = std::max<int>(client.right - state->tabRect.left, state->laidOutTabRight);
  const int grown = right - state->tabRect.right;
  if (grown == 0) return;
  state->tabRect.right = right;
  state->pageRect.right += grown;
  MoveWindow(tabs, state->tabRect.left, state->tabRect.top, state->tabRect.right - state->tabRect.left,
             state->tabRect.bottom - state->tabRect.top, TRUE);
  const RECT& area = state->pageRect;
  for (const SheetPage& page : state->pages)
    if (page.window != nullptr)
      SetWindowPos(page.window, nullptr, 0, 0, area.right - area.left, area.bottom - area.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Asks the current page whether it may be left; false when it refused.
bool LeaveCurrentPage(HWND sheet, SheetState* state) {
  if (state->current < 0) return true;
  return NotifyPage(sheet, state->pages[static_cast<std::size_t>(state->current)].window, PSN_KILLACTIVE) == 0;
}

void PressOk(HWND sheet, SheetState* state) {
  if (!LeaveCurrentPage(sheet, state)) return;
  for (std::size_t index = 0; index < state->pages.size(); ++index) {
    HWND page = state->pages[index].window;
    if (page == nullptr) continue;
    LRESULT answer = NotifyPage(sheet, page, PSN_APPLY, TRUE);
    if (answer == PSNRET_INVALID_NOCHANGEPAGE) return;
    if (answer == PSNRET_INVALID) {
      ShowPage(sheet, state, static_cast<int>(index));
      return;
    }
  }
  state->accepted = true;
  EndDialog(sheet, 1);
}

void PressCancel(HWND sheet, SheetState* state) {
  if (state->current >= 0 &&
      NotifyPage(sheet, state->pages[static_cast<std::size_t>(state->current)].window, PSN_QUERYCANCEL) != 0)
    return;
  for (const SheetPage& page : state->pages)
    if (page.window != nullptr) NotifyPage(sheet, page.window, PSN_RESET, TRUE);
  EndDialog(sheet, 0);
}

// The next (or previous) page, wrapping round, reached as a click on its
// tab reaches it: the current page is asked to be left first.
void StepPage(HWND sheet, SheetState* state, bool forward) {
  const int count = static_cast<int>(state->pages.size());
  if (count < 2 || state->current < 0) return;
  const int next = (state->current + (forward ? 1 : count - 1)) % count;
  if (!LeaveCurrentPage(sheet, state)) return;
  ShowPage(sheet, state, next);
}

INT_PTR OnNotify(HWND sheet, SheetState* state, const NMHDR* header) {
  if (header->idFrom != ID_PROPSHEET_TABS) return FALSE;
  if (header->code == TCN_SELCHANGING) {
    SetWindowLongPtr(sheet, DWLP_MSGRESULT, LeaveCurrentPage(sheet, state) ? FALSE : TRUE);
    return TRUE;
  }
  if (header->code == TCN_SELCHANGE) {
    int index = static_cast<int>(SendDlgItemMessage(sheet, ID_PROPSHEET_TABS, TCM_GETCURSEL, 0, 0));
    if (index >= 0 && index < static_cast<int>(state->pages.size())) ShowPage(sheet, state, index);
    return TRUE;
  }
  return FALSE;
}

INT_PTR OnCommand(HWND sheet, SheetState* state, int id) {
  switch (id) {
    case IDOK: PressOk(sheet, state); return TRUE;
    case IDCANCEL: PressCancel(sheet, state); return TRUE;
    case IDHELP:
      if (state->current >= 0) NotifyPage(sheet, state->pages[static_cast<std::size_t>(state->current)].window, PSN_HELP);
      return TRUE;
    default: return FALSE;
  }
}

INT_PTR OnSheetMessage(HWND sheet, SheetState* state, UINT message, WPARAM wParam) {
  switch (message) {
    case PSM_SETCURSEL: {
      int index = static_cast<int>(wParam);
      if (index < 0 || index >= static_cast<int>(state->pages.size()) || !LeaveCurrentPage(sheet, state))
        SetWindowLongPtr(sheet, DWLP_MSGRESULT, FALSE);
      else {
        ShowPage(sheet, state, index);
        SetWindowLongPtr(sheet, DWLP_MSGRESULT, TRUE);
      }
      return TRUE;
    }
    case PSM_GETCURRENTPAGEHWND:
      SetWindowLongPtr(sheet, DWLP_MSGRESULT,
                       reinterpret_cast<LONG_PTR>(state->current >= 0 ? state->pages[static_cast<std::size_t>(state->current)].window : nullptr));
      return TRUE;
    case PSM_GETTABCONTROL:
      SetWindowLongPtr(sheet, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(GetDlgItem(sheet, ID_PROPSHEET_TABS)));
      return TRUE;
    case PSM_PRESSBUTTON:
      if (wParam == PSBTN_OK) PressOk(sheet, state);
      else if (wParam == PSBTN_CANCEL) PressCancel(sheet, state);
      else if (wParam == PSBTN_HELP) OnCommand(sheet, state, IDHELP);
      return TRUE;
    case PSM_CANCELTOCLOSE:
      SetDlgItemText(sheet, IDOK, "Close");
      EnableWindow(GetDlgItem(sheet, IDCANCEL), FALSE);
      return TRUE;
    case PSM_CHANGED: return TRUE;
    default: return FALSE;
  }
}

INT_PTR SheetProcedure(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* state = reinterpret_cast<SheetState*>(lParam);
    SetWindowLongPtr(sheet, DWLP_USER, lParam);
    HWND tabs = GetDlgItem(sheet, ID_PROPSHEET_TABS);
    for (std::size_t index = 0; index < state->pages.size(); ++index) {
      const SheetPage& page = state->pages[index];
      std::string title = (page.record.dwFlags & PSP_USETITLE) && page.record.pszTitle != nullptr
                              ? page.record.pszTitle
                              : page.dialog->caption;
      TCITEM item{};
      item.mask = TCIF_TEXT;
      item.pszText = title.data();
      SendMessage(tabs, TCM_INSERTITEM, index, reinterpret_cast<LPARAM>(&item));
    }
    return FALSE;  // the start page takes the focus
  }
  SheetState* state = StateOf(sheet);
  if (state == nullptr) return FALSE;
  switch (message) {
    case WM_SIZE:
      FollowSheetWidth(sheet, state);
      return FALSE;
    case WM_NOTIFY: return OnNotify(sheet, state, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND: return OnCommand(sheet, state, LOWORD(wParam));
    default: return OnSheetMessage(sheet, state, message, wParam);
  }
}

DialogTemplate SheetTemplate(const PROPSHEETHEADER& header, const std::vector<SheetPage>& pages) {
  int pageWidth = 0, pageHeight = 0;
  for (const SheetPage& page : pages) {
    pageWidth = std::max(pageWidth, page.dialog->cx);
    pageHeight = std::max(pageHeight, page.dialog->cy);
  }
  DialogTemplate sheet;
  sheet.name = header.pszCaption != nullptr ? header.pszCaption : "";
  sheet.caption = sheet.name;
  sheet.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  int tabWidth = pageWidth + 8, tabHeight = pageHeight + 21;
  // The pages lie over the tab control: it must not paint over them.
  sheet.items.push_back({ID_PROPSHEET_TABS, "SysTabControl32", "", 7, 7, tabWidth, tabHeight,
                         WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS, 0});
  std::vector<std::pair<int, const char*>> buttons = {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
  if (header.dwFlags & PSH_HASHELP) buttons.emplace_back(IDHELP, "&Help");
  int rowY = 7 + tabHeight + 7;
  int right = 7 + tabWidth;
  int count = static_cast<int>(buttons.size());
  for (int index = 0; index < count; ++index) {
    int x = right - (count - index) * 50 - (count - index - 1) * 4;
    DWORD style = WS_TABSTOP | (index == 0 ? BS_DEFPUSHBUTTON | WS_GROUP : BS_PUSHBUTTON);
    sheet.items.push_back({buttons[static_cast<std::size_t>(index)].first, "BUTTON",
                           buttons[static_cast<std::size_t>(index)].second, x, rowY, 50, 14, style, 0});
  }
  sheet.cx = 7 + tabWidth + 7;
  sheet.cy = rowY + 14 + 7;
  return sheet;
}

}  // namespace

bool StepPropertySheetPage(HWND sheet, bool forward) {
  const DialogState* dialog = FindDialogState(sheet);
  if (dialog == nullptr || !dialog->propertySheet) return false;
  if (SheetState* state = StateOf(sheet)) StepPage(sheet, state, forward);
  return true;
}

}  // namespace platform

using namespace platform;

INT_PTR PropertySheet(const PROPSHEETHEADER* header) {
  if (header == nullptr || header->ppsp == nullptr || header->nPages == 0) return -1;
  SheetState state;
  state.header = header;
  for (UINT index = 0; index < header->nPages; ++index) {
    SheetPage page;
    page.record = header->ppsp[index];
    std::string name = ResourceNameText(page.record.pszTemplate);
    page.dialog = FindDialogTemplate(name);
    if (page.dialog == nullptr) {
      if (InTestMode()) ReportTestFailure("Property page template \"" + name + "\" is missing or does not parse.");
      return -1;
    }
    state.pages.push_back(page);
  }
  DialogTemplate sheet = SheetTemplate(*header, state.pages);
  HWND window = CreateDialogFromTemplate(header->hInstance, sheet, header->hwndParent, SheetProcedure,
                                         reinterpret_cast<LPARAM>(&state), false);
  if (window == nullptr) return -1;
  if (DialogState* dialog = FindDialogState(window)) {
    dialog->modal = true;
    dialog->propertySheet = true;
  }
  state.pageRect = RECT{kPageX, kPageY, kPageX, kPageY};
  int pageWidth = 0, pageHeight = 0;
  for (const SheetPage& page : state.pages) {
    pageWidth = std::max(pageWidth, page.dialog->cx);
    pageHeight = std::max(pageHeight, page.dialog->cy);
  }
  state.pageRect.right += pageWidth;
  state.pageRect.bottom += pageHeight;
  MapDialogRect(window, &state.pageRect);
  if (HWND tabs = GetDlgItem(window, ID_PROPSHEET_TABS)) {
    GetWindowRect(tabs, &state.tabRect);
    POINT corners[2] = {{state.tabRect.left, state.tabRect.top}, {state.tabRect.right, state.tabRect.bottom}};
    ScreenToClient(window, &corners[0]);
    ScreenToClient(window, &corners[1]);
    state.tabRect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    state.laidOutTabRight = state.tabRect.right;
  }
  if ((header->dwFlags & PSH_USECALLBACK) && header->pfnCallback != nullptr)
    header->pfnCallback(window, PSCB_INITIALIZED, 0);
  UINT start = header->nStartPage < header->nPages ? header->nStartPage : 0;
  SendMessage(window, DM_REPOSITION, 0, 0);
  ShowWindow(window, SW_SHOW);
  ShowPage(window, &state, static_cast<int>(start));
  // The modal loop answers IDCANCEL when it ends without a button: the
  // sheet destroyed with its owner, or the program quitting. That is no OK,
  // and a caller that acts on a positive answer must not act on it.
  INT_PTR result = RunModalDialog(window, header->hwndParent, ModalKind::PropertySheet, sheet.name);
  return state.accepted ? result : 0;
}
