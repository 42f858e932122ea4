// The loads' dialogs reached from the Layout window's Loads menu: the load
// cases (a click checking what a case needs, OK storing the flags, the menu
// counting the rebuilt list, Cancel leaving nothing to undo), the static
// seismic load (its fields, its message, the algebraic sum of a model
// without a code, 0 in every field removing the seismic case), the wind
// load (a velocity profile typed into its table giving the pressure of a
// hand calculation, the required profile, Cancel restoring the kind and
// units, the points sorted with one per elevation) and the spectrum load.
#include "loads/LoadCaseDialog.h"
#include "loads/LoadsTesting.h"
#include "loads/StaticSeismicDialog.h"
#include "loads/WindDialog.h"
#include "platform/Menu.h"
#include "records/LoadCaseList.h"
#include "services/NumberText.h"

namespace {

class LoadCommandsTest : public LoadsFixture {
 protected:
  static std::string LoadsMenuText(int command) {
    HMENU loads = GetSubMenu(LayoutFrame().menu, 4);
    SendMessage(LayoutFrame().window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(loads), 4);
    char text[64] = {};
    GetMenuString(loads, static_cast<UINT>(command), text, sizeof text, MF_BYCOMMAND);
    return text;
  }
  static std::vector<int> Cases() {
    const LoadCaseList& list = TheModel().loadCases;
    return std::vector<int>(list.cases.begin() + 1, list.cases.begin() + 1 + list.count);
  }
  // Types a row of the wind profile table: elevation, Tab, value, Enter.
  static void TypePoint(const std::string& elevation, const std::string& value) {
    platform::TestTypeText(elevation);
    platform::TestKeyPress(VK_TAB);
    platform::TestTypeText(value);
    platform::TestKeyPress(VK_RETURN);
    platform::RunUntilIdle();
  }
};

TEST_F(LoadCommandsTest, LoadCasesDialogChecksWhatACaseNeedsAndTheMenuCountsTheList) {
  // B31.3, one thermal load: Empty Weight, Sustained, Expansion (T1),
  // Operating (W+P1+T1) and Modal analysis.
  Expect("LOAD_CASES5_DIALOG", [](HWND dialog) {
    // A new B31.3 model runs the empty weight, sustained, expansion and operating cases.
    EXPECT_EQ(TextOf(dialog), "Load cases (4)");
    Press(dialog, kLoadCasesNoneButton);
    EXPECT_EQ(TextOf(dialog), "Load cases (0)");
    const char* labels[] = {"Empty Weight (W)", "Sustained (W+P)", "Expansion (T1)", "Operating (W+P1+T1)",
                            "Modal analysis"};
    for (int row = 0; row < 5; ++row) {
      EXPECT_EQ(Field(dialog, kFirstLoadCaseBox + row), labels[row]);
      EXPECT_TRUE(Shown(dialog, kFirstLoadCaseBox + row));
    }
    ClickItem(dialog, kFirstLoadCaseBox + 2);  // Expansion (T1)
    EXPECT_TRUE(Checked(dialog, kFirstLoadCaseBox + 1));
    EXPECT_TRUE(Checked(dialog, kFirstLoadCaseBox + 3));
    EXPECT_EQ(TextOf(dialog), "Load cases (3)");
    Press(dialog, kLoadCasesAllButton);
    EXPECT_EQ(TextOf(dialog), "Load cases (5)");
    ClickItem(dialog, kFirstLoadCaseBox + 4);  // Modal analysis off
    Press(dialog, IDOK);
  });
  const int steps = UndoDepth();
  Layout(231);
  // OK on the cases the model runs already changes nothing: no mark, no step.
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), steps);
  EXPECT_EQ(LoadsMenuText(231), "&Load cases (4) ...");
  EXPECT_EQ(Cases(), (std::vector<int>{124, 1, 8, 2}));
  // Cancel changes no flag and leaves no edit to undo.
  const int undo = UndoDepth();
  Expect("LOAD_CASES5_DIALOG", [](HWND dialog) {
    Press(dialog, kLoadCasesNoneButton);
    EXPECT_EQ(TextOf(dialog), "Load cases (0)");
    Press(dialog, IDCANCEL);
  });
  Layout(231);
  EXPECT_EQ(UndoDepth(), undo);
  EXPECT_EQ(Cases(), (std::vector<int>{124, 1, 8, 2}));
}

TEST_F(LoadCommandsTest, StaticSeismicFieldsMessagesAndTheSeismicCase) {
  Expect("SEISMIC_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Static Seismic Load (g's)");
    EXPECT_EQ(Field(dialog, kSeismicFirstField), "");
    EXPECT_FALSE(Shown(dialog, kSeismicAlgebraicRadio));
    SetField(dialog, kSeismicFirstField + 1, "abc");
    ExpectBox({"Seismic load =  ABC  is invalid"});
    Press(dialog, IDOK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    SetField(dialog, kSeismicFirstField, "0.15");
    SetField(dialog, kSeismicFirstField + 1, "");
    SetField(dialog, kSeismicFirstField + 2, "-0.1");
    ClickItem(dialog, kSeismicAbsoluteRadio);
    Press(dialog, IDOK);
  });
  Layout(232);
  const StaticSeismic& seismic = TheModel().seismic;
  EXPECT_FLOAT_EQ(seismic.g[0], 0.15f);
  EXPECT_EQ(seismic.g[1], 0.0f);
  EXPECT_FLOAT_EQ(seismic.g[2], -0.1f);
  EXPECT_EQ(seismic.combination, kSeismicAbsoluteSum);
  // OK with nothing changed leaves the model as it was and nothing to undo.
  TheModel().modified = false;
  const int undo = UndoDepth();
  Expect("SEISMIC_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, kSeismicFirstField), "0.150");
    EXPECT_EQ(Field(dialog, kSeismicFirstField + 1), "");
    EXPECT_TRUE(Checked(dialog, kSeismicAbsoluteRadio));
    Press(dialog, IDOK);
  });
  Layout(232);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), undo);
  // Without a code the combination is the algebraic sum, shown and fixed;
  // zeros everywhere take the seismic case out of the selection.
  TheModel().options.PipingCode = 0;
  TheModel().loadCases.selected[kCaseIdStaticSeismic] = 1;
  Expect("SEISMIC_DIALOG", [](HWND dialog) {
    EXPECT_TRUE(Shown(dialog, kSeismicAlgebraicRadio));
    EXPECT_TRUE(Checked(dialog, kSeismicAlgebraicRadio));
    EXPECT_FALSE(Enabled(dialog, kSeismicAbsoluteRadio));
    Press(dialog, kSeismicResetButton);
    EXPECT_EQ(Field(dialog, kSeismicFirstField), "");
    Press(dialog, IDOK);
  });
  Layout(232);
  EXPECT_FALSE(HasStaticSeismicLoad(TheModel().seismic));
  EXPECT_EQ(TheModel().seismic.combination, kSeismicSrss);
  EXPECT_EQ(TheModel().loadCases.selected[kCaseIdStaticSeismic], 0);
}

TEST_F(LoadCommandsTest, WindProfileTypedIntoTheTableGivesTheHandCalculatedPressure) {
  Expect("WIND_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Wind Load 1");
    EXPECT_EQ(Field(dialog, kWindShapeField), "0.60");
    ClickItem(dialog, kWindVelocityRadio);
    SetField(dialog, kWindFirstComponent, "1");
    WindProfileTable& table = TheWindProfileTable();
    EXPECT_EQ(table.HeadingText(2, 0), "Velocity");
    EXPECT_EQ(table.HeadingText(2, 1), "(mph)");
    SetFocus(table.Window());
    TypePoint("100", "100");  // feet and mph, out of order on purpose
    TypePoint("0", "60");
    TypePoint("100", "90");   // a second point at 100 ft
    EXPECT_EQ(table.rowCount, 4);
    EXPECT_EQ(table.CellText(2, 1, 0), "0");  // a typed zero is a point
    Press(dialog, IDOK);
  });
  Layout(233);
  const WindData& wind = TheModel().wind;
  ASSERT_EQ(wind.loads[0].velocityProfile.size(), 2u);
  EXPECT_TRUE(IsExplicitZero(wind.loads[0].velocityProfile[0].elevation));
  EXPECT_FLOAT_EQ(wind.loads[0].velocityProfile[1].elevation, 1200.0f);
  EXPECT_TRUE(IsWindDefined(wind, 0));
  // 50 ft: V = 80 mph (60 to 100 mph over 0 to 100 ft), 0.6 x 80^2 / 45000 psi.
  EXPECT_NEAR(WindPressureAtElevation(wind, 600.0f, 1), 0.6 * 80.0 * 80.0 / 45000.0, 1e-7);
  EXPECT_EQ(LoadsMenuText(233), "&Wind 1...");
  EXPECT_TRUE(GetMenuState(GetSubMenu(LayoutFrame().menu, 4), 233, MF_BYCOMMAND) & MF_CHECKED);
}

// With keys only: Tab from the direction reaches the profile table, runs
// through its two columns and on past the last to the profile's kind;
// Shift+Tab comes back into the table and from its first cell to the Z
// component; Tab reaches OK, and Return stores the point typed.
TEST_F(LoadCommandsTest, TabReachesTheWindProfileTableAndLeavesIt) {
  Expect("WIND_DIALOG", [](HWND dialog) {
    auto key = [dialog](UINT virtualKey, bool shift = false) { DialogKey(dialog, virtualKey, shift); };
    HWND table = TheWindProfileTable().Window();
    ASSERT_EQ(GetFocus(), GetDlgItem(dialog, kWindShapeField));
    for (int tab = 0; tab < 3; ++tab) key(VK_TAB);
    DialogType(dialog, "1");  // X component
    key(VK_TAB);
    ASSERT_EQ(GetFocus(), table) << "Tab did not reach the profile table";
    DialogType(dialog, "0");
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), table);
    DialogType(dialog, "60");
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kWindPressureRadio));
    key(VK_TAB, true);
    EXPECT_EQ(GetFocus(), table);
    key(VK_TAB, true);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kWindFirstComponent + 2));
    key(VK_TAB);
    for (int tab = 0; tab < 8 && GetFocus() != GetDlgItem(dialog, IDOK); ++tab) key(VK_TAB);
    ASSERT_EQ(GetFocus(), GetDlgItem(dialog, IDOK)) << "Tab never reached OK";
    key(VK_RETURN);
  });
  Layout(233);
  const WindData& wind = TheModel().wind;
  ASSERT_EQ(wind.loads[0].pressureProfile.size(), 1u);
  EXPECT_FLOAT_EQ(wind.loads[0].pressureProfile[0].value, 60.0f / 144.0f);  // psf in psi
}

// A profile cell that OK cannot store keeps the dialog open and gives the
// keyboard back to that cell, though a click on OK had taken it: what the
// user types next mends the cell.
TEST_F(LoadCommandsTest, OkRefusedByAProfileCellGivesTheKeyboardBackToIt) {
  Expect("WIND_DIALOG", [this](HWND dialog) {
    SetField(dialog, kWindFirstComponent, "1");
    HWND table = TheWindProfileTable().Window();
    SetFocus(table);
    platform::TestTypeText("1e99");
    platform::RunUntilIdle();
    SetFocus(GetDlgItem(dialog, IDOK));
    Press(dialog, IDOK);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(GetFocus(), table) << "the keyboard stayed on OK";
    for (int key = 0; key < 4; ++key) platform::TestKeyPress(VK_BACK);
    TypePoint("100", "60");
    Press(dialog, IDOK);
  });
  Layout(233);
  const WindData& wind = TheModel().wind;
  ASSERT_EQ(wind.loads[0].pressureProfile.size(), 1u);
  EXPECT_FLOAT_EQ(wind.loads[0].pressureProfile[0].elevation, 1200.0f);  // 100 ft in inches
}

// A profile value is held to the rule of the value stored, not of the text
// typed: 1E-36 psf is 6.9E-39 psi, which no model file may bring in.
TEST_F(LoadCommandsTest, AProfileValueIsHeldToTheRuleInTheUnitStored) {
  Expect("WIND_DIALOG", [this](HWND dialog) {
    SetField(dialog, kWindFirstComponent, "1");
    SetFocus(TheWindProfileTable().Window());
    platform::TestTypeText("100");
    platform::TestKeyPress(VK_TAB);
    platform::TestTypeText("1E-36");
    platform::RunUntilIdle();
    Press(dialog, IDOK);
    EXPECT_EQ(messages, std::vector<std::string>{"Pressure =  1E-36  is invalid"});
    Press(dialog, IDCANCEL);
  });
  Layout(233);
  EXPECT_TRUE(TheModel().wind.loads[0].pressureProfile.empty());
}

TEST_F(LoadCommandsTest, WindNeedsAProfileAndCancelRestoresKindAndUnits) {
  WindData& wind = TheModel().wind;
  wind.loads[1].pressureProfile = {{120.0f, 0.1f}};
  Expect("WIND_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Wind Load 2");
    SetField(dialog, kWindFirstComponent + 1, "1");
    EXPECT_EQ(TheWindProfileTable().CellText(1, 1, 0), "10");   // 120 inches in feet
    EXPECT_EQ(TheWindProfileTable().CellText(1, 2, 0), "14.4");  // 0.1 psi in psf
    ClickItem(dialog, kWindVelocityRadio);  // the velocity profile is empty
    EXPECT_EQ(TheWindProfileTable().rowCount, 1);
    ExpectBox({"Wind load profile is required"});
    Press(dialog, IDOK);
    SendDlgItemMessage(dialog, kWindElevationUnitCombo, CB_SETCURSEL, 1, 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(kWindElevationUnitCombo, CBN_SELENDOK), 0);
    EXPECT_EQ(TheModel().wind.elevationUnit, 1);
    Press(dialog, IDCANCEL);
  });
  Layout(40044);
  EXPECT_EQ(wind.profileIsVelocity, 0);
  EXPECT_EQ(wind.elevationUnit, 0);
  EXPECT_EQ(wind.loads[1].direction[1], 0.0f);
  EXPECT_FALSE(TheModel().modified);
  // A bad shape factor and a direction of zeros are refused by name.
  Expect("WIND_DIALOG", [](HWND dialog) {
    SetField(dialog, kWindShapeField, "-1");
    ExpectBox({"Shape factor =  -1  is invalid"});
    Press(dialog, IDOK);
    SetField(dialog, kWindShapeField, "");
    ExpectBox({"Direction is invalid"});
    Press(dialog, IDOK);
    EXPECT_EQ(Field(dialog, kWindShapeField), "0.6");  // an empty factor is the default
    Press(dialog, kWindDeleteButton);
  });
  Layout(40044);
  EXPECT_TRUE(wind.loads[1].pressureProfile.empty());
  EXPECT_TRUE(TheModel().modified);
}
}  // namespace
