// The distance between two nodes (DISTANCE_DIALOG, "Distance Between
// Nodes"), opened from the node list of the List window (View >
// "&Distance...", Ctrl+D) and open to the Results window: two node fields,
// and on "&Apply" (999, the default button) the offsets DX, DY, DZ from the
// first node to the second, the distance and two direction angles, from the
// undeformed coordinates of the node table. Cancel (2) closes it; the
// dialog stays open between applies, so node after node can be measured.
//
// phi is the angle between the global +X axis and the offset (0 for a zero
// offset); Beta the angle between the offset and its projection on the X-Y
// plane, negative when the second node lies lower in Z (0 when the offset
// has no Z part, 90 degrees straight up). Lengths and angles are shown in
// the current units, each with its unit label.
//
// A field left empty is "From node is required" (or "To node"), text that
// is no node number "From node =  x  is invalid", a number that no node
// carries "Node =  n  is not defined": the message is shown, the focus
// goes back to the field and the outputs stay empty.
#pragma once

#include "platform/Types.h"

struct NodeRecord;

struct NodeDistanceResult {
  double dx = 0.0, dy = 0.0, dz = 0.0;  // inch
  double distance = 0.0;                // inch
  double phi = 0.0, beta = 0.0;         // radian
};

NodeDistanceResult MeasureNodeDistance(const NodeRecord& from, const NodeRecord& to);

INT_PTR DistanceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the dialog over `owner` until it is cancelled.
void ShowDistanceDialog(HWND owner);
