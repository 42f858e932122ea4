// The view settings a model carries: the viewpoint direction, the view
// window, the model extents, the axes triad position and the show switches,
// as the graphics-settings section of the model file holds them, plus the
// few view values a new model sets that the file does not keep. The
// graphics window (a later piece of work) reads and changes this record; here
// it is data that round-trips through the model file.
//
// Show flags are kept as the bytes the file holds, so a file reads and
// writes back unchanged.
#pragma once

#include <array>
#include <cstdint>

struct BinaryFile;

// The show flags of the model view in file order.
enum GraphicsShowFlag : int {
  kShowAnchors,
  kShowConcentratedMasses,
  kShowCurvedBends,
  kShowNodeDots,
  kShowFlanges,
  kShowForces,
  kShowGuides,
  kShowHangers,
  kShowJacketConnections,
  kShowLimitStops,
  kShowNodeNumbers,
  kShowNozzles,
  kShowRestraints,
  kShowSkewedRestraints,
  kShowSnubbers,
  kShowDisplacements,
  kGraphicsShowFlagCount
};

struct GraphicsSettings {
  std::array<float, 3> viewDirection{};  // viewpoint direction X, Y, Z
  float viewLeft = 0.0f;    // view window, view coordinates
  float viewBottom = 0.0f;
  float viewRight = 0.0f;
  float viewTop = 0.0f;
  // Model extents in view coordinates; recomputed when the model is made
  // (files up to version 502 also store them).
  float extentLeft = 0.0f;
  float extentBottom = 0.0f;
  float extentRight = 0.0f;
  float extentTop = 0.0f;
  std::int32_t axesTriad = 0;  // 0 none, 1 top right, 2 top left, 3 bottom left, 4 bottom right
  std::array<std::uint8_t, kGraphicsShowFlagCount> show{};
  std::uint8_t showNodeNumbersGl = 0;
  std::uint8_t showNodeDotsGl = 0;
  std::uint8_t hiddenShowFlag = 0;  // offered by no dialog; kept as read
  std::uint8_t showGenericSupports = 0;
  // Not in the file: set for a new model.
  std::int32_t viewSetting = 0;
  float factor1 = 0.0f;
  float factor2 = 0.0f;
};

// The settings of a new model: the view setting 1, both factors 1.0, node
// markers and the show switch of every kind on; node numbers, curved bends
// and specified displacements off.
void InitGraphicsSettings(GraphicsSettings& settings);

// Fits the view window to the model's extents (the graphics view).
void FitViewToModel(GraphicsSettings& settings);

// The pixel size of the graphics window that converts the drawing scale of
// files up to version 501 into a view window.
void GraphicsWindowPixelSize(int& width, int& height);
