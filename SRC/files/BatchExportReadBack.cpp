// What a model batch file does not carry of the model (see BatchExport.h).
// The file written is read back as the Import command reads it, and the
// model it gives is compared with the model written, record by record and
// field by field as the model file stores them (BatchExportFields.h): the
// options section, every table's records, every row with its element and
// item, the Quality Assurance Block and the revision record. Every field
// that comes back otherwise than the model holds it, but for a float's
// rounding, is named in the list of what was left out with what the import
// gives in its place, unless the writer named it already; a row that
// comes back under another number is named once for the rows that move
// with it. The spectra and point tables, which no batch line holds, are
// named whenever the model has any; the load-case list, which the import
// rebuilds, by the cases it gains or loses; the loads' design conditions
// and the number of thermal loads in words of their own. A file the import
// refuses is named first, and its message kept for the command: the writer
// is meant never to write one. Start reading at ListBatchFileDifferences.
#include "files/BatchExportReadBack.h"

#include <algorithm>
#include <exception>
#include <set>
#include <sstream>

#include "files/BatchImport.h"
#include "model/Model.h"
#include "model/ModelLoadCases.h"
#include "records/AnalysisOptions.h"
#include "records/BeamLoad.h"
#include "records/LoadCaseList.h"
#include "records/PipeLoad.h"
#include "records/PointTables.h"
#include "records/Spectrum.h"
#include "services/NameTables.h"
#include "services/NumberText.h"
#include "services/TextFileEncoding.h"
#include "services/Units.h"

namespace {

std::string Integer(std::int32_t value) { return IntegerToText(value); }

std::string JoinNames(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

void ListNamed(const char* kind, const std::vector<std::string>& names, std::vector<std::string>& leftOut) {
  if (names.empty()) return;
  leftOut.push_back(std::string(kind) + ": " + JoinNames(names) + (names.size() == 1 ? " was" : " were") +
                    " not written (the batch file does not carry them)");
}

std::vector<std::string> PointTableNames(const NamedPointsList& list) {
  std::vector<std::string> names;
  for (const NamedPoints& record : list)
    if (!IsBlankPointTable(record)) names.push_back(record.name.empty() ? std::string("(unnamed)") : record.name);
  return names;
}

std::vector<std::string> SpectrumNames(const SpectrumList& list) {
  std::vector<std::string> names;
  for (const ResponseSpectrum& spectrum : list)
    if (!spectrum.name.empty() || !spectrum.points.empty())
      names.push_back(spectrum.name.empty() ? std::string("(unnamed)") : spectrum.name);
  return names;
}

std::vector<int> Cases(const LoadCaseList& list) {
  std::vector<int> ids;
  for (int i = 1; i <= list.count && i <= kLoadCaseListRoom; ++i)
    ids.push_back(list.cases[static_cast<std::size_t>(i)]);
  return ids;
}

// The titles of the cases of `from` that `other` lacks.
std::vector<std::string> CasesMissing(const std::vector<int>& from, const std::vector<int>& other) {
  std::vector<std::string> titles;
  for (const int id : from)
    if (std::find(other.begin(), other.end(), id) == other.end()) {
      const char* title = LoadCaseTitle(id);
      titles.push_back(title != nullptr && *title != '\0' ? std::string(title) : "case " + Integer(id));
    }
  return titles;
}

void ListLoadCases(const Model& model, const Model& readBack, std::vector<std::string>& leftOut) {
  const std::vector<int> held = Cases(model.loadCases);
  const std::vector<int> read = Cases(readBack.loadCases);
  if (held == read) return;
  std::string text = "Load cases: the load-case list was not written (the batch file does not carry it); the import "
                     "rebuilds it";
  const std::vector<std::string> lost = CasesMissing(held, read);
  const std::vector<std::string> gained = CasesMissing(read, held);
  if (!lost.empty()) text += " without " + JoinNames(lost);
  if (!gained.empty()) text += std::string(lost.empty() ? "" : " and") + " with " + JoinNames(gained);
  if (lost.empty() && gained.empty()) text += " in another order";
  leftOut.push_back(text);
}

// The file carries the number of thermal loads only in the loads'
// temperatures, of which the LOADS lines hold three: the reader counts a
// pair in use from its T, so a pair whose T is 70 F or 0 in every load
// reads back as none. (More than three are named by each load's line.)
void ListThermalLoadCount(const Model& model, const Model& readBack, std::vector<std::string>& leftOut) {
  const int held = model.options.ThermalLoadCount, read = readBack.options.ThermalLoadCount;
  const int written = std::min(held, 3);
  if (held == read) return;
  if (model.pipeLoads.count > 0 && read < written) {
    leftOut.push_back("Pipe loads: T" + Integer(written) + " is 70 F or 0 in every load, which the file reads as no " +
                      "temperature: it reads back with " + Integer(read) +
                      (read == 1 ? " thermal load" : " thermal loads") + " in use instead of " + Integer(written));
    return;
  }
  leftOut.push_back("Analysis options: the number of thermal loads, " + Integer(held) +
                    ", is carried only by the loads' temperatures; it reads back as " + Integer(read));
}

// A value in the unit now chosen for its kind: "350 F", "12.76 bar".
std::string WithUnit(const char* text, int kind) {
  std::string label = UnitLabel(kind);
  label.erase(std::remove_if(label.begin(), label.end(), [](char c) { return c == '(' || c == ')'; }), label.end());
  return std::string(*text == '\0' ? "0" : text) + " " + label;
}

std::string DesignConditions(const PipeLoad& load) {
  const std::string temperature = WithUnit(FormatTemperature(load.designTemperature), kUnitTemperature);
  return temperature + " and " + WithUnit(FormatPressure(load.designPressure), kUnitPressure);
}

using Named = std::set<std::pair<std::string, std::string>>;

// The LOADS lines have no field for the design temperature and pressure:
// the import takes the largest of the pairs in use.
void ListDesignConditions(const Model& model, const Model& readBack, const BatchFileRecords& records, Named& named,
                          std::vector<std::string>& leftOut) {
  const auto& held = model.pipeLoads;
  for (int i = 1; i <= held.count; ++i) {
    const std::size_t index = static_cast<std::size_t>(i);
    const int at = index < records.pipeLoads.size() ? records.pipeLoads[index] : 0;
    if (at < 1 || at > readBack.pipeLoads.count) continue;
    const std::string where = "Load " + held[i].name;
    named.insert({where, "design temperature"});
    named.insert({where, "design pressure"});
    const std::string was = DesignConditions(held[i]);
    const std::string is = DesignConditions(readBack.pipeLoads[at]);
    if (was != is)
      leftOut.push_back(where + ": its design temperature and pressure, " + was +
                        ", were not written (the batch file does not carry them); they read back as " + is);
  }
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

// --- Field by field ------------------------------------------------------------

// Compares the fields of one record (or one part of a row) as written for
// `model` and as read back; every difference the writer did not name
// itself gets its line. Name fields are compared with the name the file
// gave their record.
class Comparison {
 public:
  Comparison(const BatchFileRecords& records, const Named& named, std::vector<std::string>& leftOut)
      : records_(records), named_(named), leftOut_(leftOut) {}

  void Field(const std::string& where, const char* article, const RecordField& held, const BinaryFileValue& read) {
    if (named_.count({where, held.name}) != 0) return;
    RecordField expected = held;
    if (held.entry.table != NameTable::kNone && held.value.kind == BinaryFileValue::kText)
      expected.value.bytes = records_.WrittenName(held.entry.table, held.value.bytes);
    if (SameFieldValue(expected, read)) return;
    leftOut_.push_back(where + ": " + article + " " + held.name + ", " + FieldValueText(held.entry, held.value) +
                       ", was not written (the batch file does not carry it); it reads back as " +
                       FieldValueText(held.entry, read));
  }

  // Fields in the writer's order: a record whose count of repeated groups
  // changed is named by its count and compared as far as both go.
  void Record(const std::string& where, const std::vector<RecordField>& held, const std::vector<RecordField>& read) {
    for (std::size_t i = 0; i < held.size() && i < read.size(); ++i) Field(where, "its", held[i], read[i].value);
  }

 private:
  const BatchFileRecords& records_;
  const Named& named_;
  std::vector<std::string>& leftOut_;
};

template <typename Record>
void CompareTable(Comparison& compare, const char* kind, const ModelRecordTable<Record>& held,
                  const ModelRecordTable<Record>& read, const std::vector<int>& at,
                  std::vector<RecordField> (*fields)(const Record&), std::string (*name)(const Record&, int)) {
  for (int i = 1; i <= held.count && static_cast<std::size_t>(i) < at.size(); ++i) {
    const int j = at[static_cast<std::size_t>(i)];
    if (j < 1 || j > read.count) continue;
    compare.Record(std::string(kind) + " " + name(held[i], i), fields(held[i]), fields(read[j]));
  }
}

template <typename Record>
std::string RecordName(const Record& record, int) {
  return record.name;
}
std::string DescriptionName(const RotatingEquipment& record, int) { return record.description; }
std::string NumberName(const Allowable&, int number) { return std::to_string(number); }

// One row of the file against the model's row it stands for, as far as
// the row carries it: a row of the element alone (its item went on a line
// of its own) has no item, a row of the item alone only the item.
void CompareRow(Comparison& compare, const std::string& where, const std::vector<RecordField>& held,
                const std::vector<RecordField>& read, BatchFileRecords::Part part) {
  using Part = BatchFileRecords::Part;
  std::vector<const RecordField*> heldParts[3], readParts[3];
  for (const RecordField& field : held) heldParts[static_cast<int>(field.part)].push_back(&field);
  for (const RecordField& field : read) readParts[static_cast<int>(field.part)].push_back(&field);
  const auto& heldHeader = heldParts[0];
  const auto& readHeader = readParts[0];
  bool sameElement = true, sameItem = true;
  for (std::size_t i = 0; i < heldHeader.size() && i < readHeader.size(); ++i) {
    const RecordField& field = *heldHeader[i];
    const bool kind = field.entry.show == FieldShow::kElementKind;
    const bool item = field.entry.show == FieldShow::kDataKind;
    if (part == Part::kItem && !item) continue;
    if (part == Part::kElement && item) continue;
    if (kind) sameElement = SameFieldValue(field, readHeader[i]->value);
    if (item) sameItem = SameFieldValue(field, readHeader[i]->value);
    compare.Field(where, "its", field, readHeader[i]->value);
  }
  auto comparePart = [&](RowPart rowPart) {
    const auto& h = heldParts[static_cast<int>(rowPart)];
    const auto& r = readParts[static_cast<int>(rowPart)];
    for (std::size_t i = 0; i < h.size() && i < r.size(); ++i) compare.Field(where, "its", *h[i], r[i]->value);
  };
  if (part != Part::kItem && sameElement) comparePart(RowPart::kElement);
  if (part != Part::kElement && sameItem) comparePart(RowPart::kItem);
}

// Every row of the file against the model's row; and where the rows of
// the file stand elsewhere than the model's, the first row that moves.
void CompareRows(Comparison& compare, const Model& model, const Model& readBack, const BatchFileRecords& records,
                 std::vector<std::string>& leftOut) {
  int offset = 0;
  for (int number = 1; number <= readBack.rowCount; ++number) {
    if (static_cast<std::size_t>(number) > records.rows.size()) break;
    const auto [row, part] = records.rows[static_cast<std::size_t>(number - 1)];
    if (row < 1 || row > model.rowCount) continue;
    const std::string where = "Row " + std::to_string(row);
    if (part != BatchFileRecords::Part::kItem && number - row != offset) {
      offset = number - row;
      leftOut.push_back(where + ": it reads back as row " + std::to_string(number) +
                        " (the rows after it move with it)");
    }
    CompareRow(compare, where, RowFields(model.row(row)), RowFields(readBack.row(number)), part);
  }
}

bool IsUnitField(const FieldEntry& entry) {
  return entry.show == FieldShow::kUnitChoice || entry.show == FieldShow::kWindUnit;
}

// The options section by its groups, the dynamic settings and the analysis
// options first, as the list has always had them; a setting that means
// nothing for the model's code is passed over. The model's units come
// back as the set the file names: one line says which of them changed.
void CompareOptions(Comparison& compare, const Model& model, const Model& readBack, std::vector<std::string>& leftOut) {
  const std::vector<RecordField> held = OptionsFields(model);
  const std::vector<RecordField> read = OptionsFields(readBack);
  const std::string first[] = {"Dynamic analysis settings", "Analysis options"};
  auto groupOf = [](const FieldEntry& entry) {
    return std::string(entry.group != nullptr ? entry.group : "Analysis options");
  };
  for (int pass = 0; pass < 3; ++pass)
    for (std::size_t i = 0; i < held.size() && i < read.size(); ++i) {
      const FieldEntry& entry = held[i].entry;
      const std::string group = groupOf(entry);
      if (pass < 2 ? group != first[pass] : group == first[0] || group == first[1]) continue;
      if (entry.applies != nullptr && !entry.applies(model.options.PipingCode)) continue;
      if (IsUnitField(entry)) continue;
      compare.Field(group, "the", held[i], read[i].value);
    }
  std::string units;
  for (std::size_t i = 0; i < held.size() && i < read.size(); ++i) {
    if (!IsUnitField(held[i].entry) || SameFieldValue(held[i], read[i].value)) continue;
    units += (units.empty() ? "" : ", ") + held[i].name + " " + FieldValueText(held[i].entry, read[i].value) +
             " instead of " + FieldValueText(held[i].entry, held[i].value);
  }
  if (!units.empty())
    leftOut.push_back(
        "Units: the model's units were not written (the batch file names one of three sets); it reads "
        "back with " +
        units);
}

}  // namespace

std::string BatchFileRecords::WrittenName(NameTable table, const std::string& name) const {
  const auto& map = names[static_cast<std::size_t>(table)];
  const auto found = map.find(name);
  return found == map.end() ? name : found->second;
}

void ListBatchFileDifferences(const Model& model, const std::string& text, const BatchFileRecords& records,
                              std::vector<std::string>& leftOut, std::string* refusal) {
  ListNamed("Response spectra", SpectrumNames(model.spectra), leftOut);
  ListNamed("Force spectra", PointTableNames(model.forceSpectra), leftOut);
  ListNamed("Time functions", PointTableNames(model.timeFunctions), leftOut);
  // The import takes the units its OPTIONS line names; the caller's stay.
  const UnitsSettings units = g_UnitsSettings;
  Model readBack;
  std::vector<std::string> log;
  // The bytes of the file, as the import reads them.
  std::istringstream input(TextFileFromProgramText(text));
  try {
    ReadModelBatchFile(input, readBack, log);
  } catch (const std::string& message) {
    g_UnitsSettings = units;
    leftOut.insert(leftOut.begin(), "The file written does not read back: " + OneLine(message));
    if (refusal != nullptr) *refusal = message;
    return;
  } catch (const std::exception&) {
    g_UnitsSettings = units;
    leftOut.insert(leftOut.begin(), "The file written could not be read back to check it");
    if (refusal != nullptr) *refusal = "It could not be read back to check it.";
    return;
  }
  g_UnitsSettings = units;
  // As the Layout window's menu rebuilds it before the list is used.
  RebuildLoadCases(readBack.loadCases, readBack.options.ThermalLoadCount, LoadCaseInputsOf(readBack));
  Named named = records.named;
  ListDesignConditions(model, readBack, records, named, leftOut);
  ListThermalLoadCount(model, readBack, leftOut);
  named.insert({"Analysis options", "number of thermal loads"});
  ListLoadCases(model, readBack, leftOut);
  Comparison compare(records, named, leftOut);
  CompareOptions(compare, model, readBack, leftOut);
  CompareTable(compare, "Material", model.materials, readBack.materials, records.materials, MaterialFields,
               RecordName<Material>);
  CompareTable(compare, "Soil", model.soils, readBack.soils, records.soils, SoilFields, RecordName<Soil>);
  CompareTable(compare, "Pipe section", model.sections, readBack.sections, records.sections, SectionFields,
               RecordName<PipeSection>);
  CompareTable(compare, "Load", model.pipeLoads, readBack.pipeLoads, records.pipeLoads, PipeLoadFields,
               RecordName<PipeLoad>);
  CompareTable(compare, "Beam material", model.beamMaterials, readBack.beamMaterials, records.beamMaterials,
               BeamMaterialFields, RecordName<BeamMaterial>);
  CompareTable(compare, "Beam section", model.beamSections, readBack.beamSections, records.beamSections,
               BeamSectionFields, RecordName<BeamSection>);
  CompareTable(compare, "Beam load", model.beamLoads, readBack.beamLoads, records.beamLoads, BeamLoadFields,
               RecordName<BeamLoad>);
  CompareRows(compare, model, readBack, records, leftOut);
  CompareTable(compare, "Pump", model.pumps, readBack.pumps, records.pumps, PumpFields, RecordName<Pump>);
  CompareTable(compare, "Compressor", model.compressors, readBack.compressors, records.compressors,
               RotatingEquipmentFields, DescriptionName);
  CompareTable(compare, "Turbine", model.turbines, readBack.turbines, records.turbines, RotatingEquipmentFields,
               DescriptionName);
  CompareTable(compare, "Allowable load", model.allowables, readBack.allowables, records.allowables, AllowableFields,
               NumberName);
  const std::vector<RecordField> qa = QaBlockFields(model), qaRead = QaBlockFields(readBack);
  for (std::size_t i = 0; i < qa.size(); ++i) compare.Field("Quality Assurance Block", "the", qa[i], qaRead[i].value);
  const std::vector<RecordField> revisions = RevisionFields(model), revisionsRead = RevisionFields(readBack);
  for (std::size_t i = 0; i < revisions.size() && i < revisionsRead.size(); ++i)
    compare.Field("Revision record", "the", revisions[i], revisionsRead[i].value);
}
