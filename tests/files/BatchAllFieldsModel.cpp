// The all-fields model of the export tests; see the header.
#include "files/BatchAllFieldsModel.h"

#include "elements/BallJoint.h"
#include "elements/BeamElement.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "elements/CommentData.h"
#include "elements/ConcentratedMass.h"
#include "elements/CutPipe.h"
#include "elements/ElasticElement.h"
#include "elements/Flange.h"
#include "elements/HingeJoint.h"
#include "elements/HydrotestLoad.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/MiterBend.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/SlipJoint.h"
#include "elements/TieRod.h"
#include "elements/UserSif.h"
#include "elements/Valve.h"
#include "elements/Weld.h"
#include "files/AllKindsModel.h"
#include "loads/DirectionalLoadItem.h"
#include "loads/Force.h"
#include "loads/HarmonicLoad.h"
#include "model/MakeModel.h"
#include "model/RevisionRecord.h"
#include "supports/Anchor.h"
#include "supports/GenericSupport.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

template <typename Kind, typename Base>
Kind& As(Base* object) {
  return dynamic_cast<Kind&>(*object);
}

constexpr float kDirection[3] = {0.48f, 0.6f, 0.64f};  // a unit vector of three components
constexpr NodeId kConnected = 10;                      // the From row's node

void SetBendRecord(BendRecord& bend, float radius) {
  bend.radiusType = kBendRadiusUser, bend.radius = radius, bend.thickness = 0.3f, bend.material = "A106";
  bend.flexibilityFactor = 2.5f, bend.outPlaneFlexibilityFactor = 3.5f, bend.inPlaneSif = 1.7f;
  bend.outPlaneSif = 1.9f, bend.axialSif = 1.3f, bend.torsionSif = 1.1f;
  bend.angle1 = 0.25f;  // radians along the arc
  bend.angle2 = 0.75f, bend.flangedEnds = 1;
}

void SetElementFields(LayoutRow& row, NodeId& spareNode) {
  ElementData* element = row.element.get();
  switch (row.elementType) {
    case ElementType::Bend:
    case ElementType::Miter:
    case ElementType::JacketedBend: {
      auto& bend = *element->AsBend();
      SetBendRecord(bend, 15.0f);
      bend.intermediateNode1 = spareNode++, bend.intermediateNode2 = spareNode++;
      if (row.elementType == ElementType::Miter) {
        // A new miter's radius is the user's; one from an older file may be
        // of another kind.
        As<MiterBend>(element).spacing = kMiterWidely;
        bend.radiusType = kBendRadiusLong;
      }
      if (row.elementType == ElementType::JacketedBend) {
        auto& jacket = As<JacketedBend>(element);
        jacket.jacketMaterial = "A106", jacket.jacketSection = "J10", jacket.jacketLoad = "L1";
        jacket.jacketRadiusType = kBendRadiusUser, jacket.jacketRadius = 16.0f, jacket.jacketThickness = 0.4f;
        jacket.jacketFlag = 2;
      }
      break;
    }
    case ElementType::JacketedPipe: {
      auto& jacket = As<JacketedPipe>(element);
      jacket.jacketMaterial = "A106", jacket.jacketSection = "J10", jacket.jacketLoad = "L1";
      break;
    }
    case ElementType::Valve: {
      auto& v = As<Valve>(element);
      v.weight = 250.0f, v.length = 10.0f, v.thicknessMultiplier = 2.5f, v.insulationWeightMultiplier = 1.5f;
      v.additionalWeight = 50.0f, v.dx = 1.0f, v.dy = 6.0f, v.dz = 2.0f, v.valveType = 2;
      break;
    }
    case ElementType::Reducer: {
      auto& r = As<Reducer>(element);
      r.od1 = 8.625f, r.thk1 = 0.322f, r.od2 = 4.5f, r.thk2 = 0.237f, r.coneAngle = 15.0f, r.knuckles = 1;
      r.delta = 0.5f;
      break;
    }
    case ElementType::Bellows: {
      auto& b = As<Bellows>(element);
      b.axialStiffness = 1500.0f, b.bendingStiffness = 2000.0f, b.torsionalStiffness = 3000.0f;
      b.lateralStiffness = 2500.0f, b.pressureThrustArea = 12.5f, b.weight = 40.0f, b.meanDiameter = 9.0f;
      break;
    }
    case ElementType::SlipJoint: {
      auto& j = As<SlipJoint>(element);
      j.frictionForce = 30.0f, j.frictionTorque = 7.0f, j.pressureThrustArea = 10.0f, j.weight = 25.0f;
      break;
    }
    case ElementType::HingeJoint: {
      auto& h = As<HingeJoint>(element);
      h.stiffness = 4.0e4f, h.rotationLimit = 0.2f, h.frictionTorque = 9.0f, h.weight = 20.0f;
      for (int i = 0; i < 3; ++i) h.axis[i] = kDirection[i];
      break;
    }
    case ElementType::BallJoint: {
      auto& b = As<BallJoint>(element);
      b.bendingStiffness = 1000.0f, b.torsionalStiffness = 2.5e4f, b.bendingRotationLimit = 0.3f;
      b.torsionalRotationLimit = 0.4f, b.bendingFrictionTorque = 5.0f, b.torsionalFrictionTorque = 6.5f;
      b.weight = 15.0f;
      break;
    }
    case ElementType::Rigid: {
      auto& r = As<RigidElement>(element);
      r.weight = 75.0f, r.addCil = 1;
      break;
    }
    case ElementType::Elastic: {
      auto& e = As<ElasticElement>(element);
      e.kx = 1.0e5f, e.ky = 2.0e5f, e.kz = 3.0e5f, e.kxx = 1.0e6f, e.kyy = 2.0e6f, e.kzz = 3.0e6f;
      const float y[3] = {0.6f, 0.48f, -0.9f};  // square to kDirection
      for (int i = 0; i < 3; ++i) e.localX[i] = kDirection[i], e.localY[i] = y[i];
      break;
    }
    case ElementType::CutPipe:
      As<CutPipe>(element).cut = 0.75f;
      break;
    case ElementType::Beam: {
      auto& b = As<Beam>(element);
      b.beta = 30.0f, b.releases[4] = 1, b.releases[10] = 1;
      break;
    }
    case ElementType::Comment:
      As<CommentData>(element).SetText("Every field of every row");
      break;
    case ElementType::TieRod: {
      auto& t = As<TieRod>(element);
      t.tensionStiffness = 8.0e5f, t.compressionStiffness = 6.0e5f, t.tensionGap = 0.125f, t.compressionGap = 0.25f;
      break;
    }
    case ElementType::HydrotestLoad: {
      auto& h = As<HydrotestLoad>(element);
      h.specificGravity = 1.05f, h.pressure = 300.0f, h.excludeInsulation = 1;
      break;
    }
    default:
      break;
  }
}

// Every set of specified displacements switched on, every value given.
void SetDisplacements(SpecifiedDisplacements& d) {
  d.flags.fill(1);
  d.sets = std::make_unique<DisplacementSets>();
  for (std::size_t i = 1; i < d.sets->values.size(); ++i) d.sets->values[i] = 0.01f * static_cast<float>(i);
}

void SetItemFields(LayoutRow& row) {
  DataItem* item = row.item.get();
  switch (row.dataType) {
    case DataType::Anchor: {
      auto& a = As<Anchor>(item);
      a.tag = "A-1", a.stiffness = {1.0e5f, 2.0e5f, 3.0e5f, 4.0e6f, 5.0e6f, 6.0e6f}, a.releases[4] = 1;
      SetDisplacements(a.displacements);
      a.AnchorInPipeLcs = 1, a.DisplacementsInPipeLcs = 1;
      break;
    }
    case DataType::Restraint: {
      auto& r = As<Restraint>(item);
      r.tag = "R-1", r.restrainX = 1, r.restrainY = 1, r.restrainZ = 1;
      break;
    }
    case DataType::SkewedRestraint: {
      auto& s = As<SkewedRestraint>(item);
      s.tag = "S-1", s.rotational = 1, s.stiffness = 2.0e5f, s.connectedNode = kConnected;
      s.dirX = kDirection[0], s.dirY = kDirection[1], s.dirZ = kDirection[2];
      break;
    }
    case DataType::Hanger: {
      auto& h = As<Hanger>(item);
      h.tag = "H-1", h.kind = 5, h.numberOfHangers = 2, h.maximumLoadVariation = 10, h.shortRange = 1, h.above = 0;
      h.connectedNode = kConnected, h.loadType = 1, h.springRate = 500.0f, h.load = 1200.0f;
      break;
    }
    case DataType::Guide: {
      auto& g = As<Guide>(item);
      g.tag = "G-1", g.frictionCoefficient = 0.3f, g.stiffness = 5000.0f, g.gap = 0.125f, g.connectedNode = kConnected;
      break;
    }
    case DataType::LimitStop: {
      auto& s = As<LimitStop>(item);
      s.tag = "LS-1", s.lowerLimit = -0.5f, s.upperLimit = 1.5f, s.frictionCoefficient = 0.2f, s.stiffness = 5000.0f;
      s.dirX = kDirection[0], s.dirY = kDirection[1], s.dirZ = kDirection[2], s.connectedNode = kConnected;
      break;
    }
    case DataType::Nozzle: {
      auto& n = As<Nozzle>(item);
      n.tag = "N-1", n.flatBottom = 1, n.reinforcingPad = 1, n.nozzleOd = 8.625f, n.nozzleThickness = 0.5f;
      n.vesselOd = 300.0f, n.vesselThickness = 1.0f, n.l1 = 10.0f, n.l2 = 6.0f, n.elasticModulus = 2.9e7f;
      n.vesselAxis = {kDirection[0], kDirection[1], kDirection[2]};
      n.axialStiffness = 1.0e5f, n.circumferentialStiffness = 1.0e6f, n.longitudinalStiffness = 2.0e6f;
      n.spherical = 1;
      SetDisplacements(n.displacements);
      break;
    }
    case DataType::Snubber: {
      auto& s = As<Snubber>(item);
      s.tag = "SN-1", s.stiffness = 1.0e6f, s.dirX = kDirection[0], s.dirY = kDirection[1], s.dirZ = kDirection[2];
      break;
    }
    case DataType::Flange: {
      auto& f = As<Flange>(item);
      f.type = 3, f.weight = 120.0f, f.gasketDiameter = 9.5f, f.allowablePressure = 600.0f;
      break;
    }
    case DataType::BranchSif: {
      auto& b = As<BranchSif>(item);
      b.type = 7, b.dimension1 = 0.375f, b.dimension2 = 0.5f, b.flanges = 1;
      break;
    }
    case DataType::UserSif: {
      auto& s = As<UserSif>(item);
      s.inPlaneSif = 2.1f, s.outPlaneSif = 1.8f, s.axialSif = 1.3f, s.torsionSif = 1.2f;
      break;
    }
    case DataType::Weld: {
      auto& w = As<Weld>(item);
      w.type = 4, w.mismatch = 0.0625f;
      break;
    }
    case DataType::Force: {
      auto& f = As<NodalForce>(item);
      f.FX = 100.0f, f.FY = -500.0f, f.FZ = 250.0f, f.MX = 1200.0f, f.MY = -2400.0f, f.MZ = 3600.0f, f.AddedTo = 3;
      break;
    }
    case DataType::ConcentratedMass: {
      auto& m = As<ConcentratedMass>(item);
      m.weight = 180.0f, m.dx = 1.0f, m.dy = 2.0f, m.dz = 3.0f;
      break;
    }
    case DataType::TimeVaryingLoad:
    case DataType::ForceSpectrumLoad: {
      auto& l = As<DirectionalLoadItem>(item);
      l.Direction = 2, l.Units = 1, l.ScaleFactor = 2.0f, l.UnitFactor = 3.0f;
      l.TableName() = row.dataType == DataType::TimeVaryingLoad ? "Pulse" : "Slug";
      break;
    }
    case DataType::HarmonicLoad: {
      auto& h = As<HarmonicLoad>(item);
      h.Frequency = 12.5f, h.Phase = 30.0f, h.FX = 10.0f, h.FY = 20.0f, h.FZ = 30.0f;
      break;
    }
    case DataType::GenericSupport: {
      auto& g = As<GenericSupport>(item);
      g.tag = "GS-1", g.groupBUnitIndex = 2;
      for (std::size_t i = 0; i < g.terms.size(); ++i) g.terms[i] = 1000.0f * static_cast<float>(i + 1);
      break;
    }
    default:
      break;
  }
}

void FillTables(Model& model) {
  Material& m = model.materials[1];
  m.isFrp = 1, m.type = "FR", m.description = "Carbon steel", m.nu = 0.29f, m.density = 0.283f;
  m.jointFactor = 0.85f, m.circJointFactor = 0.9f, m.strength = 52000.0f;
  m.temps[1].values = {70.0f, 2.9e7f, 6.0e-6f, 2.0e4f, 3.5e4f, 6.0e4f, 1.0e7f, 1.1e7f};
  m.temps[2].values = {400.0f, 2.7e7f, 7.0e-6f, 1.9e4f, 3.0e4f, 5.5e4f, 0.9e7f, 1.0e7f};
  for (const int index : {1, 2}) {
    PipeSection& s = model.sections[index];
    s.standard = kStandardDin, s.nominalSize = index == 1 ? "200" : "250", s.schedule = "40";
    s.thickness = 0.365f, s.millTolerance = 12.5f, s.insulationDensity = 0.006f, s.insulationThickness = 0.25f;
    s.liningDensity = 0.03f, s.liningThickness = 0.125f;
  }
  PipeLoad& l = model.pipeLoads[1];
  for (std::size_t pair = 0; pair < l.operating.size(); ++pair)
    l.operating[pair] = {300.0f - 20.0f * static_cast<float>(pair), 150.0f - 10.0f * static_cast<float>(pair)};
  l.designTemperature = 350.0f, l.designPressure = 185.0f, l.specificGravity = 1.1f, l.additionalWeight = 5.0f;
  l.wind = 0;
  BeamMaterial& bm = model.beamMaterials[1];
  bm.description = "Structural", bm.nu = 0.3f, bm.density = 0.283f, bm.alpha = 6.5e-6f;
  BeamSection& bs = model.beamSections[1];
  bs.description = "Wide flange", bs.Imaj = 110.0f, bs.Imin = 37.1f, bs.J = 0.4f, bs.Asmaj = 2.0f, bs.Asmin = 4.0f;
  bs.depth = 8.0f, bs.width = 8.0f;
  BeamLoad& bl = model.beamLoads[1];
  for (std::size_t t = 0; t < bl.temperature.size(); ++t) bl.temperature[t] = 200.0f - 10.0f * static_cast<float>(t);
  bl.wind = 0;
  Pump& p = model.pumps[1];
  p.suctionLocation = kNozzleEnd, p.dischargeLocation = kNozzleSide,
  p.shaftAxis = {kDirection[0], kDirection[1], kDirection[2]};
  p.centre = {12.0f, 24.0f, 36.0f}, p.vertical = 1, p.standard = 2, p.category = 3, p.size = 4, p.materialGroup = 5;
  p.boltOrMounting = 1, p.temperature = 200.0f;
  for (auto* table : {&model.compressors, &model.turbines}) {
    RotatingEquipment& r = (*table)[1];
    r.inletNode = 40, r.exhaustNode = 50, r.extractionNode1 = 60, r.extractionNode2 = 70;
    r.shaftAxis = {kDirection[0], kDirection[1], kDirection[2]};
  }
  Soil& soil = model.soils[1];
  soil.delta = 0.5f, soil.Ks = 2.0f, soil.groundLevel = -36.0f;
  model.allowables[1].values = {1000.0f, 1100.0f, 1200.0f, 5000.0f, 5100.0f, 5200.0f};
}

void FillOptions(Model& model) {
  AnalysisOptions& o = model.options;
  o.PipingCode = 1, o.ServiceLevel = 1, o.DesignFactorIndex = 2, o.Z183LocationFactorIndex = 1;
  o.Z184ClassLocation = 3, o.Z184SourService = 1, o.LiberalAllowable = 1, o.OccasionalLoadFactor = 1.5f;
  o.IncludeAxialForce = 1, o.UseB31J = 1, o.ReferenceTemperature = 60.0f, o.ThermalCycles = 10000;
  o.ThermalLoadCount = 3, o.SolveThermalCase = 1, o.UseColdModulus = 0, o.IncludeHangerStiffness = 0;
  o.BourdonEffect = 1, o.PressureCorrection = 0, o.PressureStressOption = 1, o.PeakPressureFactor = 1.2f;
  o.YieldDisplacementFactor = 0.05f, o.CutOffFrequency = 50, o.IncludeMissingMass = 0, o.FrictionInDynamics = 1;
  o.ZVertical = 1, model.seismic.g = {0.1f, 0.15f, 0.2f}, model.seismic.combination = 1;
  WindData& wind = model.wind;
  for (int index = 0; index < kWindLoadCount; ++index) {
    WindLoad& load = wind.loads[static_cast<std::size_t>(index)];
    load.shapeFactor = 0.7f + 0.1f * static_cast<float>(index);
    load.direction = {kDirection[0], kDirection[1], kDirection[2]};
  }
  wind.elevationUnit = 1, wind.pressureUnit = 1, wind.velocityUnit = 1, wind.profileIsVelocity = 1;
  for (int index = 0; index < kWindLoadCount; ++index)
    WindProfileInForce(wind, index) = {{0.0f, 60.0f}, {600.0f, 80.0f + static_cast<float>(index)}};
  model.spectrumLoad.modeSum = kSumAbsolute, model.spectrumLoad.directionSum = kSumNrl;
  model.timeHistory.outputInterval = 5, model.timeHistory.writeResults = 1, model.timeHistory.damping = 2.0f;
  model.harmonic.combination = 1, model.nodeIncrement = 7;
  model.unitChoices.fill(1);
  model.qa.project = "Rack", model.qa.fileNumber = "F-1", model.qa.reportNumber = "R-1";
  model.qa.preparedBy = "Writer";
}

}  // namespace

void BuildAllFieldsModel(Model& model) {
  BuildAllKindsModel(model);
  // A Location row names a node an earlier row made.
  LayoutRow& location = model.row(2);
  location.node = 10, location.dx = location.dy = location.dz = 0.0f;
  FillTables(model);
  FillOptions(model);
  NodeId spareNode = 9000;
  for (int number = 1; number <= model.rowCount; ++number) {
    LayoutRow& row = model.row(number);
    if (row.element) SetElementFields(row, spareNode);
    if (row.item) SetItemFields(row);
  }
  // The last row's offsets are where its node lies.
  LayoutRow& last = model.row(model.rowCount);
  last.absolute = true, last.dx = 100.0f, last.dy = 200.0f, last.dz = 300.0f;
  MakeModel(model);
}
