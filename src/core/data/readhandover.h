#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace quorel {

// Lets a read on a worker thread reach the thread that shows it. The worker hands over one call
// at a time and waits until the other side has run it: what the read tells (titles, progress,
// its end) is shown in its order, the shown line never lags the read by more than one update,
// and the other side may look at the read's results during a call, as the worker stands still.
// The other side may ask the read to stop at any time (the worker sees it at its next line),
// and lets go of the worker for good before it goes away: that wakes a waiting worker and
// refuses every later call.
class ReadHandOver
{
public:
    // Queues `call` to run on the other side's thread later; never runs it at once.
    using Poster = std::function<void(std::function<void()> call)>;

    explicit ReadHandOver(Poster poster);
    ReadHandOver(const ReadHandOver &) = delete;
    ReadHandOver &operator=(const ReadHandOver &) = delete;

    // Worker side: runs `call` on the other side and waits until it has run. False when the
    // other side has let go; the call then did not run.
    bool handOver(std::function<void()> call);
    [[nodiscard]] bool stopRequested() const noexcept
    {
        return m_stop.load(std::memory_order_relaxed);
    }

    // The other side.
    void requestStop() noexcept { m_stop.store(true, std::memory_order_relaxed); }
    void clearStop() noexcept { m_stop.store(false, std::memory_order_relaxed); }
    void letGo();

private:
    Poster m_poster;
    std::mutex m_mutex;
    std::condition_variable m_ran;
    std::uint64_t m_posted = 0; // calls handed over
    std::uint64_t m_run = 0; // the last of them that has run
    bool m_letGo = false;
    std::atomic<bool> m_stop {false};
};

} // namespace quorel
