// New-model view settings, the node-number filter, and the window size that
// old files' drawing scale is converted with.
#include "records/GraphicsSettings.h"

#include <cmath>

#include "platform/Window.h"
#include "services/ViewRequests.h"

void InitGraphicsSettings(GraphicsSettings& settings) {
  settings = GraphicsSettings();
  // A new model is seen from (1, 1, 1), as the model reader shows a model
  // never viewed: one the program makes is the one its file reads back.
  settings.viewDirection = {1.0f, 1.0f, 1.0f};
  settings.viewSetting = 1;
  settings.factor1 = 1.0f;
  settings.factor2 = 1.0f;
  for (int flag : {kShowAnchors, kShowConcentratedMasses, kShowNodeDots, kShowFlanges, kShowForces,
                   kShowGuides, kShowHangers, kShowJacketConnections, kShowLimitStops, kShowNozzles,
                   kShowRestraints, kShowSkewedRestraints, kShowSnubbers})
    settings.show[static_cast<std::size_t>(flag)] = 1;
  settings.showNodeDotsGl = 1;
  settings.showGenericSupports = 1;
  ResetNodeNumberFlags(settings);
}

void ResetNodeNumberFlags(GraphicsSettings& settings) {
  settings.numbersAtAllNodes = 1;
  settings.numberKinds.fill(0);
}

void FitViewToModel(GraphicsSettings& settings) {
  settings.viewLeft = settings.viewRight = 0.0f;
  settings.viewBottom = settings.viewTop = 0.0f;
}

bool ViewWindowUsable(const GraphicsSettings& settings) {
  const float values[4] = {settings.viewLeft, settings.viewRight, settings.viewBottom, settings.viewTop};
  for (float value : values)
    if (!std::isfinite(value) || std::fabs(value) > 1.0e20f) return false;
  return settings.viewRight > settings.viewLeft && settings.viewTop > settings.viewBottom;
}

void GraphicsWindowPixelSize(int& width, int& height) {
  width = 800;
  height = 600;
  RECT client{};
  HWND painting = PaintingWindowHandle();
  if (painting == nullptr || !GetClientRect(painting, &client)) return;
  if (client.right > 0 && client.bottom > 0) {
    width = client.right;
    height = client.bottom;
  }
}
