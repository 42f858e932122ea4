// The check of what a run can analyse today (see AnalysisDriver.h): every
// element and data kind is analysed; the load cases whose runs are not
// built are refused as a whole, because running the model without them
// would give plainly wrong results.
#include <string>

#include "analysis/AnalysisDriver.h"
#include "loads/Force.h"
#include "model/LayoutTable.h"
#include "model/ModelGeometry.h"
#include "supports/Anchor.h"
#include "model/Model.h"
#include "shell/NameTables.h"
#include "shell/NumberFormat.h"
#include "shell/StandIn.h"

namespace {

constexpr int kModal = 30;
constexpr int kResponseSpectrum = 31;
constexpr int kDynamicCases[] = {31, 35, 36, 37};

[[noreturn]] void RefuseCase(int type) {
  STAND_IN("the force spectrum, time history and harmonic runs");
  throw std::string("The load case \"") + LoadCaseTitle(type) +
        "\" cannot be analysed yet.\nRemove it from the load cases to analyze this model.";
}

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
      if (type != kResponseSpectrum) RefuseCase(type);
    }
    if (type == kModal) modalBefore = true;
  }
}
