#include "core/persist/recentfiles.h"

#include "core/util/text.h"

#include <algorithm>

namespace quorel {

namespace {

constexpr std::string_view storedSeparator = "; ";

// The next character of UTF-8 text as a code point; a byte that does not start a valid
// sequence is returned as 0x110000 + byte, so it only equals the same byte.
char32_t nextCodePoint(std::string_view text, std::size_t &pos)
{
    char32_t cp = 0;
    if (const std::size_t length = decodeUtf8(text, pos, cp); length > 0) {
        pos += length;
        return cp;
    }
    return 0x110000 + static_cast<unsigned char>(text[pos++]);
}

// Lower case of the letters whose case pairs follow simple rules: ASCII, Latin-1, Latin
// Extended-A (Polish, Czech, ... letters), Greek and Cyrillic.
char32_t foldCase(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    if (c >= 0x100 && c <= 0x17F) {
        // Pairs start at an even code point, except in U+0139..U+0148 and U+0179..U+017E;
        // U+0130, U+0131, U+0138 and U+0149 have no simple partner.
        const bool oddStart = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        if (c == 0x178)
            return 0xFF;
        const bool upper = oddStart ? (c % 2 == 1) : (c % 2 == 0);
        return upper ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return c + 32;
    if (c >= 0x410 && c <= 0x42F)
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    return c;
}

} // namespace

bool equalPathsIgnoringCase(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (foldCase(nextCodePoint(a, i)) != foldCase(nextCodePoint(b, j)))
            return false;
    }
    return i == a.size() && j == b.size();
}

void RecentFiles::setSelected(int position)
{
    m_selected = position >= 0 && position < size() ? position : -1;
}

void RecentFiles::add(std::string_view path)
{
    const auto match = std::find_if(m_entries.begin(), m_entries.end(), [&](const std::string &e) {
        return equalPathsIgnoringCase(e, path);
    });
    if (match == m_entries.end()) {
        m_entries.insert(m_entries.begin(), std::string(path));
    } else {
        std::rotate(m_entries.begin(), match, match + 1);
    }
    m_selected = 0;
}

std::string RecentFiles::toStored() const
{
    std::string stored;
    for (const std::string &entry : m_entries) {
        stored += entry;
        stored += storedSeparator;
    }
    return stored;
}

void RecentFiles::fromStored(std::string_view stored)
{
    if (stored.starts_with(storedSeparator))
        stored.remove_prefix(storedSeparator.size());
    for (std::size_t p = stored.find(storedSeparator); p != std::string_view::npos;
         p = stored.find(storedSeparator)) {
        m_entries.emplace_back(stored.substr(0, p));
        stored.remove_prefix(p + storedSeparator.size());
        if (stored == storedSeparator)
            stored = {};
    }
}

void RecentFiles::removeLast10()
{
    const int keep = std::max(0, size() - 10);
    m_entries.resize(static_cast<std::size_t>(keep));
    if (m_selected >= keep)
        m_selected = -1;
}

void RecentFiles::clear()
{
    m_entries.clear();
    m_selected = -1;
}

void RecentFiles::removeSelected()
{
    if (m_selected < 0)
        return;
    m_entries.erase(m_entries.begin() + m_selected);
    m_selected = -1;
}

RecentFiles::Outcome RecentFiles::choose(std::string_view text, std::string_view currentFileName,
                                         const std::function<bool(const std::string &)> &fileExists)
{
    if (text == currentFileName || text.empty())
        return {};
    if (fileExists(std::string(text)))
        return {Choice::Load, {}};
    // The entry that is removed is the one the text names: with a typed path the box's
    // selection may still point at another file's entry, which must stay.
    const auto named = std::find(m_entries.begin(), m_entries.end(), text);
    if (named != m_entries.end()) {
        m_selected = static_cast<int>(named - m_entries.begin());
        removeSelected();
    }
    return {Choice::Missing, "Could not find file \"" + std::string(text) + "\" !"};
}

} // namespace quorel
