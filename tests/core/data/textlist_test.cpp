#include "core/data/measurementstore.h"
#include "core/data/textlist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorel;

namespace {

// Entries of varied length, empty ones included, around the list's internal checkpoints.
std::vector<std::string> sampleTexts(std::size_t count)
{
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < count; ++i)
        texts.push_back(i % 7 == 3 ? std::string()
                                   : std::to_string(i * 37) + std::string(i % 5, 'x'));
    return texts;
}

TEST(TextList, EveryEntryReadsBackByIndex)
{
    for (std::size_t count : {0u, 1u, 15u, 16u, 17u, 33u, 1000u}) {
        const std::vector<std::string> texts = sampleTexts(count);
        TextList list;
        for (const std::string &text : texts)
            list.append(text);
        ASSERT_EQ(list.size(), count);
        EXPECT_EQ(list.empty(), count == 0);
        // Backwards, so no entry is found by continuing from the one read before.
        for (std::size_t i = count; i-- > 0;)
            ASSERT_EQ(list.at(i), texts[i]) << "entry " << i << " of " << count;
        EXPECT_EQ(list.toVector(), texts);
    }
}

TEST(TextList, ListsJoinedAtEveryCheckpointPhaseReadBackByIndex)
{
    // A list appended to another starting at each position around a checkpoint: its entries
    // must be found by index as if appended one by one (and appending goes on correctly).
    const std::vector<std::string> texts = sampleTexts(80);
    for (std::size_t head : {0u, 1u, 7u, 15u, 16u, 17u, 31u, 40u}) {
        for (std::size_t tail : {0u, 1u, 15u, 16u, 17u, 40u}) {
            TextList first;
            TextList second;
            for (std::size_t i = 0; i < head; ++i)
                first.append(texts[i]);
            for (std::size_t i = head; i < head + tail; ++i)
                second.append(texts[i]);
            first.appendList(second);
            first.append("after");
            ASSERT_EQ(first.size(), head + tail + 1);
            for (std::size_t i = 0; i < head + tail; ++i)
                ASSERT_EQ(first.at(i), texts[i]) << head << " + " << tail << ", entry " << i;
            EXPECT_EQ(first.at(head + tail), "after");
        }
    }
}

TEST(TextList, CopiesMovesAndResetsKeepEntriesApart)
{
    // Copies own their bytes, a moved-from list is empty and can be filled again, a reset list
    // reads as empty and takes new entries, and texts of every length (some longer than the
    // room first given) survive it all.
    std::vector<std::string> texts = sampleTexts(40);
    texts.push_back(std::string(5000, 'L'));
    TextList list;
    list.reserve(2, 8);
    for (const std::string &text : texts)
        list.append(text);
    list.appendToLast(std::string(300, 'T'));
    texts.back() += std::string(300, 'T');

    TextList copy = list;
    list.append("changed");
    EXPECT_EQ(copy.toVector(), texts);
    TextList assigned;
    assigned.append("old");
    assigned = copy;
    EXPECT_EQ(assigned, copy);

    TextList moved = std::move(copy);
    EXPECT_EQ(moved.toVector(), texts);
    copy = TextList {}; // a moved-from list is usable again once assigned
    copy.append("again");
    EXPECT_EQ(copy.toVector(), std::vector<std::string> {"again"});

    moved.reset();
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(moved.byteSize(), 0u);
    moved.append("after reset");
    EXPECT_EQ(moved.at(0), "after reset");
    EXPECT_EQ(moved.size(), 1u);
}

TEST(TextList, ForEachVisitsInOrder)
{
    TextList list;
    for (const char *text : {"a", "", "ccc"})
        list.append(text);
    std::vector<std::string> seen;
    list.forEach([&seen](std::string_view text) { seen.emplace_back(text); });
    EXPECT_EQ(seen, (std::vector<std::string> {"a", "", "ccc"}));
}

// Texts of every length up to 20 with a NUL at each place (two, for the words the short texts
// are copied in) or none: each keeps what stands before its first NUL.
TEST(TextList, TextIsCutAtItsFirstNul)
{
    TextList list;
    std::vector<std::string> kept;
    for (std::size_t length = 0; length <= 20; ++length) {
        for (std::size_t nul = 0; nul <= length; ++nul) {
            std::string text;
            for (std::size_t i = 0; i < length; ++i)
                text += static_cast<char>('a' + i);
            if (nul < length) {
                text[nul] = '\0';
                text[length - 1] = '\0';
            }
            EXPECT_EQ(list.append(text), std::min(nul, length)) << length << " " << nul;
            kept.push_back(text.substr(0, nul));
        }
    }
    ASSERT_EQ(list.size(), kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i)
        EXPECT_EQ(list.at(i), kept[i]) << i;
}

TEST(TextList, AppendToLastGrowsTheLastEntryOnly)
{
    TextList list;
    list.appendToLast("first"); // an empty list gets a new entry
    list.append("second");
    list.appendToLast(" part");
    list.appendToLast(std::string_view("\r\nend\0hidden", 11));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.at(0), "first");
    EXPECT_EQ(list.at(1), "second part\r\nend");
}

TEST(TextList, ClearEmptiesAndCanBeRefilled)
{
    TextList list;
    for (int i = 0; i < 40; ++i)
        list.append("old");
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.byteSize(), 0u);
    list.append("new");
    EXPECT_EQ(list.at(0), "new");
    EXPECT_EQ(list.size(), 1u);
}

TEST(TextList, StaysCompact)
{
    // Ten thousand five-byte texts: one terminator each and a checkpoint per sixteen entries.
    TextList list;
    list.reserve(10000, 50000);
    for (int i = 0; i < 10000; ++i)
        list.append("123.4");
    EXPECT_EQ(list.byteSize(), 60000u);
}

TEST(MeasurementStore, KeepsTextsAndTheirSectors)
{
    MeasurementStore store;
    store.append("12", 12);
    store.append("0045.50", 45.5);
    store.appendText("10,5", ',');
    store.appendText(" 355 ", '.');
    store.appendText("abc", '.');
    ASSERT_EQ(store.size(), 5u);
    EXPECT_EQ(store.at(1), "0045.50");
    EXPECT_EQ(store[3], " 355 ");
    const std::vector<int> sectors {store.sector(0), store.sector(1), store.sector(2),
                                    store.sector(3), store.sector(4)};
    EXPECT_EQ(sectors, (std::vector<int> {2, 5, 1, 36, 0}));
    store.clear();
    EXPECT_TRUE(store.empty());
    EXPECT_TRUE(store.sectors().empty());
}

} // namespace
