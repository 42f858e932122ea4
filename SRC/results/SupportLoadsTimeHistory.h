// The loads on one support over the output steps of a saved time history
// run: `ReadSupportLoadsTimeHistory` reads the support's values of every
// step from the time-history file (its place and count in the support
// loads block of a step) and opens the table of its kind, one row per time
// from 0 and a last row "Max.Abs [Signed]" with each column's signed value
// of largest magnitude (the earlier on equal magnitude).
//
// Each kind shows its own columns of the values it writes: anchors and
// generic supports X, Y, Z (force) and XX, YY, ZZ (moment); restraints FX,
// FY, FZ; guides fx, fy, fz in their local axes; nozzles Axial, y Shear, z
// Shear, Torque, Circ. Mom, Long. Mom in the vessel axes; hangers, limit
// stops, skewed restraints and snubbers one "Load" (a rotational skewed
// restraint's a moment). The title is "Loads on <Kind> at Node <n>" (the
// skewed restraint adds its entered direction) and the export's default
// name the kind word and the node number, with ".csv".
#pragma once

#include <string>

#include "platform/Types.h"

class ResultTableWindow;

// The support chooser of the time-history selection: the chosen position
// in the results' support list, 0 after Cancel.
int ChooseTimeHistorySupport(HWND owner);
// Position `position` in the support list (0 does nothing): read and open,
// or the read message shown over the Results window and nothing opened.
void ReadSupportLoadsTimeHistory(int position);

// The table's texts, for the tests.
std::string SupportTimeHistoryTitle(int layoutRow);
std::string SupportTimeHistoryCsv();

ResultTableWindow& SupportTimeHistoryTable();
void RegisterSupportTimeHistoryTable();
