// Edit > "&Slope..." on the Layout window: the current row's offsets shown
// as a length and a unit direction, changed by either (direction 3, 4, 0
// and length 10 give 6, 8, 0), every refusal with the focus on its field,
// a row of no length opening empty, OK with nothing changed and Cancel
// leaving nothing to undo, and the change undone through the Layout
// window's Undo.
#include "model/LayoutTesting.h"
#include "model/ModelBuilder.h"

namespace {

class SlopeDialogTest : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    g_UnitsSettings.unit[kUnitLength] = kLengthInch;
    Model& model = TheModel();
    AddRow(model, 10, ElementType::From);
    AddRow(model, 20, ElementType::Pipe, 0.0f, 0.0f, 0.0f);
    AddRow(model, 30, ElementType::Pipe, 12.0f, 0.0f, -5.0f);
    MakeModel(model);
    model.modified = false;
    ReloadLayoutTable();
    platform::RunUntilIdle();
  }

  static std::string Field(HWND dialog, int item) { return TextOf(GetDlgItem(dialog, item)); }
  static void Ok(HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); }

  template <typename Script>
  void Slope(int row, Script script) {
    TableGoTo(table(), row);
    platform::ExpectModal(platform::ModalKind::Dialog, "SLOPE_DIALOG", script);
    SendMessage(LayoutFrame().window, WM_COMMAND, 385, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }

  static void ExpectRefused(HWND dialog, const std::string& line, int focus) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [line](HWND message) {
      EXPECT_EQ(LinesOfDialog(message).at(0), line);
      SendMessage(message, WM_COMMAND, IDOK, 0);
    });
    Ok(dialog);
    EXPECT_TRUE(IsWindowVisible(dialog)) << line;
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, focus)) << line;
  }
};

TEST_F(SlopeDialogTest, ARowOfNoLengthOpensEmptyAndTakesALengthAndADirection) {
  Slope(3, [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Slope");
    EXPECT_EQ(Field(dialog, 1601), UnitLabel(kUnitLength));
    for (int item : {1301, 1302, 1303, 1304}) EXPECT_EQ(Field(dialog, item), "") << item;
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    ExpectRefused(dialog, "Length is required", 1301);
    SetDlgItemText(dialog, 1301, "-3");
    ExpectRefused(dialog, "Length =  -3  is invalid", 1301);
    SetDlgItemText(dialog, 1301, "10");
    ExpectRefused(dialog, "Direction is invalid", 1302);
    SetDlgItemText(dialog, 1302, "3");
    SetDlgItemText(dialog, 1303, "4");
    Ok(dialog);
  });
  const LayoutRow& pipe = TheModel().row(3);
  EXPECT_NEAR(pipe.dx, 6.0f, 1e-5f);
  EXPECT_NEAR(pipe.dy, 8.0f, 1e-5f);
  EXPECT_EQ(pipe.dz, 0.0f);
  EXPECT_TRUE(TheModel().modified);
  // The node moved with the row; Undo puts the row back.
  const NodeRecord& node = NodeById(TheModel(), 20);
  EXPECT_NEAR(node.y, 8.0f, 1e-4f);
  SendMessage(LayoutFrame().window, WM_COMMAND, 40050, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(TheModel().row(3).dx, 0.0f);
  EXPECT_EQ(TheModel().row(3).dy, 0.0f);
}

TEST_F(SlopeDialogTest, AChangedLengthKeepsTheExactDirectionAndNothingChangedLeavesNoUndo) {
  // 12, 0, -5 is 13 long.
  Slope(4, [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), FormatLength(13.0f));
    EXPECT_EQ(Field(dialog, 1302), FormatFixedWidth(12.0 / 13.0, 8, 3));
    EXPECT_EQ(Field(dialog, 1303), "");  // a zero component is left empty
    EXPECT_EQ(Field(dialog, 1304), FormatFixedWidth(-5.0 / 13.0, 8, 3));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1302));
    Ok(dialog);
  });
  EXPECT_FALSE(TheModel().modified);
  EXPECT_FALSE(CanUndo());
  Slope(4, [](HWND dialog) {
    SetDlgItemText(dialog, 1302, "x");
    ExpectRefused(dialog, "X comp =  X  is invalid", 1302);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(TheModel().modified);
  EXPECT_FALSE(CanUndo());
  Slope(4, [](HWND dialog) {
    SetDlgItemText(dialog, 1301, "26");
    Ok(dialog);
  });
  // The direction left as shown is the row's own, not its three-decimal
  // rounding: twice the length is twice each offset.
  EXPECT_NEAR(TheModel().row(4).dx, 24.0f, 1e-5f);
  EXPECT_EQ(TheModel().row(4).dy, 0.0f);
  EXPECT_NEAR(TheModel().row(4).dz, -10.0f, 1e-5f);
  EXPECT_TRUE(CanUndo());
}

}  // namespace
