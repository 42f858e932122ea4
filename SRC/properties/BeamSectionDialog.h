// BEAM_SECTION_DIALOG ("Beam Section # %d"): one record of the beam section
// table: name, description, area, the two moments of inertia, the torsional
// constant, the two shear areas, depth and width. "&Library" takes a shape
// from the AISC table (AiscShapeDialogs.h) into the fields, keeping the
// record's name. While the beam section library is edited the name is not
// used (disabled, empty) and the description is the key.
//
// OK checks in order: the name (outside the library), area and both
// moments of inertia required and above 0, the torsional constant, shear
// areas, depth and width valid when given. A named record given a new name
// is renamed in the Beam rows after one question. A changed depth or width
// draws the model again (beams are drawn at their section's size).
#pragma once

#include "model/UndoFiles.h"
#include "platform/Types.h"

int BeamSectionDialog(HWND owner, int record, SnapshotToken token);
INT_PTR BeamSectionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
