// File names between the program's Windows-1252 and the file system's UTF-8
// (see FileNames.h).
#include "platform/FileNames.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "platform/Windows1252.h"

namespace platform {

namespace {

namespace fs = std::filesystem;

void AppendUtf8(std::string& out, unsigned code) {
  if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  }
  out += static_cast<char>(0x80 | (code & 0x3F));
}

// The length of the well-formed UTF-8 sequence at `at` (2 to 4; never an
// overlong form, a surrogate or beyond U+10FFFF), with its code point; 0
// when the bytes there are none.
std::size_t SequenceAt(std::string_view bytes, std::size_t at, unsigned* code) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || at + length > bytes.size()) return 0;
  unsigned value = lead & (0x7F >> length);
  for (std::size_t next = 1; next < length; ++next) {
    const auto byte = static_cast<unsigned char>(bytes[at + next]);
    if ((byte & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte & 0x3F);
  }
  constexpr unsigned smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *code = value;
  return length;
}

void AppendEscaped(std::string& out, unsigned char byte) {
  out += static_cast<char>(kNameByteEscape);
  out += static_cast<char>(kNameByteHalf + (byte >> 4));
  out += static_cast<char>(kNameByteHalf + (byte & 0x0F));
}

}  // namespace

std::string ToFileSystemName(std::string_view name) {
  std::string bytes;
  bytes.reserve(name.size() + name.size() / 4);
  for (std::size_t at = 0; at < name.size(); ++at) {
    if (const int escaped = EscapedNameByteAt(name, at); escaped >= 0) {
      bytes += static_cast<char>(escaped);
      at += 2;
      continue;
    }
    const auto byte = static_cast<unsigned char>(name[at]);
    const unsigned code = CodePointOf1252(byte);
    if (byte < 0x80) bytes += static_cast<char>(byte);
    else if (code == 0) bytes += '?';  // a byte no text of the program's holds
    else AppendUtf8(bytes, code);
  }
  return bytes;
}

std::string FromFileSystemName(std::string_view bytes) {
  std::string name;
  name.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80) {
      name += static_cast<char>(byte);
      ++at;
      continue;
    }
    unsigned code = 0;
    const std::size_t length = SequenceAt(bytes, at, &code);
    if (const BYTE held = length > 0 ? ByteOf1252(code) : 0; held != 0) {
      name += static_cast<char>(held);
    } else {
      for (std::size_t next = 0; next < std::max<std::size_t>(length, 1); ++next)
        AppendEscaped(name, static_cast<unsigned char>(bytes[at + next]));
    }
    at += std::max<std::size_t>(length, 1);
  }
  return name;
}

fs::path FileSystemPath(std::string_view name) { return fs::path(ToFileSystemName(name)); }

std::string ProgramNameOf(const fs::path& path) { return FromFileSystemName(path.native()); }

bool FitsFileSystem(std::string_view name) {
  const std::string bytes = ToFileSystemName(name);
  if (bytes.size() > kLongestPathBytes) return false;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find('/', start)) != std::string::npos; start = end + 1)
    if (end - start > kLongestNameBytes) return false;
  return bytes.size() - start <= kLongestNameBytes;
}

std::string FileNameCharacter(unsigned codePoint) {
  // U+FFFF also stands for a character a display could not name.
  if (codePoint == 0 || codePoint == 0xFFFF || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
    return {};
  if (const BYTE held = ByteOf1252(codePoint); held != 0) return std::string(1, static_cast<char>(held));
  std::string bytes;
  AppendUtf8(bytes, codePoint);  // 0x80 and above: ByteOf1252 holds the rest
  return FromFileSystemName(bytes);
}

std::string ProgramNameOfStoredName(std::string_view stored) {
  std::error_code ignored;
  if (stored.empty() || FileExists(stored) || !fs::exists(fs::path(stored), ignored)) return std::string(stored);
  return FromFileSystemName(stored);
}

std::FILE* OpenFile(std::string_view name, const char* mode) {
  return std::fopen(ToFileSystemName(name).c_str(), mode);
}

// What the file system says of a name; "not found" when it cannot tell.
fs::file_status StatusOf(std::string_view name) {
  std::error_code ignored;
  return fs::status(FileSystemPath(name), ignored);
}

bool FileExists(std::string_view name) { return fs::exists(StatusOf(name)); }
bool IsRegularFile(std::string_view name) { return fs::is_regular_file(StatusOf(name)); }
bool IsFolder(std::string_view name) { return fs::is_directory(StatusOf(name)); }

bool RemoveFile(std::string_view name) {
  std::error_code ignored;
  return fs::remove(FileSystemPath(name), ignored);
}

bool RenameFile(std::string_view from, std::string_view to) {
  std::error_code error;
  fs::rename(FileSystemPath(from), FileSystemPath(to), error);
  return !error;
}

std::string CurrentFolder() {
  std::error_code ignored;
  return ProgramNameOf(fs::current_path(ignored));
}

std::string FolderFromEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr ? FromFileSystemName(value) : std::string();
}

}  // namespace platform
