#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace quorel {

// The bytes of a text list: a growable byte buffer like a std::string, except that room is
// never cleared before it is written and a short text is copied with a few stores instead of a
// library call. Appending ten million short texts is the reader's most frequent step.
class TextArena
{
public:
    TextArena() = default;
    TextArena(const TextArena &other) { append(other.view()); }
    TextArena(TextArena &&other) noexcept { swap(other); }
    TextArena &operator=(const TextArena &other)
    {
        if (this != &other) {
            m_size = 0;
            append(other.view());
        }
        return *this;
    }
    TextArena &operator=(TextArena &&other) noexcept
    {
        TextArena(std::move(other)).swap(*this);
        return *this;
    }

    [[nodiscard]] std::size_t size() const { return m_size; }
    [[nodiscard]] const char *data() const { return m_data ? m_data.get() : ""; }
    [[nodiscard]] std::string_view view() const { return {data(), m_size}; }

    void clear() { m_size = 0; }
    void shrink_to_fit()
    {
        if (m_size == 0) {
            m_data.reset();
            m_capacity = 0;
        }
    }
    void reserve(std::size_t bytes)
    {
        if (bytes > m_capacity)
            reallocate(bytes);
    }
    void append(std::string_view text)
    {
        if (m_capacity - m_size < text.size())
            reallocate(std::max(m_size + text.size(), 2 * m_capacity));
        char *out = m_data.get() + m_size;
        if (text.size() <= 16) {
            for (const char c : text)
                *out++ = c;
        } else {
            std::memcpy(out, text.data(), text.size());
        }
        m_size += text.size();
    }
    // Appends `text` up to its first NUL, then a NUL: one entry of a text list, in one pass.
    // Returns the bytes of the text kept.
    std::size_t appendEntry(std::string_view text)
    {
        if (m_capacity - m_size <= text.size())
            reallocate(std::max(m_size + text.size() + 1, 2 * m_capacity));
        char *const start = m_data.get() + m_size;
        const std::size_t kept = copyBeforeNul(start, text.data(), text.size());
        start[kept] = '\0';
        m_size += kept + 1;
        return kept;
    }
    void push_back(char c)
    {
        if (m_size == m_capacity)
            reallocate(std::max<std::size_t>(64, 2 * m_capacity));
        m_data[m_size++] = c;
    }
    void pop_back() { --m_size; }

    friend bool operator==(const TextArena &a, const TextArena &b) { return a.view() == b.view(); }

private:
    // The first zero byte of a little-endian word: its index, or the word's size when none.
    // (A borrow can mark bytes above a zero byte, never one below it.)
    template<class Word>
    static std::size_t firstZeroByte(Word word)
    {
        constexpr Word ones = static_cast<Word>(0x0101010101010101ull);
        const Word zeros = static_cast<Word>((word - ones) & ~word & static_cast<Word>(ones << 7));
        return zeros == 0 ? sizeof(Word) : static_cast<std::size_t>(std::countr_zero(zeros)) / 8;
    }

    // Copies the `n` bytes at `in` to `out` (which may then hold bytes past a NUL) and returns
    // how many come before the first NUL. A text of 4 to 16 bytes, nearly every azimuth, is
    // copied and searched as two words that overlap in its middle.
    template<class Word>
    static std::size_t copyTwoWords(char *out, const char *in, std::size_t n)
    {
        Word first {};
        Word last {};
        std::memcpy(&first, in, sizeof(Word));
        std::memcpy(&last, in + n - sizeof(Word), sizeof(Word));
        std::memcpy(out, &first, sizeof(Word));
        std::memcpy(out + n - sizeof(Word), &last, sizeof(Word));
        if (const std::size_t zero = firstZeroByte(first); zero < sizeof(Word))
            return zero;
        // The bytes the two words share hold no NUL, so the last word's first one is the text's.
        if (const std::size_t zero = firstZeroByte(last); zero < sizeof(Word))
            return n - sizeof(Word) + zero;
        return n;
    }

    static std::size_t copyBeforeNul(char *out, const char *in, std::size_t n)
    {
        if constexpr (std::endian::native == std::endian::little) {
            if (n >= 8 && n <= 16)
                return copyTwoWords<std::uint64_t>(out, in, n);
            if (n >= 4 && n < 8)
                return copyTwoWords<std::uint32_t>(out, in, n);
        }
        std::size_t i = 0;
        for (; i < n; ++i) {
            const char c = in[i];
            if (c == '\0')
                break;
            out[i] = c;
        }
        return i;
    }

    void swap(TextArena &other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
    }
    void reallocate(std::size_t capacity)
    {
        auto larger = std::make_unique_for_overwrite<char[]>(capacity);
        if (m_size > 0)
            std::memcpy(larger.get(), m_data.get(), m_size);
        m_data = std::move(larger);
        m_capacity = capacity;
    }

    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

} // namespace quorel
