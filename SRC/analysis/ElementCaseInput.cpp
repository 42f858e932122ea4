// The element input record of a step; see ElementCaseInput.h.
#include "analysis/ElementCaseInput.h"

#include "analysis/BranchFlexibilities.h"
#include "elements/DerivedElementData.h"
#include "elements/SlipJoint.h"
#include "kindbase/LoadCaseKinds.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"

std::array<bool, 4> StepWindLoads(const Model& model) {
  std::array<bool, 4> carried = {CaseIncludesWind1(), CaseIsWind2(), CaseIsWind3(), CaseIsWind4()};
  for (int k = 0; k < 4; ++k)
    if (!IsWindDefined(model.wind, k)) carried[static_cast<std::size_t>(k)] = false;
  return carried;
}

namespace {

// The section and material values of a pipe-kind element in the case.
void FillPipeCaseValues(const Model& model, const AnalysisElement& element, int index, const CaseLoadSet& loads,
                        AnalysisElementInput& input) {
  const DerivedElementData d = ComputeRowDerivedData(model, element, loads.caseType);
  ElementCaseValues& v = input.values;
  v.length = d.length;
  v.outsideDiameter = d.outsideDiameter;
  v.wallThickness = d.wallThickness;
  v.area = d.area;
  v.inertia = d.inertia;
  v.shearFactor = d.shearFormFactor;
  v.modulus = d.modulus;
  v.shearModulus = d.shearModulus;
  v.poisson = d.poisson;
  v.expansion = d.expansion;
  v.weightPerLength = d.weightPerLength;
  v.temperature = d.temperature;
  v.pressure = d.pressure;
  const Material& material = model.materials[element.material];
  v.insulationThickness = model.sections[element.section].insulationThickness;
  v.referenceModulus = MaterialValueAtTemp(material, model.options.ReferenceTemperature);
  v.fibreReinforced = material.isFrp != 0;
  input.branch = ElementBranchFlexibility(index, v.outsideDiameter);
}

}  // namespace

AnalysisElementInput MakeElementInput(const Model& model, const AnalysisElement& element, int index,
                                      const CaseLoadSet& loads) {
  AnalysisElementInput input;
  input.kind = static_cast<ElementType>(element.kind);
  input.row = element.row;
  input.node1 = element.node1;
  input.node2 = element.node2;
  input.loads = loads;
  input.loads.windPressure = {};
  // The slip joint's stiffness and friction read the state its iteration keeps.
  if (input.kind == ElementType::SlipJoint)
    if (auto* joint = dynamic_cast<SlipJoint*>(model.row(element.row).element.get())) input.slip = &joint->run;
  // Elastic elements, joints and tie rods name no material, section or
  // load: they take no tube values, no weight and no wind.
  if (element.material == 0) return input;
  // A beam names beam records and reads them itself (elements/BeamAnalysis.h).
  const bool beam = input.kind == ElementType::Beam;
  if (beam)
    input.values.length = NodeDistanceDouble(model.nodes, element.node1, element.node2);
  else
    FillPipeCaseValues(model, element, index, loads, input);

  const std::array<bool, 4> wind = StepWindLoads(model);
  const bool windFlag = beam ? model.beamLoads[element.load].wind != 0 : model.pipeLoads[element.load].wind != 0;
  if (!windFlag || (!beam && IsJacketCoreElement(model, element))) return input;
  for (int k = 0; k < 4; ++k) {
    if (!wind[static_cast<std::size_t>(k)]) continue;
    const WindLoad& load = model.wind.loads[static_cast<std::size_t>(k)];
    input.loads.windPressure[static_cast<std::size_t>(k)] =
        WindPressureAtElevation(model.wind, ElementMidElevation(model, element), k + 1);
    input.loads.windDirection[static_cast<std::size_t>(k)] = {load.unitDirection[0], load.unitDirection[1],
                                                              load.unitDirection[2]};
  }
  return input;
}
