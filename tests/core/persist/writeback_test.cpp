#include "core/persist/writeback.h"

#include "core/data/datareader.h"
#include "core/data/displayparameters.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quorel;
using quorel::test::readBytes;
using quorel::test::TempDir;
using quorel::test::writeBytes;

namespace {

// A style whose every value differs from the first-run one, so each written line is visible.
DiagramStyle sampleStyle()
{
    DiagramStyle style;
    style.descriptionText = "Joints";
    style.descriptionX = "15";
    style.descriptionY = "20";
    style.descriptionFontName = "Courier New";
    style.descriptionFontSize = "12";
    style.descriptionColor = clRed;
    style.descriptionBold = true;
    style.mainLineColor = clSilver;
    style.secondaryLineColor = clGray;
    style.mainLineStyle = 1;
    style.secondaryLineStyle = 3;
    style.fillColor = clBlue;
    style.fillStyle = 6;
    style.diagramSize = "500";
    style.labelColor = clWindowText;
    style.backgroundColor = clWindow;
    return style;
}

// The 20 lines the sample style appends to a file without parameter lines.
const std::string sampleBlock = ";DescText=Joints\r\n"
                                ";DescX=15\r\n"
                                ";DescY=20\r\n"
                                ";DescFontName=Courier New\r\n"
                                ";DescFontSize=12\r\n"
                                ";DescFontColor=255\r\n"
                                ";DescFontBold=True\r\n"
                                ";DescFontItalic=False\r\n"
                                ";DescFontUnderline=False\r\n"
                                ";MLinesColor=12632256\r\n"
                                ";SLinesColor=8421504\r\n"
                                ";MLinesStyle=1\r\n"
                                ";SLinesStyle=3\r\n"
                                ";FillColor=16711680\r\n"
                                ";FillStyle=6\r\n"
                                ";DiagWidth=500\r\n"
                                ";FontColor=-16777208\r\n"
                                ";BgColor=-16777211\r\n"
                                ";Author=anna\r\n"
                                ";VERSION=2.0\r\n";

// The text with its CR LF line ends replaced by `lineEnd`.
std::string withLineEnds(std::string text, std::string_view lineEnd)
{
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + lineEnd.size()))
        text.replace(at, 2, lineEnd);
    return text;
}

std::string rewrite(const std::string &bytes, const DiagramStyle &style = sampleStyle())
{
    return rewriteParameterLines(bytes, style, "anna", TextEncoding::Utf8);
}

} // namespace

TEST(WriteBack, QrlExtensionInAnyCaseOnly)
{
    struct Case
    {
        const char *path;
        bool qrl;
    };
    const Case cases[] = {
        {"/data/a.qrl", true},
        {"/data/a.QRL", true},
        {"a.Qrl", true},
        {"/data/a.txt", false},
        {"/data/a.dat", false},
        {"/data/qrl", false},
        {"/data.qrl/a", false},
        {"/data/a.qrl.txt", false},
        {"/data/a.qrlx", false},
        {"/data/.qrl", true},
        {"", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(isQrlPath(c.path), c.qrl) << c.path;
}

TEST(WriteBack, RewritesLines)
{
    struct Case
    {
        const char *name;
        std::string before;
        std::string after;
    };
    const std::string block = sampleBlock;
    // The block without the lines a case keeps in place.
    auto without = [&](std::initializer_list<const char *> prefixes) {
        std::string rest;
        std::size_t pos = 0;
        while (pos < block.size()) {
            const std::size_t end = block.find("\r\n", pos) + 2;
            const std::string line = block.substr(pos, end - pos);
            bool drop = false;
            for (const char *prefix : prefixes)
                drop = drop || line.starts_with(prefix);
            if (!drop)
                rest += line;
            pos = end;
        }
        return rest;
    };
    const Case cases[] = {
        {"empty file gains the whole block", "", block},
        {"measurements keep their place, block appended", "12\r\n45/30\r\n",
         "12\r\n45/30\r\n" + block},
        {"mixed line ends CR and LF become CR LF", "1\r2\n3\r\n4", "1\r\n2\r\n3\r\n4\r\n" + block},
        {"blank and comment lines stay byte-identical", " 12 \t\r\n\r\n#c\r\n//x\r\n; note\r\n",
         " 12 \t\r\n\r\n#c\r\n//x\r\n; note\r\n" + block},
        {"lower case with blanks after the semicolon rewritten in place",
         "1\r\n;  descx=12\r\n2\r\n", "1\r\n;DescX=15\r\n2\r\n" + without({";DescX="})},
        {"indented parameter line rewritten", "  \t;DiagWidth=300  \r\n",
         ";DiagWidth=500\r\n" + without({";DiagWidth="})},
        {"blank before the equals sign is not the key", ";DescX =12\r\n", ";DescX =12\r\n" + block},
        {"two semicolons are not the key", ";;DescX=12\r\n", ";;DescX=12\r\n" + block},
        {"a lone semicolon stays", ";\r\n", ";\r\n" + block},
        {"every repeated line rewritten", ";DiagWidth=1\r\n5\r\n;diagwidth=2\r\n",
         ";DiagWidth=500\r\n5\r\n;DiagWidth=500\r\n" + without({";DiagWidth="})},
        {"author line kept and not added again", ";AUTHOR=Someone Else\r\n",
         ";AUTHOR=Someone Else\r\n" + without({";Author="})},
        {"version line of any case and number becomes 2.0", ";version=1.7\r\n",
         ";VERSION=2.0\r\n" + without({";VERSION="})},
        {"font colour is not the label colour", ";DescFontColor=1\r\n",
         ";DescFontColor=255\r\n" + without({";DescFontColor="})},
        {"label colour line matched as itself", ";FontColor=1\r\n",
         ";FontColor=-16777208\r\n" + without({";FontColor="})},
        {"unknown parameter names stay", ";Colour=5\r\n;DescTextual=x\r\n",
         ";Colour=5\r\n;DescTextual=x\r\n" + block},
    };
    for (const Case &c : cases)
        EXPECT_EQ(rewrite(c.before), c.after) << c.name;
}

TEST(WriteBack, LineEndsAreTheFilesOwn)
{
    const std::string block = sampleBlock;
    const std::string lf = withLineEnds(block, "\n");
    const std::string cr = withLineEnds(block, "\r");
    struct Case
    {
        const char *name;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"LF throughout keeps LF, the appended lines too", "12\n45\n", "12\n45\n" + lf},
        {"CR LF throughout keeps CR LF", "12\r\n45\r\n", "12\r\n45\r\n" + block},
        {"a lone CR throughout keeps CR", "12\r45\r", "12\r45\r" + cr},
        {"mixed ends become CR LF", "12\n45\r\n", "12\r\n45\r\n" + block},
        {"no line end at all gets CR LF", "12", "12\r\n" + block},
        {"last line without an end gains the file's before appended lines", "12\n45",
         "12\n45\n" + lf},
        {"last line without an end stays so when nothing follows it", lf.substr(0, lf.size() - 1),
         lf.substr(0, lf.size() - 1)},
        {"UTF-8 byte-order mark stays once, part of the first line",
         "\xEF\xBB\xBF"
         "12\n",
         "\xEF\xBB\xBF"
         "12\n"
             + lf},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(rewrite(c.before), c.after) << c.name;
        EXPECT_EQ(rewrite(c.after), c.after) << c.name << ": written twice";
    }
}

TEST(WriteBack, AxialLineOnlyOnceTurnedOn)
{
    struct Case
    {
        const char *name;
        bool axial;
        std::string before;
        std::string after;
    };
    const std::string block = sampleBlock;
    const std::size_t author = block.find(";Author=");
    const std::string withAxial = block.substr(0, author) + ";Axial=1\r\n" + block.substr(author);
    const Case cases[] = {
        {"off: no line, the block as ever", false, "12\r\n", "12\r\n" + block},
        {"on: appended before the author", true, "12\r\n", "12\r\n" + withAxial},
        {"on: the file's own line kept in place", true, ";axial=yes\r\n12\r\n",
         ";Axial=1\r\n12\r\n" + block},
        {"turned off: the line says so", false, ";Axial=1\r\n12\r\n", ";Axial=0\r\n12\r\n" + block},
    };
    for (const Case &c : cases) {
        DiagramStyle style = sampleStyle();
        style.axial = c.axial;
        EXPECT_EQ(rewrite(c.before, style), c.after) << c.name;
    }
}

TEST(WriteBack, FileWithAllLinesKeepsItsLineCount)
{
    const std::string full =
        ";DescText=a\r\n;DescX=1\r\n;DescY=2\r\n;DescFontName=Arial\r\n"
        ";DescFontSize=9\r\n;DescFontColor=0\r\n;DescFontBold=False\r\n"
        ";DescFontItalic=False\r\n;DescFontUnderline=False\r\n;MLinesColor=0\r\n"
        ";SLinesColor=0\r\n;MLinesStyle=0\r\n;SLinesStyle=0\r\n;FillColor=0\r\n"
        ";FillStyle=0\r\n;DiagWidth=460\r\n;FontColor=0\r\n;BgColor=0\r\n"
        ";Author=Ola\r\n;VERSION=2.0\r\n";
    std::string expected = sampleBlock;
    expected.replace(expected.find(";Author=anna"), 12, ";Author=Ola");
    EXPECT_EQ(rewrite(full), expected);
    // Writing twice changes nothing more.
    EXPECT_EQ(rewrite(rewrite(full)), expected);
}

TEST(WriteBack, FontSizeRuleForRewrittenAndAppendedLines)
{
    struct Case
    {
        const char *name;
        std::string size;
        std::string file;
        std::string expectedLine;
    };
    const Case cases[] = {
        {"integer text rewritten as typed", "14", ";DescFontSize=9\r\n", ";DescFontSize=14\r\n"},
        {"non-integer text rewritten as 10", "1.5", ";DescFontSize=9\r\n", ";DescFontSize=10\r\n"},
        {"letters rewritten as 10", "big", ";DescFontSize=9\r\n", ";DescFontSize=10\r\n"},
        {"empty text rewritten as 10", "", ";DescFontSize=9\r\n", ";DescFontSize=10\r\n"},
        {"non-integer text appended unchanged", "1.5", "", ";DescFontSize=1.5\r\n"},
        {"letters appended unchanged", "big", "", ";DescFontSize=big\r\n"},
    };
    for (const Case &c : cases) {
        DiagramStyle style = sampleStyle();
        style.descriptionFontSize = c.size;
        EXPECT_NE(rewrite(c.file, style).find(c.expectedLine), std::string::npos) << c.name;
    }
}

TEST(WriteBack, ValueForms)
{
    struct Case
    {
        const char *name;
        void (*change)(DiagramStyle &);
        std::string expectedLine;
    };
    const Case cases[] = {
        {"system colour negative", [](DiagramStyle &s) { s.backgroundColor = clBtnFace; },
         ";BgColor=-16777201\r\n"},
        {"clNone positive", [](DiagramStyle &s) { s.fillColor = clNone; },
         ";FillColor=536870911\r\n"},
        {"no list selection written as -1", [](DiagramStyle &s) { s.mainLineStyle = noSelection; },
         ";MLinesStyle=-1\r\n"},
        {"booleans", [](DiagramStyle &s) { s.descriptionUnderline = true; },
         ";DescFontUnderline=True\r\n"},
        {"text with equals sign and trailing blank kept",
         [](DiagramStyle &s) { s.descriptionText = "a=b "; }, ";DescText=a=b \r\n"},
        {"empty description", [](DiagramStyle &s) { s.descriptionText.clear(); }, ";DescText=\r\n"},
        {"size box text unchecked", [](DiagramStyle &s) { s.diagramSize = "abc"; },
         ";DiagWidth=abc\r\n"},
        // A line break inside a value would smuggle a parameter line into the file.
        {"line break in a value cannot start a line",
         [](DiagramStyle &s) { s.descriptionText = "x\r\n;DiagWidth=5"; },
         ";DescText=x  ;DiagWidth=5\r\n"},
        {"NUL in a value cannot hide the rest",
         [](DiagramStyle &s) { s.descriptionText = std::string("a\0b", 3); }, ";DescText=a b\r\n"},
    };
    for (const Case &c : cases) {
        DiagramStyle style = sampleStyle();
        c.change(style);
        const std::string out = rewrite("1\r\n", style);
        EXPECT_NE(out.find(c.expectedLine), std::string::npos) << c.name << "\n" << out;
        EXPECT_EQ(out.find(std::string(1, '\0')), std::string::npos) << c.name;
    }
}

// ";PetalScale=Area" is appended only for equal areas; a line the file has is rewritten.
TEST(WriteBack, PetalScaleLineOnlyWhenNotDefault)
{
    DiagramStyle area = sampleStyle();
    area.petalScale = PetalScale::Area;
    EXPECT_EQ(rewrite(""), sampleBlock);
    const std::string appended = rewrite("", area);
    EXPECT_NE(appended.find(";BgColor=-16777211\r\n;PetalScale=Area\r\n;Author="),
              std::string::npos)
        << appended;
    EXPECT_EQ(rewrite(";petalscale=Area\r\n").rfind(";PetalScale=Count\r\n", 0), 0u);
    EXPECT_EQ(rewrite(";PetalScale=Count\r\n", area).rfind(";PetalScale=Area\r\n", 0), 0u);
}

TEST(WriteBack, AzimuthLineKeepsItsValueAsWritten)
{
    struct Case
    {
        const char *name;
        std::string before; // the style is what reading this file gives
        std::string after;
    };
    const std::string block = sampleBlock;
    const std::size_t author = block.find(";Author=");
    const Case cases[] = {
        // LF files: the lines come back in LF.
        {"no line: none appended", "12/40\n", withLineEnds("12/40\r\n" + block, "\n")},
        {"unknown value kept", ";Azimuth=sideways\n12/40\n",
         withLineEnds(";Azimuth=sideways\r\n12/40\r\n" + block, "\n")},
        {"known value kept in its case", ";azimuth=trend\n",
         withLineEnds(";Azimuth=trend\r\n" + block, "\n")},
    };
    for (const Case &c : cases) {
        DiagramStyle style = sampleStyle();
        const std::size_t equals = c.before.find('=');
        if (equals != std::string::npos)
            applyParameter(style, "Azimuth",
                           c.before.substr(equals + 1, c.before.find('\n') - equals - 1));
        EXPECT_EQ(rewrite(c.before, style), c.after) << c.name;
    }
    // Set to a strike by the program: appended before the author.
    DiagramStyle strike = sampleStyle();
    strike.azimuth = "Strike";
    EXPECT_EQ(rewrite("", strike),
              block.substr(0, author) + ";Azimuth=Strike\r\n" + block.substr(author));
}

TEST(WriteBack, EmptyUserNameGivesBareAuthorLine)
{
    const std::string out = rewriteParameterLines("", sampleStyle(), "", TextEncoding::Utf8);
    EXPECT_NE(out.find("\r\n;Author=\r\n;VERSION=2.0\r\n"), std::string::npos);
}

TEST(WriteBack, UntouchedBytesStayIdentical)
{
    // Windows-1250 remark: "łąka" with its single-byte letters, plus a tab and trailing blanks.
    const std::string remark = "12/30 \xB3\xB9ka\t  ";
    const std::string out =
        rewriteParameterLines(remark + "\r\n", sampleStyle(), "anna", TextEncoding::Windows1250);
    EXPECT_EQ(out.substr(0, remark.size() + 2), remark + "\r\n");
}

TEST(WriteBack, TextsWrittenInTheFilesEncoding)
{
    DiagramStyle style = sampleStyle();
    style.descriptionText = "Spękania łupków"; // UTF-8 typed in the program
    style.descriptionFontName = "Żółć";
    const std::string cp1250 = rewriteParameterLines("", style, "Łucja", TextEncoding::Windows1250);
    EXPECT_NE(cp1250.find(";DescText=Sp\xEAkania \xB3upk\xF3w\r\n"), std::string::npos) << cp1250;
    EXPECT_NE(cp1250.find(";DescFontName=\xAF\xF3\xB3\xE6\r\n"), std::string::npos);
    EXPECT_NE(cp1250.find(";Author=\xA3ucja\r\n"), std::string::npos);

    const std::string utf8 = rewriteParameterLines("", style, "Łucja", TextEncoding::Utf8);
    EXPECT_NE(utf8.find(";DescText=Spękania łupków\r\n"), std::string::npos);

    // A description taken from an old code-page file keeps a UTF-8 file valid UTF-8.
    style.descriptionText = "\xB3\xB9ka";
    const std::string mixed = rewriteParameterLines("", style, "", TextEncoding::Utf8);
    EXPECT_NE(mixed.find(";DescText=łąka\r\n"), std::string::npos);
}

TEST(WriteBack, TextEncodingConversion)
{
    struct Case
    {
        const char *name;
        std::string utf8;
        std::string cp1250;
    };
    const Case cases[] = {
        {"ascii", "abc 123", "abc 123"},
        {"polish lower", "ąćęłńóśźż", "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF"},
        {"polish upper", "ĄĆĘŁŃÓŚŹŻ", "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF"},
        {"euro and degree", "€°", "\x80\xB0"},
        {"outside the code page", "日本", "??"},
        {"invalid UTF-8 kept", "\xB3\xB9", "\xB3\xB9"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(utf8ToWindows1250(c.utf8), c.cp1250) << c.name;
    EXPECT_EQ(detectEncoding("łąka"), TextEncoding::Utf8);
    EXPECT_EQ(detectEncoding("\xB3\xB9ka"), TextEncoding::Windows1250);
}

TEST(WriteBack, NulByteDoesNotTruncate)
{
    const std::string tail = std::string("\0", 1) + "hidden\n;DiagWidth=7\r\n\xFF";
    const std::string before = "12\r\n;DescX=3\r\n34" + tail;
    const std::string out = rewrite(before);
    // Lines before the NUL are handled, the appended lines follow them, the rest is unchanged.
    std::string expected = "12\r\n;DescX=15\r\n34\r\n" + sampleBlock;
    const std::size_t blockStart = expected.find(";DescText=");
    expected.erase(expected.find(";DescX=", blockStart), 11);
    EXPECT_EQ(out, expected + tail);
}

// --- the file itself ---

TEST(WriteBackFile, WritesOnlyExistingQrlFiles)
{
    TempDir dir;
    const DiagramStyle style = sampleStyle();
    struct Case
    {
        const char *name;
        bool changed;
    };
    const Case cases[] = {{"a.qrl", true},  {"b.QRL", true},  {"c.Qrl", true},
                          {"d.txt", false}, {"e.dat", false}, {"noext", false}};
    for (const Case &c : cases) {
        writeBytes(dir.file(c.name), "12\n");
        ASSERT_TRUE(writeDisplayParameters(dir.file(c.name), style, "anna").ok()) << c.name;
        EXPECT_EQ(readBytes(dir.file(c.name)) != "12\n", c.changed) << c.name;
    }
    EXPECT_TRUE(writeDisplayParameters("", style, "anna").ok());
    EXPECT_TRUE(writeDisplayParameters(dir.file("missing.qrl"), style, "anna").ok());
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.qrl")));
    std::filesystem::create_directory(dir.file("folder.qrl"));
    EXPECT_TRUE(writeDisplayParameters(dir.file("folder.qrl"), style, "anna").ok());
}

// The write-back tells apart what it did; a file it does not write keeps its bytes and its time.
TEST(WriteBackFile, OutcomesAndWhatIsLeftAlone)
{
    TempDir dir;
    struct Case
    {
        const char *name;
        const char *file;
        std::string bytes;
        WriteBackOutcome outcome;
        std::size_t nulOffset;
    };
    const Case cases[] = {
        {"parameters written", "a.qrl", "12\r\n", WriteBackOutcome::Written, 0},
        {"parameters written after a byte-order mark", "bom.qrl",
         "\xEF\xBB\xBF"
         "12\r\n",
         WriteBackOutcome::Written, 0},
        {"already holding them", "b.qrl", "12\r\n" + sampleBlock, WriteBackOutcome::Unchanged, 0},
        {"other extension", "d.txt", "12\n", WriteBackOutcome::NotQrl, 0},
        {"UTF-16 with its byte-order mark", "e.qrl",
         std::string("\xFF\xFE"
                     "1\0"
                     "2\0\r\0\n\0",
                     10),
         WriteBackOutcome::NotText, 3},
        {"NUL after text lines", "g.qrl",
         std::string("10\n20\n\0"
                     "30\n",
                     10),
         WriteBackOutcome::NotText, 6},
    };
    const auto mtime = [](const std::string &path) {
        return std::filesystem::last_write_time(path);
    };
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    for (const Case &c : cases) {
        const std::string path = dir.file(c.file);
        writeBytes(path, c.bytes);
        std::filesystem::last_write_time(path, past);
        const WriteBackResult result = writeDisplayParameters(path, sampleStyle(), "anna");
        EXPECT_EQ(result.outcome, c.outcome) << c.name;
        EXPECT_EQ(result.nulOffset, c.nulOffset) << c.name;
        EXPECT_TRUE(result.ok()) << c.name;
        if (c.outcome == WriteBackOutcome::Written)
            continue;
        EXPECT_EQ(readBytes(path), c.bytes) << c.name;
        EXPECT_EQ(mtime(path), past) << c.name;
    }
    // A UTF-8 byte-order mark belongs to the first line: kept once, and written back again the
    // file has nothing to change.
    const std::string bom = dir.file("bom.qrl");
    EXPECT_EQ(readBytes(bom).rfind("\xEF\xBB\xBF"
                                   "12\r\n;DescText=Joints\r\n",
                                   0),
              0u);
    EXPECT_EQ(writeDisplayParameters(bom, sampleStyle(), "anna").outcome,
              WriteBackOutcome::Unchanged);
    EXPECT_EQ(writeDisplayParameters(dir.file("missing.qrl"), sampleStyle(), "anna").outcome,
              WriteBackOutcome::NoFile);
    EXPECT_EQ(writeDisplayParameters("", sampleStyle(), "anna").outcome, WriteBackOutcome::NoFile);
}

// Trying the program on the examples installed under /usr/share/doc, or on a colleague's file,
// changes nothing and says nothing while its look stays as it was.
TEST(WriteBackFile, UnchangedFileInAReadOnlyFolderIsNoError)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    TempDir dir;
    const std::string path = dir.file("data.qrl");
    writeBytes(path, "12\r\n" + sampleBlock);
    ::chmod(path.c_str(), 0444);
    ::chmod(dir.path().c_str(), 0500);
    const WriteBackResult result = writeDisplayParameters(path, sampleStyle(), "anna");
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(result.outcome, WriteBackOutcome::Unchanged) << result.message();
}

TEST(WriteBackFile, DetectsTheFilesEncoding)
{
    TempDir dir;
    DiagramStyle style = sampleStyle();
    style.descriptionText = "łąka";
    writeBytes(dir.file("old.qrl"), "12 \xB3\xB9ka\r\n");
    writeBytes(dir.file("new.qrl"), "12 łąka\r\n");
    ASSERT_TRUE(writeDisplayParameters(dir.file("old.qrl"), style, "anna").ok());
    ASSERT_TRUE(writeDisplayParameters(dir.file("new.qrl"), style, "anna").ok());
    EXPECT_NE(readBytes(dir.file("old.qrl")).find(";DescText=\xB3\xB9ka\r\n"), std::string::npos);
    EXPECT_NE(readBytes(dir.file("new.qrl")).find(";DescText=łąka\r\n"), std::string::npos);
}

TEST(WriteBackFile, KeepsPermissionsAndFollowsLinks)
{
    TempDir dir;
    const std::string target = dir.file("data.qrl");
    writeBytes(target, "12\r\n");
    ::chmod(target.c_str(), 0640);
    std::filesystem::create_symlink(target, dir.file("link.qrl"));
    ASSERT_TRUE(writeDisplayParameters(dir.file("link.qrl"), sampleStyle(), "anna").ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.qrl")));
    EXPECT_EQ(readBytes(target), "12\r\n" + sampleBlock);
    struct stat info
    { };
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              2);
}

TEST(WriteBackFile, FailureLeavesTheFileAsItWas)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    TempDir dir;
    const std::string path = dir.file("data.qrl");
    writeBytes(path, "12\n");

    ::chmod(path.c_str(), 0200); // write-only: cannot be read
    Status read = writeDisplayParameters(path, sampleStyle(), "anna");
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.message().rfind("Cannot open file \"" + path + "\". ", 0), 0u) << read.message();

    ::chmod(path.c_str(), 0644);
    ::chmod(dir.path().c_str(), 0500); // folder read-only: no temporary file
    Status write = writeDisplayParameters(path, sampleStyle(), "anna");
    ::chmod(dir.path().c_str(), 0700);
    ASSERT_FALSE(write.ok());
    EXPECT_EQ(write.message().rfind("Cannot create file \"" + path + "\". ", 0), 0u)
        << write.message();
    EXPECT_EQ(readBytes(path), "12\n");
}

// Runs writeDisplayParameters in a child process under a resource limit that makes reading or
// writing fail even for root; returns the child's error message ("" on success).
std::string writeUnderLimit(const std::string &path, int resource, rlim_t limit)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lim {limit, limit};
        ::setrlimit(resource, &lim);
        const Status status = writeDisplayParameters(path, sampleStyle(), "anna");
        const std::string message = status.ok() ? "" : status.message();
        [[maybe_unused]] auto written = ::write(fds[1], message.data(), message.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string message;
    char buffer[256];
    ssize_t n = 0;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
        message.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    ::waitpid(child, nullptr, 0);
    return message;
}

TEST(WriteBackFile, FailuresUnderResourceLimitsLeaveTheFile)
{
    TempDir dir;
    const std::string path = dir.file("data.qrl");
    const std::string old = "12\n45\n";
    writeBytes(path, old);

    // No file descriptors: the file cannot even be opened.
    const std::string read = writeUnderLimit(path, RLIMIT_NOFILE, 0);
    EXPECT_EQ(read.rfind("Cannot open file \"" + path + "\". ", 0), 0u) << read;
    // A file size limit below the new contents: the write fails half-way.
    const std::string write = writeUnderLimit(path, RLIMIT_FSIZE, 64);
    EXPECT_EQ(write.rfind("Cannot create file \"" + path + "\". ", 0), 0u) << write;
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(WriteBackFile, KilledWriterLeavesOldOrNewFile)
{
    TempDir dir;
    const std::string path = dir.file("big.qrl");
    std::string old;
    for (int i = 0; i < 100000; ++i)
        old += std::to_string(i % 360) + "/45 remark\n";
    writeBytes(path, old);
    const std::string rewritten = rewrite(old);

    // How long one write-back takes here, so the kills below spread over all of it: reading,
    // rewriting, writing the temporary file, flushing it and renaming it.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(writeDisplayParameters(path, sampleStyle(), "anna").ok());
    const auto full = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    ASSERT_EQ(readBytes(path), rewritten);

    constexpr int attempts = 16;
    int sawOld = 0;
    int sawNew = 0;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        writeBytes(path, old);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool ok = writeDisplayParameters(path, sampleStyle(), "anna").ok();
            ::_exit(ok ? 0 : 1);
        }
        ::usleep(static_cast<useconds_t>(full.count() * attempt * 13 / (10 * attempts)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string now = readBytes(path);
        ASSERT_TRUE(now == old || now == rewritten)
            << "attempt " << attempt << ": " << now.size() << " bytes";
        (now == old ? sawOld : sawNew) += 1;
    }
    RecordProperty("killedBeforeRename", sawOld);
    RecordProperty("killedAfterRename", sawNew);
    int leftovers = 0;
    for (const auto &e : std::filesystem::directory_iterator(dir.path()))
        leftovers += e.path().filename().string().starts_with(".big") ? 1 : 0;
    RecordProperty("temporaryFilesLeft", leftovers);
}

// The README's first run opens an example and closing the window writes it back: each example
// is kept in the form the write-back gives it, so trying the program changes no byte, whatever
// the user's settings and name.
TEST(WriteBackFile, ExamplesSurviveAReadAndWriteBack)
{
    int examples = 0;
    for (const auto &entry : std::filesystem::directory_iterator(QUOREL_EXAMPLES_DIR)) {
        if (!isQrlPath(entry.path().string()))
            continue;
        ++examples;
        const std::string original = readBytes(entry.path().string());
        for (const DiagramStyle &settings : {DiagramStyle::firstRun(), sampleStyle()}) {
            TempDir dir;
            const std::string copy = dir.file(entry.path().filename().string());
            writeBytes(copy, original);
            DiagramStyle style = settings;
            DataReader reader('.');
            ASSERT_TRUE(reader.load(copy, style).ok());
            ASSERT_TRUE(writeDisplayParameters(copy, style, "someone else").ok());
            EXPECT_EQ(readBytes(copy), original) << entry.path();
        }
    }
    EXPECT_GT(examples, 0);
}
