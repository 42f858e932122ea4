// The straight elements in the analysis; see StraightAnalysis.h.
#include "elements/ElementForces.h"
#include "elements/StraightAnalysis.h"

#include "elements/Bellows.h"
#include "elements/BendLoads.h"
#include "elements/CutPipe.h"
#include "elements/SlipJoint.h"
#include "elements/StraightElement.h"
#include "elements/Valve.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/ElementInputs.h"
#include "kindbase/LoadCaseKinds.h"
#include "model/Model.h"
#include "services/LoadCaseTypes.h"

namespace {

constexpr double kGravity = 386.4;  // inch per second squared

const ElementData* RowElement(const Model& model, int row) { return model.row(row).element.get(); }

Vector3d NodePoint(const Model& model, int node) {
  const NodeRecord& record = model.nodes[node];
  return {record.x, record.y, record.z};
}

// The sliding and turning springs of this pass. The modal case is not
// iterated: with friction in dynamics the operating case's secants stand in
// for the springs, without it the joint slides and turns freely, whatever
// state the static case solved last left it in. The responses built from
// its modes recover their forces with those same springs: the spring of the
// last static pass (1.0e12 when it stuck) times a mode's sliding would be a
// force the mode never had.
StraightFlexibilities SlipFlexibilities(const Model& model, const AnalysisElementInput& input, const SlipJoint& joint) {
  SlipJointState fresh;
  const SlipJointState& state = input.slip != nullptr ? *input.slip : fresh;
  double ka = state.axialStiffness, kt = state.torsionalStiffness;
  if (CaseUsesModalStiffness(input.loads.caseType)) {
    const bool friction = model.options.FrictionInDynamics != 0;
    ka = friction && joint.frictionForce != 0.0f ? state.axialSecant : fresh.axialStiffness;
    kt = friction && joint.frictionTorque != 0.0f ? state.torsionalSecant : fresh.torsionalStiffness;
  }
  return SlipJointFlexibilities(ka, kt);
}

// The flexibilities of the element's kind and its thrust area.
StraightFlexibilities KindFlexibilities(const Model& model, const AnalysisElementInput& input, double& thrustArea) {
  thrustArea = 0.0;
  switch (input.kind) {
    case ElementType::Bellows: {
      const auto& bellows = dynamic_cast<const Bellows&>(*RowElement(model, input.row));
      thrustArea = bellows.pressureThrustArea;
      return BellowsFlexibilities(bellows.axialStiffness, bellows.bendingStiffness, bellows.torsionalStiffness,
                                  bellows.lateralStiffness);
    }
    case ElementType::SlipJoint: {
      const auto& joint = dynamic_cast<const SlipJoint&>(*RowElement(model, input.row));
      thrustArea = joint.pressureThrustArea;
      return SlipFlexibilities(model, input, joint);
    }
    case ElementType::Rigid: return RigidFlexibilities();
    default: CheckPipeElementValues(input); return PipeFlexibilities(input.values);
  }
}

// The joint's iteration finds its force from the element the solve used.
void RememberSlipJointBuild(const Model& model, const AnalysisElementInput& input, const StraightElementBuild& built) {
  if (g_ElementForceRun.recovering) return;
  auto* joint = dynamic_cast<SlipJoint*>(model.row(input.row).element.get());
  if (joint == nullptr) return;
  joint->builtStiffness = built.stiffness;
  joint->builtAxes = built.frames.end1;
  joint->builtNode1 = input.node1;
  joint->builtNode2 = input.node2;
}

// Outside force recovery, in the operating cases: the secants; then,
// except in the hanger recalculation and the cases built from modes, the
// friction pair of the last pass along the joint's axis.
void AddSlipJointFriction(const Model& model, const AnalysisElementInput& input, const ElementAxes& axes) {
  if (input.slip == nullptr || g_ElementForceRun.recovering) return;
  const auto& joint = dynamic_cast<const SlipJoint&>(*RowElement(model, input.row));
  SlipJointState& state = *input.slip;
  const int type = input.loads.caseType;
  if (CaseTypeIsOperatingT1(type)) UpdateSlipJointSecants(state, joint.frictionForce, joint.frictionTorque);
  if (type == kCaseIdRecalculatingHangerLoads || CaseUsesModalStiffness(type)) return;
  const Vector3d force = Scaled(axes.x, state.appliedFrictionForce);
  const Vector3d moment = Scaled(axes.x, state.appliedFrictionMoment);
  AddNodeLoads(model, input.node1, Scaled(force, -1.0), Scaled(moment, -1.0));
  AddNodeLoads(model, input.node2, force, moment);
}

void AddWindLoads(const Model& model, const AnalysisElementInput& input) {
  const ElementCaseValues& v = input.values;
  double diameter = v.outsideDiameter + 2.0 * v.insulationThickness;
  if (input.kind == ElementType::Valve) {
    const auto& valve = dynamic_cast<const Valve&>(*RowElement(model, input.row));
    diameter += 2.0 * (valve.insulationWeightMultiplier - 1.0) * v.insulationThickness;
  }
  const Vector3d p1 = NodePoint(model, input.node1), p2 = NodePoint(model, input.node2);
  for (int k = 0; k < 4; ++k) {
    if (input.loads.windPressure[k] == 0.0) continue;
    const Vector3d force = ElementWindForce(p1, p2, diameter, input.loads.windPressure[k], input.loads.windDirection[k]);
    AddNodeLoads(model, input.node1, force, {});
    AddNodeLoads(model, input.node2, force, {});
  }
}

}  // namespace

StraightElementBuild BuildStraightElement(const Model& model, const AnalysisElementInput& input) {
  StraightElementBuild built;
  built.frames = ComputeElementEndFrames(model, input.kind, input.row, input.node1, input.node2);
  StraightLoadInput loadInput;
  const StraightFlexibilities f = KindFlexibilities(model, input, loadInput.thrustArea);
  const RotationalFlexibilities r = input.branch != nullptr ? BranchRotationalFlexibilities(*input.branch, f.fb, f.ft)
                                                            : RotationalFlexibilities{f.fb, f.fb, f.ft};
  built.stiffness = StiffnessFromFlexibility(input.values.length, f, r);
  loadInput.kind = input.kind;
  loadInput.axes = built.frames.end1;
  loadInput.length = input.values.length;
  loadInput.values = input.values;
  if (const auto* cut = dynamic_cast<const CutPipe*>(RowElement(model, input.row))) loadInput.cut = cut->cut;
  built.loads = StraightElementLoads(built.stiffness, loadInput, input.loads, true);
  return built;
}

void AddStraightElementMasses(const AnalysisElementInput& input) {
  const Model& model = TheModel();
  const double mass = StraightNodeMass(input.values.weightPerLength, input.values.length);
  AddNodeTranslationMass(model, input.node1, mass);
  AddNodeTranslationMass(model, input.node2, mass);
}

void AssembleStraightElement(const AnalysisElementInput& input) {
  const Model& model = TheModel();
  const StraightElementBuild built = BuildStraightElement(model, input);
  const LocationVector equations = ElementEquations(model, input.node1, input.node2);
  AddElementStiffness(built.stiffness, built.frames.end1, equations);
  if (input.kind == ElementType::SlipJoint) {
    RememberSlipJointBuild(model, input, built);
    AddSlipJointFriction(model, input, built.frames.end1);
  }
  if (input.loads.modal) {
    AddStraightElementMasses(input);
    return;
  }
  AddWindLoads(model, input);
  AddElementLoads(built.loads, built.frames.end1, equations);
}

void AddAttachedWeightLoads(const AnalysisElementInput& input) {
  AssembleStraightElement(input);
  const Model& model = TheModel();
  const auto& valve = dynamic_cast<const Valve&>(*RowElement(model, input.row));
  const double weight = valve.additionalWeight;
  if (weight == 0.0) return;
  if (input.loads.modal) {
    AddNodeTranslationMass(model, input.node1, weight / 2.0 / kGravity);
    AddNodeTranslationMass(model, input.node2, weight / 2.0 / kGravity);
    return;
  }
  Vector3d half{};
  if (input.loads.sustained) half = Scaled(UpwardVector(input.loads), -weight / 2.0);
  if (input.loads.seismic)
    for (int i = 0; i < 3; ++i) half[i] += input.loads.seismicG[i] * weight / 2.0;
  if (half == Vector3d{}) return;
  const NodePairLoads loads = AttachedWeightLoads(half, NodePoint(model, input.node1), NodePoint(model, input.node2),
                                                  {valve.dx, valve.dy, valve.dz});
  AddNodeLoads(model, input.node1, loads.force1, loads.moment1);
  AddNodeLoads(model, input.node2, loads.force2, loads.moment2);
}
