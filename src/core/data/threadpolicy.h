#pragma once

#include <cstddef>

namespace quorel {

// How a read uses threads: at most `threads` classify one block, each given at least
// `minimumPartBytes` of it, and, with `fallBackWhenShared`, a read whose threads are seen taking
// turns on one processor reads the rest of its file on one thread.
struct ThreadPolicy
{
    // More threads than this gain nothing: the parts are joined on one thread.
    static constexpr std::size_t maxThreads = 8;

    std::size_t threads = 1;
    std::size_t minimumPartBytes = std::size_t(256) << 10;
    bool fallBackWhenShared = false;

    // One thread per processor the program may run on (a read confined to one core, for
    // example by taskset, stays on one thread), with the fall-back.
    [[nodiscard]] static ThreadPolicy automatic();
    // Exactly as many threads as asked for (tests make the parts small), without the fall-back.
    [[nodiscard]] static ThreadPolicy fixed(std::size_t threads,
                                            std::size_t minimumPartBytes = std::size_t(256) << 10);

    // The threads that classify a region of `regionSize` bytes: 1 to threads (at most
    // maxThreads), one per minimumPartBytes.
    [[nodiscard]] std::size_t threadsFor(std::size_t regionSize) const;
};

// Decides, from what the threaded blocks of one read cost the thread that reads, whether the
// threads still pay. They pay only where they run at the same time: when, over a window of
// three threaded blocks, the reading thread had the processor for less than 0.6 of the time it
// worked, the threads took turns on one processor (a busy machine, or virtual processors that
// share one), and cutting and joining only cost time. The first threaded block is not judged
// (new threads may start on the reader's own processor until the system spreads them), and
// after eight blocks read alone the threads are tried again, since a busy processor may come
// free.
class ThreadFallback
{
public:
    explicit ThreadFallback(const ThreadPolicy &policy)
        : m_enabled(policy.fallBackWhenShared)
    { }

    // One threaded block took `wallSeconds` on the clock and `cpuSeconds` on the processor.
    void blockDone(double wallSeconds, double cpuSeconds);
    // One block that could have been threaded was read on one thread.
    void blockReadAlone();
    [[nodiscard]] bool threadsPay() const { return m_threadsPay; }

private:
    static constexpr std::size_t window = 3;
    static constexpr std::size_t blocksAloneBeforeRetry = 8;

    bool m_enabled;
    bool m_threadsPay = true;
    bool m_warmedUp = false;
    std::size_t m_blocks = 0; // in the window
    double m_wall = 0;
    double m_cpu = 0;
    std::size_t m_blocksAlone = 0;
};

// The number of processors this process may run on (at least 1).
[[nodiscard]] std::size_t allowedProcessors();

} // namespace quorel
