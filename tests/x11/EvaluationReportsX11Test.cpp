// The analysed nozzle and lug reports in the List frame of a real X server
// with a window manager (openbox): the EN 13445-3 cylinder's clause lines,
// the WRC 537 stress table and the lug's attachment loads, with wide
// values. No text of a row runs into the next: each label ends before its
// value column. What the screen shows is kept in the build folder
// (x11-reports-*.png) to be looked at; NozzleLugX11Test compares these
// windows with the server's pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evaluations/DrawnTexts.h"
#include "evaluations/FlangeTesting.h"
#include "evaluations/LugEvaluationModel.h"
#include "evaluations/LugEvaluationTool.h"
#include "evaluations/NozzleEvaluationModel.h"
#include "evaluations/NozzleEvaluationTool.h"
#include "evaluations/NozzleEvaluationWrc537.h"

#include "services/ListFrameState.h"
#include "x11/RootPicture.h"
#include "x11/WindowManager.h"
#include "x11/XvfbServer.h"

namespace {

class EvaluationReportsFixture : public FlangeToolFixture {
 protected:
  void TearDown() override {
    SetWrc537CurveTable(nullptr);
    CloseNozzleEvaluation();
    TheNozzleDocument() = NozzleDocument{};
    CloseLugWindow();
    TheLugDocument() = LugDocument{};
    FlangeToolFixture::TearDown();
  }
};

class EvaluationReportsX11Test : public OnXvfbWithWindowManager<EvaluationReportsFixture> {
 protected:
  void NewFrom(int choice) {
    platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG", [choice](HWND dialog) {
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(choice, BN_CLICKED),
                  reinterpret_cast<LPARAM>(GetDlgItem(dialog, choice)));
    });
    SendMessage(LayoutFrame().window, WM_COMMAND, 101, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  // The report on the screen: once the server shows the frame, what is on
  // the screen is kept to be looked at, and the texts of every row must
  // stand apart.
  void ExpectOnTheScreenApart(const std::string& name, int linesWithColumns) {
    ManagedWindows windows(display_);
    ASSERT_TRUE(windows.ok());
    platform::SyncPresenter();
    const std::string title = TextOf(ListFrame().window);
    EXPECT_TRUE(platform::PumpUntil([&] { return windows.ShownWindowTitled(title) != 0; }, 10000)) << name;
    platform::RunUntilIdle();
    platform::SyncPresenter();
    EXPECT_TRUE(SaveRootPicture(display_, std::string(QUORVEL_BINARY_DIR) + "/x11-reports-" + name + ".png"));
    TableWindow& table = *TableOfWindow(ListTableWindow(0));
    const std::vector<DrawnText> texts = ScreenTexts(table);
    EXPECT_GE(LinesWithColumns(texts), linesWithColumns) << name;
    for (const std::string& fault : Overprints(texts, Width(table.Dc(), " "))) ADD_FAILURE() << name << ": " << fault;
  }
};

TEST_F(EvaluationReportsX11Test, TheNozzleReportsLabelsStandClearOfTheirValues) {
  NewFrom(1007);
  ASSERT_TRUE(NozzleToolHoldsListFrame());
  NozzleEvaluation& d = TheNozzleDocument().data;
  d.spherical = false;
  d.R = 4000, d.e = 25.5f, d.de = 1200.25f, d.eb = 20.2f, d.d = 1180, d.ec = 25.5f, d.f = 2000000, d.fb = 2000000;
  SetNozzleModified(false);
  Tool(40053);
  ASSERT_TRUE(TheNozzleDocument().analysed);
  TableGoTo(*TableOfWindow(ListTableWindow(0)), EvaluationReportLineCount());
  ExpectOnTheScreenApart("en-cylinder", 15);

  std::vector<Wrc537Curve> curves;
  for (int family = 0; family <= kSmTangentialBending; ++family) {
    Wrc537Curve curve{static_cast<Wrc537Family>(family), 5.0f, {}};
    curve.record.c[0] = 0.1f;
    curves.push_back(curve);
  }
  SetWrc537CurveTable(&curves);
  d.analysis = kNozzleWrc537;
  d.spherical = true;
  d.T = 0.5f, d.Rm = 50, d.ro = 5, d.eb = 0.5f, d.rm = 4.75f, d.r = 0.25f, d.P = 100000, d.V1 = 200000,
  d.M1 = 1000000;
  d.Pm = 50000, d.Pb = 20000, d.All = 300000;
  SetNozzleModified(false);
  Tool(40053);
  ASSERT_TRUE(TheNozzleDocument().analysed);
  TableGoTo(*TableOfWindow(ListTableWindow(0)), EvaluationReportLineCount());
  ExpectOnTheScreenApart("wrc-sphere", 30);
}

TEST_F(EvaluationReportsX11Test, TheLugReportsLabelsStandClearOfTheirValues) {
  NewFrom(1008);
  ASSERT_TRUE(LugToolHoldsListFrame());
  LugInputs& d = TheLugDocument().data;
  d.OD = 100.75f, d.Thk = 10.5f, d.L1 = 10.5f, d.L2 = 10.0f;
  for (auto& set : d.loads) set = {1000000, -500000, -300000, 2000000, -3000000, 4000000};
  d.loads[kLugAbsMax] = {1000000, 123456.7f, 300000, 2000000, 3000000, 4000000};
  d.s1 = 50000, d.s2 = 60000, d.s3 = 70000, d.s4 = 10000, d.s5 = 120000, d.sh = 200000, d.sa = 300000, d.sy = 350000;
  SetLugModified(false);
  Tool(40082);
  ASSERT_TRUE(TheLugDocument().analysed);
  ExpectOnTheScreenApart("lug-top", 12);
  TableGoTo(*TableOfWindow(ListTableWindow(0)), EvaluationReportLineCount());
  ExpectOnTheScreenApart("lug-end", 40);
}

}  // namespace
