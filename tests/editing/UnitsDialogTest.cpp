// The units dialog through the Units command of the Layout and List windows:
// the lists and the three unit systems, OK storing the choice into the
// program, the model and the tables' headings and values, one undo step per
// change and none for OK without a change or for Cancel, a typed cell stored
// in its own units first, and no modified flag while results are shown.
#include <cstdlib>

#include "application/LayoutWindow.h"
#include "editing/LayoutTable.h"
#include "editing/NodeList.h"
#include "editing/UnitsDialog.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "platform/Input.h"
#include "services/TempFiles.h"

namespace {

class UnitsDialogTest : public ListFixture {
 protected:
  void TearDown() override {
    SetTableResultsShown(false);
    g_UnitsSettings = UnitsSettings{};
    ListFixture::TearDown();
  }

  // Expects the units dialog; `act` works on it and presses a button.
  static void Expect(const std::function<void(HWND)>& act) {
    platform::ExpectModal(platform::ModalKind::Dialog, "UNITS_DIALOG", act);
  }
  static void Press(HWND dialog, int id) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  static int Selected(HWND dialog, int kind) {
    return static_cast<int>(SendDlgItemMessage(dialog, kUnitsFirstCombo + kind - 1, CB_GETCURSEL, 0, 0));
  }
  static int Offered(HWND dialog, int kind) {
    return static_cast<int>(SendDlgItemMessage(dialog, kUnitsFirstCombo + kind - 1, CB_GETCOUNT, 0, 0));
  }
  static std::string Entry(HWND dialog, int kind, int index) {
    char text[64] = "";
    SendDlgItemMessage(dialog, kUnitsFirstCombo + kind - 1, CB_GETLBTEXT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(text));
    return text;
  }
  static void OpenLayout() {
    ShowModelWindows();
    platform::RunUntilIdle();
  }
  // The Layout window's Units command, as its menu item and Ctrl+U give it.
  static void LayoutUnits() {
    SendMessage(LayoutFrame().window, WM_COMMAND, 431, 0);
    platform::RunUntilIdle();
  }
};

TEST_F(UnitsDialogTest, ListsOfferTheirKindsUnitsAndTheSystemButtonsChooseThem) {
  g_UnitsSettings.unit[kUnitAngle] = 1;  // radians: SI and Metric keep it
  g_UnitsSettings.unit[kUnitPressure] = 3;
  OpenLayout();
  Expect([](HWND dialog) {
    const int offered[] = {5, 2, 2, 2, 3, 4, 2, 2, 4, 2, 2, 2, 6, 5, 5, 4, 8, 2, 2, 3};
    for (int kind = 1; kind <= kUnitKindCount; ++kind) {
      EXPECT_EQ(Offered(dialog, kind), offered[kind - 1]) << kind;
      for (int index = 0; index < offered[kind - 1]; ++index)
        EXPECT_EQ(Entry(dialog, kind, index), UnitLabelAt(kind, index)) << kind;
    }
    EXPECT_EQ(Entry(dialog, kUnitAdditionalWeight, 1), "(kg/m)");
    EXPECT_EQ(Selected(dialog, kUnitPressure), 3);
    EXPECT_EQ(Selected(dialog, kUnitAngle), 1);
    // SI: mm, N, Nm, kg/m, kg, kg/m3, C, mm/mm/C, bar, MPa, MPa, N/mm, Nm/deg,
    // mm2, mm4, m/s; the angle stays.
    Press(dialog, kAllSiButton);
    const char* si[] = {"(mm)", "(mm)", "(mm)", "(rad)", "(N)", "(Nm)", "(kg/m)", "(kg)", "(kg/m3)", "(kg/m3)",
                        "(C)", "(mm/mm/C)", "(bar)", "(MPa)", "(MPa)", "(N/mm)", "(Nm/deg)", "(mm2)",
                        "(mm4)", "(m/s)"};
    for (int kind = 1; kind <= kUnitKindCount; ++kind)
      EXPECT_EQ(Entry(dialog, kind, Selected(dialog, kind)), si[kind - 1]) << kind;
    Press(dialog, kAllMetricButton);
    const char* metric[] = {"(mm)", "(mm)", "(mm)", "(rad)", "(kg)", "(kg-m)", "(kg/m)", "(kg)", "(kg/m3)",
                            "(kg/m3)", "(C)", "(mm/mm/C)", "(kg/cm2)", "(kg/mm2)", "(kg/mm2)", "(kg/mm)",
                            "(kg-m/deg)", "(mm2)", "(mm4)", "(m/s)"};
    for (int kind = 1; kind <= kUnitKindCount; ++kind)
      EXPECT_EQ(Entry(dialog, kind, Selected(dialog, kind)), metric[kind - 1]) << kind;
    Press(dialog, kAllEnglishButton);
    for (int kind = 1; kind <= kUnitKindCount; ++kind) EXPECT_EQ(Selected(dialog, kind), 0) << kind;
    // Nothing is stored before OK.
    EXPECT_EQ(g_UnitsSettings.unit[kUnitPressure], 3);
    Press(dialog, IDCANCEL);
  });
  LayoutUnits();
  EXPECT_EQ(g_UnitsSettings.unit[kUnitPressure], 3);
}

TEST_F(UnitsDialogTest, OkWithSiRedrawsTheTablesMarksTheModelAndIsOneUndoStep) {
  OpenLayout();
  ShowListByOpener(OpenNodeList);
  platform::RunUntilIdle();
  const int undoBefore = UndoDepth();
  EXPECT_EQ(TheLayoutTable().HeadingText(3, 0), "DX (ft'in\")");
  Expect([](HWND dialog) {
    Press(dialog, kAllSiButton);
    Press(dialog, IDOK);
  });
  LayoutUnits();
  EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], kLengthMillimetre);
  EXPECT_EQ(g_UnitsSettings.unit[kUnitForce], 1);
  EXPECT_EQ(g_UnitsSettings.unit[kUnitAngle], 0);
  EXPECT_EQ(TheModel().unitChoices[kUnitLength - 1], kLengthMillimetre);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), undoBefore + 1);
  // Both tables show millimetres: the Layout heading and row 2's 12 inches,
  // and the node list's heading and node 40 at 36 inches.
  EXPECT_EQ(TheLayoutTable().HeadingText(3, 0), "DX (mm)");
  EXPECT_NEAR(std::atof(TheLayoutTable().CellText(2, 3, 0).c_str()), 304.8, 1e-3);
  EXPECT_NE(TheNodeList().HeadingText(2, 0).find("(mm)"), std::string::npos);
  EXPECT_NEAR(std::atof(TheNodeList().CellText(4, 2, 0).c_str()), 914.4, 0.05);
  // Undo brings the units back with the model.
  SendMessage(LayoutFrame().window, WM_COMMAND, 40050, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], 0);
}

TEST_F(UnitsDialogTest, OkWithoutAChangeAndCancelLeaveNoUndoStepAndNoFile) {
  OpenLayout();
  const int undoBefore = UndoDepth();
  const int filesBefore = CountLiveTempFiles();
  Expect([](HWND dialog) { Press(dialog, IDOK); });
  LayoutUnits();
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), undoBefore);
  Expect([](HWND dialog) {
    Press(dialog, kAllMetricButton);
    Press(dialog, IDCANCEL);
  });
  LayoutUnits();
  EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], 0);
  EXPECT_EQ(g_UnitsSettings.unit[kUnitPressure], 0);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), undoBefore);
  EXPECT_EQ(CountLiveTempFiles(), filesBefore);
}

TEST_F(UnitsDialogTest, TheListWindowsCommandOpensItAndAUnitNotUsuallyOfferedStays) {
  // A model file may hold "(N/m)" for the additional weight.
  g_UnitsSettings.unit[kUnitAdditionalWeight] = 2;
  ShowListByOpener(OpenNodeList);
  platform::RunUntilIdle();
  Expect([](HWND dialog) {
    EXPECT_EQ(Offered(dialog, kUnitAdditionalWeight), 3);
    EXPECT_EQ(Selected(dialog, kUnitAdditionalWeight), 2);
    SendDlgItemMessage(dialog, kUnitsFirstCombo + kUnitLength - 1, CB_SETCURSEL, kLengthMetre, 0);
    Press(dialog, IDOK);
  });
  SendMessage(ListFrame().window, WM_COMMAND, 431, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(g_UnitsSettings.unit[kUnitAdditionalWeight], 2);
  EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], kLengthMetre);
  EXPECT_NE(TheNodeList().HeadingText(2, 0).find("(m)"), std::string::npos);
  EXPECT_NEAR(std::atof(TheNodeList().CellText(4, 2, 0).c_str()), 0.9144, 1e-4);
}

TEST_F(UnitsDialogTest, ACellBeingTypedIsStoredInTheUnitsItWasTypedIn) {
  g_UnitsSettings.unit[kUnitLength] = kLengthMillimetre;
  OpenLayout();
  LayoutTable& table = TheLayoutTable();
  TableGoToRow(table, 2);
  TableSetColumn(table, 3);
  SetFocus(LayoutTableWindow());
  platform::TestKeyPress(VK_HOME);
  for (int i = table.EditLength(); i > 0; --i) platform::TestKeyPress(VK_DELETE);
  platform::TestTypeText("254");
  platform::RunUntilIdle();
  ASSERT_EQ(table.editBuffer, "254");
  Expect([](HWND dialog) {
    Press(dialog, kAllEnglishButton);
    Press(dialog, IDOK);
  });
  LayoutUnits();
  // 254 mm is 10 inches, whatever the unit is now.
  EXPECT_NEAR(TheModel().row(2).dx, 10.0f, 1e-4f);
  EXPECT_EQ(table.HeadingText(3, 0), "DX (ft'in\")");
}

TEST_F(UnitsDialogTest, WhileResultsAreShownAChangeIsNoEditOfTheModel) {
  OpenLayout();
  SetTableResultsShown(true);
  const int undoBefore = UndoDepth();
  Expect([](HWND dialog) {
    Press(dialog, kAllSiButton);
    Press(dialog, IDOK);
  });
  EXPECT_TRUE(ChooseUnits(LayoutFrame().window));
  EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], kLengthMillimetre);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), undoBefore);
}

}  // namespace
