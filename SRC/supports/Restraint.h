// The restraint (DataType 2): a rigid support of the row's node in any
// combination of the global directions X, Y and Z, with an optional tag.
//
// Model-file record: the tag (above version 720), then the three direction
// flags as bytes.
#pragma once

#include <cstdint>
#include <string>

#include "model/RowObjects.h"

class Restraint : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;

  std::string tag;  // up to 12 characters
  std::uint8_t restrainX = 0;
  std::uint8_t restrainY = 0;
  std::uint8_t restrainZ = 0;
};
