// Private to the layer: the decoded image behind an icon handle, and the
// cursors made from the program's cursor resources.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace platform {

struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, not premultiplied, top row first
};

// Draws the layer's own icons (LoadIcon with a null instance); false for an
// id it does not know.
bool MakeSystemIcon(int id, IconImage* image);

struct CursorImage;
// The cursor resource `name`, made once and kept for the process (a shared
// handle, like an icon's); null when it is missing or does not decode.
HCURSOR LoadResourceCursor(const std::string& name);
// The image behind a cursor handle from LoadResourceCursor; null for any
// other handle (the system cursors, which the presenter draws itself).
std::shared_ptr<const CursorImage> CursorImageOf(HCURSOR cursor);

}  // namespace platform
