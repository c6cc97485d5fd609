#include "core/data/readhandover.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <thread>
#include <vector>

using namespace quorel;

namespace {

// The showing side's event queue: calls posted from any thread, run on the thread that pumps.
class CallQueue
{
public:
    void post(std::function<void()> call)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_calls.push_back(std::move(call));
        }
        m_posted.notify_one();
    }

    // Runs posted calls until `done` holds after one (or the queue stays empty for a while).
    template<class Done>
    void pumpUntil(Done done)
    {
        while (!done()) {
            std::unique_lock lock(m_mutex);
            if (!m_posted.wait_for(lock, std::chrono::milliseconds(200),
                                   [this] { return !m_calls.empty(); }))
                return;
            std::function<void()> call = std::move(m_calls.front());
            m_calls.pop_front();
            lock.unlock();
            call();
        }
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_calls;
};

struct HandOverFixture : testing::Test
{
    CallQueue queue;
    ReadHandOver handOver {[this](std::function<void()> call) {
        queue.post(std::move(call));
    }};
};

// A read of `lines` lines that shows every `every`-th line and stops at the first line where a
// stop is asked for; the lines it handled go into `read`, which only the shown lines look at
// (`onShown` runs there too). Returns the line it stopped at (0: none).
std::size_t readLines(ReadHandOver &handOver, std::size_t lines, std::size_t every,
                      std::vector<std::size_t> &read, std::vector<std::size_t> &seenWhenShown,
                      const std::function<void()> &onShown = {})
{
    for (std::size_t line = 1; line <= lines; ++line) {
        if (line % every == 0) {
            handOver.handOver([&] {
                seenWhenShown.push_back(read.size());
                if (onShown)
                    onShown();
            });
        }
        if (handOver.stopRequested())
            return line;
        read.push_back(line);
    }
    return 0;
}

TEST_F(HandOverFixture, CallsRunInOrderWhileTheWorkerStandsStill)
{
    std::vector<std::size_t> read, seen;
    bool finished = false;
    std::thread worker([&] {
        readLines(handOver, 1000, 10, read, seen);
        handOver.handOver([&finished] { finished = true; });
    });
    queue.pumpUntil([&finished] { return finished; });
    worker.join();
    ASSERT_EQ(seen.size(), 100u);
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], 10 * i + 9); // every line before the shown one, none after
    EXPECT_EQ(read.size(), 1000u);
}

TEST_F(HandOverFixture, StopAskedWhileALineIsShownStopsTheReadAtThatLine)
{
    std::vector<std::size_t> read, seen;
    std::size_t stoppedAt = 0;
    bool finished = false;
    std::thread worker([&] {
        stoppedAt = readLines(handOver, 1000, 1, read, seen, [&] {
            if (seen.size() == 50)
                handOver.requestStop(); // the user aborts while line 50 is shown
        });
        handOver.handOver([&finished] { finished = true; });
    });
    queue.pumpUntil([&finished] { return finished; });
    worker.join();
    EXPECT_EQ(stoppedAt, 50u);
    EXPECT_EQ(read.size(), 49u);
    handOver.clearStop();
    EXPECT_FALSE(handOver.stopRequested());
}

TEST_F(HandOverFixture, LettingGoWakesTheWorkerAndRefusesLaterCalls)
{
    int ran = 0;
    bool first = true, second = true;
    std::thread worker([&] {
        first = handOver.handOver([&ran] { ++ran; });
        second = handOver.handOver([&ran] { ++ran; });
    });
    // The showing side is busy elsewhere and never runs the call before it goes away.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    handOver.letGo();
    worker.join();
    queue.pumpUntil([] { return false; });
    EXPECT_FALSE(first);
    EXPECT_FALSE(second);
    EXPECT_EQ(ran, 0);
    EXPECT_TRUE(handOver.stopRequested());
}

} // namespace
