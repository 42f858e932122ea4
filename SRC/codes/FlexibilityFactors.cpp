// The element flexibility factors of one case; see FlexibilityFactors.h.
#include "codes/FlexibilityFactors.h"

#include <cmath>
#include <limits>

#include "codes/B31jFlexibility.h"
#include "codes/CodeModel.h"
#include "elements/Bend.h"
#include "elements/BendStiffness.h"
#include "elements/DerivedElementData.h"
#include "elements/HydrotestLoad.h"
#include "elements/MiterBend.h"
#include "kindbase/LoadCaseKinds.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "records/LoadCaseList.h"
#include "records/Material.h"
#include "records/PipeLoad.h"
#include "services/LoadCaseTypes.h"

namespace {

bool IsBendKind(int kind) { return kind == 4 || kind == 5 || kind == 7; }
bool IsStraightPipeKind(int kind) { return kind == 3 || kind == 6; }

bool InTypes(int type, std::initializer_list<int> types) {
  for (int t : types)
    if (t == type) return true;
  return false;
}

// The thermal state i (1 .. 10) whose Ti and Pi a case type takes; 0 for the
// highest operating values, -1 for the reference temperature without
// pressure, -2 for a type without a temperature.
int ThermalStateOf(int caseType) {
  if (InTypes(caseType, {kCaseIdSustained, kCaseIdStaticSeismic, kCaseIdWind, kCaseIdColdSpringSustained,
                         kCaseIdHangerLoads, kCaseIdRecalculatingHangerLoads, kCaseIdXAcceleration,
                         kCaseIdYAcceleration, kCaseIdZAcceleration, kCaseIdModal, kCaseIdResponseSpectrum,
                         kCaseIdSeismicDisplacement, kCaseIdMissingMass, kCaseIdTimeHistory, kCaseIdHarmonic,
                         kCaseIdForceSpectrum, kCaseIdWind2, kCaseIdWind3, kCaseIdWind4}))
    return 0;
  // The hanger travel steps and the static analysis take T1.
  if (InTypes(caseType, {kCaseIdHangerTravel, kCaseIdRecalculatingHangerTravel, kCaseIdStaticAnalysis})) return 1;
  for (int i = 1; i <= 10; ++i)
    if (InTypes(caseType, {SustainedPressureCase(i), SingleThermalCase(i), OperatingCase(i), ColdSpringCase(i),
                           BuriedCase(i)}))
      return i;
  if (caseType == kCaseIdSettlement || caseType == kCaseIdHydrotest || caseType == kCaseIdEmptyWeight) return -1;
  return -2;
}

double HydrotestPressure(const Model& model, const AnalysisElement& e) {
  if (e.hydrotestRow < 1 || e.hydrotestRow > model.rowCount) return 0.0;
  const auto* test = dynamic_cast<const HydrotestLoad*>(model.row(e.hydrotestRow).element.get());
  return test != nullptr ? test->pressure : 0.0;
}

}  // namespace

CaseModulusPressure ElementCaseModulusAndPressure(const CodeModel& cm, int element, int caseType) {
  const AnalysisElement& e = cm.Element(element);
  const Model& model = cm.model;
  CaseModulusPressure out;
  const PipeSection* section = cm.SectionOf(e);
  const Material* material = cm.MaterialOf(e);
  if (section == nullptr || material == nullptr) return out;
  out.OD = section->outsideDiameter;
  out.T = ElementWallThickness(model, e);
  const int state = ThermalStateOf(caseType);
  if (state == -2) return out;
  const double reference = cm.settings.referenceTemperature;
  const int count = model.options.ThermalLoadCount;
  const PipeLoad* load = e.load >= 1 && e.load <= model.pipeLoads.count ? &model.pipeLoads[e.load] : nullptr;
  double temperature = reference;
  if (state == 0 && load != nullptr) {
    temperature = PipeLoadMaxTemp(*load, count);
    out.P = PipeLoadMaxPressure(*load, count);
  } else if (state >= 1 && load != nullptr && state <= PipeLoadPairsInUse(count)) {
    temperature = load->operating[static_cast<std::size_t>(state - 1)].temperature;
    out.P = load->operating[static_cast<std::size_t>(state - 1)].pressure;
  } else if (caseType == kCaseIdHydrotest) {
    out.P = HydrotestPressure(model, e);
  } else if (caseType == kCaseIdEmptyWeight) {
    out.P = 1.0e-36;
  }
  const bool expansion = cm.settings.useColdModulus || (LoadCaseKindOf(caseType).traits & kCaseExpansion) != 0;
  if (expansion || cm.settings.code == 4) temperature = reference;
  else if (cm.settings.code == 6) temperature = std::min<double>(ElementMinTemp(model, e), reference);
  out.E = MaterialValueAtTemp(*material, static_cast<float>(temperature));
  return out;
}

double CaseBendFlexibilityFactor(const CodeModel& cm, int element, int caseType) {
  const AnalysisElement& e = cm.Element(element);
  const Model& model = cm.model;
  const auto* bend = dynamic_cast<const Bend*>(model.row(e.row).element.get());
  const Material* material = cm.MaterialOf(e);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  if (bend == nullptr || material == nullptr) return nan;
  // The factor the analysis took: the row's own when it gives one.
  if (bend->flexibilityFactor > 0.0f) return bend->flexibilityFactor;
  const CaseModulusPressure v = ElementCaseModulusAndPressure(cm, element, caseType);
  const double R = ElementBendRadius(model, e);
  if (!(R > 0.0 && v.T > 0.0 && v.OD > 2.0 * v.T)) return nan;
  FlexibilityFactorInput in;
  in.fibreReinforced = material->isFrp != 0;
  in.outsideDiameter = v.OD;
  in.thickness = v.T;
  in.radius = R;
  in.pipingCode = cm.settings.code;
  in.pressure = v.P;
  in.modulus = v.E;
  in.referenceModulus = MaterialValueAtTemp(*material, cm.settings.referenceTemperature);
  const bool referenceE = in.pipingCode == 1 || in.pipingCode == 7;
  // A case without a modulus has no pressure correction to make.
  in.pressureCorrection = cm.settings.pressureCorrection && (referenceE ? in.referenceModulus : in.modulus) > 0.0;
  in.flangedEnds = ElementBendFlanges(model, e);
  if (const auto* miter = dynamic_cast<const MiterBend*>(bend); miter != nullptr && e.kind == 5)
    in.miterSpacing = miter->spacing;
  return BendFlexibilityFactor(in);
}

ElementFlexFactors ComputeElementFlexibilityFactors(const CodeModel& cm, int element, int caseType) {
  const AnalysisElement& e = cm.Element(element);
  ElementFlexFactors out;
  if (IsStraightPipeKind(e.kind)) {
    const PipeSection* section = cm.SectionOf(e);
    if (section == nullptr) return out;
    for (int node : {e.node1, e.node2}) {
      if (!NodeHasCodeBranchSif(cm, node)) continue;
      const int smallest = SmallestSectionAtNode(cm, node);
      const double smallestOd = smallest != 0 ? cm.model.sections[smallest].outsideDiameter : 0.0;
      const FlexibilityFactors k = section->outsideDiameter <= smallestOd + 0.0001 ? B31JBranchFlexibilityFactors(cm, node)
                                                                                   : B31JRunFlexibilityFactors(cm, node);
      // k2 turns about the element's z (the in-plane moment), k1 about y.
      out = {k.k2, k.k1, k.k3};
    }
    return out;
  }
  if (IsBendKind(e.kind)) {
    const double k = CaseBendFlexibilityFactor(cm, element, caseType);
    out = {k, k, 1.0};
  }
  return out;
}

std::vector<ElementFlexFactors> ComputeAllElementFlexibilityFactors(const CodeModel& cm, int caseType) {
  std::vector<ElementFlexFactors> factors(static_cast<std::size_t>(cm.ElementCount()) + 1);
  for (int element = 1; element <= cm.ElementCount(); ++element)
    factors[static_cast<std::size_t>(element)] = ComputeElementFlexibilityFactors(cm, element, caseType);
  return factors;
}
