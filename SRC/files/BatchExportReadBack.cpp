// What a model batch file does not carry of the model (see BatchExport.h).
// The file written is read back as the Import command reads it, and the
// model it gives is compared with the model written, record by record and
// field by field as the model file stores them (BatchExportFields.h): the
// options section, every table's records, every row with its element and
// item, the Quality Assurance Block and the revision record. Records are
// paired by their place in the file, not by name (two may share one), and a
// record or row that does not come back is named. Every field that comes
// back otherwise than the model holds it, but for a float's rounding in the
// unit the file holds it in, is named in the list of what was left out (with
// the digits that tell the two values apart), unless the writer named it
// already: written rounded (the text of its unit holds fewer digits), taken
// by the import as a value of its own (a field the file carries, or whose
// absence it reads as a default), or not written (the file has no field for
// it), each with what reads back; a row that comes back under another number
// is named once for the rows that move with it. The title is compared as it
// reads back through the file's text. The spectra and point tables, which no
// batch line holds, are named whenever the model has any; the load-case
// list, which the import rebuilds, by the cases it gains or loses; the
// loads' design conditions and the number of thermal loads in words of their
// own. A file the import refuses is named first, by the record or row whose
// line it refuses, and kept for the command: the writer is meant never to
// write one. Start reading at ListBatchFileDifferences.
#include "files/BatchExportReadBack.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <optional>
#include <set>
#include <sstream>

#include "files/BatchImport.h"
#include "files/BatchNumberText.h"
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
void ListDesignConditions(const Model& model, const Model& readBack, const std::vector<int>& pairs, Named& named,
                          std::vector<std::string>& leftOut) {
  const auto& held = model.pipeLoads;
  for (int i = 1; i <= held.count; ++i) {
    const int at = pairs[static_cast<std::size_t>(i)];
    if (at == 0) continue;
    const std::string where = RecordPlace("Load", held[i].name, i, FindRecordByName(held, held[i].name) == i);
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

bool IsKindField(const FieldEntry& entry) {
  return entry.show == FieldShow::kElementKind || entry.show == FieldShow::kDataKind;
}

bool IsTextValue(const BinaryFileValue& value) {
  return value.kind == BinaryFileValue::kText || value.kind == BinaryFileValue::kBytes;
}

// A value that stands for nothing given: 0, off, none, an empty text.
bool IsNothing(const BinaryFileValue& value) {
  switch (value.kind) {
    case BinaryFileValue::kFloat: return std::fabs(value.real) < 1.0e-30f;
    case BinaryFileValue::kInt:
    case BinaryFileValue::kByte: return value.integer == 0;
    case BinaryFileValue::kText:
    case BinaryFileValue::kBytes: return value.bytes.find_first_not_of('\0') == std::string::npos;
    case BinaryFileValue::kPairs: return value.pairs.empty();
  }
  return false;
}

// The text a value was written as, when it reads back as `read`: the
// file's text of the value in its unit holds fewer digits than the value.
std::optional<BatchTextAsRead> WrittenRounded(const RecordField& held, const BinaryFileValue& read) {
  if (held.value.kind != BinaryFileValue::kFloat || read.kind != BinaryFileValue::kFloat) return std::nullopt;
  std::optional<BatchTextAsRead> written;
  if (held.entry.show == FieldShow::kDegrees) written = BatchDegreesTextAsRead(held.value.real);
  else if (held.entry.show == FieldShow::kValue && held.entry.unit != 0)
    written = BatchKindTextAsRead(held.value.real, held.entry.unit);
  if (!written) return std::nullopt;
  RecordField asRead = held;
  asRead.value.real = written->read;
  return SameFieldValue(asRead, read) ? written : std::nullopt;
}

// More significant digits than a float holds tell no two floats apart.
constexpr int kMostDigits = 9;

// A value's text as the file holds it, with its unit: "8'4\"", "1.5 mm".
std::string WrittenText(const FieldEntry& entry, const std::string& text) {
  if (entry.show == FieldShow::kDegrees) return text + " deg";
  if (entry.unit == kUnitLength && ChosenUnit(kUnitLength) == kLengthFeetInches) return FeetInchesShown(text);
  return WithUnit(text.c_str(), entry.unit);
}

// Compares the fields of one record (or one part of a row) as written for
// `model` and as read back; every difference the writer did not name
// itself gets its line. Name fields are compared with the name the file
// gave their record.
class Comparison {
 public:
  Comparison(const BatchFileRecords& records, const Named& named, std::vector<std::string>& leftOut)
      : records_(records), named_(named), leftOut_(leftOut) {}

  // `carried`: whether the file has a field for it where it stands (the
  // options section has few).
  void Field(const std::string& where, const char* article, const RecordField& held, const BinaryFileValue& read,
             bool carried = true) {
    if (named_.count({where, held.name}) != 0) return;
    RecordField expected = held;
    if (held.entry.table != NameTable::kNone && held.value.kind == BinaryFileValue::kText)
      expected.value.bytes = records_.WrittenName(held.entry.table, held.value.bytes);
    if (SameFieldValue(expected, read)) return;
    const std::optional<BatchTextAsRead> rounded = WrittenRounded(held, read);
    const std::string written = rounded ? WrittenText(held.entry, rounded->text) : std::string();
    // The value held and the one it became, with the digits that tell them
    // apart: no line names one number twice.
    std::string was, is;
    for (int digits = 6; digits <= kMostDigits; ++digits) {
      was = FieldValueText(held.entry, held.value, digits);
      is = FieldValueText(held.entry, read, digits);
      if (was != (rounded ? written : is)) break;
    }
    const std::string field = std::string(article) + " " + held.name + ", " + was;
    if (rounded) {
      leftOut_.push_back(where + ": " + field + ", was written rounded to " + written);
    } else if (carried && !held.entry.uncarried && (IsKindField(held.entry) || IsNothing(held.value))) {
      // The file carries the field, or its absence: the import makes of
      // it a value of its own.
      leftOut_.push_back(where + ": " + field + ", the import takes as " + is);
    } else if (IsTextValue(read) && !IsNothing(read)) {
      leftOut_.push_back(where + ": " + field + ", reads back as " + is);
    } else {
      leftOut_.push_back(where + ": " + field +
                         ", was not written (the batch file does not carry it); it reads back as " + is);
    }
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
using PlaceOf = std::string (*)(const char* kind, const ModelRecordTable<Record>& table, int number);

// A record by its name, or its description; an allowable load by its number.
template <typename Record>
std::string NamePlace(const char* kind, const ModelRecordTable<Record>& table, int number) {
  return RecordPlace(kind, table[number].name, number, FindRecordByName(table, table[number].name) == number);
}
std::string DescriptionPlace(const char* kind, const ModelRecordTable<RotatingEquipment>& table, int number) {
  int first = 1;
  while (table[first].description != table[number].description) ++first;
  return RecordPlace(kind, table[number].description, number, first == number);
}
std::string NumberPlace(const char* kind, const ModelRecordTable<Allowable>&, int number) {
  return std::string(kind) + " " + std::to_string(number);
}

template <typename Record>
std::string NameOf(const Record& record) {
  if constexpr (requires { record.name; }) return record.name;
  return {};
}

// Pairs each record of a table written to the file with the record the
// import made of its line, in the order of the file: record i of `held`
// went to line at[i] of its section (0: not written), and a named table's
// record must come back under the name its line gives it. A record that
// does not come back is named; the pair of record i is 0 then.
template <typename Record>
std::vector<int> PairRecords(const char* kind, const ModelRecordTable<Record>& held,
                             const ModelRecordTable<Record>& read, const std::vector<int>& at,
                             const std::vector<std::string>* names, PlaceOf<Record> place,
                             std::vector<std::string>& leftOut) {
  std::vector<int> pairs(static_cast<std::size_t>(held.count) + 1, 0);
  int next = 1;
  for (int i = 1; i <= held.count && static_cast<std::size_t>(i) < at.size(); ++i) {
    if (at[static_cast<std::size_t>(i)] == 0) continue;
    if (next <= read.count && (names == nullptr || NameOf(read[next]) == (*names)[static_cast<std::size_t>(i)])) {
      pairs[static_cast<std::size_t>(i)] = next++;
      continue;
    }
    leftOut.push_back(place(kind, held, i) + ": it was written, but the import does not read it back");
  }
  return pairs;
}

template <typename Record>
void CompareTable(Comparison& compare, const char* kind, const ModelRecordTable<Record>& held,
                  const ModelRecordTable<Record>& read, const std::vector<int>& pairs,
                  std::vector<RecordField> (*fields)(const Record&), PlaceOf<Record> place) {
  for (int i = 1; i <= held.count; ++i)
    if (const int j = pairs[static_cast<std::size_t>(i)]; j != 0)
      compare.Record(place(kind, held, i), fields(held[i]), fields(read[j]));
}

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
  // A row line the import made no row of: the rows of the file stop there.
  if (static_cast<std::size_t>(readBack.rowCount) < records.rows.size()) {
    const int row = records.rows[static_cast<std::size_t>(readBack.rowCount)].first;
    leftOut.push_back((row > 0 ? "Row " + std::to_string(row) : std::string("Title row")) +
                      ": it was written, but the import does not read it back, nor the rows after it");
  }
}

// The options the file carries: the OPTIONS line's code and vertical axis,
// AMB, the SEISMIC and WIND lines.
bool IsCarriedOption(const RecordField& field) {
  const std::string group = field.entry.group != nullptr ? field.entry.group : "";
  return group == "Seismic" || field.name.rfind("wind load 1 ", 0) == 0 || field.name == "piping code" ||
         field.name == "reference temperature" || field.name == "vertical axis Z";
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
      compare.Field(group, "the", held[i], read[i].value, IsCarriedOption(held[i]));
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

std::string RecordPlace(const std::string& kind, const std::string& name, int number, bool first) {
  if (name.find_first_not_of(" \t") == std::string::npos) return kind + " number " + std::to_string(number);
  // A blank at either end would not show ("Material CS : ..." beside
  // "Material CS: ..."): such a name is quoted.
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const std::string shown = blank(name.front()) || blank(name.back()) ? "\"" + name + "\"" : name;
  if (first) return kind + " " + shown;
  return kind + " " + shown + " (number " + std::to_string(number) + ")";
}

std::string TextAsRead(const std::string& text) { return ProgramTextFromTextFile(TextFileFromProgramText(text)); }

namespace {

// A refusal of the import as the list and the command say it: the record
// or row whose line the import refuses, and why ("Row 4: Bend node should
// not have a suffix"), not a line of a file that was never written.
std::string RefusalText(const std::string& message, const BatchFileRecords& records) {
  constexpr std::string_view kLine = "Line = ";
  const std::size_t end = message.find('\n');
  if (message.rfind(kLine, 0) != 0 || end == std::string::npos) return message;
  const std::size_t number = static_cast<std::size_t>(std::atoi(message.c_str() + kLine.size()));
  const std::string why = message.substr(end + 1);
  if (number >= 1 && number <= records.linePlaces.size() && !records.linePlaces[number - 1].empty())
    return records.linePlaces[number - 1] + ": " + why;
  return "Line " + std::to_string(number) + ": " + why;
}

template <typename Record>
struct TableRoad {
  const char* kind;
  const ModelRecordTable<Record>& held;
  const ModelRecordTable<Record>& read;
  const std::vector<int>& at;
  NameTable table;
  std::vector<RecordField> (*fields)(const Record&);
  PlaceOf<Record> place;
};

template <typename Record>
void CompareWholeTable(Comparison& compare, const BatchFileRecords& records, const TableRoad<Record>& road,
                       std::vector<std::string>& leftOut) {
  const std::vector<std::string>* names =
      road.table == NameTable::kNone ? nullptr : &records.recordNames[static_cast<std::size_t>(road.table)];
  const std::vector<int> pairs = PairRecords(road.kind, road.held, road.read, road.at, names, road.place, leftOut);
  CompareTable(compare, road.kind, road.held, road.read, pairs, road.fields, road.place);
}

}  // namespace

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
    const std::string why = RefusalText(message, records);
    leftOut.insert(leftOut.begin(), "The import would refuse the file: " + OneLine(why));
    if (refusal != nullptr) *refusal = why;
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
  if (readBack.title != model.title && named.count({"Title", "title"}) == 0)
    leftOut.push_back("Title: it reads back as \"" + readBack.title + "\"");
  const std::vector<std::string>* loadNames = &records.recordNames[static_cast<std::size_t>(NameTable::kPipeLoad)];
  std::vector<std::string> lost;
  const std::vector<int> loadPairs = PairRecords("Load", model.pipeLoads, readBack.pipeLoads, records.pipeLoads,
                                                 loadNames, NamePlace<PipeLoad>, lost);
  ListDesignConditions(model, readBack, loadPairs, named, leftOut);
  ListThermalLoadCount(model, readBack, leftOut);
  named.insert({"Analysis options", "number of thermal loads"});
  ListLoadCases(model, readBack, leftOut);
  Comparison compare(records, named, leftOut);
  CompareOptions(compare, model, readBack, leftOut);
  CompareWholeTable<Material>(compare, records,
                              {"Material", model.materials, readBack.materials, records.materials,
                               NameTable::kMaterial, MaterialFields, NamePlace<Material>},
                              leftOut);
  CompareWholeTable<Soil>(
      compare, records,
      {"Soil", model.soils, readBack.soils, records.soils, NameTable::kSoil, SoilFields, NamePlace<Soil>}, leftOut);
  CompareWholeTable<PipeSection>(compare, records,
                                 {"Pipe section", model.sections, readBack.sections, records.sections,
                                  NameTable::kSection, SectionFields, NamePlace<PipeSection>},
                                 leftOut);
  CompareWholeTable<PipeLoad>(compare, records,
                              {"Load", model.pipeLoads, readBack.pipeLoads, records.pipeLoads, NameTable::kPipeLoad,
                               PipeLoadFields, NamePlace<PipeLoad>},
                              leftOut);
  CompareWholeTable<BeamMaterial>(compare, records,
                                  {"Beam material", model.beamMaterials, readBack.beamMaterials,
                                   records.beamMaterials, NameTable::kBeamMaterial, BeamMaterialFields,
                                   NamePlace<BeamMaterial>},
                                  leftOut);
  CompareWholeTable<BeamSection>(compare, records,
                                 {"Beam section", model.beamSections, readBack.beamSections, records.beamSections,
                                  NameTable::kBeamSection, BeamSectionFields, NamePlace<BeamSection>},
                                 leftOut);
  CompareWholeTable<BeamLoad>(compare, records,
                              {"Beam load", model.beamLoads, readBack.beamLoads, records.beamLoads,
                               NameTable::kBeamLoad, BeamLoadFields, NamePlace<BeamLoad>},
                              leftOut);
  CompareRows(compare, model, readBack, records, leftOut);
  CompareWholeTable<Pump>(
      compare, records,
      {"Pump", model.pumps, readBack.pumps, records.pumps, NameTable::kNone, PumpFields, NamePlace<Pump>}, leftOut);
  CompareWholeTable<RotatingEquipment>(compare, records,
                                       {"Compressor", model.compressors, readBack.compressors, records.compressors,
                                        NameTable::kNone, RotatingEquipmentFields, DescriptionPlace},
                                       leftOut);
  CompareWholeTable<RotatingEquipment>(compare, records,
                                       {"Turbine", model.turbines, readBack.turbines, records.turbines,
                                        NameTable::kNone, RotatingEquipmentFields, DescriptionPlace},
                                       leftOut);
  CompareWholeTable<Allowable>(compare, records,
                               {"Allowable load", model.allowables, readBack.allowables, records.allowables,
                                NameTable::kNone, AllowableFields, NumberPlace},
                               leftOut);
  const std::vector<RecordField> qa = QaBlockFields(model), qaRead = QaBlockFields(readBack);
  for (std::size_t i = 0; i < qa.size(); ++i)
    compare.Field("Quality Assurance Block", "the", qa[i], qaRead[i].value, false);
  const std::vector<RecordField> revisions = RevisionFields(model), revisionsRead = RevisionFields(readBack);
  for (std::size_t i = 0; i < revisions.size() && i < revisionsRead.size(); ++i)
    compare.Field("Revision record", "the", revisions[i], revisionsRead[i].value, false);
}
