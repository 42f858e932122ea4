// Measuring and drawing texts for the column layouts of the result tables
// and the result labels of the graphics: widths are in device units of the
// font selected into the device context; texts are drawn left-aligned,
// right-aligned (ending at x) or centred on x (x minus half the width,
// integer division). The first group takes zero-terminated texts, the
// second texts with their stored length (std::string_view; an empty view
// counts as the empty text). MaxTextWidth4 measures its fourth text on the
// shared text device context of the tables, which carries the table font.
#pragma once

#include <string_view>
#include <vector>

#include "platform/Types.h"

void DrawLine(HDC dc, int x1, int y1, int x2, int y2);
SIZE WindowTextWidth(HWND window, const char* text);
SIZE DcTextExtent(HDC dc, const char* text);
int DcTextWidth(HDC dc, const char* text);
int MaxTextWidth(HDC dc, const char* a, const char* b);
int MaxTextWidth3(HDC dc, const char* a, const char* b, const char* c);
int MaxTextWidth4(HDC dc, const char* a, const char* b, const char* c, const char* d);
// widths: entries i .. j (input and output) all become the largest of them;
// nothing when i > j.
void SpreadMaxWidth(std::vector<int>& widths, int i, int j);
void EqualizePairWidth(std::vector<int>& widths, int i, int j);
void EqualizeFourWidths(std::vector<int>& widths, int i, int j, int k, int l);
void TextOutString(HDC dc, int x, int y, const char* text);
void TextOutRight(HDC dc, int x, int y, const char* text);
void TextOutCentred(HDC dc, int x, int y, const char* text);

int TextWidthOf(HDC dc, std::string_view text);
void TextOutOf(HDC dc, int x, int y, std::string_view text);
void TextOutOfRight(HDC dc, int x, int y, std::string_view text);
void TextOutOfCentred(HDC dc, int x, int y, std::string_view text);
