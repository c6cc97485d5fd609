#include "clitest.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdlib.h>

using quorel::test::runCli;
using quorel::test::shellQuote;

namespace {

class CliSet : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = std::filesystem::temp_directory_path() / "quorel-set-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string file(const std::string &name, const std::string &bytes)
    {
        const std::string path = m_dir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string contents(const std::string &path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string errors() const { return contents(m_dir + "/stderr"); }
    quorel::test::CliRun set(const std::string &args)
    {
        return runCli("set " + args, m_dir + "/stderr");
    }

    std::string m_dir;
};

} // namespace

TEST_F(CliSet, WritesParametersIntoQrlFile)
{
    const std::string path = file("joints.QRL", "12\n;diagwidth=300\n45/30\n");
    const auto run = set(shellQuote(path) + " DescText=Fractures descx=15 ' DiagWidth=600'");
    ASSERT_EQ(run.status, 0) << errors();
    const std::string out = contents(path);
    // The existing line is rewritten in place; the others are appended in the table's order,
    // with the file's own line ends.
    EXPECT_EQ(out.rfind("12\n;DiagWidth=600\n45/30\n;DescText=Fractures\n;DescX=15\n", 0), 0u)
        << out;
    EXPECT_NE(out.find(";MLinesColor=12632256\n"), std::string::npos) << "first-run colours";
    EXPECT_TRUE(out.ends_with(";VERSION=2.0\n"));
}

TEST_F(CliSet, AssignmentsComeAfterTheFilesOwnLines)
{
    const std::string path = file("a.qrl", ";FillStyle=2\n;DescFontSize=9\n1\n");
    ASSERT_EQ(set(shellQuote(path) + " FillStyle=5").status, 0) << errors();
    const std::string out = contents(path);
    EXPECT_NE(out.find(";FillStyle=5\n"), std::string::npos);
    EXPECT_NE(out.find(";DescFontSize=9\n"), std::string::npos) << "kept from the file";
    // A value that fails its test falls back as in a file: a style index of "x" is 0.
    ASSERT_EQ(set(shellQuote(path) + " FillStyle=x").status, 0);
    EXPECT_NE(contents(path).find(";FillStyle=0\n"), std::string::npos);
}

TEST_F(CliSet, AxialLineMakesStatsAndRenderTakeOrientations)
{
    const std::string path = file("joints.qrl", "10\n190\n12\n");
    ASSERT_EQ(set(shellQuote(path) + " Axial=1").status, 0) << errors();
    const std::string out = contents(path);
    EXPECT_EQ(out.find(";Axial=1\n"), out.rfind(";Axial=1\n"));
    EXPECT_NE(out.find(";Axial=1\n;Author="), std::string::npos) << out;
    // As --axial does.
    EXPECT_EQ(runCli("stats " + shellQuote(path) + " --json").out,
              runCli("stats " + shellQuote(path) + " --json --axial").out);
    const std::string svg = m_dir + "/rose.svg";
    const std::string axialSvg = m_dir + "/axial.svg";
    ASSERT_EQ(runCli("render " + shellQuote(path) + " -o " + shellQuote(svg)).status, 0);
    ASSERT_EQ(runCli("render " + shellQuote(path) + " --axial -o " + shellQuote(axialSvg)).status,
              0);
    EXPECT_EQ(contents(svg), contents(axialSvg));
}

TEST_F(CliSet, OtherExtensionsAreNotWritten)
{
    const std::string bytes = "12\n;DescX=3\n";
    const std::string path = file("data.txt", bytes);
    const auto run = set(shellQuote(path) + " DescX=5");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(errors(), "quorel-cli: not a .qrl file: nothing written\n");
    EXPECT_EQ(contents(path), bytes);
}

// A file that is not text is never rewritten, and one that would come out the same is not
// touched: each says why on stderr, and the file keeps its bytes and its time.
TEST_F(CliSet, NothingWrittenSaysWhy)
{
    struct Case
    {
        const char *name;
        const char *file;
        std::string bytes;
        int status;
        std::string message; // after the file's path
    };
    const Case cases[] = {
        {"UTF-16 file", "utf16.qrl",
         std::string("\xFF\xFE"
                     "1\0"
                     "2\0\r\0\n\0",
                     10),
         1, " is not a text file (NUL byte at offset 3); nothing written\n"},
        {"no change", "same.qrl", "", 0, ": nothing written\n"},
    };
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    for (const Case &c : cases) {
        std::string path = m_dir + "/" + c.file;
        std::string bytes = c.bytes;
        if (bytes.empty()) {
            // What a first "set" wrote, set again to the same value.
            path = file(c.file, "12\n");
            ASSERT_EQ(set(shellQuote(path) + " DescX=5").status, 0) << errors();
            bytes = contents(path);
        } else {
            file(c.file, bytes);
        }
        std::filesystem::last_write_time(path, past);
        const auto run = set(shellQuote(path) + " DescX=5");
        EXPECT_EQ(run.status, c.status) << c.name;
        const std::string expected = c.status == 0 ? "quorel-cli: no change to " + path + c.message
                                                   : "quorel-cli: " + path + c.message;
        EXPECT_EQ(errors(), expected) << c.name;
        EXPECT_EQ(contents(path), bytes) << c.name;
        EXPECT_EQ(std::filesystem::last_write_time(path), past) << c.name;
    }
}

TEST_F(CliSet, FailuresAndUsage)
{
    struct Case
    {
        const char *name;
        std::string args;
        int status;
    };
    const std::string good = file("good.qrl", "1\n");
    const Case cases[] = {
        {"missing file", shellQuote(m_dir + "/none.qrl") + " DescX=1", 1},
        {"no file", "", 2},
        {"no assignment", shellQuote(good), 2},
        {"not NAME=VALUE", shellQuote(good) + " DescX", 2},
        {"unknown name", shellQuote(good) + " Colour=5", 2},
        {"blank before equals", shellQuote(good) + " 'DescX =5'", 2},
        {"author sets nothing", shellQuote(good) + " Author=me", 2},
        {"separator of two characters", shellQuote(good) + " DescX=1 --decimal-separator ab", 2},
    };
    for (const Case &c : cases) {
        const auto run = set(c.args);
        EXPECT_EQ(run.status, c.status) << c.name;
        const std::string message = errors();
        EXPECT_EQ(message.rfind("quorel-cli: ", 0), 0u) << c.name << ": " << message;
    }
    EXPECT_EQ(contents(good), "1\n") << "a refused command writes nothing";
}

// A folder given as the file is a failure with a message, never a crash.
TEST_F(CliSet, FolderIsAFailureNotACrash)
{
    std::filesystem::create_directory(m_dir + "/folder.qrl");
    const auto run = set(shellQuote(m_dir + "/folder.qrl") + " DescX=1");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(errors().rfind("quorel-cli: Cannot open file", 0), 0u) << errors();
}
