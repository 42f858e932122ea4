// The Layout window: its frame (class "QuorvelLayout") is registered and
// created at start-up. Until the Layout window is built the step registers
// nothing and the Layout frame has no window.
#pragma once

#include <string>

#include "platform/Types.h"

void RegisterLayoutWindow();
