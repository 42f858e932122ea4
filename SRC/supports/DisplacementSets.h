// The specified displacements that an anchor or a nozzle carries: twelve
// sets of six values (X, Y, Z in inch, XX, YY, ZZ in degrees), one per slot
// T1 to T10, Seismic and Settlement, with a flag per slot. The block of
// values exists exactly while at least one flag is set; reading, writing and
// copying test the flags, never the block.
//
// In the model file the twelve flags are stored as T1-T3, T4-T10 (versions
// above 690 only), Seismic and Settlement, and the values follow the item's
// other fields when a flag is set: 72 floats from version 691, before it 30
// floats for the slots T1, T2, T3, Seismic and Settlement, which land in
// slots 0, 1, 2, 10 and 11.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

struct BinaryFile;

inline constexpr int kDisplacementSlots = 12;
inline constexpr int kSeismicSlot = 10;
inline constexpr int kSettlementSlot = 11;

// Values 1 to 72; value 0 is unused. Slot k holds values 6k+1 to 6k+6.
struct DisplacementSets {
  std::array<float, 6 * kDisplacementSlots + 1> values{};
};

struct SpecifiedDisplacements {
  std::array<std::uint8_t, kDisplacementSlots> flags{};
  std::unique_ptr<DisplacementSets> sets;  // present exactly when a flag is set

  bool HasAny() const;
};

// The flags as the file keeps them (T4 to T10 only above version 690).
void ReadDisplacementFlags(BinaryFile& file, SpecifiedDisplacements& displacements);
void WriteDisplacementFlags(BinaryFile& file, const SpecifiedDisplacements& displacements);
// The values, read and written only when a flag is set; the reader makes the
// block and drops it when no flag is set.
void ReadDisplacementValues(BinaryFile& file, SpecifiedDisplacements& displacements);
void WriteDisplacementValues(BinaryFile& file, const SpecifiedDisplacements& displacements);
// Flags and a fresh copy of the block.
void CopyDisplacements(SpecifiedDisplacements& destination, const SpecifiedDisplacements& source);
