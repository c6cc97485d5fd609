#include "core/persist/settings.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

using namespace quorel;
using quorel::test::TempDir;

namespace {

StartContext context(const std::string &programFolder)
{
    return {programFolder + "/quorel", programFolder, startPlacement(1280, 800)};
}

LoadedSettings load(KeyValueStore &store, const std::string &programFolder = "/opt/quorel")
{
    LoadedSettings loaded = loadSettings(store, context(programFolder));
    EXPECT_EQ(loaded.storeError, "");
    return loaded;
}

// A store whose writes fail from the `failFrom`-th write on.
class FailingStore : public MemoryKeyValueStore
{
public:
    explicit FailingStore(int failFrom)
        : m_failFrom(failFrom)
    { }
    Status writeInt(std::string_view key, std::int32_t value) override
    {
        return count(key) ? MemoryKeyValueStore::writeInt(key, value) : failure(key);
    }
    Status writeBool(std::string_view key, bool value) override
    {
        return count(key) ? MemoryKeyValueStore::writeBool(key, value) : failure(key);
    }
    Status writeString(std::string_view key, std::string_view value) override
    {
        return count(key) ? MemoryKeyValueStore::writeString(key, value) : failure(key);
    }

private:
    bool count(std::string_view) { return ++m_writes < m_failFrom; }
    static Status failure(std::string_view key)
    {
        return Error {"Failed to set data for '" + std::string(key) + "'"};
    }
    int m_failFrom;
    int m_writes = 0;
};

} // namespace

TEST(Settings, StartPlacement)
{
    EXPECT_EQ(startPlacement(1920, 1080), (WindowPlacement {1152, 648, 206, 103}));
    EXPECT_EQ(startPlacement(1024, 768), (WindowPlacement {750, 500, 206, 103}));
    EXPECT_EQ(startPlacement(800, 600), (WindowPlacement {750, 500, 206, 103}));
}

// A first start on real screens; the window's frame is allowed 10 x 40 pixels.
TEST(Settings, StartPlacementHoldsThePartsWithinTheFreeArea)
{
    struct Case
    {
        const char *name;
        ScreenRect screen, available;
        Extent needed;
        WindowPlacement expected;
    };
    const ScreenRect laptop {0, 0, 1366, 768}, topPanel {0, 27, 1366, 741};
    const ScreenRect large {0, 0, 1920, 1080}, leftPanel {300, 0, 1620, 1080};
    const ScreenRect tiny {0, 0, 640, 480};
    const Case cases[] = {
        {"laptop: taller than 3/5", laptop, laptop, {791, 690}, {819, 690, 206, 38}},
        {"large: keeps its place", large, large, {791, 690}, {1152, 690, 206, 103}},
        {"held to the free area", laptop, topPanel, {1400, 900}, {1356, 701, 0, 27}},
        {"left panel pushes right", large, leftPanel, {791, 690}, {1152, 690, 300, 103}},
        {"never below the minimum", tiny, tiny, {791, 690}, {750, 500, 0, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(startPlacement(c.screen, c.available, c.needed, {10, 40}), c.expected);
    }
}

TEST(Settings, FirstRunWritesEveryDefault)
{
    MemoryKeyValueStore store;
    const LoadedSettings loaded = load(store);
    EXPECT_EQ(loaded.runCount, 1);
    EXPECT_EQ(loaded.runCounterMessage, "");

    const Settings &s = loaded.settings;
    EXPECT_EQ(s.style, DiagramStyle::firstRun());
    EXPECT_EQ(s.style.diagramSize, "460");
    EXPECT_EQ(s.style.mainLineColor, clSilver);
    EXPECT_EQ(s.placement, startPlacement(1280, 800));
    EXPECT_FALSE(s.maximized);
    EXPECT_TRUE(s.toolBarVisible && s.tableVisible && s.optionsBarVisible && s.descriptionBarVisible
                && s.statusBarVisible);
    EXPECT_TRUE(s.associateFiles);
    EXPECT_TRUE(s.recentFiles.empty());
    // "/opt/quorel" does not exist here, but it is what was stored; folders fall back to it.
    EXPECT_EQ(s.openFolder, "/opt/quorel");

    const std::map<std::string, MemoryKeyValueStore::Value, std::less<>> expected = {
        {"ExePath", std::string("/opt/quorel/quorel")},
        {"RunCounter", 1},
        {"ImageWidth", 460},
        {"Width", 768},
        {"Height", 500},
        {"Left", 206},
        {"Top", 103},
        {"Maximized", false},
        {"BarVisible", true},
        {"GridVisible", true},
        {"OptionsBarVisible", true},
        {"PenMLine", 0},
        {"PenSLine", 2},
        {"BrushFill", 4},
        {"ColorBg", -16777211},
        {"ColorMLine", 12632256},
        {"ColorSLine", 12632256},
        {"ColorFill", 0},
        {"ColorFont", -16777208},
        {"SaveImageDir", std::string("/opt/quorel")},
        {"SaveHtmlDir", std::string("/opt/quorel")},
        {"OpenDialogDir", std::string("/opt/quorel")},
        {"SetAssoc", true},
        {"DescFontName", std::string("Arial")},
        {"DescFontSize", 10},
        {"DescFontColor", 0},
        {"DescFontBold", false},
        {"DescFontItalic", false},
        {"DescFontUnderline", false},
        {"DescBarVisible", true},
        {"StatusBarVisible", true},
        {"SaveDesc", true},
        {"LastOpened", std::string()},
    };
    EXPECT_EQ(store.values(), expected);
}

TEST(Settings, RunCounter)
{
    struct Case
    {
        std::int32_t stored;
        int count;
        std::string message;
    };
    const Case cases[] = {
        {0, 1, ""},
        {98, 99, ""},
        {99, 100, "You have run Quorel 100 times !\r\nTHANKS !"},
        {100, 101, ""},
        {199, 200, "You have run Quorel 200 times !\r\nTHANKS !"},
        {-5, 1, ""},
        {2147483647, 2147483647, ""},
    };
    for (const Case &c : cases) {
        MemoryKeyValueStore store;
        store.set("RunCounter", c.stored);
        const LoadedSettings loaded = load(store);
        EXPECT_EQ(loaded.runCount, c.count) << c.stored;
        EXPECT_EQ(loaded.runCounterMessage, c.message) << c.stored;
        EXPECT_EQ(store.readInt("RunCounter"), c.count) << c.stored;
    }
}

TEST(Settings, ReadCorrections)
{
    TempDir dir;
    struct Case
    {
        const char *name;
        const char *key;
        MemoryKeyValueStore::Value stored;
        bool (*check)(const Settings &);
    };
    const Case cases[] = {
        {"negative image width gives 500", "ImageWidth", -1,
         [](const Settings &s) {
             return s.style.diagramSize == "500";
         }},
        {"image width kept", "ImageWidth", 0,
         [](const Settings &s) {
             return s.style.diagramSize == "0";
         }},
        {"line position past the list gives 0", "PenMLine", 7,
         [](const Settings &s) {
             return s.style.mainLineStyle == 0;
         }},
        {"last line position kept", "PenSLine", 4,
         [](const Settings &s) {
             return s.style.secondaryLineStyle == 4;
         }},
        {"negative fill position gives 0", "BrushFill", -3,
         [](const Settings &s) {
             return s.style.fillStyle == 0;
         }},
        {"fill position 7 gives 0", "BrushFill", 7,
         [](const Settings &s) {
             return s.style.fillStyle == 0;
         }},
        {"deleted folder gives the program folder", "SaveHtmlDir", std::string("/no/such/dir"),
         [](const Settings &s) {
             return s.reportFolder == "/opt/quorel";
         }},
        {"empty folder gives the program folder", "SaveImageDir", std::string(),
         [](const Settings &s) {
             return s.imageFolder == "/opt/quorel";
         }},
        {"existing folder kept", "OpenDialogDir", std::string("/tmp"),
         [](const Settings &s) {
             return s.openFolder == "/tmp";
         }},
        {"any non-zero integer is true", "Maximized", 7,
         [](const Settings &s) {
             return s.maximized;
         }},
        {"font size as decimal text", "DescFontSize", 14,
         [](const Settings &s) {
             return s.style.descriptionFontSize == "14";
         }},
        {"recent files in stored order", "LastOpened", std::string("/a; /b; /c"),
         [](const Settings &s) {
             return s.recentFiles == std::vector<std::string> {"/a", "/b"};
         }},
        // Values of the wrong type read as their first-run values.
        {"text where an integer belongs", "ImageWidth", std::string("wide"),
         [](const Settings &s) {
             return s.style.diagramSize == "460";
         }},
        {"text colour", "ColorMLine", std::string("clRed"),
         [](const Settings &s) {
             return s.style.mainLineColor == clSilver;
         }},
        {"text boolean", "SetAssoc", std::string("no"),
         [](const Settings &s) {
             return s.associateFiles;
         }},
        {"integer font name", "DescFontName", 5,
         [](const Settings &s) {
             return s.style.descriptionFontName == "Arial";
         }},
    };
    for (const Case &c : cases) {
        MemoryKeyValueStore store;
        store.set(c.key, c.stored);
        EXPECT_TRUE(c.check(load(store).settings)) << c.name;
    }
}

TEST(Settings, SaveRules)
{
    TempDir dir;
    const std::string dataFile = dir.file("joints.qrl");
    struct Case
    {
        const char *name;
        void (*change)(Settings &);
        std::string currentFile;
        const char *key;
        MemoryKeyValueStore::Value expected;
    };
    const Case cases[] = {
        {"letters in the size box give 500", [](Settings &s) { s.style.diagramSize = "abc"; }, "",
         "ImageWidth", 500},
        {"negative size gives 500", [](Settings &s) { s.style.diagramSize = "-4"; }, "",
         "ImageWidth", 500},
        {"size box integer", [](Settings &s) { s.style.diagramSize = "620"; }, "", "ImageWidth",
         620},
        {"fractional font size gives 10", [](Settings &s) { s.style.descriptionFontSize = "10.5"; },
         "", "DescFontSize", 10},
        {"font size integer", [](Settings &s) { s.style.descriptionFontSize = "16"; }, "",
         "DescFontSize", 16},
        {"no current file: program folder", [](Settings &) {}, "", "OpenDialogDir",
         std::string("/opt/quorel")},
        {"current file's folder", [](Settings &) {}, dataFile, "SaveHtmlDir", dir.path()},
        {"no selection stored as -1", [](Settings &s) { s.style.mainLineStyle = noSelection; }, "",
         "PenMLine", -1},
        {"recent list in stored form",
         [](Settings &s) {
             s.recentFiles = {"/a.qrl", "/b.qrl"};
         },
         "", "LastOpened", std::string("/a.qrl; /b.qrl; ")},
        {"system colour", [](Settings &s) { s.style.backgroundColor = clBtnFace; }, "", "ColorBg",
         -16777201},
    };
    for (const Case &c : cases) {
        MemoryKeyValueStore store;
        Settings settings;
        c.change(settings);
        ASSERT_TRUE(saveSettings(store, settings, c.currentFile, "/opt/quorel").ok()) << c.name;
        EXPECT_TRUE(store.values().contains(c.key)) << c.name;
        if (store.values().contains(c.key)) {
            EXPECT_EQ(store.values().at(c.key), c.expected) << c.name;
        }
    }
}

TEST(Settings, MaximizedCloseKeepsTheNormalPlacement)
{
    MemoryKeyValueStore store;
    Settings normal;
    normal.placement = {900, 600, 10, 20};
    ASSERT_TRUE(saveSettings(store, normal, "", "/p").ok());

    Settings maximized = normal;
    maximized.maximized = true;
    maximized.placement = {1920, 1080, 0, 0};
    ASSERT_TRUE(saveSettings(store, maximized, "", "/p").ok());

    const Settings next = load(store).settings;
    EXPECT_TRUE(next.maximized);
    EXPECT_EQ(next.placement, (WindowPlacement {900, 600, 10, 20}));
}

TEST(Settings, RoundTripKeepsEverythingStored)
{
    TempDir dir;
    Settings saved;
    saved.placement = {1000, 700, 50, 60};
    saved.toolBarVisible = false;
    saved.tableVisible = false;
    saved.optionsBarVisible = false;
    saved.descriptionBarVisible = false;
    saved.statusBarVisible = false;
    saved.associateFiles = false;
    saved.style.diagramSize = "333";
    saved.style.mainLineStyle = 4;
    saved.style.secondaryLineStyle = 1;
    saved.style.fillStyle = 6;
    saved.style.backgroundColor = clWhite;
    saved.style.mainLineColor = clRed;
    saved.style.secondaryLineColor = clNavy;
    saved.style.fillColor = clGreen;
    saved.style.labelColor = clMaroon;
    saved.style.descriptionFontName = "Courier New";
    saved.style.descriptionFontSize = "18";
    saved.style.descriptionColor = clBlue;
    saved.style.descriptionBold = saved.style.descriptionItalic = saved.style.descriptionUnderline =
        true;
    saved.recentFiles = {dir.file("a.qrl"), "/elsewhere/b.txt"};

    MemoryKeyValueStore store;
    bool associationApplied = false;
    bool associationValue = true;
    ASSERT_TRUE(saveSettings(store, saved, dir.file("a.qrl"), "/opt/quorel", [&](bool on) {
                    associationApplied = true;
                    associationValue = on;
                    // The value is stored before the association is applied.
                    EXPECT_EQ(store.readBool("SetAssoc"), on);
                    return success();
                }).ok());
    EXPECT_TRUE(associationApplied);
    EXPECT_FALSE(associationValue);

    Settings loaded = load(store).settings;
    EXPECT_EQ(loaded.style, saved.style);
    EXPECT_EQ(loaded.placement, saved.placement);
    EXPECT_EQ(loaded.recentFiles, saved.recentFiles);
    EXPECT_EQ(loaded.openFolder, dir.path());
    EXPECT_FALSE(loaded.toolBarVisible || loaded.tableVisible || loaded.optionsBarVisible
                 || loaded.descriptionBarVisible || loaded.statusBarVisible
                 || loaded.associateFiles);
    EXPECT_FALSE(store.values().contains("RunCounter") && store.readInt("RunCounter") != 1);
}

// Every stored setting comes back as it was saved: a setting the store forgets fails its row.
TEST(Settings, EverySettingRoundTrips)
{
    TempDir dir;
    struct Case
    {
        const char *name;
        void (*change)(Settings &, const std::string &folder);
        bool fromCurrentFile = false; // the folders are saved as the current file's
    };
    const Case cases[] = {
        {"placement",
         [](Settings &s, auto &) {
             s.placement = {1001, 702, 33, 44};
         }},
        {"maximized",
         [](Settings &s, auto &) {
             s.maximized = true;
         }},
        {"main tool bar",
         [](Settings &s, auto &) {
             s.toolBarVisible = false;
         }},
        {"table panel",
         [](Settings &s, auto &) {
             s.tableVisible = false;
         }},
        {"options bar",
         [](Settings &s, auto &) {
             s.optionsBarVisible = false;
         }},
        {"description bar",
         [](Settings &s, auto &) {
             s.descriptionBarVisible = false;
         }},
        {"status bar",
         [](Settings &s, auto &) {
             s.statusBarVisible = false;
         }},
        {"association",
         [](Settings &s, auto &) {
             s.associateFiles = false;
         }},
        {"size",
         [](Settings &s, auto &) {
             s.style.diagramSize = "321";
         }},
        {"line and fill positions",
         [](Settings &s, auto &) {
             s.style.mainLineStyle = 3;
             s.style.secondaryLineStyle = 1;
             s.style.fillStyle = 6;
         }},
        {"colours",
         [](Settings &s, auto &) {
             s.style.backgroundColor = clWhite;
             s.style.mainLineColor = clRed;
             s.style.secondaryLineColor = clNavy;
             s.style.fillColor = clGreen;
             s.style.labelColor = clMaroon;
             s.style.descriptionColor = clBlue;
         }},
        {"description font",
         [](Settings &s, auto &) {
             s.style.descriptionFontName = "Courier New";
             s.style.descriptionFontSize = "17";
             s.style.descriptionBold = s.style.descriptionItalic = s.style.descriptionUnderline =
                 true;
         }},
        {"recent files",
         [](Settings &s, auto &) {
             s.recentFiles = {"/x/a.qrl", "/y/b.txt"};
         }},
        {"dialog folders",
         [](Settings &s, const std::string &folder) {
             s.imageFolder = s.reportFolder = s.openFolder = folder;
         },
         true},
        {"ring labels",
         [](Settings &s, auto &) {
             s.ringLabels = true;
         }},
        {"fit to window",
         [](Settings &s, auto &) {
             s.fitToWindow = true;
         }},
        {"band of chance",
         [](Settings &s, auto &) {
             s.significanceBand = true;
         }},
        {"mean direction",
         [](Settings &s, auto &) {
             s.meanDirection = true;
         }},
        {"circular report",
         [](Settings &s, auto &) {
             s.circularReport = true;
         }},
    };
    MemoryKeyValueStore first;
    const Settings start = load(first).settings;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Settings saved = start;
        c.change(saved, dir.path());
        ASSERT_NE(saved, start);
        MemoryKeyValueStore store;
        ASSERT_TRUE(
            saveSettings(store, saved, c.fromCurrentFile ? dir.file("a.qrl") : "", "/opt/quorel")
                .ok());
        EXPECT_EQ(load(store).settings, saved);
    }
}

// Options added later reach the store only once switched on, and are kept when switched off.
TEST(Settings, LaterOptionsStoredOnceOn)
{
    const std::pair<const char *, bool Settings::*> options[] = {
        {"RingLabels", &Settings::ringLabels},
        {"FitToWindow", &Settings::fitToWindow},
        {"SignificanceBand", &Settings::significanceBand},
        {"MeanDirection", &Settings::meanDirection},
        {"CircularReport", &Settings::circularReport},
        {"StereonetWulff", &Settings::stereonetWulff},
        {"StereonetGreatCircles", &Settings::stereonetGreatCircles},
        {"StereonetContours", &Settings::stereonetContours},
        {"StereonetMean", &Settings::stereonetMean},
        {"StereonetGirdle", &Settings::stereonetGirdle},
        {"StereonetNetLines", &Settings::stereonetNetLines},
        {"StereonetReport", &Settings::stereonetReport},
    };
    for (const auto &[key, option] : options) {
        SCOPED_TRACE(key);
        MemoryKeyValueStore store;
        Settings settings;
        ASSERT_TRUE(saveSettings(store, settings, "", "/p").ok());
        EXPECT_FALSE(store.values().contains(key));
        settings.*option = true;
        ASSERT_TRUE(saveSettings(store, settings, "", "/p").ok());
        EXPECT_TRUE(load(store).settings.*option);
        settings.*option = false;
        ASSERT_TRUE(saveSettings(store, settings, "", "/p").ok());
        EXPECT_EQ(store.readBool(key), false);
        EXPECT_FALSE(load(store).settings.*option);
    }
}

TEST(Settings, FailedWritesAreReportedButDoNotStopTheRest)
{
    FailingStore store(3);
    Settings settings;
    settings.style.descriptionFontName = "Verdana";
    const Status saved = saveSettings(store, settings, "", "/p");
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.message(), "Failed to set data for 'Width'");

    FailingStore failingLoad(1);
    failingLoad.set("ImageWidth", 777);
    const LoadedSettings loaded = loadSettings(failingLoad, context("/p"));
    EXPECT_EQ(loaded.storeError, "Failed to set data for 'ExePath'");
    EXPECT_EQ(loaded.settings.style.diagramSize, "777") << "what could be read still counts";

    MemoryKeyValueStore store2;
    const Status association = saveSettings(store2, settings, "", "/p", [](bool) -> Status {
        return Error {"Cannot create file \"mimeapps.list\"."};
    });
    EXPECT_FALSE(association.ok());
    EXPECT_EQ(store2.readString("DescFontName"), "Verdana") << "written after the failure";
}
