// The settings loaded from a store holding garbage: any value of any type under every key.
// What loads is always usable (list positions in their lists, a size that is a whole number
// of zero or more), and saving what was loaded and loading it again gives the same settings.
#include "fuzzcheck.h"

#include "core/persist/keyvaluestore.h"
#include "core/persist/settings.h"
#include "core/util/numbers.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace quorel;

namespace {

constexpr const char *keys[] = {
    "BarVisible",   "BrushFill",         "ColorBg",           "ColorFill",
    "ColorFont",    "ColorMLine",        "ColorSLine",        "DescBarVisible",
    "DescFontBold", "DescFontColor",     "DescFontItalic",    "DescFontName",
    "DescFontSize", "DescFontUnderline", "ExePath",           "GridVisible",
    "Height",       "ImageWidth",        "LastOpened",        "Left",
    "Maximized",    "OpenDialogDir",     "OptionsBarVisible", "PenMLine",
    "PenSLine",     "RunCounter",        "SaveDesc",          "SaveHtmlDir",
    "SaveImageDir", "SetAssoc",          "StatusBarVisible",  "Top",
    "Width"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    MemoryKeyValueStore store;
    while (provider.remaining_bytes() > 0) {
        const std::string key = provider.PickValueInArray(keys);
        switch (provider.ConsumeIntegralInRange(0, 2)) {
        case 0:
            store.set(key, provider.ConsumeIntegral<std::int32_t>());
            break;
        case 1:
            store.set(key, provider.ConsumeBool());
            break;
        default:
            store.set(key, provider.ConsumeRandomLengthString(40));
            break;
        }
    }
    const StartContext context {"/opt/quorel/quorel", "/opt/quorel", startPlacement(1280, 800)};
    const LoadedSettings loaded = loadSettings(store, context);
    const DiagramStyle &style = loaded.settings.style;
    FUZZ_CHECK(style.mainLineStyle >= 0 && style.mainLineStyle < lineStyleCount);
    FUZZ_CHECK(style.secondaryLineStyle >= 0 && style.secondaryLineStyle < lineStyleCount);
    FUZZ_CHECK(style.fillStyle >= 0 && style.fillStyle < fillStyleCount);
    const auto width = toInteger(style.diagramSize);
    FUZZ_CHECK(width.has_value() && *width >= 0);
    FUZZ_CHECK(loaded.runCount >= 1);

    MemoryKeyValueStore saved;
    FUZZ_CHECK(saveSettings(saved, loaded.settings, "", context.programFolder).ok());
    const LoadedSettings again = loadSettings(saved, context);
    FUZZ_CHECK(again.settings.style == loaded.settings.style);
    // An empty recent-files entry does not survive saving (see fuzz_recentfiles.cpp).
    if (std::find(loaded.settings.recentFiles.begin(), loaded.settings.recentFiles.end(), "")
        == loaded.settings.recentFiles.end())
        FUZZ_CHECK(again.settings.recentFiles == loaded.settings.recentFiles);
    FUZZ_CHECK(again.settings.maximized == loaded.settings.maximized);
    FUZZ_CHECK(again.settings.associateFiles == loaded.settings.associateFiles);
    return 0;
}
