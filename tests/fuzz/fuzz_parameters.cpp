// Parameter application: arbitrary ";NAME=VALUE" pairs onto a style, then the style's own
// parameter texts applied to a copy must leave the copy unchanged (what the write-back writes,
// the reader reads back as the same style).
#include "fuzzcheck.h"

#include "core/data/displayparameters.h"
#include "core/diagram/diagramstyle.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

using namespace quorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    DiagramStyle style =
        provider.ConsumeBool() ? DiagramStyle::firstRun() : DiagramStyle::defaults();
    while (provider.remaining_bytes() > 0) {
        std::string name;
        const auto known = displayParameters();
        if (provider.ConsumeBool())
            name = known[provider.ConsumeIntegralInRange<std::size_t>(0, known.size() - 1)].name;
        else
            name = provider.ConsumeRandomLengthString(24);
        const std::string value = provider.ConsumeRandomLengthString(64);
        (void)applyParameter(style, name, value);
    }
    FUZZ_CHECK(style.mainLineStyle >= noSelection && style.mainLineStyle < lineStyleCount);
    FUZZ_CHECK(style.secondaryLineStyle >= noSelection
               && style.secondaryLineStyle < lineStyleCount);
    FUZZ_CHECK(style.fillStyle >= noSelection && style.fillStyle < fillStyleCount);

    DiagramStyle copy = style;
    for (const auto &[name, text] : styleParameters(style)) {
        FUZZ_CHECK(parameterText(style, name) == text);
        (void)applyParameter(copy, name, text);
    }
    FUZZ_CHECK(copy == style);
    return 0;
}
