// The nozzle dialog driven from the Layout window's data cell, as a user
// does it: the vessel type buttons re-laying the dialog, every message of
// bad input with the dialog kept open and nothing stored, the note of a
// thin nozzle that still stores, the springs computed at OK, OK without a
// change leaving the model unmodified; then the "Nozzles" and "Nozzle
// stiffnesses" lists opened from the List menu, their cells, and the
// printed lines of the stored nozzle.
#include <gtest/gtest.h>

#include "editing/LayoutTable.h"
#include "elements/KindTable.h"
#include "model/ListTesting.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/Frame.h"
#include "services/Units.h"
#include "supports/Nozzle.h"
#include "supports/NozzleStiffness.h"
#include "supports/OtherSupportLists.h"

namespace {

class NozzleDialogTest : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    MakeModel(TheModel());
    ShowModelWindows();
  }
  static void EditNew(int row) {
    RunDataKindDialog(LayoutFrame().window, row, DataType::Nozzle, 0);
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
  static void Press(HWND dialog, int item) { SendMessage(GetDlgItem(dialog, item), BM_CLICK, 0, 0); }
  static bool Shown(HWND dialog, int item) { return IsWindowVisible(GetDlgItem(dialog, item)) != 0; }
  static void Refused(HWND dialog, const std::string& line) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [line](HWND box) {
      EXPECT_EQ(LinesOfDialog(box).at(0), line);
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindow(dialog)) << line;
  }
  static void FillCylinder(HWND dialog) {
    Set(dialog, 1301, "8.625");
    Set(dialog, 1302, "0.5");
    Set(dialog, 1303, "48");
    Set(dialog, 1304, "0.5");
    Set(dialog, 1305, "5");  // feet: 60 inch
    Set(dialog, 1306, "5");
    Set(dialog, 1307, "29e6");
    Set(dialog, 1309, "1");
  }
  static const Nozzle* NozzleAt(int row) { return dynamic_cast<const Nozzle*>(TheModel().row(row).item.get()); }
};

TEST_F(NozzleDialogTest, TheVesselButtonsReLayTheDialogAndBadInputIsRefused) {
  platform::ExpectModal(platform::ModalKind::Dialog, "NOZZLE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Nozzle at node 30");
    EXPECT_TRUE(IsDlgButtonChecked(dialog, 1104) == BST_CHECKED);
    EXPECT_FALSE(Shown(dialog, 1102));
    EXPECT_TRUE(Shown(dialog, 1306));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1001)));  // no nozzle yet
    EXPECT_EQ(Field(dialog, 1607), UnitLabel(kUnitModulus));
    Press(dialog, 1101);  // flat-bottom tank
    EXPECT_TRUE(Shown(dialog, 1102));
    EXPECT_EQ(Field(dialog, 1505), "L");
    EXPECT_FALSE(Shown(dialog, 1306));
    Press(dialog, 1103);  // sphere
    EXPECT_EQ(Field(dialog, 1503), "R");
    EXPECT_FALSE(Shown(dialog, 1305));
    EXPECT_FALSE(Shown(dialog, 1102));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1308)));
    Press(dialog, 1104);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1308)));
    Refused(dialog, "Nozzle OD is required");
    FillCylinder(dialog);
    Set(dialog, 1301, "abc");
    Refused(dialog, "Nozzle OD =  ABC  is invalid");
    Set(dialog, 1301, "8.625");
    Set(dialog, 1302, "5");
    Refused(dialog, "Thickness is greater than radius");
    Set(dialog, 1302, "0.5");
    Set(dialog, 1303, "6");
    Refused(dialog, "Nozzle OD > Vessel OD");
    Set(dialog, 1303, "48");
    Set(dialog, 1306, "");
    Refused(dialog, "L2 is required");
    Set(dialog, 1306, "5");
    Set(dialog, 1307, "-1");
    Refused(dialog, "Elastic modulus =  -1  is invalid");
    Set(dialog, 1307, "0");
    Refused(dialog, "Elastic modulus =  0  is invalid");
    Set(dialog, 1307, "29e6");
    Set(dialog, 1309, "");
    Refused(dialog, "Direction is invalid");
    Set(dialog, 1309, "1");
    Press(dialog, 1101);
    Set(dialog, 1303, "2000");
    Refused(dialog, "Nozzle OD/Vessel OD < 0.005");
    Set(dialog, 1303, "400");
    Set(dialog, 1305, "0.5");  // 6 inch: L/OD below 1
    Refused(dialog, "L/Nozzle OD < 1.0");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EditNew(3);
  EXPECT_EQ(NozzleAt(3), nullptr);
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(NozzleDialogTest, AThinNozzleShowsTheNoteAndIsStoredWithItsSprings) {
  platform::ExpectModal(platform::ModalKind::Dialog, "NOZZLE_DIALOG", [](HWND dialog) {
    FillCylinder(dialog);
    Set(dialog, 1302, "0.4");  // t/T 0.8
    Set(dialog, 1311, "N-1");
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE3_DIALOG", [](HWND box) {
      const auto lines = LinesOfDialog(box);
      ASSERT_EQ(lines.size(), 3u);
      EXPECT_EQ(lines[0], "Nozzle Thickness (t) / Vessel Thickness (T) = 0.800000 ");
      EXPECT_EQ(lines[1], "Note: The Local Vessel Stiffnesses as per WRC Bulletin 297 are valid ");
      EXPECT_EQ(lines[2], "when t/T ratio is greater than or approximately equal to 1.0");
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditNew(3);
  const Nozzle* nozzle = NozzleAt(3);
  ASSERT_NE(nozzle, nullptr);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(nozzle->tag, "N-1");
  EXPECT_EQ(nozzle->l1, 60.0f);
  EXPECT_EQ(nozzle->vesselAxis, (std::array<float, 3>{0.0f, 1.0f, 0.0f}));
  Nozzle expected;
  expected.nozzleOd = 8.625f;
  expected.nozzleThickness = 0.4f;
  expected.vesselOd = 48.0f;
  expected.vesselThickness = 0.5f;
  expected.l1 = expected.l2 = 60.0f;
  expected.elasticModulus = 29.0e6f;
  ComputeNozzleStiffness(expected);
  EXPECT_GT(expected.axialStiffness, 0.0f);
  EXPECT_EQ(nozzle->axialStiffness, expected.axialStiffness);
  EXPECT_EQ(nozzle->circumferentialStiffness, expected.circumferentialStiffness);
  EXPECT_EQ(nozzle->longitudinalStiffness, expected.longitudinalStiffness);
  // Opened again from the data cell: the values shown, OK changes nothing.
  TheModel().modified = false;
  platform::ExpectModal(platform::ModalKind::Dialog, "NOZZLE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1311), "N-1");
    EXPECT_EQ(Field(dialog, 1309), "1.000");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1001)));
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE3_DIALOG",
                          [](HWND box) { SendMessage(box, WM_COMMAND, IDOK, 0); });
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditData(3);
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(NozzleDialogTest, TheListsShowTheNozzleAndItsSprings) {
  PutItem(TheModel(), 3, DataType::Nozzle);
  auto& nozzle = static_cast<Nozzle&>(*TheModel().row(3).item);
  nozzle.flatBottom = 1;
  nozzle.reinforcingPad = 1;
  nozzle.nozzleOd = 16.0f;
  nozzle.nozzleThickness = 1.0f;
  nozzle.vesselOd = 801.0f;
  nozzle.vesselThickness = 1.0f;
  nozzle.l1 = 16.0f;
  nozzle.elasticModulus = 29.0e6f;
  nozzle.vesselAxis = {0.0f, 1.0f, 0.0f};
  nozzle.tag = "T-9";
  ComputeNozzleStiffness(nozzle);
  MakeModel(TheModel());
  EXPECT_EQ(nozzle.CellText(2), "T-9");
  EXPECT_EQ(nozzle.CellText(3), "Flat");
  EXPECT_EQ(nozzle.CellText(4), "Yes");
  EXPECT_EQ(nozzle.CellText(10), "");  // a tank has no L2
  EXPECT_EQ(nozzle.CellText(12), "");
  EXPECT_EQ(nozzle.CellText(13), "1.000");
  // From the List menu: the nozzles, then their springs.
  OpenNozzlesList();
  TableWindow& list = NozzlesListTable();
  EXPECT_EQ(list.CellText(1, 1, 0), "30");
  EXPECT_EQ(list.CellText(1, 3, 0), "Flat");
  EXPECT_EQ(list.HeadingText(5, 1), UnitLabel(kUnitDimension));
  OpenNozzleStiffnessesList();
  TableWindow& springs = NozzleStiffnessesListTable();
  EXPECT_EQ(springs.CellText(1, 2, 0), "Flat");
  EXPECT_EQ(springs.CellText(1, 3, 0), std::string(FormatStiffnessOrRigid(nozzle.axialStiffness)).substr(
                                           std::string(FormatStiffnessOrRigid(nozzle.axialStiffness)).find_first_not_of(' ')));
  EXPECT_EQ(springs.HeadingText(4, 0), "Circumferential (kmc)");
  // The printed details.
  const std::string details = DescribeNozzle(3, true);
  EXPECT_EQ(details.rfind(",Flat bottom = Yes, L = ", 0), 0u) << details;
  EXPECT_NE(details.find(",Reinforcing pad = Yes,Axial stiffness = "), std::string::npos) << details;
  EXPECT_NE(DescribeNozzle(3, false).find("\nLongitudinal    bending stiffness ="), std::string::npos);
}

}  // namespace
