// The built-in flange weight tables: the weight of a flange pair by nominal
// pipe size and ANSI pressure class (150 to 2500) or European PN rating
// (PN16 to PN100), and FLANGE_LIBRARY_DIALOG, the pick list of one size's
// ratings from which the flange dialog takes its weight. A weight of 0 is
// a rating the table has no value for.
#pragma once

#include "platform/Types.h"

enum class FlangeWeightTable { Ansi, European };

// The nominal pipe size (inch) of a standard outside diameter matched
// within 0.01 inch, else the diameter itself.
float NominalSizeFromOd(float outsideDiameter);
// The 0-based size index of a nominal size in the table, matched within
// 0.01; -1 when the table has no such size.
int FlangeWeightSizeIndex(FlangeWeightTable table, float nominalSize);
// The pair's weight (lb) at a size index and a 1-based rating index; 0 for
// none or an index outside the table.
float FlangeTableWeight(FlangeWeightTable table, int sizeIndex, int rating);
int FlangeRatingCount(FlangeWeightTable table);
const char* FlangeRatingName(FlangeWeightTable table, int rating);

// Opens the pick list for the size index. On OK: the chosen rating's weight
// (halved with "Include weight for single flange"), 0 when the rating has
// none; on Cancel: -1.
float PickFlangeWeight(HWND owner, FlangeWeightTable table, int sizeIndex);
