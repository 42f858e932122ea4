// The check before a model made from a file is shown; see ModelIntake.h.
#include "files/ModelIntake.h"

#include <cstdio>
#include <vector>

#include "files/BatchExportFields.h"
#include "files/ModelFile.h"
#include "model/Model.h"
#include "model/ModelRules.h"
#include "model/Nodes.h"
#include "records/BeamLoad.h"
#include "records/BeamMaterial.h"
#include "records/BeamSection.h"
#include "records/FieldRules.h"
#include "records/ForceSpectrum.h"
#include "records/Material.h"
#include "records/ModelFileFormat.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"
#include "records/PointTables.h"
#include "records/Soil.h"
#include "records/Spectrum.h"
#include "records/TimeFunction.h"
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

bool KeepsStoredValueRule(float value) { return StoredValueAcceptable(value); }

template <std::size_t N>
std::string NameAt(const char* const (&names)[N], std::size_t field) {
  return field < N ? names[field] : "field " + std::to_string(field + 1);
}

std::string FieldName(const std::vector<RecordField>& fields, std::size_t field) {
  return field < fields.size() ? fields[field].name : "field " + std::to_string(field + 1);
}

template <typename Record>
std::string TableFieldName(const ModelRecordTable<Record>& table, int number, std::size_t field,
                           std::vector<RecordField> (*fields)(const Record&)) {
  return number >= 1 && number <= table.count ? FieldName(fields(table[number]), field) : FieldName({}, field);
}

template <typename List>
std::string TableName(const List& list, int number) {
  return number >= 1 && static_cast<std::size_t>(number) <= list.size()
             ? " " + VisibleText(list[static_cast<std::size_t>(number - 1)].name)
             : std::string();
}

// Where the checker's fault stands, as the user reads it: the record
// ("Row 3", "Time function F1") and the field's name, from the names of
// the model file's fields (BatchExportFields.h) where they have them.
void NameFault(const Model& model, const BinaryFileFault& fault, std::string& where, std::string& field) {
  static const char* const kGraphics[] = {"view direction X", "view direction Y", "view direction Z", "view left",
                                          "view bottom",      "view right",       "view top"};
  static const char* const kSpectrumLoad[] = {"X spectrum", "X factor", "Y spectrum",
                                              "Y factor",   "Z spectrum", "Z factor"};
  static const char* const kNode[] = {"node number", "node kind", "X", "Y", "Z", "row"};
  const std::string record = fault.record;
  const int number = fault.number;
  where = record + (number > 0 ? " " + std::to_string(number) : std::string());
  const std::size_t at = fault.field;
  if (record == kOptionsRecord) field = FieldName(OptionsFields(model), at);
  else if (record == kGraphicsRecord) field = NameAt(kGraphics, at);
  else if (record == kSpectrumLoadRecord) field = NameAt(kSpectrumLoad, at);
  else if (record == kMaterialRecord) field = TableFieldName(model.materials, number, at, MaterialFields);
  else if (record == kSectionRecord) field = TableFieldName(model.sections, number, at, SectionFields);
  else if (record == kPipeLoadRecord) field = TableFieldName(model.pipeLoads, number, at, PipeLoadFields);
  else if (record == kBeamMaterialRecord) field = TableFieldName(model.beamMaterials, number, at, BeamMaterialFields);
  else if (record == kBeamSectionRecord) field = TableFieldName(model.beamSections, number, at, BeamSectionFields);
  else if (record == kBeamLoadRecord) field = TableFieldName(model.beamLoads, number, at, BeamLoadFields);
  else if (record == kPumpRecord) field = TableFieldName(model.pumps, number, at, PumpFields);
  else if (record == kCompressorRecord) field = TableFieldName(model.compressors, number, at, RotatingEquipmentFields);
  else if (record == kTurbineRecord) field = TableFieldName(model.turbines, number, at, RotatingEquipmentFields);
  else if (record == kSoilRecord) field = TableFieldName(model.soils, number, at, SoilFields);
  else if (record == kAllowableRecord) field = TableFieldName(model.allowables, number, at, AllowableFields);
  else if (record == kRowRecord && number >= 1 && number <= model.rowCount)
    field = FieldName(RowFields(model.row(number)), at);
  else if (record == kNodeRecord && number >= 1 && number <= model.nodes.count) {
    const NodeRecord& node = model.nodes[number];
    where = record + " " + NodeNumberText(node.id) + " (row " + std::to_string(node.row) + ")";
    field = NameAt(kNode, at);
  } else if (record == kSpectrumRecord) where = record + TableName(model.spectra, number);
  else if (record == kForceSpectrumRecord) where = record + TableName(model.forceSpectra, number);
  else if (record == kTimeFunctionRecord) where = record + TableName(model.timeFunctions, number);
  else field = FieldName({}, at);
}

// The first field of a table's record that its rules refuse (FieldRules.h),
// named by record and field as a value out of range is.
template <typename Record, std::size_t N>
std::string TableFieldFault(const ModelRecordTable<Record>& table, const char* record,
                            const FieldRule<Record> (&rules)[N]) {
  for (int number = 1; number <= table.count; ++number)
    if (std::string fault = RecordFieldFaultText(table[number], rules, record + (" " + std::to_string(number)));
        !fault.empty())
      return fault;
  return {};
}

std::string FieldRuleFault(const Model& model) {
  // New loads take the reference temperature: one no load may hold would
  // have every later edit of the loads refused.
  if (const FieldRefusal refusal = LoadTemperatureRefusal(model.options.ReferenceTemperature))
    return FieldFaultText(kOptionsRecord, {"reference temperature", model.options.ReferenceTemperature, refusal});
  for (int number = 1; number <= model.materials.count; ++number)
    if (std::string fault = MaterialFieldFaultText(model.materials[number], kMaterialRecord + (" " + std::to_string(number)));
        !fault.empty())
      return fault;
  std::string fault = TableFieldFault(model.sections, kSectionRecord, kSectionRules);
  if (fault.empty()) fault = TableFieldFault(model.pipeLoads, kPipeLoadRecord, kPipeLoadRules);
  if (fault.empty()) fault = TableFieldFault(model.beamMaterials, kBeamMaterialRecord, kBeamMaterialRules);
  if (fault.empty()) fault = TableFieldFault(model.beamSections, kBeamSectionRecord, kBeamSectionRules);
  if (fault.empty()) fault = TableFieldFault(model.beamLoads, kBeamLoadRecord, kBeamLoadRules);
  if (fault.empty()) fault = TableFieldFault(model.soils, kSoilRecord, kSoilRules);
  return fault;
}

}  // namespace

std::string ModelWriteFault(const Model& model) {
  BinaryFile checker;
  BinaryFileOpenCheck(checker, KeepsStoredValueRule);
  WriteModelStream(checker, model);
  if (checker.overlongRoom != 0)
    return "The text \"" + checker.overlongText + "\" is longer than the " + std::to_string(checker.overlongRoom) +
           " characters the model file keeps for it.";
  const BinaryFileFault& fault = BinaryFileFirstFault(checker);
  if (!fault.found) return FieldRuleFault(model);
  std::string where, field;
  NameFault(model, fault, where, field);
  const std::string range = " is out of range (" + std::string(kStoredValueRange) + ")";
  if (fault.pair < 0) return where + ": the " + field + " " + ValueText(fault.value) + range;
  // A point of a list: a spectrum's, a force spectrum's, a time function's
  // or a wind profile's.
  return where + (field.empty() ? "" : ": " + field) + ", point " + std::to_string(fault.pair + 1) + ": the " +
         (fault.ordinate ? "value " : "abscissa ") + ValueText(fault.value) + range;
}

std::string ModelIntakeRefusal(Model& model, IntakeRoad road, const std::string& fileValueFault) {
  if (!fileValueFault.empty()) return fileValueFault + "\n" + Outcome(road);
  if (road == IntakeRoad::kImport) {
    const std::vector<BrokenRule> broken = BrokenRowRules(model);
    if (!broken.empty()) return broken.front().message + "\n" + Outcome(road);
  }
  if (const std::string fault = ModelWriteFault(model); !fault.empty()) return fault + "\n" + Outcome(road);
  std::string refusal = ModelSaveRefusal(model);
  if (refusal.empty()) return refusal;
  // The writer's words are a save's; the road's outcome is what happened.
  const std::string saved = "\nThe model was not saved.";
  if (refusal.size() >= saved.size() && refusal.compare(refusal.size() - saved.size(), saved.size(), saved) == 0)
    refusal.erase(refusal.size() - saved.size());
  return refusal + "\n" + Outcome(road);
}
