#include "core/persist/recentfiles.h"

#include <gtest/gtest.h>

#include <set>

using namespace quorel;
using Entries = std::vector<std::string>;

namespace {

RecentFiles listOf(int count)
{
    RecentFiles list;
    for (int i = count; i >= 1; --i)
        list.add("/d/" + std::to_string(i) + ".qrl");
    return list;
}

} // namespace

TEST(RecentFiles, AddingEntries)
{
    struct Case
    {
        const char *name;
        Entries opened;
        Entries expected;
    };
    const Case cases[] = {
        {"most recent first", {"A", "B"}, {"B", "A"}},
        {"reopened entry moves to the top once", {"A", "B", "A"}, {"A", "B"}},
        {"letter case of the stored entry kept",
         {"/d/Data.qrl", "/x", "/D/DATA.QRL"},
         {"/d/Data.qrl", "/x"}},
        {"Polish letters compared without case",
         {"/dane/Łąka.qrl", "/x", "/dane/łĄKA.qrl"},
         {"/dane/Łąka.qrl", "/x"}},
        {"relative and absolute path are two entries",
         {"a.qrl", "/home/a.qrl"},
         {"/home/a.qrl", "a.qrl"}},
        {"middle entry moves up", {"A", "B", "C", "b"}, {"B", "C", "A"}},
    };
    for (const Case &c : cases) {
        RecentFiles list;
        for (const std::string &path : c.opened)
            list.add(path);
        EXPECT_EQ(list.entries(), c.expected) << c.name;
        EXPECT_EQ(list.selected(), 0) << c.name;
    }
}

TEST(RecentFiles, CaseInsensitiveComparison)
{
    struct Case
    {
        const char *a;
        const char *b;
        bool equal;
    };
    const Case cases[] = {
        {"abc", "ABC", true},
        {"ąćęłńóśźż", "ĄĆĘŁŃÓŚŹŻ", true},
        {"Äpfel/ŽÁBA", "äpfel/žába", true},
        {"Москва", "МОСКВА", true},
        {"Ελλάδα", "ΕΛΛΆΔΑ", false}, // accented capital outside the simple range: not folded
        {"a", "b", false},
        {"abc", "abcd", false},
        {"ł", "l", false},
        {"\xB3\xB9ka", "\xB3\xB9KA", true}, // old code-page bytes match themselves
        {"\xB3", "\xA3", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(equalPathsIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

TEST(RecentFiles, StoredForm)
{
    struct Case
    {
        const char *name;
        std::string stored;
        Entries entries;
    };
    const Case cases[] = {
        {"empty", "", {}},
        {"three entries in order", "/a; /b; /c; ", {"/a", "/b", "/c"}},
        {"last entry without separator is lost", "/a; /b", {"/a"}},
        {"leading separator skipped", "; /a; ", {"/a"}},
        {"path with semicolon and blank splits", "/x; y.qrl; ", {"/x", "y.qrl"}},
        {"trailing lone separator ends the list", "/a; ; ", {"/a"}},
        {"semicolon without blank stays in the path", "/a;b; ", {"/a;b"}},
    };
    for (const Case &c : cases) {
        RecentFiles list;
        list.fromStored(c.stored);
        EXPECT_EQ(list.entries(), c.entries) << c.name;
        EXPECT_EQ(list.selected(), -1) << c.name;
    }

    RecentFiles list;
    EXPECT_EQ(list.toStored(), "");
    list.add("X");
    EXPECT_EQ(list.toStored(), "X; ");
    list.add("Y");
    RecentFiles again;
    again.fromStored(list.toStored());
    EXPECT_EQ(again.entries(), list.entries());
    // Loading appends after what is there.
    again.fromStored("Z; ");
    EXPECT_EQ(again.entries(), (Entries {"Y", "X", "Z"}));
}

TEST(RecentFiles, ClearMenu)
{
    struct Case
    {
        int count;
        bool canRemove10;
        bool canClear;
        int leftAfterRemove10;
    };
    const Case cases[] = {
        {12, true, true, 2}, {10, true, true, 0},  {9, false, true, 0},
        {1, false, true, 0}, {0, false, false, 0},
    };
    for (const Case &c : cases) {
        RecentFiles list = listOf(c.count);
        EXPECT_EQ(list.canRemoveLast10(), c.canRemove10) << c.count;
        EXPECT_EQ(list.canClear(), c.canClear) << c.count;
        list.removeLast10();
        EXPECT_EQ(list.size(), c.leftAfterRemove10) << c.count;
    }
    RecentFiles twelve = listOf(12);
    twelve.removeLast10();
    EXPECT_EQ(twelve.entries(), (Entries {"/d/1.qrl", "/d/2.qrl"})) << "the most recent stay";
    EXPECT_EQ(twelve.selected(), 0);
    twelve.setSelected(1);
    twelve.clear();
    EXPECT_EQ(twelve.size(), 0);
    EXPECT_EQ(twelve.selected(), -1);
}

TEST(RecentFiles, Choosing)
{
    const std::set<std::string> existing = {"/d/1.qrl", "/d/3.qrl"};
    const auto exists = [&](const std::string &path) {
        return existing.count(path) > 0;
    };
    using Choice = RecentFiles::Choice;
    struct Case
    {
        const char *name;
        std::string text;
        std::string current;
        Choice choice;
        Entries left;
    };
    const Entries all = {"/d/1.qrl", "/d/2.qrl", "/d/3.qrl"};
    const Case cases[] = {
        {"current file picked again", "/d/1.qrl", "/d/1.qrl", Choice::Nothing, all},
        {"current file in other case is loaded", "/D/1.QRL", "/d/1.qrl", Choice::Missing, all},
        {"empty text", "", "/d/1.qrl", Choice::Nothing, all},
        {"existing file loaded", "/d/3.qrl", "/d/1.qrl", Choice::Load, all},
        {"missing entry removed",
         "/d/2.qrl",
         "/d/1.qrl",
         Choice::Missing,
         {"/d/1.qrl", "/d/3.qrl"}},
        {"typed missing path removes nothing", "/d/9.qrl", "/d/1.qrl", Choice::Missing, all},
    };
    for (const Case &c : cases) {
        RecentFiles list = listOf(3);
        const auto outcome = list.choose(c.text, c.current, exists);
        EXPECT_EQ(outcome.choice, c.choice) << c.name;
        EXPECT_EQ(list.entries(), c.left) << c.name;
        if (c.choice == Choice::Missing) {
            EXPECT_EQ(outcome.message, "Could not find file \"" + c.text + "\" !") << c.name;
        }
    }
}
