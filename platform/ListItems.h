// Private to the list box and the combo box: their list of strings with item
// data, sorted insertion and searches, and the painting of visible rows.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

namespace platform::controls {

struct ListItem {
  std::string text;
  LPARAM data = 0;
};

struct ListItems {
  std::vector<ListItem> items;

  int Count() const { return static_cast<int>(items.size()); }
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  // Sorted: before the first item that compares greater, ignoring case.
  int Add(const std::string& text, bool sorted);
  // index -1 appends; returns -1 for an index past the end.
  int Insert(int index, const std::string& text);
  bool Remove(int index);
  // The first item after `after` (-1: from the start), wrapping round, whose
  // text starts with (or, exact, equals) `text`, ignoring case; -1 if none.
  int Find(int after, const std::string& text, bool exact) const;
  // Copies the text with its terminator; the length, or -1.
  LRESULT CopyText(int index, char* buffer) const;
};

// Rows from `top` down, the selected one highlighted, a focus frame on it
// when `focusFrame`.
void PaintListRows(HDC dc, const RECT& client, const ListItems& list, int top, int selected,
                   int rowHeight, bool focusFrame, bool enabled);

}  // namespace platform::controls
