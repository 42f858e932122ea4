// Small geometric and model queries that many modules share: node distances,
// the local frame of an element (the one way every kind builds its local
// axes), the direction of the pipe at a node, the piping-code groups, the
// presence tests over the rows and the clearing of code-dependent data.
//
// Local frames: x is the element axis; with Y vertical the local y axis is
// the unit vector perpendicular to x in the vertical plane through x,
// pointing upwards, and z = x cross y; with Z vertical, z is that vector and
// y = z cross x. An element within 0.0005 of the vertical takes (-1, 0, 0)
// for the upward axis.
#pragma once

#include <array>

struct Model;
struct NodeTable;

using Vector3 = std::array<float, 3>;

struct LocalFrame {
  Vector3 x{1.0f, 0.0f, 0.0f};
  Vector3 y{0.0f, 1.0f, 0.0f};
  Vector3 z{0.0f, 0.0f, 1.0f};
};

// The frame the element and drawing code read right after a kind set it.
LocalFrame& CurrentLocalFrame();

// Distance between two nodes; 0 when either index is 0.
float NodeDistance(const NodeTable& nodes, int index1, int index2);
double NodeDistanceDouble(const NodeTable& nodes, int index1, int index2);

// y and z from the frame's x axis (a unit vector).
void BuildLocalFrame(LocalFrame& frame, bool zVertical);
// x becomes the unit vector from node 1 to node 2 (both nonzero), then
// BuildLocalFrame.
void SetAxisFromNodes(LocalFrame& frame, const NodeTable& nodes, int index1, int index2,
                      bool zVertical);

// The angle between (C - P1) / R and (C - P2) / R, P1 and P2 the nodes at
// index1 and index2, as BendArcGeometry computes it: 0 (or not a number)
// when the nodes hold no arc about the centre.
float BendArcAngle(const NodeTable& nodes, int index1, int index2, const float centre[3], float radius);

// Whether node coordinates about `point` (inches) can hold a length: a
// float coordinate moves there in steps of its spacing, and a length of
// fewer than eight steps (an arc's tangent length far from the origin) is
// not held to within an eighth of itself.
bool CoordinatesHoldLength(const float point[3], float length);

// The arc of a bend between its nodes index1 (P1) and index2 (P2), with arc
// centre C and radius R (R > 0): y = (C - P1) / R points to the centre, the
// angle is that between y and w = (C - P2) / R (> 0), z = (y cross w) /
// sin(angle) is normal to the bend's plane and x = y cross z is the arc's
// tangent at P1. Sets the frame and returns the angle.
float BendArcGeometry(LocalFrame& frame, const NodeTable& nodes, int index1, int index2,
                      const float centre[3], float radius);

// The unit direction of the pipe at a node, used to orient symbols; 0 when
// found, -1 (direction (1, 0, 0)) when no element or support gives one.
int PipeDirectionAtNode(const Model& model, int nodeIndex, Vector3& direction, bool reverse);

// The model's extents in view coordinates (graphics.extentLeft .. Top): the
// bounds of its nodes projected onto the view plane of its viewpoint, the
// view looking at the origin with the vertical axis up (or, looking straight
// down that axis, -Z with Y vertical and -X with Z vertical). A model
// without nodes, or without a viewpoint, gets the fixed extents -12 .. 12.
// Making the model computes them.
void ComputeModelViewExtents(Model& model);

// Piping-code groups.
bool CodeGroupF(int code);
bool CodeGroupG(int code);
bool IsSwedishOrNorwegianCode(int code);
bool IsPipelineZCode(int code);
bool CodeUsesInOutPlaneSifs(int code);

bool ModelHasCutPipe(const Model& model);
bool ModelHasHarmonicLoads(const Model& model);
bool HasTimeHistoryLoads(const Model& model);

// With no piping code: harmonic, time varying and force spectrum loads are
// removed from the rows, sections lose their soil and the soil table is
// emptied.
void ClearCodeDependentData(Model& model);

void SubtractVector6(float a[6] /* in/out */, const float b[6] /* input */);
void SubtractVector12(float a[12] /* in/out */, const float b[12] /* input */);
