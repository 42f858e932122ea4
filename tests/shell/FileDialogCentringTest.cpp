// File > Open and Save As through the program's commands: the file dialog is
// centred on the window it was opened from, and the questions it asks while
// it is up (a file not found, a file to replace) are centred on it with the
// pointer on their button; the model windows then carry the file's name and
// folder in their titles, renewed when the model is saved under a new name.
#include <filesystem>

#include "AppTesting.h"
#include "files/FileCommands.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "platform/MessageBox.h"

namespace {

class FileDialogCentringTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    folder_ = std::filesystem::path(std::getenv("TMPDIR")).string() + "/centring";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::filesystem::copy_file(std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod", folder_ + "/Plant.mod");
    InitApplication("");
    platform::RunUntilIdle();
  }
  void TearDown() override {
    CloseModel();
    if (IsWindow(MainFrame().window)) {
      PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
      RunMessageLoop();
    }
    AppFixture::TearDown();
  }

  static POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
  static RECT ClientOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT corner{0, 0};
    ClientToScreen(window, &corner);
    return RECT{corner.x, corner.y, corner.x + client.right, corner.y + client.bottom};
  }
  static RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
  }
  static void ExpectCentredOn(HWND window, const RECT& target) {
    const POINT own = Centre(WindowRect(window)), expected = Centre(target);
    EXPECT_LE(std::abs(own.x - expected.x), 1);
    EXPECT_LE(std::abs(own.y - expected.y), 1);
  }
  // A question of the file dialog: centred on it, the pointer 3/4 across
  // and halfway down the button that has the focus; answered with `key`.
  static void ExpectQuestion(const std::string& text, HWND& fileDialog, UINT key) {
    platform::ExpectModal(platform::ModalKind::MessageBox, text, [&fileDialog, key](HWND box) {
      EXPECT_EQ(GetParent(box), fileDialog);
      ExpectCentredOn(box, ClientOnScreen(fileDialog));
      const RECT button = WindowRect(GetFocus());
      POINT cursor{};
      GetCursorPos(&cursor);
      EXPECT_EQ(cursor.x, button.left + 3 * (button.right - button.left) / 4);
      EXPECT_EQ(cursor.y, (button.top + button.bottom) / 2);
      platform::TestKeyPress(key);
    });
  }

  std::string folder_;
};

TEST_F(FileDialogCentringTest, OpenAndSaveAsAreCentredAndTheTitlesNameFileAndFolder) {
  HWND main = MainFrame().window;
  SetWindowPos(main, nullptr, 20, 30, 640, 480, SWP_NOZORDER);
  HWND fileDialog = nullptr;
  const std::string missing = folder_ + "/Missing.mod";
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Open", [&](HWND dialog) {
    fileDialog = dialog;
    ExpectCentredOn(dialog, ClientOnScreen(main));
    SetDlgItemText(dialog, edt1, missing.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);  // refused: the dialog stays
    SetDlgItemText(dialog, edt1, (folder_ + "/Plant.mod").c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ExpectQuestion(missing + "\nFile not found.\nCheck the file name and try again.", fileDialog, VK_RETURN);
  SendMessage(main, WM_COMMAND, 102, 0);
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().path, folder_ + "/Plant.mod");
  HWND layout = LayoutFrame().window;
  const std::string title = TextOf(layout);
  EXPECT_EQ(title.rfind("Quorvel : Layout", 0), 0u) << title;
  EXPECT_NE(title.find(" -  [Plant.mod (" + folder_ + ")]"), std::string::npos) << title;

  // Save As over an existing file: asked (No), then under a new name.
  std::filesystem::copy_file(folder_ + "/Plant.mod", folder_ + "/Old.mod");
  SetWindowPos(layout, nullptr, 200, 100, 700, 500, SWP_NOZORDER);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Save As", [&](HWND dialog) {
    fileDialog = dialog;
    ExpectCentredOn(dialog, ClientOnScreen(layout));
    SetDlgItemText(dialog, edt1, (folder_ + "/Old.mod").c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);  // not replaced: the dialog stays
    SetDlgItemText(dialog, edt1, (folder_ + "/Unit 2.mod").c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ExpectQuestion(folder_ + "/Old.mod already exists.\nDo you want to replace it?", fileDialog, 'N');
  SendMessage(layout, WM_COMMAND, 105, 0);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().path, folder_ + "/Unit 2.mod");
  EXPECT_NE(TextOf(layout).find(" -  [Unit 2.mod (" + folder_ + ")]"), std::string::npos) << TextOf(layout);

  // Once the dialog is gone its questions' hook is gone too: a message box
  // now leaves the pointer where it is.
  SetCursorPos(5, 5);
  platform::ExpectModal(platform::ModalKind::MessageBox, "After", [](HWND) { platform::TestKeyPress(VK_RETURN); });
  MessageBox(layout, "After", "Quorvel", MB_OK);
  POINT cursor{};
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, 5);
  EXPECT_EQ(cursor.y, 5);
}

}  // namespace
