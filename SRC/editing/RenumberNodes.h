// Renumbering nodes: the nodes of a range of rows get numbers rising from a
// start in steps of an increment, and every place of the model that names
// one of them follows (rows outside the range with the same number, bend
// intermediate nodes, the connected nodes of skewed restraints, hangers,
// guides and limit stops, allowable loads, pumps, compressors, turbines).
// A derived number (k x 100000 + n) follows n and keeps its k x 100000.
//
// New numbers never take a number that stays in use outside the range (the
// rows' nodes and the bend intermediate nodes there), so renumbering never
// makes two nodes share a number. Every number is assigned before anything
// changes: "New node number > 99999" refuses the whole renumbering.
//
// Reached from Edit > Renumber nodes (RENUMBER_NODES over the current row),
// after a refinement (RenumberNodesDialog, filled for every row) and after
// Insert and Delete when the preference asks for it (AutoRenumberNodes).
#pragma once

#include <cstdint>
#include <map>

#include "platform/Types.h"

struct Model;

using NodeNumberMap = std::map<std::int32_t, std::int32_t>;

// The new numbers of rows from..to; throws "New node number > 99999".
NodeNumberMap AssignNewNodeNumbers(const Model& model, int from, int to, std::int32_t start, std::int32_t increment);
// n's new number (n itself when the map has none, 0 for 0).
std::int32_t MapNodeNumber(const NodeNumberMap& map, std::int32_t n);
// Renames every node the map holds throughout the model; true when any
// number changed. The caller makes the model again.
bool ApplyNodeNumberMap(Model& model, const NodeNumberMap& map);
// Assign and apply, then make the model again; true when numbers changed.
bool RenumberRows(Model& model, int from, int to, std::int32_t start, std::int32_t increment);

// The merge's renumbering of the model being merged: new numbers for all its
// rows from `start`, each checked against every number the open model uses
// ("New node number %d  generated out of node %s\nalready exists", naming
// the merged node it was made from) and against 99999, before anything
// changes. Apply the map to `merged` with ApplyNodeNumberMap.
NodeNumberMap AssignMergedNodeNumbers(const Model& open, const Model& merged, std::int32_t start,
                                      std::int32_t increment);
// RENUMBER_NODES over the model being merged (From and To fixed to all its
// rows, the start proposed after the open model's current row); 1 when its
// rows were renumbered, 0 when cancelled.
int RenumberMergedNodes(HWND owner, Model& merged);

// The dialog from the Layout window over the current row; 1 when renumbered.
int RenumberNodesFromLayout(HWND owner, int currentRow);
// The dialog filled for every row, start 10 (after a refinement).
int RenumberNodesDialog(HWND owner);
// The automatic renumbering of every row after Insert or Delete (the
// preference's start, 10 when it is 0). A row without a node (the one an
// Insert left) stays without one. True when numbers changed.
bool AutoRenumberNodes(HWND owner);
