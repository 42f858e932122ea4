// The model batch file writer and its command (see BatchExport.h).
#include "files/BatchExport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "elements/BallJoint.h"
#include "elements/BeamElement.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "elements/CommentData.h"
#include "elements/ConcentratedMass.h"
#include "elements/CutPipe.h"
#include "elements/ElasticElement.h"
#include "elements/Flange.h"
#include "elements/HingeJoint.h"
#include "elements/HydrotestLoad.h"
#include "elements/JacketDialogs.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/MiterBend.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/SlipJoint.h"
#include "elements/TieRod.h"
#include "elements/UserSif.h"
#include "elements/Valve.h"
#include "elements/Weld.h"
#include "files/BatchExportReadBack.h"
#include "files/BatchImport.h"
#include "files/BatchInlineKinds.h"
#include "files/BatchLayout.h"
#include "files/BatchNumberText.h"
#include "files/BatchSections.h"
#include "files/ExportFiles.h"
#include "loads/Force.h"
#include "loads/HarmonicLoad.h"
#include "model/LayoutKeywords.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "platform/CommonDialog.h"
#include "platform/Messages.h"
#include "records/Compressor.h"
#include "records/ModelBatchFile.h"
#include "records/Spectrum.h"
#include "services/Message.h"
#include "services/NameTables.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/Anchor.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/NozzleDialog.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr float kRigid = 1.0e12f;
constexpr float kNoLimit = 1.0e29f;

// The code words of the OPTIONS line by code-list position, as the reader
// takes them.
constexpr std::array<const char*, 25> kCodeWords = {
    "None",   "B311",         "B311-67",      "B313",  "B314", "B315",       "B318",    "B319",     "ASME",
    "ASME-86", "ASME-92",     "ASME-2015",    "ASME-2017", "ASME-ND-2017", "BS806", "NORWEGIAN-83",
    "NORWEGIAN-90", "RCC-M",  "SNCT",         "STOOMWEZEN", "SWEDISH", "Z183", "Z184",  "EUROPEAN", "Z662"};

using Formatter = const char* (*)(float);

// Angles are held in radians; some records keep degrees.
const char* FormatDegrees(float degrees) { return FormatAngle(static_cast<float>(degrees / kDegreesPerRadian)); }

class Writer {
 public:
  Writer(const Model& model, std::vector<std::string>& leftOut) : model_(model), leftOut_(leftOut) {}

  std::string text;
  // Where the file put each record and row, and what the writer named.
  BatchFileRecords records;

  void Line(const std::string& line) { text += line + "\n"; }
  // A LAYOUT line, which the import makes the next row: from the model's
  // `row`, all of it or one part.
  void RowLine(const std::string& line, int row, BatchFileRecords::Part part = BatchFileRecords::Part::kWhole) {
    Line(line);
    records.rows.emplace_back(row, part);
  }
  // Names what the file leaves out or changes of the record at hand, and
  // the fields the line names, which the read-back comparison then leaves
  // to it.
  void LeftOut(const std::string& what, std::initializer_list<std::string> fields = {}) {
    leftOut_.push_back(where_ + what);
    for (const std::string& field : fields) Named(field);
  }
  void Named(const std::string& field) { records.named.insert({place_, field}); }
  void At(const std::string& where) {
    place_ = where;
    where_ = where.empty() ? std::string() : where + ": ";
  }
  // The name the file gives a record of `table`.
  std::string Written(NameTable table, const std::string& name) const { return records.WrittenName(table, name); }

  // A value's text, with the digits it needs to read back as itself; a
  // value that is not a number is written as 0 and named.
  std::string Num(float value, Formatter format) {
    if (!std::isfinite(value)) {
      LeftOut("a value that is not a number was written as 0");
      value = 0.0f;
    }
    // A length has no typed zero: its 1e-36 would be written as an exponent
    // of feet, which the reader refuses.
    if (format == FormatLength && IsExplicitZero(value)) value = 0.0f;
    return format == FormatDegrees ? BatchDegreesText(value) : BatchValueText(value, format);
  }
  // A temperature where the reader needs one: nothing given (0.0) has no
  // text, and is written as the typed zero, 0 F.
  std::string Temperature(float value) { return Num(value == 0.0f ? kExplicitZero : value, FormatTemperature); }
  std::string Fixed(float value, int width, int decimals) {
    if (!std::isfinite(value)) {
      LeftOut("a value that is not a number was written as 0");
      value = 0.0f;
    }
    return BatchPlainText(value, width, decimals);
  }
  // A specific gravity: three decimals, or the digits it needs.
  std::string ThreeDecimals(float value) {
    const std::string text = FormatThreeDecimals(value);
    float read = 0.0f;
    return ParseReal(text, read) == 0 && read == value ? text : Fixed(value, 12, 3);
  }
  // The literal for 0 (none given or the typed zero), the formatted value
  // otherwise.
  std::string NumOr(float value, Formatter format, const char* zero) {
    return value == 0.0f || IsExplicitZero(value) ? std::string(zero) : Num(value, format);
  }
  std::string Triple(float x, float y, float z, Formatter format) {
    return "(" + Num(x, format) + "," + Num(y, format) + "," + Num(z, format) + ")";
  }
  std::string Direction(float x, float y, float z) {
    return "(" + Fixed(x, 10, 4) + "," + Fixed(y, 10, 4) + "," + Fixed(z, 10, 4) + ")";
  }

  const Model& model() const { return model_; }

 private:
  const Model& model_;
  std::vector<std::string>& leftOut_;
  std::string where_;
  std::string place_;
};

std::string NodeText(std::int32_t node) { return node == 0 ? std::string() : std::string(NodeNumberText(node)); }

bool AnyNonZero(float a, float b, float c) { return a != 0.0f || b != 0.0f || c != 0.0f; }

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

// Control characters other than blanks, which the reader refuses on any
// line, as blanks.
std::string WithoutControls(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t') || byte == 0x7F) c = ' ';
  }
  return text;
}

// What the comma splitter gives back of `text` written as a field that
// more fields follow, or nothing when it would take more or less than the
// text: a comma ends a field, and a "(" protects the rest of the line up
// to a ")".
std::optional<std::string> CommaFieldAsRead(const std::string& text) {
  BatchFieldCursor fields;
  StartBatchFields(fields, text + ",|");
  const std::optional<std::string> field = NextBatchCommaField(fields);
  if (!field || NextBatchCommaField(fields) != std::optional<std::string>("|")) return std::nullopt;
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
  const std::string read = titleRow ? written.substr(0, kTitleWidth) : std::string();
  if (read != w.model().title) {
    w.LeftOut(why + "it reads back as \"" + read + "\"");
    // The title row's text follows the title.
    w.At("Row 1");
    w.Named("comment");
  }
  w.Line(written);
  w.Line("");
  w.At("");
}

// A description or name that begins a line of `section` (a pump's, ...):
// what is written, with what reads back named when it is not the text.
// The reader takes the line in capitals, without blanks at either end.
std::string DescriptionText(Writer& w, const std::string& text, std::int32_t section, const char* what) {
  const std::string carried = CommaFieldText(WithoutControls(text));
  std::string why;
  const std::string written = LineStartText(carried, section, kDescriptionWidth, why);
  const std::string read = Upper(Trimmed(written));
  if (read == text) return written;
  w.Named(what);
  if (carried != text)
    w.LeftOut(std::string("its ") + what + " holds a character the batch file takes for the end or the start of a " +
              "field (\",\" or \"(\") or one that no line holds; it was written as \"" + written +
              "\" and reads back as \"" + read + "\"");
  else if (why.empty())
    w.LeftOut(std::string("its ") + what + " reads back as \"" + read + "\": the batch file is read in capitals");
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
  const char* what;  // "material", as a sentence names one
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
  if (base.empty()) base = "R";
  if (NameReadsBack(table, base) && taken.count(base) == 0) return base;
  for (int number = 1;; ++number) {
    const std::string suffix = std::to_string(number);
    const std::string candidate = base.substr(0, table.width - std::min(table.width, suffix.size())) + suffix;
    if (NameReadsBack(table, candidate) && taken.count(candidate) == 0) return candidate;
  }
}

// The names the file gives the records of one table: each its own where it
// reads back as itself and as no other record's, else one that does, which
// the rows that name the record use too; each change is named.
template <typename Record>
void PlanNames(Writer& w, const NamedTable& table, const ModelRecordTable<Record>& records) {
  std::set<std::string> taken;
  auto& names = w.records.names[static_cast<std::size_t>(table.table)];
  for (int i = 1; i <= records.count; ++i) {
    const std::string& name = records[i].name;
    if (NameReadsBack(table, name) && taken.insert(name).second) continue;
    const std::string written = FreeName(table, name, taken);
    taken.insert(written);
    // Lookups by name find a table's first record of a name: the rows name
    // that one.
    const bool first = FindRecordByName(records, name) == i;
    if (first) names.emplace(name, written);
    w.At(std::string(table.kind) + " " + name);
    w.Named("name");
    const std::string as = "it was written as " + written + ", and so are the rows that name it";
    if (written == Upper(name) && name != written)
      w.LeftOut("its name reads back as " + written + ": the batch file is read in capitals");
    else if (BatchLineSwitch(Upper(name) + ",", table.section))
      w.LeftOut("its name is a section word of the batch file, which reads its line as a header; " + as);
    else if (!first)
      w.LeftOut("its name is that of an earlier " + std::string(table.what) + ", which the rows that name it mean; " +
                "it was written as " + written);
    else if (taken.count(Upper(name)) != 0)
      w.LeftOut("its name reads back as " + Upper(name) + ", the name of another " + table.what + "; " + as);
    else
      w.LeftOut("its name is not one the batch file reads (at most " + std::to_string(table.width) +
                " letters, digits, \"-\" or \"/\"); " + as);
  }
  w.At("");
}

void PlanRecordNames(Writer& w) {
  const Model& m = w.model();
  PlanNames(w, {NameTable::kMaterial, "Material", kBatchMaterial, kNameWidth, "material"}, m.materials);
  PlanNames(w, {NameTable::kSoil, "Soil", kBatchSoils, kSoilNameWidth, "soil"}, m.soils);
  PlanNames(w, {NameTable::kSection, "Pipe section", kBatchPipe, kNameWidth, "pipe section"}, m.sections);
  PlanNames(w, {NameTable::kPipeLoad, "Load", kBatchLoads, kNameWidth, "load"}, m.pipeLoads);
  PlanNames(w, {NameTable::kBeamMaterial, "Beam material", kBatchBeamMaterials, kNameWidth, "beam material"},
            m.beamMaterials);
  PlanNames(w, {NameTable::kBeamSection, "Beam section", kBatchBeamSections, kNameWidth, "beam section"},
            m.beamSections);
  PlanNames(w, {NameTable::kBeamLoad, "Beam load", kBatchBeamLoads, kNameWidth, "beam load"}, m.beamLoads);
}

// --- Property sections ------------------------------------------------------------

void WriteOptions(Writer& w, BatchExportUnits units) {
  const int position = CodeListPosition(w.model().options.PipingCode);
  std::string line = "HGRA,";
  line += position >= 0 && position < static_cast<int>(kCodeWords.size()) ? kCodeWords[static_cast<std::size_t>(position)]
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
    w.At("Material " + m.name);
    const std::string name = w.Written(NameTable::kMaterial, m.name);
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
      w.LeftOut("its description reads back as \"" + read + "\": the batch file is read in capitals", {"description"});
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
    w.At("Soil " + s.name);
    const bool cohesive = s.type == kSoilCohesive;
    std::string line = w.Written(NameTable::kSoil, s.name) + (cohesive ? ",1," : ",0,") +
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
    w.At("Pipe section " + s.name);
    // A soil the model does not hold would make the line refused.
    std::string soil = s.soil;
    if (!soil.empty() && FindSoilByName(w.model().soils, soil) == 0) {
      w.LeftOut("the soil " + soil + " is not in the model and was not written", {"soil"});
      soil.clear();
    }
    std::string line = w.Written(NameTable::kSection, s.name) + "," + w.Num(s.outsideDiameter, FormatDimension) + "," +
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
    w.At("Load " + l.name);
    const auto& p = l.operating;
    std::vector<std::string> fields = {
        w.Written(NameTable::kPipeLoad, l.name), w.Temperature(p[0].temperature),
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
      w.At("Beam material " + m.name);
      count.Wrote(i);
      w.Line(w.Written(NameTable::kBeamMaterial, m.name) + "," + w.Num(m.E, FormatModulus) + "," +
             (m.nu == 0.0f ? std::string("0.01") : w.Fixed(m.nu, 10, 3)) + "," +
             w.NumOr(m.density, FormatDensity, "0") + "," + w.NumOr(m.alpha, FormatThermalExpansion, "0"));
    }
  }
  if (model.beamSections.count > 0) {
    w.Line("BSECTIONS");
    RecordCount count(w.records.beamSections, model.beamSections.count);
    for (int i = 1; i <= model.beamSections.count; ++i) {
      const BeamSection& s = model.beamSections[i];
      w.At("Beam section " + s.name);
      count.Wrote(i);
      w.Line(w.Written(NameTable::kBeamSection, s.name) + "," + w.NumOr(s.A, FormatArea, "0") + "," +
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
      w.At("Beam load " + l.name);
      count.Wrote(i);
      w.Line(w.Written(NameTable::kBeamLoad, l.name) + "," + w.Temperature(l.temperature[0]) + "," +
             w.Num(l.temperature[1], FormatTemperature) + "," + w.Num(l.temperature[2], FormatTemperature) + "," +
             w.NumOr(l.additionalWeight, FormatWeight, "0"));
    }
  }
  w.At("");
}

// --- LAYOUT: the attribute part ---------------------------------------------------

// The name the file gives the record a row names, when the model holds
// one: a name of no record would make the line refused, so it is named
// instead (`field` is the row's field that holds it).
std::optional<std::string> Reference(Writer& w, NameTable table, const std::string& name, const char* what,
                                     const char* field) {
  const Model& m = w.model();
  int found = 0;
  switch (table) {
    case NameTable::kMaterial: found = FindRecordByName(m.materials, name); break;
    case NameTable::kSection: found = FindRecordByName(m.sections, name); break;
    case NameTable::kPipeLoad: found = FindRecordByName(m.pipeLoads, name); break;
    case NameTable::kBeamMaterial: found = FindRecordByName(m.beamMaterials, name); break;
    case NameTable::kBeamSection: found = FindRecordByName(m.beamSections, name); break;
    case NameTable::kBeamLoad: found = FindRecordByName(m.beamLoads, name); break;
    case NameTable::kSoil: found = FindRecordByName(m.soils, name); break;
    case NameTable::kNone: break;
  }
  if (found != 0) return w.Written(table, name);
  w.LeftOut("the " + std::string(what) + " " + name + " is not in the model and was not written", {field});
  return std::nullopt;
}

struct RowText {
  std::string main;
  std::string attributes;
  void Attribute(const std::string& attribute) {
    attributes += attributes.empty() ? ",C" : ",";
    attributes += attribute;
  }
};

// KEY=name of a record the row names, when the model holds it.
void NameAttribute(Writer& w, const char* key, NameTable table, const std::string& name, const char* what,
                   const char* field, RowText& out) {
  if (const std::optional<std::string> written = Reference(w, table, name, what, field)) out.Attribute(key + *written);
}

using ElementWriter = void (*)(Writer& w, const LayoutRow& row, RowText& out);
using ItemWriter = void (*)(Writer& w, const LayoutRow& row, RowText& out);

// The reader takes an intermediate node of a plain number and an angle of
// 0 or more; other ones (a derived node of an old model, 29A) are named.
void IntermediateNode(Writer& w, const char* word, std::int32_t node, float angle, RowText& out) {
  if (node == 0) return;
  const std::string name = "the bend's intermediate node " + NodeText(node);
  const std::string field = std::string("intermediate node ") + word[2];
  if (node < 0 || node > kMaxNodeNumber)
    w.LeftOut(name + " is a derived node, which the batch file refuses; it was not written", {field, field + " angle"});
  else if (!(angle >= 0.0f))
    w.LeftOut(name + " has a negative angle, which the batch file refuses; it was not written",
              {field, field + " angle"});
  else
    out.Attribute(std::string(word) + "(" + NodeText(node) + "," + w.Num(angle, FormatAngle) + ")");
}

void IntermediateNodes(Writer& w, const Bend& bend, RowText& out) {
  IntermediateNode(w, "IN1", bend.intermediateNode1, bend.angle1, out);
  IntermediateNode(w, "IN2", bend.intermediateNode2, bend.angle2, out);
}

constexpr float kSmallestBendRadius = 0.01f;  // inch: the bend's least
constexpr float kSmallestUserRadius = 0.1f;   // inch: the jacketed bend's and the miter's least

// Every bend's radius, whatever its kind: the reader takes the standard
// long or short radius of the row's section back as that kind. A radius the
// model was not made with (no section) has none to write.
void BendRadius(Writer& w, const Bend& bend, float least, RowText& out) {
  if (bend.radius >= least) {
    out.main += ",B" + w.Num(bend.radius, FormatDimension);
  } else if (bend.radiusType != kBendRadiusLong) {
    w.LeftOut("the bend has no radius to write; it reads back as a long-radius bend", {"bend radius kind"});
  }
}

void WriteBend(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& bend = static_cast<const Bend&>(*row.element);
  out.main += ",KI";
  BendRadius(w, bend, kSmallestBendRadius, out);
  if (bend.thickness != 0.0f) out.Attribute("BTHK=" + w.Num(bend.thickness, FormatDimension));
  if (!bend.material.empty())
    NameAttribute(w, "BMAT=", NameTable::kMaterial, bend.material, "bend material", "bend material", out);
  if (bend.flexibilityFactor > 0.0f) out.Attribute("FF=" + w.Fixed(bend.flexibilityFactor, 10, 4));
  IntermediateNodes(w, bend, out);
  if (bend.inPlaneSif > 1.0f || bend.outPlaneSif > 1.0f)
    out.Attribute("BSIF(" + w.Fixed(std::max(bend.inPlaneSif, 1.0f), 10, 3) + "," +
                  w.Fixed(std::max(bend.outPlaneSif, 1.0f), 10, 3) + ")");
}

void WriteMiter(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& miter = static_cast<const MiterBend&>(*row.element);
  out.main += ",KM,B" + w.Num(miter.radius, FormatDimension);
  if (miter.thickness != 0.0f) out.Attribute("BTHK=" + w.Num(miter.thickness, FormatDimension));
  if (!miter.material.empty())
    NameAttribute(w, "BMAT=", NameTable::kMaterial, miter.material, "bend material", "bend material", out);
  if (miter.flexibilityFactor > 0.0f) out.Attribute("FF=" + w.Fixed(miter.flexibilityFactor, 10, 4));
  if (miter.spacing == kMiterWidely) out.Attribute("WS");
}

template <typename Jacket>
void JacketNames(Writer& w, const Jacket& jacket, RowText& out) {
  if (!jacket.jacketMaterial.empty())
    NameAttribute(w, "JMAT=", NameTable::kMaterial, jacket.jacketMaterial, "jacket material", "jacket material", out);
  if (!jacket.jacketSection.empty())
    NameAttribute(w, "JSEC=", NameTable::kSection, jacket.jacketSection, "jacket section", "jacket section", out);
  if (!jacket.jacketLoad.empty())
    NameAttribute(w, "JLOAD=", NameTable::kPipeLoad, jacket.jacketLoad, "jacket load", "jacket load", out);
}

void WriteJacketedPipe(Writer& w, const LayoutRow& row, RowText& out) {
  out.main += ",JP";
  JacketNames(w, static_cast<const JacketedPipe&>(*row.element), out);
}

void WriteJacketedBend(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& bend = static_cast<const JacketedBend&>(*row.element);
  out.main += ",JI";
  BendRadius(w, bend, kSmallestUserRadius, out);
  JacketNames(w, bend, out);
  IntermediateNodes(w, bend, out);
  if (bend.jacketThickness != 0.0f) out.Attribute("JTHK=" + w.Num(bend.jacketThickness, FormatDimension));
  if (bend.thickness != 0.0f) out.Attribute("BTHK=" + w.Num(bend.thickness, FormatDimension));
  // A jacket without JR is a long-radius one; a short one is its section's
  // standard short radius, which the reader takes back as that kind.
  if (bend.jacketRadiusType != kBendRadiusLong) {
    if (bend.jacketRadius >= kSmallestUserRadius)
      out.Attribute("JR=" + w.Num(bend.jacketRadius, FormatDimension));
    else
      w.LeftOut("the jacket has no radius to write; it reads back as a long-radius jacket", {"jacket radius kind"});
  }
}

void WriteValve(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& valve = static_cast<const Valve&>(*row.element);
  out.main += ",JV";
  if (valve.weight != 0.0f) out.Attribute("VWGT=" + w.Num(valve.weight, FormatWeight));
  if (valve.additionalWeight != 0.0f) {
    out.Attribute("AWGT=" + w.Num(valve.additionalWeight, FormatWeight));
    out.Attribute("OFFSET" + w.Triple(valve.dx, valve.dy, valve.dz, FormatDimension));
  }
  if (valve.thicknessMultiplier != 0.0f) out.Attribute("THKF=" + w.Fixed(valve.thicknessMultiplier, 10, 4));
  if (valve.insulationWeightMultiplier != 0.0f)
    out.Attribute("INSF=" + w.Fixed(valve.insulationWeightMultiplier, 10, 4));
  if (valve.length != 0.0f) w.LeftOut("the valve length has no batch keyword and was not written", {"valve length"});
}

void WriteReducer(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& reducer = static_cast<const Reducer&>(*row.element);
  out.main += ",JD";
  out.Attribute("OD1=" + w.Num(reducer.od1, FormatDimension));
  out.Attribute("THK1=" + w.Num(reducer.thk1, FormatDimension));
  out.Attribute("OD2=" + w.Num(reducer.od2, FormatDimension));
  out.Attribute("THK2=" + w.Num(reducer.thk2, FormatDimension));
  if (reducer.coneAngle != 0.0f) out.Attribute("CONE=" + w.Num(reducer.coneAngle, FormatDegrees));
}

void WriteRigid(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& rigid = static_cast<const RigidElement&>(*row.element);
  out.main += ",JR";
  if (rigid.weight != 0.0f) out.Attribute("WGT=" + w.Num(rigid.weight, FormatWeight));
}

void WriteElastic(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& e = static_cast<const ElasticElement&>(*row.element);
  out.main += ",JL";
  if (AnyNonZero(e.kx, e.ky, e.kz)) out.Attribute("TRAK" + w.Triple(e.kx, e.ky, e.kz, FormatStiffnessOrRigid));
  if (AnyNonZero(e.kxx, e.kyy, e.kzz))
    out.Attribute("ROTK" + w.Triple(e.kxx, e.kyy, e.kzz, FormatRotStiffnessOrRigid));
  if (AnyNonZero(e.localX[0], e.localX[1], e.localX[2]))
    out.Attribute("LXAX" + w.Direction(e.localX[0], e.localX[1], e.localX[2]));
  if (AnyNonZero(e.localY[0], e.localY[1], e.localY[2]))
    out.Attribute("LYAX" + w.Direction(e.localY[0], e.localY[1], e.localY[2]));
}

void WriteCutPipe(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& cut = static_cast<const CutPipe&>(*row.element);
  out.main += ",JC";
  out.Attribute((cut.cut < 0.0f ? "LONG=" : "SHORT=") + w.Num(std::fabs(cut.cut), FormatDimension));
}

void WriteBeam(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& beam = static_cast<const Beam&>(*row.element);
  out.main += ",JM";
  if (!row.material.empty())
    NameAttribute(w, "MAT=", NameTable::kBeamMaterial, row.material, "beam material", "beam material", out);
  if (!row.section.empty())
    NameAttribute(w, "SEC=", NameTable::kBeamSection, row.section, "beam section", "beam section", out);
  if (!row.load.empty()) NameAttribute(w, "LOAD=", NameTable::kBeamLoad, row.load, "beam load", "beam load", out);
  if (beam.beta != 0.0f) out.Attribute("BETA=" + w.Num(beam.beta, FormatDegrees));
}

void WriteHydrotest(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& load = static_cast<const HydrotestLoad&>(*row.element);
  if (load.specificGravity != 0.0f) out.Attribute("HSG=" + w.ThreeDecimals(load.specificGravity));
  if (load.pressure > kExplicitZero) out.Attribute("HPRES=" + w.Num(load.pressure, FormatPressure));
}

// --- LAYOUT: expansion joints and tie rods ------------------------------------------------

constexpr float kRigidBending = 1.0e12f;  // the reader's bellows bending stiffness unless BK
constexpr float kNoneLimit = 5.0e29f;     // a rotation limit at or above it is none

std::string LimitText(Writer& w, float limit) {
  return limit >= kNoneLimit ? std::string("NONE") : w.Num(limit, FormatAngle);
}

void JointWeight(Writer& w, float weight, RowText& out) {
  if (weight != 0.0f) out.Attribute("WGT=" + w.Num(weight, FormatWeight));
}

void WriteBellows(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& b = static_cast<const Bellows&>(*row.element);
  out.main += ",JE";
  if (AnyNonZero(b.axialStiffness, b.lateralStiffness, b.torsionalStiffness)) {
    // The reader takes a stiffness below 1 as 1.
    if (b.axialStiffness < 1.0f || b.lateralStiffness < 1.0f || b.torsionalStiffness < 1.0f)
      w.LeftOut("a bellows stiffness below 1 reads back as 1",
                {"axial stiffness", "lateral stiffness", "torsional stiffness"});
    out.Attribute("ES(" + w.Num(b.axialStiffness, FormatStiffnessOrRigid) + "," +
                  w.Num(b.lateralStiffness, FormatStiffnessOrRigid) + "," +
                  w.Num(b.torsionalStiffness, FormatRotStiffnessOrRigid) + ")");
  }
  if (b.bendingStiffness != kRigidBending) out.Attribute("BK=" + w.Num(b.bendingStiffness, FormatRotStiffnessOrRigid));
  if (b.pressureThrustArea != 0.0f) out.Attribute("TA=" + w.Num(b.pressureThrustArea, FormatArea));
  JointWeight(w, b.weight, out);
  if (b.meanDiameter != 0.0f)
    w.LeftOut("the bellows mean diameter has no batch keyword and was not written", {"mean diameter"});
}

void WriteSlipJoint(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& j = static_cast<const SlipJoint&>(*row.element);
  out.main += ",JS";
  if (j.frictionForce != 0.0f) out.Attribute("FFOR=" + w.Num(j.frictionForce, FormatForceTrim));
  if (j.frictionTorque != 0.0f) out.Attribute("FTOR=" + w.Num(j.frictionTorque, FormatMomentTrim));
  if (j.pressureThrustArea != 0.0f) out.Attribute("TA=" + w.Num(j.pressureThrustArea, FormatArea));
  JointWeight(w, j.weight, out);
}

void WriteHingeJoint(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& h = static_cast<const HingeJoint&>(*row.element);
  out.main += ",KH";
  out.Attribute("HS=" + w.Num(h.stiffness, FormatRotStiffnessOrRigid));
  if (h.rotationLimit < kNoneLimit) out.Attribute("RLIM=" + LimitText(w, h.rotationLimit));
  if (h.frictionTorque != 0.0f) out.Attribute("FTOR=" + w.Num(h.frictionTorque, FormatMomentTrim));
  JointWeight(w, h.weight, out);
  if (AnyNonZero(h.axis[0], h.axis[1], h.axis[2])) out.Attribute("DV" + w.Direction(h.axis[0], h.axis[1], h.axis[2]));
}

void WriteBallJoint(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& b = static_cast<const BallJoint&>(*row.element);
  out.main += ",JB";
  out.Attribute("RK(" + w.Num(b.bendingStiffness, FormatRotStiffnessOrRigid) + "," +
                w.Num(b.torsionalStiffness, FormatRotStiffnessOrRigid) + ")");
  if (b.bendingRotationLimit < kNoneLimit || b.torsionalRotationLimit < kNoneLimit)
    out.Attribute("ROTL(" + LimitText(w, b.bendingRotationLimit) + "," + LimitText(w, b.torsionalRotationLimit) + ")");
  if (b.bendingFrictionTorque != 0.0f || b.torsionalFrictionTorque != 0.0f)
    out.Attribute("FRCT(" + w.Num(b.bendingFrictionTorque, FormatMomentTrim) + "," +
                  w.Num(b.torsionalFrictionTorque, FormatMomentTrim) + ")");
  JointWeight(w, b.weight, out);
}

void WriteTieRod(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& t = static_cast<const TieRod&>(*row.element);
  out.main += ",JT";
  out.Attribute("KTIE(" + w.Num(t.tensionStiffness, FormatStiffnessOrRigid) + "," +
                w.Num(t.compressionStiffness, FormatStiffnessOrRigid) + ")");
  if (t.tensionGap != 0.0f || t.compressionGap != 0.0f)
    out.Attribute("GAP(" + w.Num(t.tensionGap, FormatDimension) + "," + w.Num(t.compressionGap, FormatDimension) + ")");
}

void WriteNothing(Writer&, const LayoutRow&, RowText&) {}

// Why the reader would refuse a row of this kind as it stands (a record the
// dialogs never leave, or one from an old file); empty when it reads back.
std::string ElementRefusal(const Model& model, const LayoutRow& row) {
  switch (row.elementType) {
    case ElementType::Reducer: {
      const auto& r = static_cast<const Reducer&>(*row.element);
      if (!(r.od1 > 0.0f && r.thk1 > 0.0f && r.od2 > 0.0f && r.thk2 > 0.0f) || r.thk1 > 0.5f * r.od1 ||
          r.thk2 > 0.5f * r.od2)
        return "the reducer's end diameters and walls are incomplete";
      return {};
    }
    case ElementType::JacketedPipe:
    case ElementType::JacketedBend: {
      const auto* pipe = dynamic_cast<const JacketedPipe*>(row.element.get());
      const auto* bend = dynamic_cast<const JacketedBend*>(row.element.get());
      const bool named = pipe != nullptr ? !pipe->jacketMaterial.empty() && !pipe->jacketSection.empty() &&
                                               !pipe->jacketLoad.empty()
                                         : bend != nullptr && !bend->jacketMaterial.empty() &&
                                               !bend->jacketSection.empty() && !bend->jacketLoad.empty();
      if (!named) return "the jacket's material, section or load is not named";
      const std::string& jacket = pipe != nullptr ? pipe->jacketSection : bend->jacketSection;
      return JacketClearsCore(model, jacket, row.section) ? std::string()
                                                          : "the jacket's section does not clear the core's";
    }
    case ElementType::Elastic: {
      const auto& e = static_cast<const ElasticElement&>(*row.element);
      // The reader takes the global axis for an axis not written.
      const float globalX[3] = {1.0f, 0.0f, 0.0f}, globalY[3] = {0.0f, 1.0f, 0.0f};
      const float* x = AnyNonZero(e.localX[0], e.localX[1], e.localX[2]) ? e.localX : globalX;
      const float* y = AnyNonZero(e.localY[0], e.localY[1], e.localY[2]) ? e.localY : globalY;
      return BatchAxesPerpendicular(x, y) ? std::string() : "the elastic element's axes are not square";
    }
    case ElementType::CutPipe:
      return static_cast<const CutPipe&>(*row.element).cut == 0.0f ? "the cut pipe has no cut" : std::string();
    case ElementType::Miter:
      return static_cast<const MiterBend&>(*row.element).radius < kSmallestUserRadius ? "the miter has no radius"
                                                                                      : std::string();
    case ElementType::TieRod: {
      const auto& t = static_cast<const TieRod&>(*row.element);
      return !(t.tensionStiffness > 0.0f || t.compressionStiffness > 0.0f) ? "the tie rod has no stiffness"
                                                                           : std::string();
    }
    default: return {};
  }
}

struct ElementEntry {
  ElementType type;
  ElementWriter write;
};
// The element kinds the reader takes. A kind joins the file by a line here.
constexpr ElementEntry kElementWriters[] = {
    {ElementType::From, WriteNothing},          {ElementType::Location, WriteNothing},
    {ElementType::Pipe, WriteNothing},          {ElementType::Comment, WriteNothing},
    {ElementType::Bend, WriteBend},             {ElementType::Miter, WriteMiter},
    {ElementType::JacketedPipe, WriteJacketedPipe}, {ElementType::JacketedBend, WriteJacketedBend},
    {ElementType::Valve, WriteValve},           {ElementType::Reducer, WriteReducer},
    {ElementType::Rigid, WriteRigid},           {ElementType::Elastic, WriteElastic},
    {ElementType::CutPipe, WriteCutPipe},       {ElementType::Beam, WriteBeam},
    {ElementType::HydrotestLoad, WriteHydrotest},
    {ElementType::Bellows, WriteBellows},       {ElementType::SlipJoint, WriteSlipJoint},
    {ElementType::HingeJoint, WriteHingeJoint}, {ElementType::BallJoint, WriteBallJoint},
    {ElementType::TieRod, WriteTieRod},
};

const ElementEntry* FindElementWriter(ElementType type) {
  for (const ElementEntry& entry : kElementWriters)
    if (entry.type == type) return &entry;
  return nullptr;
}

// --- LAYOUT: data items --------------------------------------------------------------

// The values of a set of specified displacements, which a line named.
void NameDisplacements(Writer& w, int slot) {
  for (int component = 0; component < 6; ++component) w.Named(DisplacementFieldName(slot, component));
}

void WriteAnchor(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& anchor = static_cast<const Anchor&>(*row.item);
  const auto& k = anchor.stiffness;
  if (k[0] < kRigid || k[1] < kRigid || k[2] < kRigid)
    out.Attribute("TRAK" + w.Triple(k[0], k[1], k[2], FormatStiffnessOrRigid));
  if (k[3] < kRigid || k[4] < kRigid || k[5] < kRigid)
    out.Attribute("ROTK" + w.Triple(k[3], k[4], k[5], FormatRotStiffnessOrRigid));
  struct SetWords {
    int slot;
    const char* displacement;
    const char* rotation;
  };
  static constexpr SetWords kSets[] = {{0, "DIS", "ROT"},
                                       {1, "DIS2", "ROT2"},
                                       {2, "DIS3", "ROT3"},
                                       {kSeismicSlot, "SEIS", "SERO"},
                                       {kSettlementSlot, "SETT", "STRO"}};
  const SpecifiedDisplacements& d = anchor.displacements;
  if (d.sets) {
    const auto& v = d.sets->values;
    for (const SetWords& set : kSets) {
      if (d.flags[static_cast<std::size_t>(set.slot)] == 0) continue;
      const std::size_t first = static_cast<std::size_t>(6 * set.slot + 1);
      // Every set switched on is written, a zero one included: the set's
      // flag is what the analysis looks at.
      if (AnyNonZero(v[first], v[first + 1], v[first + 2]) ||
          !AnyNonZero(v[first + 3], v[first + 4], v[first + 5]))
        out.Attribute(std::string(set.displacement) +
                      w.Triple(v[first], v[first + 1], v[first + 2], FormatDisplacement));
      if (AnyNonZero(v[first + 3], v[first + 4], v[first + 5]))
        out.Attribute(std::string(set.rotation) + w.Triple(v[first + 3], v[first + 4], v[first + 5], FormatDegrees));
    }
    for (int slot = 3; slot < kSeismicSlot; ++slot)
      if (d.flags[static_cast<std::size_t>(slot)] != 0) {
        w.LeftOut("specified displacement set " + std::to_string(slot + 1) + " was not written",
                  {"specified displacement sets"});
        NameDisplacements(w, slot);
      }
  }
  const auto& r = anchor.releases;
  if (r[0] && r[1] && r[2] && r[3] && r[4] && r[5]) {
    out.Attribute("FREE");
  } else {
    static constexpr const char* kFree[6] = {"FREEX", "FREEY", "FREEZ", "FREEXX", "FREEYY", "FREEZZ"};
    for (std::size_t i = 0; i < 6; ++i)
      if (r[i]) out.Attribute(kFree[i]);
  }
  if (anchor.AnchorInPipeLcs != 0 || anchor.DisplacementsInPipeLcs != 0)
    w.LeftOut("the anchor's pipe axes have no batch keyword; its values were written as global",
              {"stiffnesses in pipe axes", "displacements in pipe axes"});
  if (!anchor.tag.empty()) w.LeftOut("the anchor tag was not written", {"tag"});
}

void WriteRestraint(Writer&, const LayoutRow& row, RowText& out) {
  const auto& r = static_cast<const Restraint&>(*row.item);
  out.Attribute(std::string("FIXD(") + (r.restrainX ? "1" : "0") + "," + (r.restrainY ? "1" : "0") + "," +
                (r.restrainZ ? "1" : "0") + ")");
}

void WriteSkewedRestraint(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& r = static_cast<const SkewedRestraint&>(*row.item);
  if (r.rotational != 0)
    out.Attribute("KR=" + w.Num(r.stiffness, FormatRotStiffnessOrRigid));
  else
    out.Attribute("K=" + w.Num(r.stiffness, FormatStiffnessOrRigid));
  out.Attribute("DV" + w.Direction(r.dirX, r.dirY, r.dirZ));
  if (r.connectedNode != 0) out.Attribute("CNOD=" + NodeText(r.connectedNode));
}

// A friction below 0 (files of older versions hold them) is none: the
// reader refuses a negative MU, and the importers keep no friction for it.
std::string FrictionText(Writer& w, float friction) {
  if (friction > 0.0f) return ",MU=" + w.Fixed(friction, 10, 3);
  if (friction < 0.0f)
    w.LeftOut("the negative friction coefficient was not written; it reads back as no friction",
              {"friction coefficient"});
  return {};
}

void WriteGuide(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& g = static_cast<const Guide&>(*row.item);
  std::string text = "G";
  text += FrictionText(w, g.frictionCoefficient);
  if (g.stiffness != 0.0f) text += ",STIFF=" + w.Num(g.stiffness, FormatStiffnessOrRigid);
  if (g.gap != 0.0f) text += ",GGAP=" + w.Num(g.gap, FormatDisplacement);
  if (g.connectedNode != 0) text += ",CNOD=" + NodeText(g.connectedNode);
  out.Attribute(text);
}

void WriteLimitStop(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& s = static_cast<const LimitStop&>(*row.item);
  const bool lower = s.lowerLimit >= -kNoLimit;
  const bool upper = s.upperLimit <= kNoLimit;
  std::string text = "LS(" + (lower ? w.Num(s.lowerLimit, FormatDisplacement) : std::string("None")) + "," +
                     (upper ? w.Num(s.upperLimit, FormatDisplacement) : std::string("None")) + ")";
  if (s.connectedNode == 0) text += ",DV" + w.Direction(s.dirX, s.dirY, s.dirZ);
  text += FrictionText(w, s.frictionCoefficient);
  if (s.stiffness != 0.0f) text += ",STIFF=" + w.Num(s.stiffness, FormatStiffnessOrRigid);
  if (s.connectedNode != 0) text += ",CNOD=" + NodeText(s.connectedNode);
  out.Attribute(text);
}

void WriteSnubber(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& s = static_cast<const Snubber&>(*row.item);
  std::string text = "SNUBBER";
  if (s.stiffness != 0.0f) text += ",STIFF=" + w.Num(s.stiffness, FormatStiffnessOrRigid);
  if (AnyNonZero(s.dirX, s.dirY, s.dirZ)) text += ",DV" + w.Direction(s.dirX, s.dirY, s.dirZ);
  out.Attribute(text);
}

void WriteBranchSif(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& sif = static_cast<const BranchSif&>(*row.item);
  switch (sif.type) {
    // KF is the unreinforced tee unless a pad makes it the reinforced one.
    case 2:
      if (sif.dimension1 > 0.0f)
        out.Attribute("PAD=" + w.Num(sif.dimension1, FormatDimension));
      else
        w.LeftOut(
            "the reinforced tee has no pad thickness, without which the batch file cannot tell it from an "
            "unreinforced tee; it reads back as an unreinforced tee",
            {"branch type"});
      break;
    // The B31.1 and B31.9 extruded tee keeps no crotch radius, and the
    // reader refuses CRTCH=0; a branch connection may have no radius.
    case 4:
      if (sif.dimension1 > 0.0f) out.Attribute("CRTCH=" + w.Num(sif.dimension1, FormatDimension));
      break;
    case 7:
      out.Attribute("R=" + w.Num(sif.dimension1, FormatDimension));
      out.Attribute("THK=" + w.Num(sif.dimension2, FormatDimension));
      break;
    case 8:
      out.Attribute("THK=" + w.Num(sif.dimension1, FormatDimension));
      out.Attribute("LEN=" + w.Num(sif.dimension2, FormatDimension));
      break;
    case 9:
      if (sif.dimension1 > 0.0f) out.Attribute("R=" + w.Num(sif.dimension1, FormatDimension));
      break;
    default: break;
  }
  if (sif.flanges != 0) w.LeftOut("the branch's flanged ends were not written", {"flanged ends"});
}

void WriteForce(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& f = static_cast<const NodalForce&>(*row.item);
  const bool forces = AnyNonZero(f.FX, f.FY, f.FZ);
  const bool moments = AnyNonZero(f.MX, f.MY, f.MZ);
  // A force of nothing at all still is a force item.
  if (forces || !moments) out.Attribute("FOR" + w.Triple(f.FX, f.FY, f.FZ, FormatForceTrim));
  if (moments) out.Attribute("MOM" + w.Triple(f.MX, f.MY, f.MZ, FormatMomentTrim));
}

void WriteHarmonicLoad(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& h = static_cast<const HarmonicLoad&>(*row.item);
  std::string text = "FRE=" + w.Fixed(h.Frequency, 10, 3);
  if (h.Phase != 0.0f) text += ",PH=" + w.Num(h.Phase, FormatDegrees);
  text += ",FOR" + w.Triple(h.FX, h.FY, h.FZ, FormatForceTrim);
  out.Attribute(text);
}

void WriteSpider(Writer&, const LayoutRow&, RowText& out) { out.Attribute("SPIDER"); }
void WriteJacketEndCap(Writer&, const LayoutRow&, RowText& out) { out.Attribute("JCAP"); }
void WriteThreadedJoint(Writer&, const LayoutRow&, RowText& out) { out.Attribute("TJOINT"); }

std::string HangerCountText(const char* word, std::int32_t count) {
  return std::string(word) + "=" + std::to_string(count);
}

void WriteHanger(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& h = static_cast<const Hanger&>(*row.item);
  if (h.kind == kUserHanger) {
    out.Attribute("US(" + std::to_string(h.numberOfHangers) + "," + w.Num(h.springRate, FormatStiffnessOrRigid) + "," +
                  w.Num(h.load, FormatForceTrim) + ")");
    if (h.loadType != 0) out.Attribute("CLD=" + std::to_string(h.loadType));
  } else if (h.kind == kRodHanger) {
    out.Attribute(HangerCountText("RH", h.numberOfHangers));
  } else if (h.kind == kConstantSupport) {
    out.Attribute(HangerCountText("CS", h.numberOfHangers));
  } else {
    // VS gives the count, HTYP after it the catalogue.
    out.Attribute(HangerCountText("VS", h.numberOfHangers));
    out.Attribute("HTYP=" + std::to_string(h.kind));
  }
  if (IsDesignedHanger(h.kind)) {
    if (h.shortRange != 0) out.Attribute("SR");
    if (h.maximumLoadVariation != 25) out.Attribute("MLV=" + std::to_string(h.maximumLoadVariation));
  }
  if (h.connectedNode != 0) out.Attribute("CNOD=" + NodeText(h.connectedNode));
  if (h.above == 0) w.LeftOut("the hanger below the pipe has no batch keyword; it reads back as above", {"above flag"});
  if (!h.tag.empty()) w.LeftOut("the hanger tag was not written", {"tag"});
}

void WriteNozzle(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& n = static_cast<const Nozzle&>(*row.item);
  out.Attribute(n.flatBottom != 0 ? "NOZZLE=650" : "NOZZLE=297");
  if (n.flatBottom != 0 && n.reinforcingPad != 0) out.Attribute("RPAD=1");
  out.Attribute("NOD=" + w.Num(n.nozzleOd, FormatDimension));
  out.Attribute("NTHK=" + w.Num(n.nozzleThickness, FormatDimension));
  out.Attribute("VOD=" + w.Num(n.vesselOd, FormatDimension));
  out.Attribute("VTHK=" + w.Num(n.vesselThickness, FormatDimension));
  if (n.l1 != 0.0f) out.Attribute("L1=" + w.Num(n.l1, FormatLength));
  // The reader gives L2 to a cylindrical vessel's nozzle only.
  if (n.l2 != 0.0f && n.flatBottom == 0)
    out.Attribute("L2=" + w.Num(n.l2, FormatLength));
  else if (n.l2 != 0.0f)
    w.LeftOut(
        "the flat-bottom tank nozzle's L2 was not written (the batch file gives L2 to a cylindrical vessel's "
        "nozzle only)",
        {"L2"});
  if (n.elasticModulus != 0.0f) out.Attribute("E=" + w.Num(n.elasticModulus, FormatModulus));
  const auto& axis = n.vesselAxis;
  if (AnyNonZero(axis[0], axis[1], axis[2])) out.Attribute("DV" + w.Direction(axis[0], axis[1], axis[2]));
  if (!n.tag.empty()) w.LeftOut("the nozzle tag was not written", {"tag"});
  if (std::any_of(n.displacements.flags.begin(), n.displacements.flags.end(), [](auto flag) { return flag != 0; })) {
    w.LeftOut("the nozzle's specified displacements have no batch keyword and were not written",
              {"specified displacement sets"});
    for (int slot = 0; slot < kDisplacementSlots; ++slot) NameDisplacements(w, slot);
  }
}

void WriteFlange(Writer& w, const LayoutRow& row, RowText& out) {
  static constexpr const char* kCodes[] = {"WN", "DW", "SO", "FW", "SW", "LJ", "TH"};
  const auto& f = static_cast<const Flange&>(*row.item);
  const bool typed = f.type >= 1 && f.type <= 7;
  if (!typed) w.LeftOut("the flange has no type; it reads back as a weld neck flange", {"flange type"});
  out.Attribute(std::string("FLANGE=") + kCodes[typed ? f.type - 1 : 0]);
  if (f.weight != 0.0f) out.Attribute("WGT=" + w.Num(f.weight, FormatWeight));
  if (f.gasketDiameter != 0.0f) out.Attribute("GDIA=" + w.Num(f.gasketDiameter, FormatDimension));
  if (f.allowablePressure != 0.0f) out.Attribute("AP=" + w.Num(f.allowablePressure, FormatPressure));
}

void WriteUserSif(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& s = static_cast<const UserSif&>(*row.item);
  if (s.inPlaneSif == s.outPlaneSif)
    out.Attribute("SIF=" + w.Fixed(s.inPlaneSif, 10, 3));
  else
    out.Attribute("SIF(" + w.Fixed(s.inPlaneSif, 10, 3) + "," + w.Fixed(s.outPlaneSif, 10, 3) + ")");
  if (s.axialSif != 0.0f || s.torsionSif != 0.0f)
    w.LeftOut("the axial and torsional SIFs have no batch keyword and were not written",
              {"axial SIF", "torsional SIF"});
}

void WriteWeld(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& weld = static_cast<const Weld&>(*row.item);
  out.Attribute("WTYPE=" + std::to_string(weld.type));
  if ((weld.type == 1 || weld.type == 4) && weld.mismatch != 0.0f)
    out.Attribute("DELTA=" + w.Num(weld.mismatch, FormatDimension));
}

void WriteConcentratedMass(Writer& w, const LayoutRow& row, RowText& out) {
  const auto& m = static_cast<const ConcentratedMass&>(*row.item);
  out.Attribute("CWGT=" + w.Num(m.weight, FormatWeight));
  if (AnyNonZero(m.dx, m.dy, m.dz)) out.Attribute("OFFSET" + w.Triple(m.dx, m.dy, m.dz, FormatDimension));
}

// The branch dimensions the reader takes: at least 0.001 inch where given,
// and the two of a radiused branch or a branch on thickened pipe required.
constexpr float kSmallestBranchDimension = 0.001f;  // inch

std::string BranchSifRefusal(const BranchSif& sif) {
  const auto given = [](float value) { return value >= kSmallestBranchDimension; };
  switch (sif.type) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6: return {};
    case 7:
      return given(sif.dimension1) && given(sif.dimension2)
                 ? std::string()
                 : "the radiused branch's fillet radius or wall thickness is below 0.001 inch, which the batch file "
                   "refuses";
    case 8:
      return given(sif.dimension1) && given(sif.dimension2)
                 ? std::string()
                 : "the thickened pipe's thickness or length is below 0.001 inch, which the batch file refuses";
    case 9:
      return sif.dimension1 <= 0.0f || given(sif.dimension1)
                 ? std::string()
                 : "the branch radius is below 0.001 inch, which the batch file refuses";
    default: return "the branch SIF has no type the batch file knows";
  }
}

// Why the reader would refuse an item as it stands; empty when it reads back.
std::string ItemRefusal(const LayoutRow& row) {
  switch (row.dataType) {
    case DataType::HarmonicLoad:
      return static_cast<const HarmonicLoad&>(*row.item).Frequency > 0.0f
                 ? std::string()
                 : "the harmonic load has no frequency, which the batch file refuses";
    case DataType::LimitStop: {
      const auto& s = static_cast<const LimitStop&>(*row.item);
      return s.lowerLimit < -kNoLimit && s.upperLimit > kNoLimit
                 ? "the limit stop has no limits, which the batch file refuses"
                 : std::string();
    }
    case DataType::SkewedRestraint:
      return static_cast<const SkewedRestraint&>(*row.item).stiffness > 0.0f
                 ? std::string()
                 : "the skewed restraint has no stiffness, which the batch file refuses";
    case DataType::ConcentratedMass:
      return static_cast<const ConcentratedMass&>(*row.item).weight != 0.0f
                 ? std::string()
                 : "the concentrated mass has no weight, which the batch file cannot carry";
    case DataType::UserSif: {
      const auto& s = static_cast<const UserSif&>(*row.item);
      return s.inPlaneSif >= 1.0f && s.outPlaneSif >= 1.0f ? std::string()
                                                           : "the user SIF is below 1, which the batch file refuses";
    }
    case DataType::Hanger: {
      const auto& h = static_cast<const Hanger&>(*row.item);
      const bool kind = (h.kind >= 1 && h.kind <= kHangerCatalogueCount) || h.kind == kUserHanger ||
                        h.kind == kRodHanger || h.kind == kConstantSupport;
      if (!kind || h.numberOfHangers < 1 || h.numberOfHangers > 8)
        return "the hanger's kind or number of hangers is one the batch file refuses";
      if (IsDesignedHanger(h.kind) && (h.maximumLoadVariation < 1 || h.maximumLoadVariation > 99))
        return "the hanger's load variation is one the batch file refuses";
      return {};
    }
    case DataType::Nozzle: {
      // The reader puts a nozzle through the dialog's checks, as the file
      // carries it: a vessel the file cannot call spherical is a cylinder.
      Nozzle carried;
      carried.CopyFrom(*row.item);
      carried.spherical = 0;
      const NozzleFault fault = CheckNozzleGeometry(carried);
      return fault.message.empty() ? std::string() : "the nozzle is refused (" + fault.message + ")";
    }
    case DataType::BranchSif: return BranchSifRefusal(static_cast<const BranchSif&>(*row.item));
    case DataType::Weld: {
      const auto type = static_cast<const Weld&>(*row.item).type;
      return type >= 0 && type <= kWeldTypeLast ? std::string() : "the weld type is one the batch file refuses";
    }
    default: return {};
  }
}

struct ItemEntry {
  DataType type;
  const char* code;  // of the line's main part
  ItemWriter write;
};
// The data-item kinds the reader takes. A kind joins the file by a line here.
constexpr ItemEntry kItemWriters[] = {
    {DataType::Anchor, ",KA", WriteAnchor},
    {DataType::Restraint, "", WriteRestraint},
    {DataType::SkewedRestraint, "", WriteSkewedRestraint},
    {DataType::Guide, "", WriteGuide},
    {DataType::LimitStop, "", WriteLimitStop},
    {DataType::Snubber, "", WriteSnubber},
    {DataType::Spider, "", WriteSpider},
    {DataType::JacketEndCap, "", WriteJacketEndCap},
    {DataType::BranchSif, nullptr, WriteBranchSif},
    {DataType::Force, "", WriteForce},
    {DataType::HarmonicLoad, "", WriteHarmonicLoad},
    {DataType::Hanger, "", WriteHanger},
    {DataType::Nozzle, "", WriteNozzle},
    {DataType::Flange, "", WriteFlange},
    {DataType::UserSif, "", WriteUserSif},
    {DataType::Weld, "", WriteWeld},
    {DataType::ThreadedJoint, "", WriteThreadedJoint},
    {DataType::ConcentratedMass, "", WriteConcentratedMass},
};

const ItemEntry* FindItemWriter(DataType type) {
  for (const ItemEntry& entry : kItemWriters)
    if (entry.type == type) return &entry;
  return nullptr;
}

std::string BranchSifCode(std::int32_t type) {
  switch (type) {
    case 1: return ",KT";
    case 2:
    case 3: return ",KF";
    case 4: return ",KE";
    case 5: return ",KS";
    case 6: return ",KW";
    case 7: return ",KR";
    case 8: return ",KP";
    case 9: return ",KB";
    default: return "";
  }
}

std::string KindName(ElementType type) { return ElementTypeMessageName(type); }

// The names in force in the LAYOUT section, as the reader keeps them, and
// whether the model's spectrum load still waits for a line to carry it.
struct NamesInForce {
  std::string material, section, load;
  bool spectrumPending = false;
  bool ambientPending = false;
  // Per pipe section, in the order met: the long- and short-radius bends
  // that read back as bends of user radius.
  std::vector<std::pair<std::string, std::array<int, 2>>> bendsOfUserRadius;
};

// A long or short bend is written with its radius, which the reader gives
// back that kind only when it is the standard radius of the row's section
// as the file carries it (Non Std, without its nominal size): any other is
// counted for its section.
void NoteBendRadiusKind(Writer& w, const Bend& bend, float least, NamesInForce& names) {
  const Model& model = w.model();
  if (bend.radiusType == kBendRadiusUser || bend.radius < least) return;
  const int record = FindSectionByName(model.sections, names.section);
  if (BatchBendRadiusKindAsRead(record == 0 ? nullptr : &model.sections[record], bend.radius) == bend.radiusType)
    return;
  w.Named("bend radius kind");
  auto& list = names.bendsOfUserRadius;
  auto at = std::find_if(list.begin(), list.end(),
                         [&names](const auto& entry) { return entry.first == names.section; });
  if (at == list.end()) at = list.insert(list.end(), {names.section, {0, 0}});
  ++at->second[bend.radiusType == kBendRadiusShort ? 1 : 0];
}

void ListBendsOfUserRadius(Writer& w, const NamesInForce& names) {
  for (const auto& [section, counts] : names.bendsOfUserRadius) {
    const bool one = counts[0] + counts[1] == 1;
    std::string bends = "its ";
    if (counts[0] > 0) bends += (one ? "" : std::to_string(counts[0]) + " ") + "long-radius";
    if (counts[1] > 0)
      bends += (counts[0] > 0 ? " and " : "") + (one ? "" : std::to_string(counts[1]) + " ") + "short-radius";
    w.At("Pipe section " + section);
    w.LeftOut(bends + (one ? " bend reads back as a bend" : " bends read back as bends") +
              " of user radius, with the same radius: the batch file gives the section back as Non Std, whose "
              "standard radius is another");
  }
  w.At("");
}

// The reader starts from the program's default reference temperature (70 F
// unless the user's default options say otherwise) and takes AMB from any
// line: AMB is written unless the model's value is the one a reader starts
// from anyway.
bool AmbientToWrite(const Model& model) {
  const float reference = model.options.ReferenceTemperature;
  return reference != AnalysisOptions{}.ReferenceTemperature ||
         reference != ProgramAnalysisOptions().ReferenceTemperature;
}

// AMB= of the model's reference temperature.
void AmbientAttribute(Writer& w, RowText& out) {
  out.Attribute("AMB=" + w.Temperature(w.model().options.ReferenceTemperature));
}

// A spectrum name the reader gives back as it is: upper case, no blank,
// comma or parenthesis, at most 32 characters.
bool IsBatchSpectrumName(const std::string& name) {
  if (name.empty() || name.size() > 32) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u > ' ' && u < 0x7F && c != ',' && c != '(' && c != ')' && c != '=' && !(c >= 'a' && c <= 'z');
  });
}

// SPECX=, FACX= ... of the model's spectrum load, on the first line that
// can take attributes.
void SpectrumLoadAttributes(Writer& w, RowText& out) {
  static constexpr const char* kAxes[3] = {"X", "Y", "Z"};
  const SpectrumLoad& load = w.model().spectrumLoad;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const std::string& name = load.name[axis];
    if (name.empty()) continue;
    if (!IsBatchSpectrumName(name)) {
      w.LeftOut("the " + std::string(kAxes[axis]) + " spectrum of the spectrum load, " + name +
                ", has a name the batch file cannot carry; it was not written");
      continue;
    }
    out.Attribute("SPEC" + std::string(kAxes[axis]) + "=" + name);
    out.Attribute("FAC" + std::string(kAxes[axis]) + "=" + w.Fixed(load.factor[axis], 10, 4));
  }
}

// The item's code and attributes; false when the item has no writer or
// cannot be written (it is then named in the list).
bool WriteItem(Writer& w, const LayoutRow& row, RowText& out) {
  const ItemEntry* entry = FindItemWriter(row.dataType);
  if (entry == nullptr) {
    w.LeftOut(std::string(DataTypeName(static_cast<int>(row.dataType))) +
                  " was not written (the batch file does not carry it)",
              {"data item"});
    return false;
  }
  if (const std::string refusal = ItemRefusal(row); !refusal.empty()) {
    w.LeftOut(refusal + "; it was not written", {"data item"});
    return false;
  }
  out.main += entry->code != nullptr ? std::string(entry->code)
                                     : BranchSifCode(static_cast<const BranchSif&>(*row.item).type);
  entry->write(w, row, out);
  return true;
}

void WriteLayoutRow(Writer& w, const LayoutRow& row, int number, NamesInForce& names) {
  using Part = BatchFileRecords::Part;
  w.At("Row " + std::to_string(number));
  RowText out;
  ElementType type = row.elementType;
  const ElementEntry* element = FindElementWriter(type);
  if (element == nullptr) {
    w.LeftOut(KindName(type) + " was written as a pipe (the batch file does not carry it yet)", {"element kind"});
    type = ElementType::Pipe;
  } else if (const std::string refusal = ElementRefusal(w.model(), row); !refusal.empty()) {
    w.LeftOut(refusal + "; the row was written as a pipe", {"element kind"});
    type = ElementType::Pipe;
    element = FindElementWriter(type);
  }
  if (type == ElementType::Comment) {
    const auto* comment = dynamic_cast<const CommentData*>(row.element.get());
    w.RowLine("*" + WithoutControls(comment != nullptr ? comment->Text() : std::string()), number);
    return;
  }
  switch (type) {
    case ElementType::From: out.main = "F"; break;
    case ElementType::Location: out.main = "L"; break;
    case ElementType::HydrotestLoad: out.main = "H"; break;
    default: out.main = "T"; break;
  }
  if (type != ElementType::HydrotestLoad) out.main += NodeText(row.node);
  if (row.absolute) out.main += "*";
  // A bend row's node is off the pipe, a hinge's K code and axis leave no
  // room for an item's, and an element's own WGT, OFFSET or TRAK would be
  // taken for a flange's, a mass's or an anchor's: such an item goes on a
  // Location line of its own, which the reader takes.
  const bool bend = IsBendElementType(type) || BatchItemNeedsOwnLine(type, row.dataType);
  const bool item = row.dataType != DataType::None && row.item != nullptr;
  RowText itemText;
  bool itemWritten = false;
  if (item && !bend) {
    itemWritten = WriteItem(w, row, itemText);
    // A Location row is there for its item: without it the line would read
    // back as an empty row.
    if (!itemWritten && type == ElementType::Location) return;
    out.main += itemText.main;
  }
  // The pipe load in force first: "L=" where it changes.
  if (type != ElementType::Beam && ElementTypeHasProperties(type) && !row.load.empty() && row.load != names.load) {
    names.load = row.load;
    if (const auto load = Reference(w, NameTable::kPipeLoad, row.load, "pipe load", "pipe load"))
      out.Attribute("L=" + *load);
  }
  if (element != nullptr && type != ElementType::Beam) element->write(w, row, out);
  if (type == ElementType::Beam) {
    out.main += ",JM";
  } else if (ElementTypeHasProperties(type)) {
    if (!row.material.empty() && row.material != names.material) {
      names.material = row.material;
      if (const auto material = Reference(w, NameTable::kMaterial, row.material, "material", "material"))
        out.main += ",M" + *material;
    }
    if (!row.section.empty() && row.section != names.section) {
      names.section = row.section;
      if (const auto section = Reference(w, NameTable::kSection, row.section, "pipe section", "pipe section"))
        out.main += ",P" + *section;
    }
    if (type == ElementType::Bend || type == ElementType::JacketedBend)
      NoteBendRadiusKind(w, static_cast<const Bend&>(*row.element),
                         type == ElementType::Bend ? kSmallestBendRadius : kSmallestUserRadius, names);
  }
  if (row.dx != 0.0f) out.main += ",X" + w.Num(row.dx, FormatLength);
  if (row.dy != 0.0f) out.main += ",Y" + w.Num(row.dy, FormatLength);
  if (row.dz != 0.0f) out.main += ",Z" + w.Num(row.dz, FormatLength);
  if (names.ambientPending && type != ElementType::HydrotestLoad) {
    names.ambientPending = false;
    AmbientAttribute(w, out);
  }
  if (names.spectrumPending && type != ElementType::HydrotestLoad) {
    names.spectrumPending = false;
    SpectrumLoadAttributes(w, out);
  }
  if (type == ElementType::Beam) {
    RowText beam;
    WriteBeam(w, row, beam);
    out.attributes += beam.attributes;
  }
  if (itemWritten) {
    if (out.attributes.empty())
      out.attributes = itemText.attributes;
    else if (!itemText.attributes.empty())
      out.attributes += "," + itemText.attributes.substr(2);
  }
  // The reader gives the item of a Location line of its own to the row
  // before it, except a bend's, whose Location line is a row of its own.
  const bool itemRow = item && bend && !BatchItemNeedsOwnLine(type, row.dataType);
  w.RowLine(out.main + out.attributes, number, itemRow ? Part::kElement : Part::kWhole);
  if (item && bend) {
    RowText location;
    location.main = "L" + NodeText(row.node);
    if (WriteItem(w, row, location)) {
      if (itemRow)
        w.RowLine(location.main + location.attributes, number, Part::kItem);
      else
        w.Line(location.main + location.attributes);
    }
  }
}

// Whether row 1 is the comment the reader makes of the title line.
bool IsTitleRow(const Model& model) {
  if (model.rowCount < 1 || model.row(1).elementType != ElementType::Comment) return false;
  const auto* comment = dynamic_cast<const CommentData*>(model.row(1).element.get());
  return comment != nullptr && comment->Text() == "Title = " + model.title;
}

// The rows, one line each (an item that cannot share its row's line on a
// line of its own). The reader makes row 1 the title's comment when the
// file's first line holds a title (`titleRow`): a model whose row 1 is
// that comment leaves it to the title, any other row 1 is written as the
// others are, and reads back as row 2 (the list names rows that move). A
// blank title gives no row, so every row is written.
void WriteLayout(Writer& w, bool titleRow) {
  w.Line("LAYOUT");
  const Model& model = w.model();
  NamesInForce names;
  const auto& spectra = model.spectrumLoad.name;
  names.spectrumPending = !spectra[0].empty() || !spectra[1].empty() || !spectra[2].empty();
  names.ambientPending = AmbientToWrite(model);
  const bool leftToTitle = titleRow && IsTitleRow(model);
  if (titleRow) w.records.rows.emplace_back(leftToTitle ? 1 : 0, BatchFileRecords::Part::kWhole);
  for (int number = leftToTitle ? 2 : 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (row.elementType == ElementType::None) continue;
    WriteLayoutRow(w, row, number, names);
  }
  if (names.spectrumPending) {
    w.At("Spectrum load");
    w.LeftOut("the model has no row to carry it; it was not written");
  }
  if (names.ambientPending) {
    w.At("Reference temperature");
    w.LeftOut("the model has no row to carry it; it was not written");
    w.At("Analysis options");
    w.Named("reference temperature");
  }
  ListBendsOfUserRadius(w, names);
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
    w.At("Pump " + p.name);
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
    std::string line = DescriptionText(w, p.name, kBatchPumps, "name");
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

void WriteRotating(Writer& w, const ModelRecordTable<RotatingEquipment>& table, std::int32_t section,
                   const std::string& kind) {
  if (table.count == 0) return;
  w.Line(section == kBatchCompressors ? "COMPRESSORS" : "TURBINES");
  RecordCount count(section == kBatchCompressors ? w.records.compressors : w.records.turbines, table.count);
  for (int i = 1; i <= table.count; ++i) {
    const RotatingEquipment& r = table[i];
    w.At(kind + " " + r.description);
    if (!AnyNonZero(r.shaftAxis[0], r.shaftAxis[1], r.shaftAxis[2])) {
      w.LeftOut("it has no shaft axis, which the batch file refuses; it was not written");
      continue;
    }
    std::string line = DescriptionText(w, r.description, section, "description") + "," +
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
  question.proposeFolder = true;
  const std::string path = ChooseExportFile(parent, question);
  if (path.empty()) return;
  std::vector<std::string> leftOut;
  ShowExportOutcome(parent, WriteModelBatchFile(TheModel(), path, leftOut), leftOut);
}
