// What the flange tests share: the program started in-process with the
// Layout fixture; for the qualification tool, commands sent to the List
// frame while the tool holds it, the scripted answers to its questions,
// notices and file dialogs, and the report's lines as its window shows
// them; for the loading report of the model's flanges, a line of pipe with
// a flange and a force, analysed from the Layout window.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "analysis/AnalysisTesting.h"
#include "editing/ModelWindows.h"
#include "elements/Flange.h"
#include "evaluations/EvaluationReport.h"
#include "evaluations/FlangeModel.h"
#include "evaluations/FlangeTool.h"
#include "files/ModelFile.h"
#include "loads/Force.h"
#include "model/LayoutTesting.h"
#include "model/ModelBuilder.h"
#include "platform/CommonDialog.h"
#include "properties/ValveLibrary.h"
#include "properties/ValveLibraryWindow.h"
#include "results/ResultChooser.h"
#include "results/ResultsMode.h"
#include "resultsfile/ResultNavigation.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"

class FlangeToolFixture : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    folder_ = TempFolder() + "/flange-tool";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    TheModel().modified = false;
  }
  void TearDown() override {
    CloseFlangeWindow();
    TheFlangeDocument() = FlangeDocument{};
    CloseValveLibraryWindow();
    ClearValveLibrary(TheValveLibrary());
    LayoutFixture::TearDown();
    std::filesystem::remove_all(folder_);
  }

  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // File > New from the window `frame`, choosing the flange qualification.
  static void NewFlangeFrom(HWND frame) {
    platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG", [](HWND dialog) {
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1006, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1006)));
    });
    SendMessage(frame, WM_COMMAND, 101, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static void Tool(int command) {
    SendMessage(ListFrame().window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    platform::RunUntilIdle();
  }
  static void ExpectMessage(const std::string& name, const std::vector<std::string>& lines) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, [lines](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog), lines);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  static void AnswerSaveQuestion(const std::string& name, int button) {
    platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG", [name, button](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog).at(0), "Do you want to save changes to  " + name + " ?");
      SendMessage(dialog, WM_COMMAND, button, 0);
    });
  }
  static void ExpectNotice(const std::string& text) {
    platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [text](HWND dialog) {
      char shown[128] = {};
      GetDlgItemText(dialog, 1501, shown, sizeof shown);
      EXPECT_EQ(shown, text);
    });
  }
  // The file dialog `title` answered with `path` (empty: Cancel).
  static void AnswerFileDialog(const std::string& title, const std::string& path) {
    platform::ExpectModal(platform::ModalKind::CommonDialog, title, [path](HWND dialog) {
      if (path.empty()) {
        SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
      }
      SetDlgItemText(dialog, edt1, path.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  static std::string Title(HWND window) { return TextOf(window); }
  // The report as the tool's window shows it: plain lines as their text,
  // stress rows as "label ! calculated allowed ratio status", headings "#".
  static std::vector<std::string> ReportLines() {
    std::vector<std::string> lines;
    for (int index = 0; index < EvaluationReportLineCount(); ++index) {
      const EvaluationLine& line = EvaluationReportLineAt(index);
      lines.push_back(line.kind == kEvaluationHeadingRow ? "#" : line.text);
    }
    return lines;
  }
  static bool Has(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines)
      if (line == text) return true;
    return false;
  }

  std::string folder_;
};

// Pe of the flange at node 20: 4F/(pi G^2) + 16M/(pi G^3) + P with F 2000 lb,
// M 100,000 in-lb, G 12 in and P 150 psi.
constexpr double kPe20 = 462.415;

// The line of the flange loading report's tests: a weightless 12.75 x
// 0.375 in pipe at P1 150 psi from anchored node 10 along X, 50 in to the
// flange at node 20 (gasket diameter 12 in), 100 in on to a force (2000,
// -1000, 0) lb in T1 at node 30, saved beside the temporary folder and
// analysed from the Layout window.
class FlangeLineFixture : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    g_UnitsSettings.unit[kUnitLength] = kLengthInch;
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    if (InResultsMode()) LeaveResultsMode();
    LayoutFixture::TearDown();
    std::filesystem::remove_all(folder_);
  }

  std::string ModelPath() const { return folder_ + "/line.mod"; }

  int Row(NodeId node, ElementType type, float dx) {
    return analysis_testing::PipeRow(TheModel(), node, type, dx);
  }
  void PutFlange(int row, float gasket, float allowable) {
    PutItem(TheModel(), row, DataType::Flange);
    auto& flange = static_cast<Flange&>(*TheModel().row(row).item);
    flange.gasketDiameter = gasket;
    flange.allowablePressure = allowable;
  }
  // The line of the header comment; `more`: flanges at 25 (no allowable)
  // and 28 (no gasket diameter) between 20 and 30; `hanger`: the line goes
  // on, weighing 10 lb/in, to a hanger at 40 and an anchor at 50.
  void BuildLine(float allowable, bool more, bool hanger = false) {
    Model& model = TheModel();
    analysis_testing::StartModel(model, 70.0, 0.0, ModelPath());
    model.sections[1].outsideDiameter = 12.75f;
    model.sections[1].thickness = 0.375f;
    model.pipeLoads[1].operating[0].pressure = 150.0f;
    PutItem(model, Row(10, ElementType::From, 0.0f), DataType::Anchor);
    PutFlange(Row(20, ElementType::Pipe, 50.0f), 12.0f, allowable);
    if (more) {
      PutFlange(Row(25, ElementType::Pipe, 25.0f), 12.0f, 0.0f);
      PutFlange(Row(28, ElementType::Pipe, 25.0f), 0.0f, 1000.0f);
    }
    const int end = Row(30, ElementType::Pipe, more ? 50.0f : 100.0f);
    PutItem(model, end, DataType::Force);
    auto& force = static_cast<NodalForce&>(*model.row(end).item);
    force.FX = 2000.0f;
    force.FY = -1000.0f;
    force.AddedTo = 2;  // T1
    if (hanger) {
      model.pipeLoads[1].additionalWeight = 10.0f;
      model.options.IncludeHangerStiffness = 0;
      PutItem(model, Row(40, ElementType::Pipe, 50.0f), DataType::Hanger);
      PutItem(model, Row(50, ElementType::Pipe, 50.0f), DataType::Anchor);
    }
    MakeModel(model);
    analysis_testing::SetCases(model, {1, 8});
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    ShowModelWindows();
    platform::RunUntilIdle();
  }
  // Analyze from the Layout window; Yes opens the results, whose chooser
  // is answered with the flange report.
  void AnalyseAndOpenReport() {
    platform::ExpectModal(platform::ModalKind::Dialog, "ANALYZE_DIALOG", [](HWND dialog) {
      platform::RunUntilIdle();
      SendMessage(dialog, WM_COMMAND, IDYES, 0);
    });
    SendMessage(LayoutFrame().window, WM_COMMAND, 108, 0);
    // The chooser, posted once the results are shown, comes in the
    // template for the tables offered.
    bool offered = false;
    const std::string chooser = ResultChooserTemplateName(static_cast<int>(ResultChooserList().size()));
    platform::ExpectModal(platform::ModalKind::Dialog, chooser, [&offered](HWND dialog) {
      for (int id = 1401; id <= 1420; ++id) {
        HWND radio = GetDlgItem(dialog, id);
        if (radio == nullptr || !IsWindowVisible(radio) || TextOf(radio) != "&Flange report") continue;
        offered = true;
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(radio));
        return;
      }
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    platform::RunUntilIdle();
    platform::CheckModalScript();
    EXPECT_TRUE(offered);
  }
  static std::vector<std::string> Cells(int row) {
    std::vector<std::string> cells;
    TableWindow* table = ShownResultTable();
    if (table == nullptr) return cells;
    for (int column = 1; column <= table->columnCount; ++column) cells.push_back(table->CellText(row, column, 0));
    return cells;
  }

  std::string folder_ = TempFolder() + "/flange-report";
};
