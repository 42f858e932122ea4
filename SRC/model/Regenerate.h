// Regeneration: after every making of the model (and after edits that change
// only kinds) the per-kind row lists are recounted and rebuilt in row order,
// the element ends at each node are counted, the anchors and nozzles with
// specified displacements are listed, and the branch nodes (more than two
// element ends) are listed with the Branch SIF row at each.
#pragma once

struct Model;

void RegenerateModel(Model& model);
// The steps of RegenerateModel, for callers that need only the counts.
void RecountModelItems(Model& model);
void ResetModelCounts(Model& model);
void GrowModelArrays(Model& model);
void CountNodeConnections(Model& model);
void FindBranchNodes(Model& model);
// Whether the node index is a branch node.
bool IsBranchNode(const Model& model, int nodeIndex);
