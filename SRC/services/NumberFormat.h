// The program's one printf: every number the user reads is formatted here.
//
// CFormat and its relatives accept the printf conversions and always work
// under the "C" locale, whatever locale the process runs in, so the decimal
// mark is a point. Exponents of %e, %E, %g and %G are printed with at least
// three digits ("1.000E+005"), the form every number text of the program is
// built on; field widths count the final text. CStrtod reads numbers under
// the "C" locale the same way.
//
// PrintFixed and PrintExponent give the bytes of CFormat's "%.*f" and
// "%.*E" for one double without walking a format or switching locales: the
// writers of many numbers (the tables, the exports) spend most of their
// time there.
//
// Nothing here keeps state between calls; the functions are safe on any
// thread. %n is not supported (it writes nothing).
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

// Formats into `buffer` (at most size - 1 characters and a terminating zero,
// like snprintf); returns the length of the whole text.
int CSnprintf(char* buffer /* output of size size */, std::size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
int CVsnprintf(char* buffer /* output of size size */, std::size_t size, const char* format,
               va_list arguments) __attribute__((format(printf, 3, 0)));

std::string CFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string CVFormat(const char* format, va_list arguments) __attribute__((format(printf, 1, 0)));

// CFormat("%.*f", decimals, value) and CFormat("%.*E", decimals, value),
// written into `out` without a terminating zero; return the length. `out`
// holds kPrintedNumberSize characters, which is room for every double with
// up to kPrintedDecimalsMax decimals; more decimals are a programming error.
constexpr int kPrintedDecimalsMax = 17;
constexpr std::size_t kPrintedNumberSize = 352;
std::size_t PrintFixed(char* out /* kPrintedNumberSize */, double value, int decimals);
std::size_t PrintExponent(char* out /* kPrintedNumberSize */, double value, int decimals);

// strtod under the "C" locale.
double CStrtod(const char* text, char** end);
