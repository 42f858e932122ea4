// Private to the drawing layer: what a recording context keeps (the records
// of a metafile, or of the current page of a printer) and the capabilities
// such a context reports, with the hooks the drawing functions call to
// record themselves.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/GdiInternal.h"
#include "platform/Metafile.h"

namespace gdi {

struct DeviceTraits {
  int technology = DT_RASDISPLAY;
  int pixelsPerInchX = 96;
  int pixelsPerInchY = 96;
  int physicalWidth = 0;  // pixels
  int physicalHeight = 0;
  int offsetX = 0;  // unprintable border, pixels
  int offsetY = 0;
  int printableWidth = 0;  // HORZRES
  int printableHeight = 0;
};

struct Recording {
  std::vector<DWORD> words;  // every record, one after the other
  DWORD records = 0;
  DWORD nextHandle = 1;  // index 0 stands for the picture itself
  RECT frame{0, 0, 0, 0};  // hundredths of a millimetre
  DeviceTraits reference;
  std::string description;
};

// A new context that records into `recording`, reporting `traits`.
HDC MakeRecordingDc(std::shared_ptr<Recording> recording, std::shared_ptr<DeviceTraits> traits);
HDC AddDeviceDc(std::unique_ptr<HDC__> dc);
void FreeDeviceDc(HDC dc);

// Ends a printer context's job, if one is open (DeleteDC of a printer).
void ForgetPrinterJob(HDC dc);
// Draws a printer page's records as vectors onto a PDF page (PrinterRender.cpp).
void RenderPage(const Recording& page, const DeviceTraits& device, cairo_t* cr);

// The capabilities of a printer or metafile context (false: a screen one).
bool DeviceCaps(const HDC__& dc, int index, int* value);

// Hooks: each appends one record when the context records.
void RecordValues(HDC__& dc, DWORD type, std::initializer_list<std::int32_t> values);
void RecordPoints(HDC__& dc, DWORD type, const POINT* points, int count);
void RecordPolyPolygon(HDC__& dc, const POINT* points, const int* counts, int polygons);
void RecordSelect(HDC__& dc, HGDIOBJ object);
void RecordText(HDC__& dc, int x, int y, UINT options, const RECT* rect, const char* text,
                int length, const int* advances);
void RecordRects(HDC__& dc, const RectList& rects, bool remove);
void RecordBrushRect(HDC__& dc, DWORD type, const RECT& rect, HBRUSH brush);
// 32-bit pixels, top-down rows, stretched into the destination rectangle.
void RecordPixels(HDC__& dc, int x, int y, int width, int height, int sourceWidth,
                  int sourceHeight, const std::uint32_t* pixels, DWORD rop);
inline bool Records(const HDC__& dc) { return dc.recording != nullptr; }

// Reading records back.
inline const std::int32_t* Params(const ENHMETARECORD* record) {
  return reinterpret_cast<const std::int32_t*>(record->dParm);
}
inline std::size_t ParamCount(const ENHMETARECORD* record) { return record->nSize / 4 - 2; }
// The picture's records in order; each points into the recording.
std::vector<const ENHMETARECORD*> RecordList(const Recording& recording);

}  // namespace gdi
