// The code compliance table: for every stress element of the results, two
// lines (its first and its second node) with the design and the allowable
// pressure and, per category the results hold (Sustained, Expansion,
// Combined, Occasional, Settlement, Creep, Buried), the stress, the
// allowable and their ratio at that end, the worst case the code stress
// driver kept. Ratios above 1.0 and the stresses that make them are red on
// screen and marked on paper; a design pressure above the allowable one is
// red too. The table does not follow the current load case.
//
// 23 columns: 1 node, 2 pressure, then three per category (stress,
// allowable, ratio). A category the results lack takes no room; the ratio
// columns show or hide together ("&Show Ratios" / "&Hide Ratios", command
// 374), starting shown when the categories present take fewer than 17
// columns. The group titles and symbols are the piping code's own
// (codes/CodeCategories.h). The cells here serve the screen, the printed
// grid and the report (CodeComplianceReport.h).
#pragma once

#include <string>

class ResultTableWindow;

// Shows the table; nothing without stress elements.
void OpenCodeComplianceTable();
// Says once per results which check could not be made for want of an
// allowable (its cells show "*****").
void ShowMissingAllowableMessage();
// Shows or hides the ratio columns and reopens the table.
void ToggleComplianceRatios();
ResultTableWindow& CodeComplianceTable();
void RegisterCodeComplianceTable();

// The code's long name and " Code Compliance".
std::string ComplianceTitle();
// Heading lines 0 .. 2 of a column (line 0 holds only "Press.": the group
// titles are drawn over their columns).
std::string ComplianceHeadingText(int column, int line);
// The text of a cell (row = stress record, line 0 end 1, line 1 end 2) and
// whether it is to be marked.
std::string ComplianceCellText(int row, int column, int line, bool& highlight);
// The table on the printer page (the report's printer form).
void PrintCodeComplianceGrid();
// Whether the category groups and the ratio columns show the column.
bool ComplianceColumnShown(int column);
// The group of columns 3 .. 23 (0 Sustained .. 6 Buried), -1 for 1 and 2.
int ComplianceGroupOf(int column);
