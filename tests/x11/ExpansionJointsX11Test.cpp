// The expansion joint and node item dialogs in real X windows on a private
// Xvfb server: the bellows dialog opened from the Layout table's type
// column, the flange dialog with the European weight table's pick list
// laid out over it, and the Tie rods list through its List window command.
// What the X server shows must be what the layer drew, pixel for pixel;
// the pictures are kept in the build folder (x11-joints-*.png) to be looked
// at.
#include <gtest/gtest.h>

#include <string>

#include "editing/LayoutTable.h"
#include "elements/Bellows.h"
#include "elements/TieRod.h"
#include "elements/TieRodList.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "model/RowOperations.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"

#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class ExpansionJointsX11Test : public OnXvfb<ListFixture> {
 protected:
  int Compare(HWND window, const std::string& name) {
    platform::RunUntilIdle();
    return CompareWindowWithScreen(display_, window, std::string(QUORVEL_BINARY_DIR) + "/x11-joints-" + name);
  }
  static void DoubleClick(int row, int column) {
    LayoutTable& layout = TheLayoutTable();
    TableGoTo(layout, row);
    layout.currentColumn = column;
    layout.DoubleClick();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
};

TEST_F(ExpansionJointsX11Test, TheDialogsThePickListAndTheListAreOnTheScreen) {
  Model& model = TheModel();
  SetElementType(model, 3, ElementType::Bellows);
  auto& bellows = static_cast<Bellows&>(*model.row(3).element);
  bellows.axialStiffness = 1500.0f;
  bellows.bendingStiffness = 4.0e4f;
  bellows.torsionalStiffness = 6.0e5f;
  bellows.lateralStiffness = 1200.0f;
  bellows.pressureThrustArea = 40.0f;
  bellows.weight = 65.0f;
  SetElementType(model, 4, ElementType::TieRod);
  static_cast<TieRod&>(*model.row(4).element).tensionStiffness = 2.0e4f;
  PutItem(model, 2, DataType::Flange);
  PipeSection six;
  InitSection(six);
  six.name = "S6";
  six.outsideDiameter = 6.625f;
  six.thickness = 0.28f;
  AppendSection(model.sections, six);
  model.row(2).section = "S6";
  MakeModel(model);
  ShowModelWindows();
  ShowWindow(ListFrame().window, SW_HIDE);
  platform::RunUntilIdle();
  int bellowsDifference = -1;
  platform::ExpectModal(platform::ModalKind::Dialog, "BELLOWS_DIALOG", [&](HWND dialog) {
    bellowsDifference = Compare(dialog, "bellows");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  DoubleClick(3, 2);
  EXPECT_EQ(bellowsDifference, 0);
  int flangeDifference = -1, libraryDifference = -1;
  platform::ExpectModal(platform::ModalKind::Dialog, "FLANGE_DIALOG", [&](HWND dialog) {
    flangeDifference = Compare(dialog, "flange");
    platform::ExpectModal(platform::ModalKind::Dialog, "FLANGE_LIBRARY_DIALOG", [&](HWND library) {
      libraryDifference = Compare(library, "flange-library");
      SendMessage(library, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1002)));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  DoubleClick(2, 9);
  EXPECT_EQ(flangeDifference, 0);
  EXPECT_EQ(libraryDifference, 0);
  ShowListByOpener(OpenTieRodsList);
  ShowWindow(LayoutFrame().window, SW_HIDE);
  SetForegroundWindow(ListFrame().window);
  platform::RunUntilIdle();
  EXPECT_EQ(TieRodsListTable().rowCount, 1);
  EXPECT_EQ(Compare(ListFrame().window, "tie-rods"), 0);
}

}  // namespace
