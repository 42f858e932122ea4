// Windows-1252, the program's 8-bit text, against Unicode: the conversions
// the layer makes where text leaves or enters the process through the X
// server (titles, keys, the clipboard). The five bytes of 0x80..0x9F that
// Windows-1252 leaves unused have no character; they become '?' on the way
// out, and so does a file name's escaped byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace platform {

// A byte of a file name that the program's text cannot hold, as the program
// holds it (FileNames.h): kNameByteEscape, then the byte's high and low
// halves as kNameByteHalf + 0 to 15. Text shows it as one '?'.
constexpr BYTE kNameByteEscape = 0x81;
constexpr BYTE kNameByteHalf = 0x10;
// The file name's byte escaped at `at` of `text` (0..255), or -1 when none
// starts there.
int EscapedNameByteAt(std::string_view text, std::size_t at);
// A character of a file name that the program's text cannot hold is the
// escapes of its UTF-8 bytes (one escape for a byte that is no UTF-8): the
// length of the one that starts at `at` (0 when none does), and `at` moved
// out of the one it falls inside, to its start or past its end (unchanged
// when it falls inside none). Text is cut, and a caret stands, only between
// whole characters.
std::size_t EscapedCharacterLength(std::string_view text, std::size_t at);
std::size_t OutsideEscapedCharacter(std::string_view text, std::size_t at, bool forward);

// The code point of a Windows-1252 byte; 0 for the five unused bytes.
unsigned CodePointOf1252(BYTE byte);
// The Windows-1252 byte of a code point; 0 when it has none.
BYTE ByteOf1252(unsigned codePoint);
std::string Utf8From1252(const std::string& text);
// ISO 8859-1 (the X STRING type): characters it lacks become '?'.
std::string Latin1From1252(const std::string& text);

}  // namespace platform
