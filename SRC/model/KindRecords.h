// The fields of the bend and jacket kinds that the model core reads and
// writes while it makes the model (bend nodes, arcs, jacket nodes), and the
// property edits and pipe loads that follow a jacket's names. The kinds
// (elements/Bend.h, JacketedBend.h, JacketedPipe.h) carry these records as
// their own fields; the core reaches them through ElementData's AsBend,
// AsJacket, AsJacketedBend and AsJacketedPipe (model/RowObjects.h), never
// by knowing the kinds.
#pragma once

#include <cstdint>
#include <string>

inline constexpr std::uint8_t kBendRadiusLong = 0;
inline constexpr std::uint8_t kBendRadiusShort = 1;
inline constexpr std::uint8_t kBendRadiusUser = 2;

struct BendRecord {
  float radius = 0.0f;     // inch; Long and Short take the section's standard radius
  float thickness = 0.0f;  // 0 = the section's
  std::string material;    // empty = the row's
  float flexibilityFactor = -1.0f;          // negative = computed
  float outPlaneFlexibilityFactor = -1.0f;  // only with "Use B31J"; negative = not given
  float inPlaneSif = 0.0f;  // SIFs: 0 = not given
  float outPlaneSif = 0.0f;
  float axialSif = 0.0f;
  float torsionSif = 0.0f;
  std::int32_t intermediateNode1 = 0;  // node numbers on the arc; 0 = none
  std::int32_t intermediateNode2 = 0;
  float angle1 = 0.0f;  // radians from the near point
  float angle2 = 0.0f;
  std::uint8_t radiusType = kBendRadiusLong;
  std::uint8_t flangedEnds = 0;  // 0, 1 or 2; kept from files
  std::uint8_t BendGeometryValid = 0;
  // Set by making the model when the node coordinates, so far from the
  // origin, cannot hold the arc (CoordinatesHoldLength): a row rule.
  std::uint8_t arcLostInCoordinates = 0;
  float bendAngle = 0.0f;  // radians, set by making the model
  float centre[3] = {0.0f, 0.0f, 0.0f};
  std::int32_t farNode = 0;  // node index of the far point
};

// The names of a jacketed pipe's or bend's jacket and the node index where
// the jacket starts (set by making the model).
struct JacketRecord {
  std::string jacketMaterial;
  std::string jacketSection;
  std::string jacketLoad;
  std::int32_t jacketStartNode = 0;
};

// A jacketed bend's jacket arc.
struct JacketedBendRecord {
  std::int32_t jacketNearNode = 0;  // node indexes, set by making the model
  float jacketRadius = 0.0f;
  float jacketThickness = 0.0f;  // 0 = the jacket section's
  float jacketCentre[3] = {0.0f, 0.0f, 0.0f};
  std::int32_t jacketFarNode = 0;
  std::uint8_t jacketRadiusType = kBendRadiusLong;
  std::uint8_t jacketFlag = 0;  // kept as read
};

// A jacketed pipe's jacket end.
struct JacketedPipeRecord {
  std::int32_t jacketEndNode = 0;
};
