// Fitting a path into a narrow control: the text-fitting routine that the
// preferences' backup page uses for its folder, measured in the control's
// own font.
//
// A path that fits is returned whole. Otherwise folders are taken out of its
// middle, replaced by "...", until it fits: the start (the first folder) and
// the end (the last parts, the name always among them) stay readable. When
// even "first/.../name" is too wide, the text is cut from the left and begins
// with "...". '/' and '\' both separate folders.
#pragma once

#include <string>

#include "platform/Types.h"

// `width` in pixels; a width too small for anything gives "...".
std::string FitPathToWidth(const std::string& text, HWND control, int width);
