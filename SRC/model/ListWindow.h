// The List window: its frame (class "QuorvelList") is registered and created
// at start-up. Until the List window is built the step registers nothing and
// the List frame has no window.
#pragma once

#include <string>

#include "platform/Types.h"

void RegisterListWindow();
