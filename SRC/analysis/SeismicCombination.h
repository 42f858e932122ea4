// The static seismic case ("Seismic (g)"): one static step per direction
// whose acceleration is not 0 ("X acceleration", "Y acceleration",
// "Z acceleration"), each keeping its displacement, element-force and
// support-load blocks apart from the results file, then "Combining
// acceleration results", which combines the directions value by value into
// the case's blocks: the absolute sum, the square root of the sum of
// squares, or the algebraic sum (the signed values added), as the model's
// seismic combination says.
//
// Seismic anchor movements (the seismic set of the anchors' and nozzles'
// specified displacements, in the codes that have them) are one static step
// of their own, "Seismic anchor movements", run before the load cases when
// the list holds a static seismic or a response spectrum case. Its blocks
// are kept for the run, and their absolute values are added to every
// combined value of those cases: the inertia and the support movements are
// taken as acting together at their worst.
#pragma once

#include <span>

class AnalysisProgress;
struct AnalysisElementList;
struct Model;

// The run has a seismic anchor movement step: the code has seismic anchor
// movements, the list holds a Seismic (g) or response spectrum case, and
// some anchor or nozzle has its seismic movements given.
bool HasSeismicAnchorMovements(const Model& model);

// One value from the directions taking part (values of the others are
// ignored) by the combination method of the model (StaticSeismic.h).
double CombineSeismicValue(std::span<const double> values, std::span<const bool> present, int method);

// After the direction step's solve: its three blocks, kept for the
// combination (through its work file).
void KeepSeismicDirectionBlocks(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress,
                                int direction);
// After the seismic anchor movement step's solve: its three blocks (node
// records, element records, support records), kept for the run.
void KeepSeismicAnchorMovementBlocks(const Model& model, const AnalysisElementList& elements,
                                     AnalysisProgress& progress);
// The kept blocks, one after another; empty when the run has none.
std::span<const float> SeismicAnchorMovementBlocks();
// Adds the absolute values of the kept blocks, from value `first` on, to
// `values` (nothing without them).
void AddSeismicAnchorMovements(std::span<float> values, std::size_t first);

// The combination step: writes the case's blocks into g_ResultsFile and
// forgets the directions' blocks.
void CombineSeismicResults(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress);
// What a run leaves of the direction and anchor movement blocks is released
// (every end of a run).
void ReleaseSeismicDirectionBlocks();
