// The nodal force in the analysis: its six components at the row's node,
// in every case with sustained loads when it is added to "W+P" (AddedTo 0
// or 1), or in the cases that include its thermal state (AddedTo 2 .. 11
// for T1 .. T10, passed as the case number by the assembly).
//
// A force added to a temperature that the model does not use would act in
// no case at all; the run refuses it rather than drop it unseen.
#include "kindbase/ElementAssembly.h"
#include "loads/Force.h"
#include "model/Model.h"
#include "services/NumberFormat.h"

namespace {

void AddComponents(const NodalForce& force, int rowNumber) {
  const Model& model = TheModel();
  AddNodeLoads(model, model.row(rowNumber).endNode, {force.FX, force.FY, force.FZ}, {force.MX, force.MY, force.MZ});
}

}  // namespace

void NodalForce::AddLoads(int rowNumber) {
  if (AddedTo < 2) AddComponents(*this, rowNumber);
}

void NodalForce::AddCaseLoads(int rowNumber, int loadCase) {
  if (AddedTo == loadCase) AddComponents(*this, rowNumber);
}

int TemperaturesInUse(const Model& model) {
  const int count = model.options.ThermalLoadCount;
  return count >= 4 ? 10 : count < 1 ? 1 : count;
}

void CheckForcesAddedToTemperaturesInUse(const Model& model, int* refusedRow) {
  const int temperatures = TemperaturesInUse(model);
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& layout = model.row(row);
    if (layout.dataType != DataType::Force || !layout.item) continue;
    const auto& force = static_cast<const NodalForce&>(*layout.item);
    if (force.AddedTo - 1 <= temperatures) continue;
    if (refusedRow != nullptr) *refusedRow = row;
    throw CFormat("Row %d: Force is added to %s, but the model uses %s.\nAdd it to one of those or to W+P.", row,
                  AddedToText(force.AddedTo).c_str(), temperatures == 1 ? "T1 only" : CFormat("T1 to T%d", temperatures).c_str());
  }
}
