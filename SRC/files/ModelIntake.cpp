// The check before a model made from a file is shown; see ModelIntake.h.
#include "files/ModelIntake.h"

#include <cstdio>
#include <vector>

#include "files/ModelFile.h"
#include "model/Model.h"
#include "model/ModelRules.h"
#include "records/PointTables.h"
#include "records/Spectrum.h"
#include "records/Wind.h"
#include "services/NumberText.h"

namespace {

const char* Outcome(IntakeRoad road) {
  switch (road) {
    case IntakeRoad::kModelFile: return "The model was not opened.";
    case IntakeRoad::kImport: return "The model was not imported.";
    case IntakeRoad::kMerge: return "The model was not merged.";
  }
  return "";
}

std::string ValueText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4G", static_cast<double>(value));
  return text;
}

// The first point of a list of named tables whose abscissa or value breaks
// the rule of a stored value, "KIND NAME, point N: ..."; empty when none.
template <typename List>
std::string PointValueFault(const List& list, const char* kind) {
  for (const auto& table : list)
    for (std::size_t k = 0; k < table.points.size(); ++k)
      for (const float value : {table.points[k].x, table.points[k].y})
        if (!StoredValueAcceptable(value))
          return std::string(kind) + " " + VisibleText(table.name) + ", point " + std::to_string(k + 1) +
                 ": the value " + ValueText(value) + " is out of range (" + kStoredValueRange + ")";
  return {};
}

// A profile value of 1E38 or more only damage makes; one below 1E-37 an
// older wind cell could store (1E-37 typed in km/h), and it is harmless.
std::string WindValueFault(const WindData& wind) {
  for (std::size_t load = 0; load < wind.loads.size(); ++load) {
    const WindLoad& w = wind.loads[load];
    for (const auto* profile : {&w.velocityProfile, &w.pressureProfile})
      for (std::size_t k = 0; k < profile->size(); ++k)
        for (const float value : {(*profile)[k].elevation, (*profile)[k].value})
          if (IsBeyondStoredLimit(value))
            return "Wind load " + std::to_string(load + 1) + ", profile point " + std::to_string(k + 1) +
                   ": the value " + ValueText(value) + " is out of range (" + kStoredValueRange + ")";
  }
  return {};
}

// The tables the text readers, the grids and the library fill: one rule for
// their values on every road.
std::string StoredValueFault(const Model& model) {
  for (const std::string& fault :
       {PointValueFault(model.spectra, "Spectrum"), PointValueFault(model.forceSpectra, "Force spectrum"),
        PointValueFault(model.timeFunctions, "Time function"), WindValueFault(model.wind)})
    if (!fault.empty()) return fault;
  return {};
}

}  // namespace

std::string ModelIntakeRefusal(Model& model, IntakeRoad road) {
  if (road == IntakeRoad::kImport) {
    const std::vector<BrokenRule> broken = BrokenRowRules(model);
    if (!broken.empty()) return broken.front().message + "\n" + Outcome(road);
  }
  if (const std::string fault = StoredValueFault(model); !fault.empty()) return fault + "\n" + Outcome(road);
  std::string refusal = ModelSaveRefusal(model);
  if (refusal.empty()) return refusal;
  // The writer's words are a save's; the road's outcome is what happened.
  const std::string saved = "\nThe model was not saved.";
  if (refusal.size() >= saved.size() && refusal.compare(refusal.size() - saved.size(), saved.size(), saved) == 0)
    refusal.erase(refusal.size() - saved.size());
  return refusal + "\n" + Outcome(road);
}
