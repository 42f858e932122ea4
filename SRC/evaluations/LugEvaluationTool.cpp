// The lug evaluation tool: what its document, files and commands are to the
// evaluation tools' shared road (see LugEvaluationTool.h).
#include "evaluations/LugEvaluationTool.h"

#include "evaluations/EvaluationTool.h"
#include "evaluations/LugEvaluationDialog.h"
#include "evaluations/LugEvaluationFile.h"
#include "evaluations/LugEvaluationModel.h"
#include "evaluations/LugEvaluationReport.h"

namespace {

EvaluationTool& TheTool();

class LugTool final : public EvaluationDocumentTool<LugDocument> {
 protected:
  EvaluationFrameTool FrameTool() override {
    return {"LUG_EVALUATION", "LUG_ACCEL", kPlacementLugEvaluation, &EvaluationFrameHook<TheTool>()};
  }
  LugDocument& TheDocument() override { return TheLugDocument(); }
  bool Modified() override { return LugModified(); }
  void SetModified(bool modified) override { SetLugModified(modified); }
  const char* Filter() override { return "Lug Evaluation files (*.lug)\0*.lug\0"; }
  const char* Extension() override { return "lug"; }
  void Write() override { WriteLugFile(); }
  void ReadFile(const std::string& path, LugInputs& data, UnitsSettings& units) override {
    ReadLugFileInto(path, data, units);
  }
  void StartNew() override {
    SetPath("");
    ResetLugInputs();
  }
  void ShowDocument() override { RefreshLugWindow(); }
  int AnalyzeCommand() override { return 40082; }
  // The Edit menu's item and the Ctrl+E accelerator.
  bool IsEditCommand(int commandId) override { return commandId == 40052 || commandId == 40083; }
  std::string InputRefusal(const LugInputs& data) override { return LugInputRefusal(data); }
  void Edit(HWND owner) override {
    if (EditLugEvaluation(owner)) OpenWindow();
  }
};

EvaluationTool& TheTool() {
  static LugTool tool;
  return tool;
}

}  // namespace

bool LugToolHoldsListFrame() { return TheTool().HoldsListFrame(); }
void NewLugEvaluationDocument(HWND owner) { TheTool().New(owner); }
bool OpenLugEvaluationFile(HWND owner, const std::string& path) { return TheTool().Open(owner, path); }
void CloseLugWindow() { TheTool().Close(); }
