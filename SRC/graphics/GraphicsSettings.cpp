// New-model view settings, and the window size that old files' drawing scale
// is converted with.
#include "graphics/GraphicsSettings.h"

#include "shell/StandIn.h"

void InitGraphicsSettings(GraphicsSettings& settings) {
  settings = GraphicsSettings();
  settings.viewSetting = 1;
  settings.factor1 = 1.0f;
  settings.factor2 = 1.0f;
  for (int flag : {kShowAnchors, kShowConcentratedMasses, kShowNodeDots, kShowFlanges, kShowForces,
                   kShowGuides, kShowHangers, kShowJacketConnections, kShowLimitStops, kShowNozzles,
                   kShowRestraints, kShowSkewedRestraints, kShowSnubbers})
    settings.show[static_cast<std::size_t>(flag)] = 1;
  settings.showNodeDotsGl = 1;
  settings.showGenericSupports = 1;
}

// The graphics window's client size is known once the graphics window exists;
// until then old files are converted at the size it opens with.
void GraphicsWindowPixelSize(int& width, int& height) {
  STAND_IN("the graphics window's client size");
  width = 800;
  height = 600;
}

// The model's view extents come with the graphics view's projection; until
// then the view window stays as it was read.
void FitViewToModel(GraphicsSettings&) { STAND_IN("fitting the graphics view to the model"); }
