// Units: every value of the model is held in one internal unit per kind
// (inch, pound, psi, degree Fahrenheit, radian, mile per hour ...) and is
// converted only when it is shown or typed, in the unit the user chose for
// its kind.
//
// UnitKind numbers the 20 kinds in the order of the units dialog.
// UnitsSettings holds, per kind, the index of the chosen unit in that kind's
// unit list (index 0 is always the English unit); g_UnitsSettings is the
// program's current choice. A value shown in a unit is the internal value
// times the unit's factor; a typed value is divided by it (temperatures in
// Celsius are converted instead).
//
// Per kind there is a parser (ParseLength, ParseFieldLength for the shared
// edit-field text ...) and one or more formatters (FormatLength ...). The
// parsers return 0 when the text is acceptable and 1 when it is not; the
// formatters return text in the per-thread number-text buffer (NumberText.h)
// that the next formatter call overwrites.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

enum UnitKind : int {
  kUnitLength = 1,
  kUnitDimension = 2,
  kUnitDisplacement = 3,
  kUnitAngle = 4,
  kUnitForce = 5,
  kUnitMoment = 6,
  kUnitAdditionalWeight = 7,
  kUnitWeight = 8,
  kUnitDensity = 9,
  kUnitInsulationDensity = 10,
  kUnitTemperature = 11,
  kUnitThermalExpansion = 12,
  kUnitPressure = 13,
  kUnitStress = 14,
  kUnitModulus = 15,
  kUnitStiffness = 16,
  kUnitRotStiffness = 17,
  kUnitArea = 18,
  kUnitMomentOfInertia = 19,
  kUnitVelocity = 20,
};
constexpr int kUnitKindCount = 20;

// Element 0 belongs to no kind and stays 0; element k is the chosen unit of
// kind k. Stored as 84 bytes (21 little-endian int32) with the analysis
// options and in the model.
struct UnitsSettings {
  std::int32_t unit[kUnitKindCount + 1] = {};
};
static_assert(sizeof(UnitsSettings) == 84, "UnitsSettings is stored as 84 bytes");

// The program's current units; all English at start.
extern UnitsSettings g_UnitsSettings;

// Units of the Length kind by index.
constexpr int kLengthFeetInches = 0;
constexpr int kLengthFeet = 1;
constexpr int kLengthInch = 2;
constexpr int kLengthMetre = 3;
constexpr int kLengthMillimetre = 4;
constexpr int kTemperatureCelsius = 1;

// The unit list of a kind: its size, and each unit's label and factor.
int UnitCount(int kind);
const char* UnitLabelAt(int kind, int index);
float UnitFactorAt(int kind, int index);
// Whether every kind's index in the record names a unit of that kind (a
// record read from a file is checked before it is used).
bool UnitsSettingsValid(const UnitsSettings& settings);
// The chosen unit of a kind in g_UnitsSettings (0 when the stored index is
// out of range) and its factor.
int ChosenUnit(int kind);
float UnitFactor(int kind);

// The label of the chosen unit of the kind, e.g. "(psi)"; the top two bits of
// the kind are ignored.
const char* UnitLabel(int kind);
// The text, one blank and the unit label, in a buffer of its own.
const char* ValueWithUnitLabel(std::string_view text, int kind);

// --- Parsers (text, result): 0 accepted, 1 refused ---------------------------
int ParseLength(std::string_view text, float& value);
int ParseDimension(std::string_view text, float& value);
int ParseNonNegativeDimension(std::string_view text, float& value);
int ParseDisplacement(std::string_view text, float& value);
int ParseAngle(std::string_view text, float& value);
int ParseForce(std::string_view text, float& value);
int ParseMoment(std::string_view text, float& value);
int ParseAdditionalWeight(std::string_view text, float& value);
int ParseWeight(std::string_view text, float& value);
int ParseDensity(std::string_view text, float& value);
int ParseInsulationDensity(std::string_view text, float& value);
int ParseTemperature(std::string_view text, float& value);
int ParseThermalExpansion(std::string_view text, float& value);
int ParsePressure(std::string_view text, float& value);
int ParseStress(std::string_view text, float& value);
int ParseModulus(std::string_view text, float& value);
int ParseStiffness(std::string_view text, float& value);
int ParseSignedStiffness(std::string_view text, float& value);
int ParseRotStiffness(std::string_view text, float& value);
int ParseSignedRotStiffness(std::string_view text, float& value);
int ParseArea(std::string_view text, float& value);
int ParseMomentOfInertia(std::string_view text, float& value);
int ParseVelocity(std::string_view text, float& value);

// The same on the shared edit-field text.
int ParseFieldLength(float& value);
int ParseFieldDimension(float& value);
int ParseFieldNonNegativeDimension(float& value);
int ParseFieldDisplacement(float& value);
int ParseFieldAngle(float& value);
int ParseFieldForce(float& value);
int ParseFieldMoment(float& value);
int ParseFieldAdditionalWeight(float& value);
int ParseFieldWeight(float& value);
int ParseFieldDensity(float& value);
int ParseFieldInsulationDensity(float& value);
int ParseFieldTemperature(float& value);
int ParseFieldThermalExpansion(float& value);
int ParseFieldPressure(float& value);
int ParseFieldStress(float& value);
int ParseFieldModulus(float& value);
int ParseFieldStiffness(float& value);
int ParseFieldSignedStiffness(float& value);
int ParseFieldRotStiffness(float& value);
int ParseFieldSignedRotStiffness(float& value);
int ParseFieldArea(float& value);
int ParseFieldMomentOfInertia(float& value);
int ParseFieldVelocity(float& value);

// --- Formatters (internal value) ----------------------------------------------
const char* FormatLength(float value);
// A computed length (a centre of gravity) in the chosen length unit: as
// FormatLength, except that in feet and inches it is rounded to the nearest
// sixty-fourth of an inch, so that it reads as feet and inches under that
// unit's label where FormatLength would give decimal feet.
const char* FormatComputedLength(float value);
const char* FormatDimension(float value);
const char* FormatDisplacement(float value);
const char* FormatDisplacementOrNone(float value);
const char* FormatAngle(float value);
const char* FormatAngleOrNone(float value);
// Result angles as tables show them: "None" for the absent value, else
// FormatAngle's fixed decimals (never an exponent form).
const char* FormatAngleFixedOrNone(float value);
const char* FormatForce(float value);
const char* FormatForceTrim(float value);
const char* FormatForceCompact(float value);
const char* FormatMoment(float value);
// FormatForce's and FormatMoment's texts written into `out` (kPrintedNumberSize
// characters, NumberFormat.h) without a terminating zero; return the length.
std::size_t ForceText(char* out, float value);
std::size_t MomentText(char* out, float value);
const char* FormatMomentTrim(float value);
// A moment in five significant digits: a small one (a joint's friction
// torque of a few inch-pounds shown in foot-pounds) never shows as 0.
const char* FormatMomentSignificant(float value);
const char* FormatAdditionalWeight(float value);
const char* FormatWeight(float value);
const char* FormatDensity(float value);
const char* FormatInsulationDensity(float value);
const char* FormatTemperature(float value);
const char* FormatThermalExpansion(float value);
const char* FormatPressure(float value);
const char* FormatStress(float value);
const char* FormatModulus(float value);
const char* FormatStiffnessOrRigid(float value);
const char* FormatStiffnessOrRigidNarrow(float value);
const char* FormatStiffnessCompact(float value);
const char* FormatRotStiffnessOrRigid(float value);
const char* FormatRotStiffnessOrRigidNarrow(float value);
const char* FormatArea(float value);
const char* FormatMomentOfInertia(float value);
const char* FormatVelocity(float value);

// Spectrum ordinates in the unit mode 0..4 of the spectrum library; any other
// mode is a programming error.
int ParseSpectrumOrdinate(std::string_view text, int mode, float& value);
int ParseFieldSpectrumOrdinate(int mode, float& value);
// An ordinate in the unit of `mode` in internal units (inch, in/sec2), in
// double: every road (the cell, a text file, an old model or library file)
// converts through here and narrows once, so they store the same float.
double SpectrumOrdinateInternal(double ordinate, int mode);
const char* FormatSpectrumOrdinate(float value, int mode);
