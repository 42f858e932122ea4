// The material library's batch text; see MaterialLibraryBatch.h. Start
// reading at ReadMaterialBatchText.
#include "properties/MaterialLibraryBatch.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <optional>
#include <vector>

#include "model/Model.h"
#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/SiblingTemporary.h"
#include "platform/Window.h"
#include "properties/MaterialLibrary.h"
#include "properties/MaterialLibraryWindow.h"
#include "records/ModelBatchFile.h"
#include "services/BinaryFile.h"
#include "services/DialogHook.h"
#include "services/FileDialogs.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/Settings.h"
#include "services/TextFileEncoding.h"

namespace {

constexpr std::size_t kDescriptionRoom = 31;    // what a material holds
constexpr std::size_t kLongestDescription = 32;  // what the reader takes
constexpr std::size_t kSectionWordLength = 5;
constexpr int kSiDensityUnit = 2;                // "(kg/m3)"; the other four kinds take 1

struct CodeKeyword {
  const char* keyword;
  std::int32_t code;
};
constexpr CodeKeyword kCodeKeywords[] = {
    {"NONE", 0},          {"B311", 1},     {"B311-67", 2},      {"B313", 3},          {"B314", 4},
    {"B315", 5},          {"B318", 6},     {"B319", 7},         {"ASME", 8},          {"ASME-86", 9},
    {"ASME-92", 10},      {"ASME-2015", 11}, {"ASME-2017", 101}, {"ASME-ND-2017", 201}, {"BS806", 12},
    {"NORWEGIAN-83", 13}, {"NORWEGIAN-90", 14}, {"RCC-M", 15},  {"SNCT", 16},         {"STOOMWEZEN", 17},
    {"SWEDISH", 18},      {"Z183", 19},    {"Z184", 20},        {"EUROPEAN", 21},     {"Z662", 22},
};

enum class Section { kOptions, kMaterial };

// The reader's state of one import.
struct BatchText {
  int lineNumber = 0;
  std::string rawLine;  // as read, for the messages
  std::string line;     // upper-cased unless it begins with "*"
  Section section = Section::kOptions;
  MaterialBatchRead result;
  int current = 0;                                 // the material rows go to
  std::optional<std::string> currentDescription;  // its description as read
};

[[noreturn]] void LineError(const BatchText& text, const std::string& reason) {
  throw BatchLineErrorText(text.lineNumber, text.rawLine, reason);
}
[[noreturn]] void FieldError(const BatchText& text, const std::string& reason, const std::string& field) {
  throw BatchLineErrorText(text.lineNumber, text.rawLine, reason) + " :  " + field;
}

// Reads one physical line, as program text: it ends at a line feed, a
// carriage return or both. False at the end of the input.
bool ReadLine(std::istream& input, std::string& line) {
  line.clear();
  int c = input.get();
  if (c == std::char_traits<char>::eof()) return false;
  while (c != std::char_traits<char>::eof() && c != '\n' && c != '\r') {
    line.push_back(static_cast<char>(c));
    c = input.get();
  }
  if (c == '\r' && input.peek() == '\n') input.get();
  line = ProgramTextFromTextFile(line);
  return true;
}

// The comma fields of a line: each starts after its leading blanks and
// runs to the next comma (its trailing blanks stay).
std::vector<std::string> CommaFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    std::string field = line.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    field.erase(0, field.find_first_not_of(" \t") == std::string::npos ? field.size() : field.find_first_not_of(" \t"));
    fields.push_back(field);
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

// The words of an options line: separated by blanks or commas.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  for (char c : line + " ") {
    if (c == ' ' || c == '\t' || c == ',') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word.push_back(c);
    }
  }
  return words;
}

// The first word of a line cut to five characters: a section line's mark.
std::string SectionWord(const std::string& line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const std::size_t end = line.find_first_of(" \t,", first);
  return line.substr(first, std::min(end == std::string::npos ? line.size() : end, first + kSectionWordLength) - first);
}

std::string Field(const std::vector<std::string>& fields, std::size_t index) {
  return index < fields.size() ? fields[index] : std::string();
}

bool Empty(const std::string& field) { return field.find_first_not_of(" \t") == std::string::npos; }

using Parser = int (*)(std::string_view, float&);

// A value by `parser`; an empty field gives `empty`.
float Value(const BatchText& text, const std::string& field, Parser parser, float empty, const char* message) {
  if (Empty(field)) return empty;
  std::string prepared = field;
  StripBlanksUpper(prepared);
  float value = 0.0f;
  if (parser(prepared, value) != 0 || !std::isfinite(value)) FieldError(text, message, field);
  return value;
}

// A value of `material` by the rule of its field `which`.
float Ruled(const BatchText& text, const std::string& field, float value, const Material& material,
            MaterialRuled which, const char* message) {
  if (kMaterialRules[which].judge(value, material)) FieldError(text, message, field);
  return value;
}

// An empty joint factor is 1.0.
float JointFactor(const BatchText& text, const std::string& field, const Material& material, MaterialRuled which,
                  const char* message) {
  return Ruled(text, field, Value(text, field, ParseReal, 1.0f, message), material, which, message);
}

void ParseMaterialBatchOptions(BatchText& text) {
  for (const std::string& word : Words(text.line)) {
    if (word == "SI") {
      g_UnitsSettings.unit[kUnitDensity] = kSiDensityUnit;
      for (int kind : {kUnitTemperature, kUnitModulus, kUnitThermalExpansion, kUnitStress}) g_UnitsSettings.unit[kind] = 1;
    } else if (word == "NAVY") {
      LineError(text, "NAVY code is presently not available");
    } else {
      for (const CodeKeyword& keyword : kCodeKeywords)
        if (word == keyword.keyword) text.result.pipingCode = keyword.code;
    }
  }
}

void ParseMaterialBatchMaterial(BatchText& text, const std::vector<std::string>& fields) {
  std::string description = Field(fields, 0);
  if (Empty(description)) LineError(text, "Material desc is required");
  if (description.size() > kLongestDescription)
    FieldError(text, "Material name should be <= 32 characters", description);
  text.currentDescription = description;
  if (description.size() > kDescriptionRoom) {
    description.resize(kDescriptionRoom);
    text.result.warnings.push_back("Line " + std::to_string(text.lineNumber) + ": material description cut to " +
                                   std::to_string(kDescriptionRoom) + " characters: " + description);
  }
  Material material;
  material.description = description;
  std::string type = Field(fields, 5);
  StripBlanksUpper(type);
  SetMaterialType(material, FindMaterialTypeIndex(type) > 0 ? type : std::string());
  const std::string density = Field(fields, 1);
  material.density = Ruled(text, density, Value(text, density, ParseDensity, 0.0f, "Invalid density"), material,
                           kMaterialDensityRule, "Invalid density");
  const std::string nu = Field(fields, 2);
  material.nu = Ruled(text, nu, Value(text, nu, ParseReal, 0.3f, "Invalid Poisson's ratio"), material,
                      kMaterialNuRule, "Invalid Poisson's ratio");
  material.jointFactor = JointFactor(text, Field(fields, 3), material, kMaterialJointRule, "Invalid joint factor");
  material.circJointFactor =
      JointFactor(text, Field(fields, 4), material, kMaterialCircJointRule, "Invalid circ joint factor");
  const std::string strength = Field(fields, 6);
  material.strength = Ruled(text, strength, Value(text, strength, ParseStress, 0.0f, "Invalid tensile strength"),
                            material, kMaterialStrengthRule, "Invalid tensile strength");
  material.temps.assign(1, MaterialTempRow{});
  text.current = AppendMaterial(text.result.materials, material);
}

void ParseMaterialBatchTempRow(BatchText& text, const std::vector<std::string>& fields) {
  Material& material = text.result.materials[text.current];
  MaterialTempRow row;
  auto& v = row.values;
  const std::string temperature = Field(fields, 1), modulus = Field(fields, 2);
  if (Empty(temperature)) LineError(text, "Temperature is required");
  v[kMatTemperature] = Value(text, temperature, ParseTemperature, 0.0f, "Invalid temperature");
  if (Empty(modulus)) LineError(text, "Elastic modulus is required");
  v[kMatModulus] = Value(text, modulus, ParseModulus, 0.0f, "Invalid elastic modulus");
  v[kMatAlpha] = Value(text, Field(fields, 3), ParseThermalExpansion, 0.0f, "Invalid alpha");
  constexpr const char* kStressMessages[] = {"Invalid allowable stress", "Invalid yield stress",
                                             "Invalid rupture stress", "Invalid hoop modulus",
                                             "Invalid shear modulus"};
  for (int column = kMatAllowable; column <= kMatShearModulus; ++column)
    v[static_cast<std::size_t>(column)] =
        Value(text, Field(fields, static_cast<std::size_t>(column) + 1), ParseStress, 0.0f,
              kStressMessages[column - kMatAllowable]);
  if (material.numtemps >= kMaxMaterialTemps)
    LineError(text, "Maximum " + std::to_string(kMaxMaterialTemps) + " temperature dependent properties are allowed");
  if (material.numtemps > 0 &&
      v[kMatTemperature] <= material.temps[static_cast<std::size_t>(material.numtemps)].values[kMatTemperature])
    LineError(text, "Temperatures are not in ascending order");
  material.temps.resize(static_cast<std::size_t>(material.numtemps) + 1);
  material.temps.push_back(row);
  ++material.numtemps;
}

void ParseMaterialLine(BatchText& text) {
  const std::vector<std::string> fields = CommaFields(text.line);
  if (text.current > 0 && text.currentDescription && fields.front() == *text.currentDescription)
    ParseMaterialBatchTempRow(text, fields);
  else
    ParseMaterialBatchMaterial(text, fields);
}

// ---- writing ---------------------------------------------------------------------

enum class NumberKind { kPlain, kDensity, kTemperature, kModulus, kExpansion, kStress };

Parser ParserOf(NumberKind kind) {
  switch (kind) {
    case NumberKind::kDensity: return ParseDensity;
    case NumberKind::kTemperature: return ParseTemperature;
    case NumberKind::kModulus: return ParseModulus;
    case NumberKind::kExpansion: return ParseThermalExpansion;
    case NumberKind::kStress: return ParseStress;
    default: return ParseReal;
  }
}

float Shown(float value, NumberKind kind) {
  switch (kind) {
    case NumberKind::kDensity: return value * UnitFactor(kUnitDensity);
    case NumberKind::kTemperature:
      return ChosenUnit(kUnitTemperature) == kTemperatureCelsius ? (value - 32.0f) * 5.0f / 9.0f : value;
    case NumberKind::kModulus: return value * UnitFactor(kUnitModulus);
    case NumberKind::kExpansion: return value * UnitFactor(kUnitThermalExpansion);
    case NumberKind::kStress: return value * UnitFactor(kUnitStress);
    default: return value;
  }
}

// The shortest text in the units in force that the reader takes back to
// `value` (nine significant digits when none shorter does).
std::string Number(float value, NumberKind kind) {
  if (value == 0.0f) return kind == NumberKind::kTemperature ? "0" : "";
  if (IsExplicitZero(value)) return kind == NumberKind::kDensity ? "0.0" : "0";
  const float shown = Shown(value, kind);
  std::string text;
  for (int digits = 6; digits <= 9; ++digits) {
    text = CFormat("%.*G", digits, static_cast<double>(shown));
    float back = 0.0f;
    if (ParserOf(kind)(text, back) == 0 && back == value) break;
  }
  return text;
}

std::string Fixed(float value, int decimals) { return CFormat("%10.*f", decimals, static_cast<double>(value)); }

// Nu and the joint factors in their columns when that loses nothing, else
// with the digits they need.
std::string Ratio(float value, int decimals) {
  // A joint factor left at 0 means 1.0, which an empty field gives.
  if (value == 0.0f && decimals == 2) return {};
  const std::string fixed = Fixed(value, decimals);
  float back = 0.0f;
  return ParseReal(fixed, back) == 0 && back == value ? fixed : Number(value, NumberKind::kPlain);
}

std::string Joined(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) line += (i == 0 ? "" : ",") + fields[i];
  return line + "\n";
}

// ---- the commands ----------------------------------------------------------------

thread_local const char* g_OkText = nullptr;

UINT_PTR RenamedOkHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE && g_OkText != nullptr)
    SendMessage(GetParent(hook), CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>(g_OkText));
  return FileDialogHookProc(hook, message, wParam, lParam);
}

// The batch file's name from the dialog of `title`; empty when cancelled.
std::string AskBatchPath(HWND owner, const char* title, const char* ok, bool save) {
  const std::string& library = MaterialLibraryPath();
  const std::size_t separator = library.find_last_of("/\\");
  const std::string name = library.empty() ? std::string() :
                           PathWithExtension(library.substr(separator == std::string::npos ? 0 : separator + 1), "mlb");
  FilePathQuestion question;
  question.title = title;
  question.filter = "Material Library Batch files (*.mlb)\0*.mlb\0";
  question.defaultExtension = "mlb";
  question.name = name;
  question.folder = MaterialLibraryDialogFolder().folder;
  question.save = save;
  question.hook = RenamedOkHook;
  g_OkText = ok;
  std::string path = AskFilePath(owner, question);
  g_OkText = nullptr;
  return path;
}

// The bytes to the temporary, renamed over its target.
bool WriteWhole(platform::SiblingTemporary& temporary, const std::string& text) {
  BinaryFile file;
  if (!BinaryFileOpenWrite(file, temporary.path())) return false;
  const std::string bytes = TextFileFromProgramText(text);
  BinaryFileWriteBytes(file, bytes.data(), bytes.size());
  return BinaryFileClose(file) && !BinaryFileHasError(file) && temporary.Commit();
}

}  // namespace

const char* MaterialBatchCodeKeyword(std::int32_t code) {
  if (code == 0) return "None";
  for (const CodeKeyword& keyword : kCodeKeywords)
    if (keyword.code == code) return keyword.keyword;
  return "";
}

MaterialBatchRead ReadMaterialBatchText(std::istream& input, std::int32_t pipingCode) {
  const UnitsSettings before = g_UnitsSettings;
  BatchText text;
  text.result.pipingCode = pipingCode;
  try {
    while (ReadLine(input, text.rawLine)) {
      ++text.lineNumber;
      text.line = text.rawLine;
      if (text.line.empty() || text.line.front() != '*')
        for (char& c : text.line) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      const std::string word = SectionWord(text.line);
      if (word == "OPTIO") {
        text.section = Section::kOptions;
        continue;
      }
      if (word == "MATER") {
        text.section = Section::kMaterial;
        continue;
      }
      if (word == "COD") break;
      if (text.section == Section::kOptions)
        ParseMaterialBatchOptions(text);
      else
        ParseMaterialLine(text);
    }
  } catch (...) {
    g_UnitsSettings = before;
    throw;
  }
  if (input.bad()) {
    g_UnitsSettings = before;
    throw std::string("The import file could not be read.");
  }
  text.result.units = g_UnitsSettings;
  g_UnitsSettings = before;
  return std::move(text.result);
}

int FindMaterialDescriptionWithComma(const ModelRecordTable<Material>& materials) {
  for (int index = 1; index <= materials.count; ++index)
    if (materials[index].description.find(',') != std::string::npos) return index;
  return 0;
}

std::string MaterialBatchText(const ModelRecordTable<Material>& materials, std::int32_t pipingCode, bool si) {
  std::string text = "OPTIONS\n";
  text += std::string(MaterialBatchCodeKeyword(pipingCode)) + (si ? ",SI\n" : "\n");
  text += "MATERIAL\n";
  for (int index = 1; index <= materials.count; ++index) {
    const Material& m = materials[index];
    text += Joined({m.description, Number(m.density, NumberKind::kDensity), Ratio(m.nu, 3), Ratio(m.jointFactor, 2),
                    Ratio(m.circJointFactor, 2), m.type, Number(m.strength, NumberKind::kStress)});
    const int rows = std::min(m.numtemps, static_cast<int>(m.temps.size()) - 1);
    for (int row = 1; row <= rows; ++row) {
      const auto& v = m.temps[static_cast<std::size_t>(row)].values;
      std::vector<std::string> fields{m.description, Number(v[kMatTemperature], NumberKind::kTemperature),
                                      Number(v[kMatModulus], NumberKind::kModulus),
                                      Number(v[kMatAlpha], NumberKind::kExpansion)};
      for (int column = kMatAllowable; column <= kMatShearModulus; ++column)
        fields.push_back(Number(v[static_cast<std::size_t>(column)], NumberKind::kStress));
      text += Joined(fields);
    }
  }
  return text;
}

void ApplyMaterialBatchUnits(bool si) {
  if (si) {
    g_UnitsSettings.unit[kUnitDensity] = kSiDensityUnit;
    for (int kind : {kUnitTemperature, kUnitModulus, kUnitThermalExpansion, kUnitStress}) g_UnitsSettings.unit[kind] = 1;
  } else {
    for (int kind = 1; kind <= kUnitKindCount; ++kind) g_UnitsSettings.unit[kind] = 0;
  }
  TheModel().unitChoices = ProgramUnitChoices();
}

void ImportMaterialBatchFile(HWND parent) {
  if (!CommitMaterialLibraryEdit()) return;
  const std::string path = AskBatchPath(parent, "Import Material Library", "&Import", false);
  if (path.empty()) return;
  std::ifstream input(platform::FileSystemPath(path), std::ios::binary);
  if (!input) {
    ShowErrorMessage(parent, "Unable to open import file:\n" + path);
    return;
  }
  Model& model = TheModel();
  MaterialBatchRead read;
  try {
    read = ReadMaterialBatchText(input, model.options.PipingCode);
  } catch (const std::string& message) {
    ShowErrorMessage(parent, message);
    return;
  }
  model.materials = std::move(read.materials);
  model.options.PipingCode = read.pipingCode;
  g_UnitsSettings = read.units;
  model.unitChoices = ProgramUnitChoices();
  model.modified = true;
  ReopenMaterialLibraryTable();
  if (!read.warnings.empty()) {
    std::string text = "The library was imported with these changes:";
    for (std::size_t i = 0; i < read.warnings.size() && i < 4; ++i) text += "\n" + read.warnings[i];
    if (read.warnings.size() > 4) text += "\n... and " + std::to_string(read.warnings.size() - 4) + " more";
    ShowWarningMessage(parent, text);
  }
}

void ExportMaterialBatchFile(HWND parent) {
  if (!CommitMaterialLibraryEdit()) return;
  const Model& model = TheModel();
  if (const int bad = FindMaterialDescriptionWithComma(model.materials)) {
    ShowErrorMessage(parent, "Material " + std::to_string(bad) + " \"" + model.materials[bad].description +
                                 "\"\nhas a comma in its description, which an import would read\n"
                                 "as the end of the description. Export of materials aborted.");
    return;
  }
  const std::string path = AskBatchPath(parent, "Export Material Library", "&Export", true);
  if (path.empty()) return;
  // The file is written beside its target and renamed over it, so a
  // failed export leaves an earlier file as it was.
  platform::RemoveStaleTemporaries(path);
  struct stat existing;
  const mode_t mode = stat(platform::ToFileSystemName(path).c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
  platform::SiblingTemporary temporary(path, mode);
  if (!temporary.ok()) {
    ShowInfoMessage(parent, "Not able to open file " + path + ".\nExport of materials aborted.");
    return;
  }
  const bool si = ChosenUnit(kUnitTemperature) == kTemperatureCelsius;
  ApplyMaterialBatchUnits(si);
  if (!WriteWhole(temporary, MaterialBatchText(model.materials, model.options.PipingCode, si)))
    ShowErrorMessage(parent, "Unable to write the export file:\n" + path);
  ReopenMaterialLibraryTable();
}
