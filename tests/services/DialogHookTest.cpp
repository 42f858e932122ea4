// The dialog centring hook, menu item texts and the self-closing notice:
// a message box raised while the hook is on is centred on its owner with
// the cursor on its default button; Escape ends a hooked dialog with 0 even
// without a Cancel button; the hook stays on its own thread; a menu text
// changes without losing the item's state; a notice closes itself; a common
// dialog given the centring hook procedure is centred on its owner.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/CommonDialog.h"
#include "platform/Controls.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/ResourceTemplates.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"
#include "resources/QuorvelResources.h"
#include "services/DialogHook.h"
#include "services/ProgramContext.h"

namespace {

constexpr char kNoCancelDialog[] = R"(dialog 10 10 120 60
caption "No cancel"
style WS_POPUP | WS_CAPTION | DS_MODALFRAME
control 101 EDIT "" 10 10 60 12 WS_TABSTOP WS_BORDER
control IDOK BUTTON "OK" 35 40 50 14 BS_DEFPUSHBUTTON WS_TABSTOP
)";

class DialogHookTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::EnableTestMode(true);
    platform::SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
    entries_.assign(QuorvelResources().begin(), QuorvelResources().end());
    entries_.push_back({platform::ResourceType::Dialog, "NO_CANCEL_DIALOG",
                        reinterpret_cast<const unsigned char*>(kNoCancelDialog), sizeof kNoCancelDialog - 1});
    platform::RegisterResources(entries_.data(), entries_.size());
    InstanceHandle = reinterpret_cast<HINSTANCE>(&tag_);
    InitCommonControls();
    WNDCLASS windowClass{};
    windowClass.lpfnWndProc = DefWindowProc;
    windowClass.lpszClassName = "HookOwner";
    RegisterClass(&windowClass);
    owner_ = CreateWindowEx(0, "HookOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400, nullptr,
                            nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    CenterDialogHookOff();
    platform::RunUntilIdle();
    platform::CheckModalScript();
    platform::Shutdown();
    platform::EnableTestMode(false);
    platform::SetFailureHandler(nullptr);
    platform::RegisterResources(nullptr, 0);
  }

  HWND owner_ = nullptr;
  char tag_ = 0;
  std::vector<platform::ResourceEntry> entries_;
};

// Ignores Cancel: only OK ends it.
INT_PTR NoCancelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) EndDialog(dialog, 1);
  return message == WM_COMMAND ? TRUE : FALSE;
}

TEST_F(DialogHookTest, AMessageBoxIsCentredOnItsOwnerWithTheCursorOnItsButton) {
  // The owner's client area, in screen coordinates.
  RECT client{};
  GetClientRect(owner_, &client);
  POINT corner{0, 0};
  ClientToScreen(owner_, &corner);
  const LONG centreX = corner.x + client.right / 2, centreY = corner.y + client.bottom / 2;
  CenterDialogHookOn();
  platform::ExpectModal(platform::ModalKind::MessageBox, "Centred", [&](HWND box) {
    RECT r{};
    GetWindowRect(box, &r);
    EXPECT_NEAR((r.left + r.right) / 2, centreX, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, centreY, 1);
    RECT button{};
    GetWindowRect(GetFocus(), &button);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, button.left + 3 * (button.right - button.left) / 4);
    EXPECT_EQ(cursor.y, (button.top + button.bottom) / 2);
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_EQ(MessageBox(owner_, "Centred", "Quorvel", MB_OKCANCEL), IDOK);
  CenterDialogHookOff();
}

TEST_F(DialogHookTest, EscapeEndsAHookedDialogWithZeroWithoutACancelButton) {
  CenterDialogHookOn();
  platform::ExpectModal(platform::ModalKind::Dialog, "NO_CANCEL_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(DialogBoxParam(InstanceHandle, "NO_CANCEL_DIALOG", owner_, NoCancelProc, 0), 0);
  CenterDialogHookOff();
  // Without the hook the dialog's own procedure decides: Cancel does nothing.
  platform::ExpectModal(platform::ModalKind::Dialog, "NO_CANCEL_DIALOG", [](HWND dialog) {
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(IsWindowVisible(dialog));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(DialogBoxParam(InstanceHandle, "NO_CANCEL_DIALOG", owner_, NoCancelProc, 0), 1);
}

TEST_F(DialogHookTest, AHookSeesOnlyTheDialogsOfItsOwnThread) {
  CenterDialogHookOn();
  std::thread other([] {
    // This thread has no hook: its dialog keeps its own Cancel handling.
    platform::ExpectModal(platform::ModalKind::Dialog, "NO_CANCEL_DIALOG", [](HWND dialog) {
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(DialogBoxParam(InstanceHandle, "NO_CANCEL_DIALOG", nullptr, NoCancelProc, 0), 1);
  });
  other.join();
  CenterDialogHookOff();
}

// The hook procedure the program gives the print, page set-up and font
// dialogs: the font dialog stands centred on its owner, the pointer on OK.
TEST_F(DialogHookTest, ACommonDialogWithTheCentringHookStandsOnItsOwner) {
  SetWindowPos(owner_, nullptr, 40, 60, 700, 500, SWP_NOZORDER);
  LOGFONT font{};
  CHOOSEFONT choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner_;
  choose.lpLogFont = &font;
  choose.Flags = CF_SCREENFONTS | CF_ENABLEHOOK;
  choose.lpfnHook = CenteringDialogHookProc;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Font", [this](HWND dialog) {
    RECT client{}, own{}, ok{};
    GetClientRect(owner_, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(owner_, &centre);
    GetWindowRect(dialog, &own);
    EXPECT_NEAR((own.left + own.right) / 2, centre.x, 1);
    EXPECT_NEAR((own.top + own.bottom) / 2, centre.y, 1);
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, ok.left + 3 * (ok.right - ok.left) / 4);
    EXPECT_EQ(cursor.y, (ok.top + ok.bottom) / 2);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(ChooseFont(&choose));
}

TEST_F(DialogHookTest, AMenuItemChangesItsTextAndKeepsItsState) {
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING | MF_CHECKED | MF_GRAYED, 431, "Free&ze View\tF8");
  SetMenuItemText(menu, 431, "Unfree&ze View\tF8");
  char text[64] = {};
  GetMenuString(menu, 431, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Unfree&ze View\tF8");
  const UINT state = GetMenuState(menu, 431, MF_BYCOMMAND);
  EXPECT_TRUE(state & MF_CHECKED);
  EXPECT_TRUE(state & MF_GRAYED);
  SetMenuItemText(menu, 999, "absent");  // no such item: nothing happens
  EXPECT_EQ(GetMenuItemCount(menu), 1);
  DestroyMenu(menu);
}

TEST_F(DialogHookTest, ANoticeClosesItselfOnceItsTextIsPainted) {
  for (const char* text : {"csv written.", ""}) {
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [text](HWND dialog) {
      char shown[64] = {};
      GetDlgItemText(dialog, 1501, shown, sizeof shown);
      EXPECT_STREQ(shown, text);
    });
    ShowNotice(owner_, text);
  }
}

}  // namespace
