// Bad input of every kind given to quorel-cli: each gives a clear message or a defined result,
// never a crash and never a hang. Every run is a child process with a time limit.
#include "core/util/text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct CliRun
{
    int exitCode = -1; // -1 when the program did not exit by itself
    int signal = 0; // the signal that ended it, if any
    bool timedOut = false;
    std::string out;
    std::string err;
};

std::string readAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs quorel-cli with `args` (no shell), standard input from `input`, and kills it after
// `timeout`. Standard output goes to `outPath` ("" keeps it in a file beside the error output).
CliRun runCli(const std::string &dir, const std::vector<std::string> &args,
              std::chrono::seconds timeout = std::chrono::seconds(60),
              const std::string &input = "/dev/null", bool keepOutput = true)
{
    const std::string outPath = keepOutput ? dir + "/.stdout" : "/dev/null";
    const std::string errPath = dir + "/.stderr";
    std::vector<std::string> argv {QUOREL_CLI};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char *> raw;
    for (auto &arg : argv)
        raw.push_back(arg.data());
    raw.push_back(nullptr);

    CliRun run;
    const pid_t child = fork();
    if (child == 0) {
        const int in = ::open(input.c_str(), O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0)
            _exit(127);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        ::execv(raw[0], raw.data());
        _exit(127);
    }
    if (child < 0)
        return run;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            run.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!run.timedOut && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        run.signal = WTERMSIG(status);
    if (keepOutput)
        run.out = readAll(outPath);
    run.err = readAll(errPath);
    return run;
}

// The program ended by itself with a defined status; a failure explains itself on stderr.
::testing::AssertionResult endedCleanly(const CliRun &run)
{
    if (run.timedOut)
        return ::testing::AssertionFailure() << "killed after the time limit";
    if (run.signal != 0)
        return ::testing::AssertionFailure() << "ended by signal " << run.signal << "\n" << run.err;
    if (run.exitCode < 0 || run.exitCode > 2)
        return ::testing::AssertionFailure() << "exit status " << run.exitCode << "\n" << run.err;
    if (run.exitCode != 0 && run.err.rfind("quorel-cli: ", 0) != 0)
        return ::testing::AssertionFailure() << "failed without a message: '" << run.err << "'";
    return ::testing::AssertionSuccess();
}

// The number after `"key": ` in the JSON statistics, or -1.
long jsonNumber(const std::string &json, const std::string &key)
{
    const std::string probe = "\"" + key + "\": ";
    const std::size_t at = json.find(probe);
    if (at == std::string::npos)
        return -1;
    return std::strtol(json.c_str() + at + probe.size(), nullptr, 10);
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

class CliSweep : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "quorel-sweep-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override
    {
        std::error_code ignored;
        for (const auto &entry : fs::recursive_directory_iterator(m_dir, ignored))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_dir, ignored);
    }

    std::string path(const std::string &name) const { return m_dir + "/" + name; }
    CliRun cli(const std::vector<std::string> &args,
               std::chrono::seconds timeout = std::chrono::seconds(60))
    {
        return runCli(m_dir, args, timeout);
    }

    std::string m_dir;
};

TEST_F(CliSweep, OddDataFilesGiveDefinedStatistics)
{
    struct Case
    {
        const char *name;
        std::string bytes;
        long measurements; // -1: any number
        long errors; // -1: any number
    };
    const Case cases[] = {
        {"only CRs", std::string(100000, '\r'), 0, 0},
        {"only LFs", std::string(100000, '\n'), 0, 0},
        {"NUL in the middle ends the text", std::string("10\n20\0 30\n40\n", 13), 2, 0},
        {"NUL first", std::string("\0 10\n20\n", 8), 0, 0},
        {"invalid UTF-8 in remarks and values",
         "10 \xE9t\xE9\n\xFF\xFE garbage\n20\t\xC3(\n\xC0\xAF\n", 2, 2},
        {"UTF-8 BOM before the first value",
         "\xEF\xBB\xBF"
         "10\n20\n",
         -1, -1},
        {"UTF-16 file",
         std::string("\xFF\xFE"
                     "1\0"
                     "0\0\r\0\n\0"
                     "2\0"
                     "0\0",
                     14),
         -1, -1},
        {"sizes as azimuths", "-1\n0\n1\n19\n4000\n4001\n2147483648\n-2147483649\n", 8, 0},
        {"numbers beyond double", "1e308\n1e309\n-1e309\n1e-400\n", -1, -1},
        {"parameter lines with odd sizes",
         ";DiagWidth=-1\n;DiagWidth=2147483648\n;DescX=4001\n;DescY=-1\n;DescFontSize=0\n"
         ";MLinesStyle=2147483647\n;FillStyle=-2147483648\n;FillColor=$FFFFFFFF\n10\n",
         1, 0},
        {"a long run of separators", std::string(50000, ',') + "\n" + std::string(50000, '.'), 0,
         2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = path("data.txt");
        writeAll(file, c.bytes);
        const CliRun run = cli({"stats", file, "--json", "--decimal-separator", "."});
        ASSERT_TRUE(endedCleanly(run));
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(quorel::isValidUtf8(run.out)) << "JSON must be UTF-8";
        const long measurements = jsonNumber(run.out, "measurements");
        const long errors = jsonNumber(run.out, "errors");
        EXPECT_GE(measurements, 0);
        EXPECT_GE(errors, 0);
        if (c.measurements >= 0) {
            EXPECT_EQ(measurements, c.measurements);
        }
        if (c.errors >= 0) {
            EXPECT_EQ(errors, c.errors);
        }
        // The dips of the same bytes: a JSON object or a message, never a crash.
        const CliRun net = cli({"stereonet", file, "--json", "--density-grid", "5"});
        ASSERT_TRUE(endedCleanly(net));
        EXPECT_TRUE(net.exitCode == 0 || (net.exitCode == 1 && !net.err.empty()));
        EXPECT_TRUE(quorel::isValidUtf8(net.out));
    }
}

TEST_F(CliSweep, OddDataFilesRenderAndReport)
{
    std::vector<std::string> cases = {
        std::string(1000, '\r'),
        std::string("10\n\0\n20", 7),
        "\xEF\xBB\xBF"
        "10\n\xFF\xFE\n",
        ";DiagWidth=2147483647\n;DescText=\xFF\xFE\n;DescX=99999\n10\n",
        ";DiagWidth=-1\n10\n",
        ";DiagWidth=4001\n;DescFontSize=2147483647\n;DescText=x\n10\n",
        ";DescFontSize=-2147483648\n;DescText=x\n;DescX=-5\n;DescY=4001\n10\n",
    };
    for (const char *size : {"-1", "0", "1", "19", "4000", "4001", "2147483648"})
        cases.push_back(std::string(";DiagWidth=") + size + "\n;DescText=d\n10\n");
    int index = 0;
    for (const auto &bytes : cases) {
        SCOPED_TRACE("case " + std::to_string(index++));
        const std::string file = path("data.qrl");
        writeAll(file, bytes);
        for (const char *format : {"wmf", "svg", "png", "pdf"}) {
            SCOPED_TRACE(format);
            const std::string out = path(std::string("out.") + format);
            fs::remove(out);
            const CliRun run = cli({"render", file, "-o", out});
            ASSERT_TRUE(endedCleanly(run));
            // Either a picture or a message, never an empty success.
            if (run.exitCode == 0) {
                EXPECT_GT(fs::file_size(out), 0u);
            } else {
                EXPECT_FALSE(fs::exists(out));
            }
        }
        const CliRun report = cli({"report", file, "-o", path("report.html")});
        ASSERT_TRUE(endedCleanly(report));
        EXPECT_EQ(report.exitCode, 0) << report.err;
        EXPECT_TRUE(quorel::isValidUtf8(readAll(path("report.html"))));
    }
}

TEST_F(CliSweep, FilesThatCannotBeReadGiveTheSystemsMessage)
{
    fs::create_directory(path("folder.qrl"));
    ASSERT_EQ(::mkfifo(path("pipe.qrl").c_str(), 0600), 0);
    writeAll(path("locked.qrl"), "10\n");
    fs::permissions(path("locked.qrl"), fs::perms::none);
    struct Case
    {
        const char *name;
        std::string file;
        const char *reason;
    };
    std::vector<Case> cases = {
        {"a folder", path("folder.qrl"), "Is a directory"},
        {"a FIFO nobody writes to", path("pipe.qrl"), "Not a regular file"},
        {"a file deleted before the read", path("gone.qrl"), "No such file or directory"},
        {"a path through a file", path("locked.qrl") + "/x.qrl", "Not a directory"},
    };
    if (!runningAsRoot())
        cases.push_back({"an unreadable file", path("locked.qrl"), "Permission denied"});
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::vector<std::string>> commands = {
            {"stats", c.file},
            {"render", c.file, "-o", path("out.wmf")},
            {"report", c.file, "-o", path("out.html")},
            {"set", c.file, "DescX=5"},
            {"stereonet", c.file, "--json"},
        };
        for (const auto &args : commands) {
            SCOPED_TRACE(args[0]);
            const CliRun run = cli(args, std::chrono::seconds(20));
            ASSERT_TRUE(endedCleanly(run));
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_NE(run.err.find("\"" + c.file + "\""), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        }
    }
}

TEST_F(CliSweep, OutputsThatCannotBeWrittenGiveTheSystemsMessage)
{
    writeAll(path("data.qrl"), "10\n20\n");
    fs::create_directory(path("folder.wmf"));
    // A full disk for any write: the device that always answers "no space left".
    fs::create_symlink("/dev/full", path("full.wmf"));
    fs::create_symlink("/dev/full", path("full.txt"));
    struct Case
    {
        const char *name;
        std::vector<std::string> args;
        std::string target;
        const char *reason;
    };
    const Case cases[] = {
        {"picture onto a folder",
         {"render", path("data.qrl"), "-o", path("folder.wmf")},
         path("folder.wmf"),
         "Is a directory"},
        {"picture onto a device",
         {"render", path("data.qrl"), "-o", path("full.wmf")},
         path("full.wmf"),
         "Not a regular file"},
        {"picture into a missing folder",
         {"render", path("data.qrl"), "-o", path("gone/out.svg")},
         path("gone/out.svg"),
         "No such file or directory"},
        {"report into a missing folder",
         {"report", path("data.qrl"), "-o", path("gone/out.html")},
         path("gone/out.wmf"),
         "No such file or directory"},
        {"random data onto a device",
         {"random", "10", "-o", path("full.txt")},
         path("full.txt"),
         ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = cli(c.args, std::chrono::seconds(20));
        ASSERT_TRUE(endedCleanly(run));
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(c.target), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    }
    EXPECT_EQ(readAll(path("data.qrl")), "10\n20\n");
}

TEST_F(CliSweep, PathsWithBlanksQuotesAndLetters)
{
    const std::string dir = path("dir with blanks 'and' \"quotes\" \xC5\xBC\xC3\xB3\xC5\x82w");
    fs::create_directory(dir);
    const std::string file = dir + "/pomiary \xC5\x81\xC4\x85ka; #1.qrl";
    writeAll(file, "10\n20\n200\n");

    CliRun run = cli({"stats", file, "--json"});
    ASSERT_TRUE(endedCleanly(run));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(jsonNumber(run.out, "measurements"), 3);

    run = cli({"render", file, "-o",
               dir
                   + "/r\xC3\xB3\xC5\xBC"
                     "a 'x'.wmf"});
    ASSERT_TRUE(endedCleanly(run));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_GT(fs::file_size(dir
                            + "/r\xC3\xB3\xC5\xBC"
                              "a 'x'.wmf"),
              0u);

    run = cli({"report", file, "-o", dir + "/raport \"1\".html"});
    ASSERT_TRUE(endedCleanly(run));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(fs::exists(dir + "/raport \"1\".html"));

    run = cli({"set", file, "DescText=\xC5\xBC\xC3\xB3\xC5\x82ty"});
    ASSERT_TRUE(endedCleanly(run));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string rewritten = readAll(file);
    // In the file's own LF line ends.
    EXPECT_EQ(rewritten.rfind("10\n20\n200\n", 0), 0u);
    EXPECT_NE(rewritten.find(";DescText=\xC5\xBC\xC3\xB3\xC5\x82ty\n"), std::string::npos);
}

TEST_F(CliSweep, SizesOnTheCommandLine)
{
    writeAll(path("data.txt"), "10\n20\n200\n");
    struct Case
    {
        const char *size;
        bool accepted; // a whole number in the 32-bit range
    };
    const Case cases[] = {
        {"-1", true},           {"0", true},    {"1", true},          {"19", true},
        {"4000", true},         {"4001", true}, {"2147483647", true}, {"2147483648", false},
        {"-2147483649", false}, {"abc", false}, {"", false},          {"1e3", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string("--size ") + c.size);
        for (const char *format : {"wmf", "svg", "png", "pdf"}) {
            SCOPED_TRACE(format);
            const std::string out = path(std::string("out.") + format);
            fs::remove(out);
            const CliRun run = cli({"render", path("data.txt"), "-o", out, "--size", c.size});
            ASSERT_TRUE(endedCleanly(run));
            if (!c.accepted) {
                EXPECT_NE(run.exitCode, 0);
                EXPECT_NE(run.err.find("'" + std::string(c.size) + "'"), std::string::npos)
                    << run.err;
            }
            if (run.exitCode == 0) {
                EXPECT_GT(fs::file_size(out), 0u);
            } else {
                EXPECT_FALSE(fs::exists(out));
            }
        }
    }
}

TEST_F(CliSweep, CountsAndPlacesOnTheCommandLine)
{
    struct Case
    {
        std::vector<std::string> args;
        int exitCode;
    };
    const Case cases[] = {
        {{"random", "-1"}, 2},
        {{"random", "0"}, 2},
        {{"random", "19"}, 0},
        {{"random", "4001"}, 0},
        {{"random", "2147483648"}, 2},
        {{"random", "x"}, 2},
        {{"convert", "--from", "deg", "--to", "rad", "--places", "-1"}, 2},
        {{"convert", "--from", "deg", "--to", "rad", "--places", "21"}, 2},
        {{"convert", "--from", "deg", "--to", "rad", "--places", "2147483648"}, 2},
        {{"convert", "--from", "deg", "--to", "rad", "--places", "20"}, 0},
        {{"stats", path("data.txt"), "--decimal-separator", ""}, 2},
        {{"stats", path("data.txt"), "--decimal-separator", "\xC3\xB3"}, 2},
    };
    writeAll(path("data.txt"), "10\n");
    for (const auto &c : cases) {
        std::string name;
        for (const auto &arg : c.args)
            name += arg + " ";
        SCOPED_TRACE(name);
        const CliRun run = cli(c.args);
        ASSERT_TRUE(endedCleanly(run));
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    }
}

TEST_F(CliSweep, ConverterOnOddStandardInput)
{
    const std::string cases[] = {
        std::string(100000, '\r'),
        std::string("1.5\0"
                    "2,5\n\xFF\xFE\n",
                    11),
        std::string(100000, '9'),
        std::string(20000, '.') + "\n" + std::string(20000, ','),
    };
    for (const auto &bytes : cases) {
        writeAll(path("in.txt"), bytes);
        const CliRun run = runCli(m_dir, {"convert", "--from", "grad", "--to", "deg"},
                                  std::chrono::seconds(60), path("in.txt"));
        ASSERT_TRUE(endedCleanly(run));
        EXPECT_EQ(run.exitCode, 0) << run.err;
    }
}

// 200 MB on one line: the reader takes it as one measurement with a long remark, in bounded
// time; the write-back keeps every byte of it.
TEST_F(CliSweep, TwoHundredMegabytesOnOneLine)
{
    const std::string file = path("huge.qrl");
    {
        std::ofstream out(file, std::ios::binary);
        out << "123 ";
        const std::string block(1 << 20, 'r');
        for (int i = 0; i < 200; ++i)
            out << block;
    }
    const auto bytesBefore = fs::file_size(file);
    CliRun run = runCli(m_dir, {"stats", file, "--json"}, std::chrono::seconds(120));
    ASSERT_TRUE(endedCleanly(run));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(jsonNumber(run.out, "measurements"), 1);
    EXPECT_EQ(jsonNumber(run.out, "errors"), 0);

    run = runCli(m_dir, {"set", file, "DescX=5"}, std::chrono::seconds(120));
    ASSERT_TRUE(endedCleanly(run));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // The long line gains CR LF and the parameter lines follow it.
    EXPECT_GT(fs::file_size(file), bytesBefore + 2);
    std::ifstream in(file, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(bytesBefore - 4));
    std::string around(8, '\0');
    in.read(around.data(), 8);
    EXPECT_EQ(around, "rrrr\r\n;D");
}

} // namespace
