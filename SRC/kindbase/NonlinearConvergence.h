// What the nonlinear kinds (gaps, limits, friction, joints) ask of the
// iteration while it runs (analysis/NonlinearIteration.h): the state of the
// current pass and the convergence tests that compare a new response with
// the last one.
#pragma once

#include <cstdint>

#include "numeric/RunState.h"

struct NonlinearIterationState {
  std::int32_t iteration = 0;  // 0 between loops, counted from 1 in a loop
  std::int32_t changes = 0;    // not converged in the current pass
  double tolerance = 0.01;
  std::int32_t checkpoint = 0;
  std::int32_t interval = 500;
  MisconvergenceRecord largest;  // of the current pass
};
extern NonlinearIterationState g_NonlinearIteration;

// The convergence tests the kinds call (a new value, b old value); a failing
// test stores its ratio, kinds and node in the misconvergence record and
// answers false; the caller counts it with CountNonlinearChange.
bool NonlinearConverged(double a, double b, int elementKind, int dataKind, int node);
bool NonlinearConvergedCoarse(double a, double b, int elementKind, int dataKind, int node);
bool NonlinearConvergedAbs1(double a, double b, int elementKind, int dataKind, int node);
void CountNonlinearChange();
