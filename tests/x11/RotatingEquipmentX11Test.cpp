// The pump, compressor and allowable dialogs, the Pumps list and the
// rotating-equipment report of a pump, a turbine and a compressor in real X windows
// on a private Xvfb server. What the X server shows must be what the layer
// drew, pixel for pixel; the pictures are kept in the build folder
// (x11-rotating-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "elements/CompressorList.h"
#include "evaluations/AllowablesList.h"
#include "evaluations/PumpList.h"
#include "model/ListTesting.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "results/ResultsTesting.h"
#include "results/RotatingEquipmentReport.h"
#include "results/RotatingTesting.h"

#include "services/ViewRequests.h"
#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

std::string Prefix(const std::string& name) { return std::string(QUORVEL_BINARY_DIR) + "/x11-rotating-" + name; }

class RotatingDialogsX11Test : public OnXvfb<ListFixture> {
 protected:
  int Compare(HWND window, const std::string& name) {
    platform::RunUntilIdle();
    return CompareWindowWithScreen(display_, window, Prefix(name));
  }
  static void Click(HWND dialog, int item) {
    SendMessage(GetDlgItem(dialog, item), BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(item, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, item)));
  }
  static void Combo(HWND dialog, int item, int index) {
    SendMessage(GetDlgItem(dialog, item), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(item, CBN_SELENDOK), reinterpret_cast<LPARAM>(GetDlgItem(dialog, item)));
  }
};

TEST_F(RotatingDialogsX11Test, ThePumpDialogsThreeSetsTheOtherDialogsAndTheListAreOnTheScreen) {
  ShowModelWindows();
  ShowWindow(ListFrame().window, SW_HIDE);
  platform::RunUntilIdle();
  Pump pump;
  InitPumpRecord(pump);
  pump.name = "P-101";
  pump.suctionNode = 10;
  pump.dischargeNode = 20;
  pump.suctionLocation = kNozzleEnd;
  pump.shaftAxis = {1, 0, 0};
  pump.centre = {120, 0, 0};
  AppendPump(TheModel().pumps, pump);
  RotatingEquipment compressor;
  compressor.description = "K-1";
  compressor.inletNode = 20;
  compressor.exhaustNode = 30;
  compressor.shaftAxis = {1, 0, 0};
  AppendRotatingEquipment(TheModel().compressors, compressor);
  ShowListByOpener(OpenPumpsTable);
  ShowWindow(LayoutFrame().window, SW_HIDE);
  SetForegroundWindow(ListFrame().window);
  platform::RunUntilIdle();
  EXPECT_EQ(Compare(ListFrame().window, "pumps-list"), 0);
  int differing[3] = {-1, -1, -1};
  platform::ExpectModal(platform::ModalKind::Dialog, "PUMP_DIALOG", [&](HWND dialog) {
    differing[0] = Compare(dialog, "pump-horizontal");
    Click(dialog, 1402);
    differing[1] = Compare(dialog, "pump-vertical");
    Click(dialog, 1403);
    Combo(dialog, 2001, 3);
    Combo(dialog, 2002, 0);
    Combo(dialog, 2003, 1);
    differing[2] = Compare(dialog, "pump-ansi");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  TableGoTo(ThePumpsTable(), 1);
  ThePumpsTable().EditCurrentItem();
  platform::CheckModalScript();
  for (int d : differing) EXPECT_EQ(d, 0);
  int compressorPixels = -1;
  platform::ExpectModal(platform::ModalKind::Dialog, "COMPRESSOR_DIALOG", [&](HWND dialog) {
    compressorPixels = Compare(dialog, "compressor");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  ShowListByOpener(OpenCompressorsList);
  TableGoTo(TheRotatingEquipmentTable(), 1);
  TheRotatingEquipmentTable().EditCurrentItem();
  platform::CheckModalScript();
  EXPECT_EQ(compressorPixels, 0);
  int allowablePixels = -1;
  platform::ExpectModal(platform::ModalKind::Dialog, "ALLOWABLE_DIALOG", [&](HWND dialog) {
    SetDlgItemText(dialog, 1301, "30");
    SetDlgItemText(dialog, 1302, "1200");
    allowablePixels = Compare(dialog, "allowable");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  ShowListByOpener(OpenAllowablesTable);
  TableGoTo(TheAllowablesTable(), 1);
  TheAllowablesTable().EditCurrentItem();
  platform::CheckModalScript();
  EXPECT_EQ(allowablePixels, 0);
}

class RotatingReportX11Test : public OnXvfb<ResultsFixture> {
 protected:
  void OpenReport(Model& model) {
    MakeModel(model);
    analysis_testing::SetCases(model, {1, 8});
    ASSERT_EQ(WriteModelFile(ModelPath()), "");
    model.modified = false;
    Analyse();
    OpenCancelled("RESULTS8_DIALOG");
    ASSERT_TRUE(InResultsMode());
    HideGraphicsWindow();
    OpenRotatingEquipmentReport();
    platform::RunUntilIdle();
    platform::SyncPresenter();
    ASSERT_EQ(ShownResultTable(), &RotatingEquipmentReportTable());
  }
};

TEST_F(RotatingReportX11Test, ThePumpTurbineAndCompressorReportsAreOnTheScreen) {
  OpenReport(BuildRotatingPumpModel(ModelPath()));
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, Prefix("pump-report")), 0);
  LeaveResultsMode();
  OpenReport(BuildRotatingTurbineModel(ModelPath(), false));
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, Prefix("turbine-report")), 0);
  LeaveResultsMode();
  OpenReport(BuildRotatingTurbineModel(ModelPath(), true));
  EXPECT_EQ(CompareWindowWithScreen(display_, ResultsFrame().window, Prefix("compressor-report")), 0);
}

}  // namespace
