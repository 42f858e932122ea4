// The rigid element as a user meets it: RIGID_DIALOG from the Layout table
// (its weight message, the Add CIL box, OK without a change, results mode),
// the Rigid elements list with its typed weight, and the printed section.
#include <algorithm>

#include "elements/InlineTesting.h"
#include "elements/KindTable.h"
#include "elements/RigidElement.h"
#include "elements/RigidList.h"
#include "kindbase/KindList.h"
#include "model/RowOperations.h"

namespace {

class RigidElementTest : public InlineFixture {
 protected:
  static constexpr int kRow = 3;
  static RigidElement& RigidAt() { return static_cast<RigidElement&>(*TheModel().row(kRow).element); }
  static std::string Weight(float value) { return TrimmedText(FormatWeight(value)); }
};

TEST_F(RigidElementTest, TheDialogStoresTheWeightAndTheFlag) {
  ShowModelWindows();
  platform::ExpectModal(platform::ModalKind::Dialog, "RIGID_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Rigid element from 20 to 30");
    EXPECT_EQ(Field(dialog, 1601), UnitLabel(kUnitWeight));
    SetDlgItemText(dialog, 1301, "-");
    ExpectRefused(dialog, "Weight =  -  is invalid", 1301);
    SetDlgItemText(dialog, 1301, "450");
    SendDlgItemMessage(dialog, 1101, BM_SETCHECK, BST_CHECKED, 0);
    Ok(dialog);
  });
  EXPECT_TRUE(RunElementKindDialog(nullptr, kRow, ElementType::Rigid));
  platform::CheckModalScript();
  EXPECT_EQ(RigidAt().weight, 450.0f);
  EXPECT_EQ(RigidAt().addCil, 1);
  TheModel().modified = false;
  const int depth = UndoDepth();
  EditRow("RIGID_DIALOG", kRow, [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), TrimmedText(FormatWeight(450.0f)));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1101), BST_CHECKED);
    Ok(dialog);
  });
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), depth);
  SetTableResultsShown(true);
  EditRow("RIGID_DIALOG", kRow, [](HWND dialog) {
    EXPECT_TRUE(ReadOnly(dialog, 1301));
    EXPECT_FALSE(Enabled(dialog, 1101));
    SendDlgItemMessage(dialog, 1101, BM_SETCHECK, BST_UNCHECKED, 0);
    Ok(dialog);
  });
  EXPECT_EQ(RigidAt().addCil, 1);
}

TEST_F(RigidElementTest, TheListTakesATypedWeightAndThePrintedSectionShowsBoth) {
  SetElementType(TheModel(), kRow, ElementType::Rigid);
  RigidAt().weight = 120.0f;
  MakeModel(TheModel());
  ChooseList("&Rigid elements");
  TableWindow& list = RigidElementsListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.HeadingText(3, 0), std::string("Weight ") + UnitLabel(kUnitWeight));
  EXPECT_EQ(list.CellText(1, 3, 0), Weight(120.0f));
  EXPECT_EQ(list.CellText(1, 4, 0), "N");
  EXPECT_FALSE(list.IsCellEditable(1, 4));
  TypeCell(list, 1, 3, "200");
  EXPECT_EQ(RigidAt().weight, 200.0f);
  EXPECT_TRUE(TheModel().modified);
  RigidAt().addCil = 1;

  const std::vector<std::string> text = Report("rigid.txt", PrintRigidElementsDetails);
  const std::string line = LineWith(text, Weight(200.0f));
  ASSERT_FALSE(line.empty());
  EXPECT_EQ(At(line, 6, 8), "20");
  EXPECT_EQ(At(line, 13, 15), "30");
  EXPECT_EQ(At(line, 23, 30), Weight(200.0f));
  EXPECT_EQ(At(line, 35, 35), "Y");
  const std::vector<std::string> csv = Report("rigid.csv", PrintRigidElementsDetails);
  const auto title = std::find(csv.begin(), csv.end(), "Rigid elements,");
  ASSERT_TRUE(csv.end() - title > 4);
  EXPECT_EQ(*(title + 2), std::string("From,To,Weight ") + UnitLabel(kUnitWeight) + ",Add CIL,");
  EXPECT_EQ(*(title + 4), "20,30," + Weight(200.0f) + ",Y,");
}

}  // namespace
