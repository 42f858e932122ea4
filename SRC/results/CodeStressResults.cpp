// The code stresses of the results being opened; see CodeStressResults.h.
#include "results/CodeStressResults.h"

#include <vector>

#include "codes/CodeStressDriver.h"
#include "codes/StressIndices.h"
#include "records/LoadCaseList.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultsFile.h"
#include "services/LoadCaseTypes.h"

namespace {

// The forces of the current case as the stress formulas take them, made
// once per case.
struct CurrentForces {
  int resultCase = -1;
  std::vector<ElementForces> forces;
};

CurrentForces& Current() {
  static CurrentForces current;
  return current;
}

void CopyCaseForces(std::vector<ElementForces>& forces) {
  forces.assign(g_CaseElementForces.size(), ElementForces{});
  for (std::size_t e = 0; e < g_CaseElementForces.size(); ++e) forces[e].values = g_CaseElementForces[e];
}

}  // namespace

const std::vector<ElementForces>& CurrentCaseForces() {
  LoadCaseElementForces();
  CurrentForces& current = Current();
  if (current.resultCase != g_ResultCase) {
    CopyCaseForces(current.forces);
    current.resultCase = g_ResultCase;
  }
  return current.forces;
}

namespace {

bool IsExpansionType(int caseType) { return IsExpansionOrRangeCase(caseType); }
bool IsOccasionalType(int type) {
  return type == kCaseIdStaticSeismic || type == kCaseIdWind || type == kCaseIdResponseSpectrum ||
         (type >= kCaseIdTimeHistory && type <= kCaseIdForceSpectrum) || (type >= kCaseIdWind2 && type <= kCaseIdWind4);
}

}  // namespace

void PrepareResultCodeStresses(const Model& model) {
  Current() = CurrentForces{};
  const ResultsFileContents& results = TheResults();
  const ResultCaseTable& table = TheResultCases();
  std::vector<int> caseTypes;
  for (int k = 1; k <= table.count; ++k) caseTypes.push_back(table.cases[static_cast<std::size_t>(k)].type);
  CodeStressResults& stresses = TheCodeStresses();
  BeginCodeStresses(stresses, model, results.elements, results.elementCount, results.stressElements, caseTypes);
  ComputeResultSifs(stresses);
  const int shown = g_ResultCase;
  CalculateCodeStresses(stresses, [](int caseType, std::vector<ElementForces>& forces) {
    SelectLoadCaseByType(caseType);
    LoadCaseElementForces();
    CopyCaseForces(forces);
  });
  g_ResultCase = shown;
  ComputeAllowablePressures(stresses);
}

bool CodeStressesAvailable() {
  const CodeStressResults& stresses = TheCodeStresses();
  return stresses.computed && stresses.RecordCount() > 0;
}

bool CurrentCaseEndStress(int row, int end, bool b1b2, double& stress) {
  CodeStressResults& r = TheCodeStresses();
  stress = 0.0;
  if (r.cm == nullptr || row < 1 || row > r.RecordCount()) return false;
  const int type = CurrentResultCaseType();
  const CodeStressRecord& record = r.Record(row);
  const std::size_t at = end == 0 ? 0 : 1;
  if (type == kCaseIdHydrotest) {
    stress = record.hydrotest[at];
    return true;
  }
  if (type == kCaseIdSustained) {
    stress = b1b2 ? record.SI[at] : record.SL[at];
    return true;
  }
  if (type == kCaseIdSettlement) {
    stress = record.settlement[at].stress;
    return true;
  }
  if (type != kCaseIdOperating && !IsExpansionType(type) && !IsOccasionalType(type)) return false;
  const CodeStressCase c{*r.cm, r.sifs, CurrentCaseForces(), type};
  EndPair pair;
  if (type == kCaseIdOperating)
    pair = ElementOperatingStresses(c, record);
  else if (IsExpansionType(type))
    pair = ElementExpansionStresses(c, record);
  else if (b1b2)
    pair = ElementClass2Stresses(c, record, ElementEndStressIndices(*r.cm, r.sifs, record.element), true);
  else
    pair = ElementSustainedStresses(c, record, true);
  stress = end == 0 ? pair.end1 : pair.end2;
  return true;
}

bool CurrentCaseBranchMoments(int element, int node, double& inPlane, double& outPlane) {
  CodeStressResults& r = TheCodeStresses();
  inPlane = outPlane = 0.0;
  if (r.cm == nullptr) return false;
  const CodeStressCase c{*r.cm, r.sifs, CurrentCaseForces(), CurrentResultCaseType()};
  try {
    const BranchMoments m = ResolveBranchMomentsInSifPlane(c, element, node);
    inPlane = m.inPlane;
    outPlane = m.outPlane;
    return true;
  } catch (const std::string&) {
    return false;
  }
}

bool CurrentCaseBs806Stresses(int element, std::array<Bs806EndStress, 2>& stresses) {
  CodeStressResults& r = TheCodeStresses();
  stresses = {};
  if (r.cm == nullptr || element < 1 || element > r.cm->ElementCount()) return false;
  const CodeStressCase c{*r.cm, r.sifs, CurrentCaseForces(), CurrentResultCaseType()};
  try {
    stresses = ComputeBs806Stresses(c, element);
    return true;
  } catch (const std::string&) {
    return false;
  }
}

const std::vector<ElementFlexFactors>& CurrentCaseFlexibilityFactors() {
  CodeStressResults& r = TheCodeStresses();
  if (r.cm == nullptr) {
    r.flexFactors.clear();
    return r.flexFactors;
  }
  // Made afresh for the case each time: nothing carries over from the case
  // shown before.
  r.flexFactorsCaseType = CurrentResultCaseType();
  r.flexFactors = ComputeAllElementFlexibilityFactors(*r.cm, r.flexFactorsCaseType);
  return r.flexFactors;
}
