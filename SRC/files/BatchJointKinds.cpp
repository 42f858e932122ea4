// The flanges', user SIFs', welds' and concentrated masses' keywords in
// LAYOUT lines; see BatchJointKinds.h.
#include "files/BatchJointKinds.h"

#include <algorithm>
#include <string>

#include "elements/BallJoint.h"
#include "elements/Bellows.h"
#include "elements/ConcentratedMass.h"
#include "elements/Flange.h"
#include "elements/HingeJoint.h"
#include "elements/SlipJoint.h"
#include "elements/TieRod.h"
#include "elements/UserSif.h"
#include "elements/Weld.h"
#include "files/BatchLayout.h"
#include "files/BatchSections.h"
#include "model/LayoutRow.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr float kSmallestSif = 1.0f;

float Sif(const BatchReader& reader, const std::string& text, const char* message) {
  const float value = ParseBatchValue(reader, text, ParseReal, message);
  if (value < kSmallestSif) BatchLineError(reader, message, text);
  return value;
}

void ReadSif(const BatchReader& reader, BatchJointAttributes& a, const BatchEntry& entry) {
  if (entry.directional) {
    a.inPlaneSif = Sif(reader, entry.components[0], "Invalid inplane SIF");
    a.outPlaneSif = Sif(reader, entry.components[1], "Invalid outplane SIF");
  } else {
    a.inPlaneSif = a.outPlaneSif = Sif(reader, entry.components[0], "Invalid SIF");
  }
  a.sifGiven = true;
}

// A flange given without its code is a weld neck, the kind's default; a
// code not in the list is refused, as a weld neck taken in its place would
// be analysed and reported as another flange than the one written.
std::int32_t FlangeType(const BatchReader& reader, const std::string& code) {
  static const char* const kCodes[] = {"WN", "DW", "SO", "FW", "SW", "LJ", "TH"};
  if (code.empty()) return 1;
  for (std::int32_t type = 1; type <= 7; ++type)
    if (code == kCodes[type - 1]) return type;
  BatchLineError(reader, "Invalid flange type", code);
}

std::int32_t WeldType(const BatchReader& reader, const std::string& text) {
  std::int32_t type = 0;
  if (ParseInteger(text, type) != 0 || type < 0 || type > kWeldTypeLast) BatchLineError(reader, "Invalid weld type", text);
  return type;
}

void ReadBellowsStiffnesses(const BatchReader& reader, BatchJointAttributes& a, const BatchEntry& entry) {
  if (!entry.directional)
    BatchLineError(reader, "Invalid expansion joint stiffnesses: " + entry.entry +
                               "\nEnter as ES(axial stiffness, lateral stiffness, torsional stiffness)");
  a.axialStiffness = std::max(1.0f, ParseBatchValue(reader, entry.components[0], ParseStiffness, "Invalid axial stiffness"));
  a.lateralStiffness =
      std::max(1.0f, ParseBatchValue(reader, entry.components[1], ParseStiffness, "Invalid lateral stiffness"));
  a.torsionalStiffness =
      std::max(1.0f, ParseBatchValue(reader, entry.components[2], ParseRotStiffness, "Invalid torsional stiffness"));
}

// KTIE(tension, compression) and GAP(tension, compression), none negative.
void ReadTieRodPair(const BatchReader& reader, const BatchEntry& entry, BatchParser parser, const char* first,
                    const char* second, float& a, float& b) {
  if (!entry.directional) BatchLineError(reader, "Invalid Tie rod input", entry.entry);
  a = ParseBatchValue(reader, entry.components[0], parser, first);
  if (a < 0.0f) BatchLineError(reader, first, entry.components[0]);
  b = ParseBatchValue(reader, entry.components[1], parser, second);
  if (b < 0.0f) BatchLineError(reader, second, entry.components[1]);
}

// RK, ROTL and FRCT: a (bending, torsional) pair, none negative; ROTL takes
// NONE for no limit.
void ReadBallPair(const BatchReader& reader, const BatchEntry& entry, BatchParser parser, const char* form,
                  const char* first, const char* second, bool limits, std::array<float, 2>& pair) {
  if (!entry.directional) BatchLineError(reader, form, entry.entry);
  const char* messages[2] = {first, second};
  for (std::size_t i = 0; i < 2; ++i) {
    const std::string& text = entry.components[i];
    if (limits && text == "NONE") {
      pair[i] = 1.0e30f;
      continue;
    }
    pair[i] = ParseBatchValue(reader, text, parser, messages[i]);
    if (pair[i] < 0.0f) BatchLineError(reader, messages[i], text);
  }
}

}  // namespace

bool ReadBatchJointKeyword(BatchReader& reader, BatchLayoutAttributes& attributes, const BatchEntry& entry) {
  BatchJointAttributes& a = attributes.jointKinds;
  const std::string& key = entry.keyword;
  const std::string& value = entry.components[0];
  if (key == "SIF") ReadSif(reader, a, entry);
  else if (key == "FLANGE") {
    a.flangeType = FlangeType(reader, value);
    a.flangeGiven = true;
  } else if (key == "GDIA")
    a.gasketDiameter = ParseBatchValue(reader, value, ParseNonNegativeDimension, "Invalid Gasket Diameter (GDIA)");
  else if (key == "AP") a.allowablePressure = ParseBatchValue(reader, value, ParsePressure, "Invalid allowable pressure");
  else if (key == "WTYPE") {
    a.weldType = WeldType(reader, value);
    a.weldGiven = true;
  } else if (key == "DELTA") a.mismatch = ParseBatchValue(reader, value, ParseNonNegativeDimension, "Invalid delta value");
  else if (key == "ES") ReadBellowsStiffnesses(reader, a, entry);
  else if (key == "BK") {
    a.bendingStiffness = ParseBatchValue(reader, value, ParseRotStiffness, "Invalid bending stiffness");
    if (a.bendingStiffness < 0.0f) BatchLineError(reader, "Invalid bending stiffness", value);
  } else if (key == "TA") a.thrustArea = ParseBatchValue(reader, value, ParseArea, "Invalid thrust area");
  else if (key == "FFOR") a.frictionForce = ParseBatchValue(reader, value, ParseForce, "Invalid friction force");
  else if (key == "FTOR") a.frictionTorque = ParseBatchValue(reader, value, ParseMoment, "Invalid friction torque");
  else if (key == "HS") {
    if (value.empty()) BatchLineError(reader, "Hinge stiffness (HS) is not specified");
    a.hingeStiffness = ParseBatchValue(reader, value, ParseRotStiffness, "Invalid hinge stiffness");
  } else if (key == "RLIM") {
    if (value == "NONE") {
      a.rotationLimit = 1.0e30f;
    } else {
      a.rotationLimit = ParseBatchValue(reader, value, ParseAngle, "Invalid rotation limit");
      if (a.rotationLimit < 0.0f) BatchLineError(reader, "Invalid rotation limit", value);
    }
  } else if (key == "RK")
    ReadBallPair(reader, entry, ParseRotStiffness, "Invalid Rotational Stiffness", "Invalid Rotational Stiffness",
                 "Invalid Rotational Stiffness", false, a.ballStiffness);
  else if (key == "ROTL")
    ReadBallPair(reader, entry, ParseAngle, "Invalid Rotational Limit", "Invalid bending limit", "Invalid torsion limit",
                 true, a.ballLimits);
  else if (key == "FRCT")
    ReadBallPair(reader, entry, ParseMoment, "Invalid Friction Torque", "Invalid bending friction torque",
                 "Invalid torsional friction torque", false, a.ballFriction);
  else if (key == "KTIE")
    ReadTieRodPair(reader, entry, ParseStiffness, "Invalid tension stiffness", "Invalid compression stiffness ",
                   a.tensionStiffness, a.compressionStiffness);
  else if (key == "GAP")
    ReadTieRodPair(reader, entry, ParseDimension, "Invalid tension gap", "Invalid compression gap ", a.tensionGap,
                   a.compressionGap);
  else if (key == "CWGT")
    a.concentratedWeight = ParseBatchValue(reader, value, ParseWeight, "Invalid concentrated weight (CWGT)");
  else return false;
  return true;
}

void CheckBatchJointLine(const BatchReader& reader, BatchLayoutAttributes& attributes) {
  const BatchJointAttributes& a = attributes.jointKinds;
  if (attributes.element == ElementType::TieRod &&
      static_cast<double>(a.tensionStiffness) + a.compressionStiffness < 1.0e-6)
    BatchLineError(reader, "At least one stiffness is required");
  if (a.sifGiven) SetBatchDataType(reader, attributes, DataType::UserSif);
  if (a.flangeGiven) SetBatchDataType(reader, attributes, DataType::Flange);
  if (a.concentratedWeight != 0.0f) SetBatchDataType(reader, attributes, DataType::ConcentratedMass);
  if (a.weldGiven) SetBatchDataType(reader, attributes, DataType::Weld);
}

void FillBatchJointItem(LayoutRow& row, const BatchLayoutAttributes& attributes) {
  const BatchJointAttributes& a = attributes.jointKinds;
  if (auto* sif = dynamic_cast<UserSif*>(row.item.get())) {
    sif->inPlaneSif = a.inPlaneSif;
    sif->outPlaneSif = a.outPlaneSif;
  } else if (auto* flange = dynamic_cast<Flange*>(row.item.get())) {
    flange->type = a.flangeType;
    flange->weight = attributes.inlineKinds.weight;
    flange->gasketDiameter = a.gasketDiameter;
    flange->allowablePressure = a.allowablePressure;
  } else if (auto* weld = dynamic_cast<Weld*>(row.item.get())) {
    weld->type = a.weldType;
    weld->mismatch = weld->type == 1 || weld->type == 4 ? a.mismatch : 0.0f;
  } else if (auto* mass = dynamic_cast<ConcentratedMass*>(row.item.get())) {
    mass->weight = a.concentratedWeight;
    mass->dx = attributes.inlineKinds.offset[0];
    mass->dy = attributes.inlineKinds.offset[1];
    mass->dz = attributes.inlineKinds.offset[2];
  }
}

void FillBatchJointElement(LayoutRow& row, const BatchLayoutAttributes& attributes) {
  const BatchJointAttributes& a = attributes.jointKinds;
  if (auto* bellows = dynamic_cast<Bellows*>(row.element.get())) {
    bellows->axialStiffness = a.axialStiffness;
    bellows->lateralStiffness = a.lateralStiffness;
    bellows->torsionalStiffness = a.torsionalStiffness;
    bellows->bendingStiffness = a.bendingStiffness;
    bellows->pressureThrustArea = a.thrustArea;
    bellows->weight = attributes.inlineKinds.weight;
  } else if (auto* joint = dynamic_cast<SlipJoint*>(row.element.get())) {
    joint->frictionForce = a.frictionForce;
    joint->frictionTorque = a.frictionTorque;
    joint->pressureThrustArea = a.thrustArea;
    joint->weight = attributes.inlineKinds.weight;
  } else if (auto* hinge = dynamic_cast<HingeJoint*>(row.element.get())) {
    hinge->stiffness = a.hingeStiffness;
    hinge->rotationLimit = a.rotationLimit;
    hinge->frictionTorque = a.frictionTorque;
    hinge->weight = attributes.inlineKinds.weight;
    for (std::size_t i = 0; i < 3; ++i) hinge->axis[i] = attributes.direction[i];
  } else if (auto* ball = dynamic_cast<BallJoint*>(row.element.get())) {
    ball->bendingStiffness = a.ballStiffness[0];
    ball->torsionalStiffness = a.ballStiffness[1];
    ball->bendingRotationLimit = a.ballLimits[0];
    ball->torsionalRotationLimit = a.ballLimits[1];
    ball->bendingFrictionTorque = a.ballFriction[0];
    ball->torsionalFrictionTorque = a.ballFriction[1];
    ball->weight = attributes.inlineKinds.weight;
  } else if (auto* rod = dynamic_cast<TieRod*>(row.element.get())) {
    rod->tensionStiffness = a.tensionStiffness;
    rod->compressionStiffness = a.compressionStiffness;
    rod->tensionGap = a.tensionGap;
    rod->compressionGap = a.compressionGap;
  }
}
