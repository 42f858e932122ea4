// The point table text imports ("&Read Force spectrum...", "&Read Time
// Function...") fuzzed as the user runs them: the command itself, its open
// dialog answered with the input written to a file, its messages on the
// standard error stream (no one answers a dialog here, so a question about
// a name that exists counts as No). Any text is read whole or refused
// before the list is touched: a file not read leaves the model's list and
// its modified flag as they were; a file read places every table it holds
// with one point for each of its data lines (the reader refuses a repeated
// abscissa rather than lose one), every value a finite number, abscissas
// ascending, no name twice nor one holding a control character, every
// value one a cell takes, a byte-order mark no part of a name, and the
// list still ending with its blank record. The process aborts when
// that fails.
#pragma once

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/ReaderFuzz.h"
#include "loads/TextLines.h"
#include "model/Model.h"
#include "platform/CommonDialog.h"
#include "platform/Dialog.h"
#include "platform/TestSupport.h"
#include "records/PointTables.h"
#include "services/Message.h"
#include "services/NumberText.h"

namespace pointtables {

// Each input runs the command twice through its dialog, file and table:
// as few as 16 inputs a second under the sanitizers when the suite runs the
// heavy fuzz tests side by side, so the seed driver runs a share of each
// seed's variants (FuzzSeedBudget) that keeps the test within its time.
constexpr std::size_t kSeedBudget = 700;

struct Command {
  const char* openTitle;                        // of the open dialog
  bool (*read)(HWND owner, std::size_t row);    // the command
  NamedPointsList& (*list)(Model& model);       // the list it reads into
  const char* endMark;                          // ends a table; null: one table a file
};

// Once: modal windows answered by script (the open dialog), messages to
// the standard error stream; a script that fails ends the run as a crash.
inline void SetUp() {
  static const bool done = [] {
    platform::EnableTestMode(true);
    platform::SetFailureHandler([](const std::string& message) { scratch::Fault(message.c_str()); });
    MessagesToStandardError = true;
    return true;
  }();
  (void)done;
}

// Whether a line holds `count` numbers and nothing after them but blanks
// (read by strtod/strtol, not by the program's own reading).
inline bool HoldsOnlyNumbers(const std::string& line, int count, bool integers = false) {
  const char* at = line.c_str();
  for (int k = 0; k < count; ++k) {
    char* end = nullptr;
    if (integers)
      (void)std::strtol(at, &end, 10);
    else
      (void)std::strtod(at, &end);
    if (end == at) return false;
    at = end;
  }
  // A zero byte inside the line stops strtod there, and is no blank.
  return line.find_first_not_of(" \t", static_cast<std::size_t>(at - line.c_str())) == std::string::npos;
}

// The tables of a file by its lines, for a file the command read: each
// name as kept, and the count of its data lines (not blank, not the end
// mark), each of which must hold two numbers and nothing more and have
// become a point.
inline std::vector<std::pair<std::string, std::size_t>> TablesByLines(const std::string& text, const char* endMark) {
  std::vector<std::pair<std::string, std::size_t>> tables;
  // A UTF-8 byte-order mark is no part of the first line.
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  std::istringstream in(text.starts_with(kMark) ? text.substr(kMark.size()) : text);
  std::string line;
  bool named = false;
  while (ReadTextLine(in, line)) {
    if (!named) {
      tables.emplace_back(KeptTableName(line), 0);
      named = true;
      continue;
    }
    bool ends = endMark != nullptr && line.size() >= std::strlen(endMark);
    for (std::size_t i = 0; ends && i < std::strlen(endMark); ++i)
      ends = std::tolower(static_cast<unsigned char>(line[i])) == endMark[i];
    if (ends)
      named = false;
    else if (!IsBlankTextLine(line)) {
      if (!HoldsOnlyNumbers(line, 2)) scratch::Fault("a data line read with text after its numbers");
      ++tables.back().second;
    }
  }
  return tables;
}

inline bool SameList(const NamedPointsList& a, const NamedPointsList& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].name != b[i].name || a[i].points.size() != b[i].points.size()) return false;
    for (std::size_t k = 0; k < a[i].points.size(); ++k)
      if (std::memcmp(&a[i].points[k], &b[i].points[k], sizeof(FloatPair)) != 0) return false;
  }
  return true;
}

// The command run on the input with the model's list as `before` and the
// table's current row at `row`.
inline void Run(const Command& command, const std::string& input, const NamedPointsList& before, std::size_t row) {
  Model& model = TheModel();
  NamedPointsList& list = command.list(model);
  list = before;
  model.modified = false;
  const std::string path = scratch::Write("table.txt", input);
  platform::ExpectModal(platform::ModalKind::CommonDialog, command.openTitle, [path](HWND dialog) {
    SetDlgItemText(dialog, edt1, path.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  const bool read = command.read(nullptr, row);
  platform::CheckModalScript();
  if (!read) {
    if (!SameList(list, before) || model.modified) scratch::Fault("a file not read changed the list");
    return;
  }
  if (!model.modified) scratch::Fault("a file read left the model unmodified");
  if (list.empty() || !IsBlankPointTable(list.back())) scratch::Fault("the list lost its blank record");
  for (std::size_t a = 0; a + 1 < list.size(); ++a) {
    if (HoldsControlCharacter(list[a].name)) scratch::Fault("a name holding a control character");
    for (const FloatPair& point : list[a].points)
      if (!std::isfinite(point.x) || !std::isfinite(point.y)) scratch::Fault("a value not a number");
      else if (!StoredValueAcceptable(point.x) || !StoredValueAcceptable(point.y))
        scratch::Fault("a value no cell takes");
    for (std::size_t b = a + 1; b + 1 < list.size(); ++b)
      if (list[a].name == list[b].name) scratch::Fault("a name stands twice");
  }
  for (const auto& [name, lines] : TablesByLines(input, command.endMark)) {
    const int at = FindPointTable(list, name);
    if (at < 0) scratch::Fault("a table read is not in the list");
    const std::vector<FloatPair>& points = list[static_cast<std::size_t>(at)].points;
    if (points.size() != lines) scratch::Fault("a point of the file was dropped");
    for (std::size_t k = 1; k < points.size(); ++k)
      if (!(points[k].x > points[k - 1].x)) scratch::Fault("abscissas that do not ascend");
  }
}

}  // namespace pointtables
