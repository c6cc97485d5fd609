#include "core/util/szdd.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <sys/stat.h>

namespace quorel {
namespace {

using test::TempDir;

std::string randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 engine(seed);
    std::string bytes(size, '\0');
    for (char &c : bytes)
        c = static_cast<char>(engine() & 0xFF);
    return bytes;
}

// Text with the repetition of real prose: a few hundred distinct words in random order.
std::string prose(std::size_t size, unsigned seed)
{
    static const char *const words[] = {"azimuth", "dip",      "joint",     "fault", "bedding",
                                        "quarry",  "wall",     "north",     "set",   "strike",
                                        "plane",   "measured", "sandstone", "the",   "of",
                                        "and",     "\r\n",     ";",         "=",     "12.5"};
    std::mt19937 engine(seed);
    std::string text;
    while (text.size() < size) {
        text += words[engine() % std::size(words)];
        text += ' ';
    }
    text.resize(size);
    return text;
}

std::uint32_t headerSize(std::string_view file)
{
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < 4; ++k)
        value |= std::uint32_t(static_cast<unsigned char>(file[10 + k])) << (8 * k);
    return value;
}

std::string header(std::uint32_t size)
{
    std::string h("SZDD\x88\xF0\x27\x33"
                  "A\0",
                  10);
    for (int k = 0; k < 4; ++k)
        h += static_cast<char>((size >> (8 * k)) & 0xFF);
    return h;
}

struct RoundTripCase
{
    const char *name;
    std::string data;
};

class SzddRoundTrip : public testing::TestWithParam<RoundTripCase>
{ };

TEST_P(SzddRoundTrip, ExpandGivesBackTheOriginal)
{
    const std::string &data = GetParam().data;
    const std::string packed = szddCompress(data);
    ASSERT_TRUE(isSzdd(packed));
    EXPECT_EQ(headerSize(packed), data.size());
    const auto unpacked = szddExpand(packed);
    ASSERT_TRUE(unpacked.ok()) << unpacked.message();
    EXPECT_TRUE(*unpacked == data);
}

std::string periodic(std::size_t period, std::size_t size)
{
    const std::string unit = randomBytes(period, static_cast<unsigned>(period));
    std::string out;
    while (out.size() < size)
        out += unit;
    out.resize(size);
    return out;
}

std::string allByteValues()
{
    std::string bytes;
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b)
            bytes += static_cast<char>(b);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, SzddRoundTrip,
    testing::Values(RoundTripCase {"Empty", ""}, RoundTripCase {"OneByte", "x"},
                    RoundTripCase {"TwoBytes", "ab"},
                    RoundTripCase {"Spaces", std::string(40, ' ')},
                    RoundTripCase {"ShortText", "hello world hello world\n"},
                    RoundTripCase {"AllByteValues", allByteValues()},
                    RoundTripCase {"LongRun", std::string(50000, 'a')},
                    RoundTripCase {"Nuls", std::string(5000, '\0')},
                    RoundTripCase {"Random10K", randomBytes(10000, 1)},
                    RoundTripCase {"Prose100K", prose(100 * 1024, 2)},
                    RoundTripCase {"Random100K", randomBytes(100 * 1024, 3)},
                    // Repeats just inside, at and just past the window's reach.
                    RoundTripCase {"Period4094", periodic(4094, 20000)},
                    RoundTripCase {"Period4095", periodic(4095, 20000)},
                    RoundTripCase {"Period4096", periodic(4096, 20000)},
                    RoundTripCase {"Period4097", periodic(4097, 20000)}),
    [](const testing::TestParamInfo<RoundTripCase> &test) { return test.param.name; });

TEST(SzddCompress, WritesTheHeaderFields)
{
    const std::string packed = szddCompress("abc", 'T');
    ASSERT_GE(packed.size(), 14u);
    EXPECT_EQ(packed.substr(0, 8), std::string("SZDD\x88\xF0\x27\x33", 8));
    EXPECT_EQ(packed[8], 'A');
    EXPECT_EQ(packed[9], 'T');
    EXPECT_EQ(headerSize(packed), 3u);
}

TEST(SzddCompress, ShrinksRepetitiveData)
{
    EXPECT_LT(szddCompress(std::string(50000, 'a')).size(), 50000u / 8);
    const std::string text = prose(100 * 1024, 4);
    EXPECT_LT(szddCompress(text).size(), text.size() / 2);
    // Incompressible data grows by one control byte per eight bytes at most.
    EXPECT_LE(szddCompress(randomBytes(8000, 5)).size(), 14u + 9000u);
}

// Streams built by hand, so the expander is checked against the format itself and not only
// against our own compressor.
struct StreamCase
{
    const char *name;
    std::string file;
    std::string expected;
};

class SzddHandMadeStream : public testing::TestWithParam<StreamCase>
{ };

TEST_P(SzddHandMadeStream, Expands)
{
    const auto result = szddExpand(GetParam().file);
    ASSERT_TRUE(result.ok()) << result.message();
    EXPECT_EQ(*result, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Format, SzddHandMadeStream,
    testing::Values(
        // Control bits are read from the lowest: 0x03 = two literals.
        StreamCase {"Literals",
                    header(2)
                        + "\x03"
                          "ab",
                    "ab"},
        // A match into the untouched window reads its initial spaces.
        StreamCase {"WindowStartsWithSpaces", header(5) + std::string("\x00\x00\x02", 3), "     "},
        // Position 0xFF0 (4096 - 16) is where the first byte lands; a match there that overlaps
        // its own output repeats it.
        StreamCase {"OverlappingMatch", header(7) + std::string("\x01x\xF0\xF3", 4), "xxxxxxx"},
        // Twelve-bit offset: low byte first, high nibble in the second byte's top bits.
        StreamCase {"OffsetHighNibble",
                    header(5)
                        + std::string("\x03"
                                      "pq\xF0\xF0",
                                      5),
                    "pqpqp"},
        // The last control byte's spare bits are not read once the size is reached.
        StreamCase {"StopsAtHeaderSize", header(1) + "\x01z", "z"},
        // Bytes after the end of the data are ignored.
        StreamCase {"TrailingBytesIgnored", header(1) + "\x01zJUNK", "z"},
        // A match running past the header's size is cut at the size.
        StreamCase {"MatchCutAtSize", header(4) + std::string("\x01q\xF0\xFF", 4), "qqqq"}),
    [](const testing::TestParamInfo<StreamCase> &test) { return test.param.name; });

struct BadCase
{
    const char *name;
    std::string file;
};

class SzddBadInput : public testing::TestWithParam<BadCase>
{ };

TEST_P(SzddBadInput, FailsWithAMessage)
{
    const auto result = szddExpand(GetParam().file);
    ASSERT_FALSE(result.ok());
    EXPECT_FALSE(result.message().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Format, SzddBadInput,
    testing::Values(BadCase {"Empty", ""}, BadCase {"SignatureOnly", "SZDD\x88\xF0\x27\x33"},
                    BadCase {"WrongSignature",
                             std::string("SZDE\x88\xF0\x27\x33"
                                         "A\0\0\0\0\0",
                                         14)},
                    BadCase {"KwajSignature", std::string("KWAJ\x88\xF0\x27\xD1\0\0\0\0\0\0", 14)},
                    BadCase {"ModeB",
                             std::string("SZDD\x88\xF0\x27\x33"
                                         "B\0\0\0\0\0",
                                         14)},
                    BadCase {"NoDataForSize", header(1)},
                    BadCase {"LiteralMissing", header(1) + "\x01"},
                    BadCase {"MatchHalfMissing", header(3) + std::string("\x00\x10", 2)},
                    BadCase {"StreamShorterThanSize",
                             header(3)
                                 + "\x03"
                                   "ab"},
                    // A header that claims 4 GiB must fail quickly, not allocate it.
                    BadCase {"HugeClaimedSize",
                             header(0xFFFFFFFFu)
                                 + "\xFF"
                                   "abcdefgh"}),
    [](const testing::TestParamInfo<BadCase> &test) { return test.param.name; });

TEST(SzddExpand, EveryTruncationOfAValidFileFails)
{
    const std::string packed = szddCompress(prose(3000, 6) + randomBytes(500, 7));
    for (std::size_t length = 0; length < packed.size(); ++length) {
        EXPECT_FALSE(szddExpand(std::string_view(packed).substr(0, length)).ok())
            << "length " << length;
    }
}

TEST(SzddExpand, RandomDamageGivesFailureOrBoundedOutput)
{
    const std::string original = szddCompress(prose(4000, 8));
    std::mt19937 engine(9);
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = original;
        const int flips = 1 + static_cast<int>(engine() % 8);
        for (int k = 0; k < flips; ++k) {
            // Spare the signature now and then, so the damage reaches the data too.
            const std::size_t at = 8 + engine() % (damaged.size() - 8);
            damaged[at] = static_cast<char>(damaged[at] ^ (1 << (engine() % 8)));
        }
        const auto result = szddExpand(damaged);
        if (result.ok()) {
            EXPECT_EQ(result->size(), headerSize(damaged)) << "round " << round;
        }
    }
}

// Cross-checks with the independent tools of Debian's mscompress package.
bool haveTool(const char *name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

struct ToolCase
{
    const char *name;
    std::string data;
};

class SzddWithDebianTools : public testing::TestWithParam<ToolCase>
{
protected:
    void SetUp() override
    {
        if (!haveTool("mscompress") || !haveTool("msexpand"))
            GTEST_SKIP() << "mscompress/msexpand are not installed";
    }
    TempDir m_dir;
};

TEST_P(SzddWithDebianTools, OurOutputExpandsWithMsexpand)
{
    const std::string packed = m_dir.make("data.sz", szddCompress(GetParam().data));
    const std::string out = m_dir.file("data.out");
    ASSERT_EQ(std::system(("msexpand < '" + packed + "' > '" + out + "'").c_str()), 0);
    EXPECT_TRUE(TempDir::read(out) == GetParam().data);
}

TEST_P(SzddWithDebianTools, MscompressOutputExpandsWithOurs)
{
    const std::string plain = m_dir.make("data.txt", GetParam().data);
    // mscompress writes "NAME_" beside the input.
    ASSERT_EQ(std::system(("mscompress '" + plain + "' >/dev/null 2>&1").c_str()), 0);
    const auto result = szddExpand(TempDir::read(plain + "_"));
    ASSERT_TRUE(result.ok()) << result.message();
    EXPECT_TRUE(*result == GetParam().data);
}

// mscompress mishandles inputs of fewer than two bytes (it writes a NUL instead of the byte),
// so the tool cases start at a few bytes.
INSTANTIATE_TEST_SUITE_P(Inputs, SzddWithDebianTools,
                         testing::Values(ToolCase {"ShortText", "hello world hello world\n"},
                                         ToolCase {"AllByteValues", allByteValues()},
                                         ToolCase {"LongRun", std::string(30000, 'z')},
                                         ToolCase {"Spaces", std::string(10000, ' ')},
                                         ToolCase {"Prose100K", prose(100 * 1024, 10)},
                                         ToolCase {"Random20K", randomBytes(20000, 11)},
                                         ToolCase {"Period4096", periodic(4096, 30000)}),
                         [](const testing::TestParamInfo<ToolCase> &test) {
                             return test.param.name;
                         });

class ExpandCompressedFile : public testing::Test
{
protected:
    TempDir m_dir;
};

TEST_F(ExpandCompressedFile, KeepsTheSourceWhenNotAskedToDelete)
{
    const std::string source = m_dir.make("help.sz", szddCompress("<html>pomoc</html>"));
    const std::string target = m_dir.file("help.html");
    ASSERT_TRUE(expandCompressedFile(source, target, false));
    EXPECT_EQ(TempDir::read(target), "<html>pomoc</html>");
    EXPECT_TRUE(std::filesystem::exists(source));
}

TEST_F(ExpandCompressedFile, DeletesTheSourceWhenAsked)
{
    const std::string source = m_dir.make("help.sz", szddCompress("<html>pomoc</html>"));
    const std::string target = m_dir.file("help.html");
    ASSERT_TRUE(expandCompressedFile(source, target, true));
    EXPECT_EQ(TempDir::read(target), "<html>pomoc</html>");
    EXPECT_FALSE(std::filesystem::exists(source));
}

TEST_F(ExpandCompressedFile, ReplacesAnExistingDestination)
{
    const std::string source = m_dir.make("help.sz", szddCompress("new"));
    const std::string target = m_dir.make("help.html", "old and longer");
    ASSERT_TRUE(expandCompressedFile(source, target, false));
    EXPECT_EQ(TempDir::read(target), "new");
}

TEST_F(ExpandCompressedFile, CopiesAnUncompressedSource)
{
    const std::string source = m_dir.make("plain.html", "not compressed");
    const std::string target = m_dir.file("out.html");
    ASSERT_TRUE(expandCompressedFile(source, target, false));
    EXPECT_EQ(TempDir::read(target), "not compressed");
}

TEST_F(ExpandCompressedFile, CorruptSourceFailsAndKeepsEverything)
{
    std::string packed = szddCompress(prose(2000, 12));
    packed.resize(packed.size() / 2);
    const std::string source = m_dir.make("help.sz", packed);
    const std::string target = m_dir.make("help.html", "previous page");
    EXPECT_FALSE(expandCompressedFile(source, target, true));
    EXPECT_TRUE(std::filesystem::exists(source));
    EXPECT_EQ(TempDir::read(target), "previous page");
}

TEST_F(ExpandCompressedFile, MissingSourceOrUnwritableDestinationFails)
{
    EXPECT_FALSE(expandCompressedFile(m_dir.file("missing.sz"), m_dir.file("out"), false));
    const std::string source = m_dir.make("help.sz", szddCompress("x"));
    EXPECT_FALSE(expandCompressedFile(source, m_dir.file("no/such/folder/out"), true));
    EXPECT_TRUE(std::filesystem::exists(source));
}

// The build's packing tool, run as the build runs it.
TEST(SzddTool, CompressesItsInputIntoItsOutput)
{
    const std::string tool = std::string(QUOREL_BINARY_DIR) + "/src/core/util/quorel-szdd";
    if (!std::filesystem::exists(tool))
        GTEST_SKIP() << "quorel-szdd is not built";
    TempDir dir;
    const std::string text = prose(20000, 13);
    const std::string in = dir.make("help.html", text);
    const std::string out = dir.file("help.sz");
    ASSERT_EQ(std::system(("'" + tool + "' '" + in + "' '" + out + "'").c_str()), 0);
    const auto result = szddExpand(TempDir::read(out));
    ASSERT_TRUE(result.ok()) << result.message();
    EXPECT_TRUE(*result == text);

    EXPECT_NE(
        std::system(
            ("'" + tool + "' '" + dir.file("missing") + "' '" + out + "' 2>/dev/null").c_str()),
        0);
    EXPECT_NE(std::system(("'" + tool + "' 2>/dev/null").c_str()), 0);
}

} // namespace
} // namespace quorel
