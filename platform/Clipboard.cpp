// The process clipboard: a table of format -> handle, the owner, and which
// thread has it open. The clipboard owns what was set: text blocks are freed
// and bitmaps deleted when it is emptied or reset. Recorded pictures are
// opaque here and are only forgotten.
#include "platform/Clipboard.h"

#include <cstring>
#include <map>
#include <mutex>
#include <thread>

#include "platform/Gdi.h"
#include "platform/Messages.h"

namespace {

struct ClipboardState {
  std::mutex lock;
  std::map<UINT, HANDLE> data;
  HWND owner = nullptr;
  HWND openBy = nullptr;
  DWORD openThread = 0;
  bool open = false;
};

ClipboardState& TheClipboard() {
  static ClipboardState state;
  return state;
}

void Release(UINT format, HANDLE data) {
  if (format == CF_TEXT) GlobalFree(data);
  else if (format == CF_BITMAP) DeleteObject(static_cast<HGDIOBJ>(static_cast<HBITMAP>(data)));
}

// With the lock held: the calling thread has the clipboard open.
bool OpenedByCaller(const ClipboardState& state) {
  return state.open && state.openThread == GetCurrentThreadId();
}

void ClearLocked(ClipboardState& state) {
  for (auto& [format, data] : state.data) Release(format, data);
  state.data.clear();
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
  std::lock_guard guard(state.lock);
  if (!OpenedByCaller(state)) return FALSE;
  state.open = false;
  state.openBy = nullptr;
  return TRUE;
}

BOOL EmptyClipboard() {
  ClipboardState& state = TheClipboard();
  std::lock_guard guard(state.lock);
  if (!OpenedByCaller(state)) return FALSE;
  ClearLocked(state);
  state.owner = state.openBy;
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
  HGLOBAL block = GetClipboardData(CF_TEXT);
  const auto* bytes = static_cast<const char*>(GlobalLock(block));
  if (bytes != nullptr) {
    // A block without its terminator is read to its end, never beyond.
    std::size_t size = GlobalSize(block);
    text->assign(bytes, strnlen(bytes, size));
    GlobalUnlock(block);
  }
  CloseClipboard();
  return bytes != nullptr;
}

void ResetClipboard() {
  ClipboardState& state = TheClipboard();
  std::lock_guard guard(state.lock);
  ClearLocked(state);
  state.owner = nullptr;
  state.openBy = nullptr;
  state.open = false;
}

}  // namespace platform
