// NOZZLE_DIALOG: the vessel's type and dimensions, the nozzle's, the vessel
// material's modulus, the vessel axis and the tag; "&Displacements" opens the
// vessel movements of a stored nozzle. The checks of the geometry against
// the limits of the stiffness methods are shared with the batch reader.
#pragma once

#include <string>

#include "platform/Types.h"

class Nozzle;

INT_PTR NozzleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The first fault of a nozzle's values in the dialog's order, with the
// dialog item it belongs to; an empty message when there is none.
struct NozzleFault {
  int item = 0;
  std::string message;
};
NozzleFault CheckNozzleGeometry(const Nozzle& nozzle);
// The note the dialog shows for values outside the methods' best range (a
// cylinder's t/T below 1, a sphere's radius ratio above 0.33); empty when
// there is none.
std::string NozzleGeometryNote(const Nozzle& nozzle);
