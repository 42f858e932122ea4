// The cut pipe as a user meets it: CUTPIPE_DIALOG (cut short by default,
// cut long stored negative, a cut required and not 0), the Cut pipes list
// with its typed cut that keeps the sign, and the printed section.
#include <algorithm>

#include "elements/CutPipe.h"
#include "elements/CutPipeList.h"
#include "elements/InlineTesting.h"
#include "model/RowOperations.h"

namespace {

class CutPipeTest : public InlineFixture {
 protected:
  static constexpr int kRow = 3;
  static CutPipe& CutAt() { return static_cast<CutPipe&>(*TheModel().row(kRow).element); }
  static std::string Dimension(float value) { return TrimmedText(FormatDimension(value)); }
};

TEST_F(CutPipeTest, ACutLongIsStoredNegativeAndACutOfNothingIsRefused) {
  ShowModelWindows();
  platform::ExpectModal(platform::ModalKind::Dialog, "CUTPIPE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Cut pipe from 20 to 30");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1401), BST_CHECKED);
    ExpectRefused(dialog, "Cut is required", 1301);
    SetDlgItemText(dialog, 1301, "0");
    ExpectRefused(dialog, "Cut should be non zero", 1301);
    SetDlgItemText(dialog, 1301, "-1");
    ExpectRefused(dialog, "Cut =  -1  is invalid", 1301);
    SetDlgItemText(dialog, 1301, "2");
    CheckRadioButton(dialog, 1401, 1402, 1402);
    Ok(dialog);
  });
  EXPECT_TRUE(RunElementKindDialog(nullptr, kRow, ElementType::CutPipe));
  platform::CheckModalScript();
  EXPECT_EQ(CutAt().cut, -2.0f);
  EditRow("CUTPIPE_DIALOG", kRow, [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), TrimmedText(FormatDimension(2.0f)));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1402), BST_CHECKED);
    CheckRadioButton(dialog, 1401, 1402, 1401);
    Ok(dialog);
  });
  EXPECT_EQ(CutAt().cut, 2.0f);
}

TEST_F(CutPipeTest, TheListKeepsTheSignOfATypedCutAndPrintsItsSection) {
  SetElementType(TheModel(), kRow, ElementType::CutPipe);
  CutAt().cut = -2.0f;
  MakeModel(TheModel());
  ChooseList("&Cut pipes");
  TableWindow& list = CutPipesListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.CellText(1, 3, 0), Dimension(2.0f));
  EXPECT_EQ(list.CellText(1, 4, 0), "Long");
  messages.clear();
  TypeCell(list, 1, 3, "0");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Cut should be non zero");
  TypeCell(list, 1, 3, "0.75");
  EXPECT_EQ(CutAt().cut, -0.75f);

  const std::vector<std::string> text = Report("cut.txt", PrintCutPipesDetails);
  const std::string line = LineWith(text, "Long");
  ASSERT_FALSE(line.empty());
  EXPECT_EQ(At(line, 13, 15), "30");
  EXPECT_EQ(At(line, 21, 30), Dimension(0.75f));
  EXPECT_EQ(At(line, 34, 38), "Long");
  const std::vector<std::string> csv = Report("cut.csv", PrintCutPipesDetails);
  const auto title = std::find(csv.begin(), csv.end(), "Cut pipes,");
  ASSERT_TRUE(csv.end() - title > 4);
  EXPECT_EQ(*(title + 2), std::string("From,To,Cut ") + UnitLabel(kUnitDimension) + ",Type,");
  EXPECT_EQ(*(title + 4), "20,30," + Dimension(0.75f) + ",Long,");
}

}  // namespace
