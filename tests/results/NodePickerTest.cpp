// The time-history node picker measured in the headless layer: the dialog
// is as wide as its title, its buttons or its list need, and its one
// column of nodes fills the dialog's client width instead of standing as a
// narrow strip beside an empty band; the pickers of several columns keep
// their columns' own widths.
#include <gtest/gtest.h>

#include "properties/DialogTable.h"
#include "results/ResultsTesting.h"
#include "results/TimeHistoryTables.h"
#include "results/TimeHistoryTesting.h"
#include "services/WindowUtilities.h"

namespace {

struct PickerShape {
  int clientWidth = 0;
  int tableLeft = 0, tableRight = 0;  // the table window, in the client
  int buttonsRight = 0;               // Cancel's right edge
  int columns = 0;
  int columnsRight = 0;  // the right end of the last column, in the table
  int tableClient = 0;   // the table window's client width
  std::string caption;
};

RECT InClient(HWND dialog, HWND item) {
  RECT box{};
  GetWindowRect(item, &box);
  POINT corners[2] = {{box.left, box.top}, {box.right, box.bottom}};
  ScreenToClient(dialog, &corners[0]);
  ScreenToClient(dialog, &corners[1]);
  return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

class NodePickerTest : public ResultsFixture {
 protected:
  void SetUp() override {
    ResultsFixture::SetUp();
    Model& model = BuildLine({1, 30, 35}, false);
    AddTimeHistoryLoads(model, {1, 30, 35}, false);
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    model.modified = false;
    Analyse();
    OpenCancelled("RESULTS10_DIALOG");
    ASSERT_TRUE(InResultsMode());
  }
  // The picker of kind 1 (supports), 2 (element ends) or 3 (nodes) as it
  // stands when it opens; cancelled.
  static PickerShape Picker(int kind) {
    PickerShape shape;
    platform::ExpectModal(platform::ModalKind::Dialog, "TIME_HISTORY_RESULTS_DIALOG", [&shape, kind](HWND dialog) {
      platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [&shape](HWND pick) {
        RECT client{};
        GetClientRect(pick, &client);
        shape.clientWidth = client.right;
        HWND window = GetFocus();
        auto* table = dynamic_cast<DialogTableWindow*>(TableOfWindow(window));
        ASSERT_NE(table, nullptr);
        const RECT place = InClient(pick, window);
        shape.tableLeft = place.left;
        shape.tableRight = place.right;
        shape.buttonsRight = InClient(pick, GetDlgItem(pick, IDCANCEL)).right;
        shape.columns = table->columnCount;
        shape.columnsRight = table->x[static_cast<std::size_t>(table->columnCount) + 1];
        shape.tableClient = table->clientWidth;
        shape.caption = TextOf(pick);
        SendMessage(pick, WM_COMMAND, IDCANCEL, 0);
      });
      Click(dialog, 1400 + kind);
    });
    SelectTimeHistoryResults();
    platform::RunUntilIdle();
    platform::CheckModalScript();
    return shape;
  }
};

TEST_F(NodePickerTest, TheNodeListFillsTheDialogSizedForItsTitleAndButtons) {
  const PickerShape nodes = Picker(3);
  ASSERT_EQ(nodes.caption, "Displacements Time History");
  ASSERT_EQ(nodes.columns, 1);
  // The dialog is no wider than its title or its buttons ask for.
  const int margin = nodes.tableLeft;
  EXPECT_LE(nodes.clientWidth, std::max(TitleBarWidth(nodes.caption), nodes.buttonsRight + margin));
  // The list stands a margin from both sides of the client area, and its
  // column reaches the right edge of the list (a scroll bar aside).
  EXPECT_EQ(nodes.clientWidth - nodes.tableRight, margin);
  EXPECT_GE(nodes.columnsRight, nodes.tableClient - 1);
  EXPECT_GT(nodes.columnsRight, 3 * (nodes.tableRight - nodes.tableLeft) / 4);
  // A picker of two columns keeps their widths.
  const PickerShape supports = Picker(1);
  ASSERT_EQ(supports.columns, 2);
  EXPECT_LE(supports.columnsRight, supports.tableClient);
}

}  // namespace
