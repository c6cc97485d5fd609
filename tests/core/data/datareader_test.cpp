#include "core/data/datareader.h"

#include "core/data/lineclassifier.h"
#include "core/diagram/diagramstyle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <stdlib.h>
#include <unistd.h>

using namespace quorel;

namespace {

const std::string dashes(38, '-');

std::vector<std::string> lines(std::initializer_list<std::string> list)
{
    return list;
}

std::string numberedLines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += std::to_string(i) + "\r\n";
    return text;
}

struct Read
{
    DataReader reader {'.'};
    DiagramStyle style = DiagramStyle::firstRun();
    ReadProgress progress;
    SaveNames names; // as the window keeps them from read to read

    // The read stops before line `line` (0: never).
    void stopAt(std::size_t line)
    {
        if (line > 0)
            progress.stopBeforeLine(line);
    }
    void bytes(std::string_view data, const std::string &path = "/data/joints.qrl",
               bool random = false)
    {
        reader.loadBytes(path, data, style, &progress, random);
        names = saveNamesAfterRead(names, path, random, !reader.measurements().empty());
    }
};

TEST(ReadReport, EmptyFile)
{
    Read read;
    read.bytes("");
    EXPECT_EQ(read.reader.errorReportLines(),
              lines({"File: /data/joints.qrl", dashes, "No errors."}));
    EXPECT_EQ(englishStatusText(read.reader.summary().status), "OK");
    EXPECT_EQ(read.reader.summary().statusColor, clWindowText);
    EXPECT_EQ(read.reader.summary().lineCount, 0u);
    EXPECT_TRUE(read.reader.measurements().empty());
    EXPECT_EQ(read.names.image, "quorel.wmf");
    EXPECT_EQ(read.progress.line(), 0u);
}

TEST(ReadReport, CommentsAndParametersOnly)
{
    Read read;
    read.bytes("# joints\n;DescText=Quarry\n// more\n; DiagWidth=300\n;just a remark\n\n");
    EXPECT_EQ(read.reader.errorReportLines(),
              lines({"File: /data/joints.qrl", dashes, "No errors."}));
    EXPECT_TRUE(read.reader.measurements().empty());
    EXPECT_EQ(read.style.descriptionText, "Quarry");
    EXPECT_EQ(read.style.diagramSize, "300");
    EXPECT_EQ(read.names.image, "quorel.wmf");
}

TEST(ReadReport, InvalidLinesAsTheErrorsWindowShowsThem)
{
    Read read;
    read.bytes("10\n20\nabc\n30\n40\n50\n60\n70\n12x\n80\n");
    EXPECT_EQ(read.reader.errorReportLines(),
              lines({"File: /data/joints.qrl", dashes, "Invalid data in line: 3",
                     "\"abc\" is not a number !", "", "Invalid data in line: 9",
                     "\"12x\" is not a number !", "", dashes, "Errors: 2",
                     "Correct data and try again."}));
    EXPECT_EQ(read.reader.errorReport().invalidLines, std::vector<std::size_t>({3, 9}));
    EXPECT_EQ(read.reader.summary().errorCount, 2u);
    EXPECT_EQ(englishStatusText(read.reader.summary().status),
              "Ready, but error occured ! Press F12 !");
    EXPECT_EQ(read.reader.summary().statusColor, rgbColor(128, 0, 0));
    EXPECT_EQ(read.reader.measurements().size(), 8u);
}

TEST(ReadReport, EveryLineInvalid)
{
    Read read;
    read.bytes("a\nb 5\n/7\n");
    EXPECT_EQ(
        read.reader.errorReportLines(),
        lines({"File: /data/joints.qrl", dashes, "Invalid data in line: 1",
               "\"a\" is not a number !", "", "Invalid data in line: 2", "\"b\" is not a number !",
               "", "Invalid data in line: 3", "\"\" is not a number !", "", dashes, "Errors: 3",
               "Correct data and try again."}));
    EXPECT_TRUE(read.reader.measurements().empty());
    EXPECT_EQ(read.reader.sectors().maxCount, 0);
    EXPECT_EQ(read.names.image, "quorel.wmf");
}

TEST(ReadReport, LineNumbersCountEveryLineAndTheQuoteIsTheReplacedField)
{
    Read read;
    read.bytes("\n# c\n;DescX=1\n1.2.3 4\n", "f.txt");
    read.reader.setDecimalSeparator(',');
    read.bytes("\n# c\n;DescX=1\n1.2.3 4\n", "f.txt");
    EXPECT_EQ(read.reader.errorReportLines()[2], "Invalid data in line: 4");
    EXPECT_EQ(read.reader.errorReportLines()[3], "\"1,2.3\" is not a number !");
}

// Cancel at a line: what was read before it is kept and binned.
struct CancelCase
{
    const char *name;
    std::string data;
    std::size_t stopAt;
    std::vector<std::string> reportTail;
    std::size_t measurements;
};

const CancelCase cancelCases[] = {
    {"FiftyOfTwoHundred",
     numberedLines(200),
     50,
     {"Operation cancelled by user !", "No errors.", "WARNING! Processed lines: 49 from 200."},
     49},
    {"FirstLine",
     numberedLines(10),
     1,
     {"Operation cancelled by user !", "No errors.", "WARNING! Processed lines: 0 from 10."},
     0},
    {"LastLine",
     numberedLines(3),
     3,
     {"Operation cancelled by user !", "No errors.", "WARNING! Processed lines: 2 from 3."},
     2},
    {"WithErrors",
     "1\nx\n2\ny\n3\n",
     5,
     {dashes, "Operation cancelled by user !", "Errors: 2", "WARNING! Processed lines: 4 from 5."},
     2},
};

class ReadCancel : public testing::TestWithParam<CancelCase>
{ };

TEST_P(ReadCancel, StopsBeforeTheLineAndKeepsWhatWasRead)
{
    const CancelCase &c = GetParam();
    Read read;
    read.stopAt(c.stopAt);
    read.bytes(c.data);
    const std::vector<std::string> report = read.reader.errorReportLines();
    ASSERT_GE(report.size(), c.reportTail.size());
    EXPECT_EQ(std::vector<std::string>(report.end() - static_cast<long>(c.reportTail.size()),
                                       report.end()),
              c.reportTail);
    EXPECT_TRUE(read.reader.summary().cancelled);
    EXPECT_EQ(read.reader.summary().processedLines, c.stopAt - 1);
    EXPECT_EQ(englishStatusText(read.reader.summary().status),
              "Operation cancelled by user ! Press F12 !");
    EXPECT_EQ(read.reader.summary().statusColor, rgbColor(0, 128, 0));
    EXPECT_EQ(read.reader.measurements().size(), c.measurements);
    int binned = 0;
    for (int sector = 1; sector <= sectorCount; ++sector)
        binned += read.reader.sectors().count(sector);
    EXPECT_EQ(binned, static_cast<int>(c.measurements));
}

INSTANTIATE_TEST_SUITE_P(Lines, ReadCancel, testing::ValuesIn(cancelCases),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(ReadCancel, ParametersAfterTheStopAreNotApplied)
{
    Read read;
    read.stopAt(3);
    read.bytes(";DescText=one\n5\n;DescText=two\n");
    EXPECT_EQ(read.style.descriptionText, "one");
}

TEST(ReadRandomGraph, ReplacesReportTitlesAndNames)
{
    Read read;
    read.bytes("10\nbad\n20\n", "/tmp/__QUOREL_RANDOM_GRAPH__.qrl", true);
    EXPECT_EQ(read.reader.errorReportLines(), lines({"RANDOM GRAPH"}));
    const ReadTitles titles = readTitles("/tmp/__QUOREL_RANDOM_GRAPH__.qrl", true);
    EXPECT_EQ(titles.caption, "Quorel - RANDOM GRAPH");
    EXPECT_EQ(titles.appTitle, "RANDOM GRAPH - Quorel");
    EXPECT_EQ(englishStatusText(read.reader.summary().status), "OK");
    EXPECT_EQ(read.reader.summary().statusColor, rgbColor(0, 0, 255));
    EXPECT_EQ(read.names.image, "RANDOM GRAPH.wmf");
    EXPECT_EQ(read.names.html, "RANDOM GRAPH.html");
}

TEST(ReadRandomGraph, CancelledStillEndsBlue)
{
    Read read;
    read.stopAt(2);
    read.bytes("10\n20\n", "r.qrl", true);
    EXPECT_EQ(read.reader.errorReportLines(), lines({"RANDOM GRAPH"}));
    EXPECT_EQ(read.reader.summary().statusColor, rgbColor(0, 0, 255));
}

TEST(ReadProgressFigures, FollowTheLoad)
{
    Read read;
    read.bytes("10\n20\n", "/data/a.qrl");
    EXPECT_EQ(read.progress.phase(), ReadProgress::Phase::Done);
    EXPECT_EQ(read.progress.lineCount(), 2u);
    EXPECT_EQ(englishStatusText(analyzingStatus().status), "Analyzing... Please wait...");
    EXPECT_EQ(analyzingStatus().color, clWindowText);
    EXPECT_EQ(englishStatusText(read.reader.summary().status), "OK");
    EXPECT_EQ(read.progress.line(), 2u);
}

TEST(ReadTitles, CaptionHasTheFullPathAndAppTitleTheBareName)
{
    ReadTitles titles = readTitles("/data/x/../joints.qrl", false);
    EXPECT_EQ(titles.caption, "Quorel - /data/joints.qrl");
    EXPECT_EQ(titles.appTitle, "joints.qrl - Quorel");
    titles = readTitles("rel.txt", false);
    EXPECT_EQ(titles.caption, "Quorel - " + (std::filesystem::current_path() / "rel.txt").string());
    EXPECT_EQ(titles.appTitle, "rel.txt - Quorel");
}

struct SaveNameCase
{
    const char *name;
    const char *path;
    const char *image;
    const char *html;
};

const SaveNameCase saveNameCases[] = {
    {"Extension", "/data/joints.qrl", "joints.wmf", "joints.html"},
    {"NoExtension", "/data/joints", "joints.wmf", "joints.html"},
    {"TwoDots", "/data/a.b.txt", "a.b.wmf", "a.b.html"},
    {"DotInFolderOnly", "/data.d/joints", "joints.wmf", "joints.html"},
    {"Relative", "joints.dat", "joints.wmf", "joints.html"},
};

class ReadSaveNames : public testing::TestWithParam<SaveNameCase>
{ };

TEST_P(ReadSaveNames, FollowTheFileName)
{
    Read read;
    read.bytes("12\n", GetParam().path);
    EXPECT_EQ(read.names.image, GetParam().image);
    EXPECT_EQ(read.names.html, GetParam().html);
}

INSTANTIATE_TEST_SUITE_P(Paths, ReadSaveNames, testing::ValuesIn(saveNameCases),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(ReadSaveNames, ReadWithoutMeasurementsKeepsTheHtmlName)
{
    Read read;
    read.bytes("12\n", "/data/first.qrl");
    read.bytes("# nothing\n", "/data/second.qrl");
    EXPECT_EQ(read.names.image, "quorel.wmf");
    EXPECT_EQ(read.names.html, "first.html");
}

TEST(ReadMeasurements, StoredTextsAndBinning)
{
    Read read;
    read.bytes("12\r\n15 /30 dip\r\n19.2\t45\r\n400\r\n370.50004\r\n-0.00001\r\n45,5 30\r\n");
    EXPECT_EQ(read.reader.measurements().texts().toVector(),
              lines({"12", "15 ", "19.2", "40.0000", "10.5000", "360.0000", "45.5"}));
    const SectorArrays &sectors = read.reader.sectors();
    EXPECT_EQ(sectors.list(2), "12; 15 ; 19.2");
    // 370.50004 is kept as 10.5000, which rounds to 10 (halves to even): sector 1.
    EXPECT_EQ(sectors.list(1), "10.5000");
    EXPECT_EQ(sectors.list(4), "40.0000");
    EXPECT_EQ(sectors.list(36), "360.0000");
    EXPECT_EQ(sectors.list(5), "45.5");
    EXPECT_EQ(sectors.maxCount, 3);
}

TEST(ReadMeasurements, HalvesRoundToEven)
{
    Read read;
    read.bytes("10.5\n11.5\n0.5\n20,50 x\n350.5\t1\n");
    EXPECT_EQ(read.reader.sectors().list(1), "10.5; 0.5");
    EXPECT_EQ(read.reader.sectors().list(2), "11.5; 20.50");
    EXPECT_EQ(read.reader.sectors().list(35), "350.5");
}

TEST(ReadMeasurements, DecimalCommaLocale)
{
    Read read;
    read.reader.setDecimalSeparator(',');
    read.bytes("12.5\n13,5\n400.25\n");
    EXPECT_EQ(read.reader.measurements().texts().toVector(), lines({"12,5", "13,5", "40,2500"}));
}

TEST(ReadMeasurements, TextEndsAtTheFirstNul)
{
    Read read;
    read.bytes(std::string("10\n20\n\0"
                           "30\n40\n",
                           12));
    EXPECT_EQ(read.reader.summary().lineCount, 2u);
    EXPECT_EQ(read.reader.measurements().size(), 2u);
}

TEST(ReadMeasurements, ASecondReadStartsAfresh)
{
    Read read;
    read.bytes("10\nbad\n");
    read.bytes("200\n", "/data/other.qrl");
    EXPECT_EQ(read.reader.measurements().texts().toVector(), lines({"200"}));
    EXPECT_EQ(read.reader.errorReportLines(),
              lines({"File: /data/other.qrl", dashes, "No errors."}));
    EXPECT_EQ(read.reader.sectors().count(1), 0);
    EXPECT_EQ(read.reader.sectors().count(20), 1);
}

TEST(ReadMeasurements, ReadWithoutMeasurementsEmptiesTheSectorsButKeepsTheMaximum)
{
    Read read;
    read.bytes("10\n11\n12\n");
    read.bytes("bad\n");
    EXPECT_EQ(read.reader.sectors().count(2), 0);
    EXPECT_EQ(read.reader.sectors().list(2), "");
    EXPECT_EQ(read.reader.sectors().maxCount, 2);
}

TEST(ReadParameters, AnywhereAndTheLastWins)
{
    Read read;
    read.bytes(";MLinesStyle=9\n10\n;DescText=first\n20\n;descText=last\n;BgColor=clWhite\n"
               ";DescX =15\n;Author=someone\n;VERSION=2.0\n");
    EXPECT_EQ(read.style.mainLineStyle, noSelection);
    EXPECT_EQ(read.style.mainPen(), PenPattern::Solid);
    EXPECT_EQ(read.style.descriptionText, "last");
    EXPECT_EQ(read.style.backgroundColor, clWhite);
    EXPECT_EQ(read.style.descriptionX, "0");
    EXPECT_EQ(read.reader.measurements().size(), 2u);
}

TEST(ReadParameters, NamesMissingFromTheFileKeepTheirSettings)
{
    Read read;
    read.style.descriptionText = "kept";
    read.style.diagramSize = "333";
    read.bytes(";DescFontBold=yes\n10\n");
    EXPECT_EQ(read.style.descriptionText, "kept");
    EXPECT_EQ(read.style.diagramSize, "333");
    EXPECT_TRUE(read.style.descriptionBold);
}

TEST(ReadParameters, AxialOnlyWhereTheFileSaysSo)
{
    Read read;
    read.bytes("10\n;Axial=1\n");
    EXPECT_TRUE(read.style.axial);
    // The next file, without the line, holds directions.
    read.bytes("10\n;DescText=x\n");
    EXPECT_FALSE(read.style.axial);
}

// Files on disk.
class TempFile
{
public:
    explicit TempFile(std::string_view bytes)
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quorel-reader-XXXXXX").string();
        const int fd = mkstemp(pattern.data());
        EXPECT_GE(fd, 0);
        ::close(fd);
        m_path = pattern;
        std::ofstream(m_path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ~TempFile() { std::remove(m_path.c_str()); }
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

TEST(ReadFile, ReadsFromDisk)
{
    TempFile file("10\n20\n25\n");
    Read read;
    ASSERT_TRUE(read.reader.load(file.path(), read.style, &read.progress).ok());
    EXPECT_EQ(read.reader.measurements().size(), 3u);
    EXPECT_EQ(read.reader.sectors().count(3), 1);
}

TEST(ReadFile, MissingFileFailsWithTheSystemMessageAndKeepsTheOldSectors)
{
    Read read;
    read.bytes("10\n11\n");
    const Status status = read.reader.load("/nonexistent/joints.qrl", read.style, &read.progress);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("/nonexistent/joints.qrl"), std::string::npos);
    EXPECT_NE(status.message().find("No such file or directory"), std::string::npos);
    EXPECT_EQ(read.reader.errorReportLines(), lines({"File: /nonexistent/joints.qrl", dashes}));
    EXPECT_TRUE(read.reader.measurements().empty());
    EXPECT_EQ(read.reader.sectors().count(1), 1);
    EXPECT_EQ(read.reader.sectors().count(2), 1);
    EXPECT_EQ(read.progress.phase(), ReadProgress::Phase::Done);
}

TEST(ReadFile, HugeSparseFileEndingAtItsFirstNul)
{
    // 64 GiB on disk in name only: room for its texts cannot be reserved on most machines,
    // which must not stop the read; its text ends at the first NUL, after two lines.
    TempFile file("10\n20\n");
    ASSERT_EQ(::truncate(file.path().c_str(), off_t(64) << 30), 0);
    Read read;
    ASSERT_TRUE(read.reader.load(file.path(), read.style, &read.progress).ok());
    EXPECT_EQ(read.reader.measurements().size(), 2u);
    EXPECT_EQ(read.reader.summary().lineCount, 2u);
}

TEST(ReadFile, FolderFails)
{
    Read read;
    EXPECT_FALSE(
        read.reader.load(std::filesystem::temp_directory_path().string(), read.style).ok());
}

// A file that is not text (UTF-16, a binary) ends at its first NUL: after the lines before it,
// the report says where, and the read ends as one with errors, whatever the blocks it is read in.
TEST(ReadReport, FileThatIsNotTextIsSaidSo)
{
    struct Case
    {
        const char *name;
        std::string bytes;
        std::size_t invalidLines;
        std::size_t offset;
    };
    const Case cases[] = {
        {"UTF-16 with its byte-order mark",
         std::string("\xFF\xFE"
                     "1\0"
                     "0\0\r\0\n\0",
                     10),
         1, 3},
        {"NUL after two lines",
         std::string("10\r\n20\r\n\0"
                     "30\r\n",
                     12),
         0, 8},
        {"NUL first",
         std::string("\0"
                     "10\n",
                     4),
         0, 0},
    };
    for (const Case &c : cases) {
        TempFile file(c.bytes);
        for (const std::size_t blockSize : {std::size_t(1), std::size_t(3), std::size_t(4096)}) {
            Read read;
            read.reader.setBlockSize(blockSize);
            ASSERT_TRUE(read.reader.load(file.path(), read.style, &read.progress).ok());
            const ReadSummary &summary = read.reader.summary();
            SCOPED_TRACE(std::string(c.name) + ", blocks of " + std::to_string(blockSize));
            EXPECT_EQ(summary.nulOffset, c.offset);
            EXPECT_EQ(summary.errorCount, c.invalidLines);
            EXPECT_EQ(englishStatusText(summary.status), "Ready, but error occured ! Press F12 !");
            const std::vector<std::string> report = read.reader.errorReportLines();
            const std::vector<std::string> tail = {"Not a text file: NUL byte at offset "
                                                       + std::to_string(c.offset),
                                                   "The lines after it were not read !",
                                                   "",
                                                   dashes,
                                                   "Errors: " + std::to_string(c.invalidLines),
                                                   "Correct data and try again."};
            ASSERT_EQ(report.size(), 2 + 3 * c.invalidLines + tail.size());
            EXPECT_EQ(std::vector<std::string>(report.end() - 6, report.end()), tail);
        }
    }
}

// A file read in blocks of any size gives what its bytes give read at once: no line is split
// or joined at a block's edge, a CR LF across an edge stays one line end, and the text still
// ends at the first NUL.
struct BlockCase
{
    const char *name;
    std::string bytes;
};

const BlockCase blockCases[] = {
    {"LfEnds", "10\n20\nbad\n30"},
    {"CrLfEnds", "10\r\n20\r\nbad\r\n\r\n30\r\n"},
    {"CrOnlyEnds", "10\r20\r\rbad\r30\r"},
    {"MixedEnds", "10\n\r20\r\n\r\nbad\r\r\n30\n"},
    {"NulInTheMiddle", std::string("10\r\n20\r\0\n30\n", 11)},
    {"LongLines",
     std::string(40, ' ') + "12 " + std::string(50, 'x') + "\r\n" + std::string(90, '7')
         + "\r\n;DescText=" + std::string(30, 'd') + "\r\n"},
    {"ParametersAndComments", "# c\r\n;DescX=5\r\n45,5 30\r\n400\r\n//x\r\n;DescX=7"},
    {"OnlyLineEnds", "\r\n\r\n\n\r\r"},
};

class ReadBlocks : public testing::TestWithParam<std::tuple<BlockCase, std::size_t, bool>>
{ };

TEST_P(ReadBlocks, GiveWhatTheBytesGive)
{
    const auto &[c, blockSize, withProgress] = GetParam();
    TempFile file(c.bytes);

    Read whole;
    whole.reader.loadBytes(file.path(), c.bytes, whole.style,
                           withProgress ? &whole.progress : nullptr);

    Read blocks;
    blocks.reader.setBlockSize(blockSize);
    ASSERT_TRUE(
        blocks.reader.load(file.path(), blocks.style, withProgress ? &blocks.progress : nullptr)
            .ok());

    EXPECT_EQ(blocks.reader.measurements().texts(), whole.reader.measurements().texts());
    EXPECT_EQ(blocks.reader.measurements().sectors(), whole.reader.measurements().sectors());
    EXPECT_EQ(blocks.reader.errorReportLines(), whole.reader.errorReportLines());
    EXPECT_EQ(blocks.reader.sectors(), whole.reader.sectors());
    EXPECT_EQ(blocks.reader.summary().lineCount, whole.reader.summary().lineCount);
    EXPECT_EQ(blocks.reader.summary().processedLines, whole.reader.summary().processedLines);
    EXPECT_EQ(blocks.reader.summary().nulOffset, whole.reader.summary().nulOffset);
    EXPECT_EQ(blocks.style, whole.style);
    if (withProgress) {
        EXPECT_EQ(blocks.progress.lineCount(), whole.progress.lineCount());
        EXPECT_EQ(blocks.progress.line(), whole.reader.summary().lineCount);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReadBlocks,
                         testing::Combine(testing::ValuesIn(blockCases),
                                          testing::Values(1, 2, 3, 7, 4096), testing::Bool()),
                         [](const auto &test) {
                             return std::string(std::get<0>(test.param).name) + "_"
                                 + std::to_string(std::get<1>(test.param))
                                 + (std::get<2>(test.param) ? "_Observed" : "_Batch");
                         });

// The window's side of a read: another thread follows the progress and stops it, in the count
// or among the lines, on one thread or several; the read ends where the stop fell, whole.
TEST(ReadCancel, StopFromAnotherThreadWhileTheFileIsRead)
{
    TempFile file(numberedLines(200000));
    for (const bool duringCount : {true, false}) {
        for (const std::size_t threads : {std::size_t(1), std::size_t(3)}) {
            Read read;
            read.reader.setBlockSize(4096);
            read.reader.setThreadPolicy(ThreadPolicy::fixed(threads, 1024));
            if (duringCount)
                read.progress.holdBeforeLine(0);
            std::thread window([&read, duringCount] {
                if (!duringCount) {
                    while (read.progress.line() < 1000)
                        std::this_thread::yield();
                }
                read.progress.requestStop();
            });
            ASSERT_TRUE(read.reader.load(file.path(), read.style, &read.progress).ok());
            window.join();
            const ReadSummary &summary = read.reader.summary();
            EXPECT_TRUE(summary.cancelled);
            EXPECT_EQ(read.reader.measurements().size(), summary.processedLines);
            if (duringCount)
                EXPECT_EQ(summary.processedLines, 0u);
            else
                EXPECT_GE(summary.processedLines, 999u);
            EXPECT_LT(summary.processedLines, 200000u);
            EXPECT_EQ(read.progress.phase(), ReadProgress::Phase::Done);
        }
    }
}

TEST(ReadBlocks, CancelInASecondBlockCountsLinesAcrossBlocks)
{
    TempFile file(numberedLines(200));
    Read read;
    read.reader.setBlockSize(64);
    read.stopAt(50);
    ASSERT_TRUE(read.reader.load(file.path(), read.style, &read.progress).ok());
    EXPECT_EQ(read.reader.errorReportLines().back(), "WARNING! Processed lines: 49 from 200.");
    EXPECT_EQ(read.reader.measurements().size(), 49u);
    EXPECT_EQ(read.reader.measurements().at(48), "49");
}

TEST(ReadRandomBytes, KeepTheReportAndTheCountsConsistent)
{
    // Random files of the bytes the format cares about: whatever they hold, every line is
    // either stored, reported or skipped, and the sectors hold exactly the stored texts.
    const std::string alphabet = std::string("0123456789.,;=/\\#\t -eE\r\n\n\rabc\xB3", 30) + '\0';
    std::mt19937 random(11);
    std::uniform_int_distribution<std::size_t> length(0, 300);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        for (std::size_t n = length(random); n > 0; --n)
            bytes += alphabet[pick(random)];
        Read read;
        read.reader.setDecimalSeparator(round % 2 ? ',' : '.');
        read.bytes(bytes);
        const ReadSummary &summary = read.reader.summary();
        const std::size_t stored = read.reader.measurements().size();
        ASSERT_EQ(summary.lineCount, countLines(bytes)) << bytes;
        ASSERT_EQ(summary.processedLines, summary.lineCount);
        ASSERT_LE(stored + summary.errorCount, summary.lineCount);
        // "File: ", dashes, three lines per invalid line and for a NUL that ends the text, then
        // the summary rows.
        const std::size_t nul = bytes.find('\0');
        ASSERT_EQ(summary.nulOffset.value_or(std::string::npos), nul) << bytes;
        const bool notText = nul != std::string::npos;
        const std::size_t expectedLines = 2 + 3 * summary.errorCount + (notText ? 3 : 0)
            + (summary.errorCount || notText ? 3 : 1);
        ASSERT_EQ(read.reader.errorReportLines().size(), expectedLines) << bytes;
        if (summary.errorCount > 0) {
            ASSERT_EQ(read.reader.errorReportLines()[2],
                      "Invalid data in line: " + std::to_string(summary.firstInvalidLine));
        }
        std::int32_t binned = 0;
        for (int sector = 1; sector <= sectorCount; ++sector)
            binned += read.reader.sectors().count(sector);
        ASSERT_EQ(static_cast<std::size_t>(binned), stored) << bytes;
    }
}

// Files whose lines are read on several threads: every kind of line and line end, parameter
// lines that a later one overrides, long and invalid lines, in random order.
std::string mixedFile(std::mt19937 &random, int lineCount)
{
    const std::vector<std::string> kinds = {"123.4\t56",
                                            "7",
                                            "359.9 10",
                                            "360",
                                            "0",
                                            "12,5",
                                            "400",
                                            "-30.25",
                                            "1e2",
                                            "bad",
                                            "12x",
                                            "",
                                            "   ",
                                            "# note",
                                            "// note",
                                            ";Comment",
                                            ";DescX=3",
                                            ";DescX=9",
                                            ";DiagWidth=300",
                                            ";MLinesColor=clRed",
                                            ";FillStyle=2",
                                            std::string(300, '8'),
                                            "  45 ; 5",
                                            "10;20",
                                            "5.5.5"};
    const std::vector<std::string> ends = {"\n", "\r\n", "\r"};
    std::uniform_int_distribution<std::size_t> kind(0, kinds.size() - 1);
    std::uniform_int_distribution<std::size_t> end(0, 9);
    std::string text;
    for (int i = 0; i < lineCount; ++i) {
        const std::size_t e = end(random);
        text += kinds[kind(random)] + ends[e < 7 ? 0 : e < 9 ? 1 : 2];
    }
    return text;
}

struct ThreadCase
{
    const char *name;
    unsigned threads;
    std::size_t minimumPart;
    std::size_t blockSize;
};

const ThreadCase threadCases[] = {
    {"TwoThreadsTinyParts", 2, 1, 4096},
    {"ThreeThreadsSmallBlocks", 3, 7, 700},
    {"EightThreads", 8, 16, 1 << 20},
    {"EightThreadsPiecesOfALine", 8, 1, 1 << 20},
};

class ReadThreads : public testing::TestWithParam<ThreadCase>
{ };

// Cutting blocks into parts read at once changes nothing a read gives: the stored texts and
// sectors, the numbering of the report, the style the parameter lines leave, the progress
// figures and the figures; also when the read is stopped the read inside a later part.
TEST_P(ReadThreads, GiveWhatALineByLineReadGives)
{
    const ThreadCase &c = GetParam();
    std::mt19937 random(5);
    for (int round = 0; round < 28; ++round) {
        const std::string bytes = mixedFile(random, 1 + round * 41);
        TempFile file(bytes);
        const bool observed = round % 2 == 1;
        const std::size_t lineCount = countLines(bytes);
        const std::size_t stopAt =
            round % 4 == 3 ? 1 + lineCount * static_cast<std::size_t>(round % 7) / 7 : 0;
        const char separator = round % 3 == 0 ? ',' : '.';

        Read single;
        single.reader.setDecimalSeparator(separator);
        single.reader.setThreadPolicy(ThreadPolicy::fixed(1));
        single.stopAt(stopAt);
        ASSERT_TRUE(
            single.reader.load(file.path(), single.style, observed ? &single.progress : nullptr));

        Read parts;
        parts.reader.setDecimalSeparator(separator);
        parts.reader.setThreadPolicy(ThreadPolicy::fixed(c.threads, c.minimumPart));
        parts.reader.setBlockSize(c.blockSize);
        parts.stopAt(stopAt);
        ASSERT_TRUE(
            parts.reader.load(file.path(), parts.style, observed ? &parts.progress : nullptr));

        SCOPED_TRACE("round " + std::to_string(round));
        EXPECT_EQ(parts.reader.measurements().texts(), single.reader.measurements().texts());
        EXPECT_EQ(parts.reader.measurements().sectors(), single.reader.measurements().sectors());
        EXPECT_EQ(parts.reader.measurements().directions(),
                  single.reader.measurements().directions());
        for (int sector = 1; sector <= sectorCount; ++sector)
            EXPECT_EQ(parts.reader.measurements().sectorTextBytes(sector),
                      single.reader.measurements().sectorTextBytes(sector));
        EXPECT_EQ(parts.reader.errorReportLines(), single.reader.errorReportLines());
        EXPECT_EQ(parts.reader.sectors(), single.reader.sectors());
        EXPECT_EQ(parts.style, single.style);
        EXPECT_EQ(parts.reader.summary().processedLines, single.reader.summary().processedLines);
        EXPECT_EQ(parts.reader.summary().errorCount, single.reader.summary().errorCount);
        EXPECT_EQ(parts.reader.summary().firstInvalidLine,
                  single.reader.summary().firstInvalidLine);
        EXPECT_EQ(parts.reader.summary().cancelled, single.reader.summary().cancelled);
        EXPECT_EQ(parts.progress.lineCount(), single.progress.lineCount());
        EXPECT_EQ(parts.progress.line(), single.progress.line());
        // Every stored text is found again through the joined list's checkpoints.
        const MeasurementStore &store = parts.reader.measurements();
        std::size_t index = 0;
        store.texts().forEach([&](std::string_view text) { EXPECT_EQ(store.at(index++), text); });

        // The same bytes in hand, read as one region.
        Read inHand;
        inHand.reader.setDecimalSeparator(separator);
        inHand.reader.setThreadPolicy(ThreadPolicy::fixed(c.threads, c.minimumPart));
        inHand.stopAt(stopAt);
        inHand.reader.loadBytes(file.path(), bytes, inHand.style,
                                observed ? &inHand.progress : nullptr);
        EXPECT_EQ(inHand.reader.measurements().texts(), single.reader.measurements().texts());
        EXPECT_EQ(inHand.reader.errorReportLines(), single.reader.errorReportLines());
        EXPECT_EQ(inHand.style, single.style);

        // A read that keeps only counts (what a render draws) counts what the others store.
        Read counts;
        counts.reader.setDecimalSeparator(separator);
        counts.reader.setThreadPolicy(ThreadPolicy::fixed(c.threads, c.minimumPart));
        counts.reader.setBlockSize(c.blockSize);
        counts.reader.setMeasurementsKept(false);
        counts.stopAt(stopAt);
        ASSERT_TRUE(
            counts.reader.load(file.path(), counts.style, observed ? &counts.progress : nullptr));
        EXPECT_EQ(counts.reader.measurements().size(), single.reader.measurements().size());
        EXPECT_TRUE(counts.reader.measurements().texts().empty());
        EXPECT_EQ(counts.reader.measurements().directions(),
                  single.reader.measurements().directions());
        EXPECT_EQ(counts.reader.sectors().counts, single.reader.sectors().counts);
        EXPECT_EQ(counts.reader.sectors().maxCount, single.reader.sectors().maxCount);
        EXPECT_EQ(counts.reader.errorReportLines(), single.reader.errorReportLines());
        EXPECT_EQ(counts.style, single.style);
        EXPECT_EQ(counts.reader.summary().processedLines, single.reader.summary().processedLines);
    }
}

INSTANTIATE_TEST_SUITE_P(Parts, ReadThreads, testing::ValuesIn(threadCases),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(ReadThreads, StopInALaterPartAppliesOnlyTheParametersBeforeIt)
{
    // Four parts of 25 lines; the read stops at line 80, inside the last part, after a
    // parameter line at 78 and before one at 90.
    std::string bytes;
    for (int line = 1; line <= 100; ++line) {
        if (line == 78)
            bytes += ";DescX=78\n";
        else if (line == 90)
            bytes += ";DescX=90\n";
        else
            bytes += std::to_string(100 + line) + "\n";
    }
    Read read;
    read.reader.setThreadPolicy(ThreadPolicy::fixed(4, bytes.size() / 4));
    read.stopAt(80);
    read.bytes(bytes);
    EXPECT_EQ(read.style.descriptionX, "78");
    EXPECT_EQ(read.reader.measurements().size(), 78u);
    EXPECT_EQ(read.reader.measurements().at(77), "179");
    EXPECT_EQ(read.reader.errorReportLines().back(), "WARNING! Processed lines: 79 from 100.");
}

TEST(ReadSectorLists, LeftEmptyWhenNotWantedWithTheSameCounts)
{
    const std::string bytes = "5\n15\n15.4\n355\n0\n360\nbad\n";
    Read lists;
    lists.bytes(bytes);
    Read counts;
    counts.reader.setSectorListsWanted(false);
    counts.bytes(bytes);
    EXPECT_EQ(counts.reader.sectors().counts, lists.reader.sectors().counts);
    EXPECT_EQ(counts.reader.sectors().maxCount, 2);
    EXPECT_EQ(lists.reader.sectors().list(2), "15; 15.4");
    for (int sector = 1; sector <= sectorCount; ++sector)
        EXPECT_TRUE(counts.reader.sectors().list(sector).empty());
}

TEST(ReportLines, EachInvalidLineShowsAsThreeLines)
{
    ReadSummary summary;
    summary.path = "x";
    summary.errorCount = 1;
    ErrorReport report;
    report.invalidLines.push_back(1);
    report.invalidTexts.append("a");
    EXPECT_EQ(englishReportLines(summary, report),
              lines({"File: x", dashes, "Invalid data in line: 1", "\"a\" is not a number !", "",
                     dashes, "Errors: 1", "Correct data and try again."}));
    summary.randomGraph = true;
    EXPECT_EQ(englishReportLines(summary, report), lines({"RANDOM GRAPH"}));
}

} // namespace
