// The jacket connections, spiders (DataType 9) and jacket end caps
// (DataType 10): rows that tie the core pipe's node to the jacket's node
// around it. They hold no values; what they do is here: the pass that
// finds each one's jacket node when the analysis elements are generated,
// the spider's frame and the ties' stiffness, the "Jacket connections" list
// and its printed section, and the two symbols.
//
// The jacket node of a connection at node id N: the companion of N's kind
// (a plain node pairs with its "J" node, "A" with "C", "B" with "D", and
// back); a connection whose companion does not exist is not on a jacketed
// pipe and stops the generation with its row made current.
//
// Spider frame: x the pipe's direction at the node; y = (0, 0, 1) for a
// pipe within 0.0005 of the Y axis, else (-x1 x2 / h, h, -x2 x3 / h) with
// h the length of (x1, x3); z = x cross y. A spider ties the core and the
// jacket along y and z by 1.0e12; an end cap ties all six freedoms as
// rigidly as merged nodes are.
#pragma once

#include <string>
#include <vector>

#include "kindbase/ElementArrays.h"
#include "model/AnalysisElements.h"

struct Model;
class TableWindow;

// The spider's frame at a node index; throws "Unable to find spider
// direction at node %s".
ElementAxes FindSpiderDirection(const Model& model, int node);
// Adds the ties' stiffness to the global system.
void AssembleJacketCouplings(const Model& model, const std::vector<JacketCoupling>& couplings);

// The list and its section.
TableWindow& JacketConnectionsListTable();
bool JacketConnectionsListOffered(const Model& model);
void OpenJacketConnectionsList();
void PrintJacketConnectionsDetails();
// A spider's or end cap's details text after its node (RowDetails.h).
void JacketConnectionDetailsText(int row);
