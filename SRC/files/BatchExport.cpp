// The model batch file writer and its command (see BatchExport.h): the
// title, the names the file gives records, the option, property and
// equipment sections, and the file as a whole. The LAYOUT section is
// written by BatchExportLayout.cpp (its rows and element kinds) and
// BatchExportItems.cpp (its data items), through the Writer the three share
// (BatchExportWriter.h).
#include "files/BatchExport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "files/BatchExportReadBack.h"
#include "files/BatchExportWriter.h"
#include "files/BatchImport.h"
#include "files/BatchNumberText.h"
#include "files/BatchSections.h"
#include "files/ExportFiles.h"
#include "model/Model.h"
#include "platform/CommonDialog.h"
#include "platform/Messages.h"
#include "records/Compressor.h"
#include "records/ModelBatchFile.h"
#include "services/Message.h"
#include "services/NameTables.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

using batch_export::AnyNonZero;
using batch_export::NodeText;
using batch_export::WithoutControls;
using batch_export::WriteLayout;
using batch_export::Writer;

// The code words of the OPTIONS line by code-list position, as the reader
// takes them.
constexpr std::array<const char*, 25> kCodeWords = {
    "None",   "B311",         "B311-67",      "B313",  "B314", "B315",       "B318",    "B319",     "ASME",
    "ASME-86", "ASME-92",     "ASME-2015",    "ASME-2017", "ASME-ND-2017", "BS806", "NORWEGIAN-83",
    "NORWEGIAN-90", "RCC-M",  "SNCT",         "STOOMWEZEN", "SWEDISH", "Z183", "Z184",  "EUROPEAN", "Z662"};

// --- Texts the reader would take otherwise ------------------------------------------

constexpr std::size_t kTitleWidth = 48;        // of the title line the reader keeps
constexpr std::size_t kDescriptionWidth = 15;  // of a pump's, compressor's or turbine's
// Put before a text that would begin a line the reader takes as a section
// header or the end of the data ("Layout A", "Cod pump"): the marked text
// is a data line, and reads back with the mark.
constexpr char kTextMark = '\'';

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The first word of a text, as the reader compares it with the section
// words.
std::string FirstWord(const std::string& text) {
  const std::string trimmed = Trimmed(text);
  return Upper(trimmed.substr(0, trimmed.find_first_of(" \t,")));
}

// `text` as written at the start of a line of `section`, within `width`
// characters: marked when the reader would take it for a header; `why`
// then says so, for a sentence that begins with what the text is.
std::string LineStartText(const std::string& text, std::int32_t section, std::size_t width, std::string& why) {
  why.clear();
  if (!BatchLineSwitch(text + ",", section)) return text;
  why = " begins with " + FirstWord(text) + ", which the batch file reads as a section header, so it was written " +
        "with a " + std::string(1, kTextMark) + " before it";
  return (kTextMark + text).substr(0, width);
}

// What the comma splitter gives back of `text` written as a field that
// more fields follow, or nothing when it would take more or less than the
// text: a comma ends a field, and a "(" protects the rest of the line up
// to a ")". The field after it, "|", must be the line's last: a text that
// holds ",|" itself gives the splitter one field more.
std::optional<std::string> CommaFieldAsRead(const std::string& text) {
  BatchFieldCursor fields;
  StartBatchFields(fields, text + ",|");
  const std::optional<std::string> field = NextBatchCommaField(fields);
  if (!field || NextBatchCommaField(fields) != std::optional<std::string>("|") || NextBatchCommaField(fields))
    return std::nullopt;
  return field;
}

// A text for a comma field that reads back as a field: its commas and
// opening parentheses, which would end it or take the fields after it,
// become ';' and '['.
std::string CommaFieldText(const std::string& text) {
  if (CommaFieldAsRead(text)) return text;
  std::string written = text;
  for (char& c : written) {
    if (c == ',') c = ';';
    if (c == '(') c = '[';
  }
  return written;
}

// The title line: the reader keeps its first 48 characters, in their case.
// A blank title gives the model no title row; `titleRow` says whether the
// file's first line gives one.
void WriteTitle(Writer& w, bool& titleRow) {
  const std::string title = WithoutControls(w.model().title);
  w.At("Title");
  std::string why;
  const std::string written = LineStartText(title, kBatchTitle, std::string::npos, why);
  if (!why.empty()) why = "it" + why + "; ";
  if (written.size() > kTitleWidth)
    why += "it has " + std::to_string(written.size()) + " characters, of which the batch file keeps " +
           std::to_string(kTitleWidth) + "; ";
  titleRow = !Trimmed(written).empty();
  const std::string read = titleRow ? TextAsRead(written.substr(0, kTitleWidth)) : std::string();
  if (read != written.substr(0, kTitleWidth) && read != w.model().title)
    why += "it holds a character that the file's text cannot hold; ";
  w.Line(written);
  w.Line("");
  if (read != w.model().title) {
    w.LeftOut(why + "it reads back as \"" + read + "\"", {"title"});
    // The title row's text follows the title.
    w.At("Row 1");
    w.Named("comment");
  }
  w.At("");
}

// Why a text written as a comma field reads back as `read`, when neither
// the grammar's characters nor the file's text changed it: the splitter
// drops the blanks before and after a field, and the line is read in
// capitals.
std::string ReadBackReason(const std::string& written, const std::string& read) {
  const bool blanks = Trimmed(written) != written;
  const bool capitals = Upper(written) != written;
  std::string why = "\"" + read + "\": ";
  if (blanks) why += "a field of the batch file loses the blanks at either end";
  if (blanks && capitals) why += ", and ";
  if (capitals) why += "the batch file is read in capitals";
  return why;
}

// A description or name that begins a line of `section` (a pump's, ...):
// what is written, with what reads back named when it is not the text.
// The reader takes the line in capitals, without blanks at either end.
std::string DescriptionText(Writer& w, const std::string& text, std::int32_t section, const char* what,
                            const std::string& freeText) {
  if (Trimmed(WithoutControls(text)).empty()) {
    // The reader refuses a line without one: the record would be lost.
    w.LeftOut(std::string("its ") + what + " is empty, which the batch file refuses; it was written as \"" + freeText +
                  "\"",
              {what});
    return freeText;
  }
  const std::string carried = CommaFieldText(WithoutControls(text));
  std::string why;
  const std::string written = LineStartText(carried, section, kDescriptionWidth, why);
  const std::string read = Upper(Trimmed(TextAsRead(written)));
  if (read == text) return written;
  w.Named(what);
  if (TextAsRead(written) != written)
    w.LeftOut(std::string("its ") + what + " holds a character that the file's text cannot hold; it reads back as \"" +
              read + "\"");
  else if (carried != text)
    w.LeftOut(std::string("its ") + what + " holds a character the batch file takes for the end or the start of a " +
              "field (\",\" or \"(\") or one that no line holds; it was written as \"" + written +
              "\" and reads back as \"" + read + "\"");
  else if (why.empty())
    w.LeftOut(std::string("its ") + what + " reads back as " + ReadBackReason(written, read));
  else
    w.LeftOut(std::string("its ") + what + why + "; it reads back as \"" + read + "\"");
  return written;
}

// --- Record names ----------------------------------------------------------------

// A table whose records the file names, and the section their lines are in.
struct NamedTable {
  NameTable table;
  const char* kind;  // "Material", as the list names a record
  std::int32_t section;
  std::size_t width;
  const char* what;      // "material", as a sentence names one
  const char* freeBase;  // of the name given a record that has none
};

constexpr std::size_t kNameWidth = 5;
constexpr std::size_t kSoilNameWidth = 3;

// Whether a record of `table` named `name` reads back under that name from
// the start of a line of its section: the name rule (letters, digits, "-"
// and "/", within the width), in capitals, and no section word.
bool NameReadsBack(const NamedTable& table, const std::string& name) {
  return !name.empty() && name.size() <= table.width && IsNameText(name) && name == Upper(name) &&
         !BatchLineSwitch(name + ",", table.section);
}

// A name of the rule, not yet `taken`, as near `name` as can be: its
// capitals, its characters outside the rule as "-", then a number in
// place of its last characters.
std::string FreeName(const NamedTable& table, const std::string& name, const std::set<std::string>& taken) {
  std::string base = Upper(name).substr(0, table.width);
  for (char& c : base)
    if (!IsNameText(std::string(1, c))) c = '-';
  if (base.empty()) base = table.freeBase;
  else if (NameReadsBack(table, base) && taken.count(base) == 0) return base;
  for (int number = 1;; ++number) {
    const std::string suffix = std::to_string(number);
    const std::string candidate = base.substr(0, table.width - std::min(table.width, suffix.size())) + suffix;
    if (NameReadsBack(table, candidate) && taken.count(candidate) == 0) return candidate;
  }
}

// Whether a record holds nothing but what a new one holds, its name aside
// (a record the lists' Insert adds and nothing was typed into).
template <typename Record>
bool IsBlankRecord(const Record& record, std::vector<RecordField> (*fields)(const Record&)) {
  const std::vector<RecordField> held = fields(record), fresh = fields(Record{});
  if (held.size() != fresh.size()) return false;
  for (std::size_t i = 1; i < held.size(); ++i)
    if (!SameFieldValue(fresh[i], held[i].value)) return false;
  return true;
}

template <typename Record>
std::string Place(const char* kind, const ModelRecordTable<Record>& records, int number) {
  const std::string& name = records[number].name;
  return RecordPlace(kind, name, number, FindRecordByName(records, name) == number);
}

// The names the file gives the records of one table, record by record: the
// first record of a name that reads back as itself keeps it; every other
// (a repeat of a name, a name the reader would take otherwise, or none) is
// written under a free name of the rule, which the rows that reach it
// name too; a record with no name that holds nothing is left out. Each
// change is named.
template <typename Record>
void PlanNames(Writer& w, const NamedTable& table, const ModelRecordTable<Record>& records,
               std::vector<RecordField> (*fields)(const Record&)) {
  const auto index = static_cast<std::size_t>(table.table);
  auto& written = w.records.recordNames[index];
  auto& names = w.records.names[index];
  written.assign(static_cast<std::size_t>(records.count) + 1, std::string());
  std::set<std::string> taken;
  for (int i = 1; i <= records.count; ++i) {
    const std::string& name = records[i].name;
    if (NameReadsBack(table, name) && FindRecordByName(records, name) == i && taken.insert(name).second)
      written[static_cast<std::size_t>(i)] = name;
  }
  for (int i = 1; i <= records.count; ++i) {
    if (!written[static_cast<std::size_t>(i)].empty()) continue;
    const std::string& name = records[i].name;
    // Lookups by name find a table's first record of a name: the rows name
    // that one.
    const bool first = FindRecordByName(records, name) == i;
    w.At(Place(table.kind, records, i));
    if (name.empty() && IsBlankRecord(records[i], fields)) {
      w.LeftOut("it has no name and holds nothing a new " + std::string(table.what) + " does not; it was not written");
      continue;
    }
    const bool clash = taken.count(Upper(name)) != 0;
    const std::string free = FreeName(table, name, taken);
    taken.insert(free);
    written[static_cast<std::size_t>(i)] = free;
    if (first) names.emplace(name, free);
    w.Named("name");
    const std::string as = "it was written as " + free + ", and so are the rows that name it";
    if (name.empty())
      w.LeftOut("it has no name, which the batch file requires; it was written as " + free);
    else if (free == Upper(name))
      w.LeftOut("its name reads back as " + free + ": the batch file is read in capitals");
    else if (BatchLineSwitch(Upper(name) + ",", table.section))
      w.LeftOut("its name is a section word of the batch file, which reads its line as a header; " + as);
    else if (!first)
      w.LeftOut("its name is that of an earlier " + std::string(table.what) + ", which the rows that name it mean; " +
                "it was written as " + free);
    else if (clash)
      w.LeftOut("its name reads back as " + Upper(name) + ", the name of another " + table.what + "; " + as);
    else
      w.LeftOut("its name is not one the batch file reads (at most " + std::to_string(table.width) +
                " letters, digits, \"-\" or \"/\"); " + as);
  }
  w.At("");
}

void PlanRecordNames(Writer& w) {
  const Model& m = w.model();
  PlanNames(w, {NameTable::kMaterial, "Material", kBatchMaterial, kNameWidth, "material", "M"}, m.materials,
            MaterialFields);
  PlanNames(w, {NameTable::kSoil, "Soil", kBatchSoils, kSoilNameWidth, "soil", "SL"}, m.soils, SoilFields);
  PlanNames(w, {NameTable::kSection, "Pipe section", kBatchPipe, kNameWidth, "pipe section", "S"}, m.sections,
            SectionFields);
  PlanNames(w, {NameTable::kPipeLoad, "Load", kBatchLoads, kNameWidth, "load", "L"}, m.pipeLoads, PipeLoadFields);
  PlanNames(w, {NameTable::kBeamMaterial, "Beam material", kBatchBeamMaterials, kNameWidth, "beam material", "BM"},
            m.beamMaterials, BeamMaterialFields);
  PlanNames(w, {NameTable::kBeamSection, "Beam section", kBatchBeamSections, kNameWidth, "beam section", "BS"},
            m.beamSections, BeamSectionFields);
  PlanNames(w, {NameTable::kBeamLoad, "Beam load", kBatchBeamLoads, kNameWidth, "beam load", "BL"}, m.beamLoads,
            BeamLoadFields);
}

// --- Property sections ------------------------------------------------------------

void WriteOptions(Writer& w, BatchExportUnits units) {
  const int position = CodeListPosition(w.model().options.PipingCode);
  std::string line = "HGRA,";
  line += position >= 0 && position < static_cast<int>(kCodeWords.size())
              ? kCodeWords[static_cast<std::size_t>(position)]
              : "None";
  if (position < 0) {
    w.LeftOut("the piping code has no batch word; None was written");
    w.At("Analysis options");
    w.Named("piping code");
    w.At("");
  }
  if (units == BatchExportUnits::Si) line += ",SI";
  if (units == BatchExportUnits::Inch) line += ",IN";
  if (w.model().options.ZVertical != 0) line += ",Z";
  w.Line("OPTIONS");
  w.Line(line);
}

// A description the comma splitter reads back whole as a line's last field.
bool CarriesText(const std::string& text) {
  BatchFieldCursor fields;
  StartBatchFields(fields, text);
  const std::optional<std::string> field = NextBatchCommaField(fields);
  return text.empty() || (field == Trimmed(text) && !NextBatchCommaField(fields));
}

// Numbers the records a table's section writes: `at[i]` becomes record i's
// number in the file, 0 for one not written.
class RecordCount {
 public:
  RecordCount(std::vector<int>& at, int count) : at_(at) { at_.assign(static_cast<std::size_t>(count) + 1, 0); }
  void Wrote(int record) { at_[static_cast<std::size_t>(record)] = ++written_; }

 private:
  std::vector<int>& at_;
  int written_ = 0;
};

// A material type the reader takes: one of the material type codes.
std::string MaterialTypeText(Writer& w, const std::string& type) {
  if (type.empty() || (FindMaterialTypeIndex(type) >= 0 && CommaFieldAsRead(type) == type)) return type;
  w.LeftOut("its type, \"" + type + "\", is no material type the batch file reads; it was not written", {"type"});
  return {};
}

void WriteMaterials(Writer& w) {
  w.Line("MATERIAL");
  const auto& table = w.model().materials;
  RecordCount count(w.records.materials, table.count);
  for (int i = 1; i <= table.count; ++i) {
    const Material& m = table[i];
    const std::string& name = w.RecordName(NameTable::kMaterial, i);
    if (name.empty()) continue;
    w.At(Place("Material", table, i));
    // A factor of 0 (none given) is left empty: the reader takes 1.
    std::vector<std::string> fields = {name,
                                       w.Num(m.density, FormatDensity),
                                       w.Fixed(m.nu, 10, 3),
                                       m.jointFactor > 0.0f ? w.Fixed(m.jointFactor, 10, 2) : std::string(),
                                       m.circJointFactor > 0.0f ? w.Fixed(m.circJointFactor, 10, 2) : std::string(),
                                       MaterialTypeText(w, m.type)};
    std::string description = WithoutControls(m.description);
    if (!CarriesText(description)) {
      w.LeftOut("the description holds a comma and was not written", {"description"});
      description.clear();
    } else if (const std::string read = Upper(Trimmed(description)); read != description) {
      w.LeftOut("its description reads back as " + ReadBackReason(description, read), {"description"});
    }
    fields.push_back(description);
    while (fields.back().empty()) fields.pop_back();
    std::string line;
    for (std::size_t f = 0; f < fields.size(); ++f) line += (f == 0 ? "" : ",") + fields[f];
    w.Line(line);
    count.Wrote(i);
    bool moduli = false;
    for (int t = 1; t <= m.numtemps && static_cast<std::size_t>(t) < m.temps.size(); ++t) {
      const auto& v = m.temps[static_cast<std::size_t>(t)].values;
      moduli = moduli || v[kMatHoopModulus] != 0.0f || v[kMatShearModulus] != 0.0f;
      std::string row = name + "," + w.Temperature(v[kMatTemperature]) + "," + w.Num(v[kMatModulus], FormatModulus) +
                        "," + w.Num(v[kMatAlpha], FormatThermalExpansion) + "," + w.Num(v[kMatAllowable], FormatStress);
      if (v[kMatYield] > 0.0f || v[kMatRupture] > 0.0f)
        row += "," + (v[kMatYield] > 0.0f ? w.Num(v[kMatYield], FormatStress) : std::string());
      if (v[kMatRupture] > 0.0f) row += "," + w.Num(v[kMatRupture], FormatStress);
      w.Line(row);
    }
    if (moduli) {
      w.LeftOut("the hoop and shear moduli of its temperature rows were not written (the batch file does not carry "
                "them)");
      for (int t = 1; t <= m.numtemps; ++t)
        for (const char* modulus : {" hoop modulus", " shear modulus"})
          w.Named("temperature row " + std::to_string(t) + modulus);
    }
  }
  w.At("");
}

void WriteSoils(Writer& w) {
  const auto& table = w.model().soils;
  if (table.count == 0) return;
  w.Line("SOILS");
  RecordCount count(w.records.soils, table.count);
  for (int i = 1; i <= table.count; ++i) {
    const Soil& s = table[i];
    if (w.RecordName(NameTable::kSoil, i).empty()) continue;
    w.At(Place("Soil", table, i));
    const bool cohesive = s.type == kSoilCohesive;
    std::string line = w.RecordName(NameTable::kSoil, i) + (cohesive ? ",1," : ",0,") +
                       w.NumOr(s.density, FormatInsulationDensity, "0") + "," +
                       w.NumOr(s.groundLevel, FormatLength, "0.0") + ",";
    if (cohesive)
      line += w.NumOr(s.strength, FormatStress, "0");
    else
      line += w.Num(s.delta, FormatAngle) + "," + w.Fixed(s.Ks, 10, 2);
    w.Line(line);
    count.Wrote(i);
  }
  w.At("");
}

void WritePipeSections(Writer& w) {
  w.Line("PIPE");
  const auto& table = w.model().sections;
  RecordCount count(w.records.sections, table.count);
  for (int i = 1; i <= table.count; ++i) {
    const PipeSection& s = table[i];
    if (w.RecordName(NameTable::kSection, i).empty()) continue;
    w.At(Place("Pipe section", table, i));
    // A soil the model does not hold would make the line refused.
    std::string soil = s.soil;
    if (!soil.empty() && FindSoilByName(w.model().soils, soil) == 0) {
      w.LeftOut("the soil " + soil + " is not in the model and was not written", {"soil"});
      soil.clear();
    }
    std::string line = w.RecordName(NameTable::kSection, i) + "," + w.Num(s.outsideDiameter, FormatDimension) + "," +
                       w.Num(s.thickness, FormatDimension) + "," + w.Num(s.corrosionAllowance, FormatDimension) + "," +
                       w.Fixed(s.millTolerance, 10, 1);
    const bool lining = s.liningDensity != 0.0f || s.liningThickness != 0.0f;
    const bool insulation = s.insulationDensity != 0.0f || s.insulationThickness != 0.0f;
    if (insulation || lining || !soil.empty())
      line += "," + w.Num(s.insulationDensity, FormatInsulationDensity) + "," +
              w.Num(s.insulationThickness, FormatDimension);
    if (lining || !soil.empty())
      line += "," + w.Num(s.liningDensity, FormatInsulationDensity) + "," + w.Num(s.liningThickness, FormatDimension);
    if (!soil.empty()) line += "," + w.Written(NameTable::kSoil, soil);
    // The reader makes every section a non-standard one.
    if (s.standard != kStandardAnsi || (!s.nominalSize.empty() && s.nominalSize != kBatchSectionSize))
      w.LeftOut(
          "its standard, nominal size and schedule were not written (the batch file does not carry them); it "
          "reads back as Non Std",
          {"standard", "nominal size", "schedule"});
    w.Line(line);
    count.Wrote(i);
  }
  w.At("");
}

void WritePipeLoads(Writer& w) {
  const auto& table = w.model().pipeLoads;
  if (table.count == 0) return;
  w.Line("LOADS");
  const int inUse = w.model().options.ThermalLoadCount;
  RecordCount count(w.records.pipeLoads, table.count);
  for (int i = 1; i <= table.count; ++i) {
    const PipeLoad& l = table[i];
    if (w.RecordName(NameTable::kPipeLoad, i).empty()) continue;
    w.At(Place("Load", table, i));
    const auto& p = l.operating;
    std::vector<std::string> fields = {
        w.RecordName(NameTable::kPipeLoad, i), w.Temperature(p[0].temperature),
        w.NumOr(p[0].pressure, FormatPressure, "0"),
        l.specificGravity == 0.0f ? std::string("0") : w.ThreeDecimals(l.specificGravity)};
    // A pressure of exactly 0 is "none given", which an empty field gives
    // back; a typed 0 is held as the explicit zero and written as "0". A
    // pair not in use is left empty: any temperature written there but 0 and
    // 70 F would put it in use (the read-back names a pair in use that
    // reads as none).
    for (std::size_t pair = 1; pair <= 2; ++pair) {
      const bool used = inUse > static_cast<int>(pair);
      fields.push_back(used ? w.Temperature(p[pair].temperature) : std::string());
      fields.push_back(used && p[pair].pressure != 0.0f ? w.Num(p[pair].pressure, FormatPressure) : std::string());
    }
    if (l.additionalWeight != 0.0f) fields.push_back(w.Num(l.additionalWeight, FormatAdditionalWeight));
    while (fields.size() > 1 && fields.back().empty()) fields.pop_back();
    std::string line = fields[0];
    for (std::size_t field = 1; field < fields.size(); ++field) line += "," + fields[field];
    if (inUse > 3) {
      w.LeftOut("temperatures and pressures beyond the third were not written");
      for (int pair = 4; pair <= 10; ++pair) {
        w.Named("T" + std::to_string(pair));
        w.Named("P" + std::to_string(pair));
      }
    }
    w.Line(line);
    count.Wrote(i);
  }
  w.At("");
}

void WriteBeamTables(Writer& w) {
  const Model& model = w.model();
  if (model.beamMaterials.count > 0) {
    w.Line("BMATERIALS");
    RecordCount count(w.records.beamMaterials, model.beamMaterials.count);
    for (int i = 1; i <= model.beamMaterials.count; ++i) {
      const BeamMaterial& m = model.beamMaterials[i];
      if (w.RecordName(NameTable::kBeamMaterial, i).empty()) continue;
      w.At(Place("Beam material", model.beamMaterials, i));
      count.Wrote(i);
      w.Line(w.RecordName(NameTable::kBeamMaterial, i) + "," + w.Num(m.E, FormatModulus) + "," +
             (m.nu == 0.0f ? std::string("0.01") : w.Fixed(m.nu, 10, 3)) + "," +
             w.NumOr(m.density, FormatDensity, "0") + "," + w.NumOr(m.alpha, FormatThermalExpansion, "0"));
    }
  }
  if (model.beamSections.count > 0) {
    w.Line("BSECTIONS");
    RecordCount count(w.records.beamSections, model.beamSections.count);
    for (int i = 1; i <= model.beamSections.count; ++i) {
      const BeamSection& s = model.beamSections[i];
      if (w.RecordName(NameTable::kBeamSection, i).empty()) continue;
      w.At(Place("Beam section", model.beamSections, i));
      count.Wrote(i);
      w.Line(w.RecordName(NameTable::kBeamSection, i) + "," + w.NumOr(s.A, FormatArea, "0") + "," +
             w.NumOr(s.Imaj, FormatMomentOfInertia, "0") + "," + w.NumOr(s.Imin, FormatMomentOfInertia, "0") + "," +
             w.NumOr(s.J, FormatMomentOfInertia, "0") + "," + w.NumOr(s.Asmaj, FormatArea, "0") + "," +
             w.NumOr(s.Asmin, FormatArea, "0") + "," + w.NumOr(s.depth, FormatDimension, "0") + "," +
             w.NumOr(s.width, FormatDimension, "0"));
    }
  }
  if (model.beamLoads.count > 0) {
    w.Line("BLOADS");
    RecordCount count(w.records.beamLoads, model.beamLoads.count);
    for (int i = 1; i <= model.beamLoads.count; ++i) {
      const BeamLoad& l = model.beamLoads[i];
      if (w.RecordName(NameTable::kBeamLoad, i).empty()) continue;
      w.At(Place("Beam load", model.beamLoads, i));
      count.Wrote(i);
      w.Line(w.RecordName(NameTable::kBeamLoad, i) + "," + w.Temperature(l.temperature[0]) + "," +
             w.Num(l.temperature[1], FormatTemperature) + "," + w.Num(l.temperature[2], FormatTemperature) + "," +
             w.NumOr(l.additionalWeight, FormatAdditionalWeight, "0"));
    }
  }
  w.At("");
}

// --- Equipment, allowable loads, seismic and wind ---------------------------------------

void WritePumps(Writer& w) {
  const auto& table = w.model().pumps;
  if (table.count == 0) return;
  w.Line("PUMPS");
  RecordCount count(w.records.pumps, table.count);
  for (int i = 1; i <= table.count; ++i) {
    const Pump& p = table[i];
    w.At(Place("Pump", table, i));
    // What the reader refuses is named instead of written.
    const char* refusal = nullptr;
    if (p.suctionNode == 0 && p.dischargeNode == 0) refusal = "the pump has no nozzle node";
    if (p.vertical == 0 && !AnyNonZero(p.shaftAxis[0], p.shaftAxis[1], p.shaftAxis[2]))
      refusal = "the pump has no shaft axis";
    if (p.vertical == 0 && !AnyNonZero(p.centre[0], p.centre[1], p.centre[2]))
      refusal = "the pump centre is at the origin, which the batch file refuses";
    if (refusal != nullptr) {
      w.LeftOut(std::string(refusal) + "; the pump was not written");
      continue;
    }
    std::string line = DescriptionText(w, p.name, kBatchPumps, "name", "PUMP " + std::to_string(i));
    if (p.vertical != 0) {
      // Both nozzles are written: the reader takes the discharge after the
      // suction.
      line += ",1," + NodeText(p.suctionNode);
      if (p.dischargeNode != 0) line += "," + NodeText(p.dischargeNode);
    } else {
      line += ",0," + w.Fixed(p.shaftAxis[0], 10, 4) + "," + w.Fixed(p.shaftAxis[1], 10, 4) + "," +
              w.Fixed(p.shaftAxis[2], 10, 4) + "," + w.Num(p.centre[0], FormatLength) + "," +
              w.Num(p.centre[1], FormatLength) + "," + w.Num(p.centre[2], FormatLength);
      if (p.suctionNode != 0 || p.dischargeNode != 0)
        line += "," + NodeText(p.suctionNode) + "," + std::to_string(p.suctionNode != 0 ? p.suctionLocation : 0);
      if (p.dischargeNode != 0) line += "," + NodeText(p.dischargeNode) + "," + std::to_string(p.dischargeLocation);
    }
    if (p.standard > 1 || p.category != 0 || p.size != 0 || p.boltOrMounting != 0 || p.temperature != 0.0f ||
        p.materialGroup != 0)
      w.LeftOut("the pump standard and its data have no batch fields and were not written",
                {"standard", "category", "size", "material group", "bolts or mounting", "temperature"});
    w.Line(line);
    count.Wrote(i);
  }
  w.At("");
}

int FindDescription(const ModelRecordTable<RotatingEquipment>& table, const std::string& description) {
  for (int i = 1; i <= table.count; ++i)
    if (table[i].description == description) return i;
  return 0;
}

void WriteRotating(Writer& w, const ModelRecordTable<RotatingEquipment>& table, std::int32_t section,
                   const std::string& kind) {
  if (table.count == 0) return;
  w.Line(section == kBatchCompressors ? "COMPRESSORS" : "TURBINES");
  RecordCount count(section == kBatchCompressors ? w.records.compressors : w.records.turbines, table.count);
  for (int i = 1; i <= table.count; ++i) {
    const RotatingEquipment& r = table[i];
    w.At(RecordPlace(kind, r.description, i, FindDescription(table, r.description) == i));
    if (!AnyNonZero(r.shaftAxis[0], r.shaftAxis[1], r.shaftAxis[2])) {
      w.LeftOut("it has no shaft axis, which the batch file refuses; it was not written");
      continue;
    }
    const std::string freeText = Upper(kind) + " " + std::to_string(i);
    std::string line = DescriptionText(w, r.description, section, "description", freeText) + "," +
                       w.Fixed(r.shaftAxis[0], 10, 4) + "," + w.Fixed(r.shaftAxis[1], 10, 4) +
                       "," + w.Fixed(r.shaftAxis[2], 10, 4);
    const std::array<std::int32_t, 4> nodes = {r.inletNode, r.exhaustNode, r.extractionNode1, r.extractionNode2};
    std::size_t last = nodes.size();
    while (last > 0 && nodes[last - 1] == 0) --last;
    for (std::size_t n = 0; n < last; ++n) line += "," + NodeText(nodes[n]);
    w.Line(line);
    count.Wrote(i);
  }
  w.At("");
}

void WriteAllowables(Writer& w) {
  const auto& table = w.model().allowables;
  if (table.count == 0) return;
  w.Line("ALLOW");
  RecordCount count(w.records.allowables, table.count);
  for (int i = 1; i <= table.count; ++i) {
    const Allowable& a = table[i];
    w.At("Allowable load " + std::to_string(i));
    if (a.node == 0) {
      w.LeftOut("it has no node, which the batch file refuses; it was not written");
      continue;
    }
    std::string line = NodeText(a.node);
    for (std::size_t v = 0; v < a.values.size(); ++v)
      line += "," + w.Num(a.values[v], v < 3 ? FormatForceTrim : FormatMomentTrim);
    w.Line(line);
    count.Wrote(i);
  }
  w.At("");
}

void WriteSeismic(Writer& w) {
  const auto& g = w.model().seismic.g;
  if (!AnyNonZero(g[0], g[1], g[2])) return;
  w.Line("SEISMIC");
  w.At("Seismic");
  w.Line((g[0] == 0.0f ? std::string("0.00") : w.Fixed(g[0], 10, 2)) + "," +
         (g[1] == 0.0f ? std::string("0.00") : w.Fixed(g[1], 10, 2)) + "," +
         (g[2] == 0.0f ? std::string("0.00") : w.Fixed(g[2], 10, 2)));
  w.At("");
}

// The fields of a wind load that a line named.
void NameWindLoad(Writer& w, int number) {
  for (const char* field : {" shape factor", " direction X", " direction Y", " direction Z", " profile"})
    w.Named("wind load " + std::to_string(number) + field);
}

// Wind load 1 as one speed, a shape factor and a direction: what the WIND
// line holds. Profiles and the other three loads are named when present.
void WriteWind(Writer& w) {
  const WindData& wind = w.model().wind;
  const WindLoad& load = wind.loads[0];
  const bool direction = AnyNonZero(load.direction[0], load.direction[1], load.direction[2]);
  w.At("Wind");
  const bool single = wind.profileIsVelocity != 0 && load.velocityProfile.size() == 1 &&
                      load.velocityProfile[0].elevation == kExplicitZero;
  if (direction && single) {
    w.Line("WIND");
    w.Line(w.Num(load.velocityProfile[0].value, FormatVelocity) + "," + w.Fixed(load.shapeFactor, 10, 4) + "," +
           w.Fixed(load.direction[0], 10, 4) + "," + w.Fixed(load.direction[1], 10, 4) + "," +
           w.Fixed(load.direction[2], 10, 4));
  } else if (direction && (!load.velocityProfile.empty() || !load.pressureProfile.empty())) {
    w.LeftOut("wind load 1 has a profile, which the batch file does not carry; it was not written");
    NameWindLoad(w, 1);
    for (const char* field :
         {"profile elevation unit", "profile pressure unit", "profile velocity unit", "profiles of velocity"})
      w.Named(field);
  }
  for (int index = 1; index < kWindLoadCount; ++index) {
    const WindLoad& other = wind.loads[static_cast<std::size_t>(index)];
    if (AnyNonZero(other.direction[0], other.direction[1], other.direction[2])) {
      w.LeftOut("wind load " + std::to_string(index + 1) + " was not written");
      NameWindLoad(w, index + 1);
    }
  }
  w.At("");
}

}  // namespace

ExportUnitsScope::ExportUnitsScope(BatchExportUnits set) : saved_(g_UnitsSettings) {
  g_UnitsSettings = UnitsSettings{};
  if (set == BatchExportUnits::Inch) g_UnitsSettings.unit[kUnitLength] = kLengthInch;
  if (set == BatchExportUnits::Si) SetBatchSiUnits(g_UnitsSettings);
}

ExportUnitsScope::~ExportUnitsScope() { g_UnitsSettings = saved_; }

BatchExportUnits ChooseBatchExportUnits() {
  const int length = ChosenUnit(kUnitLength);
  if (length >= kLengthMetre) return BatchExportUnits::Si;
  if (length == kLengthInch && std::getenv("EXPORT_INCHES") != nullptr) return BatchExportUnits::Inch;
  return BatchExportUnits::English;
}

std::string WriteModelBatchText(const Model& model, BatchExportUnits units, std::vector<std::string>& leftOut,
                                std::string* refusal) {
  const ExportUnitsScope exportUnits(units);
  Writer w(model, leftOut);
  bool titleRow = false;
  WriteTitle(w, titleRow);
  PlanRecordNames(w);
  WriteOptions(w, units);
  WriteMaterials(w);
  WriteSoils(w);
  WritePipeSections(w);
  WritePipeLoads(w);
  WriteBeamTables(w);
  WriteLayout(w, titleRow);
  WritePumps(w);
  WriteRotating(w, model.compressors, kBatchCompressors, "Compressor");
  WriteRotating(w, model.turbines, kBatchTurbines, "Turbine");
  WriteAllowables(w);
  WriteSeismic(w);
  WriteWind(w);
  ListBatchFileDifferences(model, w.text, w.records, leftOut, refusal);
  return w.text;
}

std::string WriteModelBatchFile(const Model& model, const std::string& path, std::vector<std::string>& leftOut,
                                std::string* refusal) {
  std::string refused;
  const std::string text = WriteModelBatchText(model, ChooseBatchExportUnits(), leftOut, &refused);
  if (refusal != nullptr) *refusal = refused;
  // A file the import would refuse is not written.
  if (!refused.empty()) return "The file was not written: the import would refuse it.\n" + refused;
  return WriteExportFile(path, text);
}

void ExportBatchFile(HWND parent) {
  ExportFileQuestion question;
  question.title = "Export Model to Batch File";
  question.filter = "Model batch file (*.mbf)\0*.mbf\0";
  question.extension = "mbf";
  const std::string path = ChooseExportFile(parent, question);
  if (path.empty()) return;
  std::vector<std::string> leftOut;
  ShowExportOutcome(parent, WriteModelBatchFile(TheModel(), path, leftOut), leftOut);
}
