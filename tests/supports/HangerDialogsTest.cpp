// The hanger dialogs driven from the Layout window and the data-type
// chooser's subtypes, as a user does it: the dialog of the row's kind, every
// message of bad input with the dialog kept open, the values stored (a load
// variation of 0 stored as 25, an empty number as 1), a rod hanger's stored
// number and connected node shown and kept whole past the typing limits, OK
// without a change leaving the model unmodified; then the "Hangers" and
// "Threaded Joints" lists and the printed details.
#include <gtest/gtest.h>

#include "editing/LayoutTable.h"
#include "elements/KindTable.h"
#include "model/ListTesting.h"
#include "model/RowOperations.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/Frame.h"
#include "services/Units.h"
#include "supports/Hanger.h"
#include "supports/OtherSupportLists.h"

namespace {

class HangerDialogsTest : public ListFixture {
 protected:
  // Row 2 carries a designed hanger.
  void SetUp() override {
    ListFixture::SetUp();
    SetDataType(TheModel(), 2, DataType::Hanger);
    MakeModel(TheModel());
    ShowModelWindows();
    TheModel().modified = false;
  }
  static void Edit(int row, std::int32_t subtype) {
    RunDataKindDialog(LayoutFrame().window, row, DataType::Hanger, subtype);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static void EditData(int row) {
    TableGoTo(TheLayoutTable(), row);
    TheLayoutTable().currentColumn = 9;
    TheLayoutTable().DoubleClick();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static std::string Field(HWND dialog, int item) { return TextOf(GetDlgItem(dialog, item)); }
  static void Set(HWND dialog, int item, const std::string& text) { SetDlgItemText(dialog, item, text.c_str()); }
  static void Refused(HWND dialog, const std::string& line) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [line](HWND box) {
      EXPECT_EQ(LinesOfDialog(box).at(0), line);
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindow(dialog)) << line;
  }
  static Hanger& At(int row) { return static_cast<Hanger&>(*TheModel().row(row).item); }
};

TEST_F(HangerDialogsTest, TheDesignedHangerDialogChecksAndStoresItsValues) {
  platform::ExpectModal(platform::ModalKind::Dialog, "HANGER_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Hanger at node 20");
    EXPECT_EQ(SendMessage(GetDlgItem(dialog, 1201), CB_GETCURSEL, 0, 0), 15);  // Grinnell
    EXPECT_EQ(Field(dialog, 1301), "1");
    EXPECT_EQ(Field(dialog, 1302), "25");
    Set(dialog, 1301, "0");
    Refused(dialog, "Number of Hangers =  0  is invalid");
    Set(dialog, 1301, "2");
    Set(dialog, 1302, "-5");
    Refused(dialog, "Load Variation =  -5  is invalid");
    Set(dialog, 1302, "0");
    Set(dialog, 1303, "20");
    Refused(dialog, "Node cannot be connected to itself");
    Set(dialog, 1303, "");
    SendMessage(GetDlgItem(dialog, 1201), CB_SETCURSEL, 17, 0);  // Lisega
    SendMessage(GetDlgItem(dialog, 1102), BM_CLICK, 0, 0);         // below
    Set(dialog, 1304, "HG-7");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditData(2);
  const Hanger& h = At(2);
  EXPECT_EQ(h.kind, 18);
  EXPECT_EQ(h.numberOfHangers, 2);
  EXPECT_EQ(h.maximumLoadVariation, 25);
  EXPECT_EQ(h.above, 0);
  EXPECT_EQ(h.tag, "HG-7");
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(h.CellText(3), "Lisega");
  EXPECT_EQ(h.CellText(5), "25");
  EXPECT_EQ(h.CellText(7), "");  // only user hangers show a rate
}

// Choosing a catalogue whose load table is not held says so at once; the
// held one is chosen without a word.
TEST_F(HangerDialogsTest, ChoosingACatalogueWithoutItsTableSaysSo) {
  std::vector<std::string> lines;
  platform::ExpectModal(platform::ModalKind::Dialog, "HANGER_DIALOG", [&lines](HWND dialog) {
    auto choose = [dialog](int index) {
      SendMessage(GetDlgItem(dialog, 1201), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1201, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1201)));
    };
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [&lines](HWND box) {
      lines = LinesOfDialog(box);
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    choose(17);  // Lisega
    choose(15);  // Grinnell, whose table is held
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EditData(2);
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(lines[0].find("\"Lisega\" is not available"), std::string::npos) << lines[0];
}

TEST_F(HangerDialogsTest, AUserHangerTakesItsRateLoadAndColdLoadType) {
  platform::ExpectModal(platform::ModalKind::Dialog, "USER_HANGER_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "User Hanger at node 30");
    EXPECT_EQ(Field(dialog, 1601), UnitLabel(kUnitStiffness));
    EXPECT_TRUE(IsDlgButtonChecked(dialog, 1401) == BST_CHECKED);  // Hot preset
    Set(dialog, 1301, "soft");
    Refused(dialog, "Spring rate =  SOFT  is invalid");
    Set(dialog, 1301, "200");
    Set(dialog, 1303, "heavy");
    Refused(dialog, "Hanger load =  HEAVY  is invalid");
    Set(dialog, 1303, "1500");
    SendMessage(GetDlgItem(dialog, 1402), BM_CLICK, 0, 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Edit(3, 1);
  const Hanger& h = At(3);
  EXPECT_EQ(h.kind, kUserHanger);
  EXPECT_EQ(h.springRate, 200.0f);
  EXPECT_EQ(h.load, 1500.0f);
  EXPECT_EQ(h.loadType, 1);
  EXPECT_EQ(h.numberOfHangers, 1);
  EXPECT_EQ(h.CellText(9), "Cold");
}

TEST_F(HangerDialogsTest, ARodHangersStoredValuesStayWholePastTheTypingLimits) {
  Hanger& h = At(2);
  h.kind = kRodHanger;  // as the rod hanger dialog stores one
  h.maximumLoadVariation = 0;
  h.numberOfHangers = 12;
  h.connectedNode = 30;
  h.tag = "ROD";
  TheModel().modified = false;
  platform::ExpectModal(platform::ModalKind::Dialog, "ROD_HANGER_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Rod Hanger at node 20");
    EXPECT_EQ(Field(dialog, 1301), "12");
    EXPECT_EQ(Field(dialog, 1302), "30");
    EXPECT_EQ(Field(dialog, 1303), "ROD");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditData(2);
  EXPECT_EQ(At(2).numberOfHangers, 12);
  EXPECT_FALSE(TheModel().modified);
  // A constant support from the chooser's subtype: an empty number is 1.
  platform::ExpectModal(platform::ModalKind::Dialog, "CONSTANT_SUPPORT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Constant Support at node 20");
    Set(dialog, 1301, "-1");
    Refused(dialog, "Number of Hangers =  -1  is invalid");
    Set(dialog, 1301, "");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Edit(2, 3);
  EXPECT_EQ(At(2).kind, kConstantSupport);
  EXPECT_EQ(At(2).numberOfHangers, 1);
  EXPECT_EQ(At(2).tag, "ROD");
  EXPECT_TRUE(TheModel().modified);
}

TEST_F(HangerDialogsTest, TheListsShowHangersAndThreadedJoints) {
  Hanger& h = At(2);
  h.kind = kUserHanger;
  h.springRate = 150.0f;
  h.load = 800.0f;
  h.numberOfHangers = 2;
  PutItem(TheModel(), 3, DataType::ThreadedJoint);
  MakeModel(TheModel());
  OpenHangersList();
  TableWindow& list = HangersListTable();
  EXPECT_EQ(list.CellText(1, 1, 0), "20");
  EXPECT_EQ(list.CellText(1, 3, 0), "User hanger");
  EXPECT_EQ(list.CellText(1, 4, 0), "2");
  EXPECT_EQ(list.CellText(1, 9, 0), "Hot");
  EXPECT_EQ(list.HeadingText(7, 1), UnitLabel(kUnitStiffness));
  const std::string csv = DescribeHanger(2, true);
  EXPECT_EQ(csv.rfind(",User Hanger,2,,", 0), 0u) << csv;
  EXPECT_NE(DescribeHanger(2, false).find("User hanger"), std::string::npos);
  OpenThreadedJointsList();
  EXPECT_EQ(ThreadedJointsListTable().CellText(1, 1, 0), "30");
  EXPECT_EQ(ThreadedJointsListTable().HeadingText(1, 0), "Node");
  // A threaded joint has no values: editing it opens nothing and changes
  // nothing.
  TheModel().modified = false;
  TableWindowEditItem(ThreadedJointsListTable().Window());
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().row(3).dataType, DataType::ThreadedJoint);
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(HangerDialogsTest, TheHangersListTakesTypedCellsAsTheDialogReadsThem) {
  Model& model = TheModel();
  ChooseList("&Hangers");
  TableWindow& list = HangersListTable();
  ASSERT_EQ(list.rowCount, 1);
  for (int column : {2, 4, 5, 6}) EXPECT_TRUE(list.IsCellEditable(1, column)) << column;
  for (int column : {1, 3, 7, 8, 9, 10}) EXPECT_FALSE(list.IsCellEditable(1, column)) << column;
  auto type = [&list](int column, const std::string& text) {
    list.currentColumn = column;
    TableLoadEditBuffer(list);
    list.editBuffer = text;
    list.editChanged = true;
    TableCommitEdit(list);
  };
  TableGoToRow(list, 1);
  type(4, "3");
  type(5, "0");
  type(6, "Y");
  type(2, "H-9");
  EXPECT_EQ(At(2).numberOfHangers, 3);
  EXPECT_EQ(At(2).maximumLoadVariation, 25);  // 0 is stored as 25
  EXPECT_EQ(At(2).shortRange, 1);
  EXPECT_EQ(At(2).tag, "H-9");
  EXPECT_TRUE(model.modified);
  messages.clear();
  type(4, "0");
  EXPECT_EQ(messages, (std::vector<std::string>{"Number of Hangers =  0  is invalid"}));
  EXPECT_EQ(At(2).numberOfHangers, 3);
  // A rod hanger has no variation or short range to type.
  At(2).kind = kRodHanger;
  EXPECT_FALSE(list.IsCellEditable(1, 5));
  EXPECT_FALSE(list.IsCellEditable(1, 6));
}

}  // namespace
