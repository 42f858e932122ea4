// The recovery of element end forces and its outputs; see EndForces.h.
#include "kindbase/EndForces.h"

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "kindbase/ElementAssembly.h"
#include "kindbase/GlobalSystem.h"
#include "model/Model.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"

ElementForceRun g_ElementForceRun;

namespace {

constexpr double kNegligibleForce = 1.0e-30;

bool IsPipeKind(ElementType kind) {
  const auto code = static_cast<int>(kind);
  return (code >= 3 && code <= 7) || code == 9;
}

double Length(double a, double b) { return std::sqrt(a * a + b * b); }

// Keeps the signed value of the larger size, or adds the square.
void Accumulate(int element, const Vector12d& record) {
  ElementForceRun& run = g_ElementForceRun;
  if (run.accumulation == ElementForceAccumulation::None) return;
  QV_ASSERT(element >= 0 && static_cast<std::size_t>(element) < run.accumulator.size());
  Vector12d& kept = run.accumulator[static_cast<std::size_t>(element)];
  for (int i = 0; i < 12; ++i) {
    if (run.accumulation == ElementForceAccumulation::Envelope) {
      if (std::fabs(record[i]) > std::fabs(kept[i])) kept[i] = record[i];
    } else {
      kept[i] += record[i] * record[i];
    }
  }
}

}  // namespace

std::array<float, 4> SusceptibilityValues(const ElementEndFrames& frames, const Vector12d& u, const Vector12d& F) {
  const Vector3d u1{u[0], u[1], u[2]}, u2{u[6], u[7], u[8]};
  double d1 = Length(Dot(frames.end1.y, u1), Dot(frames.end1.z, u1));
  const double a1 = std::fabs(Dot(frames.end1.x, u1));
  double d2 = Length(Dot(frames.end2.y, u2), Dot(frames.end2.z, u2));
  const double a2 = std::fabs(Dot(frames.end2.x, u2));
  double m1 = Length(F[4], F[5]), m2 = Length(F[10], F[11]);
  const double N1 = std::fabs(F[0]), N2 = std::fabs(F[6]);
  // In this order: a value is dropped beside its end's axial value, then
  // beside the other end's value as it stands.
  if (d1 < 1.0e-6 * a1) d1 = 0.0;
  if (d2 < 1.0e-6 * a2) d2 = 0.0;
  if (d1 < 1.0e-6 * d2) d1 = 0.0;
  if (d2 < 1.0e-6 * d1) d2 = 0.0;
  if (m1 < 1.0e-5 * N1) m1 = 0.0;
  if (m2 < 1.0e-5 * N2) m2 = 0.0;
  if (m1 < 1.0e-6 * m2) m1 = 0.0;
  if (m2 < 1.0e-6 * m1) m2 = 0.0;
  return {static_cast<float>(d1), static_cast<float>(m1), static_cast<float>(d2), static_cast<float>(m2)};
}

void OutputElementForces(int element, const AnalysisElementInput& input, const Vector12d& record,
                         const ElementEndFrames& frames) {
  ElementForceRun& run = g_ElementForceRun;
  if (run.susceptibility && IsPipeKind(input.kind)) {
    QV_ASSERT(run.susceptibilityFile != nullptr);
    const Model& model = TheModel();
    const Vector12d u = ElementDisplacements(ElementEquations(model, input.node1, input.node2));
    const std::array<float, 4> values = SusceptibilityValues(frames, u, record);
    BinaryFileWriteFloats(*run.susceptibilityFile, values.data(), values.size());
    return;
  }
  Accumulate(element, record);
  if (run.noWrite) return;
  if (run.modalForcesRow != nullptr) run.modalForcesRow(element, record);
  QV_ASSERT(g_ResultsFile != nullptr);
  std::array<float, 12> values;
  for (std::size_t i = 0; i < values.size(); ++i) {
    values[i] = std::fabs(record[i]) < kNegligibleForce ? 0.0f : static_cast<float>(record[i]);
    if (!FitsResultsFile(record[i]) && run.unfitElement == 0) run.unfitElement = element;
  }
  BinaryFileWriteFloats(*g_ResultsFile, values.data(), values.size());
}

bool FitsResultsFile(double value) {
  return std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max());  // false for NaN
}

Vector12d ElementForceRecord(const ElementForceBuild& build, const Vector12d& u) {
  const Vector12d Su = Multiply(build.stiffness, u);
  Vector12d record{};
  for (int i = 0; i < 12; ++i) record[i] = Su[i] - build.loads[i];
  for (int i = 0; i < 6; ++i) record[i] = -record[i];
  if (build.turnsEndTwo) TurnToNodeTwoFrame(record, build.frames.bendAngle);
  return record;
}

void TransformElementForces(int element, const AnalysisElementInput& input, const ElementForceBuild& build) {
  const LocationVector equations = ElementEquations(TheModel(), input.node1, input.node2);
  const Vector12d u = ToLocal12(build.frames.end1, ElementDisplacements(equations));
  OutputElementForces(element, input, ElementForceRecord(build, u), build.frames);
}
