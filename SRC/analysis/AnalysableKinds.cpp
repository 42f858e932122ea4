// The check of what a run can analyse (see AnalysisDriver.h), before it
// starts: forces added to temperatures out of use, a dynamic case without a
// modal case before it, and the dynamic load rows.
#include <string>

#include "analysis/ModalResponse.h"
#include "loads/Force.h"
#include "model/Model.h"
#include "services/NameTables.h"

namespace {

constexpr int kModal = 30;
constexpr int kDynamicCases[] = {31, 35, 36, 37};

}  // namespace

void CheckModelAnalysable(const Model& model, int* refusedRow) {
  CheckForcesAddedToTemperaturesInUse(model, refusedRow);
  bool modalBefore = false;
  for (int entry = 1; entry <= model.loadCases.count; ++entry) {
    const int type = model.loadCases.cases[static_cast<std::size_t>(entry)];
    for (int dynamic : kDynamicCases) {
      if (type != dynamic) continue;
      // A dynamic run scales the modes of an earlier modal case: without
      // one it would have nothing to scale.
      if (!modalBefore)
        throw std::string("The load case \"") + LoadCaseTitle(type) +
              "\" needs a \"Modal analysis\" case before it in the load cases.";
    }
    if (type == kModal) modalBefore = true;
  }
  CheckDynamicLoadRows(model, refusedRow);
}
