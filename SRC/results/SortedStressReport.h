// The sorted-stress reports: the sorted stresses table (SortedStressesTable.h)
// written on the printer, as a text report or as comma-separated lines. The
// text and comma-separated forms print at most four sections side by side
// under headings of the piping code's own clauses (for the codes with the
// sustained-plus-expansion check: sustained, expansion, the combined check
// and a fourth, creep when present, else settlement when there are no
// occasional cases, else occasional), then separate tables for the
// categories left over (settlement beside occasional cases; occasional
// and settlement beside creep) and the buried stresses.
//
// A text row is a node, its stress and its ratio per section; the text
// headings (section titles, the stress symbol over the ratio's stress
// symbol "/", the stress unit over the ratio's allowable symbol) repeat at
// the top of every page. A comma-separated row is four cells per section:
// node, stress, allowable, ratio.
#pragma once

// The report entry: nothing when no row has a stress.
void PrintSortedStresses();
// The text and comma-separated forms on the open report file.
void SortedStressesText();
