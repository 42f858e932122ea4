// The analysis model's elements: every layout row turned into the elements
// the analysis assembles (AnalysisElement), bends split into their straight
// lead-in and arcs, jacketed rows into their core and jacket, coincident
// nodes merged instead of joined, and each element's material, section and
// load found and checked.
//
// The elements are held in one program-wide list numbered from 1; their
// order is the order of the element records in the results file. Node pairs
// merged instead of joined are listed newest first. A generation starts from
// an empty list and forgets the Hydrotest load row met last, so no element
// can name a row of an earlier model.
//
// Every check throws its message as text; the row it concerns is kept as the
// error row (the invalid bend also as the invalid bend row), which the caller
// makes current. Start reading at GenerateAnalysisElements.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>


struct Model;

struct AnalysisElement {
  std::int32_t kind = 0;  // an ElementType code: 3 pipe, 4 bend arc, 5 miter, 6 jacket pipe, 7 jacket arc ...
  std::int32_t row = 0;
  std::int32_t node1 = 0, node2 = 0;  // node indexes
  std::int32_t material = 0, section = 0, load = 0;  // record numbers (beam tables for beams)
  std::int32_t hydrotestRow = 0;  // the Hydrotest load row in force, 0 none
};

// The tie of a jacket connection row (a spider or a jacket end cap) between
// the core's node and the jacket's node around it: an end cap ties all six
// freedoms, a spider the two translations across the pipe.
struct JacketCoupling {
  int row = 0;
  int core = 0;    // node indexes
  int jacket = 0;
  bool spider = false;
};

float ElementMaxTemp(const Model& model, const AnalysisElement& element);
// Whether an element is the core of a jacketed pipe or bend (kinds 6 and 7
// are the jacket's own).
bool IsJacketCoreElement(const Model& model, const AnalysisElement& element);
// Every connection row's tie, in row order (newest first in the list);
// throws "Jacket connection at point %s is not on a jacketed pipe" or the
// spider's direction message, with the row in `errorRow`.
std::vector<JacketCoupling> FindJacketCouplings(const Model& model, int* errorRow);
// The direction of the pipe a spider sits on at a node index; throws
// "Unable to find spider direction at node %s".
std::array<float, 3> SpiderDirection(const Model& model, int node);

struct AnalysisElementList {
  std::vector<AnalysisElement> elements = std::vector<AnalysisElement>(1);  // [0] unused
  int count = 0;
  std::vector<std::pair<int, int>> mergedNodes;  // newest first
  std::vector<JacketCoupling> jacketCouplings;    // newest first
  int hydrotestRow = 0;      // the last Hydrotest load row met
  int errorRow = 0;          // the row of the last refusal
  int invalidBendRow = 0;

  const AnalysisElement& operator[](int index) const { return elements[static_cast<std::size_t>(index)]; }
};

AnalysisElementList& TheAnalysisElements();

// Empties the list (and the merged pairs, the remembered rows).
void ClearAnalysisElements(AnalysisElementList& list);
// Every row of the made model, in row order; throws the first refusal.
void GenerateAnalysisElements(const Model& model, AnalysisElementList& list);
// One row's elements appended.
void GenerateRowElements(const Model& model, AnalysisElementList& list, int row);
// Appends an element of `kind` between two node indexes (or merges them when
// they are less than 0.01 apart, except for hinges, ball joints and elastic
// elements) and sets it up.
void AddAnalysisElement(const Model& model, AnalysisElementList& list, int kind, int row, int node1, int node2);
// Finds and checks the element's records; throws the refusal.
void SetupAnalysisElement(const Model& model, AnalysisElementList& list, AnalysisElement& element);

