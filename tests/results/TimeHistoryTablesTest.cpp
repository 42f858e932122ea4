// The results over time of a saved time history, through the Results
// window: the chooser's "&Time history" entry, the selection dialog and the
// item choosers, the displacement, element force and support tables whose
// cells are the .rth file's values at the offsets the file layout gives
// (read here on their own), the case's peaks in the results file against
// the largest step of the .rth, the global and local force axes, the
// comma-separated export and the printed lines; a file cut short or missing
// refused with its message and the results opening without time histories
// and without a part of the refused file;
// and the support load summary's rows of the three dynamic cases.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "loads/ForceSpectrumLoad.h"
#include "loads/HarmonicLoad.h"
#include "loads/TimeVaryingLoad.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "printing/ReportOutput.h"
#include "properties/DialogTable.h"
#include "records/ForceSpectrum.h"
#include "records/TimeFunction.h"
#include "results/ModalTables.h"
#include "results/ResultsTesting.h"
#include "results/SupportLoadsTimeHistory.h"
#include "results/TimeHistoryTables.h"
#include "results/TimeHistoryTesting.h"
#include "services/AppTesting.h"
#include "services/Units.h"
#include "supports/Anchor.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"
#include "supports/SupportLoadSummary.h"

namespace {

using namespace analysis_testing;

// A number's text copied at once: the formatters share one buffer.
std::string Text(const char* (*format)(float), float value) { return format(value); }

class TimeHistoryTablesTest : public ResultsFixture {
 protected:
  std::string RthPath() const { return folder_ + "/line.rth"; }

  // The line without its restraint, a half-sine pulse FY at 20 (and, with
  // `others`, force spectrum and harmonic loads there too), 51 output steps.
  Model& BuildHistory(const std::vector<int>& cases = {1, 30, 35}, bool others = false) {
    Model& model = BuildLine(cases, false);
    AddTimeHistoryLoads(model, cases, others);
    EXPECT_EQ(WriteModelFile(ModelPath()), "");
    model.modified = false;
    Analyse();
    return model;
  }
  std::int64_t StepBytes() const {
    return 24 * static_cast<std::int64_t>(ResultNodeCount(TheModel())) + 48 * static_cast<std::int64_t>(TheResults().elementCount) +
           TheResults().supportBlockBytes;
  }
  // The float at byte `offset` of step s, read from the file on its own.
  float FileValue(int step, std::int64_t offset) const {
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenRead(file, RthPath()));
    BinaryFileSeek(file, 24 + (step - 1) * StepBytes() + offset);
    float value = 0.0f;
    BinaryFileReadFloat(file, value);
    EXPECT_FALSE(BinaryFileReadFailed(file));
    return value;
  }
  // Opens the results answering the chooser with Cancel; its names.
  std::vector<std::string> Open(const std::string& chooser = "RESULTS10_DIALOG") {
    std::vector<std::string> names;
    platform::ExpectModal(platform::ModalKind::Dialog, chooser, [&names](HWND dialog) {
      names = ShownRadios(dialog);
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    OpenResults();
    platform::RunUntilIdle();
    return names;
  }
  // The selection: kind `kind`, then row `row` of the item chooser.
  void Select(int kind, int row, const std::string& caption) {
    platform::ExpectModal(platform::ModalKind::Dialog, "TIME_HISTORY_RESULTS_DIALOG", [=](HWND dialog) {
      EXPECT_EQ(TextOf(dialog), "Time History");
      EXPECT_EQ(ShownRadios(dialog), (std::vector<std::string>{"&Support Loads", "&Element Forces", "&Displacements"}));
      platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [=](HWND pick) {
        EXPECT_EQ(TextOf(pick), caption);
        auto* table = dynamic_cast<DialogTableWindow*>(TableOfWindow(GetFocus()));
        ASSERT_NE(table, nullptr);
        TableGoTo(*table, row);
        SendMessage(pick, WM_COMMAND, IDOK, 0);
      });
      Click(dialog, 1400 + kind);
    });
    SelectTimeHistoryResults();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  int ResultNodeRow(NodeId id) const {
    const auto& nodes = TheResults().resultNodes;
    for (std::size_t i = 0; i < nodes.size(); ++i)
      if (TheModel().nodes[nodes[i]].id == id) return static_cast<int>(i) + 1;
    return 0;
  }
  static int SupportPosition(int layoutRow) {
    const auto& list = TheResults().supportList;
    return static_cast<int>(std::find(list.begin(), list.end(), layoutRow) - list.begin()) + 1;
  }
};

TEST_F(TimeHistoryTablesTest, TheChooserOffersTheHistoriesAndANodesDisplacementsAreTheFilesValues) {
  const Model& model = BuildHistory();
  const std::vector<std::string> names = Open();
  ASSERT_TRUE(InResultsMode());
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.back(), "&Time history");
  ASSERT_TRUE(TimeHistoryAvailable());
  EXPECT_EQ(TheResults().timeSteps, 50);
  EXPECT_FLOAT_EQ(TheResults().timeStep, 0.004f);
  // Through the chooser's entry: displacements, node 20.
  Select(3, ResultNodeRow(20), "Displacements Time History");
  ResultTableWindow& table = Shown();
  EXPECT_EQ(&table, &DisplacementTimeHistoryTable());
  EXPECT_NE(ResultsTitle().find(": Displacements at Node 20 - "), std::string::npos) << ResultsTitle();
  ASSERT_EQ(table.rowCount, 51);
  EXPECT_EQ(table.HeadingText(1, 0), "Time (Sec)");
  EXPECT_EQ(table.HeadingText(3, 0), ValueWithUnitLabel("Y", kUnitDisplacement));
  EXPECT_EQ(table.HeadingText(7, 0), ValueWithUnitLabel("ZZ", kUnitAngle));
  // Row 1 is time 0 and zeros; row k + 1 is step k at (k)·T.
  EXPECT_EQ(Row(table, 1)[0], "0");
  EXPECT_EQ(Row(table, 1)[2], Text(FormatDisplacement, 0.0f));
  const int node = FindNodeIndex(model.nodes, 20);
  float peak = 0.0f;
  for (int step = 1; step <= 50; ++step) {
    const float y = FileValue(step, 24 * (node - 1) + 4);
    EXPECT_EQ(table.CellText(step + 1, 3, 0), Text(FormatDisplacement, y)) << step;
    if (std::fabs(y) > std::fabs(peak)) peak = y;
  }
  EXPECT_EQ(table.CellText(26, 1, 0), "0.1");
  EXPECT_GT(std::fabs(peak), 1e-4);
  // The case's displacement in the results file is that peak, sign and all.
  BinaryFile res;
  ASSERT_TRUE(BinaryFileOpenRead(res, ResultsPath()));
  BinaryFileSeek(res, TheResults().cases.at(2).displacements + 24 * (node - 1) + 4);
  float casePeak = 0.0f;
  BinaryFileReadFloat(res, casePeak);
  EXPECT_FLOAT_EQ(casePeak, peak);
  // F6 on the table opens the selection again; Cancel leaves the table.
  platform::ExpectModal(platform::ModalKind::Dialog, "TIME_HISTORY_RESULTS_DIALOG", [](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1403), BST_CHECKED);  // the kind shown last
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  ResultsCommandNow(287);
  platform::CheckModalScript();
  EXPECT_EQ(ShownResultTable(), &DisplacementTimeHistoryTable());
  // The table stands for the chooser's last entry: Previous Result shows
  // the one before it.
  EXPECT_EQ(CurrentResultIndex(), static_cast<int>(names.size()));
  ResultsCommandNow(227);
  EXPECT_EQ(ResultsReopenCommand(), OpenModeShapeTable);
}

TEST_F(TimeHistoryTablesTest, ARestraintsLoadsOverTimeShowItsThreeForces) {
  Model& model = BuildLine({1, 30, 35}, true);
  // The pulse along Y moved to a node of the bend: the restraint at 20
  // takes part of it through the pipe. (At 20 itself the modes, held
  // there, would not see it.)
  AddTimeHistoryLoads(model, {1, 30, 35}, false);
  NodeId bendNode = 0;
  for (int n = 1; n <= model.nodes.count; ++n) {
    const NodeId id = model.nodes[n].id;
    if (id != 10 && id != 20 && id != 30 && id != 40) bendNode = id;
  }
  ASSERT_NE(bendNode, 0);
  model.row(5).node = bendNode;
  MakeModel(model);
  SetCases(model, {1, 30, 35});
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  Analyse();
  Open();
  ASSERT_TRUE(TimeHistoryAvailable());
  ASSERT_EQ(model.row(2).dataType, DataType::Restraint);
  Select(1, SupportPosition(2), "Support Loads Time History");
  ResultTableWindow& table = Shown();
  EXPECT_EQ(SupportTimeHistoryTitle(2), "Loads on Restraint at Node 20");
  ASSERT_EQ(table.columnCount, 4);
  EXPECT_EQ(table.HeadingText(3, 0), ValueWithUnitLabel("FY", kUnitForce));
  const std::int64_t at = 24 * static_cast<std::int64_t>(ResultNodeCount(model)) + 48 * TheResults().elementCount +
                          TheResults().supportOffset.at(2) + 4;
  float peak = 0.0f;
  for (int step = 1; step <= 50; ++step) {
    const float fy = FileValue(step, at);
    EXPECT_EQ(table.CellText(step + 1, 3, 0), Text(FormatForce, fy));
    if (std::fabs(fy) > std::fabs(peak)) peak = fy;
  }
  EXPECT_GT(std::fabs(peak), 1.0f);
  EXPECT_EQ(table.CellText(52, 3, 0), Text(FormatForce, peak));
  const std::string csv = SupportTimeHistoryCsv();
  const std::string force = UnitLabel(kUnitForce);
  EXPECT_NE(csv.find("\r\nTime(sec),X" + force + ",Y" + force + ",Z" + force + "\r\n0,"), std::string::npos) << csv.substr(0, 200);
}

TEST_F(TimeHistoryTablesTest, AGuidesLocalLoadsAndASnubbersLoadOverTime) {
  Model& model = BuildLine({1, 30, 35}, false);
  PutItem(model, 2, DataType::Guide);  // at 20, rigid across the pipe
  AddTimeHistoryLoads(model, {1, 30, 35}, false);
  NodeId bendNode = 0;
  for (int n = 1; n <= model.nodes.count; ++n) {
    const NodeId id = model.nodes[n].id;
    if (id != 10 && id != 20 && id != 30 && id != 40) bendNode = id;
  }
  ASSERT_NE(bendNode, 0);
  model.row(5).node = bendNode;
  // A snubber at 20 along Z, across the pipe.
  const int snubberRow = ItemRow(model, 20, DataType::Snubber);
  static_cast<Snubber&>(*model.row(snubberRow).item).dirZ = 1.0f;
  MakeModel(model);
  SetCases(model, {1, 30, 35});
  ASSERT_EQ(WriteModelFile(ModelPath()), "");
  Analyse();
  Open();
  ASSERT_TRUE(TimeHistoryAvailable());
  Select(1, SupportPosition(2), "Support Loads Time History");
  ResultTableWindow& guide = Shown();
  EXPECT_EQ(SupportTimeHistoryTitle(2), "Loads on Guide at Node 20");
  ASSERT_EQ(guide.columnCount, 4);
  EXPECT_EQ(guide.HeadingText(2, 0), ValueWithUnitLabel("fx", kUnitForce));
  const std::int64_t supports = 24 * static_cast<std::int64_t>(ResultNodeCount(model)) + 48 * TheResults().elementCount;
  float largest = 0.0f;
  for (int c = 0; c < 3; ++c)
    for (int step = 1; step <= 50; ++step) {
      const float value = FileValue(step, supports + TheResults().supportOffset.at(2) + 4 * c);
      EXPECT_EQ(guide.CellText(step + 1, c + 2, 0), Text(FormatForce, value));
      largest = std::max(largest, std::fabs(value));
    }
  EXPECT_GT(largest, 1.0f);  // the guide holds the pipe across against the pulse
  ReadSupportLoadsTimeHistory(SupportPosition(snubberRow));
  ResultTableWindow& snubber = Shown();
  EXPECT_EQ(SupportTimeHistoryTitle(snubberRow), "Loads on Snubber at Node 20");
  ASSERT_EQ(snubber.columnCount, 2);
  EXPECT_EQ(snubber.HeadingText(2, 0), ValueWithUnitLabel("Load", kUnitForce));
  EXPECT_EQ(snubber.CellText(21, 2, 0), Text(FormatForce, FileValue(20, supports + TheResults().supportOffset.at(static_cast<std::size_t>(snubberRow)))));
  EXPECT_NE(SupportTimeHistoryCsv().find("\r\nTime(sec),Load" + std::string(UnitLabel(kUnitForce)) + "\r\n"), std::string::npos);
}

TEST_F(TimeHistoryTablesTest, AnElementEndsForcesInLocalAndGlobalAxes) {
  const Model& model = BuildHistory();
  Open();
  ASSERT_TRUE(TimeHistoryAvailable());
  // The element 30-40 runs along Z: its second end at 40.
  const ResultsFileContents& results = TheResults();
  int element = 0;
  for (int e = 1; e <= results.elementCount; ++e)
    if (model.nodes[results.elements[static_cast<std::size_t>(e)].node2].id == 40) element = e;
  ASSERT_NE(element, 0);
  Select(2, 2 * element, "Element Forces Time History");
  ResultTableWindow& table = Shown();
  EXPECT_EQ(&table, &ElementForceTimeHistoryTable());
  EXPECT_NE(ResultsTitle().find(": Pipe Forces at Node 40 in Local coordinates - "), std::string::npos) << ResultsTitle();
  EXPECT_EQ(table.HeadingText(2, 0), ValueWithUnitLabel("fx", kUnitForce));
  const std::int64_t at = 24 * static_cast<std::int64_t>(ResultNodeCount(model)) + 48 * (element - 1) + 24;
  bool moved = false;
  for (int step : {5, 10, 20}) {
    const float fx = FileValue(step, at), mz = FileValue(step, at + 20);
    EXPECT_EQ(table.CellText(step + 1, 2, 0), Text(FormatForce, fx));
    EXPECT_EQ(table.CellText(step + 1, 7, 0), Text(FormatMoment, mz));
    moved = moved || fx != 0.0f;
  }
  EXPECT_TRUE(moved);
  TableGoTo(table, 12);
  // F7: global axes; the local x along Z is the global FZ, and the row stays.
  ResultsCommandNow(288);
  ResultTableWindow& global = Shown();
  EXPECT_NE(ResultsTitle().find(": Pipe Forces at Node 40 in Global coordinates - "), std::string::npos) << ResultsTitle();
  EXPECT_EQ(global.HeadingText(4, 0), ValueWithUnitLabel("FZ", kUnitForce));
  EXPECT_EQ(global.currentRow, 12);
  EXPECT_EQ(global.CellText(11, 4, 0), Text(FormatForce, FileValue(10, at)));
  EXPECT_TRUE(ResultsMenuHas(288));
  ResultsCommandNow(288);
  EXPECT_EQ(Shown().HeadingText(2, 0), ValueWithUnitLabel("fx", kUnitForce));
}

TEST_F(TimeHistoryTablesTest, ASupportsLoadsOverTimeWithItsSignedPeakExportAndPrint) {
  const Model& model = BuildHistory();
  Open();
  ASSERT_TRUE(TimeHistoryAvailable());
  Select(1, SupportPosition(1), "Support Loads Time History");
  ResultTableWindow& table = Shown();
  EXPECT_EQ(&table, &SupportTimeHistoryTable());
  EXPECT_EQ(SupportTimeHistoryTitle(1), "Loads on Anchor at Node 10");
  ASSERT_EQ(table.rowCount, 52);
  EXPECT_EQ(table.CellText(52, 1, 0), "Max.Abs [Signed]");
  EXPECT_EQ(table.HeadingText(2, 0), ValueWithUnitLabel("X", kUnitForce));
  EXPECT_EQ(table.HeadingText(7, 0), ValueWithUnitLabel("ZZ", kUnitMoment));
  // The anchor's FY over the steps, from the file's support block.
  const std::int64_t at = 24 * static_cast<std::int64_t>(ResultNodeCount(model)) + 48 * TheResults().elementCount +
                          TheResults().supportOffset.at(1) + 4;
  float peak = 0.0f;
  for (int step = 1; step <= 50; ++step) {
    const float fy = FileValue(step, at);
    EXPECT_EQ(table.CellText(step + 1, 3, 0), Text(FormatForce, fy));
    if (std::fabs(fy) > std::fabs(peak)) peak = fy;
  }
  EXPECT_EQ(table.CellText(52, 3, 0), Text(FormatForce, peak));
  EXPECT_GT(std::fabs(peak), 1.0f);

  // Export (351): the title line, the heading line, S + 1 lines.
  const std::string csv = folder_ + "/anchor.csv";
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Export to Comma Separated Values file", [csv](HWND dialog) {
    char name[256] = {};
    GetDlgItemText(dialog, edt1, name, sizeof name);
    EXPECT_EQ(std::string(name), "Anchor10.csv");
    SetDlgItemText(dialog, edt1, csv.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND dialog) {
    char shown[64] = {};
    GetDlgItemText(dialog, 1501, shown, sizeof shown);
    EXPECT_EQ(std::string(shown), "csv written.");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ResultsCommandNow(351);
  platform::CheckModalScript();
  std::ifstream file(csv, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line.substr(0, line.size() - 1));
  ASSERT_EQ(lines.size(), 53u);
  EXPECT_EQ(lines[0].substr(0, 39), "Loads on Anchor at Node 10 - [line.res ") << lines[0];
  const std::string force = UnitLabel(kUnitForce), moment = UnitLabel(kUnitMoment);
  EXPECT_EQ(lines[1], "Time(sec),X" + force + ",Y" + force + ",Z" + force + ",XX" + moment + ",YY" + moment + ",ZZ" + moment);
  EXPECT_EQ(lines[2].substr(0, 2), "0,");
  EXPECT_EQ(lines[11], table.CellText(10, 1, 0) + "," + table.CellText(10, 2, 0) + "," + table.CellText(10, 3, 0) + "," +
                           table.CellText(10, 4, 0) + "," + table.CellText(10, 5, 0) + "," + table.CellText(10, 6, 0) +
                           "," + table.CellText(10, 7, 0));
  EXPECT_EQ(SupportTimeHistoryCsv().substr(0, lines[0].size()), lines[0]);

  // Printed as comma-separated report lines: title, headings, every row.
  const std::string report = folder_ + "/report.csv";
  ASSERT_TRUE(ReportOpenFile(nullptr, report));
  table.WriteText();
  ASSERT_TRUE(ReportCloseFile());
  std::ifstream printed(report, std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(printed)), std::istreambuf_iterator<char>());
  EXPECT_NE(all.find("Loads on Anchor at Node 10"), std::string::npos);
  EXPECT_NE(all.find("Max.Abs [Signed]," + table.CellText(52, 2, 0) + "," + table.CellText(52, 3, 0)), std::string::npos)
      << all.substr(0, 400);
}

// The displacements over time in a text report: each value right-aligned in
// a field of ten ending at 28, 38 ... 78; a value wider than its field
// ("-1.0213e-006" in every column of one step) stands one blank after the
// one before, and the row reads as its seven values.
TEST_F(TimeHistoryTablesTest, ADisplacementWiderThanItsFieldKeepsABlankBeforeTheNext) {
  const Model& model = BuildHistory();
  Open();
  const int node = FindNodeIndex(model.nodes, 20);
  {
    std::fstream rth(RthPath(), std::ios::binary | std::ios::in | std::ios::out);
    ASSERT_TRUE(rth.is_open());
    const float tiny = -1.0213e-6f;
    for (int value = 0; value < 6; ++value) {
      rth.seekp(24 + 3 * StepBytes() + 24 * (node - 1) + 4 * value);
      rth.write(reinterpret_cast<const char*>(&tiny), sizeof tiny);
    }
    ASSERT_TRUE(rth.good());
  }
  Select(3, ResultNodeRow(20), "Displacements Time History");
  ResultTableWindow& table = Shown();
  ASSERT_EQ(&table, &DisplacementTimeHistoryTable());
  // Step 4, the table's row 5.
  std::vector<std::string> cells;
  for (int c = 1; c <= 7; ++c) cells.push_back(table.CellText(5, c, 0));
  ASSERT_EQ(cells[2], Text(FormatDisplacement, -1.0213e-6f));
  ASSERT_GT(cells[2].size(), 10u);
  const std::string report = folder_ + "/displacements.txt";
  ASSERT_TRUE(ReportOpenFile(nullptr, report));
  table.WriteText();
  ASSERT_TRUE(ReportCloseFile());
  std::ifstream in(report);
  std::string row;
  for (std::string line; std::getline(in, line);)
    if (line.rfind(std::string(5, ' ') + cells[0] + ' ', 0) == 0) row = line;
  ASSERT_FALSE(row.empty());
  const auto words = [](const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> found;
    for (std::string word; in >> word;) found.push_back(word);
    return found;
  };
  std::vector<std::string> values;
  for (const std::string& cell : cells) values.push_back(words(cell).at(0));
  EXPECT_EQ(words(row), values) << row;
  // The first value that fits stays at its column, ending at 28.
  EXPECT_EQ(row.substr(28 - cells[1].size(), cells[1].size() + 1), cells[1] + " ") << row;
}

TEST_F(TimeHistoryTablesTest, AReadFailureIsShownAndLeavesTheTableShownAsItWas) {
  BuildHistory();
  Open();
  ASSERT_TRUE(TimeHistoryAvailable());
  ShowDisplacementTimeHistory(FindNodeIndex(TheModel().nodes, 20));
  ASSERT_EQ(ShownResultTable(), &DisplacementTimeHistoryTable());
  const std::string before = Shown().CellText(30, 3, 0);
  // Another run's file cut short under the open results.
  std::filesystem::resize_file(RthPath(), 24 + StepBytes() * 10);
  std::vector<std::string> messages;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [&messages](HWND box) {
    messages = LinesOfDialog(box);
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  ReadSupportLoadsTimeHistory(1);
  platform::CheckModalScript();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0], "There was an error while reading time history");
  EXPECT_EQ(ShownResultTable(), &DisplacementTimeHistoryTable());
  EXPECT_EQ(Shown().CellText(30, 3, 0), before);
}

TEST_F(TimeHistoryTablesTest, EverySupportKindTitlesItsTableOverTime) {
  Model& model = TheModel();
  StartModel(model, 70.0, kDensity, ModelPath());
  const std::vector<std::pair<DataType, std::string>> kinds{
      {DataType::Anchor, "Anchor"},       {DataType::Restraint, "Restraint"},
      {DataType::Hanger, "Hanger"},       {DataType::Guide, "Guide"},
      {DataType::LimitStop, "Limit stop"}, {DataType::Nozzle, "Nozzle"},
      {DataType::Snubber, "Snubber"},     {DataType::GenericSupport, "Generic support"}};
  PipeRow(model, 10, ElementType::From, 0.0f);
  NodeId node = 10;
  for (const auto& [type, word] : kinds) {
    const int row = PipeRow(model, node += 10, ElementType::Pipe, 10.0f);
    PutItem(model, row, type);
    EXPECT_EQ(SupportTimeHistoryTitle(row), "Loads on " + word + " at Node " + std::to_string(node));
  }
  const int row = PipeRow(model, node += 10, ElementType::Pipe, 10.0f);
  PutItem(model, row, DataType::SkewedRestraint);
  auto& skewed = static_cast<SkewedRestraint&>(*model.row(row).item);
  skewed.dirX = 1.0f;
  skewed.dirY = 0.5f;
  EXPECT_EQ(SupportTimeHistoryTitle(row), "Loads on Skewed Restraint at Node " + std::to_string(node) + " (1.000 0.500 0.000)");
  PutItem(model, row, DataType::Force);
  EXPECT_EQ(SupportTimeHistoryTitle(row), "");
}

TEST_F(TimeHistoryTablesTest, AFileCutShortOrMissingIsRefusedAndTheResultsOpenWithoutIt) {
  BuildHistory();
  std::filesystem::resize_file(RthPath(), std::filesystem::file_size(RthPath()) - 4);
  std::vector<std::string> messages;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [&messages](HWND box) {
    messages = LinesOfDialog(box);
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  std::vector<std::string> names = Open("RESULTS8_DIALOG");
  ASSERT_TRUE(InResultsMode());
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.at(0), "Unable to read time history file");
  EXPECT_FALSE(TimeHistoryAvailable());
  // The results keep nothing of the refused file: neither its step nor its
  // step count.
  EXPECT_EQ(TheResults().timeSteps, 0);
  EXPECT_EQ(TheResults().timeStep, 0.0f);
  EXPECT_EQ(std::find(names.begin(), names.end(), "&Time history"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "&Displacements"), names.end());
  LeaveResultsMode();
  std::filesystem::remove(RthPath());
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [&messages](HWND box) {
    messages = LinesOfDialog(box);
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  names = Open("RESULTS8_DIALOG");
  ASSERT_GE(messages.size(), 2u);
  EXPECT_EQ(messages.at(0), "Time history file: " + RthPath());
  EXPECT_EQ(messages.at(1), "Does not exist.");
  EXPECT_FALSE(TimeHistoryAvailable());
}

TEST_F(TimeHistoryTablesTest, TheSummaryHasTheForceSpectrumTimeHistoryAndHarmonicRows) {
  BuildHistory({1, 30, 37, 35, 36}, true);
  Open();
  ASSERT_TRUE(InResultsMode());
  const std::vector<std::string>& labels = SummaryRowLabels();
  const std::vector<std::string> expected{"",
                                          "Sustained",
                                          "Sustained+Force spectrum",
                                          "Sustained-Force spectrum",
                                          "Sustained+Time history",
                                          "Sustained+Harmonic",
                                          "Sustained-Harmonic",
                                          "Maximum",
                                          "Minimum",
                                          "Allowables"};
  EXPECT_EQ(labels, expected);
  // The anchor's FY: sustained plus and minus each case's own value.
  const auto& anchor = static_cast<const Anchor&>(*TheModel().row(1).item);
  BinaryFile res;
  ASSERT_TRUE(BinaryFileOpenRead(res, ResultsPath()));
  auto caseFy = [&](int k) {
    BinaryFileSeek(res, TheResults().cases.at(static_cast<std::size_t>(k)).supportLoads + TheResults().supportOffset.at(1) + 4);
    float value = 0.0f;
    BinaryFileReadFloat(res, value);
    return value;
  };
  // File order of the cases: 1, 37, 35, 36.
  const float sustained = caseFy(1), spectrum = caseFy(2), history = caseFy(3), harmonic = caseFy(4);
  EXPECT_GT(spectrum, 0.0f);
  EXPECT_GT(harmonic, 0.0f);
  EXPECT_NE(history, 0.0f);
  EXPECT_FLOAT_EQ(anchor.summaryRows[1][1], sustained);
  EXPECT_FLOAT_EQ(anchor.summaryRows[2][1], sustained + spectrum);
  EXPECT_FLOAT_EQ(anchor.summaryRows[3][1], sustained - spectrum);
  EXPECT_FLOAT_EQ(anchor.summaryRows[4][1], sustained + history);
  EXPECT_FLOAT_EQ(anchor.summaryRows[5][1], sustained + harmonic);
  EXPECT_FLOAT_EQ(anchor.summaryRows[6][1], sustained - harmonic);
}

}  // namespace
