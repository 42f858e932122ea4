// Change Rows through Edit > Change: names, offsets and the friction of
// guides set over a range (From and Beam rows keep their names, a ball
// joint its zero length), one undo step giving back the model file byte for
// byte, every refusal of the dialog with the model intact, and the edits
// that change nothing leaving no undo step.
#include "model/ToolTesting.h"
#include "supports/Guide.h"

namespace {

constexpr int kChange = 116;

class ChangeRowsTest : public ToolFixture {
 protected:
  void SetUp() override {
    ToolFixture::SetUp();
    Model& model = TheModel();
    AddName(model.materials, "CS2");
    AddRow(model, 10, ElementType::From);            // row 2
    AddRow(model, 20, ElementType::Pipe, 12.0f);     // row 3
    AddRow(model, 30, ElementType::Pipe, 12.0f);     // row 4
    AddRow(model, 40, ElementType::Pipe, 12.0f);     // row 5
    PutItem(model, 5, DataType::Guide);
    AddRow(model, 50, ElementType::BallJoint);       // row 6
    AddRow(model, 60, ElementType::Beam, 12.0f);     // row 7
    model.row(3).material = "A106";
    model.row(7).material = "BM";
    Open();
  }

  // Runs Change with the range and `fill` setting the rest of the dialog.
  void Change(const std::string& from, const std::string& to, std::function<void(HWND)> fill) {
    WithDialog(kChange, "CHANGE_ELEMENTS_DIALOG", [=](HWND dialog) {
      Set(dialog, 1301, from);
      Set(dialog, 1302, to);
      fill(dialog);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  void Refused(std::function<void(HWND)> fill, const std::string& message) {
    WithDialog(kChange, "CHANGE_ELEMENTS_DIALOG", [=](HWND dialog) {
      fill(dialog);
      OkRefused(dialog, message);
    });
  }
};

TEST_F(ChangeRowsTest, NamesOffsetsAndFrictionOverARangeAsOneUndoStep) {
  const std::string before = Bytes();
  Change("2", "7", [](HWND dialog) {
    Click(dialog, 1101);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1201)));
    SendDlgItemMessage(dialog, 1201, CB_SETCURSEL, 2, 0);  // "CS2"
    Click(dialog, 1104);
    Set(dialog, 1303, "0.3");
    Click(dialog, 1105);
    EXPECT_EQ(Get(dialog, 1601), UnitLabel(kUnitLength));
    Set(dialog, 1304, "24");
  });
  const Model& model = TheModel();
  EXPECT_EQ(model.row(2).material, "");  // From
  for (int r = 3; r <= 5; ++r) EXPECT_EQ(model.row(r).material, "CS2") << r;
  EXPECT_EQ(model.row(7).material, "BM");  // Beam: its own tables
  EXPECT_FLOAT_EQ(dynamic_cast<const Guide&>(*model.row(5).item).frictionCoefficient, 0.3f);
  EXPECT_FLOAT_EQ(model.row(6).dx, 0.0f);  // the ball joint keeps its zero length
  EXPECT_FLOAT_EQ(model.row(2).dx, 0.0f);
  // Three pipes and the beam of 24 in each.
  EXPECT_FLOAT_EQ(NodeById(model, 60).x, 96.0f);
  const std::string edited = Bytes();
  Command(40050);
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  EXPECT_FLOAT_EQ(NodeById(TheModel(), 60).x, 48.0f);
  Command(40051);
  EXPECT_EQ(FirstDifference(Bytes(), edited), -1);
}

TEST_F(ChangeRowsTest, EmptyToChangesTheFromRowAloneAndNoChangeLeavesNoUndo) {
  Change("4", "", [](HWND dialog) {
    Click(dialog, 1106);
    Set(dialog, 1305, "-5");
  });
  EXPECT_FLOAT_EQ(TheModel().row(4).dy, -5.0f);
  EXPECT_FLOAT_EQ(TheModel().row(5).dy, 0.0f);
  Command(40050);
  EXPECT_FALSE(CanUndo());
  // The empty entry of a list with its box checked, and a friction over a
  // range without guides: nothing changes, no undo step.
  Change("3", "4", [](HWND dialog) {
    Click(dialog, 1101);
    SendDlgItemMessage(dialog, 1201, CB_SETCURSEL, 0, 0);
    Click(dialog, 1104);
    Set(dialog, 1303, "0.5");
  });
  EXPECT_EQ(TheModel().row(3).material, "A106");
  EXPECT_FALSE(CanUndo());
}

TEST_F(ChangeRowsTest, EveryRefusalKeepsTheModel) {
  const std::string before = Bytes();
  auto range = [](const std::string& from, const std::string& to) {
    return [=](HWND dialog) {
      Set(dialog, 1301, from);
      Set(dialog, 1302, to);
    };
  };
  Refused(range("", ""), "From  #  is required");
  Refused(range("X", ""), "From  # =  X  is invalid");
  Refused(range("0", ""), "From  # =  0  is invalid");
  Refused(range("99", ""), "From  #  > number of rows");
  Refused(range("3", "Q"), "To  # =  Q  is invalid");
  Refused(range("5", "3"), "From  #  > To  #");
  Refused(
      [](HWND dialog) {
        Set(dialog, 1301, "3");
        Click(dialog, 1104);
        Set(dialog, 1303, "-1");
      },
      "Friction coefficient =  -1  is invalid");
  Refused(
      [](HWND dialog) {
        Set(dialog, 1301, "3");
        Click(dialog, 1107);
      },
      "DZ  is required");
  Refused(
      [](HWND dialog) {
        Set(dialog, 1301, "3");
        Click(dialog, 1105);
        Set(dialog, 1304, "0");
      },
      "DX =  0  is invalid");
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  EXPECT_FALSE(CanUndo());
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(ChangeRowsTest, OpensOnTheCurrentRowWithFieldsDisabled) {
  table().currentRow = 4;
  WithDialog(kChange, "CHANGE_ELEMENTS_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Get(dialog, 1301), "4");
    for (int item : {1201, 1202, 1203, 1303, 1304, 1305, 1306}) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, item)));
    EXPECT_EQ(SendDlgItemMessage(dialog, 1201, CB_GETCOUNT, 0, 0), 3);  // empty, A106, CS2
    Click(dialog, 1105);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1304)));
    Click(dialog, 1105);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1304)));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(CanUndo());
}

}  // namespace
