// The sorted stresses table: per node and per stress category of the
// results, the governing stress, its allowable and their ratio, each
// category a block of four columns (node, stress, allowable, ratio) sorted
// by itself, worst first, so that row 1 of every block is that category's
// worst node. Eight blocks in a fixed order: sustained, expansion, the
// third check (sustained plus expansion), occasional, settlement, creep,
// operating (shown on request, command 338) and buried; without a piping
// code the first three hold the von Mises, maximum and minimum principal
// stresses. A category the results lack takes no room.
//
// One block is current: the current row's highlight covers it and the
// graphics highlight its node. Left and Right (or a click) change it; the
// allowable columns hide and show together ("Hide &Allowables", command
// 374). Ratios above 1.0 and their stresses are red on screen and marked
// on paper. The text and comma-separated reports of the table are the
// sorted-stress reports (SortedStressReport.h).
#pragma once

#include <string>

class ResultTableWindow;

// Shows the table; nothing when no node has a stress (but for the pipeline
// codes, whose table opens empty).
void OpenSortedStressesTable();
// The allowable columns (374) and the operating section (338), each
// reopening the table.
void ToggleSortedAllowables();
void ToggleOperatingStressSection();
// Whether the results give the table rows to show.
bool SortedStressesOffered();
ResultTableWindow& SortedStressesTable();
void RegisterSortedStressesTable();

// The title of a section (0 .. 7) on screen, and the stress and allowable
// symbols of its columns.
std::string SortedSectionTitle(int section, bool printer);
std::string SortedStressSymbol(int section);
std::string SortedAllowableSymbol(int section);
// The text of a cell (row of the sorted list, column 1 .. 32) and whether
// it is marked.
std::string SortedStressCellText(int row, int column, bool& marked);

// The stress, allowable and ratio of a node (index) in the current section;
// false when the node has none there (its ratio below 0).
bool SectionNodeValues(int node, float& stress, float& ratio);
// The node (index) of a sorted row of the current section; 0 beyond them.
int SortedRowNode(int row);
// The current section (0 .. 7).
int CurrentStressSection();
