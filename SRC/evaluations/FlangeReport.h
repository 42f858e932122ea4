// The flange loading report of the model's flanges: after every results
// read each flange data item (DataType 11) is checked against the piping
// loads at its node. The axial force F and the resultant bending moment M
// at the node's end of each connected element are turned into an
// equivalent pressure by ASME III NC-3658.1, Pe = 4F/(pi G^2) +
// 16M/(pi G^3) + P, with P the element's pipe-load pressure of the case,
// and compared with the flange's allowable pressure. The worst case of each
// flange is kept: the one of the largest Pe/allowable, or of the largest Pe
// when the flange has no allowable.
//
// Cases evaluated, each when the results hold it: "Static analysis" (32)
// and the operating cases 8, 9, 10 and 100 to 106 with P1, P2, P3 and P4
// to P10. G is the flange's gasket diameter, or when none is given the
// smallest inside diameter of the pipes, valves, bellows and slip joints
// that end at its node. A bend's own node has no element ending there: the
// bend arc starting (or, failing that, ending) at its place stands for it.
// A flange for which no element qualifies is named in one message and its
// line is left blank; the results still open.
//
// Rows: the flanges with an allowable by their ratio, largest first, then
// those without by Pe, then the blank ones; equal values keep row order.
// The "Flange Report" result table and the printed "Flange report" show
// them; a ratio above 1.0 is drawn in the warning colour. The table
// registers its view with the other result tables, which reset it when
// results are read again. Start reading at FlangeElementsReport.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

struct Model;

struct FlangeLoadingResult {
  int row = 0;         // layout row of the flange
  float G = 0;         // effective gasket diameter, inch
  float P = 0;         // design pressure of the governing case, psi
  float M = 0;         // resultant bending moment, in-lb
  float F = 0;         // absolute axial force, lb
  float Pe = 0;        // equivalent pressure, psi
  float ratio = 0;     // Pe/allowable, or Pe without an allowable; 0 before a case
  float allowable = 0; // psi; 0: none
  bool found = true;   // a pressure element was found
};

// The post-read step: builds the rows (nothing when the model has no
// flanges or the results no case the report takes); a flange without a
// pressure element is told in one message over `owner`.
void FlangeElementsReport(Model& model, HWND owner = nullptr);
// Forgets the rows (leaving results).
void FreeFlangeReport();
bool FlangeReportAvailable();
const std::vector<FlangeLoadingResult>& FlangeReportRows();  // in report order
// Whether a row's ratio exceeds 1.0 (the warning colour); never for a
// flange without an allowable.
bool FlangeReportRowExceeds(const FlangeLoadingResult& result);

// The result chooser's "&Flange report": the "Flange Report" table.
void OpenFlangeReportTable();
// While the "Flange Report" table is the open results table, its current
// line goes to the flange of layout row `layoutRow` (the Flanges list
// follows it so); nothing otherwise.
void FlangeReportFollowRow(int layoutRow);
// The report on the printer (a grid titled "Flange report") or in the
// report file (text or comma-separated).
void PrintFlangeReport();

// The cell texts of a row (columns 1 to 8) as the table and the reports
// show them.
std::string FlangeReportCell(const FlangeLoadingResult& result, int column);
