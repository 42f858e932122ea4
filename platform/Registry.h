// The registry: a per-user tree of keys holding named values, offered with
// the calls, codes and value types that the program uses. Only the current
// user's hive exists. Key paths use "\" between names; key and value names
// are compared without regard to case but keep the case they were made with.
//
// The whole tree lives in one file, $XDG_CONFIG_HOME/quorvel/registry
// (default ~/.config/quorvel/registry), read on first use. A change is
// written when the handle that made it is closed, on RegFlushKey, and at once
// when made through HKEY_CURRENT_USER itself (nobody closes that handle).
// Writing goes to a temporary file in the same folder, is synced, and is
// renamed over the store, so a crash leaves either the old file or the new
// one. A write carries only this program's changes over the file as it is
// then, so programs sharing the store never undo each other's changes; a
// value set to the bytes it holds is no change. A damaged file is ignored with a note on standard error. One mutex
// guards the tree; handles are checked, so a stale one gives an error code.
//
// RegDeleteKey removes the key with everything below it: the program deletes
// keys to be rid of a whole layout, never to probe for emptiness.
#pragma once

#include <string>

#include "platform/Types.h"

using REGSAM = DWORD;
using LSTATUS = LONG;
struct SECURITY_ATTRIBUTES;
struct FILETIME;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

// The one predefined root.
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u)))

// Result codes.
constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_WRITE_FAULT = 29;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_NO_MORE_ITEMS = 259;
constexpr LONG ERROR_KEY_DELETED = 1018;

// Value types.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

// Access rights and options.
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;
constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

LSTATUS RegOpenKeyEx(HKEY parent, LPCSTR subKey, DWORD options, REGSAM access, HKEY* result);
LSTATUS RegCreateKeyEx(HKEY parent, LPCSTR subKey, DWORD reserved, LPSTR className, DWORD options,
                       REGSAM access, LPSECURITY_ATTRIBUTES security, HKEY* result,
                       DWORD* disposition);
LSTATUS RegCloseKey(HKEY key);
LSTATUS RegFlushKey(HKEY key);

// With data null and dataSize given, only the size is returned; a buffer too
// small gives ERROR_MORE_DATA and the needed size in *dataSize.
LSTATUS RegQueryValueEx(HKEY key, LPCSTR name, DWORD* reserved, DWORD* type, BYTE* data,
                        DWORD* dataSize);
LSTATUS RegSetValueEx(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                      DWORD dataSize);
LSTATUS RegDeleteValue(HKEY key, LPCSTR name);
LSTATUS RegDeleteKey(HKEY parent, LPCSTR subKey);

// Enumeration: subkeys in the order of their names, values in the order they
// were made. *nameSize is the buffer's size on entry and the name's length
// (without its zero) on return. The end gives ERROR_NO_MORE_ITEMS.
LSTATUS RegEnumKeyEx(HKEY key, DWORD index, LPSTR name, DWORD* nameSize, DWORD* reserved,
                     LPSTR className, DWORD* classSize, FILETIME* lastWrite);
LSTATUS RegEnumValue(HKEY key, DWORD index, LPSTR name, DWORD* nameSize, DWORD* reserved,
                     DWORD* type, BYTE* data, DWORD* dataSize);

// For tests: the file the store lives in, and forgetting the tree so that
// the next call reads the file again (open handles become stale).
std::string RegistryFilePath();
void RegistryReloadForTests();
// For tests: the next write of the store stops half way through its
// temporary file, as if the process died there.
void RegistryTearNextWriteForTests();
