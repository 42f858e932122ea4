// Finding a row by node: Ctrl+F opens the find-node prompt (answered by the
// modal script), the search starts after the current row and wraps, the
// current row is tested last, a refused node text keeps the prompt open,
// and a node that no row has is reported.
#include "model/FindNodeDialog.h"
#include "platform/Dialog.h"
#include "services/TableTesting.h"

namespace {

class TableFindTest : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    g_LastFoundNode = 0;
  }
  // Answers the prompt with each text in turn, pressing OK after each.
  void AnswerPrompt(std::vector<std::string> texts, std::string* shownFirst = nullptr) {
    platform::ExpectModal(platform::ModalKind::Dialog, "FIND_NODE_DIALOG", [=](HWND dialog) {
      char initial[32] = "";
      GetDlgItemText(dialog, 1301, initial, sizeof initial);
      if (shownFirst != nullptr) *shownFirst = initial;
      for (const std::string& text : texts) {
        SetDlgItemText(dialog, 1301, text.c_str());
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
      }
    });
  }
};

TEST_F(TableFindTest, ControlFFindsTheRowOfTheNode) {
  ShowGrid(10, 600, 300, /*editable=*/false);
  AnswerPrompt({"70"});
  ControlKey('F');
  EXPECT_EQ(grid.currentRow, 7);
  EXPECT_EQ(g_LastFoundNode, 70);
  EXPECT_TRUE(messages.empty());
  // The prompt opens with the node asked for last.
  std::string shown;
  AnswerPrompt({"30"}, &shown);
  ControlKey('F');
  platform::RunUntilIdle();
  EXPECT_EQ(shown, "70");
  EXPECT_EQ(grid.currentRow, 3);
}

TEST_F(TableFindTest, ARefusedNodeTextKeepsThePromptOpen) {
  ShowGrid(10, 600, 300, /*editable=*/false);
  AnswerPrompt({"", "7x", "20"});
  ControlKey('F');
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text, "Node is required");
  EXPECT_EQ(messages[1].text, "Node =  7x  is invalid");
  EXPECT_EQ(grid.currentRow, 2);
}

TEST_F(TableFindTest, CancelFindsNothing) {
  ShowGrid(10, 600, 300, /*editable=*/false);
  platform::ExpectModal(platform::ModalKind::Dialog, "FIND_NODE_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1301, "50");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  ControlKey('F');
  EXPECT_EQ(grid.currentRow, 1);
  EXPECT_EQ(g_LastFoundNode, 0);
}

TEST_F(TableFindTest, TheSearchStartsAfterTheCurrentRowAndWraps) {
  ShowGrid(10, 600, 300, /*editable=*/false);
  grid.records[1].node = 99;  // rows 2 and 8
  grid.records[7].node = 99;
  TableGoTo(grid, 5);
  TableFindRow(grid, 99, "99");
  EXPECT_EQ(grid.currentRow, 8);
  TableFindRow(grid, 99, "99");
  EXPECT_EQ(grid.currentRow, 2);
  // A node only on the current row is found last, after the whole table.
  TableGoTo(grid, 6);
  TableFindRow(grid, 60, "60");
  EXPECT_EQ(grid.currentRow, 6);
  EXPECT_TRUE(messages.empty());
}

TEST_F(TableFindTest, ANodeNoRowHasIsReported) {
  ShowGrid(10, 600, 300, /*editable=*/false);
  AnswerPrompt({"77"});
  ControlKey('F');
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Node  77  not found");
  EXPECT_EQ(messages[0].kind, TableMessageKind::Warning);
  EXPECT_EQ(grid.currentRow, 1);
}

TEST_F(TableFindTest, FindingFromAnEditCommitsItFirst) {
  ShowGrid(10);
  Type("5");  // "510"
  TableWindowFindRow(tableWindow, 40, "40");
  EXPECT_EQ(grid.records[0].node, 510);
  EXPECT_EQ(grid.currentRow, 4);
  EXPECT_EQ(grid.currentColumn, 1);
  EXPECT_EQ(grid.editBuffer, "40");
}

TEST_F(TableFindTest, ATableWithoutNodeSearchBeeps) {
  ShowGrid(10, 600, 300, /*editable=*/false);
  grid.nodeSearch = false;
  const int beeps = platform::BeepCount();
  TableFindRow(grid, 30, "30");
  EXPECT_EQ(platform::BeepCount(), beeps + 1);
  EXPECT_EQ(grid.currentRow, 1);
  ControlKey('F');  // no prompt either (none is expected by the script)
}

}  // namespace
