// What the time varying load and the force spectrum load share: one global
// direction (1 FX, 2 FY, 3 FZ, 4 MX, 5 MY, 6 MZ; 0 in an item its dialog has
// not stored yet), the unit in which the named table's values are given
// (an index into the force or the moment unit list), a scale factor and the
// chosen unit's factor.
//
// Their model-file records have one shape: Direction and Units as int32, the
// 32-byte name of the table (16 bytes in time varying loads of files before
// version 503), ScaleFactor and UnitFactor as floats. The reader refuses a
// direction or unit index outside the lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string>

struct BinaryFile;

inline constexpr std::int32_t kLoadDirectionLast = 6;  // MZ
inline constexpr std::size_t kLoadTableNameWidth = 32;

struct LoadUnit {
  const char* label;
  float factor;  // internal value (pound, inch-pound) times factor = value in the unit
};
inline constexpr int kForceUnitCount = 3;
inline constexpr int kMomentUnitCount = 4;
extern const LoadUnit kForceUnits[kForceUnitCount];
extern const LoadUnit kMomentUnits[kMomentUnitCount];

// Units a direction offers: forces for 1 to 3, moments for 4 to 6 (and for an
// item without a direction, which has not chosen any).
int LoadDirectionUnitCount(std::int32_t direction);

// The direction's text: "FX" .. "MZ", empty for 0.
const char* LoadDirectionName(std::int32_t direction);
// The unit of index `units` in the direction's list (null outside it).
const LoadUnit* LoadDirectionUnit(std::int32_t direction, std::int32_t units);
// The scale factor as "%.5g".
std::string ScaleFactorText(float scaleFactor);

// The saved values of an item, for reading.
struct DirectionalLoadValues {
  std::int32_t direction = 0;
  std::int32_t units = 0;
  std::string name;
  float scaleFactor = 1.0f;
  float unitFactor = 1.0f;
};
// The list columns the two kinds share: 2 direction, 3 unit label, 4 the
// table's name, 5 scale factor ("%.5g"); other columns empty.
std::string DirectionalLoadCellText(const DirectionalLoadValues& values, int column);

struct DirectionalLoadFields {
  std::int32_t& direction;
  std::int32_t& units;
  std::string& name;
  float& scaleFactor;
  float& unitFactor;
};

void ReadDirectionalLoad(BinaryFile& file, const DirectionalLoadFields& fields, std::size_t nameWidth,
                         const char* kind);
void WriteDirectionalLoad(BinaryFile& file, std::int32_t direction, std::int32_t units,
                          const std::string& name, float scaleFactor, float unitFactor);
