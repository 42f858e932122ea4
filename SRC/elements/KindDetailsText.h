// The details text of a row by its kind, for a details request that names
// no routine of its own (printing/RowDetails.h): the model report's blocks
// name theirs, a request made by type alone finds it here. Handed down to
// the printing floor at start-up (SetRowDetailsWriter).
#pragma once

// Writes the details of layout row `row` (1-based) as its element (rowKind
// kDetailsElementRows) or data item (kDetailsDataRows) kind shows them; an
// anchor's or nozzle's specified displacements when typeCode asks for them.
// False for a row without such a kind, or of a kind with no details.
bool PutKindDetailsText(int rowKind, int typeCode, int row);
