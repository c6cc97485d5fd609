#include "core/diagram/sizing.h"

#include "core/util/numbers.h"

#include <algorithm>
#include <cstdint>

namespace quorel {

namespace {

// Sizes are worked in 64 bits: a typed 2147483647 + 20 must not overflow.
std::int64_t nextMultipleAbove(std::int64_t a)
{
    return a + sizeStep - a % sizeStep;
}

int clampSize(std::int64_t a)
{
    return static_cast<int>(std::clamp<std::int64_t>(a, 0, maxDiagramSize));
}

} // namespace

std::optional<int> typedSize(std::string_view text)
{
    const auto value = toInteger(text);
    if (!value)
        return std::nullopt;
    std::int64_t a = std::max<std::int64_t>(*value, 0);
    if (a % sizeStep != 0)
        a = nextMultipleAbove(a);
    return clampSize(a);
}

std::optional<int> enlargedSize(std::string_view text)
{
    const auto value = toInteger(text);
    if (!value)
        return std::nullopt;
    return clampSize(nextMultipleAbove(*value));
}

std::optional<int> reducedSize(std::string_view text)
{
    const auto value = toInteger(text);
    if (!value)
        return std::nullopt;
    std::int64_t b = std::int64_t(*value) - sizeStep;
    // Rounding b up to a multiple of 20 would make 1..19 "reduce" to 20; a reduction never
    // enlarges, so a negative b simply ends at 0.
    if (b < 0)
        return 0;
    if (b % sizeStep != 0)
        b = nextMultipleAbove(b);
    return static_cast<int>(b); // no upper cut: a size from a file above 4000 shrinks by steps
}

std::optional<PrintSize> printSize(int w, int h, int pw, int ph)
{
    if (w <= 0 || h <= 0 || pw <= 0 || ph <= 0)
        return std::nullopt;
    const float k = float(w) / float(h);
    float width = float(w);
    float height = float(h);
    if (float(pw) > width && float(ph) > height) {
        if (width >= height) {
            width = float(pw);
            height = width / k;
        } else {
            height = float(ph);
            width = height * k;
        }
    }
    if (float(pw) < width) {
        width = float(pw);
        height = width / k;
    }
    if (float(ph) < height) {
        height = float(ph);
        width = height * k;
    }
    return PrintSize {static_cast<int>(width), static_cast<int>(height)};
}

} // namespace quorel
