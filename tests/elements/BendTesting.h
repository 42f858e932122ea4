// What the bend tests share: the 8-inch standard-wall section of the
// stiffness and load tests (with its curved-beam reference), a small model
// with one long-radius bend, and the bend the list, dialog and screen tests
// put on the List window fixture's model.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "elements/Bend.h"
#include "elements/BendStiffness.h"
#include "elements/CurvedBeamIntegration.h"
#include "model/MakeModel.h"
#include "model/ModelBuilder.h"
#include "model/RowOperations.h"

// The message text `action` throws; empty when it throws none.
template <typename Action>
std::string Thrown(Action action) {
  try {
    action();
  } catch (const std::string& message) {
    return message;
  }
  return {};
}

// An 8-inch standard-wall bend of 12-inch radius in carbon steel.
inline BendSectionValues EightInchBend(double degrees, double k, double shearFactor) {
  const double od = 8.625, id = od - 2.0 * 0.322, pi = std::numbers::pi;
  BendSectionValues s;
  s.radius = 12.0;
  s.angle = degrees * pi / 180.0;
  s.modulus = 27.9e6;
  s.shearModulus = 27.9e6 / 2.6;
  s.area = pi / 4.0 * (od * od - id * id);
  s.inertia = pi / 64.0 * (std::pow(od, 4) - std::pow(id, 4));  // 72.48924
  s.shearFactor = shearFactor;
  s.flexibilityFactor = k;
  return s;
}

// An element matrix is symmetric and gives no forces under the six
// rigid-body motions of its two nodes (node 2 at `arm` from node 1).
inline void ExpectSymmetricAndFreeOfRigidBodyForces(const Matrix12d& K, const Vector3d& arm) {
  double largest = 0.0;
  for (const auto& row : K)
    for (double value : row) largest = std::max(largest, std::fabs(value));
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 12; ++j) EXPECT_NEAR(K[i][j], K[j][i], 1.0e-12 * largest);
  for (int mode = 0; mode < 6; ++mode) {
    Vector12d u{};
    Vector3d turn{};
    if (mode < 3) u[mode] = u[6 + mode] = 1.0;  // translation
    else turn[mode - 3] = 1.0e-3;              // rotation about node 1: node 2 moves r x arm
    const Vector3d moved = Cross(turn, arm);
    for (int i = 0; i < 3; ++i) {
      u[3 + i] = u[9 + i] = turn[i];
      u[6 + i] += moved[i];
    }
    for (double force : Multiply(K, u)) EXPECT_NEAR(force, 0.0, 1.0e-9 * largest) << "mode " << mode;
  }
}

// The integrated reference of a section.
inline curved::Section Reference(const BendSectionValues& s) {
  return {s.radius, s.angle, s.modulus, s.shearModulus, s.area, s.inertia, s.shearFactor, s.flexibilityFactor};
}

// From 10, Pipe 20 (+24 X, section S4), Bend 30 (+24 X), Pipe 40 (+24 Y):
// a 90 degree long-radius bend of the 4.5-inch section; made.
inline Bend& BuildOneBendModel(Model& model) {
  InitEmptyModel(model, AnalysisOptions());
  AddTestProperties(model);
  AddRow(model, 10, ElementType::From);
  AddRow(model, 20, ElementType::Pipe, 24.0f);
  model.row(2).section = "S4";
  AddRow(model, 30, ElementType::Bend, 24.0f);
  AddRow(model, 40, ElementType::Pipe, 0.0f, 24.0f);
  MakeModel(model);
  return static_cast<Bend&>(*model.row(3).element);
}

// On the List window fixture's model: row 3 a bend at node 30 turning up
// toward node 40, with a wall, material, factor, two SIFs and one
// intermediate node (35 at 0.5 rad); made, not modified.
inline Bend& PutFixtureBend(Model& model) {
  SetElementType(model, 3, ElementType::Bend);
  auto& bend = static_cast<Bend&>(*model.row(3).element);
  bend.thickness = 0.25f;
  bend.material = "CS";
  bend.inPlaneSif = 1.5f;
  bend.outPlaneSif = 1.75f;
  bend.axialSif = 1.25f;
  bend.intermediateNode1 = 35;
  bend.angle1 = 0.5f;
  model.row(4).dx = 0.0f;
  model.row(4).dy = 12.0f;
  MakeModel(model);
  model.modified = false;
  return bend;
}
