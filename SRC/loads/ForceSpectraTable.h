// The "Force Spectrums" table of the List window (Misc > Force spectrums,
// command 376, in the Layout and List windows) with the values grid of the
// current spectrum beside it (PointTablesTable.h), its File menu items
// "&Read Force spectrum..." (250), "&Convert time function..." (377, while
// time functions exist) and "&Export..." (351), and the force spectra's
// section of the printed model data.
#pragma once

#include <string>

#include "platform/Types.h"

struct Model;
class PointTablesTable;
class PointsGrid;

PointTablesTable& TheForceSpectraTable();
PointsGrid& TheForceSpectraGrid();
void OpenForceSpectraTable();
bool ForceSpectraOffered(const Model& model);
// The commands the table adds to the List window (250, 377, 351); false
// for any other command or when the table is not shown.
bool ForceSpectraListCommand(HWND window, int command);
// Gives every force spectrum load that names `from` the name `to`.
void RenameForceSpectrumReferences(Model& model, const std::string& from, const std::string& to);

// The "Force spectrums" section on the current report road.
void PrintForceSpectra();
