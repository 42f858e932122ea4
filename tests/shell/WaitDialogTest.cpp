// The wait dialogs: no owner, centred at the bottom of the work area 2
// pixels above its edge, the text (a number, an address that reads back as
// the same pointer, "name = value") in its item, any command ends them, and
// the window that had the focus has it again afterwards.
#include "shell/WaitDialog.h"

#include <cstdint>
#include <cstdlib>

#include "AppTesting.h"
#include "platform/Input.h"
#include "shell/WindowUtilities.h"

namespace {

class WaitDialogTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    WNDCLASS windowClass{};
    windowClass.lpfnWndProc = DefWindowProc;
    windowClass.lpszClassName = "WaitOwner";
    RegisterClass(&windowClass);
    frame_ = CreateWindowEx(0, "WaitOwner", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300, nullptr,
                            nullptr, nullptr, nullptr);
    edit_ = CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 100, 20, frame_, nullptr,
                           nullptr, nullptr);
    SetFocus(edit_);
  }
  void TearDown() override {
    DestroyWindow(frame_);
    AppFixture::TearDown();
  }

  // Expects the wait dialog `name`, checks its place, keeps its text and
  // ends it with the command `command`.
  void Expect(const char* name, std::string& text, WORD command) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, [&text, command](HWND dialog) {
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
      RECT own{};
      GetWindowRect(dialog, &own);
      const RECT area = WorkArea();
      EXPECT_EQ(own.bottom, area.bottom - 2);
      EXPECT_LE(std::abs((own.left - area.left) - (area.right - own.right)), 1);
      HWND item = GetDlgItem(dialog, 1501);
      text = item != nullptr ? TextOf(item) : TextOf(GetDlgItem(dialog, IDOK));
      SendMessage(dialog, WM_COMMAND, command, 0);
    });
  }

  HWND frame_ = nullptr, edit_ = nullptr;
};

TEST_F(WaitDialogTest, WithoutTextItWaitsForItsButton) {
  std::string button;
  Expect("WAIT_DIALOG", button, IDOK);
  WaitDialog();
  EXPECT_EQ(button, "Wait");
  EXPECT_EQ(GetFocus(), edit_);
}

TEST_F(WaitDialogTest, TextsAndAnyCommandEndsIt) {
  std::string text;
  Expect("WAIT_MESSAGE_DIALOG", text, 4711);  // not a button of the dialog
  WaitDialogValue("Rows", 12);
  EXPECT_EQ(text, "Rows = 12");
  EXPECT_EQ(GetFocus(), edit_);
  Expect("WAIT_MESSAGE_DIALOG", text, IDCANCEL);
  WaitDialogNumber(-250);
  EXPECT_EQ(text, "-250");
  const int probe = 0;
  Expect("WAIT_MESSAGE_DIALOG", text, IDOK);
  WaitDialogPointer(&probe);
  EXPECT_EQ(std::strtoull(text.c_str(), nullptr, 16), reinterpret_cast<std::uintptr_t>(&probe));
  Expect("WAIT_MESSAGE_DIALOG", text, IDOK);
  WaitDialog("Reading the model");
  EXPECT_EQ(text, "Reading the model");
  EXPECT_EQ(GetFocus(), edit_);
}

}  // namespace
