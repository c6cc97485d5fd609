#include "core/data/textlist.h"

#include <cstring>

namespace quorel {

namespace {

// Entries end in a NUL, so a text keeps only what stands before its own first NUL.
std::string_view cutAtNul(std::string_view text)
{
    if (text.size() <= 16) {
        // Most entries are a few bytes; a plain loop beats a call here.
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\0')
                return text.substr(0, i);
        }
        return text;
    }
    const void *nul = std::memchr(text.data(), '\0', text.size());
    return nul
        ? text.substr(0, static_cast<std::size_t>(static_cast<const char *>(nul) - text.data()))
        : text;
}

} // namespace

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

void TextList::append(std::string_view text)
{
    if (m_size % checkpointEvery == 0)
        m_checkpoints.push_back(m_arena.size());
    text = cutAtNul(text);
    m_arena.append(text);
    m_arena.push_back('\0');
    ++m_size;
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
