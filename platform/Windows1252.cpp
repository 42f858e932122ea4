// Windows-1252 is ISO 8859-1 except for 0x80..0x9F, where it places the
// euro sign, typographic quotes and dashes and a few letters; the table below
// gives their code points.
#include "platform/Windows1252.h"

namespace platform {

namespace {

// Windows-1252 bytes 0x80..0x9F and their Unicode code points (0 = unused).
constexpr unsigned short windows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& result, unsigned code) {
  if (code < 0x80) {
    result += static_cast<char>(code);
  } else if (code < 0x800) {
    result += static_cast<char>(0xC0 | (code >> 6));
    result += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    result += static_cast<char>(0xE0 | (code >> 12));
    result += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    result += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Calls `shown` with each byte of the text, a file name's escaped byte
// taken as the one stand-in '?'.
template <typename Shown>
void ForEachShownByte(const std::string& text, Shown shown) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (EscapedNameByteAt(text, at) >= 0) {
      shown('?');
      at += 2;
    } else {
      shown(static_cast<unsigned char>(text[at]));
    }
  }
}

}  // namespace

unsigned CodePointOf1252(BYTE byte) {
  return byte >= 0x80 && byte < 0xA0 ? windows1252High[byte - 0x80] : byte;
}

BYTE ByteOf1252(unsigned codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<BYTE>(codePoint);
  for (int i = 0; i < 32; ++i)
    if (windows1252High[i] == codePoint) return static_cast<BYTE>(0x80 + i);
  return 0;
}

int EscapedNameByteAt(std::string_view text, std::size_t at) {
  if (at + 2 >= text.size() || static_cast<BYTE>(text[at]) != kNameByteEscape) return -1;
  const int high = static_cast<BYTE>(text[at + 1]) - kNameByteHalf, low = static_cast<BYTE>(text[at + 2]) - kNameByteHalf;
  if (high < 0 || high > 15 || low < 0 || low > 15) return -1;
  return high * 16 + low;
}

std::size_t EscapedCharacterLength(std::string_view text, std::size_t at) {
  const int lead = EscapedNameByteAt(text, at);
  if (lead < 0) return 0;
  const std::size_t bytes = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  for (std::size_t next = 1; next < bytes; ++next) {
    const int following = EscapedNameByteAt(text, at + 3 * next);
    if (following < 0x80 || following > 0xBF) return 3;
  }
  return 3 * bytes;
}

std::size_t OutsideEscapedCharacter(std::string_view text, std::size_t at, bool forward) {
  // The escape `at` falls in, then the start of its run, where a character
  // starts; from there, character by character.
  std::size_t start = at + 1;
  for (std::size_t back = 0; back <= 2 && back <= at && start > at; ++back)
    if (EscapedNameByteAt(text, at - back) >= 0) start = at - back;
  if (start > at) return at;
  while (start >= 3 && EscapedNameByteAt(text, start - 3) >= 0) start -= 3;
  for (std::size_t length = EscapedCharacterLength(text, start); start + length <= at;
       length = EscapedCharacterLength(text, start))
    start += length;
  if (start == at) return at;
  return forward ? start + EscapedCharacterLength(text, start) : start;
}

std::string Utf8From1252(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  ForEachShownByte(text, [&result](unsigned char byte) {
    unsigned code = CodePointOf1252(byte);
    AppendUtf8(result, code != 0 || byte == 0 ? code : '?');
  });
  return result;
}

std::string Latin1From1252(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  ForEachShownByte(text, [&result](unsigned char byte) {
    unsigned code = CodePointOf1252(byte);
    result += static_cast<char>(code > 0xFF || (code == 0 && byte != 0) ? '?' : byte);
  });
  return result;
}

}  // namespace platform
