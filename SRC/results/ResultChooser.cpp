// The result chooser list and its dialog; see ResultChooser.h.
#include "results/ResultChooser.h"

#include "codes/CodeStressDriver.h"
#include "evaluations/FlangeReport.h"
#include "results/AccelerationsTable.h"
#include "results/BranchConnectionTable.h"
#include "results/CodeComplianceTable.h"
#include "results/CodeStressResults.h"
#include "results/DynamicStresses.h"
#include "results/FrpStresses.h"
#include "results/ModalTables.h"
#include "results/OtherSelectors.h"
#include "results/ResultsMode.h"
#include "results/RotatingEquipmentReport.h"
#include "results/SoilRestraintsTable.h"
#include "results/SortedStressesTable.h"
#include "results/TimeHistoryTables.h"
#include "resultsfile/RadioChooser.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultsFile.h"
#include "services/LoadCaseTypes.h"
#include "services/Message.h"
#include "supports/HangerResults.h"
#include "supports/SupportKindList.h"
#include "supports/SupportLoadSummary.h"

namespace {

std::string& TemplateName() {
  static std::string name;
  return name;
}

}  // namespace

std::string ResultChooserTemplateName(int entries) {
  if (entries <= 3) return "RESULTS3_DIALOG";
  if (entries == 4) return "RESULTS4_DIALOG";
  for (int size : {6, 8, 10, 12, 14, 16})
    if (entries <= size) return "RESULTS" + std::to_string(size) + "_DIALOG";
  return "RESULTS18_DIALOG";
}

void BuildResultChooserList(const Model& /*model*/) {
  std::vector<ResultChooserEntry>& list = ResultChooserList();
  list.clear();
  SetResultsReopenCommand(nullptr);
  const bool cases = TheResultCases().count > 0;
  const bool staticAnalysis = ResultCaseOfType(kCaseIdStaticAnalysis) != 0;
  if ((TheResultCases().flags.codeStress || staticAnalysis) && SortedStressesOffered())
    list.push_back({"&Sorted stresses", OpenSortedStressesTable});
  // Without a piping code the results hold no category to comply with.
  if (TheResultCases().flags.codeStress && CodeStressesAvailable() && !TheCodeStresses().stressOnly)
    list.push_back({"&Code compliance", OpenCodeComplianceTable});
  if (TheResultCases().flags.branchConnection && BranchConnectionStressesOffered())
    list.push_back({"&Branch conn stresses", OpenBranchConnectionStressesTable});
  if (HangerReportOffered()) list.push_back({"&Hanger report", OpenHangerReport});
  if (FlangeReportAvailable()) list.push_back({"&Flange report", OpenFlangeReportTable});
  if (RotatingEquipmentReportAvailable()) list.push_back({"&Rot. equip report", OpenRotatingEquipmentReport});
  if (SoilRestraintsAvailable()) list.push_back({"&Soil restraints", OpenSoilRestraintsTable});
  if (SupportLoadSummaryAvailable()) list.push_back({"&Support load summary", OpenSupportLoadSummary});
  if (cases && !SupportKinds().empty()) list.push_back({"&Support loads", OpenSupportLoadsTable});
  if (cases && !ForceFamily().kinds.empty()) list.push_back({"&Element forces", OpenOtherForcesTable});
  if (FrpStressesOffered()) {
    list.push_back({"&FRP stresses", OpenFrpStressesTable});
    list.push_back({"&Sorted FRP stresses", OpenSortedFrpStressesTable});
  }
  if (cases) list.push_back({"&Displacements", OpenChosenDisplacementsTable});
  if (ResultModeCount() > 0) {
    list.push_back({"&Frequencies", OpenFrequenciesTable});
    list.push_back({"&Mode shapes", OpenModeShapeTable});
  }
  if (TheDynamicStresses().available) {
    list.push_back({"&Dynamic susceptibility", OpenDynamicSusceptibilityTable});
    list.push_back({"&Dynamic stresses", OpenDynamicStressesTable});
  }
  if (ResultCaseOfType(kCaseIdResponseSpectrum) != 0) list.push_back({"&Accelerations", OpenResponseAccelerationsTable});
  if (TimeHistoryAvailable()) list.push_back({"&Time history", SelectTimeHistoryResults});
  TemplateName() = ResultChooserTemplateName(static_cast<int>(list.size()));
}

void ChooseResultTable(HWND owner) {
  // A chooser posted before the results were left has nothing to offer.
  if (ResultsBatchMode() || !InResultsMode()) return;
  if (ResultChooserList().empty()) {
    // Results of a model analysed without a load case hold no table.
    ShowInfoMessage(owner, "The results hold no load case to show.\nChoose the load cases and analyze the model again.");
    return;
  }
  RadioChooserRequest request;
  request.templateName = TemplateName();
  for (const ResultChooserEntry& entry : ResultChooserList()) request.names.push_back(entry.name);
  request.current = CurrentResultIndex();
  const int chosen = RunRadioChooser(owner, request);
  if (chosen > 0) OpenResultByIndex(chosen);
}
