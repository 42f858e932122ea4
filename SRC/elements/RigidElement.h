// The rigid element (ElementType 14): a member much stiffer than the pipe
// around it (a heavy flange pair, an equipment body), with its own weight
// and a flag that adds the weights of the contents, insulation and lining.
//
// Model-file record: the weight as a float, then the add-CIL flag as a byte,
// present from version 781 (older files give 0).
#pragma once

#include <cstdint>

#include "model/RowObjects.h"

class RigidElement : public ElementData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;

  float weight = 0.0f;  // lb
  std::uint8_t addCil = 0;
};
