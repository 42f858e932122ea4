// The jacketed bend (ElementType 7): a bend whose core pipe runs inside a
// jacket bend. The core is the bend itself with the row's material, section
// and load; the jacket has its own names, radius, radius type and thickness,
// and the geometry that making the model computes for it (start, near and far
// node indexes and centre of curvature). The intermediate nodes lie on the
// jacket arc.
//
// Model-file record: the bend's record, then the three jacket names (4 bytes
// each before version 681, 6 bytes from it), jacket start and near node,
// jacket radius and thickness, jacket radius type, the jacket flag byte, the
// jacket centre and the jacket far node. The record's order differs from the
// order in which the fields are told; the file's order rules.
#pragma once

#include <cstdint>
#include <string>

#include "elements/Bend.h"

class JacketedBend : public Bend {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  // The bend's input, the jacket names, radius, thickness and radius type;
  // the flag byte is kept, never copied.
  void CopyFrom(const ElementData& other) override;

  std::string jacketMaterial;
  std::string jacketSection;
  std::string jacketLoad;
  std::int32_t jacketStartNode = 0;  // node indexes, set by making the model
  std::int32_t jacketNearNode = 0;
  float jacketRadius = 0.0f;
  float jacketThickness = 0.0f;  // 0 = the jacket section's
  float jacketCentre[3] = {0.0f, 0.0f, 0.0f};
  std::int32_t jacketFarNode = 0;
  std::uint8_t jacketRadiusType = kBendRadiusLong;
  std::uint8_t jacketFlag = 0;  // kept as read
};
