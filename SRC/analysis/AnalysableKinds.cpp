// The check of what a run can analyse today (see AnalysisDriver.h): every
// element and data kind is analysed; the load cases whose runs are not
// built are refused as a whole, because running the model without them
// would give plainly wrong results.
#include <string>

#include "analysis/AnalysisDriver.h"
#include "loads/Force.h"
#include "model/LayoutTable.h"
#include "model/Model.h"
#include "shell/NameTables.h"
#include "shell/NumberFormat.h"
#include "shell/StandIn.h"

namespace {

constexpr int kDynamicCases[] = {30, 31, 35, 36, 37};
constexpr int kStaticSeismic = 12;

[[noreturn]] void RefuseCase(int type) {
  STAND_IN("the modal, response spectrum, force spectrum, time history, harmonic and static seismic runs");
  throw std::string("The load case \"") + LoadCaseTitle(type) +
        "\" cannot be analysed yet.\nRemove it from the load cases to analyze this model.";
}

}  // namespace

void CheckModelAnalysable(const Model& model, int* refusedRow) {
  CheckForcesAddedToTemperaturesInUse(model, refusedRow);
  for (int entry = 1; entry <= model.loadCases.count; ++entry) {
    const int type = model.loadCases.cases[static_cast<std::size_t>(entry)];
    if (type == kStaticSeismic) RefuseCase(type);
    for (int dynamic : kDynamicCases)
      if (type == dynamic) RefuseCase(type);
  }
}
