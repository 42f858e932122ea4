// The small row dialogs of the Layout window: Copy Rows
// (COPY_ELEMENTS_DIALOG), the offsets of one row (DX_DY_DZ_DIALOG, "Edit")
// and the text of one comment row (COMMENT_DIALOG), and the offsets of one
// row as a length and a direction (SLOPE_DIALOG, Edit > "&Slope...").
//
// The offsets and comment dialogs are opened after the caller took an undo
// snapshot and are given its token: Cancel, or OK with every value as it
// was, discards exactly that snapshot. While results are shown the fields
// are read-only and OK stores nothing.
#pragma once

#include "model/UndoFiles.h"
#include "platform/Types.h"

// Copies the rows of the range entered (the current row is proposed); true
// when something was copied.
bool CopyRowsDialog(HWND parent, int currentRow);
// 1 when the offsets were changed (the model is then remade), else 0.
int DxDyDzDialog(HWND parent, int row, SnapshotToken snapshot);
// 1 when the offsets were changed to the length along the unit direction
// entered (the model is then remade), else 0.
int SlopeDialog(HWND parent, int row, SnapshotToken snapshot);
// 1 when the comment text was stored, else 0.
int CommentDialog(HWND parent, int row, SnapshotToken snapshot);

INT_PTR CopyRowsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR DxDyDzDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR SlopeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CommentDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
