// The branch connection stresses table of the ASME Class 2 and 3 codes
// (codes/BranchConnection.h): for one case of the branch connection case
// list at a time, two lines per Branch SIF row, the run (node, type, B1,
// the pressure stress, B2r, the run moment and stress, the total stress and
// its ratio to the case's limit) and the branch (B2b, the branch moment and
// stress). A record whose geometry gave no branch connection shows its node
// and "* Invalid *". A ratio above 1.0 is red on screen and marked on
// paper. Right and Left step through the table's own cases (wrapping) when
// there are two or more; "&Load Cases..." then chooses among them.
//
// Printing covers every case in turn: on the printer the table of each
// case, into a text or comma-separated report its fixed-column form with
// the headings repeated at the top of every page.
#pragma once

#include <string>

#include "platform/Types.h"

class ResultTableWindow;

// The result chooser offers the table when the results hold branch
// connection stresses.
bool BranchConnectionStressesOffered();
void OpenBranchConnectionStressesTable();
ResultTableWindow& BranchConnectionStressesTable();
void RegisterBranchConnectionStressesTable();
// The table's own case chooser (command 231 while the table is current).
void ChooseBranchConnectionCase(HWND owner);
// Every case's table, in the current report output.
void PrintBranchConStresses();

// The title of the table for the case shown.
std::string BranchConnectionTitle();
// Heading lines 0 .. 2 and the cells (record row, line 0 run, 1 branch),
// with the mark of an exceeded limit.
std::string BranchConnectionHeadingText(int column, int line);
std::string BranchConnectionCellText(int row, int column, int line, bool& marked);
