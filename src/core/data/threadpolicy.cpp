#include "core/data/threadpolicy.h"

#include <algorithm>
#include <thread>

#include <sched.h>

namespace quorel {

ThreadPolicy ThreadPolicy::automatic()
{
    return {allowedProcessors(), std::size_t(256) << 10, true};
}

ThreadPolicy ThreadPolicy::fixed(std::size_t threads, std::size_t minimumPartBytes)
{
    return {threads, minimumPartBytes, false};
}

std::size_t ThreadPolicy::threadsFor(std::size_t regionSize) const
{
    return std::clamp<std::size_t>(regionSize / std::max<std::size_t>(minimumPartBytes, 1), 1,
                                   std::clamp<std::size_t>(threads, 1, maxThreads));
}

void ThreadFallback::blockDone(double wallSeconds, double cpuSeconds)
{
    if (!m_enabled)
        return;
    if (!m_warmedUp) {
        m_warmedUp = true;
        return;
    }
    m_wall += wallSeconds;
    m_cpu += cpuSeconds;
    if (++m_blocks < window)
        return;
    m_threadsPay = m_cpu >= 0.6 * m_wall;
    m_blocks = 0;
    m_wall = m_cpu = 0;
    m_blocksAlone = 0;
}

void ThreadFallback::blockReadAlone()
{
    if (m_threadsPay || ++m_blocksAlone < blocksAloneBeforeRetry)
        return;
    m_threadsPay = true;
    m_warmedUp = false;
}

std::size_t allowedProcessors()
{
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (::sched_getaffinity(0, sizeof allowed, &allowed) == 0)
        return static_cast<std::size_t>(std::max(1, CPU_COUNT(&allowed)));
    return std::max(1u, std::thread::hardware_concurrency());
}

} // namespace quorel
