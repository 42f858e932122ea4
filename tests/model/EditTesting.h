// The fixture of the editing tests: the program's resources and message
// dialogs headless (AppFixture), and an open model of a From row and four
// pipes (nodes 10 to 50, 12 inches apart along X) with one material, section
// and pipe load. Snapshots, copies and the open model are cleared after each
// test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files/ModelFile.h"
#include "editing/LayoutRowEdits.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/ModelBuilder.h"
#include "model/UndoFiles.h"
#include "services/AppTesting.h"
#include "services/TempFiles.h"

// Makes `built` the open model as a user has it: written to a file and read
// back (the reader settles the options that the piping code forces and makes
// the model), unmodified.
inline void OpenAsReadBack(const Model& built) {
  const std::string path = TempFolder() + "/open.mod";
  ASSERT_EQ(WriteModelFileFrom(built, path), "");
  Model read;
  ReadModelFileInto(path, read);
  SwapModel(read);
  std::filesystem::remove(path);
  TheModel().modified = false;
}

class EditFixture : public AppFixture {
 public:
  void SetUp() override {
    AppFixture::SetUp();
    Model& model = TheModel();
    InitEmptyModel(model, AnalysisOptions());
    AddTestProperties(model);
    PipeSection section = model.sections[1];
    section.name = "S6";
    section.outsideDiameter = 6.625f;
    AppendSection(model.sections, section);
    AddRow(model, 10, ElementType::From);
    PutItem(model, 1, DataType::Anchor);
    for (NodeId node = 20; node <= 50; node += 10) AddRow(model, node, ElementType::Pipe, 12.0f);
    model.row(2).material = "CS";
    model.row(2).section = "S4";
    model.row(2).load = "L1";
    MakeModel(model);
    OpenAsReadBack(model);
  }
  void TearDown() override {
    DeleteUndoRedoFiles();
    ForgetCopiedRows();
    InitEmptyModel(TheModel(), AnalysisOptions());
    TheModel().path.clear();
    AppFixture::TearDown();
  }

  static std::string Folder() { return TempFolder(); }

  // The bytes the model writer gives for `model`.
  static std::string Bytes(const Model& model) {
    const std::string path = Folder() + "/bytes.mod";
    EXPECT_EQ(WriteModelFileFrom(model, path), "");
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
  }

  // The snapshot files now in the temporary folder.
  static std::vector<std::string> SnapshotFiles() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Folder())) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("QvSnapshot_", 0) == 0) names.push_back(name);
    }
    return names;
  }

  // Expects one message dialog with `line` as its first line, closed with OK.
  static void ExpectMessage(const std::string& name, const std::string& line) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, [line](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog).at(0), line);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
};
