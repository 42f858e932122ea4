// The beam in the analysis; see BeamAnalysis.h.
#include "elements/BeamAnalysis.h"

#include <cmath>
#include <string>

#include "elements/BeamElement.h"
#include "elements/BeamStiffness.h"
#include "kindbase/ElementAssembly.h"
#include "kindbase/LoadCaseKinds.h"
#include "model/Model.h"
#include "numeric/RunState.h"
#include "services/Assert.h"

namespace {

constexpr double kGravity = 386.4;  // inch per second squared

Vector3d NodePoint(const Model& model, int node) {
  const NodeRecord& record = model.nodes[node];
  return {record.x, record.y, record.z};
}

void Require(bool condition, int row, const char* reason) {
  if (!condition) ThrowRowError(row, reason);
}

// The case's temperature of the beam load: T1..T10 of the case's thermal
// state, the reference temperature when the case has none.
double CaseTemperature(const Model& model, const BeamLoad& load, int caseType, double reference) {
  QV_ASSERT(caseType >= 1 && caseType <= kLastLoadCaseType && "beam temperature of an unknown load case");
  const int k = LoadCaseKindOf(caseType).thermalState;
  (void)model;
  return k >= 1 && k <= 10 ? load.temperature[static_cast<std::size_t>(k - 1)] : reference;
}

struct BeamRecords {
  const Beam* beam = nullptr;
  const BeamMaterial* material = nullptr;
  BeamSection* section = nullptr;
  const BeamLoad* load = nullptr;
};

BeamRecords RecordsOf(const Model& model, int row) {
  const LayoutRow& layout = model.row(row);
  Model& open = const_cast<Model&>(model);
  BeamRecords records;
  records.beam = dynamic_cast<const Beam*>(layout.element.get());
  const int material = FindBeamMaterialByName(model.beamMaterials, layout.material);
  const int section = FindBeamSectionByName(model.beamSections, layout.section);
  const int load = FindBeamLoadByName(model.beamLoads, layout.load);
  Require(records.beam != nullptr, row, "Beam element is missing");
  Require(material != 0, row, "Beam material is not defined");
  Require(section != 0, row, "Beam section is not defined");
  Require(load != 0, row, "Beam load is not defined");
  records.material = &model.beamMaterials[material];
  records.section = &open.beamSections[section];
  records.load = &model.beamLoads[load];
  return records;
}

}  // namespace

BeamElementBuild BuildBeamElement(const Model& model, const AnalysisElementInput& input) {
  const BeamRecords r = RecordsOf(model, input.row);
  const BeamMaterial& m = *r.material;
  BeamSection& s = *r.section;
  const int row = input.row;
  Require(m.E > 0.0f, row, "Beam material modulus must be greater than 0");
  Require(m.nu > -1.0f, row, "Beam material Nu must be greater than -1");
  Require(s.A > 0.0f, row, "Beam section area must be greater than 0");
  Require(s.Imaj > 0.0f && s.Imin > 0.0f, row, "Beam section moments of inertia must be greater than 0");
  Require(s.Asmaj >= 0.0f && s.Asmin >= 0.0f && s.J >= 0.0f, row, "Beam section values must not be negative");
  // The torsional constant of a section given none; kept in the section.
  if (s.J == 0.0f) s.J = s.Imaj + s.Imin;

  const bool zVertical = input.loads.zVertical;
  const Vector3d from = NodePoint(model, input.node1), to = NodePoint(model, input.node2);
  BeamElementBuild built;
  built.length = Norm(Difference(to, from));
  Require(built.length > 0.0, row, "Element length must be greater than 0");
  const ElementAxes axes = BeamAxes(from, to, r.beam->beta, zVertical);
  built.frames.end1 = built.frames.end2 = axes;

  BeamStiffnessInput k;
  k.length = built.length;
  k.E = m.E;
  k.G = m.E * 0.5 / (static_cast<double>(m.nu) + 1.0);
  k.A = s.A;
  k.Imaj = s.Imaj;
  k.Imin = s.Imin;
  k.J = s.J;
  k.Asmaj = s.Asmaj;
  k.Asmin = s.Asmin;
  k.zVertical = zVertical;
  const Matrix12d unreleased = BeamLocalStiffness(k);
  const BeamReleasedFreedoms released = BeamReleaseFreedoms(r.beam->releases, zVertical);
  built.stiffness = unreleased;
  CondenseBeamReleases(built.stiffness, released);

  built.weightPerLength = static_cast<double>(m.density) * s.A + r.load->additionalWeight;
  const CaseLoadSet& loads = input.loads;
  Vector12d& F = built.loads;
  if (loads.modal) return built;
  const double w = built.weightPerLength;
  if (loads.sustained) AddBeamUniformLoad(F, ToLocal(axes, Scaled(UpwardVector(loads), -w)), built.length);
  if (loads.thermal) {
    const double t = CaseTemperature(model, *r.load, loads.caseType, loads.referenceTemperature);
    AddBeamThermalLoad(F, (t - loads.referenceTemperature) * m.alpha * s.A * m.E);
  }
  if (loads.seismic) AddBeamUniformLoad(F, ToLocal(axes, Scaled(loads.seismicG, w)), built.length);
  if (released.count > 0) CondenseBeamReleaseLoads(unreleased, F, released);
  return built;
}

void AssembleBeam(const AnalysisElementInput& input) {
  const Model& model = TheModel();
  const BeamElementBuild built = BuildBeamElement(model, input);
  const LocationVector equations = ElementEquations(model, input.node1, input.node2);
  // The stiffness goes in every case, the modal one too: the eigen solver
  // needs the beam's stiffness beside its masses.
  AddElementStiffness(built.stiffness, built.frames.end1, equations);
  if (input.loads.modal) {
    const double mass = built.weightPerLength * built.length * 0.5 / kGravity;
    AddNodeTranslationMass(model, input.node1, mass);
    AddNodeTranslationMass(model, input.node2, mass);
    return;
  }
  const BeamRecords r = RecordsOf(model, input.row);
  if (r.load->wind != 0) {
    const Vector3d& x = built.frames.end1.x;
    const double D = std::sqrt(static_cast<double>(r.section->depth) * r.section->depth +
                               static_cast<double>(r.section->width) * r.section->width);
    for (std::size_t k = 0; k < 4; ++k) {
      const double p = input.loads.windPressure[k];
      if (p == 0.0) continue;
      const Vector3d& u = input.loads.windDirection[k];
      // The wind's part across the beam on its projected depth, half to each end.
      const Vector3d across = Difference(u, Scaled(x, Dot(u, x)));
      const Vector3d force = Scaled(across, 0.5 * p * D * built.length);
      AddNodeLoads(model, input.node1, force, {});
      AddNodeLoads(model, input.node2, force, {});
    }
  }
  AddElementLoads(built.loads, built.frames.end1, equations);
}

ElementForceBuild BeamElementForceBuild(const AnalysisElementInput& input) {
  g_ElementForceRun.recovering = true;
  try {
    const BeamElementBuild built = BuildBeamElement(TheModel(), input);
    g_ElementForceRun.recovering = false;
    return {built.stiffness, built.loads, built.frames};
  } catch (...) {
    g_ElementForceRun.recovering = false;
    throw;
  }
}
