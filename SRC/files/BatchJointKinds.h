// The flanges, user SIFs, welds and concentrated masses and the bellows
// (JE), slip joints (JS), hinge joints (KH), ball joints (JB) and tie rods
// (JT) in LAYOUT lines of a model batch file: their
// keywords (FLANGE with GDIA, AP and the weight WGT; SIF; WTYPE with
// DELTA; CWGT with OFFSET; the bellows' ES, BK, TA and WGT; the tie rod's
// KTIE and GAP) are read into
// BatchJointAttributes with the checks and messages of the batch
// vocabulary, choose the line's data item through the one-item rule and
// fill the new row's item.
//
// Decisions: SIF given as one value sets both bending factors, as the one
// factor dialog does; a weld keeps its mismatch only for the types that
// take one (butt weld, tapered transition), as the weld dialog does; a
// bellows' stiffness below 1 is raised to 1; a tie rod without either
// stiffness is refused, as its dialog refuses it; a hinge without RLIM has
// no rotation limit (a limit of 0 would lock it), and one without DV has
// no axis and stops the run that analyses it.
#pragma once

#include <array>
#include <cstdint>

struct BatchEntry;
struct BatchLayoutAttributes;
struct BatchReader;
struct LayoutRow;

struct BatchJointAttributes {
  // User SIF.
  bool sifGiven = false;
  float inPlaneSif = 0.0f, outPlaneSif = 0.0f;
  // Flange: its type code (1 weld neck unless given), gasket diameter
  // (inch) and allowable pressure (psi); its weight is the WGT that the
  // in-line kinds read.
  bool flangeGiven = false;
  std::int32_t flangeType = 1;
  float gasketDiameter = 0.0f;
  float allowablePressure = 0.0f;
  // Weld.
  bool weldGiven = false;
  std::int32_t weldType = 1;
  float mismatch = 0.0f;  // inch
  // Concentrated mass (lb); its offsets are the OFFSET that the in-line
  // kinds read.
  float concentratedWeight = 0.0f;
  // Bellows (ES, BK) and its thrust area (TA, also the slip joint's); its
  // weight is the WGT that the in-line kinds read.
  float axialStiffness = 0.0f, lateralStiffness = 0.0f, torsionalStiffness = 0.0f;  // lb/in, in-lb/rad
  float bendingStiffness = 1.0e12f;  // in-lb/rad; rigid unless given
  float thrustArea = 0.0f;           // square inch
  // Slip joint (FFOR, FTOR, TA, WGT).
  float frictionForce = 0.0f;   // lb
  float frictionTorque = 0.0f;  // in-lb
  // Hinge joint (KH with HS, RLIM, FTOR, WGT and its axis DV).
  float hingeStiffness = 0.0f;  // in-lb/rad
  float rotationLimit = 1.0e30f;  // radians; none unless given
  // Ball joint (JB with RK, ROTL, FRCT and WGT): bending, torsional.
  std::array<float, 2> ballStiffness{};                 // in-lb/rad
  std::array<float, 2> ballLimits{1.0e30f, 1.0e30f};    // radians; none unless given
  std::array<float, 2> ballFriction{};                  // in-lb
  // Tie rod (KTIE, GAP).
  float tensionStiffness = 0.0f, compressionStiffness = 0.0f;  // lb/in
  float tensionGap = 0.0f, compressionGap = 0.0f;              // inch
};

// Reads `entry` when its keyword is one of these kinds'; false otherwise.
bool ReadBatchJointKeyword(BatchReader& reader, BatchLayoutAttributes& attributes, const BatchEntry& entry);
// Once the line's fields are read: the data item its keywords choose.
void CheckBatchJointLine(const BatchReader& reader, BatchLayoutAttributes& attributes);
// The values of the line into the new row's item of one of these kinds.
void FillBatchJointItem(LayoutRow& row, const BatchLayoutAttributes& attributes);
// The values of the line into the new row's element of one of these kinds.
void FillBatchJointElement(LayoutRow& row, const BatchLayoutAttributes& attributes);
