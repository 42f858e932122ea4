// Paths fitted to their room (see ShortenedPaths.h).
#include "platform/ShortenedPaths.h"

#include "platform/Windows1252.h"

namespace {

constexpr char kCut[] = "...";
// The end of an over-wide file name that is always kept: room for its
// extension and the last characters before it.
constexpr std::size_t kNameEndKept = 12;

int Width(HDC dc, const std::string& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return static_cast<int>(size.cx);
}

// A character of a name the program's text cannot hold is held as several
// bytes (Windows1252.h): a cut falls before it, never inside.
std::size_t CutBefore(const std::string& text, std::size_t at) {
  return platform::OutsideEscapedCharacter(text, at, false);
}

// The longest `keep` bytes of `head` (0..head.size()) for which
// head[0, keep) + kCut + tail fits; 0 when none does.
std::size_t LongestHead(HDC dc, const std::string& head, const std::string& tail, int room) {
  std::size_t low = 0, high = head.size();
  while (low < high) {
    const std::size_t middle = (low + high + 1) / 2;
    if (Width(dc, head.substr(0, CutBefore(head, middle)) + kCut + tail) <= room) low = middle;
    else high = middle - 1;
  }
  return CutBefore(head, low);
}

}  // namespace

std::string FitPathToWidth(HDC dc, const std::string& text, int room) {
  if (Width(dc, text) <= room) return text;
  const std::size_t separator = text.find_last_of("/\\");
  if (separator == std::string::npos) return text.substr(0, LongestHead(dc, text, "", room)) + kCut;
  // The folders give way first, the name keeping its separator.
  const std::string head = text.substr(0, separator), name = text.substr(separator);
  if (Width(dc, kCut + name) <= room) return head.substr(0, LongestHead(dc, head, name, room)) + kCut + name;
  // The name alone is too wide: its middle goes, its end stays.
  const std::size_t endAt = CutBefore(name, name.size() > kNameEndKept ? name.size() - kNameEndKept : 0);
  const std::string start = name.substr(0, endAt), end = name.substr(endAt);
  return kCut + start.substr(0, LongestHead(dc, start, end, room - Width(dc, kCut))) + kCut + end;
}
