#include "graphics/MessageWindow.h"

#include "shell/StandIn.h"

void RegisterMessageWindowClass() { STAND_IN("the printing module's message window class"); }
