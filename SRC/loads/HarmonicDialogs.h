// The harmonic loads' two dialogs. HARMONIC_LOAD_DIALOG edits one load (a
// frequency above 0 is required; phase and amplitudes may be empty, all
// three amplitudes 0 included); it runs on the kinds' dialog protocol,
// opened through the kind table with the layout row as its parameter.
// HARMONIC_DIALOG ("Harmonic Analysis", Layout > Loads > Harmonic...) edits
// the model-wide damping (0 to 99 %) and the combination of the responses.
#pragma once

#include "model/UndoFiles.h"
#include "platform/Types.h"

INT_PTR HarmonicLoadDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// HARMONIC_DIALOG over `owner`: 1 after OK, 0 after Cancel (or OK while
// results are shown). `snapshot` is the undo snapshot taken for the edit,
// dropped when nothing changed.
int HarmonicSettingsDialog(HWND owner, SnapshotToken snapshot);
