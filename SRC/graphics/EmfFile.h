// The line picture as an enhanced metafile file (.emf) that other programs
// read: the recorded page (GraphicsPrinter.h) translated record by record
// into the file's own layout (header, pens, brushes, fonts, text, lines,
// shapes, clipping, end). Records a line picture does not hold (pictures
// of pixels, comments) are left out.
#pragma once

#include <string>

#include "platform/Metafile.h"

// The file's bytes for `picture`.
std::string EnhancedMetafileBytes(HENHMETAFILE picture);
