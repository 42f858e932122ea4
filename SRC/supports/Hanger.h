// The hanger (DataType 4): supports the pipe vertically at the row's node.
// One kind word covers four kinds: a spring hanger designed against catalogue
// 1 to 34, a user hanger (101) with a given spring rate and load, a rod
// hanger (102) and a constant support (103). It may hang from a connected
// node instead of the ground. The design and analysis values come with the
// hanger design.
//
// Model-file record: the tag (above version 720), kind, number of hangers
// and maximum load variation as int32, the short-range byte, the above byte
// (from version 521; older files give 1), the connected node (recoded before
// version 682), the load type as int32, then spring rate and load as floats.
#pragma once

#include <cstdint>
#include <string>

#include "model/RowObjects.h"

inline constexpr std::int32_t kHangerCatalogueCount = 34;
inline constexpr std::int32_t kUserHanger = 101;
inline constexpr std::int32_t kRodHanger = 102;
inline constexpr std::int32_t kConstantSupport = 103;
inline constexpr std::int32_t kGrinnellCatalogue = 16;

class Hanger : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;

  std::string tag;  // up to 11 characters
  std::int32_t kind = kGrinnellCatalogue;
  std::int32_t numberOfHangers = 1;     // at least 1
  std::int32_t maximumLoadVariation = 25;  // percent, designed hangers
  std::uint8_t shortRange = 0;
  std::uint8_t above = 1;  // 0 = "Hanger below"
  std::int32_t connectedNode = 0;  // NodeId; 0 = the ground
  std::int32_t loadType = 0;       // user hanger: 1 cold load, 0 hot load
  float springRate = 0.0f;         // lb/inch, user hanger
  float load = 0.0f;               // lb per hanger; 0 = to be computed
};
