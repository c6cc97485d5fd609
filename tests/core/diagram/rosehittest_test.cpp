#include "core/diagram/rosehittest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace quorel;

namespace {

// A 200 x 200 rose (outer radius 90 around (100, 100)): 4 measurements in sector 1, 1 in
// sector 10, so the largest petal reaches the outer circle.
TEST(RoseHitTest, PointsOnPetalsGridAndOutside)
{
    SectorCounts counts {};
    counts[0] = 4;
    counts[9] = 1;
    using Kind = RoseHit::Kind;
    struct Case
    {
        const char *name;
        bool axial;
        PetalScale scale;
        double azimuth;
        double distance;
        Kind kind;
        int petal;
    };
    const Case cases[] = {
        {"LargestPetalNearTheRim", false, PetalScale::Count, 5, 89, Kind::Petal, 1},
        {"BeyondTheOuterCircle", false, PetalScale::Count, 5, 91, Kind::Outside, 1},
        // One of four: a quarter of the radius (22.5), or half of it with equal areas (45).
        {"ShortPetalMissedBeyondItsRadius", false, PetalScale::Count, 95, 30, Kind::Grid, 10},
        {"EqualAreaPetalIsLonger", false, PetalScale::Area, 95, 30, Kind::Petal, 10},
        {"EqualAreaPetalEnds", false, PetalScale::Area, 95, 46, Kind::Grid, 10},
        {"EmptySectorIsGrid", false, PetalScale::Count, 200, 1, Kind::Grid, 21},
        {"LastSectorBeforeNorth", false, PetalScale::Count, 359.5, 10, Kind::Grid, 36},
        // Orientations: sector 1's petal is drawn again opposite, in petal 19.
        {"AxialOppositePetal", true, PetalScale::Count, 185, 80, Kind::Petal, 19},
        {"NotAxialNoOppositePetal", false, PetalScale::Count, 185, 80, Kind::Grid, 19},
    };
    for (const Case &c : cases) {
        RenderOptions options;
        options.axial = c.axial;
        const PetalLayout layout = petalLayout(counts, 4, options);
        const double angle = c.azimuth * std::numbers::pi / 180;
        const RoseHit hit = hitTestRose(200, layout, c.scale, 100 + c.distance * std::sin(angle),
                                        100 - c.distance * std::cos(angle));
        EXPECT_EQ(hit.kind, c.kind) << c.name;
        EXPECT_EQ(hit.petal, c.petal) << c.name;
        EXPECT_NEAR(hit.azimuth, c.azimuth, 1e-9) << c.name;
    }
    EXPECT_EQ(hitTestRose(0, petalLayout(counts, 4, {}), PetalScale::Count, 0, 0).kind,
              Kind::Outside);
}

} // namespace
