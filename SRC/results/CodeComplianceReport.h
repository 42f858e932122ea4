// The code compliance section of a report: on the printer the compliance
// table's grid; in a text report fixed-column lines, two per stress
// element (first end with the design pressure, second end with the
// allowable pressure), with the heading repeated on every page; in a
// comma-separated report the same content as cells.
//
// The text and CSV forms take one of three row layouts by piping code: the
// plain layout (Sustained, Expansion, Occasional with their ratios), the
// pipeline layout of B31.4, B31.8 and Z662 (the unrestrained checks and the
// restrained one; their occasional stresses in the sustained place), and
// the clause layout of the codes that number their equations (stress and
// allowable of four groups, no ratios). Categories the main table has no
// room for follow in supplement tables (occasional, settlement, both, and
// the buried check). BS 806 has its own layouts, which come with its
// stresses.
#pragma once

// The whole section in the current report mode; nothing without stress
// elements.
void PrintCodeCompliance();
// The comma-separated form.
void WriteCodeComplianceCsv();
// The fixed-column text form.
void WriteCodeComplianceText();
