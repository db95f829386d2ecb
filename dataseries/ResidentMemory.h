#pragma once
// Making a large block of fresh memory resident in one call, rather than
// page by page as it is first written: much cheaper where page faults are
// slow (virtual machines).

#include <QtGlobal>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

inline void Make_Resident(void* data, qsizetype bytes) {
#ifdef MADV_POPULATE_WRITE
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto first = (std::uintptr_t(data) + page - 1) & ~(page - 1);
    const auto last = (std::uintptr_t(data) + std::uintptr_t(bytes)) & ~(page - 1);
    if (last > first) {
        // Only a hint: where it is not known the pages come as written.
        madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
    }
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}
