#pragma once

#include <cstddef>
#include <cstdint>

#include <sys/mman.h>

namespace quorel {

// Asks the system to back the whole 2 MiB pages inside a large buffer that is about to be
// written with huge pages: one fault and one clearing per 2 MiB instead of 512, which is most
// of what filling ten million measurements costs the kernel. Only a hint; it changes nothing
// where the system does not offer them.
inline void adviseHugePages(void *buffer, std::size_t bytes)
{
    constexpr std::uintptr_t huge = std::uintptr_t(2) << 20;
    if (bytes < 2 * huge)
        return;
    const auto start = (reinterpret_cast<std::uintptr_t>(buffer) + huge - 1) & ~(huge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(buffer) + bytes) & ~(huge - 1);
    if (end > start)
        ::madvise(reinterpret_cast<void *>(start), end - start, MADV_HUGEPAGE);
}

} // namespace quorel
