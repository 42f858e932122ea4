#include "results/ResultsWindow.h"

#include "shell/StandIn.h"

void RegisterResultsWindowClass() { STAND_IN("the Results window and its class"); }
