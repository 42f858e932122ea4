// The one-field prompt, driven through a dialog template of the program
// with a prompt of its own: it opens with the last answer selected and the
// focus in the field, takes no more than its length, hands the check the
// text without its blanks, and after a refusal keeps the dialog open with
// the field focused and all of its text selected.
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "services/FieldPrompt.h"
#include "services/TableTesting.h"

namespace {

std::vector<std::string>& Checked() {
  static std::vector<std::string> texts;
  return texts;
}
int& Placed() {
  static int count = 0;
  return count;
}

std::string LastAnswer() { return "abc"; }
void Place(HWND /*dialog*/) { ++Placed(); }
std::string Accept(const std::string& text) {
  Checked().push_back(text);
  return text == "no" ? "No is no answer" : "";
}

constexpr FieldPrompt kPrompt{1301, 5, "An answer is required", LastAnswer, Place, Accept};

INT_PTR PromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  return FieldPromptProc(kPrompt, dialog, message, wParam);
}

class FieldPromptTest : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    Checked().clear();
    Placed() = 0;
  }
  static INT_PTR Run() { return DialogBoxParam(nullptr, "FIND_TEXT_DIALOG", nullptr, PromptProc, 0); }
  static void ExpectFieldFocusedAndSelected(HWND dialog) {
    HWND field = GetDlgItem(dialog, 1301);
    EXPECT_EQ(GetFocus(), field);
    DWORD start = 99, end = 99;
    SendMessage(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLength(field)));
  }
};

TEST_F(FieldPromptTest, OpensWithTheLastAnswerSelectedAndEndsWithTheTrimmedAcceptedText) {
  platform::ExpectModal(platform::ModalKind::Dialog, "FIND_TEXT_DIALOG", [](HWND dialog) {
    char shown[16] = "";
    GetDlgItemText(dialog, 1301, shown, sizeof shown);
    EXPECT_STREQ(shown, "abc");
    ExpectFieldFocusedAndSelected(dialog);
    SetDlgItemText(dialog, 1301, " yes  and more");  // cut to the field's 5 characters
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(Placed(), 1);
  EXPECT_EQ(Checked(), (std::vector<std::string>{"yes"}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(FieldPromptTest, ARefusedOrEmptyFieldKeepsTheDialogOpenWithItsTextSelected) {
  platform::ExpectModal(platform::ModalKind::Dialog, "FIND_TEXT_DIALOG", [](HWND dialog) {
    for (const char* text : {"   ", " no "}) {
      SetDlgItemText(dialog, 1301, text);
      SetFocus(GetDlgItem(dialog, IDOK));
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
      EXPECT_TRUE(IsWindow(dialog));
      ExpectFieldFocusedAndSelected(dialog);
    }
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(Run(), 0);
  // The empty field never reaches the check.
  EXPECT_EQ(Checked(), (std::vector<std::string>{"no"}));
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text, "An answer is required");
  EXPECT_EQ(messages[1].text, "No is no answer");
  EXPECT_EQ(messages[1].kind, TableMessageKind::Error);
}

}  // namespace
