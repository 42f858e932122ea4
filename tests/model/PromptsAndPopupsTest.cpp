// The find-text prompt over the Layout table, the shared table popups and
// Edit-menu states, the opening of a list at the current Layout row, and
// the local-axes triad's shown flag.
#include "editing/LayoutTable.h"
#include "editing/NodeList.h"
#include "editing/PromptDialogs.h"
#include "model/ContextMenus.h"
#include "model/LcsTriad.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/Menu.h"

namespace {

class PromptsAndPopupsTest : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    g_LastFindText.clear();
    TheLcsTriad() = LcsTriad{};
  }
  void TearDown() override {
    SetTableResultsShown(false);
    ListFixture::TearDown();
  }
  static HWND LayoutWindowAt(int row) {
    ShowModelWindows();
    TableGoTo(TheLayoutTable(), row);
    return TheLayoutTable().Window();
  }
  // Scripts the prompt: types `text`, presses Find and, when the text is
  // refused, Close.
  static void AnswerFindText(const std::string& text, bool refused, const std::string& expectShown = "*") {
    platform::ExpectModal(platform::ModalKind::Dialog, "FIND_TEXT_DIALOG", [=](HWND dialog) {
      if (expectShown != "*") {
        EXPECT_EQ(TextOf(GetDlgItem(dialog, 1301)), expectShown);
      }
      SetDlgItemText(dialog, 1301, text.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
      if (refused) SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
  }
  // Expects a popup whose first item reads `first`, closed with Escape.
  static void ExpectPopup(const std::string& first) {
    platform::ExpectModal(platform::ModalKind::PopupMenu, first,
                          [](HWND) { platform::TestKeyPress(VK_ESCAPE); });
  }
};

TEST_F(PromptsAndPopupsTest, FindTextFindsACommentWhateverItsCase) {
  HWND table = LayoutWindowAt(1);
  AnswerFindText("  pump ", false, "");
  EXPECT_EQ(AskFindText(LayoutFrame().window, table), 1);
  EXPECT_EQ(g_LastFindText, "pump");
  EXPECT_EQ(TheLayoutTable().currentRow, 5);
  // The next prompt opens with the text asked for last.
  AnswerFindText("ROOM", false, "pump");
  TableGoTo(TheLayoutTable(), 2);
  EXPECT_EQ(AskFindText(LayoutFrame().window, table), 1);
  EXPECT_EQ(TheLayoutTable().currentRow, 5);
  EXPECT_TRUE(messages.empty());
}

TEST_F(PromptsAndPopupsTest, FindTextNamesWhatItCannotFindAndRefusesNothing) {
  HWND table = LayoutWindowAt(2);
  EXPECT_FALSE(RepeatFindText(table));  // nothing asked for yet
  AnswerFindText("   ", true);
  EXPECT_EQ(AskFindText(LayoutFrame().window, table), 0);
  AnswerFindText("boiler", false);
  EXPECT_EQ(AskFindText(LayoutFrame().window, table), 1);
  // A node number is not comment text.
  EXPECT_TRUE(RepeatFindText(table));
  EXPECT_EQ(messages, (std::vector<std::string>{"String is required", "boiler  not found", "boiler  not found"}));
  EXPECT_EQ(TheLayoutTable().currentRow, 2);
  AnswerFindText("x", false);
  platform::ExpectModal(platform::ModalKind::Dialog, "FIND_TEXT_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(AskFindText(LayoutFrame().window, table), 1);
  EXPECT_EQ(AskFindText(LayoutFrame().window, table), 0);
  EXPECT_EQ(g_LastFindText, "x");
}

TEST_F(PromptsAndPopupsTest, PopupsOfferEditOrShowAndDeleteOnlyOutsideResults) {
  ShowListByOpener(OpenNodeList);
  NodeListTable& table = TheNodeList();
  ExpectPopup("Edit Anchor");
  EXPECT_EQ(TablePopupEditDeleteMenu(table, "Anchor"), 3);
  ExpectPopup("Delete Anchor");
  EXPECT_EQ(TablePopupDeleteMenu(table, "Anchor"), 2);
  ExpectPopup("List");
  EXPECT_EQ(TablePopupInsertDeleteMenu(table), 1);  // nodes: neither insert nor delete
  SetTableResultsShown(true);
  ExpectPopup("Show Anchor");
  EXPECT_EQ(TablePopupEditDeleteMenu(table, "Anchor"), 2);
  ExpectPopup("List");
  EXPECT_EQ(TablePopupDeleteMenu(table, "Anchor"), 1);
  // Without a frame nothing is shown.
  HWND frame = table.frame;
  table.frame = nullptr;
  EXPECT_EQ(TablePopupEditMenu(table, "Anchor"), 0);
  table.frame = frame;
}

TEST_F(PromptsAndPopupsTest, ThePopupsCommandReachesTheFrame) {
  ShowListByOpener(OpenNodeList);
  platform::ExpectModal(platform::ModalKind::PopupMenu, "List", [](HWND) {
    platform::TestKeyPress(VK_DOWN);
    platform::TestKeyPress(VK_RETURN);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "LIST_DIALOG6",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  TheNodeList().ContextMenu();
  platform::RunUntilIdle();
}

TEST_F(PromptsAndPopupsTest, TheListOpensOnTheEntryOfTheCurrentLayoutRowOrKeepsItsRow) {
  TheModel().currentRow = 4;
  ShowListByOpener(OpenNodeList);
  NodeListTable& table = TheNodeList();
  EXPECT_EQ(table.currentRow, 4);
  TheModel().currentRow = 5;  // the comment made no node
  OpenTableAtCurrentRow(table);
  EXPECT_EQ(table.currentRow, 4);
  EXPECT_EQ(table.rowCount, 4);
}

TEST_F(PromptsAndPopupsTest, TheTriadShowsAndHidesInPairsAndNeverWithoutAxes) {
  LcsTriad& triad = TheLcsTriad();
  EXPECT_EQ(LcsMenuText(), "&Show LCS");
  ToggleLcsTriad(triad);  // no axes yet
  EXPECT_FALSE(triad.shown);
  EraseLcsTriad(triad);  // not shown: nothing
  EXPECT_FALSE(triad.shown);
  StoreLcsFrame(triad, 2, {{{0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}}});
  EXPECT_EQ(triad.node, 2);
  ToggleLcsTriad(triad);
  EXPECT_TRUE(triad.shown);
  EXPECT_EQ(LcsMenuText(), "&Hide LCS");
  ToggleLcsTriad(triad);
  EXPECT_FALSE(triad.shown);
  ToggleLcsTriad(triad);
  EraseLcsTriad(triad);
  EXPECT_FALSE(triad.shown);
  // An axis of length 0.005 is too short to draw.
  StoreLcsFrame(triad, 2, {{{0.005f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}}});
  ToggleLcsTriad(triad);
  EXPECT_FALSE(triad.shown);
}

}  // namespace
