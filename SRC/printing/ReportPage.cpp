// The file road's page (see ReportOutput.h): the 59-line page buffer, the
// line and column routines, the CSV cell routines, the page header and the
// page break. The open file and the contents are ReportOutput.cpp.
//
// A text page line is 151 blanks; a CSV line grows with what is placed on
// it. Placement is clipped to the page: text before column 1, past column
// 151 (text mode) or on a line outside 1..59 is dropped, never written
// elsewhere. A text placed by a line routine never covers what a line
// already holds (PutValueInLine; in CSV mode it follows it), and the rules
// of a page take the width of their tables when the page is written.
#include <algorithm>
#include <array>
#include <ctime>
#include <utility>

#include "model/Model.h"
#include "printing/ReportOutput.h"
#include "printing/ReportOutputInternal.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/StartupSwitches.h"
#include "services/Units.h"

std::int32_t g_ReportLine = 1;
std::int32_t g_ReportPage = 0;
std::string g_ReportTitle;
std::string g_ReportDate;
std::string g_LineText;
bool g_RomanPageNumbers = false;
std::int32_t g_ContentsFirstPage = 0;
std::int32_t g_ReportUnnumberedPages = 0;
bool g_ReportPageNumberOff = false;

std::int32_t ReportShownPageNumber() { return g_ReportPage - g_ReportUnnumberedPages; }

namespace {

constexpr int kRuleFirst = 4;
constexpr int kRuleLast = 86;

std::array<std::string, kReportPageLines>& Page() {
  static std::array<std::string, kReportPageLines> page;
  return page;
}

// The lines of the page that hold a rule of ReportRuleAtLine.
std::array<bool, kReportPageLines>& RuledLines() {
  static std::array<bool, kReportPageLines> ruled{};
  return ruled;
}

std::function<void(const std::string&, int, int)>& PlacementWatcher() {
  static std::function<void(const std::string&, int, int)> watcher;
  return watcher;
}

void ClearPage() {
  for (std::string& line : Page()) line.assign(kReportPageColumns, ' ');
  RuledLines().fill(false);
}

// Puts the text's characters from `first` on, up to `limit` columns.
void WriteAt(std::string& line, const std::string& text, long long first, std::size_t limit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const long long at = first + static_cast<long long>(i);
    if (at < 1) continue;
    if (static_cast<std::size_t>(at) > limit) break;
    if (static_cast<std::size_t>(at) > line.size()) line.resize(static_cast<std::size_t>(at), ' ');
    line[static_cast<std::size_t>(at - 1)] = text[i];
  }
}

// The last column from `from` to `to` that holds something, or 0.
long long LastHeld(const std::string& line, long long from, long long to) {
  to = std::min(to, static_cast<long long>(line.size()));
  for (long long at = to; at >= std::max(1LL, from); --at)
    if (line[static_cast<std::size_t>(at - 1)] != ' ') return at;
  return 0;
}

// PutValueInLine within `limit` columns (a text page's line holds 151).
void PutValue(std::string& line, const std::string& text, int column, std::size_t limit) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return;
  const std::string value = text.substr(first, text.find_last_not_of(' ') - first + 1);
  const auto length = static_cast<long long>(value.size());
  long long start = static_cast<long long>(column) + static_cast<long long>(first);
  // Past whatever the value would cover, or touch on its left.
  for (long long held = LastHeld(line, start - 1, start + length - 1); held != 0;
       held = LastHeld(line, start - 1, start + length - 1))
    start = held + 2;
  // A value right behind it moves a column right, while the line has room.
  const long long after = start + length;
  if (after >= 1 && after <= static_cast<long long>(line.size()) && line[static_cast<std::size_t>(after - 1)] != ' ' &&
      (line.size() < limit || line[limit - 1] == ' ')) {
    line.insert(static_cast<std::size_t>(after - 1), 1, ' ');
    if (line.size() > limit) line.resize(limit);
  }
  WriteAt(line, value, start, limit);
}

// A CSV line: the text (with its comma) after whatever it would cover.
void PutCsvText(std::string& line, const std::string& text, int column) {
  long long start = column;
  const auto length = static_cast<long long>(text.size());
  for (long long held = LastHeld(line, start, start + length - 1); held != 0;
       held = LastHeld(line, start, start + length - 1))
    start = held + 1;
  WriteAt(line, text, start, std::string::npos);
}

// Each rule of the page runs on to the last column of the lines it rules:
// those above and below it, up to a blank line or another rule.
void WidenRules() {
  auto& page = Page();
  const auto& ruled = RuledLines();
  for (int line = kReportBodyLine; line <= kReportPageLines; ++line) {
    if (!ruled[static_cast<std::size_t>(line - 1)]) continue;
    long long widest = 0;
    for (int step : {-1, 1})
      for (int other = line + step; other >= kReportBodyLine && other <= kReportPageLines; other += step) {
        const std::string& row = page[static_cast<std::size_t>(other - 1)];
        const long long used = LastHeld(row, 1, static_cast<long long>(row.size()));
        if (ruled[static_cast<std::size_t>(other - 1)] || used == 0) break;
        widest = std::max(widest, used);
      }
    widest = std::min<long long>(widest, kReportPageColumns);
    if (widest > kRuleLast)
      WriteAt(page[static_cast<std::size_t>(line - 1)], std::string(static_cast<std::size_t>(widest - kRuleLast), '-'),
              kRuleLast + 1, kReportPageColumns);
  }
}

// Set while the page's own heading is placed.
bool g_PlacingPageHeader = false;

// Writes `text` from `column` of `line`, clipped to the page.
void Place(const std::string& text, int line, int column) {
  if (!g_PlacingPageHeader) ReportPlaceContentsTitles();
  if (line < 1 || line > kReportPageLines) return;
  std::string& row = Page()[static_cast<std::size_t>(line - 1)];
  if (row.size() < kReportPageColumns) row.resize(kReportPageColumns, ' ');
  const long long last = g_ReportToFile ? (1LL << 20) : kReportPageColumns;
  for (std::size_t i = 0; i < text.size(); ++i) {
    long long at = static_cast<long long>(column) + static_cast<long long>(i);
    if (at < 1) continue;
    if (at > last) break;
    if (static_cast<std::size_t>(at) > row.size()) row.resize(static_cast<std::size_t>(at), ' ');
    row[static_cast<std::size_t>(at - 1)] = text[i];
  }
}

// A text placed by a line routine: in CSV mode it is followed by a comma.
void PlaceText(const std::string& text, int line, int column) {
  if (!g_PlacingPageHeader) ReportPlaceContentsTitles();
  if (PlacementWatcher()) PlacementWatcher()(text, line, column);
  if (line < 1 || line > kReportPageLines) return;
  std::string& row = Page()[static_cast<std::size_t>(line - 1)];
  if (g_ReportToFile) {
    PutCsvText(row, text + ",", column);
    return;
  }
  if (row.size() < kReportPageColumns) row.resize(kReportPageColumns, ' ');
  PutValue(row, text, column, kReportPageColumns);
}

std::string VersionField() {
  return std::string("Version ") + (VerificationMode != 0 ? "5.02J" : kVersionText);
}

// The open library's name, else the model title.
std::string LibraryField() { return TheModel().title; }

std::string NowText() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  char text[32] = {};
  if (localtime_r(&now, &local) != nullptr) std::strftime(text, sizeof text, "%a %b %e %H:%M:%S %Y", &local);
  return text;
}

void AppendCell(std::string& buffer, const std::string& text, bool zeroIsEmpty) {
  if (!text.empty() && !(zeroIsEmpty && text == "0")) buffer += CsvQuoted(text);
  buffer += ",";
}

}  // namespace

void PutValueInLine(std::string& line, const std::string& text, int column) {
  PutValue(line, text, column, std::string::npos);
}

void WatchReportPlacements(std::function<void(const std::string&, int, int)> watcher) {
  PlacementWatcher() = std::move(watcher);
}

std::string CsvQuoted(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string ReportPageLine(int line) {
  if (line < 1 || line > kReportPageLines) return {};
  return Page()[static_cast<std::size_t>(line - 1)];
}

std::string RomanPageNumber(int number) {
  static const char* const kNumerals[] = {"i", "ii", "iii", "iv", "v", "vi", "vii", "viii", "ix", "x", "xi", "xii"};
  if (number >= 1 && number <= 12) return kNumerals[number - 1];
  return std::to_string(number);
}

std::int32_t ReportLinesLeft() { return (g_ReportToFile ? 2101660053 : 60) - g_ReportLine; }

void ReportAppendLine(const std::string& text) { PlaceText(text, g_ReportLine, 1); }
void ReportPutTextAtLine(const std::string& text, int line, int column) { PlaceText(text, line, column); }
void ReportPutText(const std::string& text, int column) { PlaceText(text, g_ReportLine, column); }

void ReportPutTextRightAt(const std::string& text, int line, int column) {
  PlaceText(text, line, column + 1 - static_cast<int>(text.size()));
}
void ReportPutTextRight(const std::string& text, int column) { ReportPutTextRightAt(text, g_ReportLine, column); }

void ReportPutDecimalAlignedAtLine(const std::string& text, int line, int column) {
  std::size_t point = text.find('.');
  int before = static_cast<int>(point == std::string::npos ? text.size() : point);
  PlaceText(text, line, column - before);
}
void ReportPutDecimalAligned(const std::string& text, int column) {
  ReportPutDecimalAlignedAtLine(text, g_ReportLine, column);
}

void ReportPutCentredAtLine(const std::string& text, int line, int firstColumn, int lastColumn) {
  int start = firstColumn;
  if (lastColumn != 0) start = std::max(firstColumn, firstColumn + (lastColumn - firstColumn - static_cast<int>(text.size()) + 1) / 2);
  PlaceText(text, line, start);
}
void ReportPutCentred(const std::string& text, int firstColumn, int lastColumn) {
  ReportPutCentredAtLine(text, g_ReportLine, firstColumn, lastColumn);
}
void ReportPutTextCentredAtLine(const std::string& text, int line) { ReportPutCentredAtLine(text, line, 4, 88); }
void ReportPutTextCentredLine(const std::string& text) { ReportPutCentredAtLine(text, g_ReportLine, 4, 88); }

void ReportPutCharAtLine(char character, int line, int column) { Place(std::string(1, character), line, column); }
void ReportPutChar(char character, int column) { ReportPutCharAtLine(character, g_ReportLine, column); }

void ReportNewLine() {
  ++g_ReportLine;
  if (g_ReportLine > kReportPageLines) ReportNewPage();
}

void ReportRuleAtLine(int line) {
  if (!g_ReportToFile) {
    Place(std::string(kRuleLast - kRuleFirst + 1, '-'), line, kRuleFirst);
    if (line >= 1 && line <= kReportPageLines) RuledLines()[static_cast<std::size_t>(line - 1)] = true;
  }
  ReportNewLine();
}

void ReportRule() {
  if (!g_ReportToFile && g_ReportLine == kReportBodyLine) return;
  ReportRuleAtLine(g_ReportLine);
}

void ReportRuleBetween(int firstColumn, int lastColumn) {
  if (g_ReportToFile || lastColumn < firstColumn) return;
  Place(std::string(static_cast<std::size_t>(lastColumn - firstColumn + 1), '-'), g_ReportLine, firstColumn);
}

void ReportTrimPage() {
  WidenRules();
  for (std::string& line : Page()) {
    std::size_t end = line.find_last_not_of(' ');
    line.resize(end == std::string::npos ? 0 : end + 1);
  }
}

void ReportNewPage() {
  ReportTrimPage();
  WriteReportPage(false);
  ReportPageHeader();
}

void ReportPageHeader() {
  ClearPage();
  g_ReportLine = 1;
  ++g_ReportPage;
  g_PlacingPageHeader = true;
  struct HeaderPlaced {
    ~HeaderPlaced() { g_PlacingPageHeader = false; }
  } placed;
  if (g_ReportToFile) {
    if (g_ReportPage != 1) return;
    Place("Quorvel," + CsvQuoted(g_ReportTitle), 1, 1);
    Place(CsvQuoted(VersionField()) + "," + CsvQuoted(LibraryField()) + "," + NowText(), 2, 1);
    g_ReportLine = kReportBodyLine;
    return;
  }
  std::string page = g_RomanPageNumbers ? "Page " + RomanPageNumber(g_ReportPage - g_ContentsFirstPage)
                     : g_ReportPageNumberOff || g_ReportPage <= g_ReportUnnumberedPages
                         ? std::string()
                         : "Page " + std::to_string(ReportShownPageNumber());
  Place("Quorvel", 1, 4);
  ReportPutCentredAtLine(g_ReportTitle, 1, 16, 69);
  Place(page, 1, 70);
  Place(VersionField(), 2, 4);
  ReportPutCentredAtLine(LibraryField(), 2, 16, 69);
  Place(g_ReportDate, 2, 70);
  Place(std::string(kRuleLast - kRuleFirst + 1, '-'), 3, kRuleFirst);
  g_ReportLine = kReportBodyLine;
}

void ReportPutField(const std::string& text) { AppendCell(g_LineText, text, true); }
void ReportPutCell(const std::string& text) { AppendCell(g_LineText, text, false); }
void AppendCsvValue(const std::string& text) { AppendCell(g_EditFieldText, text, true); }

void ReportPutUnits(int unitKind) {
  const char* label = unitKind >= 1 && unitKind <= 20 ? UnitLabel(unitKind) : nullptr;
  if (label != nullptr && label[0] != '\0' && label[0] != '0') g_LineText += CsvQuoted(label);
  g_LineText += ",";
}

void ReportPutCsvCell(const std::string& text) { g_LineText += text.empty() ? std::string(" ") : CsvQuoted(text); }

std::vector<std::string> ReportPageLines() {
  return std::vector<std::string>(Page().begin(), Page().end());
}
