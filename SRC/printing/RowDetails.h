// The "Details" block that ends many printed sections on the file road:
// for each row of the section its node or nodes, then the long text only
// the row's item or element can give. A section fills a DetailsRequest
// (InitDetailsRequest), names its kind's details routine (putText) and
// prints it with PrintRowDetails; the text of one row comes from that
// routine.
//
// On the text road the heading is the centred title, a rule, the column
// headings and unit labels at their lines and columns, and a rule; it is
// repeated at the top of every page the block runs onto. In a
// comma-separated report the title starts the line and the kind's own
// header lines stand for the placed headings. The block ends with a rule.
//
// A details routine writes on the current line after the node columns: on
// the text road at its columns, in CSV mode as cells appended to
// g_LineText (the node cells are already there). A routine that takes
// several lines ends each but the last with EndRowDetailsLine and starts
// the next with ReportNewLine; PrintRowDetails ends the last.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

// Row kinds of a request.
constexpr int kDetailsElementRows = 1;  // the rows carry an element (ElementType)
constexpr int kDetailsDataRows = 2;     // the rows carry a data item (DataType)
// The type code of the specified displacements of anchors and nozzles.
constexpr int kSpecifiedDisplacementsDetails = 101;

struct DetailsHeading {
  std::string text;
  int line = 0;    // 1 = the heading's first line
  int column = 0;
};

// A unit label centred over its columns under the headings.
struct DetailsUnit {
  int unitKind = 0;
  int line = 0;
  int firstColumn = 0;
  int lastColumn = 0;
};

struct DetailsRequest {
  int rowKind = kDetailsDataRows;
  int typeCode = 0;
  std::string title;
  std::vector<DetailsHeading> headings;
  int headingLines = 1;  // lines the heading occupies below its first line
  std::vector<DetailsUnit> units;
  std::vector<int> rows;  // layout rows, 1-based
  int linesPerRow = 1;
  // CSV mode: the kind's header lines, written in place of the headings.
  std::vector<std::string> csvHeadings;
  // The kind's details routine of one row; null: the row shows its node
  // only (as a threaded joint, which has nothing past it).
  void (*putText)(int row) = nullptr;
};

// The writer of a row's details by its kind, for a request without a
// routine of its own: the kinds stand above this floor and hand it down at
// start-up. It returns false for a row it has nothing for.
void SetRowDetailsWriter(bool (*writer)(int rowKind, int typeCode, int row));

DetailsRequest InitDetailsRequest(int rowKind, int typeCode, const std::string& title,
                                  std::vector<DetailsHeading> headings, int headingLines,
                                  std::vector<DetailsUnit> units, std::vector<int> rows, int linesPerRow);

void PrintDetailsHeading(const DetailsRequest& request);
void PrintRowDetails(const DetailsRequest& request);

// CSV mode: writes the cells gathered in g_LineText as the current line
// (its last comma dropped) and empties the buffer; nothing on the text road.
void EndRowDetailsLine();


// A row's described text line (its node at column 6, the rest at the
// columns of its kind's text form) put on the current report line from
// its first character after the node, so the node the block put stays.
void PutDescribedAfterNode(const std::string& described, const std::string& node);

// The same for an element's described text line, whose To node starts at
// `toColumn` (From before it): what follows the To node is put at its own
// columns.
void PutDescribedAfterToNode(const std::string& described, const std::string& toNode, int toColumn = 14);

// CSV heading cells: the unit label of each kind, each cell ending in a
// comma (as ReportPutUnits writes them).
std::string CsvUnitCells(std::initializer_list<int> unitKinds);
// A heading line gathered as cells, without its last comma.
std::string CsvCellsLine(std::string cells);
