// The limits Analyze holds the evaluation tools' values to (see
// EvaluationInputLimits.h).
#include "evaluations/EvaluationInputLimits.h"

#include <cfloat>
#include <cmath>

#include "services/Message.h"
#include "services/NumberText.h"

InputLimitRefusal CheckInputLimits(const std::vector<NamedInput>& inputs, const std::function<bool()>& resultsFinite) {
  for (const NamedInput& input : inputs)
    if (!NumberBelowLimit(input.value)) return {FormatFieldError(input.name, input.text, "is invalid"), input.item};
  if (resultsFinite()) return {};
  const NamedInput* largest = nullptr;
  for (const NamedInput& input : inputs)
    if (largest == nullptr || std::fabs(input.value) > std::fabs(largest->value)) largest = &input;
  if (largest == nullptr) return {"The results are not finite", 0};
  return {FormatFieldError(largest->name, largest->text, "is too large: the results are not finite"), largest->item};
}

bool ResultsFinite(std::initializer_list<double> results) {
  for (double result : results)
    if (!std::isfinite(result) || std::fabs(result) > FLT_MAX) return false;
  return true;
}
