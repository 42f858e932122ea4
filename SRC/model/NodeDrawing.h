// Nodes in the picture: projection to the view, the label box that sizes the
// view extents, the node dots, the node-number labels with their filter by
// kind, the highlighted node marker and the value labels of the result
// pictures. All drawing goes through the 2D drawing layer (Drawing2D.h) and
// reads the model it is given (on the graphics thread, the drawn copy).
#pragma once

struct Model;
struct NodeRecord;

// screenX, screenY from the node's model position through the view.
void ProjectNode(NodeRecord& node);
// The node's label box (its number's place at the label offsets, the size
// of "1234", grown by 4 pixels) into its labelBounds, and the view extents
// extended by it; nothing is drawn.
void DrawNodeMarker(NodeRecord& node);
// The node's dot when its point lies in the drawing limits.
void NodeOnScreen(const NodeRecord& node);
// Whether node numbers are drawn for the node: the number switch of the
// picture (line or render mode) on, a plain node (derived nodes never get
// numbers), and every node or a node where a row of a kind switched on sits
// (or a branch node with that switch).
bool NodeLabelVisible(const Model& model, int nodeIndex);
// The number at the label offsets when visible and its box meets the limits.
void DrawNodeLabel(const Model& model, int nodeIndex);
// The node's dot in the highlight brush and its number in the highlight
// colour, as the picture shows them.
void HighlightNodeMarker(const Model& model, int nodeIndex);
// The label thresholds of the result pictures (a stress in psi and a ratio;
// 0 labels every value), which the Thresholds dialog of the results sets.
extern float g_StressLabelThreshold;
extern float g_RatioLabelThreshold;
// Both back to 0, as every new or opened model starts.
void ResetLabelThresholds();
// Value labels of the result pictures, at or above their thresholds.
void DrawNodeStressLabel(const NodeRecord& node, float value);
void DrawNodeRatioLabel(const NodeRecord& node, float value);
