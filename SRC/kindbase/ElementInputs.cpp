// The element routines' inputs and their checks; see ElementInputs.h.
#include "kindbase/ElementInputs.h"

#include <string>

#include "kindbase/LoadCaseKinds.h"
#include "model/Model.h"
#include "numeric/RunState.h"
#include "services/StartupSwitches.h"

namespace {

void Require(bool sound, int row, const char* reason) {
  if (!sound) ThrowRowError(row, reason);
}

// Moduli, area and inertia: every straight pipe and curved element divides by them.
void CheckSectionValues(const AnalysisElementInput& element) {
  const ElementCaseValues& v = element.values;
  Require(v.modulus > 0.0, element.row, "Modulus of elasticity must be greater than 0");
  Require(v.shearModulus > 0.0, element.row, "Shear modulus must be greater than 0");
  Require(v.area > 0.0, element.row, "Section area must be greater than 0");
  Require(v.inertia > 0.0, element.row, "Section moment of inertia must be greater than 0");
}

void CheckWall(const AnalysisElementInput& element) {
  const ElementCaseValues& v = element.values;
  Require(v.wallThickness > 0.0, element.row, "Wall thickness must be greater than 0");
  Require(v.outsideDiameter > 2.0 * v.wallThickness, element.row,
          "Wall thickness must be less than half the outside diameter");
}

}  // namespace

bool BourdonPressureInCase(const AnalysisOptions& options) {
  if (options.BourdonEffect == 0) return false;
  return BourdonSwitch ? CaseHasThermalLoads() : CaseHasSustainedLoads();
}

CaseLoadSet CurrentCaseLoadSet(const Model& model) {
  const AnalysisOptions& options = model.options;
  CaseLoadSet loads;
  loads.caseType = CurrentCaseType();
  loads.modal = CaseIsModal();
  loads.sustained = CaseHasSustainedLoads();
  loads.thermal = CaseHasThermalLoads();
  loads.pressure = BourdonPressureInCase(options);
  loads.coldSpring = CaseIncludesColdSpring();
  loads.referenceTemperature = options.ReferenceTemperature;
  loads.zVertical = options.ZVertical != 0;
  if (CaseSetSeismicDirections()) {
    const auto& g = model.seismic.g;
    loads.seismicG = {g_SeismicDirections.x != 0 ? g[0] : 0.0, g_SeismicDirections.y != 0 ? g[1] : 0.0,
                      g_SeismicDirections.z != 0 ? g[2] : 0.0};
    loads.seismic = loads.seismicG != Vector3d{};
  }
  return loads;
}

void CheckPipeElementValues(const AnalysisElementInput& element) {
  Require(element.values.length > 0.0, element.row, "Element length must be greater than 0");
  CheckSectionValues(element);
  const ElementType kind = element.kind;
  const bool stretches = kind == ElementType::Pipe || kind == ElementType::JacketedPipe ||
                         kind == ElementType::Reducer || kind == ElementType::CutPipe;
  if (stretches && element.loads.pressure) CheckWall(element);
}

void CheckBendElementValues(const AnalysisElementInput& element, double radius) {
  Require(radius > 0.0, element.row, "Bend radius must be greater than 0");
  CheckSectionValues(element);
  CheckWall(element);
}
