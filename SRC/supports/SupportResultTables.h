// The result views every support kind offers in the Results window, told
// once: the loads table of the kind for the current case ("Loads on
// Anchors", one row per support of the kind) and the support load summary
// of one support (one row per load combination, then "Maximum", "Minimum"
// and "Allowables"), each shown in the Results table window and written on
// the printer, as text report lines and as comma-separated lines.
//
// A kind describes itself in a SupportResultKind: its names, its loads
// (force or moment, held or free by the item) and the columns of its text
// reports, and the columns it shows beside its loads. Anchors, restraints,
// guides, limit stops, skewed restraints, snubbers and generic supports
// describe themselves in their *Results.cpp, hangers and nozzles too.
//
// A load of a free direction is left blank in the loads table and the text
// report but written in the comma-separated lines; in the summary a load of
// 0 is left blank only in the text report; Maximum and Minimum of a summary
// without combination rows are blank.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/LayoutRow.h"
#include "model/RowLists.h"
#include "resultsfile/ResultNavigation.h"
#include "supports/SupportLoads.h"

class DataItem;

// Where a heading sits in a text report: centred between two columns.
struct TextSpan {
  int first = 0, last = 0;
};

struct SupportResultKind {
  DataType type = DataType::None;
  RowListKind list = RowListKind::Anchors;
  const char* menuName = "";       // "&Anchors"
  const char* plural = "";         // "Anchors": "Loads on Anchors"
  const char* pluralLower = "";    // "anchors": "Loads on anchors"
  const char* singular = "";       // "Anchor": "    Anchor at Node %s"
  const char* singularLower = "";  // "anchor": "Support load summary for anchor at node %s"
  const char* summarySection = ""; // "Anchor at Node %s" or "Restraint at Node %s"
  int loads = 0;                   // values per support (3 or 6)
  const char* const* loadNames = nullptr;  // "FX" ...
  bool (*held)(const DataItem& item, int component) = nullptr;
  std::string (*tag)(const DataItem& item) = nullptr;
  const float* (*caseLoads)(const DataItem& item) = nullptr;
  const std::vector<SummaryRecord>* (*summary)(const DataItem& item) = nullptr;
  // Text report of the loads table: heading spans and the row's end columns.
  std::vector<TextSpan> loadHeadings;
  std::vector<int> loadEnds;
  bool momentHeadingsWithoutBlank = false;  // "MX(ft-lb)" in the text heading
  // Summary text report: the title centred between these columns (0: on
  // the whole line), and the loads' end columns.
  TextSpan summaryTitleSpan;
  std::vector<int> summaryEnds;
  // Whether the summary shows load c of the item at all, whatever the case
  // (a direction the item holds); null: every load.
  bool (*summaryShown)(const DataItem& item, int component) = nullptr;
  // The summary's load names when they are not loadNames (the nozzle's
  // vessel loads), and the heading lines of its text report and its
  // comma-separated form when the kind lays them out itself.
  const char* const* summaryNames = nullptr;
  void (*summaryTextHeadings)() = nullptr;
  std::vector<std::vector<std::string>> (*summaryCsvHeadings)() = nullptr;
  ResultOpener openLoads = nullptr;
  void (*listOpener)() = nullptr;  // the kind's list of the List window
  // A load shown as a moment (default: components 3 .. 5); a kind whose
  // unit depends on the item (a rotational skewed restraint) says so here.
  bool (*moment)(const DataItem& item, int component) = nullptr;
  // The heading of load c when it differs from loadNames[c] + unit (null:
  // loadNames[c] with the unit).
  std::string (*loadHeading)(int component) = nullptr;
  // Columns after the loads in the loads table and its comma-separated
  // lines (direction, status, type ...): their headings and cells.
  int extras = 0;
  std::string (*extraHeading)(int extra) = nullptr;
  std::string (*extraCell)(const DataItem& item, int layoutRow, int extra) = nullptr;
  // Columns before the loads (the limit stop's limit status).
  int leading = 0;
  std::string (*leadingHeading)(int leading, int line) = nullptr;
  std::string (*leadingCell)(const DataItem& item, int layoutRow, int leading) = nullptr;
  // Whether the kind's loads table and section exist in the current case
  // (null: always); the snubbers' only in the seismic and dynamic cases.
  bool (*shownInCase)() = nullptr;
  // The title of the loads table when it is not "Loads on " + plural.
  std::string (*tableTitle)() = nullptr;
  // The loads section when the kind prints its own (the guides' local and
  // global blocks).
  void (*printLoads)() = nullptr;
  // A kind without allowable loads: the summary's Allowables line stays
  // empty, its label too, and the reports leave it out.
  bool noAllowables = false;
  // Whether the loads table shows either axes by g_SupportLoadsGlobal, the
  // global/local command (F7) switching them (the guides').
  bool globalLocal = false;
  // The loads report when the kind lays it out itself. Text: the title
  // before ": " and the case, the heading lines between the rules ("Node"
  // at column 6 among them), the fields of a row after its node at column
  // 6. Comma-separated: the heading lines after the title, a row's cells.
  const char* textTitle = nullptr;
  void (*textHeadings)() = nullptr;
  void (*textRow)(const DataItem& item, int layoutRow) = nullptr;
  std::vector<std::vector<std::string>> (*csvHeadings)() = nullptr;
  std::vector<std::string> (*csvRow)(const DataItem& item, int layoutRow) = nullptr;
};

// Whether the guides' loads are shown in global axes (0 local, 1 global).
extern std::uint8_t g_SupportLoadsGlobal;

// A text field ending at column `end`, or starting at `column`, of the
// report line being written, nothing for an empty text; and the direction
// component of the loads reports (10 characters with 3 decimals, empty for
// 0).
void ReportFieldRight(const std::string& text, int end);
void ReportFieldAt(const std::string& text, int column);
std::string ReportComponent(double value);

// The built kinds, by DataType; null for a kind without result tables yet.
const SupportResultKind* FindSupportResultKind(DataType type);
const SupportResultKind& AnchorResultKind();
const SupportResultKind& RestraintResultKind();
const SupportResultKind& GuideResultKind();
const SupportResultKind& LimitStopResultKind();
const SupportResultKind& SkewedRestraintResultKind();
const SupportResultKind& SnubberResultKind();
const SupportResultKind& GenericSupportResultKind();
const SupportResultKind& NozzleResultKind();
const SupportResultKind& HangerResultKind();

// The loads table of `kind`: nothing when the model has none of it.
void OpenSupportKindLoadsTable(const SupportResultKind& kind);
// The global/local command on the loads table shown: the guides' table is
// shown again in the other axes; a kind in one axes does nothing.
void ToggleSupportLoadsAxes();
// The kind's "Loads on ..." section on the current report road (nothing
// when the model has none of the kind, or the kind is not shown in the
// case); a kind with its own section prints that.
void PrintSupportKindLoads(const SupportResultKind& kind);
// The one block of the loads table on the current report road; `listed`:
// the block begins the kind's section of the report and its entry in the
// table of contents (a kind that prints two blocks lists the first).
void PrintSupportKindLoadsBlock(const SupportResultKind& kind, bool listed = true);
// The summary of the support on layout `row` in the Results window, and
// written on the current report road.
void OpenSupportSummaryWindow(const SupportResultKind& kind, int row);
void PrintSupportSummary(const SupportResultKind& kind, int row);
// "Support load summary for anchor at node 10" (" (Tag: T)" when tagged).
std::string SupportSummaryTitle(const SupportResultKind& kind, int row);

class ResultTableWindow;
ResultTableWindow& SupportLoadsTableWindow();
ResultTableWindow& SupportSummaryTableWindow();
void RegisterSupportResultTables();
