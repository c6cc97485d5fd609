// The recent-files "; " parser on arbitrary stored values: what it reads is written back to a
// value that reads as the same list, and adding entries never leaves two equal ones.
#include "fuzzcheck.h"

#include "core/persist/recentfiles.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace quorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view stored(reinterpret_cast<const char *>(data), size);
    RecentFiles recent;
    recent.fromStored(stored);
    FUZZ_CHECK(recent.selected() == -1);
    for (const std::string &entry : recent.entries())
        FUZZ_CHECK(entry.find("; ") == std::string::npos);

    // An empty entry ("; ; " after the first) is read but, being indistinguishable from the
    // leading "; ", does not survive the next save and load; every other list does.
    bool hasEmpty = false;
    for (const std::string &entry : recent.entries())
        hasEmpty = hasEmpty || entry.empty();
    RecentFiles again;
    again.fromStored(recent.toStored());
    if (!hasEmpty)
        FUZZ_CHECK(again.entries() == recent.entries());

    RecentFiles added;
    for (const std::string &entry : recent.entries())
        added.add(entry);
    FUZZ_CHECK(added.selected() == 0 || added.size() == 0);
    for (int i = 0; i < added.size(); ++i) {
        for (int j = i + 1; j < added.size(); ++j)
            FUZZ_CHECK(!equalPathsIgnoringCase(added.entries()[std::size_t(i)],
                                               added.entries()[std::size_t(j)]));
    }
    (void)added.choose(stored, "", [](const std::string &) { return false; });
    return 0;
}
