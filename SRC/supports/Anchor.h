// The anchor (DataType 1): fixes the pipe at the row's node in all six
// directions with a stiffness per direction, rigid (1.0e12) unless the user
// gives a value. It carries a tag, six releases for hanger selection, the
// choice of global axes or the pipe's local axes at the node, and up to
// twelve sets of specified displacements.
//
// Model-file record: tag (above version 720), KX, KY, KZ, KXX, KYY, KZZ,
// the six release bytes, the displacement flags (DisplacementSets.h), the
// two axis bytes (from version 670; older files give 0), then the
// displacement values when a flag is set. The analysis, drawing and result
// values come with their own modules.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/RowObjects.h"
#include "supports/DisplacementSets.h"

class Anchor : public DataItem {
 public:
  Anchor();
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;

  // KX, KY, KZ (lb/inch) and KXX, KYY, KZZ (inch-pound per degree).
  std::array<float, 6> stiffness{};
  std::string tag;  // up to 11 characters
  std::array<std::uint8_t, 6> releases{};  // X, Y, Z, XX, YY, ZZ
  SpecifiedDisplacements displacements;
  std::uint8_t AnchorInPipeLcs = 0;
  std::uint8_t DisplacementsInPipeLcs = 0;
};
