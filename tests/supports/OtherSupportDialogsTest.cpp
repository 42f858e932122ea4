// The dialogs of guides, limit stops, skewed restraints, snubbers and
// generic supports driven from the Layout window's data cell, as a user
// does it: what a new item shows, the messages of bad input with the
// dialog kept open and nothing stored, the buttons that fill fields (the
// vertical, the generic support's group B unit that rewrites its coupling
// terms), OK without a change leaving no undo step, and the lists and
// printed lines of the stored items; the skewed restraints list storing a
// stiffness typed in its cell as its dialog reads it.
#include <gtest/gtest.h>

#include "editing/LayoutTable.h"
#include "elements/KindTable.h"
#include "model/ListTesting.h"
#include "model/RowOperations.h"
#include "model/UndoFiles.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/Frame.h"
#include "services/Units.h"
#include "supports/GenericSupport.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"
#include "supports/OtherSupportLists.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

class OtherSupportDialogsTest : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    SetDataType(TheModel(), 2, DataType::Guide);
    MakeModel(TheModel());
    ShowModelWindows();
  }
  // The dialog of a kind the row does not carry yet, as the data-type
  // chooser opens it.
  static void EditNew(int row, DataType type) {
    RunDataKindDialog(LayoutFrame().window, row, type, 0);
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
  // OK refused with `line`: the dialog stays.
  static void Refused(HWND dialog, const std::string& line) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [line](HWND box) {
      EXPECT_EQ(LinesOfDialog(box).at(0), line);
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindow(dialog)) << line;
  }
};

TEST_F(OtherSupportDialogsTest, TheGuideDialogRefusesBadInputAndStoresItsValues) {
  platform::ExpectModal(platform::ModalKind::Dialog, "GUIDE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Guide at node 20");
    EXPECT_EQ(Field(dialog, 1302), "Rigid");
    EXPECT_EQ(Field(dialog, 1602), UnitLabel(kUnitStiffness));
    Set(dialog, 1301, "-0.3");
    Refused(dialog, "Friction coeff =  -0.3  is invalid");
    Set(dialog, 1301, "0.3");
    Set(dialog, 1302, "");
    Refused(dialog, "Stiffness is required");
    Set(dialog, 1302, "rig");
    Set(dialog, 1303, "-1");
    Refused(dialog, "Gap =  -1  is invalid");
    Set(dialog, 1303, "0.5");
    Set(dialog, 1304, "20");
    Refused(dialog, "Node cannot be connected to itself");
    Set(dialog, 1304, "10");
    Set(dialog, 1305, "G-1");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditData(2);
  const Guide& guide = static_cast<const Guide&>(*TheModel().row(2).item);
  EXPECT_EQ(guide.frictionCoefficient, 0.3f);
  EXPECT_EQ(guide.stiffness, 1.0e12f);
  EXPECT_TRUE(guide.IsNonlinear());
  EXPECT_EQ(guide.connectedNode, 10);
  EXPECT_EQ(guide.tag, "G-1");
  EXPECT_TRUE(TheModel().modified);
  // The list shows it, and the text report line.
  EXPECT_EQ(guide.CellText(3), "0.300");
  EXPECT_EQ(guide.CellText(6), "10");
  // Node at 6, friction ending at 24, stiffness at 42.
  EXPECT_EQ(DescribeGuide(2), "     20            0.300                 Rigid");
}

TEST_F(OtherSupportDialogsTest, ALimitStopNeedsALimitAndADirection) {
  platform::ExpectModal(platform::ModalKind::Dialog, "LIMIT_STOP_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Limit stop at node 30");
    EXPECT_EQ(Field(dialog, 1307), "Rigid");
    EXPECT_EQ(Field(dialog, 1304), "1.000");  // Y vertical
    Set(dialog, 1302, "none");
    Set(dialog, 1301, "");
    Refused(dialog, "No limits are specified");
    Set(dialog, 1302, "1");
    Set(dialog, 1301, "-1");
    Refused(dialog, "Lower limit > upper limit");
    Set(dialog, 1301, "None");
    Set(dialog, 1304, "");
    Refused(dialog, "Direction is required");
    Press(dialog, 1001);  // &Vertical: lower limit 0, +Y
    EXPECT_EQ(Field(dialog, 1304), "1.000");
    EXPECT_EQ(Field(dialog, 1302), FormatDisplacementOrNone(0.0f));
    Set(dialog, 1306, "0.25");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditNew(3, DataType::LimitStop);
  ASSERT_EQ(TheModel().row(3).dataType, DataType::LimitStop);
  const LimitStop& stop = static_cast<const LimitStop&>(*TheModel().row(3).item);
  EXPECT_EQ(stop.lowerLimit, 0.0f);
  EXPECT_EQ(stop.upperLimit, 1.0e30f);
  EXPECT_EQ(stop.dirY, 1.0f);
  EXPECT_EQ(stop.frictionCoefficient, 0.25f);
  EXPECT_EQ(stop.CellText(4), "None");

  // OK without a change leaves no undo step.
  TheModel().modified = false;
  platform::ExpectModal(platform::ModalKind::Dialog, "LIMIT_STOP_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  EditData(3);
  EXPECT_FALSE(TheModel().modified);
}

// A negative friction coefficient has no meaning (the run would fail on a
// stiffness that is not positive definite): OK refuses it, as the guide's
// dialog does, with the field focused, and the stop keeps its values.
TEST_F(OtherSupportDialogsTest, ALimitStopRefusesANegativeFrictionCoefficient) {
  Model& model = TheModel();
  SetDataType(model, 3, DataType::LimitStop);
  auto& stop = static_cast<LimitStop&>(*model.row(3).item);
  stop.dirY = 1.0f;
  stop.lowerLimit = 0.0f;
  stop.frictionCoefficient = 0.25f;
  model.modified = false;
  const int depth = UndoDepth();
  platform::ExpectModal(platform::ModalKind::Dialog, "LIMIT_STOP_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1306), "0.250");
    Set(dialog, 1306, "-0.3");
    Refused(dialog, "Friction coefficient =  -0.3  is invalid");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1306));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EditData(3);
  EXPECT_EQ(stop.frictionCoefficient, 0.25f);
  EXPECT_EQ(stop.dirY, 1.0f);
  EXPECT_EQ(stop.lowerLimit, 0.0f);
  EXPECT_FALSE(model.modified);
  EXPECT_EQ(UndoDepth(), depth);
}

TEST_F(OtherSupportDialogsTest, SnubberAndSkewedRestraintDialogs) {
  SetDataType(TheModel(), 3, DataType::Snubber);
  platform::ExpectModal(platform::ModalKind::Dialog, "SNUBBER_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Snubber at node 30");
    Set(dialog, 1301, "Rigid");
    Refused(dialog, "Direction is invalid");
    Set(dialog, 1304, "2");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditData(3);
  EXPECT_EQ(static_cast<const Snubber&>(*TheModel().row(3).item).dirZ, 2.0f);
  // Node at 6, stiffness at 14, Z comp ending at 48.
  EXPECT_EQ(DescribeSnubber(3), "     30      Rigid                         2.000");

  SetDataType(TheModel(), 3, DataType::SkewedRestraint);
  platform::ExpectModal(platform::ModalKind::Dialog, "SKEWED_RESTRAINT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1601), UnitLabel(kUnitStiffness));
    Press(dialog, 1402);  // rotational: the unit follows
    EXPECT_EQ(Field(dialog, 1601), UnitLabel(kUnitRotStiffness));
    Set(dialog, 1301, "0");
    Refused(dialog, "Stiffness is required");
    Set(dialog, 1301, "R");
    Press(dialog, 1126);  // Shear y of the pipe along X: the vertical
    EXPECT_EQ(Field(dialog, 1302), "");
    EXPECT_EQ(Field(dialog, 1303), "1.000");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditData(3);
  const SkewedRestraint& skewed = static_cast<const SkewedRestraint&>(*TheModel().row(3).item);
  EXPECT_EQ(skewed.rotational, 1);
  EXPECT_EQ(skewed.stiffness, 1.0e12f);
  EXPECT_EQ(skewed.dirY, 1.0f);
  EXPECT_EQ(skewed.CellText(3), "Rotational");
}

TEST_F(OtherSupportDialogsTest, TheGenericSupportShowsItsCouplingInTheChosenUnit) {
  platform::ExpectModal(platform::ModalKind::Dialog, "GENERIC_SUPPORT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Generic Support at node 30");
    EXPECT_EQ(Field(dialog, 1301), "Rigid");   // K11
    EXPECT_EQ(Field(dialog, 1302), "0");        // K12 (group A, off the diagonal)
    EXPECT_EQ(Field(dialog, 1304), "0");        // K14 (group B)
    SendDlgItemMessage(dialog, 1202, CB_SETCURSEL, 1, 0);  // (lb/rad)
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1202, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1202)));
    Set(dialog, 1304, "57.29578");
    SendDlgItemMessage(dialog, 1202, CB_SETCURSEL, 0, 0);  // (lb/deg): the same stiffness
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1202, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1202)));
    EXPECT_EQ(Field(dialog, 1304), "1");
    Set(dialog, 1301, "-5");
    Refused(dialog, "K(1,1) =  -5  is invalid");
    Set(dialog, 1301, "r");
    // Held to the rule of a stored value per radian: 6E37 per degree is
    // 3.4E39, 1E-39 per degree 5.7E-38.
    Set(dialog, 1304, "6E37");
    Refused(dialog, "K(1,4) =  6E37  is invalid");
    Set(dialog, 1304, "1E-39");
    Refused(dialog, "K(1,4) =  1E-39  is invalid");
    Set(dialog, 1304, "1");
    Set(dialog, 1302, "-5");  // off the diagonal a negative term is allowed
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditNew(3, DataType::GenericSupport);
  const GenericSupport& generic = static_cast<const GenericSupport&>(*TheModel().row(3).item);
  EXPECT_EQ(generic.Term(1, 1), static_cast<double>(1.0e12f));
  EXPECT_NEAR(generic.Term(1, 4), 57.29578, 1.0e-3);  // lb/rad inside
  EXPECT_LT(generic.Term(1, 2), 0.0);
  EXPECT_EQ(generic.groupBUnitIndex, 0);
  EXPECT_EQ(FormatGenericSupportStiffness(1.0e12f, 0), "Rigid");
  EXPECT_EQ(FormatGenericSupportStiffness(0.0f, 0), "0");
}

TEST_F(OtherSupportDialogsTest, TheSkewedRestraintsListStoresATypedStiffnessByItsType) {
  Model& model = TheModel();
  SetDataType(model, 3, DataType::SkewedRestraint);
  auto& translational = static_cast<SkewedRestraint&>(*model.row(3).item);
  translational.dirY = 1.0f;
  translational.stiffness = 500.0f;
  SetDataType(model, 4, DataType::SkewedRestraint);
  auto& rotational = static_cast<SkewedRestraint&>(*model.row(4).item);
  rotational.rotational = 1;
  rotational.dirX = 1.0f;
  rotational.stiffness = 1000.0f;
  MakeModel(model);
  model.modified = false;
  ChooseList("&Skewed restraints");
  TableWindow& list = SkewedRestraintsListTable();
  ASSERT_EQ(list.rowCount, 2);
  // Only the stiffness takes typed text.
  EXPECT_TRUE(list.IsCellEditable(1, 4));
  for (int column : {1, 2, 3, 5, 6, 9}) EXPECT_FALSE(list.IsCellEditable(1, column)) << column;
  auto type = [&list](const std::string& text) {
    list.currentColumn = 4;
    TableLoadEditBuffer(list);
    list.editBuffer = text;
    list.editChanged = true;
    TableCommitEdit(list);
  };
  TableGoToRow(list, 1);
  type("250");
  EXPECT_FLOAT_EQ(static_cast<const SkewedRestraint&>(*model.row(3).item).stiffness, 250.0f);
  EXPECT_TRUE(model.modified);
  EXPECT_TRUE(CanUndo());
  // Refusals say why and keep the value.
  messages.clear();
  type("1x");
  type("0");
  type("-5");
  EXPECT_EQ(messages, (std::vector<std::string>{"Stiffness =  1x  is invalid", "Stiffness is required",
                                                "Stiffness =  -5  is invalid"}));
  EXPECT_FLOAT_EQ(static_cast<const SkewedRestraint&>(*model.row(3).item).stiffness, 250.0f);
  type("r");
  EXPECT_EQ(static_cast<const SkewedRestraint&>(*model.row(3).item).stiffness, 1.0e12f);
  EXPECT_EQ(list.CellText(1, 4, 0), "Rigid");
  // The rotational one reads the rotational stiffness unit.
  TableGoToRow(list, 2);
  type("10");
  float expected = 0.0f;
  ASSERT_EQ(ParseRotStiffness("10", expected), 0);
  EXPECT_FLOAT_EQ(static_cast<const SkewedRestraint&>(*model.row(4).item).stiffness, expected);
  EXPECT_NE(expected, 10.0f);  // not the translational unit's value
  // The same value again leaves no undo step.
  const int depth = UndoDepth();
  type("10");
  EXPECT_EQ(UndoDepth(), depth);
}

// The generic supports list gives each support six lines, one per matrix
// row: every line's cells are measured (a "Rigid" on the diagonal below the
// first line gets room), the six term columns share one width, and each
// line names the units of its terms.
TEST_F(OtherSupportDialogsTest, TheGenericSupportsListMeasuresEveryLineOfItsMatrix) {
  Model& model = TheModel();
  SetDataType(model, 3, DataType::GenericSupport);
  auto& generic = static_cast<GenericSupport&>(*model.row(3).item);
  generic.terms[static_cast<std::size_t>(GenericSupport::TermIndex(1, 2))] = 0.0f;
  MakeModel(model);
  ShowListByOpener(OpenGenericSupportsList);
  platform::RunUntilIdle();
  TableWindow& list = GenericSupportsListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.CellText(1, 4, 0), "0");
  EXPECT_EQ(list.CellText(1, 4, 1), "Rigid");  // K22
  EXPECT_EQ(list.CellText(1, 8, 5), "Rigid");  // K66
  EXPECT_EQ(list.CellText(1, 3, 1), "");       // below the diagonal
  for (int column = 4; column <= 8; ++column)
    EXPECT_EQ(list.widths[static_cast<std::size_t>(column)], list.widths[3]) << column;
  EXPECT_EQ(list.CellText(1, 9, 0), "K11/K12/K13 = (lb/inch); K14/K15/K16 = (lb/deg)");
  EXPECT_EQ(list.CellText(1, 9, 5), "K66 = (in-lb/deg)");
}

// A group B unit the dialog never stores (read from a damaged or foreign
// file, negative or above the last unit) is put right before the support's
// lines are shown, after the question; the model is then modified.
TEST_F(OtherSupportDialogsTest, TheGenericSupportsListRepairsAGroupBUnitOutOfRange) {
  Model& model = TheModel();
  SetDataType(model, 3, DataType::GenericSupport);
  auto& generic = static_cast<GenericSupport&>(*model.row(3).item);
  for (const std::int32_t unit : {6, -1}) {
    generic.groupBUnitIndex = unit;
    MakeModel(model);
    model.modified = false;
    std::string question;
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [&question](HWND box) {
      for (const std::string& line : LinesOfDialog(box)) question += line + " ";
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    ShowListByOpener(OpenGenericSupportsList);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    EXPECT_NE(question.find("Rotational stiffness units for Generic Support at node 30 is invalid"), std::string::npos)
        << question;
    EXPECT_EQ(generic.groupBUnitIndex, 0) << unit;
    EXPECT_TRUE(model.modified);
    EXPECT_EQ(GenericSupportsListTable().CellText(1, 9, 0), "K11/K12/K13 = (lb/inch); K14/K15/K16 = (lb/deg)");
  }
}

}  // namespace
