// Movable global memory blocks: the handles through which the program hands
// text to the clipboard (and which records such as printer settings use).
// A block is a byte vector kept by the layer under an opaque handle; locking
// gives the address of its bytes, which stays valid until the block is
// freed or resized. Handles are never reused, so a freed handle is simply
// not a block (every call on it fails).
#pragma once

#include <cstddef>

#include "platform/Types.h"

using HGLOBAL = void*;
using HANDLE = void*;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// The bytes are always zeroed. Null when `size` is too large.
HGLOBAL GlobalAlloc(UINT flags, std::size_t size);
void* GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
std::size_t GlobalSize(HGLOBAL block);
// Null on success, the block itself on failure.
HGLOBAL GlobalFree(HGLOBAL block);
