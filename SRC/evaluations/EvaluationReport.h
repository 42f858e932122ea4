// The line routines of the evaluation reports. One report routine serves
// three outputs, decided per line by the report core's flags: the printer
// recording (g_Recording), else the report file (g_ReportFileOpen), else an
// on-screen line buffer that a table window of the tool shows.
//
// The buffer holds up to 100 entries numbered from 0, each a kind and an
// owned copy of its text, and the index of the entry being written. Kinds:
// 0 a plain line; 1 the column headings of a check table (no text); 2 a
// check row: the label, the character "!", then the calculated value, the
// allowed value, the ratio and the status separated by blanks; 3 an
// interaction row (text, "!", value, status); 4 a stress row (text, "!",
// status). The nozzle and lug reports keep a value line ("label:! value
// unit") in kind 3 and a WRC 537 stress row in kind 4 (LugEvaluationLines.h). A report never writes more than 100 lines; writes beyond the
// last entry are dropped.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

enum EvaluationLineKind : int {
  kEvaluationPlainLine = 0,
  kEvaluationHeadingRow = 1,
  kEvaluationCheckRow = 2,
  kEvaluationInteractionRow = 3,
  kEvaluationStressRow = 4,
};
constexpr int kEvaluationReportLines = 100;

struct EvaluationLine {
  int kind = kEvaluationPlainLine;
  std::string text;
};

// The buffer: store at the current index, advance, clear everything.
void EvaluationReportSetLine(const std::string& text, int kind = kEvaluationPlainLine);
void EvaluationReportNextLine();
void EvaluationReportClearLines();
// The entries written so far (the index of the next one).
int EvaluationReportLineCount();
// Entry `index` (0 .. count - 1); an empty plain line outside them.
const EvaluationLine& EvaluationReportLineAt(int index);

// A plain line: on the printer at the left margin and a new line; in the
// file at column 4 and a new line; in the buffer stored and advanced.
void EvaluationReportWriteLine(const std::string& text);
// The end of a line: a new line on the printer and in the file, the next
// entry in the buffer.
void EvaluationReportEndLine();
// A small gap: half a line on the printer, a new line in the file, nothing
// in the buffer.
void EvaluationReportGap();

// The value columns of a check table on the printer, from the left margin:
// the right edges of the calculated and allowed values and of the ratio,
// the start of the status, and the width of a digit in the printer's font.
struct EvaluationCheckColumns {
  int calculated = 0, allowed = 0, ratio = 0, status = 0, digit = 0;
};
// A check table's heading row on the printer: "Calculated" and "Allowed"
// end two and one digits past their values' edges, over the decimals.
void PrinterCheckHeadingRow(const EvaluationCheckColumns& columns);
// A check row on the printer: the label at the margin, the texts in their
// columns.
void PrinterCheckRow(const EvaluationCheckColumns& columns, const std::string& label, const std::string& calculated,
                     const std::string& allowed, const std::string& ratio, const std::string& status);

// A buffered row taken apart for a table window to draw: the label before
// `separator` and the words after it ("" for a word past the last).
struct EvaluationRowParts {
  std::string label;
  std::vector<std::string> values;
  std::string Word(std::size_t index) const { return index < values.size() ? values[index] : std::string(); }
};
EvaluationRowParts SplitEvaluationRow(const std::string& text, const std::string& separator);

// Which output the next line goes to.
enum class EvaluationOutput { Printer, File, Screen };
EvaluationOutput CurrentEvaluationOutput();

// While one lives, the lines go to the buffer whatever the report core's
// output is, and the buffer's own lines wait aside until it ends: a report
// is written through once this way so that its columns can be measured over
// its own lines before it goes to the printer or the page.
class EvaluationLinesRehearsal {
 public:
  EvaluationLinesRehearsal();
  ~EvaluationLinesRehearsal();
  EvaluationLinesRehearsal(const EvaluationLinesRehearsal&) = delete;
  EvaluationLinesRehearsal& operator=(const EvaluationLinesRehearsal&) = delete;

 private:
  std::vector<EvaluationLine> kept_;
  int keptCount_ = 0;
  bool wasRehearsing_ = false;
};
