// The model side of merging another model's rows into the open one: whether
// the merged nodes' ids clash with the open model's (the merge then offers to
// renumber them), and appending the merged rows behind the last row. The
// merge command (its dialog, the row limit check and the tables) comes with
// the merging of models.
#pragma once

#include <vector>

#include "model/LayoutRow.h"

struct Model;
struct NodeTable;

// Whether any node of the merged table has the id of a node of the model.
bool MergedNodeIdsClash(const Model& model, const NodeTable& merged);

// Moves merged rows 1 .. count and the spare row after them behind the last
// row, makes the model again and makes the first appended row current. The
// caller has refused a merge that would pass 7000 rows.
void AppendMergedRows(Model& model, std::vector<LayoutRow>& merged, int count);
