// The saved placements of the program's windows: ten 44-byte window-
// placement records, stored in the registry subkey "Window positions" of the
// settings key under the names below, in this order. The first five are the
// frames (Main, Layout, Graphics, List, Results; Frame.h); the last five are
// kept by the library and evaluation windows themselves.
//
// Loading opens the subkey (nothing changes when it is missing), reads each
// value into its record (a missing value leaves the record alone) and, for
// the five frames, moves the normal rectangle inside the desktop work area
// and clears the maximised position. Saving creates the subkey and writes
// all ten values in order.
#pragma once

#include "platform/Types.h"
#include "platform/Window.h"

enum FramePlacementIndex : int {
  kPlacementMain = 0,
  kPlacementLayout,
  kPlacementGraphics,
  kPlacementList,
  kPlacementResults,
  kPlacementMaterialLibrary,
  kPlacementSpectrumLibrary,
  kPlacementFlangeQualification,
  kPlacementNozzleAllowableLoads,
  kPlacementLugEvaluation,
};
constexpr int kFramePlacementCount = 10;
constexpr int kFramePlacementFrames = 5;

// The registry value name of each record, in the order they are written.
extern const char* const kFramePlacementNames[kFramePlacementCount];

WINDOWPLACEMENT& FramePlacement(int index);

// Clears a record, sets its length to 44, show command 5 and the rectangle.
void InitWindowPlacement(WINDOWPLACEMENT& placement, LONG left, LONG top, LONG right, LONG bottom);

// The record's 44 bytes, little-endian, and back.
void EncodePlacement(const WINDOWPLACEMENT& placement, BYTE* bytes /* output of size 44 */);
void DecodePlacement(const BYTE* bytes /* input of size 44 */, WINDOWPLACEMENT& placement);

void LoadFramePlacements(HKEY settingsKey);
void SaveFramePlacements(HKEY settingsKey);
