// Text files in UTF-8, program text in Windows-1252; see the header.
#include "services/TextFileEncoding.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "platform/Windows1252.h"

namespace {

// The code points of `line` when it is well-formed UTF-8 (no overlong
// forms, surrogates or values past U+10FFFF); nothing otherwise.
std::optional<std::vector<unsigned>> Utf8CodePoints(std::string_view line) {
  std::vector<unsigned> points;
  points.reserve(line.size());
  for (std::size_t at = 0; at < line.size();) {
    const auto lead = static_cast<unsigned char>(line[at]);
    int more = 0;
    unsigned point = 0;
    unsigned least = 0;
    if (lead < 0x80) {
      point = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      more = 1, point = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      more = 2, point = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      more = 3, point = lead & 0x07, least = 0x10000;
    } else {
      return std::nullopt;
    }
    if (at + static_cast<std::size_t>(more) >= line.size() && more > 0) return std::nullopt;
    for (int i = 1; i <= more; ++i) {
      const auto next = static_cast<unsigned char>(line[at + static_cast<std::size_t>(i)]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      point = (point << 6) | (next & 0x3F);
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return std::nullopt;
    points.push_back(point);
    at += static_cast<std::size_t>(more) + 1;
  }
  return points;
}

}  // namespace

std::string TextFileFromProgramText(std::string_view text) { return platform::Utf8From1252(std::string(text)); }

std::string ProgramTextFromTextFile(std::string_view line, std::size_t* lacking) {
  if (lacking != nullptr) *lacking = 0;
  const std::optional<std::vector<unsigned>> points = Utf8CodePoints(line);
  if (!points) return std::string(line);
  std::string text;
  text.reserve(points->size());
  for (const unsigned point : *points) {
    const BYTE byte = platform::ByteOf1252(point);
    if (byte == 0 && point != 0) {
      text += '?';
      if (lacking != nullptr) ++*lacking;
    } else {
      text += static_cast<char>(byte);
    }
  }
  return text;
}

std::string FirstLackingCharacter(std::string_view line) {
  const std::optional<std::vector<unsigned>> points = Utf8CodePoints(line);
  if (!points) return {};
  for (const unsigned point : *points)
    if (point != 0 && platform::ByteOf1252(point) == 0) {
      char name[16];
      std::snprintf(name, sizeof name, "U+%04X", point);
      return name;
    }
  return {};
}

bool HasUtf8ByteOrderMark(std::string_view text) { return text.substr(0, 3) == "\xEF\xBB\xBF"; }

std::string LackingCharactersText(std::size_t lacking) {
  return std::to_string(lacking) + (lacking == 1 ? " character" : " characters") + " that Windows-1252 lacks read as ?";
}
