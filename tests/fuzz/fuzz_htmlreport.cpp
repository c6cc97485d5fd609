// The HTML report page with arbitrary texts everywhere a user or a file supplies one: whatever
// the bytes, the page is plain ASCII and no supplied text can open a tag, an attribute or an
// entity of its own.
#include "fuzzcheck.h"

#include "core/data/measurementstore.h"
#include "core/data/sectorarrays.h"
#include "core/tools/htmlreport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace quorel;

namespace {

// What a supplied text looks like after escaping may only use these bytes.
bool isEscapedText(const std::string &text)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || c == '<' || c == '>' || c == '"' || c == '\'')
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    HtmlReportContent content;
    content.author = provider.ConsumeRandomLengthString(32);
    content.name = provider.ConsumeRandomLengthString(32);
    content.pictureName = provider.ConsumeRandomLengthString(32);
    content.svgName = provider.ConsumeRandomLengthString(32);
    content.allText = provider.ConsumeRandomLengthString(16);
    content.maxText = provider.ConsumeRandomLengthString(16);

    // The same report with harmless texts: the page's markup must not depend on the texts.
    HtmlReportContent plain {"x", "x", "x.wmf", "x.svg", "x", "x"};
    MeasurementStore store;
    MeasurementStore plainStore;
    while (provider.remaining_bytes() > 0) {
        const std::string text = provider.ConsumeRandomLengthString(24);
        const double value = provider.ConsumeFloatingPointInRange<double>(0, 360);
        store.append(text, value);
        plainStore.append("x", value);
    }
    SectorArrays sectors;
    binSectors(sectors, store);
    SectorArrays plainSectors;
    binSectors(plainSectors, plainStore);

    for (const std::string &text : {content.author, content.name, content.allText})
        FUZZ_CHECK(isEscapedText(htmlEscape(text)));
    const std::string page = htmlReportText(content, store, sectors);
    for (const char c : page)
        FUZZ_CHECK(static_cast<unsigned char>(c) < 0x80);
    const std::string plainPage = htmlReportText(plain, plainStore, plainSectors);
    for (const char markup : {'<', '>', '"'})
        FUZZ_CHECK(std::count(page.begin(), page.end(), markup)
                   == std::count(plainPage.begin(), plainPage.end(), markup));
    return 0;
}
