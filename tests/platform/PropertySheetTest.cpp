// Property sheets: the exact notification sequence of switching pages and
// pressing OK, a page that refuses to be left (showing its message), OK
// refused on the current page, Cancel, the start page, the initialisation
// callback with a subclass that renames OK to "Close" on DM_REPOSITION, and a
// button added by the owner.
#include "platform/DialogTesting.h"

#include "platform/MessageBox.h"
#include "platform/PropertySheet.h"

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
