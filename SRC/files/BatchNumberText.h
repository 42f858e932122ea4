// The texts the batch file writer gives its values (see BatchExport.h): each
// value in the unit now chosen for its kind, with the digits it needs for
// the batch reader to take it back as the same single-precision number.
//
// The units module's own text comes first and is kept when it reads back
// exactly (so the usual values keep their usual texts: "8.625", "Rigid",
// "29.5E+6"); otherwise more significant digits are tried, then the
// neighbouring single-precision numbers of the value in its unit, each
// through the parser the reader uses. A value that no text of its unit
// reads back as (the unit's division rounds past it) is written as the text
// of the nearest value that one does, and that value writes the same text
// again, so a file written, read and written again is the same. The plain
// numbers of fixed decimals (a direction, a factor) are kept the same way:
// their usual text where it reads back, more digits where it does not.
#pragma once

#include <optional>
#include <string>

using BatchFormatter = const char* (*)(float value);

// The text of `value` (internal units) through `format`, one of the units
// module's formatters; a formatter this module does not know is used as
// it is.
std::string BatchValueText(float value, BatchFormatter format);

// A plain number written with `decimals` decimals in at most `width`
// characters (FormatFixedWidth), or with the digits it needs to read back.
std::string BatchPlainText(float value, int width, int decimals);

// An angle held in degrees (a beam's beta, a cone, a phase, a specified
// rotation), written in the Angle unit and read back as the readers do:
// through the Angle unit to radians, then to degrees.
std::string BatchDegreesText(float degrees);

// The text the writer gives `value` (internal units) of unit kind `kind`,
// and the value the reader takes that text back as; nothing for a kind the
// writer gives no text.
struct BatchTextAsRead {
  std::string text;
  float read = 0.0f;
};
std::optional<BatchTextAsRead> BatchKindTextAsRead(float value, int kind);
// The same for an angle held in degrees.
std::optional<BatchTextAsRead> BatchDegreesTextAsRead(float degrees);
