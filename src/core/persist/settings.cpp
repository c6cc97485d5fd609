#include "core/persist/settings.h"

#include "core/persist/recentfiles.h"
#include "core/util/numbers.h"

#include <algorithm>
#include <filesystem>
#include <limits>

namespace quorel {

namespace {

constexpr int defaultImageWidth = 460;
constexpr int fallbackImageWidth = 500;
constexpr int fallbackFontSize = 10;
// The main window's minimum size, which a first start never goes below.
constexpr int minStartWidth = 750;
constexpr int minStartHeight = 500;

// Collects the first failure of a series of writes that all go ahead.
class Writes
{
public:
    explicit Writes(KeyValueStore &store)
        : m_store(store)
    { }
    void integer(std::string_view key, std::int32_t value) { keep(m_store.writeInt(key, value)); }
    void boolean(std::string_view key, bool value) { keep(m_store.writeBool(key, value)); }
    void text(std::string_view key, std::string_view value)
    {
        keep(m_store.writeString(key, value));
    }
    void keep(Status status)
    {
        if (!status && m_first.ok())
            m_first = std::move(status);
    }
    Status result() { return std::move(m_first); }

private:
    KeyValueStore &m_store;
    Status m_first = success();
};

// A stored list position, corrected into the list (0 when outside).
int listPositionOrZero(std::optional<std::int32_t> stored, int fallback, int count)
{
    const int position = stored.value_or(fallback);
    return position >= 0 && position < count ? position : 0;
}

std::string existingFolderOr(const std::optional<std::string> &folder, const std::string &fallback)
{
    std::error_code error;
    if (folder && !folder->empty() && std::filesystem::is_directory(*folder, error))
        return *folder;
    return fallback;
}

// The folder of a file without a trailing '/' (the root stays "/").
std::string folderOf(std::string_view path)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(std::string(path), error);
    if (error)
        absolute = std::string(path);
    std::string folder = absolute.parent_path().string();
    return folder.empty() ? "/" : folder;
}

} // namespace

WindowPlacement startPlacement(int screenWidth, int screenHeight)
{
    return {std::max(minStartWidth, screenWidth * 3 / 5),
            std::max(minStartHeight, screenHeight * 3 / 5), 206, 103};
}

WindowPlacement startPlacement(const ScreenRect &screen, const ScreenRect &available, Extent needed,
                               Extent frame)
{
    const WindowPlacement usual = startPlacement(screen.width, screen.height);
    // The window is never smaller than its minimum, even on a screen that cannot hold it.
    const auto side = [](int usualSide, int neededSide, int room, int minimum) {
        return std::max(minimum, std::min(std::max(usualSide, neededSide), room));
    };
    const auto start = [](int usualStart, int outerSize, int from, int room) {
        return std::max(from, std::min(usualStart, from + room - outerSize));
    };
    WindowPlacement placement;
    placement.width = side(usual.width, needed.width, available.width - frame.width, minStartWidth);
    placement.height =
        side(usual.height, needed.height, available.height - frame.height, minStartHeight);
    placement.left =
        start(usual.left, placement.width + frame.width, available.left, available.width);
    placement.top =
        start(usual.top, placement.height + frame.height, available.top, available.height);
    return placement;
}

std::string runCounterMessage(int runCount)
{
    if (runCount <= 0 || runCount % 100 != 0)
        return {};
    return "You have run Quorel " + std::to_string(runCount) + " times !\r\nTHANKS !";
}

LoadedSettings loadSettings(KeyValueStore &store, const StartContext &context)
{
    Writes writes(store);
    writes.text("ExePath", context.programPath);

    if (!store.contains("RunCounter"))
        writes.integer("RunCounter", 0);
    const std::int64_t stored = store.readInt("RunCounter").value_or(0);
    const int runCount = static_cast<int>(std::min<std::int64_t>(
        std::max<std::int64_t>(stored, 0) + 1, std::numeric_limits<std::int32_t>::max()));
    LoadedSettings loaded;
    loaded.runCount = runCount;
    loaded.runCounterMessage = runCounterMessage(runCount);
    writes.integer("RunCounter", runCount);

    // First-run values, written in this order when missing.
    const DiagramStyle first = DiagramStyle::firstRun();
    const WindowPlacement &start = context.startPlacement;
    const auto missingInt = [&](std::string_view key, std::int32_t value) {
        if (!store.contains(key))
            writes.integer(key, value);
    };
    const auto missingBool = [&](std::string_view key, bool value) {
        if (!store.contains(key))
            writes.boolean(key, value);
    };
    const auto missingText = [&](std::string_view key, std::string_view value) {
        if (!store.contains(key))
            writes.text(key, value);
    };
    missingInt("ImageWidth", defaultImageWidth);
    missingInt("Width", start.width);
    missingInt("Height", start.height);
    missingInt("Left", start.left);
    missingInt("Top", start.top);
    missingBool("Maximized", false);
    missingBool("BarVisible", true);
    missingBool("GridVisible", true);
    missingBool("OptionsBarVisible", true);
    missingInt("PenMLine", first.mLinesStyle);
    missingInt("PenSLine", first.sLinesStyle);
    missingInt("BrushFill", first.fillStyle);
    missingInt("ColorBg", first.bgColor);
    missingInt("ColorMLine", first.mLinesColor);
    missingInt("ColorSLine", first.sLinesColor);
    missingInt("ColorFill", first.fillColor);
    missingInt("ColorFont", first.fontColor);
    missingText("SaveImageDir", context.programFolder);
    missingText("SaveHtmlDir", context.programFolder);
    missingText("OpenDialogDir", context.programFolder);
    missingBool("SetAssoc", true);
    missingText("DescFontName", first.descFontName);
    missingInt("DescFontSize", fallbackFontSize);
    missingInt("DescFontColor", first.descFontColor);
    missingBool("DescFontBold", false);
    missingBool("DescFontItalic", false);
    missingBool("DescFontUnderline", false);
    missingBool("DescBarVisible", true);
    missingBool("StatusBarVisible", true);
    missingBool("SaveDesc", true);
    missingText("LastOpened", "");

    Settings &s = loaded.settings;
    const int imageWidth = store.readInt("ImageWidth").value_or(defaultImageWidth);
    s.style.diagWidth = std::to_string(imageWidth < 0 ? fallbackImageWidth : imageWidth);

    s.maximized = store.readBool("Maximized").value_or(false);
    s.placement.width = store.readInt("Width").value_or(start.width);
    s.placement.height = store.readInt("Height").value_or(start.height);
    s.placement.left = store.readInt("Left").value_or(start.left);
    s.placement.top = store.readInt("Top").value_or(start.top);

    s.barVisible = store.readBool("BarVisible").value_or(true);
    s.optionsBarVisible = store.readBool("OptionsBarVisible").value_or(true);
    s.gridVisible = store.readBool("GridVisible").value_or(true);

    s.style.mLinesStyle =
        listPositionOrZero(store.readInt("PenMLine"), first.mLinesStyle, lineStyleCount);
    s.style.sLinesStyle =
        listPositionOrZero(store.readInt("PenSLine"), first.sLinesStyle, lineStyleCount);
    s.style.fillStyle =
        listPositionOrZero(store.readInt("BrushFill"), first.fillStyle, fillStyleCount);

    s.style.bgColor = store.readInt("ColorBg").value_or(first.bgColor);
    s.style.mLinesColor = store.readInt("ColorMLine").value_or(first.mLinesColor);
    s.style.sLinesColor = store.readInt("ColorSLine").value_or(first.sLinesColor);
    s.style.fillColor = store.readInt("ColorFill").value_or(first.fillColor);
    s.style.fontColor = store.readInt("ColorFont").value_or(first.fontColor);

    s.saveImageDir = existingFolderOr(store.readString("SaveImageDir"), context.programFolder);
    s.saveHtmlDir = existingFolderOr(store.readString("SaveHtmlDir"), context.programFolder);
    s.openDialogDir = existingFolderOr(store.readString("OpenDialogDir"), context.programFolder);

    s.setAssoc = store.readBool("SetAssoc").value_or(true);

    s.style.descFontName = store.readString("DescFontName").value_or(first.descFontName);
    s.style.descFontSize = std::to_string(store.readInt("DescFontSize").value_or(fallbackFontSize));
    s.style.descFontColor = store.readInt("DescFontColor").value_or(first.descFontColor);
    s.style.descFontBold = store.readBool("DescFontBold").value_or(false);
    s.style.descFontItalic = store.readBool("DescFontItalic").value_or(false);
    s.style.descFontUnderline = store.readBool("DescFontUnderline").value_or(false);

    s.descBarVisible = store.readBool("DescBarVisible").value_or(true);
    s.statusBarVisible = store.readBool("StatusBarVisible").value_or(true);
    s.ringLabels = store.readBool("RingLabels").value_or(false);
    s.fitToWindow = store.readBool("FitToWindow").value_or(false);
    s.significanceBand = store.readBool("SignificanceBand").value_or(false);
    s.meanDirection = store.readBool("MeanDirection").value_or(false);
    s.circularReport = store.readBool("CircularReport").value_or(false);

    RecentFiles recent;
    recent.fromStored(store.readString("LastOpened").value_or(""));
    s.recentFiles = recent.entries();

    writes.keep(store.flush());
    if (Status status = writes.result(); !status)
        loaded.storeError = status.message();
    return loaded;
}

Status saveSettings(KeyValueStore &store, const Settings &s, std::string_view currentFileName,
                    std::string_view programFolder,
                    const std::function<Status(bool)> &applyAssociation)
{
    Writes writes(store);
    const auto width = toInteger(s.style.diagWidth);
    writes.integer("ImageWidth", width && *width >= 0 ? *width : fallbackImageWidth);

    writes.boolean("Maximized", s.maximized);
    if (!s.maximized) {
        writes.integer("Width", s.placement.width);
        writes.integer("Height", s.placement.height);
        writes.integer("Left", s.placement.left);
        writes.integer("Top", s.placement.top);
    }

    writes.boolean("BarVisible", s.barVisible);
    writes.boolean("GridVisible", s.gridVisible);
    writes.boolean("OptionsBarVisible", s.optionsBarVisible);

    writes.integer("PenMLine", s.style.mLinesStyle);
    writes.integer("PenSLine", s.style.sLinesStyle);
    writes.integer("BrushFill", s.style.fillStyle);

    writes.integer("ColorBg", s.style.bgColor);
    writes.integer("ColorMLine", s.style.mLinesColor);
    writes.integer("ColorSLine", s.style.sLinesColor);
    writes.integer("ColorFill", s.style.fillColor);
    writes.integer("ColorFont", s.style.fontColor);

    const std::string folder =
        currentFileName.empty() ? std::string(programFolder) : folderOf(currentFileName);
    writes.text("SaveImageDir", folder);
    writes.text("SaveHtmlDir", folder);
    writes.text("OpenDialogDir", folder);

    writes.boolean("SetAssoc", s.setAssoc);
    if (applyAssociation)
        writes.keep(applyAssociation(s.setAssoc));

    writes.text("DescFontName", s.style.descFontName);
    writes.integer("DescFontSize", toInteger(s.style.descFontSize).value_or(fallbackFontSize));
    writes.integer("DescFontColor", s.style.descFontColor);
    writes.boolean("DescFontBold", s.style.descFontBold);
    writes.boolean("DescFontItalic", s.style.descFontItalic);
    writes.boolean("DescFontUnderline", s.style.descFontUnderline);

    writes.boolean("DescBarVisible", s.descBarVisible);
    writes.boolean("StatusBarVisible", s.statusBarVisible);

    std::string lastOpened;
    for (const std::string &entry : s.recentFiles)
        lastOpened += entry + "; ";
    writes.text("LastOpened", lastOpened);

    const auto optional = [&](std::string_view key, bool on) {
        if (on || store.contains(key))
            writes.boolean(key, on);
    };
    optional("RingLabels", s.ringLabels);
    optional("FitToWindow", s.fitToWindow);
    optional("SignificanceBand", s.significanceBand);
    optional("MeanDirection", s.meanDirection);
    optional("CircularReport", s.circularReport);

    writes.keep(store.flush());
    return writes.result();
}

} // namespace quorel
