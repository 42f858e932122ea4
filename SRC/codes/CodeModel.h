// What the code checks ask of the analysed model, gathered once: the model,
// its analysis elements, the effective code settings, and an index built
// from them of the element ends at every node and of the Branch SIF rows at
// every node. On it stand the queries that the SIFs, the stress indices,
// the branch flexibilities and the element stresses share: an element's
// section and material, the header (largest), branch (smallest) and
// thinnest section at a node, the branch item at a node and whether the
// code treats a node as a branch connection.
//
// Build one CodeModel per use (opening results, one analysis run): the
// index costs one pass over the elements, the nodes and the rows, and every
// query is then a lookup. It holds references: the model and the element list must
// outlive it and stay unchanged while it is used.
#pragma once

#include <vector>

#include "codes/CodeSettings.h"

struct Model;
struct AnalysisElement;
struct AnalysisElementList;
struct Material;
struct PipeSection;
class BranchSif;

class CodeModel {
 public:
  CodeModel(const Model& model, const AnalysisElementList& elements, const CodeSettings& settings);
  // With the model's own effective settings.
  CodeModel(const Model& model, const AnalysisElementList& elements);

  const Model& model;
  const AnalysisElementList& elements;
  const CodeSettings settings;

  const AnalysisElement& Element(int index) const;
  int ElementCount() const;
  // Null when the element names no record (a beam names beam records).
  const PipeSection* SectionOf(const AnalysisElement& element) const;
  const Material* MaterialOf(const AnalysisElement& element) const;
  // The element indexes with an end at the node, in element order (an
  // element ending twice at one node is listed twice).
  const std::vector<int>& EndsAt(int node) const;
  // The Branch SIF rows at the node, in row order; empty when none.
  const std::vector<int>& BranchSifRowsAt(int node) const;
  // The node carries a Branch SIF row: a branch connection node.
  bool IsBranchPoint(int node) const { return !BranchSifRowsAt(node).empty(); }
  // Every row with a data item at the node, in row order.
  const std::vector<int>& ItemRowsAt(int node) const;
  // The index of the row's node (the first node of its id, as the node
  // table's own search finds it); 0 for a row without a node.
  int NodeOfRow(int row) const;

 private:
  std::vector<int> rowNodes_;
  std::vector<std::vector<int>> ends_;
  std::vector<std::vector<int>> branchRows_;
  std::vector<std::vector<int>> itemRows_;
};

// Section record numbers at a node (0 none), over the pipe elements that
// end there; ties keep the first found. The smallest falls back to the
// section that the node's creating row names.
int LargestSectionAtNode(const CodeModel& cm, int node);
int SmallestSectionAtNode(const CodeModel& cm, int node);
int ThinnestSectionAtNode(const CodeModel& cm, int node);

// The item of the first Branch SIF row at the node whose type takes the
// branch rules: 1, 2, 3 or 9, and also 4, 5, 6 with "Use B31J"; null when
// none.
const BranchSif* FindBranchItemAtNode(const CodeModel& cm, int node);
// The code takes the node as a branch connection at the element ends:
// with "Use B31J" any branch item found; otherwise for codes 1, 7, 8 to 11,
// 101, 201 and 15 a branch connection (type 9), and for codes 11, 101, 201
// also the tees of types 1 to 3.
bool NodeHasCodeBranchSif(const CodeModel& cm, int node);
