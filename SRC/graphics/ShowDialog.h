// Private to Show.cpp and ShowNodes.cpp: the shared layout of the check
// boxes of "SHOW_33_DIALOG".
#pragma once

#include <vector>

#include "graphics/Show.h"

// Titles the dialog, labels, checks and shows one box per entry, places the
// five buttons below the last used row and sizes the dialog.
void LayoutShowDialog(HWND dialog, const char* title, const std::vector<ShowEntry>& entries);
// "A&ll" and "&None".
void CheckAllShowBoxes(HWND dialog, int count, bool checked);
