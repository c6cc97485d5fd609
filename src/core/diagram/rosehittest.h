#pragma once

// What lies under a point of the rose diagram: a petal, the grid around the petals or nothing,
// worked out from the same geometry the renderer draws with, equal-area radii included.

#include "core/diagram/diagramstyle.h"
#include "core/diagram/renderer.h"

namespace quorel {

struct RoseHit
{
    enum class Kind { Outside, Grid, Petal };
    Kind kind = Kind::Outside; // Outside: beyond the outer circle
    double azimuth = 0; // degrees clockwise from north, 0 <= azimuth < 360
    int petal = 0; // 1..36: the petal (sector) whose 10 degrees hold the azimuth
    friend bool operator==(const RoseHit &, const RoseHit &) = default;
};

// The hit at (x, y) in the pixels of an S x S picture drawn with `layout` and `petalScale`.
// A petal is hit within its drawn radius (a petal of no measurements never is).
[[nodiscard]] RoseHit hitTestRose(int size, const PetalLayout &layout, PetalScale petalScale,
                                  double x, double y);

} // namespace quorel
