// The snubber in the analysis (see Snubber.h): a spring along its unit
// direction that exists only in the seismic and dynamic cases; in every
// other case it adds nothing and reports 0.
#include "kindbase/LoadCaseKinds.h"
#include "model/Model.h"
#include "services/LoadCaseTypes.h"
#include "services/NumberFormat.h"
#include "supports/Snubber.h"

bool SnubberStiffnessCase(int caseType) {
  switch (caseType) {
    case kCaseIdStaticSeismic:
    case kCaseIdXAcceleration:
    case kCaseIdYAcceleration:
    case kCaseIdZAcceleration:
    case kCaseIdModal:
    case kCaseIdStaticAnalysis:
    case kCaseIdSeismicDisplacement:
    case kCaseIdMissingMass: return true;
    default: return false;
  }
}

bool SnubberLoadCase(int caseType) {
  switch (caseType) {
    case kCaseIdStaticSeismic:
    case kCaseIdXAcceleration:
    case kCaseIdYAcceleration:
    case kCaseIdZAcceleration:
    case kCaseIdResponseSpectrum:
    case kCaseIdStaticAnalysis:
    case kCaseIdSeismicDisplacement:
    case kCaseIdTimeHistory:
    case kCaseIdHarmonic:
    case kCaseIdForceSpectrum: return true;
    default: return false;
  }
}

void Snubber::PrepareForRun(int rowNumber) {
  analysisDirection = UnitDirection(dirX, dirY, dirZ);
  // A batch file can give one without any direction: it would hold nothing.
  if (Length3(analysisDirection) < 0.5) {
    const Model& model = TheModel();
    throw CFormat("Unable to find direction for snubber at node %s",
                  SupportNodeText(model, model.row(rowNumber).endNode).c_str());
  }
}

void Snubber::AddStiffness(int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  if (!SnubberStiffnessCase(CurrentCaseType()) || !SupportNodeHasEquations(model, node)) return;
  AddSpringBlock(model, node, 0, DyadicBlock(analysisDirection, stiffness), 0);
}

void Snubber::ComputeSupportLoads(int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  std::array<float, 1> loads{};
  if (SnubberLoadCase(CurrentCaseType()) && SupportNodeHasEquations(model, node))
    loads[0] = static_cast<float>(stiffness * Dot3(analysisDirection, RelativeSolved(model, node, 0, 0)));
  KeepAndWriteSupportLoads(loads);
}
