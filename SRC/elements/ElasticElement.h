// The elastic element (ElementType 15): a spring between the row's start node
// and its own node, with three translational and three rotational
// stiffnesses along local axes that the user gives by their global
// components (kept as entered, not normalised). 1.0e12 is rigid.
//
// Model-file record, the same in every version: the twelve floats kx, ky,
// kz, kxx, kyy, kzz, the local x axis and the local y axis.
#pragma once

#include "model/RowObjects.h"

class ElasticElement : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;

  float kx = 0.0f, ky = 0.0f, kz = 0.0f;     // lb per inch
  float kxx = 0.0f, kyy = 0.0f, kzz = 0.0f;  // inch-pound per degree
  float localX[3] = {0.0f, 0.0f, 0.0f};      // global components, as entered
  float localY[3] = {0.0f, 0.0f, 0.0f};
};
