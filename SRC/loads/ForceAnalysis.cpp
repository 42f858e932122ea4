// The nodal force in the analysis: its six components at the row's node,
// in every case with sustained loads when it is added to "W+P" (AddedTo 0
// or 1), or in the cases that include its thermal state (AddedTo 2 .. 11
// for T1 .. T10, passed as the case number by the assembly).
#include "analysis/ElementAssembly.h"
#include "loads/Force.h"
#include "model/Model.h"

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
