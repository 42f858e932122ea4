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

std::string Utf8From1252(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (unsigned char byte : text) {
    unsigned code = CodePointOf1252(byte);
    AppendUtf8(result, code != 0 || byte == 0 ? code : '?');
  }
  return result;
}

std::string Latin1From1252(const std::string& text) {
  std::string result = text;
  for (char& c : result) {
    unsigned code = CodePointOf1252(static_cast<unsigned char>(c));
    if (code > 0xFF || (code == 0 && c != 0)) c = '?';
  }
  return result;
}

}  // namespace platform
