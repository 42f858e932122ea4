// The element and data type pickers: which buttons each row offers, the
// choices and the rows they produce through the Layout table.
#include "editing/LayoutTable.h"
#include "editing/TypePickers.h"
#include "elements/Bend.h"
#include "model/LayoutKeywords.h"
#include "model/ListTesting.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "supports/Hanger.h"

namespace {

class TypePickersTest : public ListFixture {
 protected:
  // Opens the Layout window on the model with `row` current.
  static LayoutTable& LayoutAt(int row) {
    ShowModelWindows();
    LayoutTable& table = TheLayoutTable();
    TableGoTo(table, row);
    return table;
  }
  static void Click(HWND dialog, int id) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
  static bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
};

// Button indexes (1-based) as the dialogs number them from 1401.
constexpr int kFrom = 1, kPipe = 2, kBend = 3, kValve = 5, kLocation = 18, kComment = 19, kHydrotest = 20;
constexpr int kAnchor = 1, kForceSpLoad = 7, kHarmonic = 10, kRodHangerButton = 15, kTimeVarying = 20;

TEST_F(TypePickersTest, ButtonsStandForTheTypesTheirTextsName) {
  const auto& element = ElementTypeButtons();
  EXPECT_STREQ(element[kFrom - 1].text, "&From");
  EXPECT_EQ(element[kFrom - 1].type, 1);
  EXPECT_EQ(element[kValve - 1].type, 8);
  EXPECT_STREQ(element[12].text, "&Jacketed pipe");
  EXPECT_EQ(element[12].type, 6);
  EXPECT_EQ(element[kHydrotest - 1].type, 20);
  const auto& data = DataTypeButtons();
  EXPECT_STREQ(data[3].text, "&Constant Support");
  EXPECT_EQ(data[3].type, 4);
  EXPECT_EQ(data[3].subtype, 3);
  EXPECT_EQ(data[kRodHangerButton - 1].subtype, 2);
  EXPECT_EQ(data[20].subtype, 1);  // "&User Hanger"
  EXPECT_EQ(data[23].type, 21);    // "&Generic Support"
  for (int i = 0; i < kDataTypeButtons; ++i) EXPECT_EQ(data[static_cast<std::size_t>(i)].id, 1401 + i);
}

TEST_F(TypePickersTest, ElementButtonsFollowTheRowAndItsPlace) {
  const Model& model = TheModel();
  auto count = [](const std::array<bool, kElementTypeButtons>& on) { return std::count(on.begin(), on.end(), true); };
  // The first From row: only From.
  auto on = ElementTypeButtonStates(model, 1);
  EXPECT_EQ(count(on), 1);
  EXPECT_TRUE(on[kFrom - 1]);
  // An ordinary Pipe row: all twenty.
  EXPECT_EQ(count(ElementTypeButtonStates(model, 2)), 20);
  // A Valve row: all but Location, Comment and Hydrotest load.
  on = ElementTypeButtonStates(model, 4);
  EXPECT_EQ(count(on), 17);
  EXPECT_FALSE(on[kLocation - 1] || on[kComment - 1] || on[kHydrotest - 1]);
  // A Comment row: Comment alone.
  on = ElementTypeButtonStates(model, 5);
  EXPECT_EQ(count(on), 1);
  EXPECT_TRUE(on[kComment - 1]);
  EXPECT_EQ(ElementTypeButtonOfRow(model, 4), kValve);
  // The first element row of a new model: only From.
  Model empty;
  InitEmptyModel(empty, AnalysisOptions());
  on = ElementTypeButtonStates(empty, 1);
  EXPECT_EQ(count(on), 1);
  EXPECT_TRUE(on[kFrom - 1]);
  EXPECT_EQ(ElementTypeButtonOfRow(empty, 1), 0);
}

TEST_F(TypePickersTest, DataButtonsFollowTheCodeTheTablesAndBends) {
  Model& model = TheModel();
  model.options.PipingCode = 0;
  auto on = DataTypeButtonStates(model, 2);
  EXPECT_FALSE(on[kForceSpLoad - 1] || on[kHarmonic - 1] || on[kTimeVarying - 1]);
  EXPECT_TRUE(on[kAnchor - 1] && on[kRodHangerButton - 1]);
  // With a code but without force spectra and time functions only the
  // harmonic load comes back.
  model.options.PipingCode = 3;
  on = DataTypeButtonStates(model, 2);
  EXPECT_TRUE(on[kHarmonic - 1]);
  EXPECT_FALSE(on[kForceSpLoad - 1] || on[kTimeVarying - 1]);
  AddRow(model, 50, ElementType::Bend, 12.0f);
  on = DataTypeButtonStates(model, model.rowCount);
  EXPECT_EQ(std::count(on.begin(), on.end(), true), 0);
}

TEST_F(TypePickersTest, DataDialogAsksBeforeReplacingAnItemAndNoKeepsItOpen) {
  platform::ExpectModal(platform::ModalKind::Dialog, "DTYPES_DIALOG", [](HWND dialog) {
    EXPECT_TRUE(Checked(dialog, 1400 + kAnchor));
    SetFocus(GetDlgItem(dialog, 1400 + kRodHangerButton));
    Click(dialog, 1400 + kRodHangerButton);  // answered No below: the dialog stays
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(Checked(dialog, 1400 + kRodHangerButton));
    Click(dialog, 1400 + kRodHangerButton);  // answered Yes
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    const auto lines = LinesOfDialog(dialog);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Do you want to change Data type");
    EXPECT_EQ(lines[1], "from  \"Anchor\"  to  \"Rod hanger\" ?");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  EXPECT_EQ(RunDataTypesDialog(nullptr, 1), 4);
  EXPECT_EQ(g_KeywordSubtype, 2);
}

TEST_F(TypePickersTest, ChoosingTheRowsOwnHangerIsNoChange) {
  Model& model = TheModel();
  PutItem(model, 3, DataType::Hanger);
  static_cast<Hanger*>(model.row(3).item.get())->kind = kRodHanger;
  platform::ExpectModal(platform::ModalKind::Dialog, "DTYPES_DIALOG", [](HWND dialog) {
    EXPECT_TRUE(Checked(dialog, 1400 + kRodHangerButton));
    EXPECT_FALSE(Checked(dialog, 1409));  // "&Hanger"
    Click(dialog, 1400 + kRodHangerButton);
  });
  EXPECT_EQ(RunDataTypesDialog(nullptr, 3), 0);
}

TEST_F(TypePickersTest, ArrowsMoveTheChoiceAndOkEndsWithIt) {
  platform::ExpectModal(platform::ModalKind::Dialog, "ETYPES_DIALOG", [](HWND dialog) {
    EXPECT_TRUE(Checked(dialog, 1400 + kPipe));
    EXPECT_TRUE(Enabled(dialog, 1400 + kComment));
    // Focus moving to a button (the arrow keys) makes it the choice only.
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1400 + kBend, BN_SETFOCUS), 0);
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(Checked(dialog, 1400 + kBend));
    EXPECT_FALSE(Checked(dialog, 1400 + kPipe));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(RunElementTypesDialog(nullptr, 3), static_cast<int>(ElementType::Bend));
  platform::ExpectModal(platform::ModalKind::Dialog, "ETYPES_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(RunElementTypesDialog(nullptr, 3), 0);
  // The first From row never changes.
  platform::ExpectModal(platform::ModalKind::Dialog, "ETYPES_DIALOG", [](HWND dialog) {
    EXPECT_FALSE(Enabled(dialog, 1400 + kPipe));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(RunElementTypesDialog(nullptr, 1), 0);
}

TEST_F(TypePickersTest, PickingBendMakesTheRowABendAndDropsItsItem) {
  PutItem(TheModel(), 2, DataType::Weld);
  LayoutTable& table = LayoutAt(2);
  ASSERT_NE(TheModel().row(2).item, nullptr);
  platform::ExpectModal(platform::ModalKind::Dialog, "ETYPES_DIALOG", [](HWND dialog) { Click(dialog, 1400 + kBend); });
  PickRowElementType(table);
  const LayoutRow& row = TheModel().row(2);
  EXPECT_EQ(row.elementType, ElementType::Bend);
  EXPECT_NE(dynamic_cast<Bend*>(row.element.get()), nullptr);
  EXPECT_EQ(row.dataType, DataType::None);
  EXPECT_EQ(row.item, nullptr);
  EXPECT_EQ(table.currentColumn, 3);
  EXPECT_TRUE(TheModel().modified);
}

// Comment for the spare row: the row becomes a Comment row with the caret
// in its column 1, so what is typed next is its text, and Enter takes it.
TEST_F(TypePickersTest, PickingCommentForTheSpareRowKeepsTheCaretThereForTheText) {
  LayoutTable& table = LayoutAt(6);
  platform::ExpectModal(platform::ModalKind::Dialog, "ETYPES_DIALOG",
                        [](HWND dialog) { Click(dialog, 1400 + kComment); });
  SendMessage(LayoutFrame().window, WM_COMMAND, 182, 0);
  EXPECT_EQ(TheModel().row(6).elementType, ElementType::Comment);
  EXPECT_EQ(std::make_pair(table.currentRow, table.currentColumn), std::make_pair(6, 1));
  platform::TestTypeText("drain line");
  platform::TestKeyPress(VK_RETURN);
  platform::RunUntilIdle();
  ASSERT_EQ(TheModel().rowCount, 6);
  EXPECT_EQ(TheModel().row(6).element->Text(), "drain line");
}

TEST_F(TypePickersTest, PickingRodHangerGivesTheRowAHangerAndCancelNothing) {
  LayoutTable& table = LayoutAt(3);
  platform::ExpectModal(platform::ModalKind::Dialog, "DTYPES_DIALOG",
                        [](HWND dialog) { Click(dialog, 1400 + kRodHangerButton); });
  PickRowDataType(table);
  const LayoutRow& row = TheModel().row(3);
  ASSERT_EQ(row.dataType, DataType::Hanger);
  const auto* hanger = dynamic_cast<const Hanger*>(row.item.get());
  ASSERT_NE(hanger, nullptr);
  EXPECT_EQ(hanger->kind, kRodHanger);
  platform::ExpectModal(platform::ModalKind::Dialog, "DTYPES_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  PickRowDataType(table);
  EXPECT_EQ(TheModel().row(3).item.get(), hanger);
}

}  // namespace
