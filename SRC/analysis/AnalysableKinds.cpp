// The check of what a run can analyse (see AnalysisDriver.h), before it
// starts: load cases and forces of temperatures out of use, supports whose
// friction coefficient is below 0, a dynamic case without a modal case
// before it, the dynamic options and the dynamic load rows.
#include <string>

#include "analysis/ModalResponse.h"
#include "loads/Force.h"
#include "model/Model.h"
#include "records/LoadCaseList.h"
#include "records/Spectrum.h"
#include "services/LoadCaseTypes.h"
#include "services/NameTables.h"
#include "services/NumberFormat.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"

namespace {

constexpr int kDynamicCases[] = {kCaseIdResponseSpectrum, kCaseIdTimeHistory, kCaseIdHarmonic, kCaseIdForceSpectrum};

// The options of the modal and response spectrum runs, as far as their
// dialogs bound them. A model file, an older model or an import may still
// bring a value outside (a cut-off of 0 Hz or below keeps no mode and
// fails with a misleading message, a negative spectrum factor lowers the
// missing mass): the model opens with it, and the run refuses it here.
void CheckDynamicOptions(const Model& model) {
  if (LoadCaseListHas(model.loadCases, kCaseIdModal)) {
    const AnalysisOptions& options = model.options;
    if (options.CutOffFrequency < 1)
      throw CFormat("The cut off frequency of the modal analysis, %d Hz, must be at least 1 Hz.",
                    options.CutOffFrequency);
    if (options.ModeCount < 1)
      throw CFormat("The number of modes of the modal analysis, %d, must be at least 1.", options.ModeCount);
  }
  if (!LoadCaseListHas(model.loadCases, kCaseIdResponseSpectrum)) return;
  const SpectrumLoad& load = model.spectrumLoad;
  static const char* const kAxes[3] = {"X", "Y", "Z"};
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const float factor = load.factor[axis];
    if (!load.name[axis].empty() && !(factor >= 0.0f))
      throw CFormat("The %s spectrum factor of the response spectrum analysis, %g, must be 0 or more.", kAxes[axis],
                    static_cast<double>(factor));
  }
  if (load.modeSum < kSumAbsolute || load.modeSum > kSumNrl)
    throw CFormat("The mode sum of the response spectrum analysis, code %d, must be Absolute, SRSS, Closely spaced "
                  "or NRL.",
                  load.modeSum);
  if (load.directionSum != kSumAbsolute && load.directionSum != kSumSrss)
    throw CFormat("The direction sum of the response spectrum analysis, code %d, must be Absolute or SRSS.",
                  load.directionSum);
}

// The friction coefficient of a guide or a limit stop, as their dialogs and
// the imports bound it: below 0 the friction would push the pipe along its
// movement (one such support runs to a result with that push in it, two
// leave the stiffness matrix indefinite). A model file may still bring
// one, saved after an import by an older version: the model opens with it,
// and the run refuses it here.
void CheckSupportFriction(const Model& model, int* refusedRow) {
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& layout = model.row(row);
    float friction = 0.0f;
    if (const auto* guide = dynamic_cast<const Guide*>(layout.item.get()))
      friction = guide->frictionCoefficient;
    else if (const auto* stop = dynamic_cast<const LimitStop*>(layout.item.get()))
      friction = stop->frictionCoefficient;
    if (friction >= 0.0f) continue;
    if (refusedRow != nullptr) *refusedRow = row;
    throw CFormat("Row %d: %s: the friction coefficient, %g, must be 0 or more.", row,
                  DataTypeName(static_cast<int>(layout.dataType)), static_cast<double>(friction));
  }
}

}  // namespace

void CheckModelAnalysable(const Model& model, int* refusedRow) {
  if (std::string refusal = LoadCasesBeyondThermalCountRefusal(model.loadCases, model.options.ThermalLoadCount);
      !refusal.empty())
    throw refusal;
  CheckForcesAddedToTemperaturesInUse(model, refusedRow);
  CheckSupportFriction(model, refusedRow);
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
    if (type == kCaseIdModal) modalBefore = true;
  }
  CheckDynamicOptions(model);
  CheckDynamicLoadRows(model, refusedRow);
}
