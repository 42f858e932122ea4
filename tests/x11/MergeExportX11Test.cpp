// File > Merge and the exports in real X windows on a private Xvfb server:
// the "Merge Model" open dialog, the clashing-nodes question and the
// renumbering of the merged rows (the sample model merged into itself),
// and the save dialogs of Export to MBF, Export to PCF and Export to 3D
// Plant Design. What the X server
// shows must be what the layer drew, pixel for pixel; the pictures are kept
// in the build folder (x11-merge-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "editing/ModelWindows.h"
#include "files/ModelFile.h"
#include "model/ListTesting.h"
#include "platform/CommonDialog.h"
#include "platform/Dialog.h"
#include "platform/Input.h"

#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class MergeExportX11Test : public OnXvfb<ListFixture> {
 protected:
  void SetUp() override {
    OnXvfb<ListFixture>::SetUp();
    Model sample;
    ReadModelFileInto(std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod", sample);
    SwapModel(sample);
    TheModel().modified = false;
    ShowModelWindows();
    platform::RunUntilIdle();
  }
  int Picture(HWND window, const std::string& name) {
    platform::RunUntilIdle();
    return CompareWindowWithScreen(display_, window, std::string(QUORVEL_BINARY_DIR) + "/x11-merge-" + name);
  }
  void Command(int command) {
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
};

TEST_F(MergeExportX11Test, TheMergeQuestionsAndTheExportDialogsAreOnTheScreen) {
  std::vector<int> pictured;
  const std::string sample = std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod";
  const int rows = TheModel().rowCount;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Merge Model", [&](HWND dialog) {
    pictured.push_back(Picture(dialog, "open"));
    SetDlgItemText(dialog, edt1, sample.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "APPROVE_MERGE_DIALOG", [&](HWND dialog) {
    pictured.push_back(Picture(dialog, "clash"));
    SendMessage(dialog, WM_COMMAND, IDYES, 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "RENUMBER_NODES", [&](HWND dialog) {
    pictured.push_back(Picture(dialog, "renumber"));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  Command(40028);
  EXPECT_EQ(TheModel().rowCount, rows);  // cancelled: nothing merged
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Export Model to Batch File", [&](HWND dialog) {
    pictured.push_back(Picture(dialog, "export-mbf"));
    platform::TestKeyPress(VK_ESCAPE);
  });
  Command(351);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Export Model to PCF File", [&](HWND dialog) {
    pictured.push_back(Picture(dialog, "export-pcf"));
    platform::TestKeyPress(VK_ESCAPE);
  });
  Command(40056);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Export Model to 3D Plant Design", [&](HWND dialog) {
    pictured.push_back(Picture(dialog, "export-plant"));
    platform::TestKeyPress(VK_ESCAPE);
  });
  Command(40026);
  EXPECT_EQ(pictured, (std::vector<int>{0, 0, 0, 0, 0, 0}));
}

}  // namespace
