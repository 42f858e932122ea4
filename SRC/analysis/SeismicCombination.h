// The static seismic case ("Seismic (g)"): one static step per direction
// whose acceleration is not 0 ("X acceleration", "Y acceleration",
// "Z acceleration"), each keeping its displacement, element-force and
// support-load blocks apart from the results file, then "Combining
// acceleration results", which combines the directions value by value into
// the case's blocks: the absolute sum, the square root of the sum of
// squares, or the algebraic sum (the signed values added), as the model's
// seismic combination says.
#pragma once

#include <span>

class AnalysisProgress;
struct AnalysisElementList;
struct Model;

// The direction steps' types: 26, 27, 28 for X, Y, Z.
constexpr int kFirstSeismicDirectionStep = 26;
constexpr int kSeismicCombinationStep = 29;

// One value from the directions taking part (values of the others are
// ignored) by the combination method of the model (StaticSeismic.h).
double CombineSeismicValue(std::span<const double> values, std::span<const bool> present, int method);

// After the direction step's solve: its three blocks, kept for the
// combination (through its work file).
void KeepSeismicDirectionBlocks(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress,
                                int direction);
// The combination step: writes the case's blocks into g_ResultsFile and
// forgets the directions' blocks.
void CombineSeismicResults(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress);
// What a run leaves of the direction blocks is released (every end of a run).
void ReleaseSeismicDirectionBlocks();
