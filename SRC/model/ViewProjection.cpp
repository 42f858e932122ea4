// The view projection (see ViewProjection.h).
#include "model/ViewProjection.h"

#include <cmath>

#include "model/Model.h"
#include "model/NodeDrawing.h"
#include "model/RowDrawing.h"

namespace {

// Below this the viewpoint counts as lying along the vertical axis.
constexpr double kAlongVertical = 1.0e-12;

}  // namespace

bool ZAxisVertical() { return TheModel().options.ZVertical != 0; }

void SetViewDirection(float x, float y, float z) {
  if (!ZAxisVertical())
    ViewUp = std::hypot(double(x), double(z)) >= kAlongVertical ? Vec3{0.0f, 1.0f, 0.0f} : Vec3{0.0f, 0.0f, -1.0f};
  else
    ViewUp = std::hypot(double(x), double(y)) >= kAlongVertical ? Vec3{0.0f, 0.0f, 1.0f} : Vec3{-1.0f, 0.0f, 0.0f};
  SetViewpoint(x, y, z);
}

void SetViewpoint(float x, float y, float z) {
  Viewpoint = {x, y, z};
  Vec3Unit(Viewpoint, ViewDirection);
  LookAtMatrix(ViewDirection, Vec3{0.0f, 0.0f, 0.0f}, ViewUp, ViewMatrix);
  ComputeAxesTriad();
}

void LookAtMatrix(const Vec3& eye, const Vec3& centre, const Vec3& up, Matrix4& matrix) {
  Vec3 z{}, x{}, y{};
  Vec3Sub(eye, centre, z);
  Vec3Normalize(z);
  Vec3Cross(up, z, x);
  Vec3Normalize(x);
  Vec3Cross(z, x, y);
  Vec3Normalize(y);
  matrix = Matrix4{};
  for (int column = 0; column < 3; ++column) {
    matrix[static_cast<std::size_t>(column * 4 + 0)] = x[static_cast<std::size_t>(column)];
    matrix[static_cast<std::size_t>(column * 4 + 1)] = y[static_cast<std::size_t>(column)];
    matrix[static_cast<std::size_t>(column * 4 + 2)] = z[static_cast<std::size_t>(column)];
  }
  matrix[15] = 1.0f;
  // Translated by -eye: the fourth column becomes the rotation applied to -eye.
  for (int row = 0; row < 3; ++row) {
    float sum = 0.0f;
    for (int column = 0; column < 3; ++column)
      sum += matrix[static_cast<std::size_t>(column * 4 + row)] * -eye[static_cast<std::size_t>(column)];
    matrix[static_cast<std::size_t>(12 + row)] = sum;
  }
}

void ProjectPointToView(float x, float y, float z, float& vx, float& vy) {
  const Matrix4& m = ViewMatrix;
  vx = m[0] * x + m[4] * y + m[8] * z + m[12];
  vy = m[1] * x + m[5] * y + m[9] * z + m[13];
}

void ProjectDirectionToView(float dx, float dy, float dz, float& ux, float& uy) {
  ProjectPointToView(dx, dy, dz, ux, uy);
  const float length = std::hypot(ux, uy);
  if (length < 1.0e-5f) return;
  ux /= length;
  uy /= length;
}

void ProjectModelToView() {
  Model& model = TheModel();
  for (int index = 1; index <= model.nodes.count; ++index) ProjectNode(model.nodes[index]);
  for (int number = 1; number <= model.rowCount; ++number) UpdateRowGeometry(model, number);
}

void AxisAngleMatrix(float angle, float x, float y, float z) {
  Matrix4& m = RotationMatrix;
  m = Matrix4{};
  m[0] = m[5] = m[10] = m[15] = 1.0f;
  if (x == 0.0f && y == 0.0f && z == 0.0f) return;
  const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
  // Rows of the rotation, stored in column order.
  const float rows[3][3] = {{t * x * x + c, t * x * y - s * z, t * x * z + s * y},
                            {t * x * y + s * z, t * y * y + c, t * y * z - s * x},
                            {t * x * z - s * y, t * y * z + s * x, t * z * z + c}};
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) m[static_cast<std::size_t>(column * 4 + row)] = rows[row][column];
}

void RotatePoint(Vec3& point) {
  const Matrix4& m = RotationMatrix;
  const Vec3 p = point;
  for (int row = 0; row < 3; ++row)
    point[static_cast<std::size_t>(row)] = m[static_cast<std::size_t>(row)] * p[0] +
                                           m[static_cast<std::size_t>(4 + row)] * p[1] +
                                           m[static_cast<std::size_t>(8 + row)] * p[2];
}

void ProjectedCentroid(float& vx, float& vy) {
  const NodeTable& nodes = TheModel().nodes;
  vx = vy = 0.0f;
  if (nodes.count <= 0) return;
  double sumX = 0.0, sumY = 0.0;
  for (int index = 1; index <= nodes.count; ++index) {
    sumX += nodes[index].screenX;
    sumY += nodes[index].screenY;
  }
  vx = static_cast<float>(sumX / nodes.count);
  vy = static_cast<float>(sumY / nodes.count);
}

void ComputeAxesTriad() {
  for (int axis = 0; axis < 3; ++axis)
    ProjectDirectionToView(axis == 0 ? 1.0f : 0.0f, axis == 1 ? 1.0f : 0.0f, axis == 2 ? 1.0f : 0.0f,
                           ProjectedAxes[axis][0], ProjectedAxes[axis][1]);
}
