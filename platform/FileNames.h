// File names between the program and the file system. The program's text
// is Windows-1252; the names on this system's disks are UTF-8. Every name
// the program opens, creates, lists, tests, removes or renames a file by
// crosses here, and nowhere else: a name is held in the program's form and
// turned into the file system's bytes on its way to a call, and a name
// that comes from the file system (a folder listing, the current folder,
// the command line, an environment variable) is turned into the program's
// form as it comes in.
//
// A name's bytes that say nothing the program's text can hold (a character
// outside Windows-1252, or bytes that are no UTF-8 at all) must still open
// the file. Each such byte is held as three: the byte 0x81, which
// Windows-1252 leaves unused (no key, no file and no conversion gives it),
// and the byte's two halves as the control bytes 0x10 to 0x1F. Text drawn
// shows the 0x81 as a stand-in ('?') and the halves as nothing, a window
// title or a text file shows one '?' per such byte, and the name goes back
// to exactly the bytes it came from: any bytes turned into the program's
// form and back are the same bytes.
//
// So a name's program form may take three times its bytes on the disk: a
// buffer that is to hold any path the file system can open is sized
// kFileNameBufferSize, and a name longer than the file system takes
// (FitsFileSystem) is refused where it is chosen, never cut.
#pragma once

#include <climits>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// The longest path the file system opens and the longest name in it, in its
// bytes; and the bytes that hold any such path in the program's form, every
// byte escaped, with the terminating zero.
constexpr std::size_t kLongestPathBytes = PATH_MAX - 1;
constexpr std::size_t kLongestNameBytes = NAME_MAX;
constexpr std::size_t kFileNameBufferSize = 3 * kLongestPathBytes + 1;

// The file system's bytes of a name held by the program.
std::string ToFileSystemName(std::string_view name);
// The program's form of a name read from the file system.
std::string FromFileSystemName(std::string_view bytes);
// ToFileSystemName as a path, for std::filesystem and the file streams.
std::filesystem::path FileSystemPath(std::string_view name);
// FromFileSystemName of a path the file system gave (a listing's entry).
std::string ProgramNameOf(const std::filesystem::path& path);
// Whether the file system takes the name: its path, and each name in it,
// no longer than the longest above.
bool FitsFileSystem(std::string_view name);
// A character typed into a file name, as the program holds it: its
// Windows-1252 byte, or its UTF-8 bytes escaped as a name read from the
// disk holds them (empty for no character, or one not known).
std::string FileNameCharacter(unsigned codePoint);

// A name an earlier version of the program stored (the registry's recent
// models, a library's path): those versions held names in the program's
// form but gave its Windows-1252 bytes to the file system unchanged, so
// the file they named may have those bytes on disk. The name as the
// program holds it now: the stored name when it names a file (or when
// neither reading does), else the program's form of the stored bytes.
std::string ProgramNameOfStoredName(std::string_view stored);

// The file system calls, by the program's names. Errors are answered as
// "no" and false; OpenFile is fopen (null when it fails).
std::FILE* OpenFile(std::string_view name, const char* mode);
bool FileExists(std::string_view name);
bool IsRegularFile(std::string_view name);
bool IsFolder(std::string_view name);
bool RemoveFile(std::string_view name);
bool RenameFile(std::string_view from, std::string_view to);
// The process's current folder, and an environment variable that names a
// folder (empty when not set), in the program's form.
std::string CurrentFolder();
std::string FolderFromEnvironment(const char* variable);

}  // namespace platform
