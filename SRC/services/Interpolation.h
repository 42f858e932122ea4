// Float comparisons with the program's fixed tolerance, and linear
// interpolation in a table of (x, y) pairs of 32-bit floats, as the
// material, spectrum and other property tables use it.
//
// A table is made ready with InterpolateTable (pairs at x = 0 dropped, sorted
// by x, near-duplicate x dropped) and read with InterpolatePairs, which
// never extrapolates: outside the table it gives the end pair's y.
#pragma once

#include <vector>

#include "services/BinaryFile.h"  // FloatPair, the pair the files hold

using PairTable = std::vector<FloatPair>;

constexpr double kFloatTolerance = 1.0e-8;

bool IsZeroFloat(float a);
bool FloatLess(float a, float b);
bool FloatNearlyEqual(float a, float b);

// Removes the pairs at x exactly 0 from `source` and sorts it by x (both in
// place); `result` becomes the source pairs in order, less each pair whose x
// is within the tolerance of the last pair kept.
void InterpolateTable(PairTable& source, PairTable& result);
// The y at x; throws "Interpolate on empty vector" for an empty table.
float InterpolatePairs(const PairTable& table, float x);
