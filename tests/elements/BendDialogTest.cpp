// The bend dialogs reached as a user reaches them: a double click on the
// type column of a bend row in the Layout table. BEND1_DIALOG for a code
// with one SIF, BEND2_DIALOG for separate SIFs and B31J; every field
// message, the warning that lets a small radius pass, the order of the
// intermediate nodes, OK without a change, Cancel and results mode; a row
// made a bend through the kind table; and Analyze refusing "Use B31J".
#include "model/ListTesting.h"

#include <cmath>

#include "elements/Bend.h"
#include "elements/KindTable.h"
#include "model/LayoutTable.h"
#include "model/LayoutWindow.h"
#include "model/RowOperations.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "shell/NumberText.h"
#include "shell/Units.h"

namespace {

// The fixture's rows with row 3 a bend at node 30 turning up toward node
// 40 (rows 2 and 4 are 12-inch legs; section S4 is 4.5 x 0.237, so the
// long radius is 6.75 and the short 4.5).
class BendDialogTest : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    Model& model = TheModel();
    model.options.PipingCode = 1;  // one SIF
    SetElementType(model, 3, ElementType::Bend);
    model.row(4).dx = 0.0f;
    model.row(4).dy = 12.0f;
    MakeModel(model);
    model.modified = false;
    ShowModelWindows();
  }
  void TearDown() override {
    SetTableResultsShown(false);
    ListFixture::TearDown();
  }
  static LayoutTable& Layout() { return TheLayoutTable(); }
  // A double click on the type column of `row`.
  static void EditType(int row) {
    TableGoTo(Layout(), row);
    Layout().currentColumn = 2;
    Layout().DoubleClick();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static std::string Field(HWND dialog, int item) { return TextOf(GetDlgItem(dialog, item)); }
  static bool Enabled(HWND dialog, int item) { return IsWindowEnabled(GetDlgItem(dialog, item)) != FALSE; }
  static bool Visible(HWND dialog, int item) { return IsWindowVisible(GetDlgItem(dialog, item)) != FALSE; }
  static bool ReadOnly(HWND dialog, int item) {
    return (GetWindowLongPtr(GetDlgItem(dialog, item), GWL_STYLE) & ES_READONLY) != 0;
  }
  static void Press(HWND dialog, int item) { SendMessage(GetDlgItem(dialog, item), BM_CLICK, 0, 0); }
  static void Expect(const std::string& templateName, const std::string& line) {
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, [line](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog).at(0), line);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  // OK must be refused with `message`, the focus on `item`.
  static void ExpectRefused(HWND dialog, const std::string& message, int item) {
    Expect("MESSAGE1_DIALOG", message);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindowVisible(dialog)) << message;
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, item)) << message;
  }
  static Bend& BendAt(int row) { return static_cast<Bend&>(*TheModel().row(row).element); }
};

TEST_F(BendDialogTest, TheDialogOpensOnTheBendAndStoresWhatIsTyped) {
  platform::ExpectModal(platform::ModalKind::Dialog, "BEND1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Bend at node 30");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1401), BST_CHECKED);
    EXPECT_FALSE(Enabled(dialog, 1301));
    EXPECT_EQ(Field(dialog, 1301), "");
    EXPECT_EQ(Field(dialog, 1601), UnitLabel(kUnitDimension));
    EXPECT_EQ(Field(dialog, 1603), UnitLabel(kUnitAngle));
    EXPECT_EQ(Field(dialog, 1303), "");  // computed
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1302));
    SetDlgItemText(dialog, 1302, "0.3");
    SendDlgItemMessage(dialog, 1201, CB_SETCURSEL, 1, 0);  // CS
    SetDlgItemText(dialog, 1303, "2.5");
    SetDlgItemText(dialog, 1304, "1.0");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditType(3);
  const Bend& bend = BendAt(3);
  EXPECT_FLOAT_EQ(bend.thickness, 0.3f);
  EXPECT_EQ(bend.material, "CS");
  EXPECT_FLOAT_EQ(bend.flexibilityFactor, 2.5f);
  EXPECT_FLOAT_EQ(bend.inPlaneSif, 1.0001f);  // an SIF of 1.0 marks a fitting without intensification
  EXPECT_FLOAT_EQ(bend.outPlaneSif, 1.0001f);
  EXPECT_FLOAT_EQ(bend.radius, 6.75f);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_TRUE(CanUndo());
  // Reopened: the values are shown; OK without a change leaves no trace.
  TheModel().modified = false;
  const int depth = UndoDepth();
  platform::ExpectModal(platform::ModalKind::Dialog, "BEND1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1302), FormatDimension(0.3f));
    EXPECT_EQ(SendDlgItemMessage(dialog, 1201, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Field(dialog, 1303), "2.5");
    EXPECT_EQ(Field(dialog, 1304), FormatSif(1.0001));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditType(3);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), depth);
  // Cancel keeps everything.
  platform::ExpectModal(platform::ModalKind::Dialog, "BEND1_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1303, "7");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EditType(3);
  EXPECT_FLOAT_EQ(BendAt(3).flexibilityFactor, 2.5f);
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(BendDialogTest, EveryFieldFaultKeepsTheDialogOpenOnItsField) {
  platform::ExpectModal(platform::ModalKind::Dialog, "BEND1_DIALOG", [](HWND dialog) {
    Press(dialog, 1403);  // User: the radius opens
    EXPECT_TRUE(Enabled(dialog, 1301));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    ExpectRefused(dialog, "Radius is required", 1301);
    SetDlgItemText(dialog, 1301, "0.099");
    ExpectRefused(dialog, "Radius =  0.099  is invalid", 1301);
    SetDlgItemText(dialog, 1301, "8");
    SetDlgItemText(dialog, 1302, "2.3");
    ExpectRefused(dialog, "Thickness is greater than section radius", 1302);
    SetDlgItemText(dialog, 1302, "");
    SetDlgItemText(dialog, 1303, "0");
    ExpectRefused(dialog, "Flexibility factor =  0  is invalid", 1303);
    SetDlgItemText(dialog, 1303, "");
    SetDlgItemText(dialog, 1304, "0.99");
    ExpectRefused(dialog, "SIF value is less than 1.00", 1304);
    SetDlgItemText(dialog, 1304, "x");
    ExpectRefused(dialog, "SIF value =  X  is invalid", 1304);
    SetDlgItemText(dialog, 1304, "");
    SetDlgItemText(dialog, 1306, "30");
    ExpectRefused(dialog, "Node =  30  This node is already defined", 1306);
    SetDlgItemText(dialog, 1306, "20");  // another row's node
    ExpectRefused(dialog, "Node =  20  This node is already defined", 1306);
    SetDlgItemText(dialog, 1306, "31A");
    ExpectRefused(dialog, "Node =  31A  Node should not have a suffix", 1306);
    SetDlgItemText(dialog, 1306, "31");
    ExpectRefused(dialog, "Angle is required", 1307);
    SetDlgItemText(dialog, 1307, "2");  // degrees: below 0.08 rad
    ExpectRefused(dialog, "Angle =  2  is too small", 1307);
    SetDlgItemText(dialog, 1307, "88");  // beyond the 90 degree arc less 0.08 rad
    ExpectRefused(dialog, "Angle =  88  is too large", 1307);
    SetDlgItemText(dialog, 1307, "30");
    SetDlgItemText(dialog, 1308, "31");
    SetDlgItemText(dialog, 1309, "45");
    ExpectRefused(dialog, "Node is same as previous node", 1308);
    SetDlgItemText(dialog, 1308, "32");
    SetDlgItemText(dialog, 1309, "30");
    ExpectRefused(dialog, "Angle is same as previous angle", 1309);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EditType(3);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(BendAt(3).radiusType, kBendRadiusLong);
}

TEST_F(BendDialogTest, NodesAreOrderedOnTheArcAndASmallRadiusOnlyWarns) {
  platform::ExpectModal(platform::ModalKind::Dialog, "BEND1_DIALOG", [](HWND dialog) {
    Press(dialog, 1403);
    SetDlgItemText(dialog, 1301, "4");  // below the 4.5 in diameter
    Expect("MESSAGE1_DIALOG", "Bend radius < Section OD");
    SetDlgItemText(dialog, 1308, "35");  // only the second node
    SetDlgItemText(dialog, 1309, "30");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditType(3);
  Bend& bend = BendAt(3);
  EXPECT_EQ(bend.radiusType, kBendRadiusUser);
  EXPECT_FLOAT_EQ(bend.radius, 4.0f);
  EXPECT_EQ(bend.intermediateNode1, 35);
  EXPECT_EQ(bend.intermediateNode2, 0);
  EXPECT_NEAR(bend.angle1, 30.0 / 57.29578, 1.0e-5);
  // The model was made again: node 35 lies on the arc, 4 inches from its centre.
  const NodeRecord& on = NodeById(TheModel(), 35);
  EXPECT_NEAR(std::hypot(on.x - bend.centre[0], on.y - bend.centre[1]), 4.0, 1.0e-4);
  // Two nodes given out of order are swapped.
  platform::ExpectModal(platform::ModalKind::Dialog, "BEND1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), FormatDimension(4.0f));
    EXPECT_EQ(Field(dialog, 1306), "35");
    SetDlgItemText(dialog, 1306, "36");
    SetDlgItemText(dialog, 1307, "60");
    SetDlgItemText(dialog, 1308, "37");
    SetDlgItemText(dialog, 1309, "20");
    Expect("MESSAGE1_DIALOG", "Bend radius < Section OD");  // at every OK
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditType(3);
  EXPECT_EQ(bend.intermediateNode1, 37);
  EXPECT_EQ(bend.intermediateNode2, 36);
  EXPECT_LT(bend.angle1, bend.angle2);
}

TEST_F(BendDialogTest, SeparateSifsAndB31JTakeTheSecondDialog) {
  TheModel().options.PipingCode = 3;  // B31.3: separate SIFs and the axial SIF
  platform::ExpectModal(platform::ModalKind::Dialog, "BEND2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1142), "&Flexibility Factor");
    EXPECT_FALSE(Visible(dialog, 1310));
    EXPECT_FALSE(Visible(dialog, 1141));
    EXPECT_TRUE(Enabled(dialog, 1311));
    EXPECT_FALSE(Enabled(dialog, 1312));
    SetDlgItemText(dialog, 1304, "2");
    SetDlgItemText(dialog, 1305, "2.5");
    SetDlgItemText(dialog, 1311, "1.5");
    SetDlgItemText(dialog, 1312, "3");  // disabled: not read
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditType(3);
  const Bend& bend = BendAt(3);
  EXPECT_FLOAT_EQ(bend.outPlaneSif, 2.5f);
  EXPECT_FLOAT_EQ(bend.axialSif, 1.5f);
  EXPECT_EQ(bend.torsionSif, 0.0f);
  EXPECT_EQ(bend.outPlaneFlexibilityFactor, -1.0f);
  TheModel().options.UseB31J = 1;
  platform::ExpectModal(platform::ModalKind::Dialog, "BEND2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1142), "&Flexibility Factor: In Plane");
    EXPECT_TRUE(Visible(dialog, 1310));
    EXPECT_TRUE(Enabled(dialog, 1312));
    EXPECT_EQ(Field(dialog, 1305), FormatSif(2.5));
    SetDlgItemText(dialog, 1303, "3");
    SetDlgItemText(dialog, 1310, "4");
    ExpectRefused(dialog, "Inplane FF should be equal to Outplane FF", 1310);
    SetDlgItemText(dialog, 1310, "3");
    SetDlgItemText(dialog, 1312, "1.2");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditType(3);
  EXPECT_FLOAT_EQ(bend.outPlaneFlexibilityFactor, 3.0f);
  EXPECT_FLOAT_EQ(bend.torsionSif, 1.2f);
}

TEST_F(BendDialogTest, InResultsTheDialogOnlyShowsAndARowIsMadeABendByTheKindTable) {
  SetTableResultsShown(true);
  platform::ExpectModal(platform::ModalKind::Dialog, "BEND1_DIALOG", [](HWND dialog) {
    for (int item : {1302, 1303, 1304, 1306, 1307}) EXPECT_TRUE(ReadOnly(dialog, item)) << item;
    for (int item : {1401, 1402, 1403, 1201}) EXPECT_FALSE(Enabled(dialog, item)) << item;
    SetDlgItemText(dialog, 1303, "9");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EditType(3);
  EXPECT_EQ(BendAt(3).flexibilityFactor, -1.0f);
  EXPECT_FALSE(TheModel().modified);
  SetTableResultsShown(false);
  // A pipe row given the bend kind: OK with every field empty makes a
  // long-radius bend with the section's radius.
  platform::ExpectModal(platform::ModalKind::Dialog, "BEND1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Bend at node 20");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(RunElementKindDialog(nullptr, 2, ElementType::Bend));
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().row(2).elementType, ElementType::Bend);
  EXPECT_EQ(BendAt(2).radiusType, kBendRadiusLong);
  EXPECT_FLOAT_EQ(BendAt(2).radius, 6.75f);
}

TEST_F(BendDialogTest, AnalyzeRefusesAModelThatUsesB31J) {
  TheModel().options.UseB31J = 1;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog),
              (std::vector<std::string>{"The analysis does not support the option \"Use B31J\" yet.",
                                        "Turn it off in the analysis options to analyze this model."}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  LayoutCommand(LayoutFrame().window, 108);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_FALSE(TheModel().modified);
}

}  // namespace
