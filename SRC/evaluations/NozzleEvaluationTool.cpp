// The nozzle evaluation tool: what its document, files and commands are to
// the evaluation tools' shared road (see NozzleEvaluationTool.h).
#include "evaluations/NozzleEvaluationTool.h"

#include "evaluations/EvaluationTool.h"
#include "evaluations/NozzleEvaluationDialog.h"
#include "evaluations/NozzleEvaluationFile.h"
#include "evaluations/NozzleEvaluationModel.h"
#include "evaluations/NozzleEvaluationReport.h"
#include "services/Message.h"

namespace {

EvaluationTool& TheTool();

class NozzleTool final : public EvaluationDocumentTool<NozzleDocument> {
 protected:
  EvaluationFrameTool FrameTool() override {
    return {"NOZZLE_QUALIFICATION", "NOZZLE_ACCEL", kPlacementNozzleAllowableLoads, &EvaluationFrameHook<TheTool>()};
  }
  NozzleDocument& TheDocument() override { return TheNozzleDocument(); }
  bool Modified() override { return NozzleModified(); }
  void SetModified(bool modified) override { SetNozzleModified(modified); }
  const char* Filter() override { return "Nozzle Evaluation files (*.noz)\0*.noz\0"; }
  const char* Extension() override { return "noz"; }
  void Write() override { WriteNozzleEvaluationFile(); }
  void ReadFile(const std::string& path, NozzleEvaluation& data, UnitsSettings& units) override {
    ReadNozzleFileInto(path, data, units);
  }
  void StartNew() override {
    SetPath("");
    NewNozzleEvaluation();
  }
  void ShowDocument() override { RefreshNozzleEvaluationWindow(); }
  int AnalyzeCommand() override { return 40053; }
  bool IsEditCommand(int commandId) override { return commandId == 40052; }
  std::string InputRefusal(const NozzleEvaluation& data) override { return NozzleInputRefusal(data); }
  // A WRC 537 case without a figure or a curve range says so over the
  // window after the report.
  void AfterAnalysis(HWND) override {
    const std::string foreground = NozzleReportForegroundMessage();
    if (!foreground.empty()) ShowErrorOnForeground(foreground);
  }
  void Edit(HWND owner) override {
    if (EditNozzleEvaluation(owner)) OpenWindow();
  }
};

EvaluationTool& TheTool() {
  static NozzleTool tool;
  return tool;
}

}  // namespace

bool NozzleToolHoldsListFrame() { return TheTool().HoldsListFrame(); }
void NewNozzleEvaluationDocument(HWND owner) { TheTool().New(owner); }
bool OpenNozzleEvaluationFile(HWND owner, const std::string& path) { return TheTool().Open(owner, path); }
void CloseNozzleEvaluation() { TheTool().Close(); }
