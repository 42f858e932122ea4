// The all-kinds model of the file tests; see the header.
#include "files/AllKindsModel.h"

#include <cstring>

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
#include "loads/Force.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/HarmonicLoad.h"
#include "loads/TimeVaryingLoad.h"
#include "model/MakeModel.h"
#include "model/RowObjects.h"
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

void SetElementValues(ElementType type, ElementData* element) {
  switch (type) {
    case ElementType::Bend: {
      auto& bend = As<Bend>(element);
      bend.radiusType = kBendRadiusUser;
      bend.radius = 15.0f;
      bend.thickness = 0.3f;
      bend.inPlaneSif = 1.7f;
      break;
    }
    case ElementType::Miter: As<MiterBend>(element).spacing = kMiterWidely; break;
    case ElementType::JacketedPipe: As<JacketedPipe>(element).jacketSection = "J10"; break;
    case ElementType::JacketedBend: {
      auto& bend = As<JacketedBend>(element);
      bend.radiusType = kBendRadiusUser;
      bend.radius = 12.0f;
      bend.jacketSection = "J10";
      bend.jacketRadiusType = kBendRadiusUser;
      bend.jacketRadius = 12.0f;
      break;
    }
    case ElementType::Valve: As<Valve>(element).weight = 250.0f; break;
    case ElementType::Reducer: As<Reducer>(element).od2 = 4.5f; break;
    case ElementType::Bellows: As<Bellows>(element).axialStiffness = 1500.0f; break;
    case ElementType::SlipJoint: As<SlipJoint>(element).frictionForce = 30.0f; break;
    case ElementType::HingeJoint: As<HingeJoint>(element).stiffness = 4.0e4f; break;
    case ElementType::BallJoint: As<BallJoint>(element).torsionalStiffness = 2.5e4f; break;
    case ElementType::Rigid: As<RigidElement>(element).weight = 75.0f; break;
    case ElementType::Elastic: As<ElasticElement>(element).kx = 1.0e5f; break;
    case ElementType::CutPipe: As<CutPipe>(element).cut = 0.75f; break;
    case ElementType::Beam: As<Beam>(element).beta = 30.0f; break;
    case ElementType::Comment: {
      auto& comment = As<CommentData>(element);
      std::strcpy(comment.bytes.data(), "Every kind of row");
      break;
    }
    case ElementType::TieRod: As<TieRod>(element).tensionStiffness = 8.0e5f; break;
    case ElementType::HydrotestLoad: As<HydrotestLoad>(element).specificGravity = 1.05f; break;
    default: break;
  }
}

void SetItemValues(DataType type, DataItem* item) {
  switch (type) {
    case DataType::Anchor: {
      auto& anchor = As<Anchor>(item);
      anchor.tag = "A-1";
      anchor.releases[4] = 1;
      anchor.displacements.flags[1] = 1;
      anchor.displacements.sets = std::make_unique<DisplacementSets>();
      anchor.displacements.sets->values[6 * 1 + 2] = 0.25f;
      break;
    }
    case DataType::Restraint: As<Restraint>(item).restrainY = 1; break;
    case DataType::SkewedRestraint: {
      auto& skewed = As<SkewedRestraint>(item);
      skewed.stiffness = 2.0e5f;
      skewed.dirX = 1.0f;
      break;
    }
    case DataType::Hanger: As<Hanger>(item).numberOfHangers = 2; break;
    case DataType::Guide: As<Guide>(item).gap = 0.125f; break;
    case DataType::LimitStop: As<LimitStop>(item).lowerLimit = -0.5f; break;
    case DataType::Nozzle: {
      auto& nozzle = As<Nozzle>(item);
      nozzle.nozzleOd = 8.625f;
      nozzle.vesselOd = 96.0f;
      break;
    }
    case DataType::Snubber: As<Snubber>(item).dirY = 1.0f; break;
    case DataType::Flange: As<Flange>(item).weight = 120.0f; break;
    case DataType::BranchSif: As<BranchSif>(item).dimension1 = 0.375f; break;
    case DataType::UserSif: As<UserSif>(item).inPlaneSif = 2.1f; break;
    case DataType::Weld: As<Weld>(item).mismatch = 0.0625f; break;
    case DataType::Force: As<NodalForce>(item).FY = -500.0f; break;
    case DataType::ConcentratedMass: As<ConcentratedMass>(item).weight = 180.0f; break;
    case DataType::TimeVaryingLoad: {
      auto& load = As<TimeVaryingLoad>(item);
      load.TimeFunctionName = "Pulse";
      load.ScaleFactor = 2.0f;
      break;
    }
    case DataType::HarmonicLoad: As<HarmonicLoad>(item).Frequency = 12.5f; break;
    case DataType::ForceSpectrumLoad: {
      auto& load = As<ForceSpectrumLoad>(item);
      load.SpectrumName = "Slug";
      load.ScaleFactor = 3.0f;
      break;
    }
    case DataType::GenericSupport: As<GenericSupport>(item).terms[0] = 5.0e4f; break;
    default: break;
  }
}

void FillTables(Model& model) {
  Material material;
  material.name = "A106";
  material.type = "CS";
  material.description = "Carbon steel";
  material.nu = 0.3f;
  material.density = 0.283f;
  material.jointFactor = 1.0f;
  material.numtemps = 2;
  material.temps.resize(3);
  material.temps[1].values = {70.0f, 2.9e7f, 0.0f, 2.0e4f, 3.5e4f, 6.0e4f, 0.0f, 0.0f};
  material.temps[2].values = {400.0f, 2.7e7f, 2.5f, 1.9e4f, 3.0e4f, 5.5e4f, 0.0f, 0.0f};
  AppendMaterial(model.materials, material);

  PipeSection section;
  InitSection(section);
  section.name = "S8";
  section.outsideDiameter = 8.625f;
  section.thickness = 0.322f;
  section.corrosionAllowance = 0.0625f;
  section.soil = "CL";
  AppendSection(model.sections, section);
  section.name = "J10";
  section.outsideDiameter = 10.75f;
  section.soil.clear();
  AppendSection(model.sections, section);

  PipeLoad load;
  InitPipeLoad(load, 70.0f);
  load.name = "L1";
  load.operating[0] = {350.0f, 150.0f};
  load.specificGravity = 1.0f;
  AppendPipeLoad(model.pipeLoads, load);

  BeamMaterial beamMaterial;
  InitBeamMaterial(beamMaterial);
  beamMaterial.name = "A36";
  beamMaterial.E = 2.9e7f;
  AppendBeamMaterial(model.beamMaterials, beamMaterial);
  BeamSection beamSection;
  InitBeamSection(beamSection);
  beamSection.name = "W8";
  beamSection.A = 9.13f;
  AppendBeamSection(model.beamSections, beamSection);
  BeamLoad beamLoad;
  InitBeamLoad(beamLoad, 70.0f);
  beamLoad.name = "BL";
  beamLoad.additionalWeight = 2.0f;
  AppendBeamLoad(model.beamLoads, beamLoad);

  Pump pump;
  InitPumpRecord(pump);
  pump.name = "P-101";
  pump.suctionNode = 30;
  pump.dischargeNode = 40;
  pump.shaftAxis = {1.0f, 0.0f, 0.0f};
  AppendPump(model.pumps, pump);
  RotatingEquipment compressor;
  compressor.description = "K-201";
  compressor.inletNode = 40;
  compressor.shaftAxis = {0.0f, 0.0f, 1.0f};
  AppendRotatingEquipment(model.compressors, compressor);
  compressor.description = "T-301";
  AppendRotatingEquipment(model.turbines, compressor);

  ResponseSpectrum spectrum;
  spectrum.name = "Quake";
  spectrum.points = {{0.1f, 0.2f}, {10.0f, 0.5f}};
  model.spectra.insert(model.spectra.begin(), spectrum);
  model.spectrumLoad.name[1] = "Quake";
  model.spectrumLoad.factor[1] = 0.67f;
  model.forceSpectra.insert(model.forceSpectra.begin(), ForceSpectrum{"Slug", {{1.0f, 100.0f}}});
  model.timeFunctions.insert(model.timeFunctions.begin(), TimeFunction{"Pulse", {{0.0f, 0.0f}, {0.1f, 1.0f}}});

  Soil soil;
  soil.name = "CL";
  soil.type = kSoilCohesive;
  soil.density = 0.07f;
  soil.strength = 10.0f;
  AppendSoil(model.soils, soil);
  Allowable allowable;
  allowable.node = 30;
  allowable.values = {1000.0f, 1000.0f, 1000.0f, 5000.0f, 5000.0f, 5000.0f};
  AppendAllowable(model.allowables, allowable);
}

void FillSettings(Model& model) {
  model.title = "All kinds of rows";
  model.qa.client = "Client";
  model.qa.checkedBy = "Checker";
  AppendRevisionRow(model.revisions);
  model.revisions.rows[1] = {"A", "Dec 6,2026", "First issue"};
  AppendRevisionRow(model.revisions);
  model.revisions.rows[2] = {"B12", "Dec 7,2026", "Supports added"};
  model.options.PipingCode = 1;
  model.options.ThermalLoadCount = 3;
  model.options.ModeCount = 12;
  model.seismic.g = {0.1f, 0.0f, 0.2f};
  model.timeHistory.timeStep = 0.01f;
  model.timeHistory.stepCount = 100;
  model.harmonic.damping = 3.0f;
  model.nodeIncrement = 5;
  model.unitChoices[0] = 3;
  model.loadCases.count = 2;
  model.loadCases.cases[1] = 1;
  model.loadCases.cases[2] = 2;
  model.graphics.viewDirection = {1.0f, 0.5f, 0.25f};
  model.graphics.viewLeft = -10.0f;
  model.graphics.viewBottom = -20.0f;
  model.graphics.viewRight = 300.0f;
  model.graphics.viewTop = 150.0f;
  model.graphics.axesTriad = 3;
  model.currentRow = 4;
  model.layoutTopRow = 2;
  model.listName = "&Hangers";
}

int AddRow(Model& model, NodeId node, ElementType type, float dx, float dy, float dz) {
  const int number = ++model.rowCount;
  LayoutRow& row = model.row(number);
  row.node = node;
  row.elementType = type;
  row.element = CreateElementData(type);
  SetElementValues(type, row.element.get());
  row.dx = dx;
  row.dy = dy;
  row.dz = dz;
  return number;
}

void PutItem(Model& model, int number, DataType type) {
  LayoutRow& row = model.row(number);
  row.dataType = type;
  row.item = CreateDataItem(type);
  SetItemValues(type, row.item.get());
}

}  // namespace

void BuildAllKindsModel(Model& model) {
  InitEmptyModel(model, AnalysisOptions{});
  FillTables(model);
  FillSettings(model);
  const int from = AddRow(model, 10, ElementType::From, 0.0f, 0.0f, 0.0f);
  PutItem(model, from, DataType::Anchor);
  model.row(from).material = "A106";
  // A zigzag so that bends turn: every element kind after the From row, each
  // carrying the next data kind (bends carry none).
  int dataCode = 2;
  NodeId node = 20;
  for (int code = 2; code <= kElementTypeLast; ++code) {
    const auto type = static_cast<ElementType>(code);
    const bool turn = code % 2 == 0;
    // A Location names a node an earlier row made, and has no offsets.
    const int number = type == ElementType::Location
                           ? AddRow(model, 10, type, 0.0f, 0.0f, 0.0f)
                           : AddRow(model, node, type, turn ? 0.0f : 50.0f, turn ? 50.0f : 0.0f, 0.0f);
    if (code == 3) {
      model.row(number).section = "S8";
      model.row(number).load = "L1";
    }
    if (type == ElementType::Beam) {
      model.row(number).material = "A36";
      model.row(number).section = "W8";
      model.row(number).load = "BL";
    }
    // Comment and hydrotest rows lose any item when the model is made.
    const bool carriesItem = type != ElementType::Bend && type != ElementType::Miter &&
                             type != ElementType::JacketedBend && type != ElementType::Comment &&
                             type != ElementType::HydrotestLoad;
    if (carriesItem && dataCode <= kDataTypeLast)
      PutItem(model, number, static_cast<DataType>(dataCode++));
    node += 10;
  }
  // The data kinds left over go on pipes of their own.
  while (dataCode <= kDataTypeLast) {
    const int number = AddRow(model, node, ElementType::Pipe, 0.0f, 0.0f, 25.0f);
    PutItem(model, number, static_cast<DataType>(dataCode++));
    node += 10;
  }
  MakeModel(model);
}
