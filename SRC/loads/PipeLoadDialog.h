// The pipe-load dialog LOAD_DIALOG ("Load # n"): the name, the wind flag,
// the operating temperatures and pressures of the pairs in use, the design
// temperature and pressure, the specific gravity and the additional weight
// of one record. The pairs the thermal-load count leaves unused are
// disabled, and an OK resets them to the reference temperature and the
// not-given pressure.
//
// OK reads and checks every field in order, the first failure keeping the
// dialog open on its field; an unchanged record closes as confirmed and
// discards the undo snapshot of the edit; the design values must be at
// least the largest operating values in use; a new name asks before every
// row follows it. Cancel discards the snapshot. While results are shown the
// fields are read-only and OK closes with 0.
#pragma once

#include "model/UndoFiles.h"
#include "platform/Types.h"

// Control ids of the template.
constexpr int kLoadNameField = 1301;
constexpr int kLoadWindCheck = 1101;
constexpr int kLoadFirstTemperature = 1311;  // T1 .. T10: 1311 .. 1320
constexpr int kLoadFirstPressure = 1321;     // P1 .. P10: 1321 .. 1330
constexpr int kLoadDesignTemperature = 1331;
constexpr int kLoadDesignPressure = 1332;
constexpr int kLoadSpecificGravity = 1333;
constexpr int kLoadAdditionalWeight = 1334;

// Runs LOAD_DIALOG over `owner` for pipe-load record `record` (1 .. count,
// or count + 1 for the new record of the list's spare row). `snapshot` is
// the undo snapshot taken for the edit, discarded when nothing is stored.
// 1 after OK (stored or unchanged), 0 after Cancel or in results mode.
int PipeLoadDialog(HWND owner, int record, SnapshotToken snapshot);
INT_PTR PipeLoadDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
