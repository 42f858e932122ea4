// What the time-history result tests share: the results tests' line (see
// ResultsTesting.h) given a half-sine pulse FY of 2000 lb at node 20 (and,
// with `others`, a flat 800 lb FZ force spectrum and a 7 Hz, 300 lb FY
// harmonic load there), six modes, 101 time points of 0.002 s with output
// every second point (50 saved steps), 5 % damping.
#pragma once

#include <string>
#include <vector>

#include "analysis/AnalysisTesting.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/HarmonicLoad.h"
#include "loads/TimeVaryingLoad.h"
#include "model/MakeModel.h"
#include "records/ForceSpectrum.h"
#include "records/TimeFunction.h"

inline void AddNamedPoints(NamedPointsList& list, const std::string& name, const std::vector<FloatPair>& points) {
  list.back().name = name;
  list.back().points = points;
  list.emplace_back();
}

// An item row at an existing node of the line.
inline int ItemRow(Model& model, NodeId node, DataType type) {
  const int row = analysis_testing::PipeRow(model, node, ElementType::From, 0.0f);
  PutItem(model, row, type);
  return row;
}

inline void AddTimeHistoryLoads(Model& model, const std::vector<int>& cases, bool others) {
  AddNamedPoints(model.timeFunctions, "PULSE", {{0.0f, 0.0f}, {0.01f, 1.0f}, {0.02f, 0.0f}, {1.0f, 0.0f}});
  auto& load = static_cast<TimeVaryingLoad&>(*model.row(ItemRow(model, 20, DataType::TimeVaryingLoad)).item);
  load.Direction = 2;
  load.TimeFunctionName = "PULSE";
  load.ScaleFactor = 2000.0f;
  load.UnitFactor = 1.0f;
  if (others) {
    AddNamedPoints(model.forceSpectra, "FLAT", {{1.0f, 800.0f}, {1000.0f, 800.0f}});
    auto& spectrum = static_cast<ForceSpectrumLoad&>(*model.row(ItemRow(model, 20, DataType::ForceSpectrumLoad)).item);
    spectrum.Direction = 3;
    spectrum.SpectrumName = "FLAT";
    auto& harmonic = static_cast<HarmonicLoad&>(*model.row(ItemRow(model, 20, DataType::HarmonicLoad)).item);
    harmonic.Frequency = 7.0f;
    harmonic.FY = 300.0f;
    model.harmonic.damping = 3.0f;
  }
  MakeModel(model);
  analysis_testing::SetCases(model, cases);
  model.options.ModeCount = 6;
  model.options.CutOffFrequency = 1000;
  model.timeHistory.timeStep = 0.002f;
  model.timeHistory.stepCount = 101;
  model.timeHistory.outputInterval = 2;
  model.timeHistory.damping = 5.0f;
  model.timeHistory.writeResults = 1;
}

// The time-varying, force spectrum and harmonic loads moved to `node`.
inline void MoveDynamicLoads(Model& model, NodeId node) {
  for (int row = 1; row <= model.rowCount; ++row) {
    const DataType type = model.row(row).dataType;
    if (type == DataType::TimeVaryingLoad || type == DataType::ForceSpectrumLoad || type == DataType::HarmonicLoad)
      model.row(row).node = node;
  }
}
