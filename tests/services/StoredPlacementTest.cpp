// Window placements from the settings are checked at start-up: a stored
// rectangle with coordinates no screen has (left -2147483648, a right edge
// left of its left one, a width past the 32-bit range) falls back to the
// placement the program would choose without settings, and the frame opens
// there; a sound stored rectangle is still used.
#include <climits>
#include <cstdint>

#include "services/AppTesting.h"
#include "services/FramePlacements.h"
#include "services/WindowUtilities.h"

namespace {

class StoredPlacementTest : public AppFixture {
 protected:
  // The 44-byte record with the given normal rectangle, shown normally.
  static ByteList Record(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    ByteList bytes(44, 0);
    const std::int32_t fields[11] = {44, 0, 1, 0, 0, 0, 0, left, top, right, bottom};
    for (int f = 0; f < 11; ++f)
      for (int i = 0; i < 4; ++i) bytes[4 * f + i] = static_cast<BYTE>(static_cast<std::uint32_t>(fields[f]) >> (8 * i));
    return bytes;
  }

  static bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};

TEST_F(StoredPlacementTest, ABadStoredRectangleFallsBackToTheDefault) {
  // The placements the program chooses with no settings at all.
  InitApplication("");
  RECT defaults[kFramePlacementFrames];
  for (int index = 0; index < kFramePlacementFrames; ++index) defaults[index] = FramePlacement(index).rcNormalPosition;
  CloseAndExit();
  platform::Shutdown();

  const std::string positions = kVersionKey + "\\Window positions";
  Put(positions, "Main", Record(INT32_MIN, 0, 500, 400));
  Put(positions, "Layout", Record(0, 0, INT32_MIN, 300));                 // right edge left of the left one
  Put(positions, "List", Record(-2000000000, 10, 2000000000, 400));       // wider than any int difference
  Put(positions, "Results", Record(10, INT32_MAX - 5, 300, INT32_MAX));   // below every screen
  Put(positions, "Graphics", Record(30, 40, 630, 540));                    // sound: kept
  for (int index = 0; index < kFramePlacementFrames; ++index) FramePlacement(index) = WINDOWPLACEMENT{};
  InitApplication("");
  for (int index : {kPlacementMain, kPlacementLayout, kPlacementList, kPlacementResults})
    EXPECT_TRUE(Same(FramePlacement(index).rcNormalPosition, defaults[index])) << kFramePlacementNames[index];
  EXPECT_TRUE(Same(FramePlacement(kPlacementGraphics).rcNormalPosition, RECT{30, 40, 630, 540}));
  // The main window itself opened at its default place.
  RECT shown{};
  GetWindowRect(MainFrame().window, &shown);
  EXPECT_TRUE(Same(shown, defaults[kPlacementMain]))
      << shown.left << "," << shown.top << "," << shown.right << "," << shown.bottom;
  CloseAndExit();
}

TEST_F(StoredPlacementTest, RectanglesOfAnyRangeAreClampedWithoutOverflow) {
  const RECT area = WorkArea();
  for (const RECT& stored : {RECT{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, RECT{INT32_MAX, 0, INT32_MIN, 10},
                             RECT{0, 0, 0, 0}, RECT{-40000, 5, -39000, 100}}) {
    EXPECT_FALSE(PlacementRectIsSane(stored));
    const RECT clamped = ClampRectToScreen(stored);
    EXPECT_TRUE(Same(clamped, area)) << stored.left << "," << stored.right;
  }
  // A sound rectangle partly off the screen is shifted in, keeping its size.
  const RECT moved = ClampRectToScreen(RECT{-50, area.bottom - 20, 150, area.bottom + 80});
  EXPECT_TRUE(Same(moved, RECT{0, area.bottom - 100, 200, area.bottom}));
}

}  // namespace
