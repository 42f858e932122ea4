// The material library: a file of pipe materials kept apart from models,
// edited in its own window (MaterialLibraryWindow.h) and picked from by the
// material dialog and the Materials list. This module owns the library's
// data and its files; it shows nothing.
//
// Two places hold library materials. The loaded library is what the
// pickers read and where every read lands: its materials (names empty),
// the piping code they were written for and the five unit choices a
// library keeps (density, temperature, modulus, thermal expansion,
// stress). While the library window is open the materials live in the
// model's material table instead, the model's piping code and the program's
// units are the library's, and the model-modified flag is the library's
// changed flag. The library's path is the preference "Material library
// path"; while the window is open the model's path mirrors it, so titles
// and reports name the library.
//
// The *.mat file, little-endian: 16 bytes "QUORVELWMAT6900" and a zero
// (readers take the version from the three digits after the 11-character
// magic), the piping code, the five unit indexes in the order above, the
// count, then the material records of the model file (Material.h). Values
// are internal units; the indexes only say how they were shown. Files
// below version 680 have 4-byte names; below 681 a code above 10 is one
// lower than today's.
//
// The old *.mdb libraries (MaterialLibraryOld.h) come in two layouts by
// their version: A (300 to 381: 16-bit counts and units, 32-bit floats)
// and B (382 to 410: 32-bit counts and units, 64-bit floats narrowed).
//
// Every reader trusts nothing: counts must fit the bytes left, rows are at
// most 40, the code must be a piping code and each unit index must name a
// unit of its kind. A read fills a fresh library that replaces the target
// only when the whole file was read. Start reading at
// ReadMaterialLibraryFile.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "records/Material.h"
#include "records/RecordTable.h"

// The unit kinds a library keeps, in file order.
inline constexpr int kLibraryUnitCount = 5;
extern const int kLibraryUnitKinds[kLibraryUnitCount];
using LibraryUnits = std::array<std::int32_t, kLibraryUnitCount>;

struct MaterialLibrary {
  ModelRecordTable<Material> materials;
  std::int32_t pipingCode = 0;
  LibraryUnits units{};
};

inline constexpr int kMaterialLibraryVersion = 690;

// The loaded library (for picking, and where reads land).
MaterialLibrary& LoadedMaterialLibrary();
void ClearMaterialLibrary(MaterialLibrary& library);

// The library's file: the preference "Material library path" (empty: none,
// an untitled library). Setting it also sets the open dialog's folder and,
// while the window is open, the model's path.
const std::string& MaterialLibraryPath();
void SetMaterialLibraryPath(const std::string& path);
void ForgetMaterialLibraryPath();
// `path` with its extension replaced by `extension` (added when it has none).
std::string PathWithExtension(const std::string& path, const std::string& extension);

// Set while the library window has the List frame.
bool MaterialLibraryWindowOpen();
void SetMaterialLibraryWindowFlag(bool open);

// The program's current choices of the five kinds, and setting them.
LibraryUnits CurrentLibraryUnits();
void ApplyLibraryUnits(const LibraryUnits& units);

// Reads the *.mat file at `path` into `library`. Throws, leaving `library`
// as it was:
//   "Material Library: <path>\nDoes not exist."
//   "Unable to read material library:\n<path>"   (not a material library)
//   "There was an error while reading material library:\n<path>" (damaged)
// and, for a material that breaks the rule of a field its cells keep, that
// message with the material and field after it (MaterialLibraryFault).
void ReadMaterialLibraryFile(const std::string& path, MaterialLibrary& library);
// The first field of a library's materials that breaks the rule its cells
// keep (Material.h), named by the material's number ("Material 3: the
// density -460 is invalid (below 0)"); empty when none does.
std::string MaterialLibraryFault(const ModelRecordTable<Material>& materials);
// Writes `materials` as a library of `pipingCode` and `units` to `path`
// through a temporary file renamed over it; throws "Unable to write mat
// file" (the previous file then untouched).
void WriteMaterialLibraryFile(const std::string& path, const ModelRecordTable<Material>& materials,
                              std::int32_t pipingCode, const LibraryUnits& units);

