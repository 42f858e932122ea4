// Fonts: font descriptions mapped to the DejaVu faces, realised as cairo
// scaled fonts with our own fontconfig set-up, and their metrics.
//
// Before fontconfig is first used, the layer writes its own configuration
// (listing only the DejaVu folder, no rescans) to a private temporary file,
// points FONTCONFIG_FILE at it, lets fontconfig load it, then removes the
// file and restores the variable, so the program works from any folder and
// child processes see the user's own fonts.
//
// A realised font works at 96 pixels per inch with hinted (whole-pixel)
// metrics and unhinted outlines; text is drawn in grey antialiasing, or none
// for NONANTIALIASED_QUALITY. Each of the 256 Windows-1252 bytes gets its glyph
// and a whole-pixel advance once, and every width is the sum of those
// advances, so the extent of "ab" is that of "a" plus that of "b".
//
// Threads. cairo keeps its scaled fonts in one map for the whole process,
// found again by face, size and options, and holds the most recently made
// one with a reference of its own; whichever thread makes the next font
// drops that reference. cairo_scaled_font_destroy (cairo 1.16) lowers the
// count before it takes the map's lock, so when one thread drops a font's
// last reference while another finds the font in the map and draws with
// it, the first aborts on the glyph cache the second has frozen
// ("! scaled_font->cache_frozen"); and cairo's glyph cache for the whole
// process can lock two threads measuring and drawing against each other
// (LockCairoText). The GUI thread and the graphics thread
// draw text at once, so two rules keep any count from reaching zero while
// another thread can find the font:
// - A realised face holds every cairo font drawing with it has used (the one
//   cairo makes for each kind of surface from its own), until it is freed.
// - Each realised face opens its own FreeType face, so the cairo fonts made
//   from it can be found only through it; once it is freed nobody can make
//   them again. Fonts of one description share the realised face, and the
//   last few faces are kept a while, so a font made again (a dialog, a
//   preview page) neither measures nor draws its glyphs anew.
#include "platform/GdiText.h"

#include <cairo-ft.h>
#include <fontconfig/fcfreetype.h>
#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <string>
#include <utility>

#include "platform/Windows1252.h"

namespace gdi {
namespace {

constexpr const char* kFontFolder = "/usr/share/fonts/truetype/dejavu";
constexpr const char* kProportionalFamily = "DejaVu Sans";
constexpr const char* kFixedFamily = "DejaVu Sans Mono";

std::string FontConfiguration() {
  return std::string(
             "<?xml version=\"1.0\"?>\n"
             "<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
             "<fontconfig>\n"
             "  <dir>") +
         kFontFolder +
         "</dir>\n"
         "  <config><rescan><int>0</int></rescan></config>\n"
         "</fontconfig>\n";
}

std::string TemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder != nullptr && folder[0] != '\0' ? folder : "/tmp";
}

void LoadFontConfiguration() {
  // A name of the process's own, which never reaches the program's text.
  std::string diskPath = TemporaryFolder() + "/quorvel-fonts-XXXXXX";
  int file = mkstemp(diskPath.data());
  if (file < 0) {
    std::fprintf(stderr, "Quorvel: cannot write the font configuration in %s\n",
                 TemporaryFolder().c_str());
    FcInit();
    return;
  }
  std::string text = FontConfiguration();
  bool written = write(file, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  close(file);
  const char* previous = std::getenv("FONTCONFIG_FILE");
  std::string kept = previous != nullptr ? previous : "";
  if (written) setenv("FONTCONFIG_FILE", diskPath.c_str(), 1);
  FcInit();
  if (previous != nullptr) setenv("FONTCONFIG_FILE", kept.c_str(), 1);
  else unsetenv("FONTCONFIG_FILE");
  std::remove(diskPath.c_str());
  FcFontSet* fonts = FcConfigGetFonts(nullptr, FcSetSystem);
  if (fonts == nullptr || fonts->nfont == 0)
    std::fprintf(stderr, "Quorvel: no fonts found in %s (Debian package fonts-dejavu-core)\n",
                 kFontFolder);
}

std::string Lower(const char* text) {
  std::string result;
  for (const char* p = text; *p != '\0'; ++p)
    result.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(*p))));
  return result;
}

bool WantsFixedPitch(const LOGFONT& font) {
  if ((font.lfPitchAndFamily & 0x03) == FIXED_PITCH) return true;
  std::string face = Lower(font.lfFaceName);
  if (face.empty()) return (font.lfPitchAndFamily & 0xF0) == FF_MODERN;
  for (const char* fixed : {"courier", "lucida console", "consolas", "fixedsys", "terminal",
                            "mono", "typewriter"})
    if (face.find(fixed) != std::string::npos) return true;
  return false;
}

// Unicode of the Windows-1252 bytes 0x80..0x9F; 0 where the code page has none.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string Utf8(unsigned code) {
  std::string out;
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
  return out;
}

cairo_font_options_t* FontOptions(bool hinted, cairo_antialias_t antialias) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, hinted ? CAIRO_HINT_STYLE_FULL : CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, hinted ? CAIRO_HINT_METRICS_ON : CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options, antialias);
  cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
  return options;
}

cairo_scaled_font_t* MakeScaledFont(cairo_font_face_t* face, double size, const cairo_font_options_t* options) {
  cairo_matrix_t matrix, identity;
  cairo_matrix_init_scale(&matrix, size, size);
  cairo_matrix_init_identity(&identity);
  return cairo_scaled_font_create(face, &matrix, &identity, options);
}

// FreeType's library object is not guarded by FreeType: faces are opened
// and closed under this lock (and nothing else is done under it).
struct FaceFiles {
  std::mutex lock;
  FT_Library library = nullptr;
};

FaceFiles& TheFaceFiles() {
  static FaceFiles* files = [] {
    auto* made = new FaceFiles;  // lives as long as the process: cairo may close a face at exit
    if (FT_Init_FreeType(&made->library) != 0) made->library = nullptr;
    return made;
  }();
  return *files;
}

void CloseFaceFile(void* face) {
  std::lock_guard guard(TheFaceFiles().lock);
  FT_Done_Face(static_cast<FT_Face>(face));
}

constexpr cairo_user_data_key_t kFaceFileKey{};

// A cairo face of its own for a realised face: the file fontconfig matches
// for the family, slant and weight, opened for it alone, with the options
// fontconfig gives that file for `options` (as cairo's own lookup by family
// name takes them, so text comes out the same). Null when no file matches.
cairo_font_face_t* OwnFontFace(const std::string& family, bool italic, bool bold,
                               const cairo_font_options_t* options) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_MEDIUM);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  cairo_ft_font_options_substitute(options, pattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return nullptr;
  FT_Face file = nullptr;
  FcChar8* fileName = nullptr;
  int index = 0;
  FaceFiles& files = TheFaceFiles();
  if (FcPatternGetString(match, FC_FILE, 0, &fileName) == FcResultMatch) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    std::lock_guard guard(files.lock);
    if (files.library == nullptr ||
        FT_New_Face(files.library, reinterpret_cast<const char*>(fileName), index, &file) != 0)
      file = nullptr;
  }
  cairo_font_face_t* face = nullptr;
  if (file != nullptr && FcPatternAddFTFace(match, FC_FT_FACE, file)) {
    face = cairo_ft_font_face_create_for_pattern(match);
    if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS ||
        cairo_font_face_set_user_data(face, &kFaceFileKey, file, CloseFaceFile) != CAIRO_STATUS_SUCCESS) {
      cairo_font_face_destroy(face);
      face = nullptr;
    } else {
      file = nullptr;  // the cairo face closes it
    }
  }
  if (file != nullptr) CloseFaceFile(file);
  FcPatternDestroy(match);
  return face;
}

// Character (em) height in pixels for a description's height.
double EmPixels(const LOGFONT& description, cairo_font_face_t* face, const cairo_font_options_t* unhinted) {
  // Cell height over em height of the face, measured unhinted.
  cairo_scaled_font_t* probe = MakeScaledFont(face, 1000.0, unhinted);
  cairo_font_extents_t extents;
  cairo_scaled_font_extents(probe, &extents);
  cairo_scaled_font_destroy(probe);
  double cellPerEm = (extents.ascent + extents.descent) / 1000.0;
  if (cellPerEm <= 0) cellPerEm = 1.0;
  LONG height = description.lfHeight;
  if (height < 0) return -static_cast<double>(height);
  if (height > 0) return height / cellPerEm;
  return 16.0 / cellPerEm;  // the default cell height
}

void MeasureGlyphs(FontFace& face) {
  for (int byte = 0; byte < 256; ++byte) {
    unsigned code = static_cast<unsigned>(byte);
    if (byte >= 0x80 && byte < 0xA0 && kHighControls[byte - 0x80] != 0)
      code = kHighControls[byte - 0x80];
    // A file name's byte the text cannot hold shows as one stand-in: its
    // escape as '?', its two halves as nothing (Windows1252.h).
    if (byte == platform::kNameByteEscape) code = '?';
    std::string text = Utf8(code == 0 ? ' ' : code);
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    cairo_scaled_font_text_to_glyphs(face.font, 0, 0, text.c_str(), static_cast<int>(text.size()),
                                     &glyphs, &count, nullptr, nullptr, nullptr);
    if (count >= 1) {
      face.glyph[byte] = glyphs[0].index;
      cairo_text_extents_t extents;
      cairo_scaled_font_glyph_extents(face.font, glyphs, 1, &extents);
      face.advance[byte] = static_cast<int>(std::lround(extents.x_advance));
    }
    if (byte >= platform::kNameByteHalf && byte < platform::kNameByteHalf + 16) face.advance[byte] = 0;
    cairo_glyph_free(glyphs);
  }
}

void MeasureFont(FontFace& face, const LOGFONT& description) {
  cairo_font_extents_t extents;
  cairo_scaled_font_extents(face.font, &extents);
  TEXTMETRIC& tm = face.metrics;
  tm = TEXTMETRIC{};
  tm.tmAscent = static_cast<LONG>(std::lround(extents.ascent));
  tm.tmDescent = static_cast<LONG>(std::lround(extents.descent));
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - static_cast<LONG>(std::lround(face.em)));
  tm.tmExternalLeading = std::max<LONG>(0, static_cast<LONG>(std::lround(extents.height)) - tm.tmHeight);
  tm.tmAveCharWidth = face.advance[static_cast<unsigned char>('x')];
  tm.tmMaxCharWidth = *std::max_element(face.advance + 0x20, face.advance + 0x100);
  tm.tmWeight = description.lfWeight == FW_DONTCARE ? FW_NORMAL : description.lfWeight;
  tm.tmDigitizedAspectX = 96;
  tm.tmDigitizedAspectY = 96;
  tm.tmFirstChar = 0x20;
  tm.tmLastChar = 0xFF;
  tm.tmDefaultChar = '?';
  tm.tmBreakChar = ' ';
  tm.tmItalic = description.lfItalic != 0 ? 1 : 0;
  tm.tmUnderlined = description.lfUnderline != 0 ? 1 : 0;
  tm.tmStruckOut = description.lfStrikeOut != 0 ? 1 : 0;
  tm.tmPitchAndFamily = static_cast<BYTE>((face.fixedPitch ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR |
                                          TMPF_TRUETYPE | (face.fixedPitch ? FF_MODERN : FF_SWISS));
  tm.tmCharSet = ANSI_CHARSET;
}

}  // namespace

std::unique_lock<std::recursive_mutex> LockCairoText() {
  static auto* lock = new std::recursive_mutex;  // lives as long as the process: fonts may go at exit
  return std::unique_lock(*lock);
}

void EnsureFontConfiguration() {
  static std::once_flag loaded;
  std::call_once(loaded, LoadFontConfiguration);
}

namespace {

std::shared_ptr<const FontFace> RealiseFace(const LOGFONT& description) {
  EnsureFontConfiguration();
  auto textLock = LockCairoText();
  auto face = std::make_shared<FontFace>();
  face->fixedPitch = WantsFixedPitch(description);
  face->family = face->fixedPitch ? kFixedFamily : kProportionalFamily;
  const bool italic = description.lfItalic != 0;
  const bool bold = description.lfWeight >= FW_SEMIBOLD;
  // The face takes fontconfig's options for unhinted text: outlines are
  // drawn unhinted, while the hinted metrics of `options` keep advances
  // whole pixels.
  cairo_font_options_t* unhinted = FontOptions(false, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_t* options = FontOptions(
      true, description.lfQuality == NONANTIALIASED_QUALITY ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_GRAY);
  cairo_font_face_t* cairoFace = OwnFontFace(face->family, italic, bold, unhinted);
  // No face file: cairo's own lookup draws what it can find.
  if (cairoFace == nullptr)
    cairoFace = cairo_toy_font_face_create(face->family.c_str(),
                                           italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  face->em = std::max(1.0, EmPixels(description, cairoFace, unhinted));
  face->font = MakeScaledFont(cairoFace, face->em, options);
  cairo_font_options_destroy(options);
  cairo_font_options_destroy(unhinted);
  cairo_font_face_destroy(cairoFace);
  MeasureGlyphs(*face);
  MeasureFont(*face, description);
  return face;
}

// The faces realised last, newest first, each with its description.
struct RecentFaces {
  std::mutex lock;
  std::list<std::pair<LOGFONT, std::shared_ptr<const FontFace>>> faces;
};

RecentFaces& TheRecentFaces() {
  static RecentFaces* recent = new RecentFaces;  // lives as long as the process
  return *recent;
}

std::shared_ptr<const FontFace> FindRecentFace(const LOGFONT& description) {
  RecentFaces& recent = TheRecentFaces();
  std::lock_guard guard(recent.lock);
  for (auto entry = recent.faces.begin(); entry != recent.faces.end(); ++entry) {
    if (std::memcmp(&entry->first, &description, sizeof description) != 0) continue;
    recent.faces.splice(recent.faces.begin(), recent.faces, entry);
    return entry->second;
  }
  return nullptr;
}

// Keeps `face` as the newest; the face given back is the one kept for the
// description (another thread may have realised it first).
std::shared_ptr<const FontFace> KeepRecentFace(const LOGFONT& description, std::shared_ptr<const FontFace> face) {
  std::shared_ptr<const FontFace> dropped;  // freed outside the lock
  RecentFaces& recent = TheRecentFaces();
  std::lock_guard guard(recent.lock);
  for (const auto& entry : recent.faces)
    if (std::memcmp(&entry.first, &description, sizeof description) == 0) return entry.second;
  recent.faces.emplace_front(description, std::move(face));
  if (recent.faces.size() > kRecentFacesKept) {
    dropped = std::move(recent.faces.back().second);
    recent.faces.pop_back();
  }
  return recent.faces.front().second;
}

}  // namespace

const FontFace& Realise(FontObject& font) {
  std::call_once(font.realised, [&font] {
    std::shared_ptr<const FontFace> face = FindRecentFace(font.description);
    if (face == nullptr) face = KeepRecentFace(font.description, RealiseFace(font.description));
    font.face = std::move(face);
  });
  return *font.face;
}

void KeepDrawnFont(const FontFace& face, cairo_t* cr) {
  cairo_scaled_font_t* used = cairo_get_scaled_font(cr);
  if (used == face.font || cairo_scaled_font_status(used) != CAIRO_STATUS_SUCCESS) return;
  std::lock_guard guard(face.keptLock);
  if (std::find(face.kept.begin(), face.kept.end(), used) == face.kept.end())
    face.kept.push_back(cairo_scaled_font_reference(used));
}

FontFace::~FontFace() {
  auto textLock = LockCairoText();
  for (cairo_scaled_font_t* used : kept) cairo_scaled_font_destroy(used);
  if (font != nullptr) cairo_scaled_font_destroy(font);
}

int TextWidth(const FontFace& face, const char* text, int length) {
  int width = 0;
  for (int i = 0; i < length; ++i) width += face.advance[static_cast<unsigned char>(text[i])];
  return width;
}

}  // namespace gdi

gdi::FontObject::~FontObject() = default;

using namespace gdi;

HFONT CreateFontIndirect(const LOGFONT* description) {
  if (description == nullptr) return nullptr;
  auto font = std::make_unique<FontObject>();
  font->description = *description;
  font->description.lfFaceName[LF_FACESIZE - 1] = '\0';  // an unterminated name is cut
  return static_cast<HFONT>(static_cast<FontObject*>(Register(std::move(font))));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
  LOGFONT description{};
  description.lfHeight = height;
  description.lfWidth = width;
  description.lfEscapement = escapement;
  description.lfOrientation = orientation;
  description.lfWeight = weight;
  description.lfItalic = static_cast<BYTE>(italic);
  description.lfUnderline = static_cast<BYTE>(underline);
  description.lfStrikeOut = static_cast<BYTE>(strikeOut);
  description.lfCharSet = static_cast<BYTE>(charSet);
  description.lfOutPrecision = static_cast<BYTE>(outPrecision);
  description.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  description.lfQuality = static_cast<BYTE>(quality);
  description.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (face != nullptr) std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&description);
}

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics) {
  if (ValidDc(dc) == nullptr || metrics == nullptr) return FALSE;
  auto* font = dc->state.font.as<FontObject>();
  if (font == nullptr) return FALSE;
  *metrics = Realise(*font).metrics;
  return TRUE;
}

BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int length, SIZE* size) {
  if (ValidDc(dc) == nullptr || size == nullptr || (text == nullptr && length > 0) || length < 0)
    return FALSE;
  auto* font = dc->state.font.as<FontObject>();
  if (font == nullptr) return FALSE;
  const FontFace& face = Realise(*font);
  *size = SIZE{TextWidth(face, text, length), face.metrics.tmHeight};
  return TRUE;
}

int GetTextFace(HDC dc, int size, LPSTR name) {
  if (ValidDc(dc) == nullptr) return 0;
  auto* font = dc->state.font.as<FontObject>();
  if (font == nullptr) return 0;
  std::string face = font->description.lfFaceName;
  if (face.empty()) face = Realise(*font).family;
  if (name == nullptr) return static_cast<int>(face.size()) + 1;
  if (size <= 0) return 0;
  std::size_t copied = std::min(face.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(name, face.data(), copied);
  name[copied] = '\0';
  return static_cast<int>(copied) + 1;
}
