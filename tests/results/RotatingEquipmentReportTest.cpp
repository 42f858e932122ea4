// The rotating-equipment report through Analyze: a horizontal API 610 pump
// whose suction nozzle takes a weightless 6 in pipe loaded at its far end,
// checked row by row against the hand calculation (F.1.1 rows, the F.1.2.b
// interaction, the F.1.2.c sums about the pump centre); a NEMA SM 23
// turbine and the same machine as an API 617 compressor; the report's
// choosers, the equipment and case stepping with wrapping, and the
// report's section of the printed results.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "evaluations/EvaluationReport.h"
#include "evaluations/PumpList.h"
#include "evaluations/RotatingEquipmentData.h"
#include "loads/Force.h"
#include "model/ListWindow.h"
#include "platform/CommonDialog.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "records/AllowableLoad.h"
#include "records/Compressor.h"
#include "records/PipeSection.h"
#include "records/Pump.h"
#include "results/PrintSelection.h"
#include "results/ResultChooser.h"
#include "results/ResultsTesting.h"
#include "results/RotatingEquipmentReport.h"
#include "results/RotatingTesting.h"

namespace {

class RotatingReportTest : public ResultsFixture {
 protected:
  Model& BuildPump() {
    Model& model = BuildRotatingPumpModel(ModelPath());
    Save(model);
    return model;
  }
  Model& BuildTurbine(bool compressor) {
    Model& model = BuildRotatingTurbineModel(ModelPath(), compressor);
    Save(model);
    return model;
  }
  void Save(Model& model) {
    MakeModel(model);
    analysis_testing::SetCases(model, {1, 8});
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    model.modified = false;
  }
  // Opens the results, cancels the chooser, then picks the report through
  // the chooser command.
  void OpenReport() {
    Analyse();
    OpenCancelled(chooserTemplate);
    ASSERT_TRUE(InResultsMode());
    int index = 0;
    for (std::size_t i = 0; i < ResultChooserList().size(); ++i)
      if (ResultChooserList()[i].name == "&Rot. equip report") index = static_cast<int>(i) + 1;
    ASSERT_GT(index, 0);
    platform::ExpectModal(platform::ModalKind::Dialog, ResultChooserTemplateName(static_cast<int>(ResultChooserList().size())),
                          [index](HWND dialog) { Click(dialog, 1400 + index); });
    ResultsCommandNow(174);
    platform::CheckModalScript();
    ASSERT_EQ(ShownResultTable(), &RotatingEquipmentReportTable());
  }
  static std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (int i = 0; i < EvaluationReportLineCount(); ++i) lines.push_back(RotatingReportLineText(i));
    return lines;
  }
  // The line that starts with `start`, or "".
  static std::string LineStarting(const std::string& start) {
    for (const std::string& line : Lines())
      if (line.rfind(start, 0) == 0) return line;
    return {};
  }
  static std::vector<double> Numbers(const std::string& line) {
    std::vector<double> values;
    std::istringstream in(line);
    std::string word;
    while (in >> word) {
      char* end = nullptr;
      const double v = std::strtod(word.c_str(), &end);
      if (end != word.c_str() && *end == '\0') values.push_back(v);
    }
    return values;
  }
  static std::vector<double> CombinedRow() {
    for (const std::string& line : Lines())
      if (line.rfind("Combined ", 0) == 0 && Numbers(line).size() == 5) return Numbers(line);
    return {};
  }
  static void ExpectRow(const std::string& label, double calculated, double allowed, const std::string& status) {
    const std::string line = LineStarting(label + " (");
    ASSERT_FALSE(line.empty()) << label;
    const std::vector<double> v = Numbers(line);
    ASSERT_GE(v.size(), 3u) << line;
    EXPECT_NEAR(v[0], calculated, 0.001 * calculated + 0.5) << line;
    EXPECT_NEAR(v[1], allowed, 0.001 * allowed + 0.5) << line;
    EXPECT_NEAR(v[2], calculated / allowed, 0.0015) << line;
    EXPECT_EQ(line.substr(line.rfind(' ') + 1), status) << line;
  }

  // The report through the Layout window's Print, "To &File".
  void ReportToFile(const std::string& path) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results",
                          [](HWND sheet) { SendMessage(sheet, WM_COMMAND, 1002, 0); });
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
      SetDlgItemText(dialog, edt1, path.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG",
                          [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
    SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }

  std::string chooserTemplate = "RESULTS8_DIALOG";
};

}  // namespace

TEST_F(RotatingReportTest, Api610HorizontalPumpThroughAnalyzeAgainstTheHandCalculation) {
  BuildPump();
  OpenReport();
  EXPECT_NE(ResultsTitle().find(": Rotating Equipment Report"), std::string::npos) << ResultsTitle();
  EXPECT_EQ(Lines().at(0), "API 610 (11th ed.), Sep 2010 / ISO 13709 report for pump : P-101");
  EXPECT_EQ(LineStarting("Load case:"), "Load case: " + TheRotatingEquipmentData().caseTitles.at(0));
  EXPECT_FALSE(LineStarting("Suction node: 10,   Location: (End),  Size: 6.000 (inch)").empty());
  // |FX, FY, FZ| 500, 300, 600 against the 6 in end table 700, 560, 460.
  ExpectRow("FX", 500, 700, "OK");
  ExpectRow("FY", 300, 560, "OK");
  ExpectRow("FZ", 600, 460, "----");
  ExpectRow("FR", 836.66, 1010, "OK");
  ExpectRow("MY", 1200, 870, "----");
  ExpectRow("MZ", 600, 1300, "OK");
  ExpectRow("MR", 1341.64, 2310, "OK");
  const std::string interaction = LineStarting("(FR/1.5FRT4) + (MR/1.5MRT4) =");
  ASSERT_FALSE(interaction.empty());
  EXPECT_NEAR(Numbers(interaction).at(0), 0.939, 0.0005);
  EXPECT_EQ(interaction.substr(interaction.rfind(' ') + 1), "OK");
  EXPECT_TRUE(LineStarting("Condition F.1.1 for suction").empty());  // a ratio above 1: no passed line
  EXPECT_FALSE(LineStarting("Condition F.1.1 for discharge node 20 passed").empty());
  // F.1.2.c: the sums about the centre (10, 0, 0).
  ExpectRow("FRC", 836.66, 1.5 * (1010 + 570), "OK");
  ExpectRow("MYC", 1700, 2.0 * (870 + 500), "OK");
  ExpectRow("MRC", 1900.66, 1.5 * (2310 + 1330), "OK");
  EXPECT_EQ(Lines().back(), "Condition F.1.2.c passed");
}

TEST_F(RotatingReportTest, NemaTurbineAndApi617CompressorThroughAnalyze) {
  BuildTurbine(false);
  OpenReport();
  EXPECT_EQ(Lines().at(0), "NEMA SM23 (1991) report for turbine : T-1");
  const std::vector<double> inlet = Numbers(LineStarting("20 Inlet 6.000"));
  ASSERT_EQ(inlet.size(), 7u) << LineStarting("20 Inlet");
  // Node, size, F, M, 3F + M, allowable, ratio.
  EXPECT_NEAR(inlet[2], 269.3, 0.1);
  EXPECT_NEAR(inlet[3], 360.6, 0.1);
  EXPECT_NEAR(inlet[4], 1168.3, 0.15);
  EXPECT_NEAR(inlet[5], 3000.0, 0.5);
  EXPECT_NEAR(inlet[6], 0.389, 0.0005);
  EXPECT_EQ(LineStarting("Combined resultants at Exhaust node"), "Combined resultants at Exhaust node 10");
  const std::vector<double> ratios = Numbers(LineStarting("Ratio "));
  const double expected[6] = {0.214, 0.171, 0.161, 0.193, 0.321, 0.171};
  ASSERT_EQ(ratios.size(), 6u);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(ratios[static_cast<std::size_t>(i)], expected[i], 0.0015) << i;
  const std::vector<double> combined = CombinedRow();
  ASSERT_EQ(combined.size(), 5u);
  EXPECT_NEAR(combined[2], 1157.5, 1.0);
  EXPECT_NEAR(combined[3], 2333.3, 1.0);
  EXPECT_NEAR(combined[4], 0.496, 0.0015);
  LeaveResultsMode();
  BuildTurbine(true);
  OpenReport();
  EXPECT_EQ(Lines().at(0), "API 617 (7th Ed. 2003) report for compressor : K-1");
  EXPECT_NEAR(Numbers(LineStarting("20 Inlet 6.000")).at(5), 5550.0, 0.5);
  EXPECT_NEAR(Numbers(LineStarting("20 Inlet 6.000")).at(6), 0.211, 0.0015);
  EXPECT_EQ(LineStarting("Combined resultants at largest connection"), "Combined resultants at largest connection 10");
  EXPECT_NEAR(CombinedRow().at(3), 4316.7, 1.0);
  EXPECT_NEAR(CombinedRow().at(4), 0.268, 0.0015);
}

TEST_F(RotatingReportTest, CasesAndEquipmentStepWrapAndChooseAndPrintingCoversThemAll) {
  Model& model = BuildTurbine(false);
  // A second thermal case, and a compressor on the same nozzles: two report
  // cases, two entries (the compressor first).
  model.options.ThermalLoadCount = 2;
  RotatingEquipment compressor = model.turbines[1];
  compressor.description = "K-9";
  AppendRotatingEquipment(model.compressors, compressor);
  analysis_testing::SetCases(model, {1, 8, 9});
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  model.modified = false;
  OpenReport();
  const RotatingEquipmentData& data = TheRotatingEquipmentData();
  ASSERT_EQ(data.caseTypes, (std::vector<int>{8, 9}));
  ASSERT_EQ(data.entries.size(), 2u);
  EXPECT_EQ(Lines().at(0), "API 617 (7th Ed. 2003) report for compressor : K-9");
  const std::string first = "Load case: " + data.caseTitles[0];
  const std::string second = "Load case: " + data.caseTitles[1];
  EXPECT_EQ(LineStarting("Load case:"), first);
  // Right and Left arrows step the case and wrap; the menu has the items.
  EXPECT_TRUE(ResultsMenuHas(231));
  EXPECT_TRUE(ResultsMenuHas(287));
  ResultsCommandNow(228);
  EXPECT_EQ(LineStarting("Load case:"), second);
  ResultsCommandNow(228);
  EXPECT_EQ(LineStarting("Load case:"), first);
  ResultsCommandNow(229);
  EXPECT_EQ(LineStarting("Load case:"), second);
  // Ctrl+Right and Ctrl+Left step the equipment and wrap.
  ResultsCommandNow(330);
  EXPECT_EQ(Lines().at(0), "NEMA SM23 (1991) report for turbine : T-1");
  EXPECT_EQ(LineStarting("Load case:"), second);
  ResultsCommandNow(330);
  EXPECT_EQ(Lines().at(0), "API 617 (7th Ed. 2003) report for compressor : K-9");
  ResultsCommandNow(331);
  EXPECT_EQ(Lines().at(0), "NEMA SM23 (1991) report for turbine : T-1");
  // The choosers: F6 lists the entries, 231 the report cases.
  platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Other Rot. Equipment");
    auto* table = reinterpret_cast<TableWindow*>(GetWindowLongPtr(dialog, DWLP_USER));
    EXPECT_EQ(table->CellText(1, 2, 0), "K-9");
    EXPECT_EQ(table->CellText(2, 1, 0), "Turbine");
    TableGoTo(*table, 1);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ResultsCommandNow(287);
  platform::CheckModalScript();
  EXPECT_EQ(Lines().at(0), "API 617 (7th Ed. 2003) report for compressor : K-9");
  std::vector<std::string> names;
  platform::ExpectModal(platform::ModalKind::Dialog, "RESULT_LOAD_CASES3_DIALOG", [&names](HWND dialog) {
    names = ShownRadios(dialog);
    Click(dialog, 1401);
  });
  ResultsCommandNow(231);
  platform::CheckModalScript();
  EXPECT_EQ(names, data.caseTitles);
  EXPECT_EQ(LineStarting("Load case:"), first);
  // The report's right-click menu: its third item is "Previous equipment",
  // its fifth "Next load case".
  auto choose = [](int downs) {
    platform::ExpectModal(platform::ModalKind::PopupMenu, "Other Rot. Equipment...", [downs](HWND) {
      for (int i = 0; i < downs; ++i) platform::TestKeyPress(VK_DOWN);
      platform::TestKeyPress(VK_RETURN);
    });
    RotatingEquipmentReportTable().ContextMenu();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  };
  choose(3);
  EXPECT_EQ(Lines().at(0), "NEMA SM23 (1991) report for turbine : T-1");
  choose(5);
  EXPECT_EQ(LineStarting("Load case:"), second);
  EXPECT_EQ(Lines().at(0), "NEMA SM23 (1991) report for turbine : T-1");
  choose(2);  // next equipment, wrapping
  EXPECT_EQ(Lines().at(0), "API 617 (7th Ed. 2003) report for compressor : K-9");
  choose(6);  // previous load case
  EXPECT_EQ(LineStarting("Load case:"), first);
  // The printed results carry every machine in every case.
  ThePrintChoices().section.fill(0);
  ThePrintChoices().section[static_cast<std::size_t>(PrintSection::RotatingEquipment)] = 1;
  const std::string path = folder_ + "/report.txt";
  ReportToFile(path);
  std::ifstream in(path);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  auto count = [&text](const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  };
  // Each machine once for each case, each report on a page of its own; the
  // report shown on the screen (put back after printing) writes nothing here.
  EXPECT_EQ(count("API 617 (7th Ed. 2003) report for compressor : K-9"), 2);
  EXPECT_EQ(count("NEMA SM23 (1991) report for turbine : T-1"), 2);
  EXPECT_EQ(count("Load case: " + data.caseTitles[1]), 2);
  EXPECT_EQ(count("Shaft axis: Xcomp = 0.000,  Ycomp = 0.000,  Zcomp = 1.000"), 4);
  EXPECT_NE(text.find("Combined resultants at Exhaust node 10"), std::string::npos);
  // The report shown is the same after printing.
  EXPECT_EQ(ShownResultTable(), &RotatingEquipmentReportTable());
  EXPECT_EQ(Lines().at(0), "API 617 (7th Ed. 2003) report for compressor : K-9");
}

// Case titles of models with four or more temperatures are long: the case
// chooser of a report with fewer than six cases is widened to 110 x 100
// dialog units; with two temperatures it keeps its own size. A single
// machine's menu starts with the cases.
TEST_F(RotatingReportTest, TheCaseChooserWidensForFourOrMoreTemperatures) {
  RECT widened{0, 0, 110, 100};
  std::vector<RECT> clients;
  std::vector<RECT> wanted;
  // Four or more is ten: a model file holds 1, 2, 3 or 10 thermal loads.
  for (const int temperatures : {10, 2}) {
    Model& model = BuildTurbine(false);
    model.options.ThermalLoadCount = temperatures;
    analysis_testing::SetCases(model, {1, 8, 9});
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    model.modified = false;
    OpenReport();
    ASSERT_EQ(TheRotatingEquipmentData().caseTypes, (std::vector<int>{8, 9}));
    platform::ExpectModal(platform::ModalKind::Dialog, "RESULT_LOAD_CASES3_DIALOG", [&](HWND dialog) {
      RECT client{};
      GetClientRect(dialog, &client);
      clients.push_back(client);
      RECT units = widened;
      MapDialogRect(dialog, &units);
      wanted.push_back(units);
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    ResultsCommandNow(231);
    platform::CheckModalScript();
    // One machine: the popup opens with the load-case items.
    platform::ExpectModal(platform::ModalKind::PopupMenu, "Load Cases...",
                          [](HWND) { platform::TestKeyPress(VK_ESCAPE); });
    RotatingEquipmentReportTable().ContextMenu();
    platform::RunUntilIdle();
    platform::CheckModalScript();
    LeaveResultsMode();
  }
  ASSERT_EQ(clients.size(), 2u);
  EXPECT_EQ(clients[0].right - clients[0].left, wanted[0].right - wanted[0].left);
  EXPECT_EQ(clients[0].bottom - clients[0].top, wanted[0].bottom - wanted[0].top);
  EXPECT_NE(clients[1].right - clients[1].left, wanted[1].right - wanted[1].left);
}

TEST_F(RotatingReportTest, AFrameThatCannotBeBuiltIsSaidOnceAndTheOtherMachinesStillReport) {
  Model& model = BuildRotatingPumpModel(ModelPath());
  model.pumps[1].shaftAxis = {0, 0, 0};
  // A turbine without exhaust whose extraction is no anchor and whose
  // second extraction names a node the model has not.
  RotatingEquipment turbine;
  turbine.description = "T-9";
  turbine.inletNode = 10;
  turbine.extractionNode1 = 25;
  turbine.extractionNode2 = 99;
  turbine.shaftAxis = {1, 0, 0};
  AppendRotatingEquipment(model.turbines, turbine);
  Save(model);
  Analyse();
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND box) {
    EXPECT_EQ(LinesOfDialog(box).at(0), "Invalid shaft axis for pump: P-101");
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  OpenCancelled(chooserTemplate);
  platform::CheckModalScript();
  ASSERT_TRUE(InResultsMode());
  OpenRotatingEquipmentReport();
  EXPECT_EQ(LineStarting("Invalid shaft axis"), "Invalid shaft axis for pump: P-101");
  ResultsCommandNow(330);
  EXPECT_EQ(Lines().at(0), "NEMA SM23 (1991) report for turbine : T-9");
  EXPECT_FALSE(LineStarting("25 Extr.1 *** not an anchor ***").empty());
  EXPECT_FALSE(LineStarting("99 Extr.2 *** No connected pipe ***").empty());
  EXPECT_EQ(Lines().back(), "*** Combined resultants at Exhaust node are not available ***");
  // The pump dialog in results mode is read-only and stores nothing.
  ShowListByOpener(OpenPumpsTable);
  platform::RunUntilIdle();
  platform::ExpectModal(platform::ModalKind::Dialog, "PUMP_DIALOG", [](HWND dialog) {
    EXPECT_NE(GetWindowLong(GetDlgItem(dialog, 1301), GWL_STYLE) & ES_READONLY, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1401)));
    SetDlgItemText(dialog, 1301, "Changed");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  TableGoTo(ThePumpsTable(), 1);
  ThePumpsTable().EditCurrentItem();
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().pumps[1].name, "P-101");
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(RotatingReportTest, ThePrintedReportCarriesTheReportsAndTheEquipmentLists) {
  Model& model = BuildRotatingPumpModel(ModelPath());
  RotatingEquipment turbine;
  turbine.description = "T-5";
  turbine.inletNode = 20;
  turbine.exhaustNode = 10;
  turbine.shaftAxis = {1, 0, 0};
  AppendRotatingEquipment(model.turbines, turbine);
  Allowable allowable;
  allowable.node = 10;
  allowable.values = {700, 560, 460, 0, 0, 0};
  AppendAllowable(model.allowables, allowable);
  Save(model);
  OpenReport();
  ThePrintChoices().section.fill(0);
  ThePrintChoices().section[static_cast<std::size_t>(PrintSection::RotatingEquipment)] = 1;
  ThePrintChoices().section[static_cast<std::size_t>(PrintSection::Details)] = 1;
  const std::string pdf = folder_ + "/report.pdf";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Results",
                        [](HWND sheet) { SendMessage(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0); });
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  std::ifstream in(pdf, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  ASSERT_EQ(bytes.substr(0, 5), "%PDF-");
  ASSERT_EQ(std::system("command -v pdftotext >/dev/null 2>&1"), 0) << "pdftotext (poppler-utils) is not installed";
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
  std::ifstream textFile(pdf + ".txt", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(textFile)), {});
  for (const char* expected :
       {"Pump: P-101", "Allowables", "Turbines", "API 610 (11th ed.), Sep 2010 / ISO 13709 report for pump : P-101",
        "Check of condition F.1.1 for suction node 10:", "Condition F.1.2.c passed",
        "NEMA SM23 (1991) report for turbine : T-5", "Combined resultants at Exhaust node 10"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  // The report shown is still the pump's.
  EXPECT_EQ(Lines().at(0), "API 610 (11th ed.), Sep 2010 / ISO 13709 report for pump : P-101");
}
