// Fault injection on everything that overwrites a user's file: the write-back of display
// parameters, "Save graph..." and the HTML report. Each operation runs in a child process
// where the fault is made real: a read-only folder or file (as an unprivileged user when the
// tests run as root, who ignores permission bits), a full disk (a file-size limit) and a kill in
// the middle of the write (the same limit with its signal left deadly). Whatever happens, the
// file ends up either exactly replaced or exactly as it was, and a failure carries a message.
#include "core/diagram/picture.h"
#include "core/diagram/wmfwriter.h"
#include "core/persist/writeback.h"
#include "core/tools/htmlreport.h"
#include "core/util/files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iterator>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace quorel;
namespace fs = std::filesystem;

namespace {

constexpr uid_t unprivilegedId = 65534; // "nobody"

std::string readAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The faults a child process can meet.
enum class Fault {
    None,
    DiskFull, // writes beyond a size limit fail with "File too large"
    KilledMidWrite, // the process dies when a write crosses the size limit
};

// What the child reported, or how it ended.
struct Outcome
{
    bool reported = false; // the operation returned and the child said so
    bool ok = false;
    std::string message;
    int signal = 0; // the child was killed by this signal
    bool couldNotDropPrivileges = false;
};

// Runs `operation` in a child process: as the unprivileged user when we are root, with the
// fault's size limit of `limit` bytes.
Outcome runInChild(const std::function<Status()> &operation, Fault fault, rlim_t limit)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::geteuid() == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(unprivilegedId) != 0
                || ::setuid(unprivilegedId) != 0)
                _exit(3);
            // A temporary folder inside a folder only root may enter cannot be used either.
            if (::access(fs::temp_directory_path().c_str(), X_OK) != 0)
                _exit(3);
        }
        if (fault != Fault::None) {
            std::signal(SIGXFSZ, fault == Fault::DiskFull ? SIG_IGN : SIG_DFL);
            const rlimit size {limit, limit};
            if (::setrlimit(RLIMIT_FSIZE, &size) != 0)
                _exit(4);
        }
        const Status status = operation();
        const std::string answer = (status.ok() ? "1" : "0" + status.message());
        [[maybe_unused]] const auto written = ::write(pipeFds[1], answer.data(), answer.size());
        _exit(0);
    }
    ::close(pipeFds[1]);
    std::string answer;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);

    Outcome outcome;
    if (WIFSIGNALED(status))
        outcome.signal = WTERMSIG(status);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 3)
        outcome.couldNotDropPrivileges = true;
    if (!answer.empty()) {
        outcome.reported = true;
        outcome.ok = answer[0] == '1';
        outcome.message = answer.substr(1);
    }
    return outcome;
}

// Gives the tree to the unprivileged user when we are root, so the child may work in it.
void handOver(const std::string &path)
{
    if (::geteuid() != 0)
        return;
    [[maybe_unused]] int ignored = ::chown(path.c_str(), unprivilegedId, unprivilegedId);
    if (fs::is_directory(path)) {
        for (const auto &entry : fs::recursive_directory_iterator(path))
            ignored = ::chown(entry.path().c_str(), unprivilegedId, unprivilegedId);
    }
}

// Files in the folder whose names start with a dot: the temporary files of a replacement.
std::vector<std::string> leftovers(const std::string &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("."))
            names.push_back(name);
    }
    return names;
}

// The operations under test. Each overwrites `path` (for the report: the page beside its
// pictures) with new bytes that are larger than `limit` in the size-limited faults.
struct Operation
{
    const char *name;
    const char *fileName;
    std::function<Status(const std::string &path)> run;
    std::function<bool(const std::string &bytes)> isNew; // the bytes are the new contents
};

DiagramStyle newStyle()
{
    DiagramStyle style = DiagramStyle::firstRun();
    style.descriptionText = "new description";
    return style;
}

Picture largePicture()
{
    Picture picture(460, 460);
    picture.selectFont({"Arial", 10, clBlack, false, false, false});
    for (int i = 0; i < 2000; ++i)
        picture.text(i % 400, i % 300, "label " + std::to_string(i));
    return picture;
}

std::vector<Operation> operations()
{
    return {
        {"write-back", "joints.qrl",
         [](const std::string &path) { return writeDisplayParameters(path, newStyle(), "tester"); },
         [](const std::string &bytes) {
             return bytes.find(";DescText=new description\r\n") != std::string::npos;
         }},
        {"save graph", "diagram.wmf",
         [](const std::string &path) {
             return writeFile(path, writePlaceableWmf(largePicture(), classicSystemColors()));
         },
         [](const std::string &bytes) {
             return bytes == writePlaceableWmf(largePicture(), classicSystemColors());
         }},
        {"HTML report", "report.html",
         [](const std::string &path) {
             const std::string page = "<html>" + std::string(6000, 'n') + "</html>\r\n";
             return writeHtmlReport(htmlReportPaths(path), "new wmf", "new svg", page);
         },
         [](const std::string &bytes) {
             return bytes.starts_with("<html>nnn");
         }},
    };
}

// The old contents: a data file with a parameter block, about 3000 bytes.
std::string oldContents()
{
    std::string bytes = "// old file\r\n;DescText=old\r\n";
    for (int i = 0; i < 300; ++i)
        bytes += std::to_string(i % 360) + " 45\r\n";
    return bytes;
}

class FaultInjection : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "quorel-faults-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        m_folder = m_root + "/data";
        fs::create_directory(m_folder);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_root, ignored);
    }

    // Makes the operation's file (and the report's pictures) with the old contents.
    std::string prepare(const Operation &operation)
    {
        for (const auto &entry : fs::directory_iterator(m_folder))
            fs::remove_all(entry.path());
        const std::string path = m_folder + "/" + operation.fileName;
        writeAll(path, oldContents());
        if (std::string(operation.name) == "HTML report") {
            const HtmlReportPaths paths = htmlReportPaths(path);
            writeAll(paths.wmf, "old wmf");
            writeAll(paths.svg, "old svg");
        }
        handOver(m_root);
        return path;
    }

    std::string m_root;
    std::string m_folder;
};

TEST_F(FaultInjection, NoFaultReplacesTheFile)
{
    for (const auto &operation : operations()) {
        SCOPED_TRACE(operation.name);
        const std::string path = prepare(operation);
        const Outcome outcome =
            runInChild([&] { return operation.run(path); }, Fault::None, RLIM_INFINITY);
        if (outcome.couldNotDropPrivileges)
            GTEST_SKIP() << "no unprivileged user can work in the temporary folder here";
        ASSERT_TRUE(outcome.reported);
        EXPECT_TRUE(outcome.ok) << outcome.message;
        EXPECT_TRUE(operation.isNew(readAll(path)));
        EXPECT_TRUE(leftovers(m_folder).empty());
    }
}

TEST_F(FaultInjection, ReadOnlyFileIsRefusedAndKept)
{
    for (const auto &operation : operations()) {
        SCOPED_TRACE(operation.name);
        const std::string path = prepare(operation);
        ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
        const Outcome outcome =
            runInChild([&] { return operation.run(path); }, Fault::None, RLIM_INFINITY);
        if (outcome.couldNotDropPrivileges)
            GTEST_SKIP() << "no unprivileged user can work in the temporary folder here";
        ASSERT_TRUE(outcome.reported);
        EXPECT_FALSE(outcome.ok);
        EXPECT_NE(outcome.message.find("\"" + path + "\""), std::string::npos) << outcome.message;
        EXPECT_NE(outcome.message.find("Permission denied"), std::string::npos) << outcome.message;
        EXPECT_TRUE(readAll(path) == oldContents()) << "the old file was changed";
        EXPECT_TRUE(leftovers(m_folder).empty());
    }
}

TEST_F(FaultInjection, ReadOnlyFolderKeepsTheFileOrReplacesItWhole)
{
    for (const auto &operation : operations()) {
        SCOPED_TRACE(operation.name);
        const std::string path = prepare(operation);
        ASSERT_EQ(::chmod(m_folder.c_str(), 0555), 0);
        const Outcome outcome =
            runInChild([&] { return operation.run(path); }, Fault::None, RLIM_INFINITY);
        ASSERT_EQ(::chmod(m_folder.c_str(), 0755), 0);
        if (outcome.couldNotDropPrivileges)
            GTEST_SKIP() << "no unprivileged user can work in the temporary folder here";
        ASSERT_TRUE(outcome.reported);
        // The file itself is writable, so it may be rewritten in place; either way it is whole.
        if (outcome.ok) {
            EXPECT_TRUE(operation.isNew(readAll(path)));
        } else {
            EXPECT_NE(outcome.message.find("Permission denied"), std::string::npos)
                << outcome.message;
            EXPECT_TRUE(readAll(path) == oldContents()) << "the old file was changed";
        }
        EXPECT_TRUE(leftovers(m_folder).empty());
    }
}

TEST_F(FaultInjection, NewFileInReadOnlyFolderIsRefused)
{
    for (const auto &operation : operations()) {
        if (std::string(operation.name) == "write-back")
            continue; // the write-back never creates a file
        SCOPED_TRACE(operation.name);
        const std::string path = m_folder + "/" + operation.fileName;
        handOver(m_root);
        ASSERT_EQ(::chmod(m_folder.c_str(), 0555), 0);
        const Outcome outcome =
            runInChild([&] { return operation.run(path); }, Fault::None, RLIM_INFINITY);
        ASSERT_EQ(::chmod(m_folder.c_str(), 0755), 0);
        if (outcome.couldNotDropPrivileges)
            GTEST_SKIP() << "no unprivileged user can work in the temporary folder here";
        ASSERT_TRUE(outcome.reported);
        EXPECT_FALSE(outcome.ok);
        EXPECT_NE(outcome.message.find("Permission denied"), std::string::npos) << outcome.message;
        EXPECT_TRUE(fs::is_empty(m_folder));
    }
}

TEST_F(FaultInjection, FullDiskKeepsTheOldFile)
{
    for (const auto &operation : operations()) {
        SCOPED_TRACE(operation.name);
        const std::string path = prepare(operation);
        const Outcome outcome =
            runInChild([&] { return operation.run(path); }, Fault::DiskFull, 1000);
        if (outcome.couldNotDropPrivileges)
            GTEST_SKIP() << "no unprivileged user can work in the temporary folder here";
        ASSERT_TRUE(outcome.reported);
        EXPECT_FALSE(outcome.ok);
        EXPECT_NE(outcome.message.find("File too large"), std::string::npos) << outcome.message;
        EXPECT_TRUE(readAll(path) == oldContents()) << "the old file was changed";
        EXPECT_TRUE(leftovers(m_folder).empty());
    }
}

TEST_F(FaultInjection, KillMidWriteKeepsTheOldFile)
{
    for (const auto &operation : operations()) {
        SCOPED_TRACE(operation.name);
        const std::string path = prepare(operation);
        const Outcome outcome =
            runInChild([&] { return operation.run(path); }, Fault::KilledMidWrite, 1000);
        if (outcome.couldNotDropPrivileges)
            GTEST_SKIP() << "no unprivileged user can work in the temporary folder here";
        EXPECT_FALSE(outcome.reported);
        EXPECT_EQ(outcome.signal, SIGXFSZ);
        EXPECT_TRUE(readAll(path) == oldContents()) << "the old file was changed";
        // A dead process cannot remove its half-written temporary; it stays hidden beside the
        // file and is never read as data.
        for (const auto &name : leftovers(m_folder))
            EXPECT_TRUE(name.starts_with("." + std::string(operation.fileName) + ".")) << name;
    }
}

TEST_F(FaultInjection, MissingFolderIsReported)
{
    for (const auto &operation : operations()) {
        SCOPED_TRACE(operation.name);
        const std::string path = m_root + "/gone/" + operation.fileName;
        handOver(m_root);
        const Outcome outcome =
            runInChild([&] { return operation.run(path); }, Fault::None, RLIM_INFINITY);
        if (outcome.couldNotDropPrivileges)
            GTEST_SKIP() << "no unprivileged user can work in the temporary folder here";
        ASSERT_TRUE(outcome.reported);
        // The write-back finds no file and does nothing; the others say why they failed.
        if (std::string(operation.name) == "write-back") {
            EXPECT_TRUE(outcome.ok);
        } else {
            EXPECT_FALSE(outcome.ok);
            EXPECT_NE(outcome.message.find("No such file or directory"), std::string::npos)
                << outcome.message;
        }
    }
}

} // namespace
