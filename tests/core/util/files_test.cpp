#include "core/util/files.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorel {
namespace {

using test::TempDir;

mode_t modeOf(const std::string &path)
{
    struct stat info
    { };
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Lowers the largest file size the process may write, the way a full disk stops a write part
// of the way through; the old limit comes back at the end of the scope.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

std::string sampleBytes(std::size_t size)
{
    std::mt19937 engine(42);
    std::string bytes(size, '\0');
    for (char &c : bytes)
        c = static_cast<char>(engine() & 0xFF);
    return bytes;
}

class ReadFileBytes : public testing::Test
{
protected:
    TempDir m_dir;
};

struct ContentCase
{
    const char *name;
    std::string bytes;
};

class ReadFileContents : public testing::TestWithParam<ContentCase>
{
protected:
    TempDir m_dir;
};

TEST_P(ReadFileContents, GivesEveryByteUnchanged)
{
    const auto result = readFileBytes(m_dir.make("data", GetParam().bytes));
    ASSERT_TRUE(result.ok()) << result.message();
    EXPECT_TRUE(*result == GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, ReadFileContents,
    testing::Values(ContentCase {"Empty", ""},
                    ContentCase {"CrLfLines", "10\r\n20\r\n;DiagWidth=460\r\n"},
                    ContentCase {"EmbeddedNul",
                                 std::string("12\0"
                                             "34\n",
                                             6)},
                    ContentCase {"Windows1250", "45 \xB3\xB9ka\r\n"},
                    ContentCase {"LargerThanOneChunk", sampleBytes(200000)}),
    [](const testing::TestParamInfo<ContentCase> &test) { return test.param.name; });

TEST_F(ReadFileBytes, MissingFileNamesTheFileAndTheReason)
{
    const std::string path = m_dir.file("missing.qrl");
    const auto result = readFileBytes(path);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.message(), "Cannot open file \"" + path + "\". No such file or directory");
}

TEST_F(ReadFileBytes, FolderIsRefused)
{
    const auto result = readFileBytes(m_dir.path());
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.message(), "Cannot open file \"" + m_dir.path() + "\". Is a directory");
}

TEST_F(ReadFileBytes, FifoWithoutWriterIsRefusedAtOnce)
{
    const std::string path = m_dir.file("fifo");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    const auto result = readFileBytes(path); // would block forever without O_NONBLOCK
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.message().rfind("Cannot open file \"" + path + "\". ", 0), 0u);
}

TEST_F(ReadFileBytes, DeviceIsRefused)
{
    EXPECT_FALSE(readFileBytes("/dev/zero").ok()); // endless otherwise
}

TEST_F(ReadFileBytes, UnreadableFileFails)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser reads every file";
    const std::string path = m_dir.make("secret", "x");
    chmod(path.c_str(), 0);
    const auto result = readFileBytes(path);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.message(), "Cannot open file \"" + path + "\". Permission denied");
}

class WriteFile : public testing::Test
{
protected:
    TempDir m_dir;
};

TEST_F(WriteFile, CreatesAndReplacesWithExactlyTheBytes)
{
    const std::string path = m_dir.file("out.qrl");
    ASSERT_TRUE(writeFile(path, "a longer first version\r\n").ok());
    EXPECT_EQ(TempDir::read(path), "a longer first version\r\n");
    // A shorter second version must not keep the tail of the first.
    ASSERT_TRUE(writeFile(path, std::string("x\0y", 3)).ok());
    EXPECT_EQ(TempDir::read(path), std::string("x\0y", 3));
}

TEST_F(WriteFile, MissingFolderNamesTheFileAndTheReason)
{
    const std::string path = m_dir.file("no/such/out.qrl");
    const auto result = writeFile(path, "x");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.message(), "Cannot create file \"" + path + "\". No such file or directory");
}

TEST_F(WriteFile, FolderAndFifoAreRefusedAtOnce)
{
    EXPECT_FALSE(writeFile(m_dir.path(), "x").ok());
    const std::string fifo = m_dir.file("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(writeFile(fifo, "x").ok()); // would block forever without O_NONBLOCK
}

TEST_F(WriteFile, AWriteCutShortIsAFailure)
{
    const std::string path = m_dir.file("big.bin");
    Status result = success();
    {
        FileSizeLimit limit(1000);
        result = writeFile(path, sampleBytes(5000));
    }
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.message(), "Cannot write file \"" + path + "\". File too large");
}

// Pieces made one after another, as a generator makes a file too large to hold.
NextPiece pieces(int count, const std::string &piece)
{
    return [count, piece](std::string &out) mutable {
        if (count-- <= 0)
            return false;
        out += piece;
        return true;
    };
}

TEST_F(WriteFile, InPiecesWritesThemInOrderAndStopsAtAFullDevice)
{
    const std::string path = m_dir.file("pieces.qrl");
    ASSERT_TRUE(writeFileInPieces(path, pieces(3, "12.5\r\n")).ok());
    EXPECT_EQ(TempDir::read(path), "12.5\r\n12.5\r\n12.5\r\n");

    // A device takes the bytes directly; a full one ends the write at the first piece.
    int asked = 0;
    const Status full = writeFileInPieces("/dev/full", [&asked](std::string &out) {
        out = "x";
        return ++asked < 1000000;
    });
    ASSERT_FALSE(full.ok());
    EXPECT_EQ(full.message(), "Cannot write file \"/dev/full\". No space left on device");
    EXPECT_EQ(asked, 1);

    // Cut short: the file that was there keeps its bytes, a new one is not left behind.
    const std::string fresh = m_dir.file("fresh.qrl");
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(writeFileInPieces(path, pieces(100, sampleBytes(100))).ok());
        EXPECT_FALSE(writeFileInPieces(fresh, pieces(100, sampleBytes(100))).ok());
    }
    EXPECT_EQ(TempDir::read(path), "12.5\r\n12.5\r\n12.5\r\n");
    EXPECT_FALSE(std::filesystem::exists(fresh));
}

class WriteFileAtomic : public testing::Test
{
protected:
    TempDir m_dir;
};

TEST_F(WriteFileAtomic, ReplacesTheContentsAndLeavesNoTemporary)
{
    const std::string path = m_dir.make("joints.qrl", "old contents that are longer\r\n");
    ASSERT_TRUE(writeFileAtomic(path, "new\r\n").ok());
    EXPECT_EQ(TempDir::read(path), "new\r\n");
    EXPECT_EQ(m_dir.entryCount(), 1u);
}

TEST_F(WriteFileAtomic, CreatesANewFileWithTheUsualMode)
{
    const mode_t mask = umask(022);
    const std::string path = m_dir.file("new.qrl");
    const auto result = writeFileAtomic(path, "10\r\n");
    umask(mask);
    ASSERT_TRUE(result.ok()) << result.message();
    EXPECT_EQ(TempDir::read(path), "10\r\n");
    EXPECT_EQ(modeOf(path), 0644u);
}

struct ModeCase
{
    const char *name;
    mode_t mode;
};

class WriteFileAtomicMode : public testing::TestWithParam<ModeCase>
{
protected:
    TempDir m_dir;
};

TEST_P(WriteFileAtomicMode, KeepsThePermissionBits)
{
    const std::string path = m_dir.make("joints.qrl", "old");
    ASSERT_EQ(chmod(path.c_str(), GetParam().mode), 0);
    ASSERT_TRUE(writeFileAtomic(path, "new").ok());
    EXPECT_EQ(modeOf(path), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(Modes, WriteFileAtomicMode,
                         testing::Values(ModeCase {"Private", 0600}, ModeCase {"Group", 0640},
                                         ModeCase {"Executable", 0755},
                                         ModeCase {"GroupWritable", 0664}),
                         [](const testing::TestParamInfo<ModeCase> &test) {
                             return test.param.name;
                         });

TEST_F(WriteFileAtomic, WriteCutShortKeepsTheOriginal)
{
    const std::string path = m_dir.make("joints.qrl", "the original\r\n");
    Status result = success();
    {
        FileSizeLimit limit(1000);
        result = writeFileAtomic(path, sampleBytes(5000));
    }
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.message(), "Cannot write file \"" + path + "\". File too large");
    EXPECT_EQ(TempDir::read(path), "the original\r\n");
    EXPECT_EQ(m_dir.entryCount(), 1u); // the temporary is gone
}

TEST_F(WriteFileAtomic, MissingFolderFails)
{
    const std::string path = m_dir.file("no/such/joints.qrl");
    const auto result = writeFileAtomic(path, "x");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.message(), "Cannot create file \"" + path + "\". No such file or directory");
}

TEST_F(WriteFileAtomic, FolderInTheWayFailsAndStays)
{
    std::filesystem::create_directory(m_dir.file("joints.qrl"));
    EXPECT_FALSE(writeFileAtomic(m_dir.file("joints.qrl"), "x").ok());
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.file("joints.qrl")));
    EXPECT_EQ(m_dir.entryCount(), 1u);
}

TEST_F(WriteFileAtomic, ThroughALinkReplacesTheTargetAndKeepsTheLink)
{
    std::filesystem::create_directory(m_dir.file("data"));
    const std::string target = m_dir.make("data/joints.qrl", "old");
    const std::string link = m_dir.file("joints.qrl");
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(writeFileAtomic(link, "new").ok());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempDir::read(target), "new");
}

TEST_F(WriteFileAtomic, ReadOnlyFolderFailsWithoutChange)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser may write in any folder";
    std::filesystem::create_directory(m_dir.file("locked"));
    const std::string path = m_dir.make("locked/joints.qrl", "old");
    chmod(m_dir.file("locked").c_str(), 0555);
    EXPECT_FALSE(writeFileAtomic(path, "new").ok());
    EXPECT_EQ(TempDir::read(path), "old");
    chmod(m_dir.file("locked").c_str(), 0755);
}

} // namespace
} // namespace quorel
