// The result views every support kind offers in the Results window, told
// once: the loads table of the kind for the current case ("Loads on
// Anchors", one row per support of the kind) and the support load summary
// of one support (one row per load combination, then "Maximum", "Minimum"
// and "Allowables"), each shown in the Results table window and written on
// the printer, as text report lines and as comma-separated lines.
//
// A kind describes itself in a SupportResultKind: its names, its loads
// (force or moment, held or free by the item) and the columns of its text
// reports. The anchors (AnchorResults.cpp) and the restraints
// (RestraintResults.cpp) are the kinds built so far; the loads of the other
// support kinds come with their kinds.
//
// A load of a free direction is left blank in the loads table and the text
// report but written in the comma-separated lines; in the summary a load of
// 0 is left blank only in the text report; Maximum and Minimum of a summary
// without combination rows are blank.
#pragma once

#include <string>
#include <vector>

#include "model/LayoutRow.h"
#include "model/RowLists.h"
#include "results/ResultNavigation.h"
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
  bool summaryHeldOnly = false;  // summary force cells only for held directions
  ResultOpener openLoads = nullptr;
  void (*listOpener)() = nullptr;  // the kind's list of the List window
};

// The built kinds, by DataType; null for a kind without result tables yet.
const SupportResultKind* FindSupportResultKind(DataType type);
const SupportResultKind& AnchorResultKind();
const SupportResultKind& RestraintResultKind();

// The loads table of `kind`: nothing when the model has none of it.
void OpenSupportKindLoadsTable(const SupportResultKind& kind);
// The kind's "Loads on ..." section on the current report road.
void PrintSupportKindLoads(const SupportResultKind& kind);
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
