// Line and number reading of the loads' text imports; see TextLines.h.
#include "loads/TextLines.h"

#include <charconv>
#include <iterator>
#include <cmath>
#include <limits>

#include "records/PointTables.h"
#include "services/Interpolation.h"
#include "services/NumberText.h"
#include "services/TextFileEncoding.h"

namespace {

void SkipBlanks(const std::string& text, std::size_t& at) {
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
}

// The bytes up to the next line end: a line feed, a carriage return and
// line feed, or a carriage return alone (a file of old line ends, or one
// in the middle of a line, which would otherwise hide the rest of it).
bool ReadLineBytes(std::istream& in, std::string& line) {
  line.clear();
  std::istream::int_type c = in.get();
  if (c == std::istream::traits_type::eof()) return false;
  for (; c != std::istream::traits_type::eof() && c != '\n'; c = in.get()) {
    if (c == '\r') {
      if (in.peek() == '\n') in.get();
      break;
    }
    line.push_back(static_cast<char>(c));
  }
  return true;
}

}  // namespace

bool ReadTextLine(std::istream& in, std::string& line, int number) {
  const bool atStart = in.tellg() == std::streampos(0);
  if (!ReadLineBytes(in, line)) return false;
  if (atStart && HasUtf8ByteOrderMark(line)) line.erase(0, 3);
  if (const std::string lacking = FirstLackingCharacter(line); !lacking.empty()) {
    const std::string reason = "The character " + lacking + " cannot be kept in the model (Windows-1252 lacks it)";
    const std::string shown = ProgramTextFromTextFile(line);
    throw number > 0 ? TextLineFault(number, shown, reason) : shown + "\n" + reason;
  }
  line = ProgramTextFromTextFile(line);
  return true;
}

bool IsBlankTextLine(const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; }

bool NextTextNumber(const std::string& text, std::size_t& at, double& value) {
  std::size_t from = at;
  SkipBlanks(text, from);
  std::size_t end = from;
  while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
  if (end == from) return false;
  const std::string_view token = std::string_view(text).substr(from, end - from);
  // Only what a number is spelled with (a zero byte would end the text the
  // number rule reads, and the rest of the token with it). A cell takes a
  // sign and a point alone as 0 ("-.", ".E5"); a line of a file spells its
  // numbers with a digit before any exponent.
  if (token.find_first_not_of("0123456789+-.Ee") != std::string_view::npos) return false;
  const std::string_view mantissa = token.substr(0, token.find_first_of("Ee"));
  if (mantissa.find_first_of("0123456789") == std::string_view::npos) return false;
  double read = 0.0;
  if (ParseRealText(token, read) != 0) return false;
  value = read;
  at = end;
  return true;
}

bool NextTextInteger(const std::string& text, std::size_t& at, int& value) {
  std::size_t from = at;
  SkipBlanks(text, from);
  if (from < text.size() && text[from] == '+') ++from;
  const char* first = text.data() + from;
  const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
  if (error != std::errc() || end == first) return false;
  at = static_cast<std::size_t>(end - text.data());
  return true;
}

bool TextLineEndsAt(const std::string& text, std::size_t at) {
  return at >= text.size() || text.find_first_not_of(" \t", at) == std::string::npos;
}

float StoredTextValue(double value) {
  const auto stored = static_cast<float>(value);
  return stored == 0.0f ? kExplicitZero : stored;
}

std::string StoredPointValueFault(double stored, const char* field) {
  if (StoredValueAcceptable(stored)) return {};
  return std::string(field) + " is out of range (" + kStoredValueRange + ")";
}

std::string TextLineFault(int number, const std::string& line, const std::string& reason) {
  return "Line " + std::to_string(number) + ": " + VisibleText(line, true) + "\n" + reason;
}

int AbscissaSeen::Add(float x, int line) {
  const auto near = [x](float other) { return FloatNearlyEqual(other, x); };
  const auto above = lines_.lower_bound(x);
  if (above != lines_.end() && near(above->first)) return above->second;
  if (above != lines_.begin() && near(std::prev(above)->first)) return std::prev(above)->second;
  lines_.emplace(x, line);
  return 0;
}
