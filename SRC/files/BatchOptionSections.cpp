// The OPTIONS, SEISMIC and WIND sections of a model batch file (see
// BatchSections.h). OPTIONS words may stand on one or several lines in any
// order, a later one overriding an earlier; the units they choose are the
// program's current units (g_UnitsSettings), which the import reset to the
// first unit of every kind and which become the model's when it ends well.
#include <array>
#include <cmath>

#include "files/BatchImport.h"
#include "files/BatchSections.h"
#include "model/Model.h"
#include "records/Wind.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

struct HangerWord {
  const char* word;
  std::int32_t catalogue;
};
constexpr std::array<HangerWord, 11> kHangerWords = {{
    {"HGRA", 16},
    {"HGRB", 3},
    {"HGRC", 12},
    {"HGRD", 2},
    {"HGRE", 28},
    {"HGRF", 24},
    {"HGRG", 8},
    {"HGRH", 25},
    {"HGRI", 27},
    {"HGRJ", 9},
    {"HGRK", 11},
}};

struct CodeWord {
  const char* word;
  std::int32_t code;
};
constexpr std::array<CodeWord, 24> kCodeWords = {{
    {"B311", 1},          {"B311-67", 2},     {"B313", 3},           {"B314", 4},        {"B315", 5},
    {"B318", 6},          {"B319", 7},        {"ASME", 8},           {"ASME-86", 9},     {"ASME-92", 10},
    {"ASME-2015", 11},    {"ASME-2017", 101}, {"ASME-ND-2017", 201}, {"BS806", 12},      {"NORWEGIAN-83", 13},
    {"NORWEGIAN-90", 14}, {"RCC-M", 15},      {"SNCT", 16},          {"STOOMWEZEN", 17}, {"SWEDISH", 18},
    {"Z183", 19},         {"Z184", 20},       {"EUROPEAN", 21},      {"Z662", 22},
}};

// The "SI" set: every kind but Angle, by its index in the kind's unit list.
struct UnitChoice {
  int kind;
  std::int32_t unit;
};
constexpr std::array<UnitChoice, 19> kSiUnits = {{
    {kUnitLength, kLengthMillimetre},
    {kUnitDimension, 1},
    {kUnitDisplacement, 1},
    {kUnitForce, 1},
    {kUnitMoment, 2},
    {kUnitAdditionalWeight, 1},
    {kUnitWeight, 1},
    {kUnitDensity, 2},
    {kUnitInsulationDensity, 1},
    {kUnitTemperature, kTemperatureCelsius},
    {kUnitThermalExpansion, 1},
    {kUnitPressure, 1},
    {kUnitStress, 1},
    {kUnitModulus, 1},
    {kUnitStiffness, 1},
    {kUnitRotStiffness, 2},
    {kUnitArea, 1},
    {kUnitMomentOfInertia, 1},
    {kUnitVelocity, 2},
}};
constexpr std::int32_t kRadian = 1;

template <typename Entry, std::size_t N>
const Entry* FindWord(const std::array<Entry, N>& table, const std::string& word) {
  for (const Entry& entry : table)
    if (word == entry.word) return &entry;
  return nullptr;
}

// One OPTIONS word; false for a word the section does not know.
bool ApplyOptionWord(BatchReader& reader, const std::string& word) {
  AnalysisOptions& options = reader.model->options;
  if (const auto* hanger = FindWord(kHangerWords, word)) {
    reader.defaultHangerType = hanger->catalogue;
  } else if (word == "RAD") {
    g_UnitsSettings.unit[kUnitAngle] = kRadian;
  } else if (word == "Z") {
    options.ZVertical = 1;
  } else if (word == "SI") {
    SetBatchSiUnits(g_UnitsSettings);
  } else if (word == "IN") {
    g_UnitsSettings.unit[kUnitLength] = kLengthInch;
  } else if (word == "SE" || word == "F" || word == "FE") {
    BatchLineError(reader, word + " option is presently not available");
  } else if (const auto* code = FindWord(kCodeWords, word)) {
    SetPipingCode(options, code->code, ProgramAnalysisOptions());
  } else if (word == "NONE") {
    SetPipingCode(options, kCodeNone, ProgramAnalysisOptions());
  } else if (word == "NAVY") {
    BatchLineError(reader, "NAVY code is presently not available");
  } else {
    return false;
  }
  return true;
}

}  // namespace

void SetBatchSiUnits(UnitsSettings& units) {
  for (const UnitChoice& choice : kSiUnits) units.unit[choice.kind] = choice.unit;
}

void ParseBatchOptions(BatchReader& reader) {
  StartBatchFields(reader.fields, reader.line);
  while (const std::optional<std::string> word = NextBatchField(reader.fields)) {
    if (word->empty() || ApplyOptionWord(reader, *word)) continue;
    // Unknown words are passed over, as the format allows; the log says so,
    // since a misspelt code would otherwise go unnoticed.
    LogBatchWarning(reader, "OPTIONS word " + *word + " is not known and was ignored");
  }
}

void ParseBatchSeismic(BatchReader& reader) {
  static const char* const kMessages[3] = {"Invalid X seismic load", "Invalid Y seismic load",
                                           "Invalid Z seismic load"};
  StartBatchFields(reader.fields, reader.line);
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const std::optional<std::string> field = NextBatchField(reader.fields);
    if (!field) return;
    reader.model->seismic.g[axis] = ParseBatchValue(reader, *field, ParseReal, kMessages[axis]);
  }
}

void ParseBatchWind(BatchReader& reader) {
  StartBatchFields(reader.fields, reader.line);
  const std::optional<std::string> velocityText = NextBatchField(reader.fields);
  if (!velocityText) return;
  const float velocity = ParseBatchValue(reader, *velocityText, ParseVelocity, "Invalid wind velocity");

  const std::optional<std::string> shapeText = NextBatchField(reader.fields);
  if (!shapeText) BatchLineError(reader, "Wind direction is required");
  float shape = ParseBatchValue(reader, *shapeText, ParseReal, "Invalid wind shape factor");
  if (shape < 0.0f) BatchLineError(reader, "Invalid wind shape factor", *shapeText);
  if (shape == 0.0f) shape = kDefaultShapeFactor;

  WindLoad& load = reader.model->wind.loads[0];
  std::array<float, 3> direction = load.direction;
  static const char* const kMessages[3] = {"Invalid X component for wind load", "Invalid Y component for wind load",
                                           "Invalid Z component for wind load"};
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const std::optional<std::string> field = NextBatchField(reader.fields);
    if (!field) {
      if (axis == 0) BatchLineError(reader, "Wind direction is required");
      break;
    }
    direction[axis] = ParseBatchValue(reader, *field, ParseReal, kMessages[axis]);
  }
  const double length =
      std::sqrt(static_cast<double>(direction[0]) * direction[0] + static_cast<double>(direction[1]) * direction[1] +
                static_cast<double>(direction[2]) * direction[2]);
  if (length < 0.0001) BatchLineError(reader, "Invalid wind direction");

  load.shapeFactor = shape;
  load.direction = direction;
  // A second WIND line replaces the first rather than adding a second point.
  load.velocityProfile.clear();
  SetWindSpeedAsProfile(reader.model->wind, velocity, CurrentWindSpeedUnits());
}
