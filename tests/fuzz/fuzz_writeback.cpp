// The write-back on arbitrary file bytes and style texts. Properties: every line it does not
// own keeps its bytes at its place, the bytes from the first NUL on survive at the end, and a
// second write-back with the same style changes nothing.
#include "fuzzcheck.h"

#include "core/data/lineclassifier.h"
#include "core/diagram/diagramstyle.h"
#include "core/persist/textencoding.h"
#include "core/persist/writeback.h"
#include "core/util/numbers.h"
#include "core/util/text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace quorel;

namespace {

// The keys of the lines the write-back rewrites (the author line it keeps as it is).
constexpr std::string_view ownedKeys[] = {
    "DESCTEXT=",          "DESCX=",         "DESCY=",        "DESCFONTNAME=",
    "DESCFONTSIZE=",      "DESCFONTCOLOR=", "DESCFONTBOLD=", "DESCFONTITALIC=",
    "DESCFONTUNDERLINE=", "MLINESCOLOR=",   "SLINESCOLOR=",  "MLINESSTYLE=",
    "SLINESSTYLE=",       "FILLCOLOR=",     "FILLSTYLE=",    "DIAGWIDTH=",
    "FONTCOLOR=",         "BGCOLOR=",       "VERSION="};

bool isOwned(std::string_view line)
{
    const std::string_view trimmed = trimControl(line);
    if (trimmed.empty() || trimmed.front() != ';')
        return false;
    const std::string probe = upperAscii(trimControl(trimmed.substr(1)));
    for (const std::string_view key : ownedKeys) {
        if (std::string_view(probe).starts_with(key))
            return true;
    }
    return false;
}

std::vector<std::string_view> linesOf(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    LineCursor cursor(bytes);
    std::string_view line;
    while (cursor.next(line))
        lines.push_back(line);
    return lines;
}

std::string styleText(FuzzedDataProvider &provider)
{
    return provider.ConsumeRandomLengthString(16);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    DiagramStyle style = DiagramStyle::firstRun();
    style.descriptionText = styleText(provider);
    style.descriptionX = styleText(provider);
    style.descriptionY = styleText(provider);
    style.descriptionFontName = styleText(provider);
    style.descriptionFontSize = styleText(provider);
    style.diagramSize = styleText(provider);
    style.descriptionColor = provider.ConsumeIntegral<Color>();
    style.mainLineStyle = provider.ConsumeIntegralInRange(-1, 4);
    style.descriptionBold = provider.ConsumeBool();
    const std::string userName = styleText(provider);
    const TextEncoding encoding =
        provider.ConsumeBool() ? TextEncoding::Utf8 : TextEncoding::Windows1250;
    const std::string bytes = provider.ConsumeRemainingBytesAsString();

    const std::string once = rewriteParameterLines(bytes, style, userName, encoding);

    const std::string_view text = textBeforeNul(bytes);
    const std::string_view tail = std::string_view(bytes).substr(text.size());
    FUZZ_CHECK(std::string_view(once).ends_with(tail));
    const std::string_view newText = textBeforeNul(once);
    FUZZ_CHECK(newText.size() == once.size() - tail.size());

    const auto oldLines = linesOf(text);
    const auto newLines = linesOf(newText);
    FUZZ_CHECK(newLines.size() >= oldLines.size());
    FUZZ_CHECK(newLines.size() <= oldLines.size() + 20);
    for (std::size_t i = 0; i < oldLines.size(); ++i) {
        if (!isOwned(oldLines[i]))
            FUZZ_CHECK(newLines[i] == oldLines[i]);
        else
            FUZZ_CHECK(isOwned(newLines[i]));
    }
    // Every line ends in a line end, so the reader sees exactly these lines; only a last line
    // that had none keeps it missing, when nothing was appended after it.
    FUZZ_CHECK(newText.empty() || newText.ends_with('\n') || newText.ends_with('\r')
               || newLines.size() == oldLines.size());

    // The font size the file had no line for is appended as typed, and the next write-back
    // rewrites a size that is not a whole number as "10"; apart from that, twice is once.
    if (isInteger(style.descriptionFontSize))
        FUZZ_CHECK(rewriteParameterLines(once, style, userName, encoding) == once);
    return 0;
}
