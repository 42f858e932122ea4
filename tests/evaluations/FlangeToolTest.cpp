// The flange qualification tool through the program's own commands: File >
// New over an open model takes the List frame with the tool's menu, title,
// accelerators and toolbars, and Close gives it back; Analyze asks to save
// the new document first (No runs nothing, a cancelled Save As neither, Yes
// saves and analyses); the sheet's pages with their messages, B' enabled
// only for reverse flanges, the bolt size list; a change of the type
// clears the results; Units redraw the report; a .flg file opened by its
// extension, from the command line and from the tool's Open, a damaged one
// refused with the tool as it was, and a model that opens closes the tool;
// closing the window asks and ends the program; the tool and a library
// window leave each other, each after its own save question, asked once.
#include <gtest/gtest.h>

#include "analysis/AnalysisTesting.h"
#include "editing/ModelWindows.h"
#include "evaluations/FlangeFile.h"
#include "evaluations/FlangeSheet.h"
#include "evaluations/FlangeTesting.h"
#include "files/FileCommands.h"
#include "files/ModelFile.h"
#include "platform/Menu.h"
#include "platform/PropertySheet.h"
#include "platform/SheetKeysTesting.h"
#include "properties/ValveLibrary.h"
#include "properties/ValveLibraryWindow.h"
#include "services/ListFrameState.h"

namespace {

class FlangeToolTest : public FlangeToolFixture {
 protected:
  static HWND Page(HWND sheet) { return reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
  static void SetText(HWND page, int item, const std::string& text) { SetDlgItemText(page, item, text.c_str()); }
  static void Choose(HWND page, int combo, int position) {
    SendDlgItemMessage(page, combo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessage(page, WM_COMMAND, MAKEWPARAM(combo, CBN_SELENDOK), 0);
  }
  static bool Enabled(HWND page, int item) { return IsWindowEnabled(GetDlgItem(page, item)) != FALSE; }
  // Tries to go to page `index`; a refused page shows `message` first.
  static HWND GoTo(HWND sheet, int index, const std::string& message = "") {
    if (!message.empty()) ExpectMessage("MESSAGE1_DIALOG", {message});
    SendMessage(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return Page(sheet);
  }
  // The sheet opened with Ctrl+E, `act` working on it.
  static void RunSheet(const std::function<void(HWND)>& act) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Flange Qualification", act);
    ControlKey('E');
    platform::CheckModalScript();
  }
  // Serves the queue as the program's main loop does: the keys of the
  // active window's accelerator table become its commands first.
  static void PumpAsTheMainLoop() {
    MSG message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (ActiveAccelerators != nullptr && TranslateAccelerator(ActiveWindow, ActiveAccelerators, &message)) continue;
      TranslateMessage(&message);
      DispatchMessage(&message);
    }
    platform::RunUntilIdle();
  }
  static void ControlKey(UINT key) {
    platform::TestKeyDown(VK_CONTROL);
    platform::TestKeyPress(key);
    PumpAsTheMainLoop();
    platform::TestKeyUp(VK_CONTROL);
    PumpAsTheMainLoop();
  }
  // A model saved under `path`: From 10 and a pipe.
  static void SaveSmallModel(const std::string& path) {
    Model model;
    analysis_testing::StartModel(model, 70.0, analysis_testing::kDensity, path);
    analysis_testing::PipeRow(model, 10, ElementType::From, 0.0f);
    analysis_testing::PipeRow(model, 20, ElementType::Pipe, 60.0f);
    MakeModel(model);
    ASSERT_EQ(WriteModelFileFrom(model, path), "");
  }
  void NewTool() {
    NewFlangeFrom(LayoutFrame().window);
    ASSERT_TRUE(FlangeToolHoldsListFrame());
  }
};

TEST_F(FlangeToolTest, NewTakesTheListFrameAndCloseGivesItBack) {
  HMENU listMenu = ListFrame().menu;
  const WINDOWPLACEMENT listPlacement = ListFrame().Placement();
  ASSERT_TRUE(IsWindowVisible(LayoutFrame().window));
  NewTool();
  // The model was closed: the Layout window is gone with it.
  EXPECT_FALSE(IsWindowVisible(LayoutFrame().window));
  EXPECT_EQ(TheModel().rowCount, 0);
  EXPECT_TRUE(IsWindowVisible(ListFrame().window));
  EXPECT_FALSE(IsWindowVisible(MainFrame().window));
  EXPECT_EQ(Title(ListFrame().window), "Quorvel : Flange Stresses Report -  [Untitled]");
  HMENU menu = ListFrame().menu;
  ASSERT_NE(menu, listMenu);
  EXPECT_EQ(GetMenuItemCount(menu), 4);
  EXPECT_NE(GetMenuState(menu, 40040, MF_BYCOMMAND), static_cast<UINT>(-1));  // Analyze
  EXPECT_EQ(GetMenuState(menu, 302, MF_BYCOMMAND), static_cast<UINT>(-1));    // no list menu
  EXPECT_EQ(ActiveAccelerators, ListFrame().accelerators);
  EXPECT_NE(ActiveAccelerators, ListAccelerators);
  EXPECT_EQ(FlangeToolTipText(104), "Save");
  EXPECT_TRUE(FlangeModified());  // the defaults count as a change
  EXPECT_FALSE(TheFlangeDocument().analysed);
  // The report of the inputs only.
  const std::vector<std::string> lines = ReportLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "Flange Stress Calculation as per ASME Section VIII. Div. 1 - Appendix 2");
  EXPECT_TRUE(Has(lines, "Flange Type : Integral Flanges"));
  EXPECT_TRUE(Has(lines, "Number of Bolts = 36"));
  EXPECT_FALSE(Has(lines, "Equivalent Pressure / Allowable Pressure = 0.62  OK"));
  TableWindow* shown = TableOfWindow(ListTableWindow(0));
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->rowCount, static_cast<int>(lines.size()));
  EXPECT_EQ(shown->CellText(1, 1, 0), lines[0]);

  // Close asks about the untitled document; Cancel keeps the tool.
  AnswerSaveQuestion("Untitled", IDCANCEL);
  Tool(103);
  EXPECT_TRUE(FlangeToolHoldsListFrame());
  AnswerSaveQuestion("Untitled", IDNO);
  Tool(103);
  platform::CheckModalScript();
  EXPECT_FALSE(FlangeToolHoldsListFrame());
  EXPECT_EQ(ListFrame().menu, listMenu);
  EXPECT_EQ(ListFrame().accelerators, ListAccelerators);
  EXPECT_EQ(ListFrame().Placement().rcNormalPosition.left, listPlacement.rcNormalPosition.left);
  EXPECT_FALSE(IsWindowVisible(ListFrame().window));
  EXPECT_TRUE(IsWindowVisible(MainFrame().window));
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(CurrentListFrameTool(), nullptr);
}

TEST_F(FlangeToolTest, AnalyzeAsksToSaveFirstAndRunsOnlyAfterASave) {
  NewTool();
  // No: nothing runs.
  AnswerSaveQuestion("Untitled", IDNO);
  Tool(40040);
  EXPECT_FALSE(TheFlangeDocument().analysed);
  // Yes, then the Save As cancelled: counts as Cancel.
  AnswerSaveQuestion("Untitled", IDYES);
  AnswerFileDialog("Save As", "");
  Tool(40040);
  platform::CheckModalScript();
  EXPECT_FALSE(TheFlangeDocument().analysed);
  EXPECT_TRUE(FlangeModified());
  // Yes and a name without its extension: saved as .flg and analysed.
  const std::string path = Path("joint.flg");
  AnswerSaveQuestion("Untitled", IDYES);
  AnswerFileDialog("Save As", Path("joint"));
  ExpectNotice("Flange Qualification file saved");
  ExpectNotice("Flange Analyzed");
  Tool(40040);
  platform::CheckModalScript();
  EXPECT_EQ(Bytes(path).size(), 137u);
  EXPECT_FALSE(FlangeModified());
  EXPECT_TRUE(TheFlangeDocument().analysed);
  EXPECT_EQ(Title(ListFrame().window), "Quorvel : Flange Stresses Report -  [joint.flg (" + folder_ + ")]");
  const std::vector<std::string> lines = ReportLines();
  EXPECT_TRUE(Has(lines, "Equivalent Pressure / Allowable Pressure = 0.62  OK"));
  EXPECT_TRUE(Has(lines, "ASME Rigidity Factor 'J', Operating Case = 1.017185"));
  EXPECT_TRUE(Has(lines, "Flange Stresses (psi) - Operating Condition"));
  EXPECT_TRUE(Has(lines, "Longitudinal Hub (SH) ! 24152 29400 0.821 OK"));
  EXPECT_TRUE(Has(lines, "Bolt Stress ! 24673 25000 0.987 OK"));
  EXPECT_TRUE(Has(lines, "Bolt Stress ! 19482 25000 0.779 OK"));
  // Analyze again, unmodified: no question.
  ExpectNotice("Flange Analyzed");
  Tool(40040);
  platform::CheckModalScript();
}

TEST_F(FlangeToolTest, TheSheetsPagesCheckTheirFieldsAndStoreOnlyOnOk) {
  NewTool();
  TheFlangeDocument().analysed = true;
  SetFlangeModified(false);
  RunSheet([](HWND sheet) {
    HWND flange = Page(sheet);
    EXPECT_EQ(SendDlgItemMessage(flange, 1201, CB_GETCOUNT, 0, 0), 5);
    EXPECT_FALSE(Enabled(flange, 1303));  // B' only for reverse flanges
    Choose(flange, 1201, 4);
    EXPECT_TRUE(Enabled(flange, 1303));
    Choose(flange, 1201, 2);
    EXPECT_FALSE(Enabled(flange, 1303));
    SetText(flange, 1303, "abc");         // disabled: never read
    SetText(flange, 1304, "0");
    EXPECT_EQ(GoTo(sheet, 1, "Flange Thickness =  0  is invalid"), flange);
    SetText(flange, 1304, "2.5");
    SetText(flange, 1307, "0");           // a hub length of 0 is taken
    HWND bolt = GoTo(sheet, 1);
    ASSERT_NE(bolt, flange);
    EXPECT_EQ(SendDlgItemMessage(bolt, 1201, CB_GETCOUNT, 0, 0), 17);
    Choose(bolt, 1201, 6);  // 1-1/4"
    for (const char* sketch : {"6", "0"}) {
      SetText(bolt, 1310, sketch);
      EXPECT_EQ(GoTo(sheet, 2, "Facing Sketch should be > 0 and < 6"), bolt);
    }
    SetText(bolt, 1310, "2");
    SetText(bolt, 1311, "3");
    EXPECT_EQ(GoTo(sheet, 2, "Facing Column should be > 0 and <= 2"), bolt);
    SetText(bolt, 1311, "2");
    SetText(bolt, 1302, "0");
    EXPECT_EQ(GoTo(sheet, 2, "Number of Bolts =  0  is invalid"), bolt);
    SetText(bolt, 1302, "24");
    HWND load = GoTo(sheet, 2);
    ASSERT_NE(load, bolt);
    SetText(load, 1305, "0");
    ExpectMessage("MESSAGE1_DIALOG", {"Allowable Pressure =  0  is invalid"});
    SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    EXPECT_TRUE(IsWindow(sheet));  // refused: the sheet stays
    SetText(load, 1305, "700");
    SetText(load, 1303, "-5");
    ExpectMessage("MESSAGE1_DIALOG", {"Axial Force =  -5  is invalid"});
    SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    SetText(load, 1303, "1000");
    SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  });
  const FlangeQualificationData& d = TheFlangeData();
  EXPECT_EQ(d.type, kLooseFlangeWithoutHub);
  EXPECT_EQ(d.reverseInsideDiameter, 20.0f);
  EXPECT_EQ(d.thickness, 2.5f);
  EXPECT_EQ(d.hubLength, 0.0f);
  EXPECT_EQ(d.boltSize, 6);
  EXPECT_EQ(d.boltDiameter, 1.25f);
  EXPECT_EQ(d.boltCount, 24);
  EXPECT_EQ(d.facingSketch, 2);
  EXPECT_EQ(d.facingColumn, 2);
  EXPECT_EQ(d.allowablePressure, 700.0f);
  EXPECT_TRUE(FlangeModified());
  EXPECT_FALSE(TheFlangeDocument().analysed);
  EXPECT_TRUE(Has(ReportLines(), "Flange Type : Loose Flanges without Hubs"));
  EXPECT_TRUE(Has(ReportLines(), "Bolt Diameter = 1.25 (inch)"));

  // The page keys walk the three pages round and back, checking each page
  // they leave; OK then stores what they went through.
  SheetPageWalk walk;
  RunSheet([&](HWND sheet) {
    walk.RoundAndBack(sheet);  // the flange page first, the load page last
    HWND bolt = SheetPage(sheet);
    SetText(bolt, 1302, "0");
    ExpectMessage("MESSAGE1_DIALOG", {"Number of Bolts =  0  is invalid"});
    PressSheetKey(sheet, VK_TAB);
    EXPECT_EQ(SheetPage(sheet), bolt);
    EXPECT_EQ(GetFocus(), GetDlgItem(bolt, 1302));
    SetText(bolt, 1302, "28");
    PressSheetKey(sheet, VK_TAB, true);
    EXPECT_EQ(SheetPageIndex(sheet), 0);
    SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  });
  EXPECT_EQ(walk.pages, (std::vector<int>{1, 2, 0, 2, 1}));
  EXPECT_TRUE(walk.keyboardInPages);
  EXPECT_EQ(TheFlangeData().boltCount, 28);

  // Cancel stores nothing, even over changed fields.
  const FlangeQualificationData before = TheFlangeData();
  RunSheet([](HWND sheet) {
    SetText(Page(sheet), 1301, "50");
    SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  });
  EXPECT_EQ(TheFlangeData(), before);
}

TEST_F(FlangeToolTest, ChangingOnlyTheTypeClearsTheResults) {
  NewTool();
  SetFlangeModified(false);
  ExpectNotice("Flange Analyzed");
  Tool(40040);
  platform::CheckModalScript();
  ASSERT_TRUE(Has(ReportLines(), "Calculated Stresses as per ASME Section VIII. Div. 1"));
  RunSheet([](HWND sheet) {
    Choose(Page(sheet), 1201, 1);
    SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  });
  EXPECT_FALSE(TheFlangeDocument().analysed);
  EXPECT_FALSE(Has(ReportLines(), "Calculated Stresses as per ASME Section VIII. Div. 1"));
  EXPECT_TRUE(Has(ReportLines(), "Flange Type : Loose Flanges with Hubs"));
  // OK with nothing changed keeps a document unmodified and analysed.
  SetFlangeModified(false);
  ExpectNotice("Flange Analyzed");
  Tool(40040);
  RunSheet([](HWND sheet) { SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0); });
  EXPECT_FALSE(FlangeModified());
  EXPECT_TRUE(TheFlangeDocument().analysed);
}

TEST_F(FlangeToolTest, AnalyzeRefusesDataTheFormulasCannotTakeNamingTheField) {
  NewTool();
  SetFlangeModified(false);
  TheFlangeData().gasketInside = 36.0f;  // as a file could hold it
  ExpectMessage("MESSAGE1_DIALOG", {"Gasket Outer Diameter must be greater than Gasket Inner Diameter"});
  Tool(40040);
  platform::CheckModalScript();
  EXPECT_FALSE(TheFlangeDocument().analysed);
  for (const std::string& line : ReportLines()) {
    EXPECT_EQ(line.find("inf"), std::string::npos) << line;
    EXPECT_EQ(line.find("nan"), std::string::npos) << line;
  }
}

TEST_F(FlangeToolTest, UnitsRedrawTheReport) {
  NewTool();
  ASSERT_TRUE(Has(ReportLines(), "Flange Outside Diameter [A] = 39.125 (inch)"));
  platform::ExpectModal(platform::ModalKind::Dialog, "UNITS_DIALOG", [](HWND dialog) {
    SendDlgItemMessage(dialog, 1201 + kUnitDimension - 1, CB_SETCURSEL, 1, 0);  // mm
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Tool(431);
  platform::CheckModalScript();
  const std::string shown = FlangeFieldText(FormatDimension(39.125f));
  EXPECT_EQ(shown.substr(0, 5), "993.7");  // 39.125 in = 993.775 mm
  EXPECT_TRUE(Has(ReportLines(), "Flange Outside Diameter [A] = " + shown + " (mm)"));
}

TEST_F(FlangeToolTest, AFlgFileOpensByItsExtensionAndAModelClosesTheTool) {
  FlangeQualificationData data;
  data.type = kOptionalFlange;
  data.boltCount = 20;
  UnitsSettings units;
  units.unit[kUnitDimension] = 1;
  const std::string path = Path("saved.flg");
  WriteFlangeFileFrom(path, data, units);
  TheModel().modified = false;
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, path));
  EXPECT_TRUE(FlangeToolHoldsListFrame());
  EXPECT_EQ(TheFlangeData(), data);
  EXPECT_EQ(g_UnitsSettings.unit[kUnitDimension], 1);
  EXPECT_FALSE(FlangeModified());
  EXPECT_EQ(TheFlangeDocument().reportName, Path("saved.txt"));
  EXPECT_EQ(Title(ListFrame().window), "Quorvel : Flange Stresses Report -  [saved.flg (" + folder_ + ")]");

  // A damaged file is refused; the open document stays as it was.
  std::string bytes = Bytes(path);
  bytes.resize(100);
  std::ofstream(Path("short.flg"), std::ios::binary) << bytes;
  ExpectMessage("MESSAGE2_DIALOG",
                {"There was an error while reading flange qualification file:", Path("short.flg")});
  EXPECT_FALSE(OpenFileByExtension(ListFrame().window, Path("short.flg")));
  EXPECT_TRUE(FlangeToolHoldsListFrame());
  EXPECT_EQ(TheFlangeData(), data);
  EXPECT_EQ(TheFlangeDocument().path, path);

  // The tool's Open with a model: the tool gives the frame back.
  const std::string model = Path("line.mod");
  SaveSmallModel(model);
  AnswerFileDialog("Open", model);
  Tool(102);
  platform::CheckModalScript();
  EXPECT_FALSE(FlangeToolHoldsListFrame());
  EXPECT_EQ(TheModel().path, model);
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
  EXPECT_EQ(ListFrame().accelerators, ListAccelerators);

  // From the command line.
  ASSERT_TRUE(OpenStartupFile(MainFrame().window, path));
  EXPECT_TRUE(FlangeToolHoldsListFrame());
  EXPECT_TRUE(TheModel().path.empty());
  EXPECT_EQ(TheFlangeDocument().path, path);
}

TEST_F(FlangeToolTest, ANewModelFromTheToolGivesTheListFrameBack) {
  NewTool();
  SetFlangeModified(false);
  platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });  // Model
  Tool(101);
  platform::CheckModalScript();
  EXPECT_FALSE(FlangeToolHoldsListFrame());
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
  EXPECT_EQ(TheModel().rowCount, 2);
  EXPECT_EQ(ListFrame().accelerators, ListAccelerators);
}

TEST_F(FlangeToolTest, TheToolAndALibraryWindowLeaveEachOtherAfterTheirSaveQuestion) {
  NewTool();  // the defaults count as a change
  // The tool's New asks first; after No the chosen valve library takes the
  // frame without asking again.
  AnswerSaveQuestion("Untitled", IDNO);
  platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1004, BN_CLICKED), 0); });
  Tool(101);
  platform::CheckModalScript();
  EXPECT_FALSE(FlangeToolHoldsListFrame());
  ASSERT_TRUE(ValveLibraryWindowOpen());
  EXPECT_EQ(ListFrame().accelerators, ListAccelerators);

  // A .flg opened over a changed library: its question first, Cancel keeps
  // the library; No gives the frame to the tool.
  FlangeQualificationData data;
  data.boltCount = 12;
  const std::string path = Path("joint.flg");
  WriteFlangeFileFrom(path, data, g_UnitsSettings);
  TheValveLibrary().modified = true;
  AnswerSaveQuestion("Untitled", IDCANCEL);
  EXPECT_FALSE(OpenFileByExtension(ListFrame().window, path));
  platform::CheckModalScript();
  EXPECT_TRUE(ValveLibraryWindowOpen());
  EXPECT_FALSE(FlangeToolHoldsListFrame());
  AnswerSaveQuestion("Untitled", IDNO);
  ASSERT_TRUE(OpenFileByExtension(ListFrame().window, path));
  platform::CheckModalScript();
  EXPECT_FALSE(ValveLibraryWindowOpen());
  ASSERT_TRUE(FlangeToolHoldsListFrame());
  EXPECT_EQ(TheFlangeData().boltCount, 12);
  EXPECT_EQ(CurrentListFrameTool()->accelerators, ActiveAccelerators);

  // A model opened over the changed tool: the tool's question, Cancel keeps
  // the tool and its document.
  TheFlangeData().boltCount = 16;
  SetFlangeModified(true);
  const std::string model = Path("line.mod");
  SaveSmallModel(model);
  AnswerSaveQuestion("joint.flg", IDCANCEL);
  EXPECT_FALSE(OpenFileByExtension(ListFrame().window, model));
  platform::CheckModalScript();
  EXPECT_TRUE(FlangeToolHoldsListFrame());
  EXPECT_EQ(TheFlangeData().boltCount, 16);
  EXPECT_TRUE(TheModel().path.empty());
  // Yes saves the document, then the model opens.
  AnswerSaveQuestion("joint.flg", IDYES);
  ExpectNotice("Flange Qualification file saved");
  ASSERT_TRUE(OpenFileByExtension(ListFrame().window, model));
  platform::CheckModalScript();
  EXPECT_FALSE(FlangeToolHoldsListFrame());
  EXPECT_EQ(TheModel().path, model);
  FlangeQualificationData saved;
  UnitsSettings units;
  ReadFlangeFileInto(path, saved, units);
  EXPECT_EQ(saved.boltCount, 16);

  // The tool's New cancelled at its question shows no chooser.
  NewTool();
  AnswerSaveQuestion("Untitled", IDCANCEL);
  Tool(101);
  platform::CheckModalScript();
  EXPECT_TRUE(FlangeToolHoldsListFrame());
}

TEST_F(FlangeToolTest, ClosingTheWindowAsksThenEndsTheProgram) {
  NewTool();
  AnswerSaveQuestion("Untitled", IDCANCEL);
  SendMessage(ListFrame().window, WM_CLOSE, 0, 0);
  platform::RunUntilIdle();
  EXPECT_TRUE(FlangeToolHoldsListFrame());
  AnswerSaveQuestion("Untitled", IDNO);
  PostMessage(ListFrame().window, WM_CLOSE, 0, 0);
  EXPECT_EQ(RunMessageLoop(), 0);
  EXPECT_FALSE(FlangeToolHoldsListFrame());
  EXPECT_FALSE(IsWindow(MainFrame().window));
}

}  // namespace
