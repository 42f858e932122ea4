// The flange pair in the analysis: its weight at the row's node, W times
// the g-factor of each flagged direction in the static seismic cases, and
// its mass W / g on the three translations in the modal case.
#include "elements/Flange.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/LoadCaseKinds.h"
#include "model/Model.h"

namespace {

constexpr double kGravity = 386.4;  // inch per second squared

}  // namespace

void Flange::AddLoads(int rowNumber) {
  const Model& model = TheModel();
  const bool zVertical = model.options.ZVertical != 0;
  AddNodeLoads(model, model.row(rowNumber).endNode,
               zVertical ? Vector3d{0.0, 0.0, -weight} : Vector3d{0.0, -weight, 0.0}, {});
}

void Flange::AddInertiaLoads(int rowNumber) {
  const Model& model = TheModel();
  const auto& g = model.seismic.g;
  const Vector3d force{g_SeismicDirections.x != 0 ? g[0] * weight : 0.0, g_SeismicDirections.y != 0 ? g[1] * weight : 0.0,
                       g_SeismicDirections.z != 0 ? g[2] * weight : 0.0};
  AddNodeLoads(model, model.row(rowNumber).endNode, force, {});
}

void Flange::AddMasses(int rowNumber) {
  const Model& model = TheModel();
  AddNodeTranslationMass(model, model.row(rowNumber).endNode, weight / kGravity);
}
