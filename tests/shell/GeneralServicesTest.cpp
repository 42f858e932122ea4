// The general services that need windows: the last error in a message box,
// one message pumped at a time without losing a quit request, a property
// sheet set up by the sheet helpers (pages with their parameters, the start
// page, the callback, OK applying every page), and whether any section of
// the model is buried.
#include <cerrno>

#include "AppTesting.h"
#include "platform/Input.h"
#include "platform/MessageBox.h"
#include "platform/PropertySheet.h"
#include "properties/PipeSection.h"
#include "properties/Soil.h"
#include "shell/General.h"

namespace {

constexpr char kPageTemplate[] = R"(dialog 0 0 160 60
caption "Page"
style WS_CHILD | DS_CONTROL
control 1101 BUTTON "Check" 7 7 80 10 BS_AUTOCHECKBOX | WS_TABSTOP
)";

class GeneralServicesTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    UseResources({{"FIRST_PAGE", kPageTemplate}, {"SECOND_PAGE", kPageTemplate}});
  }
};

TEST_F(GeneralServicesTest, TheLastErrorIsShownInTheSystemsWords) {
  std::string caption;
  platform::ExpectModal(platform::ModalKind::MessageBox, "No such file or directory", [&caption](HWND box) {
    caption = TextOf(box);
    platform::TestKeyPress(VK_RETURN);
  });
  errno = ENOENT;
  ShowLastError(nullptr);
  EXPECT_EQ(caption, "Quorvel");
  platform::ExpectModal(platform::ModalKind::MessageBox, "Permission denied",
                        [](HWND) { platform::TestKeyPress(VK_RETURN); });
  errno = EACCES;
  ShowLastError(nullptr);
}

int g_Delivered = 0;
LRESULT CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 7) {
    ++g_Delivered;
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

TEST_F(GeneralServicesTest, PumpingTakesOneMessageAndLeavesTheQuitForTheLoop) {
  WNDCLASS windowClass{};
  windowClass.lpfnWndProc = CountingProc;
  windowClass.lpszClassName = "PumpTarget";
  RegisterClass(&windowClass);
  HWND window = CreateWindowEx(0, "PumpTarget", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  MSG message{};
  while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&message);
  g_Delivered = 0;
  PostMessage(window, WM_USER + 7, 0, 0);
  PostMessage(window, WM_USER + 7, 0, 0);
  PumpOneMessage();
  EXPECT_EQ(g_Delivered, 1);
  PumpOneMessage();
  PumpOneMessage();  // nothing waits: nothing happens
  EXPECT_EQ(g_Delivered, 2);
  PostQuitMessage(7);
  PumpOneMessage();
  ASSERT_FALSE(GetMessage(&message, nullptr, 0, 0));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 7u);
  DestroyWindow(window);
}

struct PageLog {
  int initialised = 0;  // pages that got their own parameter
  int applied = 0;
  int callbacks = 0;
};
PageLog g_Pages;

INT_PTR LoggingPage(HWND page, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* record = reinterpret_cast<const PROPSHEETPAGE*>(lParam);
    g_Pages.initialised += record->lParam == (record->pszTemplate == std::string("FIRST_PAGE") ? 11 : 22);
    return TRUE;
  }
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY) {
    ++g_Pages.applied;
    SetWindowLongPtr(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
  }
  return FALSE;
}

int SheetCallback(HWND, UINT message, LPARAM) {
  g_Pages.callbacks += message == PSCB_INITIALIZED;
  return 0;
}

TEST_F(GeneralServicesTest, ASheetSetUpByTheHelpersStartsOnItsStartPageAndAppliesEveryPage) {
  g_Pages = PageLog{};
  PROPSHEETPAGE pages[2];
  InitPropertyPages(pages, 2);
  SetPropertyPage(pages, 0, "FIRST_PAGE", LoggingPage, 11);
  SetPropertyPage(pages, 1, "SECOND_PAGE", LoggingPage, 22);
  PROPSHEETHEADER header;
  InitPropertySheetHeader(header, pages, nullptr, "Analysis Options", 2, 1, SheetCallback);
  EXPECT_EQ(pages[1].hInstance, InstanceHandle);
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Analysis Options", [](HWND sheet) {
    EXPECT_EQ(TextOf(sheet), "Analysis Options");
    EXPECT_EQ(SendDlgItemMessage(sheet, ID_PROPSHEET_TABS, TCM_GETCURSEL, 0, 0), 1);
    SendMessage(sheet, PSM_SETCURSEL, 0, 0);  // both pages made
    SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  });
  EXPECT_EQ(PropertySheet(&header), 1);
  EXPECT_EQ(g_Pages.callbacks, 1);
  EXPECT_EQ(g_Pages.initialised, 2);
  EXPECT_EQ(g_Pages.applied, 2);
}

TEST_F(GeneralServicesTest, ASectionIsBuriedOnlyWhenItNamesASoilOfTheModel) {
  Model model;
  EXPECT_FALSE(AnySectionHasSoil(model));
  PipeSection section;
  InitSection(section);
  section.name = "6";
  AppendSection(model.sections, section);
  section.name = "8";
  section.soil = "S1";
  AppendSection(model.sections, section);
  EXPECT_FALSE(AnySectionHasSoil(model));  // a soil name without soils
  Soil soil;
  soil.name = "S1";
  AppendSoil(model.soils, soil);
  EXPECT_TRUE(AnySectionHasSoil(model));
  SwapModel(model);  // the same question of the open model
  EXPECT_TRUE(AnySectionHasSoil());
  TheModel().sections[2].soil.clear();
  EXPECT_FALSE(AnySectionHasSoil());
  SwapModel(model);
}

}  // namespace
