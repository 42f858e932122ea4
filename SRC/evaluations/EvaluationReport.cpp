// The evaluation report lines (see EvaluationReport.h).
#include "evaluations/EvaluationReport.h"

#include <algorithm>
#include <array>
#include <sstream>

#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "services/ReportMode.h"

namespace {

struct LineBuffer {
  std::array<EvaluationLine, kEvaluationReportLines> lines;
  int index = 0;
};

LineBuffer& Buffer() {
  static LineBuffer buffer;
  return buffer;
}

bool& Rehearsing() {
  static bool rehearsing = false;
  return rehearsing;
}

}  // namespace

EvaluationLinesRehearsal::EvaluationLinesRehearsal() : wasRehearsing_(Rehearsing()) {
  LineBuffer& buffer = Buffer();
  keptCount_ = buffer.index;
  kept_.assign(buffer.lines.begin(), buffer.lines.end());
  EvaluationReportClearLines();
  Rehearsing() = true;
}

EvaluationLinesRehearsal::~EvaluationLinesRehearsal() {
  LineBuffer& buffer = Buffer();
  std::copy(kept_.begin(), kept_.end(), buffer.lines.begin());
  buffer.index = keptCount_;
  Rehearsing() = wasRehearsing_;
}

EvaluationOutput CurrentEvaluationOutput() {
  if (Rehearsing()) return EvaluationOutput::Screen;
  if (g_Recording) return EvaluationOutput::Printer;
  if (g_ReportFileOpen) return EvaluationOutput::File;
  return EvaluationOutput::Screen;
}

void EvaluationReportSetLine(const std::string& text, int kind) {
  LineBuffer& buffer = Buffer();
  if (buffer.index < 0 || buffer.index >= kEvaluationReportLines) return;
  buffer.lines[static_cast<std::size_t>(buffer.index)] = EvaluationLine{kind, text};
}

void EvaluationReportNextLine() {
  LineBuffer& buffer = Buffer();
  if (buffer.index < kEvaluationReportLines) ++buffer.index;
}

void EvaluationReportClearLines() {
  LineBuffer& buffer = Buffer();
  for (EvaluationLine& line : buffer.lines) line = EvaluationLine{};
  buffer.index = 0;
}

int EvaluationReportLineCount() { return Buffer().index; }

const EvaluationLine& EvaluationReportLineAt(int index) {
  static const EvaluationLine kNone;
  const LineBuffer& buffer = Buffer();
  if (index < 0 || index >= buffer.index) return kNone;
  return buffer.lines[static_cast<std::size_t>(index)];
}

void EvaluationReportWriteLine(const std::string& text) {
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer:
      PrinterTextLeft(text);
      PrinterNewLine();
      return;
    case EvaluationOutput::File:
      if (g_ReportToFile)
        ReportAppendLine(CsvQuoted(text));
      else
        ReportPutText(text, 4);
      ReportNewLine();
      return;
    case EvaluationOutput::Screen:
      EvaluationReportSetLine(text);
      EvaluationReportNextLine();
      return;
  }
}

void PrinterCheckHeadingRow(const EvaluationCheckColumns& c) {
  const int left = PrinterPage().unit;
  PrinterTextLeft("");
  PrinterTextRight(left + c.calculated + 2 * c.digit, "Calculated");
  PrinterTextRight(left + c.allowed + c.digit, "Allowed");
  PrinterTextRight(left + c.ratio, "Ratio");
  PrinterTextAt(left + c.status, "Status");
  PrinterNewLine();
}

void PrinterCheckRow(const EvaluationCheckColumns& c, const std::string& label, const std::string& calculated,
                     const std::string& allowed, const std::string& ratio, const std::string& status) {
  const int left = PrinterPage().unit;
  PrinterTextLeft(label);
  PrinterTextRight(left + c.calculated, calculated);
  PrinterTextRight(left + c.allowed, allowed);
  PrinterTextRight(left + c.ratio, ratio);
  PrinterTextAt(left + c.status, status);
  PrinterNewLine();
}

EvaluationRowParts SplitEvaluationRow(const std::string& text, const std::string& separator) {
  EvaluationRowParts parts;
  const std::size_t bang = text.find(separator);
  parts.label = text.substr(0, bang);
  if (bang == std::string::npos) return parts;
  std::istringstream rest(text.substr(bang + separator.size()));
  std::string value;
  while (rest >> value) parts.values.push_back(value);
  return parts;
}

void EvaluationReportEndLine() {
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer: PrinterNewLine(); return;
    case EvaluationOutput::File: ReportNewLine(); return;
    case EvaluationOutput::Screen: EvaluationReportNextLine(); return;
  }
}

void EvaluationReportGap() {
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer: PrinterHalfLine(); return;
    case EvaluationOutput::File: ReportNewLine(); return;
    case EvaluationOutput::Screen: return;
  }
}
