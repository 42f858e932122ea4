// The end forces in global axes and their cell texts; see ElementForceValues.h.
#include "results/ElementForceValues.h"

#include <cmath>

#include "elements/ElementForces.h"
#include "model/AnalysisElements.h"
#include "services/Units.h"

std::array<double, 12> PipeForceValues(const Model& model, const AnalysisElement& element,
                                       const std::array<float, 12>& record) {
  std::array<double, 12> global{};
  // Kinds without end frames (cut pipe, comment, hydrotest) never carry
  // forces; a record naming one is shown as zeros, not turned.
  const int kind = element.kind;
  if (kind < 3 || kind > 19 || kind == 16 || kind == 18) return global;
  const ElementEndFrames frames =
      ComputeElementEndFrames(model, static_cast<ElementType>(element.kind), element.row, element.node1, element.node2);
  for (int triple = 0; triple < 4; ++triple) {
    const ElementAxes& axes = triple < 2 ? frames.end1 : frames.end2;
    const std::size_t at = static_cast<std::size_t>(triple) * 3;
    const Vector3d local{record[at], record[at + 1], record[at + 2]};
    const Vector3d turned = ToGlobal(axes, local);
    for (std::size_t i = 0; i < 3; ++i) global[at + i] = turned[i];
  }
  return global;
}

std::string FormatPipeForce(const std::array<double, 12>& global, int column, int line, int offset, bool dynamic) {
  const int index = column - 2 - offset;
  if (index < 0 || index > 5 || line < 0 || line > 1) return {};
  double value = global[static_cast<std::size_t>(line * 6 + index)];
  if (dynamic)
    value = std::fabs(value);
  else if (line == 0)
    value = -value;
  return index < 3 ? FormatForce(static_cast<float>(value)) : FormatMoment(static_cast<float>(value));
}

std::string FormatLocalForce(const std::array<float, 12>& record, int column, int line, int firstColumn) {
  const int index = column - firstColumn;
  if (index < 0 || index > 5 || line < 0 || line > 1) return {};
  const float value = record[static_cast<std::size_t>(line * 6 + index)];
  return index < 3 ? FormatForce(value) : FormatMoment(value);
}
