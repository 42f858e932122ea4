// The model's name where the program shows it, through the Layout window's
// commands with the program started in-process: after File > Save As every
// model window's title, the Graphics window's among them, names the new
// file as it does after File > Open; the save question names the model by
// its file name ("hot.mod") whether Analyze or File > Open asks it.
#include <filesystem>

#include "editing/ModelWindows.h"
#include "files/FileCommands.h"
#include "files/ModelFile.h"
#include "model/LayoutTesting.h"
#include "platform/CommonDialog.h"
#include "services/Frame.h"
#include "services/TempFiles.h"

namespace {

class SaveQuestionTest : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    folder_ = TempFolder() + "/save-question";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    LayoutFixture::TearDown();
    std::filesystem::remove_all(folder_);
  }
  // The Graphics window's title once the graphics thread has set it to
  // name `file` (its own thread retitles it).
  static std::string GraphicsTitleNaming(const std::string& file) {
    platform::PumpUntil([&file] { return TextOf(GraphicsFrame().window).find("[" + file + " (") != std::string::npos; },
                        20000);
    return TextOf(GraphicsFrame().window);
  }
  // The first line of the save question the command `id` asks, answered
  // Cancel.
  static std::string QuestionOf(int id) {
    std::string asked;
    platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG", [&asked](HWND dialog) {
      asked = LinesOfDialog(dialog).at(0);
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    return asked;
  }
  std::string folder_;
};

TEST_F(SaveQuestionTest, SaveAsRetitlesTheGraphicsWindowAsOpenDoes) {
  ShowModelWindows();
  platform::RunUntilIdle();
  ASSERT_NE(GraphicsFrame().window, nullptr);
  EXPECT_NE(TextOf(GraphicsFrame().window).find("[Untitled]"), std::string::npos) << TextOf(GraphicsFrame().window);
  const std::string path = folder_ + "/hot.mod";
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Save As", [path](HWND dialog) {
    SetDlgItemText(dialog, edt1, path.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 105, 0);  // File > Save As
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().path, path);
  const std::string saved = GraphicsTitleNaming("hot.mod");
  EXPECT_EQ(saved.find("Untitled"), std::string::npos) << saved;
  EXPECT_NE(TextOf(LayoutFrame().window).find("[hot.mod ("), std::string::npos) << TextOf(LayoutFrame().window);
  // File > Open of the same file gives the Graphics window the same title.
  CloseModel();
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, path));
  platform::RunUntilIdle();
  EXPECT_EQ(GraphicsTitleNaming("hot.mod"), saved);
}

TEST_F(SaveQuestionTest, AnalyzeAndOpenNameTheModelAlike) {
  const std::string path = folder_ + "/hot.mod";
  ASSERT_EQ(WriteModelFile(path), "");
  TheModel().path = path;
  TheModel().modified = true;
  const std::string fromAnalyze = QuestionOf(108);  // Analyze
  const std::string fromOpen = QuestionOf(102);     // File > Open
  EXPECT_EQ(fromAnalyze, "Do you want to save changes to  hot.mod ?");
  EXPECT_EQ(fromOpen, fromAnalyze);
  // Cancel on both: nothing was saved, nothing ran, the model is as it was.
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(TheModel().path, path);
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/hot.res"));
}

}  // namespace
