// The Results window: its class ("QuorvelResults", menu "RESULTS_MENU") is
// registered at start-up. Until the Results window is built the step
// registers nothing and the Results frame has no window.
#pragma once

#include <string>

#include "platform/Types.h"

void RegisterResultsWindowClass();
