// Value texts of the batch file writer that read back exactly; see the
// header.
#include "files/BatchNumberText.h"

#include <cmath>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
// More significant digits than a float holds change nothing.
constexpr int kFewestDigits = 6;
constexpr int kMostDigits = 9;
// The neighbours of the value in its unit that are tried on each side.
constexpr int kNeighbours = 4;

using Parser = int (*)(std::string_view text, float& value);

struct UnitKindOf {
  BatchFormatter format;
  Parser parse;
  int kind;
};

const UnitKindOf kKinds[] = {
    {FormatLength, ParseLength, kUnitLength},
    {FormatDisplacement, ParseDisplacement, kUnitDisplacement},
    {FormatForceTrim, ParseForce, kUnitForce},
    {FormatMomentTrim, ParseMoment, kUnitMoment},
    {FormatDimension, ParseDimension, kUnitDimension},
    {FormatWeight, ParseWeight, kUnitWeight},
    {FormatAdditionalWeight, ParseAdditionalWeight, kUnitAdditionalWeight},
    {FormatTemperature, ParseTemperature, kUnitTemperature},
    {FormatPressure, ParsePressure, kUnitPressure},
    {FormatStress, ParseStress, kUnitStress},
    {FormatModulus, ParseModulus, kUnitModulus},
    {FormatStiffnessOrRigid, ParseStiffness, kUnitStiffness},
    {FormatRotStiffnessOrRigid, ParseRotStiffness, kUnitRotStiffness},
    {FormatArea, ParseArea, kUnitArea},
    {FormatMomentOfInertia, ParseMomentOfInertia, kUnitMomentOfInertia},
    {FormatDensity, ParseDensity, kUnitDensity},
    {FormatInsulationDensity, ParseInsulationDensity, kUnitInsulationDensity},
    {FormatThermalExpansion, ParseThermalExpansion, kUnitThermalExpansion},
    {FormatAngle, ParseAngle, kUnitAngle},
    {FormatVelocity, ParseVelocity, kUnitVelocity},
};

// One way of writing and reading a value: the units module's text of it,
// the value in the unit chosen, and what the reader makes of a text.
struct ValueWay {
  std::function<std::string(float)> own;
  std::function<double(float)> shown;
  std::function<std::optional<float>(const std::string&)> read;
  // After each number tried: a feet-and-inches field takes a plain number
  // for feet, and one marked '"' for inches, which any length is.
  const char* mark = "";
};

// The texts tried for `value`, in order: its own, then more digits, then
// the neighbouring floats of the value in its unit with all their digits.
std::vector<std::string> Candidates(const ValueWay& way, float value) {
  std::vector<std::string> texts = {way.own(value)};
  const double shown = way.shown(value);
  if (!std::isfinite(shown)) return texts;
  for (int digits = kFewestDigits; digits <= kMostDigits; ++digits)
    texts.push_back(CFormat("%.*G", digits, shown) + way.mark);
  const auto centre = static_cast<float>(shown);
  for (const float toward : {HUGE_VALF, -HUGE_VALF}) {
    float neighbour = centre;
    for (int step = 0; step < kNeighbours; ++step) {
      neighbour = std::nextafter(neighbour, toward);
      texts.push_back(CFormat("%.9G", static_cast<double>(neighbour)) + way.mark);
    }
  }
  return texts;
}

std::optional<std::string> ExactText(const ValueWay& way, float value) {
  for (const std::string& text : Candidates(way, value)) {
    const std::optional<float> read = way.read(text);
    if (read && *read == value) return text;
  }
  return std::nullopt;
}

std::string ReadableText(const ValueWay& way, float value) {
  if (!std::isfinite(value)) return way.own(value);
  if (std::optional<std::string> exact = ExactText(way, value)) return *exact;
  // No text reads back as the value: the nearest value that one reads back
  // as, written as that value writes itself. A given value is never written
  // as one that reads as nothing given (an empty field), however near.
  std::optional<float> nearest;
  std::string nearestText;
  for (const std::string& text : Candidates(way, value)) {
    const std::optional<float> read = way.read(text);
    if (!read || !std::isfinite(*read) || (value != 0.0f && *read == 0.0f)) continue;
    const double distance = std::fabs(static_cast<double>(*read) - value);
    if (!nearest || distance < std::fabs(static_cast<double>(*nearest) - value)) {
      nearest = *read;
      nearestText = text;
    }
  }
  if (!nearest) return way.own(value);
  if (std::optional<std::string> again = ExactText(way, *nearest)) return *again;
  return nearestText;
}

std::function<std::optional<float>(const std::string&)> Reader(Parser parse) {
  return [parse](const std::string& text) -> std::optional<float> {
    float value = 0.0f;
    if (parse(text, value) != 0) return std::nullopt;
    return value;
  };
}

double InUnit(float value, int kind) {
  if (kind == kUnitTemperature)
    return ChosenUnit(kUnitTemperature) == kTemperatureCelsius ? (static_cast<double>(value) - 32.0) * 5.0 / 9.0
                                                               : static_cast<double>(value);
  return static_cast<double>(value) * static_cast<double>(UnitFactor(kind));
}

ValueWay WayOf(const UnitKindOf& unit) {
  const int kind = unit.kind;
  const BatchFormatter format = unit.format;
  ValueWay way{[format](float v) { return std::string(format(v)); }, [kind](float v) { return InUnit(v, kind); },
               Reader(unit.parse)};
  if (kind == kUnitLength && ChosenUnit(kUnitLength) == kLengthFeetInches) way.mark = "\"";
  return way;
}

BatchTextAsRead AsRead(const ValueWay& way, float value) {
  BatchTextAsRead result{ReadableText(way, value), value};
  if (const std::optional<float> read = way.read(result.text)) result.read = *read;
  return result;
}

ValueWay DegreesWay() {
  const auto radians = [](float v) { return static_cast<float>(v / kDegreesPerRadian); };
  return {[radians](float v) { return std::string(FormatAngle(radians(v))); },
          [radians](float v) { return InUnit(radians(v), kUnitAngle); },
          [](const std::string& text) -> std::optional<float> {
            float value = 0.0f;
            if (ParseAngle(text, value) != 0) return std::nullopt;
            return static_cast<float>(value * kDegreesPerRadian);
          }};
}

}  // namespace

std::string BatchValueText(float value, BatchFormatter format) {
  for (const UnitKindOf& unit : kKinds)
    if (unit.format == format) return ReadableText(WayOf(unit), value);
  return format(value);
}

std::optional<BatchTextAsRead> BatchKindTextAsRead(float value, int kind) {
  for (const UnitKindOf& unit : kKinds)
    if (unit.kind == kind) return AsRead(WayOf(unit), value);
  return std::nullopt;
}

std::optional<BatchTextAsRead> BatchDegreesTextAsRead(float degrees) { return AsRead(DegreesWay(), degrees); }

std::string BatchPlainText(float value, int width, int decimals) {
  const ValueWay way{[width, decimals](float v) { return std::string(FormatFixedWidth(v, width, decimals)); },
                     [](float v) { return static_cast<double>(v); }, Reader(ParseReal)};
  return ReadableText(way, value);
}

std::string BatchDegreesText(float degrees) { return ReadableText(DegreesWay(), degrees); }
