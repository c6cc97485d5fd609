#include "core/persist/association.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>

using namespace quorel;
using quorel::test::readBytes;
using quorel::test::TempDir;
using quorel::test::writeBytes;

namespace {

// A user's data and configuration folders inside a temporary folder, with no system folders.
struct XdgHome
{
    TempDir dir;
    AssociationFolders folders {dir.path() + "/data", dir.path() + "/config",
                                dir.path() + "/system"};

    std::string package() const { return folders.dataHome + "/mime/packages/quorel.xml"; }
    std::string desktop() const { return folders.dataHome + "/applications/quorel.desktop"; }
    std::string mimeApps() const { return folders.configHome + "/mimeapps.list"; }
};

bool installed(const char *tool)
{
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// `xdg-mime query default TYPE` under the temporary home.
std::string xdgDefault(const XdgHome &home, std::string_view type)
{
    const std::string command = "env XDG_DATA_HOME='" + home.folders.dataHome
        + "' XDG_CONFIG_HOME='" + home.folders.configHome + "' XDG_DATA_DIRS='"
        + home.folders.dataDirs + "' XDG_CURRENT_DESKTOP= DE= xdg-mime query default "
        + std::string(type) + " 2>/dev/null";
    std::string out;
    if (FILE *pipe = ::popen(command.c_str(), "r")) {
        std::array<char, 256> buffer {};
        while (std::fgets(buffer.data(), buffer.size(), pipe))
            out += buffer.data();
        ::pclose(pipe);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

} // namespace

TEST(Association, ExecArgumentQuoting)
{
    struct Case
    {
        const char *name;
        std::string path;
        std::string exec;
    };
    const Case cases[] = {
        {"plain path", "/usr/bin/quorel", "/usr/bin/quorel"},
        {"blank quoted", "/opt/my apps/quorel", "\"/opt/my apps/quorel\""},
        {"percent doubled", "/opt/100%/quorel", "/opt/100%%/quorel"},
        {"dollar escaped in quotes", "/opt/$x/quorel", "\"/opt/\\\\$x/quorel\""},
        {"quote escaped", "/opt/a\"b/quorel", "\"/opt/a\\\\\"b/quorel\""},
        {"backslash four times", "/opt/a\\b/quorel", "\"/opt/a\\\\\\\\b/quorel\""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(quoteExecArgument(c.path), c.exec) << c.name;
    EXPECT_NE(desktopEntryText("/opt/my apps/quorel", "application/x-quorel")
                  .find("\nExec=\"/opt/my apps/quorel\" %f\n"),
              std::string::npos);
}

TEST(Association, MimeAppsListEditing)
{
    struct Case
    {
        const char *name;
        std::string before;
        std::string desktop; // empty: remove
        std::string after;
    };
    const std::string type = "application/x-quorel";
    const Case cases[] = {
        {"new file", "", "quorel.desktop",
         "[Default Applications]\napplication/x-quorel=quorel.desktop\n"},
        {"other sections kept, section appended",
         "[Added Associations]\ntext/plain=gedit.desktop;\n", "quorel.desktop",
         "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n"
         "application/x-quorel=quorel.desktop\n"},
        {"added to the existing section",
         "[Default Applications]\ntext/plain=a.desktop\n\n[X]\nk=v\n", "quorel.desktop",
         "[Default Applications]\ntext/plain=a.desktop\napplication/x-quorel=quorel.desktop\n\n"
         "[X]\nk=v\n"},
        {"other default replaced", "[Default Applications]\napplication/x-quorel=other.desktop\n",
         "quorel.desktop", "[Default Applications]\napplication/x-quorel=quorel.desktop\n"},
        {"removal keeps other lines",
         "[Default Applications]\ntext/plain=a.desktop\napplication/x-quorel=quorel.desktop\n", "",
         "[Default Applications]\ntext/plain=a.desktop\n"},
        {"removal keeps other applications of the type",
         "[Added Associations]\napplication/x-quorel=quorel.desktop;other.desktop;\n", "",
         "[Added Associations]\napplication/x-quorel=other.desktop;\n"},
        {"removal drops the installed entry too",
         "[Default Applications]\napplication/x-quorel=org.quorel.Quorel.desktop\n", "",
         "[Default Applications]\n"},
        {"removal leaves another program's default",
         "[Default Applications]\napplication/x-quorel=other.desktop\n", "",
         "[Default Applications]\napplication/x-quorel=other.desktop\n"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(updateMimeAppsList(c.before, type, c.desktop), c.after) << c.name;
}

TEST(Association, RegisterOnAnEmptyHome)
{
    XdgHome home;
    ASSERT_TRUE(registerFileAssociation("/opt/quorel/bin/quorel", home.folders).ok());
    EXPECT_EQ(readBytes(home.package()), mimePackageText("application/x-quorel", true));
    EXPECT_NE(readBytes(home.package()).find("<comment>Quorel's data file</comment>"),
              std::string::npos);
    EXPECT_NE(readBytes(home.package()).find("<glob pattern=\"*.qrl\"/>"), std::string::npos);
    const std::string desktop = readBytes(home.desktop());
    EXPECT_NE(desktop.find("\nExec=/opt/quorel/bin/quorel %f\n"), std::string::npos);
    EXPECT_NE(desktop.find("\nMimeType=application/x-quorel;\n"), std::string::npos);
    EXPECT_EQ(readBytes(home.mimeApps()),
              "[Default Applications]\napplication/x-quorel=quorel.desktop\n");

    if (installed("update-mime-database")) {
        // The user's MIME database now maps *.qrl to the type.
        EXPECT_EQ(mimeTypeForQrl(home.folders), "application/x-quorel");
    }
    if (installed("xdg-mime")) {
        EXPECT_EQ(xdgDefault(home, "application/x-quorel"), "quorel.desktop");
    }

    // Registering again changes nothing.
    const std::string list = readBytes(home.mimeApps());
    ASSERT_TRUE(registerFileAssociation("/opt/quorel/bin/quorel", home.folders).ok());
    EXPECT_EQ(readBytes(home.mimeApps()), list);
}

TEST(Association, ExistingTypeForQrlIsReused)
{
    XdgHome home;
    std::filesystem::create_directories(home.folders.dataDirs + "/mime");
    writeBytes(home.folders.dataDirs + "/mime/globs2",
               "# comment\n50:text/x-foo:*.foo\n50:application/x-rose:*.QRL\n");
    ASSERT_TRUE(registerFileAssociation("/bin/quorel", home.folders).ok());
    EXPECT_EQ(readBytes(home.package()), mimePackageText("application/x-rose", true));
    EXPECT_NE(readBytes(home.mimeApps()).find("application/x-rose=quorel.desktop"),
              std::string::npos);
    if (installed("xdg-mime")) {
        EXPECT_EQ(xdgDefault(home, "application/x-rose"), "quorel.desktop");
    }
}

TEST(Association, UnregisterRemovesWhatWasRegistered)
{
    XdgHome home;
    std::filesystem::create_directories(home.folders.configHome);
    writeBytes(home.mimeApps(), "[Default Applications]\ntext/plain=gedit.desktop\n");
    ASSERT_TRUE(registerFileAssociation("/bin/quorel", home.folders).ok());
    ASSERT_TRUE(unregisterFileAssociation(home.folders).ok());

    EXPECT_FALSE(std::filesystem::exists(home.desktop()));
    EXPECT_EQ(readBytes(home.mimeApps()), "[Default Applications]\ntext/plain=gedit.desktop\n");
    // The extension keeps naming the type; its description is gone.
    EXPECT_EQ(readBytes(home.package()), mimePackageText("application/x-quorel", false));
    if (installed("xdg-mime")) {
        EXPECT_EQ(xdgDefault(home, "application/x-quorel"), "");
    }
    // Registering again takes the same type back.
    ASSERT_TRUE(registerFileAssociation("/bin/quorel", home.folders).ok());
    EXPECT_EQ(readBytes(home.package()), mimePackageText("application/x-quorel", true));
}

TEST(Association, InstalledEntryIsRegisteredInsteadOfTheBuildFolder)
{
    XdgHome home;
    const std::string buildCopy = "/home/dev/quorel/build/src/gui/quorel";
    // Before the package is installed, a build folder's copy registers itself for the user.
    ASSERT_TRUE(registerFileAssociation(buildCopy, home.folders).ok());
    ASSERT_TRUE(std::filesystem::exists(home.desktop()));

    std::filesystem::create_directories(home.folders.dataDirs + "/applications");
    writeBytes(home.folders.dataDirs + "/applications/org.quorel.Quorel.desktop",
               "[Desktop Entry]\nType=Application\nName=Quorel\nExec=quorel %f\n"
               "MimeType=application/x-quorel;\n");
    ASSERT_TRUE(registerFileAssociation(buildCopy, home.folders).ok());
    EXPECT_EQ(readBytes(home.mimeApps()),
              "[Default Applications]\napplication/x-quorel=org.quorel.Quorel.desktop\n");
    // The old entry named the build folder and would show the program twice in the menu.
    EXPECT_FALSE(std::filesystem::exists(home.desktop()));
    if (installed("xdg-mime")) {
        EXPECT_EQ(xdgDefault(home, "application/x-quorel"), "org.quorel.Quorel.desktop");
    }

    ASSERT_TRUE(unregisterFileAssociation(home.folders).ok());
    EXPECT_EQ(readBytes(home.mimeApps()), "[Default Applications]\n");
}

TEST(Association, InstalledEntryLiesBesideTheProgram)
{
    XdgHome home;
    const std::string prefix = home.dir.path() + "/usr";
    std::filesystem::create_directories(prefix + "/share/applications");
    writeBytes(prefix + "/share/applications/org.quorel.Quorel.desktop", "[Desktop Entry]\n");
    std::filesystem::create_directories(home.dir.path() + "/build/share/applications");
    const std::pair<std::string, std::string> cases[] = {
        {prefix + "/bin/quorel", prefix + "/share/applications/org.quorel.Quorel.desktop"},
        {home.dir.path() + "/opt/bin/quorel", ""}, // a bin folder with no entry beside it
        {home.dir.path() + "/build/src/gui/quorel", ""},
        {"quorel", ""},
    };
    for (const auto &[program, entry] : cases)
        EXPECT_EQ(installedDesktopEntry(program), entry) << program;
}

TEST(Association, UnregisterWithNothingRegisteredCreatesNothing)
{
    XdgHome home;
    ASSERT_TRUE(unregisterFileAssociation(home.folders).ok());
    EXPECT_FALSE(std::filesystem::exists(home.folders.dataHome));
    EXPECT_FALSE(std::filesystem::exists(home.folders.configHome));
}

TEST(Association, UnwritableHomeIsReported)
{
    XdgHome home;
    // A file where the data folder should be: nothing can be created below it.
    writeBytes(home.folders.dataHome, "");
    const Status status = registerFileAssociation("/bin/quorel", home.folders);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.message().rfind("Cannot create file \"" + home.package() + "\".", 0), 0u)
        << status.message();
}
