// Message boxes: the answer of each button set by keyboard and mouse, Escape
// by kind, the default button, lines, caption, icon and beep, the owner
// disabled while the box is up, and a scripted answer reaching the caller.
#include "platform/DialogTesting.h"

#include "platform/Gdi.h"
#include "platform/MessageBox.h"
#include "platform/Paint.h"

namespace {

using MessageBoxTest = DialogTest;

// Runs a box whose scripted action presses `key` and returns its answer.
int AnswerWithKey(const char* text, UINT type, UINT key) {
  platform::ExpectModal(platform::ModalKind::MessageBox, text, [key](HWND) { platform::TestKeyPress(key); });
  return MessageBox(nullptr, text, "Quorvel", type);
}

TEST_F(MessageBoxTest, EnterAnswersTheDefaultButtonOfEachKind) {
  EXPECT_EQ(AnswerWithKey("a", MB_OK, VK_RETURN), IDOK);
  EXPECT_EQ(AnswerWithKey("b", MB_OKCANCEL, VK_RETURN), IDOK);
  EXPECT_EQ(AnswerWithKey("c", MB_OKCANCEL | MB_DEFBUTTON2, VK_RETURN), IDCANCEL);
  EXPECT_EQ(AnswerWithKey("d", MB_YESNO, VK_RETURN), IDYES);
  EXPECT_EQ(AnswerWithKey("e", MB_YESNO | MB_DEFBUTTON2, VK_RETURN), IDNO);
  EXPECT_EQ(AnswerWithKey("f", MB_YESNOCANCEL | MB_DEFBUTTON3, VK_RETURN), IDCANCEL);
  EXPECT_EQ(AnswerWithKey("g", MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, VK_RETURN), IDRETRY);
}

TEST_F(MessageBoxTest, EscapeByKind) {
  EXPECT_EQ(AnswerWithKey("a", MB_OK, VK_ESCAPE), IDOK);  // OK-only: Escape is OK
  EXPECT_EQ(AnswerWithKey("b", MB_OKCANCEL, VK_ESCAPE), IDCANCEL);
  EXPECT_EQ(AnswerWithKey("c", MB_YESNOCANCEL, VK_ESCAPE), IDCANCEL);
  // Yes/No has no Cancel: Escape does nothing, so the box is still open
  // after the action, which the script reports.
  std::vector<std::string> failures;
  platform::SetFailureHandler([&failures](const std::string& message) { failures.push_back(message); });
  AnswerWithKey("d", MB_YESNO, VK_ESCAPE);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("still open"), std::string::npos);
}

TEST_F(MessageBoxTest, MnemonicsAndClicksAnswer) {
  EXPECT_EQ(AnswerWithKey("a", MB_YESNO, 'N'), IDNO);
  EXPECT_EQ(AnswerWithKey("b", MB_YESNOCANCEL, 'Y'), IDYES);
  platform::ExpectModal(platform::ModalKind::MessageBox, "Save?", [](HWND box) { Click(GetDlgItem(box, IDNO)); });
  EXPECT_EQ(MessageBox(nullptr, "Save?", "Quorvel", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
}

TEST_F(MessageBoxTest, LinesCaptionIconAndBeep) {
  int beeps = platform::BeepCount();
  platform::ExpectModal(platform::ModalKind::MessageBox, "First line\nSecond, longer line", [](HWND box) {
    char text[64];
    GetWindowText(box, text, sizeof text);
    EXPECT_STREQ(text, "Quorvel");
    // One static per line, in order, each as wide as the widest.
    std::vector<std::string> lines;
    std::vector<LONG> widths;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      char name[32];
      GetClassName(child, name, sizeof name);
      GetWindowText(child, text, sizeof text);
      if (std::string(name) == "Static" && text[0] != '\0') {
        lines.push_back(text);
        RECT rect{};
        GetWindowRect(child, &rect);
        widths.push_back(rect.right - rect.left);
      }
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"First line", "Second, longer line"}));
    ASSERT_EQ(widths.size(), 2u);
    EXPECT_EQ(widths[0], widths[1]);
    // The longer line fits its static in the box's font.
    HDC dc = GetDC(box);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(box, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32(dc, "Second, longer line", 19, &size);
    ReleaseDC(box, dc);
    EXPECT_GE(widths[1], size.cx);
    // The warning icon is drawn at the top left: some pixel of the sign's yellow.
    ServeDialogs();
    bool yellow = false;
    for (int y = 10; y < 40 && !yellow; ++y)
      for (int x = 10; x < 40 && !yellow; ++x) yellow = platform::GetWindowPixel(box, x, y) == RGB(250, 200, 30);
    EXPECT_TRUE(yellow);
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_EQ(MessageBox(nullptr, "First line\nSecond, longer line", "Quorvel", MB_OK | MB_ICONWARNING), IDOK);
  EXPECT_EQ(platform::BeepCount(), beeps + 1);
}

TEST_F(MessageBoxTest, OwnerIsDisabledWhileTheBoxIsUpAndGetsTheFocusBack) {
  RegisterRecorder();
  MessageLog log;
  HWND owner = MakeTop(&log, 100, 100, 400, 300);
  ShowWindow(owner, SW_SHOW);
  platform::ExpectModal(platform::ModalKind::MessageBox, "Busy", [owner](HWND box) {
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
    EXPECT_EQ(GetActiveWindow(), box);
    // Centred on its owner.
    RECT ownerRect{}, boxRect{};
    GetWindowRect(owner, &ownerRect);
    GetWindowRect(box, &boxRect);
    EXPECT_LE(std::abs((boxRect.left + boxRect.right) - (ownerRect.left + ownerRect.right)), 1);
    EXPECT_LE(std::abs((boxRect.top + boxRect.bottom) - (ownerRect.top + ownerRect.bottom)), 1);
    platform::TestKeyPress(VK_RETURN);
  });
  EXPECT_EQ(MessageBox(owner, "Busy", nullptr, MB_OK), IDOK);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetActiveWindow(), owner);
  DestroyWindow(owner);
}

TEST_F(MessageBoxTest, NullCaptionIsError) {
  platform::ExpectModal(platform::ModalKind::MessageBox, "x", [](HWND box) {
    char text[32];
    GetWindowText(box, text, sizeof text);
    EXPECT_STREQ(text, "Error");
    PostMessage(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(MessageBox(nullptr, "x", nullptr, MB_OK), IDOK);
}

}  // namespace
