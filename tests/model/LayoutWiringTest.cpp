// The Layout window as a new user meets it, driven through its own
// commands: what was typed and not entered is committed before a save,
// close or analysis (or its refusal stops them); the table follows its
// frame's size; the font commands reach every table; Copy and the offsets
// popup open their dialogs; F3 with no list shown asks for one; a frame
// closing the message over it redraws the edited cell; and one user action
// leaves exactly one undo step.
#include <filesystem>

#include "editing/LayoutEditors.h"
#include "editing/NodeList.h"
#include "files/ModelFile.h"
#include "model/LayoutTesting.h"
#include "model/ListWindow.h"
#include "platform/Paint.h"
#include "platform/Rect.h"
#include "services/AppFonts.h"
#include "services/ListFrameState.h"
#include "services/TempFiles.h"

namespace {

class LayoutWiringTest : public LayoutFixture {
 protected:
  HWND frame() { return LayoutFrame().window; }
  void Command(int id) {
    SendMessage(frame(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
  static Model ReadBack(const std::string& path) {
    Model model;
    ReadModelFileInto(path, model);
    return model;
  }
  // Types cells with Tab between them and no Enter.
  void TypeCells(const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) Key(VK_TAB);
      Type(cells[i]);
    }
  }
  static void AnswerSaveQuestion(int button) {
    platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                          [button](HWND dialog) { SendMessage(dialog, WM_COMMAND, button, 0); });
  }
  // The centre of a cell of the Layout table in its client coordinates.
  POINT CellCentre(int rowNumber, int column) {
    LayoutTable& t = table();
    const int x = t.x[static_cast<std::size_t>(column)] - t.hPosition + 4;
    const int y = t.headingHeight + (rowNumber - t.topRow - 1) * t.rowHeight + t.rowHeight / 2;
    return POINT{x, y};
  }
  void DoubleClick(int rowNumber, int column) {
    const POINT at = CellCentre(rowNumber, column);
    for (int i = 0; i < 2; ++i) {
      platform::TestMouse(LayoutTableWindow(), WM_LBUTTONDOWN, at.x, at.y);
      platform::TestMouse(LayoutTableWindow(), WM_LBUTTONUP, at.x, at.y);
    }
    platform::RunUntilIdle();
  }
  std::string path_ = TempFolder() + "/typed.mod";
};

TEST_F(LayoutWiringTest, SaveCloseAndAnalysisEnterTheRowTypedOnTheSpareLineOrStopAtItsRefusal) {
  TypeSmallModel();
  TheModel().path = path_;
  // Node 40 and DX 250 typed, no Enter: the DX text is still in the editor.
  TypeCells({"40", "", "250"});
  Command(104);
  Model saved = ReadBack(path_);
  ASSERT_EQ(saved.rowCount, 5);
  EXPECT_EQ(saved.row(5).node, 40);
  EXPECT_NEAR(saved.row(5).dx, 250.0 / 25.4, 1e-4);
  EXPECT_EQ(saved.row(5).material, "A106");  // taken from the row before, as Enter does
  EXPECT_FALSE(TheModel().modified);
  // Only a node typed: a pipe of no length, which entering refuses with its
  // message; the save stops there.
  Type("50");
  Command(104);
  EXPECT_EQ(messages, (std::vector<std::string>{"This element has zero length"}));
  EXPECT_EQ(ReadBack(path_).rowCount, 5);
  // With an offset it can be entered: analysis enters it, then asks to save.
  Type("120");
  AnswerSaveQuestion(IDNO);
  Command(108);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().rowCount, 6);
  // Saved, then a comment row typed ("C" first makes the row a comment):
  // nothing is stored yet, but Close enters it, a change to save, and asks;
  // Cancel keeps the model, Yes saves it and closes.
  Command(104);
  Type("CPump room");
  ASSERT_FALSE(TheModel().modified);
  AnswerSaveQuestion(IDCANCEL);
  Command(103);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().rowCount, 7);
  EXPECT_EQ(row(7).elementType, ElementType::Comment);
  AnswerSaveQuestion(IDYES);
  Command(103);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().rowCount, 0);
  EXPECT_EQ(ReadBack(path_).rowCount, 7);
}

// As many rows as the client height holds, whatever that height now is.
template <typename Table>
void ExpectRowsFillTheWindow(Table& table, HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(table.visibleRows, (client.bottom - table.headingHeight) / table.rowHeight);
  EXPECT_GT(table.visibleRows, 25);
}

TEST_F(LayoutWiringTest, TheTablesFollowTheSizeOfTheirFrames) {
  Model& model = TheModel();
  for (int number = 2; number <= 60; ++number) {
    model.row(number).node = number * 10;
    model.row(number).elementType = number == 2 ? ElementType::From : ElementType::Pipe;
    model.row(number).element = CreateElementData(model.row(number).elementType);
    model.row(number).dx = 10.0f;
  }
  model.rowCount = 60;
  MakeModel(model);
  UpdateLayoutTitle();
  MoveWindow(frame(), 0, 0, 1000, 700, TRUE);
  platform::RunUntilIdle();
  // The Layout table takes the frame's height under the toolbar.
  RECT client{}, tableRect{};
  GetClientRect(frame(), &client);
  GetWindowRect(LayoutTableWindow(), &tableRect);
  POINT top{tableRect.left, tableRect.top};
  ScreenToClient(frame(), &top);
  EXPECT_EQ(top.y + (tableRect.bottom - tableRect.top), client.bottom);
  ExpectRowsFillTheWindow(table(), LayoutTableWindow());
  ShowListByOpener(OpenNodeList);
  MoveWindow(ListFrame().window, 0, 0, 900, 650, TRUE);
  platform::RunUntilIdle();
  ExpectRowsFillTheWindow(TheNodeList(), ListTableWindow(0));
}

TEST_F(LayoutWiringTest, TheFontCommandsReachTheListWindowsTablesShownOrNot) {
  TypeSmallModel();
  ShowListByOpener(OpenNodeList);
  const int rowHeight = TheNodeList().rowHeight;
  Command(40074);
  for (HWND window : {ListTableWindow(0), ListTableWindow(1)}) EXPECT_EQ(RecordOfWindow(window)->font, TextFont().handle);
  EXPECT_GT(TheNodeList().rowHeight, rowHeight);
  EXPECT_EQ(RecordOfWindow(LayoutTableWindow())->font, TextFont().handle);
  // A hidden List window's tables take the new font as well.
  SendMessage(ListFrame().window, WM_CLOSE, 0, 0);
  Command(40075);
  EXPECT_EQ(RecordOfWindow(ListTableWindow(0))->font, TextFont().handle);
  // The List window's own font command opens the font dialog.
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Font",
                        [](HWND) { platform::TestKeyPress(VK_ESCAPE); });
  SendMessage(ListFrame().window, WM_COMMAND, 411, 0);
  platform::CheckModalScript();
}

TEST_F(LayoutWiringTest, CopyAndTheOffsetsPopupOpenTheirDialogs) {
  TypeSmallModel();
  TableGoTo(table(), 3);
  platform::ExpectModal(platform::ModalKind::Dialog, "COPY_ELEMENTS_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1301)), "3");
    SetDlgItemText(dialog, 1302, "4");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(40036);
  platform::CheckModalScript();
  Command(364);
  ASSERT_EQ(TheModel().rowCount, 6);
  EXPECT_EQ(row(5).dx, row(3).dx);
  EXPECT_EQ(row(6).dy, row(4).dy);

  TableGoTo(table(), 3);
  const int undo = UndoDepth();
  platform::ExpectModal(platform::ModalKind::Dialog, "DX_DY_DZ_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1302, "300");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(40027);
  platform::CheckModalScript();
  EXPECT_NEAR(row(3).dy, 300.0 / 25.4, 1e-4);
  EXPECT_NEAR(TheModel().nodes[FindNodeIndex(TheModel().nodes, 20)].y, 300.0 / 25.4, 1e-4);
  EXPECT_EQ(UndoDepth(), undo + 1);
}

TEST_F(LayoutWiringTest, BackFromTheLayoutAsksForAListAndBackFromTheListReopensTheTable) {
  TypeSmallModel();
  ASSERT_FALSE(IsWindowVisible(ListFrame().window));
  // Cancelled: nothing is shown.
  platform::ExpectModal(platform::ModalKind::Dialog, "LIST_DIALOG6",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  Command(255);
  platform::CheckModalScript();
  EXPECT_FALSE(IsWindowVisible(ListFrame().window));
  // The coordinates picked: the List frame shows them, opened from here.
  platform::ExpectModal(platform::ModalKind::Dialog, "LIST_DIALOG6", [](HWND dialog) {
    ASSERT_EQ(TextOf(GetDlgItem(dialog, 1401)), "&Coordinates");
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1401, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1401)));
  });
  Command(255);
  platform::CheckModalScript();
  EXPECT_TRUE(IsWindowVisible(ListFrame().window));
  EXPECT_EQ(CurrentListOpener(), &OpenNodeList);
  EXPECT_EQ(ListFrame().previous_frame, &LayoutFrame());
  // Back from the List window to a Layout frame whose table is closed: the
  // table is opened again at the current row.
  SetCurrentLayoutRow(3);
  TableWindowClose(LayoutTableWindow());
  SendMessage(ListFrame().window, WM_COMMAND, 255, 0);
  platform::RunUntilIdle();
  EXPECT_TRUE(IsWindowVisible(LayoutTableWindow()));
  EXPECT_EQ(TableOfWindow(LayoutTableWindow()), &table());
  EXPECT_EQ(table().currentRow, 3);
  // Other windows open the List frame the same way (the graphics window's
  // list command): with no list shown, the list is asked for first.
  SendMessage(ListFrame().window, WM_CLOSE, 0, 0);
  platform::ExpectModal(platform::ModalKind::Dialog, "LIST_DIALOG6",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  FrameOpenFrom(ListFrame(), LayoutFrame());
  platform::CheckModalScript();
  EXPECT_FALSE(IsWindowVisible(ListFrame().window));
}

TEST_F(LayoutWiringTest, AFrameClosingTheMessageOverTheLayoutRedrawsTheEditedCell) {
  TypeSmallModel();
  SetTableMessageSink(nullptr);
  TableGoTo(table(), 4);  // its DX is empty
  TableSetColumn(table(), 3);
  Type("1E");
  // The script fails a dialog its action leaves open: the 301 must close it.
  bool redrawn = false;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [&](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog).at(0), "DX =  1E  is invalid");
    ShowWindow(dialog, SW_SHOWNORMAL);  // as it is by the time a user can switch frames
    ValidateRect(LayoutTableWindow(), nullptr);
    // What another frame does when it gets the focus.
    SendMessage(frame(), WM_COMMAND, 301, 0);
    RECT update{};
    const POINT centre = CellCentre(4, 3);
    const RECT cell{centre.x, centre.y, centre.x + 1, centre.y + 1};
    RECT both{};
    redrawn = GetUpdateRect(LayoutTableWindow(), &update, FALSE) && IntersectRect(&both, &update, &cell);
  });
  Key(VK_TAB);
  platform::CheckModalScript();
  EXPECT_TRUE(redrawn);
  EXPECT_EQ(table().currentColumn, 3);  // the refused cell keeps the caret
}

TEST_F(LayoutWiringTest, OneUserActionLeavesOneUndoStepAndNoneThatChangesNothing) {
  TypeSmallModel();
  // A whole typed row is one step.
  int undo = UndoDepth();
  TypeRow({"40", "", "", "", "80"});
  ASSERT_EQ(TheModel().rowCount, 5);
  EXPECT_EQ(UndoDepth(), undo + 1);
  // One undo takes the row away, and the steps before it each change the model.
  Command(40050);
  EXPECT_EQ(TheModel().rowCount, 4);
  const int redo = RedoDepth();
  ASSERT_GT(redo, 0);
  // A double click on an offset whose dialog is cancelled leaves neither
  // an undo step nor a lost redo.
  undo = UndoDepth();
  platform::ExpectModal(platform::ModalKind::Dialog, "DX_DY_DZ_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  DoubleClick(3, 3);
  platform::CheckModalScript();
  EXPECT_EQ(UndoDepth(), undo);
  EXPECT_EQ(RedoDepth(), redo);
  // So does a double click on the Node column, which opens nothing.
  DoubleClick(3, 1);
  EXPECT_EQ(UndoDepth(), undo);
  EXPECT_EQ(RedoDepth(), redo);
  // OK with the offsets as shown changes nothing either.
  platform::ExpectModal(platform::ModalKind::Dialog, "DX_DY_DZ_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  DoubleClick(3, 4);
  platform::CheckModalScript();
  EXPECT_EQ(UndoDepth(), undo);
  EXPECT_EQ(RedoDepth(), redo);
  Command(40051);
  EXPECT_EQ(TheModel().rowCount, 5);
}

}  // namespace
