#include "core/util/szdd.h"

#include "core/util/files.h"
#include "core/util/system.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace quorel {

namespace {

constexpr std::string_view signature("SZDD\x88\xF0\x27\x33", 8);
constexpr std::size_t headerSize = 14;
constexpr char modeA = 'A';
constexpr std::size_t windowSize = 4096;
constexpr std::size_t windowMask = windowSize - 1;
constexpr std::size_t startPosition = windowSize - 16;
constexpr std::size_t minMatch = 3;
constexpr std::size_t maxMatch = 18; // 4 bits of length + 3
// One step short of the whole window, so a match never reads the slot being written.
constexpr std::size_t maxDistance = windowSize - 1;

std::uint32_t readLe32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < 4; ++k)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + k])) << (8 * k);
    return value;
}

void appendLe32(std::string &out, std::uint32_t value)
{
    for (int k = 0; k < 4; ++k)
        out += static_cast<char>((value >> (8 * k)) & 0xFF);
}

} // namespace

bool isSzdd(std::string_view bytes)
{
    return bytes.substr(0, signature.size()) == signature;
}

Result<std::string> szddExpand(std::string_view compressed)
{
    if (compressed.size() < headerSize || !isSzdd(compressed))
        return Error {"Not an SZDD compressed file."};
    if (compressed[8] != modeA)
        return Error {"Unknown SZDD compression mode."};
    const std::size_t expected = readLe32(compressed, 10);

    std::string out;
    // A control byte and eight two-byte matches (17 bytes) give at most 144 bytes, so a lying
    // header cannot make us reserve more than the data could ever fill.
    out.reserve(std::min(expected, (compressed.size() - headerSize) / 17 * 144 + 144));

    std::array<char, windowSize> window;
    window.fill(' ');
    std::size_t pos = startPosition;
    std::size_t in = headerSize;
    const Error truncated {"The SZDD compressed data is truncated."};

    while (out.size() < expected) {
        if (in >= compressed.size())
            return truncated;
        const auto control = static_cast<unsigned char>(compressed[in++]);
        for (unsigned bit = 1; bit < 0x100 && out.size() < expected; bit <<= 1) {
            if (control & bit) {
                if (in >= compressed.size())
                    return truncated;
                const char c = compressed[in++];
                out += c;
                window[pos] = c;
                pos = (pos + 1) & windowMask;
                continue;
            }
            if (in + 1 >= compressed.size())
                return truncated;
            const auto low = static_cast<unsigned char>(compressed[in++]);
            const auto high = static_cast<unsigned char>(compressed[in++]);
            std::size_t from = low | (static_cast<std::size_t>(high & 0xF0) << 4);
            std::size_t length = (high & 0x0F) + minMatch;
            for (; length > 0 && out.size() < expected; --length) {
                const char c = window[from];
                out += c;
                window[pos] = c;
                pos = (pos + 1) & windowMask;
                from = (from + 1) & windowMask;
            }
        }
    }
    return out;
}

std::string szddCompress(std::string_view data, char missingChar)
{
    std::string out(signature);
    out += modeA;
    out += missingChar;
    appendLe32(out, static_cast<std::uint32_t>(data.size()));

    // Hash chains over the positions of the last window: head[h] is the latest position with
    // hash h, previous[p & mask] the one before it.
    constexpr std::size_t hashBits = 13;
    constexpr std::size_t chainLimit = 128;
    std::vector<std::int64_t> head(std::size_t(1) << hashBits, -1);
    std::vector<std::int64_t> previous(windowSize, -1);
    const auto hashAt = [&](std::size_t p) {
        const auto b = [&](std::size_t k) {
            return std::size_t {static_cast<unsigned char>(data[p + k])};
        };
        return ((b(0) << 10) ^ (b(1) << 5) ^ b(2)) & ((std::size_t(1) << hashBits) - 1);
    };
    const auto insert = [&](std::size_t p) {
        if (p + minMatch > data.size())
            return;
        const auto h = hashAt(p);
        previous[p & windowMask] = head[h];
        head[h] = static_cast<std::int64_t>(p);
    };

    std::size_t controlAt = 0;
    unsigned bit = 0x100; // forces a new control byte on the first item
    std::size_t p = 0;
    while (p < data.size()) {
        if (bit == 0x100) {
            controlAt = out.size();
            out += '\0';
            bit = 1;
        }

        std::size_t bestLength = 0;
        std::size_t bestFrom = 0;
        if (p + minMatch <= data.size()) {
            const std::size_t limit = std::min(maxMatch, data.size() - p);
            std::int64_t candidate = head[hashAt(p)];
            for (std::size_t steps = 0; candidate >= 0 && steps < chainLimit; ++steps) {
                const auto from = static_cast<std::size_t>(candidate);
                if (p - from > maxDistance)
                    break;
                std::size_t length = 0;
                while (length < limit && data[from + length] == data[p + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestFrom = from;
                    if (length == limit)
                        break;
                }
                const std::int64_t next = previous[from & windowMask];
                if (next >= candidate)
                    break; // the slot was reused by a newer position: the chain ends here
                candidate = next;
            }
        }

        if (bestLength >= minMatch) {
            const std::size_t windowPos = (startPosition + bestFrom) & windowMask;
            out += static_cast<char>(windowPos & 0xFF);
            out += static_cast<char>(((windowPos >> 4) & 0xF0) | (bestLength - minMatch));
            for (std::size_t k = 0; k < bestLength; ++k)
                insert(p + k);
            p += bestLength;
        } else {
            out[controlAt] = static_cast<char>(static_cast<unsigned char>(out[controlAt]) | bit);
            out += data[p];
            insert(p);
            ++p;
        }
        bit <<= 1;
    }
    return out;
}

bool expandCompressedFile(const std::string &source, const std::string &destination,
                          bool deleteSource)
{
    auto bytes = readFileBytes(source);
    if (!bytes)
        return false;
    std::string expanded;
    if (isSzdd(*bytes)) {
        auto result = szddExpand(*bytes);
        if (!result)
            return false;
        expanded = std::move(result).value();
    } else {
        expanded = std::move(bytes).value();
    }
    if (!writeFileAtomic(destination, expanded))
        return false;
    if (deleteSource)
        return deleteFile(source);
    return true;
}

} // namespace quorel
