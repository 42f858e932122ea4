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

// Where a table named `name` read from a file or made by a tool goes: over
// the record of that name; else at `currentRow` (0-based) when that is the
// blank spare record, else into a blank record inserted before it. The list
// keeps its trailing blank; returns the index.
std::size_t PlacePointTable(NamedPointsList& list, const std::string& name, std::size_t currentRow);

// A value of the tables' cells and reports: "%.6G" (FormatG6), empty for 0.
std::string PointValueText(float value);
