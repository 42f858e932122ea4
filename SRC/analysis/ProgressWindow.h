// The analysis progress window: its class ("QuorvelAnalysis") is registered
// at start-up. Until the analysis driver is built the step registers
// nothing.
#pragma once

#include <string>

#include "platform/Types.h"

void RegisterProgressWindowClass();
