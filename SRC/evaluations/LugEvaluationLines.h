// The line writers that the lug and the nozzle evaluation reports share,
// and the table window that shows either report in the List frame. Each
// writer puts its line on the output the report core chooses (printer,
// text or comma-separated page, or the evaluation line buffer on the
// screen; EvaluationReport.h).
//
// Screen entries: plain lines (kind 0) hold their text; a results table's
// column headings (kind 1) no text; a result line (kind 2) "label unit!"
// and the calculated value, the allowed value, the ratio and (nozzle) the
// status separated by blanks, "-" where there is none; a value line (kind
// 3) "label:! value unit", unit "-" for none; a stress row (kind 4)
// "label!figure" and eight stresses.
//
// The columns are measured in the output's font. The two reports measure
// them differently (the nozzle's stress table needs nine value columns,
// the lug's labels are longer): the report being built sets its style
// first. Whatever the style, the label column reaches past the widest label
// of the report's lines, so that no value is drawn over its label; the
// text page's columns move right for the same reason. Without an allowable (below 1.0) a result line has no ratio and
// no status: no allowable is no pass.
#pragma once

#include <array>
#include <functional>
#include <string>

class ResultTableWindow;

enum class EvaluationLinesStyle { Lug, Nozzle };

// The style of the lines written next. On the printer and the text page
// the report's `lines` are first written through once aside (they must
// write what the report writes next), and the columns measured over them:
// in the printer's font, or in characters.
void BeginEvaluationLines(EvaluationLinesStyle style, const std::function<void()>& lines);

// A section heading.
void LugReportLine(const std::string& text);
// "label:" (ending in its colon), the value and its unit label ("-": none).
void LugReportValueLine(const std::string& label, const std::string& value, const std::string& unit);
// A results table's title and column headings.
void LugResultsTable(const std::string& title);
// A result line of the lug report: label (the stress unit follows it),
// calculated, allowed, ratio.
void LugResultLine(const std::string& label, float calculated, float allowed);
// The nozzle's compliance line: the same with the status.
void StressComplianceLine(const std::string& label, float calculated, float allowed);
// The WRC 537 stress table's heading and rows.
void Wrc537StressHeading();
void Wrc537StressRow(const std::string& label, const std::string& figure, const std::array<float, 8>& stresses);

// The ratio of a result line; none (false) below an allowable of 1.0.
bool EvaluationRatio(float calculated, float allowed, double& ratio);

// The table window of a report of `style` titled `printName`, whose
// printing runs `print`.
ResultTableWindow& EvaluationLinesTable(EvaluationLinesStyle style);
void SetEvaluationLinesTablePrint(EvaluationLinesStyle style, const char* printName, void (*print)());
