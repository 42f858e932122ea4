// What the bend tests share: the 8-inch standard-wall section of the
// stiffness and load tests (with its curved-beam reference), a small model
// with one long-radius bend, and the bend the list, dialog and screen tests
// put on the List window fixture's model.
#pragma once

#include <cmath>
#include <numbers>

#include "elements/Bend.h"
#include "elements/BendStiffness.h"
#include "model/MakeModel.h"
#include "model/ModelBuilder.h"
#include "model/RowOperations.h"

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
