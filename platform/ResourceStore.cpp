// The registered resource table, the parsed templates kept per name, and the
// loading of bitmaps and icons from their embedded PNG files.
//
// One mutex guards the table and the caches; the parsed records are held by
// unique_ptr in maps so that the pointers handed out stay put until the next
// RegisterResources. Icons and cursors are kept for the life of the process
// (shared handles, like the loaded icons of the program it serves). A cursor
// is a PNG whose "hotspot" text chunk ("X Y", written by the build from the
// cursor's .hotspot file) names its hot spot; without one it is (0, 0).
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Presenter.h"
#include "platform/Resource.h"
#include "platform/ResourceInternal.h"
#include "platform/ResourceTemplates.h"
#include "platform/System.h"

namespace platform {

namespace {

struct Store {
  std::mutex lock;
  const ResourceEntry* entries = nullptr;
  std::size_t count = 0;
  std::map<std::string, std::unique_ptr<DialogTemplate>> dialogs;
  std::map<std::string, std::unique_ptr<MenuTemplate>> menus;
  std::map<std::string, std::unique_ptr<AcceleratorTemplate>> accelerators;
  std::map<std::string, std::string> errors;  // "type/name" -> parse error
  std::map<std::string, std::unique_ptr<IconImage>> icons;
  std::map<std::string, std::shared_ptr<const CursorImage>> cursors;
};

Store& TheStore() {
  static Store store;
  return store;
}

const ResourceEntry* FindLocked(Store& store, ResourceType type, const std::string& name) {
  for (std::size_t index = 0; index < store.count; ++index) {
    const ResourceEntry& entry = store.entries[index];
    if (entry.type == type && name == entry.name) return &entry;
  }
  return nullptr;
}

std::string ErrorKey(ResourceType type, const std::string& name) {
  return std::to_string(static_cast<int>(type)) + "/" + name;
}

// Parses a template once; later calls get the kept record (or null).
template <typename Record, typename Parser>
const Record* CachedTemplate(ResourceType type, const std::string& name,
                             std::map<std::string, std::unique_ptr<Record>> Store::*cache,
                             Parser parse) {
  Store& store = TheStore();
  std::lock_guard guard(store.lock);
  auto& kept = store.*cache;
  auto found = kept.find(name);
  if (found != kept.end()) return found->second.get();
  const ResourceEntry* entry = FindLocked(store, type, name);
  if (entry == nullptr) return nullptr;
  auto record = std::make_unique<Record>();
  std::string error;
  std::string text(reinterpret_cast<const char*>(entry->data), entry->size);
  if (!parse(name, text, record.get(), &error)) {
    // Templates are built into the program: a damaged one is a build fault,
    // said once where a developer looks, and kept for TemplateError.
    std::fprintf(stderr, "Quorvel: damaged resource template %s\n", error.c_str());
    store.errors[ErrorKey(type, name)] = error;
    record.reset();
  }
  return (kept[name] = std::move(record)).get();
}

bool DecodePng(const ResourceEntry& entry, IconImage* image) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, entry.data, entry.size)) return false;
  png.format = PNG_FORMAT_BGRA;
  image->width = static_cast<int>(png.width);
  image->height = static_cast<int>(png.height);
  image->pixels.assign(static_cast<std::size_t>(png.width) * png.height, 0);
  if (!png_image_finish_read(&png, nullptr, image->pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    return false;
  }
  return true;
}

// The "hotspot" text chunk of a PNG; (0, 0) when there is none. The chunks
// are walked by their lengths, each checked against the bytes left.
POINT PngHotSpot(const unsigned char* data, std::size_t size) {
  static const char kKey[] = "hotspot";  // the keyword, with its terminating zero
  POINT hotSpot{};
  std::size_t at = 8;  // past the signature
  while (size >= 12 && at <= size - 12) {
    std::size_t length = (std::size_t{data[at]} << 24) | (std::size_t{data[at + 1]} << 16) |
                         (std::size_t{data[at + 2]} << 8) | data[at + 3];
    if (length > size - 12 - at) break;
    const char* type = reinterpret_cast<const char*>(data + at + 4);
    if (std::memcmp(type, "IEND", 4) == 0) break;
    if (std::memcmp(type, "tEXt", 4) == 0 && length > sizeof kKey &&
        std::memcmp(data + at + 8, kKey, sizeof kKey) == 0) {
      std::string value(reinterpret_cast<const char*>(data + at + 8 + sizeof kKey), length - sizeof kKey);
      int x = 0, y = 0;
      if (std::sscanf(value.c_str(), "%d %d", &x, &y) == 2) hotSpot = POINT{x, y};
    }
    at += 12 + length;
  }
  return hotSpot;
}

std::uint32_t Blend(std::uint32_t pixel, COLORREF background) {
  unsigned alpha = pixel >> 24;
  auto mix = [alpha](unsigned over, unsigned under) {
    return (over * alpha + under * (255 - alpha) + 127) / 255;
  };
  unsigned red = mix((pixel >> 16) & 0xFF, GetRValue(background));
  unsigned green = mix((pixel >> 8) & 0xFF, GetGValue(background));
  unsigned blue = mix(pixel & 0xFF, GetBValue(background));
  return (red << 16) | (green << 8) | blue;
}

HBITMAP BitmapFromImage(const IconImage& image, COLORREF background) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) return bitmap;
  auto* rows = static_cast<std::uint32_t*>(bits);
  for (std::size_t index = 0; index < image.pixels.size(); ++index)
    rows[index] = Blend(image.pixels[index], background);
  return bitmap;
}

}  // namespace

HCURSOR LoadResourceCursor(const std::string& name) {
  Store& store = TheStore();
  {
    std::lock_guard guard(store.lock);
    auto found = store.cursors.find(name);
    if (found != store.cursors.end())
      return reinterpret_cast<HCURSOR>(const_cast<CursorImage*>(found->second.get()));
  }
  const ResourceEntry* entry = FindResourceEntry(ResourceType::Cursor, name);
  IconImage image;
  if (entry == nullptr || !DecodePng(*entry, &image)) return nullptr;
  auto cursor = std::make_shared<CursorImage>();
  cursor->width = image.width;
  cursor->height = image.height;
  cursor->pixels = std::move(image.pixels);
  POINT hotSpot = PngHotSpot(entry->data, entry->size);
  cursor->hotSpot = POINT{std::clamp<LONG>(hotSpot.x, 0, std::max(cursor->width - 1, 0)),
                          std::clamp<LONG>(hotSpot.y, 0, std::max(cursor->height - 1, 0))};
  std::lock_guard guard(store.lock);
  auto& slot = store.cursors[name];
  if (!slot) slot = std::move(cursor);
  return reinterpret_cast<HCURSOR>(const_cast<CursorImage*>(slot.get()));
}

std::shared_ptr<const CursorImage> CursorImageOf(HCURSOR cursor) {
  if (cursor == nullptr) return nullptr;
  Store& store = TheStore();
  std::lock_guard guard(store.lock);
  for (const auto& [name, image] : store.cursors)
    if (reinterpret_cast<const void*>(image.get()) == reinterpret_cast<const void*>(cursor)) return image;
  return nullptr;
}

void RegisterResources(const ResourceEntry* entries, std::size_t count) {
  Store& store = TheStore();
  std::lock_guard guard(store.lock);
  store.entries = entries;
  store.count = count;
  store.dialogs.clear();
  store.menus.clear();
  store.accelerators.clear();
  store.errors.clear();
}

const ResourceEntry* FindResourceEntry(ResourceType type, const std::string& name) {
  Store& store = TheStore();
  std::lock_guard guard(store.lock);
  return FindLocked(store, type, name);
}

std::vector<std::string> ResourceNames(ResourceType type) {
  Store& store = TheStore();
  std::lock_guard guard(store.lock);
  std::vector<std::string> names;
  for (std::size_t index = 0; index < store.count; ++index)
    if (store.entries[index].type == type) names.emplace_back(store.entries[index].name);
  return names;
}

std::string ResourceNameText(LPCSTR name) {
  if (name == nullptr) return "";
  if (IS_INTRESOURCE(name)) return std::to_string(reinterpret_cast<std::uintptr_t>(name));
  if (name[0] == '#') return name + 1;
  return name;
}

const DialogTemplate* FindDialogTemplate(const std::string& name) {
  return CachedTemplate<DialogTemplate>(ResourceType::Dialog, name, &Store::dialogs,
                                        ParseDialogTemplate);
}

const MenuTemplate* FindMenuTemplate(const std::string& name) {
  return CachedTemplate<MenuTemplate>(ResourceType::Menu, name, &Store::menus, ParseMenuTemplate);
}

const AcceleratorTemplate* FindAcceleratorTemplate(const std::string& name) {
  return CachedTemplate<AcceleratorTemplate>(ResourceType::Accelerators, name,
                                             &Store::accelerators, ParseAcceleratorTemplate);
}

std::string TemplateError(ResourceType type, const std::string& name) {
  Store& store = TheStore();
  std::lock_guard guard(store.lock);
  auto found = store.errors.find(ErrorKey(type, name));
  return found == store.errors.end() ? std::string() : found->second;
}

}  // namespace platform

using platform::IconImage;

HBITMAP LoadBitmap(HINSTANCE, LPCSTR name) {
  const platform::ResourceEntry* entry =
      platform::FindResourceEntry(platform::ResourceType::Bitmap, platform::ResourceNameText(name));
  IconImage image;
  if (entry == nullptr || !platform::DecodePng(*entry, &image)) return nullptr;
  return platform::BitmapFromImage(image, GetSysColor(COLOR_BTNFACE));
}

// The program's icon resources are found whatever instance is given (the
// process has one table); the layer's own icons answer their IDI_ numbers.
HICON LoadIcon(HINSTANCE, LPCSTR name) {
  std::string key = platform::ResourceNameText(name);
  platform::Store& store = platform::TheStore();
  {
    std::lock_guard guard(store.lock);
    auto found = store.icons.find(key);
    if (found != store.icons.end()) return reinterpret_cast<HICON>(found->second.get());
  }
  auto image = std::make_unique<IconImage>();
  const platform::ResourceEntry* entry = platform::FindResourceEntry(platform::ResourceType::Icon, key);
  bool made = entry != nullptr && platform::DecodePng(*entry, image.get());
  if (!made && IS_INTRESOURCE(name))
    made = platform::MakeSystemIcon(static_cast<int>(reinterpret_cast<std::uintptr_t>(name)), image.get());
  if (!made) return nullptr;
  std::lock_guard guard(store.lock);
  auto& slot = store.icons[key];
  if (!slot) slot = std::move(image);
  return reinterpret_cast<HICON>(slot.get());
}

void* LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int, int, UINT) {
  if (type == IMAGE_BITMAP) return LoadBitmap(instance, name);
  if (type == IMAGE_ICON) return LoadIcon(instance, name);
  if (type == IMAGE_CURSOR) return LoadCursor(instance, name);
  return nullptr;
}

BOOL DestroyIcon(HICON icon) { return icon != nullptr ? TRUE : FALSE; }

BOOL GetIconSize(HICON icon, SIZE* size) {
  if (icon == nullptr || size == nullptr) return FALSE;
  const auto* image = reinterpret_cast<const IconImage*>(icon);
  size->cx = image->width;
  size->cy = image->height;
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  if (dc == nullptr || icon == nullptr) return FALSE;
  const auto* image = reinterpret_cast<const IconImage*>(icon);
  for (int row = 0; row < image->height; ++row) {
    for (int column = 0; column < image->width; ++column) {
      std::uint32_t pixel = image->pixels[static_cast<std::size_t>(row) * image->width + column];
      unsigned alpha = pixel >> 24;
      if (alpha == 0) continue;
      COLORREF under = alpha == 255 ? 0 : GetPixel(dc, x + column, y + row);
      if (under == CLR_INVALID) under = GetSysColor(COLOR_BTNFACE);
      std::uint32_t mixed = platform::Blend(pixel, under);
      SetPixel(dc, x + column, y + row, RGB((mixed >> 16) & 0xFF, (mixed >> 8) & 0xFF, mixed & 0xFF));
    }
  }
  return TRUE;
}
