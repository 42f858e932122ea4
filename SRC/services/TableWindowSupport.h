// What the table windows need of the fonts, pens, brushes, message dialogs,
// frames, results mode and undo modules, reached through this one small
// door so that the tables do not depend on how those modules are built.
//
// Fonts: the table font is the program's text font (its description kept by
// the settings), tables inside dialogs use the small font; both are created
// on first use and kept for the process. Brushes and pens are the shared
// colours the tables draw with, created once.
//
// Messages: cell errors are shown with the error icon and "not found"
// notices as warnings, over the table window. A test may divert them to a
// sink of its own to read what the user would have been told.
#pragma once

#include <functional>
#include <string>

#include "platform/Types.h"
#include "services/TableMetrics.h"

HFONT TableTextFont();
HFONT TableSmallFont();
// Measures the font selected into `dc`.
TableFontMetrics MeasureTableFont(HDC dc);

struct TableDrawingSet {
  HBRUSH heading = nullptr;  // 3D face colour
  HBRUSH white = nullptr;
  HBRUSH currentRow = nullptr;  // yellow
  HBRUSH noFocusRow = nullptr;  // light cyan
  HBRUSH wideRow = nullptr;     // light green
  HPEN black = nullptr;
  HPEN lightGrey = nullptr;
  HPEN yellow = nullptr;
  HPEN nullPen = nullptr;
};
// The program's pens and brushes while they exist, else the tables' own.
TableDrawingSet TableDrawing();

enum class TableMessageKind { Error, Warning };
using TableMessageSink =
    std::function<void(HWND owner, const std::string& text, TableMessageKind kind)>;
// Null restores the program's message dialogs.
void SetTableMessageSink(TableMessageSink sink);
// An empty text shows nothing.
void ShowTableMessage(HWND owner, const std::string& text, TableMessageKind kind);

// Through the frame's own title rule when the window is one of the
// program's frames.
void TableFrameSetTitle(HWND frame, const std::string& title);

// Results mode: while results are shown no table edits.
bool TableResultsShown();
void SetTableResultsShown(bool shown);
