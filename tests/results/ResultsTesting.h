// What the results tests share: the program started in-process with the
// Layout fixture (lengths in millimetres), a line of 4.5-inch pipe built in
// code, saved and analysed beside a model file in the temporary folder, and
// the results opened through the program's own entry with the result
// chooser answered by the test.
//
// The line: From 10 (anchor), a pipe to 20 of 60 inch in X (a Y restraint),
// a bend to 30 of 60 inch in X, a pipe to 40 of 60 inch in Z (anchor); T1
// 300 F, steel with weight.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "analysis/AnalysisTesting.h"
#include "files/ModelFile.h"
#include "model/LayoutTesting.h"
#include "records/ModelFileFormat.h"
#include "results/ResultsMode.h"
#include "resultsfile/ResultNavigation.h"
#include "services/Frame.h"
#include "services/TableWindow.h"
#include "services/TempFiles.h"
#include "supports/Restraint.h"

class ResultsFixture : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    if (InResultsMode()) LeaveResultsMode();
    LayoutFixture::TearDown();
    std::filesystem::remove_all(folder_);
  }

  std::string ModelPath() const { return folder_ + "/line.mod"; }
  std::string ResultsPath() const { return folder_ + "/line.res"; }

  // The line, saved under ModelPath() with `cases` as its load-case list.
  Model& BuildLine(const std::vector<int>& cases, bool restraint = true) {
    using namespace analysis_testing;
    Model& model = TheModel();
    StartModel(model, 300.0, kDensity, ModelPath());
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 60.0f);
    if (restraint) {
      PutItem(model, 2, DataType::Restraint);
      static_cast<Restraint&>(*model.row(2).item).restrainY = 1;
    }
    PipeRow(model, 30, ElementType::Bend, 60.0f);
    PipeRow(model, 40, ElementType::Pipe, 0.0f, 0.0f, 60.0f);
    PutItem(model, 4, DataType::Anchor);
    MakeModel(model);
    SetCases(model, cases);
    EXPECT_EQ(WriteModelFile(ModelPath()), "");
    model.modified = false;
    return model;
  }
  void Analyse() { RunAnalysis(TheModel(), SilentProgress()); }

  // The chooser names shown in `templateName` when results open, answered
  // with `choice` (0: Cancel).
  std::vector<std::string> OpenAndChoose(const std::string& templateName, int choice,
                                         const std::function<void()>& open = [] { OpenResults(); }) {
    std::vector<std::string> names;
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, [&names, choice](HWND dialog) {
      names = ShownRadios(dialog);
      if (choice == 0)
        SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
      else
        Click(dialog, 1400 + choice);
    });
    open();
    platform::RunUntilIdle();
    return names;
  }
  // Opens the results and answers the chooser with Cancel; its names.
  std::vector<std::string> OpenCancelled(const std::string& templateName) { return OpenAndChoose(templateName, 0); }

  // A click on a chooser's radio: its notification, as the button sends it.
  static void Click(HWND dialog, int id) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  static std::vector<std::string> ShownRadios(HWND dialog) {
    std::vector<std::string> names;
    for (int id = 1401; id <= 1520; ++id) {
      HWND radio = GetDlgItem(dialog, id);
      if (radio == nullptr || !IsWindowVisible(radio)) continue;
      names.push_back(TextOf(radio));
    }
    return names;
  }
  static std::string TextOf(HWND window) {
    char text[256] = {};
    GetWindowText(window, text, sizeof text);
    return text;
  }
  static std::string ResultsTitle() { return TextOf(ResultsFrame().window); }
  static void ResultsCommandNow(int id) {
    SendMessage(ResultsFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
  static ResultTableWindow& Shown() {
    ResultTableWindow* table = ShownResultTable();
    EXPECT_NE(table, nullptr);
    static DisplacementsPlaceholder none;
    return table != nullptr ? *table : none;
  }
  // The cells of a shown table's row, line 0 or 1.
  static std::vector<std::string> Row(TableWindow& table, int row, int line = 0) {
    std::vector<std::string> cells;
    for (int column = 1; column <= table.columnCount; ++column) cells.push_back(table.CellText(row, column, line));
    return cells;
  }

  std::string folder_ = TempFolder() + "/results-window";

 private:
  class DisplacementsPlaceholder : public ResultTableWindow {
    void DefineColumns() override {}
  };
};
