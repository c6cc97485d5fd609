#include "core/tools/helppage.h"

#include "core/util/szdd.h"
#include "core/util/text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace quorel {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class TempDirs : public testing::Test
{
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path()
            / ("quorel-help-test-" + std::to_string(::getpid()) + "-"
               + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_root / "program");
        fs::create_directories(m_root / "tmp");
    }
    void TearDown() override { fs::remove_all(m_root); }

    std::string program() const { return (m_root / "program").string(); }
    std::string temp() const { return (m_root / "tmp").string() + "/"; }

    fs::path m_root;
};

struct PageCase
{
    const char *resource;
    const char *source;
    const char *title;
    const char *linkToOther;
};

class HelpResource : public testing::TestWithParam<PageCase>
{ };

TEST_P(HelpResource, IsThePackedHelpPage)
{
    const auto bytes = rawResource(GetParam().resource);
    ASSERT_TRUE(bytes);
    EXPECT_TRUE(isSzdd(*bytes));
    EXPECT_EQ(bytes->substr(0, 10),
              std::string_view("SZDD\x88\xF0\x27\x33"
                               "A\0",
                               10));

    const auto page = szddExpand(*bytes);
    ASSERT_TRUE(page.ok()) << page.message();
    const fs::path source =
        fs::path(QUOREL_FIXTURES_DIR) / ".." / ".." / "resources" / "help" / GetParam().source;
    EXPECT_EQ(*page, readFile(source)) << "the compiled-in page is the current source";
    EXPECT_TRUE(isValidUtf8(*page));
    EXPECT_NE(page->find(R"(<meta charset="utf-8">)"), std::string::npos);
    EXPECT_NE(page->find(GetParam().title), std::string::npos);
    EXPECT_NE(page->find(GetParam().linkToOther), std::string::npos);
    // The packed page is smaller than the page itself.
    EXPECT_LT(bytes->size(), page->size());
}

INSTANTIATE_TEST_SUITE_P(
    Pages, HelpResource,
    testing::Values(PageCase {"HELP", "pomoc.html", "<title>Quorel - Pomoc</title>",
                              R"(<a href="help-en.html")"},
                    PageCase {"HELP_EN", "help-en.html", "<title>Quorel - Help</title>",
                              R"(<a href="help.html")"}),
    [](const auto &test) { return std::string(test.param.resource); });

TEST(HelpResources, UnknownNamesHaveNoResource)
{
    EXPECT_FALSE(rawResource("help"));
    EXPECT_FALSE(rawResource(""));
    EXPECT_FALSE(saveResourceToFile("NOPE", "/tmp/never-written"));
    EXPECT_FALSE(fs::exists("/tmp/never-written"));
}

TEST_F(TempDirs, PagesGoIntoTheirFolderMadeWhenMissingAndTheCopyIsDeleted)
{
    const std::string cache = (m_root / "cache" / "quorel").string();
    const auto page = writeHelpPage(cache, temp(), HelpLanguage::Polish);
    ASSERT_TRUE(page);
    EXPECT_EQ(*page, cache + "/help.html");
    EXPECT_EQ(readFile(*page), *szddExpand(*rawResource("HELP")));
    // The page the other one links to is beside it.
    EXPECT_EQ(readFile(cache + "/help-en.html"), *szddExpand(*rawResource("HELP_EN")));
    EXPECT_EQ(writeHelpPage(cache, temp(), HelpLanguage::English), cache + "/help-en.html");
    EXPECT_FALSE(fs::exists(temp() + std::string(compressedHelpName)));
    EXPECT_FALSE(fs::exists(temp() + "help.html"));
}

TEST_F(TempDirs, UnwritableFolderFallsBackToTemp)
{
    // A file where the folder should be: it can be neither made nor written into.
    std::ofstream((m_root / "blocked").string()) << "";
    const auto page =
        writeHelpPage((m_root / "blocked" / "quorel").string(), temp(), HelpLanguage::Polish);
    ASSERT_TRUE(page);
    EXPECT_EQ(*page, temp() + "help.html");
    EXPECT_TRUE(fs::exists(*page));
    EXPECT_FALSE(fs::exists(temp() + std::string(compressedHelpName)));
}

TEST_F(TempDirs, PageIsRewrittenOnEveryCall)
{
    std::ofstream(program() + "/help.html") << "old";
    const auto page = writeHelpPage(program(), temp(), HelpLanguage::Polish);
    ASSERT_TRUE(page);
    EXPECT_NE(readFile(*page), "old");
}

TEST_F(TempDirs, NoPlaceGivesNothing)
{
    std::ofstream((m_root / "blocked").string()) << "";
    const auto blocked = (m_root / "blocked" / "quorel").string();
    EXPECT_FALSE(writeHelpPage(blocked, blocked + "/", HelpLanguage::English));
}

struct JoinCase
{
    const char *name;
    const char *folder;
    const char *file;
    const char *expected;
};

class JoinPath : public testing::TestWithParam<JoinCase>
{ };

TEST_P(JoinPath, UsesExactlyOneSlash)
{
    EXPECT_EQ(joinPath(GetParam().folder, GetParam().file), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JoinPath,
    testing::Values(JoinCase {"Plain", "/opt/q", "help.html", "/opt/q/help.html"},
                    JoinCase {"TrailingSlash", "/tmp/", "help.html", "/tmp/help.html"},
                    JoinCase {"LeadingSlash", "/tmp/", "/help.html", "/tmp/help.html"},
                    JoinCase {"Root", "/", "help.html", "/help.html"},
                    JoinCase {"EmptyFolderIsRelative", "", "x", "x"}),
    [](const auto &test) { return std::string(test.param.name); });

} // namespace
} // namespace quorel
