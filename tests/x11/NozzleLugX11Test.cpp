// The nozzle and lug evaluation tools in real X windows on a private Xvfb
// server: both layouts of the nozzle dialog, the analysed EN 13445-3 and
// WRC 537 (with a test table of constant curves) reports, the lug dialog
// and its analysed report. What the X server shows must be what the layer
// drew; the pictures are kept in the build folder (x11-nozlug-*.png).
#include <gtest/gtest.h>

#include <string>

#include "evaluations/FlangeTesting.h"
#include "evaluations/LugEvaluationModel.h"
#include "evaluations/LugEvaluationTool.h"
#include "evaluations/NozzleEvaluationModel.h"
#include "evaluations/NozzleEvaluationTool.h"
#include "evaluations/NozzleEvaluationWrc537.h"

#include "services/ListFrameState.h"
#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

std::string Picture(const std::string& name) { return std::string(QUORVEL_BINARY_DIR) + "/x11-nozlug-" + name; }

class EvaluationToolsFixture : public FlangeToolFixture {
 protected:
  void TearDown() override {
    SetWrc537CurveTable(nullptr);
    CloseNozzleEvaluation();
    TheNozzleDocument() = NozzleDocument{};
    CloseLugWindow();
    TheLugDocument() = LugDocument{};
    FlangeToolFixture::TearDown();
  }
  static void NewFrom(int choice) {
    platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG", [choice](HWND dialog) {
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(choice, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, choice)));
    });
    SendMessage(LayoutFrame().window, WM_COMMAND, 101, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
};

class NozzleLugX11Test : public OnXvfb<EvaluationToolsFixture> {};

TEST_F(NozzleLugX11Test, TheNozzleDialogsLayoutsAndItsAnalysedReportsAreOnTheScreen) {
  NewFrom(1007);
  ASSERT_TRUE(NozzleToolHoldsListFrame());
  NozzleEvaluation& d = TheNozzleDocument().data;
  d.spherical = false;
  d.R = 40, d.e = 0.5f, d.de = 12.2f, d.eb = 0.2f, d.d = 12, d.ec = 0.5f, d.f = 20000, d.fb = 20000;
  std::vector<int> differences;
  platform::ExpectModal(platform::ModalKind::Dialog, "NOZZLE_QUAL", [&](HWND dialog) {
    platform::RunUntilIdle();
    differences.push_back(CompareWindowWithScreen(display_, dialog, Picture("en-dialog")));
    SendDlgItemMessage(dialog, 1201, CB_SETCURSEL, 1, 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1201, CBN_SELENDOK), 0);
    platform::RunUntilIdle();
    differences.push_back(CompareWindowWithScreen(display_, dialog, Picture("wrc-dialog")));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  Tool(40052);
  platform::CheckModalScript();
  EXPECT_EQ(differences, (std::vector<int>{0, 0}));
  SetNozzleModified(false);
  Tool(40053);
  ASSERT_TRUE(TheNozzleDocument().analysed);
  TableGoTo(*TableOfWindow(ListTableWindow(0)), EvaluationReportLineCount());
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWindowWithScreen(display_, ListFrame().window, Picture("en-report")), 0);
  // WRC 537 on a sphere with constant curves.
  std::vector<Wrc537Curve> table;
  for (int family = 0; family <= kSmTangentialBending; ++family) {
    Wrc537Curve curve{static_cast<Wrc537Family>(family), 5.0f, {}};
    curve.record.c[0] = family == kSpRadialMembrane || family == kSpRadialBending || family == kSmRadialMembrane ||
                                family == kSmRadialBending
                            ? 0.1f
                            : 0.05f;
    table.push_back(curve);
  }
  SetWrc537CurveTable(&table);
  d.analysis = kNozzleWrc537;
  d.spherical = true;
  d.T = 0.5f, d.Rm = 50, d.ro = 5, d.eb = 0.5f, d.rm = 4.75f, d.r = 0.25f, d.P = 1000, d.V1 = 2000, d.M1 = 10000;
  d.Pm = 5000, d.Pb = 2000, d.All = 30000;
  Tool(40053);
  ASSERT_TRUE(TheNozzleDocument().analysed);
  TableGoTo(*TableOfWindow(ListTableWindow(0)), EvaluationReportLineCount());
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWindowWithScreen(display_, ListFrame().window, Picture("wrc-report")), 0);
}

TEST_F(NozzleLugX11Test, TheLugDialogAndItsAnalysedReportAreOnTheScreen) {
  NewFrom(1008);
  ASSERT_TRUE(LugToolHoldsListFrame());
  LugInputs& d = TheLugDocument().data;
  d.OD = 10.75f, d.Thk = 0.5f, d.L1 = 1.5f, d.L2 = 1.0f;
  d.loads[kLugSustained] = {1000, 500, 300, 2000, 3000, 4000};
  d.loads[kLugAbsMax] = {3000, 1300, 300, 2000, 8000, 10000};
  d.s1 = 5000, d.sh = 20000, d.sa = 30000, d.sy = 35000;
  int difference = -1;
  platform::ExpectModal(platform::ModalKind::Dialog, "LUG_EVAL", [&](HWND dialog) {
    platform::RunUntilIdle();
    difference = CompareWindowWithScreen(display_, dialog, Picture("lug-dialog"));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  Tool(40083);
  platform::CheckModalScript();
  EXPECT_EQ(difference, 0);
  SetLugModified(false);
  Tool(40082);
  ASSERT_TRUE(TheLugDocument().analysed);
  TableGoTo(*TableOfWindow(ListTableWindow(0)), EvaluationReportLineCount());
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWindowWithScreen(display_, ListFrame().window, Picture("lug-report")), 0);
}

}  // namespace
