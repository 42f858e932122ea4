// Cell editing: typing, the caret over the glyph edges, backspace and
// delete, insert and overwrite mode against the edit length, Escape, the
// commit by Enter, Tab, click, Page Down and the scroll bar, and what a
// refused store leaves: its message, the old value, the caret in the cell,
// and no road to another row until the text is good.
#include <memory>

#include "model/EditSteps.h"
#include "platform/Controls.h"
#include "platform/Messages.h"
#include "services/TableTesting.h"

namespace {

class TableEditTest : public TableTest {
 protected:
  void DeleteAll() {
    Key(VK_HOME);
    const int length = grid.EditLength();
    for (int i = 0; i < length; ++i) platform::TestKeyPress(VK_DELETE);
    platform::RunUntilIdle();
  }
  int CaretX() {
    POINT point{0, 0};
    GetCaretPos(&point);
    return point.x;
  }
  int CaretY() {
    POINT point{0, 0};
    GetCaretPos(&point);
    return point.y;
  }
  // One key at a time, each handled and painted before the next.
  void TypeKeyByKey(const std::string& text) {
    for (char c : text) Type(std::string(1, c));
  }
  int CellTextLeft(int column) { return ColumnLeft(grid, column) + record.metrics.cellMargin; }
  // The caret sits in the current cell of row `row`.
  void ExpectCaretInRow(int row) {
    const int top = grid.headingHeight + (row - grid.topRow - 1) * grid.rowHeight;
    EXPECT_EQ(CaretY(), top + record.metrics.lineGap);
  }
  std::vector<std::string> Errors() {
    std::vector<std::string> texts;
    for (const ShownMessage& m : messages)
      if (m.kind == TableMessageKind::Error) texts.push_back(m.text);
    return texts;
  }
};

TEST_F(TableEditTest, TypedTextIsStoredByEnterWhichMovesToTheNextRow) {
  ShowGrid(5);
  DeleteAll();
  EXPECT_EQ(grid.editBuffer, "");
  Type("77");
  EXPECT_EQ(grid.editBuffer, "77");
  EXPECT_TRUE(grid.editChanged);
  EXPECT_EQ(grid.records[0].node, 10);  // nothing stored while typing
  Key(VK_RETURN);
  EXPECT_EQ(grid.records[0].node, 77);
  EXPECT_EQ(grid.stores, 1);
  EXPECT_EQ(grid.currentRow, 2);
  EXPECT_EQ(grid.currentColumn, 1);
  EXPECT_EQ(grid.editBuffer, "20");
  EXPECT_FALSE(grid.editChanged);
  EXPECT_TRUE(messages.empty());
}

TEST_F(TableEditTest, InsertModeBeepsAtTheEditLengthOverwriteDropsSilently) {
  ShowGrid(5);
  Key(VK_END);
  Type("123");
  EXPECT_EQ(grid.editBuffer, "10123");  // edit length of the node column is 5
  const int beeps = platform::BeepCount();
  Type("4");
  EXPECT_EQ(grid.editBuffer, "10123");
  EXPECT_EQ(platform::BeepCount(), beeps + 1);
  Key(VK_INSERT);  // overwrite mode
  EXPECT_FALSE(TableInsertMode());
  Type("9");  // at the end of a full text: dropped without a beep
  EXPECT_EQ(grid.editBuffer, "10123");
  EXPECT_EQ(platform::BeepCount(), beeps + 1);
  Key(VK_HOME);
  Type("87");
  EXPECT_EQ(grid.editBuffer, "87123");
  EXPECT_EQ(grid.caret, 2);
  Key(VK_INSERT);
  EXPECT_TRUE(TableInsertMode());
}

TEST_F(TableEditTest, OverwriteAtTheEndGrowsTheTextBelowTheLength) {
  ShowGrid(5);
  Key(VK_INSERT);
  Key(VK_END);
  Type("4");
  EXPECT_EQ(grid.editBuffer, "104");
  EXPECT_EQ(grid.caret, 3);
}

TEST_F(TableEditTest, BackspaceAndDelete) {
  ShowGrid(5);
  Key(VK_TAB);  // "Row1"
  Key(VK_END);
  Key(VK_BACK);
  EXPECT_EQ(grid.editBuffer, "Row");
  EXPECT_EQ(grid.caret, 3);
  Key(VK_HOME);
  Key(VK_DELETE);
  EXPECT_EQ(grid.editBuffer, "ow");
  EXPECT_EQ(grid.caret, 0);
  Key(VK_BACK);  // nothing before the caret
  EXPECT_EQ(grid.editBuffer, "ow");
  Key(VK_END);
  Key(VK_DELETE);  // nothing after it
  EXPECT_EQ(grid.editBuffer, "ow");
  Key(VK_RETURN);
  EXPECT_EQ(grid.records[0].name, "ow");
}

TEST_F(TableEditTest, EscapeDropsTheTypedText) {
  ShowGrid(5);
  Type("9");
  EXPECT_EQ(grid.editBuffer, "910");
  Key(VK_ESCAPE);
  EXPECT_EQ(grid.editBuffer, "10");
  EXPECT_FALSE(grid.editChanged);
  Key(VK_DOWN);
  EXPECT_EQ(grid.stores, 0);
  EXPECT_EQ(grid.records[0].node, 10);
}

TEST_F(TableEditTest, TheCaretFollowsTheGlyphEdges) {
  ShowGrid(5);
  Key(VK_TAB);  // "Row1" in column 2
  const int left = CellTextLeft(2);
  EXPECT_EQ(CaretX(), left);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  EXPECT_EQ(CaretX(), left + TextWidth("Ro"));
  Key(VK_END);
  EXPECT_EQ(CaretX(), left + TextWidth("Row1"));
  // A click puts the caret before the character whose middle is right of it.
  const int y = RowMiddle(grid, 1);
  const int middleOfW = TextWidth("Ro") + TextWidth("w") / 2;
  Click(left + middleOfW - 1, y);
  EXPECT_EQ(grid.caret, 2);
  Pause();
  Click(left + middleOfW, y);
  EXPECT_EQ(grid.caret, 3);
  Pause();
  Click(left - 2, y);  // left of the first character
  EXPECT_EQ(grid.caret, 0);
  Pause();
  Click(ColumnLeft(grid, 3) - 1, y);  // right of the last character's middle
  EXPECT_EQ(grid.caret, 4);
  EXPECT_EQ(CaretX(), left + TextWidth("Row1"));
  EXPECT_EQ(grid.currentColumn, 2);
}

TEST_F(TableEditTest, AClickElsewhereCommitsAndMovesToTheClickedCell) {
  ShowGrid(8);
  Type("5");  // "510" in row 1, node
  Click(ColumnLeft(grid, 3) + 3, RowMiddle(grid, 4));
  EXPECT_EQ(grid.records[0].node, 510);
  EXPECT_EQ(grid.currentRow, 4);
  EXPECT_EQ(grid.currentColumn, 3);
  EXPECT_EQ(grid.editBuffer, "4");
  // A click on the note column (not editable) takes nothing further right.
  Pause();
  Click(ColumnLeft(grid, 4) + 3, RowMiddle(grid, 2));
  EXPECT_EQ(grid.currentRow, 2);
}

TEST_F(TableEditTest, TabCommitsBeforeTheColumnChanges) {
  ShowGrid(5);
  Type("5");
  Key(VK_TAB);
  EXPECT_EQ(grid.records[0].node, 510);
  EXPECT_EQ(grid.currentColumn, 2);
  EXPECT_EQ(grid.stores, 1);
}

TEST_F(TableEditTest, PageKeysAndTheScrollBarCommitFirst) {
  ShowGrid(40, 600, 300);
  Type("5");
  Key(VK_NEXT);
  EXPECT_EQ(grid.records[0].node, 510);
  const int row = grid.currentRow;
  EXPECT_GT(row, 1);
  Type("6");
  SendMessage(tableWindow, WM_VSCROLL, SB_LINEDOWN, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(grid.records[static_cast<std::size_t>(row) - 1].node, std::stoi("6" + std::to_string(row * 10)));
  EXPECT_EQ(grid.currentRow, row + 1);
  Type("7");
  SendMessage(tableWindow, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), 0);
  SendMessage(tableWindow, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30), 0);
  platform::RunUntilIdle();
  EXPECT_EQ(grid.records[static_cast<std::size_t>(row)].node, std::stoi("7" + std::to_string((row + 1) * 10)));
  EXPECT_EQ(grid.currentRow, 30);
  Type("8");
  Key(VK_PRIOR);
  EXPECT_EQ(grid.records[29].node, 8300);
  EXPECT_EQ(grid.currentRow, 30 - grid.visibleRows + 1);
}

TEST_F(TableEditTest, DraggingTheThumbNotifiesTheRowOnceAtTheEnd) {
  ShowGrid(40, 600, 300, /*editable=*/false);
  const int before = grid.rowChanges;
  for (int row : {5, 9, 14}) SendMessage(tableWindow, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, row), 0);
  EXPECT_EQ(grid.currentRow, 14);
  EXPECT_EQ(grid.rowChanges, before);
  SendMessage(tableWindow, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 14), 0);
  EXPECT_EQ(grid.rowChanges, before + 1);
  grid.notifyWhileDragging = true;
  for (int row : {20, 21}) SendMessage(tableWindow, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, row), 0);
  SendMessage(tableWindow, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 21), 0);
  EXPECT_EQ(grid.rowChanges, before + 3);
}

TEST_F(TableEditTest, ARefusedTextKeepsTheOldValueTheTextAndTheCaret) {
  ShowGrid(40, 600, 300);
  Key(VK_TAB);
  Key(VK_TAB);  // value "1"
  Key(VK_END);
  Type("x");
  Key(VK_RETURN);
  EXPECT_EQ(Errors(), std::vector<std::string>{"Value =  1x  is invalid"});
  EXPECT_EQ(grid.records[0].value, "1");
  EXPECT_EQ(grid.currentRow, 1);
  EXPECT_EQ(grid.currentColumn, 3);
  EXPECT_EQ(grid.editBuffer, "1x");  // kept for the next try
  EXPECT_TRUE(grid.editChanged);
  ExpectCaretInRow(1);
  EXPECT_EQ(GetFocus(), tableWindow);
  // No road leaves the row while the text is refused.
  Key(VK_RETURN);
  Key(VK_DOWN);
  Key(VK_NEXT);
  Key(VK_TAB);
  ControlKey(VK_END);
  SendMessage(tableWindow, WM_VSCROLL, SB_LINEDOWN, 0);
  platform::TestMouseWheel(tableWindow, -WHEEL_DELTA, 50, 50);
  platform::RunUntilIdle();
  Click(ColumnLeft(grid, 2) + 3, RowMiddle(grid, 5));
  EXPECT_EQ(grid.stores, 9);
  EXPECT_EQ(Errors().size(), 9u);
  EXPECT_EQ(grid.currentRow, 1);
  EXPECT_EQ(grid.currentColumn, 3);
  EXPECT_EQ(grid.records[0].value, "1");
  ExpectCaretInRow(1);
  // Corrected, it goes through.
  Key(VK_BACK);
  Type("5");
  Key(VK_DOWN);
  EXPECT_EQ(grid.records[0].value, "15");
  EXPECT_EQ(grid.currentRow, 2);
}

TEST_F(TableEditTest, AnErrorNamingAColumnMakesItCurrentWithItsStoredValue) {
  ShowGrid(5);
  Key(VK_TAB);
  DeleteAll();
  Type("x");
  Key(VK_RETURN);
  EXPECT_EQ(Errors(), std::vector<std::string>{"Name needs a node"});
  EXPECT_EQ(grid.records[0].name, "Row1");
  EXPECT_EQ(grid.currentRow, 1);
  EXPECT_EQ(grid.currentColumn, 1);
  EXPECT_EQ(grid.editBuffer, "10");
  EXPECT_FALSE(grid.editChanged);  // the typed text is gone
  EXPECT_EQ(grid.caret, 0);
  ExpectCaretInRow(1);
  EXPECT_EQ(CaretX(), CellTextLeft(1));
  // Nothing left to store: Enter now moves on.
  Key(VK_RETURN);
  EXPECT_EQ(grid.stores, 1);
  EXPECT_EQ(grid.currentRow, 2);
}

TEST_F(TableEditTest, AValueTooLargeIsRefusedInItsOwnColumn) {
  ShowGrid(5);
  Key(VK_TAB);
  Key(VK_TAB);
  DeleteAll();
  Type("5000");
  Key(VK_RETURN);
  EXPECT_EQ(Errors(), std::vector<std::string>{"Value is too large"});
  EXPECT_EQ(grid.currentColumn, 3);
  EXPECT_EQ(grid.editBuffer, "1");
  EXPECT_EQ(grid.records[0].value, "1");
}

TEST_F(TableEditTest, ARequiredFieldNamesItsColumn) {
  ShowGrid(5);
  DeleteAll();
  Key(VK_TAB);
  EXPECT_EQ(Errors(), std::vector<std::string>{"Node is required"});
  EXPECT_EQ(grid.currentColumn, 1);
  EXPECT_EQ(grid.editBuffer, "10");
  EXPECT_EQ(grid.records[0].node, 10);
}

TEST_F(TableEditTest, CommandErrorsGoToTheFrame) {
  ShowGrid(5);
  Key(VK_TAB);
  DeleteAll();
  Type("cmd");
  Key(VK_RETURN);
  EXPECT_TRUE(messages.empty());  // an empty message shows nothing
  EXPECT_EQ(FrameCommands(), std::vector<int>{700});
  EXPECT_EQ(grid.editBuffer, "cmd");
  EXPECT_TRUE(grid.editChanged);
  EXPECT_EQ(grid.currentRow, 1);
  DeleteAll();
  Type("both");
  Key(VK_RETURN);
  EXPECT_EQ(Errors(), std::vector<std::string>{"Both"});
  EXPECT_EQ(FrameCommands(), (std::vector<int>{700, 701}));
  EXPECT_EQ(grid.currentColumn, 3);
  EXPECT_EQ(grid.editBuffer, "1");
  EXPECT_EQ(grid.records[0].name, "Row1");
}

TEST_F(TableEditTest, TypingPastTheColumnWidthWidensIt) {
  ShowGrid(5);
  grid.editLengths[2] = 40;
  Key(VK_TAB);
  const int before = grid.x[3];
  Type("WWWWWWWWWWWWWWWWWWWW");
  const int needed = TextWidth("Row1") + TextWidth("WWWWWWWWWWWWWWWWWWWW");
  EXPECT_EQ(grid.x[3] - grid.x[2] - 2 * record.metrics.cellMargin, needed);
  EXPECT_EQ(grid.x[4] - grid.x[3], 60 + 2 * record.metrics.cellMargin);  // the next column moved, not widened
  EXPECT_GT(grid.x[3], before);
  EXPECT_EQ(grid.totalWidth, grid.x[5]);
}

// A text typed past the width of its cell keeps its order: the view
// scrolls to the caret rather than the caret moving back into the view,
// whether a name widens a middle column, backspace runs past the view's
// left edge, or a number's digits widen the last column while the window
// is fitted again meanwhile (its parent resized).
TEST_F(TableEditTest, TextTypedPastItsCellKeepsItsOrder) {
  MakeWindows(200, 200);
  Bind(grid, true, 3);
  TableSetRows(grid, 5);
  TableShowFocus(grid);
  grid.editLengths[2] = 40;
  grid.editLengths[3] = 20;
  Key(VK_TAB);
  Replace("");
  const std::string name = "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234";
  TypeKeyByKey(name);
  EXPECT_EQ(grid.editBuffer, name);
  ASSERT_GT(grid.hPosition, 0);  // the view followed the caret
  EXPECT_EQ(grid.caret, static_cast<int>(name.size()));
  EXPECT_LT(CaretX(), grid.clientWidth);
  // Left to the view's left edge, then back over it with backspace.
  while (grid.caret > 0 && CaretX() > record.metrics.cellMargin + record.metrics.charWidth) Key(VK_LEFT);
  const int caret = grid.caret;
  ASSERT_GE(caret, 3);
  for (int i = 0; i < 3; ++i) Key(VK_BACK);
  const auto at = static_cast<std::size_t>(caret);
  const std::string edited = name.substr(0, at - 3) + name.substr(at);
  EXPECT_EQ(grid.editBuffer, edited);
  Key(VK_TAB);
  EXPECT_EQ(grid.records[0].name, edited);
  DeleteAll();
  const std::string digits = "0.00000000000012345";
  TypeKeyByKey(digits.substr(0, 12));
  TableFitWindow(grid);
  TypeKeyByKey(digits.substr(12));
  Key(VK_RETURN);
  EXPECT_EQ(grid.records[0].value, digits);
}

// What the commits of an action stored goes back to its cells when the
// action is put back whole, each cell still being edited; a table gone
// with its window meanwhile (a dialog's, with its dialog) is not touched.
TEST_F(TableEditTest, StoredTextGoesBackToItsCellUnlessItsTableIsGone) {
  // No action of the user begins meanwhile to forget what was stored.
  SetUserActionHooks(nullptr, nullptr);
  struct Reinstall {
    ~Reinstall() { InstallUserActionEdits(); }
  } reinstall;
  ForgetStoredTypedText();
  auto gone = std::make_unique<TestGrid>();
  ShowTable(*gone, 3);
  Key(VK_TAB);
  Replace("5");
  ASSERT_FALSE(TableCommitEdit(*gone));
  DestroyWindow(frame);
  gone.reset();
  ShowGrid(5);
  Replace("77");
  ASSERT_FALSE(TableCommitEdit(grid));
  ASSERT_EQ(grid.records[0].node, 77);
  grid.records[0].node = 10;  // the action put back
  Key(VK_DOWN);
  PutBackStoredTypedText();
  EXPECT_EQ(grid.currentRow * 10 + grid.currentColumn, 11);
  EXPECT_EQ(grid.editBuffer, "77");
  EXPECT_TRUE(grid.editChanged);
}

}  // namespace
