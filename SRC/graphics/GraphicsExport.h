// The graphics window's picture written to a file ("Print Graphics to
// File"): an HPGL plot file (.plt), a DXF drawing (.dxf) or an
// Encapsulated PostScript file (.eps), each drawn through the 2D drawing
// layer with its output flag set and its GraphicsFileWriter installed; and
// the two settings of those exports, the plot title (up to 48 characters,
// the model's title until the user changes it) and the drawing size of the
// HPGL and DXF files ("DRAWING_SIZE_DIALOG": ten paper sizes, portrait or
// landscape).
//
// A file is built in memory and written whole: a file that cannot be
// written is named in an error and left as it was (a new one is not made),
// and "... written." is said only after a complete write. Texts reach every
// file intact: control characters are dropped (a byte 3 would end an HPGL
// label) and EPS escapes "(", ")" and "\".
//
// Graphics thread (commands of the graphics window); the view settings are
// given back after every export, failures included.
#pragma once

#include <string>

#include "platform/Types.h"

// The save dialog "Print Graphics to File", then WriteGraphicsFile.
void PrintGraphicsToFile(HWND owner);
// Writes the picture to `path` by its extension (emf, eps, dxf, plt, any
// case); another extension gives "File extension must be : emf, eps, dxf or
// plt". True when the file was written.
bool WriteGraphicsFile(HWND owner, const std::string& path);

// The exports one by one; each says "... written." on success.
bool WritePlotFile(HWND owner, const std::string& path);
bool WriteDxfFile(HWND owner, const std::string& path);
bool WriteEpsFile(HWND owner, const std::string& path);
// The line picture at the window's size as an enhanced metafile file.
bool WriteGraphicsMetafile(HWND owner, const std::string& path);

// The title on the left of the header line of every exported picture.
std::string PlotTitle();
void SetPlotTitle(const std::string& title);
int PlotTitleDialog(HWND owner);    // "PLOT_TITLE_DIALOG"
int DrawingSizeDialog(HWND owner);  // "DRAWING_SIZE_DIALOG"
struct DrawingSize {
  int index = 0;  // 0..9: A, B, C, D, E, A4, A3, A2, A1, A0
  bool portrait = false;
};
DrawingSize& TheDrawingSize();
// The drawing area of a size in inches (width, height), exchanged when
// portrait, for the HPGL or the DXF file.
void DrawingArea(const DrawingSize& size, bool dxf, float& width, float& height);
// Widens the view window symmetrically in its relatively smaller direction
// to the aspect of a width x height area; the scale becomes width per view
// unit.
void FitViewToArea(float width, float height);
// A text as it may stand in each file.
std::string PlainFileText(const std::string& text);
std::string EpsFileText(const std::string& text);
