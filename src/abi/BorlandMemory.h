// The host framework's shared memory manager (borlndmm.dll): 8-bit strings that cross the boundary
// are allocated and freed through it, so that the host can free what the plug-in allocated.
#pragma once

#include <cstddef>

namespace tkv::abi {

// Loads borlndmm.dll (from the host program's folder first) and binds its entry points. False when
// the library or an entry point is missing.
bool BindBorlandMemory();
void UnbindBorlandMemory();
bool BorlandMemoryBound();

// Raise std::bad_alloc when the manager is not bound or out of memory.
void* BorlandGetMem(std::size_t size);
void BorlandFreeMem(void* p);

} // namespace tkv::abi
