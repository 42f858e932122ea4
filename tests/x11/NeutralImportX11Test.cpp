// File > Import of a .pnf and a .cii file in real X windows on a private
// Xvfb server: the Import dialog with its neutral-file filters, the import
// log, and the imported model in the Layout and Graphics windows. What the
// X server shows must be what the layer drew, pixel for pixel; the pictures
// are kept in the build folder (x11-neutral-*.png) to be looked at.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "editing/ModelWindows.h"
#include "files/FileCommands.h"
#include "files/ImportLogTesting.h"
#include "files/NeutralSamples.h"
#include "model/ListTesting.h"
#include "platform/CommonDialog.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "services/Frame.h"

#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class NeutralImportX11Test : public OnXvfb<ListFixture> {
 protected:
  void SetUp() override {
    OnXvfb<ListFixture>::SetUp();
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvel-neutral-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    ShowModelWindows();
    platform::RunUntilIdle();
  }
  void TearDown() override {
    OnXvfb<ListFixture>::TearDown();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  int Picture(HWND window, const std::string& name) {
    platform::RunUntilIdle();
    return CompareWindowWithScreen(display_, window, std::string(QUORVEL_BINARY_DIR) + "/x11-neutral-" + name);
  }
  std::string folder_;
};

TEST_F(NeutralImportX11Test, EachNeutralFileIsImportedThroughFileImportAndDrawn) {
  struct Format {
    std::string file, text, picture, title;
    int filter;  // the place of its filter in the dialog's list
    int warnings;
  };
  const Format formats[] = {
      {"plant.pnf", kEveryKindPnf, "pnf", "NEUTRAL SAMPLE PLANT ", 1, 4},
      {"vessel.cii", EveryKindCii().Text(), "cii", "CII SAMPLE PLANT", 2, 4},
  };
  std::vector<int> pictured;
  for (const Format& format : formats) {
    SCOPED_TRACE(format.file);
    const std::string path = folder_ + "/" + format.file;
    std::ofstream(path) << format.text;
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Import Model from Batch File", [&](HWND dialog) {
      SetFocus(GetDlgItem(dialog, cmb1));
      for (int i = 0; i < format.filter; ++i) platform::TestKeyPress(VK_DOWN);
      SetDlgItemText(dialog, edt1, path.c_str());
      pictured.push_back(Picture(dialog, format.picture + "-dialog"));
      platform::TestKeyPress(VK_RETURN);
    });
    platform::ExpectModal(platform::ModalKind::Dialog, "IMPORT_LOG_DIALOG", [&](HWND dialog) {
      EXPECT_EQ(ImportLogLines(dialog).at(0), "The import gave " + std::to_string(format.warnings) + " warnings:");
      pictured.push_back(Picture(dialog, format.picture + "-log"));
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    // The Import command lives in the program's own frame, shown while no
    // model is open: the model is closed first.
    CloseModel();
    platform::RunUntilIdle();
    SendMessage(MainFrame().window, WM_COMMAND, 350, 0);
    platform::CheckModalScript();
    platform::RunUntilIdle();
    const std::string modelPath = path.substr(0, path.size() - 3) + "mod";
    EXPECT_EQ(TheModel().path, modelPath);
    EXPECT_TRUE(std::filesystem::exists(modelPath));
    EXPECT_EQ(TheModel().title, format.title);
    ASSERT_TRUE(IsWindowVisible(LayoutFrame().window));
    ASSERT_TRUE(IsWindowVisible(GraphicsFrame().window));
    pictured.push_back(Picture(LayoutFrame().window, format.picture + "-layout"));
    // The Layout window lies over the Graphics window's corner: the picture
    // is taken with the Graphics window on top.
    SetWindowPos(GraphicsFrame().window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    pictured.push_back(Picture(GraphicsFrame().window, format.picture + "-graphics"));
  }
  EXPECT_EQ(pictured, std::vector<int>(8, 0));
}

}  // namespace
