// The graphics window's line picture on paper and on the clipboard.
//
// The picture is recorded once into a picture of the page (an enhanced
// metafile on the printer's context): a header line (the plot title at the
// left, the model name at the right), the picture in a frame, and a footer
// (the picture's title, today's date). Printing and the preview play that
// recording; black lines on white paper whatever the screen's colours.
// A copy records the picture at the window's size (the footer below it)
// and offers it twice on the clipboard: as the recorded picture, for this
// program, and as an image, which other programs read.
//
// Graphics thread (commands of the graphics window). The view settings and
// the drawing colours are given back however a recording ends.
#pragma once

#include <string>

#include "platform/Metafile.h"
#include "platform/Types.h"

// The graphics printer's recording of the page: a printable area of width
// x height inches on the context `reference`. Throws "Unable to create page
// on graphics printer".
void RecordGraphicsPage(HDC reference, float width, float height);
// Rendered (render mode), the page's picture is the model rendered off
// screen at the chosen resolution, with the node dots, node numbers and
// axes drawn over it.
struct RenderedPrintOptions {
  int resolution = 1;  // 0 "Low", 1 "Medium", 2 "High", 3 "HD": 1000, 2000, 3000, 12000 pixels
  int background = 1;  // 0 "Black", 1 "White"
};
RenderedPrintOptions& TheRenderedPrintOptions();
// "Print OpenGL Graphics" (PRINT_OPENGL_DIALOG): its Print and Preview
// send the graphics window WM_USER+1 and WM_USER+3.
int PrintOpenGlDialog(HWND graphicsWindow);

// The line picture recorded at the graphics window's size, its footer
// below it (`extent`: its size in pixels); the caller deletes it. Throws
// "Unable to create page on graphics printer".
HENHMETAFILE RecordWindowPicture(SIZE& extent);

// Copy (command 363, line picture): the recording at the window's size on
// the clipboard as a picture and as an image. Errors are shown on `owner`.
void CopyGraphicsAsMetafile(HWND owner);
