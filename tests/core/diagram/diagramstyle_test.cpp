#include "core/diagram/diagramstyle.h"

#include <gtest/gtest.h>

using namespace quorel;

namespace {

TEST(StyleIndexes, ListPositionsAndOutsiders)
{
    struct Case
    {
        int index;
        PenPattern pen;
        BrushPattern brush;
    };
    const Case cases[] = {
        {0, PenPattern::Solid, BrushPattern::Solid},
        {1, PenPattern::Dash, BrushPattern::BDiagonal},
        {2, PenPattern::Dot, BrushPattern::FDiagonal},
        {3, PenPattern::DashDot, BrushPattern::Cross},
        {4, PenPattern::DashDotDot, BrushPattern::DiagCross},
        {5, PenPattern::Solid, BrushPattern::Horizontal},
        {6, PenPattern::Solid, BrushPattern::Vertical},
        {7, PenPattern::Solid, BrushPattern::Solid},
        {9, PenPattern::Solid, BrushPattern::Solid},
        {-1, PenPattern::Solid, BrushPattern::Solid},
        {-2147483647 - 1, PenPattern::Solid, BrushPattern::Solid},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(penStyleFromIndex(c.index), c.pen) << c.index;
        EXPECT_EQ(brushStyleFromIndex(c.index), c.brush) << c.index;
    }
}

TEST(StyleIndexes, ListTexts)
{
    EXPECT_EQ(lineStyleText(0), "Solid line");
    EXPECT_EQ(lineStyleText(4), "Dash Dot Dot");
    EXPECT_EQ(lineStyleText(5), "");
    EXPECT_EQ(lineStyleText(-1), "");
    EXPECT_EQ(fillStyleText(1), "//////////");
    EXPECT_EQ(fillStyleText(2), std::string(10, '\\'));
    EXPECT_EQ(fillStyleText(3), "++++++++++");
    EXPECT_EQ(fillStyleText(6), "Vert. Line");
    EXPECT_EQ(fillStyleText(7), "");
}

TEST(StyleDefaults, DefaultButtonsDifferFromFirstRun)
{
    const auto first = DiagramStyle::firstRun();
    const auto defaults = DiagramStyle::defaults();
    EXPECT_EQ(first.mLinesColor, clSilver);
    EXPECT_EQ(first.sLinesColor, clSilver);
    EXPECT_EQ(first.descFontColor, clBlack);
    EXPECT_EQ(defaults.mLinesColor, clGray);
    EXPECT_EQ(defaults.sLinesColor, clGray);
    EXPECT_EQ(defaults.descFontColor, clWindowText);

    // Everything else agrees.
    auto aligned = first;
    aligned.mLinesColor = defaults.mLinesColor;
    aligned.sLinesColor = defaults.sLinesColor;
    aligned.descFontColor = defaults.descFontColor;
    EXPECT_EQ(aligned, defaults);
}

TEST(StyleDefaults, EachButtonTouchesOnlyItsOwnBar)
{
    DiagramStyle style;
    style.diagWidth = "4x0";
    style.mLinesStyle = noSelection;
    style.fillStyle = 1;
    style.bgColor = clRed;
    style.descText = "Joints";
    style.descX = "35";
    style.descFontBold = true;
    style.descFontName = "Verdana";

    auto options = style;
    applyOptionDefaults(options);
    EXPECT_EQ(options.diagWidth, "460");
    EXPECT_EQ(options.mLinesStyle, 0);
    EXPECT_EQ(options.fillStyle, 4);
    EXPECT_EQ(options.bgColor, clWindow);
    EXPECT_EQ(options.descText, "Joints");
    EXPECT_EQ(options.descX, "35");
    EXPECT_TRUE(options.descFontBold);

    auto description = style;
    applyDescriptionDefaults(description);
    EXPECT_EQ(description.descText, "");
    EXPECT_EQ(description.descX, "0");
    EXPECT_FALSE(description.descFontBold);
    EXPECT_EQ(description.descFontName, "Arial");
    EXPECT_EQ(description.descFontSize, "10");
    EXPECT_EQ(description.diagWidth, "4x0");
    EXPECT_EQ(description.fillStyle, 1);
    EXPECT_EQ(description.bgColor, clRed);
}

} // namespace
