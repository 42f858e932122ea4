// The "Displacements" result table (the six components of every result node
// for the current case, and on request the deformed-state coordinates), the
// "Minimum & Maximum Displacements" table (the extreme of each component
// and its node), their printed, text-report and comma-separated forms, the
// menu items and buttons they add while shown, and the "Distance Between
// Nodes" dialog.
//
// Both tables are kinds of the displacement family (OtherSelectors.h); the
// deflected shape and its animation, which the items 216 and 221 switch,
// come with the shape displays and say so.
#pragma once


class ResultTableWindow;

// Shown while set (command 217); lasts for the process.
extern bool g_ShowDeformedCoordinates;

void OpenDisplacementsTable();
void OpenMinMaxDisplacementsTable();
void ToggleDeformedCoordinates();
// Command 218: the Displacements table shows the sustained displacements
// the run found during hanger selection (titled "Sustained Load
// Displacements during Hanger Selection") until the next case is loaded. A
// missing or unreadable file leaves the current case's rows.
void ShowHangerSelectionDisplacements();
ResultTableWindow& DisplacementsTable();
ResultTableWindow& MinMaxDisplacementsTable();
// Registers both tables' views with the result tables reset at each opening.
void RegisterDisplacementTables();

