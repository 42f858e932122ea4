// The program's resources, embedded by the build (Resources.cmake): every
// dialog template, menu, accelerator table, bitmap and icon under resources/,
// and the toolbar strips assembled from the button images. The program's
// start-up and the test fixtures hand this table to
// platform::RegisterResources before the first window is made.
#pragma once

#include <span>

#include "platform/ResourceTemplates.h"

std::span<const platform::ResourceEntry> QuorvelResources();
