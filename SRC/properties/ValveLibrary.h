// The valve library: a file of valve records (description, nominal size,
// rating, connection type, face-to-face length, weight, the outside diameter
// of the pipe it fits, the dimension standard and the valve type) that the
// library window edits and the valve dialog picks from by the pipe's outside
// diameter. It keeps its own table and modified flag, apart from the model.
//
// The *.val file, little-endian: a 16-byte header, the magic
// "QUORVELWVAL" and the version digits ("6000" is version 600, the newest);
// the Length, Weight and Dimension unit indexes at saving (read into the
// library, never applied: values are stored in inch and pound); the count;
// then the records of 63 bytes (59 in files of version 510 and older, which
// lack the valve type): Description (26 bytes), outside diameter (f32),
// standard (int32), nominal size (8 bytes), rating (6), connection type (3),
// length and weight (f32), valve type (int32).
//
// The reader trusts nothing: the count must fit the bytes of the file, a
// text may fill its field (no terminator needed) but never more, the
// standard (0-3) and valve type (0-7) must be known, and the length, weight
// and outside diameter must be numbers not below 0 and below 1E38, as a
// typed number must be (NumberText.h). Reading fills a fresh
// table that replaces the library only when the whole file was read, so a
// damaged file loses nothing. The writer goes through a temporary file
// renamed over the target. Both throw their message texts.
#pragma once

#include <cstdint>
#include <string>

#include "records/RecordTable.h"

inline constexpr std::int32_t kValveTypeCount = 8;
// The valve types by index; 0 is blank (none).
extern const char* const kValveTypeNames[kValveTypeCount];

inline constexpr int kValveStandardCount = 4;  // ANSI, DIN, JIS, ISO
inline constexpr int kValveRatingCount = 9;
// The ratings offered for a standard (0-3): nine texts of five characters.
const char* ValveRating(int standard, int index);
inline constexpr int kValveConnectionCount = 5;
extern const char* const kValveConnectionTypes[kValveConnectionCount];

// Field widths in the file and what the dialogs let the user type.
inline constexpr std::size_t kValveDescriptionBytes = 26;
inline constexpr std::size_t kValveNominalSizeBytes = 8;
inline constexpr std::size_t kValveRatingBytes = 6;
inline constexpr std::size_t kValveConnectionBytes = 3;

struct ValveLibraryEntry {
  std::string description;  // required
  std::string nominalSize;  // required
  std::string rating;
  std::string connectionType;
  float length = 0.0f;           // inch
  float weight = 0.0f;           // pound
  float outsideDiameter = 0.0f;  // inch, of the pipe the valve fits
  std::int32_t standard = 0;     // 0 ANSI, 1 DIN, 2 JIS, 3 ISO
  std::int32_t valveType = 0;    // index into kValveTypeNames
};

struct ValveLibrary {
  ModelRecordTable<ValveLibraryEntry> entries;
  std::string path;  // the file the library was read from or saved to
  bool modified = false;
  std::int32_t lengthUnit = 0, weightUnit = 0, dimensionUnit = 0;  // as read
};

// The program's one valve library.
ValveLibrary& TheValveLibrary();
// Empties the library (entries, path, modified flag).
void ClearValveLibrary(ValveLibrary& library);

// The file at `path` into `library` (its path becomes `path`, its modified
// flag is cleared); on any failure the library is left as it was and the
// message thrown:
//   "Valve Library: <path>\nDoes not exist."
//   "Unable to read valve library:\n<path>"                (not a valve library)
//   "Unable to read valve library:\n<path>\nVersion = 4.99" (below 500 or above 900)
//   "There was an error while reading valve library:\n<path>" (damaged)
void ReadValveLibraryFile(const std::string& path, ValveLibrary& library);
// The library to `path` as version 600 with the current units; clears the
// modified flag. Throws "Unable to write Valve file" when the file cannot be
// written (the previous file is then untouched).
void WriteValveLibraryFile(ValveLibrary& library, const std::string& path);

// A rating as the library keeps it: without leading blanks, padded with
// blanks to five characters ("150" is "150  ").
std::string PaddedValveRating(const std::string& text);

// Appends an empty entry at `index` (1 .. count + 1), moving the later ones.
void InsertValveEntry(ValveLibrary& library, int index);
void DeleteValveEntry(ValveLibrary& library, int index);
// The number of another entry (not `except`) with the same description,
// nominal size, rating, connection type, length and outside diameter; 0
// when none.
int FindDuplicateValve(const ValveLibrary& library, const ValveLibraryEntry& entry, int except);
// Whether an outside diameter matches: both printed "%.3f" are equal.
bool ValveDiameterMatches(float libraryDiameter, float pipeDiameter);
