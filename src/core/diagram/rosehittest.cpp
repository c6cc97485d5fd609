#include "core/diagram/rosehittest.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorel {

RoseHit hitTestRose(int size, const PetalLayout &layout, PetalScale petalScale, double x, double y)
{
    RoseHit hit;
    const RoseGeometry g = roseGeometry(size);
    if (size <= 0 || !std::isfinite(x) || !std::isfinite(y))
        return hit;
    const double dx = x - g.centre;
    const double dy = g.centre - y;
    const double distance = std::hypot(dx, dy);
    double azimuth = std::atan2(dx, dy) * 180 / std::numbers::pi;
    if (azimuth < 0)
        azimuth += 360;
    hit.azimuth = azimuth >= 360 ? 0 : azimuth;
    hit.petal = std::clamp(static_cast<int>(hit.azimuth / 10) + 1, 1, 36);
    if (distance > g.radius)
        return hit;
    const int count = layout.drawn[static_cast<std::size_t>(hit.petal - 1)];
    hit.kind = count > 0 && distance <= petalRadius(g.radius, count, layout.scale, petalScale)
        ? RoseHit::Kind::Petal
        : RoseHit::Kind::Grid;
    return hit;
}

} // namespace quorel
