// The enhanced metafile file of a recorded picture (see EmfFile.h). Every
// value is a little-endian 32-bit word unless said otherwise; a record is
// its type, its size in bytes and its words.
#include "graphics/EmfFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/Gdi.h"

namespace {

using Words = std::vector<std::uint32_t>;

class EmfBuilder {
 public:
  void Record(std::uint32_t type, const Words& words) {
    bytes_.reserve(bytes_.size() + 8 + words.size() * 4);
    Put(type);
    Put(static_cast<std::uint32_t>(8 + words.size() * 4));
    for (std::uint32_t word : words) Put(word);
    ++records_;
  }
  std::string& Bytes() { return bytes_; }
  std::uint32_t Records() const { return records_; }

 private:
  void Put(std::uint32_t word) {
    char bytes[4];
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((word >> (8 * i)) & 0xFF);
    bytes_.append(bytes, 4);
  }
  std::string bytes_;
  std::uint32_t records_ = 0;
};

std::uint32_t W(std::int64_t value) { return static_cast<std::uint32_t>(static_cast<std::int32_t>(value)); }
std::int32_t I(std::uint32_t word) { return static_cast<std::int32_t>(word); }

// Bytes packed into words, zero-padded to a whole word.
void AppendBytes(Words& words, const void* data, std::size_t size) {
  const std::size_t start = words.size();
  words.resize(start + (size + 3) / 4, 0);
  std::memcpy(words.data() + start, data, size);
}

// The smallest rectangle around the points (x, y pairs from `first`).
void AppendBounds(Words& words, const std::vector<std::uint32_t>& record, std::size_t first, std::size_t count) {
  std::int32_t left = 0, top = 0, right = -1, bottom = -1;
  for (std::size_t i = 0; i < count; ++i) {
    const std::int32_t x = I(record[first + 2 * i]), y = I(record[first + 2 * i + 1]);
    if (i == 0) {
      left = right = x;
      top = bottom = y;
    }
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
  words.insert(words.end(), {W(left), W(top), W(right), W(bottom)});
}

// LOGFONTW: the same numbers, the face name in UTF-16 (32 characters).
Words FontWords(const std::vector<std::uint32_t>& record) {
  LOGFONT font{};
  std::memcpy(&font, record.data() + 3, std::min(sizeof font, (record.size() - 3) * 4));
  Words words{record[2], W(font.lfHeight), W(font.lfWidth), W(font.lfEscapement), W(font.lfOrientation),
              W(font.lfWeight)};
  const std::uint8_t bytes[8] = {font.lfItalic,       font.lfUnderline,    font.lfStrikeOut, font.lfCharSet,
                                 font.lfOutPrecision, font.lfClipPrecision, font.lfQuality,   font.lfPitchAndFamily};
  AppendBytes(words, bytes, sizeof bytes);
  std::uint16_t face[32] = {};
  for (int i = 0; i < 31 && font.lfFaceName[i] != '\0'; ++i) face[i] = static_cast<std::uint8_t>(font.lfFaceName[i]);
  AppendBytes(words, face, sizeof face);
  return words;
}

// EMR_EXTTEXTOUTA with its character advances (the recorded ones, else an
// even share of the font's height).
Words TextWords(const std::vector<std::uint32_t>& record, std::int32_t fontHeight) {
  const std::int32_t x = I(record[2]), y = I(record[3]);
  const std::uint32_t options = record[4];
  const std::int32_t length = I(record[10]);
  const bool advances = record[11] != 0;
  const std::size_t textWords = (static_cast<std::size_t>(length) + 3) / 4;
  const char* text = reinterpret_cast<const char*>(record.data() + 12);
  std::vector<std::int32_t> dx(static_cast<std::size_t>(length), std::max(1, std::abs(fontHeight) * 11 / 20));
  if (advances)
    for (std::int32_t i = 0; i < length; ++i) dx[static_cast<std::size_t>(i)] = I(record[12 + textWords + i]);
  std::int32_t width = 0;
  for (std::int32_t d : dx) width += d;
  constexpr std::uint32_t kStringOffset = 76;
  Words words{W(x), W(y - std::abs(fontHeight)), W(x + width), W(y),  // bounds
              1, 0, 0,                                                  // graphics mode, scales
              W(x), W(y), W(length), kStringOffset, options};
  if (record[9] != 0) words.insert(words.end(), {record[5], record[6], record[7], record[8]});
  else words.insert(words.end(), {0, 0, 0, 0});
  words.push_back(W(kStringOffset + textWords * 4));
  AppendBytes(words, text, static_cast<std::size_t>(length));
  for (std::int32_t d : dx) words.push_back(W(d));
  return words;
}

// EMR_EXTSELECTCLIPRGN: the region's rectangles, or the clip removed.
Words ClipWords(const std::vector<std::uint32_t>& record) {
  constexpr std::uint32_t kCopy = 5;
  const bool remove = record[2] != 0;
  const std::uint32_t count = remove ? 0 : record[3];
  if (count == 0) return Words{0, kCopy};
  std::int32_t left = I(record[4]), top = I(record[5]), right = I(record[6]), bottom = I(record[7]);
  for (std::uint32_t i = 1; i < count; ++i) {
    left = std::min(left, I(record[4 + 4 * i]));
    top = std::min(top, I(record[5 + 4 * i]));
    right = std::max(right, I(record[6 + 4 * i]));
    bottom = std::max(bottom, I(record[7 + 4 * i]));
  }
  Words words{32 + 16 * count, kCopy, 32, 1, count, 16 * count, W(left), W(top), W(right), W(bottom)};
  for (std::uint32_t i = 0; i < 4 * count; ++i) words.push_back(record[4 + i]);
  return words;
}

}  // namespace

std::string EnhancedMetafileBytes(HENHMETAFILE picture) {
  const std::vector<std::vector<DWORD>> records = platform::MetafileRecords(picture);
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(picture, sizeof header, &header);
  EmfBuilder body;
  std::uint32_t handles = 1;
  std::vector<std::int32_t> fontHeights(1, 12);
  std::int32_t fontHeight = 12;
  // The viewport origin is applied here, so that every reader places the
  // drawing alike: coordinates are written as the device's.
  std::int32_t originX = 0, originY = 0;
  auto shift = [&](std::vector<DWORD>& words, std::size_t first, std::size_t points) {
    for (std::size_t i = 0; i < points && first + 2 * i + 1 < words.size(); ++i) {
      words[first + 2 * i] = W(I(words[first + 2 * i]) + originX);
      words[first + 2 * i + 1] = W(I(words[first + 2 * i + 1]) + originY);
    }
  };
  for (const std::vector<DWORD>& original : records) {
    if (original.size() < 2) continue;
    std::vector<DWORD> record = original;
    const std::uint32_t type = record[0];
    switch (type) {
      case EMR_SETVIEWPORTORGEX:
        if (record.size() >= 4) {
          originX = I(record[2]);
          originY = I(record[3]);
        }
        continue;
      case EMR_MOVETOEX:
      case EMR_LINETO: shift(record, 2, 1); break;
      case EMR_RECTANGLE:
      case EMR_ELLIPSE:
      case EMR_ROUNDRECT:
      case EMR_INTERSECTCLIPRECT:
      case EMR_EXCLUDECLIPRECT: shift(record, 2, 2); break;
      case EMR_EXTTEXTOUTA:
        shift(record, 2, 1);
        if (record.size() > 9 && record[9] != 0) shift(record, 5, 2);
        break;
      case EMR_POLYLINE:
      case EMR_POLYGON:
      case EMR_POLYBEZIER:
      case EMR_POLYLINETO:
      case EMR_POLYBEZIERTO:
        if (record.size() > 2) shift(record, 3, record[2]);
        break;
      case EMR_POLYPOLYGON:
        if (record.size() > 2) {
          std::size_t total = 0;
          for (std::size_t i = 0; i < record[2] && 3 + i < record.size(); ++i) total += record[3 + i];
          shift(record, 3 + record[2], total);
        }
        break;
      default: break;
    }
    const Words values(record.begin() + 2, record.end());
    switch (type) {
      case EMR_SETBKMODE:
      case EMR_SETPOLYFILLMODE:
      case EMR_SETROP2:
      case EMR_SETTEXTALIGN:
      case EMR_SETTEXTCOLOR:
      case EMR_SETBKCOLOR:
      case EMR_SETWINDOWORGEX:
      case EMR_MOVETOEX:
      case EMR_LINETO:
      case EMR_RECTANGLE:
      case EMR_ELLIPSE:
      case EMR_ROUNDRECT:
      case EMR_INTERSECTCLIPRECT:
      case EMR_EXCLUDECLIPRECT:
      case EMR_SAVEDC:
      case EMR_RESTOREDC: body.Record(type, values); break;
      case EMR_SELECTOBJECT:
        body.Record(type, values);
        if (!values.empty() && (values[0] & ENHMETA_STOCK_OBJECT) == 0 && values[0] < fontHeights.size() &&
            fontHeights[values[0]] != 0)
          fontHeight = fontHeights[values[0]];
        break;
      case EMR_CREATEPEN:
        // LOGPEN: style, width (x, y), colour.
        body.Record(type, {values[0], values[1] & 0xFFFFu, values[2], 0, values[3]});
        handles = std::max(handles, values[0] + 1);
        break;
      case EMR_CREATEBRUSHINDIRECT:
        // LOGBRUSH: solid or hollow, colour, no hatch.
        body.Record(type, {values[0], values[1] == BS_NULL ? static_cast<std::uint32_t>(BS_NULL) : 0u, values[2], 0});
        handles = std::max(handles, values[0] + 1);
        break;
      case EMR_EXTCREATEFONTINDIRECTW: {
        body.Record(type, FontWords(record));
        handles = std::max(handles, values[0] + 1);
        if (fontHeights.size() <= values[0]) fontHeights.resize(values[0] + 1, 0);
        LOGFONT font{};
        std::memcpy(&font, record.data() + 3, std::min(sizeof font, (record.size() - 3) * 4));
        fontHeights[values[0]] = font.lfHeight;
        break;
      }
      case EMR_EXTTEXTOUTA: body.Record(type, TextWords(record, fontHeight)); break;
      case EMR_POLYLINE:
      case EMR_POLYGON:
      case EMR_POLYBEZIER:
      case EMR_POLYLINETO:
      case EMR_POLYBEZIERTO: {
        const std::size_t count = values.empty() ? 0 : values[0];
        Words words;
        AppendBounds(words, record, 3, count);
        words.push_back(W(static_cast<std::int64_t>(count)));
        words.insert(words.end(), record.begin() + 3, record.begin() + 3 + static_cast<std::ptrdiff_t>(2 * count));
        body.Record(type, words);
        break;
      }
      case EMR_POLYPOLYGON: {
        const std::size_t polygons = values.empty() ? 0 : values[0];
        std::size_t total = 0;
        for (std::size_t i = 0; i < polygons; ++i) total += values[1 + i];
        const std::size_t first = 3 + polygons;
        Words words;
        AppendBounds(words, record, first, total);
        words.push_back(W(static_cast<std::int64_t>(polygons)));
        words.push_back(W(static_cast<std::int64_t>(total)));
        words.insert(words.end(), values.begin() + 1, values.begin() + 1 + static_cast<std::ptrdiff_t>(polygons));
        words.insert(words.end(), record.begin() + static_cast<std::ptrdiff_t>(first),
                     record.begin() + static_cast<std::ptrdiff_t>(first + 2 * total));
        body.Record(type, words);
        break;
      }
      case EMR_EXTSELECTCLIPRGN: body.Record(type, ClipWords(record)); break;
      default: break;  // the header and end are made below; pixels and comments are left out
    }
  }
  body.Record(EMR_EOF, {0, 16, 20});
  // The header: bounds and frame, the signature, the totals, the
  // description "Quorvel\0Graphics\0\0" in UTF-16, the device's size.
  const char description[] = "Quorvel\0Graphics\0";
  std::uint16_t wide[sizeof description + 1] = {};
  for (std::size_t i = 0; i < sizeof description; ++i) wide[i] = static_cast<std::uint8_t>(description[i]);
  const std::uint32_t descriptionChars = sizeof description + 1;
  const std::int32_t ppiX = std::max<std::int32_t>(header.szlPixelsPerInch.cx, 1);
  const std::int32_t ppiY = std::max<std::int32_t>(header.szlPixelsPerInch.cy, 1);
  const RECT& frame = header.rclFrame;
  const std::int32_t right = frame.right * ppiX / 2540, bottom = frame.bottom * ppiY / 2540;
  Words words{0, 0, W(right), W(bottom), W(frame.left), W(frame.top), W(frame.right), W(frame.bottom),
              0x464D4520u, 0x10000u, 0 /* bytes */, body.Records() + 1, handles, descriptionChars, 88,
              0, W(header.szlDevice.cx), W(header.szlDevice.cy),
              W(static_cast<std::int64_t>(header.szlDevice.cx) * 254 / (10 * ppiX)),
              W(static_cast<std::int64_t>(header.szlDevice.cy) * 254 / (10 * ppiY))};
  AppendBytes(words, wide, descriptionChars * 2);
  EmfBuilder file;
  file.Record(EMR_HEADER, words);
  std::string bytes = file.Bytes() + body.Bytes();
  const std::uint32_t total = static_cast<std::uint32_t>(bytes.size());
  for (int i = 0; i < 4; ++i) bytes[48 + i] = static_cast<char>((total >> (8 * i)) & 0xFF);
  return bytes;
}
