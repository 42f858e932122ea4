// The results over time of a saved time history run: the selection of the
// item ("&Time history" in the result chooser, "&Other Time History..."
// F6 from a time-history table: support loads, element forces or
// displacements, then the support, element end or node), the readers of
// one item's values at every output step of the time-history file, and
// the displacement and element force tables over time with their printed
// and comma-separated forms. The support kinds' loads-over-time tables
// (SupportLoadsTimeHistory.h) read through the same reader and register
// themselves as the shown time-history table, so that "&Export..." (351)
// writes whichever is shown.
//
// A series has S + 1 records of six f32: record 0 is time 0 (zeros, never
// stored), record k the value at k·T. Step s of the file holds the
// displacements of every node of the node table, the element forces
// (twelve f32 per element) and the support loads, so node n of step s lies
// at 24 + (s − 1)·record + 24·(n − 1). A read that fails throws "There was
// an error while reading time history" and leaves the table shown as it
// was.
//
// The element force table shows one element end (end index j = 2e − 1 for
// the first end of element e, 2e for its second) in the element's local
// axes or, after "Global &Forces" (F7, 288), in global axes: the local
// triples turned by the end's frame (F = fx·x + fy·y + fz·z).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

class ResultTableWindow;
using TimeHistoryRecord = std::array<float, 6>;

// Whether the results have a readable time-history file.
bool TimeHistoryAvailable();
// S + 1 records of `count` (at most 6) values at byte `offset` of every
// step record; throws the read message.
std::vector<TimeHistoryRecord> ReadTimeHistorySeries(std::int64_t offset, int count);
// The byte offset of the support loads block inside a step record.
std::int64_t TimeHistorySupportOffset();

// The selection: the kind dialog, then the item; opens its table.
void SelectTimeHistoryResults();
// The kind of the time-history table shown last: 1 supports, 2 element
// forces, 3 displacements.
int& LastTimeHistoryKind();

// Node index `node`; element end `end`. Both open their table, or show
// the read message over the Results window and leave things as they were.
void ShowDisplacementTimeHistory(int node);
void ShowElementForceTimeHistory(int end);
// F7 on the element force table.
void ToggleTimeHistoryForceAxes();

// The time-history table shown: its opener (the results' reopen command)
// and its comma-separated text; `csvName` is the export's default name.
using TimeHistoryCsvWriter = std::string (*)();
void SetShownTimeHistoryTable(void (*opener)(), TimeHistoryCsvWriter writer, const std::string& csvName);
bool TimeHistoryTableShown();
// "&Export..." on a time-history table: the file asked for, the table's
// lines written, "csv written." shown.
void ExportTimeHistoryTable(HWND owner);
// After results were read: no table shown, every view reset.
void ResetTimeHistoryResults();

// The time of a row (r − 1)·T as "%.6g", and the title suffix of exports.
std::string TimeHistoryTimeText(int record);
std::string TimeHistoryTitleLine(const std::string& title);

ResultTableWindow& DisplacementTimeHistoryTable();
ResultTableWindow& ElementForceTimeHistoryTable();
void RegisterTimeHistoryTables();
