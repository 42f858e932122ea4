// The axes across a support's direction; see NonlinearSupports.h. Apart
// from the springs, since the model's local frame and the solver's frame
// type share a name.
#include "kindbase/NonlinearSupports.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"

void AxesAcross(const Direction3& d, Direction3& e2, Direction3& e3) {
  LocalFrame frame;
  frame.x = {static_cast<float>(d[0]), static_cast<float>(d[1]), static_cast<float>(d[2])};
  BuildLocalFrame(frame, TheModel().options.ZVertical != 0);
  e2 = {frame.y[0], frame.y[1], frame.y[2]};
  e3 = {frame.z[0], frame.z[1], frame.z[2]};
}

