// The line routines of the rotating-equipment reports on the three roads
// (printer, report file, screen buffer), and the row kinds of the screen
// buffer they write. Pump reports use the evaluation report kinds 0 to 4
// (plain, check headings, check row "label!calculated allowed ratio
// status", interaction row "text!value status", stress row "text!status").
// Compressor and turbine reports use kinds 0 to 12, each a list of fields
// joined by "!" that the table places in the node, type and six value
// columns (see MachineRowKind).
#pragma once

#include <functional>
#include <string>
#include <vector>

// Starts a report: measures the printer columns on the printer road,
// clears the line buffer on the screen road. `machine`: the compressor
// and turbine layout.
void BeginRotatingReport(bool machine);
// The title: a heading bar on the printer, a centred line and a rule in
// the file, a line on the screen.
void WriteReportTitle(const std::string& title);
// A short vertical space on the printer, a new line in the file.
void WriteReportSpace();

void WritePumpHeadingRow();
void WritePumpCheckRow(const std::string& label, const std::string& calculated, const std::string& allowed,
                       const std::string& ratio, const std::string& status);
void WritePumpInteractionRow(const std::string& text, const std::string& value, const std::string& status);
void WritePumpStressRow(const std::string& text, const std::string& status);

enum MachineRowKind : int {
  kMachineText = 0,
  kMachineLoadHeadings = 1,   // Node Type fx fy fz mx my mz
  kMachineLoads = 2,          // node, type, six values
  kMachineMessage = 3,        // node, type, message
  kMachineSizeMessage = 4,    // node, type, size, message
  kMachineCriterionTop = 5,   // Size, --- Resultant ---, Allow
  kMachineCriterionUnits = 6, // (inch) F(lb) M(ft-lb) 3F + M able Ratio
  kMachineForceMoment = 7,    // the force heading, the moment heading
  kMachineComponents = 8,     // fx fy fz mx my mz
  kMachineLabelled = 9,       // label and six values
  kMachineCombinedTop = 10,   // --- Resultant ---, Allow
  kMachineCombinedUnits = 11, // F(lb) M(ft-lb) 2F + M able Ratio
  kMachineCombined = 12,      // Combined and five values
  kMachineCriterion = 13,     // node, type, size, F, M, 3F + M, allowable, ratio
};
void WriteMachineRow(int kind, const std::vector<std::string>& fields);

// The screen's layout of buffered line (kind, text) of a pump report or,
// with `machine`, of a compressor or turbine report: each text with its
// left edge and width, measured by `width`.
struct PlacedText {
  int x = 0;
  std::string text;
  int width = 0;
};
using TextMeasure = std::function<int(const std::string&)>;
std::vector<PlacedText> PlaceRotatingLine(int kind, const std::string& text, bool machine, const TextMeasure& width);

// The text without its leading and trailing blanks.
std::string Trim(const std::string& text);
