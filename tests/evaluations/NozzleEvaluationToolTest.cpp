// The nozzle evaluation tool through the program's own commands: File >
// New (the chooser's nozzle evaluation) takes the List frame with the
// tool's menu, accelerators and title, and Close gives it back; the
// dialog's EN 13445-3 and WRC 537 layouts for both shells, their messages,
// a change stored and an unchanged OK; Analyze asks to save first (No and
// a cancelled Save As run nothing), holds New's zeros to the dialog's
// limits and shows the hand-calculated loads; the shipped WRC table's one
// line; Units redraw the report; the report printed to a text file; a .noz
// opened by its extension, a damaged one refused with the tool as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "evaluations/FlangeTesting.h"
#include "evaluations/NozzleEvaluationDialog.h"
#include "evaluations/NozzleEvaluationFile.h"
#include "evaluations/NozzleEvaluationModel.h"
#include "evaluations/NozzleEvaluationTool.h"
#include "evaluations/NozzleEvaluationWrc537.h"
#include "files/FileCommands.h"
#include "services/ListFrameState.h"
#include "services/TableWindow.h"

namespace {

class NozzleEvaluationToolTest : public FlangeToolFixture {
 protected:
  void TearDown() override {
    CloseNozzleEvaluation();
    TheNozzleDocument() = NozzleDocument{};
    FlangeToolFixture::TearDown();
  }
  static void NewNozzleFrom(HWND frame) {
    platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG", [](HWND dialog) {
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1007, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1007)));
    });
    SendMessage(frame, WM_COMMAND, 101, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static void SetText(HWND dialog, int item, const std::string& text) { SetDlgItemText(dialog, item, text.c_str()); }
  static std::string Text(HWND dialog, int item) { return TextOf(GetDlgItem(dialog, item)); }
  static void Choose(HWND dialog, int combo, int position) {
    SendDlgItemMessage(dialog, combo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_SELENDOK), 0);
  }
  static void Click(HWND dialog, int item) {
    SendDlgItemMessage(dialog, item, BM_CLICK, 0, 0);
    platform::RunUntilIdle();
  }
  static bool Shown(HWND dialog, int item) { return IsWindowVisible(GetDlgItem(dialog, item)) != FALSE; }
  // The dialog opened with Edit, `act` working on it.
  static void RunDialog(const std::function<void(HWND)>& act) {
    platform::ExpectModal(platform::ModalKind::Dialog, "NOZZLE_QUAL", act);
    Tool(40052);
    platform::CheckModalScript();
  }
  // OK refused with `message` (the dialog stays).
  static void RefusedOk(HWND dialog, const std::string& message) {
    ExpectMessage("MESSAGE1_DIALOG", {message});
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  }
  static void EnterCylinder(HWND dialog) {
    Click(dialog, 1402);
    const std::pair<int, const char*> values[] = {{1301, "40"},    {1302, "0.5"},   {1303, "12.2"}, {1304, "0.2"},
                                                  {1305, "12"},    {1306, ""},      {1307, ""},     {1308, "0.5"},
                                                  {1309, "20000"}, {1310, "20000"}, {1311, ""},     {1312, ""}};
    for (const auto& [item, text] : values) SetText(dialog, item, text);
  }
  void NewTool() {
    NewNozzleFrom(LayoutFrame().window);
    ASSERT_TRUE(NozzleToolHoldsListFrame());
  }
  static std::string LineWith(const std::string& start) {
    for (const std::string& line : ReportLines())
      if (line.rfind(start, 0) == 0) return line;
    return "(none)";
  }
};

TEST_F(NozzleEvaluationToolTest, NewTakesTheListFrameAndCloseGivesItBack) {
  HMENU listMenu = ListFrame().menu;
  NewTool();
  EXPECT_FALSE(IsWindowVisible(LayoutFrame().window));
  EXPECT_TRUE(IsWindowVisible(ListFrame().window));
  EXPECT_EQ(Title(ListFrame().window), "Quorvel : Local loads on nozzle -  [Untitled]");
  HMENU menu = ListFrame().menu;
  ASSERT_NE(menu, listMenu);
  EXPECT_NE(GetMenuState(menu, 40053, MF_BYCOMMAND), static_cast<UINT>(-1));  // Analyze
  EXPECT_EQ(ActiveAccelerators, ListFrame().accelerators);
  EXPECT_TRUE(NozzleModified());
  const std::vector<std::string> lines = ReportLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Allowable Loads on Nozzles as per EN 13445-3:2009");
  EXPECT_EQ(lines[2], "Local Loads on Nozzle attached to Spherical Vessel");
  EXPECT_EQ(LineWith("Mean Shell Radius [R]:"), "Mean Shell Radius [R]:! 0 (inch)");
  TableWindow* shown = TableOfWindow(ListTableWindow(0));
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->rowCount, static_cast<int>(lines.size()));
  AnswerSaveQuestion("Untitled", IDCANCEL);
  Tool(103);
  EXPECT_TRUE(NozzleToolHoldsListFrame());
  AnswerSaveQuestion("Untitled", IDNO);
  Tool(103);
  platform::CheckModalScript();
  EXPECT_FALSE(NozzleToolHoldsListFrame());
  EXPECT_EQ(ListFrame().menu, listMenu);
  EXPECT_EQ(ListFrame().accelerators, ListAccelerators);
  EXPECT_TRUE(IsWindowVisible(MainFrame().window));
  EXPECT_EQ(CurrentListFrameTool(), nullptr);
}

TEST_F(NozzleEvaluationToolTest, TheEnLayoutRefusesBadValuesThenAnalyzeGivesTheCylinderLoads) {
  NewTool();
  // Analyze on New's zeros: asked to save, No runs nothing.
  AnswerSaveQuestion("Untitled", IDNO);
  Tool(40053);
  platform::CheckModalScript();
  EXPECT_FALSE(TheNozzleDocument().analysed);
  RunDialog([](HWND dialog) {
    EXPECT_EQ(Text(dialog, 1501), "Mean Shell Radius [R]");
    EXPECT_FALSE(Shown(dialog, 1202));  // no load case for EN 13445-3
    EXPECT_FALSE(Shown(dialog, 1313));
    EnterCylinder(dialog);
    EXPECT_EQ(Text(dialog, 1501), "Mean Shell Diameter [D]");
    SetText(dialog, 1301, "");
    RefusedOk(dialog, "Shell Radius/Shell Dia is required");
    SetText(dialog, 1301, "0.0005");
    RefusedOk(dialog, "Shell Radius/Shell Dia =  0.0005  is invalid");
    SetText(dialog, 1301, "40");
    SetText(dialog, 1303, "");
    RefusedOk(dialog, "Nozze OD is required");
    SetText(dialog, 1303, "x");
    RefusedOk(dialog, "Nozzle OD =  X  is invalid");
    SetText(dialog, 1303, "12.2");
    SetText(dialog, 1308, "0");
    RefusedOk(dialog, "Combined Shell + Pad Thk should be > 0");
    SetText(dialog, 1308, "0.5");
    SetText(dialog, 1311, "-5");
    RefusedOk(dialog, "Pad Desing Stress =  -5  is invalid");
    SetText(dialog, 1311, "");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  const NozzleEvaluation& d = TheNozzleDocument().data;
  EXPECT_FALSE(d.spherical);
  EXPECT_EQ(d.R, 40.0f);
  EXPECT_EQ(d.f, 20000.0f);
  EXPECT_TRUE(NozzleModified());
  EXPECT_EQ(LineWith("Mean Shell Diameter [D]:"), "Mean Shell Diameter [D]:! 40 (inch)");
  // Yes, then the Save As cancelled: counts as Cancel.
  AnswerSaveQuestion("Untitled", IDYES);
  AnswerFileDialog("Save Data As", "");
  Tool(40053);
  platform::CheckModalScript();
  EXPECT_FALSE(TheNozzleDocument().analysed);
  // Yes and a name: saved and analysed.
  const std::string path = Path("vessel.noz");
  AnswerSaveQuestion("Untitled", IDYES);
  AnswerFileDialog("Save Data As", path);
  ExpectNotice("Input data saved");
  Tool(40053);
  platform::CheckModalScript();
  EXPECT_TRUE(TheNozzleDocument().analysed);
  EXPECT_EQ(Bytes(path).size(), 217u);
  EXPECT_NE(Title(ListFrame().window).find("vessel.noz"), std::string::npos);
  const std::vector<std::string> lines = ReportLines();
  EXPECT_TRUE(Has(lines, "Allowable Loads on Nozzles attached to Cylindrical Shells as per EN 13445-3:2009"));
  EXPECT_TRUE(Has(lines, "a) ea/D = 0.013 which is >= 0.001 and <= 0.1. Condition Passed."));
  EXPECT_TRUE(Has(lines, "Lambda C = 2.683 which is <= 10.0 Condition Passed."));
  EXPECT_EQ(LineWith("16.4.5.5"), "16.4.5.5: Allowable radial nozzle load [Fz.Max]:! 15826.72 (lb)");
  EXPECT_EQ(LineWith("16.5.5.5"), "16.5.5.5: Allowable circumferential moment [Mx.Max]:! 6852.32 (ft-lb)");  // 82,228 in-lb
  EXPECT_EQ(LineWith("16.5.5.6"), "16.5.5.6: Allowable longitudinal moment [My.Max]:! 17136.80 (ft-lb)");  // 205,642 in-lb
  // OK without a change keeps the results.
  RunDialog([](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  EXPECT_TRUE(TheNozzleDocument().analysed);
  EXPECT_FALSE(NozzleModified());
  // The shell type alone is a change.
  RunDialog([](HWND dialog) {
    Click(dialog, 1401);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(TheNozzleDocument().analysed);
  EXPECT_TRUE(NozzleModified());
}

TEST_F(NozzleEvaluationToolTest, TheWrcLayoutAndTheShippedCurvesRefusal) {
  NewTool();
  TheNozzleDocument().data.eb = 0.375f;
  RunDialog([](HWND dialog) {
    Choose(dialog, 1201, 1);
    EXPECT_TRUE(Shown(dialog, 1202));
    EXPECT_TRUE(Shown(dialog, 1317));
    EXPECT_EQ(Text(dialog, 1515), "Operating Allowable [All]");
    Choose(dialog, 1202, 0);
    EXPECT_EQ(Text(dialog, 1515), "Sustained Allowable [All]");
    // The sphere's rows: both shear loads V1, V2 and the nozzle's own two.
    EXPECT_EQ(Text(dialog, 1502), "Shear Load (V1)");
    EXPECT_EQ(Text(dialog, 1508), "Vessel Mean Radius (Rm)");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1310)));
    EXPECT_EQ(Text(dialog, 1310), "0.375");
    Click(dialog, 1402);
    EXPECT_EQ(Text(dialog, 1508), "Vessel Radius (Rm)");
    EXPECT_EQ(Text(dialog, 1509), "Attachment Radius (ro)");
    EXPECT_EQ(Text(dialog, 1502), "Shear Load (VC)");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1310)));
    const std::pair<int, const char*> values[] = {{1301, "1000"}, {1304, "10000"}, {1307, "0.5"}, {1308, "20"},
                                                  {1309, "4"},    {1310, ""},      {1311, ""},    {1312, "0.25"},
                                                  {1315, "30000"}};
    for (const auto& [item, text] : values) SetText(dialog, item, text);
    SetText(dialog, 1307, "0");
    RefusedOk(dialog, "Vessel Thickness =  0  is invalid");
    SetText(dialog, 1307, "0.5");
    SetText(dialog, 1316, "0.5");
    RefusedOk(dialog, "Kn =  0.5  Should be >= 1.00");
    SetText(dialog, 1316, "-1");
    RefusedOk(dialog, "Kn =  -1  Should be >= 1.00");
    SetText(dialog, 1316, "");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  const NozzleEvaluation& d = TheNozzleDocument().data;
  EXPECT_EQ(d.analysis, kNozzleWrc537);
  EXPECT_EQ(d.loadCase, kNozzleSustained);
  EXPECT_EQ(d.eb, 0.375f);  // the cylinder's layout leaves t alone
  EXPECT_EQ(d.M1, 120000.0f);  // 10,000 ft-lb held in in-lb
  EXPECT_TRUE(Has(ReportLines(), "Local Shell Stresses at Nozzles attached to Cylindrical Shells"));
  EXPECT_EQ(LineWith("Circumferential Moment [MC]:"), "Circumferential Moment [MC]:! 10000 (ft-lb)");
  AnswerSaveQuestion("Untitled", IDYES);
  AnswerFileDialog("Save Data As", Path("wrc.noz"));
  ExpectNotice("Input data saved");
  Tool(40053);
  platform::CheckModalScript();
  ASSERT_TRUE(TheNozzleDocument().analysed);
  const std::vector<std::string> lines = ReportLines();
  EXPECT_EQ(lines.back(), "WRC 537 curve 3C (Nphi/(P/Rm), Rm/T 50) is not available");
  EXPECT_FALSE(Has(lines, "Stresses!Fig.No Au Al Bu Bl Cu Cl Du Dl"));
}

// The nozzle's own rows, greyed by WRC 537 on a cylinder, are required
// again under EN 13445-3: each label and unit comes back with its field.
TEST_F(NozzleEvaluationToolTest, TheNozzleRowsComeBackWholeWithEn13445) {
  NewTool();
  RunDialog([](HWND dialog) {
    const int rows[] = {1510, 1310, 1610, 1511, 1311, 1611};
    Choose(dialog, 1201, 1);
    Click(dialog, 1402);
    for (int item : rows) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, item))) << item;
    Choose(dialog, 1201, 0);
    EXPECT_EQ(Text(dialog, 1510), "Nozzle Design Stress (fb)");
    EXPECT_EQ(Text(dialog, 1511), "Rein. Pad Design Stress (f2)");
    for (int item : rows) EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, item))) << item;
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST_F(NozzleEvaluationToolTest, AnalyzeHoldsAFilesValuesToTheDialogsLimits) {
  NozzleEvaluation d;
  d.R = 50.0f;  // the rest zero: no nozzle
  const std::string path = Path("zeros.noz");
  WriteNozzleFileFrom(path, d, g_UnitsSettings);
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, path));
  ASSERT_TRUE(NozzleToolHoldsListFrame());
  EXPECT_FALSE(NozzleModified());
  ExpectMessage("MESSAGE1_DIALOG", {"Shell Thickness =  0  is invalid"});
  Tool(40053);
  platform::CheckModalScript();
  EXPECT_FALSE(TheNozzleDocument().analysed);
}

// A nozzle wall of half its OD leaves no bore, nor does a WRC shell wall of
// twice the shell's mean radius: refused as the dialog would.
TEST_F(NozzleEvaluationToolTest, AWallReachingItsOutsideRadiusIsRefused) {
  NozzleEvaluation en;
  en.R = 40.0f, en.e = 0.5f, en.de = 12.2f, en.eb = 6.1f, en.d = 12.0f, en.ec = 0.5f, en.f = 20000.0f, en.fb = 20000.0f;
  NozzleEvaluation wrc;
  wrc.analysis = kNozzleWrc537;
  wrc.T = 20.0f, wrc.Rm = 10, wrc.ro = 1, wrc.eb = 0.1f, wrc.rm = 6, wrc.r = 0.1f, wrc.P = 100;
  for (const NozzleEvaluation& d : {en, wrc}) {
    WriteNozzleFileFrom(Path("thick.noz"), d, g_UnitsSettings);
    ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, Path("thick.noz")));
    ExpectMessage("MESSAGE1_DIALOG", {"Thickness is greater than radius"});
    Tool(40053);
    platform::CheckModalScript();
    EXPECT_FALSE(TheNozzleDocument().analysed);
  }
}

// A value past the limit of a typed number is refused as the dialog refuses
// it; values each below it whose loads pass a float's range (Mx.Max = C2 x
// d/4 x f x ec^2 = 5.48 x 3 x 9.9E37 x 0.25 = 4.1E38 > 3.4E38) name the
// largest of them; the dialog refuses both before they are stored.
TEST_F(NozzleEvaluationToolTest, AnalyzeAndTheDialogRefuseValuesWhoseLoadsAreNotFinite) {
  NozzleEvaluation d;
  d.spherical = false;
  d.R = 40.0f, d.e = 0.5f, d.de = 12.2f, d.eb = 0.2f, d.d = 12.0f, d.ec = 0.5f, d.fb = 20000.0f;
  const std::pair<float, std::string> cases[] = {
      {3.0e38f, "Shell Design Stress =  3.00E+38  is invalid"},
      {9.9e37f, "Shell Design Stress =  9.90E+37  is too large: the results are not finite"},
  };
  for (const auto& [f, message] : cases) {
    d.f = f;
    const std::string path = Path("large.noz");
    WriteNozzleFileFrom(path, d, g_UnitsSettings);
    ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, path));
    ExpectMessage("MESSAGE1_DIALOG", {message});
    Tool(40053);
    platform::CheckModalScript();
    EXPECT_FALSE(TheNozzleDocument().analysed) << message;
  }
  // The same in the dialog, the value typed in any form; nothing is stored.
  RunDialog([](HWND dialog) {
    SetText(dialog, 1309, "300000000000000000000000000000000000000");
    RefusedOk(dialog, "Shell Design Stress =  300000000000000000000000000000000000000  is invalid");
    SetText(dialog, 1309, "99000000000000000000000000000000000000");
    RefusedOk(dialog, "Shell Design Stress =  9.90E+37  is too large: the results are not finite");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1309));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(TheNozzleDocument().data.f, 9.9e37f);
  EXPECT_FALSE(NozzleModified());
  // Within the range the loads are given.
  RunDialog([](HWND dialog) {
    SetText(dialog, 1309, "20000");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(TheNozzleDocument().data.f, 20000.0f);
  EXPECT_EQ(NozzleInputRefusal(TheNozzleDocument().data), "");
}

TEST_F(NozzleEvaluationToolTest, UnitsPrintAndADamagedFileLeaveTheToolAsItWas) {
  NozzleEvaluation d;
  d.spherical = true;
  d.R = 50.0f;
  d.e = 0.75f;
  d.c = 0.125f;
  d.e2 = 0.5f;
  d.f2 = 15000.0f;
  d.f = 20000.0f;
  d.de = 8.5f;
  d.d = 8.0f;
  d.eb = 0.5f;
  d.fb = 17000.0f;
  d.ec = 1.0f;
  const std::string path = Path("sphere.noz");
  WriteNozzleFileFrom(path, d, UnitsSettings{});
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, path));
  Tool(40053);  // not modified: no question
  ASSERT_TRUE(TheNozzleDocument().analysed);
  EXPECT_EQ(LineWith("Allowable radial nozzle load"), "Allowable radial nozzle load [Fz.Max]:! 101148.46 (lb)");
  EXPECT_EQ(LineWith("Allowable bending moment"), "Allowable bending moment [Mb.Max]:! 25463.69 (ft-lb)");  // 305,564 in-lb
  // The text page of Print.
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Local loads on nozzle", [](HWND sheet) {
    SendMessage(sheet, WM_COMMAND, 1002, 0);
  });
  const std::string text = Path("sphere.txt");
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [text](HWND dialog) {
    SetDlgItemText(dialog, edt1, text.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
  Tool(106);
  platform::CheckModalScript();
  const std::string page = Bytes(text);
  std::istringstream stream(page);
  std::string fz;
  for (std::string line; std::getline(stream, line);)
    if (line.find("Allowable radial nozzle load [Fz.Max]:") != std::string::npos) fz = line;
  ASSERT_FALSE(fz.empty()) << page;
  EXPECT_EQ(fz.find("Allowable radial nozzle load"), 3u);
  EXPECT_EQ(fz.substr(61, 9), "101148.46");  // right-aligned to column 70
  EXPECT_EQ(fz.substr(74), "(lb)");          // from column 75
  // Units: the report in the new units.
  platform::ExpectModal(platform::ModalKind::Dialog, "UNITS_DIALOG", [](HWND dialog) {
    SendDlgItemMessage(dialog, 1201 + kUnitDimension - 1, CB_SETCURSEL, 1, 0);  // mm
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Tool(431);
  platform::CheckModalScript();
  EXPECT_EQ(LineWith("Mean Shell Radius [R]:"), "Mean Shell Radius [R]:! 1270 (mm)");
  // A damaged file: refused, the tool as it was.
  std::string bytes = Bytes(path);
  bytes.resize(150);
  const std::string damaged = Path("damaged.noz");
  std::ofstream(damaged, std::ios::binary) << bytes;
  ExpectMessage("MESSAGE2_DIALOG", {"There was an error while reading nozzle evaluation file:", damaged});
  EXPECT_FALSE(OpenFileByExtension(ListFrame().window, damaged));
  platform::CheckModalScript();
  EXPECT_TRUE(NozzleToolHoldsListFrame());
  EXPECT_TRUE(TheNozzleDocument().analysed);
  EXPECT_EQ(TheNozzleDocument().data, d);
  EXPECT_NE(Title(ListFrame().window).find("sphere.noz"), std::string::npos);
}

}  // namespace

namespace {

// Every sphere curve of figure 5, constant: radial 0.1, tangential 0.05.
std::vector<Wrc537Curve> SphereFigure5() {
  std::vector<Wrc537Curve> table;
  for (int family = 0; family <= kSmTangentialBending; ++family) {
    Wrc537Curve curve{static_cast<Wrc537Family>(family), 5.0f, {}};
    const bool radial = family == kSpRadialMembrane || family == kSpRadialBending || family == kSmRadialMembrane ||
                        family == kSmRadialBending;
    curve.record.c[0] = radial ? 0.1f : 0.05f;
    table.push_back(curve);
  }
  return table;
}

class NozzleWrcReportTest : public NozzleEvaluationToolTest {
 protected:
  void TearDown() override {
    SetWrc537CurveTable(nullptr);
    NozzleEvaluationToolTest::TearDown();
  }
};

TEST_F(NozzleWrcReportTest, TheStressTableAndTheComplianceLineOfASphere) {
  const std::vector<Wrc537Curve> table = SphereFigure5();
  SetWrc537CurveTable(&table);
  NozzleEvaluation d;
  d.analysis = kNozzleWrc537;
  d.T = 0.5f, d.Rm = 50, d.ro = 5, d.eb = 0.5f, d.rm = 4.75f, d.r = 0.25f;
  d.P = 1000, d.V1 = 2000, d.M1 = 120000;  // 10,000 ft-lb in in-lb
  d.Pm = 5000, d.Pb = 2000, d.All = 30000;
  const std::string path = Path("sphere.noz");
  WriteNozzleFileFrom(path, d, g_UnitsSettings);
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, path));
  Tool(40053);
  ASSERT_TRUE(TheNozzleDocument().analysed);
  std::vector<std::string> lines = ReportLines();
  EXPECT_TRUE(Has(lines, "Stress Concentration Factors Computed as per Fig. B-2"));
  EXPECT_EQ(LineWith("Tension [Kn]:"), "Tension [Kn]:! 1.90 -");
  EXPECT_TRUE(Has(lines, "Stresses!Fig.No Au Al Bu Bl Cu Cl Du Dl"));
  // M1 = 120,000 in-lb: m = 96,000; Sx at Cu = -760 - 3840 - 18240 - 92160,
  // Sy half of it, tau -254.6: S 115,001 plus Pm and Pb.
  EXPECT_EQ(LineWith("Radial Membrane (P)!"), "Radial Membrane (P)!SP-5 -760 -760 -760 -760 -760 -760 -760 -760");
  EXPECT_EQ(LineWith("Stress (Pm+Pb+Pl+Q)"), "Stress (Pm+Pb+Pl+Q) (psi)!122001 30000 4.067 Fail");
  // Sustained, and no allowable: no ratio, no status.
  RunDialog([](HWND dialog) {
    Choose(dialog, 1202, 0);
    SetText(dialog, 1315, "");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  AnswerSaveQuestion("sphere.noz", IDYES);
  ExpectNotice("Input data saved");
  Tool(40053);
  platform::CheckModalScript();
  lines = ReportLines();
  EXPECT_TRUE(Has(lines, "Stress Compliance as per ASME Section VIII Division 2 - Sustained Load"));
  EXPECT_EQ(LineWith("Radial Bending (P)!"), "Radial Bending (P)!SP-5 0 0 0 0 0 0 0 0");
  EXPECT_EQ(LineWith("Stress (Pm+Pb+Pl)"), "Stress (Pm+Pb+Pl) (psi)!26007 0 - -");
}

}  // namespace

namespace {

TEST_F(NozzleEvaluationToolTest, SaveAsUnderAnotherExtensionIsRefusedAndKeepsTheDocumentUntitled) {
  NewTool();
  AnswerFileDialog("Save Data As", Path("vessel.txt"));
  ExpectMessage("MESSAGE1_DIALOG", {"File extension must be : noz"});
  Tool(105);
  platform::CheckModalScript();
  EXPECT_TRUE(TheNozzleDocument().file.path.empty());
  EXPECT_TRUE(NozzleModified());
  EXPECT_FALSE(std::filesystem::exists(Path("vessel.txt")));
  // Ctrl+S on the untitled evaluation is its Save As.
  AnswerFileDialog("Save Data As", Path("vessel"));
  ExpectNotice("Input data saved");
  Tool(104);
  platform::CheckModalScript();
  EXPECT_EQ(TheNozzleDocument().file.path, Path("vessel.noz"));
  EXPECT_FALSE(NozzleModified());
  EXPECT_EQ(Title(ListFrame().window), "Quorvel : Local loads on nozzle -  [vessel.noz (" + folder_ + ")]");
}

}  // namespace

namespace {

// A sphere whose nozzle has no figure (rm/t 60): Analyze shows the message
// over the window and the report ends with the input data.
TEST_F(NozzleEvaluationToolTest, ASphereWithoutAFigureShowsItsMessageAndNoResults) {
  NozzleEvaluation d;
  d.analysis = kNozzleWrc537;
  d.T = 0.1f, d.Rm = 10, d.ro = 1, d.eb = 0.1f, d.rm = 6, d.r = 0.1f, d.P = 100;
  const std::string path = Path("thin.noz");
  WriteNozzleFileFrom(path, d, g_UnitsSettings);
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, path));
  const std::size_t inputs = ReportLines().size();
  ExpectMessage("MESSAGE1_DIALOG",
                {"Not able to determine Figure Number for Spherical Shells with r = 60 and p = 1. Analysis aborted"});
  Tool(40053);
  platform::CheckModalScript();
  EXPECT_TRUE(TheNozzleDocument().analysed);
  EXPECT_EQ(ReportLines().size(), inputs);
}

}  // namespace
