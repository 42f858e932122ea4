// The nozzle in the analysis (see Nozzle.h): a 6 x 6 spring at the node,
// flexible along the nozzle axis (Ka) and in the two bendings (Kc about c,
// Kl about l), rigid (1.0e12) across the axis and in torsion. The vessel's
// movements (the specified displacements, always global, rotations held in
// degrees as the file holds them) load the node through the same spring, so
// the vessel point moves by them and drags the pipe; the loads are the
// spring's response to the node's movement relative to the vessel's.
#include <array>
#include <cmath>
#include <string>

#include "kindbase/GlobalSystem.h"
#include "kindbase/LoadCaseKinds.h"
#include "model/Model.h"
#include "services/NumberFormat.h"
#include "supports/Nozzle.h"

namespace {

using Vector6 = std::array<double, 6>;
using Matrix6 = std::array<std::array<double, 6>, 6>;

constexpr double kRigid = 1.0e12;
constexpr double kRadiansPerDegree = 0.017453292519943295;

bool SlotTakesPart(const Nozzle& nozzle, int slot) {
  if (nozzle.displacements.flags[static_cast<std::size_t>(slot)] == 0) return false;
  if (slot < 10) return CaseIncludesTk(slot + 1);
  if (slot == kSeismicSlot) return CaseIsSeismicDisplacement();
  return CaseIsSettlement();
}

// The sum of the sets that take part in the current case: inch and radian.
Vector6 VesselMovement(const Nozzle& nozzle) {
  Vector6 d{};
  if (!nozzle.displacements.sets) return d;
  const auto& values = nozzle.displacements.sets->values;
  for (int slot = 0; slot < kDisplacementSlots; ++slot) {
    if (!SlotTakesPart(nozzle, slot)) continue;
    for (int i = 0; i < 6; ++i) {
      const double value = values[static_cast<std::size_t>(6 * slot + i + 1)];
      d[static_cast<std::size_t>(i)] += i < 3 ? value : value * kRadiansPerDegree;
    }
  }
  return d;
}

bool AnyMovement(const Nozzle& nozzle) {
  for (int slot = 0; slot < kDisplacementSlots; ++slot)
    if (SlotTakesPart(nozzle, slot)) return true;
  return false;
}

// K_t = Ka a aT + R (l lT + c cT), K_r = Kl l lT + Kc c cT + R a aT.
Matrix6 NozzleMatrix(const Nozzle& nozzle) {
  Block3 translation = DyadicBlock(nozzle.axisA, nozzle.axialStiffness);
  AddBlock(translation, DyadicBlock(nozzle.axisL, kRigid));
  AddBlock(translation, DyadicBlock(nozzle.axisC, kRigid));
  Block3 rotation = DyadicBlock(nozzle.axisL, nozzle.longitudinalStiffness);
  AddBlock(rotation, DyadicBlock(nozzle.axisC, nozzle.circumferentialStiffness));
  AddBlock(rotation, DyadicBlock(nozzle.axisA, kRigid));
  Matrix6 K{};
  for (std::size_t i = 0; i < 3; ++i)
    for (std::size_t j = 0; j < 3; ++j) {
      K[i][j] = translation[i][j];
      K[3 + i][3 + j] = rotation[i][j];
    }
  return K;
}

Vector6 Multiply(const Matrix6& K, const Vector6& v) {
  Vector6 result{};
  for (std::size_t i = 0; i < 6; ++i)
    for (std::size_t j = 0; j < 6; ++j) result[i] += K[i][j] * v[j];
  return result;
}

}  // namespace

// A nozzle kept from a file or a batch line whose geometry gave no spring
// would leave the pipe free at the vessel in that direction: refused.
void Nozzle::PrepareForRun(int rowNumber) {
  const Model& model = TheModel();
  if (!(axialStiffness > 0.0f) || !(circumferentialStiffness > 0.0f) || !(longitudinalStiffness > 0.0f))
    throw CFormat("Row %d: the nozzle at node %s has no stiffness; enter its vessel again in its dialog", rowNumber,
                  SupportNodeText(model, model.row(rowNumber).endNode).c_str());
  NozzleAxes(*this, rowNumber);
}

void Nozzle::AddStiffness(int rowNumber) {
  const Model& model = TheModel();
  const LocationVector vector = NodeLocationVector(model.nodes, model.row(rowNumber).endNode);
  if (vector.equation[0] == 0) return;
  const Matrix6 K = NozzleMatrix(*this);
  ElementMatrixPacked packed;  // cleared whole
  packed.n = 6;
  for (int i = 1; i <= 6; ++i)
    for (int j = i; j <= 6; ++j) packed.value[static_cast<std::size_t>(PackedIndex(6, i, j))] = K[i - 1][j - 1];
  AddSupportMatrix(packed, vector);
  if (!AnyMovement(*this)) return;
  const Vector6 load = Multiply(K, VesselMovement(*this));
  for (std::size_t i = 0; i < 6; ++i) AddLoadTerm(vector.equation[i], load[i]);
}

void Nozzle::ComputeSupportLoads(int rowNumber) {
  const Model& model = TheModel();
  const LocationVector vector = NodeLocationVector(model.nodes, model.row(rowNumber).endNode);
  if (vector.equation[0] == 0) {
    KeepAndWriteSupportLoads({});
    return;
  }
  const Vector6 moved = VesselMovement(*this);
  Direction3 dt{}, dr{};
  for (std::size_t i = 0; i < 6; ++i) {
    double value = SolvedValue(vector.equation[i]) - moved[i];
    if (std::fabs(value) < 1.0e-30) value = 0.0;
    (i < 3 ? dt[i] : dr[i - 3]) = value;
  }
  const std::array<float, 6> loads{
      static_cast<float>(axialStiffness * Dot3(axisA, dt)),
      static_cast<float>(kRigid * Dot3(axisC, dt)),
      static_cast<float>(kRigid * Dot3(axisL, dt)),
      static_cast<float>(kRigid * Dot3(axisA, dr)),
      static_cast<float>(circumferentialStiffness * Dot3(axisC, dr)),
      static_cast<float>(longitudinalStiffness * Dot3(axisL, dr))};
  KeepAndWriteSupportLoads(loads);
}
