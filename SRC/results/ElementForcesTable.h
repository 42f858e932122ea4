// What the element force tables of the Results window share (pipe forces,
// beam forces, other forces): two lines a row, one element a row (its
// end 1 and end 2 nodes), the rows being a list of analysis elements the
// results keep for the kind, the element's row highlighted in the graphics,
// the force navigation menu while shown, the popup menu of a force table
// (the Other Forces selector and the next/previous force where the results
// hold more than one kind, the Global/Local forces toggle, the load cases
// and the results items), and the global cells: what each node exerts on
// the element, worked out once per element and case while the table is
// painted or measured. Each kind keeps only its own headings, cells,
// widths and report layout.
//
// The printed grid of these tables is titled "<name> (<axes> coordinates)"
// as a section and "<name> in <axes> coordinates: <case>" on the sheet.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "resultsfile/ResultPrint.h"
#include "services/TableWindow.h"

struct AnalysisElement;

// "global" or "local", by the Results window's Global/Local forces command.
std::string ForceAxesName();
// The heading of force value `index` (0-5: FX, FY, FZ, MX, MY, MZ; lower
// case in local axes) on line 0, its force or moment unit on any other
// line; empty outside 0-5.
std::string ForceValueHeading(int index, int line, bool global);

class ElementForcesTableWindow : public ResultTableWindow {
 public:
  ElementForcesTableWindow();

  // The analysis elements the rows show, in row order.
  virtual const std::vector<int>& RowElements() const = 0;
  // The columns and heading lines of the kind in the axes set now: the
  // table is laid out in them when it opens and when it prints, shown or not.
  virtual TableShape Shape() const = 0;
  // The case's forces loaded and the window titled.
  virtual void Load() = 0;
  void Reload() override;

  // The element of a row; 0 outside the rows.
  int ElementOfRow(int row) const;
  static const AnalysisElement& Element(int e);
  // The number of the end-1 (line 0) or end-2 (line 1) node of element `e`.
  static std::string NodeCell(int e, int line);
  // Column `column` of a global value cell (FormatPipeForce's `offset`),
  // at end `line` of element `e` with stored `record`.
  std::string GlobalCell(int e, const std::array<float, 12>& record, int column, int line, int offset);
  // The global values are worked out again at the next global cell.
  void ForgetGlobalForces() { cachedElement_ = 0; }
  // The widths of both axes' columns, each value column the wider of the
  // two, then the widest of columns first .. last given to them all, so
  // switching the axes keeps the columns.
  std::vector<int> BothAxesWidths(const TextWidthFunction& width, int first, int last);

  void RowNodes(int row, std::int32_t& from, std::int32_t& to) override;
  void KeyDown(UINT key) override;
  void CurrentRowChanged() override;
  void Prepare() override;
  void Close() override;
  void ContextMenu() override;

 private:
  int cachedElement_ = 0;
  int cachedCase_ = 0;
  std::array<double, 12> global_{};
};

// Opens `table` as the current force kind `kind` in its shape on its first
// row; nothing when it has no rows.
void OpenElementForcesTable(ElementForcesTableWindow& table, void (*kind)());
// The printed grid of `table` (rows 1 .. rows, in its shape) under the
// section and sheet titles of the force table `name`, with the kind's width
// rules and groups.
void PrintForcesGrid(ElementForcesTableWindow& table, int rows, const std::string& name,
                     std::function<void(std::vector<int>&)> equalize, std::vector<HeadingGroup> groups = {});
// The comma-separated unit line: `leading` cells, then the three force
// units and the three moment units.
void WriteForceUnitsCsv(std::vector<std::string> leading);
// Lines 0 and 1 of a row as comma-separated lines, columns 1 .. columns.
void WriteForceRowCsv(TableWindow& table, int row, int columns);
