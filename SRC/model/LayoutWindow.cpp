#include "model/LayoutWindow.h"

#include "shell/StandIn.h"

void RegisterLayoutWindow() { STAND_IN("the Layout window and its frame"); }
