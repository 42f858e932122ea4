// The general services that need windows: the wait dialogs (no owner, at the
// bottom centre of the work area, any command ends them, the focus comes
// back), the last error in a message box, one message pumped at a time
// without losing a quit request, a property sheet set up by the sheet
// helpers, and whether any section of the model is buried.
#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "model/Model.h"
#include "platform/Input.h"
#include "platform/PropertySheet.h"
#include "records/PipeSection.h"
#include "records/Soil.h"
#include "services/AppTesting.h"
#include "services/General.h"
#include "services/WaitDialog.h"
#include "services/WindowUtilities.h"

namespace {

constexpr char kPageTemplate[] = R"(dialog 0 0 160 60
caption "Page"
style WS_CHILD | DS_CONTROL
)";

int g_Delivered = 0;
LRESULT CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 7) ++g_Delivered;
  return DefWindowProc(window, message, wParam, lParam);
}

class GeneralServicesTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    UseResources({{"FIRST_PAGE", kPageTemplate}, {"SECOND_PAGE", kPageTemplate}});
    WNDCLASS windowClass{};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.lpszClassName = "ServicesFrame";
    RegisterClass(&windowClass);
    frame_ = CreateWindowEx(0, "ServicesFrame", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300, nullptr,
                            nullptr, nullptr, nullptr);
    edit_ = CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, frame_, nullptr, nullptr, nullptr);
    SetFocus(edit_);
  }
  void TearDown() override {
    DestroyWindow(frame_);
    AppFixture::TearDown();
  }
  // Expects the wait dialog `name`, checks its place, keeps the text of its
  // item (or of its button) and ends it with `command`.
  static void ExpectWait(const char* name, std::string& text, WORD command) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, [&text, command](HWND dialog) {
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
      RECT own{};
      GetWindowRect(dialog, &own);
      const RECT area = WorkArea();
      EXPECT_EQ(own.bottom, area.bottom - 2);
      EXPECT_LE(std::abs((own.left - area.left) - (area.right - own.right)), 1);
      HWND item = GetDlgItem(dialog, 1501);
      text = TextOf(item != nullptr ? item : GetDlgItem(dialog, IDOK));
      SendMessage(dialog, WM_COMMAND, command, 0);
    });
  }

  HWND frame_ = nullptr, edit_ = nullptr;
};

TEST_F(GeneralServicesTest, WaitDialogsShowTheirTextAndGiveTheFocusBack) {
  std::string text;
  ExpectWait("WAIT_DIALOG", text, IDOK);
  WaitDialog();
  EXPECT_EQ(text, "Wait");
  ExpectWait("WAIT_MESSAGE_DIALOG", text, 4711);  // any command, not only its button
  WaitDialogValue("Rows", 12);
  EXPECT_EQ(text, "Rows = 12");
  ExpectWait("WAIT_MESSAGE_DIALOG", text, IDCANCEL);
  WaitDialogNumber(-250);
  EXPECT_EQ(text, "-250");
  const int probe = 0;
  ExpectWait("WAIT_MESSAGE_DIALOG", text, IDOK);
  WaitDialogPointer(&probe);
  EXPECT_EQ(std::strtoull(text.c_str(), nullptr, 16), reinterpret_cast<std::uintptr_t>(&probe));
  EXPECT_EQ(GetFocus(), edit_);
}

TEST_F(GeneralServicesTest, TheLastErrorIsShownInTheSystemsWords) {
  std::string caption;
  platform::ExpectModal(platform::ModalKind::MessageBox, "No such file or directory", [&caption](HWND box) {
    caption = TextOf(box);
    platform::TestKeyPress(VK_RETURN);
  });
  errno = ENOENT;
  ShowLastError(frame_);
  EXPECT_EQ(caption, "Quorvel");
}

TEST_F(GeneralServicesTest, PumpingTakesOneMessageAndLeavesTheQuitForTheLoop) {
  MSG message{};
  while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&message);
  g_Delivered = 0;
  PostMessage(frame_, WM_USER + 7, 0, 0);
  PostMessage(frame_, WM_USER + 7, 0, 0);
  PumpOneMessage();
  EXPECT_EQ(g_Delivered, 1);
  PumpOneMessage();
  PumpOneMessage();  // nothing waits: nothing happens
  EXPECT_EQ(g_Delivered, 2);
  PostQuitMessage(7);
  PumpOneMessage();
  ASSERT_FALSE(GetMessage(&message, nullptr, 0, 0));
  EXPECT_EQ(message.wParam, 7u);
}

int g_PageParameters = 0;  // the sum of the parameters the pages got
int g_Callbacks = 0;

INT_PTR Page(HWND, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) g_PageParameters += static_cast<int>(reinterpret_cast<PROPSHEETPAGE*>(lParam)->lParam);
  return message == WM_INITDIALOG;
}

int SheetCallback(HWND, UINT message, LPARAM) {
  g_Callbacks += message == PSCB_INITIALIZED;
  return 0;
}

TEST_F(GeneralServicesTest, ASheetSetUpByTheHelpersRunsFromItsStartPage) {
  PROPSHEETPAGE pages[2];
  InitPropertyPages(pages, 2);
  SetPropertyPage(pages, 0, "FIRST_PAGE", Page, 11);
  SetPropertyPage(pages, 1, "SECOND_PAGE", Page, 22);
  PROPSHEETHEADER header;
  InitPropertySheetHeader(header, pages, frame_, "Analysis Options", 2, 1, SheetCallback);
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Analysis Options", [](HWND sheet) {
    EXPECT_EQ(SendDlgItemMessage(sheet, ID_PROPSHEET_TABS, TCM_GETCURSEL, 0, 0), 1);
    SendMessage(sheet, PSM_SETCURSEL, 0, 0);
    SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  });
  EXPECT_EQ(PropertySheet(&header), 1);
  EXPECT_EQ(g_Callbacks, 1);
  EXPECT_EQ(g_PageParameters, 33);
}

TEST_F(GeneralServicesTest, ASectionIsBuriedOnlyWhenItNamesASoilOfTheModel) {
  Model model;
  PipeSection section;
  InitSection(section);
  section.name = "8";
  section.soil = "S1";
  AppendSection(model.sections, section);
  EXPECT_FALSE(AnySectionHasSoil(model));  // a soil name without soils
  Soil soil;
  soil.name = "S1";
  AppendSoil(model.soils, soil);
  SwapModel(model);
  EXPECT_TRUE(AnySectionHasSoil(TheModel()));
  TheModel().sections[1].soil.clear();
  EXPECT_FALSE(AnySectionHasSoil(TheModel()));
  SwapModel(model);
}

}  // namespace
