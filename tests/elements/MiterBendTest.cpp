// The miter bend: its flexibility factor and SIF as the analysis and the
// code take them (closely spaced, B31.3: k = 1.52/h^(5/6), i = 0.9/h^(2/3),
// a flanged end times h^(1/6)), MITER_DIALOG by the code's fields with
// every field message, the Miter bends list by code, and the printed
// section.
#include <algorithm>

#include "analysis/AnalysisTesting.h"
#include "analysis/ElementCaseInput.h"
#include "codes/CodeModel.h"
#include "codes/Sif.h"
#include "elements/BendAnalysis.h"
#include "elements/InlineTesting.h"
#include "elements/MiterBend.h"
#include "elements/MiterList.h"
#include "kindbase/ElementInputs.h"
#include "model/AnalysisElements.h"
#include "model/RowOperations.h"
#include "services/NumberText.h"

namespace {

// From 10, a pipe of 8.625 x 0.322 in to 20 (+48 X), a closely spaced
// miter of radius 12 in at 30 (+48 X), a pipe up to 40 (+48 Y); B31.3.
class MiterFactorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    using namespace analysis_testing;
    StartModel(model_, 70.0, kDensity, TempFolder() + "/miter.mod");
    PipeSection& section = model_.sections[1];
    section.outsideDiameter = 8.625f;
    section.thickness = 0.322f;
    PipeRow(model_, 10, ElementType::From, 0.0f);
    PipeRow(model_, 20, ElementType::Pipe, 48.0f);
    PipeRow(model_, 30, ElementType::Miter, 48.0f);
    PipeRow(model_, 40, ElementType::Pipe, 0.0f, 48.0f);
    Miter().radius = 12.0f;
    MakeModel(model_);
  }
  void TearDown() override { InitEmptyModel(model_, AnalysisOptions()); }
  MiterBend& Miter() { return static_cast<MiterBend&>(*model_.row(3).element); }
  // The miter's arc: its flexibility factor as its stiffness takes it, and
  // its in-plane SIF.
  std::pair<double, double> FactorAndSif() {
    AnalysisElementList elements;
    GenerateAnalysisElements(model_, elements);
    int arc = 0;
    for (int e = 1; e <= elements.count; ++e)
      if (elements[e].kind == 5) arc = e;
    EXPECT_NE(arc, 0);
    CaseLoadSet loads = CurrentCaseLoadSet(model_);
    loads.caseType = 1;  // the sustained case's values
    const BendElementBuild built = BuildBendElement(model_, MakeElementInput(model_, elements[arc], arc, loads));
    return {built.section.flexibilityFactor, BendSifs(CodeModel(model_, elements), arc).inPlane};
  }
  Model& model_ = TheModel();
};

TEST_F(MiterFactorsTest, AClosedSpacedMitersFactorAndSifWithAndWithoutAFlangedEnd) {
  // h = t R / r^2 = 0.322 x 12 / ((8.625 - 0.322) / 2)^2 = 0.224196.
  auto [k, sif] = FactorAndSif();
  EXPECT_NEAR(k, 5.2843, 5.2843e-3);
  EXPECT_NEAR(sif, 2.4387, 2.4387e-3);
  Miter().flangedEnds = 1;
  std::tie(k, sif) = FactorAndSif();
  EXPECT_NEAR(k, 4.1187, 4.1187e-3);
  EXPECT_NEAR(sif, 1.9008, 1.9008e-3);
  // A factor the user gives stands.
  Miter().flexibilityFactor = 3.0f;
  EXPECT_DOUBLE_EQ(FactorAndSif().first, 3.0);
}

// Row 3 of the List fixture a miter at node 30 turning up toward node 40.
class MiterBendTest : public InlineFixture {
 protected:
  static constexpr int kRow = 3;
  void SetUp() override {
    InlineFixture::SetUp();
    Model& model = TheModel();
    model.options.PipingCode = 1;  // one SIF
    SetElementType(model, kRow, ElementType::Miter);
    Miter().radius = 6.0f;
    model.row(4).dx = 0.0f;
    model.row(4).dy = 12.0f;
    MakeModel(model);
    model.modified = false;
  }
  static MiterBend& Miter() { return static_cast<MiterBend&>(*TheModel().row(kRow).element); }
  static void EditMiter(const std::function<void(HWND)>& script) { EditRow("MITER_DIALOG", kRow, script); }
};

TEST_F(MiterBendTest, TheDialogReadsTheBendsFieldsAndTheSpacing) {
  EditMiter([](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Miter bend at node 30");
    EXPECT_EQ(Field(dialog, 1101), "SIF");
    EXPECT_FALSE(Visible(dialog, 1305) || Visible(dialog, 1306));
    EXPECT_FALSE(Enabled(dialog, 1307) || Enabled(dialog, 1308));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1401), BST_CHECKED);
    EXPECT_EQ(Field(dialog, 1301), TrimmedText(FormatDimension(6.0f)));
    SetDlgItemText(dialog, 1301, "");
    ExpectRefused(dialog, "Radius is required", 1301);
    SetDlgItemText(dialog, 1301, "0.09");
    ExpectRefused(dialog, "Radius =  0.09  is invalid", 1301);
    SetDlgItemText(dialog, 1301, "9");
    SetDlgItemText(dialog, 1302, "2.3");
    ExpectRefused(dialog, "Thickness is greater than section radius", 1302);
    SetDlgItemText(dialog, 1302, "0.3");
    SetDlgItemText(dialog, 1303, "0");
    ExpectRefused(dialog, "Flexibility factor =  0  is invalid", 1303);
    SetDlgItemText(dialog, 1303, "");
    SetDlgItemText(dialog, 1304, "0.9");
    ExpectRefused(dialog, "SIF value is less than 1.00", 1304);
    SetDlgItemText(dialog, 1304, "1");
    CheckRadioButton(dialog, 1401, 1402, 1402);
    Ok(dialog);
  });
  const MiterBend& m = Miter();
  EXPECT_EQ(std::make_tuple(m.radius, m.radiusType, m.thickness, m.flexibilityFactor, m.spacing),
            std::make_tuple(9.0f, kBendRadiusUser, 0.3f, -1.0f, kMiterWidely));
  EXPECT_FLOAT_EQ(m.inPlaneSif, 1.0001f);
  EXPECT_FLOAT_EQ(m.outPlaneSif, 1.0001f);  // one SIF: the out-plane one is the same
  // The radius moved the arc: the near point lies 9 in before the corner.
  EXPECT_NEAR(NodeById(TheModel(), 30 + kArcNearOffset).x, 24.0f - 9.0f, 1.0e-4);

  // B31.3 with B31J: two factors, which may differ, and the four SIFs.
  TheModel().options.PipingCode = 3;
  TheModel().options.UseB31J = 1;
  EditMiter([](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1142), "Flexibility factor: In Plane");
    EXPECT_TRUE(Visible(dialog, 1306) && Visible(dialog, 1305));
    EXPECT_TRUE(Enabled(dialog, 1307) && Enabled(dialog, 1308));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1402), BST_CHECKED);
    SetDlgItemText(dialog, 1303, "2");
    SetDlgItemText(dialog, 1306, "3");
    SetDlgItemText(dialog, 1305, "2.5");
    SetDlgItemText(dialog, 1307, "1.5");
    SetDlgItemText(dialog, 1308, "1.2");
    Ok(dialog);
  });
  EXPECT_EQ(std::make_tuple(m.flexibilityFactor, m.outPlaneFlexibilityFactor, m.outPlaneSif, m.axialSif, m.torsionSif),
            std::make_tuple(2.0f, 3.0f, 2.5f, 1.5f, 1.2f));
}

TEST_F(MiterBendTest, TheListFollowsTheCodeAndThePrintedSectionShowsTheSpacing) {
  MiterBend& m = Miter();
  m.thickness = 0.25f;
  m.inPlaneSif = 1.5f;
  m.outPlaneSif = 1.75f;
  m.flexibilityFactor = 2.5f;
  ChooseList("&Miter bends");
  TableWindow& list = MitersListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.CellText(1, 1, 0), "30");
  EXPECT_EQ(list.CellText(1, 5, 0), "2.5");
  EXPECT_EQ(list.CellText(1, 7, 0), TrimmedText(FormatSif(1.5)));
  EXPECT_EQ(list.CellText(1, 11, 0), "Closely spaced");
  for (int column : {6, 8, 9, 10}) EXPECT_EQ(list.widths[static_cast<std::size_t>(column)], 0) << column;
  EXPECT_EQ(list.HeadingText(7, 0), "SIF");
  TheModel().options.PipingCode = 3;
  list.DefineColumns();
  EXPECT_GT(list.widths[8], 0);
  EXPECT_GT(list.widths[9], 0);
  EXPECT_EQ(list.widths[7], list.widths[8]);
  EXPECT_EQ(list.HeadingText(7, 0), "InPln");
  // Enter opens the dialog: the list is not typed in.
  platform::ExpectModal(platform::ModalKind::Dialog, "MITER_DIALOG", [](HWND dialog) { Cancel(dialog); });
  TableCommitCell(list, false);
  platform::CheckModalScript();

  const std::vector<std::string> text = Report("miters.txt", PrintMitersDetails);
  const std::string line = LineWith(text, "Closely spaced");
  ASSERT_FALSE(line.empty());
  EXPECT_EQ(At(line, 6, 8), "30");
  EXPECT_EQ(At(line, 39, 46), "2.5");
  EXPECT_EQ(At(line, 48, 55), TrimmedText(FormatSif(1.5)));
  EXPECT_EQ(At(line, 57, 64), TrimmedText(FormatSif(1.75)));
  EXPECT_EQ(At(line, 66, 80), "Closely spaced");
  const std::vector<std::string> csv = Report("miters.csv", PrintMitersDetails);
  const auto title = std::find(csv.begin(), csv.end(), "Miter bends,");
  ASSERT_TRUE(csv.end() - title > 5);
  EXPECT_EQ(*(title + 2), ",Radius,Thickness,");
  EXPECT_EQ(*(title + 5), "30," + TrimmedText(FormatDimension(6.0f)) + "," + TrimmedText(FormatDimension(0.25f)) +
                              ",,2.500,," + TrimmedText(FormatSif(1.5)) + "," + TrimmedText(FormatSif(1.75)) +
                              ",,,Closely spaced,");
}

}  // namespace
