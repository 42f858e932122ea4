// The end frames (EndFrames.cpp) and force routines of the element kinds;
// see ElementForces.h.
#include "elements/ElementForces.h"

#include <string>

#include "elements/BallJoint.h"
#include "elements/BeamAnalysis.h"
#include "elements/BendAnalysis.h"
#include "elements/ElasticAnalysis.h"
#include "elements/HingeJoint.h"
#include "elements/SlipJoint.h"
#include "elements/StraightAnalysis.h"
#include "elements/TieRod.h"
#include "model/Model.h"
#include "services/LoadCaseTypes.h"

ElementForceBuild StraightElementForceBuild(const AnalysisElementInput& input) {
  g_ElementForceRun.recovering = true;
  try {
    StraightElementBuild built = BuildStraightElement(TheModel(), input);
    ElementForceBuild build{built.stiffness, built.loads, built.frames};
    Vector12d& F = build.loads;
    // A mode carries no friction pair: the responses built from modes
    // recover the joint as the eigenproblem held it.
    if (input.kind == ElementType::SlipJoint && input.slip != nullptr &&
        !CaseUsesModalStiffness(input.loads.caseType)) {
      const auto& joint = dynamic_cast<const SlipJoint&>(*TheModel().row(input.row).element);
      if (joint.frictionForce != 0.0f) {
        F[0] -= input.slip->appliedFrictionForce;
        F[6] += input.slip->appliedFrictionForce;
      }
      if (joint.frictionTorque != 0.0f) {
        F[3] -= input.slip->appliedFrictionMoment;
        F[9] += input.slip->appliedFrictionMoment;
      }
    }
    g_ElementForceRun.recovering = false;
    return build;
  } catch (...) {
    g_ElementForceRun.recovering = false;
    throw;
  }
}

ElementForceBuild BuildElementForce(const AnalysisElementInput& input) {
  switch (input.kind) {
    case ElementType::Pipe:
    case ElementType::JacketedPipe:
    case ElementType::Valve:
    case ElementType::Reducer:
    case ElementType::Bellows:
    case ElementType::SlipJoint:
    case ElementType::Rigid: return StraightElementForceBuild(input);
    case ElementType::Bend:
    case ElementType::Miter:
    case ElementType::JacketedBend: return BendElementForceBuild(input);
    case ElementType::Beam: return BeamElementForceBuild(input);
    case ElementType::Elastic: return ElasticElementForceBuild(input);
    case ElementType::TieRod: return TieRodForceBuild(input);
    case ElementType::HingeJoint: return HingeJointForceBuild(input);
    case ElementType::BallJoint: return BallJointForceBuild(input);
    default: throw std::string("calculate element forces: Invalid type");
  }
}
