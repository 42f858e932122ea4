// The small dense arrays of the element routines and the few vector
// operations they share. Element matrices are 12 x 12 in the record order
// of the element force record: node 1 fx, fy, fz, mx, my, mz, then node 2
// (rows and columns 0 .. 11 here, 1 .. 12 in the formulas' text), so a
// Matrix12d is the same type as the assembly's ElementStiffness.
//
// ElementAxes holds the three unit vectors of an element's local frame in
// global components; a global vector v has the local components
// (x.v, y.v, z.v), and a local vector l is l0 x + l1 y + l2 z globally.
#pragma once

#include <array>
#include <cmath>

using Vector3d = std::array<double, 3>;
using Matrix3d = std::array<std::array<double, 3>, 3>;
using Matrix6d = std::array<std::array<double, 6>, 6>;
using Vector12d = std::array<double, 12>;
using Matrix12d = std::array<std::array<double, 12>, 12>;

struct ElementAxes {
  Vector3d x{1.0, 0.0, 0.0};
  Vector3d y{0.0, 1.0, 0.0};
  Vector3d z{0.0, 0.0, 1.0};
};

inline double Dot(const Vector3d& a, const Vector3d& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

inline Vector3d Cross(const Vector3d& a, const Vector3d& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

inline double Norm(const Vector3d& a) { return std::sqrt(Dot(a, a)); }

inline Vector3d Scaled(const Vector3d& a, double factor) { return {a[0] * factor, a[1] * factor, a[2] * factor}; }

inline Vector3d Difference(const Vector3d& a, const Vector3d& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

inline Vector3d ToLocal(const ElementAxes& axes, const Vector3d& global) {
  return {Dot(axes.x, global), Dot(axes.y, global), Dot(axes.z, global)};
}

inline Vector3d ToGlobal(const ElementAxes& axes, const Vector3d& local) {
  Vector3d global{};
  for (int i = 0; i < 3; ++i) global[i] = local[0] * axes.x[i] + local[1] * axes.y[i] + local[2] * axes.z[i];
  return global;
}

// The four triples of a 12-vector turned, each by `axes`.
inline Vector12d ToLocal12(const ElementAxes& axes, const Vector12d& global) {
  Vector12d local{};
  for (int block = 0; block < 4; ++block) {
    const Vector3d part = ToLocal(axes, {global[3 * block], global[3 * block + 1], global[3 * block + 2]});
    for (int i = 0; i < 3; ++i) local[3 * block + i] = part[i];
  }
  return local;
}

inline Vector12d Multiply(const Matrix12d& K, const Vector12d& v) {
  Vector12d result{};
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 12; ++j) result[i] += K[i][j] * v[j];
  return result;
}

// Turns node 2's triples of a 12-vector from the node-1 frame into node 2's
// tangent frame (a turn by theta about local z): the curved kinds' end
// forces are recorded so.
inline void TurnToNodeTwoFrame(Vector12d& values, double angle) {
  const double s = std::sin(angle), c = std::cos(angle);
  for (int first : {6, 9}) {
    const double x = values[first], y = values[first + 1];
    values[first] = c * x + s * y;
    values[first + 1] = c * y - s * x;
  }
}
