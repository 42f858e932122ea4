// The commands of the loads in the Layout and List windows, and the lists
// they add to the List window's list menu ("&Loads", "&Specified displ",
// "&Spectrums"). The windows' own command switches hand a command here
// first; the answer says whether it was one of these.
//
// Layout: 259 the analysis options, 231 the load cases, 232 the static
// seismic load, 233 and 40044 to 40046 wind loads 1 to 4, 234 the
// spectrum load, 190 the "Loads" list, 251 the spectra list, 286 the
// specified displacements list. Each editing command takes its undo
// snapshot first; the dialog discards it when nothing changed.
// List: 190, 251, Copy (363) and Paste (364) of the "Loads" list, and the
// spectra list's Read Spectrum (250), Export (351), Library (270) and
// Spectrum options (306).
#pragma once

#include "platform/Types.h"

bool LoadsLayoutCommand(HWND window, int command);
bool LoadsListCommand(HWND window, int command);
void RegisterLoadLists();
