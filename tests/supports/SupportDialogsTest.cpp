// The anchor and restraint dialogs reached as a user reaches them: a double
// click on the Layout table's data column, or typing the kind into it. OK
// stores through the dialog's checks; OK with nothing changed, Cancel and
// results mode leave the model, its modified flag and the undo stack as
// they were; field faults keep the dialog open with their message.
#include "model/ListTesting.h"

#include "editing/LayoutTable.h"
#include "elements/KindTable.h"
#include "model/RowOperations.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/Units.h"
#include "supports/Anchor.h"
#include "supports/DisplacementSets.h"
#include "supports/Restraint.h"

namespace {

class SupportDialogsTest : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    MakeModel(TheModel());
    ShowModelWindows();
  }
  void TearDown() override {
    SetTableResultsShown(false);
    ListFixture::TearDown();
  }
  static LayoutTable& Layout() { return TheLayoutTable(); }
  // A double click on the data column of `row`.
  static void EditData(int row) {
    TableGoTo(Layout(), row);
    Layout().currentColumn = 9;
    Layout().DoubleClick();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static std::string Field(HWND dialog, int item) { return TextOf(GetDlgItem(dialog, item)); }
  static bool ReadOnly(HWND dialog, int item) {
    return (GetWindowLongPtr(GetDlgItem(dialog, item), GWL_STYLE) & ES_READONLY) != 0;
  }
  // A button pressed as the keyboard's space bar does it.
  static void Press(HWND dialog, int item) { SendMessage(GetDlgItem(dialog, item), BM_CLICK, 0, 0); }
  static bool Checked(HWND dialog, int item) { return IsDlgButtonChecked(dialog, item) == BST_CHECKED; }
  static void ExpectMessage(const std::string& line) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [line](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog).at(0), line);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  static const Anchor& AnchorAt(int row) { return static_cast<const Anchor&>(*TheModel().row(row).item); }
};

TEST_F(SupportDialogsTest, ANewAnchorIsRigidAndOkWithoutAChangeStoresNothing) {
  platform::ExpectModal(platform::ModalKind::Dialog, "ANCHOR_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Anchor at node 10");
    EXPECT_EQ(Field(dialog, 1501), std::string("Translational stiffness ") + UnitLabel(kUnitStiffness));
    EXPECT_EQ(Field(dialog, 1502), std::string("Rotational stiffness ") + UnitLabel(kUnitRotStiffness));
    for (int item = 1301; item <= 1306; ++item) {
      EXPECT_EQ(Field(dialog, item), "Rigid") << item;
      EXPECT_TRUE(ReadOnly(dialog, item)) << item;
    }
    EXPECT_TRUE(Checked(dialog, 1107));
    EXPECT_FALSE(Checked(dialog, 1108));
    EXPECT_EQ(Field(dialog, 1503), "KX");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditData(1);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_FALSE(CanUndo());
}

TEST_F(SupportDialogsTest, ChangedValuesAreStoredAndRefusedOnesKeepTheDialogOpen) {
  platform::ExpectModal(platform::ModalKind::Dialog, "ANCHOR_DIALOG", [](HWND dialog) {
    Press(dialog, 1107);  // not rigid: the edits open
    EXPECT_FALSE(ReadOnly(dialog, 1301));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    SetDlgItemText(dialog, 1301, "abc");
    ExpectMessage("KX =  ABC  is invalid");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    for (int item = 1301; item <= 1306; ++item) SetDlgItemText(dialog, item, "0");
    ExpectMessage("No stiffnesses input");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindowVisible(dialog));
    SetDlgItemText(dialog, 1301, "1000");
    SetDlgItemText(dialog, 1306, "rig");  // a leading part of RIGID
    SetDlgItemText(dialog, 1307, "  A-12  ");
    Press(dialog, 1102);  // release Y
    Press(dialog, 1108);  // pipe axes: the releases lock, the labels turn local
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1101)));
    EXPECT_EQ(Field(dialog, 1503), "kx");
    EXPECT_EQ(Field(dialog, 1508), "kzz");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  g_UnitsSettings = UnitsSettings{};
  EditData(1);
  const Anchor& anchor = AnchorAt(1);
  EXPECT_FLOAT_EQ(anchor.stiffness[0], 1000.0f);
  EXPECT_EQ(anchor.stiffness[1], 0.0f);
  EXPECT_EQ(anchor.stiffness[5], 1.0e12f);
  EXPECT_EQ(anchor.tag, "A-12");
  EXPECT_EQ(anchor.releases, (std::array<std::uint8_t, 6>{0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(anchor.AnchorInPipeLcs, 1);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_TRUE(CanUndo());
  // Reopened: its values, not rigid, KX selected; Cancel changes nothing.
  const int depth = UndoDepth();
  TheModel().modified = false;
  platform::ExpectModal(platform::ModalKind::Dialog, "ANCHOR_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), FormatStiffnessOrRigid(1000.0f));
    EXPECT_EQ(Field(dialog, 1302), FormatStiffnessOrRigid(0.0f));
    EXPECT_EQ(Field(dialog, 1306), "Rigid");
    EXPECT_FALSE(Checked(dialog, 1107));
    EXPECT_TRUE(Checked(dialog, 1108));
    EXPECT_TRUE(Checked(dialog, 1102));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1102)));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    SetDlgItemText(dialog, 1307, "changed");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EditData(1);
  EXPECT_EQ(AnchorAt(1).tag, "A-12");
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), depth);
}

TEST_F(SupportDialogsTest, InResultsTheAnchorDialogOnlyShows) {
  SetTableResultsShown(true);
  platform::ExpectModal(platform::ModalKind::Dialog, "ANCHOR_DIALOG", [](HWND dialog) {
    for (int item = 1301; item <= 1307; ++item) EXPECT_TRUE(ReadOnly(dialog, item)) << item;
    for (int item = 1101; item <= 1108; ++item) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, item))) << item;
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    SetDlgItemText(dialog, 1307, "T");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ASSERT_TRUE(RunDataKindDialog(nullptr, 1, DataType::Anchor) == false);
  platform::CheckModalScript();
  EXPECT_EQ(AnchorAt(1).tag, "");
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(SupportDialogsTest, DisplacementsAreReachedOnlyFromARowWithAnAnchor) {
  // Row 3 carries no anchor: the button is off.
  platform::ExpectModal(platform::ModalKind::Dialog, "ANCHOR_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Anchor at node 30");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1001)));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(RunDataKindDialog(nullptr, 3, DataType::Anchor));
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().row(3).dataType, DataType::None);
  // Row 1's anchor opens the set dialog for its row.
  platform::ExpectModal(platform::ModalKind::Dialog, "ANCHOR_DIALOG", [](HWND dialog) {
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1001)));
    // A displacement stored there makes the anchor's OK a change.
    platform::ExpectModal(platform::ModalKind::Dialog, SpecDisplDialogTemplate(), [](HWND set) {
      SetDlgItemText(set, 1301, "0.5");
      SendMessage(set, WM_COMMAND, IDOK, 0);
    });
    Press(dialog, 1001);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditData(1);
  EXPECT_TRUE(TheModel().modified);
  const auto& anchor = static_cast<const Anchor&>(*TheModel().row(1).item);
  ASSERT_TRUE(anchor.displacements.HasAny());
  EXPECT_EQ(anchor.displacements.flags[0], 1);
  EXPECT_FLOAT_EQ(anchor.displacements.sets->values[1], 0.5f);  // T1, X
}

TEST_F(SupportDialogsTest, ARestraintIsPlacedByTypingItsKindAndEditedInItsDialog) {
  TableGoTo(Layout(), 3);
  Layout().currentColumn = 9;
  TableLoadEditBuffer(Layout());
  Layout().editBuffer = "RESTRAINT";
  Layout().editChanged = true;
  platform::ExpectModal(platform::ModalKind::Dialog, "RESTRAINT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Restraint at node 30");
    for (int item = 1101; item <= 1103; ++item) EXPECT_FALSE(Checked(dialog, item));
    Press(dialog, 1101);
    Press(dialog, 1001);  // Vertical: Y alone (the model has Y up)
    EXPECT_FALSE(Checked(dialog, 1101));
    EXPECT_TRUE(Checked(dialog, 1102));
    EXPECT_FALSE(Checked(dialog, 1103));
    SetDlgItemText(dialog, 1301, " R-7 ");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  TableCommitEdit(Layout());
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().row(3).dataType, DataType::Restraint);
  const auto& restraint = static_cast<const Restraint&>(*TheModel().row(3).item);
  EXPECT_EQ(restraint.tag, "R-7");
  EXPECT_EQ(RestraintDirectionCode(restraint), 2);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_TRUE(CanUndo());
  // With Z vertical the button holds Z; OK with the stored values stores nothing.
  TheModel().options.ZVertical = 1;
  TheModel().modified = false;
  const int depth = UndoDepth();
  platform::ExpectModal(platform::ModalKind::Dialog, "RESTRAINT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), "R-7");
    Press(dialog, 1001);
    EXPECT_FALSE(Checked(dialog, 1102));
    EXPECT_TRUE(Checked(dialog, 1103));
    Press(dialog, 1001);
    CheckDlgButton(dialog, 1102, BST_CHECKED);
    CheckDlgButton(dialog, 1103, BST_UNCHECKED);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditData(3);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), depth);
  // Results mode: read-only, nothing stored.
  SetTableResultsShown(true);
  platform::ExpectModal(platform::ModalKind::Dialog, "RESTRAINT_DIALOG", [](HWND dialog) {
    EXPECT_TRUE(ReadOnly(dialog, 1301));
    for (int item : {1101, 1102, 1103, 1001}) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, item))) << item;
    CheckDlgButton(dialog, 1101, BST_CHECKED);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(RunDataKindDialog(nullptr, 3, DataType::Restraint));
  platform::CheckModalScript();
  EXPECT_EQ(RestraintDirectionCode(restraint), 2);
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(SupportDialogsTest, ACancelledKindDialogChangesNothing) {
  SetDataType(TheModel(), 2, DataType::Weld);
  TheModel().modified = false;
  platform::ExpectModal(platform::ModalKind::Dialog, "WELD_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  EditData(2);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().row(2).dataType, DataType::Weld);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_FALSE(CanUndo());
}

}  // namespace
