// The text measuring and drawing functions; see TextMeasure.h.
#include "resultsfile/TextMeasure.h"

#include <algorithm>
#include <cstring>

#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "services/TableWindowSupport.h"

namespace {

// The device context that carries the table text font, made on first use.
HDC SharedTableDc() {
  static HDC dc = [] {
    HDC made = CreateCompatibleDC(nullptr);
    if (made != nullptr) SelectObject(made, TableTextFont());
    return made;
  }();
  return dc;
}

}  // namespace

void DrawLine(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

SIZE DcTextExtent(HDC dc, const char* text) {
  SIZE size{0, 0};
  if (dc != nullptr && text != nullptr) GetTextExtentPoint32(dc, text, static_cast<int>(std::strlen(text)), &size);
  return size;
}

SIZE WindowTextWidth(HWND window, const char* text) {
  HDC dc = GetDC(window);
  const SIZE size = DcTextExtent(dc, text);
  ReleaseDC(window, dc);
  return size;
}

int DcTextWidth(HDC dc, const char* text) { return DcTextExtent(dc, text).cx; }

int MaxTextWidth(HDC dc, const char* a, const char* b) { return std::max(DcTextWidth(dc, a), DcTextWidth(dc, b)); }

int MaxTextWidth3(HDC dc, const char* a, const char* b, const char* c) {
  return std::max(MaxTextWidth(dc, a, b), DcTextWidth(dc, c));
}

int MaxTextWidth4(HDC dc, const char* a, const char* b, const char* c, const char* d) {
  return std::max(MaxTextWidth3(dc, a, b, c), DcTextWidth(SharedTableDc(), d));
}

void SpreadMaxWidth(std::vector<int>& widths, int i, int j) {
  if (i > j) return;
  const auto first = widths.begin() + i, last = widths.begin() + j + 1;
  std::fill(first, last, *std::max_element(first, last));
}

void EqualizePairWidth(std::vector<int>& widths, int i, int j) {
  const int width = std::max(widths[static_cast<std::size_t>(i)], widths[static_cast<std::size_t>(j)]);
  widths[static_cast<std::size_t>(i)] = widths[static_cast<std::size_t>(j)] = width;
}

void EqualizeFourWidths(std::vector<int>& widths, int i, int j, int k, int l) {
  int width = 0;
  for (int index : {i, j, k, l}) width = std::max(width, widths[static_cast<std::size_t>(index)]);
  for (int index : {i, j, k, l}) widths[static_cast<std::size_t>(index)] = width;
}

void TextOutString(HDC dc, int x, int y, const char* text) { TextOutOf(dc, x, y, text != nullptr ? text : ""); }
void TextOutRight(HDC dc, int x, int y, const char* text) { TextOutOfRight(dc, x, y, text != nullptr ? text : ""); }
void TextOutCentred(HDC dc, int x, int y, const char* text) { TextOutOfCentred(dc, x, y, text != nullptr ? text : ""); }

int TextWidthOf(HDC dc, std::string_view text) {
  SIZE size{0, 0};
  if (dc != nullptr && !text.empty()) GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void TextOutOf(HDC dc, int x, int y, std::string_view text) {
  if (!text.empty()) TextOut(dc, x, y, text.data(), static_cast<int>(text.size()));
}

void TextOutOfRight(HDC dc, int x, int y, std::string_view text) { TextOutOf(dc, x - TextWidthOf(dc, text), y, text); }

void TextOutOfCentred(HDC dc, int x, int y, std::string_view text) {
  TextOutOf(dc, x - TextWidthOf(dc, text) / 2, y, text);
}
