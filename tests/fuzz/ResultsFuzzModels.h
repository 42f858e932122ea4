// The models the results fuzz targets read results files for. A results
// file holds no nodes, rows or load cases of its own, so its reader reads
// it against the model in memory: every run of a target builds the same
// models in code, and its seeds are the files the analysis writes for them
// (or, for what the analysis does not write, laid out from the format).
//
// The line: From 10 (anchor), a pipe of 60 inch in X to 20, a bend to 30
// of 60 inch in X, a pipe of 60 inch in Z to 40 (anchor); 4.5 x 0.237 inch
// steel with weight at 300 F.
//   kStaticLine: a Y restraint at 20; the cases 1, 0, 8, 2 (an entry 0
//     takes no room).
//   kEveryBlock: a Y restraint at 20, a hanger at 30 and buried pipe (soil
//     records); the cases 1, 30, 31, 8 (a modal block and a response
//     spectrum case between result cases).
//   kTimeHistory: no restraint; a pulse at 20 over time; the cases 1, 30,
//     35 with the time history saved beside the results (*.rth).
#pragma once

#include <string>
#include <vector>

#include "loads/TimeVaryingLoad.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/ModelBuilder.h"
#include "records/Material.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"
#include "records/TimeFunction.h"
#include "supports/Restraint.h"

enum class ResultsFuzzModel { kStaticLine, kEveryBlock, kTimeHistory };
inline constexpr int kResultsFuzzModelCount = 3;

inline int ResultsFuzzPipeRow(Model& model, NodeId node, ElementType type, float dx, float dz = 0.0f) {
  const int row = AddRow(model, node, type, dx, 0.0f, dz);
  model.row(row).material = "CS";
  model.row(row).section = "S4";
  model.row(row).load = "L1";
  return row;
}

inline void BuildResultsFuzzModel(Model& model, ResultsFuzzModel kind, const std::string& path) {
  InitEmptyModel(model, AnalysisOptions());
  model.options.PipingCode = 3;
  model.options.ReferenceTemperature = 70.0f;
  model.options.ThermalLoadCount = 1;
  Material steel;
  steel.name = "CS";
  steel.nu = 0.3f;
  steel.density = 0.2836f;
  steel.jointFactor = 1.0f;
  steel.numtemps = 2;
  steel.temps.resize(3);
  steel.temps[1].values = {70.0f, 2.9e7f, 6.5e-6f, 2.0e4f, 3.5e4f, 6.0e4f, 0.0f, 0.0f};
  steel.temps[2].values = {900.0f, 2.9e7f, 6.5e-6f, 2.0e4f, 3.5e4f, 6.0e4f, 0.0f, 0.0f};
  AppendMaterial(model.materials, steel);
  PipeSection section;
  InitSection(section);
  section.name = "S4";
  section.outsideDiameter = 4.5f;
  section.thickness = 0.237f;
  if (kind == ResultsFuzzModel::kEveryBlock) section.soil = "CLAY";
  AppendSection(model.sections, section);
  PipeLoad load;
  InitPipeLoad(load, 70.0f);
  load.name = "L1";
  load.operating[0].temperature = 300.0f;
  load.operating[0].pressure = 0.0f;
  load.wind = 0;
  AppendPipeLoad(model.pipeLoads, load);
  model.path = path;

  ResultsFuzzPipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  ResultsFuzzPipeRow(model, 20, ElementType::Pipe, 60.0f);
  if (kind != ResultsFuzzModel::kTimeHistory) {
    PutItem(model, 2, DataType::Restraint);
    static_cast<Restraint&>(*model.row(2).item).restrainY = 1;
  }
  ResultsFuzzPipeRow(model, 30, ElementType::Bend, 60.0f);
  if (kind == ResultsFuzzModel::kEveryBlock) PutItem(model, 3, DataType::Hanger);
  ResultsFuzzPipeRow(model, 40, ElementType::Pipe, 0.0f, 60.0f);
  PutItem(model, 4, DataType::Anchor);
  std::vector<int> cases = {1, 0, 8, 2};
  if (kind == ResultsFuzzModel::kEveryBlock) cases = {1, 30, 31, 8};
  if (kind == ResultsFuzzModel::kTimeHistory) {
    cases = {1, 30, 35};
    SetLastTimeFunction(model.timeFunctions, "PULSE", {{0.0f, 0.0f}, {0.01f, 1.0f}, {0.02f, 0.0f}, {0.04f, 0.0f}});
    const int row = ResultsFuzzPipeRow(model, 20, ElementType::From, 0.0f);
    PutItem(model, row, DataType::TimeVaryingLoad);
    auto& pulse = static_cast<TimeVaryingLoad&>(*model.row(row).item);
    pulse.Direction = 2;
    pulse.TimeFunctionName = "PULSE";
    pulse.ScaleFactor = 2000.0f;
    pulse.UnitFactor = 1.0f;
    model.options.ModeCount = 3;
    model.options.CutOffFrequency = 1000;
    model.timeHistory.timeStep = 0.002f;
    model.timeHistory.stepCount = 21;
    model.timeHistory.outputInterval = 2;
    model.timeHistory.damping = 5.0f;
    model.timeHistory.writeResults = 1;
  }
  MakeModel(model);
  model.loadCases.count = static_cast<std::int32_t>(cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) model.loadCases.cases[i + 1] = cases[i];
}
