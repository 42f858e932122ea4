// Typed number text and the width- and precision-bound number formats (see
// NumberText.h). Start reading at ParseReal and FormatFixedWidth; every
// other routine is built from them and from CFormat. The fixed-width forms
// print through PrintFixed and PrintExponent, CFormat's bytes at a fraction
// of its cost: the exports format millions of them.
#include "services/NumberText.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "services/General.h"
#include "services/NumberFormat.h"
#include "services/ReportMode.h"
#include "services/ShownNumbers.h"

std::string g_EditFieldText;
NumberTextSwitches g_NumberTextSwitches;

namespace {

thread_local char t_numberText[kNumberTextBufferSize];
thread_local char t_integerText[16];
thread_local char t_feetInchesText[kNumberTextBufferSize];

// Typed text without blanks, upper case; longer texts are refused (no number
// field holds that much).
struct PreparedText {
  char text[256];
  std::size_t length = 0;
  bool tooLong = false;
};

PreparedText Prepare(std::string_view typed) {
  PreparedText prepared;
  if (typed.size() >= sizeof prepared.text) {
    prepared.tooLong = true;
    prepared.text[0] = '\0';
    return prepared;
  }
  // A default view has no data at all: copy only what there is.
  if (!typed.empty()) std::memcpy(prepared.text, typed.data(), typed.size());
  prepared.text[typed.size()] = '\0';
  StripBlanksUpper(prepared.text);
  prepared.length = std::strlen(prepared.text);
  return prepared;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(const char* begin, const char* end) {
  for (const char* p = begin; p < end; ++p)
    if (!IsDigit(*p)) return false;
  return true;
}

const char* SetNumberText(const char* text, std::size_t length) {
  std::size_t n = length < kNumberTextBufferSize - 1 ? length : kNumberTextBufferSize - 1;
  std::memcpy(t_numberText, text, n);
  t_numberText[n] = '\0';
  return t_numberText;
}

const char* SetNumberText(const std::string& text) { return SetNumberText(text.data(), text.size()); }

std::size_t CopyText(char* out, const char* text) {
  const std::size_t length = std::strlen(text);
  std::memcpy(out, text, length);
  return length;
}

// Removes `count` characters at `at` from the shared buffer.
void EraseInBuffer(char* at, std::size_t count) { std::memmove(at, at + count, std::strlen(at + count) + 1); }

// Checks the exponent part after "E": optional sign, digits only. How large
// it may be is the rule of the value stored (StoredValueAcceptable), not
// the spelling's.
bool ExponentAcceptable(const char* p, const char* end) {
  if (p < end && (*p == '+' || *p == '-')) ++p;
  return p < end && AllDigits(p, end);
}

// Whether the digits before the exponent hold anything but zeros: such a
// text is no zero even when its value is too small for a double to hold.
bool HasNonZeroDigit(const char* text) {
  for (const char* p = text; *p != '\0' && *p != 'E'; ++p)
    if (*p >= '1' && *p <= '9') return true;
  return false;
}

// The structure rules of ParseReal on prepared text.
bool RealTextAcceptable(const char* text, std::size_t length) {
  if (length == 1 && !IsDigit(text[0])) return false;
  const char first = text[0];
  if (!IsDigit(first) && first != '+' && first != '-' && first != '.') return false;
  const char* end = text + length;
  const char* point = nullptr;
  const char* exponent = nullptr;
  for (const char* p = text; p < end; ++p) {
    if (*p == '.') {
      if (point != nullptr) return false;
      point = p;
    } else if (*p == 'E') {
      if (exponent != nullptr) return false;
      exponent = p;
    } else if (!IsDigit(*p) && *p != '+' && *p != '-') {
      return false;
    }
  }
  if (end[-1] == 'E') return false;
  const char* integerBegin = (first == '+' || first == '-') ? text + 1 : text;
  const char* integerEnd = point != nullptr ? point : (exponent != nullptr ? exponent : end);
  if (integerEnd < integerBegin || !AllDigits(integerBegin, integerEnd)) return false;
  if (point != nullptr) {
    const char* fractionEnd = exponent != nullptr ? exponent : end;
    if (fractionEnd < point + 1 || !AllDigits(point + 1, fractionEnd)) return false;
  }
  return exponent == nullptr || ExponentAcceptable(exponent + 1, end);
}

}  // namespace

char* NumberTextBuffer() { return t_numberText; }

void ReadNumberTextSwitches() {
  g_NumberTextSwitches.increaseDigits = std::getenv("INCREASE_DIGITS") != nullptr;
  g_NumberTextSwitches.momentDecimals = std::getenv("MPREC") != nullptr;
}

int ParseInteger(std::string_view typed, std::int32_t& value) {
  value = 0;
  const PreparedText prepared = Prepare(typed);
  if (prepared.tooLong) return 1;
  const char* text = prepared.text;
  const std::size_t length = prepared.length;
  if (length == 0) return 0;
  if (length == 1 && !IsDigit(text[0])) return 1;
  if (!IsDigit(text[0]) && text[0] != '+' && text[0] != '-') return 1;
  if (!AllDigits(text + 1, text + length)) return 1;
  std::int64_t magnitude = 0;
  for (const char* p = IsDigit(text[0]) ? text : text + 1; *p != '\0'; ++p) {
    magnitude = magnitude * 10 + (*p - '0');
    if (magnitude > static_cast<std::int64_t>(INT32_MAX) + 1) return 1;
  }
  const std::int64_t signedValue = text[0] == '-' ? -magnitude : magnitude;
  if (signedValue > INT32_MAX || signedValue < INT32_MIN) return 1;
  value = static_cast<std::int32_t>(signedValue);
  return 0;
}

int ParseFieldInteger(std::int32_t& value) { return ParseInteger(g_EditFieldText, value); }

const char* IntegerToText(std::int32_t value) {
  CSnprintf(t_integerText, sizeof t_integerText, "%d", value);
  return t_integerText;
}

int ParseRealText(std::string_view typed, double& value) {
  value = 0.0;
  const PreparedText prepared = Prepare(typed);
  if (prepared.tooLong) return 1;
  if (prepared.length == 0) return 0;
  if (!RealTextAcceptable(prepared.text, prepared.length)) return 1;
  const double read = CStrtod(prepared.text, nullptr);
  // A text with a digit other than zero is no zero, even when its value is
  // too small for a double to hold.
  if (read == 0.0 && HasNonZeroDigit(prepared.text)) return 1;
  if (!std::isfinite(read)) return 1;
  value = read;
  return 0;
}

int ParseReal(std::string_view typed, float& value) {
  value = 0.0f;
  double read = 0.0;
  if (ParseRealText(typed, read) != 0) return 1;
  // "1E38" and thirty-nine digits are the same number: the rule is asked of
  // the value read, never of how it was written.
  if (!StoredValueAcceptable(read)) return 1;
  value = static_cast<float>(read);
  return 0;
}

int ParseFieldReal(float& value) {
  const int result = ParseReal(g_EditFieldText, value);
  // A dialog field left as shown gives the value behind its text (ShownNumbers.h).
  float kept = 0.0f;
  if (TakeShownNumber(kShownPlainNumber, g_EditFieldText, kept) && result == 0) value = kept;
  return result;
}

bool StoredValueAcceptable(double value) {
  if (value == 0.0) return true;
  const double magnitude = std::fabs(value);
  // Beyond every float (and not finite) before any narrowing.
  if (!(magnitude < static_cast<double>(FLT_MAX))) return false;
  const auto stored = static_cast<float>(magnitude);
  return stored >= kLeastStoredMagnitude && stored < kStoredMagnitudeLimit;
}

bool StoredValueKeepsTyped(double typed, double stored) {
  return StoredValueAcceptable(stored) && (typed == 0.0) == (stored == 0.0);
}

bool NumberBelowLimit(double value) { return std::fabs(value) < 1.0e38; }

bool IsNotNumberChar(char c) {
  return !(IsDigit(c) || c == '+' || c == '-' || c == '.' || c == 'E' || c == 'e');
}

bool IsNotLengthChar(char c) { return IsNotNumberChar(c) && c != '\'' && c != '"' && c != '/'; }

bool IsNameText(std::string_view text) {
  for (char c : text) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!letter && !IsDigit(c) && c != '-' && c != '/') return false;
  }
  return true;
}

int ParseYesNo(std::string_view typed, bool& flag) {
  flag = false;
  const PreparedText prepared = Prepare(typed);
  if (prepared.length == 0 || prepared.text[0] == 'N') return 0;
  if (prepared.text[0] == 'Y') {
    flag = true;
    return 0;
  }
  return 1;
}

int ParseFieldYesNo(bool& flag) { return ParseYesNo(g_EditFieldText, flag); }

// The fixed form when it fits the width ("-0" shows as "0"), else the
// exponent form with the decimals, one fewer, then two, else "*****".
std::size_t FixedWidthText(char* out, double value, int width, int decimals) {
  if (!std::isfinite(value)) return CopyText(out, kNotFiniteText);
  std::size_t length = PrintFixed(out, value, decimals);
  if (static_cast<int>(length) <= width) {
    if (length == 2 && out[0] == '-' && out[1] == '0') return CopyText(out, "0");
    return length;
  }
  const int d = decimals > 2 ? decimals : 2;
  for (int tried : {d, d - 1, 2}) {
    length = PrintExponent(out, value, tried);
    if (static_cast<int>(length) <= width) return length;
  }
  return CopyText(out, "*****");
}

const char* FormatFixedWidth(double value, int width, int decimals) {
  const ShownNumberNote note(kShownPlainNumber, value);
  char text[kPrintedNumberSize];
  return SetNumberText(text, FixedWidthText(text, value, width, decimals));
}

const char* FormatFixedWidthE(double value, int width, int decimals) {
  const ShownNumberNote note(kShownPlainNumber, value);
  if (!std::isfinite(value)) return SetNumberText(kNotFiniteText);
  for (int tried : {decimals, decimals - 1, 2}) {
    char text[kPrintedNumberSize];
    const std::size_t length = PrintExponent(text, value, tried < 0 ? 0 : tried);
    if (static_cast<int>(length) <= width) {
      SetNumberText(text, length);
      return ShortenExponent();
    }
  }
  return SetNumberText("*****");
}

const char* FormatFixedWidthTrim(double value, int width, int decimals) {
  const ShownNumberNote note(kShownPlainNumber, value);
  if (!std::isfinite(value)) return SetNumberText(kNotFiniteText);
  FormatFixedWidth(value, width, decimals);
  const std::size_t length = std::strlen(t_numberText);
  if (length >= 3 && std::strcmp(t_numberText + length - 3, ".00") == 0) t_numberText[length - 3] = '\0';
  return t_numberText;
}

const char* ShortenExponent() {
  if (char* at = std::strstr(t_numberText, "E+000")) {
    *at = '\0';
  } else if (char* at2 = std::strstr(t_numberText, "E+00")) {
    EraseInBuffer(at2 + 2, 2);
  } else if (char* at3 = std::strstr(t_numberText, "E+0")) {
    EraseInBuffer(at3 + 2, 1);
  } else if (char* at4 = std::strstr(t_numberText, "E-00")) {
    EraseInBuffer(at4 + 2, 2);
  } else if (char* at5 = std::strstr(t_numberText, "E-0")) {
    EraseInBuffer(at5 + 2, 1);
  }
  return t_numberText;
}

const char* FormatG3(double value) {
  const ShownNumberNote note(kShownPlainNumber, value);
  if (!std::isfinite(value)) return SetNumberText(kNotFiniteText);
  if (std::fabs(value) < kZeroThreshold) return SetNumberText("0");
  return SetNumberText(CFormat("%.3G", value));
}

const char* FormatG4(double value) {
  const ShownNumberNote note(kShownPlainNumber, value);
  if (!std::isfinite(value)) return SetNumberText(kNotFiniteText);
  if (std::fabs(value) < kZeroThreshold) return SetNumberText("0");
  return SetNumberText(CFormat("%.4G", value));
}

// Drops the zeros of the first of `patterns` (each ending in "E") found.
static void DropZerosBeforeExponent(std::initializer_list<const char*> patterns) {
  for (const char* pattern : patterns) {
    if (char* at = std::strstr(t_numberText, pattern)) {
      EraseInBuffer(at, std::strlen(pattern) - 1);
      return;
    }
  }
}

const char* FormatE3(double value) {
  const ShownNumberNote note(kShownPlainNumber, value);
  if (!std::isfinite(value)) return SetNumberText(kNotFiniteText);
  SetNumberText(CFormat("%.3E", value));
  DropZerosBeforeExponent({"00E", "0E"});
  return ShortenExponent();
}

const char* FormatPrecise(double value) {
  const ShownNumberNote note(kShownPlainNumber, value);
  if (!std::isfinite(value)) return SetNumberText(kNotFiniteText);
  const bool moreDigits =
      g_NumberTextSwitches.increaseDigits && !g_ReportFileOpen && !g_ReportToFile;
  SetNumberText(CFormat(moreDigits ? "%.7E" : "%.4E", value));
  DropZerosBeforeExponent({"000E", "00E", "0E"});
  return ShortenExponent();
}

const char* FormatG5(double value) {
  const ShownNumberNote note(kShownPlainNumber, value);
  if (!std::isfinite(value)) return SetNumberText(kNotFiniteText);
  if (std::fabs(value) < kZeroThreshold) return SetNumberText("0");
  SetNumberText(CFormat("%.5G", value));
  if (std::strchr(t_numberText, 'E') != nullptr) return FormatE3(value);
  return t_numberText;
}

const char* FormatG6(double value) {
  const ShownNumberNote note(kShownPlainNumber, value);
  if (!std::isfinite(value)) return SetNumberText(kNotFiniteText);
  if (std::fabs(value) < kZeroThreshold) return SetNumberText("0");
  SetNumberText(CFormat("%.6G", value));
  if (std::strchr(t_numberText, 'E') != nullptr) return FormatPrecise(value);
  return t_numberText;
}

const char* FormatSignificant(double value, int digits) {
  const ShownNumberNote note(kShownPlainNumber, value);
  if (digits <= 6) return FormatG6(value);
  if (!std::isfinite(value)) return SetNumberText(kNotFiniteText);
  if (std::fabs(value) < kZeroThreshold) return SetNumberText("0");
  SetNumberText(CFormat("%.*G", digits, value));
  if (std::strchr(t_numberText, 'E') == nullptr) return t_numberText;
  SetNumberText(CFormat("%.*E", digits - 1, value));
  return ShortenExponent();
}

const char* FormatThreeDecimals(double value) {
  const ShownNumberNote note(kShownPlainNumber, value);
  if (!std::isfinite(value)) return SetNumberText(kNotFiniteText);
  SetNumberText(CFormat("%.3f", value));
  for (int dropped = 0; dropped < 2; ++dropped) {
    const std::size_t length = std::strlen(t_numberText);
    if (length > 0 && t_numberText[length - 1] == '0') t_numberText[length - 1] = '\0';
  }
  return t_numberText;
}

const char* FormatRatio(double value) {
  const ShownNumberNote note(kShownPlainNumber, value);
  if (!std::isfinite(value)) return SetNumberText(kNotFiniteText);
  if (value >= 100.0) return SetNumberText("****");
  return FormatFixedWidth(value, 6, 2);
}

const char* FormatSif(double value) {
  const ShownNumberNote note(kShownPlainNumber, value);
  if (!std::isfinite(value)) return SetNumberText(kNotFiniteText);
  if (value > 99.0) return FormatFixedWidth(value, 7, 1);
  if (value > 1.0) return FormatFixedWidth(value, 7, 2);
  return SetNumberText("");
}

// --- Feet and inches ---------------------------------------------------------

namespace {

const char* SetFeetInchesText(const std::string& text) {
  std::size_t n = text.size() < kNumberTextBufferSize - 1 ? text.size() : kNumberTextBufferSize - 1;
  std::memcpy(t_feetInchesText, text.data(), n);
  t_feetInchesText[n] = '\0';
  return t_feetInchesText;
}

// "-k/n" for the first denominator n (2 .. 64) that makes the fraction a
// whole number of n-ths; empty when none does.
std::string InchFraction(double fraction) {
  for (int n = 2; n <= 64; n *= 2) {
    const double scaled = n * fraction + 1.0e-10;
    const double whole = std::floor(scaled);
    if (scaled - whole < 0.0001) return CFormat("-%d/%d", static_cast<int>(whole), n);
  }
  return {};
}

}  // namespace

const char* FormatFeetInches(double inches) {
  if (!std::isfinite(inches)) return SetFeetInchesText(kNotFiniteText);
  const double magnitude = std::fabs(inches);
  if (magnitude < 1.0 / 64.0) return SetFeetInchesText(CFormat("%.4G", inches / 12.0));
  double a = magnitude + 1.0e-6;
  // Lengths are held in single precision: a coordinate summed or turned
  // through a bend can sit a few units of its last place off the
  // sixty-fourth it stands for, more than the millionth above covers once
  // it passes a few feet. Within four such units it is that sixty-fourth.
  const double sixtyFourths = std::round(magnitude * 64.0);
  if (std::fabs(magnitude - sixtyFourths / 64.0) <= std::ldexp(magnitude, -21)) a = sixtyFourths / 64.0 + 1.0e-6;
  const double feet = std::floor(a / 12.0);
  a -= 12.0 * feet;
  const double wholeInches = std::floor(a);
  const double fraction = a - wholeInches;
  std::string text = CFormat("%s%.0f'%.0f", inches < 0 ? "-" : "", feet, wholeInches);
  bool fits = true;
  if (fraction > 0.0156) {
    const std::string part = InchFraction(fraction);
    fits = !part.empty();
    text += part;
  }
  // The fallback is a number of feet: an inch mark after it would make the
  // text read back as inches, twelve times too small.
  if (!fits || text.size() > 10) return SetFeetInchesText(FormatFixedWidth(inches / 12.0, 10, 4));
  if (text.size() < 10) text += '"';
  return SetFeetInchesText(text);
}

const char* FormatFeetInchesNearest(double inches) {
  // Past 2^53 sixty-fourths a double holds no fraction to round.
  if (!std::isfinite(inches) || std::fabs(inches) * 64.0 > 9.0e15) return FormatFeetInches(inches);
  const double sixtyFourths = std::round(std::fabs(inches) * 64.0);
  if (sixtyFourths == 0.0) return SetFeetInchesText("0");
  const double feet = std::floor(sixtyFourths / (12.0 * 64.0));
  const double rest = sixtyFourths - feet * 12.0 * 64.0;
  const double wholeInches = std::floor(rest / 64.0);
  std::string text = CFormat("%s%.0f'%.0f", inches < 0 ? "-" : "", feet, wholeInches);
  const double fraction = (rest - wholeInches * 64.0) / 64.0;
  if (fraction > 0.0) text += InchFraction(fraction);
  return SetFeetInchesText(text + '"');
}

namespace {

// The inches part of a feet-and-inches text: whole inches, then "-" and a
// fraction, or a fraction alone.
bool ParseInchesPart(const std::string& part, double& inches) {
  if (!part.empty() && part[0] == '-') return false;
  std::string whole = part;
  std::string fraction = "0/1";
  if (const std::size_t dash = part.find('-'); dash != std::string::npos) {
    whole = part.substr(0, dash);
    fraction = part.substr(dash + 1);
  } else if (part.find('/') != std::string::npos) {
    whole = "0";
    fraction = part;
  }
  std::string numeratorText = fraction;
  std::string denominatorText = "1";
  if (const std::size_t slash = fraction.find('/'); slash != std::string::npos) {
    numeratorText = fraction.substr(0, slash);
    denominatorText = fraction.substr(slash + 1);
  }
  std::int32_t numerator = 0;
  std::int32_t denominator = 0;
  float wholeInches = 0.0f;
  if (ParseInteger(numeratorText, numerator) != 0 || ParseInteger(denominatorText, denominator) != 0 ||
      ParseReal(whole, wholeInches) != 0)
    return false;
  if (wholeInches < 0.0f || numerator < 0 || denominator < 0 || numerator >= denominator) return false;
  inches = static_cast<double>(numerator) / denominator + wholeInches;
  return true;
}

}  // namespace

int ParseFeetInches(std::string_view typed, float& value) {
  value = 0.0f;
  const PreparedText prepared = Prepare(typed);
  if (prepared.tooLong) return 1;
  std::string text(prepared.text, prepared.length);
  const bool inchMark = !text.empty() && text.back() == '"';
  if (inchMark) text.pop_back();
  std::string feetText;
  std::string inchesText;
  if (const std::size_t apostrophe = text.find('\''); apostrophe != std::string::npos) {
    feetText = text.substr(0, apostrophe);
    inchesText = text.substr(apostrophe + 1);
  } else if (!inchMark) {
    // The rule is the stored value's: 1E37 feet are 1.2E38 inches.
    double typed = 0.0;
    if (ParseRealText(text, typed) != 0 || !(std::fabs(typed) < static_cast<double>(FLT_MAX))) return 1;
    const double inches = static_cast<double>(static_cast<float>(typed)) * 12.0;
    if (!StoredValueKeepsTyped(typed, inches)) return 1;
    value = static_cast<float>(inches);
    return 0;
  } else {
    const bool negative = !text.empty() && text[0] == '-';
    feetText = negative ? "-0" : "0";
    inchesText = negative ? text.substr(1) : text;
  }
  std::int32_t feet = 0;
  double inches = 0.0;
  if (ParseInteger(feetText, feet) != 0 || !ParseInchesPart(inchesText, inches)) return 1;
  double total = std::fabs(static_cast<double>(feet)) * 12.0 + inches;
  if (!feetText.empty() && feetText[0] == '-') total = -total;
  if (!StoredValueAcceptable(total)) return 1;
  value = static_cast<float>(total);
  return 0;
}
