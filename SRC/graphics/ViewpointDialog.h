// The Viewpoint dialog ("VIEWPOINT_DIALOG", F4 and the toolbar button of
// the graphics window, "&Viewpoint..." of the Layout and Results windows):
// the direction the model is seen from, the four standard views, Apply and
// the previous view. Over the graphics frame it comes back where it was
// left; over another window it is centred on it.
//
// The view belongs to the graphics thread: opened over another window, the
// dialog reads and changes it there (RunOnGraphicsThread).
#pragma once

#include "platform/Types.h"

// The dialog over `owner`; 1 when closed with OK.
int RunViewpointDialog(HWND owner);
// The viewpoint changed to (x, y, z) as the dialog's Apply does it; throws
// "0.0, 0.0, 0.0 is not a valid viewpoint" for the zero direction, and
// does nothing when it is the viewpoint already. Any thread.
void ApplyViewpoint(float x, float y, float z);
