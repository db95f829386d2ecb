#pragma once
// Advice for a large block of fresh memory about to be written: backed by
// huge pages where the system gives them to those who ask, and made
// resident in one call rather than page by page as it is first written.
// Both save most of the cost of first touching fresh memory, which is high
// in virtual machines.

#include <QtGlobal>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

inline void Advise_Large_Block(void* data, qsizetype bytes) {
    const auto start = std::uintptr_t(data);
    const auto end = start + std::uintptr_t(bytes);
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t huge = 2 * 1024 * 1024;
    const auto hugeFirst = (start + huge - 1) & ~(huge - 1);
    const auto hugeLast = end & ~(huge - 1);
    if (hugeLast > hugeFirst) {
        madvise(reinterpret_cast<void*>(hugeFirst), hugeLast - hugeFirst, MADV_HUGEPAGE);
    }
#endif
#ifdef MADV_POPULATE_WRITE
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto first = (start + page - 1) & ~(page - 1);
    const auto last = end & ~(page - 1);
    if (last > first) {
        // Only a hint: where it is not known the pages come as written.
        madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
    }
#endif
}
