// Accelerator tables: lists of ACCEL entries under never-reused handles, and
// TranslateAccelerator, which turns a matching key into a WM_COMMAND sent to
// the window (high word 1, as from an accelerator). Virtual-key entries
// match a key down with exactly the entry's Shift, Ctrl and Alt; character
// entries match the character typed (with Alt when they say FALT). A
// command of the window's menu is first brought up to date as for opening
// its popup (WM_INITMENU, WM_INITMENUPOPUP); when it is greyed the key is
// used up but nothing is sent, as the user could not choose it either.
#include <map>
#include <mutex>
#include <vector>

#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/MenuInternal.h"
#include "platform/ResourceTemplates.h"
#include "platform/Window.h"

namespace {

struct AcceleratorTables {
  std::mutex lock;
  std::map<std::uintptr_t, std::vector<ACCEL>> tables;
  std::uintptr_t next = 0x30000;
};

AcceleratorTables& Tables() {
  static AcceleratorTables tables;
  return tables;
}

bool Find(HACCEL table, std::vector<ACCEL>* entries) {
  std::lock_guard guard(Tables().lock);
  auto found = Tables().tables.find(reinterpret_cast<std::uintptr_t>(table));
  if (found == Tables().tables.end()) return false;
  *entries = found->second;
  return true;
}

bool Down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

bool Matches(const ACCEL& entry, const MSG& message) {
  constexpr BYTE kModifiers = FSHIFT | FCONTROL | FALT;
  bool alt = message.message == WM_SYSKEYDOWN || message.message == WM_SYSCHAR || Down(VK_MENU);
  if ((entry.fVirt & FVIRTKEY) != 0) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    BYTE held = static_cast<BYTE>((Down(VK_SHIFT) ? FSHIFT : 0) | (Down(VK_CONTROL) ? FCONTROL : 0) | (alt ? FALT : 0));
    return entry.key == (message.wParam & 0xFFFF) && (entry.fVirt & kModifiers) == held;
  }
  if (message.message != WM_CHAR && message.message != WM_SYSCHAR) return false;
  return entry.key == (message.wParam & 0xFF) && ((entry.fVirt & FALT) != 0) == alt;
}

// The window brings the popup holding the command up to date first (as it
// would before showing it), so a state set in WM_INITMENUPOPUP is current.
bool GreyedInMenu(HWND window, WORD command) {
  HWND root = GetAncestor(window, GA_ROOT);
  HMENU bar = GetMenu(root);
  HMENU holder = nullptr;
  int position = 0;
  if (bar == nullptr || !platform::menus::Locate(bar, command, MF_BYCOMMAND, &holder, &position)) return false;
  SendMessage(root, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
  if (holder != bar) {
    int index = 0;
    for (int i = 0; i < GetMenuItemCount(bar); ++i)
      if (GetSubMenu(bar, i) == holder) index = i;
    SendMessage(root, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(holder), MAKELPARAM(static_cast<unsigned>(index), 0));
  }
  UINT state = GetMenuState(bar, command, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) != 0;
}

}  // namespace

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count) {
  if (entries == nullptr || count <= 0) return nullptr;
  std::lock_guard guard(Tables().lock);
  std::uintptr_t handle = Tables().next;
  Tables().next += 16;
  Tables().tables[handle].assign(entries, entries + count);
  return reinterpret_cast<HACCEL>(handle);
}

BOOL DestroyAcceleratorTable(HACCEL table) {
  std::lock_guard guard(Tables().lock);
  return Tables().tables.erase(reinterpret_cast<std::uintptr_t>(table)) != 0 ? TRUE : FALSE;
}

int CopyAcceleratorTable(HACCEL table, ACCEL* entries, int count) {
  std::vector<ACCEL> found;
  if (!Find(table, &found)) return 0;
  if (entries == nullptr) return static_cast<int>(found.size());
  int copied = std::min(count, static_cast<int>(found.size()));
  for (int i = 0; i < copied; ++i) entries[i] = found[static_cast<std::size_t>(i)];
  return copied;
}

HACCEL LoadAccelerators(HINSTANCE, LPCSTR name) {
  const platform::AcceleratorTemplate* found = platform::FindAcceleratorTemplate(platform::ResourceNameText(name));
  if (found == nullptr || found->entries.empty()) return nullptr;
  std::vector<ACCEL> entries;
  for (const platform::AcceleratorTemplateEntry& entry : found->entries)
    entries.push_back(ACCEL{entry.flags, entry.key, entry.command});
  return CreateAcceleratorTable(entries.data(), static_cast<int>(entries.size()));
}

int TranslateAccelerator(HWND window, HACCEL table, MSG* message) {
  std::vector<ACCEL> entries;
  if (message == nullptr || !IsWindow(window) || !Find(table, &entries)) return 0;
  for (const ACCEL& entry : entries) {
    if (!Matches(entry, *message)) continue;
    if (!GreyedInMenu(window, entry.cmd)) SendMessage(window, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
    return 1;
  }
  return 0;
}
