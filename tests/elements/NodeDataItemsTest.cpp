// The data items that put a weight or a stress factor at a node, as a user
// enters them: the concentrated mass, the user SIF (one factor or the
// code's set), the weld and the flange with its weight tables. Each is
// typed into the Layout table's data column or opened with a double click
// there, refused field by field with the dialog's messages, listed through
// the List window's chooser (cells edited in place where the list allows),
// and printed as text and comma-separated lines.
#include <cmath>

#include "codes/CodeModel.h"
#include "codes/Sif.h"
#include "editing/TypePickers.h"
#include "elements/ConcentratedMass.h"
#include "elements/ConcentratedMassList.h"
#include "elements/Flange.h"
#include "elements/FlangeDialog.h"
#include "elements/FlangeList.h"
#include "elements/FlangeWeights.h"
#include "elements/InlineTesting.h"
#include "elements/UserSif.h"
#include "elements/UserSifList.h"
#include "elements/Weld.h"
#include "model/AnalysisElements.h"
#include "model/Nodes.h"
#include "platform/Input.h"
#include "services/NumberText.h"

namespace {

class NodeDataItemsTest : public InlineFixture {
 protected:
  // Types `text` into row `row`'s data column; the kind's dialog follows.
  static void TypeData(int row, const std::string& text) {
    ShowModelWindows();
    LayoutTable& layout = TheLayoutTable();
    TableGoTo(layout, row);
    layout.currentColumn = 9;
    TableLoadEditBuffer(layout);
    layout.editBuffer = text;
    layout.editChanged = true;
    TableCommitEdit(layout);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  // A double click on row `row`'s data column, answered by `script`.
  template <typename Script>
  static void EditData(const char* templateName, int row, Script script) {
    ShowModelWindows();
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, script);
    TableGoTo(TheLayoutTable(), row);
    TheLayoutTable().currentColumn = 9;
    TheLayoutTable().DoubleClick();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  template <typename Kind>
  static Kind& ItemAt(int row) {
    return dynamic_cast<Kind&>(*TheModel().row(row).item);
  }
  static std::string Dim(float value) { return TrimmedText(FormatDimension(value)); }
  static std::string Wgt(float value) { return TrimmedText(FormatWeight(value)); }
  static void ChooseCombo(HWND dialog, int index) {
    HWND combo = GetDlgItem(dialog, 1201);
    SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1201, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }
};

// --- concentrated mass ----------------------------------------------------------

TEST_F(NodeDataItemsTest, AConcentratedMassIsTypedRefusedFieldByFieldAndReopened) {
  platform::ExpectModal(platform::ModalKind::Dialog, "CMASS_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Concentrated mass at node 30");
    EXPECT_EQ(Field(dialog, 1601), UnitLabel(kUnitWeight));
    EXPECT_EQ(Field(dialog, 1501), std::string("DX ") + UnitLabel(kUnitDimension));
    EXPECT_EQ(Field(dialog, 1503), std::string("DZ ") + UnitLabel(kUnitDimension));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    SetDlgItemText(dialog, 1301, "heavy");
    ExpectRefused(dialog, "Weight =  HEAVY  is invalid", 1301);
    SetDlgItemText(dialog, 1301, "100");
    SetDlgItemText(dialog, 1302, "10");
    SetDlgItemText(dialog, 1303, "0");
    SetDlgItemText(dialog, 1304, "z");
    ExpectRefused(dialog, "DZ =  Z  is invalid", 1304);
    SetDlgItemText(dialog, 1304, "-2.5");  // negative offsets are allowed
    Ok(dialog);
  });
  TypeData(3, "Conc mass");
  ASSERT_EQ(TheModel().row(3).dataType, DataType::ConcentratedMass);
  const auto& mass = ItemAt<ConcentratedMass>(3);
  EXPECT_EQ(std::vector<float>({mass.weight, mass.dx, mass.dy, mass.dz}),
            std::vector<float>({100.0f, 10.0f, 0.0f, -2.5f}));
  EXPECT_TRUE(TheModel().modified);
  // Reopened with its values; OK with nothing changed leaves the model
  // unmodified, Cancel too.
  TheModel().modified = false;
  EditData("CMASS_DIALOG", 3, [](HWND dialog) {
    EXPECT_EQ(Dim(std::stof(Field(dialog, 1304))), Dim(-2.5f));
    EXPECT_EQ(std::stof(Field(dialog, 1301)), 100.0f);
    Ok(dialog);
  });
  EXPECT_FALSE(TheModel().modified);
  // Results shown: read-only, OK stores nothing.
  SetTableResultsShown(true);
  platform::ExpectModal(platform::ModalKind::Dialog, "CMASS_DIALOG", [](HWND dialog) {
    EXPECT_TRUE(ReadOnly(dialog, 1301));
    EXPECT_TRUE(ReadOnly(dialog, 1304));
    SetDlgItemText(dialog, 1301, "5");
    Ok(dialog);
  });
  EXPECT_FALSE(RunDataKindDialog(nullptr, 3, DataType::ConcentratedMass));
  EXPECT_EQ(mass.weight, 100.0f);
}

TEST_F(NodeDataItemsTest, TheConcentratedMassesListEditsInPlaceAndPrints) {
  Model& model = TheModel();
  PutItem(model, 3, DataType::ConcentratedMass);
  ItemAt<ConcentratedMass>(3).weight = 250.0f;
  PutItem(model, 4, DataType::ConcentratedMass);
  auto& offset = ItemAt<ConcentratedMass>(4);
  offset.weight = 40.0f;
  offset.dy = 18.0f;
  MakeModel(model);
  ShowModelWindows();
  ChooseList("&Concen. masses");
  ASSERT_EQ(CurrentListOpener(), &OpenConcentratedMassesList);
  TableWindow& list = ConcentratedMassesListTable();
  ASSERT_EQ(list.rowCount, 2);
  EXPECT_EQ(list.HeadingText(2, 0), "Weight");
  EXPECT_EQ(list.HeadingText(2, 1), UnitLabel(kUnitWeight));
  EXPECT_EQ(list.HeadingText(5, 0), "DZ");
  EXPECT_EQ(list.CellText(1, 1, 0), "30");
  EXPECT_EQ(TrimmedText(list.CellText(1, 2, 0).c_str()), Wgt(250.0f));
  EXPECT_EQ(list.CellText(1, 3, 0), "");  // a mass at its node shows no offsets
  EXPECT_EQ(TrimmedText(list.CellText(2, 4, 0).c_str()), Dim(18.0f));
  EXPECT_EQ(TrimmedText(list.CellText(2, 3, 0).c_str()), Dim(0.0f));  // an offset mass shows all three
  // Typed cells: a refused one names its field and keeps the value.
  model.modified = false;
  TypeCell(list, 1, 2, "1e");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Weight =  1e  is invalid");
  EXPECT_EQ(ItemAt<ConcentratedMass>(3).weight, 250.0f);
  EXPECT_FALSE(model.modified);
  TypeCell(list, 1, 5, "-6");
  EXPECT_EQ(ItemAt<ConcentratedMass>(3).dz, -6.0f);
  EXPECT_TRUE(model.modified);
  // Printed.
  const std::vector<std::string> text = Report("masses.txt", PrintConcentratedMasses);
  const std::string first = LineWith(text, "    30");
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(At(first, 6, 9), "30");
  EXPECT_EQ(At(first, 15, 18), Wgt(250.0f));  // a decimal point would stand at column 19
  EXPECT_EQ(At(first, 44, 54), Dim(-6.0f));
  EXPECT_EQ(static_cast<int>(first.size()), 54);  // right-aligned to end at 54
  const std::string second = LineWith(text, "    40");
  EXPECT_EQ(At(second, 33, 43), Dim(18.0f));
  EXPECT_EQ(At(second, 21, 32), "");  // DX of 0 is left out
  const std::vector<std::string> csv = Report("masses.csv", PrintConcentratedMasses);
  EXPECT_FALSE(LineWith(csv, ",Weight,DX,DY,DZ").empty());
  EXPECT_EQ(LineWith(csv, "40,"), "40," + Wgt(40.0f) + "," + Dim(0.0f) + "," + Dim(18.0f) + "," + Dim(0.0f) + ",");
}

// --- user SIF and weld ---------------------------------------------------------------

TEST_F(NodeDataItemsTest, OneFactorUserSifUnderB311SetsBothBendingFactors) {
  TheModel().options.PipingCode = 1;  // B31.1: one factor
  platform::ExpectModal(platform::ModalKind::Dialog, "DTYPES_DIALOG", [](HWND dialog) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1422, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1422)));
    Ok(dialog);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "USER_SIF1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "User SIF at node 30");
    ExpectRefused(dialog, "SIF value is required", 1301);
    SetDlgItemText(dialog, 1301, "0");
    ExpectRefused(dialog, "SIF value =  0  is invalid", 1301);
    SetDlgItemText(dialog, 1301, "0.9");
    ExpectRefused(dialog, "SIF value is less than 1.00", 1301);
    SetDlgItemText(dialog, 1301, "1.5");
    Ok(dialog);
  });
  ShowModelWindows();
  TableGoTo(TheLayoutTable(), 3);
  PickRowDataType(TheLayoutTable());
  platform::CheckModalScript();
  const auto& sif = ItemAt<UserSif>(3);
  EXPECT_EQ(std::vector<float>({sif.inPlaneSif, sif.outPlaneSif, sif.axialSif, sif.torsionSif}),
            std::vector<float>({1.5f, 1.5f, 0.0f, 0.0f}));
  // The list shows one factor column; its text report one "SIF" column.
  ChooseList("&User SIFs");
  TableWindow& list = UserSifsListTable();
  EXPECT_EQ(list.HeadingText(2, 0), "SIF");
  EXPECT_EQ(list.HeadingText(3, 0), "");
  EXPECT_EQ(list.CellText(1, 2, 0), FormatFixedWidth(1.5, 10, 2));
  EXPECT_EQ(list.CellText(1, 3, 0), "");
  EXPECT_EQ(list.widths[3], 0);  // hidden
  const std::vector<std::string> text = Report("sifs.txt", PrintUserSifs);
  EXPECT_FALSE(LineWith(text, "     Node      SIF").empty());
  EXPECT_EQ(At(LineWith(text, "    30"), 15, 24), "1.50");
  const std::vector<std::string> csv = Report("sifs.csv", PrintUserSifs);
  EXPECT_FALSE(LineWith(csv, "Node,In plane,Out Plane,Axial,Torsion").empty());
  EXPECT_EQ(LineWith(csv, "30,"), "30," + TrimmedText(FormatSif(1.5)) + ",,,");
}

TEST_F(NodeDataItemsTest, TheB313UserSifTakesAxialAndWithB31jTorsionFactors) {
  Model& model = TheModel();
  model.options.PipingCode = 3;
  platform::ExpectModal(platform::ModalKind::Dialog, "USER_SIF2_DIALOG", [](HWND dialog) {
    EXPECT_TRUE(Enabled(dialog, 1303));
    EXPECT_FALSE(Enabled(dialog, 1304));  // no B31J
    SetDlgItemText(dialog, 1301, "2");
    ExpectRefused(dialog, "SIF value is required", 1302);
    SetDlgItemText(dialog, 1302, "1.5");
    SetDlgItemText(dialog, 1303, "1.0");  // given as 1: kept as 1.0001
    Ok(dialog);
  });
  EXPECT_TRUE(RunDataKindDialog(nullptr, 3, DataType::UserSif));
  platform::CheckModalScript();
  auto& sif = ItemAt<UserSif>(3);
  EXPECT_EQ(std::vector<float>({sif.inPlaneSif, sif.outPlaneSif, sif.axialSif, sif.torsionSif}),
            std::vector<float>({2.0f, 1.5f, 1.0001f, 0.0f}));
  model.options.UseB31J = 1;
  platform::ExpectModal(platform::ModalKind::Dialog, "USER_SIF2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1303), "1.00");  // above 1.0: shown
    EXPECT_EQ(Field(dialog, 1304), "");      // 0: empty
    EXPECT_TRUE(Enabled(dialog, 1304));
    SetDlgItemText(dialog, 1304, "-1");
    ExpectRefused(dialog, "SIF value =  -1  is invalid", 1304);
    SetDlgItemText(dialog, 1304, "0.5");
    ExpectRefused(dialog, "SIF value is less than 1.00", 1304);
    SetDlgItemText(dialog, 1303, "");
    SetDlgItemText(dialog, 1304, "1.2");
    Ok(dialog);
  });
  EXPECT_TRUE(RunDataKindDialog(nullptr, 3, DataType::UserSif));
  EXPECT_EQ(sif.axialSif, 0.0f);
  EXPECT_EQ(sif.torsionSif, 1.2f);
  // The list: every factor of B31.3 with B31J; the two bending columns one width.
  model.options.UseB31J = 0;
  MakeModel(model);
  ShowModelWindows();
  ChooseList("&User SIFs");
  TableWindow& list = UserSifsListTable();
  EXPECT_EQ(list.HeadingText(2, 0), "In Plane");
  EXPECT_EQ(list.HeadingText(3, 0), "Out Plane");
  EXPECT_EQ(list.HeadingText(4, 0), "Axial SIF");
  EXPECT_EQ(list.HeadingText(5, 0), "");
  EXPECT_EQ(list.widths[2], list.widths[3]);
  const std::vector<std::string> csv = Report("sifs.csv", PrintUserSifs);
  EXPECT_EQ(LineWith(csv, "30,"), "30," + TrimmedText(FormatSif(2.0)) + "," + TrimmedText(FormatSif(1.5)) + "," +
                                      TrimmedText(FormatSif(0.0)) + ",,");
  const std::vector<std::string> text = Report("sifs.txt", PrintUserSifs);
  const std::string line = LineWith(text, "    30");
  EXPECT_EQ(At(line, 15, 24), "2.00");
  EXPECT_EQ(At(line, 27, 36), "1.50");
}

// A B31.3 L in the horizontal X-Z plane (Y vertical), anchored at 10: the
// user SIF at 10 replaces the factors of the element ending there (in-plane
// 2.0, out-plane 1.5, whatever the pipe gives); a weld's factor at the
// same node does not win over it.
TEST_F(NodeDataItemsTest, AUserSifReplacesTheFactorsAtItsNode) {
  Model& model = TheModel();
  model.options.PipingCode = 3;
  PutItem(model, 1, DataType::UserSif);
  auto& sif = ItemAt<UserSif>(1);
  sif.inPlaneSif = 2.0f;
  sif.outPlaneSif = 1.5f;
  MakeModel(model);
  AnalysisElementList elements;
  GenerateAnalysisElements(model, elements);
  const int node = FindNodeIndex(model.nodes, 10);
  SifTables sifs = ComputeSifs(CodeModel(model, elements));
  int found = 0;
  for (int i = 1; i <= elements.count; ++i) {
    if (elements[i].node1 != node) continue;
    ++found;
    EXPECT_DOUBLE_EQ(sifs.elements[static_cast<std::size_t>(i)].ends[0].inPlane, 2.0);
    EXPECT_DOUBLE_EQ(sifs.elements[static_cast<std::size_t>(i)].ends[0].outPlane, 1.5);
  }
  EXPECT_EQ(found, 1);
}

TEST_F(NodeDataItemsTest, AWeldTypedAsAButtWeldTakesAMismatchAFilletWeldNone) {
  platform::ExpectModal(platform::ModalKind::Dialog, "WELD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Weld at node 30");
    EXPECT_EQ(SendMessage(GetDlgItem(dialog, 1201), CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessage(GetDlgItem(dialog, 1201), CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(Enabled(dialog, 1301));
    EXPECT_EQ(Field(dialog, 1601), UnitLabel(kUnitDimension));
    SetDlgItemText(dialog, 1301, "-0.1");
    ExpectRefused(dialog, "Mismatch =  -0.1  is invalid", 1301);
    SetDlgItemText(dialog, 1301, "0.0625");
    Ok(dialog);
  });
  TypeData(3, "Butt weld");
  ASSERT_EQ(TheModel().row(3).dataType, DataType::Weld);
  auto& weld = ItemAt<Weld>(3);
  EXPECT_EQ(weld.type, 1);
  EXPECT_FLOAT_EQ(weld.mismatch, 0.0625f);
  EXPECT_EQ(WeldText(weld), "Butt weld, Mismatch = " + Dim(0.0625f) + " " + UnitLabel(kUnitDimension));
  // Changed to a fillet weld: the field is cleared and disabled, so the
  // mismatch stored is 0.
  EditData("WELD_DIALOG", 3, [](HWND dialog) {
    EXPECT_EQ(Dim(std::stof(Field(dialog, 1301))), Dim(0.0625f));
    ChooseCombo(dialog, 1);
    EXPECT_FALSE(Enabled(dialog, 1301));
    EXPECT_EQ(Field(dialog, 1301), "");
    Ok(dialog);
  });
  EXPECT_EQ(weld.type, 2);
  EXPECT_EQ(weld.mismatch, 0.0f);
  EXPECT_EQ(WeldText(weld), "Fillet weld");
  weld.type = 0;
  EXPECT_EQ(WeldText(weld), "???");
  weld.type = 2;
  // Listed and printed.
  ShowModelWindows();
  ChooseList("&Welds");
  TableWindow& list = WeldsListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.CellText(1, 2, 0), "Fillet weld");
  EXPECT_EQ(At(LineWith(Report("welds.txt", PrintWelds), "    30"), 13, 40), "Fillet weld");
  const std::vector<std::string> csv = Report("welds.csv", PrintWelds);
  EXPECT_FALSE(LineWith(csv, "Node,Type").empty());
  EXPECT_EQ(LineWith(csv, "30,"), "30,Fillet weld,");
}

// --- flange and its weight tables -------------------------------------------------

TEST(FlangeWeightTablesTest, SizesRatingsAndTheNominalSizeOfAnOutsideDiameter) {
  EXPECT_EQ(NominalSizeFromOd(6.625f), 6.0f);
  EXPECT_EQ(NominalSizeFromOd(1.05f), 0.75f);
  EXPECT_EQ(NominalSizeFromOd(4.0f), 3.5f);
  EXPECT_EQ(NominalSizeFromOd(16.005f), 16.0f);
  EXPECT_EQ(NominalSizeFromOd(44.0f), 44.0f);
  EXPECT_EQ(NominalSizeFromOd(7.0f), 7.0f);  // no standard size: the diameter
  // 3.5 in is an ANSI size only, 0.5 and 0.75 in European sizes only.
  EXPECT_EQ(FlangeWeightSizeIndex(FlangeWeightTable::Ansi, 3.5f), 4);
  EXPECT_EQ(FlangeWeightSizeIndex(FlangeWeightTable::European, 3.5f), -1);
  EXPECT_EQ(FlangeWeightSizeIndex(FlangeWeightTable::European, 0.75f), 1);
  EXPECT_EQ(FlangeWeightSizeIndex(FlangeWeightTable::Ansi, 0.75f), -1);
  EXPECT_EQ(FlangeTableWeight(FlangeWeightTable::Ansi, FlangeWeightSizeIndex(FlangeWeightTable::Ansi, 24.0f), 6),
            8306.0f);
  EXPECT_EQ(FlangeTableWeight(FlangeWeightTable::Ansi, 0, 6), 0.0f);  // 1-1/2" class 1500: none
  EXPECT_EQ(FlangeTableWeight(FlangeWeightTable::European, 10, 3), 52.02f);
  EXPECT_EQ(FlangeTableWeight(FlangeWeightTable::European, 10, 6), 0.0f);  // outside the table
  EXPECT_EQ(FlangeRatingCount(FlangeWeightTable::Ansi), 7);
  EXPECT_STREQ(FlangeRatingName(FlangeWeightTable::European, 5), "PN100");
}

TEST_F(NodeDataItemsTest, TheFlangeDialogTakesItsWeightFromTheEuropeanLibrary) {
  Model& model = TheModel();
  PipeSection six;
  InitSection(six);
  six.name = "S6";
  six.outsideDiameter = 6.625f;
  six.thickness = 0.28f;
  AppendSection(model.sections, six);
  model.row(2).section = "S6";
  model.row(3).section.clear();
  MakeModel(model);
  // Row 3 names no section: row 2's is found.
  EXPECT_EQ(FlangeRowSection(model, 3), FindSectionByName(model.sections, "S6"));
  EXPECT_EQ(FlangeRowSection(model, 1), 0);
  platform::ExpectModal(platform::ModalKind::Dialog, "FLANGE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Flange at node 30");
    EXPECT_EQ(SendMessage(GetDlgItem(dialog, 1201), CB_GETCOUNT, 0, 0), 7);
    // The ANSI table has 6 in; Cancel there leaves the field.
    platform::ExpectModal(platform::ModalKind::Dialog, "FLANGE_LIBRARY_DIALOG", [](HWND library) {
      EXPECT_EQ(Field(library, 1501), "Size = 6\"");
      Cancel(library);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1001)));
    EXPECT_EQ(Field(dialog, 1301), "");
    // European PN40, single flange: 52.02 / 2.
    platform::ExpectModal(platform::ModalKind::Dialog, "FLANGE_LIBRARY_DIALOG", [](HWND library) {
      EXPECT_EQ(Field(library, 1502), "Weight is of 2 flanges");
      CheckDlgButton(library, 1101, BST_CHECKED);
      SendMessage(library, WM_COMMAND, MAKEWPARAM(1101, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(library, 1101)));
      SendMessage(GetFocus(), WM_KEYDOWN, VK_DOWN, 0);
      SendMessage(GetFocus(), WM_KEYDOWN, VK_DOWN, 0);
      Ok(library);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1002)));
    EXPECT_EQ(Field(dialog, 1301), FormatWeight(26.01f));
    SetDlgItemText(dialog, 1303, "-5");
    ExpectRefused(dialog, "Allowable Pressure =  -5  is invalid", 1303);
    SetDlgItemText(dialog, 1303, "720");
    SetDlgItemText(dialog, 1302, "7.5");
    ChooseCombo(dialog, 2);
    Ok(dialog);
  });
  TypeData(3, "Flange");
  ASSERT_EQ(model.row(3).dataType, DataType::Flange);
  const auto& flange = ItemAt<Flange>(3);
  EXPECT_EQ(flange.type, 3);
  EXPECT_NEAR(flange.weight, 26.01f, 0.005f);
  EXPECT_EQ(flange.gasketDiameter, 7.5f);
  EXPECT_EQ(flange.allowablePressure, 720.0f);
}

TEST_F(NodeDataItemsTest, AFlangeWithoutASizeInTheTableOrASectionSaysSo) {
  Model& model = TheModel();
  // S4 is 4.5 in, nominal 4: in both tables. A 7 in pipe is in neither.
  PipeSection odd;
  InitSection(odd);
  odd.name = "S7";
  odd.outsideDiameter = 7.0f;
  odd.thickness = 0.3f;
  AppendSection(model.sections, odd);
  model.row(3).section = "S7";
  MakeModel(model);
  PutItem(model, 3, DataType::Flange);
  platform::ExpectModal(platform::ModalKind::Dialog, "FLANGE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(SendMessage(GetDlgItem(dialog, 1201), CB_GETCURSEL, 0, 0), CB_ERR);  // type 0: none selected
    SetDlgItemText(dialog, 1301, "12");
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND box) {
      EXPECT_EQ(LinesOfDialog(box).at(0),
                std::string(" Flange data not available for this diameter: ") + FormatDimension(7.0f) + " " +
                    UnitLabel(kUnitDimension));
      Ok(box);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1001)));
    EXPECT_EQ(std::stof(Field(dialog, 1301)), 12.0f);  // left as it was
    Ok(dialog);
  });
  EXPECT_TRUE(RunDataKindDialog(nullptr, 3, DataType::Flange));
  platform::CheckModalScript();
  EXPECT_EQ(ItemAt<Flange>(3).type, 0);  // no choice made keeps type 0
  EXPECT_EQ(ItemAt<Flange>(3).weight, 12.0f);
  // The list: three columns typed in place; a negative pressure refused.
  ShowModelWindows();
  ChooseList("&Flanges");
  TableWindow& list = FlangesListTable();
  EXPECT_EQ(list.CellText(1, 2, 0), "???");
  EXPECT_EQ(list.CellText(1, 4, 0), "");  // gasket diameter 0
  EXPECT_EQ(list.HeadingText(5, 1), UnitLabel(kUnitPressure));
  TypeCell(list, 1, 5, "-1");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Allowable Pressure =  -1  is invalid");
  TypeCell(list, 1, 4, "6.5");
  EXPECT_EQ(ItemAt<Flange>(3).gasketDiameter, 6.5f);
  const std::vector<std::string> csv = Report("flanges.csv", PrintFlanges);
  EXPECT_FALSE(LineWith(csv, "Node,Type,Weight,Gasket Dia,Allowable pressure").empty());
  EXPECT_EQ(LineWith(csv, "30,"), "30,???," + Wgt(12.0f) + "," + Dim(6.5f) + "," +
                                      TrimmedText(FormatPressure(0.0f)) + ",");
  const std::string line = LineWith(Report("flanges.txt", PrintFlanges), "    30");
  EXPECT_EQ(At(line, 13, 20), "???");
  EXPECT_EQ(At(line, 38, 45), Wgt(12.0f));
  EXPECT_EQ(At(line, 59, 70), "");  // pressure 0 left out
}

}  // namespace
