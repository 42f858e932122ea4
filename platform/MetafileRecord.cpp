// Recording pictures: the metafile context, the records each drawing call
// appends (the hooks of MetafileInternal.h), closing, copying, comments and
// enumeration. Playing a record onto a context is MetafilePlay.cpp.
//
// Objects are recorded by value at each selection under a fresh index, so a
// picture never refers to an object of the program that drew it; a page of
// a report selects its objects again after its first record, so any page
// can be played alone.
#include <cmath>
#include <cstring>
#include <unordered_set>

#include "platform/MetafileInternal.h"
#include "platform/System.h"

struct HENHMETAFILE__ {
  std::shared_ptr<const gdi::Recording> recording;
};

namespace gdi {

namespace {

std::mutex& MetafileLock() {
  static std::mutex* lock = new std::mutex;  // lives as long as the process
  return *lock;
}

std::unordered_set<HENHMETAFILE>& LiveMetafiles() {
  static auto* live = new std::unordered_set<HENHMETAFILE>;  // lives as long as the process
  return *live;
}

HENHMETAFILE AddMetafile(std::shared_ptr<const Recording> recording) {
  auto* metafile = new HENHMETAFILE__{std::move(recording)};
  std::lock_guard guard(MetafileLock());
  LiveMetafiles().insert(metafile);
  return metafile;
}

std::shared_ptr<const Recording> RecordingOf(HENHMETAFILE metafile) {
  std::lock_guard guard(MetafileLock());
  if (metafile == nullptr || LiveMetafiles().count(metafile) == 0) return nullptr;
  return metafile->recording;
}

void Append(Recording& recording, DWORD type, const std::vector<std::int32_t>& values) {
  recording.words.push_back(type);
  recording.words.push_back(static_cast<DWORD>((values.size() + 2) * 4));
  for (std::int32_t value : values) recording.words.push_back(static_cast<DWORD>(value));
  ++recording.records;
}

std::int32_t NewHandle(Recording& recording) { return static_cast<std::int32_t>(recording.nextHandle++); }

void AppendBytes(std::vector<std::int32_t>& values, const void* bytes, std::size_t size) {
  std::size_t start = values.size();
  values.resize(start + (size + 3) / 4, 0);
  std::memcpy(values.data() + start, bytes, size);
}

int StockIndex(HGDIOBJ object) {
  for (int index = 0; index <= DEFAULT_GUI_FONT; ++index)
    if (index != 9 && index != 15 && GetStockObject(index) == object) return index;
  return -1;
}

}  // namespace

HDC MakeRecordingDc(std::shared_ptr<Recording> recording, std::shared_ptr<DeviceTraits> traits) {
  auto dc = std::make_unique<HDC__>();
  dc->baseClip = RECT{0, 0, traits->physicalWidth, traits->physicalHeight};
  dc->recording = std::move(recording);
  dc->device = std::move(traits);
  SelectDefaultObjects(*dc);
  return AddDeviceDc(std::move(dc));
}

bool DeviceCaps(const HDC__& dc, int index, int* value) {
  if (dc.device == nullptr) return false;
  const DeviceTraits& device = *dc.device;
  switch (index) {
    case TECHNOLOGY: *value = device.technology; return true;
    case LOGPIXELSX: *value = device.pixelsPerInchX; return true;
    case LOGPIXELSY: *value = device.pixelsPerInchY; return true;
    case HORZRES: *value = device.printableWidth; return true;
    case VERTRES: *value = device.printableHeight; return true;
    case HORZSIZE:
      *value = static_cast<int>(std::lround(device.printableWidth * 25.4 / device.pixelsPerInchX));
      return true;
    case VERTSIZE:
      *value = static_cast<int>(std::lround(device.printableHeight * 25.4 / device.pixelsPerInchY));
      return true;
    case 110: *value = device.physicalWidth; return true;   // PHYSICALWIDTH
    case 111: *value = device.physicalHeight; return true;  // PHYSICALHEIGHT
    case 112: *value = device.offsetX; return true;         // PHYSICALOFFSETX
    case 113: *value = device.offsetY; return true;         // PHYSICALOFFSETY
    default: return false;
  }
}

void RecordValues(HDC__& dc, DWORD type, std::initializer_list<std::int32_t> values) {
  if (dc.recording != nullptr) Append(*dc.recording, type, std::vector<std::int32_t>(values));
}

void RecordPoints(HDC__& dc, DWORD type, const POINT* points, int count) {
  if (dc.recording == nullptr) return;
  std::vector<std::int32_t> values{count};
  for (int i = 0; i < count; ++i) {
    values.push_back(points[i].x);
    values.push_back(points[i].y);
  }
  Append(*dc.recording, type, values);
}

void RecordPolyPolygon(HDC__& dc, const POINT* points, const int* counts, int polygons) {
  if (dc.recording == nullptr) return;
  std::vector<std::int32_t> values{polygons};
  int total = 0;
  for (int i = 0; i < polygons; ++i) {
    values.push_back(counts[i]);
    total += counts[i];
  }
  for (int i = 0; i < total; ++i) {
    values.push_back(points[i].x);
    values.push_back(points[i].y);
  }
  Append(*dc.recording, EMR_POLYPOLYGON, values);
}

void RecordSelect(HDC__& dc, HGDIOBJ object) {
  if (dc.recording == nullptr) return;
  Recording& recording = *dc.recording;
  int stock = StockIndex(object);
  if (stock >= 0) {
    Append(recording, EMR_SELECTOBJECT, {static_cast<std::int32_t>(ENHMETA_STOCK_OBJECT | DWORD(stock))});
    return;
  }
  std::int32_t index = 0;
  if (auto* pen = dynamic_cast<PenObject*>(object)) {
    index = NewHandle(recording);
    std::int32_t style = pen->style | pen->endCap | pen->join | (pen->geometric ? PS_GEOMETRIC : 0);
    Append(recording, EMR_CREATEPEN, {index, style, pen->width, static_cast<std::int32_t>(pen->colour)});
  } else if (auto* brush = dynamic_cast<BrushObject*>(object)) {
    index = NewHandle(recording);
    std::vector<std::int32_t> values{index, static_cast<std::int32_t>(brush->style),
                                     static_cast<std::int32_t>(brush->colour), brush->patternWidth,
                                     brush->patternHeight, brush->monochrome ? 1 : 0};
    for (std::uint32_t pixel : brush->pattern) values.push_back(static_cast<std::int32_t>(pixel));
    Append(recording, EMR_CREATEBRUSHINDIRECT, values);
  } else if (auto* font = dynamic_cast<FontObject*>(object)) {
    index = NewHandle(recording);
    std::vector<std::int32_t> values{index};
    AppendBytes(values, &font->description, sizeof font->description);
    Append(recording, EMR_EXTCREATEFONTINDIRECTW, values);
  } else {
    return;
  }
  Append(recording, EMR_SELECTOBJECT, {index});
}

void RecordText(HDC__& dc, int x, int y, UINT options, const RECT* rect, const char* text,
                int length, const int* advances) {
  if (dc.recording == nullptr) return;
  RECT box = rect != nullptr ? *rect : RECT{0, 0, 0, 0};
  std::vector<std::int32_t> values{x,          y,          static_cast<std::int32_t>(options),
                                   box.left,   box.top,    box.right,
                                   box.bottom, rect != nullptr, length,
                                   advances != nullptr};
  AppendBytes(values, text, static_cast<std::size_t>(length));
  if (advances != nullptr) values.insert(values.end(), advances, advances + length);
  Append(*dc.recording, EMR_EXTTEXTOUTA, values);
}

void RecordRects(HDC__& dc, const RectList& rects, bool remove) {
  if (dc.recording == nullptr) return;
  std::vector<std::int32_t> values{remove ? 1 : 0, static_cast<std::int32_t>(rects.size())};
  for (const RECT& rect : rects) values.insert(values.end(), {rect.left, rect.top, rect.right, rect.bottom});
  Append(*dc.recording, EMR_EXTSELECTCLIPRGN, values);
}

void RecordBrushRect(HDC__& dc, DWORD type, const RECT& rect, HBRUSH brush) {
  if (dc.recording == nullptr) return;
  // A system colour brush (index + 1) or a brush object, kept as its colour.
  auto value = reinterpret_cast<std::uintptr_t>(brush);
  COLORREF colour = 0;
  UINT style = BS_SOLID;
  if (value >= 1 && value <= 31) {
    colour = GetSysColor(static_cast<int>(value - 1));
  } else if (auto* object = Find<BrushObject>(brush)) {
    colour = object->colour;
    style = object->style == BS_NULL ? BS_NULL : BS_SOLID;
  }
  Append(*dc.recording, type,
         {rect.left, rect.top, rect.right, rect.bottom, static_cast<std::int32_t>(style),
          static_cast<std::int32_t>(colour)});
}

void RecordPixels(HDC__& dc, int x, int y, int width, int height, int sourceWidth,
                  int sourceHeight, const std::uint32_t* pixels, DWORD rop) {
  if (dc.recording == nullptr) return;
  std::vector<std::int32_t> values{x, y, width, height, sourceWidth, sourceHeight,
                                   static_cast<std::int32_t>(rop)};
  values.insert(values.end(), pixels, pixels + static_cast<std::size_t>(sourceWidth) * sourceHeight);
  Append(*dc.recording, EMR_STRETCHDIBITS, values);
}

std::vector<const ENHMETARECORD*> RecordList(const Recording& recording) {
  std::vector<const ENHMETARECORD*> list;
  list.reserve(recording.records);
  std::size_t at = 0;
  while (at + 2 <= recording.words.size()) {
    auto* record = reinterpret_cast<const ENHMETARECORD*>(recording.words.data() + at);
    list.push_back(record);
    at += record->nSize / 4;
  }
  return list;
}

}  // namespace gdi

using namespace gdi;

HDC CreateEnhMetaFile(HDC reference, LPCSTR fileName, const RECT* frame, LPCSTR description) {
  if (fileName != nullptr) return nullptr;
  auto traits = std::make_shared<DeviceTraits>();
  if (ValidDc(reference) != nullptr && reference->device != nullptr) {
    *traits = *reference->device;
  } else {
    traits->pixelsPerInchX = traits->pixelsPerInchY = 96;
    traits->physicalWidth = traits->printableWidth = GetSystemMetrics(SM_CXSCREEN);
    traits->physicalHeight = traits->printableHeight = GetSystemMetrics(SM_CYSCREEN);
  }
  traits->technology = DT_METAFILE;
  auto recording = std::make_shared<Recording>();
  recording->reference = *traits;
  if (frame != nullptr) {
    recording->frame = *frame;
  } else {
    recording->frame = RECT{0, 0,
                            static_cast<LONG>(std::lround(traits->printableWidth * 2540.0 / traits->pixelsPerInchX)),
                            static_cast<LONG>(std::lround(traits->printableHeight * 2540.0 / traits->pixelsPerInchY))};
  }
  if (description != nullptr) {
    // "application\0picture\0\0": both parts are kept, joined by a blank.
    std::string first = description;
    std::string second = description + first.size() + 1;
    recording->description = second.empty() ? first : first + " " + second;
  }
  const RECT& f = recording->frame;
  Append(*recording, EMR_HEADER,
         {0, 0, 0, 0, f.left, f.top, f.right, f.bottom, 0, 0, traits->physicalWidth,
          traits->physicalHeight, traits->pixelsPerInchX, traits->pixelsPerInchY});
  return MakeRecordingDc(std::move(recording), std::move(traits));
}

HENHMETAFILE CloseEnhMetaFile(HDC dc) {
  if (ValidDc(dc) == nullptr || dc->recording == nullptr || dc->device == nullptr ||
      dc->device->technology != DT_METAFILE)
    return nullptr;
  std::shared_ptr<Recording> recording = dc->recording;
  Append(*recording, EMR_EOF, {0, 0, 0});
  recording->words[2 + 8] = recording->records;     // nRecords
  recording->words[2 + 9] = recording->nextHandle;  // nHandles
  FreeDeviceDc(dc);
  return AddMetafile(std::move(recording));
}

BOOL DeleteEnhMetaFile(HENHMETAFILE metafile) {
  std::lock_guard guard(MetafileLock());
  if (metafile == nullptr || LiveMetafiles().erase(metafile) == 0) return FALSE;
  delete metafile;
  return TRUE;
}

HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE metafile, LPCSTR fileName) {
  auto recording = RecordingOf(metafile);
  if (recording == nullptr || fileName != nullptr) return nullptr;
  return AddMetafile(std::make_shared<const Recording>(*recording));
}

UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, ENHMETAHEADER* header) {
  auto recording = RecordingOf(metafile);
  if (recording == nullptr) return 0;
  if (header == nullptr) return sizeof(ENHMETAHEADER);
  if (size < sizeof(ENHMETAHEADER)) return 0;
  std::memcpy(header, recording->words.data(), sizeof(ENHMETAHEADER));
  return sizeof(ENHMETAHEADER);
}

BOOL GdiComment(HDC dc, UINT size, const BYTE* data) {
  if (ValidDc(dc) == nullptr || (data == nullptr && size > 0)) return FALSE;
  if (dc->recording == nullptr) return TRUE;  // nothing to keep it in
  std::vector<std::int32_t> values{static_cast<std::int32_t>(size)};
  AppendBytes(values, data, size);
  Append(*dc->recording, EMR_GDICOMMENT, values);
  return TRUE;
}

namespace gdi {
// MetafilePlay.cpp: playing within an enumeration.
BOOL EnumerateRecording(HDC dc, const Recording& recording, ENHMFENUMPROC callback, void* data,
                        const RECT* rect);
}  // namespace gdi

BOOL EnumEnhMetaFile(HDC dc, HENHMETAFILE metafile, ENHMFENUMPROC callback, void* data,
                     const RECT* rect) {
  auto recording = RecordingOf(metafile);
  if (recording == nullptr || callback == nullptr) return FALSE;
  return EnumerateRecording(dc, *recording, callback, data, rect);
}

namespace {
int PlayEveryRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int objects, LPARAM) {
  PlayEnhMetaFileRecord(dc, table, record, static_cast<UINT>(objects));
  return 1;
}
}  // namespace

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect) {
  if (ValidDc(dc) == nullptr) return FALSE;
  return EnumEnhMetaFile(dc, metafile, PlayEveryRecord, nullptr, rect);
}

namespace platform {

std::vector<std::vector<DWORD>> MetafileRecords(HENHMETAFILE metafile) {
  std::vector<std::vector<DWORD>> all;
  auto recording = RecordingOf(metafile);
  if (recording == nullptr) return all;
  for (const ENHMETARECORD* record : RecordList(*recording)) {
    const DWORD* words = reinterpret_cast<const DWORD*>(record);
    all.emplace_back(words, words + record->nSize / 4);
  }
  return all;
}

std::string MetafileDescription(HENHMETAFILE metafile) {
  auto recording = RecordingOf(metafile);
  return recording != nullptr ? recording->description : std::string();
}

}  // namespace platform
