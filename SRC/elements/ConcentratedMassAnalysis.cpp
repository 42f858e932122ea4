// The concentrated mass in the analysis: its weight W acts at its centre of
// gravity, offset (dx, dy, dz) from the row's node, so the node takes the
// force and its moment r x F; the static seismic cases add W times the
// g-factor of each flagged direction the same way, and the modal case its
// mass W / g on the three translations.
#include "elements/ConcentratedMass.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/LoadCaseKinds.h"
#include "model/Model.h"

namespace {

constexpr double kGravity = 386.4;  // inch per second squared

void AddForceAtOffset(const ConcentratedMass& mass, int rowNumber, const Vector3d& force) {
  const Model& model = TheModel();
  const Vector3d moment = Cross({mass.dx, mass.dy, mass.dz}, force);
  AddNodeLoads(model, model.row(rowNumber).endNode, force, moment);
}

}  // namespace

void ConcentratedMass::AddLoads(int rowNumber) {
  const bool zVertical = TheModel().options.ZVertical != 0;
  AddForceAtOffset(*this, rowNumber, zVertical ? Vector3d{0.0, 0.0, -weight} : Vector3d{0.0, -weight, 0.0});
}

void ConcentratedMass::AddInertiaLoads(int rowNumber) {
  const auto& g = TheModel().seismic.g;
  const Vector3d force{g_SeismicDirections.x != 0 ? g[0] * weight : 0.0, g_SeismicDirections.y != 0 ? g[1] * weight : 0.0,
                       g_SeismicDirections.z != 0 ? g[2] * weight : 0.0};
  AddForceAtOffset(*this, rowNumber, force);
}

void ConcentratedMass::AddMasses(int rowNumber) {
  const Model& model = TheModel();
  AddNodeTranslationMass(model, model.row(rowNumber).endNode, weight / kGravity);
}
