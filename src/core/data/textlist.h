#pragma once

#include "core/data/textarena.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorel {

// An append-only list of texts kept compactly for lists of millions of short entries: all texts
// live in one byte arena, each followed by a NUL, and the arena position of every 16th entry is
// remembered. An entry is found from its checkpoint by skipping at most 15 NULs. Texts must not
// contain NUL bytes (the data file's text ends at its first NUL, so no line holds one); a NUL
// inside an appended text is cut off there.
class TextList
{
public:
    void clear();
    // Empties the list but keeps its room, for a list filled again and again.
    void reset()
    {
        m_arena.clear();
        m_checkpoints.clear();
        m_size = 0;
    }
    // Room for about `count` entries of `bytes` bytes in all; untouched room costs no memory.
    void reserve(std::size_t count, std::size_t bytes);
    // Returns the bytes of the text kept (up to a NUL in it).
    std::size_t append(std::string_view text)
    {
        if (m_size % checkpointEvery == 0)
            m_checkpoints.push_back(m_arena.size());
        ++m_size;
        return m_arena.appendEntry(text);
    }
    // The last entry grows by `text` (the error report builds an entry in parts).
    void appendToLast(std::string_view text);
    // Appends every entry of `other` in order (lists built apart are joined in file order).
    void appendList(const TextList &other);

    [[nodiscard]] std::size_t size() const { return m_size; }
    [[nodiscard]] bool empty() const { return m_size == 0; }
    // Entry `index` (< size()); the view stays valid until the next change of the list.
    [[nodiscard]] std::string_view at(std::size_t index) const;
    [[nodiscard]] std::string_view operator[](std::size_t index) const { return at(index); }
    // Bytes held by the texts, their terminators included.
    [[nodiscard]] std::size_t byteSize() const { return m_arena.size(); }

    // Visits every entry in order; faster than at() for a whole pass.
    template<class Visitor>
    void forEach(Visitor &&visit) const
    {
        const char *p = m_arena.data();
        for (std::size_t i = 0; i < m_size; ++i) {
            const std::string_view text(p);
            visit(text);
            p += text.size() + 1;
        }
    }

    [[nodiscard]] std::vector<std::string> toVector() const;

    // The texts one after another, each followed by a NUL, in entry order (for whole passes).
    [[nodiscard]] const char *arenaData() const { return m_arena.data(); }

    friend bool operator==(const TextList &a, const TextList &b)
    {
        return a.m_size == b.m_size && a.m_arena == b.m_arena;
    }

private:
    static constexpr std::size_t checkpointEvery = 16;

    // Entries end in a NUL, so a text keeps only what stands before its own first NUL.
    static std::string_view cutAtNul(std::string_view text)
    {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\0')
                return text.substr(0, i);
        }
        return text;
    }

    TextArena m_arena;
    std::vector<std::uint64_t> m_checkpoints; // arena offset of entries 0, 16, 32, ...
    std::size_t m_size = 0;
};

} // namespace quorel
