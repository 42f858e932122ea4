// The fixture of the List window, picker and prompt tests: the program
// started headless in-process (without the first-run sample), and an open
// model of five rows made into nodes:
//   1 From   10          anchor
//   2 Pipe   20  dx 12   guide
//   3 Pipe   30  dx 12
//   4 Valve  40  dx 12
//   5 Comment "Pump room"
// with material CS, section S4 and pipe load L1 named on row 2, so nodes 10, 20, 30, 40 sit at x = 0, 12, 24, 36 inches.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "application/Application.h"
#include "editing/ModelWindows.h"
#include "elements/CommentData.h"
#include "graphics/GraphicsThread.h"
#include "model/ListWindow.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/ModelBuilder.h"
#include "model/UndoFiles.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "records/Material.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"
#include "services/AppTesting.h"
#include "services/TableWindowSupport.h"

class ListFixture : public AppFixture {
 public:
  void SetUp() override {
    AppFixture::SetUp();
    std::filesystem::create_directories(std::filesystem::path(FirstRunMarkerPath()).parent_path());
    std::ofstream(FirstRunMarkerPath()) << "run\n";
    InitApplication("");
    Model& model = TheModel();
    InitEmptyModel(model, AnalysisOptions());
    AddTestProperties(model);
    AddRow(model, 10, ElementType::From);
    PutItem(model, 1, DataType::Anchor);
    AddRow(model, 20, ElementType::Pipe, 12.0f);
    model.row(2).material = "CS";
    model.row(2).section = "S4";
    model.row(2).load = "L1";
    AddRow(model, 30, ElementType::Pipe, 12.0f);
    AddRow(model, 40, ElementType::Valve, 12.0f);
    AddRow(model, 0, ElementType::Comment);
    SetComment(model, 5, "Pump room");
    MakeModel(model);
    model.modified = false;
    SetTableMessageSink([this](HWND, const std::string& text, TableMessageKind) { messages.push_back(text); });
  }
  void TearDown() override {
    // No road leaves its edit open: every later action would join it.
    EXPECT_FALSE(EditSnapshotOpen()) << "an edit's undo snapshot was neither settled nor discarded";
    SetTableMessageSink(nullptr);
    TheModel().modified = false;
    if (MainFrame().window != nullptr && IsWindow(MainFrame().window)) {
      PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
      RunMessageLoop();
    }
    EndGraphicsThread();
    ExitApplication();
    DeleteUndoRedoFiles();
    InitEmptyModel(TheModel(), AnalysisOptions());
    AppFixture::TearDown();
  }

  // Chooses `label` in the list chooser of the List window.
  static void ChooseList(const std::string& label) {
    const int lists = BuildListMenu();
    platform::ExpectModal(platform::ModalKind::Dialog, ListDialogTemplateName(lists), [label, lists](HWND dialog) {
      for (int item = 1401; item <= 1400 + lists; ++item)
        if (TextOf(GetDlgItem(dialog, item)) == label) CheckRadioButton(dialog, 1401, 1400 + lists, item);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessage(ListFrame().window, WM_COMMAND, 302, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }

  static void SetComment(Model& model, int row, const std::string& text) {
    static_cast<CommentData*>(model.row(row).element.get())->SetText(text);
  }

  std::vector<std::string> messages;
};
