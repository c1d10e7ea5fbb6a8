// Stand-in for the host framework's shared memory manager borlndmm.dll, for the boundary test host:
// the three allocation entry points (register convention on i686: arguments in EAX, EDX) over the
// process heap, and a count of live blocks that the test host reads to find leaks.
#include <windows.h>

#include <cstdint>

#if defined(__i386__)
#define BORLAND_REGISTER __attribute__((regparm(3)))
#else
#define BORLAND_REGISTER
#endif

namespace {

volatile LONG liveBlocks = 0;

} // namespace

extern "C" {

BORLAND_REGISTER void* BorlndmmSysGetMem(std::int32_t size) {
    void* p = HeapAlloc(GetProcessHeap(), 0, size > 0 ? static_cast<SIZE_T>(size) : 1);
    if (p)
        InterlockedIncrement(&liveBlocks);
    return p;
}

// 0 on success, as the framework's memory manager answers.
BORLAND_REGISTER std::int32_t BorlndmmSysFreeMem(void* p) {
    if (!p || !HeapFree(GetProcessHeap(), 0, p))
        return 1;
    InterlockedDecrement(&liveBlocks);
    return 0;
}

BORLAND_REGISTER void* BorlndmmSysReallocMem(void* p, std::int32_t size) {
    if (!p)
        return BorlndmmSysGetMem(size);
    return HeapReAlloc(GetProcessHeap(), 0, p, size > 0 ? static_cast<SIZE_T>(size) : 1);
}

// Blocks handed out and not yet freed (plain C convention, read by the test host).
std::int32_t BorlndmmLiveBlocks() {
    return liveBlocks;
}

} // extern "C"
