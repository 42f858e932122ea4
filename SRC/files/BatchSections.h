// The option and property sections of a model batch file: one reader per
// section, each called once per data line with the line in the reader state
// (ModelBatchFile.h), each filling the tables or settings of the model being
// imported: OPTIONS, SEISMIC and WIND (BatchOptionSections.cpp), MATERIAL,
// LOADS, SOILS, PIPE, BMATERIALS, BSECTIONS and BLOADS
// (BatchPropertySections.cpp), PUMPS, COMPRESSORS, TURBINES and ALLOW
// (BatchEquipmentSections.cpp). Every error goes through BatchLineError.
//
// Shared rules: a field that is missing (the line ended) or empty keeps its
// default, except where a layout says a field is read even when empty; a
// required field refuses both. Names follow the name rule (at most 5
// characters, 3 for soils; letters, digits, "-" and "/"). Numbers are read in
// the units in force when their line is read.
//
// Pipe loads also take values the file does not hold, so that design >=
// operating holds and pairs beyond T3 are neutral: FinishBatchPipeLoads runs
// once the whole file was read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "records/FieldRules.h"
#include "records/ModelBatchFile.h"
#include "records/PipeSection.h"

struct Model;

using BatchParser = int (*)(std::string_view text, float& value);

void ParseBatchOptions(BatchReader& reader);
void ParseBatchSeismic(BatchReader& reader);
void ParseBatchWind(BatchReader& reader);

void ParseBatchMaterial(BatchReader& reader);
void ParseBatchPipeLoad(BatchReader& reader);
void ParseBatchSoil(BatchReader& reader);
void ParseBatchPipeSection(BatchReader& reader);
// The nominal size of every pipe section a PIPE line gives.
constexpr const char* kBatchSectionSize = "Non Std";
void ParseBatchBeamMaterial(BatchReader& reader);
void ParseBatchBeamSection(BatchReader& reader);
void ParseBatchBeamLoad(BatchReader& reader);

void ParseBatchPump(BatchReader& reader);
void ParseBatchCompressor(BatchReader& reader);
void ParseBatchTurbine(BatchReader& reader);
void ParseBatchAllowable(BatchReader& reader);

// Whether a T2 or T3 written as `text`, `temperature` degrees F, makes its
// pair a thermal load in use: any temperature written but the 70 F a
// missing field takes and a written 0, which the writers of these files
// have always put in a pair not in use (0 C as much as 0 F). A cold
// operating temperature (-20 F) is as much a thermal load as a hot one; an
// empty field is none. The number of thermal loads in use is 3 when a
// line's T3 is in use, else 2 when a T2 is, else 1.
bool IsBatchTemperatureInUse(std::string_view text, float temperature);
// Every pipe load's pairs T4/P4 .. T10/P10 become the reference temperature
// and the not-given pressure, and its design temperature and pressure the
// largest of the pairs in use.
void FinishBatchPipeLoads(Model& model);
// Every beam load's temperatures that its line did not give become the
// reference temperature the whole file gives (AMB may follow BLOADS).
void FinishBatchBeamLoads(const BatchReader& reader, Model& model);

// --- Field helpers shared by the section readers ------------------------------
inline bool IsGivenField(const std::optional<std::string>& field) { return field && !field->empty(); }
// A value through a unit parser; a refused text ends the line with the
// message and, unless `withField` is false, the field.
float ParseBatchValue(const BatchReader& reader, const std::string& field, BatchParser parser,
                      const std::string& message, bool withField = true);
// The name rule for a record of `kind` ("Material", "Soil" ...).
void CheckBatchName(const BatchReader& reader, const std::optional<std::string>& name, const std::string& kind,
                    std::size_t width);
// `value` of an imported field by the rule of its field in `record`
// (records/FieldRules.h), as a cell judges what is typed. A refusal calls
// `fail` (which does not return) with `relation`, the format's words for a
// rule against the other fields of the record ("Thickness is greater than
// radius"), or with null, for the format's message of the field.
template <typename Record, typename Fail>
float RuledImportValue(float value, const FieldRule<Record>& rule, const Record& record, const char* relation,
                       Fail fail) {
  if (const FieldRefusal refusal = rule.judge(value, record))
    fail(refusal.show == RefusalShow::kMessage ? relation : nullptr);
  return value;
}
// The same for a batch line: `message` and the field, or `relation` alone.
template <typename Record>
float RuledBatchValue(const BatchReader& reader, const std::string& field, float value, const FieldRule<Record>& rule,
                      const Record& record, const std::string& message, const char* relation = nullptr) {
  return RuledImportValue(value, rule, record, relation, [&](const char* alone) {
    if (alone != nullptr) BatchLineError(reader, alone);
    BatchLineError(reader, message, field);
  });
}
// The words of the batch and neutral formats for a corrosion allowance
// `value` the wall of `section` cannot take: their own for one not below
// the wall, the cells' for one that leaves too little of it once the mill
// tolerance is off.
inline const char* CorrosionRelation(const PipeSection& section, float value) {
  return section.thickness <= value ? "Corrosion allowance is >= wall thickness"
                                    : "Corrosion allowance + mill tolerance is too large";
}
// The least wall and diameter the batch and neutral formats take, above
// what the section dialog takes.
inline constexpr float kLeastImportedDimension = 0.001f;  // inch
// A load temperature: a temperature that is not below absolute zero.
float ParseBatchLoadTemperature(const BatchReader& reader, const std::string& field, const std::string& message);
