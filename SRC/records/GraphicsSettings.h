// The view settings a model carries: the viewpoint direction, the view
// window, the model extents, the axes triad position and the show switches,
// as the graphics-settings section of the model file holds them, plus the
// view values and switches a model keeps in memory only (the lengths, row
// numbers and local-axes switches, and the node-number filter by kind).
//
// The graphics window takes the viewpoint and the view window from here when
// a model's windows come up, and gives its current view back before the
// model is written (StoreGraphicsView, services/ViewRequests.h). The
// drawing reads the show switches of the model it draws. Show flags are kept as the bytes
// the file holds, so a file reads and writes back unchanged.
#pragma once

#include <array>
#include <string>
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

// The kinds of the node-number filter, in the order of its list: a node
// gets its number when a row at it has a kind whose switch is on.
enum NodeNumberKind : int {
  kNumberAnchors,
  kNumberAnchorReleases,
  kNumberBallJoints,
  kNumberBeams,
  kNumberBellows,
  kNumberBends,
  kNumberBranchPoints,
  kNumberBranchSifs,
  kNumberConcentratedMasses,
  kNumberCutPipes,
  kNumberElasticElements,
  kNumberFlanges,
  kNumberForces,
  kNumberGuides,
  kNumberHangers,
  kNumberHingeJoints,
  kNumberJacketConnections,
  kNumberLimitStops,
  kNumberMiterBends,
  kNumberNozzles,
  kNumberReducers,
  kNumberRestraints,
  kNumberRigidElements,
  kNumberSkewedRestraints,
  kNumberSlipJoints,
  kNumberSnubbers,
  kNumberSpecifiedDisplacements,
  kNumberThreadedJoints,
  kNumberTieRods,
  kNumberUserSifs,
  kNumberValves,
  kNumberWelds,
  kNumberGenericSupports,
  kNodeNumberKindCount
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
  std::uint8_t showLengths = 0;
  std::uint8_t showRowNumbers = 0;
  std::uint8_t showLocalAxes = 0;
  // Node numbers at every node, or only at the kinds switched on here.
  std::uint8_t numbersAtAllNodes = 1;
  std::array<std::uint8_t, kNodeNumberKindCount> numberKinds{};
  // The plot title of printed and exported pictures once the user chose
  // one (else the model's title).
  std::string plotTitle;
  bool plotTitleChosen = false;
};

// Node numbers at every node again; every kind's switch off.
void ResetNodeNumberFlags(GraphicsSettings& settings);

// The settings of a new model: the viewpoint (1, 1, 1), the view setting 1,
// both factors 1.0, node markers and the show switch of every kind on; node
// numbers, curved bends and specified displacements off.
void InitGraphicsSettings(GraphicsSettings& settings);

// For a model that is not shown yet: its view window is to be fitted to the
// model when the graphics window shows it (the window is emptied, and an
// empty view window is always fitted).
void FitViewToModel(GraphicsSettings& settings);
// Whether the view window is one the graphics window can show as it is.
bool ViewWindowUsable(const GraphicsSettings& settings);

// The pixel size of the graphics window's drawing area, which converts the
// drawing scale of files up to version 501 into a view window.
void GraphicsWindowPixelSize(int& width, int& height);
