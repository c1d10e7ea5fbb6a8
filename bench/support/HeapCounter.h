// The heap in use and its peak, for the benchmarks' memory goals. glibc's allocator is wrapped, so
// every block counts: operator new, and the malloc of the C libraries (pugixml, libzip, zlib).
#pragma once

#include <cstddef>

namespace tkv::bench {

std::size_t HeapInUse();
// Starts a new peak at what is in use now, and answers that figure.
std::size_t RestartHeapPeak();
std::size_t HeapPeak();

} // namespace tkv::bench
