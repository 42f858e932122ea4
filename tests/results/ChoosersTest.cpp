// The choosers of the Results window (their templates by count, the
// load-case chooser's choice reloading the table, the branch chooser),
// the thresholds dialog (both fields read before either is stored) and the
// text measuring functions.
#include <gtest/gtest.h>

#include "editing/NewDocument.h"
#include "files/FileCommands.h"
#include "model/NodeDrawing.h"
#include "platform/Gdi.h"
#include "results/LoadCaseChooser.h"
#include "results/ResultChooser.h"
#include "results/ResultsTesting.h"
#include "results/Thresholds.h"
#include "resultsfile/RadioChooser.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/TextMeasure.h"
#include "services/NameTables.h"

namespace {

class ChoosersTest : public ResultsFixture {
 protected:
  void TearDown() override {
    g_StressLabelThreshold = g_RatioLabelThreshold = 0.0f;
    ResultsFixture::TearDown();
  }
  // Runs THRESHOLDS_DIALOG with the two texts and OK; the message shown, if any.
  std::string Thresholds(const std::string& stress, const std::string& ratio, const std::string& messageTemplate = "") {
    std::string message;
    platform::ExpectModal(platform::ModalKind::Dialog, "THRESHOLDS_DIALOG", [&](HWND dialog) {
      SetDlgItemText(dialog, 1301, stress.c_str());
      SetDlgItemText(dialog, 1302, ratio.c_str());
      if (!messageTemplate.empty())
        platform::ExpectModal(platform::ModalKind::Dialog, messageTemplate, [&message](HWND box) {
          message = LinesOfDialog(box).at(0);
          SendMessage(box, WM_COMMAND, IDOK, 0);
        });
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
      if (!messageTemplate.empty()) SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    ThresholdsDialog(LayoutFrame().window);
    platform::CheckModalScript();
    return message;
  }
};

// The thresholds belong to the model they were set for: a new model, a
// model opened or the model closed starts again from none.
TEST_F(ChoosersTest, ThresholdsStartFromNoneWithEveryModel) {
  BuildLine({1});
  ASSERT_EQ(Thresholds("10", "0.5"), "");
  ASSERT_GT(g_StressLabelThreshold, 0.0f);
  ASSERT_TRUE(OpenFileByExtension(MainFrame().window, ModelPath()));
  EXPECT_EQ(g_StressLabelThreshold, 0.0f);
  EXPECT_EQ(g_RatioLabelThreshold, 0.0f);
  ASSERT_EQ(Thresholds("10", "0.5"), "");
  platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  NewDocumentDialog(LayoutFrame().window);
  platform::CheckModalScript();
  EXPECT_TRUE(TheModel().path.empty());
  EXPECT_EQ(g_StressLabelThreshold, 0.0f);
  EXPECT_EQ(g_RatioLabelThreshold, 0.0f);
  ASSERT_EQ(Thresholds("", "0.5"), "");
  CloseModel();
  EXPECT_EQ(g_RatioLabelThreshold, 0.0f);
}

TEST_F(ChoosersTest, EachChooserTakesTheTemplateForItsCount) {
  EXPECT_EQ(ResultChooserTemplateName(3), "RESULTS3_DIALOG");
  EXPECT_EQ(ResultChooserTemplateName(5), "RESULTS6_DIALOG");
  EXPECT_EQ(ResultChooserTemplateName(19), "RESULTS18_DIALOG");
  EXPECT_EQ(LoadCaseChooserTemplateName(2), "RESULT_LOAD_CASES3_DIALOG");
  EXPECT_EQ(LoadCaseChooserTemplateName(4), "RESULT_LOAD_CASES4_DIALOG");
  EXPECT_EQ(LoadCaseChooserTemplateName(7), "RESULT_LOAD_CASES8_DIALOG");
  EXPECT_EQ(LoadCaseChooserTemplateName(23), "RESULT_LOAD_CASES110_DIALOG");
  int width = 0, height = 0;
  LoadCaseChooserClientSize(23, width, height);
  EXPECT_EQ(std::pair(width, height), std::pair(190, 335));
  LoadCaseChooserClientSize(89, width, height);
  EXPECT_EQ(width, 460);
  LoadCaseChooserClientSize(22, width, height);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(BranchLoadCaseChooserTemplateName(2), "RESULT_LOAD_CASES2_DIALOG");
  EXPECT_EQ(BranchLoadCaseChooserTemplateName(9), "RESULT_LOAD_CASES10_DIALOG");
  EXPECT_EQ(OtherChooserTemplateName(7), "OTHER9_DIALOG");
  EXPECT_EQ(OtherChooserTemplateName(5), "OTHER6_DIALOG");
  // Every template holds a radio for every entry of its largest count.
  for (const auto& [name, radios] : {std::pair{"RESULTS18_DIALOG", 19}, std::pair{"RESULT_LOAD_CASES110_DIALOG", 110},
                                     std::pair{"OTHER9_DIALOG", 9}, std::pair{"RESULT_LOAD_CASES22_DIALOG", 22}}) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, [radios = radios](HWND dialog) {
      for (int id = 1401; id < 1401 + radios; ++id) EXPECT_NE(GetDlgItem(dialog, id), nullptr) << id;
      EXPECT_EQ(GetDlgItem(dialog, 1401 + radios), nullptr);
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    RadioChooserRequest request;
    request.templateName = name;
    request.names = {"one"};
    EXPECT_EQ(RunRadioChooser(LayoutFrame().window, request), 0);
  }
  platform::CheckModalScript();
}

TEST_F(ChoosersTest, ALoadCaseChosenBecomesCurrentAndTheTableReloads) {
  BuildLine({1, 8, 2});
  Analyse();
  OpenAndChoose("RESULTS6_DIALOG", 6);  // Displacements
  ASSERT_EQ(g_ResultCase, 1);
  std::vector<std::string> titles;
  platform::ExpectModal(platform::ModalKind::Dialog, "RESULT_LOAD_CASES3_DIALOG", [&titles](HWND dialog) {
    titles = ShownRadios(dialog);
    EXPECT_EQ(TextOf(dialog), "Load Cases");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1401), BST_CHECKED);
    // The arrow keys move the choice (the radio gets the focus); OK takes it.
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1403, BN_SETFOCUS), 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ResultsCommandNow(231);
  platform::CheckModalScript();
  EXPECT_EQ(titles, (std::vector<std::string>{"Sustained (W+P)", LoadCaseTitle(2), "Operating (W+P1+T1)"}));
  EXPECT_EQ(g_ResultCase, 3);
  EXPECT_NE(ResultsTitle().find("Displacements: Operating (W+P1+T1)"), std::string::npos);
  // Cancel changes nothing.
  platform::ExpectModal(platform::ModalKind::Dialog, "RESULT_LOAD_CASES3_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  ResultsCommandNow(231);
  EXPECT_EQ(g_ResultCase, 3);
  // The branch chooser: not shown for one case; the current one gives 0.
  EXPECT_EQ(ChooseBranchStressLoadCases(ResultsFrame().window, {1}, 1), 0);
  platform::ExpectModal(platform::ModalKind::Dialog, "RESULT_LOAD_CASES2_DIALOG",
                        [](HWND dialog) { Click(dialog, 1401); });
  EXPECT_EQ(ChooseBranchStressLoadCases(ResultsFrame().window, {1, 2}, 1), 0);
  platform::ExpectModal(platform::ModalKind::Dialog, "RESULT_LOAD_CASES2_DIALOG",
                        [](HWND dialog) { Click(dialog, 1402); });
  EXPECT_EQ(ChooseBranchStressLoadCases(ResultsFrame().window, {1, 2}, 1), 2);
  platform::CheckModalScript();
}

TEST_F(ChoosersTest, ThresholdsAreReadTogetherAndARefusedRatioKeepsTheStress) {
  g_UnitsSettings.unit[kUnitStress] = 1;  // MPa
  EXPECT_EQ(Thresholds("10", "0.5"), "");
  EXPECT_NEAR(g_StressLabelThreshold, 10.0 / 0.00689476, 0.1);
  EXPECT_FLOAT_EQ(g_RatioLabelThreshold, 0.5f);
  // A negative ratio is refused, and the stress typed with it is not kept.
  const std::string refused = Thresholds("20", "-1", "MESSAGE1_DIALOG");
  EXPECT_EQ(refused.rfind("Ratio threshold", 0), 0u) << refused;
  EXPECT_NEAR(g_StressLabelThreshold, 10.0 / 0.00689476, 0.1);
  EXPECT_FLOAT_EQ(g_RatioLabelThreshold, 0.5f);
  EXPECT_EQ(Thresholds("abc", "1", "MESSAGE1_DIALOG").rfind("Stress threshold", 0), 0u);
  // A negative stress is taken; empty fields are 0 and show empty.
  EXPECT_EQ(Thresholds("-5", ""), "");
  EXPECT_LT(g_StressLabelThreshold, 0.0f);
  EXPECT_EQ(g_RatioLabelThreshold, 0.0f);
  EXPECT_EQ(Thresholds("", ""), "");
  platform::ExpectModal(platform::ModalKind::Dialog, "THRESHOLDS_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1301)), "");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1302)), "");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1601)), "(MPa)");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(ThresholdsDialog(LayoutFrame().window), 0);
}

TEST_F(ChoosersTest, TextsAreMeasuredAndPlacedOnTheirColumn) {
  std::vector<int> widths{0, 5, 9, 7, 3};
  SpreadMaxWidth(widths, 2, 2);
  EXPECT_EQ(widths, (std::vector<int>{0, 5, 9, 7, 3}));
  SpreadMaxWidth(widths, 3, 2);
  EXPECT_EQ(widths, (std::vector<int>{0, 5, 9, 7, 3}));
  SpreadMaxWidth(widths, 1, 3);
  EXPECT_EQ(widths, (std::vector<int>{0, 9, 9, 9, 3}));
  EqualizePairWidth(widths, 1, 4);
  EXPECT_EQ(widths[4], 9);
  widths = {0, 1, 2, 3, 4, 5};
  EqualizeFourWidths(widths, 1, 2, 3, 5);
  EXPECT_EQ(widths, (std::vector<int>{0, 5, 5, 5, 4, 5}));
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(TextWidthOf(dc, std::string_view()), 0);
  EXPECT_EQ(DcTextWidth(dc, "ab"), DcTextWidth(dc, "a") + DcTextWidth(dc, "b"));
  EXPECT_EQ(MaxTextWidth3(dc, "a", "abc", "ab"), DcTextWidth(dc, "abc"));
  // Centred: the text starts at x minus half its width.
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 200, 40);
  SelectObject(dc, bitmap);
  RECT all{0, 0, 200, 40};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const int w = DcTextWidth(dc, "WWWW");
  TextOutCentred(dc, 100, 10, "WWWW");
  int first = -1;
  for (int x = 0; x < 200 && first < 0; ++x)
    for (int y = 0; y < 40; ++y)
      if (GetPixel(dc, x, y) != RGB(255, 255, 255)) {
        first = x;
        break;
      }
  EXPECT_GE(first, 100 - w / 2);
  EXPECT_LE(first, 100 - w / 2 + 2);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

}  // namespace
