// The elastic element in the analysis; see ElasticAnalysis.h.
#include "elements/ElasticAnalysis.h"

#include "elements/ElasticElement.h"
#include "elements/ElementForces.h"
#include "kindbase/ElementAssembly.h"
#include "model/Model.h"

namespace {

constexpr double kLeast = 1.0e-8;

Vector3d Unit(const Vector3d& v, const Vector3d& fallback) {
  const double length = Norm(v);
  return length > 0.0 ? Scaled(v, 1.0 / length) : fallback;
}

double Spring(float k) { return k == 0.0f ? kLeast : static_cast<double>(k); }

Vector3d Arm(const Model& model, int node1, int node2) {
  const NodeRecord& a = model.nodes[node1];
  const NodeRecord& b = model.nodes[node2];
  return {static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y, static_cast<double>(b.z) - a.z};
}

const ElasticElement& ElementOf(const Model& model, int row) {
  return dynamic_cast<const ElasticElement&>(*model.row(row).element);
}

}  // namespace

ElementAxes ElasticElementAxes(const ElasticElement& e) {
  ElementAxes axes;
  axes.x = Unit({e.localX[0], e.localX[1], e.localX[2]}, {1.0, 0.0, 0.0});
  const Vector3d y{e.localY[0], e.localY[1], e.localY[2]};
  const Vector3d square = Difference(y, Scaled(axes.x, Dot(y, axes.x)));
  // A y along x (refused by the dialog, possible in a damaged file): any
  // square frame about x will do.
  const Vector3d other = std::abs(axes.x[0]) < 0.9 ? Vector3d{1.0, 0.0, 0.0} : Vector3d{0.0, 1.0, 0.0};
  axes.y = Unit(Norm(square) > 1.0e-9 ? square : Difference(other, Scaled(axes.x, Dot(other, axes.x))),
                {0.0, 1.0, 0.0});
  axes.z = Cross(axes.x, axes.y);
  return axes;
}

Matrix12d ElasticElementStiffness(const ElasticElement& e, const ElementAxes& axes, const Vector3d& d) {
  const Vector3d arm = ToLocal(axes, d);
  // B: the springs' six strains from the twelve freedoms (local).
  double B[6][12] = {};
  for (int i = 0; i < 3; ++i) {
    B[i][i] = -1.0;      // -u1
    B[i][6 + i] = 1.0;   // +u2
    B[3 + i][3 + i] = -1.0;  // -theta1
    B[3 + i][9 + i] = 1.0;   // +theta2
  }
  // d x theta2 = (b tz - c ty, c tx - a tz, a ty - b tx)
  const double a = arm[0], b = arm[1], c = arm[2];
  B[0][10] = -c;
  B[0][11] = b;
  B[1][9] = c;
  B[1][11] = -a;
  B[2][9] = -b;
  B[2][10] = a;
  const double springs[6] = {Spring(e.kx), Spring(e.ky), Spring(e.kz), Spring(e.kxx), Spring(e.kyy), Spring(e.kzz)};
  Matrix12d K{};
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 12; ++j) {
      double sum = 0.0;
      for (int s = 0; s < 6; ++s) sum += B[s][i] * springs[s] * B[s][j];
      K[i][j] = sum;
    }
  return K;
}

void AssembleElasticElement(const AnalysisElementInput& input) {
  const Model& model = TheModel();
  const ElasticElement& element = ElementOf(model, input.row);
  const ElementAxes axes = ElasticElementAxes(element);
  const Matrix12d K = ElasticElementStiffness(element, axes, Arm(model, input.node1, input.node2));
  AddElementStiffness(K, axes, ElementEquations(model, input.node1, input.node2));
}

ElementForceBuild ElasticElementForceBuild(const AnalysisElementInput& input) {
  const Model& model = TheModel();
  const ElasticElement& element = ElementOf(model, input.row);
  const ElementEndFrames frames = ComputeElementEndFrames(model, ElementType::Elastic, input.row, input.node1,
                                                          input.node2);
  return {ElasticElementStiffness(element, frames.end1, Arm(model, input.node1, input.node2)), Vector12d{}, frames};
}
