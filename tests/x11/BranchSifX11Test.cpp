// The branch SIF dialog and the "Branch SIFs" list in real X windows on a
// private Xvfb server: the dialog opened from the Layout table's data
// column with one and with two dimension rows and the B31J flanges field,
// and the list through its List window command. What the X server shows
// must be what the layer drew, pixel for pixel; the pictures are kept in the
// build folder (x11-branch-sif-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "editing/LayoutTable.h"
#include "elements/BranchSif.h"
#include "elements/BranchSifList.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"

#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class BranchSifX11Test : public OnXvfb<ListFixture> {
 protected:
  int Compare(HWND window, const std::string& name) {
    platform::RunUntilIdle();
    return CompareWindowWithScreen(display_, window, std::string(QUORVEL_BINARY_DIR) + "/x11-branch-sif-" + name);
  }
  // Opens the dialog with a double click on row 3's data column.
  int PictureDialog(const std::string& name, int typeIndex) {
    int differing = -1;
    platform::ExpectModal(platform::ModalKind::Dialog, "BRANCH_SIF_DIALOG", [&](HWND dialog) {
      HWND combo = GetDlgItem(dialog, 1201);
      SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(typeIndex), 0);
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1201, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
      differing = Compare(dialog, name);
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    LayoutTable& layout = TheLayoutTable();
    TableGoTo(layout, 3);
    layout.currentColumn = 9;
    layout.DoubleClick();
    platform::RunUntilIdle();
    platform::CheckModalScript();
    return differing;
  }
};

TEST_F(BranchSifX11Test, TheDialogAndTheListAreOnTheScreen) {
  Model& model = TheModel();
  PutItem(model, 3, DataType::BranchSif);
  auto& tee = static_cast<BranchSif&>(*model.row(3).item);
  tee.type = 2;
  tee.dimension1 = 0.375f;
  ShowModelWindows();
  ShowWindow(ListFrame().window, SW_HIDE);
  platform::RunUntilIdle();
  EXPECT_EQ(PictureDialog("reinforced", 1), 0);
  // Norwegian: the radiused branch has two rows; with B31J the flanges field.
  model.options.PipingCode = 13;
  tee.type = 7;
  tee.dimension1 = 0.75f;
  tee.dimension2 = 0.3f;
  EXPECT_EQ(PictureDialog("radiused", 2), 0);
  model.options.PipingCode = 3;
  model.options.UseB31J = 1;
  tee.type = 4;
  tee.dimension1 = 0.5f;
  tee.flanges = 1;
  EXPECT_EQ(PictureDialog("b31j-extruded", 3), 0);
  // The list, with the Layout frame out of the way.
  ShowListByOpener(OpenBranchSifsList);
  ShowWindow(LayoutFrame().window, SW_HIDE);
  SetForegroundWindow(ListFrame().window);
  platform::RunUntilIdle();
  EXPECT_EQ(BranchSifsListTable().rowCount, 1);
  EXPECT_EQ(Compare(ListFrame().window, "list"), 0);
}

}  // namespace
