// Options > "Node increment..." of the Layout window (command 379): the
// dialog opens with the model's increment, refuses what is not a whole
// number from 0 to the highest free node number with the field's message
// and stays open, stores a changed increment as a change of the model, and
// the next row typed on the spare line takes its node number by it.
#include "editing/LayoutTable.h"
#include "model/ListTesting.h"
#include "platform/Dialog.h"
#include "platform/Input.h"

namespace {

class NodeIncrementTest : public ListFixture {
 protected:
  static void Answer(const std::string& text, int button = IDOK) {
    platform::ExpectModal(platform::ModalKind::Dialog, "NODE_INCREMENT_DIALOG", [text, button](HWND dialog) {
      SetDlgItemText(dialog, 1301, text.c_str());
      SendMessage(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
    });
  }
  static void Refused(const std::string& text) {
    platform::ExpectModal(platform::ModalKind::Dialog, "NODE_INCREMENT_DIALOG", [text](HWND dialog) {
      platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [text](HWND box) {
        EXPECT_EQ(LinesOfDialog(box), std::vector<std::string>{"Node increment =  " + text + "  is invalid"});
        SendMessage(box, WM_COMMAND, IDOK, 0);
      });
      SetDlgItemText(dialog, 1301, text.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
      EXPECT_TRUE(IsWindow(dialog)) << "a refused increment closed the dialog";
      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
  }
  static void Command() {
    SendMessage(LayoutFrame().window, WM_COMMAND, 379, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
};

TEST_F(NodeIncrementTest, TheDialogShowsRefusesAndStoresTheIncrement) {
  ShowModelWindows();
  Model& model = TheModel();
  model.nodeIncrement = 10;
  std::string shown;
  platform::ExpectModal(platform::ModalKind::Dialog, "NODE_INCREMENT_DIALOG", [&shown](HWND dialog) {
    shown = TextOf(GetDlgItem(dialog, 1301));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);  // unchanged: no change to the model
  });
  Command();
  EXPECT_EQ(shown, "10");
  EXPECT_FALSE(model.modified);
  for (const char* bad : {"-5", "ABC", "2.5", "99991"}) {
    Refused(bad);
    Command();
    EXPECT_EQ(model.nodeIncrement, 10) << bad;
  }
  EXPECT_FALSE(model.modified);
  Answer("25", IDCANCEL);
  Command();
  EXPECT_EQ(model.nodeIncrement, 10);
  Answer("25");
  Command();
  EXPECT_EQ(model.nodeIncrement, 25);
  EXPECT_TRUE(model.modified);
  // An empty field is no increment; the dialog then opens empty.
  Answer("");
  Command();
  EXPECT_EQ(model.nodeIncrement, 0);
  platform::ExpectModal(platform::ModalKind::Dialog, "NODE_INCREMENT_DIALOG", [&shown](HWND dialog) {
    shown = TextOf(GetDlgItem(dialog, 1301));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  Command();
  EXPECT_EQ(shown, "");
}

// The spare line's node follows the last element row's node by the
// increment: 40 + 25, as 25 is not one of the round steps.
TEST_F(NodeIncrementTest, TheNextRowTakesItsNodeByTheIncrement) {
  ShowModelWindows();
  Answer("25");
  Command();
  LayoutTable& table = TheLayoutTable();
  SetFocus(table.Window());
  TableGoTo(table, table.rowCount);  // the spare line
  TableSetColumn(table, 1);
  platform::TestKeyPress(VK_TAB);
  platform::RunUntilIdle();
  EXPECT_EQ(TheModel().row(table.rowCount).node, 65);
}

}  // namespace
