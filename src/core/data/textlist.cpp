#include "core/data/textlist.h"

#include <cstring>

namespace quorel {

void TextList::clear()
{
    m_arena.clear();
    m_arena.shrink_to_fit();
    m_checkpoints.clear();
    m_checkpoints.shrink_to_fit();
    m_size = 0;
}

void TextList::reserve(std::size_t count, std::size_t bytes)
{
    m_arena.reserve(bytes + count);
    m_checkpoints.reserve(count / checkpointEvery + 1);
}

void TextList::appendToLast(std::string_view text)
{
    if (m_size == 0) {
        append(text);
        return;
    }
    text = cutAtNul(text);
    m_arena.pop_back();
    m_arena.append(text);
    m_arena.push_back('\0');
}

void TextList::appendList(const TextList &other)
{
    if (other.m_size == 0)
        return;
    const std::size_t base = m_arena.size();
    m_arena.append(other.m_arena.view());
    // The other list's entry i becomes entry m_size + i; checkpoints fall on the entries whose
    // new index is a multiple of checkpointEvery, a fixed number of entries past each of the
    // other list's own checkpoints.
    const std::size_t skip = (checkpointEvery - m_size % checkpointEvery) % checkpointEvery;
    for (std::size_t i = skip; i < other.m_size; i += checkpointEvery) {
        const char *p = other.m_arena.data() + other.m_checkpoints[i / checkpointEvery];
        for (std::size_t n = skip; n > 0; --n)
            p += std::strlen(p) + 1;
        m_checkpoints.push_back(base + static_cast<std::size_t>(p - other.m_arena.data()));
    }
    m_size += other.m_size;
}

std::string_view TextList::at(std::size_t index) const
{
    const char *p = m_arena.data() + m_checkpoints[index / checkpointEvery];
    // Every entry ends in a NUL, so each skip stays inside the arena.
    for (std::size_t skip = index % checkpointEvery; skip > 0; --skip)
        p += std::strlen(p) + 1;
    return std::string_view(p);
}

std::vector<std::string> TextList::toVector() const
{
    std::vector<std::string> out;
    out.reserve(m_size);
    forEach([&out](std::string_view text) { out.emplace_back(text); });
    return out;
}

} // namespace quorel
