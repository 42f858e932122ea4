// Private to the resource modules: the decoded image behind an icon handle.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, not premultiplied, top row first
};

// Draws the layer's own icons (LoadIcon with a null instance); false for an
// id it does not know.
bool MakeSystemIcon(int id, IconImage* image);

}  // namespace platform
