// The lug evaluation tool through the program's own commands: File > New
// (the chooser's lug evaluation) takes the List frame and Close gives it
// back; the dialog for a rectangular lug under ASME NC with the values of
// the hand calculation, its messages (required, invalid, negative Abs.
// Max., the geometry limits), a code chosen then cancelled leaving the
// inputs, EN's labels with the Settlement row disabled and the ASME
// allowables cleared; Analyze asks to save, then shows the checks; a .lug
// opened by its extension; the report printed to a text file.
#include <gtest/gtest.h>

#include <sstream>

#include "evaluations/FlangeTesting.h"
#include "evaluations/LugEvaluationDialog.h"
#include "evaluations/LugEvaluationFile.h"
#include "evaluations/LugEvaluationModel.h"
#include "evaluations/LugEvaluationTool.h"
#include "evaluations/NozzleEvaluationModel.h"
#include "evaluations/NozzleEvaluationTool.h"
#include "files/FileCommands.h"
#include "services/TableWindow.h"

namespace {

class LugEvaluationToolTest : public FlangeToolFixture {
 protected:
  void SetUp() override {
    FlangeToolFixture::SetUp();
    // Moments typed in in-lb, as the hand calculation has them.
    for (int index = 0; index < UnitCount(kUnitMoment); ++index)
      if (std::string(UnitLabelAt(kUnitMoment, index)) == "(in-lb)") g_UnitsSettings.unit[kUnitMoment] = index;
  }
  void TearDown() override {
    CloseLugWindow();
    TheLugDocument() = LugDocument{};
    FlangeToolFixture::TearDown();
  }
  static void SetText(HWND dialog, int item, const std::string& text) { SetDlgItemText(dialog, item, text.c_str()); }
  static std::string Text(HWND dialog, int item) { return TextOf(GetDlgItem(dialog, item)); }
  static void Choose(HWND dialog, int combo, int position) {
    SendDlgItemMessage(dialog, combo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_SELENDOK), 0);
  }
  static void RunDialog(const std::function<void(HWND)>& act) {
    platform::ExpectModal(platform::ModalKind::Dialog, "LUG_EVAL", act);
    Tool(40083);
    platform::CheckModalScript();
  }
  static void RefusedOk(HWND dialog, const std::string& message) {
    ExpectMessage("MESSAGE1_DIALOG", {message});
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  }
  static void EnterTheHandCalculation(HWND dialog) {
    const std::pair<int, const char*> values[] = {
        {1301, "10.75"}, {1302, "0.5"},   {1303, "1.5"},   {1304, "1.0"},   {1305, "5000"}, {1306, "8000"},
        {1307, "7000"},  {1308, "1000"},  {1309, "12000"}, {1310, "20000"}, {1311, "30000"}, {1312, "35000"},
        {1315, "1000"},  {1316, "500"},   {1317, "300"},   {1318, "2000"},  {1319, "3000"}, {1320, "4000"},
        {1321, "2000"},  {1326, "6000"},  {1328, "800"},   {1331, "5000"},  {1339, "3000"}, {1340, "1300"},
        {1341, "300"},   {1342, "2000"},  {1343, "8000"},  {1344, "10000"}};
    for (const auto& [item, text] : values) SetText(dialog, item, text);
  }
  void NewTool() {
    platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG", [](HWND dialog) {
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1008, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1008)));
    });
    SendMessage(LayoutFrame().window, WM_COMMAND, 101, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    ASSERT_TRUE(LugToolHoldsListFrame());
  }
  static std::string LineWith(const std::string& start) {
    for (const std::string& line : ReportLines())
      if (line.rfind(start, 0) == 0) return line;
    return "(none)";
  }
};

TEST_F(LugEvaluationToolTest, NewTheDialogAndAnalyzeGiveTheHandCalculation) {
  HMENU listMenu = ListFrame().menu;
  NewTool();
  EXPECT_EQ(Title(ListFrame().window), "Quorvel : Evaluation of Piping at Lug Attachment -  [Untitled]");
  EXPECT_NE(GetMenuState(ListFrame().menu, 40082, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(ReportLines().at(0), "Evaluation of Piping at Lug Attachment as per ASME Sec III, Div 1 - NC (2010)");
  RunDialog([](HWND dialog) {
    EXPECT_EQ(Text(dialog, 1503), "Half Length of Attachment in Circumferential Direction (L1)");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, 1202)));
    RefusedOk(dialog, "Outside Diameter of Run Pipe is required");
    EnterTheHandCalculation(dialog);
    SetText(dialog, 1302, "0.00001");
    RefusedOk(dialog, "Nominal Wall Thickness of Run Pipe =  0.00001  is invalid");
    SetText(dialog, 1302, "0.5");
    SetText(dialog, 1340, "-1");
    RefusedOk(dialog, "Circumferential Shear Load (Q1**) =  -1  is invalid");
    SetText(dialog, 1340, "1300");
    SetText(dialog, 1303, "3");
    RefusedOk(dialog, "L1/Ro should be <= 0.5. Ro = Mean Pipe Radius = (Pipe OD - Thk / 2.0)");
    SetText(dialog, 1303, "2.5");
    SetText(dialog, 1304, "2.5");
    RefusedOk(dialog, "B1.B2 should be <= 0.075");
    SetText(dialog, 1303, "1.5");
    SetText(dialog, 1304, "1.0");
    // The hollow attachment: its own two fields, empty; back again.
    SendDlgItemMessage(dialog, 1402, BM_CLICK, 0, 0);
    platform::RunUntilIdle();
    EXPECT_EQ(Text(dialog, 1503), "Outside Diameter of Hollow Circular Attachment (od)");
    EXPECT_EQ(Text(dialog, 1303), "");
    EXPECT_EQ(SendDlgItemMessage(dialog, 1203, CB_GETCOUNT, 0, 0), 2);
    RefusedOk(dialog, "Outside Diameter of Attachment is required");
    SendDlgItemMessage(dialog, 1401, BM_CLICK, 0, 0);
    platform::RunUntilIdle();
    SetText(dialog, 1303, "1.5");
    SetText(dialog, 1304, "1.0");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  const LugInputs& d = TheLugDocument().data;
  EXPECT_EQ(d.L1, 1.5f);
  EXPECT_EQ(d.loads[kLugAbsMax][kLugML], 10000.0f);
  EXPECT_EQ(d.loads[kLugOccasional][kLugML], 6000.0f);
  // A code chosen, then Cancel: nothing changes.
  RunDialog([](HWND dialog) {
    Choose(dialog, 1201, 2);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 1202)));
    EXPECT_EQ(Text(dialog, 1510), "Allowable Stress at Maximum Temperature (fh)");
    EXPECT_EQ(Text(dialog, 1508), "Thermal + Sustained Stress at Run Pipe (S4)");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1333)));  // settlement
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(TheLugDocument().data.code, kLugAsmeNc);
  // Analyze: asked to save the new evaluation; Yes saves it.
  const std::string path = Path("lug.lug");
  AnswerSaveQuestion("Untitled", IDYES);
  AnswerFileDialog("Save Data As", path);
  ExpectNotice("Input data saved");
  Tool(40082);
  platform::CheckModalScript();
  ASSERT_TRUE(TheLugDocument().analysed);
  EXPECT_EQ(Bytes(path).size(), 304u);
  const std::vector<std::string> lines = ReportLines();
  EXPECT_TRUE(Has(lines, "ASME Sec III, Div 1(2010) Appendix Y (NC - Class 2)"));
  EXPECT_TRUE(Has(lines, "Section Y-3410: Pipe Stresses at Attachment"));
  EXPECT_EQ(LineWith("Sustained Stress (Ssl)"), "Sustained Stress (Ssl) [Eq. 8]: (psi)!12714 30000 0.424");
  EXPECT_EQ(LineWith("Stress (SNT**)"), "Stress (SNT**) as per Y-3410 Eq. 5: (psi)!24589 70000 0.351");
  EXPECT_EQ(LineWith("Settlement Stress (Sd)"), "Settlement Stress (Sd) [Eq. 10a]: (psi)!1000 60000 0.017");
  // The text page of Print: the result row at its columns.
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Lug Evaluation Module",
                        [](HWND sheet) { SendMessage(sheet, WM_COMMAND, 1002, 0); });
  const std::string text = Path("lug.txt");
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [text](HWND dialog) {
    SetDlgItemText(dialog, edt1, text.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
  Tool(106);
  platform::CheckModalScript();
  std::istringstream page(Bytes(text));
  std::string row;
  for (std::string line; std::getline(page, line);)
    if (line.find("Sustained Stress (Ssl)") != std::string::npos) row = line;
  ASSERT_FALSE(row.empty());
  EXPECT_EQ(row.find("Sustained Stress (Ssl)"), 5u);  // column 6
  EXPECT_EQ(row.substr(64, 5), "12714");              // to column 69
  EXPECT_EQ(row.substr(74, 5), "30000");              // to 79
  EXPECT_EQ(row.substr(82, 5), "0.424");              // to 87
  // Close gives the frame back.
  Tool(103);
  EXPECT_FALSE(LugToolHoldsListFrame());
  EXPECT_EQ(ListFrame().menu, listMenu);
  EXPECT_TRUE(IsWindowVisible(MainFrame().window));
}

TEST_F(LugEvaluationToolTest, EnAndAHollowAttachmentFromAFile) {
  LugInputs d;
  d.code = kLugEn13480;
  d.lugType = kLugHollowCircular;
  d.OD = 10.0f;
  d.Thk = 0.5f;
  d.od = 5.0f;
  d.thk = 0.25f;
  d.sh = 20000.0f;  // an ASME allowable the EN dialog clears
  d.fh = 15000.0f;
  const std::string path = Path("hollow.lug");
  WriteLugFileFrom(path, d, g_UnitsSettings);
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, path));
  ASSERT_TRUE(LugToolHoldsListFrame());
  EXPECT_FALSE(TheLugDocument().analysed);
  EXPECT_EQ(LineWith("Outside Diameter of Hollow Circular Attachment (od):"),
            "Outside Diameter of Hollow Circular Attachment (od):! 5 (inch)");
  EXPECT_EQ(LineWith("Forces and Moments at Pipe surface: Settlement"), "(none)");
  RunDialog([](HWND dialog) {
    EXPECT_EQ(Text(dialog, 1503), "Outside Diameter of Hollow Circular Attachment (od)");
    SetText(dialog, 1303, "2.5");  // od/OD 0.25
    RefusedOk(dialog, "do/Do should be between 0.3 and 1.0");
    SetText(dialog, 1303, "5");
    SetText(dialog, 1304, "0.05");  // t/T 0.1
    RefusedOk(dialog, "t/T should be between 0.2 and 1.0");
    SetText(dialog, 1304, "0.25");
    SetText(dialog, 1302, "0.05");  // R/T 100
    RefusedOk(dialog, "Run Pipe - Radius/Thickness should be between 4 and 50");
    SetText(dialog, 1302, "0.5");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(TheLugDocument().data.sh, 0.0f);  // not read under EN
  EXPECT_EQ(TheLugDocument().data.fh, 15000.0f);
  EXPECT_TRUE(LugModified());
  AnswerSaveQuestion("hollow.lug", IDYES);
  ExpectNotice("Input data saved");
  Tool(40082);
  platform::CheckModalScript();
  ASSERT_TRUE(TheLugDocument().analysed);
  EXPECT_TRUE(Has(ReportLines(), "Clause 11 - Integral Attachments, EN 13480-3 (2017)"));
  EXPECT_TRUE(Has(ReportLines(), "Evaluation of Piping at Hollow Circular Attachments"));
  // No loads: each row is its run-pipe stress; no allowable gives no ratio.
  EXPECT_EQ(LineWith("Creep Stress (S5) ["), "Creep Stress (S5) [Eq. 11.6-5a]: (psi)!0 0 -");
  EXPECT_EQ(LineWith("Sustained Stress (S1) ["), "Sustained Stress (S1) [Eq. 11.6-1]: (psi)!0 22500 0.000");
}

}  // namespace

namespace {

// A load past the limit of a typed number is refused as the dialog refuses
// it; loads each below it whose stresses pass a float's range name the
// largest of them: the sustained shears alone give Q1/As + Q2/As =
// 2 x 9E37 / (pi/8 (3^2 - 2.8^2)) = 3.95E38 > 3.4E38 in S1. The dialog
// refuses the same before storing it.
TEST_F(LugEvaluationToolTest, AnalyzeAndTheDialogRefuseLoadsWhoseStressesAreNotFinite) {
  LugInputs d;
  d.code = kLugEn13480;
  d.lugType = kLugHollowCircular;
  d.OD = 10.0f, d.Thk = 0.5f, d.od = 3.0f, d.thk = 0.1f;
  auto& sustained = d.loads[kLugSustained];
  const std::string path = Path("large.lug");
  const std::pair<float, std::string> cases[] = {
      {3.0e38f, "Sustained - Circumferential Shear Load (Q1) =  3.00E+038  is invalid"},
      {9.0e37f, "Sustained - Circumferential Shear Load (Q1) =  9.00E+037  is too large: the results are not finite"},
  };
  for (const auto& [load, message] : cases) {
    sustained[kLugQ1] = load;
    sustained[kLugQ2] = 9.0e37f;
    WriteLugFileFrom(path, d, g_UnitsSettings);
    ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, path));
    ExpectMessage("MESSAGE1_DIALOG", {message});
    Tool(40082);
    platform::CheckModalScript();
    EXPECT_FALSE(TheLugDocument().analysed) << message;
  }
  RunDialog([](HWND dialog) {
    RefusedOk(dialog, "Sustained - Circumferential Shear Load (Q1) =  9.00E+037  is too large: the results are not finite");
    SetText(dialog, 1316, "1000");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(TheLugDocument().data.loads[kLugSustained][kLugQ1], 1000.0f);
  EXPECT_EQ(LugInputRefusal(TheLugDocument().data), "");
}

// A run-pipe wall of half the OD has no bore, whatever the beta limits say:
// a file that holds one (L1/Ro 0.37, L2/Ro 0.19, within them) is refused by
// Analyze, and the dialog refuses it typed.
TEST_F(LugEvaluationToolTest, ARunPipeWallOfHalfItsDiameterOrMoreIsRefused) {
  LugInputs d;
  d.OD = 10.75f, d.Thk = 5.375f, d.L1 = 1.0f, d.L2 = 0.5f;
  WriteLugFileFrom(Path("thick.lug"), d, g_UnitsSettings);
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, Path("thick.lug")));
  ExpectMessage("MESSAGE1_DIALOG", {"Thickness is greater than radius"});
  Tool(40082);
  platform::CheckModalScript();
  EXPECT_FALSE(TheLugDocument().analysed);
  RunDialog([](HWND dialog) {
    EnterTheHandCalculation(dialog);
    SetText(dialog, 1302, "5.375");  // OD 10.75
    RefusedOk(dialog, "Thickness is greater than radius");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST_F(LugEvaluationToolTest, AnalyzeHoldsAFilesZerosToTheLimitsAndUnitsRedraw) {
  const std::string path = Path("zeros.lug");
  WriteLugFileFrom(path, LugInputs{}, g_UnitsSettings);
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, path));
  ExpectMessage("MESSAGE1_DIALOG", {"Outside Diameter of Run Pipe =  0  is invalid"});
  Tool(40082);
  platform::CheckModalScript();
  EXPECT_FALSE(TheLugDocument().analysed);
  EXPECT_EQ(LineWith("Outside Diameter of Run Pipe (OD):"), "Outside Diameter of Run Pipe (OD):! 0 (inch)");
  platform::ExpectModal(platform::ModalKind::Dialog, "UNITS_DIALOG", [](HWND dialog) {
    SendDlgItemMessage(dialog, 1201 + kUnitDimension - 1, CB_SETCURSEL, 1, 0);  // mm
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Tool(431);
  platform::CheckModalScript();
  EXPECT_EQ(LineWith("Outside Diameter of Run Pipe (OD):"), "Outside Diameter of Run Pipe (OD):! 0 (mm)");
}

TEST_F(LugEvaluationToolTest, ClosingTheWindowAsksThenEndsTheProgram) {
  NewTool();
  AnswerSaveQuestion("Untitled", IDCANCEL);
  SendMessage(ListFrame().window, WM_CLOSE, 0, 0);
  platform::RunUntilIdle();
  EXPECT_TRUE(LugToolHoldsListFrame());
  AnswerSaveQuestion("Untitled", IDNO);
  PostMessage(ListFrame().window, WM_CLOSE, 0, 0);
  EXPECT_EQ(RunMessageLoop(), 0);
  EXPECT_FALSE(LugToolHoldsListFrame());
  EXPECT_FALSE(IsWindow(MainFrame().window));
}

// A nozzle evaluation and a lug evaluation leave each other: the new one
// asks the old one's save question once.
TEST_F(LugEvaluationToolTest, TheNozzleAndLugToolsLeaveEachOther) {
  NewTool();
  AnswerSaveQuestion("Untitled", IDNO);
  platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG", [](HWND dialog) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1007, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1007)));
  });
  Tool(101);
  platform::CheckModalScript();
  EXPECT_FALSE(LugToolHoldsListFrame());
  ASSERT_TRUE(NozzleToolHoldsListFrame());
  EXPECT_EQ(Title(ListFrame().window), "Quorvel : Local loads on nozzle -  [Untitled]");
  // The lug file opened over the changed nozzle evaluation: Cancel keeps it.
  const std::string path = Path("lug.lug");
  WriteLugFileFrom(path, LugInputs{}, g_UnitsSettings);
  AnswerSaveQuestion("Untitled", IDCANCEL);
  EXPECT_FALSE(OpenFileByExtension(ListFrame().window, path));
  platform::CheckModalScript();
  EXPECT_TRUE(NozzleToolHoldsListFrame());
  AnswerSaveQuestion("Untitled", IDNO);
  EXPECT_TRUE(OpenFileByExtension(ListFrame().window, path));
  platform::CheckModalScript();
  EXPECT_TRUE(LugToolHoldsListFrame());
  EXPECT_FALSE(NozzleToolHoldsListFrame());
  TheNozzleDocument() = NozzleDocument{};
}

}  // namespace
