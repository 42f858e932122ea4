// The models of the rotating-equipment report tests, each saved under a
// path given: a horizontal API 610 pump whose suction nozzle (End, node 10
// at the origin, anchored) takes a weightless 6 in pipe running 24 in
// along -X to a force of (500, -600, 300) lb, its discharge (Top) an
// unloaded anchored 4.5 in stub from (10, 12, 0); and a turbine (or
// compressor) with its 8.625 in exhaust anchored at the origin, unloaded,
// and its 6.625 in inlet anchored at (0, 12, -30) under a weightless 24 in
// riser with (-150, -200, 100) lb on top. Shafts (1, 0, 0) and (0, 0, 1).
#pragma once

#include <string>

#include "analysis/AnalysisTesting.h"
#include "loads/Force.h"
#include "records/Compressor.h"
#include "records/PipeSection.h"
#include "records/Pump.h"

namespace rotating_testing {

inline void AddSection(Model& model, const std::string& name, float od, float wall) {
  PipeSection section;
  InitSection(section);
  section.name = name;
  section.outsideDiameter = od;
  section.thickness = wall;
  AppendSection(model.sections, section);
}

inline int Row(Model& model, NodeId node, ElementType type, const std::string& section, float dx, float dy = 0,
               float dz = 0) {
  const int row = analysis_testing::PipeRow(model, node, type, dx, dy, dz);
  model.row(row).section = section;
  return row;
}

inline void Load(Model& model, int row, float fx, float fy, float fz) {
  PutItem(model, row, DataType::Force);
  auto& force = static_cast<NodalForce&>(*model.row(row).item);
  force.FX = fx;
  force.FY = fy;
  force.FZ = fz;
}

}  // namespace rotating_testing

inline Model& BuildRotatingPumpModel(const std::string& path) {
  using namespace rotating_testing;
  Model& model = TheModel();
  analysis_testing::StartModel(model, 70.0, 0.0, path);
  AddSection(model, "S6", 6.625f, 0.28f);
  Row(model, 10, ElementType::From, "S6", 0.0f);
  PutItem(model, 1, DataType::Anchor);
  Row(model, 15, ElementType::Pipe, "S6", -24.0f);
  Load(model, 2, 500.0f, -600.0f, 300.0f);
  Row(model, 20, ElementType::From, "S4", 10.0f, 12.0f);
  PutItem(model, 3, DataType::Anchor);
  Row(model, 25, ElementType::Pipe, "S4", 0.0f, 6.0f);
  Pump pump;
  InitPumpRecord(pump);
  pump.name = "P-101";
  pump.suctionNode = 10;
  pump.suctionLocation = kNozzleEnd;
  pump.dischargeNode = 20;
  pump.dischargeLocation = kNozzleTop;
  pump.shaftAxis = {1, 0, 0};
  pump.centre = {10, 0, 0};
  AppendPump(model.pumps, pump);
  return model;
}

inline Model& BuildRotatingTurbineModel(const std::string& path, bool compressor) {
  using namespace rotating_testing;
  Model& model = TheModel();
  analysis_testing::StartModel(model, 70.0, 0.0, path);
  AddSection(model, "S6", 6.625f, 0.28f);
  AddSection(model, "S8", 8.625f, 0.322f);
  Row(model, 10, ElementType::From, "S8", 0.0f);
  PutItem(model, 1, DataType::Anchor);
  Row(model, 15, ElementType::Pipe, "S8", 12.0f);
  Row(model, 20, ElementType::From, "S6", 0.0f, 12.0f, -30.0f);
  PutItem(model, 3, DataType::Anchor);
  Row(model, 25, ElementType::Pipe, "S6", 0.0f, 24.0f);
  Load(model, 4, -150.0f, -200.0f, 100.0f);
  RotatingEquipment machine;
  machine.description = compressor ? "K-1" : "T-1";
  machine.inletNode = 20;
  machine.exhaustNode = 10;
  machine.shaftAxis = {0, 0, 1};
  AppendRotatingEquipment(compressor ? model.compressors : model.turbines, machine);
  return model;
}
