// A line of 4.5-inch pipe with one support of each kind that iterates or
// acts along a direction, shared by the result tests and their screenshots:
// from 10 (anchor) along X, 20 a guide (mu 0.3), 30 a +Y stop (lower limit
// 0), 40 a Z skewed restraint, 50 an X snubber with a Z restraint on a
// Location row, then up 60 inch in Z to 60, a generic support; sustained,
// operating and expansion, saved under `path`.
#pragma once

#include <string>

#include "analysis/AnalysisTesting.h"
#include "files/ModelFile.h"
#include "model/MakeModel.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace nonlinear_plant {

constexpr int kGuideRow = 2, kStopRow = 3, kSkewedRow = 4, kSnubberRow = 5, kGenericRow = 6;

template <typename Kind>
Kind& Put(Model& model, int row, DataType type) {
  PutItem(model, row, type);
  return static_cast<Kind&>(*model.row(row).item);
}

inline void Build(Model& model, const std::string& path) {
  using namespace analysis_testing;
  StartModel(model, 300.0, kDensity, path);
  PipeRow(model, 10, ElementType::From, 0.0f);
  PutItem(model, 1, DataType::Anchor);
  PipeRow(model, 20, ElementType::Pipe, 60.0f);
  Put<Guide>(model, kGuideRow, DataType::Guide).frictionCoefficient = 0.3f;
  PipeRow(model, 30, ElementType::Pipe, 60.0f);
  auto& stop = Put<LimitStop>(model, kStopRow, DataType::LimitStop);
  stop.dirY = 1.0f;
  stop.lowerLimit = 0.0f;
  PipeRow(model, 40, ElementType::Pipe, 60.0f);
  auto& skewed = Put<SkewedRestraint>(model, kSkewedRow, DataType::SkewedRestraint);
  skewed.dirZ = 1.0f;
  skewed.stiffness = 1.0e12f;
  PipeRow(model, 50, ElementType::Pipe, 60.0f);
  Put<Snubber>(model, kSnubberRow, DataType::Snubber).dirX = 1.0f;
  PipeRow(model, 60, ElementType::Pipe, 0.0f, 0.0f, 60.0f);
  PutItem(model, kGenericRow, DataType::GenericSupport);
  const int location = PipeRow(model, 50, ElementType::Location, 0.0f);
  Put<Restraint>(model, location, DataType::Restraint).restrainZ = 1;
  MakeModel(model);
  SetCases(model, {1, 8, 2});
}

}  // namespace nonlinear_plant
