#include "core/persist/settings.h"

#include "core/persist/recentfiles.h"
#include "core/util/numbers.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <limits>
#include <optional>
#include <variant>

namespace quorel {

namespace {

constexpr int defaultImageWidth = 460;
constexpr int fallbackImageWidth = 500;
constexpr int fallbackFontSize = 10;
// The main window's minimum size, which a first start never goes below.
constexpr int minStartWidth = 750;
constexpr int minStartHeight = 500;

using Stored = MemoryKeyValueStore::Value;

// Collects the first failure of a series of writes that all go ahead.
class Writes
{
public:
    explicit Writes(KeyValueStore &store)
        : m_store(store)
    { }
    void integer(std::string_view key, std::int32_t value) { keep(m_store.writeInt(key, value)); }
    void text(std::string_view key, std::string_view value)
    {
        keep(m_store.writeString(key, value));
    }
    void value(std::string_view key, const Stored &value)
    {
        if (const auto *number = std::get_if<std::int32_t>(&value))
            keep(m_store.writeInt(key, *number));
        else if (const auto *on = std::get_if<bool>(&value))
            keep(m_store.writeBool(key, *on));
        else
            keep(m_store.writeString(key, std::get<std::string>(value)));
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

// The stored value of `key` when it has the type of `like`.
std::optional<Stored> readAs(const KeyValueStore &store, std::string_view key, const Stored &like)
{
    if (std::holds_alternative<std::int32_t>(like))
        return store.readInt(key);
    if (std::holds_alternative<bool>(like))
        return store.readBool(key);
    return store.readString(key);
}

// A stored list position, corrected into the list (0 when outside).
int listPositionOrZero(int position, int count)
{
    return position >= 0 && position < count ? position : 0;
}

std::string existingFolderOr(const std::string &folder, const std::string &fallback)
{
    std::error_code error;
    if (!folder.empty() && std::filesystem::is_directory(folder, error))
        return folder;
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

// What closing writes of a setting.
enum class SaveRule {
    Always,
    // The normal placement: a maximized window leaves the last normal one stored.
    UnlessMaximized,
    // Options added later: nothing while they were never on, so a store that never had them
    // stays as it was; once stored, always. A first run does not write them either.
    OnceSwitchedOn,
    // Created by a first run for older versions; the program neither reads nor writes it.
    Never,
};

// What closing knows besides the settings: the folder the file dialogs start in next time.
struct SaveContext
{
    std::string folder;
};

// One stored setting: the one place that says its key, its first-run value, how it is read
// and corrected and how it is written.
struct SettingKey
{
    std::string_view key;
    // The value a first run writes; a missing value, or one of another type, reads as this.
    // Its type is the stored type.
    Stored (*initial)(const StartContext &context);
    // Sets the settings from the value read, with the setting's correction.
    void (*apply)(Settings &settings, const Stored &value, const StartContext &context);
    // The value closing writes.
    Stored (*saved)(const Settings &settings, const SaveContext &context);
    SaveRule rule = SaveRule::Always;
};

constexpr std::string_view maximizedKey = "Maximized";
constexpr std::string_view associationKey = "SetAssoc";

// The kinds of setting, each with its stored type and correction.

template<bool Settings::*Field, bool Initial>
constexpr SettingKey windowSwitch(std::string_view key)
{
    return {key, [](const StartContext &) -> Stored { return Initial; },
            [](Settings &s, const Stored &value, const StartContext &) {
                s.*Field = std::get<bool>(value);
            },
            [](const Settings &s, const SaveContext &) -> Stored {
                return s.*Field;
            }};
}

template<bool Settings::*Field>
constexpr SettingKey laterOption(std::string_view key)
{
    SettingKey row = windowSwitch<Field, false>(key);
    row.rule = SaveRule::OnceSwitchedOn;
    return row;
}

template<int WindowPlacement::*Field>
constexpr SettingKey placement(std::string_view key)
{
    return {key,
            [](const StartContext &context) -> Stored { return context.startPlacement.*Field; },
            [](Settings &s, const Stored &value, const StartContext &) {
                s.placement.*Field = std::get<std::int32_t>(value);
            },
            [](const Settings &s, const SaveContext &) -> Stored { return s.placement.*Field; },
            SaveRule::UnlessMaximized};
}

// A folder that no longer exists (or an empty one) reads as the program's folder; closing
// stores the current file's folder.
template<std::string Settings::*Field>
constexpr SettingKey folder(std::string_view key)
{
    return {key, [](const StartContext &context) -> Stored { return context.programFolder; },
            [](Settings &s, const Stored &value, const StartContext &context) {
                s.*Field = existingFolderOr(std::get<std::string>(value), context.programFolder);
            },
            [](const Settings &, const SaveContext &context) -> Stored {
                return context.folder;
            }};
}

template<Color DiagramStyle::*Field>
constexpr SettingKey styleColor(std::string_view key)
{
    return {key, [](const StartContext &) -> Stored { return DiagramStyle::firstRun().*Field; },
            [](Settings &s, const Stored &value, const StartContext &) {
                s.style.*Field = std::get<std::int32_t>(value);
            },
            [](const Settings &s, const SaveContext &) -> Stored {
                return s.style.*Field;
            }};
}

// A position in a list of `Count` entries; one outside the list reads as 0.
template<int DiagramStyle::*Field, int Count>
constexpr SettingKey styleListPosition(std::string_view key)
{
    return {key, [](const StartContext &) -> Stored { return DiagramStyle::firstRun().*Field; },
            [](Settings &s, const Stored &value, const StartContext &) {
                s.style.*Field = listPositionOrZero(std::get<std::int32_t>(value), Count);
            },
            [](const Settings &s, const SaveContext &) -> Stored {
                return s.style.*Field;
            }};
}

template<bool DiagramStyle::*Field>
constexpr SettingKey styleSwitch(std::string_view key)
{
    return {key, [](const StartContext &) -> Stored { return DiagramStyle::firstRun().*Field; },
            [](Settings &s, const Stored &value, const StartContext &) {
                s.style.*Field = std::get<bool>(value);
            },
            [](const Settings &s, const SaveContext &) -> Stored {
                return s.style.*Field;
            }};
}

// Every stored setting, in the order closing writes them.
constexpr std::array settingKeys {
    // The size box's text as a whole number: a negative one reads as 500, and a text that is
    // not a whole number, or a negative one, is saved as 500.
    SettingKey {"ImageWidth", [](const StartContext &) -> Stored { return defaultImageWidth; },
                [](Settings &s, const Stored &value, const StartContext &) {
                    const std::int32_t width = std::get<std::int32_t>(value);
                    s.style.diagramSize = std::to_string(width < 0 ? fallbackImageWidth : width);
                },
                [](const Settings &s, const SaveContext &) -> Stored {
                    const auto width = toInteger(s.style.diagramSize);
                    return width && *width >= 0 ? *width : fallbackImageWidth;
                }},
    windowSwitch<&Settings::maximized, false>(maximizedKey),
    placement<&WindowPlacement::width>("Width"),
    placement<&WindowPlacement::height>("Height"),
    placement<&WindowPlacement::left>("Left"),
    placement<&WindowPlacement::top>("Top"),
    windowSwitch<&Settings::toolBarVisible, true>("BarVisible"),
    windowSwitch<&Settings::tableVisible, true>("GridVisible"),
    windowSwitch<&Settings::optionsBarVisible, true>("OptionsBarVisible"),
    styleListPosition<&DiagramStyle::mainLineStyle, lineStyleCount>("PenMLine"),
    styleListPosition<&DiagramStyle::secondaryLineStyle, lineStyleCount>("PenSLine"),
    styleListPosition<&DiagramStyle::fillStyle, fillStyleCount>("BrushFill"),
    styleColor<&DiagramStyle::backgroundColor>("ColorBg"),
    styleColor<&DiagramStyle::mainLineColor>("ColorMLine"),
    styleColor<&DiagramStyle::secondaryLineColor>("ColorSLine"),
    styleColor<&DiagramStyle::fillColor>("ColorFill"),
    styleColor<&DiagramStyle::labelColor>("ColorFont"),
    folder<&Settings::imageFolder>("SaveImageDir"),
    folder<&Settings::reportFolder>("SaveHtmlDir"),
    folder<&Settings::openFolder>("OpenDialogDir"),
    // Closing applies the association right after storing it.
    windowSwitch<&Settings::associateFiles, true>(associationKey),
    SettingKey {
        "DescFontName",
        [](const StartContext &) -> Stored { return DiagramStyle::firstRun().descriptionFontName; },
        [](Settings &s, const Stored &value, const StartContext &) {
            s.style.descriptionFontName = std::get<std::string>(value);
        },
        [](const Settings &s, const SaveContext &) -> Stored {
            return s.style.descriptionFontName;
        }},
    // Stored as a whole number: a size that is not one is saved as 10.
    SettingKey {"DescFontSize", [](const StartContext &) -> Stored { return fallbackFontSize; },
                [](Settings &s, const Stored &value, const StartContext &) {
                    s.style.descriptionFontSize = std::to_string(std::get<std::int32_t>(value));
                },
                [](const Settings &s, const SaveContext &) -> Stored {
                    return toInteger(s.style.descriptionFontSize).value_or(fallbackFontSize);
                }},
    styleColor<&DiagramStyle::descriptionColor>("DescFontColor"),
    styleSwitch<&DiagramStyle::descriptionBold>("DescFontBold"),
    styleSwitch<&DiagramStyle::descriptionItalic>("DescFontItalic"),
    styleSwitch<&DiagramStyle::descriptionUnderline>("DescFontUnderline"),
    windowSwitch<&Settings::descriptionBarVisible, true>("DescBarVisible"),
    windowSwitch<&Settings::statusBarVisible, true>("StatusBarVisible"),
    SettingKey {"SaveDesc", [](const StartContext &) -> Stored { return true; }, nullptr, nullptr,
                SaveRule::Never},
    // The recent files, most recent first, each followed by "; ".
    SettingKey {"LastOpened", [](const StartContext &) -> Stored { return std::string(); },
                [](Settings &s, const Stored &value, const StartContext &) {
                    RecentFiles recent;
                    recent.fromStored(std::get<std::string>(value));
                    s.recentFiles = recent.entries();
                },
                [](const Settings &s, const SaveContext &) -> Stored {
                    std::string lastOpened;
                    for (const std::string &entry : s.recentFiles)
                        lastOpened += entry + "; ";
                    return lastOpened;
                }},
    laterOption<&Settings::ringLabels>("RingLabels"),
    laterOption<&Settings::fitToWindow>("FitToWindow"),
    laterOption<&Settings::significanceBand>("SignificanceBand"),
    laterOption<&Settings::meanDirection>("MeanDirection"),
    laterOption<&Settings::circularReport>("CircularReport"),
    laterOption<&Settings::stereonetWulff>("StereonetWulff"),
    laterOption<&Settings::stereonetGreatCircles>("StereonetGreatCircles"),
    laterOption<&Settings::stereonetContours>("StereonetContours"),
    laterOption<&Settings::stereonetMean>("StereonetMean"),
    laterOption<&Settings::stereonetGirdle>("StereonetGirdle"),
    laterOption<&Settings::stereonetNetLines>("StereonetNetLines"),
    laterOption<&Settings::stereonetReport>("StereonetReport"),
};

// Writes the first-run value of every missing setting. The table is in the order closing
// writes; a first run writes Maximized after the placement instead, as the store has always
// been created.
void writeMissingSettings(KeyValueStore &store, Writes &writes, const StartContext &context)
{
    const auto writeMissing = [&](const SettingKey &row) {
        if (row.rule != SaveRule::OnceSwitchedOn && !store.contains(row.key))
            writes.value(row.key, row.initial(context));
    };
    const SettingKey *deferred = nullptr;
    for (const SettingKey &row : settingKeys) {
        if (row.key == maximizedKey) {
            deferred = &row;
            continue;
        }
        if (deferred && row.rule != SaveRule::UnlessMaximized) {
            writeMissing(*deferred);
            deferred = nullptr;
        }
        writeMissing(row);
    }
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

    writeMissingSettings(store, writes, context);
    for (const SettingKey &row : settingKeys) {
        if (!row.apply)
            continue;
        const Stored initial = row.initial(context);
        const std::optional<Stored> read = readAs(store, row.key, initial);
        row.apply(loaded.settings, read ? *read : initial, context);
    }

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
    const SaveContext context {currentFileName.empty() ? std::string(programFolder)
                                                       : folderOf(currentFileName)};
    for (const SettingKey &row : settingKeys) {
        if (row.rule == SaveRule::Never || (row.rule == SaveRule::UnlessMaximized && s.maximized))
            continue;
        const Stored value = row.saved(s, context);
        if (row.rule == SaveRule::OnceSwitchedOn && !std::get<bool>(value)
            && !store.contains(row.key))
            continue;
        writes.value(row.key, value);
        if (row.key == associationKey && applyAssociation)
            writes.keep(applyAssociation(s.associateFiles));
    }

    writes.keep(store.flush());
    return writes.result();
}

} // namespace quorel
