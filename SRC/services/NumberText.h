// Numbers as the user types and reads them, independent of units.
//
// Parsers take the typed text and a result, return 0 when the text is
// acceptable and 1 when it is not, and never throw: the caller raises the
// field message. They first drop every blank and upper-case the text, so
// "1 500" reads as 1500 and "2.5e3" as 2500; an empty text is 0 (not
// given). ParseReal holds the value it reads to the one rule of a stored
// value (StoredValueAcceptable), however the text spells it, so 1E38, 1E-38
// and the thirty-nine digits of 3E38 all fail; the parsers of the unit
// kinds (Units.h) ask the same rule of the value they store, in internal
// units, so that what a cell refuses no file brings in. ParseInteger refuses values outside the 32-bit range.
//
// Formatters return text in a per-thread buffer that the next formatter call
// on the same thread overwrites (IntegerToText and the feet-and-inches text
// have buffers of their own); copy the text before formatting another value.
// Everything is printed through CFormat or its PrintFixed and PrintExponent
// (NumberFormat.h): "C" locale, three-digit exponents before
// ShortenExponent trims them. A value that does not fit its width
// prints "*****", and so does a value that is not finite (NaN, infinity):
// no formatter prints "nan" or "inf", which no parser would read back.
//
// The special values of every numeric field (kNotGiven, kExplicitZero,
// kAbsentValue, kRigidStiffness) are tested through the named helpers below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A numeric field left empty.
constexpr float kNotGiven = 0.0f;
// A typed zero where it must differ from an empty field; prints "0".
constexpr float kExplicitZero = 1.0e-36f;
// No value / no limit; magnitudes above kAbsentThreshold print "None".
constexpr float kAbsentValue = 1.0e30f;
constexpr float kAbsentThreshold = 5.0e29f;
// A rigid stiffness; values strictly between the two limits print "Rigid".
constexpr float kRigidStiffness = 1.0e12f;
constexpr float kRigidLow = 9.8e11f;
constexpr float kRigidHigh = 1.02e12f;
// Magnitudes below this are zero to the formatters and the explicit-zero
// parsers.
constexpr float kZeroThreshold = 2.0e-36f;

inline bool IsNotGiven(float value) { return value == kNotGiven; }
inline bool IsExplicitZero(float value) { return value != 0.0f && (value < 0 ? -value : value) < kZeroThreshold; }
inline bool IsAbsentValue(float value) { return (value < 0 ? -value : value) > kAbsentThreshold; }
inline bool IsRigidStiffness(float value) { return value > kRigidLow && value < kRigidHigh; }

// The shared edit-field buffer: the text of the dialog field or table cell
// being read; every ParseField routine parses it.
extern std::string g_EditFieldText;

int ParseInteger(std::string_view text, std::int32_t& value);
int ParseFieldInteger(std::int32_t& value);
// Decimal text in a buffer of its own.
const char* IntegerToText(std::int32_t value);

int ParseReal(std::string_view text, float& value);
// The number a text spells, by the rules of ParseReal's text (blanks
// dropped, digits with at most one point, an exponent of any size after
// "E"), with no rule on its size: 1 for a text that is no number (a hex or
// an "INF" text too) or whose value no double holds; 0 for an empty text.
// Every reader of number text (cells, text files, the neutral imports)
// starts here and asks StoredValueAcceptable of what it stores.
int ParseRealText(std::string_view text, double& value);
// The one rule a value the model stores keeps, on every road that brings
// one in (a cell, a text file, a model, library or neutral file): zero, or
// a magnitude from 1E-37 up to and not including 1E38, asked of the value
// as the model keeps it: the 32-bit float it becomes, in internal units.
// The rule is asked of the float, so that a cell and a file that store the
// same float agree at both edges; a value that no float holds fails, and so
// does one that is no zero but becomes one as a float (1E-46).
constexpr float kLeastStoredMagnitude = 1.0e-37f;
constexpr float kStoredMagnitudeLimit = 1.0e38f;
bool StoredValueAcceptable(double value);
// The rule asked of `stored`, the value a `typed` value is kept as once
// converted (a float in internal units), and besides: a typed value that is
// no zero stays no zero, so 1E-46, which a float holds as 0, fails however
// the conversion went.
bool StoredValueKeepsTyped(double typed, double stored);
// The reason a field's stored value breaks the rule, for the messages of
// the readers: "is out of range: a value is zero, or from 1E-37 up to 1E38".
inline constexpr const char* kStoredValueRange = "a value is zero, or from 1E-37 up to 1E38";
// Whether a value stays below the limit (and is a number): what a stored
// value read from a file, or a result made of such values, must keep to be
// shown and typed again.
bool NumberBelowLimit(double value);
int ParseFieldReal(float& value);

// Keyboard filters of number cells: true for characters a number (or a
// feet-and-inches length) cannot contain.
bool IsNotNumberChar(char c);
bool IsNotLengthChar(char c);
// True when every character is a letter, a digit, "-" or "/".
bool IsNameText(std::string_view text);

// "Y..." is true, "" or "N..." false; anything else is an error.
int ParseYesNo(std::string_view text, bool& flag);
int ParseFieldYesNo(bool& flag);

// The text of a value that cannot be shown: too wide, or not finite.
constexpr const char* kNotFiniteText = "*****";

const char* FormatFixedWidth(double value, int width, int decimals);
// FormatFixedWidth's text written into `out` (kPrintedNumberSize characters,
// NumberFormat.h) without a terminating zero, for writers that assemble
// lines of many numbers; returns its length.
std::size_t FixedWidthText(char* out, double value, int width, int decimals);
const char* FormatFixedWidthE(double value, int width, int decimals);
const char* FormatFixedWidthTrim(double value, int width, int decimals);
const char* FormatG3(double value);
const char* FormatG4(double value);
const char* FormatG5(double value);
const char* FormatG6(double value);
// A value with `digits` significant digits: FormatG6's text for six or
// fewer, and past them the plain or exponent form with that many, for
// telling apart two values that six digits show alike.
const char* FormatSignificant(double value, int digits);
const char* FormatE3(double value);
const char* FormatPrecise(double value);
const char* FormatThreeDecimals(double value);
const char* FormatRatio(double value);
const char* FormatSif(double value);
// Trims the exponent of the text in the shared buffer ("E+005" -> "E+5",
// "E+000" disappears) and returns the buffer.
const char* ShortenExponent();

// Lengths in feet and inches: 66.5 inches is 5'6-1/2". A length that is
// no whole number of sixty-fourths of an inch, or whose text would pass 10
// characters, is shown as decimal feet (a table cell's width).
const char* FormatFeetInches(double inches);
// A computed length in feet and inches, rounded to the nearest sixty-fourth
// of an inch and never turned into decimal feet: 215.8452 inches is
// 17'11-27/32". Zero is "0".
const char* FormatFeetInchesNearest(double inches);
int ParseFeetInches(std::string_view text, float& inches);

// The environment switches read at start-up: "INCREASE_DIGITS" (more digits
// from FormatPrecise) and "MPREC" (moments with two decimals).
struct NumberTextSwitches {
  bool increaseDigits = false;
  bool momentDecimals = false;
};
extern NumberTextSwitches g_NumberTextSwitches;
void ReadNumberTextSwitches();

// Direct access to the per-thread formatter buffer, for the unit formatters
// that append to a formatted value.
char* NumberTextBuffer();
constexpr int kNumberTextBufferSize = 128;
