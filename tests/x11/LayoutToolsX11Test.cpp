// The layout tools' dialogs in real X windows on a private Xvfb server:
// Revision Record, Change Rows, Renumber Nodes, Rotate, Find and Replace,
// Split, Multiple Split and Refine Nodal Mesh over the sample model. What
// the X server shows must be what the layer drew, pixel for pixel; the
// pictures are kept in the build folder (x11-tools-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "editing/LayoutTable.h"
#include "editing/ModelWindows.h"
#include "files/ModelFile.h"
#include "model/ListTesting.h"
#include "platform/Dialog.h"

#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class LayoutToolsX11Test : public OnXvfb<ListFixture> {
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
  // Runs `command` on the Layout frame over row 3 and pictures the dialog.
  void PictureDialog(const char* templateName, int command, const std::string& name) {
    int pictured = -1;
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, [&](HWND dialog) {
      platform::RunUntilIdle();
      pictured = CompareWindowWithScreen(display_, dialog, std::string(QUORVEL_BINARY_DIR) + "/x11-tools-" + name);
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    TheLayoutTable().currentRow = 3;
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    platform::RunUntilIdle();
    EXPECT_EQ(pictured, 0) << name;
  }
};

TEST_F(LayoutToolsX11Test, TheToolDialogsAreOnTheScreen) {
  PictureDialog("REVISION_RECORD_DIALOG", 40061, "revision-record");
  PictureDialog("CHANGE_ELEMENTS_DIALOG", 116, "change");
  PictureDialog("RENUMBER_NODES", 40010, "renumber");
  PictureDialog("ROTATE_ELEMENTS_DIALOG", 40012, "rotate");
  PictureDialog("REPLACE_ELEMENTS_DATAS", 40022, "find-replace");
  PictureDialog("SPLIT_DIALOG", 129, "split");
  PictureDialog("MSPLIT_DIALOG", 40049, "multiple-split");
  PictureDialog("REFINE_LAYOUT", 40067, "refine");
  PictureDialog("CG_DIALOG", 378, "weight");
}

}  // namespace
