// The nozzle's axes at its node (see Nozzle.h): a along the pipe as the
// model's pipe direction gives it; for a cylinder or a tank l = a x v with v
// the vessel axis and c = l x a; for a sphere, whose axis means nothing, c
// and l are the local y and z of the frame with a as x.
#include <string>

#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "services/NumberFormat.h"
#include "supports/Nozzle.h"

namespace {

Direction3 Cross(const Direction3& p, const Direction3& q) {
  return {p[1] * q[2] - p[2] * q[1], p[2] * q[0] - p[0] * q[2], p[0] * q[1] - p[1] * q[0]};
}

Direction3 FromFloats(const Vector3& v) { return {v[0], v[1], v[2]}; }

}  // namespace

void NozzleAxes(Nozzle& nozzle, int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  LocalFrame frame;
  if (PipeDirectionAtNode(model, node, frame.x, false) != 0)
    throw CFormat("Unable to find nozzle direction at node %s", SupportNodeText(model, node).c_str());
  const Direction3 a = UnitDirection(frame.x[0], frame.x[1], frame.x[2]);
  nozzle.axisA = a;
  if (nozzle.spherical != 0) {
    BuildLocalFrame(frame, model.options.ZVertical != 0);
    nozzle.axisC = FromFloats(frame.y);
    nozzle.axisL = FromFloats(frame.z);
    return;
  }
  const Direction3 v{nozzle.vesselAxis[0], nozzle.vesselAxis[1], nozzle.vesselAxis[2]};
  const Direction3 l = Cross(a, v);
  if (Length3(l) < 1.0e-6)
    throw CFormat("Nozzle at node %s has parallel nozzle and vessel axes", SupportNodeText(model, node).c_str());
  nozzle.axisL = UnitDirection(l[0], l[1], l[2]);
  nozzle.axisC = Cross(nozzle.axisL, a);
}

