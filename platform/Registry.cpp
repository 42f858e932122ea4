// The registry tree, its handles and its file. Handles name their key by its
// path of folded names, not by pointer, so that deleting a key under an open
// handle leaves the handle stale (ERROR_KEY_DELETED) instead of dangling.
//
// File layout (little-endian): the 8 bytes "QVREGSTR", a 32-bit format
// version (1), then the root key. A key is its name, a 32-bit value count and
// the values, a 32-bit subkey count and the subkeys. A value is its name, a
// 32-bit type and its data. Names and data are a 32-bit length and the bytes.
// The reader checks every count against the bytes left and the file must end
// exactly after the root key; anything else is a damaged file.
//
// Several programs may share the store, each holding the tree as it read it.
// So that one never writes back another's values as they were when it
// started, each change is also kept in a journal of this program's changes;
// a write reads the file again under an exclusive lock of its folder, replays
// the journal over it and writes the result. Setting a value to the bytes it
// already holds is no change.
#include "platform/Registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/FileNames.h"
#include "platform/SiblingTemporary.h"

namespace {

struct RegValue {
  std::string name;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

struct RegKey {
  std::string name;
  std::vector<RegValue> values;                         // in the order they were made
  std::map<std::string, std::unique_ptr<RegKey>> subkeys;  // by folded name
};

}  // namespace

struct HKEY__ {
  std::vector<std::string> path;  // folded names from the root
  REGSAM access = 0;
  bool changed = false;  // this handle changed the tree
};

namespace {

constexpr char kMagic[8] = {'Q', 'V', 'R', 'E', 'G', 'S', 'T', 'R'};
constexpr std::uint32_t kFormatVersion = 1;
constexpr int kDeepestKey = 512;

// One change this program made, replayed over the file at the next write.
// Key paths hold the names as made, so that a replayed key keeps its case.
struct Change {
  enum class Kind { CreateKey, SetValue, DeleteValue, DeleteKey };
  Kind kind = Kind::CreateKey;
  std::vector<std::string> keyPath;
  std::string valueName;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

struct Store {
  std::mutex mutex;
  bool loaded = false;
  bool dirty = false;
  bool tearNextWrite = false;
  std::string filePath;
  RegKey root;
  std::vector<Change> journal;  // since the last write
  std::map<HKEY__*, std::unique_ptr<HKEY__>> handles;
};

Store& TheStore() {
  static Store store;
  return store;
}

std::string Fold(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

std::vector<std::string> SplitPath(LPCSTR path) {
  std::vector<std::string> parts;
  std::string part;
  for (const char* p = path ? path : ""; ; ++p) {
    if (*p == '\\' || *p == '\0') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
      if (*p == '\0') break;
    } else {
      part += *p;
    }
  }
  return parts;
}

// In the program's form of names, as every name the store gives out.
std::string StoreFolder() {
  const std::string config = platform::FolderFromEnvironment("XDG_CONFIG_HOME");
  if (!config.empty() && config[0] == '/') return config + "/quorvel";
  const std::string home = platform::FolderFromEnvironment("HOME");
  return (home.empty() ? std::string(".") : home) + "/.config/quorvel";
}

// --- encoding -------------------------------------------------------------

void PutU32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutBytes(std::string& out, const void* bytes, std::size_t n) {
  PutU32(out, static_cast<std::uint32_t>(n));
  out.append(static_cast<const char*>(bytes), n);
}

void EncodeKey(std::string& out, const RegKey& key) {
  PutBytes(out, key.name.data(), key.name.size());
  PutU32(out, static_cast<std::uint32_t>(key.values.size()));
  for (const RegValue& value : key.values) {
    PutBytes(out, value.name.data(), value.name.size());
    PutU32(out, value.type);
    PutBytes(out, value.data.data(), value.data.size());
  }
  PutU32(out, static_cast<std::uint32_t>(key.subkeys.size()));
  for (const auto& [folded, subkey] : key.subkeys) EncodeKey(out, *subkey);
}

struct Decoder {
  const std::string& bytes;
  std::size_t at = 0;

  std::size_t Left() const { return bytes.size() - at; }
  bool U32(std::uint32_t& value) {
    if (Left() < 4) return false;
    value = 0;
    for (int i = 0; i < 4; ++i)
      value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    at += 4;
    return true;
  }
  bool Text(std::string& text) {
    std::uint32_t n = 0;
    if (!U32(n) || n > Left()) return false;
    text.assign(bytes, at, n);
    at += n;
    return true;
  }
};

bool DecodeKey(Decoder& in, RegKey& key, int depth) {
  if (depth > kDeepestKey || !in.Text(key.name)) return false;
  std::uint32_t count = 0;
  if (!in.U32(count) || count > in.Left() / 12) return false;  // a value takes at least 12 bytes
  for (std::uint32_t i = 0; i < count; ++i) {
    RegValue value;
    std::string data;
    if (!in.Text(value.name) || !in.U32(value.type) || !in.Text(data)) return false;
    value.data.assign(data.begin(), data.end());
    key.values.push_back(std::move(value));
  }
  if (!in.U32(count) || count > in.Left() / 12) return false;  // so does a key
  for (std::uint32_t i = 0; i < count; ++i) {
    auto subkey = std::make_unique<RegKey>();
    if (!DecodeKey(in, *subkey, depth + 1) || subkey->name.empty()) return false;
    const std::string folded = Fold(subkey->name);
    if (key.subkeys.count(folded) != 0) return false;
    key.subkeys[folded] = std::move(subkey);
  }
  return true;
}

// --- the file -------------------------------------------------------------

enum class FileState { Missing, Sound, Damaged, Unreadable };

// Reads the store's file into `root`, which is left empty unless the file is
// sound.
FileState ReadStoreFile(const std::string& path, RegKey& root) {
  root = RegKey{};
  if (!platform::FileExists(path)) return FileState::Missing;
  std::ifstream in(platform::FileSystemPath(path), std::ios::binary);
  if (!in) return FileState::Unreadable;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Decoder decoder{bytes};
  std::uint32_t version = 0;
  RegKey read;
  const bool sound = bytes.size() >= sizeof kMagic &&
                     std::memcmp(bytes.data(), kMagic, sizeof kMagic) == 0 &&
                     (decoder.at = sizeof kMagic, decoder.U32(version)) && version == kFormatVersion &&
                     DecodeKey(decoder, read, 0) && decoder.Left() == 0;
  if (!sound) return FileState::Damaged;
  root = std::move(read);
  return FileState::Sound;
}

void Load(Store& store) {
  if (store.loaded) return;
  store.loaded = true;
  store.dirty = false;
  store.journal.clear();
  store.filePath = StoreFolder() + "/registry";
  platform::RemoveStaleTemporaries(store.filePath);  // left by a save that was killed
  switch (ReadStoreFile(store.filePath, store.root)) {
    case FileState::Unreadable:
      std::fprintf(stderr, "The registry file %s cannot be read and was ignored.\n", store.filePath.c_str());
      break;
    case FileState::Damaged:
      std::fprintf(stderr, "The registry file %s is damaged and was ignored.\n", store.filePath.c_str());
      break;
    case FileState::Missing:  // no store yet: an empty tree
    case FileState::Sound: break;
  }
}

// --- the journal ----------------------------------------------------------

// The key at `path` (names as made), made with its missing keys when `make`.
RegKey* KeyAt(RegKey& root, const std::vector<std::string>& path, bool make) {
  RegKey* key = &root;
  for (const std::string& name : path) {
    std::unique_ptr<RegKey>& sub = key->subkeys[Fold(name)];
    if (!sub) {
      if (!make) {
        key->subkeys.erase(Fold(name));
        return nullptr;
      }
      sub = std::make_unique<RegKey>();
      sub->name = name;
    }
    key = sub.get();
  }
  return key;
}

void Replay(RegKey& root, const Change& change) {
  switch (change.kind) {
    case Change::Kind::CreateKey: KeyAt(root, change.keyPath, true); break;
    case Change::Kind::SetValue: {
      RegKey* key = KeyAt(root, change.keyPath, true);
      const std::string folded = Fold(change.valueName);
      auto found = std::find_if(key->values.begin(), key->values.end(),
                                [&](const RegValue& value) { return Fold(value.name) == folded; });
      if (found == key->values.end()) found = key->values.insert(key->values.end(), RegValue{change.valueName, REG_NONE, {}});
      found->type = change.type;
      found->data = change.data;
      break;
    }
    case Change::Kind::DeleteValue:
      if (RegKey* key = KeyAt(root, change.keyPath, false)) {
        const std::string folded = Fold(change.valueName);
        std::erase_if(key->values, [&](const RegValue& value) { return Fold(value.name) == folded; });
      }
      break;
    case Change::Kind::DeleteKey: {
      if (change.keyPath.empty()) break;
      const std::vector<std::string> parent(change.keyPath.begin(), change.keyPath.end() - 1);
      if (RegKey* key = KeyAt(root, parent, false)) key->subkeys.erase(Fold(change.keyPath.back()));
      break;
    }
  }
}

// Holds the store's folder locked, so that two programs never read and
// write the file at the same time.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder)
      : fd_(open(platform::ToFileSystemName(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ >= 0) flock(fd_, LOCK_EX);
  }
  ~FolderLock() {
    if (fd_ >= 0) close(fd_);
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_;
};

bool WriteAll(int fd, const char* bytes, std::size_t n) {
  while (n > 0) {
    const ssize_t written = ::write(fd, bytes, n);
    if (written < 0) return false;
    bytes += written;
    n -= static_cast<std::size_t>(written);
  }
  return true;
}

// Writes this program's changes over the file as it is now (another program
// may have written it since): a temporary file beside the store, renamed
// over it once it is safely on disk. The tree becomes what was written. A
// damaged file is replaced by this program's tree.
bool Save(Store& store) {
  const std::filesystem::path file(store.filePath);
  std::error_code ignored;
  std::filesystem::create_directories(platform::FileSystemPath(file.parent_path().string()), ignored);
  FolderLock lock(file.parent_path().string());
  RegKey merged;
  const FileState state = ReadStoreFile(store.filePath, merged);
  const bool merging = state == FileState::Missing || state == FileState::Sound;
  if (merging)
    for (const Change& change : store.journal) Replay(merged, change);
  std::string bytes(kMagic, sizeof kMagic);
  PutU32(bytes, kFormatVersion);
  EncodeKey(bytes, merging ? merged : store.root);
  platform::RemoveStaleTemporaries(store.filePath);
  platform::SiblingTemporary temporary(store.filePath, 0600);
  if (!temporary.ok()) return false;
  if (store.tearNextWrite) {  // a crash half way: the temporary file stays behind
    store.tearNextWrite = false;
    WriteAll(temporary.fd(), bytes.data(), bytes.size() / 2);
    temporary.Abandon();
    return false;
  }
  if (!WriteAll(temporary.fd(), bytes.data(), bytes.size()) || !temporary.Commit()) return false;
  if (merging) store.root = std::move(merged);
  store.journal.clear();
  store.dirty = false;
  return true;
}

LSTATUS SaveIfDirty(Store& store) {
  if (!store.dirty) return ERROR_SUCCESS;
  if (Save(store)) return ERROR_SUCCESS;
  std::fprintf(stderr, "The registry could not be written to %s.\n", store.filePath.c_str());
  return ERROR_WRITE_FAULT;
}

// --- keys and handles -----------------------------------------------------

bool IsRoot(HKEY key) { return key == HKEY_CURRENT_USER; }

// The key a handle names, or the error code for a bad or stale handle.
LSTATUS Resolve(Store& store, HKEY handle, RegKey*& key, REGSAM& access) {
  Load(store);
  std::vector<std::string> path;
  if (IsRoot(handle)) {
    access = KEY_ALL_ACCESS;
  } else {
    const auto found = store.handles.find(handle);
    if (found == store.handles.end()) return ERROR_INVALID_HANDLE;
    path = found->second->path;
    access = found->second->access;
  }
  key = &store.root;
  for (const std::string& part : path) {
    const auto sub = key->subkeys.find(part);
    if (sub == key->subkeys.end()) return ERROR_KEY_DELETED;
    key = sub->second.get();
  }
  return ERROR_SUCCESS;
}

std::vector<std::string> HandlePath(Store& store, HKEY handle) {
  if (IsRoot(handle)) return {};
  return store.handles.at(handle)->path;
}

// The names, as made, of the keys along a path of folded names that exists.
std::vector<std::string> NamesAlong(const Store& store, const std::vector<std::string>& folded) {
  std::vector<std::string> names;
  const RegKey* key = &store.root;
  for (const std::string& part : folded) {
    key = key->subkeys.at(part).get();
    names.push_back(key->name);
  }
  return names;
}

void Journal(Store& store, Change::Kind kind, const std::vector<std::string>& folded,
             const std::string& valueName = {}, DWORD type = REG_NONE, std::vector<BYTE> data = {}) {
  store.journal.push_back(Change{kind, NamesAlong(store, folded), valueName, type, std::move(data)});
}

// Records a change made through a handle; a change through the root handle
// is written at once.
LSTATUS Changed(Store& store, HKEY handle) {
  store.dirty = true;
  if (IsRoot(handle)) return SaveIfDirty(store);
  store.handles.at(handle)->changed = true;
  return ERROR_SUCCESS;
}

HKEY NewHandle(Store& store, std::vector<std::string> path, REGSAM access) {
  auto handle = std::make_unique<HKEY__>();
  handle->path = std::move(path);
  handle->access = access;
  HKEY result = handle.get();
  store.handles[result] = std::move(handle);
  return result;
}

RegValue* FindValue(RegKey& key, LPCSTR name) {
  const std::string folded = Fold(name ? name : "");
  for (RegValue& value : key.values)
    if (Fold(value.name) == folded) return &value;
  return nullptr;
}

// Copies a name into a caller's buffer of *size bytes; on return *size is
// the name's length, or the room it needs when it did not fit.
LSTATUS CopyName(const std::string& text, LPSTR buffer, DWORD* size) {
  if (buffer == nullptr || size == nullptr) return ERROR_INVALID_PARAMETER;
  if (*size < text.size() + 1) {
    *size = static_cast<DWORD>(text.size() + 1);
    return ERROR_MORE_DATA;
  }
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  *size = static_cast<DWORD>(text.size());
  return ERROR_SUCCESS;
}

// The data half of a query: size only, too small, or copied.
LSTATUS CopyData(const RegValue& value, DWORD* type, BYTE* data, DWORD* dataSize) {
  if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
  if (type != nullptr) *type = value.type;
  const auto size = static_cast<DWORD>(value.data.size());
  if (data != nullptr && *dataSize < size) {
    *dataSize = size;
    return ERROR_MORE_DATA;
  }
  if (data != nullptr && size > 0) std::memcpy(data, value.data.data(), size);
  if (dataSize != nullptr) *dataSize = size;
  return ERROR_SUCCESS;
}

}  // namespace

LSTATUS RegOpenKeyEx(HKEY parent, LPCSTR subKey, DWORD, REGSAM access, HKEY* result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  RegKey* key = nullptr;
  REGSAM parentAccess = 0;
  if (const LSTATUS status = Resolve(store, parent, key, parentAccess); status != ERROR_SUCCESS)
    return status;
  std::vector<std::string> path = HandlePath(store, parent);
  for (const std::string& part : SplitPath(subKey)) {
    const auto sub = key->subkeys.find(Fold(part));
    if (sub == key->subkeys.end()) return ERROR_FILE_NOT_FOUND;
    key = sub->second.get();
    path.push_back(Fold(part));
  }
  *result = NewHandle(store, std::move(path), access);
  return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyEx(HKEY parent, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM access,
                       LPSECURITY_ATTRIBUTES, HKEY* result, DWORD* disposition) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  RegKey* key = nullptr;
  REGSAM parentAccess = 0;
  if (const LSTATUS status = Resolve(store, parent, key, parentAccess); status != ERROR_SUCCESS)
    return status;
  std::vector<std::string> path = HandlePath(store, parent);
  bool created = false;
  for (const std::string& part : SplitPath(subKey)) {
    std::unique_ptr<RegKey>& sub = key->subkeys[Fold(part)];
    if (!sub) {
      if ((parentAccess & KEY_CREATE_SUB_KEY) == 0 && !created) {
        key->subkeys.erase(Fold(part));
        return ERROR_ACCESS_DENIED;
      }
      sub = std::make_unique<RegKey>();
      sub->name = part;
      created = true;
    }
    key = sub.get();
    path.push_back(Fold(part));
  }
  if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  LSTATUS status = ERROR_SUCCESS;
  if (created) {
    Journal(store, Change::Kind::CreateKey, path);
    status = Changed(store, parent);
  }
  *result = NewHandle(store, std::move(path), access);
  return status;
}

LSTATUS RegCloseKey(HKEY key) {
  if (IsRoot(key)) return ERROR_SUCCESS;
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  const auto found = store.handles.find(key);
  if (found == store.handles.end()) return ERROR_INVALID_HANDLE;
  const bool changed = found->second->changed;
  store.handles.erase(found);
  return changed ? SaveIfDirty(store) : ERROR_SUCCESS;
}

LSTATUS RegFlushKey(HKEY handle) {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  RegKey* key = nullptr;
  REGSAM access = 0;
  if (const LSTATUS status = Resolve(store, handle, key, access); status != ERROR_SUCCESS) return status;
  return SaveIfDirty(store);
}

LSTATUS RegQueryValueEx(HKEY handle, LPCSTR name, DWORD*, DWORD* type, BYTE* data, DWORD* dataSize) {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  RegKey* key = nullptr;
  REGSAM access = 0;
  if (const LSTATUS status = Resolve(store, handle, key, access); status != ERROR_SUCCESS) return status;
  if ((access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
  const RegValue* value = FindValue(*key, name);
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  return CopyData(*value, type, data, dataSize);
}

LSTATUS RegSetValueEx(HKEY handle, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD dataSize) {
  if (data == nullptr && dataSize != 0) return ERROR_INVALID_PARAMETER;
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  RegKey* key = nullptr;
  REGSAM access = 0;
  if (const LSTATUS status = Resolve(store, handle, key, access); status != ERROR_SUCCESS) return status;
  if ((access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  RegValue* value = FindValue(*key, name);
  if (value != nullptr && value->type == type && value->data.size() == dataSize &&
      (dataSize == 0 || std::memcmp(value->data.data(), data, dataSize) == 0))
    return ERROR_SUCCESS;  // no change: nothing to write
  if (value == nullptr) {
    key->values.push_back(RegValue{name ? name : "", type, {}});
    value = &key->values.back();
  }
  value->type = type;
  value->data.assign(data, data + dataSize);
  Journal(store, Change::Kind::SetValue, HandlePath(store, handle), value->name, type, value->data);
  return Changed(store, handle);
}

LSTATUS RegDeleteValue(HKEY handle, LPCSTR name) {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  RegKey* key = nullptr;
  REGSAM access = 0;
  if (const LSTATUS status = Resolve(store, handle, key, access); status != ERROR_SUCCESS) return status;
  if ((access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  const RegValue* value = FindValue(*key, name);
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  Journal(store, Change::Kind::DeleteValue, HandlePath(store, handle), value->name);
  key->values.erase(key->values.begin() + (value - key->values.data()));
  return Changed(store, handle);
}

LSTATUS RegDeleteKey(HKEY parent, LPCSTR subKey) {
  const std::vector<std::string> parts = SplitPath(subKey);
  if (parts.empty()) return ERROR_INVALID_PARAMETER;  // a key never deletes itself
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  RegKey* key = nullptr;
  REGSAM access = 0;
  if (const LSTATUS status = Resolve(store, parent, key, access); status != ERROR_SUCCESS) return status;
  std::vector<std::string> path = HandlePath(store, parent);
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    const auto sub = key->subkeys.find(Fold(parts[i]));
    if (sub == key->subkeys.end()) return ERROR_FILE_NOT_FOUND;
    key = sub->second.get();
    path.push_back(Fold(parts[i]));
  }
  if (key->subkeys.count(Fold(parts.back())) == 0) return ERROR_FILE_NOT_FOUND;
  path.push_back(Fold(parts.back()));
  Journal(store, Change::Kind::DeleteKey, path);
  key->subkeys.erase(Fold(parts.back()));
  return Changed(store, parent);
}

LSTATUS RegEnumKeyEx(HKEY handle, DWORD index, LPSTR name, DWORD* nameSize, DWORD*, LPSTR className,
                     DWORD* classSize, FILETIME*) {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  RegKey* key = nullptr;
  REGSAM access = 0;
  if (const LSTATUS status = Resolve(store, handle, key, access); status != ERROR_SUCCESS) return status;
  if (index >= key->subkeys.size()) return ERROR_NO_MORE_ITEMS;
  auto entry = key->subkeys.begin();
  std::advance(entry, index);
  if (className != nullptr && classSize != nullptr && *classSize > 0) className[0] = '\0';
  if (classSize != nullptr) *classSize = 0;
  return CopyName(entry->second->name, name, nameSize);
}

LSTATUS RegEnumValue(HKEY handle, DWORD index, LPSTR name, DWORD* nameSize, DWORD*, DWORD* type,
                     BYTE* data, DWORD* dataSize) {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  RegKey* key = nullptr;
  REGSAM access = 0;
  if (const LSTATUS status = Resolve(store, handle, key, access); status != ERROR_SUCCESS) return status;
  if (index >= key->values.size()) return ERROR_NO_MORE_ITEMS;
  const RegValue& value = key->values[index];
  if (const LSTATUS status = CopyName(value.name, name, nameSize); status != ERROR_SUCCESS) return status;
  return CopyData(value, type, data, dataSize);
}

std::string RegistryFilePath() {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  Load(store);
  return store.filePath;
}

void RegistryReloadForTests() {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  store.handles.clear();
  store.loaded = false;
}

void RegistryTearNextWriteForTests() {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  store.tearNextWrite = true;
}
