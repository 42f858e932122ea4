// A model holding every element kind and every support kind, for the
// tests of the results report: the 4.5-inch line of the results tests
// (steel "CS", section "S4", load "L1" at 300 F) from 10 (anchor, tag A-1)
// along X with a welding tee at 25, a guide at 20 (mu 0.3), a bend to 30,
// up Z to 40 (Y restraint), a miter to 50, a +Y stop at 60, a valve with a
// flange, a reducer, a bellows, a slip joint, a hinge and a ball joint,
// a rigid and an elastic element, a cut pipe, a Z skewed restraint at 180,
// an X snubber at 190, a hanger at 200 (H-1), a nozzle at 210 (N-1) and a
// generic support at 220; a jacketed branch from the tee (pipe, spider,
// bend, anchor, end caps), a beam from 60 down to an anchor, a tie rod
// beside 180 - 190, an FRP pipe and a buried pipe to an anchor at 240, a
// comment and a hydrotest row. Cases: sustained, expansion, operating,
// hydrotest, static seismic, modal and response spectrum (the static case
// in place of the coded ones without a piping code). Saved under `path`.
#pragma once

#include <string>

#include "analysis/AnalysisTesting.h"
#include "elements/BallJoint.h"
#include "elements/BeamElement.h"
#include "elements/Bellows.h"
#include "elements/BranchSif.h"
#include "elements/ElasticElement.h"
#include "elements/Flange.h"
#include "elements/HingeJoint.h"
#include "elements/HydrotestLoad.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/SlipJoint.h"
#include "elements/TieRod.h"
#include "elements/Valve.h"
#include "model/MakeModel.h"
#include "records/Soil.h"
#include "records/Spectrum.h"
#include "supports/Anchor.h"
#include "supports/GenericSupport.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/NozzleStiffness.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace every_kind {

inline void Jacket(Model& model, int row) {
  ElementData* element = model.row(row).element.get();
  if (auto* pipe = dynamic_cast<JacketedPipe*>(element)) {
    pipe->jacketMaterial = "CS";
    pipe->jacketSection = "S8";
    pipe->jacketLoad = "LJ";
  } else if (auto* bend = dynamic_cast<JacketedBend*>(element)) {
    bend->jacketMaterial = "CS";
    bend->jacketSection = "S8";
    bend->jacketLoad = "LJ";
  }
}

template <typename Kind>
Kind& ElementOf(Model& model, int row) { return static_cast<Kind&>(*model.row(row).element); }
template <typename Kind>
Kind& ItemOf(Model& model, int row, DataType type) {
  PutItem(model, row, type);
  return static_cast<Kind&>(*model.row(row).item);
}

inline void BuildEveryKind(Model& model, const std::string& path, int code) {
  using namespace analysis_testing;
  StartModel(model, 300.0, kDensity, path);
  model.options.PipingCode = code;
  PipeSection jacket;
  InitSection(jacket);
  jacket.name = "S8";
  jacket.outsideDiameter = 8.625f;
  jacket.thickness = 0.322f;
  AppendSection(model.sections, jacket);
  BeamMaterial steel;
  InitBeamMaterial(steel);
  steel.name = "ST";
  steel.E = 29.0e6f;
  steel.nu = 0.3f;
  AppendBeamMaterial(model.beamMaterials, steel);
  BeamSection w14;
  InitBeamSection(w14);
  w14.name = "W14";
  w14.A = 26.5f; w14.Imaj = 999.0f; w14.Imin = 362.0f; w14.J = 4.06f; w14.depth = 14.0f; w14.width = 14.5f;
  AppendBeamSection(model.beamSections, w14);
  BeamLoad beamLoad;
  InitBeamLoad(beamLoad, 70.0f);
  beamLoad.name = "BL";
  beamLoad.wind = 0;
  AppendBeamLoad(model.beamLoads, beamLoad);

  PipeLoad jacketLoad;
  InitPipeLoad(jacketLoad, 70.0f);
  jacketLoad.name = "LJ";
  jacketLoad.wind = 0;
  AppendPipeLoad(model.pipeLoads, jacketLoad);
  Material frp = model.materials[1];
  frp.name = "FRP";
  frp.isFrp = 1;
  for (std::size_t t = 1; t < frp.temps.size(); ++t) {
    auto& v = frp.temps[t].values;
    v[3] = 8000.0f;
    v[4] = 5000.0f;
    v[5] = 4000.0f;
    v[6] = v[1];
    v[7] = v[1] / 2.6f;
  }
  AppendMaterial(model.materials, frp);
  PipeSection buried = model.sections[1];
  buried.name = "SB";
  buried.soil = "CL";
  AppendSection(model.sections, buried);
  Soil soil;
  soil.name = "CL";
  soil.density = 120.0f / 1728.0f;
  soil.delta = 0.5236f;
  soil.Ks = 0.7f;
  soil.groundLevel = 36.0f;
  AppendSoil(model.soils, soil);

  int row = PipeRow(model, 10, ElementType::From, 0.0f);
  ItemOf<Anchor>(model, row, DataType::Anchor).tag = "A-1";
  row = PipeRow(model, 25, ElementType::Pipe, 30.0f);
  ItemOf<BranchSif>(model, row, DataType::BranchSif).type = 1;
  row = PipeRow(model, 20, ElementType::Pipe, 30.0f);
  ItemOf<Guide>(model, row, DataType::Guide).frictionCoefficient = 0.3f;
  row = PipeRow(model, 30, ElementType::Bend, 60.0f);
  row = PipeRow(model, 40, ElementType::Pipe, 0.0f, 0.0f, 60.0f);
  ItemOf<Restraint>(model, row, DataType::Restraint).restrainY = 1;
  row = PipeRow(model, 50, ElementType::Miter, 0.0f, 0.0f, 60.0f);
  row = PipeRow(model, 60, ElementType::Pipe, 60.0f);
  auto& stop = ItemOf<LimitStop>(model, row, DataType::LimitStop);
  stop.dirY = 1.0f;
  stop.lowerLimit = 0.0f;
  row = PipeRow(model, 70, ElementType::Valve, 20.0f);
  ElementOf<Valve>(model, row).weight = 250.0f;
  ItemOf<Flange>(model, row, DataType::Flange).weight = 50.0f;
  row = PipeRow(model, 80, ElementType::Reducer, 20.0f);
  {
    auto& reducer = ElementOf<Reducer>(model, row);
    reducer.od1 = 4.5f;
    reducer.thk1 = 0.237f;
    reducer.od2 = 3.5f;
    reducer.thk2 = 0.216f;
  }
  row = PipeRow(model, 90, ElementType::Bellows, 5.0f);
  {
    auto& bellows = ElementOf<Bellows>(model, row);
    bellows.axialStiffness = 1500.0f;
    bellows.bendingStiffness = 1.0e6f;
    bellows.torsionalStiffness = 1.0e7f;
    bellows.lateralStiffness = 1.0e4f;
  }
  row = PipeRow(model, 100, ElementType::Pipe, 30.0f);
  ItemOf<Restraint>(model, row, DataType::Restraint).restrainY = 1;
  row = PipeRow(model, 110, ElementType::SlipJoint, 5.0f);
  ElementOf<SlipJoint>(model, row).frictionForce = 30.0f;
  row = PipeRow(model, 120, ElementType::Pipe, 30.0f);
  ItemOf<Restraint>(model, row, DataType::Restraint).restrainX = 1;
  row = PipeRow(model, 130, ElementType::HingeJoint, 5.0f);
  {
    auto& hinge = ElementOf<HingeJoint>(model, row);
    hinge.stiffness = 4.0e4f;
    hinge.axis[2] = 1.0f;
  }
  row = PipeRow(model, 140, ElementType::BallJoint, 5.0f);
  {
    auto& ball = ElementOf<BallJoint>(model, row);
    ball.bendingStiffness = 2.5e4f;
    ball.torsionalStiffness = 2.5e4f;
  }
  row = PipeRow(model, 150, ElementType::Rigid, 20.0f);
  ElementOf<RigidElement>(model, row).weight = 75.0f;
  row = PipeRow(model, 160, ElementType::Elastic, 10.0f);
  {
    auto& elastic = ElementOf<ElasticElement>(model, row);
    elastic.kx = elastic.ky = elastic.kz = 1.0e6f;
    elastic.kxx = elastic.kyy = elastic.kzz = 1.0e8f;
  }
  row = PipeRow(model, 170, ElementType::CutPipe, 60.0f);
  row = PipeRow(model, 180, ElementType::Pipe, 60.0f);
  auto& skewed = ItemOf<SkewedRestraint>(model, row, DataType::SkewedRestraint);
  skewed.dirZ = 1.0f;
  skewed.stiffness = 1.0e12f;
  row = PipeRow(model, 190, ElementType::Pipe, 60.0f);
  ItemOf<Snubber>(model, row, DataType::Snubber).dirX = 1.0f;
  row = PipeRow(model, 200, ElementType::Pipe, 60.0f);
  ItemOf<Hanger>(model, row, DataType::Hanger).tag = "H-1";
  row = PipeRow(model, 210, ElementType::Pipe, 60.0f);
  {
    auto& nozzle = ItemOf<Nozzle>(model, row, DataType::Nozzle);
    nozzle.nozzleOd = 8.625f;
    nozzle.nozzleThickness = 0.5f;
    nozzle.vesselOd = 48.0f;
    nozzle.vesselThickness = 0.5f;
    nozzle.l1 = nozzle.l2 = 60.0f;
    nozzle.elasticModulus = 29.0e6f;
    nozzle.vesselAxis = {0.0f, 1.0f, 0.0f};
    nozzle.tag = "N-1";
    ComputeNozzleStiffness(nozzle);
  }
  row = PipeRow(model, 220, ElementType::Pipe, 0.0f, 60.0f);
  ItemOf<GenericSupport>(model, row, DataType::GenericSupport).terms[0] = 5.0e4f;
  // A tee at 25 on the run: its branch leaves along Z, jacketed between
  // end caps with a spider and a jacketed bend, to an anchor at 29.
  row = PipeRow(model, 25, ElementType::From, 0.0f);
  row = PipeRow(model, 26, ElementType::JacketedPipe, 0.0f, 0.0f, -40.0f);
  Jacket(model, row);
  PutItem(model, row, DataType::Spider);
  row = PipeRow(model, 27, ElementType::JacketedBend, 0.0f, 0.0f, -40.0f);
  Jacket(model, row);
  row = PipeRow(model, 28, ElementType::JacketedPipe, 0.0f, 40.0f);
  Jacket(model, row);
  PutItem(model, row, DataType::Anchor);
  PutItem(model, AddRow(model, 25, ElementType::Location), DataType::JacketEndCap);
  PutItem(model, AddRow(model, 28, ElementType::Location), DataType::JacketEndCap);
  // A beam down from 60 to an anchor.
  row = AddRow(model, 60, ElementType::From);
  model.row(row).material = "ST";
  model.row(row).section = "W14";
  model.row(row).load = "BL";
  row = AddRow(model, 65, ElementType::Beam, 0.0f, -60.0f);
  model.row(row).material = "ST";
  model.row(row).section = "W14";
  model.row(row).load = "BL";
  PutItem(model, row, DataType::Anchor);
  // A tie rod beside the pipe from 180 to 190.
  row = PipeRow(model, 180, ElementType::From, 0.0f);
  row = PipeRow(model, 190, ElementType::TieRod, 60.0f);
  ElementOf<TieRod>(model, row).tensionStiffness = 1.0e5f;
  // An FRP pipe and a buried pipe on from 220, each to an anchor.
  row = PipeRow(model, 230, ElementType::Pipe, 60.0f);
  model.row(row).material = "FRP";
  row = PipeRow(model, 240, ElementType::Pipe, 120.0f);
  model.row(row).section = "SB";
  PutItem(model, row, DataType::Anchor);
  AddRow(model, 0, ElementType::Comment);
  ElementOf<HydrotestLoad>(model, AddRow(model, 0, ElementType::HydrotestLoad)).specificGravity = 1.0f;
  MakeModel(model);
  model.seismic.g = {0.1f, 0.0f, 0.2f};
  model.options.ModeCount = 4;
  model.options.CutOffFrequency = 1000;
  ResponseSpectrum flat;
  flat.name = "FLAT";
  flat.ordinateUnit = kOrdinateG;
  flat.points = {{0.1f, 0.3f * 386.4f}, {100.0f, 0.3f * 386.4f}};
  SetLastSpectrum(model.spectra, flat);
  SetDirectionSpectrum(model.spectrumLoad, 1, "FLAT", 1.0f);
  // Without a piping code the static case stands for the coded ones.
  if (code == 0) SetCases(model, {32, 19, 12, 30, 31});
  else SetCases(model, {1, 8, 2, 19, 12, 30, 31});
}

}  // namespace every_kind
