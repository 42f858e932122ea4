// The line routines of the rotating-equipment reports; see
// RotatingReportLines.h.
#include "evaluations/RotatingReportLines.h"

#include <functional>

#include "evaluations/EvaluationReport.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

using Measure = TextMeasure;

enum class Align { Left, Right, Centre };
struct Placed {
  int x = 0;
  std::string text;
  Align align = Align::Left;
};

std::string Join(const std::vector<std::string>& fields) {
  std::string text;
  for (std::size_t i = 0; i < fields.size(); ++i) text += (i == 0 ? "" : "!") + fields[i];
  return text;
}

// --- pump columns -----------------------------------------------------------------------------

using PumpColumns = EvaluationCheckColumns;

PumpColumns MeasurePumpColumns(const Measure& width) {
  PumpColumns c;
  const int label = width("MMM99999999") + width(UnitLabel(kUnitForce));
  const int number = width("9999999999");
  c.digit = width("9");
  c.calculated = label;
  c.allowed = label + number;
  c.ratio = label + 2 * number + c.digit;
  c.status = c.ratio + 5 * c.digit;
  return c;
}

// --- machine columns ----------------------------------------------------------------------

struct MachineColumns {
  int type = 0, nine = 0, message = 0;
  int value[7] = {};  // right edges of value columns 1..6
};

MachineColumns MeasureMachineColumns(const Measure& width) {
  MachineColumns c;
  c.type = width("NodeMM");
  c.nine = width("9");
  c.message = c.type + width("Exhaust   ");
  const int step = width("99999999 ");
  c.value[1] = width("Exhaust") + width("NodeMM") + step;
  for (int k = 2; k <= 6; ++k) c.value[k] = c.value[k - 1] + step;
  return c;
}

struct Roads {
  PumpColumns pump;
  MachineColumns machine;
};

Roads& PrinterRoads() {
  static Roads roads;
  return roads;
}

const std::string& Field(const std::vector<std::string>& fields, std::size_t i) {
  static const std::string kNone;
  return i < fields.size() ? fields[i] : kNone;
}

int ColumnCentre(const MachineColumns& c, int k) { return c.value[k] - (c.value[2] - c.value[1]) / 2; }

std::vector<Placed> LayoutMachineRow(int kind, const std::vector<std::string>& f, const MachineColumns& c) {
  std::vector<Placed> out;
  auto left = [&](int x, std::size_t i) { out.push_back({x, Field(f, i), Align::Left}); };
  auto right = [&](int x, std::size_t i) { out.push_back({x, Field(f, i), Align::Right}); };
  auto centre = [&](int x, std::size_t i) { out.push_back({x, Field(f, i), Align::Centre}); };
  switch (kind) {
    case kMachineLoadHeadings:
      left(0, 0);
      left(c.type, 1);
      for (int k = 1; k <= 6; ++k) right(c.value[k] - c.nine, static_cast<std::size_t>(k + 1));
      break;
    case kMachineLoads:
      left(0, 0);
      left(c.type, 1);
      for (int k = 1; k <= 6; ++k) right(c.value[k], static_cast<std::size_t>(k + 1));
      break;
    case kMachineMessage:
      left(0, 0);
      left(c.type, 1);
      left(c.message, 2);
      break;
    case kMachineSizeMessage:
      left(0, 0);
      left(c.type, 1);
      right(c.value[1], 2);
      left(c.value[1] + 2 * c.nine, 3);
      break;
    case kMachineCriterionTop:
      centre(ColumnCentre(c, 1), 0);
      centre(c.value[2], 1);
      centre(ColumnCentre(c, 5), 2);
      break;
    case kMachineCriterionUnits:
      left(0, 0);
      left(c.type, 1);
      for (int k = 1; k <= 5; ++k) centre(ColumnCentre(c, k), static_cast<std::size_t>(k + 1));
      right(c.value[6], 7);
      break;
    case kMachineForceMoment:
      centre(ColumnCentre(c, 2), 0);
      centre(ColumnCentre(c, 5), 1);
      break;
    case kMachineComponents:
      for (int k = 1; k <= 6; ++k) right(c.value[k] - c.nine, static_cast<std::size_t>(k - 1));
      break;
    case kMachineLabelled:
      left(c.type - 2 * c.nine, 0);
      for (int k = 1; k <= 6; ++k) right(c.value[k], static_cast<std::size_t>(k));
      break;
    case kMachineCombinedTop:
      centre(c.value[2], 0);
      centre(ColumnCentre(c, 5), 1);
      break;
    case kMachineCombinedUnits:
      for (int k = 2; k <= 5; ++k) centre(ColumnCentre(c, k), static_cast<std::size_t>(k - 2));
      right(c.value[6], 4);
      break;
    case kMachineCombined:
      right(c.value[1], 0);
      for (int k = 2; k <= 6; ++k) right(c.value[k], static_cast<std::size_t>(k - 1));
      break;
    case kMachineCriterion:
      left(0, 0);
      left(c.type, 1);
      for (int k = 1; k <= 6; ++k) right(c.value[k], static_cast<std::size_t>(k + 1));
      break;
    default: left(0, 0); break;
  }
  return out;
}

// The text file's columns of the machine rows.
void FileMachineRow(int kind, const std::vector<std::string>& f) {
  const int values[7] = {0, 26, 35, 44, 55, 64, 73};
  const int words[6] = {24, 33, 42, 53, 62, 71};
  switch (kind) {
    case kMachineLoadHeadings:
      ReportPutText(Field(f, 0), 4);
      ReportPutText(Field(f, 1), 11);
      for (int k = 0; k < 6; ++k) ReportPutText(Field(f, static_cast<std::size_t>(k + 2)), words[k]);
      break;
    case kMachineLoads:
    case kMachineCriterion:
      ReportPutText(Field(f, 0), 4);
      ReportPutText(Field(f, 1), 11);
      for (int k = 1; k <= 6; ++k) ReportPutTextRight(Field(f, static_cast<std::size_t>(k + 1)), values[k]);
      break;
    case kMachineMessage:
      ReportPutText(Field(f, 0), 4);
      ReportPutText(Field(f, 1), 11);
      ReportPutText(Field(f, 2), 20);
      break;
    case kMachineSizeMessage:
      ReportPutText(Field(f, 0), 4);
      ReportPutText(Field(f, 1), 11);
      ReportPutTextRight(Field(f, 2), 26);
      ReportPutText(Field(f, 3), 29);
      break;
    case kMachineCriterionTop: ReportPutText("Size     --- Resultant ---            Allow-", 22); break;
    case kMachineCriterionUnits:
      ReportPutText("Node    Type     (inch)    F(lb)   M(ft-lb)    3F + M    able    Ratio", 4);
      break;
    case kMachineForceMoment:
      ReportPutCentred(Field(f, 0), 20, 47);
      ReportPutCentred(Field(f, 1), 49, 76);
      break;
    case kMachineComponents:
      for (int k = 0; k < 6; ++k) ReportPutText(Field(f, static_cast<std::size_t>(k)), words[k]);
      break;
    case kMachineLabelled:
      ReportPutText(Field(f, 0), 7);
      for (int k = 1; k <= 6; ++k) ReportPutTextRight(Field(f, static_cast<std::size_t>(k)), values[k]);
      break;
    case kMachineCombinedTop: ReportPutText("--- Resultant ---            Allow", 31); break;
    case kMachineCombinedUnits: ReportPutText("F(lb)   M(ft-lb)    2F + M    able    Ratio", 31); break;
    case kMachineCombined:
      ReportPutText(Field(f, 0), 18);
      for (int k = 2; k <= 6; ++k) ReportPutTextRight(Field(f, static_cast<std::size_t>(k - 1)), values[k]);
      break;
    default: ReportPutText(Field(f, 0), 4); break;
  }
}

void PrinterPlaced(const std::vector<Placed>& items) {
  const int left = PrinterPage().unit;
  PrinterTextLeft("");
  for (const Placed& p : items) {
    if (p.text.empty()) continue;
    switch (p.align) {
      case Align::Left: PrinterTextAt(left + p.x, p.text); break;
      case Align::Right: PrinterTextRight(left + p.x, p.text); break;
      case Align::Centre: PrinterTextCentred(left + p.x, p.text); break;
    }
  }
  PrinterNewLine();
}

}  // namespace

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void BeginRotatingReport(bool /*machine*/) {
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer: {
      const Measure width = [](const std::string& text) { return PrinterTextWidth(text); };
      PrinterRoads().pump = MeasurePumpColumns(width);
      PrinterRoads().machine = MeasureMachineColumns(width);
      return;
    }
    case EvaluationOutput::Screen: EvaluationReportClearLines(); return;
    case EvaluationOutput::File: return;
  }
}

void WriteReportTitle(const std::string& title) {
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer:
      PrinterHeadingBar(title);
      PrinterNewLine();
      PrinterQuarterLine();
      return;
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        ReportAppendLine(CsvQuoted(title));
        ReportNewLine();
        return;
      }
      ReportPutTextCentredLine(title);
      ReportNewLine();
      ReportRule();
      return;
    case EvaluationOutput::Screen: EvaluationReportWriteLine(title); return;
  }
}

void WriteReportSpace() {
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer: PrinterQuarterLine(); return;
    case EvaluationOutput::File: ReportNewLine(); return;
    case EvaluationOutput::Screen: return;
  }
}

void WritePumpHeadingRow() {
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer: PrinterCheckHeadingRow(PrinterRoads().pump); return;
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        ReportAppendLine(",Calculated,Allowed,Ratio,Status");
        ReportNewLine();
        return;
      }
      ReportNewLine();
      ReportPutText("Calculated   Allowed      Ratio      Status", 17);
      ReportNewLine();
      ReportNewLine();
      return;
    case EvaluationOutput::Screen:
      EvaluationReportSetLine("", kEvaluationHeadingRow);
      EvaluationReportNextLine();
      return;
  }
}

void WritePumpCheckRow(const std::string& label, const std::string& calculated, const std::string& allowed,
                       const std::string& ratio, const std::string& status) {
  const std::string c = Trim(calculated), a = Trim(allowed), r = Trim(ratio);
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer: PrinterCheckRow(PrinterRoads().pump, label, c, a, r, status); return;
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        ReportAppendLine(CsvQuoted(label) + "," + c + "," + a + "," + r + "," + status);
      } else {
        ReportPutText(label, 6);
        ReportPutTextRight(c, 25);
        ReportPutTextRight(a, 35);
        ReportPutTextRight(r, 47);
        ReportPutText(status, 54);
      }
      ReportNewLine();
      return;
    case EvaluationOutput::Screen:
      EvaluationReportSetLine(label + "!" + c + " " + a + " " + r + " " + status, kEvaluationCheckRow);
      EvaluationReportNextLine();
      return;
  }
}

void WritePumpInteractionRow(const std::string& text, const std::string& value, const std::string& status) {
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer: {
      const PumpColumns& p = PrinterRoads().pump;
      const int left = PrinterPage().unit;
      PrinterTextLeft(text);
      PrinterTextRight(left + p.ratio, value);
      PrinterTextAt(left + p.status, status);
      PrinterNewLine();
      return;
    }
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        ReportAppendLine(CsvQuoted(text) + ",,," + value + "," + status);
      } else {
        ReportPutText(text, 6);
        ReportPutTextRight(value, 47);
        ReportPutText(status, 54);
      }
      ReportNewLine();
      return;
    case EvaluationOutput::Screen:
      EvaluationReportSetLine(text + "!" + value + " " + status, kEvaluationInteractionRow);
      EvaluationReportNextLine();
      return;
  }
}

void WritePumpStressRow(const std::string& text, const std::string& status) {
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer: {
      const PumpColumns& p = PrinterRoads().pump;
      const int left = PrinterPage().unit;
      PrinterTextLeft(text);
      PrinterTextAt(left + p.status, status);
      PrinterNewLine();
      return;
    }
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        ReportAppendLine(CsvQuoted(text) + ",,,," + status);
      } else {
        ReportPutText(text, 6);
        ReportPutText(status, 54);
      }
      ReportNewLine();
      return;
    case EvaluationOutput::Screen:
      EvaluationReportSetLine(text + "!" + status, kEvaluationStressRow);
      EvaluationReportNextLine();
      return;
  }
}

void WriteMachineRow(int kind, const std::vector<std::string>& fields) {
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer:
      PrinterPlaced(LayoutMachineRow(kind, fields, PrinterRoads().machine));
      return;
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        std::string line;
        for (std::size_t i = 0; i < fields.size(); ++i) line += (i == 0 ? "" : ",") + CsvQuoted(fields[i]);
        ReportAppendLine(line);
      } else {
        FileMachineRow(kind, fields);
      }
      ReportNewLine();
      return;
    case EvaluationOutput::Screen:
      EvaluationReportSetLine(Join(fields), kind);
      EvaluationReportNextLine();
      return;
  }
}

// --- drawing on the screen ------------------------------------------------------------------

// What the report table needs to lay a buffered line out: the placed texts
// of a line for the table's measure.
std::vector<PlacedText> PlaceRotatingLine(int kind, const std::string& text, bool machine, const TextMeasure& width) {
  std::vector<PlacedText> out;
  auto put = [&](int x, const std::string& t, Align a) {
    if (t.empty()) return;
    const int w = width(t);
    const int left = a == Align::Left ? x : a == Align::Right ? x - w : x - w / 2;
    out.push_back({left, t, w});
  };
  if (kind == 0) {
    put(0, text, Align::Left);
    return out;
  }
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t bang = text.find('!', start);
    fields.push_back(text.substr(start, bang == std::string::npos ? std::string::npos : bang - start));
    if (bang == std::string::npos) break;
    start = bang + 1;
  }
  if (machine) {
    for (const Placed& p : LayoutMachineRow(kind, fields, MeasureMachineColumns(width))) put(p.x, p.text, p.align);
    return out;
  }
  const PumpColumns c = MeasurePumpColumns(width);
  if (kind == kEvaluationHeadingRow) {
    put(c.calculated + 2 * c.digit, "Calculated", Align::Right);
    put(c.allowed + c.digit, "Allowed", Align::Right);
    put(c.ratio, "Ratio", Align::Right);
    put(c.status, "Status", Align::Left);
    return out;
  }
  put(0, Field(fields, 0), Align::Left);
  std::vector<std::string> values;
  std::size_t at = 0;
  const std::string rest = Field(fields, 1);
  while (at < rest.size()) {
    const std::size_t blank = rest.find(' ', at);
    values.push_back(rest.substr(at, blank == std::string::npos ? std::string::npos : blank - at));
    if (blank == std::string::npos) break;
    at = blank + 1;
  }
  if (kind == kEvaluationCheckRow && values.size() >= 4) {
    put(c.calculated, values[0], Align::Right);
    put(c.allowed, values[1], Align::Right);
    put(c.ratio, values[2], Align::Right);
    put(c.status, values[3], Align::Left);
  } else if (kind == kEvaluationInteractionRow && values.size() >= 2) {
    put(c.ratio, values[0], Align::Right);
    put(c.status, values[1], Align::Left);
  } else if (!values.empty()) {
    put(c.status, values.back(), Align::Left);
  }
  return out;
}
