// Image lists: a table of lists, each a vector of equal-sized bitmaps cut
// from the strips it was given. Copies are the list's own and are deleted
// with it.
#include <map>
#include <mutex>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "platform/System.h"
#include "platform/Toolbar.h"

namespace {

struct ImageListObject {
  int width = 16;
  int height = 16;
  std::vector<HBITMAP> images;
};

struct ImageLists {
  std::mutex lock;
  std::map<std::uintptr_t, ImageListObject> lists;
  std::uintptr_t next = 0x40000;
};

ImageLists& Lists() {
  static ImageLists lists;
  return lists;
}

ImageListObject* FindLocked(HIMAGELIST list) {
  auto found = Lists().lists.find(reinterpret_cast<std::uintptr_t>(list));
  return found != Lists().lists.end() ? &found->second : nullptr;
}

// Cuts `strip` into images of width x height; `mask` pixels become face.
std::vector<HBITMAP> Cut(HBITMAP strip, int width, int height, const COLORREF* mask) {
  std::vector<HBITMAP> images;
  BITMAP info{};
  if (strip == nullptr || width <= 0 || GetObject(strip, sizeof info, &info) == 0) return images;
  HDC screen = GetDC(nullptr);
  HDC source = CreateCompatibleDC(screen);
  HDC target = CreateCompatibleDC(screen);
  HGDIOBJ oldSource = SelectObject(source, strip);
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int x = 0; x + width <= info.bmWidth; x += width) {
    HBITMAP image = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldTarget = SelectObject(target, image);
    BitBlt(target, 0, 0, width, height, source, x, 0, SRCCOPY);
    if (mask != nullptr)
      for (int py = 0; py < height; ++py)
        for (int px = 0; px < width; ++px)
          if (GetPixel(target, px, py) == *mask) SetPixel(target, px, py, face);
    SelectObject(target, oldTarget);
    images.push_back(image);
  }
  SelectObject(source, oldSource);
  DeleteDC(source);
  DeleteDC(target);
  ReleaseDC(nullptr, screen);
  return images;
}

int Add(HIMAGELIST list, HBITMAP strip, const COLORREF* mask) {
  int width = 0, height = 0;
  {
    std::lock_guard guard(Lists().lock);
    ImageListObject* object = FindLocked(list);
    if (object == nullptr) return -1;
    width = object->width;
    height = object->height;
  }
  std::vector<HBITMAP> images = Cut(strip, width, height, mask);
  if (images.empty()) return -1;
  std::lock_guard guard(Lists().lock);
  ImageListObject* object = FindLocked(list);
  if (object == nullptr) {
    for (HBITMAP image : images) DeleteObject(image);
    return -1;
  }
  int first = static_cast<int>(object->images.size());
  object->images.insert(object->images.end(), images.begin(), images.end());
  return first;
}

}  // namespace

HIMAGELIST ImageList_Create(int width, int height, UINT, int, int) {
  if (width <= 0 || height <= 0) return nullptr;
  std::lock_guard guard(Lists().lock);
  std::uintptr_t handle = Lists().next;
  Lists().next += 16;
  ImageListObject& object = Lists().lists[handle];
  object.width = width;
  object.height = height;
  return reinterpret_cast<HIMAGELIST>(handle);
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  std::vector<HBITMAP> images;
  {
    std::lock_guard guard(Lists().lock);
    ImageListObject* object = FindLocked(list);
    if (object == nullptr) return FALSE;
    images.swap(object->images);
    Lists().lists.erase(reinterpret_cast<std::uintptr_t>(list));
  }
  for (HBITMAP image : images) DeleteObject(image);
  return TRUE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP strip, HBITMAP) { return Add(list, strip, nullptr); }

int ImageList_AddMasked(HIMAGELIST list, HBITMAP strip, COLORREF maskColour) { return Add(list, strip, &maskColour); }

int ImageList_GetImageCount(HIMAGELIST list) {
  std::lock_guard guard(Lists().lock);
  ImageListObject* object = FindLocked(list);
  return object != nullptr ? static_cast<int>(object->images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height) {
  std::lock_guard guard(Lists().lock);
  ImageListObject* object = FindLocked(list);
  if (object == nullptr) return FALSE;
  if (width != nullptr) *width = object->width;
  if (height != nullptr) *height = object->height;
  return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT) {
  HBITMAP image = nullptr;
  int width = 0, height = 0;
  {
    std::lock_guard guard(Lists().lock);
    ImageListObject* object = FindLocked(list);
    if (object == nullptr || index < 0 || index >= static_cast<int>(object->images.size())) return FALSE;
    image = object->images[static_cast<std::size_t>(index)];
    width = object->width;
    height = object->height;
  }
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, image);
  BitBlt(dc, x, y, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  return TRUE;
}
