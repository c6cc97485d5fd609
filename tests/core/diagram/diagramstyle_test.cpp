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
    EXPECT_EQ(first.mainLineColor, clSilver);
    EXPECT_EQ(first.secondaryLineColor, clSilver);
    EXPECT_EQ(first.descriptionColor, clBlack);
    EXPECT_EQ(defaults.mainLineColor, clGray);
    EXPECT_EQ(defaults.secondaryLineColor, clGray);
    EXPECT_EQ(defaults.descriptionColor, clWindowText);

    // Everything else agrees.
    auto aligned = first;
    aligned.mainLineColor = defaults.mainLineColor;
    aligned.secondaryLineColor = defaults.secondaryLineColor;
    aligned.descriptionColor = defaults.descriptionColor;
    EXPECT_EQ(aligned, defaults);
}

TEST(StyleDefaults, EachButtonTouchesOnlyItsOwnBar)
{
    DiagramStyle style;
    style.diagramSize = "4x0";
    style.mainLineStyle = noSelection;
    style.fillStyle = 1;
    style.backgroundColor = clRed;
    style.descriptionText = "Joints";
    style.descriptionX = "35";
    style.descriptionBold = true;
    style.descriptionFontName = "Verdana";

    auto options = style;
    applyOptionDefaults(options);
    EXPECT_EQ(options.diagramSize, "460");
    EXPECT_EQ(options.mainLineStyle, 0);
    EXPECT_EQ(options.fillStyle, 4);
    EXPECT_EQ(options.backgroundColor, clWindow);
    EXPECT_EQ(options.descriptionText, "Joints");
    EXPECT_EQ(options.descriptionX, "35");
    EXPECT_TRUE(options.descriptionBold);

    auto description = style;
    applyDescriptionDefaults(description);
    EXPECT_EQ(description.descriptionText, "");
    EXPECT_EQ(description.descriptionX, "0");
    EXPECT_FALSE(description.descriptionBold);
    EXPECT_EQ(description.descriptionFontName, "Arial");
    EXPECT_EQ(description.descriptionFontSize, "10");
    EXPECT_EQ(description.diagramSize, "4x0");
    EXPECT_EQ(description.fillStyle, 1);
    EXPECT_EQ(description.backgroundColor, clRed);
}

} // namespace
