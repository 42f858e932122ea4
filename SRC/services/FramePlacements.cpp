// The placement store (see FramePlacements.h): the ten records, read and
// written in their 44-byte little-endian layout (length, flags, show command,
// minimised x and y, maximised x and y, normal left, top, right, bottom).
#include "services/FramePlacements.h"

#include <cstdint>

#include "platform/Registry.h"
#include "services/Frame.h"
#include "services/Settings.h"
#include "services/WindowUtilities.h"

const char* const kFramePlacementNames[kFramePlacementCount] = {
    "Main",           "Layout",           "Graphics",
    "List",           "Results",          "Material library",
    "Spectrum library", "Flange Qualification", "Nozzle Allowable Loads",
    "Lug Evaluation"};

namespace {

constexpr int kPlacementBytes = 44;
static_assert(sizeof(WINDOWPLACEMENT) == kPlacementBytes);

WINDOWPLACEMENT* Placements() {
  static WINDOWPLACEMENT placements[kFramePlacementCount] = {};
  return placements;
}

// The eleven 32-bit fields of a placement, in stored order.
void Fields(WINDOWPLACEMENT& p, std::uint32_t* (&fields)[11]) {
  std::uint32_t* all[11] = {
      &p.length,
      &p.flags,
      &p.showCmd,
      reinterpret_cast<std::uint32_t*>(&p.ptMinPosition.x),
      reinterpret_cast<std::uint32_t*>(&p.ptMinPosition.y),
      reinterpret_cast<std::uint32_t*>(&p.ptMaxPosition.x),
      reinterpret_cast<std::uint32_t*>(&p.ptMaxPosition.y),
      reinterpret_cast<std::uint32_t*>(&p.rcNormalPosition.left),
      reinterpret_cast<std::uint32_t*>(&p.rcNormalPosition.top),
      reinterpret_cast<std::uint32_t*>(&p.rcNormalPosition.right),
      reinterpret_cast<std::uint32_t*>(&p.rcNormalPosition.bottom)};
  for (int i = 0; i < 11; ++i) fields[i] = all[i];
}

void EncodeBytes(const WINDOWPLACEMENT& placement, BYTE* bytes) {
  WINDOWPLACEMENT copy = placement;
  std::uint32_t* fields[11];
  Fields(copy, fields);
  for (int f = 0; f < 11; ++f)
    for (int i = 0; i < 4; ++i) bytes[4 * f + i] = static_cast<BYTE>(*fields[f] >> (8 * i));
}

void DecodeBytes(const BYTE* bytes, WINDOWPLACEMENT& placement) {
  std::uint32_t* fields[11];
  Fields(placement, fields);
  for (int f = 0; f < 11; ++f) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[4 * f + i]) << (8 * i);
    *fields[f] = value;
  }
}

}  // namespace

WINDOWPLACEMENT& FramePlacement(int index) { return Placements()[index]; }

void InitWindowPlacement(WINDOWPLACEMENT& placement, LONG left, LONG top, LONG right, LONG bottom) {
  placement = WINDOWPLACEMENT{};
  placement.length = kPlacementBytes;
  placement.showCmd = 5;
  placement.rcNormalPosition = RECT{left, top, right, bottom};
}

void EncodePlacement(const WINDOWPLACEMENT& placement, BYTE* bytes) { EncodeBytes(placement, bytes); }

void DecodePlacement(const BYTE* bytes, WINDOWPLACEMENT& placement) { DecodeBytes(bytes, placement); }

void LoadFramePlacements(HKEY settingsKey) {
  HKEY key = RegOpenKeyChecked(settingsKey, "Window positions");
  if (key == nullptr) return;
  for (int index = 0; index < kFramePlacementCount; ++index) {
    // A shorter value replaces only the bytes it holds.
    BYTE bytes[kPlacementBytes];
    EncodeBytes(Placements()[index], bytes);
    if (RegQueryValueChecked(key, kFramePlacementNames[index], bytes, sizeof bytes) == 0) continue;
    // A damaged record keeps the default placement.
    WINDOWPLACEMENT stored{};
    DecodeBytes(bytes, stored);
    if (!PlacementRectIsSane(stored.rcNormalPosition)) continue;
    Placements()[index] = stored;
    if (index < kFramePlacementFrames) FitPlacementToWorkArea(Placements()[index]);
  }
  RegCloseKey(key);
}

void SaveFramePlacements(HKEY settingsKey) {
  HKEY key = RegCreateKeyChecked(settingsKey, "Window positions");
  if (key == nullptr) return;
  for (int index = 0; index < kFramePlacementCount; ++index) {
    BYTE bytes[kPlacementBytes];
    EncodeBytes(Placements()[index], bytes);
    RegSetBinaryValue(key, kFramePlacementNames[index], bytes, sizeof bytes);
  }
  RegCloseKey(key);
}
