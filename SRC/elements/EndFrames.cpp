// The end frames of the analysis elements by kind; see ElementForces.h. Every
// frame is built through the model's one local-frame rule (ModelGeometry.h):
// the element's x, then y upward in the vertical plane through x (z with Z
// vertical), so result tables and drawings agree with the recovery.
#include <cmath>

#include "elements/BeamElement.h"
#include "elements/Bend.h"
#include "elements/ElasticAnalysis.h"
#include "elements/ElasticElement.h"
#include "elements/ElementForces.h"
#include "elements/HingeJoint.h"
#include "elements/JacketedBend.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "services/Assert.h"

namespace {

ElementAxes AxesOf(const LocalFrame& frame) {
  ElementAxes axes;
  for (int i = 0; i < 3; ++i) {
    axes.x[i] = frame.x[i];
    axes.y[i] = frame.y[i];
    axes.z[i] = frame.z[i];
  }
  return axes;
}

Vector3 Unit(const float v[3]) {
  const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length == 0.0f) return {1.0f, 0.0f, 0.0f};
  return {v[0] / length, v[1] / length, v[2] / length};
}

template <typename Kind>
const Kind& RowObject(const Model& model, int row) {
  const auto* object = dynamic_cast<const Kind*>(model.row(row).element.get());
  QV_ASSERT(object != nullptr);
  return *object;
}

ElementEndFrames BendFrames(const Model& model, ElementType kind, int row, int node1, int node2) {
  const Bend& bend = RowObject<Bend>(model, row);
  const float* centre = bend.centre;
  float radius = bend.radius;
  if (kind == ElementType::JacketedBend) {
    const JacketedBend& jacketed = RowObject<JacketedBend>(model, row);
    centre = jacketed.jacketCentre;
    radius = jacketed.jacketRadius;
  }
  LocalFrame frame;
  ElementEndFrames frames;
  frames.bendAngle = BendArcGeometry(frame, model.nodes, node1, node2, centre, radius);
  frames.end1 = AxesOf(frame);
  const NodeRecord& p2 = model.nodes[node2];
  const Vector3d toCentre{(centre[0] - p2.x) / radius, (centre[1] - p2.y) / radius, (centre[2] - p2.z) / radius};
  frames.end2.z = frames.end1.z;
  frames.end2.y = toCentre;
  frames.end2.x = Cross(toCentre, frames.end1.z);
  return frames;
}

}  // namespace

ElementEndFrames ComputeElementEndFrames(const Model& model, ElementType kind, int row, int node1, int node2) {
  const bool zVertical = model.options.ZVertical != 0;
  LocalFrame frame;
  switch (kind) {
    case ElementType::Bend:
    case ElementType::Miter:
    case ElementType::JacketedBend: return BendFrames(model, kind, row, node1, node2);
    case ElementType::Pipe:
    case ElementType::JacketedPipe:
    case ElementType::Valve:
    case ElementType::Reducer:
    case ElementType::Bellows:
    case ElementType::SlipJoint:
    case ElementType::Rigid:
    case ElementType::TieRod: SetAxisFromNodes(frame, model.nodes, node1, node2, zVertical); break;
    case ElementType::HingeJoint:
      frame.x = Unit(RowObject<HingeJoint>(model, row).axis);
      BuildLocalFrame(frame, zVertical);
      break;
    case ElementType::BallJoint:
      PipeDirectionAtNode(model, node2, frame.x, false);
      BuildLocalFrame(frame, zVertical);
      break;
    case ElementType::Elastic: {
      // The square frame its stiffness is built on (ElasticAnalysis.h).
      ElementEndFrames frames;
      frames.end1 = ElasticElementAxes(RowObject<ElasticElement>(model, row));
      frames.end2 = frames.end1;
      return frames;
    }
    case ElementType::Beam: {
      SetAxisFromNodes(frame, model.nodes, node1, node2, zVertical);
      const float beta = RowObject<Beam>(model, row).beta * 3.14159265f / 180.0f;
      if (beta != 0.0f) {
        const float c = std::cos(beta), s = std::sin(beta);
        const Vector3 y = frame.y, z = frame.z;
        for (int i = 0; i < 3; ++i) {
          frame.y[i] = c * y[i] + s * z[i];
          frame.z[i] = c * z[i] - s * y[i];
        }
      }
      break;
    }
    default: QV_ASSERT(false && "element frame of an unknown kind");
  }
  ElementEndFrames frames;
  frames.end1 = AxesOf(frame);
  frames.end2 = frames.end1;
  return frames;
}
