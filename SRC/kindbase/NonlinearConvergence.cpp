// The state of a nonlinear pass and the convergence tests of the kinds
// (see NonlinearConvergence.h).
#include "kindbase/NonlinearConvergence.h"

#include <cmath>

NonlinearIterationState g_NonlinearIteration;

namespace {

bool Fail(double a, double b, int elementKind, int dataKind, int node) {
  const double ratio = a == 0.0 ? 1.0 : std::fabs((a - b) / a);
  MisconvergenceRecord record{static_cast<float>(ratio), elementKind, dataKind, node};
  g_AnalysisFlags.misconvergence = record;
  if (g_NonlinearIteration.largest.node == 0 || record.ratio > g_NonlinearIteration.largest.ratio)
    g_NonlinearIteration.largest = record;
  return false;
}

double Ratio(double a, double b) { return a == 0.0 ? 1.0 : std::fabs((a - b) / a); }

}  // namespace

bool NonlinearConverged(double a, double b, int elementKind, int dataKind, int node) {
  if (std::fabs(a) < 1.0e-6) a = 0.0;
  if (std::fabs(b) < 1.0e-6) b = 0.0;
  if (std::fabs(a - b) < 1.0e-6 || Ratio(a, b) < g_NonlinearIteration.tolerance) return true;
  return Fail(a, b, elementKind, dataKind, node);
}

bool NonlinearConvergedCoarse(double a, double b, int elementKind, int dataKind, int node) {
  if (std::fabs(a) < 0.01) a = 0.0;
  if (std::fabs(b) < 0.01) b = 0.0;
  if (std::fabs(a - b) < 0.1 || Ratio(a, b) < g_NonlinearIteration.tolerance) return true;
  return Fail(a, b, elementKind, dataKind, node);
}

bool NonlinearConvergedAbs1(double a, double b, int elementKind, int dataKind, int node) {
  if ((std::fabs(a) < 1.0 && std::fabs(a - b) < 1.0) || Ratio(a, b) < g_NonlinearIteration.tolerance) return true;
  return Fail(a, b, elementKind, dataKind, node);
}

void CountNonlinearChange() { ++g_NonlinearIteration.changes; }
