// The curved elements in the analysis; see BendAnalysis.h.
#include "elements/BendAnalysis.h"
#include "elements/ElementForces.h"

#include "elements/Bend.h"
#include "elements/JacketedBend.h"
#include "elements/MiterBend.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/ElementInputs.h"
#include "model/Model.h"
#include "numeric/RunState.h"

namespace {

const Bend& RowBend(const Model& model, int row) {
  return dynamic_cast<const Bend&>(*model.row(row).element);
}

double ElementRadius(const Model& model, const AnalysisElementInput& input) {
  if (input.kind == ElementType::JacketedBend)
    return dynamic_cast<const JacketedBend&>(*model.row(input.row).element).jacketRadius;
  return RowBend(model, input.row).radius;
}

// The row's factor when given (0 is refused: the in-plane block would be
// singular), else the code's.
double FlexibilityFactor(const Model& model, const AnalysisElementInput& input, double radius) {
  const Bend& bend = RowBend(model, input.row);
  if (bend.flexibilityFactor == 0.0f) ThrowRowError(input.row, "Flexibility factor must be greater than 0");
  if (bend.flexibilityFactor > 0.0f) return bend.flexibilityFactor;
  const ElementCaseValues& v = input.values;
  FlexibilityFactorInput in;
  in.fibreReinforced = v.fibreReinforced;
  in.outsideDiameter = v.outsideDiameter;
  in.thickness = v.wallThickness;
  in.radius = radius;
  in.pipingCode = model.options.PipingCode;
  in.pressureCorrection = model.options.PressureCorrection != 0;
  in.pressure = v.pressure;
  in.modulus = v.modulus;
  in.referenceModulus = v.referenceModulus;
  in.flangedEnds = bend.flangedEnds;
  if (input.kind == ElementType::Miter) in.miterSpacing = dynamic_cast<const MiterBend&>(bend).spacing;
  return BendFlexibilityFactor(in);
}

}  // namespace

BendElementBuild BuildBendElement(const Model& model, const AnalysisElementInput& input) {
  const double radius = ElementRadius(model, input);
  CheckBendElementValues(input, radius);
  const ElementCaseValues& v = input.values;
  BendElementBuild built;
  built.frames = ComputeElementEndFrames(model, input.kind, input.row, input.node1, input.node2);
  BendSectionValues& s = built.section;
  s.radius = radius;
  s.angle = built.frames.bendAngle;
  s.modulus = v.modulus;
  s.shearModulus = v.shearModulus;
  s.area = v.area;
  s.inertia = v.inertia;
  s.shearFactor = v.shearFactor;
  s.flexibilityFactor = FlexibilityFactor(model, input, radius);
  if (!BuildBendStiffness(s, built.stiffness)) ThrowRowError(input.row, "Bend stiffness cannot be formed");
  BendUnitDisplacements D = BuildBendUnitDisplacements(s, v.expansion);
  const CaseLoadSet& loads = input.loads;
  if (loads.pressure) AddBendPressureColumn(D, s, {v.poisson, v.pressure, v.outsideDiameter, v.wallThickness});
  built.fixedEnd = BuildBendFixedEndForces(built.stiffness, D, s);
  BendCaseLoads& q = built.caseLoads;
  q.sustained = loads.sustained;
  q.weight = ToLocal(built.frames.end1, Scaled(UpwardVector(loads), -v.weightPerLength));
  q.thermal = loads.thermal;
  q.deltaT = v.temperature - loads.referenceTemperature;
  q.pressure = loads.pressure;
  q.seismic = loads.seismic;
  q.seismicLoad = ToLocal(built.frames.end1, Scaled(loads.seismicG, v.weightPerLength));
  return built;
}

void AssembleBendElement(const AnalysisElementInput& input) {
  const Model& model = TheModel();
  const BendElementBuild built = BuildBendElement(model, input);
  const LocationVector equations = ElementEquations(model, input.node1, input.node2);
  AddElementStiffness(built.stiffness.local, built.frames.end1, equations);
  if (input.loads.modal) {
    const double mass = BendNodeMass(input.values.weightPerLength, built.section.radius, built.section.angle);
    AddNodeTranslationMass(model, input.node1, mass);
    AddNodeTranslationMass(model, input.node2, mass);
    return;
  }
  const ElementCaseValues& v = input.values;
  const NodeRecord& n1 = model.nodes[input.node1];
  const NodeRecord& n2 = model.nodes[input.node2];
  for (int k = 0; k < 4; ++k) {
    if (input.loads.windPressure[k] == 0.0) continue;
    const Vector3d force = ElementWindForce({n1.x, n1.y, n1.z}, {n2.x, n2.y, n2.z},
                                            v.outsideDiameter + 2.0 * v.insulationThickness,
                                            input.loads.windPressure[k], input.loads.windDirection[k]);
    AddNodeLoads(model, input.node1, force, {});
    AddNodeLoads(model, input.node2, force, {});
  }
  AddElementLoads(BendElementLoads(built.fixedEnd, built.caseLoads), built.frames.end1, equations);
}

ElementForceBuild BendElementForceBuild(const AnalysisElementInput& input) {
  const BendElementBuild built = BuildBendElement(TheModel(), input);
  return {built.stiffness.local, BendElementLoads(built.fixedEnd, built.caseLoads), built.frames, true};
}
