// The shared evaluation report lines and their table (see
// LugEvaluationLines.h).
#include "evaluations/LugEvaluationLines.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "evaluations/EvaluationReport.h"
#include "graphics/PrinterReport.h"
#include "graphics/ReportOutput.h"
#include "platform/Gdi.h"
#include "shell/General.h"
#include "shell/NumberText.h"
#include "shell/TableWindow.h"
#include "shell/Units.h"

namespace {

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

template <typename Width>
Columns Measure(EvaluationLinesStyle style, bool printer, Width width) {
  Columns c;
  const int digit = width("9");
  const std::string stress = UnitLabel(kUnitStress);
  if (style == EvaluationLinesStyle::Nozzle) {
    const int L = width("MMMMMMMMMMMMMMMM999999999" + stress), w = width("99999999");
    auto V = [&](int k) { return L + k * w + (k - 1) * digit; };
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
  const int WL = width("MMMMMMMMMMMMMMMMMMMMMMMMM999999999999999 " + stress), W10 = width("9999999999");
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

struct LinesState {
  EvaluationLinesStyle style = EvaluationLinesStyle::Lug;
  Columns printer;
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
        ReportPutText(label + " " + unit, 6);
        ReportPutTextRight(calculatedText, 69);
        ReportPutTextRight(allowedText, 79);
        if (hasRatio) ReportPutTextRight(ratioText, 87);
        if (!statusText.empty()) ReportPutTextRight(statusText, 98);
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

struct RowParts {
  std::string label;
  std::vector<std::string> values;
};

RowParts SplitRow(const std::string& text) {
  RowParts parts;
  const std::size_t bang = text.find('!');
  parts.label = text.substr(0, bang);
  if (bang == std::string::npos) return parts;
  std::istringstream rest(text.substr(bang + 1));
  std::string value;
  while (rest >> value) parts.values.push_back(value);
  return parts;
}

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
  Columns Measured() const {
    return Measure(style_, false, [this](const std::string& text) { return TextWidth(text); });
  }
  void DefineColumns() override {
    int width = Measured().width + TextWidth("Status  ");
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
    const Columns c = Measured();
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
    const RowParts parts = SplitRow(line.text);
    Out(x, y, parts.label);
    const auto value = [&](std::size_t i) { return i < parts.values.size() ? parts.values[i] : std::string(); };
    switch (line.kind) {
      case kEvaluationCheckRow:
        right(c.calculatedRight, value(0));
        right(c.allowedRight, value(1));
        right(c.ratioRight, value(2));
        if (value(3) != "-") Out(x + c.statusLeft, y, value(3));
        return;
      case kEvaluationInteractionRow:  // a value line
        right(c.valueRight, value(0));
        if (value(1) != "-") Out(x + c.unitLeft, y, value(1));
        return;
      case kEvaluationStressRow:
        Out(x + c.figureLeft, y, value(0) == "-" ? std::string() : value(0));
        for (std::size_t i = 0; i < 8; ++i) right(c.stressRight[i], value(i + 1));
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
  std::string name_;
  void (*print_)() = nullptr;
};

}  // namespace

void BeginEvaluationLines(EvaluationLinesStyle style) {
  State().style = style;
  if (CurrentEvaluationOutput() == EvaluationOutput::Printer)
    State().printer = Measure(style, true, [](const std::string& text) { return PrinterTextWidth(text); });
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
        ReportPutTextRight(shown, 70);
        if (unit != "-") ReportPutText(unit, 75);
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
      ReportPutText(WithStatus() ? "Calculated   Allowed   Ratio   Status" : "Calculated   Allowed   Ratio", 60);
      ReportNewLine();
      ReportPutTextRight(unit, 69);
      ReportPutTextRight(unit, 79);
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
      ReportPutText("Stresses              Fig_No       Au       Al      Bu      Bl      Cu      Cl      Du      Dl",
                    4);
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
        static const int kEdges[8] = {40, 49, 57, 65, 73, 81, 89, 97};
        ReportPutText(label, 4);
        ReportPutTextRight(figure, 31);
        for (std::size_t i = 0; i < 8; ++i) ReportPutTextRight(texts[i], kEdges[i]);
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
