// The reducer as a user meets it: REDUCER_DIALOG in the three field modes of
// the piping codes (B31.3 none, B31.1 the cone angle, Swedish all three),
// end 1 proposed from the pipe before it, the section buttons, every field
// message, the walls at most half their diameters; the Reducers list with
// its typed cells and their checks, and the printed section.
#include <algorithm>

#include "elements/InlineTesting.h"
#include "elements/KindTable.h"
#include "elements/Reducer.h"
#include "elements/ReducerList.h"
#include "kindbase/KindList.h"
#include "model/RowOperations.h"

namespace {

// Row 3 (node 30, after the pipe of section S4) made a reducer.
class ReducerTest : public InlineFixture {
 protected:
  static constexpr int kRow = 3;
  void SetUp() override {
    InlineFixture::SetUp();
    TheModel().options.PipingCode = 3;  // B31.3: no cone angle
  }
  static void EditReducer(const std::function<void(HWND)>& script) { EditRow("REDUCER_DIALOG", kRow, script); }
  static void MakeReducer() {
    SetElementType(TheModel(), kRow, ElementType::Reducer);
    auto& reducer = ReducerAt();
    reducer.od1 = 4.5f;
    reducer.thk1 = 0.237f;
    reducer.od2 = 3.5f;
    reducer.thk2 = 0.216f;
    MakeModel(TheModel());
    TheModel().modified = false;
  }
  static Reducer& ReducerAt() { return static_cast<Reducer&>(*TheModel().row(kRow).element); }
  static std::string Dimension(float value) { return TrimmedText(FormatDimension(value)); }
};

TEST_F(ReducerTest, ANewReducerProposesThePipeBeforeItAndTheCodeChoosesTheFields) {
  // The pipe row is made a reducer through its Layout type keyword's dialog.
  ShowModelWindows();
  platform::ExpectModal(platform::ModalKind::Dialog, "REDUCER_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Reducer from 20 to 30");
    EXPECT_EQ(Field(dialog, 1301), Dimension(4.5f));
    EXPECT_EQ(Field(dialog, 1302), Dimension(0.237f));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1303));
    for (int item : {1501, 1305, 1101, 1502, 1306}) EXPECT_FALSE(Visible(dialog, item)) << item;
    // The buttons move up to the last row shown and the dialog shrinks.
    RECT client{}, button{};
    GetClientRect(dialog, &client);
    GetWindowRect(GetDlgItem(dialog, IDOK), &button);
    POINT top{button.left, button.top};
    ScreenToClient(dialog, &top);
    RECT units{0, 50, 210, 114};
    MapDialogRect(dialog, &units);
    EXPECT_EQ(top.y, units.top);
    EXPECT_LT(client.bottom, units.bottom);
    SetDlgItemText(dialog, 1303, "3.5");
    SetDlgItemText(dialog, 1304, "0.216");
    Ok(dialog);
  });
  EXPECT_TRUE(RunElementKindDialog(nullptr, kRow, ElementType::Reducer));
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().row(kRow).elementType, ElementType::Reducer);
  EXPECT_EQ(std::make_tuple(ReducerAt().od1, ReducerAt().thk1, ReducerAt().od2, ReducerAt().thk2, ReducerAt().coneAngle),
            std::make_tuple(4.5f, 0.237f, 3.5f, 0.216f, 0.0f));

  // B31.1: the cone angle, in the Angle unit, held in degrees.
  TheModel().options.PipingCode = 1;
  EditReducer([](HWND dialog) {
    EXPECT_TRUE(Visible(dialog, 1305));
    EXPECT_FALSE(Visible(dialog, 1101));
    SetDlgItemText(dialog, 1305, "-1");
    ExpectRefused(dialog, "Cone angle =  -1  is invalid", 1305);
    SetDlgItemText(dialog, 1305, "6E38");  // 1.05E37 rad taken, but no float holds the degrees kept
    ExpectRefused(dialog, "Cone angle =  6E38  is invalid", 1305);
    SetDlgItemText(dialog, 1305, "15");
    Ok(dialog);
  });
  EXPECT_FLOAT_EQ(ReducerAt().coneAngle, 15.0f);
  // Swedish: knuckles and delta too.
  TheModel().options.PipingCode = 18;
  EditReducer([](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1305), TrimmedText(FormatAngle(15.0f / 57.2957795f)));
    EXPECT_TRUE(Visible(dialog, 1101) && Visible(dialog, 1306));
    SendDlgItemMessage(dialog, 1101, BM_SETCHECK, BST_CHECKED, 0);
    SetDlgItemText(dialog, 1306, "0.5");
    Ok(dialog);
  });
  EXPECT_EQ(ReducerAt().knuckles, 1);
  EXPECT_EQ(ReducerAt().delta, 0.5f);
  // Back to B31.3: what the code does not show is stored as 0.
  TheModel().options.PipingCode = 3;
  EditReducer([](HWND dialog) { Ok(dialog); });
  EXPECT_EQ(std::make_tuple(ReducerAt().coneAngle, ReducerAt().knuckles, ReducerAt().delta),
            std::make_tuple(0.0f, std::uint8_t{0}, 0.0f));
}

TEST_F(ReducerTest, EveryFieldFaultAndTheWallsAtMostHalfTheirDiameters) {
  MakeReducer();
  EditReducer([](HWND dialog) {
    SetDlgItemText(dialog, 1301, "");
    ExpectRefused(dialog, "OD1 is required", 1301);
    SetDlgItemText(dialog, 1301, "0.00009");
    ExpectRefused(dialog, "OD1 =  0.00009  is invalid", 1301);
    SetDlgItemText(dialog, 1301, "4.5");
    SetDlgItemText(dialog, 1302, "2.26");
    ExpectRefused(dialog, "Thk1 > 0.5*OD1", 1302);
    SetDlgItemText(dialog, 1302, "2.25");  // exactly half: accepted
    SetDlgItemText(dialog, 1303, "x");
    ExpectRefused(dialog, "OD2 =  X  is invalid", 1303);
    SetDlgItemText(dialog, 1303, "3.5");
    SetDlgItemText(dialog, 1304, "");
    ExpectRefused(dialog, "Thk2 is required", 1304);
    SetDlgItemText(dialog, 1304, "1.76");
    ExpectRefused(dialog, "Thk2 > 0.5*OD2", 1304);
    SetDlgItemText(dialog, 1304, "0.3");
    Ok(dialog);
  });
  EXPECT_EQ(ReducerAt().thk1, 2.25f);
  // The section buttons fill an end from the picked section.
  EditReducer([](HWND dialog) {
    platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [](HWND pick) { Ok(pick); });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);
    EXPECT_EQ(Field(dialog, 1303), Dimension(4.5f));
    EXPECT_EQ(Field(dialog, 1304), Dimension(0.237f));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1303));
    Cancel(dialog);
  });
  EXPECT_EQ(ReducerAt().od2, 3.5f);
}

TEST_F(ReducerTest, TheListStoresItsCellsWithTheDialogsChecksAndPrintsItsSection) {
  MakeReducer();
  TheModel().options.PipingCode = 1;  // the cone angle column, not the knuckles
  ReducerAt().coneAngle = 10.0f;
  ChooseList("&Reducers");
  TableWindow& list = ReducersListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.CellText(1, 1, 0), "20");
  EXPECT_EQ(list.CellText(1, 2, 0), "30");
  EXPECT_EQ(list.CellText(1, 5, 0), Dimension(3.5f));
  EXPECT_EQ(list.CellText(1, 7, 0), TrimmedText(FormatAngle(10.0f / 57.2957795f)));
  EXPECT_GT(list.widths[7], 0);
  EXPECT_EQ(list.widths[8], 0);
  EXPECT_EQ(list.widths[9], 0);
  EXPECT_EQ(list.HeadingText(8, 0), "");

  messages.clear();
  TypeCell(list, 1, 3, "0.4");
  TypeCell(list, 1, 4, "2.3");
  TypeCell(list, 1, 6, "1..2");  // letters are not even typed
  TypeCell(list, 1, 4, "");
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0], "OD1 < 2.0*Thk1");
  EXPECT_EQ(messages[1], "Thk1 > 0.5*OD1");
  EXPECT_EQ(messages[2], "Thickness =  1..2  is invalid");
  EXPECT_EQ(messages[3], "Thk1 is required");
  EXPECT_EQ(ReducerAt().od1, 4.5f);
  EXPECT_FALSE(TheModel().modified);
  TypeCell(list, 1, 5, "4");
  EXPECT_EQ(ReducerAt().od2, 4.0f);
  EXPECT_TRUE(TheModel().modified);

  const std::vector<std::string> text = Report("reducers.txt", PrintReducersDetails);
  const std::string line = LineWith(text, Dimension(0.216f));
  ASSERT_FALSE(line.empty());
  EXPECT_EQ(At(line, 6, 8), "20");
  EXPECT_EQ(At(line, 13, 15), "30");
  EXPECT_EQ(At(line, 20, 28), Dimension(4.5f));
  EXPECT_EQ(At(line, 39, 47), Dimension(4.0f));
  EXPECT_EQ(At(line, 58, 66), TrimmedText(FormatAngle(10.0f / 57.2957795f)));
  const std::vector<std::string> csv = Report("reducers.csv", PrintReducersDetails);
  const auto title = std::find(csv.begin(), csv.end(), "Reducers,");
  ASSERT_TRUE(csv.end() - title > 5);
  EXPECT_EQ(*(title + 3), ",,OD1,Thk1,OD2,Thk2,Cone Angle,Knuckles,Delta,");
  EXPECT_EQ(*(title + 5), "20,30," + Dimension(4.5f) + "," + Dimension(0.237f) + "," + Dimension(4.0f) + "," +
                              Dimension(0.216f) + "," + TrimmedText(FormatAngle(10.0f / 57.2957795f)) + ",,");
}

}  // namespace
