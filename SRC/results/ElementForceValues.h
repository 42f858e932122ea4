// The stored end forces of an element turned to global axes, and their cell
// texts. A record holds end 1 then end 2, force then moment, each end in
// its own frame (the end-force convention: end 2 what the node exerts on
// the element, end 1 its negative). PipeForceValues keeps those signs; the
// global cells of the force tables show what each node exerts on the
// element (end 1 negated back) for a static case and magnitudes for a
// dynamic case, whose values are envelopes without a sign.
//
// The frames are those the recovery used (kindbase/EndForces.h), made again
// per element from the model, so a table and the analysis can never
// disagree about an element's axes.
#pragma once

#include <array>
#include <string>

struct AnalysisElement;
struct Model;

// global = R^T local for each of the four triples of `record` (input, 12
// values), end 1 with the end-1 frame, end 2 with the end-2 frame.
std::array<double, 12> PipeForceValues(const Model& model, const AnalysisElement& element,
                                       const std::array<float, 12>& record);

// The cell text of a global value: index = column - 2 (offset 0) or
// column - 3 (offset 1); indexes 0-2 forces, 3-5 moments of the end of
// `line` (0 end 1, 1 end 2); any other index gives the empty text. `dynamic`:
// both lines show magnitudes.
std::string FormatPipeForce(const std::array<double, 12>& global, int column, int line, int offset, bool dynamic);
// The cell text of a stored local value: index = column - firstColumn,
// 0-2 forces and 3-5 moments of the end of `line`, as stored.
std::string FormatLocalForce(const std::array<float, 12>& record, int column, int line, int firstColumn);
