// The flange qualification tool: what its document, files and commands are
// to the evaluation tools' shared road (see FlangeTool.h).
#include "evaluations/FlangeTool.h"

#include "evaluations/EvaluationTool.h"
#include "evaluations/FlangeCalculation.h"
#include "evaluations/FlangeFile.h"
#include "evaluations/FlangeModel.h"
#include "evaluations/FlangeSheet.h"
#include "evaluations/FlangeStressesReport.h"
#include "printing/ReportOutput.h"
#include "services/DialogHook.h"
#include "services/Message.h"
#include "services/Units.h"

namespace {

EvaluationTool& TheTool();

// The document's file lives in the flange record itself, and the report
// file proposed follows it only once the document was opened or saved
// under a name.
class FlangeTool final : public EvaluationTool {
 protected:
  EvaluationFrameTool FrameTool() override {
    return {"FLANGE_ANALYSIS", "FLANGE_ACCEL", kPlacementFlangeQualification, &EvaluationFrameHook<TheTool>()};
  }
  bool& WindowOpen() override { return TheFlangeDocument().windowOpen; }
  const std::string& Path() override { return TheFlangeDocument().path; }
  const std::string& Folder() override { return TheFlangeDocument().folder; }
  bool Modified() override { return FlangeModified(); }
  void SetModified(bool modified) override { SetFlangeModified(modified); }
  const char* SaveAsTitle() override { return "Save As"; }
  const char* Filter() override { return "Flange Qualification files (*.flg)\0*.flg\0"; }
  const char* Extension() override { return "flg"; }
  void Write() override { WriteFlangeFile(); }
  const char* SavedNotice() override { return "Flange Qualification file saved"; }
  bool SaveUnder(HWND owner, const std::string& path) override {
    FlangeDocument& document = TheFlangeDocument();
    const std::string previous = document.path;
    SetFlangeFilePath(path);
    if (!SaveFile(owner)) {
      SetFlangeFilePath(previous);
      return false;
    }
    g_OutputFileName = document.reportName;  // the report file it proposes
    SetReportDocumentPath(path);              // and the name its pages carry
    ShowFlangeStressesReport();               // the title names the new file
    return true;
  }
  void StartNew() override {
    SetFlangeFilePath("");
    ResetFlangeData();
  }
  void ReadCopies(const std::string& path) override {
    data_ = FlangeQualificationData{};
    units_ = g_UnitsSettings;
    ReadFlangeFileInto(path, data_, units_);
  }
  void TakeRead(const std::string& path) override {
    FlangeDocument& document = TheFlangeDocument();
    document.data = data_;
    g_UnitsSettings = units_;
    SetFlangeFilePath(path);
    g_OutputFileName = document.reportName;
    document.analysed = false;
  }
  void ForgetDocument() override {
    SetFlangeFilePath("");
    TheFlangeDocument().analysed = false;
  }
  void ShowDocument() override { ShowFlangeStressesReport(); }
  // The printed pages name the document, not the closed model.
  void BeforeShow() override { SetReportDocumentPath(TheFlangeDocument().path); }
  int AnalyzeCommand() override { return 40040; }
  bool IsEditCommand(int commandId) override { return commandId == 40039; }
  void Analyze(HWND owner) override {
    FlangeDocument& document = TheFlangeDocument();
    const std::string refusal = FlangeInputRefusal(document.data);
    if (!refusal.empty()) {
      ShowErrorMessage(owner, refusal);
      return;
    }
    document.analysed = true;
    document.results = CalculateFlange(document.data);
    WriteFlangeDebugLines(document.results);
    ShowFlangeStressesReport();
    ShowNotice(owner, "Flange Analyzed");
  }
  void Edit(HWND owner) override {
    FlangeQualificationSheet(owner);
    ShowFlangeStressesReport();
  }

 private:
  FlangeQualificationData data_;
  UnitsSettings units_;
};

EvaluationTool& TheTool() {
  static FlangeTool tool;
  return tool;
}

}  // namespace

bool FlangeToolHoldsListFrame() { return TheTool().HoldsListFrame(); }
void NewFlangeQualification(HWND owner) { TheTool().New(owner); }
bool OpenFlangeQualificationFile(HWND owner, const std::string& path) { return TheTool().Open(owner, path); }
void CloseFlangeWindow() { TheTool().Close(); }
std::string FlangeToolTipText(int commandId) { return EvaluationToolTipText(commandId); }
