// The point table text import and the comma-separated export; see
// PointTableFiles.h.
#include "loads/PointTableFiles.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "loads/TextLines.h"
#include "model/Model.h"
#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/Windows1252.h"
#include "printing/ReportOutput.h"
#include "services/FileDialogs.h"
#include "services/Message.h"
#include "services/NumberText.h"

namespace {

bool EndsTable(const std::string& line, const char* mark) {
  if (!mark) return false;
  const std::size_t length = std::strlen(mark);
  if (line.size() < length) return false;
  for (std::size_t i = 0; i < length; ++i)
    if (std::tolower(static_cast<unsigned char>(line[i])) != mark[i]) return false;
  return true;
}

// The data lines of one table up to its end mark or the end of the file.
// `number` counts the lines read so far; true when the end mark ended it.
bool ReadPoints(std::istream& in, int& number, NamedPoints& table, const PointTableTextForm& form) {
  AbscissaSeen seen;
  std::string line;
  while (ReadTextLine(in, line, number + 1)) {
    ++number;
    if (EndsTable(line, form.endMark)) {
      if (table.points.empty()) throw TextLineFault(number, line, form.noPoints);
      return true;
    }
    if (IsBlankTextLine(line)) continue;
    std::size_t at = 0;
    double abscissa = 0.0, value = 0.0;
    if (!NextTextNumber(line, at, abscissa) || !NextTextNumber(line, at, value) || !TextLineEndsAt(line, at))
      throw TextLineFault(number, line, form.invalidValues);
    if (abscissa < 0.0) throw TextLineFault(number, line, form.negativeAbscissa);
    if (form.negativeValue && value < 0.0) throw TextLineFault(number, line, form.negativeValue);
    // What a cell refuses to store, the file may not bring in.
    for (const auto& [read, field] : {std::pair{abscissa, form.abscissaName}, std::pair{value, "Value"}})
      if (const std::string fault = StoredPointValueFault(read, field); !fault.empty())
        throw TextLineFault(number, line, std::string(form.invalidValues) + "\n" + fault);
    const FloatPair point{StoredTextValue(abscissa), StoredTextValue(value)};
    if (const int earlier = seen.Add(point.x, number); earlier != 0)
      throw TextLineFault(number, line, form.abscissaRepeated + std::to_string(earlier) + " is given again");
    // Sorting times that go back would make another pulse of the one meant.
    if (form.notAscending != nullptr && !table.points.empty() && point.x < table.points.back().x)
      throw TextLineFault(number, line, form.notAscending);
    table.points.push_back(point);
  }
  if (table.points.empty()) throw std::string(form.noPoints);
  return false;
}

}  // namespace

std::vector<NamedPoints> ParsePointTablesText(std::istream& in, const PointTableTextForm& form) {
  std::vector<NamedPoints> tables;
  std::string line;
  int number = 0;
  for (;;) {
    if (!ReadTextLine(in, line, number + 1)) throw std::string("End of file reached");
    ++number;
    NamedPoints table;
    table.name = KeptTableName(line);
    if (table.name.empty()) throw std::string(form.noName);
    if (HoldsControlCharacter(table.name)) throw TextLineFault(number, line, kControlCharacterInName);
    for (const NamedPoints& earlier : tables)
      if (earlier.name == table.name)
        throw TextLineFault(number, line, form.nameRepeated + table.name + " is already in the file");
    const bool more = ReadPoints(in, number, table, form);
    tables.push_back(std::move(table));
    if (!more) return tables;
  }
}

bool ReadPointTablesTextFile(HWND owner, const std::string& path, std::size_t row, const PointTableReadForm& form) {
  std::ifstream in(platform::FileSystemPath(path), std::ios::binary);
  if (!in) {
    ShowErrorMessage(owner, "File: " + path + "\nDoes not exist.");
    return false;
  }
  std::vector<NamedPoints> tables;
  try {
    tables = ParsePointTablesText(in, form.text);
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);
    return false;
  }
  Model& model = TheModel();
  NamedPointsList& list = form.list(model);
  for (const NamedPoints& table : tables)
    if (FindPointTable(list, table.name) >= 0 && !MessageBoxDialog(owner, form.overwriteQuestion(table.name), IDNO))
      return false;
  // Each table goes where Enter would leave the table window after the one before.
  for (const NamedPoints& table : tables) {
    const std::size_t at = PlacePointTable(list, table.name, row);
    list[at].name = table.name;
    list[at].points = SortedPoints(table.points);
    EnsureTrailingBlank(list);
    row = at + 1;
  }
  model.modified = true;
  ShowInfoMessage(owner, form.readMessage(tables, path));
  return true;
}

bool ReadPointTablesFromTextFile(HWND owner, std::size_t row, const PointTableReadForm& form) {
  FilePathQuestion question;
  question.title = form.openTitle;
  question.filter = "Text file (*.txt)\0*.txt\0";
  question.defaultExtension = "txt";
  question.mustExist = false;  // the read names a missing file itself
  const std::string path = AskFilePath(owner, question);
  return !path.empty() && ReadPointTablesTextFile(owner, path, row, form);
}

std::string PointTablesCsvText(const NamedPointsList& list, const PointTableCsvForm& form) {
  std::string text;
  auto line = [&text](const std::string& content) { text += content + "\r\n"; };
  for (std::size_t index = 0; index < SavedPointTableCount(list); ++index) {
    const NamedPoints& table = list[index];
    line(form.nameLabel + CsvQuoted(table.name));
    line(form.heading);
    for (const FloatPair& point : table.points) {
      std::string values = FormatG5(point.x);
      values += ",";
      values += FormatG5(point.y);
      line(values);
    }
    line("");
  }
  return text;
}

bool WriteCsvExport(HWND owner, const std::string& text) {
  const std::string utf8 = platform::Utf8From1252(text);
  const bool written = std::fwrite(utf8.data(), 1, utf8.size(), g_CsvExportFile) == utf8.size();
  const bool closed = std::fclose(g_CsvExportFile) == 0;
  g_CsvExportFile = nullptr;
  if (!written || !closed) {
    ShowErrorMessage(owner, "Unable to write the comma separated values file.");
    return false;
  }
  return true;
}

bool ExportPointTables(HWND owner, const NamedPointsList& list, const PointTableCsvForm& form,
                       const char* fileName) {
  g_CsvExportDefaultName = fileName;
  if (!ExportCsvDialog(owner)) return false;
  return WriteCsvExport(owner, PointTablesCsvText(list, form));
}
