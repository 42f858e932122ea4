// The pipe's local axes at an anchor's node: x along the pipe as the
// model's pipe direction gives it (the element of the row that made the
// node, else the first element in row order that starts or ends there),
// y and z by the model's local-frame rule.
#include <string>

#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "supports/Anchor.h"

void AnchorLocalAxes(Anchor& anchor, int rowNumber) {
  const Model& model = TheModel();
  const int node = model.row(rowNumber).endNode;
  LocalFrame frame;
  if (PipeDirectionAtNode(model, node, frame.x, false) != 0) {
    const NodeId id = node >= 1 && node <= model.nodes.count ? model.nodes[node].id : 0;
    throw std::string("Unable to find anchor local direction at node ") + NodeNumberText(id);
  }
  BuildLocalFrame(frame, model.options.ZVertical != 0);
  anchor.localAxes = {frame.x, frame.y, frame.z};
}
