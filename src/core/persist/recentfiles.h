#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorel {

// The list of recently opened data files behind the "Last opened" box: most recent first, no
// two entries equal without regard to letter case, no maximum length. It holds no widget; the
// window mirrors entries() and selected() into its combo box after every change.
//
// When the window calls it:
//   - fromStored() once while the settings are loaded, toStored() when they are saved;
//   - add() at the start of every load except a random graph's (the reader's addRecentFile);
//   - choose() when an entry is picked from the drop-down or Enter is pressed in the box (not
//     on every keystroke, which would show a message for every half-typed path);
//   - canRemoveLast10()/canClear() when the "Clear" menu opens, removeLast10()/clear() from
//     its two commands.
class RecentFiles
{
public:
    [[nodiscard]] const std::vector<std::string> &entries() const { return m_entries; }
    [[nodiscard]] int size() const { return static_cast<int>(m_entries.size()); }
    // The selected position, or -1 when nothing is selected (before the first load of a run,
    // after the selected entry was removed).
    [[nodiscard]] int selected() const { return m_selected; }
    void setSelected(int position);

    // Puts the path on top and selects it. An entry equal without regard to case is moved to
    // the top with its stored spelling; otherwise the path is inserted as given.
    void add(std::string_view path);

    // The registry form: every entry followed by "; ". An empty list is "".
    [[nodiscard]] std::string toStored() const;
    // Appends the entries of a stored value: a leading "; " is skipped, every text before a
    // "; " is an entry, and a last text without "; " is dropped (as the stored form always
    // ended in "; ", such a text is a damaged entry). Nothing is selected.
    void fromStored(std::string_view stored);

    [[nodiscard]] bool canRemoveLast10() const { return m_entries.size() >= 10; }
    [[nodiscard]] bool canClear() const { return !m_entries.empty(); }
    // Removes the last ten entries (all of them when there are fewer).
    void removeLast10();
    void clear();
    // Removes the selected entry, if any; nothing is selected afterwards.
    void removeSelected();

    // What choosing an entry leads to.
    enum class Choice {
        Nothing, // the text is empty or names the current file already
        Load, // load the file (the load moves its entry to the top), redraw, refresh the menu
        Missing, // show message; the entry equal to the text has been removed
    };
    struct Outcome
    {
        Choice choice = Choice::Nothing;
        std::string message; // "Could not find file \"TEXT\" !" for Missing
    };
    // When the recent-files box changes: decides what its text means. `fileExists` tells whether a
    // file exists at a path (injected so the rule can be tested without files).
    [[nodiscard]] Outcome choose(std::string_view text, std::string_view currentFileName,
                                 const std::function<bool(const std::string &)> &fileExists);

private:
    std::vector<std::string> m_entries;
    int m_selected = -1;
};

// Compares two paths without regard to letter case: ASCII and the accented Latin, Greek and
// Cyrillic letters of UTF-8 text. Bytes that are not valid UTF-8 must match exactly.
[[nodiscard]] bool equalPathsIgnoringCase(std::string_view a, std::string_view b);

} // namespace quorel
