// The tie rod (ElementType 19): an axial member that takes up a free gap in
// tension and another in compression before it acts with the stiffness of
// that side.
//
// Model-file record, the same in every version: tension stiffness,
// compression stiffness, tension gap and compression gap as floats. The
// iteration state of the analysis is not stored.
#pragma once

#include "model/RowObjects.h"

class TieRod : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;

  float tensionStiffness = 0.0f;      // lb per inch
  float compressionStiffness = 0.0f;
  float tensionGap = 0.0f;            // inch
  float compressionGap = 0.0f;
};
