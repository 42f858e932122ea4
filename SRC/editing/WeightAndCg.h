// The weight summary of an analysed model: empty, insulation, content,
// lining and additional weight, their total and the centre of gravity of
// the total. Computed from the analysis elements each time a results file
// has been read, shown by CG_DIALOG ("Weight & Center of Gravity", the
// Results window's "Center of Gravity" command) and printed with the model
// report while results are shown.
//
// Each element weighs its own length: an arc of a bend (a bend split by
// intermediate nodes has several) its own sub-arc R theta, placed at that
// arc's centroid; a straight element at its midpoint. A valve's additional
// weight counts in the additional weight at its offset from the valve's
// centre. Values are pound and inch.
#pragma once

#include <string>

#include "platform/Types.h"

struct Model;
struct AnalysisElementList;

struct WeightSummary {
  double empty = 0.0, insulation = 0.0, content = 0.0, lining = 0.0, additional = 0.0, total = 0.0;
  double centre[3] = {0.0, 0.0, 0.0};
  bool computed = false;
};

// The last computed summary.
WeightSummary& TheWeightSummary();
// Computes the summary of `model` from `elements` (made from it) into
// TheWeightSummary() and returns it.
const WeightSummary& ComputeWeightAndCg(const Model& model, const AnalysisElementList& elements);

// The dialog's lines (1 .. 7), in the current units.
std::string WeightLine(int line);
int WeightAndCgDialog(HWND owner);
// The report section; nothing before the first computation.
void PrintWeightAndCg();
