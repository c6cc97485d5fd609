#include "core/data/readhandover.h"

#include <utility>

namespace quorel {

ReadHandOver::ReadHandOver(Poster poster)
    : m_poster(std::move(poster))
{ }

bool ReadHandOver::handOver(std::function<void()> call)
{
    std::unique_lock lock(m_mutex);
    if (m_letGo)
        return false;
    const std::uint64_t ticket = ++m_posted;
    // Posted while the lock is held, so that letGo() never returns while a post is under way.
    m_poster([this, ticket, call = std::move(call)] {
        {
            const std::lock_guard ran(m_mutex);
            if (m_letGo)
                return;
        }
        call();
        {
            const std::lock_guard ran(m_mutex);
            m_run = ticket;
        }
        m_ran.notify_all();
    });
    m_ran.wait(lock, [this, ticket] { return m_run >= ticket || m_letGo; });
    return m_run >= ticket;
}

void ReadHandOver::letGo()
{
    requestStop();
    {
        const std::lock_guard lock(m_mutex);
        m_letGo = true;
    }
    m_ran.notify_all();
}

} // namespace quorel
