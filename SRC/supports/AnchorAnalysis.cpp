// The anchor in the analysis: six uncoupled springs to the ground at the
// row's node, in global axes or in the pipe's local axes T (rows x, y, z).
// A rigid direction is a spring of 1.0e12, so a specified displacement d is
// imposed by the load K d on the same spring (penalty method) and the load
// on the anchor is K (u - d). The sets hold their rotations in degrees, as
// the model file does, while the system's rotations are radians (and the
// rotational springs inch-pound per radian): d is turned to radians here,
// where it meets the system, and nowhere else.
//
// In pipe axes the spring matrix is T^T diag(k) T per 3 x 3 block
// (translations with kx, ky, kz, rotations with krx, kry, krz) and nothing
// couples a translation with a rotation. The releases for hanger selection
// act only in global axes and only in the hanger-selection steps (types 20
// and 22). Local axes are computed only where they are used: a global
// anchor needs them only for displacements given in pipe axes.
#include <array>
#include <cmath>

#include "kindbase/GlobalSystem.h"
#include "kindbase/LoadCaseKinds.h"
#include "model/Model.h"
#include "services/LoadCaseTypes.h"
#include "supports/Anchor.h"

namespace {

using Vector6 = std::array<double, 6>;
using Matrix6 = std::array<std::array<double, 6>, 6>;

constexpr double kRadiansPerDegree = 0.017453292519943295;

// Whether specified-displacement slot k (0 T1 .. 9 T10, 10 Seismic, 11
// Settlement) applies in the current step.
bool SlotTakesPart(const Anchor& anchor, int slot) {
  if (anchor.displacements.flags[static_cast<std::size_t>(slot)] == 0) return false;
  if (slot < 10) return CaseIncludesTk(slot + 1);
  if (slot == kSeismicSlot) return CaseIsSeismicDisplacement();
  return CaseIsSettlement();
}

bool AnySlotTakesPart(const Anchor& anchor) {
  for (int slot = 0; slot < kDisplacementSlots; ++slot)
    if (SlotTakesPart(anchor, slot)) return true;
  return false;
}

// Global component a of the local triple (p, q, r): T[0][a] p + T[1][a] q + T[2][a] r.
void LocalToGlobal(const AxisRows& T, const double local[3], double global[3]) {
  for (int a = 0; a < 3; ++a)
    global[a] = T[0][a] * local[0] + T[1][a] * local[1] + T[2][a] * local[2];
}

// The sum of the displacements of every slot that takes part, in global
// axes: inch and radian.
Vector6 ImposedDisplacement(const Anchor& anchor) {
  Vector6 d{};
  if (!anchor.displacements.sets) return d;
  const auto& values = anchor.displacements.sets->values;
  for (int slot = 0; slot < kDisplacementSlots; ++slot) {
    if (!SlotTakesPart(anchor, slot)) continue;
    double row[6];
    for (int i = 0; i < 6; ++i) row[i] = values[static_cast<std::size_t>(6 * slot + i + 1)];
    for (int i = 3; i < 6; ++i) row[i] *= kRadiansPerDegree;
    if (anchor.DisplacementsInPipeLcs != 0) {
      double global[6];
      LocalToGlobal(anchor.localAxes, row, global);
      LocalToGlobal(anchor.localAxes, row + 3, global + 3);
      for (int i = 0; i < 6; ++i) row[i] = global[i];
    }
    for (int i = 0; i < 6; ++i) d[static_cast<std::size_t>(i)] += row[i];
  }
  return d;
}

// The springs as a full 6 x 6 matrix in global axes.
Matrix6 AnchorSpringMatrix(const Anchor& anchor, bool applyReleases) {
  Matrix6 K{};
  const auto& k = anchor.stiffness;
  if (anchor.AnchorInPipeLcs == 0) {
    for (std::size_t i = 0; i < 6; ++i) K[i][i] = applyReleases && anchor.releases[i] != 0 ? 0.0 : k[i];
    return K;
  }
  const AxisRows& T = anchor.localAxes;
  for (int block = 0; block < 2; ++block)
    for (int a = 0; a < 3; ++a)
      for (int b = 0; b < 3; ++b) {
        double term = 0.0;
        for (int i = 0; i < 3; ++i) term += static_cast<double>(T[i][a]) * T[i][b] * k[static_cast<std::size_t>(3 * block + i)];
        K[static_cast<std::size_t>(3 * block + a)][static_cast<std::size_t>(3 * block + b)] = term;
      }
  return K;
}

Vector6 Multiply(const Matrix6& K, const Vector6& v) {
  Vector6 result{};
  for (std::size_t i = 0; i < 6; ++i)
    for (std::size_t j = 0; j < 6; ++j) result[i] += K[i][j] * v[j];
  return result;
}

bool NeedsLocalAxes(const Anchor& anchor) {
  return anchor.AnchorInPipeLcs != 0 || (anchor.DisplacementsInPipeLcs != 0 && AnySlotTakesPart(anchor));
}

}  // namespace

void Anchor::AddStiffness(int rowNumber) {
  const Model& model = TheModel();
  const LocationVector vector = NodeLocationVector(model.nodes, model.row(rowNumber).endNode);
  if (vector.equation[0] == 0) return;
  if (NeedsLocalAxes(*this)) AnchorLocalAxes(*this, rowNumber);
  const int type = CurrentCaseType();
  const bool hangerSelection = type == kCaseIdHangerLoads || type == kCaseIdRecalculatingHangerLoads;
  const Matrix6 K = AnchorSpringMatrix(*this, hangerSelection);
  ElementMatrixPacked packed;  // cleared whole
  packed.n = 6;
  for (int i = 1; i <= 6; ++i)
    for (int j = i; j <= 6; ++j) packed.value[static_cast<std::size_t>(PackedIndex(6, i, j))] = K[i - 1][j - 1];
  AddSupportMatrix(packed, vector);
  if (!AnySlotTakesPart(*this)) return;
  // The imposed loads use the stored springs, also in a hanger-selection step.
  const Vector6 load = Multiply(AnchorSpringMatrix(*this, false), ImposedDisplacement(*this));
  for (std::size_t i = 0; i < 6; ++i) AddLoadTerm(vector.equation[i], load[i]);
}

// An anchor whose node is outside the analysis model still writes its six
// (zero) loads: the readers take six values per anchor in row order.
void Anchor::ComputeSupportLoads(int rowNumber) {
  const Model& model = TheModel();
  const LocationVector vector = NodeLocationVector(model.nodes, model.row(rowNumber).endNode);
  if (vector.equation[0] == 0) {
    KeepAndWriteSupportLoads({});
    return;
  }
  if (NeedsLocalAxes(*this)) AnchorLocalAxes(*this, rowNumber);
  Vector6 u{};
  for (std::size_t i = 0; i < 6; ++i) u[i] = SolvedValue(vector.equation[i]);
  const Vector6 d = ImposedDisplacement(*this);
  for (std::size_t i = 0; i < 6; ++i) {
    u[i] -= d[i];
    if (std::fabs(u[i]) < 1.0e-30) u[i] = 0.0;
  }
  const Vector6 force = Multiply(AnchorSpringMatrix(*this, false), u);
  std::array<float, 6> loads{};
  for (std::size_t i = 0; i < 6; ++i) loads[i] = static_cast<float>(force[i]);
  KeepAndWriteSupportLoads(loads);
}
