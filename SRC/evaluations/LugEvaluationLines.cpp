// The shared evaluation report lines and their table (see
// LugEvaluationLines.h).
#include "evaluations/LugEvaluationLines.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "evaluations/EvaluationReport.h"
#include "platform/Gdi.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "services/General.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableWindow.h"
#include "services/Units.h"

namespace {

// A buffered line taken apart: the label, and the words after the "!".
EvaluationRowParts SplitRow(const std::string& text) { return SplitEvaluationRow(text, "!"); }

// What the lines in the buffer ask of the columns, in the output's measure:
// the least edge of the label column, so that every label ends a gap (one
// digit) before the text that is right-aligned at that edge; and the room
// a stress row's figure needs with its first stress after it. The edge
// lies a digit (values, figures) or two (calculated stresses) further
// right on the printer.
struct LineNeeds {
  int labelEdge = 0;
  int figureRoom = 0;
};

template <typename Width>
LineNeeds NeedsOfLines(bool printer, Width width) {
  const int digit = width("9");
  LineNeeds needs;
  for (int index = 0; index < EvaluationReportLineCount(); ++index) {
    const EvaluationLine& line = EvaluationReportLineAt(index);
    if (line.kind != kEvaluationCheckRow && line.kind != kEvaluationInteractionRow && line.kind != kEvaluationStressRow)
      continue;
    const EvaluationRowParts parts = SplitRow(line.text);
    const int label = width(parts.label) + digit;
    int edge = 0;
    if (line.kind == kEvaluationInteractionRow) {
      edge = label + width(parts.Word(0)) - (printer ? digit : 0);
    } else if (line.kind == kEvaluationCheckRow) {
      edge = label + width(parts.Word(0)) - (printer ? 2 * digit : 0);
    } else {
      edge = label - (printer ? digit : 0);
      const std::string figure = parts.Word(0) == "-" ? std::string() : parts.Word(0);
      needs.figureRoom = std::max(needs.figureRoom, width(figure) + digit + width(parts.Word(1)));
    }
    needs.labelEdge = std::max(needs.labelEdge, edge);
  }
  return needs;
}

// Where the parts of the lines go, from the left of the line: right edges
// of values, left edges of texts.
struct Columns {
  int valueRight = 0, unitLeft = 0;
  int calculatedRight = 0, allowedRight = 0, ratioRight = 0, statusLeft = 0;
  int headingCalculated = 0, headingAllowed = 0, headingRatio = 0, headingStatus = 0;
  int figureLeft = 0;
  std::array<int, 8> stressRight{};
  int width = 0;  // of the widest row of columns
};

// The columns of the style, the label column widened to the widest label
// of the lines in the buffer (and the nozzle's value columns moved right
// of the widest figure).
template <typename Width>
Columns Measure(EvaluationLinesStyle style, bool printer, Width width) {
  Columns c;
  const int digit = width("9");
  const std::string stress = UnitLabel(kUnitStress);
  const LineNeeds needs = NeedsOfLines(printer, width);
  if (style == EvaluationLinesStyle::Nozzle) {
    const int L = std::max(width("MMMMMMMMMMMMMMMM999999999" + stress), needs.labelEdge), w = width("99999999");
    const int figure = std::max(needs.figureRoom - w, 0);
    auto V = [&](int k) { return L + figure + k * w + (k - 1) * digit; };
    const int shift = printer ? digit : 0;
    c.valueRight = L + shift;
    c.unitLeft = L + 2 * digit;
    c.calculatedRight = printer ? L + 2 * digit : L;
    c.allowedRight = V(1) + shift;
    c.ratioRight = V(2);
    c.statusLeft = V(3);
    c.headingCalculated = L + 2 * digit;
    c.headingAllowed = V(1) + digit;
    c.headingRatio = V(2);
    c.headingStatus = V(3);
    c.figureLeft = L + shift;
    for (int k = 1; k <= 8; ++k) c.stressRight[static_cast<std::size_t>(k - 1)] = V(k) + shift;
    c.width = V(9);
    return c;
  }
  const int WL = std::max(width("MMMMMMMMMMMMMMMMMMMMMMMMM999999999999999 " + stress), needs.labelEdge);
  const int W10 = width("9999999999");
  const int EA = WL + W10, ER = EA + digit + W10, ES = ER + 5 * digit;
  c.valueRight = printer ? WL + digit : WL;
  c.unitLeft = WL + 2 * digit;
  c.calculatedRight = printer ? WL + 2 * digit : WL;
  c.allowedRight = printer ? EA + digit : EA;
  c.ratioRight = ER;
  c.statusLeft = ES;
  c.headingCalculated = WL + 2 * digit;
  c.headingAllowed = EA + digit;
  c.headingRatio = ER;
  c.headingStatus = ES;
  c.width = ER;
  return c;
}

// The columns of the text page (numbered from 1): those of the report's
// design, moved right where a text of the lines in the buffer would reach
// the one before it: a value line's value (right-aligned to 70, its unit at
// 75), a result table (calculated, allowed, ratio and status right-aligned
// to 69, 79, 87 and 98, the headings from 60) and the stress table (the
// figure right-aligned to 31, the stresses to 40, 49, 57 ... 97, eight
// apart, which a stress of eight characters fills).
struct PageColumns {
  int valueRight = 70;
  int unitLeft = 75;
  int resultShift = 0;
  int figureRight = 31;
  std::array<int, 8> stressRight{40, 49, 57, 65, 73, 81, 89, 97};
};

PageColumns MeasurePage() {
  PageColumns page;
  const auto length = [](const std::string& text) { return static_cast<int>(text.size()); };
  int stressShift = 0, widestStress = 0;
  for (int index = 0; index < EvaluationReportLineCount(); ++index) {
    const EvaluationLine& line = EvaluationReportLineAt(index);
    const EvaluationRowParts parts = SplitRow(line.text);
    // Each label starts at its column (4, results 6) and is followed by a blank.
    if (line.kind == kEvaluationInteractionRow) {
      page.valueRight = std::max(page.valueRight, 4 + length(parts.label) + length(parts.Word(0)));
    } else if (line.kind == kEvaluationCheckRow) {
      page.resultShift = std::max(page.resultShift, 6 + length(parts.label) + length(parts.Word(0)) - 69);
    } else if (line.kind == kEvaluationStressRow) {
      stressShift = std::max(stressShift, 4 + length(parts.label) + length(parts.Word(0)) - 31);
      for (std::size_t i = 1; i < parts.values.size(); ++i)
        widestStress = std::max(widestStress, length(parts.values[i]));
    }
  }
  page.unitLeft = page.valueRight + 5;
  const std::array<int, 8> design = page.stressRight;
  page.figureRight += stressShift;
  page.stressRight[0] += stressShift;
  for (std::size_t i = 1; i < design.size(); ++i)
    page.stressRight[i] = page.stressRight[i - 1] + std::max(design[i] - design[i - 1], widestStress + 1);
  return page;
}

struct LinesState {
  EvaluationLinesStyle style = EvaluationLinesStyle::Lug;
  Columns printer;
  PageColumns page;
};

LinesState& State() {
  static LinesState state;
  return state;
}

bool WithStatus() { return State().style == EvaluationLinesStyle::Nozzle; }

std::string Trimmed(const char* text) {
  std::string value = text;
  TrimBlanks(value);
  return value;
}

void ScreenLine(const std::string& text, int kind) {
  EvaluationReportSetLine(text, kind);
  EvaluationReportNextLine();
}

void PrinterRoom(int lines) {
  if (PrinterLinesLeft() < lines) PrinterPageHeading();
}

void ResultLine(const std::string& label, float calculated, float allowed, bool status) {
  double ratio = 0;
  const bool hasRatio = EvaluationRatio(calculated, allowed, ratio);
  const std::string unit = UnitLabel(kUnitStress);
  const std::string calculatedText = Trimmed(FormatStress(calculated));
  const std::string allowedText = Trimmed(FormatStress(allowed));
  const std::string ratioText = hasRatio ? Trimmed(FormatFixedWidth(ratio, 10, 3)) : std::string();
  const std::string statusText = status && hasRatio ? (ratio >= 1.0 ? "Fail" : "Pass") : "";
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer: {
      const Columns& c = State().printer;
      const int left = PrinterPage().unit;
      PrinterTextLeft(label + " " + unit);
      PrinterTextRight(left + c.calculatedRight, calculatedText);
      PrinterTextRight(left + c.allowedRight, allowedText);
      if (hasRatio) PrinterTextRight(left + c.ratioRight, ratioText);
      if (!statusText.empty()) PrinterTextAt(left + c.statusLeft, statusText);
      PrinterNewLine();
      return;
    }
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        std::string row = CsvQuoted(label + " " + unit) + "," + calculatedText + "," + allowedText + "," + ratioText;
        if (status) row += "," + statusText;
        ReportAppendLine(row);
      } else {
        const int shift = State().page.resultShift;
        ReportPutText(label + " " + unit, 6);
        ReportPutTextRight(calculatedText, 69 + shift);
        ReportPutTextRight(allowedText, 79 + shift);
        if (hasRatio) ReportPutTextRight(ratioText, 87 + shift);
        if (!statusText.empty()) ReportPutTextRight(statusText, 98 + shift);
      }
      ReportNewLine();
      return;
    case EvaluationOutput::Screen: {
      std::string text = label + " " + unit + "!" + calculatedText + " " + allowedText + " " +
                         (hasRatio ? ratioText : "-");
      if (status) text += " " + (statusText.empty() ? std::string("-") : statusText);
      ScreenLine(text, kEvaluationCheckRow);
      return;
    }
  }
}

// --- the table ---------------------------------------------------------------------------------

class LinesTable : public ResultTableWindow {
 public:
  explicit LinesTable(EvaluationLinesStyle style) : style_(style) {
    rowNumbers = false;
    editable = false;
  }
  void SetPrint(const char* name, void (*print)()) {
    name_ = name;
    print_ = print;
  }
  std::string PrintName() override { return name_; }
  int TextWidth(const std::string& text) const {
    SIZE size{0, 0};
    if (!text.empty()) GetTextExtentPoint32(Dc(), text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  }
  void DefineColumns() override {
    columns_ = Measure(style_, false, [this](const std::string& text) { return TextWidth(text); });
    int width = columns_.width + TextWidth("Status  ");
    for (int index = 0; index < EvaluationReportLineCount(); ++index) {
      const EvaluationLine& line = EvaluationReportLineAt(index);
      if (line.kind == kEvaluationPlainLine) width = std::max(width, TextWidth(line.text));
    }
    widths[1] = width + 2 * Metrics().cellMargin;
  }
  std::string CellText(int row, int /*column*/, int /*line*/) override {
    const EvaluationLine& line = EvaluationReportLineAt(row - 1);
    return line.kind == kEvaluationPlainLine ? line.text : std::string();
  }
  void DrawCellCustom(int row, int /*column*/, int /*line*/, int& x, int& y, const std::string& /*text*/) override {
    const EvaluationLine& line = EvaluationReportLineAt(row - 1);
    if (line.kind == kEvaluationPlainLine) return;
    const Columns& c = columns_;
    auto right = [&](int edge, const std::string& text) {
      if (text != "-") Out(x + edge - TextWidth(text), y, text);
    };
    if (line.kind == kEvaluationHeadingRow) {
      right(c.headingCalculated, "Calculated");
      right(c.headingAllowed, "Allowed");
      right(c.headingRatio, "Ratio");
      if (style_ == EvaluationLinesStyle::Nozzle) Out(x + c.headingStatus, y, "Status");
      return;
    }
    const EvaluationRowParts parts = SplitRow(line.text);
    Out(x, y, parts.label);
    switch (line.kind) {
      case kEvaluationCheckRow:
        right(c.calculatedRight, parts.Word(0));
        right(c.allowedRight, parts.Word(1));
        right(c.ratioRight, parts.Word(2));
        if (parts.Word(3) != "-") Out(x + c.statusLeft, y, parts.Word(3));
        return;
      case kEvaluationInteractionRow:  // a value line
        right(c.valueRight, parts.Word(0));
        if (parts.Word(1) != "-") Out(x + c.unitLeft, y, parts.Word(1));
        return;
      case kEvaluationStressRow:
        Out(x + c.figureLeft, y, parts.Word(0) == "-" ? std::string() : parts.Word(0));
        for (std::size_t i = 0; i < 8; ++i) right(c.stressRight[i], parts.Word(i + 1));
        return;
      default: return;
    }
  }
  void DrawRowRule(int /*visibleRow*/) override {}
  void DrawColumnRule(int /*column*/) override {}
  void DoubleClick() override {}
  void WriteText() override {
    if (print_ != nullptr) print_();
  }

 private:
  void Out(int x, int y, const std::string& text) const {
    if (!text.empty()) TextOut(Dc(), x, y, text.data(), static_cast<int>(text.size()));
  }
  EvaluationLinesStyle style_;
  Columns columns_;  // measured over the lines shown, with the columns
  std::string name_;
  void (*print_)() = nullptr;
};

}  // namespace

void BeginEvaluationLines(EvaluationLinesStyle style, const std::function<void()>& lines) {
  State().style = style;
  const EvaluationOutput output = CurrentEvaluationOutput();
  if (output == EvaluationOutput::Screen || (output == EvaluationOutput::File && g_ReportToFile)) return;
  EvaluationLinesRehearsal rehearsal;
  lines();
  if (output == EvaluationOutput::Printer)
    State().printer = Measure(style, true, [](const std::string& text) { return PrinterTextWidth(text); });
  else
    State().page = MeasurePage();
}

bool EvaluationRatio(float calculated, float allowed, double& ratio) {
  ratio = 0;
  if (!(allowed >= 1.0f)) return false;
  ratio = std::fabs(static_cast<double>(calculated) / allowed);
  return true;
}

void LugReportLine(const std::string& text) {
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer:
      PrinterRoom(4);
      PrinterHeadingBar(text);
      PrinterNewLine();
      return;
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        EvaluationReportWriteLine(text);
        return;
      }
      ReportRule();
      ReportPutCentred(text, 4, 98);
      ReportNewLine();
      ReportRule();
      return;
    case EvaluationOutput::Screen: ScreenLine(text, kEvaluationPlainLine); return;
  }
}

void LugReportValueLine(const std::string& label, const std::string& value, const std::string& unit) {
  const std::string shown = Trimmed(value.c_str());
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer: {
      const Columns& c = State().printer;
      const int left = PrinterPage().unit;
      PrinterTextLeft(label);
      PrinterTextRight(left + c.valueRight, shown);
      if (unit != "-") PrinterTextAt(left + c.unitLeft, unit);
      PrinterNewLine();
      return;
    }
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        ReportAppendLine(CsvQuoted(label) + "," + shown + "," + (unit == "-" ? std::string() : CsvQuoted(unit)));
      } else {
        ReportPutText(label, 4);
        ReportPutTextRight(shown, State().page.valueRight);
        if (unit != "-") ReportPutText(unit, State().page.unitLeft);
      }
      ReportNewLine();
      return;
    case EvaluationOutput::Screen:
      ScreenLine(label + "! " + shown + " " + (unit.empty() ? std::string("-") : unit), kEvaluationInteractionRow);
      return;
  }
}

void LugResultsTable(const std::string& title) {
  const std::string unit = UnitLabel(kUnitStress);
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer: {
      const Columns& c = State().printer;
      const int left = PrinterPage().unit;
      PrinterRoom(5);
      PrinterHeadingBar(title);
      PrinterNewLine();
      PrinterTextLeft("");
      PrinterTextRight(left + c.headingCalculated, "Calculated");
      PrinterTextRight(left + c.headingAllowed, "Allowed");
      PrinterTextRight(left + c.headingRatio, "Ratio");
      if (WithStatus()) PrinterTextAt(left + c.headingStatus, "Status");
      PrinterNewLine();
      PrinterTextRight(left + c.headingCalculated, unit);
      PrinterTextRight(left + c.headingAllowed, unit);
      PrinterNewLine();
      return;
    }
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        EvaluationReportWriteLine(title);
        ReportAppendLine(WithStatus() ? ",Calculated,Allowed,Ratio,Status" : ",Calculated,Allowed,Ratio");
        ReportNewLine();
        return;
      }
      ReportRule();
      ReportPutCentred(title, 4, 98);
      ReportNewLine();
      ReportRule();
      ReportPutText(WithStatus() ? "Calculated   Allowed   Ratio   Status" : "Calculated   Allowed   Ratio",
                    60 + State().page.resultShift);
      ReportNewLine();
      ReportPutTextRight(unit, 69 + State().page.resultShift);
      ReportPutTextRight(unit, 79 + State().page.resultShift);
      ReportNewLine();
      return;
    case EvaluationOutput::Screen:
      ScreenLine(title, kEvaluationPlainLine);
      ScreenLine("", kEvaluationHeadingRow);
      return;
  }
}

void LugResultLine(const std::string& label, float calculated, float allowed) {
  ResultLine(label, calculated, allowed, false);
}

void StressComplianceLine(const std::string& label, float calculated, float allowed) {
  ResultLine(label, calculated, allowed, true);
}

void Wrc537StressHeading() {
  static const char* const kPoints[8] = {"Au", "Al", "Bu", "Bl", "Cu", "Cl", "Du", "Dl"};
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer: {
      const Columns& c = State().printer;
      const int left = PrinterPage().unit;
      PrinterTextLeft("Stresses");
      PrinterTextAt(left + c.figureLeft, "Fig. No");
      for (std::size_t i = 0; i < 8; ++i) PrinterTextRight(left + c.stressRight[i], kPoints[i]);
      PrinterNewLine();
      return;
    }
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        ReportAppendLine("Stresses,Fig. No,Au,Al,Bu,Bl,Cu,Cl,Du,Dl");
        ReportNewLine();
        return;
      }
      ReportRule();
      ReportPutText("Stresses", 4);
      ReportPutTextRight("Fig_No", State().page.figureRight);
      for (std::size_t i = 0; i < 8; ++i) ReportPutTextRight(kPoints[i], State().page.stressRight[i]);
      ReportNewLine();
      ReportRule();
      return;
    case EvaluationOutput::Screen: ScreenLine("Stresses!Fig.No Au Al Bu Bl Cu Cl Du Dl", kEvaluationStressRow); return;
  }
}

void Wrc537StressRow(const std::string& label, const std::string& figure, const std::array<float, 8>& stresses) {
  std::array<std::string, 8> texts;
  for (std::size_t i = 0; i < 8; ++i) texts[i] = Trimmed(FormatStress(stresses[i]));
  switch (CurrentEvaluationOutput()) {
    case EvaluationOutput::Printer: {
      const Columns& c = State().printer;
      const int left = PrinterPage().unit;
      PrinterTextLeft(label);
      PrinterTextAt(left + c.figureLeft, figure);
      for (std::size_t i = 0; i < 8; ++i) PrinterTextRight(left + c.stressRight[i], texts[i]);
      PrinterNewLine();
      return;
    }
    case EvaluationOutput::File:
      if (g_ReportToFile) {
        std::string row = CsvQuoted(label) + "," + CsvQuoted(figure);
        for (const std::string& text : texts) row += "," + text;
        ReportAppendLine(row);
      } else {
        const PageColumns& page = State().page;
        ReportPutText(label, 4);
        ReportPutTextRight(figure, page.figureRight);
        for (std::size_t i = 0; i < 8; ++i) ReportPutTextRight(texts[i], page.stressRight[i]);
      }
      ReportNewLine();
      return;
    case EvaluationOutput::Screen: {
      std::string text = label + "!" + (figure.empty() ? std::string("-") : figure);
      for (const std::string& value : texts) text += " " + value;
      ScreenLine(text, kEvaluationStressRow);
      return;
    }
  }
}

ResultTableWindow& EvaluationLinesTable(EvaluationLinesStyle style) {
  static LinesTable lug(EvaluationLinesStyle::Lug);
  static LinesTable nozzle(EvaluationLinesStyle::Nozzle);
  return style == EvaluationLinesStyle::Nozzle ? nozzle : lug;
}

void SetEvaluationLinesTablePrint(EvaluationLinesStyle style, const char* printName, void (*print)()) {
  static_cast<LinesTable&>(EvaluationLinesTable(style)).SetPrint(printName, print);
}
