// The clipboard: one per process, holding text (CF_TEXT, a global memory
// block of Windows-1252 bytes ending in a zero), bitmaps (CF_BITMAP) and
// recorded pictures (CF_ENHMETAFILE, kept as an opaque handle). A window
// opens it, empties it to become its owner, sets data and closes it; the
// clipboard then owns the data (it frees text blocks and deletes bitmaps when
// emptied). Reading needs it open too.
//
// Closing the clipboard after a change offers its text and bitmap to other
// programs through the presenter (X11: the CLIPBOARD selection, as UTF-8
// text and PNG); recorded pictures stay inside the process.
#pragma once

#include <string>

#include "platform/GlobalMemory.h"
#include "platform/Types.h"

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_ENHMETAFILE = 14;

// Fails while another window (or thread) has it open.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
// Null and no change when the clipboard is not open by the caller or the
// format is not one of the three.
HANDLE SetClipboardData(UINT format, HANDLE data);
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
int CountClipboardFormats();
HWND GetClipboardOwner();

namespace platform {
// Open, empty, set text, close in one step (the edit control's copy).
bool SetClipboardText(HWND owner, const std::string& text);
// Open, read text, close; false when there is no text or it is busy.
bool GetClipboardText(HWND owner, std::string* text);
// Forgets everything (the layer's shutdown and tests).
void ResetClipboard();
}  // namespace platform
