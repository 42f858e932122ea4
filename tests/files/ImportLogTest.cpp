// The import log dialog: every entry of a long log is in its list, whole
// (an entry wider than the screen goes on in indented rows, none wider than
// the list), and the list scrolls to its last row; a short log gives a
// short list; with nobody to answer, every entry goes to standard error.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "files/ImportLog.h"
#include "files/ImportLogTesting.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Paint.h"
#include "services/AppTesting.h"
#include "services/WindowUtilities.h"

namespace {

using ImportLogTest = AppFixture;

int TextWidth(HWND window, const std::string& text) {
  HDC dc = GetDC(window);
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(window, WM_GETFONT, 0, 0)));
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  ReleaseDC(window, dc);
  return static_cast<int>(size.cx);
}

// A log as a .cii import gives one: twenty entries, one of them longer
// than any screen is wide.
std::vector<std::string> LongLog() {
  std::vector<std::string> log;
  for (int i = 1; i <= 19; ++i)
    log.push_back("Line " + std::to_string(10 * i) + ": restraint at node " + std::to_string(100 + i) +
                  ", which no element makes: not taken");
  std::string wide = "Line 200: the hanger at node 40 takes the catalogue";
  for (int i = 0; i < 60; ++i) wide += " word" + std::to_string(i);
  log.insert(log.begin() + 6, wide);
  return log;
}

TEST_F(ImportLogTest, EveryEntryOfALongLogIsInTheListWholeAndTheListScrollsToTheLast) {
  const std::vector<std::string> log = LongLog();
  const int beeps = platform::BeepCount();
  platform::ExpectModal(platform::ModalKind::Dialog, "IMPORT_LOG_DIALOG", [&log](HWND dialog) {
    EXPECT_EQ(TextOfWindow(dialog), "Quorvel");
    EXPECT_EQ(TextOfWindow(GetDlgItem(dialog, kImportLogHeading)), "The import gave 20 warnings:");
    EXPECT_NE(SendMessage(GetDlgItem(dialog, 1901), STM_GETICON, 0, 0), 0);
    HWND list = GetDlgItem(dialog, kImportLogList);
    const std::vector<std::string> rows = ImportLogRows(list);
    EXPECT_EQ(ImportLogEntries(rows), log);
    EXPECT_GT(rows.size(), log.size());  // the wide entry took more than one row
    RECT client{};
    GetClientRect(list, &client);
    for (const std::string& row : rows) EXPECT_LE(TextWidth(list, row), client.right - 4) << row;
    // The dialog stays on the screen.
    RECT window{};
    GetWindowRect(dialog, &window);
    const RECT area = WorkArea();
    EXPECT_LE(window.right - window.left, area.right - area.left);
    EXPECT_LE(window.bottom - window.top, area.bottom - area.top);
    // More rows than it shows: its scroll bar spans them all and takes the
    // list to its last row.
    const int shown = client.bottom / static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
    ASSERT_LT(shown, static_cast<int>(rows.size()));
    EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 0);
    SCROLLINFO bar{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &bar));
    EXPECT_EQ(bar.nMax - bar.nMin + 1, static_cast<int>(rows.size()));
    EXPECT_EQ(static_cast<int>(bar.nPage), shown);
    SendMessage(list, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), static_cast<LRESULT>(rows.size()) - shown);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), static_cast<int>(rows.size()) - shown);
    // The OK button lies below the list, inside the dialog.
    RECT ok{}, listRect{}, dialogClient{};
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    GetWindowRect(list, &listRect);
    EXPECT_GE(ok.top, listRect.bottom);
    GetClientRect(dialog, &dialogClient);
    POINT corner{ok.right, ok.bottom};
    ScreenToClient(dialog, &corner);
    EXPECT_LE(corner.x, dialogClient.right);
    EXPECT_LE(corner.y, dialogClient.bottom);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ShowImportLog(nullptr, log);
  platform::CheckModalScript();
  EXPECT_EQ(platform::BeepCount(), beeps + 1);
}

TEST_F(ImportLogTest, AShortLogGivesAShortListAndAnEmptyOneNoDialog) {
  const std::vector<std::string> log = {"Line 4: material CS takes a placeholder temperature table"};
  platform::ExpectModal(platform::ModalKind::Dialog, "IMPORT_LOG_DIALOG", [&log](HWND dialog) {
    EXPECT_EQ(TextOfWindow(GetDlgItem(dialog, kImportLogHeading)), "The import gave 1 warning:");
    HWND list = GetDlgItem(dialog, kImportLogList);
    EXPECT_EQ(ImportLogRows(list), log);
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_LT(client.bottom, 8 * static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0)));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    platform::TestKeyPress(VK_RETURN);
  });
  ShowImportLog(nullptr, log);
  platform::CheckModalScript();
  ShowImportLog(nullptr, {});  // no dialog expected
}

TEST_F(ImportLogTest, WithNobodyToAnswerEveryEntryGoesToStandardError) {
  const std::vector<std::string> log = LongLog();
  const std::string path = ::testing::TempDir() + "/import-log-stderr.txt";
  std::fflush(stderr);
  const int saved = dup(fileno(stderr));
  ASSERT_NE(std::freopen(path.c_str(), "w", stderr), nullptr);
  MessagesToStandardError = true;
  ShowImportLog(nullptr, log);
  MessagesToStandardError = false;
  std::fflush(stderr);
  dup2(saved, fileno(stderr));
  close(saved);
  std::ifstream input(path);
  const std::string written((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
  std::string expected = "Quorvel: The import gave 20 warnings:";
  for (const std::string& entry : log) expected += "\n" + entry;
  EXPECT_EQ(written, expected + "\n");
}

}  // namespace
