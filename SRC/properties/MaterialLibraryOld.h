// Old material libraries (*.mdb): read whole and written at once as a
// library of today's format beside them, with the extension "mat", which
// from then on is the library's file. The converted file keeps the old
// library's piping code and units, so the file and the window that shows
// it agree.
//
// Both layouts begin with "QUORVEL.MDB", a zero and a 16-bit version:
//   A, 300 to 381: 16-bit count, 21 16-bit unit choices (kind k at
//      18 + 2(k - 1)), 16-bit code; records of 64 bytes (name 4, type 3,
//      description 33, Nu, density, joint factors, strength as 32-bit
//      floats, 16-bit FRP flag, 16-bit row count), each followed by rows of
//      six 32-bit floats (temperature, E, alpha, three stresses);
//   B, 382 to 410: 32-bit count, 25 32-bit unit choices (kind k at
//      20 + 4(k - 1)), 32-bit code; records of 88 bytes with 64-bit floats
//      and 32-bit flag and count, rows of six 64-bit floats.
// A set FRP flag makes the type "FR". Old libraries have no hoop and shear
// moduli: those columns are zero. Counts are checked against the bytes
// left, rows against the 40 a material holds, the code against the code
// list and the kept unit choices against their kinds' lists.
#pragma once

#include <string>

#include "platform/Types.h"

struct MaterialLibrary;

// The version in the header of the old library at `path`. Throws "Material
// library could not be read" for a file that cannot be opened or is not an
// old library.
int OldMaterialLibraryVersion(const std::string& path);
// The whole old library at `path` into `library`, which changes only when
// every material was read. Throws "Material library could not be read"
// (not an old library, a version outside 300 to 410, a damaged file) and
// "There are no materials in the library".
void ReadOldMaterialLibraryFile(const std::string& path, MaterialLibrary& library);

// The user's consent to converting the old library at `path` (the
// overwrite question when its *.mat exists, then the conversion question),
// then the library read whole into `library`; returns the path of the *.mat
// beside it. Nothing is written. Throws the reader's messages, and an empty
// text when the user declined (nothing to show).
std::string AskAndReadOldMaterialLibrary(HWND parent, const std::string& path, MaterialLibrary& library);
// Writes the converted library to `converted` (keeping the old library's
// code and units) and says "Material Library converted to:\n<path>".
// Throws "Unable to write mat file".
void WriteConvertedMaterialLibrary(HWND parent, const std::string& converted, const MaterialLibrary& library);
// Both at once into the loaded library (MaterialLibrary.h), for the
// library's open dialog; returns the converted file's path (the caller
// makes it the library path). The existing *.mat is untouched unless the
// whole library was read and the user agreed.
std::string ReadOldMaterialLibrary(HWND parent, const std::string& path);
