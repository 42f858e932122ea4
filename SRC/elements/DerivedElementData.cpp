// Derived element data (see DerivedElementData.h). The section formulas are
// those of a thick-walled tube: A = pi (ro^2 - ri^2), I = pi (ro^4 - ri^4) / 4
// and the shear form factor 4/3 (ro^3 - ri^3) / ((ro - ri)(ri^2 + ro^2)).
// Contents weigh 0.03609 lb per cubic inch of water times the specific
// gravity.
#include "elements/DerivedElementData.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/HydrotestLoad.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/SlipJoint.h"
#include "elements/Valve.h"
#include "kindbase/LoadCaseKinds.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "properties/JacketClearance.h"
#include "records/LoadCaseList.h"
#include "services/Assert.h"
#include "services/LoadCaseTypes.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramCommands.h"
#include "services/Units.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kWaterDensity = 0.03609;  // lb/in3

const LayoutRow& RowOf(const Model& model, const AnalysisElement& e) { return model.row(e.row); }

template <typename Kind>
const Kind* ElementAs(const Model& model, const AnalysisElement& e) {
  return dynamic_cast<const Kind*>(RowOf(model, e).element.get());
}

const PipeLoad* LoadOf(const Model& model, const AnalysisElement& e) {
  return e.load >= 1 && e.load <= model.pipeLoads.count ? &model.pipeLoads[e.load] : nullptr;
}

int PairsInUse(const Model& model) { return PipeLoadPairsInUse(model.options.ThermalLoadCount); }

float LoadPressure(const PipeLoad* load, int i) {
  return load != nullptr ? load->operating[static_cast<std::size_t>(i - 1)].pressure : 0.0f;
}

// The jacket's load of a jacketed row, found by name.
const PipeLoad* JacketLoadOf(const Model& model, const AnalysisElement& e) {
  std::string name;
  if (const auto* pipe = ElementAs<JacketedPipe>(model, e)) name = pipe->jacketLoad;
  if (const auto* bend = ElementAs<JacketedBend>(model, e)) name = bend->jacketLoad;
  const int found = FindPipeLoadByName(model.pipeLoads, name);
  return found != 0 ? &model.pipeLoads[found] : nullptr;
}

[[noreturn]] void Refuse(int* errorRow, int row, const std::string& message) {
  if (errorRow != nullptr) *errorRow = row;
  throw message;
}

std::string RowText(int row, const char* rest) {
  char text[96];
  std::snprintf(text, sizeof text, "Row %d: %s", row, rest);
  return text;
}

// The case's temperature and pressure (step 4).
void CaseTemperaturePressure(const Model& model, const AnalysisElement& e, int caseType, float& T, float& P) {
  const float reference = model.options.ReferenceTemperature;
  auto operating = [&](int i) {
    const PipeLoad* load = LoadOf(model, e);
    T = load != nullptr ? load->operating[static_cast<std::size_t>(i - 1)].temperature : 0.0f;
    P = ElementPressure(model, e, i);
  };
  // The hanger travel steps and the static analysis take T1.
  if (caseType == kCaseIdHangerTravel || caseType == kCaseIdRecalculatingHangerTravel ||
      caseType == kCaseIdStaticAnalysis) {
    operating(1);
    return;
  }
  for (int k = 1; k <= 10; ++k)
    if (caseType == SingleThermalCase(k) || caseType == OperatingCase(k) || caseType == ColdSpringCase(k) ||
        caseType == BuriedCase(k) || caseType == SustainedPressureCase(k)) {
      operating(k);
      return;
    }
  if (caseType == kCaseIdSettlement) {
    T = reference;
    P = 0.0f;
    return;
  }
  if (caseType == kCaseIdHydrotest) {
    T = reference;
    const auto* hydrotest = e.hydrotestRow != 0
                                ? dynamic_cast<const HydrotestLoad*>(model.row(e.hydrotestRow).element.get())
                                : nullptr;
    P = hydrotest != nullptr ? hydrotest->pressure : 0.0f;
    return;
  }
  if (caseType == kCaseIdEmptyWeight) {
    T = reference;
    P = kExplicitZero;
    return;
  }
  QV_ASSERT(LoadCaseHasElementTemperature(caseType));
  T = ElementMaxTemp(model, e);
  P = ElementMaxPressure(model, e);
}

bool AddsMetalWeight(int kind) {
  return kind == 3 || kind == 4 || kind == 5 || kind == 6 || kind == 7 || kind == 9;
}

}  // namespace

float ElementWallThickness(const Model& model, const AnalysisElement& e) {
  if (e.kind == 4 || e.kind == 5) {
    const Bend* bend = ElementAs<Bend>(model, e);
    if (bend != nullptr && bend->thickness != 0.0f) return bend->thickness;
  }
  if (e.kind == 7) {
    const JacketedBend* bend = ElementAs<JacketedBend>(model, e);
    if (bend != nullptr && bend->jacketThickness != 0.0f) return bend->jacketThickness;
  }
  return e.section >= 1 && e.section <= model.sections.count ? model.sections[e.section].thickness : 0.0f;
}

float ElementBendRadius(const Model& model, const AnalysisElement& e) {
  if (e.kind == 4 || e.kind == 5) {
    const Bend* bend = ElementAs<Bend>(model, e);
    return bend != nullptr ? bend->radius : 0.0f;
  }
  if (e.kind == 7) {
    const JacketedBend* bend = ElementAs<JacketedBend>(model, e);
    return bend != nullptr ? bend->jacketRadius : 0.0f;
  }
  return 0.0f;
}

int ElementBendFlanges(const Model& model, const AnalysisElement& e) {
  if (e.kind != 4 && e.kind != 5 && e.kind != 7) return 0;
  const Bend* bend = ElementAs<Bend>(model, e);
  return bend != nullptr ? bend->flangedEnds : 0;
}

float ElementMinTemp(const Model& model, const AnalysisElement& e) {
  const PipeLoad* load = LoadOf(model, e);
  if (load == nullptr) return 0.0f;
  float lowest = load->operating[0].temperature;
  for (int i = 2; i <= PairsInUse(model); ++i)
    lowest = std::min(lowest, load->operating[static_cast<std::size_t>(i - 1)].temperature);
  return lowest;
}

float ElementDesignTemp(const Model& model, const AnalysisElement& e) {
  const PipeLoad* load = LoadOf(model, e);
  if (load != nullptr && load->designTemperature != 0.0f) return load->designTemperature;
  return ElementMaxTemp(model, e);
}

float ElementPressure(const Model& model, const AnalysisElement& e, int i) {
  QV_ASSERT(i >= 1 && i <= 10);
  const int count = model.options.ThermalLoadCount;
  if (i == 2) QV_ASSERT(count > 1);
  if (i == 3) QV_ASSERT(count > 2);
  if (i >= 4) QV_ASSERT(count > 3);
  const float own = LoadPressure(LoadOf(model, e), i);
  if (!IsJacketCoreElement(model, e)) return own;
  return own - LoadPressure(JacketLoadOf(model, e), i);
}

float ElementMaxPressure(const Model& model, const AnalysisElement& e) {
  float largest = ElementPressure(model, e, 1);
  for (int i = 2; i <= PairsInUse(model); ++i) {
    const float p = ElementPressure(model, e, i);
    if (std::fabs(p) > std::fabs(largest)) largest = p;
  }
  return largest;
}

float ElementDesignPressure(const Model& model, const AnalysisElement& e) {
  const PipeLoad* load = LoadOf(model, e);
  if (load != nullptr && load->designPressure != 0.0f)
    return load->designPressure;
  return ElementMaxPressure(model, e);
}

float ElementMidElevation(const Model& model, const AnalysisElement& e) {
  const NodeRecord& a = model.nodes[e.node1];
  const NodeRecord& b = model.nodes[e.node2];
  return model.options.ZVertical != 0 ? 0.5f * (a.z + b.z) : 0.5f * (a.y + b.y);
}

bool LoadCaseHasElementTemperature(int caseType) {
  // Every case but the ranges, "Empty", the last two hanger design steps and
  // the combination of the seismic directions.
  int i = 0, j = 0;
  if (caseType < 1 || caseType > kLastLoadCaseType || ThermalRangeOf(caseType, i, j)) return false;
  return caseType != kCaseIdEmpty && caseType != kCaseIdDesigningHangers && caseType != kCaseIdHangerColdLoads &&
         caseType != kCaseIdCombiningAccelerations;
}

DerivedElementData ComputeRowDerivedData(const Model& model, const AnalysisElement& e, int type, int* errorRow) {
  const LayoutRow& row = RowOf(model, e);
  const Material& M = model.materials[e.material];
  const PipeSection& S = model.sections[e.section];
  const PipeLoad& L = model.pipeLoads[e.load];
  DerivedElementData out;

  // 1 and 2: length, diameter, wall and the kinds' own weights.
  const double length = NodeDistanceDouble(model.nodes, e.node1, e.node2);
  double D = S.outsideDiameter;
  double tw = ElementWallThickness(model, e);
  double w = L.additionalWeight;
  bool rigidWithoutCil = false;
  const ElementData* data = row.element.get();
  const double perLength = length > 0.0 ? 1.0 / length : 0.0;
  if (const auto* valve = dynamic_cast<const Valve*>(data); valve && e.kind == 8) w += valve->weight * perLength;
  if (const auto* bellows = dynamic_cast<const Bellows*>(data); bellows && e.kind == 10) w += bellows->weight * perLength;
  if (const auto* slip = dynamic_cast<const SlipJoint*>(data); slip && e.kind == 11) w += slip->weight * perLength;
  if (const auto* rigid = dynamic_cast<const RigidElement*>(data); rigid && e.kind == 14) {
    w = rigid->weight * perLength;
    rigidWithoutCil = rigid->addCil == 0;
  }
  if (const auto* reducer = dynamic_cast<const Reducer*>(data); reducer && e.kind == 9) {
    D = 0.5 * (static_cast<double>(reducer->od1) + reducer->od2);
    tw = 0.5 * (static_cast<double>(reducer->thk1) + reducer->thk2);
  }

  // 3: the tube.
  double ro = D / 2.0;
  const double ri = ro - tw;
  const auto* valve = e.kind == 8 ? dynamic_cast<const Valve*>(data) : nullptr;
  if (valve != nullptr) ro = ri + valve->thicknessMultiplier * tw;
  const double A = kPi * (ro * ro - ri * ri);
  const double I = kPi * (std::pow(ro, 4) - std::pow(ri, 4)) / 4.0;
  const double shear = 1.333333 * (std::pow(ro, 3) - std::pow(ri, 3)) / ((ro - ri) * (ri * ri + ro * ro));

  // 4 to 6: temperature, pressure, moduli and expansion.
  float T = 0.0f, P = 0.0f;
  CaseTemperaturePressure(model, e, type, T, P);
  const float reference = model.options.ReferenceTemperature;
  const bool expansion = (LoadCaseKindOf(type).traits & kCaseExpansion) != 0 || model.options.UseColdModulus != 0;
  float Tm = expansion || model.options.PipingCode == 4 ? reference : T;
  double E = MaterialValueAtTemp(M, Tm);
  if (model.options.PipingCode == 6) {
    Tm = std::min(ElementMinTemp(model, e), reference);
    E = MaterialValueAtTemp(M, Tm);
  }
  double nu = MaterialNu(M), G = 0.0;
  if (M.isFrp == 0) {
    G = E / 2.0 / (nu + 1.0);
  } else {
    nu = nu * E / MaterialHoopModulusAtTemp(M, Tm);
    G = MaterialShearModulusAtTemp(M, Tm);
  }
  const double alpha = MaterialValueAtTemp2(M, T);

  // 7 to 11: insulation, lining, the jacket's annulus and the contents.
  const HydrotestLoad* hydrotest =
      e.hydrotestRow != 0 ? dynamic_cast<const HydrotestLoad*>(model.row(e.hydrotestRow).element.get()) : nullptr;
  const bool hydrotestCase = type == kCaseIdHydrotest;
  const double insulated = D + 2.0 * S.insulationThickness;
  double Wi = (insulated * insulated - D * D) * S.insulationDensity * kPi / 4.0;
  if (hydrotestCase && hydrotest != nullptr && hydrotest->excludeInsulation != 0) Wi = 0.0;
  const double r = ri - S.liningThickness;
  if (r < 0.0) Refuse(errorRow, e.row, RowText(e.row, "Lining thickness > internal radius"));
  double Ai = kPi * r * r;
  if (e.kind == 6 || e.kind == 7) {
    const int core = FindSectionByName(model.sections, row.section);
    if (core != 0) {
      const PipeSection& C = model.sections[core];
      const float wall = static_cast<float>(tw);
      const std::string refusal = JacketWallRefusal(e.row, S, wall, C);
      if (!refusal.empty()) Refuse(errorRow, e.row, refusal);
      // The annulus of the rule's own diameters: a core that fits leaves
      // none below 0.
      const double bore = JacketBore(S, wall), Dc = InsulatedCoreDiameter(C);
      Ai = kPi * (bore * bore - Dc * Dc) / 4.0;
    }
  }
  if (Ai < 0.0) Refuse(errorRow, e.row, RowText(e.row, "Internal area is negative"));
  const double sg = hydrotestCase && hydrotest != nullptr ? hydrotest->specificGravity : L.specificGravity;
  const double Wc = type == kCaseIdEmptyWeight ? 0.0 : sg * Ai * kWaterDensity;

  // 12: weight per length.
  double weight = w + Wc + kPi * (ri * ri - r * r) * S.liningDensity + Wi;
  if (rigidWithoutCil) weight = w;
  if (valve != nullptr) weight += (valve->insulationWeightMultiplier - 1.0) * Wi;
  if (AddsMetalWeight(e.kind)) weight += M.density * A;

  out.length = static_cast<float>(length);
  out.outsideDiameter = static_cast<float>(D);
  out.wallThickness = static_cast<float>(tw);
  out.area = static_cast<float>(A);
  out.inertia = static_cast<float>(I);
  out.shearFormFactor = static_cast<float>(shear);
  out.modulus = static_cast<float>(E);
  out.shearModulus = static_cast<float>(G);
  out.poisson = static_cast<float>(nu);
  out.expansion = static_cast<float>(alpha);
  out.weightPerLength = static_cast<float>(weight);
  out.temperature = T;
  out.pressure = P;
  return out;
}

bool CheckAnalysisElements(const Model& model, HWND owner) {
  // A case of a temperature out of use has no pressure to take: refused
  // here, before the element loop would ask for one.
  if (const std::string refusal = LoadCasesBeyondThermalCountRefusal(model.loadCases, model.options.ThermalLoadCount);
      !refusal.empty()) {
    ShowErrorMessage(owner, refusal);
    return false;
  }
  AnalysisElementList& list = TheAnalysisElements();
  try {
    GenerateAnalysisElements(model, list);
    for (int c = 1; c <= model.loadCases.count; ++c) {
      const int type = model.loadCases.cases[static_cast<std::size_t>(c)];
      if (!LoadCaseHasElementTemperature(type)) continue;
      for (int index = 1; index <= list.count; ++index) {
        const AnalysisElement& element = list[index];
        if (element.material == 0 || element.section == 0 || element.load == 0 ||
            model.row(element.row).elementType == ElementType::Beam)
          continue;
        ComputeRowDerivedData(model, element, type, &list.errorRow);
      }
    }
  } catch (const std::string& message) {
    if (list.errorRow != 0) ProgramCommands().setCurrentLayoutRow(list.errorRow);
    ShowErrorMessage(owner, message);
    return false;
  }
  return true;
}
