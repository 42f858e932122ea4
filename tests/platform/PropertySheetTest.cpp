// Property sheets: the exact notification sequence of switching pages and
// pressing OK, a page that refuses to be left (showing its message), OK
// refused on the current page, Cancel, the start page, the initialisation
// callback with a subclass that renames OK to "Close" on DM_REPOSITION, a
// button added by the owner, the page still drawn when the tab strip takes
// the keyboard, and the page keys (Ctrl+Tab, Ctrl+Page Down and back).
#include "platform/DialogTesting.h"

#include <algorithm>

#include "platform/MessageBox.h"
#include "platform/PropertySheet.h"
#include "platform/SheetKeysTesting.h"

namespace {

using PropertySheetTest = DialogTest;

struct SheetLog {
  std::vector<std::pair<int, UINT>> events;  // (page 1 or 2, notification)
  int interval = 0;
  bool shown = false;
};

SheetLog* LogOf(HWND page) { return reinterpret_cast<SheetLog*>(GetWindowLongPtr(page, DWLP_USER)); }

INT_PTR PageProcedure(HWND page, UINT message, WPARAM, LPARAM lParam, int number) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtr(page, DWLP_USER, reinterpret_cast<const PROPSHEETPAGE*>(lParam)->lParam);
    return TRUE;
  }
  SheetLog* log = LogOf(page);
  if (log == nullptr || message != WM_NOTIFY) return FALSE;
  UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
  log->events.emplace_back(number, code);
  if (code == PSN_KILLACTIVE && number == 1) {
    BOOL translated = FALSE;
    int interval = static_cast<int>(GetDlgItemInt(page, 1301, &translated, FALSE));
    bool refuse = !translated || interval > 120;
    if (refuse) {
      MessageBox(page, "Save interval should be <= 120 minutes", "Quorvel", MB_OK | MB_ICONERROR);
      SetFocus(GetDlgItem(page, 1301));
    } else {
      log->interval = interval;
    }
    SetWindowLongPtr(page, DWLP_MSGRESULT, refuse ? TRUE : FALSE);
    return TRUE;
  }
  return FALSE;
}

INT_PTR FirstPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return PageProcedure(page, message, wParam, lParam, 1);
}
INT_PTR SecondPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return PageProcedure(page, message, wParam, lParam, 2);
}

struct Sheet {
  PROPSHEETPAGE pages[2];
  PROPSHEETHEADER header;
  explicit Sheet(SheetLog* log, UINT start = 0, PFNPROPSHEETCALLBACK callback = nullptr) {
    pages[0] = PROPSHEETPAGE{sizeof(PROPSHEETPAGE), PSP_DEFAULT, nullptr, "PAGE_ONE_DIALOG", nullptr,
                             nullptr, FirstPage, reinterpret_cast<LPARAM>(log), nullptr, nullptr};
    pages[1] = PROPSHEETPAGE{sizeof(PROPSHEETPAGE), PSP_USETITLE, nullptr, "PAGE_TWO_DIALOG", nullptr,
                             "Toolbar", SecondPage, reinterpret_cast<LPARAM>(log), nullptr, nullptr};
    header = PROPSHEETHEADER{sizeof(PROPSHEETHEADER),
                             PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | (callback ? PSH_USECALLBACK : 0u),
                             nullptr, nullptr, nullptr, "Preferences", 2, start, pages, callback};
  }
};

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

TEST_F(PropertySheetTest, RefusesToLeaveAPageWhoseCheckFailsAndShowsTheMessage) {
  SheetLog log;
  Sheet sheet(&log);
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Preferences", [](HWND window) {
    HWND first = CurrentPage(window);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), 1301);
    // The page is drawn above the tab control: its edit's white shows.
    ServeDialogs();
    RECT edit{};
    GetClientRect(GetDlgItem(first, 1301), &edit);
    EXPECT_EQ(platform::GetWindowPixel(GetDlgItem(first, 1301), edit.right - 3, edit.bottom / 2), RGB(255, 255, 255));
    SetDlgItemText(first, 1301, "121");
    EXPECT_FALSE(SendMessage(window, PSM_SETCURSEL, 1, 0));  // refused, with its message
    EXPECT_EQ(CurrentPage(window), first);
    EXPECT_EQ(GetFocus(), GetDlgItem(first, 1301));
    SetDlgItemText(first, 1301, "120");
    EXPECT_TRUE(SendMessage(window, PSM_SETCURSEL, 1, 0));
    HWND second = CurrentPage(window);
    EXPECT_NE(second, first);
    EXPECT_TRUE(IsWindowVisible(second));
    EXPECT_FALSE(IsWindowVisible(first));
    platform::TestKeyPress(VK_RETURN);  // OK, the sheet's default button
  });
  platform::ExpectModal(platform::ModalKind::MessageBox, "Save interval should be <= 120 minutes",
                        [](HWND) { platform::TestKeyPress(VK_RETURN); });
  EXPECT_EQ(PropertySheet(&sheet.header), 1);
  EXPECT_EQ(log.interval, 120);
  std::vector<std::pair<int, UINT>> expected = {
      {1, PSN_SETACTIVE}, {1, PSN_KILLACTIVE}, {1, PSN_KILLACTIVE}, {2, PSN_SETACTIVE},
      {2, PSN_KILLACTIVE}, {1, PSN_APPLY},     {2, PSN_APPLY}};
  EXPECT_EQ(log.events, expected);
}

TEST_F(PropertySheetTest, OkIsRefusedByTheCurrentPageAndCancelResetsEveryPage) {
  SheetLog log;
  Sheet sheet(&log);
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Preferences", [](HWND window) {
    SetDlgItemText(CurrentPage(window), 1301, "abc");
    Click(GetDlgItem(window, IDOK));
    ServeDialogs();
    EXPECT_TRUE(IsWindowVisible(window));  // still open
    Click(GetDlgItem(window, IDCANCEL));
  });
  platform::ExpectModal(platform::ModalKind::MessageBox, "Save interval should be <= 120 minutes",
                        [](HWND) { platform::TestKeyPress(VK_RETURN); });
  EXPECT_EQ(PropertySheet(&sheet.header), 0);
  std::vector<std::pair<int, UINT>> expected = {
      {1, PSN_SETACTIVE}, {1, PSN_KILLACTIVE}, {1, PSN_QUERYCANCEL}, {1, PSN_RESET}};
  EXPECT_EQ(log.events, expected);
}

// The owner's subclass of the sheet: DM_REPOSITION renames OK, hides Cancel
// and adds a button of its own.
WNDPROC sheetProcedure = nullptr;
int ownButtonClicks = 0;

LRESULT SheetSubclass(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == DM_REPOSITION) {
    SetDlgItemText(sheet, IDOK, "Close");
    ShowWindow(GetDlgItem(sheet, IDCANCEL), SW_HIDE);
    RECT cancel{};
    GetWindowRect(GetDlgItem(sheet, IDCANCEL), &cancel);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&cancel), 2);
    CreateWindowEx(0, "BUTTON", "&Folder...", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 7, cancel.top, 60,
                   cancel.bottom - cancel.top, sheet, reinterpret_cast<HMENU>(1234), nullptr, nullptr);
    return 0;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == 1234) {
    ++ownButtonClicks;
    return 0;
  }
  return CallWindowProc(sheetProcedure, sheet, message, wParam, lParam);
}

int Initialise(HWND sheet, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED)
    sheetProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetSubclass)));
  return 0;
}

TEST_F(PropertySheetTest, StartPageCallbackRenamedOkAndOwnerButton) {
  SheetLog log;
  Sheet sheet(&log, 1, Initialise);
  ownButtonClicks = 0;
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Preferences", [](HWND window) {
    EXPECT_EQ(ItemText(window, IDOK), "Close");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDCANCEL)));
    EXPECT_EQ(GetDlgItem(CurrentPage(window), 1101), GetFocus());  // the start page, second
    // The tab shows the page's own title.
    TCITEM item{};
    char title[32] = "";
    item.mask = TCIF_TEXT;
    item.pszText = title;
    item.cchTextMax = sizeof title;
    SendDlgItemMessage(window, ID_PROPSHEET_TABS, TCM_GETITEM, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(title, "Toolbar");
    Click(GetDlgItem(window, 1234));
    ServeDialogs();
    EXPECT_EQ(ownButtonClicks, 1);
    Click(GetDlgItem(window, IDOK));
  });
  EXPECT_EQ(PropertySheet(&sheet.header), 1);
  std::vector<std::pair<int, UINT>> expected = {{2, PSN_SETACTIVE}, {2, PSN_KILLACTIVE}, {2, PSN_APPLY}};
  EXPECT_EQ(log.events, expected);
}

// The tab strip taking the keyboard (Shift+Tab from OK, the control after
// it) repaints its tabs without covering the page that lies over it.
TEST_F(PropertySheetTest, TheTabStripTakingTheKeyboardLeavesThePageDrawn) {
  SheetLog log;
  Sheet sheet(&log);
  bool onTabs = false;
  std::vector<COLORREF> before, after;
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Preferences", [&](HWND window) {
    HWND page = CurrentPage(window);
    SetFocus(GetDlgItem(window, IDOK));
    ServeDialogs();
    before = SheetPagePixels(page, 1, 3);
    ShiftKey(VK_TAB);
    ServeDialogs();
    onTabs = GetFocus() == GetDlgItem(window, ID_PROPSHEET_TABS);
    after = SheetPagePixels(page, 1, 3);
    SendMessage(window, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(PropertySheet(&sheet.header), 0);
  EXPECT_TRUE(onTabs);
  ASSERT_FALSE(before.empty());
  EXPECT_NE(std::count(before.begin(), before.end(), RGB(255, 255, 255)), 0);  // the edit's white shows
  EXPECT_EQ(after, before);
}

INT_PTR ThirdPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return PageProcedure(page, message, wParam, lParam, 3);
}

// Ctrl+Tab and Ctrl+Page Down go to the next page, Ctrl+Shift+Tab and
// Ctrl+Page Up to the previous one, round from the last to the first and
// back; each change tells the pages what a click on the tab tells them,
// and a page that refuses to be left keeps the sheet where it is. The new
// page's first control takes the keyboard, unless the tab strip had it.
TEST_F(PropertySheetTest, ControlTabAndControlPageKeysChangePagesAsAClickDoes) {
  SheetLog log;
  Sheet sheet(&log);
  PROPSHEETPAGE pages[3] = {sheet.pages[0], sheet.pages[1], sheet.pages[1]};
  pages[2].pszTitle = "Third";
  pages[2].pfnDlgProc = ThirdPage;
  sheet.header.nPages = 3;
  sheet.header.ppsp = pages;
  std::vector<int> shown;      // the page after each key, 1-based
  std::vector<int> focusedIds;  // the control with the keyboard after each key
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Preferences", [&](HWND window) {
    HWND tabs = GetDlgItem(window, ID_PROPSHEET_TABS);
    auto note = [&] {
      ServeDialogs();
      shown.push_back(static_cast<int>(SendMessage(tabs, TCM_GETCURSEL, 0, 0)) + 1);
      focusedIds.push_back(GetFocus() == tabs ? -1 : GetDlgCtrlID(GetFocus()));
    };
    SetDlgItemText(CurrentPage(window), 1301, "10");
    PressSheetKey(window, VK_TAB);
    note();
    PressSheetKey(window, VK_NEXT);
    note();
    PressSheetKey(window, VK_TAB);  // round to the first
    note();
    PressSheetKey(window, VK_TAB, true);  // back round to the last
    note();
    PressSheetKey(window, VK_PRIOR);
    note();
    // A click on the first tab: the same notifications; the strip keeps
    // the keyboard through the keys that follow.
    RECT first{};
    SendMessage(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    platform::TestMouse(tabs, WM_LBUTTONDOWN, (first.left + first.right) / 2, (first.top + first.bottom) / 2);
    platform::TestMouse(tabs, WM_LBUTTONUP, (first.left + first.right) / 2, (first.top + first.bottom) / 2);
    note();
    PressSheetKey(window, VK_TAB);
    note();
    PressSheetKey(window, VK_PRIOR);
    note();
    // The first page refuses to be left with a bad interval: it stays.
    HWND page = CurrentPage(window);
    SetDlgItemText(page, 1301, "121");
    SetFocus(GetDlgItem(page, 1301));
    PressSheetKey(window, VK_NEXT);
    note();
    SendMessage(window, WM_COMMAND, IDCANCEL, 0);
  });
  platform::ExpectModal(platform::ModalKind::MessageBox, "Save interval should be <= 120 minutes",
                        [](HWND) { platform::TestKeyPress(VK_RETURN); });
  EXPECT_EQ(PropertySheet(&sheet.header), 0);
  EXPECT_EQ(shown, (std::vector<int>{2, 3, 1, 3, 2, 1, 2, 1, 1}));
  EXPECT_EQ(focusedIds, (std::vector<int>{1101, 1101, 1301, 1101, 1101, -1, -1, -1, 1301}));
  std::vector<std::pair<int, UINT>> expected = {
      {1, PSN_SETACTIVE},  {1, PSN_KILLACTIVE}, {2, PSN_SETACTIVE},   {2, PSN_KILLACTIVE}, {3, PSN_SETACTIVE},
      {3, PSN_KILLACTIVE}, {1, PSN_SETACTIVE},  {1, PSN_KILLACTIVE},  {3, PSN_SETACTIVE},  {3, PSN_KILLACTIVE},
      {2, PSN_SETACTIVE},  {2, PSN_KILLACTIVE}, {1, PSN_SETACTIVE},   {1, PSN_KILLACTIVE}, {2, PSN_SETACTIVE},
      {2, PSN_KILLACTIVE}, {1, PSN_SETACTIVE},  {1, PSN_KILLACTIVE},  {1, PSN_QUERYCANCEL}, {1, PSN_RESET},
      {2, PSN_RESET},      {3, PSN_RESET}};
  EXPECT_EQ(log.events, expected);
}

// Ctrl+Tab in an ordinary dialog is Tab.
TEST_F(PropertySheetTest, ControlTabInAnOrdinaryDialogMovesTheFocusAsTabDoes) {
  HWND dialog = CreateDialogParam(nullptr, "SAMPLE_DIALOG", nullptr,
                                  [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR { return message == WM_INITDIALOG; },
                                  0);
  ASSERT_NE(dialog, nullptr);
  ShowWindow(dialog, SW_SHOW);
  SetFocus(GetDlgItem(dialog, 101));
  PressSheetKey(dialog, VK_TAB);
  ServeDialogs();
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 102));
  DestroyWindow(dialog);
}

TEST_F(PropertySheetTest, MissingPageTemplateFails) {
  std::vector<std::string> failures;
  platform::SetFailureHandler([&failures](const std::string& message) { failures.push_back(message); });
  SheetLog log;
  Sheet sheet(&log);
  sheet.pages[1].pszTemplate = "NO_SUCH_PAGE";
  EXPECT_EQ(PropertySheet(&sheet.header), -1);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("NO_SUCH_PAGE"), std::string::npos);
}

}  // namespace
