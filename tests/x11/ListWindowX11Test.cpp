// The List window and the element type picker in real X windows on a
// private Xvfb server: the node list of a small model is shown, the picker
// opens over the Layout table and a click on "&Bend" makes the row a bend.
// What the X server shows must be what the layer drew, pixel for pixel; the
// pictures are kept in the build folder (x11-list-*.png) to be looked at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "editing/LayoutTable.h"
#include "editing/NodeList.h"
#include "editing/TypePickers.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"

#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class ListWindowX11Test : public OnXvfb<ListFixture> {
 protected:
  int CompareWithScreen(HWND window, const std::string& name) {
    return CompareWindowWithScreen(display_, window, std::string(QUORVEL_BINARY_DIR) + "/x11-list-" + name);
  }
};

TEST_F(ListWindowX11Test, TheNodeListAndThePickerAreOnTheScreen) {
  ShowModelWindows();
  TableGoTo(TheLayoutTable(), 3);
  ShowListByOpener(OpenNodeList);
  platform::RunUntilIdle();
  ASSERT_TRUE(IsWindowVisible(ListFrame().window));
  EXPECT_EQ(TheNodeList().rowCount, 4);
  EXPECT_EQ(TheNodeList().currentRow, 3);
  // The Layout frame overlaps the List frame on this screen, and the X server
  // shows what lies on top: hide it, so the picture is the list's alone.
  ShowWindow(LayoutFrame().window, SW_HIDE);
  SetForegroundWindow(ListFrame().window);
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWithScreen(ListFrame().window, "nodes"), 0);

  int pictured = -1;
  platform::ExpectModal(platform::ModalKind::Dialog, "ETYPES_DIALOG", [&](HWND dialog) {
    platform::RunUntilIdle();
    pictured = CompareWithScreen(dialog, "element-types");
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1403, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1403)));
  });
  PickRowElementType(TheLayoutTable());
  EXPECT_EQ(pictured, 0);
  EXPECT_EQ(TheModel().row(3).elementType, ElementType::Bend);
}

}  // namespace
