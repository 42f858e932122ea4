// The hydrotest load row as a user meets it: HYDROTEST_LOAD_DIALOG from the
// Layout table (the specific gravity required and not negative, a pressure
// of 0 stored as not given, the values of an earlier hydrotest load row
// proposed), the row's text, and the dialog locked while results are shown.
#include "editing/RowText.h"
#include "elements/CommentData.h"
#include "elements/HydrotestLoad.h"
#include "elements/InlineTesting.h"

namespace {

class HydrotestTest : public InlineFixture {
 protected:
  // A hydrotest load row after the valve, before the comment.
  static int AddHydrotestRow() {
    Model& model = TheModel();
    const int row = AddRow(model, 0, ElementType::HydrotestLoad);
    MakeModel(model);
    return row;
  }
  static HydrotestLoad& LoadAt(int row) { return static_cast<HydrotestLoad&>(*TheModel().row(row).element); }
};

TEST_F(HydrotestTest, ANewRowIsOfferedGravityOneAndRefusesANegativeGravity) {
  ShowModelWindows();
  const int row = TheModel().rowCount + 1;
  platform::ExpectModal(platform::ModalKind::Dialog, "HYDROTEST_LOAD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Hydrotest Load");
    EXPECT_EQ(Field(dialog, 1301), "1");
    EXPECT_EQ(Field(dialog, 1302), "");
    EXPECT_EQ(Field(dialog, 1602), UnitLabel(kUnitPressure));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    SetDlgItemText(dialog, 1301, "");
    ExpectRefused(dialog, "Specific gravity is required", 1301);
    SetDlgItemText(dialog, 1301, "-0.1");
    ExpectRefused(dialog, "Specific gravity =  -0.1  should not be negative", 1301);
    SetDlgItemText(dialog, 1301, "0");
    SetDlgItemText(dialog, 1302, "0");
    CheckDlgButton(dialog, 1101, BST_CHECKED);
    Ok(dialog);
  });
  EXPECT_TRUE(RunElementKindDialog(nullptr, row, ElementType::HydrotestLoad));
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().row(row).elementType, ElementType::HydrotestLoad);
  EXPECT_EQ(LoadAt(row).specificGravity, 0.0f);
  EXPECT_EQ(LoadAt(row).pressure, 1.0e-36f);
  EXPECT_EQ(LoadAt(row).excludeInsulation, 1);
  EXPECT_TRUE(TheModel().modified);
}

TEST_F(HydrotestTest, TheRowsTextNamesItsValuesAndTheLayoutDoubleClickEditsThem) {
  const int row = AddHydrotestRow();
  LoadAt(row).specificGravity = 1.25f;
  LoadAt(row).pressure = 150.0f;
  EXPECT_EQ(LoadAt(row).Text(), "Hydrotest load: Spec. gravity = 1.25,  Pressure = 150 " +
                                     std::string(UnitLabel(kUnitPressure)));
  EXPECT_EQ(LayoutRowCellText(TheModel(), row, 1), LoadAt(row).Text());
  TheModel().modified = false;
  EditRow("HYDROTEST_LOAD_DIALOG", row, [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), "1.25");
    EXPECT_EQ(Field(dialog, 1302), "150");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1101), BST_UNCHECKED);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    SetDlgItemText(dialog, 1302, "-5");
    ExpectRefused(dialog, "Pressure =  -5  is invalid", 1302);
    SetDlgItemText(dialog, 1302, "150");
    Ok(dialog);  // nothing changed: nothing stored
  });
  EXPECT_FALSE(TheModel().modified);
  EditRow("HYDROTEST_LOAD_DIALOG", row, [](HWND dialog) {
    SetDlgItemText(dialog, 1301, "1.2");
    CheckDlgButton(dialog, 1101, BST_CHECKED);
    Ok(dialog);
  });
  EXPECT_EQ(LoadAt(row).specificGravity, 1.2f);
  EXPECT_EQ(LoadAt(row).excludeInsulation, 1);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(LoadAt(row).Text(), "Hydrotest load: Spec. gravity = 1.2,  Pressure = 150 " +
                                     std::string(UnitLabel(kUnitPressure)) + ",  Exclude insulation");
}

TEST_F(HydrotestTest, ALaterRowIsOfferedTheEarlierRowsValuesWithThePressureFocused) {
  const int first = AddHydrotestRow();
  LoadAt(first).specificGravity = 1.1f;
  LoadAt(first).pressure = 300.0f;
  LoadAt(first).excludeInsulation = 1;
  ShowModelWindows();
  const int row = TheModel().rowCount + 1;
  platform::ExpectModal(platform::ModalKind::Dialog, "HYDROTEST_LOAD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), "1.1");
    EXPECT_EQ(Field(dialog, 1302), "300");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1101), BST_CHECKED);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1302));
    Ok(dialog);
  });
  EXPECT_TRUE(RunElementKindDialog(nullptr, row, ElementType::HydrotestLoad));
  platform::CheckModalScript();
  EXPECT_EQ(LoadAt(row).specificGravity, 1.1f);
  EXPECT_EQ(LoadAt(row).pressure, 300.0f);
}

TEST_F(HydrotestTest, WhileResultsAreShownTheDialogStoresNothing) {
  const int row = AddHydrotestRow();
  LoadAt(row).specificGravity = 1.0f;
  SetTableResultsShown(true);
  EditRow("HYDROTEST_LOAD_DIALOG", row, [](HWND dialog) {
    EXPECT_TRUE(ReadOnly(dialog, 1301));
    EXPECT_TRUE(ReadOnly(dialog, 1302));
    EXPECT_FALSE(Enabled(dialog, 1101));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    SetDlgItemText(dialog, 1301, "2");
    Ok(dialog);
  });
  EXPECT_EQ(LoadAt(row).specificGravity, 1.0f);
}

// The comment's 80 bytes hold a text of exactly 80 characters with no
// terminating zero, and the text reads back whole.
TEST_F(HydrotestTest, ACommentOfEightyCharactersFillsItsRecord) {
  CommentData comment;
  const std::string text(80, 'c');
  comment.SetText(text + "dropped");
  EXPECT_EQ(comment.Text(), text);
  EXPECT_EQ(comment.bytes.back(), 'c');
}

}  // namespace
