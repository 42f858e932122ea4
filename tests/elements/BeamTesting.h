// What the beam tests share: a model with one beam material "ST" (E 29.0e6
// psi, Nu 0.3, alpha 6.5e-6), the section "W14" of the AISC shape W 14X90
// (A 26.5, Imaj 999, Imin 362, J 4.06 in^4, depth 14.0, width 14.5 in) and
// the beam load "BL" (T1 the reference temperature, no additional weight,
// no wind), and the rows of a frame of beams.
#pragma once

#include <string>

#include "elements/BeamElement.h"
#include "model/Model.h"
#include "model/ModelBuilder.h"

namespace beam_testing {

constexpr double kE = 29.0e6, kNu = 0.3, kAlpha = 6.5e-6;
constexpr double kA = 26.5, kImaj = 999.0, kImin = 362.0, kJ = 4.06;

inline void StartBeamModel(Model& model, double density = 0.0, const std::string& path = {}) {
  InitEmptyModel(model, AnalysisOptions());
  model.options.PipingCode = 3;
  model.options.ReferenceTemperature = 70.0f;
  model.options.ThermalLoadCount = 1;
  BeamMaterial steel;
  steel.name = "ST";
  steel.description = "Structural steel";
  steel.E = static_cast<float>(kE);
  steel.nu = static_cast<float>(kNu);
  steel.density = static_cast<float>(density);
  steel.alpha = static_cast<float>(kAlpha);
  AppendBeamMaterial(model.beamMaterials, steel);
  BeamSection w14;
  w14.name = "W14";
  w14.description = "W 14X90";
  w14.A = static_cast<float>(kA);
  w14.Imaj = static_cast<float>(kImaj);
  w14.Imin = static_cast<float>(kImin);
  w14.J = static_cast<float>(kJ);
  w14.depth = 14.0f;
  w14.width = 14.5f;
  AppendBeamSection(model.beamSections, w14);
  BeamLoad load;
  InitBeamLoad(load, 70.0f);
  load.name = "BL";
  load.wind = 0;
  AppendBeamLoad(model.beamLoads, load);
  model.path = path;
}

inline int BeamRow(Model& model, NodeId node, float dx, float dy = 0.0f, float dz = 0.0f) {
  const int row = AddRow(model, node, ElementType::Beam, dx, dy, dz);
  model.row(row).material = "ST";
  model.row(row).section = "W14";
  model.row(row).load = "BL";
  return row;
}

inline int AnchoredFrom(Model& model, NodeId node) {
  const int row = AddRow(model, node, ElementType::From);
  model.row(row).material = "ST";
  model.row(row).section = "W14";
  model.row(row).load = "BL";
  PutItem(model, row, DataType::Anchor);
  return row;
}

inline Beam& BeamOf(Model& model, int row) { return static_cast<Beam&>(*model.row(row).element); }

}  // namespace beam_testing
