// The beam section library file (*.bli), kept apart from models: a 16-byte
// header ("QUORVELBEAM6900" and a zero byte: the 11-character magic and the
// version 690), the unit indexes of Dimension, Area and Moment of inertia
// chosen when it was written, the count and the sections (name 6 bytes, 4
// in files below version 690; description 16; A, Imaj, Imin, J, Asmaj,
// Asmin, depth, width as floats in inch units). The name is not used in a
// library: the description is the key.
//
// The reader trusts nothing: the header's magic and version (above 690 is
// refused), the three unit indexes against their unit lists, the count
// against the bytes in the file; a fault gives its message and leaves the
// library as it was. The writer writes a temporary file beside the target
// and renames it over the target.
//
// Program state: the library's path (remembered while the program runs),
// the library table as read, its three unit indexes, and library mode (the
// "Beam sections" list edits the library held in the model's beam section
// table). Start reading at ReadBeamLibraryFile.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/Types.h"
#include "records/BeamSection.h"
#include "records/RecordTable.h"

constexpr int kBeamLibraryVersion = 690;

struct BeamLibraryContents {
  std::array<std::int32_t, 3> units{};  // Dimension, Area, Moment of inertia
  ModelRecordTable<BeamSection> sections;
};

// Reads `path` whole into `contents`; throws "Beam Library: %s\nDoes not
// exist.", "Unable to read beam library:\n%s" (another magic, a newer
// version) or "There was an error while reading beam library:\n%s" (any
// damage, and after it the section and field for a value its cells refuse,
// records/FieldRules.h), leaving `contents` as it was.
void ReadBeamLibraryFile(const std::string& path, BeamLibraryContents& contents);
// Writes the sections with the current units; throws "Unable to write beam
// file" when the file cannot be written (the old file is kept).
void WriteBeamLibraryFile(const std::string& path, const ModelRecordTable<BeamSection>& sections);

// Library mode: the "Beam sections" list edits the library.
bool BeamLibraryMode();
void SetBeamLibraryMode(bool on);

// The library's path ("" when none) and the library read from it.
const std::string& BeamLibraryPath();
void SetBeamLibraryPath(const std::string& path);
BeamLibraryContents& BeamLibraryTable();
// Forgets the path and the library read.
void ForgetBeamLibrary();

// Reads the library path's file into the library table; its message over
// `parent` and false on failure.
bool BeamLibraryOpen(HWND parent);
// "Open Beam Library" (*.bli only: "File extension must be : bli"); the
// path is stored and the file read. False when cancelled or refused.
bool BeamLibraryChooseFile(HWND parent);
