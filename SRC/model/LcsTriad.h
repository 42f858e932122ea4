// The local-axes (LCS) triad: three axes with their letters drawn over the
// graphics at a node to show an element's or support's local frame. It is
// drawn in XOR on the graphics window, so drawing it twice erases it; the
// shown flag pairs the two. The drawing runs on the graphics thread (a call
// from elsewhere is sent there) against the drawn model's node; without a
// graphics window only the flag changes.
#pragma once

#include <array>

// A node (index into the node table), the three unit vectors of a local
// frame and whether it is drawn over the graphics now.
struct LcsTriad {
  int node = 0;
  std::array<std::array<float, 3>, 3> axes{};
  bool shown = false;
};

LcsTriad& TheLcsTriad();
void StoreLcsFrame(LcsTriad& triad, int node, const std::array<std::array<float, 3>, 3>& axes);

// The screen geometry: the origin at the node, the three axis ends, the
// three label points and the 8 strokes of the letters X (2), Y (3) and Z (3),
// all in view units.
struct LcsTriadShape {
  float originX = 0.0f, originY = 0.0f;
  float axisEnd[3][2] = {};
  float labelAt[3][2] = {};
  float strokes[8][4] = {};
};
bool LcsTriadGeometry(const LcsTriad& triad, LcsTriadShape& shape);
// Axes with the axis pen, then the letters, through the 2D drawing layer.
void DrawLcsTriad(const LcsTriad& triad);
// Draws the triad in XOR and flips its shown flag, unless the first axis is
// shorter than 0.01 (then nothing changes).
void ToggleLcsTriad(LcsTriad& triad);
// Erases a shown triad (a second XOR) and clears the flag.
void EraseLcsTriad(LcsTriad& triad);
// After a repaint wiped the picture: a shown triad is drawn again, its flag
// unchanged.
void RedrawShownLcsTriad();
// The node's number label in the label colour.
void DrawLcsNodeLabel(const LcsTriad& triad);
