// The check before a model made from a file is shown; see ModelIntake.h.
#include "files/ModelIntake.h"

#include <cstdio>
#include <vector>

#include "files/BatchExportFields.h"
#include "files/ModelFile.h"
#include "model/Model.h"
#include "model/ModelRules.h"
#include "records/AllowableLoad.h"
#include "records/BeamLoad.h"
#include "records/BeamMaterial.h"
#include "records/BeamSection.h"
#include "records/Compressor.h"
#include "records/Material.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"
#include "records/PointTables.h"
#include "records/Pump.h"
#include "records/Soil.h"
#include "records/Spectrum.h"
#include "records/Wind.h"
#include "services/BinaryFile.h"
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

// The first number of `fields` that breaks the rule of a stored value, the
// making's own and the point lists (asked above) apart.
std::string FieldValueFault(const std::string& where, const std::vector<RecordField>& fields) {
  for (const RecordField& field : fields)
    if (field.entry.show != FieldShow::kMade && field.value.kind == BinaryFileValue::kFloat &&
        !StoredValueAcceptable(field.value.real))
      return where + ": the " + field.name + " " + ValueText(field.value.real) + " is out of range (" +
             kStoredValueRange + ")";
  return {};
}

template <typename Record>
std::string TableValueFault(const char* kind, const ModelRecordTable<Record>& table,
                            std::vector<RecordField> (*fields)(const Record&)) {
  for (int i = 1; i <= table.count; ++i)
    if (std::string fault = FieldValueFault(std::string(kind) + " " + std::to_string(i), fields(table[i]));
        !fault.empty())
      return fault;
  return {};
}

// Whether every number the model's file holds keeps the rule: asked of all
// at once, so that the records are walked by name only to name a fault.
bool FileValuesAcceptable(const Model& model) {
  std::vector<BinaryFileValue> values;
  BinaryFile recorder;
  BinaryFileOpenRecorder(recorder, values);
  WriteModelStream(recorder, model);
  for (const BinaryFileValue& value : values)
    if (value.kind == BinaryFileValue::kFloat && !StoredValueAcceptable(value.real)) return false;
  return true;
}

// Every other number a model stores, by record and field as its file holds
// them (BatchExportFields.h): a model file's too, which no text reader has
// asked.
std::string RecordValueFault(const Model& model) {
  if (FileValuesAcceptable(model)) return {};
  std::string fault = FieldValueFault("Analysis options", OptionsFields(model));
  if (fault.empty()) fault = TableValueFault("Material", model.materials, MaterialFields);
  if (fault.empty()) fault = TableValueFault("Pipe section", model.sections, SectionFields);
  if (fault.empty()) fault = TableValueFault("Load", model.pipeLoads, PipeLoadFields);
  if (fault.empty()) fault = TableValueFault("Beam material", model.beamMaterials, BeamMaterialFields);
  if (fault.empty()) fault = TableValueFault("Beam section", model.beamSections, BeamSectionFields);
  if (fault.empty()) fault = TableValueFault("Beam load", model.beamLoads, BeamLoadFields);
  if (fault.empty()) fault = TableValueFault("Pump", model.pumps, PumpFields);
  if (fault.empty()) fault = TableValueFault("Compressor", model.compressors, RotatingEquipmentFields);
  if (fault.empty()) fault = TableValueFault("Turbine", model.turbines, RotatingEquipmentFields);
  if (fault.empty()) fault = TableValueFault("Soil", model.soils, SoilFields);
  if (fault.empty()) fault = TableValueFault("Allowable load", model.allowables, AllowableFields);
  for (int row = 1; fault.empty() && row <= model.rowCount; ++row)
    fault = FieldValueFault("Row " + std::to_string(row), RowFields(model.row(row)));
  return fault;
}

// The tables the text readers, the grids and the library fill, and every
// other number the model stores: one rule for their values on every road.
std::string StoredValueFault(const Model& model) {
  for (const std::string& fault :
       {PointValueFault(model.spectra, "Spectrum"), PointValueFault(model.forceSpectra, "Force spectrum"),
        PointValueFault(model.timeFunctions, "Time function"), WindValueFault(model.wind), RecordValueFault(model)})
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
