// What force spectra and time functions share: both are named tables of
// (abscissa, value) points, the model keeps an ordered list of each that
// always ends with one blank record (the tables' spare row, never saved,
// printed, exported or offered), and their points are kept sorted by
// abscissa with near duplicates (closer than 1e-8) dropped.
//
// The list operations here work on either list; the points' sorting also
// tells which point a near duplicate dropped, so that callers can say so
// rather than let a step given at one time quietly become a ramp.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "services/BinaryFile.h"

struct NamedPoints {
  std::string name;               // up to 31 characters
  std::vector<FloatPair> points;  // (abscissa, value), abscissas ascending
};
using NamedPointsList = std::vector<NamedPoints>;

inline constexpr std::size_t kPointTableNameLength = 31;

// The name a table is kept under, whichever road it comes by (typed into a
// names table, read from a text or a library file; response spectra too):
// blanks and tabs at both ends removed, cut to 31 characters. Names compare
// exactly, so "F1 " kept as typed would be a second F1 that looks the same
// in every list. Empty: no name, which every road refuses.
std::string KeptTableName(const std::string& text);

// A character below the blank (a zero byte, a tab, a line end) or DEL.
bool IsControlCharacter(char c);
// A name holding a control character shows as another name ("OB" for the
// bytes "OB", zero, "E"), or as one it is not, in every list and report:
// every road that takes a name refuses it.
bool HoldsControlCharacter(const std::string& name);
// The reason such a name is refused.
inline constexpr const char* kControlCharacterInName = "A name may not hold a control character";
// `text` with each control character shown as "<NN>", its code in
// hexadecimal (tabs too, unless `keepTabs`): a zero byte would end a message
// where it stands.
std::string VisibleText(const std::string& text, bool keepTabs = false);

bool IsBlankPointTable(const NamedPoints& record);
// The records before the trailing blank one.
std::size_t SavedPointTableCount(const NamedPointsList& list);
// 0-based index of the first non-blank record of that name (names compare
// exactly); -1 for an empty name or none.
int FindPointTable(const NamedPointsList& list, const std::string& name);
// Appends the blank record unless the list ends with one already.
void EnsureTrailingBlank(NamedPointsList& list);

// The points as they are kept: pairs at abscissa exactly 0 dropped, sorted
// by abscissa, of near duplicates only the first kept (StoreSortedPairs).
std::vector<FloatPair> SortedPoints(std::vector<FloatPair> points);
// The index (in `points` as given) of the first pair that SortedPoints
// would drop as the near duplicate of another; -1 when none.
int FirstNearDuplicate(const std::vector<FloatPair>& points);
// The index of the first pair that SortedPoints would drop for want of an
// abscissa although it holds a value; -1 when none.
int FirstValueWithoutAbscissa(const std::vector<FloatPair>& points);

// A value that no road stores for being too small: no zero, and below the
// least magnitude of a stored value (1E-37, NumberText.h). The text readers
// of older programs kept such a value as the line spelled it, so a model
// file may hold one: it is mended to the typed zero (1.0e-36), which the
// analysis takes as the same nothing, with a note.
bool IsBelowLeastStored(float value);
// A value that no road stores for being too large (1E38 or more), or that
// is no number: only damage makes one.
bool IsBeyondStoredLimit(float value);
// Mends every value of `points` below the least stored magnitude to the
// typed zero; one note each, "`what`, point N: the abscissa 1E-40 ...".
std::vector<std::string> MendPointsBelowLeast(std::vector<FloatPair>& points, const std::string& what,
                                              const char* abscissa, const char* ordinate);

// The words of one kind of point table in the model file's messages.
struct PointTableWords {
  const char* section;           // "Time functions"
  const char* kind;              // "time function"
  const char* abscissa;          // "Time"
  const char* negativeAbscissa;  // "Time should be positive"
  const char* negativeValue;     // "Spectrum value should be positive"; null: values may be negative
};

// The points of a table read from a model file, against the rules every
// road that stores them keeps (a text file, the grid, the tools: all store
// through SortedPoints, none a negative abscissa, force spectra no negative
// value): a point that breaks one could only come from a damaged file, so it
// is refused as damage (ThrowDamagedSection), named by its table and point.
void CheckReadPointTable(const NamedPoints& table, const PointTableWords& words);
// The fault CheckReadPointTable names ("time function F1, point 2: ..."),
// empty when the points keep the rules.
std::string PointTableFault(const NamedPoints& table, const PointTableWords& words);

// What a model file's list may hold from an older program that the roads
// of this one refuse, one note each: a name with blanks around it or a
// control character in it (older text readers kept the line as it stood), a
// name given twice (two names that differed only after a zero byte), a first
// point at abscissa exactly 0 with a value (a typed 0 is kept as 1.0e-36;
// this one the analysis takes, and an edit of the points drops). The model
// opens with them as they are: a load names its table as the file does.
std::vector<std::string> PointTableNotes(const NamedPointsList& list, const PointTableWords& words);
// The values of a model file's list below the least stored magnitude,
// mended (MendPointsBelowLeast), one note each.
std::vector<std::string> MendPointTablesBelowLeast(NamedPointsList& list, const PointTableWords& words);
// The note of one name (response spectra too), `earlier` the names before
// it; empty when the name keeps the rules.
std::string TableNameNote(const std::string& name, const std::vector<std::string>& earlier,
                          const PointTableWords& words);

// Where a table named `name` read from a file or made by a tool goes: over
// the record of that name; else at `currentRow` (0-based) when that is the
// blank spare record, else into a blank record inserted before it. The list
// keeps its trailing blank; returns the index.
std::size_t PlacePointTable(NamedPointsList& list, const std::string& name, std::size_t currentRow);

// A value of the tables' cells and reports: "%.6G" (FormatG6), empty for 0.
std::string PointValueText(float value);
