#pragma once

#include "core/diagram/color.h"

#include <span>
#include <string>
#include <string_view>

namespace quorel {

// Pen patterns of the line-style lists (positions 0..4).
enum class PenPattern { Solid, Dash, Dot, DashDot, DashDotDot };

// Fill patterns of the fill-style list (positions 0..6); hatches leave their gaps transparent.
enum class BrushPattern { Solid, BDiagonal, FDiagonal, Cross, DiagCross, Horizontal, Vertical };

inline constexpr int lineStyleCount = 5;
inline constexpr int fillStyleCount = 7;
inline constexpr int noSelection = -1;

// The pattern at a list position; any other number, negative ones included, is solid.
[[nodiscard]] PenPattern penStyleFromIndex(int index);
[[nodiscard]] BrushPattern brushStyleFromIndex(int index);

// The on/off lengths in pixels that a thin pen of the pattern draws, as on the original
// device (empty for solid lines).
[[nodiscard]] std::span<const int> penDashLengths(PenPattern pattern);

// The list texts ("Solid line", "Dash", ...; "Solid", "//////////", ...).
[[nodiscard]] std::string_view lineStyleText(int index);
[[nodiscard]] std::string_view fillStyleText(int index);

// How a petal's radius grows with its count: in proportion to the count (the classic rose), or
// to its square root, so that a petal's area is in proportion to its count and long petals are
// not exaggerated.
enum class PetalScale { Count, Area };

// What the azimuth of a measurement that carries a dip stands for: the dip direction of a plane,
// the strike of a plane (right-hand rule: the dip direction is 90 degrees clockwise of it) or
// the trend of a line, whose dip is then its plunge.
enum class AzimuthMeaning { DipDirection, Strike, Trend };

// The meaning a file's ";Azimuth=" value names ("Strike", "Trend", without case); any other text
// means the dip direction.
[[nodiscard]] AzimuthMeaning azimuthMeaningFromText(std::string_view text);
// The value written for a meaning: "DipDirection", "Strike" or "Trend".
[[nodiscard]] std::string_view azimuthMeaningText(AzimuthMeaning meaning);

// How the rose diagram looks: the one source of truth that the bars edit, the renderer draws,
// data files and the settings store. Texts the user types stay texts (size, font size, X, Y):
// the renderer decides what text that is not a whole number means.
struct DiagramStyle
{
    std::string diagramSize = "460"; // side of the square diagram in pixels, as typed
    Color backgroundColor = clWindow;
    Color mainLineColor = clSilver;
    int mainLineStyle = 0; // line-list position 0..4, or noSelection (drawn solid)
    Color secondaryLineColor = clSilver;
    int secondaryLineStyle = 2;
    Color fillColor = clBlack;
    int fillStyle = 4; // fill-list position 0..6, or noSelection (filled solid)
    Color labelColor = clWindowText; // compass labels
    std::string descriptionText;
    std::string descriptionX = "0"; // pixels from the left edge, as shown in the X box
    std::string descriptionY = "0";
    std::string descriptionFontName = "Arial";
    std::string descriptionFontSize = "10"; // points, as typed
    Color descriptionColor = clBlack;
    bool descriptionBold = false;
    bool descriptionItalic = false;
    bool descriptionUnderline = false;
    PetalScale petalScale = PetalScale::Count; // ";PetalScale=Area" in a file
    // The data are orientations (joints, strikes, axes): the rose counts each measurement in its
    // sector and the opposite one, and the statistics are those of axes. Kept in the data file,
    // not in the settings: it says what the file's numbers are.
    bool axial = false;
    // The file's ";Azimuth=" value as written, so that a value the program does not know stays
    // in the file as the user wrote it; azimuthMeaning() says what it means.
    std::string azimuth = "DipDirection";

    AzimuthMeaning azimuthMeaning() const { return azimuthMeaningFromText(azimuth); }
    PenPattern mainPen() const { return penStyleFromIndex(mainLineStyle); }
    PenPattern secondaryPen() const { return penStyleFromIndex(secondaryLineStyle); }
    BrushPattern fillPattern() const { return brushStyleFromIndex(fillStyle); }

    // What a first run of the program starts with (silver lines, black description).
    static DiagramStyle firstRun() { return {}; }
    // What the two "Default settings" buttons set (gray lines, window-text description).
    static DiagramStyle defaults();

    friend bool operator==(const DiagramStyle &, const DiagramStyle &) = default;
};

// What "Default settings" on the option bar sets: size "460", gray lines (main solid, secondary
// dotted), black diagonal cross-hatch, window background, window-text labels and petal radii in
// proportion to the counts.
void applyOptionDefaults(DiagramStyle &style);
// What "Default settings" on the description bar sets: no text at (0, 0) in 10-point regular
// Arial in the window-text colour.
void applyDescriptionDefaults(DiagramStyle &style);

// A list position as the program keeps it: 0..count-1, else noSelection.
[[nodiscard]] constexpr int listPosition(int index, int count)
{
    return index >= 0 && index < count ? index : noSelection;
}

} // namespace quorel
