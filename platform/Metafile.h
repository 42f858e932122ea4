// Recorded pictures ("enhanced metafiles"): a list of device-context
// operations, recorded by a metafile device context and played back onto any
// other context (a window, a bitmap, a printer page, another metafile).
//
// A record is a run of 32-bit words: its type (the EMR_ numbers of the
// public format), its size in bytes, then its parameters. Coordinates are the
// recording context's logical ones; the context's own mapping changes are
// records too, so a played record lands where the recorded one would have.
// Objects (pens, brushes, fonts) are recorded by value when they are
// selected, each under a new index of the handle table, so a record can be
// played without the objects of the program that drew it.
//
// Playing into a rectangle scales from the frame (hundredths of a millimetre,
// converted to the reference device's pixels) to the rectangle: positions,
// font heights and pen widths. Played into the frame's own size at its
// origin, the picture draws exactly the pixels the drawing did.
//
// Start reading at CreateEnhMetaFile; MetafileRecord.cpp records,
// MetafilePlay.cpp plays onto a device context, PrinterRender.cpp draws a
// recording as vectors onto a PDF page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

struct HENHMETAFILE__;
using HENHMETAFILE = HENHMETAFILE__*;

constexpr DWORD EMR_HEADER = 1;
constexpr DWORD EMR_POLYBEZIER = 2;
constexpr DWORD EMR_POLYGON = 3;
constexpr DWORD EMR_POLYLINE = 4;
constexpr DWORD EMR_POLYBEZIERTO = 5;
constexpr DWORD EMR_POLYLINETO = 6;
constexpr DWORD EMR_POLYPOLYGON = 8;
constexpr DWORD EMR_SETWINDOWORGEX = 10;
constexpr DWORD EMR_SETVIEWPORTORGEX = 12;
constexpr DWORD EMR_EOF = 14;
constexpr DWORD EMR_SETPIXELV = 15;
constexpr DWORD EMR_SETBKMODE = 18;
constexpr DWORD EMR_SETPOLYFILLMODE = 19;
constexpr DWORD EMR_SETROP2 = 20;
constexpr DWORD EMR_SETTEXTALIGN = 22;
constexpr DWORD EMR_SETTEXTCOLOR = 24;
constexpr DWORD EMR_SETBKCOLOR = 25;
constexpr DWORD EMR_MOVETOEX = 27;
constexpr DWORD EMR_EXCLUDECLIPRECT = 29;
constexpr DWORD EMR_INTERSECTCLIPRECT = 30;
constexpr DWORD EMR_SAVEDC = 33;
constexpr DWORD EMR_RESTOREDC = 34;
constexpr DWORD EMR_SELECTOBJECT = 37;
constexpr DWORD EMR_CREATEPEN = 38;
constexpr DWORD EMR_CREATEBRUSHINDIRECT = 39;
constexpr DWORD EMR_ELLIPSE = 42;
constexpr DWORD EMR_RECTANGLE = 43;
constexpr DWORD EMR_ROUNDRECT = 44;
constexpr DWORD EMR_LINETO = 54;
constexpr DWORD EMR_GDICOMMENT = 70;
constexpr DWORD EMR_FILLRGN = 71;   // here: a rectangle filled with a brush (FillRect)
constexpr DWORD EMR_FRAMERGN = 72;  // here: a rectangle framed with a brush (FrameRect)
constexpr DWORD EMR_INVERTRGN = 73;
constexpr DWORD EMR_EXTSELECTCLIPRGN = 75;
constexpr DWORD EMR_BITBLT = 76;  // here: a pattern block operation (PatBlt)
constexpr DWORD EMR_STRETCHDIBITS = 81;
constexpr DWORD EMR_EXTCREATEFONTINDIRECTW = 82;
constexpr DWORD EMR_EXTTEXTOUTA = 83;

// A stock object in a select record: this bit and the stock index.
constexpr DWORD ENHMETA_STOCK_OBJECT = 0x80000000;

struct ENHMETARECORD {
  DWORD iType;
  DWORD nSize;  // bytes, this header included
  DWORD dParm[1];
};

struct ENHMETAHEADER {
  DWORD iType;
  DWORD nSize;
  RECT rclBounds;  // unused: zero
  RECT rclFrame;   // hundredths of a millimetre
  DWORD nRecords;
  DWORD nHandles;
  SIZE szlDevice;  // reference device, pixels
  SIZE szlPixelsPerInch;
};

struct HANDLETABLE {
  HGDIOBJ objectHandle[1];
};

using ENHMFENUMPROC = int (*)(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int objects,
                              LPARAM data);

// Records on a new context whose capabilities are the reference's (a printer
// or, with null, the screen). The frame may be null (the picture's extent is
// then the reference device's). The file name must be null: pictures are
// kept in memory until exported.
HDC CreateEnhMetaFile(HDC reference, LPCSTR fileName, const RECT* frame, LPCSTR description);
HENHMETAFILE CloseEnhMetaFile(HDC dc);
BOOL DeleteEnhMetaFile(HENHMETAFILE metafile);
// The file name must be null: the copy stays in memory.
HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE metafile, LPCSTR fileName);
UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, ENHMETAHEADER* header);
// Writes a comment record carrying `size` bytes of data.
BOOL GdiComment(HDC dc, UINT size, const BYTE* data);

// Calls `callback` for each record in order (the header first, EOF last)
// until it returns 0. With a target context and rectangle, records the
// callback plays with PlayEnhMetaFileRecord are scaled into the rectangle.
BOOL EnumEnhMetaFile(HDC dc, HENHMETAFILE metafile, ENHMFENUMPROC callback, void* data,
                     const RECT* rect);
BOOL PlayEnhMetaFileRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, UINT objects);
BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect);

namespace platform {

// The words of every record of a picture (for tests and exports).
std::vector<std::vector<DWORD>> MetafileRecords(HENHMETAFILE metafile);
std::string MetafileDescription(HENHMETAFILE metafile);

}  // namespace platform
