#pragma once

#include <atomic>
#include <cstddef>
#include <limits>

namespace quorel {

// How far a read has come, and whether it is to stop. The reading thread writes it as it goes;
// any other thread reads it (the window polls it on a timer) and may ask the read to stop. No
// side ever waits for the other: the figures are plain atomics.
class ReadProgress
{
public:
    // What the read is doing: waiting for its turn (the file left is written back first),
    // counting the file's lines, classifying them, or done.
    enum class Phase { Waiting, Counting, Reading, Done };

    ReadProgress() = default;
    ReadProgress(const ReadProgress &) = delete;
    ReadProgress &operator=(const ReadProgress &) = delete;

    // Any thread: stop before the next line (while lines are counted: before the first). A read
    // held before a line stops there.
    void requestStop() noexcept
    {
        m_stopBefore.store(0, std::memory_order_relaxed);
        release();
    }
    // As if the stop were asked for just before line `line` (from 1) is classified; for tests
    // and for callers that read a known number of lines.
    void stopBeforeLine(std::size_t line) noexcept
    {
        m_stopBefore.store(line, std::memory_order_relaxed);
    }
    [[nodiscard]] bool stopRequested() const noexcept
    {
        return m_stopBefore.load(std::memory_order_relaxed) == 0;
    }
    // Holds the read before line `line` until it is released or stopped: the line is reached
    // (and shown) but not classified; line 0 holds it while its lines are counted. For tests, which
    // act on the window while a given line is shown; a read that is not held never waits.
    void holdBeforeLine(std::size_t line) noexcept
    {
        m_holdBefore.store(line, std::memory_order_release);
    }
    void release() noexcept
    {
        m_holdBefore.store(noLine, std::memory_order_release);
        m_holdBefore.notify_all();
    }

    [[nodiscard]] Phase phase() const noexcept { return m_phase.load(std::memory_order_acquire); }
    // Lines in the file, known once they are counted (0 before).
    [[nodiscard]] std::size_t lineCount() const noexcept
    {
        return m_lineCount.load(std::memory_order_relaxed);
    }
    // The line being classified (from 1), 0 before the first.
    [[nodiscard]] std::size_t line() const noexcept
    {
        return m_line.load(std::memory_order_relaxed);
    }

    // The reading thread.
    void setPhase(Phase phase) noexcept { m_phase.store(phase, std::memory_order_release); }
    // The lines are counted and none is read yet.
    void setLineCount(std::size_t lines) noexcept
    {
        m_lineCount.store(lines, std::memory_order_relaxed);
        m_line.store(0, std::memory_order_relaxed);
    }
    // A block of lines is counted: false when the read is to stop. A hold before line 0 holds
    // the count.
    [[nodiscard]] bool keepCounting() noexcept
    {
        if (m_holdBefore.load(std::memory_order_relaxed) == 0) [[unlikely]]
            m_holdBefore.wait(0, std::memory_order_acquire);
        return !stopRequested();
    }
    // Line `line` is next: false when the read is to stop before it.
    [[nodiscard]] bool reach(std::size_t line) noexcept
    {
        m_line.store(line, std::memory_order_relaxed);
        if (m_holdBefore.load(std::memory_order_relaxed) == line) [[unlikely]]
            m_holdBefore.wait(line, std::memory_order_acquire);
        return line < m_stopBefore.load(std::memory_order_relaxed);
    }

private:
    static constexpr std::size_t noLine = std::numeric_limits<std::size_t>::max();

    std::atomic<std::size_t> m_stopBefore {noLine};
    std::atomic<std::size_t> m_holdBefore {noLine};
    std::atomic<std::size_t> m_lineCount {0};
    std::atomic<std::size_t> m_line {0};
    std::atomic<Phase> m_phase {Phase::Waiting};
};

} // namespace quorel
