// The view: an orthographic projection of model coordinates (inches; X, Y,
// Z) onto the view plane, x to the right and y up, defined by a viewpoint
// direction and an up axis. The projected coordinates ("view units", the
// model's length unit) are what the 2D drawing layer maps to pixels
// (Drawing2D.h) and what OpenGL is given as its model-view matrix.
//
// The state is one program-wide set that belongs to the graphics thread:
// `Viewpoint` as the caller set it, `ViewDirection` (the viewpoint
// normalised, pointing from the model towards the viewer), `ViewUp`,
// `ViewMatrix` (4 x 4, column order, a look-at matrix) and the projected
// directions of the global axes for the axes triad. Start reading at
// SetViewDirection; ProjectModelToView re-projects the drawn model after
// every view change.
#pragma once

#include <array>

#include "records/DrawingGeometry.h"

using Matrix4 = std::array<float, 16>;  // column order, as OpenGL takes it

inline Vec3 Viewpoint{1.0f, 1.0f, 1.0f};
inline Vec3 ViewDirection{0.57735027f, 0.57735027f, 0.57735027f};
inline Vec3 ViewUp{0.0f, 1.0f, 0.0f};
inline Matrix4 ViewMatrix{1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f,
                          0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
// Scratch matrix of the view rotation (AxisAngleMatrix).
inline Matrix4 RotationMatrix{};
// The global X, Y and Z axes projected onto the view plane (unit length
// unless an axis points at the viewer).
inline float ProjectedAxes[3][2] = {{1.0f, 0.0f}, {0.0f, 1.0f}, {0.0f, 0.0f}};

// One step of the turning scroll bars: 3 degrees.
constexpr float kViewTurnStep = 0.05236f;

// Chooses the up axis for the direction (Y, or Z when the model's vertical
// axis is Z) and sets the viewpoint.
void SetViewDirection(float x, float y, float z);
// Stores the viewpoint with the current `ViewUp` and builds the view matrix.
void SetViewpoint(float x, float y, float z);
// z = unit(eye - centre), x = unit(up x z), y = unit(z x x) (a zero vector is
// left as it is); the rows of the rotation are x, y, z, then the matrix is
// translated by -eye.
void LookAtMatrix(const Vec3& eye, const Vec3& centre, const Vec3& up, Matrix4& matrix);

void ProjectPointToView(float x, float y, float z, float& vx, float& vy);
// Projects like a point and scales to unit length (a projected length below
// 1e-5 is left as projected).
void ProjectDirectionToView(float dx, float dy, float dz, float& ux, float& uy);

// Projects every node of the drawn model and rebuilds every row's element
// shape and data-item symbol for the view (the local-axes triad is placed
// from its node each time it is drawn).
void ProjectModelToView();

// The rotation about a unit axis into `RotationMatrix` (identity for a zero
// axis); RotatePoint applies it.
void AxisAngleMatrix(float angle, float x, float y, float z);
void RotatePoint(Vec3& point);

// Mean projected position of all nodes; (0, 0) without nodes.
void ProjectedCentroid(float& vx, float& vy);
// The projected global axes after a viewpoint change.
void ComputeAxesTriad();

// Whether the model's vertical axis is Z (the drawn model's option).
bool ZAxisVertical();
