// The string list shared by list boxes and combo boxes.
#include "platform/ListItems.h"

#include <cctype>
#include <cstring>

#include "platform/ControlSupport.h"
#include "platform/Gdi.h"
#include "platform/System.h"

namespace platform::controls {
namespace {

int CompareNoCase(const std::string& a, const std::string& b, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    int x = i < a.size() ? std::tolower(static_cast<unsigned char>(a[i])) : -1;
    int y = i < b.size() ? std::tolower(static_cast<unsigned char>(b[i])) : -1;
    if (x != y) return x < y ? -1 : 1;
    if (x < 0) return 0;
  }
  return 0;
}

}  // namespace

int ListItems::Add(const std::string& text, bool sorted) {
  int index = Count();
  if (sorted) {
    std::size_t length = std::max(text.size(), std::size_t{1}) + 1;
    for (int i = 0; i < Count(); ++i) {
      std::size_t both = std::max(length, items[static_cast<std::size_t>(i)].text.size() + 1);
      if (CompareNoCase(items[static_cast<std::size_t>(i)].text, text, both) > 0) {
        index = i;
        break;
      }
    }
  }
  items.insert(items.begin() + index, ListItem{text, 0});
  return index;
}

int ListItems::Insert(int index, const std::string& text) {
  if (index < 0) index = Count();
  if (index > Count()) return -1;
  items.insert(items.begin() + index, ListItem{text, 0});
  return index;
}

bool ListItems::Remove(int index) {
  if (!Valid(index)) return false;
  items.erase(items.begin() + index);
  return true;
}

int ListItems::Find(int after, const std::string& text, bool exact) const {
  int count = Count();
  if (count == 0) return -1;
  int start = Valid(after) ? after + 1 : 0;
  for (int step = 0; step < count; ++step) {
    int i = (start + step) % count;
    const std::string& candidate = items[static_cast<std::size_t>(i)].text;
    if (exact) {
      if (candidate.size() == text.size() && CompareNoCase(candidate, text, text.size()) == 0) return i;
    } else if (candidate.size() >= text.size() && CompareNoCase(candidate, text, text.size()) == 0) {
      return i;
    }
  }
  return -1;
}

LRESULT ListItems::CopyText(int index, char* buffer) const {
  if (!Valid(index)) return -1;
  const std::string& text = items[static_cast<std::size_t>(index)].text;
  if (buffer != nullptr) std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<LRESULT>(text.size());
}

void PaintListRows(HDC dc, const RECT& client, const ListItems& list, int top, int selected, int rowHeight,
                   bool focusFrame, bool enabled) {
  SetBkMode(dc, TRANSPARENT);
  COLORREF normal = GetTextColor(dc);
  for (int i = std::max(top, 0); i < list.Count(); ++i) {
    int y = (i - top) * rowHeight;
    if (y >= client.bottom) break;
    RECT row{client.left, y, client.right, y + rowHeight};
    bool highlighted = i == selected && enabled;
    if (highlighted) Fill(dc, row, GetSysColor(COLOR_HIGHLIGHT));
    SetTextColor(dc, highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT) : normal);
    const std::string& text = list.items[static_cast<std::size_t>(i)].text;
    RECT textBox{row.left + 2, row.top, row.right - 2, row.bottom};
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &textBox,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
    if (i == selected && focusFrame) DrawFocusFrame(dc, row);
  }
  SetTextColor(dc, normal);
}

}  // namespace platform::controls
