// The printer and the preview of the nozzle and lug evaluation reports,
// reached from each tool's Print: the preview of an analysed report has
// its pages and closes; Print writes the printer's document.
#include <gtest/gtest.h>

#include "evaluations/FlangeTesting.h"
#include "evaluations/LugEvaluationFile.h"
#include "evaluations/LugEvaluationModel.h"
#include "evaluations/LugEvaluationTool.h"
#include "evaluations/NozzleEvaluationFile.h"
#include "evaluations/NozzleEvaluationModel.h"
#include "evaluations/NozzleEvaluationTool.h"
#include "files/FileCommands.h"
#include "platform/PropertySheet.h"
#include "printing/PrinterSettings.h"

namespace {

class EvaluationPrintTest : public FlangeToolFixture {
 protected:
  void TearDown() override {
    CloseNozzleEvaluation();
    TheNozzleDocument() = NozzleDocument{};
    CloseLugWindow();
    TheLugDocument() = LugDocument{};
    FlangeToolFixture::TearDown();
  }
  static void AnswerSheet(const std::string& title, int button) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, title, [button](HWND sheet) {
      SendMessage(sheet, WM_COMMAND, static_cast<WPARAM>(button), 0);
      if (button == IDOK) SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
  }
  // Preview, then Print into `pdf`.
  void PreviewAndPrint(const std::string& sheet, const std::string& pdf) {
    AnswerSheet(sheet, 1001);
    Tool(106);
    PrinterSettings& printer = TextPrinter();
    ASSERT_NE(printer.previewFrame, nullptr);
    EXPECT_GE(printer.pageCount, 1);
    SendMessage(printer.previewFrame, WM_CLOSE, 0, 0);
    platform::RunUntilIdle();
    AnswerSheet(sheet, IDOK);
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
      SetDlgItemText(dialog, edt3, pdf.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    Tool(106);
    platform::CheckModalScript();
    EXPECT_EQ(Bytes(pdf).substr(0, 5), "%PDF-");
    EXPECT_EQ(TextPrinter().document, nullptr);
  }
};

TEST_F(EvaluationPrintTest, TheAnalysedNozzleReportPreviewsAndPrints) {
  NozzleEvaluation d;
  d.spherical = false;
  d.R = 40, d.e = 0.5f, d.de = 12.2f, d.eb = 0.2f, d.d = 12, d.ec = 0.5f, d.f = 20000, d.fb = 20000;
  const std::string path = Path("cylinder.noz");
  WriteNozzleFileFrom(path, d, g_UnitsSettings);
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, path));
  Tool(40053);
  ASSERT_TRUE(TheNozzleDocument().analysed);
  PreviewAndPrint("Print Local loads on nozzle", Path("nozzle.pdf"));
}

TEST_F(EvaluationPrintTest, TheAnalysedLugReportPreviewsAndPrints) {
  LugInputs d;
  d.OD = 10.75f, d.Thk = 0.5f, d.L1 = 1.5f, d.L2 = 1.0f, d.sh = 20000, d.sa = 30000, d.sy = 35000;
  d.loads[kLugSustained] = {1000, 500, 300, 2000, 3000, 4000};
  const std::string path = Path("lug.lug");
  WriteLugFileFrom(path, d, g_UnitsSettings);
  ASSERT_TRUE(OpenFileByExtension(LayoutFrame().window, path));
  Tool(40082);
  ASSERT_TRUE(TheLugDocument().analysed);
  PreviewAndPrint("Print Lug Evaluation Module", Path("lug.pdf"));
}

}  // namespace
