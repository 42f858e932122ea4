// The load-case choosers; see LoadCaseChooser.h.
#include "results/LoadCaseChooser.h"

#include "resultsfile/RadioChooser.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "services/NameTables.h"
#include "services/TableWindow.h"

std::string LoadCaseChooserTemplateName(int cases) {
  if (cases <= 3) return "RESULT_LOAD_CASES3_DIALOG";
  for (int size : {4, 5, 6, 8, 10, 12, 14, 16, 18, 20, 22})
    if (cases <= size) return "RESULT_LOAD_CASES" + std::to_string(size) + "_DIALOG";
  return "RESULT_LOAD_CASES110_DIALOG";
}

// The templates of the branch chooser cover 2 to 6 cases; more (up to ten
// occur) take the general templates, so every case has its radio.
std::string BranchLoadCaseChooserTemplateName(int cases) {
  if (cases <= 2) return "RESULT_LOAD_CASES2_DIALOG";
  return LoadCaseChooserTemplateName(cases);
}

void LoadCaseChooserClientSize(int cases, int& width, int& height) {
  width = height = 0;
  if (cases <= 22) return;
  height = 335;
  width = cases > 88 ? 460 : cases > 66 ? 370 : cases > 44 ? 280 : 190;
}

void ChooseResultLoadCases(HWND owner) {
  const ResultCaseTable& table = TheResultCases();
  RadioChooserRequest request;
  request.templateName = LoadCaseChooserTemplateName(table.count);
  for (int k = 1; k <= table.count; ++k) request.names.push_back(LoadCaseTitle(table.cases[static_cast<std::size_t>(k)].type));
  request.current = g_ResultCase;
  LoadCaseChooserClientSize(table.count, request.clientWidth, request.clientHeight);
  const int chosen = RunRadioChooser(owner, request);
  if (chosen == 0) return;
  g_ResultCase = chosen;
  if (ResultTableWindow* shown = ShownResultTable()) shown->Reload();
}

int ChooseBranchStressLoadCases(HWND owner, const std::vector<int>& cases, int current) {
  if (cases.size() < 2) return 0;
  RadioChooserRequest request;
  request.templateName = BranchLoadCaseChooserTemplateName(static_cast<int>(cases.size()));
  for (int type : cases) request.names.push_back(LoadCaseTitle(type));
  request.current = current;
  const int chosen = RunRadioChooser(owner, request);
  return chosen != 0 && chosen != current ? chosen : 0;
}
