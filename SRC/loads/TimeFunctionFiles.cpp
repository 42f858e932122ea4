// The time function text import and the comma-separated export; see
// TimeFunctionFiles.h.
#include "loads/TimeFunctionFiles.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <vector>

#include "loads/TextLines.h"
#include "model/Model.h"
#include "platform/CommonDialog.h"
#include "platform/Windows1252.h"
#include "printing/ReportOutput.h"
#include "records/TimeFunction.h"
#include "services/FileDialogs.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"

namespace {

bool EndsFunction(const std::string& line) {
  static const char kMark[] = "-1.e11";
  if (line.size() < sizeof kMark - 1) return false;
  for (std::size_t i = 0; i < sizeof kMark - 1; ++i)
    if (std::tolower(static_cast<unsigned char>(line[i])) != kMark[i]) return false;
  return true;
}

// The data lines of one function up to its end mark or the end of the file.
// `number` counts the lines read so far; true when the end mark ended it.
bool ReadPoints(std::istream& in, int& number, NamedPoints& function) {
  AbscissaSeen seen;
  std::string line;
  while (ReadTextLine(in, line)) {
    ++number;
    if (EndsFunction(line)) {
      if (function.points.empty()) throw TextLineFault(number, line, "There are no time function data points");
      return true;
    }
    if (IsBlankTextLine(line)) continue;
    std::size_t at = 0;
    double time = 0.0, value = 0.0;
    if (!NextTextNumber(line, at, time) || !NextTextNumber(line, at, value))
      throw TextLineFault(number, line, "Invalid time function values");
    if (time < 0.0) throw TextLineFault(number, line, "Time should be positive");
    const FloatPair point{StoredTextValue(time), StoredTextValue(value)};
    if (const int earlier = seen.Add(point.x, number); earlier != 0)
      throw TextLineFault(number, line, "The time of line " + std::to_string(earlier) + " is given again");
    function.points.push_back(point);
  }
  if (function.points.empty()) throw std::string("There are no time function data points");
  return false;
}

}  // namespace

std::vector<NamedPoints> ParseTimeFunctionText(std::istream& in) {
  std::vector<NamedPoints> functions;
  std::string line;
  int number = 0;
  for (;;) {
    if (!ReadTextLine(in, line)) throw std::string("End of file reached");
    ++number;
    if (IsBlankTextLine(line)) throw std::string("File does not have time function name");
    NamedPoints function;
    function.name = line.substr(0, kPointTableNameLength);
    for (const NamedPoints& earlier : functions)
      if (earlier.name == function.name)
        throw TextLineFault(number, line, "Time function " + function.name + " is already in the file");
    const bool more = ReadPoints(in, number, function);
    functions.push_back(std::move(function));
    if (!more) return functions;
  }
}

bool ReadTimeFunctionTextFile(HWND owner, const std::string& path, std::size_t row) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ShowErrorMessage(owner, "File: " + path + "\nDoes not exist.");
    return false;
  }
  std::vector<NamedPoints> functions;
  try {
    functions = ParseTimeFunctionText(in);
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);
    return false;
  }
  Model& model = TheModel();
  for (const NamedPoints& function : functions)
    if (FindTimeFunction(model.timeFunctions, function.name) >= 0 &&
        !MessageBoxDialog(owner,
                          "The time function in the file:  \"" + function.name +
                              "\"  is already defined.\nDo you want to overwrite the time function ?",
                          IDNO))
      return false;
  // Each function goes where Enter would leave the table after the one before.
  for (const NamedPoints& function : functions) {
    const std::size_t at = PlacePointTable(model.timeFunctions, function.name, row);
    model.timeFunctions[at].name = function.name;
    model.timeFunctions[at].points = SortedPoints(function.points);
    EnsureTrailingBlank(model.timeFunctions);
    row = at + 1;
  }
  model.modified = true;
  ShowInfoMessage(owner, "Time function was read from file: " + path);
  return true;
}

bool ReadTimeFunctionsFromTextFile(HWND owner, std::size_t row) {
  FilePathQuestion question;
  question.title = "Read Time function from a Text File";
  question.filter = "Text file (*.txt)\0*.txt\0";
  question.defaultExtension = "txt";
  question.mustExist = false;  // the read names a missing file itself
  const std::string path = AskFilePath(owner, question);
  return !path.empty() && ReadTimeFunctionTextFile(owner, path, row);
}

std::string TimeFunctionsCsvText(const NamedPointsList& list) {
  std::string text;
  auto line = [&text](const std::string& content) { text += content + "\r\n"; };
  for (std::size_t index = 0; index < SavedPointTableCount(list); ++index) {
    const NamedPoints& function = list[index];
    line("Time function = ," + CsvQuoted(function.name));
    line("Time(Sec),Value");
    for (const FloatPair& point : function.points) {
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

bool ExportTimeFunctions(HWND owner) {
  g_CsvExportDefaultName = "TimeFunctions.csv";
  if (!ExportCsvDialog(owner)) return false;
  return WriteCsvExport(owner, TimeFunctionsCsvText(TheModel().timeFunctions));
}
