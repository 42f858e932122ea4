// Message dialogs and field messages: each dialog's template by line count,
// its lines, caption, icon, buttons and result through scripted answers; the
// save, change and merge questions; texts cut to the lines a template holds;
// the field-message texts.
#include <cstdlib>

#include "platform/Input.h"
#include "platform/Paint.h"
#include "services/AppTesting.h"
#include "services/NumberText.h"

namespace {

using MessageTest = AppFixture;

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

bool Shown(HWND dialog, int id) { return Item(dialog, id) != nullptr && IsWindowVisible(Item(dialog, id)); }

TEST_F(MessageTest, TwoWordsTwoLineFeedsApartShowTwoLines) {
  const int beeps = platform::BeepCount();
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOf(dialog), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(TextOf(dialog), "Quorvel");
    EXPECT_NE(SendMessage(Item(dialog, 1901), STM_GETICON, 0, 0), 0);
    EXPECT_EQ(TextOf(Item(dialog, IDOK)), "OK");
    EXPECT_FALSE(Shown(dialog, IDCANCEL));
    EXPECT_EQ(GetFocus(), Item(dialog, IDOK));
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_EQ(MessageDialog(nullptr, "first\n\nsecond", MessageIcon::Warning), 1);
  EXPECT_EQ(platform::BeepCount(), beeps + 1);
}

TEST_F(MessageTest, EachLineCountHasItsTemplateAndNoIconTheXTemplates) {
  for (int lines = 1; lines <= 6; ++lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) text += "line " + std::to_string(i + 1) + "\n";
    const std::string name = "MESSAGE" + std::to_string(lines) + "X_DIALOG";
    platform::ExpectModal(platform::ModalKind::Dialog, name, [lines](HWND dialog) {
      EXPECT_EQ(static_cast<int>(LinesOf(dialog).size()), lines);
      EXPECT_EQ(LinesOf(dialog).back(), "line " + std::to_string(lines));
      EXPECT_EQ(Item(dialog, 1901), nullptr);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(MessageDialog(nullptr, text, MessageIcon::None), 1);
  }
}

TEST_F(MessageTest, ATextLongerThanSixLinesIsCutNotAnError) {
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE6_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOf(dialog), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ShowErrorMessage(nullptr, "1\n2\n3\n4\n5\n6\n7\n8");
}

TEST_F(MessageTest, AnEmptyTextShowsNothing) {
  EXPECT_EQ(MessageDialog(nullptr, "", MessageIcon::Error), 0);
  EXPECT_EQ(MessageDialog(nullptr, "\n\n", MessageIcon::Error), 0);
  ShowInfoMessage(nullptr, "");
}

TEST_F(MessageTest, TheDialogIsSizedToItsWidestLine) {
  int narrow = 0, wide = 0;
  auto measure = [](int* width) {
    return [width](HWND dialog) {
      RECT line{}, client{};
      GetWindowRect(Item(dialog, 1500), &line);
      GetClientRect(dialog, &client);
      *width = client.right;
      // Both statics as wide as the widest line, inside the dialog.
      RECT second{};
      GetWindowRect(Item(dialog, 1501), &second);
      EXPECT_EQ(line.right - line.left, second.right - second.left);
      POINT right{line.right, 0};
      ScreenToClient(dialog, &right);
      EXPECT_LE(right.x, client.right);
      // The OK button sits centred under the text.
      RECT ok{};
      GetWindowRect(Item(dialog, IDOK), &ok);
      POINT okLeft{ok.left, ok.top};
      ScreenToClient(dialog, &okLeft);
      EXPECT_NEAR(okLeft.x + (ok.right - ok.left) / 2, client.right / 2, 1);
      if (const char* keep = std::getenv("QUORVEL_KEEP_PNG")) {
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        platform::WriteWindowPng(dialog, std::string(keep) + "/message-" + std::to_string(client.right) + ".png");
      }
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    };
  };
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", measure(&narrow));
  ShowInfoMessage(nullptr, "a\nb");
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", measure(&wide));
  ShowInfoMessage(nullptr, "a\nThis line is a good deal longer than any template's own static is wide");
  // 60 dialog units at least: the dialog font's 4-unit step is its average
  // character width, so never less than 15 characters.
  EXPECT_GE(narrow, 60 * 5 / 4);
  EXPECT_GT(wide, narrow + 100);
}

TEST_F(MessageTest, TheYesNoQuestionRenamesItsButtonsAndAnswers) {
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(Item(dialog, IDOK)), "&Yes");
    EXPECT_EQ(TextOf(Item(dialog, IDCANCEL)), "&No");
    EXPECT_TRUE(Shown(dialog, IDCANCEL));
    EXPECT_EQ(GetFocus(), Item(dialog, IDOK));
    Click(Item(dialog, IDOK));
  });
  EXPECT_TRUE(MessageBoxDialog(nullptr, "Delete the row?", IDYES));
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(GetFocus(), Item(dialog, IDCANCEL));  // No is the default
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_FALSE(MessageBoxDialog(nullptr, "Delete the row?", IDNO));
}

TEST_F(MessageTest, TheSaveQuestionAnswersWithItsButton) {
  for (int button : {IDYES, IDNO, IDCANCEL}) {
    platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG", [button](HWND dialog) {
      EXPECT_EQ(LinesOf(dialog)[0], "Do you want to save changes to  Plant ?");
      EXPECT_EQ(TextOf(dialog), "Quorvel");
      EXPECT_EQ(GetFocus(), Item(dialog, IDYES));
      Click(Item(dialog, button));
    });
    EXPECT_EQ(AskSaveChanges(nullptr, "Plant"), button);
  }
  EXPECT_EQ(AskSaveChanges(nullptr, ""), IDCANCEL);  // nothing shown
}

TEST_F(MessageTest, TheChangeQuestionQuotesBothValues) {
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOf(dialog),
              (std::vector<std::string>{"Do you want to change Material", "from  \"A53\"  to  \"A106\" ?"}));
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_TRUE(ConfirmChange(nullptr, "Material", "A53", "A106"));
}

TEST_F(MessageTest, TheMergeQuestionKeepsItsCaptionAndTwoLines) {
  platform::ExpectModal(platform::ModalKind::Dialog, "APPROVE_MERGE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Merge Model");
    EXPECT_EQ(LinesOf(dialog), (std::vector<std::string>{"one", "two"}));
    Click(Item(dialog, IDNO));
  });
  EXPECT_EQ(ApproveMerge(nullptr, "one\ntwo\nthree"), IDNO);
  EXPECT_EQ(ApproveMerge(nullptr, ""), IDCANCEL);
  EXPECT_EQ(ApproveMerge(nullptr, "\n"), 0);
}

TEST_F(MessageTest, FieldMessagesHaveTheirFixedForm) {
  g_EditFieldText = "abc";
  auto thrown = [](auto thrower) -> std::string {
    try {
      thrower();
    } catch (const std::string& text) {
      return text;
    }
    return "(nothing thrown)";
  };
  EXPECT_EQ(thrown([] { ThrowInvalidField("Save interval"); }), "Save interval =  abc  is invalid");
  EXPECT_EQ(thrown([] { ThrowNotDefined("Material"); }), "Material =  abc  is not defined");
  EXPECT_EQ(thrown([] { ThrowRequiredField("Name"); }), "Name is required");
  EXPECT_EQ(thrown([] { ThrowFieldError("Length", "should be > 0"); }), "Length =  abc  should be > 0");
  EXPECT_EQ(thrown([] { ThrowNodeError(3); }), "Node =  abc  Node number should be > 0");
  EXPECT_EQ(thrown([] { ThrowFieldNodeError("To Node", 7); }), "To Node =  abc  This node is already defined");
  EXPECT_EQ(FormatFieldError("X", "1", "is invalid"), "X =  1  is invalid");
}

TEST_F(MessageTest, TheOpenDialogIsKnownAndCanBeClosedAsCancel) {
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND) {
    EXPECT_TRUE(MessageDialogOpen());
    CloseCurrentDialogAndRefresh();
  });
  EXPECT_EQ(MessageDialog(nullptr, "Closing", MessageIcon::Information), 0);
  EXPECT_FALSE(MessageDialogOpen());
}

}  // namespace
