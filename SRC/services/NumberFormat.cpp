// printf under the "C" locale with three-digit exponents (see NumberFormat.h).
//
// The format is walked conversion by conversion. Each conversion is printed
// by the C library under a "C" locale installed for the calling thread only
// (uselocale), so the process locale never shows. Floating conversions in
// exponent form are printed without their field width, their exponent is
// widened to three digits, and the width is applied afterwards, so that
// "%10.3E" still gives ten characters.
//
// PrintFixed and PrintExponent stand on std::to_chars, which prints what
// printf prints in the "C" locale (round half to even on the exact binary
// value) whatever the locale. A fixed text of at most nine decimals whose
// scaled value stays below 2^52 is rounded here as an integer, several times
// faster than to_chars with a precision: x·10^d is rounded once in the
// multiplication, which can move it onto a half-way point but never across
// one, so only a product that lands exactly on one needs its rounding error
// (the fused multiply-add gives it exactly) to decide the side.
#include "services/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>

#include "services/Assert.h"

// The conversions are printed one at a time from directives built here.
#pragma GCC diagnostic ignored "-Wformat-nonliteral"

namespace {

locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

// Installs the "C" locale for this thread for the lifetime of the object.
class CLocaleScope {
 public:
  CLocaleScope() : previous_(uselocale(CLocale())) {}
  ~CLocaleScope() { uselocale(previous_); }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t previous_;
};

struct Conversion {
  std::string flags;
  int width = -1;       // -1: none
  int precision = -1;   // -1: none
  std::string length;   // hh, h, l, ll, L, z, j, t
  char kind = 0;
};

void AppendPrinted(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void AppendPrinted(std::string& out, const char* format, ...) {
  char small[128];
  va_list arguments;
  va_start(arguments, format);
  va_list copy;
  va_copy(copy, arguments);
  const int length = std::vsnprintf(small, sizeof small, format, arguments);
  va_end(arguments);
  if (length < 0) {
    va_end(copy);
    return;
  }
  if (static_cast<std::size_t>(length) < sizeof small) {
    out.append(small, static_cast<std::size_t>(length));
  } else {
    std::string large(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(large.data(), large.size(), format, copy);
    out.append(large.data(), static_cast<std::size_t>(length));
  }
  va_end(copy);
}

// Reads one conversion directive after its '%'; returns the position
// after it, or nullptr when the directive is incomplete.
const char* ParseConversion(const char* p, Conversion& conversion, va_list& arguments) {
  while (*p != '\0' && std::strchr("-+ #0'", *p) != nullptr) conversion.flags += *p++;
  if (*p == '*') {
    conversion.width = va_arg(arguments, int);
    if (conversion.width < 0) {
      conversion.flags += '-';
      conversion.width = -conversion.width;
    }
    ++p;
  } else if (*p >= '0' && *p <= '9') {
    conversion.width = static_cast<int>(std::strtol(p, const_cast<char**>(&p), 10));
  }
  if (*p == '.') {
    ++p;
    if (*p == '*') {
      conversion.precision = va_arg(arguments, int);
      ++p;
    } else {
      conversion.precision = static_cast<int>(std::strtol(p, const_cast<char**>(&p), 10));
    }
  }
  while (*p != '\0' && std::strchr("hlLzjtq", *p) != nullptr) conversion.length += *p++;
  if (*p == '\0') return nullptr;
  conversion.kind = *p;
  return p + 1;
}

// The directive again, without the width when `withWidth` is false.
std::string Directive(const Conversion& conversion, bool withWidth) {
  std::string directive = "%" + conversion.flags;
  if (withWidth && conversion.width >= 0) directive += std::to_string(conversion.width);
  if (conversion.precision >= 0) directive += "." + std::to_string(conversion.precision);
  return directive + conversion.length + conversion.kind;
}

// Widens a two-digit exponent ("E+05") to three digits ("E+005").
void WidenExponent(std::string& text) {
  const std::size_t mark = text.find_first_of("eE");
  if (mark == std::string::npos || mark + 1 >= text.size()) return;
  if (text[mark + 1] != '+' && text[mark + 1] != '-') return;
  const std::size_t digits = text.size() - (mark + 2);
  if (digits < 3) text.insert(mark + 2, 3 - digits, '0');
}

void ApplyWidth(std::string& text, const Conversion& conversion) {
  if (conversion.width < 0 || text.size() >= static_cast<std::size_t>(conversion.width)) return;
  const std::size_t pad = static_cast<std::size_t>(conversion.width) - text.size();
  const bool left = conversion.flags.find('-') != std::string::npos;
  const bool zeros = conversion.flags.find('0') != std::string::npos;
  const bool finite = text.find_first_of("0123456789") != std::string::npos &&
                      text.find_first_of("nN") == std::string::npos;
  if (left) {
    text.append(pad, ' ');
  } else if (zeros && finite) {
    const std::size_t sign = (text[0] == '-' || text[0] == '+' || text[0] == ' ') ? 1 : 0;
    text.insert(sign, pad, '0');
  } else {
    text.insert(0, pad, ' ');
  }
}

void AppendFloating(std::string& out, const Conversion& conversion, va_list& arguments) {
  const bool exponentForm = std::strchr("eEgG", conversion.kind) != nullptr;
  const std::string directive = Directive(conversion, !exponentForm);
  std::string text;
  if (conversion.length == "L") {
    const long double value = va_arg(arguments, long double);
    AppendPrinted(text, directive.c_str(), value);
  } else {
    const double value = va_arg(arguments, double);
    AppendPrinted(text, directive.c_str(), value);
  }
  if (exponentForm) {
    WidenExponent(text);
    ApplyWidth(text, conversion);
  }
  out += text;
}

void AppendInteger(std::string& out, const Conversion& conversion, va_list& arguments) {
  const bool isSigned = conversion.kind == 'd' || conversion.kind == 'i';
  const std::string& length = conversion.length;
  if (length == "l" || length == "ll" || length == "q" || length == "z" || length == "j" ||
      length == "t") {
    // All of these are 64 bits wide on the platforms the program runs on.
    Conversion wide = conversion;
    wide.length = "ll";
    const std::string directive = Directive(wide, true);
    if (isSigned)
      AppendPrinted(out, directive.c_str(), static_cast<long long>(va_arg(arguments, std::int64_t)));
    else
      AppendPrinted(out, directive.c_str(),
                    static_cast<unsigned long long>(va_arg(arguments, std::uint64_t)));
    return;
  }
  const std::string directive = Directive(conversion, true);
  if (isSigned)
    AppendPrinted(out, directive.c_str(), va_arg(arguments, int));
  else
    AppendPrinted(out, directive.c_str(), va_arg(arguments, unsigned int));
}

void AppendConversion(std::string& out, const Conversion& conversion, va_list& arguments) {
  switch (conversion.kind) {
    case '%':
      out += '%';
      break;
    case 'e': case 'E': case 'f': case 'F': case 'g': case 'G': case 'a': case 'A':
      AppendFloating(out, conversion, arguments);
      break;
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
      AppendInteger(out, conversion, arguments);
      break;
    case 'c':
      AppendPrinted(out, Directive(conversion, true).c_str(), va_arg(arguments, int));
      break;
    case 's': {
      const char* text = va_arg(arguments, const char*);
      AppendPrinted(out, Directive(conversion, true).c_str(), text != nullptr ? text : "(null)");
      break;
    }
    case 'p':
      AppendPrinted(out, Directive(conversion, true).c_str(), va_arg(arguments, void*));
      break;
    case 'n':
      va_arg(arguments, void*);
      break;
    default:
      break;
  }
}

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
constexpr std::uint64_t kIntegerPowersOfTen[] = {1,      10,      100,      1000,      10000,
                                                 100000, 1000000, 10000000, 100000000, 1000000000};
constexpr int kIntegerRoundingDecimals = 9;
constexpr double kIntegerRoundingLimit = 4503599627370496.0;  // 2^52: every half-integer below is a double

// The printf text of a value the C library prints in its own words (inf,
// nan): no digits to round.
std::size_t CopyPrinted(char* out, const std::string& text) {
  const std::size_t length = text.size() < kPrintedNumberSize ? text.size() : kPrintedNumberSize;
  std::memcpy(out, text.data(), length);
  return length;
}

}  // namespace

std::size_t PrintFixed(char* out, double value, int decimals) {
  QV_ASSERT(decimals >= 0 && decimals <= kPrintedDecimalsMax);
  if (!std::isfinite(value)) return CopyPrinted(out, CFormat("%.*f", decimals, value));
  const double magnitude = std::fabs(value);
  if (decimals <= kIntegerRoundingDecimals) {
    const double scale = kPowersOfTen[decimals];
    const double scaled = magnitude * scale;
    if (scaled < kIntegerRoundingLimit) {
      double whole = std::floor(scaled);
      const double fraction = scaled - whole;  // exact below 2^52
      bool up = fraction > 0.5;
      if (fraction == 0.5) {
        const double error = std::fma(magnitude, scale, -scaled);
        up = error > 0.0 || (error == 0.0 && std::fmod(whole, 2.0) != 0.0);
      }
      if (up) whole += 1.0;
      const auto digits = static_cast<std::uint64_t>(whole);
      const std::uint64_t unit = kIntegerPowersOfTen[decimals];
      char* p = out;
      if (std::signbit(value)) *p++ = '-';
      p = std::to_chars(p, out + kPrintedNumberSize, digits / unit).ptr;
      if (decimals > 0) {
        *p++ = '.';
        std::uint64_t rest = digits % unit;
        for (int i = decimals - 1; i >= 0; --i) {
          p[i] = static_cast<char>('0' + rest % 10);
          rest /= 10;
        }
        p += decimals;
      }
      return static_cast<std::size_t>(p - out);
    }
  }
  const std::to_chars_result printed =
      std::to_chars(out, out + kPrintedNumberSize, value, std::chars_format::fixed, decimals);
  QV_ASSERT(printed.ec == std::errc());
  return static_cast<std::size_t>(printed.ptr - out);
}

std::size_t PrintExponent(char* out, double value, int decimals) {
  QV_ASSERT(decimals >= 0 && decimals <= kPrintedDecimalsMax);
  if (!std::isfinite(value)) return CopyPrinted(out, CFormat("%.*E", decimals, value));
  const std::to_chars_result printed =
      std::to_chars(out, out + kPrintedNumberSize, value, std::chars_format::scientific, decimals);
  QV_ASSERT(printed.ec == std::errc());
  // "1.5e+05": the mark upper case and the exponent in at least three digits.
  char* mark = std::find(out, printed.ptr, 'e');
  *mark = 'E';
  char* digits = mark + 2;
  const std::ptrdiff_t count = printed.ptr - digits;
  if (count >= 3) return static_cast<std::size_t>(printed.ptr - out);
  const std::ptrdiff_t pad = 3 - count;
  std::memmove(digits + pad, digits, static_cast<std::size_t>(count));
  std::memset(digits, '0', static_cast<std::size_t>(pad));
  return static_cast<std::size_t>(printed.ptr + pad - out);
}

std::string CVFormat(const char* format, va_list arguments) {
  CLocaleScope cLocale;
  va_list walk;
  va_copy(walk, arguments);
  std::string out;
  const char* p = format;
  while (*p != '\0') {
    const char* percent = std::strchr(p, '%');
    if (percent == nullptr) {
      out += p;
      break;
    }
    out.append(p, static_cast<std::size_t>(percent - p));
    Conversion conversion;
    const char* next = ParseConversion(percent + 1, conversion, walk);
    if (next == nullptr) break;
    AppendConversion(out, conversion, walk);
    p = next;
  }
  va_end(walk);
  return out;
}

std::string CFormat(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string text = CVFormat(format, arguments);
  va_end(arguments);
  return text;
}

int CVsnprintf(char* buffer, std::size_t size, const char* format, va_list arguments) {
  const std::string text = CVFormat(format, arguments);
  if (size > 0) {
    const std::size_t copied = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
  }
  return static_cast<int>(text.size());
}

int CSnprintf(char* buffer, std::size_t size, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int length = CVsnprintf(buffer, size, format, arguments);
  va_end(arguments);
  return length;
}

double CStrtod(const char* text, char** end) { return strtod_l(text, end, CLocale()); }
