// Picking a valve from the valve library for a pipe of a given outside
// diameter (the valve dialog's "&Library"): the library is read from the
// preference's file when none is loaded (or the user opens one), its valves
// whose outside diameter prints as the pipe's with three decimals are
// listed in VALVE_LIBRARY_USE_DIALOG, and the chosen one is returned.
// "&Library" in that dialog opens another library file and lists again.
//
// The list is a copy: the library in memory (perhaps edited and unsaved in
// its window) is never reduced, so a later pick for another diameter finds
// its own valves.
#pragma once

#include <optional>

#include "platform/Types.h"
#include "properties/ValveLibrary.h"

std::optional<ValveLibraryEntry> PickValveByDiameter(HWND owner, float outsideDiameter);

// The valves of the library that fit the diameter, in library order.
std::vector<ValveLibraryEntry> ValvesOfDiameter(const ValveLibrary& library, float outsideDiameter);
// The nominal size the program knows for an outside diameter (the ANSI
// table's), else the diameter in the Dimension unit.
std::string NominalSizeOfDiameter(float outsideDiameter);
