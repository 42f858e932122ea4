// The find-text prompt: FIND_TEXT_DIALOG ("Find Text") asks for a text that
// the visible table window looks for among the layout's Comment and
// Hydrotest load rows. It opens with the text asked for last; "Find" refuses
// an empty field ("String is required", the dialog stays open with the focus
// on the field), otherwise keeps the text in g_LastFindText, lets the table
// search (which names a text it cannot find) and ends with 1. "Close" ends
// with 0. The find-node prompt lives in FindNodeDialog.h.
//
// The search looks in the text of Comment and Hydrotest load rows, without
// regard to case; the prompt gives the table that matcher before it searches.
#pragma once

#include <string>

#include "platform/Types.h"

// The text asked for last (empty for none yet).
extern std::string g_LastFindText;

INT_PTR StringDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the prompt over `owner`, searching `tableWindow`: 1 or 0.
int AskFindText(HWND owner, HWND tableWindow);
// Repeats the last search without the prompt (Ctrl+F3); false when no text
// was asked for yet.
bool RepeatFindText(HWND tableWindow);
