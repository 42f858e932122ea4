// The fixture of the Layout table and window tests: the program started
// in-process (so the Layout frame, its toolbars and its table window exist),
// a new model with a title row and one material, section and pipe load
// (filled in code, since their tables' windows come later), lengths in
// millimetres, and the Layout table opened on it. What the table tells the
// user goes to a sink the tests read.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "application/LayoutWindow.h"
#include "editing/LayoutTable.h"
#include "elements/CommentData.h"
#include "files/ModelFile.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/ModelBuilder.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "model/UndoFiles.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/TestSupport.h"
#include "services/AppTesting.h"
#include "services/ErrorRecords.h"
#include "services/NumberText.h"
#include "services/TableWindowSupport.h"
#include "services/TempFiles.h"
#include "services/Units.h"
#include "supports/Restraint.h"

class LayoutFixture : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    // Not a first run: that would open the sample model over ours.
    std::filesystem::create_directories(std::filesystem::path(FirstRunMarkerPath()).parent_path());
    std::ofstream(FirstRunMarkerPath()).put('\n');
    InitApplication("");
    platform::RunUntilIdle();
    g_UnitsSettings.unit[kUnitLength] = kLengthMillimetre;
    DeleteUndoRedoFiles();
    Model& model = TheModel();
    StartEmptyLayoutModel(model);
    model.currentRow = 2;
    SetTableMessageSink([this](HWND, const std::string& text, TableMessageKind) { messages.push_back(text); });
    SetTableResultsShown(false);
    SetTableInsertMode(true);
    UpdateLayoutTitle();
    platform::RunUntilIdle();
  }
  void TearDown() override {
    // No road leaves its edit open: every later action would join it.
    EXPECT_FALSE(EditSnapshotOpen()) << "an edit's undo snapshot was neither settled nor discarded";
    SetTableMessageSink(nullptr);
    SetTableResultsShown(false);
    HWND main = MainFrame().window;
    if (main != nullptr && IsWindow(main)) {
      TheModel().modified = false;
      PostMessage(main, WM_CLOSE, 0, 0);
      RunMessageLoop();
    }
    DeleteUndoRedoFiles();
    g_UnitsSettings = UnitsSettings{};
    AppFixture::TearDown();
  }

  // The model every layout test starts from: empty but for the title row (a
  // comment), with one material, section and pipe load for rows to name.
  static void StartEmptyLayoutModel(Model& model) {
    ClearModel(model);
    InitEmptyModel(model, ProgramAnalysisOptions());
    model.rowCount = 1;
    model.row(1).elementType = ElementType::Comment;
    model.row(1).element = CreateElementData(ElementType::Comment);
    AddName(model.materials, "A106");
    AddName(model.sections, "S4");
    AddName(model.pipeLoads, "L1");
  }
  template <typename Table>
  static void AddName(Table& table, const char* name) {
    const int index = ModelRecordTableAppend(table, 4);
    table[index].name = name;
  }

  LayoutTable& table() { return TheLayoutTable(); }
  LayoutRow& row(int number) { return TheModel().row(number); }

  void Type(const std::string& text) {
    platform::TestTypeText(text);
    platform::RunUntilIdle();
  }
  void Key(UINT key) {
    platform::TestKeyPress(key);
    platform::RunUntilIdle();
  }
  void ControlKey(UINT key) {
    platform::TestKeyDown(VK_CONTROL);
    platform::TestKeyPress(key);
    platform::TestKeyUp(VK_CONTROL);
    platform::RunUntilIdle();
  }
  // Types one cell after another, Tab between them, Enter at the end.
  void TypeRow(const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      Type(cells[i]);
      if (i + 1 < cells.size()) Key(VK_TAB);
    }
    Key(VK_RETURN);
  }
  // Runs a column store on `row` with `text` as the typed cell, as the
  // table's commit does; returns the message it threw ("" when none).
  std::string Store(int rowNumber, int column, const std::string& text) {
    table().currentRow = rowNumber;
    table().currentColumn = column;
    g_EditFieldText = text;
    try {
      table().StoreCell();
    } catch (const std::string& message) {
      return message;
    } catch (const CI& error) {
      return error.message;
    } catch (const MsgColCmd& error) {
      return error.message;
    } catch (const MsgCmd& error) {
      return error.message;
    }
    return {};
  }
  // The model typed row by row in the tests: From 10, a pipe to 20 of
  // 1000 mm in X, a pipe to 30 of 500 mm in Y.
  void TypeSmallModel() {
    TypeRow({"10", "F"});
    TypeRow({"", "", "1000", "", "", "A106", "S4", "L1"});
    TypeRow({"", "", "", "500"});
  }

  // Rows 2 to 12, inches, read back: From 10; Pipe 20 DX 40 (A106, S4, L1);
  // Pipe 30 DY 20; Hinge 40; Pipe 50 DX 10; Ball 60; Pipe 70 DZ 10;
  // Location 20 with a Y restraint; Comment "keep this note"; Pipe 10
  // (closing a loop); Pipe 80 DY -10.
  void BuildRoadsModel() {
    Model& model = TheModel();
    using T = ElementType;
    for (const auto& [node, type, dx, dy, dz] :
         {std::tuple{10, T::From, 0, 0, 0}, {20, T::Pipe, 40, 0, 0}, {30, T::Pipe, 0, 20, 0},
          {40, T::HingeJoint, 0, 0, 0}, {50, T::Pipe, 10, 0, 0}, {60, T::BallJoint, 0, 0, 0}, {70, T::Pipe, 0, 0, 10},
          {20, T::Location, 0, 0, 0}, {0, T::Comment, 0, 0, 0}, {10, T::Pipe, 0, 0, 0}, {80, T::Pipe, 0, -10, 0}})
      AddRow(model, node, type, dx, dy, dz);
    model.row(3).material = "A106";
    model.row(3).section = "S4";
    model.row(3).load = "L1";
    PutItem(model, 9, DataType::Restraint);
    static_cast<Restraint&>(*model.row(9).item).restrainY = 1;
    static_cast<CommentData&>(*model.row(10).element).SetText("keep this note");
    g_UnitsSettings.unit[kUnitLength] = kLengthInch;
    model.unitChoices = ProgramUnitChoices();
    ReadBackModel();
  }
  // Makes the open model as a user has it: written and read back (the
  // reader settles what the piping code forces), so a model read back from
  // its undo snapshot is these very bytes; unmodified and shown.
  void ReadBackModel() {
    RefreshAfterModelEdit(TheModel());
    const std::string path = TempFolder() + "/read-back.mod";
    ASSERT_EQ(WriteModelFileFrom(TheModel(), path), "");
    Model read;
    ReadModelFileInto(path, read);
    SwapModel(read);
    std::filesystem::remove(path);
    TheModel().modified = false;
    ReloadLayoutTable();
    platform::RunUntilIdle();
  }

  std::vector<std::string> messages;
};
