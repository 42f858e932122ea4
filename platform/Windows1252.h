// Windows-1252, the program's 8-bit text, against Unicode: the conversions
// the layer makes where text leaves or enters the process through the X
// server (titles, keys, the clipboard). The five bytes of 0x80..0x9F that
// Windows-1252 leaves unused have no character; they become '?' on the way
// out.
#pragma once

#include <string>

#include "platform/Types.h"

namespace platform {

// The code point of a Windows-1252 byte; 0 for the five unused bytes.
unsigned CodePointOf1252(BYTE byte);
// The Windows-1252 byte of a code point; 0 when it has none.
BYTE ByteOf1252(unsigned codePoint);
std::string Utf8From1252(const std::string& text);
// ISO 8859-1 (the X STRING type): characters it lacks become '?'.
std::string Latin1From1252(const std::string& text);

}  // namespace platform
