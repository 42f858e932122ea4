// The check of what a run can analyse today (see AnalysisDriver.h): every
// element and data kind is analysed; the load cases whose runs are not
// built are refused as a whole, because running the model without them
// would give plainly wrong results.
#include <string>

#include "analysis/AnalysisDriver.h"
#include "analysis/ModalResponse.h"
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

// The anchors' seismic movements join the seismic and spectrum cases of
// these codes through a step of their own that later work builds; leaving
// them out would understate the seismic results.
void RefuseSeismicAnchorMovements(const Model& model) {
  STAND_IN("the seismic anchor movement step");
  for (int row = 1; row <= model.rowCount; ++row) {
    const auto* anchor = dynamic_cast<const Anchor*>(model.row(row).item.get());
    if (anchor != nullptr && anchor->displacements.flags[static_cast<std::size_t>(kSeismicSlot)] != 0)
      throw CFormat("Row %d: seismic anchor movements cannot be analysed yet", row);
  }
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
    }
    if (type == kModal) modalBefore = true;
    if ((type == 12 || type == kResponseSpectrum) && CodeGroupG(model.options.PipingCode)) RefuseSeismicAnchorMovements(model);
  }
  CheckDynamicLoadRows(model, refusedRow);
}
