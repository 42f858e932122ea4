// The Layout table's editors, checks and popup menus on the List fixture's
// model: the current row followed by the List window, the bend and branch
// checks with their messages, the column popups read item by item and
// through a scripted popup, and the stand-ins that refuse.
#include "editing/LayoutEditors.h"
#include "editing/LayoutTable.h"
#include "editing/NodeList.h"
#include "elements/BellowsList.h"
#include "elements/KindTable.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "properties/MaterialsTable.h"
#include "properties/SectionsTable.h"

#include <ostream>
#include "services/ListFrameState.h"

// Readable failures: the id and the text of each item.
inline void PrintTo(const LayoutMenuItem& item, std::ostream* out) { *out << item.command << " \"" << item.text << '"'; }

namespace {

using Items = std::vector<LayoutMenuItem>;

class LayoutEditorsTest : public ListFixture {
 protected:
  void TearDown() override {
    SetTableResultsShown(false);
    ListFixture::TearDown();
  }
  static LayoutTable& Layout() { return TheLayoutTable(); }
  static void Remake() {
    MakeModel(TheModel());
    ShowModelWindows();
  }
  static void GoTo(int row) { TableGoTo(Layout(), row); }
  // One message dialog whose single line is `line`, closed with OK.
  static void ExpectMessage(const std::string& line) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [line](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog).at(0), line);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  static HWND Owner() { return LayoutFrame().window; }
  // The opener the List menu offers under `label` (null when not offered).
  static ListOpener RegisteredOpener(const std::string& label) {
    BuildListMenu();
    for (const ListMenuEntry& entry : ListMenuEntries())
      if (entry.label == label) return entry.opener;
    return nullptr;
  }
  static TableWindow* FirstListTable() { return TableOfWindow(ListTableWindow(0)); }
};

TEST_F(LayoutEditorsTest, TheListWindowFollowsTheCurrentLayoutRow) {
  ShowListByOpener(OpenNodeList);
  ShowModelWindows();
  SetFocus(Layout().Window());
  // Moving in the Layout table moves the node list to the row's node.
  GoTo(4);
  EXPECT_EQ(TheModel().currentRow, 4);
  EXPECT_EQ(TheNodeList().currentRow, 4);
  EXPECT_EQ(TheNodeList().RowNode(TheNodeList().currentRow), 40);
  // Made current from elsewhere: both windows go to it.
  SetCurrentLayoutRow(2);
  EXPECT_EQ(Layout().currentRow, 2);
  EXPECT_EQ(TheNodeList().currentRow, 2);
  // Beyond the spare row is clamped to it.
  SetCurrentLayoutRow(99);
  EXPECT_EQ(TheModel().currentRow, 6);
}

TEST_F(LayoutEditorsTest, BendCheckStopsAtTheFirstInvalidBend) {
  Model& model = TheModel();
  // Two bends whose legs run straight on: no arc fits, both are invalid.
  AddRow(model, 50, ElementType::Bend, 12.0f);  // row 6
  AddRow(model, 60, ElementType::Pipe, 12.0f);
  AddRow(model, 70, ElementType::Bend, 12.0f);  // row 8
  AddRow(model, 80, ElementType::Pipe, 12.0f);
  Remake();
  ExpectMessage("Bend at Row #  6  is invalid.");
  EXPECT_EQ(CheckBends(Owner()), 6);
  EXPECT_EQ(TheModel().currentRow, 6);
  EXPECT_EQ(Layout().currentRow, 6);
}

TEST_F(LayoutEditorsTest, BendCheckPassesSquareBendsWithLongLegs) {
  Model& model = TheModel();
  // 90-degree turns with 48 in legs; the long radius of a 4 in pipe (6 in)
  // takes 6 in of each leg.
  AddRow(model, 50, ElementType::Bend, 48.0f);
  AddRow(model, 60, ElementType::Pipe, 0.0f, 48.0f);
  Remake();
  ExpectMessage("All bends are OK.");
  EXPECT_EQ(CheckBends(Owner()), 0);
}

TEST_F(LayoutEditorsTest, BranchCheckReportsEachPointWithoutSif) {
  ExpectMessage("No Branch Points to check");
  EXPECT_EQ(CheckBranchSifs(Owner()), 0);

  Model& model = TheModel();
  AddRow(model, 20, ElementType::From);  // row 6: a branch off node 20
  AddRow(model, 50, ElementType::Pipe, 0.0f, 12.0f);
  AddRow(model, 30, ElementType::From);  // row 8: a branch off node 30
  AddRow(model, 60, ElementType::Pipe, 0.0f, 0.0f, 12.0f);
  Remake();
  ExpectMessage("Branch SIF not defined at Node 20");
  ExpectMessage("Branch SIF not defined at Node 30");
  EXPECT_EQ(CheckBranchSifs(Owner()), 2);
  EXPECT_EQ(TheModel().currentRow, 3);  // the row that made node 30

  PutItem(model, 3, DataType::BranchSif);
  Remake();
  ExpectMessage("Branch SIF not defined at Node 20");
  EXPECT_EQ(CheckBranchSifs(Owner()), 1);
  EXPECT_EQ(TheModel().currentRow, 2);

  PutItem(model, 2, DataType::BranchSif);
  Remake();
  ExpectMessage("All Branch Points are defined with SIF.");
  EXPECT_EQ(CheckBranchSifs(Owner()), 0);
}

TEST_F(LayoutEditorsTest, ElementPopupsNameTheKind) {
  Model& model = TheModel();
  AddRow(model, 50, ElementType::Bellows, 12.0f);  // row 6
  AddRow(model, 60, ElementType::Rigid, 12.0f);    // row 7
  AddRow(model, 70, ElementType::HingeJoint, 12.0f);
  AddRow(model, 80, ElementType::JacketedPipe, 12.0f);
  Remake();
  GoTo(6);
  EXPECT_EQ(LayoutPopupMenuItems(Layout(), 2), (Items{{201, "&Edit Bellows"}, {236, "&List Bellows"}}));
  GoTo(7);
  EXPECT_EQ(LayoutPopupMenuItems(Layout(), 2),
            (Items{{201, "&Edit Rigid Element"}, {236, "&List Rigid Elements"}}));
  GoTo(8);
  EXPECT_EQ(LayoutPopupMenuItems(Layout(), 2), (Items{{201, "&Edit Hinge Joint"}, {236, "&List Hinge Joints"}}));
  GoTo(9);
  EXPECT_EQ(LayoutPopupMenuItems(Layout(), 2),
            (Items{{201, "&Edit Jacketed pipe"}, {236, "&List Jacketed pipes"}}));
  // In results the element is shown, not edited.
  SetTableResultsShown(true);
  GoTo(6);
  EXPECT_EQ(LayoutPopupMenuItems(Layout(), 2).at(0).text, "&Show Bellows");
  SetTableResultsShown(false);
  // From rows and comment rows have no menu; the node column lists coordinates.
  GoTo(1);
  EXPECT_TRUE(LayoutPopupMenuItems(Layout(), 2).empty());
  EXPECT_EQ(LayoutPopupMenuItems(Layout(), 1), (Items{{187, "&List coordinates"}}));
  GoTo(5);
  for (int column = 1; column <= 9; ++column) EXPECT_TRUE(LayoutPopupMenuItems(Layout(), column).empty());
}

TEST_F(LayoutEditorsTest, DataAndPropertyPopups) {
  Model& model = TheModel();
  PutItem(model, 3, DataType::ConcentratedMass);
  PutItem(model, 4, DataType::Spider);
  Remake();
  GoTo(3);
  EXPECT_EQ(LayoutPopupMenuItems(Layout(), 9),
            (Items{{202, "&Edit Conc mass"}, {238, "&Delete Conc mass"}, {237, "&List Conc masses"}}));
  GoTo(4);
  EXPECT_EQ(LayoutPopupMenuItems(Layout(), 9), (Items{{238, "&Delete Spider"}, {237, "&List Jacket connections"}}));
  // Row 2 names material CS, which exists.
  GoTo(2);
  EXPECT_EQ(LayoutPopupMenuItems(Layout(), 6),
            (Items{{280, "&Select Material"}, {283, "&Edit Material"}, {188, "&List Materials"}}));
  model.row(2).load = "NONE";
  EXPECT_EQ(LayoutPopupMenuItems(Layout(), 8), (Items{{282, "&Select Load"}, {190, "&List Loads"}}));
  // Offsets: a pipe after a pipe can be combined.
  GoTo(3);
  EXPECT_EQ(LayoutPopupMenuItems(Layout(), 4), (Items{{40027, "&Edit..."},
                                                     {128, "&Insert"},
                                                     {279, "&Delete..."},
                                                     {129, "&Split..."},
                                                     {40048, "Com&bine..."},
                                                     {385, "&Slope..."}}));
  SetTableResultsShown(true);
  EXPECT_TRUE(LayoutPopupMenuItems(Layout(), 4).empty());
}

TEST_F(LayoutEditorsTest, ScriptedPopupShowsTheItemsAndSendsTheChoice) {
  AddRow(TheModel(), 50, ElementType::Bellows, 12.0f);
  Remake();
  GoTo(6);
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Edit Bellows",
                        [](HWND) { platform::TestKeyPress(VK_ESCAPE); });
  ShowLayoutPopupMenu(Layout(), 2);
  platform::CheckModalScript();
  // Its mnemonic chooses the list item; the Layout frame carries it out.
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Edit Bellows", [](HWND) { platform::TestKeyPress('L'); });
  ShowLayoutPopupMenu(Layout(), 2);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(CurrentListOpener(), &OpenBellowsList);
  // A bend row beeps in the data column and shows no menu (no modal expected).
  AddRow(TheModel(), 60, ElementType::Bend, 12.0f);
  Remake();
  GoTo(7);
  ShowLayoutPopupMenu(Layout(), 9);
  platform::CheckModalScript();
}

// A left click on the DX heading opens the offsets popup under the mouse,
// not at the corner of the screen: the click stores no popup point of its
// own.
TEST_F(LayoutEditorsTest, TheOffsetHeadingsPopupOpensWhereTheHeadingWasClicked) {
  Remake();
  GoTo(3);
  LayoutTable& table = Layout();
  const POINT click{table.x[3] + 6, table.headingHeight / 2};
  POINT screen = click;
  ClientToScreen(table.Window(), &screen);
  ASSERT_GT(screen.x + screen.y, 40) << "the table sits at the corner of the screen: the test would prove nothing";
  RECT popup{};
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Edit...", [&popup](HWND menu) {
    GetWindowRect(menu, &popup);
    platform::TestKeyPress(VK_ESCAPE);
  });
  platform::TestMouse(table.Window(), WM_LBUTTONDOWN, click.x, click.y);
  platform::TestMouse(table.Window(), WM_LBUTTONUP, click.x, click.y);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(popup.left, screen.x);
  EXPECT_EQ(popup.top, screen.y);
  EXPECT_EQ(table.currentRow, 3);
}

// The popups' "&List ..." items (236, 237) reach the Layout frame and show
// the list of the row's kind on the row's entry.
TEST_F(LayoutEditorsTest, TheListItemsOfThePopupsShowTheListOfTheRowsKind) {
  Model& model = TheModel();
  const int bend = AddRow(model, 50, ElementType::Bend, 0.0f, 12.0f);  // row 6
  AddRow(model, 60, ElementType::Pipe, 0.0f, 0.0f, 12.0f);
  PutItem(model, 7, DataType::Anchor);
  PutItem(model, 2, DataType::Weld);
  Remake();
  GoTo(7);
  platform::ExpectModal(platform::ModalKind::PopupMenu, "Edit Anchor", [](HWND) { platform::TestKeyPress('L'); });
  ShowLayoutPopupMenu(Layout(), 9);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(CurrentListOpener(), RegisteredOpener("&Anchors"));
  EXPECT_TRUE(IsWindowVisible(ListFrame().window));
  ASSERT_NE(FirstListTable(), nullptr);
  EXPECT_EQ(FirstListTable()->CellText(FirstListTable()->currentRow, 1, 0), "60");
  GoTo(bend);
  SendMessage(Owner(), WM_COMMAND, 236, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(CurrentListOpener(), RegisteredOpener("&Bends"));
  EXPECT_EQ(FirstListTable()->CellText(FirstListTable()->currentRow, 1, 0), "50");
  // The weld's row shows the welds on its entry.
  GoTo(2);
  SendMessage(Owner(), WM_COMMAND, 237, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(CurrentListOpener(), RegisteredOpener("&Welds"));
  EXPECT_EQ(FirstListTable()->CellText(FirstListTable()->currentRow, 1, 0), "20");
  EXPECT_FALSE(TheModel().modified);
}

// Every data kind's row reaches its own list (jacket connections need a
// jacketed pipe: left out here).
TEST_F(LayoutEditorsTest, EveryDataKindsRowShowsItsList) {
  Model& model = TheModel();
  for (std::int32_t code = 1; code <= kDataTypeLast; ++code) {
    const auto type = static_cast<DataType>(code);
    if (type == DataType::Spider || type == DataType::JacketEndCap) continue;
    PutItem(model, 2, type);
    Remake();
    GoTo(2);
    SendMessage(Owner(), WM_COMMAND, 237, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    const DataKindModule* kind = DataKindModuleOf(type);
    ASSERT_NE(kind, nullptr) << code;
    EXPECT_EQ(CurrentListOpener(), kind->openList) << kind->listLabel;
  }
}

TEST_F(LayoutEditorsTest, PropertyEditorsAndPickersOpenTheirDialogs) {
  Remake();
  GoTo(2);
  ASSERT_EQ(Layout().currentRow, 2);
  auto cancel = [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); };
  platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL3_DIALOG", cancel);
  EditRowMaterial(Layout());
  platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", cancel);
  SelectSectionDialog(Layout());
  platform::ExpectModal(platform::ModalKind::Dialog, "LOAD_DIALOG", cancel);
  EditRowLoad(Layout());
  // A name without a record opens nothing.
  TheModel().row(2).load = "NONE";
  EditRowLoad(Layout());
  platform::CheckModalScript();
  EXPECT_FALSE(CanUndo());
  EXPECT_EQ(TheModel().row(2).material, "CS");
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(LayoutEditorsTest, DoubleClicksAndHeadingsReachTheRowsEditors) {
  PutItem(TheModel(), 3, DataType::Spider);
  PutItem(TheModel(), 2, DataType::Weld);
  Remake();
  // The data column opens the row's item dialog.
  GoTo(2);
  Layout().currentColumn = 9;
  platform::ExpectModal(platform::ModalKind::Dialog, "WELD_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  Layout().DoubleClick();
  GoTo(4);
  Layout().currentColumn = 2;
  platform::ExpectModal(platform::ModalKind::Dialog, "VALVE_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  Layout().DoubleClick();
  EXPECT_EQ(Layout().currentColumn, 2);
  // A hydrotest load row edits its element from any column, with column 1 current.
  AddRow(TheModel(), 0, ElementType::HydrotestLoad);
  Remake();
  GoTo(6);
  Layout().currentColumn = 1;
  platform::ExpectModal(platform::ModalKind::Dialog, "HYDROTEST_LOAD_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  Layout().DoubleClick();
  platform::CheckModalScript();
  EXPECT_EQ(Layout().currentColumn, 1);
  // A spider has no dialog: nothing opens, but the caret moves to the data.
  GoTo(3);
  Layout().currentColumn = 4;
  EditRowDataType(Layout());
  EXPECT_EQ(Layout().currentColumn, 9);
  // The property headings open their lists.
  Layout().HeadingClicked(6);
  platform::RunUntilIdle();
  EXPECT_EQ(CurrentListOpener(), &OpenMaterialsTable);
  Layout().HeadingClicked(7);
  platform::RunUntilIdle();
  EXPECT_EQ(CurrentListOpener(), &OpenSectionsTable);
  platform::CheckModalScript();
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(LayoutEditorsTest, PrintingAnEmptyLayoutDoesNothing) {
  TheModel().rowCount = 0;
  PrintLayout();
  platform::CheckModalScript();
}

}  // namespace
