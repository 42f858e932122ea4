// Reading the loads' text imports (spectra, force spectra, time functions)
// line by line: a line is read whole, however long, and ends at a line
// feed, a carriage return and line feed, or a carriage return alone, so that
// a file of old line ends, or a stray carriage return, hides no line of it;
// numbers are read with from_chars, so a file
// means the same under every locale, and only finite numbers a 32-bit
// float holds count as numbers.
#pragma once

#include <istream>
#include <map>
#include <string>

// The next line, as program text (a UTF-8 line converted); false at the end
// of the file. A UTF-8 byte-order mark at the start of the file is passed
// over (it is no part of a name). A character the model cannot hold
// (Windows-1252 lacks it) is refused, named by its code point, with the
// line's `number` when it is given.
bool ReadTextLine(std::istream& in, std::string& line, int number = 0);
// Whether the line holds nothing but blanks and tabs.
bool IsBlankTextLine(const std::string& line);
// The next number of `text` from `at`: blanks and tabs skipped, the
// characters up to the next blank or tab read by the one rule of number
// text (ParseRealText, NumberText.h), so a file spells a number as a cell
// does; false when there is none. How large the value may be is asked of
// the value stored (StoredPointValueFault).
bool NextTextNumber(const std::string& text, std::size_t& at, double& value);
bool NextTextInteger(const std::string& text, std::size_t& at, int& value);
// Whether `text` holds nothing but blanks and tabs from `at` on: a line of
// numbers ends with its last number, so "1 0,2" (a decimal comma, read as 1
// and 0) and "1 0.2xyz" are refused, not kept as a value the line does not
// say.
bool TextLineEndsAt(const std::string& text, std::size_t at);
// The float a number read is kept as: one that is 0 as a float (typed 0, or
// too small for a float) is the explicit zero, so a typed point is never
// taken for a missing one.
float StoredTextValue(double value);
// Why `stored` (a value of the line in internal units, before the typed
// zero is kept as 1.0e-36) may not be stored, naming the `field`: the rule
// a cell holds its stored value to (StoredValueAcceptable); empty when it
// may.
std::string StoredPointValueFault(double stored, const char* field);
// "Line %d: %s\n%s": a fault of a line of a text file. A control character
// of the line shows as "<NN>" (its code in hexadecimal): a zero byte would
// end the message where it stands, and the reason with it.
std::string TextLineFault(int number, const std::string& line, const std::string& reason);

// The abscissas of one table's lines as they are read: a point whose
// abscissa lies within 1e-8 of an earlier one would be dropped when the
// points are sorted, so the readers refuse it by its line.
class AbscissaSeen {
 public:
  // 0, or the line of the earlier abscissa `x` repeats.
  int Add(float x, int line);

 private:
  std::map<float, int> lines_;
};
