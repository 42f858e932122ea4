// The fixture of the backup and automatic-save tests: the program's
// resources and settings as at a fresh start (not a first run), a model of
// four rows built in code, and small file helpers. The program itself is
// started by each test, since some of them prepare what the start finds.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "editing/UndoRedo.h"
#include "files/AutoSave.h"
#include "files/BackupCopy.h"
#include "model/MakeModel.h"
#include "model/ModelBuilder.h"
#include "model/UndoFiles.h"
#include "services/AppTesting.h"
#include "services/TempFiles.h"

class AutoSaveFixture : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    std::filesystem::create_directories(std::filesystem::path(FirstRunMarkerPath()).parent_path());
    std::ofstream(FirstRunMarkerPath()) << "run\n";
    folder_ = std::filesystem::path(TempFolder()) / "models";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    TheModel().modified = false;
    if (started_ && IsWindow(MainFrame().window)) {
      PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
      RunMessageLoop();
    }
    if (started_) {
      EndGraphicsThread();
      ExitApplication();
    }
    EndAutomaticSave();
    DeleteUndoRedoFiles();
    InitEmptyModel(TheModel(), AnalysisOptions());
    AppFixture::TearDown();
  }

  void Start() {
    InitApplication("");
    platform::RunUntilIdle();
    started_ = true;
  }

  // A From row and three pipes of 12, 24 and 36 inches along X, named
  // `path` (empty: untitled), modified.
  static void BuildModel(const std::string& path) {
    Model& model = TheModel();
    InitEmptyModel(model, AnalysisOptions());
    AddTestProperties(model);
    AddRow(model, 10, ElementType::From);
    PutItem(model, 1, DataType::Anchor);
    for (int i = 1; i <= 3; ++i) {
      const int row = AddRow(model, 10 + 10 * i, ElementType::Pipe, 12.0f * static_cast<float>(i));
      model.row(row).material = "CS";
      model.row(row).section = "S4";
      model.row(row).load = "L1";
    }
    MakeModel(model);
    model.path = path;
    model.modified = true;
  }

  std::string InFolder(const std::string& name) const { return (folder_ / name).string(); }
  // Writes, as a program that ended would have left it, the automatic
  // save of the open model under the instance tag `instance`.
  static std::string LeaveFile(const std::string& instance) {
    EXPECT_TRUE(AutomaticSaveNow());
    const std::string mine = AutomaticSavePath();
    std::string left = mine;
    left.replace(left.find(AutomaticSaveInstance()), AutomaticSaveInstance().size(), instance);
    std::filesystem::rename(mine, left);
    RemoveAutomaticSave();
    return left;
  }

  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }
  static bool Exists(const std::string& path) { return std::filesystem::exists(path); }
  // The names in a folder (none when it does not exist).
  static std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
      names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::filesystem::path folder_;
  bool started_ = false;
};
