#include "analysis/ProgressWindow.h"

#include "shell/StandIn.h"

void RegisterProgressWindowClass() { STAND_IN("the analysis progress window class"); }
