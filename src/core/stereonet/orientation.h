#pragma once

// Directions on the lower hemisphere and their places on the net: the one geometry the dips,
// the statistics, the density and the drawing share.

#include "core/diagram/diagramstyle.h"

#include <optional>
#include <vector>

namespace quorel {

// A unit vector: x east, y north, z up (so lower-hemisphere directions have z <= 0).
struct Vector3
{
    double x = 0;
    double y = 0;
    double z = 0;
    friend bool operator==(const Vector3 &, const Vector3 &) = default;
};

[[nodiscard]] inline double dot(const Vector3 &a, const Vector3 &b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// A line's trend (degrees clockwise from north, 0..360) and plunge (degrees below the
// horizontal, 0..90).
struct Direction
{
    double trend = 0;
    double plunge = 0;
    friend bool operator==(const Direction &, const Direction &) = default;
};

// The equal-area (Schmidt) or equal-angle (Wulff) lower-hemisphere net.
enum class NetKind { Schmidt, Wulff };

// A place on the net of radius 1: x east, y north, the centre at 0, 0.
struct NetPoint
{
    double x = 0;
    double y = 0;
    friend bool operator==(const NetPoint &, const NetPoint &) = default;
};

// Sine and cosine of degrees, exact at the multiples of 90.
[[nodiscard]] double sinDegrees(double degrees);
[[nodiscard]] double cosDegrees(double degrees);

// An angle in [0, 360).
[[nodiscard]] double wrapDegrees(double degrees);

// The unit vector of a direction (pointing down for a positive plunge).
[[nodiscard]] Vector3 unitVector(Direction direction);

// The direction of a vector turned into the lower hemisphere. A horizontal axis (`axis` true)
// gets the trend in [0, 180); a horizontal vector keeps its own sense. The zero vector gives
// nothing.
[[nodiscard]] std::optional<Direction> directionOf(Vector3 v, bool axis);

// What a measurement's azimuth and dip are drawn as: the pole of the plane (dip direction or
// strike, right-hand rule) or the line itself (trend and plunge).
[[nodiscard]] Direction plottedDirection(double azimuth, double dip, AzimuthMeaning meaning);

// The dip direction of the plane a measurement describes (for a line: its trend).
[[nodiscard]] double dipDirectionOf(double azimuth, AzimuthMeaning meaning);

// The place of a lower-hemisphere vector on the net (one of the upper hemisphere is taken by its
// opposite).
[[nodiscard]] NetPoint project(Vector3 v, NetKind net);
[[nodiscard]] NetPoint project(Direction direction, NetKind net);

// The lower-hemisphere vector at a place on the net; places beyond the primitive circle give the
// horizontal vector of their azimuth.
[[nodiscard]] Vector3 netVector(NetPoint point, NetKind net);

// The great circle of a plane as a line on the net, from one end of the strike to the other
// through the dip direction: one point per degree of arc along the circle.
[[nodiscard]] std::vector<NetPoint> greatCircle(double dipDirection, double dip, NetKind net);

// The small circle of `radius` degrees about a lower-hemisphere axis, one point per degree of
// turn; where it crosses into the upper hemisphere its opposite is drawn, so it may come in
// several pieces.
[[nodiscard]] std::vector<std::vector<NetPoint>> smallCircle(Direction axis, double radius,
                                                             NetKind net);

} // namespace quorel
