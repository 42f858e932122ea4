// The bend dialogs and the Bends list in real X windows on a private Xvfb
// server: what the X server shows must be what the layer drew, pixel for
// pixel. The pictures are kept in the build folder (x11-bend-*.png) to be
// looked at.
#include <gtest/gtest.h>

#include <string>

#include "elements/BendList.h"
#include "elements/BendTesting.h"
#include "elements/KindTable.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "platform/Dialog.h"

#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class BendWindowsX11Test : public OnXvfb<ListFixture> {
 protected:
  void SetUp() override {
    OnXvfb<ListFixture>::SetUp();
    PutFixtureBend(TheModel()).flexibilityFactor = 2.5f;
    ShowModelWindows();
  }
  int CompareWithScreen(HWND window, const std::string& name) {
    return CompareWindowWithScreen(display_, window, std::string(QUORVEL_BINARY_DIR) + "/x11-bend-" + name);
  }
  // Opens the bend dialog of row 3 and compares it with the screen.
  int Dialog(const std::string& templateName, const std::string& name) {
    int pictured = -1;
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, [&](HWND dialog) {
      platform::RunUntilIdle();
      pictured = CompareWithScreen(dialog, name);
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    RunElementKindDialog(nullptr, 3, ElementType::Bend);
    platform::CheckModalScript();
    return pictured;
  }
};

TEST_F(BendWindowsX11Test, TheDialogsAndTheListAreOnTheScreen) {
  TheModel().options.PipingCode = 1;
  EXPECT_EQ(Dialog("BEND1_DIALOG", "dialog1"), 0);
  TheModel().options.PipingCode = 3;
  TheModel().options.UseB31J = 1;
  EXPECT_EQ(Dialog("BEND2_DIALOG", "dialog2"), 0);
  ShowListByOpener(OpenBendsList);
  platform::RunUntilIdle();
  ASSERT_TRUE(IsWindowVisible(ListFrame().window));
  EXPECT_EQ(BendsListTable().rowCount, 1);
  // The Layout frame overlaps the List frame on this screen: hide it.
  ShowWindow(LayoutFrame().window, SW_HIDE);
  SetForegroundWindow(ListFrame().window);
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWithScreen(ListFrame().window, "list"), 0);
}

}  // namespace
