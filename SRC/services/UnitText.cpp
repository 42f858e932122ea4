// Per-kind parsers and formatters (see Units.h): each converts between the
// internal value and the chosen unit and applies its kind's rules for the
// special values (NumberText.h). The shared number-text buffer receives
// every result; the suffixes "E+6" and "E-6" are appended to it in place.
#include <algorithm>
#include <cmath>
#include <cfloat>
#include <cstring>
#include <string>

#include "services/Assert.h"
#include "services/General.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/ShownNumbers.h"
#include "services/Units.h"

namespace {

const char* SetText(const std::string& text) {
  char* buffer = NumberTextBuffer();
  const std::size_t n = text.size() < kNumberTextBufferSize - 1 ? text.size() : kNumberTextBufferSize - 1;
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return buffer;
}

// A value in the chosen unit through a printf format; a value that became
// infinite in the unit (a huge value in a small unit) has the text of any
// value that is not finite.
const char* ShownNumber(const char* format, double shown) {
  if (!std::isfinite(shown)) return SetText(kNotFiniteText);
  return SetText(CFormat(format, shown));
}

const char* AppendText(const char* suffix) {
  char* buffer = NumberTextBuffer();
  if (std::strlen(buffer) + std::strlen(suffix) < kNumberTextBufferSize) std::strcat(buffer, suffix);
  return buffer;
}

// A typed value divided by the unit factor, held to the rule of a stored
// value (NumberText.h) in internal units: 1E37 typed in feet is 1.2E38
// inches and refused, 1E-37 typed in millimetres is 3.9E-39 inches and
// refused, whatever the unit let the text be; 1E-46, a float's 0, is
// refused as the float it is stored as, not taken for a zero.
int ToInternal(double typed, float factor, float& value) {
  value = 0.0f;
  // A typed value beyond every float may still be a stored one (2.5E39 mm
  // is 9.8E37 inches); one that a float holds is divided as a float is.
  const double internal = std::fabs(typed) < static_cast<double>(FLT_MAX)
                              ? static_cast<double>(static_cast<float>(typed) / factor)
                              : typed / static_cast<double>(factor);
  if (!StoredValueKeepsTyped(typed, internal)) return 1;
  value = static_cast<float>(internal);
  return 0;
}

int ParseScaled(std::string_view text, int kind, float& value) {
  double typed = 0.0;
  if (ParseRealText(text, typed) != 0) {
    value = 0.0f;
    return 1;
  }
  return ToInternal(typed, UnitFactor(kind), value);
}

int ParseNonNegativeScaled(std::string_view text, int kind, float& value) {
  if (ParseScaled(text, kind, value) != 0) return 1;
  return value < 0.0f ? 1 : 0;
}

// The kinds whose typed zero differs from an empty field: the raw text is
// tested for emptiness before blanks are removed, so blanks are a typed zero.
int ParseWithExplicitZero(std::string_view text, int kind, float& value, bool refuseNegative) {
  value = 0.0f;
  if (text.empty()) return 0;
  if (ParseScaled(text, kind, value) != 0) return 1;
  if (refuseNegative && value < 0.0f) return 1;
  if (std::fabs(value) < kZeroThreshold) value = kExplicitZero;
  return 0;
}

bool IsRigidText(std::string_view text) {
  std::string prepared(text);
  StripBlanksUpper(prepared);
  return !prepared.empty() && std::string_view("RIGID").substr(0, prepared.size()) == prepared;
}

int ParseStiffnessKind(std::string_view text, int kind, float& value, bool refuseNegative) {
  if (IsRigidText(text)) {
    value = kRigidStiffness;
    return 0;
  }
  if (ParseScaled(text, kind, value) != 0) return 1;
  return (refuseNegative && value < 0.0f) ? 1 : 0;
}

bool LengthInInches() { return ChosenUnit(kUnitLength) == kLengthInch; }

}  // namespace

// --- Parsers ---------------------------------------------------------------------

int ParseLength(std::string_view text, float& value) {
  if (ChosenUnit(kUnitLength) == kLengthFeetInches) return ParseFeetInches(text, value);
  return ParseScaled(text, kUnitLength, value);
}

int ParseDimension(std::string_view text, float& value) { return ParseScaled(text, kUnitDimension, value); }

int ParseNonNegativeDimension(std::string_view text, float& value) {
  return ParseNonNegativeScaled(text, kUnitDimension, value);
}

int ParseDisplacement(std::string_view text, float& value) {
  return ParseScaled(text, kUnitDisplacement, value);
}

int ParseAngle(std::string_view text, float& value) { return ParseScaled(text, kUnitAngle, value); }
int ParseForce(std::string_view text, float& value) { return ParseScaled(text, kUnitForce, value); }
int ParseMoment(std::string_view text, float& value) { return ParseScaled(text, kUnitMoment, value); }

int ParseAdditionalWeight(std::string_view text, float& value) {
  return ParseNonNegativeScaled(text, kUnitAdditionalWeight, value);
}

int ParseWeight(std::string_view text, float& value) { return ParseNonNegativeScaled(text, kUnitWeight, value); }

int ParseDensity(std::string_view text, float& value) {
  value = 0.0f;
  if (text.empty()) return 0;
  if (ParseNonNegativeScaled(text, kUnitDensity, value) != 0) return 1;
  if (value == 0.0f) value = kExplicitZero;
  return 0;
}

int ParseInsulationDensity(std::string_view text, float& value) {
  return ParseWithExplicitZero(text, kUnitInsulationDensity, value, true);
}

int ParseTemperature(std::string_view text, float& value) {
  value = 0.0f;
  if (text.empty()) return 0;
  const bool celsius = ChosenUnit(kUnitTemperature) == kTemperatureCelsius;
  double read = 0.0;
  if (ParseRealText(text, read) != 0 || !(std::fabs(read) < static_cast<double>(FLT_MAX))) return 1;
  // In Fahrenheit the typed value is the stored one; in Celsius the rule
  // is asked of the Fahrenheit value below.
  if (!celsius && !StoredValueAcceptable(read)) return 1;
  float typed = static_cast<float>(read);
  if (std::fabs(typed) < kZeroThreshold) typed = kExplicitZero;
  if (celsius) {
    float fahrenheit = typed * 1.8f + 32.0f;
    if (!StoredValueAcceptable(fahrenheit)) return 1;
    // -17.777778 C is 0 F: typed, it is the typed zero of Fahrenheit, not
    // the 0.0 of a field left empty.
    if (std::fabs(fahrenheit) < kZeroThreshold) fahrenheit = kExplicitZero;
    typed = fahrenheit;
  }
  value = typed;
  return 0;
}

int ParseThermalExpansion(std::string_view text, float& value) {
  return ParseWithExplicitZero(text, kUnitThermalExpansion, value, false);
}

int ParsePressure(std::string_view text, float& value) {
  return ParseWithExplicitZero(text, kUnitPressure, value, false);
}

int ParseStress(std::string_view text, float& value) { return ParseNonNegativeScaled(text, kUnitStress, value); }

int ParseModulus(std::string_view text, float& value) {
  value = 0.0f;
  std::string prepared(text);
  StripBlanksUpper(prepared);
  if (prepared.empty()) return 0;
  if (ParseNonNegativeScaled(prepared, kUnitModulus, value) != 0) return 1;
  return value < kZeroThreshold ? 1 : 0;
}

int ParseStiffness(std::string_view text, float& value) {
  return ParseStiffnessKind(text, kUnitStiffness, value, true);
}
int ParseSignedStiffness(std::string_view text, float& value) {
  return ParseStiffnessKind(text, kUnitStiffness, value, false);
}
int ParseRotStiffness(std::string_view text, float& value) {
  return ParseStiffnessKind(text, kUnitRotStiffness, value, true);
}
int ParseSignedRotStiffness(std::string_view text, float& value) {
  return ParseStiffnessKind(text, kUnitRotStiffness, value, false);
}

int ParseArea(std::string_view text, float& value) { return ParseNonNegativeScaled(text, kUnitArea, value); }

int ParseMomentOfInertia(std::string_view text, float& value) {
  return ParseNonNegativeScaled(text, kUnitMomentOfInertia, value);
}

int ParseVelocity(std::string_view text, float& value) { return ParseNonNegativeScaled(text, kUnitVelocity, value); }

// A field parser's answer: a dialog field left as shown gives the stored
// value behind its text (ShownNumbers.h) once the text passed the rules.
int KeptField(int kind, int result, float& value) {
  float kept = 0.0f;
  if (TakeShownNumber(kind, g_EditFieldText, kept) && result == 0) value = kept;
  return result;
}

int ParseFieldLength(float& value) { return KeptField(kUnitLength, ParseLength(g_EditFieldText, value), value); }
int ParseFieldDimension(float& value) { return KeptField(kUnitDimension, ParseDimension(g_EditFieldText, value), value); }
int ParseFieldNonNegativeDimension(float& value) { return KeptField(kUnitDimension, ParseNonNegativeDimension(g_EditFieldText, value), value); }
int ParseFieldDisplacement(float& value) { return KeptField(kUnitDisplacement, ParseDisplacement(g_EditFieldText, value), value); }
int ParseFieldAngle(float& value) { return KeptField(kUnitAngle, ParseAngle(g_EditFieldText, value), value); }
int ParseFieldForce(float& value) { return KeptField(kUnitForce, ParseForce(g_EditFieldText, value), value); }
int ParseFieldMoment(float& value) { return KeptField(kUnitMoment, ParseMoment(g_EditFieldText, value), value); }
int ParseFieldAdditionalWeight(float& value) { return KeptField(kUnitAdditionalWeight, ParseAdditionalWeight(g_EditFieldText, value), value); }
int ParseFieldWeight(float& value) { return KeptField(kUnitWeight, ParseWeight(g_EditFieldText, value), value); }
int ParseFieldDensity(float& value) { return KeptField(kUnitDensity, ParseDensity(g_EditFieldText, value), value); }
int ParseFieldInsulationDensity(float& value) { return KeptField(kUnitInsulationDensity, ParseInsulationDensity(g_EditFieldText, value), value); }
int ParseFieldTemperature(float& value) { return KeptField(kUnitTemperature, ParseTemperature(g_EditFieldText, value), value); }
int ParseFieldThermalExpansion(float& value) { return KeptField(kUnitThermalExpansion, ParseThermalExpansion(g_EditFieldText, value), value); }
int ParseFieldPressure(float& value) { return KeptField(kUnitPressure, ParsePressure(g_EditFieldText, value), value); }
int ParseFieldStress(float& value) { return KeptField(kUnitStress, ParseStress(g_EditFieldText, value), value); }
int ParseFieldModulus(float& value) { return KeptField(kUnitModulus, ParseModulus(g_EditFieldText, value), value); }
int ParseFieldStiffness(float& value) { return KeptField(kUnitStiffness, ParseStiffness(g_EditFieldText, value), value); }
int ParseFieldSignedStiffness(float& value) { return KeptField(kUnitStiffness, ParseSignedStiffness(g_EditFieldText, value), value); }
int ParseFieldRotStiffness(float& value) { return KeptField(kUnitRotStiffness, ParseRotStiffness(g_EditFieldText, value), value); }
int ParseFieldSignedRotStiffness(float& value) { return KeptField(kUnitRotStiffness, ParseSignedRotStiffness(g_EditFieldText, value), value); }
int ParseFieldArea(float& value) { return KeptField(kUnitArea, ParseArea(g_EditFieldText, value), value); }
int ParseFieldMomentOfInertia(float& value) { return KeptField(kUnitMomentOfInertia, ParseMomentOfInertia(g_EditFieldText, value), value); }
int ParseFieldVelocity(float& value) { return KeptField(kUnitVelocity, ParseVelocity(g_EditFieldText, value), value); }

// --- Formatters ------------------------------------------------------------------

const char* FormatLength(float value) {
  const ShownNumberNote note(kUnitLength, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  const int unit = ChosenUnit(kUnitLength);
  const float shown = value * UnitFactor(kUnitLength);
  switch (unit) {
    case kLengthFeetInches: return SetText(FormatFeetInches(shown));
    case kLengthMillimetre: return FormatG6(shown);
    case kLengthInch: return FormatFixedWidth(shown, 11, 4);
    default: return FormatG5(shown);
  }
}

const char* FormatComputedLength(float value) {
  const ShownNumberNote note(kUnitLength, value);
  if (ChosenUnit(kUnitLength) != kLengthFeetInches || !std::isfinite(value)) return FormatLength(value);
  return SetText(FormatFeetInchesNearest(value * UnitFactor(kUnitLength)));
}

const char* FormatDimension(float value) {
  const ShownNumberNote note(kUnitDimension, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  const float shown = value * UnitFactor(kUnitDimension);
  return LengthInInches() ? FormatFixedWidth(shown, 11, 4) : FormatG5(shown);
}

const char* FormatDisplacement(float value) {
  const ShownNumberNote note(kUnitDisplacement, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  return ShownNumber("%.5g", value * UnitFactor(kUnitDisplacement));
}

const char* FormatDisplacementOrNone(float value) {
  const ShownNumberNote note(kUnitDisplacement, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (IsAbsentValue(value)) return SetText("None");
  float shown = value * UnitFactor(kUnitDisplacement);
  if (std::fabs(shown) < 0.0001f) shown = 0.0f;
  return FormatFixedWidth(shown, 11, LengthInInches() ? 4 : 3);
}

const char* FormatAngle(float value) {
  const ShownNumberNote note(kUnitAngle, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  float shown = value * UnitFactor(kUnitAngle);
  if (std::fabs(shown) < 5.0e-6f) shown = 0.0f;
  return FormatFixedWidth(shown, 10, ChosenUnit(kUnitAngle) == 0 ? 4 : 5);
}

const char* FormatAngleOrNone(float value) {
  const ShownNumberNote note(kUnitAngle, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (IsAbsentValue(value)) return SetText("None");
  return ShownNumber("%.5g", value * UnitFactor(kUnitAngle));
}

const char* FormatAngleFixedOrNone(float value) {
  const ShownNumberNote note(kUnitAngle, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (IsAbsentValue(value)) return SetText("None");
  return FormatAngle(value);
}

std::size_t ForceText(char* out, float value) { return FixedWidthText(out, value * UnitFactor(kUnitForce), 10, 0); }

const char* FormatForce(float value) {
  const ShownNumberNote note(kUnitForce, value);
  char text[kPrintedNumberSize];
  return SetText(std::string(text, ForceText(text, value)));
}

const char* FormatForceTrim(float value) {
  const ShownNumberNote note(kUnitForce, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (value == 0.0f) return SetText("0");
  return FormatFixedWidthTrim(value * UnitFactor(kUnitForce), 10, 2);
}

// A moment that is not finite stays "*****" in any unit.
std::size_t MomentText(char* out, float value) {
  return FixedWidthText(out, value * UnitFactor(kUnitMoment), 10, g_NumberTextSwitches.momentDecimals ? 2 : 0);
}

const char* FormatMoment(float value) {
  const ShownNumberNote note(kUnitMoment, value);
  char text[kPrintedNumberSize];
  return SetText(std::string(text, MomentText(text, value)));
}

const char* FormatMomentTrim(float value) {
  const ShownNumberNote note(kUnitMoment, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (value == 0.0f) return SetText("0");
  return FormatFixedWidthTrim(value * UnitFactor(kUnitMoment), 10, 2);
}

const char* FormatMomentSignificant(float value) {
  const ShownNumberNote note(kUnitMoment, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  return FormatG5(value * UnitFactor(kUnitMoment));
}

const char* FormatAdditionalWeight(float value) {
  const ShownNumberNote note(kUnitAdditionalWeight, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (value == 0.0f) return SetText("");
  return FormatG5(value * UnitFactor(kUnitAdditionalWeight));
}

const char* FormatWeight(float value) {
  const ShownNumberNote note(kUnitWeight, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (value == 0.0f) return SetText("0");
  return FormatG5(value * UnitFactor(kUnitWeight));
}

const char* FormatDensity(float value) {
  const ShownNumberNote note(kUnitDensity, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (value == 0.0f) return SetText("");
  if (value < kZeroThreshold) return SetText("0.0");
  const float shown = value * UnitFactor(kUnitDensity);
  return ShownNumber(ChosenUnit(kUnitDensity) == 0 ? "%.3f" : "%.4g", shown);
}

const char* FormatInsulationDensity(float value) {
  const ShownNumberNote note(kUnitInsulationDensity, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (value == 0.0f) return SetText("");
  if (std::fabs(value) < kZeroThreshold) return SetText("0");
  return FormatG5(value * UnitFactor(kUnitInsulationDensity));
}

const char* FormatTemperature(float value) {
  const ShownNumberNote note(kUnitTemperature, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (value == 0.0f) return SetText("");
  float shown = value;
  if (ChosenUnit(kUnitTemperature) == kTemperatureCelsius) shown = (value - 32.0f) * 5.0f / 9.0f;
  if (std::fabs(shown) < kZeroThreshold) return SetText("0");
  return ShownNumber("%.4g", shown);
}

const char* FormatThermalExpansion(float value) {
  const ShownNumberNote note(kUnitThermalExpansion, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (value == 0.0f) return SetText("");
  if (std::fabs(value) < kZeroThreshold) return SetText("0");
  const float shown = value * UnitFactor(kUnitThermalExpansion);
  if (std::fabs(shown) < 9.9e-5f) {
    FormatFixedWidth(shown * 1.0e6f, 10, 2);
    return AppendText("E-6");
  }
  return ShownNumber("%.4g", shown);
}

const char* FormatPressure(float value) {
  const ShownNumberNote note(kUnitPressure, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (value == 0.0f) return SetText("");
  if (std::fabs(value) < kZeroThreshold) return SetText("0");
  const float shown = value * UnitFactor(kUnitPressure);
  if (!std::isfinite(shown)) return SetText(kNotFiniteText);
  const int magnitudeDigits = static_cast<int>(std::trunc(std::log10(std::fabs(shown))));
  // A pressure far below any a pipe holds (an old file's 1e-20) has more
  // decimals than a text prints: it takes the exponent form at the most.
  const int decimals = std::clamp(2 - magnitudeDigits, 0, kPrintedDecimalsMax);
  return FormatFixedWidth(shown, 10, decimals);
}

const char* FormatStress(float value) {
  const ShownNumberNote note(kUnitStress, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  const float s = value * UnitFactor(kUnitStress);
  if (s > 1.0e8f) return FormatFixedWidthE(s, 10, 2);
  if (s > 1.0e6f) {
    FormatFixedWidth(s * 1.0e-6f, 10, 1);
    return AppendText("E+6");
  }
  int decimals = 0;
  if (ChosenUnit(kUnitStress) != 0) decimals = s < 10.0f ? 3 : s < 100.0f ? 2 : s < 1000.0f ? 1 : 0;
  return FormatFixedWidth(s, 10, decimals);
}

const char* FormatModulus(float value) {
  const ShownNumberNote note(kUnitModulus, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (value == 0.0f) return SetText("");
  if (value < kZeroThreshold) return SetText("0");
  const float m = value * UnitFactor(kUnitModulus);
  if (m > 1.0e8f) return FormatFixedWidthE(m, 10, 2);
  if (ChosenUnit(kUnitModulus) == 0) {
    if (m > 9999000.0f || m > 99900.0f) {
      FormatFixedWidth(m * 1.0e-6f, 10, m > 9999000.0f ? 1 : 2);
      return AppendText("E+6");
    }
    if (m > 1000.0f) return FormatFixedWidth(m, 10, 0);
    return FormatFixedWidthTrim(m, 10, 2);
  }
  if (m > 999000.0f) {
    FormatFixedWidth(m * 1.0e-6f, 10, 3);
    return AppendText("E+6");
  }
  return FormatFixedWidth(m, 10, 0);
}

namespace {

// The stiffness texts: "Rigid", exponent forms from `eLimit` on, a shorter
// exponent form above 99,999, "%.5g" below.
const char* FormatStiffnessKind(float value, int kind, float eLimit, int width, int bigDecimals,
                                int smallDecimals) {
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (value == 0.0f) return SetText("0");
  if (IsRigidStiffness(value)) return SetText("Rigid");
  const float s = value * UnitFactor(kind);
  if (s >= eLimit) return FormatFixedWidthE(s, width, bigDecimals);
  if (s > 99999.0f) return FormatFixedWidthE(s, width, smallDecimals);
  return ShownNumber("%.5g", s);
}

const char* FormatRotStiffnessKind(float value, float eLimit, int width, int bigDecimals,
                                   int smallDecimals, int fixedWidth) {
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (value == 0.0f) return SetText("0");
  if (IsRigidStiffness(value)) return SetText("Rigid");
  const float s = value * UnitFactor(kUnitRotStiffness);
  if (s >= eLimit) return FormatFixedWidthE(s, width, bigDecimals);
  if (s > 99999.0f) return FormatFixedWidthE(s, width, smallDecimals);
  const float magnitude = std::fabs(s);
  const float fraction = magnitude - std::floor(magnitude);
  const bool showDecimals = fraction > 0.005f && fraction <= 0.999f;
  return FormatFixedWidth(s, fixedWidth, showDecimals ? 2 : 0);
}

// s scaled down to a mantissa with the given decimals and the text "E+n".
const char* ScaledWithExponent(float s, int exponent, int width, int decimals) {
  FormatFixedWidth(s / std::pow(10.0f, static_cast<float>(exponent)), width, decimals);
  return AppendText(CFormat("E+%d", exponent).c_str());
}

}  // namespace

const char* FormatStiffnessOrRigid(float value) {
  const ShownNumberNote note(kUnitStiffness, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  return FormatStiffnessKind(value, kUnitStiffness, 1.0e9f, 11, 2, 3);
}

const char* FormatStiffnessOrRigidNarrow(float value) {
  const ShownNumberNote note(kUnitStiffness, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  return FormatStiffnessKind(value, kUnitStiffness, 1.0e10f, 9, 2, 4);
}

const char* FormatRotStiffnessOrRigid(float value) {
  const ShownNumberNote note(kUnitRotStiffness, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  return FormatRotStiffnessKind(value, 1.0e9f, 11, 2, 3, 10);
}

const char* FormatRotStiffnessOrRigidNarrow(float value) {
  const ShownNumberNote note(kUnitRotStiffness, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  return FormatRotStiffnessKind(value, 1.0e10f, 9, 2, 4, 9);
}

const char* FormatStiffnessCompact(float value) {
  const ShownNumberNote note(kUnitStiffness, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  const float s = value * UnitFactor(kUnitStiffness);
  if (s > 1.0e10f) return FormatFixedWidthE(s, 8, 2);
  for (int exponent = 9; exponent >= 6; --exponent)
    if (s > std::pow(10.0f, static_cast<float>(exponent))) return ScaledWithExponent(s, exponent, 8, 3);
  if (s > 10000.0f) return FormatFixedWidth(s, 8, 0);
  return FormatFixedWidth(s, 8, 1);
}

const char* FormatForceCompact(float value) {
  const ShownNumberNote note(kUnitForce, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  const float s = value * UnitFactor(kUnitForce);
  if (s > 1.0e10f) return FormatFixedWidthE(s, 8, 1);
  for (int exponent = 9; exponent >= 7; --exponent)
    if (s > std::pow(10.0f, static_cast<float>(exponent))) return ScaledWithExponent(s, exponent, 8, 2);
  if (s > 10000.0f) return FormatFixedWidth(s, 7, 0);
  return FormatFixedWidth(s, 8, 1);
}

const char* FormatArea(float value) {
  const ShownNumberNote note(kUnitArea, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (value == 0.0f) return SetText("");
  return FormatG6(value * UnitFactor(kUnitArea));
}

const char* FormatMomentOfInertia(float value) {
  const ShownNumberNote note(kUnitMomentOfInertia, value);
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  if (value == 0.0f) return SetText("");
  return FormatG6(value * UnitFactor(kUnitMomentOfInertia));
}

const char* FormatVelocity(float value) {
  const ShownNumberNote note(kUnitVelocity, value); return FormatG5(value * UnitFactor(kUnitVelocity)); }

// --- Spectrum ordinates ----------------------------------------------------------

int ParseSpectrumOrdinate(std::string_view text, int mode, float& value) {
  QV_ASSERT(mode >= 0 && mode <= 4);
  value = 0.0f;
  double typed = 0.0;
  if (ParseRealText(text, typed) != 0 || typed < 0.0) return 1;
  const double stored = SpectrumOrdinateInternal(typed, mode);
  if (!StoredValueAcceptable(stored)) return 1;
  value = static_cast<float>(stored);
  return 0;
}

double SpectrumOrdinateInternal(double ordinate, int mode) {
  if (mode == 1 || mode == 3) return ordinate * 0.03937;
  if (mode == 4) return ordinate * 386.4;
  return ordinate;
}

int ParseFieldSpectrumOrdinate(int mode, float& value) {
  return ParseSpectrumOrdinate(g_EditFieldText, mode, value);
}

const char* FormatSpectrumOrdinate(float value, int mode) {
  if (!std::isfinite(value)) return SetText(kNotFiniteText);
  QV_ASSERT(mode >= 0 && mode <= 4);
  float shown = value;
  if (mode == 4) shown /= 386.4f;
  if (mode == 1 || mode == 3) shown *= 25.4000508001016f;
  return FormatG6(shown);
}
