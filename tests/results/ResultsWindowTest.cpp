// Results mode and the Results window, driven as a user drives them: the
// Analyze road ends in the Results window on the first case, the chooser
// offers the tables the results allow and each opens one, Tab and the arrow
// keys step through tables and cases, "&Input" gives the model back to
// editing; damaged results files opened through Open Results are refused
// with the model left as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "analysis/AnalysisWindow.h"
#include "codes/CodeStressDriver.h"
#include "editing/ModelWindows.h"
#include "files/FileCommands.h"
#include "model/GraphicsState.h"
#include "model/ListWindow.h"
#include "model/NodeDrawing.h"
#include "platform/CommonDialog.h"
#include "platform/Menu.h"
#include "printing/PrinterSettings.h"
#include "results/DisplacementTables.h"
#include "results/OtherSelectors.h"
#include "results/PrintSelection.h"
#include "results/ResultsTesting.h"
#include "results/SortedStressesTable.h"
#include "resultsfile/ResultCases.h"
#include "supports/SupportKindList.h"
#include "supports/SupportLoadSummary.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class ResultsWindowTest : public ResultsFixture {
 protected:
  // Opens the results through the file's extension, as Open Results does,
  // and returns the lines of the refusal shown in `messageTemplate`.
  std::vector<std::string> RefusedLines(const std::string& messageTemplate) {
    std::vector<std::string> lines;
    platform::ExpectModal(platform::ModalKind::Dialog, messageTemplate, [&lines](HWND dialog) {
      lines = LinesOfDialog(dialog);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    OpenFileByExtension(MainFrame().window, ResultsPath());
    platform::RunUntilIdle();
    platform::CheckModalScript();
    return lines;
  }
  // After a refusal: not in results, the model as written and editable.
  void ExpectModelAsItWas(const std::string& modelBytes) {
    EXPECT_FALSE(InResultsMode());
    EXPECT_FALSE(TableResultsShown());
    EXPECT_EQ(Bytes(ModelPath()), modelBytes);
    EXPECT_EQ(TheModel().rowCount, 4);
    EXPECT_EQ(TheModel().path, ModelPath());
    EXPECT_FALSE(TheModel().modified);
    EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
    EXPECT_FALSE(IsWindowVisible(ResultsFrame().window));
  }
};

TEST_F(ResultsWindowTest, AnalyzeOpensTheResultsOnTheFirstCaseAndTheArrowsStepThroughTheCases) {
  BuildLine({1, 8, 2});
  platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND dialog) {
    platform::RunUntilIdle();
    SendMessage(dialog, WM_COMMAND, IDYES, 0);
  });
  std::vector<std::string> names;
  platform::ExpectModal(platform::ModalKind::Dialog, "RESULTS6_DIALOG", [&names](HWND dialog) {
    names = ShownRadios(dialog);
    Click(dialog, 1406);
  });
  EXPECT_TRUE(AnalyzeModel(LayoutFrame().window, false));
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(names, (std::vector<std::string>{"&Sorted stresses", "&Code compliance", "&Support load summary",
                                             "&Support loads", "&Element forces", "&Displacements"}));
  ASSERT_TRUE(InResultsMode());
  EXPECT_TRUE(TableResultsShown());
  EXPECT_TRUE(IsWindowVisible(ResultsFrame().window));
  EXPECT_FALSE(IsWindowVisible(MainFrame().window));
  // The cases in display order: sustained, expansion, operating.
  ASSERT_EQ(TheResultCases().count, 3);
  EXPECT_EQ(g_ResultCase, 1);
  EXPECT_NE(ResultsTitle().find("Displacements: Sustained (W+P)"), std::string::npos) << ResultsTitle();
  ResultsCommandNow(228);  // Next load case
  EXPECT_EQ(CurrentResultCaseType(), 2);
  EXPECT_NE(ResultsTitle().find("Displacements: " + CurrentCaseTitle()), std::string::npos);
  ResultsCommandNow(228);
  ResultsCommandNow(228);  // from the last back to the first
  EXPECT_EQ(g_ResultCase, 1);
  ResultsCommandNow(229);  // from the first to the last
  EXPECT_EQ(CurrentResultCaseType(), 8);
  // The load-case items and buttons are there while a table with cases is.
  EXPECT_TRUE(ResultsMenuHas(231) && ResultsMenuHas(228) && ResultsMenuHas(229));
}

TEST_F(ResultsWindowTest, TheChooserOffersExactlyTheTablesTheResultsHoldAndEachOpensOne) {
  // The empty weight alone: no sustained or operating case, so no summary.
  BuildLine({124});
  Analyse();
  EXPECT_EQ(OpenAndChoose("RESULTS3_DIALOG", 1),
            (std::vector<std::string>{"&Support loads", "&Element forces", "&Displacements"}));
  ASSERT_TRUE(InResultsMode());
  // With one case there are no load-case items.
  EXPECT_FALSE(ResultsMenuHas(231));
  const std::vector<std::pair<ResultOpener, std::string>> expected = {
      {OpenSupportLoadsTable, "Loads on Anchors"},
      {OpenOtherForcesTable, "Pipe forces in local coordinates"},
      {OpenChosenDisplacementsTable, "Displacements"}};
  for (const auto& [opener, title] : expected) {
    if (opener != OpenSupportLoadsTable) ResultsCommandNow(226);  // Next Result
    EXPECT_EQ(ResultsReopenCommand(), opener);
    EXPECT_NE(ResultsTitle().find(title + ": "), std::string::npos) << ResultsTitle();
    ResultTableWindow& table = Shown();
    EXPECT_GT(table.rowCount, 0);
    EXPECT_TRUE(IsWindowVisible(ResultsTableWindow()));
  }
  ResultsCommandNow(226);  // from the last entry to the first
  EXPECT_EQ(ResultsReopenCommand(), OpenSupportLoadsTable);
  ResultsCommandNow(227);
  EXPECT_EQ(ResultsReopenCommand(), OpenChosenDisplacementsTable);
  // Tab in a table is Next Result too.
  SetFocus(ResultsTableWindow());
  Key(VK_TAB);
  EXPECT_EQ(ResultsReopenCommand(), OpenSupportLoadsTable);
}

TEST_F(ResultsWindowTest, TheSupportKindsAndTheDisplacementKindsStepAndWrap) {
  BuildLine({1, 8, 2});
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_EQ(SupportKinds().size(), 2u);  // anchors and restraints
  OpenSupportLoadsTable();
  EXPECT_NE(ResultsTitle().find("Loads on Anchors"), std::string::npos);
  ResultsCommandNow(330);  // Next support kind
  EXPECT_NE(ResultsTitle().find("Loads on Restraints"), std::string::npos);
  ResultsCommandNow(330);
  EXPECT_NE(ResultsTitle().find("Loads on Anchors"), std::string::npos);
  // The chooser of the kinds: OTHER2 with both, the current one set.
  std::vector<std::string> kinds;
  platform::ExpectModal(platform::ModalKind::Dialog, "OTHER2_DIALOG", [&kinds](HWND dialog) {
    kinds = ShownRadios(dialog);
    EXPECT_EQ(TextOf(dialog), "Other Supports");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1401), BST_CHECKED);
    Click(dialog, 1402);
  });
  ResultsCommandNow(287);
  platform::CheckModalScript();
  EXPECT_EQ(kinds, (std::vector<std::string>{"&Anchors", "&Restraints"}));
  EXPECT_NE(ResultsTitle().find("Loads on Restraints"), std::string::npos);
  // Displacements: All, then Min / Max, wrapping both ways.
  OpenChosenDisplacementsTable();
  EXPECT_NE(ResultsTitle().find("Displacements: "), std::string::npos);
  ResultsCommandNow(330);
  EXPECT_NE(ResultsTitle().find("Minimum & Maximum Displacements: "), std::string::npos);
  ResultsCommandNow(330);
  EXPECT_EQ(ResultsTitle().find("Minimum"), std::string::npos);
  ResultsCommandNow(331);
  EXPECT_NE(ResultsTitle().find("Minimum & Maximum"), std::string::npos);
  // One force kind: F6 and the item steps do nothing on the forces.
  OpenOtherForcesTable();
  ResultsCommandNow(287);
  ResultsCommandNow(330);
  EXPECT_EQ(ResultsReopenCommand(), OpenOtherForcesTable);
  EXPECT_FALSE(ResultsMenuHas(287));
  EXPECT_TRUE(ResultsMenuHas(288));
}

TEST_F(ResultsWindowTest, InputGivesTheModelBackToEditing) {
  BuildLine({1, 8, 2});
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_TRUE(InResultsMode());
  EXPECT_NE(GetMenuState(LayoutFrame().menu, 1, MF_BYPOSITION) & MF_GRAYED, 0u);
  EXPECT_EQ(LayoutFrame().previous_frame, &ResultsFrame());
  ResultsCommandNow(127);
  EXPECT_FALSE(InResultsMode());
  EXPECT_FALSE(TableResultsShown());
  EXPECT_FALSE(IsWindowVisible(ResultsFrame().window));
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
  EXPECT_EQ(GetMenuState(LayoutFrame().menu, 1, MF_BYPOSITION) & MF_GRAYED, 0u);
  EXPECT_EQ(LayoutFrame().previous_frame, &ListFrame());
  EXPECT_EQ(ResultsReopenCommand(), nullptr);
  EXPECT_TRUE(TheResults().resultNodes.empty());
  // An edit is taken again.
  EXPECT_EQ(Store(3, 3, "1500"), "");
  EXPECT_TRUE(TheModel().modified);
}

// The model is read-only while results are shown: the Misc entries of
// tables the model leaves empty stay grayed however often their menus open,
// in the Layout and in the List window, and come back with the input.
TEST_F(ResultsWindowTest, TheMiscEntriesOfEmptyTablesStayGrayedWhileResultsAreShown) {
  BuildLine({1, 8, 2});
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_TRUE(InResultsMode());
  ASSERT_NE(TheModel().options.PipingCode, 0);
  const auto grayed = [](Frame& frame, int position, int id) {
    HMENU popup = GetSubMenu(frame.menu, position);
    SendMessage(frame.window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), position);
    return (GetMenuState(popup, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) != 0;
  };
  constexpr int kLayoutMisc = 5, kListMisc = 4;
  for (int id : {193, 194, 195, 251}) {
    EXPECT_TRUE(grayed(LayoutFrame(), kLayoutMisc, id)) << "Layout " << id;
    EXPECT_TRUE(grayed(ListFrame(), kListMisc, id)) << "List " << id;
  }
  // Tables with records stay open to look at.
  for (int id : {188, 189, 190}) EXPECT_FALSE(grayed(LayoutFrame(), kLayoutMisc, id)) << id;
  ResultsCommandNow(127);
  ASSERT_FALSE(InResultsMode());
  for (int id : {193, 194, 195, 251}) {
    EXPECT_FALSE(grayed(LayoutFrame(), kLayoutMisc, id)) << "Layout " << id;
    EXPECT_FALSE(grayed(ListFrame(), kListMisc, id)) << "List " << id;
  }
}

// While results are shown the window titles name the results file beside
// the model, and the model file again after.
TEST_F(ResultsWindowTest, TheTitlesNameTheResultsFileWhileResultsAreShown) {
  BuildLine({1, 8, 2});
  Analyse();
  ShowModelWindows();
  const std::string folder = " (" + folder_;
  OpenAndChoose("RESULTS6_DIALOG", 6);
  ASSERT_TRUE(InResultsMode());
  for (Frame* frame : {&LayoutFrame(), &ResultsFrame()}) {
    const std::string title = TextOf(frame->window);
    EXPECT_NE(title.find("[line.res" + folder), std::string::npos) << title;
    EXPECT_EQ(title.find("line.mod"), std::string::npos) << title;
  }
  EXPECT_NE(ResultsTitle().find("Displacements: Sustained (W+P)"), std::string::npos) << ResultsTitle();
  ResultsCommandNow(127);
  for (Frame* frame : {&LayoutFrame()}) {
    const std::string title = TextOf(frame->window);
    EXPECT_NE(title.find("[line.mod" + folder), std::string::npos) << title;
    EXPECT_EQ(title.find("line.res"), std::string::npos) << title;
  }
}

// The List window opened from the Results window goes back there with F3,
// and its Window menu offers the Layout window, which then becomes the one
// F3 goes back to, and the other way round. Outside results the entry is
// grayed.
TEST_F(ResultsWindowTest, TheListWindowOpensTheOtherOfLayoutAndResults) {
  BuildLine({1, 8, 2});
  Analyse();
  OpenAndChoose("RESULTS6_DIALOG", 6);
  ASSERT_TRUE(InResultsMode());
  platform::ExpectModal(platform::ModalKind::Dialog, ListDialogTemplate(),
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  ResultsCommandNow(255);
  platform::CheckModalScript();
  ASSERT_TRUE(IsWindowVisible(ListFrame().window));
  ASSERT_EQ(ListFrame().previous_frame, &ResultsFrame());
  constexpr int kListWindowMenu = 5;
  HMENU popup = GetSubMenu(ListFrame().menu, kListWindowMenu);
  const auto texts = [&popup] {
    SendMessage(ListFrame().window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), kListWindowMenu);
    char back[64] = {}, other[64] = {};
    GetMenuString(popup, 255, back, sizeof back, MF_BYCOMMAND);
    GetMenuString(popup, 257, other, sizeof other, MF_BYCOMMAND);
    EXPECT_EQ(GetMenuState(popup, 257, MF_BYCOMMAND) & MF_GRAYED, 0u);
    return std::pair<std::string, std::string>(back, other);
  };
  EXPECT_EQ(texts(), (std::pair<std::string, std::string>("&Results\tF3", "L&ayout")));
  SendMessage(ListFrame().window, WM_COMMAND, 257, 0);
  platform::RunUntilIdle();
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
  EXPECT_EQ(ListFrame().previous_frame, &LayoutFrame());
  EXPECT_EQ(texts(), (std::pair<std::string, std::string>("L&ayout\tF3", "&Results")));
  SendMessage(ListFrame().window, WM_COMMAND, 257, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(ListFrame().previous_frame, &ResultsFrame());
  EXPECT_TRUE(IsWindowVisible(ResultsFrame().window));
  EXPECT_TRUE(InResultsMode());
  ResultsCommandNow(127);
  ASSERT_FALSE(InResultsMode());
  popup = GetSubMenu(ListFrame().menu, kListWindowMenu);
  SendMessage(ListFrame().window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), kListWindowMenu);
  EXPECT_NE(GetMenuState(popup, 257, MF_BYCOMMAND) & MF_GRAYED, 0u);
  SendMessage(ListFrame().window, WM_COMMAND, 257, 0);  // nothing, and no message
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(ListFrame().previous_frame, &LayoutFrame());
}

TEST_F(ResultsWindowTest, DamagedResultsFilesAreRefusedAndTheModelStaysAsItWas) {
  BuildLine({1, 8, 2});
  Analyse();
  const std::string model = Bytes(ModelPath());
  const std::string good = Bytes(ResultsPath());
  ASSERT_GT(good.size(), 1000u);
  // Each refusal says what gave the file away and what to do.
  auto refused = [](const std::string& why) {
    return std::vector<std::string>{"Unable to read results file", why, "Please reanalyze the model."};
  };
  // Truncated: its last support block cut short.
  WriteBytes(ResultsPath(), good.substr(0, good.size() - 10));
  EXPECT_EQ(RefusedLines("MESSAGE3_DIALOG"), refused("The file ends before the results of the model's load cases do."));
  ExpectModelAsItWas(model);
  // Padded: bytes past what the model's layout gives.
  WriteBytes(ResultsPath(), good + std::string(48, '\0'));
  EXPECT_EQ(RefusedLines("MESSAGE3_DIALOG"), refused("The file holds more than the results of the model's load cases."));
  ExpectModelAsItWas(model);
  // Corrupted: an element naming a node the model does not have.
  std::string corrupted = good;
  corrupted[16 + 4 + 8] = '\x7f';
  WriteBytes(ResultsPath(), corrupted);
  EXPECT_EQ(RefusedLines("MESSAGE3_DIALOG"),
            refused("The file holds the results of another model, or of this model before it was changed."));
  ExpectModelAsItWas(model);
  // Another magic.
  corrupted = good;
  corrupted[0] = 'X';
  WriteBytes(ResultsPath(), corrupted);
  EXPECT_EQ(RefusedLines("MESSAGE3_DIALOG"), refused("The file is not a results file."));
  ExpectModelAsItWas(model);
  // Another version.
  corrupted = good;
  corrupted.replace(11, 3, "850");
  WriteBytes(ResultsPath(), corrupted);
  EXPECT_EQ(RefusedLines("MESSAGE3_DIALOG"),
            (std::vector<std::string>{"Program version = 9.00", "Results version = 8.50", "Please reanalyze the model."}));
  ExpectModelAsItWas(model);
  // The whole file opens.
  WriteBytes(ResultsPath(), good);
  OpenAndChoose("RESULTS6_DIALOG", 0, [this] { OpenFileByExtension(MainFrame().window, ResultsPath()); });
  EXPECT_TRUE(InResultsMode());
}

TEST_F(ResultsWindowTest, AMissingResultsFileIsNamedAndNothingChanges) {
  BuildLine({1});
  std::vector<std::string> lines;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [&lines](HWND dialog) {
    lines = LinesOfDialog(dialog);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  OpenResults();
  platform::CheckModalScript();
  EXPECT_EQ(lines, (std::vector<std::string>{"Results file: " + ResultsPath(), "Does not exist."}));
  EXPECT_FALSE(InResultsMode());
  EXPECT_FALSE(TableResultsShown());
}

TEST_F(ResultsWindowTest, ResultsWithoutALoadCaseSaySoInsteadOfAnEmptyChooser) {
  BuildLine({});
  Analyse();
  std::vector<std::string> lines;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [&lines](HWND dialog) {
    lines = LinesOfDialog(dialog);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  OpenResults();
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(lines.at(0), "The results hold no load case to show.");
  EXPECT_TRUE(InResultsMode());
  EXPECT_TRUE(ResultChooserList().empty());
}

TEST_F(ResultsWindowTest, ABatchRunPreparesTheResultsWithoutShowingAWindow) {
  BuildLine({1, 8, 2});
  Analyse();
  OpenResults(true);
  platform::RunUntilIdle();  // the posted chooser does nothing in batch mode
  ASSERT_TRUE(InResultsMode());
  EXPECT_FALSE(IsWindowVisible(ResultsFrame().window));
  EXPECT_TRUE(SupportLoadSummaryAvailable());
  EXPECT_EQ(ResultChooserList().size(), 6u);
}

TEST_F(ResultsWindowTest, ClosingTheModelLeavesResultsMode) {
  BuildLine({1});
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_TRUE(InResultsMode());
  ResultsCommandNow(103);
  EXPECT_FALSE(InResultsMode());
  EXPECT_TRUE(TheModel().path.empty());
  EXPECT_TRUE(IsWindowVisible(MainFrame().window));
}

TEST_F(ResultsWindowTest, TheResultTableShownPrintsThroughTheReportRoad) {
  BuildLine({1, 8, 2});
  Analyse();
  OpenAndChoose("RESULTS6_DIALOG", 6);  // Displacements
  const std::string pdf = folder_ + "/displacements.pdf";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Displacements", [](HWND sheet) {
    SendMessage(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
  });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ResultsCommandNow(106);
  platform::CheckModalScript();
  ASSERT_EQ(Bytes(pdf).substr(0, 5), "%PDF-");
  ASSERT_EQ(std::system("command -v pdftotext >/dev/null 2>&1"), 0) << "pdftotext (poppler-utils) is not installed";
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
  const std::string text = Bytes(pdf + ".txt");
  ResultTableWindow& table = Shown();
  for (const std::string& expected : {std::string("Displacements: Sustained (W+P)"), std::string("Displacements (global)"),
                                      table.HeadingText(3, 1), table.CellText(2, 3, 0), table.CellText(table.rowCount, 1, 0)})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

// With the chooser left, the Results window shows no table; its Print
// gives the report of the results, to a file and on the printer.
TEST_F(ResultsWindowTest, WithNoTableShownPrintGivesTheReportOfTheResults) {
  BuildLine({1, 8, 2});
  Analyse();
  OpenCancelled("RESULTS6_DIALOG");
  ASSERT_EQ(ShownResultTable(), nullptr);
  const PrintChoices kept = ThePrintChoices();
  const std::string path = folder_ + "/results.txt", pdf = folder_ + "/results.pdf";
  for (const bool toFile : {true, false}) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results", [toFile](HWND sheet) {
      SendMessage(sheet, WM_COMMAND, 1003, 0);                  // "&All"
      SendMessage(sheet, WM_COMMAND, toFile ? 1002 : IDOK, 0);  // "To &File", "OK"
    });
    platform::ExpectModal(platform::ModalKind::CommonDialog, toFile ? "Print to File" : "Print", [&](HWND dialog) {
      SetDlgItemText(dialog, toFile ? edt1 : edt3, (toFile ? path : pdf).c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    if (toFile)
      platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG",
                            [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
    ResultsCommandNow(106);
    platform::CheckModalScript();
  }
  ThePrintChoices() = kept;
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
  for (const std::string& text : {Bytes(path), Bytes(pdf + ".txt")})
    for (const char* title : {"Sustained (W+P)", "Expansion (T1)", "Operating (W+P1+T1)"})
      EXPECT_NE(text.find(std::string("Displacements: ") + title), std::string::npos) << title << "\n" << text;
}

// The preview hides the program's windows while it is up. Escape leaves
// it; the windows come back with the Results window in front, whose keys
// work again: Ctrl+I goes back to the input and the Layout window is there.
TEST_F(ResultsWindowTest, AfterThePreviewTheInputCommandLeavesTheLayoutOnTheScreen) {
  BuildLine({1, 8, 2});
  Analyse();
  ShowModelWindows();
  OpenAndChoose("RESULTS6_DIALOG", 6);  // Displacements
  platform::CheckModalScript();
  ASSERT_TRUE(IsWindowVisible(ResultsFrame().window));
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Displacements",
                        [](HWND sheet) { SendMessage(sheet, WM_COMMAND, 1001, 0); });  // Preview
  ResultsCommandNow(106);
  platform::CheckModalScript();
  HWND preview = TextPrinter().previewFrame;
  ASSERT_NE(preview, nullptr);
  EXPECT_FALSE(IsWindowVisible(ResultsFrame().window));
  EXPECT_FALSE(IsWindowVisible(LayoutFrame().window));
  Key(VK_ESCAPE);
  ASSERT_EQ(TextPrinter().previewFrame, nullptr);
  EXPECT_FALSE(IsWindow(preview));
  EXPECT_TRUE(IsWindowVisible(ResultsFrame().window));
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
  EXPECT_EQ(GetForegroundWindow(), ResultsFrame().window);
  platform::TestKeyDown(VK_CONTROL);
  platform::TestKeyPress('I');
  PumpAsTheMainLoop();
  platform::TestKeyUp(VK_CONTROL);
  PumpAsTheMainLoop();
  EXPECT_FALSE(InResultsMode());
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
  EXPECT_TRUE(IsWindowVisible(GraphicsFrame().window));
  EXPECT_FALSE(IsWindowVisible(ResultsFrame().window));
}

TEST_F(ResultsWindowTest, TheGraphicsWindowsResultCommandsReachTheResults) {
  BuildLine({1});
  Analyse();
  OpenAndChoose("RESULTS6_DIALOG", 6);  // Displacements
  ASSERT_FALSE(g_ShowDeformedCoordinates);
  PostMessage(GraphicsFrame().window, WM_COMMAND, 217, 0);
  platform::RunUntilIdle();
  EXPECT_TRUE(g_ShowDeformedCoordinates);
  EXPECT_GT(Shown().widths[8], 0);
  ResultsCommandNow(217);
  EXPECT_FALSE(g_ShowDeformedCoordinates);
  // Thresholds from the graphics window's menu.
  platform::ExpectModal(platform::ModalKind::Dialog, "THRESHOLDS_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1302, "0.8");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  PostMessage(GraphicsFrame().window, WM_COMMAND, 334, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_FLOAT_EQ(g_RatioLabelThreshold, 0.8f);
  g_RatioLabelThreshold = 0.0f;
  // The jacket stresses flag toggles; the operating-stress section of the
  // sorted stresses reaches their table when it is shown.
  const bool jacket = g_JacketStresses;
  PostMessage(GraphicsFrame().window, WM_COMMAND, 40029, 0);
  platform::RunUntilIdle();
  EXPECT_NE(g_JacketStresses, jacket);
  OpenSortedStressesTable();
  ASSERT_EQ(ResultsReopenCommand(), OpenSortedStressesTable);
  const bool operating = TheCodeStresses().showOperating;
  PostMessage(GraphicsFrame().window, WM_COMMAND, 338, 0);
  platform::RunUntilIdle();
  EXPECT_NE(TheCodeStresses().showOperating, operating);
}

}  // namespace
