// The Layout window: its frame, menu and toolbars, the tooltips, the menu
// rules (piping code None, paste, results shown, undo and redo) and the row
// commands with their undo snapshots.
#include "editing/ModelWindows.h"
#include "files/FileCommands.h"
#include "model/LayoutTesting.h"
#include "platform/CommonDialog.h"
#include "platform/Toolbar.h"

namespace {

class LayoutWindowTest : public LayoutFixture {
 protected:
  HWND frame() { return LayoutFrame().window; }
  HMENU Popup(int position) {
    HMENU popup = GetSubMenu(GetMenu(frame()), position);
    SendMessage(frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), position);
    return popup;
  }
  static bool Grayed(HMENU popup, int id) { return (GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
  static bool Checked(HMENU popup, int id) { return (GetMenuState(popup, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
  static std::string ItemText(HMENU popup, int id) {
    char text[128] = {};
    GetMenuString(popup, id, text, sizeof text, MF_BYCOMMAND);
    return text;
  }
  void Command(int id) {
    LayoutCommand(frame(), id);
    platform::RunUntilIdle();
  }
};

TEST_F(LayoutWindowTest, TheFrameHoldsMenuToolbarsAndTheTable) {
  ASSERT_NE(frame(), nullptr);
  EXPECT_TRUE(IsWindowVisible(frame()));
  HMENU bar = GetMenu(frame());
  ASSERT_EQ(GetMenuItemCount(bar), 8);
  EXPECT_EQ(ItemText(GetSubMenu(bar, 0), 101), "&New...\tCtrl+N");
  EXPECT_EQ(ItemText(GetSubMenu(bar, 1), 40048), "Com&bine...\tCtrl+B");
  for (HWND toolbar : {LayoutFrame().smallToolbar, LayoutFrame().largeToolbar}) {
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(SendMessage(toolbar, TB_BUTTONCOUNT, 0, 0), 11);
  }
  EXPECT_EQ(LayoutFrame().client, LayoutTableWindow());
  EXPECT_EQ(TableOfWindow(LayoutTableWindow()), &table());
  char title[128] = {};
  GetWindowText(frame(), title, sizeof title);
  EXPECT_NE(std::string(title).find("Layout  (1)"), std::string::npos) << title;
}

TEST_F(LayoutWindowTest, TooltipsAndTheBackButtonFollowThePreviousFrame) {
  EXPECT_EQ(LayoutToolTipText(101), "New");
  EXPECT_EQ(LayoutToolTipText(131), "Zoom All");
  EXPECT_EQ(LayoutToolTipText(254), "Graphics Window");
  EXPECT_EQ(LayoutToolTipText(256), "List Window");
  LayoutFrame().previous_frame = &ResultsFrame();
  EXPECT_EQ(LayoutToolTipText(256), "Results Window");
  LayoutFrame().previous_frame = &MainFrame();
  EXPECT_EQ(LayoutToolTipText(256), "??? Window");
  EXPECT_EQ(LayoutToolTipText(999), "Unknown");
}

TEST_F(LayoutWindowTest, PipingCodeNoneGraysTheDynamicTablesAndLoads) {
  TheModel().options.PipingCode = 0;
  HMENU misc = Popup(5);
  for (int id : {193, 194, 195, 251, 376, 252, 397, 354, 40047}) EXPECT_TRUE(Grayed(misc, id)) << id;
  EXPECT_FALSE(Grayed(misc, 188));
  HMENU loads = Popup(4);
  for (int id : {40044, 40045, 40046, 234, 223, 235}) EXPECT_TRUE(Grayed(loads, id)) << id;
  EXPECT_FALSE(Grayed(loads, 233));
  EXPECT_FALSE(Grayed(loads, 232));
  EXPECT_EQ(ItemText(loads, 231), "&Load cases (" + std::to_string(TheModel().loadCases.count) + ") ...");
  TheModel().options.PipingCode = 3;
  misc = Popup(5);
  EXPECT_FALSE(Grayed(misc, 193));
}

TEST_F(LayoutWindowTest, PasteIsOfferedOnceAfterACopy) {
  TypeSmallModel();
  HMENU edit = Popup(1);
  EXPECT_TRUE(Grayed(edit, 364));
  TableGoTo(table(), 3);
  Command(363);
  edit = Popup(1);
  EXPECT_FALSE(Grayed(edit, 364));
  TableGoTo(table(), 4);
  TableSetColumn(table(), 6);
  row(4).material = "X";
  Command(364);  // one row, column 6: the material name only
  EXPECT_EQ(row(4).material, "A106");
  edit = Popup(1);
  EXPECT_TRUE(Grayed(edit, 364));
}

TEST_F(LayoutWindowTest, WhileResultsAreShownTheInputIsLeftAlone) {
  TypeSmallModel();
  SetTableResultsShown(true);
  HMENU file = Popup(0);
  EXPECT_TRUE(Grayed(file, 104));
  EXPECT_TRUE(Grayed(file, 105));
  EXPECT_EQ(ItemText(file, 108), "&Input\t F12");
  TableGoTo(table(), 3);
  const int rows = TheModel().rowCount;
  Command(128);
  EXPECT_EQ(TheModel().rowCount, rows);
  SetTableResultsShown(false);
  file = Popup(0);
  EXPECT_FALSE(Grayed(file, 104));
  EXPECT_EQ(ItemText(file, 108), "Analy&ze\t F12");
}

TEST_F(LayoutWindowTest, InsertTakesASnapshotThatUndoAndRedoFollow) {
  TypeSmallModel();
  const int undo = UndoDepth();
  HMENU edit = Popup(1);
  TableGoTo(table(), 1);
  edit = Popup(1);
  EXPECT_TRUE(Grayed(edit, 128));  // not on the title row
  TableGoTo(table(), 3);
  edit = Popup(1);
  EXPECT_FALSE(Grayed(edit, 128));
  Command(128);
  EXPECT_EQ(TheModel().rowCount, 5);
  EXPECT_EQ(row(3).node, 0);
  EXPECT_EQ(row(4).node, 20);
  EXPECT_EQ(UndoDepth(), undo + 1);
  EXPECT_TRUE(table().rowInserted);
  edit = Popup(1);
  EXPECT_FALSE(Grayed(edit, 40050));
  EXPECT_TRUE(Grayed(edit, 40051));
  Command(40050);
  EXPECT_EQ(TheModel().rowCount, 4);
  EXPECT_EQ(row(3).node, 20);
  edit = Popup(1);
  EXPECT_FALSE(Grayed(edit, 40051));
  Command(40051);
  EXPECT_EQ(TheModel().rowCount, 5);
  EXPECT_EQ(row(4).node, 20);
}

TEST_F(LayoutWindowTest, CombineMergesThePipeBeforeIntoTheCurrentRow) {
  TypeSmallModel();
  const float dx = row(3).dx;
  const float dy = row(4).dy;
  TableGoTo(table(), 4);
  HMENU edit = Popup(1);
  EXPECT_FALSE(Grayed(edit, 40048));
  Command(40048);
  ASSERT_EQ(TheModel().rowCount, 3);
  EXPECT_EQ(row(3).node, 30);
  EXPECT_EQ(row(3).dx, dx);
  EXPECT_EQ(row(3).dy, dy);
  EXPECT_EQ(table().currentRow, 3);
}

TEST_F(LayoutWindowTest, DeletingTheRowsDataIsUndoable) {
  TypeSmallModel();
  SetDataType(TheModel(), 3, DataType::Anchor);
  const int undo = UndoDepth();
  TableGoTo(table(), 3);
  Command(238);
  EXPECT_EQ(row(3).dataType, DataType::None);
  EXPECT_EQ(UndoDepth(), undo + 1);
  Command(238);  // nothing left to delete: no snapshot
  EXPECT_EQ(UndoDepth(), undo + 1);
}

TEST_F(LayoutWindowTest, TypeCommandsOpenThePickersAndFindTextItsPrompt) {
  TypeSmallModel();
  TableGoTo(table(), 3);
  const int undo = UndoDepth();
  platform::ExpectModal(platform::ModalKind::Dialog, "ETYPES_DIALOG", [](HWND dialog) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1403, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1403)));
  });
  Command(182);
  EXPECT_EQ(row(3).elementType, ElementType::Bend);
  EXPECT_EQ(UndoDepth(), undo + 1);
  platform::ExpectModal(platform::ModalKind::Dialog, "DTYPES_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  Command(183);
  EXPECT_EQ(UndoDepth(), undo + 1);  // a cancelled picker leaves no snapshot
  platform::ExpectModal(platform::ModalKind::Dialog, "FIND_TEXT_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  Command(40054);
}

// "&Guide" and "&Generic Support" share their letter: Alt+G moves to the
// one, Alt+G again to the other, and Return picks it.
TEST_F(LayoutWindowTest, ALetterTheDataTypesShareIsPressedUntilItsTypeHasTheFocus) {
  TypeSmallModel();
  TableGoTo(table(), 3);
  platform::ExpectModal(platform::ModalKind::Dialog, "DTYPES_DIALOG", [](HWND) {
    for (int press = 0; press < 2; ++press) {
      platform::TestKeyDown(VK_MENU);
      platform::TestKeyPress('G');
      platform::TestKeyUp(VK_MENU);
    }
    platform::TestKeyPress(VK_RETURN);
  });
  Command(183);
  platform::CheckModalScript();
  EXPECT_EQ(row(3).dataType, DataType::GenericSupport);
  EXPECT_NE(row(3).item, nullptr);
}

// The engineer's first road: open a model, type a row into the Layout
// table, save it under a new name, close it and open it again.
TEST_F(LayoutWindowTest, ATypedRowIsSavedClosedAndOpenedAgain) {
  const std::string folder = std::filesystem::path(std::getenv("TMPDIR")).string();
  const std::string source = folder + "/Start.mod";
  const std::string target = folder + "/Typed.mod";
  std::filesystem::copy_file(std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod", source);
  ASSERT_TRUE(OpenFileByExtension(nullptr, source));
  ShowModelWindows();
  platform::RunUntilIdle();
  const int rows = TheModel().rowCount;
  TableGoTo(table(), rows + 1);
  TypeRow({"", "", "", "", "-250"});
  ASSERT_EQ(TheModel().rowCount, rows + 1);
  const int node = row(rows + 1).node;
  // The sample shows lengths in feet: 250 ft is held as 3000 in.
  EXPECT_EQ(row(rows + 1).dz, -3000.0f);
  EXPECT_TRUE(TheModel().modified);

  platform::ExpectModal(platform::ModalKind::CommonDialog, "Save As", [target](HWND dialog) {
    SetDlgItemText(dialog, edt1, target.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  Command(105);
  EXPECT_EQ(TheModel().path, target);
  EXPECT_FALSE(TheModel().modified);
  Command(103);
  EXPECT_EQ(TheModel().rowCount, 0);

  ASSERT_TRUE(OpenFileByExtension(nullptr, target));
  ASSERT_EQ(TheModel().rowCount, rows + 1);
  EXPECT_EQ(row(rows + 1).node, node);
  EXPECT_EQ(row(rows + 1).dz, -3000.0f);
}

}  // namespace
