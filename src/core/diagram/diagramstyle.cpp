#include "core/diagram/diagramstyle.h"

#include "core/util/text.h"

#include <array>

namespace quorel {

namespace {

constexpr std::array<std::string_view, lineStyleCount> lineStyleTexts {"Solid line", "Dash", "Dot",
                                                                       "Dash Dot", "Dash Dot Dot"};

constexpr std::array<std::string_view, fillStyleCount> fillStyleTexts {
    "Solid",       "//////////", "\\\\\\\\\\\\\\\\\\\\", "++++++++++", "Diag Cross",
    "Horiz. Line", "Vert. Line"};

// A list position taken as unsigned, so negative numbers fall outside every list.
constexpr bool inList(int index, int count)
{
    return static_cast<unsigned>(index) < static_cast<unsigned>(count);
}

} // namespace

PenPattern penStyleFromIndex(int index)
{
    return inList(index, lineStyleCount) ? static_cast<PenPattern>(index) : PenPattern::Solid;
}

BrushPattern brushStyleFromIndex(int index)
{
    return inList(index, fillStyleCount) ? static_cast<BrushPattern>(index) : BrushPattern::Solid;
}

std::span<const int> penDashLengths(PenPattern pattern)
{
    static constexpr int dash[] = {18, 6};
    static constexpr int dot[] = {3, 3};
    static constexpr int dashDot[] = {9, 6, 3, 6};
    static constexpr int dashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (pattern) {
    case PenPattern::Dash:
        return dash;
    case PenPattern::Dot:
        return dot;
    case PenPattern::DashDot:
        return dashDot;
    case PenPattern::DashDotDot:
        return dashDotDot;
    case PenPattern::Solid:
        break;
    }
    return {};
}

std::string_view lineStyleText(int index)
{
    return inList(index, lineStyleCount) ? lineStyleTexts[static_cast<std::size_t>(index)]
                                         : std::string_view {};
}

std::string_view fillStyleText(int index)
{
    return inList(index, fillStyleCount) ? fillStyleTexts[static_cast<std::size_t>(index)]
                                         : std::string_view {};
}

DiagramStyle DiagramStyle::defaults()
{
    DiagramStyle style;
    applyOptionDefaults(style);
    applyDescriptionDefaults(style);
    return style;
}

// The default texts equal the first-run texts; they are copied from a first-run style (which
// also keeps GCC 12's -O3 from a false -Wrestrict alarm on literal assignment).
void applyOptionDefaults(DiagramStyle &style)
{
    const DiagramStyle first = DiagramStyle::firstRun();
    style.diagramSize = first.diagramSize; // "460"
    style.mainLineColor = clGray;
    style.mainLineStyle = 0;
    style.secondaryLineColor = clGray;
    style.secondaryLineStyle = 2;
    style.fillColor = clBlack;
    style.fillStyle = 4;
    style.backgroundColor = clWindow;
    style.labelColor = clWindowText;
    style.petalScale = PetalScale::Count;
}

void applyDescriptionDefaults(DiagramStyle &style)
{
    const DiagramStyle first = DiagramStyle::firstRun();
    style.descriptionX = first.descriptionX; // "0"
    style.descriptionY = first.descriptionY;
    style.descriptionFontName = first.descriptionFontName; // "Arial"
    style.descriptionFontSize = first.descriptionFontSize; // "10"
    style.descriptionColor = clWindowText;
    style.descriptionBold = false;
    style.descriptionItalic = false;
    style.descriptionUnderline = false;
    style.descriptionText.clear();
}

AzimuthMeaning azimuthMeaningFromText(std::string_view text)
{
    if (equalsIgnoreCaseAscii(text, "Strike"))
        return AzimuthMeaning::Strike;
    if (equalsIgnoreCaseAscii(text, "Trend"))
        return AzimuthMeaning::Trend;
    return AzimuthMeaning::DipDirection;
}

std::string_view azimuthMeaningText(AzimuthMeaning meaning)
{
    switch (meaning) {
    case AzimuthMeaning::Strike:
        return "Strike";
    case AzimuthMeaning::Trend:
        return "Trend";
    case AzimuthMeaning::DipDirection:
        break;
    }
    return "DipDirection";
}

} // namespace quorel
