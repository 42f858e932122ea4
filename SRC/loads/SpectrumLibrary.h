// The spectrum library: response spectra kept in a file of their own
// (*.spe), apart from any model, and the state of the library the program
// has loaded: its spectra (for picking into a model, or being edited in the
// library window) and its file.
//
// File layout, little-endian: 16 bytes "QUORVELWSPE6000" and a zero, an
// int32 count n, then n records: the name (32 bytes; 16 before version
// 503), the bytes log interpolation 1 and 2 and period abscissa, the int32
// ordinate unit (0 inch, 1 mm, 2 in/sec2, 3 mm/sec2, 4 g's) and the points
// as an int32 count and float pairs. The version is the three digits after
// "QUORVELWSPE"; files above 600 are refused, and files up to 510 hold
// their ordinates in their own unit, converted when read. The reader takes
// the version from its own file only, bounds the count by the bytes the
// file holds, takes a name without its zero, and refuses an ordinate unit
// outside 0 to 4 and a value that is not a finite number. The spectra keep
// the rules of a spectrum read from a text file: a name (blanks around it
// removed) given once, points not negative with ascending abscissas. The
// writer goes through a temporary file renamed over the target, so a failed
// save leaves the old library.
#pragma once

#include <string>

#include "platform/Types.h"
#include "records/Spectrum.h"

struct SpectrumLibraryState {
  SpectrumList spectra;  // the loaded library, without a blank entry
  std::string path;      // its file; empty for none or an untitled library
  // The library window is open: the model's spectra list holds the
  // library's spectra and the model's modified flag is the library's.
  bool editing = false;
};
SpectrumLibraryState& TheSpectrumLibrary();
bool SpectrumLibraryEditing();

// Reads the library file at `path`; throws the message of the fault:
// "Spectrum Library: %s\nDoes not exist.", "Unable to read spectrum
// library:\n%s" (not a spectrum library, or a record that cannot be), the
// same with "\nVersion = %.2f" for a version above 600 and with the
// spectrum and its fault for a spectrum that breaks a rule, "There was an
// error while reading spectrum library:\n%s" (cut short, or a value that is
// not a number).
SpectrumList ReadSpectrumLibraryFile(const std::string& path);
// Writes the non-blank spectra of `list` to `path`; throws "Unable to
// write spectrum library:\n%s" when any part of it failed.
void WriteSpectrumLibraryFile(const std::string& path, const SpectrumList& list);

// Reads the library at `path` into the loaded library (and remembers the
// path, the folder the library dialogs start in and the preference); on a
// fault shows it, empties the library and forgets the path. True when read.
bool ReadSpectrumLibrary(HWND owner, const std::string& path);
// "Open Spectrum Library": a *.spe file (any letter case) read with
// ReadSpectrumLibrary; "File extension must be : spe" for another one.
// False when nothing was read.
bool OpenSpectrumLibraryDialog(HWND owner);
// The save dialog "Save Spectrum Library As"; the chosen path, or empty.
std::string AskSpectrumLibrarySavePath(HWND owner);
// The library's file name with its folder, "Untitled" without one.
std::string SpectrumLibraryDisplayName();
