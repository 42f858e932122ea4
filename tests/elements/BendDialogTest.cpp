// The bend dialogs reached as a user reaches them: a double click on the
// type column of a bend row in the Layout table. BEND1_DIALOG for a code
// with one SIF, BEND2_DIALOG for separate SIFs and B31J; every field
// message, the warning that lets a small radius pass, the order of the
// intermediate nodes, OK without a change, Cancel and results mode; a row
// made a bend through the kind table.
#include "model/ListTesting.h"

#include <cmath>
#include <map>

#include "editing/LayoutTable.h"
#include "elements/Bend.h"
#include "elements/KindTable.h"
#include "model/RowOperations.h"
#include "platform/Window.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

// The fixture's rows with row 3 a bend at node 30 turning up toward node 40
// (12-inch legs; section S4 is 4.5 x 0.237: a long radius of 6.75).
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
  // The dialog of the double click on row 3's type, answered by `script`.
  template <typename Script>
  static void EditBend(const char* templateName, Script script) {
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, script);
    TableGoTo(TheLayoutTable(), 3);
    TheLayoutTable().currentColumn = 2;
    TheLayoutTable().DoubleClick();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static std::string Field(HWND dialog, int item) { return TextOf(GetDlgItem(dialog, item)); }
  static bool Enabled(HWND dialog, int item) { return IsWindowEnabled(GetDlgItem(dialog, item)) != FALSE; }
  static bool Visible(HWND dialog, int item) { return IsWindowVisible(GetDlgItem(dialog, item)) != FALSE; }
  static void Ok(HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); }
  static void ExpectMessage(const std::string& line) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [line](HWND message) {
      EXPECT_EQ(LinesOfDialog(message).at(0), line);
      Ok(message);
    });
  }
  static Bend& BendAt(int row) { return static_cast<Bend&>(*TheModel().row(row).element); }
};

TEST_F(BendDialogTest, TypedValuesAreStoredAndOkWithoutAChangeCancelAndResultsLeaveNoTrace) {
  EditBend("BEND1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Bend at node 30");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1401), BST_CHECKED);
    EXPECT_FALSE(Enabled(dialog, 1301));
    EXPECT_EQ(Field(dialog, 1601), UnitLabel(kUnitDimension));
    EXPECT_EQ(Field(dialog, 1603), UnitLabel(kUnitAngle));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1302));
    SetDlgItemText(dialog, 1302, "0.3");
    SendDlgItemMessage(dialog, 1201, CB_SETCURSEL, 1, 0);  // CS
    SetDlgItemText(dialog, 1303, "2.5");
    SetDlgItemText(dialog, 1304, "1.0");
    Ok(dialog);
  });
  Bend& bend = BendAt(3);
  EXPECT_EQ(std::make_tuple(bend.thickness, bend.material, bend.flexibilityFactor, bend.radius),
            std::make_tuple(0.3f, std::string("CS"), 2.5f, 6.75f));
  EXPECT_FLOAT_EQ(bend.inPlaneSif, 1.0001f);  // an SIF of 1.0 marks a fitting without intensification
  EXPECT_FLOAT_EQ(bend.outPlaneSif, 1.0001f);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_TRUE(CanUndo());
  TheModel().modified = false;
  const int depth = UndoDepth();
  EditBend("BEND1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1302), FormatDimension(0.3f));
    EXPECT_EQ(SendDlgItemMessage(dialog, 1201, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Field(dialog, 1303), "2.5");
    EXPECT_EQ(Field(dialog, 1304), FormatSif(1.0001));
    Ok(dialog);
  });
  EditBend("BEND1_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1303, "7");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  SetTableResultsShown(true);
  EditBend("BEND1_DIALOG", [](HWND dialog) {
    for (int item : {1302, 1303, 1304, 1306, 1307})
      EXPECT_TRUE(GetWindowLongPtr(GetDlgItem(dialog, item), GWL_STYLE) & ES_READONLY) << item;
    for (int item : {1401, 1402, 1403, 1201}) EXPECT_FALSE(Enabled(dialog, item)) << item;
    SetDlgItemText(dialog, 1303, "9");
    Ok(dialog);
  });
  EXPECT_FLOAT_EQ(bend.flexibilityFactor, 2.5f);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), depth);
}

TEST_F(BendDialogTest, EveryFieldFaultKeepsTheDialogOpenOnItsField) {
  // Each step: the field and text typed, the message OK then shows and the field it focuses.
  const struct {
    int item;
    const char* text;
    const char* message;
    int focus;
  } steps[] = {
      {1301, "", "Radius is required", 1301},
      {1301, "0.099", "Radius =  0.099  is invalid", 1301},
      {1302, "2.3", "Thickness is greater than section radius", 1302},
      {1303, "0", "Flexibility factor =  0  is invalid", 1303},
      {1304, "0.99", "SIF value is less than 1.00", 1304},
      {1304, "x", "SIF value =  X  is invalid", 1304},
      {1306, "30", "Node =  30  This node is already defined", 1306},  // the row's own node
      {1306, "20", "Node =  20  This node is already defined", 1306},  // another row's
      {1306, "31A", "Node =  31A  Node should not have a suffix", 1306},
      {1306, "31", "Angle is required", 1307},
      {1307, "2", "Angle =  2  is too small", 1307},    // degrees: below 0.08 rad
      {1307, "88", "Angle =  88  is too large", 1307},  // beyond the 90 degree arc less 0.08 rad
      {1308, "31", "Node is same as previous node", 1308},
      {1309, "30", "Angle is same as previous angle", 1309},
  };
  EditBend("BEND1_DIALOG", [&steps](HWND dialog) {
    SendMessage(GetDlgItem(dialog, 1403), BM_CLICK, 0, 0);  // User: the radius opens
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    SetDlgItemText(dialog, 1309, "45");  // not read without its node
    for (const auto& step : steps) {
      SetDlgItemText(dialog, step.item, step.text);
      ExpectMessage(step.message);
      Ok(dialog);
      EXPECT_TRUE(IsWindowVisible(dialog)) << step.message;
      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, step.focus)) << step.message;
      // The field put right for the next step.
      static const std::map<int, const char*> sound = {{1301, "8"}, {1302, ""}, {1303, ""}, {1304, ""},
                                                       {1307, "30"}, {1308, "32"}};
      if (const auto found = sound.find(step.item); found != sound.end()) SetDlgItemText(dialog, step.item, found->second);
    }
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(BendAt(3).radiusType, kBendRadiusLong);
}

TEST_F(BendDialogTest, NodesAreOrderedOnTheArcAndASmallRadiusOnlyWarns) {
  EditBend("BEND1_DIALOG", [](HWND dialog) {
    SendMessage(GetDlgItem(dialog, 1403), BM_CLICK, 0, 0);
    SetDlgItemText(dialog, 1301, "4");  // below the 4.5 in diameter
    SetDlgItemText(dialog, 1308, "35");  // only the second node
    SetDlgItemText(dialog, 1309, "30");
    ExpectMessage("Bend radius < Section OD");
    Ok(dialog);
  });
  Bend& bend = BendAt(3);
  EXPECT_EQ(std::make_tuple(bend.radiusType, bend.radius, bend.intermediateNode1, bend.intermediateNode2),
            std::make_tuple(kBendRadiusUser, 4.0f, 35, 0));
  EXPECT_NEAR(bend.angle1, 30.0 / 57.29578, 1.0e-5);
  // The model was made again: node 35 lies on the arc, 4 inches from its centre.
  const NodeRecord& on = NodeById(TheModel(), 35);
  EXPECT_NEAR(std::hypot(on.x - bend.centre[0], on.y - bend.centre[1]), 4.0, 1.0e-4);
  EditBend("BEND1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), FormatDimension(4.0f));
    SetDlgItemText(dialog, 1306, "36");
    SetDlgItemText(dialog, 1307, "60");
    SetDlgItemText(dialog, 1308, "37");
    SetDlgItemText(dialog, 1309, "20");
    ExpectMessage("Bend radius < Section OD");  // at every OK
    Ok(dialog);
  });
  EXPECT_EQ(std::make_pair(bend.intermediateNode1, bend.intermediateNode2), std::make_pair(37, 36));
  EXPECT_LT(bend.angle1, bend.angle2);
}

TEST_F(BendDialogTest, SeparateSifsAndB31JTakeTheSecondDialog) {
  TheModel().options.PipingCode = 3;  // B31.3: separate SIFs and the axial SIF
  EditBend("BEND2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1142), "&Flexibility Factor");
    EXPECT_FALSE(Visible(dialog, 1310) || Visible(dialog, 1141) || Enabled(dialog, 1312));
    EXPECT_TRUE(Enabled(dialog, 1311));
    SetDlgItemText(dialog, 1305, "2.5");
    SetDlgItemText(dialog, 1311, "1.5");
    SetDlgItemText(dialog, 1312, "3");  // disabled: not read
    Ok(dialog);
  });
  Bend& bend = BendAt(3);
  EXPECT_EQ(std::make_tuple(bend.outPlaneSif, bend.axialSif, bend.torsionSif, bend.outPlaneFlexibilityFactor),
            std::make_tuple(2.5f, 1.5f, 0.0f, -1.0f));
  TheModel().options.UseB31J = 1;
  EditBend("BEND2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1142), "&Flexibility Factor: In Plane");
    EXPECT_TRUE(Visible(dialog, 1310) && Enabled(dialog, 1312));
    EXPECT_EQ(Field(dialog, 1305), FormatSif(2.5));
    SetDlgItemText(dialog, 1303, "3");
    SetDlgItemText(dialog, 1310, "4");
    ExpectMessage("Inplane FF should be equal to Outplane FF");
    Ok(dialog);
    SetDlgItemText(dialog, 1310, "3");
    SetDlgItemText(dialog, 1312, "1.2");
    Ok(dialog);
  });
  EXPECT_EQ(std::make_pair(bend.outPlaneFlexibilityFactor, bend.torsionSif), std::make_pair(3.0f, 1.2f));
}

TEST_F(BendDialogTest, TheKindTableMakesARowABend) {
  // OK with every field empty makes a long-radius bend with the section's radius.
  platform::ExpectModal(platform::ModalKind::Dialog, "BEND1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Bend at node 20");
    Ok(dialog);
  });
  EXPECT_TRUE(RunElementKindDialog(nullptr, 2, ElementType::Bend));
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().row(2).elementType, ElementType::Bend);
  EXPECT_EQ(std::make_pair(BendAt(2).radiusType, BendAt(2).radius), std::make_pair(kBendRadiusLong, 6.75f));
}

}  // namespace
