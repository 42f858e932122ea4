// The branch SIF as a user enters it: typed into the Layout table's data
// column ("Reinf tee") or picked, its dialog with the fields each type
// shows and every refusal, results mode, the "Branch SIFs" list and its
// printed section, the check against the piping code before a save, and
// the code's SIFs that the tee so entered gives.
#include "model/ListTesting.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include "codes/CodeModel.h"
#include "codes/Sif.h"
#include "editing/LayoutTable.h"
#include "editing/TypePickers.h"
#include "elements/BranchSif.h"
#include "elements/BranchSifList.h"
#include "elements/KindTable.h"
#include "model/AnalysisElements.h"
#include "model/ListWindow.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "printing/ReportOutput.h"
#include "services/TempFiles.h"
#include "services/Units.h"

namespace {

class BranchSifTest : public ListFixture {
 protected:
  // A 2" branch (2.375 x 0.154) from node 20 up to 25: row 6 is "From 20".
  void SetUp() override {
    ListFixture::SetUp();
    Model& model = TheModel();
    PipeSection two;
    InitSection(two);
    two.name = "S2";
    two.outsideDiameter = 2.375f;
    two.thickness = 0.154f;
    AppendSection(model.sections, two);
    AddRow(model, 20, ElementType::From);
    const int branch = AddRow(model, 25, ElementType::Pipe, 0.0f, 12.0f);
    model.row(branch).material = "CS";
    model.row(branch).section = "S2";
    model.row(branch).load = "L1";
    for (int row : {3, 4}) {
      model.row(row).material = "CS";
      model.row(row).section = "S4";
      model.row(row).load = "L1";
    }
    MakeModel(model);
    model.modified = false;
    ShowModelWindows();
  }
  void TearDown() override {
    SetTableResultsShown(false);
    ListFixture::TearDown();
  }
  static void TypeData(int row, const std::string& text) {
    LayoutTable& layout = TheLayoutTable();
    TableGoTo(layout, row);
    layout.currentColumn = 9;
    TableLoadEditBuffer(layout);
    layout.editBuffer = text;
    layout.editChanged = true;
    TableCommitEdit(layout);
    platform::CheckModalScript();
  }
  static std::string Field(HWND dialog, int item) { return TextOf(GetDlgItem(dialog, item)); }
  static bool Shown(HWND dialog, int item) { return IsWindowVisible(GetDlgItem(dialog, item)) != FALSE; }
  static std::string ComboText(HWND dialog) {
    HWND combo = GetDlgItem(dialog, 1201);
    char text[80] = "";
    SendMessage(combo, CB_GETLBTEXT, SendMessage(combo, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(text));
    return text;
  }
  static void ChooseType(HWND dialog, int index) {
    HWND combo = GetDlgItem(dialog, 1201);
    SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1201, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
  }
  static void ExpectMessage(const std::string& line) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [line](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog).at(0), line);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  static int ClientHeight(HWND dialog) {
    RECT rect{};
    GetClientRect(dialog, &rect);
    return rect.bottom;
  }
  static const BranchSif& Item(int row) { return static_cast<const BranchSif&>(*TheModel().row(row).item); }
  static std::string Dim(float value) { return std::string(FormatDimension(value)) + " " + UnitLabel(kUnitDimension); }
};

TEST_F(BranchSifTest, TypedIntoTheDataColumnItOpensWithItsTypeAndRefusesBadFields) {
  platform::ExpectModal(platform::ModalKind::Dialog, "BRANCH_SIF_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Branch SIF at node 20");
    EXPECT_EQ(ComboText(dialog), "Reinforced fabricated tee");
    EXPECT_EQ(SendMessage(GetDlgItem(dialog, 1201), CB_GETCOUNT, 0, 0), 6);  // B31.3 offers types 1 .. 6
    EXPECT_EQ(Field(dialog, 1501), "Pad thickness");
    EXPECT_TRUE(Shown(dialog, 1301));
    EXPECT_FALSE(Shown(dialog, 1302));
    EXPECT_EQ(Field(dialog, 1601), UnitLabel(kUnitDimension));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1303)));  // no B31J
    ExpectMessage("Thickness is required");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    SetDlgItemText(dialog, 1301, "0.0005");
    ExpectMessage("Thickness =  0.0005  is invalid");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    SetDlgItemText(dialog, 1301, "0.5");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  TypeData(6, "Reinf tee");
  ASSERT_EQ(TheModel().row(6).dataType, DataType::BranchSif);
  EXPECT_EQ(Item(6).type, 2);
  EXPECT_FLOAT_EQ(Item(6).dimension1, 0.5f);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(TheLayoutTable().CellText(6, 9, 0), "Reinf tee");
  // Reopened: its values; another type lays out its own rows and the
  // dialog grows with them; OK with nothing changed stores nothing.
  TheModel().modified = false;
  platform::ExpectModal(platform::ModalKind::Dialog, "BRANCH_SIF_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), FormatDimension(0.5f));
    const int oneRow = ClientHeight(dialog);
    ChooseType(dialog, 0);  // welding tee: no field
    EXPECT_FALSE(Shown(dialog, 1301));
    EXPECT_LT(ClientHeight(dialog), oneRow);
    ChooseType(dialog, 1);
    EXPECT_EQ(Field(dialog, 1301), "");  // a new layout starts empty
    SetDlgItemText(dialog, 1301, FormatDimension(0.5f));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(RunDataKindDialog(nullptr, 6, DataType::BranchSif));
  platform::CheckModalScript();
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(BranchSifTest, TwoFieldTypesB31jFlangesAndResultsMode) {
  Model& model = TheModel();
  model.options.PipingCode = 13;  // Norwegian: 1, 3, 7, 8, 2
  platform::ExpectModal(platform::ModalKind::Dialog, "BRANCH_SIF_DIALOG", [](HWND dialog) {
    EXPECT_EQ(ComboText(dialog), "Welding tee");
    ChooseType(dialog, 2);  // radiused branch
    EXPECT_EQ(ComboText(dialog), "Radiused branch (Item 6)");
    EXPECT_EQ(Field(dialog, 1501), "Fillet radius (r)");
    EXPECT_EQ(Field(dialog, 1502), "Effective wall");
    EXPECT_EQ(Field(dialog, 1503), "thickness (Se)");
    SetDlgItemText(dialog, 1301, "0.75");
    ExpectMessage("Thickness is required");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1302));
    SetDlgItemText(dialog, 1302, "0.3");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(RunDataKindDialog(nullptr, 6, DataType::BranchSif));
  platform::CheckModalScript();
  EXPECT_EQ(Item(6).type, 7);
  EXPECT_FLOAT_EQ(Item(6).dimension2, 0.3f);
  EXPECT_EQ(BranchSifText(Item(6), 13, false), "Radiused branch (Item 6), r = " + Dim(0.75f) + ", Te = " + Dim(0.3f));
  // With B31J the types are 1 .. 6 whatever the code, and the flanges are
  // read: 0 to 2.
  model.options.UseB31J = 1;
  platform::ExpectModal(platform::ModalKind::Dialog, "BRANCH_SIF_DIALOG", [](HWND dialog) {
    EXPECT_EQ(SendMessage(GetDlgItem(dialog, 1201), CB_GETCOUNT, 0, 0), 6);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1303)));
    ChooseType(dialog, 2);  // unreinforced fabricated tee
    SetDlgItemText(dialog, 1303, "3");
    ExpectMessage("Number should be 1 or 2");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1303));
    SetDlgItemText(dialog, 1303, "2");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(RunDataKindDialog(nullptr, 6, DataType::BranchSif));
  EXPECT_EQ(Item(6).type, 3);
  EXPECT_EQ(Item(6).flanges, 2);
  EXPECT_EQ(BranchSifText(Item(6), 3, true), "Unreinforced fabricated tee ,No. of flanges = 2");
  // While results are shown the dialog only shows.
  SetTableResultsShown(true);
  platform::ExpectModal(platform::ModalKind::Dialog, "BRANCH_SIF_DIALOG", [](HWND dialog) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1201)));
    EXPECT_NE(GetWindowLongPtr(GetDlgItem(dialog, 1303), GWL_STYLE) & ES_READONLY, 0);
    SetDlgItemText(dialog, 1303, "1");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(RunDataKindDialog(nullptr, 6, DataType::BranchSif));
  EXPECT_EQ(Item(6).flanges, 2);
}

TEST_F(BranchSifTest, APickedTeeGivesItsCodesSifs) {
  platform::ExpectModal(platform::ModalKind::Dialog, "DTYPES_DIALOG", [](HWND dialog) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1402, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1402)));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "BRANCH_SIF_DIALOG", [](HWND dialog) {
    EXPECT_EQ(ComboText(dialog), "Welding tee");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  TableGoTo(TheLayoutTable(), 6);
  PickRowDataType(TheLayoutTable());
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().row(6).dataType, DataType::BranchSif);
  // The 4" run (T = 0.237, r2 = 2.1315) with a welding tee: h = 3.1 T / r2
  // = 0.344687, io = 0.9 / h^(2/3) = 1.83074; B31.3 ii = 0.75 io + 0.25 =
  // 1.62305 on every end at node 20, the 2" branch's too; B31.1 ii = io.
  Model& model = TheModel();
  AnalysisElementList elements;
  GenerateAnalysisElements(model, elements);
  const int node = FindNodeIndex(model.nodes, 20);
  int branch = 0;
  for (int i = 1; i <= elements.count; ++i)
    if (elements[i].node1 == node && elements[i].section == 2) branch = i;
  ASSERT_NE(branch, 0);
  SifTables sifs = ComputeSifs(CodeModel(model, elements));
  EXPECT_NEAR(sifs.elements[static_cast<std::size_t>(branch)].ends[0].inPlane, 1.62305, 1e-4);
  EXPECT_NEAR(sifs.elements[static_cast<std::size_t>(branch)].ends[0].outPlane, 1.83074, 1e-4);
  model.options.PipingCode = 1;
  sifs = ComputeSifs(CodeModel(model, elements));
  EXPECT_NEAR(sifs.elements[static_cast<std::size_t>(branch)].ends[0].inPlane, 1.83074, 1e-4);
}

TEST_F(BranchSifTest, TheListItsPrintedSectionAndTheCheckBeforeASave) {
  Model& model = TheModel();
  PutItem(model, 6, DataType::BranchSif);
  auto& tee = static_cast<BranchSif&>(*model.row(6).item);
  tee.type = 9;
  tee.dimension1 = 1.5f;
  MakeModel(model);
  // The list, through the List window's chooser.
  const int lists = BuildListMenu();
  platform::ExpectModal(platform::ModalKind::Dialog, ListDialogTemplateName(lists), [lists](HWND dialog) {
    for (int item = 1401; item <= 1400 + lists; ++item)
      if (TextOf(GetDlgItem(dialog, item)) == "&Branch SIFs") CheckRadioButton(dialog, 1401, 1400 + lists, item);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(ListFrame().window, WM_COMMAND, 302, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_EQ(CurrentListOpener(), &OpenBranchSifsList);
  TableWindow& list = BranchSifsListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.HeadingText(2, 0), "Type");
  EXPECT_EQ(list.CellText(1, 1, 0), "20");
  EXPECT_EQ(list.CellText(1, 2, 0), "Branch connection, Branch radius (rp) = " + Dim(1.5f));
  // Printed: the text at column 13 under "Type"; comma-separated one line.
  const std::string folder = TempFolder();
  auto report = [&folder](const std::string& name) {
    EXPECT_TRUE(ReportOpenFile(nullptr, folder + "/" + name));
    PrintBranchSifs();
    EXPECT_TRUE(ReportCloseFile());
    std::ifstream file(folder + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  };
  const std::string text = report("sifs.txt");
  EXPECT_NE(text.find("     Node   Type"), std::string::npos);
  EXPECT_NE(text.find("     20     Branch connection, Branch radius (rp) = " + Dim(1.5f)), std::string::npos);
  const std::string csv = report("sifs.csv");
  EXPECT_NE(csv.find("Node, Type,"), std::string::npos);
  EXPECT_NE(csv.find("20,\"Branch connection, Branch radius (rp) = " + Dim(1.5f) + "\","), std::string::npos);
  // Saving under the Swedish code, which has no branch connection, offers
  // the unreinforced branch; the dimension stays.
  model.options.PipingCode = 18;
  model.path = folder + "/tee.mod";
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    const auto lines = LinesOfDialog(dialog);
    EXPECT_EQ(lines.at(0), "'Branch SIF = Branch conn.' not valid for 'Piping Code = Swedish' at Node 20.");
    EXPECT_EQ(lines.at(1), "Do you want to replace with 'Unreinf tee'?");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 104, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(tee.type, 3);
  EXPECT_FLOAT_EQ(tee.dimension1, 1.5f);
  EXPECT_EQ(model.currentRow, 6);
  EXPECT_FALSE(model.modified);  // saved with the change
  // A valid type asks nothing.
  SendMessage(LayoutFrame().window, WM_COMMAND, 104, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
}

}  // namespace
