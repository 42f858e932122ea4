// What the tests of the evaluation reports' layout share: the texts a
// table window draws for its rows, caught by painting each row into a
// recording that stands in for the table's own device context, with where
// each starts and ends in the table's font; and the texts of one line that
// run into each other.
#pragma once

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Metafile.h"
#include "services/TableWindow.h"

// A text as drawn: its line (page and y), where it starts and ends.
struct DrawnText {
  int page = 0;
  int y = 0;
  int left = 0;
  int right = 0;
  std::string text;
};

inline std::string RecordText(const std::vector<DWORD>& record) {
  return std::string(reinterpret_cast<const char*>(record.data() + 12), record[10]);
}

inline int Width(HDC dc, const std::string& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  return static_cast<int>(size.cx);
}

// Every text of the table's rows, each row painted at the top of the table
// into a recording that stands in for the table's own device context (a
// recording has no pixels: only the row at the top is inside its clip).
inline std::vector<DrawnText> ScreenTexts(TableWindow& table) {
  TableWindowRecord* record = table.windowRecord;
  HDC own = record->dc;
  const int keptTop = table.topRow;
  std::vector<DrawnText> texts;
  for (int row = 1; row <= table.rowCount; ++row) {
    table.topRow = row - 1;
    HDC recorder = CreateEnhMetaFile(own, nullptr, nullptr, nullptr);
    SelectObject(recorder, record->font);
    record->dc = recorder;
    TablePaint(table, recorder);
    record->dc = own;
    HENHMETAFILE picture = CloseEnhMetaFile(recorder);
    for (const std::vector<DWORD>& entry : platform::MetafileRecords(picture)) {
      if (entry[0] != EMR_EXTTEXTOUTA) continue;
      const std::string text = RecordText(entry);
      const int x = static_cast<int>(entry[2]);
      texts.push_back({row, static_cast<int>(entry[3]), x, x + Width(own, text), text});
    }
    DeleteEnhMetaFile(picture);
  }
  table.topRow = keptTop;
  return texts;
}

// The pairs of texts on one line of which the first reaches, or comes
// closer than `gap`, to the start of the next.
inline std::vector<std::string> Overprints(std::vector<DrawnText> texts, int gap) {
  std::sort(texts.begin(), texts.end(), [](const DrawnText& a, const DrawnText& b) {
    return std::tie(a.page, a.y, a.left) < std::tie(b.page, b.y, b.left);
  });
  std::vector<std::string> found;
  for (std::size_t i = 1; i < texts.size(); ++i) {
    const DrawnText& before = texts[i - 1];
    const DrawnText& after = texts[i];
    if (before.page != after.page || before.y != after.y) continue;
    if (before.right + gap > after.left) {
      std::ostringstream text;
      text << "\"" << before.text << "\" ends at " << before.right << ", \"" << after.text << "\" starts at "
           << after.left;
      found.push_back(text.str());
    }
  }
  return found;
}

// How many lines hold two texts or more: the check has lines to look at.
inline int LinesWithColumns(const std::vector<DrawnText>& texts) {
  std::map<std::pair<int, int>, int> perLine;
  for (const DrawnText& text : texts) ++perLine[{text.page, text.y}];
  return static_cast<int>(
      std::count_if(perLine.begin(), perLine.end(), [](const auto& line) { return line.second > 1; }));
}

