// The process clipboard: a table of format -> handle, the owner, and which
// thread has it open. The clipboard owns what was set: text blocks are freed
// and bitmaps deleted when it is emptied or reset. Recorded pictures are
// opaque here and are only forgotten.
//
// Closing the clipboard after a change tells the presenter what other
// programs may now take from it (text, an image). They are answered from the
// table as it is when they ask, on the presenter's thread: the table's lock is
// never held while the presenter is called, so the two cannot wait for each
// other.
#include "platform/Clipboard.h"
#include "platform/Metafile.h"

#include <cstring>
#include <map>
#include <mutex>
#include <thread>

#include "platform/Gdi.h"
#include "platform/GdiPixels.h"
#include "platform/Messages.h"
#include "platform/WindowCore.h"

namespace {

struct ClipboardState {
  std::mutex lock;
  std::map<UINT, HANDLE> data;
  HWND owner = nullptr;
  HWND openBy = nullptr;
  DWORD openThread = 0;
  bool open = false;
  bool changed = false;  // since it was opened
};

ClipboardState& TheClipboard() {
  static ClipboardState state;
  return state;
}

void Release(UINT format, HANDLE data) {
  if (format == CF_TEXT) GlobalFree(data);
  else if (format == CF_BITMAP) DeleteObject(static_cast<HGDIOBJ>(static_cast<HBITMAP>(data)));
  else if (format == CF_ENHMETAFILE) DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data));
}

// With the lock held: the calling thread has the clipboard open.
bool OpenedByCaller(const ClipboardState& state) {
  return state.open && state.openThread == GetCurrentThreadId();
}

void ClearLocked(ClipboardState& state) {
  for (auto& [format, data] : state.data) Release(format, data);
  state.data.clear();
}

unsigned OfferLocked(const ClipboardState& state) {
  return (state.data.count(CF_TEXT) != 0 ? platform::kOfferText : 0u) |
         (state.data.count(CF_BITMAP) != 0 ? platform::kOfferImage : 0u);
}

// Without the clipboard's lock.
void OfferToOthers(unsigned kinds) {
  if (platform::Presenter* presenter = platform::ThePresenter()) presenter->OfferClipboard(kinds);
}

// Text blocks are read to their terminator or their end, never beyond.
bool ReadText(HGLOBAL block, std::string* text) {
  const auto* bytes = static_cast<const char*>(GlobalLock(block));
  if (bytes == nullptr) return false;
  text->assign(bytes, strnlen(bytes, GlobalSize(block)));
  GlobalUnlock(block);
  return true;
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  ClipboardState& state = TheClipboard();
  std::lock_guard guard(state.lock);
  if (state.open) return FALSE;
  state.open = true;
  state.openBy = owner;
  state.openThread = GetCurrentThreadId();
  return TRUE;
}

BOOL CloseClipboard() {
  ClipboardState& state = TheClipboard();
  unsigned offer = 0;
  bool changed = false;
  {
    std::lock_guard guard(state.lock);
    if (!OpenedByCaller(state)) return FALSE;
    state.open = false;
    state.openBy = nullptr;
    changed = state.changed;
    state.changed = false;
    offer = OfferLocked(state);
  }
  if (changed) OfferToOthers(offer);
  return TRUE;
}

BOOL EmptyClipboard() {
  ClipboardState& state = TheClipboard();
  std::lock_guard guard(state.lock);
  if (!OpenedByCaller(state)) return FALSE;
  ClearLocked(state);
  state.owner = state.openBy;
  state.changed = true;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  if (format != CF_TEXT && format != CF_BITMAP && format != CF_ENHMETAFILE) return nullptr;
  ClipboardState& state = TheClipboard();
  std::lock_guard guard(state.lock);
  if (!OpenedByCaller(state) || data == nullptr) return nullptr;
  auto found = state.data.find(format);
  if (found != state.data.end() && found->second != data) Release(format, found->second);
  state.data[format] = data;
  state.changed = true;
  return data;
}

HANDLE GetClipboardData(UINT format) {
  ClipboardState& state = TheClipboard();
  std::lock_guard guard(state.lock);
  if (!OpenedByCaller(state)) return nullptr;
  auto found = state.data.find(format);
  return found != state.data.end() ? found->second : nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  ClipboardState& state = TheClipboard();
  std::lock_guard guard(state.lock);
  return state.data.count(format) != 0 ? TRUE : FALSE;
}

int CountClipboardFormats() {
  ClipboardState& state = TheClipboard();
  std::lock_guard guard(state.lock);
  return static_cast<int>(state.data.size());
}

HWND GetClipboardOwner() {
  ClipboardState& state = TheClipboard();
  std::lock_guard guard(state.lock);
  return state.owner;
}

namespace platform {

bool SetClipboardText(HWND owner, const std::string& text) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  bool done = false;
  if (auto* bytes = static_cast<char*>(GlobalLock(block))) {
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    done = SetClipboardData(CF_TEXT, block) != nullptr;
  }
  if (!done && block != nullptr) GlobalFree(block);
  CloseClipboard();
  return done;
}

bool GetClipboardText(HWND owner, std::string* text) {
  if (text == nullptr || !OpenClipboard(owner)) return false;
  bool read = ReadText(GetClipboardData(CF_TEXT), text);
  CloseClipboard();
  return read;
}

void ResetClipboard() {
  {
    ClipboardState& state = TheClipboard();
    std::lock_guard guard(state.lock);
    ClearLocked(state);
    state.owner = nullptr;
    state.openBy = nullptr;
    state.open = false;
    state.changed = false;
  }
  OfferToOthers(0);
}

bool ClipboardTextForOthers(std::string* text) {
  ClipboardState& state = TheClipboard();
  std::lock_guard guard(state.lock);
  auto found = state.data.find(CF_TEXT);
  return found != state.data.end() && text != nullptr && ReadText(found->second, text);
}

// The bitmap stays alive while the lock is held: only the clipboard deletes it.
bool ClipboardPngForOthers(std::string* png) {
  ClipboardState& state = TheClipboard();
  std::lock_guard guard(state.lock);
  auto found = state.data.find(CF_BITMAP);
  if (found == state.data.end() || png == nullptr) return false;
  *png = EncodeBitmapPng(static_cast<HBITMAP>(found->second));
  return !png->empty();
}

}  // namespace platform
