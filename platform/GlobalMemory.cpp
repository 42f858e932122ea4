// Global memory blocks as byte vectors in one table guarded by a mutex. The
// table keeps each block's bytes by shared_ptr, so a block that one thread
// frees while another copies from it stays alive until that copy ends.
#include "platform/GlobalMemory.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::size_t kLargestBlock = std::size_t{1} << 31;

struct BlockTable {
  std::mutex lock;
  std::unordered_map<std::uintptr_t, std::shared_ptr<std::vector<unsigned char>>> blocks;
  std::uintptr_t next = 0x10000;
};

BlockTable& Table() {
  static BlockTable table;
  return table;
}

std::shared_ptr<std::vector<unsigned char>> Lookup(HGLOBAL block) {
  std::lock_guard guard(Table().lock);
  auto found = Table().blocks.find(reinterpret_cast<std::uintptr_t>(block));
  return found != Table().blocks.end() ? found->second : nullptr;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT, std::size_t size) {
  if (size > kLargestBlock) return nullptr;
  auto bytes = std::make_shared<std::vector<unsigned char>>(size == 0 ? 1 : size, 0);
  bytes->resize(size);
  std::lock_guard guard(Table().lock);
  std::uintptr_t handle = Table().next;
  Table().next += 16;
  Table().blocks[handle] = std::move(bytes);
  return reinterpret_cast<HGLOBAL>(handle);
}

void* GlobalLock(HGLOBAL block) {
  auto bytes = Lookup(block);
  if (!bytes) return nullptr;
  return bytes->data();
}

BOOL GlobalUnlock(HGLOBAL block) { return Lookup(block) ? TRUE : FALSE; }

std::size_t GlobalSize(HGLOBAL block) {
  auto bytes = Lookup(block);
  return bytes ? bytes->size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL block) {
  std::lock_guard guard(Table().lock);
  return Table().blocks.erase(reinterpret_cast<std::uintptr_t>(block)) != 0 ? nullptr : block;
}
