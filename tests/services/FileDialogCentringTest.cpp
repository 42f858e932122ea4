// File > Open and Save As through the program's commands: the file dialog is
// centred on the window it was opened from, the questions it asks while it
// is up (a file not found, a file to replace) are centred on it with the
// pointer on their button, and nothing is centred once it is gone; the model
// windows carry the file's name and folder in their titles, renewed when the
// model is saved under a new name.
#include <filesystem>

#include "files/FileCommands.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "platform/MessageBox.h"
#include "services/AppTesting.h"

namespace {

class FileDialogCentringTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    folder_ = std::string(std::getenv("TMPDIR")) + "/centring";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::filesystem::copy_file(std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod", folder_ + "/Plant.mod");
    std::filesystem::copy_file(folder_ + "/Plant.mod", folder_ + "/Old.mod");
    InitApplication("");
    platform::RunUntilIdle();
  }
  void TearDown() override {
    CloseModel();
    PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
    RunMessageLoop();
    AppFixture::TearDown();
  }

  // True when the window's centre is within a pixel of the client area's.
  static bool CentredOnClient(HWND window, HWND on) {
    RECT own{}, client{};
    GetWindowRect(window, &own);
    GetClientRect(on, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(on, &centre);
    return std::abs((own.left + own.right) / 2 - centre.x) <= 1 && std::abs((own.top + own.bottom) / 2 - centre.y) <= 1;
  }
  // The file dialog `title` opened over `owner`: the first name is refused
  // with the question `question` (answered with `key`), the second taken.
  static void Expect(const char* title, HWND owner, const std::string& refused, const std::string& question,
                     UINT key, const std::string& taken) {
    static HWND fileDialog = nullptr;
    platform::ExpectModal(platform::ModalKind::CommonDialog, title, [=](HWND dialog) {
      fileDialog = dialog;
      EXPECT_TRUE(CentredOnClient(dialog, owner));
      SetDlgItemText(dialog, edt1, refused.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);  // the dialog stays
      SetDlgItemText(dialog, edt1, taken.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    platform::ExpectModal(platform::ModalKind::MessageBox, question, [key](HWND box) {
      EXPECT_TRUE(CentredOnClient(box, fileDialog));
      RECT button{};
      GetWindowRect(GetFocus(), &button);
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
  const std::string missing = folder_ + "/Missing.mod";
  Expect("Open", main, missing, missing + "\nFile not found.\nCheck the file name and try again.", VK_RETURN,
         folder_ + "/Plant.mod");
  SendMessage(main, WM_COMMAND, 102, 0);
  platform::CheckModalScript();
  HWND layout = LayoutFrame().window;
  EXPECT_EQ(TextOf(layout).rfind("Quorvel : Layout", 0), 0u);
  EXPECT_NE(TextOf(layout).find(" -  [Plant.mod (" + folder_ + ")]"), std::string::npos) << TextOf(layout);

  SetWindowPos(layout, nullptr, 200, 100, 700, 500, SWP_NOZORDER);
  Expect("Save As", layout, folder_ + "/Old.mod", folder_ + "/Old.mod already exists.\nDo you want to replace it?",
         'N', folder_ + "/Unit 2.mod");
  SendMessage(layout, WM_COMMAND, 105, 0);
  platform::CheckModalScript();
  EXPECT_NE(TextOf(layout).find(" -  [Unit 2.mod (" + folder_ + ")]"), std::string::npos) << TextOf(layout);

  // Without a file dialog a message box leaves the pointer where it is.
  SetCursorPos(5, 5);
  platform::ExpectModal(platform::ModalKind::MessageBox, "After", [](HWND) { platform::TestKeyPress(VK_RETURN); });
  MessageBox(layout, "After", "Quorvel", MB_OK);
  POINT cursor{};
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x + cursor.y, 10);
}

}  // namespace
