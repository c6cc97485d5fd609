#pragma once

#include <optional>
#include <string_view>

namespace quorel {

// The size commands of the diagram. Each reads the size box's text by the program's integer
// rule and answers the new size, or nothing when the text is not a whole number.
inline constexpr int maxDiagramSize = 4000;
inline constexpr int sizeStep = 20;

// Enter in the size box: below 0 -> 0, else up to the next multiple of 20, at most 4000.
[[nodiscard]] std::optional<int> typedSize(std::string_view text);
// "Graph size + 20": to the next multiple of 20 above the size, at most 4000.
[[nodiscard]] std::optional<int> enlargedSize(std::string_view text);
// "Graph size - 20": to the largest multiple of 20 below the size, at least 0.
[[nodiscard]] std::optional<int> reducedSize(std::string_view text);

// Where a picture of `picture` pixels starts in a box of `box` pixels: centred, or at 0 when it
// does not fit (halves truncated, as the scroll box does it).
[[nodiscard]] constexpr int centredOffset(int box, int picture)
{
    const int offset = box / 2 - picture / 2;
    return offset < 0 ? 0 : offset;
}

// The printed size of a w x h picture on a page with a printable area of pw x ph printer
// pixels: scaled up or down to the page, keeping the aspect. Empty for an empty picture.
struct PrintSize
{
    int width = 0;
    int height = 0;
};
[[nodiscard]] std::optional<PrintSize> printSize(int w, int h, int pw, int ph);

} // namespace quorel
