// The beam records and the beam element through the program's commands: the
// beam material dialog's checks in order and a rename that follows into the
// beam rows (declined, then accepted); the beam section dialog taking
// W 14X90 from the AISC table in inch and in SI units; the shape dialogs'
// disabled groups and their memory; the beam load dialog with three
// temperatures; the beam tables' refusals (a value before the name, a
// record in use); the Layout window's 188 and 190 on a beam row; the beam
// dialog with its title, local axes, beta and releases, and the Beams list;
// a beam load's temperature below absolute zero refused by table and dialog.
#include <gtest/gtest.h>

#include <cmath>

#include "editing/LayoutTable.h"
#include "elements/BeamElement.h"
#include "elements/BeamList.h"
#include "elements/KindTable.h"
#include "model/RowOperations.h"
#include "platform/Controls.h"
#include "properties/AiscShapeDialogs.h"
#include "properties/BeamLoadsTable.h"
#include "properties/BeamMaterialsTable.h"
#include "properties/PropertyUiTesting.h"
#include "services/ErrorRecords.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

class BeamUiTest : public PropertyUiFixture {
 protected:
  void SetUp() override {
    PropertyUiFixture::SetUp();
    Model& model = TheModel();
    BeamMaterial steel;
    steel.name = "ST";
    steel.E = 2.9e7f;
    steel.nu = 0.3f;
    AppendBeamMaterial(model.beamMaterials, steel);
    BeamSection section;
    section.name = "W14";
    section.A = 26.5f;
    section.Imaj = 999.0f;
    section.Imin = 362.0f;
    AppendBeamSection(model.beamSections, section);
    BeamLoad load;
    InitBeamLoad(load, 70.0f);
    load.name = "BL";
    AppendBeamLoad(model.beamLoads, load);
    SetElementType(model, 3, ElementType::Beam);
    model.row(3).material = "ST";
    model.row(3).section = "W14";
    model.row(3).load = "BL";
    MakeModel(model);
    model.modified = false;
    ResetAiscShapeChoices();
  }
  void TearDown() override {
    g_UnitsSettings = UnitsSettings{};
    PropertyUiFixture::TearDown();
  }
  static void OnBeamRow(int id) {
    TheLayoutTable().currentRow = 3;
    TheModel().currentRow = 3;
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
  static void Answer(const char* templateName, int button) {
    platform::ExpectModal(platform::ModalKind::Dialog, templateName,
                          [button](HWND box) { SendMessage(box, WM_COMMAND, button, 0); });
  }
};

TEST_F(BeamUiTest, TheMaterialDialogChecksInOrderAndARenameFollowsIntoTheBeamRows) {
  platform::ExpectModal(platform::ModalKind::Dialog, "BEAM_MATERIAL_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Beam material # 1");
    EXPECT_EQ(Field(dialog, 1301), "ST");
    SetDlgItemText(dialog, 1301, "");
    ExpectRefusal(dialog, "Name is required");
    SetDlgItemText(dialog, 1301, "CS");
    ExpectRefusal(dialog, "Material =  CS  is already defined as a pipe material");
    SetDlgItemText(dialog, 1301, "ST");
    SetDlgItemText(dialog, 1303, "");
    ExpectRefusal(dialog, "Modulus is required");
    SetDlgItemText(dialog, 1303, "2.9e7");
    SetDlgItemText(dialog, 1304, "0.5");
    ExpectRefusal(dialog, "Nu should be < 0.5");
    SetDlgItemText(dialog, 1304, "0.005");
    ExpectRefusal(dialog, "Nu should be > 0.01");
    SetDlgItemText(dialog, 1304, "0.3");
    SetDlgItemText(dialog, 1305, "0.2836");
    SetDlgItemText(dialog, 1301, "A36");
    Answer("MESSAGE2_DIALOG", IDCANCEL);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(Field(dialog, 1301), "ST");  // declined: the old name is back
    SetDlgItemText(dialog, 1301, "A36");
    Answer("MESSAGE2_DIALOG", IDOK);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  OnBeamRow(283);
  platform::CheckModalScript();
  const Model& model = TheModel();
  EXPECT_EQ(model.beamMaterials[1].name, "A36");
  EXPECT_FLOAT_EQ(model.beamMaterials[1].density, 0.2836f);
  EXPECT_EQ(model.row(3).material, "A36");
  EXPECT_TRUE(model.modified);
}

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowText(window, text, sizeof text);
  return text;
}

// W 14X90: A 26.5 in2, Imaj 999, Imin 362, J 4.06 in4, depth 14.0, width 14.5 in.
void PickW14X90(HWND dialog) {
  platform::ExpectModal(platform::ModalKind::Dialog, "AISC_SECTIONS_DIALOG", [](HWND families) {
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(families, 1408)));  // no double angles
    SendMessage(families, WM_COMMAND, MAKEWPARAM(1401, BN_CLICKED), 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "W_DIALOG", [](HWND shapes) {
    EXPECT_EQ(WindowText(GetDlgItem(shapes, 1410)), "W 14");
    SendMessage(shapes, WM_COMMAND, MAKEWPARAM(1410, BN_CLICKED), 0);
    HWND list = GetDlgItem(shapes, 1701);
    const LRESULT at = SendMessage(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("W 14X90"));
    ASSERT_GE(at, 0);
    SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
    SendMessage(shapes, WM_COMMAND, IDOK, 0);
  });
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
}

TEST_F(BeamUiTest, TheSectionDialogTakesW14X90FromTheAiscTableInInchAndInSiUnits) {
  for (const bool si : {false, true}) {
    SCOPED_TRACE(si);
    g_UnitsSettings = UnitsSettings{};
    if (si) {
      g_UnitsSettings.unit[kUnitArea] = 1;
      g_UnitsSettings.unit[kUnitMomentOfInertia] = 1;
      g_UnitsSettings.unit[kUnitDimension] = 1;
    }
    platform::ExpectModal(platform::ModalKind::Dialog, "BEAM_SECTION_DIALOG", [si](HWND dialog) {
      EXPECT_EQ(TextOf(dialog), "Beam Section # 1");
      PickW14X90(dialog);
      EXPECT_EQ(Field(dialog, 1301), "W14");  // the record keeps its name
      EXPECT_EQ(Field(dialog, 1302), "W 14X90");
      const double area = UnitFactor(kUnitArea), inertia = UnitFactor(kUnitMomentOfInertia),
                   length = UnitFactor(kUnitDimension);
      if (si) {
        EXPECT_NEAR(area, 645.16, 0.01);
      }
      const std::pair<int, double> expected[] = {{1303, 26.5 * area},  {1304, 999.0 * inertia}, {1305, 362.0 * inertia},
                                                 {1306, 4.06 * inertia}, {1309, 14.0 * length},  {1310, 14.5 * length}};
      for (const auto& [item, value] : expected)
        EXPECT_NEAR(std::stod(Field(dialog, item)), value, 1e-3 * value) << item << " " << Field(dialog, item);
      EXPECT_EQ(Field(dialog, 1307), "");  // no shear areas
      EXPECT_EQ(Field(dialog, 1308), "");
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    OnBeamRow(284);
    platform::CheckModalScript();
    const BeamSection& s = TheModel().beamSections[1];
    EXPECT_EQ(s.description, "W 14X90");
    EXPECT_NEAR(s.A, 26.5f, 1e-3);
    EXPECT_NEAR(s.Imaj, 999.0f, 0.5);
    EXPECT_NEAR(s.J, 4.06f, 1e-3);
    EXPECT_NEAR(s.width, 14.5f, 1e-3);
  }
}

TEST_F(BeamUiTest, ShapeGroupsWithoutShapesAreDisabledAndTheChoicesAreRemembered) {
  platform::ExpectModal(platform::ModalKind::Dialog, "M_DIALOG", [](HWND shapes) {
    EXPECT_EQ(TextOf(GetDlgItem(shapes, 1400)), "M 14");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(shapes, 1400)));
    EXPECT_EQ(IsDlgButtonChecked(shapes, 1401), BST_CHECKED);  // the first group with shapes
    SendMessage(shapes, WM_COMMAND, MAKEWPARAM(1402, BN_CLICKED), 0);  // M 10
    SendDlgItemMessage(shapes, 1701, LB_SETCURSEL, 1, 0);
    SendMessage(shapes, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(AiscShapeTableSelect(MainFrame().window, 2));
  platform::ExpectModal(platform::ModalKind::Dialog, "M_DIALOG", [](HWND shapes) {
    EXPECT_EQ(IsDlgButtonChecked(shapes, 1402), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessage(shapes, 1701, LB_GETCURSEL, 0, 0), 1);
    SendMessage(shapes, WM_COMMAND, IDOK, 0);
  });
  ASSERT_TRUE(AiscShapeTableSelect(MainFrame().window, 2));
  EXPECT_EQ(AiscWorkRecord().description.substr(0, 4), "M 10");
  EXPECT_EQ(AiscWorkRecord().Asmaj, 0.0f);
}

TEST_F(BeamUiTest, TheLoadDialogShowsTheTemperaturesInUseAndANewLoadHasWind) {
  TheModel().options.ThermalLoadCount = 3;
  OnBeamRow(309);  // the Beam loads list
  BeamLoadsTable& table = TheBeamLoadsTable();
  EXPECT_EQ(table.widths[5], 0);  // T4 hidden
  EXPECT_GT(table.widths[4], 0);
  TableGoTo(table, 2);  // the entry row
  platform::ExpectModal(platform::ModalKind::Dialog, "BEAM_LOAD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Beam load # 2");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1101), BST_CHECKED);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, 1304)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 1305)));
    SetDlgItemText(dialog, 1301, "BL");
    ExpectRefusal(dialog, "Load =  BL  is already defined");
    SetDlgItemText(dialog, 1301, "L1");
    ExpectRefusal(dialog, "Load =  L1  is already defined as a pipe load");
    SetDlgItemText(dialog, 1301, "HOT");
    SetDlgItemText(dialog, 1302, "x");
    ExpectRefusal(dialog, "Temperature =  X  is invalid");
    SetDlgItemText(dialog, 1302, "400");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  table.EditCurrentItem();
  platform::CheckModalScript();
  const Model& model = TheModel();
  ASSERT_EQ(model.beamLoads.count, 2);
  EXPECT_EQ(model.beamLoads[2].name, "HOT");
  EXPECT_FLOAT_EQ(model.beamLoads[2].temperature[0], 400.0f);
  EXPECT_FLOAT_EQ(model.beamLoads[2].temperature[9], 70.0f);
  EXPECT_EQ(model.beamLoads[2].wind, 1);
}

// A beam load's temperature below absolute zero is refused by the table
// and the dialog alike, the record kept, by the rule of its field in
// degrees F, whatever unit it is typed in: -460 F itself is taken.
TEST_F(BeamUiTest, TheLoadTableAndDialogRefuseATemperatureBelowAbsoluteZero) {
  OnBeamRow(309);  // the Beam loads list
  BeamLoadsTable& table = TheBeamLoadsTable();
  TableGoTo(table, 1);
  TableSetColumn(table, 2);
  const Model& model = TheModel();
  const auto type = [&table](const char* text) {
    g_EditFieldText = text;
    try {
      table.StoreCell();
    } catch (const std::string& message) {
      return message;
    }
    return std::string();
  };
  EXPECT_EQ(type("-461"), "Temperature =  -461  is invalid");
  EXPECT_EQ(model.beamLoads[1].temperature[0], 70.0f);
  g_UnitsSettings.unit[kUnitTemperature] = kTemperatureCelsius;
  // -460 F is -273.333 C.
  EXPECT_EQ(type("-273.34"), "Temperature =  -273.34  is invalid");
  EXPECT_EQ(type("-273.33"), "");
  EXPECT_NEAR(model.beamLoads[1].temperature[0], -459.994f, 1.0e-3f);
  g_UnitsSettings.unit[kUnitTemperature] = 0;
  platform::ExpectModal(platform::ModalKind::Dialog, "BEAM_LOAD_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1302, "-461");
    ExpectRefusal(dialog, "Temperature =  -461  is invalid");
    // The dialog shows the stored -459.994 as "-460", which would keep it:
    // typed otherwise, -460 itself is taken.
    SetDlgItemText(dialog, 1302, "-460.0");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  table.EditCurrentItem();
  platform::CheckModalScript();
  EXPECT_EQ(model.beamLoads[1].temperature[0], kLowestLoadTemperature);
}

TEST_F(BeamUiTest, TablesRefuseAValueBeforeTheNameAndARecordInUse) {
  OnBeamRow(188);  // on a beam row: the beam materials
  BeamMaterialsTable& table = TheBeamMaterialsTable();
  ASSERT_EQ(CurrentListOpener(), &OpenBeamMaterialsTable);
  TableGoTo(table, 2);
  TableSetColumn(table, 3);
  g_EditFieldText = "3e7";
  try {
    table.StoreCell();
    ADD_FAILURE() << "stored without a name";
  } catch (const CI& refusal) {
    EXPECT_EQ(refusal.message, "Name is required");
    EXPECT_EQ(refusal.column, 1);
  }
  EXPECT_EQ(TheModel().beamMaterials.count, 1);
  TableGoTo(table, 1);
  messages.clear();
  table.DeleteRow();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Beam_Material ST is in use, it cannot be deleted");
  EXPECT_EQ(TheModel().beamMaterials.count, 1);
  // The table's Nu follows the dialog's range.
  TableSetColumn(table, 4);
  g_EditFieldText = "0.5";
  EXPECT_THROW(table.StoreCell(), std::string);
  EXPECT_FLOAT_EQ(TheModel().beamMaterials[1].nu, 0.3f);
  // A pipe row's 190 is the pipe loads, a beam row's the beam loads.
  OnBeamRow(190);
  EXPECT_EQ(CurrentListOpener(), &OpenBeamLoadsTable);
}

TEST_F(BeamUiTest, TheBeamDialogShowsItsAxesAndStoresBetaAndReleases) {
  platform::ExpectModal(platform::ModalKind::Dialog, "BEAM_DIALOG1", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Beam from 20 to 30");
    EXPECT_EQ(Field(dialog, 1302), FormatFixedWidth(1.0, 6, 3));  // local x is +X
    EXPECT_EQ(Field(dialog, 1306), FormatFixedWidth(1.0, 6, 3));  // local y is +Y
    SetDlgItemText(dialog, 1301, "abc");
    ExpectRefusal(dialog, "Beta =  ABC  is invalid");
    SetDlgItemText(dialog, 1301, "6E38");  // 1.05E37 rad taken, but no float holds the degrees kept
    ExpectRefusal(dialog, "Beta =  6E38  is invalid");
    SetDlgItemText(dialog, 1301, "90");
    CheckDlgButton(dialog, 1102, BST_CHECKED);   // From: Major Bending
    CheckDlgButton(dialog, 1107, BST_CHECKED);   // To: Axial
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(RunElementKindDialog(LayoutFrame().window, 3, ElementType::Beam));
  const Beam& beam = static_cast<const Beam&>(*TheModel().row(3).element);
  EXPECT_FLOAT_EQ(beam.beta, 90.0f);
  EXPECT_EQ(beam.releases[kReleaseMajorBending], 1);
  EXPECT_EQ(beam.releases[6 + kReleaseAxial], 1);
  EXPECT_EQ(beam.releases[kReleaseAxial], 0);
  // The Beams list: nodes, beta and the releases' Y.
  OpenBeamsList();
  TableWindow& list = BeamsListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.CellText(1, 1, 0), "20");
  EXPECT_EQ(list.CellText(1, 2, 0), "30");
  EXPECT_EQ(list.CellText(1, 3, 0), "90");
  EXPECT_EQ(list.CellText(1, 6, 0), "Y");  // Maj Bend From
  EXPECT_EQ(list.CellText(1, 5, 0), "Y");  // Axial To
  EXPECT_EQ(list.CellText(1, 4, 0), "");
  // Beta typed in the list: the dialog's reading of the angle.
  TableSetColumn(list, 3);
  g_EditFieldText = "45";
  list.StoreCell();
  EXPECT_FLOAT_EQ(static_cast<const Beam&>(*TheModel().row(3).element).beta, 45.0f);
}

}  // namespace
