// Random models exported to MBF in every unit set and read back: names of
// every class (printable ASCII, blanks and tabs, Windows-1252 bytes, section
// words in any case, the comma splitter's characters, case twins, repeats,
// none), texts of the same, lengths with fractions of an inch, values in
// and out of the reader's ranges, temperatures near 0 F. After each export:
// a file the import would refuse is not written and names the record it
// refuses, which must be one holding a value out of the reader's range (any
// other refusal the writer could have avoided); else every record comes
// back or is named as not written, every field that comes back otherwise
// has its record named, and every field the list names says what the
// read-back model holds, never one number twice. A failure prints the seed.
// BATCH_EXPORT_SEED and BATCH_EXPORT_MODELS ask for a longer run, whose
// counts and reasons of refusal the test prints.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>

#include "files/BatchAllFieldsModel.h"
#include "files/BatchExport.h"
#include "files/BatchExportChecks.h"
#include "files/BatchTesting.h"
#include "model/MakeModel.h"
#include "records/Compressor.h"
#include "records/Pump.h"
#include "records/Soil.h"
#include "services/TextFileEncoding.h"

namespace {

struct Counts {
  int models = 0, exports = 0, refused = 0, named = 0, differences = 0, unnamed = 0, lost = 0, avoidable = 0;
  std::map<std::string, int> refusals;  // by why, the record left out
};

// How the list names record `number` of a table: by its name (in quotes
// when a blank at either end would not show), or, where the name does not
// tell it apart (none, blanks, an earlier record's), by its number too.
std::string Place(const char* kind, const std::string& name, int number, bool first) {
  if (name.find_first_not_of(" \t") == std::string::npos)
    return std::string(kind) + " number " + std::to_string(number);
  const bool quoted = std::isblank(static_cast<unsigned char>(name.front())) ||
                      std::isblank(static_cast<unsigned char>(name.back()));
  return std::string(kind) + " " + (quoted ? "\"" + name + "\"" : name) +
         (first ? "" : " (number " + std::to_string(number) + ")");
}

template <typename Record>
std::string PlaceOf(const char* kind, const ModelRecordTable<Record>& table, int number) {
  int first = 1;
  while (table[first].name != table[number].name) ++first;
  return Place(kind, table[number].name, number, first == number);
}

class RandomModel {
 public:
  explicit RandomModel(std::uint32_t seed) : rng_(seed) {}

  void Build(Model& model) {
    BuildAllFieldsModel(model);
    Repeat(model.materials);
    Repeat(model.sections);
    Repeat(model.pipeLoads);
    Repeat(model.soils);
    Repeat(model.beamMaterials);
    Rename(model.materials);
    Rename(model.sections);
    Rename(model.pipeLoads);
    Rename(model.soils);
    Rename(model.beamMaterials);
    Rename(model.beamSections);
    Rename(model.beamLoads);
    model.pumps[1].name = Name({model.pumps[1].name});
    model.compressors[1].description = Name({});
    model.turbines[1].description = Name({});
    model.title = Name({});
    for (Material* m : Records(model.materials)) m->density = Chance(0.03) ? -0.1f : Uniform(0.01f, 0.5f);
    for (PipeSection* s : Records(model.sections)) {
      s->outsideDiameter = Uniform(2.0f, 40.0f);
      s->thickness = Chance(0.03) ? s->outsideDiameter : Uniform(0.1f, 0.4f) * s->outsideDiameter * 0.5f;
    }
    for (PipeLoad* l : Records(model.pipeLoads))
      // Near 0 F too, where a float of Celsius holds fewer digits: as
      // typed in Celsius with two decimals.
      l->operating[0].temperature = Chance(0.1) ? 1.0e-5f
                                    : Chance(0.2)
                                        ? static_cast<float>(std::round(Uniform(-1830.0f, -1720.0f)) / 100.0 * 1.8 + 32.0)
                                        : Uniform(-50.0f, 900.0f);
    for (Soil* s : Records(model.soils)) s->groundLevel = Uniform(-200.0f, 200.0f);
    if (Chance(0.3)) AppendMaterial(model.materials, Material{});
    model.pumps[1].centre = {Uniform(-500.0f, 500.0f), Uniform(-500.0f, 500.0f), Uniform(-500.0f, 500.0f)};
    for (int number = 2; number <= model.rowCount; ++number) {
      LayoutRow& row = model.row(number);
      if (row.absolute) continue;
      // Longer, never shorter, so that no bend outgrows its legs.
      const float scale = Uniform(1.0f, 3.0f) + 0.001f * static_cast<float>(Pick(1000));
      row.dx *= scale, row.dy *= scale, row.dz *= scale;
      if (number != 2 && ElementTypeHasProperties(row.elementType) && row.elementType != ElementType::Beam) {
        row.material = model.materials[1 + Pick(model.materials.count)].name;
        row.section = model.sections[1 + Pick(model.sections.count)].name;
        row.load = model.pipeLoads[1 + Pick(model.pipeLoads.count)].name;
      }
    }
  }

  // The places of the values put out of the reader's ranges on purpose: a
  // refusal of the file may name only these.
  static std::set<std::string> OutOfRange(const Model& model) {
    std::set<std::string> places;
    for (int i = 1; i <= model.materials.count; ++i)
      if (model.materials[i].density < 0.0f) places.insert(PlaceOf("Material", model.materials, i));
    for (int i = 1; i <= model.sections.count; ++i)
      if (model.sections[i].thickness > 0.5f * model.sections[i].outsideDiameter)
        places.insert(PlaceOf("Pipe section", model.sections, i));
    return places;
  }

 private:
  template <typename Record>
  static std::vector<Record*> Records(ModelRecordTable<Record>& table) {
    std::vector<Record*> all;
    for (int i = 1; i <= table.count; ++i) all.push_back(&table[i]);
    return all;
  }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < p; }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  float Uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(rng_); }

  // A name of a random class; `others` are the names a twin or a repeat
  // takes after.
  std::string Name(const std::vector<std::string>& others) {
    static const char* const kWords[] = {"PIPE", "loads", "Layout", "cod", "Materials", "wind", "PUMPS", "allow"};
    static const char* const kBlanks[] = {"", " ", "\t", " A1 ", "A\tB"};
    static const char* const kBytes[] = {"C\xE9", "\x81X", "\x8D", "\xC3\xA9", "\x9D\x90Z"};
    // The characters of the comma splitter's grammar, its sentinel among them.
    static const char* const kGrammar[] = {"P1,|", ",|", "(A", "A,B)", "X(1),|"};
    switch (Pick(8)) {
      case 0: {
        std::string text;
        for (int i = 1 + Pick(7); i > 0; --i) text += static_cast<char>(0x20 + Pick(0x5F));
        return text;
      }
      case 1: return kBlanks[Pick(5)];
      case 2: return kBytes[Pick(5)];
      case 3: {
        std::string word = kWords[Pick(8)];
        for (char& c : word)
          if (Chance(0.5)) c = static_cast<char>(std::isupper(static_cast<unsigned char>(c)) ? c + 32 : c - 32);
        return word;
      }
      case 4:
      case 5:
        if (!others.empty()) {
          std::string name = others[static_cast<std::size_t>(Pick(static_cast<int>(others.size())))];
          if (Chance(0.5))
            for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
          return name;
        }
        return "R" + std::to_string(Pick(100));
      case 6: return kGrammar[Pick(5)];
      default: return "N" + std::to_string(Pick(1000));
    }
  }
  template <typename Record>
  void Rename(ModelRecordTable<Record>& table) {
    std::vector<std::string> names;
    for (int i = 1; i <= table.count; ++i) {
      if (Chance(0.6)) table[i].name = Name(names);
      names.push_back(table[i].name);
    }
  }
  template <typename Record>
  void Repeat(ModelRecordTable<Record>& table) {
    for (int copies = Pick(3); copies > 0; --copies) AppendRecord(table, table[1 + Pick(table.count)]);
  }
  static void AppendRecord(ModelRecordTable<Material>& t, const Material& r) { AppendMaterial(t, r); }
  static void AppendRecord(ModelRecordTable<PipeSection>& t, const PipeSection& r) { AppendSection(t, r); }
  static void AppendRecord(ModelRecordTable<PipeLoad>& t, const PipeLoad& r) { AppendPipeLoad(t, r); }
  static void AppendRecord(ModelRecordTable<Soil>& t, const Soil& r) { AppendSoil(t, r); }
  static void AppendRecord(ModelRecordTable<BeamMaterial>& t, const BeamMaterial& r) { AppendBeamMaterial(t, r); }

  std::mt19937 rng_;
};

// The line of the list on `field` of the record at `where`, when there is one.
const std::string* LineOn(const std::vector<std::string>& leftOut, const std::string& where, const std::string& field) {
  for (const std::string& line : leftOut)
    if (line.rfind(where + ": its " + field + ", ", 0) == 0) return &line;
  return nullptr;
}

// A line on a field split at its claim: the value held, the claim, and what
// the value became ("-17.4944 C", " was written rounded to ", "-17.49 C").
struct Claim {
  std::string was, claim, is;
};
std::optional<Claim> ClaimOf(const std::string& line, std::size_t start) {
  for (const char* claim : {", was not written (the batch file does not carry it); it reads back as ",
                            ", was written rounded to ", ", the import takes as ", ", reads back as "}) {
    const std::size_t at = line.rfind(claim);
    if (at != std::string::npos && at >= start)
      return Claim{line.substr(start, at - start), claim, line.substr(at + std::strlen(claim))};
  }
  return std::nullopt;
}

// Every field that comes back otherwise has its record named; a line on the
// field says what the read-back model holds (or the text the file bears).
void CheckFields(const std::vector<std::string>& leftOut, const std::string& text, const std::string& where,
                 const std::vector<RecordField>& held, const std::vector<RecordField>& read, Counts& counts) {
  for (std::size_t i = 0; i < held.size() && i < read.size(); ++i) {
    if (SameFieldValue(held[i], read[i].value)) continue;
    ++counts.differences;
    if (!Names(leftOut, where)) {
      ++counts.unnamed;
      ADD_FAILURE() << where << ": " << held[i].name << " is not named";
    }
    // The read-back's own sentence on the field: its name and value first.
    const std::string* line = LineOn(leftOut, where, held[i].name);
    if (line == nullptr) continue;
    // A line on a group of fields ("its standard, nominal size and schedule
    // were not written") says no value.
    const std::optional<Claim> claim = ClaimOf(*line, (where + ": its " + held[i].name + ", ").size());
    if (!claim) continue;
    // No line names one number twice.
    EXPECT_NE(claim->was, claim->is) << *line;
    if (claim->claim == ", was written rounded to ") {
      EXPECT_NE(text.find(claim->is.substr(0, claim->is.find(' '))), std::string::npos) << *line;
    } else {
      bool said = false;
      for (int digits = 6; digits <= 9 && !said; ++digits)
        said = claim->is == FieldValueText(held[i].entry, read[i].value, digits);
      EXPECT_TRUE(said) << *line << " / reads back as " << FieldValueText(held[i].entry, read[i].value);
    }
  }
}

// The records of one table against the records read back, in order: each
// comes back or is named as not written.
template <typename Record>
void CheckTable(const std::vector<std::string>& leftOut, const std::string& text, const char* kind,
                const ModelRecordTable<Record>& held, const ModelRecordTable<Record>& read,
                std::vector<RecordField> (*fields)(const Record&), Counts& counts) {
  int next = 1;
  for (int i = 1; i <= held.count; ++i) {
    const std::string where = PlaceOf(kind, held, i);
    const bool leftOutNamed = std::any_of(leftOut.begin(), leftOut.end(), [&where](const std::string& line) {
      return line.rfind(where + ": ", 0) == 0 && line.size() > 15 && line.substr(line.size() - 15) == "was not written";
    });
    if (leftOutNamed && read.count - next < held.count - i) continue;
    if (next > read.count) {
      ++counts.lost;
      ADD_FAILURE() << where << " does not come back";
      continue;
    }
    CheckFields(leftOut, text, where, fields(held[i]), fields(read[next++]), counts);
  }
  EXPECT_EQ(next - 1, read.count) << kind;
}

void CheckExport(const Model& model, BatchExportUnits units, const std::set<std::string>& outOfRange,
                 Counts& counts) {
  SCOPED_TRACE(static_cast<int>(units));
  ++counts.exports;
  std::vector<std::string> leftOut;
  std::string refusal;
  const std::string text = WriteModelBatchText(model, units, leftOut, &refusal);
  counts.named += static_cast<int>(leftOut.size());
  if (!refusal.empty()) {
    // Named by its record or row, with why; and only a value out of the
    // reader's range, which no text of the file could carry, is a reason.
    ++counts.refused;
    EXPECT_EQ(leftOut.at(0).rfind("The import would refuse the file: ", 0), 0u) << leftOut.at(0);
    EXPECT_EQ(refusal.rfind("Line ", 0), std::string::npos) << refusal;
    const std::size_t colon = refusal.find(": ");
    const std::string why = colon == std::string::npos ? refusal : refusal.substr(colon + 2);
    ++counts.refusals[why.substr(0, why.find('\n'))];
    if (colon == std::string::npos || outOfRange.count(refusal.substr(0, colon)) == 0) {
      ++counts.avoidable;
      ADD_FAILURE() << "a refusal the writer could have avoided: " << refusal;
    }
    return;
  }
  Model again;
  std::istringstream input(TextFileFromProgramText(text));
  std::vector<std::string> log;
  ASSERT_NO_THROW(ReadModelBatchFile(input, again, log)) << text;
  // Compared as the export compares, in the units it wrote.
  const ExportUnitsScope written(units);
  if (again.title != model.title) {
    EXPECT_TRUE(Names(leftOut, "Title")) << again.title;
  }
  CheckTable(leftOut, text, "Material", model.materials, again.materials, MaterialFields, counts);
  CheckTable(leftOut, text, "Pipe section", model.sections, again.sections, SectionFields, counts);
  CheckTable(leftOut, text, "Load", model.pipeLoads, again.pipeLoads, PipeLoadFields, counts);
  CheckTable(leftOut, text, "Soil", model.soils, again.soils, SoilFields, counts);
  CheckTable(leftOut, text, "Beam material", model.beamMaterials, again.beamMaterials, BeamMaterialFields, counts);
  CheckTable(leftOut, text, "Beam section", model.beamSections, again.beamSections, BeamSectionFields, counts);
  CheckTable(leftOut, text, "Beam load", model.beamLoads, again.beamLoads, BeamLoadFields, counts);
  CheckTable(leftOut, text, "Pump", model.pumps, again.pumps, PumpFields, counts);
  for (int row = 1; row <= model.rowCount; ++row) {
    const auto [element, item] = RowsReadFor(model, row, again);
    const std::string where = "Row " + std::to_string(row);
    if (element == 0) {
      if (!Names(leftOut, where)) ++counts.lost;
      EXPECT_TRUE(Names(leftOut, where)) << where << " does not come back";
      continue;
    }
    const std::vector<RecordField> held = RowFields(model.row(row));
    for (const RowPart part : {RowPart::kElement, RowPart::kItem})
      CheckFields(leftOut, text, where, PartOf(held, part),
                  PartOf(RowFields(again.row(part == RowPart::kItem ? item : element)), part), counts);
  }
}

class BatchExportRandomModelTest : public BatchFixture {};

TEST_F(BatchExportRandomModelTest, EveryRecordComesBackOrIsNamedAndEveryClaimHolds) {
  const char* seedText = std::getenv("BATCH_EXPORT_SEED");
  const char* modelsText = std::getenv("BATCH_EXPORT_MODELS");
  const std::uint32_t first = seedText != nullptr ? static_cast<std::uint32_t>(std::strtoul(seedText, nullptr, 10)) : 1;
  const int models = modelsText != nullptr ? std::atoi(modelsText) : 40;
  Counts counts;
  for (int index = 0; index < models; ++index) {
    const std::uint32_t seed = first + static_cast<std::uint32_t>(index);
    SCOPED_TRACE("seed " + std::to_string(seed));
    Model model;
    RandomModel(seed).Build(model);
    ++counts.models;
    const std::set<std::string> outOfRange = RandomModel::OutOfRange(model);
    for (const BatchExportUnits units : {BatchExportUnits::English, BatchExportUnits::Inch, BatchExportUnits::Si})
      CheckExport(model, units, outOfRange, counts);
    if (HasFailure()) break;
  }
  std::printf("%d models (seeds %u to %u), %d exports, %d refused (%d avoidable), %d lines named, %d fields "
              "changed, %d unnamed, %d records lost\n",
              counts.models, first, first + static_cast<std::uint32_t>(counts.models) - 1, counts.exports,
              counts.refused, counts.avoidable, counts.named, counts.differences, counts.unnamed, counts.lost);
  for (const auto& [why, count] : counts.refusals) std::printf("  refused %d times: %s\n", count, why.c_str());
  EXPECT_EQ(counts.unnamed, 0);
  EXPECT_EQ(counts.lost, 0);
  EXPECT_EQ(counts.avoidable, 0);
}

}  // namespace
