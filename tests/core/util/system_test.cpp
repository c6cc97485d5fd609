#include "core/util/system.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorel {
namespace {

using test::TempDir;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const char *value)
        : m_name(name)
    {
        if (const char *old = std::getenv(name))
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    const char *m_name;
    std::optional<std::string> m_old;
};

TEST(UserName, IsTheAccountName)
{
    const passwd *entry = getpwuid(getuid());
    ASSERT_NE(entry, nullptr);
    // The account wins over a $USER that says something else.
    ScopedEnv user("USER", "somebody-else");
    EXPECT_EQ(userName(), entry->pw_name);
}

struct TempCase
{
    const char *name;
    const char *tmpdir; // nullptr: unset
    const char *expected;
};

class TempFolder : public testing::TestWithParam<TempCase>
{ };

TEST_P(TempFolder, FollowsTmpdirWithATrailingSlash)
{
    ScopedEnv tmpdir("TMPDIR", GetParam().tmpdir);
    EXPECT_EQ(tempFolder(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environment, TempFolder,
    testing::Values(TempCase {"Unset", nullptr, "/tmp/"}, TempCase {"Empty", "", "/tmp/"},
                    TempCase {"NoSlash", "/var/tmp", "/var/tmp/"},
                    TempCase {"WithSlash", "/var/tmp/", "/var/tmp/"}, TempCase {"Root", "/", "/"}),
    [](const testing::TestParamInfo<TempCase> &test) { return test.param.name; });

TEST(TempFolder, ANameWithALeadingSlashMakesAUsablePath)
{
    TempDir dir;
    ScopedEnv tmpdir("TMPDIR", dir.path().c_str());
    // Callers append "/help.html": the doubled slash must still name the file.
    const std::string path = tempFolder() + "/help.html";
    dir.make("help.html", "x");
    EXPECT_TRUE(fileExists(path));
}

TEST(ProgramCacheFolder, FollowsXdgCacheHomeElseHome)
{
    struct Case
    {
        const char *name;
        const char *cacheHome; // nullptr: unset
        const char *home;
        const char *expected;
    };
    const Case cases[] = {
        {"cache home", "/c/cache", "/h", "/c/cache/quorel"},
        {"unset", nullptr, "/h", "/h/.cache/quorel"},
        {"empty", "", "/h", "/h/.cache/quorel"},
        {"relative cache home is ignored", "cache", "/h", "/h/.cache/quorel"},
        {"no home at all", nullptr, nullptr, ""},
    };
    for (const Case &c : cases) {
        ScopedEnv cache("XDG_CACHE_HOME", c.cacheHome);
        ScopedEnv home("HOME", c.home);
        EXPECT_EQ(programCacheFolder(), c.expected) << c.name;
    }
}

TEST(ProgramPath, NamesThisExecutable)
{
    const std::string path = programPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_TRUE(fileExists(path));
    // The very file the kernel runs, whatever this test binary is called.
    struct stat named
    {
    }, running {};
    ASSERT_EQ(stat(path.c_str(), &named), 0);
    ASSERT_EQ(stat("/proc/self/exe", &running), 0);
    EXPECT_EQ(named.st_ino, running.st_ino);
    EXPECT_EQ(named.st_dev, running.st_dev);

    const std::string folder = programFolder();
    EXPECT_TRUE(directoryExists(folder));
    EXPECT_NE(folder.back(), '/');
    EXPECT_EQ(path.substr(0, folder.size() + 1), folder + "/");
}

struct ParentCase
{
    const char *name;
    const char *path;
    const char *expected;
};

class ParentFolder : public testing::TestWithParam<ParentCase>
{ };

TEST_P(ParentFolder, DropsTheLastName)
{
    EXPECT_EQ(parentFolder(GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ParentFolder,
    testing::Values(ParentCase {"File", "/usr/bin/quorel", "/usr/bin"},
                    ParentCase {"TrailingSlash", "/usr/bin/", "/usr"},
                    ParentCase {"InRoot", "/quorel", "/"}, ParentCase {"Root", "/", "/"},
                    ParentCase {"DoubledSlash", "/usr//quorel", "/usr"},
                    ParentCase {"Relative", "bin/quorel", "bin"},
                    ParentCase {"BareName", "quorel", "."}, ParentCase {"Empty", "", "."}),
    [](const testing::TestParamInfo<ParentCase> &test) { return test.param.name; });

// What the two existence tests say about each kind of path.
struct KindCase
{
    const char *name;
    const char *path; // inside the fixture folder
    bool isDirectory;
    bool isFile;
};

class ExistenceTests : public testing::TestWithParam<KindCase>
{
protected:
    void SetUp() override
    {
        m_dir.make("file", "data");
        std::filesystem::create_directory(m_dir.file("folder"));
        std::filesystem::create_symlink(m_dir.file("file"), m_dir.file("link-to-file"));
        std::filesystem::create_symlink(m_dir.file("folder"), m_dir.file("link-to-folder"));
        std::filesystem::create_symlink(m_dir.file("gone"), m_dir.file("dangling"));
        ASSERT_EQ(mkfifo(m_dir.file("fifo").c_str(), 0600), 0);
    }
    TempDir m_dir;
};

TEST_P(ExistenceTests, TellFilesFromFolders)
{
    const std::string path = m_dir.file(GetParam().path);
    EXPECT_EQ(directoryExists(path), GetParam().isDirectory);
    EXPECT_EQ(fileExists(path), GetParam().isFile);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ExistenceTests,
                         testing::Values(KindCase {"File", "file", false, true},
                                         KindCase {"Folder", "folder", true, false},
                                         KindCase {"LinkToFile", "link-to-file", false, true},
                                         KindCase {"LinkToFolder", "link-to-folder", true, false},
                                         KindCase {"DanglingLink", "dangling", false, false},
                                         KindCase {"Fifo", "fifo", false, false},
                                         KindCase {"Missing", "missing", false, false},
                                         KindCase {"FileAsFolder", "file/x", false, false}),
                         [](const testing::TestParamInfo<KindCase> &test) {
                             return test.param.name;
                         });

TEST(ExistenceTests, EmptyPathIsNothing)
{
    EXPECT_FALSE(directoryExists(""));
    EXPECT_FALSE(fileExists(""));
}

class DeleteFile : public testing::Test
{
protected:
    TempDir m_dir;
};

TEST_F(DeleteFile, RemovesAnOrdinaryFile)
{
    const std::string path = m_dir.make("a.qrl", "1");
    EXPECT_TRUE(deleteFile(path));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(DeleteFile, RemovesAReadOnlyFile)
{
    const std::string path = m_dir.make("a.qrl", "1");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_TRUE(deleteFile(path));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(DeleteFile, AMissingFileCountsAsDone)
{
    EXPECT_TRUE(deleteFile(m_dir.file("never-was")));
}

TEST_F(DeleteFile, RemovesALinkButNotItsTarget)
{
    const std::string target = m_dir.make("target", "keep me");
    std::filesystem::create_symlink(target, m_dir.file("link"));
    EXPECT_TRUE(deleteFile(m_dir.file("link")));
    EXPECT_FALSE(std::filesystem::is_symlink(m_dir.file("link")));
    EXPECT_EQ(TempDir::read(target), "keep me");
}

TEST_F(DeleteFile, RefusesAFolder)
{
    std::filesystem::create_directory(m_dir.file("folder"));
    EXPECT_FALSE(deleteFile(m_dir.file("folder")));
    EXPECT_TRUE(directoryExists(m_dir.file("folder")));
}

TEST_F(DeleteFile, FailureInALockedFolderKeepsTheFileAndItsMode)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser may delete in any folder";
    std::filesystem::create_directory(m_dir.file("locked"));
    const std::string path = m_dir.make("locked/a.qrl", "1");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    ASSERT_EQ(chmod(m_dir.file("locked").c_str(), 0555), 0);
    EXPECT_FALSE(deleteFile(path));
    struct stat info
    { };
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0444u);
    chmod(m_dir.file("locked").c_str(), 0755);
}

struct SeparatorCase
{
    const char *name;
    const char *decimalPoint;
    char expected;
};

class DecimalSeparator : public testing::TestWithParam<SeparatorCase>
{ };

TEST_P(DecimalSeparator, FromTheLocalesText)
{
    EXPECT_EQ(decimalSeparatorFromLocale(GetParam().decimalPoint), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Locales, DecimalSeparator,
                         testing::Values(SeparatorCase {"Point", ".", '.'},
                                         SeparatorCase {"Comma", ",", ','},
                                         SeparatorCase {"Empty", "", ','},
                                         SeparatorCase {"ArabicMultiByte", "\xD9\xAB", ','}),
                         [](const testing::TestParamInfo<SeparatorCase> &test) {
                             return test.param.name;
                         });

TEST(DecimalSeparator, ReadsTheEnvironmentAndLeavesTheProcessLocaleAlone)
{
    ScopedEnv all("LC_ALL", "C");
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    EXPECT_EQ(systemDecimalSeparator(), '.');
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), before);
    EXPECT_EQ(std::localeconv()->decimal_point, std::string("."));
}

TEST(DecimalSeparator, AnUnknownLocaleStillGivesASeparator)
{
    ScopedEnv all("LC_ALL", "xx_NOWHERE.UTF-8");
    const char separator = systemDecimalSeparator();
    EXPECT_TRUE(separator == '.' || separator == ',');
}

} // namespace
} // namespace quorel
