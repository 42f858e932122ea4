// Reading the import log dialog back: its heading, the rows of its list and
// the entries those rows spell.
#pragma once

#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"

constexpr int kImportLogHeading = 1500;
constexpr int kImportLogList = 1510;

inline std::vector<std::string> ImportLogRows(HWND list) {
  std::vector<std::string> rows;
  const int count = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::vector<char> buffer(static_cast<std::size_t>(SendMessage(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
    SendMessage(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
    rows.emplace_back(buffer.data());
  }
  return rows;
}

// An entry too wide for the list goes on in rows that start with a blank.
inline std::vector<std::string> ImportLogEntries(const std::vector<std::string>& rows) {
  std::vector<std::string> entries;
  for (const std::string& row : rows) {
    if (!row.empty() && row[0] == ' ' && !entries.empty())
      entries.back() += " " + row.substr(row.find_first_not_of(' '));
    else
      entries.push_back(row);
  }
  return entries;
}

// The heading, then every entry of the log dialog.
inline std::vector<std::string> ImportLogLines(HWND dialog) {
  char heading[256] = {};
  GetWindowText(GetDlgItem(dialog, kImportLogHeading), heading, sizeof heading);
  std::vector<std::string> lines = {heading};
  for (const std::string& entry : ImportLogEntries(ImportLogRows(GetDlgItem(dialog, kImportLogList))))
    lines.push_back(entry);
  return lines;
}
