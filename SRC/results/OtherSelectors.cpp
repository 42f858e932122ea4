// The Other Displacements and Other Forces selectors; see OtherSelectors.h.
#include "results/OtherSelectors.h"

#include "results/BeamForcesTable.h"
#include "results/DisplacementTables.h"
#include "results/FrpForcesTable.h"
#include "results/JointDisplacementTables.h"
#include "results/OtherForcesTable.h"
#include "results/PipeForcesTable.h"
#include "resultsfile/RadioChooser.h"
#include "resultsfile/ResultsFile.h"

namespace {

void OpenKind(ResultFamily& family, int index) {
  if (index < 1 || index > static_cast<int>(family.kinds.size())) return;
  if (ResultOpener opener = family.kinds[static_cast<std::size_t>(index) - 1].opener) opener();
}

void Step(ResultFamily& family, int step) {
  const int count = static_cast<int>(family.kinds.size());
  if (count == 0) return;
  int at = FamilyKindIndex(family) + step;
  if (at > count) at = 1;
  if (at < 1) at = count;
  OpenKind(family, at);
}

void Choose(ResultFamily& family, HWND owner) {
  RadioChooserRequest request;
  request.templateName = OtherChooserTemplateName(static_cast<int>(family.kinds.size()));
  request.caption = family.caption;
  for (const ResultKind& kind : family.kinds) request.names.push_back(kind.name);
  request.current = FamilyKindIndex(family);
  OpenKind(family, RunRadioChooser(owner, request));
}

// The family opener: the kind opened last (or the first) opens.
void OpenFamily(ResultFamily& family) {
  if (!family.kinds.empty()) OpenKind(family, FamilyKindIndex(family));
}

}  // namespace

ResultFamily& DisplacementFamily() {
  static ResultFamily family{{}, nullptr, "Other Displacements"};
  return family;
}

ResultFamily& ForceFamily() {
  static ResultFamily family{{}, nullptr, "Other Forces"};
  return family;
}

void BuildOtherDisplacementsList(const Model& model) {
  ResultFamily& family = DisplacementFamily();
  family.kinds.clear();
  family.last = nullptr;
  if (!TheResults().resultNodes.empty()) family.kinds.push_back({"&All", OpenDisplacementsTable});
  family.kinds.push_back({"&Min / Max", OpenMinMaxDisplacementsTable});
  if (!TheResults().ballJoints.empty()) family.kinds.push_back({"&Ball joints", OpenBallJointDisplacementsTable});
  if (!TheResults().flexibleJoints.empty()) family.kinds.push_back({"&Flex joints", OpenFlexJointDisplacementsTable});
  if (ModelHasGuideRows(model)) family.kinds.push_back({"&Guides", OpenGuideDisplacementsTable});
  if (ModelHasHangerRows(model)) family.kinds.push_back({"&Hangers", OpenHangerDisplacementsTable});
  if (ModelHasLimitStopRows(model)) family.kinds.push_back({"&Limit stops", OpenLimitStopDisplacementsTable});
}

void BuildOtherForcesList(const Model& /*model*/) {
  ResultFamily& family = ForceFamily();
  family.kinds.clear();
  family.last = nullptr;
  if (!TheResults().stressElements.empty()) family.kinds.push_back({"&Pipes", OpenPipeForcesTable});
  if (!TheResults().beamElements.empty()) family.kinds.push_back({"&Beams", OpenBeamForcesTable});
  if (!TheResults().frpElements.empty()) family.kinds.push_back({"&FRP", OpenFrpForcesTable});
  if (!TheResults().otherElements.empty()) family.kinds.push_back({"&Other", OpenOtherForcesElementTable});
}

int FamilyKindIndex(const ResultFamily& family) {
  for (std::size_t i = 0; i < family.kinds.size(); ++i)
    if (family.last != nullptr && family.kinds[i].opener == family.last) return static_cast<int>(i) + 1;
  return 1;
}

void EnterDisplacementKind(ResultOpener kind) {
  DisplacementFamily().last = kind;
  SetResultsReopenCommand(OpenChosenDisplacementsTable);
}

void EnterForceKind(ResultOpener kind) {
  ForceFamily().last = kind;
  SetResultsReopenCommand(OpenOtherForcesTable);
}

void OpenChosenDisplacementsTable() { OpenFamily(DisplacementFamily()); }
void OpenOtherForcesTable() { OpenFamily(ForceFamily()); }
void ChooseOtherDisplacements(HWND owner) { Choose(DisplacementFamily(), owner); }
void ChooseOtherForces(HWND owner) {
  if (MultipleForceKinds()) Choose(ForceFamily(), owner);
}
void NextDisplacementKind() { Step(DisplacementFamily(), 1); }
void PreviousDisplacementKind() { Step(DisplacementFamily(), -1); }
void NextForceKind() {
  if (MultipleForceKinds()) Step(ForceFamily(), 1);
}
void PreviousForceKind() {
  if (MultipleForceKinds()) Step(ForceFamily(), -1);
}
bool MultipleForceKinds() { return ForceFamily().kinds.size() > 1; }
