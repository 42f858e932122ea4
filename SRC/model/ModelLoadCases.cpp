// The load-case list rebuilt for what the model holds (see
// ModelLoadCases.h).
#include "model/ModelLoadCases.h"

#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Regenerate.h"
#include "model/RowObjects.h"
#include "records/Spectrum.h"
#include "records/StaticSeismic.h"
#include "records/Wind.h"
#include "services/TableWindowSupport.h"

namespace {

bool HasRowOf(const Model& model, ElementType element) {
  for (int number = 1; number <= model.rowCount; ++number)
    if (model.row(number).elementType == element) return true;
  return false;
}

bool HasRowOf(const Model& model, DataType data) {
  for (int number = 1; number <= model.rowCount; ++number)
    if (model.row(number).dataType == data) return true;
  return false;
}

bool HasSettlementSet(const Model& model) {
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (row.item != nullptr && row.item->HasSettlement()) return true;
  }
  return false;
}

}  // namespace

LoadCaseInputs LoadCaseInputsOf(const Model& model) {
  LoadCaseInputs in;
  in.pipingCode = model.options.PipingCode;
  in.thermalLoadCount = model.options.ThermalLoadCount;
  in.solveThermalCase = model.options.SolveThermalCase != 0;
  in.cutPipe = ModelHasCutPipe(model);
  in.settlement = CodeGroupF(model.options.PipingCode) && HasSettlementSet(model);
  in.hydrotest = HasRowOf(model, ElementType::HydrotestLoad);
  in.staticSeismic = HasStaticSeismicLoad(model.seismic);
  for (int k = 0; k < 4; ++k) in.wind[static_cast<std::size_t>(k)] = IsWindDefined(model.wind, k);
  in.responseSpectrum = HasResponseSpectrumLoad(model.spectrumLoad);
  in.forceSpectrum = HasRowOf(model, DataType::ForceSpectrumLoad);
  in.timeHistory = HasTimeHistoryLoads(model);
  in.harmonic = ModelHasHarmonicLoads(model);
  return in;
}

void BuildLoadCases(Model& model) {
  if (TableResultsShown()) return;
  RecountModelItems(model);
  RebuildLoadCases(model.loadCases, model.options.ThermalLoadCount, LoadCaseInputsOf(model));
}
