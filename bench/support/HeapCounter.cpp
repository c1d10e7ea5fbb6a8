// malloc and its kin replaced by glibc's own functions, counted on the way in and out by the
// usable size of each block.
#include "HeapCounter.h"

#include <malloc.h>

#include <algorithm>
#include <cerrno>

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void __libc_free(void*);
void* __libc_memalign(std::size_t, std::size_t);
}

namespace {

std::size_t gCurrent = 0, gPeak = 0;

void* Counted(void* p) {
    if (p) {
        gCurrent += malloc_usable_size(p);
        gPeak = std::max(gPeak, gCurrent);
    }
    return p;
}

void Uncount(void* p) {
    if (p)
        gCurrent -= malloc_usable_size(p);
}

} // namespace

extern "C" {
void* malloc(std::size_t n) noexcept {
    return Counted(__libc_malloc(n));
}
void free(void* p) noexcept {
    Uncount(p);
    __libc_free(p);
}
void* calloc(std::size_t count, std::size_t n) noexcept {
    return Counted(__libc_calloc(count, n));
}
// A block that cannot grow stays where it was, and counted.
void* realloc(void* p, std::size_t n) noexcept {
    const std::size_t old = p ? malloc_usable_size(p) : 0;
    void* q = __libc_realloc(p, n);
    if (q || n == 0)
        gCurrent -= old;
    return Counted(q);
}
void* memalign(std::size_t alignment, std::size_t n) noexcept {
    return Counted(__libc_memalign(alignment, n));
}
void* aligned_alloc(std::size_t alignment, std::size_t n) noexcept {
    return Counted(__libc_memalign(alignment, n));
}
int posix_memalign(void** out, std::size_t alignment, std::size_t n) noexcept {
    void* p = Counted(__libc_memalign(alignment, n));
    if (!p)
        return ENOMEM;
    *out = p;
    return 0;
}
}

namespace tkv::bench {

std::size_t HeapInUse() {
    return gCurrent;
}

std::size_t RestartHeapPeak() {
    gPeak = gCurrent;
    return gCurrent;
}

std::size_t HeapPeak() {
    return gPeak;
}

} // namespace tkv::bench
