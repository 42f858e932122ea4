// The "Time functions" table of the List window (Misc > Time functions,
// command 252, in the Layout and List windows) with the values grid of the
// current function beside it (PointTablesTable.h), its File menu items
// "&Read Time Function..." (222) and "&Export..." (351), and the time
// functions' section of the printed model data.
#pragma once

#include <cstddef>
#include <string>

#include "platform/Types.h"

struct Model;
class PointTablesTable;
class PointsGrid;

PointTablesTable& TheTimeFunctionsTable();
PointsGrid& TheTimeFunctionsGrid();
void OpenTimeFunctionsTable();
bool TimeFunctionsOffered(const Model& model);
// The commands the table adds to the List window (222, 351); false for any
// other command or when the table is not shown.
bool TimeFunctionsListCommand(HWND window, int command);
// Gives every time varying load that names `from` the name `to`.
void RenameTimeFunctionReferences(Model& model, const std::string& from, const std::string& to);

// The "Time functions" section on the current report road: on the printer
// each function's grid under "Time function = %s", as text each in a box
// with its points, as comma-separated lines each with its points.
void PrintTimeFunctions();
